#pragma once
// The screen as the window layer sees it: monitors with work areas, system metrics, the
// system colours and the non-client fonts of the installed backend.
#include <vector>

#include "gfx/Font.h"
#include "gfx/Geometry.h"
#include "ui/PlatformIntegration.h"
#include "ui/SystemMetrics.h"

namespace lindora {

class Screen {
public:
    static std::vector<MonitorInfo> monitors();
    static MonitorInfo primaryMonitor();
    // The monitor holding the point, else the nearest one.
    static MonitorInfo monitorFromPoint(Point p);
    // The monitor with the largest part of the rectangle, else the nearest one.
    static MonitorInfo monitorFromRect(const Rect& r);
    static Rect workArea() { return primaryMonitor().workArea; }
    static int metric(int smIndex);
    static int width() { return metric(SM_CXSCREEN); }
    static int height() { return metric(SM_CYSCREEN); }
    static int pixelsPerInch();
    static NonClientFonts nonClientFonts();
    // A system font as a canvas font (menu, status bar, caption ...), in the given colour.
    static Font fontFrom(const SystemFontSpec& spec, Color color = clWindowText);
};

}  // namespace lindora
