// HP-GL pictures read from file and recorded into the display list: a
// 100 000-point encoded polyline and 100 000 PU/PD commands.
#include "foundation/foundationstate.h"
#include "graphics/graphfacade.h"
#include "graphics/hpgl/hpglreader.h"
#include "graphics/hpgl/hpglstate.h"

#include "scratch/benchscratch.h"
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace
{

constexpr int kPoints = 100000;

// Base-64 encoded polyline number of v plotter units.
std::string EncodePe(long v)
{
    unsigned long n = 2UL * static_cast<unsigned long>(std::labs(v)) + (v < 0 ? 1 : 0);
    std::string s;
    while (n >= 64) {
        s += static_cast<char>(63 + (n & 63));
        n >>= 6;
    }
    s += static_cast<char>(191 + n);
    return s;
}

// A zigzag of kPoints relative steps, one PE command.
std::string PePicture()
{
    std::string s = "IN;SP1;PU0,0;PE";
    for (int i = 0; i < kPoints; ++i)
        s += EncodePe(40) + EncodePe(i % 2 == 0 ? 1200 : -1200);
    return s + ";";
}

// kPoints commands: pen up to a point, pen down to the next.
std::string PuPdPicture()
{
    std::string s = "IN;SP1;";
    for (int i = 0; i < kPoints / 2; ++i) {
        const int x = (i * 37) % 6000;
        const int y = (i * 53) % 4500;
        s += "PU" + std::to_string(x) + "," + std::to_string(y) + ";PD" + std::to_string(x + 200) + "," +
             std::to_string(y + 150) + ";\r\n";
    }
    return s;
}

void ReadPicture(benchmark::State& state, const std::string& bytes)
{
    const std::string file = BenchScratchPath("qyr7_bench_") + std::to_string(getpid()) + ".plt";
    {
        std::ofstream out(file, std::ios::binary);
        out << bytes;
    }
    ResetFoundationState();
    ResetHpglState();
    std::size_t records = 0;
    for (auto _ : state) {
        GraphFacade.Clear();
        RunHpglFile(file);
        records = DisplayList.Records.size();
    }
    std::remove(file.c_str());
    GraphFacade.Clear();
    state.counters["records"] = static_cast<double>(records);
    state.SetItemsProcessed(state.iterations() * kPoints);
}

void BM_HpglEncodedPolyline(benchmark::State& state)
{
    ReadPicture(state, PePicture());
}
BENCHMARK(BM_HpglEncodedPolyline)->Unit(benchmark::kMillisecond);

void BM_HpglPenUpPenDown(benchmark::State& state)
{
    ReadPicture(state, PuPdPicture());
}
BENCHMARK(BM_HpglPenUpPenDown)->Unit(benchmark::kMillisecond);

} // namespace
