#pragma once
// Input scripts drive the offscreen backend: one command a line, checked completely before
// anything runs.
//
//   move X Y            pointer to screen point (X, Y)
//   press BUTTON        left, right or middle, at the pointer
//   release BUTTON
//   click X Y           move, press and release left
//   dblclick X Y        two clicks in a row (a double click)
//   key COMBO           press and release: "F10", "Alt+H", "Ctrl+Shift+S", "Enter"
//   keydown NAME / keyup NAME
//   type TEXT           types the rest of the line on the US layout
//   wait MS             advances the clock (timers fall due on the way)
//   close               closes the active form as its close button would
//   screenshot FILE     writes the screen as PNG
//
// Blank lines and lines starting with '#' are ignored.
#include <stdexcept>
#include <string>
#include <vector>

#include "base/Exception.h"
#include "gfx/Geometry.h"

namespace lindora {

// A line the script cannot run; the message names the line number and what was wrong.
class InputScriptError : public Exception {
public:
    InputScriptError(int line, const std::string& what)
        : Exception("input script line " + std::to_string(line) + ": " + what), line_(line) {}
    int line() const { return line_; }

private:
    int line_;
};

struct ScriptCommand {
    enum class Kind { Move, Press, Release, Click, DoubleClick, Key, KeyDown, KeyUp, Type, Wait, Close, Screenshot };
    Kind kind = Kind::Move;
    int line = 0;
    Point point;
    int button = 0;              // 0 left, 1 right, 2 middle
    std::vector<unsigned> keys;  // Key: modifiers first, the key last; KeyDown/KeyUp: one key
    std::u32string text;         // Type
    int ms = 0;                  // Wait
    std::string file;            // Screenshot
};

class InputScript {
public:
    InputScript() = default;
    // Parses the whole text; the first bad line raises InputScriptError.
    static InputScript parse(const std::string& text);
    // Reads and parses a file; an unreadable file raises Exception naming it.
    static InputScript load(const std::string& path);

    const std::vector<ScriptCommand>& commands() const { return commands_; }
    // Adds a command after the last one (the program's own end-of-run steps).
    void append(ScriptCommand command) { commands_.push_back(std::move(command)); }
    bool empty() const { return commands_.empty(); }

private:
    std::vector<ScriptCommand> commands_;
};

}  // namespace lindora
