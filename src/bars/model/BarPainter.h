#pragma once
// The painter a manager hands to its windows and controls: every drawing and metric question of
// the bars goes through it. Painters hold no state; the controls layer owns one per kind and
// the manager keeps a pointer to the one of its effective style. This is the part of the
// interface the model itself asks; the windows and controls ask the rest.
#include <memory>
#include <string_view>

#include "gfx/Color.h"
#include "gfx/Geometry.h"

namespace lindora {

class BarManager;
class Canvas;

// The painter family, one kind per look.
enum class BarPainterKind { Standard, Enhanced, Flat, Office11, XP };

// The painter's class name as design tools show it ("BarItemControlFlatPainter").
std::string_view painterClassName(BarPainterKind kind);

// Drawing resources a manager keeps for its painters from its creation to its destruction
// (brushes derived from the system colours). A painter makes them; the manager owns them and
// tells them when the system colours change, so they are rebuilt once per change.
class BarPainterResources {
public:
    virtual ~BarPainterResources() = default;
    virtual void systemColorsChanged() = 0;
};

class BarPainter {
public:
    virtual ~BarPainter() = default;

    virtual BarPainterKind kind() const = 0;

    // The three metrics the manager keeps while its style stays: the grab handle's offset from
    // the bar's edge, the size of the grab handle's area, and the indent of a submenu's
    // separator line from the glyph band.
    virtual int gripOffset() const = 0;
    virtual int gripAreaSize() const = 0;
    virtual int separatorIndent() const = 0;

    // Added to the icon size to give the manager's button width and height.
    virtual int buttonHorizontalMargin() const = 0;
    virtual int buttonVerticalMargin() const = 0;
    // The width of a button's drop-down arrow on the manager's toolbars.
    virtual int dropDownArrowWidth(const BarManager& manager) const = 0;

    // Dock sites ask these. A textured look paints the dock itself (and leaves item backgrounds
    // unfilled), so a site under it counts as having a background of its own.
    virtual bool texturedBackgrounds() const { return false; }
    // A dock's client area where neither the dock nor the manager has a picture: a plain fill in
    // the dock's colour by default.
    virtual void drawDockBackground(Canvas& canvas, const Rect& r, Color dockColor) const;

    // A manager's resources for the painters of every kind; none by default.
    virtual std::unique_ptr<BarPainterResources> createManagerResources() const { return nullptr; }
};

}  // namespace lindora
