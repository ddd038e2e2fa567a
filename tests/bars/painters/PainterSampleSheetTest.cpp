// One sheet with every shared drawing service in its states, compared pixel-exactly with the
// reference image beside this test. The sheet is also written into the current directory
// (painter-services.png and a 3x enlargement) for looking at; set LINDORA_UPDATE_REFERENCES=1
// to replace the reference on purpose.
#include "bars/painters/BarFrames.h"
#include "bars/painters/CaptionText.h"
#include "bars/painters/ItemGlyph.h"
#include "bars/painters/PainterBrushes.h"
#include "bars/painters/PainterColors.h"
#include "bars/painters/PainterShapes.h"
#include "bars/painters/PainterTestSupport.h"
#include "gfx/ImageList.h"
#include "support/ReferencePicture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace lindora {
namespace {

const std::string kReference = std::string(LINDORA_SOURCE_DIR) + "/tests/bars/painters/reference/painter-services.png";

void label(Canvas& c, int x, int y, const std::string& text) {
    c.setFont(Font("DejaVu Sans", -9, fsNone, clBtnText));
    c.textOut(x, y, text);
}

void glyphRow(Canvas& c, const ImageList& images, const PainterBrushes& brushes, int y) {
    label(c, 4, y, "glyphs: standard normal, disabled | flat idle, hot, hot pressed, checked, disabled, faded, gray");
    struct Variant {
        bool flat, enabled, hot, pressed, checked, grayscale, faded;
    } variants[] = {
        {false, true, false, false, false, false, false}, {false, false, false, false, false, false, false},
        {true, true, false, false, false, false, false},  {true, true, true, false, false, false, false},
        {true, true, true, true, false, false, false},    {true, true, false, false, true, false, false},
        {true, false, false, false, false, false, false}, {true, false, false, false, false, false, true},
        {true, true, false, false, false, true, false},
    };
    const Brush face(clBtnFace);
    for (int i = 0; i < images.count(); ++i) {
        int x = 4;
        for (const Variant& v : variants) {
            const Rect item = Rect::fromSize(x, y + 14 + i * 26, 24, 24);
            ItemGlyphParams p;
            FlatItemState state{.hot = v.hot, .pressed = v.pressed, .checked = v.checked};
            p.background = v.flat ? FlatStateBrush(brushes, state, brushes.flatToolbarBackground()) : face;
            p.itemRect = item;
            p.glyphRect = Rect::fromSize(item.left + 4, item.top + 4, 16, 16);
            p.fadedDisabledColor = v.faded ? FadedDisabledGlyphColor(true) : clNone;
            p.raisedWhenHot = v.flat;
            p.flatLook = v.flat;
            p.enabled = v.enabled;
            p.hot = v.hot;
            p.pressed = v.pressed;
            p.checked = v.checked;
            p.grayscale = v.grayscale;
            p.imageIndex = i;
            p.images = &images;
            DrawItemGlyph(c, p);
            x += 28;
        }
    }
}

void captionRow(Canvas& c, int y) {
    label(c, 4, y, "captions: normal, selected, disabled embossed, disabled flat, doubled ampersand, vertical");
    c.setFont(Font("Tahoma", -11));
    struct Caption {
        std::string text;
        bool enabled, selected, flat;
        Color back;
    } captions[] = {
        {"&Login", true, false, false, clBtnFace},     {"&Help", true, true, false, clHighlight},
        {"E&xit", false, false, false, clBtnFace},     {"&About", false, false, true, clBtnFace},
        {"R&&D && Co", true, false, false, clBtnFace},
    };
    int x = 4;
    for (const Caption& cap : captions) {
        const Rect r = Rect::fromSize(x, y + 14, 70, 22);
        c.fillRect(r, Brush(cap.back));
        DrawCaptionText(c, {.rect = r.inflated(-3, 0),
                            .caption = cap.text,
                            .enabled = cap.enabled,
                            .selected = cap.selected,
                            .flatText = cap.flat});
        x += 74;
    }
    const Rect v = Rect::fromSize(x, y + 14, 22, 80);
    c.fillRect(v, Brush(clBtnFace));
    DrawCaptionText(c, {.rect = v.inflated(0, -3), .caption = "Auto &Login", .clip = true, .vertical = true});
}

void shapeRow(Canvas& c, int y) {
    label(c, 4, y, "arrows 1-5, drop-down part, check marks flat/standard/disabled, separators");
    int x = 4;
    for (ArrowDirection d : {ArrowDirection::Left, ArrowDirection::Up, ArrowDirection::Right, ArrowDirection::Down}) {
        for (int size = 1; size <= 5; ++size) {
            DrawArrow(c, Rect::fromSize(x, y + 14, 12, 12), d, size, clBtnText);
            x += 13;
        }
        x += 4;
    }
    const Rect part = Rect::fromSize(x, y + 14, 11, 22);
    c.fillRect(part, Brush(clWindow));
    DrawDropDownArrow(c, part, clBtnText);
    x += 16;
    for (int scale : {1, 2}) {
        const Rect cell = Rect::fromSize(x, y + 14, 18 * scale / 1, 18 * scale / 1);
        c.fillRect(cell, Brush(clWindow));
        DrawCheckMark(c, CheckMarkOrigin(cell, scale), scale, FlatCheckMarkColor(true));
        x += cell.width() + 4;
        const Rect cell2 = cell.translated(cell.width() + 4, 0);
        DrawStandardCheckMark(c, CheckMarkOrigin(cell2, scale), scale, true);
        const Rect cell3 = cell2.translated(cell.width() + 4, 0);
        DrawStandardCheckMark(c, CheckMarkOrigin(cell3, scale), scale, false);
        x += 2 * (cell.width() + 4);
    }
    const Brush face(clBtnFace);
    DrawToolbarSeparator(c, Rect::fromSize(x, y + 14, SeparatorThickness(true), 22), false, face, 2, false);
    x += 8;
    DrawToolbarSeparator(c, Rect::fromSize(x, y + 14, SeparatorThickness(false), 22), false, face, 2, true);
    x += 9;
    DrawFlatSubmenuSeparator(c, Rect::fromSize(x, y + 14, 90, 9), 20, Brush(RGB(219, 216, 209)), Brush(clWindow), 8);
}

void frameRow(Canvas& c, const PainterBrushes& brushes, int y) {
    label(c, 4, y, "flat docked bars with grips, floating bar border, tiled background");
    const Brush& back = brushes.flatToolbarBackground();
    const Rect horizontal = Rect::fromSize(4, y + 14, 200, 26);
    c.fillRect(horizontal, back);
    DrawFlatDockedBarBorder(c, horizontal, true, true, back);
    const Rect vertical = Rect::fromSize(210, y + 14, 26, 60);
    c.fillRect(vertical, back);
    DrawFlatDockedBarBorder(c, vertical, false, true, back);
    const Rect floating = Rect::fromSize(242, y + 14, 120, 40);
    c.fillRect(floating, back);
    DrawFlatFloatingBarBorder(c, floating, 3, brushes.flatFrame(), back);
    Bitmap tile(6, 6, clBtnFace);
    for (int i = 0; i < 6; ++i) tile.setColor(i, i, clBtnShadow);
    DrawTiledBackground(c, Rect::fromSize(368, y + 14, 60, 30), Rect::fromSize(3, 2, 60, 30), tile);
}

Bitmap renderSheet() {
    ImageList images(16, 16);
    for (const char* name : {"login", "help", "exit", "about"})
        images.addPNG(std::string(LINDORA_SOURCE_DIR) + "/src/app/glyphs/" + name + ".png");
    const PainterBrushes brushes(32);
    Bitmap sheet(640, 360, clBtnFace);
    Canvas c(sheet);
    glyphRow(c, images, brushes, 4);
    captionRow(c, 130);
    shapeRow(c, 220);
    frameRow(c, brushes, 280);
    return sheet;
}

TEST(PainterSampleSheet, MatchesTheReference) {
    test::SchemeGuard classic;
    const Bitmap sheet = renderSheet();
    EXPECT_EQ(renderSheet(), sheet);  // nothing depends on earlier drawing
    test::expectMatchesReference(sheet, kReference, "painter-services");
}

}  // namespace
}  // namespace lindora
