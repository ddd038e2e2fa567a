#pragma once
// Time for timers and double clicks. Tests use the virtual clock and advance it explicitly,
// so no test ever waits for real time.
#include <cstdint>
#include <functional>

namespace lindora {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary start; never goes backwards.
    virtual std::int64_t now() const = 0;
    virtual bool isVirtual() const = 0;
};

class RealClock final : public Clock {
public:
    std::int64_t now() const override;
    bool isVirtual() const override { return false; }
};

class VirtualClock final : public Clock {
public:
    std::int64_t now() const override { return now_; }
    bool isVirtual() const override { return true; }

    // Moves time forward by ms. The window layer hooks in here so that timers falling due on
    // the way fire in order, each at its own time.
    void advance(std::int64_t ms);
    // Sets the time without running anything (only forwards).
    void setNow(std::int64_t t) {
        if (t > now_) now_ = t;
    }

    // Called by advance with the target time; it must step the clock itself (setNow) while it
    // fires what falls due. Without a hook, advance just moves the time.
    using AdvanceHook = std::function<void(VirtualClock&, std::int64_t target)>;
    void setAdvanceHook(AdvanceHook hook) { hook_ = std::move(hook); }

private:
    std::int64_t now_ = 0;
    AdvanceHook hook_;
};

}  // namespace lindora
