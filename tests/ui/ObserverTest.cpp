// The three thread-wide observers: chain order, swallowing, removal in any order.
#include "UiTestSupport.h"

namespace lindora::test {
namespace {

class ObserverTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        createTop(window_, {0, 0, 300, 300});
        ws().setFocus(&window_);
    }
    void TearDown() override {
        window_.destroy();
        UiTest::TearDown();
    }
    LogWindow window_{"window", nullptr};
};

TEST_F(ObserverTest, KeyboardObserversRunNewestFirstAndASwallowedKeyGoesNoFurther) {
    std::vector<std::string> calls;
    auto a = ws().addKeyboardObserver([&](const KeyboardEvent& e) {
        calls.push_back("a" + std::to_string(e.vk));
        return false;
    });
    auto b = ws().addKeyboardObserver([&](const KeyboardEvent& e) {
        calls.push_back("b" + std::to_string(e.vk));
        return e.vk == 'X';  // swallows X, press and release
    });
    auto c = ws().addKeyboardObserver([&](const KeyboardEvent& e) {
        calls.push_back("c" + std::to_string(e.vk));
        return false;
    });
    platform().input().key('X');
    platform().input().key('Y');
    ws().processMessages();
    const std::string x = std::to_string('X'), y = std::to_string('Y');
    EXPECT_EQ(calls, (std::vector<std::string>{"c" + x, "b" + x, "c" + x, "b" + x, "c" + y, "b" + y, "a" + y, "c" + y,
                                               "b" + y, "a" + y}));
    auto downs = window_.receivedOf(WM_KEYDOWN);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0].wParam, static_cast<WParam>('Y'));

    // Removing the middle observer first, then the others, in any order.
    ws().removeObserver(b);
    calls.clear();
    platform().input().key('X');
    ws().processMessages();
    EXPECT_EQ(calls, (std::vector<std::string>{"c" + x, "a" + x, "c" + x, "a" + x}));
    ws().removeObserver(a);
    ws().removeObserver(c);
    calls.clear();
    platform().input().key('X');
    ws().processMessages();
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(window_.receivedOf(WM_KEYDOWN).size(), 3u);
}

TEST_F(ObserverTest, KeyboardObserverSeesPressAndReleaseBits) {
    std::vector<bool> down;
    auto id = ws().addKeyboardObserver([&](const KeyboardEvent& e) {
        down.push_back(e.down());
        return false;
    });
    platform().input().key(VK_F10);
    ws().processMessages();
    EXPECT_EQ(down, (std::vector<bool>{true, false}));
    ws().removeObserver(id);
}

TEST_F(ObserverTest, MouseObserverSeesTheTargetAndHitTestAndMaySwallow) {
    LogWindow child("child", nullptr);
    createChild(child, window_, {10, 10, 100, 100});
    std::vector<MouseEvent> seen;
    auto id = ws().addMouseObserver([&](const MouseEvent& e) {
        seen.push_back(e);
        return e.msg == WM_RBUTTONUP;
    });
    platform().input().click(child.clientToScreen({5, 5}), MouseButton::Right);
    ws().processMessages();
    ASSERT_EQ(seen.size(), 3u);  // move, down, up
    EXPECT_EQ(seen[1].msg, static_cast<unsigned>(WM_RBUTTONDOWN));
    EXPECT_EQ(seen[1].window, &child);
    EXPECT_EQ(seen[1].hitTest, HTCLIENT);
    EXPECT_EQ(seen[1].screen, child.clientToScreen({5, 5}));
    EXPECT_EQ(child.receivedOf(WM_RBUTTONDOWN).size(), 1u);
    EXPECT_TRUE(child.receivedOf(WM_RBUTTONUP).empty());
    ws().removeObserver(id);
}

TEST_F(ObserverTest, MessageObserverSeesEverySentMessageBeforeTheWindow) {
    MessageLog order;
    window_.onMessage = [&](Message& m) {
        if (m.msg == WM_USER) order.push_back("window");
        return false;
    };
    auto outer = ws().addMessageObserver([&](Window* w, const Message& m) {
        if (m.msg == WM_USER) order.push_back(std::string("first ") + (w == &window_ ? "window" : "?"));
    });
    auto inner = ws().addMessageObserver([&](Window*, const Message& m) {
        if (m.msg == WM_USER) order.push_back("second");
    });
    window_.send(WM_USER);
    window_.post(WM_USER);  // posted messages are not sent: only the window sees it
    ws().processMessages();
    EXPECT_EQ(order, (MessageLog{"second", "first window", "window", "window"}));
    ws().removeObserver(outer);
    ws().removeObserver(inner);
}

TEST_F(ObserverTest, AnObserverMayRemoveAnotherWhileRunning) {
    int laterCalls = 0;
    ObserverId later = ws().addKeyboardObserver([&](const KeyboardEvent&) {
        ++laterCalls;
        return false;
    });
    ObserverId remover = ws().addKeyboardObserver([&](const KeyboardEvent&) {
        ws().removeObserver(later);
        return false;
    });
    platform().input().key('A');
    ws().processMessages();
    EXPECT_EQ(laterCalls, 0);
    ws().removeObserver(remover);
}

}  // namespace
}  // namespace lindora::test
