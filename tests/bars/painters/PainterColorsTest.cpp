// The colour arithmetic that decides the flat look's pixels: rounding, mixes, tints from the
// system colours, the palette of 8-bit displays, and the manager's brushes built from them.
#include "bars/painters/PainterBrushes.h"
#include "bars/painters/PainterColors.h"
#include "bars/painters/PainterTestSupport.h"

#include <gtest/gtest.h>

namespace lindora {
namespace {

using test::SchemeGuard;

TEST(PainterColors, MulDivRoundsHalvesAwayFromZero) {
    struct Case {
        int v, n, d, expected;
    } cases[] = {
        {255, 30, 100, 77},  // 76.5
        {128, 70, 100, 90},  // 89.6
        {212, 11, 100, 23},  // 23.32
        {-212, 2, 100, -4},  // -4.24
        {-25, 10, 100, -3},  // -2.5
        {55, 30, 100, 17},   // 16.5
        {128, 8, 10, 102},   // 102.4
        {7, 1, -2, -4},      // -3.5
        {0, -50, 100, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(MulDivRound(c.v, c.n, c.d), c.expected) << c.v << "*" << c.n << "/" << c.d;
}

TEST(PainterColors, MixColorsRoundsEachTermAndClampsTheSum) {
    SchemeGuard classic;
    struct Case {
        Color c1, c2;
        int p;
        Color expected;
    } cases[] = {
        // The faded disabled glyph colour of the classic scheme: 77 + 90 per channel.
        {clBtnShadow, clWhite, 70, RGB(167, 167, 167)},
        // 127.5 rounds up twice: the sum 256 is clamped.
        {clWhite, clWhite, 50, RGB(255, 255, 255)},
        {clHighlight, clBtnFace, 25, RGB(162, 165, 177)},
        {RGB(10, 20, 30), RGB(200, 100, 50), 0, RGB(200, 100, 50)},
        {RGB(10, 20, 30), RGB(200, 100, 50), 100, RGB(10, 20, 30)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MixColors(c.c1, c.c2, c.p, 32), c.expected)
            << colorToString(c.c1) << " " << colorToString(c.c2) << " " << c.p;
}

TEST(PainterColors, SystemTintColorOfTheClassicScheme) {
    SchemeGuard classic;  // face 212,208,200; highlight 10,36,106; window white
    EXPECT_EQ(SystemTintColor(11, 9, 73), RGB(210, 212, 218));
    EXPECT_EQ(SystemTintColor(14, 44, 40), RGB(136, 147, 177));
    // A negative weight rounds its term towards minus infinity's side: -4.24 -> -4.
    EXPECT_EQ(SystemTintColor(-2, 30, 72), RGB(183, 191, 212));
    EXPECT_EQ(SystemTintColor(100, 0, 0), RGB(212, 208, 200));
}

TEST(PainterColors, SystemTintColorClampsEveryChannel) {
    SchemeGuard scheme{{COLOR_BTNFACE, RGB(250, 10, 128)}, {COLOR_HIGHLIGHT, RGB(200, 0, 0)}};
    EXPECT_EQ(SystemTintColor(100, 100, 0), RGB(255, 10, 128));
    EXPECT_EQ(SystemTintColor(-100, 0, 0), RGB(0, 0, 0));
}

TEST(PainterColors, WhiteOrBlackFaceTintsToTheHighlight) {
    for (Color face : {clWhite, clBlack}) {
        SchemeGuard scheme{{COLOR_BTNFACE, face}, {COLOR_HIGHLIGHT, RGB(51, 102, 153)}};
        EXPECT_EQ(SystemTintColor(11, 9, 73), RGB(51, 102, 153));
        EXPECT_EQ(SystemTintColor(14, 44, 40), RGB(51, 102, 153));
        EXPECT_EQ(SystemTintColor(-2, 30, 72), RGB(51, 102, 153));
    }
}

TEST(PainterColors, NearestDisplayColorByDepth) {
    SchemeGuard classic;
    struct Case {
        Color in;
        int bpp;
        Color expected;
    } cases[] = {
        // True colour and high colour keep the colour (system colours resolved).
        {RGB(210, 212, 218), 32, RGB(210, 212, 218)},
        {RGB(1, 2, 3), 16, RGB(1, 2, 3)},
        {clBtnFace, 24, RGB(212, 208, 200)},
        // 8 bits: the colour cube and the interface tints.
        {RGB(210, 212, 218), 8, RGB(204, 204, 204)},
        {RGB(167, 167, 167), 8, RGB(160, 160, 164)},
        {RGB(102, 102, 102), 8, RGB(102, 102, 102)},
        {clBtnFace, 8, RGB(204, 204, 204)},
        // 4 bits: the 16 standard colours.
        {RGB(210, 212, 218), 4, clSilver},
        {RGB(136, 147, 177), 4, clGray},
        {RGB(230, 20, 10), 4, clRed},
        // 1 bit: black or white; a tie goes to the first entry.
        {RGB(127, 127, 127), 1, clBlack},
        {RGB(128, 128, 128), 1, clWhite},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NearestDisplayColor(c.in, c.bpp), c.expected) << colorToString(c.in) << " at " << c.bpp;
}

TEST(PainterColors, PaletteDisplaysAreThoseOfEightBitsOrLess) {
    EXPECT_TRUE(IsPaletteDisplay(8));
    EXPECT_TRUE(IsPaletteDisplay(4));
    EXPECT_FALSE(IsPaletteDisplay(15));
    EXPECT_EQ(DisplayPalette(8).size(), 16u + 216u + 4u);
    EXPECT_EQ(DisplayPalette(4).size(), 16u);
    EXPECT_EQ(DisplayPalette(1).size(), 2u);
    EXPECT_TRUE(DisplayPalette(32).empty());
    // Every entry of a palette is its own nearest colour.
    for (Color c : DisplayPalette(8)) EXPECT_EQ(NearestDisplayColor(c, 8), c);
}

TEST(PainterColors, MixOnAPaletteDisplayGivesAPaletteColour) {
    SchemeGuard classic;
    EXPECT_EQ(MixColors(clBtnShadow, clWhite, 70, 8), RGB(160, 160, 164));
    EXPECT_EQ(MixColors(clBtnShadow, clWhite, 70, 4), clSilver);
}

TEST(PainterColors, LightenRaisesTowardsWhite) {
    struct Case {
        int v, percent, expected;
    } cases[] = {{0, 30, 77}, {200, 30, 217}, {255, 30, 255}, {212, 16, 219}, {208, 16, 216}, {200, 16, 209}};
    for (const auto& c : cases) EXPECT_EQ(LightenChannel(c.v, c.percent), c.expected) << c.v;
}

// --- the manager's painter brushes ---------------------------------------------------------------

TEST(PainterBrushes, FlatColorsOfTheClassicScheme) {
    SchemeGuard classic;
    const FlatColors c = FlatColors::fromSystemColors(32);
    EXPECT_EQ(c.frame, RGB(102, 102, 102));
    EXPECT_EQ(c.toolbarBackground, RGB(219, 216, 209));
    EXPECT_EQ(c.checked, RGB(210, 212, 218));
    EXPECT_EQ(c.checkedHot, RGB(136, 147, 177));
    EXPECT_EQ(c.hot, RGB(183, 191, 212));
}

TEST(PainterBrushes, FlatColorsOnAnEightBitDisplayArePaletteColours) {
    SchemeGuard classic;
    const FlatColors c = FlatColors::fromSystemColors(8);
    EXPECT_EQ(c.frame, RGB(102, 102, 102));
    EXPECT_EQ(c.toolbarBackground, RGB(204, 204, 204));
    EXPECT_EQ(c.checked, RGB(204, 204, 204));
    EXPECT_EQ(c.checkedHot, RGB(153, 153, 153));
    EXPECT_EQ(c.hot, RGB(192, 192, 192));
}

TEST(PainterBrushes, WhiteButtonFaceGivesHighlightStateBrushes) {
    SchemeGuard scheme{{COLOR_BTNFACE, clWhite}};
    PainterBrushes brushes(32);
    const Color highlight = SystemColors::get(COLOR_HIGHLIGHT);
    EXPECT_EQ(brushes.flatChecked(), Brush(highlight));
    EXPECT_EQ(brushes.flatCheckedHot(), Brush(highlight));
    EXPECT_EQ(brushes.flatHot(), Brush(highlight));
    EXPECT_EQ(brushes.flatToolbarBackground(), Brush(clWhite));
}

TEST(PainterBrushes, RebuiltAfterASystemColourChange) {
    SchemeGuard classic;
    PainterBrushes brushes(32);
    EXPECT_FALSE(brushes.stale());
    const unsigned checkerBefore = brushes.checker().pixelAt(0, 0);

    SystemColors::set(COLOR_BTNFACE, RGB(100, 150, 200));
    SystemColors::set(COLOR_BTNSHADOW, RGB(50, 60, 70));
    EXPECT_TRUE(brushes.stale());
    // The brushes hold colours resolved when they were built.
    EXPECT_EQ(brushes.flatFrame(), Brush(RGB(102, 102, 102)));
    EXPECT_EQ(brushes.checker().pixelAt(0, 0), checkerBefore);

    brushes.rebuild(32);
    EXPECT_FALSE(brushes.stale());
    EXPECT_EQ(brushes.flatFrame(), Brush(RGB(40, 48, 56)));
    EXPECT_EQ(brushes.flatToolbarBackground(), Brush(RGB(125, 167, 209)));
    EXPECT_EQ(brushes.checker().pixelAt(0, 0), colorToPixel(RGB(100, 150, 200)));
}

TEST(PainterBrushes, CheckerIsFaceWhereRowAndColumnShareParity) {
    SchemeGuard classic;
    PainterBrushes brushes(32);
    const std::uint32_t face = colorToPixel(clBtnFace), light = colorToPixel(clBtnHighlight);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(brushes.checker().pixelAt(x, y), (x % 2 == y % 2) ? face : light) << x << "," << y;
}

TEST(PainterBrushes, FlatStateBrushByItemState) {
    SchemeGuard classic;
    PainterBrushes b(32);
    const Brush bar(clBtnFace);
    struct Case {
        FlatItemState state;
        const Brush* expected;
    } cases[] = {
        {{.hot = true, .pressed = true}, &b.flatCheckedHot()},
        {{.hot = true, .checked = true}, &b.flatCheckedHot()},
        {{.hot = true, .checked = true, .barForHotChecked = true}, &bar},
        {{.hot = true, .pressed = true, .barForHotChecked = true}, &b.flatCheckedHot()},
        {{.hot = true}, &b.flatHot()},
        {{.checked = true}, &b.flatChecked()},
        {{.checked = true, .inSubmenu = true}, &b.flatChecked()},
        {{}, &bar},
        {{.inSubmenu = true}, &b.flatToolbarBackground()},
        {{.inSubmenu = true, .ownBackground = true}, &bar},
    };
    int i = 0;
    for (const auto& c : cases) EXPECT_EQ(&FlatStateBrush(b, c.state, bar), c.expected) << "case " << i++;
}

TEST(PainterBrushes, SelectionFrameAndFadedGlyphColours) {
    {
        SchemeGuard classic;
        EXPECT_EQ(FlatSelectionFrameColor(), clHighlight);
        EXPECT_EQ(colorToRGB(FadedDisabledGlyphColor(true)), RGB(167, 167, 167));
        EXPECT_EQ(FadedDisabledGlyphColor(false), clNone);
    }
    SchemeGuard black{{COLOR_BTNFACE, clBlack}};
    EXPECT_EQ(FlatSelectionFrameColor(), clHighlightText);
}

}  // namespace
}  // namespace lindora
