#pragma once
// Window items (edits and combos) and the edit item.
#include "bars/model/BarItem.h"

namespace lindora {

class BarWindowItem : public BarItem {
    LINDORA_CLASS(BarWindowItem)

public:
    explicit BarWindowItem(Component* owner = nullptr);

    const std::string& text() const { return text_; }
    void setText(const std::string& value);

    NotifyEvent OnChange;
    NotifyEvent OnCurChange;
    NotifyEvent OnEnter;
    NotifyEvent OnExit;
    Event<Persistent*, int&, int> OnKeyDown;  // Sender, var Key, Shift
    Event<Persistent*, char&> OnKeyPress;     // Sender, var Key
    Event<Persistent*, int&, int> OnKeyUp;

    bool canClicked() const override { return false; }

private:
    std::string text_;
};

class BarEdit : public BarWindowItem {
    LINDORA_CLASS(BarEdit)

public:
    explicit BarEdit(Component* owner = nullptr);

    int maxLength() const { return maxLength_; }
    void setMaxLength(int value) { maxLength_ = value <= 0 ? 0 : value; }
    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool value) { readOnly_ = value; }
    bool showCaption() const { return showCaption_; }
    void setShowCaption(bool value);
    int width() const { return width_; }
    void setWidth(int value);

    bool canAccelerate(const BarItemLink& link) const override;

private:
    int maxLength_ = 0;
    bool readOnly_ = false;
    bool showCaption_ = false;
    int width_ = 100;
};

}  // namespace lindora
