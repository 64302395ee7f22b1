// Stage views of the default stage as the user asks for them: the sheet
// (view 10: calculation, blocks, tables) and the large sheet (view 11) on
// the screen, the assembly drawing (view 5) as a DXF file.
#include "drawings/stage/composer.h"
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

void BM_StageView(benchmark::State& state)
{
    const int device = static_cast<int>(state.range(0));
    const int view = static_cast<int>(state.range(1));
    char tmpl[] = "/tmp/qyr7_stageviews_bench_XXXXXX";
    const char* dir = ::mkdtemp(tmpl);
    ResetFoundationState();
    InitProgramDefaults();
    SetDefaultInput();
    telmvar.DbfDir = "/nonexistent/";
    CalcPlanetaryStage();
    ResetCadSettings();
    ResetCadState();
    ResetCadOutput();
    ResetHatchState();
    telmvar.TempDir = dir != nullptr ? dir : "/tmp";
    telmvar.CadDir = telmvar.TempDir;
    telmvar.ProjectName = telmvar.TempDir + "/bench";
    wtelmvar.CadSkipSaveDialog = true;
    cadsettings.CadExecFile = false;
    reportservices.CheckFileName = [](const std::string&) {};
    TCadScreen* previous = SetCadScreen(nullptr);
    for (auto _ : state) {
        GraphFacade.DrawRecordList.clear();
        PlanetDrawView(static_cast<int16_t>(device), static_cast<int16_t>(view));
        benchmark::DoNotOptimize(GraphFacade.DrawRecordList.size());
        if (telmvar.Aborted || telmvar.FatalCalcError) {
            state.SkipWithError("the view was not drawn");
            break;
        }
    }
    SetCadScreen(previous);
    std::error_code ec;
    if (dir != nullptr) std::filesystem::remove_all(dir, ec);
}
BENCHMARK(BM_StageView)->ArgNames({"device", "view"})->Args({3, 10})->Args({3, 11})->Args({1, 5})->Unit(benchmark::kMillisecond);

} // namespace
