#include "platform_gtk/GtkIntegration.h"

#include <gtk/gtk.h>

#include "platform/StartupProbe.h"
#include "platform_gtk/GtkSurface.h"
#include "ui/Messages.h"

namespace lindora {

std::unique_ptr<GtkIntegration> GtkIntegration::create() {
    // Menus and hints sit at absolute screen positions and capture the pointer: X11 allows
    // both, Wayland neither, so a Wayland session runs us through XWayland.
    // Only before GDK opens its display; it keeps the text for the life of the process.
    if (!gdk_display_get_default()) gdk_set_allowed_backends("x11");
    if (!gtk_init_check(nullptr, nullptr)) return nullptr;
    startup_probe::mark("TOOLKIT");
    return std::unique_ptr<GtkIntegration>(new GtkIntegration());
}

GtkIntegration::GtkIntegration()
    : screen_(gdk_display_get_default()), layout_(gdk_keymap_get_for_display(gdk_display_get_default())),
      input_(layout_) {}

GtkIntegration::~GtkIntegration() {
    if (GtkSettings* settings = gtk_settings_get_default()) g_signal_handlers_disconnect_by_data(settings, this);
    GdkDisplay* display = gdk_display_get_default();
    g_signal_handlers_disconnect_by_data(gdk_display_get_default_screen(display), this);
    for (int i = 0; i < gdk_display_get_n_monitors(display); ++i)
        g_signal_handlers_disconnect_by_data(gdk_display_get_monitor(display, i), this);
}

void GtkIntegration::report(SystemChange change, unsigned code) {
    if (sink_) GtkEventDispatcher::guarded([&] { sink_->systemChanged(change, code); });
}

void GtkIntegration::attach(PlatformEventSink& sink) {
    input_.setSink(&sink);
    if (sink_) {
        sink_ = &sink;
        return;
    }
    sink_ = &sink;
    // The desktop's settings as the classic notifications: the font is the non-client
    // metrics, the theme is a theme change, monitors and work areas are display settings.
    if (GtkSettings* settings = gtk_settings_get_default()) {
        g_signal_connect_swapped(settings, "notify::gtk-font-name", G_CALLBACK(+[](GtkIntegration* self) {
                                     self->report(SystemChange::Settings, SPI_SETNONCLIENTMETRICS);
                                 }),
                                 this);
        g_signal_connect_swapped(settings, "notify::gtk-theme-name",
                                 G_CALLBACK(+[](GtkIntegration* self) { self->report(SystemChange::Theme); }), this);
    }
    GdkDisplay* display = gdk_display_get_default();
    g_signal_connect_swapped(gdk_display_get_default_screen(display), "monitors-changed",
                             G_CALLBACK(+[](GtkIntegration* self) {
                                 self->report(SystemChange::Display);
                                 self->report(SystemChange::Settings, SPI_SETWORKAREA);
                             }),
                             this);
    for (int i = 0; i < gdk_display_get_n_monitors(display); ++i)
        g_signal_connect_swapped(
            gdk_display_get_monitor(display, i), "notify::workarea",
            G_CALLBACK(+[](GtkIntegration* self) { self->report(SystemChange::Settings, SPI_SETWORKAREA); }), this);
}

std::unique_ptr<NativeSurface> GtkIntegration::createSurface(const SurfaceParams& params) {
    return std::make_unique<GtkSurface>(params, input_);
}

}  // namespace lindora
