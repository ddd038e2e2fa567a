// The frame of toolbar windows under the mouse: what each part of a floating or docked bar
// answers to the hit test, the floating bar's close button (its own press loop, its pressed and
// hot looks, closing the bar), sizing and moving by the frame, presses on a docked bar outside
// its items, and the form's caption staying active while a floating bar is activated.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "bars/controls/BarControl.h"
#include "bars/controls/MenuChain.h"
#include "bars/model/Bar.h"
#include "bars/model/BarItemLinks.h"
#include "bars/model/BarManager.h"
#include "bars/toolbar/ToolbarTestSupport.h"
#include "platform/offscreen/OffscreenIntegration.h"
#include "ui/DefaultFrame.h"
#include "ui/Messages.h"
#include "ui/WindowSystem.h"

namespace lindora::test {
namespace {

class FloatingBarFrameTest : public ToolbarWindowTest {
protected:
    void SetUp() override {
        ToolbarWindowTest::SetUp();
        manager().OnBarClose.bind([this](BarManager*, Bar* bar) { closed.push_back(bar); });
    }

    // A shown bar with buttons: floating with its client area at (300, 200), or docked.
    Bar& shownBar(BarDockingStyle style, int buttons = 2) {
        Bar* bar = addBar("Tools " + std::to_string(++bars_));
        for (int i = 1; i <= buttons; ++i) {
            BarItemLink* link = bar->itemLinks().add();
            const std::string caption = "Item " + std::to_string(i);
            link->setItem(addButton("b" + std::to_string(bars_) + "_" + std::to_string(i), caption));
        }
        bar->setDockingStyle(style);
        bar->setFloatLeft(300);
        bar->setFloatTop(200);
        bar->setVisible(true);
        pump();
        return *bar;
    }
    static BarControl& window(Bar& bar) { return dynamic_cast<BarControl&>(*bar.control()); }

    // A point of the window given in window coordinates, on the screen.
    static Point onScreen(const BarControl& w, Point inWindow) {
        return shifted(inWindow, w.windowRectOnScreen().left, w.windowRectOnScreen().top);
    }
    static Point shifted(Point p, int dx, int dy) { return Point(p.x + dx, p.y + dy); }
    static Point centreOf(const Rect& r) { return Point((r.left + r.right) / 2, (r.top + r.bottom) / 2); }
    static Point closeCentre(const BarControl& w) { return onScreen(w, centreOf(w.closeButtonRect())); }
    // A point of the caption left of the close button.
    static Point captionPoint(const BarControl& w) {
        const Rect close = w.closeButtonRect();
        return onScreen(w, Point(close.left - 6, centreOf(close).y));
    }
    static int hitTest(BarControl& w, Point screen) {
        return static_cast<int>(w.send(WM_NCHITTEST, 0, makeLParam(screen.x, screen.y)));
    }
    static std::uint32_t pixelOf(Window& w, Point inWindow) {
        w.update();
        const int s = w.backingStoreScale();
        return w.backingStore().pixel(inWindow.x * s, inWindow.y * s);
    }

    void pump() { windowSystem().processMessages(); }

    std::vector<Bar*> closed;
    int bars_ = 0;
};

TEST_F(FloatingBarFrameTest, HitTestsAnswerTheCloseButtonTheCaptionTheEdgesAndTheClientArea) {
    Bar& bar = shownBar(dsNone);
    BarControl& w = window(bar);
    const Rect win = w.windowRectOnScreen();
    const Rect close = w.closeButtonRect();
    ASSERT_FALSE(close.isEmpty());
    // At the right end of the caption strip, a caption button's size.
    const Rect border = w.painter().floatingBorderInsets();
    EXPECT_EQ(close.right, win.width() - border.right);
    EXPECT_EQ(close.top, border.top);
    EXPECT_EQ(close.width(), w.painter().captionButtonSize().cx);
    const Point item = w.clientToScreen(centreOf(bar.itemLinks().visibleLinks()[0]->itemRect()));
    const int midX = (win.left + win.right) / 2, midY = (win.top + win.bottom) / 2;
    struct Case {
        const char* what;
        Point at;
        int expected;
    };
    const Case cases[] = {
        {"close button", closeCentre(w), HTCLOSE},
        {"caption", captionPoint(w), HTCAPTION},
        {"left edge", Point(win.left, midY), HTLEFT},
        {"right edge", Point(win.right - 1, midY), HTRIGHT},
        {"top edge", Point(midX, win.top), HTTOP},
        {"bottom edge", Point(midX, win.bottom - 1), HTBOTTOM},
        {"a corner sizes by its side only", Point(win.left, win.top), HTLEFT},
        {"an item", item, HTCLIENT},
        {"outside", Point(win.right + 5, midY), HTNOWHERE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(hitTest(w, c.at), c.expected);
    }
    // A bar that may not be closed has no close button: the whole strip is caption.
    const Point where = closeCentre(w);
    bar.setAllowClose(false);
    EXPECT_TRUE(w.closeButtonRect().isEmpty());
    EXPECT_EQ(hitTest(w, where), HTCAPTION);
}

TEST_F(FloatingBarFrameTest, ADockedBarAnswersClientEverywhereAndRecordsTheCaptionOutsideItsItems) {
    Bar& bar = shownBar(dsTop);
    bar.setWholeRow(true);
    BarControl& w = window(bar);
    const Rect win = w.windowRectOnScreen();
    const Rect item = bar.itemLinks().visibleLinks()[1]->itemRect();
    struct Case {
        const char* what;
        Point at;
        int recorded;
    };
    const Case cases[] = {
        {"the grip", Point(win.left + 2, (win.top + win.bottom) / 2), HTCAPTION},
        {"an item", w.clientToScreen(centreOf(item)), HTCLIENT},
        {"the empty part after the items", w.clientToScreen(Point(item.right + 20, centreOf(item).y)), HTCAPTION},
    };
    ASSERT_LT(w.clientToScreen(Point(item.right + 20, 0)).x, win.right);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(hitTest(w, c.at), HTCLIENT);
        EXPECT_EQ(w.lastHitTest(), c.recorded);
    }
    // Over the grip the cursor shows that the bar moves; elsewhere it is the arrow.
    auto cursorAt = [&](Point at) {
        platform().input().mouseMove(at);
        pump();
        return static_cast<const OffscreenSurface*>(form().surface())->cursor();
    };
    EXPECT_EQ(cursorAt(cases[0].at), CursorShape::SizeAll);
    EXPECT_EQ(cursorAt(cases[2].at), CursorShape::Arrow);
    EXPECT_EQ(cursorAt(cases[0].at), CursorShape::SizeAll);
    EXPECT_EQ(cursorAt(cases[1].at), CursorShape::Arrow);
}

TEST_F(FloatingBarFrameTest, ReleasingOverTheCloseButtonClosesTheBarReleasingElsewhereKeepsIt) {
    struct Case {
        const char* what;
        // Where the mouse goes between the press on the close button and the release.
        std::vector<std::function<Point(const BarControl&)>> path;
        bool closes;
    };
    const Point farAway(700, 600);
    const Case cases[] = {
        {"released over it", {}, true},
        {"moved off and released on the caption", {captionPoint}, false},
        {"moved off and back", {captionPoint, closeCentre}, true},
        {"released outside the bar", {[&](const BarControl&) { return farAway; }}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        closed.clear();
        Bar& bar = shownBar(dsNone);
        BarControl& w = window(bar);
        // The bar is in menu mode: the press on its own frame ends it.
        w.activateMenuMode(nullptr);
        ASSERT_TRUE(MenuChain::active());
        platform().input().mouseMove(closeCentre(w));
        platform().input().mousePress(MouseButton::Left);
        for (const auto& to : c.path) platform().input().mouseMove(to(w));
        platform().input().mouseRelease(MouseButton::Left);
        pump();
        EXPECT_FALSE(MenuChain::active());
        EXPECT_EQ(windowSystem().capture(), nullptr);
        if (c.closes) {
            EXPECT_FALSE(bar.visible());
            EXPECT_EQ(bar.control(), nullptr);
            EXPECT_EQ(closed, std::vector<Bar*>{&bar});
        } else {
            EXPECT_TRUE(bar.visible());
            EXPECT_TRUE(window(bar).isWindowVisible());
            EXPECT_TRUE(closed.empty());
            EXPECT_EQ(window(bar).closeButtonState(), CaptionButtonState::None);
            bar.setVisible(false);
        }
    }
}

TEST_F(FloatingBarFrameTest, TheCloseButtonIsDrawnPressedWhileTheMouseIsOverItAndHotOtherwise) {
    Bar& bar = shownBar(dsNone);
    BarControl& w = window(bar);
    // The button's top-left pixel: caption colour, or the edge of a hot (raised) or a pressed
    // (sunken) button.
    const Point sample = w.closeButtonRect().topLeft();
    const std::uint32_t normal = pixelOf(w, sample);
    EXPECT_EQ(normal, pixelOf(w, shifted(w.closeButtonRect().topLeft(), -3, 1)));

    // Plain hover: hot, until the polling timer finds the mouse gone.
    platform().input().mouseMove(closeCentre(w));
    pump();
    EXPECT_EQ(w.closeButtonState(), CaptionButtonState::Hot);
    const std::uint32_t hot = pixelOf(w, sample);
    EXPECT_NE(hot, normal);
    platform().input().mouseMove(Point(700, 600));
    pump();
    EXPECT_EQ(w.closeButtonState(), CaptionButtonState::Hot);
    platform().advance(BarControl::kMarkInterval);
    pump();
    EXPECT_EQ(w.closeButtonState(), CaptionButtonState::None);
    EXPECT_EQ(pixelOf(w, sample), normal);

    // While the button is held, each time the loop waits for input the look is recorded and
    // the mouse takes its next step.
    struct Seen {
        CaptionButtonState state;
        std::uint32_t pixel;
    };
    std::vector<Seen> seen;
    WindowSystem& ws = windowSystem();
    const Window* bw = &w;
    const std::vector<Point> steps{captionPoint(w), closeCentre(w), Point(700, 600)};
    std::size_t next = 0;
    IdleHook hook = ws.addIdleHook([&] {
        if (ws.capture() != bw || next > steps.size()) return;
        seen.push_back({w.closeButtonState(), pixelOf(w, sample)});
        if (next < steps.size()) platform().input().mouseMove(steps[next]);
        else platform().input().mouseRelease(MouseButton::Left);
        ++next;
    });
    platform().input().mouseMove(closeCentre(w));
    platform().input().mousePress(MouseButton::Left);
    pump();
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].state, CaptionButtonState::Pressed);
    EXPECT_EQ(seen[1].state, CaptionButtonState::Hot);
    EXPECT_EQ(seen[2].state, CaptionButtonState::Pressed);
    EXPECT_EQ(seen[3].state, CaptionButtonState::Hot);
    EXPECT_NE(seen[0].pixel, normal);
    EXPECT_NE(seen[0].pixel, hot);
    EXPECT_EQ(seen[1].pixel, hot);
    EXPECT_EQ(seen[2].pixel, seen[0].pixel);
    // Released away from it: the bar stays and the button is normal again.
    EXPECT_TRUE(bar.visible());
    EXPECT_TRUE(closed.empty());
    EXPECT_EQ(w.closeButtonState(), CaptionButtonState::None);
    EXPECT_EQ(pixelOf(w, sample), normal);
}

TEST_F(FloatingBarFrameTest, AnEdgeSizesAFloatingBarToItsLayoutTheCaptionMovesItAndBothEndMenuMode) {
    enum Edge { Left, Right, Top, Bottom, Caption };
    struct Case {
        const char* what;
        Edge edge;
        bool escape;
    };
    const Case cases[] = {
        {"right edge in: the items wrap, the left and top stay", Right, false},
        {"left edge in: the right and top stay", Left, false},
        {"bottom edge down: narrower and taller, no taller than asked", Bottom, false},
        {"top edge up: the bottom stays", Top, false},
        {"caption: moved, the size kept", Caption, false},
        {"Esc puts the bar back", Right, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bar& bar = shownBar(dsNone, 8);
        BarControl& w = window(bar);
        const Rect start = w.windowRectOnScreen();
        const int lineHeight = w.clientRect().height();
        const int midX = (start.left + start.right) / 2, midY = (start.top + start.bottom) / 2;
        Point from, to;
        switch (c.edge) {
        case Left: from = Point(start.left, midY), to = Point(midX, midY); break;
        case Right: from = Point(start.right - 1, midY), to = Point(midX, midY); break;
        case Top: from = Point(midX, start.top), to = Point(midX, start.top - 3 * lineHeight); break;
        case Bottom: from = Point(midX, start.bottom - 1), to = Point(midX, start.bottom + 3 * lineHeight); break;
        case Caption: from = captionPoint(w), to = shifted(from, 50, 40); break;
        }
        // In menu mode: the press on the frame ends it.
        w.activateMenuMode(nullptr);
        platform().input().mouseMove(from);
        platform().input().mousePress(MouseButton::Left);
        platform().input().mouseMove(to);
        if (c.escape) platform().input().key(VK_ESCAPE);
        platform().input().mouseRelease(MouseButton::Left);
        pump();
        EXPECT_EQ(windowSystem().capture(), nullptr);
        EXPECT_FALSE(MenuChain::active());
        const Rect now = w.windowRectOnScreen();
        if (c.escape) {
            EXPECT_EQ(now, start);
        } else if (c.edge == Caption) {
            EXPECT_EQ(now, start.translated(50, 40));
        } else {
            const bool horizontal = c.edge == Left || c.edge == Right;
            EXPECT_EQ(now, w.floatingBoundsForEdge(c.edge == Left    ? HTLEFT
                                                   : c.edge == Right ? HTRIGHT
                                                   : c.edge == Top   ? HTTOP
                                                                     : HTBOTTOM,
                                                   start, Point(to.x - from.x, to.y - from.y)));
            EXPECT_EQ(now.left == start.left, c.edge != Left);
            EXPECT_EQ(now.right == start.right, c.edge == Left);
            EXPECT_EQ(now.top == start.top, c.edge != Top);
            EXPECT_EQ(now.bottom == start.bottom, c.edge == Top);
            EXPECT_LT(now.width(), start.width());
            EXPECT_GT(now.height(), start.height());
            if (horizontal) EXPECT_LE(now.width(), start.width() / 2 + 1);
            else EXPECT_LE(now.height(), start.height() + 3 * lineHeight);
        }
        // Every item shows whole in the client area as it is now.
        const Rect client = w.clientRect();
        for (BarItemLink* link : bar.itemLinks().visibleLinks()) {
            EXPECT_FALSE(link->itemRect().isEmpty());
            EXPECT_EQ(link->itemRect().intersected(client), link->itemRect());
        }
        bar.setVisible(false);
    }
}

TEST_F(FloatingBarFrameTest, APressOnADockedBarsGripOrEmptyPartEndsMenuMode) {
    Bar& bar = shownBar(dsTop);
    bar.setWholeRow(true);
    BarControl& w = window(bar);
    const Rect win = w.windowRectOnScreen();
    const Rect item = bar.itemLinks().visibleLinks()[1]->itemRect();
    for (const Point at : {Point(win.left + 2, (win.top + win.bottom) / 2),
                           w.clientToScreen(Point(item.right + 20, centreOf(item).y))}) {
        w.activateMenuMode(nullptr);
        ASSERT_TRUE(MenuChain::active());
        platform().input().click(at);
        pump();
        EXPECT_FALSE(MenuChain::active());
        EXPECT_EQ(w.selectedControl(), nullptr);
        EXPECT_EQ(windowSystem().capture(), nullptr);
    }
}

TEST_F(FloatingBarFrameTest, TheFormStaysDrawnActiveWhileAFloatingBarIsActivated) {
    Bar& bar = shownBar(dsNone);
    BarControl& w = window(bar);
    WindowSystem& ws = windowSystem();
    Window& formWindow = form();
    ASSERT_EQ(ws.activeWindow(), &formWindow);
    // A caption pixel of the form, away from its title and buttons.
    const Rect insets = DefaultFrame(formWindow).insets();
    const Point caption(formWindow.bounds().width() / 2, insets.top - 4);
    const std::uint32_t active = pixelOf(formWindow, caption);
    const std::uint32_t barCaption = pixelOf(w, shifted(w.closeButtonRect().topLeft(), -3, 1));

    ws.setActiveWindow(&w);
    EXPECT_EQ(ws.activeWindow(), &w);
    EXPECT_EQ(pixelOf(formWindow, caption), active);
    // The bar answers as active even when told it lost the activation, and keeps its look.
    EXPECT_EQ(w.send(WM_NCACTIVATE, 0, 0), 1);
    EXPECT_EQ(pixelOf(w, shifted(w.closeButtonRect().topLeft(), -3, 1)), barCaption);

    // Another form taking the activation does make the caption inactive.
    ws.setActiveWindow(&formWindow);
    TestForm other;
    other.createWindow(Rect(Point(150, 150), Size(300, 200)));
    pump();
    ASSERT_EQ(ws.activeWindow(), static_cast<Window*>(&other));
    EXPECT_NE(pixelOf(formWindow, caption), active);
}

}  // namespace
}  // namespace lindora::test
