#include "store/RegistryBatch.h"

#include <stdexcept>

#include "store/RegistryRoots.h"

namespace lindora {

RegistryBatch::RegistryBatch(RegistryRoot root) : RegistryBatch(RegistryRoots::store(root)) {}

RegistryBatch::RegistryBatch(std::shared_ptr<RegistryStore> store) : store_(std::move(store)) {
    if (!store_) throw std::invalid_argument("RegistryBatch needs a store");
    store_->beginBatch();
}

RegistryBatch::~RegistryBatch() {
    try {
        commit();
    } catch (const std::exception&) {
        // The changes stay pending in the store and go with its next save.
    }
}

void RegistryBatch::commit() {
    if (!open_) return;
    open_ = false;
    if (store_->endBatch()) store_->flush();
}

}  // namespace lindora
