#pragma once
// The control of a sub item: it opens the item's submenu (at once, or in a submenu after a
// 400 ms delay while the mouse rests on it) and closes it again; and the control of a
// container item, a sub item control whose caption shows in parentheses when it is empty.
#include <memory>

#include "bars/controls/ItemControl.h"

namespace lindora {

class CustomBarSubItem;
class SubMenuWindow;

class BarSubItemControl : public ItemControl {
public:
    // The delay of a pending open or close.
    static constexpr int PendingDelayMs = 400;

    explicit BarSubItemControl(BarItemLink& link);
    ~BarSubItemControl() override;

    CustomBarSubItem* subItem() const;
    bool openedByMouse() const { return openedByMouse_; }
    void setOpenedByMouse(bool v) { openedByMouse_ = v; }
    // Its submenu is open.
    bool isOpen() const { return subMenu_ != nullptr; }
    SubMenuWindow* subMenu() const { return subMenu_.get(); }
    // This control waits for its delayed open or close.
    bool isPending() const;
    // The sub item waiting now, if any (at most one in the process).
    static BarSubItemControl* pending();

    bool canClick() const override { return false; }
    bool closesMenus() const override { return false; }
    bool isExpandable() const override { return true; }
    bool keyDown(int key) override;
    bool wantsKey(int key) const override;
    ItemLinksWindow* subMenuControl() const override;
    void controlActivate(bool immediate) override;
    void controlInactivate(bool immediate) override;
    void controlPress(bool byMouse) override;
    int width() const override;
    int height() const override;
    void draw(Canvas& canvas, const Rect& r, ItemDrawKind kind) override;

    // Opens the submenu now.
    void openSubMenu();
    // Closes it now.
    void closeSubMenu();

private:
    Size barSize() const;
    Size menuSize() const;
    void startPending(bool opening);
    void cancelPending();
    static void pendingFired();

    bool openedByMouse_ = false;
    std::unique_ptr<SubMenuWindow> subMenu_;
};

class BarContainerItemControl : public BarSubItemControl {
public:
    using BarSubItemControl::BarSubItemControl;

    std::string caption() const override;
    bool isExpandable() const override;
};

}  // namespace lindora
