#pragma once
// What the bar model asks of the form that owns a manager and of the application object. A form
// is any component that implements FormAccess (the window layer's Form among them). The
// application's main form, title and exception report come from the live Application unless
// other answers are installed (tests, embedding).
#include <exception>
#include <functional>
#include <string>

#include "gfx/Color.h"

namespace lindora {

class Component;
class Window;

namespace formlink {

// True when `component` is a form.
bool isForm(const Component* component);
// The form of a component: itself when it is a form, else the nearest owner that is one.
Component* parentForm(Component* component);
// The form's window, or null while the form has none.
Window* windowOf(Component* form);
// The form's colour; the button-face colour for a component that is not a form.
Color colorOf(const Component* form);
// The form is shown / is the active window.
bool isVisible(Component* form);
bool isActive(Component* form);

}  // namespace formlink

// The application as the bar model needs it.
struct ApplicationLink {
    std::function<Component*()> mainForm;
    std::function<std::string()> title;
    // The application's exception report; without one, the error is shown in a message dialog.
    std::function<void(const std::exception&)> handleException;
};

// Installs the application's answers (empty functions keep the defaults).
void setApplicationLink(ApplicationLink link);
Component* applicationMainForm();
std::string applicationTitle();
// Hands an exception to the application's exception report. SilentAbort is dropped silently.
void reportException(const std::exception& e);

}  // namespace lindora
