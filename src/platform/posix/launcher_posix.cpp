#include "platform/posix/launcher_posix.h"

#include "platform/codepage.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>
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

// The words as execv takes them: their C strings and a null after them.
std::vector<char*> ArgvOf(std::vector<std::string>& words)
{
    std::vector<char*> argv;
    for (auto& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    return argv;
}

// The child's last step: the program, or its errno written to the report
// pipe (which a successful exec closes) and the child's end.
[[noreturn]] void ExecOrReport(const std::string& executable, char* const* argv, int reportFd)
{
    DefaultSignals();
    execv(executable.c_str(), argv);
    const int error = errno;
    (void)!write(reportFd, &error, sizeof error);
    _exit(127);
}

// The longest a desktop helper (xdg-open, xdg-mime) is waited for, and the
// most of each of its outputs that is kept for a message.
constexpr int WatchMilliseconds = 3000;
constexpr std::size_t PrintedLimit = 2048;

struct Watched {
    int Error = 0;      // errno when it could not be started
    bool Ended = false; // it ended within the wait, as Status says
    int Status = 0;
    std::string Out, Err; // what it printed, the first PrintedLimit bytes of each
    bool Cut = false;     // it printed more than that
};

// Reads what the open pipes hold now into the texts (none: dropped), at
// most a pipe's fill of each, so that a writer faster than this does not
// hold it; a pipe at its end is closed and set to -1.
void ReadAvailable(int (&fds)[2], std::string* const (&texts)[2], bool& cut)
{
    char buffer[4096];
    for (int i = 0; i < 2; ++i)
        for (int reads = 0; fds[i] >= 0 && reads < 16; ++reads) {
            const ssize_t got = read(fds[i], buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0 && errno == EAGAIN) break;
            if (got <= 0) {
                close(fds[i]);
                fds[i] = -1;
            } else if (texts[i] != nullptr) {
                const std::size_t room = PrintedLimit - std::min(PrintedLimit, texts[i]->size());
                texts[i]->append(buffer, std::min(room, static_cast<std::size_t>(got)));
                cut = cut || static_cast<std::size_t>(got) > room;
            }
        }
}

int PollInput(int (&fds)[2], int milliseconds)
{
    pollfd watched[2];
    nfds_t count = 0;
    for (const int fd : fds)
        if (fd >= 0) watched[count++] = {fd, POLLIN, 0};
    return poll(watched, count, milliseconds);
}

// Whatever still holds the pipes (the helper past its wait, or a program it
// left running with them) may go on writing: that is read on and dropped, so
// that no write of it meets a closed pipe, and the helper is reaped when it
// ends. Nobody waits for that.
void DrainAndReap(pid_t child, int out, int err)
{
    const auto drain = [child, out, err] {
        int fds[2] = {out, err};
        std::string* const none[2] = {nullptr, nullptr};
        bool cut = false;
        bool reaped = child <= 0;
        while (!reaped || fds[0] >= 0 || fds[1] >= 0) {
            PollInput(fds, 200);
            ReadAvailable(fds, none, cut);
            int status = 0;
            const pid_t r = reaped ? 0 : waitpid(child, &status, WNOHANG);
            reaped = reaped || r == child || (r < 0 && errno == ECHILD);
        }
    };
    try {
        std::thread(drain).detach();
    } catch (const std::system_error&) {
        // No thread to be had: the pipes are let go, the helper is left.
        for (const int fd : {out, err})
            if (fd >= 0) close(fd);
    }
}

// Runs a helper with the words as its arguments (the first its name), its
// input empty and its outputs caught, and waits until it ends, but not
// longer than WatchMilliseconds.
Watched RunWatched(const std::string& executable, std::vector<std::string> words)
{
    Watched run;
    const std::vector<char*> argv = ArgvOf(words);
    int out[2] = {-1, -1};
    int err[2] = {-1, -1};
    int report[2] = {-1, -1};
    const int devNull = open("/dev/null", O_RDONLY | O_CLOEXEC);
    const bool piped =
        pipe2(out, O_CLOEXEC) == 0 && pipe2(err, O_CLOEXEC) == 0 && pipe2(report, O_CLOEXEC) == 0;
    run.Error = piped ? 0 : errno;
    const pid_t child = piped ? ForkSignalsHeld() : -1;
    if (piped && child < 0) run.Error = errno;
    if (child == 0) {
        setsid();
        if (devNull >= 0) dup2(devNull, STDIN_FILENO);
        dup2(out[1], STDOUT_FILENO);
        dup2(err[1], STDERR_FILENO);
        ExecOrReport(executable, argv.data(), report[1]);
    }
    for (const int fd : {out[1], err[1], report[1], devNull})
        if (fd >= 0) close(fd);
    int fds[2] = {out[0], err[0]};
    // The exec's error, if any: the pipe closes on a successful exec.
    ssize_t got = 0;
    int error = 0;
    while (child > 0 && (got = read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    if (report[0] >= 0) close(report[0]);
    if (got == static_cast<ssize_t>(sizeof error)) {
        run.Error = error;
        while (waitpid(child, &run.Status, 0) < 0 && errno == EINTR) {
        }
    }
    if (run.Error != 0) {
        for (const int fd : fds)
            if (fd >= 0) close(fd);
        return run;
    }
    for (const int fd : fds)
        fcntl(fd, F_SETFL, O_NONBLOCK);
    std::string* const texts[2] = {&run.Out, &run.Err};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(WatchMilliseconds);
    for (;;) {
        const pid_t r = waitpid(child, &run.Status, WNOHANG);
        run.Ended = r == child || (r < 0 && errno == ECHILD);
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (run.Ended || left.count() <= 0) break;
        PollInput(fds, static_cast<int>(std::min<std::chrono::milliseconds::rep>(left.count(), 20)));
        ReadAvailable(fds, texts, run.Cut);
    }
    ReadAvailable(fds, texts, run.Cut);
    if (!run.Ended || fds[0] >= 0 || fds[1] >= 0) DrainAndReap(run.Ended ? -1 : child, fds[0], fds[1]);
    return run;
}

std::string Number(int value)
{
    char text[16];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

// What a helper printed, for a message that is one line: its lines parted
// by "; ", other control characters as blanks, empty lines and trailing
// blanks dropped.
std::string PrintedText(const std::string& printed)
{
    std::string text;
    std::string line;
    for (const char c : LocaleTextToUtf8(printed) + "\n") {
        if (c != '\n') {
            line += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? ' ' : c;
            continue;
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        if (!line.empty()) text += (text.empty() ? "" : "; ") + line;
        line.clear();
    }
    return text;
}

// How a helper that ended ended, and what it printed: " ended with exit
// status 3: " and the printed lines.
std::string EndText(const Watched& run)
{
    const std::string how = WIFSIGNALED(run.Status)
                                ? " was ended by signal " + Number(WTERMSIG(run.Status))
                                : " ended with exit status " + Number(WEXITSTATUS(run.Status));
    std::string printed = PrintedText(run.Out);
    const std::string err = PrintedText(run.Err);
    if (!printed.empty() && !err.empty()) printed += "; ";
    printed += err;
    if (run.Cut) printed += " ...";
    return printed.empty() ? how : how + ": " + printed;
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
    const std::vector<char*> argv = ArgvOf(argStrings);

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
        ExecOrReport(executable, argv.data(), pipeFds[1]);
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
    const std::string opener = FindExecutable("xdg-open");
    if (opener.empty())
        return Failure(ENOENT, "no program to open " + document + " (xdg-open is not installed)");
    // The opener says with its exit status whether the desktop has a program
    // for the file; one that has not returned by then is taken to run it.
    const Watched run = RunWatched(opener, {"xdg-open", document});
    if (run.Error != 0) return Failure(run.Error, "cannot start xdg-open: " + ErrorText(run.Error));
    if (!run.Ended || (WIFEXITED(run.Status) && WEXITSTATUS(run.Status) == 0)) return {true, 0, {}};
    return Failure(0, "xdg-open" + EndText(run));
}

LaunchResult LauncherImplPosix::FindApplicationFor(const std::string& mimeType)
{
    // Only the characters of MIME type names are let through: ASCII letters
    // and digits by their bytes, as the user's locale would let a Latin-1
    // letter pass as alphanumeric.
    for (char c : mimeType) {
        const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!(alnum || c == '/' || c == '-' || c == '.' || c == '+'))
            return Failure(EINVAL, "not a document type: " + mimeType);
    }
    if (mimeType.empty()) return Failure(EINVAL, "no document type given");
    const std::string program = FindExecutable("xdg-mime");
    if (program.empty())
        return Failure(ENOENT, "no program known for " + mimeType + " documents (xdg-mime is not installed)");
    // xdg-mime query default <type> answers with the program's entry.
    const std::string query = "xdg-mime query default " + mimeType;
    const Watched run = RunWatched(program, {"xdg-mime", "query", "default", mimeType});
    if (run.Error != 0) return Failure(run.Error, "cannot start xdg-mime: " + ErrorText(run.Error));
    if (!run.Ended) return Failure(ETIMEDOUT, query + " gave no answer");
    if (!WIFEXITED(run.Status) || WEXITSTATUS(run.Status) != 0) return Failure(0, query + EndText(run));
    const bool named = !run.Out.empty() && run.Out[0] != '\n' && run.Out[0] != '\0';
    if (!named) return Failure(0, "the desktop names no program for " + mimeType + " documents");
    return {true, 0, {}};
}

} // namespace platform
