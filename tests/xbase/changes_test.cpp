#include "cmd_fixture.h"

#include "platform/sharedfile.h"

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

class ChangesTest : public CmdTest
{
  protected:
    int32_t Id() { return GetNativeInt(1); }
};

TEST_F(ChangesTest, AppendReplaceDeleteRecallWriteTheFile)
{
    MakeTable("p.dbf", {{"NAME", 'C', 5, 0, 0}, {"QTY", 'N', 3, 0, 0}}, {"gear   1"});
    ASSERT_TRUE(UseFile(Path("p.dbf") + " EXCLUSIVE"));
    ClearRecord();
    SetNativeText(1, "shaft");
    SetNativeInt(2, 22);
    Append();
    EXPECT_EQ(RecNo(), 2);
    EXPECT_FALSE(dEOF());
    GO(1);
    SetNativeInt(2, 5);
    Replace();
    DeleteRec();
    EXPECT_TRUE(Deleted());
    GO(2);
    DeleteRec();
    RecallRec();
    EXPECT_FALSE(Deleted());
    CloseArea();
    EXPECT_EQ(StoredRecords("p.dbf"), (std::vector<std::string>{"*gear   5", " shaft 22"}));
    auto b = ReadBytes(Path("p.dbf"));
    EXPECT_EQ(b.size(), 32u + 64 + 1 + 2 * 9 + 1);
    EXPECT_EQ(b.back(), 0x1A);
}

TEST_F(ChangesTest, OemTextIsTheDefaultForUse)
{
    MakeTable("o.dbf", {{"NAME", 'C', 3, 0, 0}}, {});
    ASSERT_TRUE(UseFile(Path("o.dbf") + " EXCLUSIVE"));
    SetNativeText(1, "\xC4rz"); // Windows 1252 A umlaut
    Append();
    EXPECT_EQ(GetNativeText(1), "\xC4rz");
    CloseArea();
    EXPECT_EQ(StoredRecords("o.dbf")[0], " \x8Erz") << "code page 437 in the file";
    ASSERT_TRUE(UseFile(Path("o.dbf")));
    EXPECT_EQ(GetNativeText(1), "\xC4rz");
    std::string raw;
    Peek(1, 1, raw);
    EXPECT_EQ(raw, "\x8Erz") << "Peek gives the stored bytes";
}

TEST_F(ChangesTest, DeleteAtEndDoesNothingRecallReports)
{
    MakeNumbered("n.dbf", 2);
    ASSERT_TRUE(UseFile(Path("n.dbf") + " EXCLUSIVE"));
    GoBottom();
    SKIP(1);
    DeleteRec();
    EXPECT_EQ(dberror.DbErrorCode, 0);
    EXPECT_TRUE(boxes.empty());
    SetAutoReport(false);
    RecallRec();
    EXPECT_EQ(dberror.DbErrorCode, 1103);
    EXPECT_EQ(dberror.DbErrorText, "N at EOF [RecallRec]");
}

TEST_F(ChangesTest, SharedChangesNeedTheRightLock)
{
    MakeNumbered("n.dbf", 3);
    ASSERT_TRUE(UseFile(Path("n.dbf")));
    SetAutoReport(false);
    GO(1);
    ASSERT_TRUE(RLock());
    GO(2);
    SetNativeInt(1, 99);
    Replace();
    EXPECT_EQ(dberror.DbErrorCode, 1200) << "record 2 is not locked";
    EXPECT_EQ(dberror.DbErrorText, "Record #2 in N [REPLACE]");
    DeleteRec();
    EXPECT_EQ(dberror.DbErrorCode, 1200);
    Append();
    EXPECT_EQ(dberror.DbErrorCode, 5) << "record locks do not allow appending";
    EXPECT_EQ(dberror.DbErrorText, "File must be locked to append: " + Path("n.dbf") + " [APPEND]");
    EXPECT_EQ(RecCount(), 3);
    GO(1);
    SetNativeInt(1, 11);
    Replace();
    EXPECT_EQ(dberror.DbErrorCode, 0);
    Unlock();
    ASSERT_TRUE(ALock());
    GO(2);
    Replace();
    EXPECT_EQ(dberror.DbErrorCode, 1200) << "an append lock is not enough to replace";
    Append();
    EXPECT_EQ(dberror.DbErrorCode, 0);
    CloseArea();
    EXPECT_EQ(StoredRecords("n.dbf"), (std::vector<std::string>{"   11", "    2", "    3", "    2"}));
}

TEST_F(ChangesTest, ReplaceOutsideTheTable)
{
    MakeTable("e.dbf", {{"ID", 'N', 4, 0, 0}}, {});
    ASSERT_TRUE(UseFile(Path("e.dbf") + " EXCLUSIVE"));
    SetAutoReport(false);
    Replace();
    EXPECT_EQ(dberror.DbErrorCode, 212);
    EXPECT_EQ(dberror.DbErrorText, "Database \"E\" is empty. [REPLACE]");
}

struct TPackCase {
    const char* what;
    int count;
    std::vector<int> deleted;
};

TEST_F(ChangesTest, PackKeepsTheLiveRecordsInOrder)
{
    const TPackCase cases[] = {
        {"deleted in the middle", 6, {2, 5}},
        {"deleted at the end only", 5, {4, 5}},
        {"nothing deleted", 3, {}},
        {"everything deleted", 4, {1, 2, 3, 4}},
        {"first deleted", 3, {1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CloseAll();
        MakeNumbered("n.dbf", c.count, c.deleted);
        ASSERT_TRUE(UseFile(Path("n.dbf")));
        GO(2);
        ASSERT_TRUE(Pack());
        std::vector<std::string> expect;
        for (int i = 1; i <= c.count; ++i)
            if (std::find(c.deleted.begin(), c.deleted.end(), i) == c.deleted.end()) {
                std::string id = std::to_string(i);
                expect.push_back(" " + std::string(4 - id.size(), ' ') + id);
            }
        EXPECT_EQ(RecCount(), static_cast<int32_t>(expect.size()));
        if (expect.empty()) {
            EXPECT_EQ(RecNo(), 0);
            EXPECT_TRUE(dEOF());
            EXPECT_TRUE(dBOF());
        } else {
            EXPECT_EQ(RecNo(), 1);
            EXPECT_FALSE(dEOF());
        }
        EXPECT_FALSE(SelectedArea()->Exclusive) << "shared again after Pack";
        CloseArea();
        EXPECT_EQ(StoredRecords("n.dbf"), expect);
        auto b = ReadBytes(Path("n.dbf"));
        EXPECT_EQ(b.size(), 32u + 32 + 1 + 5 * expect.size() + 1);
        EXPECT_EQ(b.back(), 0x1A);
        EXPECT_EQ(DirEntries(), std::vector<std::string>{"n.dbf"}) << "no temporary file left";
    }
}

TEST_F(ChangesTest, PackFailureLeavesTheTableWhole)
{
    // The packed copy cannot be written past 300 bytes (as on a full disk):
    // Pack fails half-way and the table must stay as it was.
    MakeNumbered("n.dbf", 200, {2});
    const auto before = ReadBytes(Path("n.dbf"));
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit {
            300, 300
        };
        setrlimit(RLIMIT_FSIZE, &limit);
        ResetXbaseState();
        SetAutoReport(false);
        bool opened = UseFile(Path("n.dbf") + " EXCLUSIVE");
        bool packed = opened && Pack();
        _exit(!opened ? 3 : packed ? 0 : dberror.DbErrorCode == 101 ? 1 : 2);
    }
    int status = -1;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1) << "Pack reports the failed write";
    EXPECT_EQ(ReadBytes(Path("n.dbf")), before) << "the original is untouched";
    EXPECT_EQ(DirEntries(), std::vector<std::string>{"n.dbf"}) << "no temporary file left";
}

TEST_F(ChangesTest, HeaderCountingMissingRecordsIsCut)
{
    MakeNumbered("n.dbf", 5);
    auto b = ReadBytes(Path("n.dbf"));
    PutLE32(&b[4], 7);
    WriteBytes(Path("n.dbf"), b);
    ASSERT_TRUE(UseFile(Path("n.dbf") + " EXCLUSIVE"));
    EXPECT_EQ(RecCount(), 5);
    GoBottom();
    EXPECT_EQ(RecNo(), 5);
    SKIP(1);
    EXPECT_TRUE(dEOF());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ChangesTest, PackIsRefusedWhileAnotherUserHasTheTable)
{
    MakeNumbered("n.dbf", 3, {2});
    const auto before = ReadBytes(Path("n.dbf"));
    ASSERT_TRUE(UseFile(Path("n.dbf")));
    Select(2);
    ASSERT_TRUE(UseFile(Path("n.dbf") + " ALIAS OTHER"));
    Select(1);
    SetAutoReport(false);
    EXPECT_FALSE(Pack());
    EXPECT_EQ(dberror.DbErrorCode, 32);
    EXPECT_EQ(ReadBytes(Path("n.dbf")), before);
    EXPECT_FALSE(SelectedArea()->Exclusive);
    Select(2);
    CloseArea();
    Select(1);
    EXPECT_TRUE(Pack());
    EXPECT_EQ(RecCount(), 2);
}

// Another program's Pack puts its packed copy in place after this open found the name and before it took its
// sharing mode (the packer held the old file until then): the open reads the packed table, not the replaced
// file that nobody sees any more.
TEST_F(ChangesTest, OpenMeetingAnotherProgramsPackReadsThePackedTable)
{
    MakeNumbered("n.dbf", 4, {2, 4});
    int packs = 0;
    platform::SharedOpenSeam = [&](const std::string&) {
        platform::SharedOpenSeam = nullptr;
        ++packs;
        const pid_t pid = fork();
        if (pid == 0) {
            ResetXbaseState();
            SetAutoReport(false);
            _exit(UseFile(Path("n.dbf") + " EXCLUSIVE") && Pack() ? 0 : 1);
        }
        int status = -1;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the other program packed";
    };
    const bool opened = UseFile(Path("n.dbf"));
    platform::SharedOpenSeam = nullptr;
    ASSERT_TRUE(opened);
    EXPECT_EQ(packs, 1);
    EXPECT_EQ(RecCount(), 2);
    GO(2);
    EXPECT_EQ(Id(), 3);
}

// A close beside another handle appending, and an exclusive one whose header counts 3 of 5 whole records
// (an appender killed before his close): it counts all five and appends after them.
TEST_F(ChangesTest, CloseCountsEveryRecordAndLeavesOthersWhole)
{
    auto add = [](int area, int id) { Select(area), ALock(), SetNativeInt(1, id), Append(); };
    // 0: the other handle appends after the close; 1: it holds the append lock at the close; 2: exclusive.
    for (int c : {0, 1, 2}) {
        MakeNumbered("n.dbf", c < 2 ? 2 : 5);
        auto b = ReadBytes(Path("n.dbf"));
        b[4] = c < 2 ? 2 : 3;
        WriteBytes(Path("n.dbf"), b);
        ASSERT_TRUE(UseFile(Path("n.dbf") + (c < 2 ? "" : " EXCLUSIVE")));
        add(1, c < 2 ? 3 : 9);
        if (c < 2) {
            ASSERT_TRUE((Select(2), UseFile(Path("n.dbf") + " ALIAS TWO")));
        }
        if (c == 1) Select(1), Unlock(), add(2, 4);
        if (c == 0) dbcmd.StepSeam = [](const std::string&) { EXPECT_FALSE((Select(2), ALock())); };
        Select(1), CloseArea();
        dbcmd.StepSeam = nullptr;
        b = ReadBytes(Path("n.dbf"));
        if (c == 1) {
            EXPECT_EQ(std::make_pair(b.size(), int{b[4]}), std::make_pair(std::size_t{85}, 4));
        }
        if (c == 0) add(2, 4);
        CloseAll();
        b = ReadBytes(Path("n.dbf"));
        EXPECT_EQ(b[4], c < 2 ? 4 : 6) << c;
        EXPECT_EQ(std::string(b.begin() + 65, b.end()),
                  c < 2 ? "    1    2    3    4\x1A" : "    1    2    3    4    5    9\x1A");
    }
}

// Pack copies what the file holds once nobody else writes: a record another handle appended after this area
// counted, or records behind a lagging header's count at a fresh shared open, also when it counts none.
TEST_F(ChangesTest, PackKeepsRecordsAppendedBehindTheAreasCount)
{
    // The header's count at the open; -1: it counts 4 and another handle appends record 5 after the open.
    for (const int header : {-1, 4, 0}) {
        MakeNumbered("n.dbf", header < 0 ? 4 : 5, {2, 4});
        auto b = ReadBytes(Path("n.dbf"));
        if (header >= 0)
            PutLE32(&b[4], header), WriteBytes(Path("n.dbf"), b); // appenders killed before their close
        ASSERT_TRUE(UseFile(Path("n.dbf")));
        if (header < 0) {
            ASSERT_TRUE((Select(2), UseFile(Path("n.dbf") + " ALIAS OTHER") && ALock()));
            SetNativeInt(1, 5), Append(), CloseArea(), Select(1);
        }
        ASSERT_TRUE(Pack()) << header;
        CloseAll();
        EXPECT_EQ(StoredRecords("n.dbf"), (std::vector<std::string>{"    1", "    3", "    5"})) << header;
    }
}

// An exclusive open counts the whole records behind the header's count up to the first whose delete flag is
// neither blank nor "*"; a part record stays outside; an open and close that change nothing write nothing.
TEST_F(ChangesTest, ExclusiveOpenCountsWholeRecordsBehindTheHeader)
{
    const struct {
        const char* what;
        std::string tail; // bytes after the 3 records the header counts
        int32_t count;
    } cases[] = {
        {"two whole records and the end byte", "    4*   5\x1A", 5},
        {"a whole record and a part record", "    4   ", 4},
        {"zeros behind the end byte", std::string("\x1A\0\0\0\0", 5), 3},
        {"a record, then zeros", std::string("    4\0\0\0\0\0    6", 15), 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MakeNumbered("n.dbf", 3);
        auto b = ReadBytes(Path("n.dbf"));
        b.pop_back();
        b.insert(b.end(), c.tail.begin(), c.tail.end());
        WriteBytes(Path("n.dbf"), b);
        ASSERT_TRUE(UseFile(Path("n.dbf") + " EXCLUSIVE"));
        EXPECT_EQ(RecCount(), c.count);
        GoBottom();
        EXPECT_EQ(RecNo(), c.count);
        CloseAll();
        EXPECT_EQ(ReadBytes(Path("n.dbf")), b) << "an unchanged open and close writes nothing";
    }
}

TEST_F(ChangesTest, PeekAndPoke)
{
    MakeTable("p.dbf", {{"NAME", 'C', 10, 0, 0}, {"QTY", 'N', 3, 0, 0}},
              {"first       1", "second      2", "third       3"});
    ASSERT_TRUE(UseFile(Path("p.dbf") + " EXCLUSIVE"));
    Poke("ABCDEFGHIJKLMNOPQRST", 1, 2);
    EXPECT_EQ(StoredRecords("p.dbf")[1], " ABCDEFGHIJ  2") << "ten characters written, the rest untouched";
    Poke("xy", 1, 3);
    EXPECT_EQ(StoredRecords("p.dbf")[2], " xyird       3") << "no blank filling";
    Poke("*", 0, 1);
    EXPECT_EQ(StoredRecords("p.dbf")[0], "*first       1");
    Poke("zz", 1, 9); // outside the table: nothing
    std::string text;
    Peek(2, 3, text);
    EXPECT_EQ(text, "  3");
    Peek(0, 1, text);
    EXPECT_EQ(text, "*");
    Peek(1, 4, text);
    EXPECT_EQ(text, "");
    dbcmd.PeekCacheSize = 4096;
    Peek(1, 1, text);
    EXPECT_EQ(text, "first     ");
    EXPECT_EQ(dbcmd.PeekCache.Count, 3);
    Poke("Q", 1, 1);
    Peek(1, 1, text);
    EXPECT_EQ(text, "Qirst     ") << "the cached copy follows Poke";
    GO(2);
    SetNativeText(1, "replaced");
    Replace();
    Peek(1, 2, text);
    EXPECT_EQ(text, "replaced  ") << "the cached copy follows Replace";
}

TEST_F(ChangesTest, PokeNeedsALockWhenShared)
{
    MakeNumbered("n.dbf", 2);
    ASSERT_TRUE(UseFile(Path("n.dbf")));
    SetAutoReport(false);
    Poke("7", 1, 2);
    EXPECT_EQ(dberror.DbErrorCode, 1200);
    EXPECT_EQ(dberror.DbErrorText, "Record not locked [Poke(7,1,2)]");
    GO(2);
    ASSERT_TRUE(RLock());
    dberror.DbErrorCode = 0;
    Poke("   7", 1, 2);
    EXPECT_EQ(dberror.DbErrorCode, 0);
    EXPECT_EQ(StoredRecords("n.dbf")[1], "    7");
}

TEST_F(ChangesTest, PokeIsRefusedWhileIndexesAreOpen)
{
    MakeNumbered("n.dbf", 2);
    ASSERT_TRUE(UseFile(Path("n.dbf") + " EXCLUSIVE"));
    dbhooks.DbHooks.IndexOpen = [] { return true; };
    SetAutoReport(false);
    Poke("   9", 1, 1);
    EXPECT_EQ(dberror.DbErrorCode, 1103);
    EXPECT_EQ(StoredRecords("n.dbf")[0], "    1") << "the key would be left behind";
    dbhooks.DbHooks.IndexOpen = nullptr;
}

TEST_F(ChangesTest, ReplaceKeepsIndexesInStep)
{
    MakeNumbered("n.dbf", 2);
    ASSERT_TRUE(UseFile(Path("n.dbf") + " EXCLUSIVE"));
    std::vector<std::string> calls;
    int32_t oldKeySeen = 0;
    auto& h = dbhooks.DbHooks;
    h.IndexOpen = [] { return true; };
    h.SyncAllOrders = [&] {
        calls.push_back("sync");
        oldKeySeen = GetNativeInt(1);
    };
    h.CompareKeys = [&] {
        calls.push_back("compare");
        return true;
    };
    h.SemaphoreWriteLock = [&](bool on) { calls.push_back(on ? "lock" : "unlock"); };
    h.AppendNewKey = [&] { calls.push_back("newkey"); };
    SetAutoReport(false), GO(9), GO(1); // GO 9's error, left unfetched, keeps no key out of the indexes
    SetNativeInt(1, 50);
    Replace();
    EXPECT_EQ(calls, (std::vector<std::string>{"lock", "sync", "compare", "unlock"}));
    EXPECT_EQ(oldKeySeen, 1) << "the index saw the old values first";
    EXPECT_EQ(GetNativeInt(1), 50);
    calls.clear();
    Append();
    EXPECT_EQ(calls, (std::vector<std::string>{"lock", "newkey", "unlock"}));
}

} // namespace
