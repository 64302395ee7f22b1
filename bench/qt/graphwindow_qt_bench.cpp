// The graphics window's replay drawn into a 1280 x 960 image the way the Qt
// window replays its display list.
#include "../graphwindow_bench.h"
#include "foundation/programstate.h"
#include "graphics/graphfacade.h"
#include "graphics/graphwindow.h"
#include "qtbench.h"

#include <benchmark/benchmark.h>

namespace
{

void BM_ReplayIntoImage1280x960(benchmark::State& state)
{
    EnsureOffscreenApplication();
    RecordPicture(kRecords);
    QImage image(1281, 961, QImage::Format_RGB32);
    for (auto _ : state) {
        ReplayIntoImage(image);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(DisplayList.Records.size()));
    ResetGraphWindow();
    telmvar.ScreenPixelsX = telmvar.ScreenPixelsY = 0;
}
BENCHMARK(BM_ReplayIntoImage1280x960)->Unit(benchmark::kMillisecond);

} // namespace
