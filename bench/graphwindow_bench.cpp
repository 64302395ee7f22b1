// The graphics window's display list: recording line records, replaying
// them (parsing and mapping alone, and drawn into a 1280 x 960 image the way
// the Qt window replays), and the memory one record takes.
#include "foundation/programstate.h"
#include "graphics/graphfacade.h"
#include "graphics/graphmapping.h"
#include "graphics/graphwindow.h"
#include "platform/canvas.h"
#include "platform/platform.h"

#include <benchmark/benchmark.h>

#include "graphwindow_bench.h"

// A picture of n short lines in a few colours over a 1280 x 960 area.
void RecordPicture(int n)
{
    ResetGraphWindow();
    telmvar.ScreenPixelsX = 1280;
    telmvar.ScreenPixelsY = 960;
    GraphFacade.Header(0, 0, 400, 300);
    for (int i = 0; i < n; ++i) {
        if (i % 1000 == 0) GraphFacade.SetColor(1 + (i / 1000) % 15);
        const long double x = (i % 397) + 0.125L * (i % 7);
        const long double y = (i % 293) + 0.375L;
        GraphFacade.Line(x, y, x + 3.5L, y + 2.25L);
    }
}

namespace
{

class NullCanvas final : public platform::Canvas
{
  public:
    int Width() const override { return 1281; }
    int Height() const override { return 961; }
    void SetPen(const platform::Pen&) override {}
    void SetBrush(const platform::Brush&) override {}
    void SetFont(const platform::Font&) override {}
    void MoveTo(int x, int y) override { sum_ += x + y; }
    void LineTo(int x, int y) override { sum_ += x - y; }
    void Ellipse(const platform::Rect&) override {}
    void Arc(const platform::Rect&, platform::Point, platform::Point) override {}
    void Polygon(const std::vector<platform::Point>&) override {}
    void TextOut(int, int, const std::string&) override {}
    void Clear(platform::Colour) override {}
    long long sum_ = 0;
};

void BM_RecordLineRecords(benchmark::State& state)
{
    ResetGraphWindow();
    for (auto _ : state) {
        DisplayList.Records.clear();
        for (int i = 0; i < kRecords; ++i) {
            const long double x = (i % 397) + 0.125L * (i % 7);
            GraphFacade.Line(x, 12.5L, x + 3.5L, 14.75L);
        }
        benchmark::DoNotOptimize(DisplayList.Records.size());
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
    ResetGraphWindow();
}
BENCHMARK(BM_RecordLineRecords)->Unit(benchmark::kMillisecond);

void BM_ReplayParseAndMap(benchmark::State& state)
{
    RecordPicture(kRecords);
    NullCanvas canvas;
    for (auto _ : state) {
        FTelmgra.FormPaint(canvas);
        benchmark::DoNotOptimize(canvas.sum_);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(DisplayList.Records.size()));
    ResetGraphWindow();
    telmvar.ScreenPixelsX = telmvar.ScreenPixelsY = 0;
}
BENCHMARK(BM_ReplayParseAndMap)->Unit(benchmark::kMillisecond);

void BM_DisplayListMemory(benchmark::State& state)
{
    size_t bytes = 0;
    for (auto _ : state) {
        RecordPicture(kRecords);
        // The chunks and index blocks at their full size, not just the texts.
        bytes = DisplayList.Records.MemoryBytes();
    }
    state.counters["bytes_per_record"] =
        static_cast<double>(bytes) / static_cast<double>(DisplayList.Records.size());
    ResetGraphWindow();
    telmvar.ScreenPixelsX = telmvar.ScreenPixelsY = 0;
}
BENCHMARK(BM_DisplayListMemory)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
