#pragma once
// Real input on the test display through the XTEST extension: the server makes these events
// as if they came from the devices, so they travel the same path as a user's.
namespace lindora::test {

void fakePointerMove(int screenX, int screenY);
void fakeButton(int button, bool press);
// A key by its symbol (GDK_KEY_...), through the key code the display's layout gives it.
void fakeKey(unsigned keysym, bool press);
// Whether the display's layout has a key for the symbol.
bool layoutHasKey(unsigned keysym);
// Gives the keyboard focus to no window, as when another application takes it.
void focusNobody();
// The X window id of a realized GTK window, for the desktop's own tools.
unsigned long xWindowOf(void* gtkWidget);

}  // namespace lindora::test
