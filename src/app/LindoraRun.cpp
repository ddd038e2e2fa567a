#include "app/LindoraRun.h"

#include <memory>

#include "app/AppIcon.h"
#include "app/AppTexts.h"
#include "app/CommandLine.h"
#include "app/FrmMain.h"
#include "app/ScreenCapture.h"
#include "app/StartPageLocation.h"
#include "app/StartupPreparation.h"
#include "app/WebBrowser.h"
#include "base/Utf8.h"
#include "platform/PlatformSelection.h"
#include "platform/browser/BrowserEngine.h"
#include "platform/browser/BrowserEngineFactory.h"
#include "platform/offscreen/OffscreenPlatform.h"
#include "ui/Application.h"
#include "ui/WindowSystem.h"

#ifdef LINDORA_HAVE_GTK
#include "platform_gtk/GtkPlatform.h"
#endif

#ifndef LINDORA_VERSION
#define LINDORA_VERSION "1.0"
#endif

namespace lindora {

namespace {

// Takes the screenshot of --screenshot once the start page has loaded and a moment has passed
// for it to be painted, then closes the main window. A page that never finishes loading ends
// the run after a bounded wait, with the screenshot of whatever is shown.
class StartPageScreenshot {
public:
    StartPageScreenshot(FrmMain& form, std::string path) : form_(form), path_(std::move(path)) {
        WebBrowser* browser = form.wbMain;
        // Runs after the form's own handler, which stays bound.
        previous_ = browser->OnProgressChange.value();
        const MethodValue previous = previous_;
        browser->OnProgressChange.bind(
            [this, previous](Persistent* sender, int progress, int progressMax) {
                if (previous.assigned())
                    std::any_cast<std::function<void(Persistent*, int, int)>>(previous.function)(sender, progress,
                                                                                                 progressMax);
                if (progress == BrowserEngine::ProgressDone) pageLoaded();
            },
            previous.target, previous.name);
        WindowSystem::instance().setTimer(nullptr, GiveUpTimer, GiveUpMs, [this](unsigned) {
            error_ = "The start page did not finish loading within " + std::to_string(GiveUpMs / 1000) + " seconds";
            take();
        });
    }
    ~StartPageScreenshot() {
        if (form_.wbMain) form_.wbMain->OnProgressChange.setValue(previous_);
        WindowSystem& ws = WindowSystem::instance();
        ws.killTimer(nullptr, GiveUpTimer);
        ws.killTimer(nullptr, PaintTimer);
    }

    const std::string& error() const { return error_; }

private:
    static constexpr unsigned GiveUpTimer = 0x5C01;
    static constexpr unsigned PaintTimer = 0x5C02;
    static constexpr int GiveUpMs = 60000;
    static constexpr int PaintMs = 700;

    void pageLoaded() {
        if (loaded_) return;
        loaded_ = true;
        WindowSystem::instance().setTimer(nullptr, PaintTimer, PaintMs, [this](unsigned) { take(); });
    }
    void take() {
        if (taken_) return;
        taken_ = true;
        WindowSystem& ws = WindowSystem::instance();
        ws.killTimer(nullptr, GiveUpTimer);
        ws.killTimer(nullptr, PaintTimer);
        try {
            captureScreen(path_);
        } catch (const std::exception& e) {
            error_ = e.what();
        }
        form_.close();
    }

    FrmMain& form_;
    std::string path_;
    MethodValue previous_;
    std::string error_;
    bool loaded_ = false;
    bool taken_ = false;
};

}  // namespace

void registerLindoraPlatforms() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    registerOffscreenPlatform();
#ifdef LINDORA_HAVE_GTK
    registerGtkPlatform();
#endif
}

int runLindora(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    registerLindoraPlatforms();
    CommandLine cl;
    try {
        cl = parseCommandLine(args);
    } catch (const CommandLineError& e) {
        err << "lindora: " << e.message() << "\n";
        return 2;
    }
    switch (cl.action) {
    case CommandLine::Action::Help: out << usageText(); return 0;
    case CommandLine::Action::Version: out << "Lindora " << LINDORA_VERSION << "\n"; return 0;
    case CommandLine::Action::Run: break;
    }

    // Overlaps the toolkit's start.
    StartupPreparation preparation;
    try {
        installPlatform(cl.platform);
    } catch (const std::exception& e) {
        err << "lindora: " << e.what() << "\n";
        return 1;
    }
    std::string screenshotError;
    int status = 0;
    try {
        // The main window opens on the start page: its engine starts loading it now, so that
        // the engine's processes start while the window is built.
        prepareBrowserEngine(utf8ToUtf16(startPagePath(runningExecutableName()), BadText::Replace));
        preparation.finish();
        Application application;
        application.initialize();
        application.setTitle(app::ApplicationTitle);
        application.setIcon(applicationIcon());
        FrmMain* form = FrmMain::create(application);
        std::unique_ptr<StartPageScreenshot> shot;
        // A scripted backend takes it as its script's last step; otherwise the page's load does.
        const std::string& screenshot = cl.platform.screenshot;
        if (!screenshot.empty() && !installedPlatformTakesScreenshot())
            shot = std::make_unique<StartPageScreenshot>(*form, screenshot);
        application.run();
        if (shot) screenshotError = shot->error();
        shot.reset();
        // The main window and its components go with the application object.
    } catch (const std::exception& e) {
        err << "lindora: " << e.what() << "\n";
        status = 1;
    }
    discardPreparedBrowserEngine();
    try {
        finishPlatform(cl.platform);
    } catch (const std::exception& e) {
        err << "lindora: " << e.what() << "\n";
        status = 1;
    }
    if (!screenshotError.empty()) {
        err << "lindora: " << screenshotError << "\n";
        status = 1;
    }
    return status;
}

}  // namespace lindora
