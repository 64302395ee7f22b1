#pragma once
// The work-area command set: up to 33 numbered work areas (34 and 35 are the
// library's own), one of them selected; every command acts on the selected
// area. Each area holds one open table with its alias, its native record (the
// typed form of the current record), its locks, filter, WHILE condition and,
// through the hook tables, its indexes and memo file.

#include "foundation/types.h"
#include "xbase/core/dbhooks.h"
#include "xbase/dbf/dbffile.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// One record lock of a work area.
struct TRecordLock {
    int32_t RecordNo = 0;
    uint16_t Word = 65535;
};

struct TWorkArea : TDbfTable {
    uint8_t* NativeRecord = nullptr; // the caller's buffer or OwnedNative
    uint16_t NativeSize = 0;
    bool OwnsNative = false;
    std::vector<uint8_t> OwnedNative;
    std::function<bool()> FilterMethod;
    TExprHandle FilterExpr = nullptr;
    std::function<void()> Relation;
    std::string AliasName;
    std::function<bool()> WhileMethod;
    TExprHandle WhileExpr = nullptr;
    uint8_t LockState = 0; // 0 none, 1 file, 2 append, 3 record locks
    uint16_t RecordLockCount = 0;
    std::deque<TRecordLock> RecordLocks; // newest first
    std::vector<uint8_t> SwapBuffer;
    bool Exclusive = false;
    bool ExclusiveByReopen = false;      // ReopenFile made the area exclusive
    std::vector<uint16_t> NativeOffsets; // native address of each field (index 0 = field 1)
    // Per numeric field, as ReadNative left it: whether the field's text is
    // exactly what SField prints for its number, that text and the native
    // bytes made of it. While the native bytes are unchanged SField hands
    // out the text instead of printing the number again.
    struct TNumberAsRead {
        bool Printable = false;
        uint8_t Native[8] = {};
        std::string Text;
    };
    std::vector<TNumberAsRead> NumbersAsRead;
    // Per field, set for the number fields that a record begun blank (a new
    // record of a dataset) or an edit begun on a record holding them blank
    // has given no value: such a field whose native value is still 0 is
    // written blank, as an empty field, not as 0. Any record read clears them.
    std::vector<bool> BlankNumbers;
    // A walk through a table reads many records and looks at few of their
    // fields: navigation leaves the record's bytes as read and marks the
    // native record stale; it is made the first time someone asks for it.
    // Only areas that own their native record are left stale: a caller's
    // buffer is read directly and is always filled at once.
    bool NativeStale = false;
    // An exclusive open that counted whole records behind the header's count
    // (left by an appender killed before its close): the header's count and
    // the count taken, so that an index opened on the area can be checked
    // for the keys of those records. Both -1 otherwise.
    int32_t HeaderCountAtOpen = -1;
    int32_t CountAtOpen = -1;
};

// Lock states of an area.
enum : uint8_t { LockNone = 0, LockFile = 1, LockAppend = 2, LockRecords = 3 };

struct TPeekCache {
    std::vector<char> Buffer;
    std::string OwnerAlias;
    int32_t FirstRecord = 0;
    uint16_t Count = 0;
};

struct TDbCommands {
    TArray<std::unique_ptr<TWorkArea>, 1, 35> WorkAreas;
    uint8_t CurrentArea = 1;
    // Work areas and USE.
    bool SharedAccess = true;
    uint16_t DefaultOpenMode = 66;
    uint16_t ForcedOpenMode = 65535;
    bool AnsiTables = false;
    // Native record text forms.
    std::string LogicalChars = "NY";
    // Navigation.
    std::function<int32_t()> SkipHook;
    // Record changes.
    bool AutoIndexUpdate = true;
    bool ConfirmPack = false;
    uint32_t PeekCacheSize = 0;
    TPeekCache PeekCache;
    bool Packing = false;
    // Set by every Pack: the packed table took the old one's place (even when
    // Pack then failed), and the indexes could not be rebuilt after that.
    bool PackReplacedTable = false;
    bool PackIndexNotRebuilt = false;
    // Locks.
    uint32_t LockBase = 0x40000000;
    uint32_t FileLockLength = 0x3FFFFFFF;
    uint16_t RecordLockLimit = 0;
    uint8_t LockRetries = 0;
    uint8_t LockRetryDelay = 0;
    std::function<bool()> LockRetryCallback;
    // Called with the name of a step of a close or a Pack where the order of
    // the writes around it decides what another user, or the next open after
    // a crash, finds: "close: count refreshed", "pack: table copy written",
    // "pack: memo copy written", "pack: old memo kept", "pack: memo in
    // place", "pack: table in place", "pack: kept memo removed", "append:
    // record written" between an appended record and its keys, "key: old
    // page rewritten" after an index page was rewritten in place (at a split,
    // before its parent), and "index: keys taken back" before a failed
    // Append's or Replace's keys come out of the indexes again. Tests stop or
    // interleave there; the program sets nothing.
    std::function<void(const std::string& step)> StepSeam;
};

// Runs the step seam when one is set.
void PassStep(const std::string& step);

extern TDbCommands dbcmd;
// Drops every area without writing and restores the defaults.
void ResetDbCommands();

// The selected area, or null when it is free. Inline: every command and
// every field read of a walk asks for it.
inline TWorkArea* SelectedArea()
{
    if (dbcmd.CurrentArea < 1 || dbcmd.CurrentArea > 35) return nullptr;
    return dbcmd.WorkAreas[dbcmd.CurrentArea].get();
}
bool CheckDbInUse(const std::string& tag);

// ---- native record and fields
uint16_t NativeRecordSize(const TWorkArea& area);
void ComputeNativeOffsets(TWorkArea& area);
void ReadNative(TWorkArea& area);
// Makes the native record of a stale area (see NativeStale) from its bytes.
inline void EnsureNative(TWorkArea& area)
{
    if (area.NativeStale) ReadNative(area);
}
void WriteNative(TWorkArea& area);
// Field n (from 1) of the area's record has been given a value (blank false)
// or keeps the blank it holds until one is given (see BlankNumbers).
void MarkNumberBlank(TWorkArea& area, int n, bool blank);
// Field f of record rec holds blanks only (or lies past a record cut short).
bool StoredFieldBlank(const std::string& rec, const TDbfField& f);
// Every number field that the area's record holds blank stays blank when the
// record is written, unless it is given a value first.
void KeepBlankNumbers(TWorkArea& area);
void ClearRecord();
char FieldType(int n);
uint8_t FieldLen(int n);
uint8_t FieldDec(int n);
uint8_t* FieldAddress(int n);
std::string SField(int n);
bool Deleted();
std::string Field(int n);
uint8_t FieldNo(const std::string& name);
uint8_t FieldCount();
int32_t NativeInt32At(const uint8_t* address);
void SetNativeInt32At(uint8_t* address, int32_t value);
// Typed access to the native record of the selected area (field by number).
std::string GetNativeText(int n);
void SetNativeText(int n, const std::string& s);
double GetNativeDouble(int n);
void SetNativeDouble(int n, double v);
int32_t GetNativeInt(int n);
void SetNativeInt(int n, int32_t v);
bool GetNativeBool(int n);
void SetNativeBool(int n, bool v);
void SetNativeDeleted(bool on);

// ---- work areas
void Select(int n);
uint8_t CurrentAreaNo();
bool UseFile(const std::string& command, uint8_t* buffer = nullptr, uint16_t size = 0);
bool UseWithHooks(const std::string& command, uint8_t* buffer, uint16_t size, TRecordHook readHook,
                  TRecordHook writeHook);
void CloseArea();
void CloseAll();
std::string Alias();
std::function<void()> SetRelation(std::function<void()> proc);
void RunRelation();

// True when an index engine is installed and an index is open in the area.
bool IndexActive();

// ---- navigation
void GoTop();
void GoBottom();
void GO(int32_t n);
void SKIP(int32_t n);
void Dbf4RawGo(int32_t n);
void RawGoRelated(int32_t n);
bool dEOF();
bool dBOF();
void SetBOF();
void SetEOF();
void GoEOF();
int32_t RecCount();
int32_t RecNo();
uint16_t RecSize();
void RefreshCount();
bool IsVisible();
bool WhileHolds();
bool IsWhileOn();
bool SetIgnoreDel(bool on);
void TopOfScope();
void BottomOfScope();
bool GoIfValid(int32_t n);
bool RepositionIfHidden();

// ---- record changes
void Append();
void Replace();
void DeleteRec();
void RecallRec();
bool Pack();
// Pack() is PackTable(true). With false every record is kept: the table is
// rewritten whole with the new numbers of its memos (a memo file packed on
// its own), and the records keep their numbers.
bool PackTable(bool dropDeleted);
void Peek(int field, int32_t record, std::string& text);
void Poke(const std::string& text, int field, int32_t record);
void UpdatePeekCache();

// ---- locks
uint32_t LockRegion(bool unlock, platform::TSharedFile& file, int64_t offset, int64_t length);
bool LockRegionRetry(platform::TSharedFile& file, int64_t offset, int64_t length);
bool LockHeader();
void UnlockHeader();
// The append lock of the selected area's file, taken with the retry rules
// but outside the area's lock state (a close writing the header); released
// when the file is closed.
bool LockAppendRegion();
bool FLock();
bool ALock();
bool RLock();
bool IsLocked(int32_t n);
bool UnlockRec(int32_t n);
void Unlock();
uint16_t ReopenFile(bool exclusive);
