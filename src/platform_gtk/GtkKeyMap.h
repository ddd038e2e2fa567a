#pragma once
// GDK key symbols and X key codes to the classic virtual-key codes the window layer speaks.
// Pure tables: no display needed.
namespace lindora {

// The virtual key of a key symbol, 0 when it has none. Letters map to 'A'..'Z' in either
// case, digits to '0'..'9', punctuation to the OEM keys of the US layout; keypad symbols keep
// their keypad meaning (KP_7 is VK_NUMPAD7, KP_Home is VK_HOME), as the classic platform does
// with Num Lock on and off.
unsigned virtualKeyFromKeysym(unsigned keysym);

// The virtual key of the physical key with this X key code in the US layout, 0 when unknown.
// Used when the active layout's symbol has no virtual key of its own (Cyrillic, Greek, ...):
// shortcuts then still work by position, as on the classic platform.
unsigned virtualKeyFromKeycode(unsigned keycode);

// ModShift, ModCtrl and ModAlt from a GdkModifierType.
unsigned modifiersFromGdkState(unsigned state);

// A readable name for keys that type no character ("F10", "Enter", "Page Up"); empty otherwise.
const char* specialKeyName(unsigned vk);

}  // namespace lindora
