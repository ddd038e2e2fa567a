#include "platform_gtk/GtkKeyMap.h"

#include <gdk/gdk.h>
#include <gtest/gtest.h>

#include "ui/Messages.h"
#include "ui/PlatformIntegration.h"

namespace lindora {
namespace {

struct KeysymCase {
    unsigned keysym;
    unsigned vk;
};

void PrintTo(const KeysymCase& c, std::ostream* os) { *os << gdk_keyval_name(c.keysym); }

class KeysymToVirtualKey : public testing::TestWithParam<KeysymCase> {};

TEST_P(KeysymToVirtualKey, MapsAsTheClassicPlatform) {
    EXPECT_EQ(virtualKeyFromKeysym(GetParam().keysym), GetParam().vk);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeysymToVirtualKey,
    testing::Values(KeysymCase{GDK_KEY_a, 'A'}, KeysymCase{GDK_KEY_Z, 'Z'}, KeysymCase{GDK_KEY_0, '0'},
                    KeysymCase{GDK_KEY_exclam, '1'}, KeysymCase{GDK_KEY_F1, VK_F1}, KeysymCase{GDK_KEY_F10, VK_F10},
                    KeysymCase{GDK_KEY_F12, VK_F12}, KeysymCase{GDK_KEY_F13, 0x7C},
                    KeysymCase{GDK_KEY_Return, VK_RETURN}, KeysymCase{GDK_KEY_KP_Enter, VK_RETURN},
                    KeysymCase{GDK_KEY_Escape, VK_ESCAPE}, KeysymCase{GDK_KEY_Tab, VK_TAB},
                    KeysymCase{GDK_KEY_ISO_Left_Tab, VK_TAB}, KeysymCase{GDK_KEY_BackSpace, VK_BACK},
                    KeysymCase{GDK_KEY_space, VK_SPACE},
                    // Modifiers arrive as the generic keys, AltGr as Alt.
                    KeysymCase{GDK_KEY_Shift_R, VK_SHIFT}, KeysymCase{GDK_KEY_Control_L, VK_CONTROL},
                    KeysymCase{GDK_KEY_Alt_L, VK_MENU}, KeysymCase{GDK_KEY_ISO_Level3_Shift, VK_MENU},
                    KeysymCase{GDK_KEY_Super_L, VK_LWIN}, KeysymCase{GDK_KEY_Menu, VK_APPS},
                    KeysymCase{GDK_KEY_Left, VK_LEFT}, KeysymCase{GDK_KEY_Page_Down, VK_NEXT},
                    KeysymCase{GDK_KEY_Delete, VK_DELETE}, KeysymCase{GDK_KEY_Insert, VK_INSERT},
                    // Keypad: digits with Num Lock, navigation without.
                    KeysymCase{GDK_KEY_KP_7, VK_NUMPAD0 + 7}, KeysymCase{GDK_KEY_KP_Home, VK_HOME},
                    KeysymCase{GDK_KEY_KP_Begin, VK_CLEAR}, KeysymCase{GDK_KEY_KP_Add, VK_ADD},
                    KeysymCase{GDK_KEY_KP_Divide, VK_DIVIDE}, KeysymCase{GDK_KEY_KP_Decimal, VK_DECIMAL},
                    // US punctuation in both shift states.
                    KeysymCase{GDK_KEY_semicolon, VK_OEM_1}, KeysymCase{GDK_KEY_colon, VK_OEM_1},
                    KeysymCase{GDK_KEY_plus, VK_OEM_PLUS}, KeysymCase{GDK_KEY_comma, VK_OEM_COMMA},
                    KeysymCase{GDK_KEY_underscore, VK_OEM_MINUS}, KeysymCase{GDK_KEY_period, VK_OEM_PERIOD},
                    KeysymCase{GDK_KEY_question, VK_OEM_2}, KeysymCase{GDK_KEY_grave, VK_OEM_3},
                    KeysymCase{GDK_KEY_braceleft, VK_OEM_4}, KeysymCase{GDK_KEY_bar, VK_OEM_5},
                    KeysymCase{GDK_KEY_bracketright, VK_OEM_6}, KeysymCase{GDK_KEY_quotedbl, VK_OEM_7},
                    // Symbols without a key of their own.
                    KeysymCase{GDK_KEY_Cyrillic_a, 0u}, KeysymCase{GDK_KEY_VoidSymbol, 0u}));

TEST(GtkKeyMap, PhysicalKeysOfTheUsLayoutBackUpForeignLayouts) {
    EXPECT_EQ(virtualKeyFromKeycode(38), 'A');  // Cyrillic ef on a Russian layout
    EXPECT_EQ(virtualKeyFromKeycode(24), 'Q');
    EXPECT_EQ(virtualKeyFromKeycode(10), '1');
    EXPECT_EQ(virtualKeyFromKeycode(19), '0');
    EXPECT_EQ(virtualKeyFromKeycode(61), VK_OEM_2);
    EXPECT_EQ(virtualKeyFromKeycode(94), 0xE2u);
    EXPECT_EQ(virtualKeyFromKeycode(36), 0u);  // Return: known by its symbol
    EXPECT_EQ(virtualKeyFromKeycode(9), 0u);
    EXPECT_EQ(virtualKeyFromKeycode(200), 0u);
}

TEST(GtkKeyMap, ModifiersAndNames) {
    EXPECT_EQ(modifiersFromGdkState(0), 0u);
    EXPECT_EQ(modifiersFromGdkState(GDK_SHIFT_MASK | GDK_MOD1_MASK), unsigned(ModShift | ModAlt));
    EXPECT_EQ(modifiersFromGdkState(GDK_CONTROL_MASK | GDK_BUTTON1_MASK | GDK_LOCK_MASK), unsigned(ModCtrl));
    EXPECT_STREQ(specialKeyName(VK_F10), "F10");
    EXPECT_STREQ(specialKeyName(VK_RETURN), "Enter");
    EXPECT_STREQ(specialKeyName(VK_NUMPAD0 + 5), "Num 5");
    EXPECT_STREQ(specialKeyName('A'), "");
}

}  // namespace
}  // namespace lindora
