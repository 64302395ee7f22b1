// Measuring values and accuracy tolerances. Span and ball dimensions are
// checked against the textbook formulas (DIN 3960):
//   W = mn cos an ((k - 0.5) pi + z inv at) + 2 x mn sin an,
//   inv aK = s/d + inv a + DM/db - pi/z,  MdK = db / cos aK + DM (even z),
// worked independently of the program's own form; the tolerances against
// the formulas of ISO 1328-1:2013 and the DIN 3961/3962 base values worked
// by hand, with the rounding of the ISO standard.

#include "gearpair/geometry/tolerances.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "common/testmessages.h"
#include "foundation/foundationstate.h"
#include "foundation/guardedmath.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/calcgearpair.h"

namespace
{

class Tolerances : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        SetGearDefaults();
        InitGearPairData();
    }

    // The transverse values of gear 1 that the measuring routines read, for
    // a pressure angle of 20 degrees.
    static void SetGear(int z, Extended mn, Extended betaDeg, Extended x, Extended DM = 0)
    {
        auto& g = GearPair;
        g.z[1] = z;
        g.mn = mn;
        g.x[1] = x;
        g.alpha = 20;
        g.beta = betaDeg;
        g.alpha_rad = DegToRad(20);
        g.beta_rad = DegToRad(betaDeg);
        g.alpha_t = std::atan(std::tan(g.alpha_rad) / std::cos(g.beta_rad));
        g.d[1] = z * mn / std::cos(g.beta_rad);
        g.db[1] = g.d[1] * std::cos(g.alpha_t);
        g.beta_b = std::atan(std::tan(g.beta_rad) * std::cos(g.alpha_t));
        g.DM[1] = DM;
        g.SpanTeeth[1] = 0;
    }

    // Spur pair z 30 / 60, m 1, x 0, tips not reduced, tooth thickness
    // allowances entered as -0.030 / -0.060 mm, centre distance allowances
    // 0, measuring ball 1.7 mm.
    static void SetMeasuringPair()
    {
        auto& g = GearPair;
        g.z[1] = 30;
        g.z[2] = 60;
        g.mn = 1;
        g.beta = 0;
        g.x[1] = g.x[2] = 0;
        g.a = 45;
        g.b[1] = g.b[2] = g.b_effH = 20;
        for (int i = 1; i <= 2; ++i) {
            g.TsnSeries[i] = 11;
            g.Asne[i] = -0.030L;
            g.Asni[i] = -0.060L;
            g.DimensionInputMode[i] = 2;
            g.kmn[i] = 0;
            g.DM[i] = 1.7L;
            g.SpanTeeth[i] = 0;
        }
        g.AaField = 9;
        g.Aa = g.Aai = 0;
    }
};

// --- span measurement -------------------------------------------------------------

TEST_F(Tolerances, SpanMeasure)
{
    struct Row {
        int z;
        Extended mn, betaDeg, x, xE;
        int k;
        double W;
        const char* why;
    } rows[] = {
        // 2 cos20 (2.5 pi + 20 inv20)
        {20, 2, 0, 0, 0, 3, 15.3208787520, "spur z 20 m 2"},
        // across 7 spaces, negative like every diameter of the internal gear
        {-60, 2, 0, 0, 0, -7, -40.0583733877, "internal z -60 m 2"},
        {-71, 2.5L, 0, 0.2L, 0.2L, -8, -57.4964275138, "internal z -71 m 2.5 x 0.2"},
        // normal module 3, helix 15 deg, transverse inv at in the formula
        {30, 3, 15, 0.3L, 0.3L, 5, 41.8609122348, "helical z 30 at x"},
        // the span follows the coefficient xE, the teeth spanned do not
        {30, 3, 15, 0.3L, 0.25L, 5, 41.7583061918, "helical z 30 at xE 0.25"},
    };
    for (const auto& r : rows) {
        SetGear(r.z, r.mn, r.betaDeg, r.x);
        const Extended W = SpanMeasure(1, r.xE);
        EXPECT_EQ(GearPair.SpanTeeth[1], r.k) << r.why;
        EXPECT_NEAR(static_cast<double>(W), r.W, 1e-9) << r.why;
    }
    EXPECT_EQ(error0.ErrorCount, 0) << Messages();
}

TEST_F(Tolerances, EnteredTeethSpannedStay)
{
    SetGear(20, 2, 0, 0);
    GearPair.SpanTeeth[1] = 5;
    // 2 cos20 (4.5 pi + 20 inv20)
    EXPECT_NEAR(static_cast<double>(SpanMeasure(1, 0)), 27.1294044883, 1e-9);
    EXPECT_EQ(GearPair.SpanTeeth[1], 5);
}

// --- dimension over balls and pins ------------------------------------------------

TEST_F(Tolerances, DimensionOverBalls)
{
    const Extended tan20 = std::tan(DegToRad(20));
    struct Row {
        int z;
        Extended mn, betaDeg, xE, DM;
        double MdK;
        const char* why;
    } rows[] = {
        // m 1, z 30, ball 1.7, tooth thickness allowance -0.060 and -0.030:
        // single-ball radial distance 16.0821 and 16.1190
        {30, 1, 0, -0.060L / (2 * tan20), 1.7L, 32.1641419334, "z 30, As -0.060"},
        {30, 1, 0, -0.030L / (2 * tan20), 1.7L, 32.2379843589, "z 30, As -0.030"},
        {30, 1, 0, 0, 1.7L, 32.3108112179, "z 30, As 0"},
        // odd: the balls stand half a pitch off the diameter
        {21, 2, 0, 0, 3.5L, 46.8139322970, "odd z 21"},
        {20, 2, 0, 0, 3.5L, 44.9292900174, "even z 20"},
        // internal: between balls, negative
        {-60, 2, 0, 0, 3.5L, -114.8025803413, "internal z -60"},
        {-61, 2, 0, 0, 3.5L, -116.7645614584, "internal odd z -61"},
        // helical: inv aKt = inv at + DM / (mn z cos an) + 2 x tan an / z - pi / 2z
        {25, 3, 15, 0.2L, 5.5L, 86.7573079327, "helical odd z 25"},
        {26, 3, 15, 0.2L, 5.5L, 90.0387920349, "helical even z 26"},
    };
    for (const auto& r : rows) {
        SetGear(r.z, r.mn, r.betaDeg, r.xE, r.DM);
        EXPECT_NEAR(static_cast<double>(BallDimension(1, r.xE)), r.MdK, 1e-8) << r.why;
    }
    EXPECT_EQ(error0.ErrorCount, 0) << Messages();
}

TEST_F(Tolerances, DimensionOverPins)
{
    struct Row {
        int z;
        Extended betaDeg, x, DM;
        double MdR;
        const char* why;
    } rows[] = {
        // a spur gear: pins and balls touch alike
        {21, 0, 0, 3.5L, 46.8139322970, "spur odd z 21"},
        // helical odd: read across the pin length as if opposite, dK + DM
        {25, 15, 0.2L, 5.5L, 86.9179676938, "helical odd z 25"},
        {26, 15, 0.2L, 5.5L, 90.0387920349, "helical even z 26"},
    };
    for (const auto& r : rows) {
        SetGear(r.z, r.z == 21 ? 2 : 3, r.betaDeg, r.x, r.DM);
        const Extended MdK = BallDimension(1, r.x);
        EXPECT_NEAR(static_cast<double>(PinDimension(1, MdK)), r.MdR, 1e-8) << r.why;
    }
}

TEST_F(Tolerances, BallBelowTheBaseCircle)
{
    SetGear(20, 2, 0, 0, 0.5L);
    BallDimension(1, 0);
    EXPECT_TRUE(HasMessage("Error  : Dm ball !  (0.5mm)")) << Messages();
}

// --- the measuring part of the step on a calculated pair ---------------------------

TEST_F(Tolerances, MeasuringValuesOfACalculatedPair)
{
    SetMeasuringPair();
    CalcGeometry();
    ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
    const auto& g = GearPair;
    EXPECT_EQ(g.SpanTeeth[1], 4);
    // cos20 (3.5 pi + 30 inv20) and the allowances times cos20
    EXPECT_NEAR(static_cast<double>(g.W_x[1]), 10.7526262055, 1e-9);
    EXPECT_NEAR(static_cast<double>(g.W_xemin[1]), 10.7526262055 - 0.0563815572, 1e-9);
    EXPECT_NEAR(static_cast<double>(g.W_xemax[1]), 10.7526262055 - 0.0281907786, 1e-9);
    // without machining allowance the pre-machined gear is the finished one
    EXPECT_EQ(g.W_xevmin[1], g.W_xemin[1]);
    EXPECT_EQ(g.W_xevmax[1], g.W_xemax[1]);
    EXPECT_NEAR(static_cast<double>(g.MdK_xemin[1]), 32.1641419334, 1e-8);
    EXPECT_NEAR(static_cast<double>(g.MdK_xemax[1]), 32.2379843589, 1e-8);
    EXPECT_NEAR(static_cast<double>(g.MdK_x[1]), 32.3108112179, 1e-8);
    EXPECT_EQ(g.MdR_xemin[1], g.MdK_xemin[1]);
    EXPECT_EQ(g.MdR_xevmax[1], g.MdK_xevmax[1]);
}

// The pre-machined gear without allowance is measured as the finished one:
// faults caught are a shared ball dimension that differs from the finished
// one, and a too-small ball that goes unreported once values are shared.
TEST_F(Tolerances, EqualShiftsShareBallDimensionsAndTheirMessage)
{
    SetMeasuringPair();
    auto& g = GearPair;
    g.AutoBallDiameter = 0;
    CalcGeometry();
    ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
    EXPECT_EQ(g.MdK_xevmin[1], g.MdK_xemin[1]);
    EXPECT_EQ(g.MdK_xevmax[1], g.MdK_xemax[1]);
    EXPECT_NEAR(static_cast<double>(g.MdK_xevmin[1]), 32.1641419334, 1e-8);

    // A 0.5 mm ball sinks below the base circle of z 30, m 1.
    SetMeasuringPair();
    g.AutoBallDiameter = 0;
    g.DM[1] = 0.5L;
    CalcGeometry();
    EXPECT_TRUE(HasMessage("Error  : Dm ball !  (0.5mm)")) << Messages();
    EXPECT_EQ(g.MdK_xevmin[1], g.MdK_xemin[1]);
}

TEST_F(Tolerances, AutomaticBallDiameterIsRecalculatedOnEveryRun)
{
    SetMeasuringPair();
    auto& g = GearPair;
    g.AutoBallDiameter = 1;
    g.DM[1] = 12;
    g.SpanTeeth[1] = 9;
    CalcGeometry();
    // z 30, xemax -0.0412: 1.6959 rounded
    EXPECT_NEAR(static_cast<double>(g.DM[1]), 1.7, 1e-12);
    EXPECT_EQ(g.SpanTeeth[1], 4);
    g.SpanTeeth[1] = 9;
    CalcGeometry();
    EXPECT_EQ(g.SpanTeeth[1], 4);
}

TEST_F(Tolerances, EnteredBallAndTeethSpannedStay)
{
    SetMeasuringPair();
    auto& g = GearPair;
    g.AutoBallDiameter = 0;
    g.DM[1] = 1.8L;
    g.SpanTeeth[1] = 5;
    CalcGeometry();
    EXPECT_EQ(g.DM[1], 1.8L);
    EXPECT_EQ(g.SpanTeeth[1], 5);
    EXPECT_NEAR(static_cast<double>(g.W_x[1]), 10.7526262055 + std::cos(DegToRad(20)) * Pi, 1e-9);
}

TEST_F(Tolerances, NothingIsCalculatedAfterAFatalError)
{
    SetMeasuringPair();
    CalcGeometry();
    auto& g = GearPair;
    g.W_x[1] = -1;
    g.fpT[1] = -1;
    telmvar.FatalCalcError = true;
    CalcTolerances();
    EXPECT_EQ(g.W_x[1], -1);
    EXPECT_EQ(g.fpT[1], -1);
}

TEST_F(Tolerances, ExternalGearWithoutRootIsInvalid)
{
    SetMeasuringPair();
    CalcGeometry();
    ResetErrorState();
    GearPair.df[1] = 0;
    CalcTolerances();
    EXPECT_TRUE(HasMessage("Invalid Data !")) << Messages();
}

// --- DIN 3961/3962 ----------------------------------------------------------------

struct ToleranceSet {
    double ffalphaT, fHalphaT, FalphaT, fpT, fuT, FpT, Fpk, FrT, Rs, FbetaT, fHbetaT, ffbetaT, Fi2, fi2, FisT,
        fisT;
};

void ExpectTolerances(const ToleranceSet& e, double tol, const std::string& why)
{
    const auto& g = GearPair;
    const struct {
        const char* name;
        Extended got;
        double expected;
    } rows[] = {
        {"ffalphaT", g.ffalphaT[1], e.ffalphaT},
        {"fHalphaT", g.fHalphaT[1], e.fHalphaT},
        {"FalphaT", g.FalphaT[1], e.FalphaT},
        {"fpT", g.fpT[1], e.fpT},
        {"fuT", g.fuT[1], e.fuT},
        {"FpT", g.FpT[1], e.FpT},
        {"Fpk", g.Fpk[1], e.Fpk},
        {"FrT", g.FrT[1], e.FrT},
        {"Rs", g.Rs[1], e.Rs},
        {"FbetaT", g.FbetaT[1], e.FbetaT},
        {"fHbetaT", g.fHbetaT[1], e.fHbetaT},
        {"ffbetaT", g.ffbetaT[1], e.ffbetaT},
        {"Fi2", g.Fi2[1], e.Fi2},
        {"fi2", g.fi2[1], e.fi2},
        {"FisT", g.FisT[1], e.FisT},
        {"fisT", g.fisT[1], e.fisT},
    };
    for (const auto& r : rows)
        EXPECT_NEAR(static_cast<double>(r.got), r.expected, tol) << why << ": " << r.name;
}

// Gear mn 3, z 40, d 120, b 30.
void SetToleranceGear(int toleranceClass)
{
    auto& g = GearPair;
    g.mn = 3;
    g.z[1] = 40;
    g.d[1] = 120;
    g.b[1] = 30;
    g.Tsn[1] = 1;
    g.FlankToleranceClass[1] = toleranceClass;
}

TEST_F(Tolerances, DinTolerancesByClass)
{
    // Base values of class 5, e.g. ffalpha 1.5 + 0.25 (3 + 9 sqrt 3) =
    // 6.1471, Fp 7.25 * 120^(1/3) / 40^(1/7) = 21.112; classes by the steps.
    const struct {
        int Q;
        ToleranceSet e;
    } rows[] = {
        {5,
         {6.147114, 4.549038, 7.647272, 5.807663, 7.295445, 21.112162, 26.655777, 14.963281, 8.724401,
          8.38178, 6.697154, 5.040076, 17.459987, 7.413293, 23.007547, 9.418454}},
        {6,
         {8.60596, 6.368653, 10.70618, 8.130728, 10.213623, 29.557027, 37.318088, 20.948593, 12.214161,
          10.477226, 8.840244, 5.623375, 24.443982, 10.37861, 32.210566, 13.185836}},
        {10,
         {37.783607, 27.960936, 47.004413, 35.697149, 44.841891, 129.76717, 163.841332, 80.476116, 46.92192,
          52.570527, 41.627824, 32.105835, 93.904002, 39.870469, 141.417267, 57.891094}},
    };
    for (const auto& r : rows) {
        SetToleranceGear(r.Q);
        CalcDinTolerances(1);
        ExpectTolerances(r.e, 2e-6, "DIN class " + std::to_string(r.Q));
    }
}

TEST_F(Tolerances, DinClassTenStepsWiderBeyondNine)
{
    SetToleranceGear(10);
    CalcDinTolerances(1);
    const Extended T5 = 1.5L + 0.25L * (3 + 9 * std::sqrt(3.0L));
    EXPECT_NEAR(static_cast<double>(GearPair.ffalphaT[1]),
                static_cast<double>(T5 * 1.4L * 1.4L * 1.4L * 1.4L * 1.6L), 1e-9);
    // the run-out keeps the step 1.4
    SetToleranceGear(5);
    CalcDinTolerances(1);
    const Extended Fr5 = GearPair.FrT[1];
    SetToleranceGear(10);
    CalcDinTolerances(1);
    EXPECT_NEAR(static_cast<double>(GearPair.FrT[1] / Fr5), std::pow(1.4, 5), 1e-9);
}

TEST_F(Tolerances, DinToothThicknessToleranceAgainstRunOut)
{
    // Rs of class 6 is 12.2 um: a tolerance below 24.4 um warns.
    struct Row {
        Extended Tsn, mn;
        bool hide;
        bool warns;
        const char* why;
    } rows[] = {
        {0.024L, 3, false, true, "tolerance below twice the run-out"},
        {0.025L, 3, false, false, "tolerance above"},
        {0.024L, 3, true, false, "hidden"},
        {0.001L, 0.9L, false, false, "module below 1"},
    };
    for (const auto& r : rows) {
        ResetFoundationState();
        SetToleranceGear(6);
        GearPair.mn = r.mn;
        GearPair.Tsn[1] = r.Tsn;
        wtelmvar.HideWarnings = r.hide;
        CalcDinTolerances(1);
        EXPECT_EQ(HasMessage("Warning: Tsn < 2Rs !  (1)"), r.warns) << r.why << Messages();
    }
}

// --- ISO 1328-1:2013 ----------------------------------------------------------------

TEST_F(Tolerances, IsoTolerancesByClass)
{
    // Class 6 of m 3, d 120: fp (0.12 + 1.2 + 5) sqrt 2 = 8.94 -> 9.0,
    // Fp (0.24 + 6.025 + 2.1 + 12) sqrt 2 = 28.80 -> 29.
    const struct {
        int A;
        ToleranceSet e;
    } rows[] = {
        // class 5: phi 1
        {5, {6.5, 5.5, 8.5, 6.5, 9.192388155, 20, 13, 18, 10, 9.552486587, 6.5, 7, 27, 10, 26, 6}},
        {6, {9.5, 7.5, 12, 9, 12.727922061, 29, 19, 26.1, 15, 13.453624047, 9, 10, 38, 14, 37.5, 8.5}},
        // class 7 doubles before rounding: 2 * 6.65 = 13.3 -> 13
        {7, {13, 11, 17, 13, 18.384776311, 41, 27, 36.9, 21, 19.104973175, 13, 14, 54, 20, 53, 12}},
    };
    for (const auto& r : rows) {
        SetToleranceGear(r.A);
        CalcIsoTolerances(1);
        ExpectTolerances(r.e, 1e-8, "ISO class " + std::to_string(r.A));
    }
    EXPECT_EQ(error0.ErrorCount, 0) << Messages();
}

TEST_F(Tolerances, IsoRoundingBySize)
{
    // class 5, profile slope 0.001 d + 0.4 mn + 4
    struct Row {
        Extended mn, d;
        double expected;
        const char* why;
    } rows[] = {
        {2, 160, 5.0, "4.96 to a tenth"},
        {8, 100, 7.5, "7.3 to a half"},
        {20, 600, 13, "12.6 to a whole"},
    };
    for (const auto& r : rows) {
        SetToleranceGear(5);
        GearPair.mn = r.mn;
        GearPair.d[1] = r.d;
        CalcIsoTolerances(1);
        EXPECT_NEAR(static_cast<double>(GearPair.fHalphaT[1]), r.expected, 1e-12) << r.why;
    }
}

TEST_F(Tolerances, IsoValidityRanges)
{
    struct Row {
        int z;
        Extended mn;
        bool hide;
        const char* expected[4];
        const char* why;
    } rows[] = {
        {5, 1, false, {}, "z 5, d 5, mn 1: every limit belongs to the range"},
        {4, 1.25L, false, {"Warning: Fr: (5<=z<=1000)", "Warning: fis: (5<=z<=400)"}, "z 4"},
        {500, 6, false, {"Warning: fis: (5<=z<=400)", "Warning: fis: (5<=d<=2500)"}, "z 500"},
        {1000,
         15,
         false,
         {"Warning: fis: (5<=z<=400)", "Warning: fis: (5<=d<=2500)"},
         "z 1000, d 15000: the limits of the run-out belong to its range"},
        {1001,
         20,
         false,
         {"Warning: Fr: (5<=z<=1000)", "Warning: Fr: (5<=d<=15000)", "Warning: fis: (5<=z<=400)",
          "Warning: fis: (5<=d<=2500)"},
         "z 1001, d 20020"},
        {20, 0.8L, false, {"Warning: fis: (1<=mn<=50)"}, "mn 0.8"},
        {10,
         0.4L,
         false,
         {"Warning: Fr: (5<=d<=15000)", "Warning: Fr: (0.5<=mn<=70)", "Warning: fis: (5<=d<=2500)",
          "Warning: fis: (1<=mn<=50)"},
         "mn 0.4, d 4"},
        {10, 0.4L, true, {}, "hidden"},
    };
    for (const auto& r : rows) {
        ResetFoundationState();
        auto& g = GearPair;
        g.mn = r.mn;
        g.z[1] = r.z;
        g.d[1] = r.z * r.mn;
        g.b[1] = 10;
        g.FlankToleranceClass[1] = 6;
        wtelmvar.HideWarnings = r.hide;
        CalcIsoTolerances(1);
        int expectedCount = 0;
        for (const char* text : r.expected) {
            if (text == nullptr) continue;
            ++expectedCount;
            EXPECT_TRUE(HasMessage(text)) << r.why << ": " << text << " | " << Messages();
        }
        EXPECT_EQ(error0.ErrorCount, expectedCount) << r.why << ": " << Messages();
    }
}

TEST_F(Tolerances, InternalGearTolerancesUseTheMagnitudes)
{
    SetToleranceGear(6);
    GearPair.z[1] = -40;
    GearPair.d[1] = -120;
    CalcIsoTolerances(1);
    EXPECT_EQ(GearPair.fpT[1], 9);
    EXPECT_EQ(GearPair.FpT[1], 29);
    EXPECT_EQ(error0.ErrorCount, 0) << Messages();
    CalcDinTolerances(1);
    EXPECT_NEAR(static_cast<double>(GearPair.FpT[1]), 29.557027, 2e-6);
}

TEST_F(Tolerances, StandardChosenByTheSetting)
{
    SetMeasuringPair();
    auto& g = GearPair;
    g.FlankToleranceClass[1] = g.FlankToleranceClass[2] = 6;
    g.ToleranceStandard = 1;
    CalcGeometry();
    // ISO, m 1, d 30: fp (0.03 + 0.4 + 5) sqrt 2 = 7.68 -> 7.5
    EXPECT_EQ(g.fpT[1], 7.5L);
    // helix slope of class 5 for gear 1: 0.05 sqrt 30 + 0.35 sqrt 20 + 4 = 5.84 -> 6
    EXPECT_EQ(g.fHbeta5, 6);
    g.ToleranceStandard = 0;
    CalcGeometry();
    // DIN: (4 + 0.315 (1 + 0.25 sqrt 30)) 1.4
    EXPECT_NEAR(static_cast<double>(g.fpT[1]), (4 + 0.315 * (1 + 0.25 * std::sqrt(30.0))) * 1.4, 1e-9);
    EXPECT_NEAR(static_cast<double>(g.fHbeta5), 4.16 * std::pow(20.0, 0.14), 1e-9);
}

} // namespace
