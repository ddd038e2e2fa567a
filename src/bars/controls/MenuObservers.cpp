#include "bars/controls/MenuObservers.h"

#include <vector>

#include "bars/controls/BarControl.h"
#include "bars/controls/BarWinControl.h"
#include "bars/controls/ItemControl.h"
#include "bars/controls/MenuAccelerator.h"
#include "bars/controls/MenuChain.h"
#include "bars/controls/MenuHelp.h"
#include "bars/controls/SubMenuControl.h"
#include "bars/model/Bar.h"
#include "bars/model/BarAction.h"
#include "bars/model/BarFramework.h"
#include "bars/model/BarItem.h"
#include "bars/model/BarItemLinks.h"
#include "bars/model/BarManager.h"
#include "bars/model/BarSubItem.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/WindowSystem.h"

namespace lindora {

namespace {

bool isDown(unsigned vk) { return windowSystem().keyState(vk) < 0; }

bool isModifier(unsigned vk) {
    switch (vk) {
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
    case VK_LSHIFT:
    case VK_RSHIFT:
    case VK_LCONTROL:
    case VK_RCONTROL:
    case VK_LMENU:
    case VK_RMENU: return true;
    default: return false;
    }
}

bool noKeyDown() {
    for (unsigned vk = 1; vk < 256; ++vk)
        if (isDown(vk)) return false;
    return true;
}

BarControl* windowOf(const Bar* bar) { return bar ? dynamic_cast<BarControl*>(bar->control()) : nullptr; }
bool windowShown(const BarControl* window) { return window && window->handleAllocated() && window->isWindowVisible(); }

// The main menu bar, then every other visible bar whose window shows.
std::vector<Bar*> barsInOrder(BarManager& manager) {
    std::vector<Bar*> out;
    if (Bar* main = manager.mainMenuBar()) out.push_back(main);
    for (CollectionItem* item : manager.bars().items()) {
        auto* bar = static_cast<Bar*>(item);
        if (bar != manager.mainMenuBar() && bar->visible() && windowShown(windowOf(bar))) out.push_back(bar);
    }
    return out;
}

// Clicks the first enabled item with the shortcut, looking into sub items too.
bool clickShortcut(const BarItemLinks& links, int shortCut, int depth = 0) {
    if (depth > 16) return false;
    for (BarItemLink* link : links.availableLinks()) {
        BarItem* item = link->item();
        if (!item) continue;
        if (BarAction* action = item->action()) action->update();
        if (!item->getEnabled()) continue;
        if (item->shortCut() == shortCut) {
            item->click();
            return true;
        }
        if (auto* sub = dynamic_cast<CustomBarSubItem*>(item))
            if (clickShortcut(sub->itemLinks(), shortCut, depth + 1)) return true;
    }
    return false;
}

bool isPress(unsigned msg) {
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK: return true;
    default: return false;
    }
}

}  // namespace

void MenuObservers::install() {
    if (installed() || !PlatformIntegration::instance()) return;
    keyboard_ = windowSystem().addKeyboardObserver([this](const KeyboardEvent& e) { return keyboard(e); });
    mouse_ = windowSystem().addMouseObserver([this](const MouseEvent& e) { return mouse(e); });
}

void MenuObservers::remove() {
    if (!installed()) return;
    if (PlatformIntegration::instance()) {
        windowSystem().removeObserver(keyboard_);
        windowSystem().removeObserver(mouse_);
    }
    keyboard_ = mouse_ = 0;
    menuKeyArmed_ = passedKeyPending_ = false;
}

BarManager* MenuObservers::formManager() {
    auto* form = dynamic_cast<Form*>(windowSystem().activeWindow());
    if (!form || !form->isWindowEnabled()) return nullptr;
    BarManager* manager = BarFramework::managerList().managerByForm(form);
    // A modal form without a manager of its own does not borrow its parent's.
    if (manager && manager->form() != form && form->isModal()) return nullptr;
    if (manager && manager->isDesigning()) return nullptr;
    return manager;
}

BarManager* MenuObservers::menuManager() {
    auto* form = dynamic_cast<Form*>(windowSystem().activeWindow());
    if (!form || !form->isWindowEnabled()) return nullptr;
    for (BarManager* m : BarFramework::managerList().managers())
        if (m->form() == form) return m;
    Application* app = Application::current();
    Form* main = app ? app->mainForm() : nullptr;
    if (!main || main == form || !main->isWindowEnabled()) return nullptr;
    for (BarManager* m : BarFramework::managerList().managers())
        if (m->form() == main && m->allowCallFromAnotherForm()) return m;
    return nullptr;
}

bool MenuObservers::enterMainMenu(BarManager& manager) {
    BarControl* window = windowOf(manager.mainMenuBar());
    if (!windowShown(window)) return false;
    window->activateMenuMode(nullptr);
    return true;
}

bool MenuObservers::keyboard(const KeyboardEvent& e) {
    if (e.vk == VK_PROCESSKEY) return false;
    // In menu mode the head of the chain takes every key.
    CustomBarControl* head = MenuChain::head();
    if (head && head->barManager().isCustomizing()) {
        // Customizing: Esc only ends a drag that holds the capture.
        if (e.vk != VK_ESCAPE) return false;
        if (e.down() && head->barWindow() && windowSystem().capture() == head->barWindow())
            windowSystem().releaseCapture();
        return true;
    }
    // An inner-window item that has the focus (an edit field) types its keys itself.
    if (head)
        if (auto* inner = dynamic_cast<BarWinControl*>(head->selectedControl()); inner && inner->focused())
            return false;
    if (head) {
        menuKeyArmed_ = false;
        if (e.down()) {
            passedKey_ = e.vk;
            passedKeyPending_ = true;
            // F1 asks for the help of the selected item (or of one up the chain).
            const bool help = e.vk == VK_F1 && !isDown(VK_SHIFT) && !isDown(VK_CONTROL) && !isDown(VK_MENU);
            if (!help || !MenuHelp::request(head->barManager())) head->keyPressed(e.vk);  // may close the chain
        } else if (passedKeyPending_ && e.vk == passedKey_) {
            passedKeyPending_ = false;
        }
        return true;
    }
    // The release of a key the menu had.
    if (!e.down() && passedKeyPending_ && e.vk == passedKey_) {
        passedKeyPending_ = false;
        return true;
    }
    const bool shift = isDown(VK_SHIFT), ctrl = isDown(VK_CONTROL), alt = isDown(VK_MENU);
    if (windowSystem().capture() == nullptr &&
        ((!e.down() && e.vk == VK_APPS) || (e.down() && e.vk == VK_F10 && shift && !ctrl && !alt)))
        if (showFocusedControlPopup()) return true;

    BarManager* menu = menuManager();
    const bool menuReady = menu && !menu->isDesigning() && !menu->isCustomizing() && !MenuChain::activeMenuBar(menu);
    if (e.down()) {
        if (e.vk == VK_MENU) {
            // Alt alone arms the menu key (held down it repeats and stays armed).
            if (menuReady && !shift && !ctrl && (static_cast<std::uint32_t>(e.keyData) & KF_REPEAT_BIT) == 0)
                menuKeyArmed_ = true;
            return false;
        }
        menuKeyArmed_ = false;
        if (isModifier(e.vk)) return false;
        return shortcutOrAccelerator(e.vk);
    }
    const bool altAlone = e.vk == VK_MENU && menuKeyArmed_ && noKeyDown();
    const bool f10 = e.vk == VK_F10 && menu && menu->useF10ForMenu() && !shift && !ctrl && !alt;
    menuKeyArmed_ = false;
    if (menuReady && (altAlone || f10)) return enterMainMenu(*menu);
    return false;
}

bool MenuObservers::shortcutOrAccelerator(unsigned vk) {
    const bool shift = isDown(VK_SHIFT), ctrl = isDown(VK_CONTROL), alt = isDown(VK_MENU);
    const int shortCut = static_cast<int>(vk) | (shift ? scShift : 0) | (ctrl ? scCtrl : 0) | (alt ? scAlt : 0);
    // The popup menus linked to the focused control come first once popup menus exist.
    std::vector<BarManager*> managers;
    BarManager* own = formManager();
    BarManager* menu = menuManager();
    if (own && !own->isCustomizing()) managers.push_back(own);
    if (menu && menu != own && !menu->isCustomizing()) managers.push_back(menu);
    for (BarManager* manager : managers)
        for (Bar* bar : barsInOrder(*manager))
            if (clickShortcut(bar->itemLinks(), shortCut)) return true;
    if (!alt || !menu || menu->isCustomizing() || menu->isDesigning()) return false;

    // Alt+key: the enabled links whose caption's accelerator the key types, in bar order. A key
    // that only disabled links have goes on to the focused window, as an unknown one does.
    std::vector<BarItemLink*> found;
    for (Bar* bar : barsInOrder(*menu)) {
        BarControl* window = windowOf(bar);
        if (!windowShown(window)) continue;
        for (BarItemLink* link : bar->itemLinks().shownLinks()) {
            BarItem* item = link->item();
            auto* control = dynamic_cast<ItemControl*>(link->control());
            if (item && control && control->enabled() && item->canAccelerate(*link) &&
                acceleratorMatches(link->caption(), vk, shift, ctrl))
                found.push_back(link);
        }
    }
    if (found.empty()) return false;
    // The first one after the hot link, wrapping around.
    BarItemLink* link = found.front();
    for (std::size_t i = 0; i < found.size(); ++i)
        if (found[i] == menu->hotLink()) {
            link = found[(i + 1) % found.size()];
            break;
        }
    auto* control = dynamic_cast<ItemControl*>(link->control());
    auto* window = dynamic_cast<BarControl*>(link->barControl());
    if (!control || !window) return false;
    const bool only = found.size() == 1;
    if (only && control->closesMenus()) {
        control->controlClick(false);
        return true;
    }
    window->activateMenuMode(control);
    if (only && MenuChain::isAlive(window)) window->keyPressed(VK_RETURN);
    return true;
}

bool MenuObservers::mouse(const MouseEvent& e) {
    if (e.msg == WM_RBUTTONUP || e.msg == WM_NCRBUTTONUP) showLinkedPopupAt(e);
    // Alt held for a click (or a drag) is a modifier of the mouse, not the menu key.
    if (isPress(e.msg)) menuKeyArmed_ = false;
    if (!MenuChain::active()) return false;
    if (isPress(e.msg)) {
        if (!MenuChain::contains(e.window)) MenuChain::hideAll();
        return false;
    }
    if (e.msg != WM_LBUTTONUP && e.msg != WM_NCLBUTTONUP) return false;
    if (MenuChain::contains(e.window)) return false;
    CustomBarControl* head = MenuChain::head();
    if (head->barManager().isCustomizing()) return false;
    // A root popup menu survives the release.
    if (!head->isToolbar() && !head->parentBar()) return false;
    for (CustomBarControl* bar : MenuChain::members())
        if (auto* menu = dynamic_cast<SubMenuControl*>(bar); menu && menu->animating()) return false;
    if (Window* under = windowSystem().windowFromPoint(e.screen).window)
        if (auto* bar = dynamic_cast<CustomBarControl*>(under);
            bar && bar->controlAtPoint(under->screenToClient(e.screen)))
            return false;
    MenuChain::hideAll();
    return false;
}

}  // namespace lindora
