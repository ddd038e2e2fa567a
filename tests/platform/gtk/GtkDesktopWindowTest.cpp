// The window layer's top-levels on the real desktop: which windows the desktop frames and which
// may never take the focus, capture lost to another grab, AltGr, the desktop's sound switches,
// and, under a real window manager, the desktop's frame, maximise, minimise and restore.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <cstdlib>

#include "GtkTestDisplay.h"
#include "GtkTestInput.h"
#include "gfx/Brush.h"
#include "gfx/Canvas.h"
#include "platform_gtk/GtkPlatform.h"
#include "platform_gtk/GtkSoundPlayer.h"
#include "platform_gtk/GtkSurface.h"
#include "ui/Window.h"
#include "ui/WindowSystem.h"

namespace lindora {
namespace {

using test::GtkTestDisplay;
using test::TestWindowManager;

struct Seen {
    unsigned msg;
    WParam wParam;
    bool ctrlDown = false;
    bool altDown = false;
};

// Fills its client area and records the messages it gets.
class RecordingWindow final : public Window {
public:
    explicit RecordingWindow(Color color = RGB(40, 120, 200)) : color_(color) {}
    void paint(Canvas& canvas) override { canvas.fillRect(clientRect(), Brush(color_)); }

    std::vector<Seen> seen;
    // A floating bar's window never becomes the active window when clicked.
    bool noMouseActivate = false;
    bool got(unsigned msg, WParam w) const {
        return std::any_of(seen.begin(), seen.end(), [&](const Seen& s) { return s.msg == msg && s.wParam == w; });
    }
    bool got(unsigned msg) const {
        return std::any_of(seen.begin(), seen.end(), [&](const Seen& s) { return s.msg == msg; });
    }
    std::vector<Seen> keys() const {
        std::vector<Seen> out;
        for (const Seen& s : seen)
            if (s.msg == WM_KEYDOWN || s.msg == WM_KEYUP || s.msg == WM_SYSKEYDOWN || s.msg == WM_SYSKEYUP ||
                s.msg == WM_SYSCHAR)
                out.push_back(s);
        return out;
    }

protected:
    void wndProc(Message& m) override {
        WindowSystem& ws = WindowSystem::instance();
        seen.push_back({m.msg, m.wParam, ws.keyState(VK_CONTROL) < 0, ws.keyState(VK_MENU) < 0});
        if (m.msg == WM_MOUSEACTIVATE && noMouseActivate) {
            m.result = MA_NOACTIVATE;
            return;
        }
        Window::wndProc(m);
    }

private:
    Color color_;
};

GtkSurface* gtkSurfaceOf(const Window& w) { return GtkSurface::from(w.surface()); }

bool mapped(const Window& w) {
    GtkSurface* s = gtkSurfaceOf(w);
    return s && gtk_widget_get_mapped(s->window());
}

GdkWindowState nativeState(const Window& w) {
    return gdk_window_get_state(gtk_widget_get_window(gtkSurfaceOf(w)->window()));
}

unsigned long xidOf(const Window& w) { return test::xWindowOf(gtkSurfaceOf(w)->window()); }

// The outer rectangle of the native window, frame included, as the X server has it.
Rect nativeOuterBounds(const Window& w) {
    GdkRectangle r{};
    gdk_window_get_frame_extents(gtk_widget_get_window(gtkSurfaceOf(w)->window()), &r);
    return Rect::fromSize(r.x, r.y, r.width, r.height);
}

// The desktop's own tool, as another program (a task bar) would ask the window manager.
bool desktopTool(const std::string& command, unsigned long xid) {
    const std::string line = "xdotool " + command + " " + std::to_string(xid) + " >/dev/null 2>&1";
    return std::system(line.c_str()) == 0;
}

class GtkDesktopWindowTest : public testing::Test {
protected:
    void SetUp() override {
        LINDORA_REQUIRE_GTK_DISPLAY();
        registerGtkPlatform();
        PlatformIntegration::install(GtkIntegration::create());
    }
    void TearDown() override { PlatformIntegration::install(nullptr); }
};

// ---- which windows the desktop frames and which never take the focus

TEST_F(GtkDesktopWindowTest, StylesDecideTheSurfaceKindTheDesktopFrameAndWhetherItMayTakeTheFocus) {
    struct Case {
        const char* what;
        std::uint32_t style, exStyle;
        SurfaceKind kind;
        bool decorated, refusesFocus;
    };
    const Case cases[] = {
        {"main window", WS_OVERLAPPEDWINDOW, 0, SurfaceKind::Normal, true, false},
        {"dialog", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, SurfaceKind::Normal, true, false},
        {"tool form", WS_CAPTION | WS_THICKFRAME, WS_EX_TOOLWINDOW, SurfaceKind::Tool, false, false},
        {"floating bar", WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW, SurfaceKind::Tool, false, true},
        {"menu", WS_POPUP, 0, SurfaceKind::Popup, false, true},
        {"hint", WS_POPUP, WS_EX_TOOLWINDOW, SurfaceKind::Popup, false, true},
        {"shadow", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_LAYERED, SurfaceKind::Popup, false, true},
        {"captioned no-activate", WS_CAPTION, WS_EX_NOACTIVATE, SurfaceKind::Normal, true, true},
    };
    for (const Case& c : cases) {
        RecordingWindow w;
        w.create({c.what, c.style, c.exStyle, 0, Rect::fromSize(10, 10, 200, 100), nullptr});
        GtkSurface* s = gtkSurfaceOf(w);
        ASSERT_NE(s, nullptr) << c.what;
        EXPECT_EQ(s->kind(), c.kind) << c.what;
        EXPECT_EQ(s->isDecoratedByDesktop(), c.decorated) << c.what;
        EXPECT_EQ(s->desktopFrame().has_value(), c.decorated) << c.what;
        EXPECT_EQ(s->refusesFocus(), c.refusesFocus) << c.what;
        EXPECT_EQ(gtk_window_get_accept_focus(GTK_WINDOW(s->window())) == FALSE, c.refusesFocus) << c.what;
        EXPECT_EQ(gtk_window_get_decorated(GTK_WINDOW(s->window())) != FALSE, c.decorated) << c.what;
    }
}

TEST_F(GtkDesktopWindowTest, WithoutAWindowManagerTheDesktopFrameIsEmptyAndTheClientFillsTheWindow) {
    RecordingWindow form;
    form.create({"Form", WS_OVERLAPPEDWINDOW, 0, 0, Rect::fromSize(100, 100, 300, 200), nullptr});
    ASSERT_TRUE(gtkSurfaceOf(form)->desktopFrame().has_value());
    EXPECT_EQ(*gtkSurfaceOf(form)->desktopFrame(), Rect());
    EXPECT_EQ(form.clientRectInWindow(), Rect(0, 0, 300, 200));
}

// ---- capture

TEST_F(GtkDesktopWindowTest, APointerGrabTakenByAnotherWindowIsACaptureLoss) {
    RecordingWindow form;
    form.create({"Capture", WS_POPUP | WS_VISIBLE, 0, 0, Rect::fromSize(50, 50, 200, 150), nullptr});
    ASSERT_TRUE(GtkTestDisplay::runUntil([&] { return mapped(form); }));
    GtkTestDisplay::settle();
    WindowSystem& ws = WindowSystem::instance();
    ws.setCapture(&form);
    ASSERT_TRUE(gtkSurfaceOf(form)->hasPointerGrab());

    // A native window of the toolkit grabs the pointer, as a native popup would.
    GtkWidget* other = gtk_window_new(GTK_WINDOW_POPUP);
    gtk_window_move(GTK_WINDOW(other), 400, 400);
    gtk_window_resize(GTK_WINDOW(other), 50, 50);
    gtk_widget_show(other);
    ASSERT_TRUE(GtkTestDisplay::runUntil([&] { return gtk_widget_get_mapped(other) != FALSE; }));
    GdkSeat* seat = gdk_display_get_default_seat(gdk_display_get_default());
    ASSERT_EQ(gdk_seat_grab(seat, gtk_widget_get_window(other), GDK_SEAT_CAPABILITY_ALL_POINTING, FALSE, nullptr,
                            nullptr, nullptr, nullptr),
              GDK_GRAB_SUCCESS);
    // The toolkit tells the old grab window with the next pointer event.
    test::fakePointerMove(410, 410);

    EXPECT_TRUE(GtkTestDisplay::runUntil([&] { return ws.capture() == nullptr; }, std::chrono::seconds(10)));
    EXPECT_TRUE(form.got(WM_CAPTURECHANGED));
    EXPECT_FALSE(gtkSurfaceOf(form)->hasPointerGrab());
    gdk_seat_ungrab(seat);
    gtk_widget_destroy(other);
}

// ---- keys

class GtkDesktopKeyTest : public GtkDesktopWindowTest {
protected:
    void SetUp() override {
        GtkDesktopWindowTest::SetUp();
        if (IsSkipped()) return;
        form.create({"Keys", WS_OVERLAPPEDWINDOW, 0, 0, Rect::fromSize(100, 100, 300, 200), nullptr});
        form.show();
        ASSERT_TRUE(
            GtkTestDisplay::runUntil([&] { return WindowSystem::instance().focus() == &form && mapped(form); }));
        ASSERT_TRUE(GtkTestDisplay::runUntil(
            [&] { return gtk_window_is_active(GTK_WINDOW(gtkSurfaceOf(form)->window())) != FALSE; }));
        GtkTestDisplay::settle();
        WindowSystem::instance().processMessages();
        form.seen.clear();
    }
    void TearDown() override {
        form.destroy();
        GtkDesktopWindowTest::TearDown();
    }
    // Presses and releases keys in order, then waits for the last release to arrive.
    void type(std::initializer_list<std::pair<unsigned, bool>> keys, unsigned lastVk) {
        for (auto [sym, press] : keys) test::fakeKey(sym, press);
        ASSERT_TRUE(GtkTestDisplay::runUntil([&] {
            const auto k = form.keys();
            return !k.empty() && (k.back().msg == WM_KEYUP || k.back().msg == WM_SYSKEYUP) && k.back().wParam == lastVk;
        }));
    }

    RecordingWindow form;
};

TEST_F(GtkDesktopKeyTest, AltAloneIsASystemKeyButAltGrIsCtrlAltAndNeverOne) {
    if (!test::layoutHasKey(GDK_KEY_ISO_Level3_Shift)) GTEST_SKIP() << "the display's layout has no AltGr key";
    type({{GDK_KEY_Alt_L, true}, {GDK_KEY_Alt_L, false}}, VK_MENU);
    auto k = form.keys();
    ASSERT_EQ(k.size(), 2u);
    EXPECT_EQ(k[0].msg, WM_SYSKEYDOWN);
    EXPECT_EQ(k[1].msg, WM_SYSKEYUP);

    form.seen.clear();
    type({{GDK_KEY_ISO_Level3_Shift, true}, {GDK_KEY_ISO_Level3_Shift, false}}, VK_CONTROL);
    k = form.keys();
    ASSERT_EQ(k.size(), 4u);
    // Ctrl first and last, so that Alt never stands alone.
    EXPECT_EQ(k[0].msg, WM_KEYDOWN);
    EXPECT_EQ(k[0].wParam, VK_CONTROL);
    EXPECT_EQ(k[1].msg, WM_KEYDOWN);
    EXPECT_EQ(k[1].wParam, VK_MENU);
    EXPECT_EQ(k[2].msg, WM_KEYUP);
    EXPECT_EQ(k[2].wParam, VK_MENU);
    EXPECT_EQ(k[3].msg, WM_KEYUP);
    EXPECT_EQ(k[3].wParam, VK_CONTROL);
}

TEST_F(GtkDesktopKeyTest, AltGrWithALetterIsNoAltAccelerator) {
    if (!test::layoutHasKey(GDK_KEY_ISO_Level3_Shift)) GTEST_SKIP() << "the display's layout has no AltGr key";
    type({{GDK_KEY_ISO_Level3_Shift, true}, {GDK_KEY_q, true}, {GDK_KEY_q, false}, {GDK_KEY_ISO_Level3_Shift, false}},
         VK_CONTROL);
    const auto k = form.keys();
    const auto q = std::find_if(k.begin(), k.end(), [](const Seen& s) { return s.wParam == 'Q'; });
    ASSERT_NE(q, k.end());
    EXPECT_EQ(q->msg, WM_KEYDOWN);
    EXPECT_TRUE(q->ctrlDown);
    EXPECT_TRUE(q->altDown);
    EXPECT_FALSE(form.got(WM_SYSKEYDOWN));
    EXPECT_FALSE(form.got(WM_SYSCHAR));
}

// ---- sounds

TEST(GtkDesktopSounds, TheDesktopsSwitchesDecideWhichSoundsPlay) {
    struct Case {
        const char* id;
        bool eventSounds, inputFeedback, plays;
    };
    const Case cases[] = {
        {"dialog-warning", true, false, true},
        {"dialog-warning", false, true, false},
        {"menu-popup", true, false, false},
        {"menu-click", true, false, false},
        {"menu-popup", true, true, true},
        {"menu-popup", false, true, false},
        {"bell", true, true, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GtkSoundPlayer::desktopAllows(c.id, c.eventSounds, c.inputFeedback), c.plays)
            << c.id << " events " << c.eventSounds << " feedback " << c.inputFeedback;
}

// ---- under a real window manager

class GtkWindowManagerTest : public GtkDesktopWindowTest {
protected:
    void SetUp() override {
        GtkDesktopWindowTest::SetUp();
        if (IsSkipped()) return;
        manager = std::make_unique<TestWindowManager>();
        LINDORA_REQUIRE_WINDOW_MANAGER(*manager);
    }
    void TearDown() override {
        GtkDesktopWindowTest::TearDown();
        manager.reset();
    }
    std::unique_ptr<TestWindowManager> manager;
};

TEST_F(GtkWindowManagerTest, TheDesktopFramesANormalWindowAndItsOuterBoundsStayTheWindowsBounds) {
    const Rect bounds = Rect::fromSize(100, 80, 500, 400);
    RecordingWindow form(RGB(40, 120, 200));
    form.create({"Framed", WS_OVERLAPPEDWINDOW, 0, 0, bounds, nullptr});
    // Known before the window is shown.
    const Rect frame = gtkSurfaceOf(form)->desktopFrame().value_or(Rect());
    EXPECT_GT(frame.top, 0);
    EXPECT_GE(frame.left, 0);
    EXPECT_EQ(form.clientRectInWindow(), Rect(frame.left, frame.top, 500 - frame.right, 400 - frame.bottom));

    form.show();
    ASSERT_TRUE(GtkTestDisplay::runUntil([&] { return mapped(form) && nativeOuterBounds(form) == bounds; }))
        << "the frame lies at " << nativeOuterBounds(form).left << "," << nativeOuterBounds(form).top << " "
        << nativeOuterBounds(form).width() << "x" << nativeOuterBounds(form).height();
    GtkTestDisplay::settle();
    WindowSystem::instance().processMessages();
    EXPECT_EQ(form.bounds(), bounds);
    EXPECT_EQ(gtkSurfaceOf(form)->desktopFrame().value_or(Rect()), frame);
    // The client's painting shows inside the desktop's frame.
    EXPECT_TRUE(GtkTestDisplay::runUntil([&] {
        return GtkTestDisplay::screenPixel(bounds.left + frame.left + 5, bounds.top + frame.top + 5) == 0x2878C8;
    }));

    // Moved and sized by the program, the frame still lands exactly where asked.
    const Rect moved = Rect::fromSize(150, 120, 420, 330);
    form.setBounds(moved);
    EXPECT_TRUE(GtkTestDisplay::runUntil([&] { return nativeOuterBounds(form) == moved; }));
    GtkTestDisplay::settle();
    WindowSystem::instance().processMessages();
    EXPECT_EQ(form.bounds(), moved);
}

TEST_F(GtkWindowManagerTest, TheDesktopsMaximiseAndRestoreArriveAsSystemCommandsAndKeepTheNormalBounds) {
    const Rect bounds = Rect::fromSize(120, 90, 400, 300);
    RecordingWindow form;
    form.create({"Maximise", WS_OVERLAPPEDWINDOW, 0, 0, bounds, nullptr});
    form.show();
    ASSERT_TRUE(GtkTestDisplay::runUntil([&] { return mapped(form) && nativeOuterBounds(form) == bounds; }));
    GtkWindow* native = GTK_WINDOW(gtkSurfaceOf(form)->window());

    gtk_window_maximize(native);  // asks the window manager, as its own button does
    ASSERT_TRUE(GtkTestDisplay::runUntil([&] { return form.showState() == ShowState::Maximized; }));
    EXPECT_TRUE(form.got(WM_SYSCOMMAND, SC_MAXIMIZE));
    EXPECT_TRUE(GtkTestDisplay::runUntil(
        [&] { return form.bounds() == nativeOuterBounds(form) && form.bounds().width() > 1000; }));
    EXPECT_EQ(form.normalBounds(), bounds);

    gtk_window_unmaximize(native);
    ASSERT_TRUE(GtkTestDisplay::runUntil([&] { return form.showState() == ShowState::Normal; }));
    EXPECT_TRUE(form.got(WM_SYSCOMMAND, SC_RESTORE));
    EXPECT_TRUE(GtkTestDisplay::runUntil([&] { return nativeOuterBounds(form) == bounds && form.bounds() == bounds; }))
        << form.bounds().left << "," << form.bounds().top << " " << form.bounds().width() << "x"
        << form.bounds().height();
}

TEST_F(GtkWindowManagerTest, AWindowMinimisedOnTheDesktopComesBackThroughItWithItsOwnedWindows) {
    const Rect bounds = Rect::fromSize(120, 90, 400, 300);
    RecordingWindow form;
    form.create({"Minimise", WS_OVERLAPPEDWINDOW, 0, 0, bounds, nullptr});
    RecordingWindow bar(RGB(200, 60, 60));
    bar.create({"Bar", WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW, 0, Rect::fromSize(600, 500, 120, 60), &form});
    form.show();
    bar.show(false);
    ASSERT_TRUE(GtkTestDisplay::runUntil([&] { return mapped(form) && mapped(bar); }));
    GtkTestDisplay::settle();

    ASSERT_TRUE(desktopTool("windowminimize", xidOf(form)));
    ASSERT_TRUE(GtkTestDisplay::runUntil([&] { return form.showState() == ShowState::Minimized; }));
    EXPECT_TRUE(form.got(WM_SYSCOMMAND, SC_MINIMIZE));
    // Minimised on the desktop, not withdrawn: the task bar still lists it.
    EXPECT_TRUE(GtkTestDisplay::runUntil([&] { return (nativeState(form) & GDK_WINDOW_STATE_ICONIFIED) != 0; }));
    EXPECT_TRUE(form.isVisibleStyle());

    ASSERT_TRUE(desktopTool("windowactivate", xidOf(form)));
    ASSERT_TRUE(GtkTestDisplay::runUntil([&] { return form.showState() == ShowState::Normal && mapped(form); }));
    EXPECT_TRUE(form.got(WM_SYSCOMMAND, SC_RESTORE));
    EXPECT_TRUE(GtkTestDisplay::runUntil([&] { return mapped(bar) && bar.isWindowVisible(); }));
    EXPECT_TRUE(GtkTestDisplay::runUntil([&] { return nativeOuterBounds(form) == bounds && form.bounds() == bounds; }));
}

TEST_F(GtkWindowManagerTest, ClickingAFloatingBarLeavesTheFocusWithTheForm) {
    RecordingWindow form;
    form.create({"Form", WS_OVERLAPPEDWINDOW, 0, 0, Rect::fromSize(100, 100, 400, 300), nullptr});
    RecordingWindow bar(RGB(200, 60, 60));
    bar.noMouseActivate = true;
    bar.create({"Bar", WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW, 0, Rect::fromSize(600, 500, 120, 60), &form});
    form.show();
    bar.show(false);
    GtkWindow* formNative = GTK_WINDOW(gtkSurfaceOf(form)->window());
    GtkWindow* barNative = GTK_WINDOW(gtkSurfaceOf(bar)->window());
    // Mapped by us is not yet on the screen: the desktop frames the bar, places the frame and
    // shows it in its own time, and a click sent before lands on whatever lies there. The
    // screen showing the bar's colour where the click goes is the proof.
    ASSERT_TRUE(GtkTestDisplay::runUntil([&] {
        return mapped(bar) && GtkTestDisplay::screenPixel(660, 530) == 0xC83C3Cu && gtk_window_is_active(formNative);
    })) << "the screen shows "
        << std::hex << GtkTestDisplay::screenPixel(660, 530) << " where the bar should be";
    GtkTestDisplay::settle();

    test::fakePointerMove(660, 530);
    test::fakeButton(1, true);
    test::fakeButton(1, false);
    ASSERT_TRUE(GtkTestDisplay::runUntil([&] { return bar.got(WM_LBUTTONUP); }));
    GtkTestDisplay::settle();
    WindowSystem::instance().processMessages();
    EXPECT_TRUE(gtk_window_is_active(formNative));
    EXPECT_FALSE(gtk_window_is_active(barNative));
    EXPECT_EQ(WindowSystem::instance().activeWindow(), &form);
}

}  // namespace
}  // namespace lindora
