#include "app/StartPageLocation.h"

#include <filesystem>
#include <system_error>

#include "app/AppTexts.h"

#ifndef LINDORA_DATA_FROM_BIN
#define LINDORA_DATA_FROM_BIN "../share/lindora"
#endif

namespace lindora {

namespace {

bool isFile(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

}  // namespace

const char* installedDataFolder() { return LINDORA_DATA_FROM_BIN; }

std::string startPagePath(const std::string& executable) {
    const std::size_t slash = executable.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : executable.substr(0, slash + 1);
    const std::string beside = folder + app::StartPageFileName;
    if (folder.empty() || isFile(beside)) return beside;
    const std::filesystem::path installed =
        (std::filesystem::path(folder) / installedDataFolder() / app::StartPageFileName).lexically_normal();
    return isFile(installed) ? installed.string() : beside;
}

}  // namespace lindora
