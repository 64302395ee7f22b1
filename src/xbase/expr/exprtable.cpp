// The expression engine's view of the work areas: field lookup by name and
// alias, the stored text of a field of the current record, RECNO() and
// DELETED().
#include "xbase/cmd/dbcmd.h"
#include "xbase/core/dbstrings.h"
#include "xbase/expr/dbexpr.h"

#include <cstddef>

namespace
{

TWorkArea* AreaOf(int area)
{
    if (area >= 33 || area < 1) return SelectedArea();
    return dbcmd.WorkAreas[area].get();
}

bool FindInArea(const TWorkArea* a, int areaNo, const std::string& name, TExprFieldRef& ref)
{
    if (!a) return false;
    for (std::size_t i = 0; i < a->Fields.size(); ++i) {
        const TDbfField& f = a->Fields[i];
        if (f.Name == name) {
            ref = TExprFieldRef{f.Type, f.Length, f.Decimals, static_cast<int>(i + 1), areaNo};
            return true;
        }
    }
    return false;
}

} // namespace

void InstallExprTableHooks()
{
    auto& hooks = dbexpr.TableHooks;
    hooks.FindField = [](const std::string& alias, const std::string& name, TExprFieldRef& ref) {
        if (alias.empty()) return FindInArea(SelectedArea(), 255, name, ref);
        // Aliases are told apart on their first 10 characters.
        const std::string wanted = UpperStr(alias).substr(0, 10);
        for (int i = 1; i <= 32; ++i) {
            const TWorkArea* a = dbcmd.WorkAreas[i].get();
            if (a && UpperStr(a->AliasName).substr(0, 10) == wanted) return FindInArea(a, i, name, ref);
        }
        return false;
    };
    hooks.FieldText = [](int areaNo, int field, TExprStoredField& out) {
        const TWorkArea* a = AreaOf(areaNo);
        if (!a || field < 1 || field > a->FieldCount) return false;
        const TDbfField& f = a->Fields[static_cast<std::size_t>(field - 1)];
        out.Type = f.Type;
        out.Width = f.Length;
        out.AtRecord = !a->AtEnd && a->RecordNumber >= 1 && a->RecordNumber <= a->RecordCount &&
                       a->RecordBuffer.size() >= static_cast<std::size_t>(f.Offset) + f.Length;
        out.Text = out.AtRecord ? a->RecordBuffer.substr(f.Offset, f.Length) : std::string();
        return true;
    };
    hooks.RecNo = [] { return SelectedArea() ? RecNo() : 0; };
    hooks.Deleted = [] {
        const TWorkArea* a = SelectedArea();
        return a && !a->RecordBuffer.empty() && a->RecordBuffer[0] == '*';
    };
}
