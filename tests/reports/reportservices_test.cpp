// The report side's default services on the headless platform: printing a
// report text page by page, the device list, the file name checks, external
// programs, the printer port and the result window as a text screen.
#include "reporttestsupport.h"

#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "platform/headless/platform_headless.h"
#include "reports/engine/reportengine.h"
#include "reports/engine/reportservicedefaults.h"
#include "reports/textview/printsettings.h"
#include "reports/textview/printtext.h"

#include <filesystem>

namespace fs = std::filesystem;
using platform::MessageAnswer;

namespace
{

class ServicesTest : public ReportTest
{
  protected:
    void SetUp() override
    {
        ReportTest::SetUp();
        ResetReportServices(); // the defaults, over the scripted platform
    }
    platform::PlatformHeadless hp{platform::HeadlessMode::Scripted};
    platform::ScopedPlatform use{hp};

    std::vector<std::vector<std::string>> PrintedPages()
    {
        std::vector<std::vector<std::string>> pages;
        const auto& docs = hp.HeadlessPrinter().PrintedDocuments();
        if (docs.empty()) return pages;
        for (const auto& page : docs.back().Pages) {
            std::vector<std::string> texts;
            for (const std::string& r : page->Records())
                if (r.rfind("text ", 0) == 0) texts.push_back(r);
            pages.push_back(texts);
        }
        return pages;
    }
};

TEST_F(ServicesTest, PrintTextFilePrintsEveryPageIncludingTheLast)
{
    telmvar.ProjectName = "stage1";
    WriteFile(Temp("r.txt"), "one\r\n\f\r\ntwo a\r\ntwo b\r\n\f\r\nthree \xF8\r\n");
    PrintTextFile(Temp("r.txt"));
    const auto pages = PrintedPages();
    // 3508 printer pixels over 66 lines: 53 pixels a line.
    const std::vector<std::vector<std::string>> expected = {
        {"text 0 0 one"},
        {"text 0 0 two a", "text 0 53 two b"},
        {"text 0 0 three \xB0"}, // the DOS degree sign in its display form
    };
    EXPECT_EQ(pages, expected);
    ASSERT_EQ(hp.HeadlessPrinter().PrintedDocuments().size(), 1u);
    EXPECT_EQ(hp.HeadlessPrinter().PrintedDocuments()[0].Title, "stage1");
}

TEST_F(ServicesTest, PrintTextFilePrintsTheChosenRange)
{
    WriteFile(Temp("r.txt"), "one\r\n\f\r\ntwo\r\n\f\r\nthree\r\n\f\r\n");
    reportservices.ChoosePrintPages = [](int Count, int& From, int& To) {
        EXPECT_EQ(Count, 3);
        From = 2;
        To = 3;
        return true;
    };
    PrintTextFile(Temp("r.txt"));
    EXPECT_EQ(PrintedPages(), (std::vector<std::vector<std::string>>{{"text 0 0 two"}, {"text 0 0 three"}}));
}

TEST_F(ServicesTest, PrintTextFileOfAReportWithoutBreaksPrintsIt)
{
    WriteFile(Temp("r.txt"), "no break at all\r\n");
    PrintTextFile(Temp("r.txt"));
    EXPECT_EQ(PrintedPages(), (std::vector<std::vector<std::string>>{{"text 0 0 no break at all"}}));
}

TEST_F(ServicesTest, PrintTextFileCancelledOrMissing)
{
    WriteFile(Temp("r.txt"), "one\r\n");
    hp.HeadlessPrinter().ChooseAnswer = false;
    PrintTextFile(Temp("r.txt"));
    EXPECT_TRUE(hp.HeadlessPrinter().PrintedDocuments().empty());
    PrintTextFile(Temp("missing.txt"));
    const auto& asked = hp.HeadlessMessages().AskedQuestions();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].Request.Text, Temp("missing.txt") + " not found !");
}

TEST_F(ServicesTest, DeviceListWithoutTheProgramsPromptKeepsTheDevice)
{
    // The selection prompt belongs to the dialogs; the report side's own
    // default never asks, so a batch run keeps its configured device.
    wtelmvar.TextDeviceDialog = true;
    wtelmvar.TextDevice = 4;
    OpenReport(0, "x");
    ASSERT_FALSE(telmvar.Aborted);
    EXPECT_EQ(reportengine.ReportDevice, 4);
    EXPECT_TRUE(hp.HeadlessPrompts().Selections().empty());
    CancelReport();
}

TEST_F(ServicesTest, FileNameChecks)
{
    reportservices.CheckFileName(Temp("a.b.txt"));
    EXPECT_TRUE(telmvar.Aborted);
    telmvar.Aborted = false;
    WriteFile(Temp("old.txt"), "x");
    hp.HeadlessMessages().QueueAnswer(MessageAnswer::Yes);
    reportservices.CheckFileName(Temp("old.txt"));
    EXPECT_FALSE(telmvar.Aborted);
    hp.HeadlessMessages().QueueAnswer(MessageAnswer::No);
    reportservices.CheckFileName(Temp("old.txt"));
    EXPECT_TRUE(telmvar.Aborted);
    telmvar.Aborted = false;
    reportservices.CheckFileName(Temp("no-such-dir/new.txt"));
    EXPECT_TRUE(telmvar.Aborted);
    const auto& asked = hp.HeadlessMessages().AskedQuestions();
    ASSERT_EQ(asked.size(), 4u);
    EXPECT_EQ(asked[0].Request.Text, Temp("a.b.txt") + " not allowed (too many dots)!");
    EXPECT_EQ(asked[1].Request.Text, Temp("old.txt") + " already exists.   overwrite ?");
    EXPECT_EQ(asked[3].Request.Text, "invalid file name \"" + Temp("no-such-dir/new.txt") + "\" !");
}

TEST_F(ServicesTest, SaveDialogSetsTheDataDirectoryAndKeepsTheExtension)
{
    telmvar.DataExt = "txt";
    hp.HeadlessFiles().QueueAnswer(Temp("chosen.txt"));
    std::string path;
    reportservices.SaveFileDialog("", path);
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(path, Temp("chosen.txt"));
    EXPECT_EQ(telmvar.ProjectName, "chosen");
    hp.HeadlessFiles().QueueAnswer(std::nullopt);
    reportservices.SaveFileDialog("", path);
    EXPECT_TRUE(telmvar.Aborted);
}

TEST_F(ServicesTest, WindowsProgramPathsOpenWithTheDesktopsProgram)
{
    wtelmvar.HtmlBrowserPath = "c:\\Program Files\\Internet Explorer\\Iexplore.exe";
    OpenReport(7, "x");
    ASSERT_TRUE(BeginReportOutput());
    EXPECT_TRUE(CloseReport());
    const auto& launches = hp.HeadlessLauncher().Launches();
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].Program, "");
    EXPECT_EQ(launches[0].Document, Temp("qyr7.htm"));
}

TEST_F(ServicesTest, TextPrinterPortIsAFileAndAnOptionalCommand)
{
    hp.HeadlessMessages().QueueAnswer(MessageAnswer::No); // single page printing: no
    reportengine.PrinterPortCommand = "lp";
    telmvar.PrinterPort = 2;
    OpenReport(2, "x");
    ASSERT_TRUE(BeginReportOutput());
    PrintReportLine("x");
    EXPECT_TRUE(CloseReport());
    EXPECT_EQ(ReadFile(Temp("LPT2.PRN")), std::string(7, ' ') + "x\r\n");
    const auto& launches = hp.HeadlessLauncher().Launches();
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].Program, "lp");
    EXPECT_EQ(launches[0].Arguments, std::vector<std::string>{Temp("LPT2.PRN")});
}

TEST_F(ServicesTest, ProgramOrPortThatCannotTakeTheReportIsNamedInABox)
{
    // The default settings; the launcher fails as it does without a desktop opener.
    const std::string why = "no program to open it (xdg-open is not installed)",
                      wrote = ". The report was written to ";
    // A program of the user's own, named with its path: it is started itself
    // with the report's file (the scripted launcher records the start).
    const std::string own = Temp("show.sh");
    WriteFile(own, "#!/bin/sh\n");
    fs::permissions(own, fs::perms::owner_exec, fs::perm_options::add);
    const std::string browser = wtelmvar.HtmlBrowserPath, writer = wtelmvar.WordProcessorPath;
    struct Row {
        uint16_t Device;
        std::string Program; // empty: the default setting
        bool Starts;
        std::string Box;
    };
    const Row rows[] = {
        {7, "", false,
         "c:\\Program Files\\Internet Explorer\\Iexplore.exe not found: " + why + wrote + Temp("qyr7.htm")},
        {5, "", false, "C:\\WINDOWS\\WRITE.EXE not found: " + why + wrote + Temp("outwin.txt")},
        {5, "", true, ""},
        {9, "", false, ""}, // the batch run's device starts nothing
        // Said when the report opens, before the single-page question; nothing is written.
        {2, "", true, "nothing printed: printer port LPT1 does not exist on this system"},
        {7, own, true, ""},
        {5, own, true, ""}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Device);
        hp.Reset();
        telmvar.Aborted = false;
        fs::remove(Temp("qyr7.htm")); // an earlier row's page is not asked about
        wtelmvar.HtmlBrowserPath = r.Program.empty() ? browser : r.Program;
        wtelmvar.WordProcessorPath = r.Program.empty() ? writer : r.Program;
        if (!r.Starts) hp.HeadlessLauncher().QueueResult({false, ENOENT, why});
        hp.HeadlessMessages().QueueAnswer(MessageAnswer::No); // single page printing: no
        OpenReport(r.Device, "x");
        if (r.Device == 2) {
            EXPECT_TRUE(telmvar.Aborted);
            EXPECT_FALSE(fs::exists(Temp("$OUT1.TMP")));
        } else {
            ASSERT_TRUE(BeginReportOutput());
            EXPECT_EQ(CloseReport(), r.Box.empty());
        }
        std::vector<std::string> asked;
        for (const auto& a : hp.HeadlessMessages().AskedQuestions())
            asked.push_back(a.Request.Text);
        EXPECT_EQ(asked, r.Box.empty() ? std::vector<std::string>{} : std::vector<std::string>{r.Box});
        if (r.Program.empty()) continue;
        const auto& launches = hp.HeadlessLauncher().Launches();
        ASSERT_EQ(launches.size(), 1u);
        EXPECT_EQ(launches[0].Program, own);
        EXPECT_EQ(launches[0].Arguments,
                  std::vector<std::string>{Temp(r.Device == 7 ? "qyr7.htm" : "outwin.txt")});
    }
}

TEST_F(ServicesTest, ScreenDeviceWithoutAWindowShowsTheReportAsText)
{
    OpenReport(1, "x");
    ASSERT_TRUE(BeginReportOutput());
    PrintReportLine("first");
    PrintReportLine("second");
    EXPECT_TRUE(CloseReport());
    const auto& screens = hp.HeadlessPrompts().TextScreens();
    ASSERT_EQ(screens.size(), 1u);
    EXPECT_EQ(screens[0].Lines, (std::vector<std::string>{"       first", "       second"}));
}

} // namespace
