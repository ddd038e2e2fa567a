#include "platform_gtk/GtkIntegration.h"

#include <gtk/gtk.h>

#include "platform_gtk/GtkSurface.h"

namespace lindora {

std::unique_ptr<GtkIntegration> GtkIntegration::create() {
    if (!gtk_init_check(nullptr, nullptr))
        return nullptr;
    return std::unique_ptr<GtkIntegration>(new GtkIntegration());
}

GtkIntegration::GtkIntegration()
    : screen_(gdk_display_get_default()),
      layout_(gdk_keymap_get_for_display(gdk_display_get_default())),
      input_(layout_) {}

void GtkIntegration::attach(PlatformEventSink& sink) {
    input_.setSink(&sink);
}

std::unique_ptr<NativeSurface> GtkIntegration::createSurface(const SurfaceParams& params) {
    return std::make_unique<GtkSurface>(params, input_);
}

}  // namespace lindora
