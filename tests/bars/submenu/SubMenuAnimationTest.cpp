// How a submenu appears: the unfold and slide steps from the anchored corner, the fade's
// opacity, one step per 16 ms tick of the window layer, and no animation when opened by key.
#include <gtest/gtest.h>

#include "bars/controls/SubMenuAnimation.h"
#include "bars/submenu/SubMenuTestSupport.h"
#include "ui/Window.h"
#include "ui/WindowSystem.h"

namespace lindora::test {
namespace {

TEST(SubMenuAnimationSteps, UnfoldAndSlideGrowFromTheAnchoredCorner) {
    const Rect full{100, 200, 180, 260};  // 80 x 60
    struct Case {
        const char* name;
        BarMenuAnimations kind;
        bool fromRight, fromBottom;
        int steps;
        Rect first, firstPicture;
    };
    const Case cases[] = {
        // Unfold: 60 / 8 = 7 steps; the longer width is 20 ahead.
        {"unfold down right", maUnfold, false, false, 7, {100, 200, 128, 208}, {52, 52, 80, 60}},
        {"unfold from the right", maUnfold, true, false, 7, {152, 200, 180, 208}, {0, 52, 28, 60}},
        {"unfold from the bottom", maUnfold, false, true, 7, {100, 252, 128, 260}, {52, 0, 80, 8}},
        // Slide: full width, 17 more rows a step, 60 / 17 rounded up = 4 steps.
        {"slide down", maSlide, false, false, 4, {100, 200, 180, 217}, {0, 43, 80, 60}},
        {"slide up", maSlide, false, true, 4, {100, 243, 180, 260}, {0, 0, 80, 17}},
    };
    for (const Case& c : cases) {
        const SubMenuAnimation a(c.kind, full, c.fromRight, c.fromBottom);
        EXPECT_EQ(a.steps(), c.steps) << c.name;
        EXPECT_EQ(a.boundsAt(1), c.first) << c.name;
        EXPECT_EQ(a.pictureAt(1), c.firstPicture) << c.name;
        EXPECT_EQ(a.boundsAt(a.steps()), full) << c.name << ": the last step shows it all";
        EXPECT_EQ(a.pictureAt(a.steps()), Rect(0, 0, 80, 60)) << c.name;
    }
    const SubMenuAnimation fade(maFade, full, false, false);
    EXPECT_EQ(fade.steps(), 10);
    EXPECT_EQ(fade.boundsAt(1), full);
    EXPECT_EQ(fade.alphaAt(1), 16 * 255 / 150);
    EXPECT_EQ(fade.alphaAt(10), 255);
}

TEST(SubMenuAnimationSteps, RandomDrawsOneOfTheThreeKinds) {
    EXPECT_EQ(SubMenuAnimation::chooseKind(maRandom, 0), maUnfold);
    EXPECT_EQ(SubMenuAnimation::chooseKind(maRandom, 32), maUnfold);
    EXPECT_EQ(SubMenuAnimation::chooseKind(maRandom, 33), maSlide);
    EXPECT_EQ(SubMenuAnimation::chooseKind(maRandom, 65), maSlide);
    EXPECT_EQ(SubMenuAnimation::chooseKind(maRandom, 66), maFade);
    EXPECT_EQ(SubMenuAnimation::chooseKind(maSlide, 0), maSlide);
    EXPECT_EQ(SubMenuAnimation::chooseKind(maNone, 50), maNone);
}

TEST_F(SubMenuTest, TheWindowSlidesOneStepPerTickAndShowsItsShadowAtTheEnd) {
    manager().setMenuAnimations(maSlide);
    SubMenuControl& menu = openFrom(help, {200, 30, 240, 52});
    ASSERT_TRUE(menu.animating());
    const Rect full = menu.placement().bounds;
    const int steps = menu.animation()->steps();
    EXPECT_EQ(menu.bounds(), Rect(full.left, full.top, full.right, full.top + 17));
    EXPECT_FALSE(menu.shadow().visible()) << "the shadow waits for the full menu";
    EXPECT_TRUE(menu.isShown());
    // The picture moves with the growing edge: the partial window's last row is the menu's.
    auto bottomRow = [&](int y) {
        windowSystem().paintPending();
        const Bitmap screen = platform().screen().grabScreen();
        std::vector<std::uint32_t> row;
        for (int x = full.left; x < full.right; ++x) row.push_back(screen.pixel(x, y));
        return row;
    };
    const std::vector<std::uint32_t> partial = bottomRow(menu.bounds().bottom - 1);
    advance(16);
    EXPECT_EQ(menu.bounds().height(), 34);
    advance(16 * (steps - 2));
    EXPECT_FALSE(menu.animating());
    EXPECT_EQ(menu.bounds(), full);
    EXPECT_TRUE(menu.shadow().visible());
    EXPECT_EQ(bottomRow(full.bottom - 1), partial);
}

TEST_F(SubMenuTest, AStoppedAnimationShowsTheFullMenuAtOnce) {
    manager().setMenuAnimations(maUnfold);
    SubMenuControl& menu = openFrom(help, {200, 30, 240, 52});
    ASSERT_TRUE(menu.animating());
    menu.stopAnimation();
    EXPECT_FALSE(menu.animating());
    EXPECT_EQ(menu.bounds(), menu.placement().bounds);
    EXPECT_TRUE(menu.shadow().visible());
    advance(200);  // no tick moves it any more
    EXPECT_EQ(menu.bounds(), menu.placement().bounds);
}

TEST_F(SubMenuTest, FadingRaisesTheOpacityOverAHundredAndFiftyMilliseconds) {
    manager().setMenuAnimations(maFade);
    SubMenuControl& menu = openFrom(help, {200, 30, 240, 52});
    ASSERT_TRUE(menu.animating());
    EXPECT_EQ(menu.bounds(), menu.placement().bounds);
    EXPECT_LT(menu.window()->alpha(), 255);
    advance(80);
    EXPECT_GT(menu.window()->alpha(), 100);
    EXPECT_LT(menu.window()->alpha(), 255);
    advance(80);
    EXPECT_FALSE(menu.animating());
    EXPECT_EQ(menu.window()->alpha(), 255);
}

TEST_F(SubMenuTest, OpeningByKeyboardOrWithoutAnimationsShowsAtOnce) {
    for (BarMenuAnimations kind : {maUnfold, maSlide, maFade}) {
        manager().setMenuAnimations(kind);
        SubMenuControl& menu = openFrom(help, {200, 30, 240, 52}, /*byMouse=*/false);
        EXPECT_FALSE(menu.animating()) << kind;
        EXPECT_EQ(menu.bounds(), menu.placement().bounds);
        EXPECT_EQ(menu.window()->alpha(), 255);
    }
    manager().setMenuAnimations(maNone);
    EXPECT_FALSE(openFrom(help, {200, 30, 240, 52}, true).animating());
}

}  // namespace
}  // namespace lindora::test
