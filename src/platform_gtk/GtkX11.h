#pragma once
// The few questions only X11 answers. Kept apart because Xlib's macros (None, CursorShape,
// Bool) collide with ordinary names.
typedef struct _GtkWidget GtkWidget;

namespace lindora {

// Whether a window manager runs that moves and sizes windows on request. True on non-X11
// displays, where the compositor always does.
bool windowManagerCanMoveResize(GtkWidget* window);

}  // namespace lindora
