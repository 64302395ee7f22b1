// Sequential read of a table of one million records and ten fields, by the
// table library and by shapelib's reader, over the same file.
#include "xbase/cmd/dbcmd.h"
#include "xbase/core/dberror.h"
#include "xbase/dbf/dbffile.h"
#include "xbase/xbasestate.h"

#include "scratch/benchscratch.h"
#include <benchmark/benchmark.h>

#ifdef QYR7_HAVE_SHAPELIB
#include <shapefil.h>
#endif

#include <cstdio>
#include <ctime>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{

constexpr int kRecords = 1000000;

const std::vector<TDbfField>& BenchFields()
{
    static const std::vector<TDbfField> fields{
        {"NAME", 'C', 20, 0, 0}, {"MATERIAL", 'C', 12, 0, 0}, {"Z", 'N', 5, 0, 0},    {"MN", 'N', 8, 3, 0},
        {"B", 'N', 8, 2, 0},     {"X", 'N', 8, 4, 0},         {"SIGH", 'N', 7, 1, 0}, {"SIGF", 'N', 7, 1, 0},
        {"MADE", 'D', 8, 0, 0},  {"OK", 'L', 1, 0, 0}};
    return fields;
}

// The bench table is written once per run into the temporary directory.
const std::string& BenchTable()
{
    static std::string name;
    if (!name.empty()) return name;
    name = BenchScratchPath("qyr7_bench_") + std::to_string(getpid()) + ".dbf";
    ResetXbaseState();
    TDbfTable t;
    CreateDBF(t, name, BenchFields());
    t.Name = name;
    OpenDbf(t);
    char rec[128];
    for (int i = 0; i < kRecords; ++i) {
        std::snprintf(rec, sizeof rec, " %-20s%-12s%5d%8.3f%8.2f%8.4f%7.1f%7.1f%08d%c", "Spur gear",
                      "18CrNiMo7-6", 17 + i % 80, 2.5, 30.0 + i % 7, 0.25, 1500.0, 500.0, 20240131,
                      i % 2 ? 'T' : 'F');
        t.RecordBuffer.assign(rec, t.RecordLength);
        AppendDbfRecord(t);
    }
    CloseDbf(t);
    std::atexit([] { std::remove(BenchTable().c_str()); });
    return name;
}

void BM_TableLibrarySequentialRead(benchmark::State& state)
{
    const std::string& file = BenchTable();
    for (auto _ : state) {
        TDbfTable t;
        t.Name = file;
        OpenDbf(t);
        std::size_t bytes = 0;
        for (int32_t n = 1; n <= t.RecordCount; ++n) {
            GetDbfRecord(t, n);
            for (const auto& f : t.Fields) {
                std::string v = t.RecordBuffer.substr(f.Offset, f.Length);
                bytes += v.size();
            }
        }
        benchmark::DoNotOptimize(bytes);
        CloseDbf(t);
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_TableLibrarySequentialRead)->Unit(benchmark::kMillisecond);

// The same table through the command layer, as a program walks a table:
// USE, then SKIP through every record asking for each field as text. Held
// exclusively (a single user, as shapelib reads) the records are read
// ahead; shared (the default open) every record is read fresh.
void BM_CommandLayerSequentialRead(benchmark::State& state)
{
    const std::string& file = BenchTable();
    const bool exclusive = state.range(0) == 0;
    for (auto _ : state) {
        ResetXbaseState();
        UseFile(exclusive ? file + " EXCLUSIVE" : file);
        const int fields = FieldCount();
        std::size_t bytes = 0;
        for (GoTop(); !dEOF(); SKIP(1))
            for (int f = 1; f <= fields; ++f)
                bytes += SField(f).size();
        benchmark::DoNotOptimize(bytes);
        CloseAll();
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_CommandLayerSequentialRead)->ArgName("shared")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

#ifdef QYR7_HAVE_SHAPELIB
void BM_ShapelibSequentialRead(benchmark::State& state)
{
    const std::string& file = BenchTable();
    for (auto _ : state) {
        DBFHandle h = DBFOpen(file.c_str(), "rb");
        int count = DBFGetRecordCount(h);
        int fields = DBFGetFieldCount(h);
        std::size_t bytes = 0;
        for (int n = 0; n < count; ++n)
            for (int f = 0; f < fields; ++f) {
                std::string v = DBFReadStringAttribute(h, n, f);
                bytes += v.size();
            }
        benchmark::DoNotOptimize(bytes);
        DBFClose(h);
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_ShapelibSequentialRead)->Unit(benchmark::kMillisecond);

// Side by side in one run, so that a busy machine weighs on both alike: each
// iteration walks the table once through the command layer and once through
// shapelib, timed on the thread's CPU clock, and the ratio is printed.
template <class F> double CpuMilliseconds(F&& f)
{
    timespec a{}, b{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &a);
    f();
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &b);
    return (b.tv_sec - a.tv_sec) * 1e3 + (b.tv_nsec - a.tv_nsec) / 1e6;
}

template <class Ours, class Peer> void SideBySide(benchmark::State& state, Ours&& ours, Peer&& peer)
{
    double oursMs = 0, peerMs = 0;
    for (auto _ : state) {
        oursMs += CpuMilliseconds(ours);
        peerMs += CpuMilliseconds(peer);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["ours_ms"] = oursMs / n;
    state.counters["shapelib_ms"] = peerMs / n;
    state.counters["ratio"] = oursMs / peerMs;
}

// Every field as text: the command layer shared (the default open) or
// exclusive, against shapelib's string attribute.
void BM_SideBySideTextRead(benchmark::State& state)
{
    const std::string& file = BenchTable();
    const bool exclusive = state.range(0) == 0;
    std::size_t bytes = 0;
    SideBySide(
        state,
        [&] {
            ResetXbaseState();
            UseFile(exclusive ? file + " EXCLUSIVE" : file);
            const int fields = FieldCount();
            for (GoTop(); !dEOF(); SKIP(1))
                for (int f = 1; f <= fields; ++f)
                    bytes += SField(f).size();
            CloseAll();
        },
        [&] {
            DBFHandle h = DBFOpen(file.c_str(), "rb");
            const int count = DBFGetRecordCount(h), fields = DBFGetFieldCount(h);
            for (int n = 0; n < count; ++n)
                for (int f = 0; f < fields; ++f)
                    bytes += std::string(DBFReadStringAttribute(h, n, f)).size();
            DBFClose(h);
        });
    benchmark::DoNotOptimize(bytes);
}
BENCHMARK(BM_SideBySideTextRead)->ArgName("shared")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The six numeric fields as numbers, exclusive: GetNativeDouble against
// shapelib's double attribute.
void BM_SideBySideNumberRead(benchmark::State& state)
{
    const std::string& file = BenchTable();
    double sum = 0;
    SideBySide(
        state,
        [&] {
            ResetXbaseState();
            UseFile(file + " EXCLUSIVE");
            for (GoTop(); !dEOF(); SKIP(1))
                for (int f = 3; f <= 8; ++f)
                    sum += GetNativeDouble(f);
            CloseAll();
        },
        [&] {
            DBFHandle h = DBFOpen(file.c_str(), "rb");
            const int count = DBFGetRecordCount(h);
            for (int n = 0; n < count; ++n)
                for (int f = 2; f <= 7; ++f)
                    sum += DBFReadDoubleAttribute(h, n, f);
            DBFClose(h);
        });
    benchmark::DoNotOptimize(sum);
}
BENCHMARK(BM_SideBySideNumberRead)->Unit(benchmark::kMillisecond);
#endif

} // namespace
