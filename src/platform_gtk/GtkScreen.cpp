#include "platform_gtk/GtkScreen.h"

#include <gtk/gtk.h>

#include "platform_gtk/GtkDesktopSettings.h"

#include <algorithm>
#include <cmath>

#include "base/Exception.h"
#include "gfx/Bitmap.h"
#include "ui/SystemMetrics.h"

namespace lindora {

namespace {

struct MetricDefault {
    int index;
    int value;
};

// The classic platform's metrics at 96 dots per inch.
constexpr MetricDefault kClassicMetrics[] = {
    {SM_CXVSCROLL, 16},    {SM_CYHSCROLL, 16},   {SM_CYCAPTION, 19},   {SM_CXBORDER, 1},     {SM_CYBORDER, 1},
    {SM_CXFIXEDFRAME, 3},  {SM_CYFIXEDFRAME, 3}, {SM_CYVTHUMB, 16},    {SM_CXHTHUMB, 16},    {SM_CXICON, 32},
    {SM_CYICON, 32},       {SM_CXCURSOR, 32},    {SM_CYCURSOR, 32},    {SM_CYMENU, 19},      {SM_CYVSCROLL, 16},
    {SM_CXHSCROLL, 16},    {SM_CXMIN, 112},      {SM_CYMIN, 27},       {SM_CXSIZE, 18},      {SM_CYSIZE, 18},
    {SM_CXFRAME, 4},       {SM_CYFRAME, 4},      {SM_CXMINTRACK, 112}, {SM_CYMINTRACK, 27},  {SM_CXDOUBLECLK, 4},
    {SM_CYDOUBLECLK, 4},   {SM_CXEDGE, 2},       {SM_CYEDGE, 2},       {SM_CXSMICON, 16},    {SM_CYSMICON, 16},
    {SM_CYSMCAPTION, 16},  {SM_CXSMSIZE, 12},    {SM_CYSMSIZE, 15},    {SM_CXMENUSIZE, 18},  {SM_CYMENUSIZE, 18},
    {SM_CXDRAG, 4},        {SM_CYDRAG, 4},       {SM_CXMENUCHECK, 13}, {SM_CYMENUCHECK, 13}, {SM_CXFOCUSBORDER, 1},
    {SM_CYFOCUSBORDER, 1},
};

Rect toRect(const GdkRectangle& r) { return Rect::fromSize(r.x, r.y, r.width, r.height); }

}  // namespace

std::vector<MonitorInfo> GtkScreen::monitors() const {
    std::vector<MonitorInfo> list;
    const int n = gdk_display_get_n_monitors(display_);
    for (int i = 0; i < n; ++i) {
        GdkMonitor* m = gdk_display_get_monitor(display_, i);
        GdkRectangle geometry, work;
        gdk_monitor_get_geometry(m, &geometry);
        gdk_monitor_get_workarea(m, &work);
        list.push_back({toRect(geometry), toRect(work), gdk_monitor_is_primary(m) != FALSE});
    }
    // X servers without RandR name no primary monitor; the first one is it then.
    if (!list.empty() && std::none_of(list.begin(), list.end(), [](const MonitorInfo& m) { return m.primary; }))
        list.front().primary = true;
    return list;
}

int GtkScreen::systemMetric(int index) const {
    // Most metrics are fixed; only the screen's own ask GDK (painting asks often).
    switch (index) {
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
        // The desktop gives the distance either way from the first click; the metric is the
        // size of the whole rectangle.
        return 2 * desktopSettingInt("gtk-double-click-distance", 2);
    case SM_CXDRAG:
    case SM_CYDRAG: return desktopSettingInt("gtk-dnd-drag-threshold", 4);
    case SM_CXSCREEN:
    case SM_CYSCREEN:
    case SM_CXFULLSCREEN:
    case SM_CYFULLSCREEN:
    case SM_CXMAXIMIZED:
    case SM_CYMAXIMIZED:
    case SM_XVIRTUALSCREEN:
    case SM_YVIRTUALSCREEN:
    case SM_CXVIRTUALSCREEN:
    case SM_CYVIRTUALSCREEN:
    case SM_CMONITORS: break;
    default:
        for (const auto& m : kClassicMetrics)
            if (m.index == index) return m.value;
        return 0;
    }
    const auto all = monitors();
    MonitorInfo primary{{0, 0, 1280, 1024}, {0, 0, 1280, 1024}, true};
    Rect virtualScreen;
    for (const auto& m : all) {
        if (m.primary) primary = m;
        virtualScreen = virtualScreen.united(m.bounds);
    }
    switch (index) {
    case SM_CXSCREEN: return primary.bounds.width();
    case SM_CYSCREEN: return primary.bounds.height();
    case SM_CXFULLSCREEN: return primary.workArea.width();
    case SM_CYFULLSCREEN: return primary.workArea.height() - systemMetric(SM_CYCAPTION);
    case SM_CXMAXIMIZED: return primary.workArea.width() + 2 * systemMetric(SM_CXFRAME);
    case SM_CYMAXIMIZED: return primary.workArea.height() + 2 * systemMetric(SM_CYFRAME);
    case SM_XVIRTUALSCREEN: return virtualScreen.left;
    case SM_YVIRTUALSCREEN: return virtualScreen.top;
    case SM_CXVIRTUALSCREEN: return virtualScreen.width();
    case SM_CYVIRTUALSCREEN: return virtualScreen.height();
    default: return static_cast<int>(all.size());  // SM_CMONITORS
    }
}

Color GtkScreen::systemColor(int index) const {
    // The bars draw the classic look; the desktop theme's colours do not map onto it.
    const auto& table = SystemColors::defaults();
    return index >= 0 && index < SystemColors::Count ? table[static_cast<std::size_t>(index)] : RGB(0, 0, 0);
}

SystemFontSpec GtkScreen::fontSpecFromName(const std::string& name) {
    SystemFontSpec spec{"Sans", -13, 400, false};
    PangoFontDescription* d = pango_font_description_from_string(name.c_str());
    if (!d) return spec;
    if (const char* family = pango_font_description_get_family(d); family && *family) spec.family = family;
    const int size = pango_font_description_get_size(d);
    if (size > 0) {
        const double points = static_cast<double>(size) / PANGO_SCALE;
        const double pixels = pango_font_description_get_size_is_absolute(d) ? points : points * 96.0 / 72.0;
        spec.height = -std::max(1, static_cast<int>(std::lround(pixels)));
    }
    spec.weight = std::clamp(static_cast<int>(pango_font_description_get_weight(d)), 100, 1000);
    const PangoStyle style = pango_font_description_get_style(d);
    spec.italic = style == PANGO_STYLE_ITALIC || style == PANGO_STYLE_OBLIQUE;
    pango_font_description_free(d);
    return spec;
}

NonClientFonts GtkScreen::nonClientFonts() const {
    std::string name = "Sans 10";
    if (GtkSettings* settings = gtk_settings_get_default()) {
        gchar* value = nullptr;
        g_object_get(settings, "gtk-font-name", &value, nullptr);
        if (value) name = value;
        g_free(value);
    }
    const SystemFontSpec font = fontSpecFromName(name);
    NonClientFonts fonts{font, font, font, font, font, font};
    fonts.caption.weight = std::max(font.weight, 700);
    fonts.smallCaption.weight = std::max(font.weight, 700);
    return fonts;
}

Point GtkScreen::cursorPos() const {
    GdkSeat* seat = gdk_display_get_default_seat(display_);
    GdkDevice* pointer = seat ? gdk_seat_get_pointer(seat) : nullptr;
    if (!pointer) return {};
    gint x = 0, y = 0;
    gdk_device_get_position(pointer, nullptr, &x, &y);
    return {x, y};
}

bool GtkScreen::supportsTranslucency() const {
    return gdk_screen_is_composited(gdk_display_get_default_screen(display_)) != FALSE;
}

Bitmap GtkScreen::grabScreen() const {
    GdkWindow* root = gdk_screen_get_root_window(gdk_display_get_default_screen(display_));
    if (!root) throw Exception("Cannot take a screenshot: there is no display");
    // Everything drawn so far must have reached the server.
    gdk_display_sync(display_);
    const int width = gdk_window_get_width(root), height = gdk_window_get_height(root);
    GdkPixbuf* shot = gdk_pixbuf_get_from_window(root, 0, 0, width, height);
    if (!shot) throw Exception("Cannot take a screenshot of the display");
    const int stride = gdk_pixbuf_get_rowstride(shot);
    const int channels = gdk_pixbuf_get_n_channels(shot);
    const bool alpha = gdk_pixbuf_get_has_alpha(shot) != FALSE;
    const guchar* data = gdk_pixbuf_read_pixels(shot);
    Bitmap out(gdk_pixbuf_get_width(shot), gdk_pixbuf_get_height(shot));
    for (int y = 0; y < out.height(); ++y) {
        auto row = out.row(y);
        for (int x = 0; x < out.width(); ++x) {
            const guchar* p = data + static_cast<std::ptrdiff_t>(y) * stride + x * channels;
            const unsigned a = alpha ? p[3] : 255;
            // Bitmaps hold premultiplied colour.
            auto channel = [a](unsigned c) { return (c * a + 127) / 255; };
            row[static_cast<std::size_t>(x)] = (a << 24) | (channel(p[0]) << 16) | (channel(p[1]) << 8) | channel(p[2]);
        }
    }
    g_object_unref(shot);
    out.markDirty();
    return out;
}

}  // namespace lindora
