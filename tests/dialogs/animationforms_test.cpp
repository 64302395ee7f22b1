// The two animation settings forms: their texts as created, the proposal
// buttons, the single-step rule, the Aborted rule of OK, Cancel and the
// window's close button, and the settings the callers read.
#include "dialogs/animation/animationforms.h"
#include "dialogs/helptext.h"
#include "stageforms_fixture.h"

namespace
{

using platform::DialogAction;

class AnimationForms : public StageForms
{
};

struct TTextCase {
    const char* Control;
    const char* Caption; // nullptr: check the edit's text
    const char* Text;
};

TEST_F(AnimationForms, CreatedWithTheirCaptionsAndTexts)
{
    TForm_qyr1ani mesh;
    EXPECT_EQ(mesh.Caption(), "QYR7 Animation");
    const TTextCase meshTexts[] = {
        {"Button_ok", "OK", ""},
        {"Button_cancel", "Cancel", ""},
        {"Button_help", "&Help", ""},
        {"Label_anzbild", "Number of steps", ""},
        {"Label_ms", "Pause after each step", ""},
        {"CheckBox_singlestep", "Pause after each step ?", ""},
        {"Label_wa", "phi 1 start", ""},
        {"Label_we", "phi 1 end", ""},
        {"Label_wau", "\xB0", ""},
        {"Label_weu", "\xB0", ""},
        {"Label2", "ms", ""},
        {"Button_ms", "<", ""},
        {"Button_anzbild", "<", ""},
        {"Button_w", "<", ""},
        {"Button_ae", "A -> E", ""},
        {"Button_ac", "A -> C", ""},
        {"Button_ce", "C -> E", ""},
        {"Edit_anzbild", nullptr, "50"},
        {"Edit_ms", nullptr, "50"},
        {"Edit_wa", nullptr, ""},
        {"Edit_we", nullptr, ""},
    };
    for (const TTextCase& c : meshTexts) {
        const platform::DialogControl* k = mesh.FindControl(c.Control);
        ASSERT_NE(k, nullptr) << c.Control;
        EXPECT_EQ(c.Caption ? k->Caption : k->Text, c.Caption ? c.Caption : c.Text) << c.Control;
    }
    TForm_qyr5ani stage;
    EXPECT_EQ(stage.Caption(), "Animation");
    const TTextCase stageTexts[] = {
        {"Button_ok", "OK", ""},
        {"Button_cancel", "Cancel", ""},
        {"Button_help", "&Help", ""},
        {"Label_anzbild", "Number of steps", ""},
        {"Label_wmax", "phi drive   0\xB0 .. ", ""},
        {"Label_ms", "Pause after each step", ""},
        {"CheckBox_singlestep", "Pause after each step ?", ""},
        {"Label_deg", "\xB0", ""},
        {"Label2", "ms", ""},
        {"Edit_anzbild", nullptr, "180"},
        {"Edit_wmax", nullptr, "360"},
        {"Edit_ms", nullptr, "30"},
    };
    for (const TTextCase& c : stageTexts) {
        const platform::DialogControl* k = stage.FindControl(c.Control);
        ASSERT_NE(k, nullptr) << c.Control;
        EXPECT_EQ(c.Caption ? k->Caption : k->Text, c.Caption ? c.Caption : c.Text) << c.Control;
    }
    EXPECT_FALSE(stage.FindControl("CheckBox_singlestep")->Checked);
}

// Units showing "deg" for the degree sign keep it in the labels.
TEST_F(AnimationForms, DegreeLabelsFollowTheUnitCharacters)
{
    wtelmvar.UnitCharMode = 1;
    EXPECT_EQ(TForm_qyr5ani().Control("Label_deg").Caption, "deg");
    EXPECT_EQ(TForm_qyr1ani().Control("Label_wau").Caption, "deg");
}

TEST_F(AnimationForms, SingleStepSetsThePauseToZeroOnlyWhenChecked)
{
    TForm_qyr1ani f;
    f.Control("Edit_ms").Text = "75";
    f.Control("CheckBox_singlestep").Checked = true;
    f.Changed("CheckBox_singlestep");
    EXPECT_EQ(f.Control("Edit_ms").Text, "0");
    f.Control("Edit_ms").Text = "75";
    f.Control("CheckBox_singlestep").Checked = false;
    f.Changed("CheckBox_singlestep");
    EXPECT_EQ(f.Control("Edit_ms").Text, "75");
}

// Button_w: one pitch of gear 1 by its absolute tooth number, an internal
// gear 1 as well; a pair without teeth leaves the angles as they are.
TEST_F(AnimationForms, OnePitchProposalUsesTheAbsoluteToothNumber)
{
    for (int z : {21, -21}) {
        SCOPED_TRACE(z);
        GearPair.z[1] = z;
        TForm_qyr1ani f;
        EXPECT_EQ(f.Press("Button_w"), DialogAction::None);
        EXPECT_EQ(f.Control("Edit_wa").Text, "17.14");
        EXPECT_EQ(f.Control("Edit_we").Text, "-17.14");
    }
    GearPair.z[1] = 0;
    TForm_qyr1ani f;
    f.Control("Edit_wa").Text = "5";
    f.Press("Button_w");
    EXPECT_EQ(f.Control("Edit_wa").Text, "5");
}

TEST_F(AnimationForms, ProposalButtonsFillTheirFields)
{
    GearPair.phi_a = -12.5L;
    GearPair.phi_c = 1.25L;
    GearPair.phi_e = 20;
    struct {
        const char* Button;
        const char* Edit;
        const char* Wa;
        const char* We;
    } cases[] = {
        {"Button_ae", "Edit_wa", "-12.5", "20"},    {"Button_ac", "Edit_wa", "-12.5", "1.25"},
        {"Button_ce", "Edit_wa", "1.25", "20"},     {"Button_ms", "Edit_ms", "", ""},
        {"Button_anzbild", "Edit_anzbild", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Button);
        TForm_qyr1ani f;
        EXPECT_EQ(f.Press(c.Button), DialogAction::None);
        if (*c.Wa) {
            EXPECT_EQ(f.Control("Edit_wa").Text, c.Wa);
            EXPECT_EQ(f.Control("Edit_we").Text, c.We);
        }
    }
    TForm_qyr1ani f;
    f.Press("Button_ms");
    f.Press("Button_anzbild");
    EXPECT_EQ(f.Control("Edit_ms").Text, "0");
    EXPECT_EQ(f.Control("Edit_anzbild").Text, "100");
}

// OK clears Aborted, Cancel sets it, the window's close button leaves it.
TEST_F(AnimationForms, AbortedFollowsTheButtonThatClosed)
{
    struct {
        const char* Press;
        bool Before, After;
        DialogAction Action;
    } cases[] = {
        {"Button_ok", true, false, DialogAction::Accept},
        {"Button_cancel", false, true, DialogAction::Reject},
        {"Escape", false, false, DialogAction::Reject},
        {"Escape", true, true, DialogAction::Reject},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Press);
        for (int form = 0; form < 2; ++form) {
            TForm_qyr1ani mesh;
            TForm_qyr5ani stage;
            platform::DialogModel& m = form == 0 ? static_cast<platform::DialogModel&>(mesh) : stage;
            telmvar.Aborted = c.Before;
            EXPECT_EQ(m.Press(c.Press), c.Action);
            EXPECT_EQ(telmvar.Aborted, c.After) << m.FormName();
        }
    }
}

// Texts that are no number read as 0: 2 steps (the least), angle 0, no
// pause; the step count is clamped at both ends.
TEST_F(AnimationForms, MeshSettingsReadTheTextsAndClampTheSteps)
{
    struct {
        const char* Steps;
        const char* Angle;
        const char* Pause;
        int Steps_;
        double AngleDeg;
        int PauseMs;
    } cases[] = {
        {"120", "17.5", "25", 120, 17.5, 25},
        {"1001", "90", "0", 1000, 90, 0},
        {"abc", "x", "?", 2, 0, 0},
        {"1", "-45", "-10", 2, -45, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Steps);
        TForm_qyr1ani mesh;
        mesh.Control("Edit_anzbild").Text = c.Steps;
        mesh.Control("Edit_wa").Text = c.Angle;
        mesh.Control("Edit_we").Text = "-3";
        mesh.Control("Edit_ms").Text = c.Pause;
        mesh.Control("CheckBox_singlestep").Checked = true;
        const TMeshAnimationSettings m = mesh.Settings();
        EXPECT_EQ(m.Steps, c.Steps_);
        EXPECT_EQ(static_cast<double>(m.StartDeg), c.AngleDeg);
        EXPECT_EQ(static_cast<double>(m.EndDeg), -3.0);
        EXPECT_EQ(m.PauseMs, c.PauseMs);
        EXPECT_TRUE(m.SingleStep);
    }
}

} // namespace

namespace
{

TEST_F(AnimationForms, HelpEntryIsShipped)
{
    telmvar.PltDir = QYR7_DATA_DIR;
    telmvar.ProgramFileStem = "qyr7";
    const THelpEntry e = ReadHelpEntry(AnimationHelpNumber);
    EXPECT_TRUE(e.Found);
    EXPECT_FALSE(e.Lines[1].empty());
}

} // namespace
