#pragma once
// Turns the backend's raw mouse and keyboard input into window messages when the queue gets to
// it: finds the target (capture, the window under the pointer, the focus), tells double clicks
// from clicks, keeps the key states, activates on a click, asks for the cursor and shows the
// input to the observers, which may swallow it.
#include <cstdint>
#include <deque>

#include "ui/DoubleClickTracker.h"
#include "ui/KeyStateTable.h"
#include "ui/MessageQueue.h"
#include "ui/Window.h"

namespace lindora {

class WindowSystem;

// The visible window at a screen point, with its hit-test code.
struct WindowHit {
    Window* window = nullptr;
    int hitTest = HTNOWHERE;
};

class InputRouter {
public:
    explicit InputRouter(WindowSystem& ws) : ws_(ws) {}

    // Input from the backend, queued; the asynchronous key state changes now.
    void mouseInput(const MouseInput& input, std::int64_t time);
    void keyInput(const KeyInput& input, std::int64_t time);
    bool hasInput() const { return !input_.empty(); }
    std::size_t pendingCount() const { return input_.size(); }
    // Converts the oldest queued input; false when it makes no message (swallowed, no target).
    bool convertNext(QueuedMessage& out);
    // Input a native child handles itself (the browser view): the key and button states change
    // and the observers see it at once, as they would see the message the window layer makes
    // for its own windows. True when one swallowed it. It makes no message.
    bool observeChildKey(const KeyInput& input, std::int64_t time);
    bool observeChildMouse(Window* host, const MouseInput& input, std::int64_t time);

    // The visible top-level at a screen point that does not answer HTTRANSPARENT, and the
    // deepest enabled child under it, with the hit-test code.
    WindowHit windowFromPoint(Point screen);

    Point cursorPos() const { return cursor_; }
    void setCursorPos(Point p) { cursor_ = p; }
    // Key state as of the message being processed: 0x8000 down, 0x0001 toggled.
    std::int16_t keyState(unsigned vk) const { return syncKeys_.state(vk); }
    // Key state now, including input still queued: 0x8000 down.
    std::int16_t asyncKeyState(unsigned vk) const { return asyncKeys_.state(vk) & static_cast<std::int16_t>(0x8000); }

    void windowDestroyed(Window* w) { clicks_.forget(w->handle()); }
    void clear(Point cursor);

private:
    struct RawInput {
        bool isMouse = true;
        MouseInput mouse;
        KeyInput key;
        std::int64_t time = 0;
    };
    bool convertMouse(const RawInput& raw, QueuedMessage& out);
    bool convertKey(const RawInput& raw, QueuedMessage& out);
    // Takes a key into the message-time key states and makes its message's lParam; `system`
    // tells a WM_SYSKEY message (Alt without Ctrl, F10).
    std::uint32_t takeKey(const KeyInput& in, bool& system);
    // Takes a button into the message-time states; the message it makes for `target`, a double
    // click where the window's class asks for them.
    unsigned takeButton(const MouseInput& in, Window* target, int hit, std::int64_t time);
    // The window that takes the mouse at a hit: disabled children pass it to their parent.
    static WindowHit enabledTarget(WindowHit hit);
    // A press on an inactive top-level: WM_MOUSEACTIVATE decides; true when the click is eaten.
    bool activateOnClick(Window* target, int hit, unsigned msg);
    unsigned mouseKeyFlags() const;

    WindowSystem& ws_;
    std::deque<RawInput> input_;
    Point cursor_;
    KeyStateTable syncKeys_;
    KeyStateTable asyncKeys_;
    DoubleClickTracker clicks_;
};

}  // namespace lindora
