#include "platform/posix/launcher_posix.h"

#include "platform/codepage.h"

#include <cstdio>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

namespace platform
{

namespace
{

bool IsExecutableFile(const std::string& path)
{
    struct stat st {
    };
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

LaunchResult Failure(int error, std::string message)
{
    return {false, error, std::move(message)};
}

std::string ErrorText(int error)
{
    // In the locale's character set: a message is UTF-8 where it holds names.
    return LocaleTextToUtf8(std::generic_category().message(error));
}

bool LooksLikeUrl(const std::string& document)
{
    return document.find("://") != std::string::npos || document.rfind("mailto:", 0) == 0;
}

// What this program set for itself (broken pipes and oversized files
// ignored, its ending signals handled or held off) is not the started
// program's business: it runs with every signal at its default and none
// blocked. Only calls safe between fork and exec; the kernel's own call,
// as the C library refuses to touch the two signals it keeps for itself,
// which a start through posix_spawn (system(), a launcher) leaves ignored.
void DefaultSignals()
{
    const unsigned long byDefault[8] = {}; // SIG_DFL, no flags, no mask on every platform
    for (int s = 1; s < NSIG; ++s)
        syscall(SYS_rt_sigaction, s, byDefault, nullptr, NSIG / 8);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
}

// fork with every signal held off around it: no handler of this program
// runs in the child before DefaultSignals.
pid_t ForkSignalsHeld()
{
    sigset_t all;
    sigset_t before;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &before);
    const pid_t child = fork();
    if (child != 0) pthread_sigmask(SIG_SETMASK, &before, nullptr);
    return child;
}

} // namespace

std::string FindExecutable(const std::string& program)
{
    if (program.empty()) return {};
    if (program.find('/') != std::string::npos) return IsExecutableFile(program) ? program : std::string();
    const char* pathEnv = std::getenv("PATH");
    std::string path = pathEnv ? pathEnv : "/usr/local/bin:/usr/bin:/bin";
    std::string::size_type start = 0;
    for (;;) {
        auto end = path.find(':', start);
        std::string dir = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (dir.empty()) dir = ".";
        std::string candidate = dir + "/" + program;
        if (IsExecutableFile(candidate)) return candidate;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return {};
}

LaunchResult LauncherImplPosix::StartProgram(const std::string& program,
                                             const std::vector<std::string>& arguments)
{
    if (program.empty()) return Failure(EINVAL, "no program given to start");
    // The search happens here, before the fork, so that the child only has
    // to exec and a missing program is reported with its name.
    std::string executable = FindExecutable(program);
    if (executable.empty()) {
        struct stat st {
        };
        int error =
            (program.find('/') != std::string::npos && stat(program.c_str(), &st) == 0) ? EACCES : ENOENT;
        return Failure(error, "program " + program + " not found or not executable");
    }

    std::vector<std::string> argStrings;
    argStrings.reserve(arguments.size() + 1);
    argStrings.push_back(program);
    argStrings.insert(argStrings.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& a : argStrings)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    // The exec's error comes back through a pipe that closes on a successful
    // exec; the started program is a grandchild, so it is never left as a
    // zombie and the program does not wait for it.
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) {
        int error = errno;
        return Failure(error, "cannot start " + program + ": " + ErrorText(error));
    }
    int devNull = open("/dev/null", O_RDONLY | O_CLOEXEC);

    pid_t child = ForkSignalsHeld();
    if (child < 0) {
        int error = errno;
        close(pipeFds[0]);
        close(pipeFds[1]);
        if (devNull >= 0) close(devNull);
        return Failure(error, "cannot start " + program + ": " + ErrorText(error));
    }
    if (child == 0) {
        close(pipeFds[0]);
        setsid();
        pid_t grandchild = fork();
        if (grandchild != 0) {
            if (grandchild < 0) {
                int error = errno;
                (void)!write(pipeFds[1], &error, sizeof error);
            }
            _exit(0);
        }
        // A started program must not read the terminal of a batch run.
        if (devNull >= 0) dup2(devNull, STDIN_FILENO);
        DefaultSignals();
        execv(executable.c_str(), argv.data());
        int error = errno;
        (void)!write(pipeFds[1], &error, sizeof error);
        _exit(127);
    }

    close(pipeFds[1]);
    if (devNull >= 0) close(devNull);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t got;
    do {
        got = read(pipeFds[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    close(pipeFds[0]);
    if (got == static_cast<ssize_t>(sizeof error))
        return Failure(error, "cannot start " + program + ": " + ErrorText(error));
    return {true, 0, {}};
}

LaunchResult LauncherImplPosix::OpenDocument(const std::string& document)
{
    if (document.empty()) return Failure(EINVAL, "no document given to open");
    if (!LooksLikeUrl(document)) {
        struct stat st {
        };
        if (stat(document.c_str(), &st) != 0) return Failure(ENOENT, "file " + document + " not found");
    }
    if (FindExecutable("xdg-open").empty())
        return Failure(ENOENT, "no program to open " + document + " (xdg-open is not installed)");
    return StartProgram("xdg-open", {document});
}

bool LauncherImplPosix::HasApplicationFor(const std::string& mimeType)
{
    // Only the characters of MIME type names are let through: ASCII letters
    // and digits by their bytes, as the user's locale would let a Latin-1
    // letter pass as alphanumeric.
    for (char c : mimeType) {
        const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!(alnum || c == '/' || c == '-' || c == '.' || c == '+')) return false;
    }
    const std::string program = FindExecutable("xdg-mime");
    if (mimeType.empty() || program.empty()) return false;
    // xdg-mime query default <type>, its answer read from a pipe, its
    // complaints dropped.
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) return false;
    const int devNull = open("/dev/null", O_RDWR | O_CLOEXEC);
    std::string words[] = {program, "query", "default", mimeType};
    char* argv[] = {words[0].data(), words[1].data(), words[2].data(), words[3].data(), nullptr};
    const pid_t child = ForkSignalsHeld();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        for (const int fd : {STDIN_FILENO, STDERR_FILENO})
            if (devNull >= 0) dup2(devNull, fd);
        DefaultSignals();
        execv(program.c_str(), argv);
        _exit(127);
    }
    const bool started = child > 0;
    close(out[1]);
    if (devNull >= 0) close(devNull);
    char first = '\0';
    ssize_t got = 0;
    do {
        got = started ? read(out[0], &first, 1) : 0;
    } while (got < 0 && errno == EINTR);
    close(out[0]);
    int status = 0;
    while (started && waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return got == 1 && first != '\n' && first != '\0';
}

} // namespace platform
