#include "bars/painters/BarFrames.h"

namespace lindora {

void DrawTiledBackground(Canvas& canvas, const Rect& canvasRect, const Rect& planeRect, const Bitmap& tile) {
    const int w = tile.width(), h = tile.height();
    if (w <= 0 || h <= 0 || planeRect.isEmpty() || canvasRect.isEmpty()) return;
    // Tiles start at multiples of the size; floor division keeps that true left of the origin.
    auto floorDiv = [](int a, int b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); };
    const int depth = canvas.saveClip();
    canvas.intersectClip(canvasRect);
    for (int row = floorDiv(planeRect.top, h); row <= floorDiv(planeRect.bottom - 1, h); ++row)
        for (int column = floorDiv(planeRect.left, w); column <= floorDiv(planeRect.right - 1, w); ++column) {
            const Point at{w * column + canvasRect.left - planeRect.left, h * row + canvasRect.top - planeRect.top};
            canvas.copyRect(Rect(at, tile.size()), tile, tile.bounds());
        }
    canvas.restoreClip(depth);
}

Rect FlatGripRect(const Rect& bar, bool horizontal) {
    const Rect inner = bar.inflated(-2, -2);
    if (horizontal) {
        const int left = inner.left + FlatGripMetrics::GripOffset;
        return {left, inner.top + 3, left + FlatGripMetrics::GripWidth, inner.bottom - 3};
    }
    const int top = inner.top + FlatGripMetrics::GripOffset;
    return {inner.left + 3, top, inner.right - 3, top + FlatGripMetrics::GripWidth};
}

void DrawFlatDockedBarBorder(Canvas& canvas, const Rect& bar, bool horizontal, bool showGrip,
                             const Brush& barBackground) {
    const Brush face(clBtnFace);
    canvas.frameRect(bar, face);
    const Rect ring = bar.inflated(-1, -1);
    if (!ring.isEmpty()) {
        for (Point corner : {Point{ring.left, ring.top}, Point{ring.right - 1, ring.top},
                             Point{ring.left, ring.bottom - 1}, Point{ring.right - 1, ring.bottom - 1}})
            canvas.fillRect(Rect(corner, Size{1, 1}), face);
    }
    if (!showGrip) return;
    const Rect grip = FlatGripRect(bar, horizontal);
    if (grip.isEmpty()) return;
    const Brush shadow(clBtnShadow);
    if (horizontal) {
        for (int y = grip.top; y < grip.bottom; ++y)
            canvas.fillRect({grip.left, y, grip.right, y + 1}, (y - grip.top) % 2 == 0 ? shadow : barBackground);
    } else {
        for (int x = grip.left; x < grip.right; ++x)
            canvas.fillRect({x, grip.top, x + 1, grip.bottom}, (x - grip.left) % 2 == 0 ? shadow : barBackground);
    }
}

void DrawFlatFloatingBarBorder(Canvas& canvas, const Rect& bar, int borderWidth, const Brush& frame,
                               const Brush& barBackground) {
    Rect r = bar;
    for (int i = 0; i < borderWidth && !r.isEmpty(); ++i) {
        canvas.frameRect(r, i == 0 ? frame : i == 1 ? Brush(clBtnHighlight) : barBackground);
        r = r.inflated(-1, -1);
    }
}

}  // namespace lindora
