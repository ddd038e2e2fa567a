#pragma once
// Work that waits until the thread has nothing else to do: callbacks that run once each time the
// message queue drains after something was handled. Nothing is scheduled with the backend, so a
// program with no messages stays asleep.
#include <cstdint>
#include <functional>
#include <vector>

namespace lindora {

using IdleHookId = std::uint64_t;

class IdleHooks {
public:
    using Callback = std::function<void()>;

    IdleHookId add(Callback callback);
    void remove(IdleHookId id);
    bool empty() const { return hooks_.empty(); }
    void clear() { hooks_.clear(); }

    // Calls every callback registered when the pass began, in registration order, through
    // invoke; one removed by an earlier callback is skipped, one added meanwhile waits for the
    // next pass.
    void run(const std::function<void(const Callback&)>& invoke);

private:
    struct Hook {
        IdleHookId id = 0;
        Callback callback;
    };
    std::vector<Hook> hooks_;
    IdleHookId nextId_ = 1;
};

// One registration with the window system; unregisters when it goes (or on reset()).
class IdleHook {
public:
    IdleHook() = default;
    ~IdleHook() { reset(); }
    IdleHook(IdleHook&& other) noexcept : id_(other.id_) { other.id_ = 0; }
    IdleHook& operator=(IdleHook&& other) noexcept;
    IdleHook(const IdleHook&) = delete;
    IdleHook& operator=(const IdleHook&) = delete;

    bool active() const { return id_ != 0; }
    void reset();

private:
    friend class WindowSystem;
    explicit IdleHook(IdleHookId id) : id_(id) {}
    IdleHookId id_ = 0;
};

}  // namespace lindora
