#pragma once
// Screen facts from GDK: monitors and their work areas, the desktop's font as the non-client
// fonts, the pointer position and whether a compositor shows per-pixel alpha. Metrics and
// colours are the classic ones at 96 dots per inch, with the desktop's values where it has
// them (screen size, double-click and drag distances), and the screen's pixels read back.
#include "ui/PlatformIntegration.h"

typedef struct _GdkDisplay GdkDisplay;

namespace lindora {

class GtkScreen final : public ScreenInfo {
public:
    explicit GtkScreen(GdkDisplay* display) : display_(display) {}

    std::vector<MonitorInfo> monitors() const override;
    int systemMetric(int index) const override;
    Color systemColor(int index) const override;
    NonClientFonts nonClientFonts() const override;
    Point cursorPos() const override;
    bool supportsTranslucency() const override;
    // The X root window: what the server holds, the WebKit view's pixels included. On a
    // composited desktop other programs' windows may be missing from it.
    Bitmap grabScreen() const override;

    // The desktop's font name ("Cantarell 11") as a system font; exposed for tests.
    static SystemFontSpec fontSpecFromName(const std::string& name);

private:
    GdkDisplay* display_;
};

}  // namespace lindora
