#include "gfx/Canvas.h"

#include "base/Exception.h"
#include "gfx/ImageList.h"
#include "gfx/TextEngine.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace lindora {

namespace {

// Premultiplied "over": src on top of dst.
inline std::uint32_t blendOver(std::uint32_t dst, std::uint32_t src) {
    std::uint32_t sa = src >> 24;
    if (sa == 255) return src;
    if (sa == 0 && (src & 0x00FFFFFFu) == 0) return dst;
    std::uint32_t inv = 255 - sa;
    auto ch = [&](int shift) {
        std::uint32_t s = (src >> shift) & 0xFF, d = (dst >> shift) & 0xFF;
        std::uint32_t v = s + (d * inv + 127) / 255;
        return std::min<std::uint32_t>(v, 255) << shift;
    };
    return ch(24) | ch(16) | ch(8) | ch(0);
}

inline bool sameRGB(std::uint32_t pixel, std::uint32_t key) {
    return (colorToPixel(pixelToColor(pixel)) & 0x00FFFFFFu) == (key & 0x00FFFFFFu);
}

}  // namespace

Canvas::Canvas(Bitmap& target, int scale) : bitmap_(&target), scale_(std::max(1, scale)) {
    setSystemClip(Region(deviceBounds()));
}

Canvas::Canvas(int width, int height, int scale)
    : owned_(
          std::make_unique<Bitmap>(std::max(0, width) * std::max(1, scale), std::max(0, height) * std::max(1, scale))),
      bitmap_(owned_.get()), scale_(std::max(1, scale)) {
    setSystemClip(Region(deviceBounds()));
}

Canvas::~Canvas() = default;

void Canvas::resize(int width, int height) {
    if (!owned_) throw Exception("Cannot resize a canvas that draws on another's bitmap");
    owned_->resize(std::max(0, width) * scale_, std::max(0, height) * scale_);
    Point o = origin_;
    origin_ = {};
    setSystemClip(Region(deviceBounds()));
    origin_ = o;
}

void Canvas::setOrigin(Point devicePosition) { origin_ = devicePosition; }

// --- clipping ------------------------------------------------------------------------------------

Region Canvas::clipRegion() const {
    Region r = clip_;
    r.translate(-origin_.x, -origin_.y);
    return r;
}

Rect Canvas::clipBounds() const { return clip_.bounds().translated(-origin_.x, -origin_.y); }

void Canvas::setSystemClip(const Region& r) {
    systemClip_ = r;
    systemClip_.translate(origin_.x, origin_.y);
    systemClip_.intersect(deviceBounds());
    clip_ = systemClip_;
    clipStack_.clear();
}

void Canvas::setClipRegion(const Region& r) {
    clip_ = r;
    clip_.translate(origin_.x, origin_.y);
    clip_.intersect(systemClip_);
}

void Canvas::resetClip() { clip_ = systemClip_; }

void Canvas::intersectClip(const Rect& r) { clip_.intersect(r.translated(origin_)); }

void Canvas::intersectClip(const Region& r) {
    Region d = r;
    d.translate(origin_.x, origin_.y);
    clip_.intersect(d);
}

void Canvas::excludeClip(const Rect& r) { clip_.subtract(r.translated(origin_)); }

void Canvas::excludeClip(const Region& r) {
    Region d = r;
    d.translate(origin_.x, origin_.y);
    clip_.subtract(d);
}

bool Canvas::isVisible(Point p) const { return clip_.contains(p + origin_); }

bool Canvas::isVisible(const Rect& r) const { return clip_.intersects(r.translated(origin_)); }

int Canvas::saveClip() {
    clipStack_.push_back(clip_);
    return static_cast<int>(clipStack_.size()) - 1;
}

void Canvas::restoreClip() {
    if (clipStack_.empty()) return;
    clip_ = std::move(clipStack_.back());
    clipStack_.pop_back();
}

void Canvas::restoreClip(int depth) {
    if (depth < 0 || depth >= static_cast<int>(clipStack_.size())) return;
    clip_ = clipStack_[static_cast<size_t>(depth)];
    clipStack_.resize(static_cast<size_t>(depth));
}

// --- rectangles ------------------------------------------------------------------------------------

void Canvas::fillDeviceSpan(int y, int x0, int x1, const Brush& b) {
    // Callers pass spans already inside the clip and the canvas.
    const int s = scale_;
    for (int sub = 0; sub < s; ++sub) {
        std::uint32_t* row = bitmap_->data() + static_cast<size_t>(y * s + sub) * bitmap_->width();
        if (b.kind() == Brush::Kind::Solid) {
            std::fill(row + x0 * s, row + x1 * s, colorToPixel(b.color()));
        } else if (const Bitmap* pattern = b.patternBitmap()) {
            // One pattern row, walked cyclically from the phase of the span's first pixel; the
            // phase counts canvas pixels, so a scaled pattern keeps its alignment.
            const std::uint32_t* prow = pattern->data() + static_cast<size_t>(((y - brushOrigin_.y) % 8 + 8) % 8) * 8;
            int px = ((x0 - brushOrigin_.x) % 8 + 8) % 8;
            if (s == 1) {
                for (int x = x0; x < x1; ++x, px = (px + 1) & 7) row[x] = prow[px];
            } else {
                for (int x = x0; x < x1; ++x, px = (px + 1) & 7) std::fill_n(row + x * s, s, prow[px]);
            }
        }
    }
}

void Canvas::fillDeviceBlock(int x, int y, std::uint32_t pixel) {
    const int s = scale_;
    for (int sub = 0; sub < s; ++sub)
        std::fill_n(bitmap_->data() + static_cast<size_t>(y * s + sub) * bitmap_->width() + x * s, s, pixel);
}

void Canvas::fillRect(const Rect& r, const Brush& b) {
    if (b.isNull() || r.isEmpty()) return;
    Rect d = r.translated(origin_).intersected(deviceBounds());
    if (d.isEmpty()) return;
    for (const Rect& c : clip_.rects()) {
        Rect part = d.intersected(c);
        for (int y = part.top; y < part.bottom; ++y) fillDeviceSpan(y, part.left, part.right, b);
    }
}

void Canvas::fillRegion(const Region& r, const Brush& b) {
    for (const Rect& part : r.rects()) fillRect(part, b);
}

void Canvas::frameRect(const Rect& r, const Brush& b) {
    if (r.isEmpty()) return;
    fillRect({r.left, r.top, r.right, r.top + 1}, b);
    if (r.height() > 1) fillRect({r.left, r.bottom - 1, r.right, r.bottom}, b);
    if (r.height() > 2) {
        fillRect({r.left, r.top + 1, r.left + 1, r.bottom - 1}, b);
        if (r.width() > 1) fillRect({r.right - 1, r.top + 1, r.right, r.bottom - 1}, b);
    }
}

void Canvas::rectangle(const Rect& r) {
    if (r.isEmpty()) return;
    if (penColor_ == clNone) {
        fillRect(r, brush_);
        return;
    }
    fillRect(r.inflated(-1, -1), brush_);
    frameRect(r, Brush(penColor_));
}

void Canvas::invertRect(const Rect& r) {
    Rect d = r.translated(origin_).intersected(deviceBounds());
    const int s = scale_;
    for (const Rect& c : clip_.rects()) {
        Rect part = d.intersected(c);
        for (int y = part.top * s; y < part.bottom * s; ++y) {
            auto row = bitmap_->row(y);
            for (int x = part.left * s; x < part.right * s; ++x) {
                std::uint32_t p = colorToPixel(pixelToColor(row[static_cast<size_t>(x)]));
                row[static_cast<size_t>(x)] = p ^ 0x00FFFFFFu;
            }
        }
    }
}

// --- lines ---------------------------------------------------------------------------------------

void Canvas::plot(int dx, int dy, std::uint32_t pixel) {
    if (!deviceBounds().contains({dx, dy}) || !clip_.contains({dx, dy})) return;
    if (scale_ == 1) bitmap_->data()[static_cast<size_t>(dy) * bitmap_->width() + dx] = pixel;
    else fillDeviceBlock(dx, dy, pixel);
}

// The platform's Bresenham: the minor coordinate steps when the error term (with a bias of one
// in octants 3, 5, 6 and 8, which decides ties the same way whichever end the line starts
// from) turns positive; the end point is not drawn.
void Canvas::deviceLine(Point from, Point to, std::uint32_t pixel) {
    // Coordinates far outside any bitmap are refused rather than overflowing the arithmetic.
    constexpr int kLimit = 1 << 24;
    if (std::abs(from.x) > kLimit || std::abs(from.y) > kLimit || std::abs(to.x) > kLimit || std::abs(to.y) > kLimit)
        return;
    int dx = to.x - from.x, dy = to.y - from.y;
    int adx = std::abs(dx), ady = std::abs(dy);
    if (adx == 0 && ady == 0) return;
    int octant;
    if (dy > 0) {
        if (dx > 0) octant = dx > dy ? 1 : 2;
        else octant = -dx > dy ? 4 : 3;
    } else {
        if (dx < 0) octant = -dx > -dy ? 5 : 6;
        else octant = dx > -dy ? 8 : 7;
    }
    bool xMajor = octant == 1 || octant == 4 || octant == 5 || octant == 8;
    int bias = (octant == 3 || octant == 5 || octant == 6 || octant == 8) ? 1 : 0;
    const long long major = xMajor ? adx : ady, minor = xMajor ? ady : adx;
    int xInc = dx > 0 ? 1 : -1, yInc = dy > 0 ? 1 : -1;
    long long err = 2 * minor - major;
    Point p = from;
    if (ady == 0 || adx == 0) {
        // Straight lines: one span per clip rectangle.
        for (long long i = 0; i < major; ++i) {
            plot(p.x, p.y, pixel);
            if (xMajor) p.x += xInc;
            else p.y += yInc;
        }
        return;
    }
    for (long long i = 0; i < major; ++i) {
        plot(p.x, p.y, pixel);
        if (err + bias > 0) {
            if (xMajor) p.y += yInc;
            else p.x += xInc;
            err += 2 * minor - 2 * major;
        } else {
            err += 2 * minor;
        }
        if (xMajor) p.x += xInc;
        else p.y += yInc;
    }
}

void Canvas::lineTo(int x, int y) {
    if (penColor_ != clNone) deviceLine(penPos_ + origin_, Point{x, y} + origin_, colorToPixel(penColor_));
    penPos_ = {x, y};
}

void Canvas::polyline(std::span<const Point> points) {
    if (points.size() < 2 || penColor_ == clNone) return;
    std::uint32_t px = colorToPixel(penColor_);
    for (size_t i = 1; i < points.size(); ++i) deviceLine(points[i - 1] + origin_, points[i] + origin_, px);
}

void Canvas::polygon(std::span<const Point> points) {
    if (points.size() < 2) return;
    if (!brush_.isNull() && points.size() >= 3) {
        int minY = points[0].y, maxY = points[0].y;
        for (const Point& p : points) {
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
        struct Crossing {
            double x;
            int dir;
        };
        std::vector<Crossing> xs;
        Rect bounds = deviceBounds();
        for (int y = std::max(minY + origin_.y, bounds.top) - origin_.y;
             y < std::min(maxY + origin_.y, bounds.bottom) - origin_.y; ++y) {
            // Pixels sit on the integer points (as lines draw them); a pixel is filled when its
            // point lies inside, left and top edges included, right and bottom ones not.
            double yc = y;
            xs.clear();
            for (size_t i = 0; i < points.size(); ++i) {
                Point a = points[i], b = points[(i + 1) % points.size()];
                if (a.y == b.y) continue;
                int lo = std::min(a.y, b.y), hi = std::max(a.y, b.y);
                if (yc < lo || yc >= hi) continue;
                double x = a.x + (yc - a.y) * (b.x - a.x) / (b.y - a.y);
                xs.push_back({x, b.y > a.y ? 1 : -1});
            }
            std::sort(xs.begin(), xs.end(), [](const Crossing& l, const Crossing& r) { return l.x < r.x; });
            int winding = 0;
            for (size_t i = 0; i + 1 < xs.size(); ++i) {
                winding += xs[i].dir;
                bool inside = fillRule_ == FillRule::EvenOdd ? (i % 2 == 0) : winding != 0;
                if (!inside) continue;
                int x0 = static_cast<int>(std::ceil(xs[i].x));
                int x1 = static_cast<int>(std::ceil(xs[i + 1].x));
                if (x1 > x0) fillRect({x0, y, x1, y + 1}, brush_);
            }
        }
    }
    if (penColor_ != clNone) {
        std::uint32_t px = colorToPixel(penColor_);
        for (size_t i = 0; i < points.size(); ++i)
            deviceLine(points[i] + origin_, points[(i + 1) % points.size()] + origin_, px);
    }
}

void Canvas::filledTriangle(Point a, Point b, Point c, Color color) {
    Color pen = penColor_;
    Brush brush = brush_;
    penColor_ = color;
    brush_ = Brush(color);
    const Point pts[3] = {a, b, c};
    polygon(pts);
    penColor_ = pen;
    brush_ = brush;
}

// --- 3D edges ------------------------------------------------------------------------------------

Rect Canvas::drawEdge(const Rect& rc, unsigned edge, unsigned flags) {
    int outerBits = static_cast<int>(edge & BDR_OUTER);
    int innerBits = static_cast<int>((edge & BDR_INNER) >> 2);
    bool hasOuter = outerBits == 1 || outerBits == 2;  // raised and sunken together mean neither
    bool hasInner = innerBits == 1 || innerBits == 2;

    // Colours by layer: [raised, sunken] x [top-left, bottom-right].
    struct Pair {
        Color lt, rb;
    };
    Pair outer{clNone, clNone}, inner{clNone, clNone};
    if (flags & BF_MONO) {
        if (hasOuter) outer = {clWindowFrame, clWindowFrame};
        if (hasInner) inner = {clWindow, clWindow};
    } else if (flags & BF_FLAT) {
        if (hasOuter) outer = {clBtnShadow, clBtnShadow};
        if (hasInner) inner = {clBtnFace, clBtnFace};
    } else if (flags & BF_SOFT) {
        if (hasOuter) outer = outerBits == 1 ? Pair{clBtnHighlight, cl3DDkShadow} : Pair{cl3DDkShadow, clBtnHighlight};
        if (hasInner) inner = innerBits == 1 ? Pair{cl3DLight, clBtnShadow} : Pair{clBtnShadow, cl3DLight};
    } else {
        if (hasOuter) outer = outerBits == 1 ? Pair{cl3DLight, cl3DDkShadow} : Pair{clBtnShadow, clBtnHighlight};
        if (hasInner) inner = innerBits == 1 ? Pair{clBtnHighlight, clBtnShadow} : Pair{cl3DDkShadow, cl3DLight};
    }
    // A single layer is drawn on the outermost pixels.
    if (!hasOuter && hasInner) {
        outer = inner;
        inner = {clNone, clNone};
    }

    const Rect r = rc;
    int ltPlus = (flags & BF_TOPLEFT) == BF_TOPLEFT ? 1 : 0;
    int rtPlus = (flags & BF_TOPRIGHT) == BF_TOPRIGHT ? 1 : 0;
    int lbPlus = (flags & BF_BOTTOMLEFT) == BF_BOTTOMLEFT ? 1 : 0;
    int rbPlus = (flags & BF_BOTTOMRIGHT) == BF_BOTTOMRIGHT ? 1 : 0;
    Color savedPen = penColor_;
    Point savedPos = penPos_;
    auto line = [&](Color c, int x0, int y0, int x1, int y1) {
        if (c == clNone) return;
        penColor_ = c;
        moveTo(x0, y0);
        lineTo(x1, y1);
    };
    // Order matters for the corners: bottom-left and top-right take the bottom-right colour.
    if (flags & BF_TOP) line(outer.lt, r.left, r.top, r.right, r.top);
    if (flags & BF_LEFT) line(outer.lt, r.left, r.top, r.left, r.bottom);
    if (flags & BF_BOTTOM) line(outer.rb, r.left, r.bottom - 1, r.right, r.bottom - 1);
    if (flags & BF_RIGHT) line(outer.rb, r.right - 1, r.top, r.right - 1, r.bottom);

    if (flags & BF_TOP) line(inner.lt, r.left + ltPlus, r.top + 1, r.right - rtPlus, r.top + 1);
    if (flags & BF_LEFT) line(inner.lt, r.left + 1, r.top + ltPlus, r.left + 1, r.bottom - lbPlus);
    if (flags & BF_BOTTOM) line(inner.rb, r.left + lbPlus, r.bottom - 2, r.right - rbPlus, r.bottom - 2);
    if (flags & BF_RIGHT) line(inner.rb, r.right - 2, r.top + rtPlus, r.right - 2, r.bottom - rbPlus);
    penColor_ = savedPen;
    penPos_ = savedPos;

    int width = (hasOuter ? 1 : 0) + (hasInner ? 1 : 0);
    Rect in = r;
    if (flags & BF_LEFT) in.left += width;
    if (flags & BF_TOP) in.top += width;
    if (flags & BF_RIGHT) in.right -= width;
    if (flags & BF_BOTTOM) in.bottom -= width;
    if (flags & BF_MIDDLE) fillRect(in, Brush((flags & BF_MONO) ? clWindow : clBtnFace));
    return in;
}

// --- pixels ----------------------------------------------------------------------------------------

Color Canvas::pixel(int x, int y) const { return bitmap_->colorAt((x + origin_.x) * scale_, (y + origin_.y) * scale_); }

void Canvas::setPixel(int x, int y, Color c) { plot(x + origin_.x, y + origin_.y, colorToPixel(c)); }

std::uint32_t Canvas::rawPixel(int x, int y) const {
    return bitmap_->pixel((x + origin_.x) * scale_, (y + origin_.y) * scale_);
}

void Canvas::setRawPixel(int x, int y, std::uint32_t argb) { plot(x + origin_.x, y + origin_.y, argb); }

// --- block copies --------------------------------------------------------------------------------

namespace {

enum class CopyMode { Copy, Blend, Transparent, Masked };

}  // namespace

// Walks the destination's bitmap pixels and reads, for each, the source pixel nearest to the
// same place in logical terms, so a canvas-resolution picture is enlarged by whole pixels on a
// scaled canvas and a source of the canvas's own resolution is copied one to one.
void Canvas::copyFrom(const Rect& destRect, const Bitmap& srcIn, int sourceScale, const Rect& srcRect, int modeValue,
                      std::uint32_t key, const Mask* mask) {
    if (destRect.width() == 0 || destRect.height() == 0 || srcRect.width() == 0 || srcRect.height() == 0) return;
    const auto mode = static_cast<CopyMode>(modeValue);
    const int s = scale_, ss = std::max(1, sourceScale);
    // A copy within one bitmap reads from a snapshot so that overlapping areas come out right.
    Bitmap snapshot;
    const Bitmap* src = &srcIn;
    if (&srcIn == bitmap_) {
        snapshot = srcIn;
        src = &snapshot;
    }
    Bitmap& dst = *bitmap_;
    bool mirrorX = (destRect.width() < 0) != (srcRect.width() < 0);
    bool mirrorY = (destRect.height() < 0) != (srcRect.height() < 0);
    Rect d = destRect.normalized();
    Rect sr = srcRect.normalized();
    Rect dev = d.translated(origin_).intersected(deviceBounds());
    // Bitmap-pixel extents of both rectangles.
    const long long dw = static_cast<long long>(d.width()) * s, dh = static_cast<long long>(d.height()) * s;
    const long long sw = static_cast<long long>(sr.width()) * ss, sh = static_cast<long long>(sr.height()) * ss;
    const long long sx0 = static_cast<long long>(sr.left) * ss, sy0 = static_cast<long long>(sr.top) * ss;
    const long long dx0 = static_cast<long long>(origin_.x + d.left) * s,
                    dy0 = static_cast<long long>(origin_.y + d.top) * s;
    for (const Rect& c : clip_.rects()) {
        Rect part = dev.intersected(c);
        for (int y = part.top * s; y < part.bottom * s; ++y) {
            long long ry = y - dy0;
            if (mirrorY) ry = dh - 1 - ry;
            long long sy = sy0 + ry * sh / dh;
            if (sy < 0 || sy >= src->height()) continue;
            std::uint32_t* drow = dst.data() + static_cast<size_t>(y) * dst.width();
            const std::uint32_t* srow = src->data() + static_cast<size_t>(sy) * src->width();
            for (int x = part.left * s; x < part.right * s; ++x) {
                long long rx = x - dx0;
                if (mirrorX) rx = dw - 1 - rx;
                long long sx = sx0 + rx * sw / dw;
                if (sx < 0 || sx >= src->width()) continue;
                std::uint32_t p = srow[sx];
                switch (mode) {
                case CopyMode::Copy: drow[x] = p; break;
                case CopyMode::Blend: drow[x] = blendOver(drow[x], p); break;
                case CopyMode::Transparent:
                    if (!sameRGB(p, key)) drow[x] = p;
                    break;
                case CopyMode::Masked:
                    if (mask->test(static_cast<int>(sx / ss), static_cast<int>(sy / ss))) drow[x] = p;
                    break;
                }
            }
        }
    }
}

void Canvas::copyRect(const Rect& destRect, const Bitmap& src, const Rect& srcRect, int sourceScale) {
    copyFrom(destRect, src, sourceScale, srcRect, static_cast<int>(CopyMode::Copy), 0, nullptr);
}

void Canvas::copyRect(const Rect& destRect, const Canvas& src, const Rect& srcRect) {
    copyFrom(destRect, *src.bitmap_, src.scale_, srcRect.translated(src.origin_), static_cast<int>(CopyMode::Copy), 0,
             nullptr);
}

void Canvas::draw(int x, int y, const Bitmap& src, int opacity) {
    opacity = std::clamp(opacity, 0, 255);
    if (opacity == 0) return;
    const int blend = static_cast<int>(CopyMode::Blend);
    if (opacity == 255) {
        copyFrom(Rect({x, y}, src.size()), src, 1, src.bounds(), blend, 0, nullptr);
        return;
    }
    // Premultiplied pixels scale as a whole by the opacity.
    Bitmap faded(src.width(), src.height());
    for (int y0 = 0; y0 < src.height(); ++y0) {
        auto in = src.row(y0);
        auto out = faded.row(y0);
        for (size_t i = 0; i < in.size(); ++i) {
            std::uint32_t p = in[i], q = 0;
            for (int shift = 0; shift < 32; shift += 8)
                q |= ((((p >> shift) & 0xFF) * static_cast<std::uint32_t>(opacity) + 127) / 255) << shift;
            out[i] = q;
        }
    }
    copyFrom(Rect({x, y}, src.size()), faded, 1, faded.bounds(), blend, 0, nullptr);
}

void Canvas::copyTransparent(const Rect& destRect, const Bitmap& src, const Rect& srcRect, Color transparent) {
    copyFrom(destRect, src, 1, srcRect, static_cast<int>(CopyMode::Transparent), colorToPixel(transparent), nullptr);
}

void Canvas::copyTransparent(const Rect& destRect, const Canvas& src, const Rect& srcRect, Color transparent) {
    copyFrom(destRect, *src.bitmap_, src.scale_, srcRect.translated(src.origin_),
             static_cast<int>(CopyMode::Transparent), colorToPixel(transparent), nullptr);
}

void Canvas::copyMasked(const Rect& destRect, const Bitmap& src, const Rect& srcRect, const Mask& mask) {
    copyFrom(destRect, src, 1, srcRect, static_cast<int>(CopyMode::Masked), 0, &mask);
}

void Canvas::drawMask(int x, int y, const Mask& mask, Color color) {
    std::uint32_t px = colorToPixel(color);
    Rect dev = Rect({x, y}, mask.size()).translated(origin_).intersected(deviceBounds());
    for (const Rect& c : clip_.rects()) {
        Rect part = dev.intersected(c);
        for (int dy = part.top; dy < part.bottom; ++dy)
            for (int dx = part.left; dx < part.right; ++dx)
                if (mask.test(dx - origin_.x - x, dy - origin_.y - y)) fillDeviceBlock(dx, dy, px);
    }
}

void Canvas::drawImage(const ImageList& images, int index, int x, int y, bool enabled) {
    images.draw(*this, x, y, index, enabled);
}

// --- cairo -----------------------------------------------------------------------------------------

cairo_t* Canvas::beginCairo() {
    cairo_surface_t* surface = bitmap_->surface();
    if (!surface) {
        // An empty bitmap: a context that draws nowhere.
        cairo_surface_t* dummy = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
        cairo_t* cr = cairo_create(dummy);
        cairo_surface_destroy(dummy);
        cairo_rectangle(cr, 0, 0, 0, 0);
        cairo_clip(cr);
        return cr;
    }
    cairo_t* cr = cairo_create(surface);
    const int s = scale_;
    for (const Rect& r : clip_.rects()) cairo_rectangle(cr, r.left * s, r.top * s, r.width() * s, r.height() * s);
    if (clip_.isEmpty()) cairo_rectangle(cr, 0, 0, 0, 0);
    cairo_clip(cr);
    // Callers draw in logical units; cairo renders them at the bitmap's resolution.
    cairo_scale(cr, s, s);
    cairo_translate(cr, origin_.x, origin_.y);
    return cr;
}

void Canvas::endCairo() {
    if (cairo_surface_t* s = bitmap_->surface()) cairo_surface_flush(s);
}

}  // namespace lindora
