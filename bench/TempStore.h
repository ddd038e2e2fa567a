#pragma once
// A settings store of its own for a benchmark: LINDORA_REGISTRY_DIR points at a temporary
// folder for the lifetime of the object, and the folder goes with it.
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/registry/RegistryRoots.h"

namespace lindora::bench {

class TempStore {
public:
    TempStore() {
        std::string pattern = (std::filesystem::temp_directory_path() / "lindora-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        m_folder = pattern;
        ::setenv("LINDORA_REGISTRY_DIR", m_folder.c_str(), 1);
        RegistryRoots::reset();
    }
    ~TempStore() {
        RegistryRoots::reset();
        ::unsetenv("LINDORA_REGISTRY_DIR");
        std::filesystem::remove_all(m_folder);
    }
    TempStore(const TempStore&) = delete;
    TempStore& operator=(const TempStore&) = delete;

private:
    std::filesystem::path m_folder;
};

}  // namespace lindora::bench
