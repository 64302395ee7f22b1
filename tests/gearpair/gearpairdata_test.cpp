#include "gearpair/gearpairdata.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{

class GearPairDefaults : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        // Start-up order: material group first, then the rest on top of it.
        SetGearDefaults();
        InitGearPairData();
    }
};

TEST_F(GearPairDefaults, StartUpValuesOfBothRoutinesCombine)
{
    const auto& g = GearPair;
    // From SetGearDefaults, untouched by InitGearPairData.
    EXPECT_EQ(g.MaterialRecordNo[1], 31);
    EXPECT_EQ(g.MaterialRecordNo[2], 19);
    EXPECT_EQ(g.rho[2], 7.8L);
    EXPECT_EQ(g.E[1], 206000);
    EXPECT_EQ(g.SigmaHlim[1], 1500);
    EXPECT_EQ(g.Sigma_FE[2], 800);
    EXPECT_EQ(g.ToleranceStandard, 1);
    EXPECT_EQ(g.LoadSpectrumKind, 1);
    EXPECT_EQ(g.GearCaption[1], "gear 1");
    EXPECT_EQ(g.GearCaption[2], "gear 2");
    // InitGearPairData overrides these, because it runs last.
    EXPECT_EQ(g.MaterialKind[1], 2);
    EXPECT_EQ(g.MaterialKind[2], 2);
    EXPECT_EQ(g.HeatTreatment[1], 2);
    EXPECT_EQ(g.MaterialName[1], "17CrNiMo6");
    EXPECT_EQ(g.MaterialName[2], "");
    EXPECT_EQ(g.n[1], 1500);
    EXPECT_EQ(g.n[2], 0);
    EXPECT_EQ(g.P, 500);
}

TEST_F(GearPairDefaults, GeometryDefaults)
{
    const auto& g = GearPair;
    EXPECT_EQ(g.mn, 6.5L);
    EXPECT_EQ(g.z[1], 16);
    EXPECT_EQ(g.z[2], 58);
    EXPECT_EQ(g.x[1], 0.52L);
    EXPECT_EQ(g.x[2], 0.57L);
    EXPECT_EQ(g.alpha, 20);
    EXPECT_EQ(g.beta, 9);
    EXPECT_EQ(g.a, 250);
    EXPECT_EQ(g.b_effH, 88);
    EXPECT_EQ(g.qp, 3);
    EXPECT_EQ(g.CalcMethod, 4);
    EXPECT_EQ(g.AsneSeries[1], 8);
    EXPECT_EQ(g.TsnSeries[2], 5);
    EXPECT_EQ(g.AaField, 4);
    EXPECT_EQ(g.ToleranceZone[2], "6 e 27");
    EXPECT_EQ(g.CentreDistanceTolerance, "js11");
    EXPECT_EQ(g.ProfileName[1], "          ");
    EXPECT_EQ(g.ToothAlignment[2], 3);
    EXPECT_EQ(g.DimensionInputMode[1], 2);
    EXPECT_EQ(g.Crowning, 'N');
    EXPECT_TRUE(g.ShowFormulas);
    EXPECT_TRUE(g.DrawRootCurve);
    EXPECT_EQ(g.RingToothShapes, 200);
    // The stored text-book value 25.4 / 6.5 rounded, not a computed one.
    EXPECT_EQ(g.Pn, 3.908L);
}

TEST_F(GearPairDefaults, InitClearsItsOwnGroupButKeepsTheMaterialGroup)
{
    GearPair.rho[1] = 7.2L;           // material group: survives File New
    GearPair.LoadSpectrumCount = 4;   // material group
    GearPair.LoadSpectrum[3].T = 123; // material group
    GearPair.sat_min[1] = 3;          // result: cleared
    GearPair.Kv = 1.3L;               // strength result: cleared
    GearPair.beta = 0;                // input: back to its default
    InitGearPairData();
    EXPECT_EQ(GearPair.rho[1], 7.2L);
    EXPECT_EQ(GearPair.LoadSpectrumCount, 4);
    EXPECT_EQ(GearPair.LoadSpectrum[3].T, 123);
    EXPECT_EQ(GearPair.sat_min[1], 0);
    EXPECT_EQ(GearPair.Kv, 0);
    EXPECT_EQ(GearPair.beta, 9);
}

TEST_F(GearPairDefaults, SetGearDefaultsClearsOnlyTheMaterialGroup)
{
    GearPair.Neq = 5e6L;
    GearPair.LoadSpectrum[128].N = 7;
    GearPair.mn = 3;
    SetGearDefaults();
    EXPECT_EQ(GearPair.Neq, 0);
    EXPECT_EQ(GearPair.LoadSpectrum[128].N, 0);
    EXPECT_EQ(GearPair.MaterialKind[1], 1);
    EXPECT_EQ(GearPair.mn, 3);
}

TEST(GearPairVocabulary, TextsAsTheDialogsShowThem)
{
    EXPECT_STREQ(MaterialKindNames[2], "Case-hardening steel (Eh)");
    EXPECT_STREQ(MaterialKindNames[8], "others ...");
    EXPECT_STREQ(HeatTreatmentNames[7], "nitrocar.(NV)");
    EXPECT_STREQ(HeatTreatmentShortNames[3], "ind.hard.");
    EXPECT_STREQ(ToothAlignmentNames[1], "right-hand");
    EXPECT_STREQ(ToleranceStandardNames[1], "ISO 1328");
    // Series number s has the name of index s - 1; field 8 is "js11".
    EXPECT_STREQ(AsneSeriesNames[8 - 1], "e");
    EXPECT_STREQ(AaFieldNames[8 - 1], "js11");
    EXPECT_STREQ(CalcMethodNames[4], "ISO 6336:2006-2008");
}

} // namespace
