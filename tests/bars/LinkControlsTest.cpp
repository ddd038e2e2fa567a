// What the model does for the windows and controls that show it: the link lists follow every
// change of the collection, a link has a control exactly while it is shown, changes of glyphs
// and backgrounds reach the controls, the click path through a control, the hot link and
// customizing mode.
#include <gtest/gtest.h>

#include "BarsTestSupport.h"
#include "TestControlsIntegration.h"
#include "bars/model/BarWindows.h"
#include "gfx/Bitmap.h"

namespace lindora::test {
namespace {

using Log = std::vector<std::string>;

class RecordingControl : public BarItemControl {
public:
    RecordingControl(BarItemLink& link, Log& log) : BarItemControl(link), log_(&log) {}
    void glyphChanged() override { add("glyph"); }
    void closeDropDown() override { add("close drop-down"); }
    bool closesMenusWhenClicked() const override { return closesMenus; }
    bool canClick() const override { return clicks; }
    bool closesMenus = true;
    bool clicks = true;

private:
    void add(const char* what) { log_->push_back(link().item()->name() + " " + what); }
    Log* log_;
};

class RecordingBarWindow : public BarWindow {
public:
    RecordingBarWindow(Bar& bar, Log& log) : bar_(&bar), log_(&log) {}
    BarItemLinks& itemLinks() const override { return bar_->itemLinks(); }
    BarDockingStyle dockingStyle() const override { return dsTop; }
    DockControl* dockControl() const override { return nullptr; }
    void setDockingStyle(BarDockingStyle) override {}
    void dockInto(DockControl&, Point) override {}
    void floatAt(const Rect&) override {}
    void showNoActivate() override {}
    void storePosition(Bar&) override {}
    void linksChanged() override { log_->push_back("links " + bar_->caption()); }
    void frameChanged() override { log_->push_back("frame " + bar_->caption()); }

private:
    Bar* bar_;
    Log* log_;
};

class LinkControlsTest : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        controls_ = &TestControlsIntegration::install();
        controls_->controls[&itemcontrols::BarButtonControl] = [this](BarItemLink& l) {
            return std::make_unique<RecordingControl>(l, log);
        };
        controls_->barWindow = [this](BarManager&, Bar& bar) { return std::make_unique<RecordingBarWindow>(bar, log); };
    }
    void TearDown() override {
        BarsTest::TearDown();
        BarControlsIntegration::install(nullptr);
    }

    // A docked, shown bar with one link per button.
    Bar* shownBar(std::initializer_list<BarItem*> items) {
        Bar* bar = addBar("Tools");
        for (BarItem* item : items) bar->itemLinks().add()->setItem(item);
        bar->setDockingStyle(dsTop);
        bar->setVisible(true);
        log.clear();
        return bar;
    }
    static RecordingControl* controlOf(BarItemLink* link) { return dynamic_cast<RecordingControl*>(link->control()); }

    TestControlsIntegration* controls_ = nullptr;
    Log log;
};

TEST_F(LinkControlsTest, MovingALinkRebuildsTheListsAndTellsTheWindow) {
    BarButton* a = addButton("btnA");
    BarButton* b = addButton("btnB");
    Bar* bar = shownBar({a, b});
    BarItemLink* second = bar->itemLinks().items(1);
    second->setIndex(0);
    ASSERT_EQ(bar->itemLinks().visibleLinks().size(), 2u);
    EXPECT_EQ(bar->itemLinks().visibleLinks()[0], second);
    EXPECT_EQ(bar->itemLinks().shownLinks()[0], second);
    EXPECT_EQ(second->visibleIndex(), 0);
    EXPECT_EQ(log, (Log{"links Tools"}));
}

TEST_F(LinkControlsTest, ALinkHasAControlExactlyWhileItsCollectionIsShownAndItIsVisible) {
    BarButton* a = addButton("btnA");
    BarButton* b = addButton("btnB");
    Bar* bar = shownBar({a, b});
    BarItemLink* hidden = bar->itemLinks().items(1);
    hidden->setVisible(false);
    EXPECT_EQ(hidden->control(), nullptr);

    // The item going and coming back leaves the hidden link without a control.
    b->setVisible(ivNever);
    b->setVisible(ivAlways);
    EXPECT_EQ(hidden->control(), nullptr);
    EXPECT_NE(bar->itemLinks().items(0)->control(), nullptr);

    // A link added to a shown bar gets one as soon as it has an item.
    BarItemLink* added = bar->itemLinks().add();
    EXPECT_EQ(added->control(), nullptr);
    added->setItem(a);
    EXPECT_NE(added->control(), nullptr);

    bar->setVisible(false);
    for (CollectionItem* ci : bar->itemLinks().items()) EXPECT_EQ(static_cast<BarItemLink*>(ci)->control(), nullptr);
}

TEST_F(LinkControlsTest, CustomizingModeRebuildsTheListsWithEveryLink) {
    BarButton* a = addButton("btnA");
    BarButton* never = addButton("btnNever");
    never->setVisible(ivNever);
    Bar* bar = shownBar({a, never});
    BarItemLink* neverLink = bar->itemLinks().items(1);
    EXPECT_EQ(neverLink->visibleIndex(), -1);

    manager().setCustomizing(true);
    EXPECT_EQ(neverLink->visibleIndex(), 1);
    EXPECT_NE(neverLink->control(), nullptr);

    manager().setCustomizing(false);
    EXPECT_EQ(neverLink->visibleIndex(), -1);
    EXPECT_EQ(neverLink->control(), nullptr);
}

TEST_F(LinkControlsTest, GlyphAndBackgroundPicturesReachTheWindowsAndControls) {
    BarButton* a = addButton("btnA");
    Bar* bar = shownBar({a});

    a->glyph().setBitmap(Bitmap(16, 16, RGB(0, 0, 255)));
    EXPECT_EQ(log, (Log{"btnA glyph"}));
    log.clear();

    bar->backgroundBitmap().setBitmap(Bitmap(8, 8, RGB(0, 255, 0)));
    EXPECT_EQ(log, (Log{"frame Tools"}));
    log.clear();

    // The manager's bar background is drawn by the painter: the style is applied again.
    manager().backgrounds().bar().setBitmap(Bitmap(8, 8, RGB(255, 0, 0)));
    EXPECT_EQ(log, (Log{"frame Tools"}));
}

TEST_F(LinkControlsTest, SettingABarLinksItemKeepsItsRecentPlaceWhileASubItemsLinkMovesToTheFront) {
    BarButton* a = addButton("btnA");
    BarButton* b = addButton("btnB");
    BarButton* c = addButton("btnC");
    Bar* bar = shownBar({a, b});
    BarItemLink* third = bar->itemLinks().add();
    third->setItem(c);
    EXPECT_EQ(third->recentIndex(), 2);

    BarSubItem* sub = addSubItem("subFile");
    sub->itemLinks().add()->setItem(a);
    BarItemLink* subLink = sub->itemLinks().add();
    subLink->setItem(b);
    EXPECT_EQ(subLink->recentIndex(), 0);
}

TEST_F(LinkControlsTest, TheClickPathThroughAControl) {
    BarButton* check = addButton("btnCheck");
    check->setButtonStyle(bsChecked);
    BarButton* plain = addButton("btnPlain");
    Bar* bar = shownBar({check, plain});
    BarItemLink* checkLink = bar->itemLinks().items(0);
    BarItemLink* plainLink = bar->itemLinks().items(1);
    BarItemLink* seenLink = nullptr;
    check->OnClick.bind([&](Persistent*) {
        seenLink = check->clickItemLink();
        log.push_back("click btnCheck");
    });
    const int uses = checkLink->useCount();
    controlOf(checkLink)->click();
    EXPECT_TRUE(check->down());
    EXPECT_EQ(log, (Log{"btnCheck close drop-down", "click btnCheck"}));
    EXPECT_EQ(seenLink, checkLink);
    EXPECT_EQ(check->clickItemLink(), nullptr);
    EXPECT_EQ(checkLink->useCount(), uses + 1);
    EXPECT_EQ(controls_->menusHidden, 1);

    // A link built from another one's data marks and clicks through its source.
    BarItemLink* copy = bar->itemLinks().add();
    copy->setItem(check);
    copy->setSourceLink(plainLink);
    const int plainUses = plainLink->useCount();
    log.clear();
    controlOf(copy)->click();
    EXPECT_FALSE(check->down());
    EXPECT_EQ(seenLink, plainLink);
    EXPECT_EQ(plainLink->useCount(), plainUses + 1);
    EXPECT_EQ(plainLink->recentIndex(), 1);  // the source first, then the link itself
    EXPECT_EQ(copy->recentIndex(), 0);

    // A control that neither closes menus nor clicks only toggles.
    RecordingControl* control = controlOf(checkLink);
    control->closesMenus = false;
    control->clicks = false;
    log.clear();
    const int before = checkLink->useCount();
    control->click();
    EXPECT_TRUE(check->down());
    EXPECT_EQ(log, (Log{"btnCheck close drop-down"}));
    EXPECT_EQ(checkLink->useCount(), before);
    EXPECT_EQ(controls_->menusHidden, 2);
}

TEST_F(LinkControlsTest, TheHotLinkIsForgottenWithItsLinkAndItsCloseButtonArea) {
    BarButton* a = addButton("btnA");
    BarButton* b = addButton("btnB");
    Bar* bar = shownBar({a, b});
    BarManager& m = manager();
    m.setHotLink(bar->itemLinks().items(1));
    m.forgetHotLink(bar->itemLinks().items(0));
    EXPECT_EQ(m.hotLink(), bar->itemLinks().items(1));
    delete bar->itemLinks().items(1);
    EXPECT_EQ(m.hotLink(), nullptr);

    bar->setIsMainMenu(true);
    m.setHotLink(bar->itemLinks().items(0));
    m.setShowCloseButton(true);
    EXPECT_EQ(m.hotLink(), nullptr);
}

}  // namespace
}  // namespace lindora::test
