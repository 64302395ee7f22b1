// The project file: its layout line by line, round trips, refusals of cut
// and damaged files, the atomic save and the texts with line breaks.
#include "projectfile_fixture.h"

#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "planetary/projectfile.h"
#include "planetary/stagecalc.h"

#include <algorithm>
#include <csignal>
#include <limits>
#include <sys/resource.h>
#include <sys/stat.h>

namespace projfiletest
{
namespace
{

// Stage line n stands in file line 7 + n, behind the header block.
constexpr int Header = 7;

bool HasMessageContaining(const std::string& part)
{
    for (int k = 1; k <= error0.ErrorCount; ++k)
        if (error0.ErrorTexts[k].find(part) != std::string::npos) return true;
    return false;
}

class ProjectFile : public FileTest
{
  protected:
    std::string Write(const std::string& name)
    {
        EXPECT_TRUE(WriteProjectData(In(name))) << (error0.ErrorCount ? error0.ErrorTexts[1] : "");
        return ReadAll(In(name));
    }
    bool Read(const std::string& name)
    {
        fault_ = {};
        return ReadProjectData(In(name), fault_);
    }
    // A project that differs from the default stage in many places, to see
    // that a refused file leaves it alone.
    void UseOtherProject()
    {
        PlanetaryStage.nIn = 1234.5L;
        PlanetaryGears.GearLongName[1] = "other sun";
        GearPair.mn = 4.25L;
        documentation.ChangeCount = 1;
        documentation.ChangeList[1].Text[0] = "other";
        PlanetBearings[2].Designation = "6206";
        PlanetBearings[2].d = 30;
        telmvar.RemarkLines = {{{"other one", "", "other three"}}};
    }
    TFileFault fault_;
};

// ---- layout -----------------------------------------------------------------

TEST_F(ProjectFile, StageBlockFieldsStandWhereTheLayoutPutsThem)
{
    TProjectData d = CaptureProject();
    const auto f = ProjectStageFields(d);
    ASSERT_EQ(f.size(), 367u);
    const std::vector<std::pair<int, std::string>> expected = {{1, "nIn"},
                                                               {2, "nThird"},
                                                               {3, "DriveValue"},
                                                               {4, "GearName[0]"},
                                                               {5, "GearLongName[0]"},
                                                               {6, "PartNumber[0]"},
                                                               {7, "GearName[1]"},
                                                               {18, "PartNumber[4]"},
                                                               {19, "alpha"},
                                                               {20, "beta"},
                                                               {21, "mn"},
                                                               {22, "a[1]"},
                                                               {23, "AaField[1]"},
                                                               {27, "bctr[1]"},
                                                               {39, "bctr[3]"},
                                                               {40, "hfP0_mn[1]"},
                                                               {41, "z[1]"},
                                                               {62, "MaterialName[1]"},
                                                               {76, "StageText"},
                                                               {83, "bcha[1]"},
                                                               {84, "hfP0_mn[2]"},
                                                               {85, "z[2]"},
                                                               {172, "hfP0_mn[4]"},
                                                               {215, "bcha[4]"},
                                                               {216, "CalcMethod"},
                                                               {218, "qp"},
                                                               {219, "InputShaft"},
                                                               {220, "OutputShaft"},
                                                               {227, "HideWarnings"},
                                                               {233, "GrindingNotch"},
                                                               {235, "fma"},
                                                               {238, "LubricantName"},
                                                               {242, "TOil"},
                                                               {243, "fsh[1]"},
                                                               {244, "fma[1]"},
                                                               {249, "dsh[1]"},
                                                               {263, "dsh[3]"},
                                                               {264, "KA_H"},
                                                               {265, "KA_F"},
                                                               {266, "DoubleHelical"},
                                                               {271, "EndRelief"},
                                                               {272, "ToothAlignment[1]"},
                                                               {273, "LifeFactorInput"},
                                                               {274, "ZNT[1]"},
                                                               {275, "YNT[1]"},
                                                               {281, "YNT[4]"},
                                                               {282, "Kv[1]"},
                                                               {295, "Y_beta[1]"},
                                                               {296, "Kv[2]"},
                                                               {323, "Y_beta[3]"},
                                                               {324, "ZX[1]"},
                                                               {328, "YA[1]"},
                                                               {343, "YA[4]"},
                                                               {344, "YF[1,1]"},
                                                               {345, "YS[1,1]"},
                                                               {346, "YF[1,2]"},
                                                               {350, "YF[2,1]"},
                                                               {355, "YS[2,3]"},
                                                               {356, "TN"},
                                                               {357, "DriveInputMode"},
                                                               {358, "PowerSplit"},
                                                               {359, "ControlShaftBlocked"},
                                                               {360, "Kgamma"},
                                                               {361, "dB[1]"},
                                                               {364, "dB[4]"},
                                                               {365, "dshPi"},
                                                               {366, "dshPe"},
                                                               {367, "dshS"}};
    for (const auto& [line, name] : expected)
        EXPECT_EQ(f[line - 1].Name, name) << "stage line " << line;
    // The stage text stands in every gear group at the same place.
    for (int g = 1; g <= 4; ++g)
        EXPECT_EQ(f[40 + 44 * (g - 1) + 37 - 2].Name, "StageText") << "gear group " << g;
    // Kinds of a few lines: flags, Booleans, texts and 16-bit fields.
    EXPECT_EQ(f[266 - 1].Kind, TProjectLineKind::Flag);
    EXPECT_EQ(f[225 - 1].Kind, TProjectLineKind::Boolean);
    EXPECT_EQ(f[238 - 1].Kind, TProjectLineKind::Text);
    EXPECT_EQ(f[43 - 1].Kind, TProjectLineKind::Word); // ToolProfileNo of S
    EXPECT_EQ(f[41 - 1].Kind, TProjectLineKind::Integer);
}

TEST_F(ProjectFile, DefaultProjectFileLineByLine)
{
    const auto lines = CrLfLines(Write("default.qy7"));
    // Header, stage block, "Lastkollektiv" with kind and count 0, changes
    // block of an empty protocol (8 lines), documents (18), the Boolean, the
    // title block (7), three carrier numbers, two bearing blocks, two lines.
    ASSERT_EQ(lines.size(), 7u + 367 + 3 + 8 + 18 + 1 + 7 + 3 + 2 * 57 + 2);
    for (const auto& l : lines)
        ASSERT_EQ(l.find("<no CR LF>"), std::string::npos) << "every line ends with CR LF";
    auto at = [&](int stageLine) { return lines[Header + stageLine - 1]; };
    EXPECT_EQ(lines[0], std::string(65, '-'));
    EXPECT_EQ(lines[1], "QYR7 - Radi Divivuzez Orude   V 1.0");
    EXPECT_EQ(lines[2], "Version 1.0");
    EXPECT_EQ(lines[3], std::string(65, '-'));
    EXPECT_EQ(at(4), "") << "entry 0 of the names is written even when empty";
    EXPECT_EQ(at(7), "S");
    EXPECT_EQ(at(8), "sun");
    EXPECT_EQ(at(9), "1");
    EXPECT_EQ(at(16), "H");
    EXPECT_EQ(at(17), "ring gear");
    EXPECT_EQ(at(18), "4");
    EXPECT_EQ(at(23), "4") << "centre distance field js7";
    EXPECT_EQ(at(41), "21");
    EXPECT_EQ(at(41 + 3 * 44), "-63") << "the ring's tooth number is negative";
    EXPECT_EQ(at(43), "1") << "tool profile 1";
    EXPECT_EQ(at(40 + 38), std::string(12, ' ')) << "profile name of 12 blanks";
    EXPECT_EQ(at(219), "1") << "input shaft S";
    EXPECT_EQ(at(220), "3") << "output shaft H";
    EXPECT_EQ(at(266), "N");
    EXPECT_EQ(at(227), "FALSE");
    EXPECT_EQ(at(368), "Lastkollektiv");
    EXPECT_EQ(at(370), "0");
    EXPECT_EQ(at(371), "CHANGES") << "no items: straight on to the changes block";
    EXPECT_EQ(at(372), "0");
    EXPECT_EQ(at(373), std::string(20, '-'));
    EXPECT_EQ(at(374), "||||||0||") << "empty title-block fields, no sheet texts";
    const std::vector<std::string> documents = {
        "documents",   "5", std::string(20, '-'), "notepad.exe", "", std::string(14, '-'),
        "write.exe",   "",  std::string(14, '-'), "mspaint.exe", "", std::string(14, '-'),
        "notepad.exe", "",  std::string(14, '-'), "notepad.exe", "", std::string(14, '-')};
    for (std::size_t k = 0; k < documents.size(); ++k)
        EXPECT_EQ(at(379 + static_cast<int>(k)), documents[k]) << "documents block line " << k + 1;
    EXPECT_EQ(at(397), "FALSE") << "load cycles not logarithmic";
    EXPECT_EQ(at(398), "ISO 7200 Header");
    EXPECT_EQ(at(399), "2") << "title-block type";
    EXPECT_EQ(at(400), "0") << "sheet text mode A4";
    EXPECT_EQ(at(404), "---");
    EXPECT_EQ(lines[lines.size() - 2], "1") << "carrier form";
    EXPECT_EQ(lines.back(), "FALSE") << "carrier shaft";
}

TEST_F(ProjectFile, ReaderTakesEachFieldFromItsLine)
{
    // A file edited by hand at lines the layout names, not by the writer.
    auto lines = CrLfLines(Write("a.qy7"));
    auto set = [&](int stageLine, const std::string& text) { lines[Header + stageLine - 1] = text; };
    set(2, "12,5");                   // nThird, with a decimal comma
    set(8, "sun gear");               // long name of S
    set(21, "  3.25");                // mn, right-aligned as the writer aligns
    set(41, "23");                    // z of S
    set(41 + 44, "16");               // z of Pi
    set(40 + 36, "group S");          // the stage text, read in each gear group...
    set(40 + 3 * 44 + 36, "group H"); // ...the last reading stands
    set(219, "3");                    // input shaft H
    set(220, "1");                    // output shaft S
    set(238, "ISO VG 220");
    set(266, "J");    // double helical
    set(272, "2");    // flank direction of the sun
    set(344, "2.75"); // YF of pair gear 1, mesh S-Pi
    set(355, "1.65"); // YS of pair gear 2, mesh Pe-H
    set(367, "45");   // dshS
    set(369, "4");    // life material
    WriteAll(In("hand.qy7"), JoinCrLf(lines));
    ASSERT_TRUE(Read("hand.qy7")) << fault_.Line << " " << fault_.Reason;
    EXPECT_EQ(PlanetaryStage.nThird, 12.5L);
    EXPECT_EQ(PlanetaryGears.GearLongName[1], "sun gear");
    EXPECT_EQ(GearPair.mn, 3.25L);
    EXPECT_EQ(PlanetaryGears.z[gS], 23);
    EXPECT_EQ(PlanetaryGears.z[gPi], 16);
    EXPECT_EQ(PlanetaryGears.StageText, "group H");
    EXPECT_EQ(PlanetaryShafts.InputShaft, shaftH);
    EXPECT_EQ(PlanetaryShafts.OutputShaft, shaftS);
    EXPECT_EQ(PlanetaryShafts.FixedShaft, shaftC);
    EXPECT_EQ(GearPair.LubricantName, "ISO VG 220");
    EXPECT_EQ(GearPair.DoubleHelical, 'J');
    EXPECT_EQ(PlanetaryGears.ToothAlignment[gS], 2);
    EXPECT_EQ(PlanetaryGears.YF[1][mSPi], 2.75L);
    EXPECT_EQ(PlanetaryGears.YS[2][mPeH], 1.65L);
    EXPECT_EQ(PlanetaryGears.dshS, 45);
    EXPECT_EQ(GearPair.LoadSpectrumKind, 4);
}

// ---- round trips ------------------------------------------------------------

TEST_F(ProjectFile, DefaultProjectRoundTripsByteForByte)
{
    const std::string first = Write("a.qy7");
    StartWithDefaultProject();
    UseOtherProject();
    ASSERT_TRUE(Read("a.qy7")) << fault_.Line << " " << fault_.Reason;
    EXPECT_EQ(Write("b.qy7"), first);
    EXPECT_EQ(PlanetaryGears.GearLongName[1], "sun");
    EXPECT_EQ(PlanetBearings[2].Designation, "");
    EXPECT_EQ(documentation.ChangeCount, 0);
}

// Gives every field of the stage block a value of its own that no default
// has, and every other part of the file something to carry.
TProjectData EveryFieldDistinct()
{
    TProjectData d = CaptureProject();
    int i = 0;
    for (auto& f : ProjectStageFields(d)) {
        ++i;
        switch (f.Kind) {
        case TProjectLineKind::Number: {
            // Decimals that no binary fraction holds, spread over the
            // field's range, small and large.
            const Extended share = (i % 3 ? (i % 89 + 1) / 97.0L : (i % 89 + 1) / 97.0L * 1e-4L);
            *std::get<Extended*>(f.Target) = f.Lo + (f.Hi - f.Lo) * share;
            break;
        }
        case TProjectLineKind::Integer:
        case TProjectLineKind::Word: {
            const int lo = static_cast<int>(f.Lo), hi = static_cast<int>(f.Hi);
            const int v = lo + (i * 7) % (hi - lo + 1);
            // A ring gear's tooth number is negative.
            *std::get<int*>(f.Target) = f.Magnitude && i % 2 == 0 ? -v : v;
            break;
        }
        case TProjectLineKind::Boolean:
            *std::get<bool*>(f.Target) = !*std::get<bool*>(f.Target);
            break;
        case TProjectLineKind::Text:
            *std::get<std::string*>(f.Target) = "text \x84\xE1 " + std::to_string(i);
            break;
        case TProjectLineKind::Flag:
            *std::get<char*>(f.Target) = i % 2 ? 'J' : 'N';
            break;
        }
    }
    d.Shafts.InputShaft = shaftH;
    d.Shafts.OutputShaft = shaftS;
    d.Pair.LoadSpectrumKind = 17;
    d.Pair.LoadCyclesLogarithmic = true;
    d.Stage.LoadSpectrumCount = 3;
    for (int k = 1; k <= 3; ++k)
        d.Stage.LoadSpectrum[k] = {1e6L / 3 * k, 2500.0L / k};
    auto& doc = d.Documentation;
    doc.ChangeCount = 2;
    doc.ChangeList[1].Text = {{"new ring", "01.02.2026", "abc", "first line\r\nsecond line"}};
    doc.ChangeList[2].Text = {{"bore", "03.04.2026", "xyz", "bore 40 mm"}};
    doc.DrawnDate = "05.01.2026";
    doc.DrawnBy = "drawn";
    doc.CheckedDate = "06.01.2026";
    doc.CheckedBy = "checked";
    doc.StandardDate = "07.01.2026";
    doc.StandardBy = "standard";
    doc.ReleaseDate = "08.01.2026";
    doc.ReleaseBy = "release";
    doc.ReplacementFor = "QY-100";
    doc.ReplacedBy = "QY-300";
    doc.ResponsibleDept = "dept";
    doc.DocumentType = "assembly";
    doc.DocumentStatus = "released";
    doc.SheetTextCount = 2;
    doc.SheetTextLines[1] = {10, 20, 3.5L, 0, "sheet one"};
    doc.SheetTextLines[2] = {-150, 0.25L, 5, 90, "sheet two"};
    doc.SheetTextMode = 2;
    for (int k = 1; k <= DocLinkCount; ++k)
        doc.DocLinkPrograms[k] = {"prog" + std::to_string(k) + ".exe",
                                  "c:\\docs\\file" + std::to_string(k) + ".txt"};
    d.TitleBlockType = 1;
    d.RemarkLines = {{{"handout week 3", "| \x84\xE1 ", "gearbox 7"}}};
    d.Stage.dcarrier = 80.5L;
    d.Stage.lcarrier = 120.25L;
    d.Stage.hcarrier = 30.75L;
    d.Stage.CarrierForm = 3;
    d.Stage.CarrierShaft = true;
    for (int n = 1; n <= 2; ++n) {
        auto& b = d.Bearings[n];
        b.BearingType = 4 + n;
        b.CatalogueRecNo = 12 + n;
        b.Designation = n == 1 ? "NJ 2205" : "6206";
        b.d = 25 + 5 * n;
        b.D = 52 + 10 * n;
        b.C = 28600.5L + n;
        b.CatText2 = "cat " + std::to_string(n);
        b.EPAdditives = false;
        b.BearingCount = 2;
        b.Arrangement = 1;
    }
    return d;
}

TEST_F(ProjectFile, EveryFieldDistinctRoundTripsExactly)
{
    const TProjectData want = EveryFieldDistinct();
    CommitProject(want);
    const std::string first = Write("a.qy7");

    StartWithDefaultProject();
    UseOtherProject();
    ASSERT_TRUE(Read("a.qy7")) << fault_.Line << " " << fault_.Reason;
    EXPECT_EQ(Write("b.qy7"), first) << "written, read and written again byte for byte";

    TProjectData got = CaptureProject();
    TProjectData wantCopy = want;
    const auto w = ProjectStageFields(wantCopy);
    const auto g = ProjectStageFields(got);
    for (std::size_t k = 0; k < w.size(); ++k) {
        const std::string where = "stage line " + std::to_string(k + 1) + " " + w[k].Name;
        switch (w[k].Kind) {
        case TProjectLineKind::Number:
            EXPECT_EQ(*std::get<Extended*>(g[k].Target), *std::get<Extended*>(w[k].Target)) << where;
            break;
        case TProjectLineKind::Integer:
        case TProjectLineKind::Word:
            EXPECT_EQ(*std::get<int*>(g[k].Target), *std::get<int*>(w[k].Target)) << where;
            break;
        case TProjectLineKind::Boolean:
            EXPECT_EQ(*std::get<bool*>(g[k].Target), *std::get<bool*>(w[k].Target)) << where;
            break;
        case TProjectLineKind::Text:
            EXPECT_EQ(*std::get<std::string*>(g[k].Target), *std::get<std::string*>(w[k].Target)) << where;
            break;
        case TProjectLineKind::Flag:
            EXPECT_EQ(*std::get<char*>(g[k].Target), *std::get<char*>(w[k].Target)) << where;
            break;
        }
    }
    EXPECT_EQ(got.Documentation, want.Documentation);
    EXPECT_EQ(got.TitleBlockType, 1);
    EXPECT_EQ(wtelmvar.TitleBlockType, 1);
    EXPECT_TRUE(GearPair.LoadCyclesLogarithmic);
    EXPECT_EQ(GearPair.LoadSpectrumKind, 17);
    EXPECT_EQ(GearPair.GrindingNotch[1], want.GrindingNotch ? 1 : 0);
    EXPECT_EQ(GearPair.GrindingNotch[2], want.GrindingNotch ? 1 : 0);
    EXPECT_EQ(PlanetaryShafts.FixedShaft, shaftC) << "the fixed shaft follows from input H and output S";
    EXPECT_EQ(PlanetaryStage.CarrierForm, 3);
    EXPECT_TRUE(PlanetaryStage.CarrierShaft);
    EXPECT_EQ(PlanetaryStage.hcarrier, 30.75L);
    EXPECT_EQ(PlanetBearings[1].Designation, "NJ 2205");
    EXPECT_EQ(PlanetBearings[2].C, 28600.5L + 2);
    EXPECT_FALSE(PlanetBearings[2].EPAdditives);
    ASSERT_EQ(GearPair.LoadSpectrumCount, 3);
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(PlanetaryStage.LoadSpectrum[k], want.Stage.LoadSpectrum[k]) << "stored item " << k;
        EXPECT_EQ(GearPair.LoadSpectrum[k], want.Stage.LoadSpectrum[k]) << "working item " << k;
    }
}

TEST_F(ProjectFile, FullSpectrumOf128ItemsRoundTrips)
{
    GearPair.LoadSpectrumCount = LoadSpectrumMax;
    for (int k = 0; k <= LoadSpectrumMax; ++k)
        GearPair.LoadSpectrum[k] = {Extended(k) * 12345.678L + 0.1L, 40000.0L / (k + 3)};
    PutStageLoadSpectrum();
    const std::string first = Write("a.qy7");
    const auto lines = CrLfLines(first);
    EXPECT_EQ(lines[Header + 370 - 1], "128");
    EXPECT_EQ(lines[Header + 370 + 2 * 128], "CHANGES") << "the changes block follows the 128th torque";

    StartWithDefaultProject();
    ASSERT_TRUE(Read("a.qy7")) << fault_.Line << " " << fault_.Reason;
    ASSERT_EQ(GearPair.LoadSpectrumCount, 128);
    for (int k = 1; k <= LoadSpectrumMax; ++k) {
        EXPECT_EQ(PlanetaryStage.LoadSpectrum[k].N, Extended(k) * 12345.678L + 0.1L) << k;
        EXPECT_EQ(PlanetaryStage.LoadSpectrum[k].T, 40000.0L / (k + 3)) << k;
    }
    EXPECT_EQ(Write("b.qy7"), first);
}

TEST_F(ProjectFile, ReadBackStageCalculatesToTheSameResults)
{
    PlanetaryGears.x[gS] = 0.3L;
    PlanetaryGears.b[gPi] = 12.5L;
    PlanetaryStage.DriveValue = 55.5L;
    GearPair.LoadSpectrumCount = 3;
    GearPair.LoadSpectrum[1] = {1e5L, 6000};
    GearPair.LoadSpectrum[2] = {1e6L / 3, 4000.5L};
    GearPair.LoadSpectrum[3] = {2e7L, 1500};
    PutStageLoadSpectrum();
    CalcPlanetaryStage();
    ASSERT_FALSE(telmvar.FatalCalcError);
    const TPlanetaryStage st = PlanetaryStage;
    const TPlanetaryGears g = PlanetaryGears;
    Write("a.qy7");

    StartWithDefaultProject();
    UseOtherProject();
    ASSERT_TRUE(Read("a.qy7")) << fault_.Line << " " << fault_.Reason;
    CalcPlanetaryStage();
    ASSERT_FALSE(telmvar.FatalCalcError);
    EXPECT_EQ(PlanetaryStage.TN, st.TN);
    EXPECT_EQ(PlanetaryStage.i, st.i);
    EXPECT_EQ(PlanetaryStage.PhiSun, st.PhiSun);
    EXPECT_EQ(PlanetaryStage.FlPN[1], st.FlPN[1]);
    for (int m = 1; m <= 3; ++m) {
        EXPECT_EQ(PlanetaryGears.a[m], g.a[m]) << m;
        EXPECT_EQ(PlanetaryGears.eps_alpha[m], g.eps_alpha[m]) << m;
        for (int s = 1; s <= 2; ++s) {
            EXPECT_EQ(PlanetaryGears.SH[s][m], g.SH[s][m]) << s << " " << m;
            EXPECT_EQ(PlanetaryGears.SF[s][m], g.SF[s][m]) << s << " " << m;
        }
    }
    for (int m = 1; m <= 3; ++m) {
        EXPECT_EQ(PlanetaryGears.Nsum[m], g.Nsum[m]) << m;
        EXPECT_EQ(PlanetaryGears.LoadSpectrumKA_H[m], g.LoadSpectrumKA_H[m]) << m;
    }
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(PlanetaryGears.da[k], g.da[k]) << k;
        EXPECT_EQ(PlanetaryGears.df[k], g.df[k]) << k;
    }
}

TEST_F(ProjectFile, DecimalCommasReadBackTheSameValues)
{
    PlanetaryStage.nIn = 123.456789L;
    GearPair.mn = 6.5L;
    PlanetaryGears.x[gPi] = -0.125L;
    wtelmvar.RegionalDecimalSeparator = ',';
    const std::string withCommas = Write("comma.qy7");
    const auto lines = CrLfLines(withCommas);
    EXPECT_NE(lines[Header + 1 - 1].find("123,456789"), std::string::npos) << lines[Header];
    EXPECT_EQ(lines[Header + 21 - 1].find('.'), std::string::npos) << "mn written with a comma";

    StartWithDefaultProject(); // point separator again
    ASSERT_TRUE(Read("comma.qy7")) << fault_.Line << " " << fault_.Reason;
    EXPECT_EQ(PlanetaryStage.nIn, 123.456789L);
    EXPECT_EQ(GearPair.mn, 6.5L);
    EXPECT_EQ(PlanetaryGears.x[gPi], -0.125L);
    wtelmvar.RegionalDecimalSeparator = ',';
    EXPECT_EQ(Write("again.qy7"), withCommas);
}

// ---- texts with line breaks ---------------------------------------------------

TEST_F(ProjectFile, LineBreaksInTextsDoNotShiftTheLinesAfterThem)
{
    PlanetaryGears.GearLongName[1] = "sun\r\nwheel";
    PlanetaryGears.MaterialName[2] = "18CrNiMo7-6\nor similar";
    GearPair.LubricantName = "oil\rgrade";
    telmvar.RemarkLines[2] = "handout\r\nweek 3"; // a header line, no "|" there
    documentation.ChangeCount = 1;
    documentation.ChangeList[1].Text = {{"mod", "date", "me", "line one\r\nline two"}};
    const auto lines = CrLfLines(Write("a.qy7"));
    EXPECT_EQ(lines[Header + 8 - 1], "sun|wheel");
    EXPECT_EQ(lines[Header + 44 + 62 - 1], "18CrNiMo7-6|or similar");
    EXPECT_EQ(lines[Header + 238 - 1], "oil|grade");
    EXPECT_EQ(lines[Header + 377 - 1], "line one|line two");
    EXPECT_EQ(lines[5], "handout  week 3");
    EXPECT_EQ(documentation.ChangeList[1].Text[3], "line one\r\nline two") << "saving leaves the text alone";

    StartWithDefaultProject();
    ASSERT_TRUE(Read("a.qy7")) << fault_.Line << " " << fault_.Reason;
    EXPECT_EQ(PlanetaryGears.GearLongName[1], "sun\r\nwheel");
    EXPECT_EQ(PlanetaryGears.MaterialName[2], "18CrNiMo7-6\r\nor similar");
    EXPECT_EQ(GearPair.LubricantName, "oil\r\ngrade");
    EXPECT_EQ(documentation.ChangeList[1].Text[3], "line one\r\nline two");
    EXPECT_EQ(PlanetaryGears.PartNumber[1], "1") << "the line after the long name is still the part number";
}

// Code page 437 draws bytes below 0x20 as symbols (a typed section sign is stored as 0x15, a pilcrow
// as 0x14): a text takes every byte but NUL, CR, LF and the bar; a NUL is saved as a blank, and a file
// with one there is refused at its line and column.
TEST_F(ProjectFile, ProjectTextBytesEveryByteButLineEndsAndBarSavedOpenedSavedAgain)
{
    std::string* const places[] = {&PlanetaryGears.PartNumber[1], &documentation.ChangeList[1].Text[3],
                                   &documentation.CheckedBy, &PlanetBearings[1].Designation};
    std::string text;
    for (int b = 0x01; b <= 0xFF; ++b)
        if (b != '\r' && b != '\n' && b != '|') text += static_cast<char>(b);
    documentation.ChangeCount = 1;
    for (std::string* p : places)
        *p = text;
    const std::string first = Write("a.qy7");
    // Three lines of their own, and the signature line's second field (File New: no dates, no sheet texts).
    const auto lines = CrLfLines(first);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), text), 3);
    const auto signature = std::find(lines.begin(), lines.end(), "|" + text + "|||||0||") - lines.begin();
    ASSERT_LT(signature, static_cast<long>(lines.size()));
    StartWithDefaultProject();
    ASSERT_TRUE(Read("a.qy7")) << fault_.Line << " " << fault_.Reason;
    for (std::string* p : places)
        EXPECT_EQ(*p, text);
    EXPECT_EQ(Write("b.qy7"), first);

    documentation.CheckedBy = std::string("\x15\0\x14", 3);
    auto nul = CrLfLines(Write("c.qy7"));
    EXPECT_EQ(nul[signature], "|\x15 \x14|||||0||");
    nul[signature][2] = '\0';
    WriteAll(In("c.qy7"), JoinCrLf(nul));
    EXPECT_FALSE(Read("c.qy7"));
    EXPECT_EQ(fault_.Line, signature + 1);
    EXPECT_EQ(fault_.Reason, "control character 0x00 in column 3");
}

// A NUL in a text of a line of its own is saved as a blank, so the file opens again.
TEST_F(ProjectFile, NulInATextLineIsSavedAsABlank)
{
    std::string* const places[] = {&PlanetaryGears.PartNumber[1], &documentation.ChangeList[1].Text[0],
                                   &documentation.ChangeList[1].Text[3], &PlanetBearings[1].Designation};
    documentation.ChangeCount = 1;
    for (std::string* p : places)
        *p = std::string("A\0B", 3);
    Write("a.qy7");
    StartWithDefaultProject();
    ASSERT_TRUE(Read("a.qy7")) << fault_.Line << " " << fault_.Reason;
    for (std::string* p : places)
        EXPECT_EQ(*p, "A B");
}

// ---- the spectrum count and its items ------------------------------------------

TEST_F(ProjectFile, CountAndItemsComeFromTheStoredCopy)
{
    GearPair.LoadSpectrumCount = 2;
    GearPair.LoadSpectrum[1] = {1000, 900};
    GearPair.LoadSpectrum[2] = {5000, 450};
    PutStageLoadSpectrum();
    // The working list grows (a load spectrum file read into it) without
    // being stored back: the file holds the stored copy whole.
    GearPair.LoadSpectrumCount = 5;
    const auto lines = CrLfLines(Write("a.qy7"));
    EXPECT_EQ(lines[Header + 370 - 1], "2");
    EXPECT_EQ(lines[Header + 375 - 1], "CHANGES");
}

TEST_F(ProjectFile, CountsAbove128AreNeverWritten)
{
    WriteAll(In("a.qy7"), "old contents");
    PlanetaryStage.LoadSpectrumCount = 129;
    EXPECT_FALSE(WriteProjectData(In("a.qy7")));
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_TRUE(HasMessageContaining("129"));
    EXPECT_EQ(ReadAll(In("a.qy7")), "old contents");
}

TEST_F(ProjectFile, NotANumberIsSavedAsZeroSoTheFileStaysReadable)
{
    PlanetaryGears.a[mPiPe] = std::numeric_limits<Extended>::quiet_NaN();
    GearPair.LoadSpectrumCount = 1;
    GearPair.LoadSpectrum[1] = {std::numeric_limits<Extended>::infinity(), 100};
    PutStageLoadSpectrum();
    const auto lines = CrLfLines(Write("a.qy7"));
    EXPECT_EQ(lines[Header + 28 - 1], "0") << "a[2]";
    EXPECT_EQ(lines[Header + 371 - 1], "0") << "load cycles of item 1";
    EXPECT_TRUE(HasMessageContaining("a[2] is not a number, saved as 0"));
    EXPECT_TRUE(HasMessageContaining("load cycles of item 1 is not a number"));
    StartWithDefaultProject();
    EXPECT_TRUE(Read("a.qy7")) << fault_.Line << " " << fault_.Reason;
}

// ---- refused files ----------------------------------------------------------------

TEST_F(ProjectFile, RefusedFilesNameTheLineAndLeaveTheProjectAlone)
{
    const auto good = CrLfLines(Write("good.qy7"));
    struct Case {
        const char* what;
        int line;                // file line changed or cut
        const char* replacement; // nullptr: the file ends before this line
        const char* reason;
    };
    const Case cases[] = {
        {"cut after stage line 300", Header + 301, nullptr, "ends here"},
        {"cut inside the header", 3, nullptr, "ends here"},
        {"cut before the last line", static_cast<int>(good.size()), nullptr, "ends here"},
        {"not a project file", 1, "Load Spectrum", "expected"},
        {"number garbled", Header + 21, "6.5 mm", "number expected"},
        {"number empty", Header + 1, "", "number expected"},
        {"integer garbled", Header + 41, "twenty-one", "whole number expected"},
        {"Boolean garbled", Header + 225, "YES", "TRUE or FALSE expected"},
        {"flag empty", Header + 266, "", "J, N or Y expected"},
        {"shaft code out of range", Header + 219, "7", "InputShaft 7 outside 1 .. 3"},
        {"marker missing", Header + 368, "Lastkollektive", "\"Lastkollektiv\" expected"},
        {"129 items", Header + 370, "129", "outside 0 .. 128"},
        {"negative count", Header + 370, "-1", "outside 0 .. 128"},
        {"26 changes", Header + 372, "26", "outside 0 .. 25"},
        {"changes marker", Header + 371, "CHANGE", "\"CHANGES\" expected"},
        {"title-block fields", Header + 374, "a|b|c|", "8 fields"},
        {"9 sheet texts", Header + 374, "||||||9||", "sheet texts"},
        {"control character in the count field", Header + 374, "||||||0\x15||",
         "control character 0x15 in column 8"},
        {"6 documents", Header + 380, "6", "outside 0 .. 5"},
        {"title block end", Header + 404, "--", "\"---\" expected"},
        {"bearing block title", Header + 408, "something else", "planet bearing block 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> lines = good;
        if (c.replacement == nullptr)
            lines.resize(c.line - 1);
        else
            lines[c.line - 1] = c.replacement;
        WriteAll(In("bad.qy7"), JoinCrLf(lines));

        StartWithDefaultProject();
        UseOtherProject();
        const std::string before = Write("before.qy7");
        EXPECT_FALSE(Read("bad.qy7"));
        EXPECT_EQ(fault_.Line, c.line);
        EXPECT_NE(fault_.Reason.find(c.reason), std::string::npos) << fault_.Reason;
        EXPECT_EQ(Write("after.qy7"), before) << "nothing of the current project was replaced";
    }
}

// Values no gearbox has, each in its own line of a project with one load
// spectrum item: every one is refused by the field's name and range at its
// line, and the current project stays. Before, 1e4000 and -2147483649 were
// taken (the report showed INF and a negative S.Hlim), huge tooth numbers and
// classes overflowed, 10^7 planets ran for minutes and a word wrapped.
TEST_F(ProjectFile, ValuesOutsideTheirRangeAreRefusedByName)
{
    GearPair.LoadSpectrumCount = 1;
    GearPair.LoadSpectrum[1] = {1000, 900};
    PutStageLoadSpectrum();
    const auto good = CrLfLines(Write("good.qy7"));
    ASSERT_EQ(good[Header + 368 - 1], "Lastkollektiv");
    const int tail = Header + 372;                      // last line of the spectrum section
    const int bearing1 = tail + 8 + 18 + 1 + 7 + 3 + 1; // "Lager 1"
    ASSERT_EQ(good[bearing1 - 1], "Lager 1");
    struct Case {
        int line;
        const char* text;
        const char* reason;
    };
    const Case cases[] = {
        {Header + 1, "1e4000", "nIn 1e4000 outside -1e+06 .. 1e+06"},
        {Header + 1, "nan", "number expected"},
        {Header + 21, "0.005", "mn 0.005 neither 0 nor at least 0.01 in size"},
        {Header + 172 + 29, "-0.009", "di[4] -0.009 neither 0 nor at least 0.01 in size"},
        {Header + 249, "0.001", "dsh[1] 0.001 neither 0 nor at least 0.01 in size"},
        {Header + 41, "2147483648", "z[1] 2147483648 outside 2 .. 5000"},
        {Header + 41, "100000", "z[1] 100000 outside 2 .. 5000"},
        {Header + 41, "0", "z[1] 0 outside 2 .. 5000"},
        {Header + 40 + 3 * 44 + 1, "1", "z[4] 1 outside -5000 .. -2 and 2 .. 5000"},
        {Header + 43, "65537", "ToolProfileNo[1] 65537 outside 0 .. 10"},
        {Header + 51, "99999", "FlankToleranceClass[1] 99999 outside 1 .. 12"},
        {Header + 65, "-2147483649", "SigmaHlim[1] -2147483649 outside 0.001 .. 100000"},
        {Header + 66, "-206000", "E[1] -206000 outside 0.001 .. 1e+07"},
        {Header + 67, "0.7", "nu[1] 0.7 outside 0 .. 0.5"},
        {Header + 218, "10000000", "qp 10000000 outside 1 .. 100"},
        {Header + 221, "100000000", "InvolutePoints 100000000 outside 0 .. 1000"},
        {Header + 264, "-1", "KA_H -1 outside 0 .. 100"},
        {Header + 266, "JA", "J, N or Y expected"},
        {Header + 266, "X", "J, N or Y expected"},
        {Header + 282, "1e30", "Kv[1] 1e30 outside 0 .. 10000"},
        {Header + 369, "-1", "life material record -1 outside 0 .. 1000000"},
        {Header + 371, "-5", "load cycles of item 1 -5 outside 0 .. 1e+30"},
        {Header + 372, "-900", "torque of item 1 -900 outside 0 .. 1e+12"},
        {tail + 8 + 18 + 1 + 2, "7", "title block type 7 outside 0 .. 3"},
        {bearing1 + 5, "abc", "number expected"},
        {bearing1 + 1, "65537", "planet bearing 1: BearingType 65537 outside 1 .. 10"},
        {static_cast<int>(good.size()) - 1, "9", "CarrierForm 9 outside 1 .. 3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.line) + " " + c.text);
        std::vector<std::string> lines = good;
        lines[c.line - 1] = c.text;
        WriteAll(In("bad.qy7"), JoinCrLf(lines));
        StartWithDefaultProject();
        UseOtherProject();
        const std::string before = Write("before.qy7");
        ResetErrorState();
        ReadProjectFile(In("bad.qy7"));
        EXPECT_TRUE(telmvar.Aborted);
        EXPECT_TRUE(HasMessageContaining("file " + In("bad.qy7") + " line " + std::to_string(c.line) + ": " +
                                         c.reason + " !"))
            << (error0.ErrorCount ? error0.ErrorTexts[error0.ErrorCount] : "");
        EXPECT_EQ(Write("after.qy7"), before) << "nothing of the current project was replaced";
    }
}

// Every number, whole number and word line has a range, so that no field is
// left to take whatever a damaged file holds.
TEST_F(ProjectFile, EveryValueLineHasARange)
{
    TProjectData d = CaptureProject();
    for (const auto& f : ProjectStageFields(d)) {
        const bool value = f.Kind == TProjectLineKind::Number || f.Kind == TProjectLineKind::Integer ||
                           f.Kind == TProjectLineKind::Word;
        EXPECT_EQ(f.HasRange(), value) << f.Name;
        if (f.Kind == TProjectLineKind::Word) {
            EXPECT_TRUE(f.Lo >= 0 && f.Hi <= 65535) << f.Name << " is a 16-bit field";
        }
    }
}

// What the reader would refuse is never written: the old file stays and the
// message names the field.
TEST_F(ProjectFile, ValuesOutsideTheirRangeAreNeverWritten)
{
    WriteAll(In("a.qy7"), "old contents");
    const auto check = [&](const std::string& message) {
        EXPECT_FALSE(WriteProjectData(In("a.qy7")));
        EXPECT_TRUE(telmvar.Aborted);
        EXPECT_TRUE(HasMessageContaining(message)) << (error0.ErrorCount ? error0.ErrorTexts[1] : "");
        EXPECT_EQ(ReadAll(In("a.qy7")), "old contents");
        StartWithDefaultProject();
    };
    PlanetaryGears.z[gS] = 100000;
    check("Project file: z[1] 100000 outside 2 .. 5000, not saved !");
    GearPair.qp = 0;
    check("Project file: qp 0 outside 1 .. 100, not saved !");
    GearPair.LoadSpectrumCount = 1;
    GearPair.LoadSpectrum[1] = {1000, -5};
    PutStageLoadSpectrum();
    check("Project file: torque of item 1 -5 outside 0 .. 1e+12, not saved !");
    PlanetBearings[2].BearingCount = 3;
    check("Project file: planet bearing 2: BearingCount 3 outside 1 .. 2, not saved !");
    wtelmvar.TitleBlockType = 4;
    check("Project file: title block type 4 outside 0 .. 3, not saved !");
}

// A pipe or a device named as a project is refused at once: opening a FIFO
// used to wait for a writer for ever, /dev/zero to read without end.
TEST_F(ProjectFile, PipesDevicesAndHugeFilesAreNoProjects)
{
    const std::string fifo = In("fifo.qy7");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string big = Write("big.qy7");
    big.resize(ProjectFileMaxBytes + 1, ' ');
    WriteAll(In("big.qy7"), big);
    const std::pair<std::string, std::string> cases[] = {
        {fifo, "not a regular file (a pipe or a device), not read"},
        {"/dev/zero", "not a regular file (a pipe or a device), not read"},
        {In("big.qy7"), "larger than 1048576 bytes, more than any file of this kind holds, not read"},
    };
    for (const auto& [path, reason] : cases) {
        EXPECT_FALSE(ReadProjectData(path, fault_)) << path;
        EXPECT_EQ(fault_.Line, 0);
        EXPECT_EQ(fault_.Reason, reason) << path;
    }
}

TEST_F(ProjectFile, ReadProjectFileReportsTheFileAndTheLine)
{
    auto lines = CrLfLines(Write("good.qy7"));
    lines.resize(Header + 300);
    WriteAll(In("cut.qy7"), JoinCrLf(lines));
    ReadProjectFile("cut");
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_TRUE(HasMessageContaining("file " + In("cut.qy7") + " line 308: "));

    ResetErrorState();
    ReadProjectFile(In("missing.qy7"));
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_TRUE(HasMessageContaining("file " + In("missing.qy7") + ": not found or no access"));
}

TEST_F(ProjectFile, LinesAfterTheLastFieldAreLeftAlone)
{
    WriteAll(In("long.qy7"), Write("good.qy7") + "a later addition\r\n");
    EXPECT_TRUE(Read("long.qy7")) << fault_.Line << " " << fault_.Reason;
}

TEST_F(ProjectFile, LfLineEndsAndLowerCaseBooleansRead)
{
    std::string bytes = Write("good.qy7");
    std::string lf;
    for (std::size_t k = 0; k < bytes.size(); ++k)
        if (!(bytes[k] == '\r' && k + 1 < bytes.size() && bytes[k + 1] == '\n')) lf += bytes[k];
    auto pos = lf.find("\nFALSE\n");
    ASSERT_NE(pos, std::string::npos);
    lf.replace(pos, 7, "\nfalse\n");
    WriteAll(In("lf.qy7"), lf);
    StartWithDefaultProject();
    EXPECT_TRUE(Read("lf.qy7")) << fault_.Line << " " << fault_.Reason;
    EXPECT_EQ(Write("again.qy7"), bytes);
}

// ---- saving -----------------------------------------------------------------------

TEST_F(ProjectFile, SaveReplacesTheOldFileAndLeavesNoTemporaryFile)
{
    WriteAll(In("a.qy7"), "old contents");
    ASSERT_TRUE(WriteProjectData(In("a.qy7")));
    EXPECT_EQ(ReadAll(In("a.qy7")).substr(0, 65), std::string(65, '-'));
    EXPECT_EQ(DirEntries(), std::vector<std::string>{"a.qy7"});
}

TEST_F(ProjectFile, FailedSaveKeepsTheOldFileAndSaysSo)
{
    WriteAll(In("a.qy7"), "old contents");
    // The disk fills up after 2000 bytes of the new file.
    struct rlimit old {
    };
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 2000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool ok = WriteProjectData(In("a.qy7"));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(ok);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_TRUE(HasMessageContaining("file " + In("a.qy7") + " could not be written"));
    EXPECT_EQ(ReadAll(In("a.qy7")), "old contents");
    EXPECT_EQ(DirEntries(), std::vector<std::string>{"a.qy7"}) << "the temporary file is gone";
}

TEST_F(ProjectFile, FileCommandsCompleteAndCheckTheName)
{
    WriteProjectFile("demo");
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_TRUE(fs::exists(In("demo.qy7")));

    WriteProjectFile(In("two.dots.qy7"));
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_TRUE(HasMessageContaining("not allowed (too many dots)!"));
    EXPECT_FALSE(fs::exists(In("two.dots.qy7")));

    telmvar.Aborted = false;
    WriteProjectFile("");
    EXPECT_TRUE(telmvar.Aborted) << "no name and no dialog to ask";

    telmvar.Aborted = false;
    telmvar.ArchiveMode = true;
    telmvar.ArchiveFlag = true;
    WriteProjectFile("other");
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_TRUE(HasMessageContaining("Option is not available in archive mode."));
    EXPECT_FALSE(fs::exists(In("other.qy7")));
    telmvar.Aborted = false;
    WriteProjectFile("actual");
    EXPECT_FALSE(telmvar.Aborted) << "the scratch copy of an archived project";
    telmvar.ArchiveMode = false;

    PlanetaryStage.nIn = 777;
    WriteProjectFile("demo");
    PlanetaryStage.nIn = 1;
    ReadProjectFile("demo");
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(PlanetaryStage.nIn, 777);
}

} // namespace
} // namespace projfiletest
