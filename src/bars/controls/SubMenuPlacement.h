#pragma once
// Where a submenu window goes on the screen: next to its owner item, kept inside the work area
// of its monitor, flipped to the owner's other side when there is more room there, and cut in
// height (it then scrolls) when it fits neither below nor above.
#include "gfx/Geometry.h"

namespace lindora {

struct SubMenuPlacementRequest {
    Point topLeft;  // where the menu asks to open
    Size size;      // its full size from the item layout
    // The owner item's width for a menu opened to its side, its height for one opened below
    // a toolbar item; both 0 for a menu opened at a point.
    int ownerWidth = 0;
    int ownerHeight = 0;
    Rect workArea;
};

struct SubMenuPlacement {
    Rect bounds;
    bool flippedLeft = false;  // opened on the owner's left side: grows from its right edge
    bool flippedUp = false;    // opened above the owner: grows from its bottom edge
    bool heightCut() const { return cutFrom > bounds.height(); }
    int cutFrom = 0;  // the height asked for
};

SubMenuPlacement PlaceSubMenu(const SubMenuPlacementRequest& request);

}  // namespace lindora
