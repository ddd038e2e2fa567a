// The main window's toolbar worked as its main menu on a real desktop: the gtk backend under
// Xvfb with a window manager, driven by real X input from xdotool (the pointer and the keyboard
// of the screen, not the window layer's injection). A click on Help opens the submenu as a real
// popup window, a click on About the real message dialog, answered with a real Return; F10 and
// the arrows work the menu, and after Esc the page has the keyboard again. Every wait is bounded.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "GtkTestDisplay.h"
#include "app/FrmMain.h"
#include "app/LindoraRun.h"
#include "app/TempRegistryFolder.h"
#include "app/WebBrowser.h"
#include "bars/controls/BarControl.h"
#include "bars/controls/BarSubItemControl.h"
#include "bars/controls/ItemControl.h"
#include "bars/controls/MenuChain.h"
#include "bars/controls/SubMenuControl.h"
#include "bars/model/Bar.h"
#include "bars/model/BarButton.h"
#include "bars/model/BarItemLinks.h"
#include "bars/model/BarManager.h"
#include "bars/model/BarSubItem.h"
#include "bars/model/DockControl.h"
#include "gfx/Bitmap.h"
#include "platform/browser/BrowserEngine.h"
#include "platform_gtk/GtkServices.h"
#include "platform_gtk/GtkSurface.h"
#include "ui/Application.h"
#include "ui/WindowSystem.h"

namespace lindora {
namespace {

using test::GtkTestDisplay;
using test::TestWindowManager;

// A text field with the page's focus. The page tells what it got through its title: the
// field's text, then the keys and the mouse presses ("press") it saw.
constexpr const char* kPage = R"(<!DOCTYPE html><html><head><title>|</title></head><body style="margin:0">
<input id="field" autofocus style="width:100%;height:120px">
<script>
var keys = [], field = document.getElementById('field');
function report() { document.title = field.value + '|' + keys.join(' '); }
document.addEventListener('keydown', function (e) { keys.push(e.key); report(); }, true);
document.addEventListener('input', report, true);
document.addEventListener('mousedown', function () { keys.push('press'); report(); }, true);
report();
</script></body></html>)";

// The desktop's own input tool on the test display (DISPLAY names it).
bool xdotool(const std::string& arguments) {
    const std::string line = "xdotool " + arguments + " >/dev/null 2>&1";
    return std::system(line.c_str()) == 0;
}

bool mapped(const Window* w) {
    if (!w || !w->surface()) return false;
    GtkSurface* s = GtkSurface::from(w->surface());
    return s && gtk_widget_get_mapped(s->window());
}

Point centre(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

std::string text(const Rect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.width()) + "x" +
           std::to_string(r.height());
}

// Luminance-ish: the sum of the three channels.
int brightness(std::uint32_t rgb) { return int((rgb >> 16) & 0xFF) + int((rgb >> 8) & 0xFF) + int(rgb & 0xFF); }

// Darker than the light backgrounds of menus, docks and dialogs: text.
bool dark(std::uint32_t rgb) { return brightness(rgb & 0xFFFFFF) < 3 * 0x70; }

// Dark pixels in a screen rectangle.
int darkPixels(const Bitmap& shot, const Rect& r) {
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (dark(shot.pixel(x, y))) ++count;
    return count;
}

class MainWindowMenuGtkTest : public testing::Test {
protected:
    void SetUp() override {
        LINDORA_REQUIRE_GTK_DISPLAY();
        if (std::system("command -v xdotool >/dev/null 2>&1") != 0) GTEST_SKIP() << "xdotool is not installed";
        manager_ = std::make_unique<TestWindowManager>();
        LINDORA_REQUIRE_WINDOW_MANAGER(*manager_);
        registerLindoraPlatforms();
        PlatformIntegration::install(GtkIntegration::create());
        app_ = std::make_unique<Application>();
        app_->initialize();
        app_->setTitle("Lindora");
        form_ = FrmMain::create(*app_, LINDORA_EXECUTABLE);
        ASSERT_NE(form_, nullptr);

        formsTitleHandler_ = form_->wbMain->OnTitleChange.value();
        form_->wbMain->OnTitleChange.bind([this](Persistent* sender, const std::u16string& title) {
            title_ = std::string(title.begin(), title.end());
            std::any_cast<std::function<void(Persistent*, const std::u16string&)>>(formsTitleHandler_.function)(sender,
                                                                                                                title);
        });
        formsProgressHandler_ = form_->wbMain->OnProgressChange.value();
        form_->wbMain->OnProgressChange.bind([this](Persistent* sender, int progress, int max) {
            loaded_ |= progress == BrowserEngine::ProgressDone;
            std::any_cast<std::function<void(Persistent*, int, int)>>(formsProgressHandler_.function)(sender, progress,
                                                                                                      max);
        });

        ASSERT_TRUE(runUntil([&] { return mapped(form_) && loaded_; })) << "the window did not show its start page";
        // The test's page, with a text field that reports what reaches it.
        pagePath_ = std::filesystem::path(testing::TempDir()) / "menu-gtk-page.htm";
        std::ofstream(pagePath_) << kPage;
        loaded_ = false;
        title_.clear();
        const std::string path = pagePath_.string();
        form_->wbMain->navigate(std::u16string(path.begin(), path.end()));
        ASSERT_TRUE(runUntil([&] { return loaded_ && title_ == "|"; })) << "the test page did not load: " << title_;
        ASSERT_TRUE(runUntil([&] { return gtk_window_is_active(GTK_WINDOW(native(form_))) != FALSE; }));
        ASSERT_TRUE(runUntil([&] { return WindowSystem::instance().activeWindow() == form_; }));
        // The page is where the keyboard goes in the main window.
        ASSERT_TRUE(runUntil([&] { return WindowSystem::instance().focus() == form_->wbMain; }));
        GtkTestDisplay::settle();
        WindowSystem::instance().processMessages();
    }

    void TearDown() override {
        if (form_) {
            form_->wbMain->OnTitleChange.setValue(formsTitleHandler_);
            form_->wbMain->OnProgressChange.setValue(formsProgressHandler_);
            form_->close();
            runUntil([&] { return !form_->handleAllocated(); }, std::chrono::seconds(10));
        }
        app_.reset();
        if (PlatformIntegration::instance()) PlatformIntegration::install(nullptr);
        manager_.reset();
        std::error_code ignored;
        if (!pagePath_.empty()) std::filesystem::remove(pagePath_, ignored);
    }

    static bool runUntil(const std::function<bool()>& done, std::chrono::seconds limit = std::chrono::seconds(30)) {
        return GtkTestDisplay::runUntil(done, limit);
    }
    static GtkWidget* native(const Window* w) { return GtkSurface::from(w->surface())->window(); }

    BarControl& toolbar() const {
        Bar& bar = *static_cast<Bar*>(form_->BarManager1->bars().items().front());
        return dynamic_cast<BarControl&>(*bar.control());
    }
    ItemControl* control(const BarItem* item) const {
        for (BarItemLink* l : toolbar().itemLinks().visibleLinks())
            if (l->item() == item) return dynamic_cast<ItemControl*>(l->control());
        return nullptr;
    }
    BarSubItemControl& help() const { return dynamic_cast<BarSubItemControl&>(*control(form_->BarSubItem1)); }
    SubMenuControl* helpMenu() const { return dynamic_cast<SubMenuControl*>(help().subMenu()); }
    ItemControl* menuControl(const BarItem* item) const {
        SubMenuControl* menu = helpMenu();
        if (!menu) return nullptr;
        for (BarItemLink* l : menu->itemLinks().visibleLinks())
            if (l->item() == item) return dynamic_cast<ItemControl*>(l->control());
        return nullptr;
    }
    // An item control's rectangle on the screen.
    static Rect onScreen(const ItemControl* c) {
        return c->itemRect().translated(c->parent()->clientToScreen(Point(0, 0)));
    }
    // A point in the page's text field (the top 120 pixels of the page). A click elsewhere in
    // the page would take the page's focus away from the field, as in any browser.
    Point inTheField() const {
        const Rect page = form_->wbMain->clientToScreen(form_->wbMain->clientRect());
        return {(page.left + page.right) / 2, page.top + 60};
    }

    // What the page reports: 0 the field's text, 1 the keys it saw.
    std::string reported(int part) const {
        std::string rest = title_;
        if (part == 1) {
            const auto bar = rest.find('|');
            return bar == std::string::npos ? "" : rest.substr(bar + 1);
        }
        return rest.substr(0, rest.find('|'));
    }

    void click(Point screen) {
        ASSERT_TRUE(
            xdotool("mousemove --sync " + std::to_string(screen.x) + " " + std::to_string(screen.y) + " click 1"));
    }
    void key(const std::string& name) { ASSERT_TRUE(xdotool("key " + name)); }
    // Keys are handled one after another: each one's handling is waited for before the next
    // goes out, as a user's typing is.
    void keyUntil(const std::string& name, const std::function<bool()>& done) {
        key(name);
        ASSERT_TRUE(runUntil(done, std::chrono::seconds(10))) << "after the key " << name;
    }

    std::unique_ptr<TestWindowManager> manager_;
    test::TempRegistryFolder store_;
    std::unique_ptr<Application> app_;
    FrmMain* form_ = nullptr;
    MethodValue formsTitleHandler_, formsProgressHandler_;
    std::string title_;
    bool loaded_ = false;
    std::filesystem::path pagePath_;
};

TEST_F(MainWindowMenuGtkTest, AClickOnHelpOpensTheSubmenuAsARealPopupWindow) {
    click(centre(onScreen(&help())));
    ASSERT_TRUE(runUntil([&] { return helpMenu() && mapped(helpMenu()->window()); }, std::chrono::seconds(10)))
        << "no submenu window was mapped";
    EXPECT_EQ(MenuChain::head(), helpMenu());
    EXPECT_TRUE(toolbar().active());
    Window* menu = helpMenu()->window();
    EXPECT_EQ(GtkSurface::from(menu->surface())->kind(), SurfaceKind::Popup);
    EXPECT_EQ(gtk_window_get_window_type(GTK_WINDOW(native(menu))), GTK_WINDOW_POPUP);
    // Under the Help item, where the window layer has it.
    const Rect bounds = helpMenu()->bounds();
    EXPECT_EQ(bounds.top, onScreen(&help()).bottom) << text(bounds);
    int x = 0, y = 0;
    gdk_window_get_origin(gtk_widget_get_window(native(menu)), &x, &y);
    EXPECT_EQ(Point(x, y), Point(bounds.left, bounds.top));

    // The screen shows it: captions in its items, and its shadow darker than the page beside
    // and below it.
    const Rect homePage = onScreen(menuControl(form_->btnHomePage));
    const Rect about = onScreen(menuControl(form_->btnAbout));
    EXPECT_TRUE(runUntil(
        [&] {
            const Bitmap shot = PlatformIntegration::instance()->screen().grabScreen();
            return darkPixels(shot, homePage) > 20 && darkPixels(shot, about) > 20;
        },
        std::chrono::seconds(10)))
        << "no captions on the screen in " << text(homePage);
    const Bitmap shot = PlatformIntegration::instance()->screen().grabScreen();
    shot.savePNG("main-window-help-menu-gtk.png");
    const int shadow = helpMenu()->shadow().size();
    ASSERT_GT(shadow, 0);
    const Point rightShadow(bounds.right + shadow / 2, (bounds.top + bounds.bottom) / 2);
    const Point bottomShadow((bounds.left + bounds.right) / 2, bounds.bottom + shadow / 2);
    const Point besideShadow(bounds.right + shadow + 4, (bounds.top + bounds.bottom) / 2);
    const Point belowShadow((bounds.left + bounds.right) / 2, bounds.bottom + shadow + 4);
    EXPECT_LT(brightness(shot.pixel(rightShadow.x, rightShadow.y)),
              brightness(shot.pixel(besideShadow.x, besideShadow.y)))
        << std::hex << shot.pixel(rightShadow.x, rightShadow.y) << " beside "
        << shot.pixel(besideShadow.x, besideShadow.y);
    EXPECT_LT(brightness(shot.pixel(bottomShadow.x, bottomShadow.y)),
              brightness(shot.pixel(belowShadow.x, belowShadow.y)))
        << std::hex << shot.pixel(bottomShadow.x, bottomShadow.y) << " below "
        << shot.pixel(belowShadow.x, belowShadow.y);
    for (int part = 0; part < 2; ++part) EXPECT_TRUE(mapped(helpMenu()->shadow().part(part))) << "shadow " << part;
}

// Dark pixels (text) on the screen in a realized GTK window's own area.
int darkPixelsIn(GtkWidget* widget) {
    GdkWindow* w = gtk_widget_get_window(widget);
    if (!w) return 0;
    int x = 0, y = 0;
    gdk_window_get_origin(w, &x, &y);
    GdkPixbuf* shot = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), x, y, gdk_window_get_width(w),
                                                 gdk_window_get_height(w));
    if (!shot) return 0;
    const int channels = gdk_pixbuf_get_n_channels(shot), stride = gdk_pixbuf_get_rowstride(shot);
    const guchar* pixels = gdk_pixbuf_read_pixels(shot);
    int count = 0;
    for (int row = 0; row < gdk_pixbuf_get_height(shot); ++row)
        for (int column = 0; column < gdk_pixbuf_get_width(shot); ++column) {
            const guchar* p = pixels + row * stride + column * channels;
            if (dark((std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2])) ++count;
        }
    g_object_unref(shot);
    return count;
}

// Answers the real message dialog from inside its modal loop: once it is shown with the
// keyboard, its text is on the screen and `ready` holds, notes what the rest of the program
// looks like then and presses Return on the screen's keyboard. A dialog still open after the
// limit is closed through GTK, so that a failing test cannot hang in the modal loop.
class DialogAnswerer {
public:
    DialogAnswerer(std::function<bool()> ready, std::function<void()> whileOpen)
        : ready_(std::move(ready)), whileOpen_(std::move(whileOpen)) {
        started_ = std::chrono::steady_clock::now();
        // Below GTK's redraw priority: looking at the screen must never keep the dialog from
        // painting (a check slower than its interval would otherwise always be due).
        source_ = g_timeout_add_full(G_PRIORITY_LOW, 50, &DialogAnswerer::tick, this, nullptr);
    }
    ~DialogAnswerer() {
        if (source_) g_source_remove(source_);
    }
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    bool seen = false;            // the dialog was shown with the keyboard
    bool readyWhileOpen = false;  // its text was on the screen and `ready` held
    bool returnPressed = false;   // and Return went to it
    bool forced = false;          // it had to be closed through GTK
    std::string title;

private:
    static gboolean tick(gpointer self) { return static_cast<DialogAnswerer*>(self)->step(); }
    gboolean step() {
        GtkWidget* dialog = GtkServices::openDialog();
        const bool late = std::chrono::steady_clock::now() - started_ > std::chrono::seconds(30);
        if (dialog && late) {
            forced = true;
            gtk_dialog_response(GTK_DIALOG(dialog), static_cast<int>(DialogButton::OK));
            source_ = 0;
            return G_SOURCE_REMOVE;
        }
        if (!dialog || returnPressed) return late ? (source_ = 0, G_SOURCE_REMOVE) : G_SOURCE_CONTINUE;
        if (!gtk_widget_get_mapped(dialog) || !gtk_window_is_active(GTK_WINDOW(dialog))) return G_SOURCE_CONTINUE;
        seen = true;
        if (darkPixelsIn(dialog) < 20 || !ready_()) return G_SOURCE_CONTINUE;
        readyWhileOpen = true;
        if (const char* t = gtk_window_get_title(GTK_WINDOW(dialog))) title = t;
        whileOpen_();
        returnPressed = xdotool("key Return");
        return G_SOURCE_CONTINUE;
    }

    std::function<bool()> ready_;
    std::function<void()> whileOpen_;
    std::chrono::steady_clock::time_point started_;
    guint source_ = 0;
};

TEST_F(MainWindowMenuGtkTest, AClickOnAboutOpensTheRealMessageDialogAndTheMenuClosesCleanly) {
    // How Help looks on the screen when it is not selected: inside its rectangle, off its
    // caption and glyph.
    const Point helpCorner(onScreen(&help()).left + 2, onScreen(&help()).top + 2);
    const std::uint32_t helpPlain = GtkTestDisplay::screenPixel(helpCorner.x, helpCorner.y);
    click(centre(onScreen(&help())));
    ASSERT_TRUE(runUntil([&] { return helpMenu() && mapped(helpMenu()->window()); }, std::chrono::seconds(10)));
    // The submenu's native window outlives the window layer's menu here, to be asked whether
    // it is still on the screen.
    GtkWidget* menuWindow = native(helpMenu()->window());
    g_object_ref(menuWindow);
    const Rect about = onScreen(menuControl(form_->btnAbout));

    bool chainActive = true, helpOpen = true, menuMapped = true, captured = true, formEnabled = true;
    ASSERT_TRUE(runUntil([&] { return GtkTestDisplay::screenPixel(helpCorner.x, helpCorner.y) != helpPlain; }))
        << "Help does not show as selected";
    // While the dialog is open, the main window goes on painting: Help no longer shows as
    // selected.
    const auto helpRepainted = [&] { return GtkTestDisplay::screenPixel(helpCorner.x, helpCorner.y) == helpPlain; };
    DialogAnswerer answerer(helpRepainted, [&] {
        chainActive = MenuChain::active();
        helpOpen = help().isOpen();
        menuMapped = gtk_widget_get_mapped(menuWindow);
        captured = WindowSystem::instance().capture() != nullptr;
        formEnabled = form_->isWindowEnabled();
        PlatformIntegration::instance()->screen().grabScreen().savePNG("main-window-about-dialog-gtk.png");
    });
    click(centre(about));
    // The click runs the dialog's modal loop; the answerer ends it with Return.
    EXPECT_TRUE(runUntil([&] { return answerer.seen && !GtkServices::openDialog(); }, std::chrono::seconds(40)))
        << "the dialog " << (answerer.seen ? "did not close" : "did not show");
    EXPECT_EQ(answerer.title, "Information");
    EXPECT_TRUE(answerer.readyWhileOpen) << "the dialog's text did not show, or the toolbar was not repainted under it";
    EXPECT_TRUE(answerer.returnPressed);
    EXPECT_FALSE(answerer.forced) << "Return did not close the dialog";
    // The whole chain was closed before the handler ran: no menu mode, no submenu on the
    // screen, no capture, while the dialog was open; the form was disabled under it.
    EXPECT_FALSE(chainActive);
    EXPECT_FALSE(helpOpen);
    EXPECT_FALSE(menuMapped);
    EXPECT_FALSE(captured);
    EXPECT_FALSE(formEnabled);
    g_object_unref(menuWindow);

    // The main window is usable again: active, and the menu opens and closes.
    EXPECT_TRUE(runUntil([&] { return form_->isWindowEnabled() && WindowSystem::instance().activeWindow() == form_; }));
    EXPECT_TRUE(runUntil([&] { return gtk_window_is_active(GTK_WINDOW(native(form_))) != FALSE; }));
    EXPECT_FALSE(toolbar().active());
    // The chosen item gave the keyboard back to the page, where it was before the menu.
    EXPECT_TRUE(runUntil([&] { return WindowSystem::instance().focus() == form_->wbMain; }, std::chrono::seconds(10)));
    key("y");
    EXPECT_TRUE(runUntil([&] { return reported(0) == "y"; }, std::chrono::seconds(10))) << title_;
    click(centre(onScreen(&help())));
    ASSERT_TRUE(runUntil([&] { return helpMenu() && mapped(helpMenu()->window()); }, std::chrono::seconds(10)));
    EXPECT_EQ(MenuChain::head(), helpMenu());
    // A click into the page's field closes the menu; the click itself reaches the page, and the
    // page has the keyboard.
    click(inTheField());
    EXPECT_TRUE(runUntil([&] { return !MenuChain::active() && !help().isOpen(); }, std::chrono::seconds(10)));
    EXPECT_FALSE(toolbar().active());
    EXPECT_EQ(WindowSystem::instance().capture(), nullptr);
    EXPECT_TRUE(runUntil([&] { return reported(1) == "y press"; }, std::chrono::seconds(10))) << title_;
    key("End x");
    EXPECT_TRUE(runUntil([&] { return reported(0) == "yx"; }, std::chrono::seconds(10))) << title_;
    EXPECT_EQ(reported(1), "y press End x");
}

TEST_F(MainWindowMenuGtkTest, F10AndTheArrowsWorkTheMenuAndAfterEscThePageHasTheKeyboardAgain) {
    // The page has the keyboard to begin with.
    key("a");
    ASSERT_TRUE(runUntil([&] { return reported(0) == "a"; }, std::chrono::seconds(10))) << title_;

    keyUntil("F10", [&] { return toolbar().active(); });
    EXPECT_EQ(toolbar().selectedControl(), control(form_->btnLogin));
    keyUntil("Right", [&] { return toolbar().selectedControl() == control(form_->btnAutoLogin); });
    keyUntil("Right", [&] { return toolbar().selectedControl() == &help(); });
    EXPECT_FALSE(help().isOpen());
    keyUntil("Down", [&] { return helpMenu() && mapped(helpMenu()->window()); });
    EXPECT_EQ(MenuChain::head(), helpMenu());
    EXPECT_EQ(helpMenu()->selectedControl(), menuControl(form_->btnHomePage));
    keyUntil("Down", [&] { return helpMenu()->selectedControl() == menuControl(form_->btnAbout); });
    keyUntil("Up", [&] { return helpMenu()->selectedControl() == menuControl(form_->btnHomePage); });

    // Esc closes the submenu and keeps menu mode on Help; a second Esc ends menu mode.
    GtkWidget* menuWindow = native(helpMenu()->window());
    g_object_ref(menuWindow);
    keyUntil("Escape", [&] { return !help().isOpen(); });
    EXPECT_FALSE(gtk_widget_get_mapped(menuWindow));
    g_object_unref(menuWindow);
    EXPECT_TRUE(toolbar().active());
    EXPECT_EQ(toolbar().selectedControl(), &help());
    EXPECT_EQ(MenuChain::head(), &toolbar());
    keyUntil("Escape", [&] { return !toolbar().active(); });
    EXPECT_FALSE(MenuChain::active());
    EXPECT_EQ(toolbar().selectedControl(), nullptr);

    // The page has the keyboard again. Of the menu's keys it saw only F10's press, which goes
    // on like any key no observer takes: menu mode begins with its release. The keys of menu
    // mode never reached it.
    key("b");
    EXPECT_TRUE(runUntil([&] { return reported(0) == "ab"; }, std::chrono::seconds(10))) << title_;
    EXPECT_EQ(reported(1), "a F10 b");
    EXPECT_EQ(WindowSystem::instance().focus(), form_->wbMain);
}

}  // namespace
}  // namespace lindora
