// Timers on the virtual clock: order, repetition, killing, thread timers.
#include "UiTestSupport.h"

namespace lindora::test {
namespace {

class TimerTest : public UiTest {};

TEST_F(TimerTest, DueTimersFireInTimeOrderEachAtItsOwnTime) {
    LogWindow w("w", nullptr);
    createTop(w, {0, 0, 100, 100}, WS_POPUP);
    std::vector<std::pair<unsigned, std::int64_t>> fired;
    w.onMessage = [&](Message& m) {
        if (m.msg == WM_TIMER) fired.emplace_back(static_cast<unsigned>(m.wParam), ws().clock().now());
        return false;
    };
    const std::int64_t t0 = ws().clock().now();
    ws().setTimer(&w, 1, 100);
    ws().setTimer(&w, 2, 250);
    ws().setTimer(nullptr, 0, 330, [&](unsigned) { fired.emplace_back(99, ws().clock().now()); });
    platform().advance(350);
    const std::vector<std::pair<unsigned, std::int64_t>> expected{
        {1, t0 + 100}, {1, t0 + 200}, {2, t0 + 250}, {1, t0 + 300}, {99, t0 + 330}};
    EXPECT_EQ(fired, expected);
    EXPECT_EQ(ws().clock().now(), t0 + 350);
}

TEST_F(TimerTest, KilledTimersNeverFireAndKillingInTheHandlerMakesAOneShot) {
    LogWindow w("w", nullptr);
    createTop(w, {0, 0, 100, 100}, WS_POPUP);
    std::vector<unsigned> fired;
    w.onMessage = [&](Message& m) {
        if (m.msg != WM_TIMER) return false;
        fired.push_back(static_cast<unsigned>(m.wParam));
        if (m.wParam == 1) {
            ws().killTimer(&w, 1);  // one-shot
            ws().killTimer(&w, 2);  // due at the same time, later in order: must not fire
        }
        return true;
    };
    ws().setTimer(&w, 1, 50);
    ws().setTimer(&w, 2, 50);
    ws().setTimer(&w, 3, 40);
    ws().killTimer(&w, 3);
    platform().advance(500);
    EXPECT_EQ(fired, (std::vector<unsigned>{1}));
    EXPECT_FALSE(ws().hasTimer(&w, 1));
}

TEST_F(TimerTest, SettingAnExistingTimerRestartsIt) {
    LogWindow w("w", nullptr);
    createTop(w, {0, 0, 100, 100}, WS_POPUP);
    int count = 0;
    w.onMessage = [&](Message& m) {
        if (m.msg == WM_TIMER) ++count;
        return false;
    };
    ws().setTimer(&w, 7, 400);
    platform().advance(300);
    ws().setTimer(&w, 7, 400);  // e.g. the hint delay restarting on a mouse move
    platform().advance(300);
    EXPECT_EQ(count, 0);
    platform().advance(100);
    EXPECT_EQ(count, 1);
}

TEST_F(TimerTest, TimersOfADestroyedWindowAreGoneAndTheLoopFiresDueTimers) {
    auto w = std::make_unique<LogWindow>("w", nullptr);
    createTop(*w, {0, 0, 100, 100}, WS_POPUP);
    ws().setTimer(w.get(), 1, 10);
    w.reset();
    EXPECT_EQ(ws().nextTimerDue(), std::nullopt);

    // A loop that waits lets virtual time pass up to the next timer.
    int ticks = 0;
    ws().setTimer(nullptr, 0, 80, [&](unsigned id) { ++ticks; });
    const std::int64_t t0 = ws().clock().now();
    EXPECT_TRUE(ws().runLoop([&] { return ticks == 2; }));
    EXPECT_EQ(ws().clock().now(), t0 + 160);
}

}  // namespace
}  // namespace lindora::test
