// Which shared objects the program maps: a batch run none of the toolkit
// (its libraries cost most of a batch run's time and memory), a start with a
// window the toolkit through the window module. Read from the process's own
// map of loaded objects: for a batch run at its exit, when everything it
// ever loaded is still mapped.
#include "runprogram.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace
{

const fs::path DefaultProject = fs::path(QYR7_SOURCE_DIR) / "examples" / "default.qy7";

struct TChildEnv {
    std::vector<std::string> Args;
    std::vector<std::string> Env;
};

// Starts the program in Dir with stdin, stdout and stderr on /dev/null and
// only the environment given (a traced run under the address sanitizer must
// not start its leak checker: that traces the process itself).
pid_t StartProgram(const fs::path& Dir, const TChildEnv& C, bool Traced)
{
    std::vector<std::string> args = {QYR7_PROGRAM};
    args.insert(args.end(), C.Args.begin(), C.Args.end());
    std::vector<std::string> env = C.Env;
    env.push_back("HOME=" + Dir.string());
    env.push_back("XDG_CONFIG_HOME=" + (Dir / ".config").string());
    env.push_back("XDG_RUNTIME_DIR=" + Dir.string());
    // The window is killed: its private temporary folder goes with Dir.
    env.push_back("TMPDIR=" + Dir.string());
    env.push_back("LC_ALL=C");
    env.push_back("ASAN_OPTIONS=detect_leaks=0");
    if (const char* path = std::getenv("PATH")) env.push_back(std::string("PATH=") + path);
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (auto& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    const int null = ::open("/dev/null", O_RDWR);
    if (null < 0 || ::chdir(Dir.c_str()) != 0) ::_exit(126);
    for (int fd : {0, 1, 2})
        ::dup2(null, fd);
    if (Traced) ::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
    ::execve(argv[0], argv.data(), envp.data());
    ::_exit(127);
}

std::string ReadMaps(pid_t Pid)
{
    return ReadWholeFile(fs::path("/proc") / std::to_string(Pid) / "maps");
}

struct TExitMaps {
    int ExitCode = -1;
    std::string Maps; // empty when the exit was never seen
};

// Runs the program to its end, stopped once at its exit to read its maps.
TExitMaps RunToExit(const fs::path& Dir, const TChildEnv& C)
{
    TExitMaps r;
    const pid_t pid = StartProgram(Dir, C, true);
    int status = 0;
    // The child stops at its exec.
    if (::waitpid(pid, &status, 0) != pid || !WIFSTOPPED(status)) return r;
    ::ptrace(PTRACE_SETOPTIONS, pid, nullptr,
             reinterpret_cast<void*>(PTRACE_O_TRACEEXIT | PTRACE_O_EXITKILL));
    ::ptrace(PTRACE_CONT, pid, nullptr, nullptr);
    while (::waitpid(pid, &status, 0) == pid) {
        if (WIFEXITED(status)) {
            r.ExitCode = WEXITSTATUS(status);
            break;
        }
        if (WIFSIGNALED(status)) break;
        int forward = 0;
        if (status >> 8 == (SIGTRAP | (PTRACE_EVENT_EXIT << 8)))
            r.Maps = ReadMaps(pid);
        else if (WSTOPSIG(status) != SIGTRAP)
            forward = WSTOPSIG(status);
        ::ptrace(PTRACE_CONT, pid, nullptr, reinterpret_cast<void*>(static_cast<long>(forward)));
    }
    return r;
}

// The file names of the toolkit's objects among the maps, up to ".so"
// ("libQt6Widgets.so" for "libQt6Widgets.so.6.4.2").
std::set<std::string> ToolkitObjects(const std::string& Maps)
{
    std::set<std::string> found;
    std::istringstream in(Maps);
    for (std::string line; std::getline(in, line);) {
        const std::size_t slash = line.rfind('/');
        if (slash == std::string::npos) continue;
        std::string file = line.substr(slash + 1);
        const std::size_t so = file.find(".so");
        if (so != std::string::npos) file.resize(so + 3);
        if (file.rfind("libQt", 0) == 0 || file.rfind("wqyr7_qt", 0) == 0 || file.rfind("libicu", 0) == 0)
            found.insert(file);
    }
    return found;
}

std::string Joined(const std::set<std::string>& Names)
{
    std::string s;
    for (const auto& n : Names)
        s += n + " ";
    return s;
}

class ToolkitLoad : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        dir = FreshDir("toolkit");
        fs::copy_file(DefaultProject, dir / "default.qy7");
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

TEST_F(ToolkitLoad, BatchRunsMapNoToolkitLibraryEvenWithADisplayNamed)
{
    struct TCase {
        const char* Name;
        TChildEnv Run;
        const char* Writes;
    };
    const TCase cases[] = {
        {"text batch", {{"default.qy7", "/I", "/NOGUI"}, {}}, "default.txt"},
        // A display named: the batch still opens no window.
        {"text batch with a display",
         {{"default.qy7", "/I"}, {"DISPLAY=:97", "QT_QPA_PLATFORM=xcb"}},
         "default.txt"},
        {"CAD batch", {{"default.qy7", "/CAD1:1"}, {}}, "default.dxf"},
        {"CAD batch refused", {{"default.qy7", "/CAD1:29"}, {}}, nullptr},
        {"usage text", {{"/?"}, {}}, nullptr},
        {"windowless start", {{"default.qy7", "/NOGUI"}, {}}, nullptr},
    };
    for (const auto& c : cases) {
        const TExitMaps r = RunToExit(dir, c.Run);
        ASSERT_FALSE(r.Maps.empty()) << c.Name << ": the exit was not seen";
        EXPECT_NE(r.Maps.find("wqyr7"), std::string::npos) << c.Name << ": not the program's maps";
        EXPECT_EQ(Joined(ToolkitObjects(r.Maps)), "") << c.Name;
        if (c.Writes != nullptr) {
            EXPECT_EQ(r.ExitCode, 0) << c.Name;
            EXPECT_TRUE(fs::exists(dir / c.Writes)) << c.Name;
        }
    }
}

TEST_F(ToolkitLoad, AStartWithAWindowLoadsTheWindowModuleAndRuns)
{
    const pid_t pid = StartProgram(dir, {{"default.qy7"}, {"QT_QPA_PLATFORM=offscreen"}}, false);
    std::set<std::string> objects;
    bool ended = false;
    int status = 0;
    // The window is open when the toolkit's widgets are mapped and the
    // program still runs (its event loop waits for the user).
    for (int i = 0; i < 600 && !ended; ++i) {
        objects = ToolkitObjects(ReadMaps(pid));
        if (objects.count("wqyr7_qt.so") != 0 && objects.count("libQt6Widgets.so") != 0) break;
        ended = ::waitpid(pid, &status, WNOHANG) == pid;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (!ended) {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        ended = ::waitpid(pid, &status, WNOHANG) == pid;
    }
    if (!ended) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
    }
    EXPECT_FALSE(ended) << "the program ended instead of showing its window, status " << status;
    EXPECT_EQ(objects.count("wqyr7_qt.so"), 1u) << Joined(objects);
    EXPECT_EQ(objects.count("libQt6Widgets.so"), 1u) << Joined(objects);
}

} // namespace
