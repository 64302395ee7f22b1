#include "foundation/fileversion.h"
#include "foundation/messagecollector.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/textfile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace
{

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

class TextFile : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        std::string tmpl = (fs::temp_directory_path() / "qyr7_textfile_XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir_ = tmpl;
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    std::string In(const std::string& name) const { return dir_ + "/" + name; }

    // Opens the shared file for reading on the given bytes.
    void ReadFrom(const std::string& bytes)
    {
        WriteAll(In("in.txt"), bytes);
        AssignTextFile(textfile.SharedTextFile, In("in.txt"));
        ASSERT_TRUE(ResetTextFile(textfile.SharedTextFile));
    }
    void StartWriting()
    {
        AssignTextFile(textfile.SharedTextFile, In("out.txt"));
        ASSERT_TRUE(RewriteTextFile(textfile.SharedTextFile));
    }
    std::string FinishWriting()
    {
        EXPECT_TRUE(CloseTextFile(textfile.SharedTextFile));
        return ReadAll(In("out.txt"));
    }
    std::string dir_;
};

TEST_F(TextFile, LinesAreWrittenWithCrLf)
{
    StartWriting();
    WriteTextLine("first");
    WriteStringLine("");
    WriteText("no end");
    WriteText("|");
    WriteTextLine("\x84\xF8");
    WriteIntLine(-42);
    WriteBoolLine(true);
    WriteBoolLine(false);
    WriteFieldLine4("", "", "", "");
    WriteFieldLine4("a", "b", "c", "d");
    WriteFieldLine6("1", "2", "3", "4", "5", "6");
    WriteFieldLine8("1", "2", "3", "4", "5", "6", "7", "8");
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_EQ(FinishWriting(), "first\r\n\r\nno end|\x84\xF8\r\n-42\r\nTRUE\r\nFALSE\r\n||||\r\na|b|c|d|\r\n"
                               "1|2|3|4|5|6|\r\n1|2|3|4|5|6|7|8|\r\n");
}

TEST_F(TextFile, ReadersAcceptCrLfAndLf)
{
    ReadFrom("one\r\ntwo\nthree\r\n\r\nlast");
    std::vector<std::string> lines;
    std::string s;
    while (ReadTextLine(s))
        lines.push_back(s);
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three", "", "last"}));
    EXPECT_FALSE(telmvar.Aborted);
    EXPECT_TRUE(textfile.SharedTextFile.ReadPastEnd());
}

TEST_F(TextFile, ReadingPastTheEndIsVisible)
{
    ReadFrom("7\r\n");
    int32_t n = -1;
    EXPECT_TRUE(ReadTextInt(n));
    EXPECT_EQ(n, 7);
    EXPECT_FALSE(textfile.SharedTextFile.ReadPastEnd());
    Extended x = 5;
    EXPECT_FALSE(ReadTextExtended(x));
    EXPECT_EQ(x, 0) << "the value read past the end is still 0";
    EXPECT_TRUE(textfile.SharedTextFile.ReadPastEnd());
    EXPECT_FALSE(telmvar.Aborted) << "the caller decides whether a short file is an error";
}

struct IntCase {
    const char* line;
    int32_t want;
};

TEST_F(TextFile, IntegerLines)
{
    const IntCase cases[] = {
        {"12", 12},
        {"12 ", 0},
        {"  12", 12},
        {"-7", -7},
        {"+7", 7},
        {"1.5", 0},
        {"", 0},
        {"x", 0},
        {"2147483647", 2147483647},
        {"2147483648", 0},
        {"-2147483648", -2147483647 - 1},
    };
    std::string bytes;
    for (const auto& c : cases)
        bytes += std::string(c.line) + "\r\n";
    ReadFrom(bytes);
    for (const auto& c : cases) {
        int32_t n = -1;
        EXPECT_TRUE(ReadTextInt(n));
        EXPECT_EQ(n, c.want) << '"' << c.line << '"';
    }
}

TEST_F(TextFile, WordLinesKeepTheLow16Bits)
{
    ReadFrom("65537\n-1\n300\n");
    uint16_t w = 0;
    ReadTextWord(w);
    EXPECT_EQ(w, 1);
    ReadTextWord(w);
    EXPECT_EQ(w, 65535);
    ReadTextWord(w);
    EXPECT_EQ(w, 300);
}

TEST_F(TextFile, RealLinesReadEitherSeparator)
{
    struct Case {
        const char* line;
        Extended want;
    };
    const Case cases[] = {
        {"1.5000000", 1.5L}, {"1,5000000", 1.5L}, {"   -2,5", -2.5L}, {"0", 0},        {"-3", -3},
        {"abc", 0},          {"1.5 ", 0},         {"1e3", 1000},      {"12,345.6", 0}, {"", 0},
    };
    std::string bytes;
    for (const auto& c : cases)
        bytes += std::string(c.line) + "\n";
    ReadFrom(bytes);
    for (const auto& c : cases) {
        Extended x = -99;
        ReadTextExtended(x);
        EXPECT_EQ(x, c.want) << '"' << c.line << '"';
    }
    ReadFrom("0,25\n");
    double d = 0;
    ReadTextDouble(d);
    EXPECT_EQ(d, 0.25);
}

TEST_F(TextFile, BooleanLines)
{
    ReadFrom("true\nyes\nyes\nFaLsE\nTRUE\nfalse\n");
    bool b = false;
    ReadBoolTrue(b);
    EXPECT_TRUE(b) << "true";
    b = true;
    ReadBoolTrue(b);
    EXPECT_FALSE(b) << "yes is not TRUE";
    b = false;
    ReadBoolNotFalse(b);
    EXPECT_TRUE(b) << "yes is not FALSE";
    b = true;
    ReadBoolNotFalse(b);
    EXPECT_FALSE(b) << "FaLsE";
    b = false;
    ReadBoolNotFalse(b);
    EXPECT_TRUE(b);
    b = true;
    ReadBoolTrue(b);
    EXPECT_FALSE(b);
}

TEST_F(TextFile, AfterAnIoErrorBooleansKeepTheirDefaultNumbersAreZero)
{
    // The shared file is not open: every read is an I/O error.
    bool preset = true;
    int32_t n = 5;
    EXPECT_FALSE(ReadBoolTrue(preset));
    EXPECT_TRUE(telmvar.Aborted);
    EXPECT_TRUE(preset);
    bool preset2 = false;
    ReadBoolNotFalse(preset2);
    EXPECT_FALSE(preset2);
    EXPECT_FALSE(ReadTextInt(n));
    EXPECT_EQ(n, 0);
    EXPECT_FALSE(WriteTextLine("x"));
}

TEST_F(TextFile, FieldAndCharacterLines)
{
    ReadFrom("a|bb||d|rest\n||||\nx|y\n\nQrest\n");
    std::string a, b, c, d;
    ReadFieldLine4(a, b, c, d);
    EXPECT_EQ(a, "a");
    EXPECT_EQ(b, "bb");
    EXPECT_EQ(c, "");
    EXPECT_EQ(d, "d");
    ReadFieldLine4(a, b, c, d);
    EXPECT_EQ(a + b + c + d, "");
    ReadFieldLine4(a, b, c, d);
    EXPECT_EQ(a, "x");
    EXPECT_EQ(b, "") << "missing bars give empty fields";
    EXPECT_EQ(c, "");
    char ch = 0;
    ReadTextChar(ch);
    EXPECT_EQ(ch, '\r');
    ReadTextChar(ch);
    EXPECT_EQ(ch, 'Q');
}

TEST_F(TextFile, NumberWriterRule)
{
    struct Case {
        Extended x;
        const char* want;
    };
    const Case cases[] = {
        {0, "0"},
        {-2, "-2"},
        {-1, "-1"},
        {1, "1.0000000"},
        {-2.5L, "-2.5000000"},
        {0.25L, "0.2500000"},
        {1234.5L, "1234.5000000"},
        {20, "20.0000000"},
        {-0.5L, "-0.5000000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NumberLineText(c.x), c.want) << static_cast<double>(c.x);
    wtelmvar.RegionalDecimalSeparator = ',';
    EXPECT_EQ(NumberLineText(-2.5L), "-2,5000000");
    EXPECT_EQ(NumberLineText(-3), "-3");
}

TEST_F(TextFile, SavedNumbersKeepTheirPrecision)
{
    // DecimalDigits 0 shortens the 7 decimals to 4; a value those do not
    // hold is written with the decimals it needs, an ordinary one as before.
    telmvar.DecimalDigits = 0;
    EXPECT_EQ(NumberLineText(1.5L), "1.5000");
    EXPECT_EQ(NumberLineText(1.2345678L), "1.23456780");
    telmvar.DecimalDigits = 3;
    const Extended third = 1.0L / 3.0L;
    const std::string t = NumberLineText(third);
    EXPECT_EQ(t.substr(0, 18), "0.3333333333333333");
    const Extended values[] = {third, 2.0L / 3.0L * 1000, 1e-9L, 123456789.123456789L,
                               1e30L, -7.25e-12L,         0.1L};
    for (int sep = 0; sep < 2; ++sep) {
        wtelmvar.RegionalDecimalSeparator = sep == 0 ? '.' : ',';
        AssignTextFile(textfile.SharedTextFile, In("n.txt"));
        ASSERT_TRUE(RewriteTextFile(textfile.SharedTextFile));
        for (Extended v : values)
            WriteNumberLine(v);
        ASSERT_TRUE(CloseTextFile(textfile.SharedTextFile));
        ASSERT_TRUE(ResetTextFile(textfile.SharedTextFile));
        for (Extended v : values) {
            Extended back = 0;
            ReadTextExtended(back);
            EXPECT_LE(std::fabs(back - v), std::fabs(v) * 1e-15L) << static_cast<double>(v) << " sep " << sep;
        }
    }
}

TEST_F(TextFile, HeaderBlockIsWrittenAndSkipped)
{
    telmvar.RemarkLines[1] = "Remark one";
    telmvar.RemarkLines[2] = "";
    telmvar.RemarkLines[3] = "Stage 3 \x84";
    StartWriting();
    EXPECT_TRUE(WriteProgramHeader());
    const std::string written = FinishWriting();
    const std::string golden = ReadAll(std::string(QYR7_TEST_DIR) + "/textfile_header.golden");
    ASSERT_FALSE(golden.empty());
    if (written != golden) {
        WriteAll(std::string(QYR7_TEST_DIR) + "/textfile_header.out", written);
        FAIL() << "header block differs from textfile_header.golden (written to .out)";
    }
    ReadFrom(golden + "12\r\n");
    EXPECT_TRUE(SkipProgramHeader());
    int32_t n = 0;
    ReadTextInt(n);
    EXPECT_EQ(n, 12);
    ReadFrom("------\r\nshort\r\n");
    EXPECT_FALSE(SkipProgramHeader());
    EXPECT_TRUE(textfile.SharedTextFile.ReadPastEnd());
}

TEST_F(TextFile, AFailedSaveKeepsTheOldFile)
{
    WriteAll(In("out.txt"), "old contents\r\n");
    StartWriting();
    WriteTextLine("new");
    // Abandoned (as on a failed write): the old file stays.
    textfile.SharedTextFile.Abandon();
    EXPECT_EQ(ReadAll(In("out.txt")), "old contents\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1)
        << "temporary removed";
    StartWriting();
    WriteTextLine("new");
    EXPECT_EQ(ReadAll(In("out.txt")), "old contents\r\n") << "not replaced before closing";
    EXPECT_EQ(FinishWriting(), "new\r\n");
}

TEST_F(TextFile, FailedCreateOpenAndCloseSetAborted)
{
    AssignTextFile(textfile.SharedTextFile, In("missing/out.txt"));
    EXPECT_FALSE(RewriteTextFile(textfile.SharedTextFile));
    EXPECT_TRUE(telmvar.Aborted);
    ASSERT_EQ(error0.ErrorCount, 1);
    EXPECT_EQ(error0.ErrorTexts[1],
              "file " + In("missing/out.txt") + " cannot be created ! (No such file or directory)");
    telmvar.Aborted = false;
    AssignTextFile(textfile.SharedTextFile, In("none.txt"));
    EXPECT_FALSE(ResetTextFile(textfile.SharedTextFile));
    EXPECT_TRUE(telmvar.Aborted);
    telmvar.Aborted = false;
    // A directory cannot be read or replaced as a text file.
    AssignTextFile(textfile.SharedTextFile, dir_);
    EXPECT_FALSE(ResetTextFile(textfile.SharedTextFile));
    EXPECT_FALSE(RewriteTextFile(textfile.SharedTextFile));
    EXPECT_TRUE(fs::is_directory(dir_));
}

TEST_F(TextFile, CloseReportsAFileThatCannotBePutInPlace)
{
    fs::create_directory(In("sub"));
    AssignTextFile(textfile.SharedTextFile, In("sub/out.txt"));
    ASSERT_TRUE(RewriteTextFile(textfile.SharedTextFile));
    WriteTextLine("x");
    // The target turns into a directory before the file is closed.
    fs::create_directory(In("sub/out.txt"));
    EXPECT_FALSE(CloseTextFile(textfile.SharedTextFile));
    EXPECT_TRUE(telmvar.Aborted);
    ASSERT_EQ(error0.ErrorCount, 1);
    EXPECT_EQ(error0.ErrorTexts[1], "file " + In("sub/out.txt") + " could not be written !");
    EXPECT_EQ(std::distance(fs::directory_iterator(In("sub")), fs::directory_iterator()), 1);
}

TEST_F(TextFile, AppendAddsToTheEnd)
{
    WriteAll(In("log.txt"), "a\r\n");
    AssignTextFile(textfile.SharedTextFile, In("log.txt"));
    ASSERT_TRUE(AppendTextFile(textfile.SharedTextFile));
    WriteTextLine("b");
    ASSERT_TRUE(CloseTextFile(textfile.SharedTextFile));
    EXPECT_EQ(ReadAll(In("log.txt")), "a\r\nb\r\n");
}

TEST_F(TextFile, BackslashesInNamesAreAccepted)
{
    WriteAll(In("bs.txt"), "ok\r\n");
    AssignTextFile(textfile.SharedTextFile, dir_ + "\\bs.txt");
    ASSERT_TRUE(ResetTextFile(textfile.SharedTextFile));
    std::string s;
    ReadTextLine(s);
    EXPECT_EQ(s, "ok");
}

TEST(FileVersion, VersionTextRule)
{
    struct Case {
        int major, minor, release, build;
        const char* want;
    };
    const Case cases[] = {
        {1, 0, 0, 0, "1.0"}, {2, 3, 4, 0, "2.3.4"},     {2, 3, 4, 5, "2.3.4.5"},
        {2, 3, 0, 5, "2.3"}, {7, 12, 1, 1, "7.12.1.1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VersionText(c.major, c.minor, c.release, c.build), c.want);
}

TEST(FileVersion, OnlyTheProgramFileHasAVersion)
{
    telmvar.ProgramFileStem = "qyr7";
    const std::string own = GetFileVersionText("Wqyr7.exe");
    EXPECT_NE(own, "0");
    EXPECT_EQ(GetFileVersionText("  WQYR7.EXE  "), own);
    EXPECT_EQ(GetFileVersionText("C:\\prog\\wqyr7.exe"), own);
    EXPECT_EQ(GetFileVersionText("other.exe"), "0");
    EXPECT_EQ(GetFileVersionText("x:wqyr7.exe"), "0"); // ":" belongs to the name
    EXPECT_EQ(GetFileVersionText(""), "0");
}

} // namespace
