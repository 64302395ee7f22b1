// What runs leave behind when a signal ends them, and how they refuse the files and folders they cannot use.
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
    if (!c.Cff.empty())
        ASSERT_EQ(c.Cff == "dir" ? ::mkdir(cff.c_str(), 0700) : ::mkfifo(cff.c_str(), 0600), 0);
    std::thread now([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(c.AfterMs)), //
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
