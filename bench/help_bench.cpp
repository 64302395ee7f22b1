// The hints of a large form: every control reads its hint from the help
// file, each look-up from the top of the file. Measured on a help file of
// 2000 entries of three lines with the 60 hints of the full strength dialog
// spread over the whole file.
#include "dialogs/helptext.h"
#include "foundation/foundationstate.h"
#include "foundation/programstate.h"

#include "scratch/benchscratch.h"
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace
{

void StrengthDialogHints(benchmark::State& state)
{
    ResetFoundationState();
    const std::filesystem::path dir =
        std::filesystem::path(BenchScratchDir()) / ("qyr7_help_bench_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    telmvar.PltDir = dir.string();
    telmvar.ProgramFileStem = "qyr7";
    telmvar.HelpLevel = 2;
    {
        std::ofstream out(dir / "qyr7.hlp", std::ios::binary);
        for (int i = 0; i < 2000; ++i) {
            out << 4000 + 5 * i << (i % 7 == 0 ? ":pic" : "") << "\r\n";
            out << "Strength input number " << i << ": the factor as the standard defines it\r\n";
            out << "and the range the calculation accepts for it.\r\n";
            out << "A value outside the range stops the calculation.\r\n";
        }
    }
    std::size_t chars = 0;
    for (auto _ : state) {
        for (int k = 0; k < 60; ++k) {
            std::string hint;
            GetHelpHint(static_cast<uint16_t>(4000 + 5 * (k * 33)), hint);
            chars += hint.size();
        }
    }
    benchmark::DoNotOptimize(chars);
    state.SetItemsProcessed(state.iterations() * 60);
    std::filesystem::remove_all(dir);
}

} // namespace

BENCHMARK(StrengthDialogHints)->Unit(benchmark::kMillisecond);
