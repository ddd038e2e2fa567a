#pragma once
// Enumerations of the static items: the caption's alignment and the 3D border around the item.
#include "base/EnumInfo.h"

namespace lindora {

enum Alignment { taLeftJustify, taRightJustify, taCenter };
const EnumInfo& enumInfoOf(Alignment);

enum BarStaticBorderStyle { sbsNone, sbsLowered, sbsRaised, sbsEtched, sbsBump };
const EnumInfo& enumInfoOf(BarStaticBorderStyle);

// Pixels the border takes on each side of the item: 0 without a border, 1 for the single
// lowered or raised edge, 2 for the double etched or bump edge.
int borderWidth(BarStaticBorderStyle style);

}  // namespace lindora
