#include "app/ScreenCapture.h"

#include "base/Exception.h"
#include "gfx/Bitmap.h"
#include "ui/PlatformIntegration.h"

namespace lindora {

void captureScreen(const std::string& path) {
    PlatformIntegration* platform = PlatformIntegration::instance();
    if (!platform) throw Exception("Cannot take a screenshot: no platform is installed");
    const Bitmap shot = platform->screen().grabScreen();
    try {
        shot.savePNG(path);
    } catch (const std::exception& e) {
        throw Exception("Cannot write the screenshot \"" + path + "\": " + e.what());
    }
}

}  // namespace lindora
