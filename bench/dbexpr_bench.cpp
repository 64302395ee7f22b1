// Expression speed: compiling a key expression, and evaluating it once per
// record as an index build or a LOCATE condition does.

#include "xbase/core/dberror.h"
#include "xbase/expr/dbexpr.h"

#include <benchmark/benchmark.h>

#include <string>

namespace
{

void InstallRecord()
{
    ResetDbExpr();
    dberror.AutoReportErrors = false;
    auto& hooks = dbexpr.TableHooks;
    hooks.FindField = [](const std::string&, const std::string& name, TExprFieldRef& ref) {
        if (name == "NAME")
            ref = TExprFieldRef{'C', 20, 0, 1, 255};
        else if (name == "QTY")
            ref = TExprFieldRef{'N', 6, 0, 2, 255};
        else if (name == "BORN")
            ref = TExprFieldRef{'D', 8, 0, 3, 255};
        else
            return false;
        return true;
    };
    hooks.FieldText = [](int, int field, TExprStoredField& out) {
        static const char* const stored[] = {"", "bearing 6205 2RS    ", "   125", "19981224"};
        out.AtRecord = true;
        out.Text = stored[field];
        out.Width = static_cast<int>(out.Text.size());
        return true;
    };
}

void BM_CompileKey(benchmark::State& state)
{
    InstallRecord();
    for (auto _ : state) {
        TCompiledExpr* expr = AssignExpr("UPPER(NAME) + STR(QTY, 6) + DTOS(BORN)");
        benchmark::DoNotOptimize(expr);
        FreeExpr(expr);
    }
}
BENCHMARK(BM_CompileKey);

void BM_EvaluateKey(benchmark::State& state)
{
    InstallRecord();
    TCompiledExpr* expr = AssignExpr("UPPER(NAME) + STR(QTY, 6) + DTOS(BORN)");
    for (auto _ : state)
        benchmark::DoNotOptimize(EvaluateExpr(expr));
    FreeExpr(expr);
}
BENCHMARK(BM_EvaluateKey);

void BM_EvaluateCondition(benchmark::State& state)
{
    InstallRecord();
    TCompiledExpr* expr = AssignExpr("'BEARING' $ UPPER(NAME) .AND. QTY > 100 .AND. YEAR(BORN) < 2000");
    for (auto _ : state)
        benchmark::DoNotOptimize(EvaluateExpr(expr));
    FreeExpr(expr);
}
BENCHMARK(BM_EvaluateCondition);

} // namespace
