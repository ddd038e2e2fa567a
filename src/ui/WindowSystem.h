#pragma once
// The state of the one user-interface thread, as one façade: the backend's event sink, and what
// the rest of the program calls for windows, messages, input state, timers, observers and
// painting. The work is done by small parts behind it: the window table and z-order, the
// message queue, the input router, capture, focus and activation, the timer queue, the observer
// chain, and the route for handlers' exceptions. Process-wide because there is one such thread.
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "ui/CaptureController.h"
#include "ui/Clock.h"
#include "ui/FocusController.h"
#include "ui/HandlerExceptions.h"
#include "ui/IdleHooks.h"
#include "ui/InputRouter.h"
#include "ui/MessageQueue.h"
#include "ui/Messages.h"
#include "ui/ObserverChain.h"
#include "ui/PlatformIntegration.h"
#include "ui/TimerQueue.h"
#include "ui/Window.h"
#include "ui/WindowTable.h"

namespace lindora {

class WindowSystem final : public PlatformEventSink {
public:
    static WindowSystem& instance();

    // ---- the backend
    PlatformIntegration& platform() const;
    bool hasPlatform() const { return platform_ != nullptr; }
    Clock& clock() const;
    // Called by PlatformIntegration::install; resets all thread state.
    void attachPlatform(PlatformIntegration* platform);

    // ---- windows
    Window* find(WindowHandle h) const { return windows_.find(h); }
    // Top-level windows, topmost first.
    const std::vector<Window*>& topLevels() const { return windows_.topLevels(); }
    using HitResult = WindowHit;
    // The visible top-level at a screen point that does not answer HTTRANSPARENT, and the
    // deepest enabled child under it, with the hit-test code.
    HitResult windowFromPoint(Point screen) { return input_.windowFromPoint(screen); }

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
    std::size_t pendingCount() const { return queue_.size() + input_.pendingCount(); }
    // The message being processed (for key states and the message time).
    const QueuedMessage& currentMessage() const { return current_; }

    // ---- idle time
    // Calls `callback` once each time a message loop finds the queue empty after it handled
    // something (a message, input, a timer), before it would wait. Work the callback posts is
    // handled first, and the hooks run again only when that has drained. The hook stays
    // registered while the returned handle lives.
    [[nodiscard]] IdleHook addIdleHook(IdleHooks::Callback callback);
    // The queue drained: runs the idle hooks when they are due. True when they ran (the caller
    // looks for work again before it waits). Message loops call it; waitForWork and
    // processMessages do so themselves.
    bool queueDrained();

    // ---- handlers' exceptions
    // Where exceptions go that handlers raise while the window system runs them on its own
    // behalf (the application's report); without a handler they propagate.
    void setExceptionHandler(HandlerExceptions::Handler handler) { exceptions_.setHandler(std::move(handler)); }
    // Runs f as such a handler; false when it raised an exception that went to the handler.
    // Backends run their own native callbacks through this.
    template <class F>
    bool guarded(F&& f) {
        return exceptions_.run(std::forward<F>(f));
    }

    // ---- input state
    Window* capture() const { return capture_.capture(); }
    void setCapture(Window* w) { capture_.setCapture(w); }
    void releaseCapture() { capture_.setCapture(nullptr); }
    // Asks for WM_MOUSELEAVE once the mouse leaves w's client area.
    void trackMouseLeave(Window* w) { capture_.trackMouseLeave(w, cursorPos()); }
    void cancelMouseLeave(Window* w) { capture_.cancelMouseLeave(w); }
    Window* mouseLeaveTracked() const { return capture_.mouseLeaveTracked(); }
    Window* focus() const { return focus_.focus(); }
    // Returns the window that had the focus. Activates w's top-level first.
    Window* setFocus(Window* w) { return focus_.setFocus(w); }
    Window* activeWindow() const { return focus_.activeWindow(); }
    // Activates a top-level (nullptr deactivates); `how` is WA_ACTIVE or WA_CLICKACTIVE.
    void setActiveWindow(Window* w, unsigned how = WA_ACTIVE) { focus_.setActiveWindow(w, how); }
    bool applicationActive() const { return focus_.applicationActive(); }
    Point cursorPos() const { return input_.cursorPos(); }
    // Sets the mouse cursor now (as WM_SETCURSOR handlers and drag loops do), on the surface
    // of the capturing window, else of the window under the pointer.
    void setCursorShape(CursorShape shape);
    void setCustomCursor(const Bitmap& image, Point hotSpot);
    void setCursorPos(Point p) { input_.setCursorPos(p); }
    // Key state as of the message being processed: 0x8000 down, 0x0001 toggled.
    std::int16_t keyState(unsigned vk) const { return input_.keyState(vk); }
    // Key state now, including input still queued: 0x8000 down.
    std::int16_t asyncKeyState(unsigned vk) const { return input_.asyncKeyState(vk); }

    // ---- timers
    // A window timer (WM_TIMER to w with the id) or, with w nullptr, a thread timer that calls
    // the callback; id 0 asks for a new id. Setting an existing timer restarts it. Returns the id.
    unsigned setTimer(Window* w, unsigned id, int intervalMs, TimerCallback callback = {});
    bool killTimer(Window* w, unsigned id);
    bool hasTimer(Window* w, unsigned id) const;
    // Due time of the earliest timer, if any.
    std::optional<std::int64_t> nextTimerDue() const { return timers_.nextDue(); }
    // Fires every timer due up to `target` in order, moving a virtual clock to each time.
    void runTimersUntil(VirtualClock& clock, std::int64_t target);

    // ---- observers
    ObserverId addKeyboardObserver(KeyboardObserver o) { return observers_.addKeyboard(std::move(o)); }
    ObserverId addMouseObserver(MouseObserver o) { return observers_.addMouse(std::move(o)); }
    ObserverId addMessageObserver(MessageObserver o) { return observers_.addMessage(std::move(o)); }
    void removeObserver(ObserverId id) { observers_.remove(id); }

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
    bool nativeChildKeyInput(NativeChild* child, const KeyInput& input) override;
    bool nativeChildMouseInput(NativeChild* child, const MouseInput& input) override;
    void nativeChildFocused(NativeChild* child) override;
    // The window hosting a native child, or null.
    Window* hostOf(const NativeChild* child) const;

    // Exit code of the WM_QUIT that ended the last loop.
    int exitCode() const { return queue_.exitCode(); }
    bool quitPosted() const { return queue_.quitPosted(); }

private:
    friend class Window;
    friend class SurfaceBridge;
    friend class InputRouter;
    friend class IdleHook;
    WindowSystem() : input_(*this), capture_(*this), focus_(*this) {}

    WindowHandle registerWindow(Window* w) { return windows_.add(w); }
    void unregisterWindow(Window* w) { windows_.remove(w); }
    void addTopLevel(Window* w) { windows_.addTopLevel(w); }
    void removeTopLevel(Window* w) { windows_.removeTopLevel(w); }
    void raiseTopLevel(Window* w, Window* insertAfter) { windows_.raise(w, insertAfter); }
    void windowDestroyed(Window* w);
    // A native surface gained or lost the system's keyboard focus.
    void nativeActivationChanged(Window* w, bool active) { focus_.nativeActivationChanged(w, active); }

    CaptureController& captureController() { return capture_; }
    ObserverChain& observers() { return observers_; }
    bool takeDueTimer(QueuedMessage& out, bool remove);
    QueuedMessage timerMessage(const TimerKey& key, std::int64_t now) const;
    void fireTimer(QueuedMessage& m);
    void refreshSystemColors();
    void removeIdleHook(IdleHookId id) { idleHooks_.remove(id); }

    PlatformIntegration* platform_ = nullptr;
    WindowTable windows_;
    MessageQueue queue_;
    InputRouter input_;
    CaptureController capture_;
    FocusController focus_;
    TimerQueue timers_;
    ObserverChain observers_;
    HandlerExceptions exceptions_;
    IdleHooks idleHooks_;
    // Something was handled since the idle hooks last ran.
    bool idleDue_ = true;
    QueuedMessage current_;
};

// Shorthands for the thread state.
inline WindowSystem& windowSystem() { return WindowSystem::instance(); }

}  // namespace lindora
