#pragma once
// Groups items (and nested groups) for switching them together.
#include <string>
#include <vector>

#include "bars/model/BarTypes.h"
#include "base/Component.h"

namespace lindora {

class BarManager;

class BarGroup : public Component {
    LINDORA_CLASS(BarGroup)

public:
    explicit BarGroup(Component* owner = nullptr);
    ~BarGroup() override;

    BarManager* barManager() const { return manager_; }

    bool enabled() const { return enabled_; }
    void setEnabled(bool value);
    BarItemVisible visible() const { return visible_; }
    void setVisible(BarItemVisible value);

    const std::vector<Component*>& members() const { return members_; }
    // Ignores none, other kinds of component and members already present; a group that is
    // this group or contains it throws EBarError(RecursiveGroups).
    void add(Component* member);
    void remove(Component* member);
    // True when `group` is this group or a member of it at any depth.
    bool contains(const BarGroup* group) const;

    void defineProperties(Filer& filer) override;
    void loaded() override;
    bool hasParent() const override { return manager_ != nullptr; }
    Component* getParentComponent() const override;
    void setParentComponent(Component* parent) override;

protected:
    void notification(Component* component, Operation operation) override;

private:
    void setMembersEnabled(bool value);
    void setMembersVisible(BarItemVisible value);

    BarManager* manager_ = nullptr;
    bool enabled_ = true;
    BarItemVisible visible_ = ivAlways;
    std::vector<Component*> members_;
    std::vector<std::string> pendingNames_;
};

}  // namespace lindora
