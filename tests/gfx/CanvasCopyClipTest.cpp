// Block copies (plain, stretched, transparent, masked), pixels, origin and clipping.
#include "GfxTestUtil.h"

#include "base/Exception.h"
#include "gfx/Canvas.h"

#include <gtest/gtest.h>

namespace lindora {
namespace {

using test::art;

const std::map<char, Color> kLegend{{'.', clWhite}, {'R', clRed}, {'G', clLime}, {'B', clBlue}, {'F', clFuchsia}};

Bitmap glyph() {
    // F F F
    // F R F
    // R R B
    Bitmap g(3, 3, clFuchsia);
    g.setColor(1, 1, clRed);
    g.setColor(0, 2, clRed);
    g.setColor(1, 2, clRed);
    g.setColor(2, 2, clBlue);
    return g;
}

TEST(CanvasCopy, PlainCopyBetweenCanvasesHonoursBothOrigins) {
    Canvas src(5, 5);
    src.bitmap().fill(clWhite);
    src.copyRect({1, 1, 4, 4}, glyph(), {0, 0, 3, 3});
    src.setOrigin({1, 1});
    Canvas dst(4, 4);
    dst.bitmap().fill(clWhite);
    dst.setOrigin({-1, 0});
    dst.copyRect({1, 1, 4, 3}, src, {0, 1, 3, 3});  // the glyph's bottom two rows
    EXPECT_EQ(art(dst.bitmap(), dst.bitmap().bounds(), kLegend),
              "....\n"
              "FRF.\n"
              "RRB.\n"
              "....\n");
}

TEST(CanvasCopy, StretchAndMirrorPickNearestPixels) {
    Canvas c(6, 3);
    c.bitmap().fill(clWhite);
    Bitmap g = glyph();
    c.copyRect({0, 0, 6, 1}, g, {0, 2, 3, 3});  // widened twice
    c.copyRect({3, 1, 0, 2}, g, {0, 2, 3, 3});  // mirrored left to right
    EXPECT_EQ(art(c.bitmap(), c.bitmap().bounds(), kLegend),
              "RRRRBB\n"
              "BRR...\n"
              "......\n");
}

TEST(CanvasCopy, OverlappingCopyWithinOneCanvas) {
    Canvas c(5, 1);
    c.bitmap().fill(clWhite);
    c.setPixel(0, 0, clRed);
    c.setPixel(1, 0, clBlue);
    c.copyRect({1, 0, 4, 1}, c, {0, 0, 3, 1});
    EXPECT_EQ(art(c.bitmap(), c.bitmap().bounds(), kLegend), "RRB..\n");
}

TEST(CanvasCopy, TransparentColourAndMaskLeaveTheBackground) {
    Canvas c(3, 3);
    c.bitmap().fill(clLime);
    c.copyTransparent({0, 0, 3, 3}, glyph(), {0, 0, 3, 3}, clFuchsia);
    EXPECT_EQ(art(c.bitmap(), c.bitmap().bounds(), kLegend), "GGG\nGRG\nRRB\n");

    Canvas m(3, 3);
    m.bitmap().fill(clLime);
    Mask mask(3, 3);
    mask.set(1, 1, true);
    mask.set(2, 2, true);
    m.copyMasked({0, 0, 3, 3}, glyph(), {0, 0, 3, 3}, mask);
    EXPECT_EQ(art(m.bitmap(), m.bitmap().bounds(), kLegend), "GGG\nGRG\nGGB\n");

    Canvas s(4, 4);
    s.bitmap().fill(clWhite);
    s.drawMask(1, 1, mask, clBlue);
    EXPECT_EQ(art(s.bitmap(), s.bitmap().bounds(), kLegend), "....\n....\n..B.\n...B\n");
}

TEST(CanvasCopy, AlphaDrawBlendsOverTheCanvas) {
    Canvas c(2, 1);
    c.bitmap().fill(clWhite);
    Bitmap b(2, 1);
    b.setPixel(0, 0, 0x00000000u);  // fully transparent
    b.setPixel(1, 0, 0x80000000u);  // half black
    c.draw(0, 0, b);
    EXPECT_EQ(c.pixel(0, 0), clWhite);
    EXPECT_EQ(c.pixel(1, 0), RGB(127, 127, 127));
}

TEST(CanvasCopy, SourcesAndTargetsPartlyOutsideTouchNothingOutside) {
    Canvas c(4, 4);
    c.bitmap().fill(clWhite);
    Bitmap g = glyph();
    c.copyRect({-2, -2, 6, 6}, g, {-1, -1, 7, 7});  // stretched from outside the source too
    c.copyRect({2, 2, 50, 50}, g, {0, 0, 48, 48});
    c.copyTransparent({-10, 3, 10, 9}, g, {-3, 0, 17, 6}, clFuchsia);
    SUCCEED();  // AddressSanitizer checks the memory; pixels outside the source are left alone
    EXPECT_EQ(c.pixel(4, 0), clNone);
}

TEST(CanvasPixels, ReadAndWriteThroughOriginAndClip) {
    Canvas c(4, 4);
    c.bitmap().fill(clWhite);
    c.setOrigin({2, 1});
    c.setPixel(0, 0, clRed);
    EXPECT_EQ(c.bitmap().colorAt(2, 1), clRed);
    EXPECT_EQ(c.pixel(0, 0), clRed);
    EXPECT_EQ(c.pixel(-3, 0), clNone);
    c.intersectClip(Rect{1, 0, 2, 1});
    c.setPixel(0, 1, clBlue);  // outside the clip
    c.setPixel(1, 0, clBlue);
    EXPECT_EQ(c.pixel(0, 1), clWhite);
    EXPECT_EQ(c.pixel(1, 0), clBlue);
}

TEST(CanvasClip, SaveIntersectExcludeRestore) {
    Canvas c(8, 8);
    c.bitmap().fill(clWhite);
    int depth = c.saveClip();
    c.intersectClip(Rect{1, 1, 7, 7});
    c.excludeClip(Rect{3, 3, 5, 5});
    c.saveClip();
    c.excludeClip(Rect{1, 1, 7, 2});
    c.fillRect({0, 0, 8, 8}, Brush(clRed));
    c.restoreClip();
    c.fillRect({0, 0, 8, 1}, Brush(clBlue));  // still clipped to the inner square
    c.fillRect({0, 1, 8, 2}, Brush(clLime));
    EXPECT_EQ(art(c.bitmap(), c.bitmap().bounds(), kLegend),
              "........\n"
              ".GGGGGG.\n"
              ".RRRRRR.\n"
              ".RR..RR.\n"
              ".RR..RR.\n"
              ".RRRRRR.\n"
              ".RRRRRR.\n"
              "........\n");
    c.restoreClip(depth);
    c.fillRect({0, 0, 8, 8}, Brush(clBlue));
    EXPECT_EQ(test::inkBounds(c.bitmap(), clBlue), Rect{});
    c.restoreClip();  // nothing saved any more: no effect
    EXPECT_EQ(c.clipBounds(), (Rect{0, 0, 8, 8}));
}

TEST(CanvasClip, ClipIsLogicalAndAlwaysInsideTheBitmap) {
    Canvas c(10, 10);
    c.setOrigin({4, 4});
    c.setClipRect({-10, -10, 3, 100});
    EXPECT_EQ(c.clipBounds(), (Rect{-4, -4, 3, 6}));
    EXPECT_TRUE(c.isVisible(Point{2, 0}));
    EXPECT_FALSE(c.isVisible(Point{3, 0}));
    EXPECT_TRUE(c.isVisible(Rect{2, 5, 9, 9}));
    EXPECT_FALSE(c.isVisible(Rect{2, 6, 9, 9}));
    c.setClipRegion(Region());
    c.fillRect({-100, -100, 100, 100}, Brush(clRed));
    EXPECT_EQ(test::inkBounds(c.bitmap(), RGB(0, 0, 0)), Rect{});
    c.resetClip();
    EXPECT_EQ(c.clipBounds(), (Rect{-4, -4, 6, 6}));
}

TEST(CanvasOwnership, OwnedCanvasesResizeOthersRefuse) {
    Canvas owned(2, 2);
    owned.resize(5, 3);
    EXPECT_EQ(owned.bitmap().size(), (Size{5, 3}));
    EXPECT_EQ(owned.clipBounds(), (Rect{0, 0, 5, 3}));
    Bitmap b(3, 3);
    Canvas borrowed(b);
    EXPECT_THROW(borrowed.resize(4, 4), Exception);
}

}  // namespace
}  // namespace lindora

namespace lindora {
namespace {

TEST(CanvasCopy, ConstantOpacityScalesTheBlend) {
    Canvas c(2, 1);
    c.bitmap().fill(clWhite);
    Bitmap black(2, 1, clBlack);
    black.setPixel(1, 0, 0);
    c.draw(0, 0, black, 128);
    EXPECT_EQ(c.pixel(0, 0), RGB(127, 127, 127));
    EXPECT_EQ(c.pixel(1, 0), clWhite);
    c.draw(0, 0, black, 0);
    EXPECT_EQ(c.pixel(0, 0), RGB(127, 127, 127));
}

TEST(CanvasRegion, FillRegionPaintsEachPart) {
    Canvas c(6, 1);
    c.bitmap().fill(clWhite);
    Region r(Rect{0, 0, 6, 1});
    r.subtract(Rect{2, 0, 4, 1});
    c.fillRegion(r, Brush(clRed));
    EXPECT_EQ(test::art(c.bitmap(), c.bitmap().bounds(), kLegend), "RR..RR\n");
}

}  // namespace
}  // namespace lindora

namespace lindora {
namespace {

TEST(CanvasClip, PaintersCannotLeaveTheSystemClip) {
    Canvas c(10, 4);
    c.bitmap().fill(clWhite);
    c.setOrigin({4, 0});
    c.setSystemClip(Rect{0, 0, 4, 4});  // device 4..7
    c.setClipRect({-4, 0, 10, 4});
    c.fillRect({-4, 0, 6, 1}, Brush(clRed));
    c.resetClip();
    c.fillRect({-4, 1, 6, 2}, Brush(clBlue));
    c.excludeClip(Rect{1, 0, 2, 4});
    c.fillRect({-4, 2, 6, 3}, Brush(clLime));
    EXPECT_EQ(test::art(c.bitmap(), c.bitmap().bounds(), kLegend),
              "....RRRR..\n"
              "....BBBB..\n"
              "....G.GG..\n"
              "..........\n");
}

}  // namespace
}  // namespace lindora
