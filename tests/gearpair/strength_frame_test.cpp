// Load capacity of whole gear pairs: the frame, the DIN 3990 and ISO 6336
// methods, entered factors, effective face widths and the limit torque search.
// Checked values come from hand calculation of the standards' formulas and
// from a published helical reference pair.

#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/calcgearpair.h"
#include "gearpair/strength/calcstrength.h"
#include "gearpair/strength/facewidth.h"
#include "gearpair/strength/limitload.h"
#include "gearpair/strength/strengthfactors.h"

#include "common/statereset.h"
#include "common/testmessages.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

namespace
{

constexpr Extended PiL = 3.141592653589793238462643383279502884L;
Extended Deg(Extended d)
{
    return d * PiL / 180;
}

class StrengthFrame : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        // A test starts over by running SetUp again.
        ResetProgramState();
        SetGearDefaults();
        InitGearPairData();
    }

    // A pair cut with the standard basic rack (dedendum 1.25 mn, fillet
    // 0.38 mn), no allowances and tips without reduction.
    static void LoadPair(Extended mn, int z1, int z2, Extended x1, Extended x2, Extended beta, Extended a,
                         Extended b)
    {
        auto& g = GearPair;
        g.mn = mn;
        g.z[1] = z1;
        g.z[2] = z2;
        g.x[1] = x1;
        g.x[2] = x2;
        g.alpha = 20;
        g.beta = beta;
        g.a = a;
        g.b_effH = b;
        g.b[1] = g.b[2] = b;
        for (int i = 1; i <= 2; ++i) {
            g.TsnSeries[i] = 11;
            g.Asne[i] = g.Asni[i] = 0;
            g.ToolProfileNo[i] = 2;
            g.DimensionInputMode[i] = 2;
            g.kmn[i] = 0;
            g.da[i] = 0;
        }
        g.AaField = 9;
        g.Aa = g.Aai = 0;
    }
};

// --- the default pair under every method --------------------------------

TEST_F(StrengthFrame, DefaultPairHasFiniteSafetiesUnderEveryMethod)
{
    for (int method : {1, 2, 4, 3}) {
        SetUp();
        auto& g = GearPair;
        if (method == 3) {
            // Entered factors: the factor dialog starts from a calculated set.
            g.CalcMethod = 4;
            CalcGearPair();
        }
        g.CalcMethod = method;
        CalcGearPair();
        EXPECT_FALSE(telmvar.FatalCalcError) << method << ": " << Messages();
        for (int i = 1; i <= 2; ++i) {
            EXPECT_TRUE(std::isfinite(static_cast<double>(g.SH[i])) && g.SH[i] > 0.5L && g.SH[i] < 5)
                << "method " << method << " SH" << i << " = " << static_cast<double>(g.SH[i]);
            EXPECT_TRUE(std::isfinite(static_cast<double>(g.SF[i])) && g.SF[i] > 0.5L && g.SF[i] < 10)
                << "method " << method << " SF" << i << " = " << static_cast<double>(g.SF[i]);
        }
    }
}

TEST_F(StrengthFrame, EnteredFactorsStayButElasticityFactorIsRecalculated)
{
    auto& g = GearPair;
    g.CalcMethod = 4;
    CalcGearPair();
    g.CalcMethod = 3;
    g.Kv = 1.3L;
    g.KHbeta = 1.4L;
    g.ZH = 2.4L;
    g.ZE = 1;
    g.E[1] = g.E[2] = 210000;
    CalcGearPair();
    EXPECT_EQ(g.Kv, 1.3L);
    EXPECT_EQ(g.KHbeta, 1.4L);
    EXPECT_EQ(g.ZH, 2.4L);
    EXPECT_NEAR(g.ZE, std::sqrt(210000 / (PiL * 2 * 0.91L)), 1e-9);
    // The contact stress is formed from exactly these factors.
    const Extended Q = (g.u + 1) / g.u * g.Ft / (g.b_effH * g.d[1]);
    EXPECT_NEAR(g.SigmaHC,
                g.Z_beta * g.Z_eps * g.ZE * 2.4L * std::sqrt(Q) * std::sqrt(g.KHalpha * 1.4L * 1.3L * g.KA_H),
                1e-9);
}

// --- zone and elasticity factors, reference pair --------------------------

TEST_F(StrengthFrame, ZoneAndElasticityFactorsOfAStandardSpurPair)
{
    // alpha 20, beta 0, x 0: ZH = sqrt(2 / (cos 20 sin 20)) = 2.4946; steel
    // against steel (206000, 0.3): ZE = 189.81 sqrt(N/mm2).
    for (int method : {4, 1}) {
        SetUp();
        LoadPair(2, 20, 40, 0, 0, 0, 60, 20);
        GearPair.CalcMethod = method;
        CalcGearPair();
        ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
        EXPECT_NEAR(GearPair.ZH, std::sqrt(2 / (std::cos(Deg(20)) * std::sin(Deg(20)))), 1e-9) << method;
        EXPECT_NEAR(GearPair.ZH, 2.4946L, 1e-4) << method;
        EXPECT_NEAR(GearPair.ZE, 189.812L, 1e-3) << method;
    }
}

TEST_F(StrengthFrame, HelicalReferencePairByIso6336)
{
    // mn 8, z 17/103, alpha 20, beta 15.8, b 100, a 500, x 0.145/0, T1 9000 Nm,
    // n1 360 1/min, KA 1, grade 5, SigmaHlim 1500: Ft 127352 N, ZH 2.3953,
    // ZE 189.81, nominal contact stress about 1206.6 N/mm2.
    auto& g = GearPair;
    LoadPair(8, 17, 103, 0.145L, 0, 15.8L, 500, 100);
    g.CalcMethod = 4;
    g.T[1] = 9000;
    g.n[1] = 360;
    g.P = 9000 * 360 * 2 * PiL / 60000;
    g.KA_H = g.KA_F = 1;
    g.FlankToleranceClass[1] = g.FlankToleranceClass[2] = 5;
    g.SigmaHlim[1] = g.SigmaHlim[2] = 1500;
    g.LifeFactorInput = 0;
    CalcGearPair();
    ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
    EXPECT_NEAR(g.Ft, 127352, 127352 * 0.005);
    EXPECT_NEAR(g.Ft, 127352, 1);
    EXPECT_NEAR(g.ZH, 2.3953L, 2.3953L * 0.005);
    EXPECT_NEAR(g.ZH, 2.3953L, 1e-4);
    EXPECT_NEAR(g.ZE, 189.81L, 0.01);
    EXPECT_NEAR(g.SigmaH0, 1206.6L, 1206.6L * 0.005);
    // The helix and contact ratio factors this stress rests on.
    EXPECT_NEAR(g.Z_beta, 1 / std::sqrt(std::cos(Deg(15.8L))), 1e-12);
    EXPECT_GE(g.eps_beta, 1);
    EXPECT_NEAR(g.Z_eps, std::sqrt(1 / g.eps_alpha), 1e-12);
}

// --- single pair contact factors -------------------------------------------

TEST_F(StrengthFrame, HelicalSinglePairContactFactorsAreNotBelowOne)
{
    // The default pair is helical with an overlap ratio below 1. Where the
    // interpolation M - eps_beta (M - 1) falls below 1 (a wheel with M2 < 1),
    // ISO 6336-2 takes 1: the contact stress is never lowered below the
    // pitch point value.
    auto& g = GearPair;
    g.CalcMethod = 4;
    CalcGearPair();
    ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
    ASSERT_LT(g.eps_beta, 1);
    const Extended M1 =
        ContactFactorM1(g.z[1], g.z[2], g.alpha_wt, g.eps_alpha, g.da[1], g.da[2], g.db[1], g.db[2]);
    const Extended M2 =
        ContactFactorM1(g.z[2], g.z[1], g.alpha_wt, g.eps_alpha, g.da[2], g.da[1], g.db[2], g.db[1]);
    ASSERT_LT(M2, 1) << "the wheel's factor must lie below 1 for this check";
    EXPECT_EQ(g.ZD, 1);
    EXPECT_NEAR(g.ZB, std::fmax(1.0, static_cast<double>(M1 - g.eps_beta * (M1 - 1))), 1e-12);
    EXPECT_GE(g.ZB, 1);
}

TEST_F(StrengthFrame, SpurAndFullOverlapContactFactors)
{
    auto& g = GearPair;
    LoadPair(2, 17, 40, 0.2L, 0, 0, 57.5L, 20);
    g.CalcMethod = 4;
    CalcGearPair();
    ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
    const Extended M1 =
        ContactFactorM1(g.z[1], g.z[2], g.alpha_wt, g.eps_alpha, g.da[1], g.da[2], g.db[1], g.db[2]);
    EXPECT_NEAR(g.ZB, std::fmax(1.0, static_cast<double>(M1)), 1e-12);

    SetUp();
    LoadPair(2, 17, 40, 0, 0, 20, 0, 40); // b sin(beta)/(pi mn) = 2.18
    SetDefaultCentreDistance();
    g.CalcMethod = 4;
    CalcGearPair();
    ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
    ASSERT_GE(g.eps_beta, 1);
    EXPECT_EQ(g.ZB, 1);
    EXPECT_EQ(g.ZD, 1);
}

// --- effective face width -----------------------------------------------

TEST_F(StrengthFrame, EffectiveFaceWidths)
{
    const struct {
        const char* what;
        Extended b1, b2, bcha1, bcha2, bctr, mn;
        Extended bH, bF1, bF2;
    } rows[] = {
        {"equal widths", 40, 40, 0, 0, 0, 3, 40, 40, 40},
        {"wider pinion", 40, 30, 0, 0, 0, 3, 30, 36, 30},
        {"wider pinion, wheel offset", 40, 30, 0, 0, 5, 3, 30, 33, 30},
        {"chamfers narrow the contact", 40, 40, 2, 1, 0, 3, 36, 40, 40},
        {"chamfer of exactly 40 % stays", 40, 40, 16, 0, 0, 3, 8, 14, 14},
        {"chamfer above 40 % is dropped", 40, 40, 16.01L, 0, 0, 3, 40, 40, 40},
    };
    for (const auto& r : rows) {
        auto& g = GearPair;
        g.b[1] = r.b1;
        g.b[2] = r.b2;
        g.bcha[1] = r.bcha1;
        g.bcha[2] = r.bcha2;
        g.bctr = r.bctr;
        g.mn = r.mn;
        CalcEffectiveFaceWidth();
        EXPECT_NEAR(g.b_effH, r.bH, 1e-12) << r.what;
        EXPECT_NEAR(g.b_effF[1], r.bF1, 1e-12) << r.what;
        EXPECT_NEAR(g.b_effF[2], r.bF2, 1e-12) << r.what;
    }
}

// Mesh i joins gears i and i + 1 with offset and previous flank width i: Pi
// (no width) takes 34 in S-Pi, keeping its 12 chamfer, and 24 in Pi-Pe, losing it.
TEST_F(StrengthFrame, StageFaceWidthsPerMesh)
{
    const auto w =
        CalcStageFaceWidths({{{40, 0, 30, 36}}}, {{{1, 12, 0, 3}}}, {{{16, -3, 4}}}, {{{34, 24, 99}}}, 3);
    const std::array<std::array<Extended, 3>, 3> want{
        {{8, 12, 14}, {24, 24, 27}, {26, 29, 32}}}; // b_effH, b_effF1, 2
    for (int m = 1; m <= 3; ++m)
        EXPECT_EQ((std::array<Extended, 3>{w.H[m], w.F1[m], w.F2[m]}), want[m - 1]) << "mesh " << m;
}

TEST_F(StrengthFrame, ZeroFaceWidthTakesThePreviousCommonWidth)
{
    auto& g = GearPair;
    g.b[1] = 0;
    g.b[2] = 30;
    g.b_effH = 25;
    g.bcha[1] = g.bcha[2] = 0;
    g.bctr = 0;
    CalcEffectiveFaceWidth();
    EXPECT_EQ(g.b[1], 25);
    EXPECT_EQ(g.b_effH, 25);
    g.b[1] = g.b[2] = 0;
    g.b_effH = 0;
    CalcEffectiveFaceWidth();
    EXPECT_EQ(g.b_effH, 0);
    EXPECT_EQ(g.b_effF[1], 0);
}

TEST_F(StrengthFrame, GearsThatDoNotOverlapHaveNoLoadCapacity)
{
    auto& g = GearPair;
    g.bctr = 200; // the wheel lies beside the pinion
    CalcGearPair();
    EXPECT_TRUE(telmvar.FatalCalcError);
    EXPECT_TRUE(HasMessage("Fatal  : beff=0!")) << Messages();
}

// --- the frame's own rules ---------------------------------------------------

TEST_F(StrengthFrame, InputChecksStopWithTheirMessage)
{
    const struct {
        const char* message;
        void (*spoil)();
    } rows[] = {
        {"Fatal  : Rz = 0 !", [] { GearPair.RzY[2] = 0; }},
        {"Fatal  : E-Modul = 0 !", [] { GearPair.E[1] = 0; }},
        {"Fatal  : SigmaHlim = 0 !", [] { GearPair.SigmaHlim[2] = 0; }},
        {"Fatal  : SigmaFE = 0 !", [] { GearPair.Sigma_FE[1] = 0; }},
        {"Fatal  : KAF = 0 !", [] { GearPair.KA_F = 0; }},
        {"Fatal  : KAH = 0 !", [] { GearPair.KA_H = 0; }},
    };
    for (const auto& r : rows) {
        SetUp();
        // The warnings of the geometry fill a missing roughness with its
        // default, so the load capacity sees the spoiled input only after it.
        CalcGeometry();
        r.spoil();
        CalcStrength();
        EXPECT_TRUE(telmvar.FatalCalcError) << r.message;
        EXPECT_TRUE(HasMessage(r.message)) << Messages();
    }
}

TEST_F(StrengthFrame, PoissonRatioOutOfRangeIsReportedAndTheRunGoesOn)
{
    GearPair.nu[1] = 0;
    CalcGearPair();
    EXPECT_TRUE(HasMessage("Error  : mue <= 0 !"));
    EXPECT_FALSE(telmvar.FatalCalcError);
    EXPECT_GT(GearPair.SH[1], 0);
}

TEST_F(StrengthFrame, TorqueFromPowerAndPowerMismatch)
{
    auto& g = GearPair;
    g.T[1] = 0;
    g.P = 500;
    g.n[1] = 1500;
    CalcGearPair();
    EXPECT_NEAR(g.T[1], 500 * 60000 / (1500 * 2 * PiL), 1e-9);
    EXPECT_FALSE(HasMessage("Fatal  : P<>T*n*2PI"));
    EXPECT_NEAR(g.Ft, g.T[1] * 2000 / g.d[1], 1e-9);
    EXPECT_NEAR(g.T[2], g.u * g.T[1], 1e-9);

    g.P = 0;
    g.T[1] = 3000;
    CalcGearPair();
    EXPECT_TRUE(HasMessage("Fatal  : P<>T*n*2PI"));
    EXPECT_FALSE(telmvar.FatalCalcError); // a note only
    EXPECT_EQ(g.T[1], 3000);
}

TEST_F(StrengthFrame, EqualToothNumbersOfAnInternalPairStopWhatEverTheWarningSwitch)
{
    for (bool hide : {false, true}) {
        SetUp();
        wtelmvar.HideWarnings = hide;
        auto& g = GearPair;
        CalcGearPair();
        ASSERT_FALSE(telmvar.FatalCalcError);
        g.z[2] = -g.z[1];
        g.SH[1] = -7; // marks a result of an earlier run
        ResetErrorState();
        CalcStrength();
        EXPECT_TRUE(telmvar.FatalCalcError) << "hide " << hide;
        EXPECT_TRUE(HasMessage("Warning: z1+z2=0 !")) << "hide " << hide;
        EXPECT_EQ(g.SH[1], -7) << "no result is formed";
        EXPECT_EQ(g.P, 500) << "the entered load stays";
        EXPECT_GT(g.T[1], 0) << "the entered load stays";
    }
}

TEST_F(StrengthFrame, InternalWheelGetsADefaultRim)
{
    auto& g = GearPair;
    LoadPair(3, 16, -60, 0, 0, 0, -66, 30);
    g.CalcMethod = 4;
    g.z0 = 20;
    CalcGearPair();
    ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
    // round(df2 - 3 h2), negative like every diameter of the ring
    const Extended expected = std::nearbyint(static_cast<double>(g.df[2] - 3 * g.h[2]));
    EXPECT_LT(g.df[2], 0);
    EXPECT_EQ(g.di[2], expected);
    EXPECT_EQ(g.dB[2], expected);
    EXPECT_GT(g.SH[1], 0);
    EXPECT_GT(g.SF[2], 0);
    EXPECT_EQ(g.ZD, 1);
}

TEST_F(StrengthFrame, ResonanceWarningsAtTheirLimits)
{
    const struct {
        Extended n1, nE1;
        const char* message;
    } rows[] = {
        {850, 1000, nullptr},
        {851, 1000, "Warning: resonance (1)"},
        {1150, 1000, "Warning: resonance (1)"},
        {1151, 1000, "Warning: upper resonance (1)"},
        {1500, 1000, "Warning: upper resonance (1)"},
        {1501, 1000, nullptr},
    };
    for (const auto& r : rows) {
        SetUp();
        auto& g = GearPair;
        g.CalcMethod = 4;
        CalcGearPair();
        g.CalcMethod = 3; // entered factors keep the entered resonance speeds
        g.n[1] = r.n1;
        g.T[1] = 3000;
        g.P = r.n1 * 3000 * 2 * PiL / 60000;
        g.nE[1] = r.nE1;
        g.nE[2] = 0;
        CalcGearPair();
        const bool any = HasMessage("Warning: resonance (1)") || HasMessage("Warning: upper resonance (1)");
        if (r.message)
            EXPECT_TRUE(HasMessage(r.message)) << r.n1 << ": " << Messages();
        else
            EXPECT_FALSE(any) << r.n1 << ": " << Messages();
    }
}

// --- sound behaviour where the calculation used to fail ----------------------

TEST_F(StrengthFrame, DinLineLoadFloorDoesNotDependOnTheWarningSwitch)
{
    // A light load: KA Ft / b below 100 N/mm.
    Extended FmPerB[2] = {0, 0}, SH[2] = {0, 0}, SF[2] = {0, 0};
    for (int hide = 0; hide <= 1; ++hide) {
        SetUp();
        auto& g = GearPair;
        wtelmvar.HideWarnings = hide == 1;
        g.CalcMethod = 1;
        g.T[1] = 200;
        g.P = 200 * 1500 * 2 * PiL / 60000;
        CalcGearPair();
        ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
        ASSERT_LT(g.KA_F * g.Ft / g.b_effH, 100);
        FmPerB[hide] = g.FmPerB;
        SH[hide] = g.SH[1];
        SF[hide] = g.SF[1];
        EXPECT_NEAR(g.FmPerB, 100 * g.Kv, 1e-12);
        EXPECT_EQ(HasMessage("Warning: Ft/b*KA < 100 !"), hide == 0);
    }
    EXPECT_EQ(FmPerB[0], FmPerB[1]);
    EXPECT_EQ(SH[0], SH[1]);
    EXPECT_EQ(SF[0], SF[1]);
}

TEST_F(StrengthFrame, IsoLineLoadFloorAtItsLimit)
{
    // KA_F Ft / b just below 100 uses 100 Kv; exactly 100 keeps Ft KA Kv / b.
    for (Extended lineLoad : {99.9L, 100.0L}) {
        SetUp();
        auto& g = GearPair;
        g.CalcMethod = 4;
        CalcGearPair(); // geometry for d1
        g.T[1] = lineLoad * g.b_effH * g.d[1] / 2000;
        g.P = g.T[1] * g.n[1] * 2 * PiL / 60000;
        ResetErrorState();
        CalcStrength();
        ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
        EXPECT_EQ(HasMessage("Warning: Ft/b*KA < 100 !"), lineLoad < 100) << static_cast<double>(lineLoad);
    }
}

TEST_F(StrengthFrame, MissingToothDepthIsFatalAndLeavesNoStaleResult)
{
    auto& g = GearPair;
    g.CalcMethod = 1;
    CalcGearPair();
    ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
    g.h[1] = g.h[2] = 0;
    g.SH[1] = g.SF[1] = -7; // marks results of the earlier run
    ResetErrorState();
    CalcStrength();
    EXPECT_TRUE(telmvar.FatalCalcError);
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_TRUE(HasMessage("Fatal: h0 !"));
    EXPECT_TRUE(HasMessage("Fatal: Sigma HC !"));
    EXPECT_EQ(g.SH[1], -7);
    EXPECT_EQ(g.SF[1], -7);
}

TEST_F(StrengthFrame, MissingContactRatioIsFatalForDin)
{
    auto& g = GearPair;
    g.CalcMethod = 1;
    CalcGearPair();
    g.eps_alpha = 0;
    ResetErrorState();
    CalcStrength();
    EXPECT_TRUE(telmvar.FatalCalcError);
    EXPECT_TRUE(HasMessage("Fatal: eps.alpha <=0 !"));
}

TEST_F(StrengthFrame, LivesOfAnEarlierRunDoNotSurvive)
{
    auto& g = GearPair;
    g.CalcMethod = 4;
    g.T[1] = 6000;
    g.P = 6000 * 1500 * 2 * PiL / 60000;
    CalcGearPair();
    ASSERT_LT(g.SH[1], 1 / 0.85L);
    ASSERT_GT(g.NLH[1], 0);
    ASSERT_GT(g.LtH2[1], 0);

    // Entered life factors: no life is calculated, none is left standing.
    g.LifeFactorInput = 1;
    CalcGearPair();
    ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
    for (int i = 1; i <= 2; ++i) {
        EXPECT_EQ(g.LtH[i], 0);
        EXPECT_EQ(g.LtH2[i], 0);
        EXPECT_EQ(g.NLH[i], 0);
        EXPECT_EQ(g.NLH2[i], 0);
        EXPECT_EQ(g.LtF[i], 0);
        EXPECT_EQ(g.NLF[i], 0);
    }

    // No contact stress (an entered single contact factor of 0): no pitting life.
    g.LifeFactorInput = 0;
    CalcGearPair();
    ASSERT_GT(g.NLH[1], 0);
    g.CalcMethod = 3;
    g.ZB = 0;
    CalcGearPair();
    EXPECT_TRUE(HasMessage("Fatal  : SH !"));
    for (int i = 1; i <= 2; ++i) {
        EXPECT_EQ(g.SH[i], 0);
        EXPECT_EQ(g.LtH[i], 0);
        EXPECT_EQ(g.LtH2[i], 0);
        EXPECT_EQ(g.NLH[i], 0);
        EXPECT_EQ(g.NLH2[i], 0);
    }
}

TEST_F(StrengthFrame, PinionAtRestHasNoLifeInHoursAndNoDivisionByZero)
{
    for (int method : {4, 1}) {
        SetUp();
        auto& g = GearPair;
        g.CalcMethod = method;
        g.n[1] = 0;
        g.P = 0;
        g.T[1] = 6000;
        CalcGearPair();
        ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
        EXPECT_TRUE(HasMessage("n1=0 -> ZNT=1, YNT=1"));
        for (int i = 1; i <= 2; ++i) {
            EXPECT_EQ(g.LtH[i], 0) << method;
            EXPECT_EQ(g.LtF[i], 0) << method;
            EXPECT_TRUE(std::isfinite(static_cast<double>(g.SH[i]))) << method;
            EXPECT_TRUE(std::isfinite(static_cast<double>(g.SF[i]))) << method;
        }
    }
}

TEST_F(StrengthFrame, DinHelixFactorOfTheRootCountsAtMostThirtyDegrees)
{
    auto& g = GearPair;
    LoadPair(3, 20, 41, 0, 0, 40, 0, 60);
    SetDefaultCentreDistance();
    g.CalcMethod = 1;
    CalcGearPair();
    ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
    ASSERT_GT(g.eps_beta, 1);
    EXPECT_NEAR(g.Y_beta, 0.75L, 1e-12);
}

// --- limit torque ------------------------------------------------------------

TEST_F(StrengthFrame, LimitTorqueGivesSafetyOneAndRestoresTheNominalLoad)
{
    for (int mode : {1, 2}) {
        for (int method : {4, 1}) {
            SetUp();
            auto& g = GearPair;
            g.CalcMethod = method;
            CalcGearPair();
            ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
            const Extended T0 = g.T[1], P0 = g.P;
            const Extended SH0 = g.SH[1], SF0 = g.SF[1];

            const Extended limit = FindLimitLoad(mode);
            ASSERT_GT(limit, 0) << "mode " << mode << " method " << method << ": " << Messages();
            EXPECT_TRUE(g.LimitLoadFound[mode]);
            EXPECT_EQ(g.T[1], T0);
            EXPECT_EQ(g.P, P0);
            EXPECT_EQ(g.SH[1], SH0) << "results belong to the nominal load again";
            EXPECT_EQ(g.SF[1], SF0);

            g.T[1] = limit;
            g.P = limit * g.n[1] * 2 * PiL / 60000;
            ResetErrorState();
            CalcStrength();
            const Extended S = mode == 1 ? std::fmin(g.SF[1], g.SF[2]) : std::fmin(g.SH[1], g.SH[2]);
            EXPECT_NEAR(S, 1, 0.01) << "mode " << mode << " method " << method;
        }
    }
}

TEST_F(StrengthFrame, LimitTorqueSearchThatFindsNothingSaysSo)
{
    auto& g = GearPair;
    g.CalcMethod = 4;
    CalcGearPair();
    // No torque: both bounds are 0.
    g.T[1] = 0;
    g.P = 0;
    EXPECT_EQ(FindLimitLoad(1), 0);
    EXPECT_FALSE(g.LimitLoadFound[1]);
    EXPECT_TRUE(HasMessage("Error  : limit torque not found (root) !")) << Messages();

    // A load so small that even twenty times of it is safe: no bracket.
    SetUp();
    g.CalcMethod = 4;
    g.T[1] = 1;
    g.P = 1 * 1500 * 2 * PiL / 60000;
    CalcGearPair();
    EXPECT_EQ(FindLimitLoad(2), 0);
    EXPECT_FALSE(g.LimitLoadFound[2]);
    EXPECT_TRUE(HasMessage("Error  : limit torque not found (pitting) !")) << Messages();
    EXPECT_EQ(g.T[1], 1);
}

} // namespace
