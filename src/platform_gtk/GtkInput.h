#pragma once
// Turns GDK input events into the window layer's input: mouse buttons with double clicks
// detected the classic way (second press of the same button, soon and near enough, on the
// same surface; a third press is a plain press again), pointer crossings into mouse-leave,
// and keys into virtual keys with the characters they type.
#include <cstdint>
#include <deque>
#include <optional>
#include <set>
#include <vector>

#include "ui/PlatformIntegration.h"

typedef union _GdkEvent GdkEvent;
typedef struct _GdkEventButton GdkEventButton;
typedef struct _GdkEventKey GdkEventKey;

namespace lindora {

class GtkKeyboardLayout;

class GtkInput {
public:
    explicit GtkInput(const GtkKeyboardLayout& layout);
    ~GtkInput();
    GtkInput(const GtkInput&) = delete;
    GtkInput& operator=(const GtkInput&) = delete;

    void setSink(PlatformEventSink* sink) { sink_ = sink; }
    PlatformEventSink* sink() const { return sink_; }

    // Each returns true when the event was reported (GTK then stops propagating it).
    bool button(const GdkEvent* event, NativeSurface* surface);
    bool motion(const GdkEvent* event, NativeSurface* surface);
    bool crossing(const GdkEvent* event, NativeSurface* surface);
    bool key(const GdkEvent* event);

    // Input for a native child (the browser view), which handles it itself: the window layer's
    // observers see it first. Each returns true when one swallowed it (the child must not get
    // it); a key the child had and gave back unhandled is passed on without being seen again.
    bool childKey(const GdkEvent* event, NativeChild* child);
    bool childButton(const GdkEvent* event, NativeSurface* surface, NativeChild* child);
    // The child took GTK's focus: its hosting window becomes the window layer's focus.
    void childFocused(NativeChild* child);

    // A surface got or lost the keyboard focus. The first focus in the application after none
    // reports AppActivated; losing the last one reports AppDeactivated once the main loop is
    // idle, so that focus moving between our own windows reports nothing.
    void surfaceFocusChanged(bool in);

    // Double-click rules; the desktop's values by default.
    void setDoubleClick(int timeMs, int distance) { doubleClickTime_ = timeMs, doubleClickDistance_ = distance; }

private:
    // The press or release as the window layer's input (double clicks told here); nullopt for
    // buttons it does not know.
    std::optional<MouseInput> buttonInputOf(const GdkEventButton& b, NativeSurface* surface);
    // The window layer's key input for a key event, keeping the held keys for auto-repeat;
    // AltGr makes two (Ctrl and Alt). Empty for keys it does not know.
    std::vector<KeyInput> keyInputsOf(const GdkEventKey& k);
    // WebKit sends a key press the page left unhandled through GTK once more.
    struct KeyPress {
        std::uint32_t time;
        unsigned keyval;
        unsigned state;
        unsigned keycode;
        bool operator==(const KeyPress&) const = default;
    };
    bool takeEcho(const KeyPress& press);

    PlatformEventSink* sink_ = nullptr;
    const GtkKeyboardLayout& layout_;
    int doubleClickTime_;
    int doubleClickDistance_;

    struct LastPress {
        MouseButton button = MouseButton::None;
        std::uint32_t time = 0;
        Point at;
        NativeSurface* surface = nullptr;
        bool wasDoubleClick = false;
    } last_;
    std::set<unsigned> keysDown_;        // hardware key codes, to tell auto-repeat
    std::deque<KeyPress> childPresses_;  // given to a child, that may come back unhandled
    bool childPressSwallowed_ = false;   // GDK's double-click events go with their press
    int focusedSurfaces_ = 0;
    bool appActive_ = false;
    unsigned deactivationCheck_ = 0;  // GLib source id
};

}  // namespace lindora
