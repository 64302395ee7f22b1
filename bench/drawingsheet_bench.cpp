// A full A3 drawing sheet (ISO 7200 Fig. 2, border 10 mm, zone grid and
// millimetre scale, 8 changes, 8 free texts) written as a DXF file, from
// opening the output to the file put in place; counted in sheets per
// second. The aim is well under 5 ms a sheet.
#include "drawings/sheet/drawingsheet.h"
#include "foundation/foundationstate.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cadsettings.h"
#include "planetary/documentation.h"

#include "scratch/benchscratch.h"
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace
{

void BM_DrawingSheetA3ToDxf(benchmark::State& state)
{
    ResetFoundationState();
    ResetCadSettings();
    ResetCadState();
    ResetCadOutput();
    ResetDocumentation("07.12.2026");
    std::string dir = (std::filesystem::path(BenchScratchDir()) / "qyr7_bench_sheet_XXXXXX").string();
    if (::mkdtemp(dir.data()) == nullptr) {
        state.SkipWithError("no temporary directory");
        return;
    }
    telmvar.TempDir = dir;
    telmvar.CadDir = dir;
    telmvar.ProjectName = "sheet";
    wtelmvar.CadSkipSaveDialog = true;
    wtelmvar.TitleBlockType = 2;
    wtelmvar.DrawingBorderWidth = 1;
    cadsettings.CadExecFile = false;
    cadsettings.SheetShowChanges = true;
    sheetclock.TodayDateText = [] { return "07.12.2026"; };
    sheetclock.NowTimeText = [] { return "9:05"; };
    sheetclock.TodayIsoDateText = [] { return "2026-12-07"; };
    auto& d = documentation;
    d.ChangeCount = 8;
    for (int k = 1; k <= 8; ++k) {
        d.ChangeList[k].Text = {};
        d.ChangeList[k].Text[0] = "modification " + std::to_string(k);
        d.ChangeList[k].Text[1] = "0" + std::to_string(k) + ".12.2026";
        d.ChangeList[k].Text[2] = "HK";
        d.ChangeList[k].Text[3] = "description of change " + std::to_string(k);
    }
    d.SheetTextMode = 1;
    d.SheetTextCount = 8;
    for (int k = 1; k <= 8; ++k)
        d.SheetTextLines[k] = {30, 100.0L + 10 * k, 3.5L, 0, "free text " + std::to_string(k)};
    for (auto _ : state) {
        TCadOutputScope scope;
        CadOpenOutput(1);
        BeginSheetDrawing(3);
        CadWriteTables(0);
        CadBeginEntities();
        DrawDrawingSheet(3, "Planet carrier", "C", "QY7-100");
        CadDeviceReady();
        CadEndSection();
        CadCloseOutput();
    }
    state.SetItemsProcessed(state.iterations());
    ResetSheetClock();
    ResetDocumentation();
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
}
BENCHMARK(BM_DrawingSheetA3ToDxf)->Unit(benchmark::kMillisecond);

} // namespace
