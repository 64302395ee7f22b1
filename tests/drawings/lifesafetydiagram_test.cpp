// The life and safety diagrams of the default stage's mesh S-Pi: the
// frame worked by hand, the guards, the legend's life texts, the curves in
// DXF files read by ezdxf, the display list of the safety diagram, and the
// pair's results after every command (cancelled ones included) equal to
// those before it.
#include "diagramfixture.h"

#include "common/testnames.h"
#include "common/validators.h"

#include "drawings/diagrams/lifesafetydiagram.h"
#include "foundation/guardedmath.h"
#include "gearpair/geometry/calcgearpair.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>

namespace
{

// Plot box of every kind: 125 x 95 at (18, 10).
constexpr Extended X0 = 18, Y0 = 10, W = 125, H = 95;

// The results a report of the mesh prints, and the inputs a sweep changes.
struct TPairResults {
    PairArray<Extended> SF, SH, LtF, LtH, NLF, NLH;
    Extended T1, P;
    PairArray<int> Classes;

    static TPairResults Now()
    {
        const TGearPairData& g = GearPair;
        return {g.SF, g.SH, g.LtF, g.LtH, g.NLF, g.NLH, g.T[1], g.P, g.FlankToleranceClass};
    }
};

void ExpectSameResults(const TPairResults& A, const TPairResults& B, const std::string& What)
{
    for (int i = 1; i <= 2; ++i) {
        const std::pair<const PairArray<Extended> TPairResults::*, const char*> values[] = {
            {&TPairResults::SF, "SF"},  {&TPairResults::SH, "SH"},   {&TPairResults::LtF, "tF"},
            {&TPairResults::LtH, "tH"}, {&TPairResults::NLF, "NLF"}, {&TPairResults::NLH, "NLH"}};
        for (const auto& [member, name] : values)
            EXPECT_EQ((A.*member)[i], (B.*member)[i]) << What << " " << name << i;
        EXPECT_EQ(A.Classes[i], B.Classes[i]) << What << " class" << i;
    }
    EXPECT_EQ(A.T1, B.T1) << What;
    EXPECT_EQ(A.P, B.P) << What;
}

struct TSegment {
    std::string Layer;
    Extended X1, Y1, X2, Y2;
};

class LifeSafety : public DiagramFixture
{
  protected:
    void SetUp() override
    {
        DiagramFixture::SetUp();
        LoadDefaultMesh(1);
        ASSERT_FALSE(telmvar.FatalCalcError);
        ASSERT_GT(GearPair.T[1], 0);
        ASSERT_GT(GearPair.n[1], 0);
    }

    // Speed n1 with the power that belongs to it, and the pair recalculated.
    static void SetSpeed(Extended N1)
    {
        GearPair.n[1] = N1;
        GearPair.P = GearPair.T[1] * 2 * Pi * N1 / 60000;
        CalcGearPair();
    }

    // The kind drawn into a DXF file and read by ezdxf: the audit line
    // first, then one line per entity.
    std::optional<std::vector<std::string>> KindAsDxf(uint16_t Kind)
    {
        const std::string path = Temp("drawing.dxf");
        std::filesystem::remove(path);
        DrawLifeSafetyDiagrams(Kind, 1, "S-Pi");
        EXPECT_TRUE(std::filesystem::exists(path));
        return Ezdxf("diagramdxf.py", path);
    }

    static std::vector<TSegment> Segments(const std::vector<std::string>& View, const std::string& Layer)
    {
        std::vector<TSegment> s;
        for (const std::string& l : View) {
            std::istringstream in(l);
            std::string kind;
            TSegment g{};
            in >> kind >> g.Layer >> g.X1 >> g.Y1 >> g.X2 >> g.Y2;
            if (kind == "LINE" && g.Layer == Layer) s.push_back(g);
        }
        return s;
    }

    static int Count(const std::vector<std::string>& View, const std::string& Kind, const std::string& Layer)
    {
        return static_cast<int>(std::count_if(View.begin(), View.end(), [&](const std::string& l) {
            return l.rfind(Kind + " " + Layer + " ", 0) == 0;
        }));
    }
};

// ---------------------------------------------------------------------------
// Frame worked by hand.

// The life axis is handed 0.11 h .. 2e9 / n1 / 60 h, at most 1e5 h; at
// n1 = 1000 the exponents -0.96 .. 4.52 are drawn -1 .. 5 by half decades.
TEST_F(LifeSafety, LifeAxisEndsAtTwoBillionCyclesOfGearOneAndAtMostAHundredThousandHours)
{
    const std::pair<Extended, Extended> cases[] = {
        {1000, 33333.333333L}, {-1000, 33333.333333L}, {100, 100000}, {333.3333333L, 100000}};
    for (const auto& [n1, top] : cases) {
        GearPair.n[1] = n1;
        const TLifeSafetyAxes a = LifeSafetyAxes(1, 500, "S-Pi");
        EXPECT_NEAR(a.YMin, 0.11L, 1e-12L);
        EXPECT_NEAR(a.YMax, top, 1e-3L) << "n1 " << static_cast<double>(n1);
        EXPECT_EQ(a.Title, "lifetime until tooth breakage/pitting S-Pi");
    }
    SetSpeed(1000);
    DrawLifeSafetyDiagrams(1, 3, "S-Pi");
    EXPECT_TRUE(Messages.empty());
    EXPECT_NEAR(diagramstate.DiagYMin, -1, 1e-12L);
    EXPECT_NEAR(diagramstate.DiagYMax, 5, 1e-12L);
    // The layout the next drawing expects.
    EXPECT_EQ(diagramstate.DiagPlotWidth, 160);
    EXPECT_EQ(diagramstate.DiagPlotHeight, 120);
    EXPECT_EQ(diagramstate.DiagPlotX0, 0);
    EXPECT_EQ(GetDiagramScaleType(), 0);
}

TEST_F(LifeSafety, TorqueAxisInInchesIsTheLimitTimesTheLbfInchFactor)
{
    wtelmvar.UnitSystem = 1;
    const Extended t1Max = FindDiagramTorqueLimit();
    CalcGearPair();
    // 1 N m = 1000 / 25.4 / 4.4482216 lbf in = 8.8507 lbf in.
    const TLifeSafetyAxes a = LifeSafetyAxes(2, t1Max, "S-Pi");
    EXPECT_NEAR(a.XMax / t1Max, 8.8507L, 1e-4L);
    EXPECT_EQ(a.XLabel, " T1 [lbfin]");
    DrawLifeSafetyDiagrams(2, 3, "S-Pi");
    // The drawn axis is the handed one rounded up; the curves run in N m.
    Extended lo = 0, hi = 0, step = 0;
    NiceAxisScale(lo, hi, step, 0, a.XMax, 6);
    EXPECT_NEAR(diagramstate.DiagXMax * 8.8507L, hi, hi * 1e-4L);
    EXPECT_GE(hi, a.XMax);
}

// ---------------------------------------------------------------------------
// Guards and texts.

struct TGuardCase {
    const char* Name;
    uint16_t Kind;
    bool T1Zero, N1Zero, LifeFactorsEntered;
    const char* Message; // "" draws
};

const TGuardCase GuardCases[] = {
    {"T1 zero", 2, true, false, false, "Not for T1 = 0 !"},
    {"T1 zero before n zero", 1, true, true, true, "Not for T1 = 0 !"},
    {"life with n zero", 1, false, true, false, "Not for n=0 !"},
    {"life with entered YNT ZNT", 1, false, false, true, "Not for input YNT, ZNT !"},
    {"safety with entered YNT ZNT draws", 2, false, false, true, ""},
};

class LifeSafetyGuards : public LifeSafety, public ::testing::WithParamInterface<TGuardCase>
{
};

TEST_P(LifeSafetyGuards, EndTheCommandBeforeAnyOutput)
{
    const TGuardCase& c = GetParam();
    if (c.T1Zero) GearPair.T[1] = 0;
    if (c.N1Zero) GearPair.n[1] = 0;
    if (c.LifeFactorsEntered) GearPair.LifeFactorInput = 1;
    ::DisplayList.Records.clear();
    DrawLifeSafetyDiagrams(c.Kind, 3, "S-Pi");
    if (*c.Message) {
        EXPECT_EQ(Messages, std::vector<std::string>{c.Message});
        EXPECT_TRUE(::DisplayList.Records.empty());
    } else {
        EXPECT_TRUE(Messages.empty());
        EXPECT_FALSE(::DisplayList.Records.empty());
    }
    EXPECT_FALSE(CadOutputIsOpen());
}

INSTANTIATE_TEST_SUITE_P(Diagram, LifeSafetyGuards, ::testing::ValuesIn(GuardCases),
                         [](const auto& i) { return testnames::Identifier(i.param.Name); });

// A pair that could not be calculated shows the message list instead,
// before any question: no curve of stale results, no recalculation.
TEST_F(LifeSafety, AFatalCalculationErrorDrawsNothing)
{
    telmvar.FatalCalcError = true;
    ::DisplayList.Records.clear();
    DrawLifeSafetyDiagrams(0, 0, "");
    EXPECT_TRUE(Prompts.empty());
    EXPECT_TRUE(::DisplayList.Records.empty());
    EXPECT_TRUE(telmvar.FatalCalcError);
}

TEST_F(LifeSafety, LifeTextsOfTheLegend)
{
    struct {
        int Index;
        Extended Life, Safety, Cycles;
        const char* Text;
    } cases[] = {
        {1, 1234, 0.9L, 1e10L, "infinite"}, // endurance: the life does not count
        {3, 0, 0.5L, 1e12L, "infinite"},
        {1, 0, 0.9L, 0, "fraction"}, // breaks at once
        {2, 0, 0.2L, 0, "fraction"},
        {3, 0, 0.9L, 0, "Pitting"}, // pits at once
        {4, 0, 0.9L, 0, "Pitting"},
        {1, 1234, 0.9L, 9.99e9L, "1234h"}, // four digits from 1000 h on
        {4, 0, 1.0L, 0, "0h"},             // safety 1 is no failure at once
    };
    for (const auto& c : cases)
        EXPECT_EQ(LifeValueText(c.Index, c.Life, c.Safety, c.Cycles), c.Text)
            << c.Index << " " << static_cast<double>(c.Life) << " " << static_cast<double>(c.Cycles);
}

// ---------------------------------------------------------------------------
// The pair after the command.

struct TRoundTripCase {
    const char* Name;
    uint16_t Kind, Device;
    std::vector<std::optional<int>> Answers;
    bool Cancelled;
};

const TRoundTripCase RoundTripCases[] = {
    {"life on the screen", 1, 3, {}, false},
    {"safety on the screen", 2, 3, {}, false},
    {"quality on the screen", 3, 3, {}, false},
    // The torque sweep has run when the device is asked for.
    {"safety with the device choice cancelled", 2, 0, {std::nullopt}, true},
    {"life chosen then device cancelled", 0, 0, {1, std::nullopt}, true},
    {"quality chosen then device cancelled", 0, 0, {3, std::nullopt}, true},
    {"safety chosen onto the screen", 0, 0, {2, 3}, false},
    {"kind choice cancelled", 0, 3, {std::nullopt}, true},
};

class LifeSafetyRoundTrip : public LifeSafety, public ::testing::WithParamInterface<TRoundTripCase>
{
};

TEST_P(LifeSafetyRoundTrip, LeavesThePairsResultsAsTheyWere)
{
    const TRoundTripCase& c = GetParam();
    // Classes that differ, so that putting back one value for both shows.
    GearPair.FlankToleranceClass[1] = 5;
    GearPair.FlankToleranceClass[2] = 7;
    CalcGearPair();
    const TPairResults before = TPairResults::Now();
    Answers.assign(c.Answers.begin(), c.Answers.end());
    DrawLifeSafetyDiagrams(c.Kind, c.Device, "S-Pi");
    EXPECT_EQ(telmvar.Aborted, c.Cancelled);
    EXPECT_TRUE(Answers.empty()) << "a prompt was not asked";
    if (c.Kind == 0) {
        ASSERT_FALSE(Prompts.empty());
        EXPECT_EQ(Prompts.front(), "diagram/3");
    }
    EXPECT_FALSE(CadOutputIsOpen());
    EXPECT_FALSE(telmvar.FatalCalcError);
    ExpectSameResults(before, TPairResults::Now(), c.Name);
}

INSTANTIATE_TEST_SUITE_P(Diagram, LifeSafetyRoundTrip, ::testing::ValuesIn(RoundTripCases),
                         [](const auto& i) { return testnames::Identifier(i.param.Name); });

// ---------------------------------------------------------------------------
// The drawings as files and display lists.

struct TDxfKindCase {
    const char* Name;
    uint16_t Kind;
    bool Markers;
    bool OperatingLine;
};

const TDxfKindCase DxfKindCases[] = {
    {"life", 1, false, true},
    {"safety", 2, true, true},
    {"quality", 3, true, false},
};

class LifeSafetyDxf : public LifeSafety, public ::testing::WithParamInterface<TDxfKindCase>
{
};

// ezdxf reads each kind without a repair, finds the four curves on their
// layers, circle markers (gear 1 tooth breakage) only off the logarithmic
// axis, and the vertical operating line at the entered T1 on the torque
// diagrams only.
TEST_P(LifeSafetyDxf, CurvesMarkersAndOperatingLine)
{
    const TDxfKindCase& c = GetParam();
    const auto view = KindAsDxf(c.Kind);
    if (!view) QYR7_VALIDATOR_MISSING("ezdxf");
    ASSERT_FALSE(view->empty());
    EXPECT_EQ(view->front(), "audit errors=0 fixes=0");
    // Curve segments slope; the frame, the grid and the rectangle markers
    // are upright.
    for (const char* layer : {"19", "17", "21", "18"}) {
        const std::vector<TSegment> lines = Segments(*view, layer);
        const auto sloped = std::count_if(lines.begin(), lines.end(), [](const TSegment& s) {
            return std::fabs(s.X2 - s.X1) > 1e-6L && std::fabs(s.Y2 - s.Y1) > 1e-6L;
        });
        EXPECT_GT(sloped, 10) << "curve on layer " << layer;
    }
    EXPECT_EQ(Count(*view, "CIRCLE", "19") > 0, c.Markers);
    if (!c.Markers) {
        EXPECT_EQ(std::count_if(view->begin(), view->end(),
                                [](const std::string& l) { return l.rfind("CIRCLE", 0) == 0; }),
                  0);
    }
    const std::vector<TSegment> op = Segments(*view, "5");
    if (!c.OperatingLine) {
        EXPECT_TRUE(op.empty());
        return;
    }
    ASSERT_EQ(op.size(), 1u);
    const Extended x = X0 + W * GearPair.T[1] / diagramstate.DiagXMax;
    EXPECT_NEAR(op[0].X1, x, 1e-5L);
    EXPECT_NEAR(op[0].X2, x, 1e-5L);
    EXPECT_NEAR(std::min(op[0].Y1, op[0].Y2), Y0, 1e-5L);
    EXPECT_NEAR(std::max(op[0].Y1, op[0].Y2), Y0 + H, 1e-5L);
}

INSTANTIATE_TEST_SUITE_P(Diagram, LifeSafetyDxf, ::testing::ValuesIn(DxfKindCases),
                         [](const auto& i) { return testnames::Identifier(i.param.Name); });

// Each safety curve passes through the pair's own safety at the entered
// torque, within the rise of the sample segment that spans it.
TEST_F(LifeSafety, SafetyCurvesPassThroughThePairsOwnSafeties)
{
    const TGearPairData& g = GearPair;
    const TPairResults own = TPairResults::Now();
    const auto view = KindAsDxf(2);
    if (!view) QYR7_VALIDATOR_MISSING("ezdxf");
    const Extended xT = X0 + W * g.T[1] / diagramstate.DiagXMax;
    const std::pair<const char*, Extended> curves[] = {
        {"19", own.SF[1]}, {"17", own.SH[1]}, {"21", own.SF[2]}, {"18", own.SH[2]}};
    for (const auto& [layer, s] : curves) {
        if (s >= diagramstate.DiagYMax) continue; // cut at the top of the plot
        const Extended y = Y0 + H * s / diagramstate.DiagYMax;
        bool through = false;
        for (const TSegment& seg : Segments(*view, layer)) {
            // Markers are smaller, grid lines run through the whole plot.
            const Extended dx = seg.X2 - seg.X1;
            if (dx < 2 || dx > W / 2) continue;
            if (xT < seg.X1 || xT > seg.X2) continue;
            const Extended yi = seg.Y1 + (seg.Y2 - seg.Y1) * (xT - seg.X1) / dx;
            through = through || std::fabs(yi - y) <= std::fabs(seg.Y2 - seg.Y1) + 1e-6L;
        }
        EXPECT_TRUE(through) << "layer " << layer << " safety " << static_cast<double>(s);
    }
}

TEST_F(LifeSafety, QualitySweepStartsAtClassOne)
{
    const auto view = KindAsDxf(3);
    if (!view) QYR7_VALIDATOR_MISSING("ezdxf");
    // x 0 .. 12 over the 125 mm: class q at 18 + 125 q / 12.
    EXPECT_NEAR(diagramstate.DiagXMax, 12, 1e-12L);
    // Eleven segments from class to class on each curve layer (layer 17
    // also holds the grid, whose lines are longer or vertical).
    for (const char* layer : {"19", "17", "21", "18"}) {
        std::vector<Extended> starts;
        for (const TSegment& s : Segments(*view, layer))
            if (std::fabs(s.X2 - s.X1 - W / 12) < 1e-5L) starts.push_back(s.X1);
        ASSERT_EQ(starts.size(), 11u) << layer;
        EXPECT_NEAR(*std::min_element(starts.begin(), starts.end()), X0 + W / 12, 1e-5L) << layer;
        EXPECT_NEAR(*std::max_element(starts.begin(), starts.end()), X0 + 11 * W / 12, 1e-5L) << layer;
    }
}

TEST_F(LifeSafety, SafetyDiagramDisplayList)
{
    DrawLifeSafetyDiagrams(2, 3, "S-Pi");
    ExpectGolden("lifesafety_kind2.txt", DisplayList());
}

} // namespace
