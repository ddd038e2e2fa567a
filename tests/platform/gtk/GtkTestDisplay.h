#pragma once
// The gtk tests run against their own Xvfb server, started once for the test program on a
// free display number (Xvfb picks it and reports it through -displayfd). Tests that need the
// display call GtkTestDisplay::require(), which skips them when Xvfb is not installed.
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "platform_gtk/GtkIntegration.h"

namespace lindora::test {

class GtkTestDisplay {
public:
    // The integration on the test display, or null (with the reason) when there is none.
    static GtkIntegration* integration();
    static const std::string& unavailableReason();

    // Processes GLib events until `done` holds or `limit` passes; true when done held.
    // The limit only bounds a wait for real events (pages loading, windows mapping).
    static bool pumpUntil(const std::function<bool()>& done, std::chrono::seconds limit = std::chrono::seconds(60));
    // pumpUntil for tests of windows: the window layer's posted messages are handled between
    // the GLib events too.
    static bool runUntil(const std::function<bool()>& done, std::chrono::seconds limit = std::chrono::seconds(30));
    // Processes what is pending, and what that causes, for a short while.
    static void settle();
    // Pixels of one screen row between `left` and `right` that nothing has painted (the bare
    // X screen's black), as the backend's screen grab shows them.
    static int unpaintedPixelsInRow(int y, int left, int right);
    // The screen's pixel at a point, as 0xRRGGBB (0xFFFFFFFF when the grab failed).
    static std::uint32_t screenPixel(int x, int y);
};

// A real window manager on the test display for as long as the object lives (openbox, from
// the distribution's packages). Tests that need one skip when it is not installed.
class TestWindowManager {
public:
    TestWindowManager();
    ~TestWindowManager();
    TestWindowManager(const TestWindowManager&) = delete;
    TestWindowManager& operator=(const TestWindowManager&) = delete;

    // False (with the reason) when no manager could be started.
    bool running() const { return pid_ > 0; }
    const std::string& reason() const { return reason_; }

private:
    int pid_ = -1;
    std::string reason_;
};

// Skips the current test when there is no display.
#define LINDORA_REQUIRE_GTK_DISPLAY()                                             \
    do {                                                                          \
        if (!::lindora::test::GtkTestDisplay::integration())                      \
            GTEST_SKIP() << ::lindora::test::GtkTestDisplay::unavailableReason(); \
    } while (0)

// Skips the current test when no window manager runs on the test display.
#define LINDORA_REQUIRE_WINDOW_MANAGER(manager)                       \
    do {                                                              \
        if (!(manager).running()) GTEST_SKIP() << (manager).reason(); \
    } while (0)

}  // namespace lindora::test
