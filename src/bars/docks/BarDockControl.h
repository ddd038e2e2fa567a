#pragma once
// A dock site that a form places itself, anywhere on the form, with its own alignment to one
// of its parent's edges, colour and sunken frame.
#include <memory>

#include "bars/docks/DockSite.h"

namespace lindora {

class BarDockControl : public DockSite {
    LINDORA_CLASS(BarDockControl)

public:
    explicit BarDockControl(Component* owner = nullptr);
    ~BarDockControl() override;

    // The orientation follows the alignment: dalTop and dalNone lay out as a top dock.
    static BarDockingStyle styleOfAlign(BarDockAlign align);
    BarDockingStyle layoutStyle() const override { return styleOfAlign(align_); }

    // ---- published
    BarDockAlign align() const { return align_; }
    void setAlign(BarDockAlign value);
    bool allowZeroSizeInDesignTime() const { return allowZeroSizeInDesignTime_; }
    void setAllowZeroSizeInDesignTime(bool v) { allowZeroSizeInDesignTime_ = v; }
    Color color() const { return color_; }
    void setColor(Color c);
    bool parentColor() const { return parentColor_; }
    void setParentColor(bool v);
    bool useOwnColor() const { return useOwnColor_; }
    void setUseOwnColor(bool v);
    bool sunkenBorder() const override;
    void setSunkenBorder(bool v);
    bool useOwnSunkenBorder() const { return useOwnSunkenBorder_; }
    void setUseOwnSunkenBorder(bool v);
    Color dockColor() const override;
    // Besides AllowDocking: never a bar whose own window holds this site.
    bool canDockBar(const Bar& bar) const override;

    // Creates the site's window in `parent` and keeps it along the parent's edge that Align
    // names, through every resize of the parent.
    void placeIn(Window* parent);
    // Puts the site along its edge of the parent's client area (dalNone leaves it where it is).
    void applyAlign();

protected:
    int thicknessWithoutRows() const override;

private:
    BarDockAlign align_ = dalTop;
    bool allowZeroSizeInDesignTime_ = false;
    Color color_ = clBtnFace;
    bool parentColor_ = false;
    bool useOwnColor_ = false;
    bool sunkenBorder_ = false;
    bool useOwnSunkenBorder_ = false;
    // Cleared when the site goes: the parent's window procedure hook then only passes on.
    std::shared_ptr<bool> hookAlive_;
};

}  // namespace lindora
