#include "dialogs/strength/optionforms.h"

#include "dialogs/stage/radiogroup.h"
#include "foundation/codepage.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/unitsys.h"
#include "gearpair/gearpairdata.h"
#include "planetary/stage.h"

namespace
{

const char* const KaItems[] = {"Input KAH and KAF", "calculate KAH and KAF of load spectrum"};
const char* const WarningItems[] = {"display all warnings", "hide warnings"};
const char* const MethodItems[] = {"DIN 3990-1,2,3", "DIN 3990-41", "Input K, Y, Z", "ISO 6336"};
const char* const ShiftItems[] = {
    "x (nom)",          "xe  = (xemin+xemax)/2", "xe min (Asni)", "xe max (Asne)", "xev = (xevmin+xevmax)/2",
    "xev min (Asne+q)", "xev max (Asne+q+qtol)"};

template <std::size_t N>
int ComboIndex(const platform::DialogModel& M, const char* Combo, const char* const (&Items)[N])
{
    const platform::DialogControl* c = M.FindControl(Combo);
    for (std::size_t i = 0; c && i < N; ++i)
        if (c->Text == Items[i]) return static_cast<int>(i);
    return -1;
}

template <std::size_t N>
void SetCombo(platform::DialogModel& M, const char* Combo, const char* const (&Items)[N], int Index)
{
    M.Control(Combo).Text = Index >= 0 && static_cast<std::size_t>(Index) < N ? Items[Index] : "";
}

void RadioCaptions(platform::DialogModel& M, const char* Group, const char* Caption, const char* const* Items,
                   int Count)
{
    M.Control(Group).Caption = Caption;
    for (int i = 0; i < Count; ++i)
        M.Control(RadioButtonName(Group, i)).Caption = Items[i];
}

void StoreRadio(const platform::DialogModel& M, const char* Group, int Count, int& Target)
{
    const int i = RadioIndex(M, Group, Count);
    if (i >= 0) Target = i;
}

} // namespace

// --- dimension options -----------------------------------------------------------

TForm_qyr5con2::TForm_qyr5con2() : TStageDialogModel("TForm_qyr5con2", "")
{
    SetStandardCaptions();
    Control("Button_hilfetext").Visible = false;
    Control("Button_reset").Caption = "<";
    static const char* const mess[] = {"Input DM and k for dimens. over balls, Span measurement",
                                       "calculate DM and k for dimens. over balls, Span measurement"};
    static const char* const vzq[] = {"DIN 3961:1978", "ISO 1328-1:2013, ISO 1328-2:1997"};
    RadioCaptions(*this, "RadioGroup_mess", "ball diameter and No. of teeth measured", mess, 2);
    RadioCaptions(*this, "RadioGroup_vzq", " Gear quality Standard ", vzq, 2);
    RadioCaptions(*this, "RadioGroup_ka", "application factor KAH and KAF", KaItems, 2);
    Control("RadioGroup_ka").Visible = false;
    Control("Label_warnung").Caption = "warnings";
    SetHint("Label_warnung", 5460);
    SetHint("ComboBox_warnung", 5460);
    AfterLoad = [this] {
        const TGearPairData& p = GearPair;
        SetRadioIndex(*this, "RadioGroup_mess", 2, p.AutoBallDiameter);
        SetRadioIndex(*this, "RadioGroup_vzq", 2, p.ToleranceStandard);
        SetRadioIndex(*this, "RadioGroup_ka", 2, p.KaFromLoadSpectrum);
        SetCombo(*this, "ComboBox_warnung", WarningItems, wtelmvar.HideWarnings ? 1 : 0);
    };
    AfterStore = [this] {
        TGearPairData& p = GearPair;
        StoreRadio(*this, "RadioGroup_mess", 2, p.AutoBallDiameter);
        StoreRadio(*this, "RadioGroup_vzq", 2, p.ToleranceStandard);
        StoreRadio(*this, "RadioGroup_ka", 2, p.KaFromLoadSpectrum);
        const int w = ComboIndex(*this, "ComboBox_warnung", WarningItems);
        if (w >= 0) wtelmvar.HideWarnings = w == 1;
    };
    LoadFields();
}

std::string TForm_qyr5con2::Caption() const
{
    return DisplayText(telmvar.ProgramName);
}

platform::DialogAction TForm_qyr5con2::Press(const std::string& Name)
{
    if (Name == "Button_reset") {
        // Stored at once: Cancel afterwards keeps the reset.
        GearPair.KaFromLoadSpectrum = 0;
        GearPair.AutoBallDiameter = 0;
        for (int g = 1; g <= 3; ++g)
            PlanetaryGears.GearCode[g] = 2;
        GearPair.ToleranceStandard = 0;
        LoadFields();
        return platform::DialogAction::None;
    }
    return TStageDialogModel::Press(Name);
}

// --- strength options --------------------------------------------------------------

bool TForm_qyr5con3::HasLoadSpectrum()
{
    return PlanetaryStage.LoadSpectrumCount >= 1 || GearPair.LoadSpectrumCount >= 1;
}

TForm_qyr5con3::TForm_qyr5con3() : TStageDialogModel("TForm_qyr5con3", "")
{
    SetStandardCaptions();
    Control("Button_hilfetext").Visible = false;
    TGearPairData& p = GearPair;
    Control("ComboBox_rfcode");
    RadioCaptions(*this, "RadioGroup_ka", "application factor KAH and KAF", KaItems, 2);
    Control("Label_yfsx").Caption = "YF, YS = f(x)";
    Control("ComboBox_yfsx");
    Control("Button_yfs").Caption = "<";
    Control("CheckBox_zwischenwertedrucken").Caption = "Detailed Printout ?";
    Control("CheckBox_Jainputfsh").Caption = "Input fsh ?";
    Control("CheckBox_jainputfma").Caption = "Input fma ?";
    SetHint("CheckBox_Jainputfsh", 5015);
    SetHint("CheckBox_jainputfma", 5020);
    Control("Label_fsh").Caption = "fsh";
    Control("Label_fma").Caption = "fma";
    Control("Label_SP").Caption = "S-P";
    Control("Label_PH").Caption = "P-H";
    static const char* const lnt[] = {"Calculate life expectation", "Input limited-life factors ZNT, YNT"};
    RadioCaptions(*this, "RadioGroup_lnt", "", lnt, 2);
    SetHint("RadioGroup_lnt", 6800);
    Bind("CheckBox_zwischenwertedrucken", TFieldKind::Boolean, &p.ShowFormulas);
    Bind("CheckBox_Jainputfsh", TFieldKind::Boolean, &p.FshEntered);
    Bind("Edit_fshSP", TFieldKind::MicroLength, &PlanetaryGears.fsh[1]);
    Bind("Edit_fshPH", TFieldKind::MicroLength, &PlanetaryGears.fsh[2]);
    Bind("CheckBox_jainputfma", TFieldKind::Boolean, &p.FmaEntered);
    Bind("Edit_fmaSP", TFieldKind::MicroLength, &PlanetaryGears.fma[1]);
    Bind("Edit_fmaPH", TFieldKind::MicroLength, &PlanetaryGears.fma[2]);
    // The misalignment values are entered in the strength dialog, which has
    // all three meshes; here only the switches are shown.
    for (const char* c : {"Edit_fshSP", "Edit_fshPH", "Edit_fmaSP", "Edit_fmaPH", "Label_fsh", "Label_fma",
                          "Label_fshu", "Label_fmau", "Label_SP", "Label_PH"})
        Control(c).Visible = false;
    Control("RadioGroup_ka").Enabled = HasLoadSpectrum();
    AfterLoad = [this] {
        const TGearPairData& g = GearPair;
        SetCombo(*this, "ComboBox_rfcode", MethodItems, g.CalcMethod - 1);
        SetRadioIndex(*this, "RadioGroup_ka", 2, g.KaFromLoadSpectrum);
        SetCombo(*this, "ComboBox_yfsx", ShiftItems, g.YFYSShiftMode);
        SetRadioIndex(*this, "RadioGroup_lnt", 2, g.LifeFactorInput);
        Control("Label_fshu").Caption = DisplayText(MicroLengthUnitLabel());
        Control("Label_fmau").Caption = DisplayText(MicroLengthUnitLabel());
    };
    AfterStore = [this] {
        TGearPairData& g = GearPair;
        // Without a spectrum there is nothing to take KAH and KAF from: the
        // entered ones count, whatever was stored before.
        if (HasLoadSpectrum())
            StoreRadio(*this, "RadioGroup_ka", 2, g.KaFromLoadSpectrum);
        else
            g.KaFromLoadSpectrum = 0;
        const int m = ComboIndex(*this, "ComboBox_rfcode", MethodItems);
        if (m >= 0) g.CalcMethod = m + 1;
        const int s = ComboIndex(*this, "ComboBox_yfsx", ShiftItems);
        if (s >= 0) g.YFYSShiftMode = s;
        StoreRadio(*this, "RadioGroup_lnt", 2, g.LifeFactorInput);
    };
    // FormShow: the fields, then the rules.
    Activate();
}

std::string TForm_qyr5con3::Caption() const
{
    return DisplayText(telmvar.ProgramName);
}

void TForm_qyr5con3::Activate()
{
    LoadFields();
    UpdateEnabling();
}

void TForm_qyr5con3::UpdateEnabling()
{
    const bool fsh = Control("CheckBox_Jainputfsh").Checked;
    const bool fma = Control("CheckBox_jainputfma").Checked;
    Control("Edit_fshSP").Enabled = fsh;
    Control("Edit_fshPH").Enabled = fsh;
    Control("Edit_fmaSP").Enabled = fma;
    Control("Edit_fmaPH").Enabled = fma;
    platform::DialogControl& detail = Control("CheckBox_zwischenwertedrucken");
    // Entered factors have no intermediate values to print.
    if (ComboIndex(*this, "ComboBox_rfcode", MethodItems) == 2) {
        detail.Checked = false;
        detail.Visible = false;
    } else {
        detail.Visible = true;
    }
    Touch();
}

void TForm_qyr5con3::Changed(const std::string& Name)
{
    if (Loading()) return;
    if (Name == "CheckBox_Jainputfsh" || Name == "CheckBox_jainputfma" || Name == "ComboBox_rfcode")
        UpdateEnabling();
    Touch();
}

platform::DialogAction TForm_qyr5con3::Press(const std::string& Name)
{
    if (Name == "Button_yfs") {
        SetCombo(*this, "ComboBox_yfsx", ShiftItems, 0);
        Touch();
        return platform::DialogAction::None;
    }
    return TStageDialogModel::Press(Name);
}
