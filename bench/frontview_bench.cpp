// The block front view of the default stage drawn to the screen: the wheel
// blocks (two mesh calculations and four tooth contours, the Wolf symbol)
// and the assembled wheels, as the stage sheets draw them.
#include "drawingbench.h"
#include "drawings/stage/frontviews.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadscreen.h"
#include "graphics/graphfacade.h"

#include <benchmark/benchmark.h>

namespace
{

void BM_FrontViewBlocksAndWheels(benchmark::State& state)
{
    const TDrawingBenchDir dir("bench");
    TCadScreen* previous = SetCadScreen(nullptr);
    for (auto _ : state) {
        DisplayList.Records.clear();
        CadOpenOutput(3);
        CadBeginDrawingDefault();
        CadWriteTables(0);
        CadBeginBlocks();
        DefineFrontViewBlocks(0);
        CadEndSection();
        CadBeginEntities();
        DrawFrontView();
        CadDeviceReady();
        CadEndSection();
        CadCloseOutput();
        benchmark::DoNotOptimize(DisplayList.Records.size());
    }
    SetCadScreen(previous);
}
BENCHMARK(BM_FrontViewBlocksAndWheels)->Unit(benchmark::kMillisecond);

} // namespace
