#include "bars/controls/BarHint.h"

#include <algorithm>

#include "bars/controls/BarButtonControl.h"
#include "bars/controls/BarControl.h"
#include "bars/controls/CustomBarControl.h"
#include "bars/controls/ItemControl.h"
#include "bars/model/BarAction.h"
#include "bars/model/BarFramework.h"
#include "bars/model/BarItem.h"
#include "bars/model/BarItemLinks.h"
#include "bars/model/BarManager.h"
#include "gfx/Canvas.h"
#include "gfx/Color.h"
#include "gfx/TextFormat.h"
#include "ui/Application.h"
#include "ui/Screen.h"
#include "ui/WindowSystem.h"

namespace lindora {

namespace {

constexpr unsigned kTextFormat = DT_WORDBREAK | DT_NOPREFIX;
// Room around the text: the raised edge and a margin.
constexpr int kFrameExtra = 6;

std::unique_ptr<BarHintController>& theController() {
    static std::unique_ptr<BarHintController> controller;
    return controller;
}

// The part of an item's hint shown on the toolbar: before "|" (the rest is for a status line).
std::string shortHint(const std::string& hint) { return hint.substr(0, hint.find('|')); }

}  // namespace

Rect BarHintPlacement(Point point, Size size, const Rect& workArea, int cursorGap) {
    Rect r(point, size);
    if (r.right > workArea.right) r = Rect(Point(workArea.right - size.cx, r.top), size);
    if (r.bottom > workArea.bottom) r = Rect(Point(r.left, point.y - size.cy - cursorGap), size);
    const int left = std::max(r.left, workArea.left);
    const int top = std::max(r.top, workArea.top);
    return Rect(Point(left, top), size);
}

// ---- BarHintWindow

BarHintWindow::BarHintWindow() {
    CreateParams cp;
    cp.style = WS_POPUP | WS_DISABLED;
    cp.exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    cp.classStyle = CS_SAVEBITS;
    cp.bounds = Rect(0, 0, 1, 1);
    setBackgroundColor(clInfoBk);
    create(cp);
}

BarHintWindow::~BarHintWindow() { destroy(); }

Font BarHintWindow::fontFor(const BarManager& manager) {
    Font f;
    if (manager.useSystemFont()) {
        const SystemFontSpec status = Screen::nonClientFonts().status;
        if (!status.family.empty()) {
            f = Screen::fontFrom(status, clInfoText);
        } else {
            f = manager.font().font();
            f.setSize(8);
        }
    } else {
        f = manager.font().font();
    }
    f.setEscapement(0);
    f.setColor(clInfoText);
    return f;
}

void BarHintWindow::activateHint(Point point, const std::string& text, const BarManager& manager, int cursorGap) {
    text_ = text;
    font_ = fontFor(manager);
    const Rect workArea = Screen::monitorFromPoint(point).workArea;
    Canvas measure(1, 1);
    measure.setFont(font_);
    Rect textRect(0, 0, std::max(1, workArea.width()), 0);
    measure.drawText(textRect, text_, kTextFormat | DT_CALCRECT);
    const Size size(textRect.width() + kFrameExtra, textRect.height() + kFrameExtra);
    const Rect at = BarHintPlacement(point, size, workArea, cursorGap);

    setBackgroundColor(Application::current() ? Application::current()->hintColor() : clInfoBk);
    invalidate();
    setPos(Window::TopMost, at, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void BarHintWindow::hideHint() {
    if (isVisibleStyle()) hide();
}

void BarHintWindow::wndProc(Message& m) {
    switch (m.msg) {
    case WM_NCHITTEST: m.result = HTTRANSPARENT; return;
    case WM_MOUSEACTIVATE: m.result = MA_NOACTIVATE; return;
    default: Window::wndProc(m);
    }
}

void BarHintWindow::paint(Canvas& canvas) {
    const Rect client = clientRect();
    canvas.drawEdge(client, BDR_RAISEDOUTER, BF_RECT);
    Rect textRect = client.inflated(-1, -1);
    textRect.left += 2;
    textRect.top += 2;
    canvas.setFont(font_);
    canvas.drawText(textRect, text_, kTextFormat | DT_NOCLIP);
}

// ---- BarHintController

BarHintController* BarHintController::instance() { return theController().get(); }

void BarHintController::start() {
    if (!theController()) theController() = std::make_unique<BarHintController>();
}

void BarHintController::stop() { theController().reset(); }

BarHintController::BarHintController() : window_(std::make_unique<BarHintWindow>()) {}

BarHintController::~BarHintController() {
    killDelay();
    killGrace();
}

void BarHintController::selectionChanged(CustomBarControl& window) {
    if (BarHintController* c = instance()) c->setHintActive(window.barManager(), true);
}

void BarHintController::menuModeChanging(CustomBarControl& window) {
    if (BarHintController* c = instance()) c->setHintActive(window.barManager(), false);
}

BarManager* BarHintController::liveManager() const {
    if (!manager_ || manager_->isDestroying()) return nullptr;
    const auto& list = BarFramework::managerList().managers();
    return std::find(list.begin(), list.end(), manager_) != list.end() ? manager_ : nullptr;
}

ItemControl* BarHintController::hintableSelection() const {
    BarManager* m = liveManager();
    BarItemLink* link = m ? m->hotLink() : nullptr;
    auto* control = link ? dynamic_cast<ItemControl*>(link->control()) : nullptr;
    CustomBarControl* window = control ? control->parent() : nullptr;
    // Menus (and toolbars in menu mode) never show item hints.
    if (!window || window->isSubMenu() || window->active() || window->selectedControl() != control) return nullptr;
    return control;
}

void BarHintController::setHintActive(BarManager& manager, bool active, const std::string& explicitText) {
    if (manager.isCustomizing() || !manager.showHint()) {
        // A hint shown before hints were turned off does not stay over the bar.
        if (window_->showing() && &manager == manager_) cancel();
        return;
    }
    if (!active && !hintMode_) return;
    manager_ = &manager;
    hintMode_ = active;
    explicitText_ = active ? explicitText : std::string();
    shown_ = false;
    const bool wanted = active && (!explicitText_.empty() || hintableSelection());
    killDelay();
    if (wanted) {
        if (window_->showing() || graceRunning()) showBarHint();
        else startDelay(ShowDelayMs);
        return;
    }
    if (window_->showing()) {
        window_->hideHint();
        if (hintMode_) startGrace();
    }
}

void BarHintController::showBarHint() {
    killDelay();
    BarManager* m = liveManager();
    if (!m) return;
    ItemControl* control = explicitText_.empty() ? hintableSelection() : nullptr;
    if (explicitText_.empty()) {
        if (!control) return;
        // The hint is for the item under the pointer only.
        auto& ws = windowSystem();
        auto* bar = dynamic_cast<BarControl*>(ws.windowFromPoint(ws.cursorPos()).window);
        if (!bar || bar->controlAt(bar->screenToClient(ws.cursorPos())) != control) {
            window_->hideHint();
            return;
        }
    }
    const Point cursor = windowSystem().cursorPos();
    const Point point(cursor.x, cursor.y + CursorGap);
    std::string text = explicitText_;
    if (control) {
        text = shortHint(control->hint());
        // The item's action may adjust the text, or refuse: then hint mode ends.
        if (BarItem* item = control->item(); item && item->action() && !item->action()->doHint(text)) {
            cancel();
            return;
        }
        if (text.empty() || (!control->enabled() && !m->showHintForDisabledItems())) {
            window_->hideHint();
            return;
        }
        if (m->showShortCutInHint())
            if (const std::string sc = ShortCutToText(control->shortCut()); !sc.empty()) text += " (" + sc + ")";
    }
    if (text.empty()) return;
    window_->activateHint(point, text, *m, CursorGap);
    shown_ = true;
    startDelay(HideDelayMs);
}

void BarHintController::startDelay(int ms) {
    killDelay();
    const bool hide = ms == HideDelayMs;
    delayTimer_ = windowSystem().setTimer(nullptr, 0, ms, [this, hide](unsigned) {
        killDelay();
        if (!liveManager()) return;
        if (hide) autoHide();
        else showBarHint();
    });
}

void BarHintController::autoHide() {
    // Like a lost selection, but the next item the pointer reaches within the grace period
    // shows its hint at once: the user is still reading along the bar.
    const bool wasShowing = window_->showing();
    hintMode_ = false;
    shown_ = false;
    explicitText_.clear();
    window_->hideHint();
    if (wasShowing) startGrace();
}

void BarHintController::killDelay() {
    if (delayTimer_) windowSystem().killTimer(nullptr, delayTimer_);
    delayTimer_ = 0;
}

void BarHintController::cancel() {
    killDelay();
    killGrace();
    hintMode_ = false;
    shown_ = false;
    explicitText_.clear();
    window_->hideHint();
}

void BarHintController::startGrace() {
    killGrace();
    graceTimer_ = windowSystem().setTimer(nullptr, 0, GraceMs, [this](unsigned) { killGrace(); });
}

void BarHintController::killGrace() {
    if (graceTimer_) windowSystem().killTimer(nullptr, graceTimer_);
    graceTimer_ = 0;
}

}  // namespace lindora
