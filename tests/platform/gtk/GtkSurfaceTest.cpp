#include "platform_gtk/GtkSurface.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <algorithm>

#include "GtkTestDisplay.h"
#include "GtkTestInput.h"
#include "gfx/Bitmap.h"
#include "platform_gtk/GtkX11.h"
#include "ui/Messages.h"

namespace lindora {
namespace {

using test::GtkTestDisplay;

class RecordingSink final : public PlatformEventSink {
public:
    void mouseInput(const MouseInput& input) override { mice.push_back(input); }
    void keyInput(const KeyInput& input) override { keys.push_back(input); }
    void systemChanged(SystemChange change, unsigned) override { changes.push_back(change); }
    bool queryEndSession() override { return true; }
    bool nativeChildKeyInput(NativeChild*, const KeyInput&) override { return false; }
    bool nativeChildMouseInput(NativeChild*, const MouseInput&) override { return false; }
    void nativeChildFocused(NativeChild*) override {}

    std::vector<MouseInput> mice;
    std::vector<KeyInput> keys;
    std::vector<SystemChange> changes;
};

// Presents a fixed picture whenever the surface asks to be shown again.
class PaintingDelegate final : public SurfaceDelegate {
public:
    explicit PaintingDelegate(Bitmap picture) : picture_(std::move(picture)) {}
    void surfaceExposed(const Rect& area) override {
        ++exposed;
        if (surface) surface->present(picture_, area);
    }
    void surfaceGeometryChanged(const Rect& bounds) override { lastBounds = bounds; }
    void surfaceCloseRequested() override {}
    void surfaceActivationChanged(bool) override {}
    void surfaceShowStateChanged(ShowState) override {}

    NativeSurface* surface = nullptr;
    int exposed = 0;
    Rect lastBounds;

private:
    Bitmap picture_;
};

class GtkSurfaceTest : public testing::Test {
protected:
    void SetUp() override {
        LINDORA_REQUIRE_GTK_DISPLAY();
        integration = GtkTestDisplay::integration();
        integration->attach(sink);
    }

    std::unique_ptr<GtkSurface> makeSurface(SurfaceKind kind, Rect bounds, SurfaceDelegate* delegate) {
        SurfaceParams params;
        params.kind = kind;
        params.bounds = bounds;
        params.delegate = delegate;
        auto native = integration->createSurface(params);
        return std::unique_ptr<GtkSurface>(static_cast<GtkSurface*>(native.release()));
    }

    void showAndWait(GtkSurface& s) {
        s.setVisible(true, false);
        ASSERT_TRUE(GtkTestDisplay::pumpUntil([&] { return gtk_widget_get_mapped(s.window()); }));
        GtkTestDisplay::settle();
    }

    GtkIntegration* integration = nullptr;
    RecordingSink sink;
};

TEST_F(GtkSurfaceTest, PopupLandsWhereAskedAndShowsTheBackingStore) {
    Bitmap picture(60, 40, RGB(200, 30, 40));
    for (int y = 0; y < 40; ++y)
        for (int x = 30; x < 60; ++x) picture.setColor(x, y, RGB(20, 120, 220));
    PaintingDelegate delegate(picture);
    auto popup = makeSurface(SurfaceKind::Popup, Rect::fromSize(100, 120, 60, 40), &delegate);
    delegate.surface = popup.get();
    showAndWait(*popup);

    gint x = 0, y = 0;
    gdk_window_get_origin(gtk_widget_get_window(popup->window()), &x, &y);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 120);
    // Nothing was presented before the first draw: the surface asked for it.
    EXPECT_GE(delegate.exposed, 1);
    EXPECT_EQ(GtkTestDisplay::screenPixel(105, 125), 0xC81E28u);
    EXPECT_EQ(GtkTestDisplay::screenPixel(155, 155), 0x1478DCu);
    EXPECT_NE(GtkTestDisplay::screenPixel(165, 125), 0xC81E28u);  // outside the popup

    // A later present shows at once, without another expose.
    Bitmap green(60, 40, RGB(0, 160, 0));
    popup->present(green, Rect(0, 0, 10, 10));
    const int exposedBefore = delegate.exposed;
    EXPECT_TRUE(GtkTestDisplay::pumpUntil([] { return GtkTestDisplay::screenPixel(102, 122) == 0x00A000u; }));
    EXPECT_EQ(delegate.exposed, exposedBefore);
    EXPECT_EQ(GtkTestDisplay::screenPixel(115, 135), 0xC81E28u);
}

TEST_F(GtkSurfaceTest, ShowsThePresentedStoreItselfAndAsksAgainOnceItIsGone) {
    PaintingDelegate delegate(Bitmap(60, 40, RGB(200, 30, 40)));
    auto popup = makeSurface(SurfaceKind::Popup, Rect::fromSize(100, 120, 60, 40), &delegate);
    delegate.surface = popup.get();
    showAndWait(*popup);
    {
        Bitmap store(60, 40, RGB(0, 160, 0));
        popup->present(store, Rect(0, 0, 60, 40));
        EXPECT_EQ(popup->store(), store.surface());  // no copy
        EXPECT_TRUE(GtkTestDisplay::pumpUntil([] { return GtkTestDisplay::screenPixel(130, 140) == 0x00A000u; }));

        // Painted after the present and shown by a redraw: the surface reads the store itself.
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 60; ++x) store.setColor(x, y, RGB(20, 120, 220));
        store.markDirty();
        gtk_widget_queue_draw(popup->window());
        EXPECT_TRUE(GtkTestDisplay::pumpUntil([] { return GtkTestDisplay::screenPixel(130, 140) == 0x1478DCu; }));

        // Replaced (a resize) before the next present: the old pixels are no longer the surface's.
        store.resize(30, 20);
        EXPECT_EQ(popup->store(), nullptr);
    }
    // A redraw with nothing to show asks for the store again instead of painting freed memory.
    const int exposedBefore = delegate.exposed;
    gtk_widget_queue_draw(popup->window());
    EXPECT_TRUE(GtkTestDisplay::pumpUntil([] { return GtkTestDisplay::screenPixel(130, 140) == 0xC81E28u; }));
    EXPECT_GT(delegate.exposed, exposedBefore);
}

// A native child still loading its first content, as the browser's engine is at start-up.
class StartingChild final : public GtkHostedChild {
public:
    explicit StartingChild(GtkSurface& host) : host_(host), widget_(gtk_drawing_area_new()) {
        g_object_ref_sink(widget_);
    }
    ~StartingChild() override {
        if (placed_) {
            host_.removeHostedChild(this);
            gtk_container_remove(GTK_CONTAINER(host_.childLayer()), widget_);
        }
        g_object_unref(widget_);
    }
    void hostSurfaceDestroyed() override {}
    void hostSurfaceFirstFrameShown() override {
        gtk_layout_put(GTK_LAYOUT(host_.childLayer()), widget_, 0, 0);
        host_.addHostedChild(this);
        placed_ = true;
    }
    GtkWidget* hostedWidget() const override { return widget_; }
    NativeChild* nativeChild() override { return nullptr; }
    bool wantsFocus() const override { return false; }
    bool isStarting() const override { return starting; }

    bool starting = true;
    bool placed() const { return placed_; }

private:
    GtkSurface& host_;
    GtkWidget* widget_;
    bool placed_ = false;
};

TEST_F(GtkSurfaceTest, TheIconWaitsForAChildThatIsStillStarting) {
    PaintingDelegate delegate(Bitmap(200, 100, RGB(212, 208, 200)));
    auto form = makeSurface(SurfaceKind::Normal, Rect::fromSize(300, 300, 200, 100), &delegate);
    delegate.surface = form.get();
    StartingChild child(*form);
    form->waitForFirstFrame(&child);
    form->setIcon({Bitmap(16, 16, RGB(0, 0, 255)), Bitmap(32, 32, RGB(0, 0, 255))});
    auto iconCount = [&] {
        GList* icons = gtk_window_get_icon_list(GTK_WINDOW(form->window()));
        const guint n = g_list_length(icons);
        g_list_free(icons);
        return n;
    };
    showAndWait(*form);
    ASSERT_TRUE(GtkTestDisplay::pumpUntil([&] { return child.placed(); }));
    GtkTestDisplay::settle();
    EXPECT_EQ(iconCount(), 0u) << "the icon went before the child had started";

    child.starting = false;
    form->hostedChildStarted();
    EXPECT_TRUE(GtkTestDisplay::pumpUntil([&] { return iconCount() == 2u; }));
}

TEST_F(GtkSurfaceTest, PointerGrabSucceedsOnAShownSurface) {
    PaintingDelegate delegate(Bitmap(40, 40, RGB(0, 0, 0)));
    auto popup = makeSurface(SurfaceKind::Popup, Rect::fromSize(300, 300, 40, 40), &delegate);
    delegate.surface = popup.get();
    popup->setPointerGrab(true);
    EXPECT_FALSE(popup->hasPointerGrab());  // not viewable yet
    showAndWait(*popup);
    popup->setPointerGrab(true);
    EXPECT_TRUE(popup->hasPointerGrab());
    popup->setPointerGrab(false);
    EXPECT_FALSE(popup->hasPointerGrab());
    popup->setPointerGrab(true);
    popup->setVisible(false, false);  // hiding gives the pointer back
    EXPECT_FALSE(popup->hasPointerGrab());
}

TEST_F(GtkSurfaceTest, ButtonsBecomePressesAndDoubleClicksTheClassicWay) {
    PaintingDelegate delegate(Bitmap(120, 80, RGB(212, 208, 200)));
    auto form = makeSurface(SurfaceKind::Normal, Rect::fromSize(200, 200, 120, 80), &delegate);
    delegate.surface = form.get();
    showAndWait(*form);
    test::fakePointerMove(210, 220);
    test::fakeKey(GDK_KEY_Shift_L, true);
    for (int click = 0; click < 3; ++click) {
        test::fakeButton(1, true);
        test::fakeButton(1, false);
    }
    test::fakeKey(GDK_KEY_Shift_L, false);
    auto clicks = [&] {
        return std::count_if(sink.mice.begin(), sink.mice.end(), [](const MouseInput& m) {
            return m.action != MouseAction::Move && m.action != MouseAction::Leave;
        });
    };
    ASSERT_TRUE(GtkTestDisplay::pumpUntil([&] { return clicks() >= 6; }));
    std::vector<MouseAction> actions;
    for (const MouseInput& m : sink.mice) {
        if (m.action == MouseAction::Move || m.action == MouseAction::Leave) continue;
        actions.push_back(m.action);
        EXPECT_EQ(m.button, MouseButton::Left);
        EXPECT_EQ(m.screen, Point(210, 220));
        EXPECT_EQ(m.surface, form.get());
        EXPECT_EQ(m.modifiers, unsigned(ModShift));
    }
    EXPECT_EQ(actions, (std::vector<MouseAction>{MouseAction::Press, MouseAction::Release, MouseAction::DoubleClick,
                                                 MouseAction::Release, MouseAction::Press, MouseAction::Release}));
}

TEST_F(GtkSurfaceTest, KeysBecomeVirtualKeysWithTheirText) {
    PaintingDelegate delegate(Bitmap(120, 80, RGB(212, 208, 200)));
    auto form = makeSurface(SurfaceKind::Normal, Rect::fromSize(400, 200, 120, 80), &delegate);
    delegate.surface = form.get();
    showAndWait(*form);
    // Xvfb gives the keyboard to the window under the pointer.
    test::fakePointerMove(450, 230);
    form->requestActivate();
    GtkTestDisplay::settle();
    test::fakeKey(GDK_KEY_a, true);
    test::fakeKey(GDK_KEY_a, false);
    test::fakeKey(GDK_KEY_F10, true);
    test::fakeKey(GDK_KEY_F10, false);
    test::fakeKey(GDK_KEY_Return, true);
    test::fakeKey(GDK_KEY_Return, false);
    ASSERT_TRUE(GtkTestDisplay::pumpUntil([&] { return sink.keys.size() >= 6; }));
    EXPECT_EQ(sink.keys[0].vk, 'A');
    EXPECT_TRUE(sink.keys[0].down);
    EXPECT_EQ(sink.keys[0].text, U"a");
    EXPECT_EQ(sink.keys[1].vk, 'A');
    EXPECT_FALSE(sink.keys[1].down);
    EXPECT_EQ(sink.keys[2].vk, VK_F10);
    EXPECT_TRUE(sink.keys[2].text.empty());
    EXPECT_EQ(sink.keys[4].vk, VK_RETURN);
    EXPECT_EQ(sink.keys[4].text, U"\r");
}

TEST_F(GtkSurfaceTest, ShapesAndBitmapCursorsGoOnTheDrawing) {
    PaintingDelegate delegate(Bitmap(60, 60, RGB(212, 208, 200)));
    auto form = makeSurface(SurfaceKind::Normal, Rect::fromSize(800, 500, 60, 60), &delegate);
    showAndWait(*form);
    GdkWindow* bin = gtk_layout_get_bin_window(GTK_LAYOUT(form->childLayer()));
    for (CursorShape shape :
         {CursorShape::Arrow, CursorShape::IBeam, CursorShape::SizeWE, CursorShape::HSplit, CursorShape::DragNoDrop})
        form->setCursor(shape);  // named cursors come from the theme, when it has them
    Bitmap arrow(16, 16);
    for (int i = 0; i < 16; ++i) arrow.setPixel(i, i, 0xFF000000);
    form->setCustomCursor(arrow, Point(0, 0));
    GdkCursor* custom = gdk_window_get_cursor(bin);
    ASSERT_NE(custom, nullptr);
    EXPECT_EQ(gdk_cursor_get_cursor_type(custom), GDK_CURSOR_IS_PIXMAP);
    form->setCursor(CursorShape::Custom);  // keeps the bitmap cursor
    EXPECT_EQ(gdk_window_get_cursor(bin), custom);
}

TEST_F(GtkSurfaceTest, FocusMovingBetweenOurWindowsKeepsTheApplicationActive) {
    PaintingDelegate delegate(Bitmap(100, 60, RGB(212, 208, 200)));
    auto first = makeSurface(SurfaceKind::Normal, Rect::fromSize(600, 100, 100, 60), &delegate);
    auto second = makeSurface(SurfaceKind::Normal, Rect::fromSize(600, 300, 100, 60), &delegate);
    showAndWait(*first);
    showAndWait(*second);
    auto count = [&](SystemChange c) { return std::count(sink.changes.begin(), sink.changes.end(), c); };

    first->requestActivate();
    ASSERT_TRUE(GtkTestDisplay::pumpUntil([&] { return gtk_window_is_active(GTK_WINDOW(first->window())); }));
    second->requestActivate();
    ASSERT_TRUE(GtkTestDisplay::pumpUntil([&] { return gtk_window_is_active(GTK_WINDOW(second->window())); }));
    GtkTestDisplay::settle();
    EXPECT_EQ(count(SystemChange::AppActivated), 1);
    EXPECT_EQ(count(SystemChange::AppDeactivated), 0);

    // Another application takes the focus: here, nobody.
    test::focusNobody();
    EXPECT_TRUE(GtkTestDisplay::pumpUntil([&] { return count(SystemChange::AppDeactivated) == 1; }));
    EXPECT_EQ(count(SystemChange::AppActivated), 1);
}

// The window layer tells the backend its whole order bottom up, unmapped windows among the
// rest. An unmapped window may lie at the bottom of the screen's stack, below the desktop's
// frames (the window layer lowered it there before the form showed): a shown popup put right
// above it must not vanish there under the framed form.
TEST_F(GtkSurfaceTest, APopupStackedAboveAnUnmappedWindowStaysAboveTheFramedForm) {
    test::TestWindowManager manager;
    LINDORA_REQUIRE_WINDOW_MANAGER(manager);
    PaintingDelegate grey(Bitmap(300, 200, RGB(212, 208, 200)));
    PaintingDelegate green(Bitmap(80, 50, RGB(0, 160, 0)));
    // Never shown, as the hint window is until it is needed.
    auto hiddenPopup = makeSurface(SurfaceKind::Popup, Rect::fromSize(0, 0, 1, 1), nullptr);
    gtk_widget_realize(hiddenPopup->window());
    hiddenPopup->stackBottom();
    auto form = makeSurface(SurfaceKind::Normal, Rect::fromSize(300, 300, 300, 200), &grey);
    grey.surface = form.get();
    auto menu = makeSurface(SurfaceKind::Popup, Rect::fromSize(400, 380, 80, 50), &green);
    green.surface = menu.get();
    showAndWait(*form);
    showAndWait(*menu);
    ASSERT_TRUE(GtkTestDisplay::pumpUntil([] { return GtkTestDisplay::screenPixel(440, 400) == 0x00A000u; }));

    // Bottom up: the form, the hidden popup, the menu; the form is not put above the hidden
    // popup, which the desktop could not do.
    form->stackBottom();
    hiddenPopup->stackAbove(form.get());
    menu->stackAbove(hiddenPopup.get());
    // The desktop handles requests in order: once it answered a later question, it has
    // handled those before it.
    GtkWidget* probe = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_widget_realize(probe);
    EXPECT_TRUE(
        GtkTestDisplay::pumpUntil([&] { return requestFrameExtents(probe) != Rect(); }, std::chrono::seconds(10)));
    gtk_widget_destroy(probe);
    GtkTestDisplay::settle();
    EXPECT_EQ(GtkTestDisplay::screenPixel(440, 400), 0x00A000u) << "the menu went below the form";

    // Put right above the framed form, it is above it too.
    menu->stackAbove(form.get());
    GtkTestDisplay::settle();
    EXPECT_EQ(GtkTestDisplay::screenPixel(440, 400), 0x00A000u);
}

}  // namespace
}  // namespace lindora
