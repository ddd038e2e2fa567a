#pragma once
// A test with a store folder of its own (TempStoreFolder.h) for its duration; what the stores
// report is collected in `diagnostics` instead of being printed.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "store/RegistryRoots.h"
#include "support/TempStoreFolder.h"

namespace lindora::test {

class TempStoreTest : public ::testing::Test {
protected:
    std::filesystem::path folder;
    std::vector<std::string> diagnostics;

    void SetUp() override {
        store_.emplace("lindora-store-test");
        folder = store_->path();
        RegistryRoots::setDiagnosticHandler([this](const std::string& m) { diagnostics.push_back(m); });
    }

    void TearDown() override {
        RegistryRoots::reset();
        RegistryRoots::setDiagnosticHandler({});
        store_.reset();
    }

    std::filesystem::path userFile() const { return store_->userFile(); }
    std::filesystem::path machineFile() const { return store_->machineFile(); }

    std::vector<std::string> folderEntries() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::optional<TempStoreFolder> store_;
};

}  // namespace lindora::test
