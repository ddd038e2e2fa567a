#include "ui/CaptureController.h"

#include "ui/WindowSystem.h"

namespace lindora {

namespace {
NativeSurface* topLevelSurface(Window* w) {
    Window* top = w ? w->topLevel() : nullptr;
    return top ? top->surface() : nullptr;
}
}  // namespace

Window* CaptureController::capture() const { return ws_.find(capture_); }

void CaptureController::setCapture(Window* w) {
    Window* old = capture();
    if (old == w) return;
    NativeSurface* oldSurface = topLevelSurface(old);
    capture_ = w ? w->handle() : 0;
    NativeSurface* newSurface = topLevelSurface(w);
    if (oldSurface && oldSurface != newSurface) oldSurface->setPointerGrab(false);
    if (newSurface && newSurface != oldSurface) newSurface->setPointerGrab(true);
    if (old) ws_.send(old, WM_CAPTURECHANGED, 0, static_cast<LParam>(capture_));
}

void CaptureController::trackMouseLeave(Window* w, Point cursor) {
    if (!w || !w->handleAllocated()) return;
    if (leaveTracked_ && leaveTracked_ != w->handle()) fireMouseLeave();
    leaveTracked_ = w->handle();
    // Already outside: the notice comes at once, as the classic platform does.
    if (!w->isWindowVisible() || !w->clientToScreen(w->clientRect()).contains(cursor)) fireMouseLeave();
}

void CaptureController::cancelMouseLeave(Window* w) {
    if (w && leaveTracked_ == w->handle()) leaveTracked_ = 0;
}

Window* CaptureController::mouseLeaveTracked() const { return ws_.find(leaveTracked_); }

void CaptureController::fireMouseLeave() {
    Window* w = mouseLeaveTracked();
    leaveTracked_ = 0;
    if (w) ws_.post(w, WM_MOUSELEAVE);
}

void CaptureController::windowDestroyed(Window* w) {
    const WindowHandle h = w->handle();
    if (capture_ == h) {
        capture_ = 0;
        if (NativeSurface* s = topLevelSurface(w)) s->setPointerGrab(false);
    }
    if (leaveTracked_ == h) leaveTracked_ = 0;
}

void CaptureController::clear() { capture_ = leaveTracked_ = 0; }

}  // namespace lindora
