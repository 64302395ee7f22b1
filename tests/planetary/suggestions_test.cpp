#include "planetary_fixture.h"

#include "planetary/bearings/planetbearing.h"
#include "planetary/suggestions.h"

namespace
{

using Suggestions = StageTest;

TEST_F(Suggestions, CutterOfTheRingGear)
{
    PlanetaryGears.x[gH] = -0.5L;
    EXPECT_EQ(CutterTeethDefault(), 31);
    EXPECT_EQ(CutterShiftDefault(), 0.5L);
}

TEST_F(Suggestions, ShaftLengths)
{
    PlanetaryGears.b[gS] = 20;
    PlanetaryGears.b[gPi] = 20;
    EXPECT_EQ(SuggestShaftLength(gS), 60);
    EXPECT_EQ(SuggestShaftLength(gPi), 40);
    EXPECT_EQ(SuggestShaftLength(9), 0);
}

TEST_F(Suggestions, BoreOfAPlanetWithoutBearing)
{
    auto& g = PlanetaryGears;
    g.df[gPi] = 40;
    g.h[gPi] = 4.5L;
    g.dB[gPi] = 0;
    // nearest(max(40 - 13.5, 20)) = nearest(26.5) = 26, ties to even.
    EXPECT_EQ(SuggestBoreDiameter(gPi), 26);
    PlanetBearings[1].D = 35;
    EXPECT_EQ(SuggestBoreDiameter(gPi), 35);
    EXPECT_EQ(SuggestInnerDiameter(gPi), 35);
}

TEST_F(Suggestions, ShaftLetters)
{
    EXPECT_EQ(ShaftLetter(1), "S");
    EXPECT_EQ(ShaftLetter(2), "C");
    EXPECT_EQ(ShaftLetter(3), "H");
    EXPECT_EQ(ShaftLetter(0), "");
    EXPECT_EQ(MeshGearLabel(2, 1), "Pi-SPi");
    EXPECT_EQ(MeshGearLabel(1, 3), "Pe-PeH");
    EXPECT_EQ(MeshGearLabel(3, 1), "");
}

TEST_F(Suggestions, PlanetBearingRecords)
{
    const auto& br = PlanetBearings[1];
    EXPECT_EQ(br.BearingType, 1);
    EXPECT_EQ(br.X, 1);
    EXPECT_EQ(br.FrMin, 1000000);
    EXPECT_EQ(br.XYTableChoice, 2);
    EXPECT_EQ(br.LifeFactorMode, 3);
    EXPECT_FALSE(PlanetBearingDefined(1));
    PlanetBearings[1].Designation = "6205";
    EXPECT_FALSE(PlanetBearingDefined(1)) << "a designation without bore is not a bearing";
    PlanetBearings[1].d = 25;
    EXPECT_TRUE(PlanetBearingDefined(1));
    PlanetBearings[2].BearingType = 6;
    PlanetBearings[2].Temperature = 70;
    PlanetBearings[2].Designation = "30205";
    PlanetBearings[2].d = 25;
    ClearPlanetBearing(0);
    EXPECT_FALSE(PlanetBearingDefined(1));
    EXPECT_EQ(PlanetBearings[2].BearingType, 6);
    EXPECT_EQ(PlanetBearings[2].Temperature, 70);
    EXPECT_TRUE(PlanetBearings[2].Designation.empty());
}

} // namespace
