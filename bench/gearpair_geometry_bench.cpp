// Time of the geometry chain of one gear pair (the stage calculation runs it
// three times per input, the predimensioning many times per search).

#include <benchmark/benchmark.h>

#include "foundation/foundationstate.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/calcgearpair.h"

static void BM_CalcGeometryDefaultPair(benchmark::State& state)
{
    ResetFoundationState();
    SetGearDefaults();
    InitGearPairData();
    for (auto _ : state) {
        CalcGeometry();
        benchmark::DoNotOptimize(GearPair.eps_alpha);
    }
}
BENCHMARK(BM_CalcGeometryDefaultPair);

static void BM_CalcGeometryInternalPair(benchmark::State& state)
{
    ResetFoundationState();
    SetGearDefaults();
    InitGearPairData();
    GearPair.mn = 3;
    GearPair.z[1] = 16;
    GearPair.z[2] = -24;
    GearPair.x[1] = 0;
    GearPair.x[2] = -0.5L;
    for (auto _ : state) {
        CalcGeometry();
        benchmark::DoNotOptimize(GearPair.eps_alpha);
    }
}
BENCHMARK(BM_CalcGeometryInternalPair);
