#pragma once
// Component: a named object with an owner. An owner keeps the ordered list of the components it
// owns and frees them when it is freed, the last created first (later components may depend on
// earlier ones, never the other way round).
//
// Ownership: a component created with an owner belongs to that owner; deleting it is allowed at
// any time and removes it from the owner. A component without owner belongs to its creator.
//
// Notifications: inserting a component into an owner or removing it sends
// notification(component, opInsert/opRemove) to the owner and to every component the owner
// owns, depth first. A component that keeps a pointer to a component owned elsewhere calls
// freeNotification(other) and is told notification(other, opRemove) when that one is freed;
// it must then clear its pointer.
//
// Freeing: `delete` on a component (or on a pointer to any derived class) first runs
// beforeDestruction() while the object is still whole: csDestroying is set, the components that
// asked are told (free notification) and so are the owner and its components. Only then do the
// destructors run; the owned components are freed by ~Component, after the derived
// destructors, the last first. Derived classes whose owned components need the derived part
// alive while they are freed call destroyComponents() at the start of their destructor.
// (Components that are not allocated with new, such as locals, get the same notices from
// ~Component, when their derived part is already gone.)
#include <cstddef>
#include <cstdint>
#include <functional>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "base/EnumInfo.h"
#include "base/Persistent.h"

namespace lindora {

enum class Operation { opInsert, opRemove };
using enum Operation;

enum class ComponentStateFlag {
    csLoading,      // being read from a form description; cleared before loaded()
    csReading,      // its own properties are being read right now
    csWriting,      // being written
    csDestroying,   // being freed
    csDesigning,    // used by a designer rather than at run time
    csUpdating,     // its owner is being updated as a whole
    csScratchCopy,  // part of a scratch copy of a form (createScratchCopy): never shown, stores nothing
};
using enum ComponentStateFlag;
const EnumInfo& enumInfoOf(ComponentStateFlag);
using ComponentState = SetOf<ComponentStateFlag>;

class Component : public Persistent {
    LINDORA_CLASS(Component)

public:
    explicit Component(Component* owner = nullptr);
    ~Component() override;

    // delete runs beforeDestruction() first (see above). The plain forms pair with it for
    // constructors that throw.
    static void operator delete(Component* component, std::destroying_delete_t);
    static void* operator new(std::size_t size) { return ::operator new(size); }
    static void operator delete(void* memory) { ::operator delete(memory); }

    // Name: empty, or a valid identifier unique (ignoring ASCII case) among the owner's
    // components. Throws EComponentError otherwise; the name is then unchanged.
    const std::string& name() const { return name_; }
    virtual void setName(const std::string& name);
    std::int64_t tag() const { return tag_; }
    void setTag(std::int64_t tag) { tag_ = tag; }

    Component* owner() const { return owner_; }
    int componentCount() const { return static_cast<int>(components_.size()); }
    Component* component(int index) const;  // null when out of range
    const std::vector<Component*>& components() const { return components_; }
    int componentIndex() const;  // position in the owner's list, -1 without owner
    // An owned component by name ignoring ASCII case; null when none (or name empty).
    Component* findComponent(std::string_view name) const;

    // Moves `component` from its current owner (if any) to this one.
    void insertComponent(Component* component);
    // Releases `component` from this owner without freeing it; the caller then owns it.
    void removeComponent(Component* component);
    // Frees every owned component, the last first.
    void destroyComponents();

    // Ask to receive notification(other, opRemove) when `other` is freed.
    void freeNotification(Component* other);
    void removeFreeNotification(Component* other);

    ComponentState componentState() const { return state_; }
    bool isLoading() const { return state_.contains(csLoading); }
    bool isReading() const { return state_.contains(csReading); }
    bool isDesigning() const { return state_.contains(csDesigning); }
    bool isDestroying() const { return state_.contains(csDestroying); }
    // Design mode for this component and, recursively, the ones it owns.
    void setDesigning(bool designing, bool includeOwned = true);
    // Marks this component and everything it owns as being freed.
    void destroying();
    // For readers and owners that run bulk operations: sets or clears one state flag.
    void setState(ComponentStateFlag flag, bool on);

    // Sent once when the form description this component came from has been read completely
    // (csLoading is already cleared). Overrides should call the base.
    virtual void loaded();

    // Parent-child relation as the form description sees it. A component that has a parent
    // (a control in a window, an item in its manager) is written inside its parent's block
    // rather than directly inside the root's.
    virtual bool hasParent() const { return false; }
    virtual Component* getParentComponent() const { return nullptr; }
    // Called by the reader for a component read from a block nested in `parent`'s block
    // (parent may be the root).
    virtual void setParentComponent(Component* parent) {}
    // The components written inside this one's block, in order. The default, for the root,
    // is every owned component without a parent.
    virtual void getChildren(const std::function<void(Component&)>& proc, Component* root);

    std::string namePath() const override;

protected:
    // Runs before any destructor when the component is deleted: sets csDestroying, sends the
    // free notifications and announces the removal to the owner's components. Overrides do
    // their own clean-up that needs the whole object and call the base.
    virtual void beforeDestruction();

    // Told about inserted and removed components (see above) and freed components that this
    // one asked about.
    virtual void notification(Component* component, Operation operation) {}
    // Asked by setName before a component owned by this one is renamed; the default refuses a
    // name already used by another owned component.
    virtual void validateRename(Component* component, const std::string& currentName, const std::string& newName) const;

private:
    void sendNotification(Component* component, Operation operation);
    void sendFreeNotifications();
    void insert(Component* component);
    void remove(Component* component);

    std::string name_;
    std::int64_t tag_ = 0;
    Component* owner_ = nullptr;
    std::vector<Component*> components_;
    std::vector<Component*> freeNotifies_;
    ComponentState state_;
    bool removalAnnounced_ = false;
};

}  // namespace lindora
