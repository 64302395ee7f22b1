// What runs leave behind when a signal ends them, and how they refuse the files and folders they cannot use.
#include "common/validators.h"
#include "runprogram.h"
#include <csignal>
#include <gtest/gtest.h>
#include <regex>
#include <sys/stat.h>
#include <thread>
namespace fs = std::filesystem;
struct LeftoversCase { // qyr7.cff ("fifo" or "dir"), the configured temporary folder, SIGTERM that many ms
                       // after the
    std::string Name, Cff,
        Temp;          // start, once "now.??????" appears (-1: none; else exit 0 or 143, finished or
    int AfterMs, Exit; // ended by it), a part of stderr; TMPDIR names no folder
    std::string Err = "";
};
std::vector<LeftoversCase> LeftoversCases()
{
    std::vector<LeftoversCase> cases = {
        {"FifoAsSessionFile", "fifo", "temp/", -1, 0,
         "/qyr7.cff not a regular file (a pipe or a device), not read"},
        {"FolderAsSessionFile", "dir", "temp/", -1, 0, "/qyr7.cff is a directory, not read"},
        {"FolderAsHelpFile", "", "temp/", -1, 0, "file plt/qyr7.err is a directory"},
        {"NoSystemTemporaryFolder", "", "", -1, 4, "made in none: No such file or directory"},
        {"TemporaryFolderIsAFile", "", "spectrum.qy7", -1, 4, "made in spectrum.qy7: Not a directory"}};
    for (int ms : {0, 2, 5, 10, 15, 20, 40, 70, 100, 130, 160, 200})
        cases.push_back({"TerminateStlRunAfter" + std::to_string(ms) + "ms", "", "temp/", ms, 0});
    return cases;
}
using BatchLeftovers = ::testing::TestWithParam<LeftoversCase>;
TEST_P(BatchLeftovers, NothingLeftAndEveryRefusalNamed)
{
    const LeftoversCase& c = GetParam();
    const fs::path dir = FreshDir("leftovers"), other = dir / ".config/qyr7/qyr7.cff", cff = dir / "qyr7.cff";
    for (const char* d : {"temp", "plt/qyr7.err", ".config/qyr7"})
        fs::create_directories(dir / d);
    WriteWholeFile(other, "qyr7 Session /elsewhere/\r\n");
    fs::copy_file(fs::path(QYR7_SOURCE_DIR) / "examples/spectrum.qy7", dir / "spectrum.qy7");
    // Items 1 to 24 of a configuration, label "-": the 21st the temporary folder, the 24th the help file's.
    const std::string items =
        "|1|2|2|2|3|2|4|2|5|2|Arial|1|0|||1|1|1|1|N|3|1|J|1|0|0|1024|768|" + c.Temp + "|1||plt/";
    WriteWholeFile(dir / "qyr7.cfg", "qyr7 Configuration\r\nVersion 1.0" +
                                         std::regex_replace(items, std::regex("\\|"), "\r\n-\r\n") + "\r\n");
    if (!c.Cff.empty()) {
        ASSERT_EQ(c.Cff == "dir" ? ::mkdir(cff.c_str(), 0700) : ::mkfifo(cff.c_str(), 0600), 0);
    }
    std::thread now([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(c.AfterMs));
        WriteWholeFile(dir / "now.000000", "");
    });
    const std::vector<std::string> args = {"spectrum.qy7", c.AfterMs < 0 ? "/I" : "/CAD6:1"},
                                   nogui = {"/NOGUI"};
    const TProgramRun run = RunProgram(dir, c.Cff.empty() ? args : nogui, {"TMPDIR=none"}, true, false, 0,
                                       c.AfterMs < 0 ? 0 : SIGTERM, "now");
    now.join();
    EXPECT_TRUE(run.ExitCode == c.Exit || (c.AfterMs >= 0 && run.ExitCode == 128 + SIGTERM)) << run.Err;
    EXPECT_NE(run.Err.find(c.Err), std::string::npos) << run.Err;
    EXPECT_EQ(ReadWholeFile(other), "qyr7 Session /elsewhere/\r\n")
        << "another folder's session read or written";
    EXPECT_TRUE(fs::is_empty(dir / "temp")) << "left: " << fs::directory_iterator(dir / "temp")->path();
    fs::remove_all(dir);
}
INSTANTIATE_TEST_SUITE_P(Runs, BatchLeftovers, ::testing::ValuesIn(LeftoversCases()),
                         [](const ::testing::TestParamInfo<LeftoversCase>& info) { return info.param.Name; });
// Runs ended by a signal in the table directory's write check, whose reader has gone or that reach a limit
// leave the configured temporary and table directories as they were; the plot program gets default signals.
TEST(BatchLeftNothing, DirectoriesAsTheyWereAndExitCode)
{
    const auto npos = std::string::npos;
    const std::string ex = QYR7_SOURCE_DIR "/examples/", gone = "mkfifo p&&exec 4<>p 5>p 4<&-&&rm p&&exec";
    const struct { // inside sh -c: Wrap "$0" "$@" After ("when=": the write check's write follows)
        std::string Wrap, After;
        std::vector<std::string> Args;
        int Exit;
        std::string Err = ""; // a part of standard error
    } cases[] = {
        {"exec strace -o /dev/null -e inject=write:signal=15:when=", "", {ex + "spectrum.qy7", "/I"}, 143},
        {gone, " 2>&5", {ex + "spectrum.qy7", "/I"}, 0},
        {gone, " >&5", {"/?"}, 0},
        {"ulimit -f 8 && exec", "", {ex + "spectrum.qy7", "/CAD1:22"}, 4, "written: File too large"},
        {"ulimit -v 11000 && exec", "", {ex + "industrial.qy7", "/CAD6:22"}, 4, "memory: std::bad_alloc\n"},
        {"exec", "", {ex + "spectrum.qy7", "/CAD4:18"}, 0}};
    const auto listed = [](const fs::path& Dir) {
        std::string files;
        for (const auto& e : fs::directory_iterator(Dir))
            files += e.path().filename().string() + ": " + ReadWholeFile(e) + "\n";
        return files;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Wrap + " wqyr7 " + c.Args.back());
        if (QYR7_SANITIZED && c.Wrap.find("-v") != npos) continue; // the sanitizers cannot start under it
        if (c.Exit == 143 && std::system("strace -V>/dev/null")) QYR7_VALIDATOR_MISSING("strace"); // traced
        const fs::path dir = FreshDir("leftnothing"), tables = dir / "tables/", temp = dir / "temp/";
        for (const fs::path& d : {tables, temp})
            fs::create_directories(d);
        for (const auto& e : fs::directory_iterator(fs::path(QYR7_PROGRAM).parent_path() / "data"))
            if (e.path().extension() == ".dbf") fs::copy_file(e, tables / e.path().filename());
        // Items 1 to 30: the 7th the table directory, the 21st the temporary one, the 30th the plot program.
        const std::string items = "|1|2|2|2|3|2|4|2|5|2|Arial|1|0||" + tables.string() +
                                  "|1|1|1|1|N|3|1|J|1|0|0|1024|768|" + temp.string() +
                                  "|1|||1|60|1.5|0.5||/bin/cp /proc/self/status " + dir.string() + "/s";
        const std::string cfg = std::regex_replace(items, std::regex("\\|"), "\r\n-\r\n");
        WriteWholeFile(dir / "qyr7.cfg", "qyr7 Configuration\r\nVersion 1.0" + cfg + "\r\n");
        const std::string before = listed(tables);
        const std::vector<std::string> env = {"ASAN_OPTIONS=detect_leaks=0"}; // a traced run cannot look
        std::string wrap = c.Wrap, trace, status;
        if (wrap.find("when=") != npos) { // the writes up to the write check's, counted in a traced run
            RunProgram(dir, c.Args, env, true, false, 0, 0, {}, "strace -o t -e trace=write -e signal=none");
            trace = ReadWholeFile(dir / "t");
            trace.erase(std::min(trace.find("DBF Write"), trace.size()));
            wrap += std::to_string(1 + std::count(trace.begin(), trace.end(), '\n'));
        }
        const TProgramRun run = RunProgram(dir, c.Args, env, true, false, 0, 0, {},
                                           "sh -c '" + wrap + " \"$0\" \"$@\"" + c.After + "'");
        // The plot program runs on its own: its copy of its state is waited for (two minutes at most).
        const bool plot = c.Args.back() == "/CAD4:18";
        for (int i = 0; plot && i < 12000 && (status = ReadWholeFile(dir / "s")).find("nonvol") == npos; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_EQ(status.find("SigBlk:\t0000000000000000\nSigIgn:\t0000000000000000\n") != npos, plot)
            << status;
        EXPECT_TRUE(run.ExitCode == c.Exit && run.Err.find(c.Err) != npos) << run.ExitCode << run.Err;
        fs::remove(temp / "korvilt.dxf"); // the plot program's drawing
        EXPECT_TRUE(listed(tables) == before && listed(temp).empty()) << listed(temp);
        EXPECT_EQ(listed(dir).find(".dxf."), npos) << "a partial drawing beside its target";
        fs::remove_all(dir);
    }
}
