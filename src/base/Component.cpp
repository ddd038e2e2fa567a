#include "base/Component.h"

#include <algorithm>

#include "base/ClassBuilder.h"
#include "base/Exception.h"
#include "base/TextUtil.h"

namespace lindora {

const EnumInfo& enumInfoOf(ComponentStateFlag) {
    static const EnumInfo info("ComponentStateFlag", {"csLoading", "csReading", "csWriting", "csDestroying",
                                                      "csDesigning", "csUpdating", "csScratchCopy"});
    return info;
}

const ClassInfo& Component::classInfo() {
    static const ClassInfo info = ClassBuilder<Component>("Component", Persistent::classInfo())
                                      .property("Name", &Component::name, &Component::setName)
                                      .stored(false)  // the block header carries it
                                      .property("Tag", &Component::tag, &Component::setTag)
                                      .defaultValue(0);
    return info;
}

Component::Component(Component* owner) {
    if (owner) owner->insertComponent(this);
}

Component::~Component() {
    destroying();
    destroyComponents();
    sendFreeNotifications();
    if (owner_) {
        if (!removalAnnounced_) owner_->sendNotification(this, opRemove);
        owner_->remove(this);
    }
}

void Component::operator delete(Component* component, std::destroying_delete_t) {
    // The whole object is still there: virtual calls reach the derived classes.
    component->beforeDestruction();
    void* memory = dynamic_cast<void*>(component);
    component->~Component();
    ::operator delete(memory);
}

void Component::beforeDestruction() {
    destroying();
    sendFreeNotifications();
    if (owner_ && !removalAnnounced_) {
        removalAnnounced_ = true;
        owner_->sendNotification(this, opRemove);
    }
}

void Component::sendFreeNotifications() {
    // Tell everyone who asked; each forgets us in return.
    while (!freeNotifies_.empty()) {
        Component* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        auto& theirs = other->freeNotifies_;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        other->notification(this, opRemove);
    }
}

Component* Component::component(int index) const {
    if (index < 0 || index >= componentCount()) return nullptr;
    return components_[static_cast<size_t>(index)];
}

int Component::componentIndex() const {
    if (!owner_) return -1;
    const auto& list = owner_->components_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

Component* Component::findComponent(std::string_view name) const {
    if (name.empty()) return nullptr;
    for (Component* c : components_)
        if (sameText(c->name_, name)) return c;
    return nullptr;
}

void Component::validateRename(Component* component, const std::string& currentName, const std::string& newName) const {
    if (newName.empty() || sameText(currentName, newName)) return;
    Component* other = findComponent(newName);
    if (other && other != component) throw EComponentError("A component named " + newName + " already exists");
}

void Component::setName(const std::string& name) {
    if (name == name_) return;
    if (!name.empty() && !isValidIdent(name)) throw EComponentError("'" + name + "' is not a valid component name");
    if (owner_) owner_->validateRename(this, name_, name);
    name_ = name;
}

void Component::insertComponent(Component* component) {
    if (!component || component->owner_ == this) return;
    if (!component->name_.empty()) validateRename(component, std::string(), component->name_);
    if (component->owner_) component->owner_->removeComponent(component);
    insert(component);
    sendNotification(component, opInsert);
}

void Component::removeComponent(Component* component) {
    if (!component || component->owner_ != this) return;
    sendNotification(component, opRemove);
    remove(component);
}

void Component::insert(Component* component) {
    components_.push_back(component);
    component->owner_ = this;
    component->removalAnnounced_ = false;
}

void Component::remove(Component* component) {
    components_.erase(std::remove(components_.begin(), components_.end(), component), components_.end());
    component->owner_ = nullptr;
}

void Component::destroyComponents() {
    while (!components_.empty()) {
        Component* c = components_.back();
        remove(c);
        delete c;
    }
}

void Component::sendNotification(Component* component, Operation operation) {
    notification(component, operation);
    // Index loop: handlers may free components of this list.
    for (size_t i = 0; i < components_.size(); ++i) components_[i]->sendNotification(component, operation);
}

void Component::freeNotification(Component* other) {
    if (!other || other == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end())
        freeNotifies_.push_back(other);
    auto& theirs = other->freeNotifies_;
    if (std::find(theirs.begin(), theirs.end(), this) == theirs.end()) theirs.push_back(this);
}

void Component::removeFreeNotification(Component* other) {
    if (!other) return;
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), other), freeNotifies_.end());
    auto& theirs = other->freeNotifies_;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void Component::setDesigning(bool designing, bool includeOwned) {
    setState(csDesigning, designing);
    if (includeOwned)
        for (Component* c : components_) c->setDesigning(designing, true);
}

void Component::destroying() {
    if (isDestroying()) return;
    state_.include(csDestroying);
    for (Component* c : components_) c->destroying();
}

void Component::setState(ComponentStateFlag flag, bool on) {
    if (on) state_.include(flag);
    else state_.exclude(flag);
}

void Component::loaded() {}

void Component::getChildren(const std::function<void(Component&)>& proc, Component* root) {
    if (root != this) return;
    for (size_t i = 0; i < components_.size(); ++i)
        if (!components_[i]->hasParent()) proc(*components_[i]);
}

std::string Component::namePath() const { return name_.empty() ? className() : name_; }

}  // namespace lindora
