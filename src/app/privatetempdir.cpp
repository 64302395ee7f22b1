#include "app/privatetempdir.h"

#include "foundation/fileutil.h"
#include "foundation/programstate.h"

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/syscall.h>
#include <system_error>
#include <unistd.h>

TPrivateTempDir privatetempdir;

namespace {

// What a signal handler may use: the directory's name in a fixed buffer and
// a descriptor opened beforehand.
char signalDirName[4096];
int signalDirFd = -1;

// A run ended by Ctrl+C, a closed terminal or kill empties and removes the
// directory too, with calls that are safe inside a signal handler, then
// ends as the signal would have ended it.
extern "C" void RemoveOnSignal(int Signal)
{
    if (signalDirFd >= 0) {
        alignas(8) char buffer[4096];
        for (;;) {
            const long n = ::syscall(SYS_getdents64, signalDirFd, buffer, sizeof buffer);
            if (n <= 0)
                break;
            for (long pos = 0; pos < n;) {
                // struct linux_dirent64: inode 8, offset 8, record length 2, type 1, name.
                unsigned short length = 0;
                std::memcpy(&length, buffer + pos + 16, sizeof length);
                const char* name = buffer + pos + 19;
                if (std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0)
                    ::unlinkat(signalDirFd, name, 0);
                pos += length;
            }
        }
        ::rmdir(signalDirName);
    }
    std::signal(Signal, SIG_DFL);
    std::raise(Signal);
}

void RemoveOnSignals(const std::string& Dir)
{
    if (Dir.size() >= sizeof signalDirName)
        return;
    std::memcpy(signalDirName, Dir.c_str(), Dir.size() + 1);
    signalDirFd = ::open(signalDirName, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (const int s : {SIGINT, SIGTERM, SIGHUP})
        if (std::signal(s, RemoveOnSignal) == SIG_IGN)
            std::signal(s, SIG_IGN); // a run started to ignore it goes on ignoring it
}

} // namespace

std::string MakePrivateTempDir()
{
    if (!privatetempdir.Dir.empty())
        return privatetempdir.Dir;
    std::error_code ec;
    const auto base = std::filesystem::temp_directory_path(ec);
    if (ec)
        return {};
    std::string name = (base / "qyr7-XXXXXX").string();
    if (::mkdtemp(name.data()) == nullptr)
        return {};
    privatetempdir.Dir = AddTrailingBackslash(name);
    // Every way out through exit() or the end of main takes it along; the
    // batch end, which leaves by _Exit, removes it itself.
    static const bool registered = std::atexit(RemovePrivateTempDir) == 0;
    (void)registered;
    RemoveOnSignals(name);
    return privatetempdir.Dir;
}

void KeepPrivateTempDir()
{
    if (signalDirFd >= 0)
        ::close(signalDirFd);
    signalDirFd = -1;
    privatetempdir.Dir.clear();
}

void RemovePrivateTempDir()
{
    if (privatetempdir.Dir.empty())
        return;
    if (signalDirFd >= 0)
        ::close(signalDirFd);
    signalDirFd = -1;
    // Mostly the run has taken its working files along already: an empty
    // directory goes with one call, without listing it first.
    const std::string dir = StripTrailingBackslash(privatetempdir.Dir);
    if (::rmdir(dir.c_str()) != 0) {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    if (telmvar.TempDir == privatetempdir.Dir)
        telmvar.TempDir.clear();
    privatetempdir.Dir.clear();
}
