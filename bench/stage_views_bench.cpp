// Stage views of the default stage as the user asks for them: the sheet
// (view 10: calculation, blocks, tables) and the large sheet (view 11) on
// the screen, the assembly drawing (view 5) as a DXF file.
#include "drawingbench.h"
#include "drawings/stage/composer.h"
#include "graphics/cad/cadscreen.h"
#include "graphics/graphfacade.h"

#include <benchmark/benchmark.h>

namespace
{

void BM_StageView(benchmark::State& state)
{
    const int device = static_cast<int>(state.range(0));
    const int view = static_cast<int>(state.range(1));
    const TDrawingBenchDir dir("bench");
    TCadScreen* previous = SetCadScreen(nullptr);
    for (auto _ : state) {
        DisplayList.Records.clear();
        PlanetDrawView(static_cast<int16_t>(device), static_cast<int16_t>(view));
        benchmark::DoNotOptimize(DisplayList.Records.size());
        if (telmvar.Aborted || telmvar.FatalCalcError) {
            state.SkipWithError("the view was not drawn");
            break;
        }
    }
    SetCadScreen(previous);
}
BENCHMARK(BM_StageView)
    ->ArgNames({"device", "view"})
    ->Args({3, 10})
    ->Args({3, 11})
    ->Args({1, 5})
    ->Unit(benchmark::kMillisecond);

} // namespace
