#include "app/configio.h"

#include "app/privatetempdir.h"
#include "app/windowplacement.h"
#include "dialogs/fileguard.h"
#include "dialogs/messageboxes.h"
#include "foundation/codepage.h"
#include "foundation/fileutil.h"
#include "foundation/numbertext.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/textfile.h"
#include "foundation/textutil.h"
#include "graphics/cadsettings.h"
#include "graphics/graphsettings.h"
#include "platform/platform.h"
#include "reports/textview/printsettings.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <system_error>

TConfigio configio;

std::string UserConfigDir()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    std::string base;
    if (xdg && *xdg == '/')
        base = xdg;
    else if (home && *home)
        base = std::string(home) + "/.config";
    return base.empty() ? std::string() : AddTrailingBackslash(AddTrailingBackslash(base) + "qyr7");
}

std::vector<std::string> DefaultConfigFallbackDirs()
{
    std::vector<std::string> dirs;
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec && exe.has_parent_path()) dirs.push_back(AddTrailingBackslash(exe.parent_path().string()));
    const std::string user = UserConfigDir();
    if (!user.empty()) dirs.push_back(user);
    return dirs;
}

void ResetConfigio()
{
    configio = TConfigio{};
    configio.FallbackDirs = DefaultConfigFallbackDirs();
}

namespace
{

struct InitConfigio {
    InitConfigio() { ResetConfigio(); }
} initConfigio;

TTextFile& File()
{
    return textfile.SharedTextFile;
}

bool FileEnded()
{
    return File().AtEnd();
}

// --- line forms -----------------------------------------------------------------

// The item being written and its label line, for the refusal of a text
// with a line break.
int writingItem = 0;
const char* writingLabel = "";

void Label(const char* Text)
{
    writingLabel = Text;
    WriteTextLine(Text);
}
void SkipLabel()
{
    std::string ignored;
    ReadTextLine(ignored);
}

// A line break would end the value's line early and move every later item
// down a line: the next start would read them all wrong. Such a text is
// not written, and the writer keeps the old file (WriteConfigFile).
void PutText(const std::string& S)
{
    if (HoldsLineBreak(S)) {
        if (configio.LineBreakItem == 0) {
            configio.LineBreakItem = writingItem;
            configio.LineBreakLabel = writingLabel;
        }
        return;
    }
    WriteTextLine(S);
}
void PutInt(int64_t N)
{
    WriteTextLine(IntToText(N));
}
void PutFlag(bool B)
{
    WriteBoolLine(B);
}
void PutShort(Extended X)
{
    WriteTextLine(FloatToSignificant(X));
}
void PutNumber(Extended X)
{
    WriteNumberLine(X);
}

std::string GetText()
{
    std::string s;
    ReadTextLine(s);
    return s;
}
int32_t GetInt()
{
    int32_t n = 0;
    ReadTextInt(n);
    return n;
}
uint16_t GetWord()
{
    uint16_t w = 0;
    ReadTextWord(w);
    return w;
}
Extended GetExtended()
{
    Extended x = 0;
    ReadTextExtended(x);
    return x;
}
double GetDouble()
{
    double x = 0;
    ReadTextDouble(x);
    return x;
}
void GetFlag(bool& B)
{
    ReadBoolTrue(B);
}

bool Outside(int64_t X, int64_t Lo, int64_t Hi)
{
    return X < Lo || X > Hi;
}

// --- the items -------------------------------------------------------------------

using TCheck = TConfigCheck;

// A labelled item of one value line.
TConfigItem Item(int No, const char* L, std::function<void()> Put, std::function<void()> Get,
                 TCheck After = TCheck::None)
{
    return TConfigItem{No, No,
                       [L, Put] {
                           Label(L);
                           Put();
                       },
                       [Get] {
                           SkipLabel();
                           Get();
                       },
                       After};
}

// An item without label line.
TConfigItem Bare(int No, std::function<void()> Put, std::function<void()> Get)
{
    return TConfigItem{No, No, std::move(Put), std::move(Get), TCheck::None};
}

// Items whose label and value are read only while the file goes on.
TConfigItem IfNotEnded(TConfigItem I)
{
    auto get = I.Read;
    I.Read = [get] {
        if (!FileEnded()) get();
    };
    return I;
}

// The items of the page of the directories and where the tables' copies go.
void DirectoryItems(std::vector<TConfigItem>& items)
{
    auto& t = telmvar;
    auto& w = wtelmvar;
    items.push_back(Item(
        6, "CAD Directory", [&t] { PutText(t.CadDir); }, [&t] { t.CadDir = GetText(); }));
    items.push_back(Item(
        7, "DBF Directory", [&t] { PutText(t.DbfDir); }, [&t] { t.DbfDir = GetText(); }));
    // The run's own temporary folder is no setting: it is gone after the run.
    items.push_back(Item(
        21, "temporary directory",
        [&t] { PutText(t.TempDir == privatetempdir.Dir ? std::string() : t.TempDir); },
        [&t] { t.TempDir = GetText(); }));
    items.push_back(Item(
        23, "EDI Directory", [&t] { PutText(t.EdiDir); }, [&t] { t.EdiDir = GetText(); }));
    items.push_back(Item(
        24, "PLT Directory", [&t] { PutText(t.PltDir); }, [&t] { t.PltDir = GetText(); }));
    items.push_back(Item(
        29, "TELMORA directory", [&t] { PutText(t.SharedDir); }, [&t] { t.SharedDir = GetText(); },
        TCheck::StopB));
    items.push_back(Item(
        53, "Default Data Directory", [&w] { PutText(w.DefaultDataDir); },
        [&w, &t] {
            w.DefaultDataDir = GetText();
            if (TrimBlanks(w.DefaultDataDir).empty()) w.DefaultDataDir = AddTrailingBackslash(t.StartDir);
        }));
    items.push_back(Bare(
        95, [&w] { PutText(w.ManualDir); },
        [&w, &t] {
            w.ManualDir = GetText();
            if (w.ManualDir.empty()) w.ManualDir = t.SharedDir;
        }));
    items.push_back(Bare(
        110, [&w] { PutFlag(w.CopyDbfToTemp); }, [&w] { GetFlag(w.CopyDbfToTemp); }));
}

// The items of the page of the graphics window, its text and the screen and dialog sizes.
void GraphicsItems(std::vector<TConfigItem>& items)
{
    auto& t = telmvar;
    auto& w = wtelmvar;
    auto& g = graphsettings;
    items.push_back(Item(
        15, "Color graphics", [&t] { PutFlag(t.ColorGraphics); }, [&t] { GetFlag(t.ColorGraphics); }));
    items.push_back(Item(
        16, "X-Factor for graphic extension", [&g] { PutShort(g.GraphXFactor); },
        [&g] {
            g.GraphXFactor = GetExtended();
            if (g.GraphXFactor == 0) g.GraphXFactor = 1.0L;
        }));
    items.push_back(Item(
        17, "Graph mode", [&t] { PutInt(t.GraphMode); }, [&t] { t.GraphMode = GetInt(); }));
    items.push_back(Item(
        18, "Graph driver", [&t] { PutInt(t.GraphDriver); }, [&t] { t.GraphDriver = GetInt(); }));
    items.push_back(Item(
        19, "Horizontal Pixels", [&t] { PutInt(t.ScreenPixelsX); }, [&t] { t.ScreenPixelsX = GetWord(); }));
    items.push_back(Item(
        20, "Vertical Pixels", [&t] { PutInt(t.ScreenPixelsY); }, [&t] { t.ScreenPixelsY = GetWord(); }));
    items.push_back(Item(
        27, "zoom increment", [&g] { PutNumber(g.ZoomIncrement); },
        [&g] {
            g.ZoomIncrement = GetExtended();
            if (g.ZoomIncrement == 0) g.ZoomIncrement = 1.02L;
        }));
    items.push_back(Item(
        28, "pan faktor", [&g] { PutNumber(g.PanFactor); },
        [&g] {
            g.PanFactor = GetExtended();
            if (g.PanFactor == 0) g.PanFactor = 0.01L;
        }));
    items.push_back(Item(
        31, "background colour", [&g] { PutInt(g.BackgroundColour); },
        [&g] { g.BackgroundColour = GetInt(); }, TCheck::StopB));
    items.push_back(Item(
        34, "Textwidth/height Graphics", [&g] { PutNumber(g.GraphTextWidthFactor); },
        [&g] {
            g.GraphTextWidthFactor = GetExtended();
            if (g.GraphTextWidthFactor == 0) g.GraphTextWidthFactor = 0.8L;
        }));
    items.push_back(Item(
        35, "Text font Graphics", [&g] { PutText(g.GraphTextFont); }, [&g] { g.GraphTextFont = GetText(); },
        TCheck::StopB));
    items.push_back(Item(
        54, "Text Height Factor", [&g] { PutNumber(g.TextHeightFactor); },
        [&g] {
            if (!FileEnded()) g.TextHeightFactor = GetExtended();
            if (g.TextHeightFactor < 0.1L) g.TextHeightFactor = 1.0L;
        }));
    items.push_back(Item(
        55, "Input Window Scale %", [&w] { PutInt(w.ScreenPercent); },
        [&w] {
            if (!FileEnded()) w.ScreenPercent = GetInt();
            if (Outside(w.ScreenPercent, 10, 1000)) w.ScreenPercent = 100;
        }));
    items.push_back(Item(
        66, "Text Style Graphics", [&g] { PutInt(g.GraphTextStyle); },
        [&g] { g.GraphTextStyle = GetWord(); }));
    items.push_back(Bare(
        77, [&w] { PutInt(w.FontPercent); },
        [&w] {
            w.FontPercent = GetInt();
            if (Outside(w.FontPercent, 10, 1000)) w.FontPercent = 100;
        }));
    items.push_back(Bare(
        92,
        [&g] {
            for (int i = 0; i <= 15; ++i)
                PutInt(g.ColourTable[i]);
        },
        [&g] {
            for (int i = 0; i <= 15; ++i) {
                const int32_t colour = GetInt();
                if (colour > 0) g.ColourTable[i] = colour;
            }
        }));
    items.push_back(Bare(
        107, [&w] { PutInt(w.ScreenSizeCode); }, [&w] { w.ScreenSizeCode = GetInt(); }));
    items.push_back(Bare(
        108, [&w] { PutInt(w.DialogWindowSizeCode); }, [&w] { w.DialogWindowSizeCode = GetInt(); }));
}

// The items of the page of the CAD layers, texts and files.
void CadItems(std::vector<TConfigItem>& items)
{
    auto& w = wtelmvar;
    auto& c = cadsettings;
    // Items 1 and 2: name and colour of layers 1 to 5, pair by pair.
    items.push_back({1, 2,
                     [&c] {
                         for (int l = 1; l <= 5; ++l) {
                             Label("Layer");
                             PutText(c.LayerNames[l]);
                             Label("Colour");
                             PutInt(c.LayerColours[l]);
                         }
                     },
                     [&c] {
                         for (int l = 1; l <= 5; ++l) {
                             SkipLabel();
                             c.LayerNames[l] = GetText();
                             SkipLabel();
                             c.LayerColours[l] = GetInt();
                         }
                     }});
    items.push_back(Item(
        3, "Text font CAD", [&c] { PutText(c.CadTextFont); }, [&c] { c.CadTextFont = GetText(); }));
    items.push_back(Item(
        4, "Textwidth/height CAD", [&c] { PutShort(c.CadTextWidthFactor); },
        [&c] {
            c.CadTextWidthFactor = GetExtended();
            if (c.CadTextWidthFactor == 0) c.CadTextWidthFactor = 1.0L;
        }));
    items.push_back(Item(
        5, "Font angle", [&c] { PutShort(c.CadFontAngle); }, [&c] { c.CadFontAngle = GetExtended(); }));
    items.push_back(Item(
        33, "Layer Monochrome", [&c] { PutFlag(c.LayerMonochrome); }, [&c] { GetFlag(c.LayerMonochrome); },
        TCheck::StopGraphFont));
    items.push_back(Item(
        58, "Line thickness Layer 0..5",
        [&c] {
            for (int l = 0; l <= 5; ++l)
                PutInt(c.LayerLineWidths[l]);
        },
        [&c] {
            for (int l = 0; l <= 5; ++l) {
                c.LayerLineWidths[l] = GetInt();
                if (Outside(c.LayerLineWidths[l], 1, 255)) c.LayerLineWidths[l] = 1;
            }
        }));
    items.push_back(Item(
        68, "Edit 3D x,y,z ?", [&c] { PutFlag(c.Edit3DAngles); },
        [&c] { ReadBoolNotFalse(c.Edit3DAngles); }));
    items.push_back(Item(
        69, "3D - Default x,y,z",
        [&c] {
            for (int i = 1; i <= 3; ++i)
                PutNumber(c.View3DAngles[i]);
        },
        [&c] {
            for (int i = 1; i <= 3; ++i)
                c.View3DAngles[i] = GetExtended();
        }));
    items.push_back(Item(
        73, "Decimals DXF,TXT", [&c] { PutInt(c.DxfDecimals); },
        [&c] {
            c.DxfDecimals = GetInt();
            if (Outside(c.DxfDecimals, 1, 32)) c.DxfDecimals = 6;
        }));
    items.push_back(Item(
        74, "CAD Text Mode", [&w] { PutInt(w.CadTextMode); },
        [&w] {
            w.CadTextMode = GetWord();
            if (w.CadTextMode == 0) w.CadTextMode = 1;
        }));
    items.push_back(Item(
        75, "pen width Layer 16..31",
        [&c] {
            for (int n = 16; n <= 31; ++n)
                PutInt(c.LayerPenWidths16[n]);
        },
        [&c] {
            for (int n = 16; n <= 31; ++n)
                c.LayerPenWidths16[n] = GetInt();
        }));
    items.push_back(Bare(
        79, [&c] { PutNumber(c.CadDimScale); },
        [&c] {
            c.CadDimScale = GetExtended();
            if (c.CadDimScale == 0) c.CadDimScale = 1.0L;
        }));
    // Stored inverted: the file says whether 3D output stays 3D.
    items.push_back(Bare(
        93, [&c] { PutFlag(!c.Cad3DTo2D); },
        [&c] {
            bool stays3D = false;
            GetFlag(stays3D);
            c.Cad3DTo2D = !stays3D;
        }));
    items.push_back(Bare(
        105, [&c] { PutNumber(c.CadArcResolution); },
        [&c] { c.CadArcResolution = UsableArcResolution(GetExtended()); }));
    items.push_back(Bare(
        106, [&c] { PutInt(c.StlFileType); }, [&c] { c.StlFileType = GetInt(); }));
}

// The items of the page of the colour palette.
void ColourItems(std::vector<TConfigItem>& items)
{
    auto& c = cadsettings;
    items.push_back({36, 36,
                     [&c] {
                         for (int n = 16; n <= 31; ++n) {
                             WriteTextLine("Color Layer " + IntToText(n));
                             PutInt(c.LayerColours16[n]);
                         }
                     },
                     [&c] {
                         for (int n = 16; n <= 31; ++n) {
                             SkipLabel();
                             c.LayerColours16[n] = GetInt();
                             if (c.LayerColours16[n] == 0) c.LayerColours16[n] = 1;
                         }
                     },
                     TCheck::StopB});
}

// The items of the page of the printer and the graphics printout.
void PrinterItems(std::vector<TConfigItem>& items)
{
    auto& t = telmvar;
    auto& p = printsettings;
    items.push_back(Item(
        9, "Printer interface", [&t] { PutInt(t.PrinterPort); },
        [&t] {
            t.PrinterPort = GetWord();
            if (t.PrinterPort == 0) t.PrinterPort = 1;
        },
        TCheck::StopA));
    items.push_back(Item(
        10, "Printer type", [&t] { PutInt(t.PrinterType); }, [&t] { t.PrinterType = GetWord(); },
        TCheck::StopA));
    items.push_back(Item(
        11, "Printing density", [&t] { PutInt(t.PrintDensity); }, [&t] { t.PrintDensity = GetWord(); }));
    items.push_back(Item(
        12, "Rotate Hardcopy ?", [&t] { PutText(std::string(1, t.RotateHardcopy)); },
        [&t] {
            ReadTextChar(t.RotateHardcopy);
            // An empty value line (or one beyond the end) is no answer: No.
            if (t.RotateHardcopy == '\0' || t.RotateHardcopy == '\r') t.RotateHardcopy = 'N';
        }));
    items.push_back(Item(
        14, "Printing density vertical", [&t] { PutInt(t.PrintDensityVertical); },
        [&t] {
            t.PrintDensityVertical = GetWord();
            if (t.PrintDensityVertical == 0 || t.PrintDensityVertical > 4) t.PrintDensityVertical = 1;
        },
        TCheck::StopA));
    items.push_back(Item(
        22, "printer interface for hardcopy", [&t] { PutInt(t.HardcopyPort); },
        [&t] {
            t.HardcopyPort = GetWord();
            if (t.HardcopyPort == 0) t.HardcopyPort = 1;
        },
        TCheck::StopA));
    items.push_back(Item(
        32, "Windows print mode (1=mono 2=color)", [&t] { PutInt(t.PrintColorMode); },
        [&t] {
            t.PrintColorMode = GetWord();
            if (t.PrintColorMode == 0) t.PrintColorMode = 1;
        },
        TCheck::StopB));
    items.push_back(Item(
        40, "Windows Screendump Origin X", [&p] { PutInt(p.DefPrintOriginX); },
        [&p] { p.DefPrintOriginX = GetInt(); }));
    items.push_back(Item(
        41, "Windows Screendump Origin Y", [&p] { PutInt(p.DefPrintOriginY); },
        [&p] { p.DefPrintOriginY = GetInt(); }));
    items.push_back(Item(
        42, "Windows Screendump Scale", [&p] { PutNumber(p.DefPrintScaleX); },
        [&p] {
            p.DefPrintScaleX = GetDouble();
            if (p.DefPrintScaleX == 0) {
                p.DefPrintScaleX = 1.0;
                p.DefPrintScaleY = 1.0;
            }
        }));
    items.push_back(Item(
        43, "Windows Screendump Border ?", [&p] { PutFlag(p.DefPrintBorder); },
        [&p] { GetFlag(p.DefPrintBorder); }, TCheck::StopB));
    items.push_back(Item(
        57, "Print Scale Vertical", [&p] { PutNumber(p.DefPrintScaleY); },
        [&p] {
            p.DefPrintScaleY = GetDouble();
            if (p.DefPrintScaleY < 0.0001) p.DefPrintScaleY = p.DefPrintScaleX;
        }));
    items.push_back(Item(
        59, "Graphic Printout Dialog Box ?", [&p] { PutFlag(p.GraphPrintDialog); },
        [&p] { GetFlag(p.GraphPrintDialog); }));
    items.push_back(Item(
        67, "Printer: Portrait=1, Landscape=2", [&p] { PutInt(p.DefPrintOrientation); },
        [&p] { p.DefPrintOrientation = GetWord(); }));
}

// The items of the page of the text printout and the text window.
void PrintoutItems(std::vector<TConfigItem>& items)
{
    auto& t = telmvar;
    auto& w = wtelmvar;
    auto& p = printsettings;
    items.push_back(Item(
        25, "Display mode for printout 1:* 2:-", [&t] { PutInt(t.PrintSeparatorMode); },
        [&t] {
            t.PrintSeparatorMode = GetWord();
            if (t.PrintSeparatorMode == 0) t.PrintSeparatorMode = 1;
        }));
    items.push_back(Item(
        26, "Lines per page for printer", [&t] { PutInt(t.LinesPerPage); },
        [&t] {
            t.LinesPerPage = GetInt();
            if (t.LinesPerPage < 5) t.LinesPerPage = 66;
        }));
    items.push_back(IfNotEnded(Item(
        47, "Header Space Lines", [&w] { PutInt(w.HeaderSpaceLines); },
        [&w] {
            w.HeaderSpaceLines = GetInt();
            if (Outside(w.HeaderSpaceLines, 0, 30)) w.HeaderSpaceLines = 0;
        })));
    items.push_back(Item(
        60, "Text window left/top/width/height",
        [&p] {
            const auto& r = p.TextWindowRect;
            WriteFieldLine4(IntToText(r[0]), IntToText(r[1]), IntToText(r[2]), IntToText(r[3]));
        },
        [&p] {
            std::string a, b, cc, d;
            ReadFieldLine4(a, b, cc, d);
            const int32_t width = TextToInt(cc), height = TextToInt(d);
            if (width != 0 && height != 0 && !FileEnded()) {
                p.TextWindowRect[0] = TextToInt(a);
                p.TextWindowRect[1] = TextToInt(b);
                p.TextWindowRect[2] = width;
                p.TextWindowRect[3] = height;
            }
        }));
    items.push_back(Item(
        62, "printout with header=1, header page 1 only=2", [&w] { PutInt(w.PrintHeaderMode); },
        [&w] {
            w.PrintHeaderMode = GetWord();
            if (Outside(w.PrintHeaderMode, 1, 2)) w.PrintHeaderMode = 1;
        }));
    items.push_back(Item(
        63, "Text Font Printout", [&p] { PutText(p.PrintFontName); },
        [&p] {
            p.PrintFontName = GetText();
            if (p.PrintFontName.empty()) p.PrintFontName = "Courier New";
        }));
    items.push_back(Item(
        64, "Text Size Printout", [&p] { PutInt(p.PrintFontSize); },
        [&p] {
            p.PrintFontSize = GetWord();
            if (p.PrintFontSize == 0) p.PrintFontSize = 10;
        }));
    items.push_back(Item(
        65, "Text Style Printout", [&p] { PutInt(p.PrintFontStyle); },
        [&p] { p.PrintFontStyle = GetWord(); }));
    items.push_back(Bare(
        109, [&w] { PutInt(w.TextWindowSizeCode); },
        [&w] {
            w.TextWindowSizeCode = GetInt();
            if (w.TextWindowSizeCode == 1) DefaultTextWindowRect();
        }));
}

// The items of the page of numbers, units, language and the program's own settings.
void SettingsItems(std::vector<TConfigItem>& items)
{
    auto& t = telmvar;
    auto& w = wtelmvar;
    items.push_back(Item(
        8, "Help level", [&t] { PutInt(t.HelpLevel); }, [&t] { t.HelpLevel = GetWord(); }));
    items.push_back(Item(
        13, "Digits for floating point numbers", [&t] { PutInt(t.DecimalDigits); },
        [&t] {
            t.DecimalDigits = GetInt();
            if (Outside(t.DecimalDigits, 1, 9)) t.DecimalDigits = 3;
        }));
    items.push_back(Item(
        38, "Database mode", [&w] { PutInt(w.DatabaseMode); }, [&w] { w.DatabaseMode = GetWord(); }));
    items.push_back(Item(
        45, "Archive Flag ?", [&t] { PutFlag(t.ArchiveFlag); }, [&t] { GetFlag(t.ArchiveFlag); }));
    items.push_back(IfNotEnded(Item(
        46, "Date Code", [&w] { PutInt(w.DateFormatCode); },
        [&w] {
            w.DateFormatCode = GetWord();
            if (w.DateFormatCode == 0) w.DateFormatCode = 3;
        })));
    // Items 48 and 49 go together.
    items.push_back(IfNotEnded({48, 49,
                                [&w] {
                                    Label("Text Device");
                                    PutInt(w.TextDevice);
                                    Label("Text Device Window ?");
                                    PutFlag(w.TextDeviceDialog);
                                },
                                [&w] {
                                    SkipLabel();
                                    w.TextDevice = GetWord();
                                    if (Outside(w.TextDevice, 1, 9)) w.TextDevice = 1;
                                    SkipLabel();
                                    GetFlag(w.TextDeviceDialog);
                                }}));
    items.push_back(IfNotEnded(Item(
        50, "Small Online Window ?", [&w] { PutFlag(w.SmallOnlineWindow); },
        [&w] { GetFlag(w.SmallOnlineWindow); })));
    items.push_back(IfNotEnded(Item(
        51, "Enter Diagram Limits ?", [&w] { PutFlag(w.EnterDiagramLimits); },
        [&w] { GetFlag(w.EnterDiagramLimits); })));
    // The writer holds the mode at 1 while it writes; the remembered value
    // is what goes into the file.
    items.push_back(Item(
        52, "Dot=1 Komma=2", [] { PutInt(configio.SavedDecimalPointMode); },
        [&w] {
            w.DecimalPointMode = GetWord();
            if (Outside(w.DecimalPointMode, 1, 2)) w.DecimalPointMode = 1;
        }));
    items.push_back(Item(
        61, "Metric Units=0,  English units=1", [&w] { PutInt(w.UnitSystem); },
        [&w] {
            w.UnitSystem = GetWord();
            // Only five unit systems exist; any other number would index past
            // their names and factors.
            if (w.UnitSystem > 4) w.UnitSystem = 0;
        }));
    items.push_back(Bare(
        70, [&w] { PutInt(w.IndexStyle); }, [&w] { w.IndexStyle = GetWord(); }));
    items.push_back(Bare(
        71, [&w] { PutInt(w.ExcelDecimalMode); },
        [&w] {
            w.ExcelDecimalMode = GetWord();
            if (w.ExcelDecimalMode == 0) w.ExcelDecimalMode = 2;
        }));
    items.push_back(Bare(
        76, [&w] { PutInt(w.UnitCharMode); }, [&w] { w.UnitCharMode = GetWord(); }));
    items.push_back(Bare(
        78, [&w] { PutInt(w.AngleFormat); },
        [&w] {
            w.AngleFormat = GetWord();
            if (w.AngleFormat == 0 || w.AngleFormat > 2) w.AngleFormat = 2;
        }));
    items.push_back(Bare(
        80, [] { PutInt(configio.ConfigReserved); }, [] { configio.ConfigReserved = GetInt(); }));
    items.push_back(Bare(
        81, [&w] { PutInt(w.Language); }, [&w] { w.Language = GetInt(); }));
    items.push_back(Bare(
        82, [&w] { PutInt(w.ResultGraphicMode); }, [&w] { w.ResultGraphicMode = GetInt(); }));
    items.push_back(Bare(
        90, [&w] { PutFlag(w.SaveMenuLanguage); },
        [&w] {
            GetFlag(w.SaveMenuLanguage);
            if (!w.SaveMenuLanguage) w.Language = 0;
        }));
}

// The items of the page of the external programs.
void ExternalItems(std::vector<TConfigItem>& items)
{
    auto& w = wtelmvar;
    auto& c = cadsettings;
    items.push_back(Item(
        30, "KORVILT command line", [&c] { PutText(c.PlotCmdLines[1]); },
        [&c] {
            const std::string line = GetText();
            if (!line.empty()) c.PlotCmdLines[1] = line;
        },
        TCheck::StopB));
    items.push_back(Item(
        37, "word processor", [&w] { PutText(w.WordProcessorPath); },
        [&w] { w.WordProcessorPath = GetText(); }));
    items.push_back(Item(
        39, "external database", [&w] { PutText(w.ExternalDatabasePath); },
        [&w] { w.ExternalDatabasePath = GetText(); }, TCheck::StopB));
    items.push_back(Item(
        44, "KORVILT Command lines (n, line 2 .. line n)",
        [&c] {
            const int n = std::clamp<int>(c.PlotCmdCount, 1, PlotCmdMax);
            PutInt(n);
            for (int i = 2; i <= n; ++i)
                PutText(c.PlotCmdLines[i]);
        },
        [&c] {
            const int n = GetWord();
            // Room for five: the lines of a larger count are read past, and
            // a count of 0 still leaves the first line in use.
            for (int i = 2; i <= n; ++i) {
                std::string line = GetText();
                if (i <= PlotCmdMax) c.PlotCmdLines[i] = line;
            }
            c.PlotCmdCount = static_cast<uint16_t>(std::clamp(n, 1, PlotCmdMax));
        }));
    items.push_back(Item(
        56, "HTML Browser", [&w] { PutText(w.HtmlBrowserPath); }, [&w] { w.HtmlBrowserPath = GetText(); },
        TCheck::StopB));
}

// The items of the page of the drawing sheet and its title block.
void DrawingItems(std::vector<TConfigItem>& items)
{
    auto& w = wtelmvar;
    auto& c = cadsettings;
    items.push_back(Bare(
        72, [&c] { PutText(c.ReleaseFieldLabel); }, [&c] { c.ReleaseFieldLabel = GetText(); }));
    for (auto [no, flag] : std::initializer_list<std::pair<int, bool*>>{{83, &c.SheetShowMakerTitle},
                                                                        {84, &c.SheetShowFileName},
                                                                        {85, &c.SheetShowDate},
                                                                        {86, &c.SheetShowLogo},
                                                                        {87, &c.SheetShowFooter},
                                                                        {88, &c.SheetShowTitleBlock},
                                                                        {89, &w.UseCurrentFile}})
        items.push_back(Bare(
            no, [flag] { PutFlag(*flag); }, [flag] { GetFlag(*flag); }));
    items.push_back(Bare(
        91, [&w] { PutInt(w.TitleBlockType); }, [&w] { w.TitleBlockType = GetInt(); }));
    items.push_back(Bare(
        94, [&c] { PutFlag(c.SheetShowProtectionNotice); }, [&c] { GetFlag(c.SheetShowProtectionNotice); }));
    items.push_back(Bare(
        96, [&w] { PutInt(w.DrawingBorderWidth); }, [&w] { w.DrawingBorderWidth = GetInt(); }));
    for (auto [no, flag] : std::initializer_list<std::pair<int, bool*>>{{97, &c.SheetShowGridLabels},
                                                                        {98, &c.SheetShowMmScale},
                                                                        {99, &c.SheetShowChanges},
                                                                        {100, &c.SheetUseHeadBlocks},
                                                                        {101, &c.SheetUseInsertBlocks},
                                                                        {102, &w.HideWarnings},
                                                                        {103, &c.CadExecFile},
                                                                        {104, &c.CadArcsToLines}})
        items.push_back(Bare(
            no, [flag] { PutFlag(*flag); }, [flag] { GetFlag(*flag); }));
}

// The items of every page of the configuration dialog, in file order.
std::vector<TConfigItem> BuildItems()
{
    std::vector<TConfigItem> items;
    DirectoryItems(items);
    GraphicsItems(items);
    CadItems(items);
    ColourItems(items);
    PrinterItems(items);
    PrintoutItems(items);
    SettingsItems(items);
    ExternalItems(items);
    DrawingItems(items);
    std::stable_sort(items.begin(), items.end(),
                     [](const TConfigItem& A, const TConfigItem& B) { return A.No < B.No; });
    return items;
}

// --- screen rules ------------------------------------------------------------------

void ScreenPixelRule(const TScreenInfo& s)
{
    if (telmvar.ScreenPixelsX == 0 || telmvar.ScreenPixelsX == 65535)
        telmvar.ScreenPixelsX = static_cast<uint16_t>(std::max(0, s.ScreenWidth - 9));
    if (telmvar.ScreenPixelsY == 0 || telmvar.ScreenPixelsY == 65535)
        telmvar.ScreenPixelsY = static_cast<uint16_t>(std::max(0, s.ScreenHeight - 91));
}

void ScreenPercentRule(const TScreenInfo& s)
{
    wtelmvar.ScreenPercent = AutoScreenPercent(s);
}

} // namespace

const std::vector<TConfigItem>& ConfigItems()
{
    static const std::vector<TConfigItem> items = BuildItems();
    return items;
}

std::string ConfigFileName()
{
    return AddTrailingBackslash(wtelmvar.ConfigDir) + telmvar.ProgramFileStem + ".cfg";
}

void DefaultTextWindowRect()
{
    const TScreenInfo s = winutil.QueryScreen();
    auto& r = printsettings.TextWindowRect;
    r[0] = 20;
    r[1] = 40;
    int32_t width = static_cast<int32_t>(std::lround(printsettings.PrintFontSize * 700.0 / 10.0));
    width = std::min(width, s.ScreenWidth);
    if (width == 0) width = 700;
    r[2] = width;
    r[3] = static_cast<int32_t>(std::lround(s.ScreenHeight * 0.95)) - 40;
}

void ApplyScreenConfig()
{
    const TScreenInfo s = winutil.QueryScreen();
    ScreenPixelRule(s);
    const int code = wtelmvar.ScreenSizeCode;
    if (code == 1 || code == 2) {
        const int W = MaxClientWidth();
        const int H = MaxClientHeight();
        int x = W, y = H;
        if (code == 1) {
            if (W / 4 < H / 3)
                y = (W / 4) * 3;
            else if (W / 4 > H / 3)
                x = (H / 3) * 4;
        }
        telmvar.ScreenPixelsX = static_cast<uint16_t>(std::clamp(x, 0, 65535));
        telmvar.ScreenPixelsY = static_cast<uint16_t>(std::clamp(y, 0, 65535));
        platform::CurrentPlatform().MainWindow().SetClientSize(telmvar.ScreenPixelsX, telmvar.ScreenPixelsY);
    }
    configio.AutoDialogSize = TAutoDialogSize::None;
    if (wtelmvar.DialogWindowSizeCode == 1) {
        configio.AutoDialogSize = TAutoDialogSize::SizeAndElements;
        ApplyAutoDialogSize();
    }
    File().Close();
    wtelmvar.CopyDbfToTemp = false;
}

void ApplyAutoDialogSize()
{
    if (configio.AutoDialogSize == TAutoDialogSize::None) return;
    const TScreenInfo s = winutil.QueryScreen();
    ScreenPercentRule(s);
    if (configio.AutoDialogSize == TAutoDialogSize::SizeAndElements)
        wtelmvar.FontPercent = AutoFontPercent(s, wtelmvar.ScreenPercent);
}

void ReadConfigFile()
{
    configio.AutoDialogSize = TAutoDialogSize::None; // a file that stops early leaves the size as read
    TTextFile& f = File();
    std::vector<std::string> candidates{AddTrailingBackslash(wtelmvar.ConfigDir)};
    for (const auto& dir : configio.FallbackDirs)
        candidates.push_back(dir);
    bool opened = false;
    for (std::size_t i = 0; i < candidates.size() && !opened; ++i) {
        f.Assign(candidates[i] + telmvar.ProgramFileStem + ".cfg");
        opened = f.OpenRead(ConfigFileMaxBytes);
        if (opened && i > 0) wtelmvar.ConfigDir = candidates[i];
    }
    if (!opened) {
        const TScreenInfo s = winutil.QueryScreen();
        ScreenPixelRule(s);
        printsettings.TextWindowRect[3] = s.ScreenHeight - 80;
        configio.AutoDialogSize = TAutoDialogSize::SizeOnly;
        ApplyAutoDialogSize();
        telmvar.Aborted = true;
        return;
    }
    graphsettings.GraphXFactor = 1.0L;
    SkipLabel();
    SkipLabel();
    for (const auto& item : ConfigItems()) {
        item.Read();
        if (!FileEnded()) continue;
        switch (item.After) {
        case TConfigCheck::None:
            continue;
        case TConfigCheck::StopA:
            f.Close();
            return;
        case TConfigCheck::StopGraphFont:
            graphsettings.GraphTextWidthFactor = cadsettings.CadTextWidthFactor;
            graphsettings.GraphTextFont = "Arial";
            [[fallthrough]];
        case TConfigCheck::StopB:
            ApplyScreenConfig();
            return;
        }
    }
    ApplyScreenConfig();
}

void WriteConfigFile()
{
    configio.LineBreakItem = 0;
    configio.LineBreakLabel.clear();
    if (telmvar.Aborted) return;
    TTextFile& f = File();
    f.Assign(ConfigFileName());
    if (!RewriteRetrying(f) || telmvar.Aborted) return;
    configio.SavedDecimalPointMode = wtelmvar.DecimalPointMode;
    const char separator = wtelmvar.RegionalDecimalSeparator;
    wtelmvar.DecimalPointMode = 1;
    wtelmvar.RegionalDecimalSeparator = '.';
    WriteTextLine(telmvar.ProgramFileStem + " " + "Configuration");
    WriteTextLine("Version " + telmvar.ProgramVersion);
    for (const auto& item : ConfigItems()) {
        writingItem = item.No;
        writingLabel = "";
        item.Write();
    }
    wtelmvar.DecimalPointMode = static_cast<uint16_t>(configio.SavedDecimalPointMode);
    wtelmvar.RegionalDecimalSeparator = separator;
    if (configio.LineBreakItem != 0) {
        f.Abandon();
        telmvar.Aborted = true;
        return;
    }
    // A line, the close or the renaming over the old file failed: the old
    // file stays as it was, and the box names the file and the system's
    // reason.
    if (!telmvar.Aborted && f.Close()) return;
    f.Abandon();
    telmvar.Aborted = true;
    ShowCannotBeWritten(f.Name(), f.WriteFailure());
}
