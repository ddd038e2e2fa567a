#include "platform/PlatformSelection.h"

#include <cstdlib>
#include <map>

#include "base/Exception.h"

namespace lindora {

namespace {

// Registered at start-up, read when a backend is installed; all on the UI thread.
std::map<std::string, PlatformBackend>& backends() {
    static std::map<std::string, PlatformBackend> map;
    return map;
}

const PlatformBackend* installedBackend() {
    PlatformIntegration* p = PlatformIntegration::instance();
    if (!p) return nullptr;
    auto it = backends().find(p->name());
    return it == backends().end() ? nullptr : &it->second;
}

std::string env(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

// A simulated screen's scale: a whole number from 1 to 4.
int parseScale(const std::string& v, const std::string& what) {
    if (v.size() != 1 || v[0] < '1' || v[0] > '4')
        throw Exception(what + " needs a whole number from 1 to 4, not \"" + v + "\"");
    return v[0] - '0';
}

bool displayAvailable() { return !env("DISPLAY").empty() || !env("WAYLAND_DISPLAY").empty(); }

}  // namespace

void registerPlatformFactory(const std::string& name, PlatformBackend backend) {
    if (!backend.available) backend.available = displayAvailable;
    backends()[name] = std::move(backend);
}

void registerPlatformFactory(const std::string& name, PlatformFactory factory, std::function<bool()> available) {
    PlatformBackend backend;
    backend.create = std::move(factory);
    backend.available = std::move(available);
    registerPlatformFactory(name, std::move(backend));
}

std::vector<std::string> registeredPlatforms() {
    std::vector<std::string> names;
    if (backends().count("offscreen")) names.push_back("offscreen");
    for (const auto& [name, b] : backends())
        if (name != "offscreen") names.push_back(name);
    return names;
}

PlatformArguments parsePlatformArguments(const std::vector<std::string>& args) {
    PlatformArguments a;
    a.platform = env("LINDORA_PLATFORM");
    a.inputScript = env("LINDORA_INPUT_SCRIPT");
    a.recordFile = env("LINDORA_RECORD");
    if (const std::string scale = env("LINDORA_SCALE"); !scale.empty()) a.scale = parseScale(scale, "LINDORA_SCALE");
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& s = args[i];
        auto value = [&](const char* opt) -> std::string {
            std::string prefix = std::string(opt) + "=";
            if (s.rfind(prefix, 0) == 0) return s.substr(prefix.size());
            if (i + 1 >= args.size()) throw Exception(std::string("The option ") + opt + " needs a value");
            return args[++i];
        };
        auto is = [&](const char* opt) { return s == opt || s.rfind(std::string(opt) + "=", 0) == 0; };
        if (is("--platform")) a.platform = value("--platform");
        else if (is("--script")) a.inputScript = value("--script");
        else if (is("--input-script")) a.inputScript = value("--input-script");
        else if (is("--record")) a.recordFile = value("--record");
        else if (is("--screen")) {
            std::string v = value("--screen");
            auto x = v.find('x');
            int w = 0, h = 0;
            try {
                if (x == std::string::npos) throw std::invalid_argument(v);
                w = std::stoi(v.substr(0, x));
                h = std::stoi(v.substr(x + 1));
            } catch (const std::exception&) {
                throw Exception("The option --screen needs a size such as 1280x1024, not \"" + v + "\"");
            }
            if (w < 64 || h < 64 || w > 16384 || h > 16384)
                throw Exception("The screen size " + v + " is out of range (64 to 16384 pixels each way)");
            a.screenWidth = w;
            a.screenHeight = h;
        } else if (is("--scale")) a.scale = parseScale(value("--scale"), "The option --scale");
        else if (s == "--real-clock") a.realClock = true;
        else a.rest.push_back(s);
    }
    return a;
}

PlatformIntegration& installPlatform(const PlatformArguments& args) {
    std::string name = args.platform;
    if (name.empty()) {
        auto it = backends().find("gtk");
        name = (it != backends().end() && it->second.available()) ? "gtk" : "offscreen";
    }
    auto it = backends().find(name);
    if (it == backends().end()) {
        std::string known;
        for (const auto& n : registeredPlatforms()) known += (known.empty() ? "" : ", ") + n;
        throw Exception("Unknown platform \"" + name + "\" (known: " + known + ")");
    }
    PlatformIntegration::install(it->second.create(args));
    return *PlatformIntegration::instance();
}

bool installedPlatformTakesScreenshot() {
    const PlatformBackend* b = installedBackend();
    return b && b->takesScreenshot;
}

void finishPlatform(const PlatformArguments& args) {
    PlatformIntegration* p = PlatformIntegration::instance();
    const PlatformBackend* b = installedBackend();
    try {
        if (p && b && b->finish) b->finish(*p, args);
    } catch (...) {
        PlatformIntegration::install(nullptr);
        throw;
    }
    PlatformIntegration::install(nullptr);
}

}  // namespace lindora
