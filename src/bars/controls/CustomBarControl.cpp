#include "bars/controls/CustomBarControl.h"

#include <algorithm>

#include "bars/controls/BarHint.h"
#include "bars/controls/ItemControl.h"
#include "bars/model/BarItemLinks.h"
#include "bars/model/BarManager.h"
#include "bars/painters/BarItemControlPainter.h"
#include "gfx/TextFormat.h"

namespace lindora {

CustomBarControl::CustomBarControl(BarManager& manager, BarItemLinks& links) : manager_(&manager), links_(&links) {}

CustomBarControl::~CustomBarControl() {
    destroying_ = true;
    detachLinks();
}

void CustomBarControl::attachLinks() { links_->setBarControl(this); }

void CustomBarControl::detachLinks() {
    if (links_->barControl() == this) links_->setBarControl(nullptr);
    selected_ = nullptr;
    pressed_ = nullptr;
}

const BarItemControlPainter& CustomBarControl::painter() const {
    // The manager's painter is one of this layer's; a manager without an integration (or with
    // a foreign one) draws with the painter of its style.
    if (auto* p = dynamic_cast<const BarItemControlPainter*>(manager_->painter())) return *p;
    return PainterFor(manager_->getPainterClass());
}

Font CustomBarControl::itemFont() const {
    Font f = manager_->derivedFont();
    if (isRotated()) f.setEscapement(-900);
    return f;
}

namespace {
Canvas& measuringCanvas(std::unique_ptr<Canvas>& canvas, const Font& font) {
    if (!canvas) canvas = std::make_unique<Canvas>(1, 1);
    Font upright = font;
    upright.setEscapement(0);
    canvas->setFont(upright);
    return *canvas;
}
}  // namespace

int CustomBarControl::textItemHeight() const { return measuringCanvas(measure_, itemFont()).textHeight("0") + 6; }

int CustomBarControl::arrowSize() const { return std::max(4, textItemHeight() / 5); }

int CustomBarControl::textWidth(const std::string& text) const {
    return measuringCanvas(measure_, itemFont()).textWidth(text);
}

int CustomBarControl::captionWidth(const std::string& caption) const { return textWidth(stripAccelerators(caption)); }

int CustomBarControl::menuItemHeight() const {
    return painter().submenuItemHeight(measuringCanvas(measure_, itemFont()).textHeight("0"));
}

Brush CustomBarControl::backgroundBrush() const {
    if (isSubMenu()) return painter().submenuBackgroundBrush(manager_);
    return painter().barBackgroundBrushFor(manager_, isMainMenu());
}

void CustomBarControl::repaintItem(ItemControl& control) { invalidateRect(control.itemRect()); }

void CustomBarControl::setSelectedControl(ItemControl* control) {
    if (control == selected_) return;
    ItemControl* old = selected_;
    selected_ = control;
    if (old) old->repaint();
    if (control) control->repaint();
    if (control) manager_->setHotLink(&control->link());
    else if (old) manager_->forgetHotLink(&old->link());
    BarHintController::selectionChanged(*this);
}

void CustomBarControl::setActive(bool value) {
    BarHintController::menuModeChanging(*this);
    active_ = value;
}

void CustomBarControl::setPressedControl(ItemControl* control, bool mouseInside) {
    pressed_ = control;
    pressedMouseInside_ = control && mouseInside;
}

void CustomBarControl::forgetControl(BarItemControl& control) {
    if (selected_ == &control) selected_ = nullptr;
    if (pressed_ == &control) {
        pressed_ = nullptr;
        pressedMouseInside_ = false;
    }
}

}  // namespace lindora
