// frmMain on the offscreen backend: start-up, the four commands and the two browser events.
#include <filesystem>
#include <fstream>

#include "AppTestSupport.h"
#include "app/AppIcon.h"
#include "app/AppTexts.h"
#include "bars/items/BarProgressItem.h"
#include "bars/model/Bar.h"
#include "bars/model/BarManager.h"
#include "bars/model/BarWindows.h"
#include "bars/model/DockControl.h"
#include "base/ClassInfo.h"
#include "base/FormDescription.h"
#include "platform/browser/BrowserUri.h"
#include "ui/WindowSystem.h"

namespace lindora::test {
namespace {

std::string localPathOf(const std::string& uri) { return localPathFromFileUri(uri); }

TEST_F(MainWindowTest, StartUpCaptionsTheWindowAndNavigatesToTheStartPageBesideTheExecutable) {
    struct Case {
        const char* executable;
        const char* startPage;
    };
    const Case cases[] = {
        {"/opt/lindora/lindora", "/opt/lindora/index.htm"},
        {"/home/anna/My Programs/Lindora 1.0/lindora", "/home/anna/My Programs/Lindora 1.0/index.htm"},
        {"/home/jürgen/Überall ça/日本/lindora", "/home/jürgen/Überall ça/日本/index.htm"},
        {"/lindora", "/index.htm"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.executable);
        FrmMain& form = createMain(c.executable);
        EXPECT_EQ(form.caption(), "Lindora 1.0");
        EXPECT_EQ(form.name(), "frmMain");
        ASSERT_NE(form.wbMain, nullptr);
        ASSERT_EQ(engine().navigations().size(), 1u);
        EXPECT_EQ(localPathOf(engine().navigations()[0]), c.startPage);
        delete form_;
        form_ = nullptr;
    }
}

TEST_F(MainWindowTest, TheWindowIsShownCentredWithItsDesignSizeAndTheBrowserFillsTheClientArea) {
    FrmMain& form = createMain();
    EXPECT_TRUE(form.isWindowVisible());
    EXPECT_EQ(app().mainForm(), &form);
    const Rect b = form.bounds();
    EXPECT_EQ(b.width(), 805);
    EXPECT_EQ(b.height(), 626);
    // The offscreen screen is 1280 x 1024.
    EXPECT_EQ(b.left, (1280 - 805) / 2);
    EXPECT_EQ(b.top, (1024 - 626) / 2);
    // The browser fills what the toolbar's top dock leaves of the client area; the dock is as
    // tall as the docked toolbar window.
    WebBrowser& browser = *form.wbMain;
    DockControl& top = *form.BarManager1->bars().dockControl(dsTop);
    BarWindow* toolbar = form.BarManager1->bars().items().empty()
                             ? nullptr
                             : static_cast<Bar*>(form.BarManager1->bars().items().front())->control();
    ASSERT_NE(toolbar, nullptr);
    const Rect toolbarBounds = dynamic_cast<Window&>(*toolbar).bounds();
    EXPECT_EQ(top.bounds().height(), toolbarBounds.bottom);
    EXPECT_GT(toolbarBounds.height(), 20);
    auto belowDock = [&form, &top] {
        return Rect(0, top.bounds().height(), form.clientRect().width(), form.clientRect().height());
    };
    EXPECT_EQ(browser.bounds(), belowDock());
    EXPECT_TRUE(engine().visible());
    EXPECT_EQ(engine().geometry().size(), belowDock().size());

    // It follows every resize of the window.
    form.setBoundsTo(b.left, b.top, 1000, 700);
    EXPECT_EQ(browser.bounds(), belowDock());
    EXPECT_EQ(engine().geometry().size(), belowDock().size());
}

// A full-width child along the top (the toolbar's dock site) takes its share first.
TEST_F(MainWindowTest, TheWindowShowsTheApplicationIconInSixSizes) {
    FrmMain& form = createMain();
    auto* surface = dynamic_cast<OffscreenSurface*>(form.surface());
    ASSERT_NE(surface, nullptr);
    std::vector<int> sides;
    for (const Bitmap& image : surface->icon()) {
        EXPECT_EQ(image.width(), image.height());
        // Artwork, not an empty square: opaque in the middle, transparent in a corner.
        EXPECT_EQ(image.pixel(image.width() / 2, image.height() / 2) >> 24, 0xFFu);
        EXPECT_EQ(image.pixel(0, 0) >> 24, 0u);
        sides.push_back(image.width());
    }
    EXPECT_EQ(sides, (std::vector<int>{16, 24, 32, 48, 64, 256}));
    // The very images decoded once: handing the icon to the application, the window and the
    // desktop copies no pixels.
    EXPECT_TRUE(surface->icon().sharesImagesWith(applicationIcon()));
    EXPECT_TRUE(form.icon().sharesImagesWith(applicationIcon()));
}

TEST_F(MainWindowTest, TheBrowserTakesTheClientAreaLeftBelowADockAlongTheTop) {
    FrmMain& form = createMain();
    Window topDock;
    CreateParams p;
    p.style = WS_CHILD | WS_VISIBLE;
    p.bounds = Rect::fromSize(0, 0, form.clientRect().width(), 26);
    p.parent = &form;
    topDock.create(p);
    form.realignControls();
    EXPECT_EQ(form.wbMain->bounds(), Rect(0, 26, form.clientRect().width(), form.clientRect().height()));

    form.setBoundsTo(form.left(), form.top(), 900, 650);
    topDock.setBounds(Rect::fromSize(0, 0, form.clientRect().width(), 26));
    form.realignControls();
    EXPECT_EQ(form.wbMain->bounds(), Rect(0, 26, form.clientRect().width(), form.clientRect().height()));
}

TEST_F(MainWindowTest, LoginNavigatesTheBrowserToTheServiceStartPage) {
    FrmMain& form = createMain();
    form.btnLoginClick(nullptr);
    ASSERT_EQ(engine().navigations().size(), 2u);
    EXPECT_EQ(engine().navigations()[1], "https://convert.quintvel.com/?from=GUI");
    EXPECT_EQ(engine().currentUri(), app::ServiceStartUrl);
}

TEST_F(MainWindowTest, AboutShowsTheInformationDialogWithTheVersionAndTheMaker) {
    FrmMain& form = createMain();
    form.btnAboutClick(nullptr);
    ASSERT_EQ(platform().input().dialogs().size(), 1u);
    const DialogRequest& d = platform().input().dialogs()[0];
    EXPECT_EQ(d.kind, DialogKind::Information);
    EXPECT_EQ(d.title, "Information");
    EXPECT_EQ(d.text.rfind("Lindora 1.0", 0), 0u) << d.text;
    EXPECT_NE(d.text.find("Quintvel"), std::string::npos) << d.text;
    EXPECT_EQ(d.buttons, std::vector<DialogButton>{DialogButton::OK});
    EXPECT_TRUE(form.isWindowVisible());
}

// Runs a command from the message loop, as a click does, so that its exception meets the
// application's report.
class CommandWindow : public Window {
public:
    std::function<void()> command;

protected:
    void wndProc(Message& m) override {
        if (m.msg == WM_USER && command) {
            command();
            return;
        }
        Window::wndProc(m);
    }
};

TEST_F(MainWindowTest, HomePageOpensTheMakersPageWithTheOpenVerb) {
    FrmMain& form = createMain();
    form.btnHomePageClick(nullptr);
    EXPECT_EQ(platform().record().matching("open ").back(), "open \"open\" \"https://www.quintvel.com/\" \"\" -> 42");
    EXPECT_TRUE(platform().input().dialogs().empty());
}

TEST_F(MainWindowTest, HomePageWithAFailingOpenShowsTheSystemsTextAndTheCommandEndsSilently) {
    FrmMain& form = createMain();
    // 31: no application is associated with the address.
    platform().input().setShellOpenResult(31);
    const std::string systemText = platform().services().systemErrorText(31);
    ASSERT_FALSE(systemText.empty());

    EXPECT_THROW(form.btnHomePageClick(nullptr), SilentAbort);
    ASSERT_EQ(platform().input().dialogs().size(), 1u);
    EXPECT_EQ(platform().input().dialogs()[0].kind, DialogKind::Error);
    EXPECT_EQ(platform().input().dialogs()[0].title, "Error");
    EXPECT_EQ(platform().input().dialogs()[0].text, systemText);
    EXPECT_EQ(platform().input().dialogs()[0].buttons, std::vector<DialogButton>{DialogButton::OK});

    // From the message loop: the abort reaches the application's report, which shows nothing.
    CommandWindow runner;
    runner.create({"", WS_POPUP, 0, CS_DBLCLKS, Rect{}, nullptr});
    runner.command = [&] { form.btnHomePageClick(nullptr); };
    runner.post(WM_USER);
    app().processMessages();
    EXPECT_EQ(platform().input().dialogs().size(), 2u);
    EXPECT_EQ(platform().input().dialogs()[1].text, systemText);
    EXPECT_FALSE(app().terminated());
    EXPECT_TRUE(form.isWindowVisible());
    EXPECT_EQ(engine().navigations().size(), 1u);
}

TEST_F(MainWindowTest, ExitClosesTheWindowAndEndsTheApplication) {
    FrmMain& form = createMain();
    bool closeAsked = false;
    form.OnCloseQuery.bind([&](Persistent*, bool& canClose) { closeAsked = canClose = true; });
    form.btnExitClick(nullptr);
    EXPECT_TRUE(closeAsked);
    app().processMessages();
    EXPECT_TRUE(app().terminated());
}

TEST_F(MainWindowTest, ExitRefusedByTheCloseQueryLeavesTheWindowOpen) {
    FrmMain& form = createMain();
    form.OnCloseQuery.bind([&](Persistent*, bool& canClose) { canClose = false; });
    form.btnExitClick(nullptr);
    app().processMessages();
    EXPECT_FALSE(app().terminated());
    EXPECT_TRUE(form.isWindowVisible());
}

TEST_F(MainWindowTest, ProgressEventsSetMaxBeforePositionOnTheToolbarsProgressItem) {
    FrmMain& form = createMain();
    ASSERT_NE(form.briMain, nullptr);
    BarProgressItem& item = *form.briMain;
    EXPECT_EQ(item.max(), 100);
    struct Step {
        int progress, progressMax;
        int min, max, position;
    };
    // In order; the first shows Max is set first (Position first would stop at 100).
    const Step steps[] = {
        {5000, 10000, 0, 10000, 5000},
        {2500, 10000, 0, 10000, 2500},
        {-1, 0, 0, 0, 0},  // end of a download: an empty bar
        {0, 10000, 0, 10000, 0},
        {-1, 10000, 0, 10000, 0},
        {-5, -7, -7, -7, -7},  // whatever the browser reports, the range stays ordered
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(std::to_string(s.progress) + " of " + std::to_string(s.progressMax));
        engine().reportProgress(s.progress, s.progressMax);
        EXPECT_EQ(item.min(), s.min);
        EXPECT_EQ(item.max(), s.max);
        EXPECT_EQ(item.position(), s.position);
    }
}

TEST_F(MainWindowTest, TheTitleEventChangesNothingTheCaptionStays) {
    const auto dir = std::filesystem::temp_directory_path() / "lindora-app-title";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "index.htm") << "<html><head><title>A page of its own</title></head><body></body></html>";
    FrmMain& form = createMain((dir / "lindora").string());
    bool titleArrived = false;
    // Observe the event beside the form's own handler.
    auto handler = form.wbMain->OnTitleChange.value();
    form.wbMain->OnTitleChange.bind([&](Persistent* sender, const std::u16string& text) {
        titleArrived = text == u"A page of its own";
        std::any_cast<std::function<void(Persistent*, const std::u16string&)>>(handler.function)(sender, text);
    });
    engine().completeLoad();
    EXPECT_TRUE(titleArrived);
    EXPECT_EQ(form.caption(), "Lindora 1.0");
    EXPECT_EQ(form.text(), "Lindora 1.0");
    EXPECT_EQ(app().title(), "Lindora");
    std::filesystem::remove_all(dir);
}

TEST_F(MainWindowTest, TheMethodTableCarriesEveryHandlerWithItsEventsParameters) {
    using Notify = Event<Persistent*>;
    const std::pair<const char*, std::type_index> handlers[] = {
        {"FormCreate", Notify::signature()},
        {"btnLoginClick", Notify::signature()},
        {"btnHomePageClick", Notify::signature()},
        {"btnAboutClick", Notify::signature()},
        {"btnExitClick", Notify::signature()},
        {"wbMainProgressChange", decltype(WebBrowser::OnProgressChange)::signature()},
        {"wbMainTitleChange", decltype(WebBrowser::OnTitleChange)::signature()},
    };
    for (const auto& [name, signature] : handlers) {
        SCOPED_TRACE(name);
        const MethodInfo* m = FrmMain::classInfo().findMethod(name);
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(m->signature, signature);
    }
}

TEST_F(MainWindowTest, TheDescriptionBindsTheBrowserEventsAndTheCreationHandler) {
    FrmMain& form = createMain();
    EXPECT_EQ(form.OnCreate.methodName(), "FormCreate");
    EXPECT_EQ(form.wbMain->OnProgressChange.methodName(), "wbMainProgressChange");
    EXPECT_EQ(form.wbMain->OnTitleChange.methodName(), "wbMainTitleChange");
    EXPECT_EQ(form.wbMain->OnProgressChange.target(), &form);
    EXPECT_EQ(form.wbMain->align(), alClient);
    EXPECT_EQ(form.wbMain->tabOrder(), 0);
    // Asks to be centred; the settings component takes that over (the window then reports the
    // default-position-only mode).
    EXPECT_NE(FrmMain::description().find("  Position = poScreenCenter\n"), std::string::npos);
    EXPECT_EQ(form.color(), clBtnFace);
    EXPECT_EQ(form.font().name(), "MS Sans Serif");
    EXPECT_EQ(form.font().height(), -11);
    EXPECT_EQ(form.font().color(), clWindowText);
    EXPECT_EQ(form.font().style(), fsNone);
    // Written back, colours keep their names.
    const std::string written = writeFormDescription(form);
    EXPECT_NE(written.find("\n  Color = clBtnFace\n  Font.Color = clWindowText\n  Font.Height = -11\n"
                           "  Font.Name = 'MS Sans Serif'\n"),
              std::string::npos)
        << written.substr(0, 400);
}

TEST_F(MainWindowTest, TheBrowserHasTheKeyboardOnceTheWindowIsActive) {
    FrmMain& form = createMain();
    WindowSystem::instance().setActiveWindow(&form);
    app().processMessages();
    EXPECT_EQ(WindowSystem::instance().focus(), form.wbMain);
    EXPECT_TRUE(engine().hasFocus());
}

TEST_F(MainWindowTest, ABrowserErrorInACommandPropagatesToTheCaller) {
    FrmMain& form = createMain();
    EXPECT_THROW(form.wbMain->navigate(u""), Exception);
    // An unpaired surrogate names no file and no address.
    const char16_t broken[] = {u'a', 0xD800, 0};
    EXPECT_THROW(form.wbMain->navigate(broken), Exception);
    EXPECT_EQ(engine().navigations().size(), 1u);
}

TEST_F(MainWindowTest, FreeingTheBrowserClearsTheFormsReference) {
    FrmMain& form = createMain();
    delete form.wbMain;
    EXPECT_EQ(form.wbMain, nullptr);
    form.realignControls();
    form.setBoundsTo(10, 10, 500, 400);
}

}  // namespace
}  // namespace lindora::test
