#include "bars/controls/BarButtonControl.h"

#include <algorithm>

#include "bars/controls/CustomBarControl.h"
#include "bars/model/BarButton.h"
#include "bars/model/BarItemLinks.h"
#include "bars/model/BarManager.h"
#include "bars/painters/BarItemControlPainter.h"
#include "ui/Messages.h"

namespace lindora {

std::string ShortCutToText(int shortCut) {
    const int key = shortCut & 0xFF;
    if (key == 0) return {};
    std::string name;
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) name = std::string(1, static_cast<char>(key));
    else if (key >= VK_F1 && key < VK_F1 + 24) name = "F" + std::to_string(key - VK_F1 + 1);
    else {
        switch (key) {
        case VK_BACK: name = "BkSp"; break;
        case VK_TAB: name = "Tab"; break;
        case VK_RETURN: name = "Enter"; break;
        case VK_ESCAPE: name = "Esc"; break;
        case VK_SPACE: name = "Space"; break;
        case VK_PRIOR: name = "PgUp"; break;
        case VK_NEXT: name = "PgDn"; break;
        case VK_END: name = "End"; break;
        case VK_HOME: name = "Home"; break;
        case VK_LEFT: name = "Left"; break;
        case VK_UP: name = "Up"; break;
        case VK_RIGHT: name = "Right"; break;
        case VK_DOWN: name = "Down"; break;
        case VK_INSERT: name = "Ins"; break;
        case VK_DELETE: name = "Del"; break;
        default: return {};
        }
    }
    std::string text;
    if (shortCut & 0x2000) text += "Shift+";
    if (shortCut & 0x4000) text += "Ctrl+";
    if (shortCut & 0x8000) text += "Alt+";
    return text + name;
}

BarButtonControl::BarButtonControl(BarItemLink& link) : ItemControl(link) {}
BarButtonControl::~BarButtonControl() = default;

BarButton* BarButtonControl::buttonItem() const { return dynamic_cast<BarButton*>(item()); }
BarButtonStyle BarButtonControl::buttonStyle() const {
    const BarButton* b = buttonItem();
    return b ? b->buttonStyle() : bsDefault;
}
bool BarButtonControl::itemDown() const {
    const BarButton* b = buttonItem();
    return b && b->down();
}

BarPaintStyle BarButtonControl::effectivePaintStyle() const {
    BarPaintStyle style = link().paintStyle();
    if (style == psStandard && !inSubMenu() && !hasUsableGlyph()) style = psCaption;
    return style;
}

bool BarButtonControl::hasDropDownPart() const { return buttonStyle() == bsDropDown; }

// ---- sizes

int BarButtonControl::toolbarLength() const {
    CustomBarControl* p = parent();
    const BarManager* m = barManager();
    const int buttonWidth = m ? m->buttonWidth() : 0;
    int length = buttonWidth;
    switch (effectivePaintStyle()) {
    case psStandard:
    case psCaptionInMenu: break;
    case psCaption: length = p->captionWidth(caption()) + p->itemFont().size(); break;
    case psCaptionGlyph: length = p->captionWidth(caption()) + buttonWidth + 4; break;
    }
    if (hasDropDownPart() && m) length += m->arrowWidth();
    return length;
}

int BarButtonControl::toolbarThickness(bool rotated) const {
    const BarManager* m = barManager();
    const int buttonSize = m ? (rotated ? m->buttonWidth() : m->buttonHeight()) : 0;
    const BarPaintStyle style = effectivePaintStyle();
    if (style == psCaption || style == psCaptionGlyph) return std::max(parent()->textItemHeight(), buttonSize);
    return buttonSize;
}

int BarButtonControl::menuWidth() const {
    CustomBarControl* p = parent();
    const int tih = p->textItemHeight();
    int w = p->captionWidth(caption()) + 2 * tih + 6;
    if (const std::string sc = ShortCutToText(shortCut()); !sc.empty()) w += p->textWidth(sc) + tih - 6;
    return w;
}

namespace {
bool captioned(BarPaintStyle style) { return style == psCaption || style == psCaptionGlyph; }
}  // namespace

int BarButtonControl::width() const {
    CustomBarControl* p = parent();
    if (!p || !item()) return 0;
    if (p->isSubMenu()) return menuWidth();
    const int lowered = buttonItem() && buttonItem()->lowered() ? 2 * painter().buttonExtraSize() : 0;
    if (p->isRotated() && captioned(effectivePaintStyle())) return toolbarThickness(true) + lowered;
    if (p->isRotated()) return barManager()->buttonWidth() + lowered;
    return toolbarLength() + lowered;
}

int BarButtonControl::height() const {
    CustomBarControl* p = parent();
    if (!p || !item()) return 0;
    if (p->isSubMenu()) return p->menuItemHeight();
    const int lowered = buttonItem() && buttonItem()->lowered() ? 2 * painter().buttonExtraSize() : 0;
    if (p->isRotated() && captioned(effectivePaintStyle())) return toolbarLength() + lowered;
    if (p->isRotated()) {
        const BarManager* m = barManager();
        return m->buttonHeight() + (hasDropDownPart() ? m->arrowWidth() : 0) + lowered;
    }
    return toolbarThickness(false) + lowered;
}

Rect BarButtonControl::dropDownPartRect() const {
    if (!hasDropDownPart()) return {};
    const Rect r = itemRect();
    const BarManager* m = barManager();
    const int arrow = m ? m->arrowWidth() : 0;
    if (inSubMenu()) return {r.right - r.height(), r.top, r.right, r.bottom};
    if (onRotatedBar()) return {r.left, r.bottom - arrow, r.right, r.bottom};
    return {r.right - arrow, r.top, r.right, r.bottom};
}

// ---- states

ButtonDrawState BarButtonControl::drawState() const {
    ButtonDrawState s;
    CustomBarControl* p = parent();
    const bool checked = buttonStyle() == bsChecked;
    const bool heldDown = p && p->active() && p->pressedControl() == this && p->mouseInPressedControl();
    s.pressed = (enabled() && heldDown && !pressOnArrow_ && !droppedDown_) || (clickPressed() && !checked);
    s.down = itemDown() || droppedDown_;
    s.selected = isSelected();
    s.disabled = !enabled();
    s.droppedDown = droppedDown_;
    return s;
}

bool BarButtonControl::isSelected() const {
    const BarManager* m = barManager();
    if (m && m->isCustomizing()) return false;
    return ItemControl::isSelected() || clickPressed();
}

bool BarButtonControl::closesMenus() const {
    const BarButton* b = buttonItem();
    return onToolbar() || !b || b->closeSubMenuOnClick();
}

void BarButtonControl::invalidated() {
    // A psStandard button shows its glyph or, without one, its caption: the size may change.
    if (link().paintStyle() == psStandard) rebuild();
    else repaint();
}

bool BarButtonControl::wantsKey(int key) const {
    if (!hasDropDownPart()) return false;
    if (inSubMenu()) return key == VK_RIGHT;
    return key == VK_UP || key == VK_DOWN;
}

bool BarButtonControl::keyDown(int key) {
    if (!wantsKey(key)) return false;
    dropDown();
    return true;
}

// ---- activation and clicks

void BarButtonControl::setPressPoint(Point client) {
    pressOnArrow_ = hasDropDownPart() && dropDownPartRect().contains(client);
}

void BarButtonControl::controlInactivate(bool immediate) {
    if (droppedDown_) closeUp();
    ItemControl::controlInactivate(immediate);
}

void BarButtonControl::controlPress(bool byMouse) {
    if (hasDropDownPart() && byMouse && pressOnArrow_) {
        dropDown();
        return;
    }
    if (onToolbar() || hasDropDownPart()) repaint();
}

void BarButtonControl::controlUnclick(bool byMouse) {
    pressOnArrow_ = false;
    if (droppedDown_) return;
    // The handler sees the new Down.
    if (buttonStyle() == bsChecked) buttonItem()->setDown(!itemDown());
    controlInactivate(true);
    ItemControl::controlUnclick(byMouse);
}

Point BarButtonControl::dropDownPoint() const {
    CustomBarControl* p = parent();
    const Rect r = itemRect();
    Point at{r.left, r.bottom};
    if (inSubMenu()) at = {r.right, r.top - p->subMenuTopOffset()};
    else if (onVerticalBar()) at = {r.right, r.top};
    return p ? p->clientToScreen(at) : at;
}

void BarButtonControl::dropDown() {
    BarButton* b = buttonItem();
    if (!b || droppedDown_ || !enabled() || !b->dropDownEnabled() || !b->dropDownMenu()) return;
    droppedDown_ = true;
    controlActivate(true);
    repaint();
    // The popup menus of the model show the menu at dropDownPoint().
    b->dropDown();
}

void BarButtonControl::closeUp() {
    if (!droppedDown_) return;
    droppedDown_ = false;
    if (CustomBarControl* p = parent(); p && p->pressedControl() == this) p->setPressedControl(nullptr, false);
    repaint();
}

// ---- drawing

void BarButtonControl::draw(Canvas& canvas, const Rect& r, ItemDrawKind kind) {
    CustomBarControl* p = parent();
    if (!p || !item() || r.isEmpty()) return;
    BarDrawContext context = drawContext();
    // Only a bar that turns its texts draws them along a vertical bar.
    context.vertical = kind == ItemDrawKind::RotatedToolbar;
    const ButtonDrawState state = drawState();
    const BarItemControlPainter& painter = this->painter();
    canvas.setFont(p->itemFont());

    ButtonDrawParams params;
    params.context = &context;
    params.hot = state.selected;
    params.pressed = state.pressed;
    params.checked = state.down;
    params.enabled = !state.disabled;
    params.droppedDown = state.droppedDown;
    params.caption = caption();
    params.images = images();
    params.imageIndex = imageIndex();
    params.glyph = glyph().isEmpty() ? nullptr : &glyph();
    params.showGlyph = canDrawGlyph() || !params.enabled;

    if (kind == ItemDrawKind::Menu) {
        params.rect = r;
        params.showCaption = true;
        params.lighterBackground = kind == ItemDrawKind::Menu && rarelyUsed();
        params.flatTextWanted = true;
        painter.drawSubmenuItem(canvas, params);
        if (const std::string sc = ShortCutToText(shortCut()); !sc.empty()) {
            ButtonDrawParams text = params;
            text.caption = sc;
            text.captionAlignment = DT_RIGHT;
            const Rect textRect{r.left, r.top, r.right - 5, r.bottom};
            painter.drawCaptionText(canvas, text, textRect);
        }
        return;
    }

    Rect face = r;
    const Rect arrow =
        hasDropDownPart() ? dropDownPartRect().translated(r.left - itemRect().left, r.top - itemRect().top) : Rect();
    if (!arrow.isEmpty()) {
        if (kind == ItemDrawKind::RotatedToolbar) face.bottom = arrow.top;
        else face.right = arrow.left;
    }
    params.rect = face;
    const BarPaintStyle style = effectivePaintStyle();
    params.showCaption = captioned(style);
    params.showGlyph = params.showGlyph && style != psCaption;
    const BarManager* m = barManager();
    const int buttonExtent = m ? (kind == ItemDrawKind::RotatedToolbar ? m->buttonHeight() : m->buttonWidth()) : 0;
    if (style == psCaption) {
        // The caption starts half the font's point size in.
        const int indent = p->itemFont().size() / 2;
        params.captionRect = kind == ItemDrawKind::RotatedToolbar
                                 ? Rect{face.left, face.top + indent, face.right, face.bottom}
                                 : Rect{face.left + indent, face.top, face.right, face.bottom};
    } else if (style == psCaptionGlyph) {
        params.glyphArea = kind == ItemDrawKind::RotatedToolbar
                               ? Rect{face.left, face.top, face.right, face.top + buttonExtent}
                               : Rect{face.left, face.top, face.left + buttonExtent, face.bottom};
        params.captionRect = kind == ItemDrawKind::RotatedToolbar
                                 ? Rect{face.left, params.glyphArea.bottom, face.right, face.bottom}
                                 : Rect{params.glyphArea.right, face.top, face.right, face.bottom};
    }
    painter.drawButton(canvas, params);
    if (!arrow.isEmpty()) {
        DropDownPartParams part;
        static_cast<ItemDrawState&>(part) = static_cast<const ItemDrawState&>(params);
        part.rect = arrow;
        part.buttonHot = params.hot;
        part.pressed = state.droppedDown;
        painter.drawDropDownPart(canvas, part);
    }
}

}  // namespace lindora
