// Help requests: each one reaches the viewer; what is kept of them is the last one and their
// number, however many a long session makes.
#include <gtest/gtest.h>

#include <vector>

#include "ui/HelpSystem.h"

namespace lindora::test {
namespace {

class HelpSystemTest : public ::testing::Test {
protected:
    void SetUp() override { help().clearRequests(); }
    void TearDown() override {
        help().setViewer(nullptr);
        help().clearRequests();
    }
    static HelpSystem& help() { return HelpSystem::instance(); }
};

TEST_F(HelpSystemTest, EveryRequestReachesTheViewerAndOnlyTheLastOneAndTheCountAreKept) {
    std::vector<int> viewed;
    help().setViewer([&](const HelpRequest& r) { viewed.push_back(r.context); });
    constexpr int kRequests = 100000;
    for (int i = 1; i <= kRequests; ++i) help().showContext(i);
    help().showContext(0);  // no topic: ignored
    help().showContextPopup(7, {30, 40});

    EXPECT_EQ(help().requestCount(), static_cast<std::size_t>(kRequests) + 1);
    ASSERT_EQ(viewed.size(), static_cast<std::size_t>(kRequests) + 1);
    EXPECT_EQ(viewed[kRequests - 1], kRequests);
    ASSERT_TRUE(help().lastRequest().has_value());
    EXPECT_EQ(help().lastRequest()->context, 7);
    EXPECT_TRUE(help().lastRequest()->popup);
    EXPECT_EQ(help().lastRequest()->at, (Point{30, 40}));

    help().clearRequests();
    EXPECT_EQ(help().requestCount(), 0u);
    EXPECT_FALSE(help().lastRequest().has_value());
}

}  // namespace
}  // namespace lindora::test
