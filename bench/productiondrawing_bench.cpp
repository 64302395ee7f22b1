// The production drawing of both gears of the default stage's mesh S-Pi
// (entry 7: two A4 sheets with their frame, section and sheet blocks) into
// a DXF file, written and put in place each time; and the two calculation
// sheets of the same mesh, whose tooth outlines and mesh picture dominate.
#include "drawings/production/productiondrawing.h"
#include "drawings/tooth/calcsheets.h"
#include "foundation/foundationstate.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "gearpair/geometry/calcgearpair.h"
#include "graphics/cad/cadhatch.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cadsettings.h"
#include "planetary/meshtransfer.h"
#include "planetary/stagecalc.h"
#include "planetary/stagedefaults.h"
#include "reports/engine/reportservices.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace
{

std::string SetUpMesh(char* Template)
{
    const char* dir = ::mkdtemp(Template);
    ResetFoundationState();
    InitProgramDefaults();
    SetDefaultInput();
    CalcPlanetaryStage();
    LoadMeshSPi();
    CalcGearPair();
    ClearErrorMessages();
    ResetCadSettings();
    ResetCadState();
    ResetCadOutput();
    ResetHatchState();
    telmvar.TempDir = dir != nullptr ? dir : "/tmp";
    telmvar.CadDir = telmvar.TempDir;
    telmvar.ProjectName = telmvar.TempDir + "/drawing";
    wtelmvar.CadSkipSaveDialog = true;
    cadsettings.CadExecFile = false;
    cadsettings.CadPolylineAllowed = true;
    reportservices.CheckFileName = [](const std::string&) {};
    return dir != nullptr ? dir : "";
}

void RemoveDir(const std::string& Dir)
{
    ResetCadOutput();
    if (!Dir.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(Dir, ec);
    }
}

void BM_ProductionSheetsBothGearsToDxf(benchmark::State& state)
{
    char tmpl[] = "/tmp/qyr7_production_bench_XXXXXX";
    const std::string dir = SetUpMesh(tmpl);
    for (auto _ : state) {
        telmvar.Aborted = false;
        ComposeProductionDrawing(1, 3, 7, "S-Pi");
    }
    RemoveDir(dir);
}
BENCHMARK(BM_ProductionSheetsBothGearsToDxf)->Unit(benchmark::kMillisecond);

void BM_CalculationSheetsToDxf(benchmark::State& state)
{
    char tmpl[] = "/tmp/qyr7_production_bench_XXXXXX";
    const std::string dir = SetUpMesh(tmpl);
    for (auto _ : state) {
        telmvar.Aborted = false;
        WriteStrengthSheet(1, "1=S", "2=Pi");
        WriteGeometrySheet(1, "1=S", "2=Pi");
    }
    RemoveDir(dir);
}
BENCHMARK(BM_CalculationSheetsToDxf)->Unit(benchmark::kMillisecond);

} // namespace
