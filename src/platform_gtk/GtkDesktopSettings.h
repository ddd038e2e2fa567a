#pragma once
// The desktop's settings as GTK reads them (double-click time and distance, drag threshold).

namespace lindora {

// An integer setting by its GTK property name; `fallback` without a settings object.
int desktopSettingInt(const char* name, int fallback);

}  // namespace lindora
