#pragma once
// A store folder of its own for the lifetime of the object (LINDORA_REGISTRY_DIR points at it),
// so that no test or benchmark reads or writes the user's settings. Programs started meanwhile
// inherit it. Shared by the tests and the benchmarks; it needs nothing but the store.
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "store/RegistryRoots.h"

namespace lindora::test {

class TempStoreFolder {
public:
    explicit TempStoreFolder(const std::string& prefix = "lindora-store") {
        std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a store folder");
        path_ = pattern;
        ::setenv("LINDORA_REGISTRY_DIR", path_.c_str(), 1);
        RegistryRoots::reset();
    }
    ~TempStoreFolder() {
        RegistryRoots::reset();
        ::unsetenv("LINDORA_REGISTRY_DIR");
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempStoreFolder(const TempStoreFolder&) = delete;
    TempStoreFolder& operator=(const TempStoreFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path userFile() const { return path_ / "user.reg"; }
    std::filesystem::path machineFile() const { return path_ / "machine.reg"; }

private:
    std::filesystem::path path_;
};

inline std::string readText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void writeText(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

}  // namespace lindora::test
