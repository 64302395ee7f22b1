#include "dialogs/stage/carrierform.h"

#include "foundation/codepage.h"
#include "foundation/numbertext.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "planetary/stage.h"

#include <algorithm>
#include <cmath>

namespace
{

const char* const CouplingControls[] = {"Label_dcarrier",  "Label_dcarrieru", "Edit_dcarrier",
                                        "Button_dcarrier", "Label_lcarrier",  "Label_lcarrieru",
                                        "Edit_lcarrier",   "Button_lcarrier"};
const char* const LengthEdits[] = {"dshs", "dshpi", "dshpe", "hcarrier", "dcarrier", "lcarrier"};

} // namespace

void SetCarrierDefaults()
{
    TPlanetaryGears& g = PlanetaryGears;
    TPlanetaryStage& st = PlanetaryStage;
    if (g.dshS == 0) g.dshS = std::max(g.b[gS], g.dsh[mSPi]);
    if (st.dshPi == 0) st.dshPi = g.dB[gPi];
    if (st.dshPe == 0) st.dshPe = g.dB[gPe];
    if (st.hcarrier == 0) st.hcarrier = g.b[gH];
    if (st.dcarrier == 0) st.dcarrier = 2 * g.dshS;
    if (st.lcarrier == 0) st.lcarrier = std::round(1.5L * st.dcarrier);
}

TForm_qyr7carr::TForm_qyr7carr() : TStageDialogModel("TForm_qyr7carr", "planet carrier")
{
    SetStandardCaptions();
    HelpTextNumber = 1000;
    HelpPictureNumber = 9550;
    Control("Button_metric").Caption = "mm <-> inch";
    Control("Label_dshs").Caption = DisplayText("shaft diameter of the pinion sun wheel dshS");
    Control("Label_dshpi").Caption = DisplayText("shaft diameter planet wheel dshPi");
    Control("Label_dshpe").Caption = DisplayText("shaft diameter planet wheel dshPe");
    Control("Label_hcarrier").Caption = DisplayText("height planet carrier hC");
    Control("Label_form").Caption = DisplayText("Form planet carrier");
    Control("CheckBox_jadcarrier").Caption = DisplayText("coupling shaft planet carrier ?");
    Control("Label_dcarrier").Caption = DisplayText("shaft diameter planet carrier dC");
    Control("Label_lcarrier").Caption = DisplayText("length coupling shaft planet carrier lC");
    SetHint("Label_dshs", 6150);
    SetHint("Label_dshpi", 6155);
    SetHint("Label_dshpe", 6155);
    SetHint("Label_hcarrier", 6165);
    SetHint("Label_form", 6160);
    SetHint("Label_dcarrier", 6170);
    SetHint("Label_lcarrier", 6165);
    for (const char* e : LengthEdits)
        Control(std::string("Button_") + e).Caption = "<";
    TPlanetaryStage& st = PlanetaryStage;
    Bind("Edit_dshs", TFieldKind::Length, &PlanetaryGears.dshS);
    Bind("Edit_dshpi", TFieldKind::Length, &st.dshPi);
    Bind("Edit_dshpe", TFieldKind::Length, &st.dshPe);
    Bind("Edit_hcarrier", TFieldKind::Length, &st.hcarrier);
    // The combo's items are "1", "2", "3": its text is the form number.
    Bind("ComboBox_form", TFieldKind::Integer, &st.CarrierForm);
    Bind("CheckBox_jadcarrier", TFieldKind::Boolean, &st.CarrierShaft);
    Bind("Edit_dcarrier", TFieldKind::Length, &st.dcarrier);
    Bind("Edit_lcarrier", TFieldKind::Length, &st.lcarrier);
    AfterLoad = [this] { AfterLoadFields(); };
    SetCarrierDefaults();
    LoadFields();
}

void TForm_qyr7carr::AfterLoadFields()
{
    for (const char* e : LengthEdits)
        Control(std::string("Label_") + e + "u").Caption = DisplayText(LengthUnitLabel());
    Visibility();
}

int TForm_qyr7carr::FormIndex() const
{
    const platform::DialogControl* c = FindControl("ComboBox_form");
    const std::string t = c ? TrimBlanks(c->Text) : std::string();
    if (t == "1") return 0;
    if (t == "2") return 1;
    if (t == "3") return 2;
    return -1;
}

void TForm_qyr7carr::Visibility()
{
    const int form = FormIndex();
    Control("CheckBox_jadcarrier").Visible = form != 2;
    const bool coupling = (form == 0 || form == 1) && Control("CheckBox_jadcarrier").Checked;
    for (const char* name : CouplingControls)
        Control(name).Visible = coupling;
}

void TForm_qyr7carr::Changed(const std::string& Name)
{
    if (Loading()) return;
    if (Name == "CheckBox_jadcarrier" || Name == "ComboBox_form") Visibility();
    Touch();
}

void TForm_qyr7carr::Propose(const std::string& Edit, Extended Millimetres)
{
    // A typed length too large to double shows nothing new.
    if (!std::isfinite(static_cast<long double>(Millimetres))) return;
    Control(Edit).Text = TrimBlanks(LengthToText(Millimetres));
    Touch();
}

platform::DialogAction TForm_qyr7carr::Press(const std::string& Name)
{
    using platform::DialogAction;
    const TPlanetaryGears& g = PlanetaryGears;
    auto typed = [this](const char* edit) { return TextToLength(TrimBlanks(Control(edit).Text)); };
    if (Name == "Button_dshs") {
        Propose("Edit_dshs", g.dB[gS]);
    } else if (Name == "Button_dshpi") {
        Propose("Edit_dshpi", g.dB[gPi]);
    } else if (Name == "Button_dshpe") {
        Propose("Edit_dshpe", g.dB[gPe]);
    } else if (Name == "Button_hcarrier") {
        Propose("Edit_hcarrier", std::round(0.6L * g.b[gPi]));
    } else if (Name == "Button_dcarrier") {
        Propose("Edit_dcarrier", 2 * typed("Edit_dshs"));
    } else if (Name == "Button_lcarrier") {
        Propose("Edit_lcarrier", std::round(0.8L * typed("Edit_dcarrier")));
    } else {
        // The combo offers the forms 1 to 3 only; any other text stands for
        // no choice, and the stored form stays.
        if ((Name == "Button_ok" || Name == "Button_metric") && FormIndex() < 0)
            Control("ComboBox_form").Text = IntToText(PlanetaryStage.CarrierForm);
        return TStageDialogModel::Press(Name);
    }
    return DialogAction::None;
}
