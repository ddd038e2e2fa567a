#include "bars/controls/ControlsTestSupport.h"

#include <algorithm>

namespace lindora::test {

RecordingBarControl::RecordingBarControl(BarManager& manager, BarItemLinks& links, WindowShape shape)
    : CustomBarControl(manager, links), shape(shape) {
    attachLinks();
}

RecordingBarControl::~RecordingBarControl() {
    setDestroying();
    detachLinks();
}

bool RecordingBarControl::alignAllowed(const BarItemLink& link) const {
    const auto& visible = itemLinks().visibleLinks();
    return isToolbar() && !visible.empty() && visible.back() == &link;
}

void RecordingBarControl::invalidateRect(const Rect& r) {
    invalidated.push_back(r);
    log.push_back("invalidate");
}

void RecordingBarControl::repaintItem(ItemControl& control) {
    log.push_back("repaint " + control.link().item()->name());
}

void RecordingBarControl::hideAll() {
    log.push_back("hide all");
    if (onHideAll) onHideAll();
}

ItemControl* RecordingBarControl::controlOf(const BarItem* item) const {
    for (CollectionItem* ci : itemLinks().items()) {
        auto* link = static_cast<BarItemLink*>(ci);
        if (link->item() == item) return dynamic_cast<ItemControl*>(link->control());
    }
    return nullptr;
}

void RecordingBarControl::layOut() {
    int along = 0;
    for (BarItemLink* link : itemLinks().visibleLinks()) {
        auto* control = dynamic_cast<ItemControl*>(link->control());
        if (!control) continue;
        const Size s = control->sizeInParent();
        if (shape.vertical && !shape.subMenu) {
            link->setItemRect(Rect::fromSize(0, along, s.cx, s.cy));
            along += s.cy;
        } else if (shape.subMenu) {
            link->setItemRect(Rect::fromSize(0, along, s.cx, s.cy));
            along += s.cy;
        } else {
            link->setItemRect(Rect::fromSize(along, 0, s.cx, s.cy));
            along += s.cx;
        }
    }
}

RecordingSubMenu::RecordingSubMenu(BarManager& manager, BarItemLinks& links, std::vector<std::string>& log)
    : SubMenuWindow(manager, links), log_(&log) {
    attachLinks();
}

RecordingSubMenu::~RecordingSubMenu() {
    setDestroying();
    detachLinks();
}

void RecordingSubMenu::popup(const Placement& p) {
    placement = p;
    owner_ = p.ownerControl;
    log_->push_back("popup");
}

void RecordingSubMenu::closeUp() { log_->push_back("close up"); }

void ControlsTest::SetUp() {
    BarsTest::SetUp();
    auto integration = std::make_unique<RecordingBarControls>();
    controls = integration.get();
    BarControlsIntegration::install(std::move(integration));
    manager().setStyle(bmsFlat);
}

void ControlsTest::TearDown() {
    windows.clear();
    BarsTest::TearDown();
    BarControlsIntegration::install(nullptr);
}

Bar* ControlsTest::barWith(std::initializer_list<BarItem*> items) {
    Bar* bar = addBar("Bar " + std::to_string(manager().bars().count() + 1));
    for (BarItem* item : items) bar->itemLinks().add()->setItem(item);
    return bar;
}

RecordingBarControl& ControlsTest::show(BarItemLinks& links, WindowShape shape) {
    windows.push_back(std::make_unique<RecordingBarControl>(manager(), links, shape));
    return *windows.back();
}

}  // namespace lindora::test
