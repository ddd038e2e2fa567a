#pragma once
// A manager's watch over its owner form. The manager never replaces the form's window
// procedure; a message observer of the window layer shows it every message sent to the form
// before the form sees it, and the manager reacts: activation and application deactivation
// hide or show its floating bars, minimising and closing hide them, restoring shows them,
// system colour, font, work-area and display changes refresh the bars, an open menu closes
// when the form loses the activation, and a help request shows the topic of the item under
// the mouse.
#include <string>

#include "ui/Messages.h"
#include "ui/ObserverChain.h"

namespace lindora {

class Bar;
class BarManager;
class Window;

class FormObserver {
public:
    // Starts observing the manager's owner form (whenever it has a window).
    explicit FormObserver(BarManager& manager);
    ~FormObserver();
    FormObserver(const FormObserver&) = delete;
    FormObserver& operator=(const FormObserver&) = delete;

    // The reaction to a message sent to the owner form's window.
    void handleFormMessage(const Message& m);
    // The form became active or inactive; `hiding` when the form's window is being hidden;
    // `other` is the window that takes or gives up the activation (may be null).
    void activateChanged(bool active, bool hiding, Window* other);
    // Moves floating bars back into the work area of the monitor under the form's centre.
    void checkFloatingBarsPosition();
    // HideFloatingBarsWhenInactive changed: the floating bars follow the new rule at once.
    void hideWhenInactiveChanged();

    // Where the layout is saved when the form's window is destroyed (the layout store: registry
    // and INI file). Nothing is saved yet.
    void saveLayoutOnDestroy() {}

private:
    void observe(Window* target, const Message& m);
    Window* formWindow() const;
    bool isOwnBarWindow(const Window* w) const;
    // The bars floating now, with the window each has (null when it has none).
    template <class F>
    void forEachFloatingBar(F&& f) const;
    void hideFloatingBars();
    void showFloatingBars();
    // The hot item of the manager loses its hover (application deactivation).
    void dropHotItem();

    BarManager& manager_;
    ObserverId observer_ = 0;
    bool inActivateChanged_ = false;
};

}  // namespace lindora
