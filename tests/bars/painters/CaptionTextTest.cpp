// Caption text: the colour rules, the accelerator underline (where it lies, and that "&&" is
// one ampersand without one), emboss, and vertical captions.
#include "bars/painters/CaptionText.h"
#include "bars/painters/PainterTestSupport.h"

#include <gtest/gtest.h>

#include <set>

namespace lindora {
namespace {

using test::SchemeGuard;

constexpr Color kBack = RGB(0, 128, 0);

class CaptionText : public ::testing::Test {
protected:
    Font font{"DejaVu Sans", -11};

    Bitmap render(const CaptionTextParams& p, Size size = {80, 24}) {
        Bitmap b(size.cx, size.cy, kBack);
        Canvas c(b);
        c.setFont(font);
        DrawCaptionText(c, p);
        return b;
    }
    CaptionTextParams params(const std::string& caption) {
        CaptionTextParams p;
        p.rect = {4, 2, 76, 22};
        p.caption = caption;
        return p;
    }
    int width(const std::string& text) {
        Canvas c(1, 1);
        c.setFont(font);
        return c.textWidth(text);
    }
    // The pixels where two pictures differ.
    static std::vector<Point> difference(const Bitmap& a, const Bitmap& b) {
        std::vector<Point> out;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                if (a.pixel(x, y) != b.pixel(x, y)) out.push_back({x, y});
        return out;
    }
    static int countLighter(const Bitmap& b) {
        int n = 0;
        for (int y = 0; y < b.height(); ++y)
            for (int x = 0; x < b.width(); ++x) n += b.colorAt(x, y).red() > 128;
        return n;
    }
    static int countColor(const Bitmap& b, Color c) {
        int n = 0;
        for (int y = 0; y < b.height(); ++y)
            for (int x = 0; x < b.width(); ++x) n += b.colorAt(x, y) == colorToRGB(c);
        return n;
    }

    SchemeGuard classic;
};

TEST_F(CaptionText, ColoursByState) {
    struct Case {
        bool enabled, selected, flat;
        Color text;
        bool embossed;
    } cases[] = {
        {true, false, false, clBtnText, false},   {true, true, false, clHighlightText, false},
        {true, false, true, clBtnText, false},    {true, true, true, clBtnText, false},
        {false, false, false, clBtnShadow, true}, {false, true, false, clGrayText, false},
        {false, false, true, clGrayText, false},  {false, true, true, clGrayText, false},
    };
    for (const auto& c : cases) {
        const CaptionTextColors got = CaptionTextColorsFor(c.enabled, c.selected, c.flat);
        EXPECT_EQ(got.text, c.text) << c.enabled << c.selected << c.flat;
        EXPECT_EQ(got.embossed, c.embossed) << c.enabled << c.selected << c.flat;
    }
}

TEST_F(CaptionText, AcceleratorUnderlinesTheMarkedLetter) {
    const FontMetrics m = font.metrics();
    const int textTop = 2 + (20 - m.height) / 2;
    struct Case {
        std::string marked, plain, before, through;
    } cases[] = {{"&Help", "Help", "", "H"}, {"He&lp", "Help", "He", "Hel"}, {"A&&B &C", "A&&B C", "A&B ", "A&B C"}};
    for (const auto& c : cases) {
        const auto diff = difference(render(params(c.marked)), render(params(c.plain)));
        ASSERT_FALSE(diff.empty()) << c.marked;
        std::set<int> rows, columns;
        for (Point p : diff) rows.insert(p.y), columns.insert(p.x);
        // One row, one pixel below the baseline, as wide as the letter.
        EXPECT_EQ(rows, std::set<int>{textTop + m.ascent + 1}) << c.marked;
        EXPECT_EQ(*columns.begin(), 4 + width(c.before)) << c.marked;
        EXPECT_EQ(*columns.rbegin() + 1, 4 + width(c.through)) << c.marked;
        EXPECT_EQ(static_cast<int>(columns.size()), static_cast<int>(diff.size())) << c.marked;
    }
}

TEST_F(CaptionText, DoubledAmpersandShowsOneAndNoUnderline) {
    const Bitmap drawn = render(params("R&&D"));
    Bitmap plain(80, 24, kBack);
    Canvas c(plain);
    Font f = font;
    f.setColor(clBtnText);
    c.setFont(f);
    c.drawText(Rect{4, 2, 76, 22}, "R&D", DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    EXPECT_EQ(drawn, plain);
}

TEST_F(CaptionText, DisabledCaptionIsEmbossedUnlessFlatOrSelected) {
    CaptionTextParams p = params("Exit");
    p.enabled = false;
    const Bitmap embossed = render(p);
    // Highlight shows where the shadow pass does not cover it: only it is lighter than 128.
    EXPECT_GT(countLighter(embossed), 0);
    EXPECT_GT(countColor(embossed, clBtnShadow), 0);
    // Nothing of the text is drawn in the enabled colour.
    EXPECT_EQ(countColor(embossed, clBtnText), 0);

    p.flatText = true;
    const Bitmap flat = render(p);
    EXPECT_EQ(countLighter(flat), 0);
    EXPECT_GT(countColor(flat, clGrayText), 0);
    p.flatText = false;
    p.selected = true;
    EXPECT_EQ(render(p), flat);
}

TEST_F(CaptionText, SelectedCaptionUsesTheHighlightTextOutsideFlatMode) {
    CaptionTextParams p = params("Login");
    p.selected = true;
    EXPECT_GT(countColor(render(p), clHighlightText), 0);
    p.flatText = true;
    EXPECT_EQ(countColor(render(p), clHighlightText), 0);
    EXPECT_EQ(render(p), render(params("Login")));
}

TEST_F(CaptionText, ClipKeepsTheTextInsideTheRectangle) {
    CaptionTextParams p = params("A caption much too long for its place");
    p.rect = {4, 2, 30, 22};
    p.clip = true;
    const Rect ink = test::inkBounds(render(p), kBack);
    EXPECT_TRUE(p.rect.contains(ink));
    p.clip = false;
    EXPECT_GT(test::inkBounds(render(p), kBack).right, 30);
}

TEST_F(CaptionText, VerticalCaptionReadsDownwardsWithItsUnderline) {
    CaptionTextParams p = params("&Help");
    p.rect = {2, 4, 22, 76};
    p.vertical = true;
    CaptionTextParams plain = p;
    plain.caption = "Help";
    const Bitmap drawn = render(p, {24, 80});
    const auto diff = difference(drawn, render(plain, {24, 80}));
    ASSERT_FALSE(diff.empty());
    std::set<int> rows, columns;
    for (Point q : diff) rows.insert(q.y), columns.insert(q.x);
    // One column, left of the text (its baseline side), running down from the rectangle's top
    // as far as the letter is wide.
    EXPECT_EQ(columns.size(), 1u);
    EXPECT_EQ(*rows.begin(), 4);
    EXPECT_EQ(*rows.rbegin() + 1, 4 + width("H"));
    const Rect ink = test::inkBounds(drawn, kBack);
    EXPECT_GT(ink.height(), ink.width());
    EXPECT_TRUE(p.rect.contains(ink));
}

}  // namespace
}  // namespace lindora
