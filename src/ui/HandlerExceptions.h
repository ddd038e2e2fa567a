#pragma once
// Where the exceptions go that handlers raise while the window system runs them on its own
// behalf: dispatching a queued message, converting input (observers, WM_MOUSEACTIVATE,
// WM_SETCURSOR), painting, firing timers, and the backend's notices. Nobody up the stack could
// catch them there (on a native backend the stack is the toolkit's own), so they go to the
// installed handler, the application's exception report. Without one they propagate.
#include <exception>
#include <functional>
#include <utility>

namespace lindora {

class HandlerExceptions {
public:
    using Handler = std::function<void(const std::exception&)>;

    void setHandler(Handler handler) { handler_ = std::move(handler); }
    bool hasHandler() const { return static_cast<bool>(handler_); }

    // Runs f; returns false when it raised an exception that went to the handler.
    template <class F>
    bool run(F&& f) {
        try {
            std::forward<F>(f)();
            return true;
        } catch (const std::exception& e) {
            if (!handler_) throw;
            report(e);
            return false;
        }
    }

private:
    void report(const std::exception& e);

    Handler handler_;
};

}  // namespace lindora
