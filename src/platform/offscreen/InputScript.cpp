#include "platform/offscreen/InputScript.h"

#include <charconv>
#include <fstream>
#include <sstream>

#include "base/Utf8.h"
#include "platform/offscreen/UsKeyboardLayout.h"
#include "ui/Messages.h"

namespace lindora {

namespace {

std::vector<std::string> splitWords(const std::string& s) {
    std::vector<std::string> words;
    std::istringstream in(s);
    std::string w;
    while (in >> w) words.push_back(w);
    return words;
}

// The same white space that separates words: a line of only vertical tabs or form feeds is blank.
constexpr const char* kBlanks = " \t\r\v\f";

std::string trim(const std::string& s) {
    const auto b = s.find_first_not_of(kBlanks);
    if (b == std::string::npos) return {};
    const auto e = s.find_last_not_of(kBlanks);
    return s.substr(b, e - b + 1);
}

int parseInt(int line, const std::string& word, const char* what) {
    int v = 0;
    auto [p, ec] = std::from_chars(word.data(), word.data() + word.size(), v);
    if (ec != std::errc() || p != word.data() + word.size())
        throw InputScriptError(line, std::string(what) + " must be a whole number, not \"" + word + "\"");
    return v;
}

unsigned parseKey(int line, const std::string& name) {
    auto vk = UsKeyboardLayout::keyFromName(name);
    if (!vk) throw InputScriptError(line, "unknown key \"" + name + "\"");
    return *vk;
}

int parseButton(int line, const std::string& word) {
    if (word == "left") return 0;
    if (word == "right") return 1;
    if (word == "middle") return 2;
    throw InputScriptError(line, "unknown button \"" + word + "\" (left, right or middle)");
}

void expectArgs(int line, const std::vector<std::string>& w, std::size_t n, const char* usage) {
    if (w.size() != n + 1) throw InputScriptError(line, std::string("expected \"") + usage + "\"");
}

}  // namespace

InputScript InputScript::parse(const std::string& text) {
    InputScript script;
    UsKeyboardLayout layout;
    std::istringstream in(text);
    std::string raw;
    int line = 0;
    while (std::getline(in, raw)) {
        ++line;
        const std::string s = trim(raw);
        if (s.empty() || s[0] == '#') continue;
        const auto w = splitWords(s);
        const std::string& cmd = w[0];
        ScriptCommand c;
        c.line = line;
        if (cmd == "move" || cmd == "click" || cmd == "dblclick") {
            expectArgs(line, w, 2, (cmd + " X Y").c_str());
            c.kind = cmd == "move"    ? ScriptCommand::Kind::Move
                     : cmd == "click" ? ScriptCommand::Kind::Click
                                      : ScriptCommand::Kind::DoubleClick;
            c.point = {parseInt(line, w[1], "X"), parseInt(line, w[2], "Y")};
        } else if (cmd == "press" || cmd == "release") {
            expectArgs(line, w, 1, (cmd + " left|right|middle").c_str());
            c.kind = cmd == "press" ? ScriptCommand::Kind::Press : ScriptCommand::Kind::Release;
            c.button = parseButton(line, w[1]);
        } else if (cmd == "key") {
            expectArgs(line, w, 1, "key NAME, e.g. key Alt+H");
            c.kind = ScriptCommand::Kind::Key;
            std::string combo = w[1];
            std::size_t start = 0;
            while (true) {
                auto plus = combo.find('+', start);
                const bool plusKey = plus == start;
                // A trailing "+" names the plus key itself ("Ctrl++").
                std::string part = plus == std::string::npos ? combo.substr(start)
                                   : plus == start           ? std::string("=")
                                                             : combo.substr(start, plus - start);
                if (part.empty()) throw InputScriptError(line, "empty key name in \"" + combo + "\"");
                c.keys.push_back(parseKey(line, part));
                if (plus == std::string::npos) break;
                start = plus + 1;
                if (plusKey && start == combo.size()) break;
                if (start >= combo.size()) throw InputScriptError(line, "key combination ends with \"+\"");
            }
            for (std::size_t i = 0; i + 1 < c.keys.size(); ++i)
                if (c.keys[i] != VK_MENU && c.keys[i] != VK_CONTROL && c.keys[i] != VK_SHIFT)
                    throw InputScriptError(line, "only Alt, Ctrl and Shift can come before \"+\" in \"" + combo + "\"");
        } else if (cmd == "keydown" || cmd == "keyup") {
            expectArgs(line, w, 1, (cmd + " NAME").c_str());
            c.kind = cmd == "keydown" ? ScriptCommand::Kind::KeyDown : ScriptCommand::Kind::KeyUp;
            c.keys.push_back(parseKey(line, w[1]));
        } else if (cmd == "type") {
            c.kind = ScriptCommand::Kind::Type;
            const auto pos = raw.find("type");
            std::string rest = raw.substr(pos + 4);
            if (!rest.empty() && (rest[0] == ' ' || rest[0] == '\t')) rest.erase(0, 1);
            if (!rest.empty() && rest.back() == '\r') rest.pop_back();
            if (rest.empty()) throw InputScriptError(line, "expected \"type TEXT\"");
            try {
                c.text = utf8ToUtf32(rest, BadText::Throw);
            } catch (const Exception&) {
                throw InputScriptError(line, "the text is not valid UTF-8");
            }
            for (char32_t ch : c.text)
                if (!layout.keyForChar(ch))
                    throw InputScriptError(
                        line, "character U+" + [&] {
                            std::ostringstream h;
                            h << std::hex << std::uppercase << static_cast<unsigned>(ch);
                            return h.str();
                        }() + " cannot be typed on the US keyboard layout");
        } else if (cmd == "wait") {
            expectArgs(line, w, 1, "wait MS");
            c.kind = ScriptCommand::Kind::Wait;
            c.ms = parseInt(line, w[1], "MS");
            if (c.ms < 0) throw InputScriptError(line, "wait needs a time of 0 ms or more");
        } else if (cmd == "close") {
            expectArgs(line, w, 0, "close");
            c.kind = ScriptCommand::Kind::Close;
        } else if (cmd == "screenshot") {
            c.kind = ScriptCommand::Kind::Screenshot;
            std::string rest = trim(s.substr(cmd.size()));
            if (rest.empty()) throw InputScriptError(line, "expected \"screenshot FILE\"");
            c.file = rest;
        } else {
            throw InputScriptError(line, "unknown command \"" + cmd + "\"");
        }
        script.commands_.push_back(std::move(c));
    }
    return script;
}

InputScript InputScript::load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Exception("Cannot read the input script \"" + path + "\"");
    std::ostringstream text;
    text << in.rdbuf();
    return parse(text.str());
}

}  // namespace lindora
