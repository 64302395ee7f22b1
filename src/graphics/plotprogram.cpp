#include "graphics/plotprogram.h"

#include "foundation/fileutil.h"
#include "foundation/numbertext.h"
#include "foundation/pathsplit.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "graphics/graphservices.h"
#include "platform/platform.h"
#include "reports/engine/reportservices.h"

#include <algorithm>
#include <cmath>

const std::array<const char*, 35> PsFontNames = {"Times-Roman",
                                                 "Times-Italic",
                                                 "Times-Bold",
                                                 "Times-BoldItalic",
                                                 "Helvetica",
                                                 "Helvetica-Oblique",
                                                 "Helvetica-Bold",
                                                 "Helvetica-BoldOblique",
                                                 "Helvetica-Narrow",
                                                 "Helvetica-Narrow-Oblique",
                                                 "Helvetica-Narrow-Bold",
                                                 "Helvetica-Narrow-BoldOblique",
                                                 "Courier",
                                                 "Courier-Oblique",
                                                 "Courier-Bold",
                                                 "Courier-BoldOblique",
                                                 "Palatino-Roman",
                                                 "Palatino-Italic",
                                                 "Palatino-Bold",
                                                 "Palatino-BoldItalic",
                                                 "AvantGarde-Book",
                                                 "AvantGarde-Demi",
                                                 "AvantGarde-BookOblique",
                                                 "AvantGarde-DemiOblique",
                                                 "Bookman-Light",
                                                 "Bookman-Demi",
                                                 "Bookman-LightItalic",
                                                 "Bookman-DemiItalic",
                                                 "NewCenturySchlbk-Roman",
                                                 "NewCenturySchlbk-Bold",
                                                 "NewCenturySchlbk-Italic",
                                                 "NewCenturySchlbk-BoldItalic",
                                                 "ZapfChancery-MediumItalic",
                                                 "Symbol",
                                                 "other fonts"};

namespace
{

const std::vector<std::string> OutCodeItems = {"HP-GL Laserjet (HPL)", "Postscript (PS)",
                                               "HP-GL Plotter (PLT)", "HP-GL/2 (PL2)", "Aristo (ART)"};
const std::vector<std::string> InterfaceItems = {"seriell", "parallel", "Datei"};

std::string Item(const std::string& Group, int I)
{
    return Group + "_" + std::to_string(I);
}

} // namespace

TConfKorviltModel::TConfKorviltModel() : outDir_(telmvar.TempDir)
{
    auto caption = [this](const std::string& Name, const std::string& Text) { Control(Name).Caption = Text; };
    auto text = [this](const std::string& Name, std::string* Field) {
        Bind(Name, TFieldKind::RawText, Field);
    };
    // The program and the output directory are names as the file system has
    // them, and so is the command line built of them.
    caption("Label_korviltPath", "KORVILT Program directory");
    Bind("Edit_korviltPath", TFieldKind::FileName, &program_);
    caption("Button_korviltpath", "...");
    caption("Label_outdir", "output directory");
    Bind("Edit_outdir", TFieldKind::FileName, &outDir_);
    caption("Button_outDir", "Dir...");
    caption("Button_tempdir", "<");
    BindChoice("RadioGroup_outcode", TFieldKind::Radio, &destination_, OutCodeItems);
    caption("RadioGroup_outcode", "destination code");
    for (int i = 0; i < 5; ++i)
        caption(Item("RadioGroup_outcode", i), OutCodeItems[i]);
    BindChoice("RadioGroup_d", TFieldKind::Radio, &interface_, InterfaceItems);
    caption("RadioGroup_d", "output interface");
    for (int i = 0; i < 3; ++i)
        caption(Item("RadioGroup_d", i), InterfaceItems[i]);
    caption("Label_com", "COM");
    text("Edit_com", &com_);
    caption("Label_lpt", "LPT");
    text("Edit_lpt", &lpt_);
    caption("Label_scale", "scale");
    text("Edit_scale", &scale_);
    caption("Label_scale1", ": 1");
    Bind("CheckBox_scale", TFieldKind::Boolean, &fitLimits_);
    caption("CheckBox_scale", "scale fit limits ?");
    Bind("CheckBox_rotate", TFieldKind::Boolean, &rotate_);
    caption("CheckBox_rotate", "rotate 90 degrees ?");
    caption("Label_xnull", "reference point shifting x direction");
    text("Edit_xnull", &xShift_);
    caption("Label_ynull", "reference point shifting y direction");
    text("Edit_ynull", &yShift_);
    caption("Label_textbreitenfaktor", "Textwidth/height");
    text("Edit_textbreitenfaktor", &textWidth_);
    caption("Label_psfont", "Postscript font");
    text("ComboBox_psfont", &font_);
    caption("Label_commandline", "");
    Control("Label_commandline").FileName = true;
    caption("Button_help", "&Help");
    caption("Button_cancel", "Cancel");
    caption("Button_ok", "OK");

    if (telmvar.HelpLevel > 0 && graphservices.ReadHelpHint) {
        const std::pair<const char*, int> hints[] = {
            {"Edit_korviltPath", 2080},   {"Button_korviltpath", 2080},
            {"RadioGroup_outcode", 2090}, {"RadioGroup_d", 2120},
            {"Edit_com", 2120},           {"Edit_lpt", 2120},
            {"Edit_outdir", 2130},        {"Button_outDir", 2130},
            {"Edit_scale", 2140},         {"CheckBox_scale", 2140},
            {"CheckBox_rotate", 2145},    {"Edit_xnull", 2150},
            {"Edit_ynull", 2150},         {"Edit_textbreitenfaktor", 2160},
            {"ComboBox_psfont", 2280}};
        for (const auto& [name, no] : hints) {
            Control(name).Hint = graphservices.ReadHelpHint(no);
            Control(name).HintNumber = no;
        }
    }
    LoadFields();
    ApplyRules();
    Rebuild();
}

std::string TConfKorviltModel::Text(const std::string& Name) const
{
    const platform::DialogControl* c = FindControl(Name);
    return c ? c->Text : std::string();
}

void TConfKorviltModel::SetCommandLine(const std::string& Line)
{
    commandLine_ = Line;
    Control("Label_commandline").Caption = Line;
    Touch();
}

void TConfKorviltModel::SetDestination(int Index)
{
    Choose("RadioGroup_outcode", 5, Index >= 0 && Index < 5 ? Index : 0);
}

void TConfKorviltModel::SetInterface(int Index)
{
    Choose("RadioGroup_d", 3, Index >= 0 && Index < 3 ? Index : 1);
}

void TConfKorviltModel::Choose(const std::string& Group, int Count, int Index)
{
    for (int i = 0; i < Count; ++i)
        Control(Item(Group, i)).Checked = i == Index;
    Changed(Item(Group, Index));
}

void TConfKorviltModel::SetField(const std::string& Name, const std::string& Text)
{
    Control(Name).Text = Text;
    Changed(Name);
}

void TConfKorviltModel::SetCheck(const std::string& Name, bool On)
{
    Control(Name).Checked = On;
    Changed(Name);
}

void TConfKorviltModel::ApplyRules()
{
    Control("ComboBox_psfont").Enabled = destination_ == 1;
    Control("Edit_com").Enabled = interface_ == 0;
    Control("Edit_lpt").Enabled = interface_ == 1;
    Control("Edit_outdir").Enabled = interface_ == 2;
    Touch();
}

void TConfKorviltModel::Changed(const std::string& Name)
{
    if (Name == "CheckBox_scale") {
        platform::DialogControl& scale = Control("Edit_scale");
        if (Control("CheckBox_scale").Checked) scale.Text = "0";
        scale.Enabled = !Control("CheckBox_scale").Checked;
    }
    // Every field is a text kept as typed or a choice: nothing is refused.
    StoreFields();
    ApplyRules();
    Rebuild();
}

void TConfKorviltModel::Rebuild()
{
    SetCommandLine(BuildPlotCommandLine());
}

std::string TConfKorviltModel::BuildPlotCommandLine() const
{
    std::string s = program_ + " " + AddTrailingBackslash(outDir_) + "korvilt";
    s += std::string(" /C") + OutCodes[destination_];
    if (interface_ != 1) s += " /D" + std::to_string(interface_ + 1);
    if (interface_ == 0 || interface_ == 1) {
        // The port as typed: COM 2 is /P2, as the editor writes it.
        const int32_t n = TextToInt(interface_ == 0 ? com_ : lpt_);
        if (n != 1) s += " /P" + std::to_string(n);
    } else if (!WithoutBlanks(outDir_).empty()) {
        s += " /F" + AddTrailingBackslash(outDir_) + "korvilt";
    }
    const Extended sv = TextToFloat(scale_);
    if (sv == 0)
        s += " /M*";
    else if (sv != 1)
        s += " /M" + scale_;
    if (TextToFloat(xShift_) != 0) s += " /X" + xShift_;
    if (TextToFloat(yShift_) != 0) s += " /Y" + yShift_;
    if (TextToFloat(textWidth_) != 1) s += " /B" + textWidth_;
    if (rotate_) s += " /R";
    if (destination_ == 1) s += " /T" + font_;
    return s;
}

platform::DialogAction TConfKorviltModel::Press(const std::string& Name)
{
    if (Name == "Button_ok") {
        telmvar.Aborted = false;
        return platform::DialogAction::Accept;
    }
    if (Name == "Button_cancel" || Name == "Escape") {
        telmvar.Aborted = true;
        return platform::DialogAction::Reject;
    }
    if (Name == "Button_help") {
        if (reportservices.ShowHelpText) reportservices.ShowHelpText(2055, 0, 0);
        return platform::DialogAction::Raise;
    }
    if (Name == "Button_tempdir") {
        Control("Edit_outdir").Text = telmvar.TempDir;
        Changed("Edit_outdir");
        return platform::DialogAction::None;
    }
    if (Name == "Button_korviltpath" || Name == "Button_outDir") {
        const bool program = Name == "Button_korviltpath";
        const std::string current = Text(program ? "Edit_korviltPath" : "Edit_outdir");
        platform::FileDialogRequest r;
        r.Kind = platform::FileDialogKind::Open;
        // The program's names on Windows; on other systems it is called
        // what its installer called it.
        r.Filter = program ? "KORVILT for Windows|wkorvilt.exe|KORVILT for MS-DOS|korvilt.exe|all files|*"
                           : "*.*|*.*";
        r.InitialDir = program ? FileDirPart(current) : current;
        const std::optional<std::string> chosen = platform::CurrentPlatform().Files().Run(r);
        if (chosen && !chosen->empty()) {
            if (program)
                Control("Edit_korviltPath").Text = *chosen;
            else
                Control("Edit_outdir").Text = StripTrailingBackslash(FileDirPart(*chosen));
            Changed(program ? "Edit_korviltPath" : "Edit_outdir");
        }
        return platform::DialogAction::Raise;
    }
    return DialogModel::Press(Name);
}

void RunConfKorviltForm(std::string& Line, bool Preset)
{
    TConfKorviltModel model;
    if (Preset) model.SetCommandLine(Line);
    telmvar.Aborted = false;
    const platform::DialogResult r = platform::CurrentPlatform().Dialogs().RunModal(model);
    if (r != platform::DialogResult::Ok) telmvar.Aborted = true;
    if (!telmvar.Aborted) Line = model.CommandLine();
}

void EditPlotCommandLine(std::string& Line, int /*Mode*/)
{
    auto& items = telmvar.TextItems;
    auto help = [](int No) {
        if (reportservices.SetInputHelpNumber) reportservices.SetInputHelpNumber(No);
    };
    // Directory of the program in the current line.
    std::string dir = Line.substr(0, Line.find(' '));
    const size_t slash = LastPathSeparator(dir);
    dir = slash == std::string::npos ? std::string() : dir.substr(0, slash);

    items[1] = "WKORVILT.EXE (Windows)";
    items[2] = "KORVILT.EXE (MS-DOS)";
    uint16_t kind = 2;
    reportservices.AskSelect("KORVILT/WKORVILT", 2, kind);
    if (telmvar.Aborted) return;
    const std::string exe = kind == 1 ? "wkorvilt.exe" : "korvilt.exe";
    std::string program;
    for (;;) {
        help(2080);
        graphservices.AskFileName("Program directory of " + exe, 40, dir);
        if (telmvar.Aborted) return;
        program = AddTrailingBackslash(dir) + exe;
        if (reportservices.CheckFileExists(program)) break;
        // The check has said what is missing; the question comes again.
        telmvar.Aborted = false;
    }

    const char* const codes[5] = {"HPL", "PS", "PLT", "PL2", "ART"};
    const char* const codeItems[5] = {"HP-GL Laserjet (HPL)", "Postscript  (PS)", "HP-GL (PLT)",
                                      "HP-GL/2  (PL2)", "Aristo  (ART)"};
    for (int i = 0; i < 5; ++i)
        items[i + 1] = codeItems[i];
    uint16_t code = 1;
    help(2090);
    reportservices.AskSelect("destination code", 5, code);
    if (telmvar.Aborted) return;

    items[1] = "serial";
    items[2] = "parallel";
    items[3] = "file";
    uint16_t iface = 2;
    help(2110);
    reportservices.AskSelect("output interface", 3, iface);
    if (telmvar.Aborted) return;
    uint16_t port = 1;
    std::string destination;
    if (iface == 1 || iface == 2) {
        help(2120);
        graphservices.AskWordInRange(iface == 1 ? "COM-Port" : "LPT-Port", port, 1, 4);
    } else {
        help(2130);
        graphservices.AskFileName("destination file name", 30, destination);
    }
    if (telmvar.Aborted) return;

    Extended scale = 1, x = 0, y = 0, width = 1;
    bool rotate = false;
    std::string font;
    help(2140);
    graphservices.AskDoubleInRange("scale (0=fit limits)", scale, 0, 1000);
    if (telmvar.Aborted) return;
    help(2145);
    graphservices.AskYesNoFlag("rotate 90 degrees ?", rotate);
    if (telmvar.Aborted) return;
    help(2150);
    graphservices.AskDoubleInRange("reference point shifting x direction", x, -100000000, 100000000);
    if (telmvar.Aborted) return;
    graphservices.AskDoubleInRange("reference point shifting y direction", y, -100000000, 100000000);
    if (telmvar.Aborted) return;
    help(2160);
    graphservices.AskDoubleInRange("Textwidth/height", width, 0.1L, 10);
    if (telmvar.Aborted) return;
    if (code == 2) {
        help(2280);
        graphservices.AskText("Postscript font", 28, font);
        if (telmvar.Aborted) return;
    }

    // The program as it was found: a file name is started as it is spelt.
    std::string s = program + " " + AddTrailingBackslash(telmvar.TempDir) + "korvilt";
    s += std::string(" /C") + codes[std::clamp<int>(code, 1, 5) - 1];
    if (iface != 2) s += " /D" + std::to_string(iface == 1 ? 1 : 3);
    if ((iface == 1 || iface == 2) && port != 1) s += " /P" + std::to_string(port);
    if (iface == 3 && !WithoutBlanks(destination).empty()) s += " /F" + destination;
    if (scale != 1) s += scale == 0 ? std::string(" /M*") : " /M" + FloatToSignificant(scale);
    if (x != 0) s += " /X" + FloatToSignificant(x);
    if (rotate) s += " /R";
    if (y != 0) s += " /Y" + FloatToSignificant(y);
    if (width != 1) s += " /B" + FloatToSignificant(width);
    if (code == 2) s += " /T" + font;
    Line = s;
}
