#include "gearpair/assembly.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "common/testnames.h"
#include "foundation/messagecollector.h"
#include "foundation/programstate.h"

namespace
{

constexpr long double Pi = std::numbers::pi_v<long double>;

class Assembly : public ::testing::Test
{
};

struct AssemblyCase {
    int zA, zB, q;
    bool minus;
    bool fails;
};

class AssemblyCondition : public Assembly, public ::testing::WithParamInterface<AssemblyCase>
{
};

TEST_P(AssemblyCondition, WholeNumberOfTeethPerPlanetPitch)
{
    const auto& c = GetParam();
    EXPECT_EQ(AssemblyConditionFails(c.zA, c.zB, c.q, c.minus), c.fails)
        << c.zA << " " << c.zB << " q " << c.q;
    EXPECT_FALSE(telmvar.FatalCalcError);
    EXPECT_EQ(error0.ErrorCount, 0);
}

INSTANTIATE_TEST_SUITE_P(Stage, AssemblyCondition,
                         ::testing::Values(AssemblyCase{-63, 21, 3, true, false}, // N = 63 - 21 = 42 = 3 * 14
                                           AssemblyCase{-63, 21, 4, true, true},  // 42 / 4 = 10.5
                                           AssemblyCase{-63, 21, 6, true, false}, // 42 / 6 = 7
                                           AssemblyCase{-63, 24, 3, true, false}, // 39 = 3 * 13
                                           AssemblyCase{-63, 22, 3, true, true},  // 41
                                           AssemblyCase{-63, 21, 4, false, false}, // plus form: 84 / 4 = 21
                                           AssemblyCase{-62, 21, 4, false, true},  // 83 / 4
                                           AssemblyCase{-60, 20, 1, true, false}),
                         [](const auto& info) {
                             const auto& c = info.param;
                             return "zA" + testnames::Number(c.zA) + "_zB" + testnames::Number(c.zB) + "_q" +
                                    std::to_string(c.q) + (c.minus ? "_minusform" : "_plusform");
                         });

TEST_F(Assembly, NoPlanetsIsAFatalInputErrorNotADivisionByZero)
{
    EXPECT_TRUE(AssemblyConditionFails(-63, 21, 0, true));
    EXPECT_TRUE(telmvar.FatalCalcError);
    ASSERT_EQ(error0.ErrorCount, 1);
    EXPECT_EQ(error0.ErrorTexts[1], "Fatal  : q = 0 !");

    ResetError0();
    telmvar.FatalCalcError = false;
    EXPECT_EQ(PlanetPositionAngle(1, -63, 21, true, 0), 0);
    EXPECT_TRUE(telmvar.FatalCalcError);
    EXPECT_EQ(error0.ErrorTexts[1], "Fatal  : q = 0 !");
}

struct AngleCase {
    int i, zA, zB, q;
    long double expected;
};

class PlanetAngle : public Assembly, public ::testing::WithParamInterface<AngleCase>
{
};

TEST_P(PlanetAngle, NearestToothPositionToEqualSpacing)
{
    const auto& c = GetParam();
    EXPECT_NEAR(static_cast<double>(PlanetPositionAngle(c.i, c.zA, c.zB, true, c.q)),
                static_cast<double>(c.expected), 1e-15);
}

INSTANTIATE_TEST_SUITE_P(Stage, PlanetAngle,
                         ::testing::Values(AngleCase{1, -63, 21, 3, 2 * Pi / 3}, // N = 42 divisible by 3
                                           AngleCase{2, -63, 21, 3, 4 * Pi / 3}, AngleCase{0, -63, 21, 3, 0},
                                           AngleCase{1, -64, 21, 3, 14 * 2 * Pi / 43}, // Round(14.33) = 14
                                           AngleCase{2, -64, 21, 3, 29 * 2 * Pi / 43}, // Round(28.67) = 29
                                           AngleCase{1, -63, 21, 4,
                                                     10 * 2 * Pi / 42}, // Round(10.5) = 10, ties to even
                                           AngleCase{3, -63, 21, 4, 32 * 2 * Pi / 42}),
                         [](const auto& info) {
                             const auto& c = info.param;
                             return "planet" + std::to_string(c.i) + "_zA" + testnames::Number(c.zA) + "_zB" +
                                    testnames::Number(c.zB) + "_q" + std::to_string(c.q);
                         }); // Round(31.5) = 32

TEST_F(Assembly, PlanetAngleWithoutIndexTeethIsZero)
{
    EXPECT_EQ(PlanetPositionAngle(1, -21, 21, true, 3), 0);
}

struct StepCase {
    char kind, direction;
    int q;
    int zS, zP, zH; // before
    int eS, eP, eH; // after
};

class Stepping : public Assembly, public ::testing::WithParamInterface<StepCase>
{
};

TEST_P(Stepping, MovesToTheNextAssemblingNumber)
{
    const auto& c = GetParam();
    int zS = c.zS, zP = c.zP, zH = c.zH;
    StepTeethNumbers(c.kind, c.direction, c.q, zS, zP, zH);
    EXPECT_EQ(zS, c.eS) << c.kind << c.direction;
    EXPECT_EQ(zP, c.eP) << c.kind << c.direction;
    EXPECT_EQ(zH, c.eH) << c.kind << c.direction;
    EXPECT_EQ(error0.ErrorCount, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Stage, Stepping,
    ::testing::Values(
        // Already assembling: the first step is always taken (N 42 -> 39, 45).
        StepCase{'S', '>', 3, 21, 15, -63, 24, 15, -63}, StepCase{'S', '<', 3, 21, 15, -63, 18, 15, -63},
        // Ring one tooth more (-64, -65) or fewer: q = 4 needs N 44 or 40.
        StepCase{'H', '>', 4, 21, 15, -63, 21, 15, -65}, StepCase{'H', '<', 4, 21, 15, -63, 21, 15, -61},
        StepCase{'P', '>', 3, 21, 15, -63, 21, 16, -63}, StepCase{'P', '<', 3, 21, 15, -63, 21, 14, -63},
        // Deriving one number from the other two.
        StepCase{'S', '0', 3, 0, 15, -63, 21, 15, -63}, StepCase{'H', '0', 3, 21, 15, 0, 21, 15, -66},
        StepCase{'P', '0', 3, 21, 0, -63, 21, 13, -63}, // Round(42 / 3.25 + 0.5)
        // Unknown kind or direction: nothing changes.
        StepCase{'X', '>', 3, 21, 15, -63, 21, 15, -63}, StepCase{'S', '?', 3, 21, 15, -63, 21, 15, -63}),
    [](const auto& info) {
        const auto& c = info.param;
        const std::string kind = c.kind == 'S'   ? "sun"
                                 : c.kind == 'P' ? "planet"
                                 : c.kind == 'H' ? "ring"
                                                 : "unknownkind";
        const std::string dir = c.direction == '>'   ? "up"
                                : c.direction == '<' ? "down"
                                : c.direction == '0' ? "derived"
                                                     : "unknowndirection";
        return kind + "_" + dir + "_q" + std::to_string(c.q);
    });

TEST_F(Assembly, SteppingWithoutPlanetsTakesOneStepAndReports)
{
    int zS = 21, zP = 15, zH = -63;
    StepTeethNumbers('S', '<', 0, zS, zP, zH);
    EXPECT_EQ(zS, 20);
    ASSERT_EQ(error0.ErrorCount, 1);
    EXPECT_EQ(error0.ErrorTexts[1], "Fatal  : q = 0 !");
    StepTeethNumbers('H', '>', 0, zS, zP, zH);
    EXPECT_EQ(zH, -64);
    ASSERT_EQ(error0.ErrorCount, 2);
    EXPECT_EQ(error0.ErrorTexts[2], "Fatal: q = 0 !");
}

TEST_F(Assembly, CircleGapBetweenPlanetCircles)
{
    // Centres 20 apart (equilateral triangle with the stage centre).
    EXPECT_NEAR(static_cast<double>(CircleGap(0, Pi / 3, 10, 10, 20, 20)), 10.0, 1e-12);
    // Overlapping: centres 20 apart, diameters 30 and 20.
    EXPECT_NEAR(static_cast<double>(CircleGap(0, Pi / 3, 30, 20, 20, 20)), -5.0, 1e-12);
    // Same centre on the axis: the gap is minus the two radii.
    EXPECT_NEAR(static_cast<double>(CircleGap(0.3L, 0.3L, 4, 6, 15, 15)), -5.0, 1e-9);
    // Sun at the centre and planet at radius 42: 42 - 20 - 15.
    EXPECT_NEAR(static_cast<double>(CircleGap(0, 1, 40, 30, 42, 0)), 7.0, 1e-12);
}

TEST_F(Assembly, ChordLimitFactor)
{
    // 60 degrees: chord 1 of the unit circle, v * 1 / (2 - 1) + 1.
    EXPECT_NEAR(static_cast<double>(ChordLimitFactor(Pi / 3, 2)), 3.0, 1e-12);
    // 90 degrees: chord sqrt 2.
    const double s = std::sqrt(2.0);
    EXPECT_NEAR(static_cast<double>(ChordLimitFactor(Pi / 2, 1)), s / (2 - s) + 1, 1e-12);
    EXPECT_EQ(ChordLimitFactor(0, 1), 100);
    EXPECT_EQ(ChordLimitFactor(Pi, 1), 100);
}

TEST_F(Assembly, AngleFromRatio)
{
    // arccos(0.5) = 60 degrees, tan 60 = sqrt 3.
    EXPECT_NEAR(static_cast<double>(AngleFromRatio(10, 5)), 57.3 * std::sqrt(3.0), 1e-12);
    EXPECT_EQ(AngleFromRatio(5, 10), 0);
    EXPECT_EQ(AngleFromRatio(5, 5), 0);
}

} // namespace
