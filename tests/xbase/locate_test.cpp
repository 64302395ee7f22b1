// LOCATE, CONTINUE, typed locates and Search on a table file.

#include "table_fixture.h"

#include "xbase/core/dberror.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

class Locate : public TableTest
{
  protected:
    void SetUp() override
    {
        TableTest::SetUp();
        CreateAndUse(1, "parts.dbf",
                     {{"NAME", 'C', 10, 0, 0},
                      {"CODE", 'C', 5, 0, 0},
                      {"PRICE", 'N', 8, 2, 0},
                      {"QTY", 'N', 5, 0, 0},
                      {"BORN", 'D', 8, 0, 0},
                      {"OK", 'L', 1, 0, 0}});
        AddRecord({std::string("JONES"), std::string("A1"), 10.0, 5.0, std::string("01/02/98"), false});
        AddRecord({std::string("SMITH"), std::string("B2"), 123.45, 7.0, std::string("12/24/98"), true});
        AddRecord({std::string("xABCx"), std::string("C3"), 0.5, 5.0, std::string("  /  /  "), false});
        AddRecord({std::string("SMITHERS"), std::string("D4"), 2.0, 5.0, std::string("03/04/05"), true});
        AddRecord({std::string("        AB"), std::string("C"), 1.0, 9.0, std::string("  /  /  "), false});
        // Ü: ANSI 0xDC, stored in the file as OEM 0x9A.
        AddRecord({std::string("M\xDCLLER"), std::string("E5"), 3.0, 1.0, std::string("  /  /  "), false});
        GoTop();
    }

    void LocateText(const std::string& spec, const std::string& value, int32_t start = 1)
    {
        const uint8_t field = ParseLocateField(spec);
        ASSERT_NE(field, 0) << spec;
        dblocate.LocateValue = value;
        LocateFrom(start, field, true);
    }
};

TEST_F(Locate, PrefixFindsWithoutExactOnly)
{
    LocateText("NAME", "SMI");
    EXPECT_FALSE(dEOF());
    EXPECT_EQ(RecNo(), 2);
    LocateText("NAME EXACT", "SMI");
    EXPECT_TRUE(dEOF());
    EXPECT_EQ(RecNo(), RecCount() + 1);
    EXPECT_EQ(dblocate.LocateField, 0);
}

TEST_F(Locate, ContainedFindsInside)
{
    LocateText("NAME CONTAINED", "MIT");
    EXPECT_EQ(RecNo(), 2);
    Continue();
    EXPECT_EQ(RecNo(), 4);
}

TEST_F(Locate, NoCaseComparesUpperCase)
{
    LocateText("name nocase", "smi");
    EXPECT_EQ(RecNo(), 2);
    EXPECT_FALSE(dblocate.LocateCaseSensitive);
    LocateText("NAME", "smi");
    EXPECT_TRUE(dEOF());
    EXPECT_TRUE(dblocate.LocateCaseSensitive);
}

TEST_F(Locate, ContinueFindsTheNextThenEnds)
{
    LocateText("NAME", "SMITH");
    EXPECT_EQ(RecNo(), 2);
    Continue();
    EXPECT_EQ(RecNo(), 4); // SMITHERS begins with SMITH
    Continue();
    EXPECT_TRUE(dEOF());
    EXPECT_EQ(dblocate.LocateField, 0);
    dberror.DbErrorCode = 0;
    Continue();
    EXPECT_EQ(dberror.DbErrorCode, 220);
    EXPECT_EQ(dberror.DbErrorText, "Call to CONTINUE not preceeded by call to LOCATE. [Continue]");
}

TEST_F(Locate, ContinueWithoutLocateReports220)
{
    Continue();
    EXPECT_EQ(dberror.DbErrorCode, 220);
}

TEST_F(Locate, FieldSpecificationErrors)
{
    EXPECT_EQ(ParseLocateField(" NOCASE"), 0);
    EXPECT_EQ(dberror.DbErrorCode, 220);
    EXPECT_EQ(dberror.DbErrorText, "No field name specified [Locate/Count/Sum]");
    EXPECT_EQ(ParseLocateField("NOPE EXACT"), 0);
    EXPECT_EQ(dberror.DbErrorText, "Unrecognized field name [Locate/Count/Sum(NOPE EXACT)]");
    EXPECT_EQ(ParseLocateField("qty"), 4);
}

TEST_F(Locate, ComparesInTheProgramsCharacterSet)
{
    // The file holds OEM bytes; the value is ANSI. Compared raw, they would
    // never meet.
    EXPECT_EQ(Stored(1, 6)[1], '\x9A');
    LocateText("NAME", "M\xDCLL");
    EXPECT_FALSE(dEOF());
    EXPECT_EQ(RecNo(), 6);
    LocateText("NAME NOCASE", "m\xFCller"); // ü, upper case Ü
    EXPECT_EQ(RecNo(), 6);
}

TEST_F(Locate, ByValueOfEveryType)
{
    EXPECT_TRUE(LocateByValue("PRICE", 123.45, false, 1, false));
    EXPECT_EQ(RecNo(), 2);
    EXPECT_TRUE(LocateByValue("PRICE", 123.45, false, 1, true));
    EXPECT_EQ(RecNo(), 2);
    EXPECT_TRUE(LocateByValue("QTY", 9.0, false, 1, false));
    EXPECT_EQ(RecNo(), 5);
    EXPECT_TRUE(LocateByValue("BORN", std::string("12/24/98"), false, 1, false));
    EXPECT_EQ(RecNo(), 2);
    EXPECT_TRUE(LocateByValue("OK", true, false, 3, false));
    EXPECT_EQ(RecNo(), 4);
    EXPECT_TRUE(LocateByValue("NAME extra words", std::string("smithers"), true, 1, true));
    EXPECT_EQ(RecNo(), 4);
    EXPECT_FALSE(LocateByValue("NAME", std::string("SMITH"), false, 3, true)); // exact: not SMITHERS
    EXPECT_TRUE(dEOF());
    EXPECT_TRUE(LocateByValue("NAME", std::string("SMITH"), false, 1, true));
    EXPECT_EQ(RecNo(), 2);
    EXPECT_FALSE(LocateByValue("NAME", std::string("SMI"), false, 1, true));
}

TEST_F(Locate, ByValueSkipsHiddenRecords)
{
    GO(2);
    DeleteRec();
    SetIgnoreDel(true);
    EXPECT_TRUE(LocateByValue("NAME", std::string("SMITH"), false, 1, false));
    EXPECT_EQ(RecNo(), 4);
}

TEST_F(Locate, MultiFindsTheRecordWhereAllFieldsMatch)
{
    GO(3);
    // QTY 5 first matches record 1, whose CODE is not D4; the search moves
    // on until both agree on record 4.
    EXPECT_TRUE(LocateMulti("QTY;CODE", {5.0, std::string("D4")}, false, true, false));
    EXPECT_EQ(RecNo(), 4);
    // Not staying: back to where it started.
    GO(3);
    EXPECT_TRUE(LocateMulti("QTY;CODE", {5.0, std::string("D4")}, false, false, false));
    EXPECT_EQ(RecNo(), 3);
    // Nothing found: back as well.
    EXPECT_FALSE(LocateMulti("QTY;CODE", {5.0, std::string("E5")}, false, true, false));
    EXPECT_EQ(RecNo(), 3);
    EXPECT_TRUE(LocateMulti("NAME", {std::string("xAB")}, false, true, false));
    EXPECT_EQ(RecNo(), 3);
}

TEST_F(Locate, SearchFindsTextInAFieldIgnoringCase)
{
    uint8_t field = 0;
    Search("abc", field, true);
    EXPECT_EQ(field, 1);
    EXPECT_EQ(RecNo(), 3);
    // The same text straddling NAME ("...AB") and CODE ("C...") of record 5
    // is no hit: from record 3 on nothing else holds it.
    Search("abc", field, false);
    EXPECT_EQ(field, 0);
    EXPECT_EQ(RecNo(), 3); // back where it started
}

TEST_F(Locate, SearchNeverFindsTheCurrentRecord)
{
    GO(2);
    uint8_t field = 0;
    Search("SMITH", field, false);
    EXPECT_EQ(field, 1);
    EXPECT_EQ(RecNo(), 4);
}

TEST_F(Locate, SearchInOneField)
{
    uint8_t field = 2; // CODE only
    Search("SMI", field, true);
    EXPECT_EQ(field, 0);
    field = 2;
    Search("d4", field, true);
    EXPECT_EQ(field, 2);
    EXPECT_EQ(RecNo(), 4);
    field = 99; // beyond the fields: any field
    Search("JONES", field, true);
    EXPECT_EQ(field, 1);
}

TEST_F(Locate, SearchIgnoresTheDeleteFlag)
{
    GO(3);
    DeleteRec();
    ASSERT_EQ(Stored(0, 3), "*");
    uint8_t field = 0;
    Search("*", field, true);
    EXPECT_EQ(field, 0);
    Search("*x", field, true); // flag and the first byte of NAME
    EXPECT_EQ(field, 0);
}

TEST_F(Locate, SearchFindsOemTextAsAnsi)
{
    uint8_t field = 0;
    Search("m\xFCller", field, true);
    EXPECT_EQ(field, 1);
    EXPECT_EQ(RecNo(), 6);
}

TEST_F(Locate, SearchCallbackDecides)
{
    int calls = 0;
    dblocate.SearchCallback = [&calls] {
        ++calls;
        dblocate.SearchAccept = RecNo() == 4;
    };
    uint8_t field = 0;
    Search("SMITH", field, true);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(field, 1);
    EXPECT_EQ(RecNo(), 4);
    EXPECT_EQ(dblocate.SearchFieldHit, 1);
}

TEST_F(Locate, SearchForNothingDoesNothing)
{
    GO(2);
    uint8_t field = 1;
    Search("   ", field, true);
    EXPECT_EQ(field, 1);
    EXPECT_EQ(RecNo(), 2);
}

} // namespace

namespace
{

TEST_F(TableTest, LocateInAMemoWithoutTheMemoServiceReportsOnce)
{
    CreateAndUse(1, "memo.dbf", {{"NAME", 'C', 4, 0, 0}, {"NOTE", 'M', 10, 0, 0}});
    AddRecord({std::string("a")});
    AddRecord({std::string("b")});
    int reports = 0;
    dberror.AutoReportErrors = true;
    dberror.UserErrorProc = [&reports] { ++reports; };
    const uint8_t field = ParseLocateField("NOTE");
    ASSERT_EQ(field, 2);
    dblocate.LocateValue = "x";
    LocateFrom(1, field, true);
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(dberror.DbErrorCode, 220);
    EXPECT_EQ(dberror.DbErrorText, "MEMO unit not linked in [Count/Sum/Continue]");
    EXPECT_TRUE(dEOF());
    EXPECT_EQ(dblocate.LocateField, 0);
}

} // namespace
