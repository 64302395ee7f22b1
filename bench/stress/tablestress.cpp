// Several processes on one shared table, some of them killed on the way:
// the table engine's own calls (UseFile, Set_Index_To, ALock, RLock, Append,
// Replace, Find, Pack, AddMemo) from two to four processes at once, and what
// every table, index and memo file looks like afterwards.
//
//   table_stress [repetitions] [case ...]
//   cases: close index pack killedappend packappend fulldisk replacefull
//          twoindexfull appendclose splitkill
//
// close  Processes append to one table and close it again and again; in
//        every other repetition one of them is killed at a random moment.
//        Afterwards the header counts the records in the file, no delete
//        flag is an end-of-file byte, no record is torn or doubled, every
//        process that was not killed has all its records, a killed one a
//        gapless run of them; a last append and close by a survivor leaves
//        the header counting every record.
// index  Processes append records and change their keys through one index
//        of the table, with error reporting off as the dataset layer runs
//        its moves, find their own keys and walk the index. Afterwards the
//        index, read page by page by the walker below, holds exactly the
//        table's keys in order. Nobody is killed here: a key change cut
//        between the record and its key leaves them apart by design.
// pack   One process packs an indexed table with memos, which one to three
//        others keep opening shared and reading; the packer is killed at a
//        random moment (or finishes). Afterwards the table is the old one or
//        the packed one, whole; a shared open of the index works or refuses
//        it with the reason; after an exclusive open the index holds the
//        table's keys; every memo belongs to its record unless the open said
//        that a Pack was cut short.
// killedappend
//        One process appends through the table's index and closes; a second
//        opens it shared, appends through the index and is killed at a
//        random moment (so the header may lag the records and the last
//        record may lack its key); a third opens it exclusively with the
//        index, appends one record and closes. Afterwards every whole record
//        of the killed process is still there, the third process's record
//        follows them, the header counts every record, and the index (after
//        an exclusive open) holds exactly the table's keys.
// packappend
//        One process opens an indexed table of which every second record is
//        marked for deletion shared; another appends to it and closes (or,
//        every other repetition, is killed before its close and the packer
//        opens the table only then); the first packs. Afterwards the table
//        holds every unmarked record, the appended ones included, and the
//        index agrees with it.
// fulldisk
//        A process whose files cannot grow past a limit that shrinks from
//        repetition to repetition appends through the index (shared or
//        exclusive) until an append fails, then packs. Afterwards every
//        append that succeeded has its record, the failed one left no record
//        or its record with its key, the table is the old one or the packed
//        one, and the index agrees with the table or is refused with the
//        reason (a Pack that said success leaves an index that agrees).
// replacefull
//        A process whose files cannot grow past a limit that shrinks from
//        repetition to repetition (shared or exclusive) changes the key of
//        record after record through the index until a Replace fails.
//        Afterwards every Replace that succeeded holds its new key, the
//        failed one its old record or its new one, and the index holds
//        exactly the table's keys, or is marked for rebuild: then a shared
//        open refuses it with the reason and an exclusive one rebuilds it.
// twoindexfull
//        The same limit on appends through two indexes of the table until
//        one fails. Afterwards every append that succeeded has its record,
//        the failed one was taken back or kept with its keys, and each index
//        holds exactly the table's keys with a stamp counting the table, or
//        is marked for rebuild; a shared open refuses only a marked index.
// appendclose
//        One process appends through the index of a ten-record table, shared,
//        and is killed at a random moment (every fourth left to finish
//        without its close); another opens it shared, appends one record
//        through the index and closes, which brings the killed one's records
//        inside the header's count. Afterwards the header counts every
//        record, and an exclusive open with the index leaves it holding
//        exactly the table's keys.
// splitkill
//        One process opens a table of 100 records (three full leaves and one
//        with room) shared with its index and appends a key that falls into
//        a random leaf; it is killed right after the first index page it
//        rewrites in place (at a split: the old leaf, before its parent).
//        Afterwards the table holds 101 records, and an exclusive open with
//        the index leaves it holding exactly the table's keys.
//
// The figures go to standard output; the exit code is the number of failed
// repetitions (at most 255). Not part of the test suite: it runs for
// minutes and its kills land where the clock puts them.
#include "xbase/cmd/dbcmd.h"
#include "xbase/core/dberror.h"
#include "xbase/dbf/dbffile.h"
#include "xbase/memo/dbmemo.h"
#include "xbase/ndx/ndx.h"
#include "xbase/xbaselib.h"
#include "xbase/xbasestate.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <poll.h>
#include <random>
#include <set>
#include <string>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::string dir; // the directory of the running repetition
std::vector<std::string> boxes;

std::string P(const std::string& name)
{
    return dir + "/" + name;
}

std::vector<uint8_t> Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

uint32_t Le32(const std::vector<uint8_t>& b, std::size_t o)
{
    return uint32_t{b[o]} | uint32_t{b[o + 1]} << 8 | uint32_t{b[o + 2]} << 16 | uint32_t{b[o + 3]} << 24;
}

int Le16(const std::vector<uint8_t>& b, std::size_t o)
{
    return static_cast<int16_t>(b[o] | b[o + 1] << 8);
}

// A fresh library in a fresh process; messages collected, not shown.
void StartLibrary(bool report)
{
    ResetXbaseState();
    InitXbaseLibrary();
    boxes.clear();
    dberror.MessageBoxProc = [](const std::string& text, const std::string& caption, uint16_t) {
        boxes.push_back(caption + "|" + text);
        return 1;
    };
    SetAutoReport(report);
    dbcmd.SharedAccess = true;
}

// A child's verdict: the exit code says it, a file beside the table says why.
[[noreturn]] void Finish(int id, const std::string& failure)
{
    if (!failure.empty()) std::ofstream(P("fail" + std::to_string(id) + ".txt")) << failure;
    _exit(failure.empty() ? 0 : 3);
}

std::string Said(const std::string& what)
{
    std::string s = what + ": " + std::to_string(dberror.DbErrorCode) + " " + dberror.DbErrorText;
    for (const auto& b : boxes)
        s += " | " + b;
    return s;
}

template <typename F> bool Retry(F take)
{
    for (int i = 0; i < 20000; ++i) {
        if (take()) return true;
        usleep(100 + static_cast<unsigned>(i % 7) * 50);
    }
    return false;
}

// The table file as records: header length, record length, count, records.
struct TTableBytes {
    std::vector<uint8_t> B;
    int HeaderLength = 0, RecordLength = 0;
    uint32_t HeaderCount = 0;
    std::size_t Whole = 0; // records the file holds
    std::string Record(std::size_t i) const
    {
        const std::size_t at =
            static_cast<std::size_t>(HeaderLength) + i * static_cast<std::size_t>(RecordLength);
        return std::string(B.begin() + static_cast<long>(at),
                           B.begin() + static_cast<long>(at + RecordLength));
    }
};

TTableBytes ReadTable(const std::string& name)
{
    TTableBytes t;
    t.B = Bytes(P(name));
    if (t.B.size() < 32) return t;
    t.HeaderCount = Le32(t.B, 4);
    t.HeaderLength = Le16(t.B, 8);
    t.RecordLength = Le16(t.B, 10);
    if (t.RecordLength > 0 && t.B.size() >= static_cast<std::size_t>(t.HeaderLength))
        t.Whole = (t.B.size() - static_cast<std::size_t>(t.HeaderLength)) /
                  static_cast<std::size_t>(t.RecordLength);
    return t;
}

// The index file read page by page, apart from the engine: every leaf entry
// (key, record) in tree order; empty with a reason when the tree is broken.
std::vector<std::pair<std::string, int32_t>> WalkIndex(const std::string& name, std::string& problem)
{
    const auto b = Bytes(P(name));
    std::vector<std::pair<std::string, int32_t>> out;
    if (b.size() < 1024 || b.size() % 512 != 0) {
        problem = "index file of " + std::to_string(b.size()) + " bytes";
        return out;
    }
    const int keyLength = Le16(b, 12), entry = Le16(b, 18);
    std::set<uint32_t> seen;
    std::function<void(uint32_t, int)> walk = [&](uint32_t page, int depth) {
        if (!problem.empty()) return;
        if (page == 0 || (page + 1) * 512 > b.size() || depth > 40 || !seen.insert(page).second) {
            problem = "page " + std::to_string(page);
            return;
        }
        const std::size_t o = page * 512;
        const int keys = Le16(b, o);
        const bool leaf = Le32(b, o + 4) == 0;
        for (int i = 0; i <= keys; ++i) {
            const std::size_t e = o + 4 + static_cast<std::size_t>(i * entry);
            if (leaf && i < keys)
                out.emplace_back(std::string(b.begin() + static_cast<long>(e + 8),
                                             b.begin() + static_cast<long>(e + 8 + keyLength)),
                                 static_cast<int32_t>(Le32(b, e + 4)));
            if (!leaf) walk(Le32(b, e), depth + 1);
        }
    };
    walk(Le32(b, 0), 0);
    return out;
}

// The index holds exactly the keys (field bytes 1..width) of the table's
// records, in key order (the keys are unique).
std::string IndexAgrees(const std::string& index, const TTableBytes& t, int width)
{
    std::vector<std::pair<std::string, int32_t>> keys;
    for (std::size_t i = 0; i < t.Whole; ++i)
        keys.emplace_back(t.Record(i).substr(1, static_cast<std::size_t>(width)),
                          static_cast<int32_t>(i + 1));
    std::sort(keys.begin(), keys.end());
    std::string problem;
    const auto entries = WalkIndex(index, problem);
    if (!problem.empty()) return "index tree: " + problem;
    if (entries == keys) return "";
    return "index holds " + std::to_string(entries.size()) + " entries for " + std::to_string(keys.size()) +
           " records, or in another order";
}

struct TFigures {
    int Runs = 0, Failed = 0, Processes[5] = {}, Killed = 0, KilledWhileWorking = 0;
    std::map<std::string, int> Outcomes;
    std::vector<std::string> Failures;
    double Seconds = 0;
};

// Runs the workers (forked), kills one of them after `killAfter` when asked,
// and waits for all; a worker's failure file is the repetition's failure.
struct TWorkers {
    std::vector<pid_t> Pids;
    std::vector<bool> Killed;
    std::string Failure;
    void Start(int n, const std::function<void(int)>& work)
    {
        for (int i = 0; i < n; ++i) {
            const pid_t pid = fork();
            if (pid == 0) {
                work(i + 1);
                _exit(0);
            }
            Pids.push_back(pid);
            Killed.push_back(false);
        }
    }
    // Kills worker i when it is still running; true when it was.
    bool Kill(std::size_t i)
    {
        int status = 0;
        if (waitpid(Pids[i], &status, WNOHANG) != 0) {
            Pids[i] = -1;
            if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) Failure += "worker ended early; ";
            return false;
        }
        kill(Pids[i], SIGKILL);
        Killed[i] = true;
        return true;
    }
    void WaitFor(std::size_t i)
    {
        if (Pids[i] < 0) return;
        int status = 0;
        waitpid(Pids[i], &status, 0);
        Pids[i] = -1;
        if (!Killed[i] && (!WIFEXITED(status) || WEXITSTATUS(status) != 0)) {
            std::ifstream in(P("fail" + std::to_string(i + 1) + ".txt"));
            std::string why((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            Failure +=
                "worker " + std::to_string(i + 1) + ": " + (why.empty() ? "ended abnormally" : why) + "; ";
        }
    }
    void Wait()
    {
        for (std::size_t i = 0; i < Pids.size(); ++i)
            WaitFor(i);
    }
};

// ---------------------------------------------------------------- close

constexpr int kCloseRounds = 10, kClosePerRound = 40;
double closeSeconds = 0.05; // how long the last repetition without a kill took

std::string CheckOf(int proc, int seq)
{
    char b[16];
    std::snprintf(b, sizeof b, "%08X", static_cast<unsigned>(proc * 2654435761u ^ seq * 40503u));
    return b;
}

void CloseWorker(int id)
{
    StartLibrary(false);
    int seq = 0;
    for (int round = 0; round < kCloseRounds; ++round) {
        if (!Retry([] { return UseFile(P("c.dbf")); })) Finish(id, Said("USE"));
        for (int i = 0; i < kClosePerRound; ++i) {
            if (!Retry([] { return ALock(); })) Finish(id, Said("ALock"));
            ++seq;
            SetNativeInt(1, id);
            SetNativeInt(2, seq);
            SetNativeText(3, CheckOf(id, seq));
            Append();
            if (dberror.DbErrorCode != 0) Finish(id, Said("Append"));
            Unlock();
        }
        CloseArea();
    }
    Finish(id, "");
}

// The header and the end byte are judged only where the last process to
// write closed the table (a killed one never closes).
std::string CheckCloseTable(int processes, const TWorkers& w, bool closedLast)
{
    const TTableBytes t = ReadTable("c.dbf");
    if (t.RecordLength != 17) return "table header unreadable";
    if (closedLast && t.HeaderCount != t.Whole)
        return "header counts " + std::to_string(t.HeaderCount) + " of " + std::to_string(t.Whole) +
               " records";
    if (closedLast &&
        (t.B.size() != static_cast<std::size_t>(t.HeaderLength) + t.Whole * 17 + 1 || t.B.back() != 0x1A))
        return "no end-of-file byte right behind the records";
    std::map<int, std::set<int>> seqs;
    for (std::size_t i = 0; i < t.Whole; ++i) {
        const std::string r = t.Record(i);
        if (r[0] != ' ') return "record " + std::to_string(i + 1) + " has the flag " + std::to_string(r[0]);
        const int proc = std::atoi(r.substr(1, 2).c_str()), seq = std::atoi(r.substr(3, 6).c_str());
        if (proc < 1 || proc > processes || r.substr(9, 8) != CheckOf(proc, seq))
            return "record " + std::to_string(i + 1) + " damaged: [" + r + "]";
        if (!seqs[proc].insert(seq).second) return "record " + std::to_string(i + 1) + " doubled";
    }
    for (int p = 1; p <= processes; ++p) {
        const auto& s = seqs[p];
        const int expect = w.Killed[static_cast<std::size_t>(p - 1)] ? static_cast<int>(s.size())
                                                                     : kCloseRounds * kClosePerRound;
        if (static_cast<int>(s.size()) != expect ||
            (!s.empty() && (*s.begin() != 1 || *s.rbegin() != expect)))
            return "process " + std::to_string(p) + " has " + std::to_string(s.size()) + " records, not 1.." +
                   std::to_string(expect);
    }
    return "";
}

std::string RunClose(int rep, int processes, std::mt19937& rng, TFigures& f)
{
    StartLibrary(false);
    TDbfTable t;
    if (!CreateDBF(t, P("c.dbf"), {{"PROC", 'N', 2, 0, 0}, {"SEQ", 'N', 6, 0, 0}, {"CHECK", 'C', 8, 0, 0}}))
        return Said("create");
    TWorkers w;
    const auto start = Clock::now();
    w.Start(processes, CloseWorker);
    const bool killing = rep % 2 == 1;
    if (killing) {
        usleep(std::uniform_int_distribution<unsigned>(0, static_cast<unsigned>(closeSeconds * 1e6))(rng));
        ++f.Killed;
        if (w.Kill(std::uniform_int_distribution<std::size_t>(0, w.Pids.size() - 1)(rng)))
            ++f.KilledWhileWorking;
    }
    w.Wait();
    if (!killing) closeSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (!w.Failure.empty()) return w.Failure;
    // Without a kill the last close left the header right; after one, a
    // survivor's append and close puts it right.
    if (std::string why = CheckCloseTable(processes, w, !killing); !why.empty()) return why;
    if (!UseFile(P("c.dbf")) || !ALock()) return Said("survivor's USE");
    SetNativeInt(1, 1);
    SetNativeInt(2, 999999);
    SetNativeText(3, CheckOf(1, 999999));
    Append();
    CloseArea();
    const TTableBytes after = ReadTable("c.dbf");
    if (after.HeaderCount != after.Whole || after.B.back() != 0x1A)
        return "after a survivor's close the header counts " + std::to_string(after.HeaderCount) + " of " +
               std::to_string(after.Whole);
    if (!UseFile(P("c.dbf") + " EXCLUSIVE") || RecCount() != static_cast<int32_t>(after.Whole))
        return Said("exclusive open");
    CloseAll();
    f.Outcomes[killing ? "a process killed" : "no kill"]++;
    return "";
}

// ---------------------------------------------------------------- index

constexpr int kIndexOps = 120;

std::string KeyOf(std::mt19937& rng, int proc, int seq, int version)
{
    char b[16];
    std::snprintf(b, sizeof b, "%c%c%d%04d%02d", 'A' + static_cast<int>(rng() % 26),
                  'A' + static_cast<int>(rng() % 26), proc, seq % 10000, version % 100);
    return b;
}

void IndexWorker(int id)
{
    StartLibrary(false); // as the dataset layer runs its moves
    std::mt19937 rng(static_cast<unsigned>(getpid()));
    std::string failure;
    struct TOwn {
        int32_t Record;
        int Seq, Version;
        std::string Key;
    };
    std::vector<TOwn> own;
    try {
        if (!Retry([] { return UseFile(P("i.dbf")); })) Finish(id, Said("USE"));
        Set_Index_To(P("i.ndx"));
        if (!IndexIsOpen()) Finish(id, Said("SET INDEX"));
        for (int op = 0; op < kIndexOps && failure.empty(); ++op) {
            if (op % 30 == 29) {
                // Opened again: the table first, its index a moment later,
                // while the others append.
                CloseAll();
                if (!Retry([] { return UseFile(P("i.dbf")); })) Finish(id, Said("USE"));
                usleep(300);
                Set_Index_To(P("i.ndx"));
            }
            const unsigned what = own.empty() ? 0 : rng() % 10;
            if (what < 4) {
                if (!Retry([] { return ALock(); })) Finish(id, Said("ALock"));
                TOwn o{0, static_cast<int>(own.size()) + 1, 0, ""};
                o.Key = KeyOf(rng, id, o.Seq, 0);
                SetNativeText(1, o.Key);
                SetNativeInt(2, id);
                SetNativeInt(3, o.Seq);
                Append();
                o.Record = RecNo();
                if (dberror.DbErrorCode != 0) failure = Said("Append");
                Unlock();
                own.push_back(o);
            } else if (what < 7) {
                TOwn& o = own[rng() % own.size()];
                GO(o.Record);
                if (!Retry([] { return RLock(); })) Finish(id, Said("RLock"));
                SKIP(0);
                if (GetNativeInt(2) != id || GetNativeInt(3) != o.Seq)
                    failure = "record " + std::to_string(o.Record) + " is not this process's";
                o.Key = KeyOf(rng, id, o.Seq, ++o.Version);
                SetNativeText(1, o.Key);
                Replace();
                if (dberror.DbErrorCode != 0) failure = Said("Replace");
                Unlock();
            } else if (what < 9) {
                const TOwn& o = own[rng() % own.size()];
                Find(o.Key);
                if (!ndx.LastFindFound || RecNo() != o.Record) failure = Said("Find " + o.Key);
            } else {
                // Under the index's read lock no other process changes a
                // key: the walk sees one order, records with their keys.
                SetReadSemaphore(true);
                GoTop();
                std::string last;
                for (int i = 0; i < 15 && !dEOF() && failure.empty(); ++i, SKIP(1)) {
                    const std::string k = GetNativeText(1);
                    if (k < last || k != OrderKeyText(1)) failure = "index walk out of order at " + k;
                    last = k;
                }
                SetReadSemaphore(false);
            }
            if (failure.empty() && dberror.PendingErrorCode != 0) failure = Said("an error left pending");
        }
        CloseAll();
    } catch (const std::exception& e) {
        failure = std::string("raised: ") + e.what();
    }
    Finish(id, failure);
}

std::string RunIndex(int, int processes, std::mt19937&, TFigures& f)
{
    StartLibrary(true);
    TDbfTable t;
    if (!CreateDBF(t, P("i.dbf"), {{"KEY", 'C', 9, 0, 0}, {"PROC", 'N', 2, 0, 0}, {"SEQ", 'N', 4, 0, 0}}))
        return Said("create");
    if (!UseFile(P("i.dbf") + " EXCLUSIVE") || !MakeIndex(P("i.ndx"), "KEY")) return Said("index");
    CloseAll();
    TWorkers w;
    w.Start(processes, IndexWorker);
    w.Wait();
    if (!w.Failure.empty()) return w.Failure;
    const TTableBytes table = ReadTable("i.dbf");
    if (table.HeaderCount != table.Whole) return "header counts " + std::to_string(table.HeaderCount);
    if (std::string why = IndexAgrees("i.ndx", table, 9); !why.empty()) return why;
    if (fs::exists(P("i.@S@"))) return "semaphore file left behind";
    f.Outcomes["records " + std::to_string(table.Whole / 50 * 50) + "+"]++;
    return "";
}

// ---------------------------------------------------------------- pack

constexpr int kPackRecords = 400;

std::string PackKey(int i)
{
    char b[16];
    std::snprintf(b, sizeof b, "K%07d", i);
    return b;
}

std::string MemoOf(const std::string& key)
{
    return "memo of " + key + std::string(static_cast<std::size_t>(std::atoi(key.c_str() + 1) % 700), '.');
}

// Every record's memo is its own; the first record that is not, or "".
std::string MemosOfOpenTable()
{
    for (GoTop(); !dEOF(); SKIP(1)) {
        std::string text;
        const std::string key = GetNativeText(1);
        if (!ReadMemoText(GetNativeInt(2), text) || text != MemoOf(key)) return key;
    }
    return "";
}

bool CutShortSaid()
{
    return std::any_of(boxes.begin(), boxes.end(), [](const std::string& b) {
        return b.find("A Pack was cut short") != std::string::npos;
    });
}

int packSignal[2] = {-1, -1}; // the packer writes a byte here as a Pack starts
bool packShared = false;

// Opens the table shared (a Pack then reopens it exclusively, refused while
// a reader has it) or exclusively, and packs it.
void Packer(int id)
{
    StartLibrary(true);
    signal(SIGPIPE, SIG_IGN); // the driver stops listening after the first Pack
    for (int i = 0; i < 100000; ++i) {
        if (UseFile(P("p.dbf") + (packShared ? "" : " EXCLUSIVE"))) {
            Set_Index_To(P("p.ndx"));
            boxes.clear();
            (void)!write(packSignal[1], "p", 1);
            if (Pack()) Finish(id, "");
            if (dberror.DbErrorCode != 32) Finish(id, Said("Pack"));
            CloseAll();
        }
        usleep(100);
    }
    Finish(id, "no Pack could start");
}

void Reader(int id)
{
    StartLibrary(true);
    for (int scan = 0; scan < 400 && !fs::exists(P("stop")); ++scan) {
        boxes.clear();
        if (Retry([] { return UseFile(P("p.dbf")); })) {
            Set_Index_To(P("p.ndx")); // refused with the reason after a Pack cut short
            const std::string wrong = MemosOfOpenTable();
            if (!wrong.empty() && !CutShortSaid()) Finish(id, "the memo of " + wrong + " is another's");
            CloseAll();
        }
        usleep(4000 + static_cast<unsigned>(id) * 3000);
    }
    Finish(id, "");
}

double packSeconds = 0.02; // the last Pack of an exclusive table that was left to finish

std::string RunPack(int rep, int processes, std::mt19937& rng, TFigures& f)
{
    StartLibrary(true);
    TDbfTable t;
    if (!CreateDBF(t, P("p.dbf"), {{"KEY", 'C', 8, 0, 0}, {"NOTES", 'M', 10, 0, 0}})) return Said("create");
    if (!UseFile(P("p.dbf") + " EXCLUSIVE")) return Said("USE");
    std::set<std::string> all, live;
    for (int i = 1; i <= kPackRecords; ++i) {
        const std::string key = PackKey(i);
        const bool deleted = rng() % 2 == 0;
        ClearRecord();
        SetNativeText(1, key);
        SetNativeInt(2, AddMemo(MemoOf(key)));
        SetNativeDeleted(deleted);
        Append();
        all.insert(key);
        if (!deleted) live.insert(key);
    }
    if (!MakeIndex(P("p.ndx"), "KEY")) return Said("index");
    CloseAll();
    // Every fifth Pack is left to finish; the exclusive ones of them time
    // the span after the start of a Pack in which the packer is killed.
    packShared = rep % 2 == 1;
    const bool killing = rep % 5 != 0;
    if (pipe(packSignal) != 0) return "no pipe";
    TWorkers w;
    w.Start(processes, [](int id) { id == 1 ? Packer(id) : Reader(id); });
    close(packSignal[1]);
    pollfd signal{packSignal[0], POLLIN, 0};
    char c = 0;
    const bool started = poll(&signal, 1, 30000) == 1 && read(packSignal[0], &c, 1) == 1;
    const auto start = Clock::now();
    if (killing && started) {
        usleep(std::uniform_int_distribution<unsigned>(0, static_cast<unsigned>(packSeconds * 1.3e6))(rng));
        ++f.Killed;
        if (w.Kill(0)) ++f.KilledWhileWorking;
    } else {
        w.WaitFor(0);
        if (started && !packShared) packSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    }
    close(packSignal[0]);
    std::ofstream(P("stop")).put('s');
    w.Wait();
    if (!w.Failure.empty()) return w.Failure;

    // Shared: the index opens and holds the keys, or is refused with the reason.
    StartLibrary(true);
    if (!UseFile(P("p.dbf"))) return Said("shared USE");
    Set_Index_To(P("p.ndx"));
    const bool refused = !IndexIsOpen();
    if (refused && std::none_of(boxes.begin(), boxes.end(), [](const std::string& b) {
            return b.find("Index must be rebuilt") != std::string::npos;
        }))
        return Said("index refused without the reason");
    CloseAll();
    const TTableBytes table = ReadTable("p.dbf");
    if (!refused)
        if (std::string why = IndexAgrees("p.ndx", table, 8); !why.empty()) return "shared: " + why;

    // The table is the old one or the packed one, whole.
    if (table.HeaderCount != table.Whole) return "header counts " + std::to_string(table.HeaderCount);
    std::set<std::string> keys;
    for (std::size_t i = 0; i < table.Whole; ++i) {
        const std::string r = table.Record(i);
        if ((r[0] != ' ' && r[0] != '*') || !all.count(r.substr(1, 8)) || !keys.insert(r.substr(1, 8)).second)
            return "record " + std::to_string(i + 1) + " damaged: [" + r + "]";
    }
    const bool packed = keys == live;
    if (!packed && keys != all) return "neither the old table nor the packed one";

    // Exclusive: the index is rebuilt when it must be; every memo is its own.
    boxes.clear();
    if (!UseFile(P("p.dbf") + " EXCLUSIVE")) return Said("exclusive USE");
    Set_Index_To(P("p.ndx"));
    if (!IndexIsOpen()) return Said("exclusive SET INDEX");
    const std::string wrong = MemosOfOpenTable();
    const bool said = CutShortSaid();
    CloseAll();
    if (!wrong.empty() && !said) return "the memo of " + wrong + " is another's, and nothing said so";
    if (std::string why = IndexAgrees("p.ndx", ReadTable("p.dbf"), 8); !why.empty())
        return "exclusive: " + why;
    std::string outcome = packed ? "packed" : "old table";
    if (refused) outcome += ", index refused shared and rebuilt";
    if (said) outcome += ", cut short said" + std::string(wrong.empty() ? "" : " (memos wrong)");
    outcome = (packShared ? "shared: " : "exclusive: ") + outcome;
    f.Outcomes[outcome]++;
    return "";
}

// ---------------------------------------------------------------- killedappend

std::string AppendKey(int proc, int seq)
{
    char b[16];
    std::snprintf(b, sizeof b, "P%dS%05d", proc, seq);
    return b;
}

// Appends `count` records of process `proc` through the open index; false
// with the reason when one fails.
std::string AppendKeys(int proc, int from, int count)
{
    for (int seq = from; seq < from + count; ++seq) {
        if (!Retry([] { return ALock(); })) return Said("ALock");
        ClearRecord();
        SetNativeText(1, AppendKey(proc, seq));
        SetNativeInt(2, proc);
        SetNativeInt(3, seq);
        Append();
        if (dberror.DbErrorCode != 0) return Said("Append");
        Unlock();
    }
    return "";
}

std::string MakeKeyTable(const std::string& name, int records, bool everySecondDeleted)
{
    TDbfTable t;
    if (!CreateDBF(t, P(name + ".dbf"),
                   {{"KEY", 'C', 8, 0, 0}, {"PROC", 'N', 1, 0, 0}, {"SEQ", 'N', 5, 0, 0}}))
        return Said("create");
    if (!UseFile(P(name + ".dbf") + " EXCLUSIVE")) return Said("USE");
    for (int seq = 1; seq <= records; ++seq) {
        ClearRecord();
        SetNativeText(1, AppendKey(1, seq));
        SetNativeInt(2, 1);
        SetNativeInt(3, seq);
        SetNativeDeleted(everySecondDeleted && seq % 2 == 0);
        Append();
    }
    if (!MakeIndex(P(name + ".ndx"), "KEY")) return Said("index");
    CloseAll();
    return "";
}

// A worker that opens the table `name` shared with its index and appends
// `count` records of process `proc` through it; it closes the table only when
// asked (a killed one never does).
[[noreturn]] void AppendThroughIndex(int id, const std::string& name, int proc, int count, bool close)
{
    StartLibrary(false);
    if (!UseFile(P(name + ".dbf"))) Finish(id, Said("USE"));
    Set_Index_To(P(name + ".ndx"));
    if (!IndexIsOpen()) Finish(id, Said("SET INDEX"));
    const std::string why = AppendKeys(proc, 1, count);
    if (!why.empty()) Finish(id, why);
    if (close) CloseAll();
    _exit(0);
}

double killedAppendSeconds = 0.05; // how long the killed process's appends took when left to finish

// 200 appends through the index of `name` by process 2, which never closes
// the table; when `killing` the process is killed at a random moment within
// `seconds`, else `seconds` becomes the time its appends took.
std::string AppendAndKill(const std::string& name, bool killing, std::mt19937& rng, TFigures& f,
                          double& seconds)
{
    TWorkers w;
    const auto start = Clock::now();
    w.Start(1, [&name](int id) { AppendThroughIndex(id, name, 2, 200, false); });
    if (killing) {
        usleep(std::uniform_int_distribution<unsigned>(0, static_cast<unsigned>(seconds * 1e6))(rng));
        ++f.Killed;
        if (w.Kill(0)) ++f.KilledWhileWorking;
    }
    w.Wait();
    if (!killing) seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return w.Failure;
}

std::string RunKilledAppend(int rep, int, std::mt19937& rng, TFigures& f)
{
    StartLibrary(false);
    if (std::string why = MakeKeyTable("k", 50, false); !why.empty()) return why;
    const bool killing = rep % 4 != 0;
    if (std::string why = AppendAndKill("k", killing, rng, f, killedAppendSeconds); !why.empty()) return why;
    const TTableBytes before = ReadTable("k.dbf");
    std::size_t killedWhole = 0; // the killed process's whole records, gapless from 1
    for (std::size_t i = 50; i < before.Whole; ++i) {
        const std::string r = before.Record(i);
        if (r.substr(1, 8) != AppendKey(2, static_cast<int>(i - 49))) break;
        ++killedWhole;
    }
    // The third process: exclusive, with the index, one append.
    StartLibrary(true);
    if (!UseFile(P("k.dbf") + " EXCLUSIVE")) return Said("exclusive USE");
    Set_Index_To(P("k.ndx"));
    if (!IndexIsOpen()) return Said("exclusive SET INDEX");
    if (std::string why = AppendKeys(3, 1, 1); !why.empty()) return why;
    CloseAll();
    const TTableBytes after = ReadTable("k.dbf");
    if (after.HeaderCount != after.Whole) return "header counts " + std::to_string(after.HeaderCount);
    if (after.Whole != 50 + killedWhole + 1)
        return std::to_string(after.Whole) + " records after the exclusive append, not 50 + " +
               std::to_string(killedWhole) + " + 1";
    for (std::size_t i = 0; i < 50 + killedWhole; ++i)
        if (after.Record(i) != before.Record(i))
            return "record " + std::to_string(i + 1) + " was overwritten";
    if (after.Record(after.Whole - 1).substr(1, 8) != AppendKey(3, 1))
        return "the exclusive append is not last";
    if (std::string why = IndexAgrees("k.ndx", after, 8); !why.empty()) return why;
    f.Outcomes[killedWhole == 200 ? "all 200 appended"
                                  : "killed after " + std::to_string(killedWhole / 50 * 50) + "+"]++;
    return "";
}

// ---------------------------------------------------------------- packappend

std::string RunPackAppend(int rep, int, std::mt19937& rng, TFigures& f)
{
    StartLibrary(false);
    if (std::string why = MakeKeyTable("a", 60, true); !why.empty()) return why;
    const int appended = 1 + static_cast<int>(rng() % 40);
    const bool killed = rep % 2 == 1; // the appender ends without its close, before the packer opens
    auto append = [appended, killed] {
        TWorkers w;
        w.Start(1, [appended, killed](int id) {
            StartLibrary(false);
            if (!UseFile(P("a.dbf"))) Finish(id, Said("USE"));
            Set_Index_To(P("a.ndx"));
            if (!IndexIsOpen()) Finish(id, Said("SET INDEX"));
            const std::string why = AppendKeys(2, 1, appended);
            if (!why.empty()) Finish(id, why);
            if (!killed) CloseAll();
            _exit(0);
        });
        w.Wait();
        return w.Failure;
    };
    if (killed)
        if (std::string why = append(); !why.empty()) return why;
    StartLibrary(true);
    if (!UseFile(P("a.dbf"))) return Said("packer's USE");
    Set_Index_To(P("a.ndx"));
    if (!IndexIsOpen()) return Said("packer's SET INDEX");
    GoTop();
    if (!killed)
        if (std::string why = append(); !why.empty()) return why;
    if (!Pack()) return Said("Pack");
    CloseAll();
    const TTableBytes t = ReadTable("a.dbf");
    std::set<std::string> keys, expect;
    for (std::size_t i = 0; i < t.Whole; ++i)
        keys.insert(t.Record(i).substr(1, 8));
    for (int seq = 1; seq <= 60; seq += 2)
        expect.insert(AppendKey(1, seq));
    for (int seq = 1; seq <= appended; ++seq)
        expect.insert(AppendKey(2, seq));
    if (t.HeaderCount != t.Whole) return "header counts " + std::to_string(t.HeaderCount);
    if (keys != expect)
        return "the packed table holds " + std::to_string(keys.size()) + " records, not " +
               std::to_string(expect.size());
    StartLibrary(true);
    if (!UseFile(P("a.dbf"))) return Said("shared USE");
    Set_Index_To(P("a.ndx"));
    const bool open = IndexIsOpen();
    CloseAll();
    if (!open) return "the packed table's index is refused";
    if (std::string why = IndexAgrees("a.ndx", t, 8); !why.empty()) return why;
    f.Outcomes[killed ? "appender killed, fresh open" : "appended beside the packer's open"]++;
    return "";
}

// ---------------------------------------------------------------- fulldisk

// What a child wrote to the pipe, until it closed it; the pipe is closed.
std::string ReadToEnd(int fd)
{
    std::string said;
    char b[64];
    for (ssize_t n; (n = read(fd, b, sizeof b)) > 0;)
        said.append(b, static_cast<std::size_t>(n));
    close(fd);
    return said;
}

constexpr int kFullRecords = 1000;

std::string RunFullDisk(int rep, int, std::mt19937&, TFigures& f)
{
    StartLibrary(false);
    if (std::string why = MakeKeyTable("f", kFullRecords, true); !why.empty()) return why;
    // The limit shrinks over 25 repetitions (and again) from the index's
    // size plus 24 pages, where only appends find no room, down to a little
    // above the packed table's size, where no append, no new index page and
    // no index rebuild fits.
    const auto hi = static_cast<rlim_t>(fs::file_size(P("f.ndx"))) + 24 * 512;
    const auto lo = static_cast<rlim_t>(fs::file_size(P("f.dbf"))) / 2 + 600;
    const rlim_t limit = hi - static_cast<rlim_t>(rep % 25) * (hi - lo) / 24;
    const bool shared = rep % 2 == 1;
    int report[2];
    if (pipe(report) != 0) return "no pipe";
    TWorkers w;
    w.Start(1, [&](int id) {
        signal(SIGXFSZ, SIG_IGN);
        const struct rlimit size {
            limit, limit
        };
        setrlimit(RLIMIT_FSIZE, &size);
        StartLibrary(false);
        if (!UseFile(P("f.dbf") + (shared ? "" : " EXCLUSIVE"))) Finish(id, Said("USE"));
        Set_Index_To(P("f.ndx"));
        if (!IndexIsOpen()) Finish(id, Said("SET INDEX"));
        // With reporting off a failed index write may also raise.
        auto quietly = [](const std::function<bool()>& run) {
            try {
                return run();
            } catch (const std::exception&) {
                return false;
            }
        };
        int ok = 0;
        while (ok < 600 && quietly([ok] { return AppendKeys(2, ok + 1, 1).empty(); }))
            ++ok;
        Unlock();
        char line[32];
        // An index that a failed write left marked for rebuild is closed,
        // and a Pack without it says nothing about it.
        const int n = std::snprintf(line, sizeof line, "%d %d ", ok, IndexIsOpen() ? 1 : 0);
        (void)!write(report[1], line, static_cast<std::size_t>(n));
        const bool packed = quietly([] { return Pack(); });
        (void)!write(report[1], packed ? "1" : "0", 1);
        CloseAll();
        _exit(0);
    });
    close(report[1]);
    const std::string said = ReadToEnd(report[0]);
    w.Wait();
    if (!w.Failure.empty()) return w.Failure;
    int ok = 0, indexOpen = 0;
    std::sscanf(said.c_str(), "%d %d", &ok, &indexOpen);
    const bool packReturned = said.size() >= 2 && said.back() != ' ';
    const bool packTrue = packReturned && said.back() == '1';
    const TTableBytes t = ReadTable("f.dbf");
    if (t.HeaderCount != t.Whole)
        return "header counts " + std::to_string(t.HeaderCount) + " of " + std::to_string(t.Whole);
    std::set<std::string> keys;
    for (std::size_t i = 0; i < t.Whole; ++i)
        keys.insert(t.Record(i).substr(1, 8));
    std::set<std::string> live, all;
    for (int seq = 1; seq <= kFullRecords; ++seq) {
        all.insert(AppendKey(1, seq));
        if (seq % 2 == 1) live.insert(AppendKey(1, seq));
    }
    for (int seq = 1; seq <= ok; ++seq)
        all.insert(AppendKey(2, seq)), live.insert(AppendKey(2, seq));
    const std::string failedKey = AppendKey(2, ok + 1);
    std::set<std::string> rest = keys;
    const bool failedKept = rest.erase(failedKey) == 1;
    const bool packed = rest == live;
    if (!packed && rest != all)
        return "the table is neither the old one nor the packed one, or lost an append";
    if (packTrue && !packed) return "Pack said success and packed nothing";
    // Shared: the index agrees with the table or is refused with the reason.
    StartLibrary(true);
    if (!UseFile(P("f.dbf"))) return Said("shared USE");
    Set_Index_To(P("f.ndx"));
    const bool refused = !IndexIsOpen();
    CloseAll();
    if (refused && std::none_of(boxes.begin(), boxes.end(), [](const std::string& x) {
            return x.find("Index must be rebuilt") != std::string::npos;
        }))
        return Said("index refused without the reason");
    if (refused && packTrue && indexOpen == 1)
        return Said("Pack said success and left an index that must be rebuilt");
    if (!refused)
        if (std::string why = IndexAgrees("f.ndx", t, 8); !why.empty())
            return why + (failedKept ? " (the failed append's record kept)" : "");
    std::string outcome =
        (ok < 600 ? "append failed" : "no append failed") + std::string(packed ? ", packed" : ", not packed");
    outcome += packTrue ? ", Pack true" : ", Pack false";
    if (indexOpen == 0) outcome += ", index marked by a failed write";
    if (refused) outcome += ", index refused";
    if (failedKept) outcome += ", failed append's record kept with its key";
    f.Outcomes[(shared ? "shared: " : "exclusive: ") + outcome]++;
    return "";
}

// ---------------------------------------------------------------- replacefull

// Runs `work` in a child whose files cannot grow past `limit`, on the table
// opened shared or exclusively with the listed indexes; what it writes to the
// given descriptor comes back as text.
std::string UnderLimit(rlim_t limit, bool shared, const std::string& table, const std::string& indexes,
                       const std::function<void(int)>& work, std::string& failure)
{
    int report[2];
    if (pipe(report) != 0) return failure = "no pipe", "";
    TWorkers w;
    w.Start(1, [&](int) {
        close(report[0]);
        signal(SIGXFSZ, SIG_IGN);
        const struct rlimit size {
            limit, limit
        };
        setrlimit(RLIMIT_FSIZE, &size);
        StartLibrary(false);
        dbcmd.SharedAccess = shared;
        try {
            if (UseFile(P(table)) && (Set_Index_To(indexes), IndexIsOpen())) work(report[1]);
        } catch (const std::exception&) { // with reporting off a failed index write may also raise
        }
        CloseAll();
        _exit(0);
    });
    close(report[1]);
    const std::string said = ReadToEnd(report[0]);
    w.Wait();
    failure = w.Failure;
    return said;
}

// From `hi` down to `lo` over 25 repetitions, and again; off page bounds, so
// that a refused page is written in part.
rlim_t ShrinkingLimit(int rep, rlim_t hi, rlim_t lo)
{
    return hi - static_cast<rlim_t>(rep % 25) * (hi - lo) / 24 + 200;
}

// The entries of an index on bytes [from, from + width) of the records (1 =
// the first field), key order, records in order among equal keys.
std::string IndexHoldsField(const std::string& index, const TTableBytes& t, int from, int width)
{
    std::vector<std::pair<std::string, int32_t>> keys;
    for (std::size_t i = 0; i < t.Whole; ++i)
        keys.emplace_back(t.Record(i).substr(static_cast<std::size_t>(from), static_cast<std::size_t>(width)),
                          static_cast<int32_t>(i + 1));
    std::sort(keys.begin(), keys.end());
    std::string problem;
    const auto entries = WalkIndex(index, problem);
    if (!problem.empty()) return index + " tree: " + problem;
    if (entries != keys)
        return index + " holds " + std::to_string(entries.size()) + " entries for " +
               std::to_string(keys.size()) + " records, or other keys";
    const auto b = Bytes(P(index));
    if (Le32(b, 492) != t.Whole || Le32(b, 488) != ~static_cast<uint32_t>(t.Whole))
        return index + " holds its table's keys but its stamp counts " + std::to_string(Le32(b, 492));
    return "";
}

// Opens the table shared, then exclusively, with one index: shared, the
// index is used or refused with the reason, and refused only when it is
// marked for rebuild; exclusively it is used (rebuilt when marked). Where it
// is used it holds exactly the table's keys. `refused` tells what happened.
std::string IndexUsableOrMarked(const std::string& table, const std::string& index, int from, int width,
                                bool& refused)
{
    const bool marked = Le32(Bytes(P(index)), 492) == 0x7FFFFFFFu;
    StartLibrary(true);
    if (!UseFile(P(table))) return Said("shared USE");
    Set_Index_To(P(index));
    refused = !IndexIsOpen();
    CloseAll();
    if (refused && std::none_of(boxes.begin(), boxes.end(), [](const std::string& x) {
            return x.find("Index must be rebuilt") != std::string::npos;
        }))
        return Said(index + " refused without the reason");
    if (refused != marked) return Said(index + (marked ? " marked but used" : " refused but not marked"));
    if (!refused)
        if (std::string why = IndexHoldsField(index, ReadTable(table), from, width); !why.empty()) return why;
    dbcmd.SharedAccess = false;
    if (!UseFile(P(table))) return Said("exclusive USE");
    Set_Index_To(P(index));
    const bool open = IndexIsOpen();
    CloseAll();
    if (!open) return Said(index + " not opened exclusively");
    return IndexHoldsField(index, ReadTable(table), from, width);
}

constexpr int kReplaceRecords = 1000;

// Changes the key of record after record ("P1..." to "R1...") through the
// index, under a file size limit that shrinks from the index's size plus 24
// pages (only new index pages find no room) to below its size (pages the
// index has cannot be rewritten either).
std::string RunReplaceFull(int rep, int, std::mt19937&, TFigures& f)
{
    StartLibrary(false);
    if (std::string why = MakeKeyTable("r", kReplaceRecords, false); !why.empty()) return why;
    const auto index = static_cast<rlim_t>(fs::file_size(P("r.ndx")));
    const rlim_t limit = ShrinkingLimit(rep, index + 24 * 512, index - 12 * 512);
    const bool shared = rep % 2 == 1;
    std::string failure;
    const std::string said = UnderLimit(
        limit, shared, "r.dbf", P("r.ndx"),
        [shared](int out) {
            if (shared && !Retry([] { return FLock(); })) return;
            int ok = 0;
            for (; ok < kReplaceRecords; ++ok) {
                GO(ok + 1);
                SetNativeText(1, "R" + AppendKey(1, ok + 1).substr(1));
                Replace();
                if (dberror.DbErrorCode != 0) break;
            }
            const std::string line = std::to_string(ok) + " " + (IndexIsOpen() ? "1" : "0");
            (void)!write(out, line.data(), line.size());
        },
        failure);
    if (!failure.empty()) return failure;
    int ok = -1, indexOpen = 0;
    if (std::sscanf(said.c_str(), "%d %d", &ok, &indexOpen) != 2) return "the replacer said nothing";
    const TTableBytes t = ReadTable("r.dbf");
    if (t.Whole != kReplaceRecords || t.HeaderCount != kReplaceRecords)
        return "the table lost or gained records";
    bool failedKept = false;
    for (int i = 0; i < kReplaceRecords; ++i) {
        const std::string key = t.Record(static_cast<std::size_t>(i)).substr(1, 8);
        const std::string old = AppendKey(1, i + 1), changed = "R" + old.substr(1);
        if (i < ok ? key != changed : i > ok ? key != old : key != old && key != changed)
            return "record " + std::to_string(i + 1) + " holds " + key;
        failedKept = failedKept || (i == ok && key == changed);
    }
    bool refused = false;
    if (std::string why = IndexUsableOrMarked("r.dbf", "r.ndx", 1, 8, refused); !why.empty())
        return why + (failedKept ? " (the failed Replace's record kept)" : "");
    std::string outcome = ok < kReplaceRecords ? "a Replace failed" : "no Replace failed";
    if (failedKept) outcome += ", its record kept with its key";
    if (indexOpen == 0) outcome += ", index marked by a failed write";
    if (refused) outcome += ", index refused shared and rebuilt";
    f.Outcomes[(shared ? "shared: " : "exclusive: ") + outcome]++;
    return "";
}

// ---------------------------------------------------------------- twoindexfull

// Appends through two indexes of a table (on KEY and on SUBSTR(KEY,4,5))
// under a file size limit that shrinks from the second index's size plus 24
// pages to below the first index's size, until an append fails.
std::string RunTwoIndexFull(int rep, int, std::mt19937&, TFigures& f)
{
    StartLibrary(false);
    if (std::string why = MakeKeyTable("w", kReplaceRecords, false); !why.empty()) return why;
    if (!UseFile(P("w.dbf") + " EXCLUSIVE") || !MakeIndex(P("x.ndx"), "SUBSTR(KEY,4,5)"))
        return Said("index");
    CloseAll();
    const rlim_t limit = ShrinkingLimit(rep, static_cast<rlim_t>(fs::file_size(P("x.ndx"))) + 24 * 512,
                                        static_cast<rlim_t>(fs::file_size(P("w.ndx"))) - 8 * 512);
    const bool shared = rep % 2 == 1;
    std::string failure;
    const std::string said = UnderLimit(
        limit, shared, "w.dbf", P("w.ndx") + " " + P("x.ndx"),
        [](int out) {
            int ok = 0;
            while (ok < 600 && AppendKeys(2, ok + 1, 1).empty())
                ++ok;
            Unlock();
            const std::string text = dberror.DbErrorText;
            const std::string line = std::to_string(ok) + " " +
                                     (text.find("x.ndx") != std::string::npos   ? "x"
                                      : text.find("w.ndx") != std::string::npos ? "w"
                                                                                : "-");
            (void)!write(out, line.data(), line.size());
        },
        failure);
    if (!failure.empty()) return failure;
    int ok = -1;
    char which = '-';
    if (std::sscanf(said.c_str(), "%d %c", &ok, &which) != 2) return "the appender said nothing";
    const TTableBytes t = ReadTable("w.dbf");
    if (t.HeaderCount != t.Whole)
        return "header counts " + std::to_string(t.HeaderCount) + " of " + std::to_string(t.Whole);
    const std::size_t kept = static_cast<std::size_t>(kReplaceRecords + ok);
    if (t.Whole != kept && t.Whole != kept + 1)
        return "the table holds " + std::to_string(t.Whole) + " records";
    for (std::size_t i = kReplaceRecords; i < t.Whole; ++i)
        if (t.Record(i).substr(1, 8) != AppendKey(2, static_cast<int>(i) - kReplaceRecords + 1))
            return "append " + std::to_string(i + 1) + " lost";
    bool refusedFirst = false, refusedSecond = false;
    if (std::string why = IndexUsableOrMarked("w.dbf", "w.ndx", 1, 8, refusedFirst); !why.empty()) return why;
    if (std::string why = IndexUsableOrMarked("w.dbf", "x.ndx", 4, 5, refusedSecond); !why.empty())
        return why;
    std::string outcome = ok < 600 ? "an append failed on " + std::string(which == 'x'   ? "the second index"
                                                                          : which == 'w' ? "the first index"
                                                                                         : "the table")
                                   : "no append failed";
    if (t.Whole == kept + 1) outcome += ", its record kept with its keys";
    if (refusedFirst || refusedSecond) outcome += ", an index marked, refused shared and rebuilt";
    f.Outcomes[(shared ? "shared: " : "exclusive: ") + outcome]++;
    return "";
}

// ---------------------------------------------------------------- appendclose

// An exclusive open of the table `name` with its index; afterwards the index
// holds exactly the keys of the table `t` (as read before the open).
std::string ExclusiveOpenAgrees(const std::string& name, const TTableBytes& t)
{
    StartLibrary(true);
    if (!UseFile(P(name + ".dbf") + " EXCLUSIVE")) return Said("exclusive USE");
    Set_Index_To(P(name + ".ndx"));
    const bool open = IndexIsOpen();
    CloseAll();
    if (!open) return Said("exclusive SET INDEX");
    return IndexAgrees(name + ".ndx", t, 8);
}

double appendCloseSeconds = 0.05; // how long the killed process's appends took when left to finish

std::string RunAppendClose(int rep, int, std::mt19937& rng, TFigures& f)
{
    StartLibrary(false);
    if (std::string why = MakeKeyTable("b", 10, false); !why.empty()) return why;
    // A shared appender, killed at a random moment (every fourth left to
    // finish without its close), then another shared process's append and
    // close, which writes the header's count from the file.
    const bool killing = rep % 4 != 0;
    if (std::string why = AppendAndKill("b", killing, rng, f, appendCloseSeconds); !why.empty()) return why;
    TWorkers other;
    other.Start(1, [](int id) { AppendThroughIndex(id, "b", 3, 1, true); });
    other.Wait();
    if (!other.Failure.empty()) return other.Failure;
    const TTableBytes t = ReadTable("b.dbf");
    if (t.HeaderCount != t.Whole) return "header counts " + std::to_string(t.HeaderCount);
    // Then an exclusive open with the index: does it hold every record's key?
    if (std::string why = ExclusiveOpenAgrees("b", t); !why.empty()) return why;
    f.Outcomes[killing ? "appender killed, another appended and closed" : "appender finished"]++;
    return "";
}

// ---------------------------------------------------------------- splitkill

// The process killed inside a split: every write of the engine goes through
// pwrite, so this program's own pwrite stands in for the system's and kills
// the process right after the first write that rewrites a page the index
// already had (at a split the new page is written first, then the old leaf,
// then its parent). Armed only in that process, only for the index file.
int64_t splitKillIndexSize = -1; // the index file's size when armed; -1 unarmed

} // namespace

extern "C" ssize_t pwrite(int fd, const void* buffer, size_t count, off_t offset)
{
    const auto n = static_cast<ssize_t>(syscall(SYS_pwrite64, fd, buffer, count, offset));
    if (splitKillIndexSize >= 0 && n == static_cast<ssize_t>(count) &&
        offset + static_cast<off_t>(count) <= splitKillIndexSize && offset >= 512) {
        char link[64], target[4096];
        std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
        const ssize_t l = readlink(link, target, sizeof target - 1);
        if (l > 4 && std::string(target + l - 4, target + l) == ".ndx") kill(getpid(), SIGKILL);
    }
    return n;
}

namespace
{

std::string RunSplitKill(int, int, std::mt19937& rng, TFigures& f)
{
    StartLibrary(false);
    // 100 records whose keys leave room between them; 31 keys to a page, so
    // the first three leaves a build writes are full, the fourth has room.
    TDbfTable table;
    if (!CreateDBF(table, P("s.dbf"), {{"KEY", 'C', 8, 0, 0}})) return Said("create");
    if (!UseFile(P("s.dbf") + " EXCLUSIVE")) return Said("USE");
    char key[16];
    for (int seq = 1; seq <= 100; ++seq) {
        std::snprintf(key, sizeof key, "S%05d0", seq);
        SetNativeText(1, key);
        Append();
    }
    if (!MakeIndex(P("s.ndx"), "KEY")) return Said("index");
    CloseAll();
    const int after = std::uniform_int_distribution<int>(1, 99)(rng);
    std::snprintf(key, sizeof key, "S%05d5", after);
    const bool splits = after <= 92; // a key behind the third leaf goes to the fourth
    const pid_t pid = fork();
    if (pid == 0) {
        StartLibrary(false);
        if (!UseFile(P("s.dbf")) || (Set_Index_To(P("s.ndx")), !IndexIsOpen()) || !ALock()) _exit(3);
        SetNativeText(1, key);
        splitKillIndexSize = static_cast<int64_t>(fs::file_size(P("s.ndx")));
        Append();
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFSIGNALED(status)) return "the appender was not killed at a page write";
    ++f.Killed, ++f.KilledWhileWorking;
    const TTableBytes t = ReadTable("s.dbf");
    if (t.Whole != 101) return std::to_string(t.Whole) + " records after the killed append";
    // The next exclusive open with the index: does it hold every record's key?
    if (std::string why = ExclusiveOpenAgrees("s", t); !why.empty()) return why;
    f.Outcomes[splits ? "killed inside a leaf split" : "killed after a leaf with room was written"]++;
    return "";
}

// ---------------------------------------------------------------- driver

using TCase = std::string (*)(int, int, std::mt19937&, TFigures&);

} // namespace

int main(int argc, char** argv)
{
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    std::vector<std::string> names;
    for (int i = 2; i < argc; ++i)
        names.push_back(argv[i]);
    if (names.empty())
        names = {"close",    "index",       "pack",         "killedappend", "packappend",
                 "fulldisk", "replacefull", "twoindexfull", "appendclose",  "splitkill"};
    const std::map<std::string, TCase> cases{{"close", RunClose},
                                             {"index", RunIndex},
                                             {"pack", RunPack},
                                             {"killedappend", RunKilledAppend},
                                             {"packappend", RunPackAppend},
                                             {"fulldisk", RunFullDisk},
                                             {"replacefull", RunReplaceFull},
                                             {"twoindexfull", RunTwoIndexFull},
                                             {"appendclose", RunAppendClose},
                                             {"splitkill", RunSplitKill}};
    const char* tmp = std::getenv("TMPDIR");
    std::string base =
        std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/qyr7_tablestress_XXXXXX";
    if (mkdtemp(base.data()) == nullptr) {
        std::perror("mkdtemp");
        return 255;
    }
    InitXbaseLibrary();
    std::mt19937 rng(12345);
    int failed = 0;
    for (const std::string& name : names) {
        const auto found = cases.find(name);
        if (found == cases.end()) {
            std::fprintf(stderr, "unknown case %s\n", name.c_str());
            return 255;
        }
        TFigures f;
        const auto start = Clock::now();
        for (int rep = 0; rep < repetitions; ++rep) {
            const int processes = 2 + rep % 3;
            dir = base + "/" + name + std::to_string(rep);
            fs::create_directories(dir);
            const std::string why = found->second(rep, processes, rng, f);
            ResetXbaseState();
            ++f.Runs;
            ++f.Processes[processes];
            if (!why.empty()) {
                ++f.Failed;
                if (f.Failures.size() < 5) f.Failures.push_back("#" + std::to_string(rep) + ": " + why);
            }
            fs::remove_all(dir);
        }
        f.Seconds = std::chrono::duration<double>(Clock::now() - start).count();
        std::printf("%-5s %d runs (%d with 2, %d with 3, %d with 4 processes), %d kills (%d while working), "
                    "%d failed, %.1f s\n",
                    name.c_str(), f.Runs, f.Processes[2], f.Processes[3], f.Processes[4], f.Killed,
                    f.KilledWhileWorking, f.Failed, f.Seconds);
        for (const auto& [outcome, n] : f.Outcomes)
            std::printf("      %4d  %s\n", n, outcome.c_str());
        for (const auto& why : f.Failures)
            std::printf("      failed %s\n", why.c_str());
        std::fflush(stdout);
        failed += f.Failed;
    }
    fs::remove_all(base);
    return std::min(failed, 255);
}
