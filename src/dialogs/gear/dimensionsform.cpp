#include "dialogs/gear/dimensionsform.h"

#include "dialogs/dialogservices.h"
#include "dialogs/gear/facewidthform.h"
#include "dialogs/gear/facewidths.h"
#include "dialogs/messageboxes.h"
#include "dialogs/prompts.h"
#include "foundation/codepage.h"
#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "gearpair/allowances.h"
#include "gearpair/assembly.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/calcgearpair.h"
#include "planetary/meshtransfer.h"
#include "planetary/stage.h"
#include "planetary/stagecalc.h"
#include "planetary/suggestions.h"
#include "platform/platform.h"

#include <cmath>

namespace
{

std::string Edit(const char* stem, int i)
{
    return std::string("Edit_") + stem + std::to_string(i);
}

// Text of an integer edit; anything that is not a whole number reads as 0.
int TypedInt(const std::string& S)
{
    int32_t n = 0;
    return TryTextToInt(TrimBlanks(S), n) ? n : 0;
}

Extended TypedLength(const std::string& S)
{
    Extended x = 0;
    if (!TryTextToFloat(TrimBlanks(S), x) || !std::isfinite(static_cast<long double>(x))) return 0;
    return TextToLength(TrimBlanks(S));
}

Extended TypedNumber(const std::string& S)
{
    Extended x = 0;
    if (!TryTextToFloat(TrimBlanks(S), x) || !std::isfinite(static_cast<long double>(x))) return 0;
    return x;
}

int AlignmentIndex(const std::string& Text)
{
    for (int i = 1; i <= 3; ++i)
        if (Text == DisplayText(ToothAlignmentNames[i])) return i;
    return 0;
}

} // namespace

TForm_qyr7geo::TForm_qyr7geo() : TStageDialogModel("TForm_qyr7geo", "Dimensions")
{
    SetStandardCaptions();
    Control("Button_help").Caption = "&Help";
    HelpTextNumber = 3500;
    Control("Button_rechnen").Caption = "Calc";
    Control("Button_metric").Caption = "mm <--> inch";
    Control("Button_beff").Caption = "b eff";
    for (const char* n : {"Button_x1min", "Button_x2min", "Button_x3min"})
        Control(n).Caption = "x min";
    for (const char* n :
         {"Button_alpha", "Button_q", "Button_zp", "Button_a0", "Button_kmn", "Button_b12", "Button_bohr"})
        Control(n).Caption = "<";
    for (const char* n :
         {"Button_hbkmn", "Button_hbz", "Button_hbx", "Button_hbbeta", "Button_hbq", "Button_hbflank"})
        Control(n).Caption = "?";
    const char* const heads[] = {"S", "Pi", "Pe", "H"};
    const uint16_t headHelp[] = {4800, 4805, 4815, 4810};
    for (int i = 1; i <= 4; ++i) {
        const std::string n = "Label_rad" + std::to_string(i);
        Control(n).Caption = heads[i - 1];
        SetHint(n, headHelp[i - 1]);
    }
    const struct {
        const char* name;
        const char* text;
        uint16_t help;
    } labels[] = {{"Label_alpha", "Pressure angle alpha", 5080},
                  {"Label_beta", "Helix angle beta", 5090},
                  {"Label_mn", "Normal module mn", 5100},
                  {"Label_z", "Number of teeth z", 5120},
                  {"Label_b0", "Facewidth b eff.", 5130},
                  {"Label_b", "Facewidth b", 5135},
                  {"Label_x", "Profile shift coeff. x", 5150},
                  {"Label_kmn", "tip reduction k mn", 5185},
                  {"Label_flankricht", "tooth alignment Si", 8250},
                  {"Label_q", "number planet pairs", 8655},
                  {"Label_dbohr", "Borehole dB", 5145}};
    for (const auto& l : labels) {
        Control(l.name).Caption = DisplayText(l.text);
        SetHint(l.name, l.help);
    }
    Control("Label7").Caption = "1/in";
    // The list's items are ToothAlignmentNames; the form lays them out.
    Control("ComboBox_flankricht");
    // The step buttons of the module and of the four tooth numbers: a form
    // connects only the buttons its model declares.
    for (const char* half : {"Down", "Up"}) {
        Control(std::string("SpinButton_mn") + half);
        for (int i = 1; i <= 4; ++i)
            Control("SpinButton" + std::to_string(i) + half);
    }
    for (int i = 1; i <= 4; ++i)
        SetHint(Edit("kmn", i), 5170);
    for (int i = 1; i <= 3; ++i)
        Control(Edit("b0", i)).Enabled = false;

    TGearPairData& p = GearPair;
    TPlanetaryGears& g = PlanetaryGears;
    Bind("Edit_alpha", TFieldKind::Sig6, &p.alpha);
    Bind("Edit_beta", TFieldKind::Sig6, &p.beta);
    Bind("Edit_mn", TFieldKind::Length, &p.mn);
    for (int i = 1; i <= 4; ++i)
        Bind(Edit("z", i), TFieldKind::Integer, &g.z[i]);
    for (int i = 1; i <= 4; ++i)
        Bind(Edit("b", i), TFieldKind::Length, &g.b[i]);
    for (int i = 1; i <= 4; ++i)
        Bind(Edit("x", i), TFieldKind::Sig6, &g.x[i]);
    for (int i = 1; i <= 4; ++i)
        Bind(Edit("kmn", i), TFieldKind::Length6, &g.kmn[i]);
    for (int i = 1; i <= 4; ++i)
        Bind(Edit("db", i), TFieldKind::Length, &g.dB[i]);
    Bind("SpinEdit_q", TFieldKind::Integer, &p.qp);
    // The store rules below put their defaults in place of these. Departs
    // from storing a negative pressure angle as typed: the project file holds
    // none, so the work could not be saved until it was changed; it is
    // refused here with the file's range.
    TakeZeroAsDefault("Edit_alpha");
    TakeZeroAsDefault("SpinEdit_q");
    for (int i = 1; i <= 4; ++i)
        TakeZeroAsDefault(Edit("b", i), true);
    AfterLoad = [this] { AfterLoadFields(); };
    AfterStore = [this] { AfterStoreFields(); };
    AfterOk = [] { CalcPlanetaryStage(); };
    LoadFields();
}

void TForm_qyr7geo::AfterLoadFields()
{
    Control("Label_alphau").Caption = DisplayText(DegreeSign());
    Control("Label_betau").Caption = DisplayText(DegreeSign());
    for (const char* n : {"Label_mnu", "Label_b0u", "Label_bu", "Label_kmnu", "Label_bohru"})
        Control(n).Caption = LengthUnitLabel();
    const int a = PlanetaryGears.ToothAlignment[1];
    Control("ComboBox_flankricht").Text =
        a >= 1 && a <= 3 ? DisplayText(ToothAlignmentNames[a]) : std::string();
    const Extended mn = GearPair.mn;
    if (mn != 0 && std::isfinite(static_cast<long double>(mn)))
        Control("Edit_pitch").Text = TrimBlanks(FloatToSignificant(25.4L / mn));
    for (int i = 1; i <= 3; ++i)
        Control(Edit("b0", i)).Text = TrimBlanks(LengthToText(PlanetaryGears.b_effH[i]));
}

void TForm_qyr7geo::AfterStoreFields()
{
    TGearPairData& p = GearPair;
    TPlanetaryGears& g = PlanetaryGears;
    // The rules of the stored dimensions: a missing pressure angle is the
    // standard 20 degrees, a missing face width 15 modules, three planet
    // pairs by default, and the ring's tooth number is held negative.
    if (p.alpha == 0) p.alpha = 20;
    if (g.z[gH] > 0) g.z[gH] = -g.z[gH];
    for (int i = 1; i <= 4; ++i)
        if (g.b[i] <= 0) g.b[i] = 15 * p.mn;
    if (p.qp == 0) p.qp = 3;
    // An empty or foreign alignment text keeps the stored alignment.
    const int a = AlignmentIndex(Control("ComboBox_flankricht").Text);
    if (a != 0) g.ToothAlignment[1] = a;
    StoreStageFaceWidths(CalcStageFaceWidths(g.b, g.bcha, g.bctr, g.b_effH, p.mn));
}

void TForm_qyr7geo::UpdateEffectiveFaceWidths()
{
    // Shown from the typed widths; nothing is stored until OK, Calc or the
    // unit switch, so that Cancel cancels a face width change as it does
    // every other field. A width stored while typing would be left behind by
    // Cancel, neither calculated nor marked as unsaved input.
    const Extended mn = TypedLength(Control("Edit_mn").Text);
    GearArray b{};
    for (int i = 1; i <= 4; ++i) {
        b[i] = TypedLength(Control(Edit("b", i)).Text);
        if (b[i] <= 0) b[i] = 15 * mn;
    }
    const TEffectiveFaceWidths w =
        CalcStageFaceWidths(b, PlanetaryGears.bcha, PlanetaryGears.bctr, PlanetaryGears.b_effH, mn);
    for (int i = 1; i <= 3; ++i)
        Control(Edit("b0", i)).Text = TrimBlanks(LengthToText(w.H[i]));
    Touch();
}

bool TForm_qyr7geo::ReadTeethNumbers()
{
    const int q = TypedInt(Control("SpinEdit_q").Text);
    for (int i = 1; i <= 4; ++i)
        WorkingTeeth[i] = TypedInt(Control(Edit("z", i)).Text);
    // With no planet pairs the planets cannot be placed: nothing steps (the
    // assembly condition would divide by 0).
    if (q <= 0) return false;
    // Tooth numbers no gear has are not stepped: the arithmetic of the
    // proposals would overflow.
    for (int i = 1; i <= 4; ++i)
        if (WorkingTeeth[i] > 99999 || WorkingTeeth[i] < -99999) return false;
    GearPair.qp = q;
    return true;
}

void TForm_qyr7geo::StepTeeth(int gear, char direction)
{
    if (!ReadTeethNumbers()) return;
    TArray<int, 1, 4>& z = WorkingTeeth;
    const int q = GearPair.qp;
    // The ring is stepped as a negative number, as typed or not.
    int zH = z[4] > 0 ? -z[4] : z[4];
    switch (gear) {
    case gS:
        StepTeethNumbers('S', direction, q, z[1], z[2], zH);
        Control("Edit_z1").Text = IntToText(z[1]);
        break;
    case gPi:
        StepTeethNumbers('P', direction, q, z[1], z[2], zH);
        Control("Edit_z2").Text = IntToText(z[2]);
        break;
    case gPe:
        StepTeethNumbers('P', direction, q, z[1], z[3], zH);
        Control("Edit_z3").Text = IntToText(z[3]);
        break;
    default:
        StepTeethNumbers('H', direction, q, z[1], z[3], zH);
        z[4] = zH;
        Control("Edit_z4").Text = IntToText(z[4]);
        break;
    }
    Touch();
}

void TForm_qyr7geo::ProposeTeeth()
{
    if (!ReadTeethNumbers()) return;
    TArray<int, 1, 4>& z = WorkingTeeth;
    const int q = GearPair.qp;
    int zH = z[4] > 0 ? -z[4] : z[4];
    if (z[1] == 0) {
        StepTeethNumbers('S', '0', q, z[1], z[2], zH);
        Control("Edit_z1").Text = IntToText(z[1]);
    } else if (z[4] < 0) {
        StepTeethNumbers('P', '0', q, z[1], z[2], zH);
        Control("Edit_z2").Text = IntToText(z[2]);
        Control("Edit_z3").Text = IntToText(z[2]);
    } else {
        StepTeethNumbers('H', '0', q, z[1], z[3], zH);
        Control("Edit_z4").Text = IntToText(zH);
    }
    Touch();
}

void TForm_qyr7geo::ShowMinimumShift(int gear)
{
    telmvar.Aborted = false;
    if (!StoreFields()) return;
    const int mesh = gear == gPe ? mPeH : mSPi;
    LoadMesh(mesh);
    CalcGeometry();
    if (telmvar.Aborted) return;
    // The minimum shift of the geometry just calculated from this dialog's
    // values, of the pair gear that is this stage gear.
    const MeshOrder order = MeshGearOrder(mesh);
    const int k = order[1] == gear ? 1 : 2;
    const Extended xmin = GearPair.x_min[k];
    if (!std::isfinite(static_cast<long double>(xmin))) return;
    Control(Edit("x", gear)).Text = TrimBlanks(FloatToSignificant(xmin > 0 ? xmin : 0));
    Touch();
}

void TForm_qyr7geo::StepModule(int direction)
{
    const Extended m = TypedLength(Control("Edit_mn").Text);
    Control("Edit_mn").Text = TrimBlanks(LengthToText(GetStandardModule(direction, m)));
    Changed("Edit_mn");
}

void TForm_qyr7geo::Changed(const std::string& Name)
{
    if (Loading()) return;
    if (Name == "Edit_mn") {
        const Extended mn = TypedLength(Control("Edit_mn").Text);
        if (mn != 0) Control("Edit_pitch").Text = TrimBlanks(FloatToSignificant(25.4L / mn));
    } else if (Name == "Edit_pitch") {
        const Extended pitch = TypedNumber(Control("Edit_pitch").Text);
        if (pitch != 0) Control("Edit_mn").Text = TrimBlanks(LengthToText6(25.4L / pitch));
    } else if (Name.rfind("Edit_b", 0) == 0 && Name.size() == 7 && Name[6] >= '1' && Name[6] <= '4') {
        UpdateEffectiveFaceWidths();
    }
    Touch();
}

bool TForm_qyr7geo::CheckDimensions()
{
    // A stage needs a module and teeth on every gear: a module of 0 or below
    // or a gear without teeth would only end the calculation fatally. An
    // empty field is not an entry and keeps its store rule.
    const auto refuse = [](const std::string& Field, const std::string& Text) {
        platform::CurrentPlatform().Bell().Beep();
        ShowErrorBox(AnsiTextToOem(Field + ": ") + InvalidInputText(AnsiTextToOem(Text)));
        return false;
    };
    const std::string mn = TrimBlanks(Control("Edit_mn").Text);
    Extended m = 0;
    if (!mn.empty() && TryTextToFloat(mn, m) && m <= 0) return refuse(Control("Label_mn").Caption, mn);
    for (int i = 1; i <= 4; ++i) {
        const std::string z = TrimBlanks(Control(Edit("z", i)).Text);
        int32_t n = 0;
        if (!z.empty() && TryTextToInt(z, n) && n == 0)
            return refuse(Control("Label_z").Caption + " " + Control("Label_rad" + std::to_string(i)).Caption,
                          z);
    }
    return true;
}

platform::DialogAction TForm_qyr7geo::Press(const std::string& Name)
{
    using platform::DialogAction;
    auto setText = [this](const std::string& edit, const std::string& text) { Control(edit).Text = text; };
    if ((Name == "Button_ok" || Name == "Button_rechnen") && !CheckDimensions()) return DialogAction::None;
    if (Name == "Button_rechnen") return TStageDialogModel::Press("Button_calc");
    if (Name == "Button_beff") {
        if (!StoreFields()) return DialogAction::None;
        TForm_qyr7beff beff;
        RunModalDialog(beff);
        LoadFields();
    } else if (Name == "Button_alpha") {
        setText("Edit_alpha", "20");
    } else if (Name == "Button_q") {
        setText("SpinEdit_q", "3");
    } else if (Name == "Button_zp") {
        ProposeTeeth();
    } else if (Name.rfind("SpinButton", 0) == 0 && Name.size() >= 12 && Name[10] >= '1' && Name[10] <= '4') {
        const bool up = Name.find("Up") != std::string::npos;
        StepTeeth(Name[10] - '0', up ? '>' : '<');
    } else if (Name == "SpinButton_mnDown" || Name == "SpinButton_mnUp") {
        StepModule(Name == "SpinButton_mnUp" ? 1 : -1);
    } else if (Name == "Button_a0") {
        for (int i = 1; i <= 3; ++i)
            setText(Edit("x", i), "0.5");
        setText("Edit_x4", "-0.5");
    } else if (Name == "Button_x1min" || Name == "Button_x2min" || Name == "Button_x3min") {
        ShowMinimumShift(Name[8] - '0');
    } else if (Name == "Button_kmn") {
        for (int i = 1; i <= 4; ++i)
            setText(Edit("kmn", i), "0");
    } else if (Name == "Button_b12") {
        const Extended mn = TypedLength(Control("Edit_mn").Text);
        for (int i = 1; i <= 4; ++i)
            setText(Edit("b", i), TrimBlanks(LengthToText(15 * mn)));
        UpdateEffectiveFaceWidths();
    } else if (Name == "Button_bohr") {
        for (int i = 1; i <= 4; ++i)
            setText(Edit("db", i), TrimBlanks(LengthToText(SuggestBoreDiameter(i))));
    } else if (Name == "Button_hbkmn") {
        HelpPictureNumber = 5160;
        return TStageDialogModel::Press("Button_hilfebild");
    } else if (Name == "Button_hbz" || Name == "Button_hbx" || Name == "Button_hbbeta" ||
               Name == "Button_hbq" || Name == "Button_hbflank") {
        HelpPictureNumber = Name == "Button_hbz"      ? 5120
                            : Name == "Button_hbx"    ? 5150
                            : Name == "Button_hbbeta" ? 5090
                            : Name == "Button_hbq"    ? 8655
                                                      : 8250;
        return TStageDialogModel::Press("Button_hilfebild");
    } else {
        return TStageDialogModel::Press(Name);
    }
    Touch();
    return DialogAction::None;
}

bool ShowGearDimensionsDialog()
{
    TForm_qyr7geo form;
    return RunModalDialog(form) == platform::DialogResult::Ok;
}
