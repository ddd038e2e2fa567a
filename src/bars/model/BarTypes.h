#pragma once
// The bar framework's enumerations, sets, shared constants and error texts.
#include <string>

#include "base/EnumInfo.h"
#include "base/Exception.h"

namespace lindora {

enum BarItemVisible { ivNever, ivInCustomizing, ivAlways };
const EnumInfo& enumInfoOf(BarItemVisible);

// dsNone means floating.
enum BarDockingStyle { dsNone, dsLeft, dsTop, dsRight, dsBottom };
const EnumInfo& enumInfoOf(BarDockingStyle);
using BarDockingStyles = SetOf<BarDockingStyle>;

enum BarManagerStyle { bmsStandard, bmsEnhanced, bmsFlat, bmsXP, bmsOffice11, bmsUseLookAndFeel };
const EnumInfo& enumInfoOf(BarManagerStyle);

enum BarPaintStyle { psStandard, psCaption, psCaptionInMenu, psCaptionGlyph };
const EnumInfo& enumInfoOf(BarPaintStyle);

enum BarItemAlign { iaLeft, iaCenter, iaRight, iaClient };
const EnumInfo& enumInfoOf(BarItemAlign);

enum BarButtonStyle { bsDefault, bsChecked, bsDropDown };
const EnumInfo& enumInfoOf(BarButtonStyle);

enum BarUserDefine { udCaption, udGlyph, udPaintStyle, udWidth };
const EnumInfo& enumInfoOf(BarUserDefine);
using BarUserDefines = SetOf<BarUserDefine>;

enum BarMenuAnimations { maNone, maRandom, maUnfold, maSlide, maFade };
const EnumInfo& enumInfoOf(BarMenuAnimations);

enum BarBorderStyle { bbsNone, bbsSingle };
const EnumInfo& enumInfoOf(BarBorderStyle);

enum BarDockAlign { dalNone, dalTop, dalBottom, dalLeft, dalRight };
const EnumInfo& enumInfoOf(BarDockAlign);

// The room reserved for a bar's mark (chevron), and the distance around a dock site within
// which a dragged bar docks.
inline constexpr int MarkWidth = 11;
inline constexpr int DockingZoneSize = 23;

// The framework's error texts.
namespace bartext {
inline constexpr const char* WrongOwner = "TBarManager should have as its Owner - TForm (TCustomForm)";
inline constexpr const char* SecondManager = "A Form should contain only a single TBarManager";
inline constexpr const char* RecursiveSubItems = "You cannot create recursive subitems";
inline constexpr const char* RecursiveGroups = "You cannot create recursive groups";
inline constexpr const char* ResetQuestion = "Are you sure you want to reset the changes made to the '%s' toolbar?";
inline constexpr const char* Customize = "&Customize...";
inline constexpr const char* DefaultCategory = "Default";
}  // namespace bartext

// Errors of the bar framework (wrong owner, recursive menus or groups).
class EBarError : public Exception {
public:
    using Exception::Exception;
};

// A caption with its first "&" and its first "..." removed: the short hint a caption gives.
std::string captionToHint(const std::string& caption);

}  // namespace lindora
