#pragma once
// The application's icon: the images of src/app/icons, compiled into the program.
#include "gfx/IconImages.h"

namespace lindora {

// Six square images, 16 to 256 pixels, smallest first (decoded once).
const IconImages& applicationIcon();

}  // namespace lindora
