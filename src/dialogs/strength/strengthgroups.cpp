#include "dialogs/strength/strengthgroups.h"

#include "dialogs/helptext.h"
#include "dialogs/stage/lubricantform.h"
#include "dialogs/stage/radiogroup.h"
#include "dialogs/stage/viscosityform.h"
#include "foundation/codepage.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "gearpair/gearpairdata.h"
#include "planetary/stage.h"
#include "planetary/suggestions.h"

#include <cmath>

const char* const MeshLetters[4] = {"", "s", "p", "h"};

std::string MethodName(int CalcMethod)
{
    return CalcMethod >= 1 && CalcMethod <= 4 ? CalcMethodNames[CalcMethod] : "";
}

namespace
{

std::string N(const char* Base, int i)
{
    return Base + std::to_string(i);
}

std::string M(const char* Base, int Mesh)
{
    return std::string(Base) + MeshLetters[Mesh];
}

// Hints that every help level shows, and those that only show from help
// level 1 on.
void Hint(TStageDialogModel& Model, const std::string& Control, uint16_t No, bool Always)
{
    platform::DialogControl& c = Model.Control(Control);
    c.HintNumber = No;
    c.Hint = Always || telmvar.HelpLevel != 0 ? GetHelpHint(No) : std::string();
}

std::string Shown(Extended X)
{
    return TrimBlanks(FloatToSignificant(X));
}

} // namespace

void TStrengthGroup::Caption(const std::string& Control, const std::string& Text)
{
    m_.Control(Control).Caption = Text;
}

platform::DialogAction TStrengthGroup::HelpPicture(uint16_t No, bool StoreFirst)
{
    if (StoreFirst && !m_.StoreFields()) return platform::DialogAction::None;
    ShowHelpText(No, 0, 2);
    telmvar.Aborted = false;
    return platform::DialogAction::Raise;
}

// --- per-gear group ------------------------------------------------------------

TGearStrengthGroup::TGearStrengthGroup(TStageDialogModel& Model, bool Compact)
    : TStrengthGroup(Model), compact_(Compact)
{
    TPlanetaryGears& g = PlanetaryGears;
    static const char* const heads[] = {"", "S", "Pi", "Pe", "H"};
    static const uint16_t headHints[] = {0, 4800, 4805, 4815, 4810};
    for (int i = 1; i <= 4; ++i) {
        Caption(N("Label_rad", i), heads[i]);
        Hint(m_, N("Label_rad", i), headHints[i], true);
    }
    Caption("Label_di", "Gear blank inside diameter Di");
    Caption("Label_neingr", "Tooth contacts per/rotation e");
    Caption("Label_nlastw", "no. of load reversions/period Np");
    Caption("Label_rzflank", "Average peak-to-valley height Tooth flank RzZ");
    Caption("Label_rzroot", "Average peak-to-valley height Tooth root RzY");
    Caption("Label_znt", "ZNT");
    Caption("Label_ynt", "YNT");
    Caption("RadioGroup_Lnt", "");
    Caption(RadioButtonName("RadioGroup_Lnt", 0), "Calculate life expectation");
    Caption(RadioButtonName("RadioGroup_Lnt", 1), "Input limited-life factors");
    for (const char* b : {"Button1", "Button_nlastw", "Button_lnt"})
        Caption(b, "<");
    for (const char* b : {"Button_di", "Button_eingr2", "Button_znt", "Button_ynt"})
        Caption(b, "?");
    Hint(m_, "Label_di", 5580, false);
    Hint(m_, "Label_neingr", 5595, false);
    Hint(m_, "Label_nlastw", 5605, false);
    Hint(m_, "Label_rzflank", 5590, false);
    Hint(m_, "Label_rzroot", 5590, false);
    Hint(m_, "RadioGroup_Lnt", 6800, false);
    Hint(m_, "Label_znt", 6810, false);
    Hint(m_, "Label_ynt", 6820, false);
    for (int i = 1; i <= 4; ++i)
        m_.Bind(N("Edit_di", i), TFieldKind::Length, &g.di[i]);
    for (int i = 1; i <= 4; ++i)
        m_.Bind(N("Edit_neingr", i), TFieldKind::Sig3, &g.e[i]);
    for (int i = 1; i <= 4; ++i)
        m_.Bind(N("Edit_nlastw", i), TFieldKind::Sig3, &g.Np[i]);
    for (int i = 1; i <= 4; ++i)
        m_.Bind(N("Edit_rzflank", i), TFieldKind::MicroLength, &g.RzZ[i]);
    for (int i = 1; i <= 4; ++i)
        m_.Bind(N("Edit_rzroot", i), TFieldKind::MicroLength, &g.RzY[i]);
    for (int i = 1; i <= 4; ++i) {
        m_.Bind(N("Edit_znt", i), TFieldKind::Sig3, &znt_[i]);
        m_.LimitAs(N("Edit_znt", i), &PlanetaryGears.ZNT[i]);
    }
    for (int i = 1; i <= 4; ++i) {
        m_.Bind(N("Edit_ynt", i), TFieldKind::Sig3, &ynt_[i]);
        m_.LimitAs(N("Edit_ynt", i), &PlanetaryGears.YNT[i]);
    }
}

void TGearStrengthGroup::BeforeLoad()
{
    for (int i = 1; i <= 4; ++i) {
        znt_[i] = PlanetaryGears.ZNT[i];
        ynt_[i] = PlanetaryGears.YNT[i];
    }
}

void TGearStrengthGroup::AfterLoad()
{
    Caption("Label_diu", DisplayText(LengthUnitLabel()));
    Caption("Label_rzflanku", DisplayText(MicroLengthUnitLabel()));
    Caption("Label_rzrootu", DisplayText(MicroLengthUnitLabel()));
    SetRadioIndex(m_, "RadioGroup_Lnt", 2, GearPair.LifeFactorInput);
    UpdateLifeFactorFields();
}

void TGearStrengthGroup::AfterStore()
{
    const int life = RadioIndex(m_, "RadioGroup_Lnt", 2);
    if (life >= 0) GearPair.LifeFactorInput = life;
    // Life factors that are calculated are not overwritten by the shown
    // ones.
    if (GearPair.LifeFactorInput == 1) {
        for (int i = 1; i <= 4; ++i)
            PlanetaryGears.ZNT[i] = znt_[i];
        for (int i = 1; i <= 4; ++i)
            PlanetaryGears.YNT[i] = ynt_[i];
    }
}

void TGearStrengthGroup::UpdateLifeFactorFields()
{
    const int life = RadioIndex(m_, "RadioGroup_Lnt", 2);
    if (life != 0 && life != 1) return;
    for (const char* row : {"Edit_znt", "Edit_ynt"})
        for (int i = 1; i <= 4; ++i)
            m_.Control(N(row, i)).Visible = life == 1;
    m_.Control("Label_znt").Visible = life == 1;
    m_.Control("Label_ynt").Visible = life == 1;
}

void TGearStrengthGroup::Update()
{
    UpdateLifeFactorFields();
}

void TGearStrengthGroup::Changed(const std::string& Name)
{
    if (RadioButtonIndex(Name, "RadioGroup_Lnt", 2) >= 0) UpdateLifeFactorFields();
}

bool TGearStrengthGroup::Press(const std::string& Name, platform::DialogAction& Action)
{
    Action = platform::DialogAction::None;
    if (Name == "Button1") {
        // The compact dialog leaves the sun's blank to the user.
        for (int i = compact_ ? 2 : 1; i <= 4; ++i)
            m_.Control(N("Edit_di", i)).Text = TrimBlanks(LengthToText(SuggestInnerDiameter(i)));
    } else if (Name == "Button_nlastw") {
        const std::string qp = IntToText(GearPair.qp);
        const char* const np[] = {"", "0", "1", "1", "0"};
        const std::string e[] = {"", qp, "2", "2", qp};
        for (int i = 1; i <= 4; ++i) {
            m_.Control(N("Edit_neingr", i)).Text = e[i];
            m_.Control(N("Edit_nlastw", i)).Text = np[i];
        }
    } else if (Name == "Button_lnt") {
        SetRadioIndex(m_, "RadioGroup_Lnt", 2, 0);
        UpdateLifeFactorFields();
    } else if (Name == "Button_di") {
        Action = HelpPicture(5580, true);
    } else if (Name == "Button_eingr2") {
        Action = HelpPicture(5605, true);
    } else if (Name == "Button_znt") {
        Action = HelpPicture(6810, true);
    } else if (Name == "Button_ynt") {
        Action = HelpPicture(6820, true);
    } else {
        return false;
    }
    return true;
}

// --- lubricant and factor group ------------------------------------------------

TLubricantStrengthGroup::TLubricantStrengthGroup(TStageDialogModel& Model, bool Compact)
    : TStrengthGroup(Model)
{
    TGearPairData& p = GearPair;
    // The degree sign is a DOS byte; labels show it display-converted.
    Caption("Label_visko", DisplayText("Oil viscosity at 50\xF8"
                                       "C"));
    Caption("Label_viskou", DisplayText(ViscosityUnitLabel()));
    Caption("Label_kah", "application factor KAH");
    Caption("Label_kaf", "application factor KAF");
    Caption("Label_kgamma", "mesh load factor Kgamma");
    Caption("CheckBox_pfeil", "Double helical gearing");
    Caption("Button_viskox", DisplayText("Visko ... \xF8"
                                         "C"));
    Caption("Button_oel", "..");
    for (const char* b : {"Button_kah", "Button_kaf", "Button_kgamma"})
        Caption(b, "<");
    for (const char* b : {"Button_ka", "Button_pfeil"})
        Caption(b, "?");
    Hint(m_, "Label_visko", 5615, false);
    Hint(m_, "Label_kah", 5600, false);
    Hint(m_, "Label_kaf", 5600, false);
    Hint(m_, "Label_kgamma", Compact ? 5610 : 5625, false);
    Hint(m_, "CheckBox_pfeil", 5620, false);
    m_.Bind("Edit_visko", TFieldKind::Sig3, &p.v50);
    m_.Bind("Edit_kah", TFieldKind::Sig3, &p.KA_H);
    m_.Bind("Edit_kaf", TFieldKind::Sig3, &p.KA_F);
    m_.Bind("Edit_kgamma", TFieldKind::Sig3, &PlanetaryStage.Kgamma);
    m_.Bind("CheckBox_pfeil", TFieldKind::YesNoChar, &p.DoubleHelical);
}

bool TLubricantStrengthGroup::Press(const std::string& Name, platform::DialogAction& Action)
{
    Action = platform::DialogAction::None;
    if (Name == "Button_kah" || Name == "Button_kaf") {
        m_.Control(Name == "Button_kah" ? "Edit_kah" : "Edit_kaf").Text = "1";
    } else if (Name == "Button_kgamma") {
        const int qp = GearPair.qp;
        m_.Control("Edit_kgamma").Text =
            qp > 3 ? Shown(1 + 0.25L * std::sqrt(static_cast<Extended>(qp - 3))) : std::string("1");
    } else if (Name == "Button_viskox") {
        std::string nu50 = Shown(GearPair.v50);
        if (AskViscosityAt50(nu50)) m_.Control("Edit_visko").Text = nu50;
        telmvar.Aborted = false;
    } else if (Name == "Button_oel") {
        if (!m_.StoreFields()) return true;
        TForm_qyr1visk lubricant;
        RunModalDialog(lubricant);
        m_.LoadFields();
    } else if (Name == "Button_ka") {
        Action = HelpPicture(5600, true);
    } else if (Name == "Button_pfeil") {
        Action = HelpPicture(5620, true);
    } else {
        return false;
    }
    return true;
}

// --- method --------------------------------------------------------------------

TMethodGroup::TMethodGroup(TStageDialogModel& Model) : TStrengthGroup(Model)
{
    Caption("Label_rfcode", "Calculation method");
    m_.Control("ComboBox_rfcode");
}

void TMethodGroup::AfterLoad()
{
    m_.Control("ComboBox_rfcode").Text = MethodName(GearPair.CalcMethod);
}

int TMethodGroup::Index() const
{
    const platform::DialogControl* c = m_.FindControl("ComboBox_rfcode");
    for (int k = 1; c && k <= 4; ++k)
        if (c->Text == MethodName(k)) return k - 1;
    return -1;
}

void TMethodGroup::AfterStore()
{
    const int i = Index();
    if (i >= 0) GearPair.CalcMethod = i + 1;
}

// --- per-mesh group ------------------------------------------------------------

TMeshStrengthGroup::TMeshStrengthGroup(TStageDialogModel& Model, bool Compact)
    : TStrengthGroup(Model), compact_(Compact)
{
    TGearPairData& p = GearPair;
    TPlanetaryGears& g = PlanetaryGears;
    static const char* const meshHeads[] = {"", "S-Pi", "Pi-Pe", "Pe-H"};
    static const uint16_t meshHints[] = {0, 4820, 4830, 4825};
    for (int k = 1; k <= 3; ++k) {
        Caption(N("Label_paar", k), meshHeads[k]);
        Hint(m_, N("Label_paar", k), meshHints[k], true);
    }
    Caption("CheckBox_Jainputfsh", "Input fsh ?");
    Caption("Label_fsh", "fsh");
    Caption("CheckBox_jainputfma", "Input fma ?");
    Caption("Label_fma", "fma");
    for (const char* c : {"CheckBox_Jainputfsh", "Label_fsh"})
        Hint(m_, c, 5015, true);
    for (const char* c : {"CheckBox_jainputfma", "Label_fma"})
        Hint(m_, c, 5020, true);
    m_.Bind("CheckBox_Jainputfsh", TFieldKind::Boolean, &p.FshEntered);
    for (int k = 1; k <= 3; ++k)
        m_.Bind(N("Edit_fsh", k), TFieldKind::MicroLength, &g.fsh[k]);
    m_.Bind("CheckBox_jainputfma", TFieldKind::Boolean, &p.FmaEntered);
    for (int k = 1; k <= 3; ++k)
        m_.Bind(N("Edit_fma", k), TFieldKind::MicroLength, &g.fma[k]);

    if (!compact_) {
        Caption("Label_bi442", "Contact pattern position");
        Caption("Label_bi443", "Bearing-arrangement pinion shaft");
        Caption("Label_l1", "Bearing distance");
        Caption("Label_s1", "Bedding offset");
        Caption("Label_dsh", "Shaft-diameter of the pinion");
        for (const char* b : {"Button_bi442", "Button_bi443", "Button_dsh"})
            Caption(b, "?");
        Hint(m_, "Label_bi442", 5540, true);
        Hint(m_, "Label_bi443", 5550, true);
        Hint(m_, "Label_l1", 5560, true);
        Hint(m_, "Label_s1", 5570, true);
    }
    static const char* const boxes[] = {"", " S - Pi: Bearing ", "Pi-Pe: Bearing ", "Pe-H: Bearing "};
    for (int k = 1; k <= 3; ++k) {
        const std::string gear = MeshGearCaption(k, 1);
        Caption(M("GroupBox_lager", k), boxes[k] + std::string(compact_ ? "pinion shaft " : "") + gear + " ");
        if (compact_) {
            Caption(M("Label_bi442", k), "Contact pattern position");
            Caption(M("Label_bi443", k), "Bearing-arrangement pinion shaft " + gear);
            Caption(M("Label_l1", k), "Bearing distance l");
            Caption(M("Label_s1", k), "Bedding offset s");
            Caption(M("Label_dsh", k), "Shaft-diameter of the pinion dsh " + gear);
            for (const char* b : {"Button_bi442", "Button_bi443", "Button_dsh"})
                Caption(M(b, k), "?");
        } else {
            Caption(M("Label_bi442", k), gear);
            Caption(M("Label_bi443", k), gear);
            Caption(M("Label_l1", k), "l " + gear);
            Caption(M("Label_s1", k), "s " + gear);
            Caption(M("Label_dsh", k), " dsh " + gear);
        }
        Hint(m_, M("Label_bi442", k), 5540, true);
        Hint(m_, M("Label_bi443", k), 5550, true);
        Hint(m_, M("Label_l1", k), 5560, true);
        Hint(m_, M("Label_s1", k), 5570, true);
        Hint(m_, M("Label_dsh", k), 5610, true);
        for (const char* b : {"Button_bi442v", "Button_bi443v", "Button_l1v", "Button_s1v", "Button_dshv"})
            Caption(M(b, k), "<");
        m_.Control(M("ComboBox_bi442", k));
        m_.Control(M("ComboBox_bi443", k));
        m_.Bind(M("Edit_l1", k), TFieldKind::Length, &g.l_bearing[k]);
        m_.Bind(M("Edit_s1", k), TFieldKind::Length, &g.s_bedding[k]);
        m_.Bind(M("Edit_dsh", k), TFieldKind::Length, &g.dsh[k]);
    }
    Caption("CheckBox_stw", "Supporting effect");
    Caption("CheckBox_einl", "Lapping-in/breaking-in");
    Caption("CheckBox_flwk", "Tooth trace angle correction");
    Caption("CheckBox_ball", "Central crowning");
    Caption("CheckBox_endrn", "End relief");
    Caption("CheckBox_notch", "notch in fillet ?");
    Caption("Button2", "?");
    Caption("Label_tgrg", "tg / rg");
    Hint(m_, "CheckBox_stw", 5630, true);
    Hint(m_, "CheckBox_einl", 5660, true);
    Hint(m_, "CheckBox_flwk", 5670, true);
    Hint(m_, "CheckBox_ball", 5650, true);
    Hint(m_, "CheckBox_endrn", 5640, true);
    Hint(m_, "CheckBox_notch", 5010, true);
    Hint(m_, "Label_tgrg", 5010, true);
    static const char* const heads[] = {"", "Label_s", "Label_pi", "Label_pe", "Label_h"};
    static const char* const letters[] = {"", "S", "Pi", "Pe", "H"};
    static const uint16_t headHints[] = {0, 4800, 4805, 4815, 4810};
    for (int i = 1; i <= 4; ++i) {
        Caption(heads[i], letters[i]);
        Hint(m_, heads[i], headHints[i], true);
    }
    m_.Bind("CheckBox_stw", TFieldKind::YesNoChar, &p.SupportingEffect);
    m_.Bind("CheckBox_einl", TFieldKind::YesNoChar, &p.LappingIn);
    m_.Bind("CheckBox_flwk", TFieldKind::YesNoChar, &p.ToothTraceCorrection);
    m_.Bind("CheckBox_ball", TFieldKind::YesNoChar, &p.Crowning);
    m_.Bind("CheckBox_endrn", TFieldKind::YesNoChar, &p.EndRelief);
    for (int i = 1; i <= 4; ++i)
        m_.Bind(N("Edit_tgrg", i), TFieldKind::Sig3, &g.tg_rhog[i]);
    m_.Bind("CheckBox_notch", TFieldKind::Boolean, &notch_);
    // Part 41 has no misalignment input: the fsh row stays hidden while the
    // dialog lives, whatever method is chosen in it.
    if (p.CalcMethod == 2)
        for (const std::string& c :
             {std::string("CheckBox_Jainputfsh"), std::string("Label_fsh"), std::string("Label_fshu"),
              N("Edit_fsh", 1), N("Edit_fsh", 2), N("Edit_fsh", 3)})
            m_.Control(c).Visible = false;
}

void TMeshStrengthGroup::BeforeLoad()
{
    notch_ = GearPair.GrindingNotch[1] != 0 || GearPair.GrindingNotch[2] != 0;
}

void TMeshStrengthGroup::AfterLoad()
{
    Caption("Label_fshu", DisplayText(MicroLengthUnitLabel()));
    Caption("Label_fmau", DisplayText(MicroLengthUnitLabel()));
    for (int k = 1; k <= 3; ++k) {
        for (const char* u : {"Label_l1u", "Label_s1u", "Label_dshu"})
            Caption(M(u, k), DisplayText(LengthUnitLabel()));
        const int cp = PlanetaryGears.ContactPatternNo[k];
        const int ba = PlanetaryGears.BearingArrangementNo[k];
        m_.Control(M("ComboBox_bi442", k)).Text =
            cp >= 1 && cp <= 6 ? std::string("image ") + char('a' + cp - 1) : "";
        m_.Control(M("ComboBox_bi443", k)).Text =
            ba >= 1 && ba <= 5 ? std::string("image ") + char('a' + ba - 1) : "";
    }
    UpdateInputEnabling();
}

void TMeshStrengthGroup::AfterStore()
{
    // A choice shown as none keeps the stored number.
    auto index = [this](const std::string& Combo, int Count) {
        const std::string& t = m_.Control(Combo).Text;
        for (int i = 0; i < Count; ++i)
            if (t == std::string("image ") + char('a' + i)) return i + 1;
        return 0;
    };
    for (int k = 1; k <= 3; ++k) {
        if (const int cp = index(M("ComboBox_bi442", k), 6)) PlanetaryGears.ContactPatternNo[k] = cp;
        if (const int ba = index(M("ComboBox_bi443", k), 5)) PlanetaryGears.BearingArrangementNo[k] = ba;
    }
    // The project file holds one switch; the pair keeps it for both gears.
    GearPair.GrindingNotch[1] = notch_ ? 1 : 0;
    GearPair.GrindingNotch[2] = notch_ ? 1 : 0;
}

void TMeshStrengthGroup::UpdateInputEnabling()
{
    const bool notch = m_.Control("CheckBox_notch").Checked;
    for (const char* c : {"Label_tgrg", "Label_s", "Label_pi", "Label_pe", "Label_h"})
        m_.Control(c).Visible = notch;
    for (int i = 1; i <= 4; ++i)
        m_.Control(N("Edit_tgrg", i)).Visible = notch;

    const bool fsh = m_.Control("CheckBox_Jainputfsh").Checked;
    for (int k = 1; k <= 3; ++k)
        m_.Control(N("Edit_fsh", k)).Enabled = fsh;
    // An entered fsh needs none of the inputs that compute it.
    if (!compact_)
        for (const char* c : {"Label_bi442", "Label_bi443", "Label_l1", "Label_s1", "Label_dsh",
                              "Button_bi442", "Button_bi443", "Button_dsh"})
            m_.Control(c).Visible = !fsh;
    m_.Control("CheckBox_stw").Visible = !fsh;
    for (int k = 1; k <= 3; ++k) {
        for (const char* c : {"GroupBox_lager", "Label_dsh", "Edit_dsh", "Label_dshu", "Button_dshv"})
            m_.Control(M(c, k)).Visible = !fsh;
        if (compact_) m_.Control(M("Button_dsh", k)).Visible = !fsh;
    }

    const bool fma = m_.Control("CheckBox_jainputfma").Checked;
    for (int k = 1; k <= 3; ++k)
        m_.Control(N("Edit_fma", k)).Enabled = fma;
}

void TMeshStrengthGroup::Update()
{
    UpdateInputEnabling();
}

void TMeshStrengthGroup::Changed(const std::string& Name)
{
    if (Name == "CheckBox_notch" || Name == "CheckBox_Jainputfsh" || Name == "CheckBox_jainputfma")
        UpdateInputEnabling();
}

bool TMeshStrengthGroup::Press(const std::string& Name, platform::DialogAction& Action)
{
    Action = platform::DialogAction::None;
    for (int k = 1; k <= 3; ++k) {
        if (Name == M("Button_dshv", k)) {
            m_.Control(M("Edit_dsh", k)).Text = TrimBlanks(LengthToText(SuggestShaftDiameter(k)));
            return true;
        }
        if (Name == M("Button_l1v", k)) {
            m_.Control(M("Edit_l1", k)).Text = TrimBlanks(LengthToText(SuggestShaftLength(k)));
            return true;
        }
        if (Name == M("Button_s1v", k)) {
            m_.Control(M("Edit_s1", k)).Text = "0";
            return true;
        }
        if (Name == M("Button_bi442v", k)) {
            m_.Control(M("ComboBox_bi442", k)).Text = "image a";
            return true;
        }
        if (Name == M("Button_bi443v", k)) {
            m_.Control(M("ComboBox_bi443", k)).Text = "image a";
            return true;
        }
        if (compact_ && Name == M("Button_bi442", k)) {
            Action = HelpPicture(5540, false);
            return true;
        }
        if (compact_ && Name == M("Button_bi443", k)) {
            Action = HelpPicture(5550, false);
            return true;
        }
        if (compact_ && Name == M("Button_dsh", k)) {
            Action = HelpPicture(5630, false);
            return true;
        }
    }
    if (Name == "Button_bi442") {
        Action = HelpPicture(5540, false);
    } else if (Name == "Button_bi443") {
        Action = HelpPicture(5550, false);
    } else if (Name == "Button_dsh") {
        Action = HelpPicture(5630, false);
    } else if (Name == "Button2") {
        Action = HelpPicture(5010, false);
    } else {
        return false;
    }
    return true;
}
