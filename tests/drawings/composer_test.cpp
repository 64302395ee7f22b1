// The stage composer: every view written as DXF and read back by ezdxf
// (the auditor, the block set of each view, no insert of a missing block,
// the sheets' insert points and scales), the result graphic switch, and
// the refusals: no scale without a ring root diameter, nothing after a
// cancelled carrier dialog, the stage's own results after the large sheet.
//
// Default stage: R = |df(H)| = 425.96 mm.
#include "goldentestsupport.h"
#include "productiontestsupport.h"

#include "../graphics/cadvalidators.h"
#include "common/validators.h"
#include "drawings/production/productiondrawing.h"
#include "drawings/sheet/drawingsheet.h"
#include "drawings/stage/composer.h"
#include "graphics/cad/caddeviceregistry.h"
#include "graphics/cad/cadhatch.h"
#include "graphics/graphservices.h"
#include "planetary/bearings/planetbearing.h"
#include "planetary/documentation.h"
#include "planetary/projectfile.h"
#include "planetary/stagecalc.h"
#include "reports/engine/reportservices.h"

#include <filesystem>
#include <regex>
#include <sstream>

namespace
{

class Composer : public DefaultStageCad
{
  protected:
    void SetUp() override
    {
        DefaultStageCad::SetUp();
        hatchstate.HatchRandSeed = 5;
        reportservices.ShowMessageIfEnabled = [this](const std::string& T) { shown_.push_back(T); };
    }
    void TearDown() override { DefaultStageCad::TearDown(); }
    // View View as DXF through ezdxf.
    std::string ViewAsDxf(int View)
    {
        std::remove((telmvar.ProjectName + ".dxf").c_str());
        PlanetDrawView(1, static_cast<int16_t>(View));
        EXPECT_FALSE(telmvar.Aborted) << View;
        return RunPython("composerdxf.py", telmvar.ProjectName + ".dxf");
    }
    std::vector<std::string> shown_;
};

struct TViewBlocks {
    int View;
    const char* Blocks; // the blocks line of the script
};

// Each view defines exactly the blocks of its row in the table of views but
// the bearing blocks, empty without a planet bearing and so not written.
TEST_F(Composer, EveryViewDefinesItsBlocksAndInsertsNoMissingOne)
{
    if (!HaveEzdxf()) QYR7_VALIDATOR_MISSING("no ezdxf");
    const TViewBlocks cases[] = {
        {1, ""},
        {2, ""},
        {3, ""},
        {4, ""},
        {5, "CARRIER EVOLV1 EVOLV2 EVOLV3 EVOLV4 FRAME_1 RADH RADPE RADPI RADS SCHNITT TABLE1 VA"},
        {6, ""},
        {7, "CARR FRAME_1 TABLE2"},
        {8, ""},
        {9, "SCHNITT VA"},
        {10, "CARRIER EVOLV1 EVOLV2 EVOLV3 EVOLV4 RADH RADPE RADPI RADS SCHNITT VA pgear wolf"},
        {11, "CARRIER EVOLV1 EVOLV2 EVOLV3 EVOLV4 RADH RADPE RADPI RADS SCHNITT VA frame_1 pgear wolf"},
        {12, ""},
        {13, "CARRIER EVOLV1 EVOLV2 EVOLV3 EVOLV4 RADH RADPE RADPI RADS pgear wolf"},
        {14, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.View);
        const std::string out = ViewAsDxf(c.View);
        std::istringstream lines(out);
        std::string audit, blocks;
        std::getline(lines, audit);
        std::getline(lines, blocks);
        EXPECT_EQ(audit, "audit errors=0 fixes=0") << out;
        EXPECT_EQ(blocks, std::string("blocks ") + c.Blocks) << out;
        EXPECT_EQ(out.find("undefined"), std::string::npos) << out;
    }
}

// Insert points and scales as the sheets place them, k / R with R 425.96.
TEST_F(Composer, SheetsPlaceTheirBlocksAtTheirPointsAndScales)
{
    if (!HaveEzdxf()) QYR7_VALIDATOR_MISSING("no ezdxf");
    const double R = 425.96;
    ASSERT_NEAR(std::fabs(static_cast<double>(PlanetaryGears.df[gH])), R, 5e-3);
    auto line = [](const char* Name, double X, double Y, double Sx, double Sy, double A = 0) {
        char buf[160];
        std::snprintf(buf, sizeof buf, "insert %s %.3f %.3f %.6f %.6f %.1f", Name, X, Y, Sx, Sy, A);
        return std::string(buf);
    };
    const double r = std::fabs(static_cast<double>(PlanetaryGears.df[gH]));
    struct {
        int View;
        std::vector<std::string> Inserts;
    } cases[] = {
        {5,
         {line("VA", 80, 240, 80 / r, 80 / r), line("SCHNITT", 160, 240, 80 / r, 80 / r),
          line("FRAME_1", 0, 0, 1, 1), line("TABLE1", 20, 40, 1.13, 1.15)}},
        {7,
         {line("CARR", 110, 220, 120 / r, 120 / r), line("FRAME_1", 0, 0, 1, 1),
          line("TABLE2", 50, 120, 1, 1)}},
        {9, {line("VA", 30, 90, 50 / r, 50 / r, -90)}},
        {10,
         {line("PGEAR", 37, 72, 70 / r, 70 / r), line("SCHNITT", 88, 72, 70 / r, 70 / r),
          line("WOLF", 100, 72, 0.4, 0.4)}},
        {11,
         {line("FRAME_1", 0, 0, 1, 1), line("PGEAR", 82, 210, 120 / r, 120 / r),
          line("SCHNITT", 166, 210, 120 / r, 120 / r), line("WOLF", 20, 12, 0.75, 0.75)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.View);
        const std::string out = ViewAsDxf(c.View);
        std::vector<std::string> inserts;
        std::istringstream lines(out);
        for (std::string l; std::getline(lines, l);)
            if (l.rfind("insert ", 0) == 0) inserts.push_back(l);
        EXPECT_EQ(inserts, c.Inserts) << out;
    }
}

// The four wheels' production sheets and the assembly sheet end their tables 2 above a DIN 6771 block,
// 5 + 55.25 on A4, and 2 above an ISO 7200 Fig. 2 block (border 10) under eight changes, 10 + 36 + 9 x 3.5.
TEST_F(Composer, SheetTablesEndAboveTheTitleBlock)
{
    if (!HaveEzdxf()) QYR7_VALIDATOR_MISSING("no ezdxf");
    documentation.ChangeCount = 8;
    cadsettings.SheetShowChanges = true;
    for (auto [type, low] : {std::pair{3, "62.250"}, {2, "79.500"}})
        for (const std::string sheet : {"S-Pi1", "S-Pi2", "Pe-H1", "Pe-H2", "assembly"}) {
            wtelmvar.TitleBlockType = type;
            LoadMeshByName(sheet.substr(0, 4));
            sheet[0] == 'a' ? PlanetDrawView(1, 5) : ComposeProductionDrawing(1, sheet[4] - '0', 7, "");
            const std::string out = RunPython("composerdxf.py", telmvar.ProjectName + ".dxf", "low");
            EXPECT_NE(out.find(std::string("tables down to ") + low + "\n"), std::string::npos)
                << sheet << out;
        }
}

// The carrier sheet (A4) with 3 to 16 planet pairs and the large sheet (A3) under each title block, read with
// every insert expanded, have no fault (composerdxf.py "places"): no table over the block below 2 above it
// and its revision rows (7.110: DIN 6771 min. 38.25 and DIN 6771 55.25 high from 5; ISO 7200 Fig. 2 36 from
// 10 and 3.5 for each of up to 8 changes and the head row), every revision text in its cell (a description of
// 254 characters among them; the DIN block's change rows of 4.25 with their dates), the carrier table in the
// frame and under its picture; and all rows are written.
TEST_F(Composer, CarrierAndLargeSheetTablesKeepToTheirPlaces)
{
    if (!HaveEzdxf()) QYR7_VALIDATOR_MISSING("no ezdxf");
    const struct {
        int Type, Changes;
        std::string Floor, A4, A3, Rows; // lowest, block's left edge and frame; revision rows' corner
    } headers[] = {
        {2, 0, "48", "20 20 200", "230 20 410", ""},
        {0, 0, "45.25", "17.9 17.9 205.1", "227.8 15 415", ""},
        {3, 0, "62.25", "17.9 17.9 205.1", "227.8 15 415", ""},
        {2, 4, "65.5", "20 20 200", "230 20 410", ",46"},
        {2, 8, "79.5", "20 20 200", "230 20 410", ",46"},
        {2, 25, "79.5", "20 20 200", "230 20 410", ",46"},
        {0, 4, "45.25", "17.9 17.9 205.1", "227.8 15 415", ",5,4.25,1.7,7.8/33.8/46.8/54.6"},
        {3, 8, "62.25", "17.9 17.9 205.1", "227.8 15 415", ",5,4.25,1.7,7.8/33.8/46.8/54.6"},
    };
    std::string description;
    while (description.size() < 254)
        description += "flank line modified to the measured bearing tilt; ";
    auto check = [&](int View, int Q, const std::string& Args, const std::string& Expected) {
        GearPair.qp = Q;
        PlanetDrawView(1, static_cast<int16_t>(View));
        const std::string out = RunPython("composerdxf.py", telmvar.ProjectName + ".dxf", "places " + Args);
        EXPECT_TRUE(out.find(Expected) != std::string::npos && out.find("fault") == std::string::npos)
            << View << " " << Q << " " << Args << "\n"
            << out;
    };
    for (const auto& h : headers) {
        wtelmvar.TitleBlockType = h.Type;
        wtelmvar.DrawingBorderWidth = 1;
        cadsettings.SheetShowChanges = true;
        documentation.ChangeCount = h.Changes;
        for (int k = 1; k <= h.Changes; ++k)
            documentation.ChangeList[k].Text = {{"tooth form changed", "07.12.2026", "QYR", "new flank"}};
        if (h.Changes > 0) documentation.ChangeList[h.Changes].Text[3] = description.substr(0, 254);
        // Five texts a row of the ISO table with its head; four a change row of the DIN block with its
        // labels.
        const int columns = h.Type == 2 ? 5 : 4, texts = columns * (std::min(h.Changes, 8) + 1);
        const std::string a3 = h.Type == 2 ? "230" : "227.8", a4 = h.Type == 2 ? "20" : "17.9";
        check(11, 3, h.Floor + " " + h.A3 + " " + (h.Changes ? a3 + h.Rows : "-"),
              h.Changes ? "revision texts " + std::to_string(texts) + "\n" : "carrier rows 0\n");
        for (int q : {3, 4, 5, 6, 16})
            check(7, q, h.Floor + " " + h.A4 + " " + (h.Changes ? a4 + h.Rows : "-"),
                  "carrier rows " + std::to_string(2 * q) + "\n");
    }
}

// An outer planet with more than half the ring's teeth (zPe 40 of 63; the
// calculation takes it, with its errors of planet and sun distance) reaches
// further below the carrier picture's centre than its centre line and
// dimensions do: the set at 270 degrees (eight sets 45 degrees apart, 63 -
// 23 = 40 teeth allowing it) 74.75 + 130 = 204.75 mm, the centre line 0.4
// x 260 + 1.2 x 74.75 = 193.7 mm. With eight planet pairs under an ISO 7200
// block with eight changes the coordinates table rises under the picture
// and keeps 2 below that planet.
TEST_F(Composer, CarrierTableKeepsBelowAnOuterPlanetOfMoreThanHalfTheRing)
{
    if (!HaveEzdxf()) QYR7_VALIDATOR_MISSING("no ezdxf");
    PlanetaryGears.z[gS] = 23;
    PlanetaryGears.z[gPe] = 40;
    GearPair.qp = 8;
    CalcPlanetaryStage();
    ASSERT_FALSE(telmvar.FatalCalcError);
    ASSERT_NEAR(std::fabs(static_cast<double>(PlanetaryGears.aInUse[mPeH])), 74.75, 0.5);
    wtelmvar.TitleBlockType = 2;
    wtelmvar.DrawingBorderWidth = 1;
    cadsettings.SheetShowChanges = true;
    documentation.ChangeCount = 8;
    for (int k = 1; k <= 8; ++k)
        documentation.ChangeList[k].Text = {{"tooth form changed", "07.12.2026", "QYR", "new flank"}};
    PlanetDrawView(1, 7);
    ASSERT_FALSE(telmvar.Aborted);
    const std::string out =
        RunPython("composerdxf.py", telmvar.ProjectName + ".dxf", "places 79.5 20 20 200 20,46");
    EXPECT_NE(out.find("carrier rows 16\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("fault"), std::string::npos) << out;
}

TEST_F(Composer, ResultGraphicModesChooseTheirViews)
{
    const int views[] = {10, 9, 10, 5, 1, 0, 11, 10};
    for (int mode = 0; mode <= 7; ++mode)
        EXPECT_EQ(ResultGraphicView(mode), views[mode]) << mode;
}

// Refusals: no drawing, a message or the message list, Aborted where the
// caller must stop.
TEST_F(Composer, NothingIsDrawnWhereTheViewCannotBe)
{
    const std::string file = telmvar.ProjectName + ".txt";
    auto drawn = [&] { return std::ifstream(file).good(); };

    // No redraw at help level 0.
    telmvar.HelpLevel = 0;
    wtelmvar.ResultGraphicMode = 4;
    PlanetViewRedraw();
    EXPECT_FALSE(drawn());
    telmvar.HelpLevel = 1;

    // Cancel in the carrier dialog.
    stagecomposerhooks.EditCarrier = [] { telmvar.Aborted = true; };
    PlanetDrawView(5, 8);
    EXPECT_FALSE(drawn());
    EXPECT_TRUE(telmvar.Aborted);
    telmvar.Aborted = false;

    // A ring without a root diameter gives no scale.
    const Extended df = PlanetaryGears.df[gH];
    for (Extended bad : {Extended(0), std::numeric_limits<Extended>::quiet_NaN()}) {
        PlanetaryGears.df[gH] = bad;
        shown_.clear();
        PlanetDrawView(5, 4);
        EXPECT_FALSE(drawn());
        EXPECT_EQ(shown_.size(), 1u);
        EXPECT_TRUE(telmvar.Aborted);
        telmvar.Aborted = false;
    }
    PlanetaryGears.df[gH] = df;

    PlanetDrawView(5, 4);
    EXPECT_TRUE(drawn()) << "the same view draws with its scale back";
}

// The large sheet calculates single meshes for its gear tables; afterwards
// the stage's results and the gear-pair variables are those of a plain
// stage calculation.
TEST_F(Composer, LargeSheetLeavesTheStageAsItsOwnCalculation)
{
    CalcPlanetaryStage();
    const TPlanetaryGears before = PlanetaryGears;
    const Extended a = GearPair.a, mn = GearPair.mn;
    const auto z = GearPair.z;
    const auto SH = GearPair.SH;
    PlanetDrawView(5, 11);
    ASSERT_FALSE(telmvar.Aborted);
    for (int m = 1; m <= 3; ++m)
        for (int s = 1; s <= 2; ++s) {
            EXPECT_EQ(PlanetaryGears.SH[s][m], before.SH[s][m]);
            EXPECT_EQ(PlanetaryGears.SF[s][m], before.SF[s][m]);
            EXPECT_EQ(PlanetaryGears.dw[s][m], before.dw[s][m]);
        }
    EXPECT_EQ(GearPair.a, a);
    EXPECT_EQ(GearPair.mn, mn);
    EXPECT_EQ(GearPair.z[1], z[1]);
    EXPECT_EQ(GearPair.z[2], z[2]);
    EXPECT_EQ(GearPair.SH[1], SH[1]);
    EXPECT_EQ(GearPair.SH[2], SH[2]);
}

// Right after a calculation the sheets skip calculating the unchanged stage
// again and write what they write with that calculation.
TEST_F(Composer, SheetsSkipTheCalculationOfAnUnchangedStage)
{
    RegisterCadWriters();
    sheetclock.NowTimeText = [] { return std::string("9:30"); };
    for (int view : {10, 11}) {
        std::string drawn[2];
        long runs[2];
        for (bool forget : {false, true}) {
            CalcPlanetaryStage();
            hatchstate.HatchRandSeed = 5;
            if (forget) ForgetStageCalculation();
            runs[forget] = stagecalc.Runs;
            PlanetDrawView(5, static_cast<int16_t>(view));
            runs[forget] = stagecalc.Runs - runs[forget];
            drawn[forget] = ReadBytes(telmvar.ProjectName + ".txt");
        }
        EXPECT_EQ(runs[true] - runs[false], 1) << view;
        EXPECT_TRUE(!drawn[false].empty() && drawn[false] == drawn[true]) << view;
    }
}

// The solid views as STL, read by admesh: no degenerate facet.
TEST_F(Composer, SolidViewsHaveNoDegenerateFacet)
{
    RegisterCadWriters();
    graphservices.AskLengthInRange = [](const std::string&, Extended& Value, Extended, Extended) {
        Value = 40;
    };
    auto& st = PlanetaryStage;
    st.CarrierForm = 2;
    st.CarrierShaft = true;
    st.dshPi = st.dshPe = 30;
    PlanetaryGears.dshS = 50;
    st.dcarrier = 80;
    st.lcarrier = 40;
    for (int view : {3, 4, 8, 13}) {
        SCOPED_TRACE(view);
        PlanetDrawView(6, static_cast<int16_t>(view));
        ASSERT_FALSE(telmvar.Aborted);
        const TAdmeshView v = AdmeshRead(telmvar.ProjectName + ".stl");
        if (!v.ToolFound) QYR7_VALIDATOR_MISSING("no admesh");
        EXPECT_GT(v.Facets, 0) << v.Output;
        EXPECT_EQ(v.Degenerate, 0) << v.Output;
    }
}

// Every view of the default stage as text CAD code, against the goldens
// beside this test (fixed sheet clock, seeded break line). The sheets'
// places and scales are checked by hand above; the goldens keep the rest
// of each drawing from changing unnoticed. A difference writes the output
// beside its golden as ".out".
TEST_F(Composer, TextCadOfEveryViewMatchesItsGolden)
{
    namespace fs = std::filesystem;
    RegisterCadWriters();
    sheetclock.TodayDateText = [] { return std::string("07.12.26"); };
    sheetclock.NowTimeText = [] { return std::string("9:30"); };
    sheetclock.TodayIsoDateText = [] { return std::string("2026-12-07"); };
    const std::string file = telmvar.ProjectName + ".txt";
    for (int view = 1; view <= 14; ++view) {
        SCOPED_TRACE(view);
        hatchstate.HatchRandSeed = 5;
        std::remove(file.c_str());
        PlanetDrawView(5, static_cast<int16_t>(view));
        ASSERT_FALSE(telmvar.Aborted);
        std::string bytes = ReadBytes(file);
        ASSERT_FALSE(bytes.empty());
        // The sheets name the drawing's file, which lies in this test's
        // own temporary directory: its path, whole or shortened in the
        // middle as a long one is, is the same "<dir>" whatever TMPDIR is.
        for (size_t at; (at = bytes.find(dir_)) != std::string::npos;)
            bytes.replace(at, dir_.size(), "<dir>");
        bytes = std::regex_replace(bytes, std::regex("[^\t\n]*/drawing\\."), "<dir>/drawing.");
        ExpectGolden("stageview_" + std::to_string(view) + ".txt", bytes);
    }
}

// The spectrum example with a 6206 on the inner and a 30206 pair in O
// arrangement on the outer planets: the sheets with bearing blocks and the
// load spectrum table pass ezdxf's auditor with every block they insert,
// and the section and the sheet as IGES are read by OCCT without a failure.
TEST_F(Composer, SpectrumProjectWithBearingsOnEveryDevice)
{
    if (!HaveEzdxf()) QYR7_VALIDATOR_MISSING("no ezdxf");
    ReadProjectFile(std::string(QYR7_SOURCE_DIR) + "/examples/spectrum.qy7");
    ASSERT_FALSE(telmvar.Aborted);
    auto bearing = [](int n, int Type, const char* Name, Extended T, int Count, Extended C, Extended C0) {
        auto& r = PlanetBearings[n];
        r.BearingType = Type;
        r.Designation = Name;
        r.d = 30;
        r.D = 62;
        r.B = 16;
        r.CatValue6 = T;
        r.CatValue8 = 14;
        r.BearingCount = Count;
        r.Arrangement = 2;
        r.C = C;
        r.C0 = C0;
    };
    // Load ratings as the catalogues give them (N).
    bearing(1, 1, "6206", 0, 1, 19500, 11200);
    bearing(2, 6, "30206", 17.25L, 2, 43000, 44000);
    CalcPlanetaryStage();
    ASSERT_FALSE(telmvar.FatalCalcError);
    ASSERT_GT(PlanetaryStage.LoadSpectrumCount, 0);
    for (int view : {3, 5, 9, 10, 11}) {
        SCOPED_TRACE(view);
        const std::string out = ViewAsDxf(view);
        EXPECT_EQ(out.rfind("audit errors=0 fixes=0\n", 0), 0u) << out;
        EXPECT_EQ(out.find("undefined"), std::string::npos) << out;
    }
    RegisterCadWriters();
    for (int view : {3, 10}) {
        SCOPED_TRACE(view);
        PlanetDrawView(2, static_cast<int16_t>(view));
        ASSERT_FALSE(telmvar.Aborted);
        const TOcctView v = OcctReadIges(telmvar.ProjectName + ".igs");
        if (!v.ToolFound) QYR7_VALIDATOR_MISSING("occt draw");
        EXPECT_TRUE(v.Fails.empty()) << v.Output;
        EXPECT_GT(v.Edges, 100) << v.Output;
    }
}

} // namespace
