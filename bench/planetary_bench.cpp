// Whole-stage calculation of the default stage, as every accepted input runs it.
#include "foundation/foundationstate.h"
#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "planetary/stage.h"
#include "planetary/stagecalc.h"
#include "planetary/stagedefaults.h"

#include <benchmark/benchmark.h>

namespace
{

// A run that stops at a fatal error measures nothing of the calculation.
bool CalculatesToTheEnd(benchmark::State& state)
{
    CalcPlanetaryStage();
    if (!telmvar.FatalCalcError) return true;
    state.SkipWithError(("fatal: " + error0.FatalText).c_str());
    return false;
}

void BM_CalcPlanetaryStage_Default(benchmark::State& state)
{
    ResetFoundationState();
    InitProgramDefaults();
    SetDefaultInput();
    if (!CalculatesToTheEnd(state)) return;
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
    telmvar.DbfDir = QYR7_DATA_DIR "/"; // the life material of the spectrum
    // Ten load levels from the nominal torque down, 1e5 cycles each more.
    GearPair.LoadSpectrumCount = 10;
    for (int k = 1; k <= 10; ++k)
        PlanetaryStage.LoadSpectrum[k] = {1e5L * k, 6875.0L * (11 - k) / 10}; // TN of the default drive
    if (!CalculatesToTheEnd(state)) return;
    for (auto _ : state) {
        CalcPlanetaryStage();
        benchmark::DoNotOptimize(PlanetaryGears.SH[1][1]);
    }
}
BENCHMARK(BM_CalcPlanetaryStage_Spectrum);

} // namespace
