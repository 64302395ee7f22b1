// The recorded meshing animation (100 frames, pause 0) replayed into an
// 800 x 600 image as the Qt graphics window replays it; the pauses are
// counted as the frames shown. Items per second are frames per second.
#include "../meshanimation_bench.h"
#include "foundation/programstate.h"
#include "graphics/cad/cadscreen.h"
#include "graphics/graphfacade.h"
#include "graphics/graphwindow.h"
#include "qtbench.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace
{

void BM_MeshAnimationReplay800x600(benchmark::State& state)
{
    EnsureOffscreenApplication();
    TCadScreen* previous = SetCadScreen(nullptr);
    RecordMeshAnimation(100, 800, 600);
    SetCadScreen(previous);
    int64_t frames = 0;
    FTelmgra.OnPause = [&frames](int32_t) { ++frames; };
    QImage image(800, 600, QImage::Format_RGB32);
    for (auto _ : state) {
        ReplayIntoImage(image);
    }
    state.SetItemsProcessed(frames);
    state.counters["frames_per_replay"] =
        static_cast<double>(frames) / static_cast<double>(state.iterations());
    ResetGraphWindow();
    telmvar.ScreenPixelsX = telmvar.ScreenPixelsY = 0;
}
BENCHMARK(BM_MeshAnimationReplay800x600)->Unit(benchmark::kMillisecond);

} // namespace
