// Dock sites with fake bars: rows made and dropped, where points fall, how the sites size
// themselves to their rows, and the loading rules.
#include "DockTestSupport.h"

namespace lindora::test {
namespace {

class DockSiteTest : public DockTest {};

TEST_F(DockSiteTest, TheEdgeSitesAreLaidOutSitesAndStartEmpty) {
    for (BarDockingStyle s : {dsLeft, dsTop, dsRight, dsBottom}) {
        ASSERT_NE(dynamic_cast<DockSite*>(manager().bars().dockControl(s)), nullptr);
        EXPECT_EQ(site(s).rowCount(), 0);
        EXPECT_EQ(site(s).thickness(), 0);
    }
    EXPECT_TRUE(site(dsTop).horizontal());
    EXPECT_FALSE(site(dsLeft).horizontal());
    EXPECT_TRUE(site(dsBottom).farEdge());
    EXPECT_EQ(site(dsTop).rowBounds(0), Rect());
}

TEST_F(DockSiteTest, TheTopSiteGrowsAndShrinksWithItsRows) {
    DockSite& top = site(dsTop);
    const int formWidth = form().clientRect().width();
    FakeDockedBar& a = fakeBar();
    top.addBarControl(a, at(top, 0, 0), true);
    EXPECT_EQ(top.thickness(), 22);
    EXPECT_EQ(top.bounds(), Rect(0, 0, formWidth, 22)) << "the form placed its edge sites again";
    EXPECT_EQ(a.dockedBounds(), Rect(0, 0, 200, 22));

    FakeDockedBar& b = fakeBar(50, 200, 30);
    top.addBarControl(b, at(top, 10, 30), true);  // below the last row: a new row
    ASSERT_EQ(top.rowCount(), 2);
    EXPECT_EQ(top.rowsSize(), 52);
    EXPECT_EQ(top.thickness(), 52);
    EXPECT_EQ(b.dockedBounds(), Rect(10, 22, 210, 52));
    EXPECT_EQ(top.rowBounds(1), Rect(0, 22, top.clientRect().width(), 52));

    // A sunken frame adds a pixel on each side, but not to an empty site.
    manager().setSunkenBorder(true);
    EXPECT_EQ(top.thickness(), 54);
    top.removeBarControl(a);
    EXPECT_EQ(top.rowCount(), 1) << "the empty row went";
    EXPECT_EQ(b.dockedBounds().top, 0);
    EXPECT_EQ(top.thickness(), 32);
    top.removeBarControl(b);
    EXPECT_EQ(top.rowCount(), 0);
    EXPECT_EQ(top.thickness(), 0);
}

TEST_F(DockSiteTest, AFarEdgeSiteKeepsItsFarEdgeAsItGrows) {
    DockSite& bottom = site(dsBottom);
    const Rect client = form().clientRect();
    FakeDockedBar& a = fakeBar();
    bottom.addBarControl(a, at(bottom, 0, 0), true);
    EXPECT_EQ(bottom.bounds(), Rect(0, client.height() - 22, client.width(), client.height()));
    FakeDockedBar& b = fakeBar();
    bottom.addBarControl(b, bottom.clientToScreen(Point(0, -12)), true);  // the new-row band before row 0
    EXPECT_EQ(bottom.rowIndexOf(b), 0);
    EXPECT_EQ(bottom.rowIndexOf(a), 1);
    EXPECT_EQ(bottom.bounds(), Rect(0, client.height() - 44, client.width(), client.height()));
}

TEST_F(DockSiteTest, AVerticalSiteLaysItsBarsDownwardAndGrowsInWidth) {
    DockSite& left = site(dsLeft);
    FakeDockedBar& a = fakeBar(40, 120, 24);
    FakeDockedBar& b = fakeBar(40, 100, 24);
    left.addBarControl(a, at(left, 0, 0), true);
    left.addBarControl(b, at(left, 0, 130), true);
    ASSERT_EQ(left.rowCount(), 1) << "the point lies on row 0";
    EXPECT_EQ(a.dockedBounds(), Rect(0, 0, 24, 120));
    EXPECT_EQ(b.dockedBounds(), Rect(0, 130, 24, 230));
    EXPECT_EQ(left.thickness(), 24);
    EXPECT_EQ(left.bounds().width(), 24);
    EXPECT_EQ(left.bounds().top, site(dsTop).thickness());
    // A negative drop position along the row becomes 0.
    FakeDockedBar& c = fakeBar(40, 60, 24);
    left.addBarControl(c, left.clientToScreen(Point(40, -70)), true);
    EXPECT_EQ(left.colOf(c)->pos().y, 0);
}

TEST_F(DockSiteTest, AShortRowShrinksItsBarsAndTruncatesTheOneThatIsShort) {
    form().setBoundsTo(100, 100, 300 + (form().bounds().width() - form().clientRect().width()), 600);
    DockSite& top = site(dsTop);
    ASSERT_EQ(top.clientRect().width(), 300);
    FakeDockedBar& a = fakeBar(50, 200);
    FakeDockedBar& b = fakeBar(50, 200);
    top.addBarControl(a, at(top, 0, 0), true);
    top.addBarControl(b, at(top, 200, 0), true);
    ASSERT_EQ(top.rowCount(), 1);
    EXPECT_EQ(a.dockedBounds(), Rect(0, 0, 200, 22));
    EXPECT_FALSE(a.truncated());
    EXPECT_EQ(b.dockedBounds(), Rect(200, 0, 300, 22));
    EXPECT_TRUE(b.truncated());
    // Sized for its length less the mark it now shows.
    EXPECT_EQ(b.askedLengths.back(), 100 - MarkWidth);

    // Widening the form gives both their full lengths again.
    form().setBoundsTo(100, 100, 500 + (form().bounds().width() - form().clientRect().width()), 600);
    EXPECT_FALSE(b.truncated());
    EXPECT_EQ(b.dockedBounds(), Rect(200, 0, 400, 22));
}

TEST_F(DockSiteTest, AMultiLineBarGrowsTheSiteAsTheFormNarrows) {
    DockSite& top = site(dsTop);
    FakeDockedBar& menu = fakeBar(60, 1000, 26);
    menu.bar().setMultiLine(true);
    menu.bar().setWholeRow(true);
    top.addBarControl(menu, at(top, 0, 0), true);
    const int frame = form().bounds().width() - form().clientRect().width();
    ASSERT_LT(top.clientRect().width(), 1000);
    EXPECT_EQ(top.thickness(), 52) << "1000 pixels of items in a narrower row";
    form().setBoundsTo(100, 100, 250 + frame, 600);
    EXPECT_EQ(top.thickness(), 104);
    EXPECT_EQ(menu.dockedBounds(), Rect(0, 0, 250, 104));
    EXPECT_EQ(site(dsLeft).bounds().top, 104) << "the side sites start below it";
    form().setBoundsTo(50, 100, 1100 + frame, 600);
    EXPECT_EQ(top.thickness(), 26) << top.clientRect().width() << " " << form().bounds().width();
}

TEST_F(DockSiteTest, AMultiLineBarOnASideSiteWrapsIntoColumns) {
    DockSite& left = site(dsLeft);
    FakeDockedBar& tall = fakeBar(30, 1000, 24);
    tall.bar().setMultiLine(true);
    left.addBarControl(tall, at(left, 0, 0), true);
    const int height = left.clientRect().height();
    ASSERT_LT(height, 1000);
    ASSERT_GE(height, 500);
    EXPECT_EQ(tall.dockedBounds(), Rect(0, 0, 48, height)) << "two columns side by side";
    EXPECT_EQ(left.thickness(), 48);
    EXPECT_EQ(left.bounds().width(), 48);
}

TEST_F(DockSiteTest, WholeRowBarsNeverShareARow) {
    DockSite& top = site(dsTop);
    FakeDockedBar& plain = fakeBar(30, 100);
    top.addBarControl(plain, at(top, 0, 0), true);
    FakeDockedBar& whole = fakeBar(30, 100);
    whole.bar().setWholeRow(true);
    top.addBarControl(whole, at(top, 150, 2), true);  // on row 0
    EXPECT_EQ(top.rowCount(), 2) << "a whole-row bar opens a row of its own";
    EXPECT_EQ(top.rowIndexOf(whole), 0);
    EXPECT_EQ(whole.dockedBounds(), Rect(0, 0, top.clientRect().width(), 22));

    FakeDockedBar& other = fakeBar(30, 100);
    top.addBarControl(other, at(top, 300, 2), true);  // on the whole-row bar's row
    EXPECT_EQ(top.rowCount(), 3) << "nor does anything join a whole-row bar";
    EXPECT_EQ(top.row(top.rowIndexOf(whole)).colCount(), 1);
}

TEST_F(DockSiteTest, RowAtPointSplitsEachBandIntoJoinNewRowAndNextRow) {
    DockSite& top = site(dsTop);
    FakeDockedBar& a = fakeBar(30, 100, 26);
    FakeDockedBar& b = fakeBar(30, 100, 26);
    top.addBarControl(a, at(top, 0, 0), true);
    top.addBarControl(b, at(top, 0, 26), true);
    ASSERT_EQ(top.rowsSize(), 52);
    using Hit = DockSite::RowHit;
    const std::pair<int, Hit> cases[] = {
        {-24, {0, true}}, {-23, {-1, false}}, {-15, {-1, false}}, {-14, {0, true}}, {-10, {0, true}}, {-9, {0, false}},
        {8, {0, false}},  {9, {1, true}},     {13, {1, true}},    {14, {1, false}}, {25, {1, false}}, {26, {1, false}},
        {35, {2, true}},  {40, {2, false}},   {51, {2, false}},   {52, {2, true}},
    };
    for (const auto& [y, hit] : cases) EXPECT_EQ(top.rowAtPoint(at(top, 5, y)), hit) << "y = " << y;
}

TEST_F(DockSiteTest, RowAtPointOnAFarEdgeSiteCutsFromTheBandEnds) {
    DockSite& bottom = site(dsBottom);
    FakeDockedBar& a = fakeBar(30, 100, 26);
    bottom.addBarControl(a, at(bottom, 0, 0), true);
    ASSERT_EQ(bottom.clientRect().height(), 26);
    using Hit = DockSite::RowHit;
    const std::pair<int, Hit> cases[] = {
        {-23, {-1, false}}, {-15, {-1, false}}, {-14, {0, true}}, {-10, {0, true}}, {-9, {0, false}},
        {11, {0, false}},   {12, {1, true}},    {16, {1, true}},  {17, {1, false}}, {26, {1, true}},
    };
    for (const auto& [y, hit] : cases) EXPECT_EQ(bottom.rowAtPoint(at(bottom, 5, y)), hit) << "y = " << y;
    EXPECT_EQ(site(dsRight).rowAtPoint(at(site(dsRight), 0, 0)), Hit(0, true)) << "no rows";
}

TEST_F(DockSiteTest, ColAtPointIsTheFirstBarAtOrBeyondThePoint) {
    DockSite& top = site(dsTop);
    FakeDockedBar& a = fakeBar(30, 100);
    FakeDockedBar& b = fakeBar(30, 100);
    top.addBarControl(a, at(top, 0, 0), true);
    top.addBarControl(b, at(top, 150, 0), true);
    ASSERT_EQ(b.dockedBounds().left, 150);
    const std::pair<int, int> cases[] = {{-5, 0}, {0, 0}, {1, 1}, {150, 1}, {151, 2}, {700, 2}};
    for (const auto& [x, index] : cases) EXPECT_EQ(top.colAtPoint(0, at(top, x, 0)), index) << "x = " << x;
    EXPECT_EQ(top.colAtPoint(1, at(top, 0, 0)), 0) << "a missing row";

    // A bar dropped between them goes between them.
    FakeDockedBar& c = fakeBar(30, 20);
    top.addBarControl(c, at(top, 120, 0), true);
    EXPECT_EQ(&top.row(0).col(1).barControl(), &c);
    EXPECT_EQ(c.dockedBounds(), Rect(120, 0, 140, 22));

    // Docking it again moves it: still one col.
    top.addBarControl(c, at(top, 400, 0), true);
    ASSERT_EQ(top.row(0).colCount(), 3);
    EXPECT_EQ(&top.row(0).col(2).barControl(), &c);
}

TEST_F(DockSiteTest, RestoringWhileLoadingCreatesTheRowsUpToTheStoredRow) {
    DockSite& top = site(dsTop);
    FakeDockedBar& late = fakeBar(30, 100);
    late.bar().setRow(3);
    manager().bars().setLoading(true);
    top.addBarControl(late, at(top, 40, 0), false);
    ASSERT_EQ(top.rowCount(), 4);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(top.row(i).empty()) << "row " << i;
    EXPECT_EQ(top.rowIndexOf(late), 3);
    EXPECT_EQ(top.colOf(late)->pos(), Point(40, 0)) << "a restored point is taken as it is";

    // An earlier bar fills the waiting row of its own index.
    FakeDockedBar& first = fakeBar(30, 100);
    first.bar().setRow(1);
    first.bar().setOneOnRow(true);
    top.addBarControl(first, at(top, 0, 0), false);
    EXPECT_EQ(top.rowCount(), 4);
    EXPECT_EQ(top.rowIndexOf(first), 1);
    manager().bars().setLoading(false);

    top.repositionBars();
    EXPECT_EQ(late.dockedBounds(), Rect(40, 22, 140, 44)) << "empty rows take no room";
    EXPECT_EQ(top.thickness(), 44);
}

TEST_F(DockSiteTest, RelayoutWaitsWhileTheManagerIsLocked) {
    DockSite& top = site(dsTop);
    FakeDockedBar& a = fakeBar();
    top.addBarControl(a, at(top, 0, 0), true);
    const int moves = a.moves;
    {
        BarLockUpdate lock(&manager());
        form().setBoundsTo(100, 100, 150, 600);
        EXPECT_EQ(a.moves, moves);
    }
    EXPECT_GT(a.moves, moves) << "unlocking lays the site out";
}

}  // namespace
}  // namespace lindora::test
