#pragma once
// A static item that also shows a progress bar: a position within a range, drawn as blocks or
// as one smooth bar. Outside loading, Min <= Position <= Max and Min <= Max always hold.
#include "bars/items/BarStatic.h"
#include "gfx/Color.h"

namespace lindora {

namespace itemcontrols {
inline constexpr ItemControlClass BarProgressControl{"BarProgressControl"};
}  // namespace itemcontrols

// Implemented by the item controls that draw a progress bar. A change of the position, the
// range, Smooth or Color invalidates only the bar's rectangle; caption and border stay.
class ProgressBarView {
public:
    virtual ~ProgressBarView() = default;
    virtual void invalidateProgressBar() = 0;
};

class BarProgressItem : public BarStatic {
    LINDORA_CLASS(BarProgressItem)

public:
    explicit BarProgressItem(Component* owner = nullptr);
    ~BarProgressItem() override;

    // clDefault: the painter's progress colour.
    Color color() const { return color_; }
    void setColor(Color value);
    int max() const { return max_; }
    // The range becomes (min(Min, v), v).
    void setMax(int value);
    int min() const { return min_; }
    // The range becomes (v, max(Max, v)).
    void setMin(int value);
    int position() const { return position_; }
    // Clamped into [Min, Max] (stored as given while loading).
    void setPosition(int value);
    bool smooth() const { return smooth_; }
    void setSmooth(bool value);
    int step() const { return step_; }
    void setStep(int value) { step_ = value; }

    // Sets both ends at once. While loading the values are only stored; they are brought into
    // order at the next range change.
    void setRange(int min, int max);

protected:
    // Invalidates the progress bar of every link's control (nothing while loading).
    void repaintProgressBars();

private:
    Color color_ = clDefault;
    int max_ = 100;
    int min_ = 0;
    int position_ = 0;
    bool smooth_ = false;
    int step_ = 10;
};

}  // namespace lindora
