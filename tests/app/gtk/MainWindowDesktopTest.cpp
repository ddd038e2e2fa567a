// The main window's placement on a real desktop: under a window manager in Xvfb, the stored
// place and size come back exactly, start after start, with the desktop's frame around them;
// maximised comes back maximised; minimised by the desktop it stays there, the desktop
// brings it back, and closed minimised the state is stored as minimised.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "GtkTestDisplay.h"
#include "app/FrmMain.h"
#include "app/LindoraRun.h"
#include "app/TempRegistryFolder.h"
#include "platform_gtk/GtkSurface.h"
#include "store/Registry.h"
#include "store/RegistryRoots.h"
#include "ui/Application.h"
#include "ui/WindowSystem.h"

namespace lindora {
namespace {

using test::GtkTestDisplay;
using test::TestWindowManager;

unsigned long xWindowOf(GtkWidget* widget);  // below, away from Xlib's macros

bool runUntil(const std::function<bool()>& done, std::chrono::seconds limit = std::chrono::seconds(60)) {
    return GtkTestDisplay::pumpUntil(
        [&] {
            WindowSystem::instance().processMessages();
            return done();
        },
        limit);
}

GtkWidget* nativeOf(const Window& w) { return GtkSurface::from(w.surface())->window(); }

bool mapped(const Window& w) { return w.surface() && gtk_widget_get_mapped(nativeOf(w)); }

GdkWindowState nativeState(const Window& w) {
    GdkWindow* g = gtk_widget_get_window(nativeOf(w));
    return g ? gdk_window_get_state(g) : GdkWindowState(0);
}

// The native window's outer rectangle, the desktop's frame included.
Rect nativeOuterBounds(const Window& w) {
    GdkRectangle r{};
    gdk_window_get_frame_extents(gtk_widget_get_window(nativeOf(w)), &r);
    return Rect::fromSize(r.x, r.y, r.width, r.height);
}

std::string text(const Rect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.width()) + "x" +
           std::to_string(r.height());
}

// The main window's stored "State", as the next start reads it.
int storedState() {
    RegistryRoots::reset();
    Registry r;
    if (!r.OpenKeyReadOnly("\\Software\\Quintvel\\Lindora\\1.0\\frmMain")) return -1;
    const int state = r.ReadInteger("State");
    RegistryRoots::reset();
    return state;
}

// The desktop's own tool, as a task bar would ask the window manager.
bool desktopTool(const std::string& command, const Window& w) {
    const std::string line = "xdotool " + command + " " + std::to_string(xWindowOf(nativeOf(w))) + " >/dev/null 2>&1";
    return std::system(line.c_str()) == 0;
}

class MainWindowDesktopTest : public testing::Test {
protected:
    void SetUp() override {
        LINDORA_REQUIRE_GTK_DISPLAY();
        manager_ = std::make_unique<TestWindowManager>();
        LINDORA_REQUIRE_WINDOW_MANAGER(*manager_);
        registerLindoraPlatforms();
        PlatformIntegration::install(GtkIntegration::create());
    }
    void TearDown() override {
        PlatformIntegration::install(nullptr);
        manager_.reset();
    }

    // One start of the program's main window: `during` runs once it is on the screen, then
    // the window is closed, which stores its placement.
    // With `untilMinimized` the start waits for the program to minimise itself rather than for
    // the window to show.
    void start(const std::function<void(Application&, FrmMain&)>& during, bool untilMinimized = false) {
        Application app;
        app.initialize();
        app.setTitle("Lindora");
        FrmMain* form = FrmMain::create(app, LINDORA_EXECUTABLE);
        ASSERT_NE(form, nullptr);
        ASSERT_TRUE(runUntil([&] {
            return form->surface() && (untilMinimized ? app.isMinimized() : mapped(*form) || app.isMinimized());
        })) << "the window neither showed nor was minimised";
        GtkTestDisplay::settle();
        WindowSystem::instance().processMessages();
        during(app, *form);
        form->close();
        runUntil([&] { return !form->handleAllocated(); }, std::chrono::seconds(10));
    }

    test::TempRegistryFolder store_;
    std::unique_ptr<TestWindowManager> manager_;
};

TEST_F(MainWindowDesktopTest, AStoredPlacementComesBackExactlyStartAfterStart) {
    const Rect placed = Rect::fromSize(211, 143, 700, 500);
    start([&](Application&, FrmMain& form) {
        // The desktop frames the window: its frame is the window's frame.
        const Rect frame = GtkSurface::from(form.surface())->desktopFrame().value_or(Rect());
        EXPECT_GT(frame.top, 0);
        EXPECT_EQ(form.clientRectInWindow().top, frame.top);
        form.setBounds(placed);
        EXPECT_TRUE(runUntil([&] { return nativeOuterBounds(form) == placed; })) << text(nativeOuterBounds(form));
        // Inside the desktop's frame, the top dock is painted across the whole client width: the
        // window's drawing area covers all of it. (A repaint that went missing under load is
        // reported but repainted once: the drawing area is what this checks.)
        const Rect client = form.clientToScreen(form.clientRect());
        const auto unpainted = [&] {
            return GtkTestDisplay::unpaintedPixelsInRow(client.top + 1, client.left, client.right);
        };
        if (!runUntil([&] { return unpainted() == 0; }, std::chrono::seconds(10))) {
            std::fprintf(stderr, "note: %d pixels along the top dock were still unpainted; repainting once\n",
                         unpainted());
            form.invalidate();
        }
        EXPECT_TRUE(runUntil([&] { return unpainted() == 0; }, std::chrono::seconds(10)))
            << unpainted() << " unpainted pixels along the top dock";
    });
    for (int run = 1; run <= 5; ++run) {
        start([&](Application&, FrmMain& form) {
            EXPECT_TRUE(runUntil([&] { return nativeOuterBounds(form) == placed; }, std::chrono::seconds(10)))
                << "start " << run << ": the frame lies at " << text(nativeOuterBounds(form));
            EXPECT_EQ(form.bounds(), placed) << "start " << run << ": " << text(form.bounds());
            EXPECT_EQ(form.showState(), ShowState::Normal);
        });
    }
}

TEST_F(MainWindowDesktopTest, MaximisedAtCloseComesBackMaximisedWithItsNormalPlace) {
    const Rect placed = Rect::fromSize(180, 120, 640, 480);
    start([&](Application&, FrmMain& form) {
        form.setBounds(placed);
        ASSERT_TRUE(runUntil([&] { return nativeOuterBounds(form) == placed; }));
        // Maximised by the desktop, as its button or a double click on its caption does.
        gtk_window_maximize(GTK_WINDOW(nativeOf(form)));
        ASSERT_TRUE(runUntil([&] { return form.showState() == ShowState::Maximized; }));
    });
    start([&](Application&, FrmMain& form) {
        EXPECT_EQ(form.showState(), ShowState::Maximized);
        EXPECT_TRUE(runUntil([&] { return (nativeState(form) & GDK_WINDOW_STATE_MAXIMIZED) != 0; }));
        EXPECT_EQ(form.normalBounds(), placed) << text(form.normalBounds());
        // Restored by the desktop, it takes its normal place.
        gtk_window_unmaximize(GTK_WINDOW(nativeOf(form)));
        EXPECT_TRUE(runUntil([&] { return form.showState() == ShowState::Normal; }));
        EXPECT_TRUE(runUntil([&] { return nativeOuterBounds(form) == placed && form.bounds() == placed; }))
            << text(nativeOuterBounds(form)) << " / " << text(form.bounds());
    });
}

TEST_F(MainWindowDesktopTest, MinimisedOnTheDesktopItStaysThereUntilTheDesktopRestoresIt) {
    const Rect placed = Rect::fromSize(160, 110, 660, 500);
    start([&](Application& app, FrmMain& form) {
        form.setBounds(placed);
        ASSERT_TRUE(runUntil([&] { return nativeOuterBounds(form) == placed; }));
        ASSERT_TRUE(desktopTool("windowminimize", form));
        // The desktop's minimise minimises the application, and the window stays on the
        // desktop, iconic: the task bar still lists it.
        ASSERT_TRUE(runUntil([&] { return app.isMinimized(); }));
        EXPECT_TRUE(runUntil([&] { return (nativeState(form) & GDK_WINDOW_STATE_ICONIFIED) != 0; }));
        EXPECT_TRUE(form.isVisibleStyle());

        // The task bar brings it back, application and all.
        ASSERT_TRUE(desktopTool("windowactivate", form));
        EXPECT_TRUE(runUntil([&] { return !app.isMinimized() && form.showState() == ShowState::Normal; }));
        EXPECT_TRUE(runUntil([&] { return mapped(form) && (nativeState(form) & GDK_WINDOW_STATE_ICONIFIED) == 0; }));
        EXPECT_TRUE(form.isWindowVisible());
        EXPECT_TRUE(runUntil([&] { return nativeOuterBounds(form) == placed && form.bounds() == placed; }))
            << text(nativeOuterBounds(form)) << " / " << text(form.bounds());

        // Minimised again and closed so, the next start is told to come up minimised.
        ASSERT_TRUE(desktopTool("windowminimize", form));
        ASSERT_TRUE(runUntil([&] { return app.isMinimized(); }));
    });
    EXPECT_EQ(storedState(), 1);
    // The next start minimises itself on the desktop (the start waits for that), and the task
    // bar brings it back at its stored place. Openbox sometimes gives a window back that was
    // minimised while it was still taking it on, so staying iconic is not asked here.
    start(
        [&](Application& app, FrmMain& form) {
            // Let the desktop finish taking the window on before the task bar acts.
            runUntil([&] { return (nativeState(form) & GDK_WINDOW_STATE_ICONIFIED) != 0 || !app.isMinimized(); },
                     std::chrono::seconds(10));
            GtkTestDisplay::settle();
            WindowSystem::instance().processMessages();
            if (app.isMinimized()) ASSERT_TRUE(desktopTool("windowactivate", form));
            EXPECT_TRUE(runUntil([&] { return !app.isMinimized() && form.showState() == ShowState::Normal; }));
            EXPECT_TRUE(runUntil([&] { return nativeOuterBounds(form) == placed && form.bounds() == placed; }))
                << text(nativeOuterBounds(form)) << " / " << text(form.bounds());
        },
        true);
}

}  // namespace
}  // namespace lindora

// Last: Xlib's macros must not meet the window layer's names.
#include <gdk/gdkx.h>

namespace lindora {
namespace {
unsigned long xWindowOf(GtkWidget* widget) {
    GdkWindow* w = gtk_widget_get_window(widget);
    return w ? GDK_WINDOW_XID(w) : 0;
}
}  // namespace
}  // namespace lindora
