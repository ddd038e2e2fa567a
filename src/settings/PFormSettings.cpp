#include "settings/PFormSettings.h"

#include <algorithm>
#include <filesystem>
#include <iostream>

#include "base/ClassBuilder.h"
#include "base/Filer.h"
#include "settings/FormPlacement.h"
#include "settings/PAppSettings.h"
#include "settings/PRegistry.h"
#include "settings/PSetting.h"
#include "settings/SettingKeyPath.h"
#include "settings/SettingStorage.h"
#include "settings/SettingsExceptions.h"
#include "store/RegistryBatch.h"
#include "ui/FormAccess.h"
#include "ui/Messages.h"
#include "ui/Screen.h"
#include "ui/Window.h"
#include "ui/WindowSystem.h"

namespace lindora {

namespace {

bool g_mainWindowSaved = false;

const char* const kRunOnceKey = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

std::string executablePath() {
    std::error_code ec;
    auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : path.string();
}

int stateCode(ShowState state) {
    switch (state) {
    case ShowState::Minimized: return 1;
    case ShowState::Maximized: return 2;
    default: return 0;
    }
}

}  // namespace

// The hook outlives neither the component nor the window: once the component goes, the
// procedure it installed only passes messages on.
struct PFormSettings::Hook {
    PFormSettings* owner = nullptr;
    Window* window = nullptr;
    Window::WindowProc previous;
    bool installed = false;
};

const EnumInfo& enumInfoOf(PSaveLocationType) {
    static const EnumInfo info("TPSaveLocationType", {"pslRegistry", "pslStream", "pslStorage", "pslUser"});
    return info;
}

const EnumInfo& enumInfoOf(PFormSaveOpts) {
    static const EnumInfo info("TPFormSaveOpts", {"pfsLeft", "pfsTop", "pfsWidth", "pfsHeight", "pfsState"});
    return info;
}

const ClassInfo& PFormSettings::classInfo() {
    static const ClassInfo info =
        ClassBuilder<PFormSettings>("PFormSettings", PSettings::classInfo())
            .property("SaveLocation", &PFormSettings::saveLocation, &PFormSettings::setSaveLocation)
            .defaultValue(pslRegistry)
            .property("FormSaveOpt", &PFormSettings::formSaveOpt, &PFormSettings::setFormSaveOpt)
            .defaultValue(AllFormSaveOpts)
            .property(
                "MRUMenuItem", [](const PFormSettings& s) { return s.recentFiles().menuItem(); },
                [](PFormSettings& s, Component* item) { s.recentFiles().setMenuItem(item); })
            .stored([](const PFormSettings& s) { return s.recentFiles().menuItem() != nullptr; })
            .property(
                "MRULength", [](const PFormSettings& s) { return s.recentFiles().length(); },
                [](PFormSettings& s, int v) { s.recentFiles().setLength(v); })
            .defaultValue(4)
            .property(
                "MRUDisplay", [](const PFormSettings& s) { return s.recentFiles().display(); },
                [](PFormSettings& s, PMRUDisplayType v) { s.recentFiles().setDisplay(v); })
            .defaultValue(pmdFullPath)
            .property(
                "MRUMaxItemWidth", [](const PFormSettings& s) { return s.recentFiles().maxItemWidth(); },
                [](PFormSettings& s, int v) { s.recentFiles().setMaxItemWidth(v); })
            .defaultValue(200)
            .property(
                "MRUPlacement", [](const PFormSettings& s) { return s.recentFiles().placement(); },
                [](PFormSettings& s, PMRUPlacement v) { s.recentFiles().setPlacement(v); })
            .defaultValue(pmpDescending)
            .property(
                "MRUValidate", [](const PFormSettings& s) { return s.recentFiles().validate(); },
                [](PFormSettings& s, bool v) { s.recentFiles().setValidate(v); })
            .defaultValue(true)
            .property("MRUCount", [](const PFormSettings& s) { return s.recentFiles().count(); })
            .stored(false)
            .property("AutoRestartApp", &PFormSettings::autoRestartApp, &PFormSettings::setAutoRestartApp)
            .defaultValue(false)
            .property("AddToRecentDocs", &PFormSettings::addToRecentDocs, &PFormSettings::setAddToRecentDocs)
            .defaultValue(true)
            .property("AppSettingsCtrl", &PFormSettings::appSettingsCtrl, &PFormSettings::setAppSettingsCtrl)
            .stored([](const PFormSettings& s) { return s.appSettingsCtrl() != nullptr; })
            .event("OnSetFormKeyName", &PFormSettings::OnSetFormKeyName)
            .event("OnMRUClick", &PFormSettings::OnMRUClick);
    return info;
}

PFormSettings::PFormSettings(Component* owner)
    : PSettings(owner), form_(formAccessOf(owner)), recent_(std::make_unique<RecentFilesMenu>(*this)) {
    if (!form_) throw EPFormSettingsException("Parent must be a TCustomForm descendent");

    recent_->measureText = [this](const std::string& text) { return form_->textWidth(text); };
    recent_->designing = [this] { return isDesigning(); };
    recent_->onClick = [this](Component& entry, const std::string& file, int index) {
        OnMRUClick(this, &entry, file, index);
    };

    switch (form_->borderKind()) {
    case FormBorderKind::None:
        formSaveOpt_ = {};
        recent_->setLength(0);
        break;
    case FormBorderKind::Fixed:
        formSaveOpt_ = {pfsLeft, pfsTop};
        recent_->setLength(0);
        break;
    case FormBorderKind::Sizeable:
        if (!form_->hasMinimizeOrMaximizeIcon()) formSaveOpt_.exclude(pfsState);
        break;
    }
    if (form_->isMdiChild()) saveLocation_ = pslStream;
    if (!isDesigning() && form_->positionIsScreenCenter()) {
        form_->setPositionDefaultPosOnly();
        centreOnRestore_ = true;
    }

    if (!isDesigning()) {
        if (Window* window = form_->formWindow()) {
            hook_ = std::make_shared<Hook>();
            hook_->owner = this;
            hook_->window = window;
            hook_->previous = window->setWindowProc([hook = hook_](Message& m) {
                if (hook->owner) hook->owner->handleMessage(m);
                else if (hook->previous) hook->previous(m);
            });
            hook_->installed = true;
        }
    }
}

PFormSettings::~PFormSettings() {
    if (appSettingsCtrl_ && PAppSettings::isAlive(appSettingsCtrl_)) appSettingsCtrl_->unlink(*this);
    appSettingsCtrl_ = nullptr;
    if (hook_) {
        // Later hooks may chain to ours, so it stays in place and only passes messages on.
        hook_->owner = nullptr;
        hook_.reset();
    }
    recent_.reset();
}

bool PFormSettings::mainWindowSaved() { return g_mainWindowSaved; }

void PFormSettings::setAppSettingsCtrl(PAppSettings* appSettings) {
    if (appSettings == appSettingsCtrl_) return;
    if (appSettingsCtrl_) {
        if (PAppSettings::isAlive(appSettingsCtrl_)) appSettingsCtrl_->unlink(*this);
        removeFreeNotification(appSettingsCtrl_);
    }
    appSettingsCtrl_ = appSettings;
    if (!appSettingsCtrl_) return;
    freeNotification(appSettingsCtrl_);
    storeCompanyName(appSettingsCtrl_->companyName());
    storeSoftwareName(appSettingsCtrl_->softwareName());
    storeSoftwareVersion(appSettingsCtrl_->softwareVersion());
    if (appSettingsCtrl_->link(*this)) appSettingsCtrl_->pullValuesInto(*this);
}

void PFormSettings::notification(Component* component, Operation operation) {
    PSettings::notification(component, operation);
    if (operation != opRemove || !component) return;
    auto& list = settingList();
    list.erase(std::remove(list.begin(), list.end(), component), list.end());
    // A freed application settings component is never used again, whatever the stage of the
    // shutdown: a stale link would be followed at the next save.
    if (component == appSettingsCtrl_) appSettingsCtrl_ = nullptr;
    if (recent_) recent_->forget(component);
}

PSetting* PFormSettings::addSetting(const std::string& boundProperty, const std::string& name) {
    auto* s = new PSetting(owner());
    s->setBoundProperty(boundProperty);
    s->setSettingName(name);
    settingList().push_back(s);
    return s;
}

std::string PFormSettings::getKeyPath() {
    std::string formKeyName = owner() ? owner()->name() : std::string();
    OnSetFormKeyName(this, formKeyName);
    return keyPathWithLeaf(formKeyName);
}

// ---- placement

std::vector<std::unique_ptr<PSetting>> PFormSettings::buildPlacementSettings() const {
    std::vector<std::unique_ptr<PSetting>> list;
    auto add = [&list](const char* name) -> PSetting& {
        list.push_back(std::make_unique<PSetting>(nullptr));
        list.back()->setSettingName(name);
        return *list.back();
    };
    if (formSaveOpt_.contains(pfsLeft)) add("Left").setAsInteger(-1);
    if (formSaveOpt_.contains(pfsTop)) add("Top").setAsInteger(-1);
    if (formSaveOpt_.contains(pfsWidth)) add("Width").setAsInteger(-1);
    if (formSaveOpt_.contains(pfsHeight)) add("Height").setAsInteger(-1);
    if (formSaveOpt_.contains(pfsState)) {
        add("MainForm").setAsBoolean(false);
        add("State").setAsInteger(-1);
    }
    if (!formSaveOpt_.empty()) add("ScreenRes").setAsString("");
    if (recent_->length() > 0) add("MRUList");
    return list;
}

void PFormSettings::gatherPlacement(std::vector<std::unique_ptr<PSetting>>& placement) {
    const Rect normal = form_->workAreaNormalBounds();
    const Rect workArea = Screen::monitorFromRect(form_->formBounds()).workArea;
    for (auto& s : placement) {
        const std::string& name = s->settingName();
        if (name == "Left") {
            s->setAsInteger(normal.left + workArea.left);
        } else if (name == "Top") {
            s->setAsInteger(normal.top + workArea.top);
        } else if (name == "Width") {
            s->setAsInteger(normal.width());
        } else if (name == "Height") {
            s->setAsInteger(normal.height());
        } else if (name == "MainForm") {
            s->setAsBoolean(form_->isMainForm());
        } else if (name == "State") {
            int state = stateCode(form_->formState());
            minimisedAtSave_ = false;
            Window* app = form_->applicationWindow();
            if (form_->isMainForm() && app && app->showState() == ShowState::Minimized) {
                state = 1;
                minimisedAtSave_ = true;
            }
            s->setAsInteger(state);
        } else if (name == "ScreenRes") {
            s->setAsString(screenResText({Screen::width(), Screen::height()}));
        } else if (name == "MRUList") {
            recent_->trim();
            s->setAsStrings(recent_->files());
        }
    }
}

void PFormSettings::applyPlacement(std::vector<std::unique_ptr<PSetting>>& placement) {
    StoredPlacement stored;
    bool mainForm = false;
    int requested = 0;  // 1 minimise, 2 maximise
    for (auto& s : placement) {
        const std::string& name = s->settingName();
        if (name == "Left") {
            stored.Left = s->asInteger();
        } else if (name == "Top") {
            stored.Top = s->asInteger();
        } else if (name == "Width") {
            stored.Width = s->asInteger();
        } else if (name == "Height") {
            stored.Height = s->asInteger();
        } else if (name == "ScreenRes") {
            stored.ScreenRes = s->asString();
        } else if (name == "MainForm") {
            mainForm = s->asBoolean();
        } else if (name == "MRUList") {
            StringList files;
            s->asStrings(files);
            recent_->setFiles(files);
        } else if (name == "State") {
            int v = s->asInteger();
            if (v == 1 || v == 2) requested = v;
        }
    }

    Rect bounds = restoredBounds(stored, {Screen::width(), Screen::height()}, form_->formBounds(), centreOnRestore_);
    form_->setLeft(bounds.left);
    form_->setTop(bounds.top);
    form_->setWidth(bounds.width());
    form_->setHeight(bounds.height());
    // A stored or centred position must not be undone by the default-position-only mode the
    // form was switched to; with neither, the form's own position mode decides.
    const bool anyStored = stored.Left != -1 || stored.Top != -1 || stored.Width != -1 || stored.Height != -1;
    if (anyStored || centreOnRestore_) form_->keepPosition();

    if (requested == 1) {
        Window* app = form_->applicationWindow();
        if (mainForm && app) app->post(WM_SYSCOMMAND, SC_MINIMIZE, 0);
        else form_->setFormState(ShowState::Minimized);
    } else if (requested == 2) {
        form_->setFormState(ShowState::Maximized);
    }
}

// ---- storage

void PFormSettings::registrySave() {
    const RegistryRoot root = registryRootOf(registryRootKey());
    // Every key closed below only records its changes; the store file is written once, at the end.
    RegistryBatch batch(root);
    {
        PRegistry registry(root);
        const std::string base = getKeyPath();
        for (PSetting* s : std::vector<PSetting*>(settings())) saveSetting(registry, base, *s, saveAll());
        auto placement = buildPlacementSettings();
        gatherPlacement(placement);
        for (auto& s : placement) saveSetting(registry, base, *s, saveAll());
    }
    batch.commit();
}

void PFormSettings::registryRestore() {
    PRegistry registry(registryRootOf(registryRootKey()));
    const std::string base = getKeyPath();
    for (PSetting* s : std::vector<PSetting*>(settings())) restoreSetting(registry, base, *s);
    auto placement = buildPlacementSettings();
    for (auto& s : placement) restoreSetting(registry, base, *s);
    applyPlacement(placement);
}

void PFormSettings::userSave() {
    if (!OnUserSave) return;
    for (PSetting* s : std::vector<PSetting*>(settings())) OnUserSave(this, s);
    auto placement = buildPlacementSettings();
    gatherPlacement(placement);
    for (auto& s : placement) OnUserSave(this, s.get());
}

void PFormSettings::userRestore() {
    if (!OnUserRestore) return;
    for (PSetting* s : std::vector<PSetting*>(settings())) OnUserRestore(this, s);
    auto placement = buildPlacementSettings();
    for (auto& s : placement) OnUserRestore(this, s.get());
    applyPlacement(placement);
}

// ---- the automatic cycle

void PFormSettings::loaded() {
    PSettings::loaded();
    if (!ready_) restoreCycle();
}

void PFormSettings::restoreCycle() {
    struct SetReady {
        bool& ready;
        ~SetReady() { ready = true; }
    } setReady{ready_};
    for (PSetting* s : std::vector<PSetting*>(settings())) s->snapshot();
    OnPreRestore(this);
    switch (saveLocation_) {
    case pslRegistry:
        if (askAutoRestore()) registryRestore();
        break;
    case pslUser: userRestore(); break;
    default: break;
    }
    OnPostRestore(this);
}

void PFormSettings::autoSave() {
    OnPreSave(this);
    switch (saveLocation_) {
    case pslRegistry:
        if (askAutoSave()) registrySave();
        break;
    case pslUser: userSave(); break;
    default: break;
    }
    OnPostSave(this);
}

void PFormSettings::handleMessage(Message& m) {
    std::shared_ptr<Hook> hook = hook_;  // the message may free this component
    Window::WindowProc previous = hook->previous;

    if (m.msg == WM_ENDSESSION && m.wParam != 0) restartAfterLogoff();
    if (m.msg == WM_SHOWWINDOW && m.wParam != 0) saved_ = false;
    if (m.msg == WM_WINDOWPOSCHANGED) {
        Window* app = form_->applicationWindow();
        if (app && app->showState() == ShowState::Minimized && !minimisedAtSave_) saved_ = false;
    }
    bool trigger = m.msg == WM_DESTROY || m.msg == WM_CLOSE || m.msg == WM_QUIT;
    if (m.msg == WM_WINDOWPOSCHANGED && m.lParam != 0)
        trigger = trigger || (reinterpret_cast<const WindowPos*>(m.lParam)->flags & SWP_HIDEWINDOW) != 0;
    if (trigger && !saved_ && ready_ && hook->owner) {
        try {
            autoSave();
        } catch (const std::exception& e) {
            // The window still gets its message and the save is tried again at the next
            // trigger. A window being destroyed cannot take an exception through its
            // destruction, so that failure is reported instead.
            if (m.msg == WM_DESTROY) {
                hook->owner = nullptr;
                std::cerr << "Settings of " << (owner() ? owner()->name() : std::string())
                          << " were not saved: " << e.what() << '\n';
            } else {
                if (previous) previous(m);
                throw;
            }
        }
        saved_ = true;
        if (form_->isMainForm()) g_mainWindowSaved = true;
    }
    if (m.msg == WM_DESTROY && ready_) hook->owner = nullptr;  // unhooked: later messages pass straight on
    if (previous) previous(m);
}

void PFormSettings::restartAfterLogoff() {
    if (!autoRestartApp_) return;
    PRegistry registry(RegistryRoot::CurrentUser);
    if (!registry.OpenKey(kRunOnceKey, true)) return;
    registry.WriteString(restartValueName(softwareName(), companyName()), "\"" + executablePath() + "\"");
    registry.CloseKey();
}

// ---- the "Settings" list of the form description

void PFormSettings::defineProperties(Filer& filer) {
    PSettings::defineProperties(filer);
    filer.defineProperty(
        "Settings", [this](Reader& r) { readSettings(r); }, [this](Writer& w) { writeSettings(w); },
        settingCount() > 0);
}

void PFormSettings::readSettings(Reader& reader) {
    reader.readListBegin();
    while (!reader.endOfList()) {
        std::string name = reader.readString();
        std::string boundProperty = reader.readString();
        std::string relAppSetting = reader.readString();
        bool encrypted = reader.readBoolean();
        auto* s = new PSetting(owner());
        s->setSettingName(name);
        s->setBoundProperty(boundProperty);
        s->setRelAppSetting(relAppSetting);
        s->setEncrypted(encrypted);
        bool duplicate = std::any_of(settings().begin(), settings().end(),
                                     [s](const PSetting* other) { return other->sameDefinition(*s); });
        if (duplicate) delete s;
        else settingList().push_back(s);
    }
    reader.readListEnd();
}

void PFormSettings::writeSettings(Writer& writer) {
    writer.writeListBegin();
    for (PSetting* s : settings()) {
        writer.writeString(s->settingName());
        writer.writeString(s->boundProperty());
        writer.writeString(s->relAppSetting());
        writer.writeBoolean(s->encrypted());
    }
    writer.writeListEnd();
}

}  // namespace lindora
