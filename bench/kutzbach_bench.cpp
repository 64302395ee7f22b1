// The two kinematic pictures of the default stage on the text CAD device:
// the Kutzbach chart with its diagram frame and the Wolf symbol, both with
// the kinematics text block. Each is redrawn after every input
// when it is the configured result graphic.
#include "drawings/stage/kutzbach.h"
#include "drawings/stage/wolf.h"
#include "foundation/foundationstate.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "graphics/cad/caddeviceregistry.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cadsettings.h"
#include "graphics/diagrams/diagram.h"
#include "planetary/stagecalc.h"
#include "planetary/stagedefaults.h"
#include "reports/engine/reportservicedefaults.h"

#include "scratch/benchscratch.h"
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace
{

struct TScratch {
    std::string dir;
    TScratch()
    {
        std::string tmpl = BenchScratchPath("qyr7_kutzbach_bench_XXXXXX");
        const char* d = ::mkdtemp(tmpl.data());
        dir = d != nullptr ? d : BenchScratchDir();
    }
    ~TScratch()
    {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

void Prepare(const TScratch& S)
{
    ResetFoundationState();
    InitProgramDefaults();
    SetDefaultInput();
    ResetCadSettings();
    ResetCadState();
    ResetCadOutput();
    ResetDiagramState();
    ResetReportServices();
    RegisterCadWriters();
    telmvar.TempDir = S.dir;
    telmvar.CadDir = S.dir;
    telmvar.ProjectName = S.dir + "/bench";
    wtelmvar.CadSkipSaveDialog = true;
    cadsettings.CadExecFile = false;
    reportservices.CheckFileName = [](const std::string&) {};
    CalcPlanetaryStage();
}

// The picture alone, into a text CAD output opened once: what a redraw
// costs beyond opening and committing its file.
template <void (*Draw)()> void BM_StagePicture(benchmark::State& state)
{
    TScratch scratch;
    Prepare(scratch);
    CadOpenOutput(5);
    CadBeginDrawingDefault();
    CadWriteTables(2);
    CadBeginEntities();
    for (auto _ : state)
        Draw();
    CadDeviceReady();
    CadEndSection();
    CadCloseOutput();
    if (telmvar.Aborted || telmvar.FatalCalcError) state.SkipWithError("the drawing did not complete");
    ResetCadOutput();
}

// The whole drawing as the CAD menu writes it: output opened, header,
// tables, entities, the file committed to the disk and put in place.
template <void (*Draw)()> void BM_StageFile(benchmark::State& state)
{
    TScratch scratch;
    Prepare(scratch);
    for (auto _ : state) {
        CadOpenOutput(5);
        CadBeginDrawingDefault();
        CadWriteTables(2);
        CadBeginEntities();
        Draw();
        CadDeviceReady();
        CadEndSection();
        CadCloseOutput();
    }
    if (telmvar.Aborted || telmvar.FatalCalcError) state.SkipWithError("the drawing did not complete");
    ResetCadOutput();
}

void BM_KutzbachChart(benchmark::State& state)
{
    BM_StagePicture<KutzbachChart>(state);
}
void BM_WolfView(benchmark::State& state)
{
    BM_StagePicture<WolfView>(state);
}
void BM_KutzbachChartFile(benchmark::State& state)
{
    BM_StageFile<KutzbachChart>(state);
}
void BM_WolfViewFile(benchmark::State& state)
{
    BM_StageFile<WolfView>(state);
}

BENCHMARK(BM_KutzbachChart)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WolfView)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KutzbachChartFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WolfViewFile)->Unit(benchmark::kMicrosecond);

} // namespace
