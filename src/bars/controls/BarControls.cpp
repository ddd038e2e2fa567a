#include "bars/controls/BarControls.h"

#include "bars/controls/BarButtonControl.h"
#include "bars/controls/BarControl.h"
#include "bars/controls/BarHint.h"
#include "bars/controls/BarStaticControl.h"
#include "bars/controls/BarSubItemControl.h"
#include "bars/controls/ItemControl.h"
#include "bars/controls/MenuChain.h"
#include "bars/controls/MenuHelp.h"
#include "bars/controls/SubMenuControl.h"
#include "bars/docks/BarDockControl.h"
#include "bars/items/BarProgressItem.h"
#include "bars/items/BarStatic.h"
#include "bars/model/BarItemLinks.h"
#include "bars/model/BarManager.h"
#include "bars/model/BarWindows.h"
#include "bars/model/ItemControlClass.h"
#include "bars/painters/BarItemControlPainter.h"
#include "base/ClassRegistry.h"

namespace lindora {

BarControls& BarControls::install() {
    auto controls = std::make_unique<BarControls>();
    BarControls& ref = *controls;
    BarControlsIntegration::install(std::move(controls));
    if (!findClass(BarDockControl::classInfo().name())) registerClass(BarDockControl::classInfo());
    return ref;
}

std::unique_ptr<BarWindow> BarControls::createBarWindow(BarManager& manager, Bar& bar) {
    return std::make_unique<BarControl>(manager, bar);
}

std::unique_ptr<ItemLinksWindow> BarControls::createSubMenuWindow(BarManager& manager, BarItemLinks& links) {
    return std::make_unique<SubMenuControl>(manager, links);
}

std::unique_ptr<BarItemControl> BarControls::createItemControl(const ItemControlClass& controlClass,
                                                               BarItemLink& link) {
    if (&controlClass == &itemcontrols::BarButtonControl) return std::make_unique<BarButtonControl>(link);
    if (&controlClass == &itemcontrols::BarSubItemControl) return std::make_unique<BarSubItemControl>(link);
    if (&controlClass == &itemcontrols::BarContainerItemControl) return std::make_unique<BarContainerItemControl>(link);
    if (&controlClass == &itemcontrols::BarStaticControl) return std::make_unique<BarStaticControl>(link);
    if (&controlClass == &itemcontrols::BarProgressControl) return std::make_unique<BarProgressControl>(link);
    return nullptr;
}

std::unique_ptr<DockControl> BarControls::createDockControl(BarManager& manager, BarDockingStyle style) {
    return std::make_unique<DockSite>(nullptr, &manager, style);
}

const BarPainter* BarControls::painter(BarPainterKind kind) { return &PainterFor(kind); }

void BarControls::hideAllMenus() { MenuChain::hideAll(); }

void BarControls::startServices() {
    BarHintController::start();
    observers_.install();
}

void BarControls::stopServices() {
    observers_.remove();
    BarHintController::stop();
}

bool BarControls::showItemHelp(BarManager& manager) { return MenuHelp::request(manager); }

void BarControls::dropHotItem(BarManager& manager) {
    BarItemLink* link = manager.hotLink();
    auto* control = link ? dynamic_cast<ItemControl*>(link->control()) : nullptr;
    CustomBarControl* window = control ? control->parent() : nullptr;
    if (window && window->selectedControl() == control) window->setSelectedControl(nullptr);
}

}  // namespace lindora
