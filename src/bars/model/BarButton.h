#pragma once
// A button item: plain, checked (with groups) or with a drop-down menu.
#include "bars/model/BarItem.h"

namespace lindora {

class BarButton : public BarItem {
    LINDORA_CLASS(BarButton)

public:
    explicit BarButton(Component* owner = nullptr);
    ~BarButton() override;

    bool allowAllUp() const { return allowAllUp_; }
    void setAllowAllUp(bool value);
    BarButtonStyle buttonStyle() const { return buttonStyle_; }
    void setButtonStyle(BarButtonStyle value);
    bool closeSubMenuOnClick() const { return closeSubMenuOnClick_; }
    void setCloseSubMenuOnClick(bool value) { closeSubMenuOnClick_ = value; }
    bool dropDownEnabled() const { return dropDownEnabled_; }
    void setDropDownEnabled(bool value);
    int groupIndex() const { return groupIndex_; }
    void setGroupIndex(int value);
    bool down() const { return down_; }
    void setDown(bool value);
    // The popup menu shown as the drop-down; any component that has item links.
    Component* dropDownMenu() const { return dropDownMenu_; }
    void setDropDownMenu(Component* menu);
    bool lowered() const { return lowered_; }
    void setLowered(bool value);
    BarPaintStyle paintStyle() const { return paintStyle_; }
    void setPaintStyle(BarPaintStyle value);

    void click() override;
    bool canAccelerate(const BarItemLink& link) const override;
    void actionChange(BarAction& action, bool checkDefaults) override;

    virtual void buttonStyleChanged();
    virtual void downChanged();
    virtual void dropDownEnabledChanged();
    virtual void paintStyleChanged();
    // Raises OnDropDown-like behaviour for the drop-down; the window shows the menu.
    virtual void dropDown() {}

protected:
    void notification(Component* component, Operation operation) override;

private:
    bool allowAllUp_ = false;
    BarButtonStyle buttonStyle_ = bsDefault;
    bool closeSubMenuOnClick_ = true;
    bool dropDownEnabled_ = true;
    int groupIndex_ = 0;
    bool down_ = false;
    Component* dropDownMenu_ = nullptr;
    bool lowered_ = false;
    BarPaintStyle paintStyle_ = psStandard;
};

}  // namespace lindora
