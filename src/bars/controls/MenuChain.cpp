#include "bars/controls/MenuChain.h"

#include <algorithm>
#include <utility>

#include "bars/controls/CustomBarControl.h"
#include "ui/Window.h"

namespace lindora {

namespace {

struct ChainState {
    std::vector<CustomBarControl*> live;
    CustomBarControl* head = nullptr;
    std::vector<std::pair<const BarManager*, CustomBarControl*>> menuBars;
};

// Process-wide like the user-interface thread whose windows it lists.
ChainState& state() {
    static ChainState s;
    return s;
}

}  // namespace

void MenuChain::registerControl(CustomBarControl& control) { state().live.push_back(&control); }

void MenuChain::unregisterControl(CustomBarControl& control) {
    ChainState& s = state();
    std::erase(s.live, &control);
    pop(control);
    std::erase_if(s.menuBars, [&](const auto& entry) { return entry.second == &control; });
}

bool MenuChain::isAlive(const CustomBarControl* control) {
    const ChainState& s = state();
    return control && std::find(s.live.begin(), s.live.end(), control) != s.live.end();
}

const std::vector<CustomBarControl*>& MenuChain::liveControls() { return state().live; }

CustomBarControl* MenuChain::head() { return state().head; }

void MenuChain::push(CustomBarControl& control) {
    ChainState& s = state();
    if (s.head == &control) return;
    control.setPreviousActive(s.head);
    s.head = &control;
}

void MenuChain::pop(CustomBarControl& control) {
    ChainState& s = state();
    if (s.head == &control) {
        s.head = control.previousActive();
    } else {
        // Off the middle of the chain: its successor takes over its predecessor.
        for (CustomBarControl* c = s.head; c; c = c->previousActive())
            if (c->previousActive() == &control) {
                c->setPreviousActive(control.previousActive());
                break;
            }
    }
    control.setPreviousActive(nullptr);
    if (s.head && (!isAlive(s.head) || !s.head->active())) s.head = nullptr;
}

std::vector<CustomBarControl*> MenuChain::members() {
    std::vector<CustomBarControl*> out;
    for (CustomBarControl* c = head(); c && out.size() < 64; c = c->previousActive()) out.push_back(c);
    return out;
}

bool MenuChain::contains(const Window* window) {
    if (!window) return false;
    for (CustomBarControl* c : members())
        if (const Window* w = c->barWindow(); w && w->isAncestorOf(window)) return true;
    return false;
}

void MenuChain::hideAll() {
    // Each round ends at least the head's menu mode; a bar that cannot leave must not loop.
    for (int guard = 0; guard < 64; ++guard) {
        CustomBarControl* h = head();
        if (!h) return;
        h->hideAll();
        if (head() == h) pop(*h);
    }
}

CustomBarControl* MenuChain::activeMenuBar(const BarManager* manager) {
    for (const auto& [m, bar] : state().menuBars)
        if (m == manager) return bar;
    return nullptr;
}

void MenuChain::setActiveMenuBar(const BarManager* manager, CustomBarControl* bar) {
    ChainState& s = state();
    std::erase_if(s.menuBars, [&](const auto& entry) { return entry.first == manager; });
    if (bar) s.menuBars.emplace_back(manager, bar);
}

}  // namespace lindora
