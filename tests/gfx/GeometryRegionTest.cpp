#include "gfx/Geometry.h"
#include "gfx/Region.h"

#include <gtest/gtest.h>

namespace lindora {
namespace {

TEST(Rect, RightAndBottomEdgesLieOutside) {
    Rect r{2, 3, 5, 7};
    EXPECT_EQ(r.width(), 3);
    EXPECT_EQ(r.height(), 4);
    EXPECT_TRUE(r.contains(Point{2, 3}));
    EXPECT_TRUE(r.contains(Point{4, 6}));
    EXPECT_FALSE(r.contains(Point{5, 6}));
    EXPECT_FALSE(r.contains(Point{4, 7}));
    EXPECT_TRUE((Rect{1, 1, 1, 5}).isEmpty());
    EXPECT_TRUE((Rect{5, 1, 1, 5}).isEmpty());
}

TEST(Rect, IntersectionAndUnion) {
    Rect a{0, 0, 10, 10}, b{5, 5, 15, 15}, far{20, 20, 30, 30};
    EXPECT_EQ(a.intersected(b), (Rect{5, 5, 10, 10}));
    EXPECT_EQ(a.intersected(far), Rect{});
    EXPECT_FALSE(a.intersects(Rect{10, 0, 12, 10}));  // touching edges share no pixel
    EXPECT_EQ(a.united(b), (Rect{0, 0, 15, 15}));
    EXPECT_EQ(a.united(Rect{}), a);
    EXPECT_EQ(Rect{}.united(b), b);
    EXPECT_EQ(a.inflated(-2, -1), (Rect{2, 1, 8, 9}));
}

TEST(Region, UnionIntersectionSubtractionKeepDisjointRectangles) {
    Region r(Rect{0, 0, 10, 10});
    r.unite(Rect{5, 5, 15, 15});
    EXPECT_EQ(r.area(), 100 + 100 - 25);
    for (size_t i = 0; i < r.rects().size(); ++i)
        for (size_t j = i + 1; j < r.rects().size(); ++j) EXPECT_FALSE(r.rects()[i].intersects(r.rects()[j]));
    EXPECT_TRUE(r.contains({12, 12}));
    EXPECT_FALSE(r.contains({12, 2}));
    EXPECT_EQ(r.bounds(), (Rect{0, 0, 15, 15}));

    Region hole(Rect{0, 0, 10, 10});
    hole.subtract(Rect{3, 3, 6, 6});
    EXPECT_EQ(hole.area(), 91);
    EXPECT_FALSE(hole.contains({4, 4}));
    EXPECT_TRUE(hole.contains({2, 4}));
    EXPECT_TRUE(hole.contains({6, 4}));

    Region i = hole.intersected(Region(Rect{4, 0, 20, 5}));
    EXPECT_EQ(i.area(), 6 * 5 - 2 * 2);
    EXPECT_TRUE(Region(Rect{0, 0, 5, 5}).subtracted(Region(Rect{-1, -1, 6, 6})).isEmpty());
}

TEST(Region, EqualityComparesPixelsNotLists) {
    Region a(Rect{0, 0, 10, 5});
    a.unite(Rect{0, 5, 10, 10});
    Region b;
    b.unite(Rect{0, 0, 5, 10}).unite(Rect{5, 0, 10, 10});
    EXPECT_EQ(a, b);
    EXPECT_EQ(a.rects().size(), 1u);  // adjacent pieces merge
    b.subtract(Rect{9, 9, 10, 10});
    EXPECT_FALSE(a == b);
}

}  // namespace
}  // namespace lindora
