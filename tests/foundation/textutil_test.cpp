#include "foundation/datetexts.h"
#include "foundation/programsettings.h"
#include "foundation/programstate.h"
#include "foundation/textutil.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

class TextUtil : public ::testing::Test
{
};

TEST_F(TextUtil, DateLayouts)
{
    struct Case {
        int code;
        const char* want;
    };
    for (const Case c : {Case{1, "07.03.2024"}, Case{2, "03/07/2024"}, Case{3, "2024-03-07"},
                         Case{4, "07/03/2024"}, Case{9, "2024/03/07"}, Case{0, "2024/03/07"}}) {
        wtelmvar.DateFormatCode = static_cast<uint16_t>(c.code);
        EXPECT_EQ(FormatDateText(2024, 3, 7), c.want) << "code " << c.code;
    }
    wtelmvar.DateFormatCode = 1;
    EXPECT_EQ(FormatDateText(1999, 12, 31), "31.12.1999");
    EXPECT_EQ(wtelmvar.DateFormatCode, 1);
}

struct WrapCase {
    std::string text;
    char sep;
    int width;
    std::vector<std::string> pieces;
    int maxLen;
};

TEST_F(TextUtil, WrapText)
{
    const std::string a100(100, 'a');
    const std::vector<WrapCase> cases = {
        {a100, ' ', 64, {std::string(64, 'a'), std::string(36, 'a')}, 64},
        {"aaa bbb ccc", ' ', 5, {"aaa ", "bbb ", "ccc"}, 4},
        // A separator at position Width itself is not searched for.
        {"abcde fgh", ' ', 5, {"abcde", " fgh"}, 5},
        {"abcd efgh", ' ', 5, {"abcd ", "efgh"}, 5},
        {"1,2,3,4", ',', 4, {"1,", "2,", "3,4"}, 3},
        {"short", ' ', 64, {"short"}, 5},
        {"", ' ', 64, {}, 1},
        {"x", ' ', 64, {"x"}, 1},
    };
    for (const auto& c : cases) {
        int count = -1;
        int maxLen = -1;
        WrapText(c.text, c.sep, c.width, count, maxLen);
        ASSERT_EQ(count, static_cast<int>(c.pieces.size())) << c.text;
        EXPECT_EQ(maxLen, c.maxLen) << c.text;
        for (int i = 1; i <= count; ++i)
            EXPECT_EQ(telmvar.WrappedTextLines[i], c.pieces[static_cast<std::size_t>(i - 1)]) << c.text;
    }
}

TEST_F(TextUtil, WrapTextKeepsTheRestInTheFifthLine)
{
    int count = 0;
    int maxLen = 0;
    WrapText(std::string(400, 'z'), ' ', 64, count, maxLen);
    EXPECT_EQ(count, 5);
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(telmvar.WrappedTextLines[i].size(), 64u) << i;
    EXPECT_EQ(telmvar.WrappedTextLines[5].size(), 400u - 4 * 64);
    EXPECT_EQ(maxLen, 144);
}

TEST_F(TextUtil, FitLeftAndFitRight)
{
    EXPECT_EQ(FitLeft("abc", 5), "abc  ");
    EXPECT_EQ(FitLeft("abcdefg", 3), "abc");
    EXPECT_EQ(FitLeft("abc", 0), "");
    EXPECT_EQ(FitRight(" abc ", 5), "  abc");
    EXPECT_EQ(FitRight("abcdefg", 3), "abc");
    EXPECT_EQ(FitRight("  ", 2), "  ");
}

TEST_F(TextUtil, LeftRightAndPositions)
{
    EXPECT_EQ(LeftStr("abcdef", 2), "ab");
    EXPECT_EQ(LeftStr("ab", 5), "ab");
    EXPECT_EQ(RightStr("abcdef", 2), "ef");
    EXPECT_EQ(RightStr("ab", 5), "ab");
    EXPECT_EQ(RightStr("ab", -1), "");
    EXPECT_EQ(LastPos("ab", "xabyab"), 5);
    EXPECT_EQ(LastPos("\\", "C:\\dir\\file"), 7);
    EXPECT_EQ(LastPos("q", "abc"), 0);
    EXPECT_EQ(LastPos("abcd", "abc"), 0);
    EXPECT_EQ(CountChar('.', "a.b.c"), 2);
    EXPECT_EQ(CountChar('x', ""), 0);
}

TEST_F(TextUtil, BlanksAndCase)
{
    EXPECT_EQ(TrimBlanks("  a b  "), "a b");
    EXPECT_EQ(TrimBlanks("\ta\t "), "\ta\t");
    EXPECT_EQ(TrimBlanks("   "), "");
    std::string s = "  x ";
    TrimInPlace(s);
    EXPECT_EQ(s, "x");
    EXPECT_EQ(WithoutBlanks(" a b c "), "abc");
    s = "1 2 3";
    RemoveBlanks(s);
    EXPECT_EQ(s, "123");
    EXPECT_EQ(UpperCaseText("ab\x84z"), "AB\x84Z");
    EXPECT_EQ(LowerCaseText("AB\x8EZ"), "ab\x8Ez");
    s = "a-b-c";
    ReplaceChar('-', '+', s);
    EXPECT_EQ(s, "a+b+c");
    EXPECT_EQ(PointToComma("1.5.2"), "1,5,2");
    EXPECT_EQ(CommaToPoint("1,5,2"), "1.5.2");
    EXPECT_EQ(CommaToPoint2("0,25"), "0.25");
}

TEST_F(TextUtil, YesNoAndLetters)
{
    EXPECT_TRUE(IsYesChar('J'));
    EXPECT_TRUE(IsYesChar('Y'));
    EXPECT_FALSE(IsYesChar('j'));
    EXPECT_FALSE(IsYesChar('y'));
    EXPECT_FALSE(IsYesChar('N'));
    EXPECT_EQ(YesNoChar(true), 'J');
    EXPECT_EQ(YesNoChar(false), 'N');
    EXPECT_EQ(IndexToLetter(1), 'A');
    EXPECT_EQ(IndexToLetter(26), 'Z');
}

TEST_F(TextUtil, OverwriteAtOnlyWhenTheTextFits)
{
    struct Case {
        int pos;
        const char* want;
    };
    for (const Case c :
         {Case{1, "XYcde"}, Case{4, "abcXY"}, Case{5, "abcde"}, Case{0, "abcde"}, Case{-3, "abcde"}}) {
        std::string dest = "abcde";
        OverwriteAt("XY", dest, c.pos);
        EXPECT_EQ(dest, c.want) << "pos " << c.pos;
    }
    std::string shortDest = "a";
    OverwriteAt("XY", shortDest, 1);
    EXPECT_EQ(shortDest, "a");
}

TEST_F(TextUtil, ShortenMiddle)
{
    const std::string s30 = "abcdefghijklmnopqrstuvwxyz0123";
    EXPECT_EQ(ShortenMiddle(s30, 20), "abcdefgh__wxyz0123");
    EXPECT_EQ(ShortenMiddle(s30, 31), s30);
    // A text exactly MaxLen long is shortened too.
    EXPECT_EQ(ShortenMiddle("abcdefghijk", 11), "abc__ijk");
    EXPECT_EQ(ShortenMiddle("abcdefghijkl", 12), "abcd__ijkl");
    EXPECT_EQ(ShortenMiddle("abcdefghij", 10), "abcdefghij");
    EXPECT_EQ(ShortenMiddle("abcdefghij", 4), "abcd");
}

TEST_F(TextUtil, AbbreviateMiddle)
{
    EXPECT_EQ(AbbreviateMiddle("abcdefghijklmnopqrst", 12), "abc ... qrst");
    EXPECT_EQ(AbbreviateMiddle("abcdefghijkl", 12), "abcdefghijkl");
    EXPECT_EQ(AbbreviateMiddle("abcdefghijklm", 4), " ... m");
}

TEST_F(TextUtil, CommandLineParamsIgnoreCase)
{
    const char* argv[] = {"wqyr7", "/Demo", "project.qy7"};
    SetCommandLineParams(3, argv);
    EXPECT_TRUE(HasCommandLineParam("/DEMO"));
    EXPECT_TRUE(HasCommandLineParam("/demo"));
    EXPECT_TRUE(HasCommandLineParam("PROJECT.QY7"));
    EXPECT_FALSE(HasCommandLineParam("wqyr7"));
    EXPECT_FALSE(HasCommandLineParam("/dem"));
}

} // namespace
