// Lindora: a window hosting the browser below its toolbar. Everything but the entry point
// lives in the lindora_app library so that tests can run the same start-up.
#include <iostream>
#include <string>
#include <vector>

#include "app/LindoraRun.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return lindora::runLindora(args, std::cout, std::cerr);
}
