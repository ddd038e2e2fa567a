#pragma once
// Colours: a 32-bit value, either RGB (red in the lowest byte, then green, then blue, top byte 0)
// or a system colour (top byte 0xFF, the system colour index in the low byte), resolved through
// the process-wide SystemColors table at the moment it is used.
#include <array>
#include <cstdint>
#include <string>

namespace lindora {

class Color {
public:
    constexpr Color() = default;
    constexpr explicit Color(std::uint32_t value) : value_(value) {}

    constexpr std::uint32_t value() const { return value_; }
    constexpr bool isSystem() const { return (value_ & 0xFF000000u) == 0xFF000000u; }
    constexpr bool isRGB() const { return (value_ & 0xFF000000u) == 0; }
    constexpr int systemIndex() const { return static_cast<int>(value_ & 0xFF); }
    // Channels of an RGB value (of the raw value: resolve a system colour with colorToRGB first).
    constexpr int red() const { return static_cast<int>(value_ & 0xFF); }
    constexpr int green() const { return static_cast<int>((value_ >> 8) & 0xFF); }
    constexpr int blue() const { return static_cast<int>((value_ >> 16) & 0xFF); }

    constexpr bool operator==(const Color&) const = default;

private:
    std::uint32_t value_ = 0;
};

// An RGB colour; channels are clamped to 0..255.
constexpr Color RGB(int r, int g, int b) {
    auto c = [](int v) { return static_cast<std::uint32_t>(v < 0 ? 0 : v > 255 ? 255 : v); };
    return Color(c(r) | (c(g) << 8) | (c(b) << 16));
}

constexpr Color systemColor(int index) { return Color(0xFF000000u | static_cast<std::uint32_t>(index & 0xFF)); }

// The system colour indices 0..30 of the classic platform.
enum SystemColorIndex : int {
    COLOR_SCROLLBAR = 0,
    COLOR_BACKGROUND = 1,
    COLOR_ACTIVECAPTION = 2,
    COLOR_INACTIVECAPTION = 3,
    COLOR_MENU = 4,
    COLOR_WINDOW = 5,
    COLOR_WINDOWFRAME = 6,
    COLOR_MENUTEXT = 7,
    COLOR_WINDOWTEXT = 8,
    COLOR_CAPTIONTEXT = 9,
    COLOR_ACTIVEBORDER = 10,
    COLOR_INACTIVEBORDER = 11,
    COLOR_APPWORKSPACE = 12,
    COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14,
    COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_GRAYTEXT = 17,
    COLOR_BTNTEXT = 18,
    COLOR_INACTIVECAPTIONTEXT = 19,
    COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21,
    COLOR_3DLIGHT = 22,
    COLOR_INFOTEXT = 23,
    COLOR_INFOBK = 24,
    COLOR_UNUSED25 = 25,
    COLOR_HOTLIGHT = 26,
    COLOR_GRADIENTACTIVECAPTION = 27,
    COLOR_GRADIENTINACTIVECAPTION = 28,
    COLOR_MENUHILIGHT = 29,
    COLOR_MENUBAR = 30,
};

inline constexpr Color clNone{0x1FFFFFFFu};
inline constexpr Color clDefault{0x20000000u};

inline constexpr Color clScrollBar = systemColor(COLOR_SCROLLBAR);
inline constexpr Color clBackground = systemColor(COLOR_BACKGROUND);
inline constexpr Color clActiveCaption = systemColor(COLOR_ACTIVECAPTION);
inline constexpr Color clInactiveCaption = systemColor(COLOR_INACTIVECAPTION);
inline constexpr Color clMenu = systemColor(COLOR_MENU);
inline constexpr Color clWindow = systemColor(COLOR_WINDOW);
inline constexpr Color clWindowFrame = systemColor(COLOR_WINDOWFRAME);
inline constexpr Color clMenuText = systemColor(COLOR_MENUTEXT);
inline constexpr Color clWindowText = systemColor(COLOR_WINDOWTEXT);
inline constexpr Color clCaptionText = systemColor(COLOR_CAPTIONTEXT);
inline constexpr Color clActiveBorder = systemColor(COLOR_ACTIVEBORDER);
inline constexpr Color clInactiveBorder = systemColor(COLOR_INACTIVEBORDER);
inline constexpr Color clAppWorkSpace = systemColor(COLOR_APPWORKSPACE);
inline constexpr Color clHighlight = systemColor(COLOR_HIGHLIGHT);
inline constexpr Color clHighlightText = systemColor(COLOR_HIGHLIGHTTEXT);
inline constexpr Color clBtnFace = systemColor(COLOR_BTNFACE);
inline constexpr Color clBtnShadow = systemColor(COLOR_BTNSHADOW);
inline constexpr Color clGrayText = systemColor(COLOR_GRAYTEXT);
inline constexpr Color clBtnText = systemColor(COLOR_BTNTEXT);
inline constexpr Color clInactiveCaptionText = systemColor(COLOR_INACTIVECAPTIONTEXT);
inline constexpr Color clBtnHighlight = systemColor(COLOR_BTNHIGHLIGHT);
inline constexpr Color cl3DDkShadow = systemColor(COLOR_3DDKSHADOW);
inline constexpr Color cl3DLight = systemColor(COLOR_3DLIGHT);
inline constexpr Color clInfoText = systemColor(COLOR_INFOTEXT);
inline constexpr Color clInfoBk = systemColor(COLOR_INFOBK);
inline constexpr Color clHotLight = systemColor(COLOR_HOTLIGHT);
inline constexpr Color clGradientActiveCaption = systemColor(COLOR_GRADIENTACTIVECAPTION);
inline constexpr Color clGradientInactiveCaption = systemColor(COLOR_GRADIENTINACTIVECAPTION);
inline constexpr Color clMenuHighlight = systemColor(COLOR_MENUHILIGHT);
inline constexpr Color clMenuBar = systemColor(COLOR_MENUBAR);

inline constexpr Color clBlack = RGB(0, 0, 0);
inline constexpr Color clMaroon = RGB(128, 0, 0);
inline constexpr Color clGreen = RGB(0, 128, 0);
inline constexpr Color clOlive = RGB(128, 128, 0);
inline constexpr Color clNavy = RGB(0, 0, 128);
inline constexpr Color clPurple = RGB(128, 0, 128);
inline constexpr Color clTeal = RGB(0, 128, 128);
inline constexpr Color clGray = RGB(128, 128, 128);
inline constexpr Color clSilver = RGB(192, 192, 192);
inline constexpr Color clRed = RGB(255, 0, 0);
inline constexpr Color clLime = RGB(0, 255, 0);
inline constexpr Color clYellow = RGB(255, 255, 0);
inline constexpr Color clBlue = RGB(0, 0, 255);
inline constexpr Color clFuchsia = RGB(255, 0, 255);
inline constexpr Color clAqua = RGB(0, 255, 255);
inline constexpr Color clWhite = RGB(255, 255, 255);

// The process-wide system colour table (indices 0..30). Until a backend sets others it holds the
// classic standard scheme:
//   0 scroll bar 212,208,200   1 desktop 58,110,165        2 active caption 10,36,106
//   3 inactive caption 128,128,128  4 menu 212,208,200      5 window 255,255,255
//   6 window frame 0,0,0        7 menu text 0,0,0           8 window text 0,0,0
//   9 caption text 255,255,255  10 active border 212,208,200 11 inactive border 212,208,200
//  12 app workspace 128,128,128 13 highlight 10,36,106      14 highlight text 255,255,255
//  15 button face 212,208,200   16 button shadow 128,128,128 17 gray text 128,128,128
//  18 button text 0,0,0         19 inactive caption text 212,208,200
//  20 button highlight 255,255,255 21 3D dark shadow 64,64,64 22 3D light 212,208,200
//  23 info text 0,0,0           24 info background 255,255,225 25 (unused) 181,181,181
//  26 hot light 0,0,128         27 gradient active caption 166,202,240
//  28 gradient inactive caption 192,192,192  29 menu highlight 10,36,106  30 menu bar 212,208,200
// Reads and writes come from the user-interface thread (the animation worker only copies
// pixels), so the table is not locked.
class SystemColors {
public:
    static constexpr int Count = 31;

    static Color get(int index);            // RGB; black for an index outside the table
    static void set(int index, Color rgb);  // ignores indices outside the table; rgb must be RGB
    static void setAll(const std::array<Color, Count>& table);
    static void resetToDefaults();
    static const std::array<Color, Count>& defaults();
    // Bumped on every change, so that caches of derived colours can tell they are stale.
    static unsigned generation();
};

// Resolves a system colour to RGB; RGB values pass unchanged (top byte cleared). clNone and
// clDefault have no RGB value: they resolve to black.
Color colorToRGB(Color c);

// The colour as an opaque 0xAARRGGBB pixel (system colours resolved).
std::uint32_t colorToPixel(Color c);
// An RGB colour from a pixel (alpha ignored; the pixel is taken as opaque).
Color pixelToColor(std::uint32_t pixel);

// "$00RRGGBB"-style text is left to callers; this names colours for messages and test output.
std::string colorToString(Color c);

}  // namespace lindora
