// The passes that place the bars of one dock row, on plain numbers.
#include <gtest/gtest.h>

#include "bars/docks/DockRowLayout.h"

namespace lindora::test {
namespace {

constexpr int kThickness = 22;

// Single-line bars: 22 thick at any length; multi-line ones one more line per 100 pixels short.
RowPlacement place(const std::vector<RowBar>& bars, int rowLength) {
    return DockRowLayout::place(
        bars, rowLength,
        [&](int i, int length, bool) {
            if (!bars[static_cast<std::size_t>(i)].multiLine) return kThickness;
            const int full = bars[static_cast<std::size_t>(i)].fullLength;
            return kThickness * ((full + length - 1) / std::max(length, 1));
        },
        [](int) { return kThickness; });
}

struct Placed {
    int pos, length;
    bool truncated;
    bool operator==(const Placed&) const = default;
};
std::vector<Placed> summary(const RowPlacement& p) {
    std::vector<Placed> out;
    for (const RowBarPlace& b : p.bars) out.push_back({b.pos, b.length, b.truncated});
    return out;
}

RowBar bar(int min, int full, int wanted = 0) {
    RowBar b;
    b.minLength = min;
    b.fullLength = full;
    b.wantedPos = wanted;
    return b;
}

TEST(DockRowLayoutTest, ShrinkingPinsTheFirstBarAndTruncatesTheOneThatIsShort) {
    // Two bars of 200 in a 300-pixel row: whoever is short of its full length is truncated;
    // the first bar always starts at 0 and fills what the later bars leave.
    struct Case {
        const char* name;
        int secondWants;
        std::vector<Placed> expected;
    };
    const Case cases[] = {
        {"second wants to sit right after the first", 200, {{0, 200, false}, {200, 100, true}}},
        {"second wants the middle: the first gives way", 100, {{0, 100, true}, {100, 200, false}}},
        {"second wants more than the first's minimum allows", 10, {{0, 100, true}, {100, 200, false}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(summary(place({bar(61, 200), bar(61, 200, c.secondWants)}, 300)), c.expected);
    }
    // Too narrow even for the minimums: each keeps its minimum, the last stretched to the end.
    const RowPlacement tight = place({bar(61, 200), bar(61, 200, 150)}, 100);
    EXPECT_EQ(summary(tight), (std::vector<Placed>{{0, 61, true}, {61, 61, true}}));
}

TEST(DockRowLayoutTest, FittingKeepsWantedPositionsWithinTheRow) {
    // Enough room: each bar has its full length where it wants to be, pushed back from the
    // end when it would overrun the next one, and never onto the bars before it.
    EXPECT_EQ(summary(place({bar(30, 100, 0), bar(30, 100, 150)}, 400)),
              (std::vector<Placed>{{0, 100, false}, {150, 100, false}}));
    EXPECT_EQ(summary(place({bar(30, 100, 0), bar(30, 100, 350)}, 400)),
              (std::vector<Placed>{{0, 100, false}, {300, 100, false}}));
    EXPECT_EQ(summary(place({bar(30, 100, 120), bar(30, 100, 50)}, 400)),
              (std::vector<Placed>{{0, 100, false}, {100, 100, false}}))
        << "the first bar is pushed back by the second";
}

TEST(DockRowLayoutTest, RestSpaceBarsStretchBetweenTheirNeighbours) {
    RowBar stretchy = bar(30, 100, 120);
    stretchy.useRestSpace = true;
    EXPECT_EQ(summary(place({bar(30, 100, 0), stretchy, bar(30, 50, 350)}, 400)),
              (std::vector<Placed>{{0, 100, false}, {100, 250, false}, {350, 50, false}}));
    RowBar last = bar(30, 100, 0);
    last.useRestSpace = true;
    EXPECT_EQ(summary(place({last}, 400)), (std::vector<Placed>{{0, 400, false}}));
}

TEST(DockRowLayoutTest, AWholeRowBarTakesTheRowAlone) {
    RowBar whole = bar(80, 300);
    whole.wholeRow = true;
    EXPECT_EQ(summary(place({whole}, 500)), (std::vector<Placed>{{0, 500, false}}));
    EXPECT_EQ(summary(place({whole}, 200)), (std::vector<Placed>{{0, 200, true}})) << "single-line and short";
    EXPECT_EQ(summary(place({whole}, 50)), (std::vector<Placed>{{0, 80, true}})) << "never below its minimum";

    whole.multiLine = true;
    const RowPlacement wrapped = place({whole}, 100);
    EXPECT_EQ(summary(wrapped), (std::vector<Placed>{{0, 100, false}})) << "a multi-line bar wraps instead";
    EXPECT_EQ(wrapped.thickness, 3 * kThickness);
}

TEST(DockRowLayoutTest, TheRowIsAsThickAsItsThickestBar) {
    RowBar wrapping = bar(50, 300, 0);
    wrapping.multiLine = true;
    const RowPlacement p = place({wrapping, bar(30, 100, 0)}, 250);
    EXPECT_EQ(p.bars[0].length, 150);
    EXPECT_EQ(p.bars[0].thickness, 2 * kThickness);
    EXPECT_EQ(p.bars[1].thickness, kThickness);
    EXPECT_EQ(p.thickness, 2 * kThickness);
    EXPECT_TRUE(place({}, 100).bars.empty());
}

}  // namespace
}  // namespace lindora::test
