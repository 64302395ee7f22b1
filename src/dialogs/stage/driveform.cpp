#include "dialogs/stage/driveform.h"

#include "dialogs/stage/radiogroup.h"
#include "foundation/codepage.h"
#include "foundation/numbertext.h"
#include "foundation/textutil.h"
#include "planetary/kinematics.h"
#include "planetary/stage.h"

namespace
{

const char* const ShaftNames[3] = {"S sun wheel", "C planet carrier", "H ring gear"};

bool NonZero(const std::string& Text)
{
    return TextToFloat(TrimBlanks(Text)) != 0;
}

} // namespace

void RunDriveKinematics()
{
    CalcDriveData();
}

TForm_qyr7antr::TForm_qyr7antr()
    : TStageDialogModel("TForm_qyr7antr", "drive"), values_(*this, "Edit_nantr", "Edit_Pantr", "Edit_tantr")
{
    Control("Button_ok").Caption = "OK";
    Control("Button_cancel").Caption = "Cancel";
    Control("Button_help").Caption = "&Help Text";
    Control("Button_update").Caption = "Calc. n, np";
    HelpTextNumber = 6710;
    const std::string names[3] = {DisplayText(ShaftNames[0]), DisplayText(ShaftNames[1]),
                                  DisplayText(ShaftNames[2])};
    AddShaftGroups(*this, names);
    Control("CheckBox_blocked").Caption = "locked";
    Control("CheckBox_leistungsteilung").Caption = "power sharing Input+Control";
    Control("Label_nantr").Caption = "n in";
    Control("Label_p").Caption = "P ";
    Control("Label_tantr").Caption = "T in";
    Control("Label_ncontrol").Caption = "Control";
    SetHint("CheckBox_leistungsteilung", 8720);
    SetHint("Label_nantr", 8700);
    SetHint("Label_p", 8705);
    SetHint("Label_nabtr", 8710);
    SetHint("Label_np", 8715);
    Bind("Edit_nantr", TFieldKind::Sig3, &PlanetaryStage.nIn);
    Bind("Edit_ncontrol", TFieldKind::Sig3, &PlanetaryStage.nThird);
    Bind("Edit_Pantr", TFieldKind::Sig3, &PlanetaryStage.DriveValue);
    Bind("Edit_tantr", TFieldKind::Sig3, &PlanetaryStage.TN);
    Bind("CheckBox_leistungsteilung", TFieldKind::Boolean, &PlanetaryStage.PowerSplit);
    Bind("CheckBox_blocked", TFieldKind::Boolean, &PlanetaryStage.ControlShaftBlocked);
    AfterLoad = [this] { AfterLoadFields(); };
    AfterStore = [this] { AfterStoreFields(); };
    AfterOk = RunDriveKinematics;
    SetRadioIndex(*this, "RadioGroup_npt", 3, 1);
    LoadFields();
}

int TForm_qyr7antr::InputIndex() const
{
    return RadioIndex(*this, "RadioGroup_antrieb", 3);
}

int TForm_qyr7antr::OutputIndex() const
{
    return RadioIndex(*this, "RadioGroup_abtrieb", 3);
}

void TForm_qyr7antr::AfterLoadFields()
{
    const TPlanetaryStage& st = PlanetaryStage;
    SetRadioIndex(*this, "RadioGroup_antrieb", 3, PlanetaryShafts.InputShaft - 1);
    SetRadioIndex(*this, "RadioGroup_abtrieb", 3, PlanetaryShafts.OutputShaft - 1);
    Control("Label_zs").Caption = IntToText(PlanetaryGears.z[gS]);
    Control("Label_zPi").Caption = IntToText(PlanetaryGears.z[gPi]);
    Control("Label_zpe").Caption = IntToText(PlanetaryGears.z[gPe]);
    Control("Label_zh").Caption = IntToText(PlanetaryGears.z[gH]);
    Control("Label_nabtr").Visible = true;
    Control("Label_nabtr").Caption = "n out = " + TrimBlanks(FloatToSignificant(st.nOut)) + " /min";
    Control("Label_np").Visible = true;
    Control("Label_np").Caption = "npi = " + TrimBlanks(FloatToSignificant(st.npC[1])) +
                                  " /min   npe = " + TrimBlanks(FloatToSignificant(st.npC[2])) + " /min";
    SetRadioIndex(*this, "RadioGroup_npt", 3, st.DriveInputMode == 0 ? 2 : st.DriveInputMode - 1);
    Control("Edit_ncontrol").Enabled = !st.ControlShaftBlocked;
    values_.Loaded(st.nIn, st.DriveValue, st.TN);
    ControlLabel();
    LiveValues();
    OkRule();
}

void TForm_qyr7antr::AfterStoreFields()
{
    TPlanetaryStage& st = PlanetaryStage;
    if (InputIndex() >= 0) PlanetaryShafts.InputShaft = InputIndex() + 1;
    if (OutputIndex() >= 0) PlanetaryShafts.OutputShaft = OutputIndex() + 1;
    const int row = RadioIndex(*this, "RadioGroup_npt", 3);
    if (row >= 0) st.DriveInputMode = row + 1;
    values_.Store(st.nIn, st.DriveValue, st.TN);
}

void TForm_qyr7antr::LiveValues()
{
    values_.Compute(RadioIndex(*this, "RadioGroup_npt", 3));
}

void TForm_qyr7antr::OkRule()
{
    // A drive through one shaft only cannot be confirmed while speed and
    // power are given; a stored one with a zero value is left to the
    // stage's own drive check.
    const bool same = InputIndex() == OutputIndex();
    Control("Button_ok").Enabled =
        !(same && NonZero(Control("Edit_nantr").Text) && NonZero(Control("Edit_Pantr").Text));
}

void TForm_qyr7antr::ControlLabel()
{
    const int in = InputIndex();
    const int out = OutputIndex();
    auto both = [&](int a, int b) { return (in == a || in == b) && (out == a || out == b); };
    std::string& caption = Control("Label_control").Caption;
    if (both(0, 1)) caption = DisplayText(ShaftNames[2]);
    if (both(1, 2)) caption = DisplayText(ShaftNames[0]);
    if (both(0, 2)) caption = DisplayText(ShaftNames[1]);
}

void TForm_qyr7antr::HideResults()
{
    Control("Label_nabtr").Visible = false;
    Control("Label_np").Visible = false;
}

void TForm_qyr7antr::Changed(const std::string& Name)
{
    if (Loading()) return;
    if (Name == "Edit_nantr" || Name == "Edit_Pantr" || Name == "Edit_tantr") {
        LiveValues();
        OkRule();
        HideResults();
    } else if (Name == "Edit_ncontrol") {
        HideResults();
    } else if (int i = RadioButtonIndex(Name, "RadioGroup_npt", 3); i >= 0) {
        SetRadioIndex(*this, "RadioGroup_npt", 3, i);
        LiveValues();
        OkRule();
    } else if (int a = RadioButtonIndex(Name, "RadioGroup_antrieb", 3); a >= 0) {
        SetRadioIndex(*this, "RadioGroup_antrieb", 3, a);
        OkRule();
        HideResults();
        ControlLabel();
    } else if (int b = RadioButtonIndex(Name, "RadioGroup_abtrieb", 3); b >= 0) {
        SetRadioIndex(*this, "RadioGroup_abtrieb", 3, b);
        OkRule();
        HideResults();
        ControlLabel();
    } else if (Name == "CheckBox_blocked") {
        HideResults();
        if (Control("CheckBox_blocked").Checked) {
            Control("Edit_ncontrol").Text = "0";
            Control("Edit_ncontrol").Enabled = false;
            Control("CheckBox_leistungsteilung").Checked = false;
        } else {
            Control("Edit_ncontrol").Enabled = true;
        }
    }
    Touch();
}

platform::DialogAction TForm_qyr7antr::Press(const std::string& Name)
{
    using platform::DialogAction;
    if (Name == "Button_ok" && !Control("Button_ok").Enabled) return DialogAction::None;
    if (Name == "Button_update") {
        const bool given = !TrimBlanks(Control("Edit_nantr").Text).empty() &&
                           !TrimBlanks(Control("Edit_Pantr").Text).empty();
        if (InputIndex() != OutputIndex() && given && StoreFields()) {
            RunDriveKinematics();
            LoadFields();
        }
        return DialogAction::None;
    }
    return TStageDialogModel::Press(Name);
}
