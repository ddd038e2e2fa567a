#pragma once
// Makes the gtk backend selectable: registers it under the name "gtk" with the platform
// selection and its WebKit engine with the browser control. Call once at start, before
// installPlatform.
#include "platform_gtk/GtkBrowserEngine.h"

namespace lindora {

void registerGtkPlatform();

// The compositing policy for new browser engines: "never" unless LINDORA_WEB_ACCELERATION
// says "always" or "on-demand" (for measurements on machines with a GPU).
WebAcceleration webAccelerationFromEnvironment();

}  // namespace lindora
