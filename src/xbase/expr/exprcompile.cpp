// Compiler of the expression language: lexer, parser with type rules, and
// the emission of the postfix program.

#include "xbase/core/dberror.h"
#include "xbase/expr/dbexpr.h"
#include "xbase/expr/exprcodes.h"

#include <array>
#include <charconv>
#include <cstddef>
#include <initializer_list>
#include <memory>

namespace
{

using namespace exprcode;

// Names of at most 10 characters; every listed abbreviation is an entry of
// its own, so "Upp" stays unknown while "UPPE" is UPPER.
constexpr TExprKeyword Keywords[] = {
    {"ABS", Abs, 0},
    {"ASC", Asc, 0},
    {"AT", At, 0},
    {"CDOW", Cdow, 15},
    {"CHR", Chr, 2},
    {"CMON", Cmonth, 15},
    {"CMONT", Cmonth, 15},
    {"CMONTH", Cmonth, 15},
    {"CTOD", Ctod, 0},
    {"DATE", Date, 0},
    {"DAY", Day, 0},
    {"DELE", Deleted, 0},
    {"DELET", Deleted, 0},
    {"DELETE", Deleted, 0},
    {"DELETED", Deleted, 0},
    {"DOW", Dow, 0},
    {"DTOC", Dtoc, 11},
    {"DTOS", Dtos, 9},
    {"IIF", Iif, 256},
    {"INT", Int, 0},
    {"LEFT", Left, 0},
    {"LEN", Len, 0},
    {"LOWE", Lower, 0},
    {"LOWER", Lower, 0},
    {"LTRI", Ltrim, 0},
    {"LTRIM", Ltrim, 0},
    {"MAX", Max, 0},
    {"MIN", Min, 0},
    {"MOD", Mod, 0},
    {"MONT", Month, 0},
    {"MONTH", Month, 0},
    {"RECN", Recno, 0},
    {"RECNO", Recno, 0},
    {"REPL", Replicate, 256},
    {"REPLI", Replicate, 256},
    {"REPLIC", Replicate, 256},
    {"REPLICA", Replicate, 256},
    {"REPLICAT", Replicate, 256},
    {"REPLICATE", Replicate, 256},
    {"RIGH", Right, 0},
    {"RIGHT", Right, 0},
    {"ROUN", Round, 0},
    {"ROUND", Round, 0},
    {"RTRI", Rtrim, 0},
    {"RTRIM", Rtrim, 0},
    {"SOUN", Soundex, 15},
    {"SOUND", Soundex, 15},
    {"SOUNDE", Soundex, 15},
    {"SOUNDEX", Soundex, 15},
    {"SPAC", Space, 256},
    {"SPACE", Space, 256},
    {"STR", Str, 256},
    {"STUF", Stuff, 0},
    {"STUFF", Stuff, 0},
    {"SUBS", Substr, 0},
    {"SUBST", Substr, 0},
    {"SUBSTR", Substr, 0},
    {"TRIM", Trim, 0},
    {"UPPE", Upper, 0},
    {"UPPER", Upper, 0},
    {"VAL", Val, 0},
    {"YEAR", Year, 0},
    {".F.", False, 0},
    {".T.", True, 0},
    {".NOT.", Not, 0},
    {".OR.", Or, 0},
    {".AND.", And, 0},
    {"$EOT$", Unknown, 0},
};

struct TFunctionRule {
    int32_t Token;
    std::string_view Name;
    // Accepted signatures: argument type letters, then "->" result letter.
    std::initializer_list<std::string_view> Signatures;
};

const TFunctionRule FunctionRules[] = {
    {Abs, "ABS", {"N>N"}},
    {Asc, "ASC", {"C>N"}},
    {At, "AT", {"CC>N"}},
    {Cdow, "CDOW", {"D>C"}},
    {Chr, "CHR", {"N>C"}},
    {Cmonth, "CMONTH", {"D>C"}},
    {Ctod, "CTOD", {"C>D"}},
    {Date, "DATE", {">D"}},
    {Day, "DAY", {"D>N"}},
    {Deleted, "DELETED", {">L"}},
    {Dow, "DOW", {"D>N"}},
    {Dtoc, "DTOC", {"D>C"}},
    {Dtos, "DTOS", {"D>C"}},
    {Iif, "IIF", {"LCC>C"}},
    {Int, "INT", {"N>N"}},
    {Left, "LEFT", {"CN>C"}},
    {Len, "LEN", {"C>N"}},
    {Lower, "LOWER", {"C>C"}},
    {Ltrim, "LTRIM", {"C>C"}},
    {Max, "MAX", {"NN>N", "DD>D"}},
    {Min, "MIN", {"NN>N", "DD>D"}},
    {Mod, "MOD", {"NN>N"}},
    {Month, "MONTH", {"D>N"}},
    {Recno, "RECNO", {">N"}},
    {Replicate, "REPLICATE", {"CN>C"}},
    {Right, "RIGHT", {"CN>C"}},
    {Round, "ROUND", {"NN>N"}},
    {Rtrim, "RTRIM", {"C>C"}},
    {Soundex, "SOUNDEX", {"C>C"}},
    {Space, "SPACE", {"N>C"}},
    {Str, "STR", {"N>C", "NN>C", "NNN>C"}},
    {Stuff, "STUFF", {"CNNC>C"}},
    {Substr, "SUBSTR", {"CNN>C"}},
    {Trim, "TRIM", {"C>C"}},
    {Upper, "UPPER", {"C>C"}},
    {Val, "VAL", {"C>N"}},
    {Year, "YEAR", {"D>N"}},
};

const TFunctionRule* FindFunctionRule(int32_t token)
{
    for (const auto& rule : FunctionRules)
        if (rule.Token == token) return &rule;
    return nullptr;
}

char TypeLetter(int32_t type)
{
    switch (type) {
    case ExprTypeChar:
        return 'C';
    case ExprTypeNum:
        return 'N';
    case ExprTypeLog:
        return 'L';
    case ExprTypeDate:
        return 'D';
    case ExprTypeMemo:
        return 'M';
    default:
        return '?';
    }
}

int32_t TypeOfLetter(char letter)
{
    switch (letter) {
    case 'C':
        return ExprTypeChar;
    case 'N':
        return ExprTypeNum;
    case 'L':
        return ExprTypeLog;
    case 'D':
        return ExprTypeDate;
    default:
        return ExprTypeMemo;
    }
}

// Raised inside the parser to unwind to AssignExpr with the message.
struct TCompileFailure {
    std::string Message;
};

bool IsLetter(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}
char Upcase(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

constexpr std::size_t MaxTokenChars = 80;
// The table-driven parser this language was made for keeps 150 entries on
// its stack; nesting beyond that is refused in the same words.
constexpr int ParserStackLimit = 150;
constexpr int NoDecimalsSeen = 19;

class TExprCompiler
{
  public:
    explicit TExprCompiler(const std::string& text) : src_(text) {}

    void Compile(TCompiledExpr& expr)
    {
        Next();
        const int32_t type = ParseOr();
        if (token_ != EndOfText) Fail("Syntax error");
        Emit(ExprEnd, 0);
        expr.Program = std::move(program_);
        Describe(expr, type);
    }

    std::string Context() const
    {
        const std::size_t start = pos_ > 50 ? pos_ - 50 : 0;
        std::string context = start > 0 ? "[..." : "[";
        context += src_.substr(start, 51);
        context += start + 51 < src_.size() ? "...]" : "]";
        return context;
    }

  private:
    [[noreturn]] void Fail(const std::string& message) { throw TCompileFailure{message}; }

    [[noreturn]] void OperatorMismatch(std::string_view op)
    {
        Fail("PARSER:Type mismatch in expression \"" + std::string(op) + "\"");
    }

    [[noreturn]] void FunctionMismatch(std::string_view name)
    {
        Fail("PARSER:Type mismatch in function \"" + std::string(name) + "\"");
    }

    char Peek(std::size_t ahead = 0) const { return pos_ + ahead < src_.size() ? src_[pos_ + ahead] : '\0'; }

    void SkipBlanks()
    {
        while (pos_ < src_.size() && (src_[pos_] == ' ' || src_[pos_] == '\t'))
            ++pos_;
    }

    // Reads the next token into token_ (and value_ or field_).
    void Next()
    {
        SkipBlanks();
        if (pos_ >= src_.size()) {
            token_ = EndOfText;
            return;
        }
        const char c = src_[pos_];
        if (IsDigit(static_cast<unsigned char>(c))) {
            ReadNumber();
            return;
        }
        if (c == '\'' || c == '"') {
            ReadString(c);
            return;
        }
        if (IsLetter(static_cast<unsigned char>(c)) || c == '.' || c == '_') {
            ReadIdentifier();
            return;
        }
        ++pos_;
        const char n = Peek();
        switch (c) {
        case '=':
            if (n == '=') {
                ++pos_;
                token_ = ExactEqual;
            } else {
                token_ = '=';
            }
            return;
        case '*':
            if (n == '*') {
                ++pos_;
                token_ = '^';
            } else {
                token_ = '*';
            }
            return;
        case '#':
            token_ = NotEqual;
            return;
        case '<':
            if (n == '>') {
                ++pos_;
                token_ = NotEqual;
            } else if (n == '=') {
                ++pos_;
                token_ = LessEqual;
            } else {
                token_ = '<';
            }
            return;
        case '>':
            if (n == '=') {
                ++pos_;
                token_ = GreaterEqual;
            } else {
                token_ = '>';
            }
            return;
        case '$':
            token_ = Contained;
            return;
        default:
            token_ = static_cast<unsigned char>(c);
            return;
        }
    }

    void ReadNumber()
    {
        const std::size_t start = pos_;
        bool point = false;
        while (pos_ < src_.size() && pos_ - start < MaxTokenChars) {
            const char c = Upcase(src_[pos_]);
            if (IsDigit(static_cast<unsigned char>(c)) || c == 'E') {
                ++pos_;
            } else if (c == '.' && !point) {
                point = true;
                ++pos_;
            } else {
                break;
            }
        }
        // The longest prefix that reads as a number counts; "1E" reads as 1.
        long double number = 0;
        const char* first = src_.data() + start;
        std::from_chars(first, src_.data() + pos_, number, std::chars_format::general);
        token_ = NumberConst;
        value_ = TExprValue{};
        value_.Type = ExprTypeNum;
        value_.Num = static_cast<double>(number);
        lastWidth_ = 0;
        lastDecimals_ = 2;
    }

    void ReadString(char quote)
    {
        const std::size_t start = ++pos_;
        while (pos_ < src_.size() && src_[pos_] != quote)
            ++pos_;
        if (pos_ >= src_.size()) Fail("Syntax error");
        value_ = TExprValue{};
        value_.Type = ExprTypeChar;
        value_.Text = src_.substr(start, pos_ - start);
        ++pos_;
        reservation_ += static_cast<int>(value_.Text.size()) + 1;
        token_ = StringConst;
    }

    void ReadIdentifier()
    {
        std::string name;
        std::string alias;
        bool aliased = false;
        const std::size_t start = pos_;
        while (pos_ < src_.size() && pos_ - start < MaxTokenChars) {
            const char c = src_[pos_];
            if (c == '-' && Peek(1) == '>' && !aliased) {
                aliased = true;
                alias = name;
                name.clear();
                pos_ += 2;
                continue;
            }
            if (!IsLetter(static_cast<unsigned char>(c)) && !IsDigit(static_cast<unsigned char>(c)) &&
                c != '.' && c != '_')
                break;
            name += Upcase(c);
            ++pos_;
        }
        // A name followed by "(" calls a function even where a field of that
        // name exists (a table may well have a field called DATE).
        std::size_t look = pos_;
        while (look < src_.size() && (src_[look] == ' ' || src_[look] == '\t'))
            ++look;
        const bool call = look < src_.size() && src_[look] == '(';
        if (!call && LookUpField(alias, name, aliased)) return;
        if (aliased) {
            token_ = Unknown;
            return;
        }
        const TExprKeyword* keyword = FindExprKeyword(name);
        if (!keyword) {
            token_ = Unknown;
            return;
        }
        token_ = keyword->Token;
        reservation_ += keyword->Reservation;
    }

    bool LookUpField(const std::string& alias, const std::string& name, bool aliased)
    {
        const auto& find = dbexpr.TableHooks.FindField;
        if (!find || name.empty() || (aliased && alias.empty())) return false;
        TExprFieldRef ref;
        if (!find(alias, name, ref)) return false;
        int32_t token = 0;
        switch (Upcase(ref.Type)) {
        case 'C':
            token = FieldC;
            break;
        case 'N':
        case 'F':
            token = FieldN;
            break;
        case 'L':
            token = FieldL;
            break;
        case 'D':
            token = FieldD;
            break;
        case 'M':
            token = FieldM;
            break;
        default:
            return false;
        }
        if (aliased)
            token += AliasOffset;
        else
            ref.Area = 255;
        field_ = ref;
        token_ = token;
        if (token == FieldC || token == FieldC + AliasOffset) reservation_ += ref.Width + 1;
        lastWidth_ = ref.Width;
        lastDecimals_ = ref.Decimals;
        return true;
    }

    void Emit(int32_t code, int32_t args)
    {
        TExprItem item;
        item.Code = code;
        item.ArgCount = args;
        program_.push_back(std::move(item));
    }

    void EmitOperand(TExprValue value)
    {
        TExprItem item;
        item.Value = std::move(value);
        program_.push_back(std::move(item));
    }

    void Enter(int entries)
    {
        depth_ += entries;
        if (depth_ > ParserStackLimit) Fail("Parser_stack_overflow");
    }

    void Leave(int entries) { depth_ -= entries; }

    // Level 9: .OR.
    int32_t ParseOr()
    {
        int32_t left = ParseAnd();
        while (token_ == Or) {
            Enter(2);
            Next();
            const int32_t right = ParseAnd();
            Leave(2);
            if (left != ExprTypeLog || right != ExprTypeLog) OperatorMismatch(".OR.");
            Emit(OrL, 2);
            left = ExprTypeLog;
        }
        return left;
    }

    // Level 8: .AND.
    int32_t ParseAnd()
    {
        int32_t left = ParseEquality();
        while (token_ == And) {
            Enter(2);
            Next();
            const int32_t right = ParseEquality();
            Leave(2);
            if (left != ExprTypeLog || right != ExprTypeLog) OperatorMismatch(".AND.");
            Emit(AndL, 2);
            left = ExprTypeLog;
        }
        return left;
    }

    // Level 7: "=", "<>", "#".
    int32_t ParseEquality()
    {
        int32_t left = ParseContains();
        while (token_ == '=' || token_ == NotEqual) {
            const bool equal = token_ == '=';
            Enter(2);
            Next();
            const int32_t right = ParseContains();
            Leave(2);
            int32_t code = 0;
            if (left == right) {
                switch (left) {
                case ExprTypeNum:
                    code = equal ? EqN : NeN;
                    break;
                case ExprTypeDate:
                    code = equal ? EqD : NeD;
                    break;
                case ExprTypeChar:
                    code = equal ? EqC : NeC;
                    break;
                case ExprTypeLog:
                    code = equal ? EqL : NeL;
                    break;
                default:
                    break;
                }
            }
            if (code == 0) OperatorMismatch(equal ? "=" : "<>");
            Emit(code, 2);
            left = ExprTypeLog;
        }
        return left;
    }

    // Level 6: "==", "$".
    int32_t ParseContains()
    {
        int32_t left = ParseRelation();
        while (token_ == ExactEqual || token_ == Contained) {
            const bool exact = token_ == ExactEqual;
            Enter(2);
            Next();
            const int32_t right = ParseRelation();
            Leave(2);
            if (left != ExprTypeChar || right != ExprTypeChar) OperatorMismatch(exact ? "==" : "$");
            Emit(exact ? ExactEqC : ContainedC, 2);
            left = ExprTypeLog;
        }
        return left;
    }

    // Level 5: ">", "<", "<=", ">=".
    int32_t ParseRelation()
    {
        int32_t left = ParseSum();
        while (token_ == '>' || token_ == '<' || token_ == LessEqual || token_ == GreaterEqual) {
            const int32_t op = token_;
            Enter(2);
            Next();
            const int32_t right = ParseSum();
            Leave(2);
            // Codes for N, D, C in that order.
            std::array<int32_t, 3> codes{};
            std::string_view text;
            switch (op) {
            case '>':
                codes = {GtN, GtD, GtC};
                text = ">";
                break;
            case '<':
                codes = {LtN, LtD, LtC};
                text = "<";
                break;
            case LessEqual:
                codes = {LeN, LeD, LeC};
                text = "<=";
                break;
            default:
                codes = {GeN, GeD, GeC};
                text = ">=";
                break;
            }
            int32_t code = 0;
            if (left == right) {
                if (left == ExprTypeNum)
                    code = codes[0];
                else if (left == ExprTypeDate)
                    code = codes[1];
                else if (left == ExprTypeChar)
                    code = codes[2];
            }
            if (code == 0) OperatorMismatch(text);
            Emit(code, 2);
            left = ExprTypeLog;
        }
        return left;
    }

    // Level 4: "+", "-".
    int32_t ParseSum()
    {
        int32_t left = ParseProduct();
        while (token_ == '+' || token_ == '-') {
            const bool plus = token_ == '+';
            Enter(2);
            Next();
            const int32_t right = ParseProduct();
            Leave(2);
            int32_t code = 0;
            int32_t result = 0;
            if (plus) {
                if (left == ExprTypeNum && right == ExprTypeNum) {
                    code = AddNum;
                    result = ExprTypeNum;
                } else if (left == ExprTypeNum && right == ExprTypeDate) {
                    code = AddNumDate;
                    result = ExprTypeDate;
                } else if (left == ExprTypeDate && right == ExprTypeNum) {
                    code = AddDateNum;
                    result = ExprTypeDate;
                } else if (left == ExprTypeChar && right == ExprTypeChar) {
                    code = Concat;
                    result = ExprTypeChar;
                }
            } else {
                if (left == ExprTypeNum && right == ExprTypeNum) {
                    code = SubNum;
                    result = ExprTypeNum;
                } else if (left == ExprTypeDate && right == ExprTypeNum) {
                    code = SubDateNum;
                    result = ExprTypeDate;
                } else if (left == ExprTypeDate && right == ExprTypeDate) {
                    code = SubDateDate;
                    result = ExprTypeNum;
                } else if (left == ExprTypeChar && right == ExprTypeChar) {
                    code = ConcatTrim;
                    result = ExprTypeChar;
                }
            }
            if (code == 0) OperatorMismatch(plus ? "+" : "-");
            Emit(code, 2);
            left = result;
        }
        return left;
    }

    // Level 3: "*", "/".
    int32_t ParseProduct()
    {
        int32_t left = ParsePower();
        while (token_ == '*' || token_ == '/') {
            const bool times = token_ == '*';
            Enter(2);
            Next();
            const int32_t right = ParsePower();
            Leave(2);
            if (left != ExprTypeNum || right != ExprTypeNum) OperatorMismatch(times ? "*" : "/");
            Emit(times ? Mul : Div, 2);
        }
        return left;
    }

    // Level 2: "^" and "**", left-associative: 2 ^ 3 ^ 2 is (2 ^ 3) ^ 2.
    int32_t ParsePower()
    {
        int32_t left = ParseUnary();
        while (token_ == '^') {
            Enter(2);
            Next();
            const int32_t right = ParseUnary();
            Leave(2);
            if (left != ExprTypeNum || right != ExprTypeNum) OperatorMismatch("** or ^");
            Emit(Pow, 2);
        }
        return left;
    }

    // Level 1: a prefix applies to the operand that directly follows it.
    int32_t ParseUnary()
    {
        if (token_ == Not || token_ == '-' || token_ == '+') {
            const int32_t op = token_;
            Enter(1);
            Next();
            const int32_t type = ParseUnary();
            Leave(1);
            if (op == Not) {
                if (type != ExprTypeLog) OperatorMismatch(".NOT.");
                Emit(NotL, 1);
            } else if (op == '-') {
                if (type != ExprTypeNum) OperatorMismatch("Unary -");
                Emit(Negate, 1);
            } else if (type != ExprTypeNum) {
                OperatorMismatch("Unary +");
            }
            return type;
        }
        return ParsePrimary();
    }

    int32_t ParsePrimary()
    {
        const int32_t token = token_;
        switch (token) {
        case StringConst:
        case NumberConst: {
            EmitOperand(value_);
            Next();
            return token;
        }
        case True:
        case False: {
            TExprValue value;
            value.Type = ExprTypeLog;
            value.Log = token == True;
            EmitOperand(value);
            Next();
            return ExprTypeLog;
        }
        case '(': {
            Enter(2);
            Next();
            const int32_t type = ParseOr();
            if (token_ != ')') Fail("Syntax error");
            Leave(2);
            Next();
            return type;
        }
        default:
            break;
        }
        if (token >= FieldC && token <= FieldM + AliasOffset) {
            TExprValue number;
            number.Type = ExprTypeNum;
            number.Num = field_.FieldNo;
            EmitOperand(number);
            int32_t args = 1;
            if (token > FieldM) {
                number.Num = field_.Area;
                EmitOperand(number);
                args = 2;
            }
            Emit(token, args);
            Next();
            static constexpr int32_t types[] = {ExprTypeChar, ExprTypeNum, ExprTypeLog, ExprTypeDate,
                                                ExprTypeMemo};
            return types[(token - FieldC) % AliasOffset];
        }
        if (const TFunctionRule* rule = FindFunctionRule(token)) return ParseFunction(*rule);
        Fail("Syntax error");
    }

    int32_t ParseFunction(const TFunctionRule& rule)
    {
        Next();
        if (token_ != '(') Fail("Syntax error");
        Enter(2);
        Next();
        std::string args;
        if (token_ != ')') {
            for (;;) {
                args += TypeLetter(ParseOr());
                if (token_ != ',') break;
                Next();
            }
        }
        if (token_ != ')') Fail("Syntax error");
        // The argument count is grammar: a wrong count is a syntax error, a
        // wrong type a type mismatch of the function.
        bool countKnown = false;
        for (std::string_view signature : rule.Signatures) {
            const std::size_t arrow = signature.find('>');
            if (arrow != args.size()) continue;
            countKnown = true;
            if (signature.substr(0, arrow) == args) {
                Leave(2);
                Next();
                Emit(rule.Token, static_cast<int32_t>(args.size()));
                return TypeOfLetter(signature[arrow + 1]);
            }
        }
        if (!countKnown) Fail("Syntax error");
        FunctionMismatch(rule.Name);
    }

    void Describe(TCompiledExpr& expr, int32_t type)
    {
        expr.ResultType = TypeLetter(type);
        expr.PoolSize = static_cast<uint16_t>(type == ExprTypeMemo ? 256 : reservation_);
        switch (type) {
        case ExprTypeChar: {
            const bool loneField = expr.Program.size() == 3 && expr.Program[1].Code == FieldC;
            const bool loneAliased = expr.Program.size() == 4 && expr.Program[2].Code == FieldC + AliasOffset;
            expr.Width = static_cast<uint16_t>(loneField || loneAliased ? field_.Width : 0);
            expr.Decimals = 0;
            break;
        }
        case ExprTypeDate:
            expr.Width = 8;
            expr.Decimals = 0;
            break;
        case ExprTypeLog:
            expr.Width = 1;
            expr.Decimals = 0;
            break;
        case ExprTypeNum: {
            const int decimals = lastDecimals_ < NoDecimalsSeen ? lastDecimals_ : 2;
            const int width = lastWidth_ >= decimals + 2 ? lastWidth_ : decimals + 11;
            expr.Decimals = static_cast<uint8_t>(decimals);
            expr.Width = static_cast<uint16_t>(width);
            break;
        }
        default:
            expr.Width = expr.PoolSize;
            expr.Decimals = 0;
            break;
        }
    }

    const std::string& src_;
    std::size_t pos_ = 0;
    int32_t token_ = EndOfText;
    TExprValue value_;
    TExprFieldRef field_;
    int reservation_ = 0;
    int lastWidth_ = 0;
    int lastDecimals_ = NoDecimalsSeen;
    int depth_ = 0;
    std::vector<TExprItem> program_;
};

} // namespace

const TExprKeyword* FindExprKeyword(std::string_view name)
{
    for (const auto& keyword : Keywords)
        if (keyword.Name == name) return &keyword;
    return nullptr;
}

std::string_view ExprFunctionName(int32_t token)
{
    const TFunctionRule* rule = FindFunctionRule(token);
    return rule ? rule->Name : std::string_view{};
}

TCompiledExpr* AssignExpr(const std::string& text)
{
    if (dberror.DbErrorCode >= 350 && dberror.DbErrorCode <= 363) dberror.DbErrorCode = 0;
    auto expr = std::make_unique<TCompiledExpr>();
    // The language's texts are at most 255 characters. A longer expression is
    // refused rather than cut, since the cut text could be a valid but
    // different expression.
    const bool tooLong = text.size() > ExprMaxSource;
    TExprCompiler compiler(text);
    try {
        if (tooLong) throw TCompileFailure{"Syntax error"};
        compiler.Compile(*expr);
    } catch (const TCompileFailure& failure) {
        SetError(351, "Error in expression : " + failure.Message + "\r\n" + compiler.Context() +
                          "\r\n [AssignExpr]");
        return nullptr;
    }
    expr->Source = text;
    return expr.release();
}

void FreeExpr(TCompiledExpr*& expr)
{
    if (dbexpr.CurrentExpr == expr) dbexpr.CurrentExpr = nullptr;
    delete expr;
    expr = nullptr;
}

std::string ExprSourceText(const TCompiledExpr* expr)
{
    return expr ? expr->Source : std::string{};
}
