// Append from another table, delimited text import and export.

#include "desktop.h"
#include "table_fixture.h"

#include "platform/notewindow.h"
#include "xbase/core/dbdates.h"
#include "xbase/core/dberror.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace
{

class Transfer : public TableTest
{
  protected:
    std::string ReadText(const std::string& name)
    {
        const auto bytes = ReadBytes(Path(name));
        return std::string(bytes.begin(), bytes.end());
    }
    void WriteText(const std::string& name, const std::string& text)
    {
        WriteBytes(Path(name), std::vector<uint8_t>(text.begin(), text.end()));
    }
};

const std::vector<TDbfField> PartFields = {
    {"NAME", 'C', 10, 0, 0}, {"PRICE", 'N', 8, 2, 0}, {"QTY", 'N', 5, 0, 0},
    {"BORN", 'D', 8, 0, 0},  {"OK", 'L', 1, 0, 0},
};

TEST_F(Transfer, SameStructureCopiesEveryRecordWithItsDeleteFlag)
{
    CreateAndUse(2, "source.dbf", PartFields);
    AddRecord({std::string("BOLT"), 1.25, 100.0, std::string("12/24/98"), true});
    AddRecord({std::string("NUT"), 0.1, 50.0, std::string("  /  /  "), false}, true);
    CreateAndUse(1, "target.dbf", PartFields);
    EXPECT_EQ(AppendFrom(Path("source.dbf")), 0) << dberror.DbErrorText;
    EXPECT_EQ(CurrentAreaNo(), 1);
    ASSERT_EQ(RecCount(), 2);
    EXPECT_EQ(Stored(0, 1), " ");
    EXPECT_EQ(Stored(0, 2), "*");
    EXPECT_EQ(Stored(1, 1), "BOLT      ");
    EXPECT_EQ(Stored(2, 1), "    1.25");
    EXPECT_EQ(Stored(3, 2), "   50");
    EXPECT_EQ(Stored(4, 1), "19981224");
    EXPECT_EQ(Stored(5, 1), "T");
    // The source stayed open in its own area and was not touched.
    Select(2);
    EXPECT_EQ(RecCount(), 2);
}

TEST_F(Transfer, SourceNotOpenIsOpenedAndClosedAgain)
{
    CreateAndUse(2, "source.dbf", PartFields);
    AddRecord({std::string("BOLT"), 1.25, 100.0, std::string("12/24/98"), true});
    CloseArea();
    CreateAndUse(1, "target.dbf", PartFields);
    EXPECT_EQ(AppendFrom(Path("source")), 0); // default extension DBF
    EXPECT_EQ(RecCount(), 1);
    EXPECT_EQ(dbcmd.WorkAreas[35], nullptr);
}

TEST_F(Transfer, FieldsAreConvertedByName)
{
    CreateAndUse(2, "source.dbf",
                 {{"PRICE", 'N', 8, 2, 0},
                  {"QTY", 'N', 5, 0, 0},
                  {"CNUM", 'C', 12, 0, 0},
                  {"CDATE", 'C', 10, 0, 0},
                  {"BAD", 'C', 10, 0, 0},
                  {"BORN", 'D', 8, 0, 0},
                  {"OK", 'L', 1, 0, 0},
                  {"FLAG", 'C', 1, 0, 0},
                  {"WEIGHT", 'N', 8, 3, 0}});
    AddRecord({123.45, 42.0, std::string(" 17.5"), std::string("12/24/98"), std::string("13/45/98"),
               std::string("12/24/98"), true, std::string("T"), 2.5});
    CreateAndUse(1, "target.dbf",
                 {{"PRICE", 'C', 5, 0, 0},   // N(8,2) into C(5): too long
                  {"QTY", 'C', 8, 0, 0},     // N into C
                  {"CNUM", 'N', 6, 1, 0},    // C into N
                  {"CDATE", 'D', 8, 0, 0},   // valid date text into D
                  {"BAD", 'D', 8, 0, 0},     // invalid date text: empty
                  {"BORN", 'C', 8, 0, 0},    // D into C
                  {"OK", 'C', 1, 0, 0},      // L into C
                  {"FLAG", 'L', 1, 0, 0},    // C into L: false
                  {"WEIGHT", 'N', 5, 0, 0},  // float into integer: rounded
                  {"EXTRA", 'C', 4, 0, 0}}); // no source field
    EXPECT_EQ(AppendFrom(Path("source.dbf")), 0) << dberror.DbErrorText;
    ASSERT_EQ(RecCount(), 1);
    EXPECT_EQ(Stored(1, 1), "*****");
    EXPECT_EQ(Stored(2, 1), "      42"); // right-aligned in the target's length
    EXPECT_EQ(Stored(3, 1), "  17.5");
    EXPECT_EQ(Stored(4, 1), "19981224");
    EXPECT_EQ(Stored(5, 1), "        ");
    EXPECT_EQ(Stored(6, 1), "12/24/98");
    EXPECT_EQ(Stored(7, 1), "T");
    EXPECT_EQ(Stored(8, 1), "F");
    EXPECT_EQ(Stored(9, 1), "    3");
    EXPECT_EQ(Stored(10, 1), "    ");
}

TEST_F(Transfer, DateIntoShortTextLosesTheCentury)
{
    dbdates.DateCentury = true;
    CreateAndUse(2, "source.dbf", {{"BORN", 'D', 8, 0, 0}});
    AddRecord({std::string("12/24/1998")});
    CreateAndUse(1, "target.dbf", {{"BORN", 'C', 8, 0, 0}});
    EXPECT_EQ(AppendFrom(Path("source.dbf")), 0);
    EXPECT_EQ(Stored(1, 1), "12/24/98");
    dbdates.DbDateFormat = 1;
    CloseArea();
    CreateAndUse(1, "target1.dbf", {{"BORN", 'C', 8, 0, 0}});
    EXPECT_EQ(AppendFrom(Path("source.dbf")), 0);
    EXPECT_EQ(Stored(1, 1), "98.12.24");
}

TEST_F(Transfer, AppendFromRefusals)
{
    CreateAndUse(1, "target.dbf", PartFields);
    EXPECT_EQ(AppendFrom(Path("target.dbf")), 214);
    EXPECT_EQ(dberror.DbErrorText,
              "Attempting to append file to itself. [AppendFrom(" + Path("target.dbf") + ")]");
    EXPECT_EQ(AppendFrom(Path("missing.dbf")), 2);
    EXPECT_EQ(AppendFrom("NOSUCH VIRTUAL FILE"), 215);
    EXPECT_EQ(dberror.DbErrorText, "Virtual file must be open. [AppendFrom(NOSUCH VIRTUAL FILE)]");
    Select(5);
    EXPECT_EQ(AppendFrom(Path("target.dbf")), 215);
}

TEST_F(Transfer, ContinueFunctionStopsTheTransfer)
{
    CreateAndUse(2, "source.dbf", PartFields);
    for (int i = 0; i < 5; ++i)
        AddRecord({std::string("P") + std::to_string(i), 1.0, 1.0, std::string("  /  /  "), false});
    GoTop();
    CreateAndUse(1, "target.dbf", PartFields);
    int asked = 0;
    EXPECT_EQ(AppendFrom(Path("source.dbf"), [&asked] { return ++asked <= 3; }), 0);
    EXPECT_EQ(RecCount(), 3);
}

TEST_F(Transfer, TextItemsWithQuotesAndSeparators)
{
    CreateAndUse(1, "target.dbf", {{"A", 'C', 5, 0, 0}, {"B", 'C', 5, 0, 0}, {"C", 'N', 4, 0, 0}});
    WriteText("in.txt", "ABC,\"X,Y\",  12\r\n");
    EXPECT_EQ(AppendFromText(Path("in"), false), 1);
    EXPECT_EQ(Stored(1, 1), "ABC  ");
    EXPECT_EQ(Stored(2, 1), "X,Y  ");
    EXPECT_EQ(Stored(3, 1), "  12");
}

TEST_F(Transfer, TextImportOfEveryType)
{
    CreateAndUse(1, "target.dbf", PartFields);
    WriteText("in.txt",
              "\"Bolt\",1.5,7,19981224,T\n" // LF only
              "Nut,  2,-3,12/24/98,y\r\n"   // a display date
              "Short\r\n"                   // fewer items: the rest stays blank
              "\x1A"
              "ignored,1,1,,T\r\n"); // 0x1A ends the file
    EXPECT_EQ(AppendFromText(Path("in.txt"), false), 3);
    ASSERT_EQ(RecCount(), 3);
    EXPECT_EQ(Stored(1, 1), "Bolt      ");
    EXPECT_EQ(Stored(2, 1), "    1.50");
    EXPECT_EQ(Stored(3, 1), "    7");
    EXPECT_EQ(Stored(4, 1), "19981224");
    EXPECT_EQ(Stored(5, 1), "T");
    EXPECT_EQ(Stored(3, 2), "   -3");
    EXPECT_EQ(Stored(4, 2), "19981224");
    EXPECT_EQ(Stored(5, 2), "T");
    EXPECT_EQ(Stored(2, 3), "    0.00");
    EXPECT_EQ(Stored(5, 3), "F");
}

TEST_F(Transfer, MissingTextFileReports)
{
    CreateAndUse(1, "target.dbf", PartFields);
    EXPECT_EQ(AppendFromText(Path("none.txt"), false), -1);
    EXPECT_EQ(dberror.DbErrorCode, 2);
    EXPECT_EQ(RecCount(), 0);
}

TEST_F(Transfer, ExportFileLayout)
{
    CreateAndUse(1, "parts.dbf", PartFields);
    AddRecord({std::string("Bolt"), 1.5, 7.0, std::string("12/24/98"), true});
    AddRecord({std::string(""), 0.0, 0.0, std::string("  /  /  "), false});
    ASSERT_TRUE(CopyToTextPlain(Path("out")));
    EXPECT_EQ(ReadText("out.TXT"), "\"Bolt\",1.50,7,19981224,T\r\n\"\",0.00,0,,F\r\n\x1A");
    ASSERT_TRUE(CopyToText(Path("head.txt"), true));
    EXPECT_EQ(ReadText("head.txt").substr(0, 34), "\"NAME\",\"PRICE\",\"QTY\",\"BORN\",\"OK\"\r\n");
}

TEST_F(Transfer, MemoFieldLeavesNoTraceOnBothSides)
{
    const std::vector<TDbfField> withMemo = {
        {"C1", 'C', 4, 0, 0}, {"NOTE", 'M', 10, 0, 0}, {"C2", 'C', 4, 0, 0}};
    CreateAndUse(1, "memo.dbf", withMemo);
    AddRecord({std::string("one"), std::string(), std::string("two")});
    ASSERT_TRUE(CopyToTextPlain(Path("memo.txt")));
    EXPECT_EQ(ReadText("memo.txt"), "\"one\",\"two\"\r\n\x1A");
    // Read back into the same structure, "two" lands in C2, not in the memo.
    CreateAndUse(2, "back.dbf", withMemo);
    EXPECT_EQ(AppendFromText(Path("memo.txt"), false), 1);
    EXPECT_EQ(Stored(1, 1), "one ");
    EXPECT_EQ(Stored(3, 1), "two ");
    // A memo field in last place leaves a trailing separator.
    CreateAndUse(3, "last.dbf", {{"C1", 'C', 4, 0, 0}, {"NOTE", 'M', 10, 0, 0}});
    AddRecord({std::string("x")});
    ASSERT_TRUE(CopyToTextPlain(Path("last.txt")));
    EXPECT_EQ(ReadText("last.txt"), "\"x\",\r\n\x1A");
}

TEST_F(Transfer, ExportThenImportGivesTheSameTable)
{
    CreateAndUse(1, "parts.dbf", PartFields);
    AddRecord({std::string("say \"hi\""), 1.5, 7.0, std::string("12/24/98"), true});
    AddRecord({std::string("a,b;c"), -2.25, -1.0, std::string("  /  /  "), false});
    AddRecord({std::string("\"\""), 99999.99, 99999.0, std::string("02/29/00"), true});
    AddRecord({std::string("  lead"), 0.0, 0.0, std::string("01/01/57"), false});
    ASSERT_TRUE(CopyToTextPlain(Path("round.txt")));
    CreateAndUse(2, "copy.dbf", PartFields);
    EXPECT_EQ(AppendFromText(Path("round.txt"), false), 4);
    ASSERT_EQ(RecCount(), 4);
    for (int32_t r = 1; r <= 4; ++r) {
        for (int f = 1; f <= 5; ++f) {
            Select(1);
            const std::string original = Stored(f, r);
            Select(2);
            EXPECT_EQ(Stored(f, r), original) << "field " << f << " of record " << r;
        }
    }
}

TEST_F(Transfer, SemicolonSeparatedWithoutQuotes)
{
    dbtransfer.TextSeparator = ';';
    dbtransfer.TextQuote = '\0';
    CreateAndUse(1, "parts.dbf", PartFields);
    AddRecord({std::string("O'Neil"), 1.0, 2.0, std::string("  /  /  "), false});
    ASSERT_TRUE(CopyToTextPlain(Path("semi.txt")));
    EXPECT_EQ(ReadText("semi.txt"), "O'Neil;1.00;2;;F\r\n\x1A");
    CreateAndUse(2, "copy.dbf", PartFields);
    EXPECT_EQ(AppendFromText(Path("semi.txt"), false), 1);
    EXPECT_EQ(Stored(1, 1), "O'Neil    ");
}

TEST_F(Transfer, LongLinesAreCutAndReported)
{
    dbtransfer.TextMaxLine = 16;
    CreateAndUse(1, "target.dbf", {{"A", 'C', 40, 0, 0}, {"B", 'C', 5, 0, 0}});
    WriteText("long.txt", std::string(30, 'x') + ",tail\r\nshort,ok\r\n");
    EXPECT_EQ(AppendFromText(Path("long.txt"), false), 2);
    EXPECT_EQ(Stored(1, 1), std::string(16, 'x') + std::string(24, ' '));
    EXPECT_EQ(Stored(2, 1), "     ");
    EXPECT_EQ(Stored(1, 2), "short" + std::string(35, ' '));
    EXPECT_EQ(Stored(2, 2), "ok   ");
    EXPECT_EQ(dberror.DbErrorCode, 220);
}

TEST_F(Transfer, OneRecordPerLineEvenAfterAnOpenQuote)
{
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        // text, field B of each record
        {"AB,\"CD\r\nE,F\r\nG,H\r\nI,J\r\nK,L\r\nM,N\r\n", {"CD  ", "F   ", "H   ", "J   ", "L   ", "N   "}},
        {"AB,\"CD\nE,\"F\nG,H", {"CD  ", "F   ", "H   "}},
    };
    for (const auto& [text, b] : cases) {
        CreateAndUse(1, "lines.dbf", {{"A", 'C', 2, 0, 0}, {"B", 'C', 4, 0, 0}});
        WriteText("lines.txt", text);
        EXPECT_EQ(AppendFromText(Path("lines.txt"), false), static_cast<int32_t>(b.size())) << text;
        EXPECT_EQ(dberror.DbErrorCode, 0) << text;
        for (std::size_t r = 0; r < b.size(); ++r)
            EXPECT_EQ(Stored(2, static_cast<int32_t>(r + 1)), b[r]) << text << " record " << r + 1;
        CloseAll();
    }
}

TEST_F(Transfer, ProgressWindowStepsWithTheFile)
{
    CreateAndUse(1, "target.dbf", {{"A", 'C', 5, 0, 0}});
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "row\r\n";
    WriteText("rows.txt", text);
    std::ostringstream echo;
    std::ostream* previous = platform::SetHeadlessNoteEcho(&echo);
    EXPECT_EQ(AppendFromText(Path("rows.txt"), true), 200);
    platform::SetHeadlessNoteEcho(previous);
    // The full bar first, then one step per hundredth of the file.
    const std::string out = echo.str();
    EXPECT_EQ(out.rfind("Appending... " + std::string(100, '|') + "\n", 0), 0u);
    EXPECT_NE(out.find("Appending... \n"), std::string::npos); // all 100 steps taken
}

} // namespace

namespace
{

// The items of each record of a text, as the import reads them.
std::vector<std::vector<std::string>> Records(const std::string& text, std::size_t maxChars = 2048)
{
    std::istringstream in(text);
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> items;
    bool cut = false;
    uint64_t consumed = 0;
    while (ReadTextRecord(in, maxChars, items, cut, consumed))
        records.push_back(items);
    return records;
}

using TItems = std::vector<std::vector<std::string>>;

TEST(TextRecords, QuotingRules)
{
    struct {
        const char* Text;
        TItems Expected;
    } cases[] = {
        {"ABC,\"X,Y\",  12\r\n", {{"ABC", "X,Y", "12"}}},
        {"a,,b\n", {{"a", "", "b"}}},
        {"a,\n", {{"a"}}},                                         // nothing after the last separator
        {"\"say \"\"hi\"\"\",2\r\n", {{"say \"hi\"", "2"}}},       // doubled quotes
        {"5\" pipe,3\r\nnext\r\n", {{"5\" pipe", "3"}, {"next"}}}, // a quote inside an item is data
        {"\"two\r\nlines\",x\r\ny\r\n", {{"two"}, {"lines\"", "x"}, {"y"}}}, // the line end closes the quote
        {"\"ends \x1A here\",1\r\n\x1A"
         "after\r\n",
         {{"ends \x1A here", "1"}}},
        {"\t  \"  keep  \"  ,z\r\n", {{"  keep    ", "z"}}}, // blanks after the closing quote are kept
        {"one\r\n\r\ntwo", {{"one"}, {}, {"two"}}},          // an empty line is an empty record
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Records(c.Text), c.Expected) << c.Text;
}

TEST(TextRecords, StrayQuoteDoesNotSwallowTheFile)
{
    std::string text = "\"open," + std::string(40, 'x') + "\r\n";
    for (int i = 0; i < 5; ++i)
        text += "line" + std::to_string(i) + "\r\n";
    const TItems records = Records(text, 20);
    // The open quote ends with its line (cut to 20 characters); every
    // following line is a record of its own.
    ASSERT_EQ(records.size(), 6u);
    EXPECT_EQ(records[0], std::vector<std::string>{"open," + std::string(15, 'x')});
    EXPECT_EQ(records.back(), std::vector<std::string>{"line4"});
}

TEST(TextRecords, SemicolonWithoutQuoting)
{
    dbtransfer.TextSeparator = ';';
    dbtransfer.TextQuote = '\0';
    EXPECT_EQ(Records("\"a\";b,c\r\n"), (TItems{{"\"a\"", "b,c"}}));
}

} // namespace

namespace
{

TEST_F(Transfer, TextThatIsNoDateIsStoredEmptyAndTheImportGoesOn)
{
    CreateAndUse(1, "target.dbf", PartFields);
    WriteText("dates.txt", "a,1,1,19981324\r\nb,1,1,13/45/98\r\nc,1,1,02/29/00\r\n");
    EXPECT_EQ(AppendFromText(Path("dates.txt"), false), 3);
    EXPECT_EQ(Stored(4, 1), "        ");
    EXPECT_EQ(Stored(4, 2), "        ");
    EXPECT_EQ(Stored(4, 3), "20000229");
    EXPECT_EQ(dberror.DbErrorCode, 13);
    EXPECT_NE(dberror.DbErrorText.find("2 texts that are no date were stored as empty dates"),
              std::string::npos)
        << dberror.DbErrorText;
}

} // namespace

namespace
{

TEST_F(Transfer, DatesOutsideTheTwoDigitWindowKeepTheirCentury)
{
    // The window runs from 1956 on: 1850 and 2090 have two-digit forms that
    // belong to other centuries.
    CreateAndUse(1, "target.dbf", PartFields);
    WriteText("old.txt", "a,1,1,18500101\r\nb,1,1,20900630\r\n");
    EXPECT_EQ(AppendFromText(Path("old.txt"), false), 2);
    EXPECT_EQ(Stored(4, 1), "18500101");
    EXPECT_EQ(Stored(4, 2), "20900630");
    EXPECT_EQ(dberror.DbErrorCode, 0) << dberror.DbErrorText;
    // Appended into a table of the same structure and into a different one.
    CreateAndUse(2, "same.dbf", PartFields);
    EXPECT_EQ(AppendFrom(Path("target.dbf")), 0) << dberror.DbErrorText;
    EXPECT_EQ(Stored(4, 1), "18500101");
    EXPECT_EQ(Stored(4, 2), "20900630");
    CreateAndUse(3, "other.dbf", {{"BORN", 'D', 8, 0, 0}});
    EXPECT_EQ(AppendFrom(Path("target.dbf")), 0) << dberror.DbErrorText;
    EXPECT_EQ(Stored(1, 1), "18500101");
    EXPECT_EQ(Stored(1, 2), "20900630");
}

} // namespace

// Numbers leave and enter a table alike on every desktop: written with "."
// (in a file and in a text field), read with "." or "," as the decimal mark;
// a blank number (and an empty text read as a number) stays blank.
TEST_F(Transfer, NumbersCrossDesktopsUnchanged)
{
    const std::vector<TDbfField> fields = {{"P", 'N', 10, 3, 0}, {"Q", 'N', 6, 0, 0}, {"T", 'C', 7, 0, 0}};
    for (const auto& out : Desktops)
        for (const auto& in : Desktops) {
            const std::string desktops = std::string(out[1]) + " to " + in[1];
            CloseAll();
            {
                ScopedDesktop d(out[0], out[1]);
                CreateAndUse(1, "out.dbf", fields);
                AddRecord({1234.5, 1000.0, std::string("0,3")});
                AddRecord({-0.25, -7.0, std::string("1.234,5")});
                AddRecord({std::string(), std::string(), std::string()});
                ASSERT_TRUE(CopyToTextPlain(Path("out.txt")));
                EXPECT_EQ(ReadText("out.txt"),
                          "1234.500,1000,\"0,3\"\r\n-0.250,-7,\"1.234,5\"\r\n,,\"\"\r\n\x1A")
                    << desktops;
                CreateAndUse(2, "text.dbf", {{"P", 'C', 10, 0, 0}, {"T", 'N', 8, 2, 0}});
                ASSERT_EQ(AppendFrom(Path("out.dbf")), 0);
                EXPECT_EQ(Stored(1, 1) + Stored(2, 1) + Stored(1, 2) + Stored(2, 2) + Stored(1, 3) +
                              Stored(2, 3),
                          "  1234.500    0.30    -0.250 1234.50                  ")
                    << desktops;
                CreateAndUse(4, "same.dbf", fields);
                ASSERT_EQ(AppendFrom(Path("out.dbf")), 0);
                EXPECT_EQ(Stored(1, 3) + Stored(2, 3), std::string(16, ' ')) << desktops << ", same fields";
            }
            ScopedDesktop d(in[0], in[1]);
            CreateAndUse(3, "in.dbf", fields);
            ASSERT_EQ(AppendFromText(Path("out.txt"), false), 3) << desktops;
            EXPECT_EQ(Stored(1, 1) + Stored(2, 1) + Stored(3, 1) + Stored(1, 2) + Stored(2, 2) + Stored(3, 2),
                      "  1234.500  10000,3        -0.250    -71.234,5")
                << desktops;
            EXPECT_EQ(Stored(1, 3) + Stored(2, 3), std::string(16, ' ')) << desktops;
        }
}
