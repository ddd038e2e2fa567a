#pragma once
// PAppSettings: application-wide values under the key "...\AppSettings" (see PSettings.h),
// shared by the forms whose settings link to it (PFormSettings::AppSettingsCtrl).
// A form setting whose RelAppSetting names one of these takes its value from here and is
// never stored by the form. Linked form settings follow the company, software, version and
// root set here.
//
// Restored when loading ends (then pushed into every linked form), saved when destroyed. Its
// settings have a Name and no bound property, are owned by it, and are always written.
#include <string>
#include <vector>

#include "settings/PSettings.h"

namespace lindora {

class Reader;
class Writer;

enum PAppSaveLocType { palRegistry, palUser };
const EnumInfo& enumInfoOf(PAppSaveLocType);

class PAppSettings : public PSettings {
    LINDORA_CLASS(PAppSettings)

public:
    explicit PAppSettings(Component* owner = nullptr);
    // Saves (outside design mode), then frees its settings.
    ~PAppSettings() override;

    PAppSaveLocType saveLocation() const { return saveLocation_; }
    void setSaveLocation(PAppSaveLocType location) { saveLocation_ = location; }

    void setCompanyName(const std::string& name) override;
    void setSoftwareName(const std::string& name) override;
    void setSoftwareVersion(const std::string& version) override;
    void setRegistryRootKey(PRootKeyType root) override;

    void userSave() override;
    void userRestore() override;
    void registrySave() override;
    void registryRestore() override;
    std::string getKeyPath() override;

    // A new setting owned by this component, appended to the list.
    PSetting* addSetting(const std::string& name, bool encrypted = false);

    // The form settings that follow this component, in link order (not owned).
    const std::vector<PSettings*>& linkedForms() const { return links_; }
    // Appends a form settings component once; returns false when it was linked already.
    bool link(PSettings& form);
    void unlink(PSettings& form);
    // Copies the value of the first application setting named by each form setting's
    // RelAppSetting (empty when there is none) and applies it to its property.
    void pullValuesInto(PSettings& form);

    // Whether `settings` is a live application settings component (the process-wide list).
    static bool isAlive(const PSettings* settings);

    void loaded() override;
    void defineProperties(Filer& filer) override;

private:
    void readSettings(Reader& reader);
    void writeSettings(Writer& writer);

    PAppSaveLocType saveLocation_ = palRegistry;
    std::vector<PSettings*> links_;
};

}  // namespace lindora
