#pragma once
// StringList: an ordered list of strings, each with an optional object (any value; held by the
// list and copied with the line). Look-up ignores ASCII case. Streamed in a form description as
// the defined property "Strings" (a list of strings).
#include <any>
#include <string>
#include <string_view>
#include <vector>

#include "base/Event.h"
#include "base/Persistent.h"

namespace lindora {

class StringList : public Persistent {
    LINDORA_CLASS(StringList)

public:
    StringList() = default;
    explicit StringList(std::vector<std::string> lines);

    int count() const { return static_cast<int>(items_.size()); }
    bool empty() const { return items_.empty(); }
    // Index checks throw EPropertyError "List index out of bounds (n)".
    const std::string& get(int index) const;
    const std::string& operator[](int index) const { return get(index); }
    void set(int index, const std::string& s);
    const std::any& object(int index) const;
    std::any& object(int index);
    void setObject(int index, std::any object);

    int add(const std::string& s, std::any object = {});
    void insert(int index, const std::string& s, std::any object = {});
    void remove(int index);
    void clear();
    void move(int from, int to);
    void exchange(int a, int b);
    // Adds every line of another list.
    void addStrings(const StringList& other);

    // First index of `s` ignoring ASCII case, -1 when absent.
    int indexOf(std::string_view s) const;
    std::vector<std::string> lines() const;

    // Comma text: the entries joined by ","; an entry is quoted with double quotes (inner quotes
    // doubled) when it is empty, or contains a space, comma, quote or control character.
    // Setting it parses that form back (unquoted entries end at a comma or blank).
    std::string commaText() const;
    void setCommaText(std::string_view text);
    // Lines joined by "\n" (each line followed by it); setting splits at LF, CRLF or CR.
    std::string text() const;
    void setText(std::string_view text);

    // name=value lines.
    std::string name(int index) const;               // text before the first '=' ("" without one)
    std::string valueFromIndex(int index) const;     // text after the first '='
    int indexOfName(std::string_view name) const;    // ignoring ASCII case, -1 when absent
    std::string value(std::string_view name) const;  // "" when absent
    // Sets or adds name=value; an empty value removes the line.
    void setValue(std::string_view name, std::string_view value);

    bool operator==(const StringList& other) const;  // same lines, exactly

    // Changes between begin and end raise changed() once at the end.
    void beginUpdate();
    void endUpdate();

    // Copies lines and objects from another StringList.
    void assign(const Persistent& source) override;
    void defineProperties(Filer& filer) override;

    // Raised after every change (Sender is the list).
    NotifyEvent OnChange;

protected:
    // Called after every change outside begin/end update; raises OnChange.
    virtual void changed();

private:
    struct Entry {
        std::string text;
        std::any object;
    };
    void checkIndex(int index) const;
    void modified();

    std::vector<Entry> items_;
    int updateCount_ = 0;
    bool pendingChange_ = false;
};

}  // namespace lindora
