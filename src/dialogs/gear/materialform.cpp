#include "dialogs/gear/materialform.h"

#include "dialogs/stage/hardness.h"
#include "foundation/codepage.h"
#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "gearpair/catalogue/gearcatalogue.h"
#include "gearpair/gearpairdata.h"
#include "planetary/stage.h"

#include <cmath>

namespace
{

std::string G(const char* stem, int g)
{
    return std::string(stem) + std::to_string(g);
}

// The 1-based position of Text in Names[From..To], 0 when it is none of them.
template <class Names> int ListIndex(const Names& names, int from, int to, const std::string& Text)
{
    for (int i = from; i <= to; ++i)
        if (Text == DisplayText(names[i])) return i - from + 1;
    return 0;
}

} // namespace

TForm_qyr7wst::TForm_qyr7wst()
    : TStageDialogModel("TForm_qyr7wst", " Material data, hardness, Heat treatment")
{
    SetStandardCaptions();
    Control("Button_help").Caption = "&Help";
    HelpTextNumber = 9010;
    Control("Button_metric").Caption = "mm <--> inch";
    Control("Button_calc").Caption = "Calc";
    const char* const groups[] = {"Material 1 (Sun) ", "Material 2 (Planet i) ", "Material 3 (Planet e) ",
                                  "Material 4 (Hollow) "};
    const struct {
        const char* name;
        const char* text;
    } labels[] = {{"Label_name", "Material"},
                  {"Label_sigfe", "Fatigue strength, tooth root Sigma-FE"},
                  {"Label_sighlim", "Strength Tooth flank Sigma-Hlim"},
                  {"Label_hb", "Brinell hardness"},
                  {"Label_e", "Modulus of elasticity E"},
                  {"Label_mue", "Poisson ratio \xE6"}, // the row captions are in the DOS code page
                  {"Label_rho", "Density"},
                  {"Label_wstyp", "Material"},
                  {"Label_warm", "Heat treatment"}};
    for (const auto& l : labels)
        Control(l.name).Caption = DisplayText(l.text);
    Control("Label_hbu").Caption = "HB";
    TPlanetaryGears& p = PlanetaryGears;
    for (int g = 1; g <= 4; ++g) {
        Control(G("GroupBox", g)).Caption = DisplayText(groups[g - 1]);
        Control(G("Button", g)).Caption = DisplayText("Material data base ...");
        Control(G("Button_hb", g)).Caption = "?";
        Bind(G("Edit_name", g), TFieldKind::Text, &p.MaterialName[g]);
        Bind(G("Edit_sigfe", g), TFieldKind::Stress, &p.Sigma_FE[g]);
        Bind(G("Edit_sighlim", g), TFieldKind::Stress, &p.SigmaHlim[g]);
        Bind(G("Edit_hb", g), TFieldKind::Sig3, &p.HB[g]);
        // Each number is limited to what the project file holds (the stage
        // forms' rule): a modulus of 0 taken here would leave a project that
        // cannot be saved until it is changed.
        Bind(G("Edit_e", g), TFieldKind::Stress, &p.E[g]);
        Bind(G("Edit_mue", g), TFieldKind::Sig3, &p.nu[g]);
        Bind(G("Edit_rho", g), TFieldKind::Sig3, &p.rho[g]);
        // The lists' items are MaterialKindNames 1..8 and HeatTreatmentNames
        // 0..7; the form lays them out.
        Control(G("ComboBox_wstyp", g));
        Control(G("ComboBox_warm", g));
    }
    AfterLoad = [this] { AfterLoadFields(); };
    AfterStore = [this] { AfterStoreFields(); };
    LoadFields();
}

void TForm_qyr7wst::AfterLoadFields()
{
    for (const char* n : {"Label_sigfeu", "Label_sighlimu", "Label_eu"})
        Control(n).Caption = DisplayText(StressUnitLabel());
    Control("Label_rhou").Caption = DisplayText(DensityUnitLabel());
    const TPlanetaryGears& p = PlanetaryGears;
    for (int g = 1; g <= 4; ++g) {
        const int kind = p.MaterialKind[g];
        Control(G("ComboBox_wstyp", g)).Text =
            kind >= 1 && kind <= 8 ? DisplayText(MaterialKindNames[kind]) : "";
        const int heat = p.HeatTreatment[g];
        Control(G("ComboBox_warm", g)).Text =
            heat >= 0 && heat <= 7 ? DisplayText(HeatTreatmentNames[heat]) : "";
    }
}

void TForm_qyr7wst::AfterStoreFields()
{
    // A list text that is none of the items keeps the stored code.
    TPlanetaryGears& p = PlanetaryGears;
    for (int g = 1; g <= 4; ++g) {
        const int kind = ListIndex(MaterialKindNames, 1, 8, Control(G("ComboBox_wstyp", g)).Text);
        if (kind != 0) p.MaterialKind[g] = kind;
        const int heat = ListIndex(HeatTreatmentNames, 0, 7, Control(G("ComboBox_warm", g)).Text);
        if (heat != 0) p.HeatTreatment[g] = heat - 1;
    }
}

void TForm_qyr7wst::SelectMaterialForGear(int g)
{
    TGearPairData& pair = GearPair;
    TPlanetaryGears& p = PlanetaryGears;
    pair.MaterialRecordNo[1] = p.MaterialRecordNo[g];
    SelectGearMaterial(1, 1, static_cast<uint16_t>(g));
    if (!telmvar.Aborted) {
        p.MaterialKind[g] = pair.MaterialKind[1];
        p.HeatTreatment[g] = pair.HeatTreatment[1];
        p.MaterialName[g] = pair.MaterialName[1];
        p.Sigma_FE[g] = pair.Sigma_FE[1];
        p.SigmaHlim[g] = pair.SigmaHlim[1];
        p.HB[g] = pair.HB[1];
        p.nu[g] = pair.nu[1];
        p.rho[g] = pair.rho[1];
        p.E[g] = pair.E[1];
        p.MaterialRecordNo[g] = pair.MaterialRecordNo[1];
        LoadFields();
    }
    telmvar.Aborted = false;
}

void TForm_qyr7wst::ConvertHardnessOfGear(int g)
{
    Extended hb = 0;
    if (!TryTextToFloat(TrimBlanks(Control(G("Edit_hb", g)).Text), hb)) hb = 0;
    ResetHardnessValues();
    // A hardness outside the table opens the converter empty.
    if (hb > 0 && std::isfinite(static_cast<long double>(hb))) ConvertHardness(HardnessScaleCount, hb);
    ShowHardnessConverter(7000);
    if (telmvar.Aborted) return;
    // A conversion that gave no Brinell value leaves the typed one.
    const Extended brinell = GetHardnessValue(HardnessScaleCount);
    if (brinell <= 0 || !std::isfinite(static_cast<long double>(brinell))) return;
    Control(G("Edit_hb", g)).Text =
        IntToText(static_cast<int64_t>(std::lround(static_cast<double>(brinell))));
    Touch();
}

platform::DialogAction TForm_qyr7wst::Press(const std::string& Name)
{
    using platform::DialogAction;
    if (Name.size() == 7 && Name.rfind("Button", 0) == 0 && Name[6] >= '1' && Name[6] <= '4') {
        telmvar.Aborted = false;
        if (!StoreFields()) return DialogAction::None;
        SelectMaterialForGear(Name[6] - '0');
        return DialogAction::Raise;
    }
    if (Name.size() == 10 && Name.rfind("Button_hb", 0) == 0 && Name[9] >= '1' && Name[9] <= '4') {
        ConvertHardnessOfGear(Name[9] - '0');
        return DialogAction::Raise;
    }
    return TStageDialogModel::Press(Name);
}

bool ShowGearMaterialDialog()
{
    TForm_qyr7wst form;
    return RunModalDialog(form) == platform::DialogResult::Ok;
}
