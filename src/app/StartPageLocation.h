#pragma once
// Where the running program finds its start page. A program run from its build folder or
// from a folder of its own has the page beside it; an installed program keeps its data under
// the install prefix (bin/lindora and share/lindora/index.htm), the same way relative to the
// executable wherever the prefix is.
#include <string>

namespace lindora {

// The data folder relative to the executable's folder, fixed when the program is configured.
const char* installedDataFolder();

// The start page for the executable at `executable` (a full path): beside it when a page is
// there, else in the installed data folder when a page is there, else beside it (the browser
// then shows what it shows for a missing file). The path beside the executable is the folder
// as given, cut after its last slash, with the file name appended.
std::string startPagePath(const std::string& executable);

}  // namespace lindora
