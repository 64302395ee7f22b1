// Willis kinematics of the plus stage with double planets. Expected values
// are worked by hand from nS - i0*nH = (1 - i0)*nC with i0 = -zH/zS.
#include "common/statereset.h"
#include "foundation/foundationstate.h"
#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "planetary/kinematics.h"
#include "planetary/stage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace
{

class Kinematics : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        // Tests that start over call SetUp again.
        ResetProgramState();
        InitPlanetaryData();
    }
    static void SetTeeth(int zS, int zPi, int zPe, int zH)
    {
        auto& z = PlanetaryGears.z;
        z[gS] = zS;
        z[gPi] = zPi;
        z[gPe] = zPe;
        z[gH] = zH;
    }
    static void SetDrive(int in, int out, Extended nIn, Extended nThird = 0)
    {
        PlanetaryShafts.InputShaft = static_cast<uint16_t>(in);
        PlanetaryShafts.OutputShaft = static_cast<uint16_t>(out);
        PlanetaryStage.nIn = nIn;
        PlanetaryStage.nThird = nThird;
    }
};

struct SpeedCase {
    const char* what;
    int zS, zH, in, out;
    Extended nIn, nThird;
    int fixed;
    Extended nS, nC, nH, ratio;
};

TEST_F(Kinematics, ShaftSpeedsFollowWillis)
{
    const SpeedCase cases[] = {
        // zS 21, zH -63: i0 = 3; H fixed: nC = nS/(1 - i0) = -50, i = -2.
        {"S in, C out, H fixed", 21, -63, 1, 2, 100, 0, 3, 100, -50, 0, -2},
        // C fixed: the stage is a stationary gear with ratio i0: nH = nS/i0.
        {"S in, H out, C fixed", 21, -63, 1, 3, 100, 0, 2, 100, 0, 100.0L / 3, 3},
        // zS 18, zH -90 (i0 = 5), C fixed, sun 1000: ring 200 in the same direction.
        {"i0 5, C fixed", 18, -90, 1, 3, 1000, 0, 2, 1000, 0, 200, 5},
        // Sun 1000 and ring 500 given: nC = (nS - i0 nH)/(1 - i0) = (1000 - 2500)/(-4) = 375.
        {"i0 5, S and H driven", 18, -90, 1, 2, 1000, 500, 3, 1000, 375, 500, 1000.0L / 375},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        SetTeeth(c.zS, 15, 15, c.zH);
        SetDrive(c.in, c.out, c.nIn, c.nThird);
        CalcDriveData();
        const auto& n = PlanetaryStage.n;
        EXPECT_EQ(PlanetaryShafts.FixedShaft, c.fixed);
        EXPECT_NEAR(static_cast<double>(n[shaftS]), static_cast<double>(c.nS), 1e-9);
        EXPECT_NEAR(static_cast<double>(n[shaftC]), static_cast<double>(c.nC), 1e-9);
        EXPECT_NEAR(static_cast<double>(n[shaftH]), static_cast<double>(c.nH), 1e-9);
        EXPECT_NEAR(static_cast<double>(PlanetaryStage.i), static_cast<double>(c.ratio), 1e-9);
        EXPECT_NEAR(static_cast<double>(PlanetaryStage.i0), -c.zH / static_cast<double>(c.zS), 1e-12);
    }
}

TEST_F(Kinematics, SameInputAndOutputTakesTheFirstRule)
{
    // The stage calculation refuses this drive; the kinematics alone takes
    // the first fixed-shaft rule.
    SetTeeth(21, 15, 15, -63);
    SetDrive(1, 1, 100);
    CalcDriveData();
    EXPECT_EQ(PlanetaryShafts.FixedShaft, 3);
}

TEST_F(Kinematics, PlanetSpeedsRelativeToCarrier)
{
    // S 21 at 100, C fixed: Pi turns at -(0 - 100)*21/15 = 140 relative to C,
    // Pe at -140; absolute equal, since C stands still.
    SetTeeth(21, 15, 15, -63);
    SetDrive(1, 3, 100);
    CalcDriveData();
    EXPECT_NEAR(static_cast<double>(PlanetaryStage.npC[1]), -140.0, 1e-9);
    EXPECT_NEAR(static_cast<double>(PlanetaryStage.npC[2]), 140.0, 1e-9);
    EXPECT_EQ(PlanetaryStage.nBearing[1], PlanetaryStage.npC[1]);
    EXPECT_EQ(PlanetaryStage.nBearing[2], PlanetaryStage.npC[2]);
    EXPECT_NEAR(static_cast<double>(PlanetaryStage.np0[1]), -140.0, 1e-9);
    // Pe meshes with H (nH = 100/3): np0 = -zH*nH/zPe = 63*33.33/15 = 140.
    EXPECT_NEAR(static_cast<double>(PlanetaryStage.np0[2]), 140.0, 1e-9);
}

TEST_F(Kinematics, SunWithoutTeethIsFatal)
{
    SetTeeth(0, 15, 15, -63);
    SetDrive(1, 2, 100);
    PlanetaryStage.i0 = 7;
    CalcDriveData();
    EXPECT_TRUE(telmvar.FatalCalcError);
    ASSERT_EQ(error0.ErrorCount, 1);
    EXPECT_EQ(error0.ErrorTexts[1], "Fatal  : zS = 0 !");
    EXPECT_EQ(PlanetaryStage.i0, 7); // nothing written
}

struct TorqueCase {
    const char* what;
    int in, out;
    bool split;
};

TEST_F(Kinematics, TorquesBalanceAndPowersMatchSpeeds)
{
    const TorqueCase cases[] = {
        {"S in, C out", 1, 2, false},       {"S in, H out", 1, 3, false},
        {"C in, S out", 2, 1, false},       {"C in, H out", 2, 3, false},
        {"H in, S out", 3, 1, false},       {"H in, C out", 3, 2, false},
        {"S in, C out, split", 1, 2, true}, {"S in, H out, split", 1, 3, true},
        {"H in, C out, split", 3, 2, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        SetTeeth(21, 15, 15, -63);
        SetDrive(c.in, c.out, 100);
        PlanetaryStage.PowerSplit = c.split;
        PlanetaryStage.TN = 500;
        CalcDriveData();
        CalcShaftTorques();
        CalcShaftPowers();
        const auto& T = PlanetaryStage.T;
        EXPECT_NEAR(static_cast<double>(T[1] + T[2] + T[3]), 0.0, 1e-9);
        // With the fixed shaft standing still, power split changes nothing:
        // the input takes TN.
        EXPECT_NEAR(static_cast<double>(T[c.in]), 500.0, 1e-9);
        // Power balance: the shaft powers add up to 0.
        const auto& P = PlanetaryStage.P;
        EXPECT_NEAR(static_cast<double>(P[1] + P[2] + P[3]), 0.0, 1e-9);
    }
}

TEST_F(Kinematics, TorquesOfSunDrivenStage)
{
    // i0 = 3, S input with 100 Nm: TC = (i0 - 1) TS = 200, TH = -i0 TS = -300.
    SetTeeth(21, 15, 15, -63);
    SetDrive(1, 2, 100);
    PlanetaryStage.TN = 100;
    CalcDriveData();
    CalcShaftTorques();
    CalcShaftPowers();
    EXPECT_NEAR(static_cast<double>(PlanetaryStage.T[shaftC]), 200.0, 1e-9);
    EXPECT_NEAR(static_cast<double>(PlanetaryStage.T[shaftH]), -300.0, 1e-9);
    // PS = 100 Nm * 2 pi * 100 / 60 / 1000 kW; rolling power (1 - nC/nS) PS = 1.5 PS.
    const double PS = 100.0 * 2 * std::numbers::pi * 100 / 60 / 1000;
    EXPECT_NEAR(static_cast<double>(PlanetaryStage.P[shaftS]), PS, 1e-12);
    EXPECT_NEAR(static_cast<double>(PlanetaryStage.PW), 1.5 * PS, 1e-12);
}

TEST_F(Kinematics, NoRollingPowerWhenSunAndRingStand)
{
    PlanetaryStage.n[shaftS] = 0;
    PlanetaryStage.n[shaftH] = 0;
    PlanetaryStage.n[shaftC] = 10;
    PlanetaryStage.T[shaftC] = 50;
    CalcShaftPowers();
    EXPECT_EQ(PlanetaryStage.PW, 0);
}

} // namespace
