// What a manager does when its owner form's window is told something: activation and the
// application's deactivation hide or keep the floating bars, minimising and hiding the form
// hide them, restoring shows them without taking the activation, work-area and display changes
// bring them back on screen, and system colour changes reach the painters and the bars.
#include <gtest/gtest.h>

#include "bars/BarsTestSupport.h"
#include "bars/controls/BarControl.h"
#include "bars/controls/BarControls.h"
#include "bars/controls/ItemControl.h"
#include "bars/model/Bar.h"
#include "bars/model/BarItemLinks.h"
#include "bars/painters/BarItemControlPainter.h"
#include "bars/painters/PainterBrushes.h"
#include "bars/painters/PainterTestSupport.h"
#include "ui/WindowSystem.h"

namespace lindora::test {
namespace {

// The real controls, counting the requests to close every open menu.
class CountingControls : public BarControls {
public:
    void hideAllMenus() override { ++menusHidden; }
    int menusHidden = 0;
};

class FormObserverTest : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        auto controls = std::make_unique<CountingControls>();
        controls_ = controls.get();
        BarControlsIntegration::install(std::move(controls));
        form().createWindow(Rect(Point(100, 100), Size(600, 400)));
        windowSystem().processMessages();
    }
    void TearDown() override {
        BarsTest::TearDown();
        BarControlsIntegration::install(nullptr);
    }

    // A shown bar with one button, floating with its client's top-left at `at`.
    Bar& floatingBar(Point at, const std::string& caption = "Tools") {
        Bar* bar = addBar(caption);
        BarItemLink* link = bar->itemLinks().add();
        link->setItem(addButton("btn" + std::to_string(++buttons_), "Button"));
        bar->setDockingStyle(dsNone);
        bar->setFloatLeft(at.x);
        bar->setFloatTop(at.y);
        bar->setVisible(true);
        return *bar;
    }
    static BarControl& window(Bar& bar) { return dynamic_cast<BarControl&>(*bar.control()); }
    static bool shown(Bar& bar) { return bar.control() && window(bar).isVisibleStyle(); }
    void deactivateApp() { platform().notify(SystemChange::AppDeactivated); }
    void activateApp() { platform().notify(SystemChange::AppActivated); }

    CountingControls* controls_ = nullptr;
    int buttons_ = 0;
};

TEST_F(FormObserverTest, TheFloatingBarShowsWhileTheFormIsActive) {
    Bar& bar = floatingBar({300, 300});
    ASSERT_EQ(windowSystem().activeWindow(), static_cast<Window*>(&form()));
    EXPECT_TRUE(shown(bar));
    EXPECT_EQ(window(bar).dockingStyle(), dsNone);
}

TEST_F(FormObserverTest, ApplicationDeactivationHidesOrKeepsFloatingBarsByTheManagersRule) {
    for (bool hide : {true, false}) {
        SCOPED_TRACE(hide ? "HideFloatingBarsWhenInactive" : "kept when inactive");
        manager().setHideFloatingBarsWhenInactive(hide);
        Bar& bar = floatingBar({300, 300}, hide ? "Hidden" : "Kept");
        const Rect before = window(bar).bounds();
        const int menusBefore = controls_->menusHidden;
        deactivateApp();
        EXPECT_EQ(shown(bar), !hide);
        EXPECT_GT(controls_->menusHidden, menusBefore) << "an open menu closes";
        EXPECT_FALSE(manager().ownerFormActive());
        activateApp();
        EXPECT_TRUE(shown(bar));
        EXPECT_EQ(window(bar).bounds(), before) << "its position is kept";
        EXPECT_EQ(windowSystem().activeWindow(), static_cast<Window*>(&form())) << "shown without activation";
        EXPECT_TRUE(manager().ownerFormActive());
    }
}

TEST_F(FormObserverTest, DeactivationInFavourOfAnotherFormHidesButNotForAPlainWindow) {
    Bar& bar = floatingBar({300, 300});
    // A popup of the program that is not a form (a message box, a list) leaves the bars.
    Window popup;
    CreateParams cp;
    cp.style = WS_POPUP;
    cp.bounds = Rect(50, 50, 150, 150);
    popup.create(cp);
    popup.show(true);
    ASSERT_EQ(windowSystem().activeWindow(), &popup);
    EXPECT_TRUE(shown(bar));
    form().show();
    windowSystem().setActiveWindow(&form());
    ASSERT_TRUE(shown(bar));

    TestForm other;
    other.createWindow(Rect(Point(700, 100), Size(200, 200)));
    windowSystem().setActiveWindow(&other);
    ASSERT_EQ(windowSystem().activeWindow(), static_cast<Window*>(&other));
    EXPECT_FALSE(shown(bar));
    windowSystem().setActiveWindow(&form());
    EXPECT_TRUE(shown(bar));
}

TEST_F(FormObserverTest, MinimisingHidesFloatingBarsAndRestoringShowsThemWithoutActivation) {
    manager().setHideFloatingBarsWhenInactive(false);
    Bar& bar = floatingBar({300, 300});
    form().send(WM_SYSCOMMAND, SC_MINIMIZE);
    EXPECT_EQ(form().showState(), ShowState::Minimized);
    EXPECT_FALSE(shown(bar));
    form().send(WM_SYSCOMMAND, SC_RESTORE);
    EXPECT_EQ(form().showState(), ShowState::Normal);
    EXPECT_TRUE(shown(bar));
    EXPECT_NE(windowSystem().activeWindow(), static_cast<Window*>(&window(bar)));
    form().send(WM_SYSCOMMAND, SC_MAXIMIZE);
    EXPECT_TRUE(shown(bar));
}

TEST_F(FormObserverTest, HidingTheFormHidesFloatingBarsEvenWhenTheyStayForInactiveForms) {
    manager().setHideFloatingBarsWhenInactive(false);
    Bar& bar = floatingBar({300, 300});
    form().hide();
    EXPECT_FALSE(shown(bar));
    form().show();
    windowSystem().setActiveWindow(&form());
    EXPECT_TRUE(shown(bar));
}

TEST_F(FormObserverTest, ChangingTheRuleAppliesItAtOnce) {
    manager().setHideFloatingBarsWhenInactive(false);
    Bar& bar = floatingBar({300, 300});
    deactivateApp();
    ASSERT_TRUE(shown(bar));
    manager().setHideFloatingBarsWhenInactive(true);
    EXPECT_FALSE(shown(bar)) << "the form is inactive";
    manager().setHideFloatingBarsWhenInactive(false);
    EXPECT_TRUE(shown(bar));
}

TEST(FormObserverCreation, BarsLoadedBeforeTheFormHadAWindowShowWhenItGetsOne) {
    OffscreenIntegration::install();
    BarFramework::startUp();
    BarControlsIntegration::install(std::make_unique<BarControls>());
    {
        TestForm form;
        auto* manager = new BarManager(&form);
        Bar* bar = manager->bars().add();
        bar->setCaption("Tools");
        bar->itemLinks().add()->setItem(new BarButton(&form));
        bar->setDockingStyle(dsTop);
        bar->setVisible(true);
        auto* before = dynamic_cast<BarControl*>(bar->control());
        ASSERT_TRUE(!before || !before->isWindowVisible()) << "nothing to show it in yet";
        form.createWindow(Rect(Point(100, 100), Size(400, 300)));
        ASSERT_NE(bar->control(), nullptr);
        auto& w = dynamic_cast<BarControl&>(*bar->control());
        EXPECT_TRUE(w.isWindowVisible());
        EXPECT_EQ(w.parent(), manager->bars().dockControl(dsTop));
        EXPECT_GT(manager->bars().dockControl(dsTop)->bounds().height(), 0);
    }
    BarControlsIntegration::install(nullptr);
}

TEST_F(FormObserverTest, ApplicationDeactivationDropsTheHotItem) {
    Bar& bar = floatingBar({300, 300});
    BarControl& w = window(bar);
    auto* control = dynamic_cast<ItemControl*>(bar.itemLinks().visibleLinks()[0]->control());
    ASSERT_NE(control, nullptr);
    w.setSelectedControl(control);
    ASSERT_EQ(manager().hotLink(), &control->link());
    deactivateApp();
    EXPECT_EQ(w.selectedControl(), nullptr);
    EXPECT_EQ(manager().hotLink(), nullptr);
}

TEST_F(FormObserverTest, WorkAreaAndDisplayChangesBringFloatingBarsBackOnScreen) {
    struct Case {
        const char* name;
        Point at;
        bool display;  // told by a display change, else by a work-area change
    } cases[] = {
        {"out at the bottom right", {1150, 950}, false},
        {"out at the top left", {-80, -40}, false},
        {"display change", {1150, 950}, true},
    };
    const Rect area(0, 0, 1000, 800);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform().setWorkArea(Rect(0, 0, 1280, 1024));
        Bar& bar = floatingBar({300, 300});
        window(bar).move(c.at);
        const Size size = window(bar).bounds().size();
        if (c.display) {
            platform().setWorkArea(area);
            window(bar).move(c.at);
            platform().notify(SystemChange::Display);
        } else {
            platform().setWorkArea(area);
        }
        const Rect b = window(bar).bounds();
        EXPECT_EQ(b.size(), size);
        EXPECT_TRUE(area.contains(b.topLeft()) && b.right <= area.right && b.bottom <= area.bottom)
            << b.left << "," << b.top << " " << b.right << "," << b.bottom;
        EXPECT_TRUE(b.left == area.left || b.right == area.right) << "moved only as far as needed";
    }
}

TEST_F(FormObserverTest, ABarWithoutAWindowGetsItsFloatPositionBackOnScreen) {
    Bar& bar = floatingBar({300, 300});
    bar.setVisible(false);
    ASSERT_EQ(bar.control(), nullptr);
    bar.setFloatLeft(1500);
    bar.setFloatTop(100);
    bar.setFloatClientHeight(2000);  // taller than the area: the top wins
    platform().setWorkArea(Rect(0, 50, 1000, 800));
    EXPECT_EQ(bar.floatLeft(), 1000 - bar.floatClientWidth());
    EXPECT_EQ(bar.floatTop(), 50);
}

TEST_F(FormObserverTest, ASystemColourChangeRebuildsTheBrushesAndRepaintsFloatingBars) {
    SchemeGuard scheme;
    Bar& bar = floatingBar({300, 300});
    windowSystem().paintPending();
    const PainterBrushes& brushes = ManagerBrushes(&manager());
    platform().setSystemColor(COLOR_BTNFACE, RGB(90, 140, 190));
    EXPECT_FALSE(brushes.stale()) << "rebuilt when the form was told";
    EXPECT_FALSE(window(bar).invalidArea().isEmpty());
}

}  // namespace
}  // namespace lindora::test
