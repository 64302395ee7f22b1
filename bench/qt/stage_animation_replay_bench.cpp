// The recorded stage animation replayed into an 800 x 600 image as the Qt
// window plays it (pauses of 0 ms); the counter gives the frames per second
// of the replay.
#include "../stage_animation_bench.h"
#include "foundation/programstate.h"
#include "graphics/cad/cadscreen.h"
#include "graphics/graphfacade.h"
#include "graphics/graphwindow.h"
#include "qtbench.h"

#include "scratch/benchscratch.h"
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace
{

void BM_StageAnimationReplay800x600(benchmark::State& state)
{
    EnsureOffscreenApplication();
    std::string tmpl = BenchScratchPath("qyr7_animation_replay_XXXXXX");
    const char* dir = ::mkdtemp(tmpl.data());
    TCadScreen* previous = SetCadScreen(nullptr);
    const int kind = static_cast<int>(state.range(0));
    const int steps = static_cast<int>(state.range(1));
    RecordDefaultStageAnimation(kind, steps, dir != nullptr ? dir : BenchScratchDir());
    QImage image(800, 600, QImage::Format_RGB32);
    for (auto _ : state) {
        ReplayIntoImage(image);
    }
    // Every replay shows all N + 1 frames.
    state.counters["frames_per_s"] =
        benchmark::Counter(static_cast<double>(steps + 1) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
    SetCadScreen(previous);
    ResetGraphWindow();
    telmvar.ScreenPixelsX = telmvar.ScreenPixelsY = 0;
    std::error_code ec;
    if (dir != nullptr) std::filesystem::remove_all(dir, ec);
}
BENCHMARK(BM_StageAnimationReplay800x600)->Args({2, 120})->Args({1, 180})->Unit(benchmark::kMillisecond);

} // namespace
