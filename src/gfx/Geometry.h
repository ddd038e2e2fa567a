#pragma once
// Integer geometry. A rectangle's right and bottom edges lie outside it: {0, 0, 10, 10} covers
// the pixels 0..9 both ways, and is empty when right <= left or bottom <= top.
#include <algorithm>

namespace lindora {

struct Point {
    int x = 0;
    int y = 0;

    constexpr Point() = default;
    constexpr Point(int x_, int y_) : x(x_), y(y_) {}
    constexpr Point operator+(Point o) const { return {x + o.x, y + o.y}; }
    constexpr Point operator-(Point o) const { return {x - o.x, y - o.y}; }
    constexpr Point& operator+=(Point o) {
        x += o.x;
        y += o.y;
        return *this;
    }
    constexpr Point& operator-=(Point o) {
        x -= o.x;
        y -= o.y;
        return *this;
    }
    constexpr bool operator==(const Point&) const = default;
};

struct Size {
    int cx = 0;
    int cy = 0;

    constexpr Size() = default;
    constexpr Size(int w, int h) : cx(w), cy(h) {}
    constexpr bool isEmpty() const { return cx <= 0 || cy <= 0; }
    constexpr bool operator==(const Size&) const = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr Rect() = default;
    constexpr Rect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    constexpr Rect(Point topLeft, Size size)
        : left(topLeft.x), top(topLeft.y), right(topLeft.x + size.cx), bottom(topLeft.y + size.cy) {}
    static constexpr Rect fromSize(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr Size size() const { return {width(), height()}; }
    constexpr Point topLeft() const { return {left, top}; }
    constexpr Point bottomRight() const { return {right, bottom}; }
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }
    constexpr bool contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    constexpr bool contains(const Rect& r) const {
        return r.isEmpty() || (r.left >= left && r.top >= top && r.right <= right && r.bottom <= bottom);
    }
    constexpr bool intersects(const Rect& r) const { return !intersected(r).isEmpty(); }

    // The common part; an empty rectangle ({0,0,0,0}) when there is none.
    constexpr Rect intersected(const Rect& r) const {
        Rect x{std::max(left, r.left), std::max(top, r.top), std::min(right, r.right), std::min(bottom, r.bottom)};
        return x.isEmpty() ? Rect{} : x;
    }
    // The bounding box; an empty operand does not count.
    constexpr Rect united(const Rect& r) const {
        if (r.isEmpty()) return isEmpty() ? Rect{} : *this;
        if (isEmpty()) return r;
        return {std::min(left, r.left), std::min(top, r.top), std::max(right, r.right), std::max(bottom, r.bottom)};
    }
    constexpr Rect translated(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    constexpr Rect translated(Point d) const { return translated(d.x, d.y); }
    // Grows by dx on the left and right and by dy at the top and bottom (negative shrinks).
    constexpr Rect inflated(int dx, int dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }
    constexpr Rect normalized() const {
        return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
    }
    constexpr bool operator==(const Rect&) const = default;
};

}  // namespace lindora
