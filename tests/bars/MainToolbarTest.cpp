// The main window's manager, bar, items and categories read from a form description, written
// back, and reset from it.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "BarsTestSupport.h"
#include "MainToolbarFixture.h"
#include "bars/items/BarProgressItem.h"
#include "base/FormDescription.h"
#include "gfx/Bitmap.h"
#include "ui/Screen.h"

namespace lindora::test {
namespace {

class MainToolbarTest : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        readFormDescription(MainToolbarDescription, form());
    }
    BarManager& m() { return *dynamic_cast<BarManager*>(form().findComponent("BarManager1")); }
    template <class T = BarButton>
    T* item(const char* name) {
        return dynamic_cast<T*>(form().findComponent(name));
    }
    std::vector<std::string> linkNames(const BarItemLinks& links) {
        std::vector<std::string> out;
        for (CollectionItem* ci : links.items()) {
            auto* l = static_cast<BarItemLink*>(ci);
            out.push_back((l->beginGroup() ? "|" : "") + (l->item() ? l->item()->name() : std::string("?")));
        }
        return out;
    }
};

TEST_F(MainToolbarTest, ManagerValues) {
    BarManager& bm = m();
    EXPECT_EQ(bm.style(), bmsFlat);
    EXPECT_EQ(bm.lookAndFeel().kind(), lfUltraFlat);
    EXPECT_EQ(bm.effectiveStyle(), bmsFlat);
    EXPECT_EQ(bm.getPainterClass(), BarPainterKind::Flat);
    // Tahoma first (turning the system font off), then UseSystemFont = True.
    EXPECT_TRUE(bm.useSystemFont());
    EXPECT_EQ(bm.font().fontName(), Screen::nonClientFonts().menu.family);
    EXPECT_EQ(bm.images(), form().findComponent("imgMenu"));
    ASSERT_EQ(bm.categories().count(), 1);
    EXPECT_EQ(bm.categories()[0], "Default");
    EXPECT_EQ(bm.getCategoryItemsVisible(0), ivAlways);
    EXPECT_TRUE(bm.getCategoryVisible(0));
    EXPECT_EQ(bm.popupMenuLinks().count(), 0);
    EXPECT_EQ(bm.bars().dockControl(dsLeft)->thickness(), 0);
    EXPECT_EQ(bm.bars().dockControl(dsRight)->thickness(), 0);
    EXPECT_EQ(bm.bars().dockControl(dsTop)->thickness(), 26);
    EXPECT_EQ(bm.bars().dockControl(dsBottom)->thickness(), 0);
    EXPECT_EQ(bm.readCount(), 1);
    EXPECT_TRUE(bm.allowResetBars());
    // Everything else keeps its default.
    EXPECT_TRUE(bm.autoDockColor());
    EXPECT_EQ(bm.mostRecentItemsPercents(), 95);
    EXPECT_TRUE(bm.allowReset());
    EXPECT_FALSE(bm.storeInRegistry());
}

TEST_F(MainToolbarTest, BarValues) {
    BarManager& bm = m();
    ASSERT_EQ(bm.bars().count(), 1);
    Bar* bar = bm.bars().items(0);
    EXPECT_EQ(bar->name(), "Main Toolbar");
    EXPECT_EQ(bar->caption(), "Main Toolbar");
    EXPECT_TRUE(bar->isMainMenu());
    EXPECT_EQ(bm.mainMenuBar(), bar);
    EXPECT_EQ(bar->dockingStyle(), dsTop);
    EXPECT_EQ(bar->dockedDockingStyle(), dsTop);
    EXPECT_EQ(bar->effectiveDockControl(), bm.bars().dockControl(dsTop));
    EXPECT_EQ(bar->dockedLeft(), 0);
    EXPECT_EQ(bar->dockedTop(), 0);
    EXPECT_EQ(bar->row(), 0);
    EXPECT_EQ(bar->floatLeft(), 340);
    EXPECT_EQ(bar->floatTop(), 264);
    EXPECT_EQ(bar->floatClientWidth(), 23);
    EXPECT_EQ(bar->floatClientHeight(), 22);
    EXPECT_TRUE(bar->multiLine());
    EXPECT_TRUE(bar->oneOnRow());
    EXPECT_TRUE(bar->wholeRow());
    EXPECT_FALSE(bar->allowClose());
    EXPECT_FALSE(bar->allowCustomizing());
    EXPECT_FALSE(bar->allowQuickCustomizing());
    EXPECT_FALSE(bar->allowReset());
    EXPECT_FALSE(bar->useOwnFont());
    EXPECT_TRUE(bar->visible());
    EXPECT_EQ(linkNames(bar->itemLinks()),
              (std::vector<std::string>{"btnLogin", "btnAutoLogin", "|BarSubItem1", "btnExit", "briMain"}));
    for (CollectionItem* ci : bar->itemLinks().items()) EXPECT_TRUE(static_cast<BarItemLink*>(ci)->visible());
    EXPECT_EQ(bar->itemLinks().shownLinks().size(), 5u);
}

TEST_F(MainToolbarTest, ItemValuesInCreationOrder) {
    BarManager& bm = m();
    std::vector<std::string> order;
    for (BarItem* i : bm.itemList()) order.push_back(i->name());
    EXPECT_EQ(order, (std::vector<std::string>{"btnExit", "btnAbout", "BarSubItem1", "btnHomePage", "btnLogin",
                                               "briMain", "btnAutoLogin"}));
    struct Expect {
        const char* name;
        const char* caption;
        const char* hint;
        int imageIndex;
        BarPaintStyle paintStyle;
    };
    const Expect buttons[] = {
        {"btnLogin", "Login", "Login", 3, psCaptionGlyph},
        {"btnAutoLogin", "Auto Login", "Auto Login", -1, psStandard},
        {"btnHomePage", "Home Page", "Home Page", -1, psStandard},
        {"btnAbout", "About", "About", 0, psCaptionGlyph},
        {"btnExit", "Exit", "Exit", 1, psCaptionGlyph},
    };
    for (const Expect& e : buttons) {
        BarButton* b = item(e.name);
        ASSERT_NE(b, nullptr) << e.name;
        EXPECT_EQ(b->caption(), e.caption);
        EXPECT_EQ(b->hint(), e.hint);
        EXPECT_EQ(b->imageIndex(), e.imageIndex) << e.name;
        EXPECT_EQ(b->paintStyle(), e.paintStyle) << e.name;
        EXPECT_EQ(b->category(), 0);
        EXPECT_EQ(b->visible(), ivAlways);
        EXPECT_EQ(b->barManager(), &bm);
    }
    EXPECT_EQ(item("btnAutoLogin")->buttonStyle(), bsChecked);
    EXPECT_FALSE(item("btnAutoLogin")->down());
    auto* help = item<BarSubItem>("BarSubItem1");
    EXPECT_EQ(help->caption(), "Help");
    EXPECT_EQ(help->hint(), "");
    EXPECT_EQ(help->imageIndex(), 2);
    EXPECT_EQ(linkNames(help->itemLinks()), (std::vector<std::string>{"btnHomePage", "|btnAbout"}));

    auto* progress = item<BarProgressItem>("briMain");
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->caption(), "Progress");
    EXPECT_EQ(progress->hint(), "Progress");
    EXPECT_EQ(progress->align(), iaRight);
    EXPECT_FALSE(progress->showCaption());
    EXPECT_EQ(progress->category(), 0);
    EXPECT_EQ(progress->visible(), ivAlways);
    EXPECT_EQ(progress->borderStyle(), sbsLowered);
    EXPECT_EQ(progress->width(), 0);
    EXPECT_EQ(progress->min(), 0);
    EXPECT_EQ(progress->max(), 100);
    EXPECT_EQ(progress->position(), 0);
    EXPECT_FALSE(progress->smooth());
    EXPECT_EQ(progress->color(), clDefault);
}

// The manager's block, from its object line to its end line, in a window description.
std::string managerBlock(const std::string& description) {
    const std::size_t start = description.find("  object BarManager1: BarManager\n");
    if (start == std::string::npos) return {};
    const std::size_t end = description.find("\n  end\n", start);
    return end == std::string::npos ? std::string() : description.substr(start, end + 7 - start);
}

// The toolbar tested here is the one the program ships, value for value.
TEST_F(MainToolbarTest, TheDescriptionIsTheMainWindowsOwn) {
    std::ifstream in(std::string(LINDORA_SOURCE_DIR) + "/src/app/FrmMain.form");
    ASSERT_TRUE(in.good());
    std::ostringstream shipped;
    shipped << in.rdbuf();
    const std::string block = managerBlock(shipped.str());
    ASSERT_FALSE(block.empty());
    EXPECT_EQ(block, managerBlock(MainToolbarDescription));
}

TEST_F(MainToolbarTest, ClicksReachTheFormsHandlers) {
    item("btnLogin")->click();
    item("btnHomePage")->click();
    item("btnAbout")->click();
    item("btnExit")->click();
    item("btnAutoLogin")->click();
    EXPECT_TRUE(item("btnAutoLogin")->down());
    EXPECT_EQ(form().log, (std::vector<std::string>{"btnLoginClick btnLogin", "btnHomePageClick btnHomePage",
                                                    "btnAboutClick btnAbout", "btnExitClick btnExit"}));
}

TEST_F(MainToolbarTest, WritingAndReadingBackKeepsEverything) {
    auto* images = dynamic_cast<ImageListComponent*>(form().findComponent("imgMenu"));
    for (const char* glyph : {"about", "exit", "help", "login"})
        images->images().addPNG(std::string(LINDORA_SOURCE_DIR) + "/src/app/glyphs/" + glyph + ".png");
    ASSERT_EQ(images->count(), 4);
    item("btnAutoLogin")->click();
    const std::string text = writeFormDescription(form());

    TestForm copy;
    readFormDescription(text, copy);
    EXPECT_EQ(writeFormDescription(copy), text);
    auto* bm = dynamic_cast<BarManager*>(copy.findComponent("BarManager1"));
    ASSERT_NE(bm, nullptr);
    EXPECT_EQ(bm->itemCount(), 7);
    EXPECT_EQ(bm->bars().items(0)->itemLinks().count(), 5);
    EXPECT_EQ(bm->bars().dockControl(dsTop)->thickness(), 26);
    EXPECT_TRUE(dynamic_cast<BarButton*>(copy.findComponent("btnAutoLogin"))->down());
    auto* copiedImages = dynamic_cast<ImageListComponent*>(copy.findComponent("imgMenu"));
    ASSERT_EQ(copiedImages->count(), 4);
    EXPECT_EQ(copiedImages->images().image(3), images->images().image(3));
    // Only the items with a category are the manager's children in the description.
    EXPECT_NE(text.find("    object btnExit: BarButton"), std::string::npos);
}

TEST_F(MainToolbarTest, ResetAsksAndRestoresTheDesignedLinks) {
    registerFormDescription("TestForm", MainToolbarDescription);
    Bar* bar = m().bars().items(0);
    delete bar->itemLinks().items(3);
    bar->itemLinks().items(0)->setVisible(false);
    std::vector<std::string> events;
    m().OnBarBeforeReset.bind([&](BarManager*, Bar*) { events.push_back("before"); });
    m().OnBarAfterReset.bind([&](BarManager*, Bar*) { events.push_back("after"); });

    platform().input().queueDialogAnswer(DialogButton::Cancel);
    EXPECT_FALSE(bar->reset());
    EXPECT_EQ(bar->itemLinks().count(), 4);
    ASSERT_EQ(platform().input().dialogs().size(), 1u);
    EXPECT_EQ(platform().input().dialogs()[0].text,
              "Are you sure you want to reset the changes made to the 'Main Toolbar' toolbar?");
    EXPECT_EQ(platform().input().dialogs()[0].kind, DialogKind::Warning);

    platform().input().queueDialogAnswer(DialogButton::OK);
    EXPECT_TRUE(bar->reset());
    EXPECT_EQ(linkNames(bar->itemLinks()),
              (std::vector<std::string>{"btnLogin", "btnAutoLogin", "|BarSubItem1", "btnExit", "briMain"}));
    EXPECT_TRUE(bar->itemLinks().items(0)->visible());
    EXPECT_EQ(bar->itemLinks().items(0)->item(), form().findComponent("btnLogin"));  // this form's items
    EXPECT_EQ(events, (std::vector<std::string>{"before", "after"}));
    EXPECT_EQ(BarFramework::managerList().count(), 1);  // the scratch copy is gone
    m().OnBarBeforeReset.clear();
    m().OnBarAfterReset.clear();
    unregisterFormDescription("TestForm");
}

}  // namespace
}  // namespace lindora::test
