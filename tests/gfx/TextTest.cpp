// Text through the canvas: extents against ink, alignment, clipping, rotation, accelerators.
#include "GfxTestUtil.h"

#include "gfx/Canvas.h"
#include "gfx/TextEngine.h"

#include <gtest/gtest.h>

namespace lindora {
namespace {

using test::inkBounds;

Font testFont(int height = -11, unsigned style = fsNone) { return Font("DejaVu Sans", height, style, clBlack); }

// A white canvas with the test font.
struct Sheet {
    Canvas canvas;
    Sheet(int w, int h, const Font& f = testFont()) : canvas(w, h) {
        canvas.bitmap().fill(clWhite);
        canvas.setFont(f);
    }
    Rect ink() const { return inkBounds(canvas.bitmap(), clWhite); }
};

// The picture of `b` shifted by (dx, dy) equals `a` (pixels shifted in from outside are white).
bool shiftedEqual(const Bitmap& a, const Bitmap& b, int dx, int dy) {
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            Color expected = b.colorAt(x - dx, y - dy);
            if (expected == clNone) expected = clWhite;
            if (a.colorAt(x, y) != expected) return false;
        }
    return true;
}

TEST(TextExtent, InkLiesInsideTheMeasuredBox) {
    for (int height : {-11, -13, -20, 16}) {
        for (const char* text : {"Login", "Auto Login", "gjpqy|", "Help", "W", "0"}) {
            Sheet s(200, 60, testFont(height));
            Size size = s.canvas.textExtent(text);
            ASSERT_GT(size.cx, 0) << text;
            s.canvas.textOut(10, 10, text);
            Rect ink = s.ink();
            EXPECT_FALSE(ink.isEmpty()) << text;
            EXPECT_TRUE((Rect{10, 10, 10 + size.cx, 10 + size.cy}).contains(ink))
                << text << " at height " << height << ": ink " << ink.left << "," << ink.top << "," << ink.right << ","
                << ink.bottom << " size " << size.cx << "x" << size.cy;
        }
    }
}

TEST(TextExtent, WidthAndHeightAreConsistent) {
    Canvas c(1, 1);
    c.setFont(testFont());
    EXPECT_EQ(c.textWidth("Help"), c.textExtent("Help").cx);
    EXPECT_EQ(c.textHeight("0"), c.font().metrics().height);
    EXPECT_EQ(c.textHeight("Login"), c.textHeight("0"));
    EXPECT_GT(c.textWidth("Auto Login"), c.textWidth("Login"));
    EXPECT_EQ(c.textWidth(""), 0);
    // Bold is wider; a bigger font taller.
    Canvas b(1, 1);
    b.setFont(testFont(-11, fsBold));
    EXPECT_GT(b.textWidth("Auto Login"), c.textWidth("Auto Login"));
    b.setFont(testFont(-20));
    EXPECT_GT(b.textHeight("0"), c.textHeight("0"));
}

TEST(TextExtent, InvalidUtf8IsMeasuredAndDrawnSafely) {
    Sheet s(100, 30);
    std::string bad = "Log\xff\xfein";
    Size size = s.canvas.textExtent(bad);
    EXPECT_GT(size.cx, s.canvas.textWidth("Login"));
    s.canvas.textOut(2, 2, bad);
    EXPECT_FALSE(s.ink().isEmpty());
    std::string withNul("Lo\0gin", 6);
    EXPECT_EQ(s.canvas.textWidth(withNul), s.canvas.textWidth("Lo"));
}

TEST(FontMetrics, HeightsFollowThePlatformConvention) {
    FontMetrics m = testFont(-11).metrics();
    EXPECT_EQ(m.emHeight, 11);
    EXPECT_EQ(m.height, m.ascent + m.descent);
    EXPECT_EQ(m.internalLeading, m.height - 11);
    EXPECT_GT(m.averageCharWidth, 3);
    EXPECT_GE(m.maxCharWidth, m.averageCharWidth);
    EXPECT_EQ(testFont(-11).size(), 8);

    // A positive height is the cell: the em shrinks so that ascent + descent fits it.
    Font cell = testFont(16);
    EXPECT_LE(cell.metrics().height, 16);
    EXPECT_LT(cell.emPixels(), 16);
    Font pt = testFont();
    pt.setSize(9);
    EXPECT_EQ(pt.height(), -12);
}

TEST(FontNames, InterfaceFacesOfTheOriginalPlatformMapToSans) {
    for (const char* name : {"MS Sans Serif", "tahoma", "Microsoft Sans Serif", "Segoe UI"})
        EXPECT_EQ(Font(name, -11).familyName(), "Sans") << name;
    EXPECT_EQ(Font("DejaVu Serif", -11).familyName(), "DejaVu Serif");
    EXPECT_EQ(Font("Tahoma", -11).key(), Font("MS Sans Serif", -11).key());
}

TEST(TextCache, MeasuringTwiceIsOneEntry) {
    TextEngine& engine = TextEngine::instance();
    engine.clearCache();
    Canvas c(1, 1);
    c.setFont(testFont());
    Size first = c.textExtent("Customize...");
    Size second = c.textExtent("Customize...");
    EXPECT_EQ(first, second);
    EXPECT_EQ(engine.cacheSize(), 1u);
    c.setFont(testFont(-11, fsBold));
    c.textExtent("Customize...");
    EXPECT_EQ(engine.cacheSize(), 2u);
    EXPECT_EQ(engine.measureUncached(testFont(), "Customize..."), first);
}

TEST(TextCache, IsBounded) {
    TextEngine& engine = TextEngine::instance();
    engine.clearCache();
    Font f = testFont();
    for (size_t i = 0; i < TextEngine::CacheCapacity + 10; ++i) engine.measure(f, std::to_string(i));
    EXPECT_EQ(engine.cacheSize(), TextEngine::CacheCapacity);
    engine.clearCache();
}

TEST(DrawText, CentredAndRightAlignedTextIsTheLeftTextShifted) {
    const Rect r{5, 4, 125, 34};
    const unsigned base = DT_SINGLELINE | DT_VCENTER;
    Sheet left(130, 40), centre(130, 40), right(130, 40);
    left.canvas.drawText(r, "Auto Login", base | DT_LEFT);
    centre.canvas.drawText(r, "Auto Login", base | DT_CENTER);
    right.canvas.drawText(r, "Auto Login", base | DT_RIGHT);
    Size size = left.canvas.textExtent("Auto Login");
    EXPECT_TRUE(shiftedEqual(centre.canvas.bitmap(), left.canvas.bitmap(), (r.width() - size.cx) / 2, 0));
    EXPECT_TRUE(shiftedEqual(right.canvas.bitmap(), left.canvas.bitmap(), r.width() - size.cx, 0));

    // Vertically centred: the text box starts (height - text height) / 2 below the top.
    Sheet top(130, 40);
    top.canvas.drawText(r, "Auto Login", DT_SINGLELINE);
    EXPECT_TRUE(shiftedEqual(left.canvas.bitmap(), top.canvas.bitmap(), 0, (r.height() - size.cy) / 2));
}

TEST(DrawText, ClipsToTheRectangleUnlessNoClip) {
    const Rect r{10, 0, 30, 20};
    Sheet clipped(100, 20), free(100, 20);
    clipped.canvas.drawText(r, "A long caption", DT_SINGLELINE | DT_VCENTER);
    free.canvas.drawText(r, "A long caption", DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
    EXPECT_TRUE(r.contains(clipped.ink()));
    EXPECT_GT(free.ink().right, r.right);
    // Inside the rectangle both agree.
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) ASSERT_EQ(clipped.canvas.pixel(x, y), free.canvas.pixel(x, y));
}

TEST(DrawText, CalcRectGivesTheSizeAndDrawsNothing) {
    Sheet s(200, 200);
    Rect r{10, 10, 10, 10};
    int h = s.canvas.drawText(r, "Auto &Login", DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(h, s.canvas.textHeight("0"));
    EXPECT_EQ(r, (Rect{10, 10, 10 + s.canvas.textWidth("Auto Login"), 10 + h}));
    EXPECT_TRUE(s.ink().isEmpty());

    // Word-wrapped hints grow downward within the width.
    Rect wrap{0, 0, 60, 0};
    int wrapped = s.canvas.drawText(wrap, "Navigates the browser to the start page", DT_WORDBREAK | DT_CALCRECT);
    EXPECT_GE(wrapped, 3 * h);
    EXPECT_LE(wrap.width(), 60);
    s.canvas.drawText(Rect{0, 0, 60, 200}, "Navigates the browser to the start page", DT_WORDBREAK);
    EXPECT_LE(s.ink().right, 60);
    EXPECT_GE(s.ink().bottom, 2 * h);
}

TEST(DrawText, AcceleratorMarksUnderlineTheLetter) {
    Sheet marked(80, 20), plain(80, 20), hidden(80, 20);
    const Rect r{2, 2, 78, 18};
    marked.canvas.drawText(r, "&File", DT_SINGLELINE);
    plain.canvas.drawText(r, "File", DT_SINGLELINE);
    hidden.canvas.drawText(r, "&File", DT_SINGLELINE | DT_HIDEPREFIX);
    EXPECT_EQ(hidden.canvas.bitmap(), plain.canvas.bitmap());

    // The only difference: a one-pixel line under "F", as wide as the letter.
    int baseline = plain.canvas.font().metrics().ascent;
    int fWidth = plain.canvas.textWidth("F");
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 80; ++x) {
            bool onLine = y == r.top + baseline + 1 && x >= r.left && x < r.left + fWidth;
            if (onLine) EXPECT_EQ(marked.canvas.pixel(x, y), clBlack) << x << "," << y;
            else EXPECT_EQ(marked.canvas.pixel(x, y), plain.canvas.pixel(x, y)) << x << "," << y;
        }
}

TEST(DrawText, DoubledAmpersandShowsOneAndNoUnderline) {
    Sheet doubled(80, 20), literal(80, 20);
    doubled.canvas.drawText(Rect{0, 0, 80, 20}, "R&&D", DT_SINGLELINE);
    literal.canvas.drawText(Rect{0, 0, 80, 20}, "R&D", DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(doubled.canvas.bitmap(), literal.canvas.bitmap());

    AcceleratorText a = parseAccelerator("A&&b &Help &x&");
    EXPECT_EQ(a.text, "A&b Help x");
    EXPECT_EQ(a.underlineStart, 4);
    EXPECT_EQ(a.underlineLength, 1);
    EXPECT_EQ(parseAccelerator("&\xc3\xa9t\xc3\xa9").underlineLength, 2);
    EXPECT_EQ(stripAccelerators("&&"), "&");
}

TEST(DrawText, OpaqueBackgroundFillsTheTextBox) {
    Sheet s(80, 20);
    s.canvas.setBackgroundMode(BackgroundMode::Opaque);
    s.canvas.setBackgroundColor(clYellow);
    s.canvas.textOut(3, 2, "Help");
    Size size = s.canvas.textExtent("Help");
    EXPECT_EQ(inkBounds(s.canvas.bitmap(), clWhite), (Rect{3, 2, 3 + size.cx, 2 + size.cy}));
    EXPECT_EQ(s.canvas.pixel(3, 2), clYellow);
}

TEST(DrawText, RotatedTextIsTheHorizontalTextTurnedExactly) {
    Sheet flat(60, 60);
    flat.canvas.textOut(0, 0, "Help");
    Size size = flat.canvas.textExtent("Help");
    for (int escapement : {900, 2700, 1800}) {
        Font f = testFont();
        f.setEscapement(escapement);
        Sheet turned(70, 70, f);
        const Point at{30, 30};
        turned.canvas.textOut(at.x, at.y, "Help");
        int mismatches = 0;
        for (int v = 0; v < size.cy; ++v)
            for (int u = 0; u < size.cx; ++u) {
                Point p = escapement == 900    ? Point{at.x + v, at.y - 1 - u}
                          : escapement == 2700 ? Point{at.x - 1 - v, at.y + u}
                                               : Point{at.x - 1 - u, at.y - 1 - v};
                if (turned.canvas.pixel(p.x, p.y) != flat.canvas.pixel(u, v)) ++mismatches;
            }
        EXPECT_EQ(mismatches, 0) << escapement;
        Rect footprint = escapement == 900    ? Rect{at.x, at.y - size.cx, at.x + size.cy, at.y}
                         : escapement == 2700 ? Rect{at.x - size.cy, at.y, at.x, at.y + size.cx}
                                              : Rect{at.x - size.cx, at.y - size.cy, at.x, at.y};
        EXPECT_TRUE(footprint.contains(turned.ink())) << escapement;
    }
}

TEST(DrawText, RotatedDrawTextAlignsAlongTheText) {
    Font up = testFont();
    up.setEscapement(900);
    Sheet s(30, 100, up);
    const Rect r{0, 0, 30, 100};
    s.canvas.drawText(r, "Help", DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    Size size = s.canvas.textExtent("Help");
    // Reading upward from the bottom, centred across.
    Rect footprint{(30 - size.cy) / 2, 100 - size.cx, (30 - size.cy) / 2 + size.cy, 100};
    EXPECT_TRUE(footprint.contains(s.ink()));
    EXPECT_GT(s.ink().bottom, 100 - 3);

    Font down = testFont();
    down.setEscapement(2700);
    Sheet d(30, 100, down);
    d.canvas.drawText(r, "Help", DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    Rect centred{30 - (30 - size.cy) / 2 - size.cy, (100 - size.cx) / 2, 30 - (30 - size.cy) / 2,
                 (100 - size.cx) / 2 + size.cx};
    EXPECT_TRUE(centred.contains(d.ink()));

    Rect calc{0, 0, 0, 0};
    d.canvas.drawText(calc, "Help", DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(calc, (Rect{0, 0, size.cy, size.cx}));
}

TEST(DrawText, TextAtTheBitmapEdgesStaysInside) {
    for (int escapement : {0, 900, 1800, 2700}) {
        Font f = testFont(-30);
        f.setEscapement(escapement);
        Sheet s(20, 20, f);
        s.canvas.textOut(-5, -5, "Wide caption");
        s.canvas.textOut(15, 15, "Wide caption");
        s.canvas.drawText(Rect{-50, -50, 70, 70}, "Wide caption", DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        SUCCEED();  // AddressSanitizer watches the writes
    }
}

TEST(DrawText, SameTextSamePixels) {
    Sheet a(120, 30), b(120, 30);
    a.canvas.drawText(Rect{0, 0, 120, 30}, "Home &Page", DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    TextEngine::instance().clearCache();
    b.canvas.drawText(Rect{0, 0, 120, 30}, "Home &Page", DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    EXPECT_EQ(a.canvas.bitmap(), b.canvas.bitmap());
}

}  // namespace
}  // namespace lindora

namespace lindora {
namespace {

TEST(DrawText, EndEllipsisCutsLongTextWithinTheRectangle) {
    Sheet cut(200, 20), whole(200, 20);
    const Rect r{0, 0, 60, 20};
    cut.canvas.drawText(r, "Navigates the browser", DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
    whole.canvas.drawText(r, "Navigates the browser", DT_SINGLELINE | DT_NOCLIP);
    EXPECT_LE(cut.ink().right, r.right);
    EXPECT_GT(whole.ink().right, r.right);
    Sheet fits(200, 20), plain(200, 20);
    fits.canvas.drawText(r, "Help", DT_SINGLELINE | DT_END_ELLIPSIS);
    plain.canvas.drawText(r, "Help", DT_SINGLELINE);
    EXPECT_EQ(fits.canvas.bitmap(), plain.canvas.bitmap());
}

}  // namespace
}  // namespace lindora
