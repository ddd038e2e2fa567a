#include "bars/items/StaticItemTypes.h"

namespace lindora {

const EnumInfo& enumInfoOf(Alignment) {
    static const EnumInfo info("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"});
    return info;
}

const EnumInfo& enumInfoOf(BarStaticBorderStyle) {
    static const EnumInfo info("BarStaticBorderStyle", {"sbsNone", "sbsLowered", "sbsRaised", "sbsEtched", "sbsBump"});
    return info;
}

int borderWidth(BarStaticBorderStyle style) {
    switch (style) {
    case sbsNone: return 0;
    case sbsLowered:
    case sbsRaised: return 1;
    case sbsEtched:
    case sbsBump: return 2;
    }
    return 0;
}

}  // namespace lindora
