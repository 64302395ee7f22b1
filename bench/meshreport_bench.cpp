// The full gear-pair report of mesh S-Pi of the default stage to the TXT
// device, the mesh's calculation included, as the print command runs it.
#include "foundation/foundationstate.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "planetary/stagecalc.h"
#include "planetary/stagedefaults.h"
#include "reports/engine/reportengine.h"
#include "reports/engine/reportservicedefaults.h"
#include "reports/gearpair/gearpairreport.h"

#include "scratch/benchscratch.h"
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

namespace
{

void BM_MeshReportTxtDevice(benchmark::State& state)
{
    ResetFoundationState();
    ResetReportEngine();
    ResetReportServices();
    InitProgramDefaults();
    SetDefaultInput();
    CalcPlanetaryStage();
    const std::filesystem::path dir = std::filesystem::path(BenchScratchDir()) / "qyr7_meshreport_bench";
    std::filesystem::create_directories(dir);
    telmvar.TempDir = dir.string();
    telmvar.ProjectName = "bench";
    wtelmvar.TextDevice = 6;
    wtelmvar.TextDeviceDialog = false;
    reportservices.Launch = [](const std::string&, const std::vector<std::string>&) {
        platform::LaunchResult started;
        started.Started = true;
        return started;
    };
    bool delivered = true;
    for (auto _ : state) {
        delivered = MeshReport(1, 0) && delivered;
        // Each report takes the next free TXT file number: start over.
        telmvar.TempFileCounter = 0;
    }
    if (!delivered) state.SkipWithError("a report was not delivered");
    state.SetItemsProcessed(state.iterations());
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_MeshReportTxtDevice)->Unit(benchmark::kMillisecond);

} // namespace
