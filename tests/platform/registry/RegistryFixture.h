#pragma once
// A temporary folder holding both registry stores, set through LINDORA_REGISTRY_DIR for the
// duration of one test, with the diagnostics the stores report collected.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/registry/RegistryRoots.h"

namespace lindora::test {

inline std::filesystem::path makeTempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lindora-registry-XXXXXX").string();
    char* made = ::mkdtemp(pattern.data());
    if (!made) throw std::runtime_error("mkdtemp failed");
    return made;
}

inline std::string readText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void writeText(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

class RegistryFixture : public ::testing::Test {
protected:
    std::filesystem::path folder;
    std::vector<std::string> diagnostics;

    void SetUp() override {
        folder = makeTempFolder();
        ::setenv("LINDORA_REGISTRY_DIR", folder.c_str(), 1);
        RegistryRoots::reset();
        RegistryRoots::setDiagnosticHandler([this](const std::string& m) { diagnostics.push_back(m); });
    }

    void TearDown() override {
        RegistryRoots::reset();
        RegistryRoots::setDiagnosticHandler({});
        ::unsetenv("LINDORA_REGISTRY_DIR");
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }

    std::filesystem::path userFile() const { return folder / "user.reg"; }
    std::filesystem::path machineFile() const { return folder / "machine.reg"; }

    std::vector<std::string> folderEntries() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

}  // namespace lindora::test
