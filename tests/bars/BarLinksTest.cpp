// Bars and item links: main menu, captions, positions, group starts, recent items, recursion.
#include <gtest/gtest.h>

#include "BarsTestSupport.h"
#include "bars/model/BarEdit.h"
#include "bars/model/ItemControlClass.h"

namespace lindora::test {
namespace {

class BarLinksTest : public BarsTest {
protected:
    // A bar with one link per item, in order.
    Bar* barWith(const std::vector<BarItem*>& items) {
        Bar* bar = addBar("Bar " + std::to_string(manager().bars().count()));
        for (BarItem* i : items) bar->itemLinks().add()->setItem(i);
        return bar;
    }
};

TEST_F(BarLinksTest, IsMainMenuMovesBetweenBarsAndKeepsMultiLine) {
    Bar* first = addBar("First");
    Bar* second = addBar("Second");
    first->setIsMainMenu(true);
    EXPECT_EQ(manager().mainMenuBar(), first);
    EXPECT_TRUE(first->multiLine());
    EXPECT_TRUE(first->wholeRow());
    first->setMultiLine(false);
    EXPECT_TRUE(first->multiLine());

    second->setIsMainMenu(true);
    EXPECT_EQ(manager().mainMenuBar(), second);
    EXPECT_FALSE(first->isMainMenu());
    EXPECT_FALSE(first->multiLine());
    EXPECT_FALSE(first->wholeRow());
    EXPECT_TRUE(second->multiLine());

    delete second;
    EXPECT_EQ(manager().mainMenuBar(), nullptr);
}

TEST_F(BarLinksTest, CaptionsAreUniqueAndNameTheBar) {
    Bar* a = addBar("Tools");
    EXPECT_EQ(a->name(), "Tools");
    Bar* b = addBar("Tools");
    EXPECT_EQ(b->caption(), "");  // refused silently
    b->setName("Tools");          // names may clash only by hand
    b->setCaption("Other");
    EXPECT_EQ(b->name(), "Tools");
    Bar* c = manager().bars().add();
    a->setCaption("Renamed");
    c->setCaption("Tools");
    EXPECT_EQ(c->name(), "Tools1");  // "Tools" is taken by two bars already
}

TEST_F(BarLinksTest, PositionsAreClampedAtZero) {
    Bar* bar = addBar("Tools");
    bar->setDockedLeft(-5);
    bar->setDockedTop(-1);
    bar->setRow(-5);
    EXPECT_EQ(bar->dockedLeft(), 0);
    EXPECT_EQ(bar->dockedTop(), 0);
    EXPECT_EQ(bar->row(), 0);
    bar->setRow(3);
    EXPECT_EQ(bar->row(), 3);
}

TEST_F(BarLinksTest, DockingStyleAndSitesAndTheirEvent) {
    Bar* bar = addBar("Tools");
    std::vector<BarDockingStyle> changes;
    manager().OnBarDockingStyleChange.bind([&](BarManager*, Bar* b) { changes.push_back(b->dockingStyle()); });
    EXPECT_EQ(bar->effectiveDockControl(), nullptr);  // floating
    bar->setDockingStyle(dsLeft);
    EXPECT_EQ(bar->effectiveDockControl(), manager().bars().dockControl(dsLeft));
    bar->setDockControl(manager().bars().dockControl(dsBottom));  // a built-in site counts by style
    EXPECT_EQ(bar->dockControl(), nullptr);
    EXPECT_EQ(bar->dockingStyle(), dsBottom);
    DockControl placed(&form(), &manager(), dsNone);
    bar->setDockControl(&placed);
    EXPECT_EQ(bar->effectiveDockControl(), &placed);
    TestForm otherForm;
    BarManager otherManager(&otherForm);
    DockControl foreign(&otherForm, &otherManager, dsNone);
    bar->setDockControl(&foreign);  // another manager's site is ignored
    EXPECT_EQ(bar->dockControl(), &placed);
    bar->setDockingStyle(dsTop);
    EXPECT_EQ(bar->dockControl(), nullptr);
    EXPECT_EQ(changes, (std::vector<BarDockingStyle>{dsLeft, dsBottom, dsBottom, dsTop}));
}

TEST_F(BarLinksTest, SettingALinksItemToNoneFreesTheLink) {
    BarButton* b = addButton("btnA");
    Bar* bar = barWith({b});
    ASSERT_EQ(bar->itemLinks().count(), 1);
    bar->itemLinks().items(0)->setItem(nullptr);
    EXPECT_EQ(bar->itemLinks().count(), 0);
    EXPECT_EQ(b->linkCount(), 0);
}

TEST_F(BarLinksTest, FreeingAnItemFreesItsLinks) {
    BarButton* a = addButton("btnA");
    BarButton* b = addButton("btnB");
    Bar* bar = barWith({a, b, a});
    std::vector<int> deleted;
    manager().OnItemLinkDelete.bind([&](BarManager*, BarItemLink* l) { deleted.push_back(l->index()); });
    delete a;
    ASSERT_EQ(bar->itemLinks().count(), 1);
    EXPECT_EQ(bar->itemLinks().items(0)->item(), b);
    EXPECT_EQ(deleted.size(), 2u);
    EXPECT_EQ(bar->itemLinks().recentLinks().size(), 1u);
}

TEST_F(BarLinksTest, GroupStartsPassOverHiddenLinks) {
    BarButton* a = addButton("a");
    BarButton* b = addButton("b");
    BarButton* c = addButton("c");
    BarButton* d = addButton("d");
    Bar* bar = barWith({a, b, c, d});
    BarItemLinks& links = bar->itemLinks();

    // A group start after only hidden links at the start does not start a group.
    links.items(1)->setBeginGroup(true);
    links.items(0)->setVisible(false);
    EXPECT_FALSE(links.items(1)->beginGroup());
    EXPECT_TRUE(links.items(1)->storedBeginGroup());
    links.items(0)->setVisible(true);
    EXPECT_TRUE(links.items(1)->beginGroup());

    // Hiding the link that starts a group moves the start to the next visible link.
    links.items(1)->setVisible(false);
    EXPECT_TRUE(links.items(2)->beginGroup());
    EXPECT_FALSE(links.items(3)->beginGroup());
    links.items(1)->setVisible(true);
    EXPECT_FALSE(links.items(2)->beginGroup());

    // A link whose item is not available at all takes its group start with it.
    links.items(2)->setBeginGroup(true);
    c->setVisible(ivNever);
    EXPECT_EQ(links.items(2)->shownIndex(), -1);
    EXPECT_EQ(links.items(2)->availableIndex(), -1);
    EXPECT_FALSE(links.items(3)->beginGroup());
    EXPECT_EQ(links.shownLinks().size(), 3u);
}

TEST_F(BarLinksTest, DerivedListsAndIndexes) {
    BarButton* a = addButton("a", "&Alpha");
    BarButton* b = addButton("b");
    auto* e = new BarEdit(&form());
    e->setWidth(5);
    EXPECT_EQ(e->width(), 20);
    Bar* bar = barWith({a, b, e});
    BarItemLinks& links = bar->itemLinks();
    links.items(1)->setVisible(false);
    EXPECT_EQ(links.availableLinks().size(), 3u);
    EXPECT_EQ(links.visibleLinks().size(), 2u);
    EXPECT_EQ(links.items(2)->visibleIndex(), 1);
    EXPECT_EQ(links.items(1)->visibleIndex(), -1);
    EXPECT_EQ(links.items(0)->caption(), "&Alpha");
    EXPECT_EQ(links.items(2)->width(), 20);
    links.items(0)->setUserCaption("Mine");
    EXPECT_EQ(links.items(0)->caption(), "Mine");
    links.items(0)->setUserDefine({});
    EXPECT_EQ(links.items(0)->caption(), "&Alpha");
    EXPECT_EQ(links.items(0)->userCaption(), "");

    links.items(0)->setUserWidth(5);
    EXPECT_EQ(links.items(0)->userWidth(), 20);
    EXPECT_TRUE(links.items(0)->userDefine().contains(udWidth));
    a->setPaintStyle(psCaptionGlyph);
    EXPECT_EQ(links.items(0)->paintStyle(), psCaptionGlyph);
    links.items(0)->setUserPaintStyle(psCaptionGlyph);  // equal to the effective style: no override
    EXPECT_FALSE(links.items(0)->userDefine().contains(udPaintStyle));
    links.items(0)->setUserPaintStyle(psCaption);
    EXPECT_EQ(links.items(0)->paintStyle(), psCaption);
}

TEST_F(BarLinksTest, RecentCountThreshold) {
    manager().setMostRecentItemsPercents(95);
    std::vector<BarItem*> items;
    for (const char* n : {"a", "b", "c", "d"}) items.push_back(addButton(n));
    Bar* bar = barWith(items);
    BarItemLinks& links = bar->itemLinks();
    // Recent order d, c, b, a with use counts 40, 21, 20, 20: threshold 20 + 20 * 5 / 100 = 21.
    const int counts[] = {20, 20, 21, 40};
    for (int i = 0; i < 4; ++i) {
        links.items(i)->markUsed(false);
        links.items(i)->setUseCount(counts[i]);
    }
    EXPECT_EQ(links.recentLinks().front(), links.items(3));
    EXPECT_EQ(links.recentCount(), 2);  // d (40) and c (21) reach the threshold

    // The walk starts at the last of the first n recent links.
    links.items(0)->markUsed(false);
    links.items(0)->setUseCount(21);
    EXPECT_EQ(links.recentCount(), 3);  // a, d, c reach 21; b (20) does not

    // When the last of them reaches the threshold, all are shown.
    for (int i = 0; i < 4; ++i) links.items(i)->setUseCount(20);
    EXPECT_EQ(links.recentCount(), -1);

    // Not active in the standard style or without recent items.
    manager().setStyle(bmsStandard);
    EXPECT_EQ(links.recentCount(), -1);
    manager().setStyle(bmsFlat);
    bar->setUseRecentItems(false);
    EXPECT_EQ(links.recentCount(), -1);
}

TEST_F(BarLinksTest, RecentItemCountLimitsTheShownLinks) {
    std::vector<BarItem*> items;
    for (const char* n : {"a", "b", "c"}) items.push_back(addButton(n));
    Bar* bar = barWith(items);
    BarItemLinks& links = bar->itemLinks();
    links.setRecentItemCount(0);
    EXPECT_TRUE(links.shownLinks().empty());
    links.setRecentItemCount(-1);
    EXPECT_EQ(links.shownLinks().size(), 3u);

    // Two most recent, shown in their bar order.
    links.items(2)->markUsed(true);
    links.items(0)->markUsed(true);
    links.setRecentItemCount(2);
    ASSERT_EQ(links.shownLinks().size(), 2u);
    EXPECT_EQ(links.shownLinks()[0], links.items(0));
    EXPECT_EQ(links.shownLinks()[1], links.items(2));
    EXPECT_EQ(links.items(0)->useCount(), manager().initialUseCount() + 1);
    links.restoreRecentItemCount();
    EXPECT_EQ(links.recentItemCount(), -1);

    manager().setStyle(bmsStandard);
    links.setRecentItemCount(1);
    EXPECT_EQ(links.recentItemCount(), -1);  // no recent items in the standard style
}

TEST_F(BarLinksTest, MarkingAMenuEntryMarksThePathToIt) {
    BarSubItem* help = addSubItem("mnuHelp", "Help");
    BarButton* about = addButton("btnAbout", "About");
    BarButton* other = addButton("btnOther");
    Bar* bar = barWith({other, help});
    BarItemLink* helpLink = bar->itemLinks().items(1);
    BarItemLink* aboutLink = help->itemLinks().add();
    aboutLink->setItem(about);
    help->itemLinks().setParentLink(helpLink);
    bar->itemLinks().items(0)->markUsed(false);
    ASSERT_EQ(bar->itemLinks().recentLinks().front(), bar->itemLinks().items(0));
    const int before = helpLink->useCount();
    aboutLink->markUsed(true);
    EXPECT_EQ(bar->itemLinks().recentLinks().front(), helpLink);
    EXPECT_EQ(helpLink->useCount(), before + 1);
}

TEST_F(BarLinksTest, RecursiveSubItemsAreRefused) {
    BarSubItem* file = addSubItem("mnuFile");
    BarSubItem* recent = addSubItem("mnuRecent");
    file->itemLinks().add()->setItem(recent);
    try {
        recent->itemLinks().add()->setItem(file);
        FAIL() << "a recursive menu was accepted";
    } catch (const EBarError& e) {
        EXPECT_STREQ(e.what(), "You cannot create recursive subitems");
    }
    ASSERT_EQ(recent->itemLinks().count(), 1);
    EXPECT_EQ(recent->itemLinks().items(0)->item(), nullptr);  // the link keeps no item
    EXPECT_THROW(file->itemLinks().add()->setItem(file), EBarError);
    EXPECT_TRUE(file->itemLinks().containsItem(recent));
    EXPECT_FALSE(recent->itemLinks().containsItem(file));
}

TEST_F(BarLinksTest, AnEditOnAVerticalBarIsShownByAButtonControl) {
    auto* edit = new BarEdit(&form());
    edit->setName("edtFind");
    Bar* bar = barWith({edit});
    bar->setDockingStyle(dsTop);
    EXPECT_EQ(bar->itemLinks().items(0)->controlClass(), &itemcontrols::BarEditControl);
    bar->setDockingStyle(dsLeft);
    EXPECT_EQ(bar->itemLinks().items(0)->controlClass(), &itemcontrols::BarButtonControl);
    bar->setRotateWhenVertical(false);
    EXPECT_EQ(bar->itemLinks().items(0)->controlClass(), &itemcontrols::BarEditControl);
}

TEST_F(BarLinksTest, EventsOfBarsAndLinks) {
    std::vector<std::string> log;
    BarManager& m = manager();
    m.OnBarAdd.bind([&](BarManager*, Bar*) { log.push_back("bar add"); });
    m.OnBarVisibleChange.bind([&](BarManager*, Bar* b) { log.push_back(b->visible() ? "shown" : "hidden"); });
    m.OnItemLinkAdd.bind([&](BarManager*, BarItemLink*) { log.push_back("link add"); });
    m.OnItemLinkChange.bind([&](BarManager*, BarItemLink*) { log.push_back("link change"); });
    m.OnBarDelete.bind([&](BarManager*, Bar*) { log.push_back("bar delete"); });
    BarButton* b = addButton("btnA");
    Bar* bar = addBar("Tools");
    bar->itemLinks().add()->setItem(b);
    bar->setVisible(true);
    bar->setVisible(true);
    bar->setVisible(false);
    delete bar;
    EXPECT_EQ(log, (std::vector<std::string>{"bar add", "link add", "link change", "shown", "hidden", "bar delete"}));
}

TEST_F(BarLinksTest, AssignCopiesTheBarAndItsLinks) {
    BarButton* a = addButton("a");
    BarButton* b = addButton("b");
    Bar* source = barWith({a, b});
    source->itemLinks().items(1)->setBeginGroup(true);
    source->itemLinks().items(0)->setVisible(false);
    source->setDockingStyle(dsLeft);
    source->setRow(2);
    source->setAllowClose(false);
    Bar* copy = addBar("Copy");
    copy->assign(*source);
    EXPECT_EQ(copy->caption(), "Copy");  // the caption is taken by the source
    EXPECT_EQ(copy->dockingStyle(), dsLeft);
    EXPECT_EQ(copy->row(), 2);
    EXPECT_FALSE(copy->allowClose());
    ASSERT_EQ(copy->itemLinks().count(), 2);
    EXPECT_EQ(copy->itemLinks().items(1)->item(), b);
    EXPECT_FALSE(copy->itemLinks().items(0)->visible());
    EXPECT_FALSE(copy->itemLinks().items(1)->beginGroup());  // effective value: first shown
}

}  // namespace
}  // namespace lindora::test
