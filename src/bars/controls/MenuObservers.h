#pragma once
// The thread-wide keyboard and mouse observers of the bar framework, installed while any bar
// manager lives. The keyboard observer hands keys to the head of the active menu chain (and
// swallows them), turns Alt alone and F10 into menu mode on the main menu bar, and runs item
// shortcuts and Alt+letter accelerators. The mouse observer ends menu mode when a button goes
// down (or the left one up) outside the windows of the chain; a press also keeps a held Alt
// from counting as released alone.
#include "ui/ObserverChain.h"

namespace lindora {

class BarManager;
class BarControl;

class MenuObservers {
public:
    MenuObservers() = default;
    ~MenuObservers() { remove(); }
    MenuObservers(const MenuObservers&) = delete;
    MenuObservers& operator=(const MenuObservers&) = delete;

    void install();
    void remove();
    bool installed() const { return keyboard_ != 0; }

    // What each observer does with one input; true swallows it.
    bool keyboard(const KeyboardEvent& e);
    bool mouse(const MouseEvent& e);

    // The manager of the active form (its parent form's when it has none), and the manager
    // whose main menu bar Alt, F10 and accelerators reach.
    static BarManager* formManager();
    static BarManager* menuManager();

private:
    // A key press outside menu mode: shortcuts, then Alt+letter accelerators; true when used.
    bool shortcutOrAccelerator(unsigned vk);
    // Enters menu mode on the manager's main menu bar; false when it has no shown one.
    static bool enterMainMenu(BarManager& manager);
    // The context-menu key or Shift+F10: the focused control's linked popup menu shows here
    // once popup menus exist; until then nothing is shown and the key goes on.
    bool showFocusedControlPopup() { return false; }
    // A right-button release: the popup menu linked to the nearest enabled framework control
    // that owns the window shows here once popup menus exist.
    void showLinkedPopupAt(const MouseEvent& e) {}

    ObserverId keyboard_ = 0;
    ObserverId mouse_ = 0;
    bool menuKeyArmed_ = false;
    unsigned passedKey_ = 0;
    bool passedKeyPending_ = false;
};

}  // namespace lindora
