#include "bars/controls/SubMenuAnimation.h"

#include <algorithm>

namespace lindora {

BarMenuAnimations SubMenuAnimation::chooseKind(BarMenuAnimations setting, int percent) {
    if (setting != maRandom) return setting;
    if (percent < 33) return maUnfold;
    if (percent < 66) return maSlide;
    return maFade;
}

SubMenuAnimation::SubMenuAnimation(BarMenuAnimations kind, const Rect& bounds, bool fromRight, bool fromBottom)
    : kind_(kind), bounds_(bounds), fromRight_(fromRight), fromBottom_(fromBottom) {}

int SubMenuAnimation::steps() const {
    const int w = bounds_.width(), h = bounds_.height();
    switch (kind_) {
    case maUnfold: return std::max(1, std::min(w, h) / kUnfoldStep);
    case maSlide: return std::max(1, (h + kSlideStep - 1) / kSlideStep);
    case maFade: return std::max(1, (kFadeDuration + kTick - 1) / kTick);
    default: return 1;
    }
}

Size SubMenuAnimation::sizeAt(int step) const {
    const int w = bounds_.width(), h = bounds_.height();
    if (step >= steps()) return {w, h};
    switch (kind_) {
    case maUnfold: {
        // The shorter side grows by the step; the longer one stays ahead by the difference.
        const int grown = kUnfoldStep * step;
        return w < h ? Size{grown, grown + h - w} : Size{grown + w - h, grown};
    }
    case maSlide: return {w, std::min(h, kSlideStep * step)};
    default: return {w, h};
    }
}

Rect SubMenuAnimation::boundsAt(int step) const {
    const Size s = sizeAt(step);
    const int left = fromRight_ ? bounds_.right - s.cx : bounds_.left;
    const int top = fromBottom_ ? bounds_.bottom - s.cy : bounds_.top;
    return Rect::fromSize(left, top, s.cx, s.cy);
}

Rect SubMenuAnimation::pictureAt(int step) const {
    // The edge that moves carries the menu's far side with it: growing right shows the
    // menu's right part, growing left its left part (and so on vertically).
    const Size s = sizeAt(step);
    const int left = fromRight_ ? 0 : bounds_.width() - s.cx;
    const int top = fromBottom_ ? 0 : bounds_.height() - s.cy;
    return Rect::fromSize(left, top, s.cx, s.cy);
}

int SubMenuAnimation::alphaAt(int step) const {
    if (kind_ != maFade) return 255;
    return std::min(255, step * kTick * 255 / kFadeDuration);
}

}  // namespace lindora
