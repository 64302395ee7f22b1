// The dimensions form on every keystroke in a face width edit: the typed
// widths read and the effective widths of the three meshes worked out and
// shown. Checked against 0.2 ms per keystroke.

#include <benchmark/benchmark.h>

#include "dialogs/dialogservices.h"
#include "dialogs/gear/dimensionsform.h"
#include "dialogs/gear/qualityform.h"
#include "foundation/foundationstate.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "planetary/stage.h"
#include "platform/headless/platform_headless.h"

static void BM_DimensionsFaceWidthKeystroke(benchmark::State& state)
{
    platform::PlatformHeadless headless(platform::HeadlessMode::Scripted);
    platform::ScopedPlatform scope(headless);
    ResetFoundationState();
    ResetDialogServices();
    SetGearDefaults();
    InitGearPairData();
    InitPlanetaryData();
    GearPair.mn = 2;
    for (int g = 1; g <= 4; ++g) {
        PlanetaryGears.b[g] = 30;
        PlanetaryGears.bcha[g] = 1;
    }
    TForm_qyr7geo form;
    const char* texts[] = {"2", "25", "25.", "25.5"};
    int i = 0;
    for (auto _ : state) {
        form.Control("Edit_b2").Text = texts[i++ % 4];
        form.Changed("Edit_b2");
        benchmark::DoNotOptimize(form.Control("Edit_b01").Text.data());
    }
}
BENCHMARK(BM_DimensionsFaceWidthKeystroke)->Unit(benchmark::kMicrosecond);

// The quality form after a list choice: the tooth thickness allowances of
// the four gears and the centre distance allowances of the three meshes
// looked up from the tables and shown. Checked against 0.1 ms.
static void BM_QualityUpdateAllowances(benchmark::State& state)
{
    platform::PlatformHeadless headless(platform::HeadlessMode::Scripted);
    platform::ScopedPlatform scope(headless);
    ResetFoundationState();
    ResetDialogServices();
    SetGearDefaults();
    InitGearPairData();
    InitPlanetaryData();
    const Extended d[] = {0, 48, 40, 44, -180};
    for (int g = 1; g <= 4; ++g) {
        PlanetaryGears.d[g] = d[g];
        PlanetaryGears.TsnSeries[g] = 5;
        PlanetaryGears.AsneSeries[g] = 6;
    }
    for (int m = 1; m <= 3; ++m) {
        PlanetaryGears.a[m] = 44 + 2 * m;
        PlanetaryGears.AaField[m] = 4;
    }
    TForm_qyr7qual form;
    for (auto _ : state) {
        form.UpdateAllowances();
        benchmark::DoNotOptimize(form.Control("Edit_asne4").Text.data());
    }
}
BENCHMARK(BM_QualityUpdateAllowances)->Unit(benchmark::kMicrosecond);
