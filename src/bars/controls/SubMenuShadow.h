#pragma once
// The drop shadow of a popup bar window: a strip along its right edge and one along its bottom
// edge, each offset by the shadow's size, without the part of an edge that touches the owner
// item. The strips are popup windows of their own, owned by the menu, transparent to the mouse
// and right below it in z-order. Where the platform shows per-pixel alpha the shadow is 4
// pixels and fades across the strip by 15 per pixel (and in the corners); elsewhere it is 2
// pixels of the button-shadow colour.
#include <array>
#include <memory>

#include "gfx/Geometry.h"

namespace lindora {

class Window;

class SubMenuShadow {
public:
    // The shadow's size and look as the platform allows now.
    SubMenuShadow();
    ~SubMenuShadow();
    SubMenuShadow(const SubMenuShadow&) = delete;
    SubMenuShadow& operator=(const SubMenuShadow&) = delete;

    int size() const { return size_; }
    bool translucent() const { return translucent_; }
    // The strips' screen rectangles for a menu's bounds and its owner's rectangle (may be empty).
    static std::array<Rect, 2> partRects(const Rect& menu, const Rect& owner, int size);
    // Shows the strips beside the menu window, right below it in z-order.
    void show(Window& menu, const Rect& owner);
    void hide();
    bool visible() const;
    // The strips' windows (right, bottom), for tests; null before the first show.
    Window* part(int index) const;

private:
    class StripWindow;
    int size_ = 2;
    bool translucent_ = false;
    std::array<std::unique_ptr<StripWindow>, 2> parts_;
};

}  // namespace lindora
