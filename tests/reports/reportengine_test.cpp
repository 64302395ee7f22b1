// The report engine on its devices: page headers, counted lines, page breaks,
// rows in the column layouts, tables, HTML and tab forms.
#include "reporttestsupport.h"

#include "common/testlocales.h"

#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "reports/engine/reportcolumns.h"
#include "reports/engine/reportengine.h"
#include "reports/engine/reportframes.h"
#include "reports/engine/reportservices.h"
#include "reports/engine/reporttable.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/resource.h>
#include <tuple>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{

const std::string Ind(7, ' ');

std::string Pad(std::string S, size_t N)
{
    S.resize(N, ' ');
    return S;
}

int Count(const std::vector<std::string>& Lines, const std::string& L)
{
    return static_cast<int>(std::count(Lines.begin(), Lines.end(), L));
}

class EngineTest : public ReportTest
{
  protected:
    // Opens a report on the file device (3), writing to Temp("r.txt").
    void OpenFileReport()
    {
        SaveDialogPath = Temp("r.txt");
        OpenReport(3, "demo");
        ASSERT_FALSE(telmvar.Aborted);
        ASSERT_TRUE(BeginReportOutput());
    }
    std::vector<std::string> CloseAndReadFile()
    {
        EXPECT_TRUE(CloseReport());
        return Lines(ReadFile(Temp("r.txt")));
    }
    // Opens a report on a device without dialogs (1, 6, 7 with browser, 8, 9).
    void OpenDevice(uint16_t Device)
    {
        OpenReport(Device, "demo");
        ASSERT_FALSE(telmvar.Aborted);
        ASSERT_TRUE(BeginReportOutput());
    }
};

TEST_F(EngineTest, FramesHaveSeventyCharactersInEveryMode)
{
    struct Case {
        int Mode;
        std::string Rule, Double, Top, Sep;
        char Side;
    };
    const std::string b196(70, '\xC4'), b205(70, '\xCD');
    const Case cases[] = {
        {1, std::string(70, '-'), std::string(70, '='), std::string(70, '*'), std::string(70, '*'), '*'},
        {2, b196, b205, "\xC9" + std::string(68, '\xCD') + "\xBB", "\xCC" + std::string(68, '\xCD') + "\xB9",
         '\xBA'},
        {3, std::string(70, ' '), std::string(70, ' '), std::string(70, ' '), std::string(70, ' '), ' '},
        {4, "$!$", "$!$", "$!$", "$!$", ' '},
        {7, "$!$", "$!$", "$!$", "$!$", ' '},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Mode);
        EXPECT_EQ(RuleLineForMode(c.Mode), c.Rule);
        EXPECT_EQ(DoubleRuleLineForMode(c.Mode), c.Double);
        EXPECT_EQ(FrameTopLineForMode(c.Mode), c.Top);
        EXPECT_EQ(FrameSeparatorLineForMode(c.Mode), c.Sep);
        EXPECT_EQ(FrameSideCharForMode(c.Mode), c.Side);
    }
    EXPECT_EQ(FrameBottomLineForMode(2), "\xC8" + std::string(68, '\xCD') + "\xBC");
}

TEST_F(EngineTest, TwoValueRowPlacesSymbolUnitAndValuesAtTheirColumns)
{
    SetReportColumns2("", "Symbol", "Unit", "1", "2");
    OpenFileReport();
    PrintReportRow2("span measure", "W max.", "mm", "  45.123", "  45.098");
    auto lines = CloseAndReadFile();
    ASSERT_EQ(lines.size(), 2u);
    //                          1        10        20        30        40        50        60        70
    //                          |        |         |         |         |         |         |         |
    const std::string row = "span measure                      W max.   mm       45.123     45.098  ";
    ASSERT_EQ(row.size(), 71u);
    EXPECT_EQ(lines[0], Ind + row);
    EXPECT_EQ(lines[1], Ind + std::string(70, '-'));
}

TEST_F(EngineTest, SingleValueTooLongEndsInColumn69)
{
    OpenFileReport();
    const std::string value = "12345678901234567890"; // 20 characters: 56 + 20 - 1 > 70
    PrintReportRow1("a", "b", "c", value);
    auto lines = CloseAndReadFile();
    ASSERT_GE(lines.size(), 1u);
    const std::string line = lines[0].substr(7);
    ASSERT_EQ(line.size(), 70u);
    EXPECT_EQ(line.substr(49, 20), value) << "value must stand in columns 50..69";
    EXPECT_EQ(line[69], ' ');
}

TEST_F(EngineTest, LongLabelGivesWayToTheSymbol)
{
    // The label is cut one column before the symbol at 35, so that a blank
    // parts them; nothing of it is left behind the symbol.
    OpenFileReport();
    PrintReportRow2(std::string(40, 'L'), "S", "U", "1", "2");
    auto lines = CloseAndReadFile();
    const std::string line = lines[0].substr(7);
    EXPECT_EQ(line.substr(0, 44), std::string(33, 'L') + " S" + std::string(8, ' ') + "U");
}

TEST_F(EngineTest, ValueWiderThanItsColumnIsNeverShownWithWrongDigits)
{
    // Four-value layout: values at 40, 48, 56, 64 - eight columns each.
    SetReportColumns4("", "", "", "1", "2", "3", "4");
    OpenFileReport();
    PrintReportRow4("x", "", "", "  123456.789", "  1.5", " 98765432101", "7");
    auto lines = CloseAndReadFile();
    const std::string line = lines[0].substr(7);
    EXPECT_EQ(line.substr(39, 8), "123457  ") << "123456.789 cannot stand in 40..47 but rounded whole";
    EXPECT_EQ(line.substr(47, 5), "  1.5");
    EXPECT_EQ(line.substr(55, 8), "98765E6 ") << "98765432101 in 7 columns: 98765 x 10^6";
    EXPECT_EQ(line.substr(63, 1), "7");
}

TEST_F(EngineTest, ValueWithBlanksTooWideIsTrimmedNotCut)
{
    OpenFileReport();
    // 51 + 12 - 1 = 62 runs into value 2 at 62; trimmed it fits.
    PrintReportRow2("x", "", "", "     1234.56", "  7.0");
    auto lines = CloseAndReadFile();
    const std::string line = lines[0].substr(7);
    EXPECT_EQ(line.substr(50, 11), "1234.56    ");
    EXPECT_EQ(line.substr(61, 5), "  7.0");
}

TEST_F(EngineTest, TabRowsJoinFieldsAndDropRules)
{
    telmvar.ProjectName = Temp("demo");
    OpenDevice(9);
    PrintReportRow4("label", "sym", "unit", "1", "2", "3", "4");
    PrintReportLine(GetRuleLine());
    PrintReportLine(GetDoubleRuleLine());
    PrintReportLine("$!$");
    PrintReportLine("text");
    EXPECT_TRUE(CloseReport());
    auto lines = Lines(ReadFile(Temp("demo.txt")));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "label\tsym\tunit\t1\t2\t3\t4");
    EXPECT_EQ(std::count(lines[0].begin(), lines[0].end(), '\t'), 6);
    EXPECT_EQ(lines[1], "text");
}

TEST_F(EngineTest, WrappedTextOf150CharactersGivesThreeRowsCutAtBlanks)
{
    std::string text;
    for (int i = 0; i < 15; ++i)
        text += "abcdefghi ";
    ASSERT_EQ(text.size(), 150u);
    OpenFileReport();
    PrintReportWrapped(text);
    auto lines = CloseAndReadFile();
    ASSERT_EQ(lines.size(), 3u);
    for (const auto& l : lines) {
        EXPECT_LE(l.size() - 7, 64u);
        EXPECT_EQ(l.back(), ' ') << "cut after a blank";
    }
    EXPECT_EQ(lines[0].substr(7) + lines[1].substr(7) + lines[2].substr(7), text);
}

TEST_F(EngineTest, ReportTableWritesHeadRowsAndRules)
{
    OpenFileReport();
    {
        TReportTable t(20, 10, 10, 0, 5, 5, 5, "Name", "x", "y", "never", "", "", "");
        t.AddRow("first", "1.0", "2.0", "skipped");
        t.AddRow("second", "3.0", "4.0");
        t.Done();
    }
    auto lines = CloseAndReadFile();
    const std::string dbl = Ind + std::string(70, '=');
    const std::string rule = Ind + std::string(70, '-');
    const std::vector<std::string> expected = {
        dbl,  Ind + Pad("Name", 20) + Pad("x", 10) + Pad("y", 10) + " ",
        dbl,  Ind + Pad("first", 20) + Pad("1.0", 10) + Pad("2.0", 10) + " ",
        rule, Ind + Pad("second", 20) + Pad("3.0", 10) + Pad("4.0", 10) + " ",
        rule,
    };
    EXPECT_EQ(lines, expected);
}

TEST_F(EngineTest, ReportTableOnBatchDeviceKeepsFixedWidthsWithoutRules)
{
    telmvar.ProjectName = Temp("demo");
    OpenDevice(9);
    {
        TReportTable t(6, 4, 0, 0, 0, 0, 0, "a", "b", "", "", "", "", "");
        t.AddRow("c", "d");
    }
    EXPECT_TRUE(CloseReport());
    auto lines = Lines(ReadFile(Temp("demo.txt")));
    EXPECT_EQ(lines, (std::vector<std::string>{"a     b    ", "c     d    "}));
}

TEST_F(EngineTest, ReportTableMarksNumbersTooWideForTheirColumn)
{
    EXPECT_EQ(FitReportCell("  12.5", 4, true), "12.5");
    EXPECT_EQ(FitReportCell("12345.678", 5, true), "12346");
    EXPECT_EQ(FitReportCell("abcdefgh", 5, false), "abcde");
    EXPECT_EQ(FitReportCell("1.5", 5, true), "1.5  ");
}

TEST_F(EngineTest, NumberWiderThanItsColumnTakesItsShortestForm)
{
    // Fewer decimals first, then the exponent with the digits that fit; rounded by hand.
    const std::tuple<const char*, uint32_t, const char*> cases[] = {
        {"-149.750", 7, "-149.75"}, {"-389.769", 7, "-389.77"}, {"1234,56", 6, "1234,6"},
        {"6.88E3", 4, "6880"},      {"-20640", 5, "-21E3"},     {"-20640", 4, "-2E4"},
        {"0.000123", 5, " 1E-4"},   {"0.000123", 6, "0.0001"},  {"99999.9", 5, "  1E5"},
        {"-12345.6", 3, "***"},     {"1.5/-2", 3, "***"}}; // too narrow; no number
    for (const auto& [text, width, shown] : cases)
        EXPECT_EQ(FitReportCell(text, width, true), shown) << text << " in " << width;
}

TEST_F(EngineTest, PageBreaksEverySixtyFiveLinesWithNumberedFrames)
{
    OpenReport(1, "demo");
    ASSERT_TRUE(BeginReportOutput());
    SetReportHeader("Title", "Line one", "", "", "", 0);
    PrintReportPageHeader(1, 0);
    for (int i = 1; i <= 200; ++i)
        PrintReportLine("line " + std::to_string(i));
    EXPECT_TRUE(CloseReport());
    ASSERT_EQ(ResultWindows, 1);
    auto lines = Lines(ShownReport);
    const int pages = Count(lines, "\f") + 1;
    EXPECT_GE(pages, 4);
    int numbered = 0;
    for (const auto& l : lines)
        for (int p = 2; p <= pages; ++p)
            if (l.find("pg." + std::string(p < 10 ? " " : "") + std::to_string(p)) != std::string::npos)
                ++numbered;
    EXPECT_EQ(numbered, pages - 1);
    // Every page holds at most 65 counted lines before its form feed.
    int onPage = 0;
    for (const auto& l : lines) {
        if (l == "\f") {
            EXPECT_LE(onPage, 66) << "65 counted lines and the line that opened the page";
            onPage = 0;
        } else {
            ++onPage;
        }
    }
    // The page number stands at column 64 of the framed title line.
    const std::string title = lines[1].substr(7);
    EXPECT_EQ(title.substr(63, 5), "pg. 1");
    EXPECT_EQ(title.substr(3, 5), "Title");
    EXPECT_EQ(title[0], '*');
    EXPECT_EQ(title[69], '*');
}

TEST_F(EngineTest, HeaderModeTwoFramesOnlyTheFirstPage)
{
    wtelmvar.PrintHeaderMode = 2;
    telmvar.LinesPerPage = 20;
    OpenFileReport();
    SetReportHeader("Title", "one", "", "", "", 0);
    PrintReportPageHeader(1, 0);
    for (int i = 1; i <= 50; ++i)
        PrintReportLine("x");
    PrintReportPageHeader(0, 0);
    auto lines = CloseAndReadFile();
    EXPECT_EQ(Count(lines, Ind + std::string(70, '*')), 3) << "one frame: top, separator, bottom";
    EXPECT_GE(Count(lines, "\f"), 2);
    EXPECT_EQ(lines.back(), " ") << "a later header is a single blank line";
    for (const auto& l : lines)
        EXPECT_EQ(l.find("pg."), std::string::npos);
}

TEST_F(EngineTest, CompressedModeDropsRulesAndSkipsHeadersOnHalfEmptyPages)
{
    telmvar.PrintSeparatorMode = 4;
    telmvar.LinesPerPage = 40;
    OpenFileReport();
    SetReportHeader("Title", "one", "", "", "", 0);
    PrintReportPageHeader(1, 0);
    // empty line, title, date, file, three header lines: no rules
    const size_t afterHeader = 7;
    PrintReportLine(GetRuleLine());
    for (int i = 1; i <= 3; ++i)
        PrintReportLine("x");
    PrintReportPageHeader(0, 0); // page less than half full: skipped
    ReportPageBreak();           // the same
    auto lines = CloseAndReadFile();
    EXPECT_EQ(lines.size(), afterHeader + 3) << ::testing::PrintToString(lines);
    for (const auto& l : lines)
        EXPECT_EQ(l.find("$!$"), std::string::npos);
}

TEST_F(EngineTest, TotalPagesShowAfterThePageNumberFromColumn60)
{
    OpenFileReport();
    SetReportHeader("T", "", "", "", "", 3);
    PrintReportPageHeader(1, 0);
    auto lines = CloseAndReadFile();
    EXPECT_EQ(lines[1].substr(7).substr(59, 8), "pg. 1/ 3");
}

TEST_F(EngineTest, TitleOf68CharactersIsLeftOut)
{
    OpenFileReport();
    SetReportHeader(std::string(68, 'T'), "", "", "", "", 0);
    PrintReportPageHeader(1, 0);
    SetReportHeader(std::string(67, 'T'), "", "", "", "", 0);
    PrintReportPageHeader(1, 0);
    auto lines = CloseAndReadFile();
    EXPECT_EQ(lines[1].find('T'), std::string::npos);
    EXPECT_NE(lines[10].find(std::string(60, 'T')), std::string::npos) << ::testing::PrintToString(lines);
}

TEST_F(EngineTest, DateAndTimeStandAtColumns53And64)
{
    OpenFileReport();
    PrintReportPageHeader(1, 0);
    auto lines = CloseAndReadFile();
    const std::string l = lines[2].substr(7);
    EXPECT_EQ(l.substr(52, 10), "2026-12-07");
    EXPECT_EQ(l.substr(63, 4), "6:05");
}

TEST_F(EngineTest, DeviceNinetyOnlyFillsTheDeviceList)
{
    reportengine.ReportDevice = 5;
    reportengine.ReportPageNo = 3;
    OpenReport(90, "x");
    EXPECT_EQ(telmvar.TextItems[1], "Screen");
    EXPECT_EQ(telmvar.TextItems[7], "HTML File");
    EXPECT_EQ(reportengine.ReportDevice, 5);
    EXPECT_EQ(reportengine.ReportPageNo, 3);
    EXPECT_TRUE(fs::is_empty(TempDir));
}

TEST_F(EngineTest, CancelledDeviceListAbortsWithoutOutput)
{
    wtelmvar.TextDeviceDialog = true;
    reportservices.AskSelect = [](const std::string&, int, uint16_t&) { telmvar.Aborted = true; };
    OpenReport(0, "x");
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_TRUE(fs::is_empty(TempDir));
}

TEST_F(EngineTest, TxtDeviceTwiceNumbersItsFiles)
{
    for (int run = 1; run <= 2; ++run) {
        OpenDevice(6);
        PrintReportLine("run " + std::to_string(run));
        EXPECT_TRUE(CloseReport());
    }
    EXPECT_EQ(telmvar.TempFileCounter, 2);
    EXPECT_EQ(ReadFile(Temp("$$$1.txt")), "run 1\r\n");
    EXPECT_EQ(ReadFile(Temp("$$1.txt")), "run 1\r\n");
    EXPECT_EQ(ReadFile(Temp("$$$2.txt")), "run 2\r\n");
    EXPECT_EQ(ReadFile(Temp("$$2.txt")), "run 2\r\n");
}

TEST_F(EngineTest, TemporaryReportNamesNeverClashWithAnotherInstance)
{
    // Another running copy holds $OUT1.TMP and $$$1.txt.
    WriteFile(Temp("$OUT1.TMP"), "other");
    WriteFile(Temp("$$$1.txt"), "other txt");
    OpenDevice(1);
    EXPECT_EQ(reportengine.ReportFileName, Temp("$OUT2.TMP"));
    PrintReportLine("mine");
    EXPECT_TRUE(CloseReport());
    EXPECT_EQ(ReadFile(Temp("$OUT1.TMP")), "other");
    OpenDevice(6);
    EXPECT_EQ(reportengine.ReportFileName, Temp("$$$2.txt"));
    PrintReportLine("mine");
    EXPECT_TRUE(CloseReport());
    EXPECT_EQ(ReadFile(Temp("$$$1.txt")), "other txt");
}

TEST_F(EngineTest, NoFreeWorkingCopyNumberFailsWithItsCauseAndOpensNoTakenOne)
{
    for (int k = 1; k <= 999; ++k)
        WriteFile(Temp("$$$" + std::to_string(k) + ".txt"), "other");
    OpenReport(9, "demo");
    EXPECT_FALSE(BeginReportOutput());
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_NE(Messages[0].find("the numbers 1 to 999 are taken"), std::string::npos) << Messages[0];
    EXPECT_EQ(ReadFile(Temp("$$$999.txt")), "other");
}

TEST_F(EngineTest, ScreenDeviceShowsConvertedCopyAndRemovesItsTemporaryFile)
{
    telmvar.PrintSeparatorMode = 2;
    OpenDevice(1);
    const std::string tmp = reportengine.ReportFileName;
    PrintReportLine(GetRuleLine());
    EXPECT_TRUE(CloseReport());
    EXPECT_EQ(ResultWindows, 1);
    EXPECT_EQ(ShownPrintFile, tmp);
    EXPECT_FALSE(fs::exists(tmp));
    // The box rule is DOS byte 196 in the report, a plain "-" in the shown copy.
    EXPECT_EQ(ReadFile(Temp("outwin.txt")), Ind + std::string(70, '-') + "\r\n");
}

TEST_F(EngineTest, TextPrinterSendsStartFileAheadOfTheReport)
{
    const fs::path old = fs::current_path();
    fs::current_path(TempDir);
    WriteFile("TEXT.TVP", "\x1b@");
    std::string sent;
    reportservices.SendToPrinterPort = [&](int Port, const std::string& File) {
        EXPECT_EQ(Port, 1);
        sent = ReadFile(File);
        return std::string();
    };
    OpenDevice(2);
    PrintReportPageHeader(1, 0);
    EXPECT_TRUE(CloseReport());
    fs::current_path(old);
    EXPECT_EQ(Questions, std::vector<std::string>{"single page printing ?"});
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(sent.substr(0, 2), "\x1b@");
    EXPECT_EQ(sent.substr(2, 7), Ind);
}

TEST_F(EngineTest, DeclinedPaperPromptStopsThePageHeader)
{
    YesAnswers = {true, false}; // single page printing: yes; insert paper: no
    OpenDevice(2);
    PrintReportPageHeader(1, 0);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(Questions.back(), "Insert paper.  Continue ?");
    CancelReport();
}

TEST_F(EngineTest, WriteErrorMakesTheReportAFailure)
{
    // The disk fills up while the report is written: files may not grow
    // beyond 4000 bytes for the duration of the report.
    const testlocales::ScopedLocale english("C");
    struct rlimit old {
    };
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 4000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);

    SaveDialogPath = Temp("r.txt");
    WriteFile(Temp("r.txt"), "earlier report");
    OpenReport(3, "demo");
    const bool opened = !telmvar.Aborted && BeginReportOutput();
    for (int i = 0; opened && i < 2000; ++i)
        PrintReportLine(std::string(60, 'x'));
    const bool closed = CloseReport();

    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    ASSERT_TRUE(opened);
    EXPECT_FALSE(closed);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_FALSE(Messages.empty());
    EXPECT_EQ(Messages.back(), "file " + Temp("r.txt") + " cannot be written: File too large");
    EXPECT_FALSE(fs::exists(Temp("outwin.txt"))) << "nothing is shown of a broken report";
    EXPECT_EQ(ReadFile(Temp("r.txt")), "earlier report") << "the earlier file stays as it was";
}

TEST_F(EngineTest, HtmlEscapesTextsButNotItsOwnMarkup)
{
    wtelmvar.HtmlBrowserPath = "";
    SaveDialogPath = Temp("r.htm");
    OpenReport(7, "demo");
    ASSERT_TRUE(BeginReportOutput());
    SetReportHeader("T", "a < b & c", "", "", "", 0);
    PrintReportPageHeader(1, 0);
    PrintReportLine("Error  : db > da");
    PrintReportRow1("x<y", "s", "u", "1&2");
    EXPECT_TRUE(CloseReport());
    const std::string html = ReadFile(Temp("r.htm"));
    EXPECT_NE(html.find("<h5>a &lt; b &amp; c</h5>"), std::string::npos);
    EXPECT_NE(html.find("<br>Error  : db &gt; da"), std::string::npos);
    EXPECT_NE(
        html.find("<TR><TD>x&lt;y</TD><TD>s</TD><TD>u</TD><TD><DIV ALIGN=RIGHT>1&amp;2</DIV></TD></TR>"),
        std::string::npos);
    EXPECT_NE(html.find("charset=windows-1252"), std::string::npos);
    EXPECT_EQ(html.substr(html.size() - 18), "</BODY>\r\n</HTML>\r\n");
    EXPECT_TRUE(Launches.empty()) << "no browser set: the page goes to the chosen file only";
}

TEST_F(EngineTest, HtmlFirstTwoValueRowOpensATableWithHeads)
{
    wtelmvar.HtmlBrowserPath = "";
    SaveDialogPath = Temp("r.htm");
    OpenReport(7, "demo");
    ASSERT_TRUE(BeginReportOutput());
    SetReportColumns2("Name", "Symbol", "Unit", "Gear 1", "Gear 2");
    PrintReportLine("text");
    PrintReportRow2("a", "b", "c", "1", "2");
    PrintReportRow1("d", "e", "f", "3");
    PrintReportLine("more");
    PrintReportRow1("g", "h", "i", "4");
    EXPECT_TRUE(CloseReport());
    auto lines = Lines(ReadFile(Temp("r.htm")));
    const std::vector<std::string> expected = {
        "<br>text",
        "<TABLE BORDER = \"2\" WIDTH= \"100%\">",
        "<TR><TD><CENTER>Name</CENTER></TD><TD>Symbol</TD><TD>Unit</TD><TD>Gear 1</TD><TD>Gear 2</TD></TR>",
        "<TR><TD>a</TD><TD>b</TD><TD>c</TD><TD>1</TD><TD>2</TD></TR>",
        "<TR><TD>d</TD><TD>e</TD><TD>f</TD><TD><DIV ALIGN=RIGHT>3</DIV></TD></TR>",
        "</TABLE>",
        "<br>more",
        "<TABLE BORDER = \"2\" WIDTH= \"100%\">",
        "<TR><TD>g</TD><TD>h</TD><TD>i</TD><TD><DIV ALIGN=RIGHT>4</DIV></TD></TR>",
        "</TABLE>",
        "</BODY>",
        "</HTML>",
    };
    EXPECT_EQ(lines, expected);
}

TEST_F(EngineTest, HtmlDeviceWithBrowserStartsItOnTheTemporaryPage)
{
    wtelmvar.HtmlBrowserPath = "c:\\Program Files\\Browser\\browser.exe";
    OpenDevice(7);
    EXPECT_EQ(reportengine.ReportFileName, Temp("qyr7.htm"));
    EXPECT_EQ(telmvar.DataExt, "htm");
    EXPECT_TRUE(CloseReport());
    EXPECT_EQ(telmvar.DataExt, "qy7");
    ASSERT_EQ(Launches.size(), 1u);
    EXPECT_EQ(Launches[0].Program, "") << "a Windows path means the desktop's browser";
    EXPECT_EQ(Launches[0].Args, std::vector<std::string>{Temp("qyr7.htm")});
}

TEST_F(EngineTest, MissingWordProcessorIsReportedAndNothingStarted)
{
    wtelmvar.WordProcessorPath = Temp("no-such-editor");
    OpenDevice(5);
    PrintReportLine("x");
    EXPECT_FALSE(CloseReport());
    EXPECT_TRUE(Launches.empty());
    EXPECT_EQ(Messages,
              std::vector<std::string>{Temp("no-such-editor") + " not found. The report was written to " +
                                       Temp("$OUT1.TMP")});
    EXPECT_FALSE(fs::exists(Temp("outwin.txt")));
}

TEST_F(EngineTest, SaveDialogRestoresTheProjectNames)
{
    telmvar.ProjectName = "stage1";
    reportservices.SaveFileDialog = [&](const std::string&, std::string& Path) {
        EXPECT_EQ(telmvar.DataExt, "txt");
        telmvar.ProjectName = "chosen";
        Path = Temp("chosen.txt");
    };
    OpenReport(3, "x");
    EXPECT_EQ(telmvar.DataExt, "qy7");
    EXPECT_EQ(telmvar.ProjectName, "stage1");
    EXPECT_EQ(reportengine.ReportFileName, Temp("chosen.txt"));
    CancelReport();
}

TEST_F(EngineTest, FormatHeaderNoLinePlacesNumberAtColumn40)
{
    std::string line;
    FormatHeaderNoLine("Stage", "4711", line);
    EXPECT_EQ(line, Pad("Stage", 39) + Pad("No.: 4711", 25));
    FormatHeaderNoLine(std::string(70, 'x'), "1", line);
    EXPECT_EQ(line, Pad(std::string(39, ' '), 39) + Pad("No.: 1", 25));
    FormatHeaderNoLine("Industrial drive 315 kW, 1480 1/min, i0 = 3.25", "", line);
    EXPECT_EQ(line, "Industrial drive 315 kW, 1480 1/min, i0" + Pad("No.: ", 25));
}

TEST_F(EngineTest, ColumnHeadsOfTheLayouts)
{
    struct Case {
        int Layout;
        std::vector<std::pair<int, std::string>> At;
    };
    const Case cases[] = {
        {2, {{3, "N"}, {35, "S"}, {44, "U"}, {51, "A"}, {62, "B"}}},
        {3, {{3, "N"}, {30, "S"}, {37, "U"}, {49, "A"}, {56, "B"}, {63, "C"}}},
        {4, {{3, "N"}, {30, "S"}, {37, "U"}, {45, "A"}, {52, "B"}, {59, "C"}, {66, "D"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Layout);
        ResetReportEngine();
        if (c.Layout == 2)
            SetReportColumns2("N", "S", "U", "A", "B");
        else if (c.Layout == 3)
            SetReportColumns3("N", "S", "U", "A", "B", "C");
        else
            SetReportColumns4("N", "S", "U", "A", "B", "C", "D");
        OpenFileReport();
        PrintReportColumnHeads();
        auto lines = CloseAndReadFile();
        ASSERT_EQ(lines.size(), 3u);
        std::string expected(70, ' ');
        expected.front() = expected.back() = '*';
        for (const auto& [col, text] : c.At)
            expected.replace(static_cast<size_t>(col - 1), text.size(), text);
        EXPECT_EQ(lines[0], Ind + expected);
        EXPECT_EQ(lines[1], Ind + std::string(70, '*'));
        EXPECT_EQ(lines[2], Ind);
    }
}

TEST_F(EngineTest, FourThenThreeValueLayoutPutsRowValuesUnderTheFourHeads)
{
    SetReportColumns4("N", "S", "U", "A", "B", "C", "D");
    SetReportColumns3("N", "S", "U", "A", "B", "C");
    OpenFileReport();
    PrintReportRow3("x", "", "", "1", "2", "3");
    auto lines = CloseAndReadFile();
    const std::string l = lines[0].substr(7);
    EXPECT_EQ(l[43], '1');
    EXPECT_EQ(l[54], '2');
    EXPECT_EQ(l[65], '3');
}

} // namespace

namespace
{

TEST_F(EngineTest, KeepReportLinesStartsANewPageNearThePageEnd)
{
    telmvar.LinesPerPage = 30;
    OpenDevice(1);
    SetReportHeader("T", "", "", "", "", 0);
    PrintReportPageHeader(1, 0);
    // 9 header lines (frame, title, date, file, separator, three header
    // lines, frame) + 11 = 20 lines: exactly max(30 - 10, 10).
    for (int i = 0; i < 11; ++i)
        PrintReportLine("x");
    KeepReportLines(0);
    EXPECT_EQ(reportengine.ReportPageNo, 1) << "20 lines are not more than 20";
    PrintReportLine("x");
    KeepReportLines(0);
    EXPECT_EQ(reportengine.ReportPageNo, 2);
    EXPECT_TRUE(CloseReport());
    EXPECT_EQ(Count(Lines(ShownReport), "\f"), 1);
}

TEST_F(EngineTest, EjectIgnoresTheCompressedModeRule)
{
    telmvar.PrintSeparatorMode = 4;
    OpenDevice(1);
    PrintReportLine("x");
    ReportPageBreak();
    EXPECT_EQ(reportengine.ReportLineCount, 1) << "half-empty page: no break in mode 4";
    EjectReportPage();
    EXPECT_EQ(reportengine.ReportLineCount, 0);
    EXPECT_TRUE(CloseReport());
    EXPECT_EQ(Lines(ShownReport), (std::vector<std::string>{Ind + "x", "\f"}));
}

// A head that should open a sheet: the screen ends a sheet that holds lines
// (not an empty one, nor one of a blank line at the start or after a page's
// end); the fixed DOS file keeps its text, its page end (header mode 2 writes
// one) coming 10 lines after the start as before. The compressed form fills
// the sheet, 3 lines, with the head (7 lines without rules), the page's 10th
// line on the next sheet. A report after another begins no sheet of its own,
// and counts from the top.
TEST_F(EngineTest, BreakBeforeAHeadEndsOnlyASheetThatHoldsLines)
{
    wtelmvar.PrintHeaderMode = 2;
    telmvar.LinesPerPage = 10;
    for (const auto& [device, mode, line, headAfter, feeds] :
         {std::tuple<uint16_t, int, const char*, int, std::vector<size_t>>{1, 1, "x", 3, {3, 13}},
          {1, 4, "x", 3, {9, 20}},
          {8, 1, "x", 3, {9}},
          {1, 1, "", 1, {9, 14}},
          {1, 1, "", 10, {9, 14}}}) {
        SCOPED_TRACE(testing::Message() << device << " " << mode << " " << headAfter);
        telmvar.PrintSeparatorMode = mode;
        OpenDevice(device);
        BreakReportPageBeforeHead();
        for (int i = 1; i <= 13; ++i) {
            PrintReportLine(i == headAfter ? line : "x");
            if (i == headAfter) BreakReportPageBeforeHead();
            if (i == headAfter && mode == 4) {
                SetReportHeader("T", "", "", "", "", 0);
                PrintReportPageHeader(1, 0);
            }
        }
        EXPECT_TRUE(CloseReport());
        const auto lines = Lines(device == 1 ? ShownReport : ReadFile(Temp("OUTDOS.TXT")));
        std::vector<size_t> at;
        for (size_t i = 0; i < lines.size(); ++i)
            if (lines[i] == "\f") at.push_back(i);
        EXPECT_EQ(at, feeds);
    }
}

// Pages no taller than their head (12 lines with the column heads and the
// blank line after them, header space lines on top): the report ends, every
// line once and in order; with a head on every page in the "***" form, each
// page begins with its head, holds a line of the report after it, and no more
// lines than the page or the head, its blank line and one line. KeepReportLines
// is asked right after the first head and before every seventh line.
TEST_F(EngineTest, PagesNoTallerThanTheirHeadEndAndHoldTheirLines)
{
    for (const auto& [lines, space, headerMode, mode] :
         {std::tuple{1, 0, 1, 1}, {5, 0, 1, 1}, {13, 0, 1, 1}, {40, 30, 1, 1}, {5, 0, 2, 1}, {5, 0, 1, 4}}) {
        SCOPED_TRACE(testing::Message() << lines << " lines, " << space << " space, header mode "
                                        << headerMode << ", display mode " << mode);
        std::tie(telmvar.LinesPerPage, wtelmvar.HeaderSpaceLines, wtelmvar.PrintHeaderMode,
                 telmvar.PrintSeparatorMode) = std::tuple(lines, space, headerMode, mode);
        const auto report = [this] {
            OpenDevice(1);
            SetReportHeader("T", "one", "two", "three", "", 0);
            SetReportColumns2("Item", "Symbol", "Unit", "S", "H");
            PrintReportPageHeader(1, 1);
            for (int i = 1; i <= 30; ++i) {
                if (i % 7 == 1) KeepReportLines(1);
                PrintReportLine("line " + std::to_string(i));
            }
            EXPECT_TRUE(CloseReport());
        };
        EXPECT_EXIT((report(), std::fflush(nullptr), std::_Exit(0)), testing::ExitedWithCode(0), "")
            << "the report ends";
        if (HasFailure()) return;
        report();
        std::vector<std::string> written;
        std::vector<std::vector<std::string>> pages(1);
        for (const std::string& l : Lines(ShownReport)) {
            if (l.starts_with(Ind + "line ")) written.push_back(l.substr(7));
            l == "\f" ? (void)pages.emplace_back() : pages.back().push_back(l);
        }
        std::vector<std::string> expected;
        for (int i = 1; i <= 30; ++i)
            expected.push_back("line " + std::to_string(i));
        EXPECT_EQ(written, expected);
        if (headerMode != 1 || mode != 1) continue;
        const std::string frame = Ind + std::string(70, '*');
        for (size_t p = 0; p < pages.size(); ++p) {
            const auto& page = pages[p];
            ASSERT_GT(page.size(), static_cast<size_t>(space)) << "page " << p + 1;
            EXPECT_EQ(page[static_cast<size_t>(space)], frame) << "page " << p + 1 << " begins with its head";
            EXPECT_LE(page.size(), static_cast<size_t>(std::max(lines, space + 12 + 2))) << "page " << p + 1;
            const auto bottom = std::find(page.rbegin(), page.rend(), frame);
            EXPECT_TRUE(std::any_of(page.rbegin(), bottom,
                                    [](const std::string& l) { return l.starts_with(Ind + "line "); }))
                << "page " << p + 1 << " holds a line of the report below its head";
        }
    }
}

TEST_F(EngineTest, WordProcessorGetsTheConvertedCopy)
{
    WriteFile(Temp("editor"), "#!/bin/sh\n");
    wtelmvar.WordProcessorPath = Temp("editor");
    OpenDevice(5);
    const std::string tmp = reportengine.ReportFileName;
    PrintReportLine("x");
    EXPECT_TRUE(CloseReport());
    ASSERT_EQ(Launches.size(), 1u);
    EXPECT_EQ(Launches[0].Program, Temp("editor"));
    EXPECT_EQ(Launches[0].Args, std::vector<std::string>{Temp("outwin.txt")});
    EXPECT_EQ(ReadFile(Temp("outwin.txt")), Ind + "x\r\n");
    EXPECT_FALSE(fs::exists(tmp));
}

TEST_F(EngineTest, FixedDosFileKeepsItsBytesAndEnablesMessages)
{
    telmvar.MessagesEnabled = false;
    telmvar.PrintSeparatorMode = 2;
    OpenDevice(8);
    EXPECT_EQ(reportengine.ReportFileName, Temp("OUTDOS.TXT"));
    PrintReportLine(GetRuleLine());
    EXPECT_TRUE(CloseReport());
    EXPECT_TRUE(telmvar.MessagesEnabled);
    EXPECT_EQ(ReadFile(Temp("OUTDOS.TXT")), Ind + std::string(70, '\xC4') + "\r\n");
    EXPECT_EQ(ReadFile(Temp("outwin.txt")), Ind + std::string(70, '-') + "\r\n");
}

TEST_F(EngineTest, PrinterDeviceHandsItsFileToThePrinterAndRemovesIt)
{
    std::string printed;
    reportservices.PrintTextFile = [&](const std::string& F) { printed = ReadFile(F); };
    OpenDevice(4);
    const std::string tmp = reportengine.ReportFileName;
    PrintReportLine("x");
    EXPECT_TRUE(CloseReport());
    EXPECT_EQ(printed, Ind + "x\r\n");
    EXPECT_FALSE(fs::exists(tmp));
}

TEST_F(EngineTest, BatchDeviceCopiesUnderTheProjectName)
{
    telmvar.ProjectName = Temp("stage7");
    OpenDevice(9);
    PrintReportLine("x");
    EXPECT_TRUE(CloseReport());
    EXPECT_EQ(telmvar.TempFileCounter, 1);
    EXPECT_EQ(ReadFile(Temp("stage7.txt")), "x\r\n");
}

} // namespace

namespace
{

TEST_F(EngineTest, FileLineOfThePageHeader)
{
    struct Case {
        bool Archive;
        std::string DataDir, Project, Expected;
    };
    const std::string longDir = "/" + std::string(61, 'd') + "/"; // 63 characters
    std::string ae32;
    for (int i = 0; i < 32; ++i)
        ae32 += "ä";
    const Case cases[] = {
        {false, "/data/projects", "stage1", "/data/projects/stage1.qy7"},
        {false, "/data/projects/", "  stage1  ", "/data/projects/stage1.qy7"}, // trimmed
        {false, longDir, "stage12", "stage12.qy7"},                            // 63 + 7 > 69
        {true, "/data/", "/archive/old/stage1.qy7", "/archive/old/stage1.qy7"},
        // UTF-8 names in code page 437, counted in characters: 6 + 32 <= 69, though 70 bytes.
        {false, "/data/", ae32, "/data/" + std::string(32, '\x84') + ".qy7"},
        {false, longDir, "größe12", "gr\224\341e12.qy7"}, // 63 + 7 > 69
        {true, "/data/", "/archive/齿轮/x.qy7", "/archive/?\?/x.qy7"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Project);
        ResetReportEngine();
        telmvar.ArchiveMode = c.Archive;
        telmvar.DataDir = c.DataDir;
        telmvar.ProjectName = c.Project;
        OpenFileReport();
        PrintReportPageHeader(1, 0);
        auto lines = CloseAndReadFile();
        ASSERT_GE(lines.size(), 4u);
        EXPECT_EQ(lines[3].substr(7 + 3, c.Expected.size()), c.Expected);
        EXPECT_EQ(lines[3].substr(7 + 3 + c.Expected.size()).find_first_not_of(' '), 66 - c.Expected.size())
            << "only blanks up to the frame side";
    }
}

// The head's project line on the screen and on paper names the project at every length: the whole path
// where it fits columns 4 to 68 (65 characters), else the name, else the name cut in its middle.
TEST_F(EngineTest, PageHeadNamesTheProjectAtEveryPathLength)
{
    std::vector<std::tuple<std::string, std::string, std::string>> cases; // directory, name, shown
    for (std::size_t whole = 60; whole <= 75; ++whole) {                  // directory, "/", "stage.qy7"
        const std::string dir = "/" + std::string(whole - 11, 'd');
        cases.emplace_back(dir, "stage", whole <= 65 ? dir + "/stage.qy7" : "stage.qy7");
    }
    cases.emplace_back("/d", std::string(40, 'n') + std::string(30, 'e'),
                       std::string(29, 'n') + " ... " + std::string(26, 'e') + ".qy7");
    // The name alone just fits (61 + ".qy7"), or is one too long: its first 29 and last 30 characters.
    const std::string fits = std::string(30, 'n') + std::string(31, 'e');
    cases.emplace_back("/d", fits, fits + ".qy7");
    cases.emplace_back("/d", fits + "e", std::string(29, 'n') + " ... " + std::string(26, 'e') + ".qy7");
    cases.emplace_back("", "/" + std::string(60, 'a') + "/old.qy7", "old.qy7"); // archive mode: the path
    std::string printed;
    reportservices.PrintTextFile = [&](const std::string& F) { printed = ReadFile(F); };
    for (const auto& [dir, name, shown] : cases)
        for (const uint16_t device : {1, 4}) { // the screen, the printer
            SCOPED_TRACE(name + " in " + dir + " on " + std::to_string(device));
            ResetReportEngine();
            telmvar.ArchiveMode = dir.empty();
            telmvar.DataDir = dir;
            telmvar.ProjectName = name;
            OpenDevice(device);
            PrintReportPageHeader(1, 0);
            EXPECT_TRUE(CloseReport());
            const auto lines = Lines(device == 1 ? ShownReport : printed);
            ASSERT_GE(lines.size(), 4u);
            EXPECT_EQ(lines[3].substr(7), lines[3][7] + ("  " + Pad(shown, 66)) + lines[3][7]);
        }
}

// The heads of the HTML and tab reports name the file as the file system has it, in the Windows text of these
// files (0xF6 o umlaut, 0xDF sharp s, "?" for what it lacks): the HTML page and the tab file chosen in the
// save dialog, the batch's project.
TEST_F(EngineTest, HtmlAndTabHeadsNameTheFileAsTheFileSystemHasIt)
{
    wtelmvar.HtmlBrowserPath = "";
    wtelmvar.TextDeviceDialog = true;
    telmvar.ProjectName = Temp("p");
    reportengine.ReportProjectFile = Temp("größe齿.qy7");
    const std::string shown = Temp("gr\xF6\xDF"
                                   "e?.");
    const struct {
        uint16_t Device;
        const char* Chosen;
        std::string Line;
    } cases[] = {{7, "größe齿.htm", "<!-- " + shown + "htm -->"},
                 {6, "größe齿.txt", shown + "txt"},
                 {9, "w.txt", shown + "qy7"}};
    for (const auto& c : cases) {
        SaveDialogPath = Temp(c.Chosen);
        OpenDevice(c.Device);
        PrintReportPageHeader(1, 0);
        EXPECT_TRUE(CloseReport());
        const std::string file = c.Device == 7 ? SaveDialogPath
                                 : c.Device == 6
                                     ? Temp("$$" + std::to_string(telmvar.TempFileCounter) + ".txt")
                                     : Temp("p.txt");
        const auto lines = Lines(ReadFile(file));
        ASSERT_GE(lines.size(), 2u) << c.Device;
        EXPECT_EQ(lines[c.Device == 7 ? 0 : 1], c.Line) << c.Device;
    }
}

TEST_F(EngineTest, HeaderSpaceLinesComeBeforeTheFrame)
{
    wtelmvar.HeaderSpaceLines = 2;
    OpenFileReport();
    PrintReportPageHeader(1, 0);
    auto lines = CloseAndReadFile();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], Ind);
    EXPECT_EQ(lines[1], Ind);
    EXPECT_EQ(lines[2], Ind + std::string(70, '*'));
}

} // namespace
