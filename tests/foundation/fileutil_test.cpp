#include "common/askedboxes.h"
#include "foundation/fileutil.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "platform/headless/platform_headless.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace
{

const std::string Sep(1, PathSeparator);

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

class FileUtil : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        std::string tmpl = (fs::temp_directory_path() / "qyr7_fileutil_XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir_ = tmpl;
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::permissions(dir_, fs::perms::owner_all, ec);
        fs::remove_all(dir_, ec);
    }
    std::string In(const std::string& name) const { return dir_ + "/" + name; }
    std::vector<std::string> Listing() const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string dir_;
};

TEST(PathHelpers, AddTrailingBackslash)
{
    struct Case {
        const char* path;
        std::string plain;
        std::string drive;
    };
    const Case cases[] = {
        {"C:\\data", "C:\\data" + Sep, "C:\\data" + Sep},
        {"dir1", "dir1" + Sep, "dir1" + Sep},
        {"C:", "C:" + Sep, "C:" + Sep},
        {"C:\\data\\", "C:\\data\\", "C:\\data\\"},
        {"/home/q/", "/home/q/", "/home/q/"},
        {"  name  ", "name" + Sep, "name" + Sep},
        {"a.", "a." + Sep, "a." + Sep},
        {"a-", "a-" + Sep, "a-" + Sep},
        {"x!", "x!" + Sep, "x!" + Sep},
        {"x)", "x)" + Sep, "x)" + Sep},
        {"x*", "x*" + Sep, "x*" + Sep},
        {"x@", "x@" + Sep, "x@" + Sep},
        {"x~", "x~" + Sep, "x~" + Sep},
        {"Fu\xC3\x9F", "Fu\xC3\x9F" + Sep, "Fu\xC3\x9F" + Sep},
        {"", "", ""},
        {"   ", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AddTrailingBackslash(c.path), c.plain) << '"' << c.path << '"';
        EXPECT_EQ(AddTrailingBackslashDrive(c.path), c.drive) << '"' << c.path << '"';
    }
}

TEST(PathHelpers, StripTrailingBackslash)
{
    EXPECT_EQ(StripTrailingBackslash("C:\\data\\"), "C:\\data");
    EXPECT_EQ(StripTrailingBackslash("C:\\data\\ "), "C:\\data");
    EXPECT_EQ(StripTrailingBackslash(" /home/q/"), "/home/q");
    EXPECT_EQ(StripTrailingBackslash("C:\\data"), "C:\\data");
    EXPECT_EQ(StripTrailingBackslash("dir\\\\"), "dir\\");
    EXPECT_EQ(StripTrailingBackslash("/"), "/");
}

TEST(PathHelpers, NameParts)
{
    struct Case {
        const char* path;
        const char* base;
        const char* noExt;
        const char* pathNoExt;
        const char* ext;
        const char* dir;
        const char* drive;
    };
    const Case cases[] = {
        {"C:\\qyr\\data\\gear1.qy7", "gear1", "gear1", "C:\\qyr\\data\\gear1", "qy7", "C:\\qyr\\data\\", ""},
        {"/home/q/proj/stage.kol", "stage", "stage", "/home/q/proj/stage", "kol", "/home/q/proj/", ""},
        {"archive.tar.gz", "archive.tar", "archive.tar", "archive.tar", "tar.gz", "", ""},
        // A ":" belongs to the name: no drive letters here.
        {"C:name.txt", "C:name", "C:name", "C:name", "txt", "", ""},
        {"/p/x:b.qy7", "x:b", "x:b", "/p/x:b", "qy7", "/p/", ""},
        {"/home/q/v1.2/stage", "stage", "stage", "/home/q/v1.2/stage", "", "/home/q/v1.2/", ""},
        {"plain", "plain", "plain", "plain", "", "", ""},
        {"dir\\name.", "name.", "name", "dir\\name", "", "dir\\", ""},
        {"mixed/dir\\f.dat", "f", "f", "mixed/dir\\f", "dat", "mixed/dir\\", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExtractBaseName(c.path), c.base) << c.path;
        EXPECT_EQ(FileNameNoExt(c.path), c.noExt) << c.path;
        EXPECT_EQ(PathNoExt(c.path), c.pathNoExt) << c.path;
        EXPECT_EQ(FileExtNoDot(c.path), c.ext) << c.path;
        EXPECT_EQ(FileDirPart(c.path), c.dir) << c.path;
        EXPECT_EQ(FileDrivePart(c.path), c.drive) << c.path;
    }
}

TEST_F(FileUtil, DirExistsIsFalseForAMissingDirectory)
{
    EXPECT_TRUE(DirExists(dir_));
    EXPECT_TRUE(DirExists(dir_ + "/"));
    EXPECT_FALSE(DirExists(dir_ + "/missing"));
    WriteAll(In("file"), "x");
    EXPECT_FALSE(DirExists(In("file")));
    EXPECT_TRUE(DirExists(""));
}

TEST_F(FileUtil, DirectoryWritableLeavesNoProbeBehind)
{
    EXPECT_TRUE(DirectoryWritable(dir_));
    EXPECT_TRUE(Listing().empty());
    EXPECT_FALSE(DirectoryWritable(dir_ + "/missing"));
    // A file of that name belonging to somebody else is not overwritten.
    WriteAll(In("x.$$$"), "keep");
    EXPECT_TRUE(DirectoryWritable(dir_));
    EXPECT_EQ(ReadAll(In("x.$$$")), "keep");
}

TEST_F(FileUtil, CanChangeDirRestoresTheCurrentDirectory)
{
    const auto before = fs::current_path();
    EXPECT_TRUE(CanChangeDir(dir_ + "/"));
    EXPECT_EQ(fs::current_path(), before);
    EXPECT_FALSE(CanChangeDir(dir_ + "/missing"));
    EXPECT_EQ(fs::current_path(), before);
}

TEST_F(FileUtil, FileTestsAndAttributes)
{
    WriteAll(In("a.txt"), "x");
    fs::create_directory(In("sub"));
    EXPECT_TRUE(FileCanOpen(In("a.txt")));
    EXPECT_FALSE(FileCanOpen(In("sub")));
    EXPECT_FALSE(FileCanOpen(In("none.txt")));
    EXPECT_TRUE(FileHasAttr(In("sub"), faDirectory));
    EXPECT_FALSE(FileHasAttr(In("a.txt"), faDirectory));
    EXPECT_TRUE(FileHasAttr(In("a.txt"), faArchive));
    // Unreadable attributes count as every attribute.
    EXPECT_TRUE(FileHasAttr(In("none.txt"), faDirectory | faReadOnly));
    EXPECT_TRUE(FileCanOpen(dir_ + "\\a.txt") || PathSeparator != '/') << "backslash accepted";
}

// Asking whether a FIFO opens must not wait for a writer, and a copy takes
// regular files only (a FIFO would block it, /dev/zero never end it).
TEST_F(FileUtil, PipesNeitherBlockTheTestNorAreCopied)
{
    ASSERT_EQ(::mkfifo(In("fifo").c_str(), 0600), 0);
    fs::create_directory(In("out"));
    EXPECT_TRUE(FileCanOpen(In("fifo"))) << "it opens; its readers refuse it";
    EXPECT_FALSE(CopyFileToPath(In("fifo"), In("out")));
    EXPECT_FALSE(CopyFileToPath("/dev/zero", In("out")));
    EXPECT_FALSE(fs::exists(In("out/fifo")));
    EXPECT_FALSE(fs::exists(In("out/zero")));
}

TEST_F(FileUtil, MasksMatchInAnyCase)
{
    for (const char* n : {"a.dbf", "B.DBF", "c.ndx", "noext"})
        WriteAll(In(n), "x");
    fs::create_directory(In("d.dbf"));
    EXPECT_EQ(FindFilesByMask(dir_, "*.dbf"), (std::vector<std::string>{"B.DBF", "a.dbf", "d.dbf"}));
    EXPECT_EQ(FindFilesByMask(dir_, "*.*").size(), 5u);
    EXPECT_EQ(FindFilesByMask(dir_, "?.NDX"), (std::vector<std::string>{"c.ndx"}));
    EXPECT_TRUE(FindFilesByMask(dir_ + "/missing", "*.*").empty());
    DeleteFilesByMask(dir_, "*.DBF");
    EXPECT_EQ(Listing(), (std::vector<std::string>{"c.ndx", "d.dbf", "noext"}));
    DeleteFileIfExists(In("c.ndx"));
    DeleteFileIfExists(In("c.ndx"));
    DeleteFileIfExists(In("d.dbf"));
    EXPECT_EQ(Listing(), (std::vector<std::string>{"d.dbf", "noext"}));
}

TEST_F(FileUtil, CopyFileToPathIntoADirectoryOrOntoANewName)
{
    std::string big(3 * CopyBufferSize + 17, '\0');
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>(i * 7);
    WriteAll(In("src.bin"), big);
    fs::create_directory(In("out"));
    EXPECT_TRUE(CopyFileToPath(In("src.bin"), In("out")));
    EXPECT_EQ(ReadAll(In("out/src.bin")), big);
    EXPECT_TRUE(CopyFileToPath(In("src.bin"), In("copy.bin")));
    EXPECT_EQ(ReadAll(In("copy.bin")), big);
    const std::string longest(255, 'c'); // as long as a name in the file system can be
    EXPECT_TRUE(CopyFileToPath(In("src.bin"), In(longest)) && ReadAll(In(longest)) == big);
    // Exactly one block: the short (empty) block after it ends the copy.
    WriteAll(In("block.bin"), std::string(CopyBufferSize, 'b'));
    EXPECT_TRUE(CopyFileToPath(In("block.bin"), In("out")));
    EXPECT_EQ(ReadAll(In("out/block.bin")).size(), static_cast<std::size_t>(CopyBufferSize));
    EXPECT_FALSE(CopyFileToPath(In("none.bin"), In("out")));
    EXPECT_FALSE(CopyFileToPath(In("src.bin"), In("missing/dir/x.bin")));
    EXPECT_FALSE(telmvar.Aborted) << "CopyFileToPath reports nothing";
}

TEST_F(FileUtil, CopyBinaryFileReportsFailure)
{
    WriteAll(In("a.bin"), std::string(5000, 'a'));
    EXPECT_TRUE(CopyBinaryFile(In("a.bin"), In("b.bin")));
    EXPECT_EQ(ReadAll(In("b.bin")), std::string(5000, 'a'));
    EXPECT_FALSE(telmvar.Aborted);
    WriteAll(In("b.bin"), "old");
    EXPECT_FALSE(CopyBinaryFile(In("none.bin"), In("b.bin")));
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_EQ(ReadAll(In("b.bin")), "old");
    telmvar.Aborted = false;
    EXPECT_FALSE(CopyBinaryFile(In("a.bin"), In("missing/b.bin")));
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_GE(error0.ErrorCount, 1);
    EXPECT_EQ(Listing(), (std::vector<std::string>{"a.bin", "b.bin"})) << "no temporary left behind";
}

TEST_F(FileUtil, CopyFileIfExistsKeepsTheSourceName)
{
    WriteAll(In("t.dbf"), "table");
    fs::create_directory(In("tmp"));
    EXPECT_TRUE(CopyFileIfExists(In("t.dbf"), In("tmp/other.name")));
    EXPECT_EQ(ReadAll(In("tmp/t.dbf")), "table");
    EXPECT_FALSE(fs::exists(In("tmp/other.name")));
    EXPECT_FALSE(CopyFileIfExists(In("none.dbf"), In("tmp/none.dbf")));
}

TEST_F(FileUtil, CopyFilesByMask)
{
    fs::create_directory(In("src"));
    fs::create_directory(In("dst"));
    WriteAll(In("src/a.dbf"), "A");
    WriteAll(In("src/b.dbf"), "B");
    WriteAll(In("src/c.txt"), "C");
    fs::create_directory(In("src/d.dbf"));

    CopyFilesByMask("*.xyz", In("src"), In("dst"));
    EXPECT_TRUE(telmvar.Aborted) << "no match";

    CopyFilesByMask("*.dbf", In("src"), In("dst"));
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(ReadAll(In("dst/a.dbf")), "A");
    EXPECT_EQ(ReadAll(In("dst/b.dbf")), "B");
    EXPECT_FALSE(fs::exists(In("dst/c.txt")));
    EXPECT_FALSE(fs::exists(In("dst/d.dbf")));

    CopyFilesByMask("*.txt", In("src"), In("nowhere"));
    EXPECT_TRUE(telmvar.Aborted) << "a failed copy is reported";
}

TEST_F(FileUtil, CopyTextFileConvertedShowsTheDisplayForm)
{
    WriteAll(In("in.txt"), "20\xF8"
                           "C\r\nM\x84rz\nlast");
    EXPECT_TRUE(CopyTextFileConverted(In("in.txt"), In("out.txt")));
    EXPECT_EQ(ReadAll(In("out.txt")), "20\xB0"
                                      "C\r\nM\xE4rz\r\nlast\r\n");
    WriteAll(In("empty.txt"), "");
    EXPECT_TRUE(CopyTextFileConverted(In("empty.txt"), In("out2.txt")));
    EXPECT_EQ(ReadAll(In("out2.txt")), "\r\n");
    EXPECT_FALSE(CopyTextFileConverted(In("none.txt"), In("out3.txt")));
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_FALSE(fs::exists(In("out3.txt")));
    telmvar.Aborted = false;
    EXPECT_FALSE(CopyTextFileConverted(In("in.txt"), In("missing/out.txt")));
    EXPECT_TRUE(telmvar.Aborted);
}

TEST_F(FileUtil, ListExportWritesOneColumnCsvAndOpensIt)
{
    platform::PlatformHeadless desktop;
    platform::ScopedPlatform use(desktop);
    WriteAll(In("proj.qy7"), "Title; with separator\r\n  1.5000000\r\n-2\r\n\"q\"\r\n20\xF8"
                             "C\r\n");
    telmvar.DataDir = dir_;
    telmvar.DataExt = "qy7";
    wtelmvar.ExcelDecimalMode = 2;
    const std::string csv = ExportTextFileToExcel("proj");
    EXPECT_FALSE(telmvar.Aborted);
    ASSERT_EQ(csv, In("proj.csv"));
    EXPECT_EQ(ReadAll(csv),
              "\xEF\xBB\xBF\"Title; with separator\"\r\n1,5000000\r\n-2\r\n\"\"\"q\"\"\"\r\n20\xC2\xB0"
              "C\r\n");
    ASSERT_EQ(desktop.HeadlessLauncher().Launches().size(), 1u);
    EXPECT_EQ(desktop.HeadlessLauncher().Launches()[0].Document, csv);
    EXPECT_TRUE(desktop.HeadlessMessages().AskedQuestions().empty());

    wtelmvar.ExcelDecimalMode = 1;
    ASSERT_EQ(ExportTextFileToExcel(In("proj.qy7")), In("proj.csv"));
    EXPECT_EQ(ReadAll(csv),
              "\xEF\xBB\xBFTitle; with separator\r\n1.5000000\r\n-2\r\n\"\"\"q\"\"\"\r\n20\xC2\xB0"
              "C\r\n");
}

TEST_F(FileUtil, ListExportWithoutAProgramToShowItSaysWhereItIs)
{
    platform::PlatformHeadless desktop;
    platform::ScopedPlatform use(desktop);
    desktop.HeadlessLauncher().QueueResult({false, 2, "no program for tables"});
    WriteAll(In("p.qy7"), "x\r\n");
    telmvar.TempDir = dir_ + "/tmp";
    fs::create_directory(telmvar.TempDir);
    const std::string csv = ExportTextFileToExcel(In("p.qy7"));
    EXPECT_EQ(csv, In("tmp/p.csv"));
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(ReadAll(csv), "\xEF\xBB\xBFx\r\n");
    ASSERT_EQ(desktop.HeadlessMessages().AskedQuestions().size(), 1u);
    EXPECT_EQ(AskedAt(desktop.HeadlessMessages().AskedQuestions(), 0).Request.Text,
              "The list was written to " + csv + " (no program for tables)");
}

// A project's blanks belong to its name: the list is of that file, not of "p.qy7".
TEST_F(FileUtil, ListExportReadsTheNameWithItsBlanks)
{
    platform::PlatformHeadless desktop;
    platform::ScopedPlatform use(desktop);
    telmvar.DataDir = dir_;
    telmvar.DataExt = "qy7";
    WriteAll(In("p.qy7"), "other\r\n");
    for (const std::string name : {" p", "p "}) {
        WriteAll(In(name + ".qy7"), name + "\r\n");
        EXPECT_EQ(ReadAll(ExportTextFileToExcel(name)), "\xEF\xBB\xBF\"" + name + "\"\r\n") << name;
    }
}

TEST_F(FileUtil, ListExportOfAMissingFileIsRefused)
{
    platform::PlatformHeadless desktop;
    platform::ScopedPlatform use(desktop);
    EXPECT_EQ(ExportTextFileToExcel("  "), "");
    EXPECT_TRUE(telmvar.Aborted);
    ASSERT_EQ(desktop.HeadlessMessages().AskedQuestions().size(), 1u);
    EXPECT_EQ(AskedAt(desktop.HeadlessMessages().AskedQuestions(), 0).Request.Text,
              "File not found. Use \"File->Save\"");
    telmvar.Aborted = false;
    EXPECT_EQ(ExportTextFileToExcel(In("none.qy7")), "");
    EXPECT_TRUE(telmvar.Aborted);
    ASSERT_EQ(desktop.HeadlessMessages().AskedQuestions().size(), 2u);
    EXPECT_EQ(AskedAt(desktop.HeadlessMessages().AskedQuestions(), 1).Request.Text,
              "file " + In("none.qy7") + " not found or no access !");
    EXPECT_TRUE(desktop.HeadlessLauncher().Launches().empty());
}

TEST(StringSort, SortStringIndex)
{
    std::vector<std::string> s = {"", "b", "a", "c"};
    std::vector<int> idx(4, 0);
    SortStringIndex(s, idx, 1, 3);
    EXPECT_EQ(s, (std::vector<std::string>{"", "a", "b", "c"}));
    EXPECT_EQ(idx[1], 2);
    EXPECT_EQ(idx[2], 1);
    EXPECT_EQ(idx[3], 3);
}

TEST(StringSort, ByteOrderAndIndexFollowTheStrings)
{
    // Byte order: upper case before lower case, bytes above 127 last.
    const std::vector<std::string> original = {"zeta",  "Zeta", "\x84rger", "alpha", "Alpha", "beta",
                                               "alpha", "",     "b",        "10",    "9"};
    std::vector<std::string> s = original;
    std::vector<int> idx;
    SortStringIndex(s, idx, 0, static_cast<int>(s.size()) - 1);
    const std::vector<std::string> want = {"",      "10", "9",    "Alpha", "Zeta",    "alpha",
                                           "alpha", "b",  "beta", "zeta",  "\x84rger"};
    EXPECT_EQ(s, want);
    for (std::size_t k = 0; k < s.size(); ++k)
        EXPECT_EQ(original[static_cast<std::size_t>(idx[k])], s[k]) << k;
    // A part of the list only.
    std::vector<std::string> part = {"d", "c", "b", "a"};
    std::vector<int> pidx(4, -1);
    SortStringIndex(part, pidx, 1, 2);
    EXPECT_EQ(part, (std::vector<std::string>{"d", "b", "c", "a"}));
    EXPECT_EQ(pidx, (std::vector<int>{-1, 2, 1, -1}));
}

} // namespace
