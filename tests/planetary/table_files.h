#pragma once
// Small tables for the catalogue tests, written with the table engine into a
// private directory that serves as the table directory.

#include "foundation/programstate.h"
#include "xbase/access/tableaccess.h"
#include "xbase/cmd/dbcmd.h"
#include "xbase/core/dberror.h"
#include "xbase/xbaselib.h"
#include "xbase/xbasestate.h"

#include <gtest/gtest.h>

#include "common/tempdir.h"
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

class TableDir
{
  public:
    TableDir()
    {
        dir = testdirs::MakeTempDir("tables");
        std::filesystem::create_directory(dir + "/temp");
    }
    ~TableDir()
    {
        ResetDbf4();
        testdirs::RemoveTempDir(dir);
    }
    TableDir(const TableDir&) = delete;
    TableDir& operator=(const TableDir&) = delete;

    // Makes this the table directory and its "temp" the temporary one.
    void Use() const
    {
        telmvar.DbfDir = dir;
        telmvar.TempDir = dir + "/temp";
    }

    std::string Path(const std::string& name) const { return dir + "/" + name; }

    // Rows of field texts in field order.
    void Make(const std::string& file, const std::vector<TDbfField>& fields,
              const std::vector<std::vector<std::string>>& rows) const
    {
        TDbfTable t;
        ASSERT_TRUE(CreateDBF(t, Path(file), fields)) << TakeErrorText();
        TTzDbf table("maker");
        table.Exclusive = true;
        table.SetDbfFileName(Path(file));
        ASSERT_TRUE(table.SetActive(true));
        for (const auto& r : rows) {
            table.CheckCommand("Blank");
            ClearRecord();
            for (std::size_t i = 0; i < r.size() && i < fields.size(); ++i)
                table.SetFieldText(fields[i].Name, r[i]);
            ASSERT_TRUE(table.AppendRec());
        }
        table.SetActive(false);
    }

    void MakeLifeTable(const std::vector<std::vector<std::string>>& rows) const
    {
        Make("qyrlife.dbf",
             {{"LW", 'C', 30, 0, 0},
              {"N0F", 'N', 10, 0, 0},
              {"NNF", 'N', 10, 0, 0},
              {"PF", 'N', 8, 3, 0},
              {"N0H", 'N', 10, 0, 0},
              {"NNH", 'N', 10, 0, 0},
              {"PH", 'N', 8, 3, 0}},
             rows);
    }

    std::string dir;
};
