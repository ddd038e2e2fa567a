// The glyph effects of DrawItemGlyph on a 4 x 4 fixture glyph inside an 8 x 8 item:
//   K R R K     K the transparent key (fuchsia, also the bottom-left pixel)
//   R W B R     R red 200,40,0; B blue 0,0,160; W white
//   R B W R
//   K R R K
#include "bars/painters/ItemGlyph.h"
#include "bars/painters/PainterColors.h"
#include "bars/painters/PainterTestSupport.h"
#include "gfx/ImageList.h"

#include <gtest/gtest.h>

namespace lindora {
namespace {

using test::art;
using test::SchemeGuard;

constexpr Color kRed = RGB(200, 40, 0);
constexpr Color kBlue = RGB(0, 0, 160);
constexpr Color kBack = RGB(10, 200, 10);  // the item's background brush

Bitmap fixtureGlyph() {
    const char* rows[] = {"KRRK", "RWBR", "RBWR", "KRRK"};
    Bitmap b(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const char ch = rows[y][x];
            b.setColor(x, y, ch == 'K' ? clFuchsia : ch == 'R' ? kRed : ch == 'B' ? kBlue : clWhite);
        }
    return b;
}

class ItemGlyph : public ::testing::Test {
protected:
    ItemGlyph() : images(4, 4) { images.add(fixtureGlyph()); }

    ItemGlyphParams params() const {
        ItemGlyphParams p;
        p.background = Brush(kBack);
        p.itemRect = {0, 0, 8, 8};
        p.glyphRect = {2, 2, 6, 6};
        p.imageIndex = 0;
        p.images = &images;
        return p;
    }

    std::string draw(const ItemGlyphParams& p, const std::map<char, Color>& legend) {
        Bitmap target(8, 8, clBlack);
        Canvas c(target);
        DrawItemGlyph(c, p);
        return art(target, target.bounds(), legend);
    }

    SchemeGuard classic;
    ImageList images;
    const std::map<char, Color> plain{{'.', kBack}, {'R', kRed}, {'B', kBlue}, {'W', clWhite}};
};

TEST_F(ItemGlyph, EnabledGlyphIsCopiedWithoutItsKeyColour) {
    EXPECT_EQ(draw(params(), plain),
              "........\n"
              "........\n"
              "...RR...\n"
              "..RWBR..\n"
              "..RBWR..\n"
              "...RR...\n"
              "........\n"
              "........\n");
}

TEST_F(ItemGlyph, FlatIdleGlyphIsLightenedOnlyAboveEightBits) {
    ItemGlyphParams p = params();
    p.flatLook = true;
    const std::map<char, Color> light{{'.', kBack}, {'r', RGB(217, 105, 77)}, {'b', RGB(77, 77, 189)}, {'W', clWhite}};
    EXPECT_EQ(draw(p, light),
              "........\n"
              "........\n"
              "...rr...\n"
              "..rWbr..\n"
              "..rbWr..\n"
              "...rr...\n"
              "........\n"
              "........\n");
    p.bitsPerPixel = 8;
    EXPECT_EQ(draw(p, plain), draw(params(), plain));
    // Hot, checked and grayscale glyphs are never lightened.
    for (int i = 0; i < 2; ++i) {
        ItemGlyphParams q = params();
        q.flatLook = true;
        (i == 0 ? q.hot : q.checked) = true;
        EXPECT_EQ(draw(q, plain), draw(params(), plain)) << i;
    }
}

TEST_F(ItemGlyph, FlatHotGlyphIsRaisedAboveItsShadow) {
    ItemGlyphParams p = params();
    p.flatLook = true;
    p.raisedWhenHot = true;
    p.hot = true;
    std::map<char, Color> legend = plain;
    legend['s'] = clBtnShadow;
    EXPECT_EQ(draw(p, legend),
              "........\n"
              "..RR....\n"
              ".RWBR...\n"
              ".RBWRs..\n"
              "..RRsss.\n"
              "...ssss.\n"
              "....ss..\n"
              "........\n");
    // Pressed, or without the flag, it stays in place.
    p.pressed = true;
    EXPECT_EQ(draw(p, plain), draw(params(), plain));
    p.pressed = false;
    p.raisedWhenHot = false;
    EXPECT_EQ(draw(p, plain), draw(params(), plain));
}

TEST_F(ItemGlyph, DisabledGlyphIsEmbossedInTheStandardLookAndFlatInTheFlatLook) {
    ItemGlyphParams p = params();
    p.enabled = false;
    const std::map<char, Color> legend{{'.', kBack}, {'s', clBtnShadow}, {'h', clBtnHighlight}};
    // White pixels of the image are background in the silhouette.
    EXPECT_EQ(draw(p, legend),
              "........\n"
              "........\n"
              "...ss...\n"
              "..s.ss..\n"
              "..ss.sh.\n"
              "...ss.h.\n"
              "....hh..\n"
              "........\n");
    p.flatLook = true;
    EXPECT_EQ(draw(p, legend),
              "........\n"
              "........\n"
              "...ss...\n"
              "..s.ss..\n"
              "..ss.s..\n"
              "...ss...\n"
              "........\n"
              "........\n");
}

TEST_F(ItemGlyph, FadedPixelWeightsBlueMoreThanRed) {
    const Color faded = RGB(167, 167, 167);
    struct Case {
        Color in, expected;
    } cases[] = {
        {RGB(200, 40, 0), RGB(149, 149, 149)}, {RGB(0, 40, 200), RGB(156, 156, 156)}, {clWhite, RGB(189, 189, 189)},
        {clBlack, RGB(141, 141, 141)},         {RGB(0, 0, 0), RGB(141, 141, 141)},
    };
    for (const auto& c : cases) EXPECT_EQ(FadedGlyphPixel(c.in, faded), c.expected) << colorToString(c.in);
    EXPECT_EQ(FadedGlyphPixel(clBlack, RGB(0, 0, 255)), RGB(15, 15, 207));
}

TEST_F(ItemGlyph, FadedDisabledGlyphKeepsTheBackgroundAroundIt) {
    // The cell's key colour is recoloured too (fuchsia becomes 160,160,160); the glyph's
    // outline must still come from the key, not from the recoloured cell.
    ItemGlyphParams p = params();
    p.enabled = false;
    p.fadedDisabledColor = RGB(167, 167, 167);
    const std::map<char, Color> legend{{'.', kBack},
                                       {'r', RGB(149, 149, 149)},
                                       {'b', FadedGlyphPixel(kBlue, p.fadedDisabledColor)},
                                       {'w', RGB(189, 189, 189)}};
    EXPECT_EQ(draw(p, legend),
              "........\n"
              "........\n"
              "...rr...\n"
              "..rwbr..\n"
              "..rbwr..\n"
              "...rr...\n"
              "........\n"
              "........\n");
}

TEST_F(ItemGlyph, GrayscaleAveragesTheChannels) {
    ItemGlyphParams p = params();
    p.grayscale = true;
    p.flatLook = true;  // grayscale glyphs are not lightened either
    const std::map<char, Color> legend{{'.', kBack}, {'r', RGB(80, 80, 80)}, {'b', RGB(53, 53, 53)}, {'W', clWhite}};
    EXPECT_EQ(draw(p, legend),
              "........\n"
              "........\n"
              "...rr...\n"
              "..rWbr..\n"
              "..rbWr..\n"
              "...rr...\n"
              "........\n"
              "........\n");
}

TEST_F(ItemGlyph, KeepsWhatTheCanvasShowsAndStaysInsideTheItem) {
    Bitmap target(12, 12, clBlack);
    Canvas c(target);
    c.fillRect({0, 0, 12, 12}, Brush(clYellow));
    ItemGlyphParams p = params();
    p.itemRect = {2, 2, 10, 10};
    p.glyphRect = {4, 4, 8, 8};
    p.keepBackground = true;
    DrawItemGlyph(c, p);
    EXPECT_EQ(art(target, target.bounds(), {{'y', clYellow}, {'R', kRed}, {'B', kBlue}, {'W', clWhite}}),
              "yyyyyyyyyyyy\n"
              "yyyyyyyyyyyy\n"
              "yyyyyyyyyyyy\n"
              "yyyyyyyyyyyy\n"
              "yyyyyRRyyyyy\n"
              "yyyyRWBRyyyy\n"
              "yyyyRBWRyyyy\n"
              "yyyyyRRyyyyy\n"
              "yyyyyyyyyyyy\n"
              "yyyyyyyyyyyy\n"
              "yyyyyyyyyyyy\n"
              "yyyyyyyyyyyy\n");
}

TEST_F(ItemGlyph, PatternBackgroundFollowsTheCanvasPhase) {
    // An item at an odd position: the checker in the buffer must line up with the one the
    // canvas paints around the item.
    Bitmap target(9, 9, clBlack);
    Canvas c(target);
    const Brush checker = Brush::checker(clBtnFace, clBtnHighlight);
    c.fillRect({0, 0, 9, 9}, checker);
    const Bitmap expected = target;
    ItemGlyphParams p = params();
    p.background = checker;
    p.itemRect = {1, 1, 8, 8};
    p.glyphRect = {20, 20, 24, 24};  // outside the item: only the background shows
    DrawItemGlyph(c, p);
    EXPECT_EQ(target, expected);
}

TEST_F(ItemGlyph, DrawsABitmapInPlaceOfTheImageList) {
    ItemGlyphParams p = params();
    const Bitmap glyph = fixtureGlyph();
    p.images = nullptr;
    p.bitmap = &glyph;
    EXPECT_EQ(draw(p, plain), draw(params(), plain));
    // Disabled: the bitmap's key colour marks its background (white stays picture).
    p.enabled = false;
    p.flatLook = true;
    const std::map<char, Color> legend{{'.', kBack}, {'s', clBtnShadow}};
    EXPECT_EQ(draw(p, legend),
              "........\n"
              "........\n"
              "...ss...\n"
              "..ssss..\n"
              "..ssss..\n"
              "...ss...\n"
              "........\n"
              "........\n");
}

TEST_F(ItemGlyph, PartlyTransparentEdgeBlendsWithTheItemBackground) {
    // An image with alpha: one opaque pixel and one half-transparent red pixel beside it. The
    // half pixel must not pick up the fuchsia of the cell it was composed in.
    Bitmap picture(4, 4);
    picture.setPixel(1, 1, 0xFF0000A0u);  // opaque blue
    picture.setPixel(2, 1, 0x80640000u);  // red 200 at alpha 128, premultiplied
    ImageList withAlpha(4, 4);
    withAlpha.add(picture);
    ItemGlyphParams p = params();
    p.images = &withAlpha;
    for (bool enabled : {true, false}) {
        p.enabled = enabled;
        p.fadedDisabledColor = enabled ? clNone : RGB(167, 167, 167);
        Bitmap target(8, 8, clBlack);
        Canvas c(target);
        DrawItemGlyph(c, p);
        const Color edge = target.colorAt(4, 3);
        EXPECT_LT(edge.blue(), 80) << enabled << " " << colorToString(edge);
        EXPECT_GT(edge.green(), 80) << enabled << " " << colorToString(edge);  // the background shows through
        EXPECT_EQ(target.colorAt(0, 0), kBack);
    }
    p.enabled = true;
    p.fadedDisabledColor = clNone;
    Bitmap target(8, 8, clBlack);
    Canvas c(target);
    DrawItemGlyph(c, p);
    EXPECT_EQ(target.colorAt(3, 3), kBlue);
}

}  // namespace
}  // namespace lindora
