#pragma once
// Parts of submenus and bar marks drawn the same way by several painters.
#include "gfx/Brush.h"
#include "gfx/Canvas.h"
#include "gfx/Color.h"
#include "gfx/Geometry.h"

namespace lindora {

// The brushes of a flat submenu item.
struct FlatSubmenuBrushes {
    Brush band;            // the glyph band: the flat toolbar background
    Brush menuBackground;  // clWindow in the flat look
    Brush hot;             // the flat hot (selected) background
    Color selectionFrame = clHighlight;
};

// Where a flat submenu item's glyph (or check) and caption go.
struct FlatSubmenuItemLayout {
    Rect band;     // the square at the left of the inset item; its content is the glyph's
    Rect caption;  // from 8 pixels right of the two-pixel strip after the band
};

// Paints a flat submenu item's frame or erasing ring and its background around the glyph band:
// a selected item gets the selection frame; an unselected one a ring in the band colour over
// the band (item height + 1 wide) and the menu background elsewhere. Inside it, a two-pixel
// strip after the band and the rest of the item take the hot brush when selected, else the
// band and the menu background.
FlatSubmenuItemLayout DrawFlatSubmenuItemBackground(Canvas& canvas, const Rect& item, bool selected,
                                                    const FlatSubmenuBrushes& brushes);

// The small triangle of a bar's mark: on a horizontal bar pointing down with its top row from
// left + 3 to left + 7 at bottom - 7 (one pixel lower on a narrow bar); on a vertical bar
// pointing left with its tip at (left + 3, top + 5).
void DrawMarkTriangle(Canvas& canvas, const Rect& mark, bool horizontal, bool narrow, Color color);

}  // namespace lindora
