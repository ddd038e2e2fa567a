// The recent-files list: restored from "MRUList", shown as numbered menu entries, trimmed,
// validated and clicked.
#include <gtest/gtest.h>

#include <fstream>

#include "FormSettingsFixture.h"
#include "settings/RecentFilesMenu.h"

namespace lindora::test {
namespace {

class RecentFiles : public FormSettingsTest {
protected:
    std::unique_ptr<StandInForm> form = std::make_unique<StandInForm>();
    StandInMenuItem* fileMenu = nullptr;
    PFormSettings* settings = nullptr;

    void SetUp() override {
        FormSettingsTest::SetUp();
        form->setName("frmMain");
        form->createWindow(Rect::fromSize(0, 0, 300, 200));
        fileMenu = new StandInMenuItem(form.get());
        fileMenu->setName("mnuFile");
        settings = new PFormSettings(form.get());
        settings->setCompanyName("Quintvel");
        settings->setSoftwareName("Lindora");
        settings->setSoftwareVersion("1.0");
    }
    void TearDown() override {
        form.reset();
        FormSettingsTest::TearDown();
    }

    void storeList(const std::vector<std::string>& files) {
        std::string text = StringList(files).commaText();
        std::vector<uint8_t> bytes = {7, 0, 0, 0};
        for (int i = 0; i < 4; ++i) bytes.push_back(uint8_t(text.size() >> (8 * i)));
        bytes.insert(bytes.end(), text.begin(), text.end());
        writeBinary(kMainKey, "MRUList", bytes);
    }
};

TEST_F(RecentFiles, RestoredEntriesAreNumberedAfterASeparator) {
    fileMenu->add("&Open...");
    fileMenu->add("E&xit");
    settings->recentFiles().setValidate(false);
    settings->recentFiles().setMenuItem(fileMenu);
    storeList({"/home/u/a.txt", "/home/u/My Files/b.txt", "/c.txt", "/d.txt", "/e.txt"});
    settings->loaded();

    EXPECT_EQ(settings->recentFiles().count(), 5);  // kept as stored; trimmed at the next save
    EXPECT_EQ(fileMenu->captions(), (std::vector<std::string>{"&Open...", "E&xit", "-", "&1 /home/u/a.txt",
                                                              "&2 /home/u/My Files/b.txt", "&3 /c.txt", "&4 /d.txt"}));
    EXPECT_EQ(fileMenu->entries[2]->tag(), RecentFilesMenu::SeparatorTag);
    EXPECT_EQ(fileMenu->entries[3]->tag(), RecentFilesMenu::EntryTag);
    EXPECT_EQ(fileMenu->entries[3]->owner(), settings);

    settings->recentFiles().setDisplay(pmdFileOnly);
    EXPECT_EQ(fileMenu->captions()[4], "&2 b.txt");

    std::vector<std::string> clicks;
    settings->OnMRUClick.bind([&](Persistent* sender, Component* item, const std::string& file, int index) {
        EXPECT_EQ(sender, settings);
        EXPECT_EQ(item, fileMenu->entries[5]);
        clicks.push_back(file + "#" + std::to_string(index));
    });
    fileMenu->entries[5]->click();
    EXPECT_EQ(clicks, (std::vector<std::string>{"/c.txt#3"}));

    form->window.send(WM_CLOSE);
    std::vector<uint8_t> stored = binaryAt(kMainKey, "MRUList");
    std::string text(stored.begin() + 8, stored.end());
    EXPECT_EQ(text, "/home/u/a.txt,\"/home/u/My Files/b.txt\",/c.txt,/d.txt");
}

TEST_F(RecentFiles, LengthChangesRebuildAndOutOfRangeValuesAreIgnored) {
    settings->recentFiles().setValidate(false);
    settings->recentFiles().setMenuItem(fileMenu);
    storeList({"/a", "/b", "/c"});
    settings->loaded();
    EXPECT_EQ(fileMenu->captions(), (std::vector<std::string>{"&1 /a", "&2 /b", "&3 /c"}));

    settings->recentFiles().setLength(10);
    settings->recentFiles().setLength(-1);
    EXPECT_EQ(settings->recentFiles().length(), 4);
    settings->recentFiles().setLength(2);
    EXPECT_EQ(settings->recentFiles().count(), 2);
    EXPECT_EQ(fileMenu->captions(), (std::vector<std::string>{"&1 /a", "&2 /b"}));
    settings->recentFiles().setLength(0);
    EXPECT_TRUE(fileMenu->entries.empty());

    settings->recentFiles().setMaxItemWidth(99);
    settings->recentFiles().setMaxItemWidth(301);
    EXPECT_EQ(settings->recentFiles().maxItemWidth(), 200);
}

TEST_F(RecentFiles, EntriesGoBeforeTheItemBetweenSeparators) {
    fileMenu->add("&Open...");
    StandInMenuItem* exit = fileMenu->add("E&xit");
    settings->recentFiles().setValidate(false);
    settings->recentFiles().setPlacement(pmpBefore);
    settings->recentFiles().setMenuItem(exit);
    storeList({"/a", "/b"});
    settings->loaded();
    EXPECT_EQ(fileMenu->captions(), (std::vector<std::string>{"&Open...", "-", "&1 /a", "&2 /b", "-", "E&xit"}));

    settings->recentFiles().setMenuItem(nullptr);  // entries leave the old menu
    EXPECT_EQ(fileMenu->captions(), (std::vector<std::string>{"&Open...", "E&xit"}));
}

TEST_F(RecentFiles, FilesThatNoLongerExistAreDropped) {
    const std::string present = (folder / "present.txt").string();
    std::ofstream(present) << "x";
    settings->recentFiles().setMenuItem(fileMenu);
    storeList({(folder / "gone.txt").string(), present});
    settings->loaded();
    ASSERT_EQ(settings->recentFiles().count(), 1);
    EXPECT_EQ(settings->recentFiles().files()[0], present);
    EXPECT_EQ(fileMenu->captions(), (std::vector<std::string>{"&1 " + present}));
}

TEST_F(RecentFiles, AFreedMenuItemIsForgotten) {
    settings->recentFiles().setValidate(false);
    settings->recentFiles().setMenuItem(fileMenu);
    storeList({"/a"});
    settings->loaded();
    delete fileMenu;
    EXPECT_EQ(settings->recentFiles().menuItem(), nullptr);
    settings->recentFiles().setLength(3);  // no menu to rebuild
}

TEST(AbbreviatedPath, LeavesFoldersOutOfTheMiddleUntilItFits) {
    auto measure = [](const std::string& s) { return static_cast<int>(s.size()) * 7; };
    EXPECT_EQ(abbreviatePath("/home/u/a.txt", 200, measure), "/home/u/a.txt");
    EXPECT_EQ(abbreviatePath("/home/user/projects/lindora/docs/notes.txt", 200, measure),
              "/.../lindora/docs/notes.txt");
    EXPECT_EQ(abbreviatePath("/home/user/projects/lindora/docs/notes.txt", 110, measure), "/.../notes.txt");
    EXPECT_EQ(abbreviatePath("/a/an-extremely-long-file-name-indeed.txt", 100, measure),
              "...-indeed.txt");  // 14 characters of 7 pixels
    const std::string longPath = "/" + std::string(300, 'x') + "/file.txt";
    EXPECT_EQ(abbreviatePath(longPath, 200, measure), "/.../file.txt");
}

}  // namespace
}  // namespace lindora::test
