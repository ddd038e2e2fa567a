#include "store/RegistryRoots.h"

#include <mutex>

#include "store/RegistryLocation.h"

namespace lindora {

namespace {

struct Roots {
    std::mutex mutex;
    std::shared_ptr<RegistryStore> user;
    std::shared_ptr<RegistryStore> machine;
    RegistryDiagnosticHandler diagnostics;
};

Roots& roots() {
    static Roots instance;
    return instance;
}

}  // namespace

std::shared_ptr<RegistryStore> RegistryRoots::store(RegistryRoot root) {
    Roots& r = roots();
    std::lock_guard lock(r.mutex);
    auto& slot = root == RegistryRoot::CurrentUser ? r.user : r.machine;
    if (!slot) {
        auto access =
            root == RegistryRoot::CurrentUser ? RegistryStore::Access::ReadWrite : RegistryStore::Access::ReadOnly;
        slot = std::make_shared<RegistryStore>(registryStoreFile(root), access, r.diagnostics);
    }
    return slot;
}

void RegistryRoots::reset() {
    std::shared_ptr<RegistryStore> user, machine;
    {
        Roots& r = roots();
        std::lock_guard lock(r.mutex);
        user.swap(r.user);
        machine.swap(r.machine);
    }
    // The stores save on destruction, outside the lock.
}

void RegistryRoots::setDiagnosticHandler(RegistryDiagnosticHandler handler) {
    Roots& r = roots();
    std::lock_guard lock(r.mutex);
    r.diagnostics = handler;
    if (r.user) r.user->setDiagnosticHandler(handler);
    if (r.machine) r.machine->setDiagnosticHandler(handler);
}

}  // namespace lindora
