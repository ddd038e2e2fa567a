#include "ui/MenuItem.h"

#include <algorithm>

#include "base/ClassBuilder.h"
#include "base/Exception.h"

namespace lindora {

const ClassInfo& MenuItem::classInfo() {
    static const ClassInfo info = ClassBuilder<MenuItem>("MenuItem", Component::classInfo())
                                      .property("Caption", &MenuItem::caption, &MenuItem::setCaption)
                                      .property("Enabled", &MenuItem::enabled, &MenuItem::setEnabled)
                                      .defaultValue(true)
                                      .property("Visible", &MenuItem::visible, &MenuItem::setVisible)
                                      .defaultValue(true)
                                      .property("Checked", &MenuItem::checked, &MenuItem::setChecked)
                                      .defaultValue(false)
                                      .event("OnClick", &MenuItem::OnClick);
    return info;
}

MenuItem::MenuItem(Component* owner) : Component(owner) {}

MenuItem::~MenuItem() {
    // Sub-entries go with their entry; each leaves this list as it is freed.
    while (!items_.empty()) delete items_.back();
    if (parent_) parent_->remove(this);
}

MenuItem* MenuItem::item(int index) const {
    if (index < 0 || index >= count()) throw Exception("Menu index out of range");
    return items_[static_cast<std::size_t>(index)];
}

int MenuItem::menuIndex() const { return parent_ ? parent_->indexOf(this) : -1; }

int MenuItem::indexOf(const MenuItem* item) const {
    auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void MenuItem::add(MenuItem* item) { insert(count(), item); }

void MenuItem::insert(int index, MenuItem* item) {
    if (!item) return;
    for (const MenuItem* p = this; p; p = p->parent_)
        if (p == item) throw Exception("A menu entry cannot contain itself");
    if (item->parent_) item->parent_->remove(item);
    index = std::clamp(index, 0, count());
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
}

void MenuItem::remove(MenuItem* item) {
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) return;
    items_.erase(it);
    item->parent_ = nullptr;
}

void MenuItem::click() {
    if (enabled_) OnClick(this);
}

void MenuItem::setParentComponent(Component* parent) {
    if (auto* p = dynamic_cast<MenuItem*>(parent)) p->add(this);
}

void MenuItem::getChildren(const std::function<void(Component&)>& proc, Component* root) {
    for (MenuItem* i : items_) proc(*i);
}

}  // namespace lindora
