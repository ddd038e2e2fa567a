#include "GfxTestUtil.h"

#include "base/Exception.h"
#include "gfx/Canvas.h"
#include "gfx/ImageList.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lindora {
namespace {

using test::art;

const std::map<char, Color> kLegend{{'.', clWhite},        {'R', clRed},       {'B', clBlue},  {'F', clFuchsia},
                                    {'H', clBtnHighlight}, {'S', clBtnShadow}, {'Y', clYellow}};

// A strip of three 4 x 4 images on fuchsia: a red dot, a blue bar, and one on a yellow ground
// whose bottom-left pixel is yellow.
Bitmap strip() {
    Bitmap s(12, 4, clFuchsia);
    s.setColor(1, 1, clRed);
    for (int x = 4; x < 8; ++x) s.setColor(x, 2, clBlue);
    for (int y = 0; y < 4; ++y)
        for (int x = 8; x < 12; ++x) s.setColor(x, y, clYellow);
    s.setColor(9, 1, clRed);
    return s;
}

TEST(ImageList, StripIsSplitAndBottomLeftPixelIsTransparent) {
    ImageList list(4, 4);
    EXPECT_EQ(list.add(strip()), 0);
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(list.add(strip()), 3);

    Canvas c(14, 4);
    c.bitmap().fill(clWhite);
    for (int i = 0; i < 3; ++i) list.draw(c, i * 5, 0, i);
    EXPECT_EQ(art(c.bitmap(), c.bitmap().bounds(), kLegend),
              "..............\n"
              ".R.........R..\n"
              ".....BBBB.....\n"
              "..............\n");
    EXPECT_TRUE(list.mask(0).test(1, 1));
    EXPECT_FALSE(list.mask(0).test(0, 0));
}

TEST(ImageList, ExplicitMaskAndFixedTransparentColour) {
    ImageList list(4, 4);
    Mask m(12, 4);
    m.set(0, 0, true);
    m.set(8, 3, true);
    list.add(strip(), m);
    list.addMasked(strip(), clYellow);
    Canvas c(4, 4);
    c.bitmap().fill(clWhite);
    list.draw(c, 0, 0, 2);
    EXPECT_EQ(art(c.bitmap(), c.bitmap().bounds(), kLegend), "....\n....\n....\nY...\n");
    c.bitmap().fill(clWhite);
    list.draw(c, 0, 0, 5);  // yellow is transparent, fuchsia is not
    EXPECT_EQ(art(c.bitmap(), c.bitmap().bounds(), kLegend), "....\n.R..\n....\n....\n");
    c.bitmap().fill(clWhite);
    list.draw(c, 0, 0, 3);
    EXPECT_EQ(art(c.bitmap(), c.bitmap().bounds(), kLegend), "FFFF\nFRFF\nFFFF\nFFFF\n");
}

TEST(ImageList, UnmaskedListsDrawEveryPixel) {
    ImageList list(4, 4);
    list.setMasked(false);
    list.add(strip());
    Canvas c(4, 4);
    list.draw(c, 0, 0, 0);
    EXPECT_EQ(art(c.bitmap(), c.bitmap().bounds(), kLegend), "FFFF\nFRFF\nFFFF\nFFFF\n");
}

TEST(ImageList, DisabledIsEmbossedAndMaskDrawsASilhouette) {
    test::DistinctSystemColors colors;
    ImageList list(4, 4);
    list.add(strip());
    Canvas c(5, 5);
    c.bitmap().fill(clWhite);
    list.draw(c, 0, 0, 1, false);
    EXPECT_EQ(art(c.bitmap(), c.bitmap().bounds(), kLegend),
              ".....\n"
              ".....\n"
              "SSSS.\n"
              ".HHHH\n"
              ".....\n");
    c.bitmap().fill(clWhite);
    list.drawMask(c, 1, 1, 0, clBlue);
    EXPECT_EQ(art(c.bitmap(), c.bitmap().bounds(), kLegend), ".....\n.....\n..B..\n.....\n.....\n");
    list.draw(c, 0, 0, 99);  // an invalid index draws nothing
    list.drawMask(c, 0, 0, -1, clRed);
    EXPECT_THROW(list.image(3), Exception);
}

TEST(ImageList, AlphaImagesKeepTheirAlpha) {
    Bitmap a(4, 4);  // transparent
    a.setPixel(1, 1, 0xFFFF0000u);
    a.setPixel(2, 1, 0x80000000u);
    ImageList list(4, 4);
    list.add(a);
    Canvas c(4, 4);
    c.bitmap().fill(clWhite);
    list.draw(c, 0, 0, 0);
    EXPECT_EQ(c.pixel(0, 3), clWhite);  // the bottom-left pixel does not pick a colour
    EXPECT_EQ(c.pixel(1, 1), clRed);
    EXPECT_EQ(c.pixel(2, 1), RGB(127, 127, 127));
    EXPECT_TRUE(list.mask(0).test(2, 1));
}

TEST(ImageList, PngFilesLoadAndBadOnesNameTheFile) {
    auto dir = std::filesystem::temp_directory_path() / "lindora-imagelist-test";
    std::filesystem::create_directories(dir);
    std::string path = (dir / "glyphs.png").string();
    strip().savePNG(path);
    ImageList list(4, 4);
    EXPECT_EQ(list.addPNG(path), 0);
    EXPECT_EQ(list.count(), 3);
    std::string missing = (dir / "missing.png").string();
    try {
        list.addPNG(missing);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_NE(std::string(e.what()).find("missing.png"), std::string::npos);
    }
    EXPECT_EQ(list.count(), 3);
    std::filesystem::remove_all(dir);
}

TEST(ImageList, ListenersHearEveryChangeOnceAndCanLeave) {
    ImageList list(4, 4);
    int calls = 0, other = 0;
    int id = list.addChangeListener([&](ImageList&) { ++calls; });
    int selfRemoving = 0;
    selfRemoving = list.addChangeListener([&](ImageList& l) {
        ++other;
        l.removeChangeListener(selfRemoving);
    });
    list.add(strip());
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(other, 1);
    list.beginUpdate();
    list.replace(0, Bitmap(4, 4, clRed));
    list.remove(1);
    list.endUpdate();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(other, 1);
    list.removeChangeListener(id);
    list.clear();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(list.count(), 0);

    list.setSize(16, 16);
    EXPECT_EQ(list.imageSize(), (Size{16, 16}));
    EXPECT_THROW(list.add(Bitmap()), Exception);
}

}  // namespace
}  // namespace lindora
