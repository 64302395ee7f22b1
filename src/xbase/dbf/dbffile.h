#pragma once
// DBF file access: open a table and read its header, read and write single
// records, set the delete flag, commit the header, close, and create new
// tables with their empty memo files. Knows nothing of work areas, indexes,
// filters or locks; every failure goes through SetError.

#include "platform/sharedfile.h"
#include "xbase/core/filemap.h"
#include "xbase/dbf/dbfformat.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TDbfFile {
    bool FlushOnWrite = false;      // flush after every write, commit after every append
    bool CountFromFileSize = false; // record count from the file size at open
    uint8_t ExtraVersion = 0;
    uint8_t ExtraMemoVersion = 0;
    uint8_t MemoVersion = 0x8B; // version requested for new tables
    uint16_t MemoBlockSize = 512;
    uint16_t FileOpenMode = 18; // sharing mode of every file open

    TDbfExtraVersions Extras() const { return {ExtraVersion, ExtraMemoVersion}; }
};

extern TDbfFile dbffile;
void ResetDbfFile();

// File states of a table.
enum : uint8_t { FileClosed = 0, FileOpen = 1, FileChanged = 2, FileAppended = 3 };

// Record transform of a hook: the data part of a record (after the delete
// flag) and its length.
using TRecordHook = std::function<void(char* data, std::size_t length)>;

// Records read in one block ahead of the reader. While no other handle can
// write the table (an open that denies others write access) the block is
// what the file holds until this handle writes; every write through the
// table drops it. On a shared table others may write, so the block serves
// only the next record of a walk, read a moment earlier like any unlocked
// read; a jump or a second read of a record goes to the file, and the
// command layer drops the block when it takes a lock, so that what is read
// under the lock is what the file holds.
struct TReadAhead {
    bool On = false;
    bool Shared = false;    // others may write the table
    int64_t Start = 0;      // file offset of Bytes[0]
    std::string Bytes;      // empty when nothing is held
    int32_t LastRecord = 0; // record served last, to see a backward walk
    // While no other handle can write the table, a record read out of turn
    // is copied from a mapping of the file, taken at the first such read;
    // dropped when the file or its sharing changes.
    TFileMap Map;
};

// The table descriptor: the first part of a work area.
struct TDbfTable {
    std::string Name;      // full file name as opened
    std::string ShortName; // at most 12 characters
    uint8_t Header[32] = {};
    bool HasMemo = false;
    bool SkipDeleted = false;
    int16_t HeaderLength = 0;
    uint16_t RecordLength = 0;
    uint8_t FieldCount = 0;
    std::vector<TDbfField> Fields;
    uint8_t FileState = FileClosed;
    std::string Date;         // YYYYMMDD of the last update
    std::string RecordBuffer; // the current record exactly as in the file
    int32_t RecordCount = 0;
    int32_t RecordNumber = 0;
    bool AtEnd = false;
    bool AtBegin = false;
    uint16_t OpenMode = 0;
    bool OpenedByUse = false;
    bool OemText = false;
    TRecordHook WriteHook;
    TRecordHook ReadHook;
    platform::TSharedFile File;
    TReadAhead ReadAhead;
    TDbfLayout Layout = TDbfLayout::Standard;
    // Virtual tables: the operation for the virtual-file handler and its
    // argument, storage kind and ordering.
    uint8_t AreaNo = 0; // work area holding the table (0 = none)
    bool IsVirtual = false;
    uint8_t VirtualOp = 0;
    int32_t VirtualArg = 0;
    uint8_t StorageKind = 0;
    uint8_t Ordering = 0;
};

// Operation codes for the virtual-file handler.
enum : uint8_t {
    VirtualClose = 1,
    VirtualDelete = 2,
    VirtualRead = 3,
    VirtualOpen = 4,
    VirtualPack = 5,
    VirtualWrite = 8,
    VirtualRecall = 9
};

// Sharing of a run-time file mode: 0x40 in the sharing bits is "deny none",
// everything else keeps others from writing.
platform::TFileShare ShareOfMode(uint16_t mode);
bool ModeWrites(uint16_t mode);

bool OpenDbf(TDbfTable& table);
// Read-ahead of records: switched on or off, and told whether others may
// write the table; dropped by anything that writes the table's file other
// than through this file layer, and by a lock taken on a shared table.
void SetReadAhead(TDbfTable& table, bool on, bool shared = false);
void DropReadAhead(TDbfTable& table);
bool GetDbfRecord(TDbfTable& table, int32_t n);
bool PutDbfRecord(TDbfTable& table, int32_t n);
bool AppendDbfRecord(TDbfTable& table);
bool WriteDeleteFlag(TDbfTable& table, int32_t n);
// Writes the header of a changed or appended table (and, appended, the
// end-of-file byte when endOfFile allows it).
bool CommitHeader(TDbfTable& table, bool endOfFile = true);
bool CloseDbf(TDbfTable& table, bool endOfFile = true);
bool FlushFile(platform::TSharedFile& file);
// Creates a new table and leaves it closed; false (with the error set) when
// refused.
bool CreateDBF(TDbfTable& table, const std::string& name, const std::vector<TDbfField>& fields);
std::string MemoFileExt(uint8_t version);
// The memo file of a table: its name with the memo extension of the style,
// in the case of the table's own extension.
std::string MemoFileName(const std::string& tableName, uint8_t version);
bool CreateMemoFileHeader(const std::string& tableName, uint8_t version, uint16_t blockSize,
                          const std::string& tag);

// The record transforms, exposed for the command layer.
void ApplyReadTransform(TDbfTable& table, std::string& record);
void ApplyWriteTransform(TDbfTable& table, std::string& record);
// Byte offset of record n (1-based) in the file.
int64_t RecordPosition(const TDbfTable& table, int32_t n);
