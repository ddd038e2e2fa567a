#include "bars/model/DockControl.h"

#include <algorithm>

#include "bars/model/BarManager.h"
#include "base/ClassBuilder.h"

namespace lindora {

const ClassInfo& DockControl::classInfo() {
    static const ClassInfo info = ClassBuilder<DockControl>("DockControl", Component::classInfo()).abstract();
    return info;
}

DockControl::DockControl(Component* owner, BarManager* manager, BarDockingStyle style)
    : Component(owner), manager_(nullptr), style_(style) {
    if (style_ != dsNone) manager_ = manager;  // the manager's own sites are not registered placed sites
    else if (manager) setBarManager(manager);
}

DockControl::~DockControl() {
    if (manager_ && style_ == dsNone) manager_->removeDockControl(this);
}

void DockControl::setBarManager(BarManager* manager) {
    if (manager == manager_) return;
    if (manager_ && style_ == dsNone) manager_->removeDockControl(this);
    manager_ = manager;
    if (manager_ && style_ == dsNone) manager_->addDockControl(this);
    repaintDock();
    rebuildBorder();
}

void DockControl::setThickness(int value) {
    if (value < 0) value = 0;
    if (value == thickness_) return;
    thickness_ = value;
}

void DockControl::attachToForm(Window* formWindow) {
    if (handleAllocated() || !formWindow || !formWindow->handleAllocated()) return;
    CreateParams p;
    p.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    p.parent = formWindow;
    p.bounds = Rect(0, 0, 0, 0);
    create(p);
    if (manager_) setBackgroundColor(manager_->dockColor());
}

void DockControl::alignManagerDocks(DockControl* const docks[4]) {
    // docks: left, top, right, bottom. Top and bottom take the whole width; the sides fill
    // the height between them.
    Window* parent = nullptr;
    for (int i = 0; i < 4; ++i)
        if (docks[i] && docks[i]->handleAllocated()) parent = docks[i]->parent();
    if (!parent) return;
    auto size = [&](int i) { return docks[i] ? docks[i]->thickness() : 0; };
    auto place = [](DockControl* d, const Rect& r) {
        if (d && d->handleAllocated() && d->bounds() != r) d->setBounds(r);
    };
    // A site that lays its bars out again when its length changes may change its thickness
    // while it is placed: the sites are placed again with the new thicknesses.
    for (int round = 0; round < 3; ++round) {
        const Rect client = parent->clientRect();
        const int w = client.width(), h = client.height();
        const int top = size(1), bottom = size(3), left = size(0), right = size(2);
        const int middle = std::max(0, h - top - bottom);
        place(docks[1], Rect(0, 0, w, top));
        place(docks[3], Rect(0, std::max(0, h - bottom), w, h));
        place(docks[0], Rect(0, top, left, top + middle));
        place(docks[2], Rect(std::max(0, w - right), top, w, top + middle));
        if (size(0) == left && size(1) == top && size(2) == right && size(3) == bottom) break;
    }
}

}  // namespace lindora
