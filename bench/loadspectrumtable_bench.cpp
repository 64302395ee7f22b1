// The load spectrum table at its largest: 128 typed rows stored into the
// working list, and the life under that spectrum, as OK of the table runs
// them.
#include "dialogs/strength/loadspectrumtable.h"
#include "foundation/foundationstate.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/lifeparams.h"
#include "planetary/loadspectrum/spectrumlife.h"
#include "planetary/stage.h"
#include "platform/headless/platform_headless.h"
#include "xbase/access/tableaccess.h"
#include "xbase/cmd/dbcmd.h"
#include "xbase/dbf/dbffile.h"
#include "xbase/xbasestate.h"

#include "scratch/benchscratch.h"
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace
{

// A life material table of one row with the default S-N lines, in a
// private table directory.
class LifeTable
{
  public:
    LifeTable()
    {
        std::string templ = (std::filesystem::path(BenchScratchDir()) / "qyr7_lk1bench_XXXXXX").string();
        if (::mkdtemp(templ.data()) == nullptr) return;
        dir_ = templ;
        telmvar.DbfDir = dir_;
        telmvar.TempDir = dir_;
        TDbfTable t;
        const std::string path = dir_ + "/qyrlife.dbf";
        CreateDBF(t, path,
                  {{"LW", 'C', 30, 0, 0},
                   {"N0F", 'N', 10, 0, 0},
                   {"NNF", 'N', 10, 0, 0},
                   {"PF", 'N', 8, 3, 0},
                   {"N0H", 'N', 10, 0, 0},
                   {"NNH", 'N', 10, 0, 0},
                   {"PH", 'N', 8, 3, 0}});
        TTzDbf table("bench");
        table.Exclusive = true;
        table.SetDbfFileName(path);
        if (!table.SetActive(true)) return;
        table.CheckCommand("Blank");
        ClearRecord();
        const char* row[][2] = {{"LW", "steel"},   {"N0F", "1000"},     {"NNF", "3000000"}, {"PF", "8.7"},
                                {"N0H", "100000"}, {"NNH", "50000000"}, {"PH", "8.7"}};
        for (const auto& f : row)
            table.SetFieldText(f[0], f[1]);
        table.AppendRec();
        table.SetActive(false);
    }
    ~LifeTable()
    {
        ResetDbf4();
        std::error_code ec;
        if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
    }

  private:
    std::string dir_;
};

void Spectrum128()
{
    for (int i = 1; i <= LoadSpectrumMax; ++i)
        GearPair.LoadSpectrum[i] = {1000.0L * i, 2000.0L - 10.0L * i};
    GearPair.LoadSpectrumCount = LoadSpectrumMax;
}

void BM_LoadSpectrumTableStoreGrid(benchmark::State& state)
{
    ResetFoundationState();
    InitGearPairData();
    platform::PlatformHeadless hp{platform::HeadlessMode::Scripted};
    platform::ScopedPlatform use{hp};
    Spectrum128();
    TForm_qyrlk1 table;
    // Every cell typed anew, so each one is parsed.
    for (int r = 1; r <= LoadSpectrumMax; ++r) {
        table.Grid.SetCell(1, r, std::to_string(3000 - r) + ".5");
        table.Grid.SetCell(2, r, std::to_string(1000 * r) + "e1");
    }
    bool ok = true;
    for (auto _ : state) {
        ok = table.StoreGrid() && ok;
        benchmark::DoNotOptimize(GearPair.LoadSpectrum);
    }
    if (!ok || GearPair.LoadSpectrumCount != LoadSpectrumMax) state.SkipWithError("the table was not stored");
}
BENCHMARK(BM_LoadSpectrumTableStoreGrid)->Unit(benchmark::kMicrosecond);

void BM_LoadSpectrumLife128(benchmark::State& state)
{
    ResetFoundationState();
    InitGearPairData();
    ResetXbaseState();
    ResetDbf4();
    ResetLifeParams();
    LifeTable life;
    GearPair.LoadSpectrumKind = 1;
    GearPair.T[1] = 1000;
    Spectrum128();
    for (auto _ : state) {
        CalcLoadSpectrumLife(100, 100);
        benchmark::DoNotOptimize(GearPair.Neq);
    }
    if (!(GearPair.Neq > 0) || telmvar.FatalCalcError) state.SkipWithError("no life under the spectrum");
}
BENCHMARK(BM_LoadSpectrumLife128)->Unit(benchmark::kMicrosecond);

} // namespace
