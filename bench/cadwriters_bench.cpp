// The IGES, STL and text CAD writers on large drawings: a million STL
// facets (binary, collected in memory and written at the end), 100 000
// IGES entities (their parameter records held until the file is
// finished), 100 000 text CAD lines. Written into a counting stream, so
// the figures are the writers' own; items_per_second counts facets,
// entities and lines.
#include "graphics/writers/igeswriter.h"
#include "graphics/writers/stlwriter.h"
#include "graphics/writers/textcadwriter.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <ostream>
#include <streambuf>

namespace
{

// Counts the bytes written and keeps none.
class TCountingBuffer final : public std::streambuf
{
  public:
    std::streamsize Count = 0;

  protected:
    std::streamsize xsputn(const char*, std::streamsize n) override
    {
        Count += n;
        return n;
    }
    int_type overflow(int_type c) override
    {
        ++Count;
        return c;
    }
};

void BM_StlBinaryMillionFacets(benchmark::State& state)
{
    for (auto _ : state) {
        TCountingBuffer buf;
        std::ostream out(&buf);
        TStlWriter w(out, TStlOptions{false, "TELSOLID"});
        // 500 000 walls of two facets round a 200 mm gear.
        for (int i = 0; i < 500000; ++i) {
            const double a = i * 1.2566370614359173e-5, b = (i + 1) * 1.2566370614359173e-5;
            w.Wall(100 * std::cos(a), 100 * std::sin(a), 100 * std::cos(b), 100 * std::sin(b), 0, 20);
        }
        w.Finish();
        benchmark::DoNotOptimize(buf.Count);
        state.counters["bytes"] = static_cast<double>(buf.Count);
    }
    state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(BM_StlBinaryMillionFacets)->Unit(benchmark::kMillisecond);

void BM_IgesHundredThousandEntities(benchmark::State& state)
{
    for (auto _ : state) {
        TCountingBuffer buf;
        std::ostream out(&buf);
        TIgesOptions o;
        o.FileName = "bench";
        TIgesWriter w(out, o);
        w.StartFile(200);
        w.BeginSubfigure("TOOTH");
        for (int i = 0; i < 20; ++i)
            w.Line(i, 0, i + 1, 1);
        w.EndSubfigure();
        // Lines, arcs and inserts in the mix of a production drawing.
        for (int i = 0; i < 100000; ++i) {
            w.SetLayer(i % 6, 0);
            switch (i % 4) {
            case 0:
            case 1:
                w.Line(i * 0.001, 0, i * 0.001 + 1, 2);
                break;
            case 2:
                w.Arc(0, 0, 10, 0, 0, 10);
                break;
            default:
                w.Insert("TOOTH", i * 0.001, 5, i % 8 == 3 ? 0 : 15);
                break;
            }
        }
        w.Finish();
        benchmark::DoNotOptimize(buf.Count);
        state.counters["bytes"] = static_cast<double>(buf.Count);
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_IgesHundredThousandEntities)->Unit(benchmark::kMillisecond);

void BM_TextCadHundredThousandLines(benchmark::State& state)
{
    for (auto _ : state) {
        TCountingBuffer buf;
        std::ostream out(&buf);
        TTextCadWriter w(out, TTextCadOptions{6, false, true});
        w.MinMax(0, 0, 200, 200);
        w.BeginEntities();
        for (int i = 0; i < 100000; ++i)
            w.Line(i * 0.001, 0, i * 0.001 + 1, 2);
        w.EndOfFile();
        benchmark::DoNotOptimize(buf.Count);
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_TextCadHundredThousandLines)->Unit(benchmark::kMillisecond);

} // namespace
