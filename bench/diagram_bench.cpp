// A diagram curve of 10 000 marked segments drawn onto the screen device,
// as a dense life or sliding curve is: clipped by the diagram, passed
// through the CAD layer and recorded in the graphics window's display list.
// The range picks the marker (0 none, 1 circles, 5 crosses); a third of the
// curve runs beyond the plot area and is cut there.
#include "foundation/foundationstate.h"
#include "foundation/programstate.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/cad/cadscreen.h"
#include "graphics/cadsettings.h"
#include "graphics/diagrams/diagram.h"
#include "graphics/graphfacade.h"
#include "graphics/graphwindow.h"
#include "reports/textview/printsettings.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace
{

void BM_Diagram10000MarkedSegments(benchmark::State& state)
{
    ResetFoundationState();
    ResetCadSettings();
    ResetCadState();
    ResetCadOutput();
    ResetGraphWindow();
    ResetDiagramState();
    SetCadScreen(nullptr);
    cadsettings.SheetShowFooter = true;
    telmvar.ScreenPixelsX = 1280;
    telmvar.ScreenPixelsY = 960;
    const int kind = static_cast<int>(state.range(0));
    constexpr int Segments = 10000;
    std::size_t records = 0;
    for (auto _ : state) {
        CadOpenOutput(3);
        CadBeginDrawing(0, 0, 160, 120, 0);
        CadBeginEntities();
        SetDiagramSize(125, 95);
        SetDiagramOrigin(18, 10);
        DrawDiagramAxes("x", "y", "curve", 0, -1, 100, 1, 0);
        CadSetLayer(5);
        for (int i = 0; i < Segments; ++i) {
            const Extended x1 = i * 0.01L;
            const Extended x2 = x1 + 0.01L;
            DiagramMarkedLine(kind, x1, 1.5L * std::sin(x1 / 4), x2, 1.5L * std::sin(x2 / 4));
        }
        CadEndSection();
        CadCloseOutput();
        records = DisplayList.Records.size();
        benchmark::DoNotOptimize(DisplayList.Records.size());
    }
    state.SetItemsProcessed(state.iterations() * Segments);
    state.counters["records"] = static_cast<double>(records);
    ResetCadOutput();
    ResetGraphWindow();
    ResetDiagramState();
}
BENCHMARK(BM_Diagram10000MarkedSegments)->Arg(0)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond);

} // namespace
