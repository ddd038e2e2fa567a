// A top-level window with the WebKit view shows the start page: the title event arrives, the
// load ends with the end-of-download signal and the browser area shows the page.
#include "platform_gtk/GtkBrowserEngine.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <algorithm>
#include <set>

#include "GtkTestDisplay.h"
#include "base/Exception.h"
#include "gfx/Bitmap.h"

namespace lindora {
namespace {

using test::GtkTestDisplay;

class StillDelegate final : public SurfaceDelegate {
public:
    explicit StillDelegate(Bitmap picture) : picture_(std::move(picture)) {}
    void surfaceExposed(const Rect& area) override {
        if (surface) surface->present(picture_, area);
    }
    void surfaceGeometryChanged(const Rect&) override {}
    void surfaceCloseRequested() override {}
    void surfaceActivationChanged(bool) override {}
    void surfaceShowStateChanged(ShowState) override {}
    NativeSurface* surface = nullptr;

private:
    Bitmap picture_;
};

// The screen's pixels in a rectangle, as 0xRRGGBB.
std::vector<std::uint32_t> screenPixels(const Rect& r) {
    std::vector<std::uint32_t> out;
    GdkPixbuf* shot = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), r.left, r.top, r.width(), r.height());
    if (!shot) return out;
    const int stride = gdk_pixbuf_get_rowstride(shot);
    const int channels = gdk_pixbuf_get_n_channels(shot);
    const guchar* data = gdk_pixbuf_read_pixels(shot);
    for (int y = 0; y < r.height(); ++y)
        for (int x = 0; x < r.width(); ++x) {
            const guchar* p = data + y * stride + x * channels;
            out.push_back((std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2]);
        }
    g_object_unref(shot);
    return out;
}

TEST(GtkBrowser, TopLevelWindowShowsTheStartPage) {
    LINDORA_REQUIRE_GTK_DISPLAY();
    GtkIntegration* integration = GtkTestDisplay::integration();
    constexpr std::uint32_t kFace = 0xD4D0C8;  // the presented toolbar strip
    StillDelegate delegate(Bitmap(805, 626, RGB(212, 208, 200)));
    SurfaceParams params;
    params.bounds = Rect::fromSize(0, 0, 805, 626);
    params.delegate = &delegate;
    params.title = "Lindora 1.0";
    auto window = integration->createSurface(params);
    delegate.surface = window.get();

    GtkBrowserEngine engine;
    std::vector<std::pair<int, int>> progress;
    std::vector<std::u16string> titles;
    engine.OnProgressChange = [&](int p, int max) { progress.emplace_back(p, max); };
    engine.OnTitleChange = [&](const std::u16string& t) { titles.push_back(t); };

    // As the shell does: the navigation comes before the window is shown, as a plain path.
    const std::string page = std::string(LINDORA_SOURCE_DIR) + "/src/app/index.htm";
    engine.navigate(std::u16string(page.begin(), page.end()));
    engine.attachTo(window.get());
    engine.setGeometry(Rect::fromSize(0, 26, 797, 573));
    engine.setVisible(true);
    window->setVisible(true, true);

    const bool loaded = GtkTestDisplay::pumpUntil(
        [&] { return !titles.empty() && !progress.empty() && progress.back().first == BrowserEngine::ProgressDone; });
    ASSERT_TRUE(loaded) << "no title or end of download within the limit";
    EXPECT_EQ(titles.front(), u"Welcome to Lindora");
    for (const auto& [p, max] : progress) {
        EXPECT_EQ(max, BrowserEngine::ProgressMax);
        EXPECT_TRUE(p == BrowserEngine::ProgressDone || (p >= 0 && p <= max)) << p;
    }
    ASSERT_NE(webkit_web_view_get_uri(engine.view()), nullptr);
    EXPECT_EQ(std::string(webkit_web_view_get_uri(engine.view())), "file://" + page);

    // The page paints a little after it has loaded; wait for its light background.
    const Rect browserArea = Rect::fromSize(0, 26, 797, 573);
    constexpr std::uint32_t kPageBackground = 0xEEF2F6;
    auto pageShown = [&] {
        const auto pixels = screenPixels(browserArea);
        return std::count(pixels.begin(), pixels.end(), kPageBackground) > 10000;
    };
    EXPECT_TRUE(GtkTestDisplay::pumpUntil(pageShown)) << "the browser area stayed blank";
    // The backend's screen grab holds the page's pixels too, not only the window's own.
    const Bitmap shot = integration->screen().grabScreen();
    ASSERT_EQ(shot.size(), Size(1280, 1024));
    long pageInShot = 0;
    for (int y = browserArea.top; y < browserArea.bottom; ++y)
        for (int x = browserArea.left; x < browserArea.right; ++x)
            pageInShot += shot.pixel(x, y) == (0xFF000000u | kPageBackground);
    EXPECT_GT(pageInShot, 10000);
    EXPECT_EQ(shot.pixel(5, 5), 0xFF000000u | kFace);

    const auto pixels = screenPixels(browserArea);
    const std::set<std::uint32_t> colours(pixels.begin(), pixels.end());
    EXPECT_GT(colours.size(), 20u) << "text and colours of the page are missing";
    // The strip above the browser shows the window's own backing store.
    const auto strip = screenPixels(Rect::fromSize(0, 0, 805, 26));
    EXPECT_EQ(std::count(strip.begin(), strip.end(), kFace), static_cast<long>(strip.size()));

    // Following the host rectangle: the view takes the new size.
    engine.setGeometry(Rect::fromSize(0, 26, 500, 300));
    EXPECT_TRUE(GtkTestDisplay::pumpUntil([&] {
        return gtk_widget_get_allocated_width(GTK_WIDGET(engine.view())) == 500 &&
               gtk_widget_get_allocated_height(GTK_WIDGET(engine.view())) == 300;
    }));

    // The window goes first: the engine is taken off it and can still be destroyed safely.
    window.reset();
    EXPECT_EQ(engine.surface(), nullptr);
}

TEST(GtkBrowser, ASecondNavigationReplacesTheFirst) {
    LINDORA_REQUIRE_GTK_DISPLAY();
    StillDelegate delegate(Bitmap(400, 300, RGB(212, 208, 200)));
    SurfaceParams params;
    params.bounds = Rect::fromSize(850, 50, 400, 300);
    params.delegate = &delegate;
    auto window = GtkTestDisplay::integration()->createSurface(params);
    delegate.surface = window.get();
    GtkBrowserEngine engine;
    engine.attachTo(window.get());
    engine.setGeometry(Rect::fromSize(0, 0, 400, 300));
    engine.setVisible(true);
    window->setVisible(true, false);

    std::vector<std::u16string> titles;
    int done = 0;
    engine.OnTitleChange = [&](const std::u16string& t) { titles.push_back(t); };
    engine.OnProgressChange = [&](int p, int) { done += p == BrowserEngine::ProgressDone; };
    // Like Login pressed while a page loads: the first load has begun when the second comes.
    bool started = false;
    engine.OnProgressChange = [&](int p, int) {
        started = true;
        done += p == BrowserEngine::ProgressDone;
    };
    engine.navigate(u"data:text/html,<title>First</title><img src='http://192.0.2.1/never.png'>");
    ASSERT_TRUE(GtkTestDisplay::pumpUntil([&] { return started; }));
    done = 0;
    titles.clear();
    engine.navigate(u"data:text/html,<title>Service</title><p>signed in");
    ASSERT_TRUE(GtkTestDisplay::pumpUntil([&] { return !titles.empty() && done > 0; }));
    GtkTestDisplay::settle();
    ASSERT_FALSE(titles.empty());
    EXPECT_EQ(titles.back(), u"Service");
    EXPECT_EQ(std::string(webkit_web_view_get_uri(engine.view())).substr(0, 5), "data:");
    EXPECT_EQ(done, 1) << "the replaced load must not end the new one's progress";
}

// A pixel of what a draw handler's frame holds so far, as 0xRRGGBB.
std::uint32_t framePixel(cairo_t* cr, double x, double y) {
    cairo_user_to_device(cr, &x, &y);
    cairo_surface_t* target = cairo_get_target(cr);
    cairo_surface_flush(target);
    const cairo_rectangle_int_t one{static_cast<int>(x), static_cast<int>(y), 1, 1};
    cairo_surface_t* image = cairo_surface_map_to_image(target, &one);
    cairo_surface_flush(image);
    const std::uint32_t pixel = *reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(image));
    cairo_surface_unmap_image(target, image);
    return pixel & 0xFFFFFF;
}

// The view stays off a window until the window's first frame is out, then joins it in the next
// turn of the loop; either side may go first while it waits. Until it joins, its place shows
// the view's own background, not what the window layer painted under it.
TEST(GtkBrowser, TheViewJoinsItsWindowAfterTheWindowsFirstFrame) {
    LINDORA_REQUIRE_GTK_DISPLAY();
    GtkIntegration* integration = GtkTestDisplay::integration();
    Bitmap picture(300, 200, RGB(212, 208, 200));
    for (int y = 20; y < 200; ++y)
        for (int x = 0; x < 300; ++x) picture.setColor(x, y, clRed);
    StillDelegate delegate(picture);
    SurfaceParams params;
    params.bounds = Rect::fromSize(850, 400, 300, 200);
    params.delegate = &delegate;
    auto window = integration->createSurface(params);
    delegate.surface = window.get();
    auto* surface = GtkSurface::from(window.get());
    GtkBrowserEngine engine;
    engine.attachTo(window.get());
    engine.setGeometry(Rect::fromSize(0, 20, 300, 180));
    engine.setVisible(true);
    engine.setFocus();
    GtkWidget* view = GTK_WIDGET(engine.view());
    EXPECT_EQ(gtk_widget_get_parent(view), nullptr);

    // What the window's first frame had in it.
    struct FirstFrame {
        GtkWidget* view;
        int frames = 0;
        bool hadView = false;
        std::uint32_t strip = 0, page = 0;
    } first{view};
    const gulong drawn =
        g_signal_connect_after(surface->window(), "draw", G_CALLBACK(+[](GtkWidget*, cairo_t* cr, FirstFrame* f) {
                                   if (f->frames++ > 0) return FALSE;
                                   f->hadView = gtk_widget_get_parent(f->view) != nullptr;
                                   f->strip = framePixel(cr, 150, 10);
                                   f->page = framePixel(cr, 150, 100);
                                   return FALSE;
                               }),
                               &first);
    window->setVisible(true, true);
    ASSERT_TRUE(GtkTestDisplay::pumpUntil([&] { return first.frames > 0; }));
    EXPECT_FALSE(first.hadView) << "the view was realised within the first frame";
    EXPECT_EQ(first.strip, 0xD4D0C8u) << "the window's own picture around the view";
    EXPECT_EQ(first.page, 0xFFFFFFu) << "the view's white background in its place, not the red under it";
    ASSERT_TRUE(GtkTestDisplay::pumpUntil([&] { return gtk_widget_get_parent(view) == surface->childLayer(); }));
    EXPECT_NE(surface->hostedChildHolding(view), nullptr);
    EXPECT_TRUE(GtkTestDisplay::pumpUntil([&] { return gtk_widget_get_allocated_height(view) == 180; }));
    // Focused while it waited: GTK's focus is on the view now that it is in the window.
    EXPECT_TRUE(gtk_widget_is_focus(view));
    g_signal_handler_disconnect(surface->window(), drawn);

    // A window that goes before its first frame lets the waiting engine go.
    params.delegate = nullptr;
    auto unshown = integration->createSurface(params);
    GtkBrowserEngine waiting;
    waiting.attachTo(unshown.get());
    waiting.setVisible(true);
    unshown.reset();
    EXPECT_EQ(waiting.surface(), nullptr);
    EXPECT_EQ(gtk_widget_get_parent(GTK_WIDGET(waiting.view())), nullptr);

    // An engine that goes while it waits is not told of the frame later.
    StillDelegate laterDelegate(Bitmap(300, 200, RGB(212, 208, 200)));
    params.delegate = &laterDelegate;
    auto later = integration->createSurface(params);
    laterDelegate.surface = later.get();
    {
        GtkBrowserEngine gone;
        gone.attachTo(later.get());
        gone.setVisible(true);
    }
    later->setVisible(true, false);
    EXPECT_TRUE(GtkTestDisplay::pumpUntil([&] { return GtkSurface::from(later.get())->hasShownFirstFrame(); }));
    GtkTestDisplay::settle();
}

}  // namespace
}  // namespace lindora
