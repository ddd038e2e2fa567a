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

    // ---- ItemLinksWindow
    bool isDestroying() const override { return destroying_; }
    void forgetControl(BarItemControl& control) override;
    void repaint() override {}

protected:
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
    ItemLinksWindow* openSubMenu_ = nullptr;
    mutable std::unique_ptr<Canvas> measure_;
};

}  // namespace lindora
