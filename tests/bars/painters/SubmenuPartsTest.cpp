// A flat submenu item's background around its glyph band, and the mark's triangle.
#include "bars/painters/PainterTestSupport.h"
#include "bars/painters/SubmenuParts.h"

#include <gtest/gtest.h>

namespace lindora {
namespace {

using test::art;
using test::inkBounds;

constexpr Color kInside = RGB(1, 2, 3);
constexpr Color kBand = RGB(219, 216, 209);
constexpr Color kHot = RGB(183, 191, 212);
constexpr Color kFrame = RGB(10, 36, 106);

const FlatSubmenuBrushes kBrushes{Brush(kBand), Brush(clWhite), Brush(kHot), kFrame};
const std::map<char, Color> kLegend{{'.', kInside}, {'b', kBand}, {'w', clWhite}, {'h', kHot}, {'f', kFrame}};

TEST(SubmenuParts, UnselectedItemErasesItsFrameAroundTheBand) {
    Bitmap b(14, 6, kInside);
    Canvas c(b);
    const FlatSubmenuItemLayout layout = DrawFlatSubmenuItemBackground(c, b.bounds(), false, kBrushes);
    EXPECT_EQ(art(b, b.bounds(), kLegend),
              "bbbbbbbwwwwwww\n"
              "b....bbwwwwwww\n"
              "b....bbwwwwwww\n"
              "b....bbwwwwwww\n"
              "b....bbwwwwwww\n"
              "bbbbbbbwwwwwww\n");
    EXPECT_EQ(layout.band, Rect(1, 1, 5, 5));
    EXPECT_EQ(layout.caption, Rect(15, 1, 15, 5));  // past a narrow item: empty, not inverted
}

TEST(SubmenuParts, SelectedItemIsFramedAndHot) {
    Bitmap b(30, 6, kInside);
    Canvas c(b);
    const FlatSubmenuItemLayout layout = DrawFlatSubmenuItemBackground(c, b.bounds(), true, kBrushes);
    EXPECT_EQ(art(b, {0, 0, 12, 6}, kLegend),
              "ffffffffffff\n"
              "f....hhhhhhh\n"
              "f....hhhhhhh\n"
              "f....hhhhhhh\n"
              "f....hhhhhhh\n"
              "ffffffffffff\n");
    EXPECT_EQ(layout.caption, Rect(15, 1, 29, 5));
}

TEST(SubmenuParts, MarkTriangle) {
    const std::map<char, Color> legend{{'.', clWhite}, {'x', clBlack}};
    Bitmap b(11, 22, clWhite);
    Canvas c(b);
    DrawMarkTriangle(c, b.bounds(), true, false, clBlack);
    EXPECT_EQ(inkBounds(b, clWhite), Rect(3, 15, 8, 18));
    EXPECT_EQ(art(b, {2, 15, 9, 18}, legend),
              ".xxxxx.\n"
              "..xxx..\n"
              "...x...\n");
    Bitmap narrow(11, 16, clWhite);
    Canvas nc(narrow);
    DrawMarkTriangle(nc, narrow.bounds(), true, true, clBlack);
    EXPECT_EQ(inkBounds(narrow, clWhite), Rect(3, 10, 8, 13));
    Bitmap v(22, 11, clWhite);
    Canvas vc(v);
    DrawMarkTriangle(vc, v.bounds(), false, false, clBlack);
    EXPECT_EQ(art(v, {2, 2, 7, 9}, legend),
              ".....\n"
              "...x.\n"
              "..xx.\n"
              ".xxx.\n"
              "..xx.\n"
              "...x.\n"
              ".....\n");
}

}  // namespace
}  // namespace lindora
