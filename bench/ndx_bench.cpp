// Index speed over a table of one million records: the build of a character
// and of a numeric index (with the most heap the build holds at once, and a
// character build over four million records beside it), random Find, and a
// scan in index order.
#include "heap_peak.h"

#include "xbase/cmd/dbcmd.h"
#include "xbase/core/dberror.h"
#include "xbase/dbf/dbffile.h"
#include "xbase/ndx/ndx.h"
#include "xbase/xbaselib.h"
#include "xbase/xbasestate.h"

#include "scratch/benchscratch.h"
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{

constexpr int kRecords = 1000000;

std::string CodeOf(uint32_t v)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "P%08u", v);
    return buf;
}

// The table: PARTNO C(10) with a scrambled number, VALUE N(10,2). Records are
// written in one stream, then the record count is set in the header.
const std::string& IndexBenchTable(uint32_t records = kRecords)
{
    static std::map<uint32_t, std::string> names;
    std::string& name = names[records];
    if (!name.empty()) return name;
    name = BenchScratchPath("qyr7_ndx_bench_") + std::to_string(getpid()) + "_" + std::to_string(records) +
           ".dbf";
    ResetXbaseState();
    TDbfTable t;
    CreateDBF(t, name, {{"PARTNO", 'C', 10, 0, 0}, {"VALUE", 'N', 10, 2, 0}});
    std::ifstream in(name, std::ios::binary);
    std::vector<char> header((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    const int headerLength = static_cast<unsigned char>(header[8]) | static_cast<unsigned char>(header[9])
                                                                         << 8;
    header.resize(static_cast<std::size_t>(headerLength));
    header[4] = static_cast<char>(records & 0xFF);
    header[5] = static_cast<char>((records >> 8) & 0xFF);
    header[6] = static_cast<char>((records >> 16) & 0xFF);
    header[7] = static_cast<char>((records >> 24) & 0xFF);
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(header.data(), static_cast<std::streamsize>(header.size()));
    char rec[32];
    for (uint32_t i = 0; i < records; ++i) {
        uint32_t v = (i * 2654435761u) % 100000000u;
        std::snprintf(rec, sizeof rec, " %s%10.2f", CodeOf(v).c_str(), (v % 100000) / 7.0);
        out.write(rec, 21);
    }
    out.put(0x1A);
    out.close();
    static bool cleanup = false;
    if (!cleanup) {
        cleanup = true;
        std::atexit([] {
            for (const auto& [count, table] : names) {
                std::remove(table.c_str());
                std::remove((table + ".code.ndx").c_str());
                std::remove((table + ".value.ndx").c_str());
            }
        });
    }
    return name;
}

void OpenBenchTable(uint32_t records = kRecords)
{
    const std::string& table = IndexBenchTable(records);
    ResetXbaseState();
    InitXbaseLibrary();
    SetAutoReport(false);
    dbcmd.SharedAccess = false;
    UseFile(table + " EXCLUSIVE");
}

// One build, timed by the framework, with the most heap it held at once.
void MeasureBuild(benchmark::State& state, uint32_t records, const char* suffix, const char* key)
{
    OpenBenchTable(records);
    int64_t peak = 0;
    for (auto _ : state) {
        heappeak::Start();
        benchmark::DoNotOptimize(MakeIndex(IndexBenchTable(records) + suffix, key));
        peak = heappeak::Stop();
    }
    state.counters["peak_heap_KiB"] = static_cast<double>(peak) / 1024.0;
    state.SetItemsProcessed(state.iterations() * records);
    CloseAll();
}

void BM_MakeIndexCharacter1M(benchmark::State& state)
{
    MeasureBuild(state, kRecords, ".code.ndx", "PARTNO");
}
BENCHMARK(BM_MakeIndexCharacter1M)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_MakeIndexNumeric1M(benchmark::State& state)
{
    MeasureBuild(state, kRecords, ".value.ndx", "VALUE");
}
BENCHMARK(BM_MakeIndexNumeric1M)->Unit(benchmark::kMillisecond)->Iterations(1);

// Four times the records: the time should grow about fourfold, the memory
// hardly at all.
void BM_MakeIndexCharacter4M(benchmark::State& state)
{
    MeasureBuild(state, 4 * kRecords, ".code.ndx", "PARTNO");
}
BENCHMARK(BM_MakeIndexCharacter4M)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_RandomFind(benchmark::State& state)
{
    OpenBenchTable();
    MakeIndex(IndexBenchTable() + ".code.ndx", "PARTNO");
    Set_Index_To(IndexBenchTable() + ".code.ndx");
    std::mt19937 rng(3);
    int64_t found = 0;
    const auto readsBefore = ndx.NodeFileReads;
    for (auto _ : state) {
        uint32_t i = rng() % kRecords;
        Find(CodeOf((i * 2654435761u) % 100000000u));
        found += ndx.LastFindFound ? 1 : 0;
    }
    state.counters["found"] = static_cast<double>(found) / static_cast<double>(state.iterations());
    state.counters["page_reads"] =
        static_cast<double>(ndx.NodeFileReads - readsBefore) / static_cast<double>(state.iterations());
    state.SetItemsProcessed(state.iterations());
    CloseAll();
}
BENCHMARK(BM_RandomFind)->Unit(benchmark::kMicrosecond);

void BM_OrderedScan(benchmark::State& state)
{
    OpenBenchTable();
    MakeIndex(IndexBenchTable() + ".code.ndx", "PARTNO");
    Set_Index_To(IndexBenchTable() + ".code.ndx");
    int64_t n = 0;
    for (auto _ : state) {
        n = 0;
        GoTop();
        while (!dEOF()) {
            SKIP(1);
            ++n;
        }
    }
    state.SetItemsProcessed(state.iterations() * n);
    CloseAll();
}
BENCHMARK(BM_OrderedScan)->Unit(benchmark::kMillisecond)->Iterations(1);

// An exclusive open of a 10,000-record table with its index, and its close:
// the open counts the keys of the tree against the table's records (for a
// UNIQUE index against the different keys the records give).
void MeasureExclusiveOpen(benchmark::State& state, const char* suffix)
{
    constexpr uint32_t records = 10000;
    const std::string index = IndexBenchTable(records) + ".code.ndx";
    OpenBenchTable(records);
    MakeIndex(index + suffix, "PARTNO");
    CloseAll();
    for (auto _ : state) {
        UseFile(IndexBenchTable(records) + " EXCLUSIVE");
        Set_Index_To(index);
        benchmark::DoNotOptimize(IndexIsOpen());
        CloseAll();
    }
    state.SetItemsProcessed(state.iterations() * records);
}

void BM_ExclusiveOpenWithIndex10K(benchmark::State& state)
{
    MeasureExclusiveOpen(state, "");
}
BENCHMARK(BM_ExclusiveOpenWithIndex10K)->Unit(benchmark::kMicrosecond)->Repetitions(9);

void BM_ExclusiveOpenWithUniqueIndex10K(benchmark::State& state)
{
    MeasureExclusiveOpen(state, " UNIQUE");
}
BENCHMARK(BM_ExclusiveOpenWithUniqueIndex10K)->Unit(benchmark::kMicrosecond)->Repetitions(9);

} // namespace
