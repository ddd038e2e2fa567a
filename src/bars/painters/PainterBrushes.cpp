#include "bars/painters/PainterBrushes.h"

#include "bars/painters/PainterColors.h"

namespace lindora {

FlatColors FlatColors::fromSystemColors(int bpp) {
    const Color shadow = colorToRGB(clBtnShadow);
    const Color face = colorToRGB(clBtnFace);
    auto scaled = [](int v) { return MulDivRound(v, 8, 10); };
    FlatColors c;
    c.frame = NearestDisplayColor(RGB(scaled(shadow.red()), scaled(shadow.green()), scaled(shadow.blue())), bpp);
    c.toolbarBackground = NearestDisplayColor(LightenColor(face, 16), bpp);
    c.checked = NearestDisplayColor(SystemTintColor(11, 9, 73), bpp);
    c.checkedHot = NearestDisplayColor(SystemTintColor(14, 44, 40), bpp);
    c.hot = NearestDisplayColor(SystemTintColor(-2, 30, 72), bpp);
    return c;
}

PainterBrushes::PainterBrushes() : PainterBrushes(DisplayBitsPerPixel()) {}

PainterBrushes::PainterBrushes(int bitsPerPixel) { rebuild(bitsPerPixel); }

void PainterBrushes::rebuild() { rebuild(DisplayBitsPerPixel()); }

void PainterBrushes::rebuild(int bitsPerPixel) {
    generation_ = SystemColors::generation();
    colors_ = FlatColors::fromSystemColors(bitsPerPixel);
    frame_ = Brush(colors_.frame);
    toolbarBackground_ = Brush(colors_.toolbarBackground);
    checked_ = Brush(colors_.checked);
    checkedHot_ = Brush(colors_.checkedHot);
    hot_ = Brush(colors_.hot);
    checker_ = Brush::checker(clBtnFace, clBtnHighlight);
}

bool PainterBrushes::stale() const { return generation_ != SystemColors::generation(); }

const Brush& FlatStateBrush(const PainterBrushes& b, const FlatItemState& s, const Brush& barBackground) {
    if (s.hot && (s.pressed || s.checked)) return s.checked && s.barForHotChecked ? barBackground : b.flatCheckedHot();
    if (s.hot) return b.flatHot();
    if (s.checked) return b.flatChecked();
    if (s.inSubmenu && !s.ownBackground) return b.flatToolbarBackground();
    return barBackground;
}

Color FlatSelectionFrameColor() { return IsBlackButtonFace() ? clHighlightText : clHighlight; }

Color FadedDisabledGlyphColor(bool makeDisabledImagesFaded) {
    return makeDisabledImagesFaded ? MixColors(clBtnShadow, clWhite, 70) : clNone;
}

}  // namespace lindora
