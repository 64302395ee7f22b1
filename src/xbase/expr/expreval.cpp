// Evaluation engine: runs a compiled program against the current record.

#include "xbase/core/dberror.h"
#include "xbase/core/dbhooks.h"
#include "xbase/core/dbstrings.h"
#include "xbase/expr/dbexpr.h"
#include "xbase/expr/exprcodes.h"
#include "xbase/expr/exprdates.h"
#include "xbase/expr/exprtext.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

TDbExpr dbexpr;

void ResetDbExpr()
{
    dbexpr = TDbExpr{};
}

namespace
{

namespace ec = exprcode;
using namespace exprcode;

const char* const DivideByZero = "Error during evaluation: Divide by 0 [Evaluate/Engine]";

// A count or position argument as a whole number. Out-of-range values are
// held well inside int so that no conversion overflows; every caller bounds
// the result by a text length anyway.
long long Whole(double x)
{
    if (std::isnan(x)) return 0;
    const double t = std::trunc(x);
    if (t > 1e9) return 1000000000;
    if (t < -1e9) return -1000000000;
    return static_cast<long long>(t);
}

TExprValue NumberValue(double x)
{
    TExprValue v;
    v.Type = ExprTypeNum;
    v.Num = x;
    return v;
}

TExprValue DateValue(double day)
{
    TExprValue v;
    v.Type = ExprTypeDate;
    v.Num = day;
    return v;
}

TExprValue LogicalValue(bool b)
{
    TExprValue v;
    v.Type = ExprTypeLog;
    v.Log = b;
    return v;
}

class TEngine
{
  public:
    explicit TEngine(TCompiledExpr& expr) : e_(expr) {}

    // False when the evaluation could not finish.
    bool Run()
    {
        e_.Work.clear();
        e_.PoolNext = 0;
        for (const TExprItem& item : e_.Program) {
            if (item.Code == ExprEnd) break;
            if (item.Code == ExprOperand) {
                if (item.Value.Type == ExprTypeChar)
                    PushText(item.Value.Text);
                else
                    Push(item.Value);
            } else {
                Execute(item);
            }
            // After a failed push the stack no longer matches the program: stop
            // here rather than let the next operator pop what is not there.
            if (failed_) return false;
        }
        return e_.Work.size() == 1;
    }

  private:
    void Push(TExprValue v)
    {
        TExprItem item;
        item.Value = std::move(v);
        e_.Work.push_back(std::move(item));
    }

    void PushText(std::string s, int32_t type = ExprTypeChar)
    {
        if (s.size() > ExprMaxText) s.resize(ExprMaxText);
        const std::size_t need = s.size() + 1;
        if (e_.PoolNext + need > e_.PoolSize) {
            SetError(354, "Working pool overflow [PARSER/Allocate]");
            failed_ = true;
            return;
        }
        TExprItem item;
        item.Value.Type = type;
        item.Value.Text = std::move(s);
        item.PoolBytes = static_cast<uint16_t>(need);
        e_.PoolNext = static_cast<uint16_t>(e_.PoolNext + need);
        e_.Work.push_back(std::move(item));
    }

    TExprValue Pop()
    {
        if (e_.Work.empty()) {
            failed_ = true;
            return TExprValue{};
        }
        TExprItem item = std::move(e_.Work.back());
        e_.Work.pop_back();
        e_.PoolNext = static_cast<uint16_t>(e_.PoolNext - item.PoolBytes);
        if (item.Value.Text.size() > ExprMaxText) item.Value.Text.resize(ExprMaxText);
        return std::move(item.Value);
    }

    // The top text, changed in place by the functions that only shorten or
    // recase it.
    std::string* TopText()
    {
        if (e_.Work.empty()) {
            failed_ = true;
            return nullptr;
        }
        return &e_.Work.back().Value.Text;
    }

    double PopNum() { return Pop().Num; }
    std::string PopText() { return Pop().Text; }
    bool PopLog() { return Pop().Log; }

    void PushField(int area, int field, int32_t code)
    {
        TExprFieldRef ref;
        ref.FieldNo = field;
        ref.Area = area;
        switch (code) {
        case FieldC: {
            ref.Type = 'C';
            PushText(GetFieldValue(ref).Text);
            break;
        }
        case FieldN:
            ref.Type = 'N';
            Push(NumberValue(GetFieldValue(ref).Num));
            break;
        case FieldL:
            ref.Type = 'L';
            Push(LogicalValue(GetFieldValue(ref).Log));
            break;
        case FieldD:
            ref.Type = 'D';
            Push(DateValue(exprdate::FromKey(GetFieldValue(ref).Text)));
            break;
        default: {
            // The memo's text is read straight into what is left of the pool,
            // one byte kept for the terminating NUL.
            std::string text;
            if (dbexpr.TableHooks.MemoText) text = dbexpr.TableHooks.MemoText(area, field);
            const std::size_t room = e_.PoolSize > e_.PoolNext ? e_.PoolSize - e_.PoolNext - 1u : 0u;
            if (text.size() > room) text.resize(room);
            PushText(std::move(text), ExprTypeMemo);
            break;
        }
        }
    }

    void Execute(const TExprItem& item)
    {
        const int32_t code = item.Code;
        if (code >= FieldC && code <= FieldM) {
            const int field = static_cast<int>(PopNum());
            PushField(255, field, code);
            return;
        }
        if (code > FieldM && code <= FieldM + AliasOffset) {
            const int area = static_cast<int>(PopNum());
            const int field = static_cast<int>(PopNum());
            PushField(area, field, code - AliasOffset);
            return;
        }
        if (code >= AddNum)
            Operator(code);
        else
            Function(code, item.ArgCount);
    }

    void Operator(int32_t code)
    {
        switch (code) {
        case Concat: {
            const std::string b = PopText();
            const std::string a = PopText();
            PushText(a + b);
            return;
        }
        case ConcatTrim: {
            // 'AB  ' - 'CD' is "ABCD  ": the blanks of a move behind b.
            const std::string b = PopText();
            const std::string a = PopText();
            const std::string head = RTrimBlanks(a);
            PushText(head + b + std::string(a.size() - head.size(), ' '));
            return;
        }
        case EqC:
        case ExactEqC:
        case ContainedC:
        case GtC:
        case LtC:
        case NeC:
        case LeC:
        case GeC: {
            const std::string b = PopText();
            const std::string a = PopText();
            Push(LogicalValue(CompareTexts(code, a, b)));
            return;
        }
        case EqL:
        case NeL: {
            const bool b = PopLog();
            const bool a = PopLog();
            Push(LogicalValue(code == EqL ? a == b : a != b));
            return;
        }
        case OrL:
        case AndL: {
            const bool b = PopLog();
            const bool a = PopLog();
            Push(LogicalValue(code == OrL ? (a || b) : (a && b)));
            return;
        }
        case NotL:
            Push(LogicalValue(!PopLog()));
            return;
        case Negate:
            Push(NumberValue(-PopNum()));
            return;
        default:
            break;
        }
        const double b = PopNum();
        const double a = PopNum();
        switch (code) {
        case AddNum:
            Push(NumberValue(a + b));
            return;
        case AddNumDate:
            Push(DateValue(a + b));
            return;
        case AddDateNum:
            Push(DateValue(a + b));
            return;
        case SubNum:
            Push(NumberValue(a - b));
            return;
        case SubDateNum:
            Push(DateValue(a - b));
            return;
        case SubDateDate:
            Push(NumberValue(a - b));
            return;
        case Mul:
            Push(NumberValue(a * b));
            return;
        case Div:
            if (b == 0) {
                SetError(358, DivideByZero);
                Push(NumberValue(1e250));
            } else {
                Push(NumberValue(a / b));
            }
            return;
        case Pow:
            Push(NumberValue(Power(a, b)));
            return;
        case EqN:
        case EqD:
            Push(LogicalValue(a == b));
            return;
        case NeN:
        case NeD:
            Push(LogicalValue(a != b));
            return;
        case GtN:
        case GtD:
            Push(LogicalValue(a > b));
            return;
        case LtN:
        case LtD:
            Push(LogicalValue(a < b));
            return;
        case LeN:
        case LeD:
            Push(LogicalValue(a <= b));
            return;
        case GeN:
        case GeD:
            Push(LogicalValue(a >= b));
            return;
        default:
            failed_ = true;
            return;
        }
    }

    static bool CompareTexts(int32_t code, const std::string& a, const std::string& b)
    {
        switch (code) {
        case EqC:
            return !b.empty() && a.compare(0, b.size(), b) == 0;
        case ExactEqC:
            return a == b;
        case ContainedC:
            return !a.empty() && b.find(a) != std::string::npos;
        // std::string compares bytes as unsigned, as the whole-text
        // comparison of the table's key order needs.
        case GtC:
            return a > b;
        case LtC:
            return a < b;
        case NeC:
            return a != b;
        case LeC:
            return a <= b;
        default:
            return a >= b;
        }
    }

    // a ^ b for every base: (-2) ^ 2 = 4 and 0 ^ 0 = 1. A zero base with a
    // negative exponent divides by zero; a negative base with a fractional
    // exponent has no real value.
    static double Power(double a, double b)
    {
        if (a == 0 && b < 0) {
            SetError(358, DivideByZero);
            return 1e250;
        }
        if (a < 0 && b != std::trunc(b)) {
            SetError(207, "Error during evaluation: Negative base of a fractional power [Evaluate/Engine]");
            return 0;
        }
        return std::pow(a, b);
    }

    void Function(int32_t code, int32_t args)
    {
        switch (code) {
        case Abs:
            Push(NumberValue(std::fabs(PopNum())));
            return;
        case Int:
            Push(NumberValue(std::trunc(PopNum())));
            return;
        case Asc: {
            const std::string s = PopText();
            Push(NumberValue(s.empty() ? 0 : static_cast<unsigned char>(s[0])));
            return;
        }
        case At: {
            const std::string s = PopText();
            const std::string sub = PopText();
            const std::size_t p = sub.empty() ? std::string::npos : s.find(sub);
            Push(NumberValue(p == std::string::npos ? 0 : static_cast<double>(p + 1)));
            return;
        }
        case Len:
            Push(NumberValue(static_cast<double>(PopText().size())));
            return;
        case Chr: {
            // Codes outside 1..255 give the empty text: there is no such
            // character, and a NUL would end the text anyway.
            const long long n = Whole(PopNum());
            PushText(n >= 1 && n <= 255 ? std::string(1, static_cast<char>(n)) : std::string());
            return;
        }
        case Val:
            Push(NumberValue(NumberPrefix(RTrimBlanks(PopText()))));
            return;
        case Upper:
        case Lower:
        case Ltrim:
        case Rtrim:
        case Trim: {
            std::string* s = TopText();
            if (!s) return;
            if (code == Upper)
                *s = UpperStr(*s);
            else if (code == Lower)
                *s = AnsiLower(*s);
            else if (code == Ltrim)
                *s = LTrimBlanks(*s);
            else
                *s = RTrimBlanks(*s);
            return;
        }
        case Left:
        case Right: {
            const long long n = Whole(PopNum());
            std::string* s = TopText();
            if (!s) return;
            if (n <= 0)
                s->clear();
            else if (static_cast<std::size_t>(n) < s->size())
                *s = code == Left ? s->substr(0, static_cast<std::size_t>(n))
                                  : s->substr(s->size() - static_cast<std::size_t>(n));
            return;
        }
        case Substr: {
            const long long count = Whole(PopNum());
            long long start = Whole(PopNum());
            const std::string s = PopText();
            if (start < 1) start = 1;
            std::string part;
            if (count > 0 && start <= static_cast<long long>(s.size()))
                part = s.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count));
            PushText(std::move(part));
            return;
        }
        case Stuff: {
            const std::string r = PopText();
            long long count = Whole(PopNum());
            long long start = Whole(PopNum());
            const std::string s = PopText();
            const long long len = static_cast<long long>(s.size());
            if (start < 1) start = 1;
            if (start > len + 1) start = len + 1;
            if (count < 0) count = 0;
            if (count > len - start + 1) count = len - start + 1;
            const auto at = static_cast<std::size_t>(start - 1);
            PushText(s.substr(0, at) + r + s.substr(at + static_cast<std::size_t>(count)));
            return;
        }
        case ec::Replicate: {
            const long long n = Whole(PopNum());
            const std::string s = PopText();
            std::string out;
            for (long long i = 0; i < n && !s.empty() && out.size() <= ExprMaxText; ++i)
                out += s;
            PushText(std::move(out));
            return;
        }
        case Space: {
            const long long n = Whole(PopNum());
            PushText(
                std::string(static_cast<std::size_t>(n <= 0 ? 0 : std::min<long long>(n, ExprMaxText)), ' '));
            return;
        }
        case Str: {
            double decimals = 0;
            double width = 10;
            if (args >= 3) decimals = PopNum();
            if (args >= 2) width = PopNum();
            const double x = PopNum();
            PushText(NumberToStr(x, Whole(width), Whole(decimals)));
            return;
        }
        case Round: {
            const double n = PopNum();
            Push(NumberValue(RoundDecimals(PopNum(), Whole(n))));
            return;
        }
        case Mod: {
            const double b = std::trunc(PopNum());
            const double a = std::trunc(PopNum());
            // A divisor between -1 and 1 truncates to 0: reported like "/",
            // and the dividend is returned unchanged.
            if (b == 0) {
                SetError(358, DivideByZero);
                Push(NumberValue(a));
            } else {
                Push(NumberValue(std::fmod(a, b)));
            }
            return;
        }
        case Max:
        case Min: {
            const TExprValue b = Pop();
            const TExprValue a = Pop();
            const bool first = code == Max ? a.Num >= b.Num : a.Num <= b.Num;
            Push(first ? a : b);
            return;
        }
        case Iif: {
            std::string b = PopText();
            std::string a = PopText();
            PushText(PopLog() ? std::move(a) : std::move(b));
            return;
        }
        case Recno:
            Push(NumberValue(dbexpr.TableHooks.RecNo ? dbexpr.TableHooks.RecNo() : 0));
            return;
        case Deleted:
            Push(LogicalValue(dbexpr.TableHooks.Deleted ? dbexpr.TableHooks.Deleted() : false));
            return;
        case Date:
            Push(DateValue(exprdate::Today()));
            return;
        case Ctod: {
            std::string s = PopText();
            if (s.size() > 10) s.resize(10);
            Push(DateValue(exprdate::FromDisplay(s)));
            return;
        }
        case Dtoc:
            PushText(exprdate::ToDisplay(PopNum()));
            return;
        case Dtos:
            PushText(exprdate::ToKey(PopNum()));
            return;
        case Cdow:
            PushText(exprdate::DayNameOf(PopNum()));
            return;
        case Cmonth:
            PushText(exprdate::MonthNameOf(PopNum()));
            return;
        case Day:
            Push(NumberValue(exprdate::DayOf(PopNum())));
            return;
        case Month:
            Push(NumberValue(exprdate::MonthOf(PopNum())));
            return;
        case Year:
            Push(NumberValue(exprdate::YearOf(PopNum())));
            return;
        case Dow:
            Push(NumberValue(exprdate::DayOfWeek(PopNum())));
            return;
        case Soundex:
            PushText(exprdate::SoundexOf(PopText()));
            return;
        default:
            failed_ = true;
            return;
        }
    }

    TCompiledExpr& e_;
    bool failed_ = false;
};

} // namespace

TExprValue GetFieldValue(const TExprFieldRef& field)
{
    TExprStoredField stored;
    const auto& read = dbexpr.TableHooks.FieldText;
    const bool known = read && read(field.Area, field.FieldNo, stored);
    const bool present = known && stored.AtRecord;
    const std::size_t width = static_cast<std::size_t>(std::max(stored.Width, 0));
    TExprValue v;
    switch (field.Type) {
    case 'C':
        v.Type = ExprTypeChar;
        v.Text = present ? stored.Text : std::string(width, ' ');
        break;
    case 'D':
        v.Type = ExprTypeChar;
        v.Text = present ? stored.Text.substr(0, 8) : std::string();
        v.Text.resize(8, ' ');
        break;
    case 'L': {
        const char c = present && !stored.Text.empty() ? stored.Text[0] : ' ';
        v.Type = ExprTypeLog;
        v.Log = c == 'T' || c == 't' || c == 'Y' || c == 'y';
        break;
    }
    case 'M':
        v.Type = ExprTypeNum;
        v.Num = present ? std::trunc(NumberPrefix(stored.Text)) : 0;
        break;
    default:
        v.Type = ExprTypeNum;
        v.Num = present ? NumberPrefix(stored.Text) : 0;
        break;
    }
    return v;
}

const TExprValue* EvaluateExpr(TCompiledExpr* expr)
{
    if (!expr) return nullptr;
    dbexpr.CurrentExpr = expr;
    TEngine engine(*expr);
    if (!engine.Run()) return nullptr;
    return &expr->Work.front().Value;
}

const TExprValue* EvaluateCurrent()
{
    return EvaluateExpr(dbexpr.CurrentExpr);
}

namespace
{

// The value as the hook table hands it on: texts as they are, logicals as
// "T" or "F", numbers and dates as the 8 bytes of the double, which is the
// form of a numeric or date index key.
std::string ValueAsKeyText(const TExprValue* v)
{
    if (!v) return std::string();
    switch (v->Type) {
    case ExprTypeChar:
    case ExprTypeMemo:
        return v->Text;
    case ExprTypeLog:
        return v->Log ? "T" : "F";
    default: {
        std::string bytes(sizeof v->Num, '\0');
        std::memcpy(bytes.data(), &v->Num, sizeof v->Num);
        return bytes;
    }
    }
}

} // namespace

void InstallExprParser()
{
    auto& hooks = dbhooks.KeyMakerHooks;
    hooks.AssignExpr = [](const std::string& text) -> TExprHandle { return AssignExpr(text); };
    hooks.FreeExpr = [](TExprHandle handle) {
        auto* expr = static_cast<TCompiledExpr*>(handle);
        FreeExpr(expr);
    };
    hooks.EvaluateExpr = [](TExprHandle handle) {
        return ValueAsKeyText(EvaluateExpr(static_cast<TCompiledExpr*>(handle)));
    };
    hooks.ExprSourceText = [](TExprHandle handle) {
        return ExprSourceText(static_cast<const TCompiledExpr*>(handle));
    };
    hooks.EvaluateLogical = [](TExprHandle handle) {
        const TExprValue* v = EvaluateExpr(static_cast<TCompiledExpr*>(handle));
        return v && v->Type == ExprTypeLog && v->Log;
    };
    InstallExprTableHooks();
    dbexpr.ParserPresent = true;
}
