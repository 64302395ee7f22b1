// Hardness conversion and the basic-rack converter: the material dialog
// converts silently on every change, and the converter recalculates the
// whole gear pair on every pass of its window.

#include <benchmark/benchmark.h>

#include "dialogs/calculatorwindow.h"
#include "dialogs/stage/basicrackconverter.h"
#include "dialogs/stage/hardness.h"
#include "foundation/foundationstate.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"

// One million conversions over every scale and its whole range.
static void BM_CheckHardnessRangeMillion(benchmark::State& state)
{
    ResetFoundationState();
    ResetHardnessValues();
    for (auto _ : state) {
        for (int i = 0; i < 1000000; ++i) {
            const int s = 1 + i % HardnessScaleCount;
            const Extended f = (i % 997) / 996.0L;
            const Extended v = HardnessRangeLow[s] + f * (HardnessRangeHigh[s] - HardnessRangeLow[s]);
            CheckHardnessRange(s, v);
        }
        benchmark::DoNotOptimize(GetHardnessValue(5));
    }
}
BENCHMARK(BM_CheckHardnessRangeMillion)->Unit(benchmark::kMillisecond);

// One pass of the converter on the default pair: geometry, tolerances,
// load capacity and warnings.
static void BM_BasicRackConverterPass(benchmark::State& state)
{
    ResetFoundationState();
    SetGearDefaults();
    InitGearPairData();
    BasicRackConverterInit(1);
    for (auto _ : state) {
        BasicRackConverterPass(1);
        benchmark::DoNotOptimize(GearPair.eps_alpha);
    }
    OnlineEnd();
}
BENCHMARK(BM_BasicRackConverterPass)->Unit(benchmark::kMicrosecond);
