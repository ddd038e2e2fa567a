#include "settings/SettingStorage.h"

#include "base/Collection.h"
#include "base/ComponentStream.h"
#include "base/Stream.h"
#include "settings/HiddenPropsUse.h"
#include "settings/PRegistry.h"
#include "settings/PSetting.h"
#include "store/RegistryTypes.h"

namespace lindora {

namespace {

std::string absolute(const std::string& keyPath) { return "\\" + keyPath; }

// The defined property a hidden-property setting names: the last component of its path.
const HiddenPropsUse::Entry* hiddenEntry(const HiddenPropsUse& props, const PSetting& setting) {
    std::vector<std::string> path = setting.bindingPath();
    return path.empty() ? nullptr : props.find(path.back());
}

std::vector<uint8_t> writeHidden(PSetting& setting, Persistent& object) {
    HiddenPropsUse props(object);
    MemoryStream stream;
    if (const HiddenPropsUse::Entry* entry = hiddenEntry(props, setting)) {
        if (entry->binary) {
            entry->writeBytes(stream);
        } else {
            StreamWriter writer(stream, setting.form());
            entry->write(writer);
            writer.flushBuffer();
        }
    }
    return stream.takeBytes();
}

void readHidden(PSetting& setting, Persistent& object, const std::vector<uint8_t>& bytes) {
    HiddenPropsUse props(object);
    const HiddenPropsUse::Entry* entry = hiddenEntry(props, setting);
    if (!entry) return;
    MemoryStream stream(bytes);
    if (entry->binary) {
        entry->readBytes(stream);
    } else {
        StreamReader reader(stream, setting.form());
        entry->read(reader);
    }
}

std::vector<uint8_t> writeCollection(PSetting& setting, Collection& collection) {
    MemoryStream stream;
    StreamWriter writer(stream, setting.form());
    writer.writeCollection(collection);
    writer.flushBuffer();
    return stream.takeBytes();
}

void readCollection(PSetting& setting, Collection& collection, const std::vector<uint8_t>& payload) {
    // The payload starts with the collection marker, which the item reader does not expect.
    if (payload.empty()) return;
    MemoryStream stream(std::span<const uint8_t>(payload).subspan(1));
    StreamReader reader(stream, setting.form());
    reader.readCollectionItems(collection);
}

}  // namespace

SettingLocation locationOf(const std::string& baseKeyPath, const PSetting& setting) {
    return settingLocation(baseKeyPath, setting.settingName(), setting.boundProperty());
}

StoredValue toStoredValue(PSetting& setting) {
    const PValue& v = setting.value();
    StoredValue s;
    s.kind = v.Kind;
    s.boolValue = v.BoolValue;
    s.intValue = v.IntValue;
    s.floatValue = v.FloatValue;
    s.text = v.Text;
    if (v.Kind == pvtHidden && v.Object) s.payload = writeHidden(setting, *v.Object);
    else if (v.Kind == pvtCollection)
        if (auto* collection = dynamic_cast<Collection*>(v.Object)) s.payload = writeCollection(setting, *collection);
    return s;
}

void loadStoredValue(PSetting& setting, const StoredValue& stored) {
    switch (stored.kind) {
    case pvtString: setting.setAsString(stored.text); break;
    case pvtInteger: setting.setAsInteger(stored.intValue); break;
    case pvtFloat: setting.setAsFloat(stored.floatValue); break;
    case pvtBoolean: setting.setAsBoolean(stored.boolValue); break;
    case pvtDateTime: setting.setAsDateTime(stored.floatValue); break;
    case pvtVariant: setting.setAsVariant(Variant(stored.text)); break;
    case pvtStrings:
        setting.setAsString(stored.text);
        setting.markKind(pvtStrings);
        break;
    case pvtHidden:
        setting.refresh();
        if (setting.value().Kind == pvtHidden && setting.value().Object)
            readHidden(setting, *setting.value().Object, stored.payload);
        break;
    case pvtCollection:
        setting.refresh();
        if (auto* collection = dynamic_cast<Collection*>(setting.value().Object))
            readCollection(setting, *collection, stored.payload);
        break;
    default: break;
    }
}

void saveSetting(PRegistry& registry, const std::string& baseKeyPath, PSetting& setting, bool force) {
    if (!setting.relAppSetting().empty()) return;
    setting.refresh();
    SettingLocation where = locationOf(baseKeyPath, setting);
    const bool changed = setting.boundProperty().empty() || setting.value().differsFrom(setting.defaultValue());
    if (changed || force) {
        // An empty value still opens (creates) its key; the plain layouts write no bytes for it,
        // a scrambled one its header-only block.
        if (!registry.OpenKey(absolute(where.keyPath), true))
            throw ERegistryException("Failed to set data for '" + where.valueName + "'");
        StoredValue stored = toStoredValue(setting);
        if (setting.encrypted()) writeScrambledValue(registry, where.valueName, stored, setting.uniqueName());
        else writeStoredValue(registry, where.valueName, stored);
        registry.CloseKey();
        return;
    }
    if (!registry.OpenKey(absolute(where.keyPath), false)) return;
    if (registry.ValueExists(where.valueName)) registry.DeleteValue(where.valueName);
    // Only a key holding neither values nor subkeys goes: subkeys keep other settings' values.
    bool empty = registry.GetValueNames().empty() && !registry.HasSubKeys();
    registry.CloseKey();
    if (empty) registry.DeleteKey(absolute(where.keyPath));
}

void restoreSetting(PRegistry& registry, const std::string& baseKeyPath, PSetting& setting) {
    if (!setting.relAppSetting().empty()) return;
    SettingLocation where = locationOf(baseKeyPath, setting);
    registry.CloseKey();
    if (!registry.OpenKey(absolute(where.keyPath), false)) return;
    try {
        if (registry.ValueExists(where.valueName)) {
            std::optional<StoredValue> stored;
            if (setting.encrypted()) {
                stored = readScrambledValue(registry, where.valueName, setting.uniqueName());
                // A value that fails its check leaves the setting empty.
                setting.clearValue();
            } else {
                stored = readStoredValue(registry, where.valueName);
            }
            if (stored) loadStoredValue(setting, *stored);
        }
    } catch (const Exception&) {
        // A value that cannot be read or converted keeps what the setting had.
    }
    setting.apply();
    registry.CloseKey();
}

}  // namespace lindora
