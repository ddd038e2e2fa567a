#include "ui/TimerQueue.h"

#include <algorithm>

namespace lindora {

namespace {
bool same(const TimerKey& a, const TimerKey& b) {
    return a.thread == b.thread && a.id == b.id && (a.thread || a.hwnd == b.hwnd);
}
}  // namespace

TimerQueue::Timer* TimerQueue::find(TimerKey key) {
    for (Timer& t : timers_)
        if (same(t.key, key)) return &t;
    return nullptr;
}

const TimerQueue::Timer* TimerQueue::find(TimerKey key) const { return const_cast<TimerQueue*>(this)->find(key); }

unsigned TimerQueue::set(TimerKey key, int intervalMs, std::int64_t now, TimerCallback callback) {
    if (key.thread) {
        key.hwnd = 0;
        if (key.id == 0) key.id = ++nextThreadTimerId_;
    }
    Timer* t = find(key);
    if (!t) {
        timers_.push_back({});
        t = &timers_.back();
    }
    t->key = key;
    t->interval = std::max(intervalMs, 1);
    t->due = now + t->interval;
    t->seq = ++seq_;
    t->callback = std::move(callback);
    return key.id;
}

bool TimerQueue::kill(TimerKey key) {
    return std::erase_if(timers_, [&](const Timer& t) { return same(t.key, key); }) > 0;
}

bool TimerQueue::has(TimerKey key) const { return find(key) != nullptr; }

std::optional<TimerCallback> TimerQueue::callback(TimerKey key) const {
    const Timer* t = find(key);
    if (!t) return std::nullopt;
    return t->callback;
}

const TimerQueue::Timer* TimerQueue::earliest() const {
    const Timer* best = nullptr;
    for (const Timer& t : timers_)
        if (!best || t.due < best->due || (t.due == best->due && t.seq < best->seq)) best = &t;
    return best;
}

std::optional<std::int64_t> TimerQueue::nextDue() const {
    const Timer* t = earliest();
    if (!t) return std::nullopt;
    return t->due;
}

std::optional<TimerKey> TimerQueue::peekDue(std::int64_t now) const {
    const Timer* t = earliest();
    if (!t || t->due > now) return std::nullopt;
    return t->key;
}

std::optional<TimerKey> TimerQueue::takeDue(std::int64_t now) {
    const Timer* e = earliest();
    if (!e || e->due > now) return std::nullopt;
    Timer* t = find(e->key);
    t->due = now + t->interval;
    t->seq = ++seq_;
    return t->key;
}

void TimerQueue::dropWindow(WindowHandle h) {
    std::erase_if(timers_, [&](const Timer& t) { return !t.key.thread && t.key.hwnd == h; });
}

}  // namespace lindora
