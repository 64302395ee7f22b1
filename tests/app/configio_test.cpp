// The configuration file: every one of the 110 items written and read back,
// the layout line by line, the fallbacks of the reader, the end-of-file
// checkpoints of older and shorter files, and the session file.
#include "appfixture.h"

#include "app/configdirs.h"
#include "app/sessionfile.h"
#include "common/statereset.h"
#include "common/tempdir.h"
#include "foundation/textfile.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <optional>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{

struct TProbe {
    int No;
    std::string Name;
    std::function<void()> Set;     // a value other than the start-up value
    std::function<bool()> IsSet;   // the variable holds that value
    std::function<bool()> Initial; // the variable holds its start-up value
};

template <class T> TProbe Probe(int No, const char* Name, T& Var, T Value)
{
    const T initial = Var;
    return {No, Name, [&Var, Value] { Var = Value; }, [&Var, Value] { return Var == Value; },
            [&Var, initial] { return Var == initial; }};
}

#define PROBE(no, var, value) Probe(no, #var, var, static_cast<std::decay_t<decltype(var)>>(value))

std::vector<std::string> Lines(const std::string& Text)
{
    // Every CR LF ends a line, an empty one included; a last line without
    // its line end counts too.
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < Text.size()) {
        const auto end = Text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(Text.substr(start));
            break;
        }
        lines.push_back(Text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string Joined(const std::vector<std::string>& Lines, std::size_t Count)
{
    std::string text;
    for (std::size_t i = 0; i < Count && i < Lines.size(); ++i)
        text += Lines[i] + "\r\n";
    return text;
}

class ConfigFile : public AppTest
{
  protected:
    void SetUp() override
    {
        AppTest::SetUp();
        auto& t = telmvar;
        auto& w = wtelmvar;
        auto& c = cadsettings;
        auto& g = graphsettings;
        auto& p = printsettings;
        // Values a fresh start never has, each of a form its item keeps
        // exactly (short numbers with three significant digits).
        probes = {
            PROBE(1, c.LayerNames[1], "CONTOUR"),
            PROBE(1, c.LayerNames[5], "TEXT"),
            PROBE(2, c.LayerColours[1], 7),
            PROBE(2, c.LayerColours[5], 9),
            PROBE(3, c.CadTextFont, "ROMANS"),
            PROBE(4, c.CadTextWidthFactor, 1.25L),
            PROBE(5, c.CadFontAngle, 15.0L),
            PROBE(6, t.CadDir, "/cad/"),
            PROBE(7, t.DbfDir, "/dbf/"),
            PROBE(8, t.HelpLevel, 2),
            PROBE(9, t.PrinterPort, 3),
            PROBE(10, t.PrinterType, 5),
            PROBE(11, t.PrintDensity, 2),
            PROBE(12, t.RotateHardcopy, 'N'),
            PROBE(13, t.DecimalDigits, 5),
            PROBE(14, t.PrintDensityVertical, 4),
            PROBE(15, t.ColorGraphics, false),
            PROBE(16, g.GraphXFactor, 0.75L),
            PROBE(17, t.GraphMode, 4),
            PROBE(18, t.GraphDriver, 9),
            PROBE(19, t.ScreenPixelsX, 800),
            PROBE(20, t.ScreenPixelsY, 600),
            PROBE(21, t.TempDir, "/tmp/q/"),
            PROBE(22, t.HardcopyPort, 2),
            PROBE(23, t.EdiDir, "/edi/"),
            PROBE(24, t.PltDir, "/plt/"),
            PROBE(25, t.PrintSeparatorMode, 2),
            PROBE(26, t.LinesPerPage, 60),
            PROBE(27, g.ZoomIncrement, 1.5L),
            PROBE(28, g.PanFactor, 0.25L),
            PROBE(29, t.SharedDir, "/shared/"),
            PROBE(30, c.PlotCmdLines[1], "plot one"),
            PROBE(31, g.BackgroundColour, 0xFFFFFF),
            PROBE(32, t.PrintColorMode, 2),
            PROBE(33, c.LayerMonochrome, true),
            PROBE(34, g.GraphTextWidthFactor, 0.9L),
            PROBE(35, g.GraphTextFont, "Courier"),
            PROBE(36, c.LayerColours16[16], 56),
            PROBE(36, c.LayerColours16[31], 71),
            PROBE(37, w.WordProcessorPath, "/usr/bin/editor"),
            PROBE(38, w.DatabaseMode, 2),
            PROBE(39, w.ExternalDatabasePath, "/usr/bin/dbf"),
            PROBE(40, p.DefPrintOriginX, 12),
            PROBE(41, p.DefPrintOriginY, -8),
            PROBE(42, p.DefPrintScaleX, 2.5),
            PROBE(43, p.DefPrintBorder, true),
            PROBE(44, c.PlotCmdCount, 3),
            PROBE(44, c.PlotCmdLines[2], "plot two"),
            PROBE(44, c.PlotCmdLines[3], "plot three"),
            PROBE(45, t.ArchiveFlag, true),
            PROBE(46, w.DateFormatCode, 1),
            PROBE(47, w.HeaderSpaceLines, 4),
            PROBE(48, w.TextDevice, 6),
            PROBE(49, w.TextDeviceDialog, true),
            PROBE(50, w.SmallOnlineWindow, true),
            PROBE(51, w.EnterDiagramLimits, true),
            PROBE(52, w.DecimalPointMode, 2),
            PROBE(53, w.DefaultDataDir, "/data/"),
            PROBE(54, g.TextHeightFactor, 1.5L),
            PROBE(55, w.ScreenPercent, 120),
            PROBE(56, w.HtmlBrowserPath, "/usr/bin/browser"),
            PROBE(57, p.DefPrintScaleY, 3.5),
            PROBE(58, c.LayerLineWidths[0], 2),
            PROBE(58, c.LayerLineWidths[5], 7),
            PROBE(59, p.GraphPrintDialog, false),
            PROBE(61, w.UnitSystem, 4),
            PROBE(62, w.PrintHeaderMode, 2),
            PROBE(63, p.PrintFontName, "Mono"),
            PROBE(64, p.PrintFontSize, 12),
            PROBE(65, p.PrintFontStyle, 1),
            PROBE(66, g.GraphTextStyle, 2),
            PROBE(67, p.DefPrintOrientation, 1),
            PROBE(68, c.Edit3DAngles, false),
            PROBE(69, c.View3DAngles[1], 0.125L),
            PROBE(69, c.View3DAngles[2], -0.5L),
            PROBE(69, c.View3DAngles[3], 2.75L),
            PROBE(70, w.IndexStyle, 1),
            PROBE(71, w.ExcelDecimalMode, 1),
            PROBE(72, c.ReleaseFieldLabel, "released"),
            PROBE(73, c.DxfDecimals, 8),
            PROBE(74, w.CadTextMode, 3),
            PROBE(75, c.LayerPenWidths16[16], 2),
            PROBE(75, c.LayerPenWidths16[31], 17),
            PROBE(76, w.UnitCharMode, 1),
            PROBE(77, w.FontPercent, 90),
            PROBE(78, w.AngleFormat, 2),
            PROBE(79, c.CadDimScale, 2.5L),
            PROBE(80, configio.ConfigReserved, 77),
            PROBE(81, w.Language, 2),
            PROBE(82, w.ResultGraphicMode, 4),
            PROBE(83, c.SheetShowMakerTitle, true),
            PROBE(84, c.SheetShowFileName, true),
            PROBE(85, c.SheetShowDate, true),
            PROBE(86, c.SheetShowLogo, true),
            PROBE(87, c.SheetShowFooter, true),
            PROBE(88, c.SheetShowTitleBlock, true),
            PROBE(89, w.UseCurrentFile, true),
            PROBE(90, w.SaveMenuLanguage, true),
            PROBE(91, w.TitleBlockType, 3),
            PROBE(92, g.ColourTable[0], 0x123456),
            PROBE(92, g.ColourTable[15], 0x654321),
            PROBE(93, c.Cad3DTo2D, false),
            PROBE(94, c.SheetShowProtectionNotice, true),
            PROBE(95, w.ManualDir, "/manual/"),
            PROBE(96, w.DrawingBorderWidth, 3),
            PROBE(97, c.SheetShowGridLabels, true),
            PROBE(98, c.SheetShowMmScale, true),
            PROBE(99, c.SheetShowChanges, true),
            PROBE(100, c.SheetUseHeadBlocks, true),
            PROBE(101, c.SheetUseInsertBlocks, true),
            PROBE(102, w.HideWarnings, true),
            PROBE(103, c.CadExecFile, false),
            PROBE(104, c.CadArcsToLines, false),
            PROBE(105, c.CadArcResolution, 0.25L),
            PROBE(106, c.StlFileType, 1),
            PROBE(107, w.ScreenSizeCode, 0),
            PROBE(108, w.DialogWindowSizeCode, 0),
            PROBE(109, w.TextWindowSizeCode, 2),
        };
    }

    void SetAll()
    {
        for (auto& p : probes)
            p.Set();
        printsettings.TextWindowRect = {{{11, 41, 701, 441}}};
        wtelmvar.CopyDbfToTemp = true;
    }

    // Resets every setting (keeping the configuration directory) and reads.
    void ResetAndRead()
    {
        const std::string dirName = wtelmvar.ConfigDir;
        ResetProgramState();
        configio.FallbackDirs.clear();
        InitProgramIdentity();
        wtelmvar.ConfigDir = dirName;
        ReadConfigFile();
    }

    std::string FileText() { return ReadWholeFile(ConfigFileName()); }

    std::vector<TProbe> probes;
};

} // namespace

TEST_F(ConfigFile, EveryItemHasAProbe)
{
    std::set<int> covered{60, 110}; // tested on their own below
    for (const auto& p : probes)
        covered.insert(p.No);
    for (int no = 1; no <= 110; ++no)
        EXPECT_TRUE(covered.count(no)) << "item " << no;
    // The item table covers 1..110 in order without gaps.
    int next = 1;
    for (const auto& item : ConfigItems()) {
        EXPECT_EQ(item.No, next);
        next = item.LastNo + 1;
    }
    EXPECT_EQ(next, 111);
}

TEST_F(ConfigFile, AllItemsComeBackAsWritten)
{
    SetAll();
    WriteConfigFile();
    ASSERT_FALSE(telmvar.Aborted);
    ResetAndRead();
    EXPECT_FALSE(telmvar.Aborted);
    for (const auto& p : probes)
        EXPECT_TRUE(p.IsSet()) << "item " << p.No << " " << p.Name;
    EXPECT_EQ(printsettings.TextWindowRect, (TArray<int32_t, 0, 3>{{{11, 41, 701, 441}}}));
    // Never carried over to the next start.
    EXPECT_FALSE(wtelmvar.CopyDbfToTemp);
}

TEST_F(ConfigFile, TheDefaultFileHasItsLinesInOrder)
{
    WriteConfigFile();
    const auto lines = Lines(FileText());
    // 2 title lines; layers 5 x 4; items 3..35 with a label each (66);
    // sixteen pen colours with labels (32); items 37..43 (14); the command
    // line count (2); items 45..57 (26); six line widths (7); items 59, 60
    // (4); items 61..68 (16); three 3D angles (4); 70..72 bare (3); 73, 74
    // (4); sixteen pen widths (17); 76..91 bare (16); 16 colours (16);
    // 93..110 bare (18).
    ASSERT_EQ(lines.size(), 267u);
    EXPECT_EQ(lines[0], "qyr7 Configuration");
    EXPECT_EQ(lines[1], "Version 1.0");
    EXPECT_EQ(lines[2], "Layer");
    EXPECT_EQ(lines[3], "1");
    EXPECT_EQ(lines[4], "Colour");
    EXPECT_EQ(lines[5], "2");
    EXPECT_EQ(lines[22], "Text font CAD");
    EXPECT_EQ(lines[23], "TXT8");
    EXPECT_EQ(lines[24], "Textwidth/height CAD");
    EXPECT_EQ(lines[25], "1");
    // Item 12 is one character.
    EXPECT_EQ(lines[40], "Rotate Hardcopy ?");
    EXPECT_EQ(lines[41], "J");
    EXPECT_EQ(lines[76], "KORVILT command line");
    EXPECT_EQ(lines[77], "C:\\KORVILT\\WKORVILT KORVILT.DXF /M1.0");
    EXPECT_EQ(lines[82], "Layer Monochrome");
    EXPECT_EQ(lines[88], "Color Layer 16");
    EXPECT_EQ(lines[89], "1");
    EXPECT_EQ(lines[118], "Color Layer 31");
    EXPECT_EQ(lines[119], "16");
    // A count of 1 is followed directly by the archive flag's label.
    EXPECT_EQ(lines[134], "KORVILT Command lines (n, line 2 .. line n)");
    EXPECT_EQ(lines[135], "1");
    EXPECT_EQ(lines[136], "Archive Flag ?");
    EXPECT_EQ(lines[137], "FALSE");
    EXPECT_EQ(lines[150], "Dot=1 Komma=2");
    EXPECT_EQ(lines[158], "HTML Browser");
    EXPECT_EQ(lines[162], "Line thickness Layer 0..5");
    EXPECT_EQ(lines[163], "3");
    EXPECT_EQ(lines[168], "3");
    EXPECT_EQ(lines[171], "Text window left/top/width/height");
    EXPECT_EQ(lines[172], "10|40|700|440|");
    EXPECT_EQ(lines[173], "Metric Units=0,  English units=1");
    // Cad3DTo2D true is stored as "FALSE"; the last line is CopyDbfToTemp.
    EXPECT_EQ(lines[266 - 17], "FALSE");
    EXPECT_EQ(lines[266], "FALSE");
}

TEST_F(ConfigFile, Cad3DTo2DIsStoredInverted)
{
    WriteConfigFile();
    const auto lines = Lines(FileText());
    ASSERT_EQ(lines.size(), 267u);
    // Item 93 comes after the 16 colours that end 18 lines before the end.
    EXPECT_EQ(lines[249], "FALSE");
    cadsettings.Cad3DTo2D = false;
    WriteConfigFile();
    EXPECT_EQ(Lines(FileText())[249], "TRUE");
    ResetAndRead();
    EXPECT_FALSE(cadsettings.Cad3DTo2D);
}

TEST_F(ConfigFile, CommaModeIsKeptWhileEveryNumberUsesAPoint)
{
    wtelmvar.DecimalPointMode = 2;
    wtelmvar.RegionalDecimalSeparator = ',';
    graphsettings.ZoomIncrement = 1.5L;
    WriteConfigFile();
    const std::string text = FileText();
    EXPECT_NE(text.find("Dot=1 Komma=2\r\n2\r\n"), std::string::npos);
    EXPECT_NE(text.find("zoom increment\r\n"), std::string::npos);
    // No value line is a number with a decimal comma.
    for (const auto& line : Lines(text)) {
        const bool numeric = !line.empty() && line.find_first_not_of("0123456789-+., ") == std::string::npos;
        if (numeric) {
            EXPECT_EQ(line.find(','), std::string::npos) << line;
        }
    }
    // The settings are as they were after writing.
    EXPECT_EQ(wtelmvar.DecimalPointMode, 2);
    EXPECT_EQ(wtelmvar.RegionalDecimalSeparator, ',');
}

TEST_F(ConfigFile, ReaderFallbacks)
{
    cadsettings.CadArcResolution = 0.4375L; // item 105 has no label: its line is found by its value
    WriteConfigFile();
    auto lines = Lines(FileText());
    const auto arc = std::find_if(lines.begin(), lines.end(),
                                  [](const std::string& l) { return l.find("4375") != l.npos; });
    ASSERT_NE(arc, lines.end());
    *arc = "0.000001";
    auto set = [&](const std::string& label, const std::string& value) {
        for (std::size_t i = 0; i + 1 < lines.size(); ++i)
            if (lines[i] == label) {
                lines[i + 1] = value;
                return;
            }
        FAIL() << label;
    };
    set("Digits for floating point numbers", "10");
    set("Lines per page for printer", "4");
    set("Input Window Scale %", "5");
    set("Printer interface", "0");
    set("Printing density vertical", "5");
    set("zoom increment", "0");
    set("pan faktor", "0");
    set("Color Layer 17", "0");
    set("Textwidth/height CAD", "0");
    set("Text Device", "12");
    set("Header Space Lines", "31");
    set("Date Code", "0");
    set("Dot=1 Komma=2", "3");
    set("Decimals DXF,TXT", "33");
    set("CAD Text Mode", "0");
    set("Text Font Printout", "");
    set("Text Size Printout", "0");
    set("Metric Units=0,  English units=1", "7");
    set("Rotate Hardcopy ?", "");
    set("KORVILT command line", "");
    // Item 92's first colour: 0 keeps the current colour.
    WriteWholeFile(ConfigFileName(), Joined(lines, lines.size()));
    wtelmvar.DialogWindowSizeCode = 0;
    ResetAndRead();
    EXPECT_EQ(telmvar.DecimalDigits, 3);
    EXPECT_EQ(telmvar.LinesPerPage, 66);
    EXPECT_EQ(telmvar.PrinterPort, 1);
    EXPECT_EQ(telmvar.PrintDensityVertical, 1);
    EXPECT_EQ(graphsettings.ZoomIncrement, 1.02L);
    EXPECT_EQ(graphsettings.PanFactor, 0.01L);
    EXPECT_EQ(cadsettings.LayerColours16[17], 1);
    EXPECT_EQ(cadsettings.CadTextWidthFactor, 1.0L);
    EXPECT_EQ(wtelmvar.TextDevice, 1);
    EXPECT_EQ(wtelmvar.HeaderSpaceLines, 0);
    EXPECT_EQ(wtelmvar.DateFormatCode, 3);
    EXPECT_EQ(wtelmvar.DecimalPointMode, 1);
    EXPECT_EQ(cadsettings.DxfDecimals, 6);
    EXPECT_EQ(wtelmvar.CadTextMode, 1);
    EXPECT_EQ(printsettings.PrintFontName, "Courier New");
    EXPECT_EQ(printsettings.PrintFontSize, 10);
    EXPECT_EQ(wtelmvar.UnitSystem, 0);
    EXPECT_EQ(telmvar.RotateHardcopy, 'N');
    EXPECT_EQ(cadsettings.PlotCmdLines[1], "C:\\KORVILT\\WKORVILT KORVILT.DXF /M1.0");
    EXPECT_EQ(graphsettings.ColourTable[0], 0);
    EXPECT_EQ(cadsettings.CadArcResolution, 0.01L);
    // The file's own ScreenPercent of 5 is out of range: 100 (the automatic
    // dialog size is on in the file, so it is derived again from the screen).
}

TEST_F(ConfigFile, ScreenPercentOutOfRangeReadsAsHundred)
{
    wtelmvar.DialogWindowSizeCode = 0;
    wtelmvar.ScreenPercent = 5;
    WriteConfigFile();
    ResetAndRead();
    EXPECT_EQ(wtelmvar.ScreenPercent, 100);
}

TEST_F(ConfigFile, ZeroColoursKeepTheCurrentColour)
{
    graphsettings.ColourTable[3] = 0;
    WriteConfigFile();
    ResetAndRead();
    EXPECT_EQ(graphsettings.ColourTable[3], 0xFFFF00) << "default palette entry 3";
}

TEST_F(ConfigFile, SaveMenuLanguageFalseMakesTheLanguageZero)
{
    wtelmvar.Language = 3;
    wtelmvar.SaveMenuLanguage = false;
    WriteConfigFile();
    ResetAndRead();
    EXPECT_EQ(wtelmvar.Language, 0);
}

TEST_F(ConfigFile, EmptyDirectoriesFallBack)
{
    wtelmvar.DefaultDataDir = "";
    wtelmvar.ManualDir = "";
    telmvar.SharedDir = "/shared/";
    WriteConfigFile();
    ResetAndRead();
    EXPECT_EQ(wtelmvar.DefaultDataDir, telmvar.StartDir + "/");
    EXPECT_EQ(wtelmvar.ManualDir, "/shared/");
}

TEST_F(ConfigFile, APlotCommandCountAboveFiveIsClampedAndTheSurplusSkipped)
{
    WriteConfigFile();
    auto lines = Lines(FileText());
    std::vector<std::string> edited;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        edited.push_back(lines[i]);
        if (lines[i] == "KORVILT Command lines (n, line 2 .. line n)") {
            edited.push_back("7");
            for (int n = 2; n <= 7; ++n)
                edited.push_back("plot " + std::to_string(n));
            ++i;
        }
    }
    for (std::size_t i = 0; i < edited.size(); ++i)
        if (edited[i] == "Archive Flag ?") edited[i + 1] = "TRUE";
    WriteWholeFile(ConfigFileName(), Joined(edited, edited.size()));
    ResetAndRead();
    EXPECT_EQ(cadsettings.PlotCmdCount, 5);
    EXPECT_EQ(cadsettings.PlotCmdLines[5], "plot 5");
    // The lines after the surplus are read in their places.
    EXPECT_TRUE(telmvar.ArchiveFlag);
    // Written back with five.
    WriteConfigFile();
    const std::string text = FileText();
    EXPECT_NE(text.find("line n)\r\n5\r\nplot 2\r\nplot 3\r\nplot 4\r\nplot 5\r\nArchive Flag ?"),
              std::string::npos);
}

TEST_F(ConfigFile, NoFileSetsAbortedAndKeepsTheStartValues)
{
    ReadConfigFile();
    EXPECT_TRUE(telmvar.Aborted);
    // The screen rule: a 1024 x 768 screen gives 1015 x 677 pixels, and the
    // result window gets the screen height less 80.
    EXPECT_EQ(telmvar.ScreenPixelsX, 1015);
    EXPECT_EQ(telmvar.ScreenPixelsY, 677);
    EXPECT_EQ(printsettings.TextWindowRect[3], 688);
    EXPECT_EQ(cadsettings.CadTextFont, "TXT8");
}

TEST_F(ConfigFile, TheFallbackDirectoryBecomesTheConfigDirectory)
{
    const fs::path other = dir / "elsewhere";
    fs::create_directories(other);
    wtelmvar.ConfigDir = other.string() + "/";
    cadsettings.CadTextFont = "FOUND";
    WriteConfigFile();
    wtelmvar.ConfigDir = (dir / "empty").string() + "/";
    configio.FallbackDirs = {(dir / "none").string() + "/", other.string() + "/"};
    cadsettings.CadTextFont = "TXT8";
    ReadConfigFile();
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(cadsettings.CadTextFont, "FOUND");
    EXPECT_EQ(wtelmvar.ConfigDir, other.string() + "/");
}

TEST_F(ConfigFile, AFailedSaveLeavesTheOldFile)
{
    WriteConfigFile();
    const std::string before = FileText();
    // The directory goes away under the writer: nothing can be written.
    wtelmvar.ConfigDir = (dir / "gone").string() + "/";
    telmvar.MessagesEnabled = true;
    cadsettings.CadTextFont = "CHANGED";
    WriteConfigFile();
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(ReadWholeFile(dir / "qyr7.cfg"), before);
}

TEST_F(ConfigFile, NothingIsWrittenWhileAborted)
{
    telmvar.Aborted = true;
    WriteConfigFile();
    EXPECT_FALSE(fs::exists(ConfigFileName()));
}

// --- end-of-file checkpoints ------------------------------------------------------

namespace
{

struct TCut {
    int After;         // the file ends after this item
    TConfigCheck Kind; // what the reader does there
};

} // namespace

TEST_F(ConfigFile, AShortFileStopsAtEachCheckpoint)
{
    SetAll();
    // Pixel counts of 0 show whether the screen rules ran.
    telmvar.ScreenPixelsX = 0;
    telmvar.ScreenPixelsY = 0;
    WriteConfigFile();
    const auto full = Lines(FileText());
    const std::vector<TCut> cuts = {
        {9, TConfigCheck::StopA},  {10, TConfigCheck::StopA}, {14, TConfigCheck::StopA},
        {22, TConfigCheck::StopA}, {29, TConfigCheck::StopB}, {30, TConfigCheck::StopB},
        {31, TConfigCheck::StopB}, {32, TConfigCheck::StopB}, {33, TConfigCheck::StopGraphFont},
        {35, TConfigCheck::StopB}, {36, TConfigCheck::StopB}, {39, TConfigCheck::StopB},
        {43, TConfigCheck::StopB}, {56, TConfigCheck::StopB},
    };
    for (const auto& cut : cuts) {
        SCOPED_TRACE("file ends after item " + std::to_string(cut.After));
        // The lines of the title and of the items up to the cut, counted
        // with the values the full file was written with.
        SetAll();
        std::size_t count = 2;
        for (const auto& item : ConfigItems()) {
            if (item.No > cut.After) break;
            // Count the item's lines by writing it alone.
            const fs::path scratch = dir / "one_item.txt";
            AssignTextFile(textfile.SharedTextFile, scratch.string());
            RewriteTextFile(textfile.SharedTextFile);
            item.Write();
            CloseTextFile(textfile.SharedTextFile);
            count += Lines(ReadWholeFile(scratch)).size();
        }
        WriteWholeFile(ConfigFileName(), Joined(full, count));
        headless->HeadlessWindow().SetClientSize(641, 481);
        ResetAndRead();
        EXPECT_FALSE(telmvar.Aborted);
        for (const auto& p : probes) {
            if (p.No == 19 || p.No == 20) continue; // written as 0, see below
            if (p.No == 55) continue;               // derived from the screen again by the closing step
            if (p.No <= cut.After) {
                EXPECT_TRUE(p.IsSet()) << "item " << p.No << " " << p.Name;
            } else if (!(cut.Kind == TConfigCheck::StopGraphFont && (p.No == 34 || p.No == 35)) &&
                       p.No != 55 && p.No != 54) {
                EXPECT_TRUE(p.Initial()) << "item " << p.No << " " << p.Name;
            }
        }
        if (cut.Kind == TConfigCheck::StopA) {
            // The screen rules did not run: the pixels and the window are
            // as they were.
            EXPECT_EQ(telmvar.ScreenPixelsX, 0);
            EXPECT_EQ(headless->HeadlessWindow().ClientWidth(), 641);
        } else {
            EXPECT_NE(telmvar.ScreenPixelsX, 0);
        }
        if (cut.Kind == TConfigCheck::StopGraphFont) {
            EXPECT_EQ(graphsettings.GraphTextWidthFactor, 1.25L) << "the CAD text width factor";
            EXPECT_EQ(graphsettings.GraphTextFont, "Arial");
        }
    }
}

TEST_F(ConfigFile, AFileEndingBeforeItemFortySixKeepsTheOptionalItems)
{
    SetAll();
    WriteConfigFile();
    const auto full = Lines(FileText());
    // Up to and including item 45 ("Archive Flag ?" and its value).
    std::size_t count = 0;
    for (std::size_t i = 0; i < full.size(); ++i)
        if (full[i] == "Archive Flag ?") count = i + 2;
    ASSERT_GT(count, 0u);
    WriteWholeFile(ConfigFileName(), Joined(full, count));
    ResetAndRead();
    EXPECT_TRUE(telmvar.ArchiveFlag);
    // Items 46 to 51 are not read; items 52 to 56 read empty lines and fall
    // back from 0, and the checkpoint after item 56 ends the reading.
    EXPECT_EQ(wtelmvar.DateFormatCode, 3);
    EXPECT_EQ(wtelmvar.TextDevice, 1);
    EXPECT_FALSE(wtelmvar.TextDeviceDialog);
    EXPECT_EQ(wtelmvar.DecimalPointMode, 1);
    EXPECT_EQ(wtelmvar.DefaultDataDir, telmvar.StartDir + "/") << "empty becomes the start directory";
    EXPECT_EQ(graphsettings.TextHeightFactor, 1.0L);
    EXPECT_EQ(wtelmvar.HtmlBrowserPath, "");
    // Everything after item 56 keeps its start value.
    EXPECT_EQ(printsettings.PrintFontName, "Courier New");
    EXPECT_EQ(cadsettings.DxfDecimals, 6);
    EXPECT_TRUE(cadsettings.CadExecFile);
    EXPECT_TRUE(cadsettings.Cad3DTo2D);
    EXPECT_EQ(cadsettings.CadArcResolution, 0.5L);
}

TEST_F(ConfigFile, LinesBeyondTheEndAfterItemFiftySevenReadAsEmpty)
{
    SetAll();
    WriteConfigFile();
    const auto full = Lines(FileText());
    // Up to and including item 57 ("Print Scale Vertical" and its value).
    std::size_t count = 0;
    for (std::size_t i = 0; i < full.size(); ++i)
        if (full[i] == "Print Scale Vertical") count = i + 2;
    ASSERT_GT(count, 0u);
    WriteWholeFile(ConfigFileName(), Joined(full, count));
    ResetAndRead();
    EXPECT_EQ(printsettings.DefPrintScaleY, 3.5);
    // Numbers read as 0 and fall back, flags read as false.
    EXPECT_EQ(cadsettings.LayerLineWidths[0], 1);
    EXPECT_EQ(printsettings.PrintFontName, "Courier New");
    EXPECT_EQ(printsettings.PrintFontSize, 10);
    EXPECT_EQ(cadsettings.DxfDecimals, 6);
    EXPECT_EQ(wtelmvar.ExcelDecimalMode, 2);
    EXPECT_EQ(wtelmvar.AngleFormat, 2);
    EXPECT_EQ(cadsettings.CadDimScale, 1.0L);
    EXPECT_FALSE(cadsettings.CadExecFile);
    EXPECT_FALSE(printsettings.GraphPrintDialog);
    EXPECT_TRUE(cadsettings.Edit3DAngles) << "read as not FALSE";
    EXPECT_TRUE(cadsettings.Cad3DTo2D) << "an empty item 93 is not TRUE: 3D output goes 2D";
    EXPECT_EQ(cadsettings.CadArcResolution, 0.5L);
    EXPECT_EQ(graphsettings.ColourTable[1], 0x800000) << "0 keeps the palette";
    EXPECT_EQ(wtelmvar.Language, 0);
    EXPECT_FALSE(wtelmvar.CopyDbfToTemp);
}

// --- screen rules -------------------------------------------------------------

TEST_F(ConfigFile, ScreenSizeCodeOneKeepsFourToThree)
{
    struct Case {
        int W, H, X, Y;
    } cases[] = {{1016, 700, 932, 700}, {800, 700, 800, 600}, {800, 600, 800, 600}};
    for (const auto& c : cases) {
        winutil.QueryScreen = [c] {
            TScreenInfo s;
            s.ScreenWidth = c.W;
            s.ScreenHeight = c.H;
            s.WindowWidth = s.ClientWidth = 500;
            s.WindowHeight = s.ClientHeight = 400;
            return s;
        };
        EXPECT_EQ(MaxClientWidth(), c.W);
        EXPECT_EQ(MaxClientHeight(), c.H);
        wtelmvar.ScreenSizeCode = 1;
        wtelmvar.DialogWindowSizeCode = 0;
        ApplyScreenConfig();
        EXPECT_EQ(telmvar.ScreenPixelsX, c.X) << c.W << " x " << c.H;
        EXPECT_EQ(telmvar.ScreenPixelsY, c.Y) << c.W << " x " << c.H;
        EXPECT_EQ(headless->HeadlessWindow().ClientWidth(), c.X);
    }
}

TEST_F(ConfigFile, AutomaticDialogSizeFollowsTheScreenResolution)
{
    winutil.QueryScreen = [] {
        TScreenInfo s;
        s.ClientHeight = 600;
        s.WindowHeight = 646; // k = 646 / 646 + 0.009
        s.DpiX = 96;
        s.DpiY = 120;
        return s;
    };
    wtelmvar.ScreenSizeCode = 0;
    wtelmvar.DialogWindowSizeCode = 1;
    ApplyScreenConfig();
    // 1.009 x 120 / 96 x 100 = 126.125; 126 / (1.009 x 100) x 100 = 124.9
    EXPECT_EQ(wtelmvar.ScreenPercent, 126);
    EXPECT_EQ(wtelmvar.FontPercent, 125);
}

TEST_F(ConfigFile, DefaultTextWindowRectFromTheScreen)
{
    printsettings.PrintFontSize = 12;
    DefaultTextWindowRect();
    // 12 x 700 / 10 = 840 wide; 768 x 0.95 = 729.6 -> 730, less 40.
    EXPECT_EQ(printsettings.TextWindowRect, (TArray<int32_t, 0, 3>{{{20, 40, 840, 690}}}));
    printsettings.PrintFontSize = 20;
    DefaultTextWindowRect();
    EXPECT_EQ(printsettings.TextWindowRect[2], 1024) << "at most the screen width";
    printsettings.PrintFontSize = 0;
    DefaultTextWindowRect();
    EXPECT_EQ(printsettings.TextWindowRect[2], 700);
}

// --- configured directories ---------------------------------------------------------

TEST_F(ConfigFile, EmptyDirectoriesBecomeTheStartDirectoryAndBadOnesAreReported)
{
    telmvar.StartDir = dir.string();
    telmvar.CadDir = (dir / "nocad").string();
    telmvar.DbfDir = (dir / "nodbf").string();
    telmvar.PltDir = "";
    telmvar.TempDir = (dir / "notemp").string();
    telmvar.EdiDir = "";
    wtelmvar.DefaultDataDir = "  ";
    headless->HeadlessPrompts().QueueText(dir.string() + "/");
    CheckConfigDirs();
    EXPECT_EQ(telmvar.PltDir, dir.string() + "/");
    EXPECT_EQ(telmvar.EdiDir, dir.string() + "/");
    EXPECT_EQ(wtelmvar.DefaultDataDir, dir.string() + "/");
    EXPECT_EQ(telmvar.TempDir, dir.string() + "/") << "the answer to the question";
    const std::string missing = ": No such file or directory";
    const std::vector<std::string> expected = {
        "invalid CAD Directory configured\n" + telmvar.CadDir + missing,
        "invalid DBF Directory configured\n" + telmvar.DbfDir + missing,
        "invalid temporary directory configured"};
    EXPECT_EQ(Boxes(), expected);
    ASSERT_EQ(headless->HeadlessPrompts().TextPrompts().size(), 1u);
    EXPECT_EQ(headless->HeadlessPrompts().TextPrompts()[0].Prompt, "temporary directory");
    EXPECT_EQ(headless->HeadlessPrompts().TextPrompts()[0].MaxLength, 60);
}

TEST_F(ConfigFile, ShippedTablesStandInDataBesideTheProgram)
{
    EXPECT_EQ(ShippedDataDir((dir / "bin").string()), "") << "no data folder: nothing shipped";
    std::filesystem::create_directories(dir / "bin" / "data");
    EXPECT_EQ(ShippedDataDir((dir / "bin").string()), (dir / "bin" / "data").string() + "/");
    EXPECT_EQ(ShippedDataDir(""), "");
}

// --- session file -------------------------------------------------------------------

TEST_F(ConfigFile, SessionFileRoundTripAndLayout)
{
    telmvar.DataDir = "/projects/";
    wtelmvar.RecentFiles[1] = "/projects/a.qy7";
    wtelmvar.RecentFiles[2] = "/projects/b.qy7";
    WriteSessionFile();
    EXPECT_EQ(ReadWholeFile(SessionFileName()),
              "qyr7 Session /projects/\r\n/projects/a.qy7\r\n/projects/b.qy7\r\n\r\n\r\n");
    for (auto& r : wtelmvar.RecentFiles)
        r = "stale";
    telmvar.DataDir = "";
    ReadSessionFile();
    EXPECT_EQ(wtelmvar.RecentFiles[1], "/projects/a.qy7");
    EXPECT_EQ(wtelmvar.RecentFiles[2], "/projects/b.qy7");
    EXPECT_EQ(wtelmvar.RecentFiles[3], "");
    EXPECT_EQ(telmvar.DataDir, "") << "the data directory is not restored";
}

TEST_F(ConfigFile, EntriesASessionFileLacksAreEmpty)
{
    struct Case {
        const char* what;
        const char* file; // nullptr: no session file
        const char* first;
    };
    for (const Case& c : {Case{"no session file", nullptr, ""},
                          Case{"a short session file", "qyr7 Session /x/\r\n/p/one.qy7\r\n", "/p/one.qy7"}}) {
        fs::remove(SessionFileName());
        if (c.file) WriteWholeFile(SessionFileName(), c.file);
        for (auto& r : wtelmvar.RecentFiles)
            r = "stale";
        ReadSessionFile();
        EXPECT_EQ(wtelmvar.RecentFiles[1], c.first) << c.what;
        for (int i = 2; i <= 4; ++i)
            EXPECT_EQ(wtelmvar.RecentFiles[i], "") << c.what << ", entry " << i;
    }
}

TEST_F(ConfigFile, AClearedListLeavesTheSessionFileAsItWas)
{
    WriteWholeFile(SessionFileName(), "qyr7 Session /x/\r\n/p/gone.qy7\r\n\r\n\r\n\r\n");
    ReadSessionFile();
    ASSERT_EQ(wtelmvar.RecentFiles[1], "/p/gone.qy7");
    wtelmvar.RecentFiles[1].clear();
    WriteSessionFile();
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(ReadWholeFile(SessionFileName()), "qyr7 Session /x/\r\n/p/gone.qy7\r\n\r\n\r\n\r\n");
}

// Where the session file is read from and written to. The directories stand
// for the start directory (ConfigDir), the program's directory and the user's
// configuration directory ($XDG_CONFIG_HOME/qyr7).
class SessionPlaces : public ConfigFile
{
  protected:
    void SetUp() override
    {
        ConfigFile::SetUp();
        const char* xdg = std::getenv("XDG_CONFIG_HOME");
        savedXdg = xdg ? std::optional<std::string>(xdg) : std::nullopt;
        ::setenv("XDG_CONFIG_HOME", (dir / "xdg").string().c_str(), 1);
        for (const char* sub : {"start", "program"})
            fs::create_directories(dir / sub);
        start = (dir / "start").string() + "/";
        program = (dir / "program").string() + "/";
        user = (dir / "xdg" / "qyr7").string() + "/";
        ASSERT_EQ(UserConfigDir(), user);
        wtelmvar.ConfigDir = start;
        configio.FallbackDirs = {program, user};
    }
    void TearDown() override
    {
        if (savedXdg)
            ::setenv("XDG_CONFIG_HOME", savedXdg->c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
        ConfigFile::TearDown();
    }

    static std::string Session(const std::string& first)
    {
        return "qyr7 Session \r\n" + first + "\r\n\r\n\r\n\r\n";
    }

    std::optional<std::string> savedXdg;
    std::string start, program, user;
};

TEST_F(SessionPlaces, ReadWhereTheConfigurationIsLookedForAndWrittenBackThere)
{
    struct Case {
        const char* what;
        std::vector<std::string> sessions; // directories holding a session file
        bool configInStart;
        std::string read; // the first entry read, "" for none
        std::string writtenTo;
    };
    const std::vector<Case> cases = {
        {"only in the program's directory", {program}, false, program, program},
        {"the start directory comes first", {program, start}, false, start, start},
        {"only in the user's directory", {user}, true, user, user},
        {"none, configuration in the start directory: beside it", {}, true, "", start},
        {"none and no configuration: the user's directory, made", {}, false, "", user},
    };
    for (const auto& c : cases) {
        for (const auto& d : {start, program, user})
            fs::remove(d + "qyr7.cff");
        fs::remove(start + "qyr7.cfg");
        fs::remove_all(dir / "xdg");
        for (const auto& d : c.sessions) {
            fs::create_directories(d);
            WriteWholeFile(d + "qyr7.cff", Session(d));
        }
        if (c.configInStart) WriteWholeFile(start + "qyr7.cfg", "qyr7 Configuration\r\n");
        ReadSessionFile();
        EXPECT_EQ(wtelmvar.RecentFiles[1], c.read) << c.what;
        wtelmvar.RecentFiles[1] = "/p/new.qy7";
        WriteSessionFile();
        EXPECT_FALSE(telmvar.Aborted) << c.what;
        EXPECT_EQ(ReadWholeFile(c.writtenTo + "qyr7.cff"), Session("/p/new.qy7")) << c.what;
        for (const auto& d : {start, program, user}) {
            if (d == c.writtenTo) continue;
            const bool had = std::find(c.sessions.begin(), c.sessions.end(), d) != c.sessions.end();
            EXPECT_EQ(fs::exists(d + "qyr7.cff"), had) << c.what << ": " << d;
        }
    }
}

TEST_F(SessionPlaces, AnUnreadableSessionFileIsNotOverwritten)
{
    if (::geteuid() == 0) GTEST_SKIP() << "file permissions do not stop root";
    WriteWholeFile(start + "qyr7.cff", Session("/p/kept.qy7"));
    fs::permissions(start + "qyr7.cff", fs::perms::none);
    ReadSessionFile();
    wtelmvar.RecentFiles[1] = "/p/new.qy7";
    WriteSessionFile();
    fs::permissions(start + "qyr7.cff", fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(ReadWholeFile(start + "qyr7.cff"), Session("/p/kept.qy7"));
    EXPECT_FALSE(fs::exists(user + "qyr7.cff"));
}

TEST(SessionOfTheProgram, AWindowlessStartWithNoRecentFileWritesNoSessionFile)
{
    const testdirs::ScopedTempDir scratch("session");
    const fs::path dir = scratch.Path();
    const TProgramRun run = RunProgram(dir, {"/NOGUI"});
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_FALSE(fs::exists(dir / "qyr7.cff"));
    EXPECT_FALSE(fs::exists(dir / ".config" / "qyr7" / "qyr7.cff"));
}
