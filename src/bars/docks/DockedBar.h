#pragma once
// What a dock site asks of a bar docked in it: its lengths along the row, its size for a given
// length (the wrap), its flags and its window's place. The toolbar window implements it; the
// dock never sees anything else of the window.
//
// Lengths and thicknesses here are client sizes unless a name says otherwise; "along" is the
// dock's row direction (x on top and bottom docks, y on left and right ones).
//
// A site keeps a pointer to each bar docked in it: a bar leaves its site (removeBarControl)
// before it goes.
#include "bars/model/BarTypes.h"
#include "gfx/Geometry.h"

namespace lindora {

class Bar;

class DockedBar {
public:
    virtual ~DockedBar() = default;

    virtual Bar& bar() const = 0;

    // The shortest and the full client length along a dock of this style.
    virtual int minLength(BarDockingStyle style) = 0;
    virtual int fullLength(BarDockingStyle style) = 0;
    // The client thickness across the row at full length.
    virtual int fullThickness(BarDockingStyle style) = 0;
    // Client width and height when the bar is given this client length along the row; wraps a
    // multi-line bar. Asking for the final length also lays out the items.
    virtual Size sizeForLength(BarDockingStyle style, int length) = 0;
    // Whether minLength and fullLength already count the mark (the "more buttons" chevron).
    virtual bool lengthsCountMark(BarDockingStyle style) = 0;
    // Whether the painter draws the mark whether or not the bar is truncated.
    virtual bool markAlwaysDrawn() const = 0;

    // The frame (border and grab handle) along and across the row.
    virtual int nonClientAlong(BarDockingStyle style) const = 0;
    virtual int nonClientAcross(BarDockingStyle style) const = 0;
    // The client origin within the window (the frame's left and top insets).
    virtual Point nonClientOffset() const = 0;

    // Links that do not fit are hidden behind the mark.
    virtual bool truncated() const = 0;
    virtual void setTruncated(bool value) = 0;

    // The window's rectangle in the dock's client coordinates.
    virtual Rect dockedBounds() const = 0;
    // Moves and sizes the window without activating it or changing the z-order, then lays its
    // items out again.
    virtual void setDockedBounds(const Rect& bounds) = 0;
    virtual void repaint() = 0;
    // The dock's frame changed (sunken border): the bar recalculates its own frame.
    virtual void dockFrameChanged() {}
    // The dock's alignment changed: the bar now lies along a dock of this style.
    virtual void dockStyleChanged(BarDockingStyle style) {}

    // Being put back where a stored layout says (its Row and OneOnRow decide the row), rather
    // than docked at a point by the user.
    virtual bool restoringDockedState() const { return false; }
    // While the user drags the bar: where the mouse holds it, from the client origin.
    virtual bool dragging() const { return false; }
    virtual Point dragOffset() const { return {}; }
    // In the middle of swapping its floating and docked windows: the dock leaves it unmoved.
    virtual bool swappingWindows() const { return false; }
};

}  // namespace lindora
