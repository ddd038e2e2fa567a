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

class BarManagerCategories : public StringList {
    LINDORA_CLASS(BarManagerCategories)

public:
    explicit BarManagerCategories(BarManager& manager);

    BarManager& barManager() const { return *manager_; }

    // These hide StringList's operations to keep the items' Category numbers in step.
    void remove(int index);  // frees every item of the category
    void insert(int index, const std::string& s);
    void move(int from, int to);
    void exchange(int a, int b);
    void clear();

    // The data of a line; lines without data read as the defaults.
    BarCategoryData data(int index) const;
    void setData(int index, const BarCategoryData& data);

    void defineProperties(Filer& filer) override;

protected:
    void changed() override;

private:
    // Category number `from` becomes `to` for every item, through the mapping function.
    template <class Map>
    void renumber(Map map);

    BarManager* manager_;
};

}  // namespace lindora
