// The view of the window layer's MenuItem that the settings work through.
#include <memory>

#include "base/Component.h"
#include "settings/FormAdapters.h"
#include "settings/MenuModel.h"
#include "ui/MenuItem.h"

namespace lindora {

namespace {

class MenuItemModel : public MenuModel {
public:
    static MenuItem& item(Component& c) { return dynamic_cast<MenuItem&>(c); }

    std::vector<Component*> entries(Component& menu) const override {
        const auto& items = item(menu).items();
        return {items.begin(), items.end()};
    }
    Component* parentOf(Component& c) const override { return item(c).parent(); }
    std::string caption(Component& c) const override { return item(c).caption(); }
    void setCaption(Component& c, const std::string& caption) override { item(c).setCaption(caption); }
    Component* createEntry(Component* owner, std::function<void(Component&)> onClick) override {
        auto* entry = new MenuItem(owner);
        if (onClick) entry->OnClick.bind([entry, onClick](Persistent*) { onClick(*entry); });
        return entry;
    }
    void insert(Component& menu, int index, Component& entry) override { item(menu).insert(index, &item(entry)); }
    void remove(Component& menu, Component& entry) override { item(menu).remove(&item(entry)); }
};

}  // namespace

MenuModel* menuItemModelOf(Component* item) {
    static MenuItemModel model;
    return dynamic_cast<MenuItem*>(item) ? &model : nullptr;
}

}  // namespace lindora
