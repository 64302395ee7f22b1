#include "xbase/core/dberror.h"

#include "xbase_fixture.h"

namespace
{

class DbErrorTest : public XbaseTest
{
};

struct TTextCase {
    uint16_t code;
    const char* text;
};

TEST_F(DbErrorTest, ErrorTextGivesNumberAndTableText)
{
    const TTextCase cases[] = {
        {0, ""},
        {2, "Error # 2 (File not found)"},
        {4, "Error # 4 (Too many open files)"},
        {18, "Error # 18 (Too many open files)"},
        {7, "Error # 7 (Undefined error)"},
        {151, "Error # 151 (Unknown unit)"},
        {162, "Error # 162 (File sharing violation)"},
        {101, "Error # 101 (Disk write error (probable cause: Disk Full).)"},
        {210, "Error # 210 (Not a dBASE data file)"},
        {222, "Error # 222 (Corrupted index file)"},
        {227, "Error # 227 (Insufficient disk space )"},
        {228, "Error # 228 (Unbalanced Push/Pop operation )"},
        {356, "Error # 356 (Undefined error)"},
        {1103, "Error # 1103 (Invalid Operation )"},
        {1203, "Error # 1203 (Network Error)"},
        {1250, "Error # 1250 (Network Error)"},
        {1299, "Error # 1299 (Network Error)"},
        {1300, "Error # 1300 (File format not supported)"},
        {1301, "Error # 1301 (Undefined error)"},
        {65535, "Error # 65535 (Undefined error)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorText(c.code), c.text) << "code " << c.code;
}

TEST_F(DbErrorTest, ReportedErrorIsShownAndTheProgramGoesOn)
{
    SetError(217, " [PARSER/SStackCheck]");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], std::string(LibraryErrorCaption) +
                            "|Error # 217 (Insufficient memory)\r\n [PARSER/SStackCheck]");
    EXPECT_EQ(dberror.DbErrorCode, 217);
    EXPECT_FALSE(dberror.ErrorHalting);
    // A second error is still reported: nothing halted.
    SetError(2, "x [OpenDbf]");
    EXPECT_EQ(boxes.size(), 2u);
}

TEST_F(DbErrorTest, GetErrorMessageHandsTheMessageOutOnce)
{
    SetAutoReport(false);
    SetError(2, "PARTS.DBF [USE]");
    EXPECT_EQ(GetErrorMessage(), "Error # 2 (File not found)\r\nPARTS.DBF [USE]");
    EXPECT_EQ(GetErrorMessage(), "");
    EXPECT_EQ(dberror.DbErrorCode, 2);
}

TEST_F(DbErrorTest, WithoutAutoReportOnlyTheThreeValuesChange)
{
    EXPECT_TRUE(SetAutoReport(false));
    SetError(212, "detail [GO]");
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(dberror.DbErrorCode, 212);
    EXPECT_EQ(dberror.PendingErrorCode, 212);
    EXPECT_EQ(dberror.DbErrorText, "detail [GO]");
    EXPECT_FALSE(SetAutoReport(true));
}

TEST_F(DbErrorTest, LongMessageIsCutInTheBoxButRaisedWhole)
{
    const std::string detail(300, 'x');
    SetError(220, detail);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].size(), std::string(LibraryErrorCaption).size() + 1 + 255);

    SetRaiseErrors(true);
    try {
        SetError(220, detail);
        FAIL() << "EXbaseError expected";
    } catch (const EXbaseError& e) {
        EXPECT_EQ(std::string(e.what()), "Error # 220 (Invalid parameter)\r\n" + detail);
    }
    EXPECT_EQ(dberror.DbErrorCode, 220);
    EXPECT_EQ(dberror.PendingErrorCode, 0);
    EXPECT_TRUE(dberror.DbErrorText.empty());
}

TEST_F(DbErrorTest, CodeZeroRecordsButReportsNothing)
{
    SetError(0, "nothing [X]");
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(dberror.DbErrorText, "nothing [X]");
}

TEST_F(DbErrorTest, UserErrorProcReplacesTheBox)
{
    int calls = 0;
    dberror.UserErrorProc = [&] { ++calls; };
    SetError(5, "[X]");
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(DbErrorTest, FreeMemOfNullReportsCode9)
{
    void* p = nullptr;
    FreeMem(p, 10);
    EXPECT_EQ(dberror.DbErrorCode, 9);
    EXPECT_EQ(p, nullptr);
    GetMem(p, 16);
    ASSERT_NE(p, nullptr);
    FreeMem(p, 16);
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(MaxAvail(), 2147483647);
}

TEST_F(DbErrorTest, TrimsRemoveBlanksAndControlCharacters)
{
    struct {
        const char* in;
        const char* all;
        const char* right;
        const char* left;
    } cases[] = {
        {"  ab c \t\r\n", "ab c", "  ab c", "ab c \t\r\n"},
        {" \x01\x1f ", "", "", ""},
        {"", "", "", ""},
        {"x", "x", "x", "x"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AllTrim(c.in), c.all);
        EXPECT_EQ(TrimRightStr(c.in), c.right);
        EXPECT_EQ(TrimLeftStr(c.in), c.left);
    }
}

TEST_F(DbErrorTest, OemConversionKeepsLengthAndAscii)
{
    EXPECT_EQ(StrAnsiToOem(""), "");
    EXPECT_EQ(StrOemToAnsi(""), "");
    EXPECT_EQ(StrAnsiToOem("PARTS 123"), "PARTS 123");
    EXPECT_EQ(StrOemToAnsi("PARTS 123"), "PARTS 123");
    // A capital A umlaut is 0xC4 in Windows 1252 and 0x8E in code page 437.
    EXPECT_EQ(StrAnsiToOem("\xC4x"), "\x8Ex");
    EXPECT_EQ(StrOemToAnsi("\x8E\x81"), "\xC4\xFC");
}

} // namespace
