#include "bars/painters/SubmenuParts.h"

#include <algorithm>

#include "bars/painters/PainterShapes.h"

namespace lindora {

FlatSubmenuItemLayout DrawFlatSubmenuItemBackground(Canvas& canvas, const Rect& item, bool selected,
                                                    const FlatSubmenuBrushes& b) {
    if (selected) {
        canvas.frameRect(item, Brush(b.selectionFrame));
    } else {
        // Erase a former selection frame: the band's colour where the ring crosses the band.
        const int bandRight = std::min(item.right, item.left + item.height() + 1);
        const int depth = canvas.saveClip();
        canvas.intersectClip(Rect{item.left, item.top, bandRight, item.bottom});
        canvas.frameRect(item, b.band);
        canvas.restoreClip(depth);
        canvas.saveClip();
        canvas.excludeClip(Rect{item.left, item.top, bandRight, item.bottom});
        canvas.frameRect(item, b.menuBackground);
        canvas.restoreClip(depth);
    }
    const Rect inner = item.inflated(-1, -1);
    FlatSubmenuItemLayout layout;
    layout.band = Rect(inner.topLeft(), Size{inner.height(), inner.height()});
    const Rect strip{layout.band.right, inner.top, std::min(inner.right, layout.band.right + 2), inner.bottom};
    canvas.fillRect(strip, selected ? b.hot : b.band);
    canvas.fillRect({strip.right, inner.top, inner.right, inner.bottom}, selected ? b.hot : b.menuBackground);
    // Never inverted on a narrow item: the canvas would normalise it into a place to draw.
    const int captionLeft = strip.right + 8;
    layout.caption = {captionLeft, inner.top, std::max(captionLeft, inner.right), inner.bottom};
    return layout;
}

void DrawMarkTriangle(Canvas& canvas, const Rect& mark, bool horizontal, bool narrow, Color color) {
    if (horizontal)
        DrawArrow(canvas, Point{mark.left + 3, mark.bottom - 7 + (narrow ? 1 : 0)}, ArrowDirection::Down, 3, color);
    else DrawArrow(canvas, Point{mark.left + 3, mark.top + 3}, ArrowDirection::Left, 3, color);
}

}  // namespace lindora
