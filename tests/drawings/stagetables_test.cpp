// The stage sheet tables of the default stage (z 21/15/15/-63, mn 6.5,
// three planet sets, 72 kW at 100 1/min on the sun, ring gear output):
// every routine's text CAD output against a golden file in the metric and
// the inch system, and the values a reader checks by hand: planet pin
// coordinates, the six drive configurations by Willis' equation, and the
// rows that depend on the mode, the data and the unit system.
#include "goldentestsupport.h"
#include "stagetablesupport.h"

#include "common/validators.h"
#include "drawings/stage/stagetables.h"
#include "foundation/numbertext.h"
#include "gearpair/gearpairdata.h"
#include "planetary/driveconfigurations.h"

#include <cmath>
#include <map>

using namespace stagetest;
namespace st = stagetables;

namespace
{

const std::map<std::string, std::function<void()>>& Routines()
{
    static const std::map<std::string, std::function<void()>> r = {
        {"StageTables", [] { st::WriteStageTables(); }},
        {"Dimension0", [] { st::WriteDimensionTable(0, 10, 100, 2.5L); }},
        {"Dimension2", [] { st::WriteDimensionTable(2, 10, 100, 2.5L); }},
        {"Operation", [] { st::WriteOperationTable(10, 100, 2.5L); }},
        {"Strength", [] { st::WriteStrengthTable(10, 100, 2.5L); }},
        {"GeneralData0", [] { st::WriteGeneralDataTable(0, 10, 100, 2.5L); }},
        {"GeneralData2", [] { st::WriteGeneralDataTable(2, 10, 100, 2.5L); }},
        {"MeshData", [] { st::WriteMeshDataTable(10, 100, 2.5L); }},
        {"ApplicationFactor", [] { st::WriteApplicationFactorTable(10, 100, 2.5L); }},
        {"Bearing1", [] { st::WriteBearingTable(1, 10, 100, 2.5L); }},
        {"Bearing2", [] { st::WriteBearingTable(2, 10, 100, 2.5L); }},
        {"SpecificSliding", [] { st::WriteSpecificSlidingTable(10, 100, 2.5L); }},
        {"Backlash", [] { st::WriteBacklashTable(10, 100, 2.5L); }},
        {"CarrierCoordinates", [] { st::WriteCarrierCoordinatesTable(); }},
        {"DriveConfig", [] { st::DriveConfigTable(10, 100, 2.5L); }},
    };
    return r;
}

struct TGoldenCase {
    std::string Routine;
    int UnitSystem;
};

class StageTableGolden : public StageTableFixture, public ::testing::WithParamInterface<TGoldenCase>
{
};

TEST_P(StageTableGolden, TextCadOutputMatches)
{
    wtelmvar.UnitSystem = static_cast<uint16_t>(GetParam().UnitSystem);
    // The bearing tables show a chosen bearing of Pe beside none for Pi
    // (set after the calculation: a bearing without catalogue data would
    // stop the stage calculation of the drive table).
    if (GetParam().Routine.rfind("Bearing", 0) == 0) {
        auto& b = PlanetBearings[2];
        b.Designation = "NA 4906";
        b.L10 = 1234.5L;
        b.Lna = 2468.9L;
        b.ReliabilityIndex = 6;
        b.LifeFactorMode = 3;
    }
    telmvar.RemarkLines[1] = "remark one";
    telmvar.RemarkLines[3] = "remark three";
    const std::string bytes = Draw(5, Routines().at(GetParam().Routine));
    ExpectGolden("stagetables/" + GetParam().Routine + "_unit" + std::to_string(GetParam().UnitSystem) +
                     ".txt",
                 bytes);
}

std::vector<TGoldenCase> GoldenCases()
{
    std::vector<TGoldenCase> c;
    for (const auto& [name, routine] : Routines())
        for (int unit : {0, 1})
            c.push_back({name, unit});
    return c;
}

INSTANTIATE_TEST_SUITE_P(Routines, StageTableGolden, ::testing::ValuesIn(GoldenCases()),
                         [](const ::testing::TestParamInfo<TGoldenCase>& i) {
                             return i.param.Routine + "_unit" + std::to_string(i.param.UnitSystem);
                         });

using StageTables = StageTableFixture;

// Inner planets on |a1| = 117 at 38.625 deg (cos = (a2^2 - a3^2 - a1^2) /
// (2 a3 a1) = (97.5^2 - 156^2 - 117^2) / (2 (-156) 117) = 0.78125) plus
// 0, 120, 240 deg; outer planets on |a3| = 156 at 0, 120, 240 deg.
TEST_F(StageTables, CarrierCoordinatesByHand)
{
    // Texts as the drawing writes them, in the DOS code page (degree sign
    // 0xF8), without the display conversion of the text CAD device.
    wtelmvar.CadTextMode = 1;
    const auto t = Texts([] { st::WriteCarrierCoordinatesTable(); });
    const std::vector<std::vector<std::string>> expected = {
        {"i1", "38.625", "91.406", "73.034"},    {"i2", "158.625", "-108.952", "42.643"},
        {"i3", "278.625", "17.546", "-115.677"}, {"e1", "0.000", "156.000", "0.000"},
        {"e2", "120.000", "-78.000", "135.100"}, {"e3", "240.000", "-78.000", "-135.100"}};
    for (const auto& e : expected) {
        const auto row = RowOf(t, " " + e[0]);
        ASSERT_EQ(row.size(), 4u) << e[0];
        for (size_t k = 1; k < 4; ++k)
            EXPECT_EQ(Trimmed(row[k]), e[k]) << e[0] << " column " << k;
    }
    EXPECT_EQ(RowOf(t, "i"), (std::vector<std::string>{" i", " phi \xF8", " x  mm", " y mm"}));
    // beta of the face contact ratio: 0xE1 in the same code page.
    EXPECT_EQ(RowOf(Texts([] { st::WriteMeshDataTable(10, 100, 2.5L); }), "eps.\xE1").size(), 5u);
}

// Two rows a column: the six rows of the three planet sets go on in two
// further columns, each with its head row, side by side: a column is 35
// characters of 3.5 x 0.9 mm (110.25) wide, and the next begins 5 mm on.
TEST_F(StageTables, CarrierCoordinatesGoOnInColumnsSideBySide)
{
    const auto t = Texts([] { st::WriteCarrierCoordinatesTable(2); });
    std::map<std::string, std::vector<double>> at;
    for (const auto& r : t)
        at[r.Text].push_back(r.X);
    ASSERT_EQ(at[" i"].size(), 3u);
    const double x0 = at[" i"][0];
    EXPECT_NEAR(at[" i"][1] - x0, 115.25, 1e-6);
    EXPECT_NEAR(at[" i"][2] - x0, 230.5, 1e-6);
    for (const auto& [label, column] :
         {std::pair{"  i1", 0}, {"  i2", 0}, {"  i3", 1}, {"  e1", 1}, {"  e2", 2}, {"  e3", 2}}) {
        ASSERT_EQ(at[label].size(), 1u) << label;
        EXPECT_NEAR(at[label][0] - x0, 115.25 * column, 1e-6) << label;
    }
}

// Willis with i0 = 3 and the third shaft held, nIn = 100:
// nS - nC = 3 (nH - nC).
TEST_F(StageTables, DriveConfigurationsByWillisAndRecordsRestored)
{
    PlanetaryShafts.OutputShaft = shaftH;
    CalcPlanetaryStage();
    ASSERT_FALSE(telmvar.FatalCalcError);
    const TPlanetaryStage stage = PlanetaryStage;
    const TPlanetaryGears gears = PlanetaryGears;
    const TPlanetaryShafts shafts = PlanetaryShafts;
    const auto bearings = PlanetBearings;
    const auto messages = error0;

    const auto t = Texts([] { st::DriveConfigTable(10, 100, 2.5L); });
    struct TRow {
        const char *S, *C, *H, *nOut, *i;
    };
    const TRow expected[] = {
        {"in", "out", "locked", "-50", "-2.000"}, {"in", "locked", "out", "33", "3.000"},
        {"locked", "in", "out", "67", "1.500"},   {"locked", "out", "in", "150", "0.667"},
        {"out", "locked", "in", "300", "0.333"},  {"out", "in", "locked", "-200", "-0.500"}};
    for (int k = 1; k <= 6; ++k) {
        const auto row = RowOf(t, std::to_string(k));
        ASSERT_EQ(row.size(), 9u) << "configuration " << k;
        const TRow& e = expected[k - 1];
        EXPECT_EQ(row[1], std::string(" ") + e.S) << k;
        EXPECT_EQ(row[2], std::string(" ") + e.C) << k;
        EXPECT_EQ(row[3], std::string(" ") + e.H) << k;
        EXPECT_EQ(row[4].size(), 7u) << "n out right-aligned in 6 after the blank";
        EXPECT_EQ(Trimmed(row[4]), e.nOut) << k;
        EXPECT_EQ(row[6].size(), 8u) << "i right-aligned in 7 after the blank";
        EXPECT_EQ(Trimmed(row[6]), e.i) << k;
    }
    EXPECT_EQ(RowAt(t, 100 - 1.5 * 2.5),
              (std::vector<std::string>{" ", "    S", "    C", "    H", " n out /min", " T out Nm",
                                        " i=n out/in", " SH min", " SF min"}));

    EXPECT_TRUE(PlanetaryStage == stage);
    EXPECT_TRUE(PlanetaryGears == gears);
    EXPECT_TRUE(PlanetaryShafts == shafts);
    EXPECT_TRUE(PlanetBearings == bearings);
    EXPECT_FALSE(telmvar.FatalCalcError);
    ASSERT_EQ(error0.ErrorCount, messages.ErrorCount);
    for (int k = 1; k <= error0.ErrorCount; ++k)
        EXPECT_EQ(error0.ErrorTexts[k], messages.ErrorTexts[k]) << k;
}

// A weak ring gear puts the smallest pitting safety into the mesh Pe-H: the
// columns take all three meshes, so they show that safety and no higher one.
TEST_F(StageTables, SmallestSafetiesTakeTheRingGearMesh)
{
    PlanetaryGears.SigmaHlim[gH] = 200;
    PlanetaryGears.Sigma_FE[gH] = 100;
    const auto t = Texts([] { st::DriveConfigTable(10, 100, 2.5L); });
    for (int k = 1; k <= 6; ++k) {
        PlanetaryShafts.InputShaft = DriveConfigurations[k].InputShaft;
        PlanetaryShafts.OutputShaft = DriveConfigurations[k].OutputShaft;
        PlanetaryStage.nThird = 0;
        CalcPlanetaryStage();
        ASSERT_FALSE(telmvar.FatalCalcError) << k;
        const auto& g = PlanetaryGears;
        // The ring's own safeties are the smallest of all six.
        for (int s = 1; s <= 2; ++s)
            for (int m = 1; m <= 3; ++m) {
                EXPECT_LE(g.SH[2][mPeH], g.SH[s][m]) << k;
                EXPECT_LE(g.SF[2][mPeH], g.SF[s][m]) << k;
            }
        const auto row = RowOf(t, std::to_string(k));
        ASSERT_EQ(row.size(), 9u);
        EXPECT_EQ(row[7], " " + FormatFloatFixed(5, 1, g.SH[2][mPeH])) << k;
        EXPECT_EQ(row[8], " " + FormatFloatFixed(5, 1, g.SF[2][mPeH])) << k;
    }
}

// An input speed of 0 stops every configuration: each row keeps its role
// texts and shows "-" in its values, not the results the records still hold
// from before; afterwards the drive is the one before and the stage is
// calculated again.
TEST_F(StageTables, FailedConfigurationsShowDashes)
{
    PlanetaryStage.nIn = 0;
    const TPlanetaryShafts shafts = PlanetaryShafts;
    const auto t = Texts([] { st::DriveConfigTable(10, 100, 2.5L); });
    for (int k = 1; k <= 6; ++k) {
        const auto row = RowOf(t, std::to_string(k));
        ASSERT_EQ(row.size(), 9u);
        EXPECT_EQ(row[1], std::string(" ") + st::DriveRolesS[k]);
        for (size_t c = 4; c < 9; ++c)
            EXPECT_EQ(row[c], " -") << "configuration " << k << " column " << c;
    }
    EXPECT_TRUE(PlanetaryShafts == shafts);
    EXPECT_EQ(PlanetaryStage.nThird, 0);
    EXPECT_TRUE(telmvar.FatalCalcError) << "the restored drive calculated again";
}

TEST_F(StageTables, RowsFollowModeAndData)
{
    const Extended h = 2.5L, w = 0.9L * h;
    // Mode 2: the two allowable stress rows and a first column of 7.
    auto t = Texts([] { st::WriteDimensionTable(2, 10, 100, 2.5L); });
    EXPECT_EQ(RowOf(t, "Sig.Hlim").size(), 6u);
    EXPECT_EQ(RowOf(t, "Sig.FE").size(), 6u);
    ASSERT_GE(t.size(), 2u);
    EXPECT_NEAR(t[1].X, static_cast<double>(10 + 7 * w), 1e-6) << t[1].Text;
    t = Texts([] { st::WriteDimensionTable(0, 10, 100, 2.5L); });
    EXPECT_TRUE(RowOf(t, "Sig.Hlim").empty());
    EXPECT_TRUE(RowOf(t, "Sig.FE").empty());
    ASSERT_GE(t.size(), 2u);
    EXPECT_NEAR(t[1].X, static_cast<double>(10 + 4 * w), 1e-6) << t[1].Text;
    EXPECT_EQ(Trimmed(RowOf(t, "zn").back()), "-63.00") << "zn of the ring: z / cos^3 beta";

    // General data: mode 2 ends after qp; the stationary ratio needs zS.
    t = Texts([] { st::WriteGeneralDataTable(2, 10, 100, 2.5L); });
    EXPECT_EQ(t.back().Text, "     3") << "qp is the last row";
    EXPECT_TRUE(RowOf(t, "Input").empty());
    t = Texts([] { st::WriteGeneralDataTable(0, 10, 100, 2.5L); });
    EXPECT_EQ(RowOf(t, "Input"), (std::vector<std::string>{" Input", " ", "   S"}));
    EXPECT_EQ(RowOf(t, "Output"), (std::vector<std::string>{" Output", " ", "   H"}));
    EXPECT_EQ(RowOf(t, "i0"), (std::vector<std::string>{" i0", " -zh/zs", "   3.000"}));
    PlanetaryGears.z[gS] = 0;
    t = Texts([] { st::WriteGeneralDataTable(0, 10, 100, 2.5L); });
    EXPECT_TRUE(RowOf(t, "i0").empty());
    EXPECT_FALSE(RowOf(t, "i").empty());

    // The power-sharing title.
    t = Texts([] { st::WriteOperationTable(10, 100, 2.5L); });
    EXPECT_EQ(t[0].Text, " ") << "no title";
    PlanetaryStage.PowerSplit = true;
    t = Texts([] { st::WriteOperationTable(10, 100, 2.5L); });
    EXPECT_EQ(t[0].Text, " Pout=Pin+Pcontrol");

    // A bearing without designation (blanks only) shows load and speed.
    PlanetBearings[1].Designation = "   ";
    PlanetBearings[1].L10 = 500;
    t = Texts([] { st::WriteBearingTable(1, 10, 100, 2.5L); });
    EXPECT_EQ(t.size(), 3u + 6u) << "title, two blank headings, two rows of three";
    EXPECT_TRUE(RowOf(t, "L10").empty());
    PlanetBearings[1].Designation = "HK 4020";
    t = Texts([] { st::WriteBearingTable(1, 10, 100, 2.5L); });
    EXPECT_EQ(t[0].Text, " Pi: HK 4020");
    EXPECT_EQ(RowOf(t, "L10"), (std::vector<std::string>{" L10", " Mill.", " 500"}));
    EXPECT_EQ(RowOf(t, "L10m").size(), 3u) << "default reliability 90 %, aISO method";
}

struct TLifeCase {
    const char* Name;
    int Reliability, Method;
    const char* Label;
};

class AdjustedLifeLabel : public StageTableFixture, public ::testing::WithParamInterface<TLifeCase>
{
};

TEST_P(AdjustedLifeLabel, FromReliabilityAndMethod)
{
    PlanetBearings[2].Designation = "NA 4906";
    PlanetBearings[2].ReliabilityIndex = GetParam().Reliability;
    PlanetBearings[2].LifeFactorMode = GetParam().Method;
    const auto t = Texts([] { st::WriteBearingTable(2, 10, 100, 2.5L); });
    EXPECT_EQ(RowOf(t, GetParam().Label).size(), 3u) << t.back().Text;
}

// Codes outside the lists (a project file can hold any number) take the
// nearest end, as the reliability factor does.
INSTANTIATE_TEST_SUITE_P(
    Codes, AdjustedLifeLabel,
    ::testing::Values(TLifeCase{"L10a", 1, 1, "L10a"}, TLifeCase{"L10a_entered", 1, 2, "L10a"},
                      TLifeCase{"L1m", 6, 3, "L1m"}, TLifeCase{"L0_8m", 7, 4, "L0.8m"},
                      TLifeCase{"L0_05m", 14, 4, "L0.05m"}, TLifeCase{"L100_nomethod", 1, 0, "L100"},
                      TLifeCase{"below_lists", -3, -1, "L100"}, TLifeCase{"beyond_lists", 99, 7, "L0.05m"}),
    [](const ::testing::TestParamInfo<TLifeCase>& i) { return std::string(i.param.Name); });

// The stage tables print forces in N and torques in N m whatever the unit
// system; the compact mesh table converts its forces; the centre distance
// is converted in the inch system only.
TEST_F(StageTables, UnitsOfTheForcesTorquesAndCentreDistances)
{
    // Ft = TS / (qp rS) = 2000 * 6875.4935 / (3 * 136.5) = 33579.94 N in
    // every mesh, Ftw the same (standard centre distances); 7549.1 lbf.
    std::map<int, std::vector<TTextRecord>> sheet, mesh;
    for (int unit : {0, 1}) {
        wtelmvar.UnitSystem = static_cast<uint16_t>(unit);
        sheet[unit] = Texts([] { st::WriteStageTables(); });
        mesh[unit] = Texts([] { st::WriteMeshDataTable(10, 100, 2.5L); });
    }
    for (const char* label : {"Ft", "Ftw", "Fnw"}) {
        const auto metric = RowOf(sheet[0], label), inch = RowOf(sheet[1], label);
        ASSERT_EQ(metric.size(), 6u) << label;
        EXPECT_EQ(metric, inch) << label;
        EXPECT_EQ(metric[2], " N");
    }
    EXPECT_EQ(Trimmed(RowOf(sheet[1], "Ft")[3]), "33580");
    EXPECT_EQ(RowOf(sheet[0], "T"), RowOf(sheet[1], "T"));
    EXPECT_EQ(Trimmed(RowOf(sheet[1], "T")[3]), "6875") << "TS = 72000 / (100 2 pi / 60) = 6875.49 N m";

    const auto ftw = RowOf(mesh[1], "Ftw");
    ASSERT_EQ(ftw.size(), 5u);
    EXPECT_EQ(ftw[1], " lbf");
    for (size_t k = 2; k < 5; ++k)
        EXPECT_NEAR(std::stod(ftw[k]), 33579.94 / 4.4482216, 0.06) << k;
    // a = (21 + 15, 15 + 15, 15 - 63) 6.5 / 2 = 117, 97.5, -156 mm = 4.606, 3.839, -6.142 in.
    EXPECT_EQ(RowOf(mesh[0], "a"), (decltype(ftw){" a", " ", "  117.00", "   97.50", " -156.00"}));
    EXPECT_EQ(RowOf(mesh[1], "a"), (decltype(ftw){" a", " in", "   4.606", "   3.839", "  -6.142"}));
}

// The whole stage sheet as a DXF file passes ezdxf's auditor.
TEST_F(StageTables, StageSheetPassesTheDxfAudit)
{
    if (!HaveEzdxf()) QYR7_VALIDATOR_MISSING("python3-ezdxf");
    const auto view = Ezdxf(Draw(1, [] {
        st::WriteStageTables();
        st::DriveConfigTable(10, 30, 2);
    }));
    ASSERT_FALSE(view.empty());
    EXPECT_EQ(view[0], "audit errors=0 fixes=0");
}

} // namespace
