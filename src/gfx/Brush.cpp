#include "gfx/Brush.h"

namespace lindora {

Brush::Brush(Color c) {
    if (c == clNone) return;
    kind_ = Kind::Solid;
    color_ = c;
}

Brush Brush::pattern(const Bitmap& pattern8x8) {
    Brush b;
    if (pattern8x8.isEmpty()) return b;
    // Smaller bitmaps repeat to fill the 8 x 8 cell, as the platform's pattern brushes do.
    auto cell = std::make_shared<Bitmap>(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            cell->setColor(x, y, pattern8x8.colorAt(x % pattern8x8.width(), y % pattern8x8.height()));
    b.kind_ = Kind::Pattern;
    b.pattern_ = std::move(cell);
    return b;
}

Brush Brush::checker(Color sameParity, Color otherParity) {
    Bitmap cell(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) cell.setColor(x, y, (x % 2) == (y % 2) ? sameParity : otherParity);
    return pattern(cell);
}

std::uint32_t Brush::pixelAt(int deviceX, int deviceY, Point brushOrigin) const {
    switch (kind_) {
    case Kind::Solid: return colorToPixel(color_);
    case Kind::Pattern: {
        int px = ((deviceX - brushOrigin.x) % 8 + 8) % 8;
        int py = ((deviceY - brushOrigin.y) % 8 + 8) % 8;
        return pattern_->pixel(px, py);
    }
    case Kind::Null: break;
    }
    return 0;
}

bool Brush::operator==(const Brush& other) const {
    if (kind_ != other.kind_) return false;
    switch (kind_) {
    case Kind::Null: return true;
    case Kind::Solid: return color_ == other.color_;
    case Kind::Pattern: return pattern_ == other.pattern_ || *pattern_ == *other.pattern_;
    }
    return false;
}

}  // namespace lindora
