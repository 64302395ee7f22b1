// The gear-pair report of each mesh and the workshop sheets of the example
// stages, on the batch text, framed file and HTML devices. The golden files
// beside this test were read against hand values: for S-Pi of the default
// stage (mn 6.5, alpha 20 deg, spur) gear 1 is Pi with 15 teeth and gear 2 S
// with 21, d = z mn = 97.5 and 136.5 mm, a = (97.5 + 136.5) / 2 = 117 mm,
// db = d cos 20 deg = 91.62 and 128.27 mm, the nominal tip diameters
// d + 2 mn = 110.5 and 149.5 mm, u = 21 / 15 = 1.4, and eps alpha 1.512 as on
// the stage report.
#include "common/validators.h"
#include "gearpairreport_support.h"

#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "planetary/stage.h"
#include "reports/gearpair/gearpairreport.h"
#include "reports/stage/planetaryreport.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace
{

struct GoldenCase {
    const char* Example; // file under examples/
    const char* Stage;   // its short name in the golden file names
    int Mesh;
    int UnitSystem;
};

class MeshReportGolden : public PairReportTest, public ::testing::WithParamInterface<GoldenCase>
{
};

TEST_P(MeshReportGolden, WholeReportOnTheBatchDevice)
{
    const GoldenCase& c = GetParam();
    OpenExample(c.Example);
    wtelmvar.UnitSystem = static_cast<uint16_t>(c.UnitSystem);
    const std::string text = Report(9, [&] { MeshReport(c.Mesh, 0); });
    ASSERT_FALSE(text.empty());
    ExpectGolden(std::string("mesh_") + c.Stage + "_m" + std::to_string(c.Mesh) + "_u" +
                     std::to_string(c.UnitSystem) + ".txt",
                 text);
}

std::vector<GoldenCase> GoldenCases()
{
    std::vector<GoldenCase> cases;
    for (const auto& [file, name] :
         {std::pair{"default.qy7", "default"}, std::pair{"industrial.qy7", "industrial"}})
        for (int mesh = 1; mesh <= 3; ++mesh)
            for (int unit : {0, 1})
                cases.push_back({file, name, mesh, unit});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Examples, MeshReportGolden, ::testing::ValuesIn(GoldenCases()),
                         [](const ::testing::TestParamInfo<GoldenCase>& info) {
                             return std::string(info.param.Stage) + "_mesh" +
                                    std::to_string(info.param.Mesh) + "_unit" +
                                    std::to_string(info.param.UnitSystem);
                         });

using MeshReportTest = PairReportTest;

TEST_F(MeshReportTest, DefaultSunPlanetMeshShowsTheHandValues)
{
    OpenExample("default.qy7");
    const std::string text = Report(9, [] { MeshReport(1, 1); });
    // Pi has fewer teeth: it is gear 1 of the pair.
    EXPECT_TRUE(Has(text, "no. of teeth\tz\t\t   15\t   21"));
    EXPECT_TRUE(Has(text, "pitch circle diameter\td\tmm\t   97.500\t  136.500"));
    EXPECT_TRUE(Has(text, "center distance\ta\tmm\t  117.000"));
    EXPECT_TRUE(Has(text, "base diameter\tdb\tmm\t   91.620\t  128.268"));
    EXPECT_TRUE(Has(text, "theor.tip diameter\tda nom\tmm\t  110.500\t  149.500"));
    EXPECT_TRUE(Has(text, "gear ratio\tu\t\t    1.40"));
    EXPECT_TRUE(Has(text, "transverse contact ratio\teps.alpha\t\t   1.512"));
    EXPECT_TRUE(Has(text, "TOLERANCES, BACKLASH"));
    EXPECT_FALSE(Has(text, "OPERATIONAL DATA"));
    // The value heads name the mesh's gears; the framed file shows them.
    const std::string framed = Report(3, [] { MeshReport(1, 1); });
    EXPECT_TRUE(Has(framed, "QYR7 V1.0   gearing geometry to DIN 3960/61/67"));
    EXPECT_TRUE(Has(framed, "symbol   unit    1: Pi      2: S"));
}

TEST_F(MeshReportTest, ToothCorrectionBlockFollowsTheGearsOfTheMesh)
{
    OpenExample("default.qy7");
    EXPECT_FALSE(Has(Report(9, [] { MeshReport(1, 1); }), "TOOTH CORRECTION")) << "no notes, no block";
    // The planet's note prints for gear 1; the text file holds it in
    // Windows bytes again after the block's DOS conversion.
    PlanetaryGears.ToothCorrection[2] = "Kopfr\xFC"
                                        "cknahme 10 \xB5m";
    const std::string text = Report(9, [] { MeshReport(1, 1); });
    EXPECT_TRUE(Has(text, "TOOTH CORRECTION FACTOR, TOOTH RELIEF"));
    EXPECT_TRUE(Has(text, "tooth correction factor gear 1 : Kopfr\xFC"
                          "cknahme 10 \xB5m"));
    EXPECT_TRUE(Has(text, "tooth correction factor gear 2 : \r\n") ||
                Has(text, "tooth correction factor gear 2 : \n"));
}

TEST_F(MeshReportTest, MethodOneWithFormulasAndTheFramedFileDevice)
{
    OpenExample("default.qy7");
    GearPair.CalcMethod = 1;
    ExpectGolden("mesh_default_m1_method1.txt", Report(9, [] { MeshReport(1, 2); }));
    SetUp();
    OpenExample("industrial.qy7");
    ExpectGolden("mesh_industrial_m2_file.txt", Report(3, [] { MeshReport(2, 0); }));
}

TEST_F(MeshReportTest, WorkshopSheetsOfSunAndRing)
{
    for (const auto& [file, name] :
         {std::pair{"default.qy7", "default"}, std::pair{"industrial.qy7", "industrial"}}) {
        SetUp();
        OpenExample(file);
        ExpectGolden(std::string("workshop_") + name + "_S.txt",
                     Report(9, [] { WheelMeasurementReport(1); }));
        ExpectGolden(std::string("workshop_") + name + "_H.txt",
                     Report(9, [] { WheelMeasurementReport(4); }));
    }
}

TEST_F(MeshReportTest, HtmlReports)
{
    OpenExample("default.qy7");
    ExpectGolden("mesh_default_m1.html", Report(7, [] { MeshReport(1, 0); }));
    SetUp();
    OpenExample("industrial.qy7");
    ExpectGolden("mesh_industrial_m3.html", Report(7, [] { MeshReport(3, 0); }));
    ExpectGolden("workshop_industrial_S.html", Report(7, [] { WheelMeasurementReport(1); }));
}

TEST_F(MeshReportTest, StagePrintoutListsTheStageMessagesAfterAMeshReport)
{
    for (const char* file : {"industrial.qy7", "default.qy7"}) { // industrial's Pe-H: "Warning: x2 > 0"
        OpenExample(file);
        const std::string afterCalculation = Report(3, [] { PrintPlanetaryReport(2); });
        EXPECT_EQ(Has(afterCalculation, "REMARKS, WARNINGS"), error0.ErrorCount > 0) << file;
        Report(3, [] { MeshReport(3, 2); });
        for (int twice = 0; twice < 2; ++twice) // the list lent to the printout is given back
            EXPECT_EQ(Report(3, [] { PrintPlanetaryReport(2); }), afterCalculation) << file;
    }
}

// Every HTML golden of these reports is judged by an independent checker.
TEST(PairReportHtml, GoldenPagesPassTidy)
{
    if (!std::filesystem::exists("/usr/bin/tidy")) QYR7_VALIDATOR_MISSING("tidy is not installed");
    int checked = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(QYR7_TEST_DIR) + "/golden")) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() != ".html") continue;
        if (name.rfind("mesh", 0) != 0 && name.rfind("workshop", 0) != 0 && name.rfind("spectrum", 0) != 0)
            continue;
        const std::string cmd = "/usr/bin/tidy -q -e '" + entry.path().string() + "' >/dev/null 2>&1";
        const int status = std::system(cmd.c_str());
        ASSERT_TRUE(WIFEXITED(status)) << name;
        EXPECT_LT(WEXITSTATUS(status), 2) << name << ": tidy found errors";
        ++checked;
    }
    EXPECT_GE(checked, 4);
}

} // namespace
