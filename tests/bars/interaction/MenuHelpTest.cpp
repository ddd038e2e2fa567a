// F1 on the bars: the selected item of the open menu, walking up the chain of menus to the first
// item with a help topic, or with no menu open the item under the mouse, shows its topic; the
// menus close first. A form with a help caption button pops the topic up at the item's centre.
#include <gtest/gtest.h>

#include "bars/controls/MenuChain.h"
#include "bars/interaction/MenuFormTest.h"
#include "ui/HelpSystem.h"

namespace lindora::test {
namespace {

class MenuHelpTest : public MenuFormTest {
protected:
    void SetUp() override {
        MenuFormTest::SetUp();
        HelpSystem::instance().clearRequests();
        file = button("File");
        first = button("First");
        second = button("Second");
        plain = button("Plain");
        tools = subItem("Tools", {first, second});
        bar = &shownBar(dsTop, {file, tools, plain});
        file->setHelpContext(5);
        tools->setHelpContext(7);
        second->setHelpContext(42);
    }
    void TearDown() override {
        HelpSystem::instance().clearRequests();
        MenuFormTest::TearDown();
    }
    SubMenuControl* openTools() {
        clickAt(centreOf(controlIn(window(*bar), tools)));
        return menuOf(controlIn(window(*bar), tools));
    }
    static std::size_t requestCount() { return HelpSystem::instance().requestCount(); }
    static const std::optional<HelpRequest>& lastRequest() { return HelpSystem::instance().lastRequest(); }

    BarButton *file = nullptr, *first = nullptr, *second = nullptr, *plain = nullptr;
    BarSubItem* tools = nullptr;
    Bar* bar = nullptr;
};

TEST_F(MenuHelpTest, InAnOpenMenuTheSelectedItemOrTheFirstOneUpTheChainWithATopicShowsIt) {
    struct Case {
        const char* what;
        BarButton* selected;
        int context;
    };
    for (const Case& c : {Case{"the selected item's own topic", second, 42},
                          Case{"none of its own: the sub item's that opened the menu", first, 7}}) {
        SCOPED_TRACE(c.what);
        HelpSystem::instance().clearRequests();
        SubMenuControl* menu = openTools();
        ASSERT_NE(menu, nullptr);
        moveTo(centreOf(controlIn(*menu, c.selected)));
        ASSERT_EQ(menu->selectedControl(), controlIn(*menu, c.selected));
        key(VK_F1);
        EXPECT_FALSE(MenuChain::active()) << "the menus closed";
        ASSERT_EQ(requestCount(), 1u);
        EXPECT_EQ(lastRequest()->context, c.context);
        EXPECT_FALSE(lastRequest()->popup);
    }
}

TEST_F(MenuHelpTest, WithoutATopicUpTheChainF1DoesNothingAndTheMenuStays) {
    tools->setHelpContext(0);
    SubMenuControl* menu = openTools();
    ASSERT_NE(menu, nullptr);
    moveTo(centreOf(controlIn(*menu, first)));
    key(VK_F1);
    EXPECT_EQ(requestCount(), 0u);
    EXPECT_TRUE(MenuChain::isAlive(menu));
    EXPECT_TRUE(menu->isShown());
}

TEST_F(MenuHelpTest, WithNoMenuOpenTheItemUnderTheMouseShowsItsTopic) {
    windowSystem().setFocus(&form());
    moveTo(centreOf(controlIn(window(*bar), file)));
    key(VK_F1);
    ASSERT_EQ(requestCount(), 1u);
    EXPECT_EQ(lastRequest()->context, 5);

    // Over an item without a topic nothing shows.
    moveTo(centreOf(controlIn(window(*bar), plain)));
    key(VK_F1);
    EXPECT_EQ(requestCount(), 1u);

    // A form with a help caption button pops the topic up at the item's centre.
    form().setBorderIcons(form().borderIcons() + BorderIcons{biHelp});
    const Point centre = centreOf(controlIn(window(*bar), file));
    moveTo(centre);
    key(VK_F1);
    ASSERT_EQ(requestCount(), 2u);
    EXPECT_EQ(lastRequest()->context, 5);
    EXPECT_TRUE(lastRequest()->popup);
    EXPECT_LE(std::abs(lastRequest()->at.x - centre.x), 1);
    EXPECT_LE(std::abs(lastRequest()->at.y - centre.y), 1);
}

}  // namespace
}  // namespace lindora::test
