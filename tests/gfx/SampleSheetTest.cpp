// Renders one sheet with a sample of every drawing service, checks that rendering it twice gives
// the same pixels, and writes it (and a 3x enlargement for looking at) as PNG files into the
// current directory, or into $LINDORA_GFX_SAMPLE_DIR.
#include "gfx/Canvas.h"
#include "gfx/ImageList.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace lindora {
namespace {

void label(Canvas& c, int x, int y, const std::string& text) {
    Font f("DejaVu Sans", -10, fsNone, clBtnText);
    c.setFont(f);
    c.textOut(x, y, text);
}

void renderSheet(Canvas& c) {
    c.fillRect({0, 0, c.width(), c.height()}, Brush(clBtnFace));

    // Lines: a fan from one point, end points not drawn.
    label(c, 8, 4, "lines");
    c.setPenColor(clBtnText);
    for (int i = 0; i <= 8; ++i) {
        c.moveTo(10, 20);
        c.lineTo(10 + i * 6, 68 - i * 0);
        c.moveTo(10, 20);
        c.lineTo(58, 20 + i * 6);
    }
    // Rectangles and frames.
    label(c, 70, 4, "rects");
    c.fillRect({70, 20, 100, 40}, Brush(clHighlight));
    c.frameRect({104, 20, 134, 40}, Brush(clBtnShadow));
    c.setBrush(Brush(clWindow));
    c.setPenColor(clBtnText);
    c.rectangle({70, 44, 134, 68});
    c.invertRect({72, 46, 80, 54});

    // 3D edges.
    label(c, 146, 4, "edges: raised sunken etched bump lowered raised-inner");
    const struct {
        unsigned edge;
    } edges[] = {{EDGE_RAISED}, {EDGE_SUNKEN}, {EDGE_ETCHED}, {EDGE_BUMP}, {BDR_SUNKENOUTER}, {BDR_RAISEDINNER}};
    int x = 146;
    for (const auto& e : edges) {
        c.drawEdge({x, 20, x + 40, 44}, e.edge, BF_RECT);
        x += 46;
    }
    c.drawEdge({146, 48, 186, 68}, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE);
    c.drawEdge({192, 48, 232, 68}, EDGE_SUNKEN, BF_TOP | BF_LEFT);

    // Pattern brush (checker) and triangles.
    label(c, 8, 76, "checker, triangles, polygon");
    c.setBrushOrigin({0, 0});
    c.fillRect({10, 92, 90, 116}, Brush::checker(clBtnFace, clBtnHighlight));
    c.filledTriangle({100, 98}, {108, 98}, {104, 102}, clBtnText);
    c.filledTriangle({116, 96}, {116, 104}, {112, 100}, clBtnText);
    c.filledTriangle({120, 96}, {120, 104}, {124, 100}, clHighlight);
    c.setBrush(Brush(clInfoBk));
    c.setPenColor(clBtnShadow);
    c.polygon({{130, 92}, {170, 92}, {150, 116}});

    // Text: alignment in boxes, accelerators, disabled emboss, styles, rotation, wrapping.
    label(c, 8, 124, "text");
    Font text("Tahoma", -11, fsNone, clBtnText);
    const Rect boxes[] = {{10, 140, 110, 160}, {114, 140, 214, 160}, {218, 140, 318, 160}};
    const unsigned align[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
    for (int i = 0; i < 3; ++i) {
        c.frameRect(boxes[i], Brush(clBtnShadow));
        c.setFont(text);
        c.drawText(boxes[i], "&Auto Login", DT_SINGLELINE | DT_VCENTER | align[i]);
    }
    c.setFont(text);
    c.drawText(Rect{10, 164, 110, 184}, "&File  R&&D", DT_SINGLELINE | DT_VCENTER);
    // The standard look's disabled caption: highlight one pixel down-right, then shadow.
    Font disabled = text;
    disabled.setColor(clBtnHighlight);
    c.setFont(disabled);
    c.drawText(Rect{115, 165, 215, 185}, "&Disabled", DT_SINGLELINE | DT_VCENTER);
    disabled.setColor(clBtnShadow);
    c.setFont(disabled);
    c.drawText(Rect{114, 164, 214, 184}, "&Disabled", DT_SINGLELINE | DT_VCENTER);
    c.setFont(Font("DejaVu Sans", -11, fsBold, clBtnText));
    c.textOut(220, 167, "Bold");
    c.setFont(Font("DejaVu Sans", -11, fsItalic | fsUnderline, clBtnText));
    c.textOut(252, 167, "Italic");
    c.setFont(Font("DejaVu Sans", -11, fsStrikeOut, clBtnText));
    c.textOut(290, 167, "Struck");
    c.setFont(text);
    c.setBackgroundMode(BackgroundMode::Opaque);
    c.setBackgroundColor(clHighlight);
    Font selected = text;
    selected.setColor(clHighlightText);
    c.setFont(selected);
    c.textOut(10, 190, "Opaque selected");
    c.setBackgroundMode(BackgroundMode::Transparent);
    c.setFont(text);
    c.frameRect({114, 188, 164, 206}, Brush(clBtnShadow));
    c.drawText(Rect{114, 188, 164, 206}, "Clipped caption text", DT_SINGLELINE | DT_VCENTER);

    Font up = text;
    up.setEscapement(900);
    c.setFont(up);
    c.frameRect({330, 124, 350, 214}, Brush(clBtnShadow));
    c.drawText(Rect{330, 124, 350, 214}, "&Vertical 900", DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    Font down = text;
    down.setEscapement(2700);
    c.setFont(down);
    c.frameRect({354, 124, 374, 214}, Brush(clBtnShadow));
    c.drawText(Rect{354, 124, 374, 214}, "&Vertical 2700", DT_SINGLELINE | DT_VCENTER | DT_CENTER);

    c.setFont(text);
    Rect hint{384, 124, 494, 124};
    c.drawText(hint, "Navigates the browser to the conversion service's start page", DT_WORDBREAK | DT_CALCRECT);
    hint = hint.inflated(3, 2).translated(3, 2);
    c.fillRect(hint, Brush(clInfoBk));
    c.frameRect(hint, Brush(clBtnText));
    Font info = text;
    info.setColor(clInfoText);
    c.setFont(info);
    c.drawText(hint.inflated(-3, -2), "Navigates the browser to the conversion service's start page", DT_WORDBREAK);

    // Image list: the application's glyphs, enabled, disabled (embossed), silhouette.
    label(c, 8, 216, "glyphs: enabled, disabled, silhouette, on a 3x stretch");
    ImageList glyphs(16, 16);
    for (const char* name : {"login", "help", "about", "exit"})
        glyphs.addPNG(std::string(LINDORA_SOURCE_DIR) + "/src/app/glyphs/" + name + ".png");
    for (int i = 0; i < glyphs.count(); ++i) {
        c.drawImage(glyphs, i, 10 + i * 20, 232);
        glyphs.draw(c, 100 + i * 20, 232, i, false);
        glyphs.drawMask(c, 190 + i * 20, 232, i, clBtnShadow);
    }
    Canvas cell(16, 16);
    cell.bitmap().fill(clFuchsia);
    cell.drawImage(glyphs, 0, 0, 0);
    c.copyTransparent({280, 226, 328, 274}, cell, {0, 0, 16, 16}, clFuchsia);

    // A progress bar in the flat look: shadow frame, blocks of two thirds of the thickness.
    label(c, 340, 226, "progress");
    Rect bar{340, 242, 496, 256};
    c.frameRect(bar, Brush(clBtnShadow));
    Rect inner = bar.inflated(-1, -1);
    int filled = inner.width() * 60 / 100, block = (2 * inner.height() + 1) / 3;
    for (int px = inner.left; px < inner.left + filled; px += block + 2)
        c.fillRect({px, inner.top, std::min(px + block, inner.left + filled), inner.bottom}, Brush(clHighlight));

    // Clipping: a filled area with a hole excluded, then restored.
    label(c, 8, 262, "clip: intersect, exclude, restore");
    int saved = c.saveClip();
    c.intersectClip(Rect{10, 278, 90, 298});
    c.excludeClip(Rect{30, 282, 70, 294});
    c.fillRect({0, 270, 200, 310}, Brush::checker(clHighlight, clWindow));
    c.restoreClip(saved);
    c.frameRect({10, 278, 90, 298}, Brush(clBtnText));
}

TEST(SampleSheet, RendersTheSameTwiceAndIsWritten) {
    Canvas first(500, 310), second(500, 310);
    renderSheet(first);
    renderSheet(second);
    EXPECT_EQ(first.bitmap(), second.bitmap());

    const char* dirEnv = std::getenv("LINDORA_GFX_SAMPLE_DIR");
    std::filesystem::path dir = dirEnv ? dirEnv : std::filesystem::current_path().string();
    first.bitmap().savePNG((dir / "gfx-sample.png").string());
    auto zoom = [&](const Rect& part, int scale, const char* name) {
        Canvas big(part.width() * scale, part.height() * scale);
        big.copyRect(big.bitmap().bounds(), first, part);
        big.bitmap().savePNG((dir / name).string());
    };
    zoom(first.bitmap().bounds(), 3, "gfx-sample-3x.png");
    zoom({140, 14, 420, 72}, 5, "gfx-sample-edges.png");
    zoom({0, 120, 330, 210}, 4, "gfx-sample-text.png");
    zoom({0, 210, 500, 310}, 4, "gfx-sample-glyphs.png");
    zoom({0, 0, 180, 120}, 6, "gfx-sample-shapes.png");
}

}  // namespace
}  // namespace lindora
