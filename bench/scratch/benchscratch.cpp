#include "benchscratch.h"

#include "foundation/signalcleanup.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace
{

constexpr int ScratchSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGABRT};
constexpr std::size_t NameSize = 4096;

// Set before the handlers, read by them: no allocation on the way out.
char scratchName[NameSize];
std::atomic<int> scratchFd{-1};
struct sigaction earlier[std::size(ScratchSignals)];

void RemoveScratch()
{
    const int fd = scratchFd.exchange(-1);
    if (fd < 0) return;
    // Tables lie in the directory itself; a drawing's directory holds the
    // blocks' store with its files.
    EmptyDirectoryTree(fd, 3);
    ::close(fd);
    ::rmdir(scratchName);
}

extern "C" void RemoveScratchOnSignal(int Signal, siginfo_t* Info, void* Context)
{
    const int savedErrno = errno;
    RemoveScratch();
    errno = savedErrno;
    // Then what the run did before: the program's own cleanup of its
    // marked files, or the signal's default.
    for (std::size_t i = 0; i < std::size(ScratchSignals); ++i) {
        if (ScratchSignals[i] != Signal) continue;
        const struct sigaction& e = earlier[i];
        if ((e.sa_flags & SA_SIGINFO) != 0 && e.sa_sigaction != nullptr) {
            e.sa_sigaction(Signal, Info, Context);
            return;
        }
        if ((e.sa_flags & SA_SIGINFO) == 0 && e.sa_handler != SIG_DFL && e.sa_handler != SIG_IGN) {
            e.sa_handler(Signal);
            return;
        }
    }
    std::signal(Signal, SIG_DFL);
    std::raise(Signal);
}

std::string MakeScratch()
{
    std::error_code ec;
    std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    if (ec) base = "/tmp";
    std::string dir = (base / "qyr7_bench_XXXXXX").string();
    if (dir.size() >= NameSize || ::mkdtemp(dir.data()) == nullptr) return {};
    std::memcpy(scratchName, dir.c_str(), dir.size() + 1);
    // The program's handlers first, so that the ones set here come before
    // them and stay: a report written later does not set them again.
    SetUpRunSignals();
    scratchFd.store(::open(scratchName, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    for (std::size_t i = 0; i < std::size(ScratchSignals); ++i) {
        ::sigaction(ScratchSignals[i], nullptr, &earlier[i]);
        if ((earlier[i].sa_flags & SA_SIGINFO) == 0 && earlier[i].sa_handler == SIG_IGN) continue;
        struct sigaction act {
        };
        act.sa_sigaction = RemoveScratchOnSignal;
        act.sa_flags = SA_SIGINFO;
        sigemptyset(&act.sa_mask);
        ::sigaction(ScratchSignals[i], &act, nullptr);
    }
    std::atexit([] {
        const int fd = scratchFd.exchange(-1);
        if (fd >= 0) ::close(fd);
        std::error_code ignored;
        std::filesystem::remove_all(scratchName, ignored);
    });
    return dir;
}

} // namespace

const std::string& BenchScratchDir()
{
    static const std::string dir = MakeScratch();
    return dir;
}

std::string BenchScratchPath(const std::string& Name)
{
    return BenchScratchDir() + "/" + Name;
}
