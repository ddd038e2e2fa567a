#include "ui/FocusController.h"

#include "ui/WindowSystem.h"

namespace lindora {

namespace {
unsigned minimizedFlag(const Window* w) { return w->showState() == ShowState::Minimized ? 0x10000u : 0u; }
}  // namespace

Window* FocusController::focus() const { return ws_.find(focus_); }

Window* FocusController::activeWindow() const { return ws_.find(active_); }

Window* FocusController::setFocus(Window* w) {
    Window* old = focus();
    if (old == w) return old;
    if (w) {
        if (!w->handleAllocated()) return old;
        Window* top = w->topLevel();
        if (top && top != activeWindow() && !(top->exStyle() & WS_EX_NOACTIVATE)) {
            setActiveWindow(top, WA_ACTIVE);
            if (focus() == w) return old;
            old = focus();
        }
    }
    const WindowHandle oldH = old ? old->handle() : 0;
    const WindowHandle newH = w ? w->handle() : 0;
    focus_ = newH;
    if (old) ws_.send(old, WM_KILLFOCUS, newH);
    if (w && focus_ == newH && ws_.find(newH)) ws_.send(w, WM_SETFOCUS, oldH);
    return old;
}

void FocusController::setActiveWindow(Window* w, unsigned how) {
    if (w && !w->handleAllocated()) return;
    if (w) w = w->topLevel();
    Window* old = activeWindow();
    if (old == w) return;
    const WindowHandle oldH = old ? old->handle() : 0;
    const WindowHandle newH = w ? w->handle() : 0;
    if (w && !appActive_) {
        appActive_ = true;
        ws_.broadcast(WM_ACTIVATEAPP, 1);
    }
    if (old) {
        ws_.send(old, WM_NCACTIVATE, 0, static_cast<LParam>(newH));
        ws_.send(old, WM_ACTIVATE, WA_INACTIVE | minimizedFlag(old), static_cast<LParam>(newH));
    }
    active_ = newH;
    if (!w) {
        if (focus()) setFocus(nullptr);
        return;
    }
    lastActive_ = newH;
    if (w->surface()) w->surface()->requestActivate();
    w->setPos(nullptr, {}, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (active_ != newH) return;
    ws_.send(w, WM_NCACTIVATE, 1, static_cast<LParam>(oldH));
    ws_.send(w, WM_ACTIVATE, how | minimizedFlag(w), static_cast<LParam>(oldH));
    // The focus must not stay in a window that is no longer active.
    Window* f = focus();
    if (f && f->topLevel() != activeWindow()) {
        focus_ = 0;
        ws_.send(f, WM_KILLFOCUS, 0);
    }
}

void FocusController::nativeActivationChanged(Window* w, bool active) {
    if (active) {
        ++nativeFocusIns_;
        if (!appActive_) applicationActivated();
        if (activeWindow() != w && w->isWindowEnabled()) setActiveWindow(w, WA_ACTIVE);
    } else if (active_ == w->handle()) {
        ws_.post(nullptr, CheckDeactivateMessage, w->handle(), static_cast<LParam>(nativeFocusIns_));
    }
}

void FocusController::checkDeactivate(const Message& m) {
    // No surface of ours took the focus since, not even the one that lost it: the application
    // lost it.
    if (appActive_ && active_ == static_cast<WindowHandle>(m.wParam) &&
        nativeFocusIns_ == static_cast<std::uint64_t>(m.lParam))
        applicationDeactivated();
}

void FocusController::applicationActivated() {
    if (active_) return;
    Window* w = ws_.find(lastActive_);
    if (!w || !w->isWindowVisible()) w = nullptr;
    for (Window* t : ws_.topLevels()) {
        if (w) break;
        if (t->isWindowVisible() && t->isWindowEnabled() && !(t->style() & WS_POPUP)) w = t;
    }
    if (w) setActiveWindow(w, WA_ACTIVE);
}

void FocusController::applicationDeactivated() {
    if (!appActive_) return;
    if (Window* old = activeWindow()) {
        lastActive_ = old->handle();
        ws_.send(old, WM_NCACTIVATE, 0, 0);
        ws_.send(old, WM_ACTIVATE, WA_INACTIVE, 0);
    }
    active_ = 0;
    appActive_ = false;
    ws_.broadcast(WM_ACTIVATEAPP, 0);
    if (Window* f = focus()) {
        focus_ = 0;
        ws_.send(f, WM_KILLFOCUS, 0);
    }
}

void FocusController::windowDestroyed(Window* w) {
    const WindowHandle h = w->handle();
    if (focus_ == h) focus_ = 0;
    if (active_ != h) return;
    active_ = 0;
    // Activate the owner, else the next visible window that can be activated.
    Window* next = nullptr;
    if (Window* o = w->ownerWindow(); o && o->isWindowVisible() && o->isWindowEnabled()) next = o->topLevel();
    for (Window* c : ws_.topLevels()) {
        if (next) break;
        if (c != w && c->isWindowVisible() && c->isWindowEnabled() && !(c->exStyle() & WS_EX_NOACTIVATE) &&
            !((c->style() & WS_POPUP) && !(c->style() & WS_CAPTION)))
            next = c;
    }
    if (next) setActiveWindow(next, WA_ACTIVE);
}

void FocusController::clear() {
    focus_ = active_ = lastActive_ = 0;
    appActive_ = false;
}

}  // namespace lindora
