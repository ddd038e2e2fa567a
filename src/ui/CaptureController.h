#pragma once
// Mouse capture and mouse-leave tracking: which window gets the mouse whatever lies under it,
// and which window is told once the mouse leaves its client area.
#include "ui/Window.h"

namespace lindora {

class WindowSystem;

class CaptureController {
public:
    explicit CaptureController(WindowSystem& ws) : ws_(ws) {}

    Window* capture() const;
    // Moves the capture (nullptr releases it); the window that loses it gets WM_CAPTURECHANGED.
    // The pointer grab follows the capture's top-level surface.
    void setCapture(Window* w);

    // Asks for WM_MOUSELEAVE once the mouse leaves w's client area; a window tracked before is
    // told at once. Already outside, w is told at once too.
    void trackMouseLeave(Window* w, Point cursor);
    void cancelMouseLeave(Window* w);
    Window* mouseLeaveTracked() const;
    // The tracked window loses the mouse: it gets WM_MOUSELEAVE, and tracking ends.
    void fireMouseLeave();

    void windowDestroyed(Window* w);
    void clear();

private:
    WindowSystem& ws_;
    WindowHandle capture_ = 0;
    WindowHandle leaveTracked_ = 0;
};

}  // namespace lindora
