#include "ui/WindowSystem.h"

#include <algorithm>
#include <cstdlib>

#include "base/Exception.h"
#include "gfx/Canvas.h"
#include "ui/SystemMetrics.h"

namespace lindora {

namespace {

// Thread message that checks, once pending activations have arrived, whether the application
// really lost the focus to another program.
constexpr unsigned WM_PRIVATE_CHECKDEACTIVATE = 0x7FF0;

std::unique_ptr<PlatformIntegration>& installedPlatform() {
    static std::unique_ptr<PlatformIntegration> platform;
    return platform;
}

unsigned buttonMessage(MouseButton b, MouseAction a, bool nonClient) {
    int base = 0;
    switch (b) {
    case MouseButton::Left: base = 0; break;
    case MouseButton::Right: base = 3; break;
    case MouseButton::Middle: base = 6; break;
    case MouseButton::None: return nonClient ? WM_NCMOUSEMOVE : WM_MOUSEMOVE;
    }
    int offset = a == MouseAction::Release ? 1 : a == MouseAction::DoubleClick ? 2 : 0;
    return (nonClient ? WM_NCLBUTTONDOWN : WM_LBUTTONDOWN) + base + offset;
}

unsigned buttonVk(MouseButton b) {
    switch (b) {
    case MouseButton::Left: return VK_LBUTTON;
    case MouseButton::Right: return VK_RBUTTON;
    case MouseButton::Middle: return VK_MBUTTON;
    default: return 0;
    }
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
    posted_.clear();
    input_.clear();
    current_ = {};
    quitPosted_ = false;
    exitCode_ = 0;
    capture_ = leaveTracked_ = focus_ = active_ = lastActive_ = 0;
    appActive_ = false;
    syncKeys_.fill(0);
    asyncKeys_.fill(0);
    timers_.clear();
    lastClickWindow_ = 0;
    lastClickTime_ = -1000000;
    if (!platform_) return;
    if (platform_->clock().isVirtual()) {
        static_cast<VirtualClock&>(platform_->clock()).setAdvanceHook([this](VirtualClock& c, std::int64_t target) {
            runTimersUntil(c, target);
        });
    }
    for (int i = 0; i < SystemColors::Count; ++i) SystemColors::set(i, platform_->screen().systemColor(i));
    cursor_ = platform_->screen().cursorPos();
}

// ---------------------------------------------------------------------------------------------
// Window table and z-order

WindowHandle WindowSystem::registerWindow(Window* w) {
    WindowHandle h = nextHandle_;
    nextHandle_ += 4;  // never reused within a run, so stale handles stay stale
    windows_[h] = w;
    return h;
}

void WindowSystem::unregisterWindow(Window* w) { windows_.erase(w->handle()); }

Window* WindowSystem::find(WindowHandle h) const {
    if (h == 0) return nullptr;
    auto it = windows_.find(h);
    return it == windows_.end() ? nullptr : it->second;
}

void WindowSystem::addTopLevel(Window* w) {
    zOrder_.push_back(w);
    raiseTopLevel(w, nullptr);
}

void WindowSystem::removeTopLevel(Window* w) { std::erase(zOrder_, w); }

// Topmost windows stay above the others; owned windows stay above their owner.
void WindowSystem::raiseTopLevel(Window* w, Window* insertAfter) {
    std::erase(zOrder_, w);
    const bool topMost = (w->exStyle() & WS_EX_TOPMOST) != 0;
    std::size_t pos = 0;
    if (insertAfter == Window::Bottom) {
        // Everything else, owned windows included, stays above.
        pos = zOrder_.size();
    } else if (insertAfter && insertAfter != Window::TopMost && insertAfter != Window::NoTopMost) {
        auto it = std::find(zOrder_.begin(), zOrder_.end(), insertAfter);
        pos = it == zOrder_.end() ? 0 : static_cast<std::size_t>(it - zOrder_.begin()) + 1;
    } else if (!topMost) {
        while (pos < zOrder_.size() && (zOrder_[pos]->exStyle() & WS_EX_TOPMOST)) ++pos;
    }
    zOrder_.insert(zOrder_.begin() + static_cast<std::ptrdiff_t>(std::min(pos, zOrder_.size())), w);
    // Windows owned by w move along, directly above it, keeping their order.
    std::vector<Window*> owned;
    for (Window* o : zOrder_)
        if (o != w && o->ownerWindow() == w && !((o->exStyle() & WS_EX_TOPMOST) && !topMost)) owned.push_back(o);
    if (!owned.empty() && insertAfter != Window::Bottom) {
        for (Window* o : owned) std::erase(zOrder_, o);
        auto it = std::find(zOrder_.begin(), zOrder_.end(), w);
        zOrder_.insert(it, owned.begin(), owned.end());
    }
    restack();
}

void WindowSystem::restack() {
    // Tell the backend the whole order, bottom up; cheap for the few windows an application has.
    NativeSurface* below = nullptr;
    for (std::size_t i = zOrder_.size(); i-- > 0;) {
        NativeSurface* s = zOrder_[i]->surface();
        if (!s) continue;
        if (!below) s->stackBottom();
        else s->stackAbove(below);
        below = s;
    }
}

WindowSystem::HitResult WindowSystem::windowFromPoint(Point screen) {
    for (std::size_t i = 0; i < zOrder_.size(); ++i) {
        Window* top = zOrder_[i];
        if (!top->isWindowVisible() || top->showState() == ShowState::Minimized) continue;
        if (!top->bounds().contains(screen)) continue;
        // Descend to the deepest visible child under the point, topmost child first; a window
        // answering HTTRANSPARENT lets the point through to what lies below it.
        std::function<HitResult(Window*)> descend = [&](Window* w) -> HitResult {
            Point client = w->screenToClient(screen);
            if (w->clientRect().contains(client)) {
                for (Window* c : w->children()) {
                    if (!c->isVisibleStyle() || !c->bounds().contains(client)) continue;
                    HitResult r = descend(c);
                    if (r.window) return r;
                }
            }
            int hit = static_cast<int>(send(w, WM_NCHITTEST, 0, makeLParam(screen.x, screen.y)));
            if (hit == HTTRANSPARENT) return {};
            return {w, hit};
        };
        HitResult r = descend(top);
        if (r.window) return r;
    }
    return {};
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
    if (!observers_.empty()) {
        std::vector<Observer> snapshot = observers_;
        for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
            if (!it->message) continue;
            if (std::none_of(observers_.begin(), observers_.end(), [&](const Observer& o) { return o.id == it->id; }))
                continue;  // removed by an earlier observer
            it->message(target, m);
            if (find(h) != target) return 0;  // destroyed by the observer
        }
    }
    ++sendDepth_;
    struct Guard {
        int& d;
        ~Guard() { --d; }
    } guard{sendDepth_};
    target->perform(m);
    return m.result;
}

void WindowSystem::post(Window* target, unsigned msg, WParam w, LParam l) {
    QueuedMessage q;
    q.hwnd = target ? target->handle() : 0;
    if (target && q.hwnd == 0) return;
    q.msg = {msg, w, l, 0};
    q.pt = cursor_;
    q.time = platform_ ? clock().now() : 0;
    posted_.push_back(std::move(q));
    if (platform_) platform_->eventDispatcher().wakeUp();
}

void WindowSystem::postQuit(int exitCode) {
    quitPosted_ = true;
    exitCode_ = exitCode;
    if (platform_) platform_->eventDispatcher().wakeUp();
}

bool WindowSystem::peekMessage(QueuedMessage& out, bool remove) {
    if (!posted_.empty()) {
        out = posted_.front();
        if (remove) {
            posted_.pop_front();
            current_ = out;
        }
        return true;
    }
    if (quitPosted_) {
        out = {};
        out.msg.msg = WM_QUIT;
        out.msg.wParam = static_cast<WParam>(exitCode_);
        if (remove) quitPosted_ = false;
        return true;
    }
    while (!input_.empty()) {
        RawInput raw = input_.front();
        input_.pop_front();
        QueuedMessage q;
        bool ok = raw.isMouse ? convertMouse(raw, q) : convertKey(raw, q);
        if (!ok) continue;
        if (!remove) {
            // Looking only: keep the converted message in front. Routing, activation and the
            // observers have run once already; converting again would repeat them.
            posted_.push_front(q);
            out = q;
            return true;
        }
        current_ = q;
        out = q;
        return true;
    }
    if (remove && hasPendingPaint()) paintPending();
    if (!posted_.empty()) return peekMessage(out, remove);
    return takeDueTimer(out, remove);
}

bool WindowSystem::getMessage(QueuedMessage& out) {
    for (;;) {
        if (peekMessage(out, true)) return out.msg.msg != WM_QUIT;
        waitForWork();
    }
}

bool WindowSystem::waitForWork() {
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
        posted_.push_front(q);
    }
}

LResult WindowSystem::dispatch(QueuedMessage& m) {
    if (m.msg.msg == WM_TIMER) {
        fireTimer(m);
        return 0;
    }
    if (m.hwnd == 0) {
        if (m.msg.msg == WM_PRIVATE_CHECKDEACTIVATE) {
            // No surface of ours took the focus since, not even the one that lost it: the
            // application lost it.
            if (appActive_ && active_ == static_cast<WindowHandle>(m.msg.wParam) &&
                nativeFocusIns_ == static_cast<std::uint64_t>(m.msg.lParam))
                systemChanged(SystemChange::AppDeactivated);
        }
        return 0;
    }
    Window* target = find(m.hwnd);
    if (!target) return 0;
    target->perform(m.msg);
    return m.msg.result;
}

void WindowSystem::processMessages() {
    QueuedMessage m;
    while (peekMessage(m, true)) {
        if (m.msg.msg == WM_QUIT) {
            postQuit(static_cast<int>(m.msg.wParam));
            return;
        }
        translate(m);
        dispatch(m);
    }
    paintPending();
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

void WindowSystem::mouseInput(const MouseInput& input) {
    cursor_ = input.screen;
    if (unsigned vk = buttonVk(input.button)) {
        if (input.action == MouseAction::Press || input.action == MouseAction::DoubleClick) asyncKeys_[vk] |= 0x80;
        if (input.action == MouseAction::Release) asyncKeys_[vk] &= ~0x80;
    }
    RawInput raw;
    raw.isMouse = true;
    raw.mouse = input;
    raw.time = platform_ ? clock().now() : 0;
    input_.push_back(raw);
}

void WindowSystem::keyInput(const KeyInput& input) {
    auto setKey = [&](unsigned vk) {
        if (input.down) {
            if (!(asyncKeys_[vk] & 0x80)) asyncKeys_[vk] ^= 0x01;
            asyncKeys_[vk] |= 0x80;
        } else {
            asyncKeys_[vk] &= ~0x80;
        }
    };
    setKey(input.vk & 0xFF);
    RawInput raw;
    raw.isMouse = false;
    raw.key = input;
    raw.time = platform_ ? clock().now() : 0;
    input_.push_back(raw);
}

bool WindowSystem::convertMouse(const RawInput& raw, QueuedMessage& out) {
    const MouseInput& in = raw.mouse;
    const Point pt = in.screen;
    cursor_ = pt;
    // The state as this message sees it.
    if (unsigned vk = buttonVk(in.button)) {
        if (in.action == MouseAction::Press || in.action == MouseAction::DoubleClick) syncKeys_[vk] |= 0x80;
        if (in.action == MouseAction::Release) syncKeys_[vk] &= ~0x80;
    }

    Window* capture = this->capture();
    if (in.action == MouseAction::Leave) {
        if (!capture) fireMouseLeave();
        return false;
    }
    Window* target = nullptr;
    int hit = HTCLIENT;
    if (capture) {
        target = capture;
    } else {
        HitResult r = windowFromPoint(pt);
        target = r.window;
        hit = r.hitTest;
        if (!target) {
            fireMouseLeave();
            return false;
        }
        // A disabled child passes the mouse to its nearest enabled ancestor; a disabled
        // top-level (a modal dialog is open) takes nothing.
        while (target && !target->isWindowEnabled() && target->isChild()) {
            target = target->parent();
            hit = HTCLIENT;
        }
        if (!target || !target->isWindowEnabled()) return false;
        if (hit == HTERROR || hit == HTNOWHERE) return false;
    }

    // Mouse leave: the tracked window loses the mouse when another window or its frame gets it.
    if (Window* tracked = mouseLeaveTracked()) {
        bool inside = tracked == target && hit == HTCLIENT;
        if (capture) inside = tracked->clientToScreen(tracked->clientRect()).contains(pt);
        if (!inside) fireMouseLeave();
    }

    const bool nonClient = hit != HTCLIENT;
    MouseAction action = in.action;
    unsigned msg = buttonMessage(in.button, action, nonClient);
    if (action == MouseAction::Press || action == MouseAction::DoubleClick) {
        const unsigned down = buttonMessage(in.button, MouseAction::Press, nonClient);
        const std::int64_t dt = raw.time - lastClickTime_;
        const int cx = platform_ ? platform_->screen().systemMetric(SM_CXDOUBLECLK) : 4;
        const int cy = platform_ ? platform_->screen().systemMetric(SM_CYDOUBLECLK) : 4;
        const int dblTime = platform_ ? platform_->screen().doubleClickTime() : DefaultDoubleClickTime;
        const bool second = action == MouseAction::DoubleClick ||
                            (lastClickWindow_ == target->handle() && lastClickMsg_ == down && dt <= dblTime &&
                             std::abs(pt.x - lastClickPt_.x) <= cx / 2 && std::abs(pt.y - lastClickPt_.y) <= cy / 2);
        if (second && (target->classStyle() & CS_DBLCLKS)) {
            msg = buttonMessage(in.button, MouseAction::DoubleClick, nonClient);
            lastClickTime_ = -1000000;  // a third click starts over
        } else {
            msg = down;
            lastClickTime_ = raw.time;
            lastClickWindow_ = target->handle();
            lastClickMsg_ = down;
            lastClickPt_ = pt;
        }
    }

    bool eat = false;
    if (!capture) {
        const bool press = action == MouseAction::Press || action == MouseAction::DoubleClick;
        Window* top = target->topLevel();
        if (press && top && top != activeWindow()) {
            const WindowHandle th = target->handle();
            LResult r = send(target, WM_MOUSEACTIVATE, top->handle(), makeLParam(hit, static_cast<int>(msg)));
            if ((r == MA_ACTIVATE || r == MA_ACTIVATEANDEAT) && !(top->exStyle() & WS_EX_NOACTIVATE))
                setActiveWindow(top, WA_CLICKACTIVE);
            eat = r == MA_ACTIVATEANDEAT || r == MA_NOACTIVATEANDEAT;
            if (find(th) != target) return false;
        }
        send(target, WM_SETCURSOR, target->handle(), makeLParam(hit, static_cast<int>(msg)));
        if (!target->handleAllocated()) return false;
    }
    if (eat) return false;

    out = {};
    out.hwnd = target->handle();
    out.pt = pt;
    out.time = raw.time;
    if (nonClient) {
        out.msg = {msg, static_cast<WParam>(hit), makeLParam(pt.x, pt.y), 0};
    } else {
        Point c = target->screenToClient(pt);
        unsigned mk = 0;
        if (syncKeys_[VK_LBUTTON] & 0x80) mk |= MK_LBUTTON;
        if (syncKeys_[VK_RBUTTON] & 0x80) mk |= MK_RBUTTON;
        if (syncKeys_[VK_MBUTTON] & 0x80) mk |= MK_MBUTTON;
        if (syncKeys_[VK_SHIFT] & 0x80) mk |= MK_SHIFT;
        if (syncKeys_[VK_CONTROL] & 0x80) mk |= MK_CONTROL;
        out.msg = {msg, mk, makeLParam(c.x, c.y), 0};
    }

    // The mouse observers see the message before the window and may swallow it.
    if (!observers_.empty()) {
        MouseEvent ev{msg, target, pt, capture ? HTCLIENT : hit};
        std::vector<Observer> snapshot = observers_;
        for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
            if (!it->mouse) continue;
            if (std::none_of(observers_.begin(), observers_.end(), [&](const Observer& o) { return o.id == it->id; }))
                continue;
            if (it->mouse(ev)) return false;
        }
    }
    return find(out.hwnd) != nullptr;
}

bool WindowSystem::convertKey(const RawInput& raw, QueuedMessage& out) {
    const KeyInput& in = raw.key;
    const unsigned vk = in.vk & 0xFF;
    const bool wasDown = (syncKeys_[vk] & 0x80) != 0;
    if (in.down) {
        if (!wasDown) syncKeys_[vk] ^= 0x01;
        syncKeys_[vk] |= 0x80;
    } else {
        syncKeys_[vk] &= ~0x80;
    }
    const bool alt = (syncKeys_[VK_MENU] & 0x80) != 0;
    const bool ctrl = (syncKeys_[VK_CONTROL] & 0x80) != 0;
    bool sys = (alt && !ctrl) || vk == VK_F10 || (vk == VK_MENU && !ctrl);
    Window* target = focus();
    if (!target) {
        // Without a focus window the active window gets the keys as system keys.
        target = activeWindow();
        sys = true;
    }
    if (!target || !target->isWindowEnabled()) return false;

    std::uint32_t data = 1u | ((in.scanCode & 0xFF) << 16);
    if (alt) data |= KF_ALTDOWN_BIT;
    if (in.down ? wasDown : true) data |= KF_REPEAT_BIT;
    if (!in.down) data |= KF_UP_BIT;
    const unsigned msg = in.down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);

    out = {};
    out.hwnd = target->handle();
    out.msg = {msg, vk, static_cast<LParam>(data), 0};
    out.pt = cursor_;
    out.time = raw.time;
    out.text = in.down ? in.text : std::u32string{};

    if (!observers_.empty()) {
        KeyboardEvent ev{vk, static_cast<LParam>(data)};
        std::vector<Observer> snapshot = observers_;
        for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
            if (!it->key) continue;
            if (std::none_of(observers_.begin(), observers_.end(), [&](const Observer& o) { return o.id == it->id; }))
                continue;
            if (it->key(ev)) return false;
        }
    }
    return find(out.hwnd) != nullptr;
}

std::int16_t WindowSystem::keyState(unsigned vk) const {
    auto s = syncKeys_[vk & 0xFF];
    if (vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU) {
        unsigned l = vk == VK_SHIFT ? VK_LSHIFT : vk == VK_CONTROL ? VK_LCONTROL : VK_LMENU;
        s |= (syncKeys_[l] | syncKeys_[l + 1]) & 0x80;
    }
    return static_cast<std::int16_t>(((s & 0x80) ? 0x8000 : 0) | (s & 0x01));
}

std::int16_t WindowSystem::asyncKeyState(unsigned vk) const {
    auto s = asyncKeys_[vk & 0xFF];
    if (vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU) {
        unsigned l = vk == VK_SHIFT ? VK_LSHIFT : vk == VK_CONTROL ? VK_LCONTROL : VK_LMENU;
        s |= (asyncKeys_[l] | asyncKeys_[l + 1]) & 0x80;
    }
    return static_cast<std::int16_t>((s & 0x80) ? 0x8000 : 0);
}

// ---------------------------------------------------------------------------------------------
// Capture, mouse leave, focus, activation

void WindowSystem::setCapture(Window* w) {
    Window* old = capture();
    if (old == w) return;
    NativeSurface* oldSurface = old && old->topLevel() ? old->topLevel()->surface() : nullptr;
    capture_ = w ? w->handle() : 0;
    NativeSurface* newSurface = w && w->topLevel() ? w->topLevel()->surface() : nullptr;
    if (oldSurface && oldSurface != newSurface) oldSurface->setPointerGrab(false);
    if (newSurface && newSurface != oldSurface) newSurface->setPointerGrab(true);
    if (old) send(old, WM_CAPTURECHANGED, 0, static_cast<LParam>(capture_));
}

void WindowSystem::releaseCapture() { setCapture(nullptr); }

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

void WindowSystem::trackMouseLeave(Window* w) {
    if (!w || !w->handleAllocated()) return;
    if (leaveTracked_ && leaveTracked_ != w->handle()) fireMouseLeave();
    leaveTracked_ = w->handle();
    // Already outside: the notice comes at once, as the classic platform does.
    if (!w->isWindowVisible() || !w->clientToScreen(w->clientRect()).contains(cursor_)) fireMouseLeave();
}

void WindowSystem::cancelMouseLeave(Window* w) {
    if (w && leaveTracked_ == w->handle()) leaveTracked_ = 0;
}

void WindowSystem::fireMouseLeave() {
    if (Window* w = mouseLeaveTracked()) {
        leaveTracked_ = 0;
        post(w, WM_MOUSELEAVE);
    }
    leaveTracked_ = 0;
}

Window* WindowSystem::setFocus(Window* w) {
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
    if (old) send(old, WM_KILLFOCUS, newH);
    if (w && focus_ == newH && find(newH)) send(w, WM_SETFOCUS, oldH);
    return old;
}

void WindowSystem::setActiveWindow(Window* w, unsigned how) {
    if (w && !w->handleAllocated()) return;
    if (w) w = w->topLevel();
    Window* old = activeWindow();
    if (old == w) return;
    const WindowHandle oldH = old ? old->handle() : 0;
    const WindowHandle newH = w ? w->handle() : 0;
    if (w && !appActive_) {
        appActive_ = true;
        broadcast(WM_ACTIVATEAPP, 1);
    }
    if (old) {
        send(old, WM_NCACTIVATE, 0, static_cast<LParam>(newH));
        send(old, WM_ACTIVATE, WA_INACTIVE | ((old->showState() == ShowState::Minimized) ? 0x10000u : 0u),
             static_cast<LParam>(newH));
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
    send(w, WM_NCACTIVATE, 1, static_cast<LParam>(oldH));
    send(w, WM_ACTIVATE, how | ((w->showState() == ShowState::Minimized) ? 0x10000u : 0u), static_cast<LParam>(oldH));
    // The focus must not stay in a window that is no longer active.
    Window* f = focus();
    if (f && f->topLevel() != activeWindow()) {
        focus_ = 0;
        send(f, WM_KILLFOCUS, 0);
    }
}

void WindowSystem::nativeActivationChanged(Window* w, bool active) {
    if (active) {
        ++nativeFocusIns_;
        if (!appActive_) systemChanged(SystemChange::AppActivated);
        if (activeWindow() != w && w->isWindowEnabled()) setActiveWindow(w, WA_ACTIVE);
    } else if (active_ == w->handle()) {
        post(nullptr, WM_PRIVATE_CHECKDEACTIVATE, w->handle(), static_cast<LParam>(nativeFocusIns_));
    }
}

void WindowSystem::windowDestroyed(Window* w) {
    const WindowHandle h = w->handle();
    if (capture_ == h) {
        capture_ = 0;
        if (w->topLevel() && w->topLevel()->surface()) w->topLevel()->surface()->setPointerGrab(false);
    }
    if (leaveTracked_ == h) leaveTracked_ = 0;
    if (focus_ == h) focus_ = 0;
    std::erase_if(timers_, [&](const Timer& t) { return !t.threadTimer && t.hwnd == h; });
    std::erase_if(posted_, [&](const QueuedMessage& q) { return q.hwnd == h; });
    if (lastClickWindow_ == h) lastClickWindow_ = 0;
    if (active_ == h) {
        active_ = 0;
        // Activate the owner, else the next visible window that can be activated.
        Window* next = nullptr;
        if (Window* o = w->ownerWindow(); o && o->isWindowVisible() && o->isWindowEnabled()) next = o->topLevel();
        for (std::size_t i = 0; !next && i < zOrder_.size(); ++i) {
            Window* c = zOrder_[i];
            if (c != w && c->isWindowVisible() && c->isWindowEnabled() && !(c->exStyle() & WS_EX_NOACTIVATE) &&
                !((c->style() & WS_POPUP) && !(c->style() & WS_CAPTION)))
                next = c;
        }
        if (next) setActiveWindow(next, WA_ACTIVE);
    }
}

// ---------------------------------------------------------------------------------------------
// Timers

WindowSystem::Timer* WindowSystem::findTimer(WindowHandle h, bool thread, unsigned id) {
    for (Timer& t : timers_)
        if (t.threadTimer == thread && t.id == id && (thread || t.hwnd == h)) return &t;
    return nullptr;
}

unsigned WindowSystem::setTimer(Window* w, unsigned id, int intervalMs, TimerCallback callback) {
    if (w && !w->handleAllocated()) return 0;
    const bool thread = w == nullptr;
    if (thread && id == 0) id = ++nextThreadTimerId_;
    const WindowHandle h = w ? w->handle() : 0;
    Timer* t = findTimer(h, thread, id);
    if (!t) {
        timers_.push_back({});
        t = &timers_.back();
    }
    t->hwnd = h;
    t->threadTimer = thread;
    t->id = id;
    t->interval = std::max(intervalMs, 1);
    t->due = clock().now() + t->interval;
    t->seq = ++timerSeq_;
    t->callback = std::move(callback);
    return id;
}

bool WindowSystem::killTimer(Window* w, unsigned id) {
    const bool thread = w == nullptr;
    const WindowHandle h = w ? w->handle() : 0;
    auto n = std::erase_if(
        timers_, [&](const Timer& t) { return t.threadTimer == thread && t.id == id && (thread || t.hwnd == h); });
    return n > 0;
}

bool WindowSystem::hasTimer(Window* w, unsigned id) const {
    const bool thread = w == nullptr;
    const WindowHandle h = w ? w->handle() : 0;
    return std::any_of(timers_.begin(), timers_.end(), [&](const Timer& t) {
        return t.threadTimer == thread && t.id == id && (thread || t.hwnd == h);
    });
}

const WindowSystem::Timer* WindowSystem::earliestTimer() const {
    const Timer* best = nullptr;
    for (const Timer& t : timers_)
        if (!best || t.due < best->due || (t.due == best->due && t.seq < best->seq)) best = &t;
    return best;
}

std::optional<std::int64_t> WindowSystem::nextTimerDue() const {
    const Timer* t = earliestTimer();
    if (!t) return std::nullopt;
    return t->due;
}

bool WindowSystem::takeDueTimer(QueuedMessage& out, bool remove) {
    if (!platform_) return false;
    const Timer* t = earliestTimer();
    const std::int64_t now = clock().now();
    if (!t || t->due > now) return false;
    out = {};
    out.hwnd = t->threadTimer ? 0 : t->hwnd;
    out.msg = {WM_TIMER, t->id, t->threadTimer ? 1 : 0, 0};
    out.pt = cursor_;
    out.time = now;
    if (remove) {
        Timer* m = findTimer(t->hwnd, t->threadTimer, t->id);
        m->due = now + m->interval;
        m->seq = ++timerSeq_;
        current_ = out;
    }
    return true;
}

void WindowSystem::fireTimer(QueuedMessage& m) {
    const bool thread = m.hwnd == 0;
    const unsigned id = static_cast<unsigned>(m.msg.wParam);
    Timer* t = findTimer(m.hwnd, thread, id);
    if (!t) return;  // killed meanwhile
    if (t->callback) {
        TimerCallback cb = t->callback;
        cb(id);
        return;
    }
    if (Window* w = find(m.hwnd)) w->perform(m.msg);
}

void WindowSystem::runTimersUntil(VirtualClock& clock, std::int64_t target) {
    for (;;) {
        const Timer* t = earliestTimer();
        if (!t || t->due > target) break;
        clock.setNow(t->due);
        QueuedMessage m;
        m.hwnd = t->threadTimer ? 0 : t->hwnd;
        m.msg = {WM_TIMER, t->id, t->threadTimer ? 1 : 0, 0};
        m.pt = cursor_;
        m.time = clock.now();
        Timer* live = findTimer(t->hwnd, t->threadTimer, t->id);
        live->due = std::max(clock.now(), live->due) + live->interval;
        live->seq = ++timerSeq_;
        fireTimer(m);
    }
    clock.setNow(target);
}

// ---------------------------------------------------------------------------------------------
// Observers

ObserverId WindowSystem::addKeyboardObserver(KeyboardObserver o) {
    observers_.push_back({nextObserver_, std::move(o), {}, {}});
    return nextObserver_++;
}

ObserverId WindowSystem::addMouseObserver(MouseObserver o) {
    observers_.push_back({nextObserver_, {}, std::move(o), {}});
    return nextObserver_++;
}

ObserverId WindowSystem::addMessageObserver(MessageObserver o) {
    observers_.push_back({nextObserver_, {}, {}, std::move(o)});
    return nextObserver_++;
}

void WindowSystem::removeObserver(ObserverId id) {
    std::erase_if(observers_, [&](const Observer& o) { return o.id == id; });
}

// ---------------------------------------------------------------------------------------------
// Painting

bool WindowSystem::hasPendingPaint() const {
    return std::any_of(zOrder_.begin(), zOrder_.end(), [](Window* w) { return !w->invalid_.isEmpty(); });
}

void WindowSystem::paintPending() {
    std::vector<Window*> tops = zOrder_;
    for (Window* w : tops)
        if (std::find(zOrder_.begin(), zOrder_.end(), w) != zOrder_.end() && !w->invalid_.isEmpty()) w->update();
}

// ---------------------------------------------------------------------------------------------
// System notifications

void WindowSystem::broadcast(unsigned msg, WParam w, LParam l) {
    std::vector<WindowHandle> handles;
    for (Window* t : zOrder_) handles.push_back(t->handle());
    for (WindowHandle h : handles)
        if (Window* t = find(h)) send(t, msg, w, l);
}

void WindowSystem::systemChanged(SystemChange change, unsigned code) {
    switch (change) {
    case SystemChange::Colors:
        if (platform_)
            for (int i = 0; i < SystemColors::Count; ++i) SystemColors::set(i, platform_->screen().systemColor(i));
        broadcast(WM_SYSCOLORCHANGE);
        for (Window* t : zOrder_) t->invalidateFrame(), t->invalidate();
        break;
    case SystemChange::Settings: broadcast(WM_SETTINGCHANGE, code); break;
    case SystemChange::Display: broadcast(WM_DISPLAYCHANGE, 32); break;
    case SystemChange::Theme:
        broadcast(WM_THEMECHANGED);
        for (Window* t : zOrder_) t->invalidateFrame(), t->invalidate();
        break;
    case SystemChange::AppActivated:
        if (!active_) {
            Window* w = find(lastActive_);
            if (!w || !w->isWindowVisible()) w = nullptr;
            for (std::size_t i = 0; !w && i < zOrder_.size(); ++i)
                if (zOrder_[i]->isWindowVisible() && zOrder_[i]->isWindowEnabled() && !(zOrder_[i]->style() & WS_POPUP))
                    w = zOrder_[i];
            if (w) setActiveWindow(w, WA_ACTIVE);
        }
        break;
    case SystemChange::AppDeactivated:
        if (!appActive_) break;
        if (Window* old = activeWindow()) {
            lastActive_ = old->handle();
            send(old, WM_NCACTIVATE, 0, 0);
            send(old, WM_ACTIVATE, WA_INACTIVE, 0);
        }
        active_ = 0;
        appActive_ = false;
        broadcast(WM_ACTIVATEAPP, 0);
        if (Window* f = focus()) {
            focus_ = 0;
            send(f, WM_KILLFOCUS, 0);
        }
        break;
    }
}

bool WindowSystem::queryEndSession() {
    std::vector<WindowHandle> handles;
    for (Window* t : zOrder_) handles.push_back(t->handle());
    bool ok = true;
    for (WindowHandle h : handles)
        if (Window* t = find(h); t && send(t, WM_QUERYENDSESSION) == 0) ok = false;
    for (WindowHandle h : handles)
        if (Window* t = find(h)) send(t, WM_ENDSESSION, ok ? 1 : 0);
    return ok;
}

}  // namespace lindora
