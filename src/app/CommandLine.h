#pragma once
// The program's command line. The product itself takes no configuration; these options exist
// for running it on Linux and for testing it.
#include <string>
#include <vector>

#include "base/Exception.h"
#include "platform/PlatformSelection.h"

namespace lindora {

// A command line the program cannot run with; the message says what is wrong.
class CommandLineError : public Exception {
public:
    using Exception::Exception;
};

struct CommandLine {
    enum class Action { Run, Help, Version };
    Action action = Action::Run;
    // Platform name, input script, record file and the screenshot (a PNG of the screen once the
    // start page has loaded, then the program ends); the environment's defaults apply first.
    PlatformArguments platform;
};

// Reads the options (argv[0] excluded). Raises CommandLineError for unknown options, missing
// values, unknown platforms and options the chosen platform cannot honour.
CommandLine parseCommandLine(const std::vector<std::string>& args);

// The text of --help.
std::string usageText();

}  // namespace lindora
