#pragma once
// A PNG of what the installed backend shows on its screen, as the backend's screen grabs it.
#include <string>

namespace lindora {

// Writes the PNG; raises Exception naming the file when it cannot.
void captureScreen(const std::string& path);

}  // namespace lindora
