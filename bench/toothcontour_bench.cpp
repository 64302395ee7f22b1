// Speed of the tooth outline: a ring gear picture inserts it for every
// tooth and the meshing animation regenerates both gears, so a whole
// outline at the finest settings (256 involute points, 200 fillet steps)
// must stay cheap. Drawn on the null device (CAD device 0), so the figure
// is the geometry and the CAD layer's own work, without a file.
#include "drawings/tooth/toothcontour.h"
#include "foundation/foundationstate.h"
#include "foundation/guardedmath.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/animation.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cadsettings.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace
{

void LoadGear(int I, int Z, Extended Mn)
{
    ResetFoundationState();
    SetGearDefaults();
    InitGearPairData();
    ResetCadSettings();
    ResetCadState();
    ResetCadOutput();
    SetCadDevice(0);
    auto& g = GearPair;
    g.InvolutePoints = 256;
    g.FilletResolution = 200;
    g.DrawRootCurve = true;
    g.mn = Mn;
    g.alpha = 20;
    g.alpha_rad = DegToRad(20);
    g.alpha_t = g.alpha_rad;
    for (int k = 1; k <= 2; ++k) {
        g.z[k] = k == I ? Z : 25;
        g.d[k] = g.dw[k] = g.z[k] * Mn;
        g.db[k] = g.d[k] * std::cos(g.alpha_t);
        g.haP0[k] = 1.25L * Mn;
        g.hfP0[k] = Mn;
        g.rhoaP0[k] = 0.38L * Mn;
        g.dNf[k] = 2 * std::fabs(g.d[k]);
    }
    confgraf(g.x_pic);
}

void Run(benchmark::State& state, int Gear)
{
    int64_t vertices = 0;
    for (auto _ : state) {
        const TToothContour c = BuildToothContour(Gear, true);
        for (const TContourPath& p : c.Paths)
            vertices += static_cast<int64_t>(p.Vertices.size());
        SendContourToCad(c);
        benchmark::DoNotOptimize(c.Paths.data());
    }
    state.counters["vertices/s"] =
        benchmark::Counter(static_cast<double>(vertices), benchmark::Counter::kIsRate);
}

// Ring gear z -63, module 3: internal root, 2 x 256 + 4 vertices.
void BM_ToothContourRing(benchmark::State& state)
{
    LoadGear(2, -63, 3);
    Run(state, 2);
}
BENCHMARK(BM_ToothContourRing);

// Pinion z 20 with both root trochoids at 200 steps per pitch.
void BM_ToothContourPinionWithTrochoids(benchmark::State& state)
{
    LoadGear(1, 20, 2);
    Run(state, 1);
}
BENCHMARK(BM_ToothContourPinionWithTrochoids);

} // namespace
