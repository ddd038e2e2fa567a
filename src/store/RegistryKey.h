#pragma once
// The in-memory model of a store: a tree of keys, each with named values. Key and value names
// compare ignoring ASCII case and keep the case they were created with.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "store/RegistryTypes.h"

namespace lindora {

bool sameRegistryName(std::string_view a, std::string_view b);

// A key path as its names, root first. The empty path is the root.
using KeyPath = std::vector<std::string>;

// Splits "A\B\C" into names. Empty names (doubled, leading or trailing "\") and names with
// control characters are refused; the empty text is the root.
std::optional<KeyPath> parseKeyPath(std::string_view text);
std::string joinKeyPath(const KeyPath& path);
bool isValidKeyName(std::string_view name);

struct RegistryValue {
    std::string name;  // empty for the key's default value
    RegType type = RegType::None;
    std::vector<uint8_t> data;  // a string's bytes carry no terminator

    static RegistryValue string(std::string name, std::string_view text);
    static RegistryValue dword(std::string name, uint32_t value);
    static RegistryValue binary(std::string name, std::span<const uint8_t> bytes);

    std::string text() const { return std::string(data.begin(), data.end()); }
    bool operator==(const RegistryValue&) const = default;
};

class RegistryKey {
public:
    explicit RegistryKey(std::string name = {}) : name_(std::move(name)) {}

    const std::string& name() const { return name_; }

    const std::vector<RegistryValue>& values() const { return values_; }
    const RegistryValue* findValue(std::string_view name) const;
    // Replaces a value of the same name (keeping that name's case) or appends a new one.
    void setValue(RegistryValue value);
    bool deleteValue(std::string_view name);
    void clearValues() {
        values_.clear();
        valueIndex_.clear();
    }

    const std::vector<std::unique_ptr<RegistryKey>>& subKeys() const { return subKeys_; }
    RegistryKey* findSubKey(std::string_view name);
    const RegistryKey* findSubKey(std::string_view name) const;
    RegistryKey& subKey(std::string_view name);  // creates it when missing
    bool removeSubKey(std::string_view name);

    RegistryKey* find(const KeyPath& path);
    const RegistryKey* find(const KeyPath& path) const;
    // Creates every missing key along the path; reports whether anything was created.
    RegistryKey& create(const KeyPath& path, bool* created = nullptr);

    std::unique_ptr<RegistryKey> clone() const;
    bool operator==(const RegistryKey& other) const;

private:
    std::string name_;
    std::vector<RegistryValue> values_;
    // Position of each value by its lower-cased name: stores with many values parse in linear time.
    std::unordered_map<std::string, size_t> valueIndex_;
    std::vector<std::unique_ptr<RegistryKey>> subKeys_;
};

}  // namespace lindora
