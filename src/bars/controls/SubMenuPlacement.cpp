#include "bars/controls/SubMenuPlacement.h"

namespace lindora {

SubMenuPlacement PlaceSubMenu(const SubMenuPlacementRequest& q) {
    const Rect& wa = q.workArea;
    int left = q.topLeft.x, top = q.topLeft.y;
    const int w = q.size.cx;
    int h = q.size.cy;
    SubMenuPlacement out;
    out.cutFrom = h;

    if (left + w > wa.right) {
        if (q.ownerWidth == 0) left = wa.right - w;
        else if (wa.right - left < left - q.ownerWidth - wa.left) {
            left = left - q.ownerWidth - w;
            out.flippedLeft = true;
        }
    }
    if (left < wa.left && q.ownerWidth == 0) left = wa.left;
    if (left + w > wa.right) left = wa.right - w;
    if (left < wa.left) left = wa.left;

    if (top + h > wa.bottom) {
        if (q.ownerHeight > 0) {
            const int below = wa.bottom - top;
            const int above = top - q.ownerHeight - wa.top;
            if (below < above) {
                top = top - q.ownerHeight - h;
                out.flippedUp = true;
            } else h = below;
        } else if (q.ownerWidth == 0 && top - h >= wa.top) top -= h;  // a popup at a point opens upward
        else top = wa.bottom - h;
    }
    if (top < wa.top) {
        // A menu flipped above its owner keeps its bottom at the owner and loses the overflow.
        if (out.flippedUp) h -= wa.top - top;
        top = wa.top;
        if (top + h > wa.bottom) h = wa.bottom - top;
    }
    out.bounds = Rect::fromSize(left, top, w, h);
    return out;
}

}  // namespace lindora
