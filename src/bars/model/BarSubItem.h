#pragma once
// Sub items: items with links of their own, opened as a submenu.
#include <memory>

#include "bars/model/BarItem.h"
#include "bars/model/BarItemLinks.h"
#include "gfx/Geometry.h"

namespace lindora {

class Canvas;

class CustomBarSubItem : public BarItem {
    LINDORA_CLASS(CustomBarSubItem)

public:
    explicit CustomBarSubItem(Component* owner = nullptr);
    ~CustomBarSubItem() override;

    BarItemLinks& itemLinks() { return *itemLinks_; }
    const BarItemLinks& itemLinks() const { return *itemLinks_; }
    void setItemLinks(const BarItemLinks& links) { itemLinks_->assign(links); }

    int barSize() const { return barSize_; }
    void setBarSize(int value) { barSize_ = value < 0 ? 0 : value; }
    bool detachable() const { return detachable_; }
    void setDetachable(bool value) { detachable_ = value; }
    // Index of a bar in the manager's Bars that the menu tears off into, or -1.
    int detachingBar() const { return detachingBar_; }
    void setDetachingBar(int value);
    bool showCaption() const { return showCaption_; }
    void setShowCaption(bool value) { showCaption_ = value; }

    NotifyEvent OnDetaching;
    Event<Persistent*, Canvas&, const Rect&> OnPaintBar;
    NotifyEvent OnCloseUp;
    NotifyEvent OnPopup;

    bool canClicked() const override { return false; }
    void barManagerChanged() override;
    void barRemoved(Bar& bar) override;
    void loaded() override;

    virtual void doPaintBar(Canvas& canvas, const Rect& r) { OnPaintBar(this, canvas, r); }
    virtual void doCloseUp() { OnCloseUp(this); }
    virtual void doDetaching() { OnDetaching(this); }
    virtual void doPopup() { OnPopup(this); }
    // The menu opens: OnPopup and then the click, which signals that the menu opened.
    void popup();

private:
    std::unique_ptr<BarItemLinks> itemLinks_;
    int barSize_ = 0;
    bool detachable_ = false;
    int detachingBar_ = -1;
    bool showCaption_ = true;
};

class BarSubItem : public CustomBarSubItem {
    LINDORA_CLASS(BarSubItem)

public:
    explicit BarSubItem(Component* owner = nullptr);
    bool allowCustomizing() const { return allowCustomizing_; }
    void setAllowCustomizing(bool value) { allowCustomizing_ = value; }

private:
    bool allowCustomizing_ = true;
};

}  // namespace lindora
