// The sizes item controls report to their window: buttons by paint style, orientation, drop-down
// part and icon size; sub items; static items by caption, glyph, indents and border; progress
// items with their bar, automatic and iaClient.
#include <gtest/gtest.h>

#include "bars/controls/BarButtonControl.h"
#include "bars/controls/BarStaticControl.h"
#include "bars/controls/BarSubItemControl.h"
#include "bars/controls/ControlsTestSupport.h"
#include "bars/items/BarProgressItem.h"
#include "bars/items/BarStatic.h"
#include "bars/painters/BarItemControlPainter.h"
#include "gfx/PersistentGraphics.h"

namespace lindora::test {
namespace {

class ItemControlSizesTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        images = new ImageListComponent(&form());
        for (const char* name : {"about", "exit", "help", "login"})
            images->images().addPNG(std::string(LINDORA_SOURCE_DIR) + "/src/app/glyphs/" + name + ".png");
        manager().setImages(images);
    }
    BarButton* button(BarPaintStyle style, bool glyph, BarButtonStyle buttonStyle = bsDefault) {
        BarButton* b = addButton("btn" + std::to_string(++count), "&Login");
        b->setPaintStyle(style);
        if (glyph) b->setImageIndex(3);
        b->setButtonStyle(buttonStyle);
        return b;
    }
    ImageListComponent* images = nullptr;
    int count = 0;
};

TEST_F(ItemControlSizesTest, ButtonsByPaintStyleOrientationAndDropDown) {
    struct Case {
        const char* name;
        BarPaintStyle style;
        bool glyph;
        BarButtonStyle buttonStyle;
        WindowShape shape;
    };
    const WindowShape horizontal{}, vertical{.vertical = true}, rotated{.vertical = true, .rotated = true};
    const Case cases[] = {
        {"glyph only", psStandard, true, bsDefault, horizontal},
        {"standard without glyph shows its caption", psStandard, false, bsDefault, horizontal},
        {"caption", psCaption, true, bsDefault, horizontal},
        {"caption and glyph", psCaptionGlyph, true, bsDefault, horizontal},
        {"caption in menu", psCaptionInMenu, true, bsDefault, horizontal},
        {"drop-down glyph", psStandard, true, bsDropDown, horizontal},
        {"drop-down caption and glyph", psCaptionGlyph, true, bsDropDown, horizontal},
        {"vertical keeps the horizontal sizes", psCaptionGlyph, true, bsDefault, vertical},
        {"rotated glyph only", psStandard, true, bsDefault, rotated},
        {"rotated caption and glyph", psCaptionGlyph, true, bsDefault, rotated},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BarButton* b = button(c.style, c.glyph, c.buttonStyle);
        Bar* bar = barWith({b});
        RecordingBarControl& w = show(bar->itemLinks(), c.shape);
        auto* control = w.control<BarButtonControl>(b);
        ASSERT_NE(control, nullptr);
        const int cw = w.captionWidth("Login");
        const int tih = w.textItemHeight();
        const int points = w.itemFont().size();
        ASSERT_EQ(manager().buttonWidth(), 23);
        ASSERT_EQ(manager().buttonHeight(), 22);
        const int arrow = c.buttonStyle == bsDropDown ? manager().arrowWidth() : 0;
        int width = 0, height = 0;
        switch (c.style) {
        case psStandard:
            width = c.glyph ? 23 : cw + points;
            height = c.glyph ? 22 : std::max(tih, 22);
            break;
        case psCaptionInMenu: width = 23, height = 22; break;
        case psCaption: width = cw + points, height = std::max(tih, 22); break;
        case psCaptionGlyph: width = cw + 23 + 4, height = std::max(tih, 22); break;
        }
        width += arrow;
        if (c.shape.rotated && c.style == psCaptionGlyph) {
            height = width;
            width = std::max(tih, 23);
        } else if (c.shape.rotated) {
            width -= arrow;
            height += arrow;
        }
        EXPECT_EQ(control->width(), width);
        EXPECT_EQ(control->height(), height);
        EXPECT_EQ(control->sizeInParent(), Size(width, height));
    }
}

TEST_F(ItemControlSizesTest, LargeIconsAndLoweredButtons) {
    BarButton* b = button(psStandard, true);
    Bar* bar = barWith({b});
    RecordingBarControl& w = show(bar->itemLinks());
    manager().setLargeIcons(true);
    EXPECT_EQ(w.control<BarButtonControl>(b)->width(), 32 + 7);
    EXPECT_EQ(w.control<BarButtonControl>(b)->height(), 32 + 6);
    manager().setLargeIcons(false);
    b->setLowered(true);
    // The flat painter's lowered inset is 1 on each side.
    EXPECT_EQ(w.control<BarButtonControl>(b)->width(), 23 + 2);
    EXPECT_EQ(w.control<BarButtonControl>(b)->height(), 22 + 2);
}

TEST_F(ItemControlSizesTest, ButtonsInSubmenusMakeRoomForTheirShortcut) {
    BarSubItem* sub = addSubItem("mnuHelp", "Help");
    BarButton* plain = button(psCaptionGlyph, true);
    BarButton* withShortCut = button(psStandard, false);
    withShortCut->setShortCut(0x4000 | 'S');
    sub->itemLinks().add()->setItem(plain);
    sub->itemLinks().add()->setItem(withShortCut);
    RecordingBarControl& menu = show(sub->itemLinks(), {.subMenu = true});
    const int tih = menu.textItemHeight();
    const int cw = menu.captionWidth("&Login");
    EXPECT_EQ(ShortCutToText(withShortCut->shortCut()), "Ctrl+S");
    EXPECT_EQ(menu.control<BarButtonControl>(plain)->width(), cw + 2 * tih + 6);
    EXPECT_EQ(menu.control<BarButtonControl>(withShortCut)->width(),
              cw + 2 * tih + 6 + menu.textWidth("Ctrl+S") + tih - 6);
    EXPECT_EQ(menu.control<BarButtonControl>(plain)->height(), menu.menuItemHeight());
}

TEST_F(ItemControlSizesTest, SubItemsOnTheMainMenuAndInSubmenus) {
    BarSubItem* help = addSubItem("BarSubItem1", "Help");
    help->setImageIndex(2);
    BarSubItem* more = addSubItem("mnuMore", "More");
    help->itemLinks().add()->setItem(more);
    Bar* bar = barWith({help});
    RecordingBarControl& mainMenu = show(bar->itemLinks(), {.mainMenu = true});
    const int cw = mainMenu.captionWidth("Help");
    // After the glyph's button width, the caption and the main menu's caption spacing of 8.
    EXPECT_EQ(mainMenu.control<BarSubItemControl>(help)->width(), 23 + cw + 8);
    EXPECT_EQ(mainMenu.control<BarSubItemControl>(help)->height(), std::max(mainMenu.textItemHeight(), 22));

    RecordingBarControl& menu = show(help->itemLinks(), {.subMenu = true});
    // The flat look's sub items in menus: 9 wider and 2 taller than the root's measures.
    auto* sub = menu.control<BarSubItemControl>(more);
    EXPECT_EQ(sub->width(), menu.captionWidth("More") + 2 * menu.textItemHeight() + 6 + 9);
    EXPECT_EQ(sub->height(), menu.menuItemHeight() + 2);
}

TEST_F(ItemControlSizesTest, StaticItemsSizeToTheirContents) {
    BarStatic* label = new BarStatic(&form());
    label->setName("stLabel");
    label->setCaption("Ready");
    Bar* bar = barWith({label});
    RecordingBarControl& w = show(bar->itemLinks());
    auto* control = w.control<BarStaticControl>(label);
    ASSERT_NE(control, nullptr);
    const int cw = w.captionWidth("Ready");
    const int tih = w.textItemHeight();
    // Caption and half the item height; across, the item height less 3.
    EXPECT_EQ(control->width(), cw + tih / 2);
    EXPECT_EQ(control->height(), tih - 3);

    label->setBorderStyle(sbsEtched);
    EXPECT_EQ(control->width(), cw + tih / 2 + 4);
    EXPECT_EQ(control->height(), tih - 3 + 4);

    label->setLeftIndent(5);
    label->setRightIndent(-3);  // stored as 0
    EXPECT_EQ(control->width(), cw + tih / 2 + 4 + 5);

    label->setImageIndex(0);  // a glyph: its extent and 4 before the caption
    EXPECT_EQ(control->width(), cw + 23 + 4 + 4 + 5);
    EXPECT_EQ(control->height(), std::max(22, tih - 3) + 4);

    label->setShowCaption(false);
    label->setImageIndex(-1);  // the glyph area stays reserved without a caption
    EXPECT_EQ(control->width(), 23 + 4 + 5);
    EXPECT_EQ(control->height(), 22 + 4);

    label->setWidth(60);
    label->setHeight(20);
    EXPECT_EQ(control->sizeInParent(), Size(60, 20));
}

TEST_F(ItemControlSizesTest, StaticItemsOnVerticalBarsAndInSubmenus) {
    BarStatic* label = new BarStatic(&form());
    label->setName("stLabel");
    label->setCaption("Ready");
    label->setBorderStyle(sbsLowered);
    Bar* bar = barWith({label});
    RecordingBarControl& w = show(bar->itemLinks(), {.vertical = true});
    auto* control = w.control<BarStaticControl>(label);
    EXPECT_EQ(control->width(), w.textItemHeight() - 3 + 2);
    EXPECT_EQ(control->height(), w.captionWidth("Ready") + w.textItemHeight() / 2 + 2);

    BarSubItem* sub = addSubItem("mnuSub", "Sub");
    sub->itemLinks().add()->setItem(label);
    RecordingBarControl& menu = show(sub->itemLinks(), {.subMenu = true});
    EXPECT_EQ(menu.control<BarStaticControl>(label)->height(), menu.menuItemHeight() + 2);
}

TEST_F(ItemControlSizesTest, TheMainToolbarsProgressItemIs156Long) {
    auto* progress = new BarProgressItem(&form());
    progress->setName("briMain");
    progress->setAlign(iaRight);
    progress->setShowCaption(false);
    Bar* bar = barWith({progress});
    RecordingBarControl& w = show(bar->itemLinks());
    auto* control = w.control<BarProgressControl>(progress);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->width(), 156);
    EXPECT_EQ(control->height(), std::max(w.textItemHeight() - 3 + 2, 12 + 2 + 2));

    // A 150-pixel bar 3 pixels in from either end, centred across with an even remainder.
    const Rect item = Rect::fromSize(600, 2, 156, 22);
    const Rect barRect = control->progressBarRect(item);
    EXPECT_EQ(barRect.left, 603);
    EXPECT_EQ(barRect.right, 753);
    const int thickness = barRect.height();
    EXPECT_EQ(thickness, 14);  // 2 x 20 / 3 = 13.3 -> 13, 22 - 13 odd -> 14
    EXPECT_EQ(barRect.top, 2 + (22 - 14) / 2);
}

TEST_F(ItemControlSizesTest, AnIaClientProgressBarTakesTheItemsLengthLessTheStaticPart) {
    BarButton* b = button(psStandard, true);
    auto* progress = new BarProgressItem(&form());
    progress->setName("briMain");
    progress->setAlign(iaClient);
    progress->setShowCaption(false);
    Bar* bar = barWith({b, progress});
    RecordingBarControl& w = show(bar->itemLinks());
    auto* control = w.control<BarProgressControl>(progress);
    // Stretched by the layout: it asks only for its minimum along the bar.
    EXPECT_EQ(control->sizeInParent().cx, 1);
    const Rect item = Rect::fromSize(23, 0, 400, 20);
    const Rect barRect = control->progressBarRect(item);
    // 400 less the static part (the border's 2) less 4.
    EXPECT_EQ(barRect.width(), 400 - 2 - 4);
    EXPECT_EQ(barRect.right, item.right - 1 - 2);

    // Not the last link: the alignment does not count, and the bar is the automatic 150.
    bar->itemLinks().add()->setItem(button(psStandard, true));
    EXPECT_EQ(control->progressBarRect(item).width(), 150);
}

TEST_F(ItemControlSizesTest, AProgressItemTooShortForItsBarDrawsNoBar) {
    auto* progress = new BarProgressItem(&form());
    progress->setName("briMain");
    progress->setWidth(5);
    Bar* bar = barWith({progress});
    RecordingBarControl& w = show(bar->itemLinks());
    EXPECT_TRUE(w.control<BarProgressControl>(progress)->progressBarRect(Rect::fromSize(0, 0, 5, 20)).isEmpty());
}

}  // namespace
}  // namespace lindora::test
