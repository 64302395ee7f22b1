#include "foundation/foundationstate.h"
#include "foundation/guardedmath.h"
#include "foundation/keptfunctions.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace
{

class UtilMath : public ::testing::Test
{
};

std::vector<std::string> Collected()
{
    std::vector<std::string> texts;
    for (int i = 1; i <= error0.ErrorCount; ++i)
        texts.push_back(error0.ErrorTexts[i]);
    return texts;
}

using Texts = std::vector<std::string>;

TEST_F(UtilMath, SafeArcSinGuardsArgumentsBeyondOne)
{
    const struct {
        Extended x;
        Extended expected;
        Texts messages;
    } cases[] = {
        {0.5L, Pi / 6, {}},
        {1, Pi / 2, {}},
        {-1, -Pi / 2, {}},
        {1.5L, Pi / 2, {"Error: ArcSin 1.5"}},
        // Beyond -1 the limit on the argument's own side, not +pi/2.
        {-1.5L, -Pi / 2, {"Error: ArcSin -1.5"}},
    };
    for (const auto& c : cases) {
        ResetFoundationState();
        EXPECT_NEAR(SafeArcSin(c.x), c.expected, 1e-18L) << "x = " << static_cast<double>(c.x);
        EXPECT_EQ(Collected(), c.messages) << "x = " << static_cast<double>(c.x);
    }
}

TEST_F(UtilMath, SafeArcCosGuardsArgumentsBeyondOne)
{
    const struct {
        Extended x;
        Extended expected;
        Texts messages;
    } cases[] = {
        {0.5L, Pi / 3, {}},
        {1, 0, {}},
        {-1, Pi, {}},
        {2, 0, {"Error: ArcCos 2"}},
        // Beyond -1 the limit pi, as NamedArcCos gives, not 0.
        {-2, Pi, {"Error: ArcCos -2"}},
    };
    for (const auto& c : cases) {
        ResetFoundationState();
        EXPECT_NEAR(SafeArcCos(c.x), c.expected, 1e-18L) << "x = " << static_cast<double>(c.x);
        EXPECT_EQ(Collected(), c.messages) << "x = " << static_cast<double>(c.x);
    }
}

TEST_F(UtilMath, NamedArcCosLetsRoundingNoisePass)
{
    const struct {
        const char* name;
        Extended x;
        Extended expected;
        Texts messages;
    } cases[] = {
        {"Unit1", 1.00005L, 0, {}},
        {"Unit1", -1, Pi, {}},
        {"Unit1", -1.00005L, Pi, {}},
        {"Unit1", -1.5L, Pi, {"Error : Unit1 arccos(-1.5)"}},
        {"Unit1", 1.5L, 0, {"Error : Unit1 arccos(1.5)"}},
        {"Unit1", 0.5L, Pi / 3, {}},
        // The empty tag does not silence this routine.
        {"", 2, 0, {"Error :  arccos(2)"}},
    };
    for (const auto& c : cases) {
        ResetFoundationState();
        EXPECT_NEAR(NamedArcCos(c.name, c.x), c.expected, 1e-18L) << "x = " << static_cast<double>(c.x);
        EXPECT_EQ(Collected(), c.messages) << "x = " << static_cast<double>(c.x);
    }
}

TEST_F(UtilMath, SafePowerFallbacks)
{
    const struct {
        const char* name;
        Extended base;
        Extended exp;
        Extended expected;
        Texts messages;
    } cases[] = {
        {"", -8, 1.0L / 3, 2, {}}, {"predim", -8, 1.0L / 3, 2, {"predim (pow)"}},
        {"x", 0, -1, 0, {}},       {"x", 0, 2, 0, {}},
        {"x", 2, 10, 1024, {}},    {"x", 10, 4000, 1e3000L, {}},
        {"x", 10, -4000, 0, {}},
    };
    for (const auto& c : cases) {
        ResetFoundationState();
        const Extended r = SafePower(c.name, c.base, c.exp);
        EXPECT_NEAR(r / (c.expected == 0 ? 1 : c.expected), c.expected == 0 ? 0 : 1, 1e-15L)
            << "base " << static_cast<double>(c.base) << " exp " << static_cast<double>(c.exp);
        EXPECT_EQ(Collected(), c.messages);
    }
}

TEST_F(UtilMath, SafeSqrtAndSafeDivide)
{
    EXPECT_EQ(SafeSqrt("s", 16), 4);
    EXPECT_EQ(SafeDivide("x", 6, 3), 2);
    EXPECT_TRUE(Collected().empty());

    EXPECT_EQ(SafeSqrt("s", -4), 0);
    EXPECT_EQ(SafeSqrt2("t", -4), 0);
    EXPECT_EQ(SafeDivide("x", 5, 0), 1e30L);
    EXPECT_EQ(Collected(), (Texts{"s (sqrt)", "t (sqrt)", "x (div)"}));

    ResetFoundationState();
    EXPECT_EQ(SafeSqrt("", -4), 0);
    EXPECT_EQ(SafeDivide("", 5, 0), 1e30L);
    EXPECT_TRUE(Collected().empty());
}

TEST_F(UtilMath, HideWarningsSilencesEveryGuard)
{
    wtelmvar.HideWarnings = true;
    EXPECT_NEAR(SafeArcSin(-3), -Pi / 2, 1e-18L);
    EXPECT_EQ(SafeArcCos(3), 0);
    EXPECT_EQ(NamedArcCos("n", -3), Pi);
    EXPECT_EQ(SafePower("p", -4, 0.5L), 2);
    EXPECT_EQ(SafeSqrt("s", -1), 0);
    EXPECT_EQ(SafeDivide("d", 1, 0), 1e30L);
    EXPECT_EQ(ArcInvolute(5000), 0);
    EXPECT_EQ(error0.ErrorCount, 0);
}

TEST_F(UtilMath, InvoluteOfTwentyDegreesMatchesTables)
{
    // inv 20° = 0.014904383867... (involute function tables)
    EXPECT_NEAR(Involute(DegToRad(20)), 0.0149043838673L, 1e-12L);
    EXPECT_NEAR(RadToDeg(ArcInvolute(0.0149043838673L)), 20, 1e-9L);
    EXPECT_EQ(Involute(0), 0);
}

// Measuring values depend on exactly which bisection midpoint ArcInvolute
// returns, not only on its being within the tolerance: it must return the
// very midpoint the plain bisection between +-1.57 returns, bit for bit,
// over the whole range, small and negative arguments included.
TEST_F(UtilMath, ArcInvoluteIsThePlainBisectionsMidpoint)
{
    auto plain = [](Extended X) {
        Extended lo = -1.57L, hi = 1.57L;
        for (int step = 1; step <= 800; ++step) {
            const Extended m = (lo + hi) / 2;
            const Extended f = std::tan(m) - m - X;
            (f < 0 ? lo : hi) = m;
            if (std::fabs(f) < 1e-15L) return m;
        }
        return Extended(-99);
    };
    std::vector<Extended> args{0, 1e-16L, 1e-15L, 2e-15L, 1e-12L, 0.0149043838673L, Involute(1.45L)};
    for (int i = 1; i <= 3000; ++i)
        args.push_back(Involute(1.45L * i / 3000) * (1 + 1e-7L * (i % 7)));
    for (int i = 1; i <= 200; ++i)
        args.push_back(std::pow(10.0L, -15.0L + i * 0.08L));
    // Steep flanks, where the slope at the root changes fast.
    for (int i = 0; i <= 200; ++i)
        args.push_back(Involute(1.45L + 0.11L * i / 200) * (1 - 1e-9L * (i % 5)));
    for (Extended x : args)
        for (Extended sx : {x, -x}) {
            const Extended want = plain(sx);
            ASSERT_EQ(ArcInvolute(sx), want) << "X = " << static_cast<double>(sx);
        }
    EXPECT_TRUE(Collected().empty());
}

TEST_F(UtilMath, ArcInvoluteRoundTripsOverTheWorkingRange)
{
    for (int i = 0; i <= 120; ++i) {
        const Extended a = i / 100.0L;
        const Extended inv = Involute(a);
        const Extended back = ArcInvolute(inv);
        EXPECT_LT(std::fabs(Involute(back) - inv), 1e-15L) << "angle " << static_cast<double>(a);
        if (a >= 0.05L) { // below that the involute is flatter than the tolerance
            EXPECT_NEAR(back, a, 1e-12L) << "angle " << static_cast<double>(a);
        }
        // The inverse is odd: a negative involute gives a negative angle.
        EXPECT_LT(std::fabs(Involute(ArcInvolute(-inv)) + inv), 1e-15L)
            << "angle " << static_cast<double>(-a);
    }
    EXPECT_TRUE(Collected().empty());
    EXPECT_NEAR(ArcInvolute(Involute(0.35L)), 0.35L, 1e-14L);
}

TEST_F(UtilMath, ArcInvoluteBeyondItsRangeGivesZeroAndAMessage)
{
    EXPECT_EQ(ArcInvolute(2000), 0);
    EXPECT_EQ(Collected(), (Texts{"Error: ArcInv in unit math"}));
}

// Faults caught: a kept answer that is not the very angle a fresh search
// gives (measuring values depend on its last bit), an argument that raised
// the message answered silently the second time, a memo that outlives its
// calculation, and a nested memo that cuts its outer one short.
TEST_F(UtilMath, ArcInvoluteMemoGivesTheFreshAnswerAndRepeatsItsMessages)
{
    // inv 20 deg, the ring's ball in the default stage, a negative
    // argument and a flank near the end of the range.
    const Extended args[] = {0.0149043838673L, 0.00898263259616L, -0.0688065964323L, Involute(1.4L)};
    std::vector<Extended> fresh;
    for (Extended x : args)
        fresh.push_back(ArcInvolute(x));
    EXPECT_NEAR(RadToDeg(fresh[0]), 20, 1e-9L);
    EXPECT_NEAR(fresh[3], 1.4L, 1e-12L);
    {
        const TArcInvoluteMemo outer;
        ASSERT_EQ(TArcInvoluteMemo::Active(), &outer);
        {
            const TArcInvoluteMemo inner;
            EXPECT_EQ(TArcInvoluteMemo::Active(), &outer) << "a nested memo joins the outer one";
            for (int round = 0; round < 2; ++round)
                for (std::size_t k = 0; k < std::size(args); ++k)
                    EXPECT_EQ(ArcInvolute(args[k]), fresh[k]) << "round " << round << ", argument " << k;
        }
        EXPECT_EQ(TArcInvoluteMemo::Active(), &outer) << "the outer memo lives on";
        // More arguments than the memo holds push the first ones out; every
        // answer stays the fresh one.
        for (int k = 1; k <= 40; ++k)
            ArcInvolute(Involute(0.01L * k));
        for (std::size_t k = 0; k < std::size(args); ++k)
            EXPECT_EQ(ArcInvolute(args[k]), fresh[k]) << "after overflow, argument " << k;
        const unsigned long before = GuardedReportCount();
        EXPECT_EQ(ArcInvolute(2000), 0);
        EXPECT_EQ(ArcInvolute(2000), 0);
        EXPECT_EQ(GuardedReportCount() - before, 2u)
            << "an out-of-range argument must be reported every time";
    }
    EXPECT_EQ(TArcInvoluteMemo::Active(), nullptr) << "nothing carries over into the next calculation";
}

// Results kept for equal arguments (tooth form, oil viscosity, span base)
// count within one calculation only. Fault caught: two calculations, or a
// calculation and its nested parts, under one number.
TEST_F(UtilMath, EachOutermostCalculationHasItsOwnNumber)
{
    EXPECT_EQ(CalculationUnderWay(), 0u);
    unsigned long first = 0;
    {
        const TArcInvoluteMemo stage;
        first = CalculationUnderWay();
        EXPECT_NE(first, 0u);
        const TArcInvoluteMemo pair;
        EXPECT_EQ(CalculationUnderWay(), first) << "a mesh of the stage is part of the stage's calculation";
    }
    EXPECT_EQ(CalculationUnderWay(), 0u);
    const TArcInvoluteMemo next;
    EXPECT_NE(CalculationUnderWay(), first);
    EXPECT_NE(CalculationUnderWay(), 0u);
}

// The kept elementary functions answer with the library's bits, whether the
// argument is new, asked again, or pushed out by many others of its set
// (one mantissa with many exponents), and in the next calculation too.
TEST_F(UtilMath, KeptFunctionsGiveTheLibrarysBits)
{
    const auto same = [](Extended a, Extended b) { return std::memcmp(&a, &b, 10) == 0; };
    const struct {
        const char* name;
        Extended (*kept)(Extended);
        Extended (*library)(Extended);
        Extended scale;
    } functions[] = {
        {"tan", KeptTan, [](Extended x) { return std::tan(x); }, 1},
        {"sin", KeptSin, [](Extended x) { return std::sin(x); }, 1},
        {"cos", KeptCos, [](Extended x) { return std::cos(x); }, 1},
        {"atan", KeptArcTan, [](Extended x) { return std::atan(x); }, 3},
        {"asin", KeptArcSin, [](Extended x) { return std::asin(x); }, 1},
        {"acos", KeptArcCos, [](Extended x) { return std::acos(x); }, 1},
        {"exp", KeptExp, [](Extended x) { return std::exp(x); }, 20},
        {"ln", KeptLn, [](Extended x) { return std::log(x); }, 1e6L},
        {"log10", KeptLog10, [](Extended x) { return std::log10(x); }, 1e6L},
    };
    for (const auto& f : functions) {
        for (int calculation = 0; calculation < 3; ++calculation) {
            const TArcInvoluteMemo under; // a calculation under way
            for (int round = 0; round < 2; ++round)
                for (int k = 1; k <= 600; ++k) {
                    // Every third argument is 0.8 halved k times: one mantissa.
                    const Extended x =
                        k % 3 == 0 ? std::ldexp(0.8L, -k / 3) : f.scale * (k % 97) / 97 * 0.999L;
                    ASSERT_TRUE(same(f.kept(x), f.library(x))) << f.name << " " << static_cast<double>(x);
                }
        }
        ASSERT_TRUE(same(f.kept(0.3L), f.library(0.3L))) << f.name << " outside a calculation";
    }
}

TEST_F(UtilMath, RoundGoesToTheEvenNeighbourOnHalves)
{
    const struct {
        Extended x;
        Extended r;
    } cases[] = {{0.5L, 0},   {1.5L, 2},   {2.5L, 2},    {3.5L, 4},
                 {-2.5L, -2}, {-3.5L, -4}, {2.4999L, 2}, {-0.6L, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(Round(c.x), c.r) << static_cast<double>(c.x);
    EXPECT_EQ(RoundToDecimals(1, 0.25L), 0.2L);
    EXPECT_EQ(RoundToDecimals(1, 0.75L), 0.8L);
    EXPECT_NEAR(RoundToDecimals(2, 3.14159L), 3.14L, 1e-18L);
    EXPECT_EQ(RoundToDecimals(0, 7.5L), 8);
}

TEST_F(UtilMath, IntPowerMultipliesWholeFactors)
{
    EXPECT_EQ(IntPower(2, 10), 1024);
    EXPECT_EQ(IntPower(-2, 3), -8);
    EXPECT_EQ(IntPower(5, 0), 1);
    EXPECT_NEAR(IntPower(10, -3), 0.001L, 1e-20L);
    EXPECT_EQ(IntPower(0, 0), 1);
}

TEST_F(UtilMath, PlaneHelpers)
{
    EXPECT_EQ(Hypotenuse(3, 4), 5);
    EXPECT_EQ(Cathetus(5, 3), 4);
    EXPECT_EQ(Cathetus(-5, 3), 4);
    EXPECT_EQ(Cathetus(3, 3), 0);
    EXPECT_EQ(Cathetus(3, 5), 0);
    EXPECT_EQ(ArcHeight(10, 12), 2);
    EXPECT_EQ(ArcHeight(5, 10), 5);
    EXPECT_EQ(ArcHeight(5, 12), 5);

    const struct {
        Extended x, y, phi;
    } polar[] = {
        {0, 1, Pi / 2},      {0, 0, Pi / 2},       {0, -1, -Pi / 2}, {1, 1, Pi / 4},
        {-1, 1, 3 * Pi / 4}, {-1, -1, 5 * Pi / 4}, {1, -1, -Pi / 4},
    };
    for (const auto& c : polar) {
        EXPECT_NEAR(PolarAngle(c.x, c.y), c.phi, 1e-18L) << c.x << "," << c.y;
        EXPECT_NEAR(PolarAngleYX(c.y, c.x), c.phi, 1e-18L);
    }

    Extended x, y, r, phi;
    PolarToCartesian(x, y, 2, Pi / 6);
    EXPECT_NEAR(x, std::sqrt(3.0L), 1e-18L);
    EXPECT_NEAR(y, 1, 1e-18L);
    CartesianToPolar(r, phi, -3, 4);
    EXPECT_EQ(r, 5);
    EXPECT_NEAR(phi, Pi - std::atan(4.0L / 3), 1e-18L);

    RotatePoint(x, y, 1, 0, Pi / 2);
    EXPECT_NEAR(x, 0, 1e-18L);
    EXPECT_NEAR(y, 1, 1e-18L);
    RotateShiftPointDeg(x, y, 10, 20, 90, 1, 0);
    EXPECT_NEAR(x, 10, 1e-17L);
    EXPECT_NEAR(y, 21, 1e-17L);
    ScaleRotateShiftPoint(x, y, 2, 3, 0, 0, 90, 1, 1);
    EXPECT_NEAR(x, -3, 1e-17L);
    EXPECT_NEAR(y, 2, 1e-17L);
    // The frame turned by +90°: the point (0, 1) lies on its x axis.
    EXPECT_NEAR(RotatedFrameX(0, 1, Pi / 2), 1, 1e-18L);
    EXPECT_NEAR(RotatedFrameY(1, 0, Pi / 2), -1, 1e-18L);
}

TEST_F(UtilMath, AnglesAndTheirNormalisation)
{
    EXPECT_NEAR(RadToDeg(Pi), 180, 1e-15L);
    EXPECT_NEAR(DegToRad(90), Pi / 2, 1e-18L);
    EXPECT_NEAR(NormalizeAngle(-Pi / 2), 3 * Pi / 2, 1e-17L);
    EXPECT_NEAR(NormalizeAngle(5 * Pi), Pi, 1e-17L);
    EXPECT_NEAR(NormalizeAngle(0.25L), 0.25L, 1e-18L);

    const struct {
        Extended a, b, d;
    } diffs[] = {{350, 10, 20}, {10, 350, 340}, {0, 720, 0}, {-90, 90, 180}, {30, 30, 0}};
    for (const auto& c : diffs)
        EXPECT_NEAR(AngleDifferenceDeg(c.a, c.b), c.d, 1e-12L) << c.a << " -> " << c.b;
}

TEST_F(UtilMath, LogarithmsAndPowersOfTen)
{
    EXPECT_NEAR(Log10Safe(1000), 3, 1e-18L);
    EXPECT_NEAR(Log10Safe(0.01L), -2, 1e-18L);
    EXPECT_EQ(Log10Safe(0), 0);
    EXPECT_EQ(Log10Safe(-5), 0);
    EXPECT_EQ(PowerOf10(3), 1000);
    EXPECT_NEAR(PowerOf10(-2), 0.01L, 1e-20L);
}

TEST_F(UtilMath, FloorValueIsTheLargestWholeNumberNotAbove)
{
    const struct {
        Extended x, f;
    } cases[] = {
        {2.7L, 2},
        {-0.5L, -1},
        {-2.5L, -3},
        {0, 0},
        {3, 3},
        // A whole negative number is its own floor.
        {-2, -2},
        {-10, -10},
        {1e12L, std::numeric_limits<int32_t>::max()},
        {-1e12L, std::numeric_limits<int32_t>::min()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FloorValue(c.x), c.f) << static_cast<double>(c.x);
}

TEST_F(UtilMath, DecimalExponentIsThePowerOfTheLeadingDigit)
{
    const struct {
        Extended x;
        int e;
    } cases[] = {
        {0, 0},     {1, 0},     {9.99L, 0},  {10, 1},     {1000, 3},    {99999, 4},  {-250, 2},
        {0.5L, -1}, {0.1L, -1}, {0.05L, -2}, {0.01L, -2}, {0.001L, -3}, {1e-6L, -6}, {1.5e-6L, -6},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecimalExponent(c.x), c.e) << static_cast<double>(c.x);
}

TEST_F(UtilMath, ComparisonsAndChoices)
{
    EXPECT_TRUE(IsEven(4));
    EXPECT_TRUE(IsEven(0));
    EXPECT_FALSE(IsEven(-3));
    EXPECT_TRUE(ApproxEqual(1, 1.000005L));
    EXPECT_FALSE(ApproxEqual(1, 1.00002L));
    EXPECT_TRUE(EqualWithin(1, 1.5L, 0.6L));
    EXPECT_FALSE(EqualWithin(1, 2, 1)); // strict

    EXPECT_EQ(MaxExt(1, 2), 2);
    EXPECT_EQ(MinExt(1, 2), 1);
    EXPECT_EQ(Max3Ext(1, 7, 3), 7);
    EXPECT_EQ(Min4Ext(4, 3, -2, 8), -2);
    EXPECT_EQ(MaxInt(-1, -5), -1);
    EXPECT_EQ(MinInt(-1, -5), -5);

    EXPECT_EQ(ClampExt(0, 10, -1), 0);
    EXPECT_EQ(ClampExt(0, 10, 11), 10);
    EXPECT_EQ(ClampExt(0, 10, 4), 4);
    EXPECT_EQ(ClampExt(10, 0, 5), 0); // Lo applied first, then Hi
    EXPECT_EQ(ClampInt(0, 10, 12), 10);
    EXPECT_EQ(ClampInt(0, 10, -2), 0);
    EXPECT_EQ(ClampInt(10, 0, 5), 0);

    Extended a = 1, b = 2;
    SwapExt(a, b);
    EXPECT_EQ(a, 2);
    EXPECT_EQ(b, 1);

    EXPECT_EQ(Mean2(3, 4), 3.5L);
    EXPECT_EQ(RoundToDouble(1.0L / 3), static_cast<Extended>(1.0 / 3));
}

TEST_F(UtilMath, SignsOfValuesAndToothCounts)
{
    EXPECT_EQ(Sign(0), 1);
    EXPECT_EQ(Sign(-0.1L), -1);
    EXPECT_EQ(Sgn(5), 1);
    EXPECT_EQ(Sgn(-5), -1);
    EXPECT_EQ(ToothCountSign(1), 1);
    EXPECT_EQ(ToothCountSign(17), 1);
    EXPECT_EQ(ToothCountSign(0.5L), -1);
    EXPECT_EQ(ToothCountSign(-63), -1);
}

TEST_F(UtilMath, LinearInterpolateAndPercentDeviation)
{
    EXPECT_EQ(LinearInterpolate(1, 2, 1, 3, 5), 0);
    EXPECT_EQ(LinearInterpolate(1, 2, 1, 2, 5), 2);
    EXPECT_EQ(LinearInterpolate(0, 0, 10, 100, 2.5L), 25);
    EXPECT_EQ(LinearInterpolate(0, 0, 10, 100, 20), 200); // extrapolates
    EXPECT_EQ(PercentDeviation(0, 5), 0);
    EXPECT_EQ(PercentDeviation(200, 150), 25);
    EXPECT_EQ(PercentDeviation(-200, -250), 25);
}

TEST_F(UtilMath, NiceAxisScaleRoundsTheLimits)
{
    const struct {
        Extended min, max;
        int n;
        Extended lo, hi, step;
    } cases[] = {
        {0, 100, 10, 0, 100, 10},
        {5, 5, 4, 4, 6, 0.5L}, // widened to 4 .. 6 first
        {-37, 81, 5, -40, 100, 20},
        // A minimum on a whole step is the lower limit itself.
        {-10, 50, 6, -10, 50, 10},
        {0, 0.9L, 3, 0, 1, 0.2L},
        {1200, 9800, 4, 0, 10000, 2000},
    };
    for (const auto& c : cases) {
        Extended lo = -99, hi = -99, step = -99;
        NiceAxisScale(lo, hi, step, c.min, c.max, c.n);
        EXPECT_NEAR(lo, c.lo, 1e-12L) << static_cast<double>(c.min) << ".." << static_cast<double>(c.max);
        EXPECT_NEAR(hi, c.hi, 1e-12L) << static_cast<double>(c.min) << ".." << static_cast<double>(c.max);
        EXPECT_NEAR(step, c.step, 1e-12L) << static_cast<double>(c.min) << ".." << static_cast<double>(c.max);
    }
}

TEST_F(UtilMath, UnitConversionsUseTheirExactConstants)
{
    EXPECT_EQ(InchToMm(1), 25.4L);
    EXPECT_NEAR(MmToInch(25.4L), 1, 1e-18L);
    EXPECT_EQ(MPaToPsi(1), 145.037L);
    EXPECT_NEAR(PsiToMPa(145.037L), 1, 1e-18L);
    EXPECT_EQ(LbfInToNm(1), 0.112984788L);
    EXPECT_NEAR(NmToLbfIn(0.112984788L), 1, 1e-18L);
    EXPECT_EQ(LbfToN(1), 4.44822L);
    EXPECT_NEAR(NToLbf(4.44822L), 1, 1e-18L);
    EXPECT_NEAR(CelsiusToFahrenheit(100), 212, 1e-15L);
    EXPECT_NEAR(FahrenheitToCelsius(212), 100, 1e-15L);
    EXPECT_NEAR(CelsiusToFahrenheit(-40), -40, 1e-15L);
    EXPECT_NEAR(FahrenheitToCelsius(-40), -40, 1e-15L);
}

} // namespace
