#include "gfx/TextFormat.h"

#include "base/Utf8.h"

namespace lindora {

AcceleratorText parseAccelerator(const std::string& caption) {
    AcceleratorText out;
    out.text.reserve(caption.size());
    for (size_t i = 0; i < caption.size(); ++i) {
        char c = caption[i];
        if (c != '&') {
            out.text.push_back(c);
            continue;
        }
        if (i + 1 >= caption.size()) break;  // a lone trailing mark shows nothing
        if (caption[i + 1] == '&') {
            out.text.push_back('&');
            ++i;
            continue;
        }
        // Further single marks are dropped; only the first one underlines.
        if (out.underlineStart < 0) {
            out.underlineStart = static_cast<int>(out.text.size());
            // The whole character, or the one bad part a replacement character will stand for.
            out.underlineLength = static_cast<int>(decodeUtf8At(caption, i + 1).length);
        }
    }
    return out;
}

std::string stripAccelerators(const std::string& caption) { return parseAccelerator(caption).text; }

}  // namespace lindora
