#include "gfx/Color.h"

#include <algorithm>
#include <cstdio>

namespace lindora {

namespace {

constexpr std::array<Color, SystemColors::Count> kClassicScheme = {
    RGB(212, 208, 200),  // scroll bar
    RGB(58, 110, 165),   // desktop
    RGB(10, 36, 106),    // active caption
    RGB(128, 128, 128),  // inactive caption
    RGB(212, 208, 200),  // menu
    RGB(255, 255, 255),  // window
    RGB(0, 0, 0),        // window frame
    RGB(0, 0, 0),        // menu text
    RGB(0, 0, 0),        // window text
    RGB(255, 255, 255),  // caption text
    RGB(212, 208, 200),  // active border
    RGB(212, 208, 200),  // inactive border
    RGB(128, 128, 128),  // application workspace
    RGB(10, 36, 106),    // highlight
    RGB(255, 255, 255),  // highlight text
    RGB(212, 208, 200),  // button face
    RGB(128, 128, 128),  // button shadow
    RGB(128, 128, 128),  // gray text
    RGB(0, 0, 0),        // button text
    RGB(212, 208, 200),  // inactive caption text
    RGB(255, 255, 255),  // button highlight
    RGB(64, 64, 64),     // 3D dark shadow
    RGB(212, 208, 200),  // 3D light
    RGB(0, 0, 0),        // info text
    RGB(255, 255, 225),  // info background
    RGB(181, 181, 181),  // unused
    RGB(0, 0, 128),      // hot light
    RGB(166, 202, 240),  // gradient active caption
    RGB(192, 192, 192),  // gradient inactive caption
    RGB(10, 36, 106),    // menu highlight
    RGB(212, 208, 200),  // menu bar
};

// System colours are a property of the desktop session, shared by the whole process.
std::array<Color, SystemColors::Count> gTable = kClassicScheme;
unsigned gGeneration = 0;

}  // namespace

Color SystemColors::get(int index) {
    if (index < 0 || index >= Count) return clBlack;
    return gTable[static_cast<size_t>(index)];
}

void SystemColors::set(int index, Color rgb) {
    if (index < 0 || index >= Count) return;
    gTable[static_cast<size_t>(index)] = Color(rgb.value() & 0x00FFFFFFu);
    ++gGeneration;
}

void SystemColors::setAll(const std::array<Color, Count>& table) {
    for (int i = 0; i < Count; ++i)
        gTable[static_cast<size_t>(i)] = Color(table[static_cast<size_t>(i)].value() & 0x00FFFFFFu);
    ++gGeneration;
}

void SystemColors::resetToDefaults() {
    gTable = kClassicScheme;
    ++gGeneration;
}

const std::array<Color, SystemColors::Count>& SystemColors::defaults() { return kClassicScheme; }

unsigned SystemColors::generation() { return gGeneration; }

Color colorToRGB(Color c) {
    if (c.isSystem()) return SystemColors::get(c.systemIndex());
    if (c == clNone || c == clDefault) return clBlack;
    return Color(c.value() & 0x00FFFFFFu);
}

std::uint32_t colorToPixel(Color c) {
    Color rgb = colorToRGB(c);
    return 0xFF000000u | (static_cast<std::uint32_t>(rgb.red()) << 16) |
           (static_cast<std::uint32_t>(rgb.green()) << 8) | static_cast<std::uint32_t>(rgb.blue());
}

Color pixelToColor(std::uint32_t pixel) {
    unsigned a = pixel >> 24;
    unsigned r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
    if (a != 0 && a != 255) {
        // Premultiplied: undo it, rounding to nearest.
        r = std::min(255u, (r * 255 + a / 2) / a);
        g = std::min(255u, (g * 255 + a / 2) / a);
        b = std::min(255u, (b * 255 + a / 2) / a);
    }
    return RGB(static_cast<int>(r), static_cast<int>(g), static_cast<int>(b));
}

std::string colorToString(Color c) {
    if (c == clNone) return "clNone";
    if (c == clDefault) return "clDefault";
    char buf[32];
    if (c.isSystem()) {
        std::snprintf(buf, sizeof buf, "system(%d)", c.systemIndex());
    } else {
        std::snprintf(buf, sizeof buf, "RGB(%d,%d,%d)", c.red(), c.green(), c.blue());
    }
    return buf;
}

}  // namespace lindora
