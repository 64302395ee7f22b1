#include "cmd_fixture.h"

#include <chrono>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

class LocksTest : public CmdTest
{
  protected:
    void OpenTwice()
    {
        MakeNumbered("n.dbf", 4);
        Select(1);
        ASSERT_TRUE(UseFile(Path("n.dbf") + " ALIAS ONE"));
        Select(2);
        ASSERT_TRUE(UseFile(Path("n.dbf") + " ALIAS TWO"));
    }
};

TEST_F(LocksTest, RecordLockTwiceHoldsOneNode)
{
    MakeNumbered("n.dbf", 3);
    ASSERT_TRUE(UseFile(Path("n.dbf")));
    GO(2);
    EXPECT_TRUE(RLock());
    EXPECT_TRUE(RLock());
    EXPECT_EQ(SelectedArea()->RecordLockCount, 1);
    EXPECT_EQ(SelectedArea()->LockState, LockRecords);
    EXPECT_TRUE(IsLocked(2));
    EXPECT_FALSE(IsLocked(3));
}

TEST_F(LocksTest, LockStatesExcludeEachOther)
{
    MakeNumbered("n.dbf", 3);
    ASSERT_TRUE(UseFile(Path("n.dbf")));
    GO(1);
    ASSERT_TRUE(RLock());
    EXPECT_FALSE(FLock()) << "record locks must be released first";
    EXPECT_FALSE(ALock());
    Unlock();
    EXPECT_EQ(SelectedArea()->LockState, LockNone);
    EXPECT_TRUE(FLock());
    EXPECT_TRUE(FLock());
    EXPECT_TRUE(IsLocked(3)) << "the file lock covers every record";
    EXPECT_FALSE(ALock());
    EXPECT_FALSE(RLock());
    Unlock();
    EXPECT_TRUE(ALock());
    EXPECT_FALSE(FLock());
    EXPECT_FALSE(RLock());
}

TEST_F(LocksTest, UnlockRecordOfARecordNotLocked)
{
    MakeNumbered("n.dbf", 3);
    ASSERT_TRUE(UseFile(Path("n.dbf")));
    EXPECT_FALSE(UnlockRec(99));
    EXPECT_EQ(dberror.DbErrorCode, 220);
    EXPECT_EQ(dberror.DbErrorText, "Record not locked. [UnlockRec(99)]");
    EXPECT_TRUE(boxes.empty()) << "recorded, not reported";
    EXPECT_FALSE(UnlockRec(-7));
    EXPECT_EQ(dberror.DbErrorText, "[UnlockRec(-7)]");
}

TEST_F(LocksTest, UnlockRecordByPosition)
{
    MakeNumbered("n.dbf", 4);
    ASSERT_TRUE(UseFile(Path("n.dbf")));
    for (int r : {1, 2, 3}) {
        GO(r);
        ASSERT_TRUE(RLock());
    }
    EXPECT_TRUE(UnlockRec(-2)); // the newest: 3
    EXPECT_FALSE(IsLocked(3));
    EXPECT_TRUE(UnlockRec(-1)); // the oldest: 1
    EXPECT_FALSE(IsLocked(1));
    EXPECT_TRUE(IsLocked(2));
    GO(4);
    ASSERT_TRUE(RLock());
    EXPECT_TRUE(UnlockRec(-3));
    EXPECT_EQ(SelectedArea()->LockState, LockNone);
    EXPECT_EQ(SelectedArea()->RecordLockCount, 0);
}

TEST_F(LocksTest, RecordLockLimit)
{
    MakeNumbered("n.dbf", 4);
    ASSERT_TRUE(UseFile(Path("n.dbf")));
    dbcmd.RecordLockLimit = 2;
    GO(1);
    ASSERT_TRUE(RLock());
    GO(2);
    ASSERT_TRUE(RLock());
    GO(3);
    SetAutoReport(false);
    EXPECT_FALSE(RLock());
    EXPECT_EQ(dberror.DbErrorCode, 212);
    EXPECT_EQ(dberror.DbErrorText, "Xbase record lock limit exceeded [RLock]");
}

TEST_F(LocksTest, TwoHandlesInOneProcessExcludeEachOther)
{
    OpenTwice();
    Select(1);
    GO(2);
    ASSERT_TRUE(RLock());
    Select(2);
    GO(2);
    EXPECT_FALSE(RLock()) << "record 2 is held by the other area";
    GO(3);
    EXPECT_TRUE(RLock());
    Unlock();
    EXPECT_FALSE(FLock()) << "the file lock covers record 2";
    EXPECT_TRUE(ALock()) << "the append byte lies below every record";
    Select(1);
    Unlock();
    EXPECT_FALSE(ALock()) << "one appender at a time";
    EXPECT_FALSE(FLock()) << "the file and append locks start at the same byte";
    Select(2);
    Unlock();
    Select(1);
    EXPECT_TRUE(FLock());
    Select(2);
    GO(4);
    EXPECT_FALSE(RLock());
    Select(1);
    CloseArea(); // closing releases
    Select(2);
    EXPECT_TRUE(FLock());
}

TEST_F(LocksTest, RetriesWaitBetweenTries)
{
    OpenTwice();
    Select(1);
    ASSERT_TRUE(FLock());
    Select(2);
    dbcmd.LockRetries = 3;
    dbcmd.LockRetryDelay = 50;
    int asked = 0;
    dbcmd.LockRetryCallback = [&] { return ++asked < 2; }; // keep trying once more
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(FLock());
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
                  .count();
    EXPECT_EQ(asked, 2) << "asked after the fourth try of each round";
    EXPECT_GE(ms, 2 * 150) << "three pauses of 50 ms per round of four tries";
    EXPECT_LT(ms, 2000);
    dbcmd.LockRetryCallback = nullptr;
    start = std::chrono::steady_clock::now();
    EXPECT_FALSE(ALock());
    ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
             .count();
    EXPECT_GE(ms, 150);
    EXPECT_LT(ms, 1000);
}

TEST_F(LocksTest, ReopenFileSwitchesTheSharingMode)
{
    OpenTwice();
    Select(1);
    EXPECT_EQ(ReopenFile(true), 32) << "the other area has the file open";
    Select(2);
    CloseArea();
    Select(1);
    EXPECT_EQ(ReopenFile(true), 0);
    EXPECT_TRUE(SelectedArea()->Exclusive);
    Select(2);
    SetAutoReport(false);
    EXPECT_FALSE(UseFile(Path("n.dbf") + " ALIAS TWO"));
    Select(1);
    EXPECT_EQ(ReopenFile(false), 0);
    Select(2);
    EXPECT_TRUE(UseFile(Path("n.dbf") + " ALIAS TWO"));
    Select(3);
    ASSERT_TRUE(UseFile(Path("n.dbf") + " ALIAS THREE"));
    CloseArea();
    MakeNumbered("x.dbf", 1);
    ASSERT_TRUE(UseFile(Path("x.dbf") + " EXCLUSIVE"));
    EXPECT_EQ(ReopenFile(false), 5) << "exclusive by USE, not by ReopenFile";
}

// Runs in a child process: waits for a command byte and answers with one.
void Child(const std::string& table, int in, int out)
{
    auto say = [&](char c) { (void)!write(out, &c, 1); };
    auto hear = [&] {
        char c = 0;
        (void)!read(in, &c, 1);
        return c;
    };
    ResetXbaseState();
    SetAutoReport(false);
    if (!UseFile(table + " ALIAS CHILD")) _exit(2);
    GO(2);
    say(RLock() ? 'r' : 'x');
    hear();
    Unlock();
    say(ALock() ? 'a' : 'x');
    hear();
    Unlock();
    say(FLock() ? 'f' : 'x');
    hear();
    CloseArea();
    say('c');
    hear();
    _exit(0);
}

TEST_F(LocksTest, TwoProcessesExcludeEachOther)
{
    MakeNumbered("n.dbf", 4);
    int toChild[2], toParent[2];
    ASSERT_EQ(pipe(toChild), 0);
    ASSERT_EQ(pipe(toParent), 0);
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) Child(Path("n.dbf"), toChild[0], toParent[1]);
    auto hear = [&] {
        char c = 0;
        return read(toParent[0], &c, 1) == 1 ? c : '?';
    };
    auto go = [&] { (void)!write(toChild[1], "n", 1); };
    ASSERT_TRUE(UseFile(Path("n.dbf")));

    ASSERT_EQ(hear(), 'r') << "child holds record 2";
    GO(2);
    EXPECT_FALSE(RLock());
    GO(3);
    EXPECT_TRUE(RLock());
    Unlock();
    EXPECT_FALSE(FLock());
    EXPECT_TRUE(ALock());
    Unlock();
    go();

    ASSERT_EQ(hear(), 'a') << "child holds the append lock";
    EXPECT_FALSE(ALock());
    EXPECT_FALSE(FLock());
    GO(2);
    EXPECT_TRUE(RLock());
    Unlock();
    go();

    ASSERT_EQ(hear(), 'f') << "child holds the file lock";
    GO(1);
    EXPECT_FALSE(RLock());
    EXPECT_FALSE(ALock());
    EXPECT_FALSE(FLock());
    go();

    ASSERT_EQ(hear(), 'c') << "child closed the table";
    EXPECT_TRUE(FLock()) << "closing released every lock";
    go();
    int status = -1;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST_F(LocksTest, VirtualTablesRefuseLocks)
{
    uint8_t buffer[4] = {};
    dbhooks.VFileDriver = [](uint8_t) {};
    ASSERT_TRUE(UseFile("Q VIRTUAL FILE", buffer, 4));
    SetAutoReport(false);
    EXPECT_FALSE(FLock());
    EXPECT_EQ(dberror.DbErrorCode, 1100);
    EXPECT_EQ(dberror.DbErrorText, " [FLock]");
    EXPECT_FALSE(IsLocked(1));
    EXPECT_EQ(dberror.DbErrorText, "[IsLocked]");
}

} // namespace

namespace
{

// Another user of a shared table: changes record 3 under its lock and appends
// record 6, then reports.
[[noreturn]] void ChangeAndAppend(const std::string& table, int toParent)
{
    ResetXbaseState();
    SetAutoReport(false);
    bool ok = UseFile(table);
    GO(3);
    ok = ok && RLock();
    SetNativeInt(1, 33);
    Replace();
    Unlock();
    ok = ok && ALock();
    SetNativeInt(1, 6);
    Append();
    Unlock();
    CloseArea();
    (void)!write(toParent, ok ? "y" : "n", 1);
    _exit(0);
}

} // namespace

// A reader walking a shared table in blocks still reaches the record another
// process appended, and what it reads under a lock is what the file holds.
TEST_F(LocksTest, SharedWalkSeesAnotherProcessChanges)
{
    MakeNumbered("n.dbf", 5);
    ASSERT_TRUE(UseFile(Path("n.dbf")));
    GoTop();
    SKIP(1);
    ASSERT_EQ(GetNativeInt(1), 2) << "the walk has read its block";
    int toParent[2];
    ASSERT_EQ(pipe(toParent), 0);
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) ChangeAndAppend(Path("n.dbf"), toParent[1]);
    char c = 0;
    ASSERT_EQ(read(toParent[0], &c, 1), 1);
    int status = -1;
    waitpid(pid, &status, 0);
    ASSERT_EQ(c, 'y') << "the other process changed and appended";

    SKIP(1);
    ASSERT_EQ(RecNo(), 3);
    GO(3);
    EXPECT_EQ(GetNativeInt(1), 33) << "a record read again comes from the file";
    GO(2);
    ASSERT_TRUE(RLock());
    SKIP(1);
    EXPECT_EQ(GetNativeInt(1), 33) << "what is read after a lock is taken comes from the file";
    Unlock();
    std::vector<int> walked;
    for (GO(4); !dEOF(); SKIP(1))
        walked.push_back(GetNativeInt(1));
    EXPECT_EQ(walked, (std::vector<int>{4, 5, 6})) << "the appended record is reached";
}
