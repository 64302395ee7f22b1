// Saves go through a temporary file renamed over the old one; that must
// never replace something that is not a regular file. Reading takes regular
// files only, up to the size the caller names.
#include "foundation/textfile.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{

class TextFileTargets : public ::testing::Test
{
  protected:
    void SetUp() override
    {
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
    struct stat st {
    };
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

// Every reader of outside files goes through OpenRead: a FIFO must not
// block it, a device not feed it without end, a file beyond the caller's
// size not fill the memory; each says why in its own words.
TEST_F(TextFileTargets, OnlyRegularFilesUpToTheSizeAreRead)
{
    const fs::path fifo = dir / "fifo.qy7";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const fs::path sized = dir / "sized.txt";
    std::ofstream(sized, std::ios::binary) << std::string(100, 'x');
    const std::string device = "not a regular file (a pipe or a device), not read";
    struct Case {
        std::string path;
        std::size_t max;
        bool read;
        std::string failure;
    };
    const Case cases[] = {
        {fifo.string(), TextFileMaxBytes, false, device},
        {"/dev/zero", TextFileMaxBytes, false, device},
        {"/dev/urandom", TextFileMaxBytes, false, device},
        {dir.string(), TextFileMaxBytes, false, "is a directory"},
        {(dir / "none.txt").string(), TextFileMaxBytes, false, "not found or no access"},
        {sized.string(), 99, false, "larger than 99 bytes, more than any file of this kind holds, not read"},
        {sized.string(), 100, true, ""},
    };
    for (const auto& c : cases) {
        TTextFile f;
        f.Assign(c.path);
        EXPECT_EQ(f.OpenRead(c.max), c.read) << c.path << " " << c.max;
        EXPECT_EQ(f.OpenFailure(), c.failure) << c.path << " " << c.max;
        f.Close();
    }
}

} // namespace
