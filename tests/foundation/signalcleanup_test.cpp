// The files a run takes along when a signal ends it.
#include <gtest/gtest.h>

#include "common/tempdir.h"
#include "foundation/signalcleanup.h"

#include <fcntl.h>
#include <filesystem>
#include <pthread.h>
#include <set>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace
{

void Touch(const std::string& Path)
{
    const int fd = ::open(Path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd >= 0) ::close(fd);
}

} // namespace

// A SIGTERM sent to another thread (the toolkit's) waits for the main thread
// to let it in, and the cleanup runs there once: the run directory and the
// temporary file marked before the signal are still there while the main
// thread goes on (it leaves a file unmarked as the proof that it found them),
// a temporary file marked after it goes as well, and the run ends by the
// signal.
TEST(LastSmallThingsSignalCleanup, ASignalToAnotherThreadIsTakenOnTheMainThread)
{
    testdirs::ScopedTempDir dir("signal");
    ASSERT_FALSE(dir.Path().empty());
    const std::string base = dir.Path();
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        SetUpRunSignals();
        {
            const TSignalsHeld held;
            std::string run = base + "/run_XXXXXX", before = base + "/v.txt.XXXXXX";
            if (MakeMarkedRunDirectory(run)) Touch(run + "/qyrlife.dbf");
            const int fd = MakeMarkedTempFile(before);
            if (fd >= 0) ::close(fd);
            std::thread other([] {
                HoldCleanupSignals(false);
                ::pthread_kill(::pthread_self(), SIGTERM);
            });
            other.join();
            std::string after = base + "/w.txt.XXXXXX";
            const int fd2 = MakeMarkedTempFile(after);
            if (fd2 >= 0) ::close(fd2);
            if (::access((run + "/qyrlife.dbf").c_str(), F_OK) == 0 && ::access(before.c_str(), F_OK) == 0)
                Touch(base + "/found");
        }
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << "wait status " << status;
    std::set<std::string> left;
    for (const auto& e : std::filesystem::directory_iterator(base))
        left.insert(e.path().filename().string());
    EXPECT_EQ(left, std::set<std::string>{"found"});
}
