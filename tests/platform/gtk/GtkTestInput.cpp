#include "GtkTestInput.h"

#include <X11/extensions/XTest.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

namespace lindora::test {

namespace {

Display* xDisplay() { return GDK_DISPLAY_XDISPLAY(gdk_display_get_default()); }

}  // namespace

void fakePointerMove(int screenX, int screenY) {
    XTestFakeMotionEvent(xDisplay(), -1, screenX, screenY, CurrentTime);
    XFlush(xDisplay());
}

void fakeButton(int button, bool press) {
    XTestFakeButtonEvent(xDisplay(), static_cast<unsigned>(button), press ? True : False, CurrentTime);
    XFlush(xDisplay());
}

void fakeKey(unsigned keysym, bool press) {
    const KeyCode code = XKeysymToKeycode(xDisplay(), keysym);
    XTestFakeKeyEvent(xDisplay(), code, press ? True : False, CurrentTime);
    XFlush(xDisplay());
}

bool layoutHasKey(unsigned keysym) { return XKeysymToKeycode(xDisplay(), keysym) != 0; }

unsigned long xWindowOf(void* gtkWidget) {
    GdkWindow* w = gtk_widget_get_window(static_cast<GtkWidget*>(gtkWidget));
    return w ? GDK_WINDOW_XID(w) : 0;
}

void focusNobody() {
    XSetInputFocus(xDisplay(), None, RevertToNone, CurrentTime);
    XFlush(xDisplay());
}

}  // namespace lindora::test
