#include "XWindowClose.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace lindora::test {

namespace {

Window findWindow(Display* display, Window under, const std::string& title) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, under, &root, &parent, &children, &count)) return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i) {
        char* name = nullptr;
        if (XFetchName(display, children[i], &name) && name) {
            if (title == name) found = children[i];
            XFree(name);
        }
        if (!found) found = findWindow(display, children[i], title);
    }
    if (children) XFree(children);
    return found;
}

}  // namespace

bool closeWindowNamed(const std::string& title) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return false;
    const Window w = findWindow(display, DefaultRootWindow(display), title);
    if (w) {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = w;
        e.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        e.xclient.format = 32;
        e.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
        e.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, w, False, NoEventMask, &e);
        XFlush(display);
    }
    XCloseDisplay(display);
    return w != 0;
}

}  // namespace lindora::test
