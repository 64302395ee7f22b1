#include "cmd_fixture.h"

namespace
{

class NavigateTest : public CmdTest
{
  protected:
    int32_t Id() { return GetNativeInt(1); }
};

struct TSkipCase {
    const char* what;
    std::vector<int> deleted;
    bool skipDeleted;
    int32_t from;
    int32_t by;
    int32_t record;
    bool atEnd;
    bool atBegin;
};

TEST_F(NavigateTest, SkipOverHiddenRecords)
{
    const TSkipCase cases[] = {
        {"SKIP(3) over deleted 2 and 3", {2, 3}, true, 1, 3, 6, false, false},
        {"deleted records count when shown", {2, 3}, false, 1, 3, 4, false, false},
        {"SKIP(-2) over deleted 7", {7}, true, 8, -2, 5, false, false},
        {"SKIP(1) from the last visible", {8}, true, 7, 1, 9, true, false},
        {"SKIP(-1) from the first goes to the first visible", {1}, true, 2, -1, 2, false, true},
        {"SKIP(-5) beyond the top", {}, true, 3, -5, 1, false, true},
        {"SKIP(20) beyond the end", {}, true, 3, 20, 9, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CloseAll();
        MakeNumbered("n.dbf", 8, c.deleted);
        ASSERT_TRUE(UseFile(Path("n.dbf")));
        SetIgnoreDel(c.skipDeleted);
        GO(c.from);
        SKIP(c.by);
        EXPECT_EQ(RecNo(), c.record);
        EXPECT_EQ(dEOF(), c.atEnd);
        EXPECT_EQ(dBOF(), c.atBegin);
        if (c.atEnd)
            EXPECT_EQ(Id(), 0) << "a blank record at the end";
        else
            EXPECT_EQ(Id(), c.record);
    }
}

TEST_F(NavigateTest, PastTheEndIsReported)
{
    MakeNumbered("n.dbf", 2);
    ASSERT_TRUE(UseFile(Path("n.dbf")));
    GO(2);
    SKIP(1);
    EXPECT_TRUE(dEOF());
    EXPECT_TRUE(boxes.empty());
    SetAutoReport(false);
    SKIP(1);
    EXPECT_EQ(dberror.DbErrorCode, 212);
    EXPECT_EQ(dberror.DbErrorText, "Database \"N\" is past EOF. [SKIP]");
}

TEST_F(NavigateTest, EveryRecordDeleted)
{
    MakeNumbered("n.dbf", 3, {1, 2, 3});
    ASSERT_TRUE(UseFile(Path("n.dbf")));
    SetIgnoreDel(true);
    GoTop();
    EXPECT_TRUE(dEOF());
    EXPECT_TRUE(dBOF());
    GoBottom();
    EXPECT_TRUE(dEOF());
    EXPECT_TRUE(dBOF());
}

TEST_F(NavigateTest, EmptyTable)
{
    MakeTable("e.dbf", {{"ID", 'N', 4, 0, 0}}, {});
    ASSERT_TRUE(UseFile(Path("e.dbf")));
    EXPECT_TRUE(dEOF());
    EXPECT_TRUE(dBOF());
    EXPECT_EQ(RecNo(), 0);
    GoTop();
    EXPECT_EQ(RecNo(), 0);
    SetAutoReport(false);
    GO(1);
    EXPECT_EQ(dberror.DbErrorCode, 212);
    EXPECT_EQ(dberror.DbErrorText, "Invalid record number = 1 Database \"E\" [GO]");
    EXPECT_TRUE(dEOF());
    EXPECT_TRUE(dBOF());
    SKIP(1);
    EXPECT_EQ(dberror.DbErrorCode, 212);
}

TEST_F(NavigateTest, FilterAndGo)
{
    MakeNumbered("n.dbf", 8);
    ASSERT_TRUE(UseFile(Path("n.dbf")));
    SelectedArea()->FilterMethod = [this] { return Id() % 2 == 0; };
    GoTop();
    EXPECT_EQ(RecNo(), 2);
    SKIP(1);
    EXPECT_EQ(RecNo(), 4);
    GoBottom();
    EXPECT_EQ(RecNo(), 8);
    SKIP(-2);
    EXPECT_EQ(RecNo(), 4);
    GO(5);
    EXPECT_EQ(RecNo(), 5) << "GO reaches hidden records";
    EXPECT_FALSE(IsVisible());
    EXPECT_TRUE(RepositionIfHidden());
    EXPECT_EQ(RecNo(), 6);
    EXPECT_FALSE(GoIfValid(9));
    EXPECT_EQ(RecNo(), 6);
    EXPECT_TRUE(GoIfValid(1));
    EXPECT_EQ(RecNo(), 1);
    SetAutoReport(false);
    GO(12);
    EXPECT_EQ(dberror.DbErrorCode, 212);
    EXPECT_EQ(RecNo(), 9);
    EXPECT_TRUE(dEOF());
}

TEST_F(NavigateTest, WhileConditionStopsSkip)
{
    MakeNumbered("n.dbf", 8);
    ASSERT_TRUE(UseFile(Path("n.dbf")));
    SelectedArea()->WhileMethod = [this] { return Id() <= 4; };
    EXPECT_TRUE(IsWhileOn());
    GO(3);
    SKIP(1);
    EXPECT_EQ(RecNo(), 4);
    EXPECT_FALSE(dEOF());
    SKIP(1);
    EXPECT_EQ(RecNo(), 5) << "the record that failed stays current";
    EXPECT_TRUE(SelectedArea()->AtEnd);
    GO(2);
    BottomOfScope();
    EXPECT_EQ(RecNo(), 4);
}

TEST_F(NavigateTest, SharedAreaSeesRecordsAppendedElsewhere)
{
    MakeNumbered("n.dbf", 2);
    ASSERT_TRUE(UseFile(Path("n.dbf")));
    Select(2);
    ASSERT_TRUE(UseFile(Path("n.dbf") + " ALIAS WRITER"));
    ASSERT_TRUE(ALock());
    SetNativeInt(1, 3);
    Append();
    EXPECT_EQ(RecNo(), 3);
    Select(1);
    GO(2);
    SKIP(1);
    EXPECT_EQ(RecNo(), 3) << "reached without reopening";
    EXPECT_EQ(Id(), 3);
    EXPECT_EQ(RecCount(), 3);
}

TEST_F(NavigateTest, NoTableMeansEndAndBegin)
{
    Select(5);
    EXPECT_TRUE(dEOF());
    EXPECT_TRUE(dBOF());
    SetAutoReport(false);
    GoTop();
    EXPECT_EQ(dberror.DbErrorCode, 215);
    EXPECT_EQ(dberror.DbErrorText, "No database in use [GoTop]  WorkArea = 5");
}

} // namespace

namespace
{

// An index engine stand-in that orders the records by descending record
// number, driven through the hook table as the index engine will be.
class DescendingIndex
{
  public:
    DescendingIndex()
    {
        auto& h = dbhooks.DbHooks;
        h.IndexOpen = [] { return true; };
        h.FirstKey = [this] { return Count(); };
        h.LastKey = [] { return 1; };
        h.NextKey = [this] {
            int32_t r = SelectedArea()->RecordNumber;
            if (r <= 1) {
                end_ = true;
                return r;
            }
            begin_ = end_ = false;
            return r - 1;
        };
        h.PriorKey = [this] {
            int32_t r = SelectedArea()->RecordNumber;
            if (r >= Count()) {
                begin_ = true;
                return r;
            }
            begin_ = end_ = false;
            return r + 1;
        };
        h.AtIndexEnd = [this] { return end_; };
        h.AtIndexBegin = [this] { return begin_; };
        h.SyncOrder1 = [this] {
            TWorkArea* a = SelectedArea();
            end_ = a->RecordNumber > a->RecordCount;
            begin_ = false;
        };
        h.SetIndexBegin = [this] { begin_ = true; };
        h.SetIndexEnd = [this] { end_ = true; };
        h.SemaphoreReadLock = [this](bool on) { readLocks_ += on ? 1 : -1; };
    }
    ~DescendingIndex() { ResetDbHooks(); }
    int ReadLocksHeld() const { return readLocks_; }

  private:
    static int32_t Count() { return SelectedArea()->RecordCount; }
    bool end_ = false;
    bool begin_ = false;
    int readLocks_ = 0;
};

TEST_F(NavigateTest, MovesFollowTheIndexOrder)
{
    MakeNumbered("n.dbf", 5, {3});
    ASSERT_TRUE(UseFile(Path("n.dbf")));
    SetIgnoreDel(true);
    DescendingIndex index;
    GoTop();
    EXPECT_EQ(RecNo(), 5);
    const int32_t forward[] = {4, 2, 1};
    for (int32_t expect : forward) {
        SKIP(1);
        EXPECT_EQ(RecNo(), expect) << "record 3 is deleted and skipped";
    }
    SKIP(1);
    EXPECT_TRUE(dEOF());
    EXPECT_EQ(Id(), 0);
    GoBottom();
    EXPECT_EQ(RecNo(), 1);
    SKIP(-1);
    EXPECT_EQ(RecNo(), 2);
    SKIP(-5);
    EXPECT_EQ(RecNo(), 5) << "beyond the first key: the top";
    EXPECT_TRUE(dBOF());
    GO(3);
    EXPECT_EQ(RecNo(), 3);
    EXPECT_FALSE(dEOF());
    EXPECT_EQ(index.ReadLocksHeld(), 0) << "every read lock taken was released";
}

} // namespace

namespace
{

// A table opened exclusively is read in blocks ahead of a walk: three
// blocks' worth of 201-byte records are walked forward, backward and by
// jumps, and a record changed through the table, by Poke, by a delete mark
// and by a pack is read as changed, never from the block held before.
TEST_F(NavigateTest, RecordsReadAheadAreWhatTheFileHolds)
{
    const int count = 1000;
    auto row = [](int i, char fill) {
        std::string id = std::to_string(i);
        return std::string(4 - id.size(), ' ') + id + std::string(196, fill);
    };
    std::vector<std::string> rows;
    for (int i = 1; i <= count; ++i)
        rows.push_back(row(i, 'a'));
    MakeTable("big.dbf", {{"ID", 'N', 4, 0, 0}, {"TEXT", 'C', 196, 0, 0}}, rows);
    ASSERT_TRUE(UseFile(Path("big") + " EXCLUSIVE"));
    int32_t expected = 1;
    for (GoTop(); !dEOF(); SKIP(1))
        ASSERT_EQ(Id(), expected++) << "forward";
    EXPECT_EQ(expected, count + 1);
    expected = count;
    for (GoBottom(); !dBOF(); SKIP(-1))
        ASSERT_EQ(Id(), expected--) << "backward";
    EXPECT_EQ(expected, 0);
    for (int32_t n : {500, 3, 999, 326, 327, 1, 1000, 650}) {
        GO(n);
        EXPECT_EQ(Id(), n) << "GO " << n;
    }

    // Each change lands on records a walk has just read ahead.
    GO(398);
    SKIP(1);
    GO(400);
    SetNativeText(2, std::string(196, 'b'));
    Replace();
    GO(401);
    GO(400);
    EXPECT_EQ(GetNativeText(2), std::string(196, 'b')) << "changed through the table";
    GO(398);
    SKIP(1);
    Poke("c", 2, 401);
    GO(402);
    GO(401);
    EXPECT_EQ(GetNativeText(2).substr(0, 2), "ca") << "changed by Poke";
    GO(1);
    SKIP(1);
    DeleteRec();
    GO(3);
    GO(2);
    EXPECT_TRUE(Deleted()) << "delete mark";
    ASSERT_TRUE(Pack());
    GO(2);
    EXPECT_EQ(Id(), 3) << "after the pack";
    EXPECT_EQ(RecCount(), count - 1);
}

} // namespace
