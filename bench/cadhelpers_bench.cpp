// The drawing helpers a section drawing leans on: hatching a cut area of
// 100 outline points (every hatch line is cut against every edge), counted
// in hatch lines per second, and a data table of 200 rows, counted in rows
// per second. Both draw on a screen that only counts what reaches it, so
// the figures are the helpers' own and not a file's.
#include "foundation/foundationstate.h"
#include "foundation/guardedmath.h"
#include "graphics/cad/cadhatch.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadscreen.h"
#include "graphics/cad/cadtable.h"
#include "graphics/cadsettings.h"

#include <benchmark/benchmark.h>

#include <string>

namespace
{

class TCountingScreen final : public TCadScreen
{
  public:
    long Lines = 0;
    long Texts = 0;
    void Clear() override {}
    void SetWaitCursor() override {}
    void SetNormalCursor() override {}
    void Header(Extended, Extended, Extended, Extended) override {}
    void ClearViewPort() override {}
    void SetLineStyle(int) override {}
    void SetCadColor(int) override {}
    void SetLineWidth(int) override {}
    void Line(Extended, Extended, Extended, Extended) override { ++Lines; }
    void Circle(Extended, Extended, Extended) override {}
    void Arc(Extended, Extended, Extended, Extended, Extended) override {}
    void Solid(Extended, Extended, Extended, Extended, Extended, Extended, Extended, Extended) override {}
    void OutTextXY(Extended, Extended, const std::string&) override { ++Texts; }
    void SetTextStyle(int, Extended, Extended, Extended) override {}
    void SleepMs(int) override {}
};

// The screen outside any output: the drawing calls go straight to it.
struct TScreenScope {
    TCountingScreen screen;
    TCadScreen* previous;
    TScreenScope()
    {
        ResetFoundationState();
        ResetCadSettings();
        ResetCadState();
        ResetCadOutput();
        ResetHatchState();
        previous = SetCadScreen(&screen);
    }
    ~TScreenScope() { SetCadScreen(previous); }
};

// Range 0: 0 a circle (2 crossings a line), 1 a ring sector from two arcs
// of 50 points (up to 4 crossings). Lines 0.02 mm apart: 5000 a call.
void BM_Hatch100PointOutline(benchmark::State& state)
{
    TScreenScope scope;
    SetHatchMode(2);
    for (auto _ : state) {
        ResetHatch();
        if (state.range(0) == 0) {
            AddHatchArc(99, 0, 0, 50, 0, 2 * Pi * 99 / 100);
        } else {
            AddHatchArc(49, 0, 0, 100, 0, Pi / 2);
            AddHatchArc(49, 0, 0, 50, Pi / 2, 0);
        }
        HatchCollected(0, 0.02L, 30);
    }
    state.SetItemsProcessed(scope.screen.Lines);
    state.counters["lines_per_call"] =
        benchmark::Counter(static_cast<double>(scope.screen.Lines) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_Hatch100PointOutline)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_CadTable200Rows(benchmark::State& state)
{
    TScreenScope scope;
    for (auto _ : state) {
        TCadTable t;
        t.Init(10, 280, 2.5L, {24, 12, 12, 8}, {"quantity", "gear 1", "gear 2", "unit"});
        for (int r = 1; r <= 200; ++r)
            t.AddFormulaRow("row " + std::to_string(r), "2.500", "-31", "mm");
        t.Done();
    }
    state.SetItemsProcessed(state.iterations() * 200);
    benchmark::DoNotOptimize(scope.screen.Texts);
}
BENCHMARK(BM_CadTable200Rows)->Unit(benchmark::kMillisecond);

} // namespace
