// The submenu window from code: its item layout (heights, separators, the widest item), where it
// opens next to its owner, the cut height and scrolling by the 80 ms timer, the selection entry
// points the interaction layer calls, its shadow's strips and closing.
#include <gtest/gtest.h>

#include "bars/painters/BarItemControlPainter.h"
#include "bars/submenu/SubMenuTestSupport.h"
#include "ui/Window.h"

namespace lindora::test {
namespace {

ItemControl* controlOf(const SubMenuControl& menu, const BarItem* item) {
    for (BarItemLink* link : menu.itemLinks().visibleLinks())
        if (link->item() == item) return dynamic_cast<ItemControl*>(link->control());
    return nullptr;
}

TEST_F(SubMenuTest, TheIntegrationMakesSubMenuWindows) {
    std::unique_ptr<ItemLinksWindow> window = help->itemLinks().createBarControl();
    EXPECT_NE(dynamic_cast<SubMenuControl*>(window.get()), nullptr);
}

TEST_F(SubMenuTest, LaysTheHelpMenuOutTopToBottomWithASeparatorBeforeTheGroup) {
    SubMenuControl& menu = openFrom(help, {200, 30, 240, 52});
    ItemControl* home = controlOf(menu, homePage);
    ItemControl* ab = controlOf(menu, about);
    ASSERT_TRUE(home && ab);
    const BarItemControlPainter& painter = menu.painter();
    const int itemHeight = menu.menuItemHeight();
    const int widest = std::max(home->width(), ab->width());
    const int separator = menu.separatorHeight();

    EXPECT_EQ(menu.naturalSize(), painter.submenuSize(widest, 2 * itemHeight + separator, 0, false));
    EXPECT_EQ(menu.bounds(), Rect(Point{200, 52}, menu.naturalSize())) << "right below the owner";
    // Flat: one pixel of frame and one of inset around the items.
    const Rect homeRect = menu.itemLinks().visibleLinks()[0]->itemRect();
    const Rect aboutRect = menu.itemLinks().visibleLinks()[1]->itemRect();
    EXPECT_EQ(homeRect, Rect(2, 2, 2 + widest, 2 + itemHeight));
    EXPECT_EQ(aboutRect, Rect(2, homeRect.bottom + separator, 2 + widest, homeRect.bottom + separator + itemHeight));
    EXPECT_EQ(ab->separatorRect(), Rect(2, homeRect.bottom, 2 + widest, aboutRect.top));
    EXPECT_TRUE(home->separatorRect().isEmpty()) << "the first item has no separator";
    EXPECT_EQ(aboutRect.bottom, menu.bounds().height() - 1);
    EXPECT_FALSE(home->lastInRow());
    EXPECT_TRUE(ab->lastInRow());
    EXPECT_FALSE(menu.canScrollUp());
    EXPECT_FALSE(menu.canScrollDown());

    // A wider caption widens the menu.
    about->setCaption("About this program and its many parts");
    EXPECT_GT(menu.naturalSize().cx, painter.submenuSize(widest, 0, 0, false).cx);
    EXPECT_EQ(menu.bounds().width(), menu.naturalSize().cx) << "rebuilt at the new width";
}

TEST_F(SubMenuTest, AnEmptyMenuHasThePaintersEmptyWidth) {
    BarSubItem* empty = addSubItem("subEmpty", "Empty");
    SubMenuControl& menu = openFrom(empty, {10, 10, 50, 32});
    EXPECT_EQ(menu.bounds().width(), menu.painter().submenuSize(0, 0, 0, true).cx);
    EXPECT_TRUE(menu.laidOutLinks().empty());
}

TEST_F(SubMenuTest, OpensAboveAToolbarItemNearTheBottomAndLeftOfASubmenuItemNearTheRight) {
    // The screen is 1280 x 1024.
    SubMenuControl& up = openFrom(help, {200, 1000, 240, 1022});
    EXPECT_TRUE(up.placement().flippedUp);
    EXPECT_EQ(up.bounds().bottom, 1000);
    EXPECT_EQ(up.bounds().height(), up.naturalSize().cy);

    // A submenu item near the right edge: its menu opens on its left.
    auto* inner = addSubItem("subInner", "Inner");
    inner->itemLinks().add()->setItem(homePage);
    help->itemLinks().add()->setItem(inner);
    SubMenuControl& menu = openFrom(help, {1100, 30, 1140, 52});
    auto* innerControl = dynamic_cast<BarSubItemControl*>(controlOf(menu, inner));
    ASSERT_NE(innerControl, nullptr);
    innerControl->openSubMenu();
    auto* child = dynamic_cast<SubMenuControl*>(innerControl->subMenu());
    ASSERT_NE(child, nullptr);
    const Rect owner = menu.window()->clientToScreen(innerControl->itemRect());
    EXPECT_TRUE(child->placement().flippedLeft);
    EXPECT_EQ(child->bounds().right, owner.left);
    EXPECT_EQ(menu.openSubMenu(), child);

    // Closing the parent closes the child through its owner item.
    menu.closeUp();
    EXPECT_FALSE(innerControl->isOpen());
}

TEST_F(SubMenuTest, ACutMenuScrollsOneItemPerTimerTick) {
    BarSubItem* sub = longMenu(60);
    // 60 items of 20 pixels do not fit the 1024 pixel screen below an item at 300 nor above it.
    SubMenuControl& menu = openFrom(sub, {10, 278, 50, 300});
    EXPECT_TRUE(menu.placement().heightCut());
    EXPECT_EQ(menu.bounds().bottom, 1024);
    EXPECT_FALSE(menu.canScrollUp());
    ASSERT_TRUE(menu.canScrollDown());
    const std::size_t shown = menu.laidOutLinks().size();
    EXPECT_LT(shown, 60u);
    EXPECT_LE(menu.laidOutLinks().back()->itemRect().bottom, menu.scrollDownRect().top);

    menu.startScrolling(false);
    advance(79);
    EXPECT_EQ(menu.scrollIndex(), 0);
    advance(1);
    EXPECT_EQ(menu.scrollIndex(), 1);
    EXPECT_TRUE(menu.canScrollUp());
    EXPECT_EQ(menu.laidOutLinks().front()->itemRect().top, menu.scrollUpRect().bottom);
    advance(160);
    EXPECT_EQ(menu.scrollIndex(), 3);
    menu.stopScrolling();
    advance(400);
    EXPECT_EQ(menu.scrollIndex(), 3) << "stopped";

    // Running to the end stops the timer by itself.
    menu.startScrolling(false);
    advance(80 * 80);
    EXPECT_FALSE(menu.canScrollDown());
    EXPECT_FALSE(menu.scrolling());
    EXPECT_EQ(menu.laidOutLinks().back(), menu.itemLinks().visibleLinks().back());
    // And back up.
    menu.startScrolling(true);
    advance(80 * 80);
    EXPECT_EQ(menu.scrollIndex(), 0);
    EXPECT_FALSE(menu.scrolling());
}

TEST_F(SubMenuTest, ItemLookupIgnoresSeparatorsScrollAreasAndTheFrame) {
    SubMenuControl& menu = openFrom(help, {200, 30, 240, 52});
    ItemControl* home = controlOf(menu, homePage);
    ItemControl* ab = controlOf(menu, about);
    EXPECT_EQ(menu.itemAt(home->itemRect().topLeft()), home);
    EXPECT_EQ(menu.itemAt({ab->itemRect().left + 5, ab->itemRect().bottom - 1}), ab);
    EXPECT_EQ(menu.itemAt({10, ab->separatorRect().top + 2}), nullptr);
    EXPECT_EQ(menu.itemAt({0, 5}), nullptr);
    EXPECT_EQ(menu.itemAt({-5, -5}), nullptr);

    BarSubItem* sub = longMenu(60);
    SubMenuControl& cut = openFrom(sub, {10, 278, 50, 300});
    cut.scrollBy(2);
    EXPECT_EQ(cut.itemAt({20, cut.scrollUpRect().top + 1}), nullptr);
    EXPECT_EQ(cut.itemAt({20, cut.scrollDownRect().bottom - 1}), nullptr);
}

TEST_F(SubMenuTest, SelectingByKeyWrapsAroundAndScrollsTheSelectionIntoView) {
    SubMenuControl& menu = openFrom(help, {200, 30, 240, 52}, false);
    menu.selectFirst();
    EXPECT_EQ(menu.selectedControl(), controlOf(menu, homePage));
    menu.selectNext();
    EXPECT_EQ(menu.selectedControl(), controlOf(menu, about));
    menu.selectNext();
    EXPECT_EQ(menu.selectedControl(), controlOf(menu, homePage)) << "wraps to the first";
    menu.selectPrev();
    EXPECT_EQ(menu.selectedControl(), controlOf(menu, about)) << "wraps to the last";

    BarSubItem* sub = longMenu(60);
    SubMenuControl& cut = openFrom(sub, {10, 278, 50, 300}, false);
    cut.selectFirst();
    cut.selectPrev();  // the last item, far below the fold
    BarItemLink* last = cut.itemLinks().visibleLinks().back();
    EXPECT_EQ(cut.laidOutLinks().back(), last);
    EXPECT_GT(cut.scrollIndex(), 0);
    cut.selectNext();  // back to the first: scrolled up again
    EXPECT_EQ(cut.scrollIndex(), 0);
    EXPECT_EQ(cut.laidOutLinks().front(), cut.itemLinks().visibleLinks().front());
}

TEST_F(SubMenuTest, TheShadowStripsLieBesideTheMenuAndSkipTheOwner) {
    struct Case {
        const char* name;
        Rect menu, owner;
        Rect right, bottom;
    };
    const Case cases[] = {
        {"below its owner", {100, 52, 200, 120}, {100, 30, 140, 52}, {200, 56, 204, 124}, {104, 120, 200, 124}},
        {"above its owner: the bottom strip leaves the owner out",
         {100, 900, 200, 1000},
         {100, 1000, 140, 1022},
         {200, 904, 204, 1004},
         {140, 1000, 200, 1004}},
        {"left of its owner: the right strip leaves the owner out",
         {600, 100, 700, 300},
         {700, 100, 820, 120},
         {700, 120, 704, 304},
         {604, 300, 700, 304}},
        {"at a point", {10, 10, 60, 60}, {}, {60, 14, 64, 64}, {14, 60, 60, 64}},
    };
    for (const Case& c : cases) {
        const auto parts = SubMenuShadow::partRects(c.menu, c.owner, 4);
        EXPECT_EQ(parts[0], c.right) << c.name;
        EXPECT_EQ(parts[1], c.bottom) << c.name;
    }

    SubMenuControl& menu = openFrom(help, {200, 30, 240, 52});
    ASSERT_TRUE(menu.shadow().translucent()) << "the offscreen screen shows per-pixel alpha";
    EXPECT_EQ(menu.shadow().size(), 4);
    const Rect b = menu.bounds();
    ASSERT_TRUE(menu.shadow().part(0) && menu.shadow().part(1));
    EXPECT_EQ(menu.shadow().part(0)->bounds(), Rect(b.right, b.top + 4, b.right + 4, b.bottom + 4));
    EXPECT_EQ(menu.shadow().part(1)->bounds(), Rect(b.left + 4, b.bottom, b.right, b.bottom + 4));
    EXPECT_TRUE(menu.shadow().visible());
    EXPECT_TRUE(menu.shadow().part(0)->exStyle() & WS_EX_LAYERED);
    EXPECT_TRUE(menu.shadow().part(0)->exStyle() & WS_EX_TRANSPARENT);
    EXPECT_EQ(menu.shadow().part(0)->ownerWindow(), menu.window());
}

TEST_F(SubMenuTest, ClosingHidesTheWindowAndItsShadowAndIsHarmlessTwice) {
    SubMenuControl& menu = openFrom(help, {200, 30, 240, 52});
    EXPECT_TRUE(menu.isShown());
    EXPECT_TRUE(menu.active());
    EXPECT_TRUE(menu.window()->exStyle() & WS_EX_NOACTIVATE);
    menu.closeUp();
    EXPECT_FALSE(menu.isShown());
    EXPECT_FALSE(menu.window()->handleAllocated());
    EXPECT_FALSE(menu.shadow().visible());
    EXPECT_FALSE(menu.active());
    menu.closeUp();
    EXPECT_FALSE(menu.isShown());
}

TEST_F(SubMenuTest, TheOwnerClosingTheMenuFreesIt) {
    SubMenuControl& menu = openFrom(help, {200, 30, 240, 52});
    auto* owner = dynamic_cast<BarSubItemControl*>(menu.ownerControl());
    ASSERT_NE(owner, nullptr);
    menu.startScrolling(false);  // a timer running on the window must not outlive it
    owner->closeSubMenu();
    EXPECT_FALSE(owner->isOpen());
    advance(200);
}

}  // namespace
}  // namespace lindora::test
