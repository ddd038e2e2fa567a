#pragma once
// The keyboard layout of the display: which key and shift state type a character, which
// character a key types, and the virtual key of a hardware key code. Built from the GDK key
// map and rebuilt when the user switches layouts.
#include <map>
#include <optional>
#include <string>

#include "ui/PlatformIntegration.h"

typedef struct _GdkKeymap GdkKeymap;

namespace lindora {

class GtkKeyboardLayout final : public KeyboardLayout {
public:
    explicit GtkKeyboardLayout(GdkKeymap* keymap);
    ~GtkKeyboardLayout() override;
    GtkKeyboardLayout(const GtkKeyboardLayout&) = delete;
    GtkKeyboardLayout& operator=(const GtkKeyboardLayout&) = delete;

    std::optional<KeyStroke> keyForChar(char32_t ch) const override;
    char32_t charForKey(unsigned vk, bool shift) const override;
    std::string keyName(unsigned vk) const override;

    // The virtual key of an X key code in the current layout (0 when it has none).
    unsigned virtualKeyOf(unsigned keycode) const;

private:
    void rebuild();
    static void onKeysChanged(GdkKeymap*, void* self);

    struct KeyChars {
        char32_t plain = 0;
        char32_t shifted = 0;
    };

    GdkKeymap* keymap_;
    unsigned long keysChangedHandler_ = 0;
    std::map<unsigned, unsigned> vkOfKeycode_;
    std::map<unsigned, KeyChars> charsOfVk_;
    std::map<char32_t, KeyStroke> strokeOfChar_;
};

}  // namespace lindora
