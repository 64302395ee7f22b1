#include <gtest/gtest.h>

#include "app/commandline.h"
#include "app/programidentity.h"
#include "foundation/programstate.h"
#include "gearpair/gearpairdata.h"

namespace
{

class CommandLine : public ::testing::Test
{
  protected:
    void SetUp() override { InitProgramIdentity(); }
};

} // namespace

TEST_F(CommandLine, ProgramIdentity)
{
    EXPECT_EQ(telmvar.ProgramName, "QYR7");
    EXPECT_EQ(telmvar.ProgramFileStem, "qyr7");
    EXPECT_EQ(telmvar.DataExt, "qy7");
    EXPECT_EQ(telmvar.ProgramTitle, "QYR7 - Radi Divivuzez Orude");
    EXPECT_EQ(telmvar.ProgramVersion, "1.0");
    EXPECT_EQ(ProgramFileName(), "wqyr7");
    const std::string line = ProgramIdentityLine();
    EXPECT_NE(line.find("QYR7 - Radi Divivuzez Orude"), std::string::npos) << line;
    EXPECT_NE(line.find("1.0"), std::string::npos) << line;
}

TEST_F(CommandLine, ProgramIdentityTurnsOnTheRootCurve)
{
    GearPair.DrawRootCurve = false;
    InitProgramIdentity();
    EXPECT_TRUE(GearPair.DrawRootCurve);
}

TEST_F(CommandLine, TheFirstTwoParametersDecideTheStartMode)
{
    struct Case {
        std::vector<std::string> args;
        TStartMode mode;
        bool noGui;
    } cases[] = {
        {{}, TStartMode::Gui, false},
        {{"?"}, TStartMode::Usage, false},
        {{"/?"}, TStartMode::Usage, false},
        {{"/?", "/I"}, TStartMode::Usage, false},
        {{"test.qy7"}, TStartMode::InteractiveOpen, false},
        {{"test.qy7", "/I"}, TStartMode::TextBatch, false},
        {{"test.qy7", "/i"}, TStartMode::TextBatch, false},
        {{"test.qy7", "-I"}, TStartMode::TextBatch, false},
        {{"test.qy7", "-i", "/NOGUI"}, TStartMode::TextBatch, true},
        {{"test.qy7", "/I", "/nogui"}, TStartMode::TextBatch, true},
        {{"test.qy7", "/CAD1:1"}, TStartMode::CadBatch, false},
        {{"test.qy7", "/cad1:1"}, TStartMode::CadBatch, false},
        {{"test.qy7", "-Cad2:24"}, TStartMode::CadBatch, false},
        {{"test.edi", "/E", "/NOGUI"}, TStartMode::ExchangeGui, true},
        {{"test.edi", "/e"}, TStartMode::ExchangeGui, false},
        {{"test.qy7", "/G"}, TStartMode::ExchangeGui, false},
        // Case matters for every switch but the CAD prefix.
        {{"test.qy7", "/g"}, TStartMode::InteractiveOpen, false},
        {{"test.qy7", "/X"}, TStartMode::InteractiveOpen, false},
        // A name without a dot and no batch switch: the extension is missing.
        {{"test"}, TStartMode::MissingExtension, false},
        {{"test", "whatever"}, TStartMode::MissingExtension, false},
        {{"/I"}, TStartMode::MissingExtension, false},
        // A batch switch is taken even after a name without a dot (reading
        // the project then fails).
        {{"test", "/I"}, TStartMode::TextBatch, false},
        // /NOGUI is a switch, never the project name.
        {{"/NOGUI"}, TStartMode::Gui, true},
        {{"/nogui", "test.qy7", "/I"}, TStartMode::TextBatch, true},
    };
    for (const auto& c : cases) {
        std::string shown;
        for (const auto& a : c.args)
            shown += a + " ";
        TCommandLine cmd = ParseCommandLine(c.args);
        EXPECT_EQ(cmd.Mode, c.mode) << shown;
        EXPECT_EQ(cmd.NoGui, c.noGui) << shown;
    }
}

TEST_F(CommandLine, TheProjectNameIsKeptExactlyAsPassed)
{
    TCommandLine cmd = ParseCommandLine({"../Projekte/Stufe 1.QY7", "/I"});
    EXPECT_EQ(cmd.P1, "../Projekte/Stufe 1.QY7");
    EXPECT_EQ(cmd.P2, "/I");
}

TEST_F(CommandLine, CadSwitchGivesDeviceAndIndex)
{
    struct Case {
        const char* p2;
        int device;
        int index;
    } cases[] = {
        {"/CAD1:1", 1, 1},
        {"/cad1:1", 1, 1},
        {"/CAD2:24", 2, 24},
        {"/CAD1:29", 1, 29},
        {"/CAD5:12", 5, 12},
        {"-CAD1:3", 1, 3},
        // Not of the served form: still the CAD batch, which refuses them.
        {"/CAD2x7", 0, 0},
        {"/CAD", 0, 0},
        {"/CAD1", 0, 0},
        {"/CADx:1", 0, 0},
        {"/CAD1:", 0, 0},
        {"/CAD1:ab", 0, 0},
    };
    for (const auto& c : cases) {
        TCommandLine cmd = ParseCommandLine({"test.qy7", c.p2});
        EXPECT_EQ(cmd.Mode, TStartMode::CadBatch) << c.p2;
        EXPECT_EQ(cmd.CadDevice, c.device) << c.p2;
        EXPECT_EQ(cmd.CadIndex, c.index) << c.p2;
    }
}

TEST_F(CommandLine, UsageTextFillsTheFirst21TextItems)
{
    std::vector<std::string> lines = SetUsageText();
    ASSERT_EQ(lines.size(), 21u);
    EXPECT_EQ(telmvar.TextItems[1], "QYR7 Command Line Mode");
    EXPECT_EQ(telmvar.TextItems[3], "wqyr7 Filename [/I] [/CADi:j] [/NOGUI]");
    EXPECT_EQ(telmvar.TextItems[5], "/I       -> TXT file");
    EXPECT_EQ(telmvar.TextItems[7], "/CADi:j  -> CAD File");
    EXPECT_EQ(telmvar.TextItems[8], "            i: 1=DXF, 2=IGS, 5=TXT");
    EXPECT_EQ(telmvar.TextItems[9], "            j: index (1,2,3, ..)");
    EXPECT_EQ(telmvar.TextItems[11], "/NOGUI   -> No GUI, exit on fatal error");
    EXPECT_EQ(telmvar.TextItems[15], "/?       -> Help");
    EXPECT_EQ(telmvar.TextItems[18], "Example: wqyr7 test.qy7             ->  GUI");
    EXPECT_EQ(telmvar.TextItems[19], "Example: wqyr7 test.qy7 /I /NOGUI   ->  test.txt");
    EXPECT_EQ(telmvar.TextItems[20], "Example: wqyr7 test.qy7 /CAD1:1     ->  test.dxf");
    EXPECT_EQ(telmvar.TextItems[21], "Example: wqyr7 test.edi /E /NOGUI   ->  test.edi");
    for (int i : {2, 4, 6, 10, 12, 13, 14, 16, 17})
        EXPECT_EQ(telmvar.TextItems[i], "") << "line " << i;
    for (int i = 1; i <= 21; ++i)
        EXPECT_EQ(lines[static_cast<std::size_t>(i - 1)], telmvar.TextItems[i]) << "line " << i;
}

TEST_F(CommandLine, MissingExtensionMessage)
{
    EXPECT_EQ(MissingExtensionText(), "extension .qy7 missing");
}

TEST_F(CommandLine, TheExtensionIsJudgedOnTheFileNameAlone)
{
    struct Case {
        const char* name;
        bool hasExtension;
        const char* project; // the file a batch run reads
    } cases[] = {
        {"stage.qy7", true, "stage.qy7"},
        {"../examples/default", false, "../examples/default.qy7"},
        {"./stage", false, "./stage.qy7"},
        {"v1.2/stage", false, "v1.2/stage.qy7"},
        {"C:\\work.d\\stage", false, "C:\\work.d\\stage.qy7"},
        {"../examples/default.qy7", true, "../examples/default.qy7"},
        {"proj.txt", true, "proj.txt"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NameHasExtension(c.name), c.hasExtension) << c.name;
        EXPECT_EQ(CommandLineProjectPath(c.name), c.project) << c.name;
    }
    // Without a batch switch such a name is refused as one without extension.
    EXPECT_EQ(ParseCommandLine({"../examples/default"}).Mode, TStartMode::MissingExtension);
    EXPECT_EQ(ParseCommandLine({"../examples/default.qy7"}).Mode, TStartMode::InteractiveOpen);
}

TEST_F(CommandLine, SwitchesTheStartModeDoesNotUseAreNamed)
{
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> unknown;
    } cases[] = {
        {{"test.qy7", "/I", "/NOGUI"}, {}},
        {{"test.qy7", "/I", "/X"}, {"/X"}},
        {{"test.qy7", "/I", "/nogiu"}, {"/nogiu"}},
        {{"test.qy7", "-Q"}, {"-Q"}},
        {{"test.qy7", "/g"}, {"/g"}},
        // A second batch mode refuses the run (SecondBatchSwitch), it is not ignored.
        {{"test.qy7", "/CAD1:1", "/I"}, {}},
        {{"/?", "/I"}, {"/I"}},
        {{"test", "/X", "/Y"}, {"/X", "/Y"}},
        // Words that are no switch pass as before.
        {{"test", "whatever"}, {}},
        {{"test.qy7", "/I", "other.qy7", ""}, {}},
        {{"/NOGUI"}, {}},
    };
    for (const auto& c : cases) {
        std::string shown;
        for (const auto& a : c.args)
            shown += a + " ";
        const TCommandLine cmd = ParseCommandLine(c.args);
        EXPECT_EQ(cmd.UnknownSwitches, c.unknown) << shown;
        std::vector<std::string> texts;
        for (const auto& s : c.unknown)
            texts.push_back("unknown switch " + s + " ignored");
        EXPECT_EQ(UnknownSwitchTexts(cmd), texts) << shown;
    }
}
