#pragma once
// The controls of the static and progress items: a label with an optional glyph and 3D border,
// sized to its contents or fixed; and the same with a progress bar at its end, of which only
// the bar repaints when the position or the range changes.
#include "bars/controls/ItemControl.h"
#include "bars/items/BarProgressItem.h"
#include "bars/items/StaticItemTypes.h"

namespace lindora {

class BarStatic;
struct BarDrawContext;

class BarStaticControl : public ItemControl {
public:
    explicit BarStaticControl(BarItemLink& link);
    ~BarStaticControl() override;

    BarStatic& staticItem() const;
    // Only a clickable static item is hot-tracked, and only it runs its click.
    bool isSelectable() const override;
    bool canClick() const override;
    int width() const override;
    int height() const override;
    void draw(Canvas& canvas, const Rect& r, ItemDrawKind kind) override;

    // Along the bar (vertical on a vertically docked bar; a submenu counts as horizontal).
    int length() const;
    int thickness() const;
    // The length the contents ask for, indents and border included.
    int naturalLength() const;
    int borderWidth() const;

protected:
    // The static control reserves a glyph area when it shows no caption; the progress control
    // does not.
    virtual bool reservesGlyphArea() const { return true; }
    virtual Alignment captionAlignment() const;
    // The caption is centred only in the static control's own pass.
    virtual bool centresCaption() const { return true; }
    bool vertical() const;
    bool showsGlyph() const;
    int glyphExtentAlong() const;
    int glyphExtentAcross() const;
    // Indents, border and contents of the static part.
    void drawStaticPart(Canvas& canvas, Rect r, const BarDrawContext& context);

private:
    void drawContents(Canvas& canvas, const Rect& r, const BarDrawContext& context);
};

class BarProgressControl : public BarStaticControl, public ProgressBarView {
public:
    // The bar's length when the item is sized automatically.
    static constexpr int AutoBarLength = 150;

    explicit BarProgressControl(BarItemLink& link);
    ~BarProgressControl() override;

    BarProgressItem& progressItem() const;
    int width() const override;
    int height() const override;
    void draw(Canvas& canvas, const Rect& r, ItemDrawKind kind) override;
    // Invalidates the bar's rectangle in the window; caption and border stay.
    void invalidateProgressBar() override;

    int progressLength() const;
    int progressThickness() const;
    // The progress bar inside an item rectangle (empty when the item is too short).
    Rect progressBarRect(const Rect& item) const;

protected:
    bool reservesGlyphArea() const override { return false; }
    Alignment captionAlignment() const override { return taLeftJustify; }
    bool centresCaption() const override { return false; }
};

}  // namespace lindora
