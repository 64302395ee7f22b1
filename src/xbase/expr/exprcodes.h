#pragma once
// Token and operator codes of the expression language. The numbers are part
// of the compiled program that the index and command layers keep, so they
// stay as they are.

#include <cstdint>
#include <string_view>

namespace exprcode
{

// Functions: the token code is also the program code.
enum : int32_t {
    Abs = 257,
    Asc = 259,
    At = 261,
    Cdow = 264,
    Chr = 266,
    Cmonth = 267,
    Ctod = 269,
    Date = 270,
    Day = 271,
    Deleted = 272,
    Dow = 274,
    Dtoc = 275,
    Dtos = 277,
    Iif = 283,
    Int = 284,
    Left = 288,
    Len = 289,
    Lower = 292,
    Ltrim = 293,
    Max = 294,
    Min = 295,
    Mod = 296,
    Month = 297,
    Recno = 300,
    Replicate = 301,
    Right = 302,
    Round = 303,
    Rtrim = 305,
    Soundex = 308,
    Space = 310,
    Str = 311,
    Stuff = 312,
    Substr = 313,
    Trim = 316,
    Upper = 318,
    Val = 319,
    Year = 320,
};

// Field tokens (and program codes): C, N/F, L, D, M; +5 with an alias.
enum : int32_t {
    FieldC = 321,
    FieldN = 322,
    FieldL = 323,
    FieldD = 324,
    FieldM = 325,
    AliasOffset = 5,
};

// Lexer tokens besides single characters.
enum : int32_t {
    StringConst = 331,
    NumberConst = 332,
    Unknown = 336,
    False = 337,
    True = 338,
    Not = 339,
    Or = 340,
    And = 341,
    NotEqual = 342,
    LessEqual = 343,
    GreaterEqual = 344,
    ExactEqual = 345,
    Contained = 346,
    EndOfText = -1,
};

// Operator codes of the program.
enum : int32_t {
    AddNum = 347,
    AddNumDate = 348,
    AddDateNum = 349,
    Concat = 350,
    SubNum = 351,
    SubDateNum = 352,
    SubDateDate = 353,
    ConcatTrim = 354,
    Mul = 355,
    Div = 356,
    Pow = 357,
    EqN = 358,
    EqD = 359,
    EqC = 360,
    EqL = 361,
    ExactEqC = 362,
    ContainedC = 363,
    GtN = 364,
    GtD = 365,
    GtC = 366,
    LtN = 367,
    LtD = 368,
    LtC = 369,
    NeN = 370,
    NeD = 371,
    NeC = 372,
    NeL = 373,
    LeN = 374,
    LeD = 375,
    LeC = 376,
    GeN = 377,
    GeD = 378,
    GeC = 379,
    OrL = 380,
    AndL = 381,
    NotL = 382,
    Negate = 383,
};

} // namespace exprcode

// One entry of the keyword table.
struct TExprKeyword {
    std::string_view Name;
    int32_t Token;
    int32_t Reservation; // result-pool bytes each use adds
};

// Exact, upper-case lookup of a whole identifier; nullptr when not listed.
const TExprKeyword* FindExprKeyword(std::string_view name);
// The full name of a function token, for messages.
std::string_view ExprFunctionName(int32_t token);
