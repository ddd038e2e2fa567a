#include "platform/offscreen/UsKeyboardLayout.h"

#include <algorithm>
#include <cctype>

#include "ui/Messages.h"

namespace lindora {

namespace {

struct OemKey {
    unsigned vk;
    char plain;
    char shifted;
};

constexpr OemKey oemKeys[] = {
    {VK_OEM_1, ';', ':'},      {VK_OEM_PLUS, '=', '+'}, {VK_OEM_COMMA, ',', '<'}, {VK_OEM_MINUS, '-', '_'},
    {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},    {VK_OEM_3, '`', '~'},     {VK_OEM_4, '[', '{'},
    {VK_OEM_5, '\\', '|'},     {VK_OEM_6, ']', '}'},    {VK_OEM_7, '\'', '"'},
};
constexpr char shiftedDigits[] = ")!@#$%^&*(";

struct NamedKey {
    const char* name;
    unsigned vk;
};

constexpr NamedKey namedKeys[] = {
    {"Enter", VK_RETURN},    {"Return", VK_RETURN},     {"Esc", VK_ESCAPE},     {"Escape", VK_ESCAPE},
    {"Space", VK_SPACE},     {"Tab", VK_TAB},           {"Backspace", VK_BACK}, {"Delete", VK_DELETE},
    {"Del", VK_DELETE},      {"Insert", VK_INSERT},     {"Ins", VK_INSERT},     {"Home", VK_HOME},
    {"End", VK_END},         {"PageUp", VK_PRIOR},      {"PageDown", VK_NEXT},  {"Left", VK_LEFT},
    {"Up", VK_UP},           {"Right", VK_RIGHT},       {"Down", VK_DOWN},      {"Alt", VK_MENU},
    {"Ctrl", VK_CONTROL},    {"Control", VK_CONTROL},   {"Shift", VK_SHIFT},    {"Apps", VK_APPS},
    {"Menu", VK_APPS},       {"CapsLock", VK_CAPITAL},  {"Pause", VK_PAUSE},    {"PrintScreen", VK_SNAPSHOT},
    {"NumLock", VK_NUMLOCK}, {"ScrollLock", VK_SCROLL},
};

bool equalsIgnoringCase(const std::string& a, const char* b) {
    std::string bs(b);
    return a.size() == bs.size() && std::equal(a.begin(), a.end(), bs.begin(),
                                               [](char x, char y) { return std::tolower(x) == std::tolower(y); });
}

}  // namespace

std::optional<KeyStroke> UsKeyboardLayout::keyForChar(char32_t ch) const {
    if (ch >= 'a' && ch <= 'z') return KeyStroke{static_cast<unsigned>(ch - 'a' + 'A'), false, false, false};
    if (ch >= 'A' && ch <= 'Z') return KeyStroke{static_cast<unsigned>(ch), true, false, false};
    if (ch >= '0' && ch <= '9') return KeyStroke{static_cast<unsigned>(ch), false, false, false};
    for (int d = 0; d < 10; ++d)
        if (ch == static_cast<char32_t>(shiftedDigits[d]))
            return KeyStroke{static_cast<unsigned>('0' + d), true, false, false};
    for (const auto& k : oemKeys) {
        if (ch == static_cast<char32_t>(k.plain)) return KeyStroke{k.vk, false, false, false};
        if (ch == static_cast<char32_t>(k.shifted)) return KeyStroke{k.vk, true, false, false};
    }
    switch (ch) {
    case U' ': return KeyStroke{VK_SPACE, false, false, false};
    case U'\r':
    case U'\n': return KeyStroke{VK_RETURN, false, false, false};
    case U'\t': return KeyStroke{VK_TAB, false, false, false};
    case U'\b': return KeyStroke{VK_BACK, false, false, false};
    case 27: return KeyStroke{VK_ESCAPE, false, false, false};
    default: break;
    }
    if (ch >= 1 && ch <= 26) return KeyStroke{static_cast<unsigned>('A' + ch - 1), false, true, false};
    return std::nullopt;
}

char32_t UsKeyboardLayout::charForKey(unsigned vk, bool shift) const {
    if (vk >= 'A' && vk <= 'Z') return shift ? vk : vk - 'A' + 'a';
    if (vk >= '0' && vk <= '9') return shift ? static_cast<char32_t>(shiftedDigits[vk - '0']) : vk;
    for (const auto& k : oemKeys)
        if (k.vk == vk) return static_cast<char32_t>(shift ? k.shifted : k.plain);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return U'0' + (vk - VK_NUMPAD0);
    switch (vk) {
    case VK_SPACE: return U' ';
    case VK_RETURN: return U'\r';
    case VK_TAB: return U'\t';
    case VK_BACK: return U'\b';
    case VK_ESCAPE: return 27;
    case VK_MULTIPLY: return U'*';
    case VK_ADD: return U'+';
    case VK_SUBTRACT: return U'-';
    case VK_DECIMAL: return U'.';
    case VK_DIVIDE: return U'/';
    default: return 0;
    }
}

std::string UsKeyboardLayout::keyName(unsigned vk) const {
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return std::string(1, static_cast<char>(vk));
    if (vk >= VK_F1 && vk <= VK_F12) return "F" + std::to_string(vk - VK_F1 + 1);
    for (const auto& k : namedKeys)
        if (k.vk == vk) return k.name;
    for (const auto& k : oemKeys)
        if (k.vk == vk) return std::string(1, k.plain);
    return "Key" + std::to_string(vk);
}

std::optional<unsigned> UsKeyboardLayout::keyFromName(const std::string& name) {
    if (name.size() == 1) {
        char c = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<unsigned>(c);
        for (const auto& k : oemKeys)
            if (name[0] == k.plain) return k.vk;
    }
    // F1 to F12: at most two digits, so that a long number cannot overflow the conversion.
    if (name.size() >= 2 && name.size() <= 3 && (name[0] == 'F' || name[0] == 'f') &&
        std::all_of(name.begin() + 1, name.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); })) {
        int n = std::stoi(name.substr(1));
        if (n >= 1 && n <= 12) return static_cast<unsigned>(VK_F1 + n - 1);
        return std::nullopt;
    }
    for (const auto& k : namedKeys)
        if (equalsIgnoringCase(name, k.name)) return k.vk;
    return std::nullopt;
}

}  // namespace lindora
