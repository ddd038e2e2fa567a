#include "bars/controls/BarWinControl.h"

namespace lindora {

BarWinControl::BarWinControl(BarItemLink& link) : ItemControl(link) { setHasInnerWindow(true); }
BarWinControl::~BarWinControl() = default;

bool BarWinControl::forwardsMouseAt(Point client) const {
    return innerWindow_ && itemRect().contains(client) && !innerRect_.contains(client);
}

}  // namespace lindora
