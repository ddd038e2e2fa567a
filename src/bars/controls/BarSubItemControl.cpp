#include "bars/controls/BarSubItemControl.h"

#include <algorithm>

#include "bars/controls/CustomBarControl.h"
#include "bars/controls/SubMenuWindow.h"
#include "bars/model/BarContainerItems.h"
#include "bars/model/BarManager.h"
#include "bars/model/BarSubItem.h"
#include "bars/painters/BarItemControlPainter.h"
#include "ui/Messages.h"
#include "ui/WindowSystem.h"

namespace lindora {

namespace {

// The one sub item waiting for its delayed open or close, process-wide like the user-interface
// thread that runs its timer.
struct PendingSubItem {
    BarSubItemControl* control = nullptr;
    bool opening = false;
    unsigned timer = 0;
};
PendingSubItem& pendingState() {
    static PendingSubItem state;
    return state;
}

void killPendingTimer() {
    PendingSubItem& p = pendingState();
    if (p.timer != 0 && PlatformIntegration::instance()) windowSystem().killTimer(nullptr, p.timer);
    p.timer = 0;
}

}  // namespace

BarSubItemControl::BarSubItemControl(BarItemLink& link) : ItemControl(link) {}

BarSubItemControl::~BarSubItemControl() {
    cancelPending();
    if (subMenu_) {
        subMenu_->forgetOwner();
        subMenu_->closeUp();
        if (CustomBarControl* p = parent(); p && p->openSubMenu() == subMenu_.get()) p->setOpenSubMenu(nullptr);
        subMenu_.reset();
    }
}

CustomBarSubItem* BarSubItemControl::subItem() const { return dynamic_cast<CustomBarSubItem*>(item()); }

BarSubItemControl* BarSubItemControl::pending() { return pendingState().control; }
bool BarSubItemControl::isPending() const { return pendingState().control == this; }

void BarSubItemControl::startPending(bool opening) {
    killPendingTimer();
    PendingSubItem& p = pendingState();
    p.control = this;
    p.opening = opening;
    if (PlatformIntegration::instance())
        p.timer = windowSystem().setTimer(nullptr, 0, PendingDelayMs, [](unsigned) { pendingFired(); });
}

void BarSubItemControl::cancelPending() {
    if (!isPending()) return;
    killPendingTimer();
    pendingState().control = nullptr;
}

void BarSubItemControl::pendingFired() {
    killPendingTimer();  // one shot
    PendingSubItem& p = pendingState();
    BarSubItemControl* control = p.control;
    const bool opening = p.opening;
    p.control = nullptr;
    if (!control) return;
    if (opening) control->controlActivate(true);
    else control->controlInactivate(true);
}

ItemLinksWindow* BarSubItemControl::subMenuControl() const { return subMenu_.get(); }

bool BarSubItemControl::wantsKey(int key) const { return inSubMenu() && key == VK_RIGHT; }

bool BarSubItemControl::keyDown(int key) {
    if (!wantsKey(key)) return false;
    controlPress(false);
    return true;
}

// ---- opening and closing

void BarSubItemControl::controlActivate(bool immediate) {
    CustomBarSubItem* sub = subItem();
    if (sub) {
        if (auto* open = dynamic_cast<SubMenuWindow*>(sub->itemLinks().barControl())) {
            if (open->ownerControl() == this) {
                cancelPending();
                return;
            }
            if (auto* other = dynamic_cast<BarSubItemControl*>(open->ownerControl())) other->controlInactivate(true);
        }
    }
    ItemControl::controlActivate(immediate);
    const BarManager* m = barManager();
    const bool designing = m && m->isDesigning();
    const bool customizing = m && m->isCustomizing();
    if (!enabled() && !designing) return;
    CustomBarControl* p = parent();
    if (!p) return;
    if (p->isToolbar()) {
        // A toolbar opens menus only once one was opened by a click or the keyboard.
        if (customizing || p->menuOpenedByClick()) openSubMenu();
        return;
    }
    if (!immediate && !customizing) {
        // Resting on the item: open after the delay. A sub item waiting in another menu closes.
        if (BarSubItemControl* other = pending(); other && other != this && other->parent() != p) {
            other->cancelPending();
            other->controlInactivate(true);
        }
        startPending(true);
        return;
    }
    openSubMenu();
}

void BarSubItemControl::openSubMenu() {
    cancelPending();
    CustomBarSubItem* sub = subItem();
    CustomBarControl* p = parent();
    if (!sub || !p || subMenu_) return;
    // Another item's submenu of the same window closes first.
    if (auto* other = dynamic_cast<SubMenuWindow*>(p->openSubMenu()))
        if (auto* owner = dynamic_cast<BarSubItemControl*>(other->ownerControl()); owner && owner != this)
            owner->controlInactivate(true);
    std::weak_ptr<bool> alive = lifeToken();
    sub->popup();  // OnPopup, then the click that signals the opening
    if (alive.expired() || subMenu_) return;
    std::unique_ptr<ItemLinksWindow> window = sub->itemLinks().createBarControl();
    auto* menu = dynamic_cast<SubMenuWindow*>(window.get());
    if (!menu) return;
    window.release();
    subMenu_.reset(menu);
    sub->itemLinks().setParentLink(&link());

    const Rect r = itemRect();
    SubMenuWindow::Placement placement;
    if (p->isSubMenu()) placement.screen = p->clientToScreen({r.right, r.top - p->subMenuTopOffset()});
    else if (p->isVertical()) placement.screen = p->clientToScreen({r.right, r.top});
    else {
        placement.screen = p->clientToScreen({r.left, r.bottom});
        placement.ownerItemHeight = r.height();
    }
    const Point topLeft = p->clientToScreen(r.topLeft());
    placement.ownerScreenRect = Rect(topLeft, r.size());
    placement.parentBar = p;
    placement.ownerControl = this;
    placement.openedByMouse = openedByMouse_;
    p->setOpenSubMenu(menu);
    menu->popup(placement);
    if (!alive.expired()) repaint();
}

void BarSubItemControl::controlInactivate(bool immediate) {
    if (!immediate && inSubMenu()) {
        // The mouse left: close after the delay (a pending open of its own turns into it),
        // unless another sub item is waiting.
        if (!pending() || pending() == this) startPending(false);
        return;
    }
    closeSubMenu();
}

void BarSubItemControl::closeSubMenu() {
    const bool wasOpen = subMenu_ != nullptr;
    if (subMenu_) subMenu_->forgetOwner();
    ItemControl::controlInactivate(true);
    cancelPending();
    CustomBarControl* p = parent();
    if (subMenu_) {
        std::unique_ptr<SubMenuWindow> menu = std::move(subMenu_);
        if (p && p->openSubMenu() == menu.get()) p->setOpenSubMenu(nullptr);
        menu->closeUp();
        if (CustomBarSubItem* sub = subItem(); sub && sub->itemLinks().parentLink() == &link())
            sub->itemLinks().setParentLink(nullptr);
    }
    if (p && p->isToolbar()) repaint();
    if (wasOpen)
        if (CustomBarSubItem* sub = subItem()) sub->doCloseUp();
}

void BarSubItemControl::controlPress(bool byMouse) {
    const BarManager* m = barManager();
    if (isOpen()) {
        if (m && (m->isCustomizing() || m->effectiveStyle() == bmsStandard)) controlInactivate(true);
        return;
    }
    openedByMouse_ = byMouse;
    std::weak_ptr<bool> alive = lifeToken();
    controlActivate(true);
    if (alive.expired()) return;
    if (!isOpen()) openSubMenu();
    if (!byMouse && subMenu_) subMenu_->selectFirst();
}

// ---- sizes

Size BarSubItemControl::barSize() const {
    CustomBarControl* p = parent();
    const BarManager* m = barManager();
    const BarItemControlPainter& painter = this->painter();
    const CustomBarSubItem* sub = subItem();
    const bool showCaption = !sub || sub->showCaption();
    const bool showGlyph = hasUsableGlyph();
    const int buttonWidth = m ? m->buttonWidth() : 0;
    const int buttonHeight = m ? m->buttonHeight() : 0;
    const int spacing = painter.subItemCaptionSpacing(p->itemFont().emPixels(), p->isMainMenu());
    int length;
    if (showGlyph || !showCaption) {
        length = buttonWidth;
        if (showCaption) length += p->captionWidth(caption()) + spacing;
    } else {
        length = p->captionWidth(caption()) + 2 * spacing;
    }
    // Off the main menu a down arrow (one smaller than the bar's arrows) and its margins follow.
    if (!p->isMainMenu()) length += 2 * (p->arrowSize() - 1) - 1 + 4;
    const int thickness = showCaption ? std::max(p->textItemHeight(), buttonHeight) : buttonHeight;
    return {painter.subItemWidth(length, false), painter.subItemHeight(thickness, false)};
}

Size BarSubItemControl::menuSize() const {
    CustomBarControl* p = parent();
    const int width = p->captionWidth(caption()) + 2 * p->textItemHeight() + 6;
    return {painter().subItemWidth(width, true), painter().subItemHeight(p->menuItemHeight(), true)};
}

int BarSubItemControl::width() const {
    CustomBarControl* p = parent();
    if (!p || !item()) return 0;
    if (p->isSubMenu()) return menuSize().cx;
    const Size s = barSize();
    return p->isRotated() ? s.cy : s.cx;
}

int BarSubItemControl::height() const {
    CustomBarControl* p = parent();
    if (!p || !item()) return 0;
    if (p->isSubMenu()) return menuSize().cy;
    const Size s = barSize();
    return p->isRotated() ? s.cx : s.cy;
}

// ---- drawing

void BarSubItemControl::draw(Canvas& canvas, const Rect& r, ItemDrawKind kind) {
    CustomBarControl* p = parent();
    if (!p || !item() || r.isEmpty()) return;
    BarDrawContext context = drawContext();
    // Only a bar that turns its texts draws them along a vertical bar.
    context.vertical = kind == ItemDrawKind::RotatedToolbar;
    canvas.setFont(p->itemFont());
    ButtonDrawParams params;
    params.context = &context;
    params.rect = r;
    params.hot = isSelected();
    params.checked = isOpen() && kind != ItemDrawKind::Menu;
    params.droppedDown = isOpen() && kind != ItemDrawKind::Menu;
    params.enabled = enabled();
    params.caption = caption();
    const CustomBarSubItem* sub = subItem();
    params.showCaption = !sub || sub->showCaption() || kind == ItemDrawKind::Menu;
    params.images = images();
    params.imageIndex = imageIndex();
    params.glyph = glyph().isEmpty() ? nullptr : &glyph();
    params.showGlyph = hasUsableGlyph();
    params.lighterBackground = kind == ItemDrawKind::Menu && rarelyUsed();
    params.flatTextWanted = true;
    painter().drawSubItem(canvas, params);
}

// ---- container items

std::string BarContainerItemControl::caption() const {
    std::string text = ItemControl::caption();
    bool empty = false;
    if (auto* container = dynamic_cast<BarContainerItem*>(item())) empty = container->itemLinks().count() == 0;
    else if (auto* list = dynamic_cast<BarListItem*>(item())) empty = list->items().count() == 0;
    if (!onToolbar() && empty) return "(" + text + ")";
    return text;
}

bool BarContainerItemControl::isExpandable() const {
    const BarManager* m = barManager();
    return !(m && m->isCustomizing());
}

}  // namespace lindora
