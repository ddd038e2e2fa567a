#pragma once
// A set of pixels kept as disjoint rectangles (clipping regions, invalid areas).
#include "gfx/Geometry.h"

#include <vector>

namespace lindora {

class Region {
public:
    Region() = default;
    explicit Region(const Rect& r);

    bool isEmpty() const { return rects_.empty(); }
    const std::vector<Rect>& rects() const { return rects_; }
    Rect bounds() const;
    bool contains(Point p) const;
    bool intersects(const Rect& r) const;
    long long area() const;

    Region& unite(const Rect& r);
    Region& unite(const Region& r);
    Region& intersect(const Rect& r);
    Region& intersect(const Region& r);
    Region& subtract(const Rect& r);
    Region& subtract(const Region& r);
    Region& translate(int dx, int dy);

    Region united(const Region& r) const {
        Region x(*this);
        return x.unite(r);
    }
    Region intersected(const Region& r) const {
        Region x(*this);
        return x.intersect(r);
    }
    Region subtracted(const Region& r) const {
        Region x(*this);
        return x.subtract(r);
    }

    // Same pixel set (the rectangle lists may differ).
    bool operator==(const Region& other) const;

private:
    void normalize();

    std::vector<Rect> rects_;
};

}  // namespace lindora
