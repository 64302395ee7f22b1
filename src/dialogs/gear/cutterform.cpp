#include "dialogs/gear/cutterform.h"

#include "foundation/codepage.h"
#include "foundation/numbertext.h"
#include "foundation/textutil.h"
#include "gearpair/gearpairdata.h"
#include "planetary/suggestions.h"

TForm_qyr1schn::TForm_qyr1schn() : TStageDialogModel("TForm_qyr1schn", "pinion cutter")
{
    SetStandardCaptions();
    Control("Button_help").Caption = "&Help";
    HelpTextNumber = 9170;
    Control("Button_hilfebild").Visible = false;
    Control("Label_z0").Caption = DisplayText("Number of teeth pinion cutter z0");
    Control("Label_x0").Caption = DisplayText("Profile shift coeff. pinion cutter x0");
    Control("Button_z0").Caption = "<";
    Control("Button_x0").Caption = "<";
    Bind("Edit_z0", TFieldKind::Integer, &GearPair.z0);
    Bind("Edit_x0", TFieldKind::Sig3, &GearPair.x0);
    LoadFields();
}

platform::DialogAction TForm_qyr1schn::Press(const std::string& Name)
{
    if (Name == "Button_z0") {
        Control("Edit_z0").Text = IntToText(CutterTeethDefault());
    } else if (Name == "Button_x0") {
        Control("Edit_x0").Text = TrimBlanks(FloatToSignificant(CutterShiftDefault()));
    } else {
        return TStageDialogModel::Press(Name);
    }
    Touch();
    return platform::DialogAction::None;
}

bool ShowPinionCutterDialog()
{
    TForm_qyr1schn form;
    return RunModalDialog(form) == platform::DialogResult::Ok;
}
