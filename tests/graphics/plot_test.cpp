// The plot program's command lines: the configuration form's model (line
// built from its fields, enabling rules, a preset line kept by OK), the
// question-and-answer editor played by the scripted platform, and the plot
// device, which writes korvilt.dxf and starts the line's program with its
// arguments.
#include "cadtestsupport.h"

#include "common/tempdir.h"
#include "foundation/programstate.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/cadsettings.h"
#include "graphics/graphservices.h"
#include "graphics/plotprogram.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <functional>

namespace
{

class PlotTest : public CadTest
{
  protected:
    void SetUp() override
    {
        CadTest::SetUp();
        telmvar.TempDir = "/t";
    }
};

// --- the form's model -------------------------------------------------------

struct FormCase {
    const char* Name;
    std::function<void(TConfKorviltModel&)> Act;
    const char* Line;
};

class PlotFormTest : public PlotTest, public ::testing::WithParamInterface<FormCase>
{
};

TEST_P(PlotFormTest, BuildsTheLineFromItsFields)
{
    TConfKorviltModel m;
    GetParam().Act(m);
    EXPECT_EQ(m.BuildPlotCommandLine(), GetParam().Line);
    EXPECT_EQ(m.CommandLine(), GetParam().Line) << "every change rebuilds the line";
    EXPECT_EQ(m.FindControl("Label_commandline")->Caption, GetParam().Line) << "and shows it";
}

INSTANTIATE_TEST_SUITE_P(
    Fields, PlotFormTest,
    ::testing::Values(FormCase{"Defaults", [](TConfKorviltModel&) {},
                               "c:\\korvilt\\wkorvilt /t/korvilt /CHPL"},
                      FormCase{"FitLimits", [](TConfKorviltModel& m) { m.SetCheck("CheckBox_scale", true); },
                               "c:\\korvilt\\wkorvilt /t/korvilt /CHPL /M*"},
                      FormCase{"ScaleAsTyped", [](TConfKorviltModel& m) { m.SetField("Edit_scale", "2,5"); },
                               "c:\\korvilt\\wkorvilt /t/korvilt /CHPL /M2,5"},
                      FormCase{"PostScriptWithoutFont", [](TConfKorviltModel& m) { m.SetDestination(1); },
                               "c:\\korvilt\\wkorvilt /t/korvilt /CPS /T"},
                      FormCase{"PostScriptFont",
                               [](TConfKorviltModel& m) {
                                   m.SetDestination(1);
                                   m.SetField("ComboBox_psfont", "Courier");
                               },
                               "c:\\korvilt\\wkorvilt /t/korvilt /CPS /TCourier"},
                      FormCase{"InterfaceFile",
                               [](TConfKorviltModel& m) {
                                   m.SetInterface(2);
                                   m.SetField("Edit_outdir", "/plots");
                               },
                               "c:\\korvilt\\wkorvilt /plots/korvilt /CHPL /D3 /F/plots/korvilt"},
                      // COM 2 is port 2, as the editor has it (the form once wrote /P3).
                      FormCase{"SerialComTwo",
                               [](TConfKorviltModel& m) {
                                   m.SetInterface(0);
                                   m.SetField("Edit_com", "2");
                               },
                               "c:\\korvilt\\wkorvilt /t/korvilt /CHPL /D1 /P2"},
                      FormCase{"ParallelLptThree",
                               [](TConfKorviltModel& m) {
                                   m.SetDestination(3);
                                   m.SetField("Edit_lpt", "3");
                               },
                               "c:\\korvilt\\wkorvilt /t/korvilt /CPL2 /P3"},
                      FormCase{"ShiftWidthRotate",
                               [](TConfKorviltModel& m) {
                                   m.SetField("Edit_xnull", "5");
                                   m.SetField("Edit_ynull", "-3");
                                   m.SetField("Edit_textbreitenfaktor", "0.8");
                                   m.SetCheck("CheckBox_rotate", true);
                               },
                               "c:\\korvilt\\wkorvilt /t/korvilt /CHPL /X5 /Y-3 /B0.8 /R"}),
    [](const ::testing::TestParamInfo<FormCase>& i) { return std::string(i.param.Name); });

TEST_F(PlotTest, FormEnablesWhatTheChoiceUses)
{
    TConfKorviltModel m;
    auto enabled = [&m](const char* Name) { return m.FindControl(Name)->Enabled; };
    EXPECT_FALSE(enabled("ComboBox_psfont"));
    m.SetDestination(1);
    EXPECT_TRUE(enabled("ComboBox_psfont")) << "PostScript";
    m.SetDestination(2);
    EXPECT_FALSE(enabled("ComboBox_psfont"));
    const char* edits[3] = {"Edit_com", "Edit_lpt", "Edit_outdir"};
    for (int i = 0; i < 3; ++i) {
        m.SetInterface(i);
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(enabled(edits[k]), k == i) << "interface " << i << ", " << edits[k];
    }
    m.SetCheck("CheckBox_scale", true);
    EXPECT_EQ(m.FindControl("Edit_scale")->Text, "0");
    EXPECT_FALSE(enabled("Edit_scale"));
    m.SetCheck("CheckBox_scale", false);
    EXPECT_TRUE(enabled("Edit_scale"));
    EXPECT_EQ(PsFontNames.size(), 35u);
    EXPECT_STREQ(PsFontNames.back(), "other fonts");
}

TEST_F(PlotTest, FormKeepsThePresetLineUnlessAFieldChanges)
{
    std::string line = "/opt/plot/korvilt /t/korvilt /M1.0";
    Platform->HeadlessDialogs().QueueScript([](platform::DialogModel& m) {
        return m.Press("Button_ok") == platform::DialogAction::Accept ? platform::DialogResult::Ok
                                                                      : platform::DialogResult::Cancel;
    });
    RunConfKorviltForm(line, true);
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(line, "/opt/plot/korvilt /t/korvilt /M1.0");

    Platform->HeadlessDialogs().QueueScript([](platform::DialogModel& m) {
        static_cast<TConfKorviltModel&>(m).SetField("Edit_korviltPath", "/opt/plot/korvilt");
        m.Press("Button_ok");
        return platform::DialogResult::Ok;
    });
    RunConfKorviltForm(line, true);
    EXPECT_EQ(line, "/opt/plot/korvilt /t/korvilt /CHPL");

    Platform->HeadlessDialogs().QueueScript([](platform::DialogModel& m) {
        static_cast<TConfKorviltModel&>(m).SetField("Edit_com", "4");
        m.Press("Button_cancel");
        return platform::DialogResult::Cancel;
    });
    RunConfKorviltForm(line, true);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(line, "/opt/plot/korvilt /t/korvilt /CHPL");
}

// --- the question-and-answer editor -----------------------------------------

class PlotEditorTest : public PlotTest
{
  protected:
    void SetUp() override
    {
        PlotTest::SetUp();
        dir_ = testdirs::MakeTempDir("p");
        std::ofstream(dir_ + "/korvilt.exe") << "";
    }
    void TearDown() override
    {
        testdirs::RemoveTempDir(dir_);
        PlotTest::TearDown();
    }
    // Answers for: program kind, directory, destination, interface, port
    // or file, scale, rotation, x, y, text width.
    void Script(int Destination, int Interface, const std::string& PortOrFile, const std::string& Scale = "1")
    {
        auto& p = Platform->HeadlessPrompts();
        p.QueueSelection(1); // KORVILT.EXE
        p.QueueText(dir_);
        p.QueueSelection(Destination);
        p.QueueSelection(Interface);
        p.QueueText(PortOrFile);
        p.QueueText(Scale);
        p.QueueSelection(1); // not rotated
        p.QueueText("0");
        p.QueueText("0");
        p.QueueText("1");
    }
    std::string Program() const { return dir_ + "/korvilt.exe"; }
    std::string dir_;
};

TEST_F(PlotEditorTest, ComTwoIsPortTwo)
{
    std::string line = "C:\\KORVILT\\WKORVILT KORVILT.DXF /M1.0";
    Script(0, 0, "2", "2.5");
    EditPlotCommandLine(line, 0);
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(line, Program() + " /t/korvilt /CHPL /D1 /P2 /M2.5");
    EXPECT_TRUE(Messages.empty());
}

TEST_F(PlotEditorTest, LongLinesStayWholeWithoutBatchFile)
{
    // " /D3 /F" + a destination file name makes the line 60 and 61 long; where
    // the program's directory alone makes it longer, one and two past it.
    const std::string base = Program() + " /t/korvilt /CHPL /D3 /F";
    const size_t shortest = std::max<size_t>(60, base.size() + 1);
    for (size_t length : {shortest, shortest + 1}) {
        const std::string file(length - base.size(), 'f');
        ASSERT_LE(file.size(), 30u);
        std::string line = "0";
        Script(0, 2, file);
        EditPlotCommandLine(line, 0);
        EXPECT_EQ(line, base + file) << length;
        EXPECT_EQ(line.size(), length);
    }
    EXPECT_TRUE(Messages.empty()) << "no batch file question";
    EXPECT_EQ(TempFiles().size(), 0u);
}

TEST_F(PlotEditorTest, MissingProgramIsAskedAgainAndCancelKeepsTheLine)
{
    std::string line = "old line";
    auto& p = Platform->HeadlessPrompts();
    p.QueueSelection(1);
    p.QueueText(dir_ + "/nowhere");
    p.QueueText(dir_);
    p.QueueSelection(0);
    p.QueueSelection(1);       // parallel
    p.QueueText(std::nullopt); // Cancel at the port
    EditPlotCommandLine(line, 0);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(line, "old line");
    EXPECT_EQ(Messages,
              (std::vector<std::string>{"file " + dir_ + "/nowhere/korvilt.exe not found or no access !"}));
}

TEST_F(PlotTest, DeviceMenuKeepsALongLine)
{
    const std::string longLine =
        "/opt/plot/korvilt /t/korvilt /CPS /D3 /F/very/long/output/directory/korvilt /TCourier";
    cadsettings.PlotCmdLines[1] = longLine;
    telmvar.TempDir = TempDir.string();
    Platform->HeadlessPrompts().QueueSelection(3); // the plot program
    int maxLength = 0;
    graphservices.AskText = [&maxLength](const std::string&, int MaxLength, std::string&) {
        maxLength = MaxLength;
    };
    CadOpenOutput(0);
    ASSERT_FALSE(telmvar.Aborted);
    EXPECT_EQ(maxLength, static_cast<int>(longLine.size())) << "the prompt does not cut the stored line";
    EXPECT_EQ(cadsettings.PlotCmdLines[1], longLine);
    CadAbandonOutput();
}

// --- the plot device ----------------------------------------------------------

struct StartCase {
    const char* Name;
    const char* Line;
    platform::LaunchResult Result;
    const char* Program;
    std::vector<std::string> Arguments;
    std::vector<std::string> Messages;
};

class PlotStartTest : public PlotTest, public ::testing::WithParamInterface<StartCase>
{
};

TEST_P(PlotStartTest, WritesKorviltDxfAndStartsTheProgram)
{
    telmvar.TempDir = TempDir.string();
    const StartCase& c = GetParam();
    cadsettings.PlotCmdLines[1] = c.Line;
    Platform->HeadlessLauncher().QueueResult(c.Result);
    CadOpenOutput(4);
    ASSERT_FALSE(telmvar.Aborted);
    CadBeginDrawingDefault();
    CadWriteTables(0);
    CadBeginBlocks();
    CadEndSection();
    CadBeginEntities();
    CadLine(0, 0, 160, 120);
    CadCircle(80, 60, 20);
    CadEndSection();
    CadCloseOutput();
    const auto& launches = Platform->HeadlessLauncher().Launches();
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].Program, c.Program);
    EXPECT_EQ(launches[0].Arguments, c.Arguments);
    EXPECT_EQ(Messages, c.Messages);

    const auto view = EzdxfView(Temp("korvilt.dxf"));
    ASSERT_TRUE(view) << "ezdxf is not installed";
    ASSERT_FALSE(view->empty());
    EXPECT_EQ(view->front(), "audit errors=0 fixes=0") << ::testing::PrintToString(*view);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, PlotStartTest,
    ::testing::Values(
        StartCase{"ConfiguredProgram",
                  "/opt/plot/korvilt  /tmp/korvilt /CPS /M*",
                  {true, 0, ""},
                  "/opt/plot/korvilt",
                  {"/tmp/korvilt", "/CPS", "/M*"},
                  {}},
        // The Windows default has no program here until one is configured.
        StartCase{"WindowsDefault",
                  "C:\\KORVILT\\WKORVILT KORVILT.DXF /M1.0",
                  {false, ENOENT, "no such file"},
                  "C:\\KORVILT\\WKORVILT",
                  {"KORVILT.DXF", "/M1.0"},
                  {"file not found"}},
        StartCase{"OutOfMemory", "korvilt x", {false, ENOMEM, ""}, "korvilt", {"x"}, {"out of memory !"}},
        StartCase{"NotExecutable", "korvilt x", {false, EACCES, ""}, "korvilt", {"x"}, {"Exec error 13"}}),
    [](const ::testing::TestParamInfo<StartCase>& i) { return std::string(i.param.Name); });

} // namespace
