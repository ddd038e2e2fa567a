// The idle hooks: once per drain of the message queue, never while nothing happens, work they
// post handled before they run again, and registrations that end with their handles.
#include <memory>
#include <stdexcept>

#include "UiTestSupport.h"
#include "ui/Application.h"

namespace lindora::test {
namespace {

class IdleHookTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        createTop(window, {0, 0, 100, 100}, WS_POPUP);
        window.onMessage = [this](Message& m) {
            if (m.msg >= WM_USER) log.push_back("message " + std::to_string(m.msg - WM_USER));
            return false;
        };
        // The window's creation is work of its own: start from a drained queue.
        ws().processMessages();
    }

    MessageLog log;
    LogWindow window{"w", nullptr};
};

TEST_F(IdleHookTest, RunsOncePerDrainAndNotAgainWhileNothingHappens) {
    int runs = 0;
    IdleHook hook = ws().addIdleHook([&] { ++runs; });
    ws().processMessages();
    EXPECT_EQ(runs, 0) << "nothing was handled since the queue last drained";

    window.post(WM_USER + 1);
    window.post(WM_USER + 2);
    window.post(WM_USER + 3);
    ws().processMessages();
    EXPECT_EQ(runs, 1) << "three messages, one drain";

    ws().processMessages();
    EXPECT_FALSE(ws().queueDrained());
    EXPECT_EQ(runs, 1);

    // A timer that fires as the virtual clock moves is handled work too.
    ws().setTimer(nullptr, 0, 50, [&](unsigned id) { ws().killTimer(nullptr, id); });
    platform().advance(60);
    ws().processMessages();
    EXPECT_EQ(runs, 2);
}

TEST_F(IdleHookTest, WorkAHookPostsIsHandledBeforeTheHooksRunAgain) {
    int runs = 0;
    IdleHook hook = ws().addIdleHook([&] {
        ++runs;
        log.push_back("idle " + std::to_string(runs));
        if (runs < 3) window.post(WM_USER + 10 + runs);
    });
    window.post(WM_USER + 1);
    ws().processMessages();
    const MessageLog expected{"message 1", "idle 1", "message 11", "idle 2", "message 12", "idle 3"};
    EXPECT_EQ(log, expected);
    ws().processMessages();
    EXPECT_EQ(runs, 3);
}

TEST_F(IdleHookTest, AHookMayEndItsOwnOrAnotherRegistrationWhileItRuns) {
    std::vector<std::string> ran;
    IdleHook first, second, third;
    first = ws().addIdleHook([&] {
        ran.push_back("first");
        first.reset();
        second.reset();
        // Registered during the pass: runs from the next drain on.
        third = ws().addIdleHook([&] { ran.push_back("third"); });
    });
    second = ws().addIdleHook([&] { ran.push_back("second"); });
    window.post(WM_USER);
    ws().processMessages();
    EXPECT_EQ(ran, (std::vector<std::string>{"first"}));
    EXPECT_FALSE(first.active());
    window.post(WM_USER);
    ws().processMessages();
    EXPECT_EQ(ran, (std::vector<std::string>{"first", "third"}));

    // A handle that goes, or is moved over, takes its registration with it.
    third = IdleHook();
    window.post(WM_USER);
    ws().processMessages();
    EXPECT_EQ(ran.size(), 2u);
}

TEST_F(IdleHookTest, ALocalLoopRunsTheHooksBeforeItWouldWait) {
    bool done = false;
    IdleHook hook = ws().addIdleHook([&] { done = true; });
    window.post(WM_USER);
    // Offscreen with a virtual clock a loop that had to wait for input would fail: the hook must
    // end it first.
    EXPECT_TRUE(ws().runLoop([&] { return done; }));
    EXPECT_EQ(log, (MessageLog{"message 0"}));
}

TEST_F(IdleHookTest, AFailingHookIsReportedAndTheOthersStillRun) {
    Application app;
    std::vector<std::string> reports;
    app.OnException.bind([&](Persistent*, const std::exception& e) { reports.push_back(e.what()); });
    int later = 0;
    IdleHook failing = ws().addIdleHook([] { throw std::runtime_error("idle failed"); });
    IdleHook counting = ws().addIdleHook([&] { ++later; });
    window.post(WM_USER);
    app.processMessages();
    EXPECT_EQ(reports, (std::vector<std::string>{"idle failed"}));
    EXPECT_EQ(later, 1);
}

}  // namespace
}  // namespace lindora::test
