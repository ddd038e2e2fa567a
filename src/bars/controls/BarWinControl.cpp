#include "bars/controls/BarWinControl.h"

#include "bars/controls/CustomBarControl.h"
#include "ui/Window.h"
#include "ui/WindowSystem.h"

namespace lindora {

BarWinControl::BarWinControl(BarItemLink& link) : ItemControl(link) { setHasInnerWindow(true); }
BarWinControl::~BarWinControl() = default;

bool BarWinControl::forwardsMouseAt(Point client) const {
    return innerWindow_ && itemRect().contains(client) && !innerRect_.contains(client);
}

bool BarWinControl::forwardMouse(unsigned msg, Point client) {
    CustomBarControl* bar = parent();
    if (!bar || !forwardsMouseAt(client) || !innerWindow_->handleAllocated()) return false;
    const Point at = innerWindow_->screenToClient(bar->clientToScreen(client));
    WParam keys = 0;
    WindowSystem& ws = windowSystem();
    if (ws.keyState(VK_LBUTTON) < 0) keys |= MK_LBUTTON;
    if (ws.keyState(VK_SHIFT) < 0) keys |= MK_SHIFT;
    if (ws.keyState(VK_CONTROL) < 0) keys |= MK_CONTROL;
    innerWindow_->send(msg, keys, makeLParam(at.x, at.y));
    return true;
}

}  // namespace lindora
