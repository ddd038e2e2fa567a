#pragma once
#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "store/RegistryRoots.h"

namespace lindora::test {

// A store folder of its own for the lifetime of the object (LINDORA_REGISTRY_DIR points at it),
// so that no test reads or writes the user's settings. Programs started meanwhile inherit it.
class TempRegistryFolder {
public:
    TempRegistryFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "lindora-app-store-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a store folder");
        path_ = pattern;
        ::setenv("LINDORA_REGISTRY_DIR", path_.c_str(), 1);
        RegistryRoots::reset();
    }
    ~TempRegistryFolder() {
        RegistryRoots::reset();
        ::unsetenv("LINDORA_REGISTRY_DIR");
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempRegistryFolder(const TempRegistryFolder&) = delete;
    TempRegistryFolder& operator=(const TempRegistryFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace lindora::test
