#pragma once
// Small shapes the painters share: check marks, arrows and separators, each pixel-exact.
#include "gfx/Brush.h"
#include "gfx/Canvas.h"
#include "gfx/Color.h"
#include "gfx/Font.h"
#include "gfx/Geometry.h"

namespace lindora {

// --- check marks -------------------------------------------------------------------------------
// The mark's scale: 1 for a font smaller than 16 points, else 2.
int CheckMarkScale(const Font& font);
// The mark's origin (x, y) when centred in a rectangle: top = (top + bottom - 7s) / 2,
// left = (left + right - 9s) / 2.
Point CheckMarkOrigin(const Rect& r, int scale);
// The polyline (x + s, y + 2s) - (x + 3s, y + 4s) - (x + 8s, y - s), drawn on the rows y, y + 1
// and y + 2, end points not drawn.
void DrawCheckMark(Canvas& canvas, Point origin, int scale, Color color);
// The flat look's pen: enabled black, but white when the button face is white, or black with a
// button text that is not white; disabled clBtnShadow.
Color FlatCheckMarkColor(bool enabled);
// The classic look's mark: enabled, its three rows in clSilver, black and white (black face:
// the last two swapped) closed by two short lines in the last row's colour; disabled, the rows
// in clBtnShadow with clBtnHighlight lines below them.
void DrawStandardCheckMark(Canvas& canvas, Point origin, int scale, bool enabled);

// --- arrows ------------------------------------------------------------------------------------
enum class ArrowDirection { Left, Up, Right, Down };

// An arrow of size n is a filled triangle n pixels long in its direction, with a base of
// 2n - 1 pixels and a tip of one pixel; each row (or column) is two pixels shorter than the
// one behind it. Sizes below 1 draw nothing.
Rect ArrowBounds(Point topLeft, ArrowDirection direction, int size);
// The arrow with the top-left of its bounds at a point.
void DrawArrow(Canvas& canvas, Point topLeft, ArrowDirection direction, int size, Color color);
// The arrow centred in a rectangle (integer halves).
void DrawArrow(Canvas& canvas, const Rect& area, ArrowDirection direction, int size, Color color);
// A drop-down part's arrow: (the rectangle's smaller extent - 8) / 2, at least 3.
int DropDownArrowSize(const Rect& area);
// The down arrow of that size centred in the rectangle.
void DrawDropDownArrow(Canvas& canvas, const Rect& area, Color color);
// A submenu scroll arrow's size from the item height: half-width item height / 3 - 2, so the
// arrow is that plus one long.
int SubmenuScrollArrowSize(int itemHeight);

// --- separators --------------------------------------------------------------------------------
// A toolbar separator filling r with the bar background, then one clBtnShadow line `margin`
// pixels in: horizontal (across a vertical bar, or between rows) or vertical. The classic
// look adds a clBtnHighlight line right after it (etched).
void DrawToolbarSeparator(Canvas& canvas, const Rect& r, bool horizontalLine, const Brush& barBackground, int margin,
                          bool etched);
// The separator thickness and margin of a toolbar: flat 5 and (5 - 1) / 2; classic 6 and
// (6 - 2) / 2.
int SeparatorThickness(bool flat);
int SeparatorMargin(int thickness, bool flat);
// A separator line between item groups of a flat submenu: the band part of r in the band
// brush, the rest in the menu background, and a one-pixel clBtnShadow line at the vertical
// centre from `textOffset` pixels right of the band to the right edge.
void DrawFlatSubmenuSeparator(Canvas& canvas, const Rect& r, int bandWidth, const Brush& band,
                              const Brush& menuBackground, int textOffset);

}  // namespace lindora
