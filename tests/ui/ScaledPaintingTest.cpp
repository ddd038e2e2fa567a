// Painting on a screen scaled by 2: the window layer keeps its logical coordinates while each
// top-level's backing store, and the grabbed screen, hold twice the pixels each way.
#include "UiTestSupport.h"
#include "gfx/Canvas.h"

namespace lindora::test {
namespace {

class ScaledPaintingTest : public ::testing::Test {
protected:
    void SetUp() override {
        OffscreenOptions o;
        o.screenSize = {400, 300};
        o.scale = 2;
        platform_ = &OffscreenIntegration::install(o);
    }
    void TearDown() override { PlatformIntegration::install(nullptr); }

    OffscreenIntegration& platform() { return *platform_; }
    WindowSystem& ws() { return WindowSystem::instance(); }

    static void createTop(Window& w, Rect bounds, std::uint32_t style) {
        CreateParams p;
        p.style = style | WS_VISIBLE;
        p.bounds = bounds;
        w.create(p);
    }
    static void createChild(Window& w, Window& parent, Rect bounds) {
        CreateParams p;
        p.style = WS_CHILD | WS_VISIBLE;
        p.bounds = bounds;
        p.parent = &parent;
        w.create(p);
    }

private:
    OffscreenIntegration* platform_ = nullptr;
};

// A bordered top-level with a child that marks its corner and draws a one-pixel line.
struct Scene {
    LogWindow top{"top", nullptr};
    LogWindow child{"child", nullptr};
    Rect childClip;
    explicit Scene(Rect bounds = {10, 20, 110, 80}) {
        top.setBackgroundColor(clWhite);
        child.setBackgroundColor(clYellow);
        child.onPaint = [this](Canvas& c) {
            childClip = c.clipBounds();
            c.fillRect({0, 0, 3, 2}, Brush(clLime));
            c.setPenColor(clBlack);
            c.moveTo(0, 5);
            c.lineTo(20, 5);
        };
        CreateParams p;
        p.style = WS_POPUP | WS_BORDER | WS_VISIBLE;
        p.bounds = bounds;
        top.create(p);
        CreateParams cp;
        cp.style = WS_CHILD | WS_VISIBLE;
        cp.bounds = {20, 10, 60, 40};
        cp.parent = &top;
        child.create(cp);
    }
};

TEST_F(ScaledPaintingTest, TheStoreHasDevicePixelsAndChildrenPaintAtTheDoubledPlace) {
    Scene s;
    ws().paintPending();
    const Bitmap& store = s.top.backingStore();
    EXPECT_EQ(s.top.backingStoreScale(), 2);
    EXPECT_EQ(store.size(), (Size{200, 120}));
    // Logical coordinates all the way: the child's clip is its client area.
    EXPECT_EQ(s.childClip, (Rect{0, 0, 40, 30}));
    EXPECT_EQ(s.top.bounds(), (Rect{10, 20, 110, 80}));

    // The child's client starts at logical (1 + 20, 1 + 10) (a one-pixel border): device (42, 22).
    EXPECT_EQ(store.colorAt(42, 22), clLime);
    EXPECT_EQ(store.colorAt(47, 25), clLime);
    EXPECT_EQ(store.colorAt(48, 22), clYellow);
    EXPECT_EQ(store.colorAt(42, 26), clYellow);
    // The one-pixel border and the line are two device pixels thick, no more.
    EXPECT_EQ(store.colorAt(0, 0), colorToRGB(clWindowFrame));
    EXPECT_EQ(store.colorAt(1, 1), colorToRGB(clWindowFrame));
    EXPECT_EQ(store.colorAt(2, 2), clWhite);
    for (int y = 30; y < 36; ++y)
        EXPECT_EQ(store.colorAt(50, y), (y == 32 || y == 33) ? clBlack : clYellow) << "device row " << y;

    // The screen is composed in device pixels too.
    const Bitmap screen = platform().screen().grabScreen();
    EXPECT_EQ(screen.size(), (Size{800, 600}));
    EXPECT_EQ(screen.colorAt(2 * 10 + 42, 2 * 20 + 22), clLime);
    EXPECT_EQ(screen.colorAt(2 * 10 - 1, 2 * 20), colorToRGB(clBackground));
}

TEST_F(ScaledPaintingTest, TheStoreIsTheScaleOneStoreEnlarged) {
    Scene big;
    ws().paintPending();
    const Bitmap scaled = big.top.backingStore();
    big.child.destroy();
    big.top.destroy();

    platform().setScale(1);
    Scene one;
    ws().paintPending();
    const Bitmap& plain = one.top.backingStore();
    ASSERT_EQ(scaled.size(), (Size{plain.width() * 2, plain.height() * 2}));
    int different = 0;
    for (int y = 0; y < scaled.height(); ++y)
        for (int x = 0; x < scaled.width(); ++x)
            if (scaled.pixel(x, y) != plain.pixel(x / 2, y / 2)) ++different;
    EXPECT_EQ(different, 0);
}

TEST_F(ScaledPaintingTest, AScaleChangeRemakesTheStoreAndRepaints) {
    Scene s;
    ws().paintPending();
    s.child.received.clear();

    platform().setScale(1);
    EXPECT_EQ(s.top.backingStoreScale(), 1);
    EXPECT_EQ(s.top.backingStore().size(), (Size{100, 60}));
    EXPECT_EQ(s.child.receivedOf(WM_PAINT).size(), 1u);
    EXPECT_EQ(s.top.backingStore().colorAt(21, 11), clLime);
    EXPECT_EQ(platform().screen().grabScreen().size(), (Size{400, 300}));

    platform().setScale(2);
    EXPECT_EQ(s.top.backingStore().size(), (Size{200, 120}));
    EXPECT_EQ(s.top.backingStore().colorAt(43, 23), clLime);
    EXPECT_EQ(platform().screen().grabScreen().colorAt(2 * 10 + 43, 2 * 20 + 23), clLime);
    // Resizing keeps the scale.
    s.top.setBounds({10, 20, 70, 50});
    ws().paintPending();
    EXPECT_EQ(s.top.backingStore().size(), (Size{120, 60}));
}

}  // namespace
}  // namespace lindora::test
