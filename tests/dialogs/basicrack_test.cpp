// The basic-rack converter: the entered profile number, the default tip
// radius (and none for a 90 degree profile), diameters that match the hand
// values of the geometry, inch output, untouched coefficients kept exactly,
// and Escape that keeps the last pass's coefficients.
#include "dialogs/stage/basicrackconverter.h"
#include "foundation/messagecollector.h"
#include "foundation/numbertext.h"
#include "stageforms_fixture.h"

#include <cmath>

namespace
{

using platform::DialogAction;
using platform::DialogModel;
using platform::DialogResult;

class BasicRack : public StageForms
{
  protected:
    void SetUp() override
    {
        StageForms::SetUp();
        // m 3, z 12/24, x 0.6/0.36, the standard profile 1.25 / 1.0 / 0.25:
        // d1 = 36, df1 = 36 - 2 * 1.25 * 3 + 2 * 0.6 * 3 = 32.1,
        // da1 = 36 + 2 * 3 + 2 * 0.6 * 3 = 45.6.
        TGearPairData& g = GearPair;
        g.mn = 3;
        g.z[1] = 12;
        g.z[2] = 24;
        g.x[1] = 0.6L;
        g.x[2] = 0.36L;
        g.alpha = 20;
        g.beta = 0;
        g.a = 0;
        g.b_effH = 20;
        g.b[1] = g.b[2] = 20;
        for (int i = 1; i <= 2; ++i) {
            g.TsnSeries[i] = 11;
            g.Asne[i] = g.Asni[i] = 0;
            g.DimensionInputMode[i] = 2;
            g.kmn[i] = 0;
            g.haP0_mn[i] = 1.25L;
            g.hfP0_mn[i] = 1.0L;
            g.rhoaP0_mn[i] = 0.25L;
            g.rhofP0_mn[i] = 0.2L;
            g.prP0_mn[i] = 0;
            g.hFfP0_mn[i] = 0;
            g.alphaprP0[i] = 0;
            g.alphakP0[i] = 0;
        }
        g.AaField = 9;
        g.Aa = g.Aai = 0;
    }
    void TearDown() override
    {
        OnlineEnd();
        StageForms::TearDown();
    }
};

TEST_F(BasicRack, DefaultTipRadiusAtTwentyDegrees)
{
    // 0.9 (pi/4 cos 20 - 1.25 sin 20) / (1 - sin 20)
    // = 0.9 (0.738033 - 0.427525) / 0.657980 = 0.424720
    Extended r = 0;
    ASSERT_TRUE(DefaultTipRadius(20, 1.25L, 0, r));
    EXPECT_NEAR(static_cast<double>(r), 0.4247, 5e-5);
    EXPECT_FALSE(DefaultTipRadius(90, 1.25L, 0, r)) << "1 - sin 90 is 0";
}

TEST_F(BasicRack, PassShowsTheGearOfTheEnteredProfile)
{
    BasicRackConverterInit(1);
    EXPECT_EQ(GearPair.ToolProfileNo[1], 4);
    EXPECT_EQ(vonline3.OnlineInValue[2], "1.25");
    EXPECT_EQ(vonline3.OnlineInUnit[3], "\xF8");
    vonline3.OnlineInValue[7] = "0";
    BasicRackConverterPass(1);
    ASSERT_FALSE(telmvar.FatalCalcError);
    EXPECT_EQ(vonline3.OnlineOutLabel[1], "d");
    EXPECT_EQ(vonline3.OnlineOutValue[1], "36.00");
    EXPECT_EQ(vonline3.OnlineOutValue[2], "32.10");
    EXPECT_EQ(vonline3.OnlineOutValue[3], "45.60");
    EXPECT_EQ(vonline3.OnlineOutUnit[1], "mm");
    EXPECT_EQ(vonline3.OnlineOutLabel[9], "hP0");
    // haP0 = 1.25 * 3, hfP0 = 1.0 * 3, hP0 their sum.
    EXPECT_EQ(vonline3.OnlineOutValue[7], "3.75");
    EXPECT_EQ(vonline3.OnlineOutValue[8], "3");
    EXPECT_EQ(vonline3.OnlineOutValue[9], "6.75");
    // The computed tip radius shows up in its input line.
    EXPECT_NEAR(static_cast<double>(GearPair.rhoaP0_mn[1]), 0.424720, 1e-6);
    EXPECT_NEAR(static_cast<double>(TextToFloat(vonline3.OnlineInValue[7])), 0.424720, 1e-6);
    EXPECT_GT(GearPair.eps_alpha, 1);
}

TEST_F(BasicRack, NinetyDegreeProfileLeavesTheTipRadiusWithAMessage)
{
    GearPair.alpha = 90;
    BasicRackConverterInit(2);
    vonline3.OnlineInValue[7] = "0";
    BasicRackConverterPass(2);
    EXPECT_EQ(GearPair.rhoaP0_mn[2], 0);
    bool found = false;
    for (int i = 1; i <= error0.ErrorCount; ++i)
        found = found || error0.ErrorTexts[i].rfind("raP0/m", 0) == 0;
    EXPECT_TRUE(found);
}

TEST_F(BasicRack, DiametersInInchWithThreeDecimals)
{
    wtelmvar.UnitSystem = 1;
    BasicRackConverterInit(1);
    BasicRackConverterPass(1);
    EXPECT_EQ(vonline3.OnlineOutUnit[1], "in");
    EXPECT_EQ(vonline3.OnlineOutValue[1], "1.417"); // 36 / 25.4
    EXPECT_EQ(vonline3.OnlineOutValue[3], "1.795"); // 45.6 / 25.4
}

TEST_F(BasicRack, UntouchedCoefficientsKeepTheirValues)
{
    GearPair.prP0_mn[1] = 0.0123456789L;
    BasicRackConverterInit(1);
    BasicRackConverterPass(1);
    BasicRackConverterPass(1);
    EXPECT_TRUE(SameBits(GearPair.prP0_mn[1], 0.0123456789L));
}

TEST_F(BasicRack, EscapeKeepsTheLastPassCoefficients)
{
    hp.HeadlessDialogs().QueueScript([](DialogModel& m) {
        auto& f = static_cast<TForm_online&>(m);
        f.Control("ed_2").Text = "1.4";
        f.Changed("ed_2");
        return f.KeyDown(2, OnlineKeyEnter) == DialogAction::Accept ? DialogResult::Ok : DialogResult::Cancel;
    });
    std::string df;
    hp.HeadlessDialogs().QueueScript([&df](DialogModel& m) {
        df = m.Control("lbaw_2").Caption;
        m.Control("ed_1").Text = "9";
        return m.Press("Escape") == DialogAction::Accept ? DialogResult::Ok : DialogResult::Cancel;
    });
    ShowBasicRackConverter(1);
    EXPECT_EQ(GearPair.haP0_mn[1], 1.4L);
    EXPECT_EQ(GearPair.hfP0_mn[1], 1.0L) << "the text typed before Escape is not taken";
    EXPECT_EQ(df, "31.20"); // 36 - 2 * 1.4 * 3 + 3.6
    EXPECT_TRUE(telmvar.MessagesEnabled);
}

} // namespace
