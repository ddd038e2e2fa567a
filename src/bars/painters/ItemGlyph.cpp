#include "bars/painters/ItemGlyph.h"

#include "bars/painters/PainterColors.h"
#include "gfx/Bitmap.h"
#include "gfx/ImageList.h"

namespace lindora {

namespace {

// The glyph drawn over a cell of the image-list background colour; the cell's bottom-left
// pixel is the transparent key, and every pixel of another colour belongs to the picture. The
// mask is taken before any recolouring, so that recolouring can neither hide a glyph pixel nor
// show the cell's background. Picture pixels keep the glyph's own alpha: an edge that is
// partly transparent blends with the item's background, not with the key colour.
struct GlyphCell {
    Bitmap pixels;  // premultiplied; zero outside the picture
    Mask picture;
};

GlyphCell composeCell(const ItemGlyphParams& p, Size size, bool fromBitmap) {
    Bitmap source;
    Bitmap drawn(size.cx, size.cy, p.imageListBkColor);
    Canvas c(drawn);
    if (fromBitmap) {
        source = *p.bitmap;
        c.draw(0, 0, source);
    } else {
        p.images->draw(c, 0, 0, p.imageIndex, true);
        const bool valid = p.imageIndex >= 0 && p.imageIndex < p.images->count();
        // A list with a background colour of its own draws opaque cells.
        source = valid && p.images->bkColor() == clNone ? p.images->image(p.imageIndex) : drawn;
    }
    const Color key = drawn.colorAt(0, drawn.height() - 1);
    GlyphCell cell{Bitmap(size.cx, size.cy), Mask::fromTransparentColor(drawn, key)};
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x)
            if (cell.picture.test(x, y)) {
                const std::uint32_t px = source.pixel(x, y);
                cell.pixels.setPixel(x, y, (px >> 24) == 0 ? drawn.pixel(x, y) : px);
            }
    return cell;
}

// Recolours the picture's pixels, keeping each one's alpha.
template <typename Fn>
void recolour(GlyphCell& cell, Fn fn) {
    Bitmap& b = cell.pixels;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x) {
            if (!cell.picture.test(x, y)) continue;
            const std::uint32_t a = b.pixel(x, y) >> 24;
            const Color c = fn(b.colorAt(x, y));
            auto pre = [a](int v) { return (static_cast<std::uint32_t>(v) * a + 127) / 255; };
            b.setPixel(x, y, (a << 24) | (pre(c.red()) << 16) | (pre(c.green()) << 8) | pre(c.blue()));
        }
}

// The one-bit silhouette of a disabled glyph: the image drawn on white (white parts of the
// image are background), or a bitmap's pixels other than its bottom-left colour.
Mask silhouette(const ItemGlyphParams& p, Size size, bool fromBitmap) {
    if (fromBitmap) {
        const Bitmap& b = *p.bitmap;
        return Mask::fromTransparentColor(b, b.colorAt(0, b.height() - 1));
    }
    Bitmap onWhite(size.cx, size.cy, clWhite);
    Canvas c(onWhite);
    p.images->draw(c, 0, 0, p.imageIndex, true);
    return Mask::fromMonochrome(onWhite);
}

}  // namespace

Color FadedGlyphPixel(Color pixel, Color faded) {
    const Color px = colorToRGB(pixel), f = colorToRGB(faded);
    // Blue carries the weight 77 and red 28: the luminance of the platform's BGR pixel order.
    const int l = (77 * px.blue() + 151 * px.green() + 28 * px.red()) >> 8;
    const int t = ((192 * l + 16320) >> 8) * 64;
    return RGB((192 * f.red() + t) >> 8, (192 * f.green() + t) >> 8, (192 * f.blue() + t) >> 8);
}

void DrawItemGlyph(Canvas& canvas, const ItemGlyphParams& p) {
    const Rect item = p.itemRect;
    if (item.isEmpty()) return;
    const bool fromBitmap = p.bitmap && !p.bitmap->isEmpty();
    if (!fromBitmap && !p.images) return;
    const Size glyphSize = fromBitmap ? p.bitmap->size() : p.images->imageSize();

    // 1. The buffer: what the canvas shows, or the background brush in the canvas's phase.
    Canvas buffer(item.width(), item.height());
    if (p.keepBackground) {
        buffer.copyRect({0, 0, item.width(), item.height()}, canvas, item);
    } else {
        const Point device = item.topLeft() + canvas.origin();
        buffer.setBrushOrigin(canvas.brushOrigin() - device);
        buffer.fillRect({0, 0, item.width(), item.height()}, p.background);
    }
    const Point at = p.glyphRect.topLeft() - item.topLeft();

    if (p.fadedDisabledColor != clNone || p.enabled) {
        GlyphCell cell = composeCell(p, glyphSize, fromBitmap);
        if (!p.enabled) {
            recolour(cell, [&](Color c) { return FadedGlyphPixel(c, p.fadedDisabledColor); });
        } else if (p.grayscale) {
            recolour(cell, [](Color c) {
                const int v = (c.red() + c.green() + c.blue()) / 3;
                return RGB(v, v, v);
            });
        }
        if (p.flatLook && !p.hot && !p.checked && !p.grayscale && !IsPaletteDisplay(p.bitsPerPixel))
            recolour(cell, [](Color c) { return LightenColor(c, 30); });
        if (p.flatLook && p.raisedWhenHot && p.hot && !p.pressed) {
            buffer.drawMask(at.x + 1, at.y + 1, cell.picture, clBtnShadow);
            buffer.draw(at.x - 1, at.y - 1, cell.pixels);
        } else {
            buffer.draw(at.x, at.y, cell.pixels);
        }
    } else {
        const Mask shape = silhouette(p, glyphSize, fromBitmap);
        if (!p.flatLook) buffer.drawMask(at.x + 1, at.y + 1, shape, clBtnHighlight);
        buffer.drawMask(at.x, at.y, shape, clBtnShadow);
    }

    // 5. One copy to the canvas.
    canvas.copyRect(item, buffer.bitmap(), {0, 0, item.width(), item.height()});
}

}  // namespace lindora
