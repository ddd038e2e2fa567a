// The browser view's keyboard and mouse under real X input: what the user types into the page
// reaches the page alone, after the window layer's observers, which may swallow it; a click into
// the page is shown to the mouse observers and makes the host the focus window; the window
// layer's focus on the host is GTK's focus on the view and the other way round.
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "GtkTestDisplay.h"
#include "GtkTestInput.h"
#include "gfx/Brush.h"
#include "gfx/Canvas.h"
#include "platform_gtk/GtkBrowserEngine.h"
#include "platform_gtk/GtkPlatform.h"
#include "platform_gtk/GtkSurface.h"
#include "ui/Window.h"
#include "ui/WindowSystem.h"

namespace lindora {
namespace {

using test::GtkTestDisplay;

// A text field that has the page's focus. The page tells what it got through its title (the
// field's text, the keys, where the presses were): the test reads no script values, whose engine objects
// in this process the sanitizers cannot follow.
constexpr const char* kPage = R"(<!DOCTYPE html><html><body style="margin:0">
<input id="field" autofocus style="width:100%;height:120px">
<script>
var keys = [], presses = [], field = document.getElementById('field');
function report() { document.title = field.value + '|' + keys.join(' ') + '|' + presses.join(' '); }
document.addEventListener('keydown', function (e) { keys.push(e.key); report(); }, true);
document.addEventListener('input', report, true);
document.addEventListener('mousedown', function (e) { presses.push(e.clientX); report(); }, true);
report();
</script></body></html>)";

class KeyRecordingWindow final : public Window {
public:
    void paint(Canvas& canvas) override { canvas.fillRect(clientRect(), Brush(RGB(212, 208, 200))); }
    // Key and character messages the window got.
    std::vector<unsigned> keyMessages;

protected:
    void wndProc(Message& m) override {
        if (isKeyMessage(m.msg)) keyMessages.push_back(m.msg);
        Window::wndProc(m);
    }
};

class GtkBrowserInputTest : public testing::Test {
protected:
    void SetUp() override {
        LINDORA_REQUIRE_GTK_DISPLAY();
        registerGtkPlatform();
        PlatformIntegration::install(GtkIntegration::create());
        WindowSystem& ws = WindowSystem::instance();
        form.create({"Page input", WS_OVERLAPPEDWINDOW, 0, 0, Rect::fromSize(100, 100, 420, 300), nullptr});
        host.create({"", WS_CHILD | WS_VISIBLE, 0, 0, Rect::fromSize(0, 40, 400, 200), &form});
        engine = std::make_unique<GtkBrowserEngine>();
        host.hostNativeChild(engine.get());
        pagePath = std::filesystem::path(testing::TempDir()) / "page-input.htm";
        std::ofstream(pagePath) << kPage;
        engine->OnProgressChange = [&](int p, int) { loaded |= p == BrowserEngine::ProgressDone; };
        const std::string path = pagePath.string();
        engine->navigate(std::u16string(path.begin(), path.end()));
        form.show();
        ASSERT_TRUE(GtkTestDisplay::runUntil([&] { return loaded && webkit_web_view_get_title(engine->view()); }))
            << "the page did not load";
        ASSERT_TRUE(
            GtkTestDisplay::runUntil([&] { return gtk_window_is_active(GTK_WINDOW(surface()->window())) != FALSE; }));
        keyObserver = ws.addKeyboardObserver([this](const KeyboardEvent& e) {
            keys.push_back(e);
            return swallowKeys.count(e.vk) != 0;
        });
        mouseObserver = ws.addMouseObserver([this](const MouseEvent& e) {
            // Moves over the form's own drawing come this way too; the presses are the point.
            if (e.msg == WM_MOUSEMOVE || e.msg == WM_NCMOUSEMOVE) return false;
            mice.push_back(e);
            return swallowMouse;
        });
    }
    void TearDown() override {
        if (PlatformIntegration::instance()) {
            WindowSystem::instance().removeObserver(keyObserver);
            WindowSystem::instance().removeObserver(mouseObserver);
            host.hostNativeChild(nullptr);
            host.destroy();
            form.destroy();
            engine.reset();
            PlatformIntegration::install(nullptr);
        }
        std::error_code ignored;
        std::filesystem::remove(pagePath, ignored);
    }

    GtkSurface* surface() const { return GtkSurface::from(form.surface()); }
    bool viewHasGtkFocus() const { return gtk_widget_is_focus(GTK_WIDGET(engine->view())) != FALSE; }

    // One part of what the page reports in its title: 0 the field's text, 1 its keys, 2 the
    // x of its presses.
    std::string reported(int part) const {
        const char* title = webkit_web_view_get_title(engine->view());
        std::string rest = title ? title : "";
        for (int i = 0; i < part; ++i) {
            const auto bar = rest.find('|');
            if (bar == std::string::npos) return "";
            rest.erase(0, bar + 1);
        }
        return rest.substr(0, rest.find('|'));
    }
    std::string fieldText() const { return reported(0); }
    std::string pageKeys() const { return reported(1); }
    std::string pagePresses() const { return reported(2); }

    void tap(unsigned keysym) {
        test::fakeKey(keysym, true);
        test::fakeKey(keysym, false);
    }
    void clickAt(Point screen) {
        test::fakePointerMove(screen.x, screen.y);
        test::fakeButton(1, true);
        test::fakeButton(1, false);
    }
    std::vector<KeyboardEvent> keysFor(unsigned vk) const {
        std::vector<KeyboardEvent> out;
        for (const KeyboardEvent& e : keys)
            if (e.vk == vk) out.push_back(e);
        return out;
    }
    Point pageCentre() const {
        const Rect r = host.clientToScreen(host.clientRect());
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    KeyRecordingWindow form;
    KeyRecordingWindow host;
    std::unique_ptr<GtkBrowserEngine> engine;  // made once there is a display
    std::filesystem::path pagePath;
    bool loaded = false;
    ObserverId keyObserver = 0, mouseObserver = 0;
    std::vector<KeyboardEvent> keys;
    std::set<unsigned> swallowKeys;
    std::vector<MouseEvent> mice;
    bool swallowMouse = false;
};

TEST_F(GtkBrowserInputTest, TypedKeysReachThePageAloneAfterTheObservers) {
    WindowSystem& ws = WindowSystem::instance();
    ws.setFocus(&host);
    EXPECT_TRUE(viewHasGtkFocus());
    tap(GDK_KEY_a);
    tap(GDK_KEY_b);
    // A key the page leaves unhandled comes back from WebKit; the observers see it once all the same.
    tap(GDK_KEY_F9);
    tap(GDK_KEY_c);
    ASSERT_TRUE(GtkTestDisplay::runUntil([&] { return fieldText() == "abc"; })) << fieldText();
    EXPECT_EQ(pageKeys(), "a b F9 c");
    for (unsigned vk : {unsigned('A'), unsigned('B'), unsigned(VK_F9), unsigned('C')}) {
        const auto seen = keysFor(vk);
        ASSERT_EQ(seen.size(), 2u) << "vk " << vk;
        EXPECT_TRUE(seen[0].down());
        EXPECT_FALSE(seen[1].down());
    }
    // Nothing reached the window layer's windows as key or character messages.
    EXPECT_TRUE(form.keyMessages.empty());
    EXPECT_TRUE(host.keyMessages.empty());
    EXPECT_EQ(ws.focus(), &host);
}

TEST_F(GtkBrowserInputTest, AKeyAnObserverSwallowsNeverReachesThePage) {
    WindowSystem::instance().setFocus(&host);
    swallowKeys = {VK_F10, 'X'};
    tap(GDK_KEY_F10);
    tap(GDK_KEY_x);
    test::fakeKey(GDK_KEY_Alt_L, true);
    test::fakeKey(GDK_KEY_Alt_L, false);
    tap(GDK_KEY_y);
    ASSERT_TRUE(GtkTestDisplay::runUntil([&] { return fieldText() == "y"; })) << fieldText();
    EXPECT_EQ(pageKeys(), "Alt y");
    // Alt and F10 are seen while the page has the focus, Alt as the system key it is.
    const auto alt = keysFor(VK_MENU);
    ASSERT_EQ(alt.size(), 2u);
    EXPECT_NE(static_cast<std::uint32_t>(alt[0].keyData) & KF_ALTDOWN_BIT, 0u);
    EXPECT_FALSE(alt[1].down());
    EXPECT_EQ(keysFor(VK_F10).size(), 2u);
    EXPECT_EQ(keysFor('X').size(), 2u);
    // The key states follow the page's keys too: none is left down.
    EXPECT_GE(WindowSystem::instance().keyState(VK_MENU), 0);
}

TEST_F(GtkBrowserInputTest, AClickIntoThePageIsObservedAndFocusesTheHost) {
    WindowSystem& ws = WindowSystem::instance();
    ws.setFocus(&form);
    EXPECT_FALSE(viewHasGtkFocus());
    // A swallowed press reaches neither the page nor its focus.
    // Where the page sees a press at an offset from the page's centre.
    const Rect page = host.clientToScreen(host.clientRect());
    auto pageX = [&](int offset) { return std::to_string(pageCentre().x + offset - page.left); };

    swallowMouse = true;
    clickAt(pageCentre());
    ASSERT_TRUE(GtkTestDisplay::runUntil([&] { return mice.size() >= 2; }));
    EXPECT_EQ(mice[0].msg, WM_LBUTTONDOWN);
    EXPECT_EQ(mice[0].window, &host);
    EXPECT_EQ(mice[0].screen, pageCentre());
    EXPECT_EQ(mice[0].hitTest, HTCLIENT);
    EXPECT_EQ(mice[1].msg, WM_LBUTTONUP);
    EXPECT_EQ(ws.focus(), &form);

    // Let through, the press reaches the page, which takes the focus, and the host with it;
    // the swallowed one never arrives there.
    swallowMouse = false;
    mice.clear();
    clickAt(pageCentre() + Point{5, 5});
    EXPECT_TRUE(GtkTestDisplay::runUntil([&] { return pagePresses() == pageX(5); })) << pagePresses();
    ASSERT_FALSE(mice.empty());
    EXPECT_EQ(mice[0].msg, WM_LBUTTONDOWN);
    EXPECT_TRUE(GtkTestDisplay::runUntil([&] { return ws.focus() == &host; }));
    EXPECT_TRUE(viewHasGtkFocus());
    tap(GDK_KEY_q);
    EXPECT_TRUE(GtkTestDisplay::runUntil([&] { return fieldText() == "q"; })) << fieldText();

    // While the form is disabled (a modal dialog of its own is open), the page takes no press
    // and the observers see none, as for any other window of the form.
    form.enable(false);
    mice.clear();
    clickAt(pageCentre());
    GtkTestDisplay::settle();
    ws.processMessages();
    EXPECT_TRUE(mice.empty());
    // Enabled again, the next click is the first the page gets since.
    form.enable(true);
    clickAt(pageCentre() + Point{3, 3});
    ASSERT_TRUE(GtkTestDisplay::runUntil([&] { return pagePresses().ends_with(pageX(3)); })) << pagePresses();
    EXPECT_EQ(pagePresses(), pageX(5) + " " + pageX(3));
    ASSERT_EQ(mice.size(), 2u);
    EXPECT_EQ(mice[0].msg, WM_LBUTTONDOWN);
}

TEST_F(GtkBrowserInputTest, TheWindowLayersFocusMovesGtksFocusOffThePageAndBack) {
    WindowSystem& ws = WindowSystem::instance();
    ws.setFocus(&host);
    ASSERT_TRUE(viewHasGtkFocus());
    ws.setFocus(&form);
    EXPECT_FALSE(viewHasGtkFocus());
    // Keys go to the focus window as messages now, not to the page.
    tap(GDK_KEY_k);
    ASSERT_TRUE(GtkTestDisplay::runUntil([&] { return form.keyMessages.size() >= 3; }));
    EXPECT_EQ(form.keyMessages[0], WM_KEYDOWN);
    EXPECT_EQ(form.keyMessages[1], WM_CHAR);
    EXPECT_EQ(form.keyMessages[2], WM_KEYUP);
    // Back on the host, typing goes to the page again.
    ws.setFocus(&host);
    EXPECT_TRUE(viewHasGtkFocus());
    tap(GDK_KEY_m);
    EXPECT_TRUE(GtkTestDisplay::runUntil([&] { return fieldText() == "m"; })) << fieldText();
    EXPECT_EQ(form.keyMessages.size(), 3u);

    // Tab past the page's only field: WebKit hands the focus to the window, which has no other
    // stop than the host, so the page keeps it.
    tap(GDK_KEY_Tab);
    ASSERT_TRUE(GtkTestDisplay::runUntil([&] { return pageKeys() == "m Tab"; })) << pageKeys();
    GtkTestDisplay::settle();
    EXPECT_TRUE(viewHasGtkFocus());
    tap(GDK_KEY_n);
    EXPECT_TRUE(GtkTestDisplay::runUntil([&] { return pageKeys() == "m Tab n"; })) << pageKeys();
    EXPECT_EQ(ws.focus(), &host);
    EXPECT_EQ(form.keyMessages.size(), 3u);
}

}  // namespace
}  // namespace lindora
