#pragma once
// A PNG of what the installed backend shows on the screen: the offscreen backend's composited
// screen, or on gtk the X root window (which holds the browser view's pixels too).
#include <string>

namespace lindora {

// Writes the PNG; raises Exception naming the file when it cannot.
void captureScreen(const std::string& path);

}  // namespace lindora
