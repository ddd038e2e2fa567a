#pragma once
// The non-client frame a window gets by default: the borders and caption its styles ask for,
// their hit test, the caption's buttons and painting, the smallest size a framed window may
// have, and the loop that moves or sizes the window with the mouse where the desktop does not.
#include <optional>

#include "gfx/Geometry.h"
#include "ui/PlatformIntegration.h"

namespace lindora {

class Canvas;
class Window;

// The caption's buttons, in window coordinates; empty when the window has no such button.
struct CaptionButtons {
    Rect close, maximize, minimize;
};

class DefaultFrame {
public:
    explicit DefaultFrame(const Window& window) : w_(window) {}

    // The frame left around the client: left, top, right, bottom.
    Rect insets() const;
    // The hit-test code of a point in window coordinates.
    int hitTest(Point inWindow) const;
    CaptionButtons captionButtons() const;
    // Borders, caption, its buttons and title, on a canvas whose origin is the window's top-left.
    void paint(Canvas& canvas, bool active) const;
    // An overlapped window with a frame is never smaller than the system's minimum tracking size;
    // popups, children and frameless windows have no minimum (0 x 0).
    Size minimumTrackSize() const;
    Rect withMinimumTrackSize(Rect bounds) const;

    // A caption button's raised face, before its glyph.
    static void paintCaptionButtonFace(Canvas& canvas, const Rect& button);
    // The cursor over a border or corner.
    static CursorShape cursorForHit(int hitTest);
    // Moves (HTCAPTION) or sizes (a border's code) the window with the mouse from `start`
    // (screen) until the button is released; Escape puts it back.
    static void moveSizeLoop(Window& window, int hitTest, Point start);

private:
    // The frame the desktop draws around a top-level, when it draws one.
    std::optional<Rect> desktopFrame() const;

    const Window& w_;
};

}  // namespace lindora
