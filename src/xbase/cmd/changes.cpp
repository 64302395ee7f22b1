// Record changes of the selected area: Append, Replace, delete and recall,
// Pack, and raw field access with Peek and Poke.
#include "xbase/cmd/dbcmd.h"

#include "foundation/codepage.h"
#include "foundation/signalcleanup.h"
#include "xbase/core/dberror.h"
#include "xbase/core/dbhooks.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

TDbHooks& Hooks()
{
    return dbhooks.DbHooks;
}

void Call(const std::function<void()>& f)
{
    if (f) f();
}

void WriteLock(bool on)
{
    if (Hooks().SemaphoreWriteLock) Hooks().SemaphoreWriteLock(on);
}

void ReportPending()
{
    if (dberror.PendingErrorCode != 0 && dberror.AutoReportErrors) ReportError();
}

// The current record may be changed: the area is exclusive, holds the file
// lock, or holds a record lock on it. An append lock is not enough.
bool MayChangeCurrent(const TWorkArea& a)
{
    if (a.Exclusive || !dbcmd.SharedAccess || a.LockState == LockFile) return true;
    if (a.LockState != LockRecords) return false;
    return std::any_of(a.RecordLocks.begin(), a.RecordLocks.end(),
                       [&a](const TRecordLock& l) { return l.RecordNo == a.RecordNumber; });
}

bool MayChangeRecord(const TWorkArea& a, int32_t n)
{
    if (a.Exclusive || !dbcmd.SharedAccess || a.LockState == LockFile) return true;
    return a.LockState == LockRecords && std::any_of(a.RecordLocks.begin(), a.RecordLocks.end(),
                                                     [n](const TRecordLock& l) { return l.RecordNo == n; });
}

std::string Quoted(const TWorkArea& a)
{
    return "Database \"" + FileNameToOem(a.AliasName) + "\"";
}

// The state of a table before an append, to take the append back.
struct TAppendUndo {
    bool Taken = false;
    int64_t Size = 0;
    std::vector<char> Tail; // the bytes the new record goes over
    int32_t Count = 0;
    int32_t Number = 0;
    bool AtBegin = false;
    bool AtEnd = false;
    uint8_t State = 0;
    void Take(TWorkArea& a)
    {
        Size = a.File.Size();
        if (Size < 0) return;
        const int64_t at = RecordPosition(a, a.RecordCount + 1);
        const int64_t n = std::clamp<int64_t>(Size - at, 0, a.RecordLength);
        Tail.resize(static_cast<std::size_t>(n));
        if (n > 0 && a.File.ReadAt(at, Tail.data(), Tail.size()) != static_cast<long>(n)) return;
        Count = a.RecordCount;
        Number = a.RecordNumber;
        AtBegin = a.AtBegin;
        AtEnd = a.AtEnd;
        State = a.FileState;
        Taken = true;
    }
    void Restore(TWorkArea& a)
    {
        DropReadAhead(a);
        const int64_t at = RecordPosition(a, Count + 1);
        if (!Tail.empty()) a.File.WriteAt(at, Tail.data(), Tail.size());
        a.File.Truncate(Size);
        a.RecordCount = Count;
        a.FileState = State;
        a.AtBegin = AtBegin;
        a.AtEnd = AtEnd;
        TKeepErrorState kept;
        if (Number >= 1 && Number <= Count && GetDbfRecord(a, Number)) {
            ReadNative(a);
        } else {
            a.RecordNumber = Count + 1;
            a.AtEnd = true;
        }
    }
};

} // namespace

void Append()
{
    dberror.DbErrorCode = 0;
    if (!CheckDbInUse("Append")) return;
    TWorkArea* a = SelectedArea();
    if (!a->Exclusive && dbcmd.SharedAccess && a->LockState != LockFile && a->LockState != LockAppend) {
        SetError(5, "File must be locked to append: " + FileNameToOem(a->Name) + " [APPEND]");
        return;
    }
    RefreshCount();
    WriteNative(*a);
    const bool index = IndexActive();
    if (index) WriteLock(true);
    // With indexes, what the record goes over (the end-of-file byte, a part
    // record) is kept, so that an append whose key could not be stored can
    // be taken back and leave the table as it was.
    TAppendUndo undo;
    if (index && !a->IsVirtual) undo.Take(*a);
    bool written;
    {
        TAutoReportOff quiet;
        written = AppendDbfRecord(*a);
        if (written) ReadNative(*a);
    }
    // Only this append's own failure keeps its key out: an error an earlier
    // command left unfetched says nothing about this record.
    if (index) {
        if (written) {
            PassStep("append: record written");
            dberror.DbErrorCode = 0;
            Call(Hooks().AppendNewKey);
            // Departs from keeping a record whose key is missing: the user is
            // told that the append failed, so the record goes too, and a find
            // of its key cannot miss a record the table holds.
            if (dberror.DbErrorCode != 0 && undo.Taken) undo.Restore(*a);
        }
        WriteLock(false);
    }
    a->AtBegin = a->AtEnd = false;
    ReportPending();
    RunRelation();
}

void Replace()
{
    dberror.DbErrorCode = 0;
    if (!CheckDbInUse("Replace")) return;
    TWorkArea* a = SelectedArea();
    if (a->RecordNumber <= 0) {
        SetError(212, Quoted(*a) + " is empty. [REPLACE]");
        return;
    }
    if (a->RecordNumber >= a->RecordCount + 1) {
        SetError(212, Quoted(*a) + " is at EOF. [REPLACE]");
        return;
    }
    const bool maintain = dbcmd.AutoIndexUpdate && IndexActive();
    if (!MayChangeCurrent(*a)) {
        SetError(1200, "Record #" + std::to_string(a->RecordNumber) + " in " + FileNameToOem(a->AliasName) +
                           " [REPLACE]");
        return;
    }
    if (maintain && !a->IsVirtual) {
        if (a->SwapBuffer.size() < a->NativeSize) {
            SetError(254, FileNameToOem(a->AliasName) + " " + "Swap-buffer NIL." + " [REPLACE]");
            return;
        }
        WriteLock(true);
        EnsureNative(*a);
        std::memcpy(a->SwapBuffer.data(), a->NativeRecord, a->NativeSize);
        const std::vector<bool> blank = a->BlankNumbers; // the record's, not the old keys' read
        if (!GetDbfRecord(*a, a->RecordNumber)) {
            WriteLock(false);
            return;
        }
        ReadNative(*a);
        Call(Hooks().SyncAllOrders);
        std::memcpy(a->NativeRecord, a->SwapBuffer.data(), a->NativeSize);
        a->BlankNumbers = blank;
    }
    // The record as stored, for an index that cannot take the new key.
    const std::string before = maintain ? a->RecordBuffer : std::string();
    WriteNative(*a);
    bool written;
    {
        TAutoReportOff quiet;
        written = PutDbfRecord(*a, a->RecordNumber);
        if (written) ReadNative(*a);
    }
    UpdatePeekCache();
    if (maintain) {
        if (written && Hooks().CompareKeys && !Hooks().CompareKeys() && !a->IsVirtual) {
            // The indexes were brought back to the old keys: the old record
            // goes back too, over the bytes just written in place, which needs
            // no new space. The failure's error stands.
            TKeepErrorState kept;
            a->RecordBuffer = before;
            if (PutDbfRecord(*a, a->RecordNumber)) ReadNative(*a);
            UpdatePeekCache();
            Call(Hooks().SyncAllOrders);
        }
        WriteLock(false);
    }
    ReportPending();
    RunRelation();
}

void DeleteRec()
{
    dberror.DbErrorCode = 0;
    if (!CheckDbInUse("DeleteRec")) return;
    TWorkArea* a = SelectedArea();
    if (!MayChangeCurrent(*a)) {
        SetError(1200, FileNameToOem(a->AliasName) + " " + "Record not locked " + "[DeleteRec]");
        return;
    }
    if (a->RecordNumber < 1 || a->RecordNumber > a->RecordCount) return;
    if (a->IsVirtual) {
        a->VirtualOp = VirtualDelete;
        a->VirtualArg = a->RecordNumber;
        if (dbhooks.VFileDriver) dbhooks.VFileDriver(a->AreaNo);
        return;
    }
    a->NativeRecord[0] = 1;
    a->RecordBuffer[0] = '*';
    if (WriteDeleteFlag(*a, a->RecordNumber)) UpdatePeekCache();
}

void RecallRec()
{
    dberror.DbErrorCode = 0;
    if (!CheckDbInUse("RecallRec")) return;
    TWorkArea* a = SelectedArea();
    if (!MayChangeCurrent(*a)) {
        SetError(1200, "Record not locked [RecallRec]");
        return;
    }
    RefreshCount();
    if (a->RecordNumber < 1 || a->RecordNumber > a->RecordCount) {
        SetError(1103, FileNameToOem(a->AliasName) + " at EOF [RecallRec]");
        return;
    }
    if (a->IsVirtual) {
        a->VirtualOp = VirtualRecall;
        a->VirtualArg = a->RecordNumber;
        if (dbhooks.VFileDriver) dbhooks.VFileDriver(a->AreaNo);
        return;
    }
    a->NativeRecord[0] = 0;
    a->RecordBuffer[0] = ' ';
    if (WriteDeleteFlag(*a, a->RecordNumber)) UpdatePeekCache();
}

namespace
{

// The records a Pack keeps, copied into a new file beside the table; the
// table stays whole until the copy takes its place, and a copy that never
// does is removed.
struct TTableCopy {
    std::string TempName;
    platform::TSharedFile File;
    int32_t Kept = 0;
    bool Removed = false;
    bool Durable = false; // flushed since the last write
    bool InPlace = false;
    TTableCopy() = default;
    TTableCopy(const TTableCopy&) = delete;
    TTableCopy& operator=(const TTableCopy&) = delete;
    ~TTableCopy()
    {
        if (TempName.empty() || InPlace) return;
        File.Close();
        ::unlink(TempName.c_str());
        UnmarkTempFile(TempName);
    }
};

// Writes the copy: the header with the new count, the records as stored
// (deleted ones left out when asked), the end-of-file byte.
bool WriteTableCopy(TWorkArea& a, bool dropDeleted, TTableCopy& copy)
{
    const std::string tag = "Error packing " + FileNameToOem(a.Name);
    struct stat st {
    };
    const bool haveMode = fstat(a.File.Fd(), &st) == 0;
    int fd = MakeTempFileBeside(a.Name, copy.TempName);
    if (fd < 0) {
        copy.TempName.clear();
        SetError(platform::DosErrorOf(errno), tag);
        return false;
    }
    if (haveMode) ::fchmod(fd, st.st_mode & 07777);
    platform::TSharedFile& out = copy.File;
    out.Adopt(fd, platform::TFileShare::DenyWrite);
    auto fail = [&](uint16_t code, const std::string& detail) {
        SetError(code, detail);
        return false;
    };
    const std::string readTag = "File:  " + FileNameToOem(a.Name) + "  [GetDbfRecord]";

    // Records are copied as stored, in chunks.
    const std::size_t rl = a.RecordLength;
    const int32_t chunkRecords = static_cast<int32_t>(std::max<std::size_t>(1, (1u << 16) / rl));
    std::vector<char> in(static_cast<std::size_t>(chunkRecords) * rl);
    std::vector<char> keep;
    keep.reserve(in.size());
    copy.Kept = 0;
    copy.Removed = false;
    int64_t writePos = a.HeaderLength;
    for (int32_t first = 1; first <= a.RecordCount; first += chunkRecords) {
        const int32_t n = std::min(chunkRecords, a.RecordCount - first + 1);
        const std::size_t bytes = static_cast<std::size_t>(n) * rl;
        if (a.File.ReadAt(RecordPosition(a, first), in.data(), bytes) != static_cast<long>(bytes))
            return fail(a.File.LastError() != 0 ? a.File.LastError() : 213, readTag);
        keep.clear();
        for (int32_t i = 0; i < n; ++i) {
            const char* rec = in.data() + static_cast<std::size_t>(i) * rl;
            if (dropDeleted && rec[0] == '*') {
                copy.Removed = true;
                continue;
            }
            keep.insert(keep.end(), rec, rec + rl);
            ++copy.Kept;
        }
        if (!keep.empty() &&
            out.WriteAt(writePos, keep.data(), keep.size()) != static_cast<long>(keep.size()))
            return fail(out.LastError() != 0 ? out.LastError() : 101, tag);
        writePos += static_cast<int64_t>(keep.size());
    }
    // The header counts the copy's records, so the copy is whole the moment
    // it takes the table's place.
    std::vector<char> header(static_cast<std::size_t>(a.HeaderLength));
    if (a.File.ReadAt(0, header.data(), header.size()) != static_cast<long>(header.size()))
        return fail(a.File.LastError() != 0 ? a.File.LastError() : 100, readTag);
    auto* h = reinterpret_cast<uint8_t*>(header.data());
    if (a.Layout == TDbfLayout::DBase2)
        PutLE16(h + 1, static_cast<uint16_t>(copy.Kept & 0xFFFF));
    else
        PutLE32(h + 4, static_cast<uint32_t>(copy.Kept));
    const char eof = static_cast<char>(DbfEndOfFile);
    if (out.WriteAt(0, header.data(), header.size()) != static_cast<long>(header.size()) ||
        out.WriteAt(writePos, &eof, 1) != 1)
        return fail(out.LastError() != 0 ? out.LastError() : 101, tag);
    return true;
}

// The copy takes the table's place; the area's handle becomes the copy's,
// held exclusively (the old file's handle and its locks go with it).
bool PutCopyInPlace(TWorkArea& a, TTableCopy& copy)
{
    const std::string tag = "Error packing " + FileNameToOem(a.Name);
    if (uint16_t code = copy.Durable ? 0 : copy.File.Flush(); code != 0) {
        SetError(code, tag);
        return false;
    }
    if (std::rename(copy.TempName.c_str(), a.Name.c_str()) != 0) {
        SetError(platform::DosErrorOf(errno), tag);
        return false;
    }
    UnmarkTempFile(copy.TempName);
    copy.InPlace = true;
    a.File = std::move(copy.File);
    SetReadAhead(a, true);
    PassStep("pack: table in place");
    return true;
}

// The copy seen by the memo pack: records read and memo numbers written in
// the copy, before it takes the table's place.
TMemoPackTarget MemoTarget(TWorkArea& a, TTableCopy& copy)
{
    TMemoPackTarget t;
    t.RecordCount = copy.Kept;
    t.ReadRecord = [&a, &copy](int32_t r, std::string& bytes) -> uint16_t {
        bytes.resize(a.RecordLength);
        const long got = copy.File.ReadAt(RecordPosition(a, r), bytes.data(), bytes.size());
        if (got != static_cast<long>(bytes.size())) return got < 0 ? copy.File.LastError() : 100;
        ApplyReadTransform(a, bytes);
        return 0;
    };
    t.WriteField = [&a, &copy](int32_t r, std::size_t offset, const std::string& text) -> uint16_t {
        // A memo number is digits and blanks, the same in both character
        // sets: it is written as it is, unless a record hook of the caller's
        // transforms the whole record.
        std::string bytes = text;
        int64_t at = RecordPosition(a, r) + static_cast<int64_t>(offset);
        if (a.ReadHook || a.WriteHook) {
            bytes.resize(a.RecordLength);
            at = RecordPosition(a, r);
            const long got = copy.File.ReadAt(at, bytes.data(), bytes.size());
            if (got != static_cast<long>(bytes.size())) return got < 0 ? copy.File.LastError() : 100;
            ApplyReadTransform(a, bytes);
            bytes.replace(offset, text.size(), text);
            ApplyWriteTransform(a, bytes);
        }
        const long put = copy.File.WriteAt(at, bytes.data(), bytes.size());
        if (put == static_cast<long>(bytes.size())) return 0;
        return put < 0 && copy.File.LastError() != 0 ? copy.File.LastError() : 101;
    };
    t.Flush = [&copy] {
        const uint16_t code = copy.File.Flush();
        copy.Durable = code == 0;
        return code;
    };
    t.ReplaceTable = [&a, &copy] { return PutCopyInPlace(a, copy); };
    t.CopyName = copy.TempName;
    return t;
}

} // namespace

bool Pack()
{
    return PackTable(true);
}

bool PackTable(bool dropDeleted)
{
    dberror.DbErrorCode = 0;
    if (!CheckDbInUse("Pack")) return false;
    TWorkArea* a = SelectedArea();
    dbcmd.PackReplacedTable = dbcmd.PackIndexNotRebuilt = false;
    // Whole records the file holds now, as a shared move counts them.
    auto recordsInFile = [a]() -> int32_t {
        const int64_t size = a->File.Size();
        if (size < a->HeaderLength || a->RecordLength == 0) return 0;
        return static_cast<int32_t>(std::min<int64_t>((size - a->HeaderLength) / a->RecordLength, INT32_MAX));
    };
    if (dropDeleted && a->RecordCount == 0 && (a->Exclusive || a->IsVirtual || recordsInFile() == 0))
        return true;
    bool reopened = false;
    auto finish = [&](bool result) {
        if (reopened) {
            uint16_t code = ReopenFile(false);
            if (code != 0)
                SetError(code, "Cannot re-open database sharable. " + FileNameToOem(a->Name) + " [Pack]");
        }
        RunRelation();
        return result;
    };
    if (!a->Exclusive) {
        uint16_t code = ReopenFile(true);
        if (code != 0) {
            SetError(code, "Cannot open database exclusively: " + FileNameToOem(a->Name) + " [Pack]");
            return finish(false);
        }
        reopened = true;
        // The old record and file locks belonged to the shared handle.
        a->RecordLocks.clear();
        a->RecordLockCount = 0;
        a->LockState = LockNone;
        // Departs from walking the count the area had (taken at USE or at its
        // last move): another user may have appended since, and a copy of
        // that many records would drop his. Now that nobody else writes, the
        // count is taken from the file, as a shared move takes it.
        if (!a->IsVirtual) a->RecordCount = recordsInFile();
    }
    if (dropDeleted && dbcmd.ConfirmPack && LibMessageBox("PACK " + FileNameToOem(a->Name), "Pack", 1) == 2)
        return finish(false);
    if (a->IsVirtual) {
        if (dropDeleted) {
            a->VirtualOp = VirtualPack;
            if (dbhooks.VFileDriver) dbhooks.VFileDriver(a->AreaNo);
        }
        return finish(true);
    }
    const bool flush = dbffile.FlushOnWrite;
    dbffile.FlushOnWrite = false;
    std::function<void()> relation = std::move(a->Relation);
    a->Relation = nullptr;
    auto restore = [&] {
        dbffile.FlushOnWrite = flush;
        a->Relation = std::move(relation);
    };
    const int32_t back = a->RecordNumber;
    TTableCopy copy;
    if (!WriteTableCopy(*a, dropDeleted, copy)) {
        restore();
        return finish(false);
    }
    PassStep("pack: table copy written");
    // With a memo file, the memo pack writes the new memo file and the new
    // numbers into the copy, then puts both in place one right after the
    // other, rather than rewriting the numbers of the packed table record by
    // record after its memo file was replaced: a crash or a failure then
    // leaves the old pair or the new pair, never records pointing into the
    // wrong memo file.
    bool memoPacked = true;
    if (a->HasMemo && dbhooks.MemoHooks.PackMemofile) {
        TMemoPackTarget target = MemoTarget(*a, copy);
        memoPacked = dbhooks.MemoHooks.PackMemofile(target);
    } else {
        PutCopyInPlace(*a, copy);
    }
    if (!copy.InPlace) {
        // Refused before anything was replaced: the table is as it was.
        restore();
        return finish(false);
    }
    dbcmd.PackReplacedTable = true;
    a->RecordCount = copy.Kept;
    a->FileState = FileAppended;
    restore();
    CommitHeader(*a);
    const bool stay = !dropDeleted && back >= 1 && back <= copy.Kept;
    if (copy.Kept == 0) {
        ClearRecord();
        a->AtBegin = a->AtEnd = true;
        a->RecordNumber = 0;
    } else if (GetDbfRecord(*a, stay ? back : 1)) {
        ReadNative(*a);
        a->AtBegin = a->AtEnd = false;
    }
    if (copy.Removed && dbcmd.PeekCache.OwnerAlias == a->AliasName) dbcmd.PeekCache = TPeekCache{};
    // The packed table is in place: its indexes are rebuilt even when the
    // memo part failed after that, rather than ending Pack at the memo
    // failure before the rebuild, as an index of the old record numbers would
    // send every find to another record. Records that keep their numbers
    // keep their index entries.
    // Departs from a Pack that says success whatever its rebuild did: an
    // index that could not be rebuilt (no room for it, say) still holds the
    // old record numbers, so Pack fails with the rebuild's error, the index
    // stays marked as stale for the next open, and the caller learns through
    // PackIndexNotRebuilt that the table itself was packed.
    bool indexed = true;
    if (dropDeleted && IndexActive() && Hooks().Reindex) {
        const uint16_t code = dberror.DbErrorCode; // a failed memo pack's, which stays the one told
        dberror.DbErrorCode = 0;
        dbcmd.Packing = true;
        Hooks().Reindex();
        dbcmd.Packing = false;
        indexed = dberror.DbErrorCode == 0;
        dbcmd.PackIndexNotRebuilt = !indexed;
        if (!memoPacked && indexed) dberror.DbErrorCode = code;
    }
    return finish(memoPacked && indexed);
}

void Peek(int field, int32_t record, std::string& text)
{
    text.clear();
    if (!CheckDbInUse("Peek")) return;
    TWorkArea* a = SelectedArea();
    if (a->IsVirtual) {
        SetError(1100, "Operation cannot be used on virtual files. [Peek]");
        return;
    }
    if (record < 1 || record > a->RecordCount || field < 0 || field > a->FieldCount) return;
    const std::size_t offset = field == 0 ? 0 : a->Fields[static_cast<std::size_t>(field - 1)].Offset;
    const std::size_t length = field == 0 ? 1 : a->Fields[static_cast<std::size_t>(field - 1)].Length;
    TPeekCache& cache = dbcmd.PeekCache;
    if (!cache.Buffer.empty() && cache.OwnerAlias != a->AliasName) cache = TPeekCache{};
    const std::string tag = "DBF: " + FileNameToOem(a->AliasName) + " [Peek(" + std::to_string(field) + "," +
                            std::to_string(record) + ")]";
    if (dbcmd.PeekCacheSize == 0) {
        std::string bytes(length, ' ');
        long got =
            a->File.ReadAt(RecordPosition(*a, record) + static_cast<int64_t>(offset), bytes.data(), length);
        if (got != static_cast<long>(length)) {
            SetError(got < 0 ? a->File.LastError() : 100, tag);
            return;
        }
        text = bytes;
        return;
    }
    if (cache.Buffer.empty() || record < cache.FirstRecord || record >= cache.FirstRecord + cache.Count) {
        std::size_t size = std::min<std::size_t>({dbcmd.PeekCacheSize, 65520});
        std::size_t records = size / a->RecordLength;
        records = std::min<std::size_t>(records, static_cast<std::size_t>(a->RecordCount - record + 1));
        if (records == 0) {
            SetError(217, "Insufficient memory for cache [Peek]");
            return;
        }
        cache.Buffer.assign(records * a->RecordLength, ' ');
        long got = a->File.ReadAt(RecordPosition(*a, record), cache.Buffer.data(), cache.Buffer.size());
        if (got <= 0) {
            uint16_t code = got < 0 ? a->File.LastError() : 100;
            cache = TPeekCache{};
            SetError(code, tag);
            return;
        }
        cache.Count = static_cast<uint16_t>(static_cast<std::size_t>(got) / a->RecordLength);
        cache.OwnerAlias = a->AliasName;
        cache.FirstRecord = record;
        if (cache.Count == 0) {
            cache = TPeekCache{};
            SetError(100, tag);
            return;
        }
    }
    const std::size_t at = static_cast<std::size_t>(record - cache.FirstRecord) * a->RecordLength + offset;
    text.assign(cache.Buffer.data() + at, length);
}

void Poke(const std::string& text, int field, int32_t record)
{
    if (!CheckDbInUse("Poke")) return;
    TWorkArea* a = SelectedArea();
    const std::string bracket =
        "[Poke(" + text + "," + std::to_string(field) + "," + std::to_string(record) + ")]";
    if (a->IsVirtual) {
        SetError(1100, "Operation cannot be used on virtual files." + bracket);
        return;
    }
    // A raw write would leave the keys of open indexes behind the record:
    // with an index open the change must go through Replace.
    if (IndexActive()) {
        SetError(1103, "Indexes are open: use Replace to keep them current " + bracket);
        return;
    }
    if (dbcmd.SharedAccess && !a->Exclusive && a->LockState != LockFile && !MayChangeRecord(*a, record)) {
        SetError(1200, "Record not locked " + bracket);
        return;
    }
    if (record < 1 || record > a->RecordCount || field < 0 || field > a->FieldCount) return;
    const std::size_t offset = field == 0 ? 0 : a->Fields[static_cast<std::size_t>(field - 1)].Offset;
    const std::size_t length =
        field == 0
            ? 1
            : std::min<std::size_t>(text.size(), a->Fields[static_cast<std::size_t>(field - 1)].Length);
    const std::size_t n = std::min(length, text.size());
    if (n == 0) return;
    DropReadAhead(*a);
    long put = a->File.WriteAt(RecordPosition(*a, record) + static_cast<int64_t>(offset), text.data(), n);
    if (put != static_cast<long>(n)) {
        SetError(101, bracket);
        return;
    }
    TPeekCache& cache = dbcmd.PeekCache;
    if (!cache.Buffer.empty() && cache.OwnerAlias == a->AliasName && record >= cache.FirstRecord &&
        record < cache.FirstRecord + cache.Count) {
        std::size_t at = static_cast<std::size_t>(record - cache.FirstRecord) * a->RecordLength + offset;
        std::memcpy(cache.Buffer.data() + at, text.data(), n);
    }
}

void UpdatePeekCache()
{
    TWorkArea* a = SelectedArea();
    TPeekCache& cache = dbcmd.PeekCache;
    if (a == nullptr || cache.Buffer.empty() || cache.OwnerAlias != a->AliasName) return;
    const int32_t record = a->RecordNumber;
    if (record < cache.FirstRecord || record >= cache.FirstRecord + cache.Count) return;
    // The cache holds the bytes as stored, so it gets the record in its
    // stored form.
    std::string stored = a->RecordBuffer;
    stored.resize(a->RecordLength, ' ');
    ApplyWriteTransform(*a, stored);
    std::memcpy(cache.Buffer.data() + static_cast<std::size_t>(record - cache.FirstRecord) * a->RecordLength,
                stored.data(), a->RecordLength);
}
