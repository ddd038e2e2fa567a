#pragma once
// What form settings need of the form that owns them: its window (to hook its messages), its
// border and position mode (construction adjustments), its bounds and state (placement), and
// the application's window (minimising the application). Forms reach the settings through an
// adapter, so that the settings depend only on this narrow view of a form.
#include <memory>
#include <string>

#include "gfx/Geometry.h"
#include "ui/PlatformIntegration.h"

namespace lindora {

class Component;
class Window;

// The border styles as the construction adjustments group them.
enum class FormBorderKind {
    None,      // no border
    Fixed,     // single, dialog, tool window: position only
    Sizeable,  // sizeable and sizeable tool window
};

class FormAccess {
public:
    virtual ~FormAccess() = default;

    // The window whose procedure the settings hook; null when the form has none.
    virtual Window* window() const = 0;

    virtual FormBorderKind borderKind() const = 0;
    virtual bool hasMinimizeOrMaximizeIcon() const = 0;
    virtual bool isMdiChild() const = 0;
    // Position mode: whether the form asked to be centred on the screen, and the switch to
    // letting the system choose its position only.
    virtual bool positionIsScreenCenter() const = 0;
    virtual void setPositionDefaultPosOnly() = 0;

    // The restored (normal-state) rectangle, in work-area coordinates.
    virtual Rect normalBounds() const = 0;
    // Current bounds in screen coordinates, and each edge set on its own.
    virtual Rect bounds() const = 0;
    virtual void setLeft(int left) = 0;
    virtual void setTop(int top) = 0;
    virtual void setWidth(int width) = 0;
    virtual void setHeight(int height) = 0;
    // The position just applied is the form's own: the system does not choose one at its show.
    virtual void keepPosition() {}
    virtual ShowState windowState() const = 0;
    virtual void setWindowState(ShowState state) = 0;

    // The application's main form, and the application's own window.
    virtual bool isMainForm() const = 0;
    virtual Window* applicationWindow() const = 0;

    // Width in pixels of a line of text in the form's canvas font.
    virtual int textWidth(const std::string& text) const = 0;
};

// A form class that hands out its own view (stand-ins in tests, forms of other toolkits).
class FormAccessProvider {
public:
    virtual ~FormAccessProvider() = default;
    virtual std::unique_ptr<FormAccess> createFormAccess() = 0;
};

// The view of `owner` when it is a form; null otherwise.
std::unique_ptr<FormAccess> formAccessFor(Component* owner);

}  // namespace lindora
