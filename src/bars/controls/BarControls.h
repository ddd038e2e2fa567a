#pragma once
// The controls layer's side of the typed seam to the bar model: it makes the item controls of
// the registered control classes, the manager's edge dock sites, and hands out the painters.
// Bars get toolbar windows (BarControl), sub items submenu windows (SubMenuControl).
#include <memory>

#include "bars/controls/MenuObservers.h"
#include "bars/model/BarControlsIntegration.h"

namespace lindora {

class BarControls : public BarControlsIntegration {
public:
    // Installs a fresh instance as the model's integration and returns it. The placed dock
    // site class is registered with it, so that form descriptions can name it.
    static BarControls& install();

    std::unique_ptr<BarWindow> createBarWindow(BarManager& manager, Bar& bar) override;
    std::unique_ptr<ItemLinksWindow> createSubMenuWindow(BarManager& manager, BarItemLinks& links) override;
    std::unique_ptr<BarItemControl> createItemControl(const ItemControlClass& controlClass, BarItemLink& link) override;
    std::unique_ptr<DockControl> createDockControl(BarManager& manager, BarDockingStyle style) override;
    const BarPainter* painter(BarPainterKind kind) override;

    void hideAllMenus() override;
    // The thread-wide menu observers, the shared hint window and its controller.
    void startServices() override;
    void stopServices() override;
    void dropHotItem(BarManager& manager) override;
    bool showItemHelp(BarManager& manager) override;

private:
    MenuObservers observers_;
};

}  // namespace lindora
