#pragma once
// Where the two stores live:
//   user store     $XDG_CONFIG_HOME/lindora/user.reg (XDG_CONFIG_HOME defaults to ~/.config)
//   machine store  /etc/xdg/lindora/machine.reg
// LINDORA_REGISTRY_DIR, when set, puts both into that one folder (tests always set it).
#include <filesystem>

#include "store/RegistryTypes.h"

namespace lindora {

std::filesystem::path registryStoreFile(RegistryRoot root);

}  // namespace lindora
