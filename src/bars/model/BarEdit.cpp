#include "bars/model/BarEdit.h"

#include "bars/model/BarItemLinks.h"
#include "bars/model/BarWindows.h"
#include "bars/model/ItemProperties.h"

namespace lindora {

const ClassInfo& BarWindowItem::classInfo() {
    static const ClassInfo info = ClassBuilder<BarWindowItem>("BarWindowItem", BarItem::classInfo())
                                      .property("Text", &BarWindowItem::text, &BarWindowItem::setText)
                                      .stored([](const BarWindowItem& i) { return !i.text().empty(); })
                                      .event("OnChange", &BarWindowItem::OnChange)
                                      .event("OnCurChange", &BarWindowItem::OnCurChange)
                                      .event("OnEnter", &BarWindowItem::OnEnter)
                                      .event("OnExit", &BarWindowItem::OnExit)
                                      .event("OnKeyDown", &BarWindowItem::OnKeyDown)
                                      .event("OnKeyPress", &BarWindowItem::OnKeyPress)
                                      .event("OnKeyUp", &BarWindowItem::OnKeyUp)
                                      .abstract();
    return info;
}

BarWindowItem::BarWindowItem(Component* owner) : BarItem(owner) {}

void BarWindowItem::setText(const std::string& value) {
    if (value == text_) return;
    text_ = value;
    if (!isLoading()) {
        forEachControl([](BarItemControl& c) { c.repaint(); });
        OnChange(this);
    }
}

const ClassInfo& BarEdit::classInfo() {
    static const ClassInfo info = [] {
        ClassBuilder<BarEdit> b("BarEdit", BarWindowItem::classInfo());
        b.property("MaxLength", &BarEdit::maxLength, &BarEdit::setMaxLength)
            .defaultValue(0)
            .property("ReadOnly", &BarEdit::readOnly, &BarEdit::setReadOnly)
            .defaultValue(false)
            .property("ShowCaption", &BarEdit::showCaption, &BarEdit::setShowCaption)
            .defaultValue(false)
            .property("Width", &BarEdit::width, &BarEdit::setWidth)
            .defaultValue(100);
        publishGlyph(b);
        publishImageIndex(b);
        publishOnClick(b);
        return b.build();
    }();
    return info;
}

BarEdit::BarEdit(Component* owner) : BarWindowItem(owner) {}

void BarEdit::setShowCaption(bool value) {
    if (value == showCaption_) return;
    showCaption_ = value;
    if (!isLoading()) notifyControls();
}

void BarEdit::setWidth(int value) {
    if (value < 20) value = 20;
    if (value == width_) return;
    width_ = value;
    if (!isLoading()) forEachControl([](BarItemControl& c) { c.widthChanged(); }, udWidth);
}

bool BarEdit::canAccelerate(const BarItemLink& link) const {
    if (!getEnabled()) return false;
    ItemLinksWindow* w = link.barControl();
    return !(w && w->isToolbar()) || showCaption_;
}

}  // namespace lindora
