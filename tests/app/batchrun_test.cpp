// The program as the user starts it: exit codes, the one line on standard
// error of every failure, the report file of the text batch mode, and files
// named on the command line that must stay as they are.
#include "runprogram.h"

#include "planetary/projectfile.h"
#include "planetary/stage.h"
#include "planetary/stagedefaults.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{

const fs::path DefaultProject = fs::path(QYR7_SOURCE_DIR) / "examples" / "default.qy7";

class BatchRun : public ::testing::Test
{
  protected:
    void SetUp() override { dir = FreshDir("batch"); }
    void TearDown() override { fs::remove_all(dir); }

    // Copies the shipped default project into the test directory.
    fs::path CopyDefault(const std::string& Name = "stage.qy7")
    {
        fs::copy_file(DefaultProject, dir / Name);
        return dir / Name;
    }

    // The lines of standard error that say what failed; the default stage
    // has more messages than its report's list holds, and the batch prints
    // those after them.
    static std::vector<std::string> FailureLines(const TProgramRun& Run)
    {
        std::vector<std::string> lines;
        for (const auto& line : Run.ErrLines())
            if (line.find("left out of the message list: ") == std::string::npos) lines.push_back(line);
        return lines;
    }

    void ExpectOneErrorLine(const TProgramRun& Run, const std::string& Part)
    {
        const auto lines = FailureLines(Run);
        ASSERT_EQ(lines.size(), 1u) << Run.Err;
        EXPECT_NE(lines[0].find(Part), std::string::npos) << lines[0];
    }

    fs::path dir;
};

} // namespace

TEST_F(BatchRun, TextBatchWritesTheReportNamedAfterTheProjectAndExitsZero)
{
    CopyDefault("stage.qy7");
    const TProgramRun run = RunProgram(dir, {"stage.qy7", "/I", "/NOGUI"});
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_TRUE(FailureLines(run).empty()) << run.Err;
    ASSERT_TRUE(fs::exists(dir / "stage.txt"));
    const std::string report = ReadWholeFile(dir / "stage.txt");
    // The default stage: S 21, Pi 15, Pe 15, H -63 teeth, module 6.5, and
    // centre distances (z1 + z2) mn / 2: S-Pi 117, Pi-Pe 97.5, Pe-H -156.
    EXPECT_NE(report.find("normal module\tmn\tmm\t 6.5000"), std::string::npos);
    EXPECT_NE(report.find("no. of teeth\tz\t\t   21\t   15\t   15\t  -63"), std::string::npos);
    EXPECT_NE(report.find("center distance\ta\tmm\t117\t97.5\t-156"), std::string::npos);
}

TEST_F(BatchRun, TheReportGoesToTheCurrentDirectoryUnderTheBaseNameOfThePath)
{
    fs::create_directories(dir / "projects");
    CopyDefault("projects/gearbox.qy7");
    const TProgramRun run = RunProgram(dir, {"projects/gearbox.qy7", "-i", "/nogui"});
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_TRUE(fs::exists(dir / "gearbox.txt"));
}

TEST_F(BatchRun, EveryBatchSwitchSpellingRunsTheTextBatch)
{
    CopyDefault("stage.qy7");
    for (const char* sw : {"/I", "/i", "-I", "-i"}) {
        fs::remove(dir / "stage.txt");
        // Without /NOGUI too: a batch run never waits for a window.
        const TProgramRun run = RunProgram(dir, {"stage.qy7", sw});
        EXPECT_EQ(run.ExitCode, 0) << sw << " " << run.Err;
        EXPECT_TRUE(fs::exists(dir / "stage.txt")) << sw;
    }
}

TEST_F(BatchRun, AMissingProjectFileExitsOneWithOneLine)
{
    const TProgramRun run = RunProgram(dir, {"nothere.qy7", "/I", "/NOGUI"});
    EXPECT_EQ(run.ExitCode, 1);
    ExpectOneErrorLine(run, "nothere.qy7");
    EXPECT_FALSE(fs::exists(dir / "nothere.txt"));
}

TEST_F(BatchRun, AnEmptyProjectNameExitsOneWithoutAskingForAFile)
{
    const TProgramRun run = RunProgram(dir, {"", "/I", "/NOGUI"});
    EXPECT_EQ(run.ExitCode, 1);
    ExpectOneErrorLine(run, "no project file named");
}

TEST_F(BatchRun, AnUnreadableProjectExitsOneWithOneLineAndStaysAsItWas)
{
    const std::string garbage = "this is\r\nno project file\r\n";
    WriteWholeFile(dir / "bad.qy7", garbage);
    const TProgramRun run = RunProgram(dir, {"bad.qy7", "/I", "/NOGUI"});
    EXPECT_EQ(run.ExitCode, 1);
    ExpectOneErrorLine(run, "cannot be read");
    EXPECT_EQ(ReadWholeFile(dir / "bad.qy7"), garbage);
    EXPECT_FALSE(fs::exists(dir / "bad.txt"));
}

TEST_F(BatchRun, ATruncatedProjectIsRefused)
{
    const std::string whole = ReadWholeFile(DefaultProject);
    WriteWholeFile(dir / "cut.qy7", whole.substr(0, whole.size() / 2));
    const TProgramRun run = RunProgram(dir, {"cut.qy7", "/I", "/NOGUI"});
    EXPECT_EQ(run.ExitCode, 1);
    ExpectOneErrorLine(run, "cut.qy7");
}

TEST_F(BatchRun, AReportThatCannotBeWrittenExitsFourWithOneLine)
{
    CopyDefault("stage.qy7");
    // A directory where the report file should go.
    fs::create_directories(dir / "stage.txt");
    const TProgramRun run = RunProgram(dir, {"stage.qy7", "/I", "/NOGUI"});
    EXPECT_EQ(run.ExitCode, 4);
    ExpectOneErrorLine(run, "stage.txt");
}

TEST_F(BatchRun, AMissingExtensionExitsTwoWithOneLine)
{
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"test"}, std::vector<std::string>{"test", "whatever"},
          std::vector<std::string>{"/I"}}) {
        const TProgramRun run = RunProgram(dir, args);
        EXPECT_EQ(run.ExitCode, 2) << args[0];
        ExpectOneErrorLine(run, args[0] == "/I" ? "no project file named" : "extension .qy7 missing");
    }
}

TEST_F(BatchRun, ABatchSwitchAfterANameWithoutDotFailsForWantOfTheFile)
{
    const TProgramRun run = RunProgram(dir, {"test", "/I", "/NOGUI"});
    EXPECT_EQ(run.ExitCode, 1);
    ExpectOneErrorLine(run, "test");
}

TEST_F(BatchRun, UsageTextLineForLine)
{
    const std::string expected = "QYR7 Command Line Mode\n"
                                 "\n"
                                 "wqyr7 Filename [/I] [/CADi:j] [/NOGUI]\n"
                                 "\n"
                                 "/I       -> TXT file\n"
                                 "\n"
                                 "/CADi:j  -> CAD File\n"
                                 "            i: 1=DXF, 2=IGS, 5=TXT\n"
                                 "            j: index (1,2,3, ..)\n"
                                 "\n"
                                 "/NOGUI   -> No GUI, exit on fatal error\n"
                                 "\n"
                                 "\n"
                                 "\n"
                                 "/?       -> Help\n"
                                 "\n"
                                 "\n"
                                 "Example: wqyr7 test.qy7             ->  GUI\n"
                                 "Example: wqyr7 test.qy7 /I /NOGUI   ->  test.txt\n"
                                 "Example: wqyr7 test.qy7 /CAD1:1     ->  test.dxf\n"
                                 "Example: wqyr7 test.edi /E /NOGUI   ->  test.edi\n";
    for (const char* p : {"?", "/?"}) {
        const TProgramRun run = RunProgram(dir, {p});
        EXPECT_EQ(run.ExitCode, 0);
        EXPECT_EQ(run.Out, expected) << p;
        EXPECT_EQ(run.Err, "");
    }
}

TEST_F(BatchRun, ExchangeSwitchDoesNotReadOrTouchTheNamedFile)
{
    const std::string text = "not even a project\r\n";
    WriteWholeFile(dir / "test.edi", text);
    const TProgramRun run = RunProgram(dir, {"test.edi", "/E", "/NOGUI"});
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(ReadWholeFile(dir / "test.edi"), text);
}

TEST_F(BatchRun, InteractiveOpenOfAnUnreadableFileLeavesItInPlace)
{
    const std::string text = "garbage\r\n";
    WriteWholeFile(dir / "broken.qy7", text);
    const TProgramRun run = RunProgram(dir, {"broken.qy7", "/NOGUI"});
    // Without a window nobody sees the built-in stage stand in: exit 1.
    EXPECT_EQ(run.ExitCode, 1) << run.Err;
    EXPECT_NE(run.Err.find("broken.qy7"), std::string::npos) << run.Err;
    EXPECT_EQ(ReadWholeFile(dir / "broken.qy7"), text);
}

TEST_F(BatchRun, InteractiveOpenOfABadNameEndsWithoutCreatingIt)
{
    const TProgramRun run = RunProgram(dir, {"a.b.qy7", "/NOGUI"});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_FALSE(fs::exists(dir / "a.b.qy7"));
}

TEST_F(BatchRun, InteractiveOpenOfAGoodProjectRuns)
{
    CopyDefault("stage.qy7");
    const TProgramRun run = RunProgram(dir, {"stage.qy7", "/NOGUI"});
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(run.Err, "");
}

TEST_F(BatchRun, ABatchRunNeverStartsTheToolkitEvenWithADisplayNamed)
{
    CopyDefault("stage.qy7");
    // A display that does not exist: a toolkit started on it would fail.
    const TProgramRun run = RunProgram(dir, {"stage.qy7", "/I"}, {"DISPLAY=:97", "QT_QPA_PLATFORM=xcb"});
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_TRUE(FailureLines(run).empty()) << run.Err;
    EXPECT_TRUE(fs::exists(dir / "stage.txt"));
}

TEST_F(BatchRun, TheConfigurationIsReadFromTheCurrentDirectory)
{
    CopyDefault("stage.qy7");
    // A configuration that sends text output to the screen device: the batch
    // run still writes its file (it sets the batch device itself).
    const TProgramRun first = RunProgram(dir, {"stage.qy7", "/I", "/NOGUI"});
    ASSERT_EQ(first.ExitCode, 0);
    std::string cfg = "qyr7 Configuration\r\nVersion 1.0\r\n";
    for (int l = 1; l <= 5; ++l)
        cfg += "Layer\r\n" + std::to_string(l) + "\r\nColour\r\n2\r\n";
    WriteWholeFile(dir / "qyr7.cfg", cfg);
    fs::remove(dir / "stage.txt");
    const TProgramRun run = RunProgram(dir, {"stage.qy7", "/I", "/NOGUI"});
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_TRUE(fs::exists(dir / "stage.txt"));
}

TEST_F(BatchRun, AStageThatCannotBeCalculatedReportsOnlyItsMessagesAndSaysWhy)
{
    InitProgramDefaults();
    SetDefaultInput();
    PlanetaryStage.nIn = 0;
    ASSERT_TRUE(WriteProjectData((dir / "stopped.qy7").string()));
    const TProgramRun run = RunProgram(dir, {"stopped.qy7", "/I", "/NOGUI"});
    EXPECT_EQ(run.ExitCode, 4);
    ExpectOneErrorLine(run, "n input = 0");
    // The report holds the message list in place of results.
    const std::string report = ReadWholeFile(dir / "stopped.txt");
    EXPECT_NE(report.find("Fatal  : n input = 0 !"), std::string::npos) << report;
    EXPECT_EQ(report.find("center distance"), std::string::npos) << report;
}
