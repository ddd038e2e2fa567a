#pragma once
// Filer, Reader and Writer: the value-level interface that streaming code and defined
// properties use, independent of the storage form. Two storage forms implement it: the text
// form description (FormReader/FormWriter, FormDescription.h) and the binary component
// stream (StreamReader/StreamWriter, ComponentStream.h).
//
// A defined property: an object streams values of its own, announced in defineProperties:
//
//     void Manager::defineProperties(Filer& filer) {
//         Component::defineProperties(filer);
//         filer.defineProperty("DockControlHeights",
//             [this](Reader& r) { r.readListBegin(); while (!r.endOfList()) ...; r.readListEnd(); },
//             [this](Writer& w) { w.writeListBegin(); ...; w.writeListEnd(); },
//             true /* has data to write */);
//     }
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/Variant.h"

namespace lindora {

class Collection;
class Component;
class Persistent;
class PropInfo;
class Reader;
class Stream;
class Writer;

// The kinds of values a stream holds. Null marks the end of a list, a collection or an item.
enum class ValueType { Null, List, Integer, Float, String, Ident, False, True, Binary, Set, Nil, Collection };
const char* valueTypeName(ValueType type);

class Filer {
public:
    using ReadProc = std::function<void(Reader&)>;
    using WriteProc = std::function<void(Writer&)>;
    using StreamProc = std::function<void(Stream&)>;

    virtual ~Filer() = default;

    // Announces a defined property whose value is read and written through the value interface.
    // `hasData` tells the writer whether there is anything to write.
    virtual void defineProperty(const std::string& name, ReadProc read, WriteProc write, bool hasData) = 0;
    // Announces a defined property whose value is raw bytes (a stream positioned at its data).
    virtual void defineBinaryProperty(const std::string& name, StreamProc read, StreamProc write, bool hasData) = 0;
    virtual void flushBuffer() {}

    // The root component (the form) being read or written; may be null for plain value streams.
    Component* root() const { return root_; }
    void setRoot(Component* root) { root_ = root; }

private:
    Component* root_ = nullptr;
};

class Reader : public Filer {
public:
    ~Reader() override;

    // --- values ---
    // The type of the next value, without consuming it (Null: at the end of a list/item).
    virtual ValueType nextValue() = 0;
    bool endOfList() { return nextValue() == ValueType::Null; }
    virtual void readListBegin() = 0;
    // Consumes the end of the innermost open list, collection or item.
    virtual void readListEnd() = 0;
    // Integer values (a float is refused: EReadError).
    virtual std::int64_t readInteger() = 0;
    // Float values; integers are accepted.
    virtual double readFloat() = 0;
    virtual std::string readString() = 0;
    virtual std::string readIdent() = 0;
    bool readBoolean();
    virtual std::vector<std::uint8_t> readBinary() = 0;
    // Member names of a set value.
    virtual std::vector<std::string> readSet() = 0;
    // Integer, float, string or Boolean; an empty variant for nil.
    Variant readVariant();
    // Skips one value of any type.
    void skipValue();

    // --- objects ---
    // A collection value (its marker, then its items) into an existing collection, replacing its items.
    void readCollection(Collection& collection);
    // The items of a collection whose marker has been consumed already.
    void readCollectionItems(Collection& collection);
    // One "name = value" of `instance`: dotted names walk into sub-objects; names that are not
    // published are offered to the object's defined properties. Unknown names are errors.
    void readProperty(Persistent& instance);
    // The three above, called on their own (not from inside a form being read), resolve the
    // component references they met before they return.

    // Resolves recorded component references (by name, among the root's components). Called
    // once everything that can be referenced has been read.
    void resolveFixups();
    void discardFixups() { fixups_.clear(); }
    // Drops the references recorded for properties of `component` (or of items and sub-objects
    // inside it), when it is freed before they could be resolved.
    void forgetFixupsOf(const Component* component);

    // Throws EReadError at the current position.
    [[noreturn]] virtual void error(const std::string& what) const = 0;

    // Filer: runs the read procedure of the defined property being read.
    void defineProperty(const std::string& name, ReadProc read, WriteProc write, bool hasData) override;
    void defineBinaryProperty(const std::string& name, StreamProc read, StreamProc write, bool hasData) override;

protected:
    // Brackets a read after which references are resolved (a whole form, or one top-level call).
    class ObjectRead {
    public:
        explicit ObjectRead(Reader& reader) : reader_(reader), outermost_(reader.objectReads_++ == 0) {}
        ~ObjectRead() { --reader_.objectReads_; }
        ObjectRead(const ObjectRead&) = delete;
        ObjectRead& operator=(const ObjectRead&) = delete;
        bool outermost() const { return outermost_; }

    private:
        Reader& reader_;
        bool outermost_;
    };

    struct Position {
        int line = 0;
        int column = 0;
    };
    // Where the next value or name starts.
    virtual Position position() = 0;
    [[noreturn]] void errorAt(Position where, const std::string& what) const;
    // The name of the next property (dotted names in one piece).
    virtual std::string readPropName() = 0;
    // Consumes the start of a collection value / of one item.
    virtual void readCollectionBegin() = 0;
    virtual void readItemBegin() = 0;

    void readPropValue(Persistent& instance, const PropInfo& prop, Position where);

private:
    void readPropertyOf(Persistent& instance);

protected:
private:
    struct Fixup {
        Persistent* instance;
        const PropInfo* prop;
        std::string name;
        Position where;
        Persistent* anchor;          // the component or item whose property line it was
        const Component* component;  // the component that anchor belongs to
    };
    void forgetFixupsWithin(const Collection& collection);
    std::vector<Fixup> fixups_;
    int objectReads_ = 0;  // object-level reads in progress; references wait for the outermost
    Persistent* anchor_ = nullptr;
    // The defined property being looked for by readProperty.
    std::string definedName_;
    bool definedFound_ = false;
};

class Writer : public Filer {
public:
    ~Writer() override;

    // --- values ---
    virtual void writeListBegin() = 0;
    virtual void writeListEnd() = 0;
    virtual void writeInteger(std::int64_t value) = 0;
    virtual void writeFloat(double value) = 0;
    virtual void writeString(std::string_view value) = 0;
    // An identifier (enumeration name, component or method name).
    virtual void writeIdent(std::string_view value) = 0;
    void writeBoolean(bool value);
    virtual void writeBinary(std::span<const std::uint8_t> bytes) = 0;
    virtual void writeSet(const std::vector<std::string>& members) = 0;
    virtual void writeNil() = 0;
    // Nothing for an empty variant (write it only when not empty).
    void writeVariant(const Variant& value);

    // --- objects ---
    // A collection value: marker, then each item's stored properties.
    void writeCollection(const Collection& collection);
    // The stored, non-default published properties of `instance` in table order, then its
    // defined properties. Sub-objects are written with dotted names ("Font.Name").
    void writeProperties(Persistent& instance);

    // Filer: writes the defined property when it has data.
    void defineProperty(const std::string& name, ReadProc read, WriteProc write, bool hasData) override;
    void defineBinaryProperty(const std::string& name, StreamProc read, StreamProc write, bool hasData) override;

protected:
    virtual void writePropName(const std::string& name) = 0;
    virtual void writeCollectionBegin() = 0;
    virtual void writeItemBegin() = 0;
    virtual void writeItemEnd() = 0;
    virtual void writeCollectionEnd() = 0;

private:
    void writeProperty(Persistent& instance, const PropInfo& prop);
    std::string prefix_;
};

}  // namespace lindora
