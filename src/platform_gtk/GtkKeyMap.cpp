#include "platform_gtk/GtkKeyMap.h"

#include <gdk/gdk.h>

#include "ui/Messages.h"
#include "ui/PlatformIntegration.h"

namespace lindora {

namespace {

// Virtual keys the window layer does not name.
constexpr unsigned kVkSeparator = 0x6C;
constexpr unsigned kVkF13 = 0x7C;
constexpr unsigned kVkOem102 = 0xE2;

struct KeysymEntry {
    unsigned keysym;
    unsigned vk;
};

constexpr KeysymEntry kKeysyms[] = {
    {GDK_KEY_BackSpace, VK_BACK},
    {GDK_KEY_Tab, VK_TAB},
    {GDK_KEY_ISO_Left_Tab, VK_TAB},
    {GDK_KEY_Clear, VK_CLEAR},
    {GDK_KEY_Return, VK_RETURN},
    {GDK_KEY_KP_Enter, VK_RETURN},
    {GDK_KEY_Shift_L, VK_SHIFT},
    {GDK_KEY_Shift_R, VK_SHIFT},
    {GDK_KEY_Control_L, VK_CONTROL},
    {GDK_KEY_Control_R, VK_CONTROL},
    {GDK_KEY_Alt_L, VK_MENU},
    {GDK_KEY_Alt_R, VK_MENU},
    {GDK_KEY_Meta_L, VK_MENU},
    {GDK_KEY_Meta_R, VK_MENU},
    {GDK_KEY_ISO_Level3_Shift, VK_MENU},
    {GDK_KEY_Pause, VK_PAUSE},
    {GDK_KEY_Break, VK_PAUSE},
    {GDK_KEY_Caps_Lock, VK_CAPITAL},
    {GDK_KEY_Escape, VK_ESCAPE},
    {GDK_KEY_space, VK_SPACE},
    {GDK_KEY_Page_Up, VK_PRIOR},
    {GDK_KEY_Page_Down, VK_NEXT},
    {GDK_KEY_End, VK_END},
    {GDK_KEY_Home, VK_HOME},
    {GDK_KEY_Left, VK_LEFT},
    {GDK_KEY_Up, VK_UP},
    {GDK_KEY_Right, VK_RIGHT},
    {GDK_KEY_Down, VK_DOWN},
    {GDK_KEY_Print, VK_SNAPSHOT},
    {GDK_KEY_Sys_Req, VK_SNAPSHOT},
    {GDK_KEY_Insert, VK_INSERT},
    {GDK_KEY_Delete, VK_DELETE},
    {GDK_KEY_Help, VK_HELP},
    {GDK_KEY_Super_L, VK_LWIN},
    {GDK_KEY_Super_R, VK_RWIN},
    {GDK_KEY_Menu, VK_APPS},
    {GDK_KEY_Num_Lock, VK_NUMLOCK},
    {GDK_KEY_Scroll_Lock, VK_SCROLL},
    // Keypad without Num Lock.
    {GDK_KEY_KP_Insert, VK_INSERT},
    {GDK_KEY_KP_End, VK_END},
    {GDK_KEY_KP_Down, VK_DOWN},
    {GDK_KEY_KP_Page_Down, VK_NEXT},
    {GDK_KEY_KP_Left, VK_LEFT},
    {GDK_KEY_KP_Begin, VK_CLEAR},
    {GDK_KEY_KP_Right, VK_RIGHT},
    {GDK_KEY_KP_Home, VK_HOME},
    {GDK_KEY_KP_Up, VK_UP},
    {GDK_KEY_KP_Page_Up, VK_PRIOR},
    {GDK_KEY_KP_Delete, VK_DELETE},
    // Keypad operators.
    {GDK_KEY_KP_Multiply, VK_MULTIPLY},
    {GDK_KEY_KP_Add, VK_ADD},
    {GDK_KEY_KP_Separator, kVkSeparator},
    {GDK_KEY_KP_Subtract, VK_SUBTRACT},
    {GDK_KEY_KP_Decimal, VK_DECIMAL},
    {GDK_KEY_KP_Divide, VK_DIVIDE},
    // Punctuation of the US layout, in both shift states.
    {GDK_KEY_semicolon, VK_OEM_1},
    {GDK_KEY_colon, VK_OEM_1},
    {GDK_KEY_equal, VK_OEM_PLUS},
    {GDK_KEY_plus, VK_OEM_PLUS},
    {GDK_KEY_comma, VK_OEM_COMMA},
    {GDK_KEY_less, VK_OEM_COMMA},
    {GDK_KEY_minus, VK_OEM_MINUS},
    {GDK_KEY_underscore, VK_OEM_MINUS},
    {GDK_KEY_period, VK_OEM_PERIOD},
    {GDK_KEY_greater, VK_OEM_PERIOD},
    {GDK_KEY_slash, VK_OEM_2},
    {GDK_KEY_question, VK_OEM_2},
    {GDK_KEY_grave, VK_OEM_3},
    {GDK_KEY_asciitilde, VK_OEM_3},
    {GDK_KEY_bracketleft, VK_OEM_4},
    {GDK_KEY_braceleft, VK_OEM_4},
    {GDK_KEY_backslash, VK_OEM_5},
    {GDK_KEY_bar, VK_OEM_5},
    {GDK_KEY_bracketright, VK_OEM_6},
    {GDK_KEY_braceright, VK_OEM_6},
    {GDK_KEY_apostrophe, VK_OEM_7},
    {GDK_KEY_quotedbl, VK_OEM_7},
    // Shifted digits of the US layout name their digit key.
    {GDK_KEY_exclam, '1'},
    {GDK_KEY_at, '2'},
    {GDK_KEY_numbersign, '3'},
    {GDK_KEY_dollar, '4'},
    {GDK_KEY_percent, '5'},
    {GDK_KEY_asciicircum, '6'},
    {GDK_KEY_ampersand, '7'},
    {GDK_KEY_asterisk, '8'},
    {GDK_KEY_parenleft, '9'},
    {GDK_KEY_parenright, '0'},
};

// X key codes (evdev + 8) of the US layout's main block.
constexpr unsigned kUsKeycodes[] = {
    // 10..21: 1 2 3 4 5 6 7 8 9 0 - =
    '1',
    '2',
    '3',
    '4',
    '5',
    '6',
    '7',
    '8',
    '9',
    '0',
    VK_OEM_MINUS,
    VK_OEM_PLUS,
    0,
    0,  // 22 BackSpace, 23 Tab: symbols always known
    // 24..35: q w e r t y u i o p [ ]
    'Q',
    'W',
    'E',
    'R',
    'T',
    'Y',
    'U',
    'I',
    'O',
    'P',
    VK_OEM_4,
    VK_OEM_6,
    0,
    0,  // 36 Return, 37 Control_L
    // 38..49: a s d f g h j k l ; ' `
    'A',
    'S',
    'D',
    'F',
    'G',
    'H',
    'J',
    'K',
    'L',
    VK_OEM_1,
    VK_OEM_7,
    VK_OEM_3,
    0,  // 50 Shift_L
    // 51..61: \ z x c v b n m , . /
    VK_OEM_5,
    'Z',
    'X',
    'C',
    'V',
    'B',
    'N',
    'M',
    VK_OEM_COMMA,
    VK_OEM_PERIOD,
    VK_OEM_2,
};
constexpr unsigned kFirstUsKeycode = 10;

struct NameEntry {
    unsigned vk;
    const char* name;
};

constexpr NameEntry kNames[] = {
    {VK_BACK, "Backspace"},
    {VK_TAB, "Tab"},
    {VK_CLEAR, "Clear"},
    {VK_RETURN, "Enter"},
    {VK_SHIFT, "Shift"},
    {VK_CONTROL, "Ctrl"},
    {VK_MENU, "Alt"},
    {VK_PAUSE, "Pause"},
    {VK_CAPITAL, "Caps Lock"},
    {VK_ESCAPE, "Esc"},
    {VK_SPACE, "Space"},
    {VK_PRIOR, "Page Up"},
    {VK_NEXT, "Page Down"},
    {VK_END, "End"},
    {VK_HOME, "Home"},
    {VK_LEFT, "Left"},
    {VK_UP, "Up"},
    {VK_RIGHT, "Right"},
    {VK_DOWN, "Down"},
    {VK_SNAPSHOT, "Print Screen"},
    {VK_INSERT, "Ins"},
    {VK_DELETE, "Del"},
    {VK_HELP, "Help"},
    {VK_LWIN, "Left Windows"},
    {VK_RWIN, "Right Windows"},
    {VK_APPS, "Application"},
    {VK_MULTIPLY, "Num *"},
    {VK_ADD, "Num +"},
    {VK_SUBTRACT, "Num -"},
    {VK_DECIMAL, "Num Del"},
    {VK_DIVIDE, "Num /"},
    {VK_NUMLOCK, "Num Lock"},
    {VK_SCROLL, "Scroll Lock"},
    {VK_NUMPAD0, "Num 0"},
    {VK_NUMPAD0 + 1, "Num 1"},
    {VK_NUMPAD0 + 2, "Num 2"},
    {VK_NUMPAD0 + 3, "Num 3"},
    {VK_NUMPAD0 + 4, "Num 4"},
    {VK_NUMPAD0 + 5, "Num 5"},
    {VK_NUMPAD0 + 6, "Num 6"},
    {VK_NUMPAD0 + 7, "Num 7"},
    {VK_NUMPAD0 + 8, "Num 8"},
    {VK_NUMPAD0 + 9, "Num 9"},
    {VK_F1, "F1"},
    {VK_F2, "F2"},
    {VK_F3, "F3"},
    {VK_F4, "F4"},
    {VK_F5, "F5"},
    {VK_F6, "F6"},
    {VK_F7, "F7"},
    {VK_F8, "F8"},
    {VK_F9, "F9"},
    {VK_F10, "F10"},
    {VK_F11, "F11"},
    {VK_F12, "F12"},
};

}  // namespace

unsigned virtualKeyFromKeysym(unsigned keysym) {
    if (keysym >= GDK_KEY_a && keysym <= GDK_KEY_z) return 'A' + (keysym - GDK_KEY_a);
    if (keysym >= GDK_KEY_A && keysym <= GDK_KEY_Z) return keysym;
    if (keysym >= GDK_KEY_0 && keysym <= GDK_KEY_9) return keysym;
    if (keysym >= GDK_KEY_F1 && keysym <= GDK_KEY_F12) return VK_F1 + (keysym - GDK_KEY_F1);
    if (keysym >= GDK_KEY_F13 && keysym <= GDK_KEY_F24) return kVkF13 + (keysym - GDK_KEY_F13);
    if (keysym >= GDK_KEY_KP_0 && keysym <= GDK_KEY_KP_9) return VK_NUMPAD0 + (keysym - GDK_KEY_KP_0);
    for (const auto& e : kKeysyms)
        if (e.keysym == keysym) return e.vk;
    return 0;
}

unsigned virtualKeyFromKeycode(unsigned keycode) {
    if (keycode == 94)  // the extra key of ISO keyboards, between left Shift and Z
        return kVkOem102;
    if (keycode < kFirstUsKeycode || keycode >= kFirstUsKeycode + sizeof kUsKeycodes / sizeof kUsKeycodes[0]) return 0;
    return kUsKeycodes[keycode - kFirstUsKeycode];
}

unsigned modifiersFromGdkState(unsigned state) {
    unsigned m = 0;
    if (state & GDK_SHIFT_MASK) m |= ModShift;
    if (state & GDK_CONTROL_MASK) m |= ModCtrl;
    if (state & GDK_MOD1_MASK) m |= ModAlt;
    return m;
}

const char* specialKeyName(unsigned vk) {
    for (const auto& e : kNames)
        if (e.vk == vk) return e.name;
    return "";
}

}  // namespace lindora
