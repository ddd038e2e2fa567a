#include "platform/browser/BrowserEngineFactory.h"

#include <map>

#include "platform/browser/RecordingBrowserEngine.h"

namespace lindora {

namespace {

// Registered at start-up, read when browser controls are created; all on the UI thread.
std::map<std::string, BrowserEngineFactory>& factories() {
    static std::map<std::string, BrowserEngineFactory> map;
    return map;
}

}  // namespace

void registerBrowserEngineFactory(const std::string& platformName, BrowserEngineFactory factory) {
    if (factory) factories()[platformName] = std::move(factory);
    else factories().erase(platformName);
}

std::unique_ptr<BrowserEngine> createBrowserEngine() {
    if (PlatformIntegration* p = PlatformIntegration::instance()) {
        auto it = factories().find(p->name());
        if (it != factories().end())
            if (auto engine = it->second()) return engine;
    }
    return std::make_unique<RecordingBrowserEngine>();
}

}  // namespace lindora
