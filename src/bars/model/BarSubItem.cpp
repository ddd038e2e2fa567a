#include "bars/model/BarSubItem.h"

#include "bars/model/Bar.h"
#include "bars/model/BarManager.h"
#include "bars/model/ItemProperties.h"

namespace lindora {

const ClassInfo& CustomBarSubItem::classInfo() {
    static const ClassInfo info = [] {
        ClassBuilder<CustomBarSubItem> b("CustomBarSubItem", BarItem::classInfo());
        b.property("BarSize", &CustomBarSubItem::barSize, &CustomBarSubItem::setBarSize)
            .defaultValue(0)
            .property("Detachable", &CustomBarSubItem::detachable, &CustomBarSubItem::setDetachable)
            .defaultValue(false)
            .property("DetachingBar", &CustomBarSubItem::detachingBar, &CustomBarSubItem::setDetachingBar)
            .defaultValue(-1)
            .property("ShowCaption", &CustomBarSubItem::showCaption, &CustomBarSubItem::setShowCaption)
            .defaultValue(true);
        publishGlyph(b);
        publishImageIndex(b);
        publishOnClick(b);
        b.event("OnDetaching", &CustomBarSubItem::OnDetaching).event("OnPaintBar", &CustomBarSubItem::OnPaintBar);
        b.abstract();
        return b.build();
    }();
    return info;
}

CustomBarSubItem::CustomBarSubItem(Component* owner)
    : BarItem(owner), itemLinks_(std::make_unique<BarItemLinks>(this, barManager())) {
    itemLinks_->setPropName("ItemLinks");
}

CustomBarSubItem::~CustomBarSubItem() {
    // A menu open on the links closes first: the controls that opened it go.
    for (BarItemLink* link : links()) link->destroyControl();
    // The links go before the item stops being a sub item.
    itemLinks_.reset();
}

void CustomBarSubItem::setDetachingBar(int value) {
    if (!isLoading() && (value < -1 || !barManager() || value >= barManager()->bars().count())) value = -1;
    detachingBar_ = value;
}

void CustomBarSubItem::barManagerChanged() { itemLinks_->setBarManager(barManager()); }

void CustomBarSubItem::barRemoved(Bar& bar) {
    if (detachingBar_ >= 0 && detachingBar_ == bar.index()) detachingBar_ = -1;
}

void CustomBarSubItem::loaded() { BarItem::loaded(); }

void CustomBarSubItem::popup() {
    doPopup();
    doClick();
}

const ClassInfo& BarSubItem::classInfo() {
    static const ClassInfo info =
        ClassBuilder<BarSubItem>("BarSubItem", CustomBarSubItem::classInfo())
            .property(
                "ItemLinks", [](const BarSubItem& s) -> const BarItemLinks& { return s.itemLinks(); },
                [](BarSubItem& s, const BarItemLinks& l) { s.setItemLinks(l); })
            .property("AllowCustomizing", &BarSubItem::allowCustomizing, &BarSubItem::setAllowCustomizing)
            .defaultValue(true)
            .event("OnCloseUp", &BarSubItem::OnCloseUp)
            .event("OnPopup", &BarSubItem::OnPopup);
    return info;
}

BarSubItem::BarSubItem(Component* owner) : CustomBarSubItem(owner) {}

}  // namespace lindora
