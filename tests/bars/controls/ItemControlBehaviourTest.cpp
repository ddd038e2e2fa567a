// What item controls do with the model's change notices (exactly a rebuild of their window or
// a repaint), the states a button is drawn in, the click path, and the sub item's delayed open.
#include <gtest/gtest.h>

#include "bars/controls/BarButtonControl.h"
#include "bars/controls/BarStaticControl.h"
#include "bars/controls/BarSubItemControl.h"
#include "bars/controls/ControlsTestSupport.h"
#include "bars/items/BarProgressItem.h"
#include "bars/items/BarStatic.h"
#include "bars/model/BarContainerItems.h"
#include "bars/model/BarEdit.h"
#include "gfx/Bitmap.h"
#include "gfx/Canvas.h"
#include "gfx/PersistentGraphics.h"
#include "ui/Messages.h"

namespace lindora::test {
namespace {

using Log = std::vector<std::string>;

class ItemControlBehaviourTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        auto* images = new ImageListComponent(&form());
        for (const char* name : {"about", "exit", "help", "login"})
            images->images().addPNG(std::string(LINDORA_SOURCE_DIR) + "/src/app/glyphs/" + name + ".png");
        manager().setImages(images);
    }
};

TEST_F(ItemControlBehaviourTest, TheIntegrationMakesTheControlOfEachItemClass) {
    auto* label = new BarStatic(&form());
    label->setName("stLabel");
    auto* progress = new BarProgressItem(&form());
    progress->setName("briMain");
    auto* list = new BarListItem(&form());
    list->setName("lstRecent");
    list->items().add("a");
    list->OnGetData.bind([](Persistent*) {});
    auto* edit = new BarEdit(&form());
    edit->setName("edtFind");
    BarButton* button = addButton("btnLogin", "Login");
    BarSubItem* sub = addSubItem("BarSubItem1", "Help");
    Bar* bar = barWith({button, sub, label, progress, list, edit});
    RecordingBarControl& w = show(bar->itemLinks());
    EXPECT_NE(w.control<BarButtonControl>(button), nullptr);
    EXPECT_NE(w.control<BarSubItemControl>(sub), nullptr);
    EXPECT_NE(w.control<BarStaticControl>(label), nullptr);
    EXPECT_NE(w.control<BarProgressControl>(progress), nullptr);
    EXPECT_NE(w.control<BarContainerItemControl>(list), nullptr);
    // Edit controls are not built: the link simply has none.
    EXPECT_EQ(edit->links().front()->control(), nullptr);
    // On a rotated side bar a window item shows as a button.
    RecordingBarControl& side = show(barWith({edit})->itemLinks(), {.vertical = true, .rotated = true});
    auto* asButton = side.control<BarButtonControl>(edit);
    ASSERT_NE(asButton, nullptr);
    EXPECT_EQ(asButton->buttonItem(), nullptr);
    EXPECT_GT(asButton->height(), 0);
    EXPECT_FALSE(asButton->drawState().down);
}

// ---- change notices

TEST_F(ItemControlBehaviourTest, ChangeNoticesRebuildOrRepaint) {
    BarButton* glyphButton = addButton("btnGlyph", "Glyph");
    glyphButton->setImageIndex(3);
    BarButton* captioned = addButton("btnLogin", "Login");
    captioned->setImageIndex(3);
    captioned->setPaintStyle(psCaptionGlyph);
    Bar* bar = barWith({glyphButton, captioned});
    RecordingBarControl& w = show(bar->itemLinks());

    struct Case {
        const char* name;
        std::function<void()> change;
        Log expected;
    };
    const Case cases[] = {
        {"caption changes the size", [&] { captioned->setCaption("Log in"); }, {"rebuild"}},
        {"a psStandard button's glyph decides its look", [&] { glyphButton->setImageIndex(0); }, {"rebuild"}},
        {"a captioned button's glyph only repaints", [&] { captioned->setImageIndex(0); }, {"repaint btnLogin"}},
        {"paint style", [&] { captioned->setPaintStyle(psCaption); }, {"rebuild"}},
        {"button style", [&] { captioned->setButtonStyle(bsChecked); }, {"rebuild"}},
        {"down repaints", [&] { captioned->setDown(true); }, {"repaint btnLogin"}},
        {"enabled repaints", [&] { captioned->setEnabled(false); }, {"repaint btnLogin"}},
        {"a shortcut is not shown on toolbars", [&] { captioned->setShortCut(0x4000 | 'L'); }, {}},
        {"align rebuilds", [&] { captioned->setAlign(iaRight); }, {"rebuild"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w.log.clear();
        c.change();
        EXPECT_EQ(w.log, c.expected);
    }
}

TEST_F(ItemControlBehaviourTest, MenusRebuildForShortcutsAndIaClientItemsRepaintTheirCaption) {
    BarSubItem* sub = addSubItem("mnuFile", "File");
    BarButton* save = addButton("btnSave", "Save");
    sub->itemLinks().add()->setItem(save);
    RecordingBarControl& menu = show(sub->itemLinks(), {.subMenu = true});
    save->setShortCut(0x4000 | 'S');
    EXPECT_EQ(menu.log, Log{"rebuild"});

    auto* label = new BarStatic(&form());
    label->setName("stStatus");
    label->setAlign(iaClient);
    Bar* bar = barWith({label});
    RecordingBarControl& w = show(bar->itemLinks());
    label->setCaption("Done");
    EXPECT_EQ(w.log, Log{"repaint stStatus"});
}

TEST_F(ItemControlBehaviourTest, DisablingTheHotItemForgetsTheGlobalSelection) {
    BarButton* b = addButton("btnLogin", "Login");
    Bar* bar = barWith({b});
    RecordingBarControl& w = show(bar->itemLinks());
    auto* control = w.control<BarButtonControl>(b);
    w.setSelectedControl(control);
    EXPECT_EQ(manager().hotLink(), &control->link());
    b->setEnabled(false);
    EXPECT_EQ(manager().hotLink(), nullptr);
    // Selected by mouse, a disabled item does not count as selected.
    control->setSelectedByMouse(true);
    EXPECT_FALSE(control->isSelected());
    control->setSelectedByMouse(false);
    EXPECT_TRUE(control->isSelected());
}

TEST_F(ItemControlBehaviourTest, ProgressChangesInvalidateOnlyTheBar) {
    auto* progress = new BarProgressItem(&form());
    progress->setName("briMain");
    progress->setShowCaption(false);
    Bar* bar = barWith({progress});
    RecordingBarControl& w = show(bar->itemLinks());
    auto* control = w.control<BarProgressControl>(progress);
    progress->links().front()->setItemRect(Rect::fromSize(600, 2, 156, 22));
    const Rect barRect = control->progressBarRect(Rect::fromSize(600, 2, 156, 22));

    progress->setPosition(50);
    progress->setMax(200);
    progress->setSmooth(true);
    progress->setColor(clRed);
    EXPECT_EQ(w.invalidated, std::vector<Rect>(4, barRect));
    EXPECT_EQ(w.log, Log(4, "invalidate"));

    w.log.clear();
    progress->setStep(5);
    progress->setPosition(50);  // unchanged
    EXPECT_TRUE(w.log.empty());
}

// ---- draw states

TEST_F(ItemControlBehaviourTest, ButtonStatesMapToTheDrawStates) {
    BarButton* b = addButton("btnAutoLogin", "Auto Login");
    Bar* bar = barWith({b});
    RecordingBarControl& w = show(bar->itemLinks());
    auto* control = w.control<BarButtonControl>(b);

    EXPECT_EQ(control->drawState(), ButtonDrawState{});
    w.setSelectedControl(control);
    EXPECT_EQ(control->drawState(), (ButtonDrawState{.selected = true}));
    // Held down by the mouse in an active bar: pressed while the mouse stays over it.
    w.setActive(true);
    w.setPressedControl(control, true);
    EXPECT_EQ(control->drawState(), (ButtonDrawState{.pressed = true, .selected = true}));
    w.setPressedControl(control, false);
    EXPECT_EQ(control->drawState(), (ButtonDrawState{.selected = true}));
    w.setPressedControl(nullptr, false);

    b->setButtonStyle(bsChecked);
    b->setDown(true);
    EXPECT_EQ(control->drawState(), (ButtonDrawState{.down = true, .selected = true}));
    b->setEnabled(false);
    control->setSelectedByMouse(true);
    EXPECT_EQ(control->drawState(), (ButtonDrawState{.down = true, .disabled = true}));
    // Customizing: never drawn selected.
    b->setEnabled(true);
    manager().setCustomizing(true);
    EXPECT_FALSE(control->drawState().selected);
}

TEST_F(ItemControlBehaviourTest, ASideBarThatKeepsItsTextsUprightDrawsButtonsAsATopBarDoes) {
    BarButton* login = addButton("btnLogin", "Login");
    login->setImageIndex(3);
    login->setPaintStyle(psCaptionGlyph);
    auto draw = [&](WindowShape shape) {
        RecordingBarControl& w = show(barWith({login})->itemLinks(), shape);
        auto* control = w.control<BarButtonControl>(login);
        Bitmap bitmap(control->width(), control->height(), clBtnFace);
        Canvas canvas(bitmap);
        control->draw(canvas, bitmap.bounds(), control->drawKind());
        return bitmap;
    };
    const Bitmap top = draw({});
    EXPECT_TRUE(draw({.vertical = true}) == top);
    const Bitmap turned = draw({.vertical = true, .rotated = true});
    // Turned: as long as the top bar's button is wide, as thick as the button width allows.
    EXPECT_EQ(turned.height(), top.width());
    EXPECT_EQ(turned.width(), std::max(top.height(), manager().buttonWidth()));
}

// ---- clicks

TEST_F(ItemControlBehaviourTest, ACheckedButtonIsDownBeforeItsHandlerRuns) {
    BarButton* b = addButton("btnAutoLogin", "Auto Login");
    b->setButtonStyle(bsChecked);
    Log log;
    b->OnClick.bind([&](Persistent*) { log.push_back(b->down() ? "click down" : "click up"); });
    Bar* bar = barWith({b});
    RecordingBarControl& w = show(bar->itemLinks());
    w.onHideAll = [&] { log.push_back("menus closed"); };
    w.control<BarButtonControl>(b)->controlClick(true);
    w.control<BarButtonControl>(b)->controlClick(true);
    EXPECT_EQ(log, (Log{"menus closed", "click down", "menus closed", "click up"}));
    EXPECT_FALSE(b->down());
}

TEST_F(ItemControlBehaviourTest, AMenuButtonClosesTheMenusAndPlaysTheSoundBeforeItsHandler) {
    BarSubItem* sub = addSubItem("BarSubItem1", "Help");
    BarButton* about = addButton("btnAbout", "About");
    sub->itemLinks().add()->setItem(about);
    RecordingBarControl& menu = show(sub->itemLinks(), {.subMenu = true});
    auto* control = menu.control<BarButtonControl>(about);
    Log log;
    menu.onHideAll = [&] { log.push_back("menus closed"); };
    about->OnClick.bind([&](Persistent*) {
        log.push_back(std::string("click, drawn pressed: ") + (control->drawState().pressed ? "yes" : "no"));
    });
    platform().record().clear();
    control->controlClick(true);
    EXPECT_EQ(log, (Log{"menus closed", "click, drawn pressed: yes"}));
    EXPECT_EQ(platform().record().matching("sound"), Log{"sound MenuCommand"});
    EXPECT_FALSE(control->clickPressed());

    // CloseSubMenuOnClick off: the menu stays open and the handler still runs.
    about->setCloseSubMenuOnClick(false);
    log.clear();
    control->controlClick(true);
    EXPECT_EQ(log, Log{"click, drawn pressed: yes"});
}

TEST_F(ItemControlBehaviourTest, ToolbarButtonsClickSilentlyAndDisabledOnesNotAtAll) {
    BarButton* login = addButton("btnLogin", "Login");
    login->OnClick.bind(&form(), &TestForm::btnLoginClick);
    Bar* bar = barWith({login});
    RecordingBarControl& w = show(bar->itemLinks());
    platform().record().clear();
    w.control<BarButtonControl>(login)->controlClick(true);
    EXPECT_EQ(form().log, Log{"btnLoginClick btnLogin"});
    EXPECT_TRUE(platform().record().matching("sound").empty());

    login->setEnabled(false);
    w.log.clear();
    w.control<BarButtonControl>(login)->controlClick(true);
    EXPECT_EQ(form().log.size(), 1u);
    EXPECT_TRUE(w.log.empty());
}

TEST_F(ItemControlBehaviourTest, AHandlerThatFreesItsButtonEndsTheClickCleanly) {
    BarButton* exit = addButton("btnExit", "Exit");
    Bar* bar = barWith({exit});
    RecordingBarControl& w = show(bar->itemLinks());
    exit->OnClick.bind([&](Persistent*) { bar->itemLinks().items(0)->setItem(nullptr); });
    w.control<BarButtonControl>(exit)->controlClick(true);
    EXPECT_EQ(bar->itemLinks().count(), 0);
}

TEST_F(ItemControlBehaviourTest, ADropDownButtonOpensFromItsArrowPart) {
    BarButton* open = addButton("btnOpen", "Open");
    open->setImageIndex(3);
    open->setButtonStyle(bsDropDown);
    auto* menuComponent = new NotAForm(&form());
    open->setDropDownMenu(menuComponent);
    Log log;
    open->OnClick.bind([&](Persistent*) { log.push_back("click"); });
    Bar* bar = barWith({open});
    RecordingBarControl& w = show(bar->itemLinks());
    w.layOut();
    auto* control = w.control<BarButtonControl>(open);
    const Rect r = open->links().front()->itemRect();
    EXPECT_EQ(control->dropDownPartRect(), Rect(r.right - manager().arrowWidth(), r.top, r.right, r.bottom));

    // Pressed on the face: no drop-down, the press repaints.
    control->setPressPoint({r.left + 2, r.top + 2});
    control->controlPress(true);
    EXPECT_FALSE(control->droppedDown());
    EXPECT_TRUE(control->keepsPressCapture());

    // Pressed on the arrow: dropped down, drawn down, no click while it is.
    control->setPressPoint({r.right - 2, r.top + 2});
    control->controlPress(true);
    ASSERT_TRUE(control->droppedDown());
    EXPECT_TRUE(control->active());
    EXPECT_FALSE(control->keepsPressCapture());
    EXPECT_EQ(control->drawState(), (ButtonDrawState{.down = true, .droppedDown = true}));
    EXPECT_EQ(control->dropDownPoint(), Point(r.left, r.bottom));
    control->controlUnclick(true);
    EXPECT_TRUE(log.empty());

    // Leaving it closes the drop-down; then a click on the face runs the handler.
    control->controlInactivate(true);
    EXPECT_FALSE(control->droppedDown());
    control->setPressPoint({r.left + 2, r.top + 2});
    control->controlClick(true);
    EXPECT_EQ(log, Log{"click"});

    // The keyboard opens it with Down on a toolbar.
    EXPECT_TRUE(control->wantsKey(VK_DOWN));
    EXPECT_FALSE(control->wantsKey(VK_RIGHT));
    EXPECT_TRUE(control->keyDown(VK_DOWN));
    EXPECT_TRUE(control->droppedDown());
    // Without a menu nothing drops down.
    control->closeUp();
    open->setDropDownMenu(nullptr);
    control->dropDown();
    EXPECT_FALSE(control->droppedDown());
}

TEST_F(ItemControlBehaviourTest, ADownChangeDuringItsOwnClickRepaintsOnlyWhenTheClickEnds) {
    BarButton* b = addButton("btnAutoLogin", "Auto Login");
    b->setButtonStyle(bsChecked);
    Bar* bar = barWith({b});
    RecordingBarControl& w = show(bar->itemLinks());
    std::size_t repaintsInHandler = 0;
    b->OnClick.bind([&](Persistent*) {
        w.log.clear();
        b->setDown(false);  // the handler undoes the toggle
        repaintsInHandler = w.log.size();
        w.log.clear();
    });
    w.control<BarButtonControl>(b)->controlClick(true);
    EXPECT_EQ(repaintsInHandler, 0u);
    EXPECT_EQ(w.log, Log{"repaint btnAutoLogin"});
    EXPECT_FALSE(b->down());
}

TEST_F(ItemControlBehaviourTest, AStaticItemClicksOnlyWhenItAllowsIt) {
    auto* label = new BarStatic(&form());
    label->setName("stStatus");
    Log log;
    label->OnClick.bind([&](Persistent*) { log.push_back("click"); });
    Bar* bar = barWith({label});
    RecordingBarControl& w = show(bar->itemLinks());
    auto* control = w.control<BarStaticControl>(label);
    EXPECT_FALSE(control->canSelect());
    control->controlClick(true);
    EXPECT_TRUE(log.empty());
    label->setAllowClick(true);
    EXPECT_TRUE(control->canSelect());
    control->controlClick(true);
    EXPECT_EQ(log, Log{"click"});
}

// ---- sub items

TEST_F(ItemControlBehaviourTest, ASubItemOnAToolbarOpensOnlyOnceMenusOpenByClick) {
    BarSubItem* help = addSubItem("BarSubItem1", "Help");
    help->itemLinks().add()->setItem(addButton("btnHomePage", "Home Page"));
    Log log;
    help->OnPopup.bind([&](Persistent*) { log.push_back("popup"); });
    Bar* bar = barWith({help});
    RecordingBarControl& w = show(bar->itemLinks(), {.mainMenu = true});
    w.layOut();
    auto* control = w.control<BarSubItemControl>(help);

    control->controlActivate(false);  // the mouse passes over it
    EXPECT_FALSE(control->isOpen());
    control->controlInactivate(false);

    w.openedByClick = true;
    control->controlActivate(false);
    ASSERT_TRUE(control->isOpen());
    EXPECT_EQ(log, Log{"popup"});
    EXPECT_EQ(w.openSubMenu(), control->subMenu());
    auto* menu = static_cast<RecordingSubMenu*>(control->subMenu());
    const Rect r = help->links().front()->itemRect();
    EXPECT_EQ(menu->placement.screen, Point(r.left, r.bottom));
    EXPECT_EQ(menu->placement.ownerItemHeight, r.height());
    EXPECT_EQ(menu->ownerControl(), control);

    control->controlInactivate(false);  // on a toolbar: at once
    EXPECT_FALSE(control->isOpen());
    EXPECT_EQ(w.openSubMenu(), nullptr);
    EXPECT_EQ(controls->menuLog, (Log{"popup", "close up"}));
}

TEST_F(ItemControlBehaviourTest, PressingASubItemOpensItAndTheKeyboardSelectsTheFirstEntry) {
    BarSubItem* help = addSubItem("BarSubItem1", "Help");
    help->itemLinks().add()->setItem(addButton("btnHomePage", "Home Page"));
    Bar* bar = barWith({help});
    RecordingBarControl& w = show(bar->itemLinks(), {.mainMenu = true});
    auto* control = w.control<BarSubItemControl>(help);
    control->controlPress(false);
    EXPECT_TRUE(control->isOpen());
    EXPECT_EQ(controls->menuLog, (Log{"popup", "select first"}));
    // Pressed again in the flat look it stays open.
    control->controlPress(true);
    EXPECT_TRUE(control->isOpen());
    manager().setStyle(bmsStandard);
    control->controlPress(true);
    EXPECT_FALSE(control->isOpen());
}

TEST_F(ItemControlBehaviourTest, InASubmenuASubItemOpensAndClosesAfter400ms) {
    BarSubItem* help = addSubItem("BarSubItem1", "Help");
    BarSubItem* more = addSubItem("mnuMore", "More");
    help->itemLinks().add()->setItem(more);
    more->itemLinks().add()->setItem(addButton("btnAbout", "About"));
    RecordingBarControl& menu = show(help->itemLinks(), {.subMenu = true});
    menu.layOut();
    auto* control = menu.control<BarSubItemControl>(more);

    control->controlActivate(false);
    EXPECT_TRUE(control->isPending());
    advance(399);
    EXPECT_FALSE(control->isOpen());
    advance(1);
    ASSERT_TRUE(control->isOpen());
    EXPECT_FALSE(control->isPending());
    const Rect r = more->links().front()->itemRect();
    EXPECT_EQ(static_cast<RecordingSubMenu*>(control->subMenu())->placement.screen, Point(r.right, r.top));

    // Leaving it: closed after the same delay; coming back in time keeps it open.
    control->controlInactivate(false);
    advance(200);
    control->controlActivate(false);
    advance(400);
    EXPECT_TRUE(control->isOpen());
    control->controlInactivate(false);
    advance(400);
    EXPECT_FALSE(control->isOpen());
    EXPECT_EQ(BarSubItemControl::pending(), nullptr);

    // Passing over it quicker than the delay opens nothing.
    control->controlActivate(false);
    advance(200);
    control->controlInactivate(false);
    advance(1000);
    EXPECT_FALSE(control->isOpen());
    EXPECT_FALSE(control->active());
}

TEST_F(ItemControlBehaviourTest, APendingSubItemThatGoesTakesItsTimerWithIt) {
    BarSubItem* help = addSubItem("BarSubItem1", "Help");
    BarSubItem* more = addSubItem("mnuMore", "More");
    help->itemLinks().add()->setItem(more);
    RecordingBarControl& menu = show(help->itemLinks(), {.subMenu = true});
    menu.control<BarSubItemControl>(more)->controlActivate(false);
    ASSERT_NE(BarSubItemControl::pending(), nullptr);
    windows.clear();
    EXPECT_EQ(BarSubItemControl::pending(), nullptr);
    advance(1000);  // nothing fires into the freed control
    EXPECT_TRUE(controls->menuLog.empty());
}

TEST_F(ItemControlBehaviourTest, ContainerCaptionsShowWhenEmptyInMenus) {
    auto* list = new BarListItem(&form());
    list->setName("lstRecent");
    list->setCaption("Recent");
    BarSubItem* sub = addSubItem("mnuFile", "File");
    sub->itemLinks().add()->setItem(list);
    manager().setCustomizing(true);  // shows the unavailable list
    RecordingBarControl& menu = show(sub->itemLinks(), {.subMenu = true});
    auto* control = menu.control<BarContainerItemControl>(list);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->caption(), "(Recent)");
    EXPECT_FALSE(control->isExpandable());
    EXPECT_FALSE(control->canClick());
}

}  // namespace
}  // namespace lindora::test
