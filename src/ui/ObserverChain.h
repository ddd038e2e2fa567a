#pragma once
// The thread-wide observers of keyboard input, mouse input and sent messages, most recently
// installed first. An observer may install or remove observers (itself too) while it runs:
// each pass goes over the observers installed when it began, skipping those removed since.
#include <cstdint>
#include <functional>
#include <vector>

#include "gfx/Geometry.h"
#include "ui/Messages.h"

namespace lindora {

class Window;

struct KeyboardEvent {
    unsigned vk = 0;
    LParam keyData = 0;  // the key message's lParam (bit 31 set on release)
    bool down() const { return (static_cast<std::uint32_t>(keyData) & KF_UP_BIT) == 0; }
};
struct MouseEvent {
    unsigned msg = 0;  // the mouse message about to be delivered
    Window* window = nullptr;
    Point screen;
    int hitTest = HTCLIENT;
};
// The input observers return true to swallow the input (it then reaches neither later
// observers nor the window).
using KeyboardObserver = std::function<bool(const KeyboardEvent&)>;
using MouseObserver = std::function<bool(const MouseEvent&)>;
// Sees every sent message before the target window; cannot swallow.
using MessageObserver = std::function<void(Window* target, const Message& m)>;
using ObserverId = std::uint64_t;

class ObserverChain {
public:
    ObserverId addKeyboard(KeyboardObserver o);
    ObserverId addMouse(MouseObserver o);
    ObserverId addMessage(MessageObserver o);
    void remove(ObserverId id);
    bool empty() const { return observers_.empty(); }

    // True when an observer swallowed the input.
    bool keyboard(const KeyboardEvent& e);
    bool mouse(const MouseEvent& e);
    // Shows a message about to be sent; false when an observer destroyed the target (the
    // message is then not sent), as targetAlive tells.
    bool message(Window* target, const Message& m, const std::function<bool()>& targetAlive);

private:
    struct Observer {
        ObserverId id = 0;
        KeyboardObserver key;
        MouseObserver mouse;
        MessageObserver message;
    };
    ObserverId add(Observer o);
    // The one pass over the chain: calls visit for each observer still installed, most recent
    // first, until it returns true. Returns whether one did.
    bool visit(const std::function<bool(const Observer&)>& visitor) const;

    std::vector<Observer> observers_;  // in install order
    ObserverId nextId_ = 1;
};

}  // namespace lindora
