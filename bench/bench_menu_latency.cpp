// How long the main window's menu takes to answer: from an input event injected on the
// offscreen backend to the window's backing store being painted (the messages it causes
// handled, the windows painted and presented; composing the virtual screen for a screenshot is
// not part of it). Each case repeats its step 2,000 times and reports the median and the 99th
// percentile of the single steps. Goal: each under 2 ms at the 99th percentile.
//   hover      the pointer moving between Login and Exit (the hot item changes each time)
//   open       a click on Help opening its submenu (the manager's default: no animation)
//   move       the pointer moving between Home Page and About in the open submenu
//   close      a second click on Help closing the submenu and ending menu mode
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "app/FrmMain.h"
#include "app/LindoraRun.h"
#include "app/TempRegistryFolder.h"
#include "bars/controls/BarControl.h"
#include "bars/controls/BarSubItemControl.h"
#include "bars/controls/ItemControl.h"
#include "bars/controls/SubMenuControl.h"
#include "bars/model/Bar.h"
#include "bars/model/BarButton.h"
#include "bars/model/BarItemLinks.h"
#include "bars/model/BarManager.h"
#include "bars/model/BarSubItem.h"
#include "platform/offscreen/OffscreenIntegration.h"
#include "ui/Application.h"

using namespace lindora;

namespace {

constexpr int Steps = 2000;

class MainWindow {
public:
    MainWindow() {
        registerLindoraPlatforms();
        platform_ = &OffscreenIntegration::install();
        app_ = std::make_unique<Application>();
        app_->initialize();
        form_ = FrmMain::create(*app_, "/opt/lindora/lindora");
        app_->processMessages();
    }
    ~MainWindow() {
        app_.reset();
        PlatformIntegration::install(nullptr);
    }

    BarControl& toolbar() const {
        Bar& bar = *static_cast<Bar*>(form_->BarManager1->bars().items().front());
        return dynamic_cast<BarControl&>(*bar.control());
    }
    static ItemControl& controlIn(const CustomBarControl& window, const BarItem* item) {
        for (BarItemLink* l : window.itemLinks().visibleLinks())
            if (l->item() == item) return dynamic_cast<ItemControl&>(*l->control());
        throw std::runtime_error("no control for the item");
    }
    ItemControl& toolbarControl(const BarItem* item) const { return controlIn(toolbar(), item); }
    BarSubItemControl& help() const {
        return dynamic_cast<BarSubItemControl&>(toolbarControl(form_->BarSubItem1));
    }
    SubMenuControl* helpMenu() const { return dynamic_cast<SubMenuControl*>(help().subMenu()); }
    static Point centreOf(const ItemControl& c) {
        const Rect r = c.itemRect();
        return c.parent()->clientToScreen(Point((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    }

    // One step: the event, then everything it causes up to the painted store.
    template <typename Inject>
    double step(Inject inject) {
        const auto start = std::chrono::steady_clock::now();
        inject(platform_->input());
        app_->processMessages();
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }

    // Virtual time passes (not measured): clicks further apart than a double click.
    void pause(int ms) {
        platform_->advance(ms);
        app_->processMessages();
    }

    FrmMain& form() const { return *form_; }

private:
    test::TempRegistryFolder store_;
    OffscreenIntegration* platform_ = nullptr;
    std::unique_ptr<Application> app_;
    FrmMain* form_ = nullptr;
};

void report(benchmark::State& state, std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    const auto at = [&](double q) { return samples[std::min(samples.size() - 1, std::size_t(q * samples.size()))]; };
    state.counters["median_ms"] = at(0.5);
    state.counters["p99_ms"] = at(0.99);
    state.counters["steps"] = static_cast<double>(samples.size());
}

void BM_HoverToolbarItem(benchmark::State& state) {
    MainWindow w;
    const Point login = MainWindow::centreOf(w.toolbarControl(w.form().btnLogin));
    const Point exit = MainWindow::centreOf(w.toolbarControl(w.form().btnExit));
    std::vector<double> samples;
    for (auto _ : state)
        for (int i = 0; i < Steps; ++i)
            samples.push_back(w.step([&](OffscreenInputDriver& in) { in.mouseMove(i % 2 ? exit : login); }));
    report(state, std::move(samples));
}

void BM_OpenAndCloseHelp(benchmark::State& state) {
    MainWindow w;
    const Point help = MainWindow::centreOf(w.help());
    std::vector<double> opening, closing;
    for (auto _ : state)
        for (int i = 0; i < Steps; ++i) {
            opening.push_back(w.step([&](OffscreenInputDriver& in) { in.click(help); }));
            if (!w.help().isOpen()) state.SkipWithError("the click did not open the Help submenu");
            w.pause(1000);
            closing.push_back(w.step([&](OffscreenInputDriver& in) { in.click(help); }));
            if (w.help().isOpen()) state.SkipWithError("the second click did not close the Help submenu");
            w.pause(1000);
        }
    state.SetLabel("open; close below");
    report(state, std::move(opening));
    std::sort(closing.begin(), closing.end());
    state.counters["close_median_ms"] = closing[closing.size() / 2];
    state.counters["close_p99_ms"] = closing[std::min(closing.size() - 1, closing.size() * 99 / 100)];
}

void BM_MoveInHelpSubmenu(benchmark::State& state) {
    MainWindow w;
    w.step([&](OffscreenInputDriver& in) { in.click(MainWindow::centreOf(w.help())); });
    SubMenuControl* menu = w.helpMenu();
    if (!menu) {
        state.SkipWithError("the click did not open the Help submenu");
        return;
    }
    const Point home = MainWindow::centreOf(MainWindow::controlIn(*menu, w.form().btnHomePage));
    const Point about = MainWindow::centreOf(MainWindow::controlIn(*menu, w.form().btnAbout));
    std::vector<double> samples;
    for (auto _ : state)
        for (int i = 0; i < Steps; ++i)
            samples.push_back(w.step([&](OffscreenInputDriver& in) { in.mouseMove(i % 2 ? about : home); }));
    report(state, std::move(samples));
}

}  // namespace

BENCHMARK(BM_HoverToolbarItem)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenAndCloseHelp)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MoveInHelpSubmenu)->Iterations(1)->Unit(benchmark::kMillisecond);
