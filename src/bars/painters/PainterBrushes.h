#pragma once
// The brushes a bar manager keeps for its painters: the five flat-look colours and the checker
// pattern. They are derived from the system colours and the display depth, so the owner
// rebuilds them on every system colour change (stale() tells when that is due).
#include "gfx/Brush.h"
#include "gfx/Color.h"

namespace lindora {

// The flat look's colours, each through NearestDisplayColor:
//   frame               clBtnShadow with each channel x 8 / 10 (rounded)
//   toolbar background  clBtnFace with each channel v raised to v + (255 - v) x 16 / 100
//   checked             SystemTintColor(11, 9, 73)
//   checked and hot     SystemTintColor(14, 44, 40)
//   hot (selected)      SystemTintColor(-2, 30, 72)
struct FlatColors {
    Color frame;
    Color toolbarBackground;
    Color checked;
    Color checkedHot;
    Color hot;

    static FlatColors fromSystemColors(int bitsPerPixel);
    bool operator==(const FlatColors&) const = default;
};

class PainterBrushes {
public:
    // Built from the current system colours and the display's depth.
    PainterBrushes();
    explicit PainterBrushes(int bitsPerPixel);

    // Re-derives every brush (the old ones are released).
    void rebuild();
    void rebuild(int bitsPerPixel);
    // The system colours changed since the last build.
    bool stale() const;

    const FlatColors& flatColors() const { return colors_; }
    const Brush& flatFrame() const { return frame_; }
    const Brush& flatToolbarBackground() const { return toolbarBackground_; }
    const Brush& flatChecked() const { return checked_; }
    const Brush& flatCheckedHot() const { return checkedHot_; }
    const Brush& flatHot() const { return hot_; }
    // 8 x 8, clBtnHighlight with clBtnFace where row and column have the same parity.
    const Brush& checker() const { return checker_; }

private:
    FlatColors colors_;
    Brush frame_, toolbarBackground_, checked_, checkedHot_, hot_, checker_;
    unsigned generation_ = 0;
};

// Background of an item by its state in the flat look: hot and pressed or checked → checked and
// hot (or the bar's own background when the caller asks so with barForHotChecked); hot → hot;
// checked → checked; otherwise the bar control's background, except in a submenu without an
// own background, where it is the flat toolbar background (the glyph band's colour).
struct FlatItemState {
    bool hot = false;
    bool pressed = false;
    bool checked = false;
    bool inSubmenu = false;
    bool ownBackground = false;
    bool barForHotChecked = false;
};
const Brush& FlatStateBrush(const PainterBrushes& brushes, const FlatItemState& state, const Brush& barBackground);

// The flat selection frame's colour: clHighlight, or clHighlightText on a black button face.
Color FlatSelectionFrameColor();

// The root painter's tint for faded disabled glyphs: MixColors(clBtnShadow, white, 70) when
// disabled images are made faded, else clNone (the silhouette).
Color FadedDisabledGlyphColor(bool makeDisabledImagesFaded);

}  // namespace lindora
