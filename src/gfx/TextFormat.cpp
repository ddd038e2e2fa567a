#include "gfx/TextFormat.h"

namespace lindora {

namespace {

int utf8Length(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;
}

}  // namespace

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
            int len = utf8Length(static_cast<unsigned char>(caption[i + 1]));
            out.underlineLength = static_cast<int>(std::min<size_t>(static_cast<size_t>(len), caption.size() - i - 1));
        }
    }
    return out;
}

std::string stripAccelerators(const std::string& caption) { return parseAccelerator(caption).text; }

}  // namespace lindora
