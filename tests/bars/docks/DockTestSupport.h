#pragma once
// The dock tests' fixture: a shown form whose manager's edge sites are DockSites, and docked
// bars whose sizes come from small tables instead of toolbar windows.
#include <functional>
#include <memory>
#include <vector>

#include "bars/BarsTestSupport.h"
#include "bars/TestControlsIntegration.h"
#include "bars/docks/DockSite.h"
#include "bars/docks/DockedBar.h"
#include "bars/model/Bar.h"

namespace lindora::test {

// A docked bar of fixed lengths. Single-line bars are `thickness` thick at any length; a
// multi-line one wraps its full length into lines of `thickness` each.
class FakeDockedBar : public DockedBar {
public:
    explicit FakeDockedBar(Bar& bar, int minLength = 50, int fullLength = 200, int thickness = 22)
        : bar_(&bar), min_(minLength), full_(fullLength), thickness_(thickness) {}

    Bar& bar() const override { return *bar_; }
    int minLength(BarDockingStyle) override { return min_; }
    int fullLength(BarDockingStyle) override { return full_; }
    int fullThickness(BarDockingStyle) override { return thickness_; }
    Size sizeForLength(BarDockingStyle style, int length) override {
        askedLengths.push_back(length);
        int across = thickness_;
        if (bar_->multiLine() && length > 0) across = thickness_ * ((full_ + length - 1) / length);
        const bool vertical = style == dsLeft || style == dsRight;
        return vertical ? Size(across, length) : Size(length, across);
    }
    bool lengthsCountMark(BarDockingStyle) override { return false; }
    bool markAlwaysDrawn() const override { return false; }
    int nonClientAlong(BarDockingStyle) const override { return frameAlong; }
    int nonClientAcross(BarDockingStyle) const override { return frameAcross; }
    Point nonClientOffset() const override { return {frameAlong, frameAcross / 2}; }
    bool truncated() const override { return truncated_; }
    void setTruncated(bool v) override { truncated_ = v; }
    Rect dockedBounds() const override { return bounds_; }
    void setDockedBounds(const Rect& r) override {
        bounds_ = r;
        ++moves;
    }
    void repaint() override { ++repaints; }
    void dockStyleChanged(BarDockingStyle style) override { styles.push_back(style); }
    bool restoringDockedState() const override { return restoring; }

    int frameAlong = 0;
    int frameAcross = 0;
    bool restoring = false;
    int moves = 0;
    int repaints = 0;
    std::vector<int> askedLengths;
    std::vector<BarDockingStyle> styles;

private:
    Bar* bar_;
    int min_, full_, thickness_;
    bool truncated_ = false;
    Rect bounds_;
};

// The controls integration of these tests: the manager's edge sites are DockSites.
class DockTestIntegration : public TestControlsIntegration {
public:
    std::unique_ptr<DockControl> createDockControl(BarManager& manager, BarDockingStyle style) override {
        return std::make_unique<DockSite>(nullptr, &manager, style);
    }
};

class DockTest : public BarsTest {
protected:
    void SetUp() override {
        BarsTest::SetUp();
        BarControlsIntegration::install(std::make_unique<DockTestIntegration>());
        form().createWindow(Rect(Point(100, 100), Size(800, 600)));
    }
    void TearDown() override {
        std::vector<DockControl*> sites = manager().dockControls();
        for (BarDockingStyle s : {dsLeft, dsTop, dsRight, dsBottom}) sites.push_back(&site(s));
        for (DockControl* s : sites)
            for (auto& b : bars_) static_cast<DockSite*>(s)->removeBarControl(*b, nullptr, false);
        bars_.clear();
        BarsTest::TearDown();
        BarControlsIntegration::install(nullptr);
    }

    DockSite& site(BarDockingStyle style) { return static_cast<DockSite&>(*manager().bars().dockControl(style)); }
    // A bar of the manager with a fake window.
    FakeDockedBar& fakeBar(int minLength = 50, int fullLength = 200, int thickness = 22) {
        Bar* bar = manager().bars().add();
        bars_.push_back(std::make_unique<FakeDockedBar>(*bar, minLength, fullLength, thickness));
        return *bars_.back();
    }
    // A screen point from client coordinates of a site.
    static Point at(const DockSite& s, int x, int y) { return s.clientToScreen(Point(x, y)); }

    std::vector<std::unique_ptr<FakeDockedBar>> bars_;
};

}  // namespace lindora::test
