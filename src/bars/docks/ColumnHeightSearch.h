#pragma once
// The vertical wrap of a multi-line bar on a left or right dock looks for the column height
// that makes the wrapped bar as wide as asked. Shrinking the column one pixel at a time costs a
// wrap per pixel; the wrapped width only grows as the column gets shorter, so a bisection finds
// the same height with a logarithmic number of wraps.
#include <functional>

namespace lindora {

// The tallest height in [lowest, highest] whose wrapped width reaches `width`, given that
// widthAt does not decrease as the height decreases; `lowest` when no height does. This is the
// height a walk down from `highest`, one pixel at a time, stops at.
int tallestHeightReaching(int lowest, int highest, int width, const std::function<int(int height)>& widthAt);

}  // namespace lindora
