// The key API: opening keys, typed values, names ignoring case, deleting, the read-only machine
// store, and how and when the file is written.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "RegistryFixture.h"
#include "store/Registry.h"

namespace lindora {
namespace {

using test::readText;
using test::writeText;

class RegistryTest : public test::RegistryFixture {};

TEST_F(RegistryTest, OpensKeysRelativeToTheCurrentKeyOrAbsolute) {
    Registry reg;
    EXPECT_FALSE(reg.OpenKey("Software\\Quintvel", false)) << "missing keys are not created without canCreate";
    EXPECT_FALSE(reg.HasCurrentKey());

    ASSERT_TRUE(reg.OpenKey("Software\\Quintvel", true));
    EXPECT_EQ(reg.CurrentPath(), "Software\\Quintvel");
    ASSERT_TRUE(reg.OpenKey("Lindora\\1.0", true));
    EXPECT_EQ(reg.CurrentPath(), "Software\\Quintvel\\Lindora\\1.0");
    reg.WriteString("Where", "nested");

    ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\quintvel", false));
    EXPECT_EQ(reg.CurrentPath(), "SOFTWARE\\quintvel");
    EXPECT_EQ(reg.GetKeyNames(), std::vector<std::string>{"Lindora"}) << "names keep the case they were created with";
    reg.CloseKey();
    EXPECT_TRUE(reg.KeyExists("Software\\Quintvel\\Lindora\\1.0"));

    for (const char* invalid : {"A\\\\B", "A\\", "tab\there"}) EXPECT_FALSE(reg.OpenKey(invalid, true)) << invalid;
    ASSERT_TRUE(reg.OpenKey("\\", false)) << "a lone backslash is the root";
    EXPECT_EQ(reg.GetKeyNames(), std::vector<std::string>{"Software"});
}

TEST_F(RegistryTest, ReadsAndWritesTypedValuesIgnoringTheCaseOfNames) {
    Registry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\Test", true));
    reg.WriteString("Caption", "Hello");
    reg.WriteInteger("Left", -5);
    reg.WriteBool("Visible", true);
    const uint8_t bytes[] = {4, 0, 0, 0, 1};
    reg.WriteBinaryData("MainForm", bytes);
    reg.WriteString("", "default");

    EXPECT_EQ(reg.ReadString("CAPTION"), "Hello");
    EXPECT_EQ(reg.ReadInteger("left"), -5);
    EXPECT_TRUE(reg.ReadBool("VISIBLE"));
    EXPECT_EQ(reg.ReadBinaryData("mainform"), std::vector<uint8_t>(std::begin(bytes), std::end(bytes)));
    EXPECT_EQ(reg.ReadString(""), "default");

    reg.WriteString("caption", "Again");
    EXPECT_EQ(reg.GetValueNames(), (std::vector<std::string>{"Caption", "Left", "Visible", "MainForm", ""}))
        << "rewriting under another case keeps one value with its first name";
    EXPECT_EQ(reg.ReadString("Caption"), "Again");

    EXPECT_EQ(reg.GetDataType("Caption"), RegDataType::rdString);
    EXPECT_EQ(reg.GetDataSize("Caption"), 6) << "a string's size counts its terminator";
    EXPECT_EQ(reg.GetDataType("Left"), RegDataType::rdInteger);
    EXPECT_EQ(reg.GetDataSize("Left"), 4);
    EXPECT_EQ(reg.GetDataType("MainForm"), RegDataType::rdBinary);
    EXPECT_EQ(reg.GetDataSize("MainForm"), 5);
    EXPECT_EQ(reg.GetDataType("Missing"), RegDataType::rdUnknown);
    EXPECT_EQ(reg.GetDataSize("Missing"), -1);
    EXPECT_FALSE(reg.ValueExists("Missing"));
    EXPECT_EQ(reg.ReadString("Missing"), "");
    EXPECT_TRUE(reg.ReadBinaryData("Missing").empty());
}

TEST_F(RegistryTest, WrongTypeReadsRaiseNamingTheValue) {
    Registry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\Test", true));
    reg.WriteString("Text", "12");
    reg.WriteInteger("Number", 12);
    const uint8_t bytes[] = {1};
    reg.WriteBinaryData("Bytes", bytes);

    const struct {
        const char* name;
        std::function<void()> read;
    } cases[] = {
        {"Text", [&] { reg.ReadInteger("Text"); }},       {"Text", [&] { reg.ReadBinaryData("Text"); }},
        {"Number", [&] { reg.ReadString("Number"); }},    {"Number", [&] { reg.ReadBinaryData("Number"); }},
        {"Bytes", [&] { reg.ReadInteger("Bytes"); }},     {"Bytes", [&] { reg.ReadString("Bytes"); }},
        {"Missing", [&] { reg.ReadInteger("Missing"); }}, {"Missing", [&] { reg.ReadBool("Missing"); }},
    };
    for (const auto& c : cases) {
        try {
            c.read();
            ADD_FAILURE() << "no error reading " << c.name;
        } catch (const ERegistryException& e) {
            EXPECT_EQ(std::string(e.what()), std::string("Invalid data type for '") + c.name + "'");
        }
    }
}

TEST_F(RegistryTest, DeletesValuesAndKeysButNeverSubkeysByAccident) {
    Registry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\App\\Form\\btnAutoLogin", true));
    reg.WriteString("Down", "True");
    ASSERT_TRUE(reg.OpenKey("\\Software\\App\\Form", false));
    reg.WriteInteger("Left", 1);

    EXPECT_TRUE(reg.DeleteValue("LEFT"));
    EXPECT_FALSE(reg.DeleteValue("Left"));
    EXPECT_FALSE(reg.ValueExists("Left"));

    reg.CloseKey();
    EXPECT_FALSE(reg.DeleteKey("Software\\App\\Form")) << "a plain delete refuses a key with subkeys";
    EXPECT_TRUE(reg.KeyExists("Software\\App\\Form\\btnAutoLogin"));
    EXPECT_TRUE(reg.DeleteKey("Software\\App\\Form\\btnAutoLogin"));
    EXPECT_TRUE(reg.DeleteKey("Software\\App\\Form"));
    EXPECT_FALSE(reg.DeleteKey("Software\\App\\Form"));

    ASSERT_TRUE(reg.OpenKey("Software\\App\\X\\Y\\Z", true));
    reg.CloseKey();
    EXPECT_TRUE(reg.DeleteKeyTree("Software\\App"));
    EXPECT_FALSE(reg.KeyExists("Software\\App\\X"));
    EXPECT_TRUE(reg.KeyExists("Software"));
}

TEST_F(RegistryTest, WritesToADeletedKeyAreRefused) {
    Registry writer, other;
    ASSERT_TRUE(writer.OpenKey("Software\\Gone", true));
    EXPECT_TRUE(other.DeleteKey("Software\\Gone"));
    try {
        writer.WriteString("Value", "x");
        FAIL() << "written into a deleted key";
    } catch (const ERegistryException& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'Value'");
    }
    EXPECT_FALSE(writer.KeyExists("\\Software\\Gone"));
}

TEST_F(RegistryTest, ClosingAWrittenKeySavesTheFileOwnerOnly) {
    std::filesystem::path nested = folder / "a" / "b";
    ::setenv("LINDORA_REGISTRY_DIR", nested.c_str(), 1);
    RegistryRoots::reset();
    {
        Registry reg;
        ASSERT_TRUE(reg.OpenKey("Software\\Quintvel\\Lindora\\1.0\\frmMain\\btnAutoLogin", true));
        reg.WriteString("Down", "True");
        EXPECT_FALSE(std::filesystem::exists(nested / "user.reg")) << "nothing is written before the key closes";
        reg.CloseKey();
    }
    EXPECT_EQ(readText(nested / "user.reg"),
              "; Lindora settings store, version 1\n\n"
              "[Software\\Quintvel\\Lindora\\1.0\\frmMain\\btnAutoLogin]\n"
              "\"Down\"=\"True\"\n");
    struct stat st {};
    ASSERT_EQ(::stat((nested / "user.reg").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    ASSERT_EQ(::stat(nested.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    ASSERT_EQ(::stat((folder / "a").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    std::vector<std::string> entries;
    for (const auto& e : std::filesystem::directory_iterator(nested)) entries.push_back(e.path().filename().string());
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"user.reg", "user.reg.lock"})) << "no temporary file is left";
}

TEST_F(RegistryTest, TheDestructorSavesWhatWasWrittenWithoutClosing) {
    {
        Registry reg;
        ASSERT_TRUE(reg.OpenKey("Software\\T", true));
        reg.WriteInteger("N", 7);
    }
    RegistryRoots::reset();
    Registry again;
    ASSERT_TRUE(again.OpenKey("Software\\T", false));
    EXPECT_EQ(again.ReadInteger("N"), 7);
}

TEST_F(RegistryTest, TheMachineStoreIsReadOnly) {
    writeText(machineFile(),
              "[SOFTWARE\\Microsoft\\Windows\\CurrentVersion]\n"
              "\"RegisteredOrganization\"=\"Example Org\"\n");
    Registry reg(RegistryRoot::LocalMachine);
    EXPECT_FALSE(reg.OpenKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion", false))
        << "full access is refused, as to a user without administrative rights";
    EXPECT_FALSE(reg.OpenKey("SOFTWARE\\New", true));
    ASSERT_TRUE(reg.OpenKeyReadOnly("SOFTWARE\\Microsoft\\Windows\\CurrentVersion"));
    EXPECT_EQ(reg.ReadString("RegisteredOrganization"), "Example Org");
    EXPECT_THROW(reg.WriteString("RegisteredOrganization", "Mine"), ERegistryException);
    EXPECT_FALSE(reg.DeleteValue("RegisteredOrganization"));
    reg.CloseKey();
    EXPECT_FALSE(reg.DeleteKeyTree("SOFTWARE"));
    EXPECT_FALSE(std::filesystem::exists(folder / "machine.reg.lock"));
}

TEST_F(RegistryTest, ADamagedMachineStoreIsReportedAndLeftInPlace) {
    writeText(machineFile(), "not a store\n");
    Registry reg(RegistryRoot::LocalMachine);
    EXPECT_FALSE(reg.OpenKeyReadOnly("SOFTWARE\\Microsoft\\Windows\\CurrentVersion"));
    EXPECT_TRUE(std::filesystem::exists(machineFile()));
    ASSERT_EQ(diagnostics.size(), 1u);
    EXPECT_NE(diagnostics[0].find("machine.reg"), std::string::npos);
}

TEST_F(RegistryTest, ADamagedUserStoreIsKeptAsideAndTheSettingsStartEmpty) {
    const std::string damaged = "[Software\\A]\n\"x\"=dword:nothex\n";
    writeText(userFile(), damaged);
    {
        Registry reg;
        EXPECT_FALSE(reg.KeyExists("Software\\A"));
        ASSERT_TRUE(reg.OpenKey("Software\\B", true));
        reg.WriteString("y", "kept");
        reg.CloseKey();
    }
    ASSERT_EQ(diagnostics.size(), 1u);
    EXPECT_NE(diagnostics[0].find("line 2"), std::string::npos) << diagnostics[0];

    std::vector<std::string> aside;
    for (const auto& name : folderEntries())
        if (name.rfind("user.reg.corrupt-", 0) == 0) aside.push_back(name);
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_NE(diagnostics[0].find(aside[0]), std::string::npos) << "the report names the kept file";
    EXPECT_EQ(readText(folder / aside[0]), damaged);
    EXPECT_NE(readText(userFile()).find("\"y\"=\"kept\""), std::string::npos);
}

}  // namespace
}  // namespace lindora
