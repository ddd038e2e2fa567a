#pragma once
// The part of a bar window (toolbar or submenu) that its item controls rely on: the manager and
// its painter, the font and text metrics items are measured in, the selected and the captured
// pressed control, the active flag, the open child submenu, and the requests an item makes of
// its window (rebuild, repaint an item or a part of it, end menu mode). It needs no real
// window, so controls can be measured and drawn into a bitmap; the toolbar and submenu windows
// derive from it and give these requests their window behaviour.
#include <memory>

#include "bars/model/BarWindows.h"
#include "gfx/Brush.h"
#include "gfx/Canvas.h"
#include "gfx/Font.h"
#include "gfx/Geometry.h"

namespace lindora {

class BarItemControlPainter;
class BarManager;
class ItemControl;
class Window;

class CustomBarControl : public ItemLinksWindow {
public:
    CustomBarControl(BarManager& manager, BarItemLinks& links);
    ~CustomBarControl() override;
    CustomBarControl(const CustomBarControl&) = delete;
    CustomBarControl& operator=(const CustomBarControl&) = delete;

    BarManager& barManager() const { return *manager_; }
    BarItemLinks& itemLinks() const override { return *links_; }
    // The manager's painter.
    const BarItemControlPainter& painter() const;

    // ---- shape
    virtual bool isSubMenu() const { return false; }
    // Vertical and the bar turns its texts (RotateWhenVertical).
    virtual bool isRotated() const { return false; }
    virtual bool isMainMenu() const { return false; }
    // Whether the item's own Align counts for the link (a toolbar's last link).
    virtual bool alignAllowed(const BarItemLink& link) const { return false; }
    // The toolbar's menu-opened-by-click flag (set once a menu was opened by a click or a key).
    virtual bool menuOpenedByClick() const { return false; }
    // How far a submenu is raised above the item that opens it.
    virtual int subMenuTopOffset() const { return 0; }
    virtual Point clientToScreen(Point client) const { return client; }

    // ---- text
    // The font items draw with: the manager's, turned by -90 degrees on rotated bars.
    virtual Font itemFont() const;
    // Height of "0" in the item font plus 6.
    int textItemHeight() const;
    // Width of a caption as shown (accelerator marks removed) in the item font, unrotated.
    int captionWidth(const std::string& caption) const;
    int textWidth(const std::string& text) const;
    // The size of the small arrows items draw: a fifth of the text item height, at least 4.
    int arrowSize() const;
    // The submenu's item height (the painter's menu item height for this window).
    virtual int menuItemHeight() const;

    // ---- painting
    // The background behind items (the painter's brush for this bar).
    virtual Brush backgroundBrush() const;
    // Invalidates a rectangle in client coordinates without erasing it.
    virtual void invalidateRect(const Rect& r) {}
    // Repaints the control's item rectangle.
    virtual void repaintItem(ItemControl& control);
    // Lays the window out again (controls may be recreated: callers touch nothing after it).
    virtual void rebuildBar() {}

    // ---- state
    ItemControl* selectedControl() const { return selected_; }
    // Repaints the old and the new selection and records the manager's hot link.
    virtual void setSelectedControl(ItemControl* control);
    bool active() const { return active_; }
    // On: the bar becomes the head of the active menu chain. Off: the selection is dropped (an
    // open submenu of it closes) and the bar leaves the chain.
    virtual void setActive(bool value);
    // The captured pressed control (a button held down by the mouse) and whether the mouse is
    // over it now.
    ItemControl* pressedControl() const { return pressed_; }
    bool mouseInPressedControl() const { return pressedMouseInside_; }
    void setPressedControl(ItemControl* control, bool mouseInside);
    // The submenu opened from one of this window's items.
    ItemLinksWindow* openSubMenu() const { return openSubMenu_; }
    void setOpenSubMenu(ItemLinksWindow* window) { openSubMenu_ = window; }
    // Ends menu mode along the whole chain of open menus.
    virtual void hideAll() {}

    // ---- menu mode and input (shared by toolbars and submenus)
    // The bar a submenu was opened from; none for a toolbar.
    virtual CustomBarControl* parentBar() const { return nullptr; }
    // The first bar of the chain this bar belongs to.
    CustomBarControl& rootBar();
    // The window that shows the bar (capture, mouse-leave tracking), if it has one.
    virtual Window* barWindow() const { return nullptr; }
    // The control under a client point, or none.
    virtual ItemControl* controlAtPoint(Point client) const { return nullptr; }
    // The bar activated before this one on the chain.
    CustomBarControl* previousActive() const { return previousActive_; }
    void setPreviousActive(CustomBarControl* bar) { previousActive_ = bar; }
    // Selection by keyboard (a toolbar also activates the new selection).
    virtual void selectControl(ItemControl* control);
    // Selection by mouse: the old selection is deactivated and the new one activated, neither
    // immediately (a sub item in a submenu opens or closes after its delay).
    void hotTrackControl(ItemControl* control);
    // The toolbar's menu-opened-by-click flag is dropped (Esc closed its submenu).
    virtual void forgetMenuOpenedByClick() {}
    // Mouse input in client coordinates, as the bar's window receives it.
    virtual void mouseMoved(Point client);
    virtual void leftButtonDown(Point client);
    virtual void leftButtonUp(Point client);
    virtual void mouseLeft();
    void captureChanged();
    // A key pressed while this bar heads the chain; true when the bar used it.
    virtual bool keyPressed(unsigned vk);
    // Hot tracking starts afresh with the next move, even at the same point.
    void resetLastMousePos() { lastMouse_ = Point(-1, -1); }
    // The next button release is ignored (its press went to a menu that closed).
    bool ignoreNextButtonUp() const { return ignoreNextButtonUp_; }
    void setIgnoreNextButtonUp(bool v) { ignoreNextButtonUp_ = v; }

    // ---- ItemLinksWindow
    bool isDestroying() const override { return destroying_; }
    void forgetControl(BarItemControl& control) override;
    void repaint() override {}

protected:
    // The base press on a control: select it, press it, and capture the mouse while a button
    // is held down.
    void pressControl(ItemControl& control, Point client);
    // A double click on the selected control that is not a second press: its inner window
    // takes it, or an open sub item expands its collapsed menu. False when it was not that.
    bool doubleClickSelection(ItemControl* control, Point client);
    // Selects the next link whose accelerator the key types (the only one is clicked by a
    // synthetic Enter); false when none has it.
    bool selectByAccelerator(unsigned vk);
    // A move the bar does not track (a docked toolbar of an inactive form).
    virtual bool ignoresMouseMove() const { return false; }
    // Derived windows mark their destruction before their links let the controls go.
    void setDestroying() { destroying_ = true; }
    // Shows the links: each visible one gets its control.
    void attachLinks();
    void detachLinks();

private:
    BarManager* manager_;
    BarItemLinks* links_;
    ItemControl* selected_ = nullptr;
    ItemControl* pressed_ = nullptr;
    bool pressedMouseInside_ = false;
    bool active_ = false;
    bool destroying_ = false;
    bool ignoreNextButtonUp_ = false;
    Point lastMouse_{-1, -1};
    CustomBarControl* previousActive_ = nullptr;
    ItemLinksWindow* openSubMenu_ = nullptr;
    mutable std::unique_ptr<Canvas> measure_;
};

}  // namespace lindora
