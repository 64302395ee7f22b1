#include "dialogs/gear/drawingconfigform.h"

#include "dialogs/messageboxes.h"
#include "dialogs/prompts.h"
#include "foundation/codepage.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/geometry/animation.h"
#include "graphics/cadsettings.h"
#include "platform/platform.h"

#include <cmath>

namespace
{

int ItemIndex(const std::vector<std::string>& Items, const std::string& Text)
{
    for (std::size_t i = 0; i < Items.size(); ++i)
        if (DisplayText(Items[i]) == Text) return static_cast<int>(i);
    return 0;
}

// The picture's centre distance: three decimals in mm, four in inch.
std::string CentreDistanceText(Extended A)
{
    return TrimBlanks(LengthToTextDecimals(3, A));
}

} // namespace

const std::vector<std::string>& TForm_qyr1conf::XeItems()
{
    static const std::vector<std::string> items{"xe ...",
                                                "mean torsional backlash premach.",
                                                "min.torsional backlash premach.",
                                                "max.torsional backlash premach.",
                                                "mean torsional backlash fin.",
                                                "min.torsional backlash fin.",
                                                "max.torsional backlash fin."};
    return items;
}

const std::vector<std::string>& TForm_qyr1conf::AItems()
{
    static const std::vector<std::string> items{"a ...", "Nom.", "Max.", "Min."};
    return items;
}

TForm_qyr1conf::TForm_qyr1conf() : TStageDialogModel("TForm_qyr1conf", "")
{
    TGearPairData& p = GearPair;
    Control("Button_ok").Caption = "OK";
    Control("Button_cancel").Caption = "Cancel";
    Control("Button_help").Caption = "&Help Text";
    Control("Button_reset").Caption = "<";
    HelpTextNumber = 3500;
    const std::pair<const char*, const char*> captions[] = {
        {"CheckBox_fussausrundung_zeichnen", "draw tooth root curve ?"},
        {"Label_aufloesung_fussausrundung", "fillet resolution"},
        {"Label_anzevolvpoints", "number of points for involute polycurve"},
        {"CheckBox_polyline", "involute curve as Polyline ?"},
        {"Label_anzhohl", "no. tooth shape ring gear"},
        {"Label_anzhull", "no. tooth shape spur gear"},
        {"CheckBox_durchmesser_anzeigen", "draw diameters ?"},
        {"CheckBox_jaDrawBohrung", "draw bore ?"},
        {"Label_gear1", "gear 1"},
        {"Label_gear2", "gear 2"},
        {"Label_xee", "gen.addend.modif.coef. involute xee"},
        {"Label_xeh", "gen.addend.modif.coef. tooth shape xeh"},
        {"Label_a", "center distance a"},
        {"Label_wdreh", "angle of rotation gear 1"},
        {"Button_wdrehc", "C"},
        {"Button_wdreha", "A"},
        {"Button_wdrehe", "E"},
        {"SpinButton_wdrehUp", "+"},
        {"SpinButton_wdrehDown", "-"},
    };
    for (const auto& [name, text] : captions)
        Control(name).Caption = DisplayText(text);
    Control("Label_au").Caption = DisplayText(LengthUnitLabel());
    Control("Label_wdrehu").Caption = DisplayText(DegreeSign());
    const std::pair<const char*, uint16_t> hints[] = {{"CheckBox_fussausrundung_zeichnen", 8380},
                                                      {"edit_anzevolvpoints", 8300},
                                                      {"CheckBox_polyline", 8310},
                                                      {"edit_anzhohl", 8320},
                                                      {"edit_anzhull", 8325},
                                                      {"edit_aufloesung_fussausrundung", 8345},
                                                      {"Edit_xee1", 8330},
                                                      {"Edit_xee2", 8330},
                                                      {"Edit_xeh1", 8340},
                                                      {"Edit_xeh2", 8340},
                                                      {"Edit_a", 8350},
                                                      {"Edit_wdreh1", 8370}};
    for (const auto& [name, no] : hints)
        SetHint(name, no);

    // Store order of the form.
    Bind("CheckBox_fussausrundung_zeichnen", TFieldKind::Boolean, &p.DrawRootCurve);
    Bind("edit_aufloesung_fussausrundung", TFieldKind::Integer, &p.FilletResolution);
    Bind("edit_anzevolvpoints", TFieldKind::Integer, &p.InvolutePoints);
    Bind("CheckBox_polyline", TFieldKind::Boolean, &cadsettings.CadPolylineAllowed);
    Bind("edit_anzhohl", TFieldKind::Integer, &p.RingToothShapes);
    Bind("edit_anzhull", TFieldKind::Integer, &p.GearToothShapes);
    Bind("CheckBox_jaDrawBohrung", TFieldKind::Boolean, &p.DrawGearBody);
    Bind("Edit_xee1", TFieldKind::Sig6, &p.x_pic[1]);
    Bind("Edit_xee2", TFieldKind::Sig6, &p.x_pic[2]);
    Bind("Edit_xeh1", TFieldKind::Sig6, &p.xv_pic[1]);
    Bind("Edit_xeh2", TFieldKind::Sig6, &p.xv_pic[2]);
    Bind("Edit_wdreh1", TFieldKind::Sig3, &p.MeshRotationAngle);
    AfterLoad = [this] { LoadExtras(); };
    for (const char* combo : {"ComboBox_xee", "ComboBox_xeh"})
        Control(combo).Text = DisplayText(XeItems()[0]);
    Control("ComboBox_a").Text = DisplayText(AItems()[0]);
    LoadFields();
    // The fillet resolution is open at first, whatever the box says; its
    // clicks switch it from then on.
    Control("edit_aufloesung_fussausrundung").Enabled = true;
}

std::string TForm_qyr1conf::Caption() const
{
    return DisplayText(telmvar.ProgramName);
}

// The diameters box and the centre distance are not plain bindings: the box
// stands for the codes 2 and 1, the distance has its own decimals.
void TForm_qyr1conf::LoadExtras()
{
    Control("CheckBox_durchmesser_anzeigen").Checked = GearPair.DrawingConfiguration == 2;
    loadedA_ = CentreDistanceText(GearPair.a_pic);
    Control("Edit_a").Text = loadedA_;
}

bool TForm_qyr1conf::StoreExtras()
{
    const std::string a = TrimBlanks(Control("Edit_a").Text);
    Extended value = 0;
    if (Control("Edit_a").Text != loadedA_ && !ReadFieldFloat(a, value)) {
        platform::CurrentPlatform().Bell().Beep();
        ShowErrorBox(InvalidInputText(AnsiTextToOem(Control("Edit_a").Text)));
        return false;
    }
    if (!StoreFields()) return false;
    if (Control("Edit_a").Text != loadedA_) GearPair.a_pic = TextToLength(a);
    GearPair.DrawingConfiguration = Control("CheckBox_durchmesser_anzeigen").Checked ? 2 : 1;
    return true;
}

void TForm_qyr1conf::ApplyXeChoice(const std::string& Row)
{
    const TGearPairData& p = GearPair;
    const int item = ItemIndex(XeItems(), Control("ComboBox_" + Row).Text);
    for (int g = 1; g <= 2; ++g) {
        platform::DialogControl& edit = Control("Edit_" + Row + std::to_string(g));
        edit.Enabled = item == 0;
        Extended x = 0;
        switch (item) {
        case 0:
            continue; // free input: the text stays
        case 1:
            x = (p.xevmin[g] + p.xevmax[g]) / 2;
            break;
        // The smallest backlash belongs to the largest profile shift.
        case 2:
            x = p.xevmax[g];
            break;
        case 3:
            x = p.xevmin[g];
            break;
        case 4:
            x = (p.xemin[g] + p.xemax[g]) / 2;
            break;
        case 5:
            x = p.xemax[g];
            break;
        default:
            x = p.xemin[g];
            break;
        }
        edit.Text = TrimBlanks(FloatToSignificant6(x));
    }
    Touch();
}

void TForm_qyr1conf::ApplyAChoice()
{
    const TGearPairData& p = GearPair;
    const int item = ItemIndex(AItems(), Control("ComboBox_a").Text);
    platform::DialogControl& edit = Control("Edit_a");
    edit.Enabled = item == 0;
    if (item == 1) edit.Text = TrimBlanks(LengthToText6(p.a));
    if (item == 2) edit.Text = TrimBlanks(LengthToText6(p.a + p.Aa));
    if (item == 3) edit.Text = TrimBlanks(LengthToText6(p.a + p.Aai));
    Touch();
}

void TForm_qyr1conf::StepRotation(int Direction)
{
    // One step turns gear 1 by a twentieth of its pitch angle; without a
    // tooth number there is no pitch to step by.
    const int z1 = GearPair.z[1];
    if (z1 == 0) return;
    platform::DialogControl& edit = Control("Edit_wdreh1");
    const Extended angle = TextToFloat(TrimBlanks(edit.Text)) + Direction * 20.0L / z1;
    edit.Text = TrimBlanks(FloatToSignificant(angle));
    Touch();
}

platform::DialogAction TForm_qyr1conf::Press(const std::string& Name)
{
    using platform::DialogAction;
    const TGearPairData& p = GearPair;
    if (Name == "Button_ok") {
        telmvar.Aborted = false;
        return StoreExtras() ? DialogAction::Accept : DialogAction::None;
    }
    if (Name == "SpinButton_wdrehUp" || Name == "SpinButton_wdrehDown") {
        StepRotation(Name == "SpinButton_wdrehUp" ? 1 : -1);
        return DialogAction::None;
    }
    if (Name == "Button_wdrehc" || Name == "Button_wdreha" || Name == "Button_wdrehe") {
        const Extended angle = Name == "Button_wdrehc"   ? p.phi_c
                               : Name == "Button_wdreha" ? p.phi_a
                                                         : p.phi_e;
        Control("Edit_wdreh1").Text = TrimBlanks(FloatToSignificant(angle));
        Touch();
        return DialogAction::None;
    }
    if (Name == "Button_reset") {
        SetAnimationAngles();
        for (const char* combo : {"ComboBox_xee", "ComboBox_xeh"})
            Control(combo).Text = DisplayText(XeItems()[0]);
        Control("ComboBox_a").Text = DisplayText(AItems()[0]);
        for (const char* edit : {"Edit_xee1", "Edit_xee2", "Edit_xeh1", "Edit_xeh2", "Edit_a"})
            Control(edit).Enabled = true;
        LoadFields();
        return DialogAction::None;
    }
    return TStageDialogModel::Press(Name);
}

void TForm_qyr1conf::Changed(const std::string& Name)
{
    if (Loading()) return;
    if (Name == "ComboBox_xee") ApplyXeChoice("xee");
    if (Name == "ComboBox_xeh") ApplyXeChoice("xeh");
    if (Name == "ComboBox_a") ApplyAChoice();
    if (Name == "CheckBox_fussausrundung_zeichnen") {
        Control("edit_aufloesung_fussausrundung").Enabled = Control(Name).Checked;
        Touch();
    }
}

bool ShowGearDrawingConfigDialog()
{
    TForm_qyr1conf form;
    return RunModalDialog(form) == platform::DialogResult::Ok;
}
