// Categories, the manager's font, image-list links and the toolbars popup; with recording
// controls and windows made by a test controls integration.
#include <gtest/gtest.h>

#include "BarsTestSupport.h"
#include "TestControlsIntegration.h"
#include "bars/model/BarWindows.h"
#include "bars/model/DockControl.h"
#include "gfx/PersistentGraphics.h"
#include "ui/Screen.h"

namespace lindora::test {
namespace {

// Records what its link's item tells it.
class RecordingControl : public BarItemControl {
public:
    RecordingControl(BarItemLink& link, std::vector<std::string>& log) : BarItemControl(link), log_(&log) {}
    void captionChanged() override { add("caption"); }
    void glyphChanged() override { add("glyph"); }
    void downChanged() override { add("down"); }
    void enabledChanged() override { add("enabled"); }

private:
    void add(const char* what) { log_->push_back(link().item()->name() + " " + what); }
    std::vector<std::string>* log_;
};

// A toolbar window that only remembers what it was told.
class RecordingBarWindow : public BarWindow {
public:
    RecordingBarWindow(Bar& bar, std::vector<std::string>& log) : bar_(&bar), log_(&log) {}
    ~RecordingBarWindow() override { log_->push_back("destroy " + bar_->caption()); }
    BarItemLinks& itemLinks() const override { return bar_->itemLinks(); }
    BarDockingStyle dockingStyle() const override { return style_; }
    DockControl* dockControl() const override { return site_; }
    void setDockingStyle(BarDockingStyle s) override { style_ = s; }
    void dockInto(DockControl& site, Point) override {
        site_ = &site;
        log_->push_back("dock " + bar_->caption());
    }
    void floatAt(const Rect& r) override { log_->push_back("float " + bar_->caption()); }
    void showNoActivate() override { log_->push_back("show " + bar_->caption()); }
    void storePosition(Bar& bar) override {
        bar.setDockedLeft(7);
        log_->push_back("store " + bar.caption());
    }

private:
    Bar* bar_;
    std::vector<std::string>* log_;
    BarDockingStyle style_ = dsNone;
    DockControl* site_ = nullptr;
};

class CategoriesFontsImagesTest : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        TestControlsIntegration& controls = TestControlsIntegration::install();
        controls.controls[&itemcontrols::BarButtonControl] = [this](BarItemLink& l) {
            return std::make_unique<RecordingControl>(l, log);
        };
        controls.barWindow = [this](BarManager&, Bar& bar) { return std::make_unique<RecordingBarWindow>(bar, log); };
    }
    void TearDown() override {
        BarsTest::TearDown();  // frees the windows while the log is alive
        BarControlsIntegration::install(nullptr);
    }
    std::vector<std::string> log;
};

TEST_F(CategoriesFontsImagesTest, DeletingACategoryFreesItsItemsAndRenumbersTheRest) {
    BarManager& m = manager();
    m.categories().add("File");
    m.categories().add("Edit");
    BarButton* inDefault = addButton("btnDefault");
    BarButton* inFile = addButton("btnFile");
    inFile->setCategory(1);
    BarButton* inEdit = addButton("btnEdit");
    inEdit->setCategory(2);
    m.categories().remove(1);
    EXPECT_EQ(m.itemByName("btnFile"), nullptr);
    EXPECT_EQ(inEdit->category(), 1);
    EXPECT_EQ(inDefault->category(), 0);
    EXPECT_EQ(m.categories().count(), 2);

    m.categories().insert(0, "First");
    EXPECT_EQ(inDefault->category(), 1);
    EXPECT_EQ(inEdit->category(), 2);
    m.categories().exchange(1, 2);
    EXPECT_EQ(inDefault->category(), 2);
    EXPECT_EQ(inEdit->category(), 1);
    m.categories().move(2, 0);
    EXPECT_EQ(inDefault->category(), 0);
    EXPECT_EQ(inEdit->category(), 2);

    // Out-of-range categories are refused.
    inEdit->setCategory(5);
    EXPECT_EQ(inEdit->category(), 2);
}

TEST_F(CategoriesFontsImagesTest, TheLastCategoryComesBackAsDefault) {
    BarManager& m = manager();
    addButton("btnA");
    m.categories().remove(0);
    ASSERT_EQ(m.categories().count(), 1);
    EXPECT_EQ(m.categories()[0], "Default");
    EXPECT_EQ(m.itemCount(), 0);

    // Clearing frees the items of every category and ends with "Default" alone.
    m.categories().add("File");
    addButton("btnB");
    addButton("btnC")->setCategory(1);
    m.categories().clear();
    ASSERT_EQ(m.categories().count(), 1);
    EXPECT_EQ(m.categories()[0], "Default");
    EXPECT_EQ(m.itemCount(), 0);
}

TEST_F(CategoriesFontsImagesTest, CategoryVisibilityAndItemsVisibility) {
    BarManager& m = manager();
    m.categories().add("Hidden");
    BarButton* a = addButton("btnA");
    BarButton* b = addButton("btnB");
    b->setVisible(ivNever);
    m.setCategoryItemsVisible(0, ivInCustomizing);
    EXPECT_EQ(a->visible(), ivInCustomizing);
    EXPECT_EQ(b->visible(), ivNever);  // only items that had the old value follow
    EXPECT_EQ(m.getCategoryItemsVisible(0), ivInCustomizing);

    m.setCategoryVisible(0, false);
    EXPECT_EQ(m.categoryIndexOfVisible(0), 1);
    EXPECT_EQ(m.categoryIndexOfVisible(1), -1);

    std::vector<BarItem*> list;
    m.getItemsByCategory(0, list);
    EXPECT_EQ(list.size(), 2u);
    m.getItemsByCategory(0, list, true);
    EXPECT_TRUE(list.empty());  // neither is available outside customizing
    m.getItemsByCategory(7, list);
    EXPECT_TRUE(list.empty());
}

TEST_F(CategoriesFontsImagesTest, AutoHideEmptyBarsHidesAndShowsBars) {
    BarManager& m = manager();
    m.setAutoHideEmptyBars(true);
    BarButton* a = addButton("btnA");
    Bar* bar = addBar("Tools");
    bar->itemLinks().add()->setItem(a);
    bar->setVisible(true);
    m.setCategoryItemsVisible(0, ivNever);
    EXPECT_FALSE(bar->visible());
    EXPECT_TRUE(bar->hiddenBecauseEmpty());
    m.setCategoryItemsVisible(0, ivAlways);
    EXPECT_TRUE(bar->visible());
}

TEST_F(CategoriesFontsImagesTest, SettingTheFontTurnsTheSystemFontOff) {
    BarManager& m = manager();
    const SystemFontSpec menu = Screen::nonClientFonts().menu;
    EXPECT_TRUE(m.useSystemFont());
    EXPECT_EQ(m.font().fontName(), menu.family);
    m.font().setFontName("Tahoma");
    EXPECT_FALSE(m.useSystemFont());
    EXPECT_EQ(m.font().fontName(), "Tahoma");
    EXPECT_EQ(m.font().height(), menu.height);  // scaled: the menu font's height
    m.setScaled(false);
    m.font().setHeight(-20);
    EXPECT_EQ(m.font().height(), -20);
    m.setUseSystemFont(true);
    EXPECT_EQ(m.font().fontName(), menu.family);
    EXPECT_EQ(m.font().height(), menu.height);
}

TEST_F(CategoriesFontsImagesTest, BarsFollowTheManagersFontUnlessTheyHaveTheirOwn) {
    BarManager& m = manager();
    Bar* follows = addBar("Follows");
    Bar* own = addBar("Own");
    own->font().setFontName("Serif");
    EXPECT_TRUE(own->useOwnFont());
    m.font().setFontName("Tahoma");
    EXPECT_EQ(follows->font().fontName(), "Tahoma");
    EXPECT_FALSE(follows->useOwnFont());
    EXPECT_EQ(own->font().fontName(), "Serif");
    own->setUseOwnFont(false);
    EXPECT_EQ(own->font().fontName(), "Tahoma");
}

TEST_F(CategoriesFontsImagesTest, ImageListChangesReachItemsWithAnImage) {
    BarManager& m = manager();
    BarButton* withImage = addButton("btnImage");
    withImage->setImageIndex(0);
    BarButton* without = addButton("btnPlain");
    Bar* bar = addBar("Tools");
    bar->itemLinks().add()->setItem(withImage);
    bar->itemLinks().add()->setItem(without);
    bar->setDockingStyle(dsTop);
    bar->setVisible(true);
    log.clear();

    auto* images = new ImageListComponent(&form());
    m.setImages(images);
    EXPECT_EQ(log, (std::vector<std::string>{"btnImage glyph"}));
    log.clear();
    images->images().add(Bitmap(16, 16, RGB(255, 0, 0)));
    EXPECT_EQ(log, (std::vector<std::string>{"btnImage glyph"}));
    log.clear();
    // A freed list: the items that drew from it repaint without it.
    delete images;
    EXPECT_EQ(m.images(), nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"btnImage glyph"}));
}

TEST_F(CategoriesFontsImagesTest, ShownBarsGetAWindowAndTheirLinksControls) {
    BarButton* a = addButton("btnA");
    a->setButtonStyle(bsChecked);
    Bar* bar = addBar("Tools");
    bar->itemLinks().add()->setItem(a);
    bar->setDockingStyle(dsTop);
    bar->setVisible(true);
    ASSERT_NE(bar->control(), nullptr);
    EXPECT_EQ(bar->itemLinks().barControl(), bar->control());
    EXPECT_EQ(log, (std::vector<std::string>{"dock Tools", "show Tools"}));
    ASSERT_NE(bar->itemLinks().items(0)->control(), nullptr);
    log.clear();
    a->click();
    a->setCaption("Alpha");
    bar->itemLinks().items(0)->setUserCaption("Mine");
    a->setCaption("Beta");  // the link's own caption wins: its control is not told
    EXPECT_EQ(log, (std::vector<std::string>{"btnA down", "btnA caption", "btnA caption"}));
    log.clear();
    bar->setVisible(false);
    EXPECT_EQ(bar->dockedLeft(), 7);  // the window wrote its position back
    EXPECT_EQ(log, (std::vector<std::string>{"store Tools", "destroy Tools"}));
    EXPECT_EQ(bar->itemLinks().items(0)->control(), nullptr);
}

TEST_F(CategoriesFontsImagesTest, ToolbarsPopupListsClosableBarsAndCustomizeLast) {
    BarManager& m = manager();
    Bar* main = addBar("Main Toolbar");
    main->setIsMainMenu(true);
    Bar* tools = addBar("Tools");
    tools->setVisible(true);
    Bar* fixed = addBar("Fixed");
    fixed->setAllowClose(false);
    Bar* hidden = addBar("Hidden");
    hidden->setHidden(true);
    Bar* closed = addBar("Closed");

    BarItemLinks* seen = nullptr;
    m.OnShowToolbarsPopup.bind([&](BarManager*, BarItemLinks* links) { seen = links; });
    auto popup = m.buildToolbarsPopup();
    EXPECT_EQ(seen, popup->links.get());
    ASSERT_EQ(popup->links->count(), 3);
    EXPECT_EQ(popup->links->items(0)->caption(), "Tools");
    EXPECT_EQ(popup->links->items(1)->caption(), "Closed");
    EXPECT_EQ(popup->links->items(2)->caption(), "&Customize...");
    EXPECT_TRUE(popup->links->items(2)->beginGroup());
    EXPECT_TRUE(static_cast<BarButton*>(popup->links->items(0)->item())->down());
    EXPECT_FALSE(static_cast<BarButton*>(popup->links->items(1)->item())->down());
    EXPECT_EQ(BarFramework::temporaryItems().size(), 3u);

    popup->links->items(1)->item()->click();
    EXPECT_TRUE(closed->visible());
    popup->links->items(0)->item()->click();
    EXPECT_FALSE(tools->visible());
    int customizing = 0;
    m.OnShowCustomizingForm.bind([&](Persistent*) { ++customizing; });
    popup->customizeButton->click();
    EXPECT_EQ(customizing, 1);
    EXPECT_TRUE(m.isCustomizing());
    popup.reset();
    EXPECT_TRUE(BarFramework::temporaryItems().empty());

    // The main window's case: only the main menu bar, so just "&Customize...".
    delete tools;
    delete fixed;
    delete hidden;
    delete closed;
    m.setCustomizing(false);
    popup = m.buildToolbarsPopup();
    ASSERT_EQ(popup->links->count(), 1);
    EXPECT_EQ(popup->links->items(0)->caption(), "&Customize...");
    m.setCanCustomize(false);
    popup = m.buildToolbarsPopup();
    EXPECT_EQ(popup->links->count(), 0);
}

}  // namespace
}  // namespace lindora::test
