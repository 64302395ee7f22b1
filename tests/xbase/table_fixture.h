#pragma once
// Tables on disk for the command tests: created empty, opened in a work
// area, filled through the native record.

#include "xbase_fixture.h"

#include "xbase/cmd/dbcmd.h"
#include "xbase/cmd/dblocate.h"
#include "xbase/cmd/dbtransfer.h"
#include "xbase/dbf/dbffile.h"
#include "xbase/expr/dbexpr.h"

#include <string>
#include <variant>
#include <vector>

using TCell = std::variant<std::string, double, bool>;

class TableTest : public XbaseTest
{
  protected:
    void SetUp() override
    {
        XbaseTest::SetUp();
        dberror.AutoReportErrors = false;
        dbcmd.SharedAccess = false; // exclusive: appends need no lock
    }
    void TearDown() override
    {
        CloseAll();
        XbaseTest::TearDown();
    }

    // Creates the table and opens it in area `area` (selected afterwards).
    void CreateAndUse(int area, const std::string& file, const std::vector<TDbfField>& fields,
                      const std::string& alias = "")
    {
        TDbfTable t;
        ASSERT_TRUE(CreateDBF(t, Path(file), fields)) << dberror.DbErrorText;
        Select(area);
        ASSERT_TRUE(UseFile(Path(file) + (alias.empty() ? "" : " ALIAS " + alias))) << dberror.DbErrorText;
    }

    // Appends one record to the selected area: cells in field order; a text
    // for C and D (display date), a number for N and F (an empty text: no
    // number, the field stays blank), a Boolean for L.
    void AddRecord(const std::vector<TCell>& cells, bool deleted = false)
    {
        ClearRecord();
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const int n = static_cast<int>(i + 1);
            if (const auto* s = std::get_if<std::string>(&cells[i]))
                SetNativeText(n, *s), MarkNumberBlank(*SelectedArea(), n, s->empty());
            else if (const auto* d = std::get_if<double>(&cells[i]))
                SetNativeDouble(n, *d);
            else
                SetNativeBool(n, std::get<bool>(cells[i]));
        }
        SetNativeDeleted(deleted);
        Append();
        ASSERT_EQ(dberror.DbErrorCode, 0) << dberror.DbErrorText;
    }

    // The stored text of field n of record r, straight from the file.
    std::string Stored(int n, int32_t r)
    {
        std::string text;
        Peek(n, r, text);
        return text;
    }
};
