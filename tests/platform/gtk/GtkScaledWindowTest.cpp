// The window layer on a gtk display scaled by 2: the backing store holds device pixels and the
// screen shows a one-pixel line as two sharp device pixels, not as a blurred upscale.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include "GtkTestDisplay.h"
#include "gfx/Brush.h"
#include "gfx/Canvas.h"
#include "platform_gtk/GtkPlatform.h"
#include "platform_gtk/GtkSurface.h"
#include "ui/Window.h"
#include "ui/WindowSystem.h"

// Last: Xlib's macros must not meet the window layer's names.
#include <gdk/gdkx.h>

namespace lindora {
namespace {

using test::GtkTestDisplay;

// White, with a black one-pixel line across at logical row 10.
class LinedWindow final : public Window {
public:
    void paint(Canvas& canvas) override {
        canvas.fillRect(clientRect(), Brush(clWhite));
        canvas.setPenColor(clBlack);
        canvas.moveTo(0, 10);
        canvas.lineTo(clientRect().right, 10);
    }
};

// The screen's device pixels in one column (X's own pixels, whatever GDK's scale).
std::vector<std::uint32_t> deviceColumn(int x, int top, int bottom) {
    Display* dpy = gdk_x11_display_get_xdisplay(gdk_display_get_default());
    XImage* image =
        XGetImage(dpy, DefaultRootWindow(dpy), x, top, 1, static_cast<unsigned>(bottom - top), AllPlanes, ZPixmap);
    std::vector<std::uint32_t> out;
    if (!image) return out;
    for (int y = 0; y < bottom - top; ++y) out.push_back(static_cast<std::uint32_t>(XGetPixel(image, 0, y)) & 0xFFFFFF);
    XDestroyImage(image);
    return out;
}

bool runUntil(const std::function<bool()>& done, int seconds = 60) {
    return GtkTestDisplay::pumpUntil(
        [&] {
            WindowSystem::instance().processMessages();
            return done();
        },
        std::chrono::seconds(seconds));
}

// Scales every window of the test display for the test's duration, as GDK_SCALE=2 would.
class ScaledDisplay {
public:
    explicit ScaledDisplay(int scale) { set(scale); }
    ~ScaledDisplay() { set(1); }
    static void set(int scale) { gdk_x11_display_set_window_scale(gdk_display_get_default(), scale); }
};

class GtkScaledWindowTest : public testing::Test {
protected:
    void SetUp() override {
        LINDORA_REQUIRE_GTK_DISPLAY();
        registerGtkPlatform();
        PlatformIntegration::install(GtkIntegration::create());
    }
    void TearDown() override { PlatformIntegration::install(nullptr); }

    // Device rows of the line where the window shows it, top-down from the window's device top.
    static std::vector<int> blackRows(const Rect& logicalBounds, int scale) {
        const auto column = deviceColumn((logicalBounds.left + 20) * scale, logicalBounds.top * scale,
                                         (logicalBounds.top + 20) * scale);
        std::vector<int> rows;
        for (size_t i = 0; i < column.size(); ++i)
            if (column[i] == 0) rows.push_back(static_cast<int>(i));
        return rows;
    }
};

TEST_F(GtkScaledWindowTest, ALineIsTwoSharpDevicePixelsAndTheStoreHasDeviceSize) {
    ScaledDisplay scaled(2);
    const Rect bounds = Rect::fromSize(100, 80, 120, 60);
    LinedWindow form;
    form.create({"", WS_POPUP, 0, CS_DBLCLKS, bounds, nullptr});
    auto* surface = GtkSurface::from(form.surface());
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->scaleFactor(), 2);
    form.show();

    ASSERT_TRUE(runUntil([&] {
        return blackRows(bounds, 2) == std::vector<int>{20, 21};
    })) << "black device rows: "
        << testing::PrintToString(blackRows(bounds, 2));
    // Window coordinates stay logical.
    EXPECT_EQ(form.bounds(), bounds);
    EXPECT_EQ(form.backingStoreScale(), 2);
    EXPECT_EQ(form.backingStore().size(), (Size{240, 120}));
    ASSERT_NE(surface->store(), nullptr);
    EXPECT_EQ(cairo_image_surface_get_width(surface->store()), 240);
    EXPECT_EQ(cairo_image_surface_get_height(surface->store()), 120);
    // White right beside the line: no grey of an interpolated upscale.
    const auto column = deviceColumn(140 * 2, 80 * 2 + 18, 80 * 2 + 24);
    EXPECT_EQ(column, (std::vector<std::uint32_t>{0xFFFFFF, 0xFFFFFF, 0, 0, 0xFFFFFF, 0xFFFFFF}));
}

TEST_F(GtkScaledWindowTest, AScaleChangeRemakesTheStoreAtTheNewScale) {
    const Rect bounds = Rect::fromSize(100, 80, 120, 60);
    LinedWindow form;
    form.create({"", WS_POPUP, 0, CS_DBLCLKS, bounds, nullptr});
    form.show();
    ASSERT_TRUE(runUntil([&] { return blackRows(bounds, 1) == std::vector<int>{10}; }));
    EXPECT_EQ(form.backingStore().size(), (Size{120, 60}));

    ScaledDisplay scaled(2);
    EXPECT_TRUE(runUntil([&] { return form.backingStoreScale() == 2; }));
    EXPECT_EQ(form.backingStore().size(), (Size{240, 120}));
    // GDK keeps the window's place in device pixels, so its logical place changes; the size
    // stays logical.
    EXPECT_EQ(form.bounds().size(), bounds.size());
    EXPECT_TRUE(runUntil([&] {
        return blackRows(form.bounds(), 2) == std::vector<int>{20, 21};
    })) << "black device rows: "
        << testing::PrintToString(blackRows(form.bounds(), 2));
}

}  // namespace
}  // namespace lindora
