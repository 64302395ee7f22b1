#include "planetary/bearings/operationdata.h"

#include "foundation/codepage.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/unitsys.h"
#include "planetary/bearings/bearinglife.h"
#include "planetary/stage.h"
#include "platform/platform.h"

#include <algorithm>
#include <cmath>

namespace
{

using platform::DialogAction;

// Failure probabilities of the reliability list, %.
constexpr Extended FailureProbabilities[14] = {10,   5,    4,    3,    2,     1,     0.8L,
                                               0.6L, 0.4L, 0.2L, 0.1L, 0.08L, 0.06L, 0.05L};

std::string RadioName(const std::string& Group, int Index)
{
    return Group + "_" + std::to_string(Index);
}

int RadioIndex(const platform::DialogModel& M, const std::string& Group, int Count)
{
    for (int i = 0; i < Count; ++i) {
        const auto* c = M.FindControl(RadioName(Group, i));
        if (c && c->Checked) return i;
    }
    return -1;
}

void SetRadioIndex(platform::DialogModel& M, const std::string& Group, int Count, int Index)
{
    for (int i = 0; i < Count; ++i)
        M.Control(RadioName(Group, i)).Checked = i == Index;
}

int RadioButtonIndex(const std::string& Name, const std::string& Group, int Count)
{
    for (int i = 0; i < Count; ++i)
        if (Name == RadioName(Group, i)) return i;
    return -1;
}

// Texts of the program are DOS code page; the controls show Windows-1252.
std::string ShownText(const std::string& Dos)
{
    return OemToAnsiText(Dos);
}

template <class Texts> std::vector<std::string> ShownTexts(const Texts& T)
{
    std::vector<std::string> shown;
    for (const char* t : T)
        shown.push_back(ShownText(t));
    return shown;
}

Extended BearingSpeed(int n)
{
    return std::fabs(PlanetaryStage.nBearing[n]);
}

} // namespace

std::vector<std::string> TForm_vq1waelz::ReliabilityItems()
{
    std::vector<std::string> items;
    for (int k = 0; k < 14; ++k) {
        const Extended p = FailureProbabilities[k];
        items.push_back(FloatToSignificant(100 - p) + "%       L" + FloatToSignificant(p) +
                        "m       a1 = " + FloatToSignificant(ReliabilityFactors[k + 1]));
    }
    return items;
}

TForm_vq1waelz::TForm_vq1waelz(int n)
    : n_(std::clamp(n, 1, 2)), work_(PlanetBearings[n_]), modeItems_(ShownTexts(LifeFactorModeTexts)),
      contaminationItems_(ShownTexts(ContaminationTexts)), reliabilityItems_(ReliabilityItems())
{
    // A project file may hold a choice past its list: the nearest item,
    // which OK then stores.
    work_.LifeFactorMode = std::clamp(work_.LifeFactorMode, 1, ModeCount);
    work_.ContaminationClass = std::clamp(work_.ContaminationClass, 1, ContaminationCount);
    work_.ReliabilityIndex = std::clamp(work_.ReliabilityIndex, 1, 14);
    Control("GroupBox_betr").Caption = "OPERATION DATA";
    Control("Label_frmin").Caption = "minimum radial load Fr min";
    Bind("Edit_frmin", TFieldKind::Force, &work_.FrMin);
    Control("Label_frminu");
    Control("Label_n").Caption = "average speed n";
    Control("Edit_n").Enabled = false; // shown only: the speed follows from the stage
    Control("Label_nu").Caption = "1/min";
    Control("Label_temp").Caption = "operating temperature theta";
    Bind("Edit_temp", TFieldKind::Temperature, &work_.Temperature);
    Control("Label_tempu");
    Control("Label_visko").Caption =
        ShownText("nominal viscosity lubricant at" + std::string(" 40") + "\xF8" + "C");
    Bind("Edit_visko", TFieldKind::Sig3, &work_.nu40);
    Control("Label_viskou");
    BindChoice("RadioGroup_a23", TFieldKind::Radio, &work_.LifeFactorMode, modeItems_, 1);
    Control("RadioGroup_a23").Caption = "lubricant and material coefficient";
    for (int i = 0; i < ModeCount; ++i)
        Control(RadioName("RadioGroup_a23", i)).Caption = modeItems_[static_cast<std::size_t>(i)];
    Bind("Edit_a23", TFieldKind::Sig3, &work_.a23);
    Control("Button_a23").Caption = "<";
    Bind("Edit_aiso", TFieldKind::Sig3, &work_.aISO);
    Control("Button_aiso").Caption = "<";
    BindChoice("RadioGroup_ec", TFieldKind::Radio, &work_.ContaminationClass, contaminationItems_, 1);
    for (int i = 0; i < ContaminationCount; ++i)
        Control(RadioName("RadioGroup_ec", i)).Caption = contaminationItems_[static_cast<std::size_t>(i)];
    Control("Edit_ec");
    Control("Label_proz").Caption = "reliability";
    BindChoice("ComboBox_proz", TFieldKind::Combo, &work_.ReliabilityIndex, reliabilityItems_, 1);
    Bind("CheckBox_EP", TFieldKind::Boolean, &work_.EPAdditives);
    Control("CheckBox_EP").Caption = "EP additive";
    Control("Button_ok").Caption = "OK";
    Control("Button_cancel").Caption = "Cancel";
    Control("Button_hilfetext").Caption = "&Help Text";
    Control("Button_hilfebild").Caption = "Aux. &Image";
    Control("Button_hilfebilda23").Caption = "?";
    Control("Button_metric").Caption = "mm <--> inch";

    const std::pair<const char*, uint16_t> hints[] = {{"Label_frmin", 4180},    {"Label_n", 4150},
                                                      {"Label_temp", 4160},     {"Label_visko", 4170},
                                                      {"RadioGroup_a23", 4210}, {"Label_proz", 4190}};
    for (auto [name, number] : hints) {
        auto& c = Control(name);
        c.HintNumber = number;
        c.Hint = telmvar.HelpLevel != 0 && bearingdialogservices.HelpHint
                     ? bearingdialogservices.HelpHint(number)
                     : std::string();
    }
    AfterLoad = [this] { LoadUnbound(); };
    AfterStore = [this] { StoreEc(); };
    Load();
}

void TForm_vq1waelz::Load()
{
    LoadFields();
}

void TForm_vq1waelz::LoadUnbound()
{
    Control("Label_frminu").Caption = ShownText(ForceUnitLabel());
    Control("Edit_n").Text = FloatToSignificant(BearingSpeed(n_));
    Control("Label_tempu").Caption = ShownText(TemperatureUnitLabel());
    Control("Label_viskou").Caption = ShownText(ViscosityUnitLabel());
    // The entered eC is shown with "input ec .." and kept aside otherwise.
    enteredEc_ = FloatToSignificant(work_.eC);
    loadedEc_ = enteredEc_;
    ApplyModeRules();
    ApplyContaminationRules();
}

void TForm_vq1waelz::ApplyModeRules()
{
    const int mode = RadioIndex(*this, "RadioGroup_a23", ModeCount);
    const bool iso = mode == 2 || mode == 3;
    for (const char* name : {"RadioGroup_ec", "Edit_ec", "CheckBox_EP"})
        Control(name).Visible = iso;
    for (int i = 0; i < ContaminationCount; ++i)
        Control(RadioName("RadioGroup_ec", i)).Visible = iso;
    Control("Edit_a23").Enabled = mode == 1;
    Control("Edit_aiso").Enabled = mode == 3;
}

void TForm_vq1waelz::ApplyContaminationRules()
{
    const int level = RadioIndex(*this, "RadioGroup_ec", ContaminationCount);
    auto& edit = Control("Edit_ec");
    if (level == ContaminationCount - 1) {
        edit.Enabled = true;
        edit.Text = enteredEc_;
    } else {
        edit.Enabled = false;
        edit.Text = FloatToSignificant(ContaminationFactor(level + 1, (work_.d + work_.D) / 2));
    }
}

bool TForm_vq1waelz::Store()
{
    if (RadioIndex(*this, "RadioGroup_ec", ContaminationCount) == ContaminationCount - 1)
        enteredEc_ = Control("Edit_ec").Text;
    if (!FieldsReadable()) return false;
    // eC is the user's only with "input ec .."; the other levels give it
    // from the table when the life is calculated.
    Extended probe = 0;
    if (enteredEc_ != loadedEc_ && !ReadFieldFloat(enteredEc_, probe)) {
        InputRefused(enteredEc_);
        return false;
    }
    const TFieldBinding ec{"Edit_ec", TFieldKind::Sig3, &work_.eC};
    if (const TFieldRange* r = RangeOf(ec); enteredEc_ != loadedEc_ && r && !r->Holds(probe)) {
        RangeRefused(ec, enteredEc_, *r);
        return false;
    }
    return StoreFields();
}

void TForm_vq1waelz::StoreEc()
{
    if (enteredEc_ != loadedEc_) work_.eC = TextToFloat(enteredEc_);
}

void TForm_vq1waelz::InputRefused(const std::string& Text)
{
    platform::CurrentPlatform().Messages().ShowOk(telmvar.ProgramTitle, "Invalid Input: " + Text,
                                                  platform::MessageIcon::Error);
}

const TFieldRange* TForm_vq1waelz::RangeOf(const TFieldBinding& B)
{
    const void* member = std::visit([](auto* p) -> const void* { return p; }, B.Target);
    const std::optional<TBearingFieldRange> r = BearingFieldRange(work_, member);
    if (!r) return nullptr;
    range_ = TFieldRange{r->Lo, r->Hi};
    return &range_;
}

void TForm_vq1waelz::RangeRefused(const TFieldBinding& B, const std::string& Text, const TFieldRange& R)
{
    platform::CurrentPlatform().Bell().Beep();
    platform::CurrentPlatform().Messages().ShowOk(telmvar.ProgramTitle, RangeRefusalText(B.Kind, Text, R),
                                                  platform::MessageIcon::Error);
}

Extended TForm_vq1waelz::CalcFactor(int Mode, int Config)
{
    const WaelzLagerTyp kept = PlanetBearings[n_];
    const bool aborted = telmvar.Aborted;
    const bool fatal = telmvar.FatalCalcError;
    WaelzLagerTyp probe = work_;
    probe.LifeFactorMode = Mode;
    PlanetBearings[n_] = probe;
    // The equivalent load of the last calculation as a purely radial load:
    // P already holds the axial share.
    CalcBearingLife(n_, work_.BearingType, Config, work_.P, 0, BearingSpeed(n_));
    const Extended factor = Mode == 1 ? PlanetBearings[n_].a23 : PlanetBearings[n_].aISO;
    PlanetBearings[n_] = kept;
    telmvar.Aborted = aborted;
    telmvar.FatalCalcError = fatal;
    return factor;
}

DialogAction TForm_vq1waelz::Press(const std::string& Name)
{
    if (Name == "Button_ok") {
        if (!Store()) return DialogAction::None;
        PlanetBearings[n_] = work_;
        accepted_ = true;
        telmvar.Aborted = false;
        return DialogAction::Accept;
    }
    if (Name == "Button_cancel" || Name == "Escape") {
        telmvar.Aborted = true;
        return DialogAction::Reject;
    }
    if (Name == "Button_a23" || Name == "Button_aiso") {
        if (!Store()) return DialogAction::None;
        const bool a23 = Name == "Button_a23";
        const Extended factor = a23 ? CalcFactor(1, 0) : CalcFactor(3, work_.Arrangement);
        Control(a23 ? "Edit_a23" : "Edit_aiso").Text = FloatToSignificant(factor);
        Touch();
        return DialogAction::None;
    }
    if (Name == "Button_hilfetext" || Name == "Button_hilfebild" || Name == "Button_hilfebilda23") {
        const uint16_t number = Name == "Button_hilfebilda23" ? 4210 : 4295;
        const int mode = Name == "Button_hilfetext" ? 1 : 2;
        if (bearingdialogservices.ShowHelp) bearingdialogservices.ShowHelp(number, mode);
        telmvar.Aborted = false;
        return mode == 2 ? DialogAction::Raise : DialogAction::None;
    }
    if (Name == "Button_metric") {
        if (!Store()) return DialogAction::None;
        wtelmvar.UnitSystem = wtelmvar.UnitSystem == 1 ? 0 : 1;
        Load();
        return DialogAction::None;
    }
    return DialogModel::Press(Name);
}

void TForm_vq1waelz::Changed(const std::string& Name)
{
    if (RadioButtonIndex(Name, "RadioGroup_a23", ModeCount) >= 0) {
        SetRadioIndex(*this, "RadioGroup_a23", ModeCount,
                      RadioButtonIndex(Name, "RadioGroup_a23", ModeCount));
        ApplyModeRules();
        Touch();
        return;
    }
    const int level = RadioButtonIndex(Name, "RadioGroup_ec", ContaminationCount);
    if (level >= 0) {
        // Leaving "input ec .." keeps what the user typed for coming back.
        auto& edit = Control("Edit_ec");
        if (edit.Enabled) enteredEc_ = edit.Text;
        SetRadioIndex(*this, "RadioGroup_ec", ContaminationCount, level);
        ApplyContaminationRules();
        Touch();
    }
}
