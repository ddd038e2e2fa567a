#pragma once
// The state of the one user-interface thread: the window table and the z-order of top-levels,
// the message queue and loops, input state (capture, mouse-leave tracking, focus, activation,
// key states), timers, the thread-wide observers and pending painting. It is the event sink
// of the installed backend. Process-wide because there is one such thread.
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "ui/Clock.h"
#include "ui/Messages.h"
#include "ui/PlatformIntegration.h"
#include "ui/Window.h"

namespace lindora {

// A message as the queue holds it: the window by handle, so that a destroyed window's
// messages are simply dropped.
struct QueuedMessage {
    WindowHandle hwnd = 0;
    Message msg;
    Point pt;  // cursor position when the message was made (screen)
    std::int64_t time = 0;
    std::u32string text;  // characters a key press types (for translate)
};

// The three thread-wide observers. Each returns true to swallow the input (it then reaches
// neither later observers nor the window). Observers run most recently installed first.
struct KeyboardEvent {
    unsigned vk = 0;
    LParam keyData = 0;  // the key message's lParam (bit 31 set on release)
    bool down() const { return (static_cast<std::uint32_t>(keyData) & KF_UP_BIT) == 0; }
};
struct MouseEvent {
    unsigned msg = 0;  // the mouse message about to be delivered
    Window* window = nullptr;
    Point screen;
    int hitTest = HTCLIENT;
};
using KeyboardObserver = std::function<bool(const KeyboardEvent&)>;
using MouseObserver = std::function<bool(const MouseEvent&)>;
// Sees every sent message before the target window; cannot swallow.
using MessageObserver = std::function<void(Window* target, const Message& m)>;
using ObserverId = std::uint64_t;

using TimerCallback = std::function<void(unsigned id)>;

class WindowSystem final : public PlatformEventSink {
public:
    static WindowSystem& instance();

    // ---- the backend
    PlatformIntegration& platform() const;
    Clock& clock() const;
    // Called by PlatformIntegration::install; resets all thread state.
    void attachPlatform(PlatformIntegration* platform);

    // ---- windows
    Window* find(WindowHandle h) const;
    // Top-level windows, topmost first.
    const std::vector<Window*>& topLevels() const { return zOrder_; }
    // The visible top-level at a screen point that does not answer HTTRANSPARENT, and the
    // deepest enabled child under it, with the hit-test code.
    struct HitResult {
        Window* window = nullptr;
        int hitTest = HTNOWHERE;
    };
    HitResult windowFromPoint(Point screen);

    // ---- messages
    LResult send(Window* target, unsigned msg, WParam w = 0, LParam l = 0);
    LResult send(Window* target, Message& m);
    // Posts to a window, or to the thread when target is nullptr.
    void post(Window* target, unsigned msg, WParam w = 0, LParam l = 0);
    void postQuit(int exitCode);
    // Waits for a message; false when it is WM_QUIT.
    bool getMessage(QueuedMessage& out);
    // Lets the backend deliver native events, waiting at most until the next timer is due.
    bool waitForWork();
    // Takes (remove) or looks at the next message without waiting; false when there is none.
    bool peekMessage(QueuedMessage& out, bool remove = true);
    // Posts WM_CHAR for a key press that types characters.
    void translate(const QueuedMessage& m);
    LResult dispatch(QueuedMessage& m);
    // Handles everything pending without waiting (posted messages, input, paints, due timers).
    void processMessages();
    // A local message loop: fetches, translates and dispatches until done() holds. A WM_QUIT
    // ends the loop and is posted again so that the main loop ends too. Returns false then.
    bool runLoop(const std::function<bool()>& done);
    // Input and posted messages still queued.
    std::size_t pendingCount() const { return posted_.size() + input_.size(); }
    // The message being processed (for key states and the message time).
    const QueuedMessage& currentMessage() const { return current_; }

    // ---- input state
    Window* capture() const { return find(capture_); }
    void setCapture(Window* w);
    void releaseCapture();
    // Asks for WM_MOUSELEAVE once the mouse leaves w's client area.
    void trackMouseLeave(Window* w);
    void cancelMouseLeave(Window* w);
    Window* mouseLeaveTracked() const { return find(leaveTracked_); }
    Window* focus() const { return find(focus_); }
    // Returns the window that had the focus. Activates w's top-level first.
    Window* setFocus(Window* w);
    Window* activeWindow() const { return find(active_); }
    // Activates a top-level (nullptr deactivates); `how` is WA_ACTIVE or WA_CLICKACTIVE.
    void setActiveWindow(Window* w, unsigned how = WA_ACTIVE);
    bool applicationActive() const { return appActive_; }
    Point cursorPos() const { return cursor_; }
    // Sets the mouse cursor now (as WM_SETCURSOR handlers and drag loops do), on the surface
    // of the capturing window, else of the window under the pointer.
    void setCursorShape(CursorShape shape);
    void setCustomCursor(const Bitmap& image, Point hotSpot);
    void setCursorPos(Point p) { cursor_ = p; }
    // Key state as of the message being processed: 0x8000 down, 0x0001 toggled.
    std::int16_t keyState(unsigned vk) const;
    // Key state now, including input still queued: 0x8000 down.
    std::int16_t asyncKeyState(unsigned vk) const;

    // ---- timers
    // A window timer (WM_TIMER to w with the id) or, with w nullptr, a thread timer that calls
    // the callback; id 0 asks for a new id. Setting an existing timer restarts it. Returns the id.
    unsigned setTimer(Window* w, unsigned id, int intervalMs, TimerCallback callback = {});
    bool killTimer(Window* w, unsigned id);
    bool hasTimer(Window* w, unsigned id) const;
    // Due time of the earliest timer, if any.
    std::optional<std::int64_t> nextTimerDue() const;
    // Fires every timer due up to `target` in order, moving a virtual clock to each time.
    void runTimersUntil(VirtualClock& clock, std::int64_t target);

    // ---- observers
    ObserverId addKeyboardObserver(KeyboardObserver o);
    ObserverId addMouseObserver(MouseObserver o);
    ObserverId addMessageObserver(MessageObserver o);
    void removeObserver(ObserverId id);

    // ---- painting
    // Paints every window with an invalid area and presents the result.
    void paintPending();
    bool hasPendingPaint() const;

    // ---- system notifications to every top-level
    void broadcast(unsigned msg, WParam w = 0, LParam l = 0);

    // ---- PlatformEventSink
    void mouseInput(const MouseInput& input) override;
    void keyInput(const KeyInput& input) override;
    void systemChanged(SystemChange change, unsigned code = 0) override;
    bool queryEndSession() override;

    // Exit code of the WM_QUIT that ended the last loop.
    int exitCode() const { return exitCode_; }
    bool quitPosted() const { return quitPosted_; }

private:
    friend class Window;
    friend class SurfaceBridge;
    WindowSystem() = default;

    WindowHandle registerWindow(Window* w);
    void unregisterWindow(Window* w);
    void addTopLevel(Window* w);
    void removeTopLevel(Window* w);
    void raiseTopLevel(Window* w, Window* insertAfter);
    void windowDestroyed(Window* w);
    // A native surface gained or lost the system's keyboard focus.
    void nativeActivationChanged(Window* w, bool active);
    void restack();

    struct RawInput {
        bool isMouse = true;
        MouseInput mouse;
        KeyInput key;
        std::int64_t time = 0;
    };
    bool takeInput(QueuedMessage& out);
    bool convertMouse(const RawInput& raw, QueuedMessage& out);
    bool convertKey(const RawInput& raw, QueuedMessage& out);
    bool takeDueTimer(QueuedMessage& out, bool remove);
    void fireTimer(QueuedMessage& m);
    void updateMouseLeave(Window* target, int hitTest);
    void fireMouseLeave();

    struct Timer {
        WindowHandle hwnd = 0;
        bool threadTimer = false;
        unsigned id = 0;
        int interval = 0;
        std::int64_t due = 0;
        std::uint64_t seq = 0;
        TimerCallback callback;
    };
    Timer* findTimer(WindowHandle h, bool thread, unsigned id);
    const Timer* earliestTimer() const;

    struct Observer {
        ObserverId id;
        KeyboardObserver key;
        MouseObserver mouse;
        MessageObserver message;
    };

    PlatformIntegration* platform_ = nullptr;
    std::map<WindowHandle, Window*> windows_;
    WindowHandle nextHandle_ = 0x100;
    std::vector<Window*> zOrder_;
    std::deque<QueuedMessage> posted_;
    std::deque<RawInput> input_;
    QueuedMessage current_;
    bool quitPosted_ = false;
    int exitCode_ = 0;

    WindowHandle capture_ = 0;
    WindowHandle leaveTracked_ = 0;
    WindowHandle focus_ = 0;
    WindowHandle active_ = 0;
    WindowHandle lastActive_ = 0;
    bool appActive_ = false;
    // Native focus-ins so far: a focus-out followed by a focus-in of the same surface (a
    // transient loss while the focus moves inside it) must not deactivate the application.
    std::uint64_t nativeFocusIns_ = 0;
    Point cursor_;
    std::array<std::uint8_t, 256> syncKeys_{};  // bit 0x80 down, 0x01 toggled
    std::array<std::uint8_t, 256> asyncKeys_{};

    // Double-click detection.
    WindowHandle lastClickWindow_ = 0;
    unsigned lastClickMsg_ = 0;
    std::int64_t lastClickTime_ = -1000000;
    Point lastClickPt_;

    std::vector<Timer> timers_;
    std::uint64_t timerSeq_ = 0;
    unsigned nextThreadTimerId_ = 0x7F00;

    std::vector<Observer> observers_;  // in install order; run from the back
    ObserverId nextObserver_ = 1;
    int sendDepth_ = 0;
};

// Shorthands for the thread state.
inline WindowSystem& windowSystem() { return WindowSystem::instance(); }

}  // namespace lindora
