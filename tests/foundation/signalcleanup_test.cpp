// The files a run takes along when a signal ends it.
#include <gtest/gtest.h>

#include "common/tempdir.h"
#include "foundation/signalcleanup.h"

#include <filesystem>
#include <fstream>
#include <map>
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

// The target's name + ".XXXXXX" while that fits in 255 bytes (the limit of
// Linux file systems), else a short ".$$$XXXXXX" beside it.
TEST(TempFileBeside, ANameAsLongAsAllowedGetsAShortTemporaryName)
{
    testdirs::ScopedTempDir dir("beside");
    for (const auto& [length, whole] :
         std::map<std::size_t, bool>{{5, true}, {248, true}, {249, false}, {255, false}}) {
        const std::string target = dir.Path() + "/" + std::string(length, 'v');
        const std::string start = whole ? target + "." : dir.Path() + "/.$$$";
        std::string temp;
        EXPECT_EQ(::close(MakeTempFileBeside(target, temp)), 0) << length;
        EXPECT_TRUE(temp.rfind(start, 0) == 0 && temp.size() == start.size() + 6) << temp;
        EXPECT_EQ(::unlink(temp.c_str()), 0) << temp;
        UnmarkTempFile(temp);
    }
}
