#pragma once
// Where a restored form goes. The stored Left, Top, Width and Height are -1 when not stored;
// "ScreenRes" is the screen size the placement was saved on ("1024x768").
//
// Nothing stored: centred on the screen when the form asked for it, otherwise its current
// bounds pulled onto the screen. Stored on another screen size: moved so that its right and
// bottom edges stay on this screen. Stored on this screen size: its top-left kept at least
// 20 pixels inside the right and bottom edges. Negative positions then become 0.
#include <string>

#include "gfx/Geometry.h"

namespace lindora {

struct StoredPlacement {
    int Left = -1;
    int Top = -1;
    int Width = -1;
    int Height = -1;
    std::string ScreenRes;
};

// "%dx%d" of the screen's size.
std::string screenResText(Size screen);

// The bounds to give a form whose current bounds are `current`.
Rect restoredBounds(const StoredPlacement& stored, Size screen, const Rect& current, bool centreOnScreen);

}  // namespace lindora
