// Expressions over real work areas: fields by name and alias, the current
// record, end of file, RECNO() and DELETED().

#include "table_fixture.h"

#include "xbase/core/dbhooks.h"
#include "xbase/expr/dbexpr.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

class ExprOnTables : public TableTest
{
  protected:
    void SetUp() override
    {
        TableTest::SetUp();
        InstallExprParser();
        CreateAndUse(2, "supply.dbf", {{"CITY", 'C', 12, 0, 0}}, "SUPPLIERS_1");
        AddRecord({std::string("STUTTGART")});
        CreateAndUse(1, "parts.dbf",
                     {{"NAME", 'C', 10, 0, 0}, {"PRICE", 'N', 8, 2, 0}, {"BORN", 'D', 8, 0, 0}});
        AddRecord({std::string("SMITH"), 123.45, std::string("12/24/98")});
        AddRecord({std::string("M\xDCLLER"), 2.0, std::string("  /  /  ")});
        GoTop();
    }

    TExprValue Eval(const std::string& text)
    {
        TCompiledExpr* expr = AssignExpr(text);
        EXPECT_NE(expr, nullptr) << text << ": " << dberror.DbErrorText;
        const TExprValue* v = expr ? EvaluateExpr(expr) : nullptr;
        TExprValue result = v ? *v : TExprValue{};
        FreeExpr(expr);
        return result;
    }
};

TEST_F(ExprOnTables, FieldsOfTheCurrentRecord)
{
    EXPECT_TRUE(Eval("NAME = 'SMI' .AND. PRICE > 100").Log);
    EXPECT_EQ(Eval("DTOS(BORN)").Text, "19981224");
    EXPECT_EQ(Eval("RECNO()").Num, 1);
    SKIP(1);
    // The record buffer holds the program's character set.
    EXPECT_EQ(Eval("TRIM(NAME)").Text, "M\xDCLLER");
    EXPECT_EQ(Eval("BORN").Num, 0);
    DeleteRec();
    EXPECT_TRUE(Eval("DELETED()").Log);
}

TEST_F(ExprOnTables, AliasReachesAnotherArea)
{
    EXPECT_EQ(Eval("TRIM(SUPPLIERS_1->CITY) + '/' + TRIM(NAME)").Text, "STUTTGART/SMITH");
    // Compared on ten characters: SUPPLIERS_2 names the same area.
    EXPECT_EQ(Eval("SUPPLIERS_2->CITY").Text, "STUTTGART   ");
    EXPECT_EQ(AssignExpr("NOAREA->CITY"), nullptr);
    EXPECT_EQ(AssignExpr("CITY"), nullptr); // not in the current area
}

TEST_F(ExprOnTables, EndOfFileReadsBlank)
{
    GoBottom();
    SKIP(1);
    ASSERT_TRUE(dEOF());
    EXPECT_EQ(Eval("NAME").Text, std::string(10, ' '));
    EXPECT_EQ(Eval("PRICE").Num, 0);
}

} // namespace

namespace
{

TEST_F(ExprOnTables, FilterAndWhileConditionsRunThroughTheParserHooks)
{
    TWorkArea* area = SelectedArea();
    ASSERT_NE(area, nullptr);
    area->FilterExpr = dbhooks.KeyMakerHooks.AssignExpr("PRICE > 100");
    ASSERT_NE(area->FilterExpr, nullptr);
    GoTop();
    EXPECT_EQ(RecNo(), 1);
    SKIP(1);
    EXPECT_TRUE(dEOF()); // M\xDCLLER costs 2.00: hidden
    dbhooks.KeyMakerHooks.FreeExpr(area->FilterExpr);
    area->FilterExpr = nullptr;
    area->WhileExpr = dbhooks.KeyMakerHooks.AssignExpr("YEAR(BORN) = 1998");
    ASSERT_NE(area->WhileExpr, nullptr);
    GoTop();
    EXPECT_TRUE(WhileHolds());
    SKIP(1); // the next record has no date: the scope ends there
    EXPECT_TRUE(dEOF());
}

} // namespace
