#include "bars/model/BarGroup.h"

#include <algorithm>
#include <memory>

#include "bars/model/BarFramework.h"
#include "bars/model/BarItem.h"
#include "bars/model/BarManager.h"
#include "base/ClassBuilder.h"
#include "base/Filer.h"

namespace lindora {

const ClassInfo& BarGroup::classInfo() {
    static const ClassInfo info = ClassBuilder<BarGroup>("BarGroup", Component::classInfo())
                                      .property("Enabled", &BarGroup::enabled, &BarGroup::setEnabled)
                                      .defaultValue(true)
                                      .property("Visible", &BarGroup::visible, &BarGroup::setVisible)
                                      .defaultValue(ivAlways);
    return info;
}

BarGroup::BarGroup(Component* owner) : Component(owner) {
    BarManagerList& list = BarFramework::managerList();
    BarManager* m = owner ? list.managerByForm(owner) : nullptr;
    if (!m && list.count() > 0) m = list.managers().front();
    if (m) {
        manager_ = m;
        m->registerGroup(this);
    }
}

BarGroup::~BarGroup() {
    for (Component* c : members_) removeFreeNotification(c);
    members_.clear();
    if (manager_) manager_->unregisterGroup(this);
}

bool BarGroup::contains(const BarGroup* group) const {
    if (group == this) return true;
    for (Component* c : members_)
        if (auto* g = dynamic_cast<BarGroup*>(c); g && g->contains(group)) return true;
    return false;
}

void BarGroup::add(Component* member) {
    if (!member || (!dynamic_cast<BarItem*>(member) && !dynamic_cast<BarGroup*>(member))) return;
    if (std::find(members_.begin(), members_.end(), member) != members_.end()) return;
    if (auto* g = dynamic_cast<BarGroup*>(member); g && g->contains(this)) throw EBarError(bartext::RecursiveGroups);
    members_.push_back(member);
    freeNotification(member);
}

void BarGroup::remove(Component* member) {
    auto it = std::find(members_.begin(), members_.end(), member);
    if (it == members_.end()) return;
    members_.erase(it);
    removeFreeNotification(member);
}

void BarGroup::setEnabled(bool value) {
    enabled_ = value;
    std::unique_ptr<BarLockUpdate> lock;
    if (!isLoading() && !isDestroying()) lock = std::make_unique<BarLockUpdate>(manager_);
    for (Component* c : std::vector<Component*>(members_)) {
        if (auto* i = dynamic_cast<BarItem*>(c)) i->setEnabled(value);
        if (auto* g = dynamic_cast<BarGroup*>(c)) g->setEnabled(value);
    }
}

void BarGroup::setVisible(BarItemVisible value) {
    visible_ = value;
    std::unique_ptr<BarLockUpdate> lock;
    if (!isLoading() && !isDestroying()) lock = std::make_unique<BarLockUpdate>(manager_);
    for (Component* c : std::vector<Component*>(members_)) {
        if (auto* i = dynamic_cast<BarItem*>(c)) i->setVisible(value);
        if (auto* g = dynamic_cast<BarGroup*>(c)) g->setVisible(value);
    }
}

void BarGroup::defineProperties(Filer& filer) {
    Component::defineProperties(filer);
    filer.defineProperty(
        "Items",
        [this](Reader& r) {
            pendingNames_.clear();
            r.readListBegin();
            while (!r.endOfList()) pendingNames_.push_back(r.readString());
            r.readListEnd();
        },
        [this](Writer& w) {
            w.writeListBegin();
            for (Component* c : members_) w.writeString(c->name());
            w.writeListEnd();
        },
        !members_.empty());
}

void BarGroup::loaded() {
    Component::loaded();
    Component* form = manager_ ? manager_->owner() : owner();
    for (const std::string& n : pendingNames_)
        if (Component* c = form ? form->findComponent(n) : nullptr) add(c);
    pendingNames_.clear();
}

Component* BarGroup::getParentComponent() const { return manager_; }

void BarGroup::setParentComponent(Component* parent) {
    auto* m = dynamic_cast<BarManager*>(parent);
    if (!m || m == manager_) return;
    if (manager_) manager_->unregisterGroup(this);
    manager_ = m;
    m->registerGroup(this);
}

void BarGroup::notification(Component* component, Operation operation) {
    Component::notification(component, operation);
    if (operation == opRemove) std::erase(members_, component);
}

}  // namespace lindora
