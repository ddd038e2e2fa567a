// Laying out toolbars: one multi-line bar of n buttons in a narrow top dock (the bar wraps onto
// lines) and in a short left dock (the bar wraps into columns), and the main window's top dock
// laid out again and repainted after a width change, with and without the form's own resize
// (a new backing store for the whole window). Goals: 1,000 items cost at most 15 x what 100
// cost, in both docks; the main window's relayout and repaint under 1 ms.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bars/controls/BarControl.h"
#include "bars/controls/BarControls.h"
#include "bars/items/BarProgressItem.h"
#include "bars/model/Bar.h"
#include "bars/model/BarButton.h"
#include "bars/model/BarFramework.h"
#include "bars/model/BarItemLinks.h"
#include "bars/model/BarManager.h"
#include "bars/model/DockControl.h"
#include "platform/offscreen/OffscreenIntegration.h"
#include "ui/Form.h"
#include "ui/WindowSystem.h"

using namespace lindora;

namespace {

// A shown form with one multi-line bar of `items` captioned buttons, every seventh a group start.
struct WrappedBar {
    WrappedBar(int items, BarDockingStyle style, bool progress = false) : style(style) {
        OffscreenIntegration::install();
        BarFramework::startUp();
        BarControls::install();
        form = std::make_unique<Form>();
        form->setName("Form1");
        auto* manager = new BarManager(form.get());
        manager->setName("BarManager1");
        bar = manager->bars().add();
        bar->setMultiLine(true);
        bar->setDockingStyle(style);
        for (int i = 0; i < items; ++i) {
            auto* b = new BarButton(form.get());
            b->setName("b" + std::to_string(i));
            b->setCaption(i % 3 == 0 ? "Convert" : i % 3 == 1 ? "Page" : "Send");
            BarItemLink* link = bar->itemLinks().add();
            link->setItem(b);
            link->setBeginGroup(i % 7 == 0 && i > 0);
        }
        if (progress) {
            auto* p = new BarProgressItem(form.get());
            p->setName("briMain");
            p->setAlign(iaRight);
            p->setPosition(50);
            bar->itemLinks().add()->setItem(p);
        }
        bar->setVisible(true);
        form->setBoundsTo(0, 0, 800, 600);
        form->show();
        WindowSystem::instance().processMessages();
    }
    ~WrappedBar() {
        form.reset();
        BarFramework::shutDown();
        PlatformIntegration::install(nullptr);
    }
    BarControl& window() const { return dynamic_cast<BarControl&>(*bar->control()); }

    BarDockingStyle style;
    std::unique_ptr<Form> form;
    Bar* bar = nullptr;
};

// The bar measured for its dock's length and laid out at the size it asks for, as the dock
// site does on every change: 300 px of width in the top dock, 300 px of height in the left one.
void layOut(benchmark::State& state, BarDockingStyle style) {
    WrappedBar fixture(static_cast<int>(state.range(0)), style);
    BarControl& w = fixture.window();
    const bool horizontal = style == dsTop || style == dsBottom;
    int length = 300;
    for (auto _ : state) {
        // Two lengths in turn, so that nothing can be kept from the last round.
        length = length == 300 ? 301 : 300;
        const Size client = w.sizeForLength(style, length);
        const Size outer(client.cx + (horizontal ? w.nonClientAlong(style) : w.nonClientAcross(style)),
                         client.cy + (horizontal ? w.nonClientAcross(style) : w.nonClientAlong(style)));
        w.setDockedBounds(Rect(Point(0, 0), outer));
        benchmark::DoNotOptimize(fixture.bar->itemLinks().visibleLinks().back()->itemRect());
    }
    state.SetComplexityN(state.range(0));
}

void BM_WrapInNarrowTopDock(benchmark::State& state) { layOut(state, dsTop); }
void BM_WrapInShortLeftDock(benchmark::State& state) { layOut(state, dsLeft); }
BENCHMARK(BM_WrapInNarrowTopDock)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WrapInShortLeftDock)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

// A toolbar like the main window's (four buttons and the progress item flush right) after its form's width
// changed: the dock site lays its rows out again and the toolbar repaints.
void BM_MainWindowDockOnWidthChange(benchmark::State& state) {
    WrappedBar fixture(4, dsTop, true);
    Form& form = *fixture.form;
    int width = 805;
    for (auto _ : state) {
        width = width == 805 ? 700 : 805;
        form.setBoundsTo(0, 0, width, 626);
        WindowSystem::instance().processMessages();
        benchmark::DoNotOptimize(fixture.window().bounds());
    }
}
BENCHMARK(BM_MainWindowDockOnWidthChange)->Unit(benchmark::kMicrosecond);

// The same width change seen by the toolbar alone, as its dock site hands it on: the bar
// measures itself for the new length, lays its items out and repaints, and the form's store
// stays.
void BM_MainWindowDockRelayoutAndRepaint(benchmark::State& state) {
    WrappedBar fixture(4, dsTop, true);
    fixture.form->setBoundsTo(0, 0, 805, 626);
    WindowSystem::instance().processMessages();
    BarControl& w = fixture.window();
    const Rect full = w.dockedBounds();
    int length = full.width();
    for (auto _ : state) {
        length = length == full.width() ? full.width() - 105 : full.width();
        const Size client = w.sizeForLength(dsTop, length - w.nonClientAlong(dsTop));
        w.setDockedBounds(Rect::fromSize(full.left, full.top, length, client.cy + w.nonClientAcross(dsTop)));
        WindowSystem::instance().processMessages();
        benchmark::DoNotOptimize(w.bounds());
    }
}
BENCHMARK(BM_MainWindowDockRelayoutAndRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace
