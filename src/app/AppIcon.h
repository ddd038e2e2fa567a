#pragma once
// The application's icon: the images of src/app/icons, compiled into the program.
#include <vector>

#include "gfx/Bitmap.h"

namespace lindora {

// Six square images, 16 to 256 pixels, smallest first (decoded once).
const std::vector<Bitmap>& applicationIcon();

}  // namespace lindora
