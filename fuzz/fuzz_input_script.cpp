// Feeds arbitrary text to the input script reader. Any input must either parse or fail with
// InputScriptError, without leaks or memory errors; what parses keeps its commands in line
// order with their arguments in range.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/offscreen/InputScript.h"

using namespace lindora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    InputScript script;
    try {
        script = InputScript::parse(text);
    } catch (const InputScriptError&) {
        return 0;
    }
    int previous = 0;
    for (const ScriptCommand& c : script.commands()) {
        bool sound = c.line > previous && c.ms >= 0 && c.button >= 0 && c.button <= 2;
        if (c.kind == ScriptCommand::Kind::Key) sound = sound && !c.keys.empty();
        if (c.kind == ScriptCommand::Kind::KeyDown || c.kind == ScriptCommand::Kind::KeyUp)
            sound = sound && c.keys.size() == 1;
        if (c.kind == ScriptCommand::Kind::Type) sound = sound && !c.text.empty();
        if (c.kind == ScriptCommand::Kind::Screenshot) sound = sound && !c.file.empty();
        if (!sound) {
            std::fprintf(stderr, "unsound command from line %d\n", c.line);
            std::abort();
        }
        previous = c.line;
    }
    return 0;
}
