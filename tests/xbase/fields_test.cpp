#include "cmd_fixture.h"
#include "xbase/core/dbdates.h"

#include <cstring>

namespace
{

class FieldsTest : public CmdTest
{
  protected:
    void SetUp() override
    {
        CmdTest::SetUp();
        dbdates.EpochYear = 1956;
        // NAME C10, MADE D, PRICE N8.2, QTY N5, OK L, NOTE M
        MakeTable("parts.dbf",
                  {{"NAME", 'C', 10, 0, 0},
                   {"MADE", 'D', 8, 0, 0},
                   {"PRICE", 'N', 8, 2, 0},
                   {"QTY", 'N', 5, 0, 0},
                   {"OK", 'L', 1, 0, 0},
                   {"NOTE", 'M', 10, 0, 0}},
                  {std::string("Spur gear ") + "20240131" + "  123.45" + "    7" + "T" + "          ",
                   std::string("Helix     ") + "        " + "   -1.50" + "   -3" + "F" + "        12"});
        ASSERT_TRUE(UseFile(Path("PARTS")));
    }
};

TEST_F(FieldsTest, NativeLayout)
{
    TWorkArea* a = SelectedArea();
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(NativeRecordSize(*a), 1 + 11 + 11 + 8 + 4 + 1 + 4);
    EXPECT_EQ(FieldAddress(0), a->NativeRecord);
    struct {
        int field;
        std::ptrdiff_t offset;
    } cases[] = {{1, 1}, {2, 12}, {3, 23}, {4, 31}, {5, 35}, {6, 36}};
    for (const auto& c : cases)
        EXPECT_EQ(FieldAddress(c.field) - a->NativeRecord, c.offset) << "field " << c.field;
}

TEST_F(FieldsTest, RecordToNativeAndText)
{
    EXPECT_EQ(RecNo(), 1);
    EXPECT_EQ(GetNativeText(1), "Spur gear ") << "C keeps its trailing blanks, length 10";
    EXPECT_EQ(FieldAddress(1)[0], 10);
    EXPECT_EQ(GetNativeText(2), "01/31/24");
    EXPECT_DOUBLE_EQ(GetNativeDouble(3), 123.45);
    EXPECT_EQ(GetNativeInt(4), 7);
    EXPECT_TRUE(GetNativeBool(5));
    EXPECT_EQ(GetNativeInt(6), 0);
    struct {
        int field;
        const char* text;
    } texts[] = {{1, "Spur gear "}, {2, "01/31/24"}, {3, "  123.45"}, {4, "    7"}, {5, "Y"}, {6, "none"}};
    for (const auto& t : texts)
        EXPECT_EQ(SField(t.field), t.text) << "field " << t.field;
    SKIP(1);
    EXPECT_EQ(SField(2), "  /  /  ") << "empty date";
    EXPECT_EQ(SField(3), "   -1.50");
    EXPECT_EQ(SField(4), "   -3");
    EXPECT_EQ(SField(5), "N");
    EXPECT_EQ(SField(6), "MEMO");
    SetNativeInt(6, -4);
    EXPECT_EQ(SField(6), "BLOB");
    dbdates.DecimalChar = ',';
    dbcmd.LogicalChars = "FT";
    EXPECT_EQ(SField(3), "   -1,50");
    EXPECT_EQ(SField(5), "F");
}

// A number is shown as its value with the field's decimals, whatever its
// stored text looks like; a stored text already in that form is shown as
// it is, and a value changed in the native record is shown changed.
TEST_F(FieldsTest, NumbersShowTheirValueNotTheirStoredText)
{
    MakeTable("numbers.dbf", {{"X", 'N', 9, 3, 0}, {"N", 'N', 5, 0, 0}},
              {"    2.500   12", "      2.5  007", "   +2.500  -12", "   02.500   -0", "2.5      12   ",
               "   -0.250    0", "              ", "   1.2345  ***"});
    ASSERT_TRUE(UseFile(Path("numbers") + " EXCLUSIVE"));
    const char* const shown[][2] = {{"    2.500", "   12"}, {"    2.500", "    7"}, {"    2.500", "  -12"},
                                    {"    2.500", "    0"}, {"    2.500", "   12"}, {"   -0.250", "    0"},
                                    {"    0.000", "    0"}, {"    1.234", "    0"}};
    int32_t n = 1;
    for (const auto& s : shown) {
        GO(n);
        EXPECT_EQ(SField(1), s[0]) << "record " << n;
        EXPECT_EQ(SField(2), s[1]) << "record " << n;
        ++n;
    }
    GO(1);
    SetNativeDouble(1, 3.25);
    SetNativeInt(2, 345);
    EXPECT_EQ(SField(1), "    3.250");
    EXPECT_EQ(SField(2), "  345");
    dbdates.DecimalChar = ',';
    GO(6);
    EXPECT_EQ(SField(1), "   -0,250");
}

TEST_F(FieldsTest, NativeToRecord)
{
    struct {
        int field;
        std::function<void()> set;
        std::string stored;
    } cases[] = {
        {1, [] { SetNativeText(1, "AB"); }, "AB        "},
        {3, [] { SetNativeDouble(3, 123.456); }, "  123.46"},
        {3, [] { SetNativeDouble(3, 123456.789); }, "********"},
        {3, [] { SetNativeDouble(3, -0.001); }, "    0.00"},
        {4, [] { SetNativeInt(4, -1234); }, "-1234"},
        {4, [] { SetNativeInt(4, 123456); }, "*****"},
        {5, [] { SetNativeBool(5, false); }, "F"},
        {2, [] { SetNativeText(2, "12/24/98"); }, "19981224"},
        {2, [] { SetNativeText(2, "  /  /  "); }, "        "},
        {2, [] { SetNativeText(2, ""); }, "        "},
        {2, [] { SetNativeText(2, "1/2/3"); }, "20030102"},
        {2, [] { SetNativeText(2, "13/45/98"); }, "        "},
        {6, [] { SetNativeInt(6, 12); }, "        12"},
        {6, [] { SetNativeInt(6, 0); }, "          "},
    };
    TWorkArea* a = SelectedArea();
    SetAutoReport(false);
    for (const auto& c : cases) {
        c.set();
        WriteNative(*a);
        const TDbfField& f = a->Fields[static_cast<std::size_t>(c.field - 1)];
        EXPECT_EQ(a->RecordBuffer.substr(f.Offset, f.Length), c.stored) << "field " << c.field;
    }
    SetNativeText(2, "13/45/98");
    dberror.DbErrorCode = 0;
    WriteNative(*a);
    EXPECT_EQ(dberror.DbErrorCode, 13) << "an impossible date is reported";
    SetNativeText(1, "AB");
    WriteNative(*a);
    ReadNative(*a);
    EXPECT_EQ(GetNativeText(1), "AB        ") << "read back with length 10";
}

TEST_F(FieldsTest, DatesFollowTheNationalLayout)
{
    SetDateFormat(2);
    GO(1);
    EXPECT_EQ(GetNativeText(2), "31/01/24");
    TWorkArea* a = SelectedArea();
    WriteNative(*a);
    EXPECT_EQ(a->RecordBuffer.substr(11, 8), "20240131") << "the century rule gives 20";
    EXPECT_EQ(FieldLen(2), 8);
    dbdates.DateCentury = true;
    EXPECT_EQ(FieldLen(2), 10);
    GO(1);
    EXPECT_EQ(GetNativeText(2), "31/01/2024");
    const char* const layouts[] = {"01/31/2024", "2024.01.31", "31/01/2024", "31-01-2024", "31.01.2024",
                                   "31.01.2024", "31.01.2024", "31.01.2024", "31.01.2024"};
    for (uint8_t code = 0; code <= 8; ++code) {
        SetDateFormat(code);
        dbdates.DateCentury = true;
        GO(1);
        EXPECT_EQ(GetNativeText(2), layouts[code]) << "layout " << int(code);
    }
}

TEST_F(FieldsTest, FieldInformation)
{
    EXPECT_EQ(FieldCount(), 6);
    EXPECT_EQ(FieldNo("name "), 1);
    EXPECT_EQ(FieldNo(" qty"), 4);
    EXPECT_EQ(FieldNo("missing"), 0);
    EXPECT_EQ(Field(3), "PRICE");
    EXPECT_EQ(FieldType(3), 'N');
    EXPECT_EQ(FieldDec(3), 2);
    EXPECT_EQ(FieldLen(1), 10);
    SetAutoReport(false);
    struct {
        std::function<void()> call;
        const char* text;
    } bad[] = {
        {[] { FieldType(0); }, "Invalid field number. [FieldType(0)]"},
        {[] { FieldLen(7); }, "Invalid field number. [FieldLen(7)]"},
        {[] { FieldDec(9); }, "Invalid field number. [FieldDec(9)]"},
        {[] { FieldAddress(7); }, "Invalid field number. [FieldAddress(7)]"},
        {[] { Field(0); }, "Invalid field number. [Field(0)]"},
    };
    for (const auto& b : bad) {
        dberror.DbErrorCode = 0;
        b.call();
        EXPECT_EQ(dberror.DbErrorCode, 220);
        EXPECT_EQ(dberror.DbErrorText, b.text);
    }
    Select(2);
    dberror.DbErrorCode = 0;
    EXPECT_EQ(FieldCount(), 0);
    EXPECT_EQ(dberror.DbErrorCode, 215);
    EXPECT_EQ(dberror.DbErrorText, "No database in use [FieldCount()]  WorkArea = 2");
}

TEST_F(FieldsTest, ClearRecordBlanksEveryField)
{
    ClearRecord();
    EXPECT_EQ(GetNativeText(1), "          ");
    EXPECT_EQ(GetNativeText(2), "  /  /  ");
    EXPECT_EQ(GetNativeDouble(3), 0.0);
    EXPECT_EQ(GetNativeInt(4), 0);
    EXPECT_FALSE(GetNativeBool(5));
    EXPECT_FALSE(Deleted());
}

TEST_F(FieldsTest, IntegerBeyond32BitsIsReportedNotCut)
{
    CloseArea();
    MakeTable("big.dbf", {{"COUNT", 'N', 12, 0, 0}}, {" 99999999999", "         -42"});
    boxes.clear();
    ASSERT_TRUE(UseFile(Path("big.dbf")));
    EXPECT_EQ(GetNativeInt(1), 2147483647) << "clamped, not wrapped";
    EXPECT_EQ(dberror.DbErrorCode, 201);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("Field COUNT = 99999999999 exceeds the integer range"), std::string::npos);
}

// 437 in the file, 1252 read (0x14, 0x15, 0x8E -> 0xB6, 0xA7, 0xC4), in the first 16 bytes and the last.
TEST_F(FieldsTest, OemTextIsReadAsWindowsTextToItsLastByte)
{
    CloseArea();
    const std::pair<std::string, std::string> cases[] = {
        {"\x14 x\x15", "\xB6 x\xA7"},
        {std::string("a\0b", 3), std::string("a\0b", 3)},
        {"\x15 first of a long text", "\xA7 first of a long text"},
        {"plain text long enough for 16", "plain text long enough for 16"},
        {"at the very end of it \x8E\x14", "at the very end of it \xC4\xB6"}};
    for (const auto& [stored, read] : cases) {
        MakeTable("o.dbf", {{"T", 'C', static_cast<uint8_t>(stored.size()), 0, 0}}, {stored});
        ASSERT_TRUE(UseFile(Path("o.dbf")));
        EXPECT_EQ(GetNativeText(1), read) << stored;
        CloseAll();
    }
}

} // namespace
