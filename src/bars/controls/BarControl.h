#pragma once
// The window of one bar (a toolbar window): docked as a child window of its dock site, or
// floating as a top-level tool window. It measures itself for its dock (DockedBar), lays out
// its item rectangles (single line with truncation and the mark, or wrapped onto several
// lines), draws its frame (border, grip; floating frame and caption) through the painter and
// its items through their controls, and writes its placement back into the bar.
#include <functional>
#include <vector>

#include "bars/controls/CustomBarControl.h"
#include "bars/docks/DockedBar.h"
#include "bars/model/BarWindows.h"
#include "bars/painters/BarItemControlPainter.h"
#include "ui/Window.h"

namespace lindora {

class Bar;
class DockSite;

class BarControl : public CustomBarControl, public BarWindow, public DockedBar, public Window {
public:
    // The chevron's length along the bar.
    static constexpr int MarkWidth = 11;

    BarControl(BarManager& manager, Bar& bar);
    ~BarControl() override;

    // ---- shape
    bool horizontal() const { return style_ != dsLeft && style_ != dsRight; }
    bool multiLineNow() const;
    bool markVisible() const;
    int separatorSize() const;
    // The rectangle of a link's item in client coordinates; empty when it does not fit.
    Rect itemRectOf(const BarItemLink& link) const;
    // The control under a client point, or none.
    ItemControl* controlAt(Point client) const;
    // The mark's rectangle in client coordinates (empty when it does not show).
    Rect markRect() const;
    // Lays the item rectangles out for the current client size.
    void calcItemRects();

    // ---- ItemLinksWindow / CustomBarControl
    BarItemLinks& itemLinks() const override { return CustomBarControl::itemLinks(); }
    bool isVertical() const override { return !horizontal(); }
    bool isToolbar() const override { return true; }
    bool isRotated() const override;
    bool isMainMenu() const override;
    bool isDestroying() const override { return CustomBarControl::isDestroying(); }
    bool fullyShows(const BarItemLink& link) const override;
    void requestRecalculate() override { rebuildBar(); }
    void recalculate() override { rebuildBar(); }
    void linksChanged() override { rebuildBar(); }
    void forgetControl(BarItemControl& control) override { CustomBarControl::forgetControl(control); }
    void setLockUpdate(bool locked) override;
    bool alignAllowed(const BarItemLink& link) const override;
    Point clientToScreen(Point client) const override;
    void invalidateRect(const Rect& r) override;
    void rebuildBar() override;

    // ---- BarWindow
    BarDockingStyle dockingStyle() const override { return style_; }
    DockControl* dockControl() const override;
    void setDockingStyle(BarDockingStyle style) override;
    void dockInto(DockControl& site, Point screen) override;
    void floatAt(const Rect& clientBoundsOnScreen) override;
    void showNoActivate() override;
    void storePosition(Bar& bar) override;
    void captionChanged() override;
    void fontChanged() override { rebuildBar(); }
    void frameChanged() override;

    // ---- menu mode and input
    Window* barWindow() const override { return const_cast<BarControl*>(this); }
    ItemControl* controlAtPoint(Point client) const override { return controlAt(client); }
    bool menuOpenedByClick() const override { return menuOpenedByClick_; }
    void forgetMenuOpenedByClick() override { menuOpenedByClick_ = false; }
    void setActive(bool value) override;
    void selectControl(ItemControl* control) override;
    void hideAll() override;
    void mouseMoved(Point client) override;
    void mouseLeft() override;
    void leftButtonDown(Point client) override;
    // A double click: on the open sub item a collapsed menu expands, on another item it is a
    // second press, on the grip or an empty part it docks or floats the bar.
    void leftButtonDoubleClick(Point client);
    bool keyPressed(unsigned vk) override;
    // Enters menu mode with the control selected (none: the first selectable link); the
    // focus window is kept to be given back.
    void activateMenuMode(ItemControl* control);
    // Ends menu mode when this is its manager's toolbar in menu mode.
    void deactivateMenuMode();
    // The mark (chevron): normal, hot under the mouse, or open (its popup shows).
    MarkState markState() const { return markState_; }
    void setMarkState(MarkState state);
    // The polling timer of a floating bar's hot mark (the mouse may leave it unnoticed).
    static constexpr unsigned kMarkTimer = 1;
    static constexpr int kMarkInterval = 50;
    // A press on the grip or an empty part of a docked bar: dragging the bar starts here once
    // bars can be dragged; until then nothing happens.
    void startDragging(Point client) {}
    // A right press: the toolbars popup (or, customizing, the customizing popup) shows here once
    // popup menus exist; until then nothing is shown.
    void showToolbarsPopup(Point client) {}
    // A double click on the grip or caption area docks or floats the bar once bars can be
    // dragged; until then nothing happens.
    void toggleDocking() {}
    // The open mark's quick-customization popup shows here once popup menus exist.
    void showQuickCustomizingPopup() {}

    // ---- the floating frame
    // The close button of a floating bar in window coordinates; empty when docked or when the
    // bar may not be closed.
    Rect closeButtonRect() const;
    CaptionButtonState closeButtonState() const { return closeState_; }
    // The polling timer that cools a hot close button down once the mouse has left it (the
    // frame gets no mouse-leave notice).
    static constexpr unsigned kCloseButtonTimer = 2;
    // The hit-test code of a point on the screen. A floating bar answers its close button,
    // caption and sizing edges; a docked bar answers HTCLIENT everywhere and keeps what the
    // point means (HTCAPTION on the grip or an empty part) for its own press handling.
    int hitTest(Point screen);
    // The window bounds a floating bar takes when its edge `hit` (HTLEFT, HTRIGHT, HTTOP or
    // HTBOTTOM) is dragged by `delta` from `start`: the layout for the requested width (or
    // height) decides the size, and the opposite edges stay. The items are wrapped for it.
    Rect floatingBoundsForEdge(int hit, const Rect& start, Point delta);
    // The code the last hit test recorded for the bar's own press handling.
    int lastHitTest() const { return lastHitTest_; }
    // The grip of a docked bar that may be moved, in client coordinates: the cursor shows that
    // the bar moves from there. Empty otherwise.
    Rect dragRect() const;
    // Posted to lay the bar out again later, once the code that changed it has returned.
    static constexpr unsigned kRebuildMessage = WM_USER + 1;

    // ---- DockedBar
    Bar& bar() const override { return *bar_; }
    int minLength(BarDockingStyle style) override;
    int fullLength(BarDockingStyle style) override;
    int fullThickness(BarDockingStyle style) override;
    Size sizeForLength(BarDockingStyle style, int length) override;
    bool lengthsCountMark(BarDockingStyle style) override;
    bool markAlwaysDrawn() const override;
    int nonClientAlong(BarDockingStyle style) const override;
    int nonClientAcross(BarDockingStyle style) const override;
    Point nonClientOffset() const override;
    bool truncated() const override { return truncated_; }
    void setTruncated(bool value) override { truncated_ = value; }
    Rect dockedBounds() const override { return bounds(); }
    void setDockedBounds(const Rect& bounds) override;
    void repaint() override;
    void dockFrameChanged() override { frameChanged(); }
    void dockStyleChanged(BarDockingStyle style) override;
    bool restoringDockedState() const override { return restoring_ > 0; }

protected:
    bool ignoresMouseMove() const override;
    void wndProc(Message& m) override;
    void paint(Canvas& canvas) override;
    void paintNonClient(Canvas& canvas) override;

private:
    struct Measure {
        int length = 0;
        int thickness = 0;
    };
    // A link's length along and thickness across a bar of this style.
    Measure measure(const BarItemLink& link, BarDockingStyle style) const;
    std::vector<BarItemLink*> visibleLinks() const;
    bool isHorizontalStyle(BarDockingStyle style) const { return style != dsLeft && style != dsRight; }
    bool multiLineFor(BarDockingStyle style) const;
    // A single line shows the most recently used links that fit (not while designing).
    bool filtersRecentItems() const;
    // The link a single line shows when it shows one only.
    BarItemLink* firstShownAlone() const;
    // The length of `links` in bar order up to the first that does not fit in `available` (the
    // first always counts); their thickness, and whether all fit.
    int singleLineLength(const std::vector<BarItemLink*>& links, BarDockingStyle style, int available, int* thickness,
                         bool* allFit) const;
    // Wraps the visible links onto lines no longer than `lineLength`; sets each control's
    // BreakBefore. Returns (length, thickness) of the wrapped bar.
    Measure wrap(BarDockingStyle style, int lineLength);
    // The frame insets of the window (left, top, right, bottom).
    Rect frameInsets() const;
    bool movable() const;
    void paintItems(Canvas& canvas);
    DockSite* site() const;
    void leaveSite();
    void ensureHandle(Window* parent, const Rect& bounds);
    // A floating bar's window keeps its size limits and stays where the user can reach it.
    void keepFloatingBoundsReachable(WindowPos& pos) const;
    // Menu mode moves to the next (or previous) visible toolbar of the manager with links.
    void moveToNextToolbar(bool backwards);
    // Selects the control of a link; false without one.
    bool selectLink(BarItemLink* link);
    // Whether the mouse message is handled as bar input (false drops it, as a chain that this
    // bar is not on is active).
    bool handleMouse(Message& m);
    // A press on the frame: the close button and a floating bar's edges run their own loops,
    // the rest goes to the window.
    bool nonClientButtonDown(int hit, Point screen);
    // Holds the mouse and hands each move and the release to `track` (screen point) until the
    // button is released (true), or Esc is pressed or the capture or the window goes (false).
    bool captureLoop(const std::function<void(Point screen, bool released)>& track);
    // Sizes a floating bar by an edge from the press at `start` until the button is released.
    void sizeFloating(int hit, Point start);
    void setCloseButtonState(CaptionButtonState state);
    // Holds the mouse until the button is released; true when it is released over the close
    // button.
    bool trackCloseButton();
    // Hides the bar and tells the manager. The window is freed on the way: nothing of this
    // object may be touched afterwards.
    void closeFloatingBar();
    // A floating bar's frame is drawn in the colours of its form's activation.
    bool formActive() const;

    Bar* bar_;
    BarDockingStyle style_ = dsNone;
    DockControl* dock_ = nullptr;
    bool truncated_ = false;
    bool locked_ = false;
    bool rebuilding_ = false;
    int restoring_ = 0;
    bool menuOpenedByClick_ = false;
    WindowHandle savedFocus_ = 0;
    int lastHitTest_ = HTCLIENT;
    MarkState markState_ = MarkState::Normal;
    CaptionButtonState closeState_ = CaptionButtonState::None;
};

}  // namespace lindora
