// Geometry chain of a gear pair against hand calculations to DIN 3960 /
// ISO 21771. Expected values are worked out in the comments from the
// standard's formulas, independent of the program's steps:
//   mt = mn / cos beta, d = z mt, tan alpha_t = tan alpha_n / cos beta,
//   db = d cos alpha_t,
//   inv alpha_wt = inv alpha_t + 2 tan alpha_n (x1 + x2) / (z1 + z2),
//   a = (z1 + z2) mt / 2 * cos alpha_t / cos alpha_wt,
//   df = d - 2 haP0 + 2 x mn, da = d + 2 hfP0 + 2 x mn (tool 1.25 mn / 1.0 mn),
//   g_alpha = (sqrt(da1² - db1²) + sign(z2) sqrt(da2² - db2²)) / 2 - a sin alpha_wt,
//   eps_alpha = g_alpha / (pi mt cos alpha_t).
// Internal gears carry negative z, d, db, da, df and a.

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

namespace
{

double D(Extended v)
{
    return static_cast<double>(v);
}

class Geometry : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        SetGearDefaults();
        InitGearPairData();
    }

    // A pair with the standard basic rack (1.25 / 1.0 / 0.25), no tooth
    // thickness or centre distance allowances and tips without reduction, so
    // that the hand formulas above apply unchanged.
    static void LoadPair(Extended mn, int z1, int z2, Extended x1, Extended x2, Extended beta, Extended a)
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
        g.b_effH = 20;
        g.b[1] = g.b[2] = 20;
        for (int i = 1; i <= 2; ++i) {
            g.TsnSeries[i] = 11;
            g.Asne[i] = g.Asni[i] = 0;
            g.ToolProfileNo[i] = 1;
            g.DimensionInputMode[i] = 2;
            g.kmn[i] = 0;
        }
        g.AaField = 9;
        g.Aa = g.Aai = 0;
    }
};

struct PairCase {
    const char* name;
    Extended mn;
    int z1, z2;
    Extended x1, x2, beta;
    // hand results
    double d1, d2, db1, db2, alphaWtDeg, a, df1, df2, da1, da2;
};

class GeometryPairs : public Geometry, public ::testing::WithParamInterface<PairCase>
{
};

TEST_P(GeometryPairs, DiametersWorkingAngleAndCentreDistance)
{
    const auto& c = GetParam();
    LoadPair(c.mn, c.z1, c.z2, c.x1, c.x2, c.beta, 0);
    CalcGeometry();
    const auto& g = GearPair;
    ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
    EXPECT_NEAR(D(g.d[1]), c.d1, 1e-9) << c.name;
    EXPECT_NEAR(D(g.d[2]), c.d2, 1e-9) << c.name;
    EXPECT_NEAR(D(g.db[1]), c.db1, 1e-9) << c.name;
    EXPECT_NEAR(D(g.db[2]), c.db2, 1e-9) << c.name;
    EXPECT_NEAR(D(RadToDeg(g.alpha_wt)), c.alphaWtDeg, 1e-7) << c.name;
    EXPECT_NEAR(D(g.a), c.a, 1e-7) << c.name;
    EXPECT_NEAR(D(g.df[1]), c.df1, 1e-9) << c.name;
    EXPECT_NEAR(D(g.df[2]), c.df2, 1e-9) << c.name;
    EXPECT_NEAR(D(g.da[1]), c.da1, 1e-9) << c.name;
    EXPECT_NEAR(D(g.da[2]), c.da2, 1e-9) << c.name;
    // Working pitch circles roll on each other at the centre distance.
    EXPECT_NEAR(D((g.dw[1] + g.dw[2]) / 2), c.a, 1e-9) << c.name;
    EXPECT_NEAR(D(g.dw[2] / g.dw[1]), static_cast<double>(c.z2) / c.z1, 1e-12) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Din3960, GeometryPairs,
    ::testing::Values(
        // m 3, z 12/24, x 0.6/0.36: inv alpha_w = 0.014904 + 2 tan 20 * 0.96 / 36
        // = 0.034316 -> 26.0886 deg; a = 54 cos 20 / cos 26.0886 = 56.49987.
        // df1 = 36 - 7.5 + 3.6, da1 = 36 + 6 + 3.6; df2 = 72 - 7.5 + 2.16.
        PairCase{"external spur", 3, 12, 24, 0.6L, 0.36L, 0, 36, 72, 33.828934348292705, 67.65786869658541,
                 26.08856344206988, 56.499869720305185, 32.1, 66.66, 45.6, 80.16},
        // m 3, z 16/-24, x 0/-0.5: inv alpha_w = 0.014904 + 2 tan 20 (-0.5)/(-8)
        // -> 31.0936 deg; a = -12 cos 20 / cos 31.0936 = -13.16827.
        // df2 = -72 - 7.5 - 3 = -82.5, da2 = -72 + 6 - 3 = -69.
        PairCase{"internal spur", 3, 16, -24, 0, -0.5L, 0, 48, -72, 45.105245797723605, -67.65786869658541,
                 31.093620663071928, -13.168267706742352, 40.5, -82.5, 54, -69},
        // The default pair: mn 6.5, z 16/58, beta 9, x 0.52/0.57: mt 6.58102,
        // alpha_t 20.2317 deg, inv alpha_wt -> 23.9460 deg, a 249.9957.
        PairCase{"default helical", 6.5L, 16, 58, 0.52L, 0.57L, 9, 105.2963730819523, 381.6993524220771,
                 98.80136657584076, 358.1549538374228, 23.946003807472913, 249.99569870344035,
                 95.8063730819523, 372.8593524220771, 125.0563730819523, 402.1093524220771}),
    [](const auto& info) { return testnames::Identifier(info.param.name); });

TEST_F(Geometry, ProfileShiftSumFromCentreDistanceAndBack)
{
    // The entered centre distance 56.49987 of m 3, z 12/24 needs x1 + x2 = 0.96.
    LoadPair(3, 12, 24, 0.1L, 0.1L, 0, 56.499869720305185L);
    Unit0();
    CalcProfileShiftSum();
    EXPECT_NEAR(D(RadToDeg(GearPair.alpha_wt)), 26.08856344206988, 1e-7);
    EXPECT_NEAR(D(GearPair.x_sum), 0.96, 1e-9);
    // Unit1 then derives the centre distance of the entered shifts 0.1 + 0.1.
    Unit1();
    // inv alpha_w = inv 20 + 2 tan 20 * 0.2 / 36 -> a = 54 cos 20 / cos alpha_w.
    const long double invW = Involute(DegToRad(20.0L)) + 2 * std::tan(DegToRad(20.0L)) * 0.2L / 36;
    const long double aw = ArcInvolute(invW);
    EXPECT_NEAR(D(GearPair.a), D(54 * std::cos(DegToRad(20.0L)) / std::cos(aw)), 1e-9);
}

TEST_F(Geometry, ImpossibleCentreDistanceIsCorrected)
{
    // 25 % below a0 = 54: cos alpha_w would exceed 1, a becomes a0.
    LoadPair(3, 12, 24, 0, 0, 0, 40.5L);
    Unit0();
    CalcProfileShiftSum();
    EXPECT_TRUE(HasMessage("cent.distance corr. !"));
    EXPECT_NEAR(D(GearPair.a), 54, 1e-12);
    EXPECT_NEAR(D(GearPair.alpha_wt), D(GearPair.alpha_t), 1e-12);
    // 15 % below stays; the arc cosine guard gives 0.
    ResetFoundationState();
    LoadPair(3, 12, 24, 0, 0, 0, 45.9L);
    Unit0();
    CalcProfileShiftSum();
    EXPECT_TRUE(HasMessage("cent.distance corr. !"));
    EXPECT_NEAR(D(GearPair.a), 45.9, 1e-12);
    EXPECT_EQ(GearPair.alpha_wt, 0);
}

TEST_F(Geometry, ZeroCentreDistanceLeavesTheSumOpen)
{
    LoadPair(3, 12, 24, 0.3L, 0, 0, 0);
    Unit0();
    CalcProfileShiftSum();
    EXPECT_EQ(GearPair.a, 0);
    EXPECT_EQ(GearPair.alpha_wt, 0);
    EXPECT_EQ(GearPair.x_sum, 0);
}

struct ContactCase {
    const char* name;
    int z1, z2;
    Extended x1, x2;
    Extended da2; // 0: no tip reduction
    double gAlpha, epsAlpha, zf1, za1, zf2, za2;
};

class ContactRatio : public Geometry, public ::testing::WithParamInterface<ContactCase>
{
};

TEST_P(ContactRatio, PathOfContactAndSpecificSliding)
{
    const auto& c = GetParam();
    LoadPair(3, c.z1, c.z2, c.x1, c.x2, 0, 0);
    if (c.da2 != 0) {
        GearPair.DimensionInputMode[2] = 3;
        GearPair.da[2] = c.da2;
    }
    // The first run derives the centre distance from the profile shifts; the
    // centre distance limits of the second run are then those of that a.
    CalcGeometry();
    ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
    CalcGeometry();
    ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
    const auto& g = GearPair;
    EXPECT_NEAR(D(g.g_alpha), c.gAlpha, 1e-9) << c.name;
    EXPECT_NEAR(D(g.eps_alpha), c.epsAlpha, 1e-9) << c.name;
    EXPECT_NEAR(D(g.eps_part[1] + g.eps_part[2]), c.epsAlpha, 1e-9) << c.name;
    EXPECT_NEAR(D(g.g_alphaa + g.g_alphae), c.gAlpha, 1e-9) << c.name;
    EXPECT_EQ(g.eps_beta, 0) << c.name;
    // Specific sliding from the radii of curvature at the ends of the path:
    // zeta1 = 1 - rho2 / (rho1 u), zeta2 = 1 - rho1 u / rho2.
    EXPECT_NEAR(D(g.zeta_f1), c.zf1, 1e-9) << c.name;
    EXPECT_NEAR(D(g.zeta_a1), c.za1, 1e-9) << c.name;
    EXPECT_NEAR(D(g.zeta_f2), c.zf2, 1e-9) << c.name;
    EXPECT_NEAR(D(g.zeta_a2), c.za2, 1e-9) << c.name;
    // Without allowances the limit values are the nominal ones.
    EXPECT_NEAR(D(g.zeta_f1_amin), c.zf1, 1e-9) << c.name;
    EXPECT_NEAR(D(g.zeta_a2_amax), c.za2, 1e-9) << c.name;
    EXPECT_NEAR(D(g.zeta_f2_amin), c.zf2, 1e-9) << c.name;
    EXPECT_NEAR(D(g.zeta_a1_amax), c.za1, 1e-9) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Din3960, ContactRatio,
    ::testing::Values(
        // External: T1T2 = a sin alpha_w = 24.8737; rho at A: rho2 = sqrt(40.08² -
        // 33.829²) = 21.497, rho1 = 3.377 ... g_alpha = 11.93661, pet = 8.85639.
        ContactCase{"external spur", 12, 24, 0.6L, 0.36L, 0, 11.936614968438612, 1.3477962431465773,
                    -2.206236170422796, 0.6874205735066766, -2.1991868793749925, 0.6881078165030703},
        // Internal with the ring tip at -70 (clear of the pinion's interference
        // point, -69.011): g_alpha = sqrt(27² - 22.553²) - sqrt(35² - 33.829²)
        // + (33.829 - 22.553) tan 31.0936 = 12.66784.
        ContactCase{"internal spur", 16, -24, 0, -0.5L, -70, 12.667839460247906, 1.4303608249449504,
                    -1.7489045543593655, 0.027932465084382962, -0.028735107470498678, 0.6362187263234933}),
    [](const auto& info) { return testnames::Identifier(info.param.name); });

TEST_F(Geometry, InternalRingTipInsideTheInterferencePointIsLimited)
{
    // Ring tip -69 lies inside the interference limit -69.0114 of the pinion's
    // base circle point: reported, and the usable tip is the limit.
    LoadPair(3, 16, -24, 0, -0.5L, 0, 0);
    CalcGeometry();
    EXPECT_TRUE(HasMessage("Error  : tooth collision da2 !")) << Messages();
    EXPECT_NEAR(D(GearPair.dNa[2]), -69.01144466341695, 1e-9);
    // The pinion's usable tip is limited only by its own tip.
    EXPECT_NEAR(D(GearPair.dNa[1]), 54, 1e-12);
    EXPECT_NEAR(D(GearPair.eps_alpha), 1.6762097312133633, 1e-9);
}

TEST_F(Geometry, HelicalOverlapRatio)
{
    LoadPair(6.5L, 16, 58, 0.52L, 0.57L, 9, 0);
    GearPair.b[1] = GearPair.b[2] = 88;
    CalcGeometry();
    // eps_beta = b sin beta / (pi mn) = 88 sin 9 / (pi 6.5) = 0.674139
    const double expected = 88 * std::sin(9 * M_PI / 180) / (M_PI * 6.5);
    EXPECT_NEAR(D(GearPair.eps_beta), expected, 1e-12);
    // eps_alpha by hand 1.4570635 (pet = pi mt cos alpha_t = 19.39960).
    EXPECT_NEAR(D(GearPair.eps_alpha), 1.4570634980096384, 1e-9);
    EXPECT_NEAR(D(GearPair.eps_gamma), 1.4570634980096384 + expected, 1e-9);
    // A left-hand helix entered as -9 degrees overlaps just as much.
    ResetFoundationState();
    LoadPair(6.5L, 16, 58, 0.52L, 0.57L, -9, 0);
    GearPair.b[1] = GearPair.b[2] = 88;
    CalcGeometry();
    EXPECT_NEAR(D(GearPair.eps_beta), expected, 1e-12);
    // Double helical: each half carries half the width.
    ResetFoundationState();
    LoadPair(6.5L, 16, 58, 0.52L, 0.57L, 9, 0);
    GearPair.b[1] = GearPair.b[2] = 88;
    GearPair.IsDoubleHelical = true;
    CalcGeometry();
    EXPECT_NEAR(D(GearPair.eps_beta), expected / 2, 1e-12);
}

} // namespace
