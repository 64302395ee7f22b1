// The table browser over long tables: the HTML export of 100,000 records and
// the grid paging through 1,000,000 records forty rows at a time.
#include "xbase/access/tableaccess.h"
#include "xbase/core/dberror.h"
#include "xbase/dbf/dbffile.h"
#include "xbase/ui/tablebrowser.h"
#include "xbase/xbasestate.h"

#include "scratch/benchscratch.h"
#include <benchmark/benchmark.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <unistd.h>

namespace
{

// Six fields, as the bearing catalogues have them.
std::string MakeTable(int records)
{
    const std::string name = BenchScratchPath("qyr7_browser_bench_") + std::to_string(getpid()) + "_" +
                             std::to_string(records) + ".dbf";
    ResetXbaseState();
    TDbfTable t;
    CreateDBF(t, name,
              {{"DESIG", 'C', 20, 0, 0},
               {"D", 'N', 6, 1, 0},
               {"DA", 'N', 6, 1, 0},
               {"C", 'N', 8, 0, 0},
               {"NLIM", 'N', 6, 0, 0},
               {"REMARK", 'C', 30, 0, 0}});
    t.Name = name;
    OpenDbf(t);
    char rec[128];
    for (int i = 0; i < records; ++i) {
        std::snprintf(rec, sizeof rec, " %-20s%6.1f%6.1f%8d%6d%-30s",
                      ("NU " + std::to_string(200 + i % 900)).c_str(), 30.0 + i % 50, 62.0 + i % 40,
                      20000 + i % 5000, 9000 + i % 1000, "cylindrical roller");
        t.RecordBuffer.assign(rec, t.RecordLength);
        AppendDbfRecord(t);
    }
    CloseDbf(t);
    return name;
}

void BM_BrowserHtmlExport100k(benchmark::State& state)
{
    const std::string file = MakeTable(100000);
    dbf4.OpenTable(file);
    for (auto _ : state) {
        std::ostringstream out;
        WriteTableHtml(out, dbf4.tzdbf, {"bench", file, "QYR7V1.0", "01.01.2000 - 0:00"});
        benchmark::DoNotOptimize(out.str().size());
    }
    state.SetItemsProcessed(state.iterations() * 100000);
    dbf4.CloseTable();
    std::remove(file.c_str());
}
BENCHMARK(BM_BrowserHtmlExport100k)->Unit(benchmark::kMillisecond);

void BM_GridPaging1M(benchmark::State& state)
{
    const std::string file = MakeTable(1000000);
    dbf4.OpenTable(file);
    TTzGrid grid(&dbf4.tzdbf);
    grid.DefaultColumns();
    std::vector<TTzGridRow> rows;
    int32_t first = 1;
    for (auto _ : state) {
        grid.FillPage(first, 40, rows);
        benchmark::DoNotOptimize(rows.data());
        first += 40;
        if (first > 1000000) first = 1;
    }
    state.SetItemsProcessed(state.iterations()); // pages
    dbf4.CloseTable();
    std::remove(file.c_str());
}
BENCHMARK(BM_GridPaging1M);

} // namespace
