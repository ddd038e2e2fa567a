#pragma once
// A form as the components placed on it see it: the bar manager (its window, colour, visible and
// active state) and the settings components (border and position mode, placement, state, the
// application's window). The window layer's Form implements it; so may a form of any other
// kind. A component is a form exactly when it implements this interface.
#include <string>

#include "base/Component.h"
#include "gfx/Color.h"
#include "gfx/Geometry.h"
#include "ui/PlatformIntegration.h"

namespace lindora {

class Window;

// The border styles as the settings' construction adjustments group them.
enum class FormBorderKind {
    None,      // no border
    Fixed,     // single, dialog, tool window: position only
    Sizeable,  // sizeable and sizeable tool window
};

class FormAccess {
public:
    virtual ~FormAccess() = default;

    // The window whose messages the form's components watch; null while the form has none.
    virtual Window* formWindow() const = 0;
    virtual Color color() const = 0;
    // Shown, and the active window.
    virtual bool visible() const = 0;
    virtual bool isActiveForm() const = 0;

    virtual FormBorderKind borderKind() const = 0;
    virtual bool hasMinimizeOrMaximizeIcon() const = 0;
    virtual bool isMdiChild() const = 0;
    // Position mode: whether the form asked to be centred on the screen, and the switch to
    // letting the system choose its position only.
    virtual bool positionIsScreenCenter() const = 0;
    virtual void setPositionDefaultPosOnly() = 0;

    // The restored (normal-state) rectangle, in work-area coordinates.
    virtual Rect workAreaNormalBounds() const = 0;
    // Current bounds in screen coordinates, and each edge set on its own.
    virtual Rect formBounds() const = 0;
    virtual void setLeft(int left) = 0;
    virtual void setTop(int top) = 0;
    virtual void setWidth(int width) = 0;
    virtual void setHeight(int height) = 0;
    // The position just applied is the form's own: the system does not choose one at its show.
    virtual void keepPosition() = 0;
    virtual ShowState formState() const = 0;
    virtual void setFormState(ShowState state) = 0;

    // The application's main form, and the application's own window.
    virtual bool isMainForm() const = 0;
    virtual Window* applicationWindow() const = 0;

    // Width in pixels of a line of text in the form's font.
    virtual int textWidth(const std::string& text) const = 0;
};

// The form interface of `component`; null when it is not a form.
inline FormAccess* formAccessOf(Component* component) { return dynamic_cast<FormAccess*>(component); }
inline const FormAccess* formAccessOf(const Component* component) { return dynamic_cast<const FormAccess*>(component); }

}  // namespace lindora
