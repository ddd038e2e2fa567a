#pragma once
// Asking a program's window to close as a window manager does, through Xlib on its own
// connection. Kept apart because Xlib's macros collide with ordinary names.
#include <string>

namespace lindora::test {

// Sends WM_DELETE_WINDOW to the window named `title` on the current DISPLAY; false when no
// such window exists.
bool closeWindowNamed(const std::string& title);

}  // namespace lindora::test
