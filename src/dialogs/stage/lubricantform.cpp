#include "dialogs/stage/lubricantform.h"

#include "foundation/codepage.h"
#include "foundation/numbertext.h"
#include "foundation/textutil.h"
#include "foundation/unitsys.h"
#include "gearpair/gearpairdata.h"
#include "gearpair/viscosity.h"

#include <cmath>

namespace
{

std::string AtTemperature(const char* Text, const char* Temperature)
{
    // The degree sign is a DOS byte; the label shows it display-converted.
    return DisplayText(std::string(Text) + Temperature + "\xF8" + "C");
}

} // namespace

TForm_qyr1visk::TForm_qyr1visk() : TStageDialogModel("TForm_qyr1visk", "lubrication fluid")
{
    Control("Button_ok").Caption = "OK";
    Control("Button_cancel").Caption = "Cancel";
    Control("Button_help").Caption = "&Help";
    Control("Button_hilfebild").Caption = "Aux. &Image";
    HelpTextNumber = 9155;
    HelpPictureNumber = 9155;
    Control("Label_name").Caption = "lubrication fluid";
    Control("Label_visko40").Caption = AtTemperature("nominal lubricant viscosity at", " 40");
    Control("Label_visko50").Caption = AtTemperature("nominal lubricant viscosity at", " 50");
    Control("Label_visko100").Caption = AtTemperature("nominal lubricant viscosity at", " 100");
    Control("Label_rho").Caption = AtTemperature("lubricant density at", " 15");
    Control("Label_temp").Caption = "Oil working temperature";
    for (const char* u : {"Label_visko40u", "Label_visko50u", "Label_visko100u"})
        Control(u).Caption = DisplayText(ViscosityUnitLabel());
    // The density is held in kg/dm3 in every unit system.
    Control("Label_rhou").Caption = DisplayText(DensityUnitLabel());
    for (const char* b : {"Button_visko40", "Button_visko50", "Button_visko100", "Button_rho", "Button_temp"})
        Control(b).Caption = "<";
    Control("Label_viskot").Caption = "";
    TGearPairData& p = GearPair;
    Bind("Edit_name", TFieldKind::Text, &p.LubricantName);
    Bind("Edit_visko40", TFieldKind::Sig3, &p.v40);
    Bind("Edit_visko50", TFieldKind::Sig3, &p.v50);
    Bind("Edit_visko100", TFieldKind::Sig3, &p.v100);
    Bind("Edit_rho", TFieldKind::Sig3, &p.rho15);
    Bind("Edit_temp", TFieldKind::Temperature, &p.TOil);
    AfterLoad = [this] {
        Control("Label_tempu").Caption = DisplayText(TemperatureUnitLabel());
        WorkingViscosity();
    };
    // The fields are loaded once, when the form is made, not each time it
    // becomes the active window: the aux. image brought to the front and
    // left again would otherwise put the stored values back over what the
    // user has typed so far.
    LoadFields();
}

void TForm_qyr1visk::WorkingViscosity()
{
    // The temperature is read in the unit it is shown in (deg F in the inch
    // system) and named with that unit.
    const std::string tText = TrimBlanks(Control("Edit_temp").Text);
    const Extended t = TextToTemperature(tText);
    Extended nu = 0;
    std::string& label = Control("Label_viskot").Caption;
    if (Typed(Control("Edit_visko100")) > 0 && TryViscosityAt(Typed(Control("Edit_visko100")), 100, t, nu))
        label = DisplayText("Lubricant viscosity at " + tText + TemperatureUnitLabel() + ": " +
                            TrimBlanks(FloatToSignificant(nu)) + " mm\xFD/s");
    else
        label.clear();
}

void TForm_qyr1visk::Changed(const std::string& Name)
{
    if (Loading()) return;
    if (Name == "Edit_temp" || Name == "Edit_visko100") WorkingViscosity();
    Touch();
}

platform::DialogAction TForm_qyr1visk::Press(const std::string& Name)
{
    using platform::DialogAction;
    auto derive = [this](const char* source, Extended tRef, Extended t, const char* target) {
        Extended nu = 0;
        if (TryViscosityAt(Typed(Control(source)), tRef, t, nu))
            Control(target).Text = TrimBlanks(FloatToSignificant(nu));
    };
    if (Name == "Button_visko40") {
        derive("Edit_visko50", 50, 40, "Edit_visko40");
    } else if (Name == "Button_visko50") {
        derive("Edit_visko40", 40, 50, "Edit_visko50");
    } else if (Name == "Button_visko100") {
        derive("Edit_visko50", 50, 100, "Edit_visko100");
        WorkingViscosity();
    } else if (Name == "Button_rho") {
        Control("Edit_rho").Text = "0.9";
    } else if (Name == "Button_temp") {
        Control("Edit_temp").Text = "80";
        WorkingViscosity();
    } else {
        return TStageDialogModel::Press(Name);
    }
    Touch();
    return DialogAction::None;
}
