// The offscreen event record: quoting of texts and writing the record file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/Exception.h"
#include "platform/EventRecord.h"

namespace lindora {
namespace {

TEST(EventRecordTest, QuotesTextsSoThatEachEventStaysOnOneLine) {
    EXPECT_EQ(EventRecord::quote("Lindora 1.0\nby \"Quintvel\"\\x"), "\"Lindora 1.0\\nby \\\"Quintvel\\\"\\\\x\"");
}

TEST(EventRecordTest, WritesOneLinePerEventAndNamesAFileItCannotWrite) {
    EventRecord r;
    r.add("sound MenuPopup");
    r.add("open \"open\" \"x\" \"\" -> 42");
    const auto file = std::filesystem::temp_directory_path() / "lindora-record-test.txt";
    r.writeTo(file.string());
    std::ifstream in(file);
    std::string a, b, c;
    std::getline(in, a);
    std::getline(in, b);
    EXPECT_EQ(a, "sound MenuPopup");
    EXPECT_EQ(b, "open \"open\" \"x\" \"\" -> 42");
    EXPECT_FALSE(std::getline(in, c));
    EXPECT_EQ(r.matching("sound").size(), 1u);
    try {
        r.writeTo("/nonexistent-dir/record.txt");
        FAIL();
    } catch (const Exception& e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent-dir/record.txt"), std::string::npos);
    }
}

}  // namespace
}  // namespace lindora
