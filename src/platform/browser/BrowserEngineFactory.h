#pragma once
// Which engine the browser control gets: each backend registers how it makes one, under its
// platform name; the offscreen backend and any backend without its own get the recording
// engine.
#include <functional>
#include <memory>
#include <string>

#include "platform/browser/BrowserEngine.h"

namespace lindora {

using BrowserEngineFactory = std::function<std::unique_ptr<BrowserEngine>()>;

// Replaces an earlier factory of the same name; an empty factory removes it.
void registerBrowserEngineFactory(const std::string& platformName, BrowserEngineFactory factory);

// An engine for the installed backend (PlatformIntegration::instance()).
std::unique_ptr<BrowserEngine> createBrowserEngine();

}  // namespace lindora
