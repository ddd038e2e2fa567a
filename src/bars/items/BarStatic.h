#pragma once
// A static item: a label with a caption, an optional glyph and an optional 3D border, sized
// automatically or to a fixed width and height. It only clicks when AllowClick is set.
#include "bars/items/StaticItemTypes.h"
#include "bars/model/BarItem.h"
#include "bars/model/ItemControlClass.h"

namespace lindora {

namespace itemcontrols {
inline constexpr ItemControlClass BarStaticControl{"BarStaticControl"};
}  // namespace itemcontrols

// The four sizes that share one setter, by the index that setter takes.
enum class StaticSize { LeftIndent = 1, RightIndent = 2, Width = 3, Height = 4 };

class BarStatic : public BarItem {
    LINDORA_CLASS(BarStatic)

public:
    explicit BarStatic(Component* owner = nullptr);
    ~BarStatic() override;

    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment value);
    bool allowClick() const { return allowClick_; }
    void setAllowClick(bool value) { allowClick_ = value; }
    BarStaticBorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(BarStaticBorderStyle value);
    bool showCaption() const { return showCaption_; }
    void setShowCaption(bool value);

    // 0 for Width and Height means "sized to the contents".
    int size(StaticSize which) const;
    // Negative values are stored as 0; a change re-lays out the windows showing the item.
    void setSize(StaticSize which, int value);
    int leftIndent() const { return leftIndent_; }
    void setLeftIndent(int value) { setSize(StaticSize::LeftIndent, value); }
    int rightIndent() const { return rightIndent_; }
    void setRightIndent(int value) { setSize(StaticSize::RightIndent, value); }
    int width() const { return width_; }
    void setWidth(int value) { setSize(StaticSize::Width, value); }
    int height() const { return height_; }
    void setHeight(int value) { setSize(StaticSize::Height, value); }

    bool canClicked() const override { return allowClick_; }

private:
    int& sizeField(StaticSize which);

    Alignment alignment_ = taCenter;
    bool allowClick_ = false;
    BarStaticBorderStyle borderStyle_ = sbsNone;
    bool showCaption_ = true;
    int leftIndent_ = 0;
    int rightIndent_ = 0;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace lindora
