#pragma once
// The view of the window layer's MenuItem (FormAdapters.cpp); menuModelFor falls back to it.
#include <memory>

namespace lindora {

class Component;
class MenuModel;

// Null when `item` is not a MenuItem.
MenuModel* menuItemModelOf(Component* item);

}  // namespace lindora
