// The column height of a vertical wrap found by bisection is the one the one-pixel walk finds.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "bars/docks/ColumnHeightSearch.h"

namespace lindora::test {
namespace {

// The walk as the wrap rule states it: down from the tallest height, one pixel at a time,
// until the width is reached.
int walkDown(int lowest, int highest, int width, const std::function<int(int)>& widthAt) {
    for (int h = highest; h > lowest; --h)
        if (widthAt(h) >= width) return h;
    return lowest;
}

TEST(ColumnHeightSearchTest, BisectionAgreesWithTheOnePixelWalkOnRandomMonotonicWraps) {
    std::mt19937 random(20261210);
    for (int trial = 0; trial < 2000; ++trial) {
        // Widths for heights lowest..highest that never grow with the height, in steps as a
        // wrap's are (several heights share a width), with plateaus and jumps.
        const int lowest = std::uniform_int_distribution<int>(0, 30)(random);
        const int highest = lowest + std::uniform_int_distribution<int>(0, 300)(random);
        std::vector<int> widths(static_cast<std::size_t>(highest - lowest + 1));
        int w = std::uniform_int_distribution<int>(10, 40)(random);
        for (int h = highest; h >= lowest; --h) {
            if (std::uniform_int_distribution<int>(0, 4)(random) == 0)
                w += std::uniform_int_distribution<int>(1, 30)(random);
            widths[static_cast<std::size_t>(h - lowest)] = w;
        }
        auto widthAt = [&](int h) { return widths[static_cast<std::size_t>(h - lowest)]; };
        const int target = std::uniform_int_distribution<int>(0, w + 20)(random);
        ASSERT_EQ(tallestHeightReaching(lowest, highest, target, widthAt), walkDown(lowest, highest, target, widthAt))
            << "trial " << trial << ": heights " << lowest << ".." << highest << ", width " << target;
    }
}

TEST(ColumnHeightSearchTest, AskingForFewerWrapsThanThereArePixels) {
    int calls = 0;
    auto widthAt = [&](int h) {
        ++calls;
        return 20 * ((1000 + h - 1) / h);  // 1000 pixels of 20-wide items in columns of h
    };
    EXPECT_EQ(tallestHeightReaching(20, 1000, 100, widthAt), walkDown(20, 1000, 100, widthAt));
    calls = 0;
    tallestHeightReaching(20, 1000, 100, widthAt);
    EXPECT_LE(calls, 12);
}

}  // namespace
}  // namespace lindora::test
