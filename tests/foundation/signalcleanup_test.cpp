// The files a run takes along when a signal ends it.
#include <gtest/gtest.h>

#include "common/tempdir.h"
#include "foundation/signalcleanup.h"

#include <filesystem>
#include <fstream>
#include <pthread.h>
#include <set>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

// A SIGTERM sent to another thread waits until the main thread lets it in: the
// marked files stay meanwhile (the main thread leaves "found" to say so), then
// they go and the run ends by the signal.
TEST(SignalCleanup, ASignalToAnotherThreadIsTakenOnTheMainThread)
{
    testdirs::ScopedTempDir dir("signal");
    const std::string base = dir.Path();
    ASSERT_FALSE(base.empty());
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        SetUpRunSignals();
        {
            const TSignalsHeld held;
            std::string run = base + "/run_XXXXXX", file = base + "/v.txt.XXXXXX";
            if (MakeMarkedRunDirectory(run)) std::ofstream(run + "/qyrlife.dbf");
            ::close(MakeMarkedTempFile(file));
            std::thread([] {
                HoldCleanupSignals(false);
                ::pthread_kill(::pthread_self(), SIGTERM);
            }).join();
            if (::access((run + "/qyrlife.dbf").c_str(), F_OK) == 0 && ::access(file.c_str(), F_OK) == 0)
                std::ofstream(base + "/found");
        }
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    std::set<std::string> left;
    for (const auto& e : std::filesystem::directory_iterator(base))
        left.insert(e.path().filename().string());
    EXPECT_EQ(left, std::set<std::string>{"found"});
}
