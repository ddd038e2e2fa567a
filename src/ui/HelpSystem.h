#pragma once
// The application's help: requests to show a help topic by its context number, either in the
// help viewer or popped up at a screen point (a form with a help caption button). No help
// viewer is wired in yet: every request is recorded, and a viewer installed with setViewer is
// called for it; the offscreen backend's tests read the record.
#include <functional>
#include <vector>

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

    const std::vector<HelpRequest>& requests() const { return requests_; }
    void clearRequests() { requests_.clear(); }

private:
    void request(const HelpRequest& r);

    Viewer viewer_;
    std::vector<HelpRequest> requests_;
};

}  // namespace lindora
