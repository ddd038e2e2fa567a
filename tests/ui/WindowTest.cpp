// Window geometry and state: coordinate conversion, the frame, moving and sizing with the mouse,
// z-order, hosted native children, the screen and system notifications.
#include "UiTestSupport.h"
#include "ui/Screen.h"
#include "ui/SystemMetrics.h"

namespace lindora::test {
namespace {

class WindowTest : public UiTest {};

TEST_F(WindowTest, CoordinatesConvertBetweenScreenWindowAndClient) {
    LogWindow top("top", nullptr), child("child", nullptr);
    createTop(top, {100, 50, 500, 450});  // thick frame 4, caption 19
    createChild(child, top, {10, 20, 110, 70}, WS_BORDER);
    EXPECT_EQ(top.clientRectInWindow(), (Rect{4, 23, 396, 396}));
    EXPECT_EQ(top.clientToScreen(Point{0, 0}), (Point{104, 73}));
    EXPECT_EQ(child.clientToScreen(Point{0, 0}), (Point{104 + 10 + 1, 73 + 20 + 1}));
    EXPECT_EQ(child.screenToClient(Point{200, 200}), (Point{200 - 115, 200 - 94}));
    EXPECT_EQ(child.windowRectOnScreen(), (Rect{114, 93, 214, 143}));
    EXPECT_EQ(child.offsetInTopLevel(), (Point{14, 43}));
}

TEST_F(WindowTest, FramedTopLevelsKeepTheMinimumTrackingSizeOthersMayBeEmpty) {
    LogWindow framed("framed", nullptr), popup("popup", nullptr), child("child", nullptr);
    createTop(framed, {100, 50, 500, 450});
    createTop(popup, {0, 0, 50, 50}, WS_POPUP);
    createChild(child, framed, {0, 0, 50, 50});
    for (Window* w : {static_cast<Window*>(&framed), static_cast<Window*>(&popup), static_cast<Window*>(&child)})
        w->setBounds(Rect::fromSize(30, 40, 0, 5));
    EXPECT_EQ(framed.bounds(), Rect::fromSize(30, 40, 112, 27));  // the offscreen screen's minimum
    EXPECT_EQ(popup.bounds(), Rect::fromSize(30, 40, 0, 5));
    EXPECT_EQ(child.bounds(), Rect::fromSize(30, 40, 0, 5));
    // Made that small, too.
    LogWindow tiny("tiny", nullptr);
    createTop(tiny, Rect::fromSize(10, 10, 3, 3));
    EXPECT_EQ(tiny.bounds(), Rect::fromSize(10, 10, 112, 27));
}

TEST_F(WindowTest, AProcedureCanSizeTheFrame) {
    LogWindow w("w", nullptr);
    w.onMessage = [](Message& m) {
        if (m.msg != WM_NCCALCSIZE) return false;
        auto* p = reinterpret_cast<NcCalcSizeParams*>(m.lParam);
        p->rect = {p->rect.left + 9, p->rect.top + 3, p->rect.right - 2, p->rect.bottom - 2};  // a grab handle
        return true;
    };
    createTop(w, {0, 0, 200, 30}, WS_POPUP);
    EXPECT_EQ(w.clientRect(), (Rect{0, 0, 189, 25}));
    EXPECT_EQ(w.send(WM_NCHITTEST, 0, makeLParam(3, 10)), HTBORDER);
    EXPECT_EQ(w.send(WM_NCHITTEST, 0, makeLParam(50, 10)), HTCLIENT);
}

TEST_F(WindowTest, DraggingTheCaptionMovesAndTheCornerSizesEscapePutsItBack) {
    LogWindow w("w", nullptr);
    createTop(w, {100, 100, 400, 300});
    platform().input().mouseMove({200, 110});
    platform().input().mousePress(MouseButton::Left);
    platform().input().mouseMove({250, 140});
    platform().input().mouseRelease(MouseButton::Left);
    ws().processMessages();
    EXPECT_EQ(w.bounds(), (Rect{150, 130, 450, 330}));
    EXPECT_FALSE(w.receivedOf(WM_MOVE).empty());
    EXPECT_EQ(ws().capture(), nullptr);

    platform().input().mouseMove({449, 329});
    platform().input().mousePress(MouseButton::Left);
    platform().input().mouseMove({500, 400});
    platform().input().mouseRelease(MouseButton::Left);
    ws().processMessages();
    EXPECT_EQ(w.bounds(), (Rect{150, 130, 501, 401}));

    platform().input().mouseMove({200, 140});
    platform().input().mousePress(MouseButton::Left);
    platform().input().mouseMove({600, 600});
    platform().input().keyDown(VK_ESCAPE);
    ws().processMessages();
    EXPECT_EQ(w.bounds(), (Rect{150, 130, 501, 401}));
    platform().input().mouseRelease(MouseButton::Left);
    ws().processMessages();
}

TEST_F(WindowTest, SizingWithTheMouseKeepsTheMinimumTrackingSizeOnlyForFramedTopLevels) {
    struct Case {
        const char* what;
        std::uint32_t style, exStyle;
        Point grab, to;
        Rect expected;
    };
    const Case cases[] = {
        {"framed: the right edge stops at the minimum",
         WS_OVERLAPPEDWINDOW,
         0,
         {299, 130},
         {149, 130},
         Rect::fromSize(100, 100, 112, 60)},
        {"framed: so does the left edge, the right one staying",
         WS_OVERLAPPEDWINDOW,
         0,
         {100, 130},
         {250, 130},
         Rect{188, 100, 300, 160}},
        {"sizable popup tool window: narrower",
         WS_POPUP | WS_THICKFRAME,
         WS_EX_TOOLWINDOW,
         {299, 130},
         {149, 130},
         Rect::fromSize(100, 100, 50, 60)},
        {"sizable popup tool window: from the left",
         WS_POPUP | WS_THICKFRAME,
         WS_EX_TOOLWINDOW,
         {100, 130},
         {250, 130},
         Rect{250, 100, 300, 160}},
        {"sizable popup: never inside out",
         WS_POPUP | WS_THICKFRAME,
         0,
         {299, 130},
         {20, 130},
         Rect::fromSize(100, 100, 1, 60)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LogWindow w("w", nullptr);
        createTop(w, {100, 100, 300, 160}, c.style, c.exStyle);
        platform().input().mouseMove(c.grab);
        platform().input().mousePress(MouseButton::Left);
        platform().input().mouseMove(c.to);
        platform().input().mouseRelease(MouseButton::Left);
        ws().processMessages();
        EXPECT_EQ(w.bounds(), c.expected);
        EXPECT_EQ(ws().capture(), nullptr);
    }
}

TEST_F(WindowTest, PositionChangesReportTheHideFlagAndMoveAndSizeFollow) {
    LogWindow w("w", nullptr);
    createTop(w, {0, 0, 100, 100}, WS_POPUP);
    std::vector<unsigned> flags;
    w.onMessage = [&](Message& m) {
        if (m.msg == WM_WINDOWPOSCHANGED) flags.push_back(reinterpret_cast<WindowPos*>(m.lParam)->flags);
        return false;
    };
    w.received.clear();
    w.setBounds({10, 10, 110, 160});
    w.hide();
    ASSERT_EQ(flags.size(), 2u);
    EXPECT_EQ(flags[0] & (SWP_NOMOVE | SWP_NOSIZE), 0u);
    EXPECT_NE(flags[1] & SWP_HIDEWINDOW, 0u);
    auto size = w.receivedOf(WM_SIZE);
    ASSERT_EQ(size.size(), 1u);
    EXPECT_EQ(hiWordSigned(size[0].lParam), 150);
    EXPECT_EQ(w.receivedOf(WM_SHOWWINDOW).size(), 1u);
}

TEST_F(WindowTest, TopMostAndOwnedWindowsStayAbove) {
    LogWindow owner("owner", nullptr), owned("owned", nullptr), other("other", nullptr), onTop("top", nullptr);
    createTop(onTop, {0, 0, 10, 10}, WS_POPUP, WS_EX_TOPMOST);
    createTop(owner, {0, 0, 10, 10});
    createTop(owned, {0, 0, 10, 10}, WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW, &owner);
    createTop(other, {0, 0, 10, 10});
    owner.bringToTop();
    EXPECT_EQ(ws().topLevels(), (std::vector<Window*>{&onTop, &owned, &owner, &other}));
    // The backend's stacking follows, bottom first.
    const auto& s = platform().stacking();
    ASSERT_EQ(s.size(), 4u);
    EXPECT_EQ(s.front(), other.surface());
    EXPECT_EQ(s.back(), onTop.surface());
}

class FakeNativeChild : public NativeChild {
public:
    void attachTo(NativeSurface* s) override { surface = s; }
    void setGeometry(const Rect& r) override { geometry = r; }
    void setVisible(bool v) override { visible = v; }
    void setFocus() override { ++focused; }
    NativeSurface* surface = nullptr;
    Rect geometry;
    bool visible = false;
    int focused = 0;
};

TEST_F(WindowTest, AHostedNativeChildFollowsItsWindow) {
    LogWindow top("top", nullptr), host("host", nullptr);
    FakeNativeChild browser;
    createTop(top, {100, 100, 500, 400}, WS_POPUP);
    createChild(host, top, {0, 26, 400, 300});
    host.hostNativeChild(&browser);
    EXPECT_EQ(browser.surface, top.surface());
    EXPECT_EQ(browser.geometry, (Rect{0, 26, 400, 300}));
    EXPECT_TRUE(browser.visible);
    host.setBounds({0, 30, 300, 300});
    EXPECT_EQ(browser.geometry, (Rect{0, 30, 300, 300}));
    top.hide();
    EXPECT_FALSE(browser.visible);
    top.show();
    ws().setFocus(&host);
    EXPECT_EQ(browser.focused, 1);
    host.destroy();
    EXPECT_EQ(browser.surface, nullptr);
}

TEST_F(WindowTest, ScreenKnowsMonitorsMetricsAndTellsWindowsAboutChanges) {
    LogWindow w("w", nullptr);
    createTop(w, {0, 0, 100, 100}, WS_POPUP);
    EXPECT_EQ(Screen::width(), 1280);
    EXPECT_EQ(Screen::metric(SM_CXDRAG), 4);
    EXPECT_EQ(Screen::metric(SM_CXSMICON), 16);
    EXPECT_EQ(Screen::pixelsPerInch(), 96);
    EXPECT_EQ(Screen::monitorFromPoint({5000, 5000}).bounds, (Rect{0, 0, 1280, 1024}));
    platform().setWorkArea({0, 0, 1280, 994});
    EXPECT_EQ(Screen::monitorFromRect({100, 100, 200, 200}).workArea, (Rect{0, 0, 1280, 994}));
    auto settings = w.receivedOf(WM_SETTINGCHANGE);
    ASSERT_EQ(settings.size(), 1u);
    EXPECT_EQ(settings[0].wParam, static_cast<WParam>(SPI_SETWORKAREA));

    platform().setSystemColor(COLOR_BTNFACE, RGB(1, 2, 3));
    EXPECT_EQ(w.receivedOf(WM_SYSCOLORCHANGE).size(), 1u);
    EXPECT_EQ(colorToRGB(clBtnFace), RGB(1, 2, 3));
    SystemColors::resetToDefaults();
}

TEST_F(WindowTest, ReplacingTheBackendClosesWindowsThatAreStillOpen) {
    LogWindow w("w", nullptr);
    createTop(w, {0, 0, 100, 100});
    OffscreenIntegration::install();
    EXPECT_FALSE(w.handleAllocated());
    EXPECT_EQ(w.receivedOf(WM_DESTROY).size(), 1u);
    EXPECT_TRUE(ws().topLevels().empty());
}

TEST_F(WindowTest, ServicesRecordOpensSoundsAndGiveTheSystemsErrorText) {
    PlatformServices& s = platform().services();
    EXPECT_EQ(s.shellOpen("open", "https://example.org/", ""), 42);
    platform().input().setShellOpenResult(2);
    EXPECT_EQ(s.shellOpen("open", "C:/missing.doc", "-x"), 2);
    EXPECT_EQ(s.systemErrorText(2), "The system cannot find the file specified.");
    s.playSound("MenuPopup");
    EXPECT_EQ(platform().record().lines(),
              (std::vector<std::string>{"open \"open\" \"https://example.org/\" \"\" -> 42",
                                        "open \"open\" \"C:/missing.doc\" \"-x\" -> 2", "sound MenuPopup"}));
}

}  // namespace
}  // namespace lindora::test
