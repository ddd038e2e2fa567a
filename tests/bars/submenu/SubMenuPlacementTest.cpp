// Where a submenu goes near the work area's edges: the flips to the owner's other side, the
// cut height when it fits neither below nor above, and the moves of menus opened at a point.
#include <gtest/gtest.h>

#include "bars/controls/SubMenuPlacement.h"

namespace lindora {
namespace {

struct PlacementCase {
    const char* name;
    SubMenuPlacementRequest request;
    Rect bounds;
    bool flippedLeft;
    bool flippedUp;
};

constexpr Rect kWork{0, 0, 1000, 700};

class SubMenuPlacementTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(SubMenuPlacementTest, PlacesInsideTheWorkArea) {
    const PlacementCase& c = GetParam();
    const SubMenuPlacement p = PlaceSubMenu(c.request);
    EXPECT_EQ(p.bounds, c.bounds);
    EXPECT_EQ(p.flippedLeft, c.flippedLeft);
    EXPECT_EQ(p.flippedUp, c.flippedUp);
    EXPECT_TRUE(kWork.contains(p.bounds)) << "outside the work area";
    EXPECT_EQ(p.heightCut(), p.bounds.height() < c.request.size.cy);
}

// Owner items: below a toolbar item 22 high, or beside a submenu item 120 wide.
INSTANTIATE_TEST_SUITE_P(
    Cases, SubMenuPlacementTest,
    ::testing::Values(
        PlacementCase{"FitsBelowItsOwner", {{100, 50}, {120, 60}, 0, 22, kWork}, {100, 50, 220, 110}, false, false},
        PlacementCase{"BelowNearTheRightEdgeIsPushedLeft",
                      {{950, 50}, {120, 60}, 0, 22, kWork},
                      {880, 50, 1000, 110},
                      false,
                      false},
        PlacementCase{"BelowNearTheBottomFlipsAboveWhenMoreRoomThere",
                      {{100, 660}, {120, 100}, 0, 22, kWork},
                      {100, 538, 220, 638},
                      false,
                      true},
        PlacementCase{"BelowNearTheTopWithLessRoomAboveIsCut",
                      {{100, 300}, {120, 500}, 0, 22, kWork},
                      {100, 300, 220, 700},
                      false,
                      false},
        PlacementCase{"FlippedAboveLosesWhatPassesTheTop",
                      {{100, 500}, {120, 600}, 0, 22, kWork},
                      {100, 0, 220, 478},
                      false,
                      true},
        PlacementCase{"BesideNearTheRightEdgeFlipsToTheOwnersLeft",
                      {{900, 100}, {150, 60}, 120, 0, kWork},
                      {630, 100, 780, 160},
                      true,
                      false},
        PlacementCase{"BesideWithMoreRoomRightIsClampedInstead",
                      {{200, 100}, {900, 60}, 120, 0, kWork},
                      {100, 100, 1000, 160},
                      false,
                      false},
        PlacementCase{"BesideNearTheBottomEndsAtTheBottom",
                      {{300, 680}, {150, 60}, 120, 0, kWork},
                      {300, 640, 450, 700},
                      false,
                      false},
        PlacementCase{
            "TallerThanTheWorkAreaIsCut", {{300, 100}, {150, 900}, 120, 0, kWork}, {300, 0, 450, 700}, false, false},
        PlacementCase{"AtAPointNearTheBottomOpensUpward",
                      {{500, 690}, {150, 60}, 0, 0, kWork},
                      {500, 630, 650, 690},
                      false,
                      false},
        PlacementCase{
            "AtAPointLeftOfTheWorkAreaMovesIn", {{-40, 10}, {150, 60}, 0, 0, kWork}, {0, 10, 150, 70}, false, false},
        PlacementCase{"AtAPointWithNoRoomAboveEndsAtTheBottom",
                      {{500, 30}, {150, 690}, 0, 0, kWork},
                      {500, 10, 650, 700},
                      false,
                      false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lindora
