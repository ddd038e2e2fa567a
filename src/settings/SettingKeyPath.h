#pragma once
// Where a settings component keeps its values: key paths relative to the root and value names.
#include <string>
#include <string_view>

namespace lindora {

// "Software\" followed by company, software and version, each with "\" when not empty, then
// the leaf: the form's key name for a form's settings, "AppSettings" for application settings.
std::string settingsBaseKeyPath(std::string_view companyName, std::string_view softwareName,
                                std::string_view softwareVersion, std::string_view leaf);

struct SettingLocation {
    std::string keyPath;
    std::string valueName;
    bool operator==(const SettingLocation&) const = default;
};

// A named setting lives in the base key under its name. Otherwise the bound property's path is
// split at "." and every part but the last becomes a subkey: "btnAutoLogin.Down" is the value
// "Down" of the key "<base>\btnAutoLogin".
SettingLocation settingLocation(std::string_view baseKeyPath, std::string_view name, std::string_view boundProperty);

// The bound property followed by the name, every character other than an ASCII letter or digit
// replaced by "_" ("btnAutoLogin_Down"); the key text of a scrambled value.
std::string settingUniqueName(std::string_view boundProperty, std::string_view name);

// The value under "...\RunOnce" that starts the program again after log-off: "PS", the software
// name and the company name with only their ASCII letters, upper-cased, cut to 20 characters.
std::string restartValueName(std::string_view softwareName, std::string_view companyName);

}  // namespace lindora
