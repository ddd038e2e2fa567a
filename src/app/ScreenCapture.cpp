#include "app/ScreenCapture.h"

#include "base/Exception.h"
#include "platform/offscreen/OffscreenIntegration.h"

#ifdef LINDORA_HAVE_GTK
#include <gdk/gdk.h>
#endif

namespace lindora {

namespace {

#ifdef LINDORA_HAVE_GTK
void captureRootWindow(const std::string& path) {
    GdkWindow* root = gdk_get_default_root_window();
    if (!root) throw Exception("Cannot take a screenshot: there is no display");
    // Everything drawn so far must have reached the server.
    gdk_display_sync(gdk_window_get_display(root));
    GdkPixbuf* shot = gdk_pixbuf_get_from_window(root, 0, 0, gdk_window_get_width(root), gdk_window_get_height(root));
    if (!shot) throw Exception("Cannot take a screenshot of the display");
    GError* error = nullptr;
    const bool saved = gdk_pixbuf_save(shot, path.c_str(), "png", &error, nullptr);
    g_object_unref(shot);
    if (!saved) {
        std::string why = error ? error->message : "unknown error";
        if (error) g_error_free(error);
        throw Exception("Cannot write the screenshot \"" + path + "\": " + why);
    }
}
#endif

}  // namespace

void captureScreen(const std::string& path) {
    if (OffscreenIntegration* offscreen = OffscreenIntegration::current()) {
        try {
            offscreen->saveScreenshot(path);
        } catch (const std::exception& e) {
            throw Exception("Cannot write the screenshot \"" + path + "\": " + e.what());
        }
        return;
    }
#ifdef LINDORA_HAVE_GTK
    PlatformIntegration* p = PlatformIntegration::instance();
    if (p && p->name() == "gtk") {
        captureRootWindow(path);
        return;
    }
#endif
    throw Exception("Screenshots are not available on this platform");
}

}  // namespace lindora
