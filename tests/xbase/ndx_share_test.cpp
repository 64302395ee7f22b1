// Indexes shared between programs: the semaphore file beside the table, its
// counts, the change counter, and two processes appending through it.
#include "ndx_fixture.h"

#include <chrono>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

std::string KeyText(int i)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "S%05d    ", i);
    return buf;
}

} // namespace

class NdxShareTest : public NdxTest
{
  protected:
    void SetUp() override
    {
        NdxTest::SetUp();
        dbcmd.SharedAccess = true;
    }
    std::vector<uint8_t> Semaphore() { return ReadBytes(Path("t.@S@")); }
    // t.dbf with the keys A to E, indexed in t.ndx, closed and shared again.
    void IndexedAToE()
    {
        dbcmd.SharedAccess = false;
        MakeKeys("t.dbf", 4, {"A", "B", "C", "D", "E"});
        ASSERT_TRUE(UseFile(Path("t.dbf")));
        ASSERT_TRUE(MakeIndex(Path("t.ndx"), "KEY"));
        CloseAll();
        dbcmd.SharedAccess = true;
    }
    void Prepare(int records)
    {
        std::vector<std::string> keys;
        for (int i = 0; i < records; ++i)
            keys.push_back(KeyText(records - i));
        MakeKeys("t.dbf", 10, keys);
        dbcmd.SharedAccess = false;
        ASSERT_TRUE(UseFile(Path("t.dbf") + " EXCLUSIVE"));
        ASSERT_TRUE(MakeIndex(Path("t.ndx"), "KEY"));
        CloseAll();
        dbcmd.SharedAccess = true;
    }
};

TEST_F(NdxShareTest, FirstLoginCreatesTheFileAndLastLogoutDeletesIt)
{
    Prepare(3);
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    Set_Index_To(Path("t.ndx"));
    ASSERT_TRUE(IndexIsOpen());
    EXPECT_EQ(Semaphore(), (std::vector<uint8_t>{1, 0, 0, 0}));
    Select(2);
    ASSERT_TRUE(UseFile(Path("t.dbf") + " ALIAS TWO"));
    Set_Index_To(Path("t.ndx"));
    EXPECT_EQ(Semaphore(), (std::vector<uint8_t>{2, 0, 0, 0}));
    CloseArea();
    EXPECT_EQ(Semaphore(), (std::vector<uint8_t>{1, 0, 0, 0}));
    Select(1);
    CloseArea();
    EXPECT_FALSE(std::filesystem::exists(Path("t.@S@")));
}

TEST_F(NdxShareTest, NestedReadLocksCountOnce)
{
    Prepare(3);
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    Set_Index_To(Path("t.ndx"));
    SetReadSemaphore(true);
    SetReadSemaphore(true);
    EXPECT_EQ(Semaphore()[1], 1);
    SetReadSemaphore(false);
    EXPECT_EQ(Semaphore()[1], 1);
    SetReadSemaphore(false);
    EXPECT_EQ(Semaphore()[1], 0);
    SetReadSemaphore(false);
    ASSERT_FALSE(boxes.empty());
    EXPECT_NE(boxes.back().find("Non-symmetrical Lock-Unlock [SetReadSemaphoreProc]"), std::string::npos)
        << boxes.back();
}

TEST_F(NdxShareTest, UnbalancedReleaseIsCaughtPerWorkArea)
{
    Prepare(3);
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    Set_Index_To(Path("t.ndx"));
    using TLock = std::pair<void (*)(bool), std::string>;
    for (const auto& [lock, proc] : {TLock{SetReadSemaphore, "Read"}, TLock{SetLockSemaphore, "Lock"}}) {
        Select(2);
        lock(true); // in area 2: it does not balance a release in area 1
        Select(1);
        boxes.clear();
        lock(false);
        const std::string text = "Error # 254 (Xbase internal error)\r\nNon-symmetrical Lock-Unlock [Set";
        EXPECT_EQ(boxes, std::vector<std::string>{"Table library error|" + text + proc + "SemaphoreProc]"});
    }
}

TEST_F(NdxShareTest, WriterExitCountsAChangeThatOthersNotice)
{
    Prepare(3);
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    Set_Index_To(Path("t.ndx"));
    Select(2);
    ASSERT_TRUE(UseFile(Path("t.dbf") + " ALIAS TWO"));
    Set_Index_To(Path("t.ndx"));
    Select(1);
    ASSERT_TRUE(FLock());
    SetNativeText(1, "A");
    Append();
    Unlock();
    EXPECT_EQ(Semaphore()[2], 1) << "one writer exit";
    Select(2);
    // The other area re-reads the headers and sees the new key first.
    EXPECT_TRUE(SemaphoreChanged());
    GoTop();
    EXPECT_EQ(RecNo(), 4);
    EXPECT_EQ(GetNativeText(1), "A         ") << "record 4 beyond the count of 3, not a blank one";
    EXPECT_FALSE(SemaphoreChanged());
}

TEST_F(NdxShareTest, ExclusiveTableNeverTouchesASemaphoreFile)
{
    Prepare(3);
    ASSERT_TRUE(UseFile(Path("t.dbf") + " EXCLUSIVE"));
    Set_Index_To(Path("t.ndx"));
    ASSERT_TRUE(IndexIsOpen());
    SetNativeText(1, "B");
    Append();
    EXPECT_FALSE(std::filesystem::exists(Path("t.@S@")));
}

TEST_F(NdxShareTest, CountsLeftByAnEndedProgramDoNotBlockWriters)
{
    Prepare(3);
    // A program ended while logged on and reading: its counts stay behind.
    WriteBytes(Path("t.@S@"), {1, 5, 0, 0});
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    Set_Index_To(Path("t.ndx"));
    EXPECT_EQ(Semaphore(), (std::vector<uint8_t>{1, 0, 0, 0})) << "nobody alive backs the old counts";
    // While logged on, a reader ends without leaving.
    auto b = Semaphore();
    b[1] = 3;
    {
        platform::TSharedFile f;
        ASSERT_EQ(f.Open(Path("t.@S@"), true, platform::TFileShare::DenyNone), 0);
        ASSERT_EQ(f.WriteAt(0, b.data(), 4), 4);
    }
    ndx.WriterTimeoutSeconds = 3;
    auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(FLock());
    SetNativeText(1, "C");
    Append();
    Unlock();
    auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 2.0);
    EXPECT_TRUE(boxes.empty()) << boxes.front();
    EXPECT_EQ(Semaphore()[1], 0);
}

TEST_F(NdxShareTest, LiveReaderMakesTheWriterWait)
{
    Prepare(3);
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    Set_Index_To(Path("t.ndx"));
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ResetXbaseState();
        InitXbaseLibrary();
        SetAutoReport(false);
        dbcmd.SharedAccess = true;
        bool ok = UseFile(Path("t.dbf"));
        try {
            Set_Index_To(Path("t.ndx"));
            SetReadSemaphore(true);
        } catch (...) {
            ok = false;
        }
        char c = ok ? 'r' : 'x';
        (void)!write(ready[1], &c, 1);
        usleep(1500 * 1000);
        SetReadSemaphore(false);
        _exit(0);
    }
    char c = 0;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    ASSERT_EQ(c, 'r');
    auto start = std::chrono::steady_clock::now();
    SetLockSemaphore(true);
    auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    SetLockSemaphore(false);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_GT(seconds, 1.0) << "the writer waited for the reader";
    EXPECT_TRUE(boxes.empty());
}

TEST_F(NdxShareTest, TwoProcessesAppendThroughOneIndex)
{
    Prepare(0);
    const int each = 150;
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    auto work = [&](int offset) {
        for (int i = 0; i < each; ++i) {
            // The other process may hold the file lock: try again.
            int tries = 0;
            while (!FLock()) {
                if (++tries > 5000) return false;
                usleep(200);
            }
            SetNativeText(1, KeyText(offset + i * 2));
            Append();
            Unlock();
            if (dberror.DbErrorCode != 0) return false;
            if (i % 10 == 0) {
                GoTop();
                SKIP(3);
            }
        }
        return true;
    };
    if (pid == 0) {
        ResetXbaseState();
        InitXbaseLibrary();
        SetAutoReport(false);
        dbcmd.SharedAccess = true;
        bool ok = false;
        try {
            ok = UseFile(Path("t.dbf"));
            Set_Index_To(Path("t.ndx"));
            ok = ok && work(1);
            CloseAll();
        } catch (const std::exception& e) {
            std::ofstream(Path("child.err")) << e.what();
            ok = false;
        }
        if (!ok && !std::filesystem::exists(Path("child.err")))
            std::ofstream(Path("child.err")) << dberror.DbErrorCode << " " << dberror.DbErrorText;
        _exit(ok ? 0 : 1);
    }
    ASSERT_TRUE(UseFile(Path("t.dbf")));
    Set_Index_To(Path("t.ndx"));
    bool ok = work(0);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(ok) << (boxes.empty() ? "" : boxes.front());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << [&] {
        std::ifstream in(Path("child.err"));
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }();
    CloseAll();
    TNdxScan s = CheckNdxFile(ReadBytes(Path("t.ndx")), 2 * each, false);
    ASSERT_TRUE(s.Ok) << s.Problem;
    ASSERT_EQ(s.Entries.size(), static_cast<std::size_t>(2 * each));
    for (int i = 0; i < 2 * each; ++i)
        EXPECT_EQ(s.Entries[static_cast<std::size_t>(i)].first, KeyText(i)) << i;
    EXPECT_FALSE(std::filesystem::exists(Path("t.@S@")));
}

// Area 1 opened C D E (count 3) before area 2 appended F and A: area 1's index reaches them all the same
// at the top when the index is set after the appends (0), and by Find (1) or SKIP from E (2) before.
TEST_F(NdxShareTest, IndexMovesReachRecordsAnotherAreaAppended)
{
    for (int mode : {0, 1, 2}) {
        MakeKeys("t.dbf", 4, {"C", "D", "E"});
        ASSERT_TRUE(UseFile(Path("t.dbf") + " EXCLUSIVE") && MakeIndex(Path("t.ndx"), "KEY"));
        ASSERT_TRUE(UseFile(Path("t.dbf")));
        if (mode > 0) Set_Index_To(Path("t.ndx")), GoBottom();
        Select(2);
        ASSERT_TRUE(UseFile(Path("t.dbf") + " ALIAS TWO") && (Set_Index_To(Path("t.ndx")), ALock()));
        SetNativeText(1, "F"), Append(), SetNativeText(1, "A"), Append();
        Select(1);
        mode == 0 ? Set_Index_To(Path("t.ndx")) : mode == 1 ? Find("A") : SKIP(1);
        EXPECT_TRUE(boxes.empty()) << boxes.front();
        EXPECT_EQ(RecNo(), mode < 2 ? 5 : 4);
        EXPECT_EQ(GetNativeText(1), mode < 2 ? "A   " : "F   ");
        CloseAll();
    }
}

// Area 1 stands on record 2 (key B of A..E) as its key becomes AA through area 2: the move
// seeks B, misses record 2, says so and stays on C; through area 1 itself it goes on quietly.
TEST_F(NdxShareTest, MoveInIndexOrderAfterAnotherAreaChangedTheKey)
{
    const std::string box = "Table library error|Error # 254 (Xbase internal error)\r\n [_Find";
    const struct {
        int changer;
        int32_t step, record;
        std::vector<std::string> boxes;
    } cases[] = {{2, 1, 3, {box + "NextRec]"}}, {2, -1, 3, {box + "PriorRec]"}}, {1, -1, 1, {}}};
    for (const auto& c : cases) {
        ASSERT_NO_FATAL_FAILURE(IndexedAToE());
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

// Another program makes record 3's key C BB (or AA) while area 1 stands on it: that only clears area 1's
// path, so each move goes on quietly from the record in the order A B BB D E (A AA B D E), and the next
// move from there.
TEST_F(NdxShareTest, MoveInIndexOrderAfterAnotherProgramChangedTheKey)
{
    const struct {
        const char* key;
        int32_t step, record, next;
    } cases[] = {{"BB", 1, 4, 5}, {"BB", -1, 2, 1}, {"AA", 1, 2, 4}};
    for (const auto& c : cases) {
        ASSERT_NO_FATAL_FAILURE(IndexedAToE());
        ASSERT_TRUE(UseFile(Path("t.dbf")));
        Set_Index_To(Path("t.ndx"));
        GO(3);
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ResetXbaseState();
            InitXbaseLibrary();
            SetAutoReport(false);
            dbcmd.SharedAccess = true;
            bool ok = UseFile(Path("t.dbf"));
            Set_Index_To(Path("t.ndx"));
            ok = ok && FLock();
            GO(3);
            SetNativeText(1, c.key);
            Replace();
            Unlock();
            ok = ok && dberror.DbErrorCode == 0;
            CloseAll();
            _exit(ok ? 0 : 1);
        }
        int status = 1;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_EQ(status, 0);
        SKIP(0); // the record as stored now
        boxes.clear();
        SKIP(c.step);
        EXPECT_EQ(RecNo(), c.record) << c.key << c.step;
        SKIP(c.step);
        EXPECT_EQ(RecNo(), c.next) << c.key << c.step;
        EXPECT_TRUE(boxes.empty()) << boxes.front();
        CloseAll();
    }
}

// Messages of the table engine name a file as the file system has it, in the engine's DOS text: 0x92 for Æ,
// 0xA4 for ñ, "?" for ø (an index's semaphore file, an index, a table cut short).
TEST_F(NdxShareTest, MessagesNameTheFilesAsTheFileSystemHasThem)
{
    const std::string name = Path("Ærøñ"), shown = Path("\x92r?\xA4");
    const auto useIndexed = [&](const std::string& index) {
        ASSERT_TRUE(UseFile(name + ".dbf"));
        Set_Index_To(name + index);
    };
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] {
             std::filesystem::create_directory(name + ".@S@"); // where the semaphore file goes
             useIndexed(".ndx");
         },
         "Cannot open: " + shown + ".@S@ LOGIN"},
        {[&] { useIndexed("x.ndx"); }, "Attempt to open " + shown + "x.ndx [SetIndexTo(...,1)]"},
        {[&] {
             std::filesystem::resize_file(name + ".dbf", 20);
             UseFile(name + ".dbf");
         },
         // The box's line is cut behind a long TMPDIR's path: the name and the cause are judged.
         shown + ".dbf is not a dBASE database."}};
    for (const auto& [act, message] : cases) {
        dbcmd.SharedAccess = false;
        MakeKeys("Ærøñ.dbf", 4, {"A", "B"});
        ASSERT_TRUE(UseFile(name + ".dbf"));
        ASSERT_TRUE(MakeIndex(name + ".ndx", "KEY"));
        CloseAll();
        dbcmd.SharedAccess = true;
        boxes.clear();
        act();
        ASSERT_FALSE(boxes.empty()) << message;
        EXPECT_NE(boxes.front().find(message), std::string::npos) << boxes.front();
        CloseAll();
        std::filesystem::remove(name + ".@S@");
    }
}

// An appender ended between its record and its key (or between the pages of a split), then another's append
// and close: an exclusive open builds an index lacking a key again (a new file), one holding every key (a
// UNIQUE one: each different key once) is used as it is; either way every record's key finds it.
TEST_F(NdxShareTest, ExclusiveOpenRebuildsAnIndexLackingKeysOfRecordsInsideTheHeader)
{
    const struct {
        int records; // keys S00001.. (record 1 the greatest), or D1 D1 D2 D2 .. when UNIQUE
        bool unique;
        const char* step;
        std::string ended, other;
        bool rebuilt;
    } cases[] = {{10, false, "append: record written", KeyText(11), KeyText(12), true},
                 {10, true, "append: record written", "D9", "D1", true},
                 {10, true, "append: record written", "D2", "D3", false},
                 {100, false, "key: old page rewritten", KeyText(0), "", true}}; // splits the first leaf
    for (const auto& c : cases) {
        std::vector<std::string> keys;
        for (int i = 0; i < c.records; ++i)
            keys.push_back(c.unique ? "D" + std::to_string(i / 2 + 1) : KeyText(c.records - i));
        MakeKeys("t.dbf", 10, keys);
        ASSERT_TRUE(UseFile(Path("t.dbf") + " EXCLUSIVE") &&
                    MakeIndex(Path("t.ndx") + (c.unique ? " UNIQUE" : ""), "KEY"));
        CloseAll();
        if (fork() == 0) {
            dbcmd.StepSeam = [&](const std::string& s) { s == c.step ? _exit(0) : void(); };
            UseFile(Path("t.dbf")), Set_Index_To(Path("t.ndx")), ALock(), SetNativeText(1, c.ended), Append();
            _exit(1);
        }
        int status = -1;
        ASSERT_TRUE(wait(&status) > 0 && status == 0) << c.ended;
        if (!c.other.empty())
            UseFile(Path("t.dbf")), Set_Index_To(Path("t.ndx")), ALock(), SetNativeText(1, c.other), Append();
        CloseAll();
        struct stat before {
        }, after{};
        stat(Path("t.ndx").c_str(), &before);
        ASSERT_TRUE(UseFile(Path("t.dbf") + " EXCLUSIVE") && (Set_Index_To(Path("t.ndx")), IndexIsOpen()));
        stat(Path("t.ndx").c_str(), &after);
        EXPECT_EQ(after.st_ino != before.st_ino, c.rebuilt) << c.ended;
        for (int32_t r = 1; r <= RecCount(); ++r) {
            const std::string key = (GO(r), GetNativeText(1));
            Find(key);
            EXPECT_TRUE(ndx.LastFindFound && GetNativeText(1) == key && (c.unique || RecNo() == r)) << key;
        }
        EXPECT_EQ(RecCount(), c.records + (c.other.empty() ? 1 : 2));
        CloseAll();
    }
}
