#include "bars/painters/PainterShapes.h"

#include <algorithm>

#include "bars/painters/PainterColors.h"

namespace lindora {

// --- check marks -------------------------------------------------------------------------------

int CheckMarkScale(const Font& font) { return font.size() < 16 ? 1 : 2; }

Point CheckMarkOrigin(const Rect& r, int s) { return {(r.left + r.right - 9 * s) / 2, (r.top + r.bottom - 7 * s) / 2}; }

namespace {

void checkRow(Canvas& c, Point o, int s, int row, Color color) {
    c.setPenColor(color);
    const int y = o.y + row;
    c.polyline({{o.x + s, y + 2 * s}, {o.x + 3 * s, y + 4 * s}, {o.x + 8 * s, y - s}});
}

void line(Canvas& c, Point a, Point b, Color color) {
    c.setPenColor(color);
    c.moveTo(a);
    c.lineTo(b);
}

}  // namespace

void DrawCheckMark(Canvas& canvas, Point o, int s, Color color) {
    const Color pen = canvas.penColor();
    for (int row = 0; row < 3; ++row) checkRow(canvas, o, s, row, color);
    canvas.setPenColor(pen);
}

Color FlatCheckMarkColor(bool enabled) {
    if (!enabled) return clBtnShadow;
    if (IsWhiteButtonFace()) return clWhite;
    if (IsBlackButtonFace() && colorToRGB(clBtnText) != clWhite) return clWhite;
    return clBlack;
}

void DrawStandardCheckMark(Canvas& canvas, Point o, int s, bool enabled) {
    const Color pen = canvas.penColor();
    if (enabled) {
        const bool blackFace = IsBlackButtonFace();
        const Color second = blackFace ? clWhite : clBlack;
        const Color third = blackFace ? clBlack : clWhite;
        checkRow(canvas, o, s, 0, clSilver);
        checkRow(canvas, o, s, 1, second);
        checkRow(canvas, o, s, 2, third);
        line(canvas, {o.x + s - 1, o.y + 2 * s + 1}, {o.x + s - 1, o.y + 6 * s - 1}, third);
        line(canvas, {o.x + 8 * s, o.y - s + 2}, {o.x + 8 * s, o.y + 3 * s}, third);
    } else {
        for (int row = 0; row < 3; ++row) checkRow(canvas, o, s, row, clBtnShadow);
        for (int k = 0; k < s; ++k) {
            line(canvas, {o.x + 3 * s + 1, o.y + 7 * s - k - 1}, {o.x + 9 * s, o.y + s - k}, clBtnHighlight);
            line(canvas, {o.x + 4 * s, o.y + 7 * s - k}, {o.x + 9 * s, o.y + 2 * s - k}, clBtnHighlight);
        }
    }
    canvas.setPenColor(pen);
}

// --- arrows ------------------------------------------------------------------------------------

Rect ArrowBounds(Point topLeft, ArrowDirection direction, int size) {
    if (size < 1) return {};
    const int base = 2 * size - 1;
    const bool vertical = direction == ArrowDirection::Up || direction == ArrowDirection::Down;
    return Rect(topLeft, vertical ? Size{base, size} : Size{size, base});
}

void DrawArrow(Canvas& canvas, Point topLeft, ArrowDirection direction, int size, Color color) {
    if (size < 1) return;
    const Brush brush(color);
    const int x = topLeft.x, y = topLeft.y;
    // Step i runs from the base (i = 0, 2n - 1 long) to the tip (i = n - 1, one pixel).
    for (int i = 0; i < size; ++i) {
        const int len = 2 * (size - i) - 1;
        switch (direction) {
        case ArrowDirection::Down: canvas.fillRect(Rect::fromSize(x + i, y + i, len, 1), brush); break;
        case ArrowDirection::Up: canvas.fillRect(Rect::fromSize(x + i, y + size - 1 - i, len, 1), brush); break;
        case ArrowDirection::Right: canvas.fillRect(Rect::fromSize(x + i, y + i, 1, len), brush); break;
        case ArrowDirection::Left: canvas.fillRect(Rect::fromSize(x + size - 1 - i, y + i, 1, len), brush); break;
        }
    }
}

void DrawArrow(Canvas& canvas, const Rect& area, ArrowDirection direction, int size, Color color) {
    const Size s = ArrowBounds({}, direction, size).size();
    DrawArrow(canvas, {area.left + (area.width() - s.cx) / 2, area.top + (area.height() - s.cy) / 2}, direction, size,
              color);
}

int DropDownArrowSize(const Rect& area) { return std::max(3, (std::min(area.width(), area.height()) - 8) / 2); }

void DrawDropDownArrow(Canvas& canvas, const Rect& area, Color color) {
    DrawArrow(canvas, area, ArrowDirection::Down, DropDownArrowSize(area), color);
}

int SubmenuScrollArrowSize(int itemHeight) { return itemHeight / 3 - 2 + 1; }

// --- separators --------------------------------------------------------------------------------

void DrawToolbarSeparator(Canvas& canvas, const Rect& r, bool horizontalLine, const Brush& barBackground, int margin,
                          bool etched) {
    canvas.fillRect(r, barBackground);
    auto lineAt = [&](int offset, Color color) {
        const Rect l = horizontalLine ? Rect{r.left, r.top + offset, r.right, r.top + offset + 1}
                                      : Rect{r.left + offset, r.top, r.left + offset + 1, r.bottom};
        canvas.fillRect(l.intersected(r), Brush(color));
    };
    lineAt(margin, clBtnShadow);
    if (etched) lineAt(margin + 1, clBtnHighlight);
}

int SeparatorThickness(bool flat) { return flat ? 5 : 6; }

int SeparatorMargin(int thickness, bool flat) { return flat ? (thickness - 1) / 2 : (thickness - 2) / 2; }

void DrawFlatSubmenuSeparator(Canvas& canvas, const Rect& r, int bandWidth, const Brush& band,
                              const Brush& menuBackground, int textOffset) {
    const int bandRight = std::min(r.right, r.left + bandWidth);
    canvas.fillRect({r.left, r.top, bandRight, r.bottom}, band);
    canvas.fillRect({bandRight, r.top, r.right, r.bottom}, menuBackground);
    const int y = r.top + r.height() / 2;
    canvas.fillRect(Rect{bandRight + textOffset, y, r.right, y + 1}.intersected(r), Brush(clBtnShadow));
}

}  // namespace lindora
