// The default stage (z 21/15/15/-63, mn 6.5, three planet sets, 72 kW at
// 100 1/min on the sun) driven with the ring held and the carrier as output,
// worked by hand: speeds, torques, what each mesh is calculated with, and the
// planet loads.
#include "planetary_fixture.h"

#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "planetary/stagecalc.h"

#include <cmath>
#include <numbers>

namespace
{

using StageHandCalc = StageTest;

constexpr double Pi = std::numbers::pi;

TEST_F(StageHandCalc, HeldRingCarrierOutput)
{
    PlanetaryShafts.OutputShaft = shaftC;
    PlanetaryStage.nThird = 0;
    CalcPlanetaryStage();
    ASSERT_FALSE(telmvar.FatalCalcError) << (error0.ErrorCount ? error0.ErrorTexts[1] : "");
    const auto& st = PlanetaryStage;
    const auto& g = PlanetaryGears;
    ASSERT_EQ(GearPair.qp, 3);

    // Two external meshes between sun and ring: with the carrier held sun and
    // ring turn the same way, i0 = |zH|/zS = 3. Willis: nS - nC = i0 (nH - nC),
    // nH = 0 gives nC = nS/(1 - i0) = -50.
    EXPECT_NEAR(D(st.i0), 3, 1e-15);
    EXPECT_NEAR(D(st.n[shaftC]), -50, 1e-12);
    EXPECT_NEAR(D(st.i), -2, 1e-12);
    // Relative to the carrier: Pi against the sun, (nC - nS) zS/zPi = -210;
    // Pe against Pi, +210. Absolute: plus nC.
    EXPECT_NEAR(D(st.npC[1]), -210, 1e-12);
    EXPECT_NEAR(D(st.npC[2]), 210, 1e-12);
    EXPECT_NEAR(D(st.np0[1]), -260, 1e-12);
    EXPECT_NEAR(D(st.np0[2]), 160, 1e-12);
    // The planet bearings turn at the speeds relative to the carrier.
    EXPECT_NEAR(D(st.nBearing[1]), -210, 1e-12);
    EXPECT_NEAR(D(st.nBearing[2]), 210, 1e-12);

    // TS = P/omega = 72000/(100 2 pi/60) = 6875.4935 N m; TH = -i0 TS;
    // TC = -(TS + TH) = (i0 - 1) TS. Rolling power TS (nS - nC) = 108 kW.
    const double TS = 72000.0 / (100 * 2 * Pi / 60);
    EXPECT_NEAR(D(st.T[shaftS]), TS, 1e-9);
    EXPECT_NEAR(D(st.T[shaftH]), -3 * TS, 1e-9);
    EXPECT_NEAR(D(st.T[shaftC]), 2 * TS, 1e-9);
    EXPECT_NEAR(D(st.PW), 108, 1e-9);

    // One planet set carries a third. All three meshes carry the same
    // tangential force, TS/(qp rS) = 2000 TS/(3 * 136.5) = 33579.94 N; each
    // mesh is calculated at its planet: T = F rP = TS zPi/(zS qp) = 1637.02 N m
    // at 210 1/min, i.e. 36 kW, a third of the rolling power.
    const double TPlanet = TS * 15 / 21 / 3;
    const double Ft = 2000 * TS / (3 * 136.5);
    for (int m = 1; m <= 3; ++m) {
        EXPECT_NEAR(D(g.Ft[m]), Ft, 1e-6) << m;
        EXPECT_NEAR(D(g.v[m]), Pi * 97.5 * 210 / 60000, 1e-12) << m;
    }
    EXPECT_NEAR(D(g.T[gPi]), TPlanet, 1e-9);
    EXPECT_NEAR(D(g.T[gPe]), TPlanet, 1e-9);
    EXPECT_NEAR(D(g.n[gPi]), 210, 1e-12);
    EXPECT_NEAR(D(g.n[gPe]), 210, 1e-12);
    // The sun takes TS/3 at nS - nC = 150, the ring TS (signed as internal
    // wheel) at nH - nC = 50.
    EXPECT_NEAR(D(g.T[gS]), TS / 3, 1e-9);
    EXPECT_NEAR(D(g.n[gS]), 150, 1e-12);
    EXPECT_NEAR(D(std::fabs(g.T[gH])), TS, 1e-9);
    EXPECT_NEAR(D(std::fabs(g.n[gH])), 50, 1e-12);

    // Centrifugal force of Pi on the circle a1 = 117: m = rho b pi/4 d^2 =
    // 7.8e-6 * 10 * pi/4 * 97.5^2 = 0.58237 kg, omega = 50 * 2 pi/60:
    // m a1 omega^2 = 1.8681 N; Pe on |a3| = 156.
    const double mP = 7.8e-6 * 10 * Pi / 4 * 97.5 * 97.5;
    const double w2 = std::pow(50 * 2 * Pi / 60, 2);
    EXPECT_NEAR(D(st.mP[1]), mP, 1e-12);
    EXPECT_NEAR(D(st.FfP[1]), mP * 117 * w2 / 1000, 1e-9);
    EXPECT_NEAR(D(st.FfP[2]), mP * 156 * w2 / 1000, 1e-9);
}

} // namespace
