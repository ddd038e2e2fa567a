#pragma once
// The manager's item categories: names with their items' visibility and their own visibility.
// Deleting, inserting, exchanging and moving categories renumber the items' Category.
#include "bars/model/BarTypes.h"
#include "base/StringList.h"

namespace lindora {

class BarManager;

struct BarCategoryData {
    BarItemVisible itemsVisible = ivAlways;
    BarItemVisible pendingItemsVisible = ivAlways;  // read from the stream, applied at Loaded
    bool visible = true;
};

// The category names are held, not inherited: every change goes through the operations below,
// so that the items' Category numbers always stay in step with the lines.
class BarManagerCategories : public Persistent {
    LINDORA_CLASS(BarManagerCategories)

public:
    explicit BarManagerCategories(BarManager& manager);

    BarManager& barManager() const { return *manager_; }

    int count() const { return lines_.count(); }
    const std::string& get(int index) const { return lines_.get(index); }
    const std::string& operator[](int index) const { return lines_.get(index); }
    int indexOf(std::string_view name) const { return lines_.indexOf(name); }
    // Renames a category; its items stay in it.
    void set(int index, const std::string& name) { lines_.set(index, name); }

    // A new category at the end; returns its number.
    int add(const std::string& name, const BarCategoryData& data = {});
    void insert(int index, const std::string& name);
    // Frees every item of the category; later categories move one number down.
    void remove(int index);
    void move(int from, int to);
    void exchange(int a, int b);
    void clear();

    // The data of a line; lines without data read as the defaults.
    BarCategoryData data(int index) const;
    void setData(int index, const BarCategoryData& data);

    // Takes the names (and, from another manager's categories, their data) of a string list.
    void assign(const Persistent& source) override;
    void defineProperties(Filer& filer) override;

private:
    // The lines; a change made while reading a stream comes through here too.
    class Lines : public StringList {
    public:
        explicit Lines(BarManagerCategories& owner) : owner_(&owner) {}

    protected:
        void changed() override;

    private:
        BarManagerCategories* owner_;
    };

    // Category number `from` becomes `to` for every item, through the mapping function.
    template <class Map>
    void renumber(Map map);

    BarManager* manager_;
    Lines lines_{*this};
};

}  // namespace lindora
