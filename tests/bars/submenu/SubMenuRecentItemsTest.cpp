// A menu that shows its recently used links first: the chevron at its bottom, and expanding it
// by the timers, by clicks on the chevron and by moving down past the last shown link.
#include <gtest/gtest.h>

#include "bars/submenu/SubMenuTestSupport.h"
#include "ui/Window.h"

namespace lindora::test {
namespace {

class SubMenuRecentItemsTest : public SubMenuTest {
protected:
    // Four buttons; the last two were never used, so a collapsed menu hides them.
    void SetUp() override {
        SubMenuTest::SetUp();
        sub = longMenu(4);
        for (int i = 2; i < 4; ++i) {
            sub->itemLinks().items(i)->setMostRecentlyUsed(false);
            sub->itemLinks().items(i)->resetRecentState();
        }
    }
    SubMenuControl& open(bool byMouse = true) { return openFrom(sub, {10, 30, 50, 52}, byMouse); }
    ItemControl* control(int i) { return dynamic_cast<ItemControl*>(sub->itemLinks().items(i)->control()); }

    BarSubItem* sub = nullptr;
};

TEST_F(SubMenuRecentItemsTest, ACollapsedMenuShowsTheRecentLinksAndTheChevron) {
    SubMenuControl& menu = open();
    ASSERT_TRUE(menu.collapsed());
    ASSERT_EQ(menu.laidOutLinks().size(), 2u);
    const Rect chevron = menu.chevronRect();
    EXPECT_FALSE(chevron.isEmpty());
    EXPECT_EQ(chevron.height(), menu.chevronHeight());
    EXPECT_LE(menu.laidOutLinks().back()->itemRect().bottom, chevron.top);
    EXPECT_EQ(chevron.bottom, menu.bounds().height() - 1);
    EXPECT_EQ(menu.itemAt({chevron.left + 5, chevron.top + 2}), nullptr) << "the chevron is no item";
    EXPECT_TRUE(sub->itemLinks().items(2)->itemRect().isEmpty()) << "hidden links are not laid out";
    EXPECT_FALSE(menu.chainExpanded());

    // Without recent items first, all show.
    menu.closeUp();
    manager().setMenusShowRecentItemsFirst(false);
    SubMenuControl& full = open();
    EXPECT_FALSE(full.collapsed());
    EXPECT_EQ(full.laidOutLinks().size(), 4u);
    EXPECT_TRUE(full.chevronRect().isEmpty());
}

TEST_F(SubMenuRecentItemsTest, ExpandsByItselfAfterFourSeconds) {
    SubMenuControl& menu = open();
    const int collapsedHeight = menu.bounds().height();
    advance(3999);
    EXPECT_TRUE(menu.collapsed());
    advance(1);
    EXPECT_FALSE(menu.collapsed());
    EXPECT_TRUE(menu.chainExpanded());
    EXPECT_EQ(menu.laidOutLinks().size(), 4u);
    EXPECT_GT(menu.bounds().height(), collapsedHeight);
    EXPECT_EQ(menu.bounds().topLeft(), (Point{10, 52})) << "at the requested position";
    EXPECT_TRUE(menu.isShown());
}

TEST_F(SubMenuRecentItemsTest, ARestingSelectionMakesTheChevronHotAndTheMouseOnItExpands) {
    SubMenuControl& menu = open();
    menu.mouseOverChevron(false);  // no expanding by the opening's timer
    menu.selectControl(control(0));
    advance(3999);
    EXPECT_EQ(menu.chevronState(), SubMenuControl::ChevronState::Normal);
    advance(1);
    EXPECT_EQ(menu.chevronState(), SubMenuControl::ChevronState::Hot);
    EXPECT_EQ(menu.chevronHint(), "") << "menus expand by themselves: no hint";
    menu.mouseOverChevron(true);
    advance(999);
    EXPECT_TRUE(menu.collapsed());
    advance(1);
    EXPECT_FALSE(menu.collapsed());
    EXPECT_EQ(menu.selectedControl(), control(0)) << "the selection stays";
}

TEST_F(SubMenuRecentItemsTest, WithoutDelayedExpandingClicksAndKeysExpand) {
    manager().setShowFullMenusAfterDelay(false);
    SubMenuControl& menu = open();
    advance(10000);
    EXPECT_TRUE(menu.collapsed()) << "no timer expands it";
    menu.clickChevron();
    EXPECT_EQ(menu.chevronState(), SubMenuControl::ChevronState::Hot);
    EXPECT_EQ(menu.chevronHint(), "Expand (Ctrl-Down)");
    menu.clickChevron();
    EXPECT_FALSE(menu.collapsed());

    // Down on the last shown link expands and moves on to the first link that was hidden.
    menu.closeUp();
    SubMenuControl& again = open(false);
    EXPECT_TRUE(again.collapsed()) << "a new chain starts collapsed";
    again.selectFirst();
    again.selectNext();
    EXPECT_EQ(again.selectedControl(), control(1));
    again.selectNext();
    EXPECT_FALSE(again.collapsed());
    EXPECT_EQ(again.selectedControl(), control(2));
}

TEST_F(SubMenuRecentItemsTest, AnExpandedMenuMarksTheLinksACollapsedOneHidesAndTheFirstOfEachRun) {
    // Hidden: the first link, and the last two (one run).
    sub->itemLinks().items(0)->setMostRecentlyUsed(false);
    sub->itemLinks().items(0)->resetRecentState();
    SubMenuControl& menu = open();
    ASSERT_TRUE(menu.collapsed());
    ASSERT_EQ(menu.laidOutLinks().size(), 1u);
    EXPECT_FALSE(control(1)->rarelyUsed()) << "a collapsed menu shows only recent links";

    menu.expand();
    ASSERT_FALSE(menu.collapsed());
    struct Expected {
        bool rarely, first;
    };
    const Expected expected[] = {{true, true}, {false, false}, {true, true}, {true, false}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(control(i)->rarelyUsed(), expected[i].rarely);
        EXPECT_EQ(control(i)->firstRarelyUsed(), expected[i].first);
    }

    // Without recent items first nothing is marked.
    menu.closeUp();
    manager().setMenusShowRecentItemsFirst(false);
    open();
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(control(i)->rarelyUsed()) << i;
}

}  // namespace
}  // namespace lindora::test
