#include "bars/painters/BarItemControlPainter.h"

#include "bars/model/BarManager.h"
#include "bars/painters/BarFrames.h"
#include "bars/painters/ItemGlyph.h"
#include "bars/painters/PainterColors.h"
#include "bars/painters/PainterShapes.h"
#include "bars/painters/SubmenuParts.h"
#include "gfx/ImageList.h"
#include "ui/Screen.h"
#include "ui/SystemMetrics.h"

#include <algorithm>
#include <cstdint>

namespace lindora {

// ---------------------------------------------------------------------------------------------
// The manager's brushes

namespace {

class ManagerPainterBrushes : public BarPainterResources {
public:
    void systemColorsChanged() override { brushes.rebuild(); }
    PainterBrushes brushes;
};

const Brush& contextBackground(const BarDrawContext* context) {
    static const Brush face(clBtnFace);
    return context ? context->barBackground : face;
}

const BarManager* contextManager(const BarDrawContext* context) { return context ? context->manager : nullptr; }

bool inSubmenu(const ItemDrawState& state) { return state.context && state.context->inSubmenu; }

// The size of the glyph a button shows: the bitmap's when given and not empty, else the image
// list's image size; nothing without either.
Size naturalGlyphSize(const ButtonDrawParams& params) {
    if (!params.showGlyph) return {};
    if (params.glyph && !params.glyph->isEmpty()) return {params.glyph->width(), params.glyph->height()};
    if (params.images && params.imageIndex >= 0 && params.imageIndex < params.images->count())
        return {params.images->width(), params.images->height()};
    return {};
}

// The size the glyph is drawn at: on a bar of a manager with large icons, a glyph smaller than
// the manager's icon size (a small image, not one of the large list) is doubled.
Size glyphSizeOf(const ButtonDrawParams& params) {
    Size s = naturalGlyphSize(params);
    const BarManager* manager = params.context ? params.context->manager : nullptr;
    if (manager && !params.context->inSubmenu && manager->largeIcons() && s.cx > 0 && s.cx < manager->iconSize())
        return {s.cx * 2, s.cy * 2};
    return s;
}

// The glyph's picture at its drawn size when that differs from its natural one (nearest pixel,
// alpha kept); empty otherwise.
Bitmap scaledGlyph(const ButtonDrawParams& params) {
    Size natural = naturalGlyphSize(params);
    Size drawn = glyphSizeOf(params);
    if (drawn == natural || natural.cx <= 0 || natural.cy <= 0) return {};
    Bitmap source(natural.cx, natural.cy);
    Canvas sc(source);
    if (params.glyph && !params.glyph->isEmpty()) sc.copyRect(source.bounds(), *params.glyph, params.glyph->bounds());
    else params.images->draw(sc, 0, 0, params.imageIndex, true);
    Bitmap scaled(drawn.cx, drawn.cy);
    Canvas(scaled).copyRect(scaled.bounds(), source, source.bounds());
    return scaled;
}

bool hasGlyph(const ButtonDrawParams& params) {
    Size s = glyphSizeOf(params);
    return s.cx > 0 && s.cy > 0;
}

// The manager's button width (height on a vertical bar); without a manager, the glyph's size
// with the painter's button margins.
int buttonExtentOf(const BarPainter& painter, const BarManager* manager, bool vertical, Size glyph) {
    int managed = manager ? (vertical ? manager->buttonHeight() : manager->buttonWidth()) : 0;
    if (managed > 0) return managed;
    int icon = vertical ? glyph.cy : glyph.cx;
    return (icon > 0 ? icon : 16) + (vertical ? painter.buttonVerticalMargin() : painter.buttonHorizontalMargin());
}

// Rounds (numerator / denominator) to nearest for non-negative operands without overflow.
int roundedRatio(std::int64_t numerator, std::int64_t denominator) {
    return static_cast<int>((2 * numerator + denominator) / (2 * denominator));
}

// One chevron of the classic looks: two one-pixel polylines side by side, a two-pixel-thick
// angle pointing right (down on a vertical bar).
void drawClassicChevron(Canvas& canvas, Point at, bool vertical) {
    canvas.setPenColor(clBtnText);
    for (int d = 0; d < 2; ++d) {
        if (!vertical) canvas.polyline({{at.x + d, at.y}, {at.x + d + 3, at.y + 3}, {at.x + d - 1, at.y + 7}});
        else canvas.polyline({{at.x, at.y + d}, {at.x + 3, at.y + d + 3}, {at.x + 7, at.y + d - 1}});
    }
}

// A close button's cross: two diagonals two pixels wide across n columns, n - 1 rows, so that
// both ends of each stroke are whole.
void drawCross(Canvas& canvas, Point at, int n, Color color) {
    for (int k = 0; k < n - 1; ++k)
        for (int x : {k, k + 1, n - 1 - k, n - 2 - k}) canvas.setPixel(at.x + x, at.y + k, color);
}

// The enhanced painter's mark contents, which the flat painter reuses: the small triangle,
// then the chevrons of a truncated bar.
void drawEnhancedMarkContents(const BarItemControlPainter& painter, Canvas& canvas, const MarkParams& params) {
    bool narrow = painter.isNarrow(params.rect);
    DrawMarkTriangle(canvas, params.rect, !params.vertical, narrow,
                     painter.markTriangleColor(params.state == MarkState::Hot));
    if (!params.truncated) return;
    const Rect& r = params.rect;
    int start = narrow ? 3 : 4;
    if (!params.vertical) {
        drawClassicChevron(canvas, {r.left + 2, r.top + start}, false);
        drawClassicChevron(canvas, {r.left + 6, r.top + start}, false);
    } else {
        drawClassicChevron(canvas, {r.left + start, r.bottom - 9}, true);
        drawClassicChevron(canvas, {r.left + start, r.bottom - 5}, true);
    }
}

}  // namespace

const PainterBrushes& ManagerBrushes(const BarManager* manager) {
    if (manager)
        if (auto* resources = dynamic_cast<ManagerPainterBrushes*>(manager->painterResources())) {
            // A colour change the manager was not told of still shows at the next paint.
            if (resources->brushes.stale()) resources->brushes.rebuild();
            return resources->brushes;
        }
    // Callers without a manager (previews, tests) share one set of the current colours.
    static PainterBrushes shared;
    if (shared.stale()) shared.rebuild();
    return shared;
}

std::unique_ptr<BarPainterResources> BarItemControlPainter::createManagerResources() const {
    return std::make_unique<ManagerPainterBrushes>();
}

int BarItemControlPainter::dropDownArrowWidth(const BarManager& manager) const {
    return manager.largeIcons() ? manager.largeButtonArrowWidth() : manager.buttonArrowWidth();
}

// ---------------------------------------------------------------------------------------------
// Root: backgrounds and brushes

Brush BarItemControlPainter::barBackgroundBrush(const BarManager*) const { return Brush(clBtnFace); }

Brush BarItemControlPainter::barBackgroundBrushFor(const BarManager* manager, bool) const {
    return barBackgroundBrush(manager);
}

Brush BarItemControlPainter::checkedBackgroundBrush(const BarManager* manager) const {
    return ManagerBrushes(manager).checker();
}

Brush BarItemControlPainter::checkedHotBackgroundBrush(const BarManager*) const { return Brush(clBtnFace); }

Brush BarItemControlPainter::hotBackgroundBrush(const BarManager*) const { return Brush(clHighlight); }

Brush BarItemControlPainter::stateBrush(const ItemDrawState& state) const { return contextBackground(state.context); }

Brush BarItemControlPainter::submenuBackgroundBrush(const BarManager*) const { return Brush(clBtnFace); }

void BarItemControlPainter::fillItemBackground(Canvas& canvas, const Rect& r, const Brush& brush,
                                               const BarDrawContext* context) const {
    if (r.isEmpty()) return;
    if (!brush.isNull()) {
        canvas.fillRect(r, brush);
    } else if (context && context->backgroundBitmap && !context->backgroundBitmap->isEmpty()) {
        DrawTiledBackground(canvas, r, r.translated(-context->backgroundOrigin.x, -context->backgroundOrigin.y),
                            *context->backgroundBitmap);
    } else {
        canvas.fillRect(r, contextBackground(context));
    }
}

void BarItemControlPainter::frameItemBackground(Canvas& canvas, const Rect& r, const Brush& brush,
                                                const BarDrawContext* context) const {
    if (r.isEmpty()) return;
    if (!brush.isNull()) {
        canvas.frameRect(r, brush);
        return;
    }
    // The ring in the bar's own background, tiles included.
    fillItemBackground(canvas, {r.left, r.top, r.right, r.top + 1}, brush, context);
    fillItemBackground(canvas, {r.left, r.bottom - 1, r.right, r.bottom}, brush, context);
    fillItemBackground(canvas, {r.left, r.top + 1, r.left + 1, r.bottom - 1}, brush, context);
    fillItemBackground(canvas, {r.right - 1, r.top + 1, r.right, r.bottom - 1}, brush, context);
}

void BarItemControlPainter::fillWithShadow(Canvas& canvas, const Rect& r) const {
    canvas.fillRect(r, Brush(clBtnShadow));
}

// ---------------------------------------------------------------------------------------------
// Root: items

void BarItemControlPainter::drawButton(Canvas& canvas, const ButtonDrawParams& params) const {
    if (params.rect.isEmpty()) return;
    Brush brush = stateBrush(params);
    Size glyph = glyphSizeOf(params);
    bool larger = params.rect.width() >= glyph.cx + 2 && params.rect.height() >= glyph.cy + 2;
    drawButtonFrame(canvas, params, brush, larger);
    ButtonDrawParams inner = params;
    if (larger) {
        inner.rect = params.rect.inflated(-1, -1);
        if (!inner.glyphArea.isEmpty()) inner.glyphArea = inner.glyphArea.intersected(inner.rect);
        if (!inner.captionRect.isEmpty()) inner.captionRect = inner.captionRect.intersected(inner.rect);
    }
    drawGlyphAndCaption(canvas, inner);
}

void BarItemControlPainter::drawButtonFrame(Canvas&, const ItemDrawState&, const Brush&, bool) const {}

void BarItemControlPainter::drawGlyphAndCaption(Canvas& canvas, const ButtonDrawParams& params) const {
    const Rect& item = params.rect;
    if (item.isEmpty()) return;
    const BarDrawContext* context = params.context;
    const BarManager* manager = contextManager(context);
    bool vertical = context && context->vertical && !inSubmenu(params);
    Brush brush = stateBrush(params);

    // The glyph's area: given, the whole item in a submenu, else the item's start as wide (or
    // on a vertical bar as high) as the manager's button.
    Rect area = params.glyphArea;
    if (area.isEmpty()) {
        if (inSubmenu(params)) {
            area = item;
        } else if (!params.showCaption || !hasGlyph(params)) {
            area = params.showCaption ? Rect{item.left, item.top, item.left, item.bottom} : item;
        } else if (vertical) {
            int h = buttonExtentOf(*this, manager, true, glyphSizeOf(params));
            area = {item.left, item.top, item.right, std::min(item.bottom, item.top + h)};
        } else {
            int w = buttonExtentOf(*this, manager, false, glyphSizeOf(params));
            area = {item.left, item.top, std::min(item.right, item.left + w), item.bottom};
        }
    }
    area = area.intersected(item);

    if (!area.isEmpty()) {
        if (hasGlyph(params)) {
            Size g = glyphSizeOf(params);
            Point at{(area.left + area.right - g.cx) / 2, (area.top + area.bottom - g.cy) / 2};
            int shift = params.pressed ? pressedGlyphShift() : params.checked ? checkedGlyphShift() : 0;
            drawGlyph(canvas, params, Rect(at, g).translated(shift, shift), brush);
        } else if (inSubmenu(params) && params.checked) {
            ItemDrawState cell = params;
            cell.rect = area;
            drawCheckBoxItem(canvas, cell, brush);
        } else {
            fillItemBackground(canvas, area, brush, context);
        }
    }

    Rect text = params.captionRect;
    if (text.isEmpty()) {
        text = item;
        if (vertical) text.top = std::max(item.top, area.bottom);
        else text.left = std::max(item.left, area.right);
    }
    text = text.intersected(item);
    if (text.isEmpty() || (area.contains(text) && !area.isEmpty())) return;
    fillItemBackground(canvas, text, brush, context);
    if (params.showCaption && !params.caption.empty()) {
        int shift = params.pressed ? pressedGlyphShift() : params.checked ? checkedGlyphShift() : 0;
        drawCaptionText(canvas, params, text.translated(shift, shift));
    }
}

void BarItemControlPainter::drawGlyph(Canvas& canvas, const ButtonDrawParams& params, const Rect& glyphRect,
                                      const Brush& background) const {
    drawGlyphWith(canvas, params, glyphRect, background, false);
}

void BarItemControlPainter::drawGlyphWith(Canvas& canvas, const ButtonDrawParams& params, const Rect& glyphRect,
                                          const Brush& background, bool flatLook) const {
    const BarDrawContext* context = params.context;
    const BarManager* manager = contextManager(context);
    Rect item = params.glyphArea.isEmpty() ? params.rect : params.glyphArea.intersected(params.rect);
    if (item.isEmpty()) return;
    const Bitmap scaled = scaledGlyph(params);
    ItemGlyphParams g;
    g.background = background;
    g.itemRect = item;
    g.glyphRect = glyphRect;
    g.imageListBkColor = manager ? manager->imageListBkColor() : clFuchsia;
    g.fadedDisabledColor = fadedDisabledGlyphColor(manager);
    // The flat look: no emboss on disabled glyphs, lightened idle ones, raised when hot.
    g.raisedWhenHot = flatLook;
    g.flatLook = flatLook;
    g.pressed = params.pressed;
    g.checked = params.checked;
    g.hot = params.hot;
    g.grayscale = params.grayscaleGlyph;
    g.enabled = params.enabled;
    g.imageIndex = params.imageIndex;
    g.images = scaled.isEmpty() ? params.images : nullptr;
    g.bitmap = scaled.isEmpty() ? params.glyph : &scaled;
    g.bitsPerPixel = context ? context->bitsPerPixel : DisplayBitsPerPixel();
    DrawItemGlyph(canvas, g);
}

void BarItemControlPainter::drawCheckBoxItem(Canvas& canvas, const ItemDrawState& state,
                                             const Brush& background) const {
    if (!texturedBackgrounds()) fillItemBackground(canvas, state.rect, background, state.context);
    if (state.checked && inSubmenu(state)) drawCheckMark(canvas, state.rect, state.enabled, canvas.font());
}

void BarItemControlPainter::drawCheckMark(Canvas&, const Rect&, bool, const Font&) const {}

void BarItemControlPainter::drawDropDownPart(Canvas& canvas, const DropDownPartParams& params) const {
    if (params.rect.isEmpty()) return;
    ItemDrawState part = params;
    part.hot = params.hot || params.buttonHot;
    Brush brush = stateBrush(part);
    drawButtonFrame(canvas, part, brush, true);
    Rect inner = params.rect.inflated(-1, -1);
    fillItemBackground(canvas, inner, brush, params.context);
    int shift = params.pressed ? pressedGlyphShift() : 0;
    drawDropDownArrow(canvas, params.rect.translated(shift, shift), params.enabled ? clBtnText : clBtnShadow);
}

void BarItemControlPainter::drawDropDownArrow(Canvas& canvas, const Rect& r, Color color) const {
    DrawDropDownArrow(canvas, r, color);
}

void BarItemControlPainter::drawSubmenuItem(Canvas&, const ButtonDrawParams&) const {}

void BarItemControlPainter::drawSubItem(Canvas& canvas, const ButtonDrawParams& params) const {
    const Rect& r = params.rect;
    if (r.isEmpty()) return;
    const BarDrawContext* context = params.context;
    int arrowSize = context ? context->arrowSize : 4;
    Color arrowColor = params.enabled ? clBtnText : clBtnShadow;
    if (inSubmenu(params)) {
        drawSubmenuItem(canvas, params);
        Rect arrow = ArrowBounds({0, 0}, ArrowDirection::Right, arrowSize);
        Point at{r.right - 8 - arrow.width() + 1, (r.top + r.bottom - arrow.height()) / 2};
        DrawArrow(canvas, at, ArrowDirection::Right, arrowSize,
                  params.hot && !disabledTextIsFlat() ? clHighlightText : arrowColor);
        return;
    }

    const BarManager* manager = contextManager(context);
    bool vertical = context && context->vertical;
    bool isMainMenu = context && context->isMainMenu;
    // Background and glyph as for a button; the caption follows the glyph area, or the
    // caption spacing of a caption-only sub item.
    Brush brush = stateBrush(params);
    drawButtonFrame(canvas, params, brush, true);
    Rect inner = r.inflated(-1, -1);
    fillItemBackground(canvas, inner, brush, context);
    bool glyph = hasGlyph(params);
    int buttonExtent = buttonExtentOf(*this, manager, vertical, glyphSizeOf(params));
    int start;
    if (glyph || !params.showCaption) {
        start = buttonExtent;
        if (glyph) {
            ButtonDrawParams g = params;
            g.rect = inner;
            g.showCaption = false;
            g.glyphArea = vertical ? Rect{inner.left, inner.top, inner.right, std::min(inner.bottom, r.top + start)}
                                   : Rect{inner.left, inner.top, std::min(inner.right, r.left + start), inner.bottom};
            drawGlyphAndCaption(canvas, g);
        }
    } else {
        start = subItemCaptionSpacing(canvas.font().emPixels(), isMainMenu);
    }
    int arrowLength = isMainMenu ? 0 : ArrowBounds({0, 0}, ArrowDirection::Down, arrowSize - 1).width() + 4;
    if (params.showCaption && !params.caption.empty()) {
        Rect text = vertical ? Rect{inner.left, r.top + start, inner.right, inner.bottom - arrowLength}
                             : Rect{r.left + start, inner.top, inner.right - arrowLength, inner.bottom};
        ButtonDrawParams t = params;
        t.flatTextWanted = disabledTextIsFlat() && !IsWhiteButtonFace();
        t.captionAlignment = DT_LEFT;
        drawCaptionText(canvas, t, text);
    }
    if (!isMainMenu && arrowSize > 1) {
        Rect bounds = ArrowBounds({0, 0}, ArrowDirection::Down, arrowSize - 1);
        int fontHeight = canvas.textHeight("0");
        Point at = vertical ? Point{(r.left + r.right - bounds.width()) / 2, r.bottom - 2 - bounds.height() - 2}
                            : Point{r.right - 2 - bounds.width() - 2,
                                    (r.top + r.bottom - fontHeight) / 2 + (fontHeight - bounds.height()) / 2};
        DrawArrow(canvas, at, ArrowDirection::Down, arrowSize - 1, arrowColor);
    }
}

void BarItemControlPainter::drawCaptionText(Canvas& canvas, const ButtonDrawParams& params, const Rect& r) const {
    CaptionTextParams text;
    text.rect = r;
    text.caption = params.caption;
    text.alignment = params.captionAlignment;
    text.clip = true;
    text.vertical = params.context && params.context->vertical && !inSubmenu(params);
    text.enabled = params.enabled;
    text.selected = params.hot && inSubmenu(params);
    text.flatText = disabledTextIsFlat() && params.flatTextWanted;
    DrawCaptionText(canvas, text);
}

void BarItemControlPainter::drawBorderByStyle(Canvas& canvas, Rect& r, BarStaticBorderStyle style) const {
    switch (style) {
    case sbsNone: return;
    case sbsLowered: canvas.drawEdge(r, BDR_SUNKENOUTER, BF_RECT); break;
    case sbsRaised: canvas.drawEdge(r, BDR_RAISEDINNER, BF_RECT); break;
    case sbsEtched: canvas.drawEdge(r, EDGE_ETCHED, BF_RECT); break;
    case sbsBump:
        canvas.drawEdge(r, BDR_RAISEDINNER, BF_RECT);
        canvas.drawEdge(r.inflated(-1, -1), BDR_SUNKENOUTER, BF_RECT);
        break;
    }
    int w = borderWidth(style);
    r = r.inflated(-w, -w);
}

void BarItemControlPainter::drawEditFrame(Canvas& canvas, const ItemDrawState& state) const {
    if (state.hot || state.pressed) canvas.drawEdge(state.rect, BDR_SUNKENOUTER, BF_RECT);
    else frameItemBackground(canvas, state.rect, Brush(), state.context);
}

void BarItemControlPainter::frameItem(Canvas& canvas, Rect& r) const {
    canvas.drawEdge(r, BDR_SUNKENOUTER, BF_RECT);
    r = r.inflated(-1, -1);
}

// ---------------------------------------------------------------------------------------------
// Root: measures

int BarItemControlPainter::checkMarkCellSize(const ItemDrawState&) const { return 18; }

Brush BarItemControlPainter::checkMarkCellBrush(const ItemDrawState& state) const {
    return contextBackground(state.context);
}

int BarItemControlPainter::glyphBandWidth(const BarDrawContext& context) const {
    return context.inSubmenu ? context.submenuItemHeight + 1 : 0;
}

CaptionTextColors BarItemControlPainter::captionTextColors(bool enabled, bool selected, bool flatText) const {
    return CaptionTextColorsFor(enabled, selected, flatText && disabledTextIsFlat());
}

Color BarItemControlPainter::fadedDisabledGlyphColor(const BarManager* manager) const {
    return FadedDisabledGlyphColor(manager && manager->makeDisabledImagesFaded());
}

void BarItemControlPainter::editColors(bool enabled, const BarManager* manager, Color& text, Color& background) const {
    if (enabled) {
        text = clWindowText;
        background = clWindow;
    } else {
        text = clGrayText;
        background = barBackgroundBrush(manager).color();
    }
}

int BarItemControlPainter::subItemHeight(int baseHeight, bool) const { return baseHeight; }
int BarItemControlPainter::subItemWidth(int baseWidth, bool) const { return baseWidth; }
int BarItemControlPainter::subItemCaptionSpacing(int fontHeight, bool) const { return fontHeight / 2; }

// ---------------------------------------------------------------------------------------------
// Root: submenus

int BarItemControlPainter::submenuItemHeight(int textHeight) const { return std::max(textHeight + 1, 19); }

Size BarItemControlPainter::submenuSize(int widestItem, int itemsHeight, int leftStripWidth, bool empty) const {
    return {empty ? 100 : widestItem + leftStripWidth + 6, itemsHeight + 4};
}

int BarItemControlPainter::submenuScrollArrowSize(int height) const { return (height - 6) / 2; }

void BarItemControlPainter::drawSubmenuFrame(Canvas& canvas, const SubmenuFrameParams& params) const {
    Rect r = params.window;
    canvas.drawEdge(r, EDGE_RAISED, BF_RECT);
    if (!params.ownerJoint.isEmpty()) canvas.fillRect(params.ownerJoint, params.ownerBrush);
    Rect inner = r.inflated(-2, -2);
    canvas.frameRect(inner, submenuBackgroundBrush(params.manager));
    if (params.leftStripWidth > 0)
        canvas.fillRect({inner.left, inner.top, inner.left + 1, inner.bottom}, params.leftStripBrush);
}

void BarItemControlPainter::drawSubmenuBackground(Canvas& canvas, const Rect& r, const BarManager* manager) const {
    if (manager && !manager->backgrounds().subMenu().empty())
        DrawTiledBackground(canvas, r, r, manager->backgrounds().subMenu().bitmap());
    else canvas.fillRect(r, submenuBackgroundBrush(manager));
}

void BarItemControlPainter::drawSubmenuSeparator(Canvas& canvas, const Rect& r, const BarDrawContext& context) const {
    canvas.fillRect(r, submenuBackgroundBrush(context.manager));
}

void BarItemControlPainter::drawExpandChevron(Canvas& canvas, const Rect& r, bool selected) const {
    Color color = selected && IsWhiteButtonFace() ? clBtnFace : clBtnText;
    canvas.setPenColor(color);
    int cx = (r.left + r.right) / 2;
    int y = (r.top + r.bottom) / 2 - 3;
    // Two V shapes, 7 wide and 4 high, one 4 pixels below the other.
    for (int v = 0; v < 2; ++v) {
        int top = y + 4 * v;
        canvas.polyline({{cx - 3, top}, {cx, top + 3}, {cx + 4, top - 1}});
    }
}

void BarItemControlPainter::drawSubmenuScrollArrow(Canvas& canvas, const Rect& r, bool up, int itemHeight) const {
    DrawArrow(canvas, r, up ? ArrowDirection::Up : ArrowDirection::Down, SubmenuScrollArrowSize(itemHeight) + 1,
              clBtnText);
}

namespace {
// A dotted line (every other pixel) across the middle of a tear-off strip, 3 pixels in from
// its ends.
void DrawTearOffGrip(Canvas& canvas, const Rect& r, Color color) {
    const int y = (r.top + r.bottom) / 2;
    for (int x = r.left + 3; x < r.right - 3; x += 2) canvas.setPixel(x, y, color);
}
}  // namespace

void BarItemControlPainter::drawTearOffStrip(Canvas& canvas, const Rect& r, bool hot, const BarManager*) const {
    canvas.fillRect(r, Brush(hot ? clHighlight : clBtnFace));
    DrawTearOffGrip(canvas, r, hot ? clHighlightText : clBtnShadow);
}

// ---------------------------------------------------------------------------------------------
// Root: toolbar windows and dock sites

void BarItemControlPainter::drawSeparator(Canvas& canvas, const Rect& r, bool horizontalLine,
                                          const Brush& barBackground) const {
    DrawToolbarSeparator(canvas, r, horizontalLine, barBackground, separatorMargin(), true);
}

Rect BarItemControlPainter::dockedBorderInsets() const {
    int w = dockedBorderWidth();
    return {w, w, w, w};
}

int BarItemControlPainter::smallCaptionHeight() const { return Screen::metric(SM_CYSMCAPTION); }

void BarItemControlPainter::drawDockedBarBorder(Canvas& canvas, const BarBorderParams& params) const {
    canvas.frameRect(params.bar, params.barBackground);
}

void BarItemControlPainter::drawFloatingBarBorder(Canvas& canvas, const BarBorderParams& params) const {
    Rect r = params.bar;
    r = canvas.drawEdge(r, EDGE_RAISED, BF_RECT);
    for (int i = 2; i < params.borderWidth && !r.isEmpty(); ++i) {
        canvas.frameRect(r, params.barBackground);
        r = r.inflated(-1, -1);
    }
}

Color BarItemControlPainter::captionBackgroundColor(bool active) const {
    return active ? clActiveCaption : clInactiveCaption;
}

Color BarItemControlPainter::captionSymbolColor(bool) const { return clCaptionText; }

void BarItemControlPainter::drawFloatingCaption(Canvas& canvas, const FloatingCaptionParams& params) const {
    const Rect& r = params.rect;
    if (r.isEmpty()) return;
    canvas.fillRect(r, Brush(captionBackgroundColor(params.active)));
    Font font = params.font;
    font.setColor(captionTextColor());
    Font saved = canvas.font();
    canvas.setFont(font);
    Rect text{r.left + captionTextOffset(), r.top, r.right, r.bottom};
    canvas.drawText(text, params.caption, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    canvas.setFont(saved);
}

void BarItemControlPainter::drawCaptionButtonBackground(Canvas& canvas, const CaptionButtonParams& params) const {
    const Rect& r = params.rect;
    switch (params.state) {
    case CaptionButtonState::None: canvas.fillRect(r, Brush(captionBackgroundColor(params.active))); break;
    case CaptionButtonState::Hot:
        canvas.fillRect(r, Brush(clBtnFace));
        canvas.drawEdge(r, BDR_RAISEDINNER, BF_RECT);
        break;
    case CaptionButtonState::Pressed:
        canvas.fillRect(r, Brush(clBtnFace));
        canvas.drawEdge(r, BDR_SUNKENOUTER, BF_RECT);
        break;
    }
}

void BarItemControlPainter::drawCloseButton(Canvas& canvas, const CaptionButtonParams& params) const {
    drawCaptionButtonBackground(canvas, params);
    // A two-pixel-wide diagonal cross in a square 3 pixels in from the sides, 4 from the top.
    const Rect& r = params.rect;
    int n = std::min(r.width() - 6, r.height() - 4);
    if (n <= 0) return;
    int shift = params.state == CaptionButtonState::Pressed ? 1 : 0;
    int left = r.left + 3 + shift, top = r.top + 4 + shift;
    Color color = captionSymbolColor(params.state != CaptionButtonState::None);
    if (params.state != CaptionButtonState::None) color = clBtnText;  // on the button face
    drawCross(canvas, {left, top}, n, color);
}

Rect BarItemControlPainter::markRect(const MarkRectParams& params) const {
    const Rect& c = params.client;
    constexpr int strip = 11;
    if (!params.floating) {
        if (params.vertical) return {c.left, std::max(c.top, c.bottom - strip), c.right, c.bottom};
        return {std::max(c.left, c.right - strip), c.top, c.right, c.bottom};
    }
    int size = c.height();
    int right = c.right - (params.hasCloseButton ? params.captionButtonSize : 0);
    int left = std::max(c.left, right - size);
    return {left, c.top, left + size, c.top + size};
}

void BarItemControlPainter::drawMark(Canvas& canvas, const MarkParams& params) const {
    if (params.rect.isEmpty()) return;
    drawMarkBackground(canvas, params);
    drawMarkContents(canvas, params);
}

void BarItemControlPainter::drawMarkBackground(Canvas& canvas, const MarkParams& params) const {
    canvas.fillRect(params.rect, params.barBackground);
}

void BarItemControlPainter::drawMarkContents(Canvas& canvas, const MarkParams& params) const {
    if (!params.truncated) return;
    const Rect& r = params.rect;
    int start = isNarrow(r) ? 3 : 4;
    if (!params.vertical) {
        drawMarkChevron(canvas, {r.left + 2, r.top + start}, false);
        drawMarkChevron(canvas, {r.left + 6, r.top + start}, false);
    } else {
        drawMarkChevron(canvas, {r.left + start, r.bottom - 9}, true);
        drawMarkChevron(canvas, {r.left + start, r.bottom - 5}, true);
    }
}

Color BarItemControlPainter::markTriangleColor(bool) const { return clBtnText; }

void BarItemControlPainter::drawMoreItemsTriangle(Canvas& canvas, const Rect& r, bool buttonHotOrOpen) const {
    DrawArrow(canvas, r, ArrowDirection::Down, 4, captionSymbolColor(buttonHotOrOpen));
}

void BarItemControlPainter::drawMoreItemsButton(Canvas& canvas, const CaptionButtonParams& params) const {
    drawCaptionButtonBackground(canvas, params);
    drawMoreItemsTriangle(canvas, params.rect, params.state != CaptionButtonState::None);
}

void BarItemControlPainter::drawSizeGrip(Canvas& canvas, const Rect& r, const Brush& barBackground) const {
    canvas.fillRect(r, barBackground);
    // Three ridges, each a highlight line and two shadow lines, from the bottom-right corner.
    int n = std::min(r.width(), r.height());
    for (int d = 1; d + 2 < n; d += 4) {
        const Color colors[] = {clBtnHighlight, clBtnShadow, clBtnShadow};
        for (int k = 0; k < 3; ++k) {
            canvas.setPenColor(colors[k]);
            canvas.moveTo(r.right - 1 - (d + k), r.bottom - 1);
            canvas.lineTo(r.right, r.bottom - 2 - (d + k));
        }
    }
}

Brush BarItemControlPainter::quickCustomizationBackgroundBrush(const BarManager* manager, bool isMainMenu) const {
    return barBackgroundBrushFor(manager, isMainMenu);
}

void BarItemControlPainter::drawQuickCustomizationCheckArea(Canvas& canvas, const Rect& r, const BarManager*) const {
    canvas.drawEdge(r, BDR_SUNKENOUTER, BF_RECT);
}

void BarItemControlPainter::drawQuickCustomizationItem(Canvas& canvas, const Rect& r, bool selected,
                                                       const BarManager* manager) const {
    canvas.fillRect(r, selected ? hotBackgroundBrush(manager) : quickCustomizationBackgroundBrush(manager, false));
}

// ---------------------------------------------------------------------------------------------
// Root: progress bars

void BarItemControlPainter::drawProgressBar(Canvas& canvas, const ProgressDrawParams& params) const {
    const Rect& r = params.rect;
    if (r.isEmpty()) return;
    int length = params.vertical ? r.height() : r.width();
    int thickness = params.vertical ? r.width() : r.height();
    // A description loaded without the setters' checks may leave Position outside Min..Max
    // (or Max below Min): the fill stays inside the bar, and an empty range fills nothing.
    int filled = 0;
    if (params.max > params.min) {
        std::int64_t span = static_cast<std::int64_t>(params.max) - params.min;
        std::int64_t pos = std::clamp<std::int64_t>(static_cast<std::int64_t>(params.position) - params.min, 0, span);
        filled = std::clamp(roundedRatio(pos * length, span), 0, length);
    }
    auto segment = [&](int from, int to) {
        return params.vertical ? Rect{r.left, r.top + from, r.right, r.top + to}
                               : Rect{r.left + from, r.top, r.left + to, r.bottom};
    };
    Brush fill(params.color);
    if (params.smooth) {
        canvas.fillRect(segment(0, filled), fill);
    } else {
        int block = std::max(1, MulDivRound(thickness, 2, 3));
        for (int at = 0; at < filled;) {
            int end = std::min(filled, at + block);
            canvas.fillRect(segment(at, end), fill);
            at = end;
            int gapEnd = std::min(filled, at + 2);
            canvas.fillRect(segment(at, gapEnd), params.background);
            at = gapEnd;
        }
    }
    canvas.fillRect(segment(filled, length), params.background);
}

// ---------------------------------------------------------------------------------------------
// Standard painter

Brush BarItemControlStandardPainter::stateBrush(const ItemDrawState& state) const {
    // The classic look dithers a checked button that the mouse is not over.
    if (state.checked && !state.hot && !state.pressed && !inSubmenu(state))
        return checkedBackgroundBrush(contextManager(state.context));
    return BarItemControlPainter::stateBrush(state);
}

void BarItemControlStandardPainter::drawButtonFrame(Canvas& canvas, const ItemDrawState& state, const Brush& brush,
                                                    bool largerThanGlyph) const {
    if (state.hot && !state.pressed && !state.checked) canvas.drawEdge(state.rect, BDR_RAISEDINNER, BF_RECT);
    else if (state.pressed || state.checked) canvas.drawEdge(state.rect, BDR_SUNKENOUTER, BF_RECT);
    else if (largerThanGlyph) frameItemBackground(canvas, state.rect, brush, state.context);
}

void BarItemControlStandardPainter::drawCheckMark(Canvas& canvas, const Rect& r, bool enabled, const Font& font) const {
    int scale = CheckMarkScale(font);
    DrawStandardCheckMark(canvas, CheckMarkOrigin(r, scale), scale, enabled);
}

void BarItemControlStandardPainter::drawMarkChevron(Canvas& canvas, Point at, bool vertical) const {
    drawClassicChevron(canvas, at, vertical);
}

void BarItemControlStandardPainter::fillWithShadow(Canvas& canvas, const Rect& r) const {
    canvas.fillRect(r.translated(1, 1), Brush(clBtnHighlight));
    canvas.fillRect(r, Brush(clBtnShadow));
}

void BarItemControlStandardPainter::drawSubmenuItem(Canvas& canvas, const ButtonDrawParams& params) const {
    const Rect& r = params.rect;
    if (r.isEmpty()) return;
    const BarManager* manager = contextManager(params.context);
    Rect band{r.left, r.top, std::min(r.right, r.left + r.height()), r.bottom};
    ButtonDrawParams glyph = params;
    glyph.rect = band;
    glyph.glyphArea = band;
    glyph.showCaption = false;
    // The band shows its glyph like a toolbar button: raised when hot, sunken when checked.
    glyph.hot = params.hot && params.enabled;
    Brush bandBrush = submenuBackgroundBrush(manager);
    if (hasGlyph(params)) {
        glyph.glyphArea = band.inflated(-1, -1);
        glyph.rect = band;
        Brush brush = params.checked && !params.hot ? checkedBackgroundBrush(manager) : bandBrush;
        canvas.fillRect(band, bandBrush);
        if (params.checked || glyph.hot) drawButtonFrame(canvas, glyph, brush, true);
        ItemGlyphParams g;
        Size s = glyphSizeOf(params);
        Rect inner = band.inflated(-1, -1);
        Point at{(inner.left + inner.right - s.cx) / 2, (inner.top + inner.bottom - s.cy) / 2};
        int shift = params.checked ? checkedGlyphShift() : 0;
        drawGlyph(canvas, glyph, Rect(at, s).translated(shift, shift), brush);
    } else if (params.checked) {
        canvas.fillRect(band, params.hot ? hotBackgroundBrush(manager) : bandBrush);
        // A menu's check mark takes the caption's colour, not the 3D look of a toolbar's.
        int scale = CheckMarkScale(canvas.font());
        CaptionTextColors colors = captionTextColors(params.enabled, params.hot, false);
        if (colors.embossed) {
            Point origin = CheckMarkOrigin(band, scale);
            DrawCheckMark(canvas, {origin.x + 1, origin.y + 1}, scale, clBtnHighlight);
        }
        DrawCheckMark(canvas, CheckMarkOrigin(band, scale), scale, colors.text);
    } else {
        canvas.fillRect(band, params.hot ? hotBackgroundBrush(manager) : bandBrush);
    }
    bool glyphInBand = hasGlyph(params);
    Brush rest = params.hot ? hotBackgroundBrush(manager) : submenuBackgroundBrush(manager);
    Rect strip{band.right, r.top, std::min(r.right, band.right + 1), r.bottom};
    canvas.fillRect(strip, params.hot && !glyphInBand ? rest : submenuBackgroundBrush(manager));
    Rect text{strip.right, r.top, r.right, r.bottom};
    canvas.fillRect(text, rest);
    if (params.showCaption && !params.caption.empty()) {
        ButtonDrawParams t = params;
        t.captionAlignment = DT_LEFT;
        drawCaptionText(canvas, t, {strip.right + 2, r.top, r.right, r.bottom});
    }
}

void BarItemControlStandardPainter::drawDockedBarBorder(Canvas& canvas, const BarBorderParams& params) const {
    const Rect& bar = params.bar;
    canvas.drawEdge(bar, BDR_RAISEDINNER, BF_RECT);
    canvas.frameRect(bar.inflated(-1, -1), params.barBackground);
    if (!params.showGrip) return;
    Rect grip =
        params.vertical
            ? Rect{bar.left + 2, bar.top + 2 + gripOffset(), bar.right - 2, bar.top + 2 + gripOffset() + gripWidth()}
            : Rect{bar.left + 2 + gripOffset(), bar.top + 2, bar.left + 2 + gripOffset() + gripWidth(), bar.bottom - 2};
    canvas.drawEdge(grip, BDR_RAISEDINNER, BF_RECT);
}

void BarItemControlStandardPainter::drawSeparator(Canvas& canvas, const Rect& r, bool horizontalLine,
                                                  const Brush& barBackground) const {
    DrawToolbarSeparator(canvas, r, horizontalLine, barBackground, separatorMargin(), true);
}

void BarItemControlStandardPainter::drawSubmenuSeparator(Canvas& canvas, const Rect& r,
                                                         const BarDrawContext& context) const {
    canvas.fillRect(r, submenuBackgroundBrush(context.manager));
    int y = (r.top + r.bottom) / 2 - 1;
    canvas.fillRect({r.left + 1, y, r.right - 1, y + 1}, Brush(clBtnShadow));
    canvas.fillRect({r.left + 1, y + 1, r.right - 1, y + 2}, Brush(clBtnHighlight));
}

// ---------------------------------------------------------------------------------------------
// Enhanced painter

void BarItemControlEnhancedPainter::drawDockedBarBorder(Canvas& canvas, const BarBorderParams& params) const {
    const Rect& bar = params.bar;
    canvas.drawEdge(bar, BDR_RAISEDINNER, BF_RECT);
    canvas.frameRect(bar.inflated(-1, -1), params.barBackground);
    if (!params.showGrip) return;
    Rect inner = bar.inflated(-2, -2);
    Rect grip =
        params.vertical
            ? Rect{inner.left + 1, inner.top + gripOffset(), inner.right - 1, inner.top + gripOffset() + gripWidth()}
            : Rect{inner.left + gripOffset(), inner.top + 1, inner.left + gripOffset() + gripWidth(), inner.bottom - 1};
    canvas.drawEdge(grip, BDR_RAISEDINNER, BF_RECT);
}

void BarItemControlEnhancedPainter::drawMarkBackground(Canvas& canvas, const MarkParams& params) const {
    const Rect& r = params.rect;
    switch (params.state) {
    case MarkState::Normal: canvas.frameRect(r, params.barBackground); break;
    case MarkState::Hot: canvas.drawEdge(r, BDR_RAISEDINNER, BF_RECT); break;
    case MarkState::Open: canvas.drawEdge(r, BDR_SUNKENOUTER, BF_RECT); break;
    }
    canvas.fillRect(r.inflated(-1, -1), params.barBackground);
}

void BarItemControlEnhancedPainter::drawMarkContents(Canvas& canvas, const MarkParams& params) const {
    drawEnhancedMarkContents(*this, canvas, params);
}

Rect BarItemControlEnhancedPainter::markRect(const MarkRectParams& params) const {
    if (!params.floating) return BarItemControlPainter::markRect(params);
    const Rect& c = params.client;
    return {c.left, c.top, std::min(c.right, c.left + 13), c.bottom};
}

// ---------------------------------------------------------------------------------------------
// Flat painter

Brush BarItemControlFlatPainter::barBackgroundBrush(const BarManager* manager) const {
    return ManagerBrushes(manager).flatToolbarBackground();
}

Brush BarItemControlFlatPainter::barBackgroundBrushFor(const BarManager* manager, bool isMainMenu) const {
    return isMainMenu ? Brush(clBtnFace) : barBackgroundBrush(manager);
}

Brush BarItemControlFlatPainter::checkedBackgroundBrush(const BarManager* manager) const {
    return ManagerBrushes(manager).flatChecked();
}

Brush BarItemControlFlatPainter::checkedHotBackgroundBrush(const BarManager* manager) const {
    return ManagerBrushes(manager).flatCheckedHot();
}

Brush BarItemControlFlatPainter::hotBackgroundBrush(const BarManager* manager) const {
    return ManagerBrushes(manager).flatHot();
}

Brush BarItemControlFlatPainter::stateBrush(const ItemDrawState& state) const {
    FlatItemState s;
    s.hot = state.hot;
    s.pressed = state.pressed;
    s.checked = state.checked;
    s.inSubmenu = inSubmenu(state);
    s.ownBackground = state.ownBackground;
    s.barForHotChecked = state.barForHotChecked;
    return FlatStateBrush(ManagerBrushes(contextManager(state.context)), s, contextBackground(state.context));
}

Brush BarItemControlFlatPainter::submenuBackgroundBrush(const BarManager*) const { return Brush(clWindow); }

void BarItemControlFlatPainter::drawSelectionFrame(Canvas& canvas, const Rect& r) const {
    canvas.frameRect(r, Brush(FlatSelectionFrameColor()));
}

void BarItemControlFlatPainter::drawFrameClippedAgainst(Canvas& canvas, const Rect& r, const Rect& submenu) const {
    // Button and submenu form one outline: where the submenu window covers the button's
    // edge (the submenu's own frame lies there), the button's frame is left out.
    int depth = canvas.saveClip();
    if (!submenu.isEmpty()) {
        Rect joint = r.intersected(submenu.inflated(-1, -1));
        // The submenu touches the button's edge from outside: leave out the shared edge.
        Rect below{submenu.left + 1, r.bottom - 1, submenu.right - 1, r.bottom};
        Rect above{submenu.left + 1, r.top, submenu.right - 1, r.top + 1};
        Rect right{r.right - 1, submenu.top + 1, r.right, submenu.bottom - 1};
        Rect left{r.left, submenu.top + 1, r.left + 1, submenu.bottom - 1};
        if (!joint.isEmpty()) canvas.excludeClip(joint);
        if (submenu.top >= r.bottom - 1) canvas.excludeClip(below);
        else if (submenu.bottom <= r.top + 1) canvas.excludeClip(above);
        else if (submenu.left >= r.right - 1) canvas.excludeClip(right);
        else if (submenu.right <= r.left + 1) canvas.excludeClip(left);
    }
    drawSelectionFrame(canvas, r);
    canvas.restoreClip(depth);
}

void BarItemControlFlatPainter::drawOwnerFrame(Canvas& canvas, const Rect& r, const BarManager* manager) const {
    canvas.frameRect(r, ManagerBrushes(manager).flatFrame());
}

void BarItemControlFlatPainter::drawButtonFrame(Canvas& canvas, const ItemDrawState& state, const Brush& brush,
                                                bool largerThanGlyph) const {
    if (state.checked || (state.hot && !inSubmenu(state))) {
        if (state.checked && state.droppedDown) drawFrameClippedAgainst(canvas, state.rect, state.openSubmenuRect);
        else drawSelectionFrame(canvas, state.rect);
    } else if (largerThanGlyph) {
        frameItemBackground(canvas, state.rect, brush, state.context);
    }
}

void BarItemControlFlatPainter::drawGlyph(Canvas& canvas, const ButtonDrawParams& params, const Rect& glyphRect,
                                          const Brush& background) const {
    drawGlyphWith(canvas, params, glyphRect, background, true);
}

void BarItemControlFlatPainter::drawCheckMark(Canvas& canvas, const Rect& r, bool enabled, const Font& font) const {
    int scale = CheckMarkScale(font);
    DrawCheckMark(canvas, CheckMarkOrigin(r, scale), scale, FlatCheckMarkColor(enabled));
}

void BarItemControlFlatPainter::drawSubmenuItem(Canvas& canvas, const ButtonDrawParams& params) const {
    const Rect& r = params.rect;
    if (r.isEmpty()) return;
    const BarManager* manager = contextManager(params.context);
    const PainterBrushes& brushes = ManagerBrushes(manager);
    FlatSubmenuBrushes b;
    b.band = brushes.flatToolbarBackground();
    // Links hidden as not recently used show on a lighter band.
    if (params.lighterBackground) b.band = Brush(MixColors(brushes.flatColors().toolbarBackground, clWindow, 50));
    b.menuBackground = submenuBackgroundBrush(manager);
    b.hot = brushes.flatHot();
    b.selectionFrame = FlatSelectionFrameColor();
    bool selected = params.hot;
    FlatSubmenuItemLayout layout = DrawFlatSubmenuItemBackground(canvas, r, selected, b);

    // The band: the glyph, or for a checked item without one the check cell.
    const Rect& band = layout.band;
    if (hasGlyph(params)) {
        ButtonDrawParams g = params;
        g.rect = band;
        g.glyphArea = band;
        g.showCaption = false;
        Brush brush = selected ? b.hot : b.band;
        if (params.checked) {
            brush = selected ? brushes.flatCheckedHot() : brushes.flatChecked();
            drawSelectionFrame(canvas, band);
            g.rect = band.inflated(-1, -1);
            g.glyphArea = g.rect;
        }
        Size s = glyphSizeOf(params);
        Point at{(band.left + band.right - s.cx) / 2, (band.top + band.bottom - s.cy) / 2};
        drawGlyph(canvas, g, Rect(at, s), brush);
    } else {
        canvas.fillRect(band, selected ? b.hot : b.band);
        if (params.checked) {
            ItemDrawState cellState = params;
            int size = std::min({checkMarkCellSize(cellState), band.width(), band.height()});
            Rect cell =
                Rect::fromSize((band.left + band.right - size) / 2, (band.top + band.bottom - size) / 2, size, size);
            canvas.fillRect(cell, checkMarkCellBrush(cellState));
            drawSelectionFrame(canvas, cell);
            drawCheckMark(canvas, cell, params.enabled, canvas.font());
        }
    }

    if (params.showCaption && !params.caption.empty()) {
        ButtonDrawParams t = params;
        t.flatTextWanted = !IsWhiteButtonFace();
        t.captionAlignment = DT_LEFT;
        drawCaptionText(canvas, t, layout.caption);
    }
}

void BarItemControlFlatPainter::drawBorderByStyle(Canvas& canvas, Rect& r, BarStaticBorderStyle style) const {
    for (int i = 0; i < borderWidth(style) && !r.isEmpty(); ++i) {
        canvas.frameRect(r, Brush(clBtnShadow));
        r = r.inflated(-1, -1);
    }
}

void BarItemControlFlatPainter::drawEditFrame(Canvas& canvas, const ItemDrawState& state) const {
    const BarManager* manager = contextManager(state.context);
    if (state.hot || state.pressed) drawSelectionFrame(canvas, state.rect);
    else frameItemBackground(canvas, state.rect, Brush(), state.context);
    Rect inner = state.rect.inflated(-1, -1);
    if (state.pressed) canvas.frameRect(inner, checkedHotBackgroundBrush(manager));
    else if (state.hot) canvas.frameRect(inner, hotBackgroundBrush(manager));
    else frameItemBackground(canvas, inner, Brush(), state.context);
}

void BarItemControlFlatPainter::frameItem(Canvas& canvas, Rect& r) const {
    canvas.frameRect(r, Brush(clBtnShadow));
    r = r.inflated(-1, -1);
}

int BarItemControlFlatPainter::checkMarkCellSize(const ItemDrawState& state) const {
    if (inSubmenu(state) && (state.hot || IsWhiteButtonFace())) return 14;
    return 18;
}

Brush BarItemControlFlatPainter::checkMarkCellBrush(const ItemDrawState& state) const {
    if (!inSubmenu(state)) return contextBackground(state.context);
    const BarManager* manager = contextManager(state.context);
    return state.hot || IsWhiteButtonFace() ? checkedHotBackgroundBrush(manager) : hotBackgroundBrush(manager);
}

int BarItemControlFlatPainter::glyphBandWidth(const BarDrawContext& context) const {
    return context.inSubmenu ? context.submenuItemHeight + 3 : 0;
}

int BarItemControlFlatPainter::subItemHeight(int baseHeight, bool inSubmenu) const {
    return baseHeight + (inSubmenu ? 2 : 0);
}

int BarItemControlFlatPainter::subItemWidth(int baseWidth, bool inSubmenu) const {
    return baseWidth + (inSubmenu ? 9 : 0);
}

int BarItemControlFlatPainter::subItemCaptionSpacing(int fontHeight, bool isMainMenu) const {
    return isMainMenu ? 8 : BarItemControlPainter::subItemCaptionSpacing(fontHeight, isMainMenu);
}

void BarItemControlFlatPainter::drawTearOffStrip(Canvas& canvas, const Rect& r, bool hot,
                                                 const BarManager* manager) const {
    const PainterBrushes& brushes = ManagerBrushes(manager);
    // Hot, it looks like a selected item: the selection frame around the hot background.
    canvas.fillRect(r, hot ? brushes.flatHot() : brushes.flatToolbarBackground());
    if (hot) drawSelectionFrame(canvas, r);
    DrawTearOffGrip(canvas, r, hot ? clBtnText : clBtnShadow);
}

int BarItemControlFlatPainter::submenuItemHeight(int textHeight) const { return std::max(textHeight + 1, 20); }

Size BarItemControlFlatPainter::submenuSize(int widestItem, int itemsHeight, int leftStripWidth, bool empty) const {
    return {empty ? 100 : widestItem + leftStripWidth + 4, itemsHeight + 3};
}

int BarItemControlFlatPainter::submenuScrollArrowSize(int height) const {
    int size = (height - 4) / 2;
    return size >= 5 ? size & ~1 : size;
}

void BarItemControlFlatPainter::drawSubmenuFrame(Canvas& canvas, const SubmenuFrameParams& params) const {
    const Rect& r = params.window;
    canvas.frameRect(r, ManagerBrushes(params.manager).flatFrame());
    if (!params.ownerJoint.isEmpty()) canvas.fillRect(params.ownerJoint, params.ownerBrush);
    Rect inner = r.inflated(-1, -1);
    canvas.frameRect(inner, submenuBackgroundBrush(params.manager));
    canvas.fillRect({inner.left, inner.top, inner.left + 1, inner.bottom}, params.leftStripBrush);
}

void BarItemControlFlatPainter::drawSubmenuSeparator(Canvas& canvas, const Rect& r,
                                                     const BarDrawContext& context) const {
    const PainterBrushes& brushes = ManagerBrushes(context.manager);
    // The band as wide as the items' bands: the glyph square and its strip.
    DrawFlatSubmenuSeparator(canvas, r, submenuGlyphBandWidth(context.submenuItemHeight),
                             brushes.flatToolbarBackground(), submenuBackgroundBrush(context.manager),
                             separatorIndent());
}

void BarItemControlFlatPainter::drawSeparator(Canvas& canvas, const Rect& r, bool horizontalLine,
                                              const Brush& barBackground) const {
    DrawToolbarSeparator(canvas, r, horizontalLine, barBackground, separatorMargin(), false);
}

void BarItemControlFlatPainter::drawDockedBarBorder(Canvas& canvas, const BarBorderParams& params) const {
    DrawFlatDockedBarBorder(canvas, params.bar, !params.vertical, params.showGrip, params.barBackground);
}

void BarItemControlFlatPainter::drawFloatingBarBorder(Canvas& canvas, const BarBorderParams& params) const {
    DrawFlatFloatingBarBorder(canvas, params.bar, params.borderWidth, ManagerBrushes(params.manager).flatFrame(),
                              params.barBackground);
}

Color BarItemControlFlatPainter::captionBackgroundColor(bool) const { return clInactiveCaption; }

Color BarItemControlFlatPainter::captionSymbolColor(bool buttonHotOrOpen) const {
    return buttonHotOrOpen ? clBtnText : clCaptionText;
}

void BarItemControlFlatPainter::drawCaptionButtonBackground(Canvas& canvas, const CaptionButtonParams& params) const {
    const Rect& r = params.rect;
    switch (params.state) {
    case CaptionButtonState::None: canvas.fillRect(r, Brush(captionBackgroundColor(params.active))); return;
    case CaptionButtonState::Hot:
        drawSelectionFrame(canvas, r);
        canvas.fillRect(r.inflated(-1, -1), hotBackgroundBrush(params.manager));
        return;
    case CaptionButtonState::Pressed:
        drawSelectionFrame(canvas, r);
        canvas.fillRect(r.inflated(-1, -1), checkedHotBackgroundBrush(params.manager));
        return;
    }
}

void BarItemControlFlatPainter::drawCloseButton(Canvas& canvas, const CaptionButtonParams& params) const {
    drawCaptionButtonBackground(canvas, params);
    const Rect& r = params.rect;
    int n = std::min(r.width() - 6, r.height() - 4);
    if (n <= 0) return;
    int left = r.left + 3, top = r.top + 4;
    Color color = captionSymbolColor(params.state != CaptionButtonState::None);
    drawCross(canvas, {left, top}, n, color);
}

void BarItemControlFlatPainter::drawMarkBackground(Canvas& canvas, const MarkParams& params) const {
    const Rect& r = params.rect;
    switch (params.state) {
    case MarkState::Normal: canvas.fillRect(r, params.barBackground); return;
    case MarkState::Hot:
        drawSelectionFrame(canvas, r);
        canvas.fillRect(r.inflated(-1, -1), hotBackgroundBrush(params.manager));
        return;
    case MarkState::Open:
        drawFrameClippedAgainst(canvas, r, params.openPopupRect);
        canvas.fillRect(r.inflated(-1, -1), ManagerBrushes(params.manager).flatToolbarBackground());
        return;
    }
}

void BarItemControlFlatPainter::drawMarkContents(Canvas& canvas, const MarkParams& params) const {
    drawEnhancedMarkContents(*this, canvas, params);
}

Color BarItemControlFlatPainter::markTriangleColor(bool hot) const {
    return hot && IsWhiteButtonFace() ? clBtnFace : clBtnText;
}

Brush BarItemControlFlatPainter::quickCustomizationBackgroundBrush(const BarManager*, bool) const {
    return Brush(clWindow);
}

void BarItemControlFlatPainter::drawQuickCustomizationCheckArea(Canvas& canvas, const Rect& r,
                                                                const BarManager* manager) const {
    canvas.frameRect(r, ManagerBrushes(manager).flatToolbarBackground());
}

void BarItemControlFlatPainter::drawQuickCustomizationItem(Canvas& canvas, const Rect& r, bool selected,
                                                           const BarManager* manager) const {
    if (!selected) {
        canvas.fillRect(r, quickCustomizationBackgroundBrush(manager, false));
        return;
    }
    drawSelectionFrame(canvas, r);
    canvas.fillRect(r.inflated(-1, -1), hotBackgroundBrush(manager));
}

// ---------------------------------------------------------------------------------------------
// Painter choice

const BarItemControlPainter& PainterFor(BarPainterKind kind) {
    static const BarItemControlStandardPainter standard;
    static const BarItemControlEnhancedPainter enhanced;
    static const BarItemControlFlatPainter flat;
    switch (kind) {
    case BarPainterKind::Flat: return flat;
    case BarPainterKind::Enhanced: return enhanced;
    // No visual themes on this platform yet: the enhanced look stands in.
    case BarPainterKind::XP: return enhanced;
    // Until the Office11 look has its own painter, its flat base draws it.
    case BarPainterKind::Office11: return flat;
    case BarPainterKind::Standard: break;
    }
    return standard;
}

}  // namespace lindora
