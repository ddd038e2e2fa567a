#pragma once
// A temporary folder for the registry stores (LINDORA_REGISTRY_DIR) for one test, and reading
// back what the settings wrote.
#include <string>
#include <vector>

#include "store/Registry.h"
#include "store/RegistryRoots.h"
#include "support/TempStoreTest.h"

namespace lindora::test {

class SettingsStoreFixture : public TempStoreTest {
protected:
    // The raw bytes of a value as the registry holds them.
    static std::vector<uint8_t> binaryAt(const std::string& key, const std::string& name) {
        Registry r;
        if (!r.OpenKeyReadOnly(key)) return {};
        return r.ReadBinaryData(name);
    }
    static RegDataType typeAt(const std::string& key, const std::string& name) {
        Registry r;
        if (!r.OpenKeyReadOnly(key) || !r.ValueExists(name)) return RegDataType::rdUnknown;
        return r.GetDataType(name);
    }
    static bool valueExists(const std::string& key, const std::string& name) {
        Registry r;
        return r.OpenKeyReadOnly(key) && r.ValueExists(name);
    }
    static bool keyExists(const std::string& key) {
        Registry r;
        return r.KeyExists(key);
    }
};

}  // namespace lindora::test
