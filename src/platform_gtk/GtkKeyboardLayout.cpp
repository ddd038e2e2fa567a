#include "platform_gtk/GtkKeyboardLayout.h"

#include <gdk/gdk.h>

#include "platform_gtk/GtkKeyMap.h"

namespace lindora {

namespace {

constexpr unsigned kIsoExtraKeycode = 94;
constexpr unsigned kVkOem102 = 0xE2;

std::string utf8Of(char32_t c) {
    char buffer[8] = {};
    const int n = g_unichar_to_utf8(static_cast<gunichar>(c), buffer);
    return std::string(buffer, static_cast<std::size_t>(n));
}

}  // namespace

GtkKeyboardLayout::GtkKeyboardLayout(GdkKeymap* keymap) : keymap_(keymap) {
    g_object_ref(keymap_);
    keysChangedHandler_ = g_signal_connect(keymap_, "keys-changed", G_CALLBACK(onKeysChanged), this);
    rebuild();
}

GtkKeyboardLayout::~GtkKeyboardLayout() {
    g_signal_handler_disconnect(keymap_, keysChangedHandler_);
    g_object_unref(keymap_);
}

void GtkKeyboardLayout::onKeysChanged(GdkKeymap*, void* self) { static_cast<GtkKeyboardLayout*>(self)->rebuild(); }

void GtkKeyboardLayout::rebuild() {
    vkOfKeycode_.clear();
    charsOfVk_.clear();
    strokeOfChar_.clear();
    for (unsigned keycode = 8; keycode < 256; ++keycode) {
        GdkKeymapKey* keys = nullptr;
        guint* keyvals = nullptr;
        gint count = 0;
        if (!gdk_keymap_get_entries_for_keycode(keymap_, keycode, &keys, &keyvals, &count)) continue;
        // Levels of the first group: 0 plain, 1 Shift, 2 AltGr (Ctrl+Alt on the classic
        // platform), 3 Shift+AltGr.
        guint levels[4] = {0, 0, 0, 0};
        for (gint i = 0; i < count; ++i)
            if (keys[i].group == 0 && keys[i].level >= 0 && keys[i].level < 4) levels[keys[i].level] = keyvals[i];
        g_free(keys);
        g_free(keyvals);

        unsigned vk = keycode == kIsoExtraKeycode ? kVkOem102 : virtualKeyFromKeysym(levels[0]);
        if (!vk) vk = virtualKeyFromKeycode(keycode);
        if (!vk) continue;
        vkOfKeycode_[keycode] = vk;

        KeyChars chars{gdk_keyval_to_unicode(levels[0]), gdk_keyval_to_unicode(levels[1])};
        if (chars.plain >= 0x20 || chars.shifted >= 0x20) charsOfVk_.try_emplace(vk, chars);
        for (int level = 0; level < 4; ++level) {
            const char32_t ch = gdk_keyval_to_unicode(levels[level]);
            if (ch < 0x20 || ch == 0x7F) continue;
            KeyStroke stroke{vk, (level & 1) != 0, level >= 2, level >= 2};
            strokeOfChar_.try_emplace(ch, stroke);  // the simplest way to type it wins
        }
    }
}

std::optional<KeyStroke> GtkKeyboardLayout::keyForChar(char32_t ch) const {
    if (auto it = strokeOfChar_.find(ch); it != strokeOfChar_.end()) return it->second;
    return std::nullopt;
}

char32_t GtkKeyboardLayout::charForKey(unsigned vk, bool shift) const {
    auto it = charsOfVk_.find(vk);
    if (it == charsOfVk_.end()) return 0;
    const char32_t c = shift ? it->second.shifted : it->second.plain;
    return c >= 0x20 && c != 0x7F ? c : 0;
}

std::string GtkKeyboardLayout::keyName(unsigned vk) const {
    if (const char* special = specialKeyName(vk); *special) return special;
    if (const char32_t c = charForKey(vk, false)) return utf8Of(g_unichar_toupper(static_cast<gunichar>(c)));
    return {};
}

unsigned GtkKeyboardLayout::virtualKeyOf(unsigned keycode) const {
    auto it = vkOfKeycode_.find(keycode);
    return it == vkOfKeycode_.end() ? 0 : it->second;
}

}  // namespace lindora
