// The device model and the life of one output: the device menu and save
// dialog, where each device writes, what a cancelled or failed output
// leaves behind (nothing), the screen's pens per layer and its footer, and
// what happens at close (plot program, opening the written file).
#include "cadtestsupport.h"

#include "foundation/fileutil.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"
#include "graphics/cad/caddeviceregistry.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "graphics/cadsettings.h"
#include "reports/textview/printsettings.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace
{

class CadLifecycleTest : public CadTest
{
  protected:
    // A complete small drawing on the open output.
    static void DrawSmall()
    {
        CadBeginDrawingDefault();
        CadWriteTables(0);
        CadBeginBlocks();
        CadEndSection();
        CadBeginEntities();
        CadLine(0, 0, 10, 10);
        CadEndSection();
    }
};

TEST_F(CadLifecycleTest, LayersAboveThirtyOneFoldOntoThePens)
{
    const std::pair<int, int> cases[] = {{40, 24}, {31, 31}, {64, 16}, {32, 16}, {47, 31}, {48, 16}, {5, 5}};
    for (const auto& [in, out] : cases) {
        CadSetLayer(in);
        EXPECT_EQ(cadstate.CadLayer, out) << "CadSetLayer(" << in << ")";
    }
}

TEST_F(CadLifecycleTest, CancelledMenuOpensNothing)
{
    CadOpenOutput(0);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_FALSE(CadOutputIsOpen());
    EXPECT_TRUE(TempFiles().empty());
    EXPECT_TRUE(Screen.Calls.empty());
    ASSERT_EQ(Platform->HeadlessPrompts().Selections().size(), 1u);
    const auto& menu = Platform->HeadlessPrompts().Selections()[0];
    EXPECT_EQ(menu.Prompt, "CAD Code");
    EXPECT_EQ(menu.Items, (std::vector<std::string>{"DXF", "IGES", "Control Output to Screen",
                                                    "KORVILT - Send to Printer/Plotter", "TXT", "STL"}));
}

struct NameCase {
    const char* Name;
    const char* Typed; // relative to the temporary directory; "" empty, nullptr Cancel
    const char* File;  // expected file name, nullptr: aborted
};

class CadFileNameTest : public CadLifecycleTest, public ::testing::WithParamInterface<NameCase>
{
};

TEST_P(CadFileNameTest, DeviceExtensionReplacesTypedOne)
{
    const NameCase& c = GetParam();
    wtelmvar.CadSkipSaveDialog = false;
    Platform->HeadlessPrompts().QueueSelection(0); // DXF
    if (c.Typed == nullptr)
        Platform->HeadlessFiles().QueueAnswer(std::nullopt);
    else
        Platform->HeadlessFiles().QueueAnswer(*c.Typed ? Temp(c.Typed) : std::string());
    CadOpenOutput(0, "proposal.qy7");
    ASSERT_EQ(Platform->HeadlessFiles().Requests().size(), 1u);
    const auto& r = Platform->HeadlessFiles().Requests()[0];
    EXPECT_EQ(r.Filter, "*.dxf|*.dxf|*.*|*.*");
    EXPECT_EQ(r.InitialName, "drawing") << "the project name, not the drawing name";
    EXPECT_EQ(r.InitialDir, AddTrailingBackslash(telmvar.CadDir));
    if (c.File == nullptr) {
        EXPECT_TRUE(telmvar.Aborted);
        EXPECT_FALSE(CadOutputIsOpen());
        if (c.Typed != nullptr) {
            EXPECT_EQ(cadstate.CadFileName, "");
        }
        return;
    }
    ASSERT_FALSE(telmvar.Aborted);
    EXPECT_EQ(cadstate.CadFileName, Temp(c.File));
    DrawSmall();
    CadCloseOutput();
    EXPECT_TRUE(fs::exists(Temp(c.File)));
}

INSTANTIATE_TEST_SUITE_P(Names, CadFileNameTest,
                         ::testing::Values(NameCase{"OtherExtension", "part.txt", "part.dxf"},
                                           NameCase{"NoExtension", "part", "part.dxf"},
                                           NameCase{"EmptyName", "", nullptr},
                                           NameCase{"Cancelled", nullptr, nullptr}),
                         [](const ::testing::TestParamInfo<NameCase>& i) {
                             return std::string(i.param.Name);
                         });

TEST_F(CadLifecycleTest, SkippedDialogUsesProjectName)
{
    CadOpenOutput(1);
    EXPECT_EQ(cadstate.CadFileName, Temp("drawing.dxf"));
    EXPECT_TRUE(Platform->HeadlessFiles().Requests().empty());
}

TEST_F(CadLifecycleTest, PlotDeviceWritesKorviltIntoTempDirAndStartsTheProgram)
{
    CadOpenOutput(4);
    ASSERT_FALSE(telmvar.Aborted);
    EXPECT_EQ(cadstate.CadFileName, Temp("korvilt.dxf"));
    DrawSmall();
    CadCloseOutput();
    EXPECT_TRUE(fs::exists(Temp("korvilt.dxf")));
    const auto& launches = Platform->HeadlessLauncher().Launches();
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_TRUE(Launched.empty()) << "the plot file is not opened with a viewer";
    EXPECT_TRUE(Messages.empty());
}

TEST_F(CadLifecycleTest, PlotProgramThatCannotStartIsReported)
{
    Platform->HeadlessLauncher().QueueResult({false, ENOENT, "no such file"});
    CadOpenOutput(4);
    DrawSmall();
    CadCloseOutput();
    EXPECT_EQ(Messages, (std::vector<std::string>{"file not found"}));
}

TEST_F(CadLifecycleTest, WrittenFileIsOpenedUnlessStartedWithParameters)
{
    CadOpenOutput(1);
    DrawSmall();
    CadCloseOutput();
    EXPECT_EQ(Launched, (std::vector<std::string>{"|" + Temp("drawing.dxf")}));

    Launched.clear();
    const char* argv[] = {"wqyr7", "stage.qy7", "/CAD1:1"};
    SetCommandLineParams(3, argv);
    CadOpenOutput(1);
    DrawSmall();
    CadCloseOutput();
    EXPECT_TRUE(Launched.empty());
}

TEST_F(CadLifecycleTest, FileThatCannotBeCreatedAbortsWithMessage)
{
    telmvar.ProjectName = Temp("missing/dir/drawing");
    CadOpenOutput(1);
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_FALSE(CadOutputIsOpen());
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_EQ(Messages[0],
              "file " + Temp("missing/dir/drawing.dxf") + " cannot be written: No such file or directory");
}

// The footer and the messages hold a name in code page 437: a character 437 lacks as "?".
TEST_F(CadLifecycleTest, NamesAsTheFileSystemHasThemInTheFooterAndTheMessages)
{
    const std::pair<std::string, std::string> cases[] = {{"Ærø ñ", "\x92r? \xA4"}, {"齿轮", "??"}};
    cadsettings.SheetShowFooter = false;
    for (const auto& [name, oem] : cases) {
        const std::string shown = Temp("Projekte \x84\x94\x81/" + oem);
        telmvar.ProjectName = Temp("Projekte äöü/" + name + ".qy7");
        Screen.Calls.clear();
        CadOpenOutput(3);
        CadBeginDrawingDefault();
        CadCloseOutput();
        ASSERT_EQ(Screen.Drawn().size(), 1u);
        // A long temporary directory is shortened in the middle; the name's end stays.
        const std::string head = "Text 0.8000 0.2400 2026-12-07 8:15 - TELMORA QYR7 V1.0 - /";
        const std::string tail = "/Projekte \x84\x94\x81/" + oem + ".qy7";
        EXPECT_EQ(Screen.Drawn()[0].substr(0, head.size()), head);
        EXPECT_TRUE(Screen.Drawn()[0].ends_with(tail)) << Screen.Drawn()[0];
        telmvar.ProjectName = Temp("Projekte äöü/" + name);
        telmvar.Aborted = false;
        Messages.clear();
        CadOpenOutput(1);
        EXPECT_EQ(Messages, std::vector<std::string>{"file " + shown +
                                                     ".dxf cannot be written: No such file or directory"});
    }
}

TEST_F(CadLifecycleTest, StoppedDrawingLeavesOldFileAndNoTemporaries)
{
    WriteFile(Temp("drawing.dxf"), "old drawing");
    {
        TCadOutputScope scope;
        CadOpenOutput(1);
        CadBeginDrawingDefault();
        CadWriteTables(0);
        telmvar.Aborted = true; // a prompt of the drawing was cancelled
    }
    EXPECT_FALSE(CadOutputIsOpen());
    EXPECT_EQ(ReadFile(Temp("drawing.dxf")), "old drawing");
    EXPECT_EQ(TempFiles(), (std::vector<std::string>{"drawing.dxf"}));
}

TEST_F(CadLifecycleTest, ClosedDrawingReplacesOldFile)
{
    WriteFile(Temp("drawing.dxf"), "old drawing");
    CadOpenOutput(1);
    DrawSmall();
    CadCloseOutput();
    EXPECT_EQ(ReadFile(Temp("drawing.dxf")).substr(0, 14), "  0\r\nSECTION\r\n");
    EXPECT_EQ(TempFiles(), (std::vector<std::string>{"drawing.dxf"}));
}

TEST_F(CadLifecycleTest, DevicesWithoutWriterAreRefused)
{
    // A build without these writers; the next test has them again.
    for (int device : {2, 5, 6}) {
        RegisterCadDeviceFactory(device, nullptr);
        telmvar.Aborted = false;
        Messages.clear();
        CadOpenOutput(device);
        EXPECT_TRUE(telmvar.Aborted) << device;
        EXPECT_EQ(Messages.size(), 1u) << device;
        EXPECT_TRUE(TempFiles().empty()) << device;
    }
}

TEST_F(CadLifecycleTest, ScreenPensFollowLayerAndMode)
{
    cadsettings.LayerLineWidths[0] = 7;
    cadsettings.LayerPenWidths16[18] = 4;
    CadOpenOutput(3);
    Screen.Calls.clear();
    CadSetLayer(1);
    CadSetLayer(0);
    CadSetLayer(17);
    CadSetLayer(18);
    SetCadLayerMode(2);
    CadSetLayer(0);
    EXPECT_EQ(Screen.Calls,
              (std::vector<std::string>{"LineStyle 2", "CadColor 2", "LineWidth 1", // layer 1: dash-dot
                                        "LineStyle 0", "CadColor 1", "LineWidth 1", // layer 0: width 1 always
                                        "LineStyle 0", "CadColor 2", "LineWidth 1", // pen 17
                                        "LineStyle 0", "CadColor 3", "LineWidth 4", // pen 18, own width
                                        "CadColor 0", "LineWidth 1"}));             // mode 2: erase colour
}

TEST_F(CadLifecycleTest, ScreenFooterNamesProjectFile)
{
    struct Case {
        std::string Project;
        bool Suppressed;
        std::vector<std::string> Texts;
    };
    const Case cases[] = {
        {"stage1",
         false,
         {"Text 0.8000 0.2400 2026-12-07 8:15 - TELMORA QYR7 V1.0 - /data/projects/stage1.qy7"}},
        {"", false, {"Text 0.8000 0.2400 2026-12-07 8:15 - TELMORA QYR7 V1.0 - "}},
        {"stage1", true, {}},
        {"examples/industrial.qy7",
         false, // a path as given on the command line
         {"Text 0.8000 0.2400 2026-12-07 8:15 - TELMORA QYR7 V1.0 - examples/industrial.qy7"}},
    };
    for (const Case& c : cases) {
        telmvar.ProjectName = c.Project;
        cadsettings.SheetShowFooter = c.Suppressed;
        Screen.Calls.clear();
        CadOpenOutput(3);
        CadBeginDrawingDefault();
        std::vector<std::string> texts;
        for (const std::string& d : Screen.Drawn())
            texts.push_back(d);
        EXPECT_EQ(texts, c.Texts) << c.Project << " " << c.Suppressed;
        EXPECT_EQ(cadstate.CadLayer, 30);
        CadCloseOutput();
    }
}

TEST_F(CadLifecycleTest, SheetFrameOnScreenAndPlotWhenBordered)
{
    printsettings.PrintBorder = true;
    cadsettings.SheetShowFooter = true;
    CadOpenOutput(3);
    CadBeginDrawing(0, 0, 100, 50, 0);
    EXPECT_EQ(Screen.Drawn(), (std::vector<std::string>{"Line 0.0000 0.0000 0.0000 50.0000",
                                                        "Line 0.0000 50.0000 100.0000 50.0000",
                                                        "Line 100.0000 50.0000 100.0000 0.0000",
                                                        "Line 100.0000 0.0000 0.0000 0.0000"}));
    Extended lo = -1, hi = -1;
    GetCadZRange(lo, hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 1.0L) << "height 0 becomes 1";
    CadCloseOutput();
    CadOpenOutput(4);
    CadBeginDrawing(0, 0, 100, 50, 0);
    CadCloseOutput();
    const std::string plot = ReadFile(Temp("korvilt.dxf"));
    const std::string frameLine = "\r\nLINE\r\n  8\r\n19\r\n";
    size_t lines = 0;
    for (size_t at = plot.find(frameLine); at != std::string::npos; at = plot.find(frameLine, at + 1))
        ++lines;
    EXPECT_EQ(lines, 4u) << "the plot file keeps the frame's four lines";
}

TEST_F(CadLifecycleTest, PauseIsRecordedOnScreenOnly)
{
    CadOpenOutput(3);
    Screen.Calls.clear();
    CadPause(50);
    CadCloseOutput();
    EXPECT_EQ(Screen.Calls.front(), "Sleep 50");
    Screen.Calls.clear();
    CadOpenOutput(1);
    CadPause(50);
    EXPECT_TRUE(Screen.Calls.empty());
}

TEST_F(CadLifecycleTest, ShiftedInsertAddsOffsetPlainInsertDoesNot)
{
    CadOpenOutput(1);
    CadBeginDrawingDefault();
    CadWriteTables(0);
    CadBeginBlocks();
    CadBeginBlock("B");
    CadLine(0, 0, 1, 0);
    CadEndBlock();
    CadEndSection();
    CadBeginEntities();
    SetCadOffset(100, 200);
    CadInsertBlock("B", 1, 2, 0, 1, 1);
    CadInsertBlockShifted("B", 1, 2, 0, 1, 1);
    CadEndSection();
    CadCloseOutput();
    const std::string dxf = ReadFile(Temp("drawing.dxf"));
    EXPECT_NE(dxf.find("INSERT\r\n  8\r\n0\r\n  2\r\nB\r\n 10\r\n1.000000\r\n 20\r\n2.000000\r\n"),
              std::string::npos);
    EXPECT_NE(dxf.find("INSERT\r\n  8\r\n0\r\n  2\r\nB\r\n 10\r\n101.000000\r\n 20\r\n202.000000\r\n"),
              std::string::npos);
}

} // namespace
