#include "app/FrmMain.h"

#include <unistd.h>

#include <climits>

#include "app/AppIcon.h"
#include "app/AppTexts.h"
#include "app/ShellOpen.h"
#include "app/StartPageLocation.h"
#include "app/WebBrowser.h"
#include "bars/controls/BarControls.h"
#include "bars/items/BarProgressItem.h"
#include "bars/model/BarButton.h"
#include "bars/model/BarFramework.h"
#include "bars/model/BarManager.h"
#include "bars/model/BarSubItem.h"
#include "base/ClassBuilder.h"
#include "base/ClassRegistry.h"
#include "base/Utf8.h"
#include "gfx/PersistentGraphics.h"
#include "settings/PFormSettings.h"
#include "settings/SettingsClasses.h"
#include "ui/Application.h"
#include "ui/WindowSystem.h"

namespace lindora {

namespace {

// Generated from FrmMain.form at configure time.
constexpr const char* FormText =
#include "FrmMain.form.inc"
    ;

}  // namespace

const ClassInfo& FrmMain::classInfo() {
    static const ClassInfo info = ClassBuilder<FrmMain>("FrmMain", Form::classInfo())
                                      .method("FormCreate", &FrmMain::FormCreate)
                                      .method("btnLoginClick", &FrmMain::btnLoginClick)
                                      .method("btnHomePageClick", &FrmMain::btnHomePageClick)
                                      .method("btnAboutClick", &FrmMain::btnAboutClick)
                                      .method("btnExitClick", &FrmMain::btnExitClick)
                                      .method("wbMainProgressChange", &FrmMain::wbMainProgressChange)
                                      .method("wbMainTitleChange", &FrmMain::wbMainTitleChange)
                                      .method("FormSettingsAutoRestore", &FrmMain::FormSettingsAutoRestore);
    return info;
}

void registerAppClasses() {
    // The toolbar framework registers its item classes before any form is read.
    BarFramework::startUp();
    // Bars show in toolbar windows docked in the form's dock sites.
    if (!dynamic_cast<BarControls*>(BarControlsIntegration::instance())) BarControls::install();
    registerSettingsClasses();
    registerClass(FrmMain::classInfo());
    registerClass(WebBrowser::classInfo());
}

std::string runningExecutableName() {
    std::string buffer(PATH_MAX, '\0');
    const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= buffer.size()) return {};
    buffer.resize(static_cast<std::size_t>(n));
    return buffer;
}

const std::string& FrmMain::description() {
    static const std::string text = FormText;
    return text;
}

FrmMain::FrmMain(Component* owner) : Form(owner) {}

FrmMain::~FrmMain() = default;

FrmMain* FrmMain::create(Application& app, std::string executableName) {
    registerAppClasses();
    auto* form = new FrmMain(&app);
    form->setIcon(applicationIcon());
    form->setExecutableName(executableName.empty() ? runningExecutableName() : std::move(executableName));
    try {
        form->loadFromDescription(description());
    } catch (...) {
        delete form;
        throw;
    }
    return form;
}

template <class T>
void FrmMain::bind(T*& field, const char* name, bool required) {
    Component* c = findComponent(name);
    field = dynamic_cast<T*>(c);
    if (c && !field)
        throw Exception(std::string("The component ") + name + " of " + this->name() + " is a " + c->className() +
                        ", not a " + T::classInfo().name());
    if (required && !field) throw Exception(std::string("The form ") + this->name() + " has no component " + name);
}

void FrmMain::bindComponents() {
    bind(wbMain, "wbMain", true);
    bind(FormSettings, "FormSettings", false);
    bind(BarManager1, "BarManager1", false);
    bind(btnLogin, "btnLogin", false);
    bind(btnAutoLogin, "btnAutoLogin", false);
    bind(BarSubItem1, "BarSubItem1", false);
    bind(btnHomePage, "btnHomePage", false);
    bind(btnAbout, "btnAbout", false);
    bind(btnExit, "btnExit", false);
    bind(briMain, "briMain", false);
    bind(imgMenu, "imgMenu", false);
}

void FrmMain::loaded() {
    Form::loaded();
    bindComponents();
}

void FrmMain::notification(Component* component, Operation operation) {
    Form::notification(component, operation);
    if (operation != opRemove) return;
    auto clear = [component](auto*& field) {
        if (static_cast<Component*>(field) == component) field = nullptr;
    };
    clear(wbMain);
    clear(FormSettings);
    clear(BarManager1);
    clear(btnLogin);
    clear(btnAutoLogin);
    clear(BarSubItem1);
    clear(btnHomePage);
    clear(btnAbout);
    clear(btnExit);
    clear(briMain);
    clear(imgMenu);
}

WebBrowser& FrmMain::browser() const {
    if (!wbMain) throw Exception("The form " + name() + " has no browser");
    return *wbMain;
}

void FrmMain::realignControls() {
    if (wbMain) wbMain->realign();
}

void FrmMain::wndProc(Message& m) {
    Form::wndProc(m);
    switch (m.msg) {
    case WM_SIZE: realignControls(); break;
    case WM_ACTIVATE:
        // The browser is the only control that takes the keyboard: it gets it with the window.
        if (loWord(m.wParam) != WA_INACTIVE && wbMain && wbMain->handleAllocated() && handleAllocated()) {
            WindowSystem& ws = WindowSystem::instance();
            Window* focus = ws.focus();
            if (!focus || focus == this) ws.setFocus(wbMain);
        }
        break;
    default: break;
    }
}

// ---- handlers

void FrmMain::FormCreate(Persistent*) {
    setCaption(app::MainCaption);
    // The path goes to the browser unchanged, as a plain file path.
    browser().navigate(utf8ToUtf16(startPagePath(executableName_), BadText::Replace));
    if (btnAutoLogin && btnAutoLogin->down() && btnLogin) btnLogin->click();
}

void FrmMain::btnLoginClick(Persistent*) { browser().navigate(utf8ToUtf16(app::ServiceStartUrl, BadText::Replace)); }

void FrmMain::btnHomePageClick(Persistent*) { ShellOpen(app::MakerHomePageUrl, ""); }

void FrmMain::btnAboutClick(Persistent*) {
    if (Application* a = Application::current())
        a->messageBox(app::AboutText, dialogTitle(DialogKind::Information), DialogKind::Information);
    else showMessageDialog(app::AboutText, DialogKind::Information);
}

void FrmMain::btnExitClick(Persistent*) { close(); }

// Max first, so that Position is clamped into the new range; the end of a download (-1, or a
// ProgressMax of 0) leaves the item at its clamped position.
void FrmMain::wbMainProgressChange(Persistent*, int progress, int progressMax) {
    if (!briMain) return;
    briMain->setMax(progressMax);
    briMain->setPosition(progress);
}

// Fixes the key the settings live under before they are read. The form's loaded notice, which
// binds FormSettings, comes before its components'.
void FrmMain::FormSettingsAutoRestore(Persistent*, bool&) {
    if (!FormSettings) return;
    FormSettings->setCompanyName(app::CompanyName);
    FormSettings->setSoftwareName(app::SoftwareName);
    FormSettings->setSoftwareVersion(app::SoftwareVersion);
}

// The caption stays "Lindora 1.0" whatever page is shown.
void FrmMain::wbMainTitleChange(Persistent*, const std::u16string&) {}

}  // namespace lindora
