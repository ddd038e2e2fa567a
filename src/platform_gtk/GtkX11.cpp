#include "platform_gtk/GtkX11.h"

#include <gtk/gtk.h>
#ifdef GDK_WINDOWING_X11
#include <X11/Xatom.h>
#include <gdk/gdkx.h>
#endif

#include <vector>

namespace lindora {

#ifdef GDK_WINDOWING_X11
namespace {

// A 32-bit property of a window as longs; empty when it is missing or of another type.
std::vector<long> longProperty(Display* display, Window window, const char* name, Atom type) {
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<long> values;
    if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1024, False, type, &actualType,
                           &format, &count, &after, &data) == Success &&
        actualType == type && format == 32 && data) {
        const auto* longs = reinterpret_cast<const long*>(data);
        values.assign(longs, longs + count);
    }
    if (data) XFree(data);
    return values;
}

// Asked of the server, not of GDK's cache: a window manager started after the display was
// opened must count.
bool managerSupports(Display* display, const char* hint) {
    const Window root = DefaultRootWindow(display);
    const std::vector<long> check = longProperty(display, root, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
    if (check.empty() || check[0] == 0) return false;
    // A manager that went away may leave its announcement behind: its check window must
    // still exist and name itself.
    GdkDisplay* gdkDisplay = gdk_x11_lookup_xdisplay(display);
    if (gdkDisplay) gdk_x11_display_error_trap_push(gdkDisplay);
    const std::vector<long> self =
        longProperty(display, static_cast<Window>(check[0]), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
    if (gdkDisplay) gdk_x11_display_error_trap_pop_ignored(gdkDisplay);
    if (self.empty() || self[0] != check[0]) return false;
    const Atom wanted = XInternAtom(display, hint, False);
    for (long atom : longProperty(display, root, "_NET_SUPPORTED", XA_ATOM))
        if (static_cast<Atom>(atom) == wanted) return true;
    return false;
}

Display* x11Display(GtkWidget* window) {
    GdkDisplay* display = gtk_widget_get_display(window);
    return GDK_IS_X11_DISPLAY(display) ? GDK_DISPLAY_XDISPLAY(display) : nullptr;
}

Window x11Window(GtkWidget* window) {
    GdkWindow* gdkWindow = gtk_widget_get_window(window);
    return gdkWindow && GDK_IS_X11_WINDOW(gdkWindow) ? GDK_WINDOW_XID(gdkWindow) : 0;
}

bool readExtents(Display* display, Window window, Rect& out) {
    const std::vector<long> v = longProperty(display, window, "_NET_FRAME_EXTENTS", XA_CARDINAL);
    if (v.size() < 4) return false;
    out = {static_cast<int>(v[0]), static_cast<int>(v[2]), static_cast<int>(v[1]), static_cast<int>(v[3])};
    return true;
}

}  // namespace
#endif

bool windowManagerCanMoveResize(GtkWidget* window) {
#ifdef GDK_WINDOWING_X11
    if (Display* display = x11Display(window)) return managerSupports(display, "_NET_WM_MOVERESIZE");
#endif
    (void)window;
    return true;
}

Rect frameExtentsOf(GtkWidget* window) {
    Rect extents;
#ifdef GDK_WINDOWING_X11
    Display* display = x11Display(window);
    const Window xid = x11Window(window);
    if (display && xid) readExtents(display, xid, extents);
#endif
    (void)window;
    return extents;
}

Rect requestFrameExtents(GtkWidget* window) {
    Rect extents;
#ifdef GDK_WINDOWING_X11
    Display* display = x11Display(window);
    const Window xid = x11Window(window);
    if (!display || !xid || !managerSupports(display, "_NET_REQUEST_FRAME_EXTENTS")) return extents;
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = xid;
    e.xclient.message_type = XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False);
    e.xclient.format = 32;
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    // The answer is a property on the window, set at once by a running manager; a manager
    // that hangs costs a fifth of a second, once per window.
    for (int attempt = 0; attempt < 100; ++attempt) {
        XSync(display, False);
        if (readExtents(display, xid, extents)) break;
        g_usleep(2000);
    }
#endif
    (void)window;
    return extents;
}

bool isFrameExtentsProperty(void* gdkAtom) {
    return static_cast<GdkAtom>(gdkAtom) == gdk_atom_intern_static_string("_NET_FRAME_EXTENTS");
}

}  // namespace lindora
