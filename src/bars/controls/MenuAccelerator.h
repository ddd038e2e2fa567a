#pragma once
// Accelerator characters of captions and whether a key press types one.
#include <string>

namespace lindora {

// The character after the last single "&" ("&&" is a literal ampersand); 0 when none.
char acceleratorChar(const std::string& caption);

// Whether the key, with the held Shift and Ctrl, types the caption's accelerator: a digit by
// its own key without Shift or Ctrl; any other character by the key and Shift/Ctrl state the
// keyboard layout gives for it (lower case; Shift does not count when the caption has an
// upper-case letter there).
bool acceleratorMatches(const std::string& caption, unsigned vk, bool shift, bool ctrl);

}  // namespace lindora
