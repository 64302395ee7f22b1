// The edge cases of the gear-pair report and the workshop sheet, one table:
// each case changes the calculated S-Pi pair of the default stage (or the
// stage before a mesh is loaded), runs one entry point and names texts the
// result must and must not hold. The result is the delivered report, then
// "|" and the entry's own answer, then "|" and the messages shown.
#include "gearpairreport_support.h"

#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "planetary/stage.h"
#include "reports/gearpair/gearpairreport.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace
{

struct EdgeCase {
    const char* Name;
    std::function<void()> Arrange;
    // The entry point; Answer takes what it returns besides the report.
    std::function<bool(std::string& Answer)> Act;
    std::vector<std::string> Present;
    std::vector<std::string> Absent;
    uint16_t Device = 9;
    // Answers of the yes/no questions, in order.
    std::vector<bool> Answers = {};
};

bool Part(uint16_t Part)
{
    return GearPairReport(Part);
}

std::function<bool(std::string&)> Report(uint16_t P)
{
    return [P](std::string& Answer) {
        const bool delivered = Part(P);
        Answer += delivered ? "delivered" : "not delivered";
        return delivered;
    };
}

std::function<bool(std::string&)> Sheet(uint16_t Gear)
{
    return [Gear](std::string&) { return MeasuringDimensionsReport(Gear); };
}

std::function<bool(std::string&)> WheelMesh(std::vector<uint16_t> Wheels)
{
    return [Wheels](std::string& Answer) {
        for (uint16_t w : Wheels)
            Answer += "wheel " + std::to_string(w) + " is gear " + std::to_string(LoadWheelMesh(w)) + ";";
        return true;
    };
}

void Safeties(int Method, Extended SF1, Extended SF2)
{
    auto& p = GearPair;
    p.CalcMethod = Method;
    p.LifeFactorInput = 0;
    p.SF[1] = SF1;
    p.SF[2] = SF2;
    p.SH[1] = p.SH[2] = 2;
    p.NLF[1] = 2e6L;
    p.NLF[2] = 3e6L;
    p.LtF[1] = 150;
    p.LtF[2] = 250;
}

// The batch text is in the Windows code page: the degree sign and the
// sharp s that stands for beta are bytes 0xB0 and 0xDF there.
const std::string Deg = "\xB0";

std::vector<EdgeCase> Cases()
{
    auto& p = GearPair;
    auto& g = PlanetaryGears;
    return {
        {"Selector1GeometryThenMessages",
         nullptr,
         Report(1),
         {"TOLERANCES, BACKLASH", "REMARKS, WARNINGS"},
         {"OPERATIONAL DATA"}},
        {"Selector2StrengthThenMessages",
         nullptr,
         Report(2),
         {"OPERATIONAL DATA", "safety factor pitting", "REMARKS"},
         {"CALCULATED ANGLES"}},
        {"Selector5OpensAndClosesOnly",
         nullptr,
         Report(5),
         {"|delivered|"},
         {"pressure angle", "OPERATIONAL DATA", "REMARKS"}},
        {"EqualInternalTeethRefuseStrength",
         [&] {
             p.z[1] = 20;
             p.z[2] = -20;
             telmvar.MessagesEnabled = true;
         },
         Report(2),
         {"|not delivered|No strength calculation if z2=-z1 !"},
         {"pressure angle"}},
        {"EqualInternalTeethStillGiveGeometry",
         [&] {
             p.z[1] = 20;
             p.z[2] = -20;
         },
         Report(1),
         {"no. of teeth\tz\t\t   20\t  -20"},
         {"OPERATIONAL DATA"}},
        {"WheelMeshSunWithMoreTeeth",
         [&] {
             g.z[gS] = 30;
             g.z[gPi] = 20;
         },
         WheelMesh({1, 2}),
         {"|wheel 1 is gear 2;wheel 2 is gear 1;"},
         {}},
        {"WheelMeshEqualTeeth",
         [&] {
             g.z[gS] = 20;
             g.z[gPi] = 20;
         },
         WheelMesh({1}),
         {"|wheel 1 is gear 1;"},
         {}},
        {"WheelMeshRing", nullptr, WheelMesh({4, 3}), {"|wheel 4 is gear 2;wheel 3 is gear 1;"}, {}},
        {"InternalBallLimitsAsMagnitudes",
         [&] {
             p.MdK_xemin[1] = 100.0L;
             p.MdK_xemax[1] = 100.1L;
             p.MdK_xemin[2] = -120.40L;
             p.MdK_xemax[2] = -120.35L;
         },
         Report(1),
         {"dim.ov/bw.balls finish.max.\tMdKmax\tmm\t  100.100\t  120.400\r\n",
          "dim.ov/bw.balls finish.min.\tMdKmin\tmm\t  100.000\t  120.350\r\n",
          "deviation dimen.betw.balls\tT MdK\tmm\t    0.100\t    0.050\r\n"},
         {}},
        {"NoOperatingPitchDiameterNoAngle",
         [&] { p.dw[1] = 0; },
         Report(1),
         {"torsional backlash min.ang.\tjtmin\t" + Deg + "\t\t 0.0699" + Deg,
          "torsional backlash max.ang.\tjtmax\t" + Deg + "\t\t",
          "Warning: operating pitch diameter dw = 0: no torsional backlash angle"},
         {"ang.\tjtmin\t" + Deg + "\t 0\t", "inf", "nan"}},
        {"NoAllowanceNoPremachinedRows",
         [&] { p.q[1] = p.q[2] = p.q_tol[1] = p.q_tol[2] = 0; },
         Report(1),
         {"\tWmax\t"},
         {"Wqmax", "Wqmin", "MdKqmax", "MdKqmin", "MdRqmax", "MdRqmin", "xevmax"}},
        {"AllowanceShowsPremachinedRows",
         [&] { p.q[1] = 0.1L; },
         Report(1),
         {"Wqmax", "Wqmin", "MdKqmax", "MdKqmin", "MdRqmax", "MdRqmin", "xevmax"},
         {}},
        {"RackLikeInternalWheel",
         [&] { p.z[2] = -1000; },
         Report(1),
         {"control dimension ball-da rack\tMKamax\tmm\t\t", "control dimension ball-da rack\tMKamin\tmm\t\t",
          "center distance - pitch diam.2/2\ta-r2"},
         {"height rack"}},
        {"OlderStandardSmallModuleNoFlankBlock",
         [&] {
             p.ToleranceStandard = 0;
             p.mn = 0.9L;
         },
         Report(1),
         {"MEASUREMENTS/DIMENSIONS"},
         {"ALLOWABLE DEVIATIONS", "Flank tolerances according"}},
        {"OlderStandardModuleOne",
         [&] {
             p.ToleranceStandard = 0;
             p.mn = 1.0L;
         },
         Report(1),
         {"ALLOWABLE DEVIATIONS ACC. TO DIN 3961\r\n", "flank tolerance class to DIN 3961\t\t\t    6\t    6"},
         {"Flank tolerances according"}},
        {"FactorsEnteredRowSet",
         [&] {
             p.CalcMethod = 3;
             p.ShowFormulas = true;
         },
         Report(2),
         {"CALCULATION METHOD:    Input K,Y,Z\r\n", " qs\tqs\t", "Sigma-F0 = Ft/(b*mn)*YF*YS*Ybeta\r\n"},
         {"crowning", "\tdsh\t", "\tfma\t", "\tfsh\t", "\tsFn\t", "\txeF\t", "\tZD\t", "\tYB\t"}},
        {"Din41RowSet",
         [&] {
             p.CalcMethod = 2;
             p.ShowFormulas = true;
         },
         Report(2),
         {"DIN 3990-41", "\tfma\t", "F\xDFy"},
         {"crowning", "\tfsh\t", "\tZD\t"}},
        {"Din41WithoutFormulas",
         [&] {
             p.CalcMethod = 2;
             p.ShowFormulas = false;
         },
         Report(2),
         {"\tZB\t"},
         {"Sigma-H0 =", "\tsFn\t", " qs\t", "\tfma\t"}},
        {"IsoRowSet",
         [&] {
             p.CalcMethod = 4;
             p.ShowFormulas = true;
         },
         Report(2),
         {"\tZD\t\t\t", "\tYB\t", "\tYDT\t", "rho'", "Sigma-F0 = Ft/(b*mn)*YF*YS(g)*Ybeta*YB*YDT\r\n",
          "crowning"},
         {}},
        {"LifeLinesIsoBelow116",
         [] { Safeties(4, 1.1L, 1.1L); },
         Report(2),
         {"lifetime until tooth breakage\ttF\th\t", "cycles until tooth breakage\tNLF"},
         {}},
        {"NoLifeLinesIsoAt12",
         [] { Safeties(4, 1.2L, 1.2L); },
         Report(2),
         {"safety factor tooth breakage"},
         {"lifetime until tooth breakage"}},
        {"NoLifeLinesDinAt11",
         [] { Safeties(1, 1.1L, 1.1L); },
         Report(2),
         {"safety factor tooth breakage"},
         {"lifetime until tooth breakage"}},
        {"LifeLinesDinOneGearBelow1",
         [] { Safeties(1, 1.2L, 0.9L); },
         Report(2),
         {"lifetime until tooth breakage"},
         {}},
        {"ExtremePittingSameAsPitting",
         [&] {
             p.LifeFactorInput = 0;
             p.SH[1] = p.SH[2] = 0.9L;
             p.LtH[1] = p.LtH2[1] = 100;
             p.LtH[2] = p.LtH2[2] = 200;
             p.NLH[1] = p.NLH2[1] = 1e6L;
             p.NLH[2] = p.NLH2[2] = 2e6L;
         },
         Report(2),
         {"time until pitting\ttH1\th\t", "cycles until Pitting\tNLH1"},
         {"extreme pitting", "extrem.Pitting"}},
        {"CodesOutsideTheirTables",
         [&] {
             p.HeatTreatment[1] = 9;
             p.HeatTreatment[2] = -1;
             p.CalcMethod = 7;
             p.ToleranceStandard = 5;
         },
         Report(0),
         {"heat treatment               gear1:                 gear2:             \r\n",
          "CALCULATION METHOD:    \r\n", "ALLOWABLE DEVIATIONS ACC. TO \r\n"},
         {}},
        {"SpurSheetWithoutBallRows",
         nullptr,
         Sheet(1),
         {"printout ", "\tMdR th.\t", "\tW max.\t"},
         {"MdK", "Normal Pitch", "machin.allowance"}},
        {"SheetInInches",
         [] { wtelmvar.UnitSystem = 1; },
         Sheet(2),
         {"Normal Pitch\tPn\t1/in\t  3.908", "normal module\tmn\tin\t"},
         {"\tmm\t"}},
        {"TipToleranceIsTheTipsOwn",
         [&] {
             // Smallest tip 2 * 14.5 + 81.14 = 110.14 mm against da 110.39 mm;
             // the root tolerance stays at 81.03 - 81.14.
             p.h_min[1] = 14.5L;
             p.df[1] = 81.14L;
             p.da[1] = 110.39L;
             p.df_min[1] = 81.03L;
         },
         Report(1),
         {"tip diameter tolerance\tA da\tmm\t   -0.250\t", "root diameter tolerance\tA df\tmm\t   -0.110\t"},
         {}},
        {"PaperRefusedDeliversNothing",
         nullptr,
         [](std::string& Answer) {
             const bool delivered = Part(0);
             Answer += delivered ? "delivered" : "not delivered";
             if (std::filesystem::exists(telmvar.TempDir + "/LPT1.PRN")) Answer += " spooled";
             return delivered;
         },
         {"|not delivered|", "single page printing ?", "Insert paper.  Continue ?"},
         {"spooled"},
         2,
         {true, false}},
        {"UnwritableReportFileIsReported",
         [] {},
         Report(1),
         {"|not delivered|", "cannot be created !"},
         {},
         3},
        {"SaveDialogCancelledDeliversNothing", [] {}, Report(0), {"|not delivered|"}, {"pressure angle"}, 7},
    };
}

class PairReportEdge : public PairReportTest, public ::testing::WithParamInterface<EdgeCase>
{
};

TEST_P(PairReportEdge, Case)
{
    const EdgeCase& c = GetParam();
    OpenExample("default.qy7");
    MeshReport(1, 5); // loads, calculates and captions S-Pi; reports nothing
    Messages.clear();
    if (c.Arrange) c.Arrange();
    std::string answer;
    YesAnswers = c.Answers;
    // The HTML device asks for a file name: the case cancels that dialog.
    CancelSaveDialog = c.Device == 7;
    // The file device is given a folder that does not exist.
    SaveAs = c.Device == 3 ? Temp("missing/report.out") : "";
    if (CancelSaveDialog) // the screen report of MeshReport above is not this case's
        for (const auto& e : std::filesystem::directory_iterator(TempDir))
            std::filesystem::remove(e.path());
    std::string text = Report(c.Device, [&] { c.Act(answer); });
    if (c.Device == 7)
        for (const auto& e : std::filesystem::directory_iterator(TempDir))
            ADD_FAILURE() << "a cancelled report left " << e.path().filename();
    text += "|" + answer + "|";
    for (const auto& m : Messages)
        text += m;
    for (const auto& q : Questions)
        text += "|" + q;
    for (int i = 1; i <= error0.ErrorCount; ++i)
        text += "|" + error0.ErrorTexts[i];
    for (const auto& s : c.Present)
        EXPECT_TRUE(Has(text, s)) << "missing: " << s;
    for (const auto& s : c.Absent)
        EXPECT_FALSE(Has(text, s)) << "present: " << s;
}

INSTANTIATE_TEST_SUITE_P(Table, PairReportEdge, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<EdgeCase>& info) { return info.param.Name; });

} // namespace
