#pragma once
// The submenu window a sub item opens, as the sub item's control sees it: the submenu windows
// derive from it.
#include "bars/controls/CustomBarControl.h"

namespace lindora {

class SubMenuWindow : public CustomBarControl {
public:
    using CustomBarControl::CustomBarControl;
    bool isSubMenu() const override { return true; }

    // Where and for whom it opens.
    struct Placement {
        Point screen;          // top-left of the menu
        Rect ownerScreenRect;  // the owner item's rectangle on the screen
        int ownerItemHeight = 0;
        CustomBarControl* parentBar = nullptr;
        ItemControl* ownerControl = nullptr;
        bool openedByMouse = false;
    };
    virtual void popup(const Placement& placement) = 0;
    virtual void closeUp() = 0;
    virtual ItemControl* ownerControl() const = 0;
    // Forgets the owner link (the owner control is closing it).
    virtual void forgetOwner() = 0;
    // Selects the first link (a menu opened from the keyboard).
    virtual void selectFirst() {}
    // Some links are hidden as not recently used; expand shows them all.
    virtual bool collapsed() const { return false; }
    virtual void expand() {}
};

}  // namespace lindora
