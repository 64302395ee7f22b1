// Compiling expressions: accepted forms, result descriptions, the postfix
// program and the compile errors with their message format.

#include "expr_fixture.h"

#include "xbase/expr/dbexpr.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

class ExprCompile : public ExprTableTest
{
  protected:
    // The full detail text of a compile error for `text` with `message`,
    // when the whole text fits the 51-character context.
    static std::string Detail(const std::string& message, const std::string& text)
    {
        return "Error in expression : " + message + "\r\n[" + text + "]\r\n [AssignExpr]";
    }

    void ExpectFailure(const std::string& text, const std::string& message)
    {
        dberror.DbErrorCode = 0;
        TCompiledExpr* expr = AssignExpr(text);
        EXPECT_EQ(expr, nullptr) << text;
        FreeExpr(expr);
        EXPECT_EQ(dberror.DbErrorCode, 351) << text;
        EXPECT_EQ(dberror.DbErrorText, Detail(message, text)) << text;
    }
};

struct TDescribeCase {
    const char* Text;
    char Type;
    int Width;
    int Decimals;
};

TEST_F(ExprCompile, DescribesTheResult)
{
    const TDescribeCase cases[] = {
        {"NAME = 'AB'", 'L', 1, 0},
        {"NAME", 'C', 20, 0}, // a field alone keeps its width
        {"SUPPLIER->CITY", 'C', 15, 0},
        {"UPPER(NAME)", 'C', 0, 0}, // anything else: width 0
        {"'AB' + 'C'", 'C', 0, 0},
        {"PRICE", 'N', 8, 2},
        {"QTY", 'N', 5, 0},
        {"WEIGHT", 'N', 10, 3},
        {"PRICE * 2", 'N', 13, 2}, // the constant was read last: 2 decimals,
                                   // width 2 + 11
        {"RECNO()", 'N', 13, 2},   // nothing read: the default 2 decimals
        {"LEN(NAME)", 'N', 20, 0}, // the last field read gives width and decimals
        {"BIRTH", 'D', 8, 0},
        {"DATE() - 30", 'D', 8, 0},
        {"ACTIVE", 'L', 1, 0},
        {"NOTES", 'M', 256, 0},
    };
    for (const auto& c : cases) {
        TCompiledExpr* expr = AssignExpr(c.Text);
        ASSERT_NE(expr, nullptr) << c.Text << ": " << dberror.DbErrorText;
        EXPECT_EQ(expr->ResultType, c.Type) << c.Text;
        EXPECT_EQ(expr->Width, c.Width) << c.Text;
        EXPECT_EQ(expr->Decimals, c.Decimals) << c.Text;
        EXPECT_EQ(ExprSourceText(expr), c.Text);
        FreeExpr(expr);
        EXPECT_EQ(expr, nullptr);
    }
}

TEST_F(ExprCompile, DateDifferenceTakesTheDateFieldsWidth)
{
    // The last field read is BIRTH: width 8, decimals 0; 8 >= 0 + 2.
    TCompiledExpr* expr = AssignExpr("DATE() - BIRTH");
    ASSERT_NE(expr, nullptr);
    EXPECT_EQ(expr->ResultType, 'N');
    EXPECT_EQ(expr->Width, 8);
    EXPECT_EQ(expr->Decimals, 0);
    FreeExpr(expr);
}

TEST_F(ExprCompile, FieldComparisonProgram)
{
    TCompiledExpr* expr = AssignExpr("NAME = 'AB'");
    ASSERT_NE(expr, nullptr);
    ASSERT_EQ(expr->Program.size(), 5u);
    EXPECT_EQ(expr->Program[0].Code, ExprOperand);
    EXPECT_EQ(expr->Program[0].Value.Num, 1.0); // field number of NAME
    EXPECT_EQ(expr->Program[1].Code, 321);
    EXPECT_EQ(expr->Program[2].Code, ExprOperand);
    EXPECT_EQ(expr->Program[2].Value.Text, "AB");
    EXPECT_EQ(expr->Program[3].Code, 360);
    EXPECT_EQ(expr->Program[4].Code, ExprEnd);
    // Pool: NAME 20 + 1, 'AB' 2 + 1.
    EXPECT_EQ(expr->PoolSize, 24);
    FreeExpr(expr);
}

TEST_F(ExprCompile, AliasedFieldCarriesItsArea)
{
    TCompiledExpr* expr = AssignExpr("SUPPLIER->CITY");
    ASSERT_NE(expr, nullptr);
    ASSERT_EQ(expr->Program.size(), 4u);
    EXPECT_EQ(expr->Program[0].Value.Num, 1.0);
    EXPECT_EQ(expr->Program[1].Value.Num, 2.0);
    EXPECT_EQ(expr->Program[2].Code, 326);
    EXPECT_EQ(expr->Program[2].ArgCount, 2);
    FreeExpr(expr);
}

TEST_F(ExprCompile, OperatorCodes)
{
    struct {
        const char* Text;
        int32_t Code;
    } cases[] = {
        {"1 + 2", 347},           {"1 + DATE()", 348},     {"DATE() + 1", 349},
        {"'A' + 'B'", 350},       {"1 - 2", 351},          {"DATE() - 1", 352},
        {"DATE() - BIRTH", 353},  {"'A' - 'B'", 354},      {"2 * 3", 355},
        {"2 / 3", 356},           {"2 ^ 3", 357},          {"2 ** 3", 357},
        {"1 = 2", 358},           {"BIRTH = DATE()", 359}, {"'A' = 'B'", 360},
        {".T. = .F.", 361},       {"'A' == 'B'", 362},     {"'A' $ 'B'", 363},
        {"1 > 2", 364},           {"BIRTH > DATE()", 365}, {"'A' > 'B'", 366},
        {"1 < 2", 367},           {"BIRTH < DATE()", 368}, {"'A' < 'B'", 369},
        {"1 <> 2", 370},          {"1 # 2", 370},          {"BIRTH # DATE()", 371},
        {"'A' <> 'B'", 372},      {".T. # .F.", 373},      {"1 <= 2", 374},
        {"BIRTH <= DATE()", 375}, {"'A' <= 'B'", 376},     {"1 >= 2", 377},
        {"BIRTH >= DATE()", 378}, {"'A' >= 'B'", 379},     {".T. .OR. .F.", 380},
        {".T. .AND. .F.", 381},   {".NOT. .T.", 382},      {"-QTY", 383},
    };
    for (const auto& c : cases) {
        TCompiledExpr* expr = AssignExpr(c.Text);
        ASSERT_NE(expr, nullptr) << c.Text << ": " << dberror.DbErrorText;
        ASSERT_GE(expr->Program.size(), 2u);
        EXPECT_EQ(expr->Program[expr->Program.size() - 2].Code, c.Code) << c.Text;
        FreeExpr(expr);
    }
}

TEST_F(ExprCompile, UnaryPlusEmitsNothing)
{
    TCompiledExpr* expr = AssignExpr("+5");
    ASSERT_NE(expr, nullptr);
    ASSERT_EQ(expr->Program.size(), 2u);
    EXPECT_EQ(expr->Program[0].Value.Num, 5.0);
    FreeExpr(expr);
}

TEST_F(ExprCompile, AcceptedForms)
{
    const char* accepted[] = {
        "STR(PRICE)",
        "STR(PRICE, 8)",
        "STR(PRICE, 8, 2)",
        "upper(name)",
        "UPPE(NAME)",
        "SUBS(NAME, 1, 2)",
        "REPLICAT('A', 3)",
        ".NOT. (QTY = 0)",
        "1 < 2 = .T.",
        "IIF(QTY > 0, 'Y', 'N')",
        "MAX(1, 2)",
        "MIN(BIRTH, DATE())",
        "DELETED()",
        "DELE()",
        "RECN()",
        "CMON(BIRTH)",
        "\"double\" + 'single'",
        "  QTY\t+ 1  ",
        "SUPPLIER->CITY = 'S'",
        "DTOS(BIRTH)",
        "STUFF(NAME, 1, 2, 'X')",
        "SOUNDEX(NAME)",
        "CTOD('01/01/98')",
        "VAL('12')",
        "1E3",
        "1.5 * 2.",
    };
    for (const char* text : accepted) {
        TCompiledExpr* expr = AssignExpr(text);
        EXPECT_NE(expr, nullptr) << text << ": " << dberror.DbErrorText;
        FreeExpr(expr);
    }
}

TEST_F(ExprCompile, SyntaxErrors)
{
    const char* rejected[] = {
        "",                // empty text
        "NOPE->CITY",      // no work area of that alias
        "SUBSTR(NAME, 2)", // SUBSTR needs three arguments
        ".5 + 1",          // a number must start with a digit
        "Upp(Name)",       // not a listed abbreviation
        "{01/01/98}",      // no date constants
        "'open",           // a string constant running to the end
        "1 +",
        "(1 + 2",
        "UNKNOWN",
        "ABS",
        "ABS(1, 2)",
        "DATE(1)",
        "1 2",
        "NAME->",
        "STR(1, 2, 3, 4)",
        "A.AND.B",
        "1 @ 2",
    };
    for (const char* text : rejected) {
        dberror.DbErrorCode = 0;
        TCompiledExpr* expr = AssignExpr(text);
        EXPECT_EQ(expr, nullptr) << text;
        FreeExpr(expr);
        EXPECT_EQ(dberror.DbErrorCode, 351) << text;
        EXPECT_NE(dberror.DbErrorText.find("Error in expression : Syntax error\r\n["), std::string::npos)
            << text << ": " << dberror.DbErrorText;
    }
}

TEST_F(ExprCompile, TypeMismatchMessages)
{
    ExpectFailure("IIF(QTY > 0, 1, 2)", "PARSER:Type mismatch in function \"IIF\"");
    ExpectFailure("1 + 'A'", "PARSER:Type mismatch in expression \"+\"");
    ExpectFailure(".NOT. QTY = 0", "PARSER:Type mismatch in expression \".NOT.\"");
    ExpectFailure("'A' - 1", "PARSER:Type mismatch in expression \"-\"");
    ExpectFailure("'A' * 2", "PARSER:Type mismatch in expression \"*\"");
    ExpectFailure("'A' / 2", "PARSER:Type mismatch in expression \"/\"");
    ExpectFailure("'A' ^ 2", "PARSER:Type mismatch in expression \"** or ^\"");
    ExpectFailure("1 = 'A'", "PARSER:Type mismatch in expression \"=\"");
    ExpectFailure("1 # 'A'", "PARSER:Type mismatch in expression \"<>\"");
    ExpectFailure("1 == 1", "PARSER:Type mismatch in expression \"==\"");
    ExpectFailure("1 $ 'A'", "PARSER:Type mismatch in expression \"$\"");
    ExpectFailure(".T. > .F.", "PARSER:Type mismatch in expression \">\"");
    ExpectFailure("1 < 'A'", "PARSER:Type mismatch in expression \"<\"");
    ExpectFailure("1 <= 'A'", "PARSER:Type mismatch in expression \"<=\"");
    ExpectFailure("1 >= 'A'", "PARSER:Type mismatch in expression \">=\"");
    ExpectFailure("1 .OR. .T.", "PARSER:Type mismatch in expression \".OR.\"");
    ExpectFailure(".T. .AND. 1", "PARSER:Type mismatch in expression \".AND.\"");
    ExpectFailure("-'A'", "PARSER:Type mismatch in expression \"Unary -\"");
    ExpectFailure("+'A'", "PARSER:Type mismatch in expression \"Unary +\"");
    ExpectFailure("SUBS(1, 2, 3)", "PARSER:Type mismatch in function \"SUBSTR\"");
    ExpectFailure("MAX(1, BIRTH)", "PARSER:Type mismatch in function \"MAX\"");
    ExpectFailure("UPPER(NOTES)", "PARSER:Type mismatch in function \"UPPER\"");
}

TEST_F(ExprCompile, ErrorContextIsCutAroundTheReadPosition)
{
    // 60 characters of a valid start, then the error at the end: the context
    // starts 50 characters before the read position, marked with "[...".
    const std::string head = "1 + 1 + 1 + 1 + 1 + 1 + 1 + 1 + 1 + 1 + 1 + 1 + 1 + 1 + 1 + ";
    const std::string text = head + "'A'";
    ASSERT_EQ(AssignExpr(text), nullptr);
    const std::size_t pos = text.size();
    const std::string expected = "Error in expression : PARSER:Type mismatch in expression \"+\"\r\n[..." +
                                 text.substr(pos - 50, 51) + "]\r\n [AssignExpr]";
    EXPECT_EQ(dberror.DbErrorText, expected);

    // An error early in a long text: "...]" marks the text going on.
    const std::string early = "1 + ) " + std::string(60, ' ') + "+ 1";
    ASSERT_EQ(AssignExpr(early), nullptr);
    EXPECT_NE(dberror.DbErrorText.find("...]\r\n [AssignExpr]"), std::string::npos) << dberror.DbErrorText;
    EXPECT_EQ(dberror.DbErrorText.find("[..."), std::string::npos);
}

TEST_F(ExprCompile, DeepNestingOverflowsTheParserStack)
{
    const std::string deep = std::string(100, '(') + "1" + std::string(100, ')');
    ASSERT_EQ(AssignExpr(deep), nullptr);
    EXPECT_EQ(dberror.DbErrorCode, 351);
    EXPECT_EQ(dberror.DbErrorText.rfind("Error in expression : Parser_stack_overflow\r\n", 0), 0u)
        << dberror.DbErrorText;

    const std::string shallow = std::string(20, '(') + "1" + std::string(20, ')');
    TCompiledExpr* expr = AssignExpr(shallow);
    EXPECT_NE(expr, nullptr);
    FreeExpr(expr);
}

TEST_F(ExprCompile, TextsLongerThan255AreRefusedNotCut)
{
    // Cut at 255 this would read "1 + 2" followed by blanks: a different,
    // valid expression.
    const std::string text = "1 + 2" + std::string(251, ' ') + "+ 3";
    EXPECT_EQ(AssignExpr(text), nullptr);
    EXPECT_EQ(dberror.DbErrorCode, 351);
    TCompiledExpr* fits = AssignExpr("1 + 2" + std::string(247, ' ') + "+ 3");
    EXPECT_NE(fits, nullptr);
    FreeExpr(fits);
}

TEST_F(ExprCompile, PendingParserErrorIsClearedFirst)
{
    dberror.DbErrorCode = 358;
    TCompiledExpr* expr = AssignExpr("1 + 1");
    ASSERT_NE(expr, nullptr);
    EXPECT_EQ(dberror.DbErrorCode, 0);
    FreeExpr(expr);
    dberror.DbErrorCode = 215; // not a parser error: kept
    expr = AssignExpr("1 + 1");
    EXPECT_EQ(dberror.DbErrorCode, 215);
    FreeExpr(expr);
}

TEST_F(ExprCompile, NameFollowedByParenthesisIsNeverAField)
{
    parts.Fields.push_back({"DATE", 'C', 4, 0});
    for (auto& record : parts.Records)
        record.push_back("XXXX");
    TCompiledExpr* field = AssignExpr("DATE");
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->ResultType, 'C');
    FreeExpr(field);
    TCompiledExpr* call = AssignExpr("DATE ()");
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->ResultType, 'D');
    FreeExpr(call);
}

TEST_F(ExprCompile, PoolReservations)
{
    struct {
        const char* Text;
        int Pool;
    } cases[] = {
        {"'AB' + 'CDE'", 3 + 4},
        {"STR(QTY)", 256},
        {"CHR(65)", 2},
        {"DTOC(BIRTH)", 11},
        {"DTOS(BIRTH)", 9},
        {"CDOW(BIRTH) + CMONTH(BIRTH)", 30},
        {"SPACE(3) + NAME", 256 + 21},
        {"UPPER(NAME)", 21},
        {"SUPPLIER->CITY", 16},
        {"QTY + 1", 0},
    };
    for (const auto& c : cases) {
        TCompiledExpr* expr = AssignExpr(c.Text);
        ASSERT_NE(expr, nullptr) << c.Text;
        EXPECT_EQ(expr->PoolSize, c.Pool) << c.Text;
        FreeExpr(expr);
    }
}

} // namespace
