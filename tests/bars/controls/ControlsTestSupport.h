#pragma once
// The item-control tests' fixture: the controls integration installed over the bar model's
// test fixture, a window for a collection of links that only records what its controls ask of
// it (rebuilds, repaints, invalidated rectangles, the end of menu mode), and a submenu window
// that records being opened and closed.
#include <memory>
#include <string>
#include <vector>

#include "bars/BarsTestSupport.h"
#include "bars/controls/BarControls.h"
#include "bars/controls/CustomBarControl.h"
#include "bars/controls/ItemControl.h"
#include "bars/controls/SubMenuWindow.h"
#include "bars/model/BarItemLinks.h"

namespace lindora::test {

struct WindowShape {
    bool toolbar = true;
    bool subMenu = false;
    bool vertical = false;
    bool rotated = false;
    bool mainMenu = false;
};

class RecordingBarControl : public CustomBarControl {
public:
    RecordingBarControl(BarManager& manager, BarItemLinks& links, WindowShape shape = {});
    ~RecordingBarControl() override;

    bool isToolbar() const override { return shape.toolbar && !shape.subMenu; }
    bool isSubMenu() const override { return shape.subMenu; }
    bool isVertical() const override { return shape.vertical; }
    bool isRotated() const override { return shape.rotated; }
    bool isMainMenu() const override { return shape.mainMenu; }
    bool alignAllowed(const BarItemLink& link) const override;
    bool menuOpenedByClick() const override { return openedByClick; }
    void invalidateRect(const Rect& r) override;
    void repaintItem(ItemControl& control) override;
    void rebuildBar() override { log.push_back("rebuild"); }
    void hideAll() override;

    // The control of the link showing an item.
    ItemControl* controlOf(const BarItem* item) const;
    template <class T>
    T* control(const BarItem* item) const {
        return dynamic_cast<T*>(controlOf(item));
    }
    // Places the links one after another along a line from (0, 0), each as big as it asks.
    void layOut();

    WindowShape shape;
    bool openedByClick = false;
    std::vector<std::string> log;
    std::vector<Rect> invalidated;
    // Runs when menu mode ends (hideAll).
    std::function<void()> onHideAll;
};

// A submenu window that records its openings and closings into a shared log.
class RecordingSubMenu : public SubMenuWindow {
public:
    RecordingSubMenu(BarManager& manager, BarItemLinks& links, std::vector<std::string>& log);
    ~RecordingSubMenu() override;

    void popup(const Placement& placement) override;
    void closeUp() override;
    ItemControl* ownerControl() const override { return owner_; }
    void forgetOwner() override { owner_ = nullptr; }
    void selectFirst() override { log_->push_back("select first"); }

    Placement placement;

private:
    std::vector<std::string>* log_;
    ItemControl* owner_ = nullptr;
};

// The controls integration with recording submenu windows.
class RecordingBarControls : public BarControls {
public:
    std::unique_ptr<ItemLinksWindow> createSubMenuWindow(BarManager& manager, BarItemLinks& links) override {
        return std::make_unique<RecordingSubMenu>(manager, links, menuLog);
    }
    std::vector<std::string> menuLog;
};

class ControlsTest : public BarsTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A bar of the manager with a link to each item (not shown by any window of its own).
    Bar* barWith(std::initializer_list<BarItem*> items);
    // A window showing the links, with a control for each.
    RecordingBarControl& show(BarItemLinks& links, WindowShape shape = {});
    // Advances the virtual clock; due timers fire.
    void advance(int ms) { platform().advance(ms); }

    RecordingBarControls* controls = nullptr;
    std::vector<std::unique_ptr<RecordingBarControl>> windows;
};

}  // namespace lindora::test
