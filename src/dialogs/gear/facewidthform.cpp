#include "dialogs/gear/facewidthform.h"

#include "dialogs/gear/facewidths.h"
#include "foundation/codepage.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "gearpair/gearpairdata.h"
#include "planetary/stage.h"

TForm_qyr7beff::TForm_qyr7beff() : TStageDialogModel("TForm_qyr7beff", " beff.")
{
    SetStandardCaptions();
    Control("Button_help").Caption = "&Help";
    HelpTextNumber = 9160;
    HelpPictureNumber = 9160;
    const char* const heads[] = {"S", "Pi", "Pe", "H"};
    for (int i = 1; i <= 4; ++i)
        Control("Label" + std::to_string(i)).Caption = heads[i - 1];
    Control("Label_b").Caption = DisplayText("Facewidth b");
    Control("Label_fase").Caption = DisplayText("chamfers at end of face width (chamfer)");
    Control("Label_mv").Caption = DisplayText("face width center offset");
    for (const char* n : {"Button_b", "Button_fase", "Button_mv"})
        Control(n).Caption = "<";
    // The centre offset row stays hidden; its values pass through.
    for (const char* n : {"Label_mv", "Label_mvu", "Button_mv", "Edit_mv1", "Edit_mv2", "Edit_mv3"})
        Control(n).Visible = false;
    TPlanetaryGears& g = PlanetaryGears;
    for (int i = 1; i <= 4; ++i)
        Bind("Edit_b" + std::to_string(i), TFieldKind::Length, &g.b[i]);
    for (int i = 1; i <= 4; ++i)
        Bind("Edit_fase" + std::to_string(i), TFieldKind::Length, &g.bcha[i]);
    for (int i = 1; i <= 3; ++i)
        Bind("Edit_mv" + std::to_string(i), TFieldKind::Length, &g.bctr[i]);
    AfterLoad = [this] { AfterLoadFields(); };
    // Widths, chamfers and offsets are stored on OK only, so that Cancel
    // leaves the stage as it was: storing each change at once would let a
    // dialog opened and cancelled round every stored value to the text it
    // showed.
    AfterOk = [] {
        const TPlanetaryGears& s = PlanetaryGears;
        StoreStageFaceWidths(CalcStageFaceWidths(s.b, s.bcha, s.bctr, s.b_effH, GearPair.mn));
    };
    LoadFields();
}

void TForm_qyr7beff::AfterLoadFields()
{
    for (const char* n : {"Label_bu", "Label_faseu", "Label_mvu"})
        Control(n).Caption = LengthUnitLabel();
}

platform::DialogAction TForm_qyr7beff::Press(const std::string& Name)
{
    if (Name == "Button_b") {
        const std::string t = TrimBlanks(LengthToText(15 * GearPair.mn));
        for (int i = 1; i <= 4; ++i)
            Control("Edit_b" + std::to_string(i)).Text = t;
    } else if (Name == "Button_fase") {
        const std::string t = TrimBlanks(LengthToText(GearPair.mn));
        for (int i = 1; i <= 4; ++i)
            Control("Edit_fase" + std::to_string(i)).Text = t;
    } else {
        return TStageDialogModel::Press(Name);
    }
    Touch();
    return platform::DialogAction::None;
}
