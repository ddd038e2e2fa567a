// Saving and restoring a form's placement on the offscreen screen (1024 x 768).
#include <gtest/gtest.h>

#include "FormSettingsFixture.h"
#include "settings/FormPlacement.h"

namespace lindora::test {
namespace {

struct BoundsCase {
    const char* what;
    StoredPlacement stored;
    Rect current;
    bool centre;
    Rect expected;
};

TEST(RestoredBounds, FollowTheStoredScreenAndKeepTheFormReachable) {
    const Size screen{1024, 768};
    const Rect design = Rect::fromSize(50, 60, 400, 300);
    const BoundsCase cases[] = {
        {"first run, centred with the design size", {}, design, true, Rect::fromSize(312, 234, 400, 300)},
        {"centring truncates toward zero", {}, Rect::fromSize(0, 0, 1025, 769), true, Rect::fromSize(0, 0, 1025, 769)},
        {"centring a form wider than the screen",
         {},
         Rect::fromSize(0, 0, 1100, 300),
         true,
         Rect::fromSize(-38, 234, 1100, 300)},
        {"nothing stored: current bounds kept on screen",
         {},
         Rect::fromSize(900, 700, 400, 300),
         false,
         Rect::fromSize(624, 468, 400, 300)},
        {"nothing stored: negative positions become 0",
         {},
         Rect::fromSize(-5, -9, 400, 300),
         false,
         Rect::fromSize(0, 0, 400, 300)},
        {"same screen, far right", {5000, 10, 400, 300, "1024x768"}, design, true, Rect::fromSize(1004, 10, 400, 300)},
        {"same screen, far down", {10, 900, 400, 300, "1024x768"}, design, false, Rect::fromSize(10, 748, 400, 300)},
        {"same screen, negative", {-50, -2, 400, 300, "1024x768"}, design, false, Rect::fromSize(0, 0, 400, 300)},
        {"larger screen: right edge onto this one",
         {1500, 600, 600, 400, "1920x1080"},
         design,
         false,
         Rect::fromSize(424, 368, 600, 400)},
        {"larger screen: wider than this one",
         {100, 100, 1200, 400, "1920x1080"},
         design,
         false,
         Rect::fromSize(0, 100, 1200, 400)},
        {"larger screen, only the position stored",
         {1500, 600, -1, -1, "1920x1080"},
         design,
         false,
         Rect::fromSize(624, 468, 400, 300)},
        {"only the size stored", {-1, -1, 640, 480, "1024x768"}, design, false, Rect::fromSize(50, 60, 640, 480)},
    };
    for (const BoundsCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(restoredBounds(c.stored, screen, c.current, c.centre), c.expected);
    }
}

class Placement : public FormSettingsTest {
protected:
    std::unique_ptr<StandInForm> loadMain(bool centred = true, std::function<void(StandInForm&)> before = {}) {
        return loadForm(kMainDescription, Rect::fromSize(100, 100, 400, 300), [centred, before](StandInForm& f) {
            f.screenCenter = centred;
            if (before) before(f);
        });
    }
};

TEST_F(Placement, FirstRunCentresTheMainWindowWithItsDesignSize) {
    auto form = loadMain();
    EXPECT_EQ(form->window.bounds(), Rect::fromSize(312, 234, 400, 300));
    EXPECT_TRUE(form->defaultPosOnly);
}

// Only a position the settings decided stands against the system's default place; with nothing
// stored and no centring, the form's own position mode decides.
TEST_F(Placement, TheAppliedPositionIsClaimedOnlyWhenStoredOrCentred) {
    // Each form saves its placement when it goes: start every case from an empty store.
    auto nothingStored = [] { Registry().DeleteKeyTree("\\Software"); };
    nothingStored();
    EXPECT_FALSE(loadMain(false)->positionKept);
    nothingStored();
    EXPECT_TRUE(loadMain(true)->positionKept);
    nothingStored();
    writeInteger(kMainKey, "Left", 40);
    EXPECT_TRUE(loadMain(false)->positionKept);
}

TEST_F(Placement, AStoredPlacementIsAppliedAndPulledBackOnScreen) {
    writeInteger(kMainKey, "Left", 5000);
    writeInteger(kMainKey, "Top", 20);
    writeInteger(kMainKey, "Width", 500);
    writeInteger(kMainKey, "Height", 350);
    writeString(kMainKey, "ScreenRes", "1024x768");
    auto form = loadMain();
    EXPECT_EQ(form->window.bounds(), Rect::fromSize(1004, 20, 500, 350));
}

TEST_F(Placement, SavingWritesThePlacementValuesWithTheirLayouts) {
    platform->setWorkArea(Rect(0, 40, 1024, 768));
    auto form = loadMain(false, [](StandInForm& f) { f.mainForm = true; });
    form->window.setBounds(Rect::fromSize(30, 70, 420, 310));
    form->window.setShowState(ShowState::Maximized);
    form->normal = Rect::fromSize(30, 70, 420, 310);
    form.reset();

    EXPECT_EQ(readInteger(kMainKey, "Left"), 30);
    EXPECT_EQ(readInteger(kMainKey, "Top"), 70);
    EXPECT_EQ(readInteger(kMainKey, "Width"), 420);
    EXPECT_EQ(readInteger(kMainKey, "Height"), 310);
    EXPECT_EQ(readInteger(kMainKey, "State"), 2);
    EXPECT_EQ(binaryAt(kMainKey, "MainForm"), (std::vector<uint8_t>{4, 0, 0, 0, 1}));
    EXPECT_EQ(readString(kMainKey, "ScreenRes"), "1024x768");
    EXPECT_EQ(binaryAt(kMainKey, "MRUList"), (std::vector<uint8_t>{7, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(readString(std::string(kMainKey) + "\\btnAutoLogin", "Down"), "False");
}

TEST_F(Placement, AMinimisedMainWindowMinimisesTheApplicationAfterPositioning) {
    CountingWindow app;
    CreateParams p;
    p.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    p.bounds = Rect::fromSize(0, 0, 10, 10);
    app.create(p);
    writeInteger(kMainKey, "State", 1);
    writeBinary(kMainKey, "MainForm", {4, 0, 0, 0, 1});
    auto form = loadMain(true, [&app](StandInForm& f) {
        f.mainForm = true;
        f.appWindow = &app;
    });
    EXPECT_EQ(form->window.bounds(), Rect::fromSize(312, 234, 400, 300));
    EXPECT_EQ(form->window.showState(), ShowState::Normal);
    WindowSystem::instance().processMessages();  // the posted minimise command
    EXPECT_EQ(app.showState(), ShowState::Minimized);
    EXPECT_EQ(app.count(WM_SYSCOMMAND), 1);
    form.reset();
    app.destroy();
}

TEST_F(Placement, StoredStatesOfOtherFormsApplyToTheFormItself) {
    struct Case {
        int state;
        ShowState expected;
    };
    for (Case c : {Case{1, ShowState::Minimized}, Case{2, ShowState::Maximized}, Case{0, ShowState::Normal}}) {
        writeInteger(kMainKey, "State", c.state);
        auto form = loadMain(false);
        EXPECT_EQ(form->window.showState(), c.expected) << c.state;
    }
}

}  // namespace
}  // namespace lindora::test
