// The built program's main menu driven by input scripts on the offscreen backend, as a user at
// the keyboard would: what the record shows of sounds and dialogs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/LindoraRun.h"
#include "app/TempRegistryFolder.h"

namespace lindora::test {
namespace {

namespace fs = std::filesystem;

// The record's lines that start with one of the prefixes, in order.
std::vector<std::string> linesStartingWith(const fs::path& file, const std::vector<std::string>& prefixes) {
    std::vector<std::string> out;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);)
        for (const std::string& p : prefixes)
            if (line.rfind(p, 0) == 0) out.push_back(line);
    return out;
}

TEST(MainWindowMenuScriptTest, KeyboardScriptsWorkTheHelpMenu) {
    TempRegistryFolder store;
    const fs::path dir = fs::temp_directory_path() / "lindora-menu-script";
    fs::create_directories(dir);
    struct Case {
        const char* name;
        const char* script;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases{
        {"About by F10, arrows, Down and Enter",
         "key F10\nkey Right\nkey Right\nkey Down\nkey Down\nkey Enter\nwait 100\n",
         {"sound MenuPopup", "sound MenuCommand", "dialog"}},
        {"Esc twice ends the menu, so Enter reaches the page",
         "key F10\nkey Right\nkey Right\nkey Down\nkey Escape\nkey Escape\nkey Enter\nwait 100\n",
         {"sound MenuPopup"}},
        {"Alt alone, then Right twice and Enter open Help",
         "key Alt\nkey Right\nkey Right\nkey Enter\nwait 100\n",
         {"sound MenuPopup"}},
    };
    for (const Case& c : cases) {
        const fs::path script = dir / "script.txt", record = dir / "record.txt";
        std::ofstream(script) << c.script;
        fs::remove(record);
        std::ostringstream out, err;
        EXPECT_EQ(
            runLindora({"--platform", "offscreen", "--script", script.string(), "--record", record.string()}, out, err),
            0)
            << c.name << ": " << err.str();
        std::vector<std::string> seen = linesStartingWith(record, {"sound ", "dialog "});
        for (std::string& line : seen)
            if (line.rfind("dialog ", 0) == 0) {
                EXPECT_NE(line.find("\"Information\""), std::string::npos) << line;
                line = "dialog";
            }
        EXPECT_EQ(seen, c.expected) << c.name;
    }
    fs::remove_all(dir);
}

}  // namespace
}  // namespace lindora::test
