// Feeds arbitrary text to the INI reader. Any input must read without leaks or memory errors.
// The text it gives back must read to the same entries and come back unchanged; every value
// written back under its own section and key (here with a leading blank, so that it needs
// quoting) must read back as written, or the write must be refused with EIniFileException.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "store/IniFile.h"

using namespace lindora;

namespace {

using Entries = std::vector<std::tuple<std::string, std::string, std::string>>;

Entries entriesOf(const IniFile& ini) {
    Entries entries;
    for (const std::string& section : ini.ReadSections())
        for (const std::string& key : ini.ReadSection(section))
            entries.emplace_back(section, key, ini.ReadString(section, key, "\x01missing"));
    return entries;
}

[[noreturn]] void fault(const char* what, const std::string& text) {
    std::fprintf(stderr, "%s:\n%s\n", what, text.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A path that never exists: the image is filled from the input, never from a file.
    IniFile ini("/nonexistent/fuzz.ini");
    ini.SetText(std::string_view(reinterpret_cast<const char*>(data), size));
    const Entries entries = entriesOf(ini);
    const std::string text = ini.GetText();

    IniFile again("/nonexistent/fuzz.ini");
    again.SetText(text);
    if (again.GetText() != text) fault("the text given back changes when read again", text);
    if (entriesOf(again) != entries) fault("the text given back reads other entries", text);

    for (const auto& [section, key, value] : entries) {
        const std::string written = " " + value;
        try {
            again.WriteString(section, key, written);
        } catch (const EIniFileException&) {
            continue;
        }
        if (again.ReadString(section, key, "") != written) fault("a written value reads back differently", text);
    }
    IniFile reread("/nonexistent/fuzz.ini");
    reread.SetText(again.GetText());
    if (entriesOf(reread) != entriesOf(again)) fault("written values do not read back from the text", again.GetText());
    return 0;
}
