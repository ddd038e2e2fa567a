#include "bars/controls/CustomBarControl.h"

#include <algorithm>

#include "bars/controls/BarButtonControl.h"
#include "bars/controls/BarHint.h"
#include "bars/controls/BarSubItemControl.h"
#include "bars/controls/BarWinControl.h"
#include "bars/controls/ItemControl.h"
#include "bars/controls/MenuAccelerator.h"
#include "bars/controls/MenuChain.h"
#include "bars/controls/SubMenuWindow.h"
#include "bars/model/BarAction.h"
#include "bars/model/BarItem.h"
#include "bars/model/BarItemLinks.h"
#include "bars/model/BarManager.h"
#include "bars/painters/BarItemControlPainter.h"
#include "gfx/TextFormat.h"
#include "ui/WindowSystem.h"

namespace lindora {

CustomBarControl::CustomBarControl(BarManager& manager, BarItemLinks& links) : manager_(&manager), links_(&links) {
    MenuChain::registerControl(*this);
}

CustomBarControl::~CustomBarControl() {
    destroying_ = true;
    MenuChain::unregisterControl(*this);
    detachLinks();
}

void CustomBarControl::attachLinks() { links_->setBarControl(this); }

void CustomBarControl::detachLinks() {
    if (links_->barControl() == this) links_->setBarControl(nullptr);
    selected_ = nullptr;
    pressed_ = nullptr;
}

const BarItemControlPainter& CustomBarControl::painter() const {
    // The manager's painter is one of this layer's; a manager without an integration (or with
    // a foreign one) draws with the painter of its style.
    if (auto* p = dynamic_cast<const BarItemControlPainter*>(manager_->painter())) return *p;
    return PainterFor(manager_->getPainterClass());
}

Font CustomBarControl::itemFont() const {
    Font f = manager_->derivedFont();
    if (isRotated()) f.setEscapement(-900);
    return f;
}

namespace {
Canvas& measuringCanvas(std::unique_ptr<Canvas>& canvas, const Font& font) {
    if (!canvas) canvas = std::make_unique<Canvas>(1, 1);
    Font upright = font;
    upright.setEscapement(0);
    canvas->setFont(upright);
    return *canvas;
}
}  // namespace

int CustomBarControl::textItemHeight() const { return measuringCanvas(measure_, itemFont()).textHeight("0") + 6; }

int CustomBarControl::arrowSize() const { return std::max(4, textItemHeight() / 5); }

int CustomBarControl::textWidth(const std::string& text) const {
    return measuringCanvas(measure_, itemFont()).textWidth(text);
}

int CustomBarControl::captionWidth(const std::string& caption) const { return textWidth(stripAccelerators(caption)); }

int CustomBarControl::menuItemHeight() const {
    return painter().submenuItemHeight(measuringCanvas(measure_, itemFont()).textHeight("0"));
}

Brush CustomBarControl::backgroundBrush() const {
    if (isSubMenu()) return painter().submenuBackgroundBrush(manager_);
    return painter().barBackgroundBrushFor(manager_, isMainMenu());
}

void CustomBarControl::repaintItem(ItemControl& control) { invalidateRect(control.itemRect()); }

void CustomBarControl::setSelectedControl(ItemControl* control) {
    if (control == selected_) return;
    ItemControl* old = selected_;
    selected_ = control;
    if (old) old->repaint();
    if (control) control->repaint();
    if (control) manager_->setHotLink(&control->link());
    else if (old) manager_->forgetHotLink(&old->link());
    BarHintController::selectionChanged(*this);
}

void CustomBarControl::setActive(bool value) {
    BarHintController::menuModeChanging(*this);
    if (value == active_) return;
    if (value) {
        active_ = true;
        MenuChain::push(*this);
        // The items show their actions' current state.
        if (!manager_->isCustomizing())
            for (BarItemLink* link : links_->availableLinks())
                if (BarItem* item = link->item())
                    if (BarAction* action = item->action()) action->update();
        return;
    }
    if (ItemControl* selected = selected_) {
        selected->controlInactivate(true);
        if (!MenuChain::isAlive(this)) return;
    }
    setSelectedControl(nullptr);
    active_ = false;
    MenuChain::pop(*this);
}

CustomBarControl& CustomBarControl::rootBar() {
    CustomBarControl* root = this;
    for (int guard = 0; root->parentBar() && guard < 64; ++guard) root = root->parentBar();
    return *root;
}

void CustomBarControl::selectControl(ItemControl* control) {
    if (control) control->setSelectedByMouse(false);
    setSelectedControl(control);
}

void CustomBarControl::hotTrackControl(ItemControl* control) {
    if (ItemControl* old = selected_; old && old != control) {
        old->controlInactivate(false);
        if (!MenuChain::isAlive(this)) return;
    }
    if (control) control->setSelectedByMouse(true);
    if (auto* sub = dynamic_cast<BarSubItemControl*>(control)) sub->setOpenedByMouse(true);
    setSelectedControl(control);
    if (control && selected_ == control) control->controlActivate(false);
}

// ---- mouse

void CustomBarControl::mouseMoved(Point client) {
    if (pressed_) {
        // A held button only tracks whether the mouse is over it.
        const bool inside = pressed_->itemRect().contains(client);
        if (inside != pressedMouseInside_) {
            pressedMouseInside_ = inside;
            pressed_->repaint();
        }
        return;
    }
    Window* window = barWindow();
    if (!window || !window->clientRect().contains(client)) return;
    const Point screen = window->clientToScreen(client);
    // The same point again (also the synthetic move after menu mode ended).
    if (screen == lastMouse_ || ignoresMouseMove()) return;
    lastMouse_ = screen;
    if (windowSystem().mouseLeaveTracked() != window) windowSystem().trackMouseLeave(window);
    ItemControl* control = controlAtPoint(client);
    // The text beam over an inner window's part of an item, else the arrow.
    auto* inner = dynamic_cast<BarWinControl*>(control);
    const CursorShape cursor = inner && inner->showsTextCursorAt(client) ? CursorShape::IBeam : CursorShape::Arrow;
    if (window->cursor() != cursor) {
        window->setCursor(cursor);
        windowSystem().setCursorShape(cursor);
    }
    if (control && !control->canSelect()) control = nullptr;
    if (!control) {
        if (active() && isToolbar()) return;
        if (auto* sub = dynamic_cast<BarSubItemControl*>(selected_); sub && sub->isOpen()) return;
    }
    if (control != selected_) hotTrackControl(control);
}

void CustomBarControl::mouseLeft() {
    lastMouse_ = Point(-1, -1);
    if (active() && isToolbar()) {
        if (selected_) selected_->repaint();
        return;
    }
    if (manager_->isCustomizing() || openSubMenu_) return;
    if (auto* button = dynamic_cast<BarButtonControl*>(selected_); button && button->droppedDown()) return;
    if (selected_) hotTrackControl(nullptr);
}

void CustomBarControl::captureChanged() {
    if (!pressed_) return;
    ItemControl* was = pressed_;
    pressed_ = nullptr;
    pressedMouseInside_ = false;
    was->repaint();
}

void CustomBarControl::pressControl(ItemControl& control, Point client) {
    std::weak_ptr<bool> alive = control.lifeToken();
    selectControl(&control);
    if (alive.expired() || !MenuChain::isAlive(this)) return;
    auto* button = dynamic_cast<BarButtonControl*>(&control);
    if (button) {
        button->setPressedByMouse(true);
        button->setPressPoint(client);
    }
    if (auto* sub = dynamic_cast<BarSubItemControl*>(&control)) sub->setOpenedByMouse(true);
    // A press on an inner-window item beside its inner window goes to the inner window.
    if (auto* inner = dynamic_cast<BarWinControl*>(&control)) {
        inner->forwardMouse(WM_LBUTTONDOWN, client);
        if (alive.expired() || !MenuChain::isAlive(this)) return;
    }
    control.controlPress(true);
    if (alive.expired() || !MenuChain::isAlive(this)) return;
    if (button) button->setPressedByMouse(false);
    if (control.parent() == this && control.keepsPressCapture()) {
        setPressedControl(&control, true);
        if (Window* window = barWindow()) windowSystem().setCapture(window);
        control.repaint();
    }
}

void CustomBarControl::leftButtonDown(Point client) {
    if (ignoreNextButtonUp_) return;
    ItemControl* control = controlAtPoint(client);
    if (control && control->enabled() && control->canSelect()) pressControl(*control, client);
}

bool CustomBarControl::doubleClickSelection(ItemControl* control, Point client) {
    if (!control || control != selected_) return false;
    if (auto* inner = dynamic_cast<BarWinControl*>(control)) return inner->forwardMouse(WM_LBUTTONDBLCLK, client);
    auto* sub = dynamic_cast<BarSubItemControl*>(control);
    if (!sub || !sub->isOpen()) return false;
    // The first press opened the menu; the second one keeps it open and shows all of it.
    if (SubMenuWindow* menu = sub->subMenu(); menu->collapsed()) menu->expand();
    return true;
}

void CustomBarControl::leftButtonUp(Point client) {
    if (ignoreNextButtonUp_) {
        ignoreNextButtonUp_ = false;
        return;
    }
    const bool hadPressed = pressed_ != nullptr;
    if (hadPressed) {
        Window* window = barWindow();
        if (window && windowSystem().capture() == window) windowSystem().releaseCapture();
        if (!MenuChain::isAlive(this)) return;
        setPressedControl(nullptr, false);
    }
    Window* window = barWindow();
    if (window && window->clientRect().contains(client) && active() && !manager_->isCustomizing()) {
        ItemControl* control = controlAtPoint(client);
        if (control && control->canSelect()) {
            if (control->enabled() && control == selected_) {
                if (auto* inner = dynamic_cast<BarWinControl*>(control)) {
                    std::weak_ptr<bool> alive = control->lifeToken();
                    inner->forwardMouse(WM_LBUTTONUP, client);
                    if (alive.expired() || !MenuChain::isAlive(this)) return;
                }
                // The click: menus close and the item's handler runs; this bar may go.
                control->controlUnclick(true);
                if (!MenuChain::isAlive(this)) return;
            } else if (!control->enabled() && control != selected_ && isToolbar()) {
                auto* button = dynamic_cast<BarButtonControl*>(selected_);
                if (!button || !button->droppedDown()) {
                    hideAll();
                    return;
                }
            }
        }
    }
    if (hadPressed && MenuChain::isAlive(this)) hideAll();
}

// ---- keyboard

bool CustomBarControl::keyPressed(unsigned vk) {
    if (vk == VK_MENU || (vk == VK_F10 && manager_->useF10ForMenu())) {
        hideAll();
        return true;
    }
    return false;
}

bool CustomBarControl::selectByAccelerator(unsigned vk) {
    const bool digit = vk >= '0' && vk <= '9';
    const bool letter = vk >= 'A' && vk <= 'Z';
    if (!digit && !letter) return false;
    if (isToolbar()) {
        Window* window = barWindow();
        if (!window || !window->isWindowVisible()) return false;
    }
    const bool shift = windowSystem().keyState(VK_SHIFT) < 0;
    std::vector<ItemControl*> matches;
    for (BarItemLink* link : links_->shownLinks()) {
        auto* control = dynamic_cast<ItemControl*>(link->control());
        if (control && control->enabled() && control->canSelect() &&
            acceleratorMatches(control->caption(), vk, shift, false))
            matches.push_back(control);
    }
    if (matches.empty()) return false;
    // The next one after the selection, wrapping around.
    ItemControl* next = matches.front();
    const std::vector<BarItemLink*>& shown = links_->shownLinks();
    const auto selectedAt = selected_ ? std::find(shown.begin(), shown.end(), &selected_->link()) : shown.end();
    if (selectedAt != shown.end())
        for (auto it = selectedAt + 1; it != shown.end(); ++it)
            if (auto found = std::find(matches.begin(), matches.end(), (*it)->control()); found != matches.end()) {
                next = *found;
                break;
            }
    selectControl(next);
    if (matches.size() == 1 && MenuChain::isAlive(this)) keyPressed(VK_RETURN);
    return true;
}

void CustomBarControl::setPressedControl(ItemControl* control, bool mouseInside) {
    pressed_ = control;
    pressedMouseInside_ = control && mouseInside;
}

void CustomBarControl::forgetControl(BarItemControl& control) {
    if (selected_ == &control) selected_ = nullptr;
    if (pressed_ == &control) {
        pressed_ = nullptr;
        pressedMouseInside_ = false;
    }
}

}  // namespace lindora
