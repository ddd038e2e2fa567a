#pragma once
// The base of the controls of edit-like items: they hold an inner window (an edit field) in
// part of the item. Presses on the item outside that part go to the inner window, and the
// cursor over it is the text beam. The edit and combo controls derive from it.
#include "bars/controls/ItemControl.h"

namespace lindora {

class Window;

class BarWinControl : public ItemControl {
public:
    explicit BarWinControl(BarItemLink& link);
    ~BarWinControl() override;

    Window* innerWindow() const { return innerWindow_; }
    void setInnerWindow(Window* window) { innerWindow_ = window; }
    bool focused() const { return focused_; }
    void setFocused(bool v) { focused_ = v; }
    // The inner window's part of the item, in the parent's client coordinates.
    Rect innerRect() const { return innerRect_; }
    void setInnerRect(const Rect& r) { innerRect_ = r; }

    // A press (or double click) at a client point goes on to the inner window: the points of
    // the item outside its rectangle, converted into its coordinates.
    bool forwardsMouseAt(Point client) const;
    Point toInnerWindow(Point client) const { return client - innerRect_.topLeft(); }
    // The text beam shows over the inner window's rectangle.
    bool showsTextCursorAt(Point client) const { return innerRect_.contains(client); }
    // Sends a mouse message at a client point of the parent on to the inner window, in its
    // coordinates, when the point is on the item outside the inner window; false otherwise.
    bool forwardMouse(unsigned msg, Point client);

private:
    Window* innerWindow_ = nullptr;
    bool focused_ = false;
    Rect innerRect_;
};

}  // namespace lindora
