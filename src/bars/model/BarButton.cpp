#include "bars/model/BarButton.h"

#include "bars/model/BarAction.h"
#include "bars/model/BarItemLinks.h"
#include "bars/model/BarManager.h"
#include "bars/model/BarWindows.h"
#include "bars/model/ItemProperties.h"

namespace lindora {

const ClassInfo& BarButton::classInfo() {
    static const ClassInfo info = [] {
        ClassBuilder<BarButton> b("BarButton", BarItem::classInfo());
        b.property("AllowAllUp", &BarButton::allowAllUp, &BarButton::setAllowAllUp)
            .defaultValue(false)
            .property("ButtonStyle", &BarButton::buttonStyle, &BarButton::setButtonStyle)
            .defaultValue(bsDefault)
            .property("CloseSubMenuOnClick", &BarButton::closeSubMenuOnClick, &BarButton::setCloseSubMenuOnClick)
            .defaultValue(true)
            .property("DropDownEnabled", &BarButton::dropDownEnabled, &BarButton::setDropDownEnabled)
            .defaultValue(true)
            .property("GroupIndex", &BarButton::groupIndex, &BarButton::setGroupIndex)
            .defaultValue(0)
            .property("Down", &BarButton::down, &BarButton::setDown)
            .defaultValue(false)
            .stored([](const BarButton& i) { return !(i.actionLink() && i.actionLink()->isCheckedLinked()); })
            .property("DropDownMenu", &BarButton::dropDownMenu, &BarButton::setDropDownMenu)
            .property("Lowered", &BarButton::lowered, &BarButton::setLowered)
            .defaultValue(false)
            .property("PaintStyle", &BarButton::paintStyle, &BarButton::setPaintStyle)
            .defaultValue(psStandard);
        publishGlyph(b);
        publishImageIndex(b);
        publishShortCut(b);
        publishUnclickAfterDoing(b);
        publishOnClick(b);
        return b.build();
    }();
    return info;
}

BarButton::BarButton(Component* owner) : BarItem(owner) {}
BarButton::~BarButton() = default;

void BarButton::setAllowAllUp(bool value) {
    allowAllUp_ = value;
    if (groupIndex_ == 0 || !barManager()) return;
    for (BarItem* i : barManager()->itemList())
        if (auto* b = dynamic_cast<BarButton*>(i); b && b != this && b->groupIndex_ == groupIndex_)
            b->allowAllUp_ = value;
}

void BarButton::setButtonStyle(BarButtonStyle value) {
    if (value == buttonStyle_) return;
    buttonStyle_ = value;
    setDown(false);
    if (!isLoading()) buttonStyleChanged();
    refreshCustomizing();
}

void BarButton::setDropDownEnabled(bool value) {
    if (value == dropDownEnabled_) return;
    dropDownEnabled_ = value;
    if (!isLoading()) dropDownEnabledChanged();
}

void BarButton::setGroupIndex(int value) {
    groupIndex_ = buttonStyle_ == bsChecked ? value : 0;
    setDown(false);
}

void BarButton::setDown(bool value) {
    if (value == down_ || (value && buttonStyle_ != bsChecked)) return;
    BarButton* release = nullptr;
    if (!isLoading() && buttonStyle_ == bsChecked && groupIndex_ != 0 && barManager()) {
        BarButton* otherDown = nullptr;
        for (BarItem* i : barManager()->itemList())
            if (auto* b = dynamic_cast<BarButton*>(i);
                b && b != this && b->buttonStyle_ == bsChecked && b->groupIndex_ == groupIndex_ && b->down_)
                otherDown = b;
        if (value) release = otherDown;
        else if (!allowAllUp_ && !otherDown) return;  // the last button down in its group stays down
    }
    down_ = value;
    if (isLoading()) return;
    downChanged();
    if (release) release->setDown(false);
}

void BarButton::setDropDownMenu(Component* menu) {
    if (menu == dropDownMenu_) return;
    if (dropDownMenu_) removeFreeNotification(dropDownMenu_);
    dropDownMenu_ = menu;
    if (menu) freeNotification(menu);
}

void BarButton::setLowered(bool value) {
    if (value == lowered_) return;
    lowered_ = value;
    if (!isLoading()) forEachControl([](BarItemControl& c) { c.repaint(); });
}

void BarButton::setPaintStyle(BarPaintStyle value) {
    if (value == paintStyle_) return;
    paintStyle_ = value;
    if (!isLoading()) paintStyleChanged();
}

void BarButton::click() {
    if (getEnabled() && buttonStyle_ == bsChecked) setDown(!down_);
    BarItem::click();
}

bool BarButton::canAccelerate(const BarItemLink& link) const {
    if (!getEnabled()) return false;
    ItemLinksWindow* w = link.barControl();
    if (!w || !w->isToolbar()) return true;
    BarPaintStyle ps = link.paintStyle();
    return ps == psCaption || ps == psCaptionGlyph;
}

void BarButton::actionChange(BarAction& action, bool checkDefaults) {
    BarItem::actionChange(action, checkDefaults);
    if (!checkDefaults || !down_) setDown(action.checked());
}

void BarButton::buttonStyleChanged() {
    forEachControl([](BarItemControl& c) { c.buttonStyleChanged(); });
}
void BarButton::downChanged() {
    forEachControl([](BarItemControl& c) { c.downChanged(); });
}
void BarButton::dropDownEnabledChanged() {
    forEachControl([](BarItemControl& c) { c.dropDownEnabledChanged(); });
}
void BarButton::paintStyleChanged() {
    forEachControl([](BarItemControl& c) { c.paintStyleChanged(); }, udPaintStyle);
}

void BarButton::notification(Component* component, Operation operation) {
    BarItem::notification(component, operation);
    if (operation == opRemove && component == dropDownMenu_) dropDownMenu_ = nullptr;
}

}  // namespace lindora
