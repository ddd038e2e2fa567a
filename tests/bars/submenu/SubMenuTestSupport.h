#pragma once
// The submenu tests' fixture: the real controls integration (sub items open SubMenuControl
// windows) over the item-control tests' fixture, the main window's bar with its Help submenu
// (Home Page, a separator, About), and opening a sub item's menu from a given item rectangle.
#include "bars/controls/BarSubItemControl.h"
#include "bars/controls/ControlsTestSupport.h"
#include "bars/controls/SubMenuControl.h"

namespace lindora::test {

class SubMenuTest : public ControlsTest {
protected:
    void SetUp() override;

    // Opens the sub item's menu from a toolbar (screen = client coordinates there) with the
    // sub item's link at `ownerRect`.
    SubMenuControl& openFrom(BarSubItem* sub, const Rect& ownerRect, bool byMouse = true);
    // A sub item with `count` buttons "Item 1" .. "Item n" on a bar of its own.
    BarSubItem* longMenu(int count);

    BarButton *homePage = nullptr, *about = nullptr;
    BarSubItem* help = nullptr;
    Bar* bar = nullptr;
    RecordingBarControl* toolbar = nullptr;
};

}  // namespace lindora::test
