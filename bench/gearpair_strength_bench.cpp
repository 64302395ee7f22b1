// Load capacity of one gear pair: a single strength run, and the limit torque
// search that runs it up to a hundred times per mode for a load spectrum.
#include "foundation/foundationstate.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/calcgearpair.h"
#include "gearpair/strength/calcstrength.h"
#include "gearpair/strength/limitload.h"

#include <benchmark/benchmark.h>

namespace
{

void PrepareDefaultPair(int method)
{
    ResetFoundationState();
    SetGearDefaults();
    InitGearPairData();
    GearPair.CalcMethod = method;
    CalcGearPair();
}

void BM_CalcStrength(benchmark::State& state)
{
    PrepareDefaultPair(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CalcStrength();
        benchmark::DoNotOptimize(GearPair.SH[1]);
    }
}
BENCHMARK(BM_CalcStrength)->Arg(1)->Arg(4)->ArgName("method");

void BM_FindLimitLoad(benchmark::State& state)
{
    PrepareDefaultPair(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(FindLimitLoad(1));
        benchmark::DoNotOptimize(FindLimitLoad(2));
    }
}
BENCHMARK(BM_FindLimitLoad)->Arg(1)->Arg(4)->ArgName("method");

} // namespace
