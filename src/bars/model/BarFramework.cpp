#include "bars/model/BarFramework.h"

#include <algorithm>

#include "bars/items/ExtendedItems.h"
#include "bars/model/BarAction.h"
#include "bars/model/BarButton.h"
#include "bars/model/BarContainerItems.h"
#include "bars/model/BarControlsIntegration.h"
#include "bars/model/BarEdit.h"
#include "bars/model/BarGroup.h"
#include "bars/model/BarManager.h"
#include "bars/model/BarSubItem.h"
#include "bars/model/DockControl.h"
#include "bars/model/FormLink.h"
#include "bars/model/ItemControlClass.h"
#include "base/ClassInfo.h"
#include "base/ClassRegistry.h"
#include "gfx/PersistentGraphics.h"

namespace lindora {

// ---- BarManagerList

BarManager* BarManagerList::managerByForm(Component* form) const {
    for (BarManager* m : managers_)
        if (m->owner() == form) return m;
    if (Component* parent = formlink::parentForm(form); parent && parent != form)
        for (BarManager* m : managers_)
            if (m->owner() == parent) return m;
    return nullptr;
}

void BarManagerList::add(BarManager* manager) {
    managers_.push_back(manager);
    if (managers_.size() == 1)
        if (BarControlsIntegration* integration = BarControlsIntegration::instance()) integration->startServices();
}

void BarManagerList::remove(BarManager* manager) {
    auto it = std::find(managers_.begin(), managers_.end(), manager);
    if (it == managers_.end()) return;
    managers_.erase(it);
    if (managers_.empty())
        if (BarControlsIntegration* integration = BarControlsIntegration::instance()) integration->stopServices();
}

// ---- ItemControlRegistry

void ItemControlRegistry::registerBarItem(const ClassInfo& itemClass, const ItemControlClass& controlClass,
                                          bool offered) {
    entries_.push_back({&itemClass, &controlClass, offered});
    registerClass(itemClass);
}

void ItemControlRegistry::unregisterBarItem(const ClassInfo& itemClass) {
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [&](const RegItemRecord& r) { return r.itemClass == &itemClass; });
    if (it == entries_.end()) return;
    entries_.erase(it);
    unregisterClass(itemClass);
}

int ItemControlRegistry::offeredItemClassCount() const {
    return static_cast<int>(
        std::count_if(entries_.begin(), entries_.end(), [](const RegItemRecord& r) { return r.offered; }));
}

const ClassInfo* ItemControlRegistry::offeredItemClass(int n) const {
    if (n < 0) return nullptr;
    for (const RegItemRecord& r : entries_)
        if (r.offered && n-- == 0) return r.itemClass;
    return nullptr;
}

const RegItemRecord* ItemControlRegistry::find(const ClassInfo& itemClass) const {
    for (const RegItemRecord& r : entries_)
        if (r.itemClass == &itemClass) return &r;
    return nullptr;
}

// ---- BarFramework

namespace {

struct FrameworkState {
    bool started = false;
    BarManagerList managers;
    ItemControlRegistry registry;
    std::vector<BarItem*> temporaryItems;
    std::vector<const ClassInfo*> supportClasses;
};

FrameworkState& state() {
    static FrameworkState s;
    return s;
}

// Unregisters the item classes at process exit when the program did not shut the framework
// down. Managers still alive then belong to forms that were never freed: they are left alone,
// since the window layer they would talk to may be gone already.
struct ExitGuard {
    ~ExitGuard() {
        if (BarFramework::managerList().count() == 0) BarFramework::shutDown();
    }
};

}  // namespace

void BarFramework::startUp() {
    FrameworkState& s = state();
    if (s.started) return;
    // The class registry must outlive the guard that unregisters from it.
    ClassRegistry::instance();
    static ExitGuard guard;
    s.started = true;
    // Classes that streams create besides the items.
    s.supportClasses = {&BarGroup::classInfo(), &BarManager::classInfo(), &BarAction::classInfo(),
                        &ImageListComponent::classInfo()};
    for (const ClassInfo* c : s.supportClasses) registerClass(*c);
    // The framework's own items, in this order; items not built here (combos, quick
    // customizing, merged system menus) register where they are built.
    s.registry.registerBarItem(BarButton::classInfo(), itemcontrols::BarButtonControl, true);
    s.registry.registerBarItem(BarEdit::classInfo(), itemcontrols::BarEditControl, true);
    s.registry.registerBarItem(BarSubItem::classInfo(), itemcontrols::BarSubItemControl, true);
    s.registry.registerBarItem(BarListItem::classInfo(), itemcontrols::BarContainerItemControl, true);
    s.registry.registerBarItem(BarContainerItem::classInfo(), itemcontrols::BarContainerItemControl, true);
    // The extended items register after the framework's own, so that form descriptions can
    // hold them.
    BarExtendedItems::startUp();
}

void BarFramework::shutDown() {
    FrameworkState& s = state();
    if (!s.started) return;
    // Managers still listed go first, while their item classes are known.
    while (!s.managers.managers().empty()) delete s.managers.managers().back();
    BarExtendedItems::shutDownAll();
    auto entries = s.registry.entries();
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) s.registry.unregisterBarItem(*it->itemClass);
    for (auto it = s.supportClasses.rbegin(); it != s.supportClasses.rend(); ++it) unregisterClass(**it);
    s.supportClasses.clear();
    s.temporaryItems.clear();
    s.started = false;
}

bool BarFramework::isStarted() { return state().started; }
BarManagerList& BarFramework::managerList() { return state().managers; }
ItemControlRegistry& BarFramework::registry() { return state().registry; }

void BarFramework::addTemporaryItem(BarItem* item) { state().temporaryItems.push_back(item); }
void BarFramework::removeTemporaryItem(BarItem* item) { std::erase(state().temporaryItems, item); }
const std::vector<BarItem*>& BarFramework::temporaryItems() { return state().temporaryItems; }

}  // namespace lindora
