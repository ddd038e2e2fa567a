// Floating toolbar windows: shown where the bar's stored position puts them, with the floating
// frame and caption, and kept within their size limits and within reach on the screen.
#include <gtest/gtest.h>

#include <set>

#include "bars/controls/BarControl.h"
#include "bars/controls/FloatingBarBounds.h"
#include "bars/model/Bar.h"
#include "bars/model/BarItemLinks.h"
#include "bars/model/BarManager.h"
#include "bars/painters/BarItemControlPainter.h"
#include "bars/toolbar/ToolbarTestSupport.h"
#include "platform/offscreen/OffscreenIntegration.h"
#include "ui/Messages.h"
#include "ui/WindowSystem.h"

namespace lindora::test {
namespace {

TEST(FloatingBarBoundsTest, SizeLimitsTheHighestTopAndThePutBackAgainstTheWorkArea) {
    // Two monitors side by side; the work areas leave out a 40-pixel panel at the bottom.
    const std::vector<MonitorInfo> monitors{{Rect(0, 0, 1000, 800), Rect(0, 0, 1000, 760), true},
                                            {Rect(1000, 0, 2000, 800), Rect(1000, 0, 2000, 760), false}};
    const Point onFirst(500, 400), onSecond(1500, 400);
    struct Case {
        const char* what;
        Rect requested;
        bool sized;
        Point cursor;
        Rect expected;
    };
    const Case cases[] = {
        {"inside: unchanged", Rect::fromSize(100, 100, 200, 50), true, onFirst, Rect::fromSize(100, 100, 200, 50)},
        {"partly outside: unchanged", Rect::fromSize(-150, 700, 200, 100), false, onFirst,
         Rect::fromSize(-150, 700, 200, 100)},
        {"too small", Rect::fromSize(100, 100, 3, 0), true, onFirst, Rect::fromSize(100, 100, 10, 10)},
        {"too large", Rect::fromSize(100, 100, 40000, 35000), true, onFirst, Rect::fromSize(100, 100, 30000, 30000)},
        {"moved only: size kept", Rect::fromSize(100, 100, 3, 3), false, onFirst, Rect::fromSize(100, 100, 3, 3)},
        {"above -15", Rect::fromSize(100, -40, 200, 50), false, onFirst, Rect::fromSize(100, -15, 200, 50)},
        {"left of every work area", Rect::fromSize(-500, 100, 200, 50), false, onFirst,
         Rect::fromSize(0, 100, 200, 50)},
        {"right of every work area", Rect::fromSize(2100, 100, 200, 50), false, onSecond,
         Rect::fromSize(1800, 100, 200, 50)},
        {"below the work areas (in the panel)", Rect::fromSize(300, 770, 200, 20), false, onFirst,
         Rect::fromSize(300, 740, 200, 20)},
        {"below and left", Rect::fromSize(-400, 900, 200, 50), false, onFirst, Rect::fromSize(0, 710, 200, 50)},
        {"the cursor's monitor decides", Rect::fromSize(300, 900, 200, 50), false, onSecond,
         Rect::fromSize(1000, 710, 200, 50)},
        {"cursor off every monitor: the nearest", Rect::fromSize(2500, 100, 200, 50), false, Point(2600, 400),
         Rect::fromSize(1800, 100, 200, 50)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(FloatingBarBounds::constrain(c.requested, c.sized, monitors, c.cursor), c.expected);
    }
}

class FloatingBarTest : public ToolbarWindowTest {
protected:
    // A floating bar with two buttons, its client area stored at (left, top).
    BarControl& floatingBar(int left, int top) {
        Bar* bar = addBar("Floating Tools");
        for (const char* caption : {"One", "Two"}) {
            BarItemLink* link = bar->itemLinks().add();
            link->setItem(addButton(std::string("b") + caption, caption));
        }
        bar->setDockingStyle(dsNone);
        bar->setFloatLeft(left);
        bar->setFloatTop(top);
        bar->setVisible(true);
        bar_ = bar;
        return dynamic_cast<BarControl&>(*bar->control());
    }
    Bar* bar_ = nullptr;
};

TEST_F(FloatingBarTest, AFloatingBarShowsWhereItsStoredPositionPutsItWithTheFloatingFrame) {
    BarControl& w = floatingBar(300, 200);
    ASSERT_TRUE(w.handleAllocated());
    EXPECT_FALSE(w.isChild());
    EXPECT_TRUE(w.exStyle() & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(w.isWindowVisible());
    EXPECT_EQ(w.clientToScreen(Point(0, 0)), Point(300, 200));
    // The floating border on every side and the caption strip above the items.
    const Rect border = w.painter().floatingBorderInsets();
    const int caption = w.painter().floatingCaptionHeight();
    EXPECT_GT(caption, 0);
    EXPECT_EQ(w.nonClientOffset(), Point(border.left, border.top + caption));
    EXPECT_EQ(w.bounds().width(), w.clientRect().width() + border.left + border.right);
    EXPECT_EQ(w.bounds().height(), w.clientRect().height() + border.top + caption + border.bottom);
    // Both items show side by side in the client area, which is as large as the bar needs.
    const Rect one = bar_->itemLinks().visibleLinks()[0]->itemRect();
    const Rect two = bar_->itemLinks().visibleLinks()[1]->itemRect();
    EXPECT_EQ(one.topLeft(), Point(0, 0));
    EXPECT_EQ(two.left, one.right);
    EXPECT_EQ(w.clientRect().width(), two.right);
    // The caption strip is drawn: the bar's caption puts more than the frame colours into it.
    w.update();
    const Bitmap& store = w.backingStore();
    std::set<std::uint32_t> colours;
    for (int y = border.top; y < border.top + caption; ++y)
        for (int x = border.left; x < w.bounds().width() - border.right; ++x) colours.insert(store.pixel(x, y));
    EXPECT_GE(colours.size(), 2u);
}

TEST_F(FloatingBarTest, AFloatingWindowKeepsItsSizeLimitsAndStaysWithinReach) {
    BarControl& w = floatingBar(300, 200);
    const Rect start = w.bounds();
    w.setBounds(Rect::fromSize(start.left, start.top, 4, 2));
    EXPECT_EQ(w.bounds().size(), Size(10, 10));
    w.setBounds(start);
    EXPECT_EQ(w.bounds(), start);
    // Above the screen: down to -15.
    w.setBounds(start.translated(0, -start.top - 100));
    EXPECT_EQ(w.bounds().top, -15);
    // Outside the work area (the offscreen screen is 1280 x 1024; a panel takes its bottom 40
    // pixels): back against the nearest edge, and the bar stores where it went.
    platform().setWorkArea(Rect(0, 0, 1280, 984));
    w.setBounds(start.translated(2000 - start.left, 0));
    EXPECT_EQ(w.bounds(), Rect::fromSize(1280 - start.width(), start.top, start.width(), start.height()));
    w.setBounds(Rect::fromSize(400, 990, start.width(), start.height()));
    EXPECT_EQ(w.bounds(), Rect::fromSize(400, 984 - start.height(), start.width(), start.height()));
    EXPECT_EQ(bar_->floatTop(), w.clientToScreen(Point(0, 0)).y);
    EXPECT_EQ(bar_->floatLeft(), 400 + w.nonClientOffset().x);
}

}  // namespace
}  // namespace lindora::test
