#include "ui/ObserverChain.h"

#include <algorithm>

namespace lindora {

ObserverId ObserverChain::add(Observer o) {
    o.id = nextId_++;
    observers_.push_back(std::move(o));
    return observers_.back().id;
}

ObserverId ObserverChain::addKeyboard(KeyboardObserver o) { return add({0, std::move(o), {}, {}}); }

ObserverId ObserverChain::addMouse(MouseObserver o) { return add({0, {}, std::move(o), {}}); }

ObserverId ObserverChain::addMessage(MessageObserver o) { return add({0, {}, {}, std::move(o)}); }

void ObserverChain::remove(ObserverId id) {
    std::erase_if(observers_, [&](const Observer& o) { return o.id == id; });
}

bool ObserverChain::visit(const std::function<bool(const Observer&)>& visitor) const {
    if (observers_.empty()) return false;
    const std::vector<Observer> snapshot = observers_;
    for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
        const bool installed =
            std::any_of(observers_.begin(), observers_.end(), [&](const Observer& o) { return o.id == it->id; });
        if (installed && visitor(*it)) return true;
    }
    return false;
}

bool ObserverChain::keyboard(const KeyboardEvent& e) {
    return visit([&](const Observer& o) { return o.key && o.key(e); });
}

bool ObserverChain::mouse(const MouseEvent& e) {
    return visit([&](const Observer& o) { return o.mouse && o.mouse(e); });
}

bool ObserverChain::message(Window* target, const Message& m, const std::function<bool()>& targetAlive) {
    return !visit([&](const Observer& o) {
        if (!o.message) return false;
        o.message(target, m);
        return !targetAlive();
    });
}

}  // namespace lindora
