// The project table over a data directory of 200 copies of the default
// project: each read, calculated and turned into its 52 cells. Rows per
// second are reported; the aim is at least 50.

#include "scratch/benchscratch.h"
#include <benchmark/benchmark.h>

#include "app/programidentity.h"
#include "app/projecttable.h"
#include "app/startup.h"
#include "foundation/foundationstate.h"
#include "foundation/programstate.h"
#include "platform/headless/platform_headless.h"
#include "reports/preview/filepreview.h"

#include <cstdlib>
#include <filesystem>
#include <string>

static void BM_ProjectTable200(benchmark::State& state)
{
    namespace fs = std::filesystem;
    platform::PlatformHeadless headless(platform::HeadlessMode::Scripted);
    platform::ScopedPlatform scope(headless);
    ResetFoundationState();
    InitProgramIdentity();
    InitProgramLoadDefaults();
    std::string templ = (fs::path(BenchScratchDir()) / "qyr7_tablebench_XXXXXX").string();
    const char* made = ::mkdtemp(templ.data());
    if (!made) {
        state.SkipWithError("no temporary directory");
        return;
    }
    const fs::path dir(made);
    for (int k = 0; k < 200; ++k)
        fs::copy_file(fs::path(QYR7_SOURCE_DIR) / "examples/default.qy7",
                      dir / ("p" + std::to_string(k) + ".qy7"));
    telmvar.DataDir = dir.string() + "/";
    telmvar.TempDir = dir.string() + "/";
    int rows = 0;
    for (auto _ : state) {
        TForm_preview form;
        FillProjectTable(form);
        rows += form.RowCount() - 1;
        benchmark::DoNotOptimize(form.Cells.data());
        // A row without its safety would mean the project was not calculated.
        if (form.RowCount() != 201 || form.Cell(200, 43).empty())
            state.SkipWithError("a project was not calculated");
    }
    state.counters["rows/s"] = benchmark::Counter(rows, benchmark::Counter::kIsRate);
    std::error_code ec;
    fs::remove_all(dir, ec);
}
BENCHMARK(BM_ProjectTable200)->Unit(benchmark::kMillisecond)->Iterations(2);
