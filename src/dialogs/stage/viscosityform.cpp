#include "dialogs/stage/viscosityform.h"

#include "dialogs/helptext.h"
#include "dialogs/stage/radiogroup.h"
#include "dialogs/stagedialog.h"
#include "foundation/codepage.h"
#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "gearpair/viscosity.h"

namespace
{

const char* const Group = "RadioGroup_visko";
const char* const GivenEdits[3] = {"Edit_visko50", "Edit_visko40", "Edit_viskox"};

} // namespace

TForm_viskot::TForm_viskot()
{
    Control("Button_ok").Caption = "OK";
    Control("Button_cancel").Caption = "Cancel";
    Control(Group).Caption = "Lubricant viscosity";
    const char* const items[3] = {"nue 50", "nue 40", "nue"};
    for (int i = 0; i < 3; ++i)
        Control(RadioButtonName(Group, i)).Caption = items[i];
    Control("Label_visko50").Caption = "Lubricant viscosity nue 50";
    Control("Label_visko40").Caption = "Lubricant viscosity nue 40";
    Control("Label_viskox").Caption = "Lubricant viscosity nue ";
    for (const char* u : {"Label_visko50u", "Label_visko40u", "Label_viskoxu"})
        Control(u).Caption = DisplayText(ViscosityUnitLabel());
    Control("Edit_visko50").Text = "100";
    Control("Edit_visko40").Text = "";
    Control("Edit_viskox").Text = "";
    Control("Edit_temp").Text = "0";
    Control("Button_htvisko").Caption = "&Help";
    Control("Button_htvisko").Visible = false;
    SetGiven(0);
}

std::string TForm_viskot::Caption() const
{
    return "Lubricant viscosity";
}

int TForm_viskot::Given() const
{
    return RadioIndex(*this, Group, 3);
}

void TForm_viskot::SetGiven(int Index)
{
    SetRadioIndex(*this, Group, 3, Index);
    for (int i = 0; i < 3; ++i)
        Control(GivenEdits[i]).Enabled = i == Index;
    Touch();
}

void TForm_viskot::FormShow()
{
    Convert();
}

void TForm_viskot::Show(const char* Edit, Extended Nu)
{
    Control(Edit).Text = TrimBlanks(FloatToSignificant(Nu));
}

void TForm_viskot::Convert()
{
    const Extended t = Typed(Control("Edit_temp"));
    // A viscosity of 0 or below or a temperature at or below absolute zero
    // converts to nothing: the results keep what they showed.
    Extended nu50 = 0, nu40 = 0, nuT = 0;
    switch (Given()) {
    case 0:
        nu50 = Typed(Control("Edit_visko50"));
        if (TryViscosityAt(nu50, 50, 40, nu40) && TryViscosityAt(nu50, 50, t, nuT)) {
            Nu50 = nu50;
            Show("Edit_visko40", nu40);
            Show("Edit_viskox", nuT);
        }
        break;
    case 1:
        if (TryViscosityAt(Typed(Control("Edit_visko40")), 40, 50, nu50) &&
            TryViscosityAt(nu50, 50, t, nuT)) {
            Nu50 = nu50;
            Show("Edit_visko50", nu50);
            Show("Edit_viskox", nuT);
        }
        break;
    case 2:
        if (TryViscosityAt(Typed(Control("Edit_viskox")), t, 50, nu50) &&
            TryViscosityAt(nu50, 50, 40, nu40)) {
            Nu50 = nu50;
            Show("Edit_visko50", nu50);
            Show("Edit_visko40", nu40);
        }
        break;
    default:
        break;
    }
    Touch();
}

void TForm_viskot::Changed(const std::string& Name)
{
    if (int i = RadioButtonIndex(Name, Group, 3); i >= 0) {
        SetGiven(i);
        return;
    }
    if (Name == "Edit_temp") {
        Control("Label_viskox").Caption = "Lubricant viscosity nue " + Control("Edit_temp").Text;
        Convert();
        return;
    }
    const int given = Given();
    if (given >= 0 && Name == GivenEdits[given]) Convert();
}

platform::DialogAction TForm_viskot::Press(const std::string& Name)
{
    using platform::DialogAction;
    if (Name == "Button_ok") {
        telmvar.Aborted = false;
        return DialogAction::Accept;
    }
    if (Name == "Button_cancel" || Name == "Escape") {
        telmvar.Aborted = true;
        return DialogAction::Reject;
    }
    if (Name == "Button_htvisko") {
        Convert();
        // Its own entry: 5120, which the converter once shared, is the tooth
        // number's hint and "?" in the dimensions dialog, so one of the two
        // always answered with the other's topic.
        ShowHelpText(ViscosityConverterHelp, 0, 1);
        return DialogAction::None;
    }
    return DialogAction::None;
}

bool AskViscosityAt50(std::string& Nu50Text)
{
    TForm_viskot form;
    form.SetGiven(0);
    form.Control("Edit_visko50").Text = Nu50Text;
    form.FormShow();
    telmvar.Aborted = false;
    RunModalDialog(form);
    const bool ok = !telmvar.Aborted;
    if (ok) Nu50Text = form.Control("Edit_visko50").Text;
    telmvar.Aborted = false;
    return ok;
}
