// The load spectrum diagrams and tables: the example project with a load
// spectrum on the screen and in DXF files read by ezdxf, and the cases of
// the drawing worked by hand on a spectrum set up here.
#include "diagramtestsupport.h"

#include "common/testnames.h"

#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/lifeparams.h"
#include "graphics/diagrams/loadspectrumdiagram.h"
#include "planetary/filenames.h"
#include "planetary/projectfile.h"
#include "planetary/stagecalc.h"
#include "planetary/stagedefaults.h"
#include "planetary/suggestions.h"

#include <algorithm>
#include <cmath>

namespace
{

class LoadSpectrumDiagram : public DiagramTest
{
  protected:
    void SetUp() override
    {
        DiagramTest::SetUp();
        telmvar.ProgramName = "QYR7";
        telmvar.ProgramFileStem = "qyr7";
        InitProgramDefaults();
        SetDefaultInput();
    }

    // examples/spectrum.qy7, calculated, with the sun mesh loaded.
    void ReadExample()
    {
        telmvar.DbfDir = std::string(QYR7_DATA_DIR) + "/";
        TFileFault fault;
        ASSERT_TRUE(ReadProjectData(std::string(QYR7_SOURCE_DIR) + "/examples/spectrum.qy7", fault))
            << fault.Line << " " << fault.Reason;
        CalcPlanetaryStage();
        CalcMesh(mSPi);
        ASSERT_FALSE(telmvar.FatalCalcError);
        ASSERT_GT(GearPair.LoadSpectrumCount, 0);
        ASSERT_GT(GearPair.T0F, 0);
        telmvar.Aborted = false;
    }

    // A spectrum worked by hand: nominal torque 100 Nm, the life material's
    // default S-N corners (tooth root 1000 / 3e6 cycles, pitting 1e5 / 5e7).
    static void SetSpectrum(std::initializer_list<TLoadSpectrumItem> Items)
    {
        TGearPairData& p = GearPair;
        p.LoadSpectrumCount = 0;
        p.Nsum = 0;
        for (const TLoadSpectrumItem& it : Items) {
            p.LoadSpectrum[++p.LoadSpectrumCount] = it;
            p.Nsum += it.N;
        }
        p.T[1] = 100;
        p.TeqF = 90;
        p.TeqH = 90;
        p.T0F = 150;
        p.TnF = 60;
        p.T0H = 140;
        p.TnH = 50;
        p.T0Feq = 130;
        p.TnFeq = 55;
        p.T0Heq = 120;
        p.TnHeq = 45;
        p.LoadCyclesLogarithmic = false;
    }

    // The entities of the DXF file of a kind.
    std::vector<TCapturedEntity> DrawKindDxf(uint16_t Kind)
    {
        const std::string path = Temp("drawing.dxf");
        std::filesystem::remove(path);
        DrawLoadSpectrumDiagram(Kind, 1);
        return ParseDxfEntities(ReadFile(path));
    }
};

struct TKindCase {
    const char* Name;
    uint16_t Kind;
    const char* Text; // a text the drawing holds
};

const TKindCase KindCases[] = {
    {"tooth root diagram", 1, "   load spectrum with load curve tooth root"},
    {"pitting diagram", 2, "    load spectrum with load curve pitting"},
    {"items table", 3, " N mill."},
    {"sums table", 4, " N sum"},
    {"torques table", 5, " T 0Heq"},
    {"combined sheet", 6, " KA H"},
    {"life material table", 7, " p H"},
};

class LoadSpectrumKinds : public LoadSpectrumDiagram, public ::testing::WithParamInterface<TKindCase>
{
};

TEST_P(LoadSpectrumKinds, OnTheScreenAndInDxf)
{
    const TKindCase& c = GetParam();
    ReadExample();
    DrawLoadSpectrumDiagram(c.Kind, 3);
    EXPECT_TRUE(Messages.empty());
    EXPECT_FALSE(Screen.Drawn().empty());
    const std::vector<std::string> texts = Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), c.Text), texts.end()) << c.Text;
    EXPECT_FALSE(CadOutputIsOpen());

    const std::vector<TCapturedEntity> e = DrawKindDxf(c.Kind);
    EXPECT_FALSE(telmvar.Aborted);
    ASSERT_FALSE(e.empty());
    EXPECT_TRUE(
        std::any_of(e.begin(), e.end(), [&](const TCapturedEntity& x) { return x.Text(1) == c.Text; }) ||
        c.Kind == 6)
        << c.Text;
    const auto view = EzdxfView(Temp("drawing.dxf"));
    if (!view) QYR7_VALIDATOR_MISSING("ezdxf");
    ASSERT_FALSE(view->empty());
    EXPECT_EQ(view->front(), "audit errors=0 fixes=0");
}

INSTANTIATE_TEST_SUITE_P(Diagram, LoadSpectrumKinds, ::testing::ValuesIn(KindCases),
                         [](const auto& i) { return testnames::Identifier(i.param.Name); });

TEST_F(LoadSpectrumDiagram, TheSheetInsertsBothDiagramsAtHalfSize)
{
    ReadExample();
    DrawLoadSpectrumDiagram(6, 1);
    const std::string bytes = ReadFile(Temp("drawing.dxf"));
    ExpectGolden("diagram_spectrumsheet.dxf", bytes);
    const auto view = EzdxfView(Temp("drawing.dxf"));
    if (!view) QYR7_VALIDATOR_MISSING("ezdxf");
    ASSERT_FALSE(view->empty());
    EXPECT_EQ(view->front(), "audit errors=0 fixes=0");
    std::vector<std::string> inserts;
    bool lkf = false, lkh = false;
    for (const std::string& l : *view) {
        if (l.rfind("INSERT ", 0) == 0) inserts.push_back(l.substr(l.find(' ', 7) + 1));
        if (l.rfind("block lkf LINE", 0) == 0) lkf = true;
        if (l.rfind("block lkh LINE", 0) == 0) lkh = true;
    }
    EXPECT_TRUE(lkf);
    EXPECT_TRUE(lkh);
    EXPECT_EQ(inserts, (std::vector<std::string>{"lkf 0.000 2.000 0.000 0.500 0.500",
                                                 "lkh 0.000 62.000 0.000 0.500 0.500"}));
}

TEST_F(LoadSpectrumDiagram, TheSheetTablesStayOffTheDiagramsAndOnTheDrawing)
{
    ReadExample();
    const std::vector<TCapturedEntity> e = DrawKindDxf(6);
    // The half-size diagrams cover x 0..80 (plot area 9..71.5 and the
    // axis title beyond it); the tables stand right of them and above the
    // bottom of the drawing.
    int frames = 0;
    for (const TCapturedSegment& s : Lines(e, "17")) {
        ++frames;
        EXPECT_GE(std::min(s.X1, s.X2), 85);
        EXPECT_LE(std::max(s.X1, s.X2), 165);
        EXPECT_GE(std::min(s.Y1, s.Y2), 0);
        EXPECT_LE(std::max(s.Y1, s.Y2), 120);
    }
    EXPECT_GT(frames, 40);
}

TEST_F(LoadSpectrumDiagram, NoItemsOrNoBreakageLimitGiveAMessageAndNothingElse)
{
    SetSpectrum({});
    DrawLoadSpectrumDiagram(1, 3);
    SetSpectrum({{1000, 100}});
    GearPair.T0H = 0;
    DrawLoadSpectrumDiagram(2, 1);
    EXPECT_EQ(Messages, (std::vector<std::string>{"no load spectrum defined", "error at load spectrum"}));
    EXPECT_TRUE(Screen.Calls.empty()) << "the screen was not even cleared";
    EXPECT_TRUE(TempFiles().empty());
}

TEST_F(LoadSpectrumDiagram, AFatalCalculationErrorShowsNoDrawing)
{
    SetSpectrum({{1000, 100}});
    telmvar.FatalCalcError = true;
    AddErrorMessage("Fatal  : test");
    DrawLoadSpectrumDiagram(1, 3);
    EXPECT_TRUE(Screen.Calls.empty());
}

TEST_F(LoadSpectrumDiagram, TheItemsTableCountsInMillionsAboveOneMillionCycles)
{
    struct {
        Extended N;
        const char* Head;
        const char* Cell;
    } cases[] = {{1000000, " N", " 1000000"}, {1000001, " N mill.", "    1.000"}};
    for (const auto& c : cases) {
        SetSpectrum({{c.N, 100}});
        const std::vector<TCapturedEntity> e = DrawKindDxf(3);
        std::vector<std::string> texts;
        for (const TCapturedEntity& x : OfType(e, "TEXT"))
            texts.push_back(x.Text(1));
        ASSERT_GE(texts.size(), 6u);
        EXPECT_EQ(texts[1], c.Head);
        EXPECT_EQ(texts[4], c.Cell);
    }
}

TEST_F(LoadSpectrumDiagram, OneItemIsOneRectangle)
{
    SetSpectrum({{2000, 80}});
    const std::vector<TCapturedEntity> e = DrawKindDxf(1);
    // Axes 0..2000 by 500 on 125 mm, 0..88 -> 0..90 by 10 on 95 mm from
    // (18, 10): (2000, 80) at (18 + 125 x 2000 / 2000, 10 + 95 x 80 / 90).
    const Extended x = 143, y = 10 + 95 * 80 / 90.0L;
    const std::vector<TCapturedSegment> steps = Lines(e, "18");
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_NEAR(steps[0].X1, 18, 1e-6L);
    EXPECT_NEAR(steps[0].Y1, y, 1e-6L);
    EXPECT_NEAR(steps[0].X2, x, 1e-6L);
    EXPECT_NEAR(steps[1].X2, x, 1e-6L);
    EXPECT_NEAR(steps[1].Y2, 10, 1e-6L);
}

struct TSnCase {
    const char* Name;
    Extended Nsum;
    Extended T0, Tn;
    std::size_t Lines; // on layer 29
};

// Tooth root corners 1000 and 3e6 cycles; one item of Nsum cycles at
// 100 Nm, so the torque axis ends at 110 Nm.
const TSnCase SnCases[] = {
    // Nsum <= N0F: the horizontal piece at T0 alone.
    {"Nsum at N0F horizontal piece only", 1000, 105, 60, 1},
    // The horizontal piece, 50 slope segments and the endurance line.
    {"Nsum beyond NnF", 4e6L, 105, 60, 1 + 50 + 1},
    // m = ln(T0 / 0) is no number: no sloped part, the endurance line at 0.
    {"Tn 0 draws no slope", 4e6L, 105, 0, 1 + 1},
    // T0 = Tn: m = 0, a horizontal slope.
    {"T0 equal to Tn", 4e6L, 100, 100, 1 + 50 + 1},
    // One cycle above N0F: a step of 0.02 cycles towards 3e6 would take
    // 150 million segments; 1000 pieces reach the end of the axis at 1200
    // cycles, and the endurance line beyond Nsum is not drawn.
    {"Nsum just above N0F", 1001, 105, 60, 1 + 1001},
};

class LoadSpectrumSnLine : public LoadSpectrumDiagram, public ::testing::WithParamInterface<TSnCase>
{
};

TEST_P(LoadSpectrumSnLine, IsDrawnAsFarAsItIsANumber)
{
    const TSnCase& c = GetParam();
    SetSpectrum({{c.Nsum, 100}});
    GearPair.T0F = c.T0;
    GearPair.TnF = c.Tn;
    const std::vector<TCapturedEntity> e = DrawKindDxf(1);
    const std::vector<TCapturedSegment> sn = Lines(e, "29");
    EXPECT_LE(sn.size(), c.Lines);
    EXPECT_GE(sn.size() + 1, c.Lines) << "at most the endurance line cut away";
    ASSERT_FALSE(sn.empty());
    // The first piece: horizontal at T0 from the start of the axis.
    EXPECT_NEAR(sn[0].X1, 18, 1e-6L);
    EXPECT_NEAR(sn[0].Y1, sn[0].Y2, 1e-9L);
    for (const TCapturedSegment& s : sn)
        EXPECT_TRUE(std::isfinite(s.X1) && std::isfinite(s.Y1) && std::isfinite(s.X2) && std::isfinite(s.Y2));
    EXPECT_EQ(error0.ErrorCount, 0);
}

INSTANTIATE_TEST_SUITE_P(Diagram, LoadSpectrumSnLine, ::testing::ValuesIn(SnCases),
                         [](const auto& i) { return testnames::Identifier(i.param.Name); });

TEST_F(LoadSpectrumDiagram, TheLogarithmicCycleAxisStartsAtOneCycle)
{
    ReadExample();
    GearPair.LoadCyclesLogarithmic = true;
    const std::vector<TCapturedEntity> e = DrawKindDxf(1);
    std::vector<std::string> scale;
    for (const TCapturedEntity& x : OfType(e, "TEXT"))
        if (x.Layer == "17" && std::abs(x.Num(20) - (10 - 0.05L * 95)) < 1e-6L) scale.push_back(x.Text(1));
    ASSERT_FALSE(scale.empty());
    EXPECT_EQ(scale.front(), "1");
    // Whole decades, one number each, up to 10^8 or beyond.
    EXPECT_GE(scale.size(), 9u);
    EXPECT_EQ(GetDiagramScaleType(), 0) << "the layout is left as it was found";
}

} // namespace
