#include "bars/controls/BarStaticControl.h"

#include <algorithm>

#include "bars/controls/CustomBarControl.h"
#include "bars/items/BarStatic.h"
#include "bars/model/BarManager.h"
#include "bars/painters/BarItemControlPainter.h"
#include "bars/painters/PainterColors.h"

namespace lindora {

BarStaticControl::BarStaticControl(BarItemLink& link) : ItemControl(link) {}
BarStaticControl::~BarStaticControl() = default;

BarStatic& BarStaticControl::staticItem() const { return static_cast<BarStatic&>(*item()); }

bool BarStaticControl::isSelectable() const { return staticItem().allowClick() && ItemControl::isSelectable(); }
bool BarStaticControl::canClick() const { return staticItem().allowClick(); }

Alignment BarStaticControl::captionAlignment() const { return staticItem().alignment(); }

bool BarStaticControl::vertical() const { return onVerticalBar() && !inSubMenu(); }

bool BarStaticControl::showsGlyph() const { return hasUsableGlyph(); }

int BarStaticControl::borderWidth() const { return lindora::borderWidth(staticItem().borderStyle()); }

int BarStaticControl::glyphExtentAlong() const {
    const BarManager* m = barManager();
    if (!m) return 0;
    return vertical() ? m->buttonHeight() : m->buttonWidth();
}

int BarStaticControl::glyphExtentAcross() const {
    const BarManager* m = barManager();
    if (!m) return 0;
    return vertical() ? m->buttonWidth() : m->buttonHeight();
}

// ---- sizes

int BarStaticControl::naturalLength() const {
    CustomBarControl* p = parent();
    if (!p) return 0;
    const BarStatic& s = staticItem();
    int length = 0;
    if (s.showCaption()) length = p->captionWidth(caption());
    if (showsGlyph() || (!s.showCaption() && reservesGlyphArea())) {
        length += glyphExtentAlong();
        if (s.showCaption()) length += 4;
    } else if (s.showCaption()) {
        length += p->textItemHeight() / 2;
    }
    return length + s.leftIndent() + s.rightIndent() + 2 * borderWidth();
}

int BarStaticControl::length() const {
    const int fixed = staticItem().width();
    return fixed != 0 ? fixed : naturalLength();
}

int BarStaticControl::thickness() const {
    CustomBarControl* p = parent();
    if (!p) return 0;
    const BarStatic& s = staticItem();
    if (s.height() != 0) return s.height();
    int t;
    if (p->isSubMenu()) {
        t = p->menuItemHeight();
    } else {
        const int textThickness = p->textItemHeight() - 3;
        t = (showsGlyph() || (!s.showCaption() && reservesGlyphArea())) ? glyphExtentAcross() : 0;
        if (t == 0) t = textThickness;
        else if (s.showCaption()) t = std::max(t, textThickness);
    }
    return t + 2 * borderWidth();
}

int BarStaticControl::width() const {
    if (!parent() || !item()) return 0;
    return vertical() ? thickness() : length();
}

int BarStaticControl::height() const {
    if (!parent() || !item()) return 0;
    return vertical() ? length() : thickness();
}

// ---- drawing

void BarStaticControl::draw(Canvas& canvas, const Rect& r, ItemDrawKind) {
    if (!parent() || !item() || r.width() <= 0) return;
    const BarDrawContext context = drawContext();
    canvas.setFont(parent()->itemFont());
    drawStaticPart(canvas, r, context);
}

void BarStaticControl::drawStaticPart(Canvas& canvas, Rect r, const BarDrawContext& context) {
    const BarItemControlPainter& painter = this->painter();
    const BarStatic& s = staticItem();
    const bool vert = vertical();
    // The indents show the bar's background.
    if (const int left = s.leftIndent(); left > 0) {
        Rect strip = r;
        if (vert) strip.bottom = r.top = std::min(r.bottom, r.top + left);
        else strip.right = r.left = std::min(r.right, r.left + left);
        painter.fillItemBackground(canvas, strip, Brush(), &context);
    }
    if (const int right = s.rightIndent(); right > 0) {
        Rect strip = r;
        if (vert) strip.top = r.bottom = std::max(r.top, r.bottom - right);
        else strip.left = r.right = std::max(r.left, r.right - right);
        painter.fillItemBackground(canvas, strip, Brush(), &context);
    }
    painter.drawBorderByStyle(canvas, r, s.borderStyle());
    drawContents(canvas, r, context);
}

void BarStaticControl::drawContents(Canvas& canvas, const Rect& r, const BarDrawContext& context) {
    if (r.isEmpty()) return;
    CustomBarControl* p = parent();
    const BarItemControlPainter& painter = this->painter();
    const BarStatic& s = staticItem();
    const bool vert = vertical();
    const bool submenu = inSubMenu();
    Rect text = r;
    int margin;
    ButtonDrawParams params;
    params.context = &context;
    params.enabled = enabled();
    params.caption = caption();
    if (showsGlyph()) {
        Rect glyphArea = r;
        if (submenu) {
            if (s.showCaption() || !centresCaption()) glyphArea.right = std::min(r.right, r.left + r.height());
        } else if (s.showCaption()) {
            if (vert) glyphArea.bottom = std::min(r.bottom, r.top + glyphExtentAlong());
            else glyphArea.right = std::min(r.right, r.left + glyphExtentAlong());
        }
        if (vert && !submenu) text.top = glyphArea.bottom;
        else text.left = glyphArea.right;
        params.rect = glyphArea;
        params.glyphArea = glyphArea;
        params.showCaption = false;
        params.images = images();
        params.imageIndex = imageIndex();
        params.glyph = glyph().isEmpty() ? nullptr : &glyph();
        painter.drawGlyphAndCaption(canvas, params);
        // The caption's part has no other painting under it.
        painter.fillItemBackground(canvas, text, Brush(), &context);
        margin = 2;
    } else {
        painter.fillItemBackground(canvas, r, Brush(), &context);
        margin = p->textItemHeight() / 4;
    }
    if (!s.showCaption()) return;
    Alignment alignment = captionAlignment();
    if (alignment == taCenter && !centresCaption()) alignment = taLeftJustify;
    if (alignment == taLeftJustify) {
        if (vert) text.top += margin;
        else text.left += margin;
    } else if (alignment == taRightJustify) {
        if (vert) text.bottom -= margin;
        else text.right -= margin;
    }
    params.rect = text;
    params.showCaption = true;
    params.captionAlignment = alignment == taCenter ? DT_CENTER : alignment == taRightJustify ? DT_RIGHT : DT_LEFT;
    painter.drawCaptionText(canvas, params, text);
}

// ---- the progress control

BarProgressControl::BarProgressControl(BarItemLink& link) : BarStaticControl(link) {}
BarProgressControl::~BarProgressControl() = default;

BarProgressItem& BarProgressControl::progressItem() const { return static_cast<BarProgressItem&>(*item()); }

int BarProgressControl::progressLength() const {
    const BarProgressItem& p = progressItem();
    int l = length();
    if (p.width() == 0) l += AutoBarLength + 2 + (p.showCaption() ? 0 : 2);
    return l + painter().progressStartOffset(inSubMenu());
}

int BarProgressControl::progressThickness() const {
    return std::max(thickness(), painter().progressHeight() + 2 * borderWidth() + 2);
}

int BarProgressControl::width() const {
    if (!parent() || !item()) return 0;
    return vertical() ? progressThickness() : progressLength();
}

int BarProgressControl::height() const {
    if (!parent() || !item()) return 0;
    return vertical() ? progressLength() : progressThickness();
}

Rect BarProgressControl::progressBarRect(const Rect& item) const {
    const BarProgressItem& p = progressItem();
    const bool vert = vertical();
    const int start = painter().progressStartOffset(inSubMenu());
    const int border = borderWidth();
    int length;
    if (p.width() == 0 && effectiveAlign() != iaClient) {
        length = AutoBarLength;
    } else {
        int available = p.width();
        if (inSubMenu()) available = item.width();
        else if (effectiveAlign() == iaClient) available = vert ? item.height() : item.width();
        length = std::max(0, available - naturalLength() - (p.showCaption() ? 2 : 4));
    }
    length = std::max(0, length - start);
    const int across = vert ? item.width() : item.height();
    int thickness = MulDivRound(across - 2 * border, 2, 3);
    // Centred exactly: the space left is even.
    if ((across - thickness) % 2 != 0) ++thickness;
    const int fromEnd = border + length + p.rightIndent() + 2;
    if (length <= 0 || thickness <= 0) return {};
    if (vert) return Rect::fromSize((item.left + item.right - thickness) / 2, item.bottom - fromEnd, thickness, length);
    return Rect::fromSize(item.right - fromEnd, (item.top + item.bottom - thickness) / 2, length, thickness);
}

void BarProgressControl::invalidateProgressBar() {
    CustomBarControl* p = parent();
    if (!p || p->isDestroying()) return;
    const Rect bar = progressBarRect(itemRect());
    if (!bar.isEmpty()) p->invalidateRect(bar);
}

void BarProgressControl::draw(Canvas& canvas, const Rect& r, ItemDrawKind) {
    if (!parent() || !item() || r.width() <= 0) return;
    const BarDrawContext context = drawContext();
    const BarItemControlPainter& painter = this->painter();
    canvas.setFont(parent()->itemFont());
    const Rect bar = progressBarRect(r);
    const int depth = canvas.saveClip();
    if (!bar.isEmpty()) canvas.excludeClip(bar);
    Rect rest = r;
    if (const int start = painter.progressStartOffset(inSubMenu()); start > 0) {
        Rect strip = r;
        if (vertical()) strip.bottom = rest.top = std::min(r.bottom, r.top + start);
        else strip.right = rest.left = std::min(r.right, r.left + start);
        painter.fillItemBackground(canvas, strip, Brush(), &context);
    }
    drawStaticPart(canvas, rest, context);
    canvas.restoreClip(depth);
    if (bar.isEmpty()) return;
    const BarProgressItem& item = progressItem();
    ProgressDrawParams params;
    params.rect = bar;
    params.min = item.min();
    params.max = item.max();
    params.position = item.position();
    params.smooth = item.smooth();
    params.vertical = vertical();
    params.color = item.color() != clDefault ? item.color() : painter.progressColor();
    params.background = context.barBackground;
    painter.drawProgressBar(canvas, params);
}

}  // namespace lindora
