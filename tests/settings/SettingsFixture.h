#pragma once
// A temporary folder for the registry stores (LINDORA_REGISTRY_DIR) for one test, and reading
// back what the settings wrote.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/registry/Registry.h"
#include "platform/registry/RegistryRoots.h"

namespace lindora::test {

class SettingsStoreFixture : public ::testing::Test {
protected:
    std::filesystem::path folder;

    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "lindora-settings-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        ::setenv("LINDORA_REGISTRY_DIR", folder.c_str(), 1);
        RegistryRoots::reset();
        RegistryRoots::setDiagnosticHandler([](const std::string&) {});
    }

    void TearDown() override {
        RegistryRoots::reset();
        RegistryRoots::setDiagnosticHandler({});
        ::unsetenv("LINDORA_REGISTRY_DIR");
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }

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
