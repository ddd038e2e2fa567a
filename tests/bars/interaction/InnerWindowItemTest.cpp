// Items that edit in an inner window of their own, on a toolbar and in a submenu: the text beam
// over the inner window's part, presses, double clicks and releases beside it passed on to it,
// no menu-opened-by-click for them, keys left to the inner window while it has the focus, and
// a submenu that keeps the focus only for such an item. A minimal edit control stands in for
// the edit items: its inner window records what it receives.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "bars/controls/BarWinControl.h"
#include "bars/controls/MenuChain.h"
#include "bars/interaction/MenuFormTest.h"
#include "bars/model/BarEdit.h"
#include "bars/model/ItemControlClass.h"
#include "ui/Window.h"

namespace lindora::test {
namespace {

struct Received {
    unsigned msg;
    Point at;
};

// The inner window: takes the focus when pressed, as an edit field does.
class RecordingInnerWindow : public Window {
public:
    std::vector<Received> received;
    std::vector<unsigned> keys;
    std::function<void(bool)> onFocus;

protected:
    void wndProc(Message& m) override {
        switch (m.msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP:
            received.push_back({m.msg, Point(loWordSigned(m.lParam), hiWordSigned(m.lParam))});
            if (m.msg == WM_LBUTTONDOWN) windowSystem().setFocus(this);
            return;
        case WM_KEYDOWN: keys.push_back(static_cast<unsigned>(m.wParam)); return;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            if (onFocus) onFocus(m.msg == WM_SETFOCUS);
            break;
        default: break;
        }
        Window::wndProc(m);
    }
};

// A caption part of 40 pixels, then the inner window over the rest of the item.
class TestEditControl : public BarWinControl {
public:
    static constexpr int kCaptionWidth = 40;
    using BarWinControl::BarWinControl;
    ~TestEditControl() override { inner.destroy(); }

    int width() const override { return 140; }
    int height() const override { return 22; }
    bool closesMenus() const override { return false; }

    // Makes the inner window over the laid-out item (the real edit items do this on layout).
    void attachInner() {
        const Rect item = itemRect();
        const Rect r{item.left + kCaptionWidth, item.top + 2, item.right - 2, item.bottom - 2};
        CreateParams cp;
        cp.style = WS_CHILD | WS_VISIBLE;
        cp.bounds = r;
        cp.parent = parent()->barWindow();
        inner.create(cp);
        inner.onFocus = [this](bool has) { setFocused(has); };
        setInnerRect(r);
        setInnerWindow(&inner);
    }

    RecordingInnerWindow inner;
};

class EditControls : public BarControls {
public:
    std::unique_ptr<BarItemControl> createItemControl(const ItemControlClass& controlClass,
                                                      BarItemLink& link) override {
        if (&controlClass == &itemcontrols::BarEditControl) return std::make_unique<TestEditControl>(link);
        return BarControls::createItemControl(controlClass, link);
    }
};

class InnerWindowItemTest : public MenuFormTest {
protected:
    void SetUp() override {
        MenuFormTest::SetUp();
        BarControlsIntegration::install(std::make_unique<EditControls>());
        edit = new BarEdit(&form());
        edit->setName("edFind");
        edit->setCategory(0);
        edit->setCaption("Find");
        other = button("Other");
    }
    TestEditControl* editIn(const CustomBarControl& bar) {
        return dynamic_cast<TestEditControl*>(controlIn(bar, edit));
    }
    // A screen point on the item's caption part, left of the inner window.
    static Point besideInner(TestEditControl* c) {
        const Rect r = c->itemRect();
        return c->parent()->clientToScreen(Point(r.left + 10, (r.top + r.bottom) / 2));
    }
    static Point onInner(TestEditControl* c) {
        const Rect r = c->innerRect();
        return c->parent()->clientToScreen(Point((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    }
    // Where a screen point lies in the inner window's coordinates.
    static Point inInner(TestEditControl* c, Point screen) { return c->inner.screenToClient(screen); }
    SubMenuControl* openMenu() {
        BarSubItem* tools = subItem("Tools", {other, edit});
        Bar& bar = shownBar(dsTop, {tools});
        clickAt(centreOf(controlIn(window(bar), tools)));
        SubMenuControl* menu = menuOf(controlIn(window(bar), tools));
        if (menu) editIn(*menu)->attachInner();
        return menu;
    }

    BarEdit* edit = nullptr;
    BarButton* other = nullptr;
};

TEST_F(InnerWindowItemTest, OnAToolbarTheTextBeamShowsOverTheInnerWindowAndPressesBesideItGoToIt) {
    Bar& bar = shownBar(dsTop, {other, edit});
    TestEditControl* c = editIn(window(bar));
    ASSERT_NE(c, nullptr);
    c->attachInner();
    // The cursor follows the bar's own lookup, so check it where the bar gets the move: on the
    // item with the inner window hidden.
    c->inner.hide();
    moveTo(onInner(c));
    EXPECT_EQ(window(bar).cursor(), CursorShape::IBeam);
    moveTo(besideInner(c));
    EXPECT_EQ(window(bar).cursor(), CursorShape::Arrow);
    c->inner.show(false);

    const Point beside = besideInner(c);
    clickAt(beside);
    ASSERT_EQ(c->inner.received.size(), 2u) << "the press and the release";
    EXPECT_EQ(c->inner.received[0].msg, unsigned(WM_LBUTTONDOWN));
    EXPECT_EQ(c->inner.received[0].at, inInner(c, beside)) << "in the inner window's coordinates";
    EXPECT_LT(c->inner.received[0].at.x, 0);
    EXPECT_EQ(c->inner.received[1].msg, unsigned(WM_LBUTTONUP));
    EXPECT_TRUE(c->focused()) << "the forwarded press focused the edit";
    EXPECT_TRUE(MenuChain::isAlive(&window(bar)));
    EXPECT_FALSE(window(bar).menuOpenedByClick()) << "no menu-opened-by-click for an inner-window item";

    c->inner.received.clear();
    platform().input().doubleClick(beside);
    pump();
    bool sawDoubleClick = false;
    for (const Received& r : c->inner.received) sawDoubleClick |= r.msg == WM_LBUTTONDBLCLK;
    EXPECT_TRUE(sawDoubleClick) << "the double click goes on as a double click";

    // A press on the inner window itself reaches it once, straight.
    c->inner.received.clear();
    clickAt(onInner(c));
    ASSERT_FALSE(c->inner.received.empty());
    EXPECT_EQ(c->inner.received[0].at, inInner(c, onInner(c)));
    int presses = 0;
    for (const Received& r : c->inner.received) presses += r.msg == WM_LBUTTONDOWN;
    EXPECT_EQ(presses, 1);
}

TEST_F(InnerWindowItemTest, InASubmenuPressesAndDoubleClicksBesideTheInnerWindowGoToIt) {
    SubMenuControl* menu = openMenu();
    ASSERT_NE(menu, nullptr);
    TestEditControl* c = editIn(*menu);
    c->inner.hide();
    moveTo(onInner(c));
    EXPECT_EQ(menu->window()->cursor(), CursorShape::IBeam);
    moveTo(besideInner(c));
    EXPECT_EQ(menu->window()->cursor(), CursorShape::Arrow);
    c->inner.show(false);

    const Point beside = besideInner(c);
    clickAt(beside);
    ASSERT_FALSE(c->inner.received.empty());
    EXPECT_EQ(c->inner.received[0].msg, unsigned(WM_LBUTTONDOWN));
    EXPECT_EQ(c->inner.received[0].at, inInner(c, beside));
    ASSERT_TRUE(MenuChain::isAlive(menu)) << "an edit item does not close the menu";
    EXPECT_EQ(menu->selectedControl(), c);

    c->inner.received.clear();
    platform().input().doubleClick(beside);
    pump();
    bool sawDoubleClick = false;
    for (const Received& r : c->inner.received) sawDoubleClick |= r.msg == WM_LBUTTONDBLCLK;
    EXPECT_TRUE(sawDoubleClick);
}

TEST_F(InnerWindowItemTest, KeysGoToAFocusedInnerWindowAndTheMenuKeepsTheFocusOnlyForIt) {
    SubMenuControl* menu = openMenu();
    ASSERT_NE(menu, nullptr);
    TestEditControl* c = editIn(*menu);
    ItemControl* otherControl = controlIn(*menu, other);

    // The focus coming to the menu goes back to the form while a plain item is selected.
    menu->selectControl(otherControl);
    windowSystem().setFocus(menu->window());
    EXPECT_EQ(windowSystem().focus(), static_cast<Window*>(&form()));

    // Unfocused, the edit's keys still go to the menu.
    menu->selectControl(c);
    key('A');
    EXPECT_TRUE(c->inner.keys.empty());

    // Focused, they go to the edit and the menu stays as it is.
    windowSystem().setFocus(&c->inner);
    ASSERT_TRUE(c->focused());
    key('A');
    key(VK_DOWN);
    EXPECT_EQ(c->inner.keys, (std::vector<unsigned>{'A', VK_DOWN}));
    EXPECT_EQ(menu->selectedControl(), c);

    // With the edit selected the menu may keep the focus.
    windowSystem().setFocus(menu->window());
    EXPECT_EQ(windowSystem().focus(), menu->window());
}

}  // namespace
}  // namespace lindora::test
