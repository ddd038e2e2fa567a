// Bar borders, grips and tiled backgrounds of the flat look, pixel by pixel.
#include "bars/painters/BarFrames.h"
#include "bars/painters/PainterTestSupport.h"

#include <gtest/gtest.h>

namespace lindora {
namespace {

using test::art;
using test::SchemeGuard;

constexpr Color kBarBack = RGB(219, 216, 209);

TEST(BarFrames, DockedHorizontalBarWithGrip) {
    SchemeGuard classic;
    Bitmap b(10, 14, kBarBack);
    Canvas c(b);
    DrawFlatDockedBarBorder(c, b.bounds(), true, true, Brush(kBarBack));
    EXPECT_EQ(art(b, b.bounds(), {{'F', clBtnFace}, {'b', kBarBack}, {'s', clBtnShadow}}),
              "FFFFFFFFFF\n"
              "FFbbbbbbFF\n"
              "FbbbbbbbbF\n"
              "FbbbbbbbbF\n"
              "FbbbbbbbbF\n"
              "FbbsssbbbF\n"
              "FbbbbbbbbF\n"
              "FbbsssbbbF\n"
              "FbbbbbbbbF\n"
              "FbbbbbbbbF\n"
              "FbbbbbbbbF\n"
              "FbbbbbbbbF\n"
              "FFbbbbbbFF\n"
              "FFFFFFFFFF\n");
    EXPECT_EQ(FlatGripMetrics::GripAreaSize, 6);
}

TEST(BarFrames, DockedVerticalBarWithGrip) {
    SchemeGuard classic;
    Bitmap b(14, 10, kBarBack);
    Canvas c(b);
    DrawFlatDockedBarBorder(c, b.bounds(), false, true, Brush(kBarBack));
    EXPECT_EQ(art(b, b.bounds(), {{'F', clBtnFace}, {'b', kBarBack}, {'s', clBtnShadow}}),
              "FFFFFFFFFFFFFF\n"
              "FFbbbbbbbbbbFF\n"
              "FbbbbbbbbbbbbF\n"
              "FbbbbsbsbbbbbF\n"
              "FbbbbsbsbbbbbF\n"
              "FbbbbsbsbbbbbF\n"
              "FbbbbbbbbbbbbF\n"
              "FbbbbbbbbbbbbF\n"
              "FFbbbbbbbbbbFF\n"
              "FFFFFFFFFFFFFF\n");
}

TEST(BarFrames, GripOfTheMainToolbarAndWithoutRoom) {
    // A 26-pixel bar: 16 grip lines, the first in the shadow colour.
    EXPECT_EQ(FlatGripRect({0, 0, 805, 26}, true), Rect(3, 5, 6, 21));
    EXPECT_EQ(FlatGripRect({0, 0, 26, 300}, false), Rect(5, 3, 21, 6));
    // Too thin a bar has no grip, and drawing it paints only the frame.
    SchemeGuard classic;
    Bitmap b(10, 9, kBarBack);
    Canvas c(b);
    DrawFlatDockedBarBorder(c, b.bounds(), true, true, Brush(kBarBack));
    EXPECT_EQ(art(b, {0, 2, 10, 7}, {{'F', clBtnFace}, {'b', kBarBack}}),
              "FbbbbbbbbF\n"
              "FbbbbbbbbF\n"
              "FbbbbbbbbF\n"
              "FbbbbbbbbF\n"
              "FbbbbbbbbF\n");
}

TEST(BarFrames, FloatingBarBorder) {
    SchemeGuard classic;
    constexpr Color kInside = RGB(1, 2, 3);
    const Color frame = RGB(102, 102, 102);
    Bitmap b(8, 7, kInside);
    Canvas c(b);
    DrawFlatFloatingBarBorder(c, b.bounds(), 3, Brush(frame), Brush(kBarBack));
    EXPECT_EQ(art(b, b.bounds(), {{'f', frame}, {'h', clBtnHighlight}, {'b', kBarBack}, {'.', kInside}}),
              "ffffffff\n"
              "fhhhhhhf\n"
              "fhbbbbhf\n"
              "fhb..bhf\n"
              "fhbbbbhf\n"
              "fhhhhhhf\n"
              "ffffffff\n");
}

TEST(BarFrames, TilesLineUpWithThePlane) {
    // A 3 x 2 tile whose pixels all differ.
    Bitmap tile(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) tile.setColor(x, y, RGB(40 * x + 1, 100 * y + 1, 7));
    constexpr Color kOutside = RGB(250, 250, 250);
    const Rect canvasRect{10, 10, 17, 14};
    for (const Rect plane : {Rect{0, 0, 7, 4}, Rect{4, 1, 11, 5}, Rect{-5, -3, 2, 1}}) {
        Bitmap b(24, 20, kOutside);
        Canvas c(b);
        DrawTiledBackground(c, canvasRect, plane, tile);
        for (int y = 0; y < b.height(); ++y)
            for (int x = 0; x < b.width(); ++x) {
                Color expected = kOutside;
                if (canvasRect.contains({x, y})) {
                    const int px = x - canvasRect.left + plane.left, py = y - canvasRect.top + plane.top;
                    expected = tile.colorAt(((px % 3) + 3) % 3, ((py % 2) + 2) % 2);
                }
                ASSERT_EQ(b.colorAt(x, y), expected) << x << "," << y << " plane " << plane.left << "," << plane.top;
            }
    }
}

TEST(BarFrames, NothingToTile) {
    Bitmap b(8, 8, clWhite);
    const Bitmap before = b;
    Canvas c(b);
    DrawTiledBackground(c, {0, 0, 8, 8}, {0, 0, 8, 8}, Bitmap());
    DrawTiledBackground(c, {0, 0, 8, 8}, {3, 3, 3, 9}, Bitmap(2, 2, clBlack));
    EXPECT_EQ(b, before);
}

}  // namespace
}  // namespace lindora
