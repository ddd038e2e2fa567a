#include "app/CommandLine.h"

#include <algorithm>

namespace lindora {

std::string usageText() {
    return "Usage: lindora [OPTION]...\n"
           "Lindora: document conversion through the Quintvel online service.\n"
           "\n"
           "  --platform gtk|offscreen  the window system to use (default: gtk when a display is\n"
           "                            available, else offscreen; also LINDORA_PLATFORM)\n"
           "  --screenshot FILE         write a PNG of the screen once the start page has loaded,\n"
           "                            then exit\n"
           "  --scale N                 device pixels per pixel of the simulated screen, 1 to 4\n"
           "                            (offscreen; also LINDORA_SCALE)\n"
           "  --script FILE             run an input script (offscreen)\n"
           "  --record FILE             write the record of navigations, opens, dialogs and\n"
           "                            sounds at the end (offscreen)\n"
           "  --help                    show this help and exit\n"
           "  --version                 show the version and exit\n";
}

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    CommandLine cl;
    // The environment's choices first; the options override them.
    try {
        cl.platform = parsePlatformArguments({});
    } catch (const Exception& e) {
        throw CommandLineError(e.message());
    }
    bool platformGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& s = args[i];
        auto is = [&](const char* opt) { return s == opt || s.rfind(std::string(opt) + "=", 0) == 0; };
        auto value = [&](const char* opt) -> std::string {
            const std::string prefix = std::string(opt) + "=";
            std::string v;
            if (s.rfind(prefix, 0) == 0) v = s.substr(prefix.size());
            else if (i + 1 < args.size()) v = args[++i];
            else throw CommandLineError(std::string("The option ") + opt + " needs a value");
            if (v.empty()) throw CommandLineError(std::string("The option ") + opt + " needs a value");
            return v;
        };
        if (s == "--help" || s == "-h") cl.action = CommandLine::Action::Help;
        else if (s == "--version") cl.action = CommandLine::Action::Version;
        else if (is("--platform")) {
            cl.platform.platform = value("--platform");
            platformGiven = true;
        } else if (is("--screenshot")) cl.platform.screenshot = value("--screenshot");
        else if (is("--scale")) {
            // The platform layer owns the option's rules and its message.
            try {
                cl.platform.scale = parsePlatformArguments({"--scale", value("--scale")}).scale;
            } catch (const CommandLineError&) {
                throw;
            } catch (const Exception& e) {
                throw CommandLineError(e.message());
            }
        } else if (is("--script")) cl.platform.inputScript = value("--script");
        else if (is("--record")) cl.platform.recordFile = value("--record");
        else if (!s.empty() && s[0] == '-') throw CommandLineError("Unknown option \"" + s + "\" (see lindora --help)");
        else throw CommandLineError("Unexpected argument \"" + s + "\" (see lindora --help)");
    }
    if (cl.action != CommandLine::Action::Run) return cl;

    const bool offscreenOnly = !cl.platform.inputScript.empty() || !cl.platform.recordFile.empty();
    // Scripts and records are the offscreen platform's: asking for one chooses it.
    if (offscreenOnly && !platformGiven && cl.platform.platform.empty()) cl.platform.platform = "offscreen";
    const auto known = registeredPlatforms();
    if (!cl.platform.platform.empty() && std::find(known.begin(), known.end(), cl.platform.platform) == known.end()) {
        std::string list;
        for (const auto& n : known) list += (list.empty() ? "" : ", ") + n;
        throw CommandLineError("Unknown platform \"" + cl.platform.platform + "\" (known: " + list + ")");
    }
    if (offscreenOnly && cl.platform.platform != "offscreen")
        throw CommandLineError("--script and --record work with the offscreen platform only");
    if (cl.platform.screenshot.find('\n') != std::string::npos)
        throw CommandLineError("The screenshot file name cannot contain a line break");
    return cl;
}

}  // namespace lindora
