#pragma once
// The control of a button item: sized by its paint style, drawn as a button face with its
// states, clicked with a checked button's Down toggled first, and with a drop-down part that
// opens the button's drop-down menu.
#include "bars/controls/ItemControl.h"

namespace lindora {

class BarButton;

// The states a button is drawn in.
struct ButtonDrawState {
    bool pressed = false;
    bool down = false;
    bool selected = false;
    bool disabled = false;
    bool droppedDown = false;
    bool operator==(const ButtonDrawState&) const = default;
};

class BarButtonControl : public ItemControl {
public:
    explicit BarButtonControl(BarItemLink& link);
    ~BarButtonControl() override;

    // The button item; none when a window item shows as a button (on a rotated bar).
    BarButton* buttonItem() const;
    BarButtonStyle buttonStyle() const;
    bool itemDown() const;
    bool droppedDown() const { return droppedDown_; }
    bool pressedByMouse() const { return pressedByMouse_; }
    void setPressedByMouse(bool v) { pressedByMouse_ = v; }
    // The window tells where the mouse went down before it calls controlPress.
    void setPressPoint(Point client);

    // The link's paint style; on toolbars psStandard shows the caption when there is no glyph.
    BarPaintStyle effectivePaintStyle() const;
    bool hasDropDownPart() const;
    // The arrow part of a drop-down button at its end (bottom on rotated bars).
    Rect dropDownPartRect() const;
    ButtonDrawState drawState() const;
    // Where the drop-down menu opens, in screen coordinates.
    Point dropDownPoint() const;

    void invalidated() override;
    bool isSelected() const override;
    bool closesMenus() const override;
    bool keepsPressCapture() const override { return !droppedDown_; }
    bool keyDown(int key) override;
    bool wantsKey(int key) const override;
    void controlInactivate(bool immediate) override;
    void controlPress(bool byMouse) override;
    void controlUnclick(bool byMouse) override;
    int width() const override;
    int height() const override;
    void draw(Canvas& canvas, const Rect& r, ItemDrawKind kind) override;
    void closeDropDown() override { closeUp(); }

    // Opens the drop-down menu (enabled, DropDownEnabled and a DropDownMenu set).
    void dropDown();
    // The drop-down menu closed.
    void closeUp();

protected:
    bool playsClickSound() const override { return inSubMenu(); }

private:
    // The size on a horizontal bar: along (caption and glyph) and across.
    int toolbarLength() const;
    int toolbarThickness(bool rotated) const;
    int menuWidth() const;

    bool droppedDown_ = false;
    bool pressedByMouse_ = false;
    bool pressOnArrow_ = false;
};

// A shortcut as menus show it ("Ctrl+S", "Shift+F5"); empty for 0.
std::string ShortCutToText(int shortCut);

}  // namespace lindora
