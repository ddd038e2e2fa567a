#pragma once
// The views of the window layer's Form and MenuItem (FormAdapters.cpp); formAccessFor and
// menuModelFor fall back to them.
#include <memory>

namespace lindora {

class Component;
class FormAccess;
class MenuModel;

// Null when `owner` is not a Form.
std::unique_ptr<FormAccess> formViewOf(Component* owner);
// Null when `item` is not a MenuItem.
MenuModel* menuItemModelOf(Component* item);

}  // namespace lindora
