// The toolbar window's layout on a shown form: wrapping with the group-start back-off, the
// aligned last link, truncation with the mark, and vertical bars.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "bars/controls/BarControl.h"
#include "bars/controls/ItemControl.h"
#include "bars/model/Bar.h"
#include "bars/model/BarItem.h"
#include "bars/model/BarItemLinks.h"
#include "bars/model/BarManager.h"
#include "bars/toolbar/ToolbarTestSupport.h"

namespace lindora::test {
namespace {

class BarControlLayoutTest : public ToolbarWindowTest {
protected:
    // A shown bar docked on `style` with one button per caption; captions starting with '|'
    // begin a group.
    Bar& shownBar(BarDockingStyle style, bool multiLine, std::initializer_list<const char*> captions) {
        Bar* bar = addBar("Tools");
        bar->setMultiLine(multiLine);
        bar->setDockingStyle(style);
        for (const char* c : captions) {
            const bool group = c[0] == '|';
            BarButton* b = addButton("b" + std::to_string(buttons_++), group ? c + 1 : c);
            BarItemLink* link = bar->itemLinks().add();
            link->setItem(b);
            link->setBeginGroup(group);
        }
        bar->setVisible(true);
        return *bar;
    }
    int buttons_ = 0;
    static BarControl& window(Bar& bar) { return dynamic_cast<BarControl&>(*bar.control()); }
    static BarItemLink& link(Bar& bar, int i) { return *bar.itemLinks().visibleLinks()[static_cast<std::size_t>(i)]; }
    static Rect rect(Bar& bar, int i) { return link(bar, i).itemRect(); }
    // Gives the docked window a client length and the thickness it asks for at that length.
    static void layOut(Bar& bar, int length) {
        BarControl& w = window(bar);
        const BarDockingStyle s = w.dockingStyle();
        const Size c = w.sizeForLength(s, length);
        const bool horz = s == dsTop || s == dsBottom;
        w.setDockedBounds(Rect(Point(0, 0), Size(c.cx + (horz ? w.nonClientAlong(s) : w.nonClientAcross(s)),
                                                 c.cy + (horz ? w.nonClientAcross(s) : w.nonClientAlong(s)))));
    }
};

TEST_F(BarControlLayoutTest, ABarOfAShownFormGetsADockedWindowThatShowsEveryLinkOnOneLine) {
    Bar& bar = shownBar(dsTop, true, {"One", "Two", "|Three"});
    BarControl& w = window(bar);
    EXPECT_TRUE(w.handleAllocated());
    EXPECT_EQ(w.parent(), bar.barManager()->bars().dockControl(dsTop));
    EXPECT_EQ(rect(bar, 0).left, 0);
    EXPECT_EQ(rect(bar, 1).left, rect(bar, 0).right);
    // The group start costs a separator on its line.
    EXPECT_EQ(rect(bar, 2).left, rect(bar, 1).right + w.separatorSize());
    EXPECT_EQ(rect(bar, 0).top, rect(bar, 2).top);
    EXPECT_EQ(w.fullLength(dsTop), rect(bar, 2).right);
    // The dock is as thick as the bar's window.
    EXPECT_EQ(bar.barManager()->bars().dockControl(dsTop)->bounds().height(), w.bounds().bottom);
}

TEST_F(BarControlLayoutTest, AWrapBreaksBeforeTheGroupStartRatherThanInsideTheGroup) {
    Bar& bar = shownBar(dsTop, true, {"One", "Two", "|Three", "Four"});
    layOut(bar, 2000);
    const Rect four = rect(bar, 3);
    // Room for One Two | Three but not Four: the whole group moves to the second line.
    layOut(bar, four.right - 1);
    EXPECT_EQ(rect(bar, 2).left, 0);
    EXPECT_GT(rect(bar, 2).top, rect(bar, 0).top);
    EXPECT_EQ(rect(bar, 3).left, rect(bar, 2).right);
    EXPECT_EQ(rect(bar, 3).top, rect(bar, 2).top);
    // The separator becomes space between the lines.
    EXPECT_GE(rect(bar, 2).top, rect(bar, 0).bottom + window(bar).separatorSize());
    // Without a group the line simply breaks before the link that does not fit.
    Bar& plain = shownBar(dsBottom, true, {"One", "Two", "Three", "Four"});
    layOut(plain, 2000);
    layOut(plain, rect(plain, 3).right - 1);
    EXPECT_EQ(rect(plain, 2).top, rect(plain, 0).top);
    EXPECT_EQ(rect(plain, 3).left, 0);
    EXPECT_GT(rect(plain, 3).top, rect(plain, 0).top);
}

TEST_F(BarControlLayoutTest, OnlyTheLastLinkIsAlignedAndItMeetsTheLineEnd) {
    Bar& bar = shownBar(dsTop, true, {"One", "Two", "Three"});
    bar.itemLinks().visibleLinks()[0]->item()->setAlign(iaRight);
    bar.itemLinks().visibleLinks()[2]->item()->setAlign(iaRight);
    layOut(bar, 600);
    BarControl& w = window(bar);
    EXPECT_EQ(rect(bar, 0).left, 0);  // not the last link: laid out as left-aligned
    EXPECT_EQ(rect(bar, 2).right, w.clientRect().width() - (w.markVisible() ? BarControl::MarkWidth : 0));
    EXPECT_LT(rect(bar, 1).right, rect(bar, 2).left);
    EXPECT_EQ(w.controlAt(Point(rect(bar, 2).right - 1, rect(bar, 2).top + 1)),
              dynamic_cast<ItemControl*>(link(bar, 2).control()));
}

TEST_F(BarControlLayoutTest, ASingleLineBarHidesTheLinksThatDoNotFitBehindTheMark) {
    for (bool showMark : {true, false}) {
        SCOPED_TRACE(showMark);
        Bar& bar = shownBar(showMark ? dsTop : dsBottom, false, {"One", "Two", "Three", "Four"});
        bar.setShowMark(showMark);
        layOut(bar, 2000);
        const int full = rect(bar, 3).right;
        layOut(bar, rect(bar, 2).right);
        BarControl& w = window(bar);
        w.setDockedBounds(
            Rect(Point(0, 0), Size(rect(bar, 1).right + w.nonClientAlong(dsTop) + 11, w.bounds().height())));
        EXPECT_LT(w.clientRect().width(), full);
        EXPECT_TRUE(w.truncated());
        EXPECT_FALSE(rect(bar, 0).isEmpty());
        EXPECT_TRUE(rect(bar, 3).isEmpty());
        // An empty rectangle is neither drawn nor found under the mouse.
        EXPECT_FALSE(w.fullyShows(link(bar, 3)));
        for (int x = 0; x < w.clientRect().width(); ++x)
            EXPECT_NE(w.controlAt(Point(x, 2)), dynamic_cast<ItemControl*>(link(bar, 3).control()));
        EXPECT_EQ(w.markRect().isEmpty(), !showMark);
        if (showMark) {
            EXPECT_LE(rect(bar, 1).right, w.markRect().left);
        }
    }
}

TEST_F(BarControlLayoutTest, AVerticalBarOnTheLeftDockStacksItsItemsDownward) {
    Bar& bar = shownBar(dsLeft, true, {"One", "Two", "Three"});
    BarControl& w = window(bar);
    EXPECT_TRUE(w.isVertical());
    layOut(bar, 2000);
    EXPECT_EQ(rect(bar, 0).top, 0);
    EXPECT_EQ(rect(bar, 1).top, rect(bar, 0).bottom);
    EXPECT_EQ(rect(bar, 2).top, rect(bar, 1).bottom);
    // Short column: the bar wraps into a second column and grows wider.
    const int oneColumnWidth = w.clientRect().width();
    layOut(bar, rect(bar, 1).bottom);
    EXPECT_GT(w.clientRect().width(), oneColumnWidth);
    EXPECT_EQ(rect(bar, 2).top, 0);
    EXPECT_LT(rect(bar, 2).left, rect(bar, 0).left);
}

TEST_F(BarControlLayoutTest, TheDockedPlacementIsWrittenBackIntoTheBar) {
    Bar& a = shownBar(dsTop, true, {"One"});
    Bar& b = shownBar(dsTop, false, {"Two"});
    window(b).storePosition(b);
    EXPECT_EQ(b.dockedDockingStyle(), dsTop);
    EXPECT_EQ(b.dockedDockControl(), nullptr);
    EXPECT_EQ(b.dockedLeft(), window(b).bounds().left);
    EXPECT_EQ(b.dockedTop(), window(b).bounds().top);
    (void)a;
}

TEST_F(BarControlLayoutTest, ASingleLineBarWithRecentItemsShowsAsManyOfTheMostRecentlyUsedLinksAsFit) {
    manager().setStyle(bmsFlat);
    Bar& bar = shownBar(dsTop, false, {"One", "Two", "|Three", "Four"});
    bar.setShowMark(false);
    BarItemLinks& links = bar.itemLinks();
    links.items(2)->markUsed(false);
    links.items(3)->markUsed(false);  // now the most recent: Four, then Three
    ASSERT_TRUE(links.recentItemsActive());
    ASSERT_EQ(links.recentLinks()[0], links.items(3));
    ASSERT_EQ(links.recentLinks()[1], links.items(2));
    BarControl& w = window(bar);
    auto width = [&](int i) { return dynamic_cast<ItemControl&>(*links.items(i)->control()).sizeInParent().cx; };
    // A single line is at least as long as the most recently used link, not the first one.
    EXPECT_EQ(w.minLength(dsTop), width(3));

    // The first k recent links, measured in bar order (a group start first on the line costs
    // no separator).
    auto lengthOf = [&](int k) {
        int length = 0;
        bool first = true;
        for (int i = 0; i < 4; ++i) {
            const auto& recent = links.recentLinks();
            if (std::find(recent.begin(), recent.begin() + k, links.items(i)) == recent.begin() + k) continue;
            length += (links.items(i)->storedBeginGroup() && !first ? w.separatorSize() : 0) + width(i);
            first = false;
        }
        return length;
    };
    ASSERT_EQ(lengthOf(2), width(2) + width(3));
    for (int k = 1; k <= 4; ++k) {
        for (int slack : {0, -1}) {
            const int length = lengthOf(k) + slack;
            if (k == 1 && slack < 0) continue;  // one link always shows
            const int expected = slack == 0 ? k : k - 1;
            SCOPED_TRACE("length " + std::to_string(length));
            layOut(bar, length);
            int shown = 0;
            for (int i = 0; i < 4; ++i) {
                const bool recent = std::find(links.recentLinks().begin(), links.recentLinks().begin() + expected,
                                              links.items(i)) != links.recentLinks().begin() + expected;
                EXPECT_EQ(links.items(i)->itemRect().isEmpty(), !recent) << "link " << i;
                shown += recent;
            }
            EXPECT_EQ(shown, expected);
            // Links held back wait behind the mark.
            EXPECT_EQ(w.truncated(), expected < 4);
        }
    }
    // Four alone, then Three and Four side by side from the line's start.
    layOut(bar, width(3));
    EXPECT_EQ(links.items(3)->itemRect().left, 0);
    layOut(bar, width(2) + width(3));
    EXPECT_EQ(links.items(2)->itemRect().left, 0);
    EXPECT_EQ(links.items(3)->itemRect().left, width(2));
    // With the mark shown it takes its room at the line's end.
    bar.setShowMark(true);
    layOut(bar, width(2) + width(3) + BarControl::MarkWidth);
    EXPECT_FALSE(w.markRect().isEmpty());
    EXPECT_LE(links.items(3)->itemRect().right, w.markRect().left);
}

// ---- the vertical wrap against the one-pixel walk

struct Piece {
    int length = 0;
    int thickness = 0;
    bool beginGroup = false;
};

struct Columns {
    std::vector<int> along;  // each item's offset along its column
    int longest = 0;         // the longest column
    int width = 0;           // the columns' total thickness with the gaps of group breaks
};

// The wrap as the rule states it: a link that does not fit breaks the column; when the column
// holds a group start before it, the column breaks there instead; a group start that does not
// fit breaks before itself.
Columns wrapAt(const std::vector<Piece>& items, int separator, int height) {
    Columns c;
    c.along.assign(items.size(), 0);
    int finished = 0, groupStart = -1;
    std::size_t lineStart = 0;
    // The column from lineStart up to (not including) `end`: its length and thickness.
    auto column = [&](std::size_t end) {
        int pos = 0, thickness = 0;
        for (std::size_t k = lineStart; k < end; ++k) {
            pos = c.along[k] + items[k].length;
            thickness = std::max(thickness, items[k].thickness);
        }
        return std::pair(pos, thickness);
    };
    for (std::size_t i = 0; i < items.size(); ++i) {
        const int pos = column(i).first;
        const int s = items[i].beginGroup && pos > 0 ? separator : 0;
        if (pos > 0 && pos + s + items[i].length > height) {
            if (s == 0 && groupStart >= 0) i = static_cast<std::size_t>(groupStart);
            const auto [length, thickness] = column(i);
            c.longest = std::max(c.longest, length);
            finished += thickness + (items[i].beginGroup ? separator : 0);
            lineStart = i;
            c.along[i] = 0;
            groupStart = -1;
            continue;
        }
        if (s > 0) groupStart = static_cast<int>(i);
        c.along[i] = pos + s;
    }
    const auto [length, thickness] = column(items.size());
    c.longest = std::max(c.longest, length);
    c.width = finished + thickness;
    return c;
}

// Down from the full length, one pixel at a time, to the first column height whose columns fit
// `height`; the shortest useful column (the longest item) when none does.
Columns walkDown(const std::vector<Piece>& items, int separator, int height) {
    int full = 0, longestItem = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        full += items[i].length + (items[i].beginGroup && i > 0 ? separator : 0);
        longestItem = std::max(longestItem, items[i].length);
    }
    for (int h = full; h > longestItem; --h) {
        Columns c = wrapAt(items, separator, h);
        if (c.longest <= height) return c;
    }
    return wrapAt(items, separator, longestItem);
}

TEST_F(BarControlLayoutTest, AVerticalBarWrapsIntoTheColumnsTheOnePixelWalkEndsWith) {
    std::mt19937 random(20261211);
    auto uniform = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int trial = 0; trial < 40; ++trial) {
        // Rotated bars measure their captions along the column, so random captions give random
        // lengths; lowered buttons are thicker.
        Bar* bar = addBar("Random");
        bar->setMultiLine(true);
        bar->setRotateWhenVertical(uniform(0, 3) != 0);
        bar->setDockingStyle(uniform(0, 1) ? dsLeft : dsRight);
        const int count = uniform(1, 24);
        for (int i = 0; i < count; ++i) {
            BarButton* b =
                addButton("r" + std::to_string(buttons_++), std::string(static_cast<std::size_t>(uniform(1, 14)), 'W'));
            b->setPaintStyle(uniform(0, 3) ? psCaption : psStandard);
            b->setLowered(uniform(0, 5) == 0);
            BarItemLink* link = bar->itemLinks().add();
            link->setItem(b);
            link->setBeginGroup(uniform(0, 3) == 0);
        }
        bar->setVisible(true);
        BarControl& w = window(*bar);
        const BarDockingStyle style = w.dockingStyle();
        std::vector<Piece> items;
        for (BarItemLink* l : bar->itemLinks().visibleLinks()) {
            const Size s = dynamic_cast<ItemControl&>(*l->control()).sizeInParent();
            items.push_back({s.cy, s.cx, l->beginGroup()});
        }
        for (int k = 0; k < 8; ++k) {
            const int height = uniform(1, w.fullLength(style) + 20);
            SCOPED_TRACE("trial " + std::to_string(trial) + ", column height " + std::to_string(height));
            const Columns expected = walkDown(items, w.separatorSize(), height);
            EXPECT_EQ(w.sizeForLength(style, height).cx, expected.width);
            layOut(*bar, height);
            for (std::size_t i = 0; i < items.size(); ++i)
                ASSERT_EQ(rect(*bar, static_cast<int>(i)).top, expected.along[i]) << "item " << i;
        }
        manager().bars().remove(bar->index());
    }
}

}  // namespace
}  // namespace lindora::test
