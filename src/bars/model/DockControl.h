#pragma once
// A dock site: a child window along one edge of a form (or placed freely) into which toolbar
// windows dock. The manager creates four, one per edge; the controls layer derives from this
// class to lay out rows of docked bars.
#include "bars/model/BarTypes.h"
#include "base/Component.h"
#include "ui/Window.h"

namespace lindora {

class Bar;
class BarManager;

class DockControl : public Component, public Window {
    LINDORA_CLASS(DockControl)

public:
    // A built-in site of `manager` for one edge (dsLeft..dsBottom); a placed site passes dsNone.
    DockControl(Component* owner, BarManager* manager, BarDockingStyle style);
    explicit DockControl(Component* owner = nullptr) : DockControl(owner, nullptr, dsNone) {}
    ~DockControl() override;

    BarManager* barManager() const { return manager_; }
    virtual void setBarManager(BarManager* manager);
    // dsLeft..dsBottom for the manager's own sites, dsNone for a placed one.
    BarDockingStyle dockingStyle() const { return style_; }
    bool isManagerDock() const { return style_ != dsNone; }
    bool isVertical() const { return style_ == dsLeft || style_ == dsRight; }
    bool allowDocking() const { return allowDocking_; }
    void setAllowDocking(bool value) { allowDocking_ = value; }
    // Whether the bar may dock here.
    virtual bool canDockBar(const Bar& bar) const { return allowDocking_; }

    // Across the edge: the width of a left or right site, the height of a top or bottom one.
    int thickness() const { return thickness_; }
    void setThickness(int value);

    // Creates the child window in the form's window when it has one and places it along its
    // edge; sites without a parent window keep their sizes only.
    void attachToForm(Window* formWindow);
    // Places the four built-in sites along the edges of the parent's client area.
    static void alignManagerDocks(DockControl* const docks[4]);

    // Hooks for the dock layout (rows): realign rows, stop or resume redrawing, repaint.
    virtual void realign() {}
    virtual void setLockUpdate(bool locked) {}
    virtual void repaintDock() {
        if (handleAllocated()) invalidate();
    }
    virtual void rebuildBorder() {}

private:
    BarManager* manager_;
    BarDockingStyle style_;
    bool allowDocking_ = true;
    int thickness_ = 0;
};

}  // namespace lindora
