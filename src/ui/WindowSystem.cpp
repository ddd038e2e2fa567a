#include "ui/WindowSystem.h"

#include <algorithm>

#include "base/Exception.h"
#include "ui/SystemMetrics.h"

namespace lindora {

namespace {

std::unique_ptr<PlatformIntegration>& installedPlatform() {
    static std::unique_ptr<PlatformIntegration> platform;
    return platform;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Installation

PlatformIntegration* PlatformIntegration::instance() { return installedPlatform().get(); }

void PlatformIntegration::install(std::unique_ptr<PlatformIntegration> integration) {
    WindowSystem& ws = WindowSystem::instance();
    // Surfaces belong to the backend that made them: windows still open lose their handles
    // before it goes.
    std::vector<Window*> open = ws.topLevels();
    for (Window* w : open)
        if (ws.find(w->handle()) == w) w->destroy();
    ws.attachPlatform(nullptr);
    installedPlatform() = std::move(integration);
    if (PlatformIntegration* p = installedPlatform().get()) {
        p->attach(ws);
        ws.attachPlatform(p);
    }
}

WindowSystem& WindowSystem::instance() {
    static WindowSystem system;
    return system;
}

PlatformIntegration& WindowSystem::platform() const {
    if (!platform_) throw Exception("No platform backend is installed");
    return *platform_;
}

Clock& WindowSystem::clock() const { return platform().clock(); }

void WindowSystem::attachPlatform(PlatformIntegration* platform) {
    if (platform_ && platform_->clock().isVirtual()) static_cast<VirtualClock&>(platform_->clock()).setAdvanceHook({});
    platform_ = platform;
    queue_.clear();
    current_ = {};
    capture_.clear();
    focus_.clear();
    timers_.clear();
    idleDue_ = true;
    input_.clear(platform_ ? platform_->screen().cursorPos() : input_.cursorPos());
    if (!platform_) return;
    if (platform_->clock().isVirtual()) {
        static_cast<VirtualClock&>(platform_->clock()).setAdvanceHook([this](VirtualClock& c, std::int64_t target) {
            runTimersUntil(c, target);
        });
    }
    refreshSystemColors();
}

void WindowSystem::refreshSystemColors() {
    if (!platform_) return;
    for (int i = 0; i < SystemColors::Count; ++i) SystemColors::set(i, platform_->screen().systemColor(i));
}

void WindowSystem::windowDestroyed(Window* w) {
    const WindowHandle h = w->handle();
    capture_.windowDestroyed(w);
    timers_.dropWindow(h);
    queue_.dropWindow(h);
    input_.windowDestroyed(w);
    focus_.windowDestroyed(w);
}

// ---------------------------------------------------------------------------------------------
// Sending and posting

LResult WindowSystem::send(Window* target, unsigned msg, WParam w, LParam l) {
    Message m{msg, w, l, 0};
    return send(target, m);
}

LResult WindowSystem::send(Window* target, Message& m) {
    if (!target || !target->handleAllocated()) return 0;
    const WindowHandle h = target->handle();
    if (!observers_.message(target, m, [&] { return find(h) == target; })) return 0;  // destroyed by an observer
    target->perform(m);
    return m.result;
}

void WindowSystem::post(Window* target, unsigned msg, WParam w, LParam l) {
    QueuedMessage q;
    q.hwnd = target ? target->handle() : 0;
    if (target && q.hwnd == 0) return;
    q.msg = {msg, w, l, 0};
    q.pt = cursorPos();
    q.time = platform_ ? clock().now() : 0;
    queue_.post(std::move(q));
    if (platform_) platform_->eventDispatcher().wakeUp();
}

void WindowSystem::postQuit(int exitCode) {
    queue_.postQuit(exitCode);
    if (platform_) platform_->eventDispatcher().wakeUp();
}

bool WindowSystem::peekMessage(QueuedMessage& out, bool remove) {
    if (queue_.take(out, remove)) {
        if (remove) {
            current_ = out;
            idleDue_ = true;
        }
        return true;
    }
    if (queue_.takeQuit(out, remove)) return true;
    while (input_.hasInput()) {
        QueuedMessage q;
        bool made = false;
        // Routing runs handlers of its own (observers, WM_MOUSEACTIVATE, WM_SETCURSOR).
        guarded([&] { made = input_.convertNext(q); });
        if (!made) continue;
        if (!remove) {
            // Looking only: keep the converted message in front. Routing, activation and the
            // observers have run once already; converting again would repeat them.
            queue_.pushFront(q);
            out = q;
            return true;
        }
        current_ = q;
        out = q;
        idleDue_ = true;
        return true;
    }
    if (remove && hasPendingPaint()) paintPending();
    if (!queue_.empty()) return peekMessage(out, remove);
    return takeDueTimer(out, remove);
}

bool WindowSystem::getMessage(QueuedMessage& out) {
    for (;;) {
        if (peekMessage(out, true)) return out.msg.msg != WM_QUIT;
        waitForWork();
    }
}

bool WindowSystem::waitForWork() {
    // The callers found nothing to do: idle time first, and no sleep when the hooks ran.
    if (queueDrained()) return true;
    int timeout = -1;
    if (auto due = nextTimerDue()) {
        std::int64_t wait = *due - clock().now();
        timeout = static_cast<int>(std::clamp<std::int64_t>(wait, 0, 1 << 30));
    }
    return platform().eventDispatcher().processEvents(timeout);
}

void WindowSystem::translate(const QueuedMessage& m) {
    const unsigned msg = m.msg.msg;
    if (msg != WM_KEYDOWN && msg != WM_SYSKEYDOWN) return;
    Window* target = find(m.hwnd);
    if (!target) return;
    std::u32string text = m.text;
    const unsigned vk = static_cast<unsigned>(m.msg.wParam);
    const bool ctrl = keyState(VK_CONTROL) < 0, alt = keyState(VK_MENU) < 0;
    if (text.empty() && platform_) {
        if (ctrl && !alt && vk >= 'A' && vk <= 'Z') {
            text.push_back(static_cast<char32_t>(vk - 'A' + 1));
        } else if (!ctrl || alt) {
            char32_t ch = platform_->keyboardLayout().charForKey(vk, keyState(VK_SHIFT) < 0);
            if (ch) text.push_back(ch);
        }
    }
    const unsigned charMsg = msg == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    // The characters come next, before anything queued later, in their own order.
    for (auto it = text.rbegin(); it != text.rend(); ++it) {
        QueuedMessage q = m;
        q.msg = {charMsg, static_cast<WParam>(*it), m.msg.lParam, 0};
        q.text.clear();
        queue_.pushFront(q);
    }
}

LResult WindowSystem::dispatch(QueuedMessage& m) {
    LResult result = 0;
    guarded([&] {
        if (m.msg.msg == WM_TIMER) {
            fireTimer(m);
            return;
        }
        if (m.hwnd == 0) {
            if (m.msg.msg == FocusController::CheckDeactivateMessage) focus_.checkDeactivate(m.msg);
            return;
        }
        Window* target = find(m.hwnd);
        if (!target) return;
        target->perform(m.msg);
        result = m.msg.result;
    });
    return result;
}

void WindowSystem::processMessages() {
    QueuedMessage m;
    do {
        while (peekMessage(m, true)) {
            if (m.msg.msg == WM_QUIT) {
                postQuit(static_cast<int>(m.msg.wParam));
                return;
            }
            translate(m);
            dispatch(m);
        }
    } while (queueDrained());
    paintPending();
}

// ---------------------------------------------------------------------------------------------
// Idle time

IdleHook WindowSystem::addIdleHook(IdleHooks::Callback callback) {
    return IdleHook(idleHooks_.add(std::move(callback)));
}

bool WindowSystem::queueDrained() {
    if (!idleDue_) return false;
    idleDue_ = false;
    if (idleHooks_.empty()) return false;
    idleHooks_.run([this](const IdleHooks::Callback& callback) { guarded(callback); });
    return true;
}

bool WindowSystem::runLoop(const std::function<bool()>& done) {
    while (!done()) {
        QueuedMessage m;
        if (!peekMessage(m, true)) {
            // The condition is checked again after every native event, since timers and
            // script steps may change it without a message of their own.
            waitForWork();
            continue;
        }
        if (m.msg.msg == WM_QUIT) {
            postQuit(static_cast<int>(m.msg.wParam));
            return false;
        }
        translate(m);
        dispatch(m);
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Input

void WindowSystem::mouseInput(const MouseInput& input) { input_.mouseInput(input, platform_ ? clock().now() : 0); }

void WindowSystem::keyInput(const KeyInput& input) { input_.keyInput(input, platform_ ? clock().now() : 0); }

Window* WindowSystem::hostOf(const NativeChild* child) const {
    if (!child) return nullptr;
    std::vector<Window*> pending(topLevels().rbegin(), topLevels().rend());
    while (!pending.empty()) {
        Window* w = pending.back();
        pending.pop_back();
        if (w->hostedNativeChild() == child) return w;
        pending.insert(pending.end(), w->children().rbegin(), w->children().rend());
    }
    return nullptr;
}

bool WindowSystem::nativeChildKeyInput(NativeChild*, const KeyInput& input) {
    return input_.observeChildKey(input, platform_ ? clock().now() : 0);
}

bool WindowSystem::nativeChildMouseInput(NativeChild* child, const MouseInput& input) {
    Window* host = hostOf(child);
    // A disabled window (a modal dialog is open) takes no mouse input, nor does what it hosts.
    for (Window* w = host; w; w = w->isChild() ? w->parent() : nullptr)
        if (!w->isWindowEnabled()) return true;
    if (!host) return false;
    // While a window has the capture the mouse is its own, wherever the press lands.
    if (capture()) {
        mouseInput(input);
        return true;
    }
    return input_.observeChildMouse(host, input, platform_ ? clock().now() : 0);
}

void WindowSystem::nativeChildFocused(NativeChild* child) {
    if (Window* host = hostOf(child); host && host->isWindowEnabled()) setFocus(host);
}

namespace {
NativeSurface* cursorSurface(WindowSystem& ws) {
    Window* w = ws.capture();
    if (!w) {
        for (Window* t : ws.topLevels())
            if (t->isWindowVisible() && t->bounds().contains(ws.cursorPos())) {
                w = t;
                break;
            }
    }
    Window* top = w ? w->topLevel() : nullptr;
    return top ? top->surface() : nullptr;
}
}  // namespace

void WindowSystem::setCursorShape(CursorShape shape) {
    if (NativeSurface* s = cursorSurface(*this)) s->setCursor(shape);
}

void WindowSystem::setCustomCursor(const Bitmap& image, Point hotSpot) {
    if (NativeSurface* s = cursorSurface(*this)) s->setCustomCursor(image, hotSpot);
}

// ---------------------------------------------------------------------------------------------
// Timers

namespace {
TimerKey timerKey(Window* w, unsigned id) { return {w ? w->handle() : 0, w == nullptr, id}; }
}  // namespace

unsigned WindowSystem::setTimer(Window* w, unsigned id, int intervalMs, TimerCallback callback) {
    if (w && !w->handleAllocated()) return 0;
    return timers_.set(timerKey(w, id), intervalMs, clock().now(), std::move(callback));
}

bool WindowSystem::killTimer(Window* w, unsigned id) { return timers_.kill(timerKey(w, id)); }

bool WindowSystem::hasTimer(Window* w, unsigned id) const { return timers_.has(timerKey(w, id)); }

QueuedMessage WindowSystem::timerMessage(const TimerKey& key, std::int64_t now) const {
    QueuedMessage m;
    m.hwnd = key.thread ? 0 : key.hwnd;
    m.msg = {WM_TIMER, key.id, key.thread ? 1 : 0, 0};
    m.pt = cursorPos();
    m.time = now;
    return m;
}

bool WindowSystem::takeDueTimer(QueuedMessage& out, bool remove) {
    if (!platform_) return false;
    const std::int64_t now = clock().now();
    const std::optional<TimerKey> due = remove ? timers_.takeDue(now) : timers_.peekDue(now);
    if (!due) return false;
    out = timerMessage(*due, now);
    if (remove) {
        current_ = out;
        idleDue_ = true;
    }
    return true;
}

void WindowSystem::fireTimer(QueuedMessage& m) {
    const unsigned id = static_cast<unsigned>(m.msg.wParam);
    const std::optional<TimerCallback> callback = timers_.callback({m.hwnd, m.hwnd == 0, id});
    if (!callback) return;  // killed meanwhile
    if (*callback) {
        (*callback)(id);
        return;
    }
    if (Window* w = find(m.hwnd)) w->perform(m.msg);
}

void WindowSystem::runTimersUntil(VirtualClock& clock, std::int64_t target) {
    while (std::optional<std::int64_t> due = timers_.nextDue()) {
        if (*due > target) break;
        clock.setNow(*due);
        const std::optional<TimerKey> key = timers_.takeDue(clock.now());
        QueuedMessage m = timerMessage(*key, clock.now());
        // Moving the clock fires timers on behalf of whoever moved it.
        guarded([&] { fireTimer(m); });
        idleDue_ = true;
    }
    clock.setNow(target);
}

// ---------------------------------------------------------------------------------------------
// Painting

bool WindowSystem::hasPendingPaint() const {
    return std::any_of(topLevels().begin(), topLevels().end(), [](Window* w) { return !w->invalid_.isEmpty(); });
}

void WindowSystem::paintPending() {
    std::vector<Window*> tops = topLevels();
    for (Window* w : tops)
        if (windows_.isTopLevel(w) && !w->invalid_.isEmpty()) guarded([&] { w->update(); });
}

// ---------------------------------------------------------------------------------------------
// System notifications

void WindowSystem::broadcast(unsigned msg, WParam w, LParam l) {
    std::vector<WindowHandle> handles;
    for (Window* t : topLevels()) handles.push_back(t->handle());
    for (WindowHandle h : handles)
        if (Window* t = find(h)) send(t, msg, w, l);
}

void WindowSystem::systemChanged(SystemChange change, unsigned code) {
    guarded([&] {
        switch (change) {
        case SystemChange::Colors:
            refreshSystemColors();
            broadcast(WM_SYSCOLORCHANGE);
            for (Window* t : topLevels()) t->invalidateFrame(), t->invalidate();
            break;
        case SystemChange::Settings: broadcast(WM_SETTINGCHANGE, code); break;
        case SystemChange::Display: broadcast(WM_DISPLAYCHANGE, 32); break;
        case SystemChange::Theme:
            broadcast(WM_THEMECHANGED);
            for (Window* t : topLevels()) t->invalidateFrame(), t->invalidate();
            break;
        case SystemChange::AppActivated: focus_.applicationActivated(); break;
        case SystemChange::AppDeactivated: focus_.applicationDeactivated(); break;
        }
    });
}

bool WindowSystem::queryEndSession() {
    bool ok = true;
    // A window whose answer failed does not agree.
    const bool answered = guarded([&] {
        std::vector<WindowHandle> handles;
        for (Window* t : topLevels()) handles.push_back(t->handle());
        for (WindowHandle h : handles)
            if (Window* t = find(h); t && send(t, WM_QUERYENDSESSION) == 0) ok = false;
        for (WindowHandle h : handles)
            if (Window* t = find(h)) send(t, WM_ENDSESSION, ok ? 1 : 0);
    });
    return ok && answered;
}

}  // namespace lindora
