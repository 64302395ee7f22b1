// ISO 6336 method on whole pairs: the choices and limits of its steps.

#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/calcgearpair.h"
#include "gearpair/strength/calcstrength.h"
#include "gearpair/strength/strengthfactors.h"
#include "gearpair/viscosity.h"

#include "common/statereset.h"
#include "common/testmessages.h"
#include "foundation/messagecollector.h"
#include "foundation/programstate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace
{

constexpr Extended PiL = 3.141592653589793238462643383279502884L;

class StrengthIso : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        // A test starts over by running SetUp again.
        ResetProgramState();
        SetGearDefaults();
        InitGearPairData();
    }

    // Geometry, then known accuracy tolerances, then the load capacity alone.
    static void Run()
    {
        auto& g = GearPair;
        g.CalcMethod = 4;
        CalcGearPair();
        ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
        g.fpT[1] = 12;
        g.fpT[2] = 14;
        g.ffalphaT[1] = 10;
        g.ffalphaT[2] = 11;
        g.fHbetaT[1] = 14;
        g.fHbetaT[2] = 16;
        g.fHbeta5 = 10;
        ResetErrorState();
        CalcStrength();
        ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
    }
};

TEST_F(StrengthIso, MisalignmentFromTolerancesAndEnteredValues)
{
    auto& g = GearPair;
    g.ContactPatternNo = 2; // mode 0: manufacturing and deflection add up
    Run();
    EXPECT_NEAR(g.fma, std::sqrt(14.0L * 14 + 16 * 16), 1e-12);
    const Extended w_m = g.Ft * g.Kv / g.b_effH;
    EXPECT_NEAR(g.Fbetax, std::fmax(1.33 * g.fsh + g.fma, std::fmax(7.5, 0.005 * w_m)), 1e-9);
    EXPECT_NEAR(g.Fbetay, g.Fbetax - g.y_beta, 1e-12);
    EXPECT_NEAR(g.y_beta, 0.15L * g.Fbetax, 1e-12); // case-hardened gears
    const Extended X = g.Fbetay * g.c_gamma / (2 * w_m);
    ASSERT_LT(X, 1);
    EXPECT_NEAR(g.KHbeta, 1 + X, 1e-12);

    // Entered values stay; an entered fsh means the pattern is not used (mode 1).
    SetUp();
    g.FshEntered = true;
    g.FmaEntered = true;
    g.fsh = 20;
    g.fma = 3;
    Run();
    EXPECT_EQ(g.fsh, 20);
    EXPECT_EQ(g.fma, 3);
    EXPECT_NEAR(g.Fbetax, std::fmax(std::fabs(1.33 * 20 - 10), 7.5), 1e-12);
}

TEST_F(StrengthIso, GrindingNotchRatioIsLimitedAndStoredBack)
{
    auto& g = GearPair;
    g.GrindingNotch[1] = 1;
    g.tg_rhog[1] = 2.5L;
    g.GrindingNotch[2] = 0;
    g.tg_rhog[2] = 1;
    Run();
    EXPECT_EQ(g.tg_rhog[1], 2);
    EXPECT_NEAR(g.YSg[1], 1.3L * g.YS[1] / (1.3L - 0.6L * std::sqrt(2.0L)), 1e-12);
    EXPECT_EQ(g.YSg[2], g.YS[2]);
    // The notch raises the root stress of gear 1 by exactly that ratio.
    EXPECT_NEAR(g.SigmaF0[1], g.Ft / (g.b_effF[1] * g.mn) * g.YF[1] * g.YSg[1] * g.Y_beta * g.YB[1] * g.YDT,
                1e-9);
}

TEST_F(StrengthIso, HelixAndRootFactors)
{
    auto& g = GearPair;
    Run();
    EXPECT_NEAR(g.Y_beta, 1 - std::fmin(static_cast<double>(g.eps_beta), 1.0) * 9 / 120, 1e-12);
    const Extended bh = std::fmax(3.0, static_cast<double>(g.b_effH / std::fmax(g.h[1], g.h[2])));
    EXPECT_NEAR(g.KFbeta, std::pow(g.KHbeta, bh * bh / (1 + bh + bh * bh)), 1e-12);
    EXPECT_EQ(g.KFalpha, g.KHalpha);
    for (int i = 1; i <= 2; ++i) {
        EXPECT_NEAR(g.YX[i], 1.05L - 0.01L * 6.5L, 1e-12); // case-hardened, mn 6.5
        EXPECT_EQ(g.YA[i], 1);                             // no alternating load
        EXPECT_EQ(g.ZX[i], 1);
    }
    // Life of the tooth root from the safety, at 1500 and 1500 z1/z2 1/min.
    ASSERT_GE(g.SF[1], 1 / 0.85L);
    EXPECT_NEAR(g.LtF[1], 1e10L / (1500 * 60), 1e-3);
}

TEST_F(StrengthIso, WorkHardeningOfThroughHardenedWheelsUsesTheOilAtFortyDegrees)
{
    auto& g = GearPair;
    g.MaterialKind[1] = 2;
    g.HeatTreatment[1] = 2;
    g.MaterialKind[2] = 3;
    g.HeatTreatment[2] = 3;
    g.HB[1] = 700;
    g.HB[2] = 300;
    g.SigmaHlim[2] = 1100;
    Run();
    const Extended ZW = WorkHardeningFactorZW(1, g.db[1], g.db[2], g.alpha_wt, g.RzZ[1], g.RzZ[2], 700, 300,
                                              ViscosityAtTemp(100, 50, 40), g.v, g.u);
    EXPECT_NEAR(g.ZW, ZW, 1e-12);
    EXPECT_GT(g.ZW, 1);
    // The flank factors take the smaller allowable stress.
    EXPECT_NEAR(g.ZL, LubricantFactorZL(100, 1100), 1e-12);
    EXPECT_NEAR(g.Zv, VelocityFactorZV(100, 1100, g.v), 1e-12);
}

TEST_F(StrengthIso, NoTangentialForceIsReportedAndTheRunGoesOn)
{
    auto& g = GearPair;
    g.CalcMethod = 4;
    g.T[1] = 0;
    g.P = 0;
    CalcGearPair();
    EXPECT_TRUE(HasMessage("Error  : Ft=0!")) << Messages();
    EXPECT_FALSE(telmvar.FatalCalcError);
    EXPECT_EQ(g.Kv, 1);
    EXPECT_EQ(g.SH[1], 0);
    EXPECT_TRUE(HasMessage("Fatal  : SH !"));
}

TEST_F(StrengthIso, MissingDensityIsFatal)
{
    GearPair.CalcMethod = 4;
    // The warnings of the geometry fill a missing density with its default,
    // so the load capacity sees the spoiled input only after it.
    CalcGeometry();
    GearPair.rho[2] = 0;
    CalcStrength();
    EXPECT_TRUE(telmvar.FatalCalcError);
    EXPECT_TRUE(HasMessage("Fatal  : rho = 0 !"));
}

TEST_F(StrengthIso, ResonanceRatioIgnoresTheDirectionOfRotation)
{
    for (int method : {4, 1}) {
        SetUp();
        auto& g = GearPair;
        Run();
        g.CalcMethod = method;
        ResetErrorState();
        CalcStrength();
        const Extended Kv = g.Kv;
        ASSERT_GT(Kv, 1) << method;
        g.n[1] = -g.n[1];
        g.P = -g.P;
        ResetErrorState();
        CalcStrength();
        EXPECT_NEAR(g.Kv, Kv, 1e-15) << method;
    }
}

TEST_F(StrengthIso, FailedLimitSearchStaysVisibleAfterThePairCalculation)
{
    auto& g = GearPair;
    g.CalcMethod = 4;
    g.LoadSpectrumCount = 3;
    g.T[1] = 1; // far below every limit: twenty times of it is still safe
    g.P = 1 * g.n[1] * 2 * PiL / 60000;
    CalcGearPair();
    EXPECT_FALSE(g.LimitLoadFound[1]);
    EXPECT_FALSE(g.LimitLoadFound[2]);
    EXPECT_TRUE(HasMessage("Error  : limit torque not found (root) !")) << Messages();
    EXPECT_TRUE(HasMessage("Error  : limit torque not found (pitting) !")) << Messages();

    SetUp();
    g.CalcMethod = 4;
    g.LoadSpectrumCount = 3;
    CalcGearPair();
    EXPECT_TRUE(g.LimitLoadFound[1]);
    EXPECT_TRUE(g.LimitLoadFound[2]);
    EXPECT_FALSE(HasMessage("Error  : limit torque not found (root) !")) << Messages();
}

} // namespace
