// Appending one million records to a table, held exclusively and shared
// (under the append lock), and packing a table of one million records of
// which every tenth is deleted.
#include "xbase/cmd/dbcmd.h"
#include "xbase/core/dberror.h"
#include "xbase/dbf/dbffile.h"
#include "xbase/xbasestate.h"

#include "scratch/benchscratch.h"
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{

constexpr int kRecords = 1000000;

const std::vector<TDbfField> kFields{
    {"NAME", 'C', 20, 0, 0}, {"MATERIAL", 'C', 12, 0, 0}, {"Z", 'N', 5, 0, 0},    {"MN", 'N', 8, 3, 0},
    {"B", 'N', 8, 2, 0},     {"X", 'N', 8, 4, 0},         {"SIGH", 'N', 7, 1, 0}, {"SIGF", 'N', 7, 1, 0},
    {"MADE", 'D', 8, 0, 0},  {"OK", 'L', 1, 0, 0}};

std::string BenchName(const char* what)
{
    return BenchScratchPath("qyr7_bench_") + std::to_string(getpid()) + what + ".dbf";
}

void AppendAll(const std::string& file, bool shared, int deleteEvery)
{
    ResetXbaseState();
    dberror.AutoReportErrors = false;
    TDbfTable t;
    CreateDBF(t, file, kFields);
    UseFile(file + (shared ? " ALIAS B" : " EXCLUSIVE ALIAS B"));
    if (shared) ALock();
    for (int i = 0; i < kRecords; ++i) {
        SetNativeText(1, "Spur gear");
        SetNativeText(2, "18CrNiMo7-6");
        SetNativeInt(3, 17 + i % 80);
        SetNativeDouble(4, 2.5);
        SetNativeDouble(5, 30.0 + i % 7);
        SetNativeDouble(6, 0.25);
        SetNativeDouble(7, 1500.0);
        SetNativeDouble(8, 500.0);
        SetNativeText(9, "01/31/24");
        SetNativeBool(10, i % 2 != 0);
        SetNativeDeleted(deleteEvery > 0 && i % deleteEvery == 0);
        Append();
    }
    CloseAll();
}

void BM_AppendExclusive(benchmark::State& state)
{
    const std::string file = BenchName("_app_x");
    for (auto _ : state)
        AppendAll(file, false, 0);
    std::remove(file.c_str());
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_AppendExclusive)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_AppendShared(benchmark::State& state)
{
    const std::string file = BenchName("_app_s");
    for (auto _ : state)
        AppendAll(file, true, 0);
    std::remove(file.c_str());
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_AppendShared)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_PackTenPercentDeleted(benchmark::State& state)
{
    const std::string file = BenchName("_pack");
    for (auto _ : state) {
        state.PauseTiming();
        AppendAll(file, false, 10);
        UseFile(file + " EXCLUSIVE");
        state.ResumeTiming();
        Pack();
        state.PauseTiming();
        CloseAll();
        state.ResumeTiming();
    }
    std::remove(file.c_str());
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_PackTenPercentDeleted)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
