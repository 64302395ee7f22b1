// Whole-stage calculation of the default stage, as every accepted input runs it.
#include "foundation/foundationstate.h"
#include "gearpair/gearpairdata.h"
#include "planetary/stage.h"
#include "planetary/stagecalc.h"
#include "planetary/stagedefaults.h"

#include <benchmark/benchmark.h>

namespace {

void BM_CalcPlanetaryStage_Default(benchmark::State& state)
{
    ResetFoundationState();
    InitProgramDefaults();
    SetDefaultInput();
    for (auto _ : state) {
        CalcPlanetaryStage();
        benchmark::DoNotOptimize(PlanetaryGears.SH[1][1]);
    }
}
BENCHMARK(BM_CalcPlanetaryStage_Default);

void BM_CalcPlanetaryStage_Spectrum(benchmark::State& state)
{
    ResetFoundationState();
    InitProgramDefaults();
    SetDefaultInput();
    // Ten load levels from the nominal torque down, 1e5 cycles each more.
    GearPair.LoadSpectrumCount = 10;
    for (int k = 1; k <= 10; ++k)
        PlanetaryStage.LoadSpectrum[k] = {1e5L * k, 6875.0L * (11 - k) / 10}; // TN of the default drive
    for (auto _ : state) {
        CalcPlanetaryStage();
        benchmark::DoNotOptimize(PlanetaryGears.SH[1][1]);
    }
}
BENCHMARK(BM_CalcPlanetaryStage_Spectrum);

} // namespace
