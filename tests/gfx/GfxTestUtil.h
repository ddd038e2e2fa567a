#pragma once
// Helpers for exact pixel tests: pictures as text, and a system colour table whose colours
// can all be told apart.
#include "gfx/Bitmap.h"
#include "gfx/Canvas.h"
#include "gfx/Color.h"

#include <map>
#include <string>

namespace lindora::test {

// Sets every system colour to a distinct value for the test's lifetime, then restores.
class DistinctSystemColors {
public:
    DistinctSystemColors() {
        saved_ = current();
        std::array<Color, SystemColors::Count> table{};
        for (int i = 0; i < SystemColors::Count; ++i) table[static_cast<size_t>(i)] = RGB(i * 8 + 1, 100, 200 - i);
        SystemColors::setAll(table);
    }
    ~DistinctSystemColors() { SystemColors::setAll(saved_); }

private:
    static std::array<Color, SystemColors::Count> current() {
        std::array<Color, SystemColors::Count> t{};
        for (int i = 0; i < SystemColors::Count; ++i) t[static_cast<size_t>(i)] = SystemColors::get(i);
        return t;
    }
    std::array<Color, SystemColors::Count> saved_;
};

// One character per pixel, one line per row; colours not in the legend show as '?'.
inline std::string art(const Bitmap& b, const Rect& area, const std::map<char, Color>& legend) {
    std::string out;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            Color c = b.colorAt(x, y);
            char ch = '?';
            for (const auto& [k, v] : legend)
                if (colorToRGB(v) == c) {
                    ch = k;
                    break;
                }
            out.push_back(ch);
        }
        out.push_back('\n');
    }
    return out;
}

// The bounding box of the pixels that differ from `background`.
inline Rect inkBounds(const Bitmap& b, Color background) {
    Rect r;
    bool any = false;
    Color bg = colorToRGB(background);
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            if (b.colorAt(x, y) != bg) {
                Rect p{x, y, x + 1, y + 1};
                r = any ? r.united(p) : p;
                any = true;
            }
    return r;
}

}  // namespace lindora::test
