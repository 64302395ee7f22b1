// The measurement form: k rounded halves to even, DM in inches, OK
// switching to the entered values, the span proposal from the geometry.
#include "dialogs/gear/measurementform.h"
#include "stageforms_fixture.h"

namespace
{

using platform::DialogAction;

class GearMeasurement : public StageForms
{
  protected:
    void SetUp() override
    {
        StageForms::SetUp();
        TPlanetaryGears& g = PlanetaryGears;
        GearPair.mn = 2;
        GearPair.alpha = 20;
        GearPair.qp = 3;
        const int z[] = {24, 20, 22, -90};
        for (int i = 1; i <= 4; ++i) {
            g.z[i] = z[i - 1];
            g.b[i] = 30;
            g.SpanTeeth[i] = 3;
            g.DM[i] = 3.5L;
        }
        GearPair.AutoBallDiameter = 1;
    }
};

TEST_F(GearMeasurement, SpanTeethRoundHalvesToEven)
{
    const struct {
        const char* text;
        int k;
    } cases[] = {{"3.6", 4}, {"3.5", 4}, {"2.5", 2}, {"-3.5", -4}, {"5", 5}};
    for (const auto& c : cases) {
        int k = 0;
        ASSERT_TRUE(TextToSpanTeeth(c.text, k)) << c.text;
        EXPECT_EQ(k, c.k) << c.text;
    }
    int k = 7;
    EXPECT_FALSE(TextToSpanTeeth("abc", k));
    EXPECT_FALSE(TextToSpanTeeth("1e12", k)) << "beyond any tooth count";
}

TEST_F(GearMeasurement, OkStoresRoundedSpanAndSwitchesToEnteredValues)
{
    TForm_qyr7mes f;
    f.Control("Edit_k1").Text = "3.6";
    f.Control("Edit_k2").Text = "3.5";
    f.Control("Edit_k3").Text = "2.5";
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    EXPECT_EQ(PlanetaryGears.SpanTeeth[1], 4);
    EXPECT_EQ(PlanetaryGears.SpanTeeth[2], 4);
    EXPECT_EQ(PlanetaryGears.SpanTeeth[3], 2);
    EXPECT_EQ(PlanetaryGears.SpanTeeth[4], 3);
    EXPECT_EQ(GearPair.AutoBallDiameter, 0);
}

TEST_F(GearMeasurement, InvalidSpanStoresNothing)
{
    TForm_qyr7mes f;
    f.Control("Edit_k1").Text = "x";
    f.Control("Edit_dm1").Text = "4";
    EXPECT_EQ(f.Press("Button_ok"), DialogAction::None);
    EXPECT_EQ(PlanetaryGears.SpanTeeth[1], 3);
    EXPECT_EQ(PlanetaryGears.DM[1], 3.5L);
    EXPECT_EQ(GearPair.AutoBallDiameter, 1);
}

TEST_F(GearMeasurement, InchBallDiameter)
{
    wtelmvar.UnitSystem = 1;
    PlanetaryGears.DM[2] = 2.54L;
    TForm_qyr7mes f;
    EXPECT_EQ(f.Control("Edit_dm2").Text, "0.1000");
    EXPECT_EQ(f.Control("Edit_k2").Text, "3");
    EXPECT_EQ(f.Control("Label_dmu").Caption, "in");
    f.Control("Edit_dm2").Text = "0.2";
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    EXPECT_NEAR(static_cast<double>(PlanetaryGears.DM[2]), 5.08, 1e-12);
}

TEST_F(GearMeasurement, SpanProposalFromTheGeometry)
{
    // Spur gears at 20 degrees without shift: k = z alpha / 180 + 0.5,
    // rounded: 20 -> 2.72 -> 3; 22 -> 2.94 -> 3.
    for (int g = 1; g <= 4; ++g)
        PlanetaryGears.SpanTeeth[g] = 0;
    // A sun of 40 teeth: 4.94 -> 5. Entered ball diameters, so that the
    // geometry calculation of the proposal keeps them.
    GearPair.AutoBallDiameter = 0;
    PlanetaryGears.z[gS] = 40;
    TForm_qyr7mes f;
    f.Press("Button_k");
    EXPECT_EQ(f.Control("Edit_k1").Text, "5");
    EXPECT_EQ(f.Control("Edit_k2").Text, "3");
    EXPECT_EQ(f.Control("Edit_k3").Text, "3");
    EXPECT_EQ(PlanetaryGears.DM[1], 3.5L) << "the span button leaves DM";
}

TEST_F(GearMeasurement, CancelLeavesTheRecords)
{
    TForm_qyr7mes f;
    f.Control("Edit_k1").Text = "9";
    f.Control("Edit_dm1").Text = "9";
    EXPECT_EQ(f.Press("Button_cancel"), DialogAction::Reject);
    EXPECT_EQ(PlanetaryGears.SpanTeeth[1], 3);
    EXPECT_TRUE(SameBits(PlanetaryGears.DM[1], 3.5L));
    EXPECT_EQ(GearPair.AutoBallDiameter, 1);
}

} // namespace
