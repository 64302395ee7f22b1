#pragma once
// dBASE expressions: compiler and evaluation engine.
//
// An expression text (an index key, a LOCATE condition, a computed value) is
// compiled once by AssignExpr into a postfix program of typed operands and
// operator codes, then run against the current record as often as needed by
// EvaluateExpr. Field values reach the engine only through TExprTableHooks,
// which the work-area layer fills, so the language knows nothing of files.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Value types of the language; the same numbers are the lexer's token codes
// for a string constant (331) and a numeric constant (332).
enum : int32_t {
    ExprTypeChar = 331,
    ExprTypeNum = 332,
    ExprTypeLog = 333,
    ExprTypeDate = 334,
    ExprTypeMemo = 335,
};

// Program item codes besides the operator and function codes.
enum : int32_t {
    ExprOperand = 0,
    ExprEnd = -1,
};

// Longest source text and longest text value of the language.
inline constexpr std::size_t ExprMaxSource = 255;
inline constexpr std::size_t ExprMaxText = 255;

// One value of the language: a text for C and M, a double for N and D (dates
// are day numbers, 0 = empty date), a Boolean for L.
struct TExprValue {
    int32_t Type = ExprTypeNum;
    double Num = 0.0;
    bool Log = false;
    std::string Text;
};

// One item of the program or of the work stack.
struct TExprItem {
    int32_t Code = ExprOperand; // 0 operand, -1 end, else operator or function
    int32_t ArgCount = 0;       // operands the code takes
    TExprValue Value;           // the operand (Code 0)
    uint16_t PoolBytes = 0;     // result-pool bytes a text on the work stack holds
};

// A compiled expression.
struct TCompiledExpr {
    std::string Source;    // copy of the expression text
    char ResultType = 'C'; // "C", "N", "L", "D" or "M"
    uint16_t Width = 0;    // result width
    uint8_t Decimals = 0;  // result decimals
    std::vector<TExprItem> Program;
    // Evaluation state, kept between evaluations.
    std::vector<TExprItem> Work;
    uint16_t PoolSize = 0; // bytes of the result pool
    uint16_t PoolNext = 0; // first free byte of the pool
};

// A field as the compiler and the engine see it.
struct TExprFieldRef {
    char Type = 'C'; // C, N, F, L, D or M
    int Width = 0;
    int Decimals = 0;
    int FieldNo = 0; // from 1
    int Area = 0;    // work area; 33 or more: the current one
};

// A field's stored bytes as the table layer hands them over.
struct TExprStoredField {
    char Type = 'C';
    int Width = 0;
    bool AtRecord = false;
    std::string Text;
};

// What the engine needs of the table layer. Every member may be empty: no
// field is then known, records read as blank, RECNO() is 0.
struct TExprTableHooks {
    // Finds a field by name in the current work area (alias empty) or in the
    // open work area 1..32 whose alias matches (compared on 10 characters).
    std::function<bool(const std::string& alias, const std::string& name, TExprFieldRef& ref)> FindField;
    // The stored text of field `field` of work area `area` (33 or more: the
    // current area) with the field's type and width. False when the area has
    // no such field; AtRecord false when the area has no current record or is
    // at end of file.
    std::function<bool(int area, int field, TExprStoredField& out)> FieldText;
    // The memo's text of a memo field of the current record.
    std::function<std::string(int area, int field)> MemoText;
    std::function<int32_t()> RecNo; // of the current work area
    std::function<bool()> Deleted;  // current record carries the mark "*"
};

// Program-wide state of the expression unit.
struct TDbExpr {
    TCompiledExpr* CurrentExpr = nullptr; // the expression EvaluateCurrent runs
    bool ParserPresent = false;           // the index layer may compile keys
    TExprTableHooks TableHooks;
};

extern TDbExpr dbexpr;
// Start-up defaults: no current expression, no table hooks.
void ResetDbExpr();

// Compiles; on failure the error goes through SetError and nullptr is
// returned. A pending parser error code (350..363) is cleared first.
TCompiledExpr* AssignExpr(const std::string& text);
// Releases a compiled expression and sets the handle to nullptr.
void FreeExpr(TCompiledExpr*& expr);
// Makes expr current and runs it against the current record. The result is
// the value left on the work stack; nullptr for no expression or when the
// evaluation could not finish (result pool overflow).
const TExprValue* EvaluateExpr(TCompiledExpr* expr);
const TExprValue* EvaluateCurrent();
std::string ExprSourceText(const TCompiledExpr* expr);

// The typed value of field `field` of the current record of work area `area`:
// C its characters, D the 8-character YYYYMMDD text, N and F a double, L true
// for "Y" or "T" in either case, M the memo block number. Without a current
// record: blanks, 8 blanks, 0, false, 0.
TExprValue GetFieldValue(const TExprFieldRef& field);

// Installs the parser's services for the index and command layers, binds
// the table hooks to the work areas and sets ParserPresent.
void InstallExprParser();
// Binds the table hooks to the work areas of the command set.
void InstallExprTableHooks();
