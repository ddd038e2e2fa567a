#pragma once
// A picture of the whole screen of the gtk backend as a PNG file, for `--screenshot` runs under
// Xvfb (run.sh). On a composited desktop it shows what the X server holds, which may lack
// other programs' windows.
#include <string>

namespace lindora {

// Throws Exception naming the file when there is no display or the file cannot be written.
void writeGtkScreenshot(const std::string& path);

}  // namespace lindora
