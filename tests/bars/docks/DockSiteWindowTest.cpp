// A dock site as a window: its background, the mouse on its empty area, the actions of the
// docked bars brought up to date at idle time, and sites a form places itself.
#include "DockTestSupport.h"
#include "bars/docks/BarDockControl.h"
#include "bars/model/BarAction.h"
#include "base/ClassRegistry.h"
#include "base/FormDescription.h"
#include "gfx/Bitmap.h"
#include "gfx/Canvas.h"
#include "ui/WindowSystem.h"

namespace lindora::test {
namespace {

// A site that records what its seams are asked for.
class RecordingSite : public DockSite {
public:
    using DockSite::DockSite;
    std::vector<std::string> calls;

protected:
    void showToolbarsPopup(Point screen) override {
        calls.push_back("toolbars popup at " + std::to_string(screen.x) + "," + std::to_string(screen.y));
    }
    void showCustomizing() override { calls.push_back("customizing"); }
};

// Paints a dock in stripes: even lines in a marker colour, odd lines in the dock's colour, so
// a screenshot shows both that it ran and which colour it was given.
class StripedDockPainter : public TestPainter {
public:
    static constexpr Color kMarker = Color(0x2040C0);
    using TestPainter::TestPainter;
    bool textured = false;
    bool texturedBackgrounds() const override { return textured; }
    void drawDockBackground(Canvas& canvas, const Rect& r, Color dockColor) const override {
        for (int y = r.top; y < r.bottom; ++y)
            canvas.fillRect(Rect(r.left, y, r.right, y + 1), Brush((y - r.top) % 2 == 0 ? kMarker : dockColor));
    }
};

class RecordingIntegration : public DockTestIntegration {
public:
    std::unique_ptr<DockControl> createDockControl(BarManager& manager, BarDockingStyle style) override {
        return std::make_unique<RecordingSite>(nullptr, &manager, style);
    }
    const BarPainter* painter(BarPainterKind kind) override { return &striped; }
    StripedDockPainter striped{BarPainterKind::Flat};
};

class DockSiteWindowTest : public DockTest {
protected:
    void SetUp() override {
        DockTest::SetUp();
        auto integration = std::make_unique<RecordingIntegration>();
        integration_ = integration.get();
        BarControlsIntegration::install(std::move(integration));
    }
    RecordingSite& recording(BarDockingStyle s) { return static_cast<RecordingSite&>(site(s)); }
    StripedDockPainter& painter() { return integration_->striped; }
    RecordingIntegration* integration_ = nullptr;
    // The colour the form shows at a point of a site's client area.
    Color shown(DockSite& s, int x, int y) {
        form().update();
        const Point o = s.offsetInTopLevel() + s.clientRectInWindow().topLeft();
        return form().backingStore().colorAt(o.x + x, o.y + y);
    }
};

TEST_F(DockSiteWindowTest, TheBackgroundIsTheSitesPictureElseTheManagersElseThePaintersInTheDocksColour) {
    ASSERT_EQ(manager().painter(), &painter());
    DockSite& top = site(dsTop);
    FakeDockedBar& a = fakeBar(30, 100, 22);
    top.addBarControl(a, at(top, 0, 0), true);  // a fake bar draws nothing: the dock shows
    auto* placed = new BarDockControl(&form());
    placed->setBarManager(&manager());
    placed->setAlign(dalBottom);
    placed->placeIn(&form());
    placed->setColor(Color(0x00C0C0));
    FakeDockedBar& b = fakeBar(30, 100, 22);
    placed->addBarControl(b, placed->clientToScreen(Point(0, 0)), true);

    // No picture anywhere: the painter paints, each site in its own colour.
    EXPECT_FALSE(top.hasBackground());
    EXPECT_EQ(shown(top, 5, 4), StripedDockPainter::kMarker);
    EXPECT_EQ(shown(top, 5, 5), colorToRGB(clBtnFace)) << "the form's colour, with AutoDockColor";
    EXPECT_EQ(shown(*placed, 5, 4), StripedDockPainter::kMarker);
    EXPECT_EQ(shown(*placed, 5, 5), Color(0x00C0C0)) << "the placed site's own colour";
    manager().setDockColor(Color(0x4080FF));
    top.invalidate();
    EXPECT_EQ(shown(top, 5, 5), Color(0x4080FF)) << "the manager's DockColor";

    // A textured look makes every site count as having a background.
    painter().textured = true;
    EXPECT_TRUE(top.hasBackground());
    EXPECT_TRUE(placed->hasBackground());
    painter().textured = false;

    // The manager's picture, tiled from the client origin, covers the painter's background.
    Bitmap tile(2, 2, Color(0x0000FF));
    tile.setColor(1, 1, Color(0x00FF00));
    manager().backgrounds().bar().setBitmap(tile);
    EXPECT_TRUE(top.hasBackground());
    top.invalidate();
    placed->invalidate();
    EXPECT_EQ(shown(top, 4, 6), Color(0x0000FF));
    EXPECT_EQ(shown(top, 5, 7), Color(0x00FF00));
    EXPECT_EQ(shown(*placed, 5, 7), Color(0x00FF00));

    // A site's own picture comes before the manager's, on that site alone.
    placed->backgroundBitmap().setBitmap(Bitmap(4, 4, Color(0xFF0000)));
    placed->invalidate();
    EXPECT_EQ(shown(*placed, 5, 7), Color(0xFF0000));
    EXPECT_EQ(shown(top, 5, 7), Color(0x00FF00));
}

TEST_F(DockSiteWindowTest, TheMouseOnEmptyDockAreaReachesTheNamedSeams) {
    RecordingSite& top = recording(dsTop);
    FakeDockedBar& a = fakeBar();
    top.addBarControl(a, at(top, 0, 0), true);
    EXPECT_EQ(top.send(WM_MOUSEACTIVATE), MA_NOACTIVATE) << "a press leaves the focus where it is";

    top.send(WM_RBUTTONDOWN, 0, makeLParam(300, 4));
    const Point screen = top.clientToScreen(Point(300, 4));
    const std::string popup = "toolbars popup at " + std::to_string(screen.x) + "," + std::to_string(screen.y);
    top.send(WM_LBUTTONDBLCLK, 0, makeLParam(300, 4));
    EXPECT_EQ(top.calls, (std::vector<std::string>{popup, "customizing"}));

    // Customizing mode keeps the popup back; a manager that may not customize, the dialog.
    top.calls.clear();
    manager().setCustomizing(true);
    top.send(WM_RBUTTONDOWN, 0, makeLParam(300, 4));
    manager().setCustomizing(false);
    manager().setCanCustomize(false);
    top.send(WM_LBUTTONDBLCLK, 0, makeLParam(300, 4));
    EXPECT_TRUE(top.calls.empty());
}

TEST_F(DockSiteWindowTest, AtIdleTheTopSiteHasTheVisibleBarsActionsUpdateThemselves) {
    auto* action = new BarAction(&form());
    int updates = 0;
    action->OnUpdate.bind([&](Persistent*) { ++updates; });
    BarButton* button = addButton("btnLogin", "Login");
    button->setAction(action);
    Bar* bar = addBar("Main");
    bar->itemLinks().add()->setItem(button);
    bar->itemLinks().add()->setItem(button);  // linked twice, updated once
    bar->setDockingStyle(dsTop);
    bar->setVisible(true);
    WindowSystem& ws = windowSystem();
    ws.processMessages();
    updates = 0;

    form().post(WM_NULL);
    ws.processMessages();
    EXPECT_EQ(updates, 1) << "once per drain, by the top site alone";
    ws.processMessages();
    EXPECT_EQ(updates, 1) << "nothing happened since";

    bar->setVisible(false);
    form().post(WM_NULL);
    ws.processMessages();
    EXPECT_EQ(updates, 1) << "a hidden bar's actions are left alone";
}

class BarDockControlTest : public DockTest {
protected:
    void SetUp() override {
        DockTest::SetUp();
        placed = new BarDockControl(&form());
        placed->setBarManager(&manager());
    }
    BarDockControl* placed = nullptr;
};

TEST_F(BarDockControlTest, ItRegistersWithItsManagerAndAlignsToItsParentsEdge) {
    EXPECT_EQ(manager().dockControls(), (std::vector<DockControl*>{placed}));
    EXPECT_FALSE(placed->isManagerDock());
    placed->setAlign(dalBottom);
    placed->placeIn(&form());
    const Rect client = form().clientRect();
    FakeDockedBar& a = fakeBar(30, 100, 22);
    placed->addBarControl(a, placed->clientToScreen(Point(0, 0)), true);
    EXPECT_EQ(placed->bounds(), Rect(0, client.height() - 22, client.width(), client.height()))
        << "a bottom site grows upward";

    // A new alignment turns the bars with it.
    placed->setAlign(dalLeft);
    EXPECT_EQ(a.styles, (std::vector<BarDockingStyle>{dsLeft}));
    EXPECT_EQ(placed->layoutStyle(), dsLeft);
    EXPECT_EQ(a.dockedBounds(), Rect(0, 0, 22, 100));
    EXPECT_EQ(placed->bounds(), Rect(0, 0, 22, client.height()));

    // It follows its parent's size.
    form().setBoundsTo(100, 100, 500, 400);
    EXPECT_EQ(placed->bounds().height(), form().clientRect().height());
}

TEST_F(BarDockControlTest, ColourAndFrameFollowTheManagerUntilSetOnTheSite) {
    EXPECT_FALSE(placed->sunkenBorder());
    manager().setSunkenBorder(true);
    EXPECT_TRUE(placed->sunkenBorder()) << "the manager's";
    placed->setSunkenBorder(false);
    EXPECT_TRUE(placed->useOwnSunkenBorder());
    EXPECT_FALSE(placed->sunkenBorder());

    EXPECT_FALSE(placed->useOwnColor());
    placed->setColor(Color(0x123456));
    EXPECT_TRUE(placed->useOwnColor());
    EXPECT_EQ(placed->dockColor(), Color(0x123456));
    manager().setAutoDockColor(false);
    manager().setDockColor(Color(0x654321));
    EXPECT_EQ(placed->dockColor(), Color(0x123456)) << "its own colour stays";
    placed->setUseOwnColor(false);
    EXPECT_EQ(placed->dockColor(), Color(0x654321));
}

TEST_F(BarDockControlTest, WithoutRowsItIsEmptyAtRunTimeAndAStripAtDesignTime) {
    placed->placeIn(&form());
    FakeDockedBar& a = fakeBar();
    placed->addBarControl(a, placed->clientToScreen(Point(0, 0)), true);
    EXPECT_EQ(placed->bounds().height(), 22);
    placed->removeBarControl(a);
    EXPECT_EQ(placed->bounds().height(), 0);

    placed->setDesigning(true);
    placed->updateDockSize();
    EXPECT_EQ(placed->bounds().height(), 3);
    placed->setAllowZeroSizeInDesignTime(true);
    placed->updateDockSize();
    EXPECT_EQ(placed->bounds().height(), 0);
}

TEST(BarDockControlStreamTest, AFormDescriptionRestoresItsPublishedProperties) {
    OffscreenIntegration::install();
    BarFramework::startUp();
    registerClass(BarDockControl::classInfo());
    {
        TestForm form;
        readFormDescription(R"(object Form1: TestForm
  object BarManager1: BarManager
  end
  object BarDockControl1: BarDockControl
    Align = dalRight
    AllowDocking = False
    BarManager = BarManager1
    Color = clRed
    SunkenBorder = True
    UseOwnColor = True
    UseOwnSunkenBorder = True
  end
end
)",
                            form);
        auto* site = dynamic_cast<BarDockControl*>(form.findComponent("BarDockControl1"));
        ASSERT_NE(site, nullptr);
        EXPECT_EQ(site->align(), dalRight);
        EXPECT_EQ(site->layoutStyle(), dsRight);
        EXPECT_FALSE(site->allowDocking());
        EXPECT_EQ(site->barManager(), form.findComponent("BarManager1"));
        EXPECT_EQ(site->dockColor(), Color(clRed));
        EXPECT_TRUE(site->sunkenBorder());
        EXPECT_FALSE(site->parentColor());
        // Written back, the stored values are the same.
        TestForm copy;
        readFormDescription(writeFormDescription(form), copy);
        EXPECT_EQ(writeFormDescription(copy), writeFormDescription(form));
    }
    unregisterClass(BarDockControl::classInfo());
    BarFramework::shutDown();
    PlatformIntegration::install(nullptr);
}

}  // namespace
}  // namespace lindora::test
