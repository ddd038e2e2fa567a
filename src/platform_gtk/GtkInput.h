#pragma once
// Turns GDK input events into the window layer's input: mouse buttons with double clicks
// detected the classic way (second press of the same button, soon and near enough, on the
// same surface; a third press is a plain press again), pointer crossings into mouse-leave,
// and keys into virtual keys with the characters they type.
#include <cstdint>
#include <set>

#include "ui/PlatformIntegration.h"

typedef union _GdkEvent GdkEvent;

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

    // A surface got or lost the keyboard focus. The first focus in the application after none
    // reports AppActivated; losing the last one reports AppDeactivated once the main loop is
    // idle, so that focus moving between our own windows reports nothing.
    void surfaceFocusChanged(bool in);

    // Double-click rules; the desktop's values by default.
    void setDoubleClick(int timeMs, int distance) { doubleClickTime_ = timeMs, doubleClickDistance_ = distance; }

private:
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
    std::set<unsigned> keysDown_;  // hardware key codes, to tell auto-repeat
    int focusedSurfaces_ = 0;
    bool appActive_ = false;
    unsigned deactivationCheck_ = 0;  // GLib source id
};

}  // namespace lindora
