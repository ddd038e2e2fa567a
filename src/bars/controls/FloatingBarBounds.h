#pragma once
// Where a floating bar's window may go: its size stays within the tracking limits, its top not
// far above the screen (where its caption could no longer be grabbed), and a bar that would
// lie outside every monitor's work area comes back against the nearest edge of the work area
// under the cursor, so that it can always be reached again.
#include <vector>

#include "gfx/Geometry.h"
#include "ui/PlatformIntegration.h"

namespace lindora {

class FloatingBarBounds {
public:
    static constexpr Size MinTrackSize{10, 10};
    static constexpr Size MaxTrackSize{30000, 30000};
    // The highest top a floating bar may have.
    static constexpr int HighestTop = -15;

    // The window rectangle (screen coordinates) a floating bar asked for `requested` gets;
    // `sized` when the request changes the size, `cursor` the pointer's screen position.
    static Rect constrain(Rect requested, bool sized, const std::vector<MonitorInfo>& monitors, Point cursor);
    // The size within the tracking limits, the top-left corner kept.
    static Rect withinTrackLimits(const Rect& r);
    // Back against the nearest edge of `work` on each axis on which the rectangle lies wholly
    // outside it.
    static Rect backInto(const Rect& r, const Rect& work);
};

}  // namespace lindora
