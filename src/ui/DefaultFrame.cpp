#include "ui/DefaultFrame.h"

#include <algorithm>

#include "gfx/Canvas.h"
#include "gfx/Font.h"
#include "ui/SystemMetrics.h"
#include "ui/WindowSystem.h"

namespace lindora {

namespace {

int metric(int index) {
    PlatformIntegration* p = PlatformIntegration::instance();
    return p ? p->screen().systemMetric(index) : 0;
}

}  // namespace

std::optional<Rect> DefaultFrame::desktopFrame() const {
    const NativeSurface* surface = w_.isChild() ? nullptr : w_.surface();
    return surface ? surface->desktopFrame() : std::nullopt;
}

Rect DefaultFrame::insets() const {
    // Where the desktop draws the frame, the window's frame is the one it reports.
    if (const auto frame = desktopFrame()) return *frame;
    const std::uint32_t style = w_.style(), exStyle = w_.exStyle();
    int b = 0;
    if (style & WS_THICKFRAME) b = metric(SM_CXFRAME);
    else if ((style & WS_CAPTION) == WS_CAPTION || (style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
        b = metric(SM_CXFIXEDFRAME);
    else if (style & WS_BORDER) b = metric(SM_CXBORDER);
    int caption = 0;
    if ((style & WS_CAPTION) == WS_CAPTION)
        caption = metric((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
    Rect r{b, b + caption, b, b};
    if (exStyle & WS_EX_CLIENTEDGE) r = {r.left + 2, r.top + 2, r.right + 2, r.bottom + 2};
    return r;
}

Size DefaultFrame::minimumTrackSize() const {
    // Popups and child windows may be empty (a floating bar or a menu sizes itself); a stored
    // placement of 0 x 0 must not make a framed window vanish, whoever sizes it.
    const std::uint32_t style = w_.style();
    if ((style & (WS_CHILD | WS_POPUP)) || !(style & (WS_CAPTION | WS_THICKFRAME))) return {0, 0};
    return {metric(SM_CXMINTRACK), metric(SM_CYMINTRACK)};
}

Rect DefaultFrame::withMinimumTrackSize(Rect r) const {
    const Size min = minimumTrackSize();
    r.right = std::max(r.right, r.left + min.cx);
    r.bottom = std::max(r.bottom, r.top + min.cy);
    return r;
}

int DefaultFrame::hitTest(Point p) const {
    const std::uint32_t style = w_.style();
    const int w = w_.bounds().width(), h = w_.bounds().height();
    if (!Rect(0, 0, w, h).contains(p)) return HTNOWHERE;
    if (w_.clientRectInWindow().contains(p)) return HTCLIENT;
    const Rect in = insets();
    const int b = in.left;
    const bool caption = (style & WS_CAPTION) == WS_CAPTION;
    if ((style & WS_THICKFRAME) && w_.showState() == ShowState::Normal) {
        const int corner = std::max(metric(SM_CYCAPTION), b);
        const bool left = p.x < b, right = p.x >= w - b, top = p.y < b, bottom = p.y >= h - b;
        if (top || bottom || left || right) {
            const bool nearLeft = p.x < corner, nearRight = p.x >= w - corner;
            const bool nearTop = p.y < corner, nearBottom = p.y >= h - corner;
            if (top) return nearLeft ? HTTOPLEFT : nearRight ? HTTOPRIGHT : HTTOP;
            if (bottom) return nearLeft ? HTBOTTOMLEFT : nearRight ? HTBOTTOMRIGHT : HTBOTTOM;
            if (left) return nearTop ? HTTOPLEFT : nearBottom ? HTBOTTOMLEFT : HTLEFT;
            return nearTop ? HTTOPRIGHT : nearBottom ? HTBOTTOMRIGHT : HTRIGHT;
        }
    }
    if (caption && p.y >= b && p.y < in.top && p.x >= b && p.x < w - b) {
        const CaptionButtons buttons = captionButtons();
        if (buttons.close.contains(p)) return HTCLOSE;
        if (buttons.maximize.contains(p)) return HTMAXBUTTON;
        if (buttons.minimize.contains(p)) return HTMINBUTTON;
        return HTCAPTION;
    }
    return HTBORDER;
}

// Close at the right end, then maximise (or restore) and minimise side by side, always both or
// neither. A window with only one of the two boxes shows both, the other one disabled; tool
// windows have the close button only.
CaptionButtons DefaultFrame::captionButtons() const {
    const std::uint32_t style = w_.style();
    CaptionButtons buttons;
    if ((style & WS_CAPTION) != WS_CAPTION || !(style & WS_SYSMENU) || desktopFrame()) return buttons;
    const Rect in = insets();
    const int b = in.left;
    const Rect cap{b, b, w_.bounds().width() - b, in.top - 1};
    const int size = cap.height() - 4;
    if (size <= 0) return buttons;
    buttons.close = {cap.right - 2 - size, cap.top + 2, cap.right - 2, cap.top + 2 + size};
    if (!(w_.exStyle() & WS_EX_TOOLWINDOW) && (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) {
        buttons.maximize = buttons.close.translated(-size - 2, 0);
        buttons.minimize = buttons.maximize.translated(-size, 0);
    }
    return buttons;
}

void DefaultFrame::paintCaptionButtonFace(Canvas& canvas, const Rect& button) {
    canvas.fillRect(button, Brush(clBtnFace));
    Rect e = button;
    canvas.drawEdge(e, EDGE_RAISED, BF_RECT);
}

void DefaultFrame::paint(Canvas& canvas, bool active) const {
    if (desktopFrame()) return;  // the desktop draws it
    const std::uint32_t style = w_.style(), exStyle = w_.exStyle();
    const Rect r{0, 0, w_.bounds().width(), w_.bounds().height()};
    const Rect in = insets();
    const int b = in.left;
    if (style & (WS_THICKFRAME | WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME)) {
        canvas.fillRect(r, Brush(clBtnFace));
        Rect e = r;
        canvas.drawEdge(e, EDGE_RAISED, BF_RECT);
    } else if (style & WS_BORDER) {
        canvas.frameRect(r, Brush(clWindowFrame));
    }
    if ((style & WS_CAPTION) != WS_CAPTION) return;
    const Rect cap{b, b, r.right - b, in.top - 1};
    canvas.fillRect(cap, Brush(active ? clActiveCaption : clInactiveCaption));
    canvas.fillRect({cap.left, cap.bottom, cap.right, cap.bottom + 1}, Brush(clBtnFace));
    Font f = canvas.font();
    if (PlatformIntegration* p = PlatformIntegration::instance()) {
        NonClientFonts fonts = p->screen().nonClientFonts();
        const SystemFontSpec& spec = (exStyle & WS_EX_TOOLWINDOW) ? fonts.smallCaption : fonts.caption;
        f = Font(spec.family, spec.height, spec.weight >= 700 ? fsBold : fsNone,
                 active ? clCaptionText : clInactiveCaptionText);
    }
    const Font saved = canvas.font();
    canvas.setFont(f);
    canvas.setBackgroundMode(BackgroundMode::Transparent);
    int right = cap.right;
    const CaptionButtons buttons = captionButtons();
    if (!buttons.close.isEmpty()) {
        const Rect& btn = buttons.close;
        paintCaptionButtonFace(canvas, btn);
        // The cross of the close button.
        const int m = btn.height() / 4 + 1;
        canvas.setPenColor(clBtnText);
        for (int d = 0; d < 2; ++d) {
            canvas.moveTo(btn.left + m + d, btn.top + m);
            canvas.lineTo(btn.right - m + d - 1, btn.bottom - m);
            canvas.moveTo(btn.right - m - 1 - d, btn.top + m);
            canvas.lineTo(btn.left + m - d, btn.bottom - m);
        }
        right = btn.left - 2;
    }
    if (!buttons.maximize.isEmpty()) {
        const Rect& btn = buttons.maximize;
        paintCaptionButtonFace(canvas, btn);
        const Color ink = (style & WS_MAXIMIZEBOX) ? clBtnText : clGrayText;
        const int m = btn.height() / 4;
        const Rect box{btn.left + m, btn.top + m, btn.right - m, btn.bottom - m};
        if (w_.showState() == ShowState::Maximized) {
            // Restore: a second window behind the first.
            const int o = std::max(2, box.width() / 4);
            const Rect back{box.left + o, box.top, box.right, box.bottom - o};
            const Rect front{box.left, box.top + o, box.right - o, box.bottom};
            canvas.frameRect(back, Brush(ink));
            canvas.fillRect({back.left, back.top + 1, back.right, back.top + 2}, Brush(ink));
            canvas.fillRect(front, Brush(clBtnFace));
            canvas.frameRect(front, Brush(ink));
            canvas.fillRect({front.left, front.top + 1, front.right, front.top + 2}, Brush(ink));
        } else {
            canvas.frameRect(box, Brush(ink));
            canvas.fillRect({box.left, box.top + 1, box.right, box.top + 2}, Brush(ink));
        }
    }
    if (!buttons.minimize.isEmpty()) {
        const Rect& btn = buttons.minimize;
        paintCaptionButtonFace(canvas, btn);
        const Color ink = (style & WS_MINIMIZEBOX) ? clBtnText : clGrayText;
        const int m = btn.height() / 4;
        canvas.fillRect({btn.left + m, btn.bottom - m - 2, btn.right - m - 1, btn.bottom - m}, Brush(ink));
        right = btn.left - 2;
    }
    Rect textRect{cap.left + 4, cap.top, right, cap.bottom};
    canvas.drawText(textRect, w_.text(), DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    canvas.setFont(saved);
}

CursorShape DefaultFrame::cursorForHit(int hit) {
    switch (hit) {
    case HTLEFT:
    case HTRIGHT: return CursorShape::SizeWE;
    case HTTOP:
    case HTBOTTOM: return CursorShape::SizeNS;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: return CursorShape::SizeNWSE;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: return CursorShape::SizeNESW;
    default: return CursorShape::Arrow;
    }
}

void DefaultFrame::moveSizeLoop(Window& window, int hit, Point start) {
    WindowSystem& ws = WindowSystem::instance();
    const Rect startBounds = window.bounds();
    const WindowHandle self = window.handle();
    // The dragged edges stop where the window would get smaller than it may be, or inside out.
    const Size min = DefaultFrame(window).minimumTrackSize();
    const int minW = std::max(min.cx, 1), minH = std::max(min.cy, 1);
    ws.setCapture(&window);
    bool done = false;
    auto track = [&](Point p) {
        const int dx = p.x - start.x, dy = p.y - start.y;
        Rect r = startBounds;
        if (hit == HTCAPTION) {
            r = startBounds.translated(dx, dy);
        } else {
            if (hit == HTLEFT || hit == HTTOPLEFT || hit == HTBOTTOMLEFT)
                r.left = std::min(r.left + dx, r.right - minW);
            if (hit == HTRIGHT || hit == HTTOPRIGHT || hit == HTBOTTOMRIGHT)
                r.right = std::max(r.right + dx, r.left + minW);
            if (hit == HTTOP || hit == HTTOPLEFT || hit == HTTOPRIGHT) r.top = std::min(r.top + dy, r.bottom - minH);
            if (hit == HTBOTTOM || hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT)
                r.bottom = std::max(r.bottom + dy, r.top + minH);
        }
        window.setPos(nullptr, r, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    // The loop's own messages are taken here; everything else is dispatched as usual.
    ws.runLoop([&] {
        for (;;) {
            if (done || ws.find(self) != &window || ws.capture() != &window) return true;
            QueuedMessage m;
            if (!ws.peekMessage(m, false)) return false;
            if (m.hwnd == self && (m.msg.msg == WM_MOUSEMOVE || m.msg.msg == WM_LBUTTONUP)) {
                ws.peekMessage(m, true);
                track(m.pt);
                if (m.msg.msg == WM_LBUTTONUP) done = true;
            } else if (m.msg.msg == WM_KEYDOWN && m.msg.wParam == VK_ESCAPE) {
                ws.peekMessage(m, true);
                window.setPos(nullptr, startBounds, SWP_NOZORDER | SWP_NOACTIVATE);
                done = true;
            } else {
                return false;
            }
        }
    });
    if (ws.find(self) == &window && ws.capture() == &window) ws.releaseCapture();
}

}  // namespace lindora
