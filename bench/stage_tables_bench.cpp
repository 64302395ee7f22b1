// The table of the six drive configurations of the stage sheet: six stage
// calculations and the seventh that restores the drive, written into the
// text CAD code. Compare with BM_CalcPlanetaryStage_Default: the table
// costs about seven stage calculations and little besides.
#include "drawings/stage/stagetables.h"
#include "foundation/foundationstate.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadwriterdevices.h"
#include "graphics/cadsettings.h"
#include "planetary/stage.h"
#include "planetary/stagecalc.h"
#include "planetary/stagedefaults.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace
{

void BM_DriveConfigTable_TextCad(benchmark::State& state)
{
    ResetFoundationState();
    ResetCadSettings();
    ResetCadState();
    ResetCadOutput();
    RegisterCadWriters();
    InitProgramDefaults();
    SetDefaultInput();
    CalcPlanetaryStage();
    std::string dir = (std::filesystem::temp_directory_path() / "qyr7_bench_tables_XXXXXX").string();
    if (::mkdtemp(dir.data()) == nullptr) {
        state.SkipWithError("no scratch directory");
        return;
    }
    telmvar.TempDir = dir;
    telmvar.CadDir = dir;
    telmvar.ProjectName = dir + "/tables";
    wtelmvar.CadSkipSaveDialog = true;
    cadsettings.CadExecFile = false;
    CadOpenOutput(5);
    CadBeginDrawingDefault();
    CadWriteTables(2);
    CadBeginEntities();
    for (auto _ : state) {
        stagetables::DriveConfigTable(10, 100, 2.5L);
        benchmark::DoNotOptimize(PlanetaryStage.TOut);
    }
    CadDeviceReady();
    CadEndSection();
    CadCloseOutput();
    ResetCadOutput();
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
}
BENCHMARK(BM_DriveConfigTable_TextCad)->Unit(benchmark::kMillisecond);

} // namespace
