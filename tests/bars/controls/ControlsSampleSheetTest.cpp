// The main window's toolbar controls and its Help submenu drawn by the item controls with the
// flat painter into one sheet, compared pixel-exactly with the reference beside this test.
// The sheet is also written into the current directory (controls-sample-sheet.png and a 3x
// enlargement) for looking at; set LINDORA_UPDATE_REFERENCES=1 to replace the reference on
// purpose.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "bars/controls/BarButtonControl.h"
#include "bars/controls/BarStaticControl.h"
#include "bars/controls/BarSubItemControl.h"
#include "bars/controls/ControlsTestSupport.h"
#include "bars/items/BarProgressItem.h"
#include "bars/items/BarStatic.h"
#include "bars/painters/BarItemControlPainter.h"
#include "bars/painters/PainterTestSupport.h"
#include "gfx/PersistentGraphics.h"
#include "support/ReferencePicture.h"

namespace lindora::test {
namespace {

const std::string kReference =
    std::string(LINDORA_SOURCE_DIR) + "/tests/bars/controls/reference/controls-sample-sheet.png";

class ControlsSampleSheetTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        // imgMenu: About, Exit, Help, Login.
        auto* images = new ImageListComponent(&form());
        for (const char* name : {"about", "exit", "help", "login"})
            images->images().addPNG(std::string(LINDORA_SOURCE_DIR) + "/src/app/glyphs/" + name + ".png");
        manager().setImages(images);
        login = addButton("btnLogin", "Login");
        login->setImageIndex(3);
        login->setPaintStyle(psCaptionGlyph);
        autoLogin = addButton("btnAutoLogin", "Auto Login");
        autoLogin->setButtonStyle(bsChecked);
        help = addSubItem("BarSubItem1", "Help");
        help->setImageIndex(2);
        exit = addButton("btnExit", "Exit");
        exit->setImageIndex(1);
        exit->setPaintStyle(psCaptionGlyph);
        progress = new BarProgressItem(&form());
        progress->setName("briMain");
        progress->setCaption("Progress");
        progress->setAlign(iaRight);
        progress->setShowCaption(false);
        homePage = addButton("btnHomePage", "Home Page");
        about = addButton("btnAbout", "About");
        about->setImageIndex(0);
        about->setPaintStyle(psCaptionGlyph);
        help->itemLinks().add()->setItem(homePage);
        help->itemLinks().add()->setItem(about);
        help->itemLinks().items(1)->setBeginGroup(true);
        bar = barWith({login, autoLogin, help, exit, progress});
        bar->itemLinks().items(2)->setBeginGroup(true);
    }

    // A toolbar as the window lays it out: after the border and grip, the items in a row (a
    // column on a vertical bar) centred across, a separator before a group, an iaRight item at
    // the end.
    void drawToolbar(Canvas& c, RecordingBarControl& w, const Rect& barRect) {
        const BarItemControlPainter& painter = w.painter();
        const Brush background = w.backgroundBrush();
        const bool vertical = w.isVertical();
        c.fillRect(barRect, background);
        BarBorderParams border;
        border.bar = barRect;
        border.vertical = vertical;
        border.isMainMenu = w.isMainMenu();
        border.barBackground = background;
        painter.drawDockedBarBorder(c, border);
        const Rect insets = painter.dockedBorderInsets();
        const int grip = manager().gripAreaSize();
        const Rect client{barRect.left + insets.left + (vertical ? 0 : grip),
                          barRect.top + insets.top + (vertical ? grip : 0), barRect.right - insets.right,
                          barRect.bottom - insets.bottom};
        int along = vertical ? client.top : client.left;
        for (BarItemLink* link : w.itemLinks().visibleLinks()) {
            auto* control = dynamic_cast<ItemControl*>(link->control());
            const Size s = control->sizeInParent();
            if (link->beginGroup()) {
                const int t = painter.separatorThickness();
                painter.drawSeparator(c,
                                      vertical ? Rect::fromSize(client.left, along, client.width(), t)
                                               : Rect::fromSize(along, client.top, t, client.height()),
                                      vertical, background);
                along += t;
            }
            if (control->effectiveAlign() == iaRight) along = (vertical ? client.bottom - s.cy : client.right - s.cx);
            const Rect r = vertical ? Rect::fromSize(client.left + (client.width() - s.cx) / 2, along, s.cx, s.cy)
                                    : Rect::fromSize(along, client.top + (client.height() - s.cy) / 2, s.cx, s.cy);
            link->setItemRect(r);
            control->draw(c, r, control->drawKind());
            along += vertical ? s.cy : s.cx;
        }
    }

    // The Help submenu's column: Home Page, a separator, About.
    void drawMenu(Canvas& c, RecordingBarControl& menu, Point at, int width) {
        const BarDrawContext context = menu.controlOf(homePage)->drawContext();
        int y = at.y;
        for (BarItemLink* link : help->itemLinks().visibleLinks()) {
            auto* control = dynamic_cast<ItemControl*>(link->control());
            if (link->beginGroup()) {
                // The separator's height is the submenu window's (not built yet): 9 as drawn there.
                menu.painter().drawSubmenuSeparator(c, Rect::fromSize(at.x, y, width, 9), context);
                y += 9;
            }
            const Rect r = Rect::fromSize(at.x, y, width, control->height());
            link->setItemRect(r);
            control->draw(c, r, ItemDrawKind::Menu);
            y += r.height();
        }
    }

    Bitmap renderSheet() {
        Bitmap sheet(500, 330, clBtnFace);
        Canvas c(sheet);
        RecordingBarControl& toolbar = show(bar->itemLinks(), {.mainMenu = true});
        auto* autoControl = toolbar.control<BarButtonControl>(autoLogin);
        auto* loginControl = toolbar.control<BarButtonControl>(login);

        // 1: all idle, Auto Login up, progress 0 %.
        drawToolbar(c, toolbar, Rect::fromSize(4, 4, 462, 26));
        // 2: Login hot, Auto Login down, progress 50 %.
        toolbar.setSelectedControl(loginControl);
        autoLogin->setDown(true);
        progress->setPosition(50);
        drawToolbar(c, toolbar, Rect::fromSize(4, 34, 462, 26));
        // 3: Login pressed, Auto Login down, Exit disabled, progress 100 %.
        toolbar.setActive(true);
        toolbar.setPressedControl(loginControl, true);
        exit->setEnabled(false);
        progress->setPosition(100);
        drawToolbar(c, toolbar, Rect::fromSize(4, 64, 462, 26));
        // 4: Auto Login down and hot.
        toolbar.setPressedControl(nullptr, false);
        toolbar.setSelectedControl(autoControl);
        drawToolbar(c, toolbar, Rect::fromSize(4, 94, 462, 26));
        // 5, 6: row 2 in the enhanced and the standard look.
        toolbar.setSelectedControl(loginControl);
        exit->setEnabled(true);
        progress->setPosition(50);
        manager().setStyle(bmsEnhanced);
        drawToolbar(c, toolbar, Rect::fromSize(4, 124, 462, 26));
        manager().setStyle(bmsStandard);
        drawToolbar(c, toolbar, Rect::fromSize(4, 154, 462, 26));
        manager().setStyle(bmsFlat);

        // The Help submenu, idle and with About selected.
        RecordingBarControl& menu = show(help->itemLinks(), {.subMenu = true});
        const int width = std::max(menu.controlOf(homePage)->width(), menu.controlOf(about)->width());
        c.fillRect(Rect::fromSize(4, 186, 2 * width + 16, 60), Brush(clWindow));
        drawMenu(c, menu, {6, 188}, width);
        menu.setSelectedControl(menu.controlOf(about));
        drawMenu(c, menu, {14 + width, 188}, width);

        // Static items on a toolbar that is not the main menu: centred and etched, a glyph and
        // left-aligned and lowered, right-aligned and bumped with indents, a smooth progress
        // item with its caption.
        drawToolbar(c, show(statusBar()->itemLinks()), Rect::fromSize(4, 252, 462, 26));
        // A toolbar docked at the side turns its captions.
        drawToolbar(c, show(barWith({login, autoLogin, exit})->itemLinks(), {.vertical = true, .rotated = true}),
                    Rect::fromSize(470, 4, 26, 200));
        return sheet;
    }

    Bar* statusBar() {
        auto label = [&](const char* name, const char* caption, BarStaticBorderStyle border, Alignment alignment) {
            auto* s = new BarStatic(&form());
            s->setName(name);
            s->setCaption(caption);
            s->setBorderStyle(border);
            s->setAlignment(alignment);
            return s;
        };
        BarStatic* ready = label("stReady", "Ready", sbsEtched, taCenter);
        ready->setWidth(70);
        BarStatic* withGlyph = label("stAbout", "&About", sbsLowered, taLeftJustify);
        withGlyph->setImageIndex(0);
        BarStatic* right = label("stRight", "Right", sbsBump, taRightJustify);
        right->setWidth(80);
        right->setLeftIndent(6);
        right->setRightIndent(4);
        auto* loading = new BarProgressItem(&form());
        loading->setName("briLoading");
        loading->setCaption("Loading");
        loading->setSmooth(true);
        loading->setPosition(30);
        return barWith({ready, withGlyph, right, loading});
    }

    BarButton *login = nullptr, *autoLogin = nullptr, *exit = nullptr, *homePage = nullptr, *about = nullptr;
    BarSubItem* help = nullptr;
    BarProgressItem* progress = nullptr;
    Bar* bar = nullptr;
};

TEST_F(ControlsSampleSheetTest, MatchesTheReference) {
    SchemeGuard classic;
    const Bitmap sheet = renderSheet();
    expectMatchesReference(sheet, kReference, "controls-sample-sheet");
}

}  // namespace
}  // namespace lindora::test
