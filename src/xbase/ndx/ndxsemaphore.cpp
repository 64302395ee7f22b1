// The semaphore file beside a shared table: programs log on, readers count
// themselves in, a writer waits until no reader is inside and holds the byte
// lock while it changes the indexes, and the change counter tells the others
// to re-read the index headers.
//
// A program that ended without logging off leaves its counts behind. Every
// program that is logged on holds a shared lock on a presence byte, and every
// program counted as reader one on a reader byte; the system drops both with
// the program. A count that no live holder backs is stale and is reset, so a
// crash does not make every writer wait out its timeout again and again.
#include "foundation/codepage.h"
#include "xbase/ndx/ndx.h"
#include "xbase/ndx/ndxinternal.h"

#include "xbase/cmd/dbcmd.h"
#include "xbase/core/dberror.h"
#include "xbase/core/dbstrings.h"

#include <chrono>
#include <thread>

namespace
{

constexpr int64_t kByteLockOffset = 1;
constexpr int64_t kByteLockLength = 4;
constexpr int64_t kPresenceOffset = 64; // logged-on programs hold it shared
constexpr int64_t kReaderOffset = 65;   // programs counted as reader hold it shared

const char* ActionName(uint8_t action)
{
    static const char* const names[] = {"LOGIN",   "LOGOUT",        "INCREAD",
                                        "DECREAD", "LOCKSEMAPHORE", "UNLOCKSEMAPHORE"};
    return action <= 5 ? names[action] : "";
}

void Sleep(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

bool TakeByteLock(TSemaphoreRecord& s, uint8_t action)
{
    if (!dbcmd.SharedAccess) return true;
    uint16_t code = 0;
    for (int attempt = 0; attempt < 1001; ++attempt) {
        code = s.File.LockRange(kByteLockOffset, kByteLockLength);
        if (code == 0) return true;
        Sleep(10);
    }
    IndexError(1202, "10 second timeout: Cannot lock index semaphore file: " + FileNameToOem(s.FileName) +
                         " " + ActionName(action) + "\r\n" + "Possible cause: Network lock limit exceeded" +
                         "\r\n" + " Lock result code: " + std::to_string(code));
    return false;
}

bool ReleaseByteLock(TSemaphoreRecord& s, uint8_t action)
{
    if (!dbcmd.SharedAccess) return true;
    if (uint16_t code = s.File.UnlockRange(kByteLockOffset, kByteLockLength); code != 0) {
        IndexError(code, "Cannot unlock index semaphore file: " + FileNameToOem(s.FileName) + " " +
                             ActionName(action));
        return false;
    }
    return true;
}

bool ReadRecord(TSemaphoreRecord& s, uint8_t action, bool report = true)
{
    if (s.File.ReadAt(0, s.LastRecord, 4) != 4) {
        if (report)
            IndexError(s.File.LastError() == 0 ? 100 : s.File.LastError(),
                       "Cannot read: " + FileNameToOem(s.FileName) + " " + ActionName(action));
        return false;
    }
    return true;
}

bool WriteRecord(TSemaphoreRecord& s, uint8_t action)
{
    if (s.File.WriteAt(0, s.LastRecord, 4) != 4) {
        IndexError(s.File.LastError() == 0 ? 101 : s.File.LastError(),
                   "Cannot write to: " + FileNameToOem(s.FileName) + " " + ActionName(action));
        return false;
    }
    return true;
}

uint16_t Counter(const TSemaphoreRecord& s)
{
    return static_cast<uint16_t>(s.LastRecord[2] | s.LastRecord[3] << 8);
}

bool LockTableByte(TWorkArea& a, uint8_t action)
{
    if (!dbcmd.SharedAccess) return true;
    for (int attempt = 0; attempt <= 1000; ++attempt) {
        if (a.File.LockRange(dbcmd.LockBase, 1) == 0) return true;
        Sleep(10);
    }
    IndexError(1202, "Cannot lock database for: " + FileNameToOem(a.Name) + " Action=" + ActionName(action) +
                         " [Database Semaphore]");
    return false;
}

void UnlockTableByte(TWorkArea& a)
{
    if (dbcmd.SharedAccess) a.File.UnlockRange(dbcmd.LockBase, 1);
}

bool Login(TWorkArea& a, TAreaIndexes& ai)
{
    if (ai.Semaphore) return true;
    auto s = std::make_unique<TSemaphoreRecord>();
    s->FileName = SemaphoreFileName(a.Name);
    if (!LockTableByte(a, SemLogin)) return false;
    bool ok = [&] {
        bool fresh = !FileExistsStr(s->FileName) || !FileDatedToday(s->FileName);
        uint16_t code = 0;
        if (fresh) {
            code = s->File.Create(s->FileName, platform::TFileShare::DenyWrite);
            if (code == 0) {
                uint8_t zero[4] = {};
                s->File.WriteAt(0, zero, 4);
                s->File.Close();
                code = s->File.Open(s->FileName, true, platform::TFileShare::DenyNone);
                if (code != 0) {
                    IndexError(code,
                               "Cannot open: " + FileNameToOem(s->FileName) + " " + ActionName(SemLogin));
                    return false;
                }
            } else if (code == 5 || code == 32 || code == 150 || code == 162 || code == 163) {
                fresh = false;
            } else {
                IndexError(code,
                           "Cannot open/create: " + FileNameToOem(s->FileName) + " " + ActionName(SemLogin));
                return false;
            }
        }
        if (!fresh) {
            code = s->File.Open(s->FileName, true, platform::TFileShare::DenyNone);
            if (code != 0) {
                IndexError(code, "Cannot open: " + FileNameToOem(s->FileName) + " " + ActionName(SemLogin));
                return false;
            }
        }
        if (!TakeByteLock(*s, SemLogin)) return false;
        Sleep(5);
        if (!ReadRecord(*s, SemLogin, false)) {
            // A file cut short: start it again.
            for (uint8_t& b : s->LastRecord)
                b = 0;
        }
        if (dbcmd.SharedAccess && !s->File.RangeLockedElsewhere(kPresenceOffset, 1)) {
            // Nobody alive is logged on: whatever the counts say is left over.
            s->LastRecord[0] = 0;
            s->LastRecord[1] = 0;
        }
        s->LastRecord[0] = static_cast<uint8_t>(s->LastRecord[0] + 1);
        bool written = WriteRecord(*s, SemLogin);
        if (dbcmd.SharedAccess) s->File.LockRangeShared(kPresenceOffset, 1);
        ReleaseByteLock(*s, SemLogin);
        s->LastSeen = Counter(*s);
        return written;
    }();
    UnlockTableByte(a);
    if (ok) ai.Semaphore = std::move(s);
    return ok;
}

bool Logout(TWorkArea& a, TAreaIndexes& ai)
{
    TSemaphoreRecord& s = *ai.Semaphore;
    if (!LockTableByte(a, SemLogout)) return false;
    bool last = false;
    if (TakeByteLock(s, SemLogout)) {
        if (ReadRecord(s, SemLogout)) {
            if (s.CountedAsReader && static_cast<int8_t>(s.LastRecord[1]) > 0)
                s.LastRecord[1] = static_cast<uint8_t>(s.LastRecord[1] - 1);
            if (s.LastRecord[0] > 0) s.LastRecord[0] = static_cast<uint8_t>(s.LastRecord[0] - 1);
            WriteRecord(s, SemLogout);
            last = s.LastRecord[0] == 0;
        }
        ReleaseByteLock(s, SemLogout);
    }
    std::string name = s.FileName;
    s.File.Close();
    if (last) EraseFile(name);
    ai.Semaphore.reset();
    UnlockTableByte(a);
    return true;
}

bool IncDecRead(TSemaphoreRecord& s, uint8_t action)
{
    bool inc = action == SemIncRead;
    s.ReadNesting += inc ? 1 : -1;
    if (s.ReadNesting < 0) {
        s.ReadNesting = 0;
        IndexError(254, "Unbalanced IncRead/DecRead for semaphore file: " + FileNameToOem(s.FileName) + " " +
                            ActionName(action));
        return false;
    }
    if ((inc && s.ReadNesting != 1) || (!inc && s.ReadNesting != 0)) return true;
    if (s.RegionLocked || (inc && s.CountedAsReader) || (!inc && !s.CountedAsReader)) return true;
    if (!TakeByteLock(s, action)) return false;
    s.CountedAsReader = inc;
    bool ok = ReadRecord(s, action);
    if (ok) {
        int8_t rw = static_cast<int8_t>(s.LastRecord[1]);
        if (inc && rw != 127) ++rw;
        if (!inc && rw > 0) --rw;
        s.LastRecord[1] = static_cast<uint8_t>(rw);
        ok = WriteRecord(s, action);
    }
    if (dbcmd.SharedAccess) {
        if (inc)
            s.File.LockRangeShared(kReaderOffset, 1);
        else
            s.File.UnlockRange(kReaderOffset, 1);
    }
    ReleaseByteLock(s, action);
    return ok;
}

bool LockSemaphore(TSemaphoreRecord& s)
{
    ++s.WriteNesting;
    if (s.WriteNesting != 1 || s.RegionLocked) return true;
    const auto start = std::chrono::steady_clock::now();
    const int own = s.CountedAsReader ? 1 : 0;
    while (true) {
        if (!TakeByteLock(s, SemLock)) {
            --s.WriteNesting;
            return false;
        }
        if (!ReadRecord(s, SemLock)) {
            ReleaseByteLock(s, SemLock);
            --s.WriteNesting;
            return false;
        }
        int rw = static_cast<int8_t>(s.LastRecord[1]);
        if (rw <= own) break;
        if (dbcmd.SharedAccess && !s.File.RangeLockedElsewhere(kReaderOffset, 1)) {
            // No live reader backs the count: a program ended inside.
            s.LastRecord[1] = static_cast<uint8_t>(own);
            break;
        }
        ReleaseByteLock(s, SemLock);
        auto waited =
            std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start);
        if (waited.count() > ndx.WriterTimeoutSeconds) {
            --s.WriteNesting;
            IndexError(1202, std::to_string(ndx.WriterTimeoutSeconds) +
                                 " second timeout, cannot read: " + FileNameToOem(s.FileName) + "\r\n" +
                                 "Possible cause: Other user's program has terminated abnormally." + "\r\n" +
                                 "Cure: Log all users of this application off the network," + "\r\n" +
                                 "then delete " + FileNameToOem(s.FileName));
            return false;
        }
        Sleep(1);
    }
    s.LastRecord[1] = static_cast<uint8_t>(static_cast<int8_t>(s.LastRecord[1]) + 1);
    if (!WriteRecord(s, SemLock)) {
        ReleaseByteLock(s, SemLock);
        --s.WriteNesting;
        return false;
    }
    s.RegionLocked = true;
    // Another program's changes must be seen before this one adds its own.
    if (Counter(s) != s.LastSeen) {
        s.LastSeen = Counter(s);
        ReadAnchorNodes();
    }
    return true;
}

bool UnlockSemaphore(TSemaphoreRecord& s)
{
    --s.WriteNesting;
    if (s.WriteNesting < 0) {
        s.WriteNesting = 0;
        if (s.RegionLocked) {
            ReleaseByteLock(s, SemUnlock);
            s.RegionLocked = false;
        }
        IndexError(254, "Unbalanced Lock/Unlock for semaphore file: " + FileNameToOem(s.FileName) + " " +
                            ActionName(SemUnlock));
        return false;
    }
    if (s.WriteNesting != 0 || !s.RegionLocked) return true;
    bool ok = ReadRecord(s, SemUnlock);
    if (ok) {
        uint16_t c = Counter(s);
        c = c >= 65534 ? 0 : static_cast<uint16_t>(c + 1);
        s.LastRecord[2] = static_cast<uint8_t>(c);
        s.LastRecord[3] = static_cast<uint8_t>(c >> 8);
        s.LastRecord[1] = static_cast<uint8_t>(s.CountedAsReader ? 1 : 0);
        ok = WriteRecord(s, SemUnlock);
        s.LastSeen = c;
    }
    ReleaseByteLock(s, SemUnlock);
    s.RegionLocked = false;
    return ok;
}

} // namespace

std::string SemaphoreFileName(const std::string& table)
{
    return ForceExtension(table, "@S@");
}

bool DatabaseSemaphore(uint8_t action)
{
    if (dbcmd.CurrentArea > 34) {
        IndexError(254,
                   "Work area [" + std::to_string(dbcmd.CurrentArea) + "] out of range. [HandleSemafore]");
        return false;
    }
    TWorkArea* a = SelectedArea();
    if (a == nullptr || a->Exclusive || a->IsVirtual) return true;
    TAreaIndexes& ai = CurrentIndexes();
    if (!ai.Semaphore) return action == SemLogin ? Login(*a, ai) : true;
    switch (action) {
    case SemLogin:
        return true;
    case SemLogout:
        return Logout(*a, ai);
    case SemIncRead:
    case SemDecRead:
        return IncDecRead(*ai.Semaphore, action);
    case SemLock:
        return LockSemaphore(*ai.Semaphore);
    case SemUnlock:
        return UnlockSemaphore(*ai.Semaphore);
    default:
        return false;
    }
}

namespace
{

// The locks are counted per work area whether or not the area is logged on,
// so that a release without its lock is caught where it happens, by the
// routine that was asked, and not later as the semaphore's own imbalance.
void CountedSemaphore(int TAreaIndexes::*count, bool on, uint8_t first, uint8_t last, const char* proc)
{
    if (dbcmd.CurrentArea < 1 || dbcmd.CurrentArea > 35) {
        DatabaseSemaphore(on ? first : last); // reports the area out of range
        return;
    }
    int& n = CurrentIndexes().*count;
    if (on) {
        if (n++ == 0) DatabaseSemaphore(first);
        return;
    }
    if (n == 0) {
        IndexError(254, std::string("Non-symmetrical Lock-Unlock [") + proc + "]");
        return;
    }
    if (--n == 0) DatabaseSemaphore(last);
}

} // namespace

void SetReadSemaphore(bool on)
{
    CountedSemaphore(&TAreaIndexes::ReadLocks, on, SemIncRead, SemDecRead, "SetReadSemaphoreProc");
}

void SetLockSemaphore(bool on)
{
    CountedSemaphore(&TAreaIndexes::WriteLocks, on, SemLock, SemUnlock, "SetLockSemaphoreProc");
}

bool SemaphoreChanged()
{
    if (dbcmd.CurrentArea < 1 || dbcmd.CurrentArea > 34) return false;
    TAreaIndexes& ai = CurrentIndexes();
    if (!ai.Semaphore) return false;
    TSemaphoreRecord& s = *ai.Semaphore;
    uint8_t rec[4];
    if (s.File.ReadAt(0, rec, 4) != 4) return false;
    uint16_t c = static_cast<uint16_t>(rec[2] | rec[3] << 8);
    if (c == s.LastSeen) return false;
    ReadAnchorNodes();
    s.LastSeen = c;
    return true;
}
