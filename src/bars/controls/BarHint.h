#pragma once
// Toolbar hints: the one shared hint window and the controller that decides when it shows.
// Bar windows only report that their selection changed or that they enter or leave menu mode;
// the controller waits 1000 ms before a hint shows, hides it after 10000 ms, and for 400 ms
// after a hint went away shows the next one at once, so moving along a toolbar feels instant.
// Both live while any manager does (the controls integration's services).
#include <memory>
#include <string>

#include "gfx/Font.h"
#include "gfx/Geometry.h"
#include "ui/Window.h"

namespace lindora {

class BarManager;
class CustomBarControl;
class ItemControl;

// The hint's outer rectangle for a text of `size` at `point` (the cursor moved down by the
// cursor gap): below the cursor, moved left to end at the work area's right, above the cursor
// when it would pass the bottom, and never left of or above the work area.
Rect BarHintPlacement(Point point, Size size, const Rect& workArea, int cursorGap);

// A disabled, top-most popup that never takes the focus or the mouse: a raised edge around
// word-wrapped text in the info colours.
class BarHintWindow : public Window {
public:
    BarHintWindow();
    ~BarHintWindow() override;

    // Sizes the window for the text in the manager's hint font and shows it, without
    // activation, at `point` (screen; the cursor already moved down by the cursor gap).
    void activateHint(Point point, const std::string& text, const BarManager& manager, int cursorGap);
    void hideHint();
    bool showing() const { return isVisibleStyle(); }
    const std::string& hintText() const { return text_; }
    const Font& hintFont() const { return font_; }
    // The font hints use for the manager: the system's status-bar font with UseSystemFont,
    // else the manager's Font; in the hint text colour.
    static Font fontFor(const BarManager& manager);

protected:
    void wndProc(Message& m) override;
    void paint(Canvas& canvas) override;

private:
    std::string text_;
    Font font_;
};

class BarHintController {
public:
    static constexpr int ShowDelayMs = 1000;
    static constexpr int HideDelayMs = 10000;
    static constexpr int GraceMs = 400;
    // How far below the cursor a hint shows (and above it, when flipped).
    static constexpr int CursorGap = 20;

    // The explicit texts of the special areas, for the windows that show them.
    static constexpr const char* MoreButtonsText = "More Buttons";
    static constexpr const char* ExpandText = "Expand (Ctrl-Down)";
    static constexpr const char* TearOffText = "Drag to make this menu float";

    // The shared controller while the services run, else null.
    static BarHintController* instance();
    // Creates the controller and its window / frees them (the services' start and stop).
    static void start();
    static void stop();

    BarHintController();
    ~BarHintController();
    BarHintController(const BarHintController&) = delete;
    BarHintController& operator=(const BarHintController&) = delete;

    // ---- what bar windows report
    // A window's selection changed: the hint logic starts over for the new selection.
    static void selectionChanged(CustomBarControl& window);
    // A window is about to enter or leave menu mode: no hint while it does.
    static void menuModeChanging(CustomBarControl& window);

    // Turns hint mode on (a selection or a special area with `explicitText` asks for a hint)
    // or off, for the manager whose items are concerned.
    void setHintActive(BarManager& manager, bool active, const std::string& explicitText = {});
    // Shows the hint now for the explicit text or the selected item, when it still applies.
    void showBarHint();

    // ---- state, for the windows and tests
    bool hintMode() const { return hintMode_; }
    bool shown() const { return shown_; }
    bool graceRunning() const { return graceTimer_ != 0; }
    // A show or hide delay is counting.
    bool delayRunning() const { return delayTimer_ != 0; }
    BarHintWindow& window() { return *window_; }

private:
    // The owning manager while it is alive and not being destroyed, else null.
    BarManager* liveManager() const;
    // The item control selected in the owning manager's windows, when hints may show for it:
    // on a bar window that is not in menu mode.
    ItemControl* hintableSelection() const;
    void startDelay(int ms);
    // The hide delay ran out.
    void autoHide();
    // Hides the hint and forgets every delay.
    void cancel();
    void killDelay();
    void startGrace();
    void killGrace();

    std::unique_ptr<BarHintWindow> window_;
    BarManager* manager_ = nullptr;
    std::string explicitText_;
    bool hintMode_ = false;
    bool shown_ = false;
    unsigned delayTimer_ = 0;
    unsigned graceTimer_ = 0;
};

}  // namespace lindora
