// Scale rules of the diagram axes: rounded linear and logarithmic limits,
// where a logarithmic tick stands, and scale loops that always end.
#include "diagramtestsupport.h"

#include "common/testnames.h"

#include "foundation/guardedmath.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "graphics/graphservices.h"

#include <cmath>
#include <limits>

namespace
{

constexpr Extended NaN = std::numeric_limits<Extended>::quiet_NaN();

// Worked by hand: Max is first lowered by 1e-5 of the range, raw = range / N,
// the step is 1, 2, 5 or 10 times the power of ten of raw's leading digit.
struct TNiceCase {
    const char* Name;
    Extended Min, Max;
    int N;
    Extended Lo, Hi, Step;
};

const TNiceCase NiceCases[] = {
    // raw 6.17 -> 5; Hi = (7 + 1) x 5
    {"0 to 37 opens a step to 40", 0, 37, 6, 0, 40, 5},
    // raw 4.99995 -> 5; 29.9997 / 5 = 5.99994 -> Hi 30, no further step
    {"0 to 30 stays at 30", 0, 30, 6, 0, 30, 5},
    // widened to 4..6; raw 0.333 -> 0.5
    {"5 to 5 is widened by one", 5, 5, 6, 4, 6, 0.5L},
    // raw 20.8 -> 20; Lo floor(-3.5) = -4 steps
    {"minus 70 to 55", -70, 55, 6, -80, 60, 20},
};

class NiceAxisScaleCases : public ::testing::TestWithParam<TNiceCase>
{
};

TEST_P(NiceAxisScaleCases, GivesTheRoundedLimits)
{
    const TNiceCase& c = GetParam();
    Extended lo = 0, hi = 0, step = 0;
    NiceAxisScale(lo, hi, step, c.Min, c.Max, c.N);
    EXPECT_NEAR(lo, c.Lo, 1e-12L);
    EXPECT_NEAR(hi, c.Hi, 1e-12L);
    EXPECT_NEAR(step, c.Step, 1e-12L);
}

INSTANTIATE_TEST_SUITE_P(Diagram, NiceAxisScaleCases, ::testing::ValuesIn(NiceCases),
                         [](const auto& i) { return testnames::Identifier(i.param.Name); });

TEST(DiagramLogScale, AMaximumThatIsNotWholeBecomesTheExponentOfItsNumber)
{
    // Exponents 0..3.3 in 8 intervals: raw 0.4125 -> step 0.5, Hi 3.5, which
    // stands for 0.5 x 10^4 = 5000.
    Extended lo = 0, hi = 0, step = 0;
    NiceLogAxisScale(lo, hi, step, 0, 3.3L, 8);
    EXPECT_NEAR(lo, 0, 1e-12L);
    EXPECT_NEAR(step, 0.5L, 1e-12L);
    EXPECT_NEAR(PowerOf10(hi), 5000, 1e-9L);
    // Whole exponents stay: 0..7 in 8 intervals, raw 0.875 -> step 1.
    NiceLogAxisScale(lo, hi, step, 0, 7, 8);
    EXPECT_NEAR(hi, 7, 1e-12L);
    EXPECT_NEAR(step, 1, 1e-12L);
}

TEST(DiagramLogScale, TicksStandAtTheNumbersTheyEncode)
{
    EXPECT_NEAR(PowerOf10(LogTickPosition(3.5L)), 5000, 1e-9L);
    EXPECT_NEAR(PowerOf10(LogTickPosition(3.2L)), 2000, 1e-9L);
    EXPECT_NEAR(PowerOf10(LogTickPosition(0.5L)), 5, 1e-12L);
    EXPECT_EQ(LogTickPosition(3), 3) << "a whole tick stands at itself";
    EXPECT_EQ(FloatToTextAuto(PowerOf10(LogTickPosition(3.2L))), "2000");
}

struct TLoopCase {
    const char* Name;
    Extended Lo, Hi, Step;
    std::size_t Count;
};

const TLoopCase LoopCases[] = {
    {"0 to 40 by 5 ends on the maximum", 0, 40, 5, 9},
    {"a step lost against 1e30", 1e30L, 1e30L + 1, 1, 1},
    {"a step not a number", 0, 1, NaN, 1},
    {"a negative step", 40, 0, -5, 1},
    {"a start not a number", NaN, 1, 1, 0},
    {"a step far too fine", 0, 1e6L, 1e-3L, 1000},
};

class DiagramScaleLoops : public ::testing::TestWithParam<TLoopCase>
{
};

TEST_P(DiagramScaleLoops, End)
{
    const TLoopCase& c = GetParam();
    EXPECT_EQ(DiagramScaleValues(c.Lo, c.Hi, c.Step).size(), c.Count);
}

INSTANTIATE_TEST_SUITE_P(Diagram, DiagramScaleLoops, ::testing::ValuesIn(LoopCases),
                         [](const auto& i) { return testnames::Identifier(i.param.Name); });

// The frame itself with ranges that used to make its loops run for ever.
struct TFrameCase {
    const char* Name;
    uint16_t ScaleType;
    Extended XMin, YMin, XMax, YMax;
    Extended XLo, XHi;
};

const TFrameCase FrameCases[] = {
    // Only that it ends: the scale rule's floor is held to 32-bit integers.
    {"limits 1e30 and 1e30 plus 1", 0, 1e30L, 0, 1e30L + 1, 1, NaN, NaN},
    {"data not a number", 0, NaN, NaN, 10, 1, 9, 11},
    // log10(0) would be minus infinity: the axis starts at 10^0.
    {"log cycles from 0", 4, 0, 0, 1e7L, 1, 0, 7},
    {"limits the wrong way round", 0, 37, 0, 0, 1, 0, 40},
};

class DiagramFrameEnds : public DiagramTest, public ::testing::WithParamInterface<TFrameCase>
{
};

TEST_P(DiagramFrameEnds, WithFiniteLimits)
{
    const TFrameCase& c = GetParam();
    OpenScreen();
    SetDiagramScaleType(c.ScaleType);
    DrawDiagramAxes("x", "y", "t", c.XMin, c.YMin, c.XMax, c.YMax, 0);
    if (!std::isnan(c.XLo)) {
        EXPECT_NEAR(diagramstate.DiagXMin, c.XLo, 1e-9L);
        EXPECT_NEAR(diagramstate.DiagXMax, c.XHi, 1e-9L);
    }
    EXPECT_LT(Screen.Calls.size(), 4000u);
    for (const std::string& l : Recorded("Line "))
        for (Extended v : Numbers(l))
            ASSERT_TRUE(std::isfinite(v)) << l;
}

INSTANTIATE_TEST_SUITE_P(Diagram, DiagramFrameEnds, ::testing::ValuesIn(FrameCases),
                         [](const auto& i) { return testnames::Identifier(i.param.Name); });

TEST_F(DiagramTest, LimitsEnteredTheWrongWayRoundAreOrdered)
{
    wtelmvar.EnterDiagramLimits = true;
    int asked = 0;
    graphservices.EnterDiagramLimits = [&](const std::string&, const std::string&, const std::string&,
                                           Extended, Extended, Extended, Extended) {
        ++asked;
        diagramstate.DiagLimits = {{{37, 100, 0, 0}}};
    };
    OpenScreen();
    // Asked only for a drawing whose device the user chose.
    cadstate.CadRequestedDevice = 0;
    DrawDiagramAxes("x", "y", "t", 0, 0, 1, 1, 0);
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_NEAR(diagramstate.DiagXMin, 0, 1e-12L);
    EXPECT_NEAR(diagramstate.DiagXMax, 40, 1e-12L);
    EXPECT_NEAR(diagramstate.DiagMarkerStep, 5, 1e-12L);
    EXPECT_NEAR(diagramstate.DiagYMax, 100, 1e-12L);
}

TEST_F(DiagramTest, YLimitsOfALogarithmicAxisArePowersOfTen)
{
    OpenScreen();
    SetDiagramScaleType(2);
    // Exponents 0.477..5.903 in 12 intervals: raw 0.452 -> step 0.5,
    // Lo 0, Hi 6.
    DrawDiagramAxes("x", "y", "t", 0, 3, 10, 8e5L, 0);
    EXPECT_NEAR(DiagramYMin(), 1, 1e-12L);
    EXPECT_NEAR(DiagramYMax(), 1e6L, 1e-6L);
    SetDiagramScaleType(0);
    EXPECT_NEAR(DiagramYMax(), 6, 1e-12L) << "linear: the limit itself";
}

TEST_F(DiagramTest, AZeroRangeMapsToThePlotOrigin)
{
    SetDiagramOrigin(18, 10);
    SetDiagramRange(5, 2, 5, 2);
    EXPECT_EQ(DiagramX(7), 18);
    EXPECT_EQ(DiagramY(-3), 10);
    EXPECT_EQ(DiagramYLength(1), 0);
    EXPECT_EQ(PlotToDataX(100), 5);
    OpenScreen();
    DiagramLine(0, 0, 10, 10);
    DiagramMarker(1, 5, 2);
    for (const std::string& c : Screen.Calls)
        for (Extended v : Numbers(c))
            EXPECT_TRUE(std::isfinite(v)) << c;
}

TEST_F(DiagramTest, ResetKeepsTheLimitsLastEntered)
{
    diagramstate.DiagLimits = {{{1, 2, 3, 4}}};
    SetDiagramSize(125, 95);
    SetDiagramScaleType(4);
    ResetDiagramLayout();
    EXPECT_EQ(diagramstate.DiagPlotWidth, 160);
    EXPECT_EQ(diagramstate.DiagPlotHeight, 120);
    EXPECT_EQ(GetDiagramScaleType(), 0);
    EXPECT_EQ(diagramstate.DiagLimits[4], 4);
}

} // namespace
