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
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

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
};

std::string Describe(const BatchFilesCase& c)
{
    std::string args;
    for (const auto& a : c.Args)
        args += " " + a;
    return c.Name + ":" + args;
}

void PrintTo(const BatchFilesCase& c, std::ostream* os) { *os << Describe(c); }

// Every regular file and link below Dir, as paths relative to it; the
// configuration home of the run (".config", where a run with the main window
// keeps its session) is not a file of the batch.
std::set<std::string> FilesBelow(const fs::path& Dir)
{
    std::set<std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(Dir)) {
        const std::string rel = fs::relative(e.path(), Dir).generic_string();
        if ((!e.is_directory() || e.is_symlink()) && rel.rfind(".config/", 0) != 0)
            files.insert(rel);
    }
    return files;
}

std::string SecondLine(const std::string& Text)
{
    const auto first = Text.find('\n');
    if (first == std::string::npos)
        return {};
    const auto second = Text.find('\n', first + 1);
    std::string line = Text.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

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
        {"ReportWouldOverwriteTheProject", {"proj.txt"}, nullptr, "", {"proj.txt", "/I", "/NOGUI"}, 4,
         "report file proj.txt is the project file proj.txt itself", {}, stays("proj.txt")},
        // The same file reached through a link in the current directory.
        {"ReportNameLinksToTheProject", {"sub/proj.qy7"},
         [](const fs::path& Dir) { fs::create_symlink("sub/proj.qy7", Dir / "proj.txt"); }, "",
         {"sub/proj.qy7", "/I", "/NOGUI"}, 4, "is the project file sub/proj.qy7 itself", {}, stays("sub/proj.qy7")},
        // A project called *.txt elsewhere: its report beside the current
        // directory is another file and is written.
        {"ProjectNamedTxtInAnotherFolder", {"sub/proj.txt"}, nullptr, "", {"sub/proj.txt", "/I", "/NOGUI"}, 0, "",
         {"proj.txt"}, stays("sub/proj.txt")},
        // The report cannot be copied beside the project: the working copy
        // "$$$1.txt" goes nevertheless.
        {"ReportTargetIsAFolder", {"stage.qy7"}, [](const fs::path& Dir) { fs::create_directories(Dir / "stage.txt"); },
         "", {"stage.qy7", "/I", "/NOGUI"}, 4, "report file stage.txt could not be written", {}, stays("stage.qy7")},
        // A fatal calculation result leaves no working copy either.
        {"FatalStage", {}, [](const fs::path& Dir) { WriteStoppedProject(Dir / "stopped.qy7"); }, "",
         {"stopped.qy7", "/I", "/NOGUI"}, 4, "n input = 0", {"*stopped.txt"}, nullptr},
        // The header's second line names the project file, not the deleted
        // working copy.
        {"ReportHeaderNamesTheProject", {"stage.qy7"}, nullptr, "", {"stage.qy7", "/I", "/NOGUI"}, 0, "",
         {"stage.txt"},
         [](const fs::path& Dir) {
             const std::string report = ReadWholeFile(Dir / "stage.txt");
             EXPECT_EQ(SecondLine(report), fs::canonical(Dir / "stage.qy7").string());
             EXPECT_EQ(report.find("$$$"), std::string::npos);
         }},
        // The dots of ".." are no extension: ".qy7" is added to "stage".
        {"DotDotNameWithoutExtension", {"proj/stage.qy7"}, [](const fs::path& Dir) { fs::create_directories(Dir / "work"); },
         "work", {"../proj/stage", "/I", "/NOGUI"}, 0, "", {"work/stage.txt"}, stays("proj/stage.qy7")},
        // A folder with a dot in its name neither.
        {"DottedFolderNameWithoutExtension", {"v1.2/stage.qy7"}, nullptr, "", {"v1.2/stage", "/I", "/NOGUI"}, 0, "",
         {"stage.txt"}, stays("v1.2/stage.qy7")},
        // The completed name does not exist: both names are in the message.
        {"CompletedNameMissing", {}, [](const fs::path& Dir) { fs::create_directories(Dir / "work"); }, "work",
         {"../proj/stage", "/I", "/NOGUI"}, 1,
         "project file ../proj/stage.qy7 not found or no access (../proj/stage has no extension, .qy7 added)", {},
         nullptr},
        // Without a batch switch a name needs its extension, judged the same way.
        {"InteractiveDotDotNameWithoutExtension", {"proj/stage.qy7"},
         [](const fs::path& Dir) { fs::create_directories(Dir / "work"); }, "work", {"../proj/stage", "/NOGUI"}, 2,
         "../proj/stage: extension .qy7 missing", {}, stays("proj/stage.qy7")},
        // A switch the program does not know is named; the run goes on.
        {"UnknownThirdSwitch", {"stage.qy7"}, nullptr, "", {"stage.qy7", "/I", "/NOGUI", "/X"}, 0,
         "unknown switch /X ignored", {"stage.txt"}, stays("stage.qy7")},
        {"UnknownSecondSwitch", {"stage.qy7"}, nullptr, "", {"stage.qy7", "-Q", "/NOGUI"}, 0,
         "unknown switch -Q ignored", {}, stays("stage.qy7")},
        {"MistypedNoGuiSwitch", {"stage.qy7"}, nullptr, "", {"stage.qy7", "/I", "/NOGIU"}, 0,
         "unknown switch /NOGIU ignored", {"stage.txt"}, stays("stage.qy7")},
    };
}

class BatchFiles : public ::testing::TestWithParam<BatchFilesCase> {
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
    if (c.Prepare)
        c.Prepare(dir);
    const std::set<std::string> before = FilesBelow(dir);

    const TProgramRun run = RunProgram(c.RunIn.empty() ? dir : dir / c.RunIn, c.Args);

    EXPECT_EQ(run.ExitCode, c.ExitCode) << run.Err;
    const auto lines = run.ErrLines();
    if (c.ErrPart.empty()) {
        EXPECT_EQ(run.Err, "");
    } else {
        ASSERT_EQ(lines.size(), 1u) << run.Err;
        EXPECT_NE(lines[0].find(c.ErrPart), std::string::npos) << lines[0];
    }
    // Exactly the expected files were added; a "*" in front marks one that
    // may or may not be written (a fatal run's report).
    std::set<std::string> added;
    for (const auto& f : FilesBelow(dir))
        if (!before.count(f))
            added.insert(f);
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
    if (c.Check)
        c.Check(dir);
}

INSTANTIATE_TEST_SUITE_P(Runs, BatchFiles, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<BatchFilesCase>& info) { return info.param.Name; });
