#include "base/Exception.h"
#include "gfx/Bitmap.h"
#include "gfx/Color.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace lindora {
namespace {

TEST(Color, LayoutAndConstants) {
    EXPECT_EQ(RGB(1, 2, 3).value(), 0x030201u);
    EXPECT_EQ(clBtnFace.value(), 0xFF00000Fu);
    EXPECT_EQ(clBtnShadow.value(), 0xFF000010u);
    EXPECT_EQ(clBtnText.value(), 0xFF000012u);
    EXPECT_EQ(clBtnHighlight.value(), 0xFF000014u);
    EXPECT_EQ(clHighlight.value(), 0xFF00000Du);
    EXPECT_EQ(clHighlightText.value(), 0xFF00000Eu);
    EXPECT_EQ(clWindow.value(), 0xFF000005u);
    EXPECT_EQ(clWindowText.value(), 0xFF000008u);
    EXPECT_EQ(clGrayText.value(), 0xFF000011u);
    EXPECT_EQ(clCaptionText.value(), 0xFF000009u);
    EXPECT_EQ(clMenuText.value(), 0xFF000007u);
    EXPECT_EQ(clNone.value(), 0x1FFFFFFFu);
    EXPECT_EQ(clDefault.value(), 0x20000000u);
    EXPECT_TRUE(clBtnFace.isSystem());
    EXPECT_FALSE(clNone.isSystem());
    EXPECT_FALSE(clNone.isRGB());
}

TEST(Color, SystemColoursResolveThroughTheTable) {
    SystemColors::resetToDefaults();
    EXPECT_EQ(colorToRGB(clBtnFace), RGB(212, 208, 200));
    EXPECT_EQ(colorToRGB(clBtnShadow), RGB(128, 128, 128));
    EXPECT_EQ(colorToRGB(clHighlight), RGB(10, 36, 106));
    EXPECT_EQ(colorToRGB(clBtnHighlight), RGB(255, 255, 255));
    EXPECT_EQ(colorToRGB(RGB(7, 8, 9)), RGB(7, 8, 9));

    unsigned gen = SystemColors::generation();
    SystemColors::set(COLOR_BTNFACE, RGB(1, 2, 3));
    EXPECT_EQ(colorToRGB(clBtnFace), RGB(1, 2, 3));
    EXPECT_NE(SystemColors::generation(), gen);
    SystemColors::set(99, RGB(1, 1, 1));  // outside the table: ignored
    EXPECT_EQ(colorToRGB(systemColor(99)), clBlack);
    SystemColors::resetToDefaults();
    EXPECT_EQ(colorToRGB(clBtnFace), RGB(212, 208, 200));
}

TEST(Color, PixelConversionUndoesPremultiplication) {
    EXPECT_EQ(colorToPixel(RGB(0x12, 0x34, 0x56)), 0xFF123456u);
    EXPECT_EQ(pixelToColor(0xFF123456u), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(pixelToColor(0x80800000u), RGB(255, 0, 0));  // half-transparent pure red
}

TEST(Bitmap, PixelsRowsAndBounds) {
    Bitmap b(4, 3, clWhite);
    b.setColor(1, 2, clRed);
    EXPECT_EQ(b.colorAt(1, 2), clRed);
    EXPECT_EQ(b.colorAt(4, 0), clNone);  // outside
    b.setPixel(-1, 0, 0xFF000000u);      // ignored
    b.setPixel(0, 3, 0xFF000000u);
    EXPECT_EQ(b.pixel(0, -1), 0u);

    std::vector<std::uint32_t> row(4);
    b.readRow(2, row);
    EXPECT_EQ(row[1], 0xFFFF0000u);
    std::vector<std::uint32_t> blue(10, 0xFF0000FFu);  // longer than the row: cut
    b.writeRow(0, blue);
    EXPECT_EQ(b.colorAt(3, 0), clBlue);
    EXPECT_EQ(b.colorAt(0, 1), clWhite);
    EXPECT_THROW(b.row(3), Exception);
}

TEST(Bitmap, ResizeKeepsTopLeftAndCopyCutsParts) {
    Bitmap b(3, 3, clRed);
    b.resize(5, 2);
    EXPECT_EQ(b.colorAt(2, 1), clRed);
    EXPECT_EQ(b.pixel(4, 1), 0u);
    Bitmap part = b.copy({2, 0, 6, 1});
    EXPECT_EQ(part.size(), (Size{4, 1}));
    EXPECT_EQ(part.colorAt(0, 0), clRed);
    EXPECT_EQ(part.pixel(3, 0), 0u);  // beyond the source
    b.resize(-3, 2);
    EXPECT_TRUE(b.isEmpty());
}

// Window-sized stores live in memory of their own (mapped, not from the heap): growing into it,
// copying, moving, drawing through cairo and shrinking back out of it keep every pixel.
TEST(Bitmap, LargeBitmapsKeepTheirPixelsAcrossTheirOwnMemory) {
    Bitmap b(40, 30, clRed);
    b.resize(1280, 1024);  // 5 MiB: its own mapping
    EXPECT_EQ(b.colorAt(39, 29), clRed);
    EXPECT_EQ(b.pixel(40, 29), 0u);
    EXPECT_EQ(b.pixel(1279, 1023), 0u);
    b.setColor(1279, 1023, clBlue);
    const Bitmap copy = b;
    EXPECT_TRUE(copy == b);
    Bitmap moved = std::move(b);
    EXPECT_EQ(moved.colorAt(1279, 1023), clBlue);
    EXPECT_EQ(moved.colorAt(0, 0), clRed);
    moved.fill(clLime);
    EXPECT_EQ(copy.colorAt(1279, 1023), clBlue) << "a copy shares no pixels with its original";
    cairo_surface_t* s = moved.surface();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(cairo_surface_status(s), CAIRO_STATUS_SUCCESS);
    moved.resize(20, 10);  // back onto the heap
    EXPECT_EQ(moved.colorAt(19, 9), clLime);
    Bitmap exact(512, 512, clBlue);  // exactly the size from which a bitmap is mapped
    EXPECT_EQ(exact.colorAt(511, 511), clBlue);
}

class PngFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("lindora-gfx-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path dir_;
};

TEST_F(PngFiles, RoundTripKeepsPixelsAndAlpha) {
    Bitmap b(5, 4, clWhite);
    b.setColor(0, 0, clFuchsia);
    b.setPixel(4, 3, 0x00000000u);
    b.setPixel(3, 3, 0x80400000u);  // half-transparent red, premultiplied
    std::string path = (dir_ / "shot.png").string();
    b.savePNG(path);
    Bitmap back = Bitmap::loadPNG(path);
    EXPECT_EQ(back, b);

    // The same bytes held in memory decode to the same pixels.
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(Bitmap::fromPNGData(bytes, "the test image"), b);
    // Cut short or not a PNG at all: an error naming the image, never a partial bitmap.
    for (std::size_t keep : {bytes.size() / 2, std::size_t{8}, std::size_t{0}}) {
        SCOPED_TRACE(keep);
        try {
            Bitmap::fromPNGData(std::span<const std::uint8_t>(bytes.data(), keep), "the test image");
            ADD_FAILURE() << "no exception";
        } catch (const Exception& e) {
            EXPECT_NE(std::string(e.what()).find("the test image"), std::string::npos) << e.what();
        }
    }
}

TEST_F(PngFiles, MissingOrCorruptFilesNameTheFile) {
    std::string missing = (dir_ / "nothing-here.png").string();
    try {
        Bitmap::loadPNG(missing);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_NE(std::string(e.what()).find(missing), std::string::npos) << e.what();
    }
    std::string corrupt = (dir_ / "corrupt.png").string();
    std::ofstream(corrupt) << "\x89PNG\r\n\x1a\n this is not really a png";
    try {
        Bitmap::loadPNG(corrupt);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_NE(std::string(e.what()).find(corrupt), std::string::npos) << e.what();
    }
    EXPECT_THROW(Bitmap().savePNG((dir_ / "empty.png").string()), Exception);
}

TEST(Mask, FromColourAlphaAndMonochrome) {
    Bitmap b(3, 1, clFuchsia);
    b.setColor(1, 0, clRed);
    Mask m = Mask::fromTransparentColor(b, clFuchsia);
    EXPECT_FALSE(m.test(0, 0));
    EXPECT_TRUE(m.test(1, 0));
    EXPECT_FALSE(m.test(5, 0));

    Bitmap a(2, 1);
    a.setPixel(0, 0, 0x7F000000u);
    a.setPixel(1, 0, 0x80000000u);
    Mask ma = Mask::fromAlpha(a);
    EXPECT_FALSE(ma.test(0, 0));
    EXPECT_TRUE(ma.test(1, 0));

    Bitmap mono(2, 1, clWhite);
    mono.setColor(0, 0, clBlack);
    Mask mm = Mask::fromMonochrome(mono);
    EXPECT_TRUE(mm.test(0, 0));
    EXPECT_FALSE(mm.test(1, 0));
}

}  // namespace
}  // namespace lindora
