#include "store/RegistryLocation.h"

#include <pwd.h>
#include <unistd.h>
#include <cstdlib>

namespace lindora {

namespace fs = std::filesystem;

namespace {

// Only absolute paths count: the XDG rules say relative ones are invalid and ignored.
const char* absoluteEnv(const char* name) {
    const char* value = std::getenv(name);
    return value && value[0] == '/' ? value : nullptr;
}

fs::path userConfigFolder() {
    if (const char* config = absoluteEnv("XDG_CONFIG_HOME")) return config;
    if (const char* home = absoluteEnv("HOME")) return fs::path(home) / ".config";
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return fs::path(pw->pw_dir) / ".config";
    return fs::path("/tmp") / ("lindora-" + std::to_string(::getuid()));
}

}  // namespace

fs::path registryStoreFile(RegistryRoot root) {
    const char* fileName = root == RegistryRoot::CurrentUser ? "user.reg" : "machine.reg";
    if (const char* dir = std::getenv("LINDORA_REGISTRY_DIR"); dir && dir[0]) return fs::absolute(dir) / fileName;
    if (root == RegistryRoot::LocalMachine) return fs::path("/etc/xdg/lindora") / fileName;
    return userConfigFolder() / "lindora" / fileName;
}

}  // namespace lindora
