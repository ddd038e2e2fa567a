#include "platform_gtk/GtkDesktopSettings.h"

#include <gtk/gtk.h>

namespace lindora {

int desktopSettingInt(const char* name, int fallback) {
    GtkSettings* settings = gtk_settings_get_default();
    if (!settings) return fallback;
    gint value = fallback;
    g_object_get(settings, name, &value, nullptr);
    return value;
}

}  // namespace lindora
