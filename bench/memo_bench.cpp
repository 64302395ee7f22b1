// Memo files: writing 10000 memos, reading them back as lines, editing
// them with block reuse, and packing the memo file.
#include "xbase/cmd/dbcmd.h"
#include "xbase/core/dberror.h"
#include "xbase/dbf/dbffile.h"
#include "xbase/memo/dbmemo.h"
#include "xbase/xbasestate.h"

#include "scratch/benchscratch.h"
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace
{

constexpr int kMemos = 10000;

std::string MemoBenchName()
{
    return BenchScratchPath("qyr7_bench_") + std::to_string(getpid()) + "_memo.dbf";
}

// A table of kMemos records, each with a memo of a few lines.
void MakeMemoTable(const std::string& file, uint8_t style)
{
    ResetXbaseState();
    InstallMemoHooks();
    dberror.AutoReportErrors = false;
    dbffile.MemoVersion = style;
    TDbfTable t;
    CreateDBF(t, file, {{"ID", 'N', 6, 0, 0}, {"NOTES", 'M', 10, 0, 0}});
    UseFile(file + " EXCLUSIVE ALIAS M");
    const std::string text = "Planet carrier bore checked\r\nBacklash within tolerance\r\nRemarks: none";
    for (int i = 0; i < kMemos; ++i) {
        ClearRecord();
        SetNativeInt(1, i + 1);
        SetNativeInt(2, AddMemo(text + std::to_string(i)));
        Append();
    }
}

void Cleanup(const std::string& file, uint8_t style)
{
    CloseAll();
    std::remove(file.c_str());
    std::remove(MemoFileName(file, style).c_str());
}

void BM_MemoWrite(benchmark::State& state)
{
    const auto style = static_cast<uint8_t>(state.range(0));
    const std::string file = MemoBenchName();
    for (auto _ : state)
        MakeMemoTable(file, style);
    Cleanup(file, style);
    state.SetItemsProcessed(state.iterations() * kMemos);
}
BENCHMARK(BM_MemoWrite)->Arg(0x83)->Arg(0x8B)->Arg(0xF5)->Unit(benchmark::kMillisecond);

void BM_MemoReadLines(benchmark::State& state)
{
    const std::string file = MemoBenchName();
    MakeMemoTable(file, 0x8B);
    for (auto _ : state) {
        for (int r = 1; r <= kMemos; ++r) {
            GO(r);
            GetMemo(GetNativeInt(2));
        }
    }
    Cleanup(file, 0x8B);
    state.SetItemsProcessed(state.iterations() * kMemos);
}
BENCHMARK(BM_MemoReadLines)->Unit(benchmark::kMillisecond);

// Every memo grows past its blocks and then shrinks back: half the edits
// move a memo, half reuse blocks in place.
void BM_MemoEditWithReuse(benchmark::State& state)
{
    const std::string file = MemoBenchName();
    for (auto _ : state) {
        state.PauseTiming();
        MakeMemoTable(file, 0x8B);
        state.ResumeTiming();
        for (int r = 1; r <= kMemos; ++r) {
            GO(r);
            GetMemo(GetNativeInt(2));
            StoreMemoLine(dbmemo.MemoLineCount + 1, std::string(600, 'x'));
            ++dbmemo.MemoLineCount;
            SetNativeInt(2, EditMemoCloseMemo(GetNativeInt(2)));
            Replace();
        }
    }
    Cleanup(file, 0x8B);
    state.SetItemsProcessed(state.iterations() * kMemos);
}
BENCHMARK(BM_MemoEditWithReuse)->Unit(benchmark::kMillisecond);

void BM_MemoPack(benchmark::State& state)
{
    const std::string file = MemoBenchName();
    for (auto _ : state) {
        state.PauseTiming();
        MakeMemoTable(file, 0x8B);
        state.ResumeTiming();
        PackMemofile();
    }
    Cleanup(file, 0x8B);
    state.SetItemsProcessed(state.iterations() * kMemos);
}
BENCHMARK(BM_MemoPack)->Unit(benchmark::kMillisecond);

} // namespace
