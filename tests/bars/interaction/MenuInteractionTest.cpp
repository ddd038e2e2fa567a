// Menu mode on toolbars and submenus of a shown test form: keyboard navigation on horizontal
// and vertical bars, Ctrl+Tab between bars, accelerators, the delayed opening and closing of a
// submenu's sub item, switching menus, clicks in menus and how menus appear.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bars/controls/BarControl.h"
#include "bars/controls/BarControls.h"
#include "bars/controls/BarSubItemControl.h"
#include "bars/controls/ItemControl.h"
#include "bars/controls/MenuAccelerator.h"
#include "bars/controls/MenuChain.h"
#include "bars/controls/SubMenuControl.h"
#include "bars/interaction/MenuFormTest.h"
#include "bars/model/Bar.h"
#include "bars/model/BarAction.h"
#include "bars/model/BarButton.h"
#include "bars/model/BarItemLinks.h"
#include "bars/model/BarManager.h"
#include "bars/model/BarSubItem.h"
#include "ui/WindowSystem.h"

namespace lindora::test {
namespace {

class MenuInteractionTest : public MenuFormTest {};

TEST(MenuAcceleratorTest, TheAcceleratorIsTheCharacterAfterTheLastSingleAmpersand) {
    struct Case {
        const char* caption;
        char expected;
    };
    for (const Case& c : {Case{"&File", 'F'}, Case{"E&xit", 'x'}, Case{"Save && Quit", 0}, Case{"A&&B&c", 'c'},
                          Case{"&a&b", 'b'}, Case{"Plain", 0}, Case{"Trailing&", 0}, Case{"&&&Bold", 'B'}})
        EXPECT_EQ(acceleratorChar(c.caption), c.expected) << c.caption;
}

TEST_F(MenuInteractionTest, ArrowsHomeAndEndMoveTheSelectionAndTurnOnAVerticalBar) {
    BarButton *a = button("A"), *b = button("B"), *c = button("C");
    Bar& horizontal = shownBar(dsTop, {a, b, c});
    Bar& vertical = shownBar(dsLeft, {button("D"), button("E"), button("F")});
    struct Step {
        unsigned key;
        int expected;  // index of the selected link
    };
    const std::vector<Step> horizontalSteps{{VK_RIGHT, 1}, {VK_RIGHT, 2}, {VK_RIGHT, 0}, {VK_LEFT, 2},
                                            {VK_HOME, 0},  {VK_END, 2},   {VK_TAB, 0},   {VK_DOWN, 0}};
    const std::vector<Step> verticalSteps{{VK_DOWN, 1}, {VK_DOWN, 2}, {VK_UP, 1},  {VK_RIGHT, 1},
                                          {VK_LEFT, 1}, {VK_END, 2},  {VK_HOME, 0}};
    for (auto [bar, steps] : {std::pair{&horizontal, horizontalSteps}, std::pair{&vertical, verticalSteps}}) {
        BarControl& w = window(*bar);
        w.activateMenuMode(nullptr);
        ASSERT_TRUE(w.active());
        for (const Step& s : steps) {
            key(s.key);
            const auto& links = bar->itemLinks().visibleLinks();
            ASSERT_NE(w.selectedControl(), nullptr);
            EXPECT_EQ(&w.selectedControl()->link(), links[static_cast<std::size_t>(s.expected)])
                << bar->caption() << " key " << s.key;
        }
        key(VK_ESCAPE);
        EXPECT_FALSE(w.active());
    }
}

TEST_F(MenuInteractionTest, CtrlTabMovesMenuModeToTheNextToolbarAndBackWrapping) {
    Bar& first = shownBar(dsTop, {button("A"), button("B")});
    Bar& second = shownBar(dsTop, {button("C")});
    window(first).activateMenuMode(nullptr);
    key(VK_TAB, {VK_CONTROL});
    EXPECT_FALSE(window(first).active());
    ASSERT_TRUE(window(second).active());
    EXPECT_EQ(MenuChain::head(), &window(second));
    key(VK_TAB, {VK_CONTROL});
    EXPECT_TRUE(window(first).active()) << "wraps at the end of the list";
    key(VK_TAB, {VK_CONTROL, VK_SHIFT});
    EXPECT_TRUE(window(second).active());
    key(VK_ESCAPE);
    EXPECT_FALSE(MenuChain::active());
}

TEST_F(MenuInteractionTest, AltWithAnAcceleratorClicksASoleButtonOpensASoleSubItemAndSelectsAmongSeveral) {
    BarButton* exit = button("E&xit");
    BarButton* edit = button("&Edit");
    BarButton* erase = button("&Erase");
    BarSubItem* file = subItem("&File", {button("&New")});
    // Toolbar buttons take accelerators when their caption shows.
    for (BarButton* b : {exit, edit, erase}) {
        b->setPaintStyle(psCaption);
        recordClicks(b);
    }
    Bar& bar = shownBar(dsTop, {file, edit, erase, exit});
    bar.setIsMainMenu(true);
    BarControl& w = window(bar);

    key('X', {VK_MENU});
    EXPECT_EQ(clicks, std::vector<std::string>{"E&xit"});
    EXPECT_FALSE(w.active());

    key('F', {VK_MENU});
    ASSERT_TRUE(w.active());
    ItemControl* fileControl = controlIn(w, file);
    ASSERT_NE(menuOf(fileControl), nullptr) << "the only link with F opens its menu";
    EXPECT_EQ(menuOf(fileControl)->selectedControl()->caption(), "&New");
    key(VK_ESCAPE);
    key(VK_ESCAPE);
    ASSERT_FALSE(w.active());

    key('E', {VK_MENU});
    ASSERT_TRUE(w.active());
    EXPECT_EQ(w.selectedControl(), controlIn(w, edit));
    key('E');
    EXPECT_EQ(w.selectedControl(), controlIn(w, erase)) << "in menu mode the key moves to the next match";
    EXPECT_EQ(clicks.size(), 1u) << "two links share E: nothing is clicked";
    key('X');
    EXPECT_EQ(clicks.back(), "E&xit") << "the only match is clicked by a synthetic Enter";
    EXPECT_FALSE(MenuChain::active());
}

// A field on the form that keeps the keys it receives, as the page or an edit would.
class KeyRecordingField : public Window {
public:
    std::vector<unsigned> sysKeys;

protected:
    void wndProc(Message& m) override {
        if (m.msg == WM_SYSKEYDOWN) sysKeys.push_back(static_cast<unsigned>(m.wParam));
        Window::wndProc(m);
    }
};

// A button class whose links take accelerators whatever its state: the observer itself must
// leave disabled links alone.
class AlwaysAcceleratedButton : public BarButton {
public:
    using BarButton::BarButton;
    bool canAccelerate(const BarItemLink&) const override { return true; }
};

TEST_F(MenuInteractionTest, AnAcceleratorThatOnlyDisabledLinksHaveGoesOnToTheFocusedWindow) {
    BarButton* exit = button("E&xit");
    BarButton* quit = new AlwaysAcceleratedButton(&form());
    quit->setCaption("&Quit");
    BarButton* edit = new AlwaysAcceleratedButton(&form());
    edit->setCaption("&Edit");
    BarButton* erase = button("&Erase");
    for (BarButton* b : {exit, quit, edit, erase}) {
        b->setPaintStyle(psCaption);
        recordClicks(b);
    }
    for (BarButton* b : {exit, quit, edit}) b->setEnabled(false);
    Bar& bar = shownBar(dsTop, {edit, erase, exit, quit});
    bar.setIsMainMenu(true);
    KeyRecordingField field;
    CreateParams cp;
    cp.style = WS_CHILD | WS_VISIBLE;
    cp.bounds = Rect(10, 100, 210, 130);
    cp.parent = &form();
    field.create(cp);
    windowSystem().setFocus(&field);

    for (unsigned vk : {'X', 'Q'}) {
        field.sysKeys.clear();
        key(vk, {VK_MENU});
        EXPECT_TRUE(clicks.empty());
        EXPECT_FALSE(window(bar).active()) << "Alt was not released alone: no menu mode either";
        EXPECT_EQ(field.sysKeys, (std::vector<unsigned>{VK_MENU, vk})) << "the key is not swallowed";
    }

    // Beside a disabled link the enabled one is the only match: it is clicked at once.
    field.sysKeys.clear();
    key('E', {VK_MENU});
    EXPECT_EQ(clicks, std::vector<std::string>{"&Erase"});
    EXPECT_EQ(field.sysKeys, std::vector<unsigned>{VK_MENU}) << "the used key is swallowed";
    EXPECT_FALSE(MenuChain::active());
}

TEST_F(MenuInteractionTest, AltReleasedAloneEntersTheMainMenuButNotAfterAClickWhileItWasHeld) {
    Bar& bar = shownBar(dsTop, {button("One"), button("Two")});
    bar.setIsMainMenu(true);
    BarControl& w = window(bar);
    const Point inForm = form().clientToScreen(Point(300, 300));

    platform().input().keyDown(VK_MENU);
    platform().input().click(inForm);
    platform().input().keyUp(VK_MENU);
    pump();
    EXPECT_FALSE(w.active()) << "Alt held for a click is no menu key";

    key(VK_MENU);
    EXPECT_TRUE(w.active());
}

TEST_F(MenuInteractionTest, ASubItemInASubmenuOpensAfter400MsAndClosesAfter400Ms) {
    BarSubItem* recent = subItem("Recent", {button("One"), button("Two")});
    BarButton* close = button("Close");
    BarSubItem* file = subItem("File", {button("New"), recent, close});
    Bar& bar = shownBar(dsTop, {file});
    clickAt(centreOf(controlIn(window(bar), file)));
    SubMenuControl* fileMenu = menuOf(controlIn(window(bar), file));
    ASSERT_NE(fileMenu, nullptr);

    ItemControl* recentControl = controlIn(*fileMenu, recent);
    moveTo(centreOf(recentControl));
    EXPECT_EQ(fileMenu->selectedControl(), recentControl);
    wait(399);
    EXPECT_EQ(menuOf(recentControl), nullptr);
    wait(1);
    SubMenuControl* recentMenu = menuOf(recentControl);
    ASSERT_NE(recentMenu, nullptr);
    EXPECT_EQ(MenuChain::head(), recentMenu);

    // Leaving for another item closes it after the delay, unless the mouse enters it.
    moveTo(centreOf(controlIn(*fileMenu, close)));
    wait(200);
    ASSERT_NE(menuOf(recentControl), nullptr);
    moveTo(centreOf(controlIn(*recentMenu, recent->itemLinks().items(0)->item())));
    wait(400);
    ASSERT_NE(menuOf(recentControl), nullptr) << "the mouse in the child menu keeps it";
    EXPECT_EQ(fileMenu->selectedControl(), recentControl);

    moveTo(centreOf(controlIn(*fileMenu, close)));
    wait(399);
    EXPECT_NE(menuOf(recentControl), nullptr);
    wait(1);
    EXPECT_EQ(menuOf(recentControl), nullptr);
    EXPECT_EQ(MenuChain::head(), fileMenu);
    EXPECT_FALSE(windowSystem().nextTimerDue().has_value() && BarSubItemControl::pending());
}

TEST_F(MenuInteractionTest, MovingToAnotherSubItemOfTheToolbarWhileAMenuIsOpenSwitchesAtOnce) {
    BarSubItem* file = subItem("File", {button("New")});
    BarSubItem* edit = subItem("Edit", {button("Copy")});
    Bar& bar = shownBar(dsTop, {file, edit});
    BarControl& w = window(bar);
    clickAt(centreOf(controlIn(w, file)));
    ASSERT_NE(menuOf(controlIn(w, file)), nullptr);
    moveTo(centreOf(controlIn(w, edit)));
    EXPECT_EQ(menuOf(controlIn(w, file)), nullptr);
    ASSERT_NE(menuOf(controlIn(w, edit)), nullptr);
    EXPECT_EQ(MenuChain::head(), menuOf(controlIn(w, edit)));
    EXPECT_TRUE(w.active());
}

TEST_F(MenuInteractionTest, AClickInASubmenuClosesTheChainAndTogglesACheckedButtonBeforeTheHandler) {
    BarButton* bold = button("Bold");
    bold->setButtonStyle(bsChecked);
    BarSubItem* format = subItem("Format", {bold});
    Bar& bar = shownBar(dsTop, {format});
    bool downSeen = false, chainSeen = true, menuSeen = true;
    bold->OnClick.bind([&](Persistent*) {
        downSeen = bold->down();
        chainSeen = MenuChain::active();
        menuSeen = menuOf(controlIn(window(bar), format)) != nullptr;
    });
    clickAt(centreOf(controlIn(window(bar), format)));
    SubMenuControl* menu = menuOf(controlIn(window(bar), format));
    ASSERT_NE(menu, nullptr);
    const Point at = centreOf(controlIn(*menu, bold));
    moveTo(at);
    clickAt(at);
    EXPECT_TRUE(downSeen);
    EXPECT_FALSE(chainSeen);
    EXPECT_FALSE(menuSeen);
    EXPECT_FALSE(window(bar).active());
}

TEST_F(MenuInteractionTest, AMenuOpenedByTheMouseAnimatesAndOneOpenedByTheKeyboardDoesNot) {
    manager().setMenuAnimations(maSlide);
    BarSubItem* file = subItem("File", {button("New"), button("Open"), button("Save")});
    Bar& bar = shownBar(dsTop, {file});
    BarControl& w = window(bar);
    clickAt(centreOf(controlIn(w, file)));
    ASSERT_NE(menuOf(controlIn(w, file)), nullptr);
    EXPECT_TRUE(menuOf(controlIn(w, file))->animating());
    key(VK_ESCAPE);
    EXPECT_EQ(menuOf(controlIn(w, file)), nullptr);
    EXPECT_TRUE(w.active());
    key(VK_DOWN);
    ASSERT_NE(menuOf(controlIn(w, file)), nullptr);
    EXPECT_FALSE(menuOf(controlIn(w, file))->animating());
}

TEST_F(MenuInteractionTest, TheMarkOfATruncatedBarTurnsHotUnderTheMouseAndAPressTogglesItOpen) {
    std::vector<BarItem*> many;
    for (int i = 0; i < 60; ++i) many.push_back(button("Button " + std::to_string(i)));
    Bar& bar = addBarLater();
    bar.setMultiLine(false);
    BarControl& w = window(shownBarInto(bar, many));
    const Rect mark = w.markRect();
    ASSERT_FALSE(mark.isEmpty());
    const Point over = w.clientToScreen(Point((mark.left + mark.right) / 2, (mark.top + mark.bottom) / 2));
    moveTo(over);
    EXPECT_EQ(w.markState(), MarkState::Hot);
    clickAt(over);
    EXPECT_EQ(w.markState(), MarkState::Open);
    wait(1000);
    clickAt(over);
    EXPECT_EQ(w.markState(), MarkState::Hot);
    moveTo(w.clientToScreen(Point(2, 2)));
    EXPECT_EQ(w.markState(), MarkState::Normal);
    EXPECT_FALSE(MenuChain::active());
}

TEST_F(MenuInteractionTest, ShortcutsClickItemsOfVisibleBarsAndInSubItemsButNotItemsTheirActionsDisable) {
    BarButton* save = button("Save");
    save->setShortCut('S' | scCtrl);
    BarButton* deep = button("Deep");
    deep->setShortCut(VK_F7);
    BarButton* gone = button("Gone");
    gone->setShortCut(VK_F8);
    auto* action = new BarAction(&form());
    action->OnUpdate.bind([action](Persistent*) { action->setEnabled(false); });
    gone->setAction(action);
    for (BarItem* i : {static_cast<BarItem*>(save), static_cast<BarItem*>(deep), static_cast<BarItem*>(gone)})
        recordClicks(i);
    shownBar(dsTop, {subItem("Menu", {deep})}).setIsMainMenu(true);
    shownBar(dsTop, {save, gone});
    key('S', {VK_CONTROL});
    key(VK_F7);
    key(VK_F8);
    key('S');
    EXPECT_EQ(clicks, (std::vector<std::string>{"Save", "Deep"}));
    EXPECT_FALSE(MenuChain::active());
}

TEST_F(MenuInteractionTest, HoveringSelectsAnItemWithoutMenuModeAndLeavingTheBarDropsIt) {
    BarButton* a = button("A");
    BarSubItem* menu = subItem("Menu", {button("Inside")});
    Bar& bar = shownBar(dsTop, {a, menu});
    BarControl& w = window(bar);
    moveTo(centreOf(controlIn(w, a)));
    EXPECT_EQ(w.selectedControl(), controlIn(w, a));
    EXPECT_TRUE(controlIn(w, a)->selectedByMouse());
    moveTo(centreOf(controlIn(w, menu)));
    EXPECT_EQ(w.selectedControl(), controlIn(w, menu));
    EXPECT_EQ(menuOf(controlIn(w, menu)), nullptr) << "no menu opens outside menu mode";
    EXPECT_FALSE(w.active());
    moveTo(form().clientToScreen(Point(400, 400)));
    EXPECT_EQ(w.selectedControl(), nullptr);
    EXPECT_FALSE(MenuChain::active());
}

TEST_F(MenuInteractionTest, TheKeyboardOpensAndClosesNestedMenusOneLevelAtATime) {
    BarSubItem* recent = subItem("Recent", {button("One"), button("Two")});
    BarSubItem* file = subItem("File", {button("New"), recent});
    Bar& bar = shownBar(dsTop, {file, button("Help")});
    bar.setIsMainMenu(true);
    BarControl& w = window(bar);
    key(VK_F10);
    ASSERT_EQ(w.selectedControl(), controlIn(w, file));
    key(VK_DOWN);
    SubMenuControl* fileMenu = menuOf(controlIn(w, file));
    ASSERT_NE(fileMenu, nullptr);
    key(VK_DOWN);
    ASSERT_EQ(fileMenu->selectedControl(), controlIn(*fileMenu, recent));
    key(VK_RIGHT);
    SubMenuControl* recentMenu = menuOf(controlIn(*fileMenu, recent));
    ASSERT_NE(recentMenu, nullptr);
    EXPECT_EQ(MenuChain::head(), recentMenu);
    EXPECT_EQ(recentMenu->selectedControl()->caption(), "One");
    key(VK_LEFT);
    EXPECT_EQ(menuOf(controlIn(*fileMenu, recent)), nullptr) << "Left closes a menu whose parent is a menu";
    EXPECT_EQ(MenuChain::head(), fileMenu);
    EXPECT_EQ(fileMenu->selectedControl(), controlIn(*fileMenu, recent));
    key(VK_RETURN);
    ASSERT_NE(menuOf(controlIn(*fileMenu, recent)), nullptr) << "Enter on a sub item opens it";
    key(VK_ESCAPE);
    key(VK_ESCAPE);
    EXPECT_EQ(MenuChain::head(), &w);
    EXPECT_EQ(w.selectedControl(), controlIn(w, file));
    key(VK_ESCAPE);
    EXPECT_FALSE(MenuChain::active());
}

TEST_F(MenuInteractionTest, HoveringOverTheScrollAreaOfACutMenuScrollsItEvery80Ms) {
    platform().setWorkArea(Rect(0, 0, 1000, 320));
    std::vector<BarItem*> items;
    for (int i = 0; i < 30; ++i) items.push_back(button("Item " + std::to_string(i)));
    BarSubItem* longMenu = addSubItem("long", "Long");
    for (BarItem* i : items) longMenu->itemLinks().add()->setItem(i);
    Bar& bar = shownBar(dsTop, {longMenu});
    clickAt(centreOf(controlIn(window(bar), longMenu)));
    SubMenuControl* menu = menuOf(controlIn(window(bar), longMenu));
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(menu->canScrollDown());
    const Rect down = menu->scrollDownRect();
    moveTo(menu->clientToScreen(Point((down.left + down.right) / 2, (down.top + down.bottom) / 2)));
    EXPECT_EQ(menu->scrollIndex(), 0);
    wait(80);
    EXPECT_EQ(menu->scrollIndex(), 1);
    wait(160);
    EXPECT_EQ(menu->scrollIndex(), 3);
    moveTo(centreOf(dynamic_cast<ItemControl*>(menu->laidOutLinks().front()->control())));
    wait(400);
    EXPECT_EQ(menu->scrollIndex(), 3) << "leaving the area stops the scrolling";
    EXPECT_FALSE(menu->scrolling());
}

TEST_F(MenuInteractionTest, ADisabledButtonNeitherEntersMenuModeNorClicks) {
    BarButton* off = button("Off");
    recordClicks(off);
    off->setEnabled(false);
    Bar& bar = shownBar(dsTop, {off, button("On")});
    clickAt(centreOf(controlIn(window(bar), off)));
    EXPECT_FALSE(window(bar).active());
    EXPECT_TRUE(clicks.empty());
}

TEST_F(MenuInteractionTest, FreeingASubItemWhoseMenusAreOpenClosesThemAndEndsTheChainCleanly) {
    BarSubItem* inner = subItem("Inner", {button("Deep")});
    BarSubItem* outer = subItem("Outer", {inner});
    Bar& bar = shownBar(dsTop, {outer});
    window(bar).activateMenuMode(nullptr);
    key(VK_DOWN);
    SubMenuControl* outerMenu = menuOf(controlIn(window(bar), outer));
    ASSERT_NE(outerMenu, nullptr);
    key(VK_RIGHT);
    ASSERT_NE(menuOf(controlIn(*outerMenu, inner)), nullptr);
    delete inner;
    EXPECT_EQ(MenuChain::head(), outerMenu);
    delete outer;
    EXPECT_EQ(MenuChain::head(), &window(bar));
    key(VK_ESCAPE);
    EXPECT_FALSE(MenuChain::active());
}

}  // namespace
}  // namespace lindora::test
