// Saving and reading one settings key of ten values, the way a form's settings do at close and
// at start, in a store relocated to a temporary folder.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "store/Registry.h"
#include "store/RegistryRoots.h"
#include "support/TempStoreFolder.h"

namespace {

using namespace lindora;

using test::TempStoreFolder;

const char* const kKey = "Software\\Quintvel\\Lindora\\1.0\\frmMain";

void writeTenValues(Registry& reg, int round) {
    reg.WriteInteger("Left", round);
    reg.WriteInteger("Top", 120);
    reg.WriteInteger("Width", 800);
    reg.WriteInteger("Height", 600);
    reg.WriteInteger("State", 0);
    const uint8_t mainForm[] = {4, 0, 0, 0, 1};
    reg.WriteBinaryData("MainForm", mainForm);
    reg.WriteString("ScreenRes", "1280x1024");
    const uint8_t mru[] = {7, 0, 0, 0, 0, 0, 0, 0};
    reg.WriteBinaryData("MRUList", mru);
    reg.WriteString("Caption", "Lindora");
    reg.WriteString("LastFile", "/home/user/Documents/report.pdf");
}

// The key as the first save leaves it.
void storeTenValues() {
    Registry reg;
    reg.OpenKey(kKey, true);
    writeTenValues(reg, 1);
}

void BM_SaveKeyWithTenValues(benchmark::State& state) {
    TempStoreFolder store;
    int round = 0;
    for (auto _ : state) {
        Registry reg;
        reg.OpenKey(kKey, true);
        writeTenValues(reg, ++round);
        reg.CloseKey();  // saves: lock, merge, write, fsync, rename
    }
}
BENCHMARK(BM_SaveKeyWithTenValues);

void BM_ReadKeyWithTenValues(benchmark::State& state) {
    TempStoreFolder store;
    storeTenValues();
    for (auto _ : state) {
        Registry reg;
        reg.OpenKey(kKey, false);
        for (const auto& name : reg.GetValueNames()) benchmark::DoNotOptimize(reg.GetDataSize(name));
        benchmark::DoNotOptimize(reg.ReadInteger("Left"));
        benchmark::DoNotOptimize(reg.ReadString("ScreenRes"));
        benchmark::DoNotOptimize(reg.ReadBinaryData("MainForm"));
    }
}
BENCHMARK(BM_ReadKeyWithTenValues);

// Reading at start, when the store is first opened: the file is read and parsed too.
void BM_ReadKeyFromAFreshStore(benchmark::State& state) {
    TempStoreFolder store;
    storeTenValues();
    for (auto _ : state) {
        RegistryRoots::reset();
        Registry reg;
        reg.OpenKey(kKey, false);
        benchmark::DoNotOptimize(reg.ReadInteger("Left"));
        benchmark::DoNotOptimize(reg.ReadString("ScreenRes"));
    }
}
BENCHMARK(BM_ReadKeyFromAFreshStore);

}  // namespace
