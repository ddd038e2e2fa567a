// Double clicks on a docked toolbar's items: the second press of a double click on the open sub
// item expands its collapsed menu (and does not close it), and on a button it is a press like
// the first.
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
        // A sub item with four buttons of which only the first two were used lately, and a
        // button that records its clicks.
        sub_ = addSubItem("sMenu", "Menu");
        for (int i = 1; i <= 4; ++i) sub_->itemLinks().add()->setItem(addButton("bItem" + std::to_string(i)));
        for (int i = 2; i < 4; ++i) {
            sub_->itemLinks().items(i)->setMostRecentlyUsed(false);
            sub_->itemLinks().items(i)->resetRecentState();
        }
        button_ = addButton("bGo", "Go");
        button_->OnClick.bind([this](Persistent*) { ++clicks_; });
        bar_ = addBar("Tools");
        for (BarItem* item : std::vector<BarItem*>{sub_, button_}) bar_->itemLinks().add()->setItem(item);
        bar_->setDockingStyle(dsTop);
        bar_->setVisible(true);
        windowSystem().processMessages();
    }

    BarControl& window() { return dynamic_cast<BarControl&>(*bar_->control()); }
    Point centreOf(int link) {
        const Rect r = bar_->itemLinks().visibleLinks()[static_cast<std::size_t>(link)]->itemRect();
        return window().clientToScreen(Point((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    }
    SubMenuControl* openMenu() {
        auto* control = dynamic_cast<BarSubItemControl*>(bar_->itemLinks().visibleLinks()[0]->control());
        return control && control->isOpen() ? dynamic_cast<SubMenuControl*>(control->subMenu()) : nullptr;
    }
    void doubleClick(Point at) {
        platform().input().doubleClick(at);
        windowSystem().processMessages();
    }

    BarSubItem* sub_ = nullptr;
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

TEST_F(ToolbarDoubleClickTest, OnAButtonTheSecondPressOfADoubleClickIsAPressAndClicksAgain) {
    doubleClick(centreOf(1));
    EXPECT_EQ(clicks_, 2);
    EXPECT_FALSE(MenuChain::active());
    EXPECT_EQ(windowSystem().capture(), nullptr);
}

}  // namespace
}  // namespace lindora::test
