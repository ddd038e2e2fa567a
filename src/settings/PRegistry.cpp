#include "settings/PRegistry.h"

namespace lindora {

bool PRegistry::OpenKey(const std::string& key, bool canCreate) {
    if (openWith(key, canCreate, RegAccess::ReadWrite)) return true;
    return !canCreate && openWith(key, false, RegAccess::Read);
}

}  // namespace lindora
