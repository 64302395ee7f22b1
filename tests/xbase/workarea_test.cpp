#include "cmd_fixture.h"

#include <vector>

namespace
{

class WorkAreaTest : public CmdTest
{
};

TEST_F(WorkAreaTest, UseWithAliasOpensTheTableFoundIgnoringCase)
{
    MakeTable("parts.dbf", {{"NAME", 'C', 4, 0, 0}}, {"abcd"});
    ASSERT_TRUE(UseFile(Path("PARTS") + " ALIAS P"));
    EXPECT_EQ(Alias(), "P");
    TWorkArea* a = SelectedArea();
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(a->OwnsNative);
    EXPECT_EQ(a->Name, Path("parts.dbf"));
    EXPECT_FALSE(a->Exclusive);
    EXPECT_TRUE(a->OemText);
    EXPECT_EQ(GetNativeText(1), "abcd");
    CloseArea();
    EXPECT_EQ(SelectedArea(), nullptr);
    EXPECT_EQ(Alias(), "");
}

TEST_F(WorkAreaTest, DefaultAliasIsTheFileNameInUpperCase)
{
    MakeTable("gear.mat.dbf", {{"A", 'C', 1, 0, 0}}, {"x"});
    ASSERT_TRUE(UseFile(Path("gear.mat.dbf") + " exclusive"));
    EXPECT_EQ(Alias(), "GEAR.MAT");
    EXPECT_TRUE(SelectedArea()->Exclusive);
}

TEST_F(WorkAreaTest, SameFileTwiceWithoutAliasIsRefused)
{
    MakeTable("parts.dbf", {{"NAME", 'C', 4, 0, 0}}, {"abcd"});
    ASSERT_TRUE(UseFile(Path("parts")));
    Select(2);
    SetAutoReport(false);
    EXPECT_FALSE(UseFile(Path("parts")));
    EXPECT_EQ(dberror.DbErrorCode, 220);
    EXPECT_EQ(dberror.DbErrorText, "Alias name \"PARTS\" already in use. [USE]");
    EXPECT_EQ(SelectedArea(), nullptr) << "a failed USE leaves the area free";
    EXPECT_TRUE(UseFile(Path("parts") + " ALIAS SECOND"));
}

TEST_F(WorkAreaTest, SelectZeroTakesTheLowestFreeCallerArea)
{
    MakeTable("t.dbf", {{"A", 'C', 1, 0, 0}}, {"x"});
    SetAutoReport(false);
    for (int i = 1; i <= 33; ++i) {
        Select(0);
        ASSERT_EQ(CurrentAreaNo(), i);
        ASSERT_TRUE(UseFile(Path("t.dbf") + " ALIAS A" + std::to_string(i)));
    }
    Select(0);
    EXPECT_EQ(dberror.DbErrorCode, 220);
    EXPECT_EQ(dberror.DbErrorText, "No free workarea available [Select(0)]");
    EXPECT_EQ(CurrentAreaNo(), 33) << "areas 34 and 35 are never chosen";
    Select(34);
    EXPECT_EQ(dberror.DbErrorCode, 220);
    EXPECT_EQ(dberror.DbErrorText, "Invalid workarea selected = [Select(34)]");
    Select(17);
    CloseArea();
    Select(0);
    EXPECT_EQ(CurrentAreaNo(), 17);
    CloseAll();
    EXPECT_EQ(CurrentAreaNo(), 1) << "CloseAll leaves area 1 selected";
    for (int i = 1; i <= 33; ++i)
        EXPECT_FALSE(dbcmd.WorkAreas[i]);
}

TEST_F(WorkAreaTest, CallerBufferOfTheWrongSizeIsRefused)
{
    MakeTable("t.dbf", {{"A", 'C', 3, 0, 0}, {"N", 'N', 5, 0, 0}}, {"abc   12"});
    std::vector<uint8_t> buffer(9, 0); // 1 + 4 + 4 is right
    SetAutoReport(false);
    EXPECT_FALSE(UseFile(Path("t.dbf"), buffer.data(), 12));
    EXPECT_EQ(dberror.DbErrorCode, 266);
    EXPECT_NE(dberror.DbErrorText.find("Record Size=9, Buffer Size=12"), std::string::npos)
        << dberror.DbErrorText;
    EXPECT_EQ(SelectedArea(), nullptr);
    EXPECT_FALSE(UseFile(Path("t.dbf"), nullptr, 9));
    EXPECT_EQ(dberror.DbErrorCode, 220);
    ASSERT_TRUE(UseFile(Path("t.dbf"), buffer.data(), 9));
    EXPECT_EQ(buffer[1], 3);
    EXPECT_EQ(std::string(buffer.begin() + 2, buffer.begin() + 5), "abc");
    EXPECT_EQ(NativeInt32At(buffer.data() + 5), 12);
}

TEST_F(WorkAreaTest, WithoutSharedAccessEveryTableIsExclusive)
{
    MakeTable("t.dbf", {{"A", 'C', 1, 0, 0}}, {"x"});
    dbcmd.SharedAccess = false;
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    EXPECT_TRUE(SelectedArea()->Exclusive);
    EXPECT_TRUE(FLock());
    Unlock();
    EXPECT_TRUE(ALock());
    Unlock();
    EXPECT_TRUE(RLock());
    // No operating-system lock was placed: another opener is refused by the
    // sharing mode, not by a lock.
    Select(2);
    SetAutoReport(false);
    EXPECT_FALSE(UseFile(Path("t.dbf") + " ALIAS OTHER"));
    EXPECT_EQ(dberror.DbErrorCode, 32);
}

TEST_F(WorkAreaTest, ExclusiveAndSharedOpensExcludeEachOther)
{
    MakeTable("t.dbf", {{"A", 'C', 1, 0, 0}}, {"x"});
    ASSERT_TRUE(UseFile(Path("t.dbf") + " EXCLUSIVE"));
    Select(2);
    SetAutoReport(false);
    EXPECT_FALSE(UseFile(Path("t.dbf") + " ALIAS B"));
    EXPECT_EQ(dberror.DbErrorCode, 32);
    Select(1);
    CloseArea();
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    Select(2);
    EXPECT_TRUE(UseFile(Path("t.dbf") + " ALIAS B")) << "two shared opens";
    Select(3);
    EXPECT_FALSE(UseFile(Path("t.dbf") + " ALIAS C EXCLUSIVE"));
}

TEST_F(WorkAreaTest, MissingTableReportsFileNotFound)
{
    SetAutoReport(false);
    EXPECT_FALSE(UseFile(Path("nothing")));
    EXPECT_EQ(dberror.DbErrorCode, 2);
    EXPECT_EQ(SelectedArea(), nullptr);
    EXPECT_TRUE(UseFile(""));
}

TEST_F(WorkAreaTest, RelationRunsAfterMovesAndCannotRecurse)
{
    MakeNumbered("n.dbf", 3);
    ASSERT_TRUE(UseFile(Path("n.dbf")));
    int calls = 0;
    SetRelation([&] {
        ++calls;
        SKIP(0); // a move inside the relation does not call it again
    });
    EXPECT_EQ(calls, 1);
    SKIP(1);
    EXPECT_EQ(calls, 2);
    GO(3);
    EXPECT_EQ(calls, 3);
    SetAutoReport(false);
    SetRelation([] { SKIP(-1); });
    EXPECT_EQ(dberror.DbErrorCode, 224) << "a relation that moves its own area";
}

TEST_F(WorkAreaTest, VirtualOpenNeedsTheVirtualFileService)
{
    SetAutoReport(false);
    uint8_t buffer[8] = {};
    EXPECT_FALSE(UseFile("LIST VIRTUAL FILE", buffer, 8));
    EXPECT_EQ(dberror.DbErrorCode, 1101);
    std::vector<uint8_t> ops;
    dbhooks.VFileDriver = [&](uint8_t area) { ops.push_back(dbcmd.WorkAreas[area]->VirtualOp); };
    ASSERT_TRUE(UseFile("queue virtual file alias Q to heap lifo", buffer, 8));
    EXPECT_EQ(Alias(), "Q");
    EXPECT_TRUE(SelectedArea()->IsVirtual);
    EXPECT_EQ(SelectedArea()->Ordering, 1);
    EXPECT_EQ(ops, std::vector<uint8_t>{VirtualOpen});
    CloseArea();
    EXPECT_EQ(ops.back(), VirtualClose);
}

} // namespace
