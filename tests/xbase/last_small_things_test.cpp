// Small things of the table library.
#include "ndx_fixture.h"

class LastSmallThingsXbase : public NdxTest
{
};

// Area 1 stands on record 2 (key B of A..E) as its key becomes AA through area 2: the move
// seeks B, misses record 2, says so and stays on C; through area 1 itself it goes on quietly.
TEST_F(LastSmallThingsXbase, MoveAfterAnotherAreaFilledThePath)
{
    const std::string box = "Table library error|Error # 254 (Xbase internal error)\r\n [_Find";
    const struct {
        int changer;
        int32_t step, record;
        std::vector<std::string> boxes;
    } cases[] = {{2, 1, 3, {box + "NextRec]"}}, {2, -1, 3, {box + "PriorRec]"}}, {1, -1, 1, {}}};
    for (const auto& c : cases) {
        dbcmd.SharedAccess = false;
        MakeKeys("t.dbf", 4, {"A", "B", "C", "D", "E"});
        ASSERT_TRUE(UseFile(Path("t.dbf")));
        ASSERT_TRUE(MakeIndex(Path("t.ndx"), "KEY"));
        CloseAll();
        dbcmd.SharedAccess = true;
        for (int area : {2, 1}) {
            Select(area);
            ASSERT_TRUE(UseFile(Path("t.dbf") + (area == 2 ? " ALIAS TWO" : "")));
            Set_Index_To(Path("t.ndx"));
        }
        GO(2);
        Select(c.changer);
        ASSERT_TRUE(FLock());
        GO(2);
        SetNativeText(1, "AA");
        Replace();
        Unlock();
        Select(1);
        SKIP(0); // the record as stored now
        boxes.clear();
        SKIP(c.step);
        EXPECT_EQ(boxes, c.boxes) << c.changer << c.step;
        EXPECT_EQ(RecNo(), c.record) << c.changer << c.step;
        CloseAll();
    }
}

// 437 in the file, 1252 read (0x14, 0x15, 0x8E -> 0xB6, 0xA7, 0xC4), in the first 16 bytes and the last.
TEST_F(LastSmallThingsXbase, OemRecordsReadAsWindowsText)
{
    const std::pair<std::string, std::string> cases[] = {
        {"\x14 x\x15", "\xB6 x\xA7"},
        {std::string("a\0b", 3), std::string("a\0b", 3)},
        {"\x15 first of a long text", "\xA7 first of a long text"},
        {"plain text long enough for 16", "plain text long enough for 16"},
        {"at the very end of it \x8E\x14", "at the very end of it \xC4\xB6"}};
    for (const auto& [stored, read] : cases) {
        MakeTable("o.dbf", {{"T", 'C', static_cast<uint8_t>(stored.size()), 0, 0}}, {stored});
        ASSERT_TRUE(UseFile(Path("o.dbf")));
        EXPECT_EQ(GetNativeText(1), read) << stored;
        CloseAll();
    }
}
