#pragma once
// PFormSettings: the settings component of a form. Its settings (owned by the form, listed
// here) bind properties of the form's components; together with the form's placement and a
// recent-files list they are restored when the form has finished loading and saved at the
// first close, destroy, quit or hide of the form's window. Showing the window again, or the
// application being minimised, arms the next save.
//
// Registry layout: "Software\<CompanyName>\<SoftwareName>\<SoftwareVersion>\<form key name>",
// the form key name being the form's Name unless OnSetFormKeyName changes it. Bound settings
// live below it by their path ("btnAutoLogin.Down": value "Down" of the subkey "btnAutoLogin"),
// the placement and recent list directly in it ("Left", "Top", "Width", "Height", "MainForm",
// "State", "ScreenRes", "MRUList").
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/StringList.h"
#include "settings/PSettings.h"
#include "settings/RecentFilesMenu.h"

namespace lindora {

class FormAccess;
struct Message;
class PAppSettings;
class Reader;
class Writer;

enum PSaveLocationType { pslRegistry, pslStream, pslStorage, pslUser };
const EnumInfo& enumInfoOf(PSaveLocationType);
enum PFormSaveOpts { pfsLeft, pfsTop, pfsWidth, pfsHeight, pfsState };
const EnumInfo& enumInfoOf(PFormSaveOpts);
using PFormSaveOpt = SetOf<PFormSaveOpts>;

using PSetFormKeyNameEvent = Event<Persistent* /*Sender*/, std::string& /*FormKeyName*/>;
using PMRUClickEvent =
    Event<Persistent* /*Sender*/, Component* /*MenuItem*/, const std::string& /*FileName*/, int /*MRUIndex*/>;

class PFormSettings : public PSettings {
    LINDORA_CLASS(PFormSettings)

public:
    static constexpr PFormSaveOpt AllFormSaveOpts{pfsLeft, pfsTop, pfsWidth, pfsHeight, pfsState};

    // The owner must be a form: EPFormSettingsException "Parent must be a TCustomForm
    // descendent" otherwise. Hooks the form's window and adjusts the defaults to the form.
    explicit PFormSettings(Component* owner);
    ~PFormSettings() override;

    PSaveLocationType saveLocation() const { return saveLocation_; }
    void setSaveLocation(PSaveLocationType location) { saveLocation_ = location; }
    PFormSaveOpt formSaveOpt() const { return formSaveOpt_; }
    void setFormSaveOpt(PFormSaveOpt options) { formSaveOpt_ = options; }
    bool autoRestartApp() const { return autoRestartApp_; }
    void setAutoRestartApp(bool on) { autoRestartApp_ = on; }
    bool addToRecentDocs() const { return addToRecentDocs_; }
    void setAddToRecentDocs(bool on) { addToRecentDocs_ = on; }

    void setCompanyName(const std::string& name) override { storeCompanyName(name); }
    void setSoftwareName(const std::string& name) override { storeSoftwareName(name); }
    void setSoftwareVersion(const std::string& version) override { storeSoftwareVersion(version); }
    void setRegistryRootKey(PRootKeyType root) override { storeRegistryRootKey(root); }

    // The application settings this form follows (may be null).
    PAppSettings* appSettingsCtrl() const { return appSettingsCtrl_; }
    void setAppSettingsCtrl(PAppSettings* appSettings);

    void userSave() override;
    void userRestore() override;
    void registrySave() override;
    void registryRestore() override;
    std::string getKeyPath() override;

    // A new setting owned by the form, appended to the list.
    PSetting* addSetting(const std::string& boundProperty, const std::string& name = {});

    // The placement settings, built afresh for each save and restore.
    std::vector<std::unique_ptr<PSetting>> buildPlacementSettings() const;
    // Fills them from the form, and applies restored ones to it (parts of the save and restore cycles).
    void gatherPlacement(std::vector<std::unique_ptr<PSetting>>& placement);
    void applyPlacement(std::vector<std::unique_ptr<PSetting>>& placement);

    // The recent-files list and its menu entries.
    RecentFilesMenu& recentFiles() { return *recent_; }
    const RecentFilesMenu& recentFiles() const { return *recent_; }

    // State of the automatic cycle, for inspection.
    bool ready() const { return ready_; }
    bool saved() const { return saved_; }
    bool centreOnRestore() const { return centreOnRestore_; }
    // Set once the application's main form has been saved (process-wide).
    static bool mainWindowSaved();

    PSetFormKeyNameEvent OnSetFormKeyName;
    PMRUClickEvent OnMRUClick;

    void loaded() override;
    void defineProperties(Filer& filer) override;

protected:
    void notification(Component* component, Operation operation) override;

private:
    struct Hook;

    void restoreCycle();
    void autoSave();
    void handleMessage(Message& m);
    void restartAfterLogoff();
    void readSettings(Reader& reader);
    void writeSettings(Writer& writer);

    FormAccess* form_;  // the owner form
    std::shared_ptr<Hook> hook_;
    PSaveLocationType saveLocation_ = pslRegistry;
    PFormSaveOpt formSaveOpt_ = AllFormSaveOpts;
    bool autoRestartApp_ = false;
    bool addToRecentDocs_ = true;
    PAppSettings* appSettingsCtrl_ = nullptr;
    std::unique_ptr<RecentFilesMenu> recent_;

    bool ready_ = false;
    bool saved_ = false;
    bool minimisedAtSave_ = false;
    bool centreOnRestore_ = false;
};

}  // namespace lindora
