// The table of the six drive configurations of the stage sheet: six stage
// calculations and the seventh that restores the drive, written into the
// text CAD code, and the same into a device that drops what it is given
// (the table's own cost without the writer's). Compare with
// BM_CalcPlanetaryStage_Default: the table costs seven stage calculations
// and about 130 text CAD records.
#include "drawings/stage/stagetables.h"
#include "foundation/foundationstate.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "graphics/cad/caddeviceregistry.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cadsettings.h"
#include "planetary/stage.h"
#include "planetary/stagecalc.h"
#include "planetary/stagedefaults.h"

#include "scratch/benchscratch.h"
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace
{

class TDiscardingDevice final : public TCadDevice
{
  public:
    void Line(Extended, Extended, Extended, Extended) override {}
};

// Device 5 is the text CAD writer, or one that discards everything.
void DriveConfigTableInto(benchmark::State& state, bool Discard)
{
    ResetFoundationState();
    ResetCadSettings();
    ResetCadState();
    ResetCadOutput();
    RegisterCadWriters();
    if (Discard)
        RegisterCadDeviceFactory(5, [](std::ostream&) { return std::make_unique<TDiscardingDevice>(); });
    InitProgramDefaults();
    SetDefaultInput();
    CalcPlanetaryStage();
    std::string dir = (std::filesystem::path(BenchScratchDir()) / "qyr7_bench_tables_XXXXXX").string();
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
    RegisterCadWriters();
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
}

void BM_DriveConfigTable_TextCad(benchmark::State& state)
{
    DriveConfigTableInto(state, false);
}
BENCHMARK(BM_DriveConfigTable_TextCad)->Unit(benchmark::kMicrosecond);

void BM_DriveConfigTable_Discarded(benchmark::State& state)
{
    DriveConfigTableInto(state, true);
}
BENCHMARK(BM_DriveConfigTable_Discarded)->Unit(benchmark::kMicrosecond);

} // namespace
