#pragma once
// The application's help: requests to show a help topic by its context number, either in the
// help viewer or popped up at a screen point (a form with a help caption button). No help
// viewer is wired in yet: a viewer installed with setViewer is called for each request, and the
// last request and their number are kept for the offscreen backend's tests (not every request:
// a long session would keep them all).
#include <cstddef>
#include <functional>
#include <optional>

#include "gfx/Geometry.h"

namespace lindora {

struct HelpRequest {
    int context = 0;
    // Pop up at `at` (screen) instead of opening the viewer.
    bool popup = false;
    Point at;
};

class HelpSystem {
public:
    using Viewer = std::function<void(const HelpRequest&)>;

    // Process-wide, like the application's help file.
    static HelpSystem& instance();

    // Shows the topic; requests for context 0 are ignored (no topic).
    void showContext(int context);
    void showContextPopup(int context, Point at);
    void setViewer(Viewer viewer) { viewer_ = std::move(viewer); }

    const std::optional<HelpRequest>& lastRequest() const { return last_; }
    std::size_t requestCount() const { return count_; }
    void clearRequests() {
        last_.reset();
        count_ = 0;
    }

private:
    void request(const HelpRequest& r);

    Viewer viewer_;
    std::optional<HelpRequest> last_;
    std::size_t count_ = 0;
};

}  // namespace lindora
