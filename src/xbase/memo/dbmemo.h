#pragma once
// Memo files: the texts of a table's memo fields kept in a second file beside
// the table (".DBT" in the two dBASE styles, ".FPT" in the FoxPro style),
// the record holding only the number of the block where a text starts. This
// unit opens, locks, pads and closes the memo file of a work area, reads a
// memo into the memo line array, writes memos (with reuse of freed blocks in
// the dBASE IV style), copies memos between styles and packs a memo file.

#include "platform/sharedfile.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Memo styles by the table's version byte.
enum : uint8_t { MemoDbase3 = 0x83, MemoDbase4 = 0x8B, MemoDbase4Sql = 0x8C, MemoFox = 0xF5 };

// A text filter of a work area: transforms a buffer of bytes in place.
using TMemoFilter = std::function<void(char* buffer, std::size_t length)>;

// The one open BLOB stream of a memo file. The data of a memo being read is
// taken whole at the first access (so that the text-or-binary decision sees
// all of it); the data of a memo being written is kept until the stream is
// finished, then written in one piece.
struct TBlobDescriptor {
    bool Active = false;
    uint8_t Mode = 0;  // 1 read, 2 write
    int32_t Size = -1; // -1 while unknown (a dBASE III memo being read)
    uint32_t DataStart = 0;
    uint32_t HeaderSize = 0; // 0 or 8
    uint32_t Position = 0;
    uint32_t Block = 0;
    int32_t TextMode = -1; // -1 decide from the data, 0 binary, 1 text
    bool Loaded = false;   // Data holds the memo being read
    std::string Data;      // the bytes read or written
    std::vector<std::pair<std::size_t, uint8_t>>
        Pieces; // written pieces: end offset, 0 binary, 1 text, 2 to decide
};

struct TMemoFile {
    platform::TSharedFile File;
    std::string Name;
    uint8_t MemoType = MemoDbase4;
    uint16_t BlockSize = 512;
    bool Locked = false;
    // Memo texts written since the file was last made durable. A memo is
    // not forced to the disk one by one (that cost a disk round trip per
    // memo); the file is made durable when it is closed, as the table is.
    bool Unflushed = false;
    TBlobDescriptor Blob;
};

// After a memo text is written: forced to the disk at once where every
// write is (the table's flush-on-write setting), otherwise at close.
void MemoWritten(TMemoFile& m);

// Memo state of one work area: its memo file and the two optional filters.
struct TMemoArea {
    std::unique_ptr<TMemoFile> Memo;
    TMemoFilter WriteFilter;
    TMemoFilter ReadFilter;
};

// Line ends recorded per memo line.
enum : uint8_t { MemoLineSoft = 141, MemoLineHard = 13, MemoLineNone = 0 };

struct TDbMemo {
    uint16_t MaxMemoLines = 1024; // initial capacity of the line array
    bool MemoWrap = false;
    uint16_t MemoWidth = 78;
    uint16_t MemoIOSize = 512;
    // The line array, lines 1..; an absent line is no line. Empty when not
    // allocated. A memo with more lines than MaxMemoLines grows the array:
    // a memo is never cut.
    std::vector<std::optional<std::string>> MemoLines;
    // Per line the byte that ended it (13, 141 or 0); empty when absent.
    std::vector<uint8_t> MemoLineEnds;
    int32_t MemoLineCount = 1;
    // Lines that GetMemo or a memo text file split because they were full
    // (not at a break): they are joined again when the lines are written.
    std::vector<uint8_t> MemoLineWrapped;
    std::array<TMemoArea, 36> Areas; // by work-area number 1..35
};

extern TDbMemo dbmemo;
// Closes every memo file and restores the defaults.
void ResetDbMemo();
// Fills the memo entries of the hook table.
void InstallMemoHooks();

// Memo state of the selected work area (never null for 1..35).
TMemoArea& CurrentMemoArea();
TMemoFile* CurrentMemoFile();

// ---- formats
uint8_t GetMemoType();
bool IsDbase4Style(uint8_t type);
// Block count of a stored memo whose header length field (8 + text length)
// is given: the blocks its bytes reach into.
uint32_t BlocksOfBytes(uint64_t bytes, uint16_t blockSize);
// The first 8 bytes of a block are the dBASE IV memo header FF FF 08 00.
bool IsDbase4MemoHeader(const uint8_t* p);

// ---- files
bool CreateMemofile(const std::string& tableName);
uint16_t OpenMemofile(const std::string& tableName);
void CloseMemofile();
bool RecreateMemofile(const std::string& tableName);
bool LockMemo(TMemoFile& m);
void UnlockMemo(TMemoFile& m);
int64_t LockMemoPadAndSeekEOF(const std::string& tag);
bool MainHeaderWrite(uint32_t nextFree);
bool UpdateMemoHeader();

// ---- memo lines
bool AllocateMemoLines();
// Stores a line as the caller's line n (1-based), ended by a hard return.
void StoreMemoLine(int32_t n, const std::string& text);
void FreeMemoLine(int32_t n);
// Marks line n as split because it was full (joined with the next one when
// the lines are written).
void MarkWrapped(int32_t n, bool wrapped);
void ClearMemoLines(bool freeArray);
std::string MemoLine(int32_t n);
// Reads the memo at the block into the line array; maxLines 0: no limit.
bool GetMemo(int32_t block, uint8_t maxLines = 0);
// The whole text of the memo at the block of the selected area ("" when
// none); false with the error set when it cannot be read.
bool ReadMemoText(int32_t block, std::string& text);

// ---- writing
int32_t AddMemo(const std::string& text);
int32_t EditMemoCloseMemo(int32_t oldBlock);
// The dBASE IV free chain of the selected area's memo file.
bool FreeBlocks(uint32_t first, uint64_t bytes);
uint32_t FindFreeBlocks(uint32_t needed, uint32_t oldBlock, const std::string& tag);
int32_t CopyMemo(uint8_t sourceArea, int32_t block, bool byOffset);
// Packs the memo file of the selected area, the table rewritten with the
// new numbers (every record kept).
bool PackMemofile();
// The memo part of a Pack: the new memo file and the new numbers in the
// table's packed copy, then both put in place.
struct TMemoPackTarget;
bool PackMemofileInto(TMemoPackTarget& target);

// ---- internal helpers shared by the memo units
namespace memo_detail
{
// The step file of a memo Pack, name.$MP beside the memo file: written and
// synced before the Pack's first rename, removed after its last. It names
// the files (device and inode) of the old and the new memo file and of the
// old and the new table, so that an open after a crash in between tells
// which of the two replacements took place.
struct TPackStep {
    uint64_t Device[4] = {};
    uint64_t Inode[4] = {}; // old memo, new memo, old table, new table
};
std::string PackStepName(const std::string& memoName);
uint16_t WritePackStep(const std::string& memoName, const TPackStep& step);
bool ReadPackStep(const std::string& memoName, TPackStep& step);
// The alias of the selected area as the messages name it (code page 437).
std::string AliasOf();
std::string RecordText();
void MemoError(uint16_t code, const std::string& detail);
uint32_t ReadBE32(const uint8_t* p);
void PutBE32(uint8_t* p, uint32_t v);
bool WriteGroupHeader(TMemoFile& m, uint32_t block, uint32_t length);
bool WriteFiltered(platform::TSharedFile& f, int64_t offset, const std::string& data,
                   const TMemoFilter& filter);
// Text of the memo at an offset of a memo file of the given style (the
// layout decided per memo); header tells whether it had the 8-byte header.
// Codes: 0, 30 short read, 1003 beyond the end.
uint16_t ReadStoredMemo(TMemoFile& m, uint8_t style, int64_t offset, const TMemoFilter& filter,
                        bool stopAtZero, std::string& text, bool& header);
} // namespace memo_detail
