// The strength and geometry calculation sheets of the default stage's
// meshes, read back call by call: which rows each calculation method shows,
// the life factor and error rows, the refusal of z2 = -z1, and the
// safeties of the formula table against their definition
// SF = Sigma-FG / Sigma-F and SH = Sigma-HG / Sigma-H.
#include "productiontestsupport.h"

#include "common/testnames.h"
#include "drawings/tooth/calcsheets.h"
#include "drawings/tooth/toothdrawing.h"
#include "foundation/messagecollector.h"
#include "foundation/numbertext.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "graphics/cad/caddeviceregistry.h"
#include "graphics/cad/cadhatch.h"
#include "graphics/displaylist.h"
#include "graphics/graphfacade.h"
#include "planetary/projectfile.h"
#include "reports/engine/reportservices.h"

#include <algorithm>
#include <filesystem>

namespace
{

class CalcSheets : public DefaultStageCad
{
  protected:
    void SetUp() override
    {
        DefaultStageCad::SetUp();
        saved_ = reportservices.ShowMessageIfEnabled;
        reportservices.ShowMessageIfEnabled = [this](const std::string& T) { shown_.push_back(T); };
        LoadMeshByName("S-Pi");
    }
    void TearDown() override
    {
        reportservices.ShowMessageIfEnabled = saved_;
        DefaultStageCad::TearDown();
    }
    static bool Has(const std::string& Text)
    {
        const auto t = Calls("text");
        return std::any_of(t.begin(), t.end(), [&](const TCadCall& c) { return TrimBlanks(c.Text) == Text; });
    }
    // The cells right of the row labelled Label on its baseline, inside
    // the formula table's width.
    static std::vector<std::string> Row(const std::string& Label)
    {
        const auto texts = Calls("text");
        for (const auto& t : texts) {
            if (TrimBlanks(t.Text) != Label) continue;
            std::vector<TCadCall> same;
            for (const auto& u : texts)
                if (std::fabs(u.V[1] - t.V[1]) < 1e-9 && u.V[0] > t.V[0] && u.V[0] < t.V[0] + 68)
                    same.push_back(u);
            std::sort(same.begin(), same.end(),
                      [](const TCadCall& a, const TCadCall& b) { return a.V[0] < b.V[0]; });
            std::vector<std::string> cells;
            for (const auto& u : same)
                cells.push_back(TrimBlanks(u.Text));
            return cells;
        }
        return {};
    }
    void Strength()
    {
        CadCallLog().clear();
        WriteStrengthSheet(5, "1=S", "2=Pi");
    }
    std::vector<std::string> shown_;
    std::function<void(const std::string&)> saved_;
};

struct TMethodCase {
    int method;
    const char* name;
    bool longF0, rootGeometry, fsh, flagsDinIso;
};

const TMethodCase methodCases[] = {
    {1, "DIN 3990 part 1 - 3", false, true, true, true},
    {2, "DIN 3990 part 41", false, true, false, false},
    {3, "self-defined factors", false, false, false, false},
    {4, "ISO 6336", true, true, true, true},
};

class CalcSheetMethod : public CalcSheets, public ::testing::WithParamInterface<TMethodCase>
{
};

TEST_P(CalcSheetMethod, RowsOfTheMethod)
{
    const TMethodCase& c = GetParam();
    GearPair.CalcMethod = c.method;
    GearPair.FshEntered = false;
    Strength();
    ASSERT_FALSE(CadCallLog().empty());
    EXPECT_TRUE(Has(std::string("CALCULATION METHOD:  ") + c.name));
    EXPECT_EQ(Has("Sigma-F0 = Ft /(b*mn) * YF * YS(g)* Y\xE1 * YB * YDT"), c.longF0);
    EXPECT_EQ(Has("Sigma-F0 = Ft / (b*mn) * YF * YS * Y\xE1"), !c.longF0);
    for (const char* r : {"YB", "YDT", "ZD"})
        EXPECT_EQ(Has(r), c.method == 4) << r;
    for (const char* r : {"sFn", "rhoF", "hFe", "al.Fen", "xeF", "fma",
                          "fH\xE1"
                          "5",
                          "F\xE1x", "F\xE1y"})
        EXPECT_EQ(Has(r), c.rootGeometry) << r;
    EXPECT_EQ(Has("fsh"), c.fsh);
    for (const char* r : {"crowning", "lapping-in/breaking-in", "end relief", "supporting effect"})
        EXPECT_EQ(Has(r), c.flagsDinIso) << r;
    EXPECT_TRUE(Has("double helical gearing"));
    EXPECT_TRUE(Has("tooth trace angle correction"));
    EXPECT_TRUE(Has("Y\xE1"));
    const auto texts = Calls("text");
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const TCadCall& t) {
        return t.Text.find("KH\xE1 * KHalfa") != std::string::npos;
    }));
}

INSTANTIATE_TEST_SUITE_P(Methods, CalcSheetMethod, ::testing::ValuesIn(methodCases),
                         [](const auto& info) { return "Method" + std::to_string(info.param.method); });

// The micrometre rows of the K, Y, Z table in the unit of their label, microinches = um * 1000 / 25.4:
// the default stage's RzZ = RzY = 5 um (196.850), and fsh, fma, fHb5, Fbx, Fby set to 10 um (393.701),
// 12.7 um (500.000), 3 um (118.110), 25 um (984.252) and 7.5 um (295.276).
TEST_F(CalcSheets, MicroLengthsInTheUnitOfTheirLabel)
{
    GearPair.CalcMethod = 4;
    GearPair.fsh = 10;
    GearPair.fma = 12.7L;
    GearPair.fHbeta5 = 3;
    GearPair.Fbetax = 25;
    GearPair.Fbetay = 7.5L;
    const struct {
        const char* Label;
        std::vector<std::string> Metric, Inch;
    } rows[] = {{"RzZ", {"5.000", "5.000"}, {"196.850", "196.850"}},
                {"RzY", {"5.000", "5.000"}, {"196.850", "196.850"}},
                {"fsh", {"10.000", ""}, {"393.701", ""}},
                {"fma", {"12.700", ""}, {"500.000", ""}},
                {"fH\xE1"
                 "5",
                 {"3.000", ""},
                 {"118.110", ""}},
                {"F\xE1x", {"25.000", ""}, {"984.252", ""}},
                {"F\xE1y", {"7.500", ""}, {"295.276", ""}}};
    for (const uint16_t unit : {0, 1}) {
        wtelmvar.UnitSystem = unit;
        Strength();
        for (const auto& r : rows) {
            std::vector<std::string> cells = unit ? r.Inch : r.Metric;
            cells.insert(cells.begin(), MicroLengthUnitLabel());
            EXPECT_EQ(Row(r.Label), cells) << r.Label << unit;
        }
    }
    wtelmvar.UnitSystem = 0;
}

TEST_F(CalcSheets, SafetiesAreTheRatioOfTheStressesShown)
{
    Strength();
    auto num = [](const std::string& S) { return static_cast<double>(TextToFloat(S)); };
    const auto fg = Row("Sigma-FG = SigmaFE * YNT * YdrelT * YRrelT * YX * YA");
    const auto f = Row("Sigma-F = Sigma-F0 * KA * Kv * KF\xE1 * KFalfa");
    const auto sf = Row("SF = Sigma-FG / Sigma-F");
    const auto hg = Row("Sigma-HG = SigmaHlim * ZNT * ZL * Zv * ZR * ZW * ZX");
    const auto h = Row("Sigma-H1,2 = (ZB,ZD) * Sigma-H0 * sqrt(KA*Kv*KH\xE1*KHalfa)");
    const auto sh = Row("SH1,2 = Sigma-HG1,2 / Sigma-H1,2");
    ASSERT_EQ(fg.size(), 3u);
    ASSERT_EQ(sf.size(), 3u);
    ASSERT_EQ(sh.size(), 3u);
    EXPECT_EQ(sf[0], "SF");
    for (int k = 1; k <= 2; ++k) {
        // The texts carry 4 significant digits of the stresses at most.
        EXPECT_NEAR(num(sf[k]), num(fg[k]) / num(f[k]), 0.01 + 0.002 * num(sf[k])) << "SF of gear " << k;
        EXPECT_NEAR(num(sh[k]), num(hg[k]) / num(h[k]), 0.01 + 0.002 * num(sh[k])) << "SH of gear " << k;
        EXPECT_GT(num(fg[k]), 0);
    }
}

TEST_F(CalcSheets, LifeFactorRowsOnlyWhenEntered)
{
    for (int mode : {0, 1}) {
        GearPair.LifeFactorInput = mode;
        Strength();
        EXPECT_EQ(Has("ZNT"), mode == 1);
        EXPECT_EQ(Has("YNT"), mode == 1);
    }
}

TEST_F(CalcSheets, ErrorTableOnlyWithCollectedMessages)
{
    Strength();
    EXPECT_FALSE(Has("error messages"));
    AddErrorMessage("a collected warning");
    Strength();
    EXPECT_TRUE(Has("error messages"));
    CadCallLog().clear();
    WriteGeometrySheet(5, "1=S", "2=Pi");
    EXPECT_TRUE(Has("error messages"));
}

TEST_F(CalcSheets, NoStrengthSheetForZ2EqualMinusZ1)
{
    GearPair.z[2] = -GearPair.z[1];
    Strength();
    EXPECT_TRUE(CadCallLog().empty());
    EXPECT_EQ(shown_, std::vector<std::string>{"No strength calculation if z2=-z1 !"});
    EXPECT_FALSE(std::filesystem::exists(dir_ + "/drawing.txt"));
}

TEST_F(CalcSheets, MethodNameOnlyInsideOneToFour)
{
    EXPECT_EQ(StrengthMethodName(0), "");
    EXPECT_EQ(StrengthMethodName(5), "");
    EXPECT_EQ(StrengthMethodName(-1), "");
    GearPair.CalcMethod = 7;
    Strength();
    EXPECT_TRUE(Has("CALCULATION METHOD:"));
}

TEST_F(CalcSheets, GeometrySheetTablesAndPicture)
{
    CadCallLog().clear();
    WriteGeometrySheet(5, "1=S", "2=Pi");
    for (const char* r :
         {"eps.beta", "Asn tol", " 1 nom", " 2 max", "zeta f", "eps.gamma", "b0eff.", "x  mn"})
        EXPECT_TRUE(Has(TrimBlanks(r))) << r;
    const auto inserts = Calls("insert");
    const bool bild = std::any_of(inserts.begin(), inserts.end(), [](const TCadCall& c) {
        return c.Text == "bild" && c.V[0] == 0 && c.V[1] == 0 && c.V[3] == 1;
    });
    EXPECT_TRUE(bild);
    // Titles after three blanks in the gear table.
    EXPECT_TRUE(std::any_of(CadCallLog().begin(), CadCallLog().end(), [](const TCadCall& c) {
        return c.Kind == "text" && c.Text.find("   1=S") != std::string::npos;
    }));
}

TEST_F(CalcSheets, SheetsAsDxfPassTheAuditor)
{
    if (!HaveEzdxf()) QYR7_VALIDATOR_MISSING("ezdxf");
    RegisterCadWriters();
    cadsettings.DxfDecimals = 6;
    for (int sheet = 1; sheet <= 2; ++sheet) {
        const std::string path = dir_ + "/drawing.dxf";
        std::error_code ec;
        std::filesystem::remove(path, ec);
        if (sheet == 1)
            WriteStrengthSheet(1, "1=S", "2=Pi");
        else
            WriteGeometrySheet(1, "1=S", "2=Pi");
        ASSERT_TRUE(std::filesystem::exists(path)) << sheet;
        const std::string out = RunPython("productiondxf.py", path);
        EXPECT_NE(out.find("audit errors=0 fixes=0\n"), std::string::npos) << out;
        for (const char* b : {"block EVOLV1 ", "block EVOLV2 ", "block EINGRIF ", "block bild ",
                              "insert *model bild 0.0000 0.0000 1.0000\n"})
            EXPECT_NE(out.find(b), std::string::npos) << b << out;
    }
}

TEST_F(CalcSheets, PairOutlineScaleInTheFreeHeight)
{
    // External gear 2: min(52/da0_2, F/(da0_1/2 + a + da0_2/2)); a ring:
    // min(F, 26)/|df2|; no outline (0) where no height is left or the
    // diameters are missing.
    auto& g = GearPair;
    g.z[2] = 40;
    g.da0[1] = 44;
    g.da0[2] = 84;
    g.a = 60;
    EXPECT_NEAR(static_cast<double>(SheetOutlineScale(60)), 60.0 / 124.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(SheetOutlineScale(98)), 52.0 / 84.0, 1e-12);
    EXPECT_EQ(SheetOutlineScale(0), 0);
    EXPECT_EQ(SheetOutlineScale(-12), 0);
    g.da0[2] = 0;
    EXPECT_EQ(SheetOutlineScale(60), 0);
    g.z[2] = -80;
    g.df[2] = -208;
    EXPECT_NEAR(static_cast<double>(SheetOutlineScale(20)), 20.0 / 208.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(SheetOutlineScale(60)), 26.0 / 208.0, 1e-12);
    EXPECT_EQ(SheetOutlineScale(-1), 0);
    g.df[2] = 0;
    EXPECT_EQ(SheetOutlineScale(20), 0);
}

// The tooth contact (DXF) of the examples' Pe-H (a ring) and default's S-Pi
// and the block "EINGRIF" of a Pe-H sheet: nothing but the teeth out of the
// frame, gear 2's circles labelled arcs about its centre ending inside it.
// Default Pe-H (mn 6.5, z2 -63, a -156, frame y 26.9 to 54.9): d2/2 204.75,
// db2/2 = 204.75 cos 20 = 192.402, df2's top 57.0; industrial (mn 4, z 19/-78,
// beta 15, a -119.306, y 28.6 to 44.4): d2/2 = 156 / cos 15 = 161.503, db2/2
// = 161.503 cos 20.647 = 151.130, dw2/2 = a z2 / (z1 + z2) = 157.727, df2's
// top 46.1; S-Pi (z2 21): 68.25, 64.134, df2/2 = 68.25 - 1.25 mn - 0.0171 mn. The sheet's frame holds
// the ring's teeth, df2's top too: there df2 (-426.04, as the data box shows it) is labelled as well.
TEST_F(CalcSheets, ToothContactRingArcsInsideTheFrame)
{
    if (!HaveEzdxf()) QYR7_VALIDATOR_MISSING("ezdxf");
    RegisterCadWriters();
    std::string args;
    for (const std::string c : {"default H", "industrial H", "default S", "default E"}) {
        const std::string project = c.substr(0, c.size() - 2);
        TFileFault fault;
        ASSERT_TRUE(ReadProjectData(std::string(QYR7_SOURCE_DIR) + "/examples/" + project + ".qy7", fault));
        CalcPlanetaryStage();
        LoadMeshByName(c.back() == 'S' ? "S-Pi" : "Pe-H");
        c.back() == 'E' ? WriteGeometrySheet(1, "1=Pe", "2=H") : ComposeToothDrawing(1, 2, 7, 1, 1);
        std::filesystem::rename(dir_ + "/drawing.dxf", dir_ + "/" + project + c.back() + ".dxf");
        args += project + c.back() + " " + std::to_string(GearPair.a_pic) +
                (c.back() == 'E' ? " EINGRIF " : " - ");
    }
    EXPECT_EQ(RunPython("meshframedxf.py", dir_, args),
              "defaultH 0 0 192.402:in:in:db2 204.750:in:in:d2\n"
              "industrialH 0 0 151.130:in:in:db2 157.727:in:in:dw2 161.503:in:in:d2\n"
              "defaultS 0 0 60.014:in:in:df2 64.134:in:in:db2 68.250:in:in:d2\n"
              "defaultE 0 0 192.402:in:in:db2 204.750:in:in:d2 213.019:in:in:df2\n");
}

// The path of contact in the tooth contact (DXF) and in "EINGRIF" of the geometry sheet, for the
// examples' meshes and default's with z 20/100 (E above the window's top): C at a z1/(z1 + z2), A to D
// and B to E pbt = pi mn cos(alpha_t)/cos(beta). Default, spectrum: mn 6.5, beta 0, pbt 19.189; a 117,
// 97.5, -156 for z 15/21, 15/15, 15/-63: C 48.750; 20/100, a 390: C 65. Industrial: mn 4, beta 15,
// alpha_t 20.647, pbt 12.174; 19/24, 19/19, 19/-78 at a 91.596, 81.219, -119.306: C 40.473, 40.610, 38.421.
TEST_F(CalcSheets, ToothContactPathMarkedInsideTheFrame)
{
    if (!HaveEzdxf()) QYR7_VALIDATOR_MISSING("ezdxf");
    RegisterCadWriters();
    const std::string d = "48.750 19.189,19.189", i = " 12.174,12.174",
                      project[4] = {"default", "spectrum", "industrial", "default"};
    const std::string c[10] = {
        d, d, d, d, d, d, "40.473" + i, "40.610" + i, "38.421" + i, "65.000 19.189,19.189"};
    std::string args, want;
    for (int k = 0; k < 10; ++k) {
        TFileFault fault;
        ASSERT_TRUE(ReadProjectData(QYR7_SOURCE_DIR "/examples/" + project[k / 3] + ".qy7", fault)) << k;
        PlanetaryGears.z[1] = k == 9 ? 20 : PlanetaryGears.z[1];
        PlanetaryGears.z[2] = k == 9 ? 100 : PlanetaryGears.z[2];
        CalcPlanetaryStage();
        LoadMesh(k % 3 + 1);
        CalcGearPair();
        for (const std::string p : {"T", "E"}) {
            p == "T" ? ComposeToothDrawing(1, 2, 7, 1, 1) : WriteGeometrySheet(1, "1", "2");
            std::filesystem::rename(dir_ + "/drawing.dxf", dir_ + "/" + std::to_string(k) + p + ".dxf");
            args += std::to_string(k) + p + (p == "T" ? " - " : " EINGRIF ");
            want += std::to_string(k) + p + " CEABD 0 0 True 1 " + c[k] + " True\n";
        }
    }
    EXPECT_EQ(RunPython("contactpathdxf.py", dir_, args), want);
}

// The small tooth contact picture at the top left of both sheets on the screen, for every mesh of the
// default stage and the industrial example's ring: its frame is 2 W s = 28 wide from x 0.5, its top half a
// unit under the drawing's top edge (119.5 of 120); every line, circle, arc end and text of the picture
// stands inside it or in the data box under it, 9.5 text heights of W/22 at the scale 14/W: 6.0455 high.
TEST_F(CalcSheets, ToothContactPictureStaysInsideItsFrame)
{
    for (const auto& [project, mesh] :
         {std::pair{"default", mSPi}, {"default", mPiPe}, {"default", mPeH}, {"industrial", mPeH}})
        for (const int sheet : {1, 2}) {
            SCOPED_TRACE(testing::Message() << project << " mesh " << mesh << " sheet " << sheet);
            TFileFault fault;
            ASSERT_TRUE(ReadProjectData(QYR7_SOURCE_DIR "/examples/" + std::string(project) + ".qy7", fault));
            CalcPlanetaryStage();
            LoadMesh(mesh);
            CalcGearPair();
            DisplayList.Records.clear();
            sheet == 1 ? WriteStrengthSheet(3, "1", "2") : WriteGeometrySheet(3, "1", "2");
            std::vector<TDisplayRecord> r;
            std::size_t first = 0, frame = 0; // the first line; the sheet frame's left side, up to 119.5
            for (const std::string_view text : DisplayList.Records) {
                r.push_back(ParseDisplayRecord(text));
                if (first == 0 && r.back().Kind == 4) first = r.size() - 1;
                if (text.starts_with("4;0.5;") && text.ends_with(";0.5;119.5")) frame = r.size() - 1;
            }
            ASSERT_GT(frame, first);
            const double low = r[frame].F[1] - 9.5 * 14 / 22 - 1e-3;
            for (std::size_t i = first; i < frame; ++i) {
                const int kind = r[i].Kind; // 3 circle, 4 line, 5 arc (its ends), 6 text
                const Extended* f = r[i].F;
                const Extended c = kind == 3 ? f[2] : 0; // a circle's radius about its centre
                const int from = kind == 5 ? 4 : 0, to = kind == 5 ? 8 : kind == 4 ? 4 : 2;
                for (int k = from; kind >= 3 && kind <= 6 && k < to; k += 2)
                    EXPECT_TRUE(f[k] - c > 0.5 - 1e-3 && f[k] + c < 28.5 + 1e-3 && f[k + 1] - c > low &&
                                f[k + 1] + c < 119.5 + 1e-3)
                        << "record " << i << ": " << std::string(DisplayList.Records[i]);
            }
        }
}

} // namespace
