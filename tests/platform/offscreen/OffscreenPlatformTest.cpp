// The offscreen backend as the platform selection knows it: chosen by name, built from the
// platform arguments, and finished by writing its record and reporting a failed screenshot.
#include "platform/offscreen/OffscreenPlatform.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "base/Exception.h"
#include "platform/PlatformSelection.h"
#include "platform/browser/BrowserEngineFactory.h"
#include "platform/browser/RecordingBrowserEngine.h"
#include "platform/offscreen/OffscreenIntegration.h"
#include "ui/SystemMetrics.h"

namespace lindora {
namespace {

namespace fs = std::filesystem;

class OffscreenPlatformTest : public ::testing::Test {
protected:
    void SetUp() override {
        registerOffscreenPlatform();
        dir_ = fs::temp_directory_path() / ("lindora-offscreen-platform-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        PlatformIntegration::install(nullptr);
        fs::remove_all(dir_);
    }
    std::string file(const std::string& name, const std::string& text = {}) {
        const fs::path p = dir_ / name;
        if (!text.empty()) std::ofstream(p) << text;
        return p.string();
    }
    static std::string read(const std::string& path) {
        std::ifstream in(path);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path dir_;
};

TEST_F(OffscreenPlatformTest, IsChosenByNameAndBuiltFromTheArguments) {
    PlatformArguments args;
    args.platform = "offscreen";
    args.screenWidth = 800;
    args.screenHeight = 600;
    args.inputScript = file("script.txt", "wait 10\n");
    args.recordFile = file("record.txt");
    PlatformIntegration& p = installPlatform(args);
    EXPECT_EQ(p.name(), "offscreen");
    EXPECT_EQ(p.screen().systemMetric(SM_CXSCREEN), 800);
    EXPECT_EQ(p.screen().grabScreen().size(), Size(800, 600));
    EXPECT_TRUE(installedPlatformTakesScreenshot());
    OffscreenIntegration* offscreen = OffscreenIntegration::current();
    ASSERT_NE(offscreen, nullptr);
    EXPECT_TRUE(offscreen->input().hasScript());
    ASSERT_TRUE(offscreen->input().runNextScriptCommand());  // the wait
    EXPECT_FALSE(offscreen->input().runNextScriptCommand());

    // Its browser engine writes into its record, which the end of the session saves.
    auto engine = createBrowserEngine();
    auto* recording = dynamic_cast<RecordingBrowserEngine*>(engine.get());
    ASSERT_NE(recording, nullptr);
    recording->reportProgress(7, 10);
    finishPlatform(args);
    EXPECT_EQ(PlatformIntegration::instance(), nullptr);
    EXPECT_NE(read(args.recordFile).find("browser-progress 7 10"), std::string::npos) << read(args.recordFile);
}

TEST_F(OffscreenPlatformTest, TheScaleOptionGivesAScreenOfMorePixelsAndTheSameLogicalSize) {
    PlatformArguments args = parsePlatformArguments({"--platform", "offscreen", "--screen", "800x600", "--scale=2"});
    EXPECT_EQ(args.scale, 2);
    PlatformIntegration& p = installPlatform(args);
    EXPECT_EQ(p.screen().systemMetric(SM_CXSCREEN), 800);
    EXPECT_EQ(p.screen().grabScreen().size(), Size(1600, 1200));
    EXPECT_EQ(OffscreenIntegration::current()->scale(), 2);
    for (const char* bad : {"0", "5", "x", "", "22"})
        EXPECT_THROW(parsePlatformArguments({"--scale", bad}), Exception) << bad;
    // From the environment too, as the program's own command line reads it.
    ::setenv("LINDORA_SCALE", "3", 1);
    const int fromEnvironment = parsePlatformArguments({}).scale;
    ::setenv("LINDORA_SCALE", "9", 1);
    EXPECT_THROW(parsePlatformArguments({}), Exception);
    ::unsetenv("LINDORA_SCALE");
    EXPECT_EQ(fromEnvironment, 3);
}

TEST_F(OffscreenPlatformTest, ABadScriptStopsTheStartBeforeAnythingIsInstalled) {
    PlatformArguments args;
    args.platform = "offscreen";
    args.inputScript = file("bad.txt", "move 1 2\njump\n");
    EXPECT_THROW(installPlatform(args), InputScriptError);
    EXPECT_EQ(PlatformIntegration::instance(), nullptr);
}

TEST_F(OffscreenPlatformTest, TheScreenshotIsTheScriptsLastStepAndItsFailureFailsTheSession) {
    PlatformArguments args;
    args.platform = "offscreen";
    args.inputScript = file("script.txt", "wait 10\n");
    args.recordFile = file("record.txt");
    args.screenshot = (dir_ / "no such folder" / "shot.png").string();
    installPlatform(args);
    OffscreenInputDriver& input = OffscreenIntegration::current()->input();
    ASSERT_TRUE(input.runNextScriptCommand());
    EXPECT_THROW(input.runNextScriptCommand(), Exception);

    // The record is written first; the backend goes even though its end failed.
    try {
        finishPlatform(args);
        ADD_FAILURE() << "the failed screenshot went unreported";
    } catch (const Exception& e) {
        EXPECT_NE(std::string(e.what()).find("screenshot failed"), std::string::npos) << e.what();
    }
    EXPECT_EQ(PlatformIntegration::instance(), nullptr);
    EXPECT_NE(read(args.recordFile).find("screenshot failed"), std::string::npos);
}

}  // namespace
}  // namespace lindora
