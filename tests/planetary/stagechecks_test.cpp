// Stage checks on crafted result records: each check judged alone.
#include "planetary_fixture.h"

#include "foundation/error0.h"
#include "foundation/telmvar.h"
#include "foundation/wtelmvar.h"
#include "planetary/stagecalc.h"
#include "planetary/stagechecks.h"

#include <string>

namespace {

class StageChecks : public StageTest {
protected:
    void SetUp() override
    {
        StageTest::SetUp();
        CalcPlanetaryStage();
        ASSERT_FALSE(telmvar.FatalCalcError);
        ResetErrorState();
    }
    static bool Has(const std::string& text)
    {
        for (int k = 1; k <= error0.ErrorCount; ++k)
            if (error0.ErrorTexts[k] == text)
                return true;
        return false;
    }
    static void Check()
    {
        ResetErrorState();
        CheckPlanetaryStage();
    }
};

TEST_F(StageChecks, PlanetSpacing)
{
    const Extended mn = GearPair.mn;
    GearPair.qp = 3;
    PlanetaryStage.dlP = 0.05L * mn;
    Check();
    EXPECT_TRUE(Has("Error  : planet security distance !"));
    EXPECT_TRUE(Has("Warning: planet security distance !"));
    PlanetaryStage.dlP = 0.1L * mn;
    Check();
    EXPECT_FALSE(Has("Error  : planet security distance !")) << "0.1 mn itself is enough";
    EXPECT_TRUE(Has("Warning: planet security distance !"));
    GearPair.qp = 1;
    PlanetaryStage.dlP = -5;
    Check();
    EXPECT_FALSE(Has("Error  : planet security distance !")) << "one planet has no neighbour";
    EXPECT_FALSE(Has("Warning: planet security distance !"));
}

TEST_F(StageChecks, NoPlanetsIsReportedWithoutDividing)
{
    GearPair.qp = 0;
    Check();
    EXPECT_TRUE(Has("Fatal  : q = 0 !"));
    EXPECT_FALSE(Has("Warning: planet security distance !"));
}

TEST_F(StageChecks, SunToOuterPlanetClearanceLimitIsInclusive)
{
    PlanetaryStage.DistanceSPe = 0.1L * GearPair.mn; // 0.65 mm
    Check();
    EXPECT_TRUE(Has("Error  : distance S-Pe ! (0.65)"));
}

TEST_F(StageChecks, SafetyMessagesNameTheGearByMeshName)
{
    // zS 21 > zPi 15: S-Pi is exchanged, slot 1 is still the sun.
    PlanetaryGears.SH[1][mSPi] = 0.95L;
    PlanetaryGears.SF[2][mSPi] = 0.5L;
    Check();
    EXPECT_TRUE(Has("Warning: SH<1 (SH-S=0.95) !"));
    EXPECT_TRUE(Has("Warning: SF<1 (SF-Pi-SPi=0.50) !"));
}

TEST_F(StageChecks, ClearanceOfEachSlotJudgedByItself)
{
    PlanetaryGears.ck[1][mPiPe] = -0.1L;
    PlanetaryGears.ck[2][mPiPe] = 0.05L;
    Check();
    EXPECT_TRUE(Has("Error  : clearance sh.add. < 0 ! (Pi-Pe)"));
    EXPECT_TRUE(Has("Warning: clearance sh.add. < 0.12mn ! (Pi-Pe)"));
}

TEST_F(StageChecks, HiddenWarningsKeepErrors)
{
    auto& g = PlanetaryGears;
    wtelmvar.HideWarnings = true;
    g.x[gPi] = 1.8L;                 // warning: hidden
    g.kmn[gS] = -0.1L;               // error: always
    PlanetaryStage.Kgamma = 0.9L;    // error: always
    g.eps_alpha[mPeH] = 0.9L;        // always
    g.di[gS] = 10;
    g.dB[gS] = 20;                   // di < dB: always
    g.SH[1][mSPi] = 0.5L;            // hidden
    Check();
    EXPECT_FALSE(Has("Warning: x > 1.5   (Pi) !"));
    EXPECT_FALSE(Has("Warning: SH<1 (SH-S=0.50) !"));
    EXPECT_TRUE(Has("Error  : kmn < 0 !  (S)"));
    EXPECT_TRUE(Has("Error  : K gamma < 1"));
    EXPECT_TRUE(Has("eps.alpha < 1 ! (Pe-H)"));
    EXPECT_TRUE(Has("Warning: di < dB ! (S)"));
}

TEST_F(StageChecks, ChecksDoNotChangeThePairRatio)
{
    GearPair.u = 4.2L;
    Check();
    EXPECT_EQ(GearPair.u, 4.2L);
    EXPECT_FALSE(telmvar.FatalCalcError);
}

TEST_F(StageChecks, LoadAlternationsAndCentreDistances)
{
    auto& g = PlanetaryGears;
    g.Np[gPi] = 0;
    g.e[gS] = 2; // q is 3
    g.a[mPeH] = -(g.a[mSPi] + g.a[mPiPe] + 0.1L);
    Check();
    EXPECT_TRUE(Has("Warning: nPalt = 0 !"));
    EXPECT_TRUE(Has("Warning: nSi <> q planet"));
    EXPECT_TRUE(Has("Error  : a SP <> a PH !"));
}

TEST_F(StageChecks, CollectorNeverHoldsMoreThanTwelve)
{
    auto& g = PlanetaryGears;
    for (int k = 1; k <= 4; ++k) {
        g.kmn[k] = -1;
        g.x[k] = 2;
        g.dB[k] = 1e6L;
    }
    Check();
    EXPECT_EQ(error0.ErrorCount, 12);
}

} // namespace
