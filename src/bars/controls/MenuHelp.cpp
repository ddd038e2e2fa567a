#include "bars/controls/MenuHelp.h"

#include "bars/controls/CustomBarControl.h"
#include "bars/controls/ItemControl.h"
#include "bars/controls/MenuChain.h"
#include "bars/model/BarItem.h"
#include "bars/model/BarManager.h"
#include "ui/Form.h"
#include "ui/HelpSystem.h"
#include "ui/Window.h"
#include "ui/WindowSystem.h"

namespace lindora {

namespace {

MenuHelp::Target targetOf(const ItemControl* control) {
    const BarItem* item = control ? control->item() : nullptr;
    if (!item || item->helpContext() == 0) return {};
    const Rect r = control->itemRect();
    return {item->helpContext(), Rect(control->parent()->clientToScreen(r.topLeft()), r.size())};
}

}  // namespace

MenuHelp::Target MenuHelp::find(BarManager& manager) {
    if (CustomBarControl* head = MenuChain::head()) {
        if (&head->barManager() != &manager) return {};
        for (CustomBarControl* bar = head; bar; bar = bar->parentBar())
            if (Target t = targetOf(bar->selectedControl()); t.context != 0) return t;
        return {};
    }
    WindowSystem& ws = windowSystem();
    Window* under = ws.windowFromPoint(ws.cursorPos()).window;
    auto* bar = dynamic_cast<CustomBarControl*>(under);
    if (!bar || &bar->barManager() != &manager) return {};
    return targetOf(bar->controlAtPoint(under->screenToClient(ws.cursorPos())));
}

bool MenuHelp::request(BarManager& manager) {
    const Target t = find(manager);
    if (t.context == 0) return false;
    MenuChain::hideAll();
    auto* form = dynamic_cast<Form*>(manager.form());
    if (form && form->borderIcons().contains(biHelp)) {
        const Rect& r = t.itemOnScreen;
        HelpSystem::instance().showContextPopup(t.context, Point((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    } else {
        HelpSystem::instance().showContext(t.context);
    }
    return true;
}

}  // namespace lindora
