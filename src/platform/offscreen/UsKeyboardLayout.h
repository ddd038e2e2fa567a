#pragma once
// The US keyboard layout of the offscreen backend: characters to keys with Shift/Ctrl, keys to
// characters, and key names both ways (for input scripts).
#include <optional>
#include <string>

#include "ui/PlatformIntegration.h"

namespace lindora {

class UsKeyboardLayout final : public KeyboardLayout {
public:
    std::optional<KeyStroke> keyForChar(char32_t ch) const override;
    char32_t charForKey(unsigned vk, bool shift) const override;
    std::string keyName(unsigned vk) const override;
    // The key a name stands for ("F10", "Enter", "A", "Alt", "PageDown"), ignoring case.
    static std::optional<unsigned> keyFromName(const std::string& name);
};

}  // namespace lindora
