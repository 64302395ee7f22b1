// Meshing picture and animation angles. The reference pair is the standard
// spur pair z 20 / 40, m 2, x 0, without allowances, whose angles follow by
// hand: the tooth on the pitch circle spans 2 asin(pi m / 2 / 2d) = 4.5012
// deg; the path of contact from A (on the tip of gear 2, 5.0586 mm before C)
// to E (on the tip of gear 1, 4.5960 mm after C) turns gear 1 by the path
// over its base radius 18.7939 mm.

#include "gearpair/geometry/animation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "common/statereset.h"
#include "common/testmessages.h"
#include "foundation/guardedmath.h"
#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/calcgearpair.h"

namespace
{

class Animation : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        // A test starts over by running SetUp again.
        ResetProgramState();
        SetGearDefaults();
        InitGearPairData();
    }

    static void CalcReferencePair(int z2 = 40)
    {
        auto& g = GearPair;
        g.z[1] = 20;
        g.z[2] = z2;
        g.x[1] = g.x[2] = 0;
        g.mn = 2;
        g.beta = 0;
        g.a = (20 + z2);
        g.b[1] = g.b[2] = g.b_effH = 20;
        for (int i = 1; i <= 2; ++i) {
            g.TsnSeries[i] = 11;
            g.Asne[i] = g.Asni[i] = 0;
            g.DimensionInputMode[i] = 2;
            g.kmn[i] = 0;
        }
        g.AaField = 9;
        g.Aa = g.Aai = 0;
        CalcGeometry();
    }
};

TEST_F(Animation, AnglesOfTheReferencePair)
{
    CalcReferencePair();
    ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
    const auto& g = GearPair;
    EXPECT_NEAR(static_cast<double>(g.phi_c), 4.5011573976, 1e-8);
    EXPECT_NEAR(static_cast<double>(g.phi_a), 19.9229600115, 1e-8);
    EXPECT_NEAR(static_cast<double>(g.phi_e), -9.5103873327, 1e-8);
    EXPECT_NEAR(static_cast<double>(g.stw_angle_deg), 4.5011573976, 1e-8);
}

TEST_F(Animation, DefaultPictureValues)
{
    CalcReferencePair();
    const auto& g = GearPair;
    EXPECT_EQ(g.PicturePlanets, 3);
    EXPECT_EQ(g.a_pic, g.a);
    // a picture at the pair's own centre distance draws the working circles
    for (int i = 1; i <= 2; ++i) {
        EXPECT_NEAR(static_cast<double>(g.dw_pic[i]), static_cast<double>(g.dw[i]), 1e-12);
        EXPECT_EQ(g.x_pic[i], 0);
        EXPECT_EQ(g.xv_pic[i], 0);
    }
    // tooth of x 0: half the pitch; root d - 2.5 m; tip d + 2 m
    EXPECT_NEAR(static_cast<double>(g.sn_pic[1]), static_cast<double>(Pi), 1e-15);
    EXPECT_NEAR(static_cast<double>(g.df_pic[1]), 35, 1e-12);
    EXPECT_NEAR(static_cast<double>(g.da_pic[1]), 44, 1e-12);
    EXPECT_NEAR(static_cast<double>(g.df_pic[2]), 75, 1e-12);
    EXPECT_NEAR(static_cast<double>(g.da_pic[2]), 84, 1e-12);
}

TEST_F(Animation, ContactEntersBeforeThePitchPointAndLeavesAfter)
{
    for (const int z2 : {40, 61, -60}) {
        SetUp();
        CalcReferencePair(z2);
        ASSERT_FALSE(telmvar.FatalCalcError) << z2 << ": " << Messages();
        const auto& g = GearPair;
        EXPECT_GT(g.phi_a, g.phi_c) << z2;
        EXPECT_GT(g.phi_c, g.phi_e) << z2;
    }
}

TEST_F(Animation, PictureAtAnotherCentreDistance)
{
    CalcReferencePair();
    auto& g = GearPair;
    g.a_pic = 61;
    PairArray<Extended> xPic{};
    ResetErrorState();
    confgraf(xPic);
    // the working circles divide the centre distance in the ratio of the teeth
    EXPECT_NEAR(static_cast<double>(g.dw_pic[1]), 2 * 61 * 20 / 60.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(g.dw_pic[2]), 2 * 61 * 40 / 60.0, 1e-12);
    EXPECT_EQ(error0.ErrorCount, 0) << Messages();
}

TEST_F(Animation, ImpossibleCentreDistanceKeepsTheAngles)
{
    CalcReferencePair();
    auto& g = GearPair;
    const Extended phiA = g.phi_a, phiC = g.phi_c, phiE = g.phi_e;
    const Extended dw1 = g.dw_pic[1], dw2 = g.dw_pic[2];
    g.a_pic = 40; // cos of the working angle 1.41
    PairArray<Extended> xPic{};
    xPic[1] = 0.5L;
    confgraf(xPic);
    EXPECT_TRUE(HasMessage("Error  : confgraf")) << Messages();
    EXPECT_EQ(g.phi_a, phiA);
    EXPECT_EQ(g.phi_c, phiC);
    EXPECT_EQ(g.phi_e, phiE);
    EXPECT_EQ(g.dw_pic[1], dw1);
    EXPECT_EQ(g.dw_pic[2], dw2);
}

TEST_F(Animation, DrawnTipFromTheToolOrTheReducedTip)
{
    CalcReferencePair();
    auto& g = GearPair;
    PairArray<Extended> xPic{};
    xPic[1] = 0.25L;
    // below 0.00001 the tip is drawn from the tool depth: 2 hfP0 + d + 2 x m
    // = 4 + 40 + 1, whatever the tip diameter says
    g.kmn[1] = 0.000005L;
    g.da[1] = 43;
    confgraf(xPic);
    EXPECT_NEAR(static_cast<double>(g.da_pic[1]), 45, 1e-12);
    EXPECT_NEAR(static_cast<double>(g.df_pic[1]), 36, 1e-12);
    EXPECT_NEAR(static_cast<double>(g.sn_pic[1]), (2 * 0.25 * std::tan(g.alpha_rad) + Pi / 2) * 2.0, 1e-15);
    // a reduced tip is drawn as designed
    g.kmn[1] = 0.5L;
    g.da[1] = 43.2L;
    confgraf(xPic);
    EXPECT_NEAR(static_cast<double>(g.da_pic[1]), 43.2, 1e-12);
}

TEST_F(Animation, RootWithMachiningAllowanceAtThePreMachiningShift)
{
    auto& g = GearPair;
    g.q[1] = 0.1L;
    g.q_tol[1] = 0.05L;
    CalcReferencePair();
    ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
    // xevmin + xevmax = (2 q + q_tol) / sin 20 / m = 0.3654755
    const double shiftSum = 0.25 / std::sin(20 * static_cast<double>(Pi) / 180) / 2;
    EXPECT_NEAR(static_cast<double>(g.xv_pic[1]), shiftSum / 2, 1e-12);
    EXPECT_NEAR(static_cast<double>(g.df_pic[1]), 35 + shiftSum * 2, 1e-12);
    EXPECT_NEAR(static_cast<double>(g.da_pic[1]), 44 + shiftSum * 2, 1e-12);
    // the flank is the finished one
    EXPECT_NEAR(static_cast<double>(g.sn_pic[1]), static_cast<double>(Pi), 1e-15);
}

} // namespace
