#pragma once
// A small in-memory table behind the expression engine's table hooks: the
// fields of a parts list in the current work area (1) and a second area (2)
// with the alias SUPPLIER.

#include "xbase/core/dbdates.h"
#include "xbase/core/dberror.h"
#include "xbase/expr/dbexpr.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

struct TFakeField {
    std::string Name;
    char Type;
    int Width;
    int Decimals;
};

struct TFakeArea {
    std::string Alias;
    std::vector<TFakeField> Fields;
    std::vector<std::vector<std::string>> Records; // stored texts
    std::vector<bool> DeletedMarks;
    int RecNo = 1;                  // count + 1 = end of file
    std::vector<std::string> Memos; // memo text per record
};

class ExprTableTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        dbdates.EpochYear = 1956;
        dberror.AutoReportErrors = false;
        parts.Alias = "PARTS";
        parts.Fields = {{"NAME", 'C', 20, 0},  {"PRICE", 'N', 8, 2},  {"QTY", 'N', 5, 0},
                        {"BIRTH", 'D', 8, 0},  {"ACTIVE", 'L', 1, 0}, {"NOTES", 'M', 10, 0},
                        {"WEIGHT", 'F', 10, 3}};
        parts.Records = {
            {"SMITH               ", "  123.45", "   12", "19981224", "T", "         1", "     2.500"},
            {"JONES               ", "    0.50", "    0", "        ", "n", "          ", "          "},
            {"xABCx               ", "   -7.25", "   -3", "20240101", "y", "          ", "     1.000"},
        };
        parts.DeletedMarks = {false, true, false};
        parts.Memos = {"First line of the note. Second line.", "", ""};
        supplier.Alias = "SUPPLIER";
        supplier.Fields = {{"CITY", 'C', 15, 0}};
        supplier.Records = {{"STUTTGART      "}};
        InstallHooks();
    }

    TFakeArea* AreaOf(int area)
    {
        if (area == 2) return &supplier;
        if (area == 1 || area >= 33) return &parts;
        return nullptr;
    }

    void InstallHooks()
    {
        auto& hooks = dbexpr.TableHooks;
        hooks.FindField = [this](const std::string& alias, const std::string& name, TExprFieldRef& ref) {
            TFakeArea* area = nullptr;
            int areaNo = 1;
            if (alias.empty()) {
                area = &parts;
            } else if (alias.substr(0, 10) == supplier.Alias.substr(0, 10)) {
                area = &supplier;
                areaNo = 2;
            } else if (alias.substr(0, 10) == parts.Alias.substr(0, 10)) {
                area = &parts;
            }
            if (!area) return false;
            for (std::size_t i = 0; i < area->Fields.size(); ++i) {
                if (area->Fields[i].Name == name) {
                    const auto& f = area->Fields[i];
                    ref = TExprFieldRef{f.Type, f.Width, f.Decimals, static_cast<int>(i + 1), areaNo};
                    return true;
                }
            }
            return false;
        };
        hooks.FieldText = [this](int areaNo, int field, TExprStoredField& out) {
            TFakeArea* area = AreaOf(areaNo);
            if (!area || field < 1 || field > static_cast<int>(area->Fields.size())) return false;
            const auto& f = area->Fields[static_cast<std::size_t>(field - 1)];
            out.Type = f.Type;
            out.Width = f.Width;
            out.AtRecord = area->RecNo >= 1 && area->RecNo <= static_cast<int>(area->Records.size());
            if (out.AtRecord)
                out.Text = area->Records[static_cast<std::size_t>(area->RecNo - 1)]
                                        [static_cast<std::size_t>(field - 1)];
            return true;
        };
        hooks.MemoText = [this](int, int) {
            if (parts.RecNo < 1 || parts.RecNo > static_cast<int>(parts.Memos.size())) return std::string();
            return parts.Memos[static_cast<std::size_t>(parts.RecNo - 1)];
        };
        hooks.RecNo = [this] { return parts.RecNo; };
        hooks.Deleted = [this] {
            return parts.RecNo >= 1 && parts.RecNo <= static_cast<int>(parts.DeletedMarks.size()) &&
                   parts.DeletedMarks[static_cast<std::size_t>(parts.RecNo - 1)];
        };
    }

    // Compiles and evaluates; fails the test when either step fails.
    TExprValue Eval(const std::string& text)
    {
        TCompiledExpr* expr = AssignExpr(text);
        EXPECT_NE(expr, nullptr) << text << ": " << dberror.DbErrorText;
        if (!expr) return TExprValue{};
        const TExprValue* value = EvaluateExpr(expr);
        EXPECT_NE(value, nullptr) << text;
        TExprValue result = value ? *value : TExprValue{};
        FreeExpr(expr);
        return result;
    }

    TFakeArea parts;
    TFakeArea supplier;
};
