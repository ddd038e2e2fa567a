#pragma once
// The desktop's open operation for a document or URL, with the shell's error handling.
#include <string>

namespace lindora {

// Asks the desktop to open `fileName` (a path or a URL) with its registered handler, passing
// `parameters` (may be empty). Returns true. On failure shows the system's text for the error
// in a modal error dialog and raises SilentAbort, which ends the current command without any
// further message.
bool ShellOpen(const std::string& fileName, const std::string& parameters);

}  // namespace lindora
