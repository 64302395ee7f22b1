// The batch runs as the user starts them, process start to exit, with the
// peak memory of the process: "wqyr7 default.qy7 /I /NOGUI" reads the
// project, calculates the stage and writes the whole report; "/CAD1:j"
// writes one drawing. Also the configuration file read and write alone.
#include "app/configio.h"
#include "app/programidentity.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"

#include "scratch/benchscratch.h"
#include <benchmark/benchmark.h>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/ptrace.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace
{

fs::path BenchDir(const std::string& Tag)
{
    const fs::path dir =
        fs::path(BenchScratchDir()) / ("qyr7_bench_" + Tag + "_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    return dir;
}

#ifdef QYR7_PROGRAM
// The peak resident size of one run (VmHWM), read at its exit under
// ptrace. A spawned child's ru_maxrss is no measure: it starts from the
// benchmark's own resident size, which the child shares until its exec.
long PeakResidentKb(const std::vector<char*>& Argv)
{
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int null = ::open("/dev/null", O_RDWR);
        for (int fd : {0, 1, 2})
            ::dup2(null, fd);
        ::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
        ::execv(Argv[0], Argv.data());
        ::_exit(127);
    }
    long peak = -1;
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFSTOPPED(status)) return peak;
    ::ptrace(PTRACE_SETOPTIONS, pid, nullptr,
             reinterpret_cast<void*>(PTRACE_O_TRACEEXIT | PTRACE_O_EXITKILL));
    ::ptrace(PTRACE_CONT, pid, nullptr, nullptr);
    while (::waitpid(pid, &status, 0) == pid && WIFSTOPPED(status)) {
        int forward = 0;
        if (status >> 8 == (SIGTRAP | (PTRACE_EVENT_EXIT << 8))) {
            std::ifstream in("/proc/" + std::to_string(pid) + "/status");
            for (std::string line; std::getline(in, line);)
                if (line.rfind("VmHWM:", 0) == 0) peak = std::stol(line.substr(6));
        } else if (WSTOPSIG(status) != SIGTRAP) {
            forward = WSTOPSIG(status);
        }
        ::ptrace(PTRACE_CONT, pid, nullptr, reinterpret_cast<void*>(static_cast<long>(forward)));
    }
    return peak;
}

// One batch run per iteration, process start to exit, in a directory of its
// own. Counters: ChildCPU_ms the user and system time of the run itself
// (the wall time also holds waiting on a loaded machine), PeakRSS_kB its
// peak resident size.
void BatchRun(benchmark::State& state, const std::string& Tag, const std::vector<std::string>& Switches)
{
    const fs::path dir = BenchDir(Tag);
    fs::copy_file(fs::path(QYR7_SOURCE_DIR) / "examples" / "default.qy7", dir / "default.qy7",
                  fs::copy_options::overwrite_existing);
    const std::string program = QYR7_PROGRAM;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const fs::path previous = fs::current_path();
    fs::current_path(dir);
    std::vector<std::string> args = {program, "default.qy7"};
    args.insert(args.end(), Switches.begin(), Switches.end());
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    double cpuMs = 0;
    for (auto _ : state) {
        pid_t pid = 0;
        if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
            state.SkipWithError("cannot start the program");
            break;
        }
        int status = 0;
        struct rusage usage {
        };
        ::wait4(pid, &status, 0, &usage);
        cpuMs += (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                 (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError(("the batch run failed, exit code " +
                                 std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1))
                                    .c_str());
            break;
        }
        // The batch device numbers its scratch files; keep the directory
        // from filling up.
        state.PauseTiming();
        for (const auto& entry : fs::directory_iterator(dir))
            if (entry.path().filename().string().rfind("$$$", 0) == 0) fs::remove(entry.path());
        state.ResumeTiming();
    }
    if (state.iterations() > 0)
        state.counters["ChildCPU_ms"] = cpuMs / static_cast<double>(state.iterations());
    state.counters["PeakRSS_kB"] = static_cast<double>(PeakResidentKb(argv));
    fs::current_path(previous);
    posix_spawn_file_actions_destroy(&actions);
    fs::remove_all(dir);
}

// "wqyr7 default.qy7 /I /NOGUI": the whole report as text.
void BM_BatchRunDefaultProject(benchmark::State& state)
{
    BatchRun(state, "batch", {"/I", "/NOGUI"});
}
BENCHMARK(BM_BatchRunDefaultProject)->Unit(benchmark::kMillisecond);

// "/CAD1:1" the front view with its text, "/CAD1:2" the front elevation of
// the sun's production drawing, as DXF. A drawing not built in yet ends
// with exit code 3 and the benchmark says so.
void BM_CadBatchFrontView(benchmark::State& state)
{
    BatchRun(state, "cad1", {"/CAD1:1"});
}
BENCHMARK(BM_CadBatchFrontView)->Unit(benchmark::kMillisecond);
void BM_CadBatchProductionDrawing(benchmark::State& state)
{
    BatchRun(state, "cad2", {"/CAD1:2"});
}
BENCHMARK(BM_CadBatchProductionDrawing)->Unit(benchmark::kMillisecond);
#endif

void BM_ConfigFileWriteAndRead(benchmark::State& state)
{
    const fs::path dir = BenchDir("cfg");
    InitProgramIdentity();
    ResetConfigio();
    configio.FallbackDirs.clear();
    wtelmvar.ConfigDir = dir.string() + "/";
    for (auto _ : state) {
        telmvar.Aborted = false;
        WriteConfigFile();
        ReadConfigFile();
        benchmark::DoNotOptimize(telmvar.LinesPerPage);
    }
    fs::remove_all(dir);
}
BENCHMARK(BM_ConfigFileWriteAndRead)->Unit(benchmark::kMicrosecond);

} // namespace
