#include "ui/Clock.h"

#include <chrono>

namespace lindora {

std::int64_t RealClock::now() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void VirtualClock::advance(std::int64_t ms) {
    if (ms < 0) return;
    const std::int64_t target = now_ + ms;
    if (hook_) {
        // Copy: the hook may replace itself while timers run.
        AdvanceHook hook = hook_;
        hook(*this, target);
    }
    setNow(target);
}

}  // namespace lindora
