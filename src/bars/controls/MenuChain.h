#pragma once
// The process-wide state of menu mode: every live bar window (handlers check it after calling
// out, since an item's handler may free the window that ran it), the chain of bar windows in
// menu mode from the most recently activated one (the head, which gets the keyboard) back
// through each one's predecessor, and each manager's toolbar in menu mode.
#include <vector>

namespace lindora {

class BarManager;
class CustomBarControl;
class Window;

class MenuChain {
public:
    // ---- live bar windows
    static void registerControl(CustomBarControl& control);
    static void unregisterControl(CustomBarControl& control);
    static bool isAlive(const CustomBarControl* control);
    static const std::vector<CustomBarControl*>& liveControls();

    // ---- the active chain
    static CustomBarControl* head();
    static bool active() { return head() != nullptr; }
    // Makes the control the head; it remembers the previous one. The first push records
    // whether customizing was on.
    static void push(CustomBarControl& control);
    // Takes the control off the chain; when the new head is no longer active the chain empties.
    static void pop(CustomBarControl& control);
    // The chain from the head back, head first.
    static std::vector<CustomBarControl*> members();
    // The window belongs to the chain: one of its windows or a child of one.
    static bool contains(const Window* window);
    // Ends menu mode on the head until no chain remains.
    static void hideAll();

    // ---- the toolbar of a manager in menu mode
    static CustomBarControl* activeMenuBar(const BarManager* manager);
    static void setActiveMenuBar(const BarManager* manager, CustomBarControl* bar);
};

}  // namespace lindora
