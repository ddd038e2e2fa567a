// The main window's Help submenu (Home Page, a separator, About) as the screen shows it with
// its shadow: idle and with About selected, side by side, compared pixel-exactly with the
// reference beside this test. The picture is also written into the current directory
// (help-submenu.png and a 3x enlargement) for looking at; set LINDORA_UPDATE_REFERENCES=1 to
// replace the reference on purpose.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "bars/painters/PainterTestSupport.h"
#include "bars/submenu/SubMenuTestSupport.h"
#include "gfx/Canvas.h"
#include "gfx/PersistentGraphics.h"
#include "ui/WindowSystem.h"

namespace lindora::test {
namespace {

const std::string kReference = std::string(LINDORA_SOURCE_DIR) + "/tests/bars/submenu/reference/help-submenu.png";

Bitmap enlarged(const Bitmap& b, int factor) {
    Bitmap out(b.width() * factor, b.height() * factor);
    Canvas c(out);
    c.copyRect(out.bounds(), b, b.bounds());
    return out;
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
};

TEST_F(SubMenuPictureTest, TheHelpSubmenuWithItsShadowMatchesTheReference) {
    SchemeGuard classic;
    SubMenuControl& menu = openFrom(help, {40, 30, 120, 52});
    const Bitmap idle = grabMenu(menu);
    menu.selectControl(dynamic_cast<ItemControl*>(menu.itemLinks().visibleLinks()[1]->control()));
    const Bitmap selected = grabMenu(menu);

    Bitmap sheet(idle.width() * 2 + 8, idle.height(), clWhite);
    Canvas c(sheet);
    c.copyRect(Rect(Point{}, idle.size()), idle, idle.bounds());
    c.copyRect(Rect(Point{idle.width() + 8, 0}, selected.size()), selected, selected.bounds());

    sheet.savePNG("help-submenu.png");
    enlarged(sheet, 3).savePNG("help-submenu-3x.png");
    if (std::getenv("LINDORA_UPDATE_REFERENCES")) {
        std::filesystem::create_directories(std::filesystem::path(kReference).parent_path());
        sheet.savePNG(kReference);
    }
    ASSERT_TRUE(std::filesystem::exists(kReference)) << kReference;
    EXPECT_TRUE(Bitmap::loadPNG(kReference) == sheet)
        << "the picture differs from " << kReference << "; see help-submenu.png in " << std::filesystem::current_path();
}

}  // namespace
}  // namespace lindora::test
