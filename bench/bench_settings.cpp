// Saving and restoring a form's settings the way a window does at close and at start: five
// bound properties of a component plus the placement values, in a store relocated to a
// temporary folder, on the offscreen backend.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/FrmMain.h"
#include "app/LindoraRun.h"
#include "bars/model/BarButton.h"
#include "base/ClassBuilder.h"
#include "platform/offscreen/OffscreenIntegration.h"
#include "settings/PFormSettings.h"
#include "settings/PSetting.h"
#include "store/RegistryRoots.h"
#include "support/TempStoreFolder.h"
#include "ui/Application.h"
#include "ui/Form.h"

namespace {

using namespace lindora;

class BenchButton : public Component {
    LINDORA_CLASS(BenchButton)
public:
    using Component::Component;
    bool down = false;
    std::string caption = "Auto Login";
    int width = 75;
    double ratio = 0.5;
    StringList lines{{"one", "two"}};
};

const ClassInfo& BenchButton::classInfo() {
    static const ClassInfo info =
        ClassBuilder<BenchButton>("BenchButton", Component::classInfo())
            .property(
                "Down", [](const BenchButton& b) { return b.down; }, [](BenchButton& b, bool v) { b.down = v; })
            .property(
                "Caption", [](const BenchButton& b) { return b.caption; },
                [](BenchButton& b, const std::string& v) { b.caption = v; })
            .property(
                "Width", [](const BenchButton& b) { return b.width; }, [](BenchButton& b, int v) { b.width = v; })
            .property(
                "Ratio", [](const BenchButton& b) { return b.ratio; }, [](BenchButton& b, double v) { b.ratio = v; })
            .property("Lines", [](const BenchButton& b) -> const StringList& { return b.lines; });
    return info;
}

class Fixture {
public:
    Fixture() {
        OffscreenIntegration::install();
        form = std::make_unique<Form>();
        form->setName("frmMain");
        form->handleNeeded();
        settings = new PFormSettings(form.get());
        settings->setCompanyName("Quintvel");
        settings->setSoftwareName("Lindora");
        settings->setSoftwareVersion("1.0");
        button = new BenchButton(form.get());
        button->setName("btnAutoLogin");
        for (const char* path : {"btnAutoLogin.Down", "btnAutoLogin.Caption", "btnAutoLogin.Width",
                                 "btnAutoLogin.Ratio", "btnAutoLogin.Lines"})
            settings->addSetting(path);
        for (PSetting* s : settings->settings()) s->snapshot();
    }
    ~Fixture() {
        form.reset();
        PlatformIntegration::install(nullptr);
    }

    test::TempStoreFolder store;  // first in, last out
    std::unique_ptr<Form> form;
    PFormSettings* settings = nullptr;
    BenchButton* button = nullptr;
};

void BM_SaveFormSettings(benchmark::State& state) {
    Fixture f;
    auto store = RegistryRoots::store(RegistryRoot::CurrentUser);
    const uint64_t writesBefore = store->fileWrites();
    int round = 0;
    for (auto _ : state) {
        f.button->down = (++round & 1) != 0;  // a changed value each time, as after real use
        f.settings->registrySave();
    }
    // How often one save replaces the store file.
    state.counters["file_writes_per_save"] =
        benchmark::Counter(double(store->fileWrites() - writesBefore), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_SaveFormSettings);

void BM_RestoreFormSettings(benchmark::State& state) {
    Fixture f;
    f.button->down = true;
    f.settings->registrySave();
    for (auto _ : state) {
        f.settings->registryRestore();
        benchmark::DoNotOptimize(f.button->down);
    }
}
BENCHMARK(BM_RestoreFormSettings);

// The program's own main window, built from its description: its settings component keeps the
// Auto Login choice and the placement.
class MainWindowFixture {
public:
    MainWindowFixture() {
        registerLindoraPlatforms();
        OffscreenIntegration::install();
        app = std::make_unique<Application>();
        app->initialize();
        form = FrmMain::create(*app, "/opt/lindora/lindora");
    }
    ~MainWindowFixture() {
        app.reset();
        PlatformIntegration::install(nullptr);
    }

    test::TempStoreFolder store;  // first in, last out
    std::unique_ptr<Application> app;
    FrmMain* form = nullptr;
};

void BM_SaveMainWindowSettings(benchmark::State& state) {
    MainWindowFixture f;
    for (auto _ : state) {
        f.form->btnAutoLogin->click();  // a changed choice each time
        f.form->FormSettings->registrySave();
    }
}
BENCHMARK(BM_SaveMainWindowSettings);

void BM_RestoreMainWindowSettings(benchmark::State& state) {
    MainWindowFixture f;
    f.form->btnAutoLogin->click();
    f.form->FormSettings->registrySave();
    for (auto _ : state) {
        f.form->FormSettings->registryRestore();
        benchmark::DoNotOptimize(f.form->btnAutoLogin->down());
    }
}
BENCHMARK(BM_RestoreMainWindowSettings);

}  // namespace
