// The start-up routine run in the test process: the command line rows that
// start the program with its window, the template, the calculation, the
// exchange switch and the plain Save after it, and the window utilities.
#include "appfixture.h"

#include "app/sessionfile.h"
#include "common/askedboxes.h"
#include "foundation/messagecollector.h"
#include "graphics/cad/cadoutput.h"
#include "planetary/projectfile.h"
#include "planetary/stage.h"
#include "planetary/stagedefaults.h"
#include "xbase/cmd/dbcmd.h"
#include "xbase/dbf/dbffile.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;
using platform::MessageAnswer;

namespace
{

class Startup : public AppTest
{
  protected:
    void SetUp() override
    {
        AppTest::SetUp();
        InitProgramLoadDefaults();
        configio.FallbackDirs.clear();
        telmvar.StartDir = dir.string();
        wtelmvar.DefaultDataDir = dir.string() + "/";
        InstallPlatformServices();
        // Nobody is there: every question gets its safe answer.
    }

    // A project file whose stage text tells it apart from the built-in one.
    void WriteProject(const fs::path& File, const std::string& StageText)
    {
        const std::string saved = PlanetaryGears.StageText;
        PlanetaryGears.StageText = StageText;
        ASSERT_TRUE(WriteProjectData(File.string()));
        PlanetaryGears.StageText = saved;
    }

    TStartOutcome Start(std::vector<std::string> Args)
    {
        return StartupAndCommandLine(ParseCommandLine(Args));
    }
};

} // namespace

TEST_F(Startup, WithoutParametersTheBuiltInStageIsCalculated)
{
    PlanetaryGears.StageText = "built in";
    const TStartOutcome outcome = Start({});
    EXPECT_FALSE(outcome.EndProcess);
    EXPECT_EQ(telmvar.DataDir, dir.string() + "/");
    EXPECT_EQ(telmvar.ProjectName, "");
    EXPECT_FALSE(telmvar.DataModified);
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_FALSE(telmvar.FatalCalcError);
    EXPECT_EQ(PlanetaryGears.StageText, "built in");
    // The default stage's centre distance S-Pi, (21 + 15) x 6.5 / 2.
    EXPECT_NEAR(static_cast<double>(PlanetaryGears.aInUse[1]), 117.0, 1e-9);
}

TEST_F(Startup, TheTemplateInTheDataDirectoryIsReadAndItsNameForgotten)
{
    WriteProject(dir / "null.qy7", "from the template");
    telmvar.DataModified = true;
    Start({});
    EXPECT_EQ(PlanetaryGears.StageText, "from the template");
    EXPECT_EQ(telmvar.ProjectName, "");
    EXPECT_FALSE(telmvar.DataModified);
}

TEST_F(Startup, ExchangeSwitchKeepsTheNameWhenNoTemplateExists)
{
    for (const char* sw : {"/E", "/e", "/G"}) {
        telmvar.ProjectName.clear();
        const TStartOutcome outcome = Start({"test.edi", sw});
        EXPECT_FALSE(outcome.EndProcess) << sw;
        EXPECT_EQ(telmvar.ProjectName, "test.edi") << sw;
    }
    WriteProject(dir / "null.qy7", "template");
    Start({"test.edi", "/E"});
    EXPECT_EQ(telmvar.ProjectName, "") << "the template clears the name";
}

TEST_F(Startup, APlainSaveAfterTheExchangeSwitchAsksBeforeOverwriting)
{
    const fs::path named = dir / "named.qy7";
    WriteProject(named, "the named project");
    const std::string before = ReadWholeFile(named);
    Start({named.string(), "/E"});
    ASSERT_EQ(telmvar.ProjectName, named.string());
    // The plain Save: no overwrite question of its own.
    messageboxes.OverwriteQuery = false;
    headless->HeadlessMessages().QueueAnswer(MessageAnswer::No);
    telmvar.Aborted = false;
    WriteProjectFile(telmvar.ProjectName);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(ReadWholeFile(named), before) << "the built-in data did not go over the file";
    ASSERT_FALSE(Boxes().empty());
    EXPECT_EQ(AskedAt(Boxes()), named.string() + " already exists.   overwrite ?");
    // Once the user agrees, the save goes through.
    headless->HeadlessMessages().QueueAnswer(MessageAnswer::Yes);
    telmvar.Aborted = false;
    WriteProjectFile(telmvar.ProjectName);
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_NE(ReadWholeFile(named), before);
}

TEST_F(Startup, InteractiveOpenReadsTheProjectInArchiveMode)
{
    WriteProject(dir / "stage.qy7", "opened");
    const std::string path = (dir / "stage.qy7").string();
    const TStartOutcome outcome = Start({path});
    EXPECT_FALSE(outcome.EndProcess);
    EXPECT_TRUE(telmvar.ArchiveMode);
    EXPECT_EQ(telmvar.ProjectName, path);
    EXPECT_EQ(telmvar.DataDir, "");
    EXPECT_EQ(PlanetaryGears.StageText, "opened");
    EXPECT_TRUE(telmvar.MessagesEnabled);
    EXPECT_FALSE(telmvar.DataModified);
}

TEST_F(Startup, InteractiveOpenOfAnUnreadableFileKeepsItAndTheBuiltInData)
{
    WriteWholeFile(dir / "broken.qy7", "garbage\r\n");
    PlanetaryGears.StageText = "built in";
    startup.Interactive = true;
    const TStartOutcome outcome = Start({(dir / "broken.qy7").string()});
    EXPECT_FALSE(outcome.EndProcess);
    EXPECT_EQ(ReadWholeFile(dir / "broken.qy7"), "garbage\r\n");
    EXPECT_EQ(PlanetaryGears.StageText, "built in");
    // Explained once, without any overwrite question.
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(AskedAt(Boxes(), 0).find("cannot be read"), std::string::npos) << AskedAt(Boxes(), 0);
    EXPECT_EQ(AskedAt(headless->HeadlessMessages().AskedQuestions(), 0).Request.Buttons,
              platform::MessageButtons::Ok);
}

TEST_F(Startup, ABadNameEndsTheInteractiveOpen)
{
    const TStartOutcome outcome = Start({(dir / "a.b.qy7").string()});
    EXPECT_TRUE(outcome.EndProcess);
    EXPECT_EQ(outcome.ExitCode, ExitProjectUnreadable);
    EXPECT_FALSE(fs::exists(dir / "a.b.qy7"));
}

TEST_F(Startup, UsageAndMissingExtensionEndTheProcess)
{
    TStartOutcome o = Start({"/?"});
    EXPECT_TRUE(o.EndProcess);
    EXPECT_EQ(o.ExitCode, ExitOk);
    EXPECT_EQ(telmvar.TextItems[1], "QYR7 Command Line Mode");
    o = Start({"test"});
    EXPECT_TRUE(o.EndProcess);
    EXPECT_EQ(o.ExitCode, ExitMissingExtension);
    EXPECT_TRUE(Boxes().empty()) << "without a window the message is one line on stderr";
    startup.Interactive = true;
    o = Start({"test"});
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(AskedAt(Boxes(), 0), "extension .qy7 missing");
}

TEST_F(Startup, TheStartPictureIsNoticed)
{
    telmvar.PltDir = dir.string();
    Start({});
    EXPECT_FALSE(startup.StartPictureFound);
    WriteWholeFile(dir / "start.plt", "IN;");
    Start({});
    EXPECT_TRUE(startup.StartPictureFound);
}

TEST_F(Startup, FormCreateReadsConfigurationAndSessionAndClearsAborted)
{
    cadsettings.CadTextFont = "CONFIGURED";
    WriteConfigFile();
    wtelmvar.RecentFiles[1] = "/p/last.qy7";
    WriteSessionFile();
    InitProgramLoadDefaults();
    wtelmvar.RecentFiles[1] = "";
    const TStartOutcome outcome = ThhFormCreate(ParseCommandLine({}));
    EXPECT_FALSE(outcome.EndProcess);
    EXPECT_EQ(cadsettings.CadTextFont, "CONFIGURED");
    EXPECT_EQ(wtelmvar.RecentFiles[1], "/p/last.qy7");
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_TRUE(startup.TableBrowserCreated);
    EXPECT_EQ(headless->MainWindow().Title(), "QYR7 - Radi Divivuzez Orude");
    EXPECT_EQ(headless->Unscripted(), 0) << "nothing was asked";
}

TEST_F(Startup, WithoutConfigurationFileTheStartGoesOn)
{
    const TStartOutcome outcome = ThhFormCreate(ParseCommandLine({}));
    EXPECT_FALSE(outcome.EndProcess);
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_TRUE(Boxes().empty()) << "the start directory is writable: no directory is reported";
}

// --- window utilities -------------------------------------------------------------

TEST_F(Startup, DialogsAreScaledAndCentredOverTheMainWindow)
{
    winutil.QueryScreen = [] {
        TScreenInfo s;
        s.WindowLeft = 100;
        s.WindowTop = 50;
        s.WindowWidth = 800;
        s.WindowHeight = 600;
        s.ScreenWidth = 1920; // room for every form below
        s.ScreenHeight = 1200;
        return s;
    };
    TFormPlacement form{400, 300};
    wtelmvar.ScreenPercent = 102;
    wtelmvar.FontPercent = 110;
    ScaleDialogForm(form);
    EXPECT_EQ(form.Width, 408);
    EXPECT_EQ(form.Height, 306);
    EXPECT_EQ(form.Left, 100 + (800 - 408) / 2);
    EXPECT_EQ(form.Top, 50 + (600 - 306) / 2 + 20);
    EXPECT_DOUBLE_EQ(form.ContentScale, 1.1);
    EXPECT_TRUE(form.ParentFont);
    // Larger than the main window: its top-left corner, 20 pixels lower.
    TFormPlacement big{1000, 900};
    ScaleDialogForm(big);
    EXPECT_EQ(big.Left, 100);
    EXPECT_EQ(big.Top, 70);
    // Mode 2: nothing at all.
    wtelmvar.DialogScaleMode = 2;
    TFormPlacement kept{400, 300, 5, 6, 400, 300};
    ScaleDialogForm(kept);
    EXPECT_EQ(kept.Width, 400);
    EXPECT_EQ(kept.Left, 5);
    EXPECT_FALSE(kept.ParentFont);
}

// A window not yet laid out: 480 / (30 + 46) + 0.009 = 6.325, 632 %, held to 300.
TEST_F(Startup, TheAutoDialogSizeIsHeldToThreeHundredPercent)
{
    TScreenInfo s;
    s.WindowHeight = 480;
    s.ClientHeight = 30;
    EXPECT_EQ(AutoScreenPercent(s), 300);
}

TEST_F(Startup, ScaleFormAtAndOnly)
{
    winutil.SavedWindowLeft = 33;
    winutil.SavedWindowTop = 44;
    TFormPlacement at{100, 50};
    ScaleFormAt(at);
    EXPECT_EQ(at.Left, 33);
    EXPECT_EQ(at.Top, 44);
    EXPECT_EQ(at.Width, 102);
    TFormPlacement only{100, 50, 7, 8};
    ScaleFormOnly(only);
    EXPECT_EQ(only.Left, 7);
    EXPECT_EQ(only.Height, 51);
}

TEST_F(Startup, ToggleUnitSystem)
{
    const std::pair<uint16_t, uint16_t> cases[] = {{0, 1}, {1, 0}, {2, 1}, {3, 1}, {4, 1}};
    for (auto [from, to] : cases) {
        wtelmvar.UnitSystem = from;
        ToggleUnitSystem();
        EXPECT_EQ(wtelmvar.UnitSystem, to) << from;
    }
}

TEST_F(Startup, VersionAndEnvironmentTexts)
{
    std::string text;
    GetFileVersionText("", text);
    EXPECT_EQ(text, "1.0");
    GetFileVersionText((dir / "nothing.dll").string(), text);
    EXPECT_EQ(text, "0");
    ::setenv("QYR7_TEST_VARIABLE", std::string(300, 'x').c_str(), 1);
    GetEnvironmentText("QYR7_TEST_VARIABLE", text);
    EXPECT_EQ(text.size(), 255u);
    ::unsetenv("QYR7_TEST_VARIABLE");
    GetEnvironmentText("QYR7_TEST_VARIABLE", text);
    EXPECT_EQ(text, "");
}

TEST_F(Startup, SizeMainWindowTakesTheConfiguredPixels)
{
    telmvar.ScreenPixelsX = 800;
    telmvar.ScreenPixelsY = 600;
    SizeMainWindow();
    EXPECT_EQ(headless->MainWindow().ClientWidth(), 801);
    EXPECT_EQ(headless->MainWindow().ClientHeight(), 601);
    EXPECT_EQ(headless->MainWindow().HintHidePause(), 100000) << "a hint stays up 100 s";
}

// A batch run ends without the destructors of the program's state. What it
// wrote must be whole all the same: a table changed through a work area gets
// its header on close (else the appended record lies past the record count,
// lost to every reader), a buffered stream reaches its file, and an output
// never finished leaves no temporary file behind.
TEST_F(Startup, TheBatchEndClosesChangedTablesAndFlushesStreams)
{
    const std::string table = (dir / "t.dbf").string();
    const std::string text = (dir / "out.txt").string();
    TDbfTable created;
    ASSERT_TRUE(CreateDBF(created, table, {{"NAME", 'C', 4, 0, 0}}));
    ASSERT_TRUE(CloseDbf(created));
    EXPECT_EXIT(
        {
            std::FILE* out = std::fopen(text.c_str(), "w");
            std::fputs("report", out);
            if (!UseFile(table + " exclusive")) std::_Exit(90);
            SetNativeText(1, "abcd");
            Append();
            telmvar.TempDir = dir.string();
            CadOpenOutput(4);
            if (!CadOutputIsOpen()) std::_Exit(91);
            EndBatchProcess(3);
        },
        ::testing::ExitedWithCode(3), "");
    std::ifstream in(table, std::ios::binary);
    char header[8] = {};
    in.read(header, 8);
    EXPECT_EQ(static_cast<unsigned char>(header[4]), 1) << "the appended record is counted";
    std::ifstream report(text);
    std::string line;
    std::getline(report, line);
    EXPECT_EQ(line, "report");
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"out.txt", "t.dbf"})) << "no temporary of the CAD output";
}
