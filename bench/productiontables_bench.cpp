// Every production table of both gears of the default stage's mesh S-Pi
// into one DXF file, as the production drawing writes them: time per
// drawing with the file opened, written and put in place each time, and
// the tables alone into a DXF output that stays open.
#include "drawingbench.h"
#include "drawings/production/productiontables.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"

#include <benchmark/benchmark.h>

namespace
{

void AllTables()
{
    for (int n = 1; n <= 2; ++n) {
        const Extended x = (n - 1) * 400;
        WriteGearDataTable(0, n, x, 600, 2.4L);
        WriteMeasurementColumns(n, 0, 1, x + 160, 600, 2.8L);
        WriteFlankToleranceTable(n, 0, x + 250, 600, 2.8L);
        WriteRollAngleTable(n, x + 330, 600, 3.0L);
        SetCadOffset(x, 300);
        WriteGearDataSheet(n);
        SetCadOffset(x + 130, 300);
        WriteMeasurementTable(n);
        SetCadOffset(x + 250, 280);
        WriteGearMeasurementSheet(n, 1);
        SetCadOffset(0, 0);
    }
    SetCadOffset(800, 0);
    WriteBacklashTable("S-Pi");
    SetCadOffset(0, 0);
    WriteMeshDimensionsTable(800, 300, 2);
    WritePairGeometryTable(830, 300, 2);
    WriteBasicRackTable(870, 300, 2);
    WriteDriveTable(930, 300, 2);
    WriteForcesTable(980, 300, 2);
    WriteMaterialTable(800, 200, 2);
    WriteBeddingTable(860, 200, 2);
    WriteKFactorTable(920, 200, 2);
    WriteZFactorTable(960, 200, 2);
}

void BM_ProductionTablesToDxf(benchmark::State& state)
{
    const TDrawingBenchDir dir("tables");
    for (auto _ : state) {
        TCadOutputScope scope;
        CadOpenOutput(1);
        CadBeginDrawing(-10, -10, 1100, 700, 0);
        CadWriteTables(2);
        CadBeginEntities();
        AllTables();
        CadDeviceReady();
        CadEndSection();
        CadCloseOutput();
    }
}
BENCHMARK(BM_ProductionTablesToDxf)->Unit(benchmark::kMillisecond);

void BM_ProductionTablesIntoOpenDxf(benchmark::State& state)
{
    const TDrawingBenchDir dir("tables");
    {
        TCadOutputScope scope;
        CadOpenOutput(1);
        CadBeginDrawing(-10, -10, 1100, 700, 0);
        CadWriteTables(2);
        CadBeginEntities();
        for (auto _ : state)
            AllTables();
        CadDeviceReady();
        CadEndSection();
        CadCloseOutput();
    }
}
BENCHMARK(BM_ProductionTablesIntoOpenDxf)->Unit(benchmark::kMillisecond);

} // namespace
