#include "platform_gtk/GtkScreenshot.h"

#include <gtk/gtk.h>

#include "base/Exception.h"

namespace lindora {

void writeGtkScreenshot(const std::string& path) {
    GdkWindow* root = gdk_get_default_root_window();
    if (!root) throw Exception("Cannot take a screenshot for \"" + path + "\": there is no display");
    GdkPixbuf* shot = gdk_pixbuf_get_from_window(root, 0, 0, gdk_window_get_width(root), gdk_window_get_height(root));
    if (!shot) throw Exception("Cannot take a screenshot for \"" + path + "\"");
    GError* error = nullptr;
    const gboolean ok = gdk_pixbuf_save(shot, path.c_str(), "png", &error, nullptr);
    g_object_unref(shot);
    if (!ok) {
        const std::string reason = error ? error->message : "unknown error";
        if (error) g_error_free(error);
        throw Exception("Cannot write the screenshot \"" + path + "\": " + reason);
    }
}

}  // namespace lindora
