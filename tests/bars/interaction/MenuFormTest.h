#pragma once
// The menu tests' fixture: a shown test form with the real bar controls, bars docked on it
// with links to test items, and input fed through the offscreen backend.
#include <string>
#include <vector>

#include "bars/BarsTestSupport.h"
#include "bars/controls/BarControl.h"
#include "bars/controls/BarControls.h"
#include "bars/controls/BarSubItemControl.h"
#include "bars/controls/ItemControl.h"
#include "bars/controls/SubMenuControl.h"
#include "bars/model/Bar.h"
#include "bars/model/BarButton.h"
#include "bars/model/BarItemLinks.h"
#include "bars/model/BarManager.h"
#include "bars/model/BarSubItem.h"
#include "ui/WindowSystem.h"

namespace lindora::test {

class MenuFormTest : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        BarControls::install();
        form().createWindow(Rect(Point(100, 100), Size(800, 600)));
        manager();
        pump();
    }
    void TearDown() override {
        BarsTest::TearDown();
        BarControlsIntegration::install(nullptr);
    }

    // A shown bar with links to the items, docked on `style`.
    Bar& shownBar(BarDockingStyle style, std::initializer_list<BarItem*> items) {
        return shownBar(style, std::vector<BarItem*>(items));
    }
    Bar& shownBar(BarDockingStyle style, const std::vector<BarItem*>& items) {
        Bar& bar = addBarLater();
        bar.setDockingStyle(style);
        return shownBarInto(bar, items);
    }
    // A bar not shown yet, to be set up before shownBarInto shows it with the items.
    Bar& addBarLater() { return *addBar("Bar " + std::to_string(++bars_)); }
    Bar& shownBarInto(Bar& bar, const std::vector<BarItem*>& items) {
        if (bar.dockingStyle() == dsNone) bar.setDockingStyle(dsTop);
        for (BarItem* item : items) bar.itemLinks().add()->setItem(item);
        bar.setVisible(true);
        pump();
        return bar;
    }
    BarButton* button(const std::string& caption) { return addButton("b" + std::to_string(++items_), caption); }
    BarSubItem* subItem(const std::string& caption, std::initializer_list<BarItem*> items) {
        BarSubItem* sub = addSubItem("s" + std::to_string(++items_), caption);
        for (BarItem* item : items) sub->itemLinks().add()->setItem(item);
        return sub;
    }
    // Records each click of the item into `clicks`.
    void recordClicks(BarItem* item) {
        item->OnClick.bind([this, item](Persistent*) { clicks.push_back(item->caption()); });
    }

    static BarControl& window(Bar& bar) { return dynamic_cast<BarControl&>(*bar.control()); }
    static ItemControl* controlIn(const CustomBarControl& bar, const BarItem* item) {
        for (BarItemLink* l : bar.itemLinks().visibleLinks())
            if (l->item() == item) return dynamic_cast<ItemControl*>(l->control());
        return nullptr;
    }
    static SubMenuControl* menuOf(ItemControl* control) {
        auto* sub = dynamic_cast<BarSubItemControl*>(control);
        return sub ? dynamic_cast<SubMenuControl*>(sub->subMenu()) : nullptr;
    }
    static Point centreOf(ItemControl* c) {
        const Rect r = c->itemRect();
        return c->parent()->clientToScreen(Point((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    }

    void pump() { windowSystem().processMessages(); }
    void key(unsigned vk, std::initializer_list<unsigned> modifiers = {}) {
        platform().input().key(vk, modifiers);
        pump();
    }
    void moveTo(Point p) {
        platform().input().mouseMove(p);
        pump();
    }
    void clickAt(Point p) {
        platform().input().click(p);
        pump();
    }
    void wait(int ms) {
        platform().advance(ms);
        pump();
    }

    std::vector<std::string> clicks;
    int bars_ = 0;
    int items_ = 0;
};

}  // namespace lindora::test
