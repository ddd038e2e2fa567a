#include "GtkTestDisplay.h"

#include "gfx/Bitmap.h"
#include "platform_gtk/GtkX11.h"
#include "ui/WindowSystem.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <csignal>
#include <cstdlib>
#include <memory>

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

// Last: Xlib's macros must not meet the window layer's names.
#include <X11/Xatom.h>
#include <gdk/gdkx.h>

namespace lindora::test {

namespace {

struct DisplayState {
    pid_t xvfb = -1;
    std::unique_ptr<GtkIntegration> integration;
    std::string reason = "the test display has not been started";
    bool started = false;
};

DisplayState& state() {
    static DisplayState s;
    return s;
}

std::string findXvfb() {
    for (const char* dir : {"/usr/bin", "/usr/local/bin", "/bin"}) {
        const std::string path = std::string(dir) + "/Xvfb";
        if (access(path.c_str(), X_OK) == 0) return path;
    }
    return {};
}

// Starts Xvfb and returns its display number, or -1.
int startXvfb(const std::string& binary, pid_t& pid, std::string& reason) {
    int fds[2];
    if (pipe(fds) != 0) {
        reason = "cannot create a pipe for Xvfb";
        return -1;
    }
    fcntl(fds[0], F_SETFD, FD_CLOEXEC);
    const std::string fd = std::to_string(fds[1]);
    const char* argv[] = {binary.c_str(), "-displayfd", fd.c_str(), "-screen",  "0",
                          "1280x1024x24", "-nolisten",  "tcp",      "-noreset", nullptr};
    pid = fork();
    if (pid == 0) {
        // The server goes when the test program goes, even when it crashes.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        const int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, 1);
        dup2(devnull, 2);
        execv(binary.c_str(), const_cast<char**>(argv));
        _exit(127);
    }
    const int rc = pid > 0 ? 0 : -1;
    close(fds[1]);
    if (rc != 0) {
        close(fds[0]);
        reason = "cannot start Xvfb";
        return -1;
    }
    // Xvfb writes the display number once it accepts connections; wait at most 30 s.
    std::string text;
    pollfd p{fds[0], POLLIN, 0};
    while (text.find('\n') == std::string::npos && poll(&p, 1, 30000) > 0) {
        char buffer[32];
        const ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n <= 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    close(fds[0]);
    if (text.empty()) {
        reason = "Xvfb did not report a display";
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        pid = -1;
        return -1;
    }
    return std::atoi(text.c_str());
}

class DisplayEnvironment : public testing::Environment {
public:
    void TearDown() override {
        DisplayState& s = state();
        s.integration.reset();
        if (s.xvfb > 0) {
            kill(s.xvfb, SIGTERM);
            waitpid(s.xvfb, nullptr, 0);
            s.xvfb = -1;
        }
    }
};

[[maybe_unused]] const auto* environment = testing::AddGlobalTestEnvironment(new DisplayEnvironment);

}  // namespace

GtkIntegration* GtkTestDisplay::integration() {
    DisplayState& s = state();
    if (s.started) return s.integration.get();
    s.started = true;
    const std::string xvfb = findXvfb();
    if (xvfb.empty()) {
        s.reason = "Xvfb is not installed (package xvfb)";
        return nullptr;
    }
    const int display = startXvfb(xvfb, s.xvfb, s.reason);
    if (display < 0) return nullptr;
    setenv("DISPLAY", (":" + std::to_string(display)).c_str(), 1);
    unsetenv("WAYLAND_DISPLAY");
    setenv("GDK_BACKEND", "x11", 1);
    setenv("NO_AT_BRIDGE", "1", 1);  // no accessibility bus in a test session
    s.integration = GtkIntegration::create();
    if (!s.integration) s.reason = "GTK cannot open the Xvfb display :" + std::to_string(display);
    return s.integration.get();
}

const std::string& GtkTestDisplay::unavailableReason() { return state().reason; }

bool GtkTestDisplay::pumpUntil(const std::function<bool()>& done, std::chrono::seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        integration()->eventDispatcher().processEvents(50);
    }
    return true;
}

bool GtkTestDisplay::runUntil(const std::function<bool()>& done, std::chrono::seconds limit) {
    return pumpUntil(
        [&] {
            WindowSystem::instance().processMessages();
            return done();
        },
        limit);
}

void GtkTestDisplay::settle() {
    // Round trips to the X server until nothing is left, bounded in rounds.
    for (int round = 0; round < 20; ++round) {
        gdk_display_sync(gdk_display_get_default());
        bool any = false;
        while (g_main_context_pending(nullptr)) any |= g_main_context_iteration(nullptr, FALSE);
        if (!any) break;
    }
}

std::uint32_t GtkTestDisplay::screenPixel(int x, int y) {
    GdkPixbuf* shot = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), x, y, 1, 1);
    if (!shot) return 0xFFFFFFFF;
    const guchar* p = gdk_pixbuf_read_pixels(shot);
    const std::uint32_t rgb = (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2];
    g_object_unref(shot);
    return rgb;
}

int GtkTestDisplay::unpaintedPixelsInRow(int y, int left, int right) {
    const Bitmap shot = integration()->screen().grabScreen();
    int count = 0;
    for (int x = left; x < right; ++x)
        if ((shot.pixel(x, y) & 0xFFFFFF) == 0) ++count;
    return count;
}

namespace {

// A window manager runs while its check window exists and names itself: one that went away
// may leave its announcement on the root window behind.
bool windowManagerAnnounced() {
    Display* display = GDK_DISPLAY_XDISPLAY(gdk_display_get_default());
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    auto windowProperty = [&](::Window w) -> ::Window {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        ::Window result = 0;
        if (XGetWindowProperty(display, w, check, 0, 1, False, XA_WINDOW, &type, &format, &count, &after, &data) ==
                Success &&
            type == XA_WINDOW && count == 1 && data)
            result = *reinterpret_cast<::Window*>(data);
        if (data) XFree(data);
        return result;
    };
    const ::Window announced = windowProperty(DefaultRootWindow(display));
    if (!announced) return false;
    gdk_x11_display_error_trap_push(gdk_display_get_default());
    const ::Window self = windowProperty(announced);
    gdk_x11_display_error_trap_pop_ignored(gdk_display_get_default());
    return self == announced;
}

}  // namespace

TestWindowManager::TestWindowManager() {
    if (!GtkTestDisplay::integration()) {
        reason_ = GtkTestDisplay::unavailableReason();
        return;
    }
    const std::string binary = "/usr/bin/openbox";
    if (access(binary.c_str(), X_OK) != 0) {
        reason_ = "no window manager is installed (package openbox)";
        return;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        const int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, 1);
        dup2(devnull, 2);
        execl(binary.c_str(), binary.c_str(), "--sm-disable", static_cast<char*>(nullptr));
        _exit(127);
    }
    if (pid < 0) {
        reason_ = "cannot start the window manager";
        return;
    }
    pid_ = pid;
    // It runs once it announces itself on the root window.
    const bool announced = GtkTestDisplay::pumpUntil(windowManagerAnnounced, std::chrono::seconds(30));
    // Announced is not yet answering: a manager starting up answers frame requests last.
    GtkWidget* probe = announced ? gtk_window_new(GTK_WINDOW_TOPLEVEL) : nullptr;
    if (probe) {
        gtk_widget_realize(probe);
        GtkTestDisplay::pumpUntil([&] { return requestFrameExtents(probe) != Rect(); }, std::chrono::seconds(10));
        gtk_widget_destroy(probe);
    }
    if (!announced) {
        reason_ = "the window manager did not start";
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
}

TestWindowManager::~TestWindowManager() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    GtkTestDisplay::pumpUntil([] { return !windowManagerAnnounced(); }, std::chrono::seconds(10));
}

}  // namespace lindora::test
