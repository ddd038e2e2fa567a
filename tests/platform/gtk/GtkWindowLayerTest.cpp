// The window layer on the gtk backend: a top-level window paints through its backing store
// onto the screen, and a child window hosts the browser over its rectangle.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <algorithm>

#include "GtkTestDisplay.h"
#include "gfx/Brush.h"
#include "gfx/Canvas.h"
#include "platform/browser/BrowserEngineFactory.h"
#include "platform_gtk/GtkBrowserEngine.h"
#include "platform_gtk/GtkPlatform.h"
#include "platform_gtk/GtkSurface.h"
#include "ui/Window.h"
#include "ui/WindowSystem.h"

namespace lindora {
namespace {

using test::GtkTestDisplay;

class FilledWindow final : public Window {
public:
    explicit FilledWindow(Color color) : color_(color) {}
    void paint(Canvas& canvas) override { canvas.fillRect(clientRect(), Brush(color_)); }

private:
    Color color_;
};

// Runs the window layer's queue and the native events until `done` holds (bounded).
bool runUntil(const std::function<bool()>& done) {
    return GtkTestDisplay::pumpUntil([&] {
        WindowSystem::instance().processMessages();
        return done();
    });
}

TEST(GtkWindowLayer, TopLevelPaintsAndItsChildHostsTheBrowser) {
    LINDORA_REQUIRE_GTK_DISPLAY();
    registerGtkPlatform();
    PlatformIntegration::install(GtkIntegration::create());
    ASSERT_EQ(PlatformIntegration::instance()->name(), "gtk");
    {
        FilledWindow form(RGB(212, 208, 200));
        form.create({"Lindora 1.0", WS_POPUP, 0, CS_DBLCLKS, Rect::fromSize(300, 200, 640, 480), nullptr});
        FilledWindow host(RGB(255, 0, 255));
        host.create({"", WS_CHILD | WS_VISIBLE, 0, 0, Rect::fromSize(0, 26, 640, 454), &form});
        std::unique_ptr<BrowserEngine> engine = createBrowserEngine();
        ASSERT_NE(dynamic_cast<GtkBrowserEngine*>(engine.get()), nullptr);
        std::u16string title;
        engine->OnTitleChange = [&](const std::u16string& t) { title = t; };
        host.hostNativeChild(engine.get());
        const std::string page = std::string(LINDORA_SOURCE_DIR) + "/src/app/index.htm";
        engine->navigate(std::u16string(page.begin(), page.end()));
        EXPECT_FALSE(engine->isLive());  // the form is not shown yet
        form.show();

        // The form's own painting reaches the screen where the browser is not.
        EXPECT_TRUE(runUntil([] { return GtkTestDisplay::screenPixel(310, 210) == 0xD4D0C8; }));
        ASSERT_TRUE(runUntil([&] { return title == u"Welcome to Lindora"; }));
        // The browser covers the child's rectangle: the child's magenta never shows there.
        EXPECT_TRUE(runUntil([] { return GtkTestDisplay::screenPixel(320, 240) == 0xEEF2F6; }));
        EXPECT_NE(GtkTestDisplay::screenPixel(620, 660), 0xFF00FFu);

        // Resizing the child moves the view with it.
        host.setBounds(Rect::fromSize(0, 26, 320, 200));
        EXPECT_TRUE(runUntil([&] {
            auto* view = GTK_WIDGET(static_cast<GtkBrowserEngine*>(engine.get())->view());
            return gtk_widget_get_allocated_width(view) == 320 && gtk_widget_get_allocated_height(view) == 200;
        }));
        host.hostNativeChild(nullptr);
        EXPECT_EQ(engine->surface(), nullptr);
    }
    PlatformIntegration::install(nullptr);
}

TEST(GtkWindowLayer, AShownFormIsActiveNatively) {
    LINDORA_REQUIRE_GTK_DISPLAY();
    PlatformIntegration::install(GtkIntegration::create());
    {
        FilledWindow form(RGB(212, 208, 200));
        form.create({"Lindora 1.0", WS_OVERLAPPEDWINDOW, 0, CS_DBLCLKS, Rect::fromSize(100, 100, 300, 200), nullptr});
        form.show();
        auto* surface = static_cast<GtkSurface*>(form.surface());
        ASSERT_NE(surface, nullptr);
        EXPECT_TRUE(runUntil([&] { return gtk_window_is_active(GTK_WINDOW(surface->window())) != FALSE; }));
        EXPECT_TRUE(runUntil([&] { return WindowSystem::instance().applicationActive(); }));
        EXPECT_EQ(WindowSystem::instance().activeWindow(), &form);
    }
    PlatformIntegration::install(nullptr);
}

}  // namespace
}  // namespace lindora
