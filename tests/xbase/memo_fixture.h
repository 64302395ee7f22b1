#pragma once
// Tables with a memo field for the memo tests: created in a chosen memo
// style and block size, opened in a work area, with the memo service
// installed.

#include "table_fixture.h"

#include "xbase/core/dbstrings.h"
#include "xbase/dbf/dbfformat.h"
#include "xbase/memo/dbmemo.h"

#include <string>
#include <vector>

class MemoTest : public TableTest
{
  protected:
    void SetUp() override
    {
        TableTest::SetUp();
        InstallMemoHooks();
    }
    void TearDown() override
    {
        CloseAll();
        TableTest::TearDown();
    }

    // ID N(4) and NOTES M in the style; opened in the area (selected).
    void MakeMemoTable(uint8_t style, uint16_t blockSize = 512, const std::string& file = "memo.dbf",
                       int area = 1)
    {
        dbffile.MemoVersion = style;
        dbffile.MemoBlockSize = blockSize;
        CreateAndUse(area, file, {{"ID", 'N', 4, 0, 0}, {"NOTES", 'M', 10, 0, 0}});
        memoPath = MemoFileName(Path(file), style);
    }
    const std::string& MemoPath() const { return memoPath; }

    // The whole text of the memo at the block in the selected area.
    std::string Text(int32_t block)
    {
        std::string t;
        EXPECT_TRUE(ReadMemoText(block, t)) << dberror.DbErrorText;
        return t;
    }

    // Stores the lines as the memo that replaces old; the new block.
    int32_t WriteLines(const std::vector<std::string>& lines, int32_t old)
    {
        AllocateMemoLines();
        ClearMemoLines(false);
        dbmemo.MemoLineEnds.clear();
        for (std::size_t i = 0; i < lines.size(); ++i)
            StoreMemoLine(static_cast<int32_t>(i + 1), lines[i]);
        dbmemo.MemoLineCount = static_cast<int32_t>(lines.size());
        return EditMemoCloseMemo(old);
    }

    static uint32_t ReadBE32(const uint8_t* p)
    {
        return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
               (static_cast<uint32_t>(p[2]) << 8) | p[3];
    }

    std::string memoPath;
};
