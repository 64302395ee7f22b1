// Speed of the involute and of its inverse by bisection: every tooth form,
// every working pressure angle and every measuring value goes through them.
#include "foundation/guardedmath.h"

#include <benchmark/benchmark.h>

namespace
{

void BM_Involute(benchmark::State& state)
{
    Extended a = 0.35L;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Involute(a));
        a += 1e-9L;
    }
}
BENCHMARK(BM_Involute);

void BM_ArcInvolute(benchmark::State& state)
{
    // Over the angles of real gearing, 0 .. 1.2 rad.
    const Extended angle = static_cast<Extended>(state.range(0)) / 100;
    const Extended inv = Involute(angle);
    for (auto _ : state)
        benchmark::DoNotOptimize(ArcInvolute(inv));
}
BENCHMARK(BM_ArcInvolute)->Arg(5)->Arg(35)->Arg(70)->Arg(120);

} // namespace
