// The printed report of the calculated default stage, on the batch text and
// HTML devices, for every part selector and in the metric and inch systems.
// The golden files beside this test were read line by line against the hand
// values of the stage tests (i0 = 3, S 100 1/min, H 33.33 1/min, z 21/15/15/-63,
// a 117 / 97.5, TN = 72 kW at 100 1/min = 6875.5 Nm).
#include "reporttestsupport.h"

#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "planetary/bearings/planetbearing.h"
#include "planetary/projectfile.h"
#include "planetary/stage.h"
#include "planetary/stagecalc.h"
#include "planetary/stagedefaults.h"
#include "reports/engine/reportengine.h"
#include "reports/messages/messagelist.h"
#include "reports/stage/planetaryreport.h"

#include "gearpair/lifeparams.h"

#include <algorithm>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace
{

class StageReport : public ReportTest
{
  protected:
    void SetUp() override
    {
        ReportTest::SetUp();
        telmvar.ProgramVersion = "1.0";
        InitProgramDefaults();
        SetDefaultInput();
        telmvar.RemarkLines[1] = "default stage";
        PlanetaryGears.StageText = "plus planetary stage";
    }

    // Runs the report on a device and returns what it wrote.
    std::string Report(uint16_t Device, uint16_t Part)
    {
        wtelmvar.TextDevice = Device;
        telmvar.ProjectName = Device == 9 ? Temp("stage") : "stage";
        SaveDialogPath = Temp("report.out");
        wtelmvar.HtmlBrowserPath = ""; // HTML: to the file of the save dialog
        PrintPlanetaryReport(Part);
        // The batch device delivers the report beside the project file.
        const std::string file = Device == 9 ? Temp("stage.txt") : Temp("report.out");
        return std::filesystem::exists(file) ? WithoutTempDir(ReadFile(file)) : std::string();
    }

    void Calculate()
    {
        CalcPlanetaryStage();
        ASSERT_FALSE(telmvar.FatalCalcError) << error0.ErrorTexts[1];
    }
};

TEST_F(StageReport, Html)
{
    Calculate();
    ExpectGolden("stage_part0.html", Report(7, 0));
}

TEST_F(StageReport, FramedFileDeviceAndKilonewtonSystem)
{
    // The file device writes the framed pages with fixed columns.
    Calculate();
    ExpectGolden("stage_part0_file.txt", Report(3, 0));
    // System 2 shows forces in kN: the nominal planet bearing load 67160 N as 67.16.
    SetUp();
    wtelmvar.UnitSystem = 2;
    Calculate();
    const std::string text = Report(9, 2);
    ExpectGolden("stage_part2_kN_batch.txt", text);
    EXPECT_NE(text.find("bearing load planet wheel nom\tFlPN\tkN"), std::string::npos);
}

// The result window's material rows hold the fields of the batch report's rows ("density\trho\tkg/dm3\t
// 7.80\t..."), whole and parted by a blank: label at column 1, symbol 30, values at 40, 48, 56, 64 (" 1500"
// has its digits at 41); a unit too wide for column 37 ends a blank before the first digits, and where the
// symbol leaves no room for that, moves them right.
TEST_F(StageReport, WindowMaterialRowsHoldTheirFieldsWhole)
{
    for (const auto& [system, row] :
         {std::pair{0, "density                      rho  kg/dm3 7.80    7.80    7.80    7.80 "},
          {0, "modulus of elasticity        E     MPa 2.06E5  2.06E5  2.06E5  2.06E5 "},
          {3, "allow.stress nr.(contact)    S.Hlim N/mm\xFD 1500  1500    1500    1500  "}}) {
        SetUp();
        wtelmvar.UnitSystem = static_cast<uint16_t>(system);
        Calculate();
        Report(1, 2);
        const auto lines = Lines(ShownReport);
        EXPECT_NE(std::find(lines.begin(), lines.end(), "       " + std::string(row)), lines.end()) << row;
    }
}

TEST_F(StageReport, PartThreeIsPartZero)
{
    Calculate();
    const std::string zero = Report(9, 0);
    SetUp();
    Calculate();
    EXPECT_EQ(Report(9, 3), zero);
}

TEST_F(StageReport, FatalStageShowsOnlyTheMessages)
{
    GearPair.mn = 0;
    CalcPlanetaryStage();
    ASSERT_TRUE(telmvar.FatalCalcError);
    EXPECT_EQ(Report(9, 0), "");
}

// A stage with a load spectrum and both planet bearings chosen: the bearing
// pages and the load spectrum page appear; the life results are set by hand
// so that the page shows known numbers.
// A stage with a load spectrum and both planet bearings chosen: the bearing
// pages and the load spectrum page appear; the bearing results are set by
// hand after the calculation so that the page shows known numbers.
void LoadedStage()
{
    // The life material comes from the shipped table (record 1).
    telmvar.DbfDir = std::string(QYR7_DATA_DIR) + "/";
    GearPair.LoadSpectrumCount = 3;
    GearPair.LoadSpectrum[1] = {1e5L, 6875.5L};
    GearPair.LoadSpectrum[2] = {1e6L, 5000};
    GearPair.LoadSpectrum[3] = {1e7L, 2000};
    PutStageLoadSpectrum(); // the stage keeps the spectrum the meshes scale
}

void ChosenBearings()
{
    for (int n = 1; n <= 2; ++n) {
        auto& br = PlanetBearings[n];
        br.BearingType = n == 1 ? 1 : 5;
        br.Designation = n == 1 ? "6205" : "NJ 2205";
        br.d = 25;
        br.D = 52;
        br.B = n == 1 ? 15 : 18;
        br.C = 14000;
        br.C0 = 7800;
        br.P = 4000;
        br.P0 = 3000;
        br.L10 = 42.875; // (14000 / 4000)^3
        br.s0 = 2.6;
        br.CRatio = 3.5;
        br.nu1 = 20;
        br.nu = 30;
        br.kappa = 1.5;
        br.aISO = 1.2;
        br.Lna = 51.45; // 42.875 * 1 * 1.2
        br.BearingCount = n;
        br.Arrangement = 2;
    }
}

TEST_F(StageReport, BearingsAndLoadSpectrum)
{
    LoadedStage();
    Calculate();
    ChosenBearings();
    const std::string text = Report(9, 0);
    EXPECT_NE(text.find("bearing Pi"), std::string::npos);
    EXPECT_NE(text.find("BEARING SPECS for Cylindr.roller bearing NJ 2205"), std::string::npos);
    EXPECT_NE(text.find("configuration"), std::string::npos) << "two NJ bearings are mounted as a pair";
    EXPECT_NE(text.find("LOAD SPECTRUM"), std::string::npos);
    // 42.875e6 revolutions at |npC| = 140 1/min: 42.875e6 / 140 / 60 = 5104 h;
    // with a1 = 1 and aISO 1.2: 51.45e6 revolutions, 6125 h.
    EXPECT_NE(text.find("life expect. hours\tL10h\th\t5104"), std::string::npos);
    EXPECT_NE(text.find("L10mh\th\t6125"), std::string::npos);
    // Per planet set the sun side carries TS zPi/zS/q = 6875.5 * 15/21/3 = 1637 Nm;
    // the spectrum's 2000 Nm scale by 1637/6875.5 to 476.19 Nm.
    EXPECT_NE(text.find("nominal torque\tT N\tNm\t1637\t1637"), std::string::npos);
    EXPECT_NE(text.find("476.19"), std::string::npos);
    // Sum of the load cycles 1e5 + 1e6 + 1e7; the equivalent count takes the
    // items of at least half the nominal torque: 1e5 + 1e6.
    EXPECT_NE(text.find("sum of load changes\tN sum\t\t1.11E7"), std::string::npos);
    EXPECT_NE(text.find("equiv.number of load cycles\tN eq\t\t1.1E6"), std::string::npos);
    // Tooth root (pF = 8.738 of the case-hardened life material):
    // TeqF = 1637 ((1e5 + 1e6 (1190.48/1637.02)^8.738) / 1.1e6)^(1/8.738) = 1315 Nm,
    // KA F = 1315 / 1637 = 0.80.
    EXPECT_NE(text.find("equival.torque tooth root\tT eqF\tNm\t1315\t1315"), std::string::npos);
    EXPECT_NE(text.find("application factor tooth break\tKA F\t\t 0.80"), std::string::npos);
}

TEST_F(StageReport, ALimitTorqueNotFoundIsNotShownAsZero)
{
    LoadedStage();
    Calculate();
    // The root limit search of mesh S-Pi failed: the records hold 0 for the
    // limit and for the breakage torque formed from it.
    PlanetaryGears.TnF[mSPi] = 0;
    PlanetaryGears.T0F[mSPi] = 0;
    const std::string text = Report(9, 4);
    EXPECT_NE(text.find("limit fatigue str. tooth root\tT nF\tNm\tnot found\t"), std::string::npos) << text;
    EXPECT_NE(text.find("limit breakage tooth root\tT 0F\tNm\tnot found\t"), std::string::npos) << text;
    // The other side's limits were found and stand as numbers.
    EXPECT_EQ(text.find("limit fatigue str. pitting\tT nH\tNm\tnot found"), std::string::npos) << text;
}

TEST_F(StageReport, LoadedStageInHtml)
{
    LoadedStage();
    Calculate();
    ChosenBearings();
    ExpectGolden("stage_loaded_part0.html", Report(7, 0));
}

TEST_F(StageReport, NoSpectrumNoSpectrumPage)
{
    Calculate();
    const std::string text = Report(9, 4);
    EXPECT_EQ(text.find("LOAD SPECTRUM"), std::string::npos);
}

// Every part selector of both stages in the metric and the inch system.
// Pe-H backlash of the default stage by hand (|a| 156, js7: ISO 286 IT7 40 um,
// Aa 20 um; DIN 3967 e25 Pe/H: Asne -40/-75, Asni -80/-135 um; alpha 20, beta 0):
// jt 0.115 - 2*0.020*tan 20 = 0.1004 / 0.215 + 0.0146 = 0.2296; jn = jt cos 20
// = 0.0944 / 0.2157; jr = jt / (2 tan 20) = 0.1380 / 0.3154 (0.0054 in).
// Micrometres in microinches (um * 1000 / 25.4): Tsn of S, Pi, Pe, H 50, 40, 40,
// 60 um = 1969, 1575, 1575, 2362 uin; RzZ and RzY 5 um = 197 uin.
TEST_F(StageReport, EveryPartInBothSystemsOfBothStages)
{
    for (int loaded = 0; loaded <= 1; ++loaded)
        for (int system : {0, 1})
            for (uint16_t part = 0; part <= 6; ++part) {
                SCOPED_TRACE(std::to_string(loaded) + "/" + std::to_string(system) + "/" +
                             std::to_string(part));
                SetUp();
                wtelmvar.UnitSystem = static_cast<uint16_t>(system);
                if (loaded) LoadedStage();
                Calculate();
                if (loaded) ChosenBearings();
                ExpectGolden(std::string(loaded ? "all_loaded" : "all_default") + "_u" +
                                 std::to_string(system) + "_part" + std::to_string(part) + ".txt",
                             Report(9, part));
            }
}

// Two values touching ("-123.400149.779", "13751-20626", "2.06E5-2.06E5");
// a date and the names of standards and materials hold none.
const std::string Num = "[0-9]*[.,]?[0-9]+([eE][-+]?[0-9]+)?";
const std::regex Glued("[0-9][.,][0-9]+[-.,][0-9]|(^| )-?" + Num + "-" + Num + "( |$)");

TEST(ReportCellsCheck, FlagsTouchingValuesOnly)
{
    for (const auto& [line, glued] : {std::pair(" -1.4001.7", true),
                                      {"x 13751-20626 y", true},
                                      {" 2.06E5-2.06E5", true},
                                      {" 13751 -20626", false},
                                      {" 2026-12-07 6:05", false},
                                      {"ISO 1328-1:2013-09", false},
                                      {"18CrNiMo7-6", false}})
        EXPECT_EQ(std::regex_search(line, Glued), glued) << line;
}

// Fixed-width rows a reader can take apart, on stages with negative outer
// planet span measurements beside the ring's and wide ring values: no word
// holds two numbers ("-123.400149.779"), and each symbol of the tab-separated
// report stands in the printed row of its label at column 30 or 35 with a
// blank before it (letters outside ASCII differ by code page).
class ReportCells : public StageReport, public ::testing::WithParamInterface<std::pair<const char*, int>>
{
};

TEST_P(ReportCells, NoFieldTouchesItsNeighbour)
{
    const auto report = [this](uint16_t Device) {
        SetUp();
        telmvar.DbfDir = std::string(QYR7_DATA_DIR) + "/";
        TFileFault fault;
        if (*GetParam().first)
            EXPECT_TRUE(
                ReadProjectData(std::string(QYR7_SOURCE_DIR) + "/examples/" + GetParam().first, fault));
        GearPair.mn = GetParam().second > 0 ? GetParam().second : GearPair.mn;
        Calculate();
        return Lines(Report(Device, 0));
    };
    const std::vector<std::string> printed = report(3);
    for (const std::string& line : printed)
        EXPECT_FALSE(std::regex_search(line, Glued)) << line;
    size_t at = 0, symbols = 0;
    for (const std::string& row : report(9)) {
        std::vector<std::string> f;
        std::istringstream in(row);
        for (std::string x; std::getline(in, x, '\t');)
            f.push_back(x);
        if (f.size() < 4 || f[1].empty() || f[0].find_first_not_of(' ') == std::string::npos) continue;
        const std::string label = f[0].substr(0, 20);
        while (at < printed.size() && (printed[at] + "       ").compare(7, label.size(), label) != 0)
            ++at;
        ASSERT_LT(at, printed.size()) << label;
        const std::string line = printed[at++].substr(7) + std::string(80, ' ');
        const auto symbolAt = [&](size_t c) {
            for (size_t k = 0; k < f[1].size(); ++k)
                if (static_cast<unsigned char>(f[1][k]) < 128 && line[c + k] != f[1][k]) return false;
            return line[c - 1] == ' ';
        };
        EXPECT_TRUE(symbolAt(29) || symbolAt(34)) << f[1] << " touches its label: " << line;
        ++symbols;
    }
    EXPECT_GT(symbols, 50u);
}

INSTANTIATE_TEST_SUITE_P(Stages, ReportCells,
                         ::testing::Values(std::pair("", 0), std::pair("", 25),
                                           std::pair("industrial.qy7", 0), std::pair("spectrum.qy7", 0)),
                         [](const auto& Info) {
                             const std::string name = *Info.param.first ? Info.param.first : "default.qy7";
                             return name.substr(0, name.find('.')) + "_m" + std::to_string(Info.param.second);
                         });

} // namespace
