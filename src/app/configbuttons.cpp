// What the settings dialog's buttons do: presets, help texts, directory,
// program and colour pickers, fonts, the window size, the plot command lines,
// and the export and import of a configuration file.
#include "app/configdialog.h"

#include "app/colournumberpicker.h"
#include "app/configio.h"
#include "app/windowplacement.h"
#include "dialogs/fileguard.h"
#include "dialogs/helptext.h"
#include "dialogs/messageboxes.h"
#include "dialogs/prompts.h"
#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/textfile.h"
#include "foundation/textutil.h"
#include "graphics/graphsettings.h"
#include "platform/platform.h"

#include <cmath>
#include <cstdlib>

// --- import and export ------------------------------------------------------------------------

void Tconfig::FileExchange(bool Import)
{
    platform::FileDialogRequest request;
    request.Kind = Import ? platform::FileDialogKind::Open : platform::FileDialogKind::Save;
    request.Filter = "*.cfg|*.cfg";
    request.InitialDir = wtelmvar.ConfigDir;
    const auto chosen = platform::CurrentPlatform().Files().Run(request);
    if (!chosen) {
        telmvar.Aborted = true;
        return;
    }
    // The configuration routines work on ConfigDir and the file stem: both
    // point at the chosen file for the one call and come back afterwards,
    // whatever happened.
    const std::string dir = wtelmvar.ConfigDir;
    const std::string stem = telmvar.ProgramFileStem;
    const std::string base = FileNameNoExt(*chosen);
    wtelmvar.ConfigDir = FileDirPart(*chosen);
    telmvar.ProgramFileStem = base;
    telmvar.Aborted = false;
    if (Import) {
        // A file that is not a configuration file changes nothing: its
        // first line must name one.
        std::string first;
        {
            TTextFile probe;
            probe.Assign(*chosen);
            if (probe.OpenRead(ConfigFileMaxBytes)) {
                probe.ReadLine(first);
                probe.Close();
            }
        }
        if (first.find("Configuration") == std::string::npos) {
            wtelmvar.ConfigDir = dir;
            telmvar.ProgramFileStem = stem;
            ShowMessageBox(FileNameToOem(*chosen) + " is not a configuration file; nothing was imported");
            telmvar.Aborted = true;
            return;
        }
        ReadConfigFile();
        wtelmvar.ConfigDir = dir;
        telmvar.ProgramFileStem = stem;
        LoadStep();
    } else {
        WriteConfiguration();
        wtelmvar.ConfigDir = dir;
        telmvar.ProgramFileStem = stem;
    }
}

namespace
{

// The fields of the items that hold texts, by the label shown beside them.
// An item without a field (a font from the font dialog, the external
// database) is named by its label line in the file.
const std::pair<int, const char*> ItemFields[] = {
    {1, "Label_layer"},       {3, "Label_cadfont"},       {6, "Label_dircad"},      {7, "Label_dirdbf"},
    {21, "Label_dirtemp"},    {23, "Label_diredi"},       {24, "Label_dirplt"},     {29, "Label_direxe"},
    {30, "Label_korvilt"},    {37, "Label_externtxt"},    {44, "Label_korvilt"},    {53, "Label_dirdata"},
    {56, "Label_externhtml"}, {72, "Label_freigabefeld"}, {95, "Label_handbuchdir"}};

} // namespace

void Tconfig::WriteConfiguration()
{
    WriteConfigFile();
    if (configio.LineBreakItem == 0) return;
    std::string field = configio.LineBreakLabel;
    for (const auto& [no, label] : ItemFields)
        if (no == configio.LineBreakItem) field = Control(label).Caption;
    ShowMessageBox(field + ": a line break cannot be stored in the configuration file; nothing was written");
}

// --- buttons ------------------------------------------------------------------------------------

namespace
{

// Buttons that put a preset into a field.
struct TPresetButton {
    const char* Button;
    const char* Edit;
    const char* Text;
};
const TPresetButton PresetButtons[] = {
    {"Button_textbreitenfaktor", "Edit_textbreitenfaktor", "0.8"},
    {"Button_texthoehenfaktor", "Edit_texthoehenfaktor", "1"},
    {"Button_zoom", "Edit_zoomfaktor", "1.02"},
    {"Button_pan", "Edit_panfaktor", "0.02"},
    {"Button_cadtextbreite", "Edit_cadtextbreite", "1"},
    {"Button_cadtextwinkel", "Edit_cadtextwinkel", "0"},
    {"Button_dxfdec", "SpinEdit_dxfdec", "6"},
    {"Button_printxorigin", "Edit_printxorigin", "0"},
    {"Button_printyorigin", "Edit_printyorigin", "0"},
    {"Button_printscalex1", "Edit_printscale", "1.0"},
    {"Button_freigabefeld", "Edit_freigabefeld", "App"},
    {"Button_massfaktorconfig", "Edit_massfaktorconfig", "1.0"},
};

// Buttons that show a help text.
const std::pair<const char*, uint16_t> HelpButtons[] = {
    {"Button_workingDir", 1605},  {"Button_grafikhilfe", 1940}, {"Button_layerhilfe", 1920},
    {"Button_helpcad", 1920},     {"Button_colorhilfe", 1555},  {"Button_helpprint", 1935},
    {"Button_helpausdruck", 1930}};

// The directory buttons and the field each fills.
const std::pair<const char*, const char*> DirectoryButtons[] = {
    {"Button_dirdbf", "Edit_dirdbf"},   {"Button_dirplt", "Edit_dirplt"}, {"Button_dirtemp", "Edit_dirtemp"},
    {"Button_dirdata", "Edit_dirdata"}, {"Button_dircad", "Edit_dircad"}, {"Button_direxe", "Edit_direxe"},
    {"Button_diredi", "Edit_diredi"}};

// The program and manual buttons, their field and file filter ("" for the
// manual: the program's own page).
const std::pair<const char*, const char*> ProgramButtons[] = {{"Button_externtxt", "Edit_externtxt"},
                                                              {"Button_externhtml", "Edit_externhtml"},
                                                              {"Button_handbuchdir", "Edit_handbuchdir"}};

// The layer reset buttons: grid row (layer 6 - row), layer, colour, width.
struct TLayerButton {
    const char* Button;
    int Row;
    const char* Layer;
    int Colour, Width;
};
const TLayerButton LayerButtons[] = {{"Button_layer1", 5, "1", 2, 1},
                                     {"Button_layer2", 4, "2", 2, 1},
                                     {"Button_layer3", 3, "3", 2, 1},
                                     {"Button_layer4", 2, "4", 3, 2},
                                     {"Button_layer5", 1, "5", 1, 3}};

// A button whose action leaves the dialog open.
template <typename F> auto NoAction(F f)
{
    return [f](Tconfig& c, const std::string& n) {
        f(c, n);
        return platform::DialogAction::None;
    };
}

} // namespace

platform::DialogAction Tconfig::Put(const std::string& Edit, const std::string& Text)
{
    Control(Edit).Text = Text;
    Touch();
    return platform::DialogAction::None;
}

void Tconfig::AddListedButtons(std::map<std::string, TButton>& t)
{
    for (const auto& b : PresetButtons)
        t[b.Button] = [b](Tconfig& c, const std::string&) { return c.Put(b.Edit, b.Text); };
    for (const auto& [button, no] : HelpButtons)
        t[button] = NoAction([no = no](Tconfig&, const std::string&) {
            ShowHelpText(no, 0, 1);
            telmvar.Aborted = false;
        });
    for (const auto& [button, edit] : DirectoryButtons)
        t[button] = [edit = edit](Tconfig& c, const std::string&) {
            std::string result;
            ChooseDirectory(c.Control(edit).Text, result);
            telmvar.Aborted = false;
            return c.Put(edit, result);
        };
    for (const auto& [button, edit] : ProgramButtons)
        t[button] = [edit = edit](Tconfig& c, const std::string& n) {
            const std::string filter = n == "Button_handbuchdir" ? telmvar.ProgramFileStem + ".htm" : "*.exe";
            std::string result;
            BrowseForFile(c.Control(edit).Text, filter, result);
            const bool chosen = !telmvar.Aborted;
            telmvar.Aborted = false;
            return chosen ? c.Put(edit, result) : platform::DialogAction::None;
        };
    for (const auto& l : LayerButtons)
        t[l.Button] = NoAction([l](Tconfig& c, const std::string&) {
            c.SetLayerCell(l.Row, 0, l.Layer);
            c.SetLayerCell(l.Row, 1, IntToText(l.Colour));
            c.SetLayerCell(l.Row, 2, IntToText(l.Width));
        });
    for (int d = 1; d <= 3; ++d)
        t["Button_dick" + std::to_string(d)] = NoAction([d](Tconfig& c, const std::string&) {
            for (int r = 1; r <= 16; ++r)
                c.SetColourCell(r, 1, IntToText(d));
        });
    for (int k = 0; k <= 15; ++k)
        t["Panel_color" + std::to_string(k)] =
            NoAction([k](Tconfig& c, const std::string&) { c.PickPanelColour(k); });
}

const std::map<std::string, Tconfig::TButton>& Tconfig::Buttons()
{
    using platform::DialogAction;
    static const std::map<std::string, TButton> table = [] {
        std::map<std::string, TButton> t;
        AddListedButtons(t);
        t["Button_ok"] = [](Tconfig& c, const std::string&) {
            c.StoreStep();
            return DialogAction::Accept;
        };
        t["Button_cancel"] = t["Escape"] = [](Tconfig&, const std::string&) {
            telmvar.Aborted = true;
            return DialogAction::Reject;
        };
        t["Button_save"] = NoAction([](Tconfig& c, const std::string&) {
            c.StoreStep();
            telmvar.Aborted = false;
            c.WriteConfiguration();
        });
        t["Button_export"] = t["Button_import"] = NoAction([](Tconfig& c, const std::string& n) {
            if (n == "Button_export") c.StoreStep();
            c.FileExchange(n == "Button_import");
        });
        t["Button_dirtempenv"] = [](Tconfig& c, const std::string&) {
            const std::string temp = SystemTempDir();
            if (!TrimBlanks(temp).empty()) return c.Put("Edit_dirtemp", temp);
            return DialogAction::None;
        };
        t["Button_hintergrundfarbe"] =
            NoAction([](Tconfig& c, const std::string&) { c.PickBackgroundColour(); });
        t["Button_font"] = t["Button_textfont"] =
            NoAction([](Tconfig& c, const std::string& n) { c.PickFont(n == "Button_font"); });
        t["Button_aufloesung"] = NoAction([](Tconfig& c, const std::string&) {
            c.Control("Edit_x").Text = IntToText(MaxClientWidth());
            c.Control("Edit_y").Text = IntToText(MaxClientHeight());
            c.ApplyWindowSize(true, true);
            c.Touch();
        });
        t["Button_x"] = t["Button_y"] =
            NoAction([](Tconfig& c, const std::string& n) { c.KeepAspect(n == "Button_x"); });
        t["Button_dialogsize"] = [](Tconfig& c, const std::string&) {
            return c.Put("SpinEdit_dialogfenster", IntToText(AutoScreenPercent(winutil.QueryScreen())));
        };
        t["Button_dialogelemente"] = [](Tconfig& c, const std::string&) {
            const int dialog = TextToInt(TrimBlanks(c.Control("SpinEdit_dialogfenster").Text));
            return c.Put("SpinEdit_dialogelemente",
                         IntToText(AutoFontPercent(winutil.QueryScreen(), dialog)));
        };
        t["Button_selectlayercolor"] = NoAction([](Tconfig& c, const std::string&) {
            const int row = c.GridRow({LayerGrid, 5, 3});
            int number = TextToInt(TrimBlanks(c.LayerCell(row, 1)));
            if (SelectColourNumber(number)) c.SetLayerCell(row, 1, IntToText(number));
        });
        t["Button_selectcolor"] = t["StringGrid_colorDblClick"] =
            NoAction([](Tconfig& c, const std::string&) { c.PickGridColour(); });
        t["Button_resetcolor"] = NoAction([](Tconfig& c, const std::string&) {
            SetDefaultGraphPalette();
            c.LoadStep();
        });
        t["Button_scaleyx"] = [](Tconfig& c, const std::string&) {
            return c.Put("Edit_printscaley", c.Control("Edit_printscale").Text);
        };
        t["Button_Textwindow"] = NoAction([](Tconfig& c, const std::string&) { c.AutoTextWindow(); });
        t["Button_confkorvilt"] = t["ListBox_korviltDblClick"] =
            NoAction([](Tconfig& c, const std::string&) { c.ConfigurePlotLine(); });
        t["Button_editkorviltcommandline"] =
            NoAction([](Tconfig& c, const std::string&) { c.EditPlotLine(); });
        return t;
    }();
    return table;
}

platform::DialogAction Tconfig::Press(const std::string& Name)
{
    const auto& buttons = Buttons();
    const auto it = buttons.find(Name);
    return it == buttons.end() ? platform::DialogAction::None : it->second(*this, Name);
}

void Tconfig::PickBackgroundColour()
{
    platform::ColourRequest request;
    request.Caption = "background colour";
    request.Colour = static_cast<uint32_t>(graphsettings.BackgroundColour);
    if (const auto colour = platform::CurrentPlatform().Prompt().PickColour(request))
        graphsettings.BackgroundColour = static_cast<int32_t>(*colour);
    ShowPanels();
}

void Tconfig::PickFont(bool Graph)
{
    platform::FontChoice current{Graph ? graphFont_ : printFont_, Graph ? 10 : printSize_,
                                 Graph ? graphStyle_ : printStyle_};
    if (const auto f = platform::CurrentPlatform().Prompt().PickFont(current)) {
        if (Graph) {
            graphFont_ = f->Name;
            graphStyle_ = f->Style;
        } else {
            printFont_ = f->Name;
            printSize_ = f->Size;
            printStyle_ = f->Style;
        }
    }
    ShowFonts();
}

// Window width from the height at 4:3 (or the height from the width),
// within the screen.
void Tconfig::KeepAspect(bool WidthFromHeight)
{
    const int W = MaxClientWidth(), H = MaxClientHeight();
    const long x = TextToInt(TrimBlanks(Control("Edit_x").Text));
    const long y = TextToInt(TrimBlanks(Control("Edit_y").Text));
    if (WidthFromHeight) {
        const long nx = std::lround(y * 4.0 / 3.0);
        if (nx <= W) {
            Control("Edit_x").Text = IntToText(nx);
        } else {
            Control("Edit_x").Text = IntToText(W);
            Control("Edit_y").Text = IntToText(std::lround(W * 3.0 / 4.0));
        }
    } else {
        const long ny = std::lround(x * 3.0 / 4.0);
        if (ny <= H) {
            Control("Edit_y").Text = IntToText(ny);
        } else {
            Control("Edit_y").Text = IntToText(H);
            Control("Edit_x").Text = IntToText(std::lround(H * 4.0 / 3.0));
        }
    }
    Touch();
}

void Tconfig::PickGridColour()
{
    const std::string& cell = Control(ColourGrid).Text;
    const auto comma = cell.find(',');
    if (comma != std::string::npos && std::atoi(cell.c_str() + comma + 1) != 0) return;
    const int row = GridRow({ColourGrid, 16, 2});
    int number = TextToInt(TrimBlanks(ColourCell(row, 0)));
    if (SelectColourNumber(number)) SetColourCell(row, 0, IntToText(number));
}

void Tconfig::PickPanelColour(int K)
{
    platform::ColourRequest request;
    request.Caption = "Colour " + std::to_string(ColourNumberOfEntry(K));
    request.Colour = panelColours_[static_cast<std::size_t>(K)];
    if (const auto colour = platform::CurrentPlatform().Prompt().PickColour(request))
        panelColours_[static_cast<std::size_t>(K)] = *colour;
    ShowPanels();
}

void Tconfig::EditPlotLine()
{
    const int i = PlotLineIndex();
    if (i < 0) return;
    auto lines = PlotLines();
    std::string line = lines[static_cast<std::size_t>(i)];
    telmvar.Aborted = false;
    // The line names the plot program and its output file.
    AskFileName("KORVILT Command Line", 80, line);
    if (!telmvar.Aborted) {
        lines[static_cast<std::size_t>(i)] = line;
        PlotLines(lines);
    }
    telmvar.Aborted = false;
}
