#include "bars/model/BarWindows.h"

#include "bars/model/BarButton.h"
#include "bars/model/BarControlsIntegration.h"
#include "bars/model/BarItemLinks.h"

namespace lindora {

void BarItemControl::click() {
    BarItemLink* link = link_;
    BarItem* item = link->item();
    if (!item) return;
    if (auto* button = dynamic_cast<BarButton*>(item); button && button->buttonStyle() == bsChecked) {
        button->setDown(!button->down());
        closeDropDown();
    }
    BarItemLink* clickLink = link->sourceLink() ? link->sourceLink() : link;
    const bool clicks = canClick();
    if (closesMenusWhenClicked()) {
        if (BarItemLink* source = link->sourceLink()) source->markUsed(true);
        link->markUsed(true);
        if (BarControlsIntegration* integration = BarControlsIntegration::instance()) integration->hideAllMenus();
    }
    if (!clicks) return;
    item->setClickItemLink(clickLink);
    item->doClick();  // reports its own exceptions
    item->setClickItemLink(nullptr);
}

}  // namespace lindora
