// The painters' rules that decide pixels and sizes: which painter a manager gets, the manager's
// brushes, state brushes, progress fills, borders by style, the close cross, the mark's place
// and the painters' metrics.
#include "bars/BarsTestSupport.h"
#include "bars/model/BarControlsIntegration.h"
#include "bars/model/BarWindows.h"
#include "bars/painters/BarItemControlPainter.h"
#include "bars/painters/PainterColors.h"
#include "bars/painters/PainterTestSupport.h"
#include "gfx/ImageList.h"

#include <gtest/gtest.h>

#include <map>

namespace lindora {
namespace {

// Hands out the real painters; windows and controls are not needed here.
class PainterOnlyIntegration : public BarControlsIntegration {
public:
    std::unique_ptr<BarWindow> createBarWindow(BarManager&, Bar&) override { return nullptr; }
    std::unique_ptr<ItemLinksWindow> createSubMenuWindow(BarManager&, BarItemLinks&) override { return nullptr; }
    std::unique_ptr<BarItemControl> createItemControl(const ItemControlClass&, BarItemLink&) override {
        return nullptr;
    }
    const BarPainter* painter(BarPainterKind kind) override { return &PainterFor(kind); }
};

class PainterManagerTest : public test::BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        BarControlsIntegration::install(std::make_unique<PainterOnlyIntegration>());
    }
    void TearDown() override {
        BarsTest::TearDown();
        BarControlsIntegration::install(nullptr);
    }
};

const BarItemControlPainter& flat() { return PainterFor(BarPainterKind::Flat); }
const BarItemControlPainter& standard() { return PainterFor(BarPainterKind::Standard); }
const BarItemControlPainter& enhanced() { return PainterFor(BarPainterKind::Enhanced); }

// ---- painter choice --------------------------------------------------------------------------

TEST(PainterChoice, EachKindHasItsPainter) {
    EXPECT_EQ(PainterFor(BarPainterKind::Flat).kind(), BarPainterKind::Flat);
    EXPECT_EQ(PainterFor(BarPainterKind::Enhanced).kind(), BarPainterKind::Enhanced);
    EXPECT_EQ(PainterFor(BarPainterKind::Standard).kind(), BarPainterKind::Standard);
    // No visual themes here: the XP look falls to the enhanced painter; the Office11 look is
    // drawn by its flat base until it has a painter of its own.
    EXPECT_EQ(&PainterFor(BarPainterKind::XP), &PainterFor(BarPainterKind::Enhanced));
    EXPECT_EQ(&PainterFor(BarPainterKind::Office11), &PainterFor(BarPainterKind::Flat));
    EXPECT_NE(dynamic_cast<const BarItemControlStandardPainter*>(&enhanced()), nullptr);
    EXPECT_EQ(dynamic_cast<const BarItemControlStandardPainter*>(&flat()), nullptr);
}

TEST_F(PainterManagerTest, EffectiveStyleChoosesThePainter) {
    BarManager& m = manager();
    EXPECT_EQ(m.painter(), &enhanced()) << "a new manager is enhanced";
    struct Case {
        BarManagerStyle style;
        LookAndFeelKind kind;
        bool native;
        BarPainterKind expected;
    } cases[] = {
        {bmsStandard, lfFlat, false, BarPainterKind::Standard},
        {bmsEnhanced, lfStandard, false, BarPainterKind::Enhanced},
        {bmsFlat, lfFlat, false, BarPainterKind::Flat},
        {bmsXP, lfFlat, false, BarPainterKind::Enhanced},
        {bmsOffice11, lfFlat, false, BarPainterKind::Flat},
        {bmsUseLookAndFeel, lfFlat, false, BarPainterKind::Enhanced},
        {bmsUseLookAndFeel, lfStandard, false, BarPainterKind::Standard},
        {bmsUseLookAndFeel, lfUltraFlat, false, BarPainterKind::Flat},
        {bmsUseLookAndFeel, lfOffice11, false, BarPainterKind::Flat},
        // Native style needs themes, which this platform does not offer: the kind decides.
        {bmsUseLookAndFeel, lfUltraFlat, true, BarPainterKind::Flat},
        {bmsUseLookAndFeel, lfStandard, true, BarPainterKind::Standard},
    };
    for (const Case& c : cases) {
        m.lookAndFeel().setKind(c.kind);
        m.lookAndFeel().setNativeStyle(c.native);
        m.setStyle(c.style);
        ASSERT_NE(m.painter(), nullptr);
        EXPECT_EQ(m.painter(), &PainterFor(c.expected)) << "style " << c.style << " kind " << c.kind;
    }
    m.setStyle(bmsFlat);
    EXPECT_EQ(m.gripOffset(), 1);
    EXPECT_EQ(m.gripAreaSize(), 6);
    EXPECT_EQ(m.separatorIndent(), 8);
}

TEST_F(PainterManagerTest, LargeIconsDoubleASmallGlyphOnBarsOnly) {
    test::SchemeGuard classic;
    BarManager& m = manager();
    m.setStyle(bmsFlat);
    m.setLargeIcons(true);
    ImageList images(16, 16);
    Bitmap picture(16, 16, RGB(200, 0, 0));
    picture.setColor(0, 15, clFuchsia);  // the cell's bottom-left pixel is the transparent colour
    images.add(picture);
    const Color back = RGB(1, 1, 1);
    BarDrawContext context;
    context.manager = &m;
    context.barBackground = Brush(back);
    auto glyphInk = [&](bool inSubmenu) {
        context.inSubmenu = inSubmenu;
        Bitmap b(50, 50, back);
        Canvas c(b);
        ButtonDrawParams p;
        p.rect = Rect::fromSize(0, 0, m.buttonWidth(), m.buttonHeight());
        p.glyphArea = p.rect;
        p.context = &context;
        p.images = &images;
        p.imageIndex = 0;
        p.showCaption = false;
        p.hot = true;  // not lightened: the glyph's own colour
        p.pressed = true;
        PainterFor(BarPainterKind::Flat).drawGlyphAndCaption(c, p);
        Rect red;
        for (int y = 0; y < b.height(); ++y)
            for (int x = 0; x < b.width(); ++x)
                if (b.colorAt(x, y) == RGB(200, 0, 0)) red = red.united({x, y, x + 1, y + 1});
        return red;
    };
    EXPECT_EQ(glyphInk(false).size(), Size(32, 32));
    EXPECT_EQ(glyphInk(true).size(), Size(16, 16)) << "submenus keep the image size";
}

// ---- the manager's brushes -------------------------------------------------------------------

TEST_F(PainterManagerTest, ManagerBrushesAreRebuiltOnSystemColourChange) {
    test::SchemeGuard scheme;
    BarManager& m = manager();
    ASSERT_NE(m.painterResources(), nullptr) << "the manager keeps the painters' brushes";
    const PainterBrushes& brushes = ManagerBrushes(&m);
    EXPECT_EQ(&ManagerBrushes(&m), &brushes) << "one set per manager, not per paint";
    EXPECT_EQ(brushes.flatHot().color(), SystemTintColor(-2, 30, 72));

    SystemColors::set(COLOR_BTNFACE, RGB(200, 180, 160));
    m.systemColorsChanged();
    EXPECT_FALSE(brushes.stale());
    EXPECT_EQ(brushes.flatHot().color(), SystemTintColor(-2, 30, 72));
    EXPECT_EQ(brushes.flatColors(), FlatColors::fromSystemColors(DisplayBitsPerPixel()));
    EXPECT_EQ(brushes.checker().patternBitmap()->colorAt(1, 0), RGB(255, 255, 255));
    EXPECT_EQ(brushes.checker().patternBitmap()->colorAt(0, 0), RGB(200, 180, 160));

    // A change nobody reported still shows at the next paint.
    SystemColors::set(COLOR_BTNFACE, RGB(100, 120, 140));
    EXPECT_EQ(ManagerBrushes(&m).flatToolbarBackground().color(),
              FlatColors::fromSystemColors(DisplayBitsPerPixel()).toolbarBackground);
}

TEST_F(PainterManagerTest, TheFormsSystemColourNoticeRebuildsTheManagersBrushes) {
    test::SchemeGuard scheme;
    form().createWindow();
    const PainterBrushes& brushes = ManagerBrushes(&manager());
    platform().setSystemColor(COLOR_BTNFACE, RGB(90, 140, 190));
    EXPECT_FALSE(brushes.stale()) << "rebuilt when the desktop told, not at the next paint";
    EXPECT_EQ(brushes.flatColors(), FlatColors::fromSystemColors(DisplayBitsPerPixel()));
    EXPECT_EQ(brushes.checker().patternBitmap()->colorAt(0, 0), RGB(90, 140, 190));
}

TEST(PainterBrushesOfLooks, WhiteButtonFaceGivesHighlightStateBrushes) {
    test::SchemeGuard white({{COLOR_BTNFACE, RGB(255, 255, 255)}, {COLOR_HIGHLIGHT, RGB(10, 36, 106)}});
    const BarManager* none = nullptr;
    EXPECT_EQ(flat().checkedBackgroundBrush(none).color(), RGB(10, 36, 106));
    EXPECT_EQ(flat().checkedHotBackgroundBrush(none).color(), RGB(10, 36, 106));
    EXPECT_EQ(flat().hotBackgroundBrush(none).color(), RGB(10, 36, 106));
}

TEST(PainterBrushesOfLooks, BackgroundsByLook) {
    test::SchemeGuard classic;
    const BarManager* none = nullptr;
    const PainterBrushes& b = ManagerBrushes(none);
    EXPECT_EQ(standard().barBackgroundBrush(none), Brush(clBtnFace));
    EXPECT_EQ(standard().checkedBackgroundBrush(none), b.checker());
    EXPECT_EQ(standard().checkedHotBackgroundBrush(none), Brush(clBtnFace));
    EXPECT_EQ(standard().hotBackgroundBrush(none), Brush(clHighlight));
    EXPECT_EQ(flat().barBackgroundBrush(none), b.flatToolbarBackground());
    EXPECT_EQ(flat().barBackgroundBrushFor(none, true), Brush(clBtnFace)) << "the main menu bar keeps the face";
    EXPECT_EQ(flat().barBackgroundBrushFor(none, false), b.flatToolbarBackground());
    EXPECT_EQ(flat().submenuBackgroundBrush(none), Brush(clWindow));
    EXPECT_EQ(standard().submenuBackgroundBrush(none), Brush(clBtnFace));
}

TEST(PainterStateBrush, FlatStatesTable) {
    test::SchemeGuard classic;
    const PainterBrushes& b = ManagerBrushes(nullptr);
    const Brush bar(RGB(1, 2, 3));
    struct Case {
        bool hot, pressed, checked, inSubmenu, own, barForHotChecked;
        Brush expected;
    } cases[] = {
        {true, false, false, false, false, false, b.flatHot()},
        {true, true, false, false, false, false, b.flatCheckedHot()},
        {true, false, true, false, false, false, b.flatCheckedHot()},
        {true, false, true, false, false, true, bar},
        {false, false, true, false, false, false, b.flatChecked()},
        {false, true, false, false, false, false, bar},
        {false, false, false, false, false, false, bar},
        {false, false, false, true, false, false, b.flatToolbarBackground()},
        {false, false, false, true, true, false, bar},
    };
    for (const Case& c : cases) {
        BarDrawContext context;
        context.barBackground = bar;
        context.inSubmenu = c.inSubmenu;
        ItemDrawState s;
        s.hot = c.hot;
        s.pressed = c.pressed;
        s.checked = c.checked;
        s.ownBackground = c.own;
        s.barForHotChecked = c.barForHotChecked;
        s.context = &context;
        EXPECT_EQ(flat().stateBrush(s), c.expected) << "hot " << c.hot << " pressed " << c.pressed << " checked "
                                                    << c.checked << " submenu " << c.inSubmenu << " own " << c.own;
        // The classic looks keep the bar's background, except a checked button at rest.
        EXPECT_EQ(standard().stateBrush(s), c.checked && !c.hot && !c.inSubmenu ? b.checker() : bar);
    }
}

// ---- progress bars ---------------------------------------------------------------------------

constexpr Color kFill = RGB(0, 0, 200);
constexpr Color kBack = RGB(230, 230, 230);

// The bar drawn into a 160 x 12 bitmap at (5, 1), 150 x 9; returns the row through its middle
// as a string of '#' (fill) and '.' (background), other pixels '?'.
std::string progressRow(int min, int max, int position, bool smooth) {
    Bitmap b(160, 12, RGB(255, 255, 255));
    Canvas c(b);
    ProgressDrawParams p;
    p.rect = Rect::fromSize(5, 1, 150, 9);
    p.min = min;
    p.max = max;
    p.position = position;
    p.smooth = smooth;
    p.color = kFill;
    p.background = Brush(kBack);
    flat().drawProgressBar(c, p);
    std::string row;
    for (int x = 5; x < 155; ++x) {
        Color px = b.colorAt(x, 5);
        row.push_back(px == kFill ? '#' : px == kBack ? '.' : '?');
        for (int y = 1; y < 10; ++y)
            if (b.colorAt(x, y) != px) return "column " + std::to_string(x) + " is not uniform";
    }
    if (b.colorAt(4, 5) != RGB(255, 255, 255) || b.colorAt(155, 5) != RGB(255, 255, 255)) return "drawn outside";
    return row;
}

TEST(PainterProgressBar, SmoothFillIsRoundedAndClampedIntoTheBar) {
    struct Case {
        int min, max, position, filled;
    } cases[] = {
        {0, 100, 50, 75},
        {0, 100, 0, 0},
        {0, 100, 100, 150},
        {0, 100, 1, 2} /* 1.5 rounds up */,
        {0, 3, 1, 50},
        {10, 20, 15, 75},
        {-50, 50, 0, 75},
        // Left out of range by a loaded description: the fill stays inside the bar.
        {0, 100, 250, 150},
        {0, 100, -40, 0},
        {0, 0, 0, 0} /* Max = Min: empty */,
        {50, 10, 30, 0} /* Max below Min: empty */,
        {0, 2147483647, 2147483647, 150},
    };
    for (const Case& c : cases) {
        std::string expected = std::string(c.filled, '#') + std::string(150 - c.filled, '.');
        EXPECT_EQ(progressRow(c.min, c.max, c.position, true), expected)
            << c.min << ".." << c.max << " at " << c.position;
    }
}

TEST(PainterProgressBar, BlocksHaveTwoPixelGapsAndTheLastIsCut) {
    // Thickness 9: blocks of 6, gaps of 2; 75 filled = 9 whole periods and a block cut to 3.
    std::string expected;
    for (int x = 0; x < 150; ++x) expected.push_back(x < 75 && x % 8 < 6 ? '#' : '.');
    EXPECT_EQ(progressRow(0, 100, 50, false), expected);
    // A fill ending inside a gap: the gap is cut too, the rest is background anyway.
    std::string full;
    for (int x = 0; x < 150; ++x) full.push_back(x % 8 < 6 ? '#' : '.');
    EXPECT_EQ(progressRow(0, 100, 100, false), full);
    EXPECT_EQ(progressRow(5, 5, 5, false), std::string(150, '.'));
}

TEST(PainterProgressBar, VerticalBarFillsFromTheTop) {
    Bitmap b(10, 40, RGB(255, 255, 255));
    Canvas c(b);
    ProgressDrawParams p;
    p.rect = Rect::fromSize(2, 5, 6, 30);
    p.position = 50;
    p.smooth = true;
    p.vertical = true;
    p.color = kFill;
    p.background = Brush(kBack);
    standard().drawProgressBar(c, p);
    EXPECT_EQ(b.colorAt(4, 5), kFill);
    EXPECT_EQ(b.colorAt(4, 19), kFill);
    EXPECT_EQ(b.colorAt(4, 20), kBack);
    EXPECT_EQ(b.colorAt(4, 34), kBack);
    EXPECT_EQ(b.colorAt(4, 35), RGB(255, 255, 255));
}

TEST(PainterProgressBar, Measures) {
    for (const BarItemControlPainter* p : {&standard(), &enhanced(), &flat()}) {
        EXPECT_EQ(p->progressColor(), clHighlight);
        EXPECT_EQ(p->progressHeight(), 12);
        EXPECT_EQ(p->progressStartOffset(false), 0);
        EXPECT_EQ(p->progressStartOffset(true), 0);
    }
}

// ---- borders by style ------------------------------------------------------------------------

TEST(PainterBorderByStyle, FlatDrawsThatManyShadowRectangles) {
    test::SchemeGuard classic;
    const std::map<char, Color> legend{{'s', clBtnShadow}, {'.', RGB(1, 1, 1)}};
    struct Case {
        BarStaticBorderStyle style;
        int width;
    } cases[] = {{sbsNone, 0}, {sbsLowered, 1}, {sbsRaised, 1}, {sbsEtched, 2}, {sbsBump, 2}};
    for (const Case& c : cases) {
        Bitmap b(8, 8, RGB(1, 1, 1));
        Canvas canvas(b);
        Rect r = Rect::fromSize(1, 1, 6, 6);
        flat().drawBorderByStyle(canvas, r, c.style);
        EXPECT_EQ(r, Rect::fromSize(1 + c.width, 1 + c.width, 6 - 2 * c.width, 6 - 2 * c.width));
        const char* pictures[] = {
            "........\n........\n........\n........\n........\n........\n........\n........\n",
            "........\n.ssssss.\n.s....s.\n.s....s.\n.s....s.\n.s....s.\n.ssssss.\n........\n",
            "........\n.ssssss.\n.ssssss.\n.ss..ss.\n.ss..ss.\n.ssssss.\n.ssssss.\n........\n",
        };
        EXPECT_EQ(test::art(b, b.bounds(), legend), pictures[c.width]) << "style " << c.style;
    }
}

TEST(PainterBorderByStyle, ClassicLooksDraw3DEdges) {
    test::SchemeGuard classic;
    const std::map<char, Color> legend{{'s', clBtnShadow}, {'h', clBtnHighlight}, {'.', RGB(1, 1, 1)}};
    struct Case {
        BarStaticBorderStyle style;
        const char* picture;
    } cases[] = {
        {sbsLowered, "......\n.sssh.\n.s..h.\n.s..h.\n.hhhh.\n......\n"},
        {sbsRaised, "......\n.hhhs.\n.h..s.\n.h..s.\n.ssss.\n......\n"},
        {sbsEtched, "......\n.sssh.\n.shsh.\n.sssh.\n.hhhh.\n......\n"},
        {sbsBump, "......\n.hhhs.\n.hshs.\n.hhhs.\n.ssss.\n......\n"},
    };
    for (const Case& c : cases) {
        Bitmap b(6, 6, RGB(1, 1, 1));
        Canvas canvas(b);
        Rect r = Rect::fromSize(1, 1, 4, 4);
        standard().drawBorderByStyle(canvas, r, c.style);
        int w = borderWidth(c.style);
        EXPECT_EQ(r, Rect::fromSize(1 + w, 1 + w, 4 - 2 * w, 4 - 2 * w));
        EXPECT_EQ(test::art(b, b.bounds(), legend), c.picture) << "style " << c.style;
    }
}

// ---- floating caption: the close cross ---------------------------------------------------------

TEST(PainterCloseButton, FlatCrossIsTwoPixelsWideInASquare) {
    test::SchemeGuard classic;
    Bitmap b(16, 16, RGB(1, 1, 1));
    Canvas c(b);
    CaptionButtonParams p;
    p.rect = Rect::fromSize(0, 0, 14, 14);
    flat().drawCloseButton(c, p);
    // 3 in from the sides, 4 from the top: an 8 x 8 square from (3, 4).
    const std::map<char, Color> legend{{'x', clCaptionText}, {'.', clInactiveCaption}, {' ', RGB(1, 1, 1)}};
    EXPECT_EQ(test::art(b, b.bounds(), legend),
              "..............  \n"
              "..............  \n"
              "..............  \n"
              "..............  \n"
              "...xx....xx...  \n"
              "....xx..xx....  \n"
              ".....xxxx.....  \n"
              "......xx......  \n"
              ".....xxxx.....  \n"
              "....xx..xx....  \n"
              "...xx....xx...  \n"
              "..............  \n"
              "..............  \n"
              "..............  \n"
              "                \n"
              "                \n");
    // A hot button's cross is in the button text colour over the hot background.
    p.state = CaptionButtonState::Hot;
    flat().drawCloseButton(c, p);
    EXPECT_EQ(b.colorAt(3, 4), colorToRGB(clBtnText));
    EXPECT_EQ(b.colorAt(0, 0), colorToRGB(FlatSelectionFrameColor()));
    EXPECT_EQ(b.colorAt(5, 4), ManagerBrushes(nullptr).flatHot().color());
}

// ---- the mark ----------------------------------------------------------------------------------

TEST(PainterMarkRect, DockedStripsAndFloatingSquare) {
    const Rect client{10, 20, 210, 46};
    struct Case {
        const BarItemControlPainter* painter;
        bool floating, vertical, close;
        Rect caption;
        Rect expected;
    } cases[] = {
        {&flat(), false, false, false, client, {199, 20, 210, 46}},
        {&flat(), false, true, false, {0, 0, 26, 300}, {0, 289, 26, 300}},
        {&flat(), true, false, false, {2, 2, 120, 16}, {106, 2, 120, 16}},
        {&flat(), true, false, true, {2, 2, 120, 16}, {92, 2, 106, 16}},
        // Never left of the caption's start.
        {&flat(), true, false, true, {2, 2, 20, 16}, {2, 2, 16, 16}},
        {&enhanced(), false, false, false, client, {199, 20, 210, 46}},
        {&enhanced(), true, false, true, {2, 2, 120, 16}, {2, 2, 15, 16}},
    };
    for (const Case& c : cases) {
        MarkRectParams p;
        p.client = c.floating || c.vertical ? c.caption : client;
        p.floating = c.floating;
        p.vertical = c.vertical;
        p.hasCloseButton = c.close;
        p.captionButtonSize = 14;
        EXPECT_EQ(c.painter->markRect(p), c.expected)
            << painterClassName(c.painter->kind()) << " floating " << c.floating << " vertical " << c.vertical;
    }
}

TEST(PainterMark, EnhancedAndFlatDrawTheTriangleAndTheChevronsOfATruncatedBar) {
    test::SchemeGuard classic;
    for (const BarItemControlPainter* painter : {&enhanced(), &flat()}) {
        Bitmap b(11, 24, RGB(1, 1, 1));
        Canvas c(b);
        MarkParams p;
        p.rect = Rect::fromSize(0, 0, 11, 24);
        p.barBackground = Brush(RGB(1, 1, 1));
        painter->drawMark(c, p);
        // The triangle's top row from left + 3 to left + 7 at bottom - 7, its tip two below.
        EXPECT_EQ(b.colorAt(3, 17), colorToRGB(clBtnText));
        EXPECT_EQ(b.colorAt(7, 17), colorToRGB(clBtnText));
        EXPECT_EQ(b.colorAt(5, 19), colorToRGB(clBtnText));
        EXPECT_EQ(b.colorAt(2, 4), RGB(1, 1, 1)) << "no chevrons while everything fits";
        p.truncated = true;
        painter->drawMark(c, p);
        EXPECT_EQ(b.colorAt(2, 4), colorToRGB(clBtnText)) << "chevron at left + 2, top + 4";
        EXPECT_EQ(b.colorAt(3, 4), colorToRGB(clBtnText)) << "two pixels thick";
        EXPECT_EQ(b.colorAt(6, 4), colorToRGB(clBtnText)) << "the second 4 pixels on";
    }
    // The standard painter draws no triangle.
    Bitmap b(11, 24, RGB(1, 1, 1));
    Canvas c(b);
    MarkParams p;
    p.rect = b.bounds();
    p.barBackground = Brush(RGB(1, 1, 1));
    standard().drawMark(c, p);
    EXPECT_EQ(test::inkBounds(b, RGB(1, 1, 1)), Rect{});
}

// ---- button frames -------------------------------------------------------------------------------

TEST(PainterButtonFrame, FlatSelectionFrameAndItsJointWithAnOpenSubmenu) {
    test::SchemeGuard classic;
    const Color sel = colorToRGB(FlatSelectionFrameColor());
    BarDrawContext context;
    context.barBackground = Brush(RGB(1, 1, 1));
    ItemDrawState s;
    s.rect = Rect::fromSize(2, 2, 20, 10);
    s.context = &context;
    auto frame = [&](const ItemDrawState& state) {
        Bitmap b(30, 30, RGB(9, 9, 9));
        Canvas c(b);
        flat().drawButtonFrame(c, state, flat().stateBrush(state), true);
        return b;
    };
    s.hot = true;
    Bitmap hot = frame(s);
    EXPECT_EQ(hot.colorAt(2, 2), sel);
    EXPECT_EQ(hot.colorAt(21, 11), sel);
    EXPECT_EQ(hot.colorAt(3, 3), RGB(9, 9, 9)) << "the frame only";

    context.inSubmenu = true;
    Bitmap inMenu = frame(s);
    EXPECT_NE(inMenu.colorAt(2, 2), sel) << "a hot submenu entry gets its frame from the submenu item";
    context.inSubmenu = false;

    s.hot = false;
    s.checked = true;
    s.droppedDown = true;
    s.openSubmenuRect = Rect::fromSize(2, 11, 26, 18);  // the submenu's top row on the button's bottom
    Bitmap open = frame(s);
    EXPECT_EQ(open.colorAt(2, 11), sel) << "the corner stays";
    EXPECT_EQ(open.colorAt(10, 11), RGB(9, 9, 9)) << "the edge shared with the submenu is left out";
    EXPECT_EQ(open.colorAt(10, 2), sel);
    EXPECT_EQ(open.colorAt(21, 6), sel);

    s.checked = false;
    s.droppedDown = false;
    Bitmap idle = frame(s);
    EXPECT_EQ(idle.colorAt(2, 2), RGB(1, 1, 1)) << "at rest a ring in the state brush erases a former frame";
}

TEST(PainterButtonFrame, StandardRaisedWhenHotSunkenWhenPressedOrChecked) {
    test::SchemeGuard classic;
    ItemDrawState s;
    s.rect = Rect::fromSize(0, 0, 10, 10);
    auto corner = [&](const ItemDrawState& state) {
        Bitmap b(10, 10, RGB(9, 9, 9));
        Canvas c(b);
        standard().drawButtonFrame(c, state, Brush(RGB(1, 1, 1)), true);
        return std::pair{b.colorAt(0, 0), b.colorAt(9, 9)};
    };
    s.hot = true;
    EXPECT_EQ(corner(s), std::pair(colorToRGB(clBtnHighlight), colorToRGB(clBtnShadow)));
    s.pressed = true;
    EXPECT_EQ(corner(s), std::pair(colorToRGB(clBtnShadow), colorToRGB(clBtnHighlight)));
    s.hot = s.pressed = false;
    s.checked = true;
    EXPECT_EQ(corner(s), std::pair(colorToRGB(clBtnShadow), colorToRGB(clBtnHighlight)));
    s.checked = false;
    EXPECT_EQ(corner(s), std::pair(RGB(1, 1, 1), RGB(1, 1, 1)));
}

TEST(PainterSubItem, ArrowOnToolbarsNotOnTheMainMenuBar) {
    test::SchemeGuard classic;
    for (bool mainMenu : {false, true}) {
        Bitmap b(60, 22, RGB(1, 1, 1));
        Canvas c(b);
        c.setFont(Font("Tahoma", -11, fsNone, clBtnText));
        BarDrawContext context;
        context.barBackground = Brush(RGB(1, 1, 1));
        context.isMainMenu = mainMenu;
        ButtonDrawParams p;
        p.rect = b.bounds();
        p.context = &context;
        p.caption = "Help";
        flat().drawSubItem(c, p);
        // Text ink starts after the caption spacing: 8 on the main menu bar, half the font
        // height (11 / 2) elsewhere.
        Rect ink = test::inkBounds(b, RGB(1, 1, 1));
        EXPECT_GE(ink.left, mainMenu ? 8 : 5);
        EXPECT_LE(ink.left, (mainMenu ? 8 : 5) + 2);
        // The down arrow (size 3: 5 wide) sits 4 pixels before the right edge.
        bool arrow = false;
        for (int x = 49; x < 56; ++x)
            for (int y = 0; y < 22; ++y) arrow = arrow || b.colorAt(x, y) == colorToRGB(clBtnText);
        EXPECT_EQ(arrow, !mainMenu) << "main menu " << mainMenu;
    }
}

TEST(PainterSubmenuFrame, FlatFrameThenTheJointWithTheOwnerButton) {
    test::SchemeGuard classic;
    Bitmap b(40, 30, RGB(1, 1, 1));
    Canvas c(b);
    SubmenuFrameParams p;
    p.window = b.bounds();
    p.ownerJoint = Rect{1, 0, 20, 1};  // where the button above opens into the menu
    p.ownerBrush = Brush(RGB(7, 7, 7));
    p.leftStripBrush = Brush(RGB(5, 5, 5));
    flat().drawSubmenuFrame(c, p);
    EXPECT_EQ(b.colorAt(0, 0), ManagerBrushes(nullptr).flatFrame().color());
    EXPECT_EQ(b.colorAt(10, 0), RGB(7, 7, 7));
    EXPECT_EQ(b.colorAt(20, 0), ManagerBrushes(nullptr).flatFrame().color());
    EXPECT_EQ(b.colorAt(1, 5), RGB(5, 5, 5)) << "the inner frame's left line";
    EXPECT_EQ(b.colorAt(10, 1), colorToRGB(clWindow));
    EXPECT_EQ(b.colorAt(10, 2), RGB(1, 1, 1)) << "inside is the items' area";
}

TEST(PainterGlyph, ClassicLooksShiftAPressedGlyphByOnePixel) {
    test::SchemeGuard classic;
    ImageList images(16, 16);
    Bitmap picture(16, 16, RGB(200, 0, 0));
    picture.setColor(0, 15, clFuchsia);
    images.add(picture);
    auto glyphAt = [&](const BarItemControlPainter& painter, bool pressed) {
        Bitmap b(23, 22, RGB(1, 1, 1));
        Canvas c(b);
        BarDrawContext context;
        ButtonDrawParams p;
        p.rect = b.bounds();
        p.context = &context;
        p.images = &images;
        p.imageIndex = 0;
        p.showCaption = false;
        p.hot = true;
        p.pressed = pressed;
        painter.drawGlyphAndCaption(c, p);
        for (int y = 0; y < 22; ++y)
            for (int x = 0; x < 23; ++x)
                if (b.colorAt(x, y) == RGB(200, 0, 0)) return Point{x, y};
        return Point{-1, -1};
    };
    // Centred in 23 x 22: (3, 3).
    EXPECT_EQ(glyphAt(standard(), false), Point(3, 3));
    EXPECT_EQ(glyphAt(standard(), true), Point(4, 4));
    EXPECT_EQ(glyphAt(flat(), true), Point(3, 3));
    EXPECT_EQ(glyphAt(flat(), false), Point(2, 2)) << "the flat look raises a hot glyph";
}

// ---- metrics -------------------------------------------------------------------------------------

TEST(PainterMetrics, CheckMarkCell) {
    test::SchemeGuard classic;
    BarDrawContext menu;
    menu.inSubmenu = true;
    ItemDrawState s;
    s.context = &menu;
    const PainterBrushes& b = ManagerBrushes(nullptr);
    EXPECT_EQ(flat().checkMarkCellSize(s), 18);
    EXPECT_EQ(flat().checkMarkCellBrush(s), b.flatHot());
    s.hot = true;
    EXPECT_EQ(flat().checkMarkCellSize(s), 14);
    EXPECT_EQ(flat().checkMarkCellBrush(s), b.flatCheckedHot());
    EXPECT_EQ(standard().checkMarkCellSize(s), 18);
    BarDrawContext bar;
    s.context = &bar;
    EXPECT_EQ(flat().checkMarkCellSize(s), 18);
    EXPECT_EQ(flat().checkMarkCellBrush(s), bar.barBackground);
    {
        test::SchemeGuard white({{COLOR_BTNFACE, RGB(255, 255, 255)}});
        s.context = &menu;
        s.hot = false;
        EXPECT_EQ(flat().checkMarkCellSize(s), 14);
    }
}

TEST(PainterMetrics, TableByPainter) {
    struct Row {
        const char* name;
        int standard, enhanced, flat;
        int (*of)(const BarItemControlPainter&);
    } rows[] = {
        {"grip offset", 2, 1, 1, [](const BarItemControlPainter& p) { return p.gripOffset(); }},
        {"grip area size", 7, 6, 6, [](const BarItemControlPainter& p) { return p.gripAreaSize(); }},
        {"separator indent", 2, 12, 8, [](const BarItemControlPainter& p) { return p.separatorIndent(); }},
        {"separator thickness", 6, 6, 5, [](const BarItemControlPainter& p) { return p.separatorThickness(); }},
        {"separator margin", 2, 2, 2, [](const BarItemControlPainter& p) { return p.separatorMargin(); }},
        {"button extra size", 1, 1, 1, [](const BarItemControlPainter& p) { return p.buttonExtraSize(); }},
        {"pressed glyph shift", 1, 1, 0, [](const BarItemControlPainter& p) { return p.pressedGlyphShift(); }},
        {"bar control spacing", 6, 6, 7, [](const BarItemControlPainter& p) { return p.barControlSpacing(); }},
        {"drop-down list border", 2, 2, 2, [](const BarItemControlPainter& p) { return p.dropDownListBorderWidth(); }},
        {"submenu glyph band (16)", 19, 19, 17,
         [](const BarItemControlPainter& p) { return p.submenuGlyphBandWidth(16); }},
        {"submenu client inset", 2, 2, 1, [](const BarItemControlPainter& p) { return p.submenuClientInset(); }},
        {"submenu content inset", 3, 3, 2, [](const BarItemControlPainter& p) { return p.submenuContentInset(); }},
        {"scroll arrow (24)", 9, 9, 10, [](const BarItemControlPainter& p) { return p.submenuScrollArrowSize(24); }},
        {"scroll arrow (26)", 10, 10, 10, [](const BarItemControlPainter& p) { return p.submenuScrollArrowSize(26); }},
        {"scroll arrow (12)", 3, 3, 4, [](const BarItemControlPainter& p) { return p.submenuScrollArrowSize(12); }},
        {"sub item height (menu)", 20, 20, 22,
         [](const BarItemControlPainter& p) { return p.subItemHeight(20, true); }},
        {"sub item height (bar)", 20, 20, 20,
         [](const BarItemControlPainter& p) { return p.subItemHeight(20, false); }},
        {"sub item width (menu)", 80, 80, 89, [](const BarItemControlPainter& p) { return p.subItemWidth(80, true); }},
        {"caption spacing (main menu)", 6, 6, 8,
         [](const BarItemControlPainter& p) { return p.subItemCaptionSpacing(13, true); }},
        {"caption spacing (toolbar)", 6, 6, 6,
         [](const BarItemControlPainter& p) { return p.subItemCaptionSpacing(13, false); }},
        {"caption text offset", 3, 3, 2, [](const BarItemControlPainter& p) { return p.captionTextOffset(); }},
        {"docked border width", 1, 1, 2, [](const BarItemControlPainter& p) { return p.dockedBorderWidth(); }},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(r.of(standard()), r.standard) << r.name;
        EXPECT_EQ(r.of(enhanced()), r.enhanced) << r.name;
        EXPECT_EQ(r.of(flat()), r.flat) << r.name;
    }
    BarDrawContext menu;
    menu.inSubmenu = true;
    menu.submenuItemHeight = 20;
    EXPECT_EQ(standard().glyphBandWidth(menu), 21);
    EXPECT_EQ(flat().glyphBandWidth(menu), 23);
    EXPECT_EQ(flat().glyphBandWidth(BarDrawContext{}), 0);
    EXPECT_EQ(standard().submenuSize(120, 60, 0, false), Size(126, 64));
    EXPECT_EQ(flat().submenuSize(120, 60, 0, false), Size(124, 63));
    EXPECT_EQ(flat().submenuSize(0, 0, 0, true).cx, 100);
    EXPECT_EQ(flat().floatingBorderInsets(), Rect(2, 2, 2, 2));
    EXPECT_TRUE(flat().isNarrow(Rect::fromSize(0, 0, 10, 16)));
    EXPECT_FALSE(flat().isNarrow(Rect::fromSize(0, 0, 10, 17)));
}

TEST(PainterMetrics, CaptionColoursAndFadedGlyphs) {
    test::SchemeGuard classic;
    EXPECT_EQ(flat().captionBackgroundColor(true), clInactiveCaption);
    EXPECT_EQ(standard().captionBackgroundColor(true), clActiveCaption);
    EXPECT_EQ(flat().captionSymbolColor(true), clBtnText);
    EXPECT_EQ(flat().captionSymbolColor(false), clCaptionText);
    EXPECT_EQ(standard().captionSymbolColor(true), clCaptionText);
    EXPECT_EQ(flat().fadedDisabledGlyphColor(nullptr), clNone);
    EXPECT_TRUE(flat().disabledTextIsFlat());
    EXPECT_FALSE(standard().disabledTextIsFlat());
    // Disabled text in flat-text mode is clGrayText only where the painter draws it flat.
    EXPECT_EQ(flat().captionTextColors(false, false, true).text, clGrayText);
    EXPECT_TRUE(standard().captionTextColors(false, false, true).embossed);
}

}  // namespace
}  // namespace lindora
