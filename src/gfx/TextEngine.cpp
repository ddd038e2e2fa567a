#include "gfx/TextEngine.h"

#include <cairo.h>
#include <glib.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

#include "base/Utf8.h"

namespace lindora {

std::string sanitizeUtf8(const std::string& input) {
    // Strings end at a NUL, as they do for the platform's text functions.
    auto nul = input.find('\0');
    const std::string text = nul == std::string::npos ? input : input.substr(0, nul);
    return validUtf8(text);
}

TextEngine& TextEngine::instance() {
    // The font map and its context belong to the process, as the platform's font services do.
    // Never destroyed, so that objects torn down at exit can still measure text.
    static TextEngine* engine = new TextEngine;
    return *engine;
}

TextEngine::TextEngine() {
    PangoFontMap* map = pango_cairo_font_map_new();
    pango_cairo_font_map_set_resolution(PANGO_CAIRO_FONT_MAP(map), 96.0);
    context_ = pango_font_map_create_context(map);
    g_object_unref(map);  // the context keeps it

    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_font_options_set_subpixel_order(options, CAIRO_SUBPIXEL_ORDER_DEFAULT);
    pango_cairo_context_set_font_options(context_, options);
    cairo_font_options_destroy(options);
    pango_cairo_context_set_resolution(context_, 96.0);
    pango_context_set_round_glyph_positions(context_, TRUE);
}

TextEngine::~TextEngine() {
    if (context_) g_object_unref(context_);
}

PangoLayout* TextEngine::createLayout(const Font& font, const std::string& text, const TextLayoutOptions& options) {
    PangoLayout* layout = pango_layout_new(context_);
    Font sized = font;
    sized.setHeight(-emPixelsLocked(font));
    PangoFontDescription* desc = sized.createDescription();
    pango_layout_set_font_description(layout, desc);
    pango_font_description_free(desc);
    pango_layout_set_single_paragraph_mode(layout, options.singleLine);
    if (options.wrapWidth >= 0) {
        pango_layout_set_width(layout, options.wrapWidth * PANGO_SCALE);
        pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
        if (options.ellipsizeEnd) pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_END);
    }
    pango_layout_set_alignment(layout, options.alignment == 1   ? PANGO_ALIGN_CENTER
                                       : options.alignment == 2 ? PANGO_ALIGN_RIGHT
                                                                : PANGO_ALIGN_LEFT);
    if (font.underline() || font.strikeOut()) {
        PangoAttrList* attrs = pango_attr_list_new();
        if (font.underline()) pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
        if (font.strikeOut()) pango_attr_list_insert(attrs, pango_attr_strikethrough_new(TRUE));
        pango_layout_set_attributes(layout, attrs);
        pango_attr_list_unref(attrs);
    }
    pango_layout_set_text(layout, text.data(), static_cast<int>(text.size()));
    return layout;
}

int TextEngine::emPixels(const Font& font) {
    std::lock_guard lock(mutex_);
    return emPixelsLocked(font);
}

int TextEngine::emPixelsLocked(const Font& font) {
    if (font.height() < 0) return -font.height();
    if (font.height() == 0) return -Font::DefaultHeight;
    // A positive height is the cell height: find the em size whose cell fits it.
    std::string key = font.key();
    auto found = emSizes_.find(key);
    if (found != emSizes_.end()) return found->second;
    auto cellAt = [&](int em) {
        Font probe = font;
        probe.setHeight(-em);
        PangoLayout* layout = createLayout(probe, "0", {});
        PangoRectangle logical;
        pango_layout_get_pixel_extents(layout, nullptr, &logical);
        g_object_unref(layout);
        return logical.height;
    };
    const int probeEm = 1000;
    int cell = std::max(1, cellAt(probeEm));
    int em = std::max(1, static_cast<int>(std::lround(static_cast<double>(font.height()) * probeEm / cell)));
    while (em > 1 && cellAt(em) > font.height()) --em;
    emSizes_[key] = em;
    return em;
}

Size TextEngine::measureUncached(const Font& font, const std::string& text, const TextLayoutOptions& options) {
    std::lock_guard lock(mutex_);
    PangoLayout* layout = createLayout(font, sanitizeUtf8(text), options);
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout, nullptr, &logical);
    g_object_unref(layout);
    return {logical.width, logical.height};
}

Size TextEngine::measure(const Font& font, const std::string& text) {
    std::lock_guard lock(mutex_);
    std::string key = font.key();
    key.push_back('\x1f');
    key += text;
    auto found = cache_.find(key);
    if (found != cache_.end()) {
        order_.splice(order_.begin(), order_, found->second.position);
        return found->second.size;
    }
    Size size = measureUncached(font, text);
    if (cache_.size() >= CacheCapacity) {
        cache_.erase(order_.back());
        order_.pop_back();
    }
    order_.push_front(key);
    cache_.emplace(std::move(key), CacheEntry{size, order_.begin()});
    return size;
}

FontMetrics TextEngine::metrics(const Font& font) {
    std::lock_guard lock(mutex_);
    std::string key = font.key();
    auto found = metrics_.find(key);
    if (found != metrics_.end()) return found->second;

    FontMetrics m;
    m.emHeight = emPixelsLocked(font);
    PangoLayout* layout = createLayout(font, "0", {});
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout, nullptr, &logical);
    m.height = logical.height;
    m.ascent = PANGO_PIXELS(pango_layout_get_baseline(layout));
    m.descent = m.height - m.ascent;
    m.internalLeading = std::max(0, m.height - m.emHeight);
    g_object_unref(layout);

    Font sized = font;
    sized.setHeight(-m.emHeight);
    PangoFontDescription* desc = sized.createDescription();
    PangoFontMetrics* pm = pango_context_get_metrics(context_, desc, nullptr);
    m.averageCharWidth = PANGO_PIXELS(pango_font_metrics_get_approximate_char_width(pm));
    pango_font_metrics_unref(pm);
    pango_font_description_free(desc);
    // The widest of the common letters stands for the platform's maximum width.
    PangoLayout* wide = createLayout(font, "W", {});
    PangoRectangle wideRect;
    pango_layout_get_pixel_extents(wide, nullptr, &wideRect);
    m.maxCharWidth = wideRect.width;
    g_object_unref(wide);

    metrics_.emplace(std::move(key), m);
    return m;
}

RenderedText TextEngine::render(const Font& font, const AcceleratorText& text, Color color,
                                const TextLayoutOptions& options, int scale) {
    std::lock_guard lock(mutex_);
    RenderedText out;
    out.scale = std::max(1, scale);
    PangoLayout* layout = createLayout(font, text.text, options);
    PangoRectangle ink, logical;
    pango_layout_get_pixel_extents(layout, &ink, &logical);
    out.logicalSize = {logical.width, logical.height};
    out.baseline = PANGO_PIXELS(pango_layout_get_baseline(layout)) - logical.y;

    // The picture covers both the ink (which may overhang, as italics do) and the logical box.
    int left = std::min(ink.x, logical.x), top = std::min(ink.y, logical.y);
    int right = std::max(ink.x + ink.width, logical.x + logical.width);
    int bottom = std::max(ink.y + ink.height, logical.y + logical.height);
    if (out.scale > 1 && right > left && bottom > top) {
        // Glyphs hinted at the finer resolution may reach a little beyond the logical ink.
        --left;
        --top;
        ++right;
        ++bottom;
    }
    const int s = out.scale;
    out.pixels = Bitmap((right - left) * s, (bottom - top) * s);
    out.logicalOrigin = {logical.x - left, logical.y - top};
    out.layoutOrigin = {-left, -top};
    if (out.pixels.isEmpty()) {
        g_object_unref(layout);
        return out;
    }

    Color rgb = colorToRGB(color);
    cairo_surface_t* surface = out.pixels.surface();
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, s, s);
    cairo_set_source_rgb(cr, rgb.red() / 255.0, rgb.green() / 255.0, rgb.blue() / 255.0);
    cairo_move_to(cr, -left, -top);
    pango_cairo_show_layout(cr, layout);
    cairo_destroy(cr);
    cairo_surface_flush(surface);

    if (text.underlineStart >= 0 && text.underlineStart < static_cast<int>(text.text.size())) {
        // The accelerator line: one pixel under the baseline, as wide as the marked letter.
        PangoRectangle pos;
        pango_layout_index_to_pos(layout, text.underlineStart, &pos);
        int lineIndex = 0, xPos = 0;
        pango_layout_index_to_line_x(layout, text.underlineStart, FALSE, &lineIndex, &xPos);
        PangoLayoutIter* iter = pango_layout_get_iter(layout);
        for (int i = 0; i < lineIndex && pango_layout_iter_next_line(iter); ++i) {}
        int baseline = PANGO_PIXELS(pango_layout_iter_get_baseline(iter));
        pango_layout_iter_free(iter);
        int x0 = PANGO_PIXELS(std::min(pos.x, pos.x + pos.width)) - left;
        int x1 = PANGO_PIXELS(std::max(pos.x, pos.x + pos.width)) - left;
        int y = baseline + 1 - top;
        std::uint32_t px = colorToPixel(rgb);
        for (int dy = 0; dy < s; ++dy)
            for (int x = x0 * s; x < x1 * s; ++x) out.pixels.setPixel(x, y * s + dy, px);
    }
    g_object_unref(layout);
    return out;
}

void TextEngine::clearCache() {
    std::lock_guard lock(mutex_);
    cache_.clear();
    order_.clear();
}

std::size_t TextEngine::cacheSize() {
    std::lock_guard lock(mutex_);
    return cache_.size();
}

}  // namespace lindora

// Fontconfig keeps its configuration and pattern caches for the life of the process and never
// frees them; leak checking in sanitizer builds should not report those.
#if defined(__SANITIZE_ADDRESS__)
#define LINDORA_LSAN_HOOK 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LINDORA_LSAN_HOOK 1
#endif
#endif
#ifdef LINDORA_LSAN_HOOK
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
#endif
