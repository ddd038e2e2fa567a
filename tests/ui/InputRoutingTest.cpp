// Mouse routing: hit testing through children, popups and transparent windows, capture,
// mouse-leave tracking and the activation sequence of a click on an inactive window.
#include "UiTestSupport.h"

namespace lindora::test {
namespace {

class InputRoutingTest : public UiTest {};

TEST_F(InputRoutingTest, ClicksReachTheDeepestWindowUnderThePointInItsClientCoordinates) {
    LogWindow top("top", nullptr), child("child", nullptr), grandChild("grand", nullptr), popup("popup", nullptr);
    createTop(top, {100, 100, 500, 400});
    createChild(child, top, {20, 30, 220, 230});
    createChild(grandChild, child, {10, 10, 60, 60});
    createTop(popup, {400, 300, 600, 500}, WS_POPUP | WS_BORDER, WS_EX_TOPMOST, &top);
    ws().processMessages();
    const Point clientOrigin = top.clientToScreen({0, 0});

    struct Case {
        Point screen;
        LogWindow* expected;
        Point client;
    };
    const Case cases[] = {
        {clientOrigin + Point{5, 5}, &top, {5, 5}},
        {clientOrigin + Point{25, 35}, &child, {5, 5}},
        {clientOrigin + Point{20 + 10 + 3, 30 + 10 + 4}, &grandChild, {3, 4}},
        // The popup lies over the top-level's bottom-right corner.
        {{450, 350}, &popup, {49, 49}},
    };
    for (const auto& c : cases) {
        for (LogWindow* w : {&top, &child, &grandChild, &popup}) w->received.clear();
        platform().input().click(c.screen);
        ws().processMessages();
        auto downs = c.expected->receivedOf(WM_LBUTTONDOWN);
        ASSERT_EQ(downs.size(), 1u) << c.expected->name();
        EXPECT_EQ(loWordSigned(downs[0].lParam), c.client.x) << c.expected->name();
        EXPECT_EQ(hiWordSigned(downs[0].lParam), c.client.y) << c.expected->name();
        for (LogWindow* w : {&top, &child, &grandChild, &popup}) {
            if (w != c.expected) {
                EXPECT_TRUE(w->receivedOf(WM_LBUTTONDOWN).empty()) << w->name();
            }
        }
    }
}

TEST_F(InputRoutingTest, FrameClicksAreNonClientMessagesWithTheHitTestCode) {
    LogWindow top("top", nullptr);
    createTop(top, {100, 100, 500, 400});
    ws().processMessages();
    platform().input().click({250, 108});  // in the caption
    ws().processMessages();
    auto nc = top.receivedOf(WM_NCLBUTTONDOWN);
    ASSERT_EQ(nc.size(), 1u);
    EXPECT_EQ(nc[0].wParam, static_cast<WParam>(HTCAPTION));
    EXPECT_EQ(loWordSigned(nc[0].lParam), 250);  // screen coordinates
    EXPECT_TRUE(top.receivedOf(WM_LBUTTONDOWN).empty());

    top.received.clear();
    platform().input().click({499, 399});  // the sizing corner
    ws().processMessages();
    nc = top.receivedOf(WM_NCLBUTTONDOWN);
    ASSERT_EQ(nc.size(), 1u);
    EXPECT_EQ(nc[0].wParam, static_cast<WParam>(HTBOTTOMRIGHT));
}

TEST_F(InputRoutingTest, TransparentWindowsLetTheMouseThroughToWhatLiesBelow) {
    LogWindow below("below", nullptr), hint("hint", nullptr), child("child", nullptr), over("over", nullptr);
    createTop(below, {100, 100, 500, 400}, WS_POPUP);
    createChild(child, below, {0, 0, 200, 200});
    createChild(over, below, {0, 0, 100, 100});  // created later: above `child`
    over.hitTestOverride = HTTRANSPARENT;
    createTop(hint, {150, 150, 250, 250}, WS_POPUP, WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    hint.hitTestOverride = HTTRANSPARENT;
    ws().processMessages();

    platform().input().click({160, 160});
    ws().processMessages();
    EXPECT_TRUE(hint.receivedOf(WM_LBUTTONDOWN).empty());
    EXPECT_TRUE(over.receivedOf(WM_LBUTTONDOWN).empty());
    EXPECT_EQ(child.receivedOf(WM_LBUTTONDOWN).size(), 1u);
}

TEST_F(InputRoutingTest, DisabledChildPassesTheClickToItsParentAndADisabledTopLevelTakesNothing) {
    LogWindow top("top", nullptr), child("child", nullptr);
    createTop(top, {0, 0, 300, 300}, WS_POPUP);
    createChild(child, top, {10, 10, 100, 100});
    child.enable(false);
    platform().input().click({20, 20});
    ws().processMessages();
    EXPECT_TRUE(child.receivedOf(WM_LBUTTONDOWN).empty());
    EXPECT_EQ(top.receivedOf(WM_LBUTTONDOWN).size(), 1u);

    top.enable(false);
    top.received.clear();
    platform().input().click({20, 20});
    ws().processMessages();
    EXPECT_TRUE(top.receivedOf(WM_LBUTTONDOWN).empty());
}

TEST_F(InputRoutingTest, DoubleClickNeedsTheClassStyleAndTheSameSpot) {
    LogWindow dbl("dbl", nullptr), plain("plain", nullptr);
    createTop(dbl, {0, 0, 100, 100}, WS_POPUP);
    CreateParams p;
    p.style = WS_POPUP | WS_VISIBLE;
    p.classStyle = 0;
    p.bounds = {200, 0, 300, 100};
    plain.create(p);

    platform().input().doubleClick({50, 50});
    platform().input().doubleClick({250, 50});
    ws().processMessages();
    EXPECT_EQ(dbl.receivedOf(WM_LBUTTONDBLCLK).size(), 1u);
    EXPECT_EQ(dbl.receivedOf(WM_LBUTTONDOWN).size(), 1u);
    EXPECT_TRUE(plain.receivedOf(WM_LBUTTONDBLCLK).empty());
    EXPECT_EQ(plain.receivedOf(WM_LBUTTONDOWN).size(), 2u);

    // Two presses far apart, or too late, are two single clicks.
    dbl.received.clear();
    platform().input().click({10, 10});
    platform().input().click({60, 60});
    platform().input().click({60, 60});
    ws().processMessages();
    platform().advance(600);
    platform().input().click({60, 60});
    ws().processMessages();
    EXPECT_EQ(dbl.receivedOf(WM_LBUTTONDBLCLK).size(), 1u);  // only the 2nd/3rd pair
    EXPECT_EQ(dbl.receivedOf(WM_LBUTTONDOWN).size(), 3u);
}

TEST_F(InputRoutingTest, CaptureTakesAllMouseInputAndTheLoserIsTold) {
    LogWindow top("top", nullptr), a("a", nullptr), b("b", nullptr);
    createTop(top, {0, 0, 400, 300}, WS_POPUP);
    createChild(a, top, {10, 10, 110, 110});
    createChild(b, top, {200, 10, 300, 110});

    ws().setCapture(&a);
    platform().input().mouseMove({250, 50});  // over b
    platform().input().mousePress(MouseButton::Left);
    ws().processMessages();
    auto moves = a.receivedOf(WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(loWordSigned(moves[0].lParam), 240);  // a's client coordinates
    EXPECT_EQ(a.receivedOf(WM_LBUTTONDOWN).size(), 1u);
    EXPECT_TRUE(b.received.empty() || b.receivedOf(WM_MOUSEMOVE).empty());

    // Points left of and above the capturing window arrive as negative coordinates.
    platform().input().mouseMove({0, 0});
    ws().processMessages();
    moves = a.receivedOf(WM_MOUSEMOVE);
    EXPECT_EQ(loWordSigned(moves.back().lParam), -10);
    EXPECT_EQ(hiWordSigned(moves.back().lParam), -10);

    // Taking the capture away tells the loser who took it.
    ws().setCapture(&b);
    auto changed = a.receivedOf(WM_CAPTURECHANGED);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(static_cast<WindowHandle>(changed[0].lParam), b.handle());
    ws().releaseCapture();
    changed = b.receivedOf(WM_CAPTURECHANGED);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].lParam, 0);
    EXPECT_EQ(ws().capture(), nullptr);
}

TEST_F(InputRoutingTest, CaptureAppliesToInputQueuedBeforeItWasSet) {
    LogWindow top("top", nullptr), a("a", nullptr), b("b", nullptr);
    createTop(top, {0, 0, 400, 300}, WS_POPUP);
    createChild(a, top, {10, 10, 110, 110});
    createChild(b, top, {200, 10, 300, 110});
    a.onMessage = [&](Message& m) {
        if (m.msg == WM_LBUTTONDOWN) ws().setCapture(&a);
        if (m.msg == WM_LBUTTONUP) ws().releaseCapture();
        return false;
    };
    // Press on a, drag over b and release there: all of it belongs to a.
    platform().input().mouseMove({50, 50});
    platform().input().mousePress(MouseButton::Left);
    platform().input().mouseMove({250, 50});
    platform().input().mouseRelease(MouseButton::Left);
    ws().processMessages();
    EXPECT_EQ(a.receivedOf(WM_LBUTTONUP).size(), 1u);
    EXPECT_TRUE(b.receivedOf(WM_MOUSEMOVE).empty());
    EXPECT_TRUE(b.receivedOf(WM_LBUTTONUP).empty());
}

TEST_F(InputRoutingTest, DestroyingTheCapturingWindowReleasesTheCapture) {
    LogWindow top("top", nullptr);
    auto child = std::make_unique<LogWindow>("child", nullptr);
    createTop(top, {0, 0, 400, 300}, WS_POPUP);
    createChild(*child, top, {10, 10, 110, 110});
    ws().setCapture(child.get());
    child.reset();
    EXPECT_EQ(ws().capture(), nullptr);
    platform().input().click({300, 200});
    ws().processMessages();
    EXPECT_EQ(top.receivedOf(WM_LBUTTONDOWN).size(), 1u);
}

TEST_F(InputRoutingTest, CancelModeReleasesTheCaptureOfTheWindowThatHasIt) {
    LogWindow top("top", nullptr), a("a", nullptr), b("b", nullptr);
    createTop(top, {0, 0, 400, 300}, WS_POPUP);
    createChild(a, top, {10, 10, 110, 110});
    createChild(b, top, {200, 10, 300, 110});
    ws().setCapture(&a);

    // Told to cancel, a window without the capture leaves it where it is.
    b.send(WM_CANCELMODE);
    EXPECT_EQ(ws().capture(), &a);
    EXPECT_TRUE(a.receivedOf(WM_CAPTURECHANGED).empty());

    a.send(WM_CANCELMODE);
    EXPECT_EQ(ws().capture(), nullptr);
    EXPECT_EQ(a.receivedOf(WM_CAPTURECHANGED).size(), 1u);
    // The mouse goes where it points again.
    platform().input().click({250, 50});
    ws().processMessages();
    EXPECT_EQ(b.receivedOf(WM_LBUTTONDOWN).size(), 1u);
    EXPECT_TRUE(a.receivedOf(WM_LBUTTONDOWN).empty());
}

TEST_F(InputRoutingTest, MouseLeaveComesOnceWhenTheMouseLeavesTheTrackedClientArea) {
    LogWindow top("top", nullptr), a("a", nullptr), b("b", nullptr);
    createTop(top, {0, 0, 400, 300}, WS_POPUP);
    createChild(a, top, {10, 10, 110, 110});
    createChild(b, top, {200, 10, 300, 110});
    a.onMessage = [&](Message& m) {
        if (m.msg == WM_MOUSEMOVE && ws().mouseLeaveTracked() != &a) ws().trackMouseLeave(&a);
        return false;
    };
    platform().input().mouseMove({50, 50});
    platform().input().mouseMove({60, 60});
    ws().processMessages();
    EXPECT_TRUE(a.receivedOf(WM_MOUSELEAVE).empty());

    platform().input().mouseMove({250, 50});
    platform().input().mouseMove({260, 50});
    ws().processMessages();
    EXPECT_EQ(a.receivedOf(WM_MOUSELEAVE).size(), 1u);

    // Leaving every window of the application counts too.
    platform().input().mouseMove({50, 50});
    platform().input().mouseMove({390, 290});
    platform().input().mouseMove({900, 900});
    ws().processMessages();
    EXPECT_EQ(a.receivedOf(WM_MOUSELEAVE).size(), 2u);
}

TEST_F(InputRoutingTest, TrackingAWindowTheMouseIsNotOverNotifiesAtOnce) {
    LogWindow top("top", nullptr);
    createTop(top, {0, 0, 100, 100}, WS_POPUP);
    platform().input().mouseMove({500, 500});
    ws().processMessages();
    ws().trackMouseLeave(&top);
    ws().processMessages();
    EXPECT_EQ(top.receivedOf(WM_MOUSELEAVE).size(), 1u);
}

TEST_F(InputRoutingTest, ClickOnAnInactiveWindowActivatesItInTheClassicOrder) {
    MessageLog log;
    const std::vector<unsigned> logged{WM_MOUSEACTIVATE, WM_NCACTIVATE, WM_ACTIVATE,  WM_ACTIVATEAPP,
                                       WM_KILLFOCUS,     WM_SETFOCUS,   WM_SETCURSOR, WM_LBUTTONDOWN};
    LogWindow first("first", &log, logged), second("second", &log, logged), button("button", &log, logged);
    createTop(first, {0, 0, 300, 300});
    createTop(second, {400, 0, 700, 300});
    createChild(button, second, {10, 10, 60, 40});
    ws().setActiveWindow(&first);
    ws().processMessages();
    ASSERT_EQ(ws().activeWindow(), &first);
    ASSERT_EQ(ws().focus(), &first);
    platform().input().mouseMove(button.clientToScreen({5, 5}));
    ws().processMessages();
    log.clear();

    platform().input().mousePress(MouseButton::Left);
    ws().processMessages();
    const MessageLog expected{
        "button WM_MOUSEACTIVATE", "second WM_MOUSEACTIVATE",  // the child asks its parent first
        "first WM_NCACTIVATE",     "first WM_ACTIVATE",       "second WM_NCACTIVATE",
        "second WM_ACTIVATE",      "first WM_KILLFOCUS",      "second WM_SETFOCUS",
        "button WM_SETCURSOR",     "second WM_SETCURSOR",     "button WM_LBUTTONDOWN",
    };
    EXPECT_EQ(log, expected);
    EXPECT_EQ(ws().activeWindow(), &second);
    auto act = second.receivedOf(WM_ACTIVATE);
    ASSERT_FALSE(act.empty());
    EXPECT_EQ(loWord(act.back().wParam), static_cast<unsigned>(WA_CLICKACTIVE));
    EXPECT_EQ(static_cast<WindowHandle>(act.back().lParam), first.handle());
    // Activation raises the window.
    EXPECT_EQ(ws().topLevels().front(), &second);
}

TEST_F(InputRoutingTest, TheCursorFollowsTheWindowAndTheFrameUnderThePointer) {
    LogWindow top("top", nullptr), child("child", nullptr);
    createTop(top, {100, 100, 500, 400});
    createChild(child, top, {10, 10, 100, 100});
    child.setCursor(CursorShape::IBeam);
    auto* surface = static_cast<OffscreenSurface*>(top.surface());
    struct Case {
        Point at;
        CursorShape shape;
    };
    const Case cases[] = {{child.clientToScreen({5, 5}), CursorShape::IBeam},
                          {top.clientToScreen({300, 200}), CursorShape::Arrow},
                          {{499, 250}, CursorShape::SizeWE},
                          {{499, 399}, CursorShape::SizeNWSE}};
    for (const auto& c : cases) {
        platform().input().mouseMove(c.at);
        ws().processMessages();
        EXPECT_EQ(surface->cursor(), c.shape) << c.at.x << "," << c.at.y;
    }
    // A drag loop sets the cursor on the capturing window's surface.
    ws().setCapture(&child);
    ws().setCursorShape(CursorShape::DragCopy);
    EXPECT_EQ(surface->cursor(), CursorShape::DragCopy);
    EXPECT_TRUE(surface->grabbed());
    ws().releaseCapture();
    EXPECT_FALSE(surface->grabbed());
}

TEST_F(InputRoutingTest, AnotherProgramTakingTheFocusDeactivatesAndGivingItBackRestores) {
    MessageLog log;
    const std::vector<unsigned> logged{WM_NCACTIVATE, WM_ACTIVATE, WM_ACTIVATEAPP,
                                       WM_KILLFOCUS,  WM_SETFOCUS, WM_THEMECHANGED};
    LogWindow a("a", &log, logged), b("b", &log, logged);
    createTop(a, {0, 0, 100, 100});
    createTop(b, {200, 0, 300, 100});
    ws().setActiveWindow(&a);
    log.clear();
    platform().notify(SystemChange::AppDeactivated);
    EXPECT_EQ(ws().activeWindow(), nullptr);
    EXPECT_EQ(ws().focus(), nullptr);
    EXPECT_EQ(log, (MessageLog{"a WM_NCACTIVATE", "a WM_ACTIVATE", "a WM_ACTIVATEAPP", "b WM_ACTIVATEAPP",
                               "a WM_KILLFOCUS"}));
    log.clear();
    platform().notify(SystemChange::AppActivated);
    EXPECT_EQ(ws().activeWindow(), &a);
    EXPECT_EQ(ws().focus(), &a);
    log.clear();
    platform().notify(SystemChange::Theme);
    EXPECT_EQ(log, (MessageLog{"a WM_THEMECHANGED", "b WM_THEMECHANGED"}));  // every top-level, in z-order
}

TEST_F(InputRoutingTest, TheSystemsFocusLeavingAndComingBackAtOnceKeepsTheApplicationActive) {
    LogWindow a("a", nullptr);
    createTop(a, {0, 0, 100, 100});
    auto* surface = dynamic_cast<OffscreenSurface*>(a.surface());
    ASSERT_NE(surface, nullptr);
    surface->systemFocusChanged(true);
    EXPECT_EQ(ws().activeWindow(), &a);
    EXPECT_TRUE(ws().applicationActive());

    // Out and in again before the queue runs (the focus moving within the window).
    surface->systemFocusChanged(false);
    surface->systemFocusChanged(true);
    ws().processMessages();
    EXPECT_TRUE(ws().applicationActive());
    EXPECT_EQ(ws().activeWindow(), &a);

    // Out for good: another program has the focus.
    surface->systemFocusChanged(false);
    ws().processMessages();
    EXPECT_FALSE(ws().applicationActive());
    EXPECT_EQ(ws().activeWindow(), nullptr);

    surface->systemFocusChanged(true);
    EXPECT_TRUE(ws().applicationActive());
    EXPECT_EQ(ws().activeWindow(), &a);
}

TEST_F(InputRoutingTest, NoActivateAnswerKeepsTheActiveWindowAndEatAnswersDropTheClick) {
    LogWindow main("main", nullptr), menu("menu", nullptr);
    createTop(main, {0, 0, 300, 300});
    createTop(menu, {400, 0, 500, 100}, WS_POPUP, WS_EX_TOPMOST, &main);
    ws().setActiveWindow(&main);
    menu.onMessage = [](Message& m) {
        if (m.msg == WM_MOUSEACTIVATE) {
            m.result = MA_NOACTIVATE;
            return true;
        }
        return false;
    };
    platform().input().click({450, 50});
    ws().processMessages();
    EXPECT_EQ(ws().activeWindow(), &main);
    EXPECT_EQ(menu.receivedOf(WM_LBUTTONDOWN).size(), 1u);

    menu.onMessage = [](Message& m) {
        if (m.msg == WM_MOUSEACTIVATE) {
            m.result = MA_NOACTIVATEANDEAT;
            return true;
        }
        return false;
    };
    menu.received.clear();
    platform().input().click({450, 50});
    ws().processMessages();
    EXPECT_TRUE(menu.receivedOf(WM_LBUTTONDOWN).empty());
    EXPECT_EQ(menu.receivedOf(WM_LBUTTONUP).size(), 1u);
}

}  // namespace
}  // namespace lindora::test
