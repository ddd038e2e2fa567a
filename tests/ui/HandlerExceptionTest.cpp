// Exceptions of handlers that the window system runs on its own behalf (routing input to
// observers, WM_MOUSEACTIVATE and WM_SETCURSOR, painting, firing timers as the clock moves)
// reach the application's exception report, and the loop goes on.
#include <memory>
#include <stdexcept>

#include "UiTestSupport.h"
#include "ui/Application.h"

namespace lindora::test {
namespace {

class HandlerExceptionTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        app_ = std::make_unique<Application>();
        app_->OnException.bind([this](Persistent*, const std::exception& e) { reports_.push_back(e.what()); });
    }
    void TearDown() override {
        app_.reset();
        UiTest::TearDown();
    }

    std::unique_ptr<Application> app_;
    std::vector<std::string> reports_;
};

[[noreturn]] void fail(const char* what) { throw std::runtime_error(what); }

TEST_F(HandlerExceptionTest, ExceptionsOutsideADispatchGoToTheApplicationsReportAndTheLoopGoesOn) {
    LogWindow top("top", nullptr), other("other", nullptr);
    createTop(other, {600, 100, 900, 400});
    createTop(top, {100, 100, 500, 400});
    ws().setFocus(&top);
    ws().processMessages();
    ASSERT_EQ(ws().activeWindow(), &top);
    const Point inTop = top.clientToScreen({10, 10});
    const Point inOther = other.clientToScreen({10, 10});

    struct Case {
        const char* what;
        std::function<void()> arm, trigger, disarm;
    };
    ObserverId observer = 0;
    const Case cases[] = {
        {"a mouse observer",
         [&] {
             observer = ws().addMouseObserver([](const MouseEvent& e) -> bool {
                 if (e.msg == WM_LBUTTONDOWN) fail("a mouse observer");
                 return false;
             });
         },
         [&] { platform().input().click(inTop); }, [&] { ws().removeObserver(observer); }},
        {"a keyboard observer",
         [&] {
             observer = ws().addKeyboardObserver([](const KeyboardEvent& e) -> bool {
                 if (e.down()) fail("a keyboard observer");
                 return false;
             });
         },
         [&] { platform().input().key('A'); }, [&] { ws().removeObserver(observer); }},
        {"a message observer",
         [&] {
             observer = ws().addMessageObserver([&](Window* target, const Message& m) {
                 if (target == &top && m.msg == WM_SETCURSOR) fail("a message observer");
             });
         },
         [&] {
             platform().input().mouseMove(inTop + Point{5, 5});
         },
         [&] { ws().removeObserver(observer); }},
        {"WM_SETCURSOR",
         [&] {
             top.onMessage = [](Message& m) {
                 if (m.msg == WM_SETCURSOR) fail("WM_SETCURSOR");
                 return false;
             };
         },
         [&] {
             platform().input().mouseMove(inTop + Point{1, 1});
         },
         [&] { top.onMessage = {}; }},
        {"WM_MOUSEACTIVATE",
         [&] {
             other.onMessage = [](Message& m) {
                 if (m.msg == WM_MOUSEACTIVATE) fail("WM_MOUSEACTIVATE");
                 return false;
             };
         },
         [&] { platform().input().click(inOther); }, [&] { other.onMessage = {}; }},
        {"a paint", [&] { top.onPaint = [](Canvas&) { fail("a paint"); }; }, [&] { top.invalidate(); },
         [&] { top.onPaint = {}; }},
        {"a timer fired as the clock moves", [] {},
         [&] {
             ws().setTimer(nullptr, 0, 10, [&](unsigned id) {
                 ws().killTimer(nullptr, id);
                 fail("a timer fired as the clock moves");
             });
             platform().advance(20);
         },
         [] {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        reports_.clear();
        c.arm();
        EXPECT_NO_THROW({
            c.trigger();
            app_->processMessages();
        });
        c.disarm();
        EXPECT_EQ(reports_, std::vector<std::string>{c.what});

        // Nothing is left half done: the next click is routed as usual.
        ws().setActiveWindow(&top);
        ws().setFocus(&top);
        top.received.clear();
        platform().advance(1000);  // not a double click with the case's own
        platform().input().click(inTop);
        app_->processMessages();
        EXPECT_EQ(top.receivedOf(WM_LBUTTONDOWN).size(), 1u);
    }
}

TEST_F(HandlerExceptionTest, WithoutAnApplicationTheExceptionReachesWhoeverRunsTheLoop) {
    app_.reset();
    LogWindow top("top", nullptr);
    createTop(top, {100, 100, 500, 400});
    ws().processMessages();
    top.onPaint = [](Canvas&) { fail("a paint"); };
    top.invalidate();
    EXPECT_THROW(ws().processMessages(), std::runtime_error);
}

}  // namespace
}  // namespace lindora::test
