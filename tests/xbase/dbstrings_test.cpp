#include "xbase/core/dbstrings.h"

#include "xbase/core/dbdates.h"
#include "xbase_fixture.h"

#include <fstream>

namespace
{

class DbStringsTest : public XbaseTest
{
};

TEST_F(DbStringsTest, AtOccurrenceAndOccurs)
{
    struct {
        int n;
        const char* sub;
        const char* s;
        int pos;
    } cases[] = {
        {2, "aa", "aaaa", 2},  {-1, "ab", "abxab", 4}, {3, "ab", "abxab", 0},  {-3, "ab", "abxab", 0},
        {1, "ab", "abxab", 1}, {2, "a", "banana", 4},  {-1, "a", "banana", 6}, {0, "a", "banana", 0},
        {1, "", "banana", 0},  {1, "x", "", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AtOccurrence(c.n, c.sub, c.s), c.pos) << c.n << " " << c.sub << " " << c.s;
    EXPECT_EQ(Occurs("aa", "aaaa"), 2);
    EXPECT_EQ(Occurs("a", "banana"), 3);
    EXPECT_EQ(Occurs("", "banana"), 0);
}

TEST_F(DbStringsTest, RemoveKeywordLeavesLongerWords)
{
    std::string s = "name unique";
    EXPECT_TRUE(RemoveKeyword("UNIQUE", s));
    EXPECT_EQ(s, "NAME");
    s = "uniquekey";
    EXPECT_FALSE(RemoveKeyword("UNIQUE", s));
    EXPECT_EQ(s, "UNIQUEKEY");
    s = "  parts ";
    EXPECT_FALSE(RemoveKeyword("", s));
    EXPECT_EQ(s, "PARTS");
}

TEST_F(DbStringsTest, NumberTextsInTheNationalStyle)
{
    struct {
        char dec;
        const char* in;
        const char* normal;
        double value;
        int32_t integer;
    } cases[] = {
        {',', " +1.234,5 DM", "1234.5", 1234.5, 1234},
        {',', "-,5", "-0.5", -0.5, 0},
        {'.', "$1,234.50", "1234.50", 1234.5, 1234},
        {',', "-12,7", "-12.7", -12.7, -12},
        {'.', "-12.7", "-12.7", -12.7, -12},
        {'.', "", "", 0.0, 0},
        {'.', "abc", "", 0.0, 0},
        {'.', "12-3", "12", 12.0, 12},
        {'.', "7.", "7", 7.0, 7},
        // "." and "," alike are the decimal mark, whatever the desktop's.
        {'.', "0,3", "0.3", 0.3, 0},
        {',', "0.3", "0.3", 0.3, 0},
        {'.', " +1.234,5 DM", "1234.5", 1234.5, 1234},
        {',', "$1,234.50", "1234.50", 1234.5, 1234},
        {'.', "-,25", "-0.25", -0.25, 0},
        {'.', "1,5,7", "1.5", 1.5, 1},
    };
    for (const auto& c : cases) {
        dbdates.DecimalChar = c.dec;
        std::string s = c.in;
        NormalizeNumberText(s);
        EXPECT_EQ(s, c.normal) << c.in;
        EXPECT_DOUBLE_EQ(NumTextToFloat(c.in), c.value) << c.in;
        EXPECT_EQ(TextToInteger(c.in), c.integer) << c.in;
    }
}

// A number fitted to a width (by hand: 12345.6 in five places is 12346, a
// sixth digit gives asterisks, never a digit cut off; no minus before a 0).
TEST_F(DbStringsTest, PlainNumberTextFitsTheWidth)
{
    const struct {
        double x;
        std::size_t width;
        const char* text;
    } cases[] = {{12345.6, 5, "12346"}, {99999.6, 5, "*****"}, {-0.04, 4, "0.0"},
                 {-0.4, 2, "0"},        {2.0 / 3, 4, "0.67"},  {-2.5, 340, "-2.5"}};
    for (const auto& c : cases)
        EXPECT_EQ(PlainNumberText(c.x, c.width), c.text) << c.x << " in " << c.width;
}

TEST_F(DbStringsTest, ShortIntegersAreClamped)
{
    struct {
        const char* in;
        int16_t v;
    } cases[] = {{"99999", 32767}, {"-12abc", -12},    {"", 0},
                 {" +42", 42},     {"-99999", -32768}, {"1,234", 1234}};
    for (const auto& c : cases)
        EXPECT_EQ(TextToShortInt(c.in), c.v) << c.in;
}

TEST_F(DbStringsTest, FileNameParts)
{
    EXPECT_EQ(DefaultExtension("c:\\data\\parts", "dbf"), "c:\\data\\parts.dbf");
    EXPECT_EQ(DefaultExtension("parts.old", "dbf"), "parts.old");
    EXPECT_EQ(ForceExtension("parts.old", "dbf"), "parts.dbf");
    EXPECT_EQ(StripExtension("/a/b.c/parts.dbf"), "/a/b.c/parts");
    EXPECT_EQ(DefaultExtension("/a/b.c/parts", "DBF"), "/a/b.c/parts.DBF");
    std::string d, n, e;
    FSplit("/data/tables/gear.mat.dbf", d, n, e);
    EXPECT_EQ(d, "/data/tables/");
    EXPECT_EQ(n, "gear.mat");
    EXPECT_EQ(e, ".dbf");
}

TEST_F(DbStringsTest, StringFunctions)
{
    EXPECT_EQ(UpperStr("abc\xE4\xFF"), "ABC\xC4\x9F");
    EXPECT_TRUE(IsAlphaStr("\xC4x"));
    EXPECT_FALSE(IsAlphaStr("1a"));
    EXPECT_FALSE(IsAlphaStr(""));
    EXPECT_EQ(Replicate('*', 3), "***");
    EXPECT_EQ(Replicate('*', -1), "");
    EXPECT_EQ(PadRight("ab", 4), "ab  ");
    EXPECT_EQ(PadRight("abcde", 4), "abcde");
    EXPECT_EQ(IntToPadText(-42, 5), "  -42");
    EXPECT_EQ(FloatToText(3.14159L, 8, 2), "    3.14");
    dbdates.DecimalChar = ',';
    EXPECT_EQ(FloatToText(-2.5L, 6, 1), "  -2,5");
    EXPECT_EQ(FloatToText(12.0L, 4, 0), "  12");
    const char a[] = "mit";
    const char b[] = "SMITH";
    EXPECT_EQ(PosNoCase(a, 3, b, 5), 2);
    EXPECT_EQ(PosNoCase(a, 3, b, 3), 0);
}

TEST_F(DbStringsTest, FilesAreFoundIgnoringCase)
{
    std::ofstream(Path("parts.dbf")) << "x";
    EXPECT_TRUE(FileExistsStr(Path("PARTS.DBF")));
    EXPECT_EQ(ResolveFileName(Path("PARTS.DBF")), Path("parts.dbf"));
    EXPECT_FALSE(FileExistsStr(Path("PARTS.NDX")));
    EXPECT_TRUE(FileDatedToday(Path("Parts.Dbf")));
}

TEST_F(DbStringsTest, EraseFilesByMask)
{
    EraseFiles(Path("*.zzz"));
    EXPECT_EQ(dberror.DbErrorCode, 18);
    EXPECT_TRUE(boxes.empty());
    std::ofstream(Path("a.tmp")) << "1";
    std::ofstream(Path("B.TMP")) << "2";
    std::ofstream(Path("keep.dbf")) << "3";
    EraseFiles(Path("*.tmp"));
    EXPECT_FALSE(FileExistsStr(Path("a.tmp")));
    EXPECT_FALSE(FileExistsStr(Path("B.TMP")));
    EXPECT_TRUE(FileExistsStr(Path("keep.dbf")));
    EXPECT_EQ(EraseFile(Path("keep.dbf")), 0);
    EXPECT_EQ(EraseFile(Path("keep.dbf")), 2);
}

TEST_F(DbStringsTest, TemporaryNamesAndFreeSpace)
{
    std::string a = UniqueFilename();
    std::string b = UniqueFilename();
    ASSERT_FALSE(a.empty());
    EXPECT_NE(a, b);
    EXPECT_TRUE(FileExistsStr(a));
    EXPECT_NE(a.find("TZP"), std::string::npos);
    std::remove(a.c_str());
    std::remove(b.c_str());
    EXPECT_GT(DiskFreeKB(dir), 0.0L);
    EXPECT_EQ(DiskFreeKB(Path("no/such/dir")), 2147483647.0L);
}

} // namespace
