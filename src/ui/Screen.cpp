#include "ui/Screen.h"

#include <climits>
#include <cstdlib>

#include "ui/WindowSystem.h"

namespace lindora {

namespace {

const ScreenInfo* screenInfo() {
    PlatformIntegration* p = PlatformIntegration::instance();
    return p ? &p->screen() : nullptr;
}

// Without a backend: one 1280 x 1024 monitor, so that geometry code still has a screen.
MonitorInfo fallbackMonitor() { return {{0, 0, 1280, 1024}, {0, 0, 1280, 1024}, true}; }

int distanceTo(const Rect& r, Point p) {
    int dx = p.x < r.left ? r.left - p.x : p.x >= r.right ? p.x - r.right + 1 : 0;
    int dy = p.y < r.top ? r.top - p.y : p.y >= r.bottom ? p.y - r.bottom + 1 : 0;
    return dx + dy;
}

}  // namespace

std::vector<MonitorInfo> Screen::monitors() {
    const ScreenInfo* s = screenInfo();
    std::vector<MonitorInfo> list = s ? s->monitors() : std::vector<MonitorInfo>{};
    if (list.empty()) list.push_back(fallbackMonitor());
    return list;
}

MonitorInfo Screen::primaryMonitor() {
    auto list = monitors();
    for (const auto& m : list)
        if (m.primary) return m;
    return list.front();
}

MonitorInfo Screen::monitorFromPoint(Point p) {
    auto list = monitors();
    const MonitorInfo* best = &list.front();
    int bestDistance = INT_MAX;
    for (const auto& m : list) {
        int d = distanceTo(m.bounds, p);
        if (d < bestDistance) best = &m, bestDistance = d;
    }
    return *best;
}

MonitorInfo Screen::monitorFromRect(const Rect& r) {
    auto list = monitors();
    const MonitorInfo* best = nullptr;
    long bestArea = 0;
    for (const auto& m : list) {
        Rect i = m.bounds.intersected(r);
        long area = static_cast<long>(i.width()) * i.height();
        if (!i.isEmpty() && area > bestArea) best = &m, bestArea = area;
    }
    if (best) return *best;
    return monitorFromPoint({r.left + r.width() / 2, r.top + r.height() / 2});
}

int Screen::metric(int smIndex) {
    const ScreenInfo* s = screenInfo();
    if (s) return s->systemMetric(smIndex);
    MonitorInfo m = fallbackMonitor();
    if (smIndex == SM_CXSCREEN) return m.bounds.width();
    if (smIndex == SM_CYSCREEN) return m.bounds.height();
    return 0;
}

int Screen::pixelsPerInch() {
    const ScreenInfo* s = screenInfo();
    return s ? s->dotsPerInch() : 96;
}

NonClientFonts Screen::nonClientFonts() {
    const ScreenInfo* s = screenInfo();
    if (s) return s->nonClientFonts();
    SystemFontSpec f{"DejaVu Sans", -11, 400, false};
    NonClientFonts n{f, f, f, f, f, f};
    n.caption.weight = 700;
    return n;
}

Font Screen::fontFrom(const SystemFontSpec& spec, Color color) {
    unsigned style = spec.weight >= 700 ? fsBold : fsNone;
    if (spec.italic) style |= fsItalic;
    return Font(spec.family, spec.height, style, color);
}

}  // namespace lindora
