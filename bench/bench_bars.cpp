// The bar model's hot paths: building a manager with many items and links, and the derived
// link lists and recent counts that every menu opening asks for.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bars/model/BarButton.h"
#include "bars/model/BarFramework.h"
#include "bars/model/BarManager.h"
#include "base/ClassRegistry.h"
#include "base/FormDescription.h"
#include "platform/offscreen/OffscreenIntegration.h"
#include "ui/Form.h"

using namespace lindora;

namespace {

struct Environment {
    Environment() {
        OffscreenIntegration::install();
        BarFramework::startUp();
    }
};

// A form with a manager, `count` buttons and one bar linking them all.
std::unique_ptr<Form> buildForm(int count) {
    auto form = std::make_unique<Form>();
    form->setName("frmBench");
    auto* manager = new BarManager(form.get());
    manager->setName("BarManager1");
    Bar* bar = manager->bars().add();
    bar->setCaption("Bench");
    for (int i = 0; i < count; ++i) {
        auto* b = new BarButton(form.get());
        b->setName("btn" + std::to_string(i));
        b->setCategory(0);
        b->setCaption("Command " + std::to_string(i));
        BarItemLink* link = bar->itemLinks().add();
        link->setItem(b);
        link->setBeginGroup(i % 7 == 0);
    }
    return form;
}

void BM_BuildManagerWithItems(benchmark::State& state) {
    static Environment env;
    for (auto _ : state) {
        auto form = buildForm(static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(form.get());
    }
}
BENCHMARK(BM_BuildManagerWithItems)->Arg(10)->Arg(100);

void BM_RefreshListsAndRecentCount(benchmark::State& state) {
    static Environment env;
    auto form = buildForm(static_cast<int>(state.range(0)));
    auto* manager = dynamic_cast<BarManager*>(form->findComponent("BarManager1"));
    BarItemLinks& links = manager->bars().items(0)->itemLinks();
    for (auto _ : state) {
        links.refreshLists();
        benchmark::DoNotOptimize(links.recentCount());
        benchmark::DoNotOptimize(links.items(links.count() - 1)->beginGroup());
    }
}
BENCHMARK(BM_RefreshListsAndRecentCount)->Arg(10)->Arg(100);

void BM_WriteAndReadDescription(benchmark::State& state) {
    static Environment env;
    auto form = buildForm(static_cast<int>(state.range(0)));
    const std::string text = writeFormDescription(*form);
    registerClass(Form::classInfo());
    for (auto _ : state) {
        Form copy;
        readFormDescription(text, copy);
        benchmark::DoNotOptimize(copy.componentCount());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_WriteAndReadDescription)->Arg(10)->Arg(100);

}  // namespace
