#include "bars/controls/SubMenuControl.h"

#include <algorithm>
#include <random>

#include "bars/controls/BarHint.h"
#include "bars/controls/BarSubItemControl.h"
#include "bars/controls/ItemControl.h"
#include "bars/controls/MenuAccelerator.h"
#include "bars/controls/MenuChain.h"
#include "bars/model/Bar.h"
#include "bars/model/BarItemLinks.h"
#include "bars/model/BarManager.h"
#include "bars/model/BarSubItem.h"
#include "bars/painters/BarItemControlPainter.h"
#include "ui/PlatformIntegration.h"
#include "ui/Screen.h"
#include "ui/Window.h"
#include "ui/WindowSystem.h"

namespace lindora {

// The popup window itself: it paints and times for its control and is never activated.
class SubMenuControl::MenuWindow : public Window {
public:
    explicit MenuWindow(SubMenuControl& menu) : menu_(menu) {}
    ~MenuWindow() override { destroy(); }

protected:
    void createParams(CreateParams& params) override {
        params.style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
        params.exStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
        params.classStyle = CS_DBLCLKS | CS_SAVEBITS;
    }
    void wndProc(Message& m) override {
        switch (m.msg) {
        case WM_ERASEBKGND: m.result = 1; return;  // paint covers the whole window
        case WM_MOUSEACTIVATE: m.result = MA_NOACTIVATE; return;
        case WM_TIMER: menu_.onTimer(static_cast<unsigned>(m.wParam)); return;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_RBUTTONUP:
            // A root popup menu takes the right button as the left one.
            if (!menu_.isRootPopup()) {
                Window::wndProc(m);
                return;
            }
            mouseInput(m.msg == WM_RBUTTONUP ? WM_LBUTTONUP : WM_LBUTTONDOWN, m.lParam);
            return;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP: mouseInput(m.msg, m.lParam); return;
        case WM_MOUSELEAVE: menu_.mouseLeft(); return;
        case WM_SETFOCUS:
            // The menu never keeps the focus, unless its selected item edits in an inner window.
            if (!menu_.selectionHasInnerWindow())
                menu_.handFocusBack(Window::fromHandle(static_cast<WindowHandle>(m.wParam)));
            return;
        case WM_CAPTURECHANGED:
            // Another window took the mouse in the middle of a tear-off: it is cancelled.
            if (menu_.tearOff_ && static_cast<WindowHandle>(m.lParam) != handle()) menu_.endTearOff(false);
            menu_.captureChanged();
            Window::wndProc(m);
            return;
        default: Window::wndProc(m);
        }
    }
    void paint(Canvas& canvas) override { menu_.paint(canvas); }

private:
    void mouseInput(unsigned msg, LParam lParam) {
        // While a chain is active, a menu not on it takes no mouse input.
        if (MenuChain::active() && !menu_.active()) return;
        const Point client(loWordSigned(lParam), hiWordSigned(lParam));
        // The handlers may close the menu and free this window: nothing of it after them.
        if (msg == WM_MOUSEMOVE) menu_.mouseMoved(client);
        else if (msg == WM_LBUTTONUP) menu_.leftButtonUp(client);
        else if (msg == WM_LBUTTONDBLCLK) menu_.leftButtonDoubleClick(client);
        else menu_.leftButtonDown(client);
    }

    SubMenuControl& menu_;
};

SubMenuControl::SubMenuControl(BarManager& manager, BarItemLinks& links) : SubMenuWindow(manager, links) {
    attachLinks();
}

SubMenuControl::~SubMenuControl() {
    setDestroying();
    closeUp();
    window_.reset();
    detachLinks();
}

Window* SubMenuControl::window() const { return window_.get(); }
bool SubMenuControl::isShown() const { return window_ && window_->isVisibleStyle(); }
Rect SubMenuControl::bounds() const { return window_ ? window_->bounds() : Rect{}; }

Point SubMenuControl::clientToScreen(Point client) const { return window_ ? window_->clientToScreen(client) : client; }

// ---------------------------------------------------------------------------------------------
// Opening and closing

void SubMenuControl::popup(const Placement& placement) {
    request_ = placement;
    owner_ = placement.ownerControl;
    closing_ = false;
    animate_ = placement.openedByMouse;
    setActive(true);
    scrollIndex_ = 0;
    chevron_ = ChevronState::Normal;
    // A menu opened from a window that is no submenu starts a new chain.
    if (!dynamic_cast<SubMenuControl*>(request_.parentBar)) chainExpanded_ = false;
    const bool recentFirst = barManager().menusShowRecentItemsFirst() && !chainRoot().chainExpanded_;
    itemLinks().setRecentItemCount(recentFirst ? itemLinks().recentCount() : -1);
    show();
    if (collapsed() && barManager().showFullMenusAfterDelay()) setTimer(kExpandTimer, kExpandDelay);
    PlayMenuSound("MenuPopup");
}

void SubMenuControl::show() {
    // Expanding keeps the window (a timer of it may be the caller) and lays it out again.
    if (!window_ || !window_->handleAllocated()) createWindow();
    layOut();
    if (animate_) startAnimation();
    animate_ = false;
    window_->show(false);
    if (!animating()) shadow_.show(*window_, request_.ownerScreenRect);
}

Rect SubMenuControl::menuRect() const {
    if (placement_.bounds.isEmpty()) return Rect(Point{}, naturalSize());
    return {0, 0, placement_.bounds.width(), placement_.bounds.height()};
}

// ---------------------------------------------------------------------------------------------
// Appearing

namespace {
int randomPercent() {
    static std::minstd_rand generator{std::random_device{}()};
    return static_cast<int>(generator() % 100);
}
}  // namespace

void SubMenuControl::startAnimation() {
    stopAnimation();
    const BarMenuAnimations setting = barManager().menuAnimations();
    const BarMenuAnimations kind = SubMenuAnimation::chooseKind(setting, setting == maRandom ? randomPercent() : 0);
    if (kind == maNone || shown_.empty() || barManager().isCustomizing()) return;
    if (kind == maFade) {
        // Fading needs whole-window alpha; without it the menu shows at once.
        const PlatformIntegration* platform = PlatformIntegration::instance();
        if (!platform || !platform->screen().supportsTranslucency()) return;
    }
    animation_.emplace(kind, placement_.bounds, placement_.flippedLeft, placement_.flippedUp);
    animationStep_ = 1;
    if (kind == maFade) window_->setAlpha(static_cast<std::uint8_t>(animation_->alphaAt(1)));
    else {
        Bitmap picture(placement_.bounds.width(), placement_.bounds.height());
        Canvas canvas(picture);
        paint(canvas);
        picture_ = std::move(picture);
        window_->setPos(nullptr, animation_->boundsAt(1), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    setTimer(kAnimationTimer, SubMenuAnimation::kTick);
}

void SubMenuControl::animationStepped() {
    if (!animation_) return;
    if (++animationStep_ >= animation_->steps()) {
        stopAnimation();
        return;
    }
    if (animation_->kind() == maFade) window_->setAlpha(static_cast<std::uint8_t>(animation_->alphaAt(animationStep_)));
    else {
        window_->setPos(nullptr, animation_->boundsAt(animationStep_), SWP_NOZORDER | SWP_NOACTIVATE);
        window_->invalidate(window_->clientRect(), false);
    }
}

void SubMenuControl::stopAnimation() {
    if (!animation_) return;
    animation_.reset();
    picture_ = Bitmap();
    killTimer(kAnimationTimer);
    if (!window_ || !window_->handleAllocated()) return;
    window_->setAlpha(255);
    window_->setPos(nullptr, placement_.bounds, SWP_NOZORDER | SWP_NOACTIVATE);
    window_->invalidate(window_->clientRect(), false);
    if (window_->isVisibleStyle() && !closing_) shadow_.show(*window_, request_.ownerScreenRect);
}

SubMenuControl& SubMenuControl::chainRoot() {
    SubMenuControl* root = this;
    while (auto* parent = dynamic_cast<SubMenuControl*>(root->request_.parentBar)) root = parent;
    return *root;
}

const SubMenuControl& SubMenuControl::chainRoot() const { return const_cast<SubMenuControl*>(this)->chainRoot(); }

void SubMenuControl::setTimer(unsigned id, int ms) {
    if (window_ && window_->handleAllocated()) windowSystem().setTimer(window_.get(), id, ms);
}

void SubMenuControl::killTimer(unsigned id) {
    if (window_ && window_->handleAllocated()) windowSystem().killTimer(window_.get(), id);
}

void SubMenuControl::createWindow() {
    window_ = std::make_unique<MenuWindow>(*this);
    CreateParams cp;
    cp.bounds = Rect(request_.screen, Size{1, 1});
    // Owned by the window it opened from when that is a window, so it stays above it.
    if (auto* parentWindow = dynamic_cast<Window*>(request_.parentBar)) cp.parent = parentWindow;
    else if (auto* parentMenu = dynamic_cast<SubMenuControl*>(request_.parentBar)) cp.parent = parentMenu->window();
    window_->create(cp);
}

void SubMenuControl::closeUp() {
    if (closing_) return;
    closing_ = true;
    stopAnimation();
    stopScrolling();
    killTimer(kChevronHotTimer);
    killTimer(kExpandTimer);
    if (tearOff_) endTearOff(false);
    // The child menu goes first, through its owner item (which frees it).
    if (auto* child = dynamic_cast<SubMenuWindow*>(openSubMenu()))
        if (ItemControl* childOwner = child->ownerControl()) childOwner->controlInactivate(true);
    setActive(false);
    shadow_.hide();
    if (window_) window_->destroy();
}

void SubMenuControl::hideAll() {
    if (request_.parentBar) request_.parentBar->hideAll();
    else closeUp();
}

// ---------------------------------------------------------------------------------------------
// Layout

int SubMenuControl::separatorHeight() const { return painter().separatorThickness() + 4; }

Size SubMenuControl::naturalSize() const {
    int widest = 0, height = 0;
    bool first = true;
    for (BarItemLink* link : itemLinks().shownLinks()) {
        auto* control = dynamic_cast<ItemControl*>(link->control());
        if (!control) continue;
        widest = std::max(widest, control->width());
        if (link->beginGroup() && !first) height += separatorHeight();
        height += control->height();
        first = false;
    }
    if (collapsed()) height += chevronHeight();
    height += tearOffHeight();
    return painter().submenuSize(widest, height, 0, first);
}

void SubMenuControl::layOut() {
    const Size size = naturalSize();
    SubMenuPlacementRequest q;
    q.topLeft = request_.screen;
    q.size = size;
    q.ownerHeight = request_.ownerItemHeight;
    // A menu opened beside an item (from a submenu or a vertical bar) may flip to its left.
    if (request_.ownerItemHeight == 0 && request_.ownerControl) q.ownerWidth = request_.ownerScreenRect.width();
    q.workArea = Screen::monitorFromPoint(request_.screen).workArea;
    placement_ = PlaceSubMenu(q);
    if (window_) window_->setPos(nullptr, placement_.bounds, SWP_NOZORDER | SWP_NOACTIVATE);
    placeItems();
}

Rect SubMenuControl::itemsArea() const {
    // One pixel of frame, then the painter's inset; the items end one pixel before the right
    // and bottom edges (the painter's size adds exactly that).
    const Rect client = menuRect();
    const int inset = 1 + painter().submenuClientInset();
    Rect r{inset, inset + tearOffHeight(), client.right - inset, client.bottom - 1};
    if (canScrollUp()) r.top = scrollUpRect().bottom;
    if (collapsed()) r.bottom -= chevronHeight();
    if (canScrollDown()) r.bottom = scrollDownRect().top;
    return r;
}

Rect SubMenuControl::scrollUpRect() const {
    if (!canScrollUp() || !window_) return {};
    const int inset = 1 + painter().submenuClientInset();
    const Rect client = menuRect();
    const int top = inset + tearOffHeight();
    return {inset, top, client.right - inset, top + menuItemHeight() / 2 + 2};
}

Rect SubMenuControl::scrollDownRect() const {
    if (!canScrollDown() || !window_) return {};
    const int inset = 1 + painter().submenuClientInset();
    const Rect client = menuRect();
    const int bottom = client.bottom - 1 - (collapsed() ? chevronHeight() : 0);
    return {inset, bottom - (menuItemHeight() / 2 + 2), client.right - inset, bottom};
}

std::vector<BarItemLink*> SubMenuControl::rarelyUsedLinks() const {
    const BarItemLinks& links = itemLinks();
    if (links.recentItemCount() >= 0 || !barManager().menusShowRecentItemsFirst()) return {};
    const int recent = links.recentCount();
    if (recent < 0) return {};
    // What a collapsed menu would show: the first `recent` visible links in the recent order.
    const std::vector<BarItemLink*>& visible = links.visibleLinks();
    std::vector<BarItemLink*> kept;
    for (BarItemLink* link : links.recentLinks()) {
        if (static_cast<int>(kept.size()) >= recent) break;
        if (std::find(visible.begin(), visible.end(), link) != visible.end()) kept.push_back(link);
    }
    std::vector<BarItemLink*> out;
    for (BarItemLink* link : visible)
        if (std::find(kept.begin(), kept.end(), link) == kept.end()) out.push_back(link);
    return out;
}

void SubMenuControl::markRarelyUsed() {
    const std::vector<BarItemLink*> rarely = rarelyUsedLinks();
    bool previousRarely = false;
    for (BarItemLink* link : itemLinks().shownLinks()) {
        const bool isRarely = std::find(rarely.begin(), rarely.end(), link) != rarely.end();
        if (auto* control = dynamic_cast<ItemControl*>(link->control()))
            control->setRarelyUsed(isRarely, !previousRarely);
        previousRarely = isRarely;
    }
}

void SubMenuControl::placeItems() {
    const std::vector<BarItemLink*> links = itemLinks().shownLinks();
    // Links hidden as not recently used are not laid out.
    for (BarItemLink* link : itemLinks().visibleLinks()) {
        link->setItemRect({});
        if (auto* control = dynamic_cast<ItemControl*>(link->control())) control->setLastInRow(false);
    }
    markRarelyUsed();
    scrollIndex_ = std::clamp(scrollIndex_, 0, std::max(0, static_cast<int>(links.size()) - 1));
    // Without the bottom scroll area first; when something is left below, again with it.
    for (bool reserveBottom : {false, true}) {
        moreBelow_ = reserveBottom;
        const Rect area = itemsArea();
        shown_.clear();
        int y = area.top;
        bool overflow = false;
        for (std::size_t i = 0; i < links.size(); ++i) {
            BarItemLink* link = links[i];
            auto* control = dynamic_cast<ItemControl*>(link->control());
            if (!control) continue;
            control->setLastInRow(false);
            if (static_cast<int>(i) < scrollIndex_ || overflow) {
                link->setItemRect({});
                continue;
            }
            const int separator = link->beginGroup() && !shown_.empty() ? separatorHeight() : 0;
            const int h = control->height();
            if (!shown_.empty() && y + separator + h > area.bottom) {
                overflow = true;
                link->setItemRect({});
                continue;
            }
            y += separator;
            control->setSeparatorRect(separator ? Rect{area.left, y - separator, area.right, y} : Rect{});
            link->setItemRect({area.left, y, area.right, y + h});
            y += h;
            shown_.push_back(link);
        }
        if (!shown_.empty()) dynamic_cast<ItemControl*>(shown_.back()->control())->setLastInRow(true);
        if (!overflow || reserveBottom) {
            moreBelow_ = overflow;
            break;
        }
    }
    if (window_) window_->invalidate(window_->clientRect(), false);
}

void SubMenuControl::rebuildBar() {
    if (isDestroying() || closing_) return;
    // A rebuilt menu shows at its new size at once; the steps were for the old one.
    stopAnimation();
    layOut();
    const int count = static_cast<int>(itemLinks().shownLinks().size());
    // Back as far up as the content allows.
    while (scrollIndex_ > 0 && !moreBelow_ && scrollIndex_ < count) {
        --scrollIndex_;
        placeItems();
        if (moreBelow_) {
            ++scrollIndex_;
            placeItems();
            break;
        }
    }
    if (isShown()) shadow_.show(*window_, request_.ownerScreenRect);
}

// ---------------------------------------------------------------------------------------------
// Painting

Rect SubMenuControl::ownerJoint() const {
    if (!window_ || request_.ownerItemHeight == 0 || request_.ownerScreenRect.isEmpty()) return {};
    const Rect menu = window_->bounds();
    const Rect& owner = request_.ownerScreenRect;
    const int left = std::max(menu.left, owner.left) + 1 - menu.left;
    const int right = std::min(menu.right, owner.right) - 1 - menu.left;
    if (right <= left) return {};
    // Below the owner the joint is the top edge; above it, the bottom edge.
    if (owner.bottom == menu.top) return {left, 0, right, 1};
    if (owner.top == menu.bottom) return {left, menu.height() - 1, right, menu.height()};
    return {};
}

void SubMenuControl::paint(Canvas& canvas) {
    if (animation_ && !picture_.isEmpty()) {
        canvas.copyRect(window_->clientRect(), picture_, animation_->pictureAt(animationStep_));
        return;
    }
    const BarItemControlPainter& p = painter();
    const BarManager* manager = &barManager();
    const Rect client = menuRect();
    p.drawSubmenuBackground(canvas, client, manager);

    SubmenuFrameParams frame;
    frame.window = client;
    frame.ownerJoint = ownerJoint();
    frame.manager = manager;
    frame.leftStripBrush = ManagerBrushes(manager).flatToolbarBackground();
    if (owner_) {
        // The owner as it is drawn while its menu is open, so both look joined.
        const BarDrawContext context = owner_->drawContext();
        ItemDrawState state;
        state.checked = true;
        state.droppedDown = true;
        state.context = &context;
        frame.ownerBrush = p.stateBrush(state);
        if (frame.ownerBrush.isNull()) frame.ownerBrush = context.barBackground;
    }
    p.drawSubmenuFrame(canvas, frame);
    if (const Rect strip = tearOffRect(); !strip.isEmpty()) p.drawTearOffStrip(canvas, strip, tearOffHot_, manager);

    for (BarItemLink* link : shown_) {
        auto* control = dynamic_cast<ItemControl*>(link->control());
        if (!control) continue;
        if (const Rect s = control->separatorRect(); !s.isEmpty())
            p.drawSubmenuSeparator(canvas, s, control->drawContext());
        control->draw(canvas, link->itemRect(), ItemDrawKind::Menu);
    }
    const int itemHeight = menuItemHeight();
    if (collapsed()) {
        const Rect r = chevronRect();
        p.drawSubmenuBackground(canvas, r, manager);
        const bool hot = chevron_ != ChevronState::Normal;
        if (hot) {
            BarDrawContext context;
            context.manager = manager;
            context.inSubmenu = true;
            context.submenuItemHeight = itemHeight;
            ItemDrawState state;
            state.rect = r;
            state.hot = true;
            state.context = &context;
            p.fillItemBackground(canvas, r, p.stateBrush(state), &context);
        }
        p.drawExpandChevron(canvas, r, hot);
    }
    if (canScrollUp()) {
        const Rect r = scrollUpRect();
        p.drawSubmenuBackground(canvas, r, manager);
        p.drawSubmenuScrollArrow(canvas, r, true, itemHeight);
    }
    if (canScrollDown()) {
        const Rect r = scrollDownRect();
        p.drawSubmenuBackground(canvas, r, manager);
        p.drawSubmenuScrollArrow(canvas, r, false, itemHeight);
    }
}

void SubMenuControl::invalidateRect(const Rect& r) {
    if (window_ && window_->handleAllocated()) window_->invalidate(r, false);
}

void SubMenuControl::repaint() {
    if (window_ && window_->handleAllocated()) window_->invalidate(window_->clientRect(), false);
}

// ---------------------------------------------------------------------------------------------
// Mouse and keyboard

Window* SubMenuControl::barWindow() const { return window_ && window_->handleAllocated() ? window_.get() : nullptr; }

void SubMenuControl::mouseMoved(Point client) {
    stopAnimation();
    if (tearOff_) {
        trackTearOff(clientToScreen(client));
        return;
    }
    // Over the menu the owner item stays selected in the parent (a pending close is cancelled).
    if (CustomBarControl* parent = request_.parentBar; parent && owner_ && MenuChain::isAlive(parent)) {
        if (parent->selectedControl() != owner_) parent->hotTrackControl(owner_);
        else if (auto* sub = dynamic_cast<BarSubItemControl*>(owner_); sub && sub->isPending())
            sub->controlActivate(false);
        if (!MenuChain::isAlive(this)) return;
    }
    if (!pressedControl()) {
        if (scrollUpRect().contains(client)) startScrolling(true);
        else if (scrollDownRect().contains(client)) startScrolling(false);
        else if (scrolling()) {
            stopScrolling();
            resetLastMousePos();
        }
        mouseOverChevron(chevronRect().contains(client));
    }
    const bool overStrip = tearOffRect().contains(client);
    CustomBarControl::mouseMoved(client);
    // The strip's hint comes after the selection's, which would restart the hint logic.
    if (MenuChain::isAlive(this)) setTearOffHot(overStrip);
}

void SubMenuControl::mouseLeft() {
    setTearOffHot(false);
    CustomBarControl::mouseLeft();
}

void SubMenuControl::leftButtonDown(Point client) {
    stopAnimation();
    if (chevronRect().contains(client)) {
        clickChevron();
        return;
    }
    if (tearOffRect().contains(client)) {
        startTearOff();
        return;
    }
    CustomBarControl::leftButtonDown(client);
}

void SubMenuControl::leftButtonDoubleClick(Point client) {
    stopAnimation();
    if (!doubleClickSelection(itemAt(client), client)) leftButtonDown(client);
}

bool SubMenuControl::selectionHasInnerWindow() const {
    ItemControl* selected = selectedControl();
    return selected && selected->hasInnerWindow();
}

void SubMenuControl::handFocusBack(Window* previous) {
    // To the manager's form, or where the focus came from while the form is hidden.
    auto* form = dynamic_cast<Window*>(barManager().form());
    Window* to = form && form->handleAllocated() && form->isWindowVisible() ? form : previous;
    if (to && to != window_.get() && to->handleAllocated()) windowSystem().setFocus(to);
}

void SubMenuControl::leftButtonUp(Point client) {
    if (tearOff_) {
        endTearOff(tearOff_->shown);
        return;
    }
    CustomBarControl::leftButtonUp(client);
}

void SubMenuControl::closeByKey() {
    CustomBarControl* parent = request_.parentBar;
    ItemControl* owner = parent ? parent->selectedControl() : nullptr;
    if (!owner) {
        hideAll();
        return;
    }
    // The parent keeps the owner item selected; a toolbar stays in menu mode.
    parent->forgetMenuOpenedByClick();
    owner->controlInactivate(true);
}

bool SubMenuControl::passToRootToolbar(unsigned vk) {
    CustomBarControl& root = rootBar();
    if (&root == this || !root.isToolbar() || root.isVertical()) return false;
    root.keyPressed(vk);
    return true;
}

bool SubMenuControl::keyPressed(unsigned vk) {
    stopAnimation();
    // While the menu is being torn off only Esc counts: it cancels.
    if (tearOff_) {
        if (vk == VK_ESCAPE) endTearOff(false);
        return true;
    }
    if (CustomBarControl::keyPressed(vk)) return true;
    ItemControl* selected = selectedControl();
    if (selected && selected->wantsKey(static_cast<int>(vk))) {
        selected->keyDown(static_cast<int>(vk));
        return true;
    }
    const bool ctrl = windowSystem().keyState(VK_CONTROL) < 0;
    const std::vector<ItemControl*> controls = selectableControls();
    switch (vk) {
    case VK_UP: selectPrev(); return true;
    case VK_DOWN:
        if (ctrl && collapsed()) expand();
        else selectNext();
        return true;
    case VK_HOME:
        if (!controls.empty()) selectControl(controls.front());
        return true;
    case VK_END:
        if (!controls.empty()) selectControl(controls.back());
        return true;
    case VK_RETURN:
        if (selected) selected->controlClick(false);
        return true;
    case VK_ESCAPE: closeByKey(); return true;
    case VK_LEFT:
        if (dynamic_cast<SubMenuControl*>(request_.parentBar) || !passToRootToolbar(vk)) closeByKey();
        return true;
    case VK_RIGHT: passToRootToolbar(vk); return true;
    default: break;
    }
    // A collapsed menu shows everything when only a hidden link has the accelerator.
    if (collapsed()) {
        const bool shift = windowSystem().keyState(VK_SHIFT) < 0;
        const std::vector<BarItemLink*>& shown = itemLinks().shownLinks();
        for (BarItemLink* link : itemLinks().visibleLinks())
            if (std::find(shown.begin(), shown.end(), link) == shown.end() &&
                acceleratorMatches(link->caption(), vk, shift, false)) {
                expand();
                break;
            }
    }
    return selectByAccelerator(vk);
}

// ---------------------------------------------------------------------------------------------
// Selection and lookup

ItemControl* SubMenuControl::itemAt(Point client) const {
    if (!itemsArea().contains(client)) return nullptr;
    for (BarItemLink* link : shown_)
        if (link->itemRect().contains(client)) return dynamic_cast<ItemControl*>(link->control());
    return nullptr;
}

std::vector<ItemControl*> SubMenuControl::selectableControls() const {
    std::vector<ItemControl*> out;
    for (BarItemLink* link : itemLinks().shownLinks())
        if (auto* control = dynamic_cast<ItemControl*>(link->control()); control && control->canSelect())
            out.push_back(control);
    return out;
}

void SubMenuControl::selectControl(ItemControl* control) {
    if (control) scrollIntoView(control);
    setSelectedControl(control);
}

void SubMenuControl::selectFirst() {
    const std::vector<ItemControl*> controls = selectableControls();
    if (!controls.empty()) selectControl(controls.front());
}

void SubMenuControl::selectNext() {
    std::vector<ItemControl*> controls = selectableControls();
    if (controls.empty()) return;
    // Down on the last link of a collapsed menu shows the rest and moves on.
    if (collapsed() && selectedControl() == controls.back()) {
        expand();
        controls = selectableControls();
    }
    auto it = std::find(controls.begin(), controls.end(), selectedControl());
    selectControl(it == controls.end() || it + 1 == controls.end() ? controls.front() : *(it + 1));
}

void SubMenuControl::selectPrev() {
    const std::vector<ItemControl*> controls = selectableControls();
    if (controls.empty()) return;
    auto it = std::find(controls.begin(), controls.end(), selectedControl());
    selectControl(it == controls.end() || it == controls.begin() ? controls.back() : *(it - 1));
}

void SubMenuControl::scrollIntoView(ItemControl* control) {
    const std::vector<BarItemLink*> links = itemLinks().shownLinks();
    const auto at = std::find(links.begin(), links.end(), &control->link());
    if (at == links.end()) return;
    const int index = static_cast<int>(at - links.begin());
    if (index < scrollIndex_) {
        scrollIndex_ = index;
        placeItems();
        return;
    }
    // Down one step at a time until the link is laid out.
    while (std::find(shown_.begin(), shown_.end(), &control->link()) == shown_.end() && scrollBy(1)) {}
}

// ---------------------------------------------------------------------------------------------
// Scrolling

void SubMenuControl::startScrolling(bool up) {
    const int direction = up ? -1 : 1;
    if (scrollDirection_ == direction || !window_ || !window_->handleAllocated()) return;
    scrollDirection_ = direction;
    setTimer(kScrollTimer, kScrollInterval);
}

void SubMenuControl::stopScrolling() {
    if (scrollDirection_ == 0) return;
    scrollDirection_ = 0;
    killTimer(kScrollTimer);
}

bool SubMenuControl::scrollBy(int delta) {
    if ((delta < 0 && !canScrollUp()) || (delta > 0 && !canScrollDown()) || delta == 0) return false;
    scrollIndex_ += delta;
    placeItems();
    return true;
}

void SubMenuControl::onTimer(unsigned id) {
    switch (id) {
    case kScrollTimer:
        if (!scrollBy(scrollDirection_)) stopScrolling();
        break;
    case kChevronHotTimer:
        killTimer(id);
        if (!openSubMenu()) setChevronHot(true);
        break;
    case kExpandTimer:
        killTimer(id);
        expand();
        break;
    case kAnimationTimer: animationStepped(); break;
    default: break;
    }
}

// ---------------------------------------------------------------------------------------------
// Recent items first

bool SubMenuControl::collapsed() const {
    const BarItemLinks& links = itemLinks();
    return links.recentItemCount() >= 0 && links.shownLinks().size() < links.visibleLinks().size();
}

bool SubMenuControl::chainExpanded() const { return chainRoot().chainExpanded_; }

Rect SubMenuControl::chevronRect() const {
    if (!collapsed() || !window_) return {};
    const int inset = 1 + painter().submenuClientInset();
    const Rect client = menuRect();
    return {inset, client.bottom - 1 - chevronHeight(), client.right - inset, client.bottom - 1};
}

void SubMenuControl::setChevronHot(bool hot) {
    const ChevronState state = hot ? ChevronState::Hot : ChevronState::Normal;
    if (!collapsed() || chevron_ == state) return;
    chevron_ = state;
    invalidateRect(chevronRect());
    // The hot chevron explains itself, unless the menu expands by itself after a delay.
    if (BarHintController* hints = BarHintController::instance()) {
        const std::string text = chevronHint();
        hints->setHintActive(barManager(), !text.empty(), text);
    }
}

void SubMenuControl::mouseOverChevron(bool over) {
    if (!over) killTimer(kExpandTimer);
    else if (chevron_ == ChevronState::Hot && barManager().showFullMenusAfterDelay())
        setTimer(kExpandTimer, kHotChevronExpandDelay);
}

void SubMenuControl::clickChevron() {
    if (chevron_ == ChevronState::Normal) setChevronHot(true);
    else expand();
}

std::string SubMenuControl::chevronHint() const {
    return chevron_ == ChevronState::Hot && !barManager().showFullMenusAfterDelay() ? BarHintController::ExpandText
                                                                                    : "";
}

void SubMenuControl::expand() {
    if (!collapsed() || closing_) return;
    chevron_ = ChevronState::Expand;
    killTimer(kChevronHotTimer);
    killTimer(kExpandTimer);
    chainRoot().chainExpanded_ = true;
    itemLinks().setRecentItemCount(-1);
    chevron_ = ChevronState::Normal;
    // Back at the requested position, now with every link, appearing again.
    scrollIndex_ = 0;
    animate_ = true;
    ItemControl* selected = selectedControl();
    show();
    if (selected) scrollIntoView(selected);
}

void SubMenuControl::setSelectedControl(ItemControl* control) {
    const bool changed = control != selectedControl();
    CustomBarControl::setSelectedControl(control);
    if (changed && collapsed() && barManager().showFullMenusAfterDelay()) setTimer(kChevronHotTimer, kChevronHotDelay);
}

// ---------------------------------------------------------------------------------------------
// Tearing off

CustomBarSubItem* SubMenuControl::ownerSubItem() const {
    return owner_ ? dynamic_cast<CustomBarSubItem*>(owner_->item()) : nullptr;
}

Bar* SubMenuControl::detachingBar() const {
    CustomBarSubItem* sub = ownerSubItem();
    if (!sub || !sub->detachable()) return nullptr;
    const int index = sub->detachingBar();
    Bars& bars = barManager().bars();
    return index >= 0 && index < bars.count() ? static_cast<Bar*>(bars.item(index)) : nullptr;
}

int SubMenuControl::tearOffHeight() const { return detachingBar() ? painter().tearOffStripHeight() : 0; }

Rect SubMenuControl::tearOffRect() const {
    const int h = tearOffHeight();
    if (h == 0 || !window_) return {};
    const int inset = 1 + painter().submenuClientInset();
    return {inset, inset, menuRect().right - inset, inset + h};
}

void SubMenuControl::setTearOffHot(bool hot) {
    if (hot == tearOffHot_) return;
    tearOffHot_ = hot;
    invalidateRect(tearOffRect());
    if (BarHintController* hints = BarHintController::instance())
        hints->setHintActive(barManager(), hot, hot ? BarHintController::TearOffText : "");
}

void SubMenuControl::startTearOff() {
    Bar* bar = detachingBar();
    if (!bar || !window_) return;
    if (BarHintController* hints = BarHintController::instance()) hints->setHintActive(barManager(), false);
    const Rect strip = tearOffRect();
    TearOff t;
    t.area = Rect(clientToScreen(strip.topLeft()), strip.size()).inflated(kTearOffMargin, kTearOffMargin);
    t.wasVisible = bar->visible();
    t.oldStyle = bar->dockingStyle();
    tearOff_ = t;
    windowSystem().setCapture(window_.get());
}

void SubMenuControl::trackTearOff(Point screen) {
    Bar* bar = detachingBar();
    if (!bar) {
        endTearOff(false);
        return;
    }
    if (tearOff_->area.contains(screen)) {
        // Back at the strip: the bar goes away again, and the menu is as it was.
        if (tearOff_->shown) {
            tearOff_->shown = false;
            restoreTornOffBar();
        }
        return;
    }
    if (!tearOff_->shown) {
        tearOff_->shown = true;
        bar->setFloatLeft(screen.x);
        bar->setFloatTop(screen.y);
        bar->setDockingStyle(dsNone);
        bar->setVisible(true);
    }
    placeTornOffBar(screen);
}

void SubMenuControl::placeTornOffBar(Point screen) {
    Bar* bar = detachingBar();
    auto* w = bar ? dynamic_cast<Window*>(bar->control()) : nullptr;
    if (!w || !w->handleAllocated()) return;
    // Centred on the mouse across, its caption (the frame above the client area) under it.
    const Rect b = w->bounds();
    const int captionMiddle = (w->clientToScreen(Point(0, 0)).y - b.top) / 2;
    w->move(Point(screen.x - b.width() / 2, screen.y - captionMiddle));
}

void SubMenuControl::restoreTornOffBar() {
    Bar* bar = detachingBar();
    if (!bar || !tearOff_) return;
    if (!tearOff_->wasVisible) bar->setVisible(false);
    if (tearOff_->oldStyle != dsNone) bar->setDockingStyle(tearOff_->oldStyle);
}

void SubMenuControl::endTearOff(bool keep) {
    if (!tearOff_) return;
    if (!keep && tearOff_->shown) restoreTornOffBar();
    const bool kept = keep && tearOff_->shown;
    // Cleared first: letting the capture go comes back here as WM_CAPTURECHANGED.
    tearOff_.reset();
    if (window_ && windowSystem().capture() == window_.get()) windowSystem().releaseCapture();
    if (!kept) return;
    CustomBarSubItem* sub = ownerSubItem();
    if (sub) sub->doDetaching();
    if (!MenuChain::isAlive(this)) return;
    hideAll();
}

}  // namespace lindora
