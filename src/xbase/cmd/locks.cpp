// File, append and record locks. The regions lie far above any data byte
// (from LockBase, 1 GiB), so a lock never blocks reading or writing data,
// only other lockers. Locks are open-file-description locks: two processes,
// or two work areas of one process on the same table, exclude each other.
// Taking a lock drops the records read ahead, so that what is read under the
// lock comes from the file.
#include "xbase/cmd/dbcmd.h"

#include "foundation/codepage.h"
#include "xbase/core/dberror.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace
{

int64_t FileRegionOffset()
{
    return static_cast<int64_t>(dbcmd.LockBase) + 1;
}

int64_t RecordRegionOffset(const TWorkArea& a, int32_t n)
{
    return static_cast<int64_t>(dbcmd.LockBase) + a.HeaderLength +
           static_cast<int64_t>(n - 1) * a.RecordLength;
}

bool SharedArea(const TWorkArea& a)
{
    return dbcmd.SharedAccess && !a.Exclusive;
}

TWorkArea* LockArea(const char* tag)
{
    if (!CheckDbInUse(tag)) return nullptr;
    TWorkArea* a = SelectedArea();
    if (a->IsVirtual) {
        SetError(1100, tag);
        return nullptr;
    }
    return a;
}

// The pause between two tries. It only sleeps: pumping window messages here
// could let the user start another table command in the middle of this one.
void WaitMilliseconds(unsigned ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace

uint32_t LockRegion(bool unlock, platform::TSharedFile& file, int64_t offset, int64_t length)
{
    if (!dbcmd.SharedAccess) return 0;
    return unlock ? file.UnlockRange(offset, length) : file.LockRange(offset, length);
}

bool LockRegionRetry(platform::TSharedFile& file, int64_t offset, int64_t length)
{
    int attempt = 0;
    do {
        if (LockRegion(false, file, offset, length) == 0) return true;
        if (attempt < dbcmd.LockRetries) WaitMilliseconds(dbcmd.LockRetryDelay);
        ++attempt;
        if (attempt > dbcmd.LockRetries && dbcmd.LockRetryCallback && dbcmd.LockRetryCallback())
            attempt = 0; // the user asked to keep trying
    } while (attempt <= dbcmd.LockRetries);
    return false;
}

bool LockHeader()
{
    TWorkArea* a = SelectedArea();
    if (!dbcmd.SharedAccess || a == nullptr) return true;
    return LockRegionRetry(a->File, dbcmd.LockBase, 1);
}

void UnlockHeader()
{
    TWorkArea* a = SelectedArea();
    if (a == nullptr) return;
    uint32_t code = LockRegion(true, a->File, dbcmd.LockBase, 1);
    if (code != 0)
        SetError(static_cast<uint16_t>(code), "Error attempting to UNLOCK file " + FileNameToOem(a->Name) +
                                                  " in Workarea " + std::to_string(dbcmd.CurrentArea));
}

bool LockAppendRegion()
{
    TWorkArea* a = SelectedArea();
    if (a == nullptr || a->IsVirtual || !SharedArea(*a)) return true;
    return LockRegionRetry(a->File, FileRegionOffset(), 1);
}

bool FLock()
{
    TWorkArea* a = LockArea(" [FLock]");
    if (a == nullptr) return false;
    if (a->LockState == LockFile) return true;
    if (a->LockState != LockNone) return false;
    if (SharedArea(*a) && !LockRegionRetry(a->File, FileRegionOffset(), dbcmd.FileLockLength)) return false;
    DropReadAhead(*a);
    a->LockState = LockFile;
    return true;
}

bool ALock()
{
    TWorkArea* a = LockArea(" [ALock]");
    if (a == nullptr) return false;
    if (a->LockState == LockAppend) return true;
    if (a->LockState != LockNone) return false;
    if (SharedArea(*a) && !LockRegionRetry(a->File, FileRegionOffset(), 1)) return false;
    a->LockState = LockAppend;
    return true;
}

bool RLock()
{
    TWorkArea* a = LockArea(" [RLock]");
    if (a == nullptr) return false;
    if (dbcmd.RecordLockLimit > 0 && a->RecordLockCount >= dbcmd.RecordLockLimit) {
        SetError(212, "Xbase record lock limit exceeded [RLock]");
        return false;
    }
    const int32_t n = a->RecordNumber;
    if (a->LockState == LockRecords) {
        for (const auto& node : a->RecordLocks)
            if (node.RecordNo == n) return true;
    } else if (a->LockState == LockFile || a->LockState == LockAppend) {
        return false;
    }
    if (SharedArea(*a) && !LockRegionRetry(a->File, RecordRegionOffset(*a, n), a->RecordLength)) return false;
    DropReadAhead(*a);
    a->RecordLocks.push_front(TRecordLock{n, 65535});
    a->RecordLockCount = static_cast<uint16_t>(a->RecordLocks.size());
    a->LockState = LockRecords;
    return true;
}

bool IsLocked(int32_t n)
{
    TWorkArea* a = LockArea("[IsLocked]");
    if (a == nullptr) return false;
    if (a->LockState == LockFile) return true;
    return std::any_of(a->RecordLocks.begin(), a->RecordLocks.end(),
                       [n](const TRecordLock& l) { return l.RecordNo == n; });
}

namespace
{

// Unlocks and removes one node; false when the unlock failed.
bool DropNode(TWorkArea& a, std::size_t index)
{
    const int32_t n = a.RecordLocks[index].RecordNo;
    uint32_t code = SharedArea(a) ? LockRegion(true, a.File, RecordRegionOffset(a, n), a.RecordLength) : 0;
    a.RecordLocks.erase(a.RecordLocks.begin() + static_cast<std::ptrdiff_t>(index));
    a.RecordLockCount = static_cast<uint16_t>(a.RecordLocks.size());
    if (a.RecordLocks.empty()) a.LockState = LockNone;
    if (code != 0) {
        dberror.DbErrorCode = static_cast<uint16_t>(code);
        return false;
    }
    return true;
}

void Record(uint16_t code, const std::string& text)
{
    dberror.DbErrorCode = code;
    dberror.DbErrorText = text;
}

} // namespace

bool UnlockRec(int32_t n)
{
    dberror.DbErrorCode = 0;
    TWorkArea* a = SelectedArea();
    if (a == nullptr) {
        Record(220, "[UnlockRec(" + std::to_string(n) + ")]");
        return false;
    }
    if (n >= 1) {
        for (std::size_t i = 0; i < a->RecordLocks.size(); ++i)
            if (a->RecordLocks[i].RecordNo == n) return DropNode(*a, i);
        Record(220, "Record not locked. [UnlockRec(" + std::to_string(n) + ")]");
        return false;
    }
    if (n == -2 || n == -1) {
        if (a->RecordLocks.empty()) {
            Record(220, "Record not locked. [UnlockRec(" + std::to_string(n) + ")]");
            return false;
        }
        return DropNode(*a, n == -2 ? 0 : a->RecordLocks.size() - 1);
    }
    if (n == -3) {
        bool ok = true;
        uint16_t lastCode = 0;
        while (!a->RecordLocks.empty()) {
            if (!DropNode(*a, 0)) {
                ok = false;
                lastCode = dberror.DbErrorCode;
            }
        }
        dberror.DbErrorCode = lastCode;
        return ok;
    }
    Record(220, "[UnlockRec(" + std::to_string(n) + ")]");
    return false;
}

void Unlock()
{
    dberror.DbErrorCode = 0;
    TWorkArea* a = SelectedArea();
    if (a == nullptr || a->IsVirtual || a->LockState == LockNone) return;
    if (a->LockState == LockRecords) {
        UnlockRec(-3);
    } else if (SharedArea(*a)) {
        int64_t length = a->LockState == LockFile ? dbcmd.FileLockLength : 1;
        dberror.DbErrorCode = static_cast<uint16_t>(LockRegion(true, a->File, FileRegionOffset(), length));
    }
    a->LockState = LockNone;
}

uint16_t ReopenFile(bool exclusive)
{
    TWorkArea* a = SelectedArea();
    if (a == nullptr) return 6;
    if (a->Exclusive && !a->ExclusiveByReopen) return 5;
    uint16_t code =
        a->File.SetShare(exclusive ? platform::TFileShare::DenyWrite : ShareOfMode(dbcmd.DefaultOpenMode));
    if (code == 0) {
        SetReadAhead(*a, true,
                     !exclusive && ShareOfMode(dbcmd.DefaultOpenMode) == platform::TFileShare::DenyNone);
        a->Exclusive = exclusive;
        a->ExclusiveByReopen = exclusive;
    }
    return code;
}
