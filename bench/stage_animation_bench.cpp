// The stage animation of the default stage recorded onto the screen's
// display list: the gear wheels with the proposed 120 steps and the
// schematic picture with 180 steps. The counters give the display list's
// size, the budget being 100 MB for the wheels; the time goes mostly into
// formatting the records' numbers and into the screen device reading the
// wheel blocks back at every insert.
#include "stage_animation_bench.h"

#include "drawings/stage/planetanimation.h"
#include "foundation/foundationstate.h"
#include "foundation/guardedmath.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "graphics/cad/cadhatch.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadscreen.h"
#include "graphics/cadsettings.h"
#include "graphics/graphfacade.h"
#include "graphics/graphwindow.h"
#include "planetary/stagecalc.h"
#include "planetary/stagedefaults.h"
#include "reports/engine/reportservices.h"

#include "scratch/benchscratch.h"
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

std::size_t RecordDefaultStageAnimation(int Kind, int Steps, const std::string& ScratchDir)
{
    ResetFoundationState();
    InitProgramDefaults();
    SetDefaultInput();
    CalcPlanetaryStage();
    ResetCadSettings();
    ResetCadState();
    ResetCadOutput();
    ResetHatchState();
    telmvar.TempDir = ScratchDir;
    telmvar.ProjectName = ScratchDir + "/bench";
    wtelmvar.CadSkipSaveDialog = true;
    cadsettings.CadExecFile = false;
    reportservices.CheckFileName = [](const std::string&) {};
    GraphFacade.Clear();
    TStageAnimationRun run;
    run.Steps = Steps;
    run.TotalAngle = 2 * Pi;
    run.PauseMs = 0;
    RecordStageAnimation(static_cast<int16_t>(Kind), run, 3);
    return DisplayList.Records.TextBytes();
}

namespace
{

void BM_StageAnimationRecord(benchmark::State& state)
{
    std::string tmpl = BenchScratchPath("qyr7_animation_bench_XXXXXX");
    const char* dir = ::mkdtemp(tmpl.data());
    const std::string scratch = dir != nullptr ? dir : BenchScratchDir();
    TCadScreen* previous = SetCadScreen(nullptr);
    std::size_t bytes = 0, held = 0, records = 0;
    for (auto _ : state) {
        bytes = RecordDefaultStageAnimation(static_cast<int>(state.range(0)),
                                            static_cast<int>(state.range(1)), scratch);
        held = DisplayList.Records.MemoryBytes();
        records = DisplayList.Records.size();
        benchmark::DoNotOptimize(bytes);
    }
    // The record texts, and everything the list holds for them: the text
    // chunks and index blocks at their full size.
    state.counters["list_MB"] = static_cast<double>(bytes) / 1e6;
    state.counters["with_objects_MB"] = static_cast<double>(held) / 1e6;
    state.counters["records"] = static_cast<double>(records);
    SetCadScreen(previous);
    ResetGraphWindow();
    std::error_code ec;
    if (dir != nullptr) std::filesystem::remove_all(dir, ec);
}
// Kind 2 (gear wheels) with the 120 steps proposed for zH = -63; kind 1
// (schematic) with the form's 180.
BENCHMARK(BM_StageAnimationRecord)->Args({2, 120})->Args({1, 180})->Unit(benchmark::kMillisecond);

} // namespace
