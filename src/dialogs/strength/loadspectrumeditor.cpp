#include "dialogs/strength/loadspectrumeditor.h"

#include "dialogs/dialogservices.h"
#include "dialogs/helptext.h"
#include "dialogs/messageboxes.h"
#include "dialogs/prompts.h"
#include "dialogs/stage/radiogroup.h"
#include "foundation/codepage.h"
#include "foundation/messagecollector.h"
#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "gearpair/gearpairdata.h"
#include "planetary/loadspectrum/spectrumlife.h"
#include "reports/messages/messagelist.h"

#include <cmath>
#include <numbers>

// --- list dialog -----------------------------------------------------------------

TForm_einarray::TForm_einarray(std::string Caption, int Lines, int Selected_) : caption_(std::move(Caption))
{
    Control("Button_new").Caption = "&New";
    Control("Button_modify").Caption = "&Modify";
    Control("Button_insert").Caption = "&Insert";
    Control("Button_delete").Caption = "&Delete";
    for (const char* b : {"Button_156", "Button_157", "Button_158"})
        Control(b);
    Control("Button_ok").Caption = "OK";
    Control("Button_cancel").Caption = "Cancel";
    Control("Button_help").Caption = "&Help";
    Control("Button_hilfebild").Caption = "Aux. &Image";
    Control("Button_error").Caption = "&Error Messages";
    Control("Button_error").Visible = error0.ErrorCount > 0;
    // FormShow.
    for (int i = 1; i <= Lines && i <= 135; ++i)
        Items.push_back(DisplayText(telmvar.TextItems[i]));
    Selected = Selected_ >= 1 && Selected_ <= static_cast<int>(Items.size()) ? Selected_ : 0;
}

platform::DialogAction TForm_einarray::Press(const std::string& Name)
{
    using platform::DialogAction;
    static const struct {
        const char* name;
        int code;
    } codes[] = {{"Button_new", 1}, {"Button_insert", 2}, {"Button_delete", 3}, {"Button_156", 6},
                 {"Button_157", 7}, {"Button_158", 8},    {"Button_modify", 9}, {"ListBox1DblClick", 10}};
    for (const auto& c : codes)
        if (Name == c.name) {
            ActionCode = c.code;
            if (c.code == 1) Selected = static_cast<int>(Items.size()) + 1;
            telmvar.Aborted = false;
            return DialogAction::Accept;
        }
    if (Name == "Button_ok") {
        ActionCode = 0;
        telmvar.Aborted = false;
        return DialogAction::Accept;
    }
    if (Name == "Button_cancel" || Name == "Escape") {
        ActionCode = 0;
        telmvar.Aborted = true;
        return DialogAction::Reject;
    }
    if (Name == "Button_help") {
        ShowHelpText(telmvar.HelpNumber, 0, 1);
        return DialogAction::None;
    }
    if (Name == "Button_hilfebild") {
        ShowHelpText(telmvar.HelpNumber, 0, 2);
        telmvar.Aborted = false;
        return DialogAction::Raise;
    }
    if (Name == "Button_error") {
        ShowMessageList();
        return DialogAction::Raise;
    }
    return DialogAction::None;
}

// --- item dialog ---------------------------------------------------------------------

namespace
{

std::string Sig(Extended X)
{
    return TrimBlanks(FloatToSignificant(X));
}

Extended Read(const platform::DialogModel& M, const char* Edit)
{
    const platform::DialogControl* c = M.FindControl(Edit);
    return c ? TextToFloat(TrimBlanks(c->Text)) : 0;
}

constexpr Extended TwoPi = 2 * std::numbers::pi_v<long double>;

} // namespace

TForm_lki::TForm_lki(TLoadSpectrumEditor& Editor) : TStageDialogModel("TForm_lki", ""), editor_(Editor)
{
    SetStandardCaptions();
    Control("Button_help").Caption = "&Help";
    HelpTextNumber = 6440;
    HelpPictureNumber = 6440;
    Control("Label_ti").Caption = "torque T1";
    Control("Label_ni").Caption = "number of load changes N";
    Control("Button_ti").Caption = "Tn";
    Control("Button_ni").Caption = "<";
    Control("RadioButton1").Caption = "T, N";
    Control("RadioButton2").Caption = "n, T, P, t";
    Control("Label_n").Caption = "rot.speed n";
    Control("Label_nu").Caption = "1/min";
    Control("Label_T").Caption = "nominal torque T";
    Control("Label_p").Caption = "nominal power P";
    Control("Label_pu").Caption = "kW";
    static const char* const ntp[] = {"n", "T", "P"};
    static const char* const t[] = {"t [s]", "t [min]", "t [h]"};
    Control("RadioGroup_ntp").Caption = "";
    Control("RadioGroup_t").Caption = "";
    for (int i = 0; i < 3; ++i) {
        Control(RadioButtonName("RadioGroup_ntp", i)).Caption = ntp[i];
        Control(RadioButtonName("RadioGroup_t", i)).Caption = t[i];
    }
    Control("Label_ts").Caption = "t";
    Control("Label_tsu").Caption = "s";
    Control("Label_tminu").Caption = "min";
    Control("Label_thu").Caption = "h";
    Control("SpinButton1Up");
    Control("SpinButton1Down");
    Control("Button_metric").Caption = "Nm <--> lbfin";
    for (const char* e :
         {"Edit_ti", "Edit_ni", "Edit_n", "Edit_T", "Edit_p", "Edit_ts", "Edit_tmin", "Edit_th"})
        Control(e);
    Show();
}

std::string TForm_lki::Caption() const
{
    return caption_;
}

void TForm_lki::Show()
{
    updating_ = true;
    entered_ = false;
    caption_ = "item " + std::to_string(editor_.EditIndex());
    shownTorque_ = TrimBlanks(editor_.TorqueText);
    shownCycles_ = TrimBlanks(editor_.CyclesText);
    Control("Edit_ti").Text = shownTorque_;
    Control("Edit_ni").Text = shownCycles_;
    Control("Edit_T").Text = shownTorque_;
    Control("Edit_p").Text = Sig(GearPair.P);
    Control("Label_tiu").Caption = DisplayText(TorqueUnitLabel());
    Control("Label_Tu").Caption = DisplayText(TorqueUnitLabel());
    Control("Label_eingriffe").Caption = "tooth contacts per/rotation e = " + Sig(GearPair.e[1]);
    Control("RadioButton1").Checked = true;
    Control("RadioButton2").Checked = false;
    SetRadioIndex(*this, "RadioGroup_ntp", 3, 0);
    SetRadioIndex(*this, "RadioGroup_t", 3, 0);
    updating_ = false;
    UpdateMode();
}

int TForm_lki::Mode() const
{
    const platform::DialogControl* two = FindControl("RadioButton2");
    return two && two->Checked ? 2 : 1;
}

void TForm_lki::UpdateMode()
{
    const bool direct = Mode() == 1;
    for (const char* c : {"Edit_ti", "Edit_ni", "Button_ti", "Button_ni"})
        Control(c).Enabled = direct;
    const int computed = RadioIndex(*this, "RadioGroup_ntp", 3);
    const char* const ntp[] = {"Edit_n", "Edit_T", "Edit_p"};
    for (int i = 0; i < 3; ++i)
        Control(ntp[i]).Enabled = !direct && i != computed;
    const int given = RadioIndex(*this, "RadioGroup_t", 3);
    const char* const t[] = {"Edit_ts", "Edit_tmin", "Edit_th"};
    for (int i = 0; i < 3; ++i)
        Control(t[i]).Enabled = !direct && i == given;
    for (int i = 0; i < 3; ++i) {
        Control(RadioButtonName("RadioGroup_ntp", i)).Enabled = !direct;
        Control(RadioButtonName("RadioGroup_t", i)).Enabled = !direct;
    }
    // In mode 2 the torque and the load cycles follow from the operating
    // point and the time: a refusal names them and what gives them.
    MarkComputed("Edit_ti",
                 direct ? TComputedField{}
                        : TComputedField{"The torque T1", TorqueUnitLabel(),
                                         computed == 1 ? "the power and speed give" : "the torque T gives"});
    MarkComputed("Edit_ni", direct ? TComputedField{}
                                   : TComputedField{"The number of load changes N", "",
                                                    "the speed, the time and the tooth contacts give"});
    if (!updating_) Recalculate();
    Touch();
}

void TForm_lki::Recalculate()
{
    updating_ = true;
    const Extended e = GearPair.e[1];
    // n, T, P: T in the torque unit shown, converted for the power.
    auto computeNTP = [this](int which) {
        const Extended n = Read(*this, "Edit_n");
        const Extended T = TextToTorque(TrimBlanks(Control("Edit_T").Text));
        const Extended P = Read(*this, "Edit_p");
        if (which == 0 && T > 0) Control("Edit_n").Text = Sig(P * 60000 / (TwoPi * T));
        if (which == 1 && n > 0) Control("Edit_T").Text = TrimBlanks(TorqueToText(P * 60000 / (TwoPi * n)));
        if (which == 2) Control("Edit_p").Text = Sig(n * T * TwoPi / 60000);
    };
    auto durations = [this](int from) {
        if (from == 0) {
            const Extended s = Read(*this, "Edit_ts");
            Control("Edit_tmin").Text = Sig(s / 60);
            Control("Edit_th").Text = Sig(s / 60 / 60);
        } else if (from == 1) {
            const Extended m = Read(*this, "Edit_tmin");
            Control("Edit_ts").Text = Sig(60 * m);
            Control("Edit_th").Text = Sig(m / 60);
        } else if (from == 2) {
            const Extended h = Read(*this, "Edit_th");
            Control("Edit_tmin").Text = Sig(60 * h);
            Control("Edit_ts").Text = Sig(3600 * h);
        }
    };
    if (Mode() == 1) {
        if (RadioIndex(*this, "RadioGroup_ntp", 3) == 1) SetRadioIndex(*this, "RadioGroup_ntp", 3, 0);
        Control("Edit_T").Text = Control("Edit_ti").Text;
        computeNTP(0);
        SetRadioIndex(*this, "RadioGroup_ntp", 3, 1);
        const Extended n = Read(*this, "Edit_n");
        const Extended N = Read(*this, "Edit_ni");
        if (n > 0 && e > 0) {
            Control("Edit_tmin").Text = Sig(N / e / n);
            Control("Edit_ts").Text = Sig(60 * N / e / n);
        }
        durations(0);
    } else {
        computeNTP(RadioIndex(*this, "RadioGroup_ntp", 3));
        const int given = RadioIndex(*this, "RadioGroup_t", 3);
        durations(given);
        Control("Edit_ti").Text = Control("Edit_T").Text;
        // The minutes from the entered duration itself, not from its
        // rounded text in the minutes field.
        const Extended given_t = given == 0   ? Read(*this, "Edit_ts") / 60
                                 : given == 2 ? Read(*this, "Edit_th") * 60
                                              : Read(*this, "Edit_tmin");
        Control("Edit_ni").Text = Sig(given_t * Read(*this, "Edit_n") * e);
    }
    computedTorque_ = Control("Edit_ti").Text;
    computedCycles_ = Control("Edit_ni").Text;
    updating_ = false;
    Touch();
}

void TForm_lki::Changed(const std::string& Name)
{
    if (updating_) return;
    if (Name == "RadioButton1" || Name == "RadioButton2") {
        // A radio button pair: the one clicked is checked.
        const bool two = Name == "RadioButton2" ? Control(Name).Checked : !Control(Name).Checked;
        Control("RadioButton1").Checked = !two;
        Control("RadioButton2").Checked = two;
        UpdateMode();
        return;
    }
    if (RadioButtonIndex(Name, "RadioGroup_ntp", 3) >= 0 || RadioButtonIndex(Name, "RadioGroup_t", 3) >= 0) {
        UpdateMode();
        return;
    }
    const platform::DialogControl* c = FindControl(Name);
    if (c && c->Enabled && Name.rfind("Edit_", 0) == 0) {
        entered_ = true;
        Recalculate();
    }
}

bool TForm_lki::StoreItem()
{
    // Switching the input mode (or what is computed from what) refills the
    // torque and load cycles from rounded speeds and times: 20123 cycles
    // come back as 20127. Only a number entered since the item was shown
    // makes those fields the item's new values; until then the item keeps
    // its torque and cycles exactly, as an untouched OK does, rather than
    // storing the recalculated texts.
    const bool entered =
        entered_ || Control("Edit_ti").Text != computedTorque_ || Control("Edit_ni").Text != computedCycles_;
    if (!entered) {
        editor_.OkItem();
        return true;
    }
    const std::string t = TrimBlanks(Control("Edit_ti").Text);
    const std::string n = TrimBlanks(Control("Edit_ni").Text);
    // A value left as shown keeps the item's value exactly. A typed one
    // must be one the load spectrum file and the project file can hold:
    // Save would refuse 1e31 load cycles.
    const struct {
        const char* edit;
        const std::string& text;
        const std::string& shown;
        TFieldKind kind;
        TFieldRange range;
    } fields[] = {{"Edit_ti", t, shownTorque_, TFieldKind::Torque, {0, LoadSpectrumTorqueMax}},
                  {"Edit_ni", n, shownCycles_, TFieldKind::Sig3, {0, LoadSpectrumCyclesMax}}};
    for (const auto& f : fields) {
        if (f.text == f.shown) continue;
        Extended x = 0;
        if (!ReadFieldFloat(f.text, x)) {
            ShowErrorBox(InvalidInputText(AnsiTextToOem(f.text)));
            return false;
        }
        if (!f.range.Holds(StoredValue(f.kind, f.text))) {
            RefuseRange(f.edit, f.kind, f.text, f.range);
            return false;
        }
    }
    // The editor reads an empty text as 0.
    if (t != shownTorque_) editor_.TorqueText = t;
    if (n != shownCycles_) editor_.CyclesText = n;
    editor_.OkItem();
    return true;
}

platform::DialogAction TForm_lki::Press(const std::string& Name)
{
    using platform::DialogAction;
    if (Name == "Button_ok") {
        if (!StoreItem()) return DialogAction::None;
        telmvar.Aborted = false;
        return DialogAction::Accept;
    }
    if (Name == "Button_cancel" || Name == "Escape") {
        // A new or inserted item goes again with its place.
        editor_.CancelItem();
        telmvar.Aborted = true;
        return DialogAction::Reject;
    }
    if (Name == "Button_ti") {
        editor_.SetNominalTorque();
        entered_ = true;
        Control("Edit_ti").Text = TrimBlanks(editor_.TorqueText);
        Recalculate();
        return DialogAction::None;
    }
    if (Name == "Button_ni") {
        editor_.SetPreviousCycles();
        entered_ = true;
        Control("Edit_ni").Text = TrimBlanks(editor_.CyclesText);
        Recalculate();
        return DialogAction::None;
    }
    if (Name == "SpinButton1Up" || Name == "SpinButton1Down" || Name == "Button_metric") {
        const int k = editor_.EditIndex();
        if (!StoreItem()) return DialogAction::None;
        int next = k;
        if (Name == "SpinButton1Up" && k < editor_.Count()) next = k + 1;
        if (Name == "SpinButton1Down" && k > 1) next = k - 1;
        if (Name == "Button_metric") dialogservices.ToggleUnitSystem();
        editor_.BeginModify(next);
        Show();
        return DialogAction::None;
    }
    if (Name == "Button_hilfebild") {
        // The picture comes after the item is stored; the dialog stays on it.
        const int k = editor_.EditIndex();
        if (!StoreItem()) return DialogAction::None;
        editor_.BeginModify(k);
        Show();
        return TStageDialogModel::Press(Name);
    }
    return TStageDialogModel::Press(Name);
}

// --- the editor loop -----------------------------------------------------------------

namespace
{

// A position among the Count items, from the selection or asked for; 0
// when the question was cancelled.
int Position(int Selected, int Count, const std::string& Question)
{
    if (Selected >= 1 && Selected <= Count) return Selected;
    const std::vector<std::string> lines = LoadSpectrumListLines(GearPair.LoadSpectrum, Count);
    for (int i = 1; i <= Count && i <= 135; ++i)
        telmvar.TextItems[i] = lines[static_cast<std::size_t>(i - 1)];
    uint16_t choice = 1;
    telmvar.Aborted = false;
    AskSelect(Question, static_cast<uint16_t>(Count), choice);
    return telmvar.Aborted ? 0 : choice;
}

} // namespace

void EditLoadSpectrum()
{
    TLoadSpectrumEditor editor;
    Extended cyclesFactor = 1.0L;
    Extended torqueFactor = 1.0L;
    int selected = 0;
    telmvar.Aborted = false;
    while (true) {
        const int C = editor.Count();
        const std::vector<std::string> lines = editor.ListLines();
        for (int k = 1; k <= C && k <= 135; ++k)
            telmvar.TextItems[k] = lines[static_cast<std::size_t>(k - 1)];
        SetInputHelpNumber(6400);
        TForm_einarray list("load spectrum " + telmvar.ProgramName, C, selected);
        list.Control("Button_156").Caption = "LC-Factor";
        list.Control("Button_157").Caption = "load";
        list.Control("Button_158").Caption = "save";
        RunModalDialog(list);
        if (telmvar.Aborted) return;
        selected = list.Selected;
        const int c = LoadSpectrumChoice(list.ActionCode, list.Selected, C);

        bool leave = false;
        if (c <= C + 2) {
            int item = c;
            if (c == C + 1) {
                if (!editor.BeginNew()) {
                    ShowErrorBox(editor.Message());
                    telmvar.Aborted = true;
                    return;
                }
                item = editor.EditIndex();
            } else if (c == C + 2) {
                SetInputHelpNumber(6410);
                const int pos = Position(list.Selected, C, "where do you want to insert ?");
                if (pos == 0) {
                    telmvar.Aborted = true;
                    return;
                }
                if (!editor.BeginInsert(pos)) {
                    ShowErrorBox(editor.Message());
                    telmvar.Aborted = true;
                    return;
                }
                item = pos;
            } else if (!editor.BeginModify(item)) {
                continue;
            }
            TForm_lki dialog(editor);
            RunModalDialog(dialog);
            // A cancelled item dialog ends the editor; what was stored
            // before stays (the item's own step is undone).
            if (telmvar.Aborted) editor.CancelItem();
            leave = telmvar.Aborted;
        } else if (c == C + 3) {
            if (C >= 1) {
                SetInputHelpNumber(6490);
                const int pos = Position(list.Selected, C, "select item to delete ...");
                if (pos == 0) {
                    telmvar.Aborted = true;
                    return;
                }
                editor.Delete(pos);
                selected = 0;
            }
        } else if (c == C + 4) {
            SetInputHelpNumber(6480);
            telmvar.Aborted = false;
            AskValueInRange("multiplikator for load changes", cyclesFactor, LoadSpectrumFactorMin,
                            LoadSpectrumFactorMax);
            if (telmvar.Aborted) return;
            AskValueInRange("multiplikator for torque data", torqueFactor, LoadSpectrumFactorMin,
                            LoadSpectrumFactorMax);
            if (telmvar.Aborted) return;
            editor.Scale(cyclesFactor, torqueFactor);
        } else if (c == C + 5) {
            telmvar.Aborted = false;
            ReadLoadSpectrum("");
            leave = telmvar.Aborted;
            selected = 0;
        } else if (c == C + 6) {
            telmvar.Aborted = false;
            SaveLoadSpectrum("");
            leave = telmvar.Aborted;
        } else {
            if (C != 0) {
                telmvar.Aborted = false;
                SelectLifeMaterial(1);
                if (telmvar.Aborted) return;
            }
            leave = true;
        }
        if (leave) {
            telmvar.Aborted = false;
            SetArrowCursor();
            return;
        }
    }
}
