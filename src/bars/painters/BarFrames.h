#pragma once
// Bar frames and backgrounds the painters draw around and behind items: the flat look's docked
// border with its grip, its floating-bar border, and background bitmaps tiled from a plane
// anchored at the bar's or submenu's client origin.
#include "gfx/Bitmap.h"
#include "gfx/Brush.h"
#include "gfx/Canvas.h"
#include "gfx/Geometry.h"

namespace lindora {

// Tiles a bitmap over canvasRect. planeRect is the same area in the tiling plane; a tile of
// the bitmap's size lies at every multiple of its size there. Nothing is painted for an empty
// bitmap or an empty plane rectangle.
void DrawTiledBackground(Canvas& canvas, const Rect& canvasRect, const Rect& planeRect, const Bitmap& tile);

// The grip of a docked flat bar inside its border (bar = the bar's whole rectangle): two pixels
// in, after the grip offset along the bar's start, as wide as the grip, inset 3 pixels at both
// ends across the bar.
struct FlatGripMetrics {
    static constexpr int GripOffset = 1;
    static constexpr int GripWidth = 3;
    static constexpr int GripAreaSize = GripOffset + GripWidth + 2;
};
Rect FlatGripRect(const Rect& bar, bool horizontal);

// A docked flat bar's border: the outer ring in clBtnFace, the four corner pixels one in too
// (rounded corners), and with a grip, the grip rectangle filled with one-pixel lines along the
// bar, alternating clBtnShadow (first) and the bar background.
void DrawFlatDockedBarBorder(Canvas& canvas, const Rect& bar, bool horizontal, bool showGrip,
                             const Brush& barBackground);

// A floating flat bar's border: a ring in the flat frame colour, one in clBtnHighlight, and the
// rest of the border width in the bar background.
void DrawFlatFloatingBarBorder(Canvas& canvas, const Rect& bar, int borderWidth, const Brush& frame,
                               const Brush& barBackground);

}  // namespace lindora
