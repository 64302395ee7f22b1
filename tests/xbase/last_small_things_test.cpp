// Small things of the table library: a move in index order after another
// area changed the index under it.
#include "ndx_fixture.h"

#include <sys/wait.h>
#include <unistd.h>

namespace
{

const std::string kBox = "Table library error|Error # 254 (Xbase internal error)\r\n";

} // namespace

class LastSmallThingsNdx : public NdxTest
{
  protected:
    // Records 1..5 keyed A..E, indexed, open shared in area 1 on record 2 (B).
    void OpenOnB()
    {
        MakeKeys("t.dbf", 4, {"A", "B", "C", "D", "E"});
        ASSERT_TRUE(UseFile(Path("t.dbf") + " EXCLUSIVE"));
        ASSERT_TRUE(MakeIndex(Path("t.ndx"), "KEY"));
        CloseAll();
        dbcmd.SharedAccess = true;
        ASSERT_TRUE(UseFile(Path("t.dbf")));
        Set_Index_To(Path("t.ndx"));
        GoTop();
        SKIP(1);
        ASSERT_EQ(RecNo(), 2);
    }
    // Record 2's key B becomes AA, so the index no longer holds record 2 at
    // or after B.
    static void ChangeRecord2()
    {
        ASSERT_TRUE(FLock());
        GO(2);
        SetNativeText(1, "AA");
        Replace();
        Unlock();
    }
};

// Another area (same table, its own index handle) descended and changed the
// index: the move looks for the record from the index's current key B, not
// from the record's new key AA (which would find it), misses it, says so and
// stays where the seek of B lands: C, record 3. Another program's change
// without another descent here only clears the path and goes on quietly.
TEST_F(LastSmallThingsNdx, MoveAfterAnotherAreaFilledThePath)
{
    struct Case {
        const char* changer;
        int32_t step;
        std::vector<std::string> boxes;
        int32_t record;
    };
    const Case cases[] = {
        {"area", 1, {kBox + " [_FindNextRec]"}, 3},
        {"area", -1, {kBox + " [_FindPriorRec]"}, 3},
        {"program", 1, {}, 3},
        {"program", -1, {}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.changer) + " " + std::to_string(c.step));
        OpenOnB();
        if (std::string(c.changer) == "area") {
            Select(2);
            ASSERT_TRUE(UseFile(Path("t.dbf") + " ALIAS TWO"));
            Set_Index_To(Path("t.ndx"));
            ChangeRecord2();
            Select(1);
        } else {
            pid_t pid = fork();
            ASSERT_GE(pid, 0);
            if (pid == 0) {
                ResetXbaseState();
                InitXbaseLibrary();
                dbcmd.SharedAccess = true;
                bool ok = UseFile(Path("t.dbf"));
                Set_Index_To(Path("t.ndx"));
                ChangeRecord2();
                ok = ok && dberror.DbErrorCode == 0;
                CloseAll();
                _exit(ok ? 0 : 1);
            }
            int status = 0;
            waitpid(pid, &status, 0);
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        SKIP(0); // the record as stored now: key AA
        boxes.clear();
        SKIP(c.step);
        EXPECT_EQ(boxes, c.boxes);
        EXPECT_EQ(RecNo(), c.record);
        SKIP(1);
        EXPECT_EQ(RecNo(), c.record + 1) << "the next move goes on from there";
        CloseAll();
        dbcmd.SharedAccess = false;
        std::filesystem::remove(Path("t.dbf"));
        std::filesystem::remove(Path("t.ndx"));
    }
}
