#pragma once
// PSettings: what form settings and application settings share: the names that make up the
// registry key, the root, the force flag of a save, the events around saving and restoring,
// and the ordered list of settings.
//
// The key path is "Software\" + CompanyName, SoftwareName and SoftwareVersion (each followed
// by "\" when not empty) + a leaf that the descendant gives (the form's key name, or
// "AppSettings").
#include <string>
#include <vector>

#include "base/Component.h"
#include "base/Event.h"
#include "store/RegistryTypes.h"

namespace lindora {

class PSetting;

enum PRootKeyType { prkCurrentUser, prkLocalMachine };
const EnumInfo& enumInfoOf(PRootKeyType);
RegistryRoot registryRootOf(PRootKeyType root);

using PSettingEvent = Event<Persistent* /*Sender*/, PSetting* /*Setting*/>;
using PContinueEvent = Event<Persistent* /*Sender*/, bool& /*Continue*/>;

class PSettings : public Component {
    LINDORA_CLASS(PSettings)

public:
    // CompanyName starts as the machine's registered organisation.
    explicit PSettings(Component* owner = nullptr);
    ~PSettings() override;

    const std::string& companyName() const { return companyName_; }
    virtual void setCompanyName(const std::string& name) = 0;
    const std::string& softwareName() const { return softwareName_; }
    virtual void setSoftwareName(const std::string& name) = 0;
    const std::string& softwareVersion() const { return softwareVersion_; }
    virtual void setSoftwareVersion(const std::string& version) = 0;
    PRootKeyType registryRootKey() const { return registryRootKey_; }
    virtual void setRegistryRootKey(PRootKeyType root) = 0;
    bool saveAll() const { return saveAll_; }
    void setSaveAll(bool saveAll) { saveAll_ = saveAll; }

    // The four storage operations.
    virtual void userSave() = 0;
    virtual void userRestore() = 0;
    virtual void registrySave() = 0;
    virtual void registryRestore() = 0;
    // The base key path, relative to the root.
    virtual std::string getKeyPath() = 0;

    const std::vector<PSetting*>& settings() const { return settings_; }
    int settingCount() const { return static_cast<int>(settings_.size()); }
    PSetting* setting(int index) const;
    // The first setting with this Name (exactly), or null.
    PSetting* findSetting(const std::string& name) const;

    PSettingEvent OnUserSave;
    PSettingEvent OnUserRestore;
    NotifyEvent OnPreSave;
    NotifyEvent OnPostSave;
    NotifyEvent OnPreRestore;
    NotifyEvent OnPostRestore;
    PContinueEvent OnAutoSave;
    PContinueEvent OnAutoRestore;

protected:
    // The stored fields, for the descendants' setters.
    void storeCompanyName(const std::string& name) { companyName_ = name; }
    void storeSoftwareName(const std::string& name) { softwareName_ = name; }
    void storeSoftwareVersion(const std::string& version) { softwareVersion_ = version; }
    void storeRegistryRootKey(PRootKeyType root) { registryRootKey_ = root; }
    // "Software\" and the three names; the descendant appends its leaf.
    std::string keyPathWithLeaf(const std::string& leaf) const;

    std::vector<PSetting*>& settingList() { return settings_; }
    // Raises OnAutoSave / OnAutoRestore with Continue set; the result is Continue.
    bool askAutoSave();
    bool askAutoRestore();

private:
    std::string companyName_;
    std::string softwareName_;
    std::string softwareVersion_;
    PRootKeyType registryRootKey_ = prkCurrentUser;
    bool saveAll_ = true;
    std::vector<PSetting*> settings_;
};

}  // namespace lindora
