#pragma once
// The thread's timers, in due order: window timers (a WM_TIMER to the window) and thread timers
// (a callback). Firing is the window system's; this keeps the schedule.
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace lindora {

using WindowHandle = std::uint32_t;  // 0 = no window
using TimerCallback = std::function<void(unsigned id)>;

// Which timer: a thread timer has no window.
struct TimerKey {
    WindowHandle hwnd = 0;
    bool thread = false;
    unsigned id = 0;
};

class TimerQueue {
public:
    // Sets (or restarts) a timer due `intervalMs` after `now`; a thread timer with id 0 gets a
    // new id. Returns the id.
    unsigned set(TimerKey key, int intervalMs, std::int64_t now, TimerCallback callback);
    bool kill(TimerKey key);
    bool has(TimerKey key) const;
    // The callback of a thread timer, empty for window timers; nullopt when the timer is gone.
    std::optional<TimerCallback> callback(TimerKey key) const;

    // Due time of the earliest timer, if any.
    std::optional<std::int64_t> nextDue() const;
    // The earliest timer if it is due at `now`, without rescheduling it.
    std::optional<TimerKey> peekDue(std::int64_t now) const;
    // The earliest timer if it is due at `now`, rescheduled one interval after `now`.
    std::optional<TimerKey> takeDue(std::int64_t now);

    void dropWindow(WindowHandle h);
    void clear() { timers_.clear(); }

private:
    struct Timer {
        TimerKey key;
        int interval = 0;
        std::int64_t due = 0;
        std::uint64_t seq = 0;  // equal due times fire in the order they were set
        TimerCallback callback;
    };
    Timer* find(TimerKey key);
    const Timer* find(TimerKey key) const;
    const Timer* earliest() const;

    std::vector<Timer> timers_;
    std::uint64_t seq_ = 0;
    unsigned nextThreadTimerId_ = 0x7F00;
};

}  // namespace lindora
