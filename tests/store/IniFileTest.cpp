// INI files: names ignoring case, typed reads, edits that keep the file's order and comments,
// erasing sections by prefix, refusing what a line cannot hold, and atomic saving.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "store/IniFile.h"

namespace lindora {
namespace {

class IniFileTest : public ::testing::Test {
protected:
    std::filesystem::path folder;

    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "lindora-ini-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::filesystem::path file(const char* name = "layout.ini") const { return folder / name; }
    static std::string read(const std::filesystem::path& f) {
        std::ifstream in(f);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static void write(const std::filesystem::path& f, const std::string& text) { std::ofstream(f) << text; }
};

const char* const kLayout =
    "; toolbar layout\n"
    "[frmMain.BarManager1.Main]\n"
    "LargeIcons=0\n"
    "BarCount = 2\n"
    "\n"
    "; the main bar\n"
    "[frmMain.BarManager1.Bar0]\n"
    "Caption=  \"  Main Menu  \"  \n"
    "Visible=1\n"
    "Row=zero\n"
    "Hex=0x1F\n"
    "Negative=-12\n"
    "\n"
    "[Other] ; trailing comment\n"
    "Keep=yes\n";

TEST_F(IniFileTest, ReadsValuesByNameIgnoringCase) {
    write(file(), kLayout);
    IniFile ini(file());
    EXPECT_EQ(ini.ReadString("FRMMAIN.barmanager1.main", "barcount", "x"), "2");
    EXPECT_EQ(ini.ReadString("frmMain.BarManager1.Bar0", "Caption", ""), "  Main Menu  ");
    EXPECT_EQ(ini.ReadString("frmMain.BarManager1.Bar0", "Missing", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadString("Missing", "Caption", "dflt"), "dflt");

    EXPECT_EQ(ini.ReadInteger("frmMain.BarManager1.Main", "BarCount", -1), 2);
    EXPECT_EQ(ini.ReadInteger("frmMain.BarManager1.Bar0", "Row", -1000), -1000) << "not a number";
    EXPECT_EQ(ini.ReadInteger("frmMain.BarManager1.Bar0", "Hex", 0), 31);
    EXPECT_EQ(ini.ReadInteger("frmMain.BarManager1.Bar0", "Negative", 0), -12);
    EXPECT_EQ(ini.ReadInteger("frmMain.BarManager1.Bar0", "Missing", 5), 5);
    EXPECT_TRUE(ini.ReadBool("frmMain.BarManager1.Bar0", "Visible", false));
    EXPECT_FALSE(ini.ReadBool("frmMain.BarManager1.Main", "LargeIcons", true));
    EXPECT_TRUE(ini.ReadBool("frmMain.BarManager1.Bar0", "Negative", false)) << "any value but 0 is true";
    EXPECT_TRUE(ini.ReadBool("frmMain.BarManager1.Bar0", "Row", true)) << "unreadable: the default";

    EXPECT_EQ(ini.ReadSections(),
              (std::vector<std::string>{"frmMain.BarManager1.Main", "frmMain.BarManager1.Bar0", "Other"}));
    EXPECT_EQ(ini.ReadSection("frmmain.barmanager1.bar0"),
              (std::vector<std::string>{"Caption", "Visible", "Row", "Hex", "Negative"}));
    EXPECT_TRUE(ini.SectionExists("other"));
    EXPECT_TRUE(ini.ValueExists("OTHER", "KEEP"));
    EXPECT_FALSE(ini.ValueExists("Other", "Gone"));
}

TEST_F(IniFileTest, EditsKeepOrderAndComments) {
    write(file(), kLayout);
    IniFile ini(file());
    ini.WriteInteger("FRMMAIN.BarManager1.Main", "barcount", 3);
    ini.WriteString("frmMain.BarManager1.Main", "ShowHint", "1");
    ini.EraseSection("frmMain.BarManager1.Bar0");
    ini.WriteString("frmMain.BarManager1.Bar1", "Caption", " padded ");
    ini.WriteBool("frmMain.BarManager1.Bar1", "Visible", false);
    ini.DeleteKey("Other", "Missing");
    ini.UpdateFile();

    EXPECT_EQ(read(file()),
              "; toolbar layout\n"
              "[frmMain.BarManager1.Main]\n"
              "LargeIcons=0\n"
              "BarCount=3\n"
              "ShowHint=1\n"
              "\n"
              "[Other] ; trailing comment\n"
              "Keep=yes\n"
              "\n"
              "[frmMain.BarManager1.Bar1]\n"
              "Caption=\" padded \"\n"
              "Visible=0\n");
    IniFile reread(file());
    EXPECT_EQ(reread.ReadString("frmMain.BarManager1.Bar1", "Caption", ""), " padded ");
}

TEST_F(IniFileTest, ErasingEverySectionOfAPrefixLeavesOthers) {
    write(file(), kLayout);
    IniFile ini(file());
    const std::string prefix = "frmMain.BarManager1.";
    for (const auto& section : ini.ReadSections())
        if (section.compare(0, prefix.size(), prefix) == 0) ini.EraseSection(section);
    EXPECT_EQ(ini.ReadSections(), std::vector<std::string>{"Other"});
    EXPECT_EQ(ini.GetText(), "[Other] ; trailing comment\nKeep=yes\n");
}

TEST_F(IniFileTest, RefusesWhatOneLineCannotHold) {
    IniFile ini(file());
    const struct {
        const char* section;
        const char* ident;
        const char* value;
    } cases[] = {
        {"S", "Key", "two\nlines"},
        {"S", "Key", "carriage\rreturn"},
        {"S", "a=b", "v"},
        {"S", "", "v"},
        {"S", " padded", "v"},
        {"S", ";comment", "v"},
        {"S", "[x", "v"},
        {"a]b", "K", "v"},
        {"", "K", "v"},
        {"line\nbreak", "K", "v"},
    };
    for (const auto& c : cases)
        EXPECT_THROW(ini.WriteString(c.section, c.ident, c.value), EIniFileException) << c.ident << " " << c.value;
    EXPECT_TRUE(ini.ReadSections().empty()) << "a refused write changes nothing";
    EXPECT_FALSE(ini.Modified());

    ini.WriteString("S", "Quoted", "\"as is\"");
    EXPECT_EQ(IniFile(file()).ReadString("S", "Quoted", "unsaved"), "unsaved");
    ini.UpdateFile();
    EXPECT_EQ(IniFile(file()).ReadString("S", "Quoted", ""), "\"as is\"");
}

TEST_F(IniFileTest, SavingLeavesNoTemporaryFileAndReportsFailures) {
    IniFile ini(file());
    ini.WriteString("S", "K", "v");
    ini.UpdateFile();
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"layout.ini"});

    IniFile blocked(folder / "missing-folder" / "x.ini");
    blocked.WriteString("S", "K", "v");
    EXPECT_THROW(blocked.UpdateFile(), EIniFileException);
    EXPECT_TRUE(blocked.Modified());
}

TEST_F(IniFileTest, ByteOrderMarksAndCarriageReturnsAreNoPartOfTheLines) {
    // Each is dropped when the text is read, so that the text given back reads the same again.
    IniFile ini(file());
    ini.SetText("\xEF\xBB\xBF\xEF\xBB\xBF[S]\r\nk=v\r\r\nm=w\r\r\r\n");
    EXPECT_EQ(ini.ReadString("S", "k", ""), "v");
    EXPECT_EQ(ini.ReadString("S", "m", ""), "w");
    const std::string text = ini.GetText();
    EXPECT_EQ(text, "[S]\nk=v\nm=w\n");
    IniFile again(file());
    again.SetText(text);
    EXPECT_EQ(again.GetText(), text);
}

TEST_F(IniFileTest, ReadingAndWritingBackKeepsAnyTextUnchanged) {
    const char* const pieces[] = {"[S]", "[ s ]",     "k=v",        "K = v ",  "; note",  "# note",  "",
                                  "  ",  "no equals", "=empty key", "x=\"q\"", "[Other]", "key=a=b", "[unclosed"};
    std::mt19937 random(11);
    for (int round = 0; round < 300; ++round) {
        std::string text;
        int lines = std::uniform_int_distribution<int>(0, 12)(random);
        for (int i = 0; i < lines; ++i) {
            text += pieces[std::uniform_int_distribution<size_t>(0, std::size(pieces) - 1)(random)];
            text += '\n';
        }
        IniFile ini(file());
        ini.SetText(text);
        EXPECT_EQ(ini.GetText(), text);
        for (const auto& section : ini.ReadSections())
            for (const auto& key : ini.ReadSection(section))
                ini.WriteString(section, key, ini.ReadString(section, key, ""));
        EXPECT_EQ(ini.GetText(), text) << "writing back the values read changes no line";
    }
}

}  // namespace
}  // namespace lindora
