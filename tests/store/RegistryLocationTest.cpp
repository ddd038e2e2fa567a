// Where the stores live, from the environment.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

#include "store/RegistryLocation.h"

namespace lindora {
namespace {

// Sets or clears environment variables for one test and puts the old values back.
class ScopedEnv {
public:
    void set(const char* name, const char* value) {
        if (!saved_.count(name)) {
            const char* old = std::getenv(name);
            saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value) ::setenv(name, value, 1);
        else ::unsetenv(name);
    }
    ~ScopedEnv() {
        for (const auto& [name, value] : saved_) {
            if (value) ::setenv(name.c_str(), value->c_str(), 1);
            else ::unsetenv(name.c_str());
        }
    }

private:
    std::map<std::string, std::optional<std::string>> saved_;
};

TEST(RegistryLocation, FollowsTheXdgFoldersUnlessRelocated) {
    const struct {
        const char* registryDir;
        const char* configHome;
        const char* home;
        const char* user;
        const char* machine;
    } cases[] = {
        {nullptr, "/cfg", "/home/u", "/cfg/lindora/user.reg", "/etc/xdg/lindora/machine.reg"},
        {nullptr, nullptr, "/home/u", "/home/u/.config/lindora/user.reg", "/etc/xdg/lindora/machine.reg"},
        {nullptr, "", "/home/u", "/home/u/.config/lindora/user.reg", "/etc/xdg/lindora/machine.reg"},
        {nullptr, "relative/cfg", "/home/u", "/home/u/.config/lindora/user.reg", "/etc/xdg/lindora/machine.reg"},
        {"/tmp/stores", "/cfg", "/home/u", "/tmp/stores/user.reg", "/tmp/stores/machine.reg"},
        {"", "/cfg", "/home/u", "/cfg/lindora/user.reg", "/etc/xdg/lindora/machine.reg"},
    };
    for (const auto& c : cases) {
        ScopedEnv env;
        env.set("LINDORA_REGISTRY_DIR", c.registryDir);
        env.set("XDG_CONFIG_HOME", c.configHome);
        env.set("HOME", c.home);
        EXPECT_EQ(registryStoreFile(RegistryRoot::CurrentUser), c.user);
        EXPECT_EQ(registryStoreFile(RegistryRoot::LocalMachine), c.machine);
    }
}

}  // namespace
}  // namespace lindora
