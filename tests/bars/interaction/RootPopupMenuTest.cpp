// A root popup menu (opened at a point, with no item it opens beside or below) takes the right
// button as the left one; a menu opened from a bar item does not.
#include <gtest/gtest.h>

#include <memory>

#include "bars/controls/MenuChain.h"
#include "bars/interaction/MenuFormTest.h"

namespace lindora::test {
namespace {

class RootPopupMenuTest : public MenuFormTest {
protected:
    void SetUp() override {
        MenuFormTest::SetUp();
        cut = button("Cut");
        paste = button("Paste");
        recordClicks(cut);
        recordClicks(paste);
        edit = subItem("Edit", {cut, paste});
    }
    void rightClickAt(Point p) {
        platform().input().click(p, MouseButton::Right);
        pump();
    }

    BarButton *cut = nullptr, *paste = nullptr;
    BarSubItem* edit = nullptr;
};

TEST_F(RootPopupMenuTest, TheRightButtonClicksAnItemOfARootPopupMenu) {
    auto popup = std::make_unique<SubMenuControl>(manager(), edit->itemLinks());
    SubMenuWindow::Placement at;
    at.screen = Point(300, 300);
    popup->popup(at);
    ASSERT_TRUE(popup->isRootPopup());
    ASSERT_TRUE(popup->isShown());
    rightClickAt(centreOf(controlIn(*popup, paste)));
    EXPECT_EQ(clicks, std::vector<std::string>{"Paste"});
    EXPECT_FALSE(popup->isShown()) << "the click closed the menu";
    EXPECT_FALSE(MenuChain::active());
}

TEST_F(RootPopupMenuTest, AMenuOpenedFromABarItemIgnoresTheRightButton) {
    Bar& bar = shownBar(dsTop, {edit});
    clickAt(centreOf(controlIn(window(bar), edit)));
    SubMenuControl* menu = menuOf(controlIn(window(bar), edit));
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(menu->isRootPopup());
    rightClickAt(centreOf(controlIn(*menu, paste)));
    EXPECT_TRUE(clicks.empty());
    ASSERT_TRUE(MenuChain::isAlive(menu));
    EXPECT_TRUE(menu->isShown());
}

}  // namespace
}  // namespace lindora::test
