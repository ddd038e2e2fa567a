#pragma once
// What the browser's progress handler drives: the toolbar's progress item. The handler always
// sets Max first, then Position; the item clamps Position into its range.
namespace lindora {

class ProgressTarget {
public:
    virtual ~ProgressTarget() = default;
    virtual void setMax(int max) = 0;
    virtual void setPosition(int position) = 0;
};

}  // namespace lindora
