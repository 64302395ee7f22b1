// The rolled tool of a tooth picture on the screen: 2N inserts of the tool
// tooth block, each read back from its block file, into the graphics
// window's display list. At the largest setting (N = 200, 400 positions)
// one picture should stay well under a tenth of a second.
#include "drawings/tooth/toolprofile.h"
#include "foundation/foundationstate.h"
#include "foundation/guardedmath.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/animation.h"
#include "graphics/cad/cadoutput.h"
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

void BM_ToolEnvelopeOnScreen(benchmark::State& state)
{
    std::string tmpl = BenchScratchPath("qyr7_envelope_bench_XXXXXX");
    const char* d = ::mkdtemp(tmpl.data());
    const std::string dir = d != nullptr ? d : BenchScratchDir();
    ResetFoundationState();
    SetGearDefaults();
    InitGearPairData();
    ResetCadSettings();
    ResetCadState();
    ResetCadOutput();
    telmvar.TempDir = dir;
    telmvar.ProjectName = dir + "/bench";
    wtelmvar.CadSkipSaveDialog = true;
    cadsettings.CadExecFile = false;
    reportservices.CheckFileName = [](const std::string&) {};
    auto& g = GearPair;
    g.mn = 2;
    g.alpha = 20;
    g.alpha_rad = g.alpha_t = DegToRad(20);
    for (int k = 1; k <= 2; ++k) {
        g.z[k] = 20;
        g.d[k] = g.dw[k] = 40;
        g.db[k] = 40 * std::cos(g.alpha_t);
        g.haP0[k] = 2.5L;
        g.hfP0[k] = g.hFfP0[k] = 2;
        g.haP0_mn[k] = 1.25L;
        g.hfP0_mn[k] = g.hFfP0_mn[k] = 1;
        g.rhoaP0[k] = 0.76L;
        g.rhoaP0_mn[k] = 0.38L;
    }
    confgraf(g.x_pic);
    g.GearToothShapes = static_cast<int>(state.range(0));

    TCadScreen* previous = SetCadScreen(nullptr);
    CadOpenOutput(3);
    CadBeginDrawingDefault();
    CadBeginBlocks();
    CadBeginBlock("WERKZS1");
    DrawToolProfile(1, false, 0);
    CadEndBlock();
    CadEndSection();
    CadBeginEntities();
    const size_t start = DisplayList.Records.size();
    for (auto _ : state) {
        DisplayList.Records.resize(start);
        DrawToolEnvelope(1);
    }
    CadCloseOutput();
    SetCadScreen(previous);
    state.SetItemsProcessed(state.iterations() * 2 * state.range(0));
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
}
BENCHMARK(BM_ToolEnvelopeOnScreen)->Arg(200)->Unit(benchmark::kMillisecond);

} // namespace
