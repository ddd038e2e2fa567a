#pragma once
// The manager's popup menu links: which popup menu a control shows on a right click. The model
// keeps the links and forgets freed components; showing the menus is the popup menu's business.
#include "base/Collection.h"

namespace lindora {

class Component;

class BarPopupMenuLink : public CollectionItem {
    LINDORA_CLASS(BarPopupMenuLink)

public:
    explicit BarPopupMenuLink(Collection* collection = nullptr);
    Component* control() const { return control_; }
    void setControl(Component* c) { control_ = c; }
    Component* popupMenu() const { return popupMenu_; }
    void setPopupMenu(Component* m) { popupMenu_ = m; }
    void assign(const Persistent& source) override;

private:
    Component* control_ = nullptr;
    Component* popupMenu_ = nullptr;
};

class BarPopupMenuLinks : public Collection {
    LINDORA_CLASS(BarPopupMenuLinks)

public:
    explicit BarPopupMenuLinks(Persistent* owner);
    using Collection::items;
    BarPopupMenuLink* items(int i) const { return static_cast<BarPopupMenuLink*>(item(i)); }
    // A freed component leaves every link that names it.
    void componentFreed(Component* c);
};

}  // namespace lindora
