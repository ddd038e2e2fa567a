#pragma once
// The process's one Pango context, with font options set explicitly so that text renders the
// same from run to run whatever the desktop's settings: grey antialiasing, slight hinting,
// hinted (whole-pixel) metrics, no subpixel order, 96 dots per inch. Pango contexts are not
// thread-safe, so every use holds the engine's lock.
//
// Measurement is cached: a caption measured twice in the same font costs one hash look-up.
#include "gfx/Bitmap.h"
#include "gfx/Font.h"
#include "gfx/Geometry.h"
#include "gfx/TextFormat.h"

#include <cstddef>
#include <list>
#include <mutex>
#include <string>
#include <unordered_map>

typedef struct _PangoContext PangoContext;
typedef struct _PangoLayout PangoLayout;

namespace lindora {

// A piece of text laid out and rendered as coverage in its colour, ready to be composited.
// Positions and sizes are logical pixels; `pixels` has `scale` bitmap pixels per logical one.
struct RenderedText {
    Bitmap pixels;        // premultiplied colour, transparent where there is no ink
    Point logicalOrigin;  // where the logical box's top-left lies in `pixels`
    Point layoutOrigin;   // where the layout's own origin lies (differs for aligned wrapping)
    Size logicalSize;     // the measured box (what textExtent answers)
    int baseline = 0;     // from the logical top
    int scale = 1;
};

struct TextLayoutOptions {
    int wrapWidth = -1;         // pixels; -1: one paragraph per line, no wrapping
    int alignment = 0;          // 0 left, 1 centre, 2 right (for wrapped lines)
    bool ellipsizeEnd = false;  // with wrapWidth: cut with "..." at the end
    bool singleLine = true;     // line breaks shown as characters rather than breaking
};

class TextEngine {
public:
    static TextEngine& instance();

    TextEngine(const TextEngine&) = delete;
    TextEngine& operator=(const TextEngine&) = delete;

    // The logical size of one line (no accelerator processing). Cached.
    Size measure(const Font& font, const std::string& text);
    // Uncached measurement (the benchmark compares the two).
    Size measureUncached(const Font& font, const std::string& text, const TextLayoutOptions& options = {});
    FontMetrics metrics(const Font& font);
    int emPixels(const Font& font);

    // Renders text (accelerator already resolved; underline as given) in a colour. With a scale
    // the layout (and so every measure) stays the logical one while the glyphs are drawn at
    // that many pixels per logical pixel.
    RenderedText render(const Font& font, const AcceleratorText& text, Color color, const TextLayoutOptions& options,
                        int scale = 1);

    void clearCache();
    std::size_t cacheSize();
    static constexpr std::size_t CacheCapacity = 8192;

private:
    TextEngine();
    ~TextEngine();
    PangoLayout* createLayout(const Font& font, const std::string& text, const TextLayoutOptions& options);
    int emPixelsLocked(const Font& font);

    std::recursive_mutex mutex_;
    PangoContext* context_ = nullptr;
    // Least recently used order: the front is the newest.
    std::list<std::string> order_;
    struct CacheEntry {
        Size size;
        std::list<std::string>::iterator position;
    };
    std::unordered_map<std::string, CacheEntry> cache_;
    std::unordered_map<std::string, FontMetrics> metrics_;
    std::unordered_map<std::string, int> emSizes_;
};

// Removes invalid UTF-8 (system code page strings may carry any byte), replacing bad bytes.
std::string sanitizeUtf8(const std::string& text);

}  // namespace lindora
