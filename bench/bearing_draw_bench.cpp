// Bearing sections of all ten types, hatching included, drawn into the
// graphics window's display list as the stage section draws them; counted
// in bearings per second (items_per_second).
#include "drawings/bearings/bearingdraw.h"
#include "foundation/foundationstate.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "graphics/cad/cadhatch.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadscreen.h"
#include "graphics/cadsettings.h"
#include "graphics/graphfacade.h"
#include "reports/engine/reportservices.h"

#include "scratch/benchscratch.h"
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace
{

TBearingDrawingData Row(int Type, const char* Name, Extended d, Extended D, Extended B, Extended rs,
                        Extended d1, Extended D1, Extended rs2, Extended alpha)
{
    TBearingDrawingData b;
    b.TypeCode = Type;
    b.Designation = Name;
    b.d = d;
    b.D = D;
    b.B = B;
    b.rs = rs;
    b.d1 = d1;
    b.D1 = D1;
    b.rs2 = rs2;
    b.alpha = alpha;
    return b;
}

// One catalogue row of each type (the shipped tables' values).
std::vector<TBearingDrawingData> Bearings()
{
    std::vector<TBearingDrawingData> v = {
        Row(1, "6206", 30, 62, 16, 1.1L, 39.6L, 52.4L, 0, 0),
        Row(2, "1206", 30, 62, 16, 1.1L, 39.6L, 52.4L, 1.1L, 9.87L),
        Row(3, "HK2520", 25, 32, 20, 1.1L, 0, 0, 0, 0),
        Row(4, "RNA4906", 35, 47, 17, 0.6L, 0, 0, 0.6L, 0),
        Row(5, "NU206", 30, 62, 16, 1.1L, 39.6L, 52.4L, 1.1L, 0),
        Row(6, "30206", 30, 62, 16, 1.1L, 39.6L, 0, 1.1L, 14),
        Row(7, "22206", 30, 62, 20, 1.1L, 39.6L, 52.4L, 1.1L, 10.2L),
        Row(8, "7206B", 30, 62, 16, 1.1L, 39.6L, 52.4L, 1.1L, 40),
        Row(9, "3206", 30, 62, 23.8L, 1.1L, 39.6L, 52.4L, 1.1L, 32),
        Row(10, "K30x35x13", 30, 35, 13, 0, 0, 0, 0, 0),
    };
    v[5].T = 17.25L;
    v[5].OuterRingWidth = 14;
    return v;
}

void BM_BearingSectionsToDisplayList(benchmark::State& state)
{
    std::string tmpl = BenchScratchPath("qyr7_bearing_bench_XXXXXX");
    const char* dir = ::mkdtemp(tmpl.data());
    ResetFoundationState();
    ResetCadSettings();
    ResetCadState();
    ResetCadOutput();
    ResetHatchState();
    telmvar.TempDir = dir != nullptr ? dir : BenchScratchDir();
    telmvar.ProjectName = telmvar.TempDir + "/bench";
    wtelmvar.CadSkipSaveDialog = true;
    cadsettings.CadExecFile = false;
    reportservices.CheckFileName = [](const std::string&) {};
    TCadScreen* previous = SetCadScreen(nullptr);
    // Range 0: all ten types in turn; 1..10: that type alone.
    const int type = static_cast<int>(state.range(0));
    std::vector<TBearingDrawingData> bearings;
    for (const auto& b : Bearings())
        if (type == 0 || b.TypeCode == type) bearings.push_back(b);
    CadOpenOutput(3);
    CadBeginDrawingDefault();
    CadBeginEntities();
    const size_t start = DisplayList.Records.size();
    for (auto _ : state) {
        DisplayList.Records.resize(start);
        for (const auto& b : bearings)
            BearingDraw(b, 1);
    }
    benchmark::DoNotOptimize(DisplayList.Records.size());
    CadCloseOutput();
    SetCadScreen(previous);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(bearings.size()));
    std::error_code ec;
    if (dir != nullptr) std::filesystem::remove_all(dir, ec);
}
BENCHMARK(BM_BearingSectionsToDisplayList)->DenseRange(0, 10)->Unit(benchmark::kMicrosecond);

} // namespace
