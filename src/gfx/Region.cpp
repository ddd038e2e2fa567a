#include "gfx/Region.h"

namespace lindora {

namespace {

// The parts of `a` outside `b` (at most four), appended to `out`.
void subtractInto(const Rect& a, const Rect& b, std::vector<Rect>& out) {
    Rect cut = a.intersected(b);
    if (cut.isEmpty()) {
        out.push_back(a);
        return;
    }
    if (a.top < cut.top) out.push_back({a.left, a.top, a.right, cut.top});
    if (cut.bottom < a.bottom) out.push_back({a.left, cut.bottom, a.right, a.bottom});
    if (a.left < cut.left) out.push_back({a.left, cut.top, cut.left, cut.bottom});
    if (cut.right < a.right) out.push_back({cut.right, cut.top, a.right, cut.bottom});
}

}  // namespace

Region::Region(const Rect& r) {
    if (!r.isEmpty()) rects_.push_back(r);
}

Rect Region::bounds() const {
    Rect b;
    for (const Rect& r : rects_) b = b.united(r);
    return b;
}

bool Region::contains(Point p) const {
    for (const Rect& r : rects_)
        if (r.contains(p)) return true;
    return false;
}

bool Region::intersects(const Rect& r) const {
    for (const Rect& x : rects_)
        if (x.intersects(r)) return true;
    return false;
}

long long Region::area() const {
    long long a = 0;
    for (const Rect& r : rects_) a += static_cast<long long>(r.width()) * r.height();
    return a;
}

Region& Region::unite(const Rect& r) {
    if (r.isEmpty()) return *this;
    // Add only the parts of r that no existing rectangle covers, so the list stays disjoint.
    std::vector<Rect> pieces{r};
    for (const Rect& existing : rects_) {
        std::vector<Rect> next;
        for (const Rect& p : pieces) subtractInto(p, existing, next);
        pieces.swap(next);
        if (pieces.empty()) return *this;
    }
    rects_.insert(rects_.end(), pieces.begin(), pieces.end());
    normalize();
    return *this;
}

Region& Region::unite(const Region& r) {
    for (const Rect& x : r.rects_) unite(x);
    return *this;
}

Region& Region::intersect(const Rect& r) {
    std::vector<Rect> out;
    for (const Rect& x : rects_) {
        Rect i = x.intersected(r);
        if (!i.isEmpty()) out.push_back(i);
    }
    rects_.swap(out);
    return *this;
}

Region& Region::intersect(const Region& r) {
    std::vector<Rect> out;
    for (const Rect& a : rects_)
        for (const Rect& b : r.rects_) {
            Rect i = a.intersected(b);
            if (!i.isEmpty()) out.push_back(i);
        }
    rects_.swap(out);
    normalize();
    return *this;
}

Region& Region::subtract(const Rect& r) {
    if (r.isEmpty()) return *this;
    std::vector<Rect> out;
    for (const Rect& x : rects_) subtractInto(x, r, out);
    rects_.swap(out);
    normalize();
    return *this;
}

Region& Region::subtract(const Region& r) {
    for (const Rect& x : r.rects_) subtract(x);
    return *this;
}

Region& Region::translate(int dx, int dy) {
    for (Rect& r : rects_) r = r.translated(dx, dy);
    return *this;
}

bool Region::operator==(const Region& other) const {
    return area() == other.area() && subtracted(other).isEmpty() && other.subtracted(*this).isEmpty();
}

void Region::normalize() {
    // Merge vertically or horizontally adjacent rectangles of the same span, which keeps the
    // list short after repeated subtraction (clip stacks do a lot of it).
    bool merged = true;
    while (merged) {
        merged = false;
        for (size_t i = 0; i < rects_.size() && !merged; ++i) {
            for (size_t j = i + 1; j < rects_.size(); ++j) {
                Rect& a = rects_[i];
                const Rect& b = rects_[j];
                bool vertical = a.left == b.left && a.right == b.right && (a.bottom == b.top || b.bottom == a.top);
                bool horizontal = a.top == b.top && a.bottom == b.bottom && (a.right == b.left || b.right == a.left);
                if (vertical || horizontal) {
                    a = a.united(b);
                    rects_.erase(rects_.begin() + static_cast<long>(j));
                    merged = true;
                    break;
                }
            }
        }
    }
}

}  // namespace lindora
