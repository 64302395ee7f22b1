// Saves go through a temporary file renamed over the old one; that must
// never replace something that is not a regular file.
#include "foundation/foundationstate.h"
#include "foundation/textfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class TextFileTargets : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetFoundationState();
        dir = fs::temp_directory_path() / ("qyr7_targets_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

TEST_F(TextFileTargets, PipeIsWrittenInPlaceNotReplaced)
{
    const fs::path fifo = dir / "port";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // A reader keeps the pipe open so the write does not block.
    const int rd = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(rd, 0);
    TTextFile f;
    f.Assign(fifo.string());
    ASSERT_TRUE(f.OpenWrite());
    EXPECT_TRUE(f.Write("line\r\n"));
    EXPECT_TRUE(f.Close());
    char buf[16] = {};
    EXPECT_EQ(::read(rd, buf, sizeof buf), 6);
    ::close(rd);
    struct stat st {};
    ASSERT_EQ(::stat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "the pipe is still a pipe";
}

TEST_F(TextFileTargets, SymbolicLinkKeepsPointingAtTheSavedFile)
{
    const fs::path real = dir / "real.qy7";
    const fs::path link = dir / "link.qy7";
    std::ofstream(real) << "old";
    fs::create_symlink(real, link);
    TTextFile f;
    f.Assign(link.string());
    ASSERT_TRUE(f.OpenWrite());
    EXPECT_TRUE(f.Write("new"));
    EXPECT_TRUE(f.Close());
    EXPECT_TRUE(fs::is_symlink(link));
    std::ifstream in(real);
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(text, "new");
}

} // namespace
