#include "bars/painters/PainterColors.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>

#include "ui/PlatformIntegration.h"

namespace lindora {

namespace {

constexpr std::array<Color, 16> kStandardColors = {clBlack, clMaroon,  clGreen,  clOlive, clNavy, clPurple,
                                                   clTeal,  clGray,    clSilver, clRed,   clLime, clYellow,
                                                   clBlue,  clFuchsia, clAqua,   clWhite};

constexpr std::array<Color, 2> kMonochrome = {clBlack, clWhite};

constexpr std::array<Color, 16 + 216 + 4> makeEightBitPalette() {
    std::array<Color, 16 + 216 + 4> p{};
    std::size_t n = 0;
    for (Color c : kStandardColors) p[n++] = c;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b) p[n++] = RGB(r * 51, g * 51, b * 51);
    p[n++] = RGB(192, 220, 192);
    p[n++] = RGB(166, 202, 240);
    p[n++] = RGB(255, 251, 240);
    p[n++] = RGB(160, 160, 164);
    return p;
}

constexpr auto kEightBit = makeEightBitPalette();

int channelRound(int v, int percent) { return MulDivRound(v, percent, 100); }

}  // namespace

int DisplayBitsPerPixel() {
    const PlatformIntegration* p = PlatformIntegration::instance();
    return p ? p->screen().bitsPerPixel() : 32;
}

std::span<const Color> DisplayPalette(int bitsPerPixel) {
    if (bitsPerPixel <= 1) return kMonochrome;
    if (bitsPerPixel <= 4) return kStandardColors;
    if (bitsPerPixel <= 8) return kEightBit;
    return {};
}

Color NearestDisplayColor(Color c, int bitsPerPixel) {
    const Color rgb = colorToRGB(c);
    const auto palette = DisplayPalette(bitsPerPixel);
    if (palette.empty()) return rgb;
    Color best = palette.front();
    int bestDistance = std::numeric_limits<int>::max();
    for (Color p : palette) {
        const int dr = p.red() - rgb.red(), dg = p.green() - rgb.green(), db = p.blue() - rgb.blue();
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) best = p, bestDistance = d;
    }
    return best;
}

Color NearestDisplayColor(Color c) { return NearestDisplayColor(c, DisplayBitsPerPixel()); }

int MulDivRound(int v, int numerator, int denominator) {
    const long long product = static_cast<long long>(v) * numerator;
    const long long half = std::llabs(static_cast<long long>(denominator)) / 2;
    const bool negative = (product < 0) != (denominator < 0);
    const long long magnitude = (std::llabs(product) + half) / std::llabs(static_cast<long long>(denominator));
    return static_cast<int>(negative ? -magnitude : magnitude);
}

Color MixColors(Color c1, Color c2, int p, int bitsPerPixel) {
    const Color a = colorToRGB(c1), b = colorToRGB(c2);
    auto mix = [p](int v1, int v2) { return std::min(255, channelRound(v2, 100 - p) + channelRound(v1, p)); };
    return NearestDisplayColor(RGB(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue())),
                               bitsPerPixel);
}

Color MixColors(Color c1, Color c2, int p) { return MixColors(c1, c2, p, DisplayBitsPerPixel()); }

Color SystemTintColor(int f, int h, int w) {
    const Color face = colorToRGB(clBtnFace), high = colorToRGB(clHighlight), window = colorToRGB(clWindow);
    if (face == clBlack || face == clWhite) return high;
    auto tint = [&](int fv, int hv, int wv) {
        return std::clamp(channelRound(fv, f) + channelRound(hv, h) + channelRound(wv, w), 0, 255);
    };
    return RGB(tint(face.red(), high.red(), window.red()), tint(face.green(), high.green(), window.green()),
               tint(face.blue(), high.blue(), window.blue()));
}

int LightenChannel(int v, int percent) { return v + channelRound(255 - v, percent); }

Color LightenColor(Color c, int percent) {
    const Color rgb = colorToRGB(c);
    return RGB(LightenChannel(rgb.red(), percent), LightenChannel(rgb.green(), percent),
               LightenChannel(rgb.blue(), percent));
}

bool IsWhiteButtonFace() { return colorToRGB(clBtnFace) == clWhite; }
bool IsBlackButtonFace() { return colorToRGB(clBtnFace) == clBlack; }

}  // namespace lindora
