#include "platform_gtk/GtkPlatform.h"

#include "base/Exception.h"
#include "platform/PlatformSelection.h"
#include "platform/browser/BrowserEngineFactory.h"
#include "platform_gtk/GtkBrowserEngine.h"
#include "platform_gtk/GtkIntegration.h"

namespace lindora {

void registerGtkPlatform() {
    registerPlatformFactory(
        "gtk",
        [](const PlatformArguments&) -> std::unique_ptr<PlatformIntegration> {
            auto integration = GtkIntegration::create();
            if (!integration)
                throw Exception("Cannot open the display: the gtk platform needs an X11 or Wayland session");
            return integration;
        },
        {});
    registerBrowserEngineFactory("gtk", [] { return std::make_unique<GtkBrowserEngine>(); });
}

}  // namespace lindora
