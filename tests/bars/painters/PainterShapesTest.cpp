// Check marks, arrows and separators, pixel by pixel.
#include "bars/painters/PainterColors.h"
#include "bars/painters/PainterShapes.h"
#include "bars/painters/PainterTestSupport.h"

#include <gtest/gtest.h>

namespace lindora {
namespace {

using test::art;
using test::inkBounds;
using test::SchemeGuard;

std::string picture(int w, int h, const std::function<void(Canvas&)>& paint, const std::map<char, Color>& legend,
                    Color background = clWhite) {
    Bitmap b(w, h, background);
    Canvas c(b);
    paint(c);
    return art(b, b.bounds(), legend);
}

const std::map<char, Color> kInk{{'.', clWhite}, {'x', clBlack}};

TEST(PainterShapes, ArrowsInEveryDirection) {
    auto arrow = [](ArrowDirection d, int w, int h) {
        return picture(
            w, h,
            [d](Canvas& c) {
                DrawArrow(c, Point{0, 0}, d, 3, clBlack);
            },
            kInk);
    };
    EXPECT_EQ(arrow(ArrowDirection::Down, 5, 3),
              "xxxxx\n"
              ".xxx.\n"
              "..x..\n");
    EXPECT_EQ(arrow(ArrowDirection::Up, 5, 3),
              "..x..\n"
              ".xxx.\n"
              "xxxxx\n");
    EXPECT_EQ(arrow(ArrowDirection::Right, 3, 5),
              "x..\n"
              "xx.\n"
              "xxx\n"
              "xx.\n"
              "x..\n");
    EXPECT_EQ(arrow(ArrowDirection::Left, 3, 5),
              "..x\n"
              ".xx\n"
              "xxx\n"
              ".xx\n"
              "..x\n");
}

TEST(PainterShapes, ArrowSizesAndBounds) {
    EXPECT_EQ(ArrowBounds({2, 3}, ArrowDirection::Down, 4), Rect(2, 3, 9, 7));
    EXPECT_EQ(ArrowBounds({2, 3}, ArrowDirection::Left, 4), Rect(2, 3, 6, 10));
    EXPECT_TRUE(ArrowBounds({2, 3}, ArrowDirection::Up, 0).isEmpty());
    EXPECT_EQ(picture(
                  3, 3,
                  [](Canvas& c) {
                      DrawArrow(c, Point{1, 1}, ArrowDirection::Up, 1, clBlack);
                  },
                  kInk),
              "...\n"
              ".x.\n"
              "...\n");
    EXPECT_EQ(picture(
                  3, 3,
                  [](Canvas& c) {
                      DrawArrow(c, Point{1, 1}, ArrowDirection::Up, 0, clBlack);
                  },
                  kInk),
              "...\n"
              "...\n"
              "...\n");
    // A drop-down part: (smaller extent - 8) / 2, at least 3.
    struct Case {
        Rect r;
        int size;
    } cases[] = {{{0, 0, 11, 22}, 3}, {{0, 0, 8, 8}, 3}, {{0, 0, 30, 30}, 11}, {{0, 0, 20, 16}, 4}, {{0, 0, 0, 0}, 3}};
    for (const auto& c : cases) EXPECT_EQ(DropDownArrowSize(c.r), c.size) << c.r.width() << "x" << c.r.height();
    // The submenu scroll arrow of a 20-pixel item has a half-width of 20 / 3 - 2 = 4.
    EXPECT_EQ(ArrowBounds({}, ArrowDirection::Up, SubmenuScrollArrowSize(20)).width(), 9);
}

TEST(PainterShapes, DropDownArrowIsCentredInItsPart) {
    Bitmap b(11, 22, clWhite);
    Canvas c(b);
    DrawDropDownArrow(c, {0, 0, 11, 22}, clBlack);
    EXPECT_EQ(inkBounds(b, clWhite), Rect(3, 9, 8, 12));
    // Odd space splits with the extra pixel after the arrow.
    Bitmap d(12, 21, clWhite);
    Canvas dc(d);
    DrawArrow(dc, Rect{0, 0, 12, 21}, ArrowDirection::Right, 4, clBlack);
    EXPECT_EQ(inkBounds(d, clWhite), Rect(4, 7, 8, 14));
}

TEST(PainterShapes, CheckMarkPolylineOnThreeRows) {
    EXPECT_EQ(picture(
                  9, 8,
                  [](Canvas& c) {
                      DrawCheckMark(c, {0, 1}, 1, clBlack);
                  },
                  kInk),
              ".........\n"
              ".......x.\n"
              "......xx.\n"
              ".x...xxx.\n"
              ".xx.xxx..\n"
              ".xxxxx...\n"
              "..xxx....\n"
              "...x.....\n");
    // Scale 2 doubles every offset of the polyline.
    Bitmap b(20, 16, clWhite);
    Canvas c(b);
    DrawCheckMark(c, {0, 2}, 2, clBlack);
    EXPECT_EQ(inkBounds(b, clWhite), Rect(2, 1, 16, 13));
}

TEST(PainterShapes, CheckMarkScaleAndCentring) {
    EXPECT_EQ(CheckMarkScale(Font("Tahoma", -11)), 1);
    EXPECT_EQ(CheckMarkScale(Font("Tahoma", -20)), 1);  // 15 points
    EXPECT_EQ(CheckMarkScale(Font("Tahoma", -21)), 2);  // 16 points
    EXPECT_EQ(CheckMarkOrigin({0, 0, 14, 14}, 1), Point(2, 3));
    EXPECT_EQ(CheckMarkOrigin({10, 20, 28, 38}, 2), Point(10, 22));
}

TEST(PainterShapes, FlatCheckMarkColourFollowsTheScheme) {
    {
        SchemeGuard classic;
        EXPECT_EQ(FlatCheckMarkColor(true), clBlack);
        EXPECT_EQ(FlatCheckMarkColor(false), clBtnShadow);
    }
    {
        SchemeGuard white{{COLOR_BTNFACE, clWhite}};
        EXPECT_EQ(FlatCheckMarkColor(true), clWhite);
    }
    {
        SchemeGuard black{{COLOR_BTNFACE, clBlack}, {COLOR_BTNTEXT, RGB(255, 255, 0)}};
        EXPECT_EQ(FlatCheckMarkColor(true), clWhite);
    }
    SchemeGuard blackWithWhiteText{{COLOR_BTNFACE, clBlack}, {COLOR_BTNTEXT, clWhite}};
    EXPECT_EQ(FlatCheckMarkColor(true), clBlack);
}

TEST(PainterShapes, StandardCheckMark) {
    SchemeGuard classic;
    auto draw = [&](bool enabled) {
        // clBtnHighlight is white in this scheme: each picture names only the colours it uses.
        const std::map<char, Color> legend =
            enabled ? std::map<char, Color>{{'.', RGB(0, 128, 0)}, {'S', clSilver}, {'k', clBlack}, {'w', clWhite}}
                    : std::map<char, Color>{{'.', RGB(0, 128, 0)}, {'s', clBtnShadow}, {'h', clBtnHighlight}};
        Bitmap b(9, 9, RGB(0, 128, 0));
        Canvas c(b);
        DrawStandardCheckMark(c, {0, 1}, 1, enabled);
        return art(b, b.bounds(), legend);
    };
    EXPECT_EQ(draw(true),
              ".........\n"
              ".......S.\n"
              "......Skw\n"
              ".S...Skww\n"
              "wkS.Skw..\n"
              "wwkSkw...\n"
              "..wkw....\n"
              "...w.....\n"
              ".........\n");
    EXPECT_EQ(draw(false),
              ".........\n"
              ".......s.\n"
              "......ss.\n"
              ".s...sssh\n"
              ".ss.ssshh\n"
              ".ssssshh.\n"
              "..ssshh..\n"
              "...shh...\n"
              "....h....\n");
}

TEST(PainterShapes, ToolbarSeparators) {
    SchemeGuard classic;
    const std::map<char, Color> legend{{'.', clBtnFace}, {'s', clBtnShadow}, {'h', clBtnHighlight}};
    const Brush face(clBtnFace);
    EXPECT_EQ(SeparatorThickness(true), 5);
    EXPECT_EQ(SeparatorMargin(5, true), 2);
    EXPECT_EQ(SeparatorThickness(false), 6);
    EXPECT_EQ(SeparatorMargin(6, false), 2);
    // Between two buttons of a horizontal bar: a vertical line after the leading margin.
    EXPECT_EQ(picture(
                  7, 3,
                  [&](Canvas& c) {
                      DrawToolbarSeparator(c, {1, 0, 6, 3}, false, face, 2, false);
                  },
                  legend, RGB(1, 2, 3)),
              "?..s..?\n"
              "?..s..?\n"
              "?..s..?\n");
    // In a vertical bar: a horizontal line.
    EXPECT_EQ(picture(
                  3, 5,
                  [&](Canvas& c) {
                      DrawToolbarSeparator(c, {0, 0, 3, 5}, true, face, 2, false);
                  },
                  legend),
              "...\n"
              "...\n"
              "sss\n"
              "...\n"
              "...\n");
    EXPECT_EQ(picture(
                  6, 2,
                  [&](Canvas& c) {
                      DrawToolbarSeparator(c, {0, 0, 6, 2}, false, face, 2, true);
                  },
                  legend),
              "..sh..\n"
              "..sh..\n");
}

TEST(PainterShapes, FlatSubmenuSeparator) {
    SchemeGuard classic;
    const std::map<char, Color> legend{{'b', RGB(219, 216, 209)}, {'.', clWindow}, {'s', clBtnShadow}};
    EXPECT_EQ(picture(
                  16, 3,
                  [](Canvas& c) {
                      DrawFlatSubmenuSeparator(c, {0, 0, 16, 3}, 4, Brush(RGB(219, 216, 209)), Brush(clWindow), 3);
                  },
                  legend),
              "bbbb............\n"
              "bbbb...sssssssss\n"
              "bbbb............\n");
}

}  // namespace
}  // namespace lindora
