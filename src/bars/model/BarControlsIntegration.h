#pragma once
// What the bar model needs from the bar controls: toolbar and submenu windows, item controls,
// the painter of a style, and the framework-wide services (the shared hint window and the
// thread-wide observers). The controls layer implements it and installs one instance; without
// one a bar simply has no window and a link no control, and the model state stays complete.
#include <memory>

#include "bars/model/BarPainter.h"
#include "bars/model/BarTypes.h"

namespace lindora {

class Bar;
class BarItemControl;
class BarItemLink;
class BarItemLinks;
class BarManager;
class BarWindow;
class DockControl;
class ItemControlClass;
class ItemLinksWindow;

class BarControlsIntegration {
public:
    virtual ~BarControlsIntegration() = default;

    // The installed integration, or null; process-wide like the user-interface thread.
    static BarControlsIntegration* instance();
    // Replaces the installed integration (null removes it). While managers exist the old one's
    // services stop, the new one's start and every manager takes its painter again. Windows
    // and controls already made stay until their bars and links let them go.
    static void install(std::unique_ptr<BarControlsIntegration> integration);

    // A toolbar window for the bar (its links are bar.itemLinks()).
    virtual std::unique_ptr<BarWindow> createBarWindow(BarManager& manager, Bar& bar) = 0;
    // A submenu window for any other collection.
    virtual std::unique_ptr<ItemLinksWindow> createSubMenuWindow(BarManager& manager, BarItemLinks& links) = 0;
    // A control of the given class for the link; null when that class is not built.
    virtual std::unique_ptr<BarItemControl> createItemControl(const ItemControlClass& controlClass,
                                                              BarItemLink& link) = 0;
    // One of the four edge sites of a manager (dsLeft..dsBottom), made when the manager's bars
    // are; null leaves the model's plain site, which lays out no rows.
    virtual std::unique_ptr<DockControl> createDockControl(BarManager& manager, BarDockingStyle style);
    // The painter of a kind; it lives as long as this integration.
    virtual const BarPainter* painter(BarPainterKind kind) = 0;

    // Ends menu mode along the whole chain of open menus.
    virtual void hideAllMenus() {}
    // The item hot in one of the manager's windows loses its hover (the application went
    // inactive); the manager forgets its hot link afterwards in any case.
    virtual void dropHotItem(BarManager& manager) {}
    // A help request by keyboard reached the manager's form: the item of the open menu, or
    // under the mouse, shows its help topic. False when no item has one.
    virtual bool showItemHelp(BarManager& manager) { return false; }

    // The services that live while any manager does: started with the first manager, stopped
    // with the last one.
    virtual void startServices() {}
    virtual void stopServices() {}
};

}  // namespace lindora
