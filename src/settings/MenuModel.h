#pragma once
// The classic menu-item model as the recent-files list uses it: an item with ordered
// sub-entries, each entry a component with a caption, a tag and a click. Menu item classes
// reach the settings through this view, so that the settings depend only on what they use.
#include <functional>
#include <string>
#include <vector>

namespace lindora {

class Component;

class MenuModel {
public:
    virtual ~MenuModel() = default;

    virtual std::vector<Component*> entries(Component& menu) const = 0;
    // The item that holds `item` as an entry, or null.
    virtual Component* parentOf(Component& item) const = 0;
    virtual std::string caption(Component& item) const = 0;
    virtual void setCaption(Component& item, const std::string& caption) = 0;
    // A new entry owned by `owner`; `onClick` runs when it is chosen.
    virtual Component* createEntry(Component* owner, std::function<void(Component& entry)> onClick) = 0;
    // Inserts `entry` at `index` of `menu` (appends when index is the count).
    virtual void insert(Component& menu, int index, Component& entry) = 0;
    // Takes `entry` out of `menu` without freeing it.
    virtual void remove(Component& menu, Component& entry) = 0;
};

// A menu item class that describes itself through a MenuModel.
class MenuModelProvider {
public:
    virtual ~MenuModelProvider() = default;
    virtual MenuModel& menuModel() = 0;
};

// The model of `item`'s class; null when `item` is not a menu item.
MenuModel* menuModelFor(Component* item);

}  // namespace lindora
