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
    auto it = m_valueIndex.find(asciiLowerCase(name));
    return it == m_valueIndex.end() ? nullptr : &m_values[it->second];
}

void RegistryKey::setValue(RegistryValue value) {
    auto [it, added] = m_valueIndex.try_emplace(asciiLowerCase(value.name), m_values.size());
    if (!added) {
        RegistryValue& existing = m_values[it->second];
        existing.type = value.type;
        existing.data = std::move(value.data);
        return;
    }
    m_values.push_back(std::move(value));
}

bool RegistryKey::deleteValue(std::string_view name) {
    auto it = m_valueIndex.find(asciiLowerCase(name));
    if (it == m_valueIndex.end()) return false;
    size_t position = it->second;
    m_valueIndex.erase(it);
    m_values.erase(m_values.begin() + std::ptrdiff_t(position));
    for (auto& [key, index] : m_valueIndex)
        if (index > position) --index;
    return true;
}

RegistryKey* RegistryKey::findSubKey(std::string_view name) {
    for (auto& k : m_subKeys)
        if (sameRegistryName(k->m_name, name)) return k.get();
    return nullptr;
}

const RegistryKey* RegistryKey::findSubKey(std::string_view name) const {
    return const_cast<RegistryKey*>(this)->findSubKey(name);
}

RegistryKey& RegistryKey::subKey(std::string_view name) {
    if (RegistryKey* existing = findSubKey(name)) return *existing;
    m_subKeys.push_back(std::make_unique<RegistryKey>(std::string(name)));
    return *m_subKeys.back();
}

bool RegistryKey::removeSubKey(std::string_view name) {
    auto it = std::find_if(m_subKeys.begin(), m_subKeys.end(),
                           [&](const auto& k) { return sameRegistryName(k->m_name, name); });
    if (it == m_subKeys.end()) return false;
    m_subKeys.erase(it);
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
    auto copy = std::make_unique<RegistryKey>(m_name);
    copy->m_values = m_values;
    copy->m_valueIndex = m_valueIndex;
    for (const auto& k : m_subKeys) copy->m_subKeys.push_back(k->clone());
    return copy;
}

bool RegistryKey::operator==(const RegistryKey& other) const {
    if (m_name != other.m_name || m_values != other.m_values || m_subKeys.size() != other.m_subKeys.size())
        return false;
    for (size_t i = 0; i < m_subKeys.size(); ++i)
        if (!(*m_subKeys[i] == *other.m_subKeys[i])) return false;
    return true;
}

}  // namespace lindora
