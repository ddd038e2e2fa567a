#include "settings/PSettings.h"

#include "base/ClassBuilder.h"
#include "settings/PSetting.h"
#include "settings/RegisteredOrganization.h"
#include "settings/SettingKeyPath.h"

namespace lindora {

const EnumInfo& enumInfoOf(PRootKeyType) {
    static const EnumInfo info("TPRootKeyType", {"prkCurrentUser", "prkLocalMachine"});
    return info;
}

RegistryRoot registryRootOf(PRootKeyType root) {
    return root == prkLocalMachine ? RegistryRoot::LocalMachine : RegistryRoot::CurrentUser;
}

const ClassInfo& PSettings::classInfo() {
    static const ClassInfo info = ClassBuilder<PSettings>("PSettings", Component::classInfo())
                                      .property("CompanyName", &PSettings::companyName,
                                                [](PSettings& s, const std::string& v) { s.setCompanyName(v); })
                                      .property("SoftwareName", &PSettings::softwareName,
                                                [](PSettings& s, const std::string& v) { s.setSoftwareName(v); })
                                      .defaultValue(std::string())
                                      .property("SoftwareVersion", &PSettings::softwareVersion,
                                                [](PSettings& s, const std::string& v) { s.setSoftwareVersion(v); })
                                      .defaultValue(std::string())
                                      .property("RegistryRootKey", &PSettings::registryRootKey,
                                                [](PSettings& s, PRootKeyType v) { s.setRegistryRootKey(v); })
                                      .defaultValue(prkCurrentUser)
                                      .property("SaveAll", &PSettings::saveAll, &PSettings::setSaveAll)
                                      .defaultValue(true)
                                      .event("OnUserSave", &PSettings::OnUserSave)
                                      .event("OnUserRestore", &PSettings::OnUserRestore)
                                      .event("OnPreSave", &PSettings::OnPreSave)
                                      .event("OnPostSave", &PSettings::OnPostSave)
                                      .event("OnPreRestore", &PSettings::OnPreRestore)
                                      .event("OnPostRestore", &PSettings::OnPostRestore)
                                      .event("OnAutoSave", &PSettings::OnAutoSave)
                                      .event("OnAutoRestore", &PSettings::OnAutoRestore)
                                      .abstract();
    return info;
}

PSettings::PSettings(Component* owner) : Component(owner), companyName_(registeredOrganization()) {}

PSettings::~PSettings() = default;

PSetting* PSettings::setting(int index) const {
    return index >= 0 && index < settingCount() ? settings_[index] : nullptr;
}

PSetting* PSettings::findSetting(const std::string& name) const {
    for (PSetting* s : settings_)
        if (s->settingName() == name) return s;
    return nullptr;
}

std::string PSettings::keyPathWithLeaf(const std::string& leaf) const {
    return settingsBaseKeyPath(companyName_, softwareName_, softwareVersion_, leaf);
}

bool PSettings::askAutoSave() {
    bool proceed = true;
    OnAutoSave(this, proceed);
    return proceed;
}

bool PSettings::askAutoRestore() {
    bool proceed = true;
    OnAutoRestore(this, proceed);
    return proceed;
}

}  // namespace lindora
