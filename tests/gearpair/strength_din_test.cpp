// DIN 3990 method (parts 1 to 3 and part 41) on whole pairs and its own small
// factors, plus the messages of the load capacity frame.

#include "gearpair/gearfactors.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/calcgearpair.h"
#include "gearpair/strength/calcstrength.h"
#include "gearpair/strength/din3990.h"

#include "common/statereset.h"
#include "common/testmessages.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace
{

constexpr Extended PiL = 3.141592653589793238462643383279502884L;

bool HasMessageStarting(const std::string& head)
{
    for (int i = 1; i <= error0.ErrorCount; ++i)
        if (error0.ErrorTexts[i].rfind(head, 0) == 0) return true;
    return false;
}

class StrengthDin : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        // A test starts over by running SetUp again.
        ResetProgramState();
        SetGearDefaults();
        InitGearPairData();
    }

    // Geometry of the pair in GearPair, then known accuracy tolerances, then
    // the load capacity alone.
    static void Run(int method)
    {
        auto& g = GearPair;
        g.CalcMethod = method;
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
    }
};

TEST_F(StrengthDin, SmallFactors)
{
    const struct {
        Extended HB, ZW;
    } rows[] = {{100, 1.2L}, {130, 1.2L}, {300, 1.1L}, {470, 1.0L}, {600, 1.0L}};
    for (const auto& r : rows)
        EXPECT_NEAR(WorkHardeningFactor(r.HB), r.ZW, 1e-15) << r.HB;
    EXPECT_NEAR(RunningInCay(1500), 1.9953715857158036L, 1e-12);
    EXPECT_NEAR(RunningInCay(800), 7.282921331231327L, 1e-12);
}

TEST_F(StrengthDin, RunningInOfTheMisalignment)
{
    const struct {
        int kind, treat;
        Extended sigma, v, Fbetax, y;
    } rows[] = {
        {3, 1, 800, 3, 20, 8.0L},    // 320/800 Fbetax
        {3, 1, 800, 7, 100, 32.0L},  // 40, at most 25600/800
        {3, 1, 800, 12, 100, 16.0L}, // at most 12800/800
        {3, 1, 200, 3, 20, 20.0L},   // not above Fbetax
        {6, 0, 400, 3, 20, 11.0L},   // grey cast iron 0.55 Fbetax
        {6, 0, 400, 7, 100, 45.0L},  {5, 0, 400, 12, 100, 22.0L},
        {2, 2, 1500, 3, 20, 3.0L}, // hardened: 0.15 Fbetax
        {6, 5, 400, 3, 60, 6.0L},  // the heat treatment rule wins, at most 6
    };
    for (const auto& r : rows) {
        GearPair.Fbetax = r.Fbetax;
        GearPair.v = r.v;
        EXPECT_NEAR(RunningInAllowance(r.kind, r.treat, r.sigma), r.y, 1e-12)
            << r.kind << "/" << r.treat << " v " << r.v;
    }
}

TEST_F(StrengthDin, DynamicFactorFromTheRunningInDeviations)
{
    auto& g = GearPair;
    Run(1);
    ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
    // fpb,eff = 14 - mean(0.075 * 12, 0.075 * 14); ff,eff = 11 - mean(0.75, 0.825)
    const Extended fpbEff = 14 - 0.975L, ffEff = 11 - 0.7875L;
    const Extended w = g.KA_F * g.Ft / g.b_effH;
    const Extended Bp = g.c_single * fpbEff / w, Bf = g.c_single * ffEff / w;
    const Extended BK = std::fabs(1 - g.c_single * 1.9953715857158036L / w); // grade 6
    const Extended N = g.n[1] / g.nE[1];
    ASSERT_LT(N, 0.85L);
    const Extended eg = g.eps_gamma;
    ASSERT_GT(eg, 2);
    const Extended Kv = N * (0.32L * Bp + 0.57L / (eg - 0.3L) * Bf + 0.096L / (eg - 1.56L) * BK) + 1;
    EXPECT_NEAR(g.Kv, Kv, 1e-12);
    // Mesh stiffness of the pair with the rack factor of DIN (1.2 - hfP/mn).
    EXPECT_NEAR(g.c_gamma, g.c_single * (0.75L * g.eps_alpha + 0.25L), 1e-12);
}

TEST_F(StrengthDin, MisalignmentWithEndReliefAndCrowning)
{
    auto& g = GearPair;
    g.EndRelief = 'Y';
    g.Crowning = 'J';
    Run(1);
    ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
    EXPECT_TRUE(g.IsEndRelief);
    EXPECT_TRUE(g.IsCrowning);
    EXPECT_NEAR(g.fma, 0.7L * 14, 1e-12);
    const Extended K = g.Kprime * g.l_bearing * g.s_bedding / (g.d[1] * g.d[1]) * std::pow(g.d[1] / g.dsh, 4);
    const Extended r = g.b_effH / g.d[1];
    EXPECT_NEAR(g.fsh, 0.012L * g.FmPerB * (0.3L + std::fabs(K + 0.7L)) * r * r, 1e-12);
}

TEST_F(StrengthDin, FaceLoadFactorOfPart41)
{
    auto& g = GearPair;
    Run(2);
    ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
    EXPECT_NEAR(g.fma, 8, 1e-12); // half the larger helix slope tolerance
    EXPECT_NEAR(g.Fbetax, 8, 1e-12);
    EXPECT_NEAR(g.y_beta, 1.2L, 1e-12);
    EXPECT_NEAR(g.KHbeta, 1 + 6.8L * g.c_gamma / (2 * g.FmPerB), 1e-12);
    const Extended bh = std::fmax(3.0, static_cast<double>(g.b_effH / std::fmax(g.h[1], g.h[2])));
    EXPECT_NEAR(g.KFbeta, std::pow(g.KHbeta, bh * bh / (1 + bh + bh * bh)), 1e-12);
}

TEST_F(StrengthDin, LargeMisalignmentUsesTheRootBranchOfTheFaceLoadFactor)
{
    auto& g = GearPair;
    g.CalcMethod = 1;
    CalcGearPair();
    g.fHbetaT[1] = g.fHbetaT[2] = 200;
    g.fHbeta5 = 0;
    g.ContactPatternNo = 2; // the manufacturing misalignment counts in full
    g.T[1] = 500;
    g.P = 500 * g.n[1] * 2 * PiL / 60000;
    ResetErrorState();
    CalcStrength();
    ASSERT_GE(g.c_gamma * g.Fbetay / (2 * g.FmPerB), 1);
    EXPECT_NEAR(g.KHbeta, std::sqrt(2 * g.c_gamma * g.Fbetay / g.FmPerB), 1e-12);
}

TEST_F(StrengthDin, SingleContactFactorOnlyBelowTwentyTeeth)
{
    auto& g = GearPair;
    g.z[1] = 20;
    g.z[2] = 58;
    g.x[1] = g.x[2] = 0;
    g.a = 0;
    SetDefaultCentreDistance();
    g.a = (20 + 58) * 6.5L / (2 * std::cos(9 * PiL / 180));
    for (int i = 1; i <= 2; ++i) {
        g.DimensionInputMode[i] = 2;
        g.kmn[i] = 0;
    }
    Run(1);
    ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
    EXPECT_EQ(g.ZB, 1);
}

TEST_F(StrengthDin, WorkHardeningOnlyForOneHardenedSmoothGear)
{
    const struct {
        int treat1, treat2;
        Extended Rz1, HB2, ZW;
        const char* what;
    } rows[] = {
        {2, 2, 5, 740, 1.0L, "both case-hardened"},
        {2, 0, 5, 300, 1.1L, "hardened pinion, soft wheel"},
        {2, 0, 6, 130, 1.2L, "RzZ 6 still counts; HB 130"},
        {2, 0, 6.5L, 300, 1.0L, "rough hardened pinion"},
        {2, 0, 5, 470, 1.0L, "HB 470"},
    };
    for (const auto& r : rows) {
        SetUp();
        auto& g = GearPair;
        g.HeatTreatment[1] = r.treat1;
        g.HeatTreatment[2] = r.treat2;
        g.RzZ[1] = r.Rz1;
        g.HB[2] = r.HB2;
        Run(1);
        EXPECT_NEAR(g.ZW, r.ZW, 1e-12) << r.what;
    }
}

TEST_F(StrengthDin, ReducedMassOfAnInternalPairIsThePinionAlone)
{
    for (int method : {1, 4}) {
        SetUp();
        auto& g = GearPair;
        g.mn = 3;
        g.z[1] = 16;
        g.z[2] = -60;
        g.x[1] = g.x[2] = 0;
        g.beta = 0;
        g.a = -66;
        g.z0 = 20;
        for (int i = 1; i <= 2; ++i) {
            g.DimensionInputMode[i] = 2;
            g.kmn[i] = 0;
        }
        Run(method);
        ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
        const Extended dm1 = method == 1 ? g.dm[1] : (g.da[1] + g.df[1]) / 2;
        const Extended q1 = g.di[1] / dm1;
        const Extended pinion =
            PiL / 8 * 1e-6L * dm1 * dm1 * dm1 * dm1 / (g.db[1] * g.db[1]) * (1 - std::pow(q1, 4)) * g.rho[1];
        EXPECT_NEAR(g.m_red, pinion, 1e-12 * pinion) << method;
        EXPECT_GT(g.nE[1], 0) << method;
    }
}

// --- frame messages -----------------------------------------------------------

TEST_F(StrengthDin, SafetyWarningsCarryGearNumberAndValue)
{
    auto& g = GearPair;
    g.CalcMethod = 4;
    g.T[1] = 40000;
    g.P = 40000 * g.n[1] * 2 * PiL / 60000;
    CalcGearPair();
    ASSERT_LT(g.SH[1], 1);
    ASSERT_LT(g.SF[1], 1);
    std::string sh = std::to_string(std::round(static_cast<double>(g.SH[1]) * 100) / 100).substr(0, 4);
    EXPECT_TRUE(HasMessage("Warning: SH<1 (1) (" + sh + ") !")) << Messages();
    EXPECT_TRUE(HasMessageStarting("Warning: SF<1 (2) (")) << Messages();
}

TEST_F(StrengthDin, BoreWarningsOfExternalGears)
{
    auto& g = GearPair;
    g.CalcMethod = 4;
    CalcGearPair();
    g.dB[1] = g.df[1] - 2 * g.mn + 1; // wall thinner than a module
    g.di[1] = 0;
    g.T[1] = 40000; // 691 N/mm2 in the wall, above 0.7 Sigma_FE
    g.P = 40000 * g.n[1] * 2 * PiL / 60000;
    ResetErrorState();
    CalcStrength();
    EXPECT_TRUE(HasMessage("Warning: d bore > 0.6 df (1)")) << Messages();
    EXPECT_TRUE(HasMessage("Error  : tau(df-dbore)>Sig.FE*0.7")) << Messages();

    ResetErrorState();
    wtelmvar.HideWarnings = true;
    CalcStrength();
    EXPECT_FALSE(HasMessage("Warning: d bore > 0.6 df (1)"));
    EXPECT_TRUE(HasMessage("Error  : tau(df-dbore)>Sig.FE*0.7"));
}

TEST_F(StrengthDin, InternalPairWithoutFittingCutterIsWarned)
{
    auto& g = GearPair;
    g.mn = 3;
    g.z[1] = 16;
    g.z[2] = -60;
    g.x[1] = g.x[2] = 0;
    g.beta = 0;
    g.a = -66;
    g.z0 = 0;
    for (int i = 1; i <= 2; ++i) {
        g.DimensionInputMode[i] = 2;
        g.kmn[i] = 0;
    }
    g.CalcMethod = 4;
    CalcGearPair();
    EXPECT_TRUE(HasMessage("Warning: z0 cutter !")) << Messages();
    g.z0 = 20;
    CalcGearPair();
    EXPECT_FALSE(HasMessage("Warning: z0 cutter !")) << Messages();
}

} // namespace

namespace
{

TEST_F(StrengthDin, SizeFactorsOfAHelicalPairOfModuleEight)
{
    auto& g = GearPair;
    g.mn = 8;
    g.z[1] = 17;
    g.z[2] = 103;
    g.x[1] = 0.145L;
    g.x[2] = 0;
    g.beta = 15.8L;
    g.a = 500;
    g.b[1] = g.b[2] = g.b_effH = 100;
    for (int i = 1; i <= 2; ++i) {
        g.DimensionInputMode[i] = 2;
        g.kmn[i] = 0;
    }
    g.HeatTreatment[1] = 5; // gas-nitrided
    g.HeatTreatment[2] = 1; // heat-treated
    g.MaterialKind[2] = 3;
    g.T[1] = 9000;
    g.n[1] = 360;
    g.P = 9000 * 360 * 2 * PiL / 60000;
    Run(1);
    ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
    EXPECT_NEAR(g.ZX[1], 1.08L - 0.011L * 8, 1e-12);
    EXPECT_NEAR(g.ZX[2], 1.0L, 1e-12);
    EXPECT_NEAR(g.YX[1], 1.05L - 0.01L * 8, 1e-12);
    EXPECT_NEAR(g.YX[2], 1.03L - 0.006L * 8, 1e-12);
    EXPECT_NEAR(g.ZH, 2.3953L, 1e-4); // the same zone factor as by ISO 6336
}

TEST_F(StrengthDin, LifeRoutinesFollowTheMethod)
{
    Extended NL = 0;
    GearPair.CalcMethod = 1;
    EXPECT_NEAR(CalcRootLife(2, 2, NL, 0.8L, 1000, 1), 430948.6151343822L / 60000, 1e-6);
    EXPECT_NEAR(NL, 430948.6151343822L, 1e-6);
    GearPair.CalcMethod = 4;
    EXPECT_NEAR(CalcRootLife(2, 2, NL, 0.8L, 1000, 1), 426914.2860812493L / 60000, 1e-6);
    EXPECT_NEAR(NL, 426914.2860812493L, 1e-6);

    GearPair.CalcMethod = 2;
    CalcPittingLife(2, 2, 2, 0.85L, 1000, 1, 0.95L, 1, NL);
    EXPECT_NEAR(NL, 70277024.394872L, 1e-3);
    GearPair.CalcMethod = 4;
    CalcPittingLife(2, 2, 2, 1 / 1.3L, 1000, 1, 0.95L, 1, NL);
    EXPECT_NEAR(NL, 1e7L, 1e-3); // the knee of the curve with limited pitting
}

// YF, YS by DIN 3990-3 method B against a hand calculation at 40 digits (ring: the rack of its tool,
// 30-degree tangent, load normal to the flank, rhoF = rhofP/2); alpha_n 20 degrees. 1e-7: theta after 10
// steps here.
TEST(ToothFormDin, ExternalAndRingAgainstHandCalculationAndMessages)
{
    const struct {
        int z;
        double mn, betaDeg, x, haP0, rhoaP0, da, eps;
        bool FatalBefore;
        double Want[6];      // sFn, rhoF, hFe, alphaFen, YF, YS; 0: not checked
        const char* Message; // "": none
        bool FatalAfter;
    } cases[] = {
        {40,
         3,
         15,
         -0.2,
         3.75,
         1.14,
         129.0331,
         1.45,
         false,
         {6.243077082719, 1.749783875990, 3.573893200261, 0.3405486897267, 1.655561004327, 1.794505658104},
         "",
         false},
        {-60,
         2.5,
         0,
         0,
         3.125,
         0.5,
         -145,
         1.6,
         false,
         {6.035986915576, 0.25, 3.672579718937, 0.3490658503989, 1.512049160190, 3.672059639271},
         "",
         false},
        {-75,
         3,
         12,
         0.15,
         3.75,
         0.75,
         -223.1266,
         1.5,
         false,
         {7.193438939019, 0.375, 4.387275736905, 0.3490658503989, 1.526139779174, 3.357275093337},
         "",
         false},
        {-60, 2.5, 0, 0, 3.125, 0.5, -145, 1.6, true, {}, "Fatal: bending moment !", true},
        {-60, 2.5, 0, 1.4, 3.125, 0.5, -145, 1.6, false, {}, "Fatal: Biegehebelarm !", true}, // hFe -0.291
        {-60, 2.5, 0, 0, 3.125, 0, -145, 1.6, false, {}, "Error  : YS:rhof=0 (div)", false},  // sharp tool
        {23, 4, 0, 0.3, 5, 1, 86, 1.55, false, {}, "Error  : YFS->hfe (sqrt)", false},        // da < db 86.45
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Message);
        ResetProgramState();
        telmvar.FatalCalcError = c.FatalBefore;
        TGearPairData g{};
        const int i = c.z > 0 ? 1 : 2;
        g.z[i] = c.z;
        g.mn = c.mn;
        g.alpha_rad = 20 * PiL / 180;
        g.beta_rad = c.betaDeg * PiL / 180;
        g.xeF[i] = c.x;
        g.haP0[i] = c.haP0;
        g.rhoaP0[i] = c.rhoaP0;
        g.dFamax[i] = c.da;
        g.eps_alpha = c.eps;
        g.YF[i] = -7;
        ToothFormFactorDin(g, i);
        EXPECT_EQ(Messages(), *c.Message ? std::string(c.Message) + " | " : "");
        EXPECT_EQ(telmvar.FatalCalcError, c.FatalAfter);
        EXPECT_EQ(g.YF[i] == -7, c.FatalBefore) << "nothing formed after a fatal error, else formed";
        if (c.Want[0] == 0) continue;
        const Extended got[] = {g.sFn[i], g.rhoF[i], g.hFe[i], g.alphaFen[i], g.YF[i], g.YS[i]};
        for (int k = 0; k < 6; ++k)
            EXPECT_NEAR(double(got[k]), c.Want[k], 1e-7 * c.Want[k]) << "sFn rhoF hFe alphaFen YF YS: " << k;
        EXPECT_NEAR(double(g.qs[i]), c.Want[0] / (2 * c.Want[1]), 1e-7 * c.Want[0] / c.Want[1]);
    }
}

} // namespace
