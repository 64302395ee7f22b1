#include "dialogs/strength/strengthforms.h"

#include "dialogs/dialogservices.h"
#include "foundation/codepage.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"

TStrengthFormBase::TStrengthFormBase(std::string Form, std::string Title)
    : TStageDialogModel(std::move(Form), std::move(Title))
{
    Control("Button_ok").Caption = "OK";
    Control("Button_cancel").Caption = "Cancel";
    AfterLoad = [this] {
        for (auto& g : groups_)
            g->AfterLoad();
    };
    AfterStore = [this] {
        for (auto& g : groups_)
            g->AfterStore();
    };
}

void TStrengthFormBase::Finish()
{
    Reload();
    Activate();
}

void TStrengthFormBase::Reload()
{
    for (auto& g : groups_)
        g->BeforeLoad();
    LoadFields();
}

void TStrengthFormBase::Activate()
{
    for (auto& g : groups_)
        g->Update();
    Touch();
}

platform::DialogAction TStrengthFormBase::Press(const std::string& Name)
{
    using platform::DialogAction;
    for (auto& g : groups_) {
        DialogAction a = DialogAction::None;
        if (g->Press(Name, a)) {
            Touch();
            return a;
        }
    }
    if (Name == "Button_metric") {
        if (!StoreFields()) return DialogAction::None;
        dialogservices.ToggleUnitSystem();
        Reload();
        return DialogAction::None;
    }
    return TStageDialogModel::Press(Name);
}

void TStrengthFormBase::Changed(const std::string& Name)
{
    if (Loading()) return;
    for (auto& g : groups_)
        g->Changed(Name);
    Touch();
}

// --- full dialog ---------------------------------------------------------------

TForm_qyr7fs0::TForm_qyr7fs0() : TStrengthFormBase("TForm_qyr7fs0", "Strength")
{
    method_ = &Add<TMethodGroup>();
    Add<TGearStrengthGroup>(false);
    Add<TLubricantStrengthGroup>(false);
    Add<TMeshStrengthGroup>(false);
    Control("Button_calc").Caption = "Calc";
    Control("Button_metric").Caption = "mm <--> inch";
    Finish();
}

std::string TForm_qyr7fs0::Caption() const
{
    return DisplayText(telmvar.ProgramName + "  Strength");
}

void TForm_qyr7fs0::Activate()
{
    TStrengthFormBase::Activate();
    UpdateMethodGroups();
}

void TForm_qyr7fs0::Changed(const std::string& Name)
{
    TStrengthFormBase::Changed(Name);
    if (!Loading() && Name == "ComboBox_rfcode") UpdateMethodGroups();
}

void TForm_qyr7fs0::UpdateMethodGroups()
{
    const int i = method_->Index();
    // Entered factors need none of the inputs that compute them; part 41
    // has no per-mesh misalignment and bearing inputs.
    const bool computed = i == 0 || i == 1 || i == 3;
    for (const char* c : {"GroupBox1", "GroupBox2", "CheckBox_pfeil", "Button_pfeil"})
        Control(c).Visible = computed;
    Control("GroupBox_fs2").Visible = i == 0 || i == 3;
    Touch();
}

// --- compact dialogs -----------------------------------------------------------

TForm_qyr7fs1::TForm_qyr7fs1() : TStrengthFormBase("TForm_qyr7fs1", "")
{
    Add<TGearStrengthGroup>(true);
    Add<TLubricantStrengthGroup>(true);
    Control("Button_help").Caption = "&Help";
    HelpTextNumber = 9030;
    Control("Button_calc").Caption = "Calc";
    Control("Button_metric").Caption = "mm <--> inch";
    Finish();
}

std::string TForm_qyr7fs1::Caption() const
{
    return DisplayText(telmvar.ProgramName + "  Strength acc. " + MethodName(GearPair.CalcMethod));
}

TForm_qyr7fs2::TForm_qyr7fs2() : TStrengthFormBase("TForm_qyr7fs2", "")
{
    Add<TMeshStrengthGroup>(true);
    Control("Button_help").Caption = "&Help";
    HelpTextNumber = 9050;
    Finish();
}

std::string TForm_qyr7fs2::Caption() const
{
    return DisplayText("Strength acc. " + MethodName(GearPair.CalcMethod));
}
