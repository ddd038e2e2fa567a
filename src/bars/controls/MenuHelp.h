#pragma once
// Help requests by keyboard (F1) on the bar windows: the selected item of the open menu, or of
// the menu it was opened from and so on up the chain, names the help topic by its help
// context; with no menu open, the item under the mouse in one of the manager's bar windows
// does. The menus close, then the topic shows (popped up at the item's centre when the form
// has a help caption button).
#include "gfx/Geometry.h"

namespace lindora {

class BarManager;

class MenuHelp {
public:
    struct Target {
        int context = 0;  // 0: no item has a help topic
        Rect itemOnScreen;
    };

    // The item whose topic a help request of the manager's form shows now.
    static Target find(BarManager& manager);
    // Closes the menus and shows the topic; false when no item has one.
    static bool request(BarManager& manager);
};

}  // namespace lindora
