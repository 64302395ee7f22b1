// The block front view of the default stage drawn to the screen: the wheel
// blocks (two mesh calculations and four tooth contours, the Wolf symbol)
// and the assembled wheels, as the stage sheets draw them.
#include "drawings/stage/frontviews.h"
#include "foundation/foundationstate.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "graphics/cad/cadhatch.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadscreen.h"
#include "graphics/cadsettings.h"
#include "graphics/graphfacade.h"
#include "planetary/stagecalc.h"
#include "planetary/stagedefaults.h"
#include "reports/engine/reportservices.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace
{

void BM_FrontViewBlocksAndWheels(benchmark::State& state)
{
    char tmpl[] = "/tmp/qyr7_frontview_bench_XXXXXX";
    const char* dir = ::mkdtemp(tmpl);
    ResetFoundationState();
    InitProgramDefaults();
    SetDefaultInput();
    CalcPlanetaryStage();
    ResetCadSettings();
    ResetCadState();
    ResetCadOutput();
    ResetHatchState();
    telmvar.TempDir = dir != nullptr ? dir : "/tmp";
    telmvar.ProjectName = telmvar.TempDir + "/bench";
    wtelmvar.CadSkipSaveDialog = true;
    cadsettings.CadExecFile = false;
    reportservices.CheckFileName = [](const std::string&) {};
    TCadScreen* previous = SetCadScreen(nullptr);
    for (auto _ : state) {
        GraphFacade.DrawRecordList.clear();
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
        benchmark::DoNotOptimize(GraphFacade.DrawRecordList.size());
    }
    SetCadScreen(previous);
    std::error_code ec;
    if (dir != nullptr) std::filesystem::remove_all(dir, ec);
}
BENCHMARK(BM_FrontViewBlocksAndWheels)->Unit(benchmark::kMillisecond);

} // namespace
