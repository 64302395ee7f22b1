// Stage checks on crafted result records: each check judged alone.
#include "planetary_fixture.h"

#include "foundation/guardedmath.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "gearpair/measuring.h"
#include "planetary/stagechecks.h"

#include <cmath>
#include <string>

namespace
{

// A stage record that passes every check: each test then breaks one thing.
// The values are chosen by hand around the default stage (mn 6.5, S 21,
// Pi 15, Pe 15, H -63, three planets).
void MakeCleanStage()
{
    auto& p = GearPair;
    auto& g = PlanetaryGears;
    auto& st = PlanetaryStage;
    p.mn = 6.5L;
    p.qp = 3;
    p.alpha = 20;
    p.beta = 0;
    p.alpha_rad = DegToRad(20);
    p.beta_rad = 0;
    p.Aai = -0.05L;
    p.CollisionY = 1;
    p.KA_F = 1;
    p.CalcMethod = 4;
    p.ToleranceStandard = 1;
    p.z0 = 31;
    st.dlP = 10;
    st.DistanceSPe = 10;
    st.DistancePiH = 10;
    st.Kgamma = 1;
    for (int k = 1; k <= 4; ++k) {
        const Extended d = p.mn * g.z[k];
        g.d[k] = d;
        g.db[k] = d * std::cos(p.alpha_rad);
        g.df[k] = d - 2.5L * p.mn; // toward the root, for the ring too
        g.dFamin[k] = d + 5;       // toward the tip
        g.Tsn[k] = 0.1L;
        g.Asne[k] = -0.1L;
        g.sat_nom[k] = g.san_nom[k] = 3;
        g.x[k] = 0;
        g.x_min[k] = -1;
        g.xemin[k] = 0;
        g.rhoaP0[k] = 0.25L * p.mn;
        g.DM[k] = k == gH ? 12 : 10;
        g.MdK_xemin[k] = g.MdR_xevmax[k] = k == gH ? -395 : g.dFamin[k] + 0.5L;
        g.SpanTeethInUse[k] = kmess(g.z[k], 0, p.alpha_rad, 0, p.mn);
        g.di[k] = g.dBInUse[k] = 0;
    }
    for (int m = 1; m <= 3; ++m) {
        g.eps_alpha[m] = g.eps_gamma[m] = 1.5L;
        g.zeta_a1[m] = g.zeta_a2[m] = g.zeta_f1[m] = g.zeta_f2[m] = 0.5L;
        g.Ft[m] = 20000;
        g.b_effH[m] = 10;
        g.KHalpha[m] = g.KFalpha[m] = 1;
        for (int s = 1; s <= 2; ++s) {
            g.SH[s][m] = g.SF[s][m] = 2;
            g.ck[s][m] = 0.25L * p.mn;
        }
    }
    g.aInUse[mSPi] = 117;
    g.aInUse[mPiPe] = 97.5L;
    g.aInUse[mPeH] = -214.5L;
}

class StageChecks : public StageTest
{
  protected:
    void SetUp() override
    {
        StageTest::SetUp();
        MakeCleanStage();
    }
    static bool Has(const std::string& text)
    {
        for (int k = 1; k <= error0.ErrorCount; ++k)
            if (error0.ErrorTexts[k] == text) return true;
        return false;
    }
    static void Check()
    {
        ResetErrorState();
        CheckPlanetaryStage();
    }
};

TEST_F(StageChecks, CleanStageGivesNoMessage)
{
    Check();
    EXPECT_EQ(error0.ErrorCount, 0) << (error0.ErrorCount ? error0.ErrorTexts[1] : "");
}

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
    g.x[gPi] = 1.8L;              // warning: hidden
    g.kmn[gS] = -0.1L;            // error: always
    PlanetaryStage.Kgamma = 0.9L; // error: always
    g.eps_alpha[mPeH] = 0.9L;     // always
    g.di[gS] = 10;
    g.dBInUse[gS] = 20;   // di < dB: always
    g.SH[1][mSPi] = 0.5L; // hidden
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
    g.aInUse[mPeH] = -(g.aInUse[mSPi] + g.aInUse[mPiPe] + 0.1L);
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
        g.dBInUse[k] = 1e6L;
    }
    Check();
    EXPECT_EQ(error0.ErrorCount, 12);
}

} // namespace
