// The CAD batch mode "wqyr7 project.qy7 /CADi:j": which switches are
// served, which file each device writes, and that a script can trust the
// exit code (0 only when the file was written).
#include "appfixture.h"
#include "graphics/cadvalidators.h"

#include "app/cadbatch.h"
#include "app/commandline.h"
#include "common/validators.h"
#include "drawings/bearingtestsupport.h"
#include "graphics/cad/cadoutput.h"
#include "graphics/cad/cadprimitives.h"
#include "planetary/projectfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{

const fs::path DefaultProject = fs::path(QYR7_SOURCE_DIR) / "examples" / "default.qy7";

// The drawings built into the program so far. "/CAD1:j" of the default
// project must write a DXF that ezdxf reads without a fix for each of them,
// and every other index must say it is not available yet: a drawing that
// registers its index adds it here.
const std::set<int> LandedDrawings = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,
                                      15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 28};

// ezdxf's audit of a DXF: "errors fixes entities", or the tool's complaint.
std::string EzdxfAudit(const fs::path& File)
{
    // Older ezdxf reads the R12 POLYLINE of a block without an owner for
    // its SEQEND and "fixes" it; a control file tells whether this one
    // does, and only then are those fixes set apart.
    const std::string script =
        "import ezdxf,sys,io\n"
        "c = chr(10).join(['0','SECTION','2','BLOCKS','0','BLOCK','8','0','2','B','70','0','10','0','20','0',"
        "'0','POLYLINE','8','0','66','1','0','VERTEX','8','0','10','0','20','0','0','VERTEX','8','0','10','1'"
        ","
        "'20','1','0','SEQEND','8','0','0','ENDBLK','8','0','0','ENDSEC','0','SECTION','2','ENTITIES','0',"
        "'ENDSEC','0','EOF',''])\n"
        "q = any('SEQEND' in f.message and 'invalid owner' in f.message for f in "
        "ezdxf.read(io.StringIO(c)).audit().fixes)\n"
        "d = ezdxf.readfile(sys.argv[1])\n"
        "a = d.audit()\n"
        "f = [x for x in a.fixes if not (q and x.message.startswith('Deleted SEQEND') and "
        "'invalid owner handle #None' in x.message)]\n"
        "print(len(a.errors), len(f), len(d.modelspace()))\n";
    return RunCommand("/usr/bin/python3 -c \"" + script + "\" '" + File.string() + "'");
}

// Entities of an audit that found nothing to fix; -1 otherwise.
long AuditedEntities(const std::string& Audit)
{
    std::istringstream in(Audit);
    long errors = -1, fixes = -1, entities = -1;
    if (!(in >> errors >> fixes >> entities) || errors != 0 || fixes != 0) return -1;
    return entities;
}

// ------------------------------------------------------------ in the process

// A drawing the tests register in place of a real one, so that every device
// and failure path is proved before the drawings exist: a frame and its
// diagonal, 140 x 100 mm.
void FrameDrawing(int Device, int)
{
    CadOpenOutput(Device);
    if (telmvar.Aborted) return;
    CadBeginDrawingDefault();
    CadWriteTables(0);
    CadBeginBlocks();
    CadEndSection();
    CadBeginEntities();
    CadSetLayer(5);
    CadRectangle(10, 10, 150, 110);
    CadLine(10, 10, 150, 110);
    CadDeviceReady();
    CadEndSection();
    CadCloseOutput();
}

constexpr int TestIndex = 18;

class CadBatch : public AppTest
{
  protected:
    void SetUp() override
    {
        AppTest::SetUp();
        InstallPlatformServices();
        ResetCadExports();
        RegisterCadExport(TestIndex, TestIndex, FrameDrawing);
        telmvar.TempDir = (dir / "tmp").string();
        fs::create_directories(dir / "tmp");
        fs::copy_file(DefaultProject, dir / "stage.qy7");
        previous = fs::current_path();
        fs::current_path(dir);
    }
    void TearDown() override
    {
        fs::current_path(previous);
        AppTest::TearDown();
    }

    int Run(const std::string& Switch, const std::string& Project = "stage.qy7")
    {
        const TCommandLine cmd = ParseCommandLine({Project, Switch, "/NOGUI"});
        EXPECT_EQ(cmd.Mode, TStartMode::CadBatch) << Switch;
        telmvar.ProjectName = cmd.P1;
        const TStartOutcome outcome = RunCadBatch(cmd);
        EXPECT_TRUE(outcome.EndProcess);
        // Put back on every way out.
        EXPECT_FALSE(wtelmvar.CadSkipSaveDialog) << Switch;
        EXPECT_TRUE(cadsettings.CadExecFile) << Switch;
        EXPECT_FALSE(CadOutputIsOpen()) << Switch;
        return outcome.ExitCode;
    }

    // The run in a child process as the user "nobody" (root writes into a
    // read-only directory regardless).
    int RunAsNobody(const std::string& Switch)
    {
        std::fflush(nullptr);
        const pid_t child = ::fork();
        if (child == 0) {
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(99);
            const TCommandLine cmd = ParseCommandLine({"stage.qy7", Switch});
            telmvar.ProjectName = cmd.P1;
            ::_exit(RunCadBatch(cmd).ExitCode);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    fs::path previous;
};

std::string Read(const fs::path& File)
{
    std::ifstream in(File, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST_F(CadBatch, EachFileDeviceWritesTheProjectNameWithItsExtensionJudgedByItsReader)
{
    ASSERT_EQ(Run("/CAD1:18"), ExitOk);
    EXPECT_FALSE(fs::exists(dir / "stage.igs"));
    const std::string audit = EzdxfAudit(dir / "stage.dxf");
    if (audit.find("No module named") != std::string::npos) QYR7_VALIDATOR_MISSING("ezdxf");
    // Four sides and the diagonal.
    EXPECT_EQ(AuditedEntities(audit), 5) << audit;

    ASSERT_EQ(Run("/cad2:18"), ExitOk);
    const TOcctView iges = OcctReadIges((dir / "stage.igs").string());
    if (!iges.ToolFound) QYR7_VALIDATOR_MISSING("occt draw");
    EXPECT_TRUE(iges.Fails.empty()) << iges.Output;
    EXPECT_EQ(iges.Edges, 5) << iges.Output;

    // Walls of the four sides and the diagonal, two facets each; the STL
    // height question keeps its preset of 1 mm.
    ASSERT_EQ(Run("-CAD6:18"), ExitOk);
    const TAdmeshView stl = AdmeshRead((dir / "stage.stl").string());
    if (!stl.ToolFound) QYR7_VALIDATOR_MISSING("admesh");
    EXPECT_EQ(stl.Facets, 10) << stl.Output;
    EXPECT_NEAR(stl.Max[2], 1.0, 1e-6) << stl.Output;

    ASSERT_EQ(Run("/CAD5:18"), ExitOk);
    const std::string text = Read(dir / "stage.txt");
    const fs::path golden = fs::path(QYR7_TEST_DIR) / "golden" / "cadbatch_frame.txt";
    if (Read(golden) != text) {
        std::ofstream(golden.string() + ".out", std::ios::binary) << text;
        ADD_FAILURE() << "text CAD code differs from " << golden << ", written beside it as .out";
    }
}

TEST_F(CadBatch, ThePlotDeviceWritesKorviltInTheTemporaryDirectoryAndStartsItsProgram)
{
    cadsettings.PlotCmdLines[1] = "/bin/true KORVILT /M1.0";
    EXPECT_EQ(Run("/CAD4:18"), ExitOk);
    EXPECT_FALSE(fs::exists(dir / "stage.dxf"));
    const std::string audit = EzdxfAudit(dir / "tmp" / "korvilt.dxf");
    if (audit.find("No module named") != std::string::npos) QYR7_VALIDATOR_MISSING("ezdxf");
    EXPECT_EQ(AuditedEntities(audit), 5) << audit;

    // Written, but nothing plots it: not a success.
    fs::remove(dir / "tmp" / "korvilt.dxf");
    cadsettings.PlotCmdLines[1] = (dir / "no-such-plotter").string() + " KORVILT";
    testing::internal::CaptureStderr();
    EXPECT_EQ(Run("/CAD4:18"), ExitReportNotWritten);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("file not found"), std::string::npos) << err;
    EXPECT_TRUE(fs::exists(dir / "tmp" / "korvilt.dxf"));
}

TEST_F(CadBatch, AFileThatCannotBeWrittenExitsFourAndLeavesTheOldOneAsItWas)
{
    WriteWholeFile(dir / "stage.dxf", "old drawing\r\n");
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                             fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    const int code = RunAsNobody("/CAD1:18");
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
    ASSERT_NE(code, 99) << "cannot become nobody";
    EXPECT_EQ(code, ExitReportNotWritten);
    EXPECT_EQ(Read(dir / "stage.dxf"), "old drawing\r\n");

    // A directory where the file should go stops root as well.
    fs::create_directories(dir / "stage.igs");
    testing::internal::CaptureStderr();
    EXPECT_EQ(Run("/CAD2:18"), ExitReportNotWritten);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("stage.igs could not be written"), std::string::npos) << err;
}

TEST_F(CadBatch, AProjectThatCannotBeReadExitsOneAndWritesNothing)
{
    WriteWholeFile(dir / "bad.qy7", "no project\r\n");
    testing::internal::CaptureStderr();
    EXPECT_EQ(Run("/CAD1:18", "bad.qy7"), ExitProjectUnreadable);
    EXPECT_EQ(Run("/CAD1:18", "missing.qy7"), ExitProjectUnreadable);
    testing::internal::GetCapturedStderr();
    EXPECT_FALSE(fs::exists(dir / "bad.dxf"));
    EXPECT_FALSE(fs::exists(dir / "missing.dxf"));
}

TEST_F(CadBatch, ADrawingThatStopsHalfWayIsNoSuccess)
{
    // The drawing opens its output and stops (Aborted, as a cancelled
    // question or a failed step leaves it): nothing is written.
    RegisterCadExport(TestIndex, TestIndex, [](int Device, int) {
        CadOpenOutput(Device);
        CadBeginDrawingDefault();
        CadLine(0, 0, 1, 1);
        telmvar.Aborted = true;
    });
    testing::internal::CaptureStderr();
    EXPECT_EQ(Run("/CAD1:18"), ExitReportNotWritten);
    testing::internal::GetCapturedStderr();
    EXPECT_FALSE(fs::exists(dir / "stage.dxf"));
}

// ------------------------------------------------------------ the switch

struct TSwitchCase {
    const char* Name;
    const char* P2;
    bool Valid;
    int Device;
    int Index;
};

TEST(CadSwitch, OnlyADigitAColonAndAWholeNumberAreServed)
{
    const TSwitchCase cases[] = {
        {"plain", "/CAD1:1", true, 1, 1},
        {"lower case", "/cad2:24", true, 2, 24},
        {"dash", "-CAD5:17", true, 5, 17},
        {"leading zero", "/CAD1:007", true, 1, 7},
        {"no colon", "/CAD1x3", false, 0, 0},
        {"two digit device", "/CAD12:3", false, 0, 0},
        {"letter index", "/CAD1:x", false, 0, 0},
        {"no index", "/CAD1:", false, 0, 0},
        {"signed index", "/CAD1:+3", false, 0, 0},
        {"blank in index", "/CAD1:3 ", false, 0, 0},
        {"letter device", "/CADx:3", false, 0, 0},
        {"bare", "/CAD", false, 0, 0},
        {"huge index", "/CAD1:99999999999", false, 0, 0},
    };
    for (const auto& c : cases) {
        const TCadSwitch s = ParseCadSwitch(c.P2);
        EXPECT_EQ(s.Valid, c.Valid) << c.Name;
        if (c.Valid) {
            EXPECT_EQ(s.Device, c.Device) << c.Name;
            EXPECT_EQ(s.Index, c.Index) << c.Name;
        }
    }
}

TEST(CadExportTable, EachRangeCallsItsEntryPointWithTheTablesArguments)
{
    std::vector<std::string> calls;
    RegisterFrontViewExport([&](int D) { calls.push_back("front " + std::to_string(D)); });
    RegisterStageViewExports(
        [&](int D, int V) { calls.push_back("view " + std::to_string(D) + " " + std::to_string(V)); });
    RegisterWheelViewExports([&](int D, int V, int W, int M) {
        calls.push_back("wheel " + std::to_string(D) + " " + std::to_string(V) + " " + std::to_string(W) +
                        " " + std::to_string(M));
    });
    for (int j : {1, 18, 23, 24, 28})
        EXPECT_TRUE(ExportCadByIndex(2, j)) << j;
    EXPECT_FALSE(ExportCadByIndex(2, 2)) << "production drawing not registered";
    EXPECT_FALSE(ExportCadByIndex(2, 29));
    EXPECT_FALSE(ExportCadByIndex(2, 0));
    const std::vector<std::string> expected = {"front 2", "view 2 1", "view 2 6", "wheel 2 1 1 1",
                                               "wheel 2 5 1 1"};
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(CadIndexKind(27), TCadIndexKind::NoFile);
    EXPECT_EQ(CadIndexKind(29), TCadIndexKind::OutsideTable);
}

// ------------------------------------------------------------ the program

class CadBatchProgram : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        dir = FreshDir("cadbatch");
        fs::copy_file(DefaultProject, dir / "default.qy7");
    }
    void TearDown() override { fs::remove_all(dir); }

    static void ExpectOneLine(const TProgramRun& Run, const std::string& Part, const std::string& What)
    {
        const auto lines = Run.ErrLines();
        ASSERT_EQ(lines.size(), 1u) << What << ":\n" << Run.Err;
        EXPECT_NE(lines[0].find(Part), std::string::npos) << What << ": " << lines[0];
    }

    fs::path dir;
};

struct TRefusedCase {
    const char* Name;
    const char* Switch;
    int Exit;
    const char* Says;
};

TEST_F(CadBatchProgram, SwitchesNotServedExitWithOneLineAndWriteNothing)
{
    const TRefusedCase cases[] = {
        {"index 27 writes no file", "/CAD1:27", 5, "writes no file"},
        {"index beyond the table", "/CAD1:29", 5, "drawing 29 does not exist"},
        {"index zero", "/CAD1:0", 5, "drawing 0 does not exist"},
        {"screen device", "/CAD3:1", 5, "screen"},
        {"device that asks", "/CAD0:1", 5, "asks for the output device"},
        {"device without a code", "/CAD7:1", 5, "device 7 does not exist"},
        {"no colon", "/CAD1x3", 5, "/CADi:j  -> CAD File"},
        {"two digit device", "/CAD12:3", 5, "/CADi:j  -> CAD File"},
        {"letter index", "/CAD1:x", 5, "/CADi:j  -> CAD File"},
    };
    for (const auto& c : cases) {
        // No display, stdin closed: nothing may wait for an answer.
        const TProgramRun run = RunProgram(dir, {"default.qy7", c.Switch}, {}, true);
        EXPECT_EQ(run.ExitCode, c.Exit) << c.Name << "\n" << run.Err;
        ExpectOneLine(run, c.Says, c.Name);
    }
    for (const auto& entry : fs::directory_iterator(dir))
        EXPECT_EQ(entry.path().filename(), "default.qy7") << "left behind";
}

class CadBatchIndex : public CadBatchProgram, public ::testing::WithParamInterface<int>
{
};

TEST_P(CadBatchIndex, WritesTheDrawingOrSaysItIsNotAvailable)
{
    const int j = GetParam();
    const std::string sw = "/CAD1:" + std::to_string(j);
    const TProgramRun run = RunProgram(dir, {"default.qy7", sw, "/NOGUI"}, {}, true);
    if (CadIndexKind(j) == TCadIndexKind::NoFile) {
        EXPECT_EQ(run.ExitCode, 5) << run.Err;
    } else if (LandedDrawings.count(j) == 0) {
        EXPECT_EQ(run.ExitCode, 3) << run.Err;
        ExpectOneLine(run, "drawing " + std::to_string(j) + " is not available yet", sw);
        EXPECT_FALSE(fs::exists(dir / "default.dxf"));
    } else {
        EXPECT_EQ(run.ExitCode, 0) << run.Err;
        const std::string audit = EzdxfAudit(dir / "default.dxf");
        if (audit.find("No module named") != std::string::npos) QYR7_VALIDATOR_MISSING("ezdxf");
        EXPECT_GT(AuditedEntities(audit), 0) << sw << ": " << audit;
    }
}

// The other file devices on a real drawing, each judged by its reader.
TEST_F(CadBatchProgram, TheFrontViewGoesToEveryFileDevice)
{
    if (LandedDrawings.count(1) == 0) GTEST_SKIP() << "drawing 1 is not built in";
    const TProgramRun stl = RunProgram(dir, {"default.qy7", "/CAD6:1"}, {}, true);
    ASSERT_EQ(stl.ExitCode, 0) << stl.Err;
    const TAdmeshView mesh = AdmeshRead((dir / "default.stl").string());
    if (!mesh.ToolFound) QYR7_VALIDATOR_MISSING("admesh");
    EXPECT_GT(mesh.Facets, 0) << mesh.Output;
    EXPECT_EQ(mesh.Degenerate, 0) << mesh.Output;

    const TProgramRun text = RunProgram(dir, {"default.qy7", "/CAD5:1"}, {}, true);
    ASSERT_EQ(text.ExitCode, 0) << text.Err;
    const std::string code = Read(dir / "default.txt");
    EXPECT_EQ(code.rfind("MINMAX\t", 0), 0u) << code.substr(0, 80);
    EXPECT_NE(code.find("SECTION ENTITIES\r\n"), std::string::npos);
    EXPECT_EQ(code.substr(code.size() - 5), "EOF\r\n");
    const fs::path golden = fs::path(QYR7_TEST_DIR) / "golden" / "cadbatch_frontview.txt";
    if (Read(golden) != code) {
        std::ofstream(golden.string() + ".out", std::ios::binary) << code;
        ADD_FAILURE() << "text CAD code differs from " << golden << ", written beside it as .out";
    }
}

// The sun's tooth drawing (wheel view 1 of S) as IGES, read by OCCT.
TEST_F(CadBatchProgram, TheSunsToothDrawingGoesToIges)
{
    const TProgramRun run = RunProgram(dir, {"default.qy7", "/CAD2:24"}, {}, true);
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    const TOcctView iges = OcctReadIges((dir / "default.igs").string());
    if (!iges.ToolFound) QYR7_VALIDATOR_MISSING("occt draw");
    EXPECT_TRUE(iges.Fails.empty()) << iges.Output;
    EXPECT_GT(iges.Edges, 10) << iges.Output;
}

// A part number typed as "§ 12" is stored as the code page 437 bytes 0x15 " 12"; the production
// drawing's title block (5) shows it as ezdxf, OCCT and a text CAD record read it: the Windows-1252
// byte 0xA7 of the default CAD text mode. The stage text holds a "§" too (line 83, column 48).
TEST_F(CadBatchProgram, ProjectTextBytesSectionSignInTheTitleBlockOfEachCadFile)
{
    std::string project = Read(DefaultProject.parent_path() / "industrial.qy7");
    project.replace(project.find("\r\n1\r\nPi\r\n"), 3, "\r\n\x15 12"); // line 16
    for (std::size_t at = 0; (at = project.find("i0 = 3.25\r\n", at)) != std::string::npos; at += 11)
        project.insert(at + 9, " \x15");
    WriteWholeFile(dir / "p.qy7", project);
    for (const char* sw : {"/CAD1:5", "/CAD2:5", "/CAD5:5"})
        EXPECT_EQ(std::to_string(RunProgram(dir, {"p.qy7", sw}, {}, true).ExitCode), "0") << sw;
    const std::string dxf =
        RunCommand("/usr/bin/python3 -c \"import ezdxf,sys\nd = ezdxf.readfile(sys.argv[1])\n"
                   "t = [e.dxf.text for b in d.blocks for e in b if e.dxftype() == 'TEXT']\n"
                   "print(len(d.audit().errors), chr(167) + ' 12' in t)\" '" +
                   (dir / "p.dxf").string() + "'");
    if (dxf.find("No module named") != std::string::npos) QYR7_VALIDATOR_MISSING("ezdxf");
    EXPECT_EQ(dxf, "0 True\n");
    const TOcctView iges = OcctReadIges((dir / "p.igs").string());
    if (!iges.ToolFound) QYR7_VALIDATOR_MISSING("occt draw");
    EXPECT_TRUE(iges.Fails.empty()) << iges.Output;
    const auto notes = OcctIgesNotes((dir / "p.igs").string());
    EXPECT_NE(std::find(notes.begin(), notes.end(), "\xC2\xA7 12"), notes.end()) << notes.size() << " notes";
    EXPECT_TRUE(std::regex_search(Read(dir / "p.txt"), std::regex("\r\nTEXT\t[^\t]+\t[^\t]+\t\xA7 12\r\n")));
}

// Every drawing of the examples and of the default stage with a ball bearing
// 6206 in both planets, through DXF, IGES and STL, judged by the readers of
// cadjudge.py in one run per project and device. A run that writes its file
// exits 0 quietly, the file having the mode 0666 less the umask 022.
class CadFilesJudged : public CadBatchProgram,
                       public ::testing::WithParamInterface<std::tuple<std::string, int>>
{
};

TEST_P(CadFilesJudged, EveryDrawingIsTakenByAStrictReaderAndTheRunIsQuiet)
{
    const auto& [project, device] = GetParam();
    if (project == "bearings") {
        InitProgramLoadDefaults();
        ReadProjectFile(DefaultProject.string());
        PlanetBearings[1] = PlanetBearings[2] = bearingtest::RecordByDesignation(1, "rikula", "6206");
        ASSERT_TRUE(WriteProjectData((dir / "bearings.qy7").string()));
    } else {
        fs::copy_file(DefaultProject.parent_path() / (project + ".qy7"), dir / (project + ".qy7"),
                      fs::copy_options::overwrite_existing);
    }
    const std::string ext = device == 1 ? "dxf" : device == 2 ? "igs" : "stl";
    std::string files;
    const mode_t mask = ::umask(022);
    for (int j : LandedDrawings) {
        const std::string sw = "/CAD" + std::to_string(device) + ":" + std::to_string(j);
        const TProgramRun run = RunProgram(dir, {project + ".qy7", sw, "/NOGUI"}, {}, true);
        EXPECT_EQ(std::to_string(run.ExitCode) + run.Err, "0") << sw;
        const fs::path kept = dir / (std::to_string(j) + "." + ext);
        fs::rename(dir / (project + "." + ext), kept);
        EXPECT_EQ(fs::status(kept).permissions(), static_cast<fs::perms>(0644)) << sw;
        files += " '" + kept.string() + "'";
    }
    ::umask(mask);
    const std::string out =
        RunCommand("/usr/bin/python3 '" + std::string(QYR7_TEST_DIR) + "/cadjudge.py' " + ext + files);
    if (out.rfind("missing ", 0) == 0) QYR7_VALIDATOR_MISSING(out);
    EXPECT_EQ(out, "judged " + std::to_string(LandedDrawings.size()) + "\n") << project;
}

// Every drawing of each example as DXF and as IGES: OCCT finds the curves of
// the IGES file where ezdxf finds those of the DXF, scaled sheets and their
// tables included, and transfers no block that no instance places; the
// line of action of the tooth contact view (24) runs through A to E and
// ends at a tangent point or a side of the frame.
class IgesScale : public CadBatchProgram, public ::testing::WithParamInterface<std::string>
{
};

TEST_P(IgesScale, CurvesAsEzdxfReadsThemAndLineOfActionThroughAToE)
{
    const std::string project = GetParam() + ".qy7";
    fs::copy_file(DefaultProject.parent_path() / project, dir / project,
                  fs::copy_options::overwrite_existing);
    std::string files;
    for (int j : LandedDrawings)
        for (const char* ext : {"dxf", "igs"}) {
            const std::string sw = std::string("/CAD") + (ext[0] == 'd' ? "1:" : "2:") + std::to_string(j);
            const TProgramRun run = RunProgram(dir, {project, sw, "/NOGUI"}, {}, true);
            EXPECT_EQ(run.ExitCode, 0) << sw << run.Err;
            const fs::path kept = dir / (std::to_string(j) + "." + ext);
            fs::rename(dir / (GetParam() + "." + ext), kept);
            files += " '" + kept.string() + "'";
        }
    const std::string judge = "/usr/bin/python3 '" + std::string(QYR7_TEST_DIR) + "/cadjudge.py' ";
    const std::string out = RunCommand(judge + "extents" + files);
    if (out.rfind("missing ", 0) == 0) QYR7_VALIDATOR_MISSING(out);
    EXPECT_EQ(out, "judged " + std::to_string(LandedDrawings.size()) + "\n") << project;
    EXPECT_EQ(RunCommand(judge + "action '" + (dir / "24.dxf").string() + "'"), "judged 1\n") << project;
}

INSTANTIATE_TEST_SUITE_P(Examples, IgesScale, ::testing::Values("default", "industrial", "spectrum"),
                         [](const auto& Info) { return Info.param; });

INSTANTIATE_TEST_SUITE_P(
    Projects, CadFilesJudged,
    ::testing::Combine(::testing::Values("default", "industrial", "spectrum", "bearings"),
                       ::testing::Values(1, 2, 6)),
    [](const auto& I) { return std::get<0>(I.param) + "_device" + std::to_string(std::get<1>(I.param)); });

INSTANTIATE_TEST_SUITE_P(Indexes, CadBatchIndex, ::testing::Range(1, 29),
                         [](const ::testing::TestParamInfo<int>& I) {
                             return "Index" + std::to_string(I.param);
                         });

} // namespace
