#pragma once
// The program from start to end, for main() and for tests: reads the command line, installs
// the backend, creates the application and its main window, runs the message loop and tears
// everything down again.
#include <ostream>
#include <string>
#include <vector>

namespace lindora {

// Exit status: 0 after a normal end, 1 when the program could not start or its screenshot
// failed, 2 for a command line it cannot run with. `args` excludes argv[0].
int runLindora(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Makes the backends selectable by name, each with its browser engine: offscreen always, gtk
// when it is built in. Again does nothing.
void registerLindoraPlatforms();

}  // namespace lindora
