// The manager: owner rules, look-ups, derived values, docking answers, dock sites and life.
#include <gtest/gtest.h>

#include "BarsTestSupport.h"
#include "TestControlsIntegration.h"
#include "bars/model/BarEdit.h"
#include "bars/model/DockControl.h"
#include "bars/model/FormLink.h"

namespace lindora::test {
namespace {

using BarManagerTest = BarsTest;

TEST_F(BarManagerTest, RefusesOwnersThatAreNotFormsAndASecondManager) {
    NotAForm notAForm;
    EXPECT_THROW(
        {
            try {
                BarManager m(&notAForm);
            } catch (const EBarError& e) {
                EXPECT_STREQ(e.what(), "TBarManager should have as its Owner - TForm (TCustomForm)");
                throw;
            }
        },
        EBarError);
    EXPECT_EQ(notAForm.componentCount(), 0);

    // Without an owner and without a main form there is no form to take.
    EXPECT_THROW(BarManager m(nullptr), EBarError);

    manager();
    try {
        new BarManager(&form());
        FAIL() << "a second manager was accepted";
    } catch (const EBarError& e) {
        EXPECT_STREQ(e.what(), "A Form should contain only a single TBarManager");
    }
    EXPECT_EQ(BarFramework::managerList().count(), 1);
    EXPECT_EQ(form().componentCount(), 1);
}

TEST_F(BarManagerTest, WithoutOwnerTakesTheApplicationsMainForm) {
    setApplicationLink({[this] { return static_cast<Component*>(&form()); }, {}, {}});
    auto* m = new BarManager(nullptr);
    EXPECT_EQ(m->owner(), &form());
    EXPECT_EQ(BarFramework::managerList().managerByForm(&form()), m);
    setApplicationLink({});
}

TEST_F(BarManagerTest, NewManagerHasTheDocumentedDefaults) {
    BarManager& m = manager();
    EXPECT_EQ(m.style(), bmsEnhanced);
    EXPECT_EQ(m.categories().count(), 1);
    EXPECT_EQ(m.categories()[0], "Default");
    EXPECT_TRUE(m.useSystemFont());
    EXPECT_EQ(m.buttonArrowWidth(), 11);
    EXPECT_EQ(m.largeButtonArrowWidth(), 13);
    EXPECT_EQ(m.mostRecentItemsPercents(), 95);
    EXPECT_EQ(m.initialUseCount(), 20);
    EXPECT_EQ(m.waitForDockingTime(), 21);
    EXPECT_EQ(m.imageListBkColor(), Color(0xFF00FF));
    EXPECT_EQ(m.iconSize(), 16);
    EXPECT_EQ(m.bars().count(), 0);
    for (BarDockingStyle s : {dsLeft, dsTop, dsRight, dsBottom}) {
        ASSERT_NE(m.bars().dockControl(s), nullptr);
        EXPECT_EQ(m.bars().dockControl(s)->dockingStyle(), s);
    }
    EXPECT_EQ(m.bars().dockControl(dsNone), nullptr);
}

TEST_F(BarManagerTest, ItemsOutOfRangeAreNoneAndNamesIgnoreCase) {
    BarButton* a = addButton("btnOpen");
    BarButton* b = addButton("btnSave");
    BarManager& m = manager();
    EXPECT_EQ(m.itemCount(), 2);
    EXPECT_EQ(m.items(0), a);
    EXPECT_EQ(m.items(1), b);
    EXPECT_EQ(m.items(-1), nullptr);
    EXPECT_EQ(m.items(m.itemCount()), nullptr);
    EXPECT_EQ(m.itemByName("BTNSAVE"), b);
    EXPECT_EQ(m.itemByName("btnNone"), nullptr);
    delete a;
    EXPECT_EQ(m.itemCount(), 1);
    EXPECT_EQ(m.items(0), b);
}

TEST_F(BarManagerTest, BarByCaptionIsCaseSensitive) {
    Bar* bar = addBar("Main Toolbar");
    EXPECT_EQ(manager().barByCaption("Main Toolbar"), bar);
    EXPECT_EQ(manager().barByCaption("main toolbar"), nullptr);
}

TEST_F(BarManagerTest, InitialUseCountFollowsMostRecentItemsPercents) {
    struct Case {
        int percents, initialUseCount, stored;
    };
    const Case cases[] = {{100, 0, 100}, {95, 20, 95}, {50, 2, 50}, {0, 1, 0}, {99, 100, 99}, {150, 0, 100}};
    for (const Case& c : cases) {
        manager().setMostRecentItemsPercents(c.percents);
        EXPECT_EQ(manager().mostRecentItemsPercents(), c.stored) << c.percents;
        EXPECT_EQ(manager().initialUseCount(), c.initialUseCount) << c.percents;
    }
}

TEST_F(BarManagerTest, EffectiveStyleAndPainter) {
    struct Case {
        BarManagerStyle style;
        LookAndFeelKind kind;
        BarManagerStyle effective;
        const char* painter;
    };
    const Case cases[] = {
        {bmsUseLookAndFeel, lfUltraFlat, bmsFlat, "BarItemControlFlatPainter"},
        {bmsUseLookAndFeel, lfFlat, bmsEnhanced, "BarItemControlEnhancedPainter"},
        {bmsUseLookAndFeel, lfStandard, bmsStandard, "BarItemControlStandardPainter"},
        {bmsUseLookAndFeel, lfOffice11, bmsOffice11, "BarItemControlOffice11Painter"},
        {bmsXP, lfFlat, bmsXP, "BarItemControlEnhancedPainter"},  // no themes: enhanced
        {bmsFlat, lfStandard, bmsFlat, "BarItemControlFlatPainter"},
        {bmsStandard, lfFlat, bmsStandard, "BarItemControlStandardPainter"},
    };
    for (const Case& c : cases) {
        manager().lookAndFeel().setKind(c.kind);
        manager().setStyle(c.style);
        EXPECT_EQ(manager().effectiveStyle(), c.effective) << c.painter;
        EXPECT_EQ(painterClassName(manager().getPainterClass()), c.painter);
        EXPECT_EQ(manager().isStyleNotStandard(), c.effective != bmsStandard);
    }
    manager().setStyle(bmsUseLookAndFeel);
    manager().lookAndFeel().setNativeStyle(true);
    manager().lookAndFeel().setKind(lfUltraFlat);
    EXPECT_EQ(manager().effectiveStyle(), bmsFlat);  // native style needs active themes
}

TEST_F(BarManagerTest, SetterRulesIgnoreOutOfRangeValues) {
    BarManager& m = manager();
    m.setButtonArrowWidth(1);
    EXPECT_EQ(m.buttonArrowWidth(), 11);
    m.setButtonArrowWidth(2);
    EXPECT_EQ(m.buttonArrowWidth(), 2);
    m.setLargeButtonArrowWidth(0);
    EXPECT_EQ(m.largeButtonArrowWidth(), 13);
    m.setWaitForDockingTime(-1);
    EXPECT_EQ(m.waitForDockingTime(), 21);
    m.setWaitForDockingTime(0);
    EXPECT_EQ(m.waitForDockingTime(), 0);
    m.setLargeIcons(true);
    EXPECT_EQ(m.iconSize(), 32);
}

TEST_F(BarManagerTest, DockColorFollowsTheFormUntilSet) {
    form().setColor(Color(0x123456));
    BarManager& m = manager();
    EXPECT_EQ(m.dockColor(), Color(0x123456));
    m.setDockColor(Color(0x00FF00));
    EXPECT_FALSE(m.autoDockColor());
    EXPECT_EQ(m.dockColor(), Color(0x00FF00));
    m.setAutoDockColor(true);
    EXPECT_EQ(m.dockColor(), Color(0x123456));
}

TEST_F(BarManagerTest, UniqueItemNameTakesTheSmallestFreeNumber) {
    BarManager& m = manager();
    BarButton* first = addButton("");
    EXPECT_EQ(m.uniqueItemName(*first), "BarButton1");
    first->setName("barbutton1");
    addButton("BarButton3");
    EXPECT_EQ(m.uniqueItemName(*first), "BarButton2");
    auto* edit = new BarEdit(&form());
    EXPECT_EQ(m.uniqueItemName(*edit), "BarEdit1");
}

TEST_F(BarManagerTest, CanDockingAsksTheBarThenTheManagerThenTheHandler) {
    BarManager& m = manager();
    Bar* bar = addBar("Tools");
    DockControl* top = m.bars().dockControl(dsTop);
    EXPECT_TRUE(m.canDocking(bar, dsTop, top));
    EXPECT_TRUE(m.canDocking(bar, dsLeft, nullptr));

    bar->setNotDocking({dsLeft});
    EXPECT_FALSE(m.canDocking(bar, dsLeft, nullptr));
    m.setNotDocking({dsTop});
    EXPECT_FALSE(m.canDocking(bar, dsTop, top));

    // A placed site answers for itself; the manager's NotDocking does not apply to it.
    DockControl placed(&form(), &m, dsNone);
    EXPECT_TRUE(m.canDocking(bar, dsTop, &placed));
    placed.setAllowDocking(false);
    EXPECT_FALSE(m.canDocking(bar, dsTop, &placed));

    std::vector<std::string> seen;
    m.OnDocking.bind([&](Bar* b, BarDockingStyle s, DockControl*, bool& can) {
        seen.push_back(b->caption() + (can ? " yes" : " no"));
        can = !can;
    });
    EXPECT_TRUE(m.canDocking(bar, dsTop, top));
    EXPECT_FALSE(m.canDocking(bar, dsBottom, top));
    EXPECT_EQ(seen, (std::vector<std::string>{"Tools no", "Tools yes"}));
}

TEST_F(BarManagerTest, DockSitesByPathAndBack) {
    BarManager& m = manager();
    auto* placed = new DockControl(&form(), &m, dsNone);
    placed->setName("dockLeftPanel");
    ASSERT_EQ(m.dockControls().size(), 1u);
    EXPECT_EQ(BarManager::dockControlPath(placed), "Form1.dockLeftPanel");
    EXPECT_EQ(m.dockControlByName("dockLeftPanel"), placed);
    EXPECT_EQ(m.dockControlByName("Form1.dockLeftPanel"), placed);
    EXPECT_EQ(m.dockControlByName("Form1.nothing"), nullptr);
    EXPECT_EQ(m.dockControlByName("nothing"), nullptr);
    addButton("btnNotASite");
    EXPECT_THROW(m.dockControlByName("btnNotASite"), EConvertError);
    delete placed;
    EXPECT_TRUE(m.dockControls().empty());
}

TEST_F(BarManagerTest, BuiltInDocksBecomeChildWindowsAlongTheEdges) {
    form().createWindow(Rect(Point(0, 0), Size(800, 600)));
    BarManager& m = manager();
    DockControl* top = m.bars().dockControl(dsTop);
    DockControl* left = m.bars().dockControl(dsLeft);
    DockControl* bottom = m.bars().dockControl(dsBottom);
    ASSERT_TRUE(top->handleAllocated());
    EXPECT_EQ(top->parent(), static_cast<Window*>(&form()));
    top->setThickness(26);
    bottom->setThickness(10);
    left->setThickness(30);
    m.bars().alignDocks();
    const Rect client = form().clientRect();
    EXPECT_EQ(top->bounds(), Rect(0, 0, client.width(), 26));
    EXPECT_EQ(bottom->bounds(), Rect(0, client.height() - 10, client.width(), client.height()));
    EXPECT_EQ(left->bounds(), Rect(0, 26, 30, client.height() - 10));
}

TEST_F(BarManagerTest, LockUpdateNestsAndRestores) {
    BarManager& m = manager();
    {
        BarLockUpdate outer(&m);
        EXPECT_TRUE(m.lockUpdate());
        {
            BarLockUpdate inner(&m);
            EXPECT_TRUE(m.lockUpdate());
        }
        EXPECT_TRUE(m.lockUpdate());
    }
    EXPECT_FALSE(m.lockUpdate());
}

TEST_F(BarManagerTest, ListAndServicesFollowTheFirstAndLastManager) {
    TestControlsIntegration& controls = TestControlsIntegration::install();
    TestForm other;
    auto* a = new BarManager(&form());
    auto* b = new BarManager(&other);
    EXPECT_EQ(controls.servicesStarted, 1);
    EXPECT_EQ(BarFramework::managerList().managerByForm(&other), b);
    delete a;
    EXPECT_EQ(controls.servicesStopped, 0);
    delete b;
    EXPECT_EQ(controls.servicesStopped, 1);
    BarControlsIntegration::install(nullptr);
}

TEST_F(BarManagerTest, AnIntegrationInstalledWhileManagersLiveTakesOverServicesAndPainters) {
    manager().setStyle(bmsFlat);
    TestControlsIntegration& first = TestControlsIntegration::install();
    EXPECT_EQ(first.servicesStarted, 1);  // a manager lives already
    int firstStopped = 0;
    first.onStop = [&] { ++firstStopped; };
    TestControlsIntegration& second = TestControlsIntegration::install();
    EXPECT_EQ(firstStopped, 1);
    EXPECT_EQ(second.servicesStarted, 1);
    // The first integration's painters went with it.
    EXPECT_EQ(manager().painter(), second.painter(BarPainterKind::Flat));
    BarControlsIntegration::install(nullptr);
    EXPECT_EQ(manager().painter(), nullptr);
}

TEST_F(BarManagerTest, PainterAndDerivedSizesComeFromTheIntegration) {
    // Without an integration the manager works but has no painter.
    manager().setStyle(bmsFlat);
    EXPECT_EQ(manager().painter(), nullptr);
    EXPECT_EQ(manager().buttonWidth(), 0);

    TestControlsIntegration::install();
    ASSERT_NE(manager().painter(), nullptr);
    EXPECT_EQ(manager().painter()->kind(), BarPainterKind::Flat);
    EXPECT_EQ(manager().gripOffset(), 1);
    EXPECT_EQ(manager().gripAreaSize(), 6);
    EXPECT_EQ(manager().separatorIndent(), 8);
    EXPECT_EQ(manager().buttonWidth(), 16 + 7);
    EXPECT_EQ(manager().buttonHeight(), 16 + 6);
    EXPECT_EQ(manager().arrowWidth(), 10);

    // A style change takes the painter of the new style; icon sizes and the arrow width follow.
    manager().setStyle(bmsOffice11);
    EXPECT_EQ(manager().painter()->kind(), BarPainterKind::Office11);
    EXPECT_EQ(manager().gripAreaSize(), 10 + static_cast<int>(BarPainterKind::Office11));
    manager().setLargeIcons(true);
    EXPECT_EQ(manager().buttonWidth(), 32 + 7);
    manager().setButtonArrowWidth(15);
    EXPECT_EQ(manager().arrowWidth(), 14);
    BarControlsIntegration::install(nullptr);
    EXPECT_EQ(manager().painter(), nullptr);
}

TEST_F(BarManagerTest, DestroyingTheManagerFreesItsItemsAndGroupsButNotTheForm) {
    addButton("btnA");
    addButton("btnB");
    auto* g = new BarGroup(&form());
    EXPECT_EQ(manager().groups().size(), 1u);
    (void)g;
    std::vector<std::string> deleted;
    manager().OnBarDelete.bind([&](BarManager*, Bar*) { deleted.push_back("bar"); });
    addBar("Tools");
    delete &manager();
    EXPECT_EQ(form().componentCount(), 0);
    EXPECT_TRUE(deleted.empty());  // not while the manager is being destroyed
}

TEST_F(BarManagerTest, ShutDownFreesManagersLeftInTheList) {
    TestForm* other = new TestForm;
    new BarManager(other);
    EXPECT_EQ(BarFramework::managerList().count(), 1);
    BarFramework::shutDown();
    EXPECT_EQ(BarFramework::managerList().count(), 0);
    EXPECT_EQ(other->componentCount(), 0);
    delete other;
    BarFramework::startUp();
}

TEST_F(BarManagerTest, RegistryKeepsTheFrameworksOrderAndOfferedClasses) {
    const ItemControlRegistry& r = BarFramework::registry();
    ASSERT_GE(r.entries().size(), 5u);
    EXPECT_EQ(r.entries()[0].itemClass, &BarButton::classInfo());
    EXPECT_EQ(r.entries()[0].controlClass, &itemcontrols::BarButtonControl);
    EXPECT_EQ(r.entries()[0].controlClass->name(), "BarButtonControl");
    EXPECT_EQ(r.offeredItemClass(0), &BarButton::classInfo());
    EXPECT_EQ(r.offeredItemClass(r.offeredItemClassCount()), nullptr);
    EXPECT_NE(findClass("BarButton"), nullptr);
    EXPECT_NE(findClass("BarGroup"), nullptr);
}

}  // namespace
}  // namespace lindora::test
