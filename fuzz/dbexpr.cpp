// Fuzz target: compiles the input as an expression and evaluates it against a
// small fixed table (the current record, end of file and a second area).
// Nothing may crash, read past a text or pop an empty stack.

#include "xbase/expr/dbexpr.h"
#include "xbase/core/dberror.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace
{

struct TField {
    const char* Name;
    char Type;
    int Width;
    int Decimals;
    const char* Stored;
};

const TField Fields[] = {
    {"NAME", 'C', 10, 0, "SMITH     "}, {"PRICE", 'N', 8, 2, "  123.45"}, {"QTY", 'N', 5, 0, "  -12"},
    {"BIRTH", 'D', 8, 0, "19981224"},   {"ACTIVE", 'L', 1, 0, "T"},       {"NOTES", 'M', 10, 0, "         1"},
    {"EMPTYD", 'D', 8, 0, "        "},  {"BAD", 'N', 5, 0, "*****"},
};

bool atRecord = true;
// Widths as seen at evaluation; a second pass widens NAME beyond what the
// compiler reserved, as a reopened table would.
int nameWidth = 10;

void Install()
{
    auto& hooks = dbexpr.TableHooks;
    hooks.FindField = [](const std::string& alias, const std::string& name, TExprFieldRef& ref) {
        if (!alias.empty() && alias != "OTHER") return false;
        for (std::size_t i = 0; i < sizeof Fields / sizeof Fields[0]; ++i) {
            if (name == Fields[i].Name) {
                ref = TExprFieldRef{Fields[i].Type, Fields[i].Width, Fields[i].Decimals,
                                    static_cast<int>(i + 1), alias.empty() ? 255 : 2};
                return true;
            }
        }
        return false;
    };
    hooks.FieldText = [](int, int field, TExprStoredField& out) {
        if (field < 1 || field > static_cast<int>(sizeof Fields / sizeof Fields[0])) return false;
        const TField& f = Fields[field - 1];
        out.Type = f.Type;
        out.Width = field == 1 ? nameWidth : f.Width;
        out.AtRecord = atRecord;
        out.Text = field == 1 ? std::string(static_cast<std::size_t>(nameWidth), 'W') : f.Stored;
        return true;
    };
    hooks.MemoText = [](int, int) { return std::string(300, 'm'); };
    hooks.RecNo = [] { return int32_t{7}; };
    hooks.Deleted = [] { return false; };
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ResetDbError();
    dberror.AutoReportErrors = false;
    ResetDbExpr();
    Install();
    const std::string text(reinterpret_cast<const char*>(data), size);
    TCompiledExpr* expr = AssignExpr(text);
    if (!expr) return 0;
    for (int pass = 0; pass < 3; ++pass) {
        atRecord = pass != 1;
        nameWidth = pass == 2 ? 200 : 10;
        const TExprValue* value = EvaluateExpr(expr);
        if (value && (value->Type == ExprTypeChar || value->Type == ExprTypeMemo) && value->Text.size() > 255)
            __builtin_trap();
    }
    FreeExpr(expr);
    ResetDbExpr();
    return 0;
}
