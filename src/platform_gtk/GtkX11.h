#pragma once
// The few questions only X11 answers. Kept apart because Xlib's macros (None, CursorShape,
// Bool) collide with ordinary names.
#include "gfx/Geometry.h"

typedef struct _GtkWidget GtkWidget;

namespace lindora {

// Whether a window manager runs that moves and sizes windows on request. True on non-X11
// displays, where the compositor always does.
bool windowManagerCanMoveResize(GtkWidget* window);

// The frame the window manager draws around a realized top-level (left, top, right, bottom),
// as it reports it in _NET_FRAME_EXTENTS; all zero without a window manager or a report.
Rect frameExtentsOf(GtkWidget* window);
// The same for a window not shown yet: asks the window manager which frame it would draw
// (_NET_REQUEST_FRAME_EXTENTS) and waits a moment for the answer. All zero at once when no
// window manager answers such requests.
Rect requestFrameExtents(GtkWidget* window);
// Whether a property change names _NET_FRAME_EXTENTS.
bool isFrameExtentsProperty(void* gdkAtom);

}  // namespace lindora
