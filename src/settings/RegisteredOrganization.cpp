#include "settings/RegisteredOrganization.h"

#include "store/Registry.h"

namespace lindora {

std::string registeredOrganization() {
    try {
        Registry registry(RegistryRoot::LocalMachine);
        if (registry.OpenKeyReadOnly("SOFTWARE\\Microsoft\\Windows\\CurrentVersion") &&
            registry.ValueExists("RegisteredOrganization"))
            return registry.ReadString("RegisteredOrganization");
    } catch (const ERegistryException&) {
        // not a string: no organisation
    }
    return {};
}

}  // namespace lindora
