#include "platform/browser/BrowserEngine.h"

#include "platform/browser/BrowserUri.h"

namespace lindora {

void BrowserEngine::navigate(std::u16string_view urlOrPath) {
    std::string uri = browserUriFromText(urlOrPath);
    if (!live_) {
        pendingUris_.push_back(std::move(uri));
        return;
    }
    startLoad(uri);
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
}

void BrowserEngine::raiseTitleChange(const std::u16string& text) {
    if (auto handler = OnTitleChange) handler(text);
}

}  // namespace lindora
