#include "platform_gtk/GtkEventDispatcher.h"

#include <glib.h>

namespace lindora {

namespace {

// A busy page keeps sources ready all the time; processing without waiting stops after this
// many rounds so that the window layer's own queue is never starved.
constexpr int kMaxRoundsWithoutWaiting = 64;

gboolean onTimeout(gpointer flag) {
    *static_cast<bool*>(flag) = true;
    return G_SOURCE_REMOVE;
}

}  // namespace

bool GtkEventDispatcher::processEvents(int timeoutMs) {
    GMainContext* context = g_main_context_default();
    const std::uint64_t before = deliveries_;
    for (int i = 0; i < kMaxRoundsWithoutWaiting && !pending_ && g_main_context_pending(context); ++i)
        g_main_context_iteration(context, FALSE);
    rethrowPending();
    if (woken_.exchange(false) || deliveries_ != before) return true;
    if (timeoutMs == 0) return false;

    bool timedOut = false;
    const guint timer = timeoutMs > 0 ? g_timeout_add(static_cast<guint>(timeoutMs), onTimeout, &timedOut) : 0;
    while (deliveries_ == before && !woken_ && !timedOut && !pending_) g_main_context_iteration(context, TRUE);
    if (timer && !timedOut) g_source_remove(timer);
    rethrowPending();
    return woken_.exchange(false) || deliveries_ != before;
}

void GtkEventDispatcher::wakeUp() {
    woken_ = true;
    g_main_context_wakeup(g_main_context_default());
}

void GtkEventDispatcher::rethrowPending() {
    if (!pending_) return;
    std::exception_ptr e = std::move(pending_);
    pending_ = nullptr;
    std::rethrow_exception(e);
}

}  // namespace lindora
