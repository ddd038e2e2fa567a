// The baseline for Lindora's start-up figures (measure.sh): a bare GTK window with a WebKit
// view that loads one page, nothing else. It writes the same moments as Lindora (NAVIGATE,
// PAINTED for its first frame, LOADED) with their times to the file named by
// LINDORA_STARTUP_PROBE, or just "LOADED" to standard output without it; then it keeps running
// until it is terminated, so that the caller can measure its memory at that moment. --exit
// ends it at once instead.
//
//   bare_webview [--accel never|always|on-demand] [--no-sandbox] [--exit] PAGE
#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/StartupProbe.h"

namespace {

bool exitWhenLoaded = false;

void onLoadChanged(WebKitWebView*, WebKitLoadEvent event, gpointer) {
    if (event != WEBKIT_LOAD_FINISHED) return;
    const char* probe = std::getenv("LINDORA_STARTUP_PROBE");
    if (probe && *probe) {
        lindora::startup_probe::mark("LOADED");
    } else {
        std::printf("LOADED\n");
        std::fflush(stdout);
    }
    if (exitWhenLoaded) gtk_main_quit();
}

// The window's first frame: the moment Lindora's toolbar is compared with.
gboolean onDraw(GtkWidget*, cairo_t*, gpointer) {
    lindora::startup_probe::mark("PAINTED");
    return FALSE;
}

int usage(const char* self) {
    std::fprintf(stderr, "usage: %s [--accel never|always|on-demand] [--no-sandbox] [--exit] PAGE\n", self);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    WebKitHardwareAccelerationPolicy accel = WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER;
    bool sandbox = true;
    const char* page = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--accel") == 0 && i + 1 < argc) {
            const std::string v = argv[++i];
            if (v == "never") accel = WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER;
            else if (v == "always") accel = WEBKIT_HARDWARE_ACCELERATION_POLICY_ALWAYS;
            else if (v == "on-demand") accel = WEBKIT_HARDWARE_ACCELERATION_POLICY_ON_DEMAND;
            else return usage(argv[0]);
        } else if (std::strcmp(argv[i], "--no-sandbox") == 0) {
            sandbox = false;
        } else if (std::strcmp(argv[i], "--exit") == 0) {
            exitWhenLoaded = true;
        } else if (!page && argv[i][0] != '-') {
            page = argv[i];
        } else {
            return usage(argv[0]);
        }
    }
    if (!page) return usage(argv[0]);

    gtk_init(&argc, &argv);
    lindora::startup_probe::mark("TOOLKIT");
    WebKitWebContext* context = webkit_web_context_get_default();
    webkit_web_context_set_sandbox_enabled(context, sandbox);

    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_default_size(GTK_WINDOW(window), 797, 599);
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    g_signal_connect_after(window, "draw", G_CALLBACK(onDraw), nullptr);

    GtkWidget* view = webkit_web_view_new_with_context(context);
    WebKitSettings* settings = webkit_web_view_get_settings(WEBKIT_WEB_VIEW(view));
    webkit_settings_set_hardware_acceleration_policy(settings, accel);
    g_signal_connect(view, "load-changed", G_CALLBACK(onLoadChanged), nullptr);
    gtk_container_add(GTK_CONTAINER(window), view);
    gtk_widget_show_all(window);

    GError* error = nullptr;
    gchar* uri = g_filename_to_uri(page, nullptr, &error);
    if (!uri) {
        std::fprintf(stderr, "%s\n", error->message);
        g_error_free(error);
        return 1;
    }
    webkit_web_view_load_uri(WEBKIT_WEB_VIEW(view), uri);
    lindora::startup_probe::mark("NAVIGATE");
    g_free(uri);

    gtk_main();
    return 0;
}
