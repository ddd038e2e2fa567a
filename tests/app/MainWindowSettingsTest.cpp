// The main window's settings through the whole program: what a run leaves in the store, and
// what a stored placement and Auto Login choice do to the next start.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "AppTestSupport.h"
#include "app/AppTexts.h"
#include "bars/items/BarProgressItem.h"
#include "bars/model/BarButton.h"
#include "bars/model/BarManager.h"
#include "gfx/PersistentGraphics.h"
#include "platform/browser/BrowserUri.h"
#include "settings/PFormSettings.h"
#include "settings/PSetting.h"
#include "store/Registry.h"

namespace lindora::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* MainKey = "\\Software\\Quintvel\\Lindora\\1.0\\frmMain";
constexpr const char* AutoLoginKey = "\\Software\\Quintvel\\Lindora\\1.0\\frmMain\\btnAutoLogin";

// The offscreen screen is 1280 x 1024 with the whole screen as work area; the window's design
// size is 805 x 626.
constexpr int DesignWidth = 805, DesignHeight = 626;
constexpr int CentredLeft = (1280 - DesignWidth) / 2, CentredTop = (1024 - DesignHeight) / 2;

// Reads the store as a new process would.
class StoreReader {
public:
    StoreReader() { RegistryRoots::reset(); }
    bool open(const char* key) { return registry_.OpenKeyReadOnly(key); }
    Registry& operator*() { return registry_; }
    Registry* operator->() { return &registry_; }

private:
    Registry registry_;
};

void writePlacement(int left, int top, int width, int height, const std::string& screenRes) {
    RegistryRoots::reset();
    Registry r;
    ASSERT_TRUE(r.OpenKey(MainKey, true));
    r.WriteInteger("Left", left);
    r.WriteInteger("Top", top);
    r.WriteInteger("Width", width);
    r.WriteInteger("Height", height);
    r.WriteString("ScreenRes", screenRes);
    r.CloseKey();
    RegistryRoots::reset();
}

void writeAutoLogin(const char* down) {
    RegistryRoots::reset();
    Registry r;
    ASSERT_TRUE(r.OpenKey(AutoLoginKey, true));
    r.WriteString("Down", down);
    r.CloseKey();
    RegistryRoots::reset();
}

std::vector<std::string> readLines(const fs::path& file) {
    std::ifstream in(file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The whole program, in process, on the offscreen backend; its record lines.
std::vector<std::string> runProgram(const fs::path& folder) {
    const fs::path record = folder / "record.txt";
    std::ostringstream out, err;
    EXPECT_EQ(runLindora({"--platform", "offscreen", "--record", record.string()}, out, err), 0) << err.str();
    return readLines(record);
}

std::vector<std::string> navigations(const std::vector<std::string>& lines) {
    std::vector<std::string> found;
    const std::string prefix = "browser-navigate \"";
    for (const auto& l : lines)
        if (l.rfind(prefix, 0) == 0) found.push_back(l.substr(prefix.size(), l.size() - prefix.size() - 1));
    return found;
}

class MainWindowSettingsRunTest : public ::testing::Test {
protected:
    void SetUp() override { registerLindoraPlatforms(); }
    TempRegistryFolder store_;
};

TEST_F(MainWindowSettingsRunTest, AFirstRunOpensCentredAndLeavesThePlacementAndAutoLoginValues) {
    const auto lines = runProgram(store_.path());
    const auto pages = navigations(lines);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(fs::path(localPathFromFileUri(pages[0])).filename(), "index.htm");

    StoreReader store;
    ASSERT_TRUE(store.open(MainKey));
    EXPECT_EQ(store->ReadInteger("Left"), CentredLeft);
    EXPECT_EQ(store->ReadInteger("Top"), CentredTop);
    EXPECT_EQ(store->ReadInteger("Width"), DesignWidth);
    EXPECT_EQ(store->ReadInteger("Height"), DesignHeight);
    EXPECT_EQ(store->ReadInteger("State"), 0);
    EXPECT_EQ(store->ReadString("ScreenRes"), "1280x1024");
    // A tagged Boolean: the kind (4) as 32 bits, then the value.
    EXPECT_EQ(store->ReadBinaryData("MainForm"), (std::vector<uint8_t>{4, 0, 0, 0, 1}));
    ASSERT_TRUE(store.open(AutoLoginKey));
    EXPECT_EQ(store->ReadString("Down"), "False");

    // The store file is the user's alone.
    const fs::perms perms = fs::status(store_.path() / "user.reg").permissions();
    EXPECT_EQ(perms & (fs::perms::group_all | fs::perms::others_all), fs::perms::none);
}

TEST_F(MainWindowSettingsRunTest, AStoredAutoLoginGoesFromTheStartPageStraightToTheService) {
    writeAutoLogin("True");
    const auto pages = navigations(runProgram(store_.path()));
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(fs::path(localPathFromFileUri(pages[0])).filename(), "index.htm");
    EXPECT_EQ(pages[1], app::ServiceStartUrl);

    StoreReader store;
    ASSERT_TRUE(store.open(AutoLoginKey));
    EXPECT_EQ(store->ReadString("Down"), "True");
}

// ---- in process, with the window at hand

TEST_F(MainWindowTest, StoredPlacementsAreAppliedByTheRulesOfTheScreen) {
    struct Case {
        const char* what;
        int left, top, width, height;
        const char* screenRes;
        Rect expected;
    };
    const Case cases[] = {
        {"same resolution, far right and low: pulled back to 20 pixels on the screen", 5000, 3000, 700, 500,
         "1280x1024", Rect::fromSize(1280 - 20, 1024 - 20, 700, 500)},
        {"same resolution, inside the screen: as stored", 40, 60, 900, 640, "1280x1024",
         Rect::fromSize(40, 60, 900, 640)},
        {"stored on a larger screen: moved left and up until its edges touch the screen's", 1500, 900, 800, 600,
         "1920x1200", Rect::fromSize(1280 - 800, 1024 - 600, 800, 600)},
        {"negative position: to the screen's corner", -300, -50, 805, 626, "1280x1024", Rect::fromSize(0, 0, 805, 626)},
        {"a size too small to use: the smallest a framed window can be", 100, 100, 0, 3, "1280x1024",
         Rect::fromSize(100, 100, 112, 27)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writePlacement(c.left, c.top, c.width, c.height, c.screenRes);
        FrmMain& form = createMain();
        EXPECT_EQ(form.bounds(), c.expected);
        delete form_;
        form_ = nullptr;
    }
}

TEST_F(MainWindowTest, TheAutoLoginChoiceSurvivesARestartAndIsRestoredBeforeTheCreationHandler) {
    FrmMain& first = createMain();
    ASSERT_NE(first.FormSettings, nullptr);
    ASSERT_NE(first.btnAutoLogin, nullptr);
    EXPECT_FALSE(first.btnAutoLogin->down());
    first.btnAutoLogin->click();
    EXPECT_TRUE(first.btnAutoLogin->down());
    // A click only toggles the choice: nothing is navigated until the next start.
    EXPECT_EQ(engine().navigations().size(), 1u);
    // Closing from the caption saves.
    first.close();
    app().processMessages();
    delete form_;
    form_ = nullptr;

    FrmMain& second = createMain();
    EXPECT_TRUE(second.btnAutoLogin->down());
    ASSERT_EQ(engine().navigations().size(), 2u);
    EXPECT_EQ(engine().navigations()[1], app::ServiceStartUrl);

    // Switched off again, the next start stays on the start page.
    second.btnAutoLogin->click();
    delete form_;
    form_ = nullptr;
    FrmMain& third = createMain();
    EXPECT_FALSE(third.btnAutoLogin->down());
    EXPECT_EQ(engine().navigations().size(), 1u);
}

TEST_F(MainWindowTest, TheMainWindowClosedWhileMinimisedStaysMinimisedAcrossARestart) {
    auto storedState = [] {
        StoreReader store;
        EXPECT_TRUE(store.open(MainKey));
        return store->ReadInteger("State");
    };
    FrmMain& first = createMain();
    app().processMessages();
    // Minimised from its caption, as the user does it.
    first.send(WM_SYSCOMMAND, SC_MINIMIZE);
    app().processMessages();
    ASSERT_TRUE(app().isMinimized());
    first.close();
    app().processMessages();
    delete form_;
    form_ = nullptr;
    EXPECT_EQ(storedState(), 1);

    // The next start comes up minimised, and closing it so keeps the state.
    app().restore();
    FrmMain& second = createMain();
    app().processMessages();
    EXPECT_TRUE(app().isMinimized());
    EXPECT_FALSE(second.isWindowVisible());
    second.close();
    app().processMessages();
    delete form_;
    form_ = nullptr;
    EXPECT_EQ(storedState(), 1);

    // Restored and closed, it is back to normal.
    app().restore();
    FrmMain& third = createMain();
    app().processMessages();
    app().restore();
    EXPECT_TRUE(third.isWindowVisible());
    third.close();
    app().processMessages();
    delete form_;
    form_ = nullptr;
    EXPECT_EQ(storedState(), 0);
}

TEST_F(MainWindowTest, TheSettingsComponentIsConfiguredAsTheWindowNeedsIt) {
    FrmMain& form = createMain();
    PFormSettings& s = *form.FormSettings;
    EXPECT_EQ(s.companyName(), "Quintvel");
    EXPECT_EQ(s.softwareName(), "Lindora");
    EXPECT_EQ(s.softwareVersion(), "1.0");
    EXPECT_EQ(s.getKeyPath(), std::string(MainKey).substr(1));
    ASSERT_EQ(s.settingCount(), 1);
    EXPECT_EQ(s.setting(0)->boundProperty(), "btnAutoLogin.Down");
    EXPECT_TRUE(s.saveAll());
    EXPECT_EQ(s.recentFiles().length(), 4);
    EXPECT_EQ(s.formSaveOpt(), PFormSettings::AllFormSaveOpts);
    EXPECT_EQ(s.saveLocation(), pslRegistry);
    // The centring request became the settings component's own centring.
    EXPECT_EQ(form.position(), poDefaultPosOnly);
    EXPECT_TRUE(s.centreOnRestore());
    // The components come in the order the description gives (the settings' unnamed entries
    // are the form's too).
    std::vector<std::string> order;
    for (int i = 0; i < form.componentCount(); ++i)
        if (!form.component(i)->name().empty()) order.push_back(form.component(i)->name());
    ASSERT_GE(order.size(), 3u);
    EXPECT_EQ(order[0], "wbMain");
    EXPECT_EQ(order[1], "FormSettings");
    EXPECT_EQ(order[2], "BarManager1");
    EXPECT_EQ(order.back(), "imgMenu");
    // Each has its typed reference.
    auto same = [&](Component* field, const char* name) { return field && field == form.findComponent(name); };
    EXPECT_TRUE(same(form.wbMain, "wbMain"));
    EXPECT_TRUE(same(form.FormSettings, "FormSettings"));
    EXPECT_TRUE(same(form.BarManager1, "BarManager1"));
    EXPECT_TRUE(same(form.briMain, "briMain"));
    ASSERT_TRUE(same(form.imgMenu, "imgMenu"));
    EXPECT_EQ(form.imgMenu->count(), 4);
}

}  // namespace
}  // namespace lindora::test
