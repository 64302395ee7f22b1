// Batch runs given damaged input or a place they cannot write fail with their cause on standard error.
#include "runprogram.h"

#include <gtest/gtest.h>

#include <functional>

namespace fs = std::filesystem;

namespace {

// The shipped industrial project as p.qy7, its line Line (1-based) replaced by Text when Line > 0.
std::function<void(const fs::path&)> Project(int Line = 0, std::string Text = {})
{
    return [=](const fs::path& Dir) {
        std::string all = ReadWholeFile(fs::path(QYR7_SOURCE_DIR) / "examples" / "industrial.qy7");
        std::size_t at = 0;
        for (int l = 1; l < Line; ++l)
            at = all.find("\r\n", at) + 2;
        WriteWholeFile(Dir / "p.qy7", Line > 0 ? all.replace(at, all.find("\r\n", at) - at, Text) : all);
    };
}

// The industrial project, and a configuration whose temporary directory "nodir/" does not exist.
void MissingTemporaryDirectory(const fs::path& Dir)
{
    Project()(Dir);
    std::string cfg = "qyr7 Configuration|Version 1.0|";
    for (int l = 1; l <= 5; ++l)
        cfg += "Layer|" + std::to_string(l) + "|Colour|2|";
    cfg += "Text font CAD|Arial|Textwidth/height CAD|1|Font angle|0|CAD Directory||DBF Directory||Help level|1|"
           "Printer interface|1|Printer type|1|Printing density|1|Rotate Hardcopy ?|N|Digits for floating point "
           "numbers|3|Printing density vertical|1|Color graphics|J|X-Factor for graphic extension|1|Graph mode|0|"
           "Graph driver|0|Horizontal Pixels|1024|Vertical Pixels|768|temporary directory|nodir/|";
    for (std::size_t bar; (bar = cfg.find('|')) != std::string::npos;)
        cfg.replace(bar, 1, "\r\n");
    WriteWholeFile(Dir / "qyr7.cfg", cfg);
}

struct CauseCase {
    const char* Name;
    std::function<void(const fs::path&)> Prepare;
    std::vector<std::string> Args;
    int ExitCode;
    std::vector<std::string> Tail; // the last lines on standard error hold these parts, in this order
    std::size_t Lines = 0;         // lines on standard error in all (0: any; none without a Tail)
    int FileBlocks = 0;            // largest file written, in 512-byte blocks
    bool ReadOnly = false;         // the run's directory not writable
};

const CauseCase Cases[] = {
    // Line 433: the designation of planet bearing 1; 8: the input speed; 14: the sun's name (a tab is taken).
    {"NulInAProjectLine", Project(433, std::string(2, '\0')), {"p.qy7", "/I"}, 1,
     {"p.qy7 line 433: control character 0x00 in column 1"}, 1},
    {"EscapeInANumberLine", Project(8, "100\x1b"), {"p.qy7", "/I"}, 1,
     {"p.qy7 line 8: control character 0x1B in column 4"}, 1},
    {"TabInATextLine", Project(14, "S\tun"), {"p.qy7", "/I"}, 0, {}, 0},
    {"RepeatedCadSwitch", Project(), {"p.qy7", "/CAD1:1", "/cad1:1"}, 0,
     {"switch /cad1:1 repeated, done once"}, 1},
    {"RepeatedTextSwitch", Project(), {"p.qy7", "/I", "/I", "/NOGUI"}, 0,
     {"switch /I repeated, done once"}, 1},
    {"TemporaryDirectoryMissing", MissingTemporaryDirectory, {"p.qy7", "/I"}, 4,
     {"invalid temporary directory configured: nodir/: No such file or directory", "p.txt could not be written"}},
    // 4 KB: a block file of the drawing is the first to fail.
    {"StlBlockFileFull", Project(), {"p.qy7", "/CAD6:1"}, 4,
     {".dx$ cannot be written: File too large; p.stl not written"}, 1, 8},
    {"StlIntoReadOnlyDirectory", Project(), {"p.qy7", "/CAD6:1"}, 4,
     {"file p.stl cannot be written: Permission denied"}, 1, 0, true},
};

} // namespace

TEST(BatchCauses, ExitCodeAndCauseOnStandardError)
{
    for (const CauseCase& c : Cases) {
        SCOPED_TRACE(c.Name);
        const fs::path dir = FreshDir("causes");
        c.Prepare(dir);
        if (c.ReadOnly)
            fs::permissions(dir, fs::perms::owner_write | fs::perms::group_write, fs::perm_options::remove);
        const TProgramRun run = RunProgram(dir, c.Args, {}, true, c.ReadOnly, c.FileBlocks);
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir);
        EXPECT_EQ(run.ExitCode, c.ExitCode) << run.Err;
        const auto lines = run.ErrLines();
        ASSERT_GE(lines.size(), c.Tail.size()) << run.Err;
        if (c.Lines > 0 || c.Tail.empty())
            EXPECT_EQ(lines.size(), c.Lines) << run.Err;
        for (std::size_t k = 0; k < c.Tail.size(); ++k)
            EXPECT_NE(lines[lines.size() - c.Tail.size() + k].find(c.Tail[k]), std::string::npos) << run.Err;
    }
}
