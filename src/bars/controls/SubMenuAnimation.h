#pragma once
// How a submenu appears: unfolding (width and height grow together by 8 pixels a step, the
// longer side ahead by the difference), sliding (full width, the height grows by 17 pixels a
// step) or fading in over 150 ms. The window grows from the corner its placement anchors: the
// right edge when it opened on the owner's left, the bottom edge when it opened above; the
// menu's picture moves with the growing edge. One step per 16 ms tick of the window layer.
#include "bars/model/BarTypes.h"
#include "gfx/Geometry.h"

namespace lindora {

class SubMenuAnimation {
public:
    static constexpr int kTick = 16;
    static constexpr int kUnfoldStep = 8;
    static constexpr int kSlideStep = 17;
    static constexpr int kFadeDuration = 150;

    // The kind for one showing: maRandom draws one (below 33 unfold, below 66 slide, else fade)
    // from `percent` (0..99).
    static BarMenuAnimations chooseKind(BarMenuAnimations setting, int percent);

    SubMenuAnimation(BarMenuAnimations kind, const Rect& bounds, bool fromRight, bool fromBottom);

    BarMenuAnimations kind() const { return kind_; }
    // Steps up to the full bounds (the last one shows them).
    int steps() const;
    // The window's bounds at a step (1 .. steps()).
    Rect boundsAt(int step) const;
    // The part of the menu's picture shown at a step (menu client coordinates).
    Rect pictureAt(int step) const;
    // The window's opacity at a step of a fade.
    int alphaAt(int step) const;

private:
    Size sizeAt(int step) const;

    BarMenuAnimations kind_;
    Rect bounds_;
    bool fromRight_;
    bool fromBottom_;
};

}  // namespace lindora
