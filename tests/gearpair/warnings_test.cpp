// Design warnings of a calculated pair: each one produced by a crafted pair,
// and kept or suppressed under HideWarnings as the warning's kind demands.

#include "gearpair/geometry/warnings.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "common/statereset.h"
#include "common/testmessages.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/calcgearpair.h"

namespace
{

class Warnings : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        // A test starts over by running SetUp again.
        ResetProgramState();
        SetGearDefaults();
        InitGearPairData();
    }

    // The default pair made free of findings: a face wide enough for an
    // overlap ratio above 1, tips not reduced, the ball sized for the gear.
    static void CalcCleanPair()
    {
        auto& g = GearPair;
        g.b[1] = g.b[2] = g.b_effH = 140;
        g.DimensionInputMode[1] = g.DimensionInputMode[2] = 2;
        g.kmn[1] = g.kmn[2] = 0;
        g.AutoBallDiameter = 1;
        CalcGeometry();
    }

    // Spur pair z1 / z2, m 2, profile shifts x1 / x2, centre distance from
    // the profile shifts, tips not reduced.
    static void CalcSpurPair(int z1, int z2, Extended x1, Extended x2)
    {
        auto& g = GearPair;
        g.z[1] = z1;
        g.z[2] = z2;
        g.x[1] = x1;
        g.x[2] = x2;
        g.mn = 2;
        g.beta = 0;
        g.a = 0;
        g.b[1] = g.b[2] = g.b_effH = 20;
        g.DimensionInputMode[1] = g.DimensionInputMode[2] = 2;
        g.kmn[1] = g.kmn[2] = 0;
        g.AutoBallDiameter = 1;
        CalcGeometry();
    }

    static int Count(const std::string& text)
    {
        int n = 0;
        for (int i = 1; i <= error0.ErrorCount; ++i)
            if (error0.ErrorTexts[i] == text) ++n;
        return n;
    }
    static bool HasMessage(const std::string& text) { return Count(text) > 0; }
    static int IndexOf(const std::string& text)
    {
        for (int i = 1; i <= error0.ErrorCount; ++i)
            if (error0.ErrorTexts[i] == text) return i;
        return 0;
    }
};

TEST_F(Warnings, CleanPairHasNoFindings)
{
    CalcCleanPair();
    ASSERT_FALSE(telmvar.FatalCalcError);
    EXPECT_EQ(error0.ErrorCount, 0) << Messages();
}

// Each row spoils one result of the clean pair the way a real pair would
// get it, then runs the warnings alone.
TEST_F(Warnings, EachFindingAndWhetherItHides)
{
    using G = TGearPairData;
    const struct Row {
        const char* text;
        bool hidable;
        std::function<void(G&)> spoil;
    } rows[] = {
        {"Warning: point teeth ! (1)", false, [](G& g) { g.sat_nom[1] = 0.15L * g.mn; }},
        {"Warning: point teeth ! (2)", false, [](G& g) { g.san_nom[2] = 0.1L; }},
        {"Warning: undercut ! (1)", true, [](G& g) { g.x[1] = g.x_min[1] - 0.01L; }},
        {"Error  : clearance sh.add. < 0 ! (2)", false, [](G& g) { g.ck[2] = -0.1L; }},
        {"Warning: clearance sh.add. < 0.12mn ! (1)", true, [](G& g) { g.ck[1] = 0.12L * g.mn - 0.01L; }},
        {"Warning: z2<z1 !", false, [](G& g) { g.z[2] = 15; }},
        {"meshing interference ! (-0.0123)", false,
         [](G& g) {
             g.z[2] = -58;
             g.CollisionY = -0.0123L;
         }},
        {"gear ratio !", true, [](G& g) { g.u = 4; }},
        {"eps.alpha < 1 !", false, [](G& g) { g.eps_alpha = 0.99L; }},
        {"eps.beta < 1 !", true, [](G& g) { g.eps_beta = 0.99L; }},
        {"eps.gamma < 1 !", false, [](G& g) { g.eps_gamma = 0.99L; }},
        {"Warning: x > 1.5   (2) !", false, [](G& g) { g.x[2] = -1.6L; }},
        {"alfa prP0 > alfa !", false, [](G& g) { g.alphaprP0[1] = 21; }},
        {"alfa kP0 < alfa !", false, [](G& g) { g.alphakP0[2] = 19; }},
        // the ball at the thinnest tooth sits in the root
        {"Error  : Dm ball !  (13.5mm)", false, [](G& g) { g.MdK_xemin[1] = g.df[1]; }},
        // a 12 mm ball beyond the tip form at the thickest tooth, in inches 12 / 25.4 = 0.472
        {"Error  : Dm ball !  (0.472in)", false,
         [](G& g) { wtelmvar.UnitSystem = 1, g.DM[1] = 12, g.MdR_xevmax[1] = g.dFamin[1] + 36; }},
        // k 3 against 7 entered: |3 - 7| / 7 = 57 % (6 would be 50 %, not above)
        {"no. of teeth measured 1 !", false, [](G& g) { g.SpanTeeth[1] = 7; }},
        // W 51.7 sin 8.45 + 2 + 0.03 * 51.7 = 11.15 > 10
        {"Warning: b < b min. (1)", true, [](G& g) { g.b[1] = 10; }},
        {"Warning: Asne < Aau !  (1)", true, [](G& g) { g.Asne[1] = -0.001L; }},
        {"Warning: jtmin < 0 !", false, [](G& g) { g.jtmin = -0.01L; }},
        {"Warning: Tsn DIN d<2 !", false,
         [](G& g) {
             g.d[2] = 1.5L;
             g.TsnSeries[2] = 5;
         }},
        {"Error  : Tol. Asne,Asni!", false, [](G& g) { g.sn_min[2] = 0.7L * g.sn_nom[2]; }},
        {"Warning: ISO 6336 -> ISO 1328", true,
         [](G& g) {
             g.CalcMethod = 4;
             g.ToleranceStandard = 0;
         }},
        {"Warning: spec.sliding > 2 !", true, [](G& g) { g.zeta_f2 = -2.1L; }},
        {"Error  : xemin>xemax (1)", false, [](G& g) { g.xevmax[1] = g.xevmin[1] - 0.01L; }},
        {"Error  : dw < df ! (2)", false, [](G& g) { g.df[2] = g.dw[2] + 1; }},
        {"Error  : dw > da ! (1)", false, [](G& g) { g.da[1] = g.dw[1] - 1; }},
        {"Error  : di > df ! (1)", false, [](G& g) { g.di[1] = g.df[1] + 1; }},
        {"Warning: beff > b ! (2)", false, [](G& g) { g.b[2] = g.b_effH - 1; }},
        {"Warning: di < dB ! (2)", false,
         [](G& g) {
             g.di[2] = 100;
             g.dB[2] = 120;
         }},
        {"Warning: di > df ! (1)", false, [](G& g) { g.di[1] = g.df[1] + 1; }},
        {"Error  : dB > df ! (1)", false, [](G& g) { g.dB[1] = g.df[1] + 1; }},
        {"Warning: x2 > 0", true,
         [](G& g) {
             g.z[2] = -58;
             g.x[2] = 0.06L;
         }},
    };
    for (const auto& r : rows) {
        for (const bool hide : {false, true}) {
            SetUp();
            CalcCleanPair();
            ASSERT_EQ(error0.ErrorCount, 0) << Messages();
            r.spoil(GearPair);
            wtelmvar.HideWarnings = hide;
            GearPairWarnings();
            const bool expected = !(hide && r.hidable);
            EXPECT_EQ(HasMessage(r.text), expected)
                << r.text << (hide ? " (hidden)" : "") << ": " << Messages();
        }
    }
}

TEST_F(Warnings, MessagesFollowTheOrderOfTheChecks)
{
    CalcCleanPair();
    auto& g = GearPair;
    g.xevmax[1] = g.xevmin[1] - 0.01L; // after the sliding check
    g.jtmin = -0.01L;                  // inside the tool and measurement loop
    g.x[2] = -1.6L;                    // same loop, gear 2
    g.SpanTeeth[1] = 7;                // same loop, gear 1, later check
    g.u = 4;                           // pair check
    g.ck[1] = -0.1L;                   // first block
    ResetErrorState();
    GearPairWarnings();
    const int clearance = IndexOf("Error  : clearance sh.add. < 0 ! (1)");
    const int ratio = IndexOf("gear ratio !");
    const int teeth = IndexOf("no. of teeth measured 1 !");
    const int backlash = IndexOf("Warning: jtmin < 0 !");
    const int shift = IndexOf("Warning: x > 1.5   (2) !");
    const int xe = IndexOf("Error  : xemin>xemax (1)");
    ASSERT_TRUE(clearance && ratio && teeth && backlash && shift && xe) << Messages();
    EXPECT_LT(clearance, ratio);
    EXPECT_LT(ratio, teeth);
    // every check of gear 1 before those of gear 2
    EXPECT_LT(teeth, shift);
    EXPECT_LT(backlash, shift);
    EXPECT_LT(shift, xe);
}

TEST_F(Warnings, NegativeBacklashIsReportedOnce)
{
    CalcCleanPair();
    GearPair.jtmin = -0.01L;
    ResetErrorState();
    GearPairWarnings();
    EXPECT_EQ(Count("Warning: jtmin < 0 !"), 1);
    EXPECT_EQ(error0.ErrorCount, 1) << Messages();
}

TEST_F(Warnings, BoreLargerThanTheRootGivesErrorAndWarning)
{
    CalcCleanPair();
    GearPair.di[2] = GearPair.df[2] + 5;
    ResetErrorState();
    GearPairWarnings();
    EXPECT_TRUE(HasMessage("Error  : di > df ! (2)")) << Messages();
    EXPECT_TRUE(HasMessage("Warning: di > df ! (2)")) << Messages();
}

TEST_F(Warnings, WholeGearRatio)
{
    // 60 / 20 = 3.0 exactly; 61 / 20 = 3.05
    CalcSpurPair(20, 60, 0.2L, 0.1L);
    ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
    EXPECT_TRUE(HasMessage("gear ratio !")) << Messages();
    SetUp();
    CalcSpurPair(20, 61, 0.2L, 0.1L);
    ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
    EXPECT_FALSE(HasMessage("gear ratio !")) << Messages();
    SetUp();
    wtelmvar.HideWarnings = true;
    CalcSpurPair(20, 60, 0.2L, 0.1L);
    EXPECT_FALSE(HasMessage("gear ratio !")) << Messages();
}

TEST_F(Warnings, SpurPairHasNoOverlapOrFaceWidthWarning)
{
    // overlap ratio 0 and a face of 2 mm, far below the span of 15 mm
    auto& g = GearPair;
    CalcSpurPair(21, 61, 0.2L, 0.1L);
    ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
    g.b[1] = g.b[2] = 2;
    ResetErrorState();
    GearPairWarnings();
    EXPECT_EQ(g.eps_beta, 0);
    EXPECT_FALSE(HasMessage("eps.beta < 1 !")) << Messages();
    EXPECT_FALSE(HasMessage("Warning: b < b min. (1)")) << Messages();
    EXPECT_FALSE(HasMessage("Warning: b < b min. (2)")) << Messages();
}

TEST_F(Warnings, InternalWheelProfileShift)
{
    const struct {
        Extended x2;
        bool warns;
    } rows[] = {{0.05L, false}, {0.06L, true}, {-0.2L, false}};
    for (const auto& r : rows) {
        SetUp();
        CalcSpurPair(20, -60, 0.2L, r.x2);
        ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
        EXPECT_EQ(HasMessage("Warning: x2 > 0"), r.warns)
            << "x2 " << static_cast<double>(r.x2) << ": " << Messages();
    }
}

TEST_F(Warnings, InternalHelicalWheelNeedsTheFaceForItsSpan)
{
    // The span of the internal wheel is negative; its length decides.
    auto& g = GearPair;
    CalcSpurPair(20, -60, 0.2L, 0);
    ASSERT_LT(g.W_xemin[2], -30);
    g.beta = 15;
    g.beta_b = 0.25L;
    g.b[1] = 200;
    g.b[2] = 5;
    ResetErrorState();
    GearPairWarnings();
    EXPECT_TRUE(HasMessage("Warning: b < b min. (2)")) << Messages();
    EXPECT_FALSE(HasMessage("Warning: b < b min. (1)")) << Messages();
}

TEST_F(Warnings, MissingRoughnessAndDensityGetDefaults)
{
    CalcCleanPair();
    auto& g = GearPair;
    g.RzZ[1] = 0;
    g.RzY[2] = 0;
    g.rho[2] = 0;
    g.RzZ[2] = 3;
    g.rho[1] = 7.2L;
    GearPairWarnings();
    EXPECT_EQ(g.RzZ[1], 1.0L);
    EXPECT_EQ(g.RzY[2], 1.0L);
    EXPECT_EQ(g.rho[2], 7.8L);
    EXPECT_EQ(g.RzZ[2], 3);
    EXPECT_EQ(g.rho[1], 7.2L);
}

TEST_F(Warnings, PairCalculationWarnsAfterTheMeasuringValuesAndDrawsLast)
{
    // The default pair: face 88 mm at 9 deg gives an overlap ratio of 0.67.
    CalcGearPair();
    ASSERT_FALSE(telmvar.FatalCalcError) << Messages();
    const auto& g = GearPair;
    EXPECT_TRUE(HasMessage("eps.beta < 1 !")) << Messages();
    // the teeth spanned were counted before the warnings compared them
    EXPECT_GT(g.SpanTeeth[1], 0);
    EXPECT_FALSE(HasMessage("no. of teeth measured 1 !")) << Messages();
    EXPECT_GT(g.W_x[1], 0);
    EXPECT_GT(g.fpT[1], 0);
    EXPECT_GT(g.phi_a, g.phi_e);
    EXPECT_EQ(g.a_pic, g.a);
}

TEST_F(Warnings, NeverFatal)
{
    CalcCleanPair();
    auto& g = GearPair;
    g.ck[1] = -1;
    g.df[2] = g.dw[2] + 1;
    g.sn_min[1] = 0.5L * g.sn_nom[1];
    GearPairWarnings();
    EXPECT_FALSE(telmvar.FatalCalcError);
    EXPECT_FALSE(telmvar.Aborted);
}

} // namespace
