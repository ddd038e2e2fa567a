// The main window on the gtk backend under Xvfb: in process, the window appears centred with
// its caption, WebKit renders the start page and the title event arrives; as a program,
// closing the window ends the process with status 0. Every wait is bounded.
#include <gtest/gtest.h>

#include <gtk/gtk.h>
#include <cerrno>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "GtkTestDisplay.h"
#include "XWindowClose.h"
#include "app/FrmMain.h"
#include "app/LindoraRun.h"
#include "app/TempRegistryFolder.h"
#include "app/WebBrowser.h"
#include "bars/controls/BarControl.h"
#include "bars/items/BarProgressItem.h"
#include "bars/model/Bar.h"
#include "bars/model/BarButton.h"
#include "bars/model/BarItemLinks.h"
#include "bars/model/BarManager.h"
#include "bars/model/DockControl.h"
#include "gfx/Bitmap.h"
#include "platform/browser/BrowserEngine.h"
#include "ui/Application.h"
#include "ui/WindowSystem.h"

extern char** environ;

namespace lindora {
namespace {

using test::GtkTestDisplay;
namespace fs = std::filesystem;

bool runUntil(const std::function<bool()>& done, std::chrono::seconds limit = std::chrono::seconds(60)) {
    return GtkTestDisplay::pumpUntil(
        [&] {
            WindowSystem::instance().processMessages();
            return done();
        },
        limit);
}

// Distinct colours in a screen rectangle (a blank area has one), as the backend's screen grab
// shows them.
std::size_t distinctColours(const Rect& r) {
    const Bitmap shot = PlatformIntegration::instance()->screen().grabScreen();
    std::set<std::uint32_t> colours;
    for (int y = r.top; y < r.bottom; y += 2)
        for (int x = r.left; x < r.right; x += 2) colours.insert(shot.pixel(x, y));
    return colours.size();
}

// Screen pixels in a rectangle darker than any grey the dock and toolbar background use (text
// and glyph outlines).
int darkPixels(const Rect& r) {
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const std::uint32_t p = GtkTestDisplay::screenPixel(x, y);
            if (p != 0xFFFFFFFF && ((p >> 16) & 0xFF) < 0x70 && ((p >> 8) & 0xFF) < 0x70 && (p & 0xFF) < 0x70) ++count;
        }
    return count;
}

GtkWindow* toplevelTitled(const char* title) {
    GList* list = gtk_window_list_toplevels();
    GtkWindow* found = nullptr;
    for (GList* l = list; l; l = l->next) {
        auto* w = GTK_WINDOW(l->data);
        const char* t = gtk_window_get_title(w);
        if (t && std::string(t) == title && gtk_widget_get_mapped(GTK_WIDGET(w))) found = w;
    }
    g_list_free(list);
    return found;
}

TEST(MainWindowGtk, TheWindowAppearsCentredWithItsCaptionAndWebKitRendersTheStartPage) {
    LINDORA_REQUIRE_GTK_DISPLAY();
    test::TempRegistryFolder store;
    registerLindoraPlatforms();
    PlatformIntegration::install(GtkIntegration::create());
    ASSERT_EQ(PlatformIntegration::instance()->name(), "gtk");
    {
        Application app;
        app.initialize();
        app.setTitle("Lindora");
        // The build's start page lies beside the built program.
        FrmMain* form = FrmMain::create(app, LINDORA_EXECUTABLE);
        std::u16string title;
        bool loaded = false;
        auto formsTitleHandler = form->wbMain->OnTitleChange.value();
        form->wbMain->OnTitleChange.bind([&](Persistent* sender, const std::u16string& text) {
            title = text;
            std::any_cast<std::function<void(Persistent*, const std::u16string&)>>(formsTitleHandler.function)(sender,
                                                                                                               text);
        });
        auto formsProgressHandler = form->wbMain->OnProgressChange.value();
        form->wbMain->OnProgressChange.bind([&](Persistent* sender, int progress, int max) {
            loaded |= progress == BrowserEngine::ProgressDone;
            std::any_cast<std::function<void(Persistent*, int, int)>>(formsProgressHandler.function)(sender, progress,
                                                                                                     max);
        });

        ASSERT_TRUE(runUntil([&] { return toplevelTitled("Lindora 1.0") != nullptr; }));
        EXPECT_EQ(form->caption(), "Lindora 1.0");
        // Centred on the 1280 x 1024 test screen, where the native window really is.
        const Rect expected = Rect::fromSize((1280 - 805) / 2, (1024 - 626) / 2, 805, 626);
        EXPECT_EQ(form->bounds(), expected);
        GtkWindow* native = toplevelTitled("Lindora 1.0");
        ASSERT_TRUE(runUntil([&] {
            int x = 0, y = 0;
            GdkWindow* g = gtk_widget_get_window(GTK_WIDGET(native));
            if (g) gdk_window_get_origin(g, &x, &y);
            return x == expected.left && y == expected.top;
        }));

        ASSERT_TRUE(runUntil([&] { return loaded && !title.empty(); }));
        // Shown and loaded, the window is the active one natively and in the window layer.
        EXPECT_TRUE(runUntil([&] { return gtk_window_is_active(native) != FALSE; }, std::chrono::seconds(5)));
        EXPECT_TRUE(runUntil([&] { return WindowSystem::instance().activeWindow() == form; }, std::chrono::seconds(5)))
            << "active: "
            << (WindowSystem::instance().activeWindow() ? WindowSystem::instance().activeWindow()->text() : "none")
            << " app active " << WindowSystem::instance().applicationActive();
        EXPECT_EQ(title, u"Welcome to Lindora");
        EXPECT_EQ(form->caption(), "Lindora 1.0");
        EXPECT_STREQ(gtk_window_get_title(native), "Lindora 1.0");
        // The desktop gets the application icon in its six sizes, once the page has loaded.
        auto iconCount = [&] {
            GList* icons = gtk_window_get_icon_list(native);
            const guint n = g_list_length(icons);
            g_list_free(icons);
            return n;
        };
        EXPECT_TRUE(runUntil([&] { return iconCount() == 6u; })) << iconCount() << " icons";

        // The top dock above the page is painted across the window's whole width.
        const Rect client = form->clientToScreen(form->clientRect());
        EXPECT_TRUE(runUntil(
            [&] { return GtkTestDisplay::unpaintedPixelsInRow(client.top + 1, client.left, client.right) == 0; },
            std::chrono::seconds(10)))
            << GtkTestDisplay::unpaintedPixelsInRow(client.top + 1, client.left, client.right)
            << " unpainted pixels along the top dock";
        // The browser's area on the screen shows the page, not a blank area.
        const Rect browserOnScreen = form->wbMain->clientToScreen(form->wbMain->clientRect());
        // It fills what the toolbar's top dock leaves of the client area, the dock being as tall
        // as the toolbar window docked in it.
        const int dock = form->BarManager1->bars().dockControl(dsTop)->bounds().height();
        EXPECT_GT(dock, 20);
        EXPECT_EQ(browserOnScreen.top, client.top + dock);
        EXPECT_EQ(browserOnScreen.size(), Size(form->clientRect().width(), form->clientRect().height() - dock));
        EXPECT_TRUE(runUntil([&] { return distinctColours(browserOnScreen) > 8; }, std::chrono::seconds(30)))
            << distinctColours(browserOnScreen) << " colours in the browser's area";

        // The toolbar is drawn in the strip, not an empty one: Login's caption and glyph put
        // dark pixels into its item rectangle, and the free space before the progress item has
        // none. The page's own background begins on the first row below the dock.
        Bar& bar = *static_cast<Bar*>(form->BarManager1->bars().items().front());
        auto& toolbar = dynamic_cast<BarControl&>(*bar.control());
        Rect login, exit, progress;
        for (BarItemLink* l : toolbar.itemLinks().visibleLinks()) {
            const Rect onScreen = l->itemRect().translated(toolbar.clientToScreen(Point(0, 0)));
            if (l->item() == form->btnLogin) login = onScreen;
            if (l->item() == form->btnExit) exit = onScreen;
            if (l->item() == form->briMain) progress = onScreen;
        }
        ASSERT_FALSE(login.isEmpty());
        EXPECT_TRUE(runUntil([&] { return darkPixels(login) > 20; }, std::chrono::seconds(10)))
            << darkPixels(login) << " dark pixels in Login's rectangle " << login.left << "," << login.top;
        ASSERT_LT(exit.right + 8, progress.left);
        EXPECT_EQ(darkPixels(Rect(exit.right + 4, login.top + 2, progress.left - 4, login.bottom - 2)), 0);
        const int middle = (client.left + client.right) / 2;
        EXPECT_EQ(GtkTestDisplay::screenPixel(middle, browserOnScreen.top), 0xEEF2F6u);
        EXPECT_NE(GtkTestDisplay::screenPixel(middle, browserOnScreen.top - 1), 0xEEF2F6u);
        form->wbMain->OnTitleChange.setValue(formsTitleHandler);
        form->wbMain->OnProgressChange.setValue(formsProgressHandler);
    }
    PlatformIntegration::install(nullptr);
}

// ---- the program itself

// Waits up to `limitMs` for fd to become readable.
bool waitReadable(int fd, int limitMs) {
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, limitMs) > 0 && (p.revents & POLLIN);
}

TEST(MainWindowGtk, ClosingTheWindowEndsTheProgramWithStatusZero) {
    LINDORA_REQUIRE_GTK_DISPLAY();
    test::TempRegistryFolder store;
    const fs::path dir = fs::temp_directory_path() / ("lindora-app-gtk-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const fs::path probe = dir / "probe";
    ASSERT_EQ(mkfifo(probe.c_str(), 0600), 0);
    // Opened before the program starts, so that its writes find a reader; for writing too, so
    // that the pipe does not read as ended between the program's lines.
    const int probeFd = open(probe.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(probeFd, 0);

    const std::string probeVar = "LINDORA_STARTUP_PROBE=" + probe.string();
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (std::string(*e).rfind("LINDORA_STARTUP_PROBE=", 0) != 0) env.emplace_back(*e);
    env.push_back(probeVar);
    env.push_back("NO_AT_BRIDGE=1");
    std::vector<char*> envp;
    for (auto& s : env) envp.push_back(s.data());
    envp.push_back(nullptr);
    const char* argv[] = {LINDORA_EXECUTABLE, "--platform", "gtk", nullptr};
    pid_t pid = -1;
    ASSERT_EQ(posix_spawn(&pid, LINDORA_EXECUTABLE, nullptr, nullptr, const_cast<char**>(argv), envp.data()), 0);
    const int pidFd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));

    // The program reports the moments of its start-up through the probe, a line each
    // ("<MOMENT> <ms since the process started>"), among them its first frame and the loaded
    // start page.
    std::string lines;
    const auto reported = [&](const char* moment) { return lines.find(moment) != std::string::npos; };
    while (!(reported("LOADED ") && reported("PAINTED ")) && waitReadable(probeFd, 60000)) {
        char buffer[256];
        const ssize_t n = read(probeFd, buffer, sizeof buffer);
        if (n < 0 && errno == EAGAIN) continue;
        if (n <= 0) break;
        lines.append(buffer, static_cast<size_t>(n));
    }
    EXPECT_TRUE(reported("LOADED ")) << "the start page did not load; the probe got: " << lines;
    EXPECT_TRUE(reported("PAINTED ")) << lines;

    EXPECT_TRUE(test::closeWindowNamed("Lindora 1.0")) << "no window captioned \"Lindora 1.0\"";

    bool ended = pidFd >= 0 && waitReadable(pidFd, 60000);
    if (!ended) kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(ended) << "the program did not end after its window was closed";
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    if (pidFd >= 0) close(pidFd);
    close(probeFd);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace lindora
