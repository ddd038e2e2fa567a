#include "gfx/Font.h"

#include "gfx/TextEngine.h"

#include <pango/pango.h>

#include <strings.h>
#include <algorithm>
#include <array>
#include <cmath>

namespace lindora {

Font::Font(std::string name, int height, unsigned style, Color color)
    : name_(std::move(name)), height_(height), style_(style), color_(color) {}

int Font::size() const { return static_cast<int>(std::lround(emPixels() * 72.0 / 96.0)); }

void Font::setSize(int points) { height_ = -static_cast<int>(std::lround(points * 96.0 / 72.0)); }

int Font::quadrantEscapement() const {
    int e = ((escapement_ % 3600) + 3600) % 3600;
    return e % 900 == 0 ? e : 0;
}

std::string Font::familyName() const {
    static constexpr std::array<const char*, 6> kInterfaceFaces = {
        "MS Sans Serif", "Tahoma", "Microsoft Sans Serif", "Segoe UI", "MS Shell Dlg", "MS Shell Dlg 2"};
    for (const char* face : kInterfaceFaces)
        if (strcasecmp(name_.c_str(), face) == 0) return "Sans";
    return name_.empty() ? "Sans" : name_;
}

int Font::emPixels() const { return TextEngine::instance().emPixels(*this); }

FontMetrics Font::metrics() const { return TextEngine::instance().metrics(*this); }

PangoFontDescription* Font::createDescription() const {
    PangoFontDescription* desc = pango_font_description_new();
    std::string family = familyName();
    pango_font_description_set_family(desc, family.c_str());
    // Only a negative height is an em size; others are resolved by the text engine first.
    int em = height_ < 0 ? -height_ : -DefaultHeight;
    pango_font_description_set_absolute_size(desc, static_cast<double>(em) * PANGO_SCALE);
    pango_font_description_set_weight(desc, bold() ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(desc, italic() ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    return desc;
}

std::string Font::key() const {
    return familyName() + '\x1e' + std::to_string(height_) + '\x1e' + std::to_string(style_);
}

}  // namespace lindora
