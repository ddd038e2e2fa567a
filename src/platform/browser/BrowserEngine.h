#pragma once
// The engine behind the browser control: one navigate operation, a progress event and a title
// event. It is a native child of the backend, placed over the browser control's rectangle in
// its top-level surface. Every call and every event happens on the user-interface thread.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gfx/Geometry.h"
#include "ui/PlatformIntegration.h"

namespace lindora {

class BrowserEngine : public NativeChild {
public:
    // Progress is reported against ProgressMax; ProgressDone (-1) with ProgressMax marks the end
    // of a download, as the classic browser control does.
    static constexpr int ProgressMax = 10000;
    static constexpr int ProgressDone = -1;

    using ProgressChangeEvent = std::function<void(int progress, int progressMax)>;
    using TitleChangeEvent = std::function<void(const std::u16string& text)>;

    BrowserEngine() = default;
    BrowserEngine(const BrowserEngine&) = delete;
    BrowserEngine& operator=(const BrowserEngine&) = delete;
    ~BrowserEngine() override = default;

    // Starts loading a full URL or a plain local file path and returns at once; the page
    // reports through the events. Until the engine is on a shown surface the request waits;
    // a later request replaces a waiting or loading one. Throws Exception for an empty text or
    // one that is not valid UTF-16.
    void navigate(std::u16string_view urlOrPath);
    // Starts loading at once, shown or not, so that the engine's work overlaps the building of
    // the window it will show in. A later navigate to the same address, before any other
    // request, joins this load instead of starting it again, and then raises the last progress
    // and title the load reported while no handler was assigned. Same errors as navigate.
    void preload(std::u16string_view urlOrPath);

    // Raised only when assigned. A handler may navigate again.
    ProgressChangeEvent OnProgressChange;
    TitleChangeEvent OnTitleChange;

    void attachTo(NativeSurface* surface) override;
    void setGeometry(const Rect& inSurface) override;
    void setVisible(bool visible) override;

    NativeSurface* surface() const { return surface_; }
    const Rect& geometry() const { return geometry_; }
    bool visible() const { return visible_; }
    // The navigations waiting for the engine to be shown, oldest first.
    const std::vector<std::string>& pendingUris() const { return pendingUris_; }
    // True once the engine has been on a shown surface; from then on navigations start at once.
    bool isLive() const { return live_; }

protected:
    // Loads a URI; the engine reports progress and title as the load goes on.
    virtual void startLoad(const std::string& uri) = 0;
    // The surface, the rectangle or the visibility changed: place the view again.
    virtual void hostChanged() = 0;

    void raiseProgressChange(int progress, int progressMax);
    void raiseTitleChange(const std::u16string& text);

private:
    void goLiveWhenShown();
    void raiseHeldEvents();

    NativeSurface* surface_ = nullptr;
    Rect geometry_{};
    bool visible_ = false;
    bool live_ = false;
    std::vector<std::string> pendingUris_;
    std::string preloadedUri_;  // until another request comes
    struct HeldProgress {
        int progress, progressMax;
    };
    std::optional<HeldProgress> heldProgress_;
    std::optional<std::u16string> heldTitle_;
};

}  // namespace lindora
