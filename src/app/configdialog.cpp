#include "app/configdialog.h"

#include "app/colournumberpicker.h"
#include "app/configio.h"
#include "app/projectcommands.h"
#include "app/windowplacement.h"
#include "dialogs/helptext.h"
#include "dialogs/stagedialog.h"
#include "foundation/codepage.h"
#include "foundation/datetexts.h"
#include "foundation/fileutil.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "graphics/cadsettings.h"
#include "graphics/graphfacade.h"
#include "graphics/graphsettings.h"
#include "graphics/plotprogram.h"
#include "platform/platform.h"
#include "reports/engine/reportengine.h"
#include "reports/textview/printsettings.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace
{

std::string Sig(Extended X)
{
    return TrimBlanks(FloatToSignificant(X));
}

std::vector<std::string> Split(const std::string& S, char Sep)
{
    std::vector<std::string> out(1);
    for (char c : S) {
        if (c == Sep)
            out.emplace_back();
        else
            out.back() += c;
    }
    return out;
}

std::string Join(const std::vector<std::string>& Parts, char Sep)
{
    std::string s;
    for (std::size_t i = 0; i < Parts.size(); ++i) {
        if (i > 0) s += Sep;
        s += Parts[i];
    }
    return s;
}

// A window size field shows the size + 1; stored is the size, at most
// MaxWindowPixels a side. The one limit for what OK stores and for what
// leaving the field applies at once.
constexpr int MaxWindowPixels = 5000;
int StoredWindowPixels(int Shown)
{
    return std::clamp(Shown - 1, 0, MaxWindowPixels);
}

std::string StyleText(int Style)
{
    std::string s;
    if (Style & 1) s += "bold ";
    if (Style & 2) s += "italic ";
    if (Style & 4) s += "underline ";
    if (Style & 8) s += "strikeout ";
    return TrimBlanks(s);
}

} // namespace

// --- the configuration dialog --------------------------------------------------------

const std::vector<std::pair<std::string, std::string>>& Tconfig::Pages()
{
    static const std::vector<std::pair<std::string, std::string>> pages{
        {"Tab_dir", "Directories"},      {"Tab_grafik", "Graphics"}, {"Tab_cad", "CAD"},
        {"Tab_color", "Colour"},         {"Tab_drucker", "Printer"}, {"Tab_textdruck", "Printout"},
        {"Tab_einstellung", "Settings"}, {"Tab_extern", "external"}, {"Tab_zeichnung", "Drawing"}};
    return pages;
}

const std::vector<std::string>& Tconfig::Items(const std::string& C)
{
    static const std::map<std::string, std::vector<std::string>> items = [] {
        std::map<std::string, std::vector<std::string>> m;
        m["RadioGroup_bildschirmgrafik"] = {"color", "monochrom"};
        m["ComboBox_screensizecode"] = {"Input", "max 4:3", "max"};
        m["ComboBox_dialogwindowSizecode"] = {"Input", "Auto"};
        m["radiogroupcadtexttyp"] = {"OEM (ASCII)", "ANSI", "\xC4 -> Ae, \xDF -> ss"};
        m["ComboBox_cadstltype"] = {"Binary", "ASCII"};
        m["RadioGroup_printmono"] = {"Monochrome", "Color / grey-scale"};
        m["RadioGroup_orientation"] = {"Portrait", "Landscape"};
        m["ComboBox_lpt"] = {"LPT1", "LPT2", "LPT3", "LPT4"};
        m["RadioGroup_trenn"] = {"lines  ---- ====  ****", "lines  ---- ----  ----", "blanks and empty lines",
                                 "compressed, without space lines"};
        m["RadioGroup_date"] = {"DD.MM.YYYY", "MM/DD/YYYY", "YYYY-MM-DD", "DD/MM/YYYY"};
        std::vector<std::string> devices;
        for (int d = 1; d <= 7; ++d)
            devices.push_back(ReportDeviceName(d));
        m["ComboBox_ausdruckdefault"] = devices;
        m["ComboBox_textwindowsizecode"] = {"Input", "Auto"};
        m["RadioGroup_ff"] = {"with header", "header only page 1"};
        m["RadioGroup_ausgrad"] = {"decimal degrees", "degrees, minutes, seconds"};
        m["RadioGroup_hilfegrad"] = {"0 : No info window", "1 : default help level",
                                     "2 : extended help, single input"};
        m["RadioGroup_punktkomma"] = {"x.xx", "x,xx"};
        m["RadioGroup_ExcelDot"] = {"English x.xx", "German x,xx"};
        m["RadioGroup_chars"] = {"\xB2  \xB5  \xB0", "2  u  deg"};
        m["RadioGroup_ergebnisgrafik"] = {"default", "Quick 1", "Quick 3", "Production drawing",
                                          "Diagram", "Drawing", "Quick 4"};
        m["ComboBox_zeichnkopf"] = {"DIN 6771 min.", "ISO 7200 Fig.1", "ISO 7200 Fig.2", "DIN 6771"};
        m["ComboBox_7200rand"] = {"5 mm", "10 mm"};
        m["ComboBox_index"] = {"a,b,c...", "1,2,3...", "A,B,C...", "....."};
        return m;
    }();
    static const std::vector<std::string> none;
    if (C == "ComboBox_unit") {
        static std::vector<std::string> units;
        units.clear();
        for (int u = 0; u <= 4; ++u)
            units.push_back(DisplayText(wtelmvar.UnitSystemNames[u]));
        return units;
    }
    const auto it = items.find(C);
    return it == items.end() ? none : it->second;
}

std::string Tconfig::Caption() const
{
    return DisplayText(telmvar.ProgramName + " " + "Configuration");
}

void Tconfig::SetRadio(const std::string& Group, int Index)
{
    const int n = static_cast<int>(Items(Group).size());
    for (int i = 0; i < n; ++i)
        Control(Group + "_" + std::to_string(i)).Checked = i == Index;
}

int Tconfig::RadioIndex(const std::string& Group)
{
    const int n = static_cast<int>(Items(Group).size());
    for (int i = 0; i < n; ++i)
        if (Control(Group + "_" + std::to_string(i)).Checked) return i;
    return 0;
}

void Tconfig::SetCombo(const std::string& Combo, int Index)
{
    const auto& items = Items(Combo);
    Control(Combo).Text = Index >= 0 && Index < static_cast<int>(items.size())
                              ? items[static_cast<std::size_t>(Index)]
                              : std::string();
}

int Tconfig::ComboIndex(const std::string& Combo)
{
    const auto& items = Items(Combo);
    const auto it = std::find(items.begin(), items.end(), Control(Combo).Text);
    return it == items.end() ? 0 : static_cast<int>(it - items.begin());
}

// --- grids -------------------------------------------------------------------------

std::vector<std::vector<std::string>> Tconfig::GridCells(const TGrid& G)
{
    std::vector<std::vector<std::string>> cells(static_cast<std::size_t>(G.Rows),
                                                std::vector<std::string>(static_cast<std::size_t>(G.Cols)));
    const auto rows = Split(Control(G.Name).Caption, '\n');
    for (std::size_t r = 0; r < rows.size() && r < cells.size(); ++r) {
        const auto cols = Split(rows[r], '\t');
        for (std::size_t c = 0; c < cols.size() && c < cells[r].size(); ++c)
            cells[r][c] = cols[c];
    }
    return cells;
}

void Tconfig::SetGridCell(const TGrid& G, int Row, int Col, const std::string& Text)
{
    auto cells = GridCells(G);
    cells[static_cast<std::size_t>(Row - 1)][static_cast<std::size_t>(Col)] = Text;
    std::vector<std::string> rows;
    for (const auto& r : cells)
        rows.push_back(Join(r, '\t'));
    Control(G.Name).Caption = Join(rows, '\n');
    Touch();
}

int Tconfig::GridRow(const TGrid& G)
{
    const std::string& t = Control(G.Name).Text;
    return t.empty() ? 1 : std::clamp(std::atoi(t.c_str()) + 1, 1, G.Rows);
}

std::string Tconfig::LayerCell(int Row, int Col)
{
    return GridCells({LayerGrid, 5, 3})[static_cast<std::size_t>(Row - 1)][static_cast<std::size_t>(Col)];
}
void Tconfig::SetLayerCell(int Row, int Col, const std::string& Text)
{
    SetGridCell({LayerGrid, 5, 3}, Row, Col, Text);
}
std::string Tconfig::ColourCell(int Row, int Col)
{
    return GridCells({ColourGrid, 16, 2})[static_cast<std::size_t>(Row - 1)][static_cast<std::size_t>(Col)];
}
void Tconfig::SetColourCell(int Row, int Col, const std::string& Text)
{
    SetGridCell({ColourGrid, 16, 2}, Row, Col, Text);
}

// --- plot command lines -----------------------------------------------------------------

void Tconfig::PlotLines(const std::vector<std::string>& Lines)
{
    Control("ListBox_korvilt").Caption = Join(Lines, '\n');
    Touch();
}

std::vector<std::string> Tconfig::PlotLines()
{
    auto lines = Split(Control("ListBox_korvilt").Caption, '\n');
    lines.resize(PlotCmdMax);
    return lines;
}

int Tconfig::PlotLineIndex()
{
    const std::string& t = Control("ListBox_korvilt").Text;
    return t.empty() ? -1 : std::clamp(std::atoi(t.c_str()), 0, PlotCmdMax - 1);
}

void Tconfig::ConfigurePlotLine()
{
    telmvar.Aborted = false;
    if (PlotLineIndex() < 0) Control("ListBox_korvilt").Text = "0";
    const int i = PlotLineIndex();
    auto lines = PlotLines();
    std::string line = lines[static_cast<std::size_t>(i)];
    RunConfKorviltForm(line, false);
    if (!telmvar.Aborted) {
        lines[static_cast<std::size_t>(i)] = line;
        PlotLines(lines);
    }
    telmvar.Aborted = false;
}

// --- creation ---------------------------------------------------------------------------

Tconfig::Tconfig()
{
    const std::string dataExt = telmvar.DataExt;
    const std::pair<const char*, std::string> captions[] = {
        {"Button_ok", "OK"},
        {"Button_cancel", "Cancel"},
        {"Button_save", "&Save"},
        {"Button_import", "Import"},
        {"Button_export", "Export"},
        {"GroupBox_dir", "Directories"},
        {"Label_dirdbf", "Database directory (dbf)"},
        {"Label_direxe", "TELMORA EXE Directory"},
        {"Label_dirplt", "Directory of help files (hlp) and images (plt)"},
        {"Label_dirtemp", "Temporary directory"},
        {"Label_diredi", "EDI Directory"},
        {"Label_dirdata", "." + dataExt + " Directory"},
        {"Label_dircad", "CAD Directory"},
        {"Label_dirworking", "Working Directory"},
        {"Button_workingDir", "?"},
        {"Button_dirtempenv", "<"},
        {"Label_user", "User: " + std::string(std::getenv("USER") ? std::getenv("USER") : "")},
        {"CheckBox_dbftemp", "copy DBF -> TEMP"},
        {"RadioGroup_bildschirmgrafik", "Color graphics"},
        {"Button_hintergrundfarbe", "background colour..."},
        {"Button_font", "Font..."},
        {"Label_textbreitenfaktor", "Textwidth/height"},
        {"Label_texthoehenfaktor", "Text height factor"},
        {"GroupBox_aufloesung", "Window Size"},
        {"Label_zoomfaktor", "zoom increment"},
        {"Label_panfaktor", "pan faktor"},
        {"CheckBox_umrandung", "Border line"},
        {"Label_dialogfenster", "dialog window size %"},
        {"Label_dialogelemente", "Dialog element size %"},
        {"CheckBox_3dxyz", "3D Edit x,y,z"},
        {"CheckBox_zeichfusszeile", TodayDateText() + " " + NowTimeText() + " - TELMORA " +
                                        telmvar.ProgramName + " V" + telmvar.ProgramVersion},
        {"Button_grafikhilfe", "&Help"},
        {"Label_layer", "Layer / Colour / pen width"},
        {"Button_selectlayercolor", "Colour..."},
        {"CheckBox_layermonochrom", "Layer Monochrome ?"},
        {"Label_cadfont", "Text font"},
        {"Label_cadtextbreite", "Textwidth/height"},
        {"Label_cadtextwinkel", "Font angle"},
        {"CheckBox_diagrammgrenzen", "Enter limits of diagrams"},
        {"Label_dxfdec", "Digits for floating point numbers DXF, TXT"},
        {"radiogroupcadtexttyp", "Text Type"},
        {"CheckBox_3Dto2D", "3D->2D DXF/IGES"},
        {"CheckBox_execCadFile", "Exec CAD App ?"},
        {"CheckBox_japolyArcToLines", "Polyline Arc -> Lines ?"},
        {"Label_resolutionArcToLines", "precision"},
        {"Label_resolutionmm", "mm"},
        {"Label_cadstltype", "STL Type"},
        {"Button_helpcad", "&Help"},
        {"Button_selectcolor", "Colour..."},
        {"Button_dick1", "pen width=1"},
        {"Button_dick2", "pen width=2"},
        {"Button_dick3", "pen width=3"},
        {"Button_resetcolor", "<"},
        {"Button_colorhilfe", "&Help"},
        {"GroupBox_ursprung", "Origin"},
        {"Label_printscale", "Scale x"},
        {"Label_printscaley", "Scale y"},
        {"RadioGroup_printmono", "shading"},
        {"RadioGroup_orientation", "Printout"},
        {"CheckBox_printerDialogbox", "Show output code dialogue box"},
        {"Label_lpt", "LPT-Interface for text printing (Console)"},
        {"Button_helpprint", "&Help"},
        {"RadioGroup_trenn", "Select linetype"},
        {"Label_linesperpage", "Max. lines per page for printer"},
        {"Label_spacelines", "header space lines"},
        {"RadioGroup_date", "date"},
        {"GroupBox_ausdruckdefault", "output code"},
        {"CheckBox_ausdruckshowdialog", "Show output code dialogue box"},
        {"GroupBox_textwindow", "Text window"},
        {"Label_left", "left"},
        {"Label_top", "top"},
        {"Label_width", "width"},
        {"Label_height", "height"},
        {"Button_Textwindow", "<"},
        {"Button_textfont", "Font.."},
        {"RadioGroup_ff", "text printout"},
        {"RadioGroup_ausgrad", "Angle"},
        {"Label_unit", "Unit"},
        {"Button_helpausdruck", "&Help"},
        {"RadioGroup_hilfegrad", "Help level"},
        {"RadioGroup_punktkomma", "Decimal sign CAD->TXT "},
        {"RadioGroup_ExcelDot", "Decimal sign Excel"},
        {"Label_dezimalstellen", "digits for floating point numbers"},
        {"CheckBox_archivmode", "Archive flag ?"},
        {"CheckBox_aktuellfile", "actual." + dataExt + " ?"},
        {"RadioGroup_chars", "Special characters"},
        {"CheckBox_hidewarnings", "Suppress hints and warnings"},
        {"RadioGroup_ergebnisgrafik", "Result Screen"},
        {"CheckBox_saveMenuLanguage", "Save Menu Language ?"},
        {"Label_externtxt", "word processor"},
        {"Label_externhtml", "HTML Browser"},
        {"Label_handbuchdir", telmvar.ProgramName + " E-Manual"},
        {"Label_korvilt", "KORVILT Command Lines"},
        {"Button_confkorvilt", "Config"},
        {"Button_editkorviltcommandline", "Edit"},
        {"CheckBox_zeichtelmoratitel",
         "TELMORA " + telmvar.ProgramTitle + " V" + telmvar.ProgramVersion + " ?"},
        {"CheckBox_zeichfilename",
         // The path in the program's code page: 50 characters, none cut in half.
         "file name " + FileNameToOem(ShortenPath(telmvar.DataDir + telmvar.ProjectName)).substr(0, 50) +
             " ?"},
        {"CheckBox_zeichdatum", TodayDateText() + " " + NowTimeText() + " ?"},
        {"CheckBox_zeichlogo", "$logo_1.dx$ ?"},
        {"CheckBox_zeichnungskopf", "Production drawing with header ?"},
        {"Label_zeichnkopf", "Drawing with header"},
        {"CheckBox_copyrightvermerk", "Copyright notice ?"},
        {"Label_7200rand", "sheet border"},
        {"CheckBox_abc123", "ABCD-1234  Border line"},
        {"CheckBox_mmscale", "mm Scale  Border line"},
        {"CheckBox_aenderungen", "Show modifications ? "},
        {"CheckBox_zeichhead034", "$head_0.dx$, $head_3.dx$, $head_4.dx$ ?"},
        {"CheckBox_zeichinsert034", "$insert_0.dx$, $insert_3.dx$, $insert_4.dx$ ?"},
        {"Label_index", "Index"},
        {"Label_freigabefeld", "Drawing approved"},
        {"Label_massfaktorconfig", "Size coeff. Dimensioning"},
    };
    for (const auto& [name, text] : captions)
        Control(name).Caption = DisplayText(text);
    for (const char* b :
         {"Button_dirdbf", "Button_direxe", "Button_dirplt", "Button_dirtemp", "Button_diredi",
          "Button_dirdata", "Button_dircad", "Button_externtxt", "Button_externhtml", "Button_handbuchdir"})
        Control(b).Caption = "...";
    for (const char* b : {"Button_textbreitenfaktor",
                          "Button_texthoehenfaktor",
                          "Button_aufloesung",
                          "Button_x",
                          "Button_y",
                          "Button_zoom",
                          "Button_pan",
                          "Button_dialogsize",
                          "Button_dialogelemente",
                          "Button_layer1",
                          "Button_layer2",
                          "Button_layer3",
                          "Button_layer4",
                          "Button_layer5",
                          "Button_cadtextbreite",
                          "Button_cadtextwinkel",
                          "Button_dxfdec",
                          "Button_printxorigin",
                          "Button_printyorigin",
                          "Button_printscalex1",
                          "Button_scaleyx",
                          "Button_freigabefeld",
                          "Button_massfaktorconfig"})
        Control(b).Caption = "<";
    Control("Edit_dirworking").Enabled = false;
    Control("Edit_dirworking").FileName = true;
    // The plot command lines name the plot program and its output file.
    Control("ListBox_korvilt").FileName = true;
    Control("CheckBox_dbftemp").Visible = false;
    Control("CheckBox_zeichfusszeile").Visible = false;
    Control("CheckBox_printerDialogbox").Visible = false;
    Control("RadioGroup_ExcelDot").Visible = false;
    Control("Button_selectcolor").Visible = false;
    Control("Panel_color0").Visible = false;
    for (int k = 0; k <= 15; ++k)
        Control("Panel_color" + std::to_string(k)).Caption = std::to_string(ColourNumberOfEntry(k));
    for (const char* group :
         {"RadioGroup_bildschirmgrafik", "radiogroupcadtexttyp", "RadioGroup_printmono",
          "RadioGroup_orientation", "RadioGroup_trenn", "RadioGroup_date", "RadioGroup_ff",
          "RadioGroup_ausgrad", "RadioGroup_hilfegrad", "RadioGroup_punktkomma", "RadioGroup_ExcelDot",
          "RadioGroup_chars", "RadioGroup_ergebnisgrafik"}) {
        // The choices are the window's code page as they stand (the signs
        // of "Special characters", the umlaut of the CAD text type): the DOS
        // conversion of the program's own texts would turn them into others.
        const auto& items = Items(group);
        for (std::size_t i = 0; i < items.size(); ++i)
            Control(std::string(group) + "_" + std::to_string(i)).Caption = items[i];
    }
    Control("Tab_pages").Text = "Tab_grafik"; // the page shown first
    const TScreenInfo s = winutil.QueryScreen();
    Control("Panel_colour").Caption = std::to_string(s.ScreenWidth) + " x " + std::to_string(s.ScreenHeight);
    SetHints();
    // A text that is no number counts as 0 here, and the rules for 0 apply.
    NonNumbersAsZero = true;
    BindFields();
    AfterLoad = [this] { LoadExtras(); };
    AfterStore = [this] { StoreExtras(); };
    LoadStep();
}

void Tconfig::SetHints()
{
    const std::pair<const char*, uint16_t> levelled[] = {{"Edit_dirdbf", 1600},
                                                         {"Edit_direxe", 1830},
                                                         {"Edit_dirplt", 1590},
                                                         {"Edit_dirtemp", 1610},
                                                         {"Edit_diredi", 1595},
                                                         {"Edit_dirdata", 1615},
                                                         {"Edit_dircad", 1570},
                                                         {"Edit_dirworking", 1605},
                                                         {"RadioGroup_bildschirmgrafik", 1670},
                                                         {"Edit_textbreitenfaktor", 1730},
                                                         {"Edit_texthoehenfaktor", 1730},
                                                         {"GroupBox_aufloesung", 1710},
                                                         {"Edit_zoomfaktor", 1800},
                                                         {"Edit_panfaktor", 1810},
                                                         {"SpinEdit_dialogfenster", 1725},
                                                         {"SpinEdit_dialogelemente", 1725},
                                                         {"CheckBox_layermonochrom", 1585},
                                                         {"Edit_cadfont", 1720},
                                                         {"Edit_cadtextbreite", 1730},
                                                         {"Edit_cadtextwinkel", 1740},
                                                         {"CheckBox_diagrammgrenzen", 1960},
                                                         {"SpinEdit_dxfdec", 1980},
                                                         {"CheckBox_3Dto2D", 1715},
                                                         {"CheckBox_execCadFile", 1735},
                                                         {"CheckBox_japolyArcToLines", 1300},
                                                         {"Edit_resolutionArcToLines", 1305},
                                                         {"ComboBox_cadstltype", 1310},
                                                         {"RadioGroup_hilfegrad", 1580},
                                                         {"RadioGroup_punktkomma", 1755},
                                                         {"SpinEdit_dezimalstellen", 1750},
                                                         {"CheckBox_archivmode", 2530},
                                                         {"CheckBox_aktuellfile", 2535},
                                                         {"CheckBox_hidewarnings", 2545}};
    const std::pair<const char*, uint16_t> always[] = {{"RadioGroup_ergebnisgrafik", 2820},
                                                       {"Edit_externtxt", 2500},
                                                       {"Edit_handbuchdir", 2550},
                                                       {"ComboBox_7200rand", 2540}};
    for (const auto& [name, no] : levelled) {
        Control(name).HintNumber = no;
        Control(name).Hint = telmvar.HelpLevel == 0 ? std::string() : GetHelpHint(no);
    }
    for (const auto& [name, no] : always) {
        Control(name).HintNumber = no;
        Control(name).Hint = GetHelpHint(no);
    }
}

// --- load step ----------------------------------------------------------------------------

void Tconfig::ShowPanels()
{
    for (int k = 0; k <= 15; ++k)
        Control("Panel_color" + std::to_string(k)).Text =
            std::to_string(panelColours_[static_cast<std::size_t>(k)]);
    Control("Panel_colour").Text = std::to_string(graphsettings.BackgroundColour);
    Touch();
}

void Tconfig::ShowFonts()
{
    Control("Edit_font").Text = graphFont_;
    Control("Label_hstyle").Caption = StyleText(graphStyle_);
    Control("Label_courier").Caption = printFont_;
    Control("Label_couriersize").Caption = std::to_string(printSize_);
    Control("Label_courierstyle").Caption = StyleText(printStyle_);
    Touch();
}

// The settings a form row shows and stores, in the order of the pages.
void Tconfig::BindFields()
{
    TTelmvar& t = telmvar;
    TWtelmvar& w = wtelmvar;
    TCadSettings& c = cadsettings;
    TGraphSettings& g = graphsettings;
    TPrintSettings& p = printsettings;
    using K = TFieldKind;
    auto choice = [this](const char* n, K kind, TFieldTarget target, int first) {
        BindChoice(n, kind, target, Items(n), first);
    };
    // Directories (the working directory is only shown): names as the file
    // system has them, like the programs and the manual below.
    Bind("Edit_dirdbf", K::FileName, &t.DbfDir);
    Bind("Edit_direxe", K::FileName, &t.SharedDir);
    Bind("Edit_dirplt", K::FileName, &t.PltDir);
    Bind("Edit_dirtemp", K::FileName, &t.TempDir);
    Bind("Edit_diredi", K::FileName, &t.EdiDir);
    Bind("Edit_dirdata", K::FileName, &w.DefaultDataDir);
    Bind("Edit_dircad", K::FileName, &t.CadDir);
    Bind("CheckBox_dbftemp", K::Boolean, &w.CopyDbfToTemp);
    // Graphics.
    Bind("Edit_textbreitenfaktor", K::Sig3, &g.GraphTextWidthFactor);
    Bind("Edit_texthoehenfaktor", K::Sig3, &g.TextHeightFactor);
    Bind("Edit_x", K::Integer, &windowWidth_);
    Bind("Edit_y", K::Integer, &windowHeight_);
    choice("ComboBox_screensizecode", K::Combo, &w.ScreenSizeCode, 0);
    Bind("Edit_zoomfaktor", K::Sig3, &g.ZoomIncrement);
    Bind("Edit_panfaktor", K::Sig3, &g.PanFactor);
    Bind("CheckBox_umrandung", K::Boolean, &p.DefPrintBorder);
    Bind("SpinEdit_dialogfenster", K::Integer, &w.ScreenPercent);
    choice("ComboBox_dialogwindowSizecode", K::Combo, &w.DialogWindowSizeCode, 0);
    Bind("SpinEdit_dialogelemente", K::Integer, &w.FontPercent);
    Bind("CheckBox_3dxyz", K::Boolean, &c.Edit3DAngles);
    Bind("Edit_3dx", K::Degrees, &c.View3DAngles[1]);
    Bind("Edit_3dy", K::Degrees, &c.View3DAngles[2]);
    Bind("Edit_3dz", K::Degrees, &c.View3DAngles[3]);
    Bind("CheckBox_zeichfusszeile", K::ClearedCheck, &c.SheetShowFooter);
    // CAD.
    Bind("CheckBox_layermonochrom", K::Boolean, &c.LayerMonochrome);
    // The CAD program's name of a text font (a style such as "STANDARD"), not
    // a file: written into the CAD files as it stands.
    Bind("Edit_cadfont", K::RawText, &c.CadTextFont);
    Bind("Edit_cadtextbreite", K::Sig3, &c.CadTextWidthFactor);
    Bind("Edit_cadtextwinkel", K::Sig3, &c.CadFontAngle);
    Bind("CheckBox_diagrammgrenzen", K::Boolean, &w.EnterDiagramLimits);
    Bind("SpinEdit_dxfdec", K::Integer, &c.DxfDecimals);
    choice("radiogroupcadtexttyp", K::Radio, &w.CadTextMode, 1);
    Bind("CheckBox_3Dto2D", K::ClearedCheck, &c.Cad3DTo2D);
    Bind("CheckBox_execCadFile", K::Boolean, &c.CadExecFile);
    Bind("CheckBox_japolyArcToLines", K::Boolean, &c.CadArcsToLines);
    Bind("Edit_resolutionArcToLines", K::Sig3, &c.CadArcResolution);
    // Printer.
    Bind("Edit_printxorigin", K::Integer, &p.DefPrintOriginX);
    Bind("Edit_printyorigin", K::Integer, &p.DefPrintOriginY);
    Bind("Edit_printscale", K::Sig3, &p.DefPrintScaleX);
    Bind("Edit_printscaley", K::Sig3, &p.DefPrintScaleY);
    choice("RadioGroup_printmono", K::Radio, &t.PrintColorMode, 1);
    choice("RadioGroup_orientation", K::Radio, &p.DefPrintOrientation, 1);
    Bind("CheckBox_printerDialogbox", K::Boolean, &p.GraphPrintDialog);
    choice("ComboBox_lpt", K::Combo, &t.PrinterPort, 1);
    // Printout.
    choice("RadioGroup_trenn", K::Radio, &t.PrintSeparatorMode, 1);
    Bind("SpinEdit_linesperpage", K::Integer, &t.LinesPerPage);
    Bind("SpinEdit_spacelines", K::Integer, &w.HeaderSpaceLines);
    choice("RadioGroup_date", K::Radio, &w.DateFormatCode, 1);
    choice("ComboBox_ausdruckdefault", K::Combo, &w.TextDevice, 1);
    Bind("CheckBox_ausdruckshowdialog", K::Boolean, &w.TextDeviceDialog);
    Bind("Edit_left", K::Integer, &p.TextWindowRect[0]);
    Bind("Edit_top", K::Integer, &p.TextWindowRect[1]);
    Bind("Edit_width", K::Integer, &p.TextWindowRect[2]);
    Bind("Edit_height", K::Integer, &p.TextWindowRect[3]);
    choice("ComboBox_textwindowsizecode", K::Combo, &w.TextWindowSizeCode, 0);
    choice("RadioGroup_ff", K::Radio, &w.PrintHeaderMode, 1);
    choice("RadioGroup_ausgrad", K::Radio, &w.AngleFormat, 1);
    choice("ComboBox_unit", K::Combo, &w.UnitSystem, 0);
    // Settings.
    choice("RadioGroup_hilfegrad", K::Radio, &t.HelpLevel, 0);
    choice("RadioGroup_punktkomma", K::Radio, &w.DecimalPointMode, 1);
    choice("RadioGroup_ExcelDot", K::Radio, &w.ExcelDecimalMode, 1);
    Bind("SpinEdit_dezimalstellen", K::Integer, &t.DecimalDigits);
    Bind("CheckBox_archivmode", K::Boolean, &t.ArchiveFlag);
    Bind("CheckBox_aktuellfile", K::ClearedCheck, &w.UseCurrentFile);
    choice("RadioGroup_chars", K::Radio, &w.UnitCharMode, 0);
    Bind("CheckBox_hidewarnings", K::Boolean, &w.HideWarnings);
    choice("RadioGroup_ergebnisgrafik", K::Radio, &w.ResultGraphicMode, 0);
    Bind("CheckBox_saveMenuLanguage", K::Boolean, &w.SaveMenuLanguage);
    // External programs.
    Bind("Edit_externtxt", K::FileName, &w.WordProcessorPath);
    Bind("Edit_externhtml", K::FileName, &w.HtmlBrowserPath);
    Bind("Edit_handbuchdir", K::FileName, &w.ManualDir);
    // Drawing sheet: the boxes are ticked when the element is drawn.
    Bind("CheckBox_zeichtelmoratitel", K::ClearedCheck, &c.SheetShowMakerTitle);
    Bind("CheckBox_zeichfilename", K::ClearedCheck, &c.SheetShowFileName);
    Bind("CheckBox_zeichdatum", K::ClearedCheck, &c.SheetShowDate);
    Bind("CheckBox_zeichlogo", K::ClearedCheck, &c.SheetShowLogo);
    Bind("CheckBox_zeichnungskopf", K::ClearedCheck, &c.SheetShowTitleBlock);
    choice("ComboBox_zeichnkopf", K::Combo, &w.TitleBlockType, 0);
    Bind("CheckBox_copyrightvermerk", K::ClearedCheck, &c.SheetShowProtectionNotice);
    choice("ComboBox_7200rand", K::Combo, &w.DrawingBorderWidth, 0);
    Bind("CheckBox_abc123", K::ClearedCheck, &c.SheetShowGridLabels);
    Bind("CheckBox_mmscale", K::ClearedCheck, &c.SheetShowMmScale);
    Bind("CheckBox_aenderungen", K::Boolean, &c.SheetShowChanges);
    Bind("CheckBox_zeichhead034", K::Boolean, &c.SheetUseHeadBlocks);
    Bind("CheckBox_zeichinsert034", K::Boolean, &c.SheetUseInsertBlocks);
    choice("ComboBox_index", K::Combo, &w.IndexStyle, 0);
    Bind("Edit_freigabefeld", K::Text, &c.ReleaseFieldLabel);
    Bind("Edit_massfaktorconfig", K::Sig3, &c.CadDimScale);
}

void Tconfig::LoadStep()
{
    // The window size is shown as size + 1.
    windowWidth_ = telmvar.ScreenPixelsX + 1;
    windowHeight_ = telmvar.ScreenPixelsY + 1;
    LoadFields();
}

// What the rows do not show: the graphics choice, fonts, grids, colour
// panels and plot command lines; then the visibility rules.
void Tconfig::LoadExtras()
{
    const TCadSettings& c = cadsettings;
    const TGraphSettings& g = graphsettings;
    const TPrintSettings& p = printsettings;
    Control("Edit_dirworking").Text = wtelmvar.WorkingDir;
    SetRadio("RadioGroup_bildschirmgrafik", telmvar.ColorGraphics ? 0 : 1);
    graphFont_ = g.GraphTextFont;
    graphStyle_ = g.GraphTextStyle;
    Control("Edit_resolutionArcToLines").Enabled = c.CadArcsToLines;
    SetCombo("ComboBox_cadstltype", c.StlFileType == 0 ? 0 : 1);
    // CAD: grid row r holds layer 6 - r.
    for (int r = 1; r <= 5; ++r) {
        SetLayerCell(r, 0, c.LayerNames[6 - r]);
        SetLayerCell(r, 1, IntToText(c.LayerColours[6 - r]));
        SetLayerCell(r, 2, IntToText(c.LayerLineWidths[6 - r]));
    }
    for (int r = 1; r <= 16; ++r) {
        SetColourCell(r, 0, IntToText(c.LayerColours16[15 + r]));
        SetColourCell(r, 1, IntToText(c.LayerPenWidths16[15 + r]));
    }
    for (int k = 0; k <= 15; ++k)
        panelColours_[static_cast<std::size_t>(k)] = static_cast<uint32_t>(g.ColourTable[k]);
    printFont_ = p.PrintFontName;
    printSize_ = p.PrintFontSize;
    printStyle_ = p.PrintFontStyle;
    std::vector<std::string> plot;
    for (int i = 1; i <= PlotCmdMax; ++i)
        plot.push_back(c.PlotCmdLines[i]);
    PlotLines(plot);
    ShowPanels();
    ShowFonts();
    FormActivate();
}

// --- store step -----------------------------------------------------------------------------

void Tconfig::StoreStep()
{
    StoreFields();
}

// The limits and rules for 0 of the stored rows, and what the rows do not
// hold.
void Tconfig::StoreExtras()
{
    TTelmvar& t = telmvar;
    TWtelmvar& w = wtelmvar;
    TCadSettings& c = cadsettings;
    TGraphSettings& g = graphsettings;
    TPrintSettings& p = printsettings;
    auto orOne = [](Extended& x) {
        if (x == 0) x = 1.0L;
    };
    auto percent = [](int32_t& x) { x = x == 0 ? 100 : std::clamp(x, 30, 300); };
    const TScreenInfo s = winutil.QueryScreen();

    t.ColorGraphics = RadioIndex("RadioGroup_bildschirmgrafik") == 0;
    g.GraphTextFont = graphFont_;
    g.GraphTextStyle = static_cast<uint16_t>(graphStyle_);
    orOne(g.GraphTextWidthFactor);
    orOne(g.TextHeightFactor);
    // Shown as size + 1; a size of 0 is the screen less this dialog's frame.
    int x = StoredWindowPixels(windowWidth_);
    int y = StoredWindowPixels(windowHeight_);
    if (x == 0) x = std::max(0, s.ScreenWidth - FrameWidth);
    if (y == 0) y = std::max(0, s.ScreenHeight - FrameHeight);
    t.ScreenPixelsX = static_cast<uint16_t>(x);
    t.ScreenPixelsY = static_cast<uint16_t>(y);
    orOne(g.ZoomIncrement);
    p.PrintBorder = p.DefPrintBorder;
    percent(w.ScreenPercent);
    percent(w.FontPercent);

    for (int r = 1; r <= 5; ++r) {
        c.LayerNames[6 - r] = LayerCell(r, 0);
        c.LayerColours[6 - r] = TextToInt(TrimBlanks(LayerCell(r, 1)));
        c.LayerLineWidths[6 - r] = TextToInt(TrimBlanks(LayerCell(r, 2)));
    }
    c.DxfDecimals = std::clamp(c.DxfDecimals, 3, 16);
    c.StlFileType = ComboIndex("ComboBox_cadstltype");

    for (int r = 1; r <= 16; ++r) {
        c.LayerColours16[15 + r] = TextToInt(TrimBlanks(ColourCell(r, 0)));
        c.LayerPenWidths16[15 + r] = TextToInt(TrimBlanks(ColourCell(r, 1)));
    }
    for (int k = 0; k <= 15; ++k)
        g.ColourTable[k] = static_cast<int32_t>(panelColours_[static_cast<std::size_t>(k)]);

    t.LinesPerPage = std::clamp(t.LinesPerPage, 1, 999);
    w.HeaderSpaceLines = std::clamp(w.HeaderSpaceLines, 0, 30);
    auto& rect = p.TextWindowRect;
    if (rect[0] < 0 || rect[0] > 1000) rect[0] = 10;
    if (rect[1] < 0 || rect[1] > 450) rect[1] = 40;
    if (rect[2] < 50 || rect[2] > 1000) rect[2] = 700;
    // Too high or too low a window falls back to the window size less 20;
    // never below the 50 pixels a text window needs (a window size of "0"
    // would make it negative). The window size is the one stored, not the
    // one typed: a text window is never higher than its main window can be.
    if (rect[3] > s.ScreenHeight || rect[3] < 50)
        rect[3] = std::max(50, StoredWindowPixels(windowHeight_) + 1 - 20);
    p.PrintFontName = printFont_;
    p.PrintFontSize = static_cast<uint16_t>(printSize_);
    p.PrintFontStyle = static_cast<uint16_t>(printStyle_);

    t.DecimalDigits = std::clamp(t.DecimalDigits, 2, 6);
    // All five lines; how many the file keeps stays PlotCmdCount.
    const auto plot = PlotLines();
    for (int i = 1; i <= PlotCmdMax; ++i)
        c.PlotCmdLines[i] = plot[static_cast<std::size_t>(i - 1)];
    if (c.CadDimScale < 0.01L) c.CadDimScale = 1.0L;
    c.CadArcResolution = UsableArcResolution(c.CadArcResolution);

    platform::CurrentPlatform().MainWindow().SetClientSize(t.ScreenPixelsX + 1, t.ScreenPixelsY + 1);
    GraphFacade.ClearViewPort();
}

// --- visibility rules ---------------------------------------------------------------------------

void Tconfig::FormActivate()
{
    const int head = ComboIndex("ComboBox_zeichnkopf");
    const bool iso = head == 1 || head == 2;
    for (const char* n :
         {"ComboBox_index", "Label_index", "Edit_freigabefeld", "Label_freigabefeld", "Button_freigabefeld"})
        Control(n).Visible = !iso;
    Control("ComboBox_7200rand").Enabled = iso;
    if (!iso) SetCombo("ComboBox_7200rand", 0);
    Control("CheckBox_aenderungen").Visible = iso;
    const bool border10 = ComboIndex("ComboBox_7200rand") == 1;
    Control("CheckBox_abc123").Visible = border10;
    Control("CheckBox_mmscale").Visible = border10;

    const bool sizeInput = ComboIndex("ComboBox_screensizecode") == 0;
    for (const char* n : {"Edit_x", "Edit_y", "Button_aufloesung", "Button_x", "Button_y"})
        Control(n).Visible = sizeInput;
    // The element size's caption goes with its field and "<" button: it
    // names nothing else, while the window size's caption also names the
    // list beside it.
    const bool percentInput = ComboIndex("ComboBox_dialogwindowSizecode") == 0;
    for (const char* n : {"SpinEdit_dialogfenster", "SpinEdit_dialogelemente", "Button_dialogsize",
                          "Button_dialogelemente", "Label_dialogelemente"})
        Control(n).Visible = percentInput;

    const bool autoText = ComboIndex("ComboBox_textwindowsizecode") != 0;
    if (autoText) AutoTextWindow();
    Control("Button_Textwindow").Visible = !autoText;
    for (const char* n : {"Edit_left", "Edit_top", "Edit_width", "Edit_height"})
        Control(n).Enabled = !autoText;
    Touch();
}

void Tconfig::AutoTextWindow()
{
    const TScreenInfo s = winutil.QueryScreen();
    Control("Edit_left").Text = "20";
    Control("Edit_top").Text = "40";
    std::string width = "620";
    if (TextToInt(TrimBlanks(Control("Edit_x").Text)) >= 641)
        width = IntToText(std::lround(printSize_ * 700.0 / 10.0));
    if (TextToInt(width) == 0) width = "700";
    Control("Edit_width").Text = width;
    Control("Edit_height").Text = Sig(std::lround(s.ScreenHeight * 0.95) - 40);
    Touch();
}

void Tconfig::Left(const std::string& Name)
{
    if (Name == "Edit_x")
        ApplyWindowSize(true, false);
    else if (Name == "Edit_y")
        ApplyWindowSize(false, true);
}

void Tconfig::ApplyWindowSize(bool X, bool Y)
{
    platform::Window& main = platform::CurrentPlatform().MainWindow();
    const int x = TextToInt(TrimBlanks(Control("Edit_x").Text));
    const int y = TextToInt(TrimBlanks(Control("Edit_y").Text));
    // Sized within the limits the store step keeps, not to any positive
    // number typed: a window of 99999 pixels a side asked for gigabytes at
    // once, for a size that OK would then have cut to 5001 anyway.
    const int width = X && x > 0 ? StoredWindowPixels(x) + 1 : main.ClientWidth();
    const int height = Y && y > 0 ? StoredWindowPixels(y) + 1 : main.ClientHeight();
    if ((X && x > 0) || (Y && y > 0)) main.SetClientSize(width, height);
}

void Tconfig::Changed(const std::string& Name)
{
    if (Name == "RadioGroup_bildschirmgrafik_1" && Control(Name).Checked &&
        graphsettings.BackgroundColour < 2) {
        graphsettings.BackgroundColour = 0xFFFFFF; // monochrome needs a white ground
        ShowPanels();
    }
    if (Name == "CheckBox_japolyArcToLines") {
        Control("Edit_resolutionArcToLines").Enabled = Control(Name).Checked;
        Touch();
    }
    if (Name == "ComboBox_zeichnkopf" || Name == "ComboBox_7200rand" || Name == "ComboBox_screensizecode" ||
        Name == "ComboBox_dialogwindowSizecode" || Name == "ComboBox_textwindowsizecode")
        FormActivate();
}

void ShowConfigDialog()
{
    telmvar.Aborted = false;
    Tconfig form;
    RunModalDialog(form);
    // The window takes the configured background, also after Cancel (the
    // colour button sets it at once).
    platform::CurrentPlatform().MainWindow().Invalidate();
}
