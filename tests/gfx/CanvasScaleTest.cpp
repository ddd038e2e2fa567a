// A scaled canvas (a high-resolution screen): every pixel rule holds in canvas pixels, each of
// them a block of bitmap pixels, while text is drawn at the bitmap's own resolution.
#include "GfxTestUtil.h"

#include "gfx/Canvas.h"
#include "gfx/ImageList.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace lindora {
namespace {

using test::art;
using test::inkBounds;

// `small` enlarged by whole pixels: each pixel becomes a scale x scale block.
Bitmap enlarged(const Bitmap& small, int scale) {
    Bitmap out(small.width() * scale, small.height() * scale);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) out.setPixel(x, y, small.pixel(x / scale, y / scale));
    return out;
}

// Paints the same thing at scale 1 and at `scale`; the scaled bitmap must be the scale-1 one
// with every pixel enlarged to a block.
void expectBlocksOfScaleOne(const std::function<void(Canvas&)>& paint, int scale = 2, Size size = {16, 12}) {
    Canvas one(size.cx, size.cy);
    Canvas big(size.cx, size.cy, scale);
    for (Canvas* c : {&one, &big}) {
        c->bitmap().fill(clWhite);
        paint(*c);
    }
    ASSERT_EQ(big.bitmap().size(), (Size{size.cx * scale, size.cy * scale}));
    EXPECT_TRUE(big.bitmap() == enlarged(one.bitmap(), scale))
        << "scale 1:\n"
        << art(one.bitmap(), one.bitmap().bounds(),
               {{'.', clWhite}, {'#', clBlack}, {'R', clRed}, {'B', clBlue}, {'G', clLime}, {'Y', clYellow}})
        << "scale " << scale << ":\n"
        << art(big.bitmap(), big.bitmap().bounds(),
               {{'.', clWhite}, {'#', clBlack}, {'R', clRed}, {'B', clBlue}, {'G', clLime}, {'Y', clYellow}});
}

struct ScaleCase {
    std::string name;
    std::function<void(Canvas&)> paint;
};

Bitmap checkerPicture() {
    Bitmap b(4, 3, clRed);
    b.setColor(1, 0, clBlue);
    b.setColor(2, 1, clLime);
    b.setColor(0, 2, clYellow);
    return b;
}

class CanvasBlocks : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(CanvasBlocks, AreTheScaleOnePixelsEnlarged) { expectBlocksOfScaleOne(GetParam().paint); }

INSTANTIATE_TEST_SUITE_P(
    Scale2, CanvasBlocks,
    ::testing::Values(ScaleCase{"Lines",
                                [](Canvas& c) {
                                    c.setPenColor(clBlack);
                                    c.polyline({{1, 1}, {9, 1}, {9, 7}, {2, 10}, {1, 1}});
                                    c.moveTo(14, 0);
                                    c.lineTo(11, 11);
                                }},
                      ScaleCase{"RectanglesFramesAndInvert",
                                [](Canvas& c) {
                                    c.fillRect({1, 1, 6, 4}, Brush(clRed));
                                    c.frameRect({7, 2, 15, 9}, Brush(clBlue));
                                    c.setPenColor(clBlack);
                                    c.setBrush(Brush(clLime));
                                    c.rectangle({2, 6, 6, 11});
                                    c.invertRect({4, 0, 9, 5});
                                }},
                      ScaleCase{"PatternBrushKeepsItsPhase",
                                [](Canvas& c) {
                                    c.setBrushOrigin({3, 1});
                                    c.fillRect({1, 1, 15, 11}, Brush::checker(clBlack, clWhite));
                                }},
                      ScaleCase{"PolygonsAndEdges",
                                [](Canvas& c) {
                                    c.setPenColor(clBlue);
                                    c.setBrush(Brush(clYellow));
                                    c.polygon({{1, 1}, {8, 2}, {3, 9}});
                                    c.drawEdge({8, 3, 15, 11}, EDGE_SUNKEN, BF_RECT);
                                }},
                      ScaleCase{"OriginAndClip",
                                [](Canvas& c) {
                                    c.setOrigin({3, 2});
                                    c.setClipRect({0, 0, 8, 6});
                                    c.excludeClip(Rect{2, 2, 4, 4});
                                    c.fillRect({-2, -2, 20, 20}, Brush(clRed));
                                    c.setPenColor(clBlack);
                                    c.moveTo(-1, 7);
                                    c.lineTo(12, 0);
                                }},
                      ScaleCase{"PicturesAndMasks",
                                [](Canvas& c) {
                                    const Bitmap pic = checkerPicture();
                                    c.copyRect({1, 1, 5, 4}, pic, pic.bounds());
                                    c.copyRect({6, 1, 14, 7}, pic, pic.bounds());    // stretched
                                    c.copyRect({1, 8, 5, 11}, pic, {3, 2, -1, -1});  // mirrored both ways
                                    c.copyTransparent({6, 8, 10, 11}, pic, pic.bounds(), clRed);
                                    Mask m(3, 3);
                                    m.set(0, 0, true);
                                    m.set(2, 1, true);
                                    c.drawMask(11, 8, m, clBlack);
                                }},
                      ScaleCase{"ImageListGlyphs",
                                [](Canvas& c) {
                                    ImageList list(4, 4);
                                    Bitmap glyph(4, 4, clFuchsia);
                                    glyph.setColor(1, 1, clRed);
                                    glyph.setColor(2, 2, clBlue);
                                    glyph.setColor(0, 1, clBlack);
                                    list.add(glyph);
                                    list.draw(c, 1, 1, 0);
                                    list.draw(c, 8, 4, 0, false);
                                }},
                      ScaleCase{"CopiesWithinTheCanvas",
                                [](Canvas& c) {
                                    c.fillRect({0, 0, 4, 4}, Brush(clRed));
                                    c.setPixel(1, 2, clBlue);
                                    c.copyRect({2, 1, 6, 5}, c, {0, 0, 4, 4});  // overlapping
                                }}),
    [](const ::testing::TestParamInfo<ScaleCase>& info) { return info.param.name; });

TEST(CanvasScale, LogicalSizeReadsAndOwnedResize) {
    Canvas c(10, 6, 2);
    EXPECT_EQ(c.scale(), 2);
    EXPECT_EQ(c.width(), 10);
    EXPECT_EQ(c.height(), 6);
    EXPECT_EQ(c.clipBounds(), (Rect{0, 0, 10, 6}));
    c.bitmap().fill(clWhite);
    c.bitmap().setColor(6, 4, clRed);   // the top-left of canvas pixel (3, 2)
    c.bitmap().setColor(9, 5, clBlue);  // not a top-left one
    EXPECT_EQ(c.pixel(3, 2), clRed);
    EXPECT_EQ(c.pixel(4, 2), clWhite);
    EXPECT_EQ(c.pixel(10, 0), clNone);
    EXPECT_EQ(c.pixel(-1, 0), clNone);

    c.resize(4, 3);
    EXPECT_EQ(c.bitmap().size(), (Size{8, 6}));
    EXPECT_EQ(c.clipBounds(), (Rect{0, 0, 4, 3}));

    // A bitmap with an odd size: the last bitmap column is never drawn on.
    Bitmap odd(7, 4, clWhite);
    Canvas onOdd(odd, 2);
    EXPECT_EQ(onOdd.width(), 3);
    onOdd.fillRect({-5, -5, 50, 50}, Brush(clBlack));
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(odd.colorAt(5, y), clBlack);
        EXPECT_EQ(odd.colorAt(6, y), clWhite);
    }
}

TEST(CanvasScale, SourcesOfTheCanvasResolutionAreCopiedOneToOne) {
    // Fine detail that only a scaled canvas can hold: a one-bitmap-pixel diagonal.
    Canvas src(4, 4, 2);
    src.bitmap().fill(clWhite);
    for (int i = 0; i < 8; ++i) src.bitmap().setColor(i, i, clBlack);

    Canvas dst(6, 6, 2);
    dst.bitmap().fill(clWhite);
    dst.copyRect({1, 1, 5, 5}, src, {0, 0, 4, 4});
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(dst.bitmap().colorAt(2 + x, 2 + y), x == y ? clBlack : clWhite) << x << "," << y;

    // The same picture handed over as a bitmap of two pixels per logical pixel.
    Canvas fromBitmap(6, 6, 2);
    fromBitmap.bitmap().fill(clWhite);
    fromBitmap.copyRect({1, 1, 5, 5}, src.bitmap(), {0, 0, 4, 4}, 2);
    EXPECT_TRUE(fromBitmap.bitmap() == dst.bitmap());

    // A scale-1 canvas gets the nearest pixel of each block.
    Canvas small(4, 4);
    small.copyRect({0, 0, 4, 4}, src, {0, 0, 4, 4});
    for (int i = 0; i < 4; ++i) EXPECT_EQ(small.pixel(i, i), clBlack);
    EXPECT_EQ(small.pixel(1, 0), clWhite);
}

TEST(CanvasScale, CairoDrawsInLogicalUnitsAtTheBitmapResolution) {
    Canvas c(10, 10, 2);
    c.bitmap().fill(clWhite);
    c.setOrigin({1, 1});
    c.setClipRect({0, 0, 4, 8});
    cairo_t* cr = c.beginCairo();
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_rectangle(cr, 1, 1, 5, 0.5);  // half a logical pixel: one bitmap row
    cairo_fill(cr);
    cairo_destroy(cr);
    c.endCairo();
    // Logical (1..4) x (1..1.5) at origin (1, 1), cut by the clip at logical x 4: bitmap
    // columns 4..9, row 4 only.
    EXPECT_EQ(inkBounds(c.bitmap(), clWhite), (Rect{4, 4, 10, 5}));
}

TEST(CanvasScale, TextIsRenderedAtTheBitmapResolutionInTheSamePlace) {
    const Font font("DejaVu Sans", -11, fsNone, clBlack);
    const std::string text = "Agw&Sharp";
    Canvas one(120, 24);
    Canvas big(120, 24, 2);
    int heights[2];
    Canvas* canvases[2] = {&one, &big};
    for (int i = 0; i < 2; ++i) {
        Canvas& c = *canvases[i];
        c.bitmap().fill(clWhite);
        c.setFont(font);
        heights[i] = c.drawText(Rect{4, 3, 116, 21}, text, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    }
    // Measures stay logical.
    EXPECT_EQ(heights[0], heights[1]);
    EXPECT_EQ(one.textExtent(text), big.textExtent(text));

    // The same place: the ink's bounds agree to within a logical pixel.
    const Rect inkOne = inkBounds(one.bitmap(), clWhite);
    const Rect inkBig = inkBounds(big.bitmap(), clWhite);
    ASSERT_FALSE(inkBig.isEmpty());
    EXPECT_NEAR(inkBig.left, inkOne.left * 2, 2);
    EXPECT_NEAR(inkBig.top, inkOne.top * 2, 2);
    EXPECT_NEAR(inkBig.right, inkOne.right * 2, 2);
    EXPECT_NEAR(inkBig.bottom, inkOne.bottom * 2, 2);

    // Finer than the enlarged scale-1 text: some 2 x 2 blocks are not of one colour.
    EXPECT_FALSE(big.bitmap() == enlarged(one.bitmap(), 2));
    int mixedBlocks = 0;
    for (int y = 0; y < big.height(); ++y)
        for (int x = 0; x < big.width(); ++x) {
            const std::uint32_t p = big.bitmap().pixel(2 * x, 2 * y);
            if (big.bitmap().pixel(2 * x + 1, 2 * y) != p || big.bitmap().pixel(2 * x, 2 * y + 1) != p ||
                big.bitmap().pixel(2 * x + 1, 2 * y + 1) != p)
                ++mixedBlocks;
        }
    EXPECT_GT(mixedBlocks, 20);

    // The accelerator underline is a whole canvas pixel thick: two bitmap rows.
    int underlineRows = 0;
    for (int y = inkBig.top; y < inkBig.bottom; ++y) {
        int run = 0, best = 0;
        for (int x = inkBig.left; x < inkBig.right; ++x) {
            run = big.bitmap().colorAt(x, y) == clBlack ? run + 1 : 0;
            best = std::max(best, run);
        }
        if (best >= 12) ++underlineRows;  // under the S, longer than the A's bar
    }
    EXPECT_EQ(underlineRows, 2);
}

TEST(CanvasScale, TextKeepsToTheClipInCanvasPixels) {
    Canvas c(60, 20, 2);
    c.bitmap().fill(clWhite);
    c.setFont(Font("DejaVu Sans", -11, fsNone, clBlack));
    c.setClipRect({0, 0, 7, 20});
    c.setBackgroundMode(BackgroundMode::Opaque);
    c.setBackgroundColor(clYellow);
    c.textOut(2, 2, "WWWW");
    const Rect ink = inkBounds(c.bitmap(), clWhite);
    EXPECT_EQ(ink.left, 4);
    EXPECT_EQ(ink.right, 14);  // the clip's right edge, logical 7
    EXPECT_EQ(c.bitmap().colorAt(4, 4), clYellow);
}

}  // namespace
}  // namespace lindora
