#pragma once
// Process-wide state of the bar framework: the list of live managers, the item-control
// registry, the temporary items, and the framework's start-up and shut-down.
#include <vector>

namespace lindora {

class BarItem;
class BarManager;
class ClassInfo;
class Component;
class ItemControlClass;

// Every live manager, in registration order. The first one starts the installed controls
// integration's services, the last one stops them.
class BarManagerList {
public:
    const std::vector<BarManager*>& managers() const { return managers_; }
    int count() const { return static_cast<int>(managers_.size()); }
    // The manager whose owner is `form`; when none, the manager of the form that owns the
    // component (its parent form).
    BarManager* managerByForm(Component* form) const;

    void add(BarManager* manager);
    void remove(BarManager* manager);

private:
    std::vector<BarManager*> managers_;
};

// Maps each item class to the class of control that shows it.
struct RegItemRecord {
    const ClassInfo* itemClass;
    const ItemControlClass* controlClass;
    bool offered;
};

class ItemControlRegistry {
public:
    const std::vector<RegItemRecord>& entries() const { return entries_; }
    // Appends an entry and registers the item class for streaming.
    void registerBarItem(const ClassInfo& itemClass, const ItemControlClass& controlClass, bool offered);
    // Removes the first entry for the class and unregisters the class.
    void unregisterBarItem(const ClassInfo& itemClass);
    int offeredItemClassCount() const;
    const ClassInfo* offeredItemClass(int n) const;
    // The entry for exactly this class (not an ancestor), or null.
    const RegItemRecord* find(const ClassInfo& itemClass) const;

private:
    std::vector<RegItemRecord> entries_;
};

class BarFramework {
public:
    // Once per process before any form is loaded; later calls do nothing.
    static void startUp();
    // Unregisters the item classes in reverse order and frees managers still listed.
    static void shutDown();
    static bool isStarted();

    static BarManagerList& managerList();
    static ItemControlRegistry& registry();

    // Temporary items (the toolbars popup's entries) live in this list while they exist.
    static void addTemporaryItem(BarItem* item);
    static void removeTemporaryItem(BarItem* item);
    static const std::vector<BarItem*>& temporaryItems();
};

}  // namespace lindora
