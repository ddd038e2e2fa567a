#include "platform_gtk/GtkEventDispatcher.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

namespace lindora {
namespace {

// An idle callback that reports through guarded(), as every GTK callback of the backend does.
template <class F>
void postGuarded(F f) {
    auto* copy = new F(std::move(f));
    g_idle_add(
        [](gpointer data) -> gboolean {
            auto* callback = static_cast<F*>(data);
            GtkEventDispatcher::guarded(*callback);
            delete callback;
            return G_SOURCE_REMOVE;
        },
        copy);
}

TEST(GtkEventDispatcher, NothingPendingAndNoWaitReturnsAtOnce) {
    GtkEventDispatcher dispatcher;
    while (g_main_context_pending(nullptr)) g_main_context_iteration(nullptr, FALSE);
    EXPECT_FALSE(dispatcher.processEvents(0));
}

TEST(GtkEventDispatcher, DeliveriesEndTheWait) {
    GtkEventDispatcher dispatcher;
    bool ran = false;
    postGuarded([&] { ran = true; });
    EXPECT_TRUE(dispatcher.processEvents(-1));
    EXPECT_TRUE(ran);
}

TEST(GtkEventDispatcher, ACallbackMayRunANestedLoop) {
    GtkEventDispatcher dispatcher;
    std::vector<std::string> order;
    postGuarded([&] {
        order.push_back("outer begins");
        bool inner = false;
        postGuarded([&] {
            order.push_back("inner");
            inner = true;
        });
        for (int round = 0; !inner && round < 1000; ++round)
            dispatcher.processEvents(100);  // a local loop inside a native callback
        order.push_back("outer ends");
    });
    dispatcher.processEvents(-1);
    EXPECT_EQ(order, (std::vector<std::string>{"outer begins", "inner", "outer ends"}));
}

TEST(GtkEventDispatcher, ExceptionsFromCallbacksReachTheLoop) {
    GtkEventDispatcher dispatcher;
    bool later = false;
    postGuarded([] { throw std::runtime_error("from a handler"); });
    postGuarded([&] { later = true; });
    EXPECT_THROW(
        {
            for (int i = 0; i < 10; ++i) dispatcher.processEvents(100);
        },
        std::runtime_error);
    // The exception is thrown once; what was queued behind it still runs afterwards.
    EXPECT_NO_THROW(dispatcher.processEvents(0));
    for (int round = 0; !later && round < 1000; ++round) dispatcher.processEvents(100);
    EXPECT_TRUE(later);
}

TEST(GtkEventDispatcher, WithAnExceptionReportInstalledACallbacksExceptionGoesThereAndTheLoopGoesOn) {
    GtkEventDispatcher dispatcher;
    std::vector<std::string> reports;
    WindowSystem::instance().setExceptionHandler([&](const std::exception& e) { reports.push_back(e.what()); });
    bool later = false;
    postGuarded([] { throw std::runtime_error("from a handler"); });
    postGuarded([&] { later = true; });
    EXPECT_NO_THROW({
        for (int round = 0; !later && round < 1000; ++round) dispatcher.processEvents(100);
    });
    WindowSystem::instance().setExceptionHandler({});
    EXPECT_TRUE(later);
    EXPECT_EQ(reports, std::vector<std::string>{"from a handler"});
}

TEST(GtkEventDispatcher, WakeUpFromAnotherThreadEndsAWaitWithoutLimit) {
    GtkEventDispatcher dispatcher;
    std::thread worker([&] { dispatcher.wakeUp(); });
    EXPECT_TRUE(dispatcher.processEvents(-1));
    worker.join();
}

}  // namespace
}  // namespace lindora
