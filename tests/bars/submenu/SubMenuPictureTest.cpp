// Submenus as the screen shows them with their shadows, compared pixel-exactly with the
// references beside this test: the main window's Help submenu (Home Page, a separator, About)
// idle and with About selected; the tear-off strip of a menu that can float, normal and hot, in
// the flat, standard and enhanced looks; an expanded menu whose links that a collapsed one
// hides show on the lighter band. Each picture is also written into the current
// directory (NAME.png and a 3x enlargement) for looking at; set LINDORA_UPDATE_REFERENCES=1 to
// replace the references on purpose.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "bars/painters/PainterTestSupport.h"
#include "bars/submenu/SubMenuTestSupport.h"
#include "gfx/Canvas.h"
#include "gfx/PersistentGraphics.h"
#include "support/ReferencePicture.h"
#include "ui/WindowSystem.h"

namespace lindora::test {
namespace {

std::string referencePath(const std::string& name) {
    return std::string(LINDORA_SOURCE_DIR) + "/tests/bars/submenu/reference/" + name + ".png";
}

class SubMenuPictureTest : public SubMenuTest {
protected:
    void SetUp() override {
        SubMenuTest::SetUp();
        // imgMenu as the main window has it: About, Exit, Help, Login.
        auto* images = new ImageListComponent(&form());
        for (const char* name : {"about", "exit", "help", "login"})
            images->images().addPNG(std::string(LINDORA_SOURCE_DIR) + "/src/app/glyphs/" + name + ".png");
        manager().setImages(images);
        help->setImageIndex(2);
        about->setImageIndex(0);
        about->setPaintStyle(psCaptionGlyph);
    }

    // The screen around the menu: its shadow included, a margin of 4 pixels on the other sides.
    Bitmap grabMenu(const SubMenuControl& menu) {
        windowSystem().paintPending();
        const Bitmap screen = platform().screen().grabScreen();
        const Rect b = menu.bounds();
        const Rect area{b.left - 4, b.top - 4, b.right + 8, b.bottom + 8};
        Bitmap out(area.width(), area.height());
        Canvas(out).copyRect(out.bounds(), screen, area);
        return out;
    }

    // The pictures side by side, 8 pixels apart.
    static Bitmap sideBySide(const std::vector<Bitmap>& pictures) {
        int width = 0, height = 0;
        for (const Bitmap& b : pictures) {
            width += b.width() + 8;
            height = std::max(height, b.height());
        }
        Bitmap sheet(std::max(0, width - 8), height, clWhite);
        Canvas c(sheet);
        int x = 0;
        for (const Bitmap& b : pictures) {
            c.copyRect(Rect(Point{x, 0}, b.size()), b, b.bounds());
            x += b.width() + 8;
        }
        return sheet;
    }

    // Writes the sheet for looking at and compares it with its reference.
    static void expectMatchesReference(const Bitmap& sheet, const std::string& name) {
        test::expectMatchesReference(sheet, referencePath(name), name);
    }
};

TEST_F(SubMenuPictureTest, TheHelpSubmenuWithItsShadowMatchesTheReference) {
    SchemeGuard classic;
    SubMenuControl& menu = openFrom(help, {40, 30, 120, 52});
    const Bitmap idle = grabMenu(menu);
    menu.selectControl(dynamic_cast<ItemControl*>(menu.itemLinks().visibleLinks()[1]->control()));
    const Bitmap selected = grabMenu(menu);

    expectMatchesReference(sideBySide({idle, selected}), "help-submenu");
}

TEST_F(SubMenuPictureTest, TheTearOffStripNormalAndHotInEachLook) {
    SchemeGuard classic;
    help->setDetachable(true);
    help->setDetachingBar(bar->index());
    std::vector<Bitmap> pictures;
    for (BarManagerStyle style : {bmsFlat, bmsStandard, bmsEnhanced}) {
        manager().setStyle(style);
        SubMenuControl& menu = openFrom(help, {40, 30, 120, 52});
        ASSERT_FALSE(menu.tearOffRect().isEmpty());
        pictures.push_back(grabMenu(menu));
        const Rect strip = menu.tearOffRect();
        menu.mouseMoved(Point((strip.left + strip.right) / 2, (strip.top + strip.bottom) / 2));
        ASSERT_TRUE(menu.tearOffHot());
        pictures.push_back(grabMenu(menu));
        menu.closeUp();
    }
    expectMatchesReference(sideBySide(pictures), "tear-off-strip");
}

TEST_F(SubMenuPictureTest, AnExpandedMenuShowsTheRarelyUsedLinksOnTheLighterBand) {
    SchemeGuard classic;
    BarSubItem* sub = longMenu(5);
    // The second and third links were never used: a run of two in the middle of the menu.
    for (int i : {1, 2}) {
        sub->itemLinks().items(i)->setMostRecentlyUsed(false);
        sub->itemLinks().items(i)->resetRecentState();
    }
    SubMenuControl& menu = openFrom(sub, {40, 30, 120, 52});
    const Bitmap collapsed = grabMenu(menu);
    menu.expand();
    ASSERT_FALSE(menu.collapsed());
    ASSERT_TRUE(dynamic_cast<ItemControl*>(sub->itemLinks().items(1)->control())->rarelyUsed());
    const Bitmap expanded = grabMenu(menu);
    menu.selectControl(dynamic_cast<ItemControl*>(sub->itemLinks().items(2)->control()));
    const Bitmap selected = grabMenu(menu);
    expectMatchesReference(sideBySide({collapsed, expanded, selected}), "expanded-menu");
}

}  // namespace
}  // namespace lindora::test
