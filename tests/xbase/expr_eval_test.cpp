// Evaluating expressions: operators, every function, field values and the
// evaluation errors. Expected values are worked out by hand from the
// language's rules.

#include "expr_fixture.h"

#include "xbase/core/dbdates.h"
#include "xbase/core/dbhooks.h"
#include "xbase/expr/dbexpr.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace
{

class ExprEval : public ExprTableTest
{
};

struct TNumCase {
    const char* Text;
    double Expected;
};

struct TTextCase {
    const char* Text;
    std::string Expected;
};

struct TLogCase {
    const char* Text;
    bool Expected;
};

TEST_F(ExprEval, Numbers)
{
    const TNumCase cases[] = {
        {"2^3^2", 64}, // left-associative: (2^3)^2
        {"2 ** 10", 1024},
        {"-2 ^ 2", 4}, // the prefix binds to 2 alone: (-2)^2
        {"(-2) ^ 2", 4},
        {"(-2) ^ 3", -8},
        {"0 ^ 0", 1},
        {"0 ^ 2", 0},
        {"4 ^ 0.5", 2},
        {"10 - 2 - 3", 5},
        {"2 + 3 * 4", 14},
        {"2 * 3 + 4", 10},
        {"(2 + 3) * 4", 20},
        {"7 / 2", 3.5},
        {"--3", 3},
        {"-(2 - 5)", 3},
        {"MOD(-7, 3)", -1}, // sign of the dividend
        {"MOD(7, -3)", 1},
        {"MOD(7.9, 3.2)", 1}, // trunc(7.9) mod trunc(3.2) = 7 mod 3
        {"MOD(6, 3)", 0},
        {"INT(-2.7)", -2},
        {"INT(2.7)", 2},
        {"ABS(-4.5)", 4.5},
        {"ROUND(0.29, 2)", 0.29},
        {"ROUND(2.567, 2)", 2.57},
        {"ROUND(-2.567, 2)", -2.57},
        {"ROUND(2.675, 2)", 2.68}, // the decimal 2.675, not its binary neighbour
        {"ROUND(1.005, 2)", 1.01},
        {"ROUND(2.5, 0)", 3},
        {"ROUND(-2.5, 0)", -3},
        {"ROUND(1250, -2)", 1300},
        {"ROUND(1.23456, 3)", 1.235},
        {"MAX(1, 2)", 2},
        {"MIN(1, 2)", 1},
        {"MAX(-1, -2)", -1},
        {"LEN('ABC ')", 4},
        {"LEN('')", 0},
        {"ASC('A')", 65},
        {"ASC('')", 0},
        {"ASC(CHR(200))", 200},
        {"AT('C', 'ABCD')", 3},
        {"AT('CD', 'ABCDCD')", 3},
        {"AT('', 'ABC')", 0},
        {"AT('X', 'ABC')", 0},
        {"VAL('12.5  ')", 12.5},
        {"VAL('  -3')", -3},
        {"VAL('12ABC')", 12},
        {"VAL('ABC')", 0},
        {"VAL('1E3')", 1000},
        {"VAL('2.5E-3')", 0.0025},
        {"VAL('')", 0},
        {"VAL('0,3')", 0.3},
        {"VAL('-1.234,5E1xyz')", -12345},
        {"VAL('1.2.3')", 1.2},
        {"1E3", 1000},
        {"1.5", 1.5},
        {"RECNO()", 1},
        {"QTY * 2", 24},
        {"PRICE", 123.45},
        {"WEIGHT", 2.5},
    };
    for (const auto& c : cases) {
        const TExprValue v = Eval(c.Text);
        EXPECT_EQ(v.Type, ExprTypeNum) << c.Text;
        EXPECT_NEAR(v.Num, c.Expected, 1e-12) << c.Text;
    }
    EXPECT_EQ(dberror.DbErrorCode, 0) << dberror.DbErrorText;
}

TEST_F(ExprEval, RoundRoundsInsteadOfCutting)
{
    // Cutting after two decimals would turn the stored 0.28999... into 0.28.
    EXPECT_EQ(Eval("ROUND(0.29, 2)").Num, 0.29);
    EXPECT_EQ(Eval("ROUND(0.57, 2)").Num, 0.57);
    EXPECT_EQ(Eval("STR(ROUND(0.285, 2), 4, 2)").Text, "0.29");
    EXPECT_EQ(Eval("ROUND(0.1 + 0.2, 2)").Num, 0.3);
}

TEST_F(ExprEval, Texts)
{
    const TTextCase cases[] = {
        {"'AB  ' - 'CD'", "ABCD  "},
        {"'AB  ' + 'CD'", "AB  CD"},
        {"'AB' - 'CD'", "ABCD"},
        {"LEFT('ABC', 5)", "ABC"},
        {"LEFT('ABC', 2)", "AB"},
        {"LEFT('ABC', 0)", ""},
        {"LEFT('ABC', -1)", ""},
        {"RIGHT('ABCDE', 2)", "DE"},
        {"RIGHT('ABC', 9)", "ABC"},
        {"RIGHT('ABC', -5)", ""},
        {"SUBSTR('ABCDE', 2, 3)", "BCD"},
        {"SUBSTR('ABC', 2, 99)", "BC"},
        {"SUBSTR('ABC', 5, 2)", ""},
        {"SUBSTR('ABC', 0, 2)", "AB"},
        {"SUBSTR('ABC', -9, 2)", "AB"},
        {"SUBSTR('ABC', 2, -1)", ""},
        {"SUBSTR('ABC', 4, 1)", ""},
        {"STUFF('ABCDE', 2, 3, 'xy')", "AxyE"},
        {"STUFF('ABC', 2, 0, 'Z')", "AZBC"},
        {"STUFF('ABC', 10, 5, 'Z')", "ABCZ"},
        {"STUFF('ABC', -3, 1, 'Z')", "ZBC"},
        {"STUFF('ABC', 2, -1, 'Z')", "AZBC"},
        {"STUFF('ABC', 2, 99, '')", "A"},
        {"CHR(65)", "A"},
        {"CHR(0)", ""},
        {"CHR(256)", ""},
        {"CHR(-1)", ""},
        {"REPLICATE('AB', 3)", "ABABAB"},
        {"REPLICATE('AB', 0)", ""},
        {"REPLICATE('AB', -4)", ""},
        {"SPACE(3)", "   "},
        {"SPACE(-2)", ""},
        {"STR(123.456, 6, 1)", " 123.5"},
        {"STR(123456789012)", "**********"},
        {"STR(5)", "         5"},
        {"STR(2.5)", "         3"},
        {"STR(-2.5)", "        -3"},
        {"STR(-0.04, 5, 1)", "  0.0"},
        {"STR(3.14159, 4, 2)", "3.14"},
        {"STR(3.14159, 3, 2)", "***"},
        {"STR(1, 0)", ""},
        {"STR(1, -3)", ""},
        {"STR(-12, 3)", "-12"},
        {"STR(-123, 3)", "***"},
        {"STR(7, 3, -1)", "  7"},
        {"STR(10 / 4, 6, 2)", "  2.50"},
        {"UPPER('abc')", "ABC"},
        {"LOWER('AbC')", "abc"},
        {"LTRIM('  A ')", "A "},
        {"RTRIM(' A  ')", " A"},
        {"TRIM(' A  ')", " A"},
        {"IIF(1 < 2, 'Y', 'N')", "Y"},
        {"IIF(1 > 2, 'Y', 'N')", "N"},
        {"NAME", "SMITH               "},
        {"TRIM(NAME) + '!'", "SMITH!"},
        {"SUPPLIER->CITY", "STUTTGART      "},
        {"SOUNDEX('Robert')", "R163"},
        {"SOUNDEX('Tymczak')", "T522"},
        {"\"it's\"", "it's"},
    };
    for (const auto& c : cases) {
        const TExprValue v = Eval(c.Text);
        EXPECT_EQ(v.Type, ExprTypeChar) << c.Text;
        EXPECT_EQ(v.Text, c.Expected) << c.Text;
    }
    EXPECT_EQ(dberror.DbErrorCode, 0) << dberror.DbErrorText;
}

TEST_F(ExprEval, AnsiCaseConversion)
{
    // a umlaut (228) and A umlaut (196) of the ANSI character set.
    EXPECT_EQ(Eval("ASC(UPPER(CHR(228)))").Num, 196);
    EXPECT_EQ(Eval("ASC(LOWER(CHR(196)))").Num, 228);
    EXPECT_EQ(Eval("ASC(UPPER(CHR(247)))").Num, 247); // the division sign has no case
}

TEST_F(ExprEval, TextsAreBoundedTo255)
{
    EXPECT_EQ(Eval("LEN(REPLICATE('AB', 1000))").Num, 255);
    EXPECT_EQ(Eval("LEN(SPACE(100000))").Num, 255);
    EXPECT_EQ(Eval("LEN(STR(1, 300))").Num, 255);
    EXPECT_EQ(Eval("LEN(SPACE(200) + SPACE(200))").Num, 255);
    EXPECT_EQ(Eval("LEN(STUFF(SPACE(200), 1, 0, SPACE(200)))").Num, 255);
    EXPECT_EQ(Eval("LEFT('ABC', 1E300)").Text, "ABC");
    EXPECT_EQ(Eval("SUBSTR('ABC', 1E300, 1E300)").Text, "");
    EXPECT_EQ(Eval("CHR(1E300)").Text, "");
}

TEST_F(ExprEval, Logicals)
{
    const TLogCase cases[] = {
        {"'ABC' = 'AB'", true},
        {"'AB' = 'ABC'", false},
        {"'ABC' = ''", false},
        {"'ABC' == 'AB'", false},
        {"'ABC' == 'ABC'", true},
        {"'B' $ 'ABC'", true},
        {"'' $ 'ABC'", false},
        {"'D' $ 'ABC'", false},
        {"'B' > 'A'", true},
        {"'a' > 'B'", true},      // bytes, not letters
        {"CHR(200) > 'Z'", true}, // bytes compare unsigned
        {"'AB' < 'ABC'", true},
        {"'AB' <= 'AB'", true},
        {"'AB' >= 'AC'", false},
        {"'AB' # 'AB '", true},
        {".T. .AND. .F.", false},
        {".T. .OR. .F.", true},
        {".NOT. .T.", false},
        {"1 < 2 = .T.", true},
        {".T. = .T.", true},
        {".T. <> .F.", true},
        {"3 >= 3", true},
        {"3 <= 2", false},
        {"3 # 3", false},
        {"NAME = 'SMI'", true},
        {"NAME == 'SMITH'", false}, // the field keeps its trailing blanks
        {"TRIM(NAME) == 'SMITH'", true},
        {"ACTIVE", true},
        {"DELETED()", false},
        {"QTY > 10 .AND. PRICE < 200", true},
        {"SUPPLIER->CITY = 'STUTT' .AND. QTY = 12", true},
    };
    for (const auto& c : cases) {
        const TExprValue v = Eval(c.Text);
        EXPECT_EQ(v.Type, ExprTypeLog) << c.Text;
        EXPECT_EQ(v.Log, c.Expected) << c.Text;
    }
}

TEST_F(ExprEval, Dates)
{
    // Date format 0 (MM/DD/YY), two-digit years from 1956 on.
    EXPECT_EQ(Eval("DTOS(CTOD('12/24/98'))").Text, "19981224");
    EXPECT_EQ(Eval("DTOC(CTOD('12/24/98'))").Text, "12/24/98");
    EXPECT_EQ(Eval("YEAR(CTOD('12/24/98'))").Num, 1998);
    EXPECT_EQ(Eval("MONTH(CTOD('12/24/98'))").Num, 12);
    EXPECT_EQ(Eval("DAY(CTOD('12/24/98'))").Num, 24);
    EXPECT_EQ(Eval("DOW(CTOD('01/01/2024'))").Num, 2); // a Monday
    EXPECT_EQ(Eval("CDOW(CTOD('01/01/2024'))").Text, "Monday   ");
    EXPECT_EQ(Eval("CMONTH(CTOD('01/01/2024'))").Text, "January  ");
    EXPECT_EQ(Eval("CTOD('01/01/2000')").Num, 2451545);
    EXPECT_EQ(Eval("CTOD('12/24/98') - CTOD('12/01/98')").Num, 23);
    EXPECT_EQ(Eval("DTOS(CTOD('12/24/98') + 8)").Text, "19990101");
    EXPECT_EQ(Eval("DTOS(8 + CTOD('12/24/98'))").Text, "19990101");
    EXPECT_EQ(Eval("DTOS(CTOD('03/01/2024') - 1)").Text, "20240229");
    EXPECT_EQ(Eval("DTOS(MAX(CTOD('01/02/2000'), CTOD('01/01/2000')))").Text, "20000102");
    EXPECT_TRUE(Eval("CTOD('01/02/2000') > CTOD('01/01/2000')").Log);
    // An invalid text gives the empty date.
    EXPECT_EQ(Eval("CTOD('02/30/98')").Num, 0);
    EXPECT_EQ(Eval("DTOS(CTOD('02/30/98'))").Text, "        ");
    EXPECT_EQ(Eval("DOW(CTOD(''))").Num, 0);
    EXPECT_EQ(Eval("YEAR(CTOD(''))").Num, 0);
    EXPECT_EQ(Eval("DTOC(CTOD(''))").Text, "  /  /  ");
    // Fields: BIRTH of record 1 is 24 December 1998.
    EXPECT_EQ(Eval("DTOS(BIRTH)").Text, "19981224");
    EXPECT_EQ(Eval("YEAR(BIRTH)").Num, 1998);
    EXPECT_EQ(Eval("BIRTH").Type, ExprTypeDate);
    // DATE() is today.
    uint16_t y = 0, m = 0, d = 0, w = 0;
    GetDate(y, m, d, w);
    EXPECT_EQ(Eval("YEAR(DATE())").Num, y);
    EXPECT_EQ(Eval("DOW(DATE())").Num, w);
}

TEST_F(ExprEval, DateFormatFollowsTheNationalSetting)
{
    dbdates.DbDateFormat = 5;
    EXPECT_EQ(Eval("DTOC(CTOD('24.12.98'))").Text, "24.12.98");
    EXPECT_EQ(Eval("CDOW(CTOD('01.01.2024'))").Text, "Montag    ");
    dbdates.DateCentury = true;
    EXPECT_EQ(Eval("DTOC(CTOD('24.12.1998'))").Text, "24.12.1998");
}

TEST_F(ExprEval, EmptyDateFieldIsZero)
{
    parts.RecNo = 2;
    EXPECT_EQ(Eval("BIRTH").Num, 0);
    EXPECT_EQ(Eval("DTOS(BIRTH)").Text, "        ");
    EXPECT_FALSE(Eval("ACTIVE").Log); // "n"
    EXPECT_TRUE(Eval("DELETED()").Log);
    EXPECT_EQ(Eval("RECNO()").Num, 2);
    EXPECT_EQ(Eval("PRICE").Num, 0.5);
    parts.RecNo = 3;
    EXPECT_TRUE(Eval("ACTIVE").Log); // "y"
    EXPECT_EQ(Eval("QTY").Num, -3);
}

TEST_F(ExprEval, EndOfFileReadsBlankValues)
{
    parts.RecNo = 4;
    EXPECT_EQ(Eval("NAME").Text, std::string(20, ' '));
    EXPECT_EQ(Eval("PRICE").Num, 0);
    EXPECT_FALSE(Eval("ACTIVE").Log);
    EXPECT_EQ(Eval("BIRTH").Num, 0);
    EXPECT_EQ(Eval("DTOS(BIRTH)").Text, "        ");
}

TEST_F(ExprEval, GetFieldValueTypesByField)
{
    TExprFieldRef ref{'D', 8, 0, 4, 255};
    EXPECT_EQ(GetFieldValue(ref).Text, "19981224");
    ref = {'M', 10, 0, 6, 255};
    EXPECT_EQ(GetFieldValue(ref).Num, 1);
    ref = {'N', 8, 2, 2, 255};
    EXPECT_EQ(GetFieldValue(ref).Num, 123.45);
    ref = {'L', 1, 0, 5, 255};
    EXPECT_TRUE(GetFieldValue(ref).Log);
    dbexpr.TableHooks = TExprTableHooks{};
    ref = {'C', 5, 0, 1, 255};
    EXPECT_EQ(GetFieldValue(ref).Type, ExprTypeChar);
}

TEST_F(ExprEval, MemoOperandReadsTheText)
{
    const TExprValue v = Eval("NOTES");
    EXPECT_EQ(v.Type, ExprTypeMemo);
    EXPECT_EQ(v.Text, "First line of the note. Second line.");
    // A memo longer than the pool is cut one byte before the pool's end.
    parts.Memos[0] = std::string(1000, 'x');
    EXPECT_EQ(Eval("NOTES").Text.size(), 255u);
}

TEST_F(ExprEval, DivisionByZeroReportsAndGoesOn)
{
    const TExprValue v = Eval("10 / 0");
    EXPECT_EQ(v.Num, 1e250);
    EXPECT_EQ(dberror.DbErrorCode, 358);
    EXPECT_EQ(dberror.DbErrorText, "Error during evaluation: Divide by 0 [Evaluate/Engine]");
}

TEST_F(ExprEval, ModByLessThanOneDoesNotDivideByZero)
{
    struct {
        const char* Text;
        double Expected;
    } cases[] = {{"MOD(7, 0.5)", 7}, {"MOD(-7, -0.9)", -7}, {"MOD(7, 0)", 7}};
    for (const auto& c : cases) {
        dberror.DbErrorCode = 0;
        EXPECT_EQ(Eval(c.Text).Num, c.Expected) << c.Text;
        EXPECT_EQ(dberror.DbErrorCode, 358) << c.Text;
    }
}

TEST_F(ExprEval, PowerEdgeCases)
{
    EXPECT_EQ(Eval("0 ^ -1").Num, 1e250);
    EXPECT_EQ(dberror.DbErrorCode, 358);
    dberror.DbErrorCode = 0;
    const TExprValue root = Eval("(-8) ^ (1 / 3)");
    EXPECT_EQ(root.Num, 0);
    EXPECT_FALSE(std::isnan(root.Num));
    EXPECT_EQ(dberror.DbErrorCode, 207);
}

TEST_F(ExprEval, PoolOverflowFailsCleanly)
{
    // Compiled while NAME was 5 wide; the table was then reopened with a
    // 50-character NAME. The pool was sized for the old width.
    parts.Fields[0].Width = 5;
    TCompiledExpr* expr = AssignExpr("NAME + 'X'");
    ASSERT_NE(expr, nullptr);
    EXPECT_EQ(expr->PoolSize, 6 + 2);
    parts.Fields[0].Width = 50;
    parts.Records[0][0] = std::string(50, 'N');
    EXPECT_EQ(EvaluateExpr(expr), nullptr);
    EXPECT_EQ(dberror.DbErrorCode, 354);
    EXPECT_EQ(dberror.DbErrorText, "Working pool overflow [PARSER/Allocate]");
    // The expression stays usable once the value fits again.
    dberror.DbErrorCode = 0;
    parts.Records[0][0] = "ABCDE";
    const TExprValue* v = EvaluateExpr(expr);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->Text, "ABCDEX");
    FreeExpr(expr);
}

TEST_F(ExprEval, OverflowInsideAFunctionDoesNotPopAnEmptyStack)
{
    parts.Fields[0].Width = 2;
    TCompiledExpr* expr = AssignExpr("UPPER(SUBSTR(NAME, 1, 3)) + LEFT(NAME, 1)");
    ASSERT_NE(expr, nullptr);
    parts.Records[0][0] = std::string(200, 'n');
    EXPECT_EQ(EvaluateExpr(expr), nullptr);
    EXPECT_EQ(dberror.DbErrorCode, 354);
    FreeExpr(expr);
}

TEST_F(ExprEval, EvaluateCurrentRunsTheLastExpression)
{
    EXPECT_EQ(EvaluateCurrent(), nullptr);
    EXPECT_EQ(EvaluateExpr(nullptr), nullptr);
    TCompiledExpr* expr = AssignExpr("QTY + 1");
    ASSERT_NE(expr, nullptr);
    ASSERT_NE(EvaluateExpr(expr), nullptr);
    EXPECT_EQ(dbexpr.CurrentExpr, expr);
    parts.RecNo = 3;
    const TExprValue* v = EvaluateCurrent();
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->Num, -2);
    FreeExpr(expr);
    EXPECT_EQ(dbexpr.CurrentExpr, nullptr);
    EXPECT_EQ(EvaluateCurrent(), nullptr);
}

TEST_F(ExprEval, WithoutTableHooksNoFieldIsKnown)
{
    dbexpr.TableHooks = TExprTableHooks{};
    EXPECT_EQ(AssignExpr("NAME"), nullptr);
    EXPECT_EQ(Eval("RECNO()").Num, 0);
    EXPECT_FALSE(Eval("DELETED()").Log);
}

} // namespace

namespace
{

TEST_F(ExprEval, ParserPublishesItsServicesThroughTheHookTable)
{
    InstallExprParser();
    EXPECT_TRUE(dbexpr.ParserPresent);
    EXPECT_TRUE(dbexpr.TableHooks.FindField);
    InstallHooks(); // back to the in-memory table
    auto& hooks = dbhooks.KeyMakerHooks;
    TExprHandle key = hooks.AssignExpr("UPPER(NAME)");
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(hooks.EvaluateExpr(key), "SMITH               ");
    EXPECT_EQ(hooks.ExprSourceText(key), "UPPER(NAME)");
    hooks.FreeExpr(key);
    TExprHandle number = hooks.AssignExpr("QTY * 2");
    const std::string bytes = hooks.EvaluateExpr(number);
    ASSERT_EQ(bytes.size(), 8u);
    double value = 0;
    std::memcpy(&value, bytes.data(), 8);
    EXPECT_EQ(value, 24.0);
    hooks.FreeExpr(number);
    TExprHandle condition = hooks.AssignExpr("QTY > 10");
    EXPECT_TRUE(hooks.EvaluateLogical(condition));
    parts.RecNo = 2;
    EXPECT_FALSE(hooks.EvaluateLogical(condition));
    hooks.FreeExpr(condition);
    EXPECT_EQ(hooks.AssignExpr("1 +"), nullptr);
}

} // namespace
