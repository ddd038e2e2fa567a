#include "bars/model/BarControlsIntegration.h"

#include "bars/model/BarFramework.h"
#include "bars/model/BarManager.h"
#include "bars/model/DockControl.h"

namespace lindora {

namespace {
std::unique_ptr<BarControlsIntegration>& installed() {
    static std::unique_ptr<BarControlsIntegration> integration;
    return integration;
}
}  // namespace

BarControlsIntegration* BarControlsIntegration::instance() { return installed().get(); }

std::unique_ptr<DockControl> BarControlsIntegration::createDockControl(BarManager&, BarDockingStyle) { return nullptr; }

void BarControlsIntegration::install(std::unique_ptr<BarControlsIntegration> integration) {
    const bool managersAlive = BarFramework::managerList().count() > 0;
    if (managersAlive && installed()) installed()->stopServices();
    installed() = std::move(integration);
    if (managersAlive && installed()) installed()->startServices();
    // The painters of the old integration go with it.
    for (BarManager* manager : BarFramework::managerList().managers()) manager->controlsIntegrationChanged();
}

}  // namespace lindora
