// The life and safety diagrams of the default stage's mesh S-Pi drawn onto
// the screen device, as the view menu draws them: the torque limit search,
// one strength calculation per curve point (118 for the life curves, 35 for
// the safety curves) or a whole pair calculation per tolerance class (12),
// the frame, the legend and the recalculation of the pair afterwards.
// Arg: the kind, 1 life, 2 safety, 3 safety against the tolerance class.
#include "drawings/diagrams/lifesafetydiagram.h"
#include "foundation/foundationstate.h"
#include "foundation/programstate.h"
#include "gearpair/lifeparams.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadscreen.h"
#include "graphics/cadsettings.h"
#include "graphics/diagrams/diagram.h"
#include "graphics/graphfacade.h"
#include "graphics/graphwindow.h"
#include "planetary/meshtransfer.h"
#include "planetary/stagecalc.h"
#include "planetary/stagedefaults.h"
#include "planetary/suggestions.h"
#include "reports/engine/reportservicedefaults.h"

#include <benchmark/benchmark.h>

namespace
{

void BM_LifeSafetyDiagramSPi(benchmark::State& state)
{
    ResetFoundationState();
    ResetCadSettings();
    ResetCadState();
    ResetCadOutput();
    ResetGraphWindow();
    ResetDiagramState();
    ResetReportServices();
    SetCadScreen(nullptr);
    cadsettings.SheetShowFooter = true;
    telmvar.ScreenPixelsX = 1280;
    telmvar.ScreenPixelsY = 960;
    InitProgramDefaults();
    SetDefaultInput();
    ResetLifeParams();
    CalcPlanetaryStage();
    LoadCalculatedMesh(mSPi);
    const auto kind = static_cast<uint16_t>(state.range(0));
    std::size_t records = 0;
    for (auto _ : state) {
        DrawLifeSafetyDiagrams(kind, 3, "S-Pi");
        records = DisplayList.Records.size();
        benchmark::DoNotOptimize(DisplayList.Records.size());
    }
    state.counters["records"] = static_cast<double>(records);
    ResetCadOutput();
    ResetGraphWindow();
    ResetDiagramState();
}
BENCHMARK(BM_LifeSafetyDiagramSPi)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

} // namespace
