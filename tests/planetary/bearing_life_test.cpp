// Life of the planet bearings. Expected values are hand calculations of the
// ISO 281 formulas (noted beside each case), never the routine's own output.
#include "common/testmessages.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "planetary/bearings/bearinglife.h"
#include "planetary/bearings/planetbearing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace
{

double Dbl(Extended v)
{
    return static_cast<double>(v);
}

bool HasMessageStarting(const std::string& text)
{
    for (int k = 1; k <= error0.ErrorCount; ++k)
        if (error0.ErrorTexts[k].rfind(text, 0) == 0) return true;
    return false;
}

class BearingLife : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        InitPlanetBearings();
        telmvar.DbfDir = QYR7_DATA_DIR;
    }
    // A bearing with entered factors X 1, Y 0: P is the radial load.
    WaelzLagerTyp& Ball(int n, const char* designation, Extended C, Extended C0)
    {
        auto& b = PlanetBearings[n];
        b.BearingType = 1;
        b.Designation = designation;
        b.d = 25;
        b.D = 52;
        b.B = 15;
        b.C = C;
        b.C0 = C0;
        b.XYTableChoice = 1;
        b.X = 1;
        b.Y = 0;
        b.nPerm = 100000;
        b.FrMin = 1000000;
        return b;
    }
};

// ISO 281 example worked by hand: C 45 kN, P 8.5 kN, 1500 1/min.
// L10 = (45/8.5)^3 = 148.38 10^6 rev; L10h = 148.38e6 / (1500 * 60) = 1648.7 h.
TEST_F(BearingLife, BasicRatingLifeOfABallBearing)
{
    Ball(1, "6309", 45000, 30000);
    CalcBearingLife(1, 2, 0, 8500, 0, 1500);
    const auto& b = PlanetBearings[1];
    EXPECT_NEAR(Dbl(b.P), 8500, 1e-9);
    EXPECT_NEAR(Dbl(b.L10), 148.4, 0.05);
    EXPECT_NEAR(Dbl(LifeInHours(b.L10, 1500)), 1649, 0.5);
    EXPECT_NEAR(Dbl(b.CRatio), 45.0 / 8.5, 1e-12);
    EXPECT_FALSE(telmvar.FatalCalcError);
    EXPECT_FALSE(telmvar.Aborted);
}

// Roller bearings take the exponent 10/3: (30000/6000)^(10/3) = 5^(10/3) = 213.7.
TEST_F(BearingLife, RollerBearingExponent)
{
    auto& b = PlanetBearings[2];
    b.BearingType = 3;
    b.Designation = "HK 2520";
    b.d = 25;
    b.D = 32;
    b.C = 30000;
    b.C0 = 40000;
    b.nPerm = 10000;
    CalcBearingLife(2, 2, 0, 6000, 0, 1000);
    EXPECT_NEAR(Dbl(b.L10), std::pow(5.0, 10.0 / 3.0), 1e-9);
    EXPECT_NEAR(Dbl(b.L10), 213.7, 0.05);
    EXPECT_NEAR(Dbl(b.Frm), 0.02 * 30000, 1e-9);
    EXPECT_NEAR(Dbl(b.s0), 40000.0 / 6000, 1e-12);
}

TEST_F(BearingLife, LifeInHoursAtStandstillIsZero)
{
    EXPECT_EQ(LifeInHours(100, 0), 0.0L);
    EXPECT_NEAR(Dbl(LifeInHours(1, -1000)), 1e6 / 1000 / 60, 1e-9);
}

struct KrCase {
    int type;
    const char* designation;
    double d;
    double kr;
};

TEST_F(BearingLife, MinimumLoadFactorByDesignation)
{
    const KrCase cases[] = {
        {1, "6205", 25, 25},     {1, "6305", 25, 30},     {1, "61805", 25, 15},   {1, "16005", 25, 20},
        {1, "6405", 25, 35},     {1, "4205", 25, 50},     {1, "4305", 25, 60},    {1, "61905", 25, 20},
        {1, "6005", 25, 25},     {1, "16101", 12, 25},    {1, "NX 5", 25, 0},     {2, "2205", 25, 40},
        {2, "1305", 25, 45},     {2, "1405", 25, 30},     {2, "1205", 25, 40},    {2, "2305", 25, 50},
        {2, "105", 25, 0},       {8, "7205 BE", 25, 95},  {8, "7205 B", 25, 80},  {8, "7305 BE", 25, 100},
        {8, "7305 B", 25, 90},   {8, "7005", 25, 90},     {9, "3205", 25, 60},    {9, "3212", 60, 80},
        {9, "3305", 25, 70},     {9, "3310", 50, 95},     {9, "5205", 25, 60},    {5, "NU 2210 EC", 50, 200},
        {5, "NU 2310", 50, 250}, {5, "NU 1010", 50, 100}, {5, "NU 205", 25, 150}, {5, "NU 210", 50, 100},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Dbl(MinimumLoadFactor(c.type, c.designation, c.d)), c.kr) << c.type << " " << c.designation;
}

// Frm = kr (nu n / 1000)^(2/3) (dm / 100)^2 with kr 25 for a 6205, the oil at
// 40 °C (nu = nu40 = 100), n = 1000, dm = 38.5:
// 25 * 100^(2/3) * 0.385^2 = 25 * 21.544 * 0.148225 = 79.83 N.
TEST_F(BearingLife, MinimumLoadOfAGrooveBallBearing)
{
    auto& b = Ball(1, "6205", 14000, 7800);
    b.nu40 = 100;
    b.Temperature = 40;
    CalcBearingLife(1, 2, 0, 1000, 0, 1000);
    EXPECT_NEAR(Dbl(b.Frm), 25 * std::pow(100.0, 2.0 / 3) * 0.385 * 0.385, 1e-6);
    EXPECT_NEAR(Dbl(b.Frm), 79.83, 0.01);
    // 6205 contains neither "60", "61", "68" nor "69": half the static rating.
    EXPECT_NEAR(Dbl(b.FaPerm), 3900, 1e-9);
}

TEST_F(BearingLife, GrooveBallPermissibleAxialLoadOfNarrowSeries)
{
    auto& b = Ball(1, "6005", 11200, 6550);
    CalcBearingLife(1, 2, 0, 1000, 0, 1000);
    EXPECT_NEAR(Dbl(b.FaPerm), 0.25 * 6550, 1e-9);
    auto& s = Ball(2, "6201", 7000, 3100);
    s.d = 10;
    CalcBearingLife(2, 2, 0, 1000, 0, 1000);
    EXPECT_NEAR(Dbl(s.FaPerm), 0.25 * 3100, 1e-9) << "a bore of 10 or less";
}

// Static load of a groove ball bearing: the largest of 0.6 Fr + 0.5 Fa, Fa, Fr.
TEST_F(BearingLife, GrooveBallStaticLoad)
{
    struct {
        double Fr, Fa, P0;
    } const cases[] = {{1000, 0, 1000}, {1000, 500, 1000}, {1000, 1000, 1100}, {100, 1000, 1000}};
    for (const auto& c : cases) {
        Ball(1, "6205", 14000, 7800);
        CalcBearingLife(1, 2, 0, c.Fr, c.Fa, 1000);
        EXPECT_NEAR(Dbl(PlanetBearings[1].P0), c.P0, 1e-9) << c.Fr << " " << c.Fa;
    }
}

// Weight of a groove ball bearing: 7.85 B pi/4 [(D² - D1²) + (d1² - d²) +
// 0.2 (D1² - d1²)] / 1e6 with D 52, D1 44.8, d 25, d1 31.6, B 15:
// D² - D1² = 2704 - 2007.04 = 696.96; d1² - d² = 998.56 - 625 = 373.56;
// 0.2 (2007.04 - 998.56) = 201.696; sum 1272.216;
// 1272.216 * 15 * 0.785398 * 7.85 / 1e6 = 0.11765 kg.
TEST_F(BearingLife, WeightOfAGrooveBallBearing)
{
    auto& b = Ball(1, "6205", 14000, 7800);
    b.D1 = 44.8L;
    b.d1 = 31.6L;
    CalcBearingLife(1, 2, 0, 1000, 0, 1000);
    EXPECT_NEAR(Dbl(b.Weight), 0.11765, 0.00001);
}

TEST_F(BearingLife, CylindricalRollerNU2210ECRules)
{
    auto& b = PlanetBearings[1];
    b.BearingType = 5;
    b.Designation = "NU 2210 EC";
    b.d = 50;
    b.D = 90;
    b.B = 23;
    b.C = 90000;
    b.C0 = 88000;
    b.nPerm = 8000;
    CalcBearingLife(1, 2, 0, 5000, 2000, 1000);
    EXPECT_NEAR(Dbl(b.e), 0.3, 1e-12);
    EXPECT_NEAR(Dbl(b.Y), 0.4, 1e-12);
    // Fa/Fr = 0.4 > e: P = 0.92 * 5000 + 0.4 * 2000 = 5400.
    EXPECT_NEAR(Dbl(b.P), 5400, 1e-9);
    // kr 200: Frm = 200 (6 + 4 * 1000 / 8000) (70/100)^2 = 200 * 6.5 * 0.49 = 637.
    EXPECT_NEAR(Dbl(b.Frm), 637, 1e-9);
    EXPECT_EQ(b.FaPerm, 0.0L) << "no NUP, no NJ: no axial load";
}

TEST_F(BearingLife, CylindricalRollerNJRules)
{
    auto& b = PlanetBearings[1];
    b.BearingType = 5;
    b.d = 50;
    b.D = 90;
    b.C = 90000;
    b.C0 = 88000;
    b.nPerm = 8000;
    // EC: f1 1.5, f2 0.15: 1.5 * 88000 * 10000 / (1000 * 140) - 0.15 * 5000
    // = 9428.57 - 750 = 8678.57.
    b.Designation = "NJ 2210 EC";
    CalcBearingLife(1, 2, 0, 5000, 0, 1000);
    EXPECT_NEAR(Dbl(b.FaPerm), 8678.571428571, 1e-6);
    // Fa/Fr = 0 <= e 0.3: P = Fr.
    EXPECT_NEAR(Dbl(b.P), 5000, 1e-9);
    // Without EC: f1 0.5, f2 0.05: 3142.857 - 250 = 2892.857; e 0.2 (no 22/23).
    b.Designation = "NJ 210";
    CalcBearingLife(1, 2, 0, 5000, 0, 1000);
    EXPECT_NEAR(Dbl(b.FaPerm), 2892.857142857, 1e-6);
    EXPECT_NEAR(Dbl(b.e), 0.2, 1e-12);
    b.Designation = "NUP 210";
    CalcBearingLife(1, 2, 0, 5000, 0, 1000);
    EXPECT_NEAR(Dbl(b.FaPerm), 2892.857142857, 1e-6);
}

TEST_F(BearingLife, ReliabilityTable)
{
    const double a1[] = {1.0,  0.64, 0.55, 0.47,  0.37,  0.25, 0.22,
                         0.19, 0.16, 0.12, 0.093, 0.087, 0.08, 0.077};
    for (int k = 1; k <= 14; ++k) {
        EXPECT_NEAR(Dbl(ReliabilityFactors[k]), a1[k - 1], 1e-15) << k;
        auto& b = Ball(1, "6309", 45000, 30000);
        b.LifeFactorMode = 2;
        b.a23 = 1.5L;
        b.ReliabilityIndex = k;
        CalcBearingLife(1, 2, 0, 9000, 0, 1500);
        // L10 = 5^3 = 125; Lna = 125 * a1 * 1.5.
        EXPECT_NEAR(Dbl(b.Lna), 125 * a1[k - 1] * 1.5, 1e-9) << k;
    }
}

// Walther: at 40 °C the operating viscosity is the nominal one; ISO VG 68 at
// 100 °C: W = lg lg 68.8 - 3.726 (lg 373.15 - lg 313.15) = -0.01941,
// nu = 10^10^W - 0.8 = 8.24.
TEST_F(BearingLife, ViscosityAtTemperature)
{
    EXPECT_NEAR(Dbl(ViscosityAtTemperature(68, 40)), 68, 1e-9);
    EXPECT_NEAR(Dbl(ViscosityAtTemperature(220, 40)), 220, 1e-9);
    EXPECT_NEAR(Dbl(ViscosityAtTemperature(68, 100)), 8.2423, 0.0005);
    EXPECT_NEAR(Dbl(ViscosityAtTemperature(100, 70)), 25.79, 0.005);
}

// nu1 = 4500 n^-0.5 dm^-0.5 from 1000 1/min on, 45000 n^-0.83 dm^-0.5 below.
TEST_F(BearingLife, ReferenceViscosity)
{
    EXPECT_NEAR(Dbl(visko1(1500, 50)), 16.4317, 0.0001);
    EXPECT_NEAR(Dbl(visko1(-1500, 50)), 16.4317, 0.0001);
    EXPECT_NEAR(Dbl(visko1(500, 100)), 25.8861, 0.0001);
    EXPECT_EQ(visko1(0, 50), 1000000.0L);
}

TEST_F(BearingLife, A23FromKappa)
{
    EXPECT_NEAR(Dbl(A23FromKappa(0.05L)), 0.066138, 1e-6);
    EXPECT_NEAR(Dbl(A23FromKappa(0.5L)), 0.297302, 1e-6);
    EXPECT_NEAR(Dbl(A23FromKappa(2)), 1.580083, 1e-6);
    EXPECT_EQ(A23FromKappa(4), 2.5L);
    EXPECT_EQ(A23FromKappa(10), 2.5L);
}

TEST_F(BearingLife, ContaminationFactorTable)
{
    const double small[] = {1.0, 0.7, 0.55, 0.4, 0.2, 0.05, 0};
    const double large[] = {1.0, 0.85, 0.7, 0.5, 0.3, 0.05, 0};
    for (int c = 1; c <= 7; ++c) {
        EXPECT_NEAR(Dbl(ContaminationFactor(c, 99.9L)), small[c - 1], 1e-15) << c;
        EXPECT_NEAR(Dbl(ContaminationFactor(c, 100)), large[c - 1], 1e-15) << c;
    }
    EXPECT_EQ(ContaminationFactor(8, 50), 0.0L);
    EXPECT_EQ(ContaminationFactor(0, 50), 0.0L);
}

// aISO by hand, ball, kappa 1, eC 0.5, Cu 1000, P 5000: q = 0.1,
// [1 - (2.5671 - 1.9987)^0.83 0.1^(1/3)]^-9.3 = 0.70958^-9.3 = 24.31, * 0.1.
TEST_F(BearingLife, LifeModificationFactor)
{
    EXPECT_NEAR(Dbl(CalcAIsoBall(1, 0.5L, 1000, 5000)), 2.43052, 1e-4);
    EXPECT_NEAR(Dbl(CalcAIsoBall(0.25L, 0.5L, 1000, 5000)), 0.222818, 1e-5);
    EXPECT_NEAR(Dbl(CalcAIsoRoller(2, 0.5L, 1000, 5000)), 0.516097, 1e-5);
    EXPECT_EQ(CalcAIsoBall(0.09L, 0.5L, 1000, 5000), 0.0L) << "below kappa 0.1";
    EXPECT_NEAR(Dbl(CalcAIsoBall(10, 0.5L, 1000, 5000)), Dbl(CalcAIsoBall(4, 0.5L, 1000, 5000)), 1e-15);
    EXPECT_NEAR(Dbl(CalcAIsoBall(1, 0, 1000, 5000)), 0.1, 1e-15) << "no fatigue limit term";
}

TEST_F(BearingLife, LifeModificationFactorNeverExceeds50)
{
    for (double q : {0.5, 1.0, 1.5, 1.9, 2.0, 2.1, 3.0, 10.0, 100.0}) {
        const Extended ball = CalcAIsoBall(4, 1, q * 1000, 1000);
        const Extended roller = CalcAIsoRoller(4, 1, q * 1000, 1000);
        EXPECT_LE(ball, 50.0L) << q;
        EXPECT_LE(roller, 50.0L) << q;
    }
    // Beyond the fatigue limit the life is unlimited: the cap, not a value
    // near zero from a negative bracket taken by magnitude.
    EXPECT_EQ(CalcAIsoBall(4, 1, 10000, 1000), 50.0L);
    EXPECT_EQ(CalcAIsoRoller(4, 1, 10000, 1000), 50.0L);
    EXPECT_EQ(CalcAIsoBall(1, 1, 100000, 1000), 50.0L);
}

// EP additives, kappa 0.5, eC 0.3 (entered): aISO is taken at kappa 1 and,
// above 3, reduced to the larger of 3 and aISO at kappa 0.5. With Cu 3000
// and P 5000 (q = 0.18): aISO(1) = 5.76, aISO(0.5) = 0.79, so aISO = 3.
TEST_F(BearingLife, EPAdditivesRaiseKappaAndLimitAIso)
{
    auto& b = Ball(1, "6309", 45000, 30000);
    const Extended speed = 1500;
    const Extended dm = (b.D + b.d) / 2;
    b.Temperature = 40;
    b.nu40 = 0.5L * visko1(speed, dm);
    b.LifeFactorMode = 3;
    b.ContaminationClass = 8;
    b.eC = 0.3L;
    b.Cu = 3000;
    b.EPAdditives = true;
    CalcBearingLife(1, 2, 0, 5000, 0, speed);
    EXPECT_NEAR(Dbl(b.kappa), 1.0, 1e-12);
    EXPECT_NEAR(Dbl(b.aISO), 3.0, 1e-12);
    EXPECT_NEAR(Dbl(b.Lna), Dbl(b.L10) * 3, 1e-9);
    // Without EP the kappa of the oil stands: aISO(0.5) = 0.7929.
    b.EPAdditives = false;
    CalcBearingLife(1, 2, 0, 5000, 0, speed);
    EXPECT_NEAR(Dbl(b.kappa), 0.5, 1e-9);
    EXPECT_NEAR(Dbl(b.aISO), 0.79285, 1e-4);
    // eC 0.1 is too dirty for the EP rule: kappa stays.
    b.EPAdditives = true;
    b.eC = 0.1L;
    CalcBearingLife(1, 2, 0, 5000, 0, speed);
    EXPECT_NEAR(Dbl(b.kappa), 0.5, 1e-9);
}

TEST_F(BearingLife, LowKappaRaisedOnlyInTheAIsoModes)
{
    auto& b = Ball(1, "6309", 45000, 30000);
    const Extended speed = 1500;
    b.Temperature = 40;
    b.nu40 = 0.05L * visko1(speed, (b.D + b.d) / 2);
    b.LifeFactorMode = 3;
    b.EPAdditives = false; // else a clean oil's kappa would be raised to 1
    CalcBearingLife(1, 2, 0, 5000, 0, speed);
    EXPECT_NEAR(Dbl(b.kappa), 0.1, 1e-12);
    EXPECT_TRUE(HasMessage("Warning: kappa < 0.1 (visko)"));

    ResetErrorState();
    b.LifeFactorMode = 1;
    CalcBearingLife(1, 2, 0, 5000, 0, speed);
    EXPECT_NEAR(Dbl(b.kappa), 0.05, 1e-9);
    EXPECT_NEAR(Dbl(b.a23), 0.066138, 1e-5);
    EXPECT_FALSE(HasMessage("Warning: kappa < 0.1 (visko)"));
}

// The aISO modes are 3 (calculated) and 4 (entered), as the operation data
// dialog numbers them: both take the contamination level's eC and limit
// kappa; the a23 modes 1 and 2 touch neither.
TEST_F(BearingLife, ContaminationBlockRunsForTheAIsoModes)
{
    struct {
        int mode;
        bool eCFromLevel;
    } const cases[] = {{1, false}, {2, false}, {3, true}, {4, true}};
    for (const auto& c : cases) {
        auto& b = Ball(1, "6309", 45000, 30000);
        b.LifeFactorMode = c.mode;
        b.ContaminationClass = 3;
        b.eC = 0.123L;
        b.aISO = 2.0L;
        b.a23 = 1.5L;
        b.Cu = 1000;
        b.Temperature = 40;
        b.nu40 = 10 * visko1(1500, (b.D + b.d) / 2);
        CalcBearingLife(1, 2, 0, 5000, 0, 1500);
        EXPECT_NEAR(Dbl(b.eC), c.eCFromLevel ? 0.55 : 0.123, 1e-12) << c.mode;
        EXPECT_NEAR(Dbl(b.kappa), c.eCFromLevel ? 4.0 : 10.0, 1e-9) << c.mode;
    }
    // Mode 4 keeps the entered aISO and applies it.
    auto& b = PlanetBearings[1];
    EXPECT_NEAR(Dbl(b.aISO), 2.0, 1e-15);
    EXPECT_NEAR(Dbl(b.Lna), Dbl(b.L10) * 2.0, 1e-9);
}

TEST_F(BearingLife, UnknownLifeFactorMode)
{
    auto& b = Ball(1, "6309", 45000, 30000);
    b.LifeFactorMode = 7;
    CalcBearingLife(1, 2, 0, 5000, 0, 1500);
    EXPECT_TRUE(HasMessage("Error  : a23 mode"));
}

TEST_F(BearingLife, RecordWithoutDesignationIsLeftUntouched)
{
    auto& b = PlanetBearings[1];
    b.Weight = 1.25L;
    b.d = 25;
    b.D = 52;
    b.C = 14000;
    const WaelzLagerTyp before = b;
    CalcBearingLife(1, 2, 0, 5000, 100, 1500);
    EXPECT_TRUE(PlanetBearings[1] == before);
    EXPECT_EQ(error0.ErrorCount, 0);
}

TEST_F(BearingLife, UndefinedBearingAndMissingViscosityAbort)
{
    auto& b = Ball(1, "6309", 45000, 30000);
    b.D = 0;
    CalcBearingLife(1, 2, 0, 5000, 0, 1500);
    EXPECT_TRUE(HasMessage("Fatal  : rolling bearing undefined !"));
    EXPECT_TRUE(telmvar.Aborted);

    ResetErrorState();
    b.D = 100;
    b.nu40 = 0;
    CalcBearingLife(1, 2, 0, 5000, 0, 1500);
    EXPECT_TRUE(HasMessage("Fatal  : viscosity rolling bearing 1 !"));
    EXPECT_TRUE(telmvar.Aborted);
}

// No window inside a calculation: a load of zero is a message in the
// collector and a fatal calculation error, so a batch run never waits.
TEST_F(BearingLife, NoLoadIsAMessageNotAWindow)
{
    auto& b = Ball(2, "6309", 45000, 30000);
    b.X = 0;
    b.Y = 0;
    b.L10 = 77;
    CalcBearingLife(2, 2, 0, 5000, 0, 1500);
    EXPECT_TRUE(HasMessage("no load defined !"));
    EXPECT_TRUE(telmvar.FatalCalcError);
    EXPECT_EQ(b.L10, 77.0L) << "the life of an early return stays";
}

TEST_F(BearingLife, ChecksAndHideWarnings)
{
    auto& b = Ball(1, "6205", 14000, 7800);
    b.nPerm = 1000;
    b.FrMin = 10;
    b.Temperature = 130;
    b.nu40 = 220;
    b.LifeFactorMode = 3;
    b.Cu = 0;
    CalcBearingLife(1, 2, 0, 1000, 5000, 1500);
    EXPECT_TRUE(HasMessage("permissible speed bearing 1 !"));
    EXPECT_TRUE(HasMessageStarting("minimum load bearing 1 ! ("));
    EXPECT_TRUE(HasMessage("perm.Axial Load bearing 1 !"));
    EXPECT_TRUE(HasMessage("Warning: temperature 1 !"));
    EXPECT_TRUE(HasMessage("Warning: CU = 0 ! (bearing 1)"));

    ResetErrorState();
    wtelmvar.HideWarnings = true;
    CalcBearingLife(1, 2, 0, 1000, 5000, 1500);
    EXPECT_TRUE(HasMessage("permissible speed bearing 1 !"));
    EXPECT_TRUE(HasMessageStarting("minimum load bearing 1 ! ("));
    EXPECT_TRUE(HasMessage("Warning: CU = 0 ! (bearing 1)"));
    EXPECT_FALSE(HasMessage("perm.Axial Load bearing 1 !"));
    EXPECT_FALSE(HasMessage("Warning: temperature 1 !"));
}

TEST_F(BearingLife, MinimumLoadMessageShowsBothLoads)
{
    auto& b = PlanetBearings[1];
    b.BearingType = 3;
    b.Designation = "HK 2520";
    b.d = 25;
    b.D = 32;
    b.C = 30000;
    b.C0 = 40000;
    b.nPerm = 10000;
    b.FrMin = 250;
    CalcBearingLife(1, 2, 0, 6000, 0, 1000);
    // Frm = 0.02 C = 600.
    EXPECT_TRUE(HasMessage("minimum load bearing 1 ! (600>250)")) << error0.ErrorTexts[1];
}

// nPerm 0 (no speed limit in the row) and standstill must not divide by zero.
TEST_F(BearingLife, NoSpeedLimitAndStandstillStayFinite)
{
    auto& b = PlanetBearings[1];
    b.BearingType = 5;
    b.Designation = "NJ 2210 EC";
    b.d = 50;
    b.D = 90;
    b.C = 90000;
    b.C0 = 88000;
    b.nPerm = 0;
    CalcBearingLife(1, 2, 0, 5000, 1000, 1000);
    // Frm = 200 * 6 * 0.49 = 588 without the speed term.
    EXPECT_NEAR(Dbl(b.Frm), 588, 1e-9);
    EXPECT_TRUE(std::isfinite(Dbl(b.FaPerm)));
    CalcBearingLife(1, 2, 0, 5000, 1000, 0);
    EXPECT_TRUE(std::isfinite(Dbl(b.FaPerm)));
    EXPECT_EQ(b.FaPerm, 0.0L);
    EXPECT_TRUE(HasMessage("perm.Axial Load bearing 1 !"));
    EXPECT_TRUE(std::isfinite(Dbl(b.L10)));
    EXPECT_TRUE(std::isfinite(Dbl(b.kappa)));
    // A ball bearing at standstill: no minimum load.
    auto& g = Ball(2, "6205", 14000, 7800);
    CalcBearingLife(2, 2, 0, 1000, 0, 0);
    EXPECT_EQ(g.Frm, 0.0L);
    EXPECT_TRUE(std::isfinite(Dbl(g.Lna)));
}

// Angular contact ball bearing (1): single and paired formulas.
TEST_F(BearingLife, AngularContactSingleAndPair)
{
    auto& b = PlanetBearings[1];
    b.BearingType = 8;
    b.Designation = "7205 BE";
    b.d = 25;
    b.D = 52;
    b.C = 15600;
    b.C0 = 10000;
    b.nPerm = 100000;
    // Fa/Fr = 2 > 1.14: single P = 0.35 * 1000 + 0.57 * 2000 = 1490,
    // P0 = max(0.5 * 1000 + 0.26 * 2000, 1000) = 1020.
    CalcBearingLife(1, 2, 0, 1000, 2000, 1000);
    EXPECT_NEAR(Dbl(b.P), 1490, 1e-9);
    EXPECT_NEAR(Dbl(b.P0), 1020, 1e-9);
    // Pair: P = 0.57 * 1000 + 0.93 * 2000 = 2430; P0 = 1000 + 0.52 * 2000 = 2040.
    CalcBearingLife(1, 3, 2, 1000, 2000, 1000);
    EXPECT_NEAR(Dbl(b.P), 2430, 1e-9);
    EXPECT_NEAR(Dbl(b.P0), 2040, 1e-9);
    // PairMode 3 with Config 0 is the single case.
    CalcBearingLife(1, 3, 0, 1000, 2000, 1000);
    EXPECT_NEAR(Dbl(b.P), 1490, 1e-9);
    // Fa/Fr = 0.5: pair P = 1000 + 0.55 * 500 = 1275.
    CalcBearingLife(1, 3, 1, 1000, 500, 1000);
    EXPECT_NEAR(Dbl(b.P), 1275, 1e-9);
}

TEST_F(BearingLife, DoubleRowAngularContactByContactAngle)
{
    auto& b = PlanetBearings[1];
    b.BearingType = 9;
    b.Designation = "3205";
    b.d = 25;
    b.D = 52;
    b.C = 21600;
    b.C0 = 15000;
    b.nPerm = 100000;
    struct {
        double alpha, Fa, P, P0;
    } const cases[] = {
        {25, 500, 1000 + 0.92 * 500, 1000 + 0.76 * 500},    {25, 1000, 670 + 1410, 1000 + 760},
        {35, 900, 1000 + 0.66 * 900, 1000 + 0.58 * 900},    {35, 1000, 600 + 1070, 1580},
        {45, 1300, 1000 + 0.47 * 1300, 1000 + 0.58 * 1300}, {45, 1400, 540 + 0.81 * 1400, 1000 + 0.58 * 1400},
    };
    for (const auto& c : cases) {
        b.alpha = c.alpha;
        CalcBearingLife(1, 2, 0, 1000, c.Fa, 1000);
        EXPECT_NEAR(Dbl(b.P), c.P, 1e-9) << c.alpha << " " << c.Fa;
        EXPECT_NEAR(Dbl(b.P0), c.P0, 1e-9) << c.alpha << " " << c.Fa;
    }
    b.alpha = 30;
    CalcBearingLife(1, 2, 0, 1000, 500, 1000);
    EXPECT_NEAR(Dbl(b.P), 1500, 1e-9);
    EXPECT_TRUE(HasMessage("Error  : schrku2: ALPHA=25,35,45!"));
}

TEST_F(BearingLife, SelfAligningAndTaperRollerLoads)
{
    auto& b = PlanetBearings[1];
    b.Designation = "x";
    b.d = 25;
    b.D = 52;
    b.B = 18;
    b.C = 20000;
    b.C0 = 15000;
    b.nPerm = 100000;
    b.e = 0.3L;
    b.Y = 1.6L;
    b.Y0 = 0.9L;
    b.Y1 = 2.1L;
    b.Y2 = 3.2L;
    struct {
        int type;
        double Fa, P, P0, FaPerm;
    } const cases[] = {
        // Self-aligning ball: Fa/Fr 0.2 <= e: Fr + Y1 Fa; 0.5 > e: 0.65 Fr + Y2 Fa.
        {2, 200, 1000 + 2.1 * 200, 1000 + 0.9 * 200, 3 * 18 * 25},
        {2, 500, 650 + 3.2 * 500, 1000 + 0.9 * 500, 3 * 18 * 25},
        // Taper roller: Fa/Fr >= e: 0.4 Fr + Y Fa; P0 at least Fr.
        {6, 300, 400 + 1.6 * 300, 1000, 20000},
        {6, 200, 1000, 1000, 20000},
        {6, 2000, 400 + 1.6 * 2000, 500 + 0.9 * 2000, 20000},
        // Self-aligning roller: Fa/Fr >= e: 0.67 Fr + Y2 Fa, else Fr + Y1 Fa.
        {7, 300, 670 + 3.2 * 300, 1000 + 0.9 * 300, 3 * 18 * 25},
        {7, 200, 1000 + 2.1 * 200, 1000 + 0.9 * 200, 3 * 18 * 25},
    };
    for (const auto& c : cases) {
        b.BearingType = c.type;
        CalcBearingLife(1, 2, 0, 1000, c.Fa, 1000);
        EXPECT_NEAR(Dbl(b.P), c.P, 1e-9) << c.type << " " << c.Fa;
        EXPECT_NEAR(Dbl(b.P0), c.P0, 1e-9) << c.type << " " << c.Fa;
        EXPECT_NEAR(Dbl(b.FaPerm), c.FaPerm, 1e-9) << c.type << " " << c.Fa;
    }
}

// Fr 0 counts as 0.00001 N: a groove ball bearing under pure axial load
// takes the factors for a large Fa/Fr from its table (normal clearance,
// Fa/C0 = 780/7800 = 0.1 between rows 0.084 and 0.11).
TEST_F(BearingLife, PureAxialLoadUsesTheFactorTable)
{
    auto& b = Ball(1, "6205", 14000, 7800);
    b.XYTableChoice = 2;
    CalcBearingLife(1, 2, 0, 0, 780, 1000);
    EXPECT_NEAR(Dbl(b.X), 0.56, 1e-12);
    // Y between 1.55 (0.084) and 1.45 (0.11): 1.55 - 0.1 * 0.016 / 0.026.
    EXPECT_NEAR(Dbl(b.Y), 1.55 - 0.1 * 0.016 / 0.026, 1e-9);
    EXPECT_NEAR(Dbl(b.P), 0.56 * 0.00001 + Dbl(b.Y) * 780, 1e-6);
}

TEST_F(BearingLife, MissingFactorTableStopsWithoutALife)
{
    auto& b = Ball(1, "6205", 14000, 7800);
    b.XYTableChoice = 2;
    b.L10 = 42;
    telmvar.DbfDir = "/nonexistent-qyr7-dir";
    CalcBearingLife(1, 2, 0, 1000, 500, 1000);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_TRUE(HasMessageStarting("file /nonexistent-qyr7-dir"));
    EXPECT_EQ(b.L10, 42.0L);
}

} // namespace
