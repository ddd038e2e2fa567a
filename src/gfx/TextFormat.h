#pragma once
// Text drawing flags (the classic platform's names and values) and accelerator marks.
#include <algorithm>
#include <string>

namespace lindora {

enum TextFormat : unsigned {
    DT_TOP = 0x0,
    DT_LEFT = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_EXPANDTABS = 0x40,
    DT_NOCLIP = 0x100,
    DT_CALCRECT = 0x400,
    DT_NOPREFIX = 0x800,
    DT_END_ELLIPSIS = 0x8000,
    DT_HIDEPREFIX = 0x100000,
};

// A caption with its accelerator marks resolved: "&&" is one "&", and the first "&" that is
// not doubled marks the next character, which is underlined.
struct AcceleratorText {
    std::string text;         // what is shown
    int underlineStart = -1;  // byte offset of the marked character in `text`, or -1
    int underlineLength = 0;  // its length in bytes (a UTF-8 sequence)
};

AcceleratorText parseAccelerator(const std::string& caption);
// The caption as shown, without marks.
std::string stripAccelerators(const std::string& caption);

}  // namespace lindora
