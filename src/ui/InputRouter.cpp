#include "ui/InputRouter.h"

#include <functional>

#include "ui/SystemMetrics.h"
#include "ui/WindowSystem.h"

namespace lindora {

namespace {

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

bool isPress(MouseAction a) { return a == MouseAction::Press || a == MouseAction::DoubleClick; }

}  // namespace

void InputRouter::mouseInput(const MouseInput& input, std::int64_t time) {
    cursor_ = input.screen;
    if (unsigned vk = buttonVk(input.button)) {
        if (isPress(input.action)) asyncKeys_.button(vk, true);
        if (input.action == MouseAction::Release) asyncKeys_.button(vk, false);
    }
    RawInput raw;
    raw.isMouse = true;
    raw.mouse = input;
    raw.time = time;
    input_.push_back(raw);
}

void InputRouter::keyInput(const KeyInput& input, std::int64_t time) {
    asyncKeys_.key(input.vk & 0xFF, input.down);
    RawInput raw;
    raw.isMouse = false;
    raw.key = input;
    raw.time = time;
    input_.push_back(raw);
}

bool InputRouter::convertNext(QueuedMessage& out) {
    if (input_.empty()) return false;
    const RawInput raw = input_.front();
    input_.pop_front();
    return raw.isMouse ? convertMouse(raw, out) : convertKey(raw, out);
}

void InputRouter::clear(Point cursor) {
    input_.clear();
    syncKeys_.clear();
    asyncKeys_.clear();
    clicks_.clear();
    cursor_ = cursor;
}

WindowHit InputRouter::windowFromPoint(Point screen) {
    const std::vector<Window*>& tops = ws_.topLevels();
    for (std::size_t i = 0; i < tops.size(); ++i) {
        Window* top = tops[i];
        if (!top->isWindowVisible() || top->showState() == ShowState::Minimized) continue;
        if (!top->bounds().contains(screen)) continue;
        // Descend to the deepest visible child under the point, topmost child first; a window
        // answering HTTRANSPARENT lets the point through to what lies below it.
        std::function<WindowHit(Window*)> descend = [&](Window* w) -> WindowHit {
            Point client = w->screenToClient(screen);
            if (w->clientRect().contains(client)) {
                for (Window* c : w->children()) {
                    if (!c->isVisibleStyle() || !c->bounds().contains(client)) continue;
                    WindowHit r = descend(c);
                    if (r.window) return r;
                }
            }
            int hit = static_cast<int>(ws_.send(w, WM_NCHITTEST, 0, makeLParam(screen.x, screen.y)));
            if (hit == HTTRANSPARENT) return {};
            return {w, hit};
        };
        WindowHit r = descend(top);
        if (r.window) return r;
    }
    return {};
}

WindowHit InputRouter::enabledTarget(WindowHit r) {
    // A disabled child passes the mouse to its nearest enabled ancestor; a disabled top-level
    // (a modal dialog is open) takes nothing.
    while (r.window && !r.window->isWindowEnabled() && r.window->isChild()) {
        r.window = r.window->parent();
        r.hitTest = HTCLIENT;
    }
    if (!r.window || !r.window->isWindowEnabled()) return {};
    if (r.hitTest == HTERROR || r.hitTest == HTNOWHERE) return {};
    return r;
}

bool InputRouter::activateOnClick(Window* target, int hit, unsigned msg) {
    Window* top = target->topLevel();
    if (!top || top == ws_.activeWindow()) return false;
    LResult r = ws_.send(target, WM_MOUSEACTIVATE, top->handle(), makeLParam(hit, static_cast<int>(msg)));
    if ((r == MA_ACTIVATE || r == MA_ACTIVATEANDEAT) && !(top->exStyle() & WS_EX_NOACTIVATE))
        ws_.setActiveWindow(top, WA_CLICKACTIVE);
    return r == MA_ACTIVATEANDEAT || r == MA_NOACTIVATEANDEAT;
}

unsigned InputRouter::mouseKeyFlags() const {
    unsigned mk = 0;
    if (syncKeys_.isDown(VK_LBUTTON)) mk |= MK_LBUTTON;
    if (syncKeys_.isDown(VK_RBUTTON)) mk |= MK_RBUTTON;
    if (syncKeys_.isDown(VK_MBUTTON)) mk |= MK_MBUTTON;
    if (syncKeys_.isDown(VK_SHIFT)) mk |= MK_SHIFT;
    if (syncKeys_.isDown(VK_CONTROL)) mk |= MK_CONTROL;
    return mk;
}

bool InputRouter::convertMouse(const RawInput& raw, QueuedMessage& out) {
    const MouseInput& in = raw.mouse;
    const Point pt = in.screen;
    cursor_ = pt;
    // The state as this message sees it.
    if (unsigned vk = buttonVk(in.button)) {
        if (isPress(in.action)) syncKeys_.button(vk, true);
        if (in.action == MouseAction::Release) syncKeys_.button(vk, false);
    }

    Window* capture = ws_.capture();
    if (in.action == MouseAction::Leave) {
        if (!capture) ws_.captureController().fireMouseLeave();
        return false;
    }
    Window* target = capture;
    int hit = HTCLIENT;
    if (!capture) {
        WindowHit r = windowFromPoint(pt);
        if (!r.window) {
            ws_.captureController().fireMouseLeave();
            return false;
        }
        r = enabledTarget(r);
        if (!r.window) return false;
        target = r.window;
        hit = r.hitTest;
    }

    // Mouse leave: the tracked window loses the mouse when another window or its frame gets it.
    if (Window* tracked = ws_.mouseLeaveTracked()) {
        bool inside = tracked == target && hit == HTCLIENT;
        if (capture) inside = tracked->clientToScreen(tracked->clientRect()).contains(pt);
        if (!inside) ws_.captureController().fireMouseLeave();
    }

    const bool nonClient = hit != HTCLIENT;
    const unsigned msg = takeButton(in, target, hit, raw.time);

    bool eat = false;
    if (!capture) {
        if (isPress(in.action)) {
            const WindowHandle th = target->handle();
            eat = activateOnClick(target, hit, msg);
            if (ws_.find(th) != target) return false;
        }
        ws_.send(target, WM_SETCURSOR, target->handle(), makeLParam(hit, static_cast<int>(msg)));
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
        const Point c = target->screenToClient(pt);
        out.msg = {msg, mouseKeyFlags(), makeLParam(c.x, c.y), 0};
    }

    // The mouse observers see the message before the window and may swallow it.
    if (ws_.observers().mouse({msg, target, pt, capture ? HTCLIENT : hit})) return false;
    return ws_.find(out.hwnd) != nullptr;
}

unsigned InputRouter::takeButton(const MouseInput& in, Window* target, int hit, std::int64_t time) {
    const bool nonClient = hit != HTCLIENT;
    if (!isPress(in.action)) return buttonMessage(in.button, in.action, nonClient);
    const unsigned down = buttonMessage(in.button, MouseAction::Press, nonClient);
    DoubleClickLimits limits;
    if (PlatformIntegration* p = PlatformIntegration::instance()) {
        limits.width = p->screen().systemMetric(SM_CXDOUBLECLK);
        limits.height = p->screen().systemMetric(SM_CYDOUBLECLK);
        limits.timeMs = p->screen().doubleClickTime();
    } else {
        limits.timeMs = DefaultDoubleClickTime;
    }
    const bool dbl = clicks_.press(target->handle(), down, in.screen, time, in.action == MouseAction::DoubleClick,
                                   (target->classStyle() & CS_DBLCLKS) != 0, limits);
    return dbl ? buttonMessage(in.button, MouseAction::DoubleClick, nonClient) : down;
}

std::uint32_t InputRouter::takeKey(const KeyInput& in, bool& system) {
    const unsigned vk = in.vk & 0xFF;
    const bool wasDown = syncKeys_.isDown(vk);
    syncKeys_.key(vk, in.down);
    const bool alt = syncKeys_.isDown(VK_MENU);
    const bool ctrl = syncKeys_.isDown(VK_CONTROL);
    system = (alt && !ctrl) || vk == VK_F10 || (vk == VK_MENU && !ctrl);
    std::uint32_t data = 1u | ((in.scanCode & 0xFF) << 16);
    if (alt) data |= KF_ALTDOWN_BIT;
    if (in.down ? wasDown : true) data |= KF_REPEAT_BIT;
    if (!in.down) data |= KF_UP_BIT;
    return data;
}

bool InputRouter::observeChildKey(const KeyInput& input, std::int64_t) {
    asyncKeys_.key(input.vk & 0xFF, input.down);
    bool system = false;
    const std::uint32_t data = takeKey(input, system);
    return ws_.observers().keyboard({input.vk & 0xFF, static_cast<LParam>(data)});
}

bool InputRouter::observeChildMouse(Window* host, const MouseInput& input, std::int64_t time) {
    if (unsigned vk = buttonVk(input.button)) {
        const bool down = isPress(input.action);
        if (down || input.action == MouseAction::Release) {
            asyncKeys_.button(vk, down);
            syncKeys_.button(vk, down);
        }
    }
    cursor_ = input.screen;
    const unsigned msg = takeButton(input, host, HTCLIENT, time);
    return ws_.observers().mouse({msg, host, input.screen, HTCLIENT});
}

bool InputRouter::convertKey(const RawInput& raw, QueuedMessage& out) {
    const KeyInput& in = raw.key;
    const unsigned vk = in.vk & 0xFF;
    bool sys = false;
    const std::uint32_t data = takeKey(in, sys);
    Window* target = ws_.focus();
    if (!target) {
        // Without a focus window the active window gets the keys as system keys.
        target = ws_.activeWindow();
        sys = true;
    }
    if (!target || !target->isWindowEnabled()) return false;

    const unsigned msg = in.down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);

    out = {};
    out.hwnd = target->handle();
    out.msg = {msg, vk, static_cast<LParam>(data), 0};
    out.pt = cursor_;
    out.time = raw.time;
    out.text = in.down ? in.text : std::u32string{};

    if (ws_.observers().keyboard({vk, static_cast<LParam>(data)})) return false;
    return ws_.find(out.hwnd) != nullptr;
}

}  // namespace lindora
