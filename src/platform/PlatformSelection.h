#pragma once
// Chooses the backend at start: `--platform NAME`, else LINDORA_PLATFORM, else gtk when a
// display is available and the gtk backend is linked, else offscreen. Backends other than
// offscreen register a factory (the gtk library does so through registerPlatformFactory).
//
// Offscreen options: `--script FILE` (also `--input-script`, or LINDORA_INPUT_SCRIPT) runs an
// input script;
// `--record FILE` (or LINDORA_RECORD) writes the event record when the session ends;
// `--screen WxH` sets the virtual screen size; `--real-clock` uses real time.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/PlatformIntegration.h"

namespace lindora {

struct PlatformArguments {
    std::string platform;  // empty: choose by availability
    std::string inputScript;
    std::string recordFile;
    int screenWidth = 1280;
    int screenHeight = 1024;
    bool realClock = false;
    std::vector<std::string> rest;  // arguments not meant for the platform, in order
};

using PlatformFactory = std::function<std::unique_ptr<PlatformIntegration>(const PlatformArguments&)>;

// `available` tells whether the backend can run here (a display is reachable).
void registerPlatformFactory(const std::string& name, PlatformFactory factory, std::function<bool()> available);
std::vector<std::string> registeredPlatforms();

// Reads the platform options from the command line (argv[0] excluded) and the environment.
// A bad option raises Exception with a message for the user.
PlatformArguments parsePlatformArguments(const std::vector<std::string>& args);

// Installs the chosen backend. Unknown names raise Exception listing the known ones; a bad
// input script raises InputScriptError before anything runs.
PlatformIntegration& installPlatform(const PlatformArguments& args);

// Ends the session: writes the event record when one was asked for, then uninstalls.
void finishPlatform(const PlatformArguments& args);

}  // namespace lindora
