// Items: checked buttons and groups, the click path, hints, list items, groups, actions.
#include <gtest/gtest.h>

#include "BarsTestSupport.h"
#include "bars/model/BarAction.h"
#include "bars/model/BarContainerItems.h"
#include "bars/model/BarGroup.h"
#include "base/FormDescription.h"

namespace lindora::test {
namespace {

using BarItemsTest = BarsTest;

TEST_F(BarItemsTest, CheckedButtonToggleDownBeforeItsHandlerRuns) {
    BarButton* autoLogin = addButton("btnAutoLogin", "Auto Login");
    autoLogin->setButtonStyle(bsChecked);
    std::vector<std::string> log;
    manager().OnClickItem.bind([&](BarManager*, BarItem* i) {
        log.push_back("OnClickItem " + i->name() + (static_cast<BarButton*>(i)->down() ? " down" : " up"));
    });
    autoLogin->OnClick.bind(
        [&](Persistent*) { log.push_back(std::string("OnClick ") + (autoLogin->down() ? "down" : "up")); });
    autoLogin->click();
    autoLogin->click();
    EXPECT_EQ(log, (std::vector<std::string>{"OnClickItem btnAutoLogin down", "OnClick down",
                                             "OnClickItem btnAutoLogin up", "OnClick up"}));
}

TEST_F(BarItemsTest, CheckedGroupsWithAndWithoutAllowAllUp) {
    BarButton* left = addButton("btnLeft");
    BarButton* right = addButton("btnRight");
    for (BarButton* b : {left, right}) {
        b->setButtonStyle(bsChecked);
        b->setGroupIndex(1);
    }
    left->click();
    EXPECT_TRUE(left->down());
    right->click();  // pressing the second releases the first
    EXPECT_TRUE(right->down());
    EXPECT_FALSE(left->down());
    right->click();  // the last one down stays down
    EXPECT_TRUE(right->down());

    left->setAllowAllUp(true);  // copied to the whole group
    EXPECT_TRUE(right->allowAllUp());
    right->click();
    EXPECT_FALSE(right->down());
    EXPECT_FALSE(left->down());
}

TEST_F(BarItemsTest, DownAndGroupIndexNeedACheckedButton) {
    BarButton* b = addButton("btnPlain");
    b->setDown(true);
    EXPECT_FALSE(b->down());
    b->setGroupIndex(5);
    EXPECT_EQ(b->groupIndex(), 0);
    b->setButtonStyle(bsChecked);
    b->setGroupIndex(5);
    EXPECT_EQ(b->groupIndex(), 5);
}

TEST_F(BarItemsTest, DisabledItemsDoNotClickExceptWhileCustomizing) {
    BarButton* b = addButton("btnA");
    int clicks = 0;
    b->OnClick.bind([&](Persistent*) { ++clicks; });
    b->setEnabled(false);
    b->click();
    EXPECT_EQ(clicks, 0);
    manager().setCustomizing(true);
    EXPECT_TRUE(b->getEnabled());
    BarButton uncategorised(&form());  // only items with a category
    uncategorised.setEnabled(false);
    EXPECT_FALSE(uncategorised.getEnabled());
}

TEST_F(BarItemsTest, SubItemsAreNotClickedButSignalTheirMenuOpening) {
    BarSubItem* help = addSubItem("mnuHelp", "Help");
    std::vector<std::string> log;
    help->OnClick.bind([&](Persistent*) { log.push_back("OnClick"); });
    help->OnPopup.bind([&](Persistent*) { log.push_back("OnPopup"); });
    help->click();
    EXPECT_TRUE(log.empty());
    help->popup();
    EXPECT_EQ(log, (std::vector<std::string>{"OnPopup", "OnClick"}));
}

TEST_F(BarItemsTest, HandlerExceptionsGoToTheApplicationsReportAndTheManagerSurvives) {
    std::vector<std::string> reports;
    setApplicationLink(
        {{}, [] { return std::string("Lindora"); }, [&](const std::exception& e) { reports.push_back(e.what()); }});
    BarButton* b = addButton("btnFail");
    b->OnClick.bind([](Persistent*) { throw Exception("The command failed"); });
    EXPECT_NO_THROW(b->click());
    EXPECT_EQ(reports, (std::vector<std::string>{"The command failed"}));

    // SilentAbort ends the command without a report.
    b->OnClick.bind([](Persistent*) { throw SilentAbort(); });
    b->click();
    EXPECT_EQ(reports.size(), 1u);

    // Without an application report the message goes to an error dialog.
    setApplicationLink({});
    manager().OnClickItem.bind([](BarManager*, BarItem*) { throw Exception("Refused by the handler"); });
    b->click();
    ASSERT_EQ(platform().input().dialogs().size(), 1u);
    EXPECT_EQ(platform().input().dialogs()[0].kind, DialogKind::Error);
    EXPECT_EQ(platform().input().dialogs()[0].text, "Refused by the handler");
}

TEST_F(BarItemsTest, HintFollowsTheCaption) {
    struct Case {
        const char* hint;
        const char* expected;
    };
    const Case cases[] = {
        {"", "Save"},
        {"Open", "Save"},
        {"Open|Opens a file", "Save|Opens a file"},
        {"Something else", "Something else"},
    };
    for (const Case& c : cases) {
        BarButton* b = addButton("");
        b->setCaption("&Open...");
        b->setHint(c.hint);
        b->setCaption("&Save...");
        EXPECT_EQ(b->hint(), c.expected) << "hint '" << c.hint << "'";
    }
    BarSubItem* sub = addSubItem("mnuFile");
    sub->setCaption("&File");
    EXPECT_EQ(sub->hint(), "");  // sub items keep their hint
}

TEST_F(BarItemsTest, AListItemGeneratesNumberedEntriesWithGroups) {
    auto* list = new BarListItem(&form());
    list->setName("lstRecent");
    list->items().setText("a\n-\nb\n");
    BarSubItem* menu = addSubItem("mnuFile");
    BarItemLink* containerLink = menu->itemLinks().add();
    containerLink->setItem(list);
    ASSERT_EQ(list->expand(*containerLink), 2);
    ASSERT_EQ(menu->itemLinks().count(), 3);
    BarItemLink* first = menu->itemLinks().items(1);
    BarItemLink* second = menu->itemLinks().items(2);
    EXPECT_EQ(first->caption(), "&1 a");
    EXPECT_EQ(second->caption(), "&2 b");
    EXPECT_TRUE(first->storedBeginGroup());
    EXPECT_TRUE(second->storedBeginGroup());
    EXPECT_EQ(first->sourceLink(), containerLink);

    int clicks = 0;
    list->OnClick.bind([&](Persistent*) { ++clicks; });
    second->item()->click();
    EXPECT_EQ(list->itemIndex(), 2);
    EXPECT_EQ(list->dataIndex(), 1);
    EXPECT_EQ(clicks, 1);

    list->collapse(menu->itemLinks());
    EXPECT_EQ(menu->itemLinks().count(), 1);

    list->setShowNumbers(false);
    list->setShowCheck(true);
    list->expand(*containerLink);
    auto* checked = static_cast<BarButton*>(menu->itemLinks().items(2)->item());
    EXPECT_EQ(checked->caption(), "b");
    EXPECT_EQ(checked->buttonStyle(), bsChecked);
    EXPECT_TRUE(checked->down());
}

TEST_F(BarItemsTest, ListNumbersContinueWithLetters) {
    auto* list = new BarListItem(&form());
    for (int i = 0; i < 11; ++i) list->items().add("f" + std::to_string(i));
    BarSubItem* menu = addSubItem("mnuFile");
    BarItemLink* containerLink = menu->itemLinks().add();
    containerLink->setItem(list);
    list->expand(*containerLink);
    EXPECT_EQ(menu->itemLinks().items(9)->caption(), "&9 f8");
    EXPECT_EQ(menu->itemLinks().items(10)->caption(), "&A f9");
    EXPECT_EQ(menu->itemLinks().items(11)->caption(), "&B f10");
}

TEST_F(BarItemsTest, DataHandlerFailuresAreSwallowed) {
    auto* list = new BarListItem(&form());
    list->OnGetData.bind([](Persistent*) { throw Exception("no data"); });
    BarSubItem* menu = addSubItem("mnuFile");
    BarItemLink* containerLink = menu->itemLinks().add();
    containerLink->setItem(list);
    EXPECT_EQ(list->expand(*containerLink), 0);
    EXPECT_TRUE(list->isAvailable());  // a data handler makes a container available
}

TEST_F(BarItemsTest, GroupsSwitchTheirMembersAndRefuseRecursion) {
    BarButton* a = addButton("btnA");
    BarButton* b = addButton("btnB");
    auto* outer = new BarGroup(&form());
    auto* inner = new BarGroup(&form());
    outer->add(a);
    outer->add(inner);
    inner->add(b);
    outer->add(a);        // already a member
    outer->add(nullptr);  // ignored
    EXPECT_EQ(outer->members().size(), 2u);
    outer->setEnabled(false);
    EXPECT_FALSE(a->enabled());
    EXPECT_FALSE(b->enabled());
    outer->setVisible(ivNever);
    EXPECT_EQ(b->visible(), ivNever);

    try {
        inner->add(outer);
        FAIL() << "a recursive group was accepted";
    } catch (const EBarError& e) {
        EXPECT_STREQ(e.what(), "You cannot create recursive groups");
    }
    EXPECT_THROW(outer->add(outer), EBarError);

    delete b;  // freed members drop out
    EXPECT_TRUE(inner->members().empty());
}

TEST_F(BarItemsTest, ActionsSupplyValuesAndRunTheirHandler) {
    auto* action = new BarAction(&form());
    action->setCaption("Print");
    action->setImageIndex(4);
    int executed = 0;
    action->OnExecute.bind([&](Persistent*) { ++executed; });
    BarButton* b = addButton("btnPrint");
    b->setAction(action);
    EXPECT_EQ(b->caption(), "Print");
    EXPECT_EQ(b->imageIndex(), 4);
    b->click();
    EXPECT_EQ(executed, 1);

    // A linked value follows the action; one changed on the item does not.
    b->setImageIndex(7);
    action->setCaption("Print All");
    action->setImageIndex(5);
    action->setVisible(false);
    EXPECT_EQ(b->caption(), "Print All");
    EXPECT_EQ(b->imageIndex(), 7);
    EXPECT_EQ(b->visible(), ivNever);

    delete action;
    EXPECT_EQ(b->action(), nullptr);
}

}  // namespace
}  // namespace lindora::test

namespace lindora::test {
namespace {

TEST_F(BarItemsTest, GroupsAreStreamedAsChildrenOfTheManagerWithTheirMembers) {
    BarButton* a = addButton("btnA");
    BarButton* b = addButton("btnB");
    auto* group = new BarGroup(&form());
    group->setName("grpEdit");
    group->add(a);
    group->add(b);
    group->setEnabled(false);
    const std::string text = writeFormDescription(form());
    EXPECT_NE(text.find("    object grpEdit: BarGroup"), std::string::npos) << text;

    TestForm copy;
    readFormDescription(text, copy);
    auto* g = dynamic_cast<BarGroup*>(copy.findComponent("grpEdit"));
    ASSERT_NE(g, nullptr);
    ASSERT_EQ(g->members().size(), 2u);
    EXPECT_EQ(g->members()[0], copy.findComponent("btnA"));
    EXPECT_FALSE(g->enabled());
    EXPECT_EQ(g->barManager(), copy.findComponent("BarManager1"));
}

}  // namespace
}  // namespace lindora::test
