// Predimensioning from the drive data. Expected values are hand
// calculations of the sizing formulas (noted beside each case).
#include "planetary_fixture.h"

#include "common/testmessages.h"
#include "foundation/messagecollector.h"
#include "foundation/programstate.h"
#include "gearpair/allowances.h"
#include "gearpair/assembly.h"
#include "planetary/predimensioning.h"
#include "planetary/stagecalc.h"

#include <cmath>
#include <string>

namespace
{

using Predim = StageTest;

bool AnyFatal()
{
    for (int k = 1; k <= error0.ErrorCount; ++k)
        if (error0.ErrorTexts[k].rfind("Fatal", 0) == 0) return true;
    return false;
}

// T' 1000 Nm, u 2, a 100 mm, psi 15: sqrt(1000 * 1000 * 3 * 6 / (15 * 750 * 100)) = 4.
TEST_F(Predim, ModuleFromRootStressEstimate)
{
    PlanetaryStage.PredimBToMn = 15;
    EXPECT_NEAR(D(PredimModule(1000, 2, 100)), 4.0, 1e-15);
    PlanetaryStage.PredimBToMn = 0; // 15 is used for 0 as well
    EXPECT_NEAR(D(PredimModule(1000, 2, 100)), 4.0, 1e-15);
    PlanetaryStage.PredimBToMn = 24;
    // 18e6 / (24 * 750 * 100) = 10.
    EXPECT_NEAR(D(PredimModule(1000, 2, 100)), std::sqrt(10.0), 1e-15);
}

// The default drive data: S in at 100 1/min, H out at 12.82 1/min, C fixed,
// 72 kW, q 3. i0 = 100 / 12.82 = 7.8003, u = 6.8003 / 3.25 = 2.0924, pair
// speed 100 1/min, P = 24 kW, T = 2291.8 Nm. Six passes settle the module at
// 4.764, the next standard module upward is 5. Sun diameter
// 0.35 sqrt(3.0924 * 2291.8 * 2000 / 75 / 2.0924) = 105.19: zS 21,
// zH -round(21 * 7.8003) = -164, N = 143 not divisible by 3: stepped.
TEST_F(Predim, DefaultDriveDataGiveAnAssemblableStage)
{
    ASSERT_TRUE(Predimension()) << (error0.ErrorCount ? error0.ErrorTexts[1] : "");
    const auto& st = PlanetaryStage;
    const auto& g = PlanetaryGears;
    EXPECT_FALSE(telmvar.FatalCalcError);
    EXPECT_FALSE(AnyFatal()) << error0.ErrorTexts[1];
    // The calculated stage runs at the ratio of its teeth, within the step
    // of the assembly condition of the wished one.
    EXPECT_NEAR(D(st.i0), -D(g.z[gH]) / g.z[gS], 1e-12);
    EXPECT_NEAR(D(st.i0) / (100 / 12.82), 1.0, 0.02);
    EXPECT_EQ(GearPair.mn, 5.0L);
    EXPECT_FALSE(AssemblyConditionFails(g.z[gH], g.z[gS], GearPair.qp, true)) << g.z[gS] << " " << g.z[gH];
    EXPECT_LT(g.z[gH], 0);
    EXPECT_GT(g.z[gPi], 0);
    EXPECT_GT(g.z[gPe], 0);
    // The stepping moves the ring down to the next assemblable number.
    EXPECT_EQ(g.z[gS], 21);
    EXPECT_LE(g.z[gH], -162);
    EXPECT_EQ((-g.z[gH] - g.z[gS]) % 3, 0);
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(g.b[k], 75.0L) << k;
        EXPECT_EQ(g.bcha[k], 0.0L) << k;
        EXPECT_EQ(g.kmn[k], 0.0L) << k;
        EXPECT_EQ(g.MaterialKind[k], 1) << k;
    }
    for (int m = 1; m <= 3; ++m)
        EXPECT_EQ(g.bctr[m], 0.0L) << m;
    EXPECT_EQ(g.x[gS], 0.5L);
    EXPECT_EQ(g.x[gPi], 0.5L);
    EXPECT_EQ(g.x[gPe], 0.5L);
    EXPECT_EQ(g.x[gH], -0.5L);
    EXPECT_EQ(g.Np[gS], 0);
    EXPECT_EQ(g.Np[gPi], 2);
    EXPECT_EQ(g.Np[gH], 0);
    EXPECT_EQ(g.e[gS], 3);
    EXPECT_EQ(g.e[gPe], 2);
    EXPECT_EQ(g.e[gH], 3);
    EXPECT_EQ(GearPair.alpha, 20.0L);
    EXPECT_EQ(GearPair.beta, 0.0L);
    EXPECT_EQ(st.PredimBToMn, 15.0L);
    EXPECT_EQ(st.PredimSafety, 1.0L);
    EXPECT_EQ(st.PredimFlags[1], 2);
    EXPECT_EQ(st.PredimFlags[3], 3);
    EXPECT_EQ(st.PredimWords[1], 2);
    EXPECT_EQ(st.PredimWords[2], 2);
    // Measuring data of all four gears were formed.
    for (int k = 1; k <= 4; ++k) {
        EXPECT_GT(g.DM[k], 0) << k;
        EXPECT_NE(g.SpanTeeth[k], 0) << k;
    }
}

TEST_F(Predim, SafetyFactorAndWidthRatioEnlargeTheStage)
{
    ASSERT_TRUE(Predimension());
    const Extended mn1 = GearPair.mn;
    const int zS1 = PlanetaryGears.z[gS];
    SetDefaultInput();
    PlanetaryStage.PredimSafety = 4;
    ASSERT_TRUE(Predimension());
    // Four times the torque: module and sun grow.
    EXPECT_GT(GearPair.mn * PlanetaryGears.z[gS], mn1 * zS1);
    SetDefaultInput();
    PlanetaryStage.PredimBToMn = 25;
    ASSERT_TRUE(Predimension());
    EXPECT_NEAR(D(PlanetaryGears.b[gS]), D(GearPair.mn * 25), 1e-12);
}

TEST_F(Predim, DriveDataOfAnotherShaftArrangement)
{
    // H in at 100 1/min, C out at 150 1/min, S fixed:
    // i0 = -(0 - 150) / (150 - 100) = 3; npC[Pi] = 3.25 * 150 / 2 = 243.75.
    auto& st = PlanetaryStage;
    PlanetaryShafts.InputShaft = shaftH;
    PlanetaryShafts.OutputShaft = shaftC;
    st.nIn = 100;
    st.nOut = 150;
    ASSERT_TRUE(SetPredimDriveData(3.25L));
    EXPECT_EQ(PlanetaryShafts.FixedShaft, shaftS);
    EXPECT_NEAR(D(st.i0), 3, 1e-15);
    EXPECT_NEAR(D(st.i), 100.0 / 150, 1e-15);
    EXPECT_EQ(st.n[shaftS], 0.0L);
    EXPECT_NEAR(D(st.npC[1]), 243.75, 1e-12);
    EXPECT_NEAR(D(st.npC[2]), -243.75, 1e-12);
    EXPECT_NEAR(D(st.nBearing[1]), 243.75, 1e-12);
    EXPECT_NEAR(D(st.nBearing[2]), -243.75, 1e-12);
}

struct Refusal {
    int in, out;
    double nIn, nOut;
    const char* message;
    double safety = 0;
};

// Drive data no plus stage with double planets can run are refused before
// anything is sized, and a safety that sizes a sun no stage can have before
// its tooth number is made whole, with a fatal message; the stage stays as
// it was. The default drive's T' = s * 2291.8 Nm: s = 1e40 and 1e9 take the
// largest module, 60, 1e-9 the smallest, 0.05; zS = 0.35 sqrt(3.0924 * T' *
// 2000 / (mn * 15) / 2.0924) / mn = 5.06089e19, 16003.95 and 0.665.
TEST_F(Predim, ImpossibleDriveDataAreRefused)
{
    const Refusal cases[] = {
        {shaftS, shaftH, 100, 100, "Fatal  : i0 = 1 !"}, // nS = nH
        {shaftS, shaftH, 0, 50, "Fatal  : n input = 0 !"},
        {shaftS, shaftH, 100, 0, "Fatal  : n output = 0 !"},
        {shaftS, shaftS, 100, 50, "Fatal  : input shaft = output shaft !"},
        {shaftC, shaftH, 100, 100, "Fatal  : i0 = 1 !"}, // carrier and ring together
        {shaftS, shaftH, 100, 200, "Fatal  : i0 < 1 !"}, // ring faster than the sun
        {shaftS, shaftH, 100, -50, "Fatal  : i0 < 1 !"}, // a minus stage
        {shaftS, shaftH, 100, 12.82, "Fatal  : number of teeth zS 5.06089e+19 outside 2 .. 5000 !", 1e40},
        {shaftS, shaftH, 100, 12.82, "Fatal  : number of teeth zS 16004 outside 2 .. 5000 !", 1e9},
        {shaftS, shaftH, 100, 12.82, "Fatal  : number of teeth zS 1 outside 2 .. 5000 !", 1e-9},
    };
    for (const auto& c : cases) {
        SetDefaultInput();
        PlanetaryShafts.InputShaft = c.in;
        PlanetaryShafts.OutputShaft = c.out;
        PlanetaryStage.nIn = c.nIn;
        PlanetaryStage.nOut = c.nOut;
        PlanetaryStage.PredimSafety = c.safety;
        const TPlanetaryGears gearsBefore = PlanetaryGears;
        const Extended mnBefore = GearPair.mn;
        EXPECT_FALSE(Predimension()) << c.message;
        EXPECT_TRUE(telmvar.FatalCalcError) << c.message;
        EXPECT_TRUE(HasMessage(c.message)) << c.message << " got " << error0.ErrorTexts[1];
        EXPECT_TRUE(PlanetaryGears.z == gearsBefore.z) << c.message;
        EXPECT_TRUE(PlanetaryGears.b == gearsBefore.b) << c.message;
        EXPECT_EQ(GearPair.mn, mnBefore) << c.message;
        EXPECT_TRUE(std::isfinite(D(PlanetaryStage.i0))) << c.message;
    }
}

TEST_F(Predim, NoPowerOrNoPlanetsAreRefused)
{
    PlanetaryStage.DriveValue = 0;
    EXPECT_FALSE(Predimension());
    EXPECT_TRUE(HasMessage("Fatal  : power = 0 !"));
    SetDefaultInput();
    GearPair.qp = 0;
    EXPECT_FALSE(Predimension());
    EXPECT_TRUE(HasMessage("Fatal  : q = 0 !"));
}

} // namespace
