#pragma once
// The process's two stores, opened on first use at the places RegistryLocation.h names. Every
// Registry object of a root shares its store.
#include <memory>

#include "store/RegistryStore.h"

namespace lindora {

class RegistryRoots {
public:
    static std::shared_ptr<RegistryStore> store(RegistryRoot root);
    // Saves and forgets both stores, so that the next use finds them again (after a change of
    // LINDORA_REGISTRY_DIR, as tests do). Registry objects still open keep the old store.
    static void reset();
    // Where damaged files and failed saves at exit are reported; standard error by default.
    static void setDiagnosticHandler(RegistryDiagnosticHandler handler);
};

}  // namespace lindora
