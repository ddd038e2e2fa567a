#pragma once
// Brushes: a solid colour (RGB or system, resolved when painting, so a system colour change
// shows at the next paint), an 8 x 8 pattern bitmap, or the null brush that paints nothing.
// Brushes are small values; a pattern is shared between copies and never changed.
#include "gfx/Bitmap.h"
#include "gfx/Color.h"

#include <cstdint>
#include <memory>

namespace lindora {

class Brush {
public:
    enum class Kind { Null, Solid, Pattern };

    Brush() = default;  // the null brush
    Brush(Color c);     // NOLINT: a colour is a brush; clNone is the null brush
    static Brush solid(Color c) { return Brush(c); }
    static Brush null() { return Brush(); }
    // The pattern repeats every 8 pixels both ways; a larger bitmap is cut to its top-left 8 x 8.
    static Brush pattern(const Bitmap& pattern8x8);
    // An 8 x 8 pattern whose pixels with row and column of the same parity take `sameParity`,
    // the others `otherParity` (the checker brush). Colours are resolved now.
    static Brush checker(Color sameParity, Color otherParity);

    Kind kind() const { return kind_; }
    bool isNull() const { return kind_ == Kind::Null; }
    Color color() const { return color_; }  // solid brushes; clNone otherwise
    const Bitmap* patternBitmap() const { return pattern_.get(); }

    // The pixel this brush paints at a device position, with the pattern phase given by the
    // brush origin (pattern pixel (0, 0) lies on the origin and every 8 pixels from it).
    std::uint32_t pixelAt(int deviceX, int deviceY, Point brushOrigin = {}) const;

    bool operator==(const Brush& other) const;

private:
    Kind kind_ = Kind::Null;
    Color color_ = clNone;
    std::shared_ptr<const Bitmap> pattern_;
};

}  // namespace lindora
