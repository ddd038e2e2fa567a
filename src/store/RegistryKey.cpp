#include "store/RegistryKey.h"

#include <algorithm>

#include "base/TextUtil.h"

namespace lindora {

bool sameRegistryName(std::string_view a, std::string_view b) { return sameText(a, b); }

bool isValidKeyName(std::string_view name) {
    // The classic limit on a key name's length; control characters would break the file's
    // section lines.
    if (name.empty() || name.size() > 255) return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        auto u = static_cast<unsigned char>(c);
        return c == '\\' || u < 0x20 || u == 0x7f;
    });
}

std::optional<KeyPath> parseKeyPath(std::string_view text) {
    KeyPath path;
    if (text.empty()) return path;
    size_t start = 0;
    while (true) {
        size_t end = text.find('\\', start);
        std::string_view name = text.substr(start, end == std::string_view::npos ? text.npos : end - start);
        if (!isValidKeyName(name)) return std::nullopt;
        path.emplace_back(name);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return path;
}

std::string joinKeyPath(const KeyPath& path) {
    std::string out;
    for (const auto& name : path) {
        if (!out.empty()) out += '\\';
        out += name;
    }
    return out;
}

RegistryValue RegistryValue::string(std::string name, std::string_view text) {
    return {std::move(name), RegType::String, std::vector<uint8_t>(text.begin(), text.end())};
}

RegistryValue RegistryValue::dword(std::string name, uint32_t value) {
    return {std::move(name),
            RegType::DWord,
            {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)}};
}

RegistryValue RegistryValue::binary(std::string name, std::span<const uint8_t> bytes) {
    return {std::move(name), RegType::Binary, std::vector<uint8_t>(bytes.begin(), bytes.end())};
}

const RegistryValue* RegistryKey::findValue(std::string_view name) const {
    auto it = valueIndex_.find(asciiLowerCase(name));
    return it == valueIndex_.end() ? nullptr : &values_[it->second];
}

void RegistryKey::setValue(RegistryValue value) {
    auto [it, added] = valueIndex_.try_emplace(asciiLowerCase(value.name), values_.size());
    if (!added) {
        RegistryValue& existing = values_[it->second];
        existing.type = value.type;
        existing.data = std::move(value.data);
        return;
    }
    values_.push_back(std::move(value));
}

bool RegistryKey::deleteValue(std::string_view name) {
    auto it = valueIndex_.find(asciiLowerCase(name));
    if (it == valueIndex_.end()) return false;
    size_t position = it->second;
    valueIndex_.erase(it);
    values_.erase(values_.begin() + std::ptrdiff_t(position));
    for (auto& [key, index] : valueIndex_)
        if (index > position) --index;
    return true;
}

RegistryKey* RegistryKey::findSubKey(std::string_view name) {
    for (auto& k : subKeys_)
        if (sameRegistryName(k->name_, name)) return k.get();
    return nullptr;
}

const RegistryKey* RegistryKey::findSubKey(std::string_view name) const {
    return const_cast<RegistryKey*>(this)->findSubKey(name);
}

RegistryKey& RegistryKey::subKey(std::string_view name) {
    if (RegistryKey* existing = findSubKey(name)) return *existing;
    subKeys_.push_back(std::make_unique<RegistryKey>(std::string(name)));
    return *subKeys_.back();
}

bool RegistryKey::removeSubKey(std::string_view name) {
    auto it =
        std::find_if(subKeys_.begin(), subKeys_.end(), [&](const auto& k) { return sameRegistryName(k->name_, name); });
    if (it == subKeys_.end()) return false;
    subKeys_.erase(it);
    return true;
}

RegistryKey* RegistryKey::find(const KeyPath& path) {
    RegistryKey* key = this;
    for (const auto& name : path) {
        key = key->findSubKey(name);
        if (!key) return nullptr;
    }
    return key;
}

const RegistryKey* RegistryKey::find(const KeyPath& path) const { return const_cast<RegistryKey*>(this)->find(path); }

RegistryKey& RegistryKey::create(const KeyPath& path, bool* created) {
    RegistryKey* key = this;
    bool any = false;
    for (const auto& name : path) {
        RegistryKey* next = key->findSubKey(name);
        if (!next) {
            next = &key->subKey(name);
            any = true;
        }
        key = next;
    }
    if (created) *created = any;
    return *key;
}

std::unique_ptr<RegistryKey> RegistryKey::clone() const {
    auto copy = std::make_unique<RegistryKey>(name_);
    copy->values_ = values_;
    copy->valueIndex_ = valueIndex_;
    for (const auto& k : subKeys_) copy->subKeys_.push_back(k->clone());
    return copy;
}

bool RegistryKey::operator==(const RegistryKey& other) const {
    if (name_ != other.name_ || values_ != other.values_ || subKeys_.size() != other.subKeys_.size()) return false;
    for (size_t i = 0; i < subKeys_.size(); ++i)
        if (!(*subKeys_[i] == *other.subKeys_[i])) return false;
    return true;
}

}  // namespace lindora
