// Painting: child windows paint into their top-level's backing store through an offset, clipped
// canvas; invalidation limits what is repainted; the offscreen screen composites top-levels in
// z-order with window and per-pixel alpha.
#include <filesystem>

#include "UiTestSupport.h"
#include "gfx/Canvas.h"

namespace lindora::test {
namespace {

class PaintingTest : public UiTest {};

// Fills its client area with one colour.
class SolidWindow : public LogWindow {
public:
    SolidWindow(std::string name, Color c) : LogWindow(std::move(name), nullptr) { setBackgroundColor(c); }
};

TEST_F(PaintingTest, ChildrenPaintAtTheirOffsetAndStayInsideTheirParentsClientArea) {
    SolidWindow top("top", clWhite), child("child", clRed), grandChild("grand", clBlue);
    createTop(top, {0, 0, 200, 150}, WS_POPUP | WS_BORDER);
    createChild(child, top, {20, 10, 120, 60});
    // Sticks out of its parent: the part outside must not be painted.
    createChild(grandChild, child, {90, 40, 150, 90});
    Rect childPaintClip;
    child.onPaint = [&](Canvas& c) {
        childPaintClip = c.clipBounds();
        c.fillRect({0, 0, 5, 5}, Brush(clLime));  // client coordinates of the child
    };
    ws().paintPending();
    const Bitmap& store = top.backingStore();
    // The top-level's border is 1 pixel, so its client starts at (1, 1).
    EXPECT_EQ(store.colorAt(1 + 20, 1 + 10), clLime);
    EXPECT_EQ(store.colorAt(1 + 20 + 6, 1 + 10 + 6), clRed);
    EXPECT_EQ(store.colorAt(1 + 20 + 95, 1 + 10 + 45), clBlue);
    EXPECT_EQ(store.colorAt(1 + 20 + 100 + 5, 1 + 10 + 45), clWhite);  // outside the child: clipped
    EXPECT_EQ(store.colorAt(0, 0), colorToRGB(clWindowFrame));
    EXPECT_EQ(childPaintClip, (Rect{0, 0, 100, 50}));

    // An invalidated part repaints only that part.
    childPaintClip = {};
    int topPaints = 0;
    top.onPaint = [&](Canvas&) { ++topPaints; };
    child.invalidate({10, 10, 30, 20});
    EXPECT_EQ(child.invalidArea(), (Rect{10, 10, 30, 20}));
    ws().paintPending();
    EXPECT_EQ(childPaintClip, (Rect{10, 10, 30, 20}));
    EXPECT_EQ(topPaints, 1);
    EXPECT_TRUE(child.invalidArea().isEmpty());
}

TEST_F(PaintingTest, HidingAChildRepaintsWhatWasBelowIt) {
    SolidWindow top("top", clWhite), child("child", clRed);
    createTop(top, {0, 0, 100, 100}, WS_POPUP);
    createChild(child, top, {10, 10, 50, 50});
    ws().paintPending();
    ASSERT_EQ(top.backingStore().colorAt(20, 20), clRed);
    child.hide();
    ws().paintPending();
    EXPECT_EQ(top.backingStore().colorAt(20, 20), clWhite);
}

TEST_F(PaintingTest, TheBackgroundIsErasedOnlyWhenAskedForOrWhenAParentErasedIt) {
    SolidWindow top("top", clWhite), child("child", clRed);
    createTop(top, {0, 0, 200, 150}, WS_POPUP);
    createChild(child, top, {20, 10, 120, 60});
    ws().paintPending();
    // The child paints a mark over part of its background; without an erase the rest of what
    // it showed stays.
    child.onPaint = [](Canvas& c) { c.fillRect({0, 0, 5, 5}, Brush(clLime)); };
    child.setBackgroundColor(clBlue);

    struct Case {
        const char* what;
        std::function<void()> invalidate;
        bool topErased, childErased;
        Color childBackground;  // the child's pixels outside the mark afterwards
    };
    const Case cases[] = {
        {"the child without an erase: its old background stays",
         [&] {
             child.invalidate({0, 0, 50, 50}, false);
         },
         false, false, clRed},
        {"the child with an erase",
         [&] {
             child.invalidate({0, 0, 50, 50}, true);
         },
         false, true, clBlue},
        {"one request with and one without: erased",
         [&] {
             child.setBackgroundColor(clYellow);
             child.invalidate({0, 0, 10, 10}, true);
             child.invalidate({0, 0, 50, 50}, false);
         },
         false, true, clYellow},
        {"the parent erased: the child erases too, though it asked for nothing", [&] { top.invalidate(); }, true, true,
         clYellow},
        {"the parent without an erase", [&] { top.invalidate(top.clientRect(), false); }, false, false, clYellow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        top.received.clear();
        child.received.clear();
        c.invalidate();
        ws().paintPending();
        EXPECT_EQ(top.receivedOf(WM_ERASEBKGND).size(), c.topErased ? 1u : 0u);
        EXPECT_EQ(child.receivedOf(WM_ERASEBKGND).size(), c.childErased ? 1u : 0u);
        EXPECT_EQ(child.receivedOf(WM_PAINT).size(), 1u);
        EXPECT_EQ(top.backingStore().colorAt(20 + 30, 10 + 30), c.childBackground);
        EXPECT_EQ(top.backingStore().colorAt(20 + 2, 10 + 2), clLime);
    }
}

// Two overlapping framed windows and a popup menu with a translucent shadow, composited.
TEST_F(PaintingTest, ScreenShowsOverlappingWindowsAndAPopupWithItsShadow) {
    const Color back = RGB(200, 220, 255), front = RGB(255, 250, 205);
    SolidWindow a("Back", back), b("Front", front), button("button", RGB(0, 128, 0)), popup("popup", clWhite);
    LogWindow shadow("shadow", nullptr);
    CreateParams pa;
    pa.caption = "Back window";
    pa.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    pa.bounds = {100, 100, 600, 450};
    a.create(pa);
    CreateParams pb = pa;
    pb.caption = "Front window";
    pb.bounds = {350, 250, 850, 600};
    b.create(pb);
    createChild(button, b, {20, 20, 120, 50});
    // The shadow: a layered window whose pixels carry their own alpha.
    shadow.setBackgroundColor(clNone);
    shadow.onPaint = [](Canvas& c) {
        for (int y = 0; y < c.height(); ++y)
            for (int x = 0; x < c.width(); ++x) c.setRawPixel(x, y, 0x60000000u);
    };
    createTop(shadow, {505, 305, 655, 425}, WS_POPUP, WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_TOOLWINDOW, &b);
    popup.onPaint = [](Canvas& c) {
        c.setFont(Font("DejaVu Sans", -11));
        c.setBackgroundMode(BackgroundMode::Transparent);
        c.textOut(8, 6, "Home Page");
        c.textOut(8, 26, "About");
    };
    createTop(popup, {500, 300, 650, 420}, WS_POPUP | WS_BORDER, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, &b);
    ws().setActiveWindow(&b);
    ws().paintPending();

    Bitmap screen = platform().screen().grabScreen();
    const auto dir = std::filesystem::temp_directory_path() / "lindora-ui";
    std::filesystem::create_directories(dir);
    const auto file = (dir / "two-windows-and-popup.png").string();
    screen.savePNG(file);
    std::cout << "screenshot: " << file << "\n";

    const Color desktop = colorToRGB(clBackground);
    EXPECT_EQ(screen.colorAt(50, 50), desktop);
    EXPECT_EQ(screen.colorAt(200, 300), back);  // only the back window
    EXPECT_EQ(screen.colorAt(b.clientToScreen({200, 5}).x, b.clientToScreen({200, 5}).y), front);  // front wins
    EXPECT_EQ(screen.colorAt(b.clientToScreen({30, 30}).x, b.clientToScreen({30, 30}).y), RGB(0, 128, 0));
    EXPECT_EQ(screen.colorAt(600, 410), clWhite);  // the popup is on top
    // The shadow darkens what lies below it, by its alpha (0x60 of 255).
    const Color shaded = screen.colorAt(652, 415);
    EXPECT_NEAR(shaded.red(), front.red() * (255 - 0x60) / 255, 2);
    EXPECT_NEAR(shaded.blue(), front.blue() * (255 - 0x60) / 255, 2);
    // The active caption uses the active caption colour, the other one the inactive colour.
    EXPECT_EQ(screen.colorAt(b.bounds().left + 300, b.bounds().top + 6), colorToRGB(clActiveCaption));
    EXPECT_EQ(screen.colorAt(a.bounds().left + 100, a.bounds().top + 6), colorToRGB(clInactiveCaption));
}

TEST_F(PaintingTest, WindowAlphaBlendsTheWholeWindow) {
    SolidWindow below("below", clBlack), above("above", clWhite);
    createTop(below, {0, 0, 100, 100}, WS_POPUP);
    createTop(above, {0, 0, 100, 100}, WS_POPUP);
    above.setAlpha(128);
    ws().paintPending();
    Color c = platform().screen().grabScreen().colorAt(50, 50);
    EXPECT_NEAR(c.red(), 128, 1);
}

}  // namespace
}  // namespace lindora::test
