// Sending, posting, local message loops, the quit message, translation of keys into characters
// and replacing a window's procedure from outside.
#include "UiTestSupport.h"

namespace lindora::test {
namespace {

class MessageLoopTest : public UiTest {};

TEST_F(MessageLoopTest, SendIsSynchronousAndPostWaitsForTheLoop) {
    LogWindow w("w", nullptr);
    createTop(w, {0, 0, 100, 100}, WS_POPUP);
    w.onMessage = [](Message& m) {
        if (m.msg == WM_USER) {
            m.result = static_cast<LResult>(m.wParam) * 2;
            return true;
        }
        return false;
    };
    EXPECT_EQ(w.send(WM_USER, 21), 42);
    w.received.clear();
    w.post(WM_USER, 1);
    EXPECT_TRUE(w.receivedOf(WM_USER).empty());
    ws().processMessages();
    EXPECT_EQ(w.receivedOf(WM_USER).size(), 1u);
}

TEST_F(MessageLoopTest, MessagesForADestroyedWindowAreDropped) {
    auto w = std::make_unique<LogWindow>("w", nullptr);
    createTop(*w, {0, 0, 100, 100}, WS_POPUP);
    const WindowHandle h = w->handle();
    w->post(WM_USER);
    w.reset();
    EXPECT_EQ(Window::fromHandle(h), nullptr);
    EXPECT_NO_THROW(ws().processMessages());
}

TEST_F(MessageLoopTest, LocalLoopEndsOnItsConditionAndLeavesLaterInputQueued) {
    LogWindow top("top", nullptr), a("a", nullptr), b("b", nullptr);
    createTop(top, {0, 0, 400, 300}, WS_POPUP);
    createChild(a, top, {0, 0, 100, 100});
    createChild(b, top, {200, 0, 300, 100});
    bool aClicked = false;
    a.onMessage = [&](Message& m) {
        if (m.msg == WM_LBUTTONUP) aClicked = true;
        return false;
    };
    platform().input().click({50, 50});
    platform().input().click({250, 50});
    ASSERT_TRUE(ws().runLoop([&] { return aClicked; }));
    EXPECT_TRUE(b.receivedOf(WM_LBUTTONDOWN).empty());
    EXPECT_GT(ws().pendingCount(), 0u);
    // The main loop then gets the rest.
    ws().processMessages();
    EXPECT_EQ(b.receivedOf(WM_LBUTTONDOWN).size(), 1u);
    EXPECT_EQ(ws().pendingCount(), 0u);
}

TEST_F(MessageLoopTest, QuitEndsANestedLoopAndReachesTheOuterOne) {
    LogWindow w("w", nullptr);
    createTop(w, {0, 0, 100, 100}, WS_POPUP);
    bool innerEnded = false, innerResult = true;
    w.onMessage = [&](Message& m) {
        if (m.msg == WM_USER) {
            ws().postQuit(3);
            innerResult = ws().runLoop([] { return false; });
            innerEnded = true;
        }
        return false;
    };
    w.post(WM_USER);
    QueuedMessage m;
    int dispatched = 0;
    while (ws().getMessage(m)) {
        ws().translate(m);
        ws().dispatch(m);
        ++dispatched;
    }
    EXPECT_TRUE(innerEnded);
    EXPECT_FALSE(innerResult);
    EXPECT_EQ(m.msg.msg, static_cast<unsigned>(WM_QUIT));
    EXPECT_EQ(m.msg.wParam, 3u);
}

TEST_F(MessageLoopTest, KeysGoToTheFocusAndTranslateIntoCharacters) {
    LogWindow top("top", nullptr), edit("edit", nullptr);
    createTop(top, {0, 0, 300, 300});
    createChild(edit, top, {10, 10, 100, 30});
    ws().setFocus(&edit);
    platform().input().typeText(U"aB");
    platform().input().key(VK_F10);
    platform().input().key('H', {VK_MENU});
    ws().processMessages();

    std::u32string typed;
    for (const auto& m : edit.receivedOf(WM_CHAR)) typed.push_back(static_cast<char32_t>(m.wParam));
    EXPECT_EQ(typed, U"aB");
    // F10 and Alt combinations are system keys; Alt+H types a system character.
    auto sys = edit.receivedOf(WM_SYSKEYDOWN);
    ASSERT_EQ(sys.size(), 3u);  // F10, Alt, H
    EXPECT_EQ(sys[0].wParam, static_cast<WParam>(VK_F10));
    EXPECT_EQ(sys[2].wParam, static_cast<WParam>('H'));
    EXPECT_NE(static_cast<std::uint32_t>(sys[2].lParam) & KF_ALTDOWN_BIT, 0u);
    auto sysChars = edit.receivedOf(WM_SYSCHAR);
    ASSERT_EQ(sysChars.size(), 1u);
    EXPECT_EQ(sysChars[0].wParam, static_cast<WParam>('h'));
    EXPECT_TRUE(top.receivedOf(WM_KEYDOWN).empty());
}

TEST_F(MessageLoopTest, HelpAndContextMenuKeysReachTheParentsOfTheFocus) {
    LogWindow form("form", nullptr), edit("edit", nullptr);
    createTop(form, {0, 0, 300, 300});
    createChild(edit, form, {10, 10, 100, 30});
    ws().setFocus(&edit);
    WindowHandle helpItem = 0;
    form.onMessage = [&](Message& m) {
        if (m.msg == WM_HELP) helpItem = reinterpret_cast<HelpInfo*>(m.lParam)->item;
        return false;
    };
    platform().input().key(VK_F1);
    platform().input().key(VK_F10, {VK_SHIFT});
    platform().input().key(VK_APPS);
    ws().processMessages();
    EXPECT_EQ(helpItem, edit.handle());
    auto menus = form.receivedOf(WM_CONTEXTMENU);
    ASSERT_EQ(menus.size(), 2u);
    EXPECT_EQ(static_cast<WindowHandle>(menus[0].wParam), edit.handle());
    EXPECT_EQ(menus[0].lParam, -1);
}

TEST_F(MessageLoopTest, KeyStateFollowsTheMessageBeingProcessedWhileAsyncStateIsCurrent) {
    LogWindow w("w", nullptr);
    createTop(w, {0, 0, 100, 100});
    ws().setFocus(&w);
    std::vector<bool> shiftSeen;
    w.onMessage = [&](Message& m) {
        if (m.msg == WM_KEYDOWN && m.wParam == 'A') shiftSeen.push_back(ws().keyState(VK_SHIFT) < 0);
        return false;
    };
    platform().input().keyDown(VK_SHIFT);
    platform().input().keyDown('A');
    platform().input().keyUp('A');
    platform().input().keyUp(VK_SHIFT);
    platform().input().keyDown('A');
    platform().input().keyUp('A');
    EXPECT_EQ(ws().asyncKeyState(VK_SHIFT), 0);  // all input has happened already
    ws().processMessages();
    EXPECT_EQ(shiftSeen, (std::vector<bool>{true, false}));
    // Caps Lock toggles on each press.
    platform().input().key(VK_CAPITAL);
    ws().processMessages();
    EXPECT_EQ(ws().keyState(VK_CAPITAL) & 1, 1);
}

TEST_F(MessageLoopTest, AChainedProcedureSeesMessagesBeforeTheWindowAndCanBeUnhooked) {
    MessageLog log;
    LogWindow w("window", &log, {WM_USER, WM_SIZE});
    createTop(w, {0, 0, 100, 100}, WS_POPUP);
    Window::WindowProc previous = w.setWindowProc([&](Message& m) {
        if (m.msg == WM_USER || m.msg == WM_SIZE) log.push_back("hook " + messageName(m.msg));
        if (m.msg == WM_USER && m.wParam == 99) {
            m.result = 7;  // swallowed by the hook
            return;
        }
        previous(m);
    });
    log.clear();
    w.send(WM_USER, 1);
    w.setBounds({0, 0, 200, 100});
    EXPECT_EQ(w.send(WM_USER, 99), 7);
    EXPECT_EQ(log, (MessageLog{"hook WM_USER", "window WM_USER", "hook WM_SIZE", "window WM_SIZE", "hook WM_USER"}));

    // A second hook chains over the first; restoring in reverse order unhooks both.
    Window::WindowProc first = w.windowProc();
    Window::WindowProc second = w.setWindowProc([&](Message& m) {
        if (m.msg == WM_USER) log.push_back("outer");
        first(m);
    });
    log.clear();
    w.send(WM_USER, 1);
    EXPECT_EQ(log, (MessageLog{"outer", "hook WM_USER", "window WM_USER"}));
    w.setWindowProc(second);
    w.setWindowProc(previous);
    log.clear();
    w.send(WM_USER, 1);
    EXPECT_EQ(log, (MessageLog{"window WM_USER"}));
}

TEST_F(MessageLoopTest, CloseDestroysByDefaultAndTheActiveWindowPassesToTheOwner) {
    LogWindow owner("owner", nullptr), tool("tool", nullptr);
    createTop(owner, {0, 0, 300, 300});
    createTop(tool, {50, 50, 150, 150}, WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW, &owner);
    ws().setActiveWindow(&tool);
    tool.send(WM_SYSCOMMAND, SC_CLOSE);
    EXPECT_FALSE(tool.handleAllocated());
    EXPECT_EQ(tool.receivedOf(WM_CLOSE).size(), 1u);
    EXPECT_EQ(tool.receivedOf(WM_DESTROY).size(), 1u);
    EXPECT_EQ(ws().activeWindow(), &owner);
}

TEST_F(MessageLoopTest, DestroyingAWindowDestroysItsChildrenAndOwnedWindows) {
    MessageLog log;
    LogWindow owner("owner", &log, {WM_DESTROY}), child("child", &log, {WM_DESTROY}),
        popup("popup", &log, {WM_DESTROY});
    createTop(owner, {0, 0, 300, 300});
    createChild(child, owner, {0, 0, 10, 10});
    createTop(popup, {50, 50, 150, 150}, WS_POPUP, 0, &owner);
    owner.destroy();
    EXPECT_EQ(log, (MessageLog{"popup WM_DESTROY", "owner WM_DESTROY", "child WM_DESTROY"}));
    EXPECT_FALSE(child.handleAllocated());
    EXPECT_FALSE(popup.handleAllocated());
    EXPECT_TRUE(ws().topLevels().empty());
}

}  // namespace
}  // namespace lindora::test
