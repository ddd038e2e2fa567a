// The program's command line, and whole runs of the program on the offscreen backend: in
// process, and the built executable from a folder with spaces and non-ASCII letters.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/CommandLine.h"
#include "app/LindoraRun.h"
#include "app/TempRegistryFolder.h"
#include "platform/browser/BrowserUri.h"

namespace lindora::test {
namespace {

namespace fs = std::filesystem;

// No environment choice may leak into the parsing; runs keep their settings in a folder of
// their own.
class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        registerLindoraPlatforms();
        for (const char* v : {"LINDORA_PLATFORM", "LINDORA_INPUT_SCRIPT", "LINDORA_RECORD"}) unsetenv(v);
    }
    TempRegistryFolder store_;
};

TEST_F(CommandLineTest, OptionsAreReadInBothSpellings) {
    CommandLine cl =
        parseCommandLine({"--platform", "offscreen", "--screenshot=shot.png", "--script", "s.txt", "--record=r.txt"});
    EXPECT_EQ(cl.action, CommandLine::Action::Run);
    EXPECT_EQ(cl.platform.platform, "offscreen");
    EXPECT_EQ(cl.platform.screenshot, "shot.png");
    EXPECT_EQ(cl.platform.inputScript, "s.txt");
    EXPECT_EQ(cl.platform.recordFile, "r.txt");
    EXPECT_EQ(parseCommandLine({"--scale=2"}).platform.scale, 2);
    EXPECT_EQ(parseCommandLine({"--help"}).action, CommandLine::Action::Help);
    EXPECT_EQ(parseCommandLine({"--version"}).action, CommandLine::Action::Version);
    EXPECT_EQ(parseCommandLine({}).platform.platform, "");
    // A script or a record chooses the offscreen platform, whose facilities they are.
    EXPECT_EQ(parseCommandLine({"--record", "r.txt"}).platform.platform, "offscreen");
}

TEST_F(CommandLineTest, BadCommandLinesAreRefusedWithAClearMessage) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"--frobnicate"}, "Unknown option \"--frobnicate\""},
        {{"stray.txt"}, "Unexpected argument \"stray.txt\""},
        {{"--platform"}, "The option --platform needs a value"},
        {{"--screenshot="}, "The option --screenshot needs a value"},
        {{"--scale", "5"}, "The option --scale needs a whole number from 1 to 4, not \"5\""},
        {{"--platform", "wayland-direct"}, "Unknown platform \"wayland-direct\""},
        {{"--platform", "gtk", "--script", "s.txt"}, "offscreen platform only"},
    };
    for (const auto& [args, message] : cases) {
        SCOPED_TRACE(message);
        try {
            parseCommandLine(args);
            ADD_FAILURE() << "accepted";
        } catch (const CommandLineError& e) {
            EXPECT_NE(e.message().find(message), std::string::npos) << e.message();
        }
    }
}

TEST_F(CommandLineTest, RunExitStatusesForHelpVersionAndBadOptions) {
    std::ostringstream out, err;
    EXPECT_EQ(runLindora({"--version"}, out, err), 0);
    EXPECT_EQ(out.str(), "Lindora 1.0\n");
    out.str("");
    EXPECT_EQ(runLindora({"--help"}, out, err), 0);
    EXPECT_NE(out.str().find("--screenshot FILE"), std::string::npos);
    EXPECT_TRUE(err.str().empty());
    EXPECT_EQ(runLindora({"--bogus"}, out, err), 2);
    EXPECT_EQ(err.str(), "lindora: Unknown option \"--bogus\" (see lindora --help)\n");
}

std::vector<std::string> readLines(const fs::path& file) {
    std::ifstream in(file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The first record line that starts with `prefix`.
std::string firstLine(const std::vector<std::string>& lines, const std::string& prefix) {
    for (const auto& l : lines)
        if (l.rfind(prefix, 0) == 0) return l;
    return {};
}

TEST_F(CommandLineTest, AnOffscreenRunStartsNavigatesTakesItsScreenshotAndEndsWithStatusZero) {
    const fs::path dir = fs::temp_directory_path() / "lindora-app-run";
    fs::create_directories(dir);
    const fs::path record = dir / "record.txt", shot = dir / "shot.png", script = dir / "script.txt";
    fs::remove(shot);
    std::ofstream(script) << "wait 100\n";
    std::ostringstream out, err;
    EXPECT_EQ(runLindora({"--platform", "offscreen", "--script", script.string(), "--screenshot", shot.string(),
                          "--record", record.string()},
                         out, err),
              0)
        << err.str();
    EXPECT_TRUE(fs::exists(shot));
    const auto lines = readLines(record);
    EXPECT_NE(firstLine(lines, "browser-navigate \"file://"), "");
    EXPECT_NE(firstLine(lines, "screenshot "), "");
    EXPECT_EQ(firstLine(lines, "close (end of script)"), "close (end of script) \"Lindora 1.0\"");
    fs::remove_all(dir);
}

TEST_F(CommandLineTest, AScreenshotThatCannotBeWrittenEndsTheRunWithStatusOne) {
    std::ostringstream out, err;
    EXPECT_EQ(runLindora({"--platform", "offscreen", "--screenshot", "/nonexistent-dir/shot.png"}, out, err), 1);
    EXPECT_NE(err.str().find("screenshot"), std::string::npos) << err.str();
}

#ifdef LINDORA_EXECUTABLE
// Runs `command` through the shell; the exit status, or -1.
int runShell(const std::string& command) {
    const int rc = std::system(command.c_str());
    return rc != -1 && WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}

std::string quoted(const fs::path& p) {
    std::string s = "'";
    for (char c : p.string()) s += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return s + "'";
}

TEST_F(CommandLineTest, TheBuiltProgramInAFolderWithSpacesAndNonAsciiLettersOpensItsOwnStartPage) {
    const fs::path dir = fs::temp_directory_path() / "lindora app Ünïcödé 日本" / "Program Files (x86)";
    fs::remove_all(dir.parent_path());
    fs::create_directories(dir);
    fs::copy_file(LINDORA_EXECUTABLE, dir / "lindora");
    fs::permissions(dir / "lindora", fs::perms::owner_all, fs::perm_options::add);
    const fs::path record = dir.parent_path() / "record.txt";

    const int status = runShell("env -u LINDORA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY " + quoted(dir / "lindora") +
                                " --record " + quoted(record) + " >/dev/null 2>&1");
    EXPECT_EQ(status, 0);
    const std::string line = firstLine(readLines(record), "browser-navigate ");
    ASSERT_FALSE(line.empty());
    // browser-navigate "<uri>"
    const std::string uri = line.substr(std::string("browser-navigate \"").size(),
                                        line.size() - std::string("browser-navigate \"").size() - 1);
    EXPECT_EQ(localPathFromFileUri(uri), (dir / "index.htm").string());

    EXPECT_EQ(runShell(quoted(dir / "lindora") + " --no-such-option 2>/dev/null"), 2);
    fs::remove_all(dir.parent_path());
}
#endif

}  // namespace
}  // namespace lindora::test
