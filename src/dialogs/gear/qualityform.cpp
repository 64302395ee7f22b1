#include "dialogs/gear/qualityform.h"

#include "dialogs/helptext.h"
#include "foundation/codepage.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "gearpair/allowances.h"
#include "gearpair/gearpairdata.h"
#include "planetary/stage.h"
#include "planetary/stagecalc.h"

namespace
{

std::string G(const char* stem, int g)
{
    return std::string(stem) + std::to_string(g);
}

// The first control of a row carries the long form name, the others the
// short one the form was drawn with.
std::string QEdit(int g)
{
    return G("Edit_q", g);
}
std::string QTolEdit(int g)
{
    return g == 1 ? "Edit_Aq1" : G("Edit_aq", g);
}
std::string FieldList(int m)
{
    return m == 1 ? "ComboBox_Aa1" : G("ComboBox_aa", m);
}
std::string UpperEdit(int m)
{
    return m == 1 ? "Edit_Aae1" : G("Edit_aae", m);
}
std::string LowerEdit(int m)
{
    return m == 1 ? "Edit_Aai1" : G("Edit_aai", m);
}
std::string DistanceLabel(int m)
{
    return m == 1 ? "Label_Aa1" : G("Label_aa", m);
}

const char* const SeriesLetters[] = {"a", "ab", "b", "bc", "c", "cd", "d", "e", "f", "g", "h"};
const char* const Entered = "...";

// The unit labels beside the allowances and the machining allowance of a
// gear (stem and gear number), and beside the allowances of a mesh
// ("Label_aau" and mesh number).
const char* const GearUnitStems[] = {"Label_asneu", "Label_asniu", "Label_qu", "Label_aqu"};

// The dialog's lengths are in mm in every unit system. The metric systems
// say nothing, as the form always did; the inch system, whose other
// dialogs show inches, says "mm" beside each of them.
bool SaysMm()
{
    return wtelmvar.UnitSystem == 1;
}
std::string MmAfter()
{
    return SaysMm() ? " mm" : "";
}

std::string Sig3(Extended x)
{
    return TStageDialogModel::FormatField(TFieldBinding{"", TFieldKind::Sig3, &x});
}

// 1-based item of a list text, 0 when the text is none of the items.
int ToleranceItem(const std::string& t)
{
    for (int i = 1; i <= 10; ++i)
        if (t == std::to_string(20 + i)) return i;
    return t == Entered ? 11 : 0;
}

int SeriesItem(const std::string& t)
{
    for (int i = 1; i <= 11; ++i)
        if (t == SeriesLetters[i - 1]) return i;
    return 0;
}

int FieldItem(const std::string& t)
{
    for (int i = 1; i <= 8; ++i)
        if (t == "js" + std::to_string(i + 3)) return i;
    return t == Entered ? 9 : 0;
}

int QualityItem(const std::string& t)
{
    for (int i = 1; i <= TForm_qyr7qual::QualityCount(); ++i)
        if (t == std::to_string(i)) return i;
    return 0;
}

} // namespace

int TForm_qyr7qual::QualityCount()
{
    return GearPair.ToleranceStandard == 1 ? 11 : 12;
}

TForm_qyr7qual::TForm_qyr7qual() : TStageDialogModel("TForm_qyr7qual", "Quality")
{
    Control("Button_ok").Caption = "OK";
    Control("Button_cancel").Caption = "Cancel";
    Control("Button_help").Caption = "&Help";
    HelpTextNumber = 3500;
    const char* const heads[] = {" gear S ", " gear Pi ", " gear Pe ", " gear H "};
    const int std = GearPair.ToleranceStandard == 1 ? 1 : 0;
    for (int g = 1; g <= 4; ++g) {
        Control(G("GroupBox", g)).Caption = heads[g - 1];
        const bool first = g == 1;
        Control(G("label_qual", g)).Caption =
            first ? std::string("Gear quality A  acc. ") + ToleranceStandardNames[std] : "A";
        Control(G("Label_tol", g)).Caption = first ? "tooth-thickness tolerance Tsn (DIN 3967)" : "Tsn";
        Control(G("Label_asn", g)).Caption = first ? "tooth-thickn.deviation Asne (DIN 3967)" : "Asn";
        Control(G("Label_q", g)).Caption = "q";
        Control(G("Label_asne", g)).Caption = "Asne";
        Control(G("Label_asni", g)).Caption = "Asni";
        SetHint(G("label_qual", g), 5210);
        SetHint(G("Label_tol", g), 5220);
        SetHint(G("Label_asn", g), 5230);
        SetHint(G("Label_asne", g), 5240);
        SetHint(G("Label_asni", g), 5240);
        SetHint(G("Label_q", g), 5250);
        Control(G("ComboBox_qual", g));
        Control(G("ComboBox_tol", g));
        Control(G("ComboBox_asn", g));
        Bind(G("Edit_asne", g), TFieldKind::Sig3, &PlanetaryGears.Asne[g]);
        Bind(G("Edit_asni", g), TFieldKind::Sig3, &PlanetaryGears.Asni[g]);
        Bind(QEdit(g), TFieldKind::Sig3, &PlanetaryGears.q[g]);
        Bind(QTolEdit(g), TFieldKind::Sig3, &PlanetaryGears.q_tol[g]);
        Bind(G("Edit_zahnkorr", g), TFieldKind::Text, &PlanetaryGears.ToothCorrection[g]);
        Control(G("Button_q", g)).Caption = "<";
        for (const char* stem : GearUnitStems) {
            platform::DialogControl& unit = Control(G(stem, g));
            unit.Caption = "mm";
            unit.Visible = SaysMm();
        }
    }
    Control("Label_q1").Caption = "Machining allowance q";
    Control("Label_zahnkorr1").Caption = "Tooth correction";
    SetHint("Label_zahnkorr1", 5880);
    for (int m = 1; m <= 3; ++m) {
        Control(FieldList(m));
        Bind(UpperEdit(m), TFieldKind::Sig3, &PlanetaryGears.Aa[m]);
        Bind(LowerEdit(m), TFieldKind::Sig3, &PlanetaryGears.Aai[m]);
        SetHint(DistanceLabel(m), 5060);
        platform::DialogControl& unit = Control(G("Label_aau", m));
        unit.Caption = "mm";
        unit.Visible = SaysMm();
    }
    SetHint("Edit_Aae1", 5070);
    SetHint("Edit_Aai1", 5070);
    Control("Button_2gleich1").Caption = "Pi = S";
    Control("Button_3gleich1").Caption = "Pe = S";
    Control("Button_4gleich1").Caption = "H = S";
    Control("Button_calc").Caption = "Calc";
    Control("Button_hbtolfeld").Caption = "Asn, Tsn, Aa ?";
    Control("Button_hbq").Caption = "q ?";
    AfterLoad = [this] { AfterLoadFields(); };
    AfterStore = [this] { AfterStoreFields(); };
    AfterOk = [] { CalcPlanetaryStage(); };
    OnChanged = [this](const std::string& Name) {
        if (Name.rfind("ComboBox_tol", 0) == 0 || Name.rfind("ComboBox_asn", 0) == 0 ||
            Name.rfind("ComboBox_Aa", 0) == 0 || Name.rfind("ComboBox_aa", 0) == 0)
            UpdateAllowances();
    };
    LoadFields();
    // What the form shows on opening.
    UpdateAllowances();
}

void TForm_qyr7qual::AfterLoadFields()
{
    const TPlanetaryGears& p = PlanetaryGears;
    for (int g = 1; g <= 4; ++g) {
        // A grade outside the list (12 under ISO 1328) is still shown and
        // kept, so that opening the dialog does not lose it.
        const int q = p.FlankToleranceClass[g];
        Control(G("ComboBox_qual", g)).Text = q >= 1 ? std::to_string(q) : "";
        const int t = p.TsnSeries[g];
        Control(G("ComboBox_tol", g)).Text = t >= 1 && t <= 10 ? std::to_string(20 + t)
                                             : t == 11         ? Entered
                                                               : "";
        const int s = p.AsneSeries[g];
        Control(G("ComboBox_asn", g)).Text = s >= 1 && s <= 11 ? SeriesLetters[s - 1] : "";
        Control(G("Label_d", g)).Caption = "(d = " + Sig3(p.d[g]) + MmAfter() + ")";
    }
    for (int m = 1; m <= 3; ++m) {
        const int f = p.AaField[m];
        Control(FieldList(m)).Text = f >= 1 && f <= 8 ? "js" + std::to_string(f + 3) : f == 9 ? Entered : "";
        Control(DistanceLabel(m)).Caption = "Center distance a = " + Sig3(p.aInUse[m]) + MmAfter();
    }
}

void TForm_qyr7qual::UpdateAllowances()
{
    const TPlanetaryGears& p = PlanetaryGears;
    for (int g = 1; g <= 4; ++g) {
        platform::DialogControl& tol = Control(G("ComboBox_tol", g));
        platform::DialogControl& ser = Control(G("ComboBox_asn", g));
        const bool noSeries = SeriesItem(ser.Text) == 0;
        if (ToleranceItem(tol.Text) == 0 || noSeries) tol.Text = Entered;
        if (noSeries) ser.Text = SeriesLetters[7];
        const int t = ToleranceItem(tol.Text);
        const bool table = t >= 1 && t <= 10;
        ser.Visible = table;
        if (g == 1) Control("Label_asn1").Visible = table;
        platform::DialogControl& upper = Control(G("Edit_asne", g));
        platform::DialogControl& lower = Control(G("Edit_asni", g));
        if (table) {
            const int s = SeriesItem(ser.Text);
            const int asne = GetUpperToothThicknessAllowance(s, p.d[g]);
            const int tsn = GetToothThicknessTolerance(t, p.d[g]);
            upper.Text = Sig3(-static_cast<Extended>(asne) / 1000);
            lower.Text = Sig3(-static_cast<Extended>(asne + tsn) / 1000);
        }
        upper.Enabled = !table;
        lower.Enabled = !table;
    }
    for (int m = 1; m <= 3; ++m) {
        platform::DialogControl& field = Control(FieldList(m));
        if (FieldItem(field.Text) == 0) field.Text = Entered;
        const int f = FieldItem(field.Text);
        const bool table = f >= 1 && f <= 8;
        platform::DialogControl& upper = Control(UpperEdit(m));
        platform::DialogControl& lower = Control(LowerEdit(m));
        if (table) {
            const int width = GetCentreDistanceAllowance(f, p.aInUse[m]);
            upper.Text = Sig3(static_cast<Extended>(width) / 2000);
            lower.Text = Sig3(-static_cast<Extended>(width) / 2000);
        }
        upper.Enabled = !table;
        lower.Enabled = !table;
    }
    Touch();
}

void TForm_qyr7qual::AfterStoreFields()
{
    TPlanetaryGears& p = PlanetaryGears;
    for (int g = 1; g <= 4; ++g) {
        // A text that is none of the items keeps the stored grade.
        if (const int q = QualityItem(Control(G("ComboBox_qual", g)).Text); q != 0)
            p.FlankToleranceClass[g] = q;
        const int t = ToleranceItem(Control(G("ComboBox_tol", g)).Text);
        if (t != 0) p.TsnSeries[g] = t;
        const int s = SeriesItem(Control(G("ComboBox_asn", g)).Text);
        if (s != 0) p.AsneSeries[g] = s;
        // Looked-up allowances keep the table's exact value, not the
        // three digits the edit shows (2075 um would become 2.08 mm).
        if (t >= 1 && t <= 10 && s != 0) {
            const int asne = GetUpperToothThicknessAllowance(s, p.d[g]);
            p.Asne[g] = -static_cast<Extended>(asne) / 1000;
            p.Asni[g] = -static_cast<Extended>(asne + GetToothThicknessTolerance(t, p.d[g])) / 1000;
        }
    }
    for (int m = 1; m <= 3; ++m) {
        const int f = FieldItem(Control(FieldList(m)).Text);
        if (f == 0) continue;
        p.AaField[m] = f;
        if (f <= 8) {
            const Extended half = static_cast<Extended>(GetCentreDistanceAllowance(f, p.aInUse[m])) / 2000;
            p.Aa[m] = half;
            p.Aai[m] = -half;
        }
    }
}

void TForm_qyr7qual::CopyGearS(int g)
{
    // Lists and texts only: the target's enabled and visible states stay
    // until the next look-up.
    for (const char* stem :
         {"ComboBox_qual", "ComboBox_tol", "ComboBox_asn", "Edit_asne", "Edit_asni", "Edit_zahnkorr"})
        Control(G(stem, g)).Text = Control(G(stem, 1)).Text;
    Control(QEdit(g)).Text = Control(QEdit(1)).Text;
    Control(QTolEdit(g)).Text = Control(QTolEdit(1)).Text;
    Touch();
}

void TForm_qyr7qual::ProposeMachiningAllowance(int g)
{
    const Extended prP0 = PlanetaryGears.prP0[g];
    const Extended q = prP0 > 0 ? prP0 * 2 / 3 : 0.03L * GearPair.mn;
    Control(QEdit(g)).Text = Sig3(q);
    Control(QTolEdit(g)).Text = Sig3(q);
    Touch();
}

platform::DialogAction TForm_qyr7qual::Press(const std::string& Name)
{
    using platform::DialogAction;
    for (int g = 2; g <= 4; ++g)
        if (Name == G("Button_", g) + "gleich1") {
            CopyGearS(g);
            return DialogAction::None;
        }
    for (int g = 1; g <= 4; ++g)
        if (Name == G("Button_q", g)) {
            ProposeMachiningAllowance(g);
            return DialogAction::None;
        }
    if (Name == "Button_help") {
        // Reading the help is no answer to the dialog.
        ShowHelpText(HelpTextNumber, 0, 1);
        return DialogAction::None;
    }
    if (Name == "Button_hbtolfeld" || Name == "Button_hbq") {
        HelpPictureNumber = Name == "Button_hbq" ? 5250 : 5220;
        return TStageDialogModel::Press("Button_hilfebild");
    }
    return TStageDialogModel::Press(Name);
}

bool ShowGearQualityDialog()
{
    TForm_qyr7qual form;
    return RunModalDialog(form) == platform::DialogResult::Ok;
}
