// The carrier form: opening defaults for zero fields, the proposals, the
// coupling-shaft visibility by form and check box, and the inch system.
#include "dialogs/stage/carrierform.h"
#include "stageforms_fixture.h"

namespace
{

using platform::DialogAction;

class CarrierForm : public StageForms
{
  protected:
    void SetUp() override
    {
        StageForms::SetUp();
        TPlanetaryGears& g = PlanetaryGears;
        g.b[gS] = 30;
        g.b[gPi] = 28;
        g.b[gH] = 26;
        g.dsh[mSPi] = 35;
        g.dB[gS] = 20;
        g.dB[gPi] = 16;
        g.dB[gPe] = 18;
    }
};

TEST_F(CarrierForm, NewProjectOpensWithDefaultsFromTheGears)
{
    TForm_qyr7carr f;
    const TPlanetaryStage& st = PlanetaryStage;
    EXPECT_EQ(PlanetaryGears.dshS, 35) << "the larger of b[S] 30 and dsh 35";
    EXPECT_EQ(st.dshPi, 16);
    EXPECT_EQ(st.dshPe, 18);
    EXPECT_EQ(st.hcarrier, 26);
    EXPECT_EQ(st.dcarrier, 70);
    EXPECT_EQ(st.lcarrier, 105);
    EXPECT_EQ(f.Control("Edit_dcarrier").Text, "70");
    EXPECT_EQ(f.Control("Edit_lcarrier").Text, "105");
    EXPECT_EQ(f.Control("ComboBox_form").Text, "1");
    EXPECT_EQ(f.Caption(), "QYR7 planet carrier");
}

TEST_F(CarrierForm, OddDiameterRoundsTheLength)
{
    PlanetaryGears.dshS = 12.3L;
    TForm_qyr7carr f;
    EXPECT_EQ(PlanetaryStage.dcarrier, 24.6L);
    EXPECT_EQ(PlanetaryStage.lcarrier, 37) << "1.5 * 24.6 = 36.9";
}

TEST_F(CarrierForm, SetFieldsAreNotReplaced)
{
    PlanetaryGears.dshS = 50;
    PlanetaryStage.dcarrier = 44;
    PlanetaryStage.lcarrier = 60;
    TForm_qyr7carr f;
    EXPECT_EQ(PlanetaryStage.dcarrier, 44);
    EXPECT_EQ(PlanetaryStage.lcarrier, 60);
}

TEST_F(CarrierForm, VisibilityByFormAndCouplingShaft)
{
    struct {
        const char* form;
        bool coupling;
        bool checkVisible, fieldsVisible;
    } cases[] = {{"1", false, true, false},
                 {"1", true, true, true},
                 {"2", true, true, true},
                 {"3", true, false, false},
                 {"3", false, false, false}};
    TForm_qyr7carr f;
    for (const auto& c : cases) {
        f.Control("ComboBox_form").Text = c.form;
        f.Changed("ComboBox_form");
        f.Control("CheckBox_jadcarrier").Checked = c.coupling;
        f.Changed("CheckBox_jadcarrier");
        EXPECT_EQ(f.Control("CheckBox_jadcarrier").Visible, c.checkVisible) << c.form << c.coupling;
        for (const char* n :
             {"Label_dcarrier", "Edit_dcarrier", "Button_dcarrier", "Label_lcarrieru", "Edit_lcarrier"})
            EXPECT_EQ(f.Control(n).Visible, c.fieldsVisible) << n << " form " << c.form << c.coupling;
    }
}

TEST_F(CarrierForm, ProposalsAndStore)
{
    TForm_qyr7carr f;
    f.Press("Button_dshs");
    EXPECT_EQ(f.Control("Edit_dshs").Text, "20");
    f.Press("Button_hcarrier");
    EXPECT_EQ(f.Control("Edit_hcarrier").Text, "17") << "0.6 * 28 = 16.8";
    f.Press("Button_dcarrier");
    EXPECT_EQ(f.Control("Edit_dcarrier").Text, "40");
    f.Press("Button_lcarrier");
    EXPECT_EQ(f.Control("Edit_lcarrier").Text, "32");
    f.Control("ComboBox_form").Text = "2";
    f.Control("CheckBox_jadcarrier").Checked = true;
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    const TPlanetaryStage& st = PlanetaryStage;
    EXPECT_EQ(PlanetaryGears.dshS, 20);
    EXPECT_EQ(st.hcarrier, 17);
    EXPECT_EQ(st.dcarrier, 40);
    EXPECT_EQ(st.lcarrier, 32);
    EXPECT_EQ(st.CarrierForm, 2);
    EXPECT_TRUE(st.CarrierShaft);
}

TEST_F(CarrierForm, InchProposalIsTwiceTheSunShaftInInches)
{
    wtelmvar.UnitSystem = 1;
    PlanetaryGears.dshS = 25.4L;
    PlanetaryStage.dcarrier = 10;
    TForm_qyr7carr f;
    EXPECT_EQ(f.Control("Edit_dshs").Text, "1.0000");
    EXPECT_EQ(f.Control("Label_dcarrieru").Caption, "in");
    f.Press("Button_dcarrier");
    EXPECT_EQ(f.Control("Edit_dcarrier").Text, "2.0000");
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    EXPECT_NEAR(static_cast<double>(PlanetaryStage.dcarrier), 50.8, 1e-12);
    EXPECT_TRUE(SameBits(PlanetaryGears.dshS, 25.4L)) << "untouched: kept bit for bit";
}

TEST_F(CarrierForm, MetricButtonSwitchesTheShownUnit)
{
    int toggled = 0;
    dialogservices.ToggleUnitSystem = [&] {
        ++toggled;
        wtelmvar.UnitSystem = 1;
    };
    TForm_qyr7carr f;
    EXPECT_EQ(f.Control("Label_dshsu").Caption, "mm");
    f.Press("Button_metric");
    EXPECT_EQ(toggled, 1);
    EXPECT_EQ(f.Control("Label_dshsu").Caption, "in");
    EXPECT_EQ(f.Control("Edit_dcarrier").Text, "2.7559") << "70 mm";
}

} // namespace

namespace
{

TEST_F(CarrierForm, FormTextOutsideTheChoiceKeepsTheStoredForm)
{
    PlanetaryStage.CarrierForm = 2;
    TForm_qyr7carr f;
    f.Control("ComboBox_form").Text = "7";
    f.Changed("ComboBox_form");
    EXPECT_FALSE(f.Control("Edit_dcarrier").Visible);
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    EXPECT_EQ(PlanetaryStage.CarrierForm, 2);
}

} // namespace
