#include "dialogs/stage/textsform.h"

#include "foundation/codepage.h"
#include "foundation/programstate.h"
#include "planetary/stage.h"

TForm_qyr7text::TForm_qyr7text() : TStageDialogModel("TForm_qyr7text", "")
{
    Control("Button_OK").Caption = "OK";
    Control("Button_CANCEL").Caption = "Cancel";
    const char* const rows[5] = {"planet gear", "S (sun)", "Pi (inner planet)", "Pe (ext. planet)",
                                 "H (hollow gear)"};
    Control("Label_getriebe").Caption = rows[0];
    for (int i = 1; i <= 4; ++i)
        Control("Label" + std::to_string(i)).Caption = rows[i];
    for (const char* column : {"Label_zname", "Label_znr", "Label_extzname"})
        for (int k = 0; k <= 1; ++k) {
            const std::string name = std::string(column) + std::to_string(k);
            Control(name).Caption = column == std::string("Label_zname") ? "Drawing name"
                                    : column == std::string("Label_znr") ? "Drawing number"
                                                                         : "Drawing name 2";
        }
    for (int i = 1; i <= 3; ++i)
        Control("Label_bemerk" + std::to_string(i)).Caption = "Comments";
    TPlanetaryGears& g = PlanetaryGears;
    for (int i = 0; i <= 4; ++i) {
        const std::string n = std::to_string(i);
        Bind("Edit_zname" + n, TFieldKind::Text, &g.GearName[i]);
        Bind("Edit_znr" + n, TFieldKind::Text, &g.PartNumber[i]);
        Bind("Edit_extzname" + n, TFieldKind::Text, &g.GearLongName[i]);
    }
    for (int i = 1; i <= 3; ++i)
        Bind("Edit_bemerk" + std::to_string(i), TFieldKind::Text, &telmvar.RemarkLines[i]);
    LoadFields();
}

std::size_t TForm_qyr7text::MaxLength(const std::string& Control)
{
    if (Control.rfind("Edit_zname", 0) == 0) return NameLength;
    if (Control.rfind("Edit_znr", 0) == 0) return NumberLength;
    if (Control.rfind("Edit_extzname", 0) == 0) return Name2Length;
    if (Control.rfind("Edit_bemerk", 0) == 0) return RemarkLength;
    return 0;
}

platform::DialogAction TForm_qyr7text::Press(const std::string& Name)
{
    if (Name == "Button_OK") {
        // The edits hold no more than their limits; a longer text (pasted
        // past a limit, or handed in by a script) is cut the same way, so
        // the drawings' title fields never overflow.
        for (const platform::DialogControl& c : Controls()) {
            const std::size_t limit = MaxLength(c.Name);
            if (limit != 0 && c.Text.size() > limit) Control(c.Name).Text.resize(limit);
        }
        return TStageDialogModel::Press("Button_ok");
    }
    if (Name == "Button_CANCEL") return TStageDialogModel::Press("Button_cancel");
    return TStageDialogModel::Press(Name);
}

std::string TForm_qyr7text::Caption() const
{
    return DisplayText(telmvar.ProgramName);
}
