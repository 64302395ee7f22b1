// Writing a long report through the engine: the screen device with page
// headers and rules, and the TXT device with tab-separated rows.
#include "foundation/foundationstate.h"
#include "foundation/programstate.h"
#include "reports/engine/reportcolumns.h"
#include "reports/engine/reportengine.h"
#include "reports/engine/reportservicedefaults.h"

#include "scratch/benchscratch.h"
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace
{

void WriteRows(benchmark::State& state, uint16_t Device)
{
    ResetFoundationState();
    ResetReportEngine();
    ResetReportServices();
    const std::filesystem::path dir = std::filesystem::path(BenchScratchDir()) / "qyr7_report_bench";
    std::filesystem::create_directories(dir);
    telmvar.TempDir = dir.string();
    reportservices.ShowResultWindow = [](const std::string&) {};
    reportservices.Launch = [](const std::string&, const std::vector<std::string>&) {
        platform::LaunchResult started;
        started.Started = true;
        return started;
    };
    const int rows = static_cast<int>(state.range(0));
    for (auto _ : state) {
        SetReportHeader("", "Planetary stage report", "", "", "", 0);
        SetReportColumns2("Name", "Symbol", "Unit", "Sun", "Planet");
        OpenReport(Device, "bench");
        BeginReportOutput();
        PrintReportPageHeader(1, 1);
        for (int i = 0; i < rows; ++i)
            PrintReportRow2("Tooth root safety factor", "SF", "-", "    1.625", "    1.873");
        CloseReport();
    }
    state.SetItemsProcessed(state.iterations() * rows);
    std::filesystem::remove_all(dir);
}

void BM_ReportRowsTextDevice(benchmark::State& state)
{
    WriteRows(state, 1);
}
void BM_ReportRowsTabDevice(benchmark::State& state)
{
    WriteRows(state, 6);
}

} // namespace

BENCHMARK(BM_ReportRowsTextDevice)->Arg(1000)->Arg(10000);
BENCHMARK(BM_ReportRowsTabDevice)->Arg(1000)->Arg(10000);
