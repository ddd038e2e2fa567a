#pragma once
// Client alignment for child windows of a form: what is left of the parent's client area once
// the children docked along its edges (the toolbar's dock sites) have taken their share.
#include "base/EnumInfo.h"
#include "gfx/Geometry.h"

namespace lindora {

class Window;

// The part of parent's client rectangle (client coordinates) not covered by the visible
// children, other than `except`, that lie along an edge: first those spanning the full width
// at the top or bottom, then those spanning the rest of the height on the left or right.
Rect remainingClientArea(const Window& parent, const Window* except);

}  // namespace lindora

namespace lindora {

// How a control places itself in its parent: where its bounds say, or over the remaining
// client area (following every resize of the parent).
enum Align { alNone, alClient };
const EnumInfo& enumInfoOf(Align);

}  // namespace lindora
