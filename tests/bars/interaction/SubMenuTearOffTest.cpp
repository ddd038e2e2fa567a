// Tearing a menu off: the strip at the top of a menu whose sub item names a bar, its hot look
// and hint, and dragging it away to float that bar, back to cancel, and Esc.
#include <gtest/gtest.h>

#include "bars/controls/BarHint.h"
#include "bars/controls/MenuChain.h"
#include "bars/interaction/MenuFormTest.h"

namespace lindora::test {
namespace {

class SubMenuTearOffTest : public MenuFormTest {
protected:
    void SetUp() override {
        MenuFormTest::SetUp();
        first = button("First");
        second = button("Second");
        tools = subItem("Tools", {first, second});
        menuBar = &shownBar(dsTop, {button("File"), tools});
        // The bar the menu tears off into: not shown until then.
        toolsBar = &addBarLater();
        toolsBar->setCaption("Tools");
        for (BarItem* item : {static_cast<BarItem*>(first), static_cast<BarItem*>(second)})
            toolsBar->itemLinks().add()->setItem(item);
        tools->setDetachable(true);
        tools->setDetachingBar(toolsBar->index());
    }
    SubMenuControl* open() {
        clickAt(centreOf(controlIn(window(*menuBar), tools)));
        return menuOf(controlIn(window(*menuBar), tools));
    }
    Point stripCentre(SubMenuControl& menu) {
        const Rect r = menu.tearOffRect();
        return menu.clientToScreen(Point((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    }
    void press(Point p) {
        moveTo(p);
        platform().input().mousePress(MouseButton::Left);
        pump();
    }
    void release() {
        platform().input().mouseRelease(MouseButton::Left);
        pump();
    }
    Window* toolsWindow() { return dynamic_cast<Window*>(toolsBar->control()); }
    bool toolsFloatingShown() {
        Window* w = toolsWindow();
        return toolsBar->visible() && toolsBar->dockingStyle() == dsNone && w && w->isWindowVisible();
    }

    BarButton *first = nullptr, *second = nullptr;
    BarSubItem* tools = nullptr;
    Bar* menuBar = nullptr;
    Bar* toolsBar = nullptr;
};

TEST_F(SubMenuTearOffTest, TheStripShowsOnlyWhenTheSubItemNamesABarToTearOffInto) {
    SubMenuControl* menu = open();
    ASSERT_NE(menu, nullptr);
    const Rect strip = menu->tearOffRect();
    ASSERT_FALSE(strip.isEmpty());
    EXPECT_EQ(strip.height(), menu->painter().tearOffStripHeight());
    const Rect firstRect = controlIn(*menu, first)->itemRect();
    EXPECT_GE(firstRect.top, strip.bottom) << "the items start below the strip";
    EXPECT_EQ(menu->itemAt(Point(strip.left + 4, strip.top + 2)), nullptr) << "the strip is no item";
    const int withStrip = menu->bounds().height();
    const int stripHeight = strip.height();
    key(VK_ESCAPE);
    key(VK_ESCAPE);

    struct Case {
        const char* what;
        bool detachable;
        int bar;
    };
    for (const Case& c : {Case{"not detachable", false, toolsBar->index()}, Case{"no bar named", true, -1}}) {
        SCOPED_TRACE(c.what);
        tools->setDetachable(c.detachable);
        tools->setDetachingBar(c.bar);
        SubMenuControl* plain = open();
        ASSERT_NE(plain, nullptr);
        EXPECT_TRUE(plain->tearOffRect().isEmpty());
        EXPECT_EQ(plain->bounds().height(), withStrip - stripHeight);
        key(VK_ESCAPE);
        key(VK_ESCAPE);
    }
}

TEST_F(SubMenuTearOffTest, TheHotStripExplainsItself) {
    SubMenuControl* menu = open();
    ASSERT_NE(menu, nullptr);
    moveTo(centreOf(controlIn(*menu, first)));
    EXPECT_FALSE(menu->tearOffHot());
    moveTo(stripCentre(*menu));
    EXPECT_TRUE(menu->tearOffHot());
    EXPECT_EQ(menu->selectedControl(), nullptr);
    wait(BarHintController::ShowDelayMs);
    BarHintController& hints = *BarHintController::instance();
    EXPECT_TRUE(hints.shown());
    EXPECT_EQ(hints.window().hintText(), "Drag to make this menu float");
    moveTo(centreOf(controlIn(*menu, second)));
    EXPECT_FALSE(menu->tearOffHot());
    EXPECT_FALSE(hints.window().showing()) << "no item hints in menus";
}

TEST_F(SubMenuTearOffTest, DraggingAwayFloatsTheBarUnderTheMouseAndReleasingKeepsIt) {
    bool detached = false;
    tools->OnDetaching.bind([&](Persistent*) { detached = true; });
    SubMenuControl* menu = open();
    ASSERT_NE(menu, nullptr);
    const Point start = stripCentre(*menu);
    press(start);
    EXPECT_TRUE(menu->tearingOff());
    EXPECT_EQ(windowSystem().capture(), menu->window());
    // Within 15 pixels of the strip nothing floats yet.
    const Rect stripOnScreen(menu->clientToScreen(menu->tearOffRect().topLeft()), menu->tearOffRect().size());
    moveTo(Point(start.x, stripOnScreen.bottom + 14));
    EXPECT_FALSE(toolsFloatingShown());

    const Point away(start.x + 300, start.y + 200);
    moveTo(away);
    ASSERT_TRUE(toolsFloatingShown());
    auto placedUnder = [&](Point mouse) {
        Window* w = toolsWindow();
        const Rect b = w->bounds();
        EXPECT_LE(std::abs((b.left + b.right) / 2 - mouse.x), 1) << "centred across";
        EXPECT_GE(mouse.y, b.top) << "the caption is under the mouse";
        EXPECT_LT(mouse.y, w->clientToScreen(Point(0, 0)).y);
    };
    placedUnder(away);
    const Point further(away.x - 120, away.y + 40);
    moveTo(further);
    placedUnder(further);
    EXPECT_FALSE(detached);

    release();
    EXPECT_TRUE(toolsFloatingShown()) << "the bar stays floating";
    EXPECT_TRUE(detached);
    EXPECT_FALSE(MenuChain::active()) << "the menus closed";
    EXPECT_EQ(windowSystem().capture(), nullptr);
}

TEST_F(SubMenuTearOffTest, ReturningToTheStripOrEscCancels) {
    SubMenuControl* menu = open();
    ASSERT_NE(menu, nullptr);
    const Point start = stripCentre(*menu);
    press(start);
    moveTo(Point(start.x + 250, start.y + 150));
    ASSERT_TRUE(toolsFloatingShown());
    // Back near the strip: the bar goes away again; releasing there keeps the menu.
    moveTo(Point(start.x + 5, start.y));
    EXPECT_FALSE(toolsBar->visible());
    EXPECT_FALSE(menu->tornOffBarShown());
    release();
    EXPECT_FALSE(toolsBar->visible());
    EXPECT_FALSE(menu->tearingOff());
    ASSERT_TRUE(MenuChain::isAlive(menu));
    EXPECT_TRUE(menu->isShown());
    EXPECT_EQ(windowSystem().capture(), nullptr);

    // Esc while the bar floats under the mouse: it goes, the menu stays open.
    press(start);
    moveTo(Point(start.x + 250, start.y + 150));
    ASSERT_TRUE(toolsFloatingShown());
    key(VK_ESCAPE);
    EXPECT_FALSE(toolsBar->visible());
    EXPECT_FALSE(menu->tearingOff());
    EXPECT_EQ(windowSystem().capture(), nullptr);
    ASSERT_TRUE(MenuChain::isAlive(menu));
    EXPECT_TRUE(menu->isShown());
    release();
    EXPECT_FALSE(toolsBar->visible()) << "the release after Esc tears nothing off";
}

TEST_F(SubMenuTearOffTest, ABarDockedAlreadyFloatsWhileTornOffAndGoesBackDockedOnEsc) {
    shownBarInto(*toolsBar, {});
    ASSERT_TRUE(toolsBar->visible());
    ASSERT_EQ(toolsBar->dockingStyle(), dsTop);
    SubMenuControl* menu = open();
    ASSERT_NE(menu, nullptr);
    const Point start = stripCentre(*menu);
    press(start);
    moveTo(Point(start.x + 250, start.y + 300));
    EXPECT_TRUE(toolsFloatingShown());
    key(VK_ESCAPE);
    EXPECT_TRUE(toolsBar->visible());
    EXPECT_EQ(toolsBar->dockingStyle(), dsTop);
    Window* w = toolsWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isChild()) << "docked in its site again";
    release();
}

}  // namespace
}  // namespace lindora::test
