// Where the program finds its start page: beside it (build folder, own program folder) or in
// the data folder under an install prefix.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/StartPageLocation.h"

namespace lindora::test {
namespace {

namespace fs = std::filesystem;

// A prefix of its own with bin/ and the data folder the program looks in, both empty.
class StartPageLocationTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "lindora-prefix-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        prefix_ = pattern;
        fs::create_directories(bin());
        fs::create_directories(data());
    }
    void TearDown() override { fs::remove_all(prefix_); }

    fs::path bin() const { return prefix_ / "bin"; }
    fs::path data() const { return (bin() / installedDataFolder()).lexically_normal(); }
    std::string executable() const { return (bin() / "lindora").string(); }
    static void page(const fs::path& file) { std::ofstream(file) << "<html></html>\n"; }

    fs::path prefix_;
};

TEST_F(StartPageLocationTest, AnInstalledProgramFindsItsPageInTheDataFolderUnderItsPrefix) {
    // The relative data folder leads out of bin, into the prefix.
    EXPECT_EQ(std::mismatch(prefix_.begin(), prefix_.end(), data().begin()).first, prefix_.end()) << data();
    page(data() / "index.htm");
    EXPECT_EQ(startPagePath(executable()), (data() / "index.htm").string());
}

TEST_F(StartPageLocationTest, APageBesideTheProgramComesFirstAndIsTheFallback) {
    const std::string beside = (bin() / "index.htm").string();
    // Nothing anywhere: the browser is sent beside the program and shows what it shows.
    EXPECT_EQ(startPagePath(executable()), beside);
    // A folder of that name is no page.
    fs::create_directory(data() / "index.htm");
    EXPECT_EQ(startPagePath(executable()), beside);
    fs::remove(data() / "index.htm");
    // Both present: the one beside wins (a program run from its build folder).
    page(data() / "index.htm");
    page(beside);
    EXPECT_EQ(startPagePath(executable()), beside);
}

TEST_F(StartPageLocationTest, AProgramWithoutAFolderLooksInTheCurrentOne) {
    EXPECT_EQ(startPagePath("lindora"), "index.htm");
    EXPECT_EQ(startPagePath(""), "index.htm");
}

}  // namespace
}  // namespace lindora::test
