#pragma once
// A temporary folder for the registry stores (LINDORA_REGISTRY_DIR) for one test, and reading
// back what the settings wrote.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "store/Registry.h"
#include "store/RegistryRoots.h"
#include "support/TempStoreFolder.h"

namespace lindora::test {

class SettingsStoreFixture : public ::testing::Test {
protected:
    std::filesystem::path folder;

    void SetUp() override {
        store_.emplace("lindora-settings");
        folder = store_->path();
        RegistryRoots::setDiagnosticHandler([](const std::string&) {});
    }

    void TearDown() override {
        RegistryRoots::reset();
        RegistryRoots::setDiagnosticHandler({});
        store_.reset();
    }

    std::filesystem::path userFile() const { return store_->userFile(); }
    std::filesystem::path machineFile() const { return store_->machineFile(); }

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

private:
    std::optional<TempStoreFolder> store_;
};

}  // namespace lindora::test
