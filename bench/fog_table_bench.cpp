// Start-up cost of the colour tables.
#include <benchmark/benchmark.h>

#include "render/palette.h"

static void BM_BuildFogTable(benchmark::State& state) {
    BuildPalette(Palette);
    for (auto _ : state) {
        BuildFogTable(Palette);
        benchmark::DoNotOptimize(FogTable);
    }
    state.SetLabel("one full 65536-cell build per iteration");
}
BENCHMARK(BM_BuildFogTable)->Unit(benchmark::kMillisecond);
