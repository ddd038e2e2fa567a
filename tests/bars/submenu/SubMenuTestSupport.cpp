#include "bars/submenu/SubMenuTestSupport.h"

#include <stdexcept>

namespace lindora::test {

void SubMenuTest::SetUp() {
    ControlsTest::SetUp();
    // Sub items open the real submenu window.
    BarControlsIntegration::install(std::make_unique<BarControls>());
    controls = nullptr;
    homePage = addButton("btnHomePage", "Home Page");
    about = addButton("btnAbout", "About");
    help = addSubItem("BarSubItem1", "Help");
    help->itemLinks().add()->setItem(homePage);
    help->itemLinks().add()->setItem(about);
    help->itemLinks().items(1)->setBeginGroup(true);
    bar = barWith({help});
}

SubMenuControl& SubMenuTest::openFrom(BarSubItem* sub, const Rect& ownerRect, bool byMouse) {
    if (!toolbar) toolbar = &show(bar->itemLinks(), {.mainMenu = true});
    BarItemLink* link = nullptr;
    for (BarItemLink* l : toolbar->itemLinks().visibleLinks())
        if (l->item() == sub) link = l;
    if (!link) {
        link = bar->itemLinks().add();
        link->setItem(sub);
    }
    link->setItemRect(ownerRect);
    auto* control = dynamic_cast<BarSubItemControl*>(link->control());
    if (!control) throw std::logic_error("the sub item has no control on the bar");
    if (control->isOpen()) control->closeSubMenu();
    control->setOpenedByMouse(byMouse);
    control->openSubMenu();
    auto* menu = dynamic_cast<SubMenuControl*>(control->subMenu());
    if (!menu) throw std::logic_error("no submenu window opened");
    return *menu;
}

BarSubItem* SubMenuTest::longMenu(int count) {
    BarSubItem* sub = addSubItem("subLong", "Long");
    for (int i = 1; i <= count; ++i) {
        BarButton* b = addButton("btnItem" + std::to_string(i), "Item " + std::to_string(i));
        sub->itemLinks().add()->setItem(b);
    }
    return sub;
}

}  // namespace lindora::test
