// The text batch run as the user starts it, process start to exit:
// "wqyr7 default.qy7 /I /NOGUI" reads the project, calculates the stage and
// writes the whole report. Also the configuration file read and write alone.
#include "app/configio.h"
#include "app/programidentity.h"
#include "foundation/programstate.h"
#include "foundation/programsettings.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

namespace {

fs::path BenchDir(const std::string& Tag)
{
    const fs::path dir = fs::temp_directory_path() / ("qyr7_bench_" + Tag + "_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    return dir;
}

#ifdef QYR7_PROGRAM
void BM_BatchRunDefaultProject(benchmark::State& state)
{
    const fs::path dir = BenchDir("batch");
    fs::copy_file(fs::path(QYR7_SOURCE_DIR) / "examples" / "default.qy7", dir / "default.qy7",
                  fs::copy_options::overwrite_existing);
    const std::string program = QYR7_PROGRAM;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const fs::path previous = fs::current_path();
    fs::current_path(dir);
    char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>("default.qy7"), const_cast<char*>("/I"),
                    const_cast<char*>("/NOGUI"), nullptr};
    for (auto _ : state) {
        pid_t pid = 0;
        if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ) != 0) {
            state.SkipWithError("cannot start the program");
            break;
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the batch run failed");
            break;
        }
        // The batch device numbers its scratch files; keep the directory
        // from filling up.
        state.PauseTiming();
        for (const auto& entry : fs::directory_iterator(dir))
            if (entry.path().filename().string().rfind("$$$", 0) == 0)
                fs::remove(entry.path());
        state.ResumeTiming();
    }
    fs::current_path(previous);
    posix_spawn_file_actions_destroy(&actions);
    fs::remove_all(dir);
}
BENCHMARK(BM_BatchRunDefaultProject)->Unit(benchmark::kMillisecond);
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
