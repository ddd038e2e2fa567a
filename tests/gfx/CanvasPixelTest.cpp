// Exact pixel rules of the canvas: pens, rectangles, polygons, 3D edges, pattern brushes.
#include "GfxTestUtil.h"

#include "gfx/Canvas.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>
#include <utility>

namespace lindora {
namespace {

using test::art;

std::set<std::pair<int, int>> inked(const Canvas& c, Color background = clWhite) {
    std::set<std::pair<int, int>> out;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (c.bitmap().colorAt(x, y) != colorToRGB(background)) out.insert({x, y});
    return out;
}

struct LineCase {
    Point from, to;
    std::set<std::pair<int, int>> pixels;
};

void PrintTo(const LineCase& lc, std::ostream* os) {
    *os << "(" << lc.from.x << "," << lc.from.y << ")-(" << lc.to.x << "," << lc.to.y << ")";
}

class PenLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(PenLines, DrawEveryPixelButTheEndPoint) {
    const LineCase& lc = GetParam();
    Canvas c(12, 12);
    c.bitmap().fill(clWhite);
    c.setPenColor(clBlack);
    c.moveTo(lc.from);
    c.lineTo(lc.to);
    EXPECT_EQ(inked(c), lc.pixels);
    EXPECT_EQ(c.penPosition(), lc.to);
}

INSTANTIATE_TEST_SUITE_P(Bresenham, PenLines,
                         ::testing::Values(LineCase{{1, 1}, {6, 1}, {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}}},
                                           LineCase{{6, 1}, {1, 1}, {{6, 1}, {5, 1}, {4, 1}, {3, 1}, {2, 1}}},
                                           LineCase{{2, 5}, {2, 2}, {{2, 5}, {2, 4}, {2, 3}}},
                                           LineCase{{0, 0}, {4, 4}, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
                                           LineCase{{4, 0}, {0, 4}, {{4, 0}, {3, 1}, {2, 2}, {1, 3}}},
                                           LineCase{{0, 0}, {4, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
                                           // Reversed, the same pixels but for the ends: ties break the same way.
                                           LineCase{{4, 2}, {0, 0}, {{4, 2}, {3, 1}, {2, 1}, {1, 0}}},
                                           LineCase{{0, 0}, {2, 4}, {{0, 0}, {0, 1}, {1, 2}, {1, 3}}},
                                           LineCase{{2, 4}, {0, 0}, {{2, 4}, {1, 3}, {1, 2}, {0, 1}}},
                                           LineCase{{3, 3}, {3, 3}, {}}),
                         [](const ::testing::TestParamInfo<LineCase>& info) {
                             const LineCase& lc = info.param;
                             auto n = [](int v) { return std::to_string(v); };
                             return "From" + n(lc.from.x) + "_" + n(lc.from.y) + "To" + n(lc.to.x) + "_" + n(lc.to.y);
                         });

TEST(CanvasLines, PolylineJoinsSegmentsAndSkipsOnlyTheLastPoint) {
    Canvas c(6, 6);
    c.bitmap().fill(clWhite);
    c.setPenColor(clBlack);
    c.polyline({{1, 1}, {4, 1}, {4, 4}});
    EXPECT_EQ(art(c.bitmap(), c.bitmap().bounds(), {{'.', clWhite}, {'#', clBlack}}),
              "......\n"
              ".####.\n"
              "....#.\n"
              "....#.\n"
              "......\n"
              "......\n");
}

TEST(CanvasLines, NullPenDrawsNothingAndLinesOutsideAreClipped) {
    Canvas c(5, 5);
    c.bitmap().fill(clWhite);
    c.setPenColor(clNone);
    c.moveTo(0, 2);
    c.lineTo(5, 2);
    EXPECT_TRUE(inked(c).empty());
    c.setPenColor(clBlack);
    c.moveTo(-1000, -1000);
    c.lineTo(1000, 1000);
    EXPECT_EQ(inked(c), (std::set<std::pair<int, int>>{{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}}));
}

TEST(CanvasRects, FillFrameAndRectangleLeaveRightAndBottomOutside) {
    Canvas c(8, 6);
    c.bitmap().fill(clWhite);
    c.fillRect({1, 1, 4, 3}, Brush(clRed));
    c.frameRect({4, 1, 8, 6}, Brush(clBlue));
    EXPECT_EQ(art(c.bitmap(), c.bitmap().bounds(), {{'.', clWhite}, {'R', clRed}, {'B', clBlue}}),
              "........\n"
              ".RRRBBBB\n"
              ".RRRB..B\n"
              "....B..B\n"
              "....B..B\n"
              "....BBBB\n");
    Canvas d(5, 4);
    d.bitmap().fill(clWhite);
    d.setPenColor(clBlack);
    d.setBrush(Brush(clRed));
    d.rectangle({0, 0, 5, 4});
    EXPECT_EQ(art(d.bitmap(), d.bitmap().bounds(), {{'.', clWhite}, {'R', clRed}, {'#', clBlack}}),
              "#####\n"
              "#RRR#\n"
              "#RRR#\n"
              "#####\n");
    // Empty and inverted rectangles paint nothing.
    d.fillRect({3, 3, 3, 9}, Brush(clBlue));
    d.fillRect({4, 4, 1, 1}, Brush(clBlue));
    d.frameRect({4, 4, 1, 1}, Brush(clBlue));
    EXPECT_EQ(test::inkBounds(d.bitmap(), clBlue), d.bitmap().bounds());
}

TEST(CanvasRects, FillsOutsideTheBitmapAreCut) {
    Canvas c(4, 4);
    c.bitmap().fill(clWhite);
    c.fillRect({-100, 2, 100, 100}, Brush(clRed));
    EXPECT_EQ(test::inkBounds(c.bitmap(), clWhite), (Rect{0, 2, 4, 4}));
    c.fillRect({-5, -5, -1, -1}, Brush(clRed));
    c.fillRect({4, 0, 9, 9}, Brush(clRed));
    EXPECT_EQ(test::inkBounds(c.bitmap(), clWhite), (Rect{0, 2, 4, 4}));
}

TEST(CanvasShapes, FilledTriangleIsTheClassicFiveThreeOne) {
    Canvas c(10, 5);
    c.bitmap().fill(clWhite);
    c.filledTriangle({3, 1}, {7, 1}, {5, 3}, clBlack);
    EXPECT_EQ(art(c.bitmap(), c.bitmap().bounds(), {{'.', clWhite}, {'#', clBlack}}),
              "..........\n"
              "...#####..\n"
              "....###...\n"
              ".....#....\n"
              "..........\n");
    // The same triangle pointing left, as the enhanced mark draws it.
    Canvas l(8, 9);
    l.bitmap().fill(clWhite);
    l.filledTriangle({5, 3}, {5, 7}, {3, 5}, clBlack);
    EXPECT_EQ(art(l.bitmap(), {2, 2, 7, 8}, {{'.', clWhite}, {'#', clBlack}}),
              ".....\n"
              "...#.\n"
              "..##.\n"
              ".###.\n"
              "..##.\n"
              "...#.\n");
}

TEST(CanvasShapes, PolygonFillExcludesRightAndBottomEdges) {
    Canvas c(8, 8);
    c.bitmap().fill(clWhite);
    c.setPenColor(clNone);
    c.setBrush(Brush(clRed));
    c.polygon({{1, 1}, {5, 1}, {5, 4}, {1, 4}});
    EXPECT_EQ(test::inkBounds(c.bitmap(), clWhite), (Rect{1, 1, 5, 4}));
    EXPECT_EQ(c.bitmap().colorAt(4, 3), clRed);
}

TEST(CanvasShapes, EvenOddAndWindingFillRules) {
    // An outline that crosses itself: the doubly covered part is filled only by winding.
    const Point star[] = {{0, 4}, {8, 4}, {8, 6}, {2, 6}, {2, 0}, {4, 0}, {4, 8}, {0, 8}};
    for (FillRule rule : {FillRule::EvenOdd, FillRule::Winding}) {
        Canvas c(10, 10);
        c.bitmap().fill(clWhite);
        c.setPenColor(clNone);
        c.setBrush(Brush(clRed));
        c.setFillRule(rule);
        c.polygon(star);
        // (3, 5) is covered twice by the self-overlapping outline.
        EXPECT_EQ(c.bitmap().colorAt(3, 5), rule == FillRule::Winding ? clRed : clWhite);
        EXPECT_EQ(c.bitmap().colorAt(1, 7), clRed);
    }
}

// --- 3D edges --------------------------------------------------------------------------------

class Edges : public ::testing::Test {
protected:
    test::DistinctSystemColors colors_;
    std::map<char, Color> legend_{{'.', clWhite},        {'L', cl3DLight},   {'D', cl3DDkShadow},
                                  {'H', clBtnHighlight}, {'S', clBtnShadow}, {'F', clBtnFace}};
    std::string draw(unsigned edge, unsigned flags, Rect r = {0, 0, 6, 5}, Rect* inner = nullptr) {
        Canvas c(r.right, r.bottom);
        c.bitmap().fill(clWhite);
        Rect in = c.drawEdge(r, edge, flags);
        if (inner) *inner = in;
        return art(c.bitmap(), c.bitmap().bounds(), legend_);
    }
};

TEST_F(Edges, RaisedHasLightOutsideHighlightInsideAndDarkCorners) {
    EXPECT_EQ(draw(EDGE_RAISED, BF_RECT),
              "LLLLLD\n"
              "LHHHSD\n"
              "LH..SD\n"
              "LSSSSD\n"
              "DDDDDD\n");
}

TEST_F(Edges, SunkenEtchedAndBump) {
    EXPECT_EQ(draw(EDGE_SUNKEN, BF_RECT),
              "SSSSSH\n"
              "SDDDLH\n"
              "SD..LH\n"
              "SLLLLH\n"
              "HHHHHH\n");
    EXPECT_EQ(draw(EDGE_ETCHED, BF_RECT),
              "SSSSSH\n"
              "SHHHSH\n"
              "SH..SH\n"
              "SSSSSH\n"
              "HHHHHH\n");
    EXPECT_EQ(draw(EDGE_BUMP, BF_RECT),
              "LLLLLD\n"
              "LDDDLD\n"
              "LD..LD\n"
              "LLLLLD\n"
              "DDDDDD\n");
}

TEST_F(Edges, SingleLayersLieOnTheOutermostPixels) {
    // The two borders the static items use: sunken outer and raised inner.
    EXPECT_EQ(draw(BDR_SUNKENOUTER, BF_RECT, {0, 0, 4, 4}),
              "SSSH\n"
              "S..H\n"
              "S..H\n"
              "HHHH\n");
    EXPECT_EQ(draw(BDR_RAISEDINNER, BF_RECT, {0, 0, 4, 4}),
              "HHHS\n"
              "H..S\n"
              "H..S\n"
              "SSSS\n");
    EXPECT_EQ(draw(BDR_RAISEDOUTER | BDR_SUNKENOUTER, BF_RECT, {0, 0, 3, 3}), "...\n...\n...\n");
}

TEST_F(Edges, PartialSidesMiddleFillSoftAndAdjust) {
    Rect inner;
    EXPECT_EQ(draw(EDGE_SUNKEN, BF_TOP | BF_LEFT | BF_MIDDLE, {0, 0, 5, 4}, &inner),
              "SSSSS\n"
              "SDDDD\n"
              "SDFFF\n"
              "SDFFF\n");
    EXPECT_EQ(inner, (Rect{2, 2, 5, 4}));
    EXPECT_EQ(draw(BDR_RAISEDINNER, BF_BOTTOM | BF_ADJUST, {0, 0, 3, 3}, &inner),
              "...\n"
              "...\n"
              "SSS\n");
    EXPECT_EQ(inner, (Rect{0, 0, 3, 2}));
    EXPECT_EQ(draw(EDGE_RAISED, BF_RECT | BF_SOFT, {0, 0, 4, 4}),
              "HHHD\n"
              "HLSD\n"
              "HSSD\n"
              "DDDD\n");
}

// --- brushes ---------------------------------------------------------------------------------

TEST(PatternBrush, CheckerPhaseFollowsDeviceCoordinatesAndBrushOrigin) {
    Brush checker = Brush::checker(clBtnFace, clBtnHighlight);
    const std::map<char, Color> legend{{'F', clBtnFace}, {'H', clBtnHighlight}};
    Canvas c(12, 3);
    c.fillRect({0, 0, 12, 3}, checker);
    EXPECT_EQ(art(c.bitmap(), c.bitmap().bounds(), legend),
              "FHFHFHFHFHFH\n"
              "HFHFHFHFHFHF\n"
              "FHFHFHFHFHFH\n");

    // A logical origin moves the drawing, not the pattern: it stays aligned to the bitmap.
    Canvas o(4, 2);
    o.setOrigin({1, 0});
    o.fillRect({-1, 0, 3, 2}, checker);
    EXPECT_EQ(art(o.bitmap(), o.bitmap().bounds(), legend), "FHFH\nHFHF\n");

    // The brush origin shifts the phase.
    Canvas b(4, 2);
    b.setBrushOrigin({1, 0});
    b.fillRect({0, 0, 4, 2}, checker);
    EXPECT_EQ(art(b.bitmap(), b.bitmap().bounds(), legend), "HFHF\nFHFH\n");
}

TEST(PatternBrush, EightByEightRepeatAndSmallPatternsTile) {
    Bitmap p(8, 8, clWhite);
    p.setColor(7, 7, clRed);
    Canvas c(20, 20);
    c.setBrushOrigin({-3, -3});
    c.fillRect({0, 0, 20, 20}, Brush::pattern(p));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            EXPECT_EQ(c.bitmap().colorAt(x, y) == clRed, (x + 3) % 8 == 7 && (y + 3) % 8 == 7) << x << "," << y;

    Bitmap two(2, 1, clBlack);
    two.setColor(1, 0, clWhite);
    Brush stripes = Brush::pattern(two);
    EXPECT_EQ(stripes.pixelAt(9, 4), colorToPixel(clWhite));
    EXPECT_EQ(stripes.pixelAt(-2, 0), colorToPixel(clBlack));
    EXPECT_TRUE(Brush::pattern(Bitmap()).isNull());
}

TEST(SolidBrush, SystemColourIsResolvedWhenPainting) {
    Brush face(clBtnFace);
    Canvas c(1, 1);
    c.fillRect({0, 0, 1, 1}, face);
    EXPECT_EQ(c.pixel(0, 0), colorToRGB(clBtnFace));
    {
        test::DistinctSystemColors changed;
        c.fillRect({0, 0, 1, 1}, face);
        EXPECT_EQ(c.pixel(0, 0), SystemColors::get(COLOR_BTNFACE));
    }
    EXPECT_TRUE(Brush(clNone).isNull());
}

}  // namespace
}  // namespace lindora
