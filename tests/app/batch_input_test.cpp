// Damaged or foreign input named on the batch command line: the run stops
// with exit code 1 and one line on standard error that names the file, the
// line and the reason; the project stays as it was and no report is written.
// A pipe or a device named as the project must not hang the run.
#include "runprogram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <vector>

namespace fs = std::filesystem;

namespace
{

const fs::path DefaultProject = fs::path(QYR7_SOURCE_DIR) / "examples" / "default.qy7";

std::string Quoted(const std::string& S)
{
    std::string q = "'";
    for (char c : S)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// As RunProgram, but killed after Seconds: a run that waits on a pipe must
// fail the test, not hang it. Exit code 137 (killed) tells it apart.
TProgramRun RunWithTimeout(const fs::path& Dir, const std::vector<std::string>& Args, int Seconds)
{
    const fs::path out = Dir / ".run_out";
    const fs::path err = Dir / ".run_err";
    std::string command =
        "cd " + Quoted(Dir.string()) +
        " && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME=" + Quoted(Dir.string()) +
        " XDG_CONFIG_HOME=" + Quoted((Dir / ".config").string()) + " timeout -s KILL " +
        std::to_string(Seconds) + " " + Quoted(QYR7_PROGRAM);
    for (const auto& a : Args)
        command += " " + Quoted(a);
    command += " >" + Quoted(out.string()) + " 2>" + Quoted(err.string()) + " </dev/null";
    const int status = std::system(command.c_str());
    TProgramRun run;
    run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.Out = ReadWholeFile(out);
    run.Err = ReadWholeFile(err);
    fs::remove(out);
    fs::remove(err);
    return run;
}

std::vector<std::string> CrLfLines(const std::string& Text)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < Text.size()) {
        const auto end = Text.find("\r\n", pos);
        lines.push_back(Text.substr(pos, end - pos));
        pos = end == std::string::npos ? Text.size() : end + 2;
    }
    return lines;
}

std::string JoinCrLf(const std::vector<std::string>& Lines)
{
    std::string text;
    for (const auto& l : Lines)
        text += l + "\r\n";
    return text;
}

class BatchInput : public ::testing::Test
{
  protected:
    void SetUp() override { dir = FreshDir("batchinput"); }
    void TearDown() override { fs::remove_all(dir); }

    // The run failed as a refused project does, with one line naming Part.
    void ExpectRefused(const TProgramRun& Run, const std::string& Part, const std::string& Project)
    {
        EXPECT_EQ(Run.ExitCode, 1) << Run.Err;
        const auto lines = Run.ErrLines();
        ASSERT_EQ(lines.size(), 1u) << Run.Err;
        EXPECT_NE(lines[0].find("project file " + Project + " cannot be read: "), std::string::npos)
            << lines[0];
        EXPECT_NE(lines[0].find(Part), std::string::npos) << lines[0];
        std::vector<std::string> reports;
        for (const auto& e : fs::directory_iterator(dir))
            if (e.path().extension() == ".txt") reports.push_back(e.path().filename().string());
        EXPECT_TRUE(reports.empty()) << "no report and no working copy is left: " << reports.front();
    }

    fs::path dir;
};

// One line of the shipped example changed to a value no gearbox has.
TEST_F(BatchInput, ValuesOutsideTheirRangeRefuseTheProject)
{
    const auto good = CrLfLines(ReadWholeFile(DefaultProject));
    const int header = 7;
    const int bearing1 = static_cast<int>(std::find(good.begin(), good.end(), "Lager 1") - good.begin()) + 1;
    ASSERT_LT(bearing1, static_cast<int>(good.size()));
    struct Case {
        int line;
        const char* text;
        const char* reason;
    };
    const Case cases[] = {
        {header + 1, "1e4000", "nIn 1e4000 outside -1e+06 .. 1e+06"},
        {header + 41, "2147483647", "z[1] 2147483647 outside 2 .. 5000"},
        {header + 49, "1e-7", "b[1] 1e-07 neither 0 nor at least 0.01 in size"},
        {header + 65, "-2147483649", "SigmaHlim[1] -2147483649 outside 0.001 .. 100000"},
        {header + 218, "10000000", "qp 10000000 outside 1 .. 100"},
        {header + 266, "JA", "J, N or Y expected"},
        {bearing1 + 5, "abc", "number expected"},
        {bearing1 + 1, "65537", "planet bearing 1: BearingType 65537 outside 1 .. 10"},
    };
    const std::string original = JoinCrLf(good);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.line) + " " + c.text);
        std::vector<std::string> lines = good;
        lines[c.line - 1] = c.text;
        const std::string bad = JoinCrLf(lines);
        WriteWholeFile(dir / "bad.qy7", bad);
        const TProgramRun run = RunWithTimeout(dir, {"bad.qy7", "/I", "/NOGUI"}, 120);
        ExpectRefused(run, "file bad.qy7 line " + std::to_string(c.line) + ": " + c.reason + " !", "bad.qy7");
        EXPECT_EQ(ReadWholeFile(dir / "bad.qy7"), bad) << "the project stays as it was";
    }
}

// A FIFO, a device and a file far larger than any project are refused at
// once, each saying why; before, the FIFO blocked the run for ever and
// /dev/zero ate the memory.
TEST_F(BatchInput, PipesDevicesAndHugeFilesAreNoProjects)
{
    ASSERT_EQ(::mkfifo((dir / "fifo.qy7").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir / "zero.qy7");
    std::string big = ReadWholeFile(DefaultProject);
    big.resize(std::size_t{2} << 20, ' ');
    WriteWholeFile(dir / "big.qy7", big);
    const std::pair<const char*, const char*> cases[] = {
        {"fifo.qy7", "not a regular file (a pipe or a device), not read"},
        {"zero.qy7", "not a regular file (a pipe or a device), not read"},
        {"big.qy7", "larger than 1048576 bytes, more than any file of this kind holds, not read"},
    };
    for (const auto& [name, reason] : cases) {
        SCOPED_TRACE(name);
        const TProgramRun run = RunWithTimeout(dir, {name, "/I", "/NOGUI"}, 120);
        ASSERT_NE(run.ExitCode, 137) << "the run hung and was killed";
        ExpectRefused(run, reason, name);
    }
}

} // namespace
