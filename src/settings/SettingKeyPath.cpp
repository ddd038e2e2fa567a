#include "settings/SettingKeyPath.h"

namespace lindora {

namespace {

bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string settingsBaseKeyPath(std::string_view companyName, std::string_view softwareName,
                                std::string_view softwareVersion, std::string_view leaf) {
    std::string path = "Software\\";
    for (std::string_view part : {companyName, softwareName, softwareVersion}) {
        if (!part.empty()) {
            path += part;
            path += '\\';
        }
    }
    path += leaf;
    return path;
}

SettingLocation settingLocation(std::string_view baseKeyPath, std::string_view name, std::string_view boundProperty) {
    if (!name.empty()) return {std::string(baseKeyPath), std::string(name)};
    SettingLocation location{std::string(baseKeyPath), {}};
    size_t start = 0;
    for (size_t dot; (dot = boundProperty.find('.', start)) != std::string_view::npos; start = dot + 1) {
        location.keyPath += '\\';
        location.keyPath += boundProperty.substr(start, dot - start);
    }
    location.valueName = std::string(boundProperty.substr(start));
    return location;
}

std::string settingUniqueName(std::string_view boundProperty, std::string_view name) {
    std::string unique = std::string(boundProperty) + std::string(name);
    for (char& c : unique)
        if (!isAsciiLetter(c) && !isAsciiDigit(c)) c = '_';
    return unique;
}

std::string restartValueName(std::string_view softwareName, std::string_view companyName) {
    std::string name;
    for (std::string_view part : {std::string_view("PS"), softwareName, companyName})
        for (char c : part)
            if (isAsciiLetter(c)) name += (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
    if (name.size() > 20) name.resize(20);
    return name;
}

}  // namespace lindora
