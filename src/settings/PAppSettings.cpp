#include "settings/PAppSettings.h"

#include <algorithm>
#include <iostream>

#include "base/ClassBuilder.h"
#include "base/Filer.h"
#include "settings/PRegistry.h"
#include "settings/PSetting.h"
#include "settings/SettingStorage.h"
#include "store/RegistryBatch.h"

namespace lindora {

namespace {

// Every application settings component alive, so that forms can tell whether the one they
// link to still exists.
std::vector<const PSettings*>& aliveList() {
    static std::vector<const PSettings*> list;
    return list;
}

}  // namespace

const EnumInfo& enumInfoOf(PAppSaveLocType) {
    static const EnumInfo info("TPAppSaveLocType", {"palRegistry", "palUser"});
    return info;
}

const ClassInfo& PAppSettings::classInfo() {
    static const ClassInfo info =
        ClassBuilder<PAppSettings>("PAppSettings", PSettings::classInfo())
            .property("SaveLocation", &PAppSettings::saveLocation, &PAppSettings::setSaveLocation)
            .defaultValue(palRegistry);
    return info;
}

PAppSettings::PAppSettings(Component* owner) : PSettings(owner) {
    auto& alive = aliveList();
    if (std::find(alive.begin(), alive.end(), this) == alive.end()) alive.push_back(this);
}

PAppSettings::~PAppSettings() {
    auto& alive = aliveList();
    alive.erase(std::remove(alive.begin(), alive.end(), this), alive.end());
    links_.clear();
    try {
        OnPreSave(this);
        if (!isDesigning()) {
            if (saveLocation_ == palRegistry) {
                if (askAutoSave()) registrySave();
            } else {
                userSave();
            }
        }
        OnPostSave(this);
    } catch (const std::exception& e) {
        // A destructor cannot pass the failure on; say so rather than lose it silently.
        std::cerr << "Application settings were not saved: " << e.what() << '\n';
    }
    for (PSetting* s : settingList()) delete s;
    settingList().clear();
}

bool PAppSettings::isAlive(const PSettings* settings) {
    const auto& alive = aliveList();
    return settings && std::find(alive.begin(), alive.end(), settings) != alive.end();
}

void PAppSettings::setCompanyName(const std::string& name) {
    storeCompanyName(name);
    for (PSettings* form : std::vector<PSettings*>(links_)) form->setCompanyName(name);
}

void PAppSettings::setSoftwareName(const std::string& name) {
    storeSoftwareName(name);
    for (PSettings* form : std::vector<PSettings*>(links_)) form->setSoftwareName(name);
}

void PAppSettings::setSoftwareVersion(const std::string& version) {
    storeSoftwareVersion(version);
    for (PSettings* form : std::vector<PSettings*>(links_)) form->setSoftwareVersion(version);
}

void PAppSettings::setRegistryRootKey(PRootKeyType root) {
    storeRegistryRootKey(root);
    for (PSettings* form : std::vector<PSettings*>(links_)) form->setRegistryRootKey(root);
}

std::string PAppSettings::getKeyPath() { return keyPathWithLeaf("AppSettings"); }

void PAppSettings::userSave() {
    if (!OnUserSave) return;
    for (PSetting* s : settings()) OnUserSave(this, s);
}

void PAppSettings::userRestore() {
    if (!OnUserRestore) return;
    for (PSetting* s : settings()) OnUserRestore(this, s);
}

void PAppSettings::registrySave() {
    const RegistryRoot root = registryRootOf(registryRootKey());
    // One write of the store file for all the values, at the end.
    RegistryBatch batch(root);
    {
        PRegistry registry(root);
        std::string base = getKeyPath();
        for (PSetting* s : settings()) saveSetting(registry, base, *s, saveAll());
    }
    batch.commit();
}

void PAppSettings::registryRestore() {
    PRegistry registry(registryRootOf(registryRootKey()));
    std::string base = getKeyPath();
    for (PSetting* s : settings()) restoreSetting(registry, base, *s);
}

PSetting* PAppSettings::addSetting(const std::string& name, bool encrypted) {
    auto* s = new PSetting(nullptr);
    s->setSettingName(name);
    s->setEncrypted(encrypted);
    settingList().push_back(s);
    return s;
}

bool PAppSettings::link(PSettings& form) {
    if (std::find(links_.begin(), links_.end(), &form) != links_.end()) return false;
    links_.push_back(&form);
    return true;
}

void PAppSettings::unlink(PSettings& form) {
    links_.erase(std::remove(links_.begin(), links_.end(), &form), links_.end());
}

void PAppSettings::pullValuesInto(PSettings& form) {
    if (!isAlive(this)) return;
    for (PSetting* s : form.settings()) {
        if (s->relAppSetting().empty()) continue;
        PSetting* source = findSetting(s->relAppSetting());
        s->assignValue(source ? source->value() : PValue());
        s->apply();
    }
}

void PAppSettings::loaded() {
    PSettings::loaded();
    if (isDesigning()) return;
    OnPreRestore(this);
    if (saveLocation_ == palRegistry) {
        if (askAutoRestore()) registryRestore();
    } else {
        userRestore();
    }
    OnPostRestore(this);
    for (PSettings* form : std::vector<PSettings*>(links_)) pullValuesInto(*form);
}

void PAppSettings::defineProperties(Filer& filer) {
    PSettings::defineProperties(filer);
    filer.defineProperty(
        "Settings", [this](Reader& r) { readSettings(r); }, [this](Writer& w) { writeSettings(w); },
        settingCount() > 0);
}

void PAppSettings::readSettings(Reader& reader) {
    reader.readListBegin();
    while (!reader.endOfList()) {
        std::string name = reader.readString();
        bool encrypted = reader.readBoolean();
        addSetting(name, encrypted);
    }
    reader.readListEnd();
}

void PAppSettings::writeSettings(Writer& writer) {
    writer.writeListBegin();
    for (PSetting* s : settings()) {
        writer.writeString(s->settingName());
        writer.writeBoolean(s->encrypted());
    }
    writer.writeListEnd();
}

}  // namespace lindora
