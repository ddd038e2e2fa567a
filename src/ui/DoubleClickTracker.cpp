#include "ui/DoubleClickTracker.h"

#include <cstdlib>

namespace lindora {

bool DoubleClickTracker::press(WindowHandle w, unsigned downMsg, Point pt, std::int64_t time, bool alreadyDouble,
                               bool wanted, const DoubleClickLimits& limits) {
    const bool second =
        alreadyDouble || (window_ == w && msg_ == downMsg && time - time_ <= limits.timeMs &&
                          std::abs(pt.x - pt_.x) <= limits.width / 2 && std::abs(pt.y - pt_.y) <= limits.height / 2);
    if (second && wanted) {
        time_ = NoClick;
        return true;
    }
    window_ = w;
    msg_ = downMsg;
    time_ = time;
    pt_ = pt;
    return false;
}

void DoubleClickTracker::forget(WindowHandle w) {
    if (window_ == w) window_ = 0;
}

void DoubleClickTracker::clear() {
    window_ = 0;
    time_ = NoClick;
}

}  // namespace lindora
