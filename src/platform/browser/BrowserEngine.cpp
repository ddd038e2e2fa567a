#include "platform/browser/BrowserEngine.h"

#include <utility>

#include "platform/browser/BrowserUri.h"

namespace lindora {

void BrowserEngine::navigate(std::u16string_view urlOrPath) {
    std::string uri = browserUriFromText(urlOrPath);
    const bool joinsPreload = !preloadedUri_.empty() && uri == preloadedUri_ && pendingUris_.empty();
    preloadedUri_.clear();
    if (joinsPreload) {
        raiseHeldEvents();
        return;
    }
    // What the preloaded page reported is of no interest once another page replaces it.
    heldProgress_.reset();
    heldTitle_.reset();
    if (!live_) {
        pendingUris_.push_back(std::move(uri));
        return;
    }
    startLoad(uri);
}

void BrowserEngine::preload(std::u16string_view urlOrPath) {
    std::string uri = browserUriFromText(urlOrPath);
    pendingUris_.clear();
    startLoad(uri);
    preloadedUri_ = std::move(uri);
}

void BrowserEngine::attachTo(NativeSurface* surface) {
    if (surface == surface_) return;
    surface_ = surface;
    hostChanged();
    goLiveWhenShown();
}

void BrowserEngine::setGeometry(const Rect& inSurface) {
    if (inSurface == geometry_) return;
    geometry_ = inSurface;
    hostChanged();
}

void BrowserEngine::setVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    hostChanged();
    goLiveWhenShown();
}

void BrowserEngine::goLiveWhenShown() {
    if (live_ || !surface_ || !visible_) return;
    live_ = true;
    // In the order they were asked for, each replacing the one before, as on a shown engine.
    std::vector<std::string> waiting;
    waiting.swap(pendingUris_);
    for (const std::string& uri : waiting) startLoad(uri);
}

void BrowserEngine::raiseProgressChange(int progress, int progressMax) {
    // A copy: the handler may assign a new one while it runs.
    if (auto handler = OnProgressChange) handler(progress, progressMax);
    else heldProgress_ = HeldProgress{progress, progressMax};
}

void BrowserEngine::raiseTitleChange(const std::u16string& text) {
    if (auto handler = OnTitleChange) handler(text);
    else heldTitle_ = text;
}

void BrowserEngine::raiseHeldEvents() {
    // The title first, as a finished load reports it before its end.
    if (auto title = std::exchange(heldTitle_, std::nullopt)) raiseTitleChange(*title);
    if (auto progress = std::exchange(heldProgress_, std::nullopt))
        raiseProgressChange(progress->progress, progress->progressMax);
}

}  // namespace lindora
