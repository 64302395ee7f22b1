// Recording the meshing animation: the two tooth blocks written once as
// block files and read back at every insert, seven inserts a frame drawn
// and seven erased.
#include "meshanimation_bench.h"

#include "drawings/tooth/meshanimation.h"
#include "foundation/foundationstate.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "gearpair/geometry/calcgearpair.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadscreen.h"
#include "graphics/cadsettings.h"
#include "graphics/graphfacade.h"
#include "planetary/meshtransfer.h"
#include "planetary/stagecalc.h"
#include "planetary/stagedefaults.h"
#include "reports/engine/reportservices.h"

#include "scratch/benchscratch.h"
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

void RecordMeshAnimation(int Frames, int PixelsX, int PixelsY)
{
    std::string tmpl = BenchScratchPath("qyr7_meshanim_bench_XXXXXX");
    const char* d = ::mkdtemp(tmpl.data());
    const std::string dir = d != nullptr ? d : BenchScratchDir();
    ResetFoundationState();
    if (PixelsX > 0) {
        telmvar.ScreenPixelsX = PixelsX;
        telmvar.ScreenPixelsY = PixelsY;
    }
    InitProgramDefaults();
    SetDefaultInput();
    CalcPlanetaryStage();
    ResetCadSettings();
    ResetCadState();
    ResetCadOutput();
    telmvar.TempDir = dir;
    LoadMesh(mSPi);
    CalcGearPair();
    meshanimationservices.AskSettings = [Frames](TMeshAnimationRequest& R) {
        R.Steps = Frames - 1;
        R.PauseMs = 0;
        return true;
    };
    DisplayList.Records.clear();
    AnimateMeshing();
    ResetMeshAnimationServices();
    if (d != nullptr) {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
}

namespace
{

void BM_MeshAnimationRecord100Frames(benchmark::State& state)
{
    TCadScreen* previous = SetCadScreen(nullptr);
    for (auto _ : state) {
        RecordMeshAnimation(100);
        benchmark::DoNotOptimize(DisplayList.Records.size());
    }
    state.counters["records"] = static_cast<double>(DisplayList.Records.size());
    SetCadScreen(previous);
}
BENCHMARK(BM_MeshAnimationRecord100Frames)->Unit(benchmark::kMillisecond);

} // namespace
