#include "bars/controls/FloatingBarBounds.h"

#include <algorithm>

namespace lindora {

Rect FloatingBarBounds::withinTrackLimits(const Rect& r) {
    const int w = std::clamp(r.width(), MinTrackSize.cx, MaxTrackSize.cx);
    const int h = std::clamp(r.height(), MinTrackSize.cy, MaxTrackSize.cy);
    return Rect::fromSize(r.left, r.top, w, h);
}

Rect FloatingBarBounds::backInto(const Rect& r, const Rect& work) {
    int x = r.left, y = r.top;
    if (r.right <= work.left) x = work.left;
    else if (r.left >= work.right) x = work.right - r.width();
    if (r.bottom <= work.top) y = work.top;
    else if (r.top >= work.bottom) y = work.bottom - r.height();
    return Rect::fromSize(x, y, r.width(), r.height());
}

Rect FloatingBarBounds::constrain(Rect r, bool sized, const std::vector<MonitorInfo>& monitors, Point cursor) {
    if (sized) r = withinTrackLimits(r);
    if (r.top < HighestTop) r = r.translated(0, HighestTop - r.top);
    if (monitors.empty()) return r;
    const bool reachable =
        std::any_of(monitors.begin(), monitors.end(), [&r](const MonitorInfo& m) { return m.workArea.intersects(r); });
    if (reachable) return r;
    // The monitor under the cursor, else the nearest one to it.
    const MonitorInfo* under = &monitors.front();
    long best = -1;
    for (const MonitorInfo& m : monitors) {
        const Rect b = m.bounds;
        const long dx = cursor.x < b.left ? b.left - cursor.x : cursor.x >= b.right ? cursor.x - b.right + 1 : 0;
        const long dy = cursor.y < b.top ? b.top - cursor.y : cursor.y >= b.bottom ? cursor.y - b.bottom + 1 : 0;
        const long d = dx * dx + dy * dy;
        if (best < 0 || d < best) {
            best = d;
            under = &m;
        }
    }
    return backInto(r, under->workArea);
}

}  // namespace lindora
