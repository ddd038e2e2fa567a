#include "platform_gtk/GtkPlatform.h"

#include <cstdlib>
#include <string>

#include "base/Exception.h"
#include "platform/PlatformSelection.h"
#include "platform/browser/BrowserEngineFactory.h"
#include "platform_gtk/GtkBrowserEngine.h"
#include "platform_gtk/GtkIntegration.h"

namespace lindora {

WebAcceleration webAccelerationFromEnvironment() {
    const char* v = std::getenv("LINDORA_WEB_ACCELERATION");
    const std::string value = v ? v : "";
    if (value == "always") return WebAcceleration::Always;
    if (value == "on-demand") return WebAcceleration::OnDemand;
    return WebAcceleration::Never;
}

void registerGtkPlatform() {
    PlatformBackend backend;
    backend.create = [](const PlatformArguments&) -> std::unique_ptr<PlatformIntegration> {
        auto integration = GtkIntegration::create();
        if (!integration) throw Exception("Cannot open the display: the gtk platform needs an X11 or Wayland session");
        return integration;
    };
    registerPlatformFactory("gtk", std::move(backend));
    registerBrowserEngineFactory("gtk",
                                 [] { return std::make_unique<GtkBrowserEngine>(webAccelerationFromEnvironment()); });
}

}  // namespace lindora
