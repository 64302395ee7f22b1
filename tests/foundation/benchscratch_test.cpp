// The benchmarks' scratch directory goes with the run however it ends.
#include <gtest/gtest.h>

#include "common/tempdir.h"
#include "foundation/signalcleanup.h"
#include "scratch/benchscratch.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

// A table in the scratch directory, a drawing's directory with the blocks'
// store three levels down and a report being written beside its target; the
// run then ends normally (0), by a failed check (SIGABRT), or by SIGINT,
// SIGTERM or SIGHUP. Nothing is left in TMPDIR.
TEST(BenchScratchDirectory, NothingIsLeftWhicheverWayTheRunEnds)
{
    for (const int end : {0, SIGABRT, SIGINT, SIGTERM, SIGHUP}) {
        testdirs::ScopedTempDir tmp("scratch");
        ASSERT_FALSE(tmp.Path().empty());
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::setenv("TMPDIR", tmp.Path().c_str(), 1);
            // Delivered as from a terminal, even where the tests run under nohup.
            if (end != 0) std::signal(end, SIG_DFL);
            std::ofstream(BenchScratchPath("t.dbf")) << std::string(4096, 'x');
            std::filesystem::create_directories(BenchScratchPath("d/qyr7blocks-1/deep"));
            std::ofstream(BenchScratchPath("d/qyr7blocks-1/deep/b.dxf")) << "0";
            std::string report = BenchScratchPath("r.txt.XXXXXX");
            ::close(MakeMarkedTempFile(report));
            if (end == SIGABRT) std::abort();
            if (end != 0) std::raise(end);
            std::exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        if (end == 0)
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        else
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == end) << end << " " << status;
        EXPECT_TRUE(std::filesystem::is_empty(tmp.Path())) << end;
    }
}
