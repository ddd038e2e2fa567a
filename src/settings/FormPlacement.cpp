#include "settings/FormPlacement.h"

namespace lindora {

std::string screenResText(Size screen) { return std::to_string(screen.cx) + "x" + std::to_string(screen.cy); }

Rect restoredBounds(const StoredPlacement& stored, Size screen, const Rect& current, bool centreOnScreen) {
    const int SW = screen.cx;
    const int SH = screen.cy;
    int X = current.left;
    int Y = current.top;
    int W = current.width();
    int H = current.height();

    if (stored.Left == -1 && stored.Top == -1 && stored.Width == -1 && stored.Height == -1) {
        if (centreOnScreen) {
            X = (SW - W) / 2;
            Y = (SH - H) / 2;
        } else {
            if (X + W > SW) X = SW - W;
            if (Y + H > SH) Y = SH - H;
            if (X < 0) X = 0;
            if (Y < 0) Y = 0;
        }
        return Rect::fromSize(X, Y, W, H);
    }

    int left = stored.Left;
    int top = stored.Top;
    // A size that was not stored is the form's own, not -1: otherwise a form that keeps only
    // its position would be pushed off the right edge on another screen.
    const int width = stored.Width != -1 ? stored.Width : W;
    const int height = stored.Height != -1 ? stored.Height : H;
    if (stored.ScreenRes != screenResText(screen)) {
        if (left != -1 && left + width > SW) left = SW - width;
        if (top != -1 && top + height > SH) top = SH - height;
    } else {
        if (left > SW - 20) left = SW - 20;
        if (top > SH - 20) top = SH - 20;
    }
    if (left < 0 && left != -1) left = 0;
    if (top < 0 && top != -1) top = 0;
    if (left != -1) X = left;
    if (top != -1) Y = top;
    if (stored.Width != -1) W = stored.Width;
    if (stored.Height != -1) H = stored.Height;
    return Rect::fromSize(X, Y, W, H);
}

}  // namespace lindora
