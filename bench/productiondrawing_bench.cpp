// The production drawing of both gears of the default stage's mesh S-Pi
// (entry 7: two A4 sheets with their frame, section and sheet blocks) into
// a DXF file, written and put in place each time; and the two calculation
// sheets of the same mesh, whose tooth outlines and mesh picture dominate.
#include "drawingbench.h"
#include "drawings/production/productiondrawing.h"
#include "drawings/tooth/calcsheets.h"
#include "foundation/programstate.h"

#include <benchmark/benchmark.h>

namespace
{

void BM_ProductionSheetsBothGearsToDxf(benchmark::State& state)
{
    const TDrawingBenchDir dir("drawing");
    for (auto _ : state) {
        telmvar.Aborted = false;
        ComposeProductionDrawing(1, 3, 7, "S-Pi");
    }
}
BENCHMARK(BM_ProductionSheetsBothGearsToDxf)->Unit(benchmark::kMillisecond);

void BM_CalculationSheetsToDxf(benchmark::State& state)
{
    const TDrawingBenchDir dir("drawing");
    for (auto _ : state) {
        telmvar.Aborted = false;
        WriteStrengthSheet(1, "1=S", "2=Pi");
        WriteGeometrySheet(1, "1=S", "2=Pi");
    }
}
BENCHMARK(BM_CalculationSheetsToDxf)->Unit(benchmark::kMillisecond);

} // namespace
