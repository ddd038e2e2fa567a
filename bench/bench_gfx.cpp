// Drawing costs for later comparison: filling a toolbar-sized strip, and captions measured
// (uncached, then through the measurement cache) and drawn.
#include "gfx/Canvas.h"
#include "gfx/TextEngine.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using namespace lindora;

std::vector<std::string> captions() {
    std::vector<std::string> out;
    for (int i = 0; i < 100; ++i) out.push_back("&Caption number " + std::to_string(i));
    return out;
}

void BM_FillStripSolid(benchmark::State& state) {
    Canvas c(1920, 40);
    Brush face(clBtnFace);
    for (auto _ : state) {
        c.fillRect({0, 0, 1920, 40}, face);
        benchmark::DoNotOptimize(c.bitmap().data());
    }
    state.SetItemsProcessed(state.iterations() * 1920 * 40);
}
BENCHMARK(BM_FillStripSolid);

void BM_FillStripChecker(benchmark::State& state) {
    Canvas c(1920, 40);
    Brush checker = Brush::checker(clBtnFace, clBtnHighlight);
    for (auto _ : state) {
        c.fillRect({0, 0, 1920, 40}, checker);
        benchmark::DoNotOptimize(c.bitmap().data());
    }
    state.SetItemsProcessed(state.iterations() * 1920 * 40);
}
BENCHMARK(BM_FillStripChecker);

void BM_Measure100CaptionsUncached(benchmark::State& state) {
    auto list = captions();
    Font font("Tahoma", -11);
    for (auto _ : state)
        for (const auto& s : list) benchmark::DoNotOptimize(TextEngine::instance().measureUncached(font, s));
}
BENCHMARK(BM_Measure100CaptionsUncached);

void BM_Measure100CaptionsCached(benchmark::State& state) {
    auto list = captions();
    Canvas c(1, 1);
    c.setFont(Font("Tahoma", -11));
    for (const auto& s : list) c.textExtent(s);  // warm
    for (auto _ : state)
        for (const auto& s : list) benchmark::DoNotOptimize(c.textExtent(s));
}
BENCHMARK(BM_Measure100CaptionsCached);

void BM_Draw100Captions(benchmark::State& state) {
    auto list = captions();
    Canvas c(1920, 40);
    c.setFont(Font("Tahoma", -11));
    for (auto _ : state) {
        int x = 0;
        for (const auto& s : list) {
            Rect r{x % 1800, 0, x % 1800 + 120, 22};
            c.drawText(r, s, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
            x += 18;
        }
        benchmark::DoNotOptimize(c.bitmap().data());
    }
}
BENCHMARK(BM_Draw100Captions);

}  // namespace
