#include "bars/items/BarStatic.h"

#include <string>

#include "bars/model/ItemProperties.h"

namespace lindora {

const ClassInfo& BarStatic::classInfo() {
    static const ClassInfo info = [] {
        ClassBuilder<BarStatic> b("BarStatic", BarItem::classInfo());
        b.property("Alignment", &BarStatic::alignment, &BarStatic::setAlignment)
            .defaultValue(taCenter)
            .property("AllowClick", &BarStatic::allowClick, &BarStatic::setAllowClick)
            .defaultValue(false)
            .property("BorderStyle", &BarStatic::borderStyle, &BarStatic::setBorderStyle)
            .defaultValue(sbsNone);
        publishGlyph(b);
        b.property("Height", &BarStatic::height, &BarStatic::setHeight).defaultValue(0);
        publishImageIndex(b);
        b.property("LeftIndent", &BarStatic::leftIndent, &BarStatic::setLeftIndent)
            .defaultValue(0)
            .property("RightIndent", &BarStatic::rightIndent, &BarStatic::setRightIndent)
            .defaultValue(0)
            .property("ShowCaption", &BarStatic::showCaption, &BarStatic::setShowCaption)
            .defaultValue(true)
            .property("Width", &BarStatic::width, &BarStatic::setWidth)
            .defaultValue(0);
        publishOnClick(b);
        return b.build();
    }();
    return info;
}

BarStatic::BarStatic(Component* owner) : BarItem(owner) {}
BarStatic::~BarStatic() = default;

void BarStatic::setAlignment(Alignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    if (!isLoading()) refreshControls();
}

void BarStatic::setBorderStyle(BarStaticBorderStyle value) {
    if (value == borderStyle_) return;
    borderStyle_ = value;
    if (isLoading()) return;
    // With both sizes fixed the border cannot change the item's size: a repaint is enough.
    if (width_ != 0 && height_ != 0) refreshControls();
    else repaintOwners();
}

void BarStatic::setShowCaption(bool value) {
    if (value == showCaption_) return;
    showCaption_ = value;
    if (!isLoading()) repaintOwners();
}

int& BarStatic::sizeField(StaticSize which) {
    switch (which) {
    case StaticSize::LeftIndent: return leftIndent_;
    case StaticSize::RightIndent: return rightIndent_;
    case StaticSize::Width: return width_;
    case StaticSize::Height: return height_;
    }
    throw EBarError("Unknown size index " + std::to_string(static_cast<int>(which)));
}

int BarStatic::size(StaticSize which) const { return const_cast<BarStatic*>(this)->sizeField(which); }

void BarStatic::setSize(StaticSize which, int value) {
    if (value < 0) value = 0;
    int& field = sizeField(which);
    if (value == field) return;
    field = value;
    if (!isLoading()) repaintOwners();
}

}  // namespace lindora
