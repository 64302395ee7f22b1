#include "foundation/signalcleanup.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <exception>
#include <fcntl.h>
#include <new>
#include <sys/syscall.h>
#include <ucontext.h>
#include <unistd.h>

namespace
{

constexpr int CleanupSignals[] = {SIGINT, SIGTERM, SIGHUP};

// A few files are open at once at most (a report and its copy, a drawing);
// a name that finds no free slot is simply not taken along.
constexpr int Slots = 16;
constexpr std::size_t NameSize = 4096;

// State of a slot: 0 free, 1 being filled, 2 holds a name the handler
// removes.
std::atomic<int> slotState[Slots];
char slotName[Slots][NameSize];

char runDirName[NameSize];
std::atomic<int> runDirFd{-1};

} // namespace

void EmptyDirectoryTree(int Fd, int Levels)
{
    alignas(8) char buffer[4096];
    for (;;) {
        const long n = ::syscall(SYS_getdents64, Fd, buffer, sizeof buffer);
        if (n <= 0) break;
        for (long pos = 0; pos < n;) {
            // struct linux_dirent64: inode 8, offset 8, record length 2, type 1, name.
            unsigned short length = 0;
            std::memcpy(&length, buffer + pos + 16, sizeof length);
            const char* name = buffer + pos + 19;
            if (std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0 && ::unlinkat(Fd, name, 0) != 0 &&
                buffer[pos + 18] == DT_DIR && Levels > 0) {
                const int sub = ::openat(Fd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
                if (sub >= 0) {
                    EmptyDirectoryTree(sub, Levels - 1);
                    ::close(sub);
                    ::unlinkat(Fd, name, AT_REMOVEDIR);
                }
            }
            pos += length;
        }
    }
}

namespace
{

extern "C" void CleanUpOnSignal(int Signal, siginfo_t*, void* Context)
{
    const int savedErrno = errno;
    // The cleanup runs on the main thread alone: it is the one that holds the
    // signals off while a file is made and not yet marked, which another
    // thread (the toolkit's) knows nothing of. Another thread passes the
    // signal on, where it waits while held off, and leaves the signals to the
    // main thread from now on.
    if (::syscall(SYS_gettid) != ::getpid()) {
        for (const int s : CleanupSignals)
            sigaddset(&static_cast<ucontext_t*>(Context)->uc_sigmask, s);
        ::syscall(SYS_tgkill, ::getpid(), ::getpid(), Signal);
        errno = savedErrno;
        return;
    }
    RemoveMarkedFiles();
    errno = savedErrno;
    std::signal(Signal, SIG_DFL);
    std::raise(Signal);
}

// The line a run out of memory ends with, made while there was memory.
char outOfMemoryLine[256];
int outOfMemoryExit = 1;
std::terminate_handler earlierTerminate = nullptr;

void WriteAll(const char* Text)
{
    for (std::size_t left = std::strlen(Text); left > 0;) {
        const ssize_t n = ::write(STDERR_FILENO, Text, left);
        if (n <= 0) return;
        Text += n;
        left -= static_cast<std::size_t>(n);
    }
}

// Runs in place of the unwinding an exception no one catches would not do:
// the files are taken along, and a run out of memory says so and ends by
// its exit code. Nothing here allocates.
[[noreturn]] void EndOnTerminate()
{
    RemoveMarkedFiles();
    if (std::current_exception()) {
        try {
            throw;
        } catch (const std::bad_alloc& e) {
            WriteAll(outOfMemoryLine);
            WriteAll(e.what());
            WriteAll("\n");
            std::_Exit(outOfMemoryExit);
        } catch (...) {
        }
    }
    if (earlierTerminate != nullptr) earlierTerminate();
    std::abort();
}

void InstallHandlers()
{
    static const bool installed = [] {
        for (const int s : CleanupSignals) {
            struct sigaction old {
            };
            if (::sigaction(s, nullptr, &old) == 0 && old.sa_handler == SIG_IGN)
                continue; // started to ignore it (nohup, a background job)
            struct sigaction act {
            };
            act.sa_sigaction = CleanUpOnSignal;
            act.sa_flags = SA_SIGINFO;
            sigemptyset(&act.sa_mask);
            for (const int other : CleanupSignals)
                sigaddset(&act.sa_mask, other);
            ::sigaction(s, &act, nullptr);
        }
        return true;
    }();
    (void)installed;
}

// Marks Dir as the run's directory (the signals held off by the caller);
// an empty name forgets it.
void MarkHeld(const std::string& Dir)
{
    const int old = runDirFd.exchange(-1);
    if (old >= 0) ::close(old);
    if (Dir.empty() || Dir.size() >= NameSize) return;
    std::memcpy(runDirName, Dir.c_str(), Dir.size() + 1);
    runDirFd.store(::open(runDirName, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

} // namespace

void RemoveMarkedFiles()
{
    for (int i = 0; i < Slots; ++i)
        if (slotState[i].load() == 2) ::unlink(slotName[i]);
    const int fd = runDirFd.exchange(-1);
    if (fd >= 0) {
        // The drawing blocks' store is the one directory inside it.
        EmptyDirectoryTree(fd, 1);
        ::rmdir(runDirName);
    }
}

void SetUpRunSignals()
{
    InstallHandlers();
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
}

void EndOutOfMemoryRuns(const std::string& LineStart, int ExitCode)
{
    std::snprintf(outOfMemoryLine, sizeof outOfMemoryLine, "%s", LineStart.c_str());
    outOfMemoryExit = ExitCode;
    earlierTerminate = std::set_terminate(EndOnTerminate);
}

void HoldCleanupSignals(bool Hold)
{
    sigset_t set;
    sigemptyset(&set);
    for (const int s : CleanupSignals)
        sigaddset(&set, s);
    ::pthread_sigmask(Hold ? SIG_BLOCK : SIG_UNBLOCK, &set, nullptr);
}

TSignalsHeld::TSignalsHeld()
{
    sigset_t set;
    sigemptyset(&set);
    for (const int s : CleanupSignals)
        sigaddset(&set, s);
    ::pthread_sigmask(SIG_BLOCK, &set, &old_);
}

TSignalsHeld::~TSignalsHeld()
{
    // What failed meanwhile keeps its errno for the caller.
    const int savedErrno = errno;
    ::pthread_sigmask(SIG_SETMASK, &old_, nullptr);
    errno = savedErrno;
}

int MakeMarkedTempFile(std::string& Template)
{
    InstallHandlers();
    const TSignalsHeld held;
    const int fd = ::mkstemp(Template.data());
    if (fd < 0 || Template.size() >= NameSize) return fd;
    for (int i = 0; i < Slots; ++i) {
        int expected = 0;
        if (slotState[i].compare_exchange_strong(expected, 1)) {
            std::memcpy(slotName[i], Template.c_str(), Template.size() + 1);
            slotState[i].store(2);
            break;
        }
    }
    return fd;
}

int MakeTempFileBeside(const std::string& Target, std::string& Temp)
{
    const std::size_t slash = Target.rfind('/');
    const std::size_t base = slash == std::string::npos ? 0 : slash + 1;
    // The limit of the target's own directory; where it cannot be read
    // (no such directory: the file made fails and says why) the usual one.
    const long limit = ::pathconf(base == 0 ? "." : Target.substr(0, base).c_str(), _PC_NAME_MAX);
    const std::size_t nameMax = limit > 0 ? static_cast<std::size_t>(limit) : NAME_MAX;
    Temp = Target.size() - base + 7 <= nameMax ? Target + ".XXXXXX" : Target.substr(0, base) + ".$$$XXXXXX";
    return MakeMarkedTempFile(Temp);
}

void UnmarkTempFile(const std::string& Path)
{
    if (Path.empty() || Path.size() >= NameSize) return;
    for (int i = 0; i < Slots; ++i) {
        if (slotState[i].load() != 2 || std::strcmp(slotName[i], Path.c_str()) != 0) continue;
        int expected = 2;
        if (slotState[i].compare_exchange_strong(expected, 1)) {
            slotName[i][0] = '\0';
            slotState[i].store(0);
        }
        return;
    }
}

void UnmarkRunDirectory()
{
    const TSignalsHeld held;
    MarkHeld("");
}

bool MakeMarkedRunDirectory(std::string& Template)
{
    InstallHandlers();
    const TSignalsHeld held;
    if (::mkdtemp(Template.data()) == nullptr) return false;
    MarkHeld(Template);
    return true;
}
