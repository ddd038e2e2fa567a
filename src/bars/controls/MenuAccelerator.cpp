#include "bars/controls/MenuAccelerator.h"

#include <cctype>

#include "ui/PlatformIntegration.h"

namespace lindora {

char acceleratorChar(const std::string& caption) {
    char found = 0;
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;  // a literal ampersand
            continue;
        }
        found = caption[i + 1];
    }
    return found;
}

bool acceleratorMatches(const std::string& caption, unsigned vk, bool shift, bool ctrl) {
    const char raw = acceleratorChar(caption);
    if (raw == 0) return false;
    const auto uc = static_cast<unsigned char>(raw);
    if (std::isdigit(uc)) return vk == uc && !shift && !ctrl;
    const bool ignoreShift = std::isupper(uc) != 0;
    const auto ch = static_cast<char32_t>(std::tolower(uc));
    if (const PlatformIntegration* platform = PlatformIntegration::instance()) {
        const std::optional<KeyStroke> stroke = platform->keyboardLayout().keyForChar(ch);
        if (!stroke) return false;
        return stroke->vk == vk && (ignoreShift || stroke->shift == shift) && stroke->ctrl == ctrl;
    }
    // Without a backend letters are their upper-case key codes.
    return std::isalpha(uc) && static_cast<unsigned>(std::toupper(uc)) == vk && !ctrl && (ignoreShift || !shift);
}

}  // namespace lindora
