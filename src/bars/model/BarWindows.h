#pragma once
// The model's side of the bar windows. Toolbar and submenu windows, item controls and dock-site
// layout belong to the controls layer; the model talks to them only through these interfaces
// and creates them through the installed BarControlsIntegration.

#include "bars/model/BarTypes.h"
#include "gfx/Geometry.h"

namespace lindora {

class Bar;
class BarItemLink;
class BarItemLinks;
class BarManager;
class DockControl;

// The visual object of one item link. Created for a link while its collection is
// shown; told about every change of its item or link that it shows.
class BarItemControl {
public:
    explicit BarItemControl(BarItemLink& link) : link_(&link) {}
    virtual ~BarItemControl() = default;
    BarItemControl(const BarItemControl&) = delete;
    BarItemControl& operator=(const BarItemControl&) = delete;

    BarItemLink& link() const { return *link_; }

    // A user click on the control: a checked button first toggles Down and closes its own
    // drop-down; a control that closes menus marks the link used with counting (its source
    // link first) and closes every open menu; a control that can click then clicks the item
    // with ClickItemLink set to the link (its source link when it has one). Closing the menus
    // may free this control, so nothing of it is used after that.
    void click();
    virtual bool closesMenusWhenClicked() const { return true; }
    virtual bool canClick() const { return true; }

    virtual void captionChanged() {}
    virtual void enabledChanged() {}
    virtual void glyphChanged() {}
    virtual void hotImagesChanged() {}
    virtual void largeImagesChanged() {}
    virtual void shortCutChanged() {}
    virtual void visibleChanged() {}
    virtual void beginGroupChanged() {}
    virtual void paintStyleChanged() {}
    virtual void widthChanged() {}
    virtual void downChanged() {}
    virtual void buttonStyleChanged() {}
    virtual void dropDownEnabledChanged() {}
    // The item changed in a way that needs its window rebuilt (Align, NotifyControls).
    virtual void refresh() {}
    virtual void repaint() {}
    // Can the keyboard select it, and is it the window's selected control now.
    virtual bool canSelect() const { return true; }
    virtual bool isSelected() const { return false; }
    // Closes an open drop-down of the button it shows.
    virtual void closeDropDown() {}

private:
    BarItemLink* link_;
};

// A window that shows an item-link collection: a toolbar window or a submenu window.
class ItemLinksWindow {
public:
    virtual ~ItemLinksWindow() = default;

    virtual BarItemLinks& itemLinks() const = 0;
    // Vertical toolbar (docked left or right).
    virtual bool isVertical() const { return false; }
    virtual bool isToolbar() const { return false; }
    virtual bool isCustomizing() const { return false; }
    virtual bool isDestroying() const { return false; }
    // Whether the window fully shows the link (keyboard navigation skips the others).
    virtual bool fullyShows(const BarItemLink& link) const { return true; }
    // A deferred request to lay the window out again (recent-order changes).
    virtual void requestRecalculate() {}
    // Lay out and repaint now.
    virtual void recalculate() {}
    virtual void repaint() {}
    // The links changed (a link was added, removed or reordered).
    virtual void linksChanged() {}
    // The link's control is about to go: deselect it if selected.
    virtual void forgetControl(BarItemControl& control) {}
    virtual void setLockUpdate(bool locked) {}
};

// The window of a bar (a toolbar window), docked or floating.
class BarWindow : public ItemLinksWindow {
public:
    bool isToolbar() const override { return true; }

    virtual BarDockingStyle dockingStyle() const = 0;
    virtual DockControl* dockControl() const = 0;
    // Docks into `site` at a screen point, or floats with dsNone.
    virtual void setDockingStyle(BarDockingStyle style) = 0;
    virtual void dockInto(DockControl& site, Point screen) = 0;
    virtual void floatAt(const Rect& clientBoundsOnScreen) = 0;
    virtual void showNoActivate() = 0;
    // Writes its current position back into the bar before it is destroyed.
    virtual void storePosition(Bar& bar) = 0;
    // Whether the toolbars popup may list this bar.
    virtual bool canBeListed() const { return true; }
    virtual void captionChanged() {}
    virtual void fontChanged() {}
    virtual void frameChanged() {}
};

}  // namespace lindora
