// The stage driver on the default stage and on refused inputs.
#include "planetary_fixture.h"

#include "common/testmessages.h"
#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "planetary/driveconfigurations.h"
#include "planetary/stagecalc.h"

#include <cmath>
#include <numbers>
#include <string>

namespace
{

using StageCalc = StageTest;

TEST_F(StageCalc, DefaultStageCalculates)
{
    CalcPlanetaryStage();
    ASSERT_FALSE(telmvar.FatalCalcError) << (error0.ErrorCount ? error0.ErrorTexts[1] : "");
    const auto& st = PlanetaryStage;
    const auto& g = PlanetaryGears;
    // S in at 100 1/min, C fixed, H out: nH = nS / i0 = 100/3.
    EXPECT_NEAR(D(st.i0), 3, 1e-15);
    EXPECT_NEAR(D(st.n[shaftH]), 100.0 / 3, 1e-12);
    EXPECT_NEAR(D(st.nOut), 100.0 / 3, 1e-12);
    // 72 kW at 100 1/min: TN = 72 * 60000 / (2 pi 100) Nm.
    EXPECT_NEAR(D(st.TN), 72.0 * 60000 / (2 * std::numbers::pi * 100), 1e-9);
    EXPECT_NEAR(D(st.TOut), D(st.T[shaftH]), 1e-12);
    // The ring is internal and the planet centre distances span the triangle.
    EXPECT_LT(g.z[gH], 0);
    EXPECT_LT(g.aInUse[mPeH], 0);
    const Extended a1 = g.aInUse[mSPi], a2 = g.aInUse[mPiPe], a3 = std::fabs(g.aInUse[mPeH]);
    // Law of cosines at the sun centre and the sum of the angles.
    EXPECT_NEAR(D(a2 * a2), D(a1 * a1 + a3 * a3 - 2 * a1 * a3 * std::cos(st.PhiSun)), 1e-6);
    EXPECT_NEAR(D(st.PhiSun + st.PhiPe + st.PhiPi), std::numbers::pi, 1e-15);
    EXPECT_GT(st.PhiSun, 0);
    // The pair variables hold mesh Pe-H afterwards.
    EXPECT_EQ(GearPair.z[1], 15);
    EXPECT_EQ(GearPair.z[2], -63);
    // Messages come from the stage checks only: none of them is fatal.
    for (int k = 1; k <= error0.ErrorCount; ++k)
        EXPECT_NE(error0.ErrorTexts[k].rfind("Fatal", 0), 0u) << error0.ErrorTexts[k];
}

TEST_F(StageCalc, RecalculationChangesNothing)
{
    CalcPlanetaryStage();
    ASSERT_FALSE(telmvar.FatalCalcError);
    const TPlanetaryStage st1 = PlanetaryStage;
    const TPlanetaryGears g1 = PlanetaryGears;
    const int count1 = error0.ErrorCount;
    CalcPlanetaryStage();
    const auto& g2 = PlanetaryGears;
    EXPECT_EQ(error0.ErrorCount, count1);
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(g1.da[k], g2.da[k]) << k;
        EXPECT_EQ(g1.x[k], g2.x[k]) << k;
        EXPECT_EQ(g1.TsnSeries[k], g2.TsnSeries[k]) << k;
        EXPECT_EQ(g1.Asne[k], g2.Asne[k]) << k;
        EXPECT_EQ(g1.dBInUse[k], g2.dBInUse[k]) << k;
        EXPECT_EQ(g1.W_xemin[k], g2.W_xemin[k]) << k;
    }
    for (int m = 1; m <= 3; ++m) {
        EXPECT_EQ(g1.aInUse[m], g2.aInUse[m]) << m;
        EXPECT_EQ(g1.SH[1][m], g2.SH[1][m]) << m;
        EXPECT_EQ(g1.SF[2][m], g2.SF[2][m]) << m;
        EXPECT_EQ(g1.Ftw[m], g2.Ftw[m]) << m;
    }
    EXPECT_EQ(st1.dlP, PlanetaryStage.dlP);
    EXPECT_EQ(st1.FlPN[2], PlanetaryStage.FlPN[2]);
}

struct RefusalCase {
    const char* what;
    void (*set)();
    const char* message;
};

TEST_F(StageCalc, RefusesDataItCannotCalculate)
{
    const RefusalCase cases[] = {
        {"no module", [] { GearPair.mn = 0; }, "Fatal  : mn = 0 !"},
        {"outer planet without teeth", [] { PlanetaryGears.z[gPe] = 0; }, "Fatal  : xz3=0!"},
        {"same input and output", [] { PlanetaryShafts.OutputShaft = shaftS; },
         "Fatal  : input shaft = output shaft !"},
        {"stationary ratio 1", [] { PlanetaryGears.z[gH] = -21; }, "Fatal  : i0 = 1 !"},
        {"input at rest", [] { PlanetaryStage.nIn = 0; }, "Fatal  : n input = 0 !"},
        {"no planets", [] { GearPair.qp = 0; }, "Fatal  : q = 0 !"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        c.set();
        CalcPlanetaryStage();
        EXPECT_TRUE(telmvar.FatalCalcError);
        EXPECT_TRUE(HasMessage(c.message));
        EXPECT_TRUE(std::isfinite(static_cast<double>(PlanetaryStage.TN)));
    }
}

TEST_F(StageCalc, RingEnteredPositiveBecomesInternal)
{
    PlanetaryGears.z[gH] = 63;
    CalcPlanetaryStage();
    EXPECT_EQ(PlanetaryGears.z[gH], -63);
}

TEST_F(StageCalc, HelixHandsFollowTheSun)
{
    PlanetaryGears.ToothAlignment[gS] = 2;
    CalcPlanetaryStage();
    EXPECT_EQ(PlanetaryGears.ToothAlignment[gPi], 1);
    EXPECT_EQ(PlanetaryGears.ToothAlignment[gPe], 2);
    EXPECT_EQ(PlanetaryGears.ToothAlignment[gH], 2);
}

TEST_F(StageCalc, CarrierInputSeesRingBacklashReduced)
{
    // Input C, output H, S fixed: input backlash |i0|/(|i0|+1) of the ring's.
    PlanetaryShafts.InputShaft = shaftC;
    PlanetaryShafts.OutputShaft = shaftH;
    CalcPlanetaryStage();
    ASSERT_FALSE(telmvar.FatalCalcError);
    const auto& st = PlanetaryStage;
    EXPECT_EQ(PlanetaryShafts.FixedShaft, shaftS);
    EXPECT_NEAR(D(st.BacklashAngleInMax), D(0.75L * PlanetaryGears.BacklashAngleMax[gH]), 1e-15);
    EXPECT_NEAR(D(st.BacklashAngleOutMax), D(PlanetaryGears.BacklashAngleMax[gH]), 1e-15);
}

// Willis with i0 = 3, nIn = 100 and the third shaft held: nS - nC = 3 (nH - nC).
// The run leaves the drive as it was; with no input speed nothing calculates.
TEST_F(StageCalc, DriveConfigurationsFollowWillis)
{
    const TPlanetaryShafts shafts = PlanetaryShafts;
    const Extended nOut[] = {-50, 100.0L / 3, 200.0L / 3, 150, 300, -200};
    const TDriveConfigResults rows = CalcDriveConfigurations();
    for (int k = 1; k <= 6; ++k) {
        ASSERT_TRUE(rows[k].Calculated) << k;
        EXPECT_NEAR(D(rows[k].nOut), D(nOut[k - 1]), 1e-9) << k;
        EXPECT_NEAR(D(rows[k].Ratio), D(100 / nOut[k - 1]), 1e-12) << k;
    }
    EXPECT_TRUE(PlanetaryShafts == shafts);
    PlanetaryStage.nIn = 0;
    for (const TDriveConfigResult& r : CalcDriveConfigurations().items)
        EXPECT_FALSE(r.Calculated);
}

} // namespace
