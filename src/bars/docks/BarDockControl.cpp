#include "bars/docks/BarDockControl.h"

#include "bars/docks/DockedBar.h"
#include "bars/model/Bar.h"
#include "bars/model/BarManager.h"
#include "bars/model/BarWindows.h"
#include "base/ClassBuilder.h"

namespace lindora {

namespace {
std::int64_t colorValue(Color c) { return static_cast<std::int64_t>(c.value()); }
Color toColor(std::int64_t v) { return Color(static_cast<std::uint32_t>(v)); }
}  // namespace

const ClassInfo& BarDockControl::classInfo() {
    static const ClassInfo info =
        ClassBuilder<BarDockControl>("BarDockControl", DockSite::classInfo())
            .property("Align", &BarDockControl::align, &BarDockControl::setAlign)
            .property("AllowDocking", &BarDockControl::allowDocking, &BarDockControl::setAllowDocking)
            .defaultValue(true)
            .property("AllowZeroSizeInDesignTime", &BarDockControl::allowZeroSizeInDesignTime,
                      &BarDockControl::setAllowZeroSizeInDesignTime)
            .defaultValue(false)
            .property("BarManager", &BarDockControl::barManager, &BarDockControl::setBarManager)
            .property(
                "Color", [](const BarDockControl& d) { return colorValue(d.color()); },
                [](BarDockControl& d, std::int64_t v) { d.setColor(toColor(v)); })
            .idents(colorIdents())
            .stored([](const BarDockControl& d) { return d.useOwnColor() && !d.parentColor(); })
            .property("ParentColor", &BarDockControl::parentColor, &BarDockControl::setParentColor)
            .defaultValue(false)
            .property(
                "SunkenBorder", [](const BarDockControl& d) { return d.sunkenBorder(); },
                [](BarDockControl& d, bool v) { d.setSunkenBorder(v); })
            .stored([](const BarDockControl& d) { return d.useOwnSunkenBorder(); })
            .property("UseOwnColor", &BarDockControl::useOwnColor, &BarDockControl::setUseOwnColor)
            .defaultValue(false)
            .property("UseOwnSunkenBorder", &BarDockControl::useOwnSunkenBorder, &BarDockControl::setUseOwnSunkenBorder)
            .defaultValue(false)
            .property(
                "BackgroundBitmap",
                [](const BarDockControl& d) -> const BitmapProperty& {
                    return const_cast<BarDockControl&>(d).backgroundBitmap();
                },
                [](BarDockControl& d, const BitmapProperty& b) { d.setBackgroundBitmap(b); });
    return info;
}

BarDockControl::BarDockControl(Component* owner) : DockSite(owner, nullptr, dsNone) {}

BarDockControl::~BarDockControl() {
    if (hookAlive_) *hookAlive_ = false;
}

BarDockingStyle BarDockControl::styleOfAlign(BarDockAlign align) {
    switch (align) {
    case dalBottom: return dsBottom;
    case dalLeft: return dsLeft;
    case dalRight: return dsRight;
    default: return dsTop;
    }
}

void BarDockControl::setAlign(BarDockAlign value) {
    if (value == align_) return;
    {
        // The bars take their new style together, laid out once afterwards.
        BarLockUpdate lock(barManager());
        align_ = value;
        for (DockedBar* b : dockedBars()) b->dockStyleChanged(layoutStyle());
        applyAlign();
    }
    repositionBars();
    if (Window* p = parent(); p && p->handleAllocated()) p->invalidate();
}

void BarDockControl::setColor(Color c) {
    if (c == color_) return;
    color_ = c;
    if (!isLoading()) {
        useOwnColor_ = true;
        parentColor_ = false;
    }
    repaintDock();
}

void BarDockControl::setParentColor(bool v) {
    if (v == parentColor_) return;
    parentColor_ = v;
    if (!isLoading()) useOwnColor_ = true;
    repaintDock();
}

void BarDockControl::setUseOwnColor(bool v) {
    if (v == useOwnColor_) return;
    useOwnColor_ = v;
    repaintDock();
}

bool BarDockControl::sunkenBorder() const {
    if (useOwnSunkenBorder_) return sunkenBorder_;
    return DockSite::sunkenBorder();
}

void BarDockControl::setSunkenBorder(bool v) {
    const bool before = sunkenBorder();
    sunkenBorder_ = v;
    useOwnSunkenBorder_ = true;
    if (sunkenBorder() != before) rebuildBorder();
}

void BarDockControl::setUseOwnSunkenBorder(bool v) {
    if (v == useOwnSunkenBorder_) return;
    const bool before = sunkenBorder();
    useOwnSunkenBorder_ = v;
    if (sunkenBorder() != before) rebuildBorder();
}

Color BarDockControl::dockColor() const {
    if (!useOwnColor_) return DockSite::dockColor();
    if (parentColor_ && parent()) return parent()->backgroundColor();
    return color_;
}

bool BarDockControl::canDockBar(const Bar& bar) const {
    if (!DockSite::canDockBar(bar)) return false;
    const auto* window = dynamic_cast<const Window*>(bar.control());
    return !(window && window->isAncestorOf(this));
}

int BarDockControl::thicknessWithoutRows() const {
    // While loading the site keeps the size its form gave it.
    if (loading() || isLoading()) return currentThickness();
    return isDesigning() && !allowZeroSizeInDesignTime_ ? 3 : 0;
}

void BarDockControl::placeIn(Window* parentWindow) {
    if (handleAllocated() || !parentWindow || !parentWindow->handleAllocated()) return;
    CreateParams p;
    p.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    p.parent = parentWindow;
    p.bounds = Rect(0, 0, 0, 0);
    create(p);
    setBackgroundColor(dockColor());
    hookAlive_ = std::make_shared<bool>(true);
    auto previous = std::make_shared<Window::WindowProc>();
    *previous = parentWindow->setWindowProc([this, alive = hookAlive_, previous](Message& m) {
        if (*alive && m.msg == WM_SIZE) applyAlign();
        if (*previous) (*previous)(m);
    });
    applyAlign();
}

void BarDockControl::applyAlign() {
    Window* p = parent();
    if (!handleAllocated() || !p || align_ == dalNone) return;
    const Rect c = p->clientRect();
    const int t = currentThickness();
    Rect r;
    switch (align_) {
    case dalBottom: r = Rect(0, c.height() - t, c.width(), c.height()); break;
    case dalLeft: r = Rect(0, 0, t, c.height()); break;
    case dalRight: r = Rect(c.width() - t, 0, c.width(), c.height()); break;
    default: r = Rect(0, 0, c.width(), t); break;
    }
    if (r != bounds()) setBounds(r);
}

}  // namespace lindora
