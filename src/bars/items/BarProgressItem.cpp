#include "bars/items/BarProgressItem.h"

#include <algorithm>

#include "bars/model/BarItemLinks.h"
#include "bars/model/BarWindows.h"
#include "base/ClassBuilder.h"

namespace lindora {

namespace {
std::int64_t colorValue(Color c) { return static_cast<std::int64_t>(c.value()); }
Color toColor(std::int64_t v) { return Color(static_cast<std::uint32_t>(v)); }
}  // namespace

const ClassInfo& BarProgressItem::classInfo() {
    static const ClassInfo info =
        ClassBuilder<BarProgressItem>("BarProgressItem", BarStatic::classInfo())
            .property("BorderStyle", &BarProgressItem::borderStyle, &BarProgressItem::setBorderStyle)
            .defaultValue(sbsLowered)
            .property(
                "Color", [](const BarProgressItem& i) { return colorValue(i.color()); },
                [](BarProgressItem& i, std::int64_t v) { i.setColor(toColor(v)); })
            .idents(colorIdents())
            .defaultValue(colorValue(clDefault))
            .property("Max", &BarProgressItem::max, &BarProgressItem::setMax)
            .defaultValue(100)
            .property("Min", &BarProgressItem::min, &BarProgressItem::setMin)
            .defaultValue(0)
            .property("Position", &BarProgressItem::position, &BarProgressItem::setPosition)
            .defaultValue(0)
            .property("Smooth", &BarProgressItem::smooth, &BarProgressItem::setSmooth)
            .defaultValue(false)
            .property("Step", &BarProgressItem::step, &BarProgressItem::setStep)
            .defaultValue(10);
    return info;
}

BarProgressItem::BarProgressItem(Component* owner) : BarStatic(owner) { setBorderStyle(sbsLowered); }
BarProgressItem::~BarProgressItem() = default;

void BarProgressItem::setColor(Color value) {
    if (value == color_) return;
    color_ = value;
    repaintProgressBars();
}

void BarProgressItem::setMax(int value) {
    if (value == max_) return;
    setRange(std::min(min_, value), value);
}

void BarProgressItem::setMin(int value) {
    if (value == min_) return;
    setRange(value, std::max(max_, value));
}

void BarProgressItem::setRange(int min, int max) {
    if (min == min_ && max == max_) return;
    min_ = min;
    max_ = max;
    if (isLoading()) return;
    if (max_ < min_) min_ = max_;
    if (position_ < min_) setPosition(min_);
    else if (position_ > max_) setPosition(max_);
    else repaintProgressBars();
}

void BarProgressItem::setPosition(int value) {
    if (!isLoading()) value = std::max(min_, std::min(value, max_));
    if (value == position_) return;
    position_ = value;
    repaintProgressBars();
}

void BarProgressItem::setSmooth(bool value) {
    if (value == smooth_) return;
    smooth_ = value;
    repaintProgressBars();
}

void BarProgressItem::repaintProgressBars() {
    if (isLoading()) return;
    for (BarItemLink* link : std::vector<BarItemLink*>(links()))
        if (auto* view = dynamic_cast<ProgressBarView*>(link->control())) view->invalidateProgressBar();
}

}  // namespace lindora
