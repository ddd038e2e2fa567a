#pragma once
// The submenu window: the popup that shows a sub item's links as a vertical menu. It places
// itself next to its owner item inside the monitor's work area, lays its items out top to
// bottom (separators before groups), scrolls by an 80 ms timer when it was cut to fit, paints
// through the manager's painter and casts a shadow. It is never activated: the keyboard stays
// with the window that had it, and the interaction layer drives the selection through
// selectControl / selectNext / selectPrev / itemAt.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bars/controls/SubMenuAnimation.h"
#include "bars/controls/SubMenuPlacement.h"
#include "bars/controls/SubMenuShadow.h"
#include "bars/controls/SubMenuWindow.h"
#include "gfx/Bitmap.h"

namespace lindora {

class Bar;
class CustomBarSubItem;
class Window;

class SubMenuControl : public SubMenuWindow {
public:
    // The scroll timer's id and interval.
    static constexpr unsigned kScrollTimer = 1;
    static constexpr int kScrollInterval = 80;

    SubMenuControl(BarManager& manager, BarItemLinks& links);
    ~SubMenuControl() override;

    // ---- SubMenuWindow
    void popup(const Placement& placement) override;
    // Stops scrolling, closes the open child menu, hides the window; harmless twice.
    void closeUp() override;
    ItemControl* ownerControl() const override { return owner_; }
    // Opened at a point with nothing to open beside or below: a root popup menu.
    bool isRootPopup() const {
        return !request_.parentBar && request_.ownerItemHeight == 0 && request_.ownerScreenRect.isEmpty();
    }
    void forgetOwner() override { owner_ = nullptr; }
    void selectFirst() override;

    // ---- CustomBarControl
    Point clientToScreen(Point client) const override;
    void invalidateRect(const Rect& r) override;
    void rebuildBar() override;
    void repaint() override;
    void hideAll() override;

    // ---- menu mode and input
    CustomBarControl* parentBar() const override { return request_.parentBar; }
    Window* barWindow() const override;
    ItemControl* controlAtPoint(Point client) const override { return itemAt(client); }
    void mouseMoved(Point client) override;
    void leftButtonDown(Point client) override;
    void leftButtonUp(Point client) override;
    void mouseLeft() override;
    // As on a toolbar (CustomBarControl::doubleClickSelection), else a second press.
    void leftButtonDoubleClick(Point client);
    // The selected item edits in an inner window (the menu may then keep the focus).
    bool selectionHasInnerWindow() const;
    // The focus came to the menu: it goes back to the manager's form (or, the form hidden, to
    // the window it came from).
    void handFocusBack(Window* previous);
    // Up/Down, Home/End, Enter, Esc, Left/Right (to the parent menu or the root toolbar),
    // Ctrl+Down (expand) and accelerators.
    bool keyPressed(unsigned vk) override;

    // ---- the window
    Window* window() const;
    bool isShown() const;
    // Screen bounds; the placement's flips.
    Rect bounds() const;
    const SubMenuPlacement& placement() const { return placement_; }
    const SubMenuShadow& shadow() const { return shadow_; }
    // The full size for all items (before any cut).
    Size naturalSize() const;

    // ---- appearing
    // The animation timer: one step per tick.
    static constexpr unsigned kAnimationTimer = 4;
    bool animating() const { return animation_.has_value(); }
    const SubMenuAnimation* animation() const { return animation_ ? &*animation_ : nullptr; }
    int animationStep() const { return animationStep_; }
    // Ends a running animation at the full bounds (a key or mouse press, a move, closing).
    void stopAnimation();

    // ---- layout (client coordinates)
    // The whole menu at its full size (while animating the window shows part of it).
    Rect menuRect() const;
    // The rectangle items are laid out in: inside the frame, between the scroll areas.
    Rect itemsArea() const;
    int separatorHeight() const;
    int scrollIndex() const { return scrollIndex_; }
    // The links laid out now, in order (those scrolled away or below the fold are not).
    const std::vector<BarItemLink*>& laidOutLinks() const { return shown_; }
    bool canScrollUp() const { return scrollIndex_ > 0; }
    bool canScrollDown() const { return moreBelow_; }
    Rect scrollUpRect() const;
    Rect scrollDownRect() const;

    // ---- the interaction layer's entry points
    // The control at a client point; none over the frame, a separator or a scroll area.
    ItemControl* itemAt(Point client) const;
    // Selects a control (scrolling it into view), or clears the selection with null.
    void selectControl(ItemControl* control) override;
    // The next / previous selectable control after the selection, wrapping around.
    void selectNext();
    void selectPrev();
    // The mouse is over a scroll area (up or down) or left it: the 80 ms timer runs or stops.
    void startScrolling(bool up);
    void stopScrolling();
    bool scrolling() const { return scrollDirection_ != 0; }
    // One scroll step (what each timer tick does); false when it could not move.
    bool scrollBy(int delta);

    // ---- recent items first: the chevron that shows the whole menu
    // Timer ids and delays: the chevron turns hot after the selection rested, the menu expands
    // after it was open a while or the mouse rested on the hot chevron.
    static constexpr unsigned kChevronHotTimer = 2;
    static constexpr unsigned kExpandTimer = 3;
    static constexpr int kChevronHotDelay = 4000;
    static constexpr int kExpandDelay = 4000;
    static constexpr int kHotChevronExpandDelay = 1000;
    enum class ChevronState { Normal, Hot, Expand };
    // Links are hidden as not recently used: the chevron shows at the bottom.
    bool collapsed() const override;
    // The chain of open menus shows every link (set by expanding, reset by a new chain).
    bool chainExpanded() const;
    ChevronState chevronState() const { return chevron_; }
    Rect chevronRect() const;
    int chevronHeight() const { return menuItemHeight() - 6; }
    void setChevronHot(bool hot);
    // The mouse entered or left the chevron.
    void mouseOverChevron(bool over);
    // A click makes it hot, a second click expands.
    void clickChevron();
    // Shows every link (Ctrl+Down, the chevron, the timers); the window is made again.
    void expand() override;
    // The hot chevron's hint when menus do not expand by themselves.
    std::string chevronHint() const;
    void setSelectedControl(ItemControl* control) override;
    // The links of an expanded menu that a collapsed one would hide as not recently used.
    std::vector<BarItemLink*> rarelyUsedLinks() const;

    // ---- tearing off: a menu whose sub item names a bar of the manager can be dragged off by
    // the strip at its top and float as that bar
    // How far the mouse must leave the strip before the bar shows.
    static constexpr int kTearOffMargin = 15;
    // The sub item whose links the menu shows, when a sub item opened it.
    CustomBarSubItem* ownerSubItem() const;
    // The bar the menu tears off into (the sub item is Detachable and names one), or none.
    Bar* detachingBar() const;
    // The strip in client coordinates; empty when the menu cannot be torn off.
    Rect tearOffRect() const;
    bool tearOffHot() const { return tearOffHot_; }
    bool tearingOff() const { return tearOff_.has_value(); }
    // The floating bar shows under the mouse now (the mouse is away from the strip).
    bool tornOffBarShown() const { return tearOff_ && tearOff_->shown; }

private:
    class MenuWindow;
    friend class MenuWindow;

    void createWindow();
    // Esc: the parent's selected item closes this menu (a root menu closes itself).
    void closeByKey();
    // Sends an arrow on to the chain's root when it is a horizontal toolbar; false otherwise.
    bool passToRootToolbar(unsigned vk);
    void layOut();
    // The items from the scroll index down into the height; records what is shown.
    void placeItems();
    // Marks the rarely used links (and the first of each run of them) for the painter.
    void markRarelyUsed();
    void paint(Canvas& canvas);
    void onTimer(unsigned id);
    void show();
    void startAnimation();
    void animationStepped();
    SubMenuControl& chainRoot();
    const SubMenuControl& chainRoot() const;
    void setTimer(unsigned id, int ms);
    void killTimer(unsigned id);
    void scrollIntoView(ItemControl* control);
    std::vector<ItemControl*> selectableControls() const;
    // Where the menu meets the owner item (client coordinates), or empty.
    Rect ownerJoint() const;
    // The tear-off strip's height when the menu has one, else 0.
    int tearOffHeight() const;
    void setTearOffHot(bool hot);
    // A press on the strip: the menu holds the mouse until the button goes up.
    void startTearOff();
    // The bar shows floating under the mouse away from the strip, and hides near it.
    void trackTearOff(Point screen);
    void placeTornOffBar(Point screen);
    // Release (keep) or Esc (cancel). Keeping closes the menus: nothing of this after it.
    void endTearOff(bool keep);
    // The bar goes back to how it was before the tear-off began.
    void restoreTornOffBar();

    std::unique_ptr<MenuWindow> window_;
    SubMenuShadow shadow_;
    Placement request_;
    SubMenuPlacement placement_;
    ItemControl* owner_ = nullptr;
    std::vector<BarItemLink*> shown_;
    int scrollIndex_ = 0;
    bool moreBelow_ = false;
    int scrollDirection_ = 0;  // -1 up, 1 down, 0 none
    bool closing_ = false;
    ChevronState chevron_ = ChevronState::Normal;
    bool chainExpanded_ = false;
    bool animate_ = false;  // the next showing animates (opened by the mouse, or expanded)
    std::optional<SubMenuAnimation> animation_;
    int animationStep_ = 0;
    Bitmap picture_;  // the menu drawn once for the unfold and slide steps
    struct TearOff {
        Rect area;  // the strip on the screen, inflated by the margin
        bool wasVisible = false;
        BarDockingStyle oldStyle = dsNone;
        bool shown = false;
    };
    std::optional<TearOff> tearOff_;
    bool tearOffHot_ = false;
};

}  // namespace lindora
