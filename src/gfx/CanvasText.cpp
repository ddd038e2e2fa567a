// Canvas text: laid out and rendered by the text engine into a small picture, then
// composited (rotated when the font says so) through the canvas's clip.
#include "gfx/Canvas.h"
#include "gfx/TextEngine.h"

#include <algorithm>

namespace lindora {

Size Canvas::textExtent(const std::string& text) const {
    return TextEngine::instance().measure(font_, sanitizeUtf8(text));
}

void Canvas::blitText(const RenderedText& text, Point anchor, int escapement, const Rect* clip) {
    const int w = text.logicalSize.cx, h = text.logicalSize.cy;
    // The logical box in device terms, by rotation (see textOut).
    Point a = anchor + origin_;
    Rect box;
    switch (escapement) {
    case 900: box = {a.x, a.y - w, a.x + h, a.y}; break;
    case 1800: box = {a.x - w, a.y - h, a.x, a.y}; break;
    case 2700: box = {a.x - h, a.y, a.x, a.y + w}; break;
    default: box = {a.x, a.y, a.x + w, a.y + h}; break;
    }
    Region region = clip_;
    if (clip) region.intersect(clip->translated(origin_));
    region.intersect(deviceBounds());
    if (region.isEmpty()) return;

    const int s = scale_;
    if (bkMode_ == BackgroundMode::Opaque) {
        std::uint32_t bk = colorToPixel(bkColor_);
        for (const Rect& c : region.rects()) {
            Rect part = box.intersected(c);
            for (int y = part.top * s; y < part.bottom * s; ++y) {
                std::uint32_t* row = bitmap_->data() + static_cast<size_t>(y) * bitmap_->width();
                std::fill(row + part.left * s, row + part.right * s, bk);
            }
        }
    }

    // The picture is walked in bitmap pixels (text is rendered at the canvas's scale); the clip
    // is tested on the canvas pixel each one belongs to.
    const Bitmap& src = text.pixels;
    const Point lo{text.logicalOrigin.x * s, text.logicalOrigin.y * s};
    a = {a.x * s, a.y * s};
    auto canvasPixel = [s](int v) { return v >= 0 ? v / s : -((-v + s - 1) / s); };
    std::uint32_t* dst = bitmap_->data();
    const int stride = bitmap_->width();
    for (int j = 0; j < src.height(); ++j) {
        const auto srow = src.row(j);
        for (int i = 0; i < src.width(); ++i) {
            std::uint32_t p = srow[static_cast<size_t>(i)];
            if (p == 0) continue;
            int u = i - lo.x, v = j - lo.y;  // relative to the logical box's start corner
            int x, y;
            switch (escapement) {
            case 900:
                x = a.x + v;
                y = a.y - 1 - u;
                break;
            case 1800:
                x = a.x - 1 - u;
                y = a.y - 1 - v;
                break;
            case 2700:
                x = a.x - 1 - v;
                y = a.y + u;
                break;
            default:
                x = a.x + u;
                y = a.y + v;
                break;
            }
            if (!region.contains({canvasPixel(x), canvasPixel(y)})) continue;
            std::uint32_t& d = dst[static_cast<size_t>(y) * stride + x];
            std::uint32_t sa = p >> 24;
            if (sa == 255) {
                d = p;
            } else {
                std::uint32_t inv = 255 - sa, out = 0;
                for (int shift = 0; shift < 32; shift += 8) {
                    std::uint32_t s = (p >> shift) & 0xFF, dd = (d >> shift) & 0xFF;
                    out |= std::min<std::uint32_t>(255, s + (dd * inv + 127) / 255) << shift;
                }
                d = out;
            }
        }
    }
}

void Canvas::textOut(int x, int y, const std::string& text) {
    AcceleratorText plain{sanitizeUtf8(text), -1, 0};
    RenderedText r = TextEngine::instance().render(font_, plain, font_.color(), {}, scale_);
    blitText(r, {x, y}, font_.quadrantEscapement(), nullptr);
}

int Canvas::drawText(Rect& r, const std::string& text, unsigned format) {
    std::string clean = sanitizeUtf8(text);
    AcceleratorText shown;
    if (format & DT_NOPREFIX) {
        shown.text = clean;
    } else {
        shown = parseAccelerator(clean);
        if (format & DT_HIDEPREFIX) shown.underlineStart = -1;
    }
    const int escapement = font_.quadrantEscapement();
    const bool rotated = escapement == 900 || escapement == 2700;
    const int along = rotated ? r.height() : r.width();
    const int across = rotated ? r.width() : r.height();
    const bool singleLine = (format & DT_SINGLELINE) != 0;

    TextLayoutOptions options;
    options.singleLine = singleLine;
    if ((format & DT_WORDBREAK) && !singleLine) {
        options.wrapWidth = std::max(0, along);
        options.alignment = (format & DT_CENTER) ? 1 : (format & DT_RIGHT) ? 2 : 0;
    } else if (format & DT_END_ELLIPSIS) {
        options.wrapWidth = std::max(0, along);
        options.ellipsizeEnd = true;
    }
    RenderedText rendered = TextEngine::instance().render(font_, shown, font_.color(), options, scale_);
    const int w = rendered.logicalSize.cx, h = rendered.logicalSize.cy;

    if (format & DT_CALCRECT) {
        if (rotated) {
            r.right = r.left + h;
            r.bottom = r.top + w;
        } else {
            r.right = r.left + w;
            r.bottom = r.top + h;
        }
        return h;
    }

    // Offsets of the text's start along its direction and of its top across it.
    int offAlong = 0;
    if (format & DT_CENTER) offAlong = (along - w) / 2;
    else if (format & DT_RIGHT) offAlong = along - w;
    int offAcross = 0;
    if (singleLine && (format & DT_VCENTER)) offAcross = (across - h) / 2;
    else if (singleLine && (format & DT_BOTTOM)) offAcross = across - h;

    Point anchor;
    switch (escapement) {
    case 900: anchor = {r.left + offAcross, r.bottom - offAlong}; break;
    case 1800: anchor = {r.right - offAlong, r.bottom - offAcross}; break;
    case 2700: anchor = {r.right - offAcross, r.top + offAlong}; break;
    default: anchor = {r.left + offAlong, r.top + offAcross}; break;
    }
    // Wrapped lines are aligned by the layout within its width, which starts at the edge.
    if (options.wrapWidth >= 0 && !options.ellipsizeEnd) {
        rendered.logicalOrigin = rendered.layoutOrigin;
        rendered.logicalSize.cx = along;
        anchor = escapement == 900    ? Point{r.left + offAcross, r.bottom}
                 : escapement == 2700 ? Point{r.right - offAcross, r.top}
                 : escapement == 1800 ? Point{r.right, r.bottom - offAcross}
                                      : Point{r.left, r.top + offAcross};
    }
    Rect clip = r.normalized();
    blitText(rendered, anchor, escapement, (format & DT_NOCLIP) ? nullptr : &clip);
    return h;
}

}  // namespace lindora
