// Seeded random mouse and keyboard input on the main window, with the menu's invariants checked
// after every event: the windows of the active menu chain are shown and each one's parent bar
// is on the chain; a closed menu has no selection; outside menu mode no bar window holds the
// capture, no submenu window exists and no sub item waits for its delayed open or close.
// Dialogs take the prepared (default) answers; Exit ends the session and a new one starts.
//
// LINDORA_RANDOM_EVENTS sets the number of events (a short run by default), LINDORA_RANDOM_SEED
// the seed; the run prints events per second.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>

#include "AppTestSupport.h"
#include "bars/controls/BarControl.h"
#include "bars/controls/BarSubItemControl.h"
#include "bars/controls/ItemControl.h"
#include "bars/controls/MenuChain.h"
#include "bars/controls/SubMenuControl.h"
#include "bars/model/Bar.h"
#include "bars/model/BarButton.h"
#include "bars/model/BarItemLinks.h"
#include "bars/model/BarManager.h"
#include "ui/WindowSystem.h"

namespace lindora::test {
namespace {

long envNumber(const char* name, long fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::strtol(v, nullptr, 10) : fallback;
}

class MainWindowRandomInputTest : public MainWindowTest {
protected:
    BarControl& toolbar() {
        Bar& bar = *static_cast<Bar*>(form_->BarManager1->bars().items().front());
        return dynamic_cast<BarControl&>(*bar.control());
    }

    // A point where the menu is: over a toolbar item or an open menu's item, sometimes anywhere
    // on the form or just outside it.
    Point randomPoint(std::mt19937& rng) {
        std::uniform_int_distribution<int> pick(0, 99);
        const int where = pick(rng);
        std::vector<ItemControl*> targets;
        if (where < 75) {
            for (CustomBarControl* bar : MenuChain::liveControls())
                if (bar->barWindow() && bar->barWindow()->isWindowVisible())
                    for (BarItemLink* l : bar->itemLinks().visibleLinks())
                        if (auto* c = dynamic_cast<ItemControl*>(l->control()); c && !c->itemRect().isEmpty())
                            targets.push_back(c);
        }
        if (!targets.empty()) {
            std::uniform_int_distribution<std::size_t> any(0, targets.size() - 1);
            ItemControl* c = targets[any(rng)];
            // Exit ends the session: a new one costs much more than an event.
            if (c->caption() == "Exit" && pick(rng) < 80) c = targets[any(rng)];
            const Rect r = c->itemRect();
            const Point p(std::uniform_int_distribution<int>(r.left, r.right - 1)(rng),
                          std::uniform_int_distribution<int>(r.top, r.bottom - 1)(rng));
            return c->parent()->clientToScreen(p);
        }
        const Rect b = form_->bounds();
        return Point(std::uniform_int_distribution<int>(b.left - 20, b.right + 20)(rng),
                     std::uniform_int_distribution<int>(b.top - 20, b.top + (where < 90 ? 80 : b.height()))(rng));
    }

    // One random event; returns a description for the failure message.
    std::string randomEvent(std::mt19937& rng) {
        OffscreenInputDriver& in = platform().input();
        static const unsigned keys[] = {VK_LEFT, VK_RIGHT, VK_UP,   VK_DOWN, VK_RETURN, VK_ESCAPE, VK_F10,
                                        VK_MENU, VK_TAB,   VK_HOME, VK_END,  'H',       'X'};
        static const int waits[] = {16, 100, 399, 400, 1000};
        std::ostringstream out;
        switch (std::uniform_int_distribution<int>(0, 9)(rng)) {
        case 0:
        case 1:
        case 2: {
            const Point p = randomPoint(rng);
            in.mouseMove(p);
            out << "move " << p.x << " " << p.y;
            break;
        }
        case 3:
            in.mousePress(MouseButton::Left);
            out << "press";
            break;
        case 4:
            in.mouseRelease(MouseButton::Left);
            out << "release";
            break;
        case 5: {
            const Point p = randomPoint(rng);
            in.click(p);
            out << "click " << p.x << " " << p.y;
            break;
        }
        case 6:
        case 7: {
            const unsigned vk = keys[std::uniform_int_distribution<std::size_t>(0, std::size(keys) - 1)(rng)];
            in.key(vk);
            out << "key " << vk;
            break;
        }
        case 8: {
            in.mousePress(MouseButton::Right);
            in.mouseRelease(MouseButton::Right);
            out << "right click";
            break;
        }
        default: {
            const int ms = waits[std::uniform_int_distribution<std::size_t>(0, std::size(waits) - 1)(rng)];
            platform().advance(ms);
            out << "wait " << ms;
            break;
        }
        }
        app().processMessages();
        return out.str();
    }

    // The invariants; an empty string when they hold.
    std::string violation() {
        const std::vector<CustomBarControl*> chain = MenuChain::members();
        for (CustomBarControl* bar : chain) {
            if (!bar->barWindow() || !bar->barWindow()->isWindowVisible()) return "a chain window is not shown";
            if (CustomBarControl* parent = bar->parentBar();
                parent && std::find(chain.begin(), chain.end(), parent) == chain.end())
                return "a menu's parent bar is not on the chain";
        }
        for (CustomBarControl* bar : MenuChain::liveControls())
            if (auto* menu = dynamic_cast<SubMenuControl*>(bar)) {
                if (!menu->isShown() && menu->selectedControl()) return "a closed menu has a selection";
                if (chain.empty() && menu->isShown()) return "a menu is shown outside menu mode";
            }
        if (chain.empty()) {
            if (dynamic_cast<CustomBarControl*>(windowSystem().capture())) return "a bar window keeps the capture";
            if (BarSubItemControl::pending()) return "a sub item still waits outside menu mode";
            if (help().isOpen()) return "Help is open outside menu mode";
        }
        return {};
    }
    BarSubItemControl& help() {
        for (BarItemLink* l : toolbar().itemLinks().visibleLinks())
            if (auto* c = dynamic_cast<BarSubItemControl*>(l->control())) return *c;
        throw std::runtime_error("no Help");
    }
};

TEST_F(MainWindowRandomInputTest, TheMenuKeepsItsInvariantsUnderRandomInput) {
    const long events = envNumber("LINDORA_RANDOM_EVENTS", 1000);
    const auto seed = static_cast<std::mt19937::result_type>(envNumber("LINDORA_RANDOM_SEED", 20261211));
    std::mt19937 rng(seed);
    createMain();
    app().processMessages();
    int sessions = 1;
    std::vector<std::string> recent;
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < events; ++i) {
        const std::string event = randomEvent(rng);
        recent.push_back(event);
        if (recent.size() > 12) recent.erase(recent.begin());
        if (app().terminated() || !form_->isWindowVisible()) {
            // Exit: a new session with a new main window.
            TearDown();
            SetUp();
            createMain();
            app().processMessages();
            ++sessions;
            continue;
        }
        if (const std::string v = violation(); !v.empty()) {
            std::string trail;
            for (const std::string& e : recent) trail += "\n  " + e;
            FAIL() << "seed " << seed << ", event " << i << ": " << v << "; the last events:" << trail;
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("random input: %ld events in %.2f s (%.0f events/s), %d sessions, seed %u\n", events, seconds,
                seconds > 0 ? static_cast<double>(events) / seconds : 0.0, sessions, static_cast<unsigned>(seed));
}

}  // namespace
}  // namespace lindora::test
