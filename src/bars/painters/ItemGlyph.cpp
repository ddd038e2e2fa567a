#include "bars/painters/ItemGlyph.h"

#include "bars/painters/PainterColors.h"
#include "gfx/Bitmap.h"
#include "gfx/ImageList.h"

namespace lindora {

namespace {

// The glyph drawn over a cell of the image-list background colour, and the mask of its
// picture (every pixel that is not the cell's bottom-left colour). The mask is taken before
// any recolouring, so that a glyph pixel recoloured into the key colour stays visible.
struct GlyphCell {
    Bitmap pixels;
    Mask picture;
};

GlyphCell composeCell(const ItemGlyphParams& p, Size size, bool fromBitmap) {
    GlyphCell cell;
    if (fromBitmap) {
        cell.pixels = *p.bitmap;
    } else {
        cell.pixels = Bitmap(size.cx, size.cy, p.imageListBkColor);
        Canvas c(cell.pixels);
        p.images->draw(c, 0, 0, p.imageIndex, true);
    }
    const Color key = cell.pixels.colorAt(0, cell.pixels.height() - 1);
    cell.picture = Mask::fromTransparentColor(cell.pixels, key);
    return cell;
}

template <typename Fn>
void recolour(Bitmap& b, Fn fn) {
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x) b.setColor(x, y, fn(b.colorAt(x, y)));
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
    const Rect cellRect{{0, 0}, glyphSize};

    if (p.fadedDisabledColor != clNone || p.enabled) {
        GlyphCell cell = composeCell(p, glyphSize, fromBitmap);
        if (!p.enabled) {
            recolour(cell.pixels, [&](Color c) { return FadedGlyphPixel(c, p.fadedDisabledColor); });
        } else if (p.grayscale) {
            recolour(cell.pixels, [](Color c) {
                const int v = (c.red() + c.green() + c.blue()) / 3;
                return RGB(v, v, v);
            });
        }
        if (p.flatLook && !p.hot && !p.checked && !p.grayscale && !IsPaletteDisplay(p.bitsPerPixel))
            recolour(cell.pixels, [](Color c) { return LightenColor(c, 30); });
        if (p.flatLook && p.raisedWhenHot && p.hot && !p.pressed) {
            buffer.drawMask(at.x + 1, at.y + 1, cell.picture, clBtnShadow);
            buffer.copyMasked(Rect({at.x - 1, at.y - 1}, glyphSize), cell.pixels, cellRect, cell.picture);
        } else {
            buffer.copyMasked(Rect(at, glyphSize), cell.pixels, cellRect, cell.picture);
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
