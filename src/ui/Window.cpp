#include "ui/Window.h"

#include <algorithm>

#include "base/Exception.h"
#include "gfx/Canvas.h"
#include "ui/Screen.h"
#include "ui/SystemMetrics.h"
#include "ui/WindowSystem.h"

namespace lindora {

// Connects a top-level's native surface back to its window.
class SurfaceBridge final : public SurfaceDelegate {
public:
    explicit SurfaceBridge(Window& w) : w_(w) {}

    // The backend calls these from its own event handling: a handler's exception goes to the
    // window system's report, never back into the toolkit.
    void surfaceExposed(const Rect& area) override {
        guarded([&] {
            if (!w_.invalid_.isEmpty()) w_.update();
        });
        w_.presentArea(area);
    }
    void surfaceGeometryChanged(const Rect& bounds) override {
        if (bounds == w_.bounds_) return;
        const bool sized = bounds.size() != w_.bounds_.size();
        WindowPos wp{w_.handle_, 0, bounds, SWP_NOZORDER | SWP_NOACTIVATE};
        if (!sized) wp.flags |= SWP_NOSIZE;
        if (bounds.topLeft() == w_.bounds_.topLeft()) wp.flags |= SWP_NOMOVE;
        w_.bounds_ = bounds;
        if (sized) {
            w_.recalcClient();
            w_.resizeStore();
            w_.markInvalid({0, 0, bounds.width(), bounds.height()}, true);
        }
        guarded([&] { w_.send(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LParam>(&wp)); });
    }
    void surfaceCloseRequested() override {
        guarded([&] { w_.send(WM_SYSCOMMAND, SC_CLOSE); });
    }
    void surfaceActivationChanged(bool active) override {
        guarded([&] { WindowSystem::instance().nativeActivationChanged(&w_, active); });
    }
    // The desktop's minimise, maximise and restore arrive as our own system commands, so that
    // observers and handlers see them as they see ours.
    void surfaceShowStateChanged(ShowState state) override {
        guarded([&] {
            if (state == w_.showState_) return;
            const unsigned command = state == ShowState::Minimized   ? SC_MINIMIZE
                                     : state == ShowState::Maximized ? SC_MAXIMIZE
                                                                     : SC_RESTORE;
            w_.send(WM_SYSCOMMAND, command);
            // A handler that refused the command keeps the window as it was on the desktop too.
            if (w_.handle_ && w_.showState_ != state && w_.surface_) w_.surface_->setShowState(w_.showState_);
        });
    }
    void surfacePointerGrabLost() override {
        guarded([&] {
            WindowSystem& ws = WindowSystem::instance();
            if (Window* c = ws.capture(); c && c->topLevel() == &w_) ws.releaseCapture();
        });
    }
    void surfaceFrameChanged() override {
        guarded([&] {
            // The outer bounds stay; the client area gives way to the desktop's new frame.
            w_.frameChanged();
            if (w_.surface_) w_.surface_->setBounds(w_.bounds_);
        });
    }
    void surfaceScaleChanged() override {
        w_.resizeStore();
        w_.markInvalid({0, 0, w_.bounds_.width(), w_.bounds_.height()}, true);
        guarded([&] { w_.update(); });
    }

private:
    template <class F>
    static void guarded(F&& f) {
        WindowSystem::instance().guarded(std::forward<F>(f));
    }

    Window& w_;
};

Window::Window() : proc_([this](Message& m) { wndProc(m); }) {}

Window::~Window() { destroy(); }

Window* Window::fromHandle(WindowHandle h) { return WindowSystem::instance().find(h); }

void Window::create(const CreateParams& given) {
    if (handle_) return;
    CreateParams p = given;
    createParams(p);
    WindowSystem& ws = WindowSystem::instance();
    if ((p.style & WS_CHILD) && (!p.parent || !p.parent->handleAllocated()))
        throw Exception("A child window needs a parent window");
    style_ = p.style & ~WS_VISIBLE;
    exStyle_ = p.exStyle;
    classStyle_ = p.classStyle;
    text_ = p.caption;
    bounds_ = withMinimumTrackSize(p.bounds);
    showState_ = ShowState::Normal;
    normalBounds_ = bounds_;
    handle_ = ws.registerWindow(this);
    if (style_ & WS_CHILD) {
        parent_ = p.parent;
        owner_ = nullptr;
        insertIntoParent();
    } else {
        parent_ = nullptr;
        owner_ = p.parent ? p.parent->topLevel() : nullptr;
        SurfaceParams sp;
        const bool captioned = (style_ & WS_CAPTION) == WS_CAPTION;
        // A popup without a caption (menu, hint, shadow) is never a window the desktop
        // manages, tool window or not.
        sp.kind = ((style_ & WS_POPUP) && !captioned) ? SurfaceKind::Popup
                  : (exStyle_ & WS_EX_TOOLWINDOW)     ? SurfaceKind::Tool
                                                      : SurfaceKind::Normal;
        // Floating bars (tool popups), menus and hints never take the focus from the form.
        sp.noActivate = (exStyle_ & WS_EX_NOACTIVATE) || ((style_ & WS_POPUP) && !captioned) ||
                        ((style_ & WS_POPUP) && (exStyle_ & WS_EX_TOOLWINDOW));
        sp.framed = captioned || (style_ & WS_THICKFRAME);
        sp.bounds = bounds_;
        sp.owner = owner_ ? owner_->surface() : nullptr;
        sp.topMost = (exStyle_ & WS_EX_TOPMOST) != 0;
        sp.saveBits = (classStyle_ & CS_SAVEBITS) != 0;
        sp.translucent = (exStyle_ & WS_EX_LAYERED) != 0;
        sp.title = text_;
        surfaceDelegate_ = std::make_unique<SurfaceBridge>(*this);
        sp.delegate = surfaceDelegate_.get();
        surface_ = ws.platform().createSurface(sp);
        if (!icon_.empty()) surface_->setIcon(icon_);
        ws.addTopLevel(this);
        resizeStore();
    }
    send(WM_NCCREATE);
    recalcClient();
    send(WM_CREATE);
    if (handle_ && (p.style & WS_VISIBLE)) show(!isChild() && !(style_ & WS_POPUP) && !(exStyle_ & WS_EX_NOACTIVATE));
}

void Window::destroy() {
    if (!handle_ || destroying_) return;
    destroying_ = true;
    WindowSystem& ws = WindowSystem::instance();
    const WindowHandle h = handle_;
    // Owned windows go first, then this window and its children.
    std::vector<Window*> owned;
    for (Window* t : ws.topLevels())
        if (t->owner_ == this) owned.push_back(t);
    for (Window* o : owned)
        if (ws.find(o->handle()) == o) o->destroy();
    if (isWindowVisible()) {
        if (isChild() && parent_) parent_->invalidate(bounds_, true);
        if (surface_) surface_->setVisible(false, false);
    }
    style_ &= ~WS_VISIBLE;
    send(WM_DESTROY);
    destroyHandleOnly();
    (void)h;
}

void Window::destroyHandleOnly() {
    WindowSystem& ws = WindowSystem::instance();
    std::vector<Window*> kids = children_;
    for (Window* c : kids) {
        if (!c->handle_) continue;
        c->destroying_ = true;
        c->style_ &= ~WS_VISIBLE;
        c->send(WM_DESTROY);
        c->destroyHandleOnly();
    }
    send(WM_NCDESTROY);
    if (nativeChild_) {
        nativeChild_->setVisible(false);
        nativeChild_->attachTo(nullptr);
    }
    ws.windowDestroyed(this);
    if (isChild()) {
        removeFromParent();
        parent_ = nullptr;
    } else {
        ws.removeTopLevel(this);
        for (Window* t : ws.topLevels())
            if (t->owner_ == this) t->owner_ = nullptr;
    }
    surface_.reset();
    surfaceDelegate_.reset();
    ws.unregisterWindow(this);
    handle_ = 0;
    owner_ = nullptr;
    invalid_ = {};
    destroying_ = false;
}

// ---------------------------------------------------------------------------------------------
// Tree

void Window::insertIntoParent() {
    if (parent_) parent_->children_.insert(parent_->children_.begin(), this);
}

void Window::removeFromParent() {
    if (parent_) std::erase(parent_->children_, this);
}

Window* Window::topLevel() {
    Window* w = this;
    while (w->isChild() && w->parent_) w = w->parent_;
    return w->handle_ ? w : nullptr;
}

bool Window::isAncestorOf(const Window* w) const {
    for (; w; w = w->isChild() ? w->parent_ : nullptr)
        if (w == this) return true;
    return false;
}

void Window::setParent(Window* parent) {
    if (!handle_ || !isChild() || !parent || parent == parent_ || isAncestorOf(parent)) return;
    if (isWindowVisible()) parent_->invalidate(bounds_, true);
    removeFromParent();
    parent_ = parent;
    insertIntoParent();
    updateNativeChild();
    if (isWindowVisible()) invalidate();
}

// ---------------------------------------------------------------------------------------------
// Styles and text

void Window::setStyle(std::uint32_t style) {
    const std::uint32_t frameBits = WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_DLGFRAME;
    const bool frame = (style & frameBits) != (style_ & frameBits);
    style_ = (style & ~WS_VISIBLE) | (style_ & WS_VISIBLE);
    if (frame && handle_) frameChanged();
}

void Window::setExStyle(std::uint32_t exStyle) {
    const bool frame =
        (exStyle & (WS_EX_CLIENTEDGE | WS_EX_TOOLWINDOW)) != (exStyle_ & (WS_EX_CLIENTEDGE | WS_EX_TOOLWINDOW));
    const bool topMost = (exStyle & WS_EX_TOPMOST) != (exStyle_ & WS_EX_TOPMOST);
    exStyle_ = exStyle;
    if (!handle_) return;
    if (topMost && surface_) {
        surface_->setTopMost((exStyle_ & WS_EX_TOPMOST) != 0);
        WindowSystem::instance().raiseTopLevel(this, nullptr);
    }
    if (frame) frameChanged();
}

Rect Window::withMinimumTrackSize(Rect r) const { return DefaultFrame(*this).withMinimumTrackSize(r); }

void Window::setIcon(IconImages images) {
    icon_ = std::move(images);
    if (surface_) surface_->setIcon(icon_);
}

void Window::setText(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    if (surface_) surface_->setTitle(text_);
    if (handle_) invalidateFrame();
}

// ---------------------------------------------------------------------------------------------
// Geometry

Rect Window::windowRectOnScreen() const {
    if (!isChild() || !parent_) return bounds_;
    return parent_->clientToScreen(bounds_);
}

Point Window::windowToScreen(Point p) const {
    Rect r = windowRectOnScreen();
    return {p.x + r.left, p.y + r.top};
}

Point Window::clientToScreen(Point p) const {
    return windowToScreen({p.x + clientInWindow_.left, p.y + clientInWindow_.top});
}

Point Window::screenToClient(Point p) const {
    Point o = clientToScreen({0, 0});
    return {p.x - o.x, p.y - o.y};
}

Rect Window::clientToScreen(const Rect& r) const { return r.translated(clientToScreen({0, 0})); }

Rect Window::screenToClient(const Rect& r) const {
    Point o = clientToScreen({0, 0});
    return r.translated(-o.x, -o.y);
}

Point Window::offsetInTopLevel() const {
    if (!isChild() || !parent_) return {0, 0};
    Point po = parent_->offsetInTopLevel();
    return {po.x + parent_->clientInWindow_.left + bounds_.left, po.y + parent_->clientInWindow_.top + bounds_.top};
}

Rect Window::defaultFrameInsets() const { return DefaultFrame(*this).insets(); }

void Window::recalcClient() {
    NcCalcSizeParams p{{0, 0, bounds_.width(), bounds_.height()}};
    send(WM_NCCALCSIZE, 0, reinterpret_cast<LParam>(&p));
    Rect c = p.rect;
    c.left = std::clamp(c.left, 0, std::max(0, bounds_.width()));
    c.top = std::clamp(c.top, 0, std::max(0, bounds_.height()));
    c.right = std::clamp(c.right, c.left, std::max(c.left, bounds_.width()));
    c.bottom = std::clamp(c.bottom, c.top, std::max(c.top, bounds_.height()));
    clientInWindow_ = c;
}

void Window::frameChanged() {
    setPos(nullptr, {}, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void Window::setPos(Window* insertAfter, const Rect& requested, unsigned flags) {
    if (!handle_) return;
    WindowSystem& ws = WindowSystem::instance();
    WindowPos wp{handle_, 0, requested, flags};
    if (flags & SWP_NOMOVE) wp.bounds = Rect(bounds_.topLeft(), wp.bounds.size());
    if (flags & SWP_NOSIZE) wp.bounds = Rect(wp.bounds.topLeft(), bounds_.size());
    if (wp.bounds.width() < 0) wp.bounds.right = wp.bounds.left;
    if (wp.bounds.height() < 0) wp.bounds.bottom = wp.bounds.top;
    if (showState_ == ShowState::Normal && !(flags & SWP_NOSIZE)) wp.bounds = withMinimumTrackSize(wp.bounds);
    send(WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LParam>(&wp));
    if (!handle_) return;
    flags = wp.flags;
    const Rect oldBounds = bounds_;
    const bool wasVisible = isWindowVisible();
    const bool moved = wp.bounds.topLeft() != bounds_.topLeft();
    const bool sized = wp.bounds.size() != bounds_.size();
    const bool showing = (flags & SWP_SHOWWINDOW) && !(style_ & WS_VISIBLE);
    const bool hiding = (flags & SWP_HIDEWINDOW) && (style_ & WS_VISIBLE);

    bounds_ = wp.bounds;
    if (showState_ == ShowState::Normal) normalBounds_ = bounds_;
    if (sized || (flags & SWP_FRAMECHANGED)) recalcClient();
    if (showing) style_ |= WS_VISIBLE;
    if (hiding) style_ &= ~WS_VISIBLE;

    if (!(flags & SWP_NOZORDER)) {
        if (isChild()) {
            if (parent_) {
                std::erase(parent_->children_, this);
                auto& sib = parent_->children_;
                if (insertAfter == Bottom) sib.push_back(this);
                else if (!insertAfter || insertAfter == TopMost || insertAfter == NoTopMost)
                    sib.insert(sib.begin(), this);
                else {
                    auto it = std::find(sib.begin(), sib.end(), insertAfter);
                    sib.insert(it == sib.end() ? sib.begin() : it + 1, this);
                }
                if (wasVisible || showing)
                    invalidate({-clientInWindow_.left, -clientInWindow_.top, bounds_.width(), bounds_.height()}, true);
            }
        } else {
            if (insertAfter == TopMost && !(exStyle_ & WS_EX_TOPMOST)) {
                exStyle_ |= WS_EX_TOPMOST;
                if (surface_) surface_->setTopMost(true);
            } else if (insertAfter == NoTopMost && (exStyle_ & WS_EX_TOPMOST)) {
                exStyle_ &= ~WS_EX_TOPMOST;
                if (surface_) surface_->setTopMost(false);
            }
            ws.raiseTopLevel(this, insertAfter);
        }
    }

    if (isChild()) {
        if (parent_ && (moved || sized || hiding) && wasVisible) parent_->invalidate(oldBounds, true);
        if ((moved || sized || showing || (flags & SWP_FRAMECHANGED)) && isWindowVisible())
            markInvalid({0, 0, bounds_.width(), bounds_.height()}, true);
    } else if (surface_) {
        if (sized) resizeStore();
        if (moved || sized) surface_->setBounds(bounds_);
        if (sized || showing || (flags & SWP_FRAMECHANGED))
            markInvalid({0, 0, bounds_.width(), bounds_.height()}, true);
        if (showing) {
            if (!invalid_.isEmpty()) update();
            surface_->setVisible(showState_ != ShowState::Minimized, !(flags & SWP_NOACTIVATE));
        }
        if (hiding) surface_->setVisible(false, false);
    }
    if (moved || sized || showing || hiding) {
        std::function<void(Window*)> place = [&](Window* w) {
            w->updateNativeChild();
            for (Window* c : w->children_) place(c);
        };
        place(this);
    }

    WindowPos done = wp;
    done.flags = flags;
    if (moved) done.flags &= ~unsigned(SWP_NOMOVE);
    else done.flags |= SWP_NOMOVE;
    if (sized) done.flags &= ~unsigned(SWP_NOSIZE);
    else done.flags |= SWP_NOSIZE;
    send(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LParam>(&done));
    if (!handle_) return;

    if (hiding) {
        if (Window* f = ws.focus(); f && isAncestorOf(f)) {
            if (isChild()) ws.setFocus(topLevel());
        }
        if (!isChild() && ws.activeWindow() == this) {
            // Hiding the active window activates its owner or the next window.
            Window* next = owner_ && owner_->isWindowVisible() ? owner_ : nullptr;
            for (Window* t : ws.topLevels())
                if (!next && t != this && t->isWindowVisible() && t->isWindowEnabled() && !(t->style() & WS_POPUP) &&
                    !(t->exStyle() & WS_EX_NOACTIVATE))
                    next = t;
            ws.setActiveWindow(next, WA_ACTIVE);
        }
    }
    if (!isChild() && !(flags & SWP_NOACTIVATE) && isWindowVisible() && !(exStyle_ & WS_EX_NOACTIVATE))
        ws.setActiveWindow(this, WA_ACTIVE);
}

// ---------------------------------------------------------------------------------------------
// State

void Window::show(bool activate) {
    if (!handle_) return;
    if (style_ & WS_VISIBLE) {
        if (activate && !isChild()) WindowSystem::instance().setActiveWindow(this, WA_ACTIVE);
        return;
    }
    send(WM_SHOWWINDOW, 1);
    unsigned flags = SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW;
    if (!activate || isChild()) flags |= SWP_NOACTIVATE | SWP_NOZORDER;
    setPos(nullptr, {}, flags);
}

void Window::hide() {
    if (!handle_ || !(style_ & WS_VISIBLE)) return;
    send(WM_SHOWWINDOW, 0);
    setPos(nullptr, {}, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
}

bool Window::isWindowVisible() const {
    for (const Window* w = this; w; w = w->isChild() ? w->parent_ : nullptr)
        if (!(w->style_ & WS_VISIBLE) || !w->handle_) return false;
    return true;
}

void Window::enable(bool enabled) {
    if (enabled == isEnabledStyle()) return;
    if (enabled) style_ &= ~WS_DISABLED;
    else style_ |= WS_DISABLED;
    if (!handle_) return;
    WindowSystem& ws = WindowSystem::instance();
    if (!enabled) {
        if (Window* c = ws.capture(); c && isAncestorOf(c)) ws.releaseCapture();
        if (Window* f = ws.focus(); f && isAncestorOf(f)) ws.setFocus(nullptr);
    }
    send(WM_ENABLE, enabled ? 1 : 0);
    invalidate();
}

bool Window::isWindowEnabled() const {
    for (const Window* w = this; w; w = w->isChild() ? w->parent_ : nullptr)
        if (w->style_ & WS_DISABLED) return false;
    return true;
}

void Window::setShowState(ShowState state) {
    if (!handle_ || isChild() || state == showState_) return;
    WindowSystem& ws = WindowSystem::instance();
    const ShowState old = showState_;
    if (old == ShowState::Normal) normalBounds_ = bounds_;
    showState_ = state;
    style_ &= ~(WS_MINIMIZE | WS_MAXIMIZE);
    if (surface_) surface_->setShowState(state);
    if (state == ShowState::Minimized) {
        style_ |= WS_MINIMIZE;
        // The desktop keeps a window it frames in its task bar; other surfaces just go.
        if (surface_ && !surface_->desktopFrame()) surface_->setVisible(false, false);
        if (ws.activeWindow() == this) ws.setActiveWindow(nullptr);
        send(WM_SIZE, SIZE_MINIMIZED, makeLParam(clientInWindow_.width(), clientInWindow_.height()));
        return;
    }
    Rect target = normalBounds_;
    if (state == ShowState::Maximized) {
        style_ |= WS_MAXIMIZE;
        target = Screen::monitorFromRect(normalBounds_).workArea;
    }
    const bool wasMinimized = old == ShowState::Minimized;
    showState_ = state;
    Rect keepNormal = normalBounds_;
    setPos(nullptr, target, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    normalBounds_ = keepNormal;
    if (wasMinimized && surface_ && isVisibleStyle()) surface_->setVisible(true, true);
    send(WM_SIZE, state == ShowState::Maximized ? SIZE_MAXIMIZED : SIZE_RESTORED,
         makeLParam(clientInWindow_.width(), clientInWindow_.height()));
}

void Window::setNormalBounds(const Rect& r) {
    if (showState_ == ShowState::Normal) setBounds(r);
    else normalBounds_ = r;
}

void Window::setAlpha(std::uint8_t alpha) {
    alpha_ = alpha;
    if (surface_) surface_->setAlpha(alpha);
}

// ---------------------------------------------------------------------------------------------
// Messages

LResult Window::send(unsigned msg, WParam w, LParam l) { return WindowSystem::instance().send(this, msg, w, l); }

void Window::post(unsigned msg, WParam w, LParam l) { WindowSystem::instance().post(this, msg, w, l); }

Window::WindowProc Window::setWindowProc(WindowProc proc) {
    WindowProc old = std::move(proc_);
    proc_ = proc ? std::move(proc) : WindowProc([this](Message& m) { wndProc(m); });
    return old;
}

void Window::perform(Message& m) {
    WindowProc p = proc_;  // the procedure may be replaced while it runs
    p(m);
}

void Window::wndProc(Message& m) { defaultProc(m); }

int Window::defaultHitTest(Point p) const { return DefaultFrame(*this).hitTest(p); }

void Window::defaultProc(Message& m) {
    WindowSystem& ws = WindowSystem::instance();
    switch (m.msg) {
    case WM_NCCALCSIZE: {
        auto* p = reinterpret_cast<NcCalcSizeParams*>(m.lParam);
        Rect in = defaultFrameInsets();
        p->rect = {p->rect.left + in.left, p->rect.top + in.top, p->rect.right - in.right, p->rect.bottom - in.bottom};
        m.result = 0;
        break;
    }
    case WM_NCHITTEST: {
        Rect r = windowRectOnScreen();
        m.result = defaultHitTest({loWordSigned(m.lParam) - r.left, hiWordSigned(m.lParam) - r.top});
        break;
    }
    case WM_NCPAINT:
        if (m.wParam) paintNonClient(*reinterpret_cast<Canvas*>(m.wParam));
        break;
    case WM_ERASEBKGND:
        if (m.wParam && background_ != clNone) {
            auto* c = reinterpret_cast<Canvas*>(m.wParam);
            c->fillRect(clientRect(), Brush(background_));
        }
        m.result = 1;
        break;
    case WM_PAINT:
        if (m.wParam) paint(*reinterpret_cast<Canvas*>(m.wParam));
        break;
    case WM_NCACTIVATE:
        ncActive_ = m.wParam != 0;
        invalidateFrame();
        m.result = 1;
        break;
    case WM_ACTIVATE:
        if (loWord(m.wParam) != WA_INACTIVE && showState_ != ShowState::Minimized) {
            Window* f = ws.focus();
            if (!f || !isAncestorOf(f)) ws.setFocus(this);
        }
        break;
    case WM_SETFOCUS:
        if (nativeChild_) nativeChild_->setFocus();
        break;
    case WM_KILLFOCUS:
        if (nativeChild_) nativeChild_->killFocus();
        break;
    case WM_MOUSEACTIVATE:
        if (isChild() && parent_) {
            LResult r = parent_->send(WM_MOUSEACTIVATE, m.wParam, m.lParam);
            if (r) {
                m.result = r;
                break;
            }
        }
        m.result = MA_ACTIVATE;
        break;
    case WM_SETCURSOR: {
        // A parent may decide for its children; by default it leaves them their own cursor.
        if (static_cast<WindowHandle>(m.wParam) != handle_) {
            m.result = isChild() && parent_ ? parent_->send(WM_SETCURSOR, m.wParam, m.lParam) : 0;
            break;
        }
        if (isChild() && parent_ && parent_->send(WM_SETCURSOR, m.wParam, m.lParam)) {
            m.result = 1;
            break;
        }
        const int hit = loWordSigned(m.lParam);
        CursorShape shape = hit == HTCLIENT ? cursor_ : DefaultFrame::cursorForHit(hit);
        if (Window* top = topLevel(); top && top->surface()) top->surface()->setCursor(shape);
        m.result = 1;
        break;
    }
    case WM_CONTEXTMENU:
    case WM_HELP:
        if (isChild() && parent_) m.result = parent_->send(m.msg, m.wParam, m.lParam);
        break;
    case WM_WINDOWPOSCHANGED: {
        auto* wp = reinterpret_cast<WindowPos*>(m.lParam);
        if (!(wp->flags & SWP_NOMOVE)) {
            Point o = isChild() ? Point{bounds_.left + clientInWindow_.left, bounds_.top + clientInWindow_.top}
                                : clientToScreen({0, 0});
            send(WM_MOVE, 0, makeLParam(o.x, o.y));
        }
        if (!(wp->flags & SWP_NOSIZE)) {
            unsigned kind = showState_ == ShowState::Maximized   ? SIZE_MAXIMIZED
                            : showState_ == ShowState::Minimized ? SIZE_MINIMIZED
                                                                 : SIZE_RESTORED;
            send(WM_SIZE, kind, makeLParam(clientInWindow_.width(), clientInWindow_.height()));
        }
        break;
    }
    case WM_CLOSE: destroy(); break;
    case WM_CANCELMODE:
        // Whatever the window tracked with the mouse ends: it lets the capture go.
        if (ws.capture() == this) ws.releaseCapture();
        break;
    case WM_SYSCOMMAND:
        switch (m.wParam & 0xFFF0) {
        case SC_CLOSE: send(WM_CLOSE); break;
        case SC_MINIMIZE: setShowState(ShowState::Minimized); break;
        case SC_MAXIMIZE: setShowState(ShowState::Maximized); break;
        case SC_RESTORE: setShowState(ShowState::Normal); break;
        default: break;
        }
        break;
    case WM_SYSKEYDOWN:
        if (m.wParam == VK_F4 && (static_cast<std::uint32_t>(m.lParam) & KF_ALTDOWN_BIT)) {
            if (Window* top = topLevel()) top->post(WM_SYSCOMMAND, SC_CLOSE);
        } else if (m.wParam == VK_F10 && ws.keyState(VK_SHIFT) < 0) {
            // Shift+F10 asks for the context menu at the keyboard's place (-1, -1).
            send(WM_CONTEXTMENU, handle_, -1);
        }
        break;
    case WM_KEYDOWN:
        if (m.wParam == VK_F1 && ws.keyState(VK_SHIFT) >= 0 && ws.keyState(VK_CONTROL) >= 0) {
            HelpInfo info;
            info.item = handle_;
            info.mousePos = ws.cursorPos();
            send(WM_HELP, 0, reinterpret_cast<LParam>(&info));
        }
        break;
    case WM_KEYUP:
        if (m.wParam == VK_APPS) send(WM_CONTEXTMENU, handle_, -1);
        break;
    case WM_NCLBUTTONDOWN: {
        const int hit = static_cast<int>(m.wParam);
        if (hit == HTCAPTION || (hit >= HTLEFT && hit <= HTBOTTOMRIGHT)) {
            if (!isChild() && surface_ && showState_ == ShowState::Normal) {
                const Point at{loWordSigned(m.lParam), hiWordSigned(m.lParam)};
                if (!surface_->startSystemMoveResize(hit, at)) DefaultFrame::moveSizeLoop(*this, hit, at);
            }
        }
        break;
    }
    case WM_NCLBUTTONUP:
        if (m.wParam == HTCLOSE) send(WM_SYSCOMMAND, SC_CLOSE);
        if (m.wParam == HTMAXBUTTON && (style_ & WS_MAXIMIZEBOX))
            send(WM_SYSCOMMAND, showState_ == ShowState::Maximized ? SC_RESTORE : SC_MAXIMIZE);
        if (m.wParam == HTMINBUTTON && (style_ & WS_MINIMIZEBOX)) send(WM_SYSCOMMAND, SC_MINIMIZE);
        break;
    case WM_NCLBUTTONDBLCLK:
        if (m.wParam == HTCAPTION && (style_ & WS_MAXIMIZEBOX))
            send(WM_SYSCOMMAND, showState_ == ShowState::Maximized ? SC_RESTORE : SC_MAXIMIZE);
        break;
    case WM_QUERYENDSESSION: m.result = 1; break;
    case WM_NCRBUTTONUP:
    case WM_RBUTTONUP:
        // The context-menu request follows a right click, as on the classic platform.
        send(WM_CONTEXTMENU, handle_, makeLParam(ws.cursorPos().x, ws.cursorPos().y));
        break;
    default: break;
    }
}

// ---------------------------------------------------------------------------------------------
// Painting

void Window::markInvalid(const Rect& inWindow, bool erase) {
    Window* top = topLevel();
    if (!top || !isWindowVisible()) return;
    Point o = offsetInTopLevel();
    Rect r = inWindow.translated(o).intersected({0, 0, top->bounds_.width(), top->bounds_.height()});
    if (r.isEmpty()) return;
    top->invalid_ = top->invalid_.united(r);
    // Sticky until the window paints: one request to erase is enough.
    if (erase) eraseNeeded_ = true;
}

void Window::invalidate(const Rect& clientArea, bool erase) {
    if (!handle_) return;
    Rect r = clientArea.translated(clientInWindow_.topLeft()).intersected(clientInWindow_);
    markInvalid(r, erase);
}

void Window::invalidateFrame() {
    if (!handle_) return;
    markInvalid({0, 0, bounds_.width(), bounds_.height()}, true);
}

void Window::validate() {
    if (!isChild()) invalid_ = {};
}

Rect Window::invalidArea() const {
    const Window* top = this;
    while (top->isChild() && top->parent_) top = top->parent_;
    Point o = offsetInTopLevel();
    return top->invalid_.translated(-o.x, -o.y).intersected({0, 0, bounds_.width(), bounds_.height()});
}

void Window::resizeStore() {
    if (isChild()) return;
    // The store holds device pixels; painting stays in window pixels through the canvas's scale.
    const int s = surface_ ? std::max(1, surface_->scaleFactor()) : 1;
    const int w = std::max(0, bounds_.width()) * s, h = std::max(0, bounds_.height()) * s;
    if (store_.width() != w || store_.height() != h || storeScale_ != s) store_ = Bitmap(w, h);
    storeScale_ = s;
}

void Window::update() {
    Window* top = topLevel();
    if (!top) return;
    if (top != this) {
        top->update();
        return;
    }
    // A scale change the surface has not reported yet still repaints the whole new store.
    if (surface_ && std::max(1, surface_->scaleFactor()) != storeScale_)
        markInvalid({0, 0, bounds_.width(), bounds_.height()}, true);
    if (invalid_.isEmpty() || !isWindowVisible()) return;
    Rect area = invalid_;
    invalid_ = {};
    resizeStore();
    if (store_.isEmpty()) return;
    {
        Canvas canvas(store_, storeScale_);
        paintTree(canvas, area, false);
    }
    presentArea(area);
}

void Window::presentArea(const Rect& area) {
    if (surface_ && !store_.isEmpty())
        surface_->present(store_,
                          area.intersected({0, 0, store_.width() / storeScale_, store_.height() / storeScale_}));
}

void Window::paintSelf(Canvas& canvas, const Rect& visible, bool erase) {
    const Point o = offsetInTopLevel();
    const Rect client = clientInWindow_.translated(o).intersected(visible);
    const Rect whole = Rect{0, 0, bounds_.width(), bounds_.height()}.translated(o).intersected(visible);
    if (whole.isEmpty()) return;
    // Frame first, with the client area cut out.
    if (clientInWindow_ != Rect{0, 0, bounds_.width(), bounds_.height()}) {
        canvas.setOrigin(o);
        canvas.setClipRect(whole.translated(-o.x, -o.y));
        canvas.excludeClip(clientInWindow_);
        Message nc{WM_NCPAINT, reinterpret_cast<WParam>(&canvas), 0, 0};
        WindowSystem::instance().send(this, nc);
        if (!handle_) return;
    }
    if (client.isEmpty()) return;
    const Point co{o.x + clientInWindow_.left, o.y + clientInWindow_.top};
    canvas.setOrigin(co);
    canvas.setClipRect(client.translated(-co.x, -co.y));
    if (erase) {
        Message eraseMsg{WM_ERASEBKGND, reinterpret_cast<WParam>(&canvas), 0, 0};
        WindowSystem::instance().send(this, eraseMsg);
        if (!handle_) return;
    }
    canvas.setOrigin(co);
    canvas.setClipRect(client.translated(-co.x, -co.y));
    Message paintMsg{WM_PAINT, reinterpret_cast<WParam>(&canvas), 0, 0};
    WindowSystem::instance().send(this, paintMsg);
}

void Window::paintTree(Canvas& canvas, const Rect& area, bool parentErased) {
    if (!(style_ & WS_VISIBLE) || !handle_) return;
    const Point o = offsetInTopLevel();
    const Rect mine = Rect{0, 0, bounds_.width(), bounds_.height()}.translated(o).intersected(area);
    if (mine.isEmpty()) return;
    const WindowHandle h = handle_;
    // The background goes when asked for, and under a parent that erased it: the parent's
    // background then lies over this window's old pixels.
    const bool erase = eraseNeeded_ || parentErased;
    eraseNeeded_ = false;
    paintSelf(canvas, mine, erase);
    if (WindowSystem::instance().find(h) != this) return;
    // Children paint over their parent, bottom first, clipped to the parent's client area.
    const Rect childArea = clientInWindow_.translated(o).intersected(mine);
    std::vector<Window*> kids(children_.rbegin(), children_.rend());
    for (Window* c : kids)
        if (std::find(children_.begin(), children_.end(), c) != children_.end()) c->paintTree(canvas, childArea, erase);
    canvas.setOrigin({0, 0});
    canvas.resetClip();
}

void Window::paintNonClient(Canvas& canvas) { DefaultFrame(*this).paint(canvas, ncActive_); }

Window::CaptionButtons Window::captionButtons() const { return DefaultFrame(*this).captionButtons(); }

void Window::paintCaptionButtonFace(Canvas& canvas, const Rect& button) {
    DefaultFrame::paintCaptionButtonFace(canvas, button);
}

// ---------------------------------------------------------------------------------------------
// Native hosting

void Window::hostNativeChild(NativeChild* child) {
    if (nativeChild_ && nativeChild_ != child) {
        nativeChild_->setVisible(false);
        nativeChild_->attachTo(nullptr);
    }
    nativeChild_ = child;
    updateNativeChild();
}

void Window::updateNativeChild() {
    if (!nativeChild_) return;
    Window* top = handle_ ? topLevel() : nullptr;
    nativeChild_->attachTo(top ? top->surface() : nullptr);
    if (!top) return;
    nativeChild_->setGeometry(clientInWindow_.translated(offsetInTopLevel()));
    nativeChild_->setVisible(isWindowVisible());
}

}  // namespace lindora
