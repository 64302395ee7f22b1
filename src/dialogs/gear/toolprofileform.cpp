#include "dialogs/gear/toolprofileform.h"

#include "dialogs/gear/cutterform.h"
#include "dialogs/messageboxes.h"
#include "dialogs/stage/basicrackconverter.h"
#include "foundation/codepage.h"
#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "gearpair/catalogue/gearcatalogue.h"
#include "gearpair/gearpairdata.h"
#include "planetary/meshtransfer.h"
#include "planetary/stage.h"
#include "planetary/suggestions.h"

#include <cmath>

namespace
{

std::string G(const char* stem, int g)
{
    return std::string(stem) + std::to_string(g);
}

std::string Sig3(Extended x)
{
    return TStageDialogModel::FormatField(TFieldBinding{"", TFieldKind::Sig3, &x});
}

// The edits of a group, in the order of the copy.
const char* const EditStems[] = {"Edit_hap",   "Edit_hfp", "Edit_rhoap", "Edit_rhofp",
                                 "Edit_alprp", "Edit_prp", "Edit_alkp",  "Edit_hffp"};

// The mesh that holds gear g: S and Pi in mesh S-Pi, Pe and H in Pe-H.
int MeshOf(int g)
{
    return g <= 2 ? mSPi : mPeH;
}

// Where gear g sits in the pair its mesh is loaded as: S-Pi puts the gear
// with fewer teeth first, so S is not always pair gear 1.
int PairGear(int g)
{
    return MeshGearOfPair(MeshOf(g), g);
}

} // namespace

const std::vector<std::string>& TForm_qyr7prof::ProfileItems(int g)
{
    // The lists are texts of the window's code page, shown as they are: the
    // DOS conversion of the program's own texts would turn their degree
    // sign into another character.
    static const std::vector<std::string> longItems = {
        "ISO: haP0/mn=1.25  raP0/mn=0.25  hfP0/mn=1", "ISO: haP0/mn=1.25  raP0/mn=0.38  hfP0/mn=1",
        "haP0/mn=1.4  raP0/mn=0.4  pr/mn= 0.02  al.pr=6\xB0 hfP0/mn=1", "self-defined ..."};
    static const std::vector<std::string> shortItems = {"ISO: 1.25/1.0/0.25", "ISO: 1.25/1.0/0.38",
                                                        "1.4/1.0/0.4/pr0.02/6\xB0", "self-defined ..."};
    return g == 1 ? longItems : shortItems;
}

TForm_qyr7prof::TForm_qyr7prof() : TStageDialogModel("TForm_qyr7prof", " DIMENSIONS OF GEAR-CUTTING TOOL")
{
    SetStandardCaptions();
    HelpTextNumber = 5400;
    HelpPictureNumber = 5400;
    const char* heads[] = {" gear S  (zS = ", " gear Pi (zPi = ", " gear Pe (zPe = ", " gear H (zH = "};
    const struct {
        const char* label;
        const char* longText;
        const char* shortText;
        uint16_t hint;
    } rows[] = {{"Label_hap", "Addendum of tool haP0/mn", "haP0/mn", 5420},
                {"Label_hfp", "Dedendum of tool hfP0/mn", "hfP0/mn", 5410},
                {"Label_rhoap", "Fillet radius of tool raP0/mn", "raPo/mn", 5470},
                {"Label_rhofp", "Root fillet radius of tool rfP0/mn", "rfP0/mn", 6035},
                {"Label_alprp", "Protuberance angle al.prP0", "al.prP0/mn", 5450},
                {"Label_prp", "Protuberance prP0/mn", "prP0/mn", 5460},
                {"Label_alkp", "Chamfer pressure angle.  al.kP0", "al.kP0/mn", 5430},
                {"Label_hffp", "Depth of chamfer hFfP0/mn", "hFfP0/mn", 5440}};
    TPlanetaryGears& p = PlanetaryGears;
    for (int g = 1; g <= 4; ++g) {
        Control(G("GroupBox", g)).Caption = heads[g - 1] + std::to_string(p.z[g]) + ") ";
        for (const auto& r : rows) {
            Control(G(r.label, g)).Caption = DisplayText(g == 1 ? r.longText : r.shortText);
            SetHint(G(r.label, g), r.hint);
        }
        Control(G("ComboBox", g));
        Bind(G("Edit_hap", g), TFieldKind::Sig3, &p.haP0_mn[g]);
        Bind(G("Edit_hfp", g), TFieldKind::Sig3, &p.hfP0_mn[g]);
        Bind(G("Edit_rhoap", g), TFieldKind::Sig3, &p.rhoaP0_mn[g]);
        Bind(G("Edit_rhofp", g), TFieldKind::Sig3, &p.rhofP0_mn[g]);
        Bind(G("Edit_alprp", g), TFieldKind::Sig3, &p.alphaprP0[g]);
        Bind(G("Edit_prp", g), TFieldKind::Sig3, &p.prP0_mn[g]);
        Bind(G("Edit_alkp", g), TFieldKind::Sig3, &p.alphakP0[g]);
        Bind(G("Edit_hffp", g), TFieldKind::Sig3, &p.hFfP0_mn[g]);
        Control(G("CheckBox_prot", g)).Caption = "Protuberance";
        Control(G("CheckBox_koka", g)).Caption = "chamfer";
        Control(G("Button_db", g)).Caption = "Database";
        Control(G("Button_online", g)).Caption = "Online";
    }
    Control("Button_help").Caption = "&Help Text";
    Control("Button_append1").Caption = "Append DBF";
    Control("Button_2gleich1").Caption = "Pi = S";
    Control("Button_3gleich1").Caption = "Pe = S";
    Control("Button_4gleich1").Caption = "H = S";
    Control("Button_schneidrad").Caption = "pinion cutter";
    Control("Button_calc").Caption = "Calc";
    AfterLoad = [this] { AfterLoadFields(); };
    AfterStore = [this] { AfterStoreFields(); };
    OnChanged = [this](const std::string& Name) {
        for (int g = 1; g <= 4; ++g)
            if (Name == G("ComboBox", g)) Preset(g);
        UpdateToolControls();
    };
    LoadFields();
}

int TForm_qyr7prof::ProfileIndex(int g)
{
    const auto& items = ProfileItems(g);
    const std::string& t = Control(G("ComboBox", g)).Text;
    for (size_t i = 0; i < items.size(); ++i)
        if (t == items[i]) return static_cast<int>(i);
    return -1;
}

std::string TForm_qyr7prof::GroupState(int g)
{
    std::string s = Control(G("ComboBox", g)).Text;
    for (const char* stem : {"CheckBox_prot", "CheckBox_koka"})
        s += Control(G(stem, g)).Checked ? "|1" : "|0";
    for (const char* stem : EditStems)
        s += "|" + Control(G(stem, g)).Text;
    return s;
}

void TForm_qyr7prof::AfterLoadFields()
{
    const TPlanetaryGears& p = PlanetaryGears;
    const Extended alpha = GearPair.alpha;
    for (int g = 1; g <= 4; ++g) {
        // A stored 0 (no profile chosen yet) shows as self-defined; the
        // record itself is only written by OK.
        int no = p.ToolProfileNo[g] == 0 ? 4 : p.ToolProfileNo[g];
        if (no < 1) no = 1;
        if (no > 4) no = 4;
        Control(G("ComboBox", g)).Text = ProfileItems(g)[no - 1];
        Control(G("CheckBox_prot", g)).Checked = std::fabs(static_cast<double>(p.prP0_mn[g])) > 1e-5;
        Control(G("CheckBox_koka", g)).Checked = std::fabs(static_cast<double>(p.alphakP0[g] - alpha)) > 1e-5;
        Control(G("Label_alkp", g) + "u").Caption = DisplayText(DegreeSign());
        Control(G("Label_alprp", g) + "u").Caption = DisplayText(DegreeSign());
    }
    UpdateToolControls();
    for (int g = 1; g <= 4; ++g)
        catalogueGroup_[g] = p.ToolProfileNo[g] == 0 ? GroupState(g) : std::string();
}

void TForm_qyr7prof::AfterStoreFields()
{
    TPlanetaryGears& p = PlanetaryGears;
    for (int g = 1; g <= 4; ++g) {
        // A tool picked from the catalogue and left as it was keeps its kind
        // 0 and its values, rather than a stored 0 becoming the self-defined
        // 4: the calculation empties the name of a tool typed in by hand, and
        // the catalogue tool's name would be gone from the project. A changed
        // value, box or list makes it a tool typed in by hand.
        if (p.ToolProfileNo[g] == 0 && !catalogueGroup_[g].empty() && GroupState(g) == catalogueGroup_[g])
            continue;
        const int i = ProfileIndex(g);
        if (i >= 0) p.ToolProfileNo[g] = i + 1;
        // Rows switched off store what they stand for, whatever their
        // hidden edits hold.
        if (!Control(G("CheckBox_koka", g)).Checked) {
            p.alphakP0[g] = GearPair.alpha;
            p.hFfP0_mn[g] = p.haP0_mn[g];
        }
        if (!Control(G("CheckBox_prot", g)).Checked) {
            p.alphaprP0[g] = 0;
            p.prP0_mn[g] = 0;
        }
    }
}

void TForm_qyr7prof::UpdateToolControls()
{
    for (int g = 1; g <= 4; ++g) {
        const bool own = ProfileIndex(g) >= 3;
        for (const char* stem : EditStems)
            Control(G(stem, g)).Enabled = own;
        for (const char* stem : {"CheckBox_prot", "CheckBox_koka", "Button_db", "Button_online"})
            Control(G(stem, g)).Enabled = own;
        if (g == 1) Control("Button_append1").Enabled = own;
        const bool prot = Control(G("CheckBox_prot", g)).Checked;
        for (const char* stem : {"Label_alprp", "Label_prp", "Edit_alprp", "Edit_prp"})
            Control(G(stem, g)).Visible = prot;
        Control(G("Label_alprp", g) + "u").Visible = prot;
        const bool koka = Control(G("CheckBox_koka", g)).Checked;
        for (const char* stem : {"Label_alkp", "Label_hffp", "Edit_alkp", "Edit_hffp"})
            Control(G(stem, g)).Visible = koka;
        Control(G("Label_alkp", g) + "u").Visible = koka;
    }
    Touch();
}

void TForm_qyr7prof::Preset(int g)
{
    const int i = ProfileIndex(g);
    if (i < 0 || i > 2) return;
    const char* rhoa[] = {"0.25", "0.38", "0.4"};
    Control(G("CheckBox_prot", g)).Checked = i == 2;
    Control(G("Edit_hap", g)).Text = i == 2 ? "1.4" : "1.25";
    Control(G("Edit_hfp", g)).Text = "1.0";
    Control(G("Edit_rhoap", g)).Text = rhoa[i];
    Control(G("Edit_alprp", g)).Text = i == 2 ? "6" : "0";
    Control(G("Edit_prp", g)).Text = i == 2 ? "0.02" : "0";
    Control(G("Edit_alkp", g)).Text = Sig3(GearPair.alpha);
    Control(G("Edit_hffp", g)).Text = "1";
    Control(G("Edit_rhofp", g)).Text = "0";
    Control(G("CheckBox_koka", g)).Checked = false;
}

void TForm_qyr7prof::CopyGearS(int g)
{
    // The lists differ in wording: the choice is copied, not the text.
    const int i = ProfileIndex(1);
    if (i >= 0) Control(G("ComboBox", g)).Text = ProfileItems(g)[i];
    for (const char* stem : {"CheckBox_prot", "CheckBox_koka"})
        Control(G(stem, g)).Checked = Control(G(stem, 1)).Checked;
    for (const char* stem : EditStems)
        Control(G(stem, g)).Text = Control(G(stem, 1)).Text;
    UpdateToolControls();
}

void TForm_qyr7prof::FromTable(int g)
{
    PlanetaryGears.ToolProfileNo[g] = 4;
    if (!StoreFields()) return;
    PlanetaryGears.ToolProfileNo[g] = 4;
    LoadMesh(MeshOf(g));
    SelectToolProfile(static_cast<uint16_t>(PairGear(g)), 1, static_cast<uint16_t>(g));
    StoreMesh(MeshOf(g));
    LoadFields();
    telmvar.Aborted = false;
}

void TForm_qyr7prof::Converter(int g)
{
    if (g == 1) {
        if (!StoreFields()) return;
    }
    PlanetaryGears.ToolProfileNo[g] = 4;
    LoadMesh(MeshOf(g));
    ShowBasicRackConverter(PairGear(g));
    StoreMesh(MeshOf(g));
    LoadFields();
    telmvar.Aborted = false;
}

platform::DialogAction TForm_qyr7prof::Press(const std::string& Name)
{
    using platform::DialogAction;
    for (int g = 1; g <= 4; ++g) {
        if (g >= 2 && Name == G("Button_", g) + "gleich1") {
            CopyGearS(g);
            return DialogAction::None;
        }
        if (Name == G("Button_db", g)) {
            FromTable(g);
            return DialogAction::None;
        }
        if (Name == G("Button_online", g)) {
            Converter(g);
            return DialogAction::None;
        }
    }
    if (Name == "Button_append1") {
        if (!StoreFields()) return DialogAction::None;
        LoadMesh(mSPi);
        AppendToolProfile(static_cast<uint16_t>(PairGear(1)));
        // The sun now uses the new record: keep that choice.
        StoreMesh(mSPi);
        if (!telmvar.Aborted) {
            const std::string& name = PlanetaryGears.ProfileName[1];
            ShowInfoBox("Tool profile " + (name.empty() ? std::string() : "\"" + name + "\" ") +
                        "stored as record " + std::to_string(PlanetaryGears.ToolRecordNo[1]) +
                        " of q1toolx.dbf.");
        }
        telmvar.Aborted = false;
        return DialogAction::None;
    }
    if (Name == "Button_schneidrad") {
        ShowPinionCutterDialog();
        return DialogAction::None;
    }
    if (Name == "Button_hilfebild") {
        if (!StoreFields()) return DialogAction::None;
    }
    return TStageDialogModel::Press(Name);
}

bool ShowToolProfileDialog()
{
    TForm_qyr7prof form;
    return RunModalDialog(form) == platform::DialogResult::Ok;
}
