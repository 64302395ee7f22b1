// The files around a text batch run, with the program run as the user runs
// it (no display, stdin closed): the project it reads is never written over,
// the report's working copy never stays behind, the report names the project
// it came from, a name is completed with the project extension only when the
// file name itself has none, and a switch the program does not know is
// named. Every case also checks that the run directory holds exactly the
// files it should afterwards.
#include "runprogram.h"

#include "foundation/foundationstate.h"
#include "planetary/projectfile.h"
#include "planetary/stage.h"
#include "planetary/stagedefaults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <regex>
#include <set>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace
{

// A stage without any message of its own: whatever the runs print on stderr
// is about the files.
const fs::path ShippedProject = fs::path(QYR7_SOURCE_DIR) / "examples" / "industrial.qy7";

// A project the program itself cannot calculate: an input speed of 0 stops
// the stage calculation with a fatal message.
void WriteStoppedProject(const fs::path& File)
{
    ResetFoundationState();
    InitProgramDefaults();
    SetDefaultInput();
    PlanetaryStage.nIn = 0;
    ASSERT_TRUE(WriteProjectData(File.string()));
}

struct BatchFilesCase {
    std::string Name;
    // Files put in place before the run: the shipped industrial project copied
    // to each of these names (relative to the test directory).
    std::vector<std::string> Projects;
    // Extra set-up in the test directory (links, folders, written projects).
    std::function<void(const fs::path&)> Prepare;
    // Where the program runs, relative to the test directory.
    std::string RunIn;
    std::vector<std::string> Args;
    int ExitCode = 0;
    // The stderr line expected (a part of it); empty: stderr stays empty.
    std::string ErrPart;
    // Files the run adds to the test directory; nothing else may appear.
    std::vector<std::string> Created;
    // Further checks on the directory after the run.
    std::function<void(const fs::path&)> Check;
    // Links to the user's "victim" and the user's own files keep their bytes; Tables: a configured
    // table folder, Locked 1: not writable (run as nobody by root), 2: nor the current folder.
    std::vector<std::string> Links = {}, Mine = {};
    bool Tables = false;
    int Locked = 0;
    std::string PltDir = {};
    std::size_t ErrLines = 1; // lines on stderr, the last one holding ErrPart
    int FileBlocks = 0;       // largest file the run may write, in 512-byte blocks (0: no limit)
    // Runs at the same moment after the first one, each in its own folder
    // "r1".."rN" beside the first one's "r0" (RunIn), with the same exit,
    // an empty stderr and a report byte for byte the first one's.
    int AtOnce = 0;
    // Sent once the temporary file of the output named SignalAt appears.
    int Signal = 0;
    std::string SignalAt = {};
};

// A project named as long as a file system allows: its drawing is written.
BatchFilesCase LongNamedDrawing(const std::string& Name, const std::string& Device, const std::string& Ext)
{
    const std::string base(250, 'p');
    return {.Name = Name,
            .Projects = {base + ".qy7"},
            .Args = {base + ".qy7", "/CAD" + Device + ":1"},
            .Created = {base + Ext}};
}

std::string Describe(const BatchFilesCase& c)
{
    std::string args;
    for (const auto& a : c.Args)
        args += " " + a;
    return c.Name + ":" + args;
}

void PrintTo(const BatchFilesCase& c, std::ostream* os)
{
    *os << Describe(c);
}

// Every regular file and link below Dir, as paths relative to it; the
// configuration home of the run (".config", where a run with the main window
// keeps its session) is not a file of the batch.
std::set<std::string> FilesBelow(const fs::path& Dir)
{
    std::set<std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(Dir)) {
        const std::string rel = e.path().lexically_relative(Dir).generic_string();
        if ((!e.is_directory() || e.is_symlink()) && rel.rfind(".config/", 0) != 0) files.insert(rel);
    }
    return files;
}

std::string SecondLine(const std::string& Text)
{
    const auto first = Text.find('\n');
    if (first == std::string::npos) return {};
    const auto second = Text.find('\n', first + 1);
    std::string line =
        Text.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

// The shipped project with one line replaced (1-based, header included).
std::string WithLine(int Line, const std::string& Text)
{
    std::string all = ReadWholeFile(ShippedProject);
    std::size_t pos = 0;
    for (int l = 1; l < Line; ++l)
        pos = all.find("\r\n", pos) + 2;
    return all.replace(pos, all.find("\r\n", pos) - pos, Text);
}

// Copies of the shipped tables in "tables", and a configuration naming the table, temporary and plot folders
// (items in order up to the plot folder); a run folder beside it names "../tables/".
void TablesIn(const fs::path& Dir, const std::string& PltDir, const std::string& Tables = "tables/",
              const std::string& Temp = "")
{
    fs::create_directories(Dir / "tables");
    for (const auto& e : fs::directory_iterator(QYR7_DATA_DIR))
        if (Tables == "tables/" && (e.path().extension() == ".dbf" || e.path().extension() == ".hdf"))
            fs::copy_file(e.path(), Dir / "tables" / e.path().filename());
    std::string cfg = "qyr7 Configuration\r\nVersion 1.0\r\n";
    for (int l = 1; l <= 5; ++l)
        cfg += "Layer\r\n" + std::to_string(l) + "\r\nColour\r\n2\r\n";
    for (const std::string item : {"Text font CAD",
                                   "Arial",
                                   "Textwidth/height CAD",
                                   "1",
                                   "Font angle",
                                   "0",
                                   "CAD Directory",
                                   "",
                                   "DBF Directory",
                                   Tables.c_str(),
                                   "Help level",
                                   "1",
                                   "Printer interface",
                                   "1",
                                   "Printer type",
                                   "1",
                                   "Printing density",
                                   "1",
                                   "Rotate Hardcopy ?",
                                   "N",
                                   "Digits for floating point numbers",
                                   "3",
                                   "Printing density vertical",
                                   "1",
                                   "Color graphics",
                                   "J",
                                   "X-Factor for graphic extension",
                                   "1",
                                   "Graph mode",
                                   "0",
                                   "Graph driver",
                                   "0",
                                   "Horizontal Pixels",
                                   "1024",
                                   "Vertical Pixels",
                                   "768",
                                   "temporary directory",
                                   Temp.c_str(),
                                   "printer interface for hardcopy",
                                   "1",
                                   "EDI Directory",
                                   "",
                                   "PLT Directory"})
        cfg += item + "\r\n";
    WriteWholeFile(Dir / "qyr7.cfg", cfg + PltDir + "\r\n");
}

// Run folders r0..rN sharing the tables and a configured temporary folder
// "temp" that everybody may write, as a normal install has it.
std::function<void(const fs::path&)> SharedTemp(int Runs)
{
    return [Runs](const fs::path& Dir) {
        for (int r = 0; r <= Runs; ++r) {
            const fs::path run = Dir / ("r" + std::to_string(r));
            fs::create_directories(run);
            fs::permissions(run, fs::perms::all);
            TablesIn(run, "", "../tables/", "../temp/");
        }
        fs::create_directories(Dir / "temp");
        fs::permissions(Dir / "temp", fs::perms::all);
    };
}

// The shared temporary folder holds only what the case put there.
void TempLeftAsItWas(const fs::path& Dir)
{
    std::vector<std::string> left;
    for (const auto& e : fs::directory_iterator(Dir / "temp"))
        if (!fs::is_regular_file(fs::symlink_status(e.path()))) left.push_back(e.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{}) << "left in the temporary folder";
}

// A report without the date and time of its page headers.
std::string Undated(const std::string& Report)
{
    return std::regex_replace(Report, std::regex("\t[0-9]{4}-[0-9]{2}-[0-9]{2}\t[0-9]{1,2}:[0-9]{2}"), "");
}

void Fifo(const fs::path& File)
{
    fs::remove(File);
    ASSERT_EQ(::mkfifo(File.c_str(), 0666), 0) << File;
}

const std::string Victim = "somebody else's file\r\n";

std::vector<BatchFilesCase> Cases()
{
    const std::string unchanged = ReadWholeFile(ShippedProject);
    const auto stays = [unchanged](const std::string& Rel) {
        return [unchanged, Rel](const fs::path& Dir) {
            EXPECT_EQ(ReadWholeFile(Dir / Rel), unchanged) << Rel << " was changed";
        };
    };
    return {
        // The report of "proj.txt" is "proj.txt": the batch never writes it
        // over the project it read.
        {"ReportWouldOverwriteTheProject",
         {"proj.txt"},
         nullptr,
         "",
         {"proj.txt", "/I", "/NOGUI"},
         4,
         "report file proj.txt is the project file proj.txt itself",
         {},
         stays("proj.txt")},
        // The same file reached through a link in the current directory.
        {"ReportNameLinksToTheProject",
         {"sub/proj.qy7"},
         [](const fs::path& Dir) { fs::create_symlink("sub/proj.qy7", Dir / "proj.txt"); },
         "",
         {"sub/proj.qy7", "/I", "/NOGUI"},
         4,
         "is the project file sub/proj.qy7 itself",
         {},
         stays("sub/proj.qy7")},
        // A project called *.txt elsewhere: its report beside the current
        // directory is another file and is written.
        {"ProjectNamedTxtInAnotherFolder",
         {"sub/proj.txt"},
         nullptr,
         "",
         {"sub/proj.txt", "/I", "/NOGUI"},
         0,
         "",
         {"proj.txt"},
         stays("sub/proj.txt")},
        // The report cannot be copied beside the project: the working copy
        // "$$$1.txt" goes nevertheless.
        {"ReportTargetIsAFolder",
         {"stage.qy7"},
         [](const fs::path& Dir) { fs::create_directories(Dir / "stage.txt"); },
         "",
         {"stage.qy7", "/I", "/NOGUI"},
         4,
         "report file stage.txt could not be written",
         {},
         stays("stage.qy7")},
        // A fatal calculation result leaves no working copy either.
        {"FatalStage",
         {},
         [](const fs::path& Dir) { WriteStoppedProject(Dir / "stopped.qy7"); },
         "",
         {"stopped.qy7", "/I", "/NOGUI"},
         4,
         "n input = 0",
         {"*stopped.txt"},
         nullptr},
        // ":" belongs to the name: the user's b.txt and b.dxf stay as they were.
        {"ColonBelongsToTheReportName",
         {"x:b.qy7"},
         nullptr,
         "",
         {"x:b.qy7", "/I", "/NOGUI"},
         0,
         "",
         {"x:b.txt"},
         nullptr,
         {},
         {"b.txt"}},
        {"ColonBelongsToTheCadName",
         {"x:b.qy7"},
         nullptr,
         "",
         {"x:b.qy7", "/CAD1:1"},
         0,
         "",
         {"x:b.dxf"},
         nullptr,
         {},
         {"b.dxf"}},
        // The header's second line names the project file, not the deleted
        // working copy.
        {"ReportHeaderNamesTheProject",
         {"stage.qy7"},
         nullptr,
         "",
         {"stage.qy7", "/I", "/NOGUI"},
         0,
         "",
         {"stage.txt"},
         [](const fs::path& Dir) {
             const std::string report = ReadWholeFile(Dir / "stage.txt");
             EXPECT_EQ(SecondLine(report), fs::canonical(Dir / "stage.qy7").string());
             EXPECT_EQ(report.find("$$$"), std::string::npos);
         }},
        // The dots of ".." are no extension: ".qy7" is added to "stage".
        {"DotDotNameWithoutExtension",
         {"proj/stage.qy7"},
         [](const fs::path& Dir) { fs::create_directories(Dir / "work"); },
         "work",
         {"../proj/stage", "/I", "/NOGUI"},
         0,
         "",
         {"work/stage.txt"},
         stays("proj/stage.qy7")},
        // A folder with a dot in its name neither.
        {"DottedFolderNameWithoutExtension",
         {"v1.2/stage.qy7"},
         nullptr,
         "",
         {"v1.2/stage", "/I", "/NOGUI"},
         0,
         "",
         {"stage.txt"},
         stays("v1.2/stage.qy7")},
        // The completed name does not exist: both names are in the message.
        {"CompletedNameMissing",
         {},
         [](const fs::path& Dir) { fs::create_directories(Dir / "work"); },
         "work",
         {"../proj/stage", "/I", "/NOGUI"},
         1,
         "project file ../proj/stage.qy7 not found or no access (../proj/stage has no extension, .qy7 added)",
         {},
         nullptr},
        // A "\" in the name is a directory separator here: the file of that
        // name is there, but the one looked for is a/b.qy7.
        {"NameHoldingABackslash",
         {"a\\b.qy7"},
         nullptr,
         "",
         {"a\\b.qy7", "/I", "/NOGUI"},
         1,
         "project file a\\b.qy7 not found or no access (\"\\\" is read as a directory separator)",
         {},
         stays("a\\b.qy7")},
        // Without a batch switch a name needs its extension, judged the same way.
        {"InteractiveDotDotNameWithoutExtension",
         {"proj/stage.qy7"},
         [](const fs::path& Dir) { fs::create_directories(Dir / "work"); },
         "work",
         {"../proj/stage", "/NOGUI"},
         2,
         "../proj/stage: extension .qy7 missing",
         {},
         stays("proj/stage.qy7")},
        // A switch the program does not know is named; the run goes on.
        {"UnknownThirdSwitch",
         {"stage.qy7"},
         nullptr,
         "",
         {"stage.qy7", "/I", "/NOGUI", "/X"},
         0,
         "unknown switch /X ignored",
         {"stage.txt"},
         stays("stage.qy7")},
        {"UnknownSecondSwitch",
         {"stage.qy7"},
         nullptr,
         "",
         {"stage.qy7", "-Q", "/NOGUI"},
         0,
         "unknown switch -Q ignored",
         {},
         stays("stage.qy7")},
        {"MistypedNoGuiSwitch",
         {"stage.qy7"},
         nullptr,
         "",
         {"stage.qy7", "/I", "/NOGIU"},
         0,
         "unknown switch /NOGIU ignored",
         {"stage.txt"},
         stays("stage.qy7")},
        {"BatchSwitchAfterAStraySwitch",
         {"stage.qy7"},
         nullptr,
         "",
         {"stage.qy7", "/FOO", "/I", "/NOGUI"},
         0,
         "unknown switch /FOO ignored",
         {"stage.txt"},
         stays("stage.qy7")},
        // The user's links and files named like the report, write probe or table copy.
        {"LinksNamedLikeTheReportAndTheWriteProbe",
         {"stage.qy7"},
         nullptr,
         "",
         {"stage.qy7", "/I"},
         0,
         "",
         {},
         nullptr,
         {"stage.txt", "tables/TEST.$$$"},
         {},
         true},
        {"TablesNotWritableBesideAUsersLifeTable",
         {"stage.qy7"},
         nullptr,
         "",
         {"stage.qy7", "/I"},
         0,
         "",
         {"stage.txt"},
         nullptr,
         {},
         {"qyrlife.dbf"},
         true,
         1},
        // Only the report fails (after the unwritable stand-in folders).
        {"CurrentDirectoryReadOnly",
         {"stage.qy7"},
         nullptr,
         "",
         {"stage.qy7", "/I"},
         4,
         "report file stage.txt could not be written: stage.txt: Permission denied",
         {},
         nullptr,
         {},
         {},
         true,
         2},
        // No configuration names a folder: none is "invalid ... configured".
        {"ReadOnlyWorkingFolderWithoutConfiguration",
         {"stage.qy7"},
         nullptr,
         "",
         {"stage.qy7", "/I"},
         4,
         "report file stage.txt could not be written: stage.txt: Permission denied",
         {},
         nullptr,
         {},
         {},
         false,
         2},
        // The working copy fails first, as in a full temporary folder (the report is some 60 KB).
        {"WorkingCopyCannotGrow",
         {"stage.qy7"},
         nullptr,
         "",
         {"stage.qy7", "/I"},
         4,
         "/$$$1.txt: File too large",
         {},
         nullptr,
         {},
         {},
         false,
         0,
         "",
         1,
         16},
        {"TextAndCadBatchTogether",
         {"stage.qy7"},
         nullptr,
         "",
         {"stage.qy7", "/I", "/CAD1:1"},
         5,
         "/I and /CAD1:1 given together: one run serves one batch mode and writes one file, nothing written",
         {}},
        {"TwoDrawingsTogether",
         {"stage.qy7"},
         nullptr,
         "",
         {"stage.qy7", "/CAD1:1", "-cad2:18"},
         5,
         "/CAD1:1 and -cad2:18 given together",
         {}},
        // The drawing is written, and the run says what cannot be trusted (as /I does).
        {"FatalMessageInTheCadRun",
         {},
         [](const fs::path& D) { WriteWholeFile(D / "x.qy7", WithLine(49, "-1")); },
         "",
         {"x.qy7", "/CAD1:1"},
         6,
         "CAD file x.dxf written, its message list holds: Error : Fatal  : span measure",
         {"x.dxf"},
         nullptr},
        // A whole report with a "Fatal" step: the sun (line 49, x[1]) shifted by -1.
        {"FatalMessageInTheReport",
         {},
         [](const fs::path& D) { WriteWholeFile(D / "x.qy7", WithLine(49, "-1")); },
         "",
         {"x.qy7", "/I"},
         6,
         "report file x.txt written, its message list holds: Error : Fatal  : span measure",
         {"x.txt"},
         nullptr},
        // Without a window and without /I an unreadable project ends the start.
        {"NoWindowGarbageProject",
         {},
         [](const fs::path& D) { WriteWholeFile(D / "bad.qy7", Victim); },
         "",
         {"bad.qy7", "/NOGUI"},
         1,
         "project file bad.qy7 cannot be read",
         {},
         nullptr},
        {"NoWindowFifoProject",
         {},
         [](const fs::path& D) { ::mkfifo((D / "fifo.qy7").c_str(), 0600); },
         "",
         {"fifo.qy7", "/NOGUI"},
         1,
         "not a regular file (a pipe or a device), not read",
         {},
         nullptr},
        // Runs at the same moment with a configured temporary folder and
        // tables they cannot write: each takes its table copies, indexes and
        // report copies into a folder of its own inside it.
        {"TwoRunsAtOnceWithAConfiguredTemporaryFolder",
         {"stage.qy7"},
         SharedTemp(2),
         "r0",
         {"../stage.qy7", "/I"},
         0,
         "",
         {"r0/stage.txt", "r1/stage.txt", "r2/stage.txt"},
         TempLeftAsItWas,
         {},
         {},
         true,
         1,
         "",
         1,
         0,
         2},
        {"ThreeRunsAtOnceWithAConfiguredTemporaryFolder",
         {"stage.qy7"},
         SharedTemp(3),
         "r0",
         {"../stage.qy7", "/I"},
         0,
         "",
         {"r0/stage.txt", "r1/stage.txt", "r2/stage.txt", "r3/stage.txt"},
         TempLeftAsItWas,
         {},
         {},
         true,
         1,
         "",
         1,
         0,
         3},
        // Copies and working copies of another run in the shared folder, under
        // the names a run would give its own, stay untouched and in nobody's way.
        {"AnotherRunsCopiesInTheConfiguredTemporaryFolder",
         {"stage.qy7"},
         SharedTemp(0),
         "r0",
         {"../stage.qy7", "/I"},
         0,
         "",
         {"r0/stage.txt"},
         TempLeftAsItWas,
         {},
         {"temp/qyrlife.dbf", "temp/qyrwst.dbf", "temp/$$$1.txt", "temp/$OUT1.TMP"},
         true,
         1},
        // A signal while a drawing is written: its temporary file goes, no
        // drawing is left, and the run ends as the signal ends it.
        {"InterruptWhileADrawingIsWritten",
         {"stage.qy7"},
         nullptr,
         "",
         {"stage.qy7", "/CAD6:1"},
         128 + SIGINT,
         "",
         {},
         stays("stage.qy7"),
         {},
         {},
         false,
         0,
         "",
         1,
         0,
         0,
         SIGINT,
         "stage.stl"},
        {"TerminateWhileADrawingIsWritten",
         {"stage.qy7"},
         nullptr,
         "",
         {"stage.qy7", "/CAD6:1"},
         128 + SIGTERM,
         "",
         {},
         stays("stage.qy7"),
         {},
         {},
         false,
         0,
         "",
         1,
         0,
         0,
         SIGTERM,
         "stage.stl"},
        {"HangupWhileADrawingIsWritten",
         {"stage.qy7"},
         nullptr,
         "",
         {"stage.qy7", "/CAD6:1"},
         128 + SIGHUP,
         "",
         {},
         stays("stage.qy7"),
         {},
         {},
         false,
         0,
         "",
         1,
         0,
         0,
         SIGHUP,
         "stage.stl"},
        // FIFOs under the names of files the program reads or writes are
        // refused by name at once, instead of holding the run.
        {"FifoForTheRecentProjectsFile",
         {"stage.qy7"},
         [](const fs::path& D) { Fifo(D / "qyr7.cff"); },
         "",
         {"stage.qy7", "/NOGUI"},
         0,
         "qyr7.cff not a regular file (a pipe or a device), not read",
         {},
         nullptr,
         {},
         {},
         true},
        {"FifoForTheLifeTable",
         {"stage.qy7"},
         [](const fs::path& D) { Fifo(D / "tables/qyrlife.dbf"); },
         "",
         {"stage.qy7", "/I"},
         4,
         "calculated: file tables/qyrlife.dbf not a regular file (a pipe or a device), not read",
         {"*stage.txt"},
         nullptr,
         {},
         {},
         true},
        {"FifoForTheMessageHelpFile",
         {},
         [](const fs::path& D) {
             WriteWholeFile(D / "k.qy7", WithLine(79, "2"));
             fs::create_directories(D / "plt");
             Fifo(D / "plt/qyr7.err");
         },
         "",
         {"k.qy7", "/I"},
         0,
         "plt/qyr7.err not a regular file (a pipe or a device), not read",
         {"k.txt"},
         nullptr,
         {},
         {},
         true,
         0,
         "plt/"},
        {"ProjectNameOf250Bytes",
         {std::string(246, 'p') + ".qy7"},
         nullptr,
         "",
         {std::string(246, 'p') + ".qy7", "/I"},
         0,
         "",
         {std::string(246, 'p') + ".txt"},
         nullptr},
        LongNamedDrawing("DxfOfA250ByteName", "1", ".dxf"),
        LongNamedDrawing("IgesOfA250ByteName", "2", ".igs"),
        LongNamedDrawing("TextCadOfA250ByteName", "5", ".txt"),
        LongNamedDrawing("StlOfA250ByteName", "6", ".stl"),
        {"NonAsciiCadSwitch",
         {"stage.qy7"},
         nullptr,
         "",
         {"stage.qy7", "/CAD\xc3\xa9"},
         5,
         "switch /CAD\xc3\xa9 not understood",
         {},
         nullptr},
        // The list keeps its help texts (line 79: two teeth spanned, a warning).
        {"InvalidPlotDirectory",
         {},
         [](const fs::path& D) { WriteWholeFile(D / "k.qy7", WithLine(79, "2")); },
         "",
         {"k.qy7", "/I"},
         0,
         // "invalid PLT Directory configured", then the directory and why.
         "/none/: No such file or directory",
         {"k.txt"},
         [](const fs::path& D) {
             EXPECT_NE(ReadWholeFile(D / "k.txt").find("(S)\tThe number"), std::string::npos);
         },
         {},
         {},
         true,
         0,
         "/none/",
         2},
    };
}

class BatchFiles : public ::testing::TestWithParam<BatchFilesCase>
{
  protected:
    void SetUp() override { dir = FreshDir("files"); }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

} // namespace

TEST_P(BatchFiles, ExitCodeStderrAndFilesLeft)
{
    const BatchFilesCase& c = GetParam();
    SCOPED_TRACE(Describe(c));
    for (const auto& p : c.Projects) {
        fs::create_directories((dir / p).parent_path());
        fs::copy_file(ShippedProject, dir / p);
    }
    if (c.Tables) TablesIn(dir, c.PltDir);
    if (c.Prepare) c.Prepare(dir);
    WriteWholeFile(dir / "victim", Victim);
    for (const auto& l : c.Links)
        fs::create_symlink(dir / "victim", dir / l);
    for (const auto& m : c.Mine)
        WriteWholeFile(dir / m, Victim);
    const auto w = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (c.Locked > 0 && c.Tables) fs::permissions(dir / "tables", w, fs::perm_options::remove);
    if (c.Locked > 0) fs::permissions(dir, fs::perms::all);
    if (c.Locked > 1) fs::permissions(dir, w, fs::perm_options::remove);
    const std::set<std::string> before = FilesBelow(dir);

    const fs::path runIn = c.RunIn.empty() ? dir : dir / c.RunIn;
    const TProgramRun run =
        RunProgram(runIn, c.Args, {}, true, c.Locked > 0, c.FileBlocks, c.Signal, c.SignalAt);
    std::vector<TProgramRun> others(static_cast<std::size_t>(c.AtOnce));
    std::vector<std::thread> atOnce;
    for (int r = 1; r <= c.AtOnce; ++r)
        atOnce.emplace_back([&, r] {
            others[r - 1] = RunProgram(dir / ("r" + std::to_string(r)), c.Args, {}, true, c.Locked > 0);
        });
    for (auto& t : atOnce)
        t.join();
    for (int r = 1; r <= c.AtOnce; ++r) {
        EXPECT_EQ(others[r - 1].ExitCode, c.ExitCode) << "run " << r << ": " << others[r - 1].Err;
        EXPECT_EQ(others[r - 1].Err, "") << "run " << r;
        EXPECT_TRUE(Undated(ReadWholeFile(dir / ("r" + std::to_string(r)) / "stage.txt")) ==
                    Undated(ReadWholeFile(runIn / "stage.txt")))
            << "run " << r << "'s report differs from the single run's";
    }

    EXPECT_EQ(run.ExitCode, c.ExitCode) << run.Err;
    const auto lines = run.ErrLines();
    if (c.ErrPart.empty()) {
        EXPECT_EQ(run.Err, "");
    } else {
        ASSERT_EQ(lines.size(), c.ErrLines) << run.Err;
        EXPECT_NE(lines.back().find(c.ErrPart), std::string::npos) << lines.back();
    }
    // Exactly the expected files were added; a "*" in front marks one that
    // may or may not be written (a fatal run's report).
    std::set<std::string> added;
    for (const auto& f : FilesBelow(dir))
        if (!before.count(f)) added.insert(f);
    for (const auto& f : c.Created) {
        if (f[0] == '*') {
            added.erase(f.substr(1));
            continue;
        }
        EXPECT_TRUE(added.count(f)) << f << " was not written";
        added.erase(f);
    }
    for (const auto& f : added)
        ADD_FAILURE() << "left behind: " << f;
    for (const auto& f : before)
        EXPECT_TRUE(fs::exists(dir / f) || fs::is_symlink(dir / f)) << f << " was deleted";
    for (const auto& f : c.Mine)
        EXPECT_EQ(ReadWholeFile(dir / f), Victim) << f << " was written";
    EXPECT_EQ(ReadWholeFile(dir / "victim"), Victim) << "written through a link";
    if (c.Check) c.Check(dir);
    std::error_code ec; // folders made read-only are opened again for TearDown
    for (const auto& d : {dir / "tables", dir})
        fs::permissions(d, fs::perms::owner_all, fs::perm_options::add, ec);
}

INSTANTIATE_TEST_SUITE_P(Runs, BatchFiles, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<BatchFilesCase>& info) {
                             return info.param.Name;
                         });
