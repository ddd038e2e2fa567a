#pragma once
// The native side of the message loops: GDK events and WebKit signals arrive through the
// GLib main context of the user-interface thread. Local loops of the window layer call
// processEvents again from inside a callback; GLib iterates recursively for that.
#include <atomic>
#include <cstdint>
#include <exception>
#include <utility>

#include "ui/PlatformIntegration.h"
#include "ui/WindowSystem.h"

namespace lindora {

class GtkEventDispatcher final : public EventDispatcher {
public:
    bool processEvents(int timeoutMs) override;
    // May be called from any thread.
    void wakeUp() override;

    // Every callback from GTK into the window layer counts as a delivery and runs through
    // guarded(): a handler's exception goes to the window system's report (the application's);
    // one that still escapes must not unwind through GTK's C frames, so it is kept and thrown
    // again from processEvents, where the window layer's loop handles it. Events that GLib
    // dispatches in the same round still run; should they throw too, the first exception wins.
    template <class F>
    static void guarded(F&& callback) noexcept {
        ++deliveries_;
        try {
            WindowSystem::instance().guarded(std::forward<F>(callback));
        } catch (...) {
            if (!pending_) pending_ = std::current_exception();
        }
    }

private:
    void rethrowPending();

    static inline std::uint64_t deliveries_ = 0;
    static inline std::exception_ptr pending_;
    std::atomic<bool> woken_{false};
};

}  // namespace lindora
