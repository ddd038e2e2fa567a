#pragma once
// Chooses the backend at start: `--platform NAME`, else LINDORA_PLATFORM, else gtk when it is
// registered and a display is available, else offscreen. Every backend registers itself by name
// (registerGtkPlatform, registerOffscreenPlatform); the selection knows them by name only.
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
    // Device pixels per logical pixel of a backend that simulates its screen (--scale or
    // LINDORA_SCALE); a desktop's own backend follows the desktop's scale instead.
    int scale = 1;
    // A PNG of the screen at the end of the run; set by the program's command line.
    std::string screenshot;
    std::vector<std::string> rest;  // arguments not meant for the platform, in order
};

using PlatformFactory = std::function<std::unique_ptr<PlatformIntegration>(const PlatformArguments&)>;

// A backend as the selection knows it.
struct PlatformBackend {
    PlatformFactory create;
    // Whether the backend can run here; empty: when a display is reachable.
    std::function<bool()> available;
    // Takes the end-of-run screenshot itself (a scripted backend); otherwise the program does,
    // through the screen's grab.
    bool takesScreenshot = false;
    // Runs when the session ends, before the backend is uninstalled; may raise Exception.
    std::function<void(PlatformIntegration&, const PlatformArguments&)> finish;
};

// Replaces an earlier backend of the same name.
void registerPlatformFactory(const std::string& name, PlatformBackend backend);
void registerPlatformFactory(const std::string& name, PlatformFactory factory, std::function<bool()> available);
// The registered names, offscreen first.
std::vector<std::string> registeredPlatforms();

// Reads the platform options from the command line (argv[0] excluded) and the environment.
// A bad option raises Exception with a message for the user.
PlatformArguments parsePlatformArguments(const std::vector<std::string>& args);

// Installs the chosen backend. Unknown names raise Exception listing the known ones; a bad
// input script raises InputScriptError before anything runs.
PlatformIntegration& installPlatform(const PlatformArguments& args);

// Whether the installed backend takes the end-of-run screenshot itself.
bool installedPlatformTakesScreenshot();

// Ends the session: the backend's own finish (the offscreen one writes its event record), then
// uninstalls, also when the finish raises.
void finishPlatform(const PlatformArguments& args);

}  // namespace lindora
