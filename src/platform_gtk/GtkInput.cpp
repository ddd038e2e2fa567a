#include "platform_gtk/GtkInput.h"

#include <gtk/gtk.h>

#include "platform_gtk/GtkDesktopSettings.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform_gtk/GtkEventDispatcher.h"
#include "platform_gtk/GtkKeyMap.h"
#include "platform_gtk/GtkKeyboardLayout.h"
#include "ui/Messages.h"
#include "ui/SystemMetrics.h"

namespace lindora {

namespace {

MouseButton buttonOf(guint button) {
    switch (button) {
    case 1: return MouseButton::Left;
    case 2: return MouseButton::Middle;
    case 3: return MouseButton::Right;
    default: return MouseButton::None;
    }
}

Point rootPoint(double x, double y) { return {static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y))}; }

// The characters a key press types, as the classic platform's translation would make them.
std::u32string textOf(const GdkEventKey& key) {
    switch (key.keyval) {
    case GDK_KEY_BackSpace: return U"\b";
    case GDK_KEY_Tab:
    case GDK_KEY_ISO_Left_Tab: return U"\t";
    case GDK_KEY_Return:
    case GDK_KEY_KP_Enter: return U"\r";
    case GDK_KEY_Escape: return U"\x1b";
    case GDK_KEY_Delete:
    case GDK_KEY_KP_Delete: return U"";  // Del types nothing
    default: break;
    }
    const char32_t c = gdk_keyval_to_unicode(key.keyval);
    if (!c) return U"";
    if ((key.state & GDK_CONTROL_MASK) && !(key.state & GDK_MOD1_MASK)) {
        // Ctrl+letter types the control character, Ctrl with other keys types nothing.
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return std::u32string(1, static_cast<char32_t>(c & 0x1F));
        if (c == '[' || c == '\\' || c == ']') return std::u32string(1, static_cast<char32_t>(c & 0x1F));
        return U"";
    }
    return std::u32string(1, c);
}

}  // namespace

GtkInput::GtkInput(const GtkKeyboardLayout& layout)
    : layout_(layout), doubleClickTime_(desktopSettingInt("gtk-double-click-time", DefaultDoubleClickTime)),
      doubleClickDistance_(desktopSettingInt("gtk-double-click-distance", 4)) {}

GtkInput::~GtkInput() {
    if (deactivationCheck_) g_source_remove(deactivationCheck_);
}

void GtkInput::surfaceFocusChanged(bool in) {
    if (in) {
        ++focusedSurfaces_;
        if (!appActive_) {
            appActive_ = true;
            if (sink_) GtkEventDispatcher::guarded([&] { sink_->systemChanged(SystemChange::AppActivated); });
        }
        return;
    }
    focusedSurfaces_ = std::max(0, focusedSurfaces_ - 1);
    if (focusedSurfaces_ > 0 || deactivationCheck_) return;
    deactivationCheck_ = g_idle_add(
        [](gpointer data) -> gboolean {
            auto* self = static_cast<GtkInput*>(data);
            self->deactivationCheck_ = 0;
            if (self->focusedSurfaces_ == 0 && self->appActive_) {
                self->appActive_ = false;
                if (self->sink_)
                    GtkEventDispatcher::guarded([&] { self->sink_->systemChanged(SystemChange::AppDeactivated); });
            }
            return G_SOURCE_REMOVE;
        },
        this);
}

std::optional<MouseInput> GtkInput::buttonInputOf(const GdkEventButton& b, NativeSurface* surface) {
    const MouseButton which = buttonOf(b.button);
    if (which == MouseButton::None) return std::nullopt;
    MouseInput input;
    input.button = which;
    input.screen = rootPoint(b.x_root, b.y_root);
    input.surface = surface;
    input.modifiers = modifiersFromGdkState(b.state);
    if (b.type == GDK_BUTTON_RELEASE) {
        input.action = MouseAction::Release;
    } else {
        const bool isDouble = !last_.wasDoubleClick && last_.button == which && last_.surface == surface &&
                              b.time - last_.time <= static_cast<std::uint32_t>(doubleClickTime_) &&
                              std::abs(input.screen.x - last_.at.x) <= doubleClickDistance_ &&
                              std::abs(input.screen.y - last_.at.y) <= doubleClickDistance_;
        input.action = isDouble ? MouseAction::DoubleClick : MouseAction::Press;
        last_ = {which, b.time, input.screen, surface, isDouble};
    }
    return input;
}

bool GtkInput::button(const GdkEvent* event, NativeSurface* surface) {
    const GdkEventButton& b = event->button;
    // GDK's own 2BUTTON/3BUTTON events are dropped: double clicks are told below.
    if (b.type != GDK_BUTTON_PRESS && b.type != GDK_BUTTON_RELEASE) return true;
    const std::optional<MouseInput> input = buttonInputOf(b, surface);
    if (!input) return false;
    if (sink_) GtkEventDispatcher::guarded([&] { sink_->mouseInput(*input); });
    return true;
}

bool GtkInput::childButton(const GdkEvent* event, NativeSurface* surface, NativeChild* child) {
    const GdkEventButton& b = event->button;
    if (b.type != GDK_BUTTON_PRESS && b.type != GDK_BUTTON_RELEASE) return childPressSwallowed_;
    const std::optional<MouseInput> input = buttonInputOf(b, surface);
    if (!input) return false;
    bool swallowed = false;
    if (sink_) GtkEventDispatcher::guarded([&] { swallowed = sink_->nativeChildMouseInput(child, *input); });
    if (b.type == GDK_BUTTON_PRESS) childPressSwallowed_ = swallowed;
    return swallowed;
}

void GtkInput::childFocused(NativeChild* child) {
    if (sink_) GtkEventDispatcher::guarded([&] { sink_->nativeChildFocused(child); });
}

bool GtkInput::motion(const GdkEvent* event, NativeSurface* surface) {
    const GdkEventMotion& m = event->motion;
    MouseInput input;
    input.action = MouseAction::Move;
    input.screen = rootPoint(m.x_root, m.y_root);
    input.surface = surface;
    input.modifiers = modifiersFromGdkState(m.state);
    if (sink_) GtkEventDispatcher::guarded([&] { sink_->mouseInput(input); });
    return true;
}

bool GtkInput::crossing(const GdkEvent* event, NativeSurface* surface) {
    const GdkEventCrossing& c = event->crossing;
    // Grabs move the pointer's owner without the pointer moving: not a leave.
    if (c.type != GDK_LEAVE_NOTIFY || c.mode != GDK_CROSSING_NORMAL) return false;
    // Entering a native child (the browser) leaves our drawing too.
    MouseInput input;
    input.action = MouseAction::Leave;
    input.screen = rootPoint(c.x_root, c.y_root);
    input.surface = surface;
    input.modifiers = modifiersFromGdkState(c.state);
    if (sink_) GtkEventDispatcher::guarded([&] { sink_->mouseInput(input); });
    return false;
}

std::vector<KeyInput> GtkInput::keyInputsOf(const GdkEventKey& k) {
    KeyInput input;
    input.down = k.type == GDK_KEY_PRESS;
    input.scanCode = k.hardware_keycode >= 8 ? k.hardware_keycode - 8u : 0u;
    // Keys that type characters are known by their physical key in the layout (Shift+1 is
    // still '1'); the keypad and the keys that type nothing by their symbol, so that Num Lock
    // decides between VK_NUMPAD1 and VK_END as it does on the classic platform.
    const bool keypad = k.keyval >= GDK_KEY_KP_Space && k.keyval <= GDK_KEY_KP_9;
    if (!keypad && gdk_keyval_to_unicode(k.keyval) != 0) input.vk = layout_.virtualKeyOf(k.hardware_keycode);
    if (!input.vk) input.vk = virtualKeyFromKeysym(k.keyval);
    if (!input.vk) return {};
    if (input.down) {
        input.repeat = !keysDown_.insert(k.hardware_keycode).second;
        input.text = textOf(k);
    } else {
        keysDown_.erase(k.hardware_keycode);
    }
    if (k.keyval != GDK_KEY_ISO_Level3_Shift) return {input};
    // AltGr is Ctrl+Alt, as on the classic platform: Ctrl goes down first and comes up last,
    // so AltGr alone never reads as a lone Alt (no menu) and AltGr+key is no Alt accelerator.
    KeyInput ctrl = input;
    ctrl.vk = VK_CONTROL;
    input.vk = VK_MENU;
    if (ctrl.down) return {ctrl, input};
    return {input, ctrl};
}

bool GtkInput::key(const GdkEvent* event) {
    const std::vector<KeyInput> inputs = keyInputsOf(event->key);
    if (inputs.empty()) return false;
    if (!sink_) return true;
    GtkEventDispatcher::guarded([&] {
        for (const KeyInput& input : inputs) sink_->keyInput(input);
    });
    return true;
}

bool GtkInput::takeEcho(const KeyPress& press) {
    const auto it = std::find(childPresses_.begin(), childPresses_.end(), press);
    if (it == childPresses_.end()) return false;
    childPresses_.erase(childPresses_.begin(), it + 1);
    return true;
}

bool GtkInput::childKey(const GdkEvent* event, NativeChild* child) {
    const GdkEventKey& k = event->key;
    const KeyPress press{k.time, k.keyval, k.state, k.hardware_keycode};
    const bool isPress = k.type == GDK_KEY_PRESS;
    if (isPress && takeEcho(press)) return false;
    const std::vector<KeyInput> inputs = keyInputsOf(k);
    if (inputs.empty()) return false;
    bool swallowed = false;
    if (sink_)
        GtkEventDispatcher::guarded([&] {
            for (const KeyInput& input : inputs) swallowed = sink_->nativeChildKeyInput(child, input) || swallowed;
        });
    if (isPress && !swallowed) {
        // The page answers in turn, so several may wait; one that never comes back must not
        // keep its entry for ever.
        constexpr std::size_t kMaxWaiting = 32;
        if (childPresses_.size() == kMaxWaiting) childPresses_.pop_front();
        childPresses_.push_back(press);
    }
    return swallowed;
}

}  // namespace lindora
