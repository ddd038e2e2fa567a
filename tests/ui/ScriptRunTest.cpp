// An application driven by an input script on the offscreen backend, end to end.
#include <filesystem>

#include "UiTestSupport.h"
#include "gfx/Canvas.h"
#include "platform/PlatformSelection.h"
#include "platform/offscreen/OffscreenPlatform.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/SystemMetrics.h"

namespace lindora::test {
namespace {

class ScriptRunTest : public UiTest {};

TEST_F(ScriptRunTest, AScriptClicksTypesWaitsTakesAScreenshotAndTheMainWindowClosesAtTheEnd) {
    const auto dir = std::filesystem::temp_directory_path() / "lindora-ui";
    std::filesystem::create_directories(dir);
    const auto shot = (dir / "script-shot.png").string();
    std::filesystem::remove(shot);

    Application app;
    app.initialize();
    auto* form = app.createForm<Form>();
    form->setCaption("Scripted");
    form->setBoundsTo(100, 100, 400, 300);
    LogWindow button("button", nullptr);
    form->show();
    createChild(button, *form, {10, 10, 110, 40});
    ws().setFocus(&button);
    int ticks = 0;
    ws().setTimer(nullptr, 0, 400, [&](unsigned) { ++ticks; });
    bool closedAsked = false;
    form->OnClose.bind([&](Persistent*, CloseAction&) { closedAsked = true; });

    const Point b = button.clientToScreen({5, 5});
    platform().input().setScript(InputScript::parse("click " + std::to_string(b.x) + " " + std::to_string(b.y) +
                                                    "\ntype ok\nkey Alt+H\nwait 1000\nscreenshot " + shot + "\n"));
    app.run();

    EXPECT_TRUE(app.terminated());
    EXPECT_TRUE(closedAsked);
    EXPECT_EQ(button.receivedOf(WM_LBUTTONDOWN).size(), 1u);
    EXPECT_EQ(button.receivedOf(WM_CHAR).size(), 2u);
    EXPECT_EQ(button.receivedOf(WM_SYSCHAR).size(), 1u);
    EXPECT_EQ(ticks, 2);
    EXPECT_TRUE(std::filesystem::exists(shot));
    const auto& lines = platform().record().lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "screenshot \"" + shot + "\"");
    EXPECT_EQ(lines[1], "close (end of script) \"Scripted\"");
}

TEST_F(ScriptRunTest, ACloseInTheScriptClosesTheActiveFormAndNothingMoreAtTheEnd) {
    Application app;
    app.initialize();
    auto* form = app.createForm<Form>();
    form->setCaption("Main");
    form->show();
    int closes = 0;
    form->OnCloseQuery.bind([&](Persistent*, bool& canClose) { canClose = ++closes > 1; });
    platform().input().setScript(InputScript::parse("close\nclose\n"));
    app.run();
    EXPECT_EQ(closes, 2);
    EXPECT_EQ(platform().record().matching("end of script").size(), 0u);
}

TEST_F(ScriptRunTest, PlatformArgumentsChooseTheBackendAndRejectBadValues) {
    registerOffscreenPlatform();
    auto a = parsePlatformArguments({"--platform", "offscreen", "--screen=800x600", "file.txt", "--record", "r.txt"});
    EXPECT_EQ(a.platform, "offscreen");
    EXPECT_EQ(a.screenWidth, 800);
    EXPECT_EQ(a.recordFile, "r.txt");
    EXPECT_EQ(a.rest, (std::vector<std::string>{"file.txt"}));
    EXPECT_THROW(parsePlatformArguments({"--screen", "huge"}), Exception);
    EXPECT_THROW(parsePlatformArguments({"--platform"}), Exception);
    PlatformArguments bad;
    bad.platform = "nonesuch";
    EXPECT_THROW(installPlatform(bad), Exception);

    a.rest.clear();
    a.recordFile.clear();
    PlatformIntegration& p = installPlatform(a);
    EXPECT_EQ(p.name(), "offscreen");
    EXPECT_EQ(p.screen().systemMetric(SM_CXSCREEN), 800);
}

}  // namespace
}  // namespace lindora::test
