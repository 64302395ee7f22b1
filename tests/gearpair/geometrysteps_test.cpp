// Input checks, allowances, tool profiles and tip handling of the geometry
// steps, and the balanced-sliding search.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "common/testmessages.h"
#include "common/testnames.h"
#include "foundation/foundationstate.h"
#include "foundation/guardedmath.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/calcgearpair.h"
#include "gearpair/geometry/geometrysteps.h"
#include "gearpair/toothform.h"

namespace
{

double D(Extended v)
{
    return static_cast<double>(v);
}

class Steps : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        SetGearDefaults();
        InitGearPairData();
    }
};

TEST_F(Steps, DefaultPairCalculatesWithoutFatalMessages)
{
    CalcGearPair();
    EXPECT_FALSE(telmvar.FatalCalcError) << Messages();
    EXPECT_FALSE(telmvar.Aborted);
    for (int i = 1; i <= error0.ErrorCount; ++i)
        EXPECT_NE(error0.ErrorTexts[i].rfind("Fatal", 0), 0u) << error0.ErrorTexts[i];
    EXPECT_GT(GearPair.eps_alpha, 1);
    EXPECT_NEAR(D(GearPair.a), 249.99569870344035, 1e-7);
}

TEST_F(Steps, DefaultPairAllowancesAndBacklash)
{
    CalcGeometry();
    const auto& g = GearPair;
    // d1 105.3 (row 50-124): series e 40 um, series 25 40 um.
    EXPECT_NEAR(D(g.Asne[1]), -0.040, 1e-15);
    EXPECT_NEAR(D(g.Tsn[1]), 0.040, 1e-15);
    EXPECT_NEAR(D(g.Asni[1]), -0.080, 1e-15);
    // d2 381.7 (row 280-559): e 75 um, series 25 60 um.
    EXPECT_NEAR(D(g.Asne[2]), -0.075, 1e-15);
    EXPECT_NEAR(D(g.Asni[2]), -0.135, 1e-15);
    // js 7 at the entered 250 mm (row 180-249): 46 um, half each side.
    EXPECT_NEAR(D(g.Aa), 0.023, 1e-15);
    EXPECT_NEAR(D(g.Aai), -0.023, 1e-15);
    EXPECT_EQ(g.CentreDistanceTolerance, "js 7");
    EXPECT_EQ(g.ToleranceZone[1], "e 25");
    // jt,min = (0.040 + 0.075 - 2 * 0.023 tan 20) / cos 9 = 0.0994822
    EXPECT_NEAR(D(g.jtmin), 0.09948215969072703, 1e-12);
    EXPECT_NEAR(D(g.jtmax), 0.2346313318193139, 1e-12);
    EXPECT_NEAR(D(g.jnmin), 0.09233172479739869, 1e-12);
    // xe = x + As / (2 mn tan alpha_n)
    EXPECT_NEAR(D(g.xemin[1]), 0.50309244664951, 1e-12);
    EXPECT_NEAR(D(g.xemax[2]), 0.5541491687339156, 1e-12);
    // No machining allowance: pre-machined equals finished.
    EXPECT_EQ(g.xevmax[1], g.xemax[1]);
    // The finished gear's root comes from the pre-machining tool (xevmax).
    EXPECT_NEAR(D(g.df[1]), D(g.d[1] - 2 * 1.25L * 6.5L + 2 * g.xemax[1] * 6.5L), 1e-12);
    EXPECT_NEAR(D(g.df_tol[1]), D(2 * (g.xemin[1] - g.xemax[1]) * 6.5L), 1e-12);
}

struct InputCase {
    const char* name;
    Extended alpha, beta, mn, bEffH;
    int z1, z2;
    const char* message; // nullptr: none expected
    bool fatal;
};

class InputChecks : public Steps, public ::testing::WithParamInterface<InputCase>
{
};

TEST_P(InputChecks, Unit0)
{
    const auto& c = GetParam();
    auto& g = GearPair;
    g.alpha = c.alpha;
    g.beta = c.beta;
    g.mn = c.mn;
    g.b_effH = c.bEffH;
    g.z[1] = c.z1;
    g.z[2] = c.z2;
    Unit0();
    EXPECT_EQ(telmvar.FatalCalcError, c.fatal) << c.name << ": " << Messages();
    if (c.message)
        EXPECT_TRUE(HasMessage(c.message)) << c.name << ": " << Messages();
    else
        EXPECT_EQ(error0.ErrorCount, 0) << c.name << ": " << Messages();
}

INSTANTIATE_TEST_SUITE_P(
    Limits, InputChecks,
    ::testing::Values(InputCase{"alpha 5", 5, 0, 3, 20, 12, 24, nullptr, false},
                      InputCase{"alpha 45", 45, 0, 3, 20, 12, 24, nullptr, false},
                      InputCase{"alpha 4.99", 4.99L, 0, 3, 20, 12, 24, "Fatal  : alpha !", true},
                      InputCase{"alpha 45.01", 45.01L, 0, 3, 20, 12, 24, "Fatal  : alpha !", true},
                      InputCase{"beta -45", 20, -45, 3, 20, 12, 24, nullptr, false},
                      InputCase{"beta -45.1", 20, -45.1L, 3, 20, 12, 24, "Fatal  : beta > 45!", false},
                      InputCase{"mn 0", 20, 0, 0, 20, 12, 24, "Fatal  : mn <= 0!", true},
                      InputCase{"b 0", 20, 0, 3, 0, 12, 24, "Fatal  : b <= 0!", true},
                      InputCase{"z1 1", 20, 0, 3, 20, 1, 24, "Fatal  : z1 < 2!", true},
                      InputCase{"z2 -1", 20, 0, 3, 20, 12, -1, "Fatal  : z2 < 2!", true},
                      InputCase{"z2 -2", 20, 0, 3, 20, 2, -2, nullptr, false},
                      InputCase{"z2 < z1", 20, 0, 3, 20, 24, 12, "Error  : z2 < z1 !", false},
                      InputCase{"z1 < 0", 20, 0, 3, 20, -12, 24, "Error  : z1 < 0 !", false}),
    [](const auto& info) { return testnames::Identifier(info.param.name); });

TEST_F(Steps, FatalOnEntryOnlyLogs)
{
    telmvar.FatalCalcError = true;
    GearPair.d[1] = 7;
    Unit0();
    Unit1();
    Unit2();
    EXPECT_TRUE(HasMessage("Fatal  : Unit0"));
    EXPECT_TRUE(HasMessage("Fatal  : Unit1"));
    EXPECT_TRUE(HasMessage("Fatal  : Unit2"));
    EXPECT_EQ(GearPair.d[1], 7);
}

TEST_F(Steps, TransverseValuesAndUndercutLimit)
{
    auto& g = GearPair;
    g.beta = 0;
    g.z[1] = 12;
    g.z[2] = 24;
    g.mn = 3;
    Unit0();
    // zg = 2 / sin² 20 = 17.097, zg' = 5/6 zg: x_min = (14.248 - 12) / 17.097.
    EXPECT_NEAR(D(g.x_min[1]), 0.13146666269026744, 1e-12);
    EXPECT_NEAR(D(g.Pn), 25.4 / 3, 1e-15);
    EXPECT_EQ(g.ToothAlignment[2], 3);
    g.ToothAlignment[1] = 1;
    Unit0();
    EXPECT_EQ(g.ToothAlignment[2], 2); // external: opposite hand
    g.z[2] = -24;
    g.dB[2] = 150;
    Unit0();
    EXPECT_EQ(g.ToothAlignment[2], 1); // internal: same hand
    EXPECT_EQ(g.x_min[2], 0);
    EXPECT_EQ(g.dB[2], -150);
    EXPECT_NEAR(D(g.d[2]), -72, 1e-12);
    EXPECT_NEAR(D(g.a0), -18, 1e-12);
}

TEST_F(Steps, ToleranceSeriesZeroBecomesEntered)
{
    auto& g = GearPair;
    g.TsnSeries[1] = 0;
    CalcGeometry();
    // Table allowance with a tolerance of 0, then kept as entered.
    EXPECT_NEAR(D(g.Asne[1]), -0.040, 1e-15);
    EXPECT_EQ(g.Asni[1], g.Asne[1]);
    EXPECT_EQ(g.TsnSeries[1], 11);
    EXPECT_EQ(g.ToleranceZone[1], "");
    g.Asni[1] = -0.1L;
    CalcGeometry();
    EXPECT_NEAR(D(g.Tsn[1]), 0.06, 1e-15);
}

TEST_F(Steps, CentreDistanceFieldsAndEnteredAllowances)
{
    auto& g = GearPair;
    g.AaField = 1;
    CalcGeometry();
    EXPECT_NEAR(D(g.Aa), 0.014 / 2, 1e-15); // js 4 at 250: 14 um
    EXPECT_EQ(g.CentreDistanceTolerance, "js 4");
    g.AaField = 9;
    g.Aa = 0.05L;
    g.Aai = -0.02L;
    CalcGeometry();
    EXPECT_EQ(g.Aa, 0.05L);
    EXPECT_EQ(g.Aai, -0.02L);
    EXPECT_EQ(g.CentreDistanceTolerance, "");
}

TEST_F(Steps, MachiningAllowance)
{
    auto& g = GearPair;
    g.q[1] = 0.000005L;
    g.q_tol[1] = 0.1L;
    CalcGeometry();
    EXPECT_EQ(g.q[1], 0);
    EXPECT_EQ(g.q_tol[1], 0);
    EXPECT_EQ(g.xevmin[1], g.xemin[1]);

    ResetFoundationState();
    g.q[1] = 0.2L;
    g.q_tol[1] = 0.01L; // below Tsn / 2 = 0.02
    CalcGeometry();
    // xev = xe,max + q / (sin alpha_n mn)
    EXPECT_NEAR(D(g.xevmin[1]), D(g.xemax[1] + 0.2L / std::sin(DegToRad(20.0L)) / 6.5L), 1e-12);
    EXPECT_NEAR(D(g.xevmax[1]), D(g.xemax[1] + 0.21L / std::sin(DegToRad(20.0L)) / 6.5L), 1e-12);
    EXPECT_TRUE(HasMessage("Warning: q tol < Tsn/2  (1)")) << Messages();

    ResetFoundationState();
    wtelmvar.HideWarnings = true;
    CalcGeometry();
    EXPECT_FALSE(HasMessage("Warning: q tol < Tsn/2  (1)"));
}

TEST_F(Steps, StandardToolProfiles)
{
    auto& g = GearPair;
    g.ToolProfileNo[1] = 3;
    g.ToolProfileNo[2] = 2;
    CalcGeometry();
    EXPECT_NEAR(D(g.haP0[1]), 1.4 * 6.5, 1e-12);
    EXPECT_NEAR(D(g.prP0[1]), 0.02 * 6.5, 1e-12);
    EXPECT_EQ(g.alphaprP0[1], 6);
    EXPECT_EQ(g.ProfileName[1], "Protub.");
    EXPECT_NEAR(D(g.rhoaP0[2]), 0.38 * 6.5, 1e-12);
    EXPECT_EQ(g.ProfileName[2], "Normal");
    EXPECT_EQ(g.HasChamfer[1], 0);
    EXPECT_EQ(g.alphakP0[1], 20);
    // Entered profile with a chamfer of its own.
    g.ToolProfileNo[1] = 4;
    g.alphakP0[1] = 45;
    g.hFfP0_mn[1] = 0.4L;
    CalcGeometry();
    EXPECT_EQ(g.HasChamfer[1], 1);
    EXPECT_EQ(g.ProfileName[1], "");
    EXPECT_NEAR(D(g.hFfP0[1]), 0.4 * 6.5, 1e-12);
    // The tool's chamfer corner (0.4 mn + x mn above the rolling line) rolls
    // the involute up to roll length r sin a_t + 5.9 / sin a_t = 35.3 mm, that
    // is a diameter of about 121 mm, below the tip of 124.9 mm: the chamfer
    // takes the tip corner and the involute ends below the tip.
    EXPECT_GT(g.dFamax[1], g.db[1]);
    EXPECT_LT(g.dFamax[1], g.da[1]);
    EXPECT_LE(g.dFamin[1], g.dFamax[1]);
    // The chamfer removes material: a thinner top land than the involute's
    // da (s_t/d + inv a_t - inv a_a) at the same tip.
    const Extended aa = std::acos(D(g.db[1] / g.da[1]));
    const Extended involuteTopLand = g.da[1] * (g.st_max[1] / g.d[1] + Involute(g.alpha_t) - Involute(aa));
    EXPECT_LT(g.sat_max[1], involuteTopLand);
}

TEST_F(Steps, ExternalRootBelowZeroIsFatalInternalIsNot)
{
    auto& g = GearPair;
    g.z[1] = 2;
    g.z[2] = 24;
    g.beta = 0;
    g.x[1] = 0;
    g.x[2] = 0;
    CalcGeometry();
    EXPECT_TRUE(HasMessage("Fatal  : df <=0 ! (1)")) << Messages();
    EXPECT_TRUE(telmvar.FatalCalcError);

    ResetFoundationState();
    g.z[1] = 16;
    g.z[2] = -24;
    g.x[2] = -0.5L;
    g.mn = 3;
    CalcGeometry();
    EXPECT_LT(g.df[2], 0);
    EXPECT_FALSE(HasMessage("Fatal  : df <=0 ! (2)")) << Messages();
}

TEST_F(Steps, WorkingPressureAngleThatCannotBeFormedAborts)
{
    GearPair.x[1] = 1e6L; // involute beyond any angle
    CalcGeometry();
    EXPECT_TRUE(HasMessage("Fatal  : alpha wt !")) << Messages();
    EXPECT_TRUE(telmvar.FatalCalcError);
    EXPECT_TRUE(telmvar.Aborted);
}

TEST_F(Steps, TipReductionSnapsAndWarns)
{
    auto& g = GearPair;
    CalcGeometry();
    const Extended da0 = g.da0[1];
    g.DimensionInputMode[1] = 3;
    g.da[1] = da0 - 0.0015L; // kmn 0.00075 < 0.001: snapped
    CalcGeometry();
    EXPECT_EQ(g.kmn[1], 0);
    EXPECT_EQ(g.da[1], g.da0[1]);
    g.da[1] = da0 + 1;
    CalcGeometry();
    EXPECT_TRUE(HasMessage("Error  : kmn < 0 !  (1)")) << Messages();
    EXPECT_NEAR(D(g.kmn[1]), -0.5, 1e-12);
}

TEST_F(Steps, TipFormDiameterWithoutRootFillet)
{
    auto& g = GearPair;
    g.q[1] = 0.2L;
    g.q_tol[1] = 0.1L;
    CalcGeometry();
    EXPECT_EQ(g.dFamax[1], g.da[1]);
    EXPECT_EQ(g.dFamin[1], g.da[1] + g.df_tol[1]);
    // With a tool root fillet rho the tip corner rounds off:
    // dFa = da0 - 2 rho (1 - sin alpha_n) when below da.
    g.rhofP0_mn[1] = 0.2L;
    CalcGeometry();
    EXPECT_NEAR(D(g.dFamax[1]), D(g.da0[1] - 2 * 1.3L * (1 - std::sin(DegToRad(20.0L)))), 1e-12);
}

TEST_F(Steps, EpsilonAlphaNotPositiveIsFatal)
{
    auto& g = GearPair;
    CalcGeometry();
    // Tips on the base circles: no path of contact left.
    g.DimensionInputMode[1] = g.DimensionInputMode[2] = 3;
    g.da[1] = g.db[1];
    g.da[2] = g.db[2];
    CalcGeometry();
    EXPECT_TRUE(HasMessage("Fatal  : epsilon alpha <=0 !")) << Messages();
    EXPECT_TRUE(telmvar.FatalCalcError);
}

TEST_F(Steps, ResolveDimensionInputMode)
{
    auto& g = GearPair;
    g.a = 100;
    g.da0[1] = 60;
    g.df[2] = 130;
    g.da0[2] = 150;
    g.df[1] = 45;
    g.DimensionInputMode[1] = 1;
    g.ck[1] = 1.5L;
    g.DimensionInputMode[2] = 2;
    g.kmn[2] = 0.5L;
    ResolveDimensionInputMode();
    EXPECT_NEAR(D(g.da[1]), 2 * (100 - 1.5) - 130, 1e-12); // 67
    EXPECT_NEAR(D(g.kmn[1]), (60 - 67) / 2.0, 1e-12);
    EXPECT_NEAR(D(g.da[2]), 149, 1e-12);
    EXPECT_NEAR(D(g.ck[2]), 100 - (149 + 45) / 2.0, 1e-12);
    g.DimensionInputMode[1] = 3;
    g.da[1] = 60;
    ResolveDimensionInputMode();
    EXPECT_EQ(g.kmn[1], 0);
    EXPECT_NEAR(D(g.ck[1]), 100 - (60 + 130) / 2.0, 1e-12);
    g.DimensionInputMode[1] = 7;
    g.da[1] = 1;
    ResolveDimensionInputMode();
    EXPECT_EQ(g.da[1], 1);
}

TEST_F(Steps, SetDefaultCentreDistance)
{
    auto& g = GearPair;
    g.a = 0;
    g.z[1] = 16;
    g.z[2] = -24;
    g.mn = 3;
    SetDefaultCentreDistance();
    EXPECT_NEAR(D(g.a), -12, 1e-15);
    g.a = 20;
    SetDefaultCentreDistance();
    EXPECT_EQ(g.a, 20);
}

// Results that the balanced-sliding search must hand back unchanged.
void ExpectSameGeometry(const TGearPairData& before, const TGearPairData& after)
{
#define SAME(f) EXPECT_EQ(before.f, after.f) << #f
    SAME(x);
    SAME(ck);
    SAME(da);
    SAME(kmn);
    SAME(a);
    SAME(alpha_wt);
    SAME(alpha_wt_min);
    SAME(dw);
    SAME(dw_amin);
    SAME(df);
    SAME(df_min);
    SAME(da0);
    SAME(dFamax);
    SAME(dFamin);
    SAME(dNa);
    SAME(dNf);
    SAME(dFf_nom);
    SAME(xemin);
    SAME(xemax);
    SAME(xevmax);
    SAME(sn_nom);
    SAME(sat_nom);
    SAME(stw);
    SAME(eps_alpha);
    SAME(eps_gamma);
    SAME(eps_part);
    SAME(g_alpha);
    SAME(g_alphaa);
    SAME(g_alphae);
    SAME(zeta_f1);
    SAME(zeta_f2);
    SAME(zeta_a1);
    SAME(zeta_a2);
    SAME(zeta_f1_amin);
    SAME(x_sum);
    SAME(jtmin);
    SAME(h);
    SAME(ckmin);
    SAME(ckmax);
    SAME(u);
    SAME(beta_w);
#undef SAME
}

TEST_F(Steps, BalancedSlidingSplit)
{
    auto& g = GearPair;
    CalcGeometry();
    CalcGeometry(); // x_sum now belongs to the calculated centre distance
    const TGearPairData before = g;
    const Extended x1 = GetXSpezGleit();
    EXPECT_FALSE(telmvar.FatalCalcError) << Messages();
    EXPECT_FALSE(HasMessage("Error  : GetXSpez.Gleit.")) << Messages();
    ExpectSameGeometry(before, g);
    // The pinion shift found gives equal root sliding with the same sum.
    EXPECT_GT(x1, -0.5L);
    EXPECT_LT(x1, 1.5L);
    EXPECT_NE(x1, g.x[1]);
    g.x[2] = g.x[1] + g.x[2] - x1;
    g.x[1] = x1;
    // Tips with the standard tip shortening k mn = a_d + (x1 + x2) mn - a,
    // as the search sets them (the clearance stays above 0.12 mn here).
    const Extended ad = g.mt / 2 * (g.z[1] + g.z[2]);
    for (int i = 1; i <= 2; ++i) {
        g.DimensionInputMode[i] = 2;
        g.kmn[i] = ad + (g.x[1] + g.x[2]) * g.mn - g.a;
    }
    CalcGeometry();
    ASSERT_GT(g.ck[1], 0.12L * g.mn);
    EXPECT_NEAR(D(g.zeta_f1), D(g.zeta_f2), 0.002);
}

TEST_F(Steps, BalancedSlidingOutOfRangeRestoresThePair)
{
    auto& g = GearPair;
    // Two equal gears balance at half the shift sum: -0.6, below the search
    // range -0.5 .. 1.5.
    g.z[1] = 40;
    g.z[2] = 40;
    g.beta = 0;
    g.mn = 3;
    g.x[1] = -0.6L;
    g.x[2] = -0.6L;
    g.a = 0;
    CalcGeometry();
    ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
    CalcGeometry();
    ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
    const TGearPairData before = g;
    ResetErrorState();
    EXPECT_EQ(GetXSpezGleit(), 0);
    EXPECT_TRUE(HasMessage("Error  : GetXSpez.Gleit.")) << Messages();
    EXPECT_FALSE(telmvar.FatalCalcError);
    ExpectSameGeometry(before, g);
}

TEST_F(Steps, BalancedSlidingStopsAtATrialWithoutSliding)
{
    auto& g = GearPair;
    // Equal gears with x -0.7 each: the first trial (x1 0.5, x2 -1.9) puts
    // gear 2's tip below its base circle, so no sliding can be formed there;
    // the sliding of the pair before the search must not count as balanced.
    g.z[1] = 40;
    g.z[2] = 40;
    g.beta = 0;
    g.mn = 3;
    g.x[1] = -0.7L;
    g.x[2] = -0.7L;
    g.a = 0;
    CalcGeometry();
    CalcGeometry();
    ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
    const TGearPairData before = g;
    // The warnings of this odd pair fill the message list.
    ResetErrorState();
    EXPECT_EQ(GetXSpezGleit(), 0);
    EXPECT_TRUE(HasMessage("Error  : GetXSpez.Gleit.")) << Messages();
    EXPECT_FALSE(telmvar.FatalCalcError);
    EXPECT_FALSE(telmvar.Aborted);
    ExpectSameGeometry(before, g);
}

TEST_F(Steps, RootSlidingAtTheInterferencePointShowsAsMinus999)
{
    auto& g = GearPair;
    g.mn = 3;
    g.beta = 0;
    g.z[1] = 16;
    g.z[2] = -24;
    g.x[1] = 0;
    g.x[2] = -0.5L;
    g.AaField = 9;
    g.Aa = g.Aai = 0;
    g.TsnSeries[1] = g.TsnSeries[2] = 11;
    g.Asne[1] = g.Asne[2] = g.Asni[1] = g.Asni[2] = 0;
    CalcGeometry();
    // The ring tip is limited to the interference point: the pinion's root
    // sliding there is unbounded.
    EXPECT_TRUE(HasMessage("Error  : tooth collision da2 !")) << Messages();
    EXPECT_EQ(g.zeta_f1, -999);
}

struct SlidingCase {
    int z2, which;
    Extended gap, u;
    double expected;
};

class SlidingAt : public ::testing::TestWithParam<SlidingCase>
{
};

TEST_P(SlidingAt, FromRadiiOfCurvature)
{
    // Gear A: tangent length sqrt(5² - 3²) = 4; gear B: sqrt(10² - 6²) = 8.
    const auto& c = GetParam();
    EXPECT_NEAR(D(SpecificSlidingAt(c.z2, c.which, c.gap, 6, 12, 10, 20, c.u)), c.expected, 1e-15)
        << c.z2 << " " << c.which << " " << D(c.gap);
}

INSTANTIATE_TEST_SUITE_P(Points, SlidingAt,
                         ::testing::Values(
                             // External: rho1 = 5, rho2 = 7: zeta1 = 1 - 7 / (5 * 2), zeta2 = 1 - 5 * 2 / 7.
                             SlidingCase{24, 1, 1, 2, 0.3}, SlidingCase{24, 2, 1, 2, 1 - 10.0 / 7},
                             // Internal: rho2 = 8 + 1 = 9: zeta1 = 1 - 9 / (5 * 2).
                             SlidingCase{-24, 1, 1, -2, 0.1}, SlidingCase{-24, 2, 1, -2, 1 - 10.0 / 9},
                             // At the interference points there is no finite sliding.
                             SlidingCase{24, 1, -4, 2, 0}, SlidingCase{24, 2, 8, 2, 0}),
                         [](const auto& info) {
                             const auto& c = info.param;
                             return std::string(c.z2 > 0 ? "external" : "internal") + "_gear" +
                                    std::to_string(c.which) + "_gap" + testnames::Number(c.gap);
                         });

TEST(FormDiameters, RootFormOfAPositiveShiftedPinion)
{
    // m 3, z 12, x 0.6, tool 1.25 m with tip radius 0.25 m:
    // dFf = sqrt(db² + (d sin a - 2 (3.75 - 1.8 - 0.75 (1 - sin a)) / sin a)²).
    const Extended a = DegToRad(20.0L);
    const Extended db = 36 * std::cos(a);
    EXPECT_NEAR(D(RootFormDiameter(36, a, 3.75L, 0.6L, 3, 0.75L, a, db)), 34.04120058845724, 1e-12);
    // A protuberance of 0 changes nothing.
    EXPECT_NEAR(D(RootFormDiameterProtuberance(0, 36, a, 3.75L, 0.6L, 3, 0.75L, a, db)), 34.04120058845724,
                1e-12);
}

TEST(FormDiameters, ChamferMeetsTheInvoluteWhereBothThicknessesAgree)
{
    // m 3, z 30 spur, chamfer at 45 degrees cut 0.9 m deep by the tool.
    const Extended an = DegToRad(20.0L);
    const Extended ak = DegToRad(45.0L);
    const Extended mn = 3, x = 0.2L, hFf = 0.9L * 3;
    const Extended d = 90, db = d * std::cos(an), da = d + 2 * mn + 2 * x * mn;
    Extended sak = 0;
    const Extended dFa = TipFormDiameterChamfer(30, 1, sak, an, 0, mn, x, x, ak, hFf, da);
    ASSERT_GT(dFa, db);
    ASSERT_LT(dFa, da);
    // Involute thickness at dFa: d_y (s/d + inv a - inv a_y).
    const Extended s = Pi / 2 * mn + 2 * x * mn * std::tan(an);
    const Extended sInv = dFa * (s / d + Involute(an) - Involute(std::acos(db / dFa)));
    EXPECT_NEAR(D(sak), D(sInv), 0.0005);
    EXPECT_GT(sak, 0);
}

} // namespace
