// The main window's toolbar worked as its main menu with the mouse and the keyboard on the
// offscreen backend: menu mode, the Help submenu, clicks, Alt and F10, shortcuts, Esc.
#include <vector>

#include "AppTestSupport.h"
#include "bars/controls/BarControl.h"
#include "bars/controls/BarSubItemControl.h"
#include "bars/controls/ItemControl.h"
#include "bars/controls/MenuChain.h"
#include "bars/controls/SubMenuControl.h"
#include "bars/model/Bar.h"
#include "bars/model/BarButton.h"
#include "bars/model/BarItemLinks.h"
#include "bars/model/BarManager.h"
#include "bars/model/BarSubItem.h"
#include "ui/Screen.h"
#include "ui/WindowSystem.h"

namespace lindora::test {
namespace {

class MainWindowMenuTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        createMain();
        app().processMessages();
    }

    BarControl& toolbar() {
        Bar& bar = *static_cast<Bar*>(form_->BarManager1->bars().items().front());
        return dynamic_cast<BarControl&>(*bar.control());
    }
    ItemControl* control(const BarItem* item) {
        for (BarItemLink* l : toolbar().itemLinks().visibleLinks())
            if (l->item() == item) return dynamic_cast<ItemControl*>(l->control());
        return nullptr;
    }
    BarSubItemControl& help() { return dynamic_cast<BarSubItemControl&>(*control(form_->BarSubItem1)); }
    SubMenuControl* helpMenu() { return dynamic_cast<SubMenuControl*>(help().subMenu()); }
    ItemControl* menuControl(const BarItem* item) {
        SubMenuControl* menu = helpMenu();
        if (!menu) return nullptr;
        for (BarItemLink* l : menu->itemLinks().visibleLinks())
            if (l->item() == item) return dynamic_cast<ItemControl*>(l->control());
        return nullptr;
    }
    Point centreOf(ItemControl* c) {
        const Rect r = c->itemRect();
        const Point p((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        return c->parent()->clientToScreen(p);
    }
    Point belowToolbar() { return form_->wbMain->clientToScreen(Point(200, 200)); }

    OffscreenInputDriver& input() { return platform().input(); }
    void key(unsigned vk, std::initializer_list<unsigned> modifiers = {}) {
        input().key(vk, modifiers);
        app().processMessages();
    }
    void moveTo(Point p) {
        input().mouseMove(p);
        app().processMessages();
    }
    void clickAt(Point p) {
        input().click(p);
        app().processMessages();
    }
    void wait(int ms) {
        platform().advance(ms);
        app().processMessages();
    }
    bool inMenuMode() { return toolbar().active(); }
    std::size_t navigations() { return engine().navigations().size(); }
};

// Records the keys that reach a window.
struct KeyRecorder {
    explicit KeyRecorder(Window& w) : window(w) {
        previous = w.setWindowProc([this](Message& m) {
            if (m.msg == WM_KEYDOWN || m.msg == WM_SYSKEYDOWN || m.msg == WM_CHAR)
                keys.push_back(m.msg == WM_CHAR ? 0 : unsigned(m.wParam));
            previous(m);
        });
    }
    ~KeyRecorder() { window.setWindowProc(previous); }
    Window& window;
    Window::WindowProc previous;
    std::vector<unsigned> keys;
};

TEST_F(MainWindowMenuTest, F10AndTheArrowsReachAboutWhoseEnterShowsTheInformationDialog) {
    key(VK_F10);
    ASSERT_TRUE(inMenuMode());
    EXPECT_EQ(toolbar().selectedControl(), control(form_->btnLogin));
    key(VK_RIGHT);
    key(VK_RIGHT);
    EXPECT_EQ(toolbar().selectedControl(), &help());
    key(VK_LEFT);
    EXPECT_EQ(toolbar().selectedControl(), control(form_->btnAutoLogin));
    key(VK_RIGHT);
    EXPECT_FALSE(help().isOpen()) << "selecting by keyboard opens nothing before a menu was opened";

    key(VK_DOWN);
    ASSERT_NE(helpMenu(), nullptr);
    EXPECT_TRUE(helpMenu()->isShown());
    EXPECT_FALSE(helpMenu()->animating());
    EXPECT_EQ(MenuChain::head(), helpMenu());
    EXPECT_EQ(helpMenu()->selectedControl(), menuControl(form_->btnHomePage));
    key(VK_DOWN);
    EXPECT_EQ(helpMenu()->selectedControl(), menuControl(form_->btnAbout));

    key(VK_RETURN);
    ASSERT_EQ(input().dialogs().size(), 1u);
    EXPECT_EQ(input().dialogs()[0].title, "Information");
    EXPECT_FALSE(help().isOpen());
    EXPECT_FALSE(inMenuMode());
    EXPECT_FALSE(MenuChain::active());
}

TEST_F(MainWindowMenuTest, EscClosesTheSubmenuAndKeepsHelpSelectedThenASecondEscEndsMenuMode) {
    key(VK_F10);
    key(VK_RIGHT);
    key(VK_RIGHT);
    key(VK_DOWN);
    ASSERT_TRUE(help().isOpen());
    key(VK_ESCAPE);
    EXPECT_FALSE(help().isOpen());
    EXPECT_TRUE(inMenuMode());
    EXPECT_EQ(toolbar().selectedControl(), &help());
    EXPECT_EQ(MenuChain::head(), &toolbar());
    key(VK_ESCAPE);
    EXPECT_FALSE(inMenuMode());
    EXPECT_FALSE(MenuChain::active());
    EXPECT_EQ(toolbar().selectedControl(), nullptr);
}

TEST_F(MainWindowMenuTest, LeftAndRightInTheSubmenuMoveAlongTheToolbar) {
    key(VK_F10);
    key(VK_RIGHT);
    key(VK_RIGHT);
    key(VK_DOWN);
    ASSERT_TRUE(help().isOpen());
    key(VK_RIGHT);
    EXPECT_FALSE(help().isOpen());
    EXPECT_EQ(toolbar().selectedControl(), control(form_->btnExit));
    key(VK_LEFT);
    ASSERT_TRUE(help().isOpen()) << "after a menu was opened, selecting a sub item opens it";
    EXPECT_EQ(helpMenu()->selectedControl(), menuControl(form_->btnHomePage));
    key(VK_LEFT);
    EXPECT_FALSE(help().isOpen());
    EXPECT_EQ(toolbar().selectedControl(), control(form_->btnAutoLogin));
}

TEST_F(MainWindowMenuTest, APressOnHelpOpensItsSubmenuAndASecondPressClosesIt) {
    const Point at = centreOf(&help());
    moveTo(at);
    EXPECT_FALSE(help().isOpen()) << "hovering over a toolbar sub item opens nothing";
    clickAt(at);
    ASSERT_TRUE(help().isOpen());
    EXPECT_TRUE(inMenuMode());
    EXPECT_EQ(helpMenu()->selectedControl(), nullptr) << "a menu opened by the mouse selects nothing";
    wait(1000);  // not a double click
    clickAt(at);
    EXPECT_FALSE(help().isOpen());
    EXPECT_FALSE(inMenuMode());
    EXPECT_FALSE(MenuChain::active());
}

TEST_F(MainWindowMenuTest, ClickingAboutInTheOpenSubmenuClosesTheMenuAndShowsTheDialog) {
    clickAt(centreOf(&help()));
    ASSERT_TRUE(help().isOpen());
    const Point about = centreOf(menuControl(form_->btnAbout));
    moveTo(about);
    EXPECT_EQ(helpMenu()->selectedControl(), menuControl(form_->btnAbout));
    clickAt(about);
    ASSERT_EQ(input().dialogs().size(), 1u);
    EXPECT_EQ(input().dialogs()[0].title, "Information");
    EXPECT_FALSE(help().isOpen());
    EXPECT_FALSE(MenuChain::active());
    EXPECT_EQ(windowSystem().capture(), nullptr);
}

TEST_F(MainWindowMenuTest, PressingAButtonAndReleasingOutsideRunsNoClickAndEndsMenuMode) {
    const std::size_t before = navigations();
    moveTo(centreOf(control(form_->btnLogin)));
    input().mousePress(MouseButton::Left);
    app().processMessages();
    EXPECT_TRUE(inMenuMode());
    EXPECT_EQ(windowSystem().capture(), &toolbar());
    EXPECT_TRUE(toolbar().mouseInPressedControl());
    moveTo(belowToolbar());
    EXPECT_FALSE(toolbar().mouseInPressedControl());
    input().mouseRelease(MouseButton::Left);
    app().processMessages();
    EXPECT_EQ(navigations(), before);
    EXPECT_FALSE(inMenuMode());
    EXPECT_EQ(windowSystem().capture(), nullptr);
}

TEST_F(MainWindowMenuTest, ClickingLoginNavigatesAutoLoginTogglesItsDownAndExitEnds) {
    const std::size_t before = navigations();
    clickAt(centreOf(control(form_->btnLogin)));
    EXPECT_EQ(navigations(), before + 1);
    EXPECT_FALSE(inMenuMode());
    const bool down = form_->btnAutoLogin->down();
    clickAt(centreOf(control(form_->btnAutoLogin)));
    EXPECT_NE(form_->btnAutoLogin->down(), down);
    clickAt(centreOf(control(form_->btnAutoLogin)));
    EXPECT_EQ(form_->btnAutoLogin->down(), down);
    clickAt(centreOf(control(form_->btnExit)));
    EXPECT_TRUE(app().terminated()) << "Exit ends the application";
}

TEST_F(MainWindowMenuTest, APressOutsideTheMenuClosesIt) {
    clickAt(centreOf(&help()));
    ASSERT_TRUE(help().isOpen());
    clickAt(belowToolbar());
    EXPECT_FALSE(help().isOpen());
    EXPECT_FALSE(MenuChain::active());
}

TEST_F(MainWindowMenuTest, AltAloneEntersTheMainMenuAndAltWithALetterFindsNothing) {
    key(VK_MENU);
    ASSERT_TRUE(inMenuMode());
    EXPECT_EQ(toolbar().selectedControl(), control(form_->btnLogin));
    key(VK_MENU);
    EXPECT_FALSE(inMenuMode()) << "Alt in menu mode ends it";

    key('H', {VK_MENU});
    EXPECT_FALSE(inMenuMode()) << "no caption carries an accelerator";
    input().keyDown(VK_MENU);
    input().key('L');
    input().keyUp(VK_MENU);
    app().processMessages();
    EXPECT_FALSE(inMenuMode()) << "Alt, another key, then Alt released does not enter the menu";
}

TEST_F(MainWindowMenuTest, F10WithUseF10ForMenuOffDoesNothing) {
    form_->BarManager1->setUseF10ForMenu(false);
    key(VK_F10);
    EXPECT_FALSE(inMenuMode());
}

TEST_F(MainWindowMenuTest, KeysTypedWhileAMenuIsOpenReachTheMenuNotTheFocusedControl) {
    windowSystem().setFocus(form_->wbMain);
    app().processMessages();
    KeyRecorder recorder(*form_->wbMain);
    key(VK_F10);
    ASSERT_TRUE(inMenuMode());
    recorder.keys.clear();  // F10 went down before the menu
    key(VK_RIGHT);
    key('X');
    key(VK_ESCAPE);
    EXPECT_FALSE(inMenuMode());
    EXPECT_TRUE(recorder.keys.empty()) << recorder.keys.size() << " keys reached the browser";
    EXPECT_EQ(windowSystem().focus(), form_->wbMain);
    key('Y');
    EXPECT_FALSE(recorder.keys.empty()) << "after the menu the keys go to the focused control again";
}

TEST_F(MainWindowMenuTest, AShortcutClicksItsItemUnlessTheItemIsDisabledThenTheKeyGoesOn) {
    windowSystem().setFocus(form_->wbMain);
    app().processMessages();
    KeyRecorder recorder(*form_->wbMain);
    form_->btnLogin->setShortCut(static_cast<int>(VK_F5) | scCtrl);
    const std::size_t before = navigations();
    key(VK_F5, {VK_CONTROL});
    EXPECT_EQ(navigations(), before + 1);
    EXPECT_TRUE(std::find(recorder.keys.begin(), recorder.keys.end(), unsigned(VK_F5)) == recorder.keys.end());

    form_->btnLogin->setEnabled(false);
    key(VK_F5, {VK_CONTROL});
    EXPECT_EQ(navigations(), before + 1);
    EXPECT_TRUE(std::find(recorder.keys.begin(), recorder.keys.end(), unsigned(VK_F5)) != recorder.keys.end());
}

TEST_F(MainWindowMenuTest, TheSubmenuOpenedNearTheBottomOfTheWorkAreaFlipsAboveHelp) {
    const Rect work = Screen::monitorFromPoint(form_->bounds().topLeft()).workArea;
    const Rect b = form_->bounds();
    // The toolbar ends a few pixels above the work area's bottom.
    const int toolbarBottom = static_cast<Window&>(toolbar()).clientToScreen(toolbar().clientRect()).bottom - b.top;
    form_->setBoundsTo(b.left, work.bottom - toolbarBottom - 5, b.width(), b.height());
    app().processMessages();
    clickAt(centreOf(&help()));
    ASSERT_TRUE(help().isOpen());
    const Rect helpOnScreen = static_cast<Window&>(toolbar()).clientToScreen(help().itemRect());
    EXPECT_TRUE(helpMenu()->placement().flippedUp);
    EXPECT_EQ(helpMenu()->bounds().bottom, helpOnScreen.top);
}

}  // namespace
}  // namespace lindora::test
