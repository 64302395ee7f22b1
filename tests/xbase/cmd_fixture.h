#pragma once
// Tables for the work-area command tests, written record by record in their
// stored form so that every expected byte is known.

#include "xbase/cmd/dbcmd.h"
#include "xbase_fixture.h"

#include <string>
#include <vector>

class CmdTest : public XbaseTest
{
  protected:
    void TearDown() override
    {
        SetAutoReport(false);
        DoneXbaseLibrary();
        XbaseTest::TearDown();
    }

    // Each row is the stored record without its delete flag; a row starting
    // with '*' is written as deleted.
    void MakeTable(const std::string& file, const std::vector<TDbfField>& fields,
                   const std::vector<std::string>& rows)
    {
        TDbfTable t;
        ASSERT_TRUE(CreateDBF(t, Path(file), fields));
        t.Name = Path(file);
        ASSERT_TRUE(OpenDbf(t));
        for (const auto& r : rows) {
            std::string rec = r.rfind('*', 0) == 0 ? r : " " + r;
            ASSERT_EQ(rec.size(), t.RecordLength) << r;
            t.RecordBuffer = rec;
            ASSERT_TRUE(AppendDbfRecord(t));
        }
        ASSERT_TRUE(CloseDbf(t));
    }

    // IDs 1..count in an N(4) field, with the given records deleted.
    void MakeNumbered(const std::string& file, int count, const std::vector<int>& deleted = {})
    {
        std::vector<std::string> rows;
        for (int i = 1; i <= count; ++i) {
            std::string id = std::to_string(i);
            std::string rec = std::string(4 - id.size(), ' ') + id;
            bool del = false;
            for (int d : deleted)
                del = del || d == i;
            rows.push_back(del ? "*" + rec : rec);
        }
        MakeTable(file, {{"ID", 'N', 4, 0, 0}}, rows);
    }

    // Stored records of a table file, delete flags included.
    std::vector<std::string> StoredRecords(const std::string& file)
    {
        auto b = ReadBytes(Path(file));
        uint16_t hl = GetLE16(&b[8]);
        uint16_t rl = GetLE16(&b[10]);
        uint32_t n = GetLE32(&b[4]);
        std::vector<std::string> out;
        for (uint32_t i = 0; i < n; ++i)
            out.emplace_back(b.begin() + hl + i * rl, b.begin() + hl + (i + 1) * rl);
        return out;
    }
};
