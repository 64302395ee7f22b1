// Every production table of both gears of the default stage's meshes S-Pi
// and Pe-H (the ring included) in the metric and the inch system: the text
// CAD file against its golden file, and the same drawing as DXF audited by
// ezdxf. A mismatch writes the output beside the golden file (.out).
#include "goldentestsupport.h"
#include "productiontestsupport.h"

#include "drawings/production/carrierdetails.h"
#include "drawings/production/productiontables.h"
#include "foundation/programsettings.h"
#include "graphics/cad/caddeviceregistry.h"
#include "graphics/cad/cadhatch.h"
#include "graphics/cad/cadprimitives.h"

#include <filesystem>

namespace
{

struct TGoldenCase {
    const char* Mesh;
    int Units;
};

std::string CaseName(const ::testing::TestParamInfo<TGoldenCase>& I)
{
    return std::string(I.param.Mesh[0] == 'S' ? "SPi" : "PeH") + "_units" + std::to_string(I.param.Units);
}

// All tables of gears 1 and 2 side by side: gear 2 400 units right of gear 1.
void DrawAllTables(const std::string& Mesh)
{
    for (int n = 1; n <= 2; ++n) {
        const Extended x = (n - 1) * 400;
        WriteGearDataTable(0, n, x, 600, 2.4L);
        WriteGearDataTable(1, n, x + 90, 600, 1.8L);
        WriteMeasurementColumns(n, 0, 1, x + 160, 600, 2.8L);
        WriteMeasurementColumns(n, 1, 0, x + 160, 540, 1.65L);
        WriteFlankToleranceTable(n, 0, x + 250, 600, 2.8L);
        WriteFlankToleranceTable(n, 1, x + 250, 500, 2.0L);
        WriteRollAngleTable(n, x + 330, 600, 3.0L);
        SetCadOffset(x, 300);
        WriteGearDataSheet(n);
        SetCadOffset(x + 130, 300);
        WriteMeasurementTable(n);
        SetCadOffset(x + 250, 280);
        for (int kind = 1; kind <= 3; ++kind) {
            SetCadOffset(x + 250 + (kind - 1) * 0, 280 - (kind - 1) * 150);
            WriteGearMeasurementSheet(n, kind);
        }
        SetCadOffset(0, 0);
    }
    SetCadOffset(800, 0);
    WriteBacklashTable(Mesh);
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

class ProductionTablesGolden : public DefaultStageCad, public ::testing::WithParamInterface<TGoldenCase>
{
  protected:
    void SetUp() override
    {
        DefaultStageCad::SetUp();
        // The call recorder of the fixture stands in for the text CAD
        // writer; these tests want the writer itself.
        RegisterCadWriters();
        cadsettings.DxfDecimals = 6;
    }
    void TearDown() override { DefaultStageCad::TearDown(); }
    std::string Write(int Device)
    {
        {
            TCadOutputScope scope;
            CadOpenOutput(Device);
            if (telmvar.Aborted) return "";
            CadBeginDrawing(-10, -10, 1100, 700, 0);
            CadWriteTables(2);
            CadBeginEntities();
            DrawAllTables(GetParam().Mesh);
            CadDeviceReady();
            CadEndSection();
            CadCloseOutput();
        }
        return dir_ + (Device == 1 ? "/drawing.dxf" : "/drawing.txt");
    }
};

TEST_P(ProductionTablesGolden, TextCadMatchesGolden)
{
    const TGoldenCase c = GetParam();
    wtelmvar.UnitSystem = c.Units;
    LoadMeshByName(c.Mesh);
    const std::string path = Write(5);
    ASSERT_FALSE(path.empty());
    const std::string bytes = ReadBytes(path);
    ASSERT_FALSE(bytes.empty());
    ExpectGolden(std::string("tables_") + CaseName({c, 0}) + ".txt", bytes);
    for (const auto& m : CollectedMessages())
        ADD_FAILURE() << m.Text;
}

TEST_P(ProductionTablesGolden, DxfPassesTheAuditor)
{
    if (!HaveEzdxf()) QYR7_VALIDATOR_MISSING("ezdxf");
    const TGoldenCase c = GetParam();
    wtelmvar.UnitSystem = c.Units;
    LoadMeshByName(c.Mesh);
    const std::string path = Write(1);
    ASSERT_FALSE(path.empty());
    const std::string out = RunPython("tablesdxf.py", path);
    EXPECT_NE(out.find("audit errors=0 fixes=0\n"), std::string::npos) << out;
    EXPECT_NE(out.find("nonfinite 0\n"), std::string::npos) << out;
    EXPECT_NE(out.find("count TEXT 18 "), std::string::npos) << out;
    EXPECT_NE(out.find("count LINE 17 "), std::string::npos) << out;
}

INSTANTIATE_TEST_SUITE_P(Meshes, ProductionTablesGolden,
                         ::testing::Values(TGoldenCase{"S-Pi", 0}, TGoldenCase{"S-Pi", 1},
                                           TGoldenCase{"Pe-H", 0}, TGoldenCase{"Pe-H", 1}),
                         CaseName);

} // namespace
