#pragma once
// Saving and restoring one setting in the registry: the key and value name follow from the
// base key path and the setting's Name or bound path (settings/SettingKeyPath.h); the
// bytes follow the value layouts (settings/SettingValueLayout.h).
#include <string>

#include "settings/PValue.h"
#include "settings/SettingKeyPath.h"
#include "settings/SettingValueLayout.h"

namespace lindora {

class PRegistry;
class PSetting;

// Writes the setting when its value differs from its default or `force` is set; otherwise
// removes a stored value, and the key that held it once the key is empty. Settings supplied by
// an application setting are skipped. Raises ERegistryException when the store refuses.
void saveSetting(PRegistry& registry, const std::string& baseKeyPath, PSetting& setting, bool force);

// Reads the stored value into the setting and applies it to the bound property. Read and
// conversion errors leave the value as it was; errors of the property itself propagate.
void restoreSetting(PRegistry& registry, const std::string& baseKeyPath, PSetting& setting);

// The key and value name of a setting under a base key path.
SettingLocation locationOf(const std::string& baseKeyPath, const PSetting& setting);

// The value as stored, and back; hidden properties and collections are streamed through the
// binary component stream of the object the setting refers to.
StoredValue toStoredValue(PSetting& setting);
// Hands a stored value to the setting through its accessors (the restore's dispatch by kind).
void loadStoredValue(PSetting& setting, const StoredValue& stored);

}  // namespace lindora
