// Which stage gear becomes the pinion of each mesh, and what travels with it.
#include "planetary_fixture.h"

#include "foundation/messagecollector.h"
#include "planetary/meshtransfer.h"
#include "planetary/suggestions.h"

namespace
{

using MeshTransfer = StageTest;

TEST_F(MeshTransfer, DefaultStageLoadsPeHWithTheRingAsInternalWheel)
{
    LoadMesh(mPeH);
    EXPECT_EQ(GearPair.z[1], 15);
    EXPECT_EQ(GearPair.z[2], -63);
    EXPECT_EQ(GearPair.GearName[1], "Pe");
    EXPECT_EQ(GearPair.GearName[2], "H");
}

struct OrderCase {
    int zS, zPi, zPe;
    int m;
    int gear1, gear2;
    const char* caption;
};

TEST_F(MeshTransfer, PinionIsTheGearWithFewerTeeth)
{
    const OrderCase cases[] = {
        {21, 15, 15, 1, gPi, gS, "Pi-S"},   {15, 15, 15, 1, gS, gPi, "S-Pi"},
        {12, 15, 15, 1, gS, gPi, "S-Pi"},   {21, 15, 15, 2, gPi, gPe, "Pi-Pe"},
        {21, 17, 15, 2, gPe, gPi, "Pe-Pi"}, {21, 15, 12, 3, gPe, gH, "Pe-H"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        auto& z = PlanetaryGears.z;
        z[gS] = c.zS;
        z[gPi] = c.zPi;
        z[gPe] = c.zPe;
        EXPECT_EQ(PlanetaryGearOfMesh(c.m, 1), c.gear1);
        EXPECT_EQ(PlanetaryGearOfMesh(c.m, 2), c.gear2);
        EXPECT_EQ(MeshGearOfPair(c.m, c.gear1), 1);
        EXPECT_EQ(MeshGearOfPair(c.m, c.gear2), 2);
        EXPECT_EQ(MeshCaption(c.m), c.caption);
    }
    EXPECT_EQ(MeshName(1), "S-Pi");
    EXPECT_EQ(PlanetaryGearOfMesh(4, 1), 0);
    EXPECT_EQ(MeshGearOfPair(1, gH), 0);
}

TEST_F(MeshTransfer, EqualSunAndPlanetPassTheSunValues)
{
    auto& st = PlanetaryStage;
    auto& z = PlanetaryGears.z;
    z[gS] = 15;
    z[gPi] = 15;
    GearPair.qp = 3;
    st.npC[1] = -140;
    st.T[shaftS] = 300;
    st.PW = 9;
    st.Kgamma = 1;
    LoadMesh(mSPi);
    // S is pinion: speed |npC[Pi]| zPi/zS = 140, torque |TS| zPi/zS/q = 100.
    EXPECT_NEAR(D(GearPair.n[1]), 140, 1e-12);
    EXPECT_NEAR(D(GearPair.T[1]), 100, 1e-12);
    EXPECT_NEAR(D(GearPair.P), 3, 1e-12);
    // Kgamma 1.2 raises torque and power of the mesh by 20 %.
    st.Kgamma = 1.2L;
    LoadMesh(mSPi);
    EXPECT_NEAR(D(GearPair.T[1]), 120, 1e-12);
    EXPECT_NEAR(D(GearPair.P), 3.6, 1e-12);
}

TEST_F(MeshTransfer, SpectrumFollowsThePairTorque)
{
    auto& st = PlanetaryStage;
    PlanetaryGears.z[gS] = 15;
    GearPair.qp = 3;
    st.npC[1] = -100;
    st.T[shaftS] = 300;
    st.TN = 300;
    st.PW = 30000 / 1000.0L; // any rolling power
    st.Kgamma = 1;
    GearPair.LoadSpectrumCount = 2;
    st.LoadSpectrum[1] = {1e6L, 300};
    st.LoadSpectrum[2] = {2e6L, 150};
    LoadMesh(mSPi);
    const Extended T1 = GearPair.P * 30000 / std::numbers::pi_v<Extended> / GearPair.n[1];
    EXPECT_NEAR(D(GearPair.T[1]), D(T1), 1e-9);
    EXPECT_EQ(GearPair.LoadSpectrum[1].N, 1e6L);
    EXPECT_NEAR(D(GearPair.LoadSpectrum[1].T), D(T1), 1e-9);
    EXPECT_NEAR(D(GearPair.LoadSpectrum[2].T), D(T1 / 2), 1e-9);
}

TEST_F(MeshTransfer, SlotsStayInMeshNameOrderForAnExchangedMesh)
{
    // zS 21 > zPi 15: Pi is pinion of S-Pi. Its operating pitch diameter must
    // still land in slot 2 (Pi), the sun's in slot 1.
    LoadMesh(mSPi);
    GearPair.dw[1] = 97.5L;  // pinion Pi
    GearPair.dw[2] = 136.5L; // wheel S
    GearPair.zeta_a1 = 0.7L;
    GearPair.zeta_a2 = 0.3L;
    StoreMesh(mSPi);
    EXPECT_EQ(PlanetaryGears.dw[1][mSPi], 136.5L);
    EXPECT_EQ(PlanetaryGears.dw[2][mSPi], 97.5L);
    EXPECT_EQ(PlanetaryGears.zeta_a1[mSPi], 0.3L);
    EXPECT_EQ(PlanetaryGears.zeta_a2[mSPi], 0.7L);
    EXPECT_EQ(GearPair.GearCaption[1], "Pi");
    EXPECT_EQ(GearPair.GearCaption[2], "S");
}

TEST_F(MeshTransfer, EnteredFormFactorsDoNotTradePlacesOnRecalculation)
{
    // Entered YF of S (slot 1) and Pi (slot 2) of the exchanged mesh S-Pi.
    auto& g = PlanetaryGears;
    g.YF[1][mSPi] = 2.2L;
    g.YF[2][mSPi] = 2.6L;
    g.YS[1][mSPi] = 1.9L;
    g.YS[2][mSPi] = 1.7L;
    for (int round = 0; round < 3; ++round) {
        LoadMesh(mSPi);
        EXPECT_EQ(GearPair.YF[1], 2.6L) << "pinion Pi gets its own factor";
        EXPECT_EQ(GearPair.YF[2], 2.2L);
        EXPECT_EQ(GearPair.YS[1], 1.7L);
        StoreMesh(mSPi);
        EXPECT_EQ(g.YF[1][mSPi], 2.2L);
        EXPECT_EQ(g.YF[2][mSPi], 2.6L);
    }
}

TEST_F(MeshTransfer, StoreKeepsIdentificationTextsOfTheStage)
{
    LoadMesh(mPeH);
    GearPair.GearName[1] = "changed";
    GearPair.da[1] = 111;
    StoreMesh(mPeH);
    EXPECT_EQ(PlanetaryGears.GearName[gPe], "Pe");
    EXPECT_EQ(PlanetaryGears.da[gPe], 111);
}

TEST_F(MeshTransfer, StoredSpectrumCopiesItemZeroToCount)
{
    for (int k = 0; k <= LoadSpectrumMax; ++k)
        PlanetaryStage.LoadSpectrum[k] = {Extended(k), Extended(2 * k)};
    // The stored count goes along: a working count left otherwise (an
    // editor cancelled) does not decide what is copied.
    PlanetaryStage.LoadSpectrumCount = 0;
    GearPair.LoadSpectrumCount = LoadSpectrumMax;
    GetStageLoadSpectrum();
    EXPECT_EQ(GearPair.LoadSpectrumCount, 0);
    EXPECT_EQ(GearPair.LoadSpectrum[0].T, 0);
    EXPECT_EQ(GearPair.LoadSpectrum[1].N, 0) << "only item 0 with count 0";
    PlanetaryStage.LoadSpectrumCount = LoadSpectrumMax;
    GetStageLoadSpectrum();
    EXPECT_EQ(GearPair.LoadSpectrumCount, LoadSpectrumMax);
    EXPECT_EQ(GearPair.LoadSpectrum[128].T, 256);
    GearPair.LoadSpectrum[128].T = 7;
    PutStageLoadSpectrum();
    EXPECT_EQ(PlanetaryStage.LoadSpectrum[128].T, 7);
    GearPair.LoadSpectrumCount = -1;
    GearPair.LoadSpectrum[0].T = 99;
    PutStageLoadSpectrum();
    EXPECT_EQ(PlanetaryStage.LoadSpectrum[0].T, 0) << "negative count copies nothing";
}

} // namespace
