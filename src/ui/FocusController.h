#pragma once
// Keyboard focus and activation: the focused window, the active top-level, and whether the
// application as a whole is active among the desktop's programs.
#include "ui/Window.h"

namespace lindora {

class WindowSystem;

class FocusController {
public:
    explicit FocusController(WindowSystem& ws) : ws_(ws) {}

    Window* focus() const;
    // Returns the window that had the focus. Activates w's top-level first.
    Window* setFocus(Window* w);
    Window* activeWindow() const;
    // Activates a top-level (nullptr deactivates); `how` is WA_ACTIVE or WA_CLICKACTIVE.
    void setActiveWindow(Window* w, unsigned how);
    bool applicationActive() const { return appActive_; }

    // A native surface gained or lost the system's keyboard focus.
    void nativeActivationChanged(Window* w, bool active);
    // The thread message that checks a native focus loss once pending focus-ins have arrived.
    static constexpr unsigned CheckDeactivateMessage = 0x7FF0;
    void checkDeactivate(const Message& m);
    // The application got or lost the desktop's focus.
    void applicationActivated();
    void applicationDeactivated();

    // The active window going activates its owner, else the next window that can be active.
    void windowDestroyed(Window* w);
    void clear();

private:
    WindowSystem& ws_;
    WindowHandle focus_ = 0;
    WindowHandle active_ = 0;
    WindowHandle lastActive_ = 0;
    bool appActive_ = false;
    // Native focus-ins so far: a focus-out followed by a focus-in of the same surface (a
    // transient loss while the focus moves inside it) must not deactivate the application.
    std::uint64_t nativeFocusIns_ = 0;
};

}  // namespace lindora
