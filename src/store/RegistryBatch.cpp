#include "store/RegistryBatch.h"

#include <stdexcept>

#include "store/RegistryRoots.h"

namespace lindora {

RegistryBatch::RegistryBatch(RegistryRoot root) : RegistryBatch(RegistryRoots::store(root)) {}

RegistryBatch::RegistryBatch(std::shared_ptr<RegistryStore> store) : m_store(std::move(store)) {
    if (!m_store) throw std::invalid_argument("RegistryBatch needs a store");
    m_store->beginBatch();
}

RegistryBatch::~RegistryBatch() {
    try {
        commit();
    } catch (const std::exception&) {
        // The changes stay pending in the store and go with its next save.
    }
}

void RegistryBatch::commit() {
    if (!m_open) return;
    m_open = false;
    if (m_store->endBatch()) m_store->flush();
}

}  // namespace lindora
