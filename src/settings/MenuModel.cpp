#include "settings/MenuModel.h"

#include "base/Component.h"
#include "settings/FormAdapters.h"

namespace lindora {

MenuModel* menuModelFor(Component* item) {
    if (auto* provider = dynamic_cast<MenuModelProvider*>(item)) return &provider->menuModel();
    return menuItemModelOf(item);
}

}  // namespace lindora
