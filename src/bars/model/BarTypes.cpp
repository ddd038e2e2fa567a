#include "bars/model/BarTypes.h"

namespace lindora {

const EnumInfo& enumInfoOf(BarItemVisible) {
    static const EnumInfo info("BarItemVisible", {"ivNever", "ivInCustomizing", "ivAlways"});
    return info;
}
const EnumInfo& enumInfoOf(BarDockingStyle) {
    static const EnumInfo info("BarDockingStyle", {"dsNone", "dsLeft", "dsTop", "dsRight", "dsBottom"});
    return info;
}
const EnumInfo& enumInfoOf(BarManagerStyle) {
    static const EnumInfo info("BarManagerStyle",
                               {"bmsStandard", "bmsEnhanced", "bmsFlat", "bmsXP", "bmsOffice11", "bmsUseLookAndFeel"});
    return info;
}
const EnumInfo& enumInfoOf(BarPaintStyle) {
    static const EnumInfo info("BarPaintStyle", {"psStandard", "psCaption", "psCaptionInMenu", "psCaptionGlyph"});
    return info;
}
const EnumInfo& enumInfoOf(BarItemAlign) {
    static const EnumInfo info("BarItemAlign", {"iaLeft", "iaCenter", "iaRight", "iaClient"});
    return info;
}
const EnumInfo& enumInfoOf(BarButtonStyle) {
    static const EnumInfo info("BarButtonStyle", {"bsDefault", "bsChecked", "bsDropDown"});
    return info;
}
const EnumInfo& enumInfoOf(BarUserDefine) {
    static const EnumInfo info("BarUserDefine", {"udCaption", "udGlyph", "udPaintStyle", "udWidth"});
    return info;
}
const EnumInfo& enumInfoOf(BarMenuAnimations) {
    static const EnumInfo info("BarMenuAnimations", {"maNone", "maRandom", "maUnfold", "maSlide", "maFade"});
    return info;
}
const EnumInfo& enumInfoOf(BarBorderStyle) {
    static const EnumInfo info("BarBorderStyle", {"bbsNone", "bbsSingle"});
    return info;
}
const EnumInfo& enumInfoOf(BarDockAlign) {
    static const EnumInfo info("BarDockAlign", {"dalNone", "dalTop", "dalBottom", "dalLeft", "dalRight"});
    return info;
}

std::string captionToHint(const std::string& caption) {
    std::string s = caption;
    if (auto amp = s.find('&'); amp != std::string::npos) s.erase(amp, 1);
    if (auto dots = s.find("..."); dots != std::string::npos) s.erase(dots, 3);
    return s;
}

}  // namespace lindora
