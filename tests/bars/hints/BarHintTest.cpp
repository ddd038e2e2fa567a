// Toolbar hints on the main window's toolbar, on the virtual clock: the show delay, the
// placement under (or above) the pointer, the auto-hide and the grace period after it, the
// cases that show nothing, and menu mode. The hint over the toolbar is also compared with a
// reference picture kept beside this test (written to hint-over-toolbar.png for looking at;
// LINDORA_UPDATE_REFERENCES=1 replaces the reference on purpose).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "bars/BarsTestSupport.h"
#include "bars/MainToolbarFixture.h"
#include "bars/controls/BarControl.h"
#include "bars/controls/BarControls.h"
#include "bars/controls/BarHint.h"
#include "bars/controls/BarSubItemControl.h"
#include "bars/controls/ItemControl.h"
#include "bars/controls/SubMenuWindow.h"
#include "bars/model/BarAction.h"
#include "bars/model/BarItemLinks.h"
#include "bars/painters/PainterTestSupport.h"
#include "base/FormDescription.h"
#include "gfx/Canvas.h"
#include "gfx/PersistentGraphics.h"
#include "support/ReferencePicture.h"
#include "ui/Screen.h"
#include "ui/WindowSystem.h"

namespace lindora::test {
namespace {

const std::string kReference = std::string(LINDORA_SOURCE_DIR) + "/tests/bars/hints/reference/hint-over-toolbar.png";

class BarHintTest : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        BarControls::install();
        form().createWindow(Rect(Point(100, 100), Size(600, 300)));
        readFormDescription(MainToolbarDescription, form());
        windowSystem().processMessages();
    }
    void TearDown() override {
        BarsTest::TearDown();
        BarControlsIntegration::install(nullptr);
    }

    BarManager& m() { return *dynamic_cast<BarManager*>(form().findComponent("BarManager1")); }
    BarItem* item(const char* name) { return dynamic_cast<BarItem*>(form().findComponent(name)); }
    BarControl& toolbar() { return dynamic_cast<BarControl&>(*m().bars().items(0)->control()); }
    ItemControl& control(const char* name) {
        for (BarItemLink* l : toolbar().itemLinks().visibleLinks())
            if (l->item() == item(name)) return dynamic_cast<ItemControl&>(*l->control());
        throw std::logic_error(std::string("no control for ") + name);
    }
    BarHintController& hints() { return *BarHintController::instance(); }
    BarHintWindow& hintWindow() { return hints().window(); }

    // Puts the pointer at `offset` inside the item's rectangle and selects the control there,
    // as hot tracking does. Returns the pointer's screen position.
    Point rest(const char* name, Point offset = Point(5, 5)) {
        const Rect r = control(name).itemRect();
        const Point p = toolbar().Window::clientToScreen(Point(r.left + offset.x, r.top + offset.y));
        platform().input().mouseMove(p);
        windowSystem().processMessages();
        toolbar().setSelectedControl(toolbar().controlAt(toolbar().screenToClient(p)));
        return p;
    }
    void leaveToolbar() { toolbar().setSelectedControl(nullptr); }
    void wait(int ms) { platform().advance(ms); }
    bool showing(const std::string& text) { return hintWindow().showing() && hintWindow().hintText() == text; }
    bool idle() { return !hintWindow().showing() && !hints().delayRunning() && !hints().graceRunning(); }
};

TEST_F(BarHintTest, TheHintWindowLivesWhileAManagerDoes) {
    ASSERT_NE(BarHintController::instance(), nullptr);
    const BarHintWindow& w = hintWindow();
    EXPECT_TRUE(w.handleAllocated());
    EXPECT_FALSE(w.isEnabledStyle()) << "it never takes input";
    EXPECT_TRUE(w.exStyle() & WS_EX_TOPMOST);
    EXPECT_TRUE(w.exStyle() & WS_EX_NOACTIVATE);
    EXPECT_TRUE(w.classStyle() & CS_SAVEBITS);
    EXPECT_EQ(const_cast<BarHintWindow&>(w).send(WM_NCHITTEST, 0, 0), HTTRANSPARENT);
    delete &m();
    EXPECT_EQ(BarHintController::instance(), nullptr) << "the last manager stops the services";
}

TEST_F(BarHintTest, LoginHintShowsAfterOneSecondBelowThePointerAndGoesTenSecondsLater) {
    const Point p = rest("btnLogin");
    wait(999);
    EXPECT_FALSE(hintWindow().showing());
    wait(1);
    ASSERT_TRUE(showing("Login"));
    EXPECT_EQ(hintWindow().bounds().topLeft(), Point(p.x, p.y + 20));
    EXPECT_NE(windowSystem().windowFromPoint(hintWindow().bounds().topLeft() + Point(2, 2)).window,
              static_cast<Window*>(&hintWindow()))
        << "the mouse passes through";
    EXPECT_NE(windowSystem().activeWindow(), static_cast<Window*>(&hintWindow()));
    wait(9999);
    EXPECT_TRUE(showing("Login"));
    wait(1);
    EXPECT_FALSE(hintWindow().showing());
    wait(400);
    EXPECT_TRUE(idle()) << "no timer left running";
}

TEST_F(BarHintTest, TheNextItemShowsAtOnceWithinTheGracePeriodOnly) {
    struct Case {
        const char* name;
        bool autoHide;  // the first hint hides by its timer, else by leaving the toolbar
        int gap;        // ms between the hiding and resting on Exit
        bool atOnce;
    };
    for (const Case& c : {Case{"timed out, 399 ms", true, 399, true}, Case{"timed out, 400 ms", true, 400, false},
                          Case{"left, 200 ms", false, 200, true}, Case{"left, 400 ms", false, 400, false}}) {
        SCOPED_TRACE(c.name);
        rest("btnLogin");
        wait(1000);
        ASSERT_TRUE(showing("Login"));
        if (c.autoHide) wait(10000);
        else leaveToolbar();
        ASSERT_FALSE(hintWindow().showing());
        wait(c.gap);
        rest("btnExit");
        EXPECT_EQ(showing("Exit"), c.atOnce);
        if (!c.atOnce) {
            wait(1000);
            EXPECT_TRUE(showing("Exit")) << "after the usual delay";
        }
        leaveToolbar();
        wait(400);
        EXPECT_TRUE(idle());
    }
}

TEST_F(BarHintTest, MovingAlongTheToolbarWhileAHintShowsSwitchesItAtOnce) {
    rest("btnLogin");
    wait(1000);
    ASSERT_TRUE(showing("Login"));
    const Point p = rest("btnExit");
    EXPECT_TRUE(showing("Exit"));
    EXPECT_EQ(hintWindow().bounds().topLeft(), Point(p.x, p.y + 20));
}

TEST_F(BarHintTest, PlacementStaysInTheWorkArea) {
    const Rect area(0, 0, 800, 600);
    struct Case {
        Point point;
        Size size;
        Point expected;
    } cases[] = {
        {{100, 120}, {40, 20}, {100, 120}},  // room below: at the point
        {{780, 120}, {40, 20}, {760, 120}},  // past the right: ends at the right edge
        {{100, 590}, {40, 20}, {100, 550}},  // past the bottom: above the cursor (590-20-20)
        {{-30, -10}, {40, 20}, {0, 0}},      // clamped to the left and top
        {{10, 595}, {900, 700}, {0, 0}},     // larger than the area: the top-left stays in
    };
    for (const Case& c : cases)
        EXPECT_EQ(BarHintPlacement(c.point, c.size, area, 20), Rect(c.expected, c.size))
            << c.point.x << "," << c.point.y;
}

TEST_F(BarHintTest, AHintNearTheBottomOfTheWorkAreaGoesAboveThePointer) {
    const Rect r = control("btnLogin").itemRect();
    const Point inItem = toolbar().Window::clientToScreen(Point(r.left + 5, r.top + 5));
    platform().setWorkArea(Rect(0, 0, 1280, inItem.y + 25));
    const Point p = rest("btnLogin");
    wait(1000);
    ASSERT_TRUE(showing("Login"));
    const Rect hint = hintWindow().bounds();
    EXPECT_EQ(hint.left, p.x);
    EXPECT_EQ(hint.bottom, p.y) << "its bottom at the pointer: " << hint.top << ".." << hint.bottom;
}

TEST_F(BarHintTest, ItemsThatShowNoHint) {
    struct Case {
        const char* name;
        std::function<void(BarManager&, BarItem&)> setUp;
        std::string expected;  // empty: no hint
    };
    const Case cases[] = {
        {"empty Hint", [](BarManager&, BarItem& login) { login.setHint(""); }, ""},
        {"long part after |", [](BarManager&, BarItem& login) { login.setHint("Login|Opens the service"); }, "Login"},
        {"ShowHint off", [](BarManager& bm, BarItem&) { bm.setShowHint(false); }, ""},
        {"disabled, shown by default", [](BarManager&, BarItem& login) { login.setEnabled(false); }, "Login"},
        {"disabled, ShowHintForDisabledItems off",
         [](BarManager& bm, BarItem& login) {
             login.setEnabled(false);
             bm.setShowHintForDisabledItems(false);
         },
         ""},
        {"shortcut without ShowShortCutInHint", [](BarManager&, BarItem& login) { login.setShortCut(scCtrl | 'L'); },
         "Login"},
        {"shortcut with ShowShortCutInHint",
         [](BarManager& bm, BarItem& login) {
             login.setShortCut(scCtrl | 'L');
             bm.setShowShortCutInHint(true);
         },
         "Login (Ctrl+L)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        item("btnLogin")->setHint("Login");
        item("btnLogin")->setEnabled(true);
        item("btnLogin")->setShortCut(0);
        m().setShowHint(true);
        m().setShowHintForDisabledItems(true);
        m().setShowShortCutInHint(false);
        c.setUp(m(), *item("btnLogin"));
        rest("btnLogin");
        wait(1000);
        if (c.expected.empty()) EXPECT_FALSE(hintWindow().showing());
        else EXPECT_TRUE(showing(c.expected)) << hintWindow().hintText();
        leaveToolbar();
        wait(10400);
        EXPECT_TRUE(idle());
    }
}

TEST_F(BarHintTest, TurningHintsOffTakesAShownHintAway) {
    rest("btnLogin");
    wait(1000);
    ASSERT_TRUE(showing("Login"));
    m().setShowHint(false);
    rest("btnExit");
    EXPECT_TRUE(idle());
}

TEST_F(BarHintTest, TheSelectedItemMustBeUnderThePointer) {
    rest("btnLogin");
    // The keyboard moves the selection elsewhere; the pointer stays on Login.
    toolbar().setSelectedControl(&control("btnExit"));
    wait(1000);
    EXPECT_FALSE(hintWindow().showing());
}

TEST_F(BarHintTest, MenuModeHidesTheHintAndShowsNone) {
    rest("btnLogin");
    wait(1000);
    ASSERT_TRUE(showing("Login"));
    toolbar().setActive(true);
    EXPECT_FALSE(hintWindow().showing());
    EXPECT_FALSE(hints().hintMode());
    // Selections in menu mode wait for nothing.
    rest("btnExit");
    EXPECT_FALSE(hints().delayRunning());
    wait(1000);
    EXPECT_FALSE(hintWindow().showing());
    toolbar().setActive(false);
    leaveToolbar();
    wait(400);
    EXPECT_TRUE(idle()) << "no timer left running";
}

TEST_F(BarHintTest, TheHelpSubmenusItemsShowNoHints) {
    rest("BarSubItem1");
    auto& help = dynamic_cast<BarSubItemControl&>(control("BarSubItem1"));
    toolbar().setActive(true);
    help.setOpenedByMouse(true);
    help.openSubMenu();
    SubMenuWindow* menu = help.subMenu();
    ASSERT_NE(menu, nullptr);
    auto* about = dynamic_cast<ItemControl*>(menu->itemLinks().visibleLinks()[1]->control());
    ASSERT_NE(about, nullptr);
    const Rect r = about->itemRect();
    platform().input().mouseMove(menu->clientToScreen(Point(r.left + 5, r.top + 5)));
    windowSystem().processMessages();
    menu->setSelectedControl(about);
    wait(1000);
    EXPECT_FALSE(hintWindow().showing());
    help.closeSubMenu();
    toolbar().setActive(false);
}

TEST_F(BarHintTest, TheApplicationGoingInactiveTakesTheHintAway) {
    rest("btnLogin");
    wait(1000);
    ASSERT_TRUE(showing("Login"));
    platform().notify(SystemChange::AppDeactivated);
    EXPECT_FALSE(hintWindow().showing());
    EXPECT_EQ(toolbar().selectedControl(), nullptr);
    wait(400);
    EXPECT_TRUE(idle());
}

TEST_F(BarHintTest, ExplicitTextsShowWithoutAnItem) {
    const Point p = rest("btnLogin");
    leaveToolbar();
    wait(400);
    hints().setHintActive(m(), true, BarHintController::MoreButtonsText);
    wait(1000);
    ASSERT_TRUE(showing("More Buttons"));
    EXPECT_EQ(hintWindow().bounds().topLeft(), Point(p.x, p.y + 20));
    hints().setHintActive(m(), true, BarHintController::ExpandText);
    EXPECT_TRUE(showing("Expand (Ctrl-Down)")) << "a hint already shows: at once";
    hints().setHintActive(m(), false);
    EXPECT_FALSE(hintWindow().showing());
    wait(400);
    EXPECT_TRUE(idle());
}

TEST_F(BarHintTest, TheHintWindowIsSizedForItsTextInTheStatusFont) {
    rest("btnLogin");
    wait(1000);
    ASSERT_TRUE(showing("Login"));
    Canvas measure(1, 1);
    measure.setFont(hintWindow().hintFont());
    EXPECT_EQ(hintWindow().bounds().size(), Size(measure.textWidth("Login") + 6, measure.textHeight("Login") + 6));
    EXPECT_EQ(hintWindow().hintFont().name(), Screen::nonClientFonts().status.family);
    m().setUseSystemFont(false);
    m().setScaled(false);
    m().font().setHeight(-20);
    rest("btnExit");
    EXPECT_EQ(hintWindow().hintFont().height(), -20) << "the manager's Font without UseSystemFont";
}

TEST_F(BarHintTest, TheHintOverTheToolbarMatchesTheReference) {
    SchemeGuard classic;
    auto* images = dynamic_cast<ImageListComponent*>(form().findComponent("imgMenu"));
    ASSERT_NE(images, nullptr);
    for (const char* name : {"about", "exit", "help", "login"})
        images->images().addPNG(std::string(LINDORA_SOURCE_DIR) + "/src/app/glyphs/" + name + ".png");
    const Point p = rest("btnLogin", Point(12, 12));
    wait(1000);
    ASSERT_TRUE(showing("Login"));
    windowSystem().paintPending();
    const Bitmap screen = platform().screen().grabScreen();
    const Rect bar = toolbar().windowRectOnScreen();
    const Rect area{bar.left, bar.top, bar.left + 260, hintWindow().bounds().bottom + 8};
    Bitmap picture(area.width(), area.height());
    Canvas(picture).copyRect(picture.bounds(), screen, area);
    EXPECT_EQ(hintWindow().bounds().topLeft(), Point(p.x, p.y + 20));

    expectMatchesReference(picture, kReference, "hint-over-toolbar");
}

TEST_F(BarHintTest, AnItemsActionAdjustsItsHintOrRefusesIt) {
    auto* action = new BarAction(&form());
    action->setCaption("Login");
    action->setHint("Login");
    item("btnLogin")->setAction(action);
    bool refuse = false;
    std::string seen;
    action->OnHint.bind([&](std::string& hint, bool& canShow) {
        seen = hint;
        if (refuse) canShow = false;
        else hint = "Log in to the service";
    });

    rest("btnLogin");
    wait(1000);
    EXPECT_EQ(seen, "Login") << "the action sees the item's short hint";
    EXPECT_TRUE(showing("Log in to the service"));
    leaveToolbar();
    wait(400);

    refuse = true;
    rest("btnLogin");
    wait(1000);
    EXPECT_FALSE(hintWindow().showing());
    EXPECT_FALSE(hints().hintMode()) << "a refused hint ends hint mode";
    EXPECT_TRUE(idle());
}

}  // namespace
}  // namespace lindora::test
