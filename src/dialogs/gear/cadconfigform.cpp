#include "dialogs/gear/cadconfigform.h"

#include "dialogs/messageboxes.h"
#include "dialogs/prompts.h"
#include "foundation/codepage.h"
#include "foundation/numbertext.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "gearpair/gearpairdata.h"
#include "graphics/cadsettings.h"
#include "platform/platform.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

int ProposedBoltCount(int Z)
{
    return std::max(8, (std::abs(Z) / 20) * 4);
}

TForm_qyrconf::TForm_qyrconf(int GearIndex)
    : TStageDialogModel("TForm_qyrconf", ""), gear_(GearIndex == 2 ? 2 : 1)
{
    TGearPairData& p = GearPair;
    Control("Button_ok").Caption = "OK";
    Control("Button_cancel").Caption = "Cancel";
    Control("Button_help").Caption = "&Help";
    HelpTextNumber = 1000;
    const std::pair<const char*, const char*> captions[] = {
        {"Label_anzevolvpoints", "number of points for involute polycurve"},
        {"CheckBox_polyline", "involute curve as Polyline ?"},
        {"Label_xe", "gen.addend.modif.coef. xe"},
        {"CheckBox_durchmesser_anzeigen", "draw diameters ?"},
        {"CheckBox_jaDrawBohrHohlrad", "ring gear pitch circle ?"},
        {"Label_dlochkreis", "pitch circle diameter"},
        {"Label_dbohr", "borehole diameter"},
        {"Label_anzbohr", "no. bore"},
        {"Button_xe", "<"},
        {"Button_xemax", "< max"},
        {"Button_xemin", "< min"},
        {"Button1", "<"},
        {"Button_dbohr", "<"},
        {"Button_anzbohr", "<"},
    };
    for (const auto& [name, text] : captions)
        Control(name).Caption = DisplayText(text);
    // These two captions are shown as they are.
    Control("CheckBox_fussausrundung_zeichnen").Caption = "Tooth Root Trochoide";
    Control("CheckBox_jaDrawBohrung").Caption = "draw bore ?";
    for (const char* unit : {"Label_dlochkreisu", "Label_dbohru"})
        Control(unit).Caption = DisplayText(LengthUnitLabel());
    SetHint("edit_anzevolvpoints", 8300);
    SetHint("CheckBox_polyline", 8310);
    SetHint("Edit_xe", 8330);

    // Store order of the form; Edit_xe is stored by hand into both settings.
    auto& holes = p.RingFixingHoles;
    Bind("edit_anzevolvpoints", TFieldKind::Integer, &p.InvolutePoints);
    Bind("CheckBox_polyline", TFieldKind::Boolean, &cadsettings.CadPolylineAllowed);
    Bind("CheckBox_fussausrundung_zeichnen", TFieldKind::Boolean, &p.DrawRootCurve);
    Bind("CheckBox_jaDrawBohrung", TFieldKind::Boolean, &p.DrawGearBody);
    Bind("CheckBox_jaDrawBohrHohlrad", TFieldKind::Boolean, &holes.Enabled);
    Bind("Edit_dlochkreis", TFieldKind::Length, &holes.PitchCircleDiameter);
    Bind("Edit_dbohr", TFieldKind::Length, &holes.HoleDiameter);
    Bind("SpinEdit_anzbohr", TFieldKind::Integer, &holes.Count);
    AfterLoad = [this] {
        loadedXe_ = TrimBlanks(FloatToSignificant6(GearPair.x_pic[gear_]));
        Control("Edit_xe").Text = loadedXe_;
        Control("CheckBox_durchmesser_anzeigen").Checked = GearPair.DrawingConfiguration == 2;
    };
    LoadFields();
    UpdateBoltCircleVisibility();
}

std::string TForm_qyrconf::Caption() const
{
    return DisplayText(telmvar.ProgramTitle);
}

void TForm_qyrconf::UpdateBoltCircleVisibility()
{
    const TGearPairData& p = GearPair;
    const int g = gear_;
    const bool room = p.z[g] < 0 && p.dB[g] < p.df[g] - 2 * p.mn;
    Control("CheckBox_jaDrawBohrHohlrad").Visible = room;
    Control("GroupBox_bohr").Visible = room && Control("CheckBox_jaDrawBohrHohlrad").Checked;
    Touch();
}

bool TForm_qyrconf::StoreAll()
{
    platform::DialogControl& xe = Control("Edit_xe");
    const bool typed = xe.Text != loadedXe_;
    Extended x = 0;
    if (typed && !ReadFieldFloat(xe.Text, x)) {
        platform::CurrentPlatform().Bell().Beep();
        ShowErrorBox(InvalidInputText(AnsiTextToOem(xe.Text)));
        return false;
    }
    if (!StoreFields()) return false;
    TGearPairData& p = GearPair;
    // One profile shift for the involute and the tooth shape of this gear.
    if (typed) {
        p.x_pic[gear_] = x;
        p.xv_pic[gear_] = x;
    } else {
        p.xv_pic[gear_] = p.x_pic[gear_];
    }
    p.DrawingConfiguration = Control("CheckBox_durchmesser_anzeigen").Checked ? 2 : 1;
    return true;
}

platform::DialogAction TForm_qyrconf::Press(const std::string& Name)
{
    using platform::DialogAction;
    const TGearPairData& p = GearPair;
    const int g = gear_;
    auto put = [this](const char* edit, const std::string& text) {
        Control(edit).Text = TrimBlanks(text);
        Touch();
        return DialogAction::None;
    };
    if (Name == "Button_ok") {
        telmvar.Aborted = false;
        return StoreAll() ? DialogAction::Accept : DialogAction::None;
    }
    if (Name == "Button_xe") return put("Edit_xe", FloatToSignificant6(p.x_pic[g]));
    if (Name == "Button_xemax") return put("Edit_xe", FloatToSignificant6(p.xemax[g]));
    if (Name == "Button_xemin") return put("Edit_xe", FloatToSignificant6(p.xemin[g]));
    // The holes sit halfway between root circle and bore, a third of that
    // rim wide (diameters of a ring gear are negative).
    if (Name == "Button1") return put("Edit_dlochkreis", LengthToText(std::fabs(p.df[g] + p.dB[g]) / 2));
    if (Name == "Button_dbohr") return put("Edit_dbohr", LengthToText((p.df[g] - p.dB[g]) * 0.3L));
    if (Name == "Button_anzbohr") return put("SpinEdit_anzbohr", IntToText(ProposedBoltCount(p.z[g])));
    return TStageDialogModel::Press(Name);
}

void TForm_qyrconf::Changed(const std::string& Name)
{
    if (Loading()) return;
    if (Name == "CheckBox_jaDrawBohrHohlrad") UpdateBoltCircleVisibility();
}

bool ShowCadGearConfigDialog(int Gear)
{
    GearPair.DrawingConfiguration = 1;
    TForm_qyrconf form(Gear);
    return RunModalDialog(form) == platform::DialogResult::Ok;
}
