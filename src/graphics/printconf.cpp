#include "graphics/printconf.h"

#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "graphics/graphmapping.h"
#include "graphics/graphwindow.h"
#include "platform/platform.h"
#include "reports/engine/reportservices.h"
#include "reports/textview/printsettings.h"
#include "xbase/access/tableaccess.h"

#include <cmath>
#include <fstream>

namespace
{

struct TFieldBounds {
    const char* Edit;
    const char* Label;
    const char* Text;
    Extended Min;
    Extended Max;
    const char* MinText;
    const char* MaxText;
    bool Whole;
};

// Scales down to the smallest drawing scale the program offers, up to a
// hundredfold enlargement; origins within the long side of an A4 sheet.
const TFieldBounds Bounds[] = {
    {"Edit_scalex", "Label_scalex", "Scale x", 0.0001L, 100.0L, "0.0001", "100", false},
    {"Edit_scaley", "Label_scaley", "Scale y", 0.0001L, 100.0L, "0.0001", "100", false},
    {"Edit_xorigin", "Label_xorigin", "Origin x", -297.0L, 297.0L, "-297", "297", true},
    {"Edit_yorigin", "Label_yorigin", "Origin y", -297.0L, 297.0L, "-297", "297", true},
};

const std::vector<std::string> OrientationItems = {"Portrait", "Landscape"};
const std::vector<std::string> ShadingItems = {"Monochrome", "grey-scale / Color"};

void Say(const std::string& text)
{
    platform::CurrentPlatform().Messages().ShowOk("", DisplayText(text), platform::MessageIcon::Warning);
}

} // namespace

TForm_printconf::TForm_printconf()
{
    TPrintSettings& p = printsettings;
    for (const auto& b : Bounds)
        Control(b.Label).Caption = DisplayText(b.Text);
    Bind("Edit_scalex", TFieldKind::Sig3, &p.PrintScaleX);
    Bind("Edit_scaley", TFieldKind::Sig3, &p.PrintScaleY);
    Bind("Edit_xorigin", TFieldKind::WholeNumber, &p.PrintOriginX);
    Bind("Edit_yorigin", TFieldKind::WholeNumber, &p.PrintOriginY);
    BindChoice("RadioGroup_hochquer", TFieldKind::Radio, &Hochquer, OrientationItems);
    BindChoice("RadioGroup_printmono", TFieldKind::Radio, &Printmono, ShadingItems);
    Bind("CheckBox_umrandung", TFieldKind::Boolean, &p.PrintBorder);
    Control("RadioGroup_hochquer").Caption = DisplayText("Printout");
    Control("RadioGroup_printmono").Caption = DisplayText("shading");
    for (std::size_t i = 0; i < 2; ++i) {
        Control("RadioGroup_hochquer_" + std::to_string(i)).Caption = OrientationItems[i];
        Control("RadioGroup_printmono_" + std::to_string(i)).Caption = ShadingItems[i];
    }
    Control("CheckBox_anpassen").Caption = DisplayText("fit limits");
    Control("CheckBox_umrandung").Caption = DisplayText("Border line");
    Control("Button_db").Caption = DisplayText("Database");
    Control("Button_append").Caption = DisplayText("&Apply ") + DisplayText("Database");
    Control("Button_printer").Caption = DisplayText("Printer") + "...";
    Control("Label_printer");
    Control("Button_ok").Caption = "OK";
    Control("Button_cancel").Caption = "Cancel";
    Control("Button_help").Caption = "&Help";
    switch (p.GraphContentKind) {
    case 2:
        // A drawing sheet fills the page at this scale, upright.
        p.PrintScaleX = 1.9;
        p.PrintScaleY = 1.0;
        p.PrintOriginX = 0;
        p.PrintOriginY = 0;
        p.PrintBorder = false;
        p.PrintOrientation = 1;
        break;
    case 0:
    case 1:
    case 3:
        p.PrintScaleX = p.DefPrintScaleX;
        p.PrintScaleY = p.DefPrintScaleY;
        p.PrintOriginX = p.DefPrintOriginX;
        p.PrintOriginY = p.DefPrintOriginY;
        p.PrintBorder = p.DefPrintBorder;
        p.PrintOrientation = p.DefPrintOrientation;
        break;
    default:
        break;
    }
    ShowValues();
}

void TForm_printconf::ShowValues()
{
    Printmono = telmvar.PrintColorMode >= 2 ? 1 : 0;
    Hochquer = printsettings.PrintOrientation >= 2 ? 1 : 0;
    LoadFields();
}

void TForm_printconf::ShowChoices()
{
    for (int i = 0; i < 2; ++i) {
        Control("RadioGroup_hochquer_" + std::to_string(i)).Checked = i == Hochquer;
        Control("RadioGroup_printmono_" + std::to_string(i)).Checked = i == Printmono;
    }
    Touch();
}

void TForm_printconf::Changed(const std::string& name)
{
    // A button of a group chooses at once: Apply Database stores the choice
    // before OK.
    for (int i = 0; i < 2; ++i) {
        if (name == "RadioGroup_hochquer_" + std::to_string(i) && Control(name).Checked) Hochquer = i;
        if (name == "RadioGroup_printmono_" + std::to_string(i) && Control(name).Checked) Printmono = i;
    }
}

void TForm_printconf::FormActivate()
{
    Control("Label_printer").Caption = FitRight(PrinterName ? PrinterName() : std::string(), 40);
    Touch();
}

void TForm_printconf::ButtonPrinter()
{
    if (platform::CurrentPlatform().Print().ChoosePrinter()) FormActivate();
}

bool TForm_printconf::OpenTable()
{
    telmvar.Aborted = false;
    const std::string local = AddTrailingBackslash(wtelmvar.WorkingDir) + "printout.dbf";
    std::ifstream probe(local, std::ios::binary);
    if (!wtelmvar.WorkingDir.empty() && probe) {
        probe.close();
        DbfOpenFile(local);
        if (!dbf4.tzdbf.Active()) telmvar.Aborted = true;
    } else {
        DbfOpen("printout");
    }
    return !telmvar.Aborted;
}

bool TForm_printconf::ButtonDb()
{
    bool loaded = false;
    if (OpenTable()) {
        DbfSetTitles("Printout", "Printout");
        if (printsettings.PrinterDbRecord != 0) DbfGo(printsettings.PrinterDbRecord);
        telmvar.HelpNumber = 1040;
        DbfBrowse("", 0);
        if (!telmvar.Aborted) {
            printsettings.PrinterDbRecord = static_cast<uint16_t>(DbfRecNo());
            Control("Edit_scalex").Text = TrimBlanks(DbfFieldText(2));
            Control("Edit_scaley").Text = TrimBlanks(DbfFieldText(3));
            Control("Edit_xorigin").Text = TrimBlanks(DbfFieldText(4));
            Control("Edit_yorigin").Text = TrimBlanks(DbfFieldText(5));
            Hochquer = DbfFieldBoolByName("landscape") ? 1 : 0;
            Printmono = DbfFieldBoolByName("monochrom") ? 0 : 1;
            Control("CheckBox_anpassen").Checked = DbfFieldBoolByName("variable");
            Control("CheckBox_umrandung").Checked = DbfFieldBoolByName("borderline");
            loaded = true;
            ShowChoices();
        }
    }
    DbfClose();
    // A cancelled pick leaves the dialog usable.
    telmvar.Aborted = false;
    return loaded;
}

std::string TForm_printconf::CheckFields() const
{
    for (const auto& b : Bounds) {
        Extended v = 0;
        const bool number = TryTextToFloat(TrimBlanks(EditText(b.Edit)), v);
        if (!number || !std::isfinite(static_cast<double>(v)) || v < b.Min || v > b.Max ||
            (b.Whole && v != std::floor(v)))
            return std::string(b.Text) + ": " + b.MinText + " .. " + b.MaxText + " !";
    }
    return {};
}

bool TForm_printconf::ButtonAppend()
{
    const std::string refused = CheckFields();
    if (!refused.empty()) {
        Say(refused);
        return false;
    }
    bool stored = false;
    if (OpenTable()) {
        platform::TextPromptRequest r;
        r.Prompt = DisplayText("Name");
        r.MaxLength = 25;
        const auto name = platform::CurrentPlatform().Prompt().AskText(r);
        if (!name) {
            telmvar.Aborted = true;
        } else {
            DbfSetFieldTextByName("name", name->substr(0, 25));
            DbfSetFieldFloatByName("xscale",
                                   static_cast<double>(TextToFloat(TrimBlanks(EditText("Edit_scalex")))));
            DbfSetFieldFloatByName("yscale",
                                   static_cast<double>(TextToFloat(TrimBlanks(EditText("Edit_scaley")))));
            DbfSetFieldIntByName("xorigin",
                                 static_cast<int32_t>(TextToFloat(TrimBlanks(EditText("Edit_xorigin")))));
            DbfSetFieldIntByName("yorigin",
                                 static_cast<int32_t>(TextToFloat(TrimBlanks(EditText("Edit_yorigin")))));
            DbfSetFieldBoolByName("landscape", Hochquer == 1);
            DbfSetFieldBoolByName("monochrom", Printmono == 0);
            DbfSetFieldBoolByName("variable", FindControl("CheckBox_anpassen")->Checked);
            DbfSetFieldBoolByName("borderline", FindControl("CheckBox_umrandung")->Checked);
            stored = DbfAppendRecord();
        }
    }
    DbfClose();
    return stored;
}

platform::DialogAction TForm_printconf::ButtonOk()
{
    telmvar.Aborted = false;
    const std::string refused = CheckFields();
    if (!refused.empty()) {
        Say(refused);
        return platform::DialogAction::None;
    }
    TPrintSettings& p = printsettings;
    // The fields the user left alone keep their values.
    StoreFields();
    telmvar.PrintColorMode = static_cast<uint16_t>(Printmono + 1);
    p.PrintOrientation = static_cast<uint16_t>(Hochquer + 1);
    platform::CurrentPlatform().Print().SetOrientation(
        p.PrintOrientation == 1 ? platform::PageOrientation::Portrait : platform::PageOrientation::Landscape);
    if (FindControl("CheckBox_anpassen")->Checked) {
        graphmapping.RestoreLimit();
        graphmapping.ResetZoom();
        graphmapping.ReSetWindow();
        FTelmgra.ClearViewPort();
    }
    // The screen shows the picture first; the printout replays the same list.
    FTelmgra.ClearViewPort();
    // A printout that did not start, or whose file could not be written,
    // keeps the dialog open, showing where it would print now, so that
    // another printer can be chosen or the dialog cancelled.
    // The print job is named for the project as the program's texts show it.
    if (!FTelmgra.PrintPicture(DisplayText(FileNameToOem(telmvar.ProjectName)))) {
        telmvar.Aborted = false;
        FormActivate();
        return platform::DialogAction::None;
    }
    return platform::DialogAction::Accept;
}

platform::DialogAction TForm_printconf::Press(const std::string& name)
{
    using platform::DialogAction;
    if (name == "Button_ok") return ButtonOk();
    if (name == "Button_cancel" || name == "Escape") {
        telmvar.Aborted = true;
        // A file that "Printer..." took was asked about for this printout
        // only: the next one onto it asks again.
        platform::CurrentPlatform().Print().DropDialogChoice();
        return DialogAction::Reject;
    }
    if (name == "Button_db")
        ButtonDb();
    else if (name == "Button_append")
        ButtonAppend();
    else if (name == "Button_printer")
        ButtonPrinter();
    else if (name == "Button_help")
        reportservices.ShowHelpText(1030, 0, 1);
    return DialogAction::None;
}

bool PrintGraphicsWithSettings()
{
    TForm_printconf form;
    form.FormActivate();
    if (platform::CurrentPlatform().Dialogs().RunModal(form) != platform::DialogResult::Ok) {
        telmvar.Aborted = true;
        return false;
    }
    return !telmvar.Aborted;
}
