// The drive form: the live third value from exact values, the OK rule, the
// stale result labels, the control-shaft label, "locked" and the opening
// row of a project without a stored choice.
#include "common/testnames.h"
#include "dialogs/stage/driveform.h"
#include "dialogs/stage/radiogroup.h"
#include "stageforms_fixture.h"

#include <cmath>

namespace
{

using platform::DialogAction;
constexpr long double TwoPi = 6.283185307179586476925286766559L;

class DriveForm : public StageForms
{
};

struct LiveCase {
    const char* name;
    int mode;         // DriveInputMode stored (row + 1)
    const char* edit; // the edit the user types into
    const char* typed;
    const char *n, *P, *T; // texts before typing
    const char* computed;  // the computed edit
    const char* expected;
};

class DriveLive : public DriveForm, public ::testing::WithParamInterface<LiveCase>
{
};

TEST_P(DriveLive, ThirdValueFollowsTheTyping)
{
    const LiveCase& c = GetParam();
    PlanetaryStage.DriveInputMode = c.mode;
    TForm_qyr7antr f;
    f.Control("Edit_nantr").Text = c.n;
    f.Control("Edit_Pantr").Text = c.P;
    f.Control("Edit_tantr").Text = c.T;
    f.Control(c.edit).Text = c.typed;
    f.Changed(c.edit);
    EXPECT_EQ(f.Control(c.computed).Text, c.expected);
    EXPECT_FALSE(f.Control(c.computed).Enabled) << "the computed edit is not typed into";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DriveLive,
    ::testing::Values(
        // 10 kW * 60000 / (1000 /min * 2 pi) = 95.493 Nm; 3 significant
        // digits show one more from 1 on
        LiveCase{"torque row n 1000 P 10", 2, "Edit_Pantr", "10", "1000", "", "", "Edit_tantr", "95.49"},
        // 100 Nm * 2 pi * 1500 /min / 60000 = 15.707963 kW; six significant
        // digits, one more from 1 on
        LiveCase{"power row T 100 n 1500", 3, "Edit_nantr", "1500", "", "", "100", "Edit_Pantr", "15.70796"},
        // 10 kW with T 0: no division, the speed text stays
        LiveCase{"speed row T 0 keeps n", 1, "Edit_Pantr", "10", "777", "", "0", "Edit_nantr", "777"},
        // 100 kW * 60000 / (500 Nm * 2 pi) = 1909.86 /min
        LiveCase{"speed row P 100 T 500", 1, "Edit_tantr", "500", "", "100", "", "Edit_nantr", "1910"},
        LiveCase{"torque row n 0 keeps T", 2, "Edit_nantr", "0", "", "10", "42", "Edit_tantr", "42"}),
    [](const auto& info) { return testnames::Identifier(info.param.name); });

TEST_F(DriveForm, UntouchedOkStoresTheExactComputedTorque)
{
    TPlanetaryStage& st = PlanetaryStage;
    st.DriveInputMode = 2;
    st.nIn = 1234.5678L;
    st.DriveValue = 12.3456789L;
    st.TN = 1; // stale: the form computes it anew
    TForm_qyr7antr f;
    EXPECT_EQ(f.Control("Edit_tantr").Text, "95.49");
    EXPECT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    EXPECT_TRUE(SameBits(st.nIn, 1234.5678L)) << "the speed is not rounded to its 3-digit text";
    EXPECT_TRUE(SameBits(st.DriveValue, 12.3456789L));
    const Extended T = 12.3456789L * 60000 / (TwoPi * 1234.5678L);
    EXPECT_TRUE(SameBits(st.TN, T)) << static_cast<double>(st.TN);
    EXPECT_EQ(st.DriveInputMode, 2);
    EXPECT_FALSE(telmvar.Aborted);
}

TEST_F(DriveForm, ControlLabelNamesTheThirdShaft)
{
    struct {
        int in, out;
        const char* label;
    } cases[] = {{0, 1, "H ring gear"}, {1, 0, "H ring gear"},      {1, 2, "S sun wheel"},
                 {2, 1, "S sun wheel"}, {0, 2, "C planet carrier"}, {2, 0, "C planet carrier"}};
    TForm_qyr7antr f;
    for (const auto& c : cases) {
        f.Control(RadioButtonName("RadioGroup_antrieb", c.in)).Checked = true;
        f.Changed(RadioButtonName("RadioGroup_antrieb", c.in));
        f.Control(RadioButtonName("RadioGroup_abtrieb", c.out)).Checked = true;
        f.Changed(RadioButtonName("RadioGroup_abtrieb", c.out));
        EXPECT_EQ(f.Control("Label_control").Caption, c.label) << c.in << "->" << c.out;
        EXPECT_EQ(f.InputIndex(), c.in);
        EXPECT_EQ(f.OutputIndex(), c.out);
    }
}

TEST_F(DriveForm, SameShaftWithSpeedAndPowerCannotBeConfirmed)
{
    PlanetaryStage.DriveInputMode = 2;
    TForm_qyr7antr f; // S -> C, n 1000, P 100
    EXPECT_TRUE(f.Control("Button_ok").Enabled);
    f.Control("RadioGroup_abtrieb_0").Checked = true;
    f.Changed("RadioGroup_abtrieb_0");
    EXPECT_FALSE(f.Control("Button_ok").Enabled);
    const Extended nIn = PlanetaryStage.nIn;
    EXPECT_EQ(f.Press("Button_ok"), DialogAction::None);
    EXPECT_EQ(f.Press("Button_update"), DialogAction::None);
    EXPECT_EQ(PlanetaryShafts.OutputShaft, 2) << "nothing stored";
    EXPECT_EQ(PlanetaryStage.nIn, nIn);
    // A zero power leaves the decision to the stage's drive check.
    f.Control("Edit_Pantr").Text = "0";
    f.Changed("Edit_Pantr");
    EXPECT_TRUE(f.Control("Button_ok").Enabled);
}

TEST_F(DriveForm, ResultsGoStaleUntilTheNextLoad)
{
    TForm_qyr7antr f;
    EXPECT_TRUE(f.Control("Label_nabtr").Visible);
    for (const char* name : {"Edit_nantr", "Edit_ncontrol", "CheckBox_blocked", "RadioGroup_antrieb_2"}) {
        f.LoadFields();
        ASSERT_TRUE(f.Control("Label_np").Visible);
        f.Control(name).Checked = true;
        f.Changed(name);
        EXPECT_FALSE(f.Control("Label_nabtr").Visible) << name;
        EXPECT_FALSE(f.Control("Label_np").Visible) << name;
    }
}

TEST_F(DriveForm, CalcButtonShowsTheKinematicsResult)
{
    PlanetaryStage.DriveInputMode = 2;
    TForm_qyr7antr f; // S -> C, H held, z 21/15/15/-63
    f.Control("Edit_nantr").Text = "1000";
    f.Changed("Edit_nantr");
    EXPECT_FALSE(f.Control("Label_nabtr").Visible);
    EXPECT_EQ(f.Press("Button_update"), DialogAction::None);
    EXPECT_TRUE(f.Control("Label_nabtr").Visible);
    // Double planets: the ring turns with the sun while the carrier stands,
    // (nS - nC) / (nH - nC) = 63 / 21 = 3; with nH = 0 the carrier runs at
    // -nS / 2.
    EXPECT_EQ(f.Control("Label_nabtr").Caption, "n out = -500 /min");
    EXPECT_NE(f.Control("Label_np").Caption.find("npi = "), std::string::npos);
}

TEST_F(DriveForm, LockedPutsZeroAndClearsPowerSharing)
{
    PlanetaryStage.PowerSplit = true;
    PlanetaryStage.nThird = 300;
    TForm_qyr7antr f;
    EXPECT_TRUE(f.Control("CheckBox_leistungsteilung").Checked);
    f.Control("CheckBox_blocked").Checked = true;
    f.Changed("CheckBox_blocked");
    EXPECT_EQ(f.Control("Edit_ncontrol").Text, "0");
    EXPECT_FALSE(f.Control("Edit_ncontrol").Enabled);
    EXPECT_FALSE(f.Control("CheckBox_leistungsteilung").Checked);
    ASSERT_EQ(f.Press("Button_ok"), DialogAction::Accept);
    EXPECT_TRUE(PlanetaryStage.ControlShaftBlocked);
    EXPECT_FALSE(PlanetaryStage.PowerSplit);
    EXPECT_EQ(PlanetaryStage.nThird, 0);
    f.Control("CheckBox_blocked").Checked = false;
    f.Changed("CheckBox_blocked");
    EXPECT_TRUE(f.Control("Edit_ncontrol").Enabled);
}

TEST_F(DriveForm, StoredModeZeroOpensOnThePowerRow)
{
    PlanetaryStage.DriveInputMode = 0;
    TForm_qyr7antr f;
    EXPECT_EQ(RadioIndex(f, "RadioGroup_npt", 3), 2);
    EXPECT_FALSE(f.Control("Edit_Pantr").Enabled);
    EXPECT_TRUE(f.Control("Edit_tantr").Enabled);
    EXPECT_EQ(f.Caption(), "QYR7 drive");
    EXPECT_EQ(f.Control("Label_zh").Caption, "-63");
}

TEST_F(DriveForm, CancelKeepsTheDrive)
{
    TForm_qyr7antr f;
    f.Control("Edit_nantr").Text = "5";
    f.Changed("Edit_nantr");
    EXPECT_EQ(f.Press("Button_cancel"), DialogAction::Reject);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(PlanetaryStage.nIn, 1000);
}

} // namespace
