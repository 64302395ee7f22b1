// The CAD layer's two hot paths: writing DXF entities (a production drawing
// has tens of thousands) and reading a block back on the screen, which the
// meshing animation does 14 times a frame for up to 1000 frames. Both are
// counted in entities per second (items_per_second).
#include "foundation/foundationstate.h"
#include "foundation/guardedmath.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/cad/cadscreen.h"
#include "graphics/cadsettings.h"
#include "graphics/graphfacade.h"
#include "reports/engine/reportservices.h"

#include "scratch/benchscratch.h"
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace
{

struct TScratch {
    std::string dir;
    TScratch()
    {
        std::string tmpl = BenchScratchPath("qyr7_cad_bench_XXXXXX");
        const char* d = ::mkdtemp(tmpl.data());
        dir = d != nullptr ? d : BenchScratchDir();
    }
    ~TScratch()
    {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

void Prepare(const TScratch& S)
{
    ResetFoundationState();
    ResetCadSettings();
    ResetCadState();
    ResetCadOutput();
    telmvar.TempDir = S.dir;
    telmvar.ProjectName = S.dir + "/bench";
    wtelmvar.CadSkipSaveDialog = true;
    cadsettings.CadExecFile = false;
    reportservices.CheckFileName = [](const std::string&) {};
}

// One tooth-like outline: lines, arcs, a text every tenth element.
void DrawEntities(int N)
{
    for (int i = 0; i < N; ++i) {
        const Extended a = i * 0.01L;
        switch (i % 10) {
        case 0:
            CadText(10 * std::cos(a), 10 * std::sin(a), "z = 31");
            break;
        case 1:
        case 2:
            CadArc(std::cos(a), std::sin(a), 10, 80, 12.5L);
            break;
        default:
            CadLine(10 * std::cos(a), 10 * std::sin(a), 12 * std::cos(a), 12 * std::sin(a));
            break;
        }
    }
}

void BM_DxfWriteEntities(benchmark::State& state)
{
    TScratch scratch;
    Prepare(scratch);
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        CadOpenOutput(1);
        CadBeginDrawingDefault();
        CadWriteTables(2);
        CadBeginBlocks();
        CadEndSection();
        CadBeginEntities();
        CadSetLayer(5);
        DrawEntities(n);
        CadEndSection();
        CadCloseOutput();
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_DxfWriteEntities)->Arg(100000)->Unit(benchmark::kMillisecond);

// Counts what reaches the screen, so that nothing is optimised away.
class TCountingScreen final : public TCadScreen
{
  public:
    long Count = 0;
    void Clear() override {}
    void SetWaitCursor() override {}
    void SetNormalCursor() override {}
    void Header(Extended, Extended, Extended, Extended) override {}
    void ClearViewPort() override {}
    void SetLineStyle(int) override {}
    void SetCadColor(int) override {}
    void SetLineWidth(int) override {}
    void Line(Extended, Extended, Extended, Extended) override { ++Count; }
    void Circle(Extended, Extended, Extended) override { ++Count; }
    void Arc(Extended, Extended, Extended, Extended, Extended) override { ++Count; }
    void Solid(Extended, Extended, Extended, Extended, Extended, Extended, Extended, Extended) override
    {
        ++Count;
    }
    void OutTextXY(Extended, Extended, const std::string&) override { ++Count; }
    void SetTextStyle(int, Extended, Extended, Extended) override {}
    void SleepMs(int) override {}
};

void BM_ScreenBlockReadBack(benchmark::State& state)
{
    TScratch scratch;
    Prepare(scratch);
    TCountingScreen screen;
    TCadScreen* previous = SetCadScreen(&screen);
    const int n = static_cast<int>(state.range(0)); // entities of the block
    CadOpenOutput(3);
    CadBeginDrawingDefault();
    CadBeginBlocks();
    CadBeginBlock("EVOLV1");
    CadSetLayer(5);
    DrawEntities(n);
    CadEndBlock();
    CadEndSection();
    CadBeginEntities();
    // One animation frame: 14 inserts of the tooth outline at turning angles.
    for (auto _ : state)
        for (int k = 0; k < 14; ++k)
            CadInsertBlock("EVOLV1", 50, 50, k * 360.0L / 14, 1, 1);
    CadCloseOutput();
    SetCadScreen(previous);
    benchmark::DoNotOptimize(screen.Count);
    state.SetItemsProcessed(state.iterations() * 14 * n);
}
BENCHMARK(BM_ScreenBlockReadBack)->Arg(1000)->Unit(benchmark::kMillisecond);

// The same frame into the graphics window's display list, as the animation
// records it.
void BM_ScreenBlockReadBackToDisplayList(benchmark::State& state)
{
    TScratch scratch;
    Prepare(scratch);
    TCadScreen* previous = SetCadScreen(nullptr);
    const int n = static_cast<int>(state.range(0));
    CadOpenOutput(3);
    CadBeginDrawingDefault();
    CadBeginBlocks();
    CadBeginBlock("EVOLV1");
    CadSetLayer(5);
    DrawEntities(n);
    CadEndBlock();
    CadEndSection();
    CadBeginEntities();
    const size_t start = DisplayList.Records.size();
    for (auto _ : state) {
        DisplayList.Records.resize(start);
        for (int k = 0; k < 14; ++k)
            CadInsertBlock("EVOLV1", 50, 50, k * 360.0L / 14, 1, 1);
    }
    CadCloseOutput();
    SetCadScreen(previous);
    state.SetItemsProcessed(state.iterations() * 14 * n);
}
BENCHMARK(BM_ScreenBlockReadBackToDisplayList)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace
