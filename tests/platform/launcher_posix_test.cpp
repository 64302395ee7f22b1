#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <unistd.h>

#include "common/tempdir.h"
#include "common/testlocales.h"
#include "platform/posix/launcher_posix.h"

using namespace platform;
namespace fs = std::filesystem;

namespace
{

// The started program runs on its own; wait until it has written its file.
std::string WaitForFile(const fs::path& file)
{
    for (int i = 0; i < 200; ++i) {
        std::error_code ec;
        if (fs::exists(file, ec) && fs::file_size(file, ec) > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            std::ifstream in(file);
            std::stringstream s;
            s << in.rdbuf();
            return s.str();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return {};
}

} // namespace

TEST(PosixLauncher, AMissingProgramIsAClearFailure)
{
    LauncherImplPosix launcher;
    struct Case {
        const char* program;
        int error;
    } cases[] = {
        {"qyr7-no-such-program-here", ENOENT},
        {"/nonexistent/dir/plot", ENOENT},
        {"", EINVAL},
    };
    for (const auto& c : cases) {
        LaunchResult r = launcher.StartProgram(c.program, {"a"});
        EXPECT_FALSE(r.Started) << c.program;
        EXPECT_EQ(r.ErrorCode, c.error) << c.program;
        EXPECT_FALSE(r.Message.empty()) << c.program;
        if (*c.program) {
            EXPECT_NE(r.Message.find(c.program), std::string::npos) << r.Message;
        }
    }
}

TEST(PosixLauncher, AFileTheSystemCannotRunIsRefusedWithItsReason)
{
    // Without execute permission the search already refuses it; executable
    // but no program the system can run, the search passes and only the exec
    // in the child fails, which must still reach the caller.
    struct Case {
        const char* name;
        const char* content;
        fs::perms perms;
        int error;
    };
    const testdirs::ScopedTempDir scratch("launch");
    for (const Case& c :
         {Case{"plain.sh", "#!/bin/sh\nexit 0\n", fs::perms::owner_read | fs::perms::owner_write, EACCES},
          Case{"notaprogram", "plain text, no interpreter line\n", fs::perms::owner_all, ENOEXEC}}) {
        const fs::path file = fs::path(scratch.Path()) / c.name;
        std::ofstream(file) << c.content;
        fs::permissions(file, c.perms);
        LauncherImplPosix launcher;
        const LaunchResult r = launcher.StartProgram(file.string(), {});
        EXPECT_FALSE(r.Started) << c.name;
        EXPECT_EQ(r.ErrorCode, c.error) << c.name;
        EXPECT_NE(r.Message.find(c.name), std::string::npos) << r.Message;
    }
}

// A program held open for writing cannot be run (ETXTBSY): glibc's reason in the locale's character set.
TEST(PosixLauncher, TheSystemsReasonIsUtf8UnderALatin1Locale)
{
    const testdirs::ScopedTempDir scratch("launch_busy");
    const std::string file = scratch.Path() + "/busy.sh";
    std::ofstream(file) << "#!/bin/sh\n";
    fs::permissions(file, fs::perms::owner_all);
    const int writer = ::open(file.c_str(), O_WRONLY | O_CLOEXEC);
    const char* german = "Das Programm kann nicht ausgef\xC3\xBChrt oder ver\xC3\xA4ndert werden (busy)";
    using Case = std::pair<const char*, const char*>;
    for (const auto& [locale, reason] :
         {Case{"C", "Text file busy"}, Case{"de_DE.ISO-8859-1", german}, Case{"de_DE.UTF-8", german}}) {
        testlocales::ScopedLocale on(locale);
        EXPECT_TRUE(on.Ok()) << locale;
        EXPECT_EQ(LauncherImplPosix().StartProgram(file, {}).Message, "cannot start " + file + ": " + reason);
    }
    ::close(writer);
}

TEST(PosixLauncher, ArgumentsArriveUnchangedWithoutAShell)
{
    const testdirs::ScopedTempDir scratch("launch_args");
    const fs::path dir = scratch.Path();
    fs::path outFile = dir / "args.txt";
    LauncherImplPosix launcher;
    std::vector<std::string> args = {"-c",
                                     "printf '%s|' \"$@\" > \"$0.tmp\" && mv \"$0.tmp\" \"$0\"",
                                     outFile.string(),
                                     "a b",
                                     "$HOME",
                                     "x;y",
                                     "\"q\""};
    LaunchResult r = launcher.StartProgram("sh", args);
    ASSERT_TRUE(r.Started) << r.Message;
    EXPECT_EQ(r.ErrorCode, 0);
    EXPECT_EQ(WaitForFile(outFile), "a b|$HOME|x;y|\"q\"|");
}

TEST(PosixLauncher, FindsProgramsOnThePath)
{
    EXPECT_FALSE(FindExecutable("sh").empty());
    EXPECT_EQ(FindExecutable("qyr7-no-such-program-here"), "");
    EXPECT_EQ(FindExecutable("/bin/sh"), "/bin/sh");
    EXPECT_EQ(FindExecutable("/nonexistent/sh"), "");
}

TEST(PosixLauncher, AMissingDocumentIsNotHandedToTheDesktop)
{
    LauncherImplPosix launcher;
    LaunchResult r = launcher.OpenDocument("/nonexistent/report.html");
    EXPECT_FALSE(r.Started);
    EXPECT_EQ(r.ErrorCode, ENOENT);
    EXPECT_NE(r.Message.find("/nonexistent/report.html"), std::string::npos);
    EXPECT_FALSE(launcher.OpenDocument("").Started);
}

// The desktop's helpers put first on PATH: a failing one is heard out, its exit status and what it printed;
// one that does not return is not waited for past a few seconds, and no helper is left a zombie.
TEST(PosixLauncher, DesktopHelpersAreHeardOutButNotWaitedFor)
{
    const testdirs::ScopedTempDir scratch("launch_helpers");
    const std::string dir = scratch.Path(), document = dir + "/outwin.txt", path = std::getenv("PATH");
    std::ofstream(document) << "report\n";
    const std::string csv = "xdg-mime query default text/csv";
    struct Case {
        const char *helper, *body;
        bool started;
        std::string message;
    } cases[] = {
        {"xdg-open", "echo \"xdg-open: no method available for opening '$1'\" >&2; exit 3", false,
         "xdg-open ended with exit status 3: xdg-open: no method available for opening '" + document + "'"},
        {"xdg-open", "exit 0", true, ""},
        {"xdg-open", "exec sleep 30", true, ""},
        {"xdg-mime", "printf 'unknown type\\nsee --help\\n' >&2; exit 4", false,
         csv + " ended with exit status 4: unknown type; see --help"},
        {"xdg-mime", "exit 0", false, "the desktop names no program for text/csv documents"},
        {"xdg-mime", "echo calc.desktop", true, ""},
        {"xdg-mime", "exec sleep 30", false, csv + " gave no answer"}};
    ::setenv("PATH", (dir + ":" + path).c_str(), 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        std::ofstream(dir + "/" + c.helper) << "#!/bin/sh\necho $$ > " << dir << "/pid\n" << c.body << "\n";
        fs::permissions(dir + "/" + c.helper, fs::perms::owner_all);
        LauncherImplPosix launcher;
        const LaunchResult r = std::string(c.helper) == "xdg-open" ? launcher.OpenDocument(document)
                                                                   : launcher.FindApplicationFor("text/csv");
        EXPECT_EQ(r.Started, c.started);
        EXPECT_EQ(r.Message, c.message);
        int pid = 0;
        std::ifstream(dir + "/pid") >> pid;
        EXPECT_GT(pid, 0);
        if (pid > 0 && std::string(c.body).find("sleep") != std::string::npos) ::kill(pid, SIGKILL);
        const std::string proc = "/proc/" + std::to_string(pid);
        for (int i = 0; i < 500 && fs::exists(proc); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_FALSE(fs::exists(proc)) << "not reaped";
    }
    ::setenv("PATH", path.c_str(), 1);
}
