#pragma once
// What the window layer needs from the machine. A backend (offscreen, gtk) implements these
// interfaces; the window layer owns all window semantics (child windows, messages, capture,
// focus, timers) and only asks the backend for native top-level surfaces, input, time and
// system facts. Nothing here names a toolkit type.
//
// Coordinates are screen pixels unless a comment says otherwise. All calls happen on the one
// user-interface thread.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gfx/Color.h"
#include "gfx/Geometry.h"
#include "gfx/IconImages.h"
#include "ui/Clock.h"

namespace lindora {

class Bitmap;
class NativeSurface;

// ---------------------------------------------------------------------------------------------
// Native top-level surfaces

enum class SurfaceKind {
    Normal,  // application window; framed by the desktop where it frames windows (see framed)
    Tool,    // floating tool window: no taskbar entry, stays above its owner
    Popup,   // menus, hints, shadows: no decoration, never activated by the window manager
};

enum class ShowState { Normal, Minimized, Maximized };

enum class CursorShape {
    Arrow,
    IBeam,
    Wait,
    Cross,
    Hand,
    No,
    SizeAll,
    SizeNS,
    SizeWE,
    SizeNWSE,
    SizeNESW,
    HSplit,
    VSplit,
    Drag,
    DragCopy,
    DragNoDrop,
    Custom,
};

// Reports from a native surface back to the window that owns it. Implemented by the window layer.
class SurfaceDelegate {
public:
    virtual ~SurfaceDelegate() = default;
    // Part of the surface must be shown again (surface coordinates); the window layer presents
    // its backing store for it, repainting first when needed.
    virtual void surfaceExposed(const Rect& area) = 0;
    // The system moved or resized the surface (outer bounds, screen coordinates).
    virtual void surfaceGeometryChanged(const Rect& bounds) = 0;
    // The user asked to close the surface (window-manager close button, Alt+F4 by the system).
    virtual void surfaceCloseRequested() = 0;
    // The system gave keyboard focus to this surface or took it away.
    virtual void surfaceActivationChanged(bool active) = 0;
    // The system minimised, maximised or restored the surface.
    virtual void surfaceShowStateChanged(ShowState state) = 0;
    // The system took the pointer grab away (another grab, a window going away): the capture
    // is lost.
    virtual void surfacePointerGrabLost() {}
    // The frame the desktop draws around the surface changed (NativeSurface::desktopFrame).
    virtual void surfaceFrameChanged() {}
    // The surface's scale factor changed (it went to a screen of another resolution): the
    // backing store is made again at the new scale and everything repainted.
    virtual void surfaceScaleChanged() {}
};

struct SurfaceParams {
    SurfaceKind kind = SurfaceKind::Normal;
    Rect bounds;                     // outer bounds
    NativeSurface* owner = nullptr;  // tool windows and popups stay above their owner
    bool topMost = false;
    bool saveBits = false;     // a short-lived popup: the backend may cache what is below
    bool translucent = false;  // the backing store's alpha channel is honoured (shadows)
    // Never takes the keyboard focus, not even when clicked (floating bars, menus, hints).
    bool noActivate = false;
    // Has a caption or a sizing border: a backend whose desktop frames windows lets the
    // desktop draw that frame for normal windows.
    bool framed = false;
    std::string title;
    SurfaceDelegate* delegate = nullptr;
};

// A native control of the backend (the browser view) placed over part of a surface.
class NativeChild {
public:
    virtual ~NativeChild() = default;
    // Puts the control on a surface (or takes it off with nullptr).
    virtual void attachTo(NativeSurface* surface) = 0;
    // Rectangle in surface coordinates (the hosting window's rectangle within its top-level).
    virtual void setGeometry(const Rect& inSurface) = 0;
    virtual void setVisible(bool visible) = 0;
    // Gives the control the keyboard focus (when its hosting window gets WM_SETFOCUS).
    virtual void setFocus() = 0;
    // The hosting window lost the focus (WM_KILLFOCUS): the control, if it still holds the
    // system's keyboard focus, gives it back to its surface.
    virtual void killFocus() {}
};

class NativeSurface {
public:
    virtual ~NativeSurface() = default;
    virtual void setBounds(const Rect& bounds) = 0;
    // Shows or hides; showing with activate=false must not take the keyboard focus.
    virtual void setVisible(bool visible, bool activate) = 0;
    // Stacking: put this surface directly above `below`, or at the top when below is nullptr.
    virtual void stackAbove(NativeSurface* below) = 0;
    // Put this surface below all others of the application.
    virtual void stackBottom() = 0;
    virtual void setTopMost(bool topMost) = 0;
    virtual void setTitle(const std::string& title) = 0;
    // The images the desktop shows for the window (task bar, window switcher), in several
    // sizes; an empty list leaves the desktop's default.
    virtual void setIcon(const IconImages& images) = 0;
    virtual void setShowState(ShowState state) = 0;
    // Whole-surface opacity, 255 = opaque.
    virtual void setAlpha(std::uint8_t alpha) = 0;
    // Device pixels per surface pixel (a high-resolution screen scaled by the desktop). Surface
    // coordinates, and so all of the window layer's, stay logical at any scale.
    virtual int scaleFactor() const { return 1; }
    // Shows `area` (surface coordinates) of the backing store; the store has the surface's size
    // times scaleFactor(), in device pixels.
    virtual void present(const Bitmap& backingStore, const Rect& area) = 0;
    virtual void setCursor(CursorShape shape) = 0;
    // A cursor from a bitmap (for CursorShape::Custom), hot spot in bitmap coordinates.
    virtual void setCustomCursor(const Bitmap& image, Point hotSpot) = 0;
    // Mouse capture: while grabbed, all pointer input goes to this surface wherever it happens.
    virtual void setPointerGrab(bool grab) = 0;
    // Asks the system to give this surface the keyboard focus.
    virtual void requestActivate() = 0;
    // A press on the frame (hitTest HTCAPTION, HTLEFT, HTBOTTOMRIGHT, ...) at `screen`: lets the
    // window manager move or size the surface, reporting through surfaceGeometryChanged.
    // Returns false when the backend cannot; the window layer then runs its own move loop.
    virtual bool startSystemMoveResize(int hitTest, Point screen) = 0;
    // The frame the desktop draws around the surface (left, top, right, bottom) when the
    // desktop frames it; nullopt when the window layer draws the frame itself. The surface's
    // bounds stay the outer bounds, frame included. A window the desktop frames is minimised
    // on the desktop (it stays in the task bar) instead of being hidden.
    virtual std::optional<Rect> desktopFrame() const { return std::nullopt; }
};

// ---------------------------------------------------------------------------------------------
// Input and system notifications, reported by the backend to the window layer

enum class MouseButton { None, Left, Right, Middle };
enum class MouseAction { Move, Press, Release, DoubleClick, Leave };

// Modifier bits as seen with an input event.
enum : unsigned { ModShift = 1, ModCtrl = 2, ModAlt = 4 };

struct MouseInput {
    MouseAction action = MouseAction::Move;
    MouseButton button = MouseButton::None;
    Point screen;                      // pointer position
    NativeSurface* surface = nullptr;  // surface the event arrived on, nullptr = route by position
    unsigned modifiers = 0;
};

struct KeyInput {
    bool down = true;
    unsigned vk = 0;  // virtual-key code
    unsigned scanCode = 0;
    bool repeat = false;  // auto-repeat of a held key
    std::u32string text;  // characters this press types with the layout (may be empty)
};

enum class SystemChange {
    Colors,          // WM_SYSCOLORCHANGE
    Settings,        // WM_SETTINGCHANGE with `code`
    Display,         // WM_DISPLAYCHANGE
    Theme,           // WM_THEMECHANGED
    AppActivated,    // WM_ACTIVATEAPP true: the application got the focus from another one
    AppDeactivated,  // WM_ACTIVATEAPP false
};

class PlatformEventSink {
public:
    virtual ~PlatformEventSink() = default;
    virtual void mouseInput(const MouseInput& input) = 0;
    virtual void keyInput(const KeyInput& input) = 0;
    virtual void systemChanged(SystemChange change, unsigned code = 0) = 0;
    // Input the system gives a native child (the browser view), which handles it itself: the
    // thread-wide observers see it first, as input to the child's hosting window. Returns true
    // when one swallowed it; the child must then not get it. It never becomes a window message.
    virtual bool nativeChildKeyInput(NativeChild* child, const KeyInput& input) = 0;
    virtual bool nativeChildMouseInput(NativeChild* child, const MouseInput& input) = 0;
    // A native child took the system's keyboard focus (a click into the page): its hosting
    // window becomes the focus window.
    virtual void nativeChildFocused(NativeChild* child) = 0;
    // The session is ending (log-out): the window layer asks and tells every top-level.
    virtual bool queryEndSession() = 0;
};

// Runs the native side of the message loops.
class EventDispatcher {
public:
    virtual ~EventDispatcher() = default;
    // Delivers pending native events to the sink. When none is pending and timeoutMs is not 0,
    // waits for one up to timeoutMs (-1 = without limit); a virtual clock never waits for real
    // time. Returns true when something was delivered.
    virtual bool processEvents(int timeoutMs) = 0;
    // Makes a waiting processEvents return soon (a message was posted from elsewhere).
    virtual void wakeUp() = 0;
};

// ---------------------------------------------------------------------------------------------
// Screen and system facts

struct MonitorInfo {
    Rect bounds;
    Rect workArea;
    bool primary = false;
};

// A font as the system describes it (menu, status bar, caption fonts).
struct SystemFontSpec {
    std::string family;
    int height = -11;  // negative: character height in pixels, as the classic platform does
    int weight = 400;
    bool italic = false;
};

struct NonClientFonts {
    SystemFontSpec caption, smallCaption, menu, status, message, iconTitle;
};

class ScreenInfo {
public:
    virtual ~ScreenInfo() = default;
    virtual std::vector<MonitorInfo> monitors() const = 0;
    // Classic system metric by its SM_ index (ui/SystemMetrics.h); 0 for unknown ones.
    // SM_CXDOUBLECLK etc. included; the double-click time is doubleClickTime().
    virtual int systemMetric(int index) const = 0;
    // Classic system colour by its COLOR_ index, as RGB.
    virtual Color systemColor(int index) const = 0;
    virtual NonClientFonts nonClientFonts() const = 0;
    virtual int dotsPerInch() const { return 96; }
    virtual int bitsPerPixel() const { return 32; }
    virtual int doubleClickTime() const { return 500; }
    // Where the pointer is now, also outside the application's windows.
    virtual Point cursorPos() const = 0;
    // Whether the platform can show per-pixel alpha and whole-window alpha.
    virtual bool supportsTranslucency() const { return true; }
    // The primary screen as the user sees it now, every window composited (native children such
    // as the browser view included). Raises Exception when the screen cannot be read back.
    virtual Bitmap grabScreen() const = 0;
};

struct KeyStroke {
    unsigned vk = 0;
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

class KeyboardLayout {
public:
    virtual ~KeyboardLayout() = default;
    // The key and Shift/Ctrl/Alt state that type `ch`, if the layout has one.
    virtual std::optional<KeyStroke> keyForChar(char32_t ch) const = 0;
    // The character a key types with the given Shift state (0 when it types none).
    virtual char32_t charForKey(unsigned vk, bool shift) const = 0;
    // A readable key name ("F10", "A", "Enter").
    virtual std::string keyName(unsigned vk) const = 0;
};

// ---------------------------------------------------------------------------------------------
// Services

enum class DialogKind { Information, Warning, Error, Confirmation };

// Buttons and results share the classic modal result numbers.
enum class DialogButton { None = 0, OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

struct DialogRequest {
    DialogKind kind = DialogKind::Information;
    std::string title;
    std::string text;
    std::vector<DialogButton> buttons{DialogButton::OK};
    DialogButton defaultButton = DialogButton::OK;
    NativeSurface* owner = nullptr;
};

class PlatformServices {
public:
    virtual ~PlatformServices() = default;
    // Modal: returns the button the user chose (Cancel, or the only button, when dismissed).
    virtual DialogButton showMessageDialog(const DialogRequest& request) = 0;
    // The desktop's open operation. Returns the classic status: 32 or more is success,
    // below 32 an error code that systemErrorText explains.
    virtual int shellOpen(const std::string& verb, const std::string& document, const std::string& parameters) = 0;
    virtual std::string systemErrorText(int code) const = 0;
    // A system sound by alias ("MenuPopup", "MenuCommand"); silently nothing when unknown.
    virtual void playSound(const std::string& alias) = 0;
};

// ---------------------------------------------------------------------------------------------
// The backend

class PlatformIntegration {
public:
    virtual ~PlatformIntegration() = default;

    virtual std::string name() const = 0;
    // Called once on install, before anything else: where input and notifications go.
    virtual void attach(PlatformEventSink& sink) = 0;
    virtual std::unique_ptr<NativeSurface> createSurface(const SurfaceParams& params) = 0;
    virtual EventDispatcher& eventDispatcher() = 0;
    virtual Clock& clock() = 0;
    virtual const ScreenInfo& screen() const = 0;
    virtual const KeyboardLayout& keyboardLayout() const = 0;
    virtual PlatformServices& services() = 0;

    // The installed backend; process-wide because there is one user-interface thread.
    static PlatformIntegration* instance();
    // Installs a backend (replacing and destroying the previous one) and attaches the window
    // layer to it. Windows still open are destroyed first. nullptr uninstalls.
    static void install(std::unique_ptr<PlatformIntegration> integration);
};

}  // namespace lindora
