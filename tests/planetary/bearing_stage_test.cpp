// The planet bearing lives inside the stage calculation: loads, speeds and
// the bearing count as the stage hands them over.
#include "planetary_fixture.h"

#include "common/testmessages.h"
#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "planetary/bearings/planetbearing.h"
#include "planetary/stagecalc.h"
#include "platform/headless/platform_headless.h"

#include <cmath>
#include <string>

namespace
{

using BearingStage = StageTest;

// A needle bush: P = Fr, life exponent 10/3, nothing read from a table.
void NeedleBush(int n, int count)
{
    auto& b = PlanetBearings[n];
    b.BearingType = 3;
    b.Designation = "HK 4020";
    b.d = 40;
    b.D = 47;
    b.B = 20;
    b.C = 60000;
    b.C0 = 90000;
    b.nPerm = 10000;
    b.BearingCount = count;
    b.LifeFactorMode = 2;
    b.a23 = 1;
}

TEST_F(BearingStage, LivesFollowThePlanetLoads)
{
    NeedleBush(1, 1);
    NeedleBush(2, 2);
    CalcPlanetaryStage();
    ASSERT_FALSE(telmvar.FatalCalcError) << (error0.ErrorCount ? error0.ErrorTexts[1] : "");
    const auto& st = PlanetaryStage;
    ASSERT_GT(st.FlPm[1], 0);
    ASSERT_GT(st.FlPm[2], 0);
    // One bearing carries the whole planet load, a pair half of it each.
    EXPECT_NEAR(D(PlanetBearings[1].P), D(st.FlPm[1]), 1e-9);
    EXPECT_NEAR(D(PlanetBearings[2].P), D(st.FlPm[2] / 2), 1e-9);
    EXPECT_NEAR(D(PlanetBearings[1].L10), std::pow(60000 / D(st.FlPm[1]), 10.0 / 3), 1e-6);
    EXPECT_NEAR(D(PlanetBearings[2].L10), std::pow(60000 / D(st.FlPm[2] / 2), 10.0 / 3), 1e-6);
    // The bearing's bore and outer diameter become the planet's pin and bore.
    EXPECT_EQ(st.dshPi, 40.0L);
    EXPECT_EQ(PlanetaryGears.dB[gPi], 47.0L);
}

TEST_F(BearingStage, NoBearingChosenLeavesTheRecordsAlone)
{
    const WaelzLagerTyp before = PlanetBearings[1];
    CalcPlanetaryStage();
    ASSERT_FALSE(telmvar.FatalCalcError);
    EXPECT_TRUE(PlanetBearings[1] == before);
    EXPECT_EQ(PlanetBearings[2].L10, 0.0L);
}

// Entered factors X = Y = 0 give no load: listed, with messages enabled, and no box.
TEST_F(BearingStage, NoLoadIsListedWithoutABox)
{
    platform::PlatformHeadless headless;
    platform::ScopedPlatform scope{headless};
    NeedleBush(1, 1);
    PlanetBearings[1].BearingType = PlanetBearings[1].XYTableChoice = 1;
    PlanetBearings[1].X = PlanetBearings[1].Y = 0;
    telmvar.MessagesEnabled = true;
    CalcPlanetaryStage();
    EXPECT_TRUE(telmvar.FatalCalcError && HasMessage("no load defined !"));
    EXPECT_TRUE(headless.HeadlessMessages().AskedQuestions().empty());
}

// FrMin 0 means "the planet's centrifugal force": it is used for the
// minimum-load check and stays 0 in the record for the next calculation.
TEST_F(BearingStage, ZeroMinimumLoadTakesTheCentrifugalForce)
{
    NeedleBush(1, 1);
    PlanetBearings[1].FrMin = 0;
    PlanetBearings[1].C = 1e9; // Frm = 0.02 C far above any centrifugal force
    CalcPlanetaryStage();
    ASSERT_FALSE(telmvar.FatalCalcError);
    EXPECT_EQ(PlanetBearings[1].FrMin, 0.0L);
    bool found = false;
    for (int k = 1; k <= error0.ErrorCount; ++k)
        found = found || error0.ErrorTexts[k].rfind("minimum load bearing 1 ! (", 0) == 0;
    EXPECT_TRUE(found);
}

// The messages of the bearings survive the reset after the meshes.
TEST_F(BearingStage, BearingMessagesReachTheList)
{
    NeedleBush(2, 1);
    PlanetBearings[2].nPerm = 1; // below any planet speed
    CalcPlanetaryStage();
    ASSERT_FALSE(telmvar.FatalCalcError);
    EXPECT_TRUE(HasMessage("permissible speed bearing 2 !"));
}

} // namespace
