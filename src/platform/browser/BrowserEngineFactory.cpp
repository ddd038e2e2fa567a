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

// The engine made ahead of its browser control; on the UI thread like the factories.
std::unique_ptr<BrowserEngine>& preparedEngine() {
    static std::unique_ptr<BrowserEngine> engine;
    return engine;
}

std::unique_ptr<BrowserEngine> newEngine() {
    if (PlatformIntegration* p = PlatformIntegration::instance()) {
        auto it = factories().find(p->name());
        if (it != factories().end())
            if (auto engine = it->second()) return engine;
    }
    return std::make_unique<RecordingBrowserEngine>();
}

}  // namespace

void registerBrowserEngineFactory(const std::string& platformName, BrowserEngineFactory factory) {
    if (factory) factories()[platformName] = std::move(factory);
    else factories().erase(platformName);
}

std::unique_ptr<BrowserEngine> createBrowserEngine() {
    if (preparedEngine()) return std::move(preparedEngine());
    return newEngine();
}

void prepareBrowserEngine(std::u16string_view urlOrPath) {
    auto engine = newEngine();
    engine->preload(urlOrPath);
    preparedEngine() = std::move(engine);
}

void discardPreparedBrowserEngine() { preparedEngine().reset(); }

}  // namespace lindora
