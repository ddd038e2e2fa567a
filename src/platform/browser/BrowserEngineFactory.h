#pragma once
// Which engine the browser control gets: each backend registers how it makes one, under its
// platform name; the offscreen backend and any backend without its own get the recording
// engine.
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/browser/BrowserEngine.h"

namespace lindora {

using BrowserEngineFactory = std::function<std::unique_ptr<BrowserEngine>()>;

// Replaces an earlier factory of the same name; an empty factory removes it.
void registerBrowserEngineFactory(const std::string& platformName, BrowserEngineFactory factory);

// An engine for the installed backend (PlatformIntegration::instance()): the prepared one when
// there is one, else a new one.
std::unique_ptr<BrowserEngine> createBrowserEngine();

// Makes an engine that starts loading the page at once (BrowserEngine::preload), for the next
// createBrowserEngine to hand out: a program that knows its first page lets the engine's
// processes start while it builds its window. Replaces an engine prepared before.
void prepareBrowserEngine(std::u16string_view urlOrPath);
// Drops a prepared engine nobody took; it must go before the backend does.
void discardPreparedBrowserEngine();

}  // namespace lindora
