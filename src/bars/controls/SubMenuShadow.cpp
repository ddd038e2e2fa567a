#include "bars/controls/SubMenuShadow.h"

#include <algorithm>

#include "gfx/Canvas.h"
#include "gfx/Color.h"
#include "ui/PlatformIntegration.h"
#include "ui/Window.h"

namespace lindora {

namespace {
// The alpha step between neighbouring pixels across a translucent strip.
constexpr int kAlphaStep = 15;
}  // namespace

class SubMenuShadow::StripWindow : public Window {
public:
    StripWindow(int size, bool translucent, bool vertical)
        : size_(size), translucent_(translucent), vertical_(vertical) {}
    ~StripWindow() override { destroy(); }

protected:
    void wndProc(Message& m) override {
        switch (m.msg) {
        case WM_ERASEBKGND: m.result = 1; return;  // every pixel is painted
        case WM_NCHITTEST: m.result = HTTRANSPARENT; return;
        case WM_MOUSEACTIVATE: m.result = MA_NOACTIVATE; return;
        default: Window::wndProc(m);
        }
    }

    void paint(Canvas& canvas) override {
        const Rect r = clientRect();
        if (!translucent_) {
            canvas.fillRect(r, Brush(clBtnShadow));
            return;
        }
        // Across the strip the alpha falls off from the menu's edge outward; along it, the
        // first `size` pixels fade in, so the strip's corner joins the menu softly.
        const int length = vertical_ ? r.height() : r.width();
        for (int y = 0; y < r.height(); ++y) {
            for (int x = 0; x < r.width(); ++x) {
                const int across = vertical_ ? x : y;
                const int along = vertical_ ? y : x;
                int a = (size_ - across) * kAlphaStep;
                if (along < size_) a = a * (along + 1) / (size_ + 1);
                // The outer end of the strip is the menu's corner: it fades both ways.
                if (length - 1 - along < size_) a = a * (length - along) / (size_ + 1);
                a = std::clamp(a, 0, 255);
                canvas.setRawPixel(x, y, static_cast<std::uint32_t>(a) << 24);  // premultiplied black
            }
        }
    }

private:
    int size_;
    bool translucent_;
    bool vertical_;
};

SubMenuShadow::SubMenuShadow() {
    const PlatformIntegration* platform = PlatformIntegration::instance();
    translucent_ = platform && platform->screen().supportsTranslucency() && platform->screen().bitsPerPixel() > 8;
    size_ = translucent_ ? 4 : 2;
}

SubMenuShadow::~SubMenuShadow() = default;

std::array<Rect, 2> SubMenuShadow::partRects(const Rect& menu, const Rect& owner, int size) {
    Rect right{menu.right, menu.top + size, menu.right + size, menu.bottom + size};
    Rect bottom{menu.left + size, menu.bottom, menu.right, menu.bottom + size};
    // An edge touching the owner item casts no shadow over it: keep the larger part beside it.
    auto cutAlong = [&](Rect& strip, bool vertical) {
        if (owner.isEmpty() || !strip.intersects(owner)) return;
        if (vertical) {
            const int before = owner.top - strip.top, after = strip.bottom - owner.bottom;
            if (after >= before) strip.top = std::max(strip.top, owner.bottom);
            else strip.bottom = std::min(strip.bottom, owner.top);
        } else {
            const int before = owner.left - strip.left, after = strip.right - owner.right;
            if (after >= before) strip.left = std::max(strip.left, owner.right);
            else strip.right = std::min(strip.right, owner.left);
        }
        if (strip.isEmpty()) strip = {};
    };
    cutAlong(right, true);
    cutAlong(bottom, false);
    return {right, bottom};
}

void SubMenuShadow::show(Window& menu, const Rect& owner) {
    const std::array<Rect, 2> rects = partRects(menu.bounds(), owner, size_);
    for (int i = 0; i < 2; ++i) {
        auto& part = parts_[static_cast<std::size_t>(i)];
        const Rect& r = rects[static_cast<std::size_t>(i)];
        if (r.isEmpty()) {
            if (part) part->hide();
            continue;
        }
        if (!part || !part->handleAllocated()) {
            part = std::make_unique<StripWindow>(size_, translucent_, i == 0);
            CreateParams cp;
            cp.style = WS_POPUP;
            cp.exStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT | (menu.exStyle() & WS_EX_TOPMOST) |
                         (translucent_ ? WS_EX_LAYERED : 0);
            cp.bounds = r;
            cp.parent = &menu;
            part->create(cp);
        }
        part->setPos(&menu, r, SWP_NOACTIVATE | SWP_SHOWWINDOW);
        part->invalidate(part->clientRect(), false);
    }
}

void SubMenuShadow::hide() {
    for (auto& part : parts_)
        if (part) part->hide();
}

bool SubMenuShadow::visible() const {
    return std::any_of(parts_.begin(), parts_.end(), [](const auto& p) { return p && p->isVisibleStyle(); });
}

Window* SubMenuShadow::part(int index) const { return parts_[static_cast<std::size_t>(index)].get(); }

}  // namespace lindora
