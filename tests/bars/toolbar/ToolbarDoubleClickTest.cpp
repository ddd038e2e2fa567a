// Double clicks on a docked toolbar's items and in its menus: the second press of a double click
// on the open sub item expands its collapsed menu (and does not close it), and on a button it is
// a press like the first.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bars/controls/BarControl.h"
#include "bars/controls/BarSubItemControl.h"
#include "bars/controls/MenuChain.h"
#include "bars/controls/SubMenuControl.h"
#include "bars/model/Bar.h"
#include "bars/model/BarItemLinks.h"
#include "bars/model/BarManager.h"
#include "bars/toolbar/ToolbarTestSupport.h"
#include "ui/WindowSystem.h"

namespace lindora::test {
namespace {

class ToolbarDoubleClickTest : public ToolbarWindowTest {
protected:
    void SetUp() override {
        ToolbarWindowTest::SetUp();
        manager().setShowFullMenusAfterDelay(false);
        // A sub item with four buttons of which only the first two were used lately, a button
        // that records its clicks, and a sub item whose menu holds the first sub item again.
        sub_ = addSubItem("sMenu", "Menu");
        for (int i = 1; i <= 4; ++i) sub_->itemLinks().add()->setItem(addButton("bItem" + std::to_string(i)));
        for (int i = 2; i < 4; ++i) {
            sub_->itemLinks().items(i)->setMostRecentlyUsed(false);
            sub_->itemLinks().items(i)->resetRecentState();
        }
        button_ = addButton("bGo", "Go");
        button_->OnClick.bind([this](Persistent*) { ++clicks_; });
        more_ = addSubItem("sMore", "More");
        more_->itemLinks().add()->setItem(sub_);
        bar_ = addBar("Tools");
        for (BarItem* item : std::vector<BarItem*>{sub_, button_, more_}) bar_->itemLinks().add()->setItem(item);
        bar_->setDockingStyle(dsTop);
        bar_->setVisible(true);
        windowSystem().processMessages();
    }

    BarControl& window() { return dynamic_cast<BarControl&>(*bar_->control()); }
    Point centreOf(int link) {
        const Rect r = bar_->itemLinks().visibleLinks()[static_cast<std::size_t>(link)]->itemRect();
        return window().clientToScreen(Point((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    }
    static SubMenuControl* menuOf(BarItemLinks& links, int link) {
        auto* control =
            dynamic_cast<BarSubItemControl*>(links.visibleLinks()[static_cast<std::size_t>(link)]->control());
        return control && control->isOpen() ? dynamic_cast<SubMenuControl*>(control->subMenu()) : nullptr;
    }
    SubMenuControl* openMenu() { return menuOf(bar_->itemLinks(), 0); }
    void doubleClick(Point at) {
        platform().input().doubleClick(at);
        windowSystem().processMessages();
    }

    BarSubItem* sub_ = nullptr;
    BarSubItem* more_ = nullptr;
    BarButton* button_ = nullptr;
    Bar* bar_ = nullptr;
    int clicks_ = 0;
};

TEST_F(ToolbarDoubleClickTest, OnTheOpenSubItemADoubleClickExpandsItsCollapsedMenu) {
    doubleClick(centreOf(0));
    SubMenuControl* menu = openMenu();
    ASSERT_NE(menu, nullptr) << "the first press opened it, the second kept it open";
    EXPECT_FALSE(menu->collapsed());
    EXPECT_TRUE(MenuChain::active());
}

TEST_F(ToolbarDoubleClickTest, AnOpenMenuThatShowsAllItsLinksStaysOpen) {
    manager().setMenusShowRecentItemsFirst(false);
    doubleClick(centreOf(0));
    SubMenuControl* menu = openMenu();
    ASSERT_NE(menu, nullptr) << "the second press did not close it as a second click would";
    EXPECT_FALSE(menu->collapsed());
}

TEST_F(ToolbarDoubleClickTest, InAMenuADoubleClickOnTheOpenSubItemExpandsItsCollapsedMenuToo) {
    platform().input().click(centreOf(2));
    windowSystem().processMessages();
    SubMenuControl* more = menuOf(bar_->itemLinks(), 2);
    ASSERT_NE(more, nullptr);
    const Rect r = more->itemLinks().visibleLinks()[0]->itemRect();
    doubleClick(more->window()->clientToScreen(Point((r.left + r.right) / 2, (r.top + r.bottom) / 2)));
    SubMenuControl* menu = menuOf(more->itemLinks(), 0);
    ASSERT_NE(menu, nullptr) << "the first press opened it, the second kept it open";
    EXPECT_FALSE(menu->collapsed());
    EXPECT_TRUE(MenuChain::isAlive(more));
}

TEST_F(ToolbarDoubleClickTest, OnAButtonTheSecondPressOfADoubleClickIsAPressAndClicksAgain) {
    doubleClick(centreOf(1));
    EXPECT_EQ(clicks_, 2);
    EXPECT_FALSE(MenuChain::active());
    EXPECT_EQ(windowSystem().capture(), nullptr);
}

}  // namespace
}  // namespace lindora::test
