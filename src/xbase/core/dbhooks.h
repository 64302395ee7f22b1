#pragma once
// Hook tables through which the index engine, the memo files, the virtual
// files and the expression compiler plug into the work-area command set. The
// command set calls an entry only when it is set; each service fills its
// entries when the library starts. The comment after an entry gives its
// position in the table, which the index engine's installer follows.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Handle of a compiled expression (filter, WHILE condition, index key).
using TExprHandle = void*;

struct TDbHooks {
    std::function<bool()> IndexOpen;         // 0 an index is open in the current area
    std::function<void()> SyncOrder1;        // 1 synchronise order 1 with the current record
    std::function<int32_t()> NextKey;        // 2 record number of the next key
    std::function<int32_t()> PriorKey;       // 3 record number of the previous key
    std::function<int32_t()> FirstKey;       // 4 record number of the first key
    std::function<int32_t()> LastKey;        // 5 record number of the last key
    std::function<bool()> AtIndexEnd;        // 6 end test
    std::function<bool()> AtIndexBegin;      // 7 begin test
    std::function<void()> AppendNewKey;      // 8
    std::function<void()> RefreshCurrentKey; // 9 refresh the current key of order 1
    std::function<void()> SyncAllOrders;     // 10 synchronise order 1, refresh all keys
    // 11 record replaced: move changed keys; false when they could not be
    // moved and were brought back to the old record's keys.
    std::function<bool()> CompareKeys;
    std::function<void()> SetIndexBegin;   // 12
    std::function<void()> SetIndexEnd;     // 13
    std::function<bool*()> LastFindFound;  // 14 address of the "found" flag
    std::function<void()> Reindex;         // 15
    std::function<void()> CloseAllIndexes; // 16 close all indexes of the area
    // 17 is not set by any service.
    std::function<std::string(int)> IndexFileName;   // 18 index file name of an order
    std::function<std::string(int)> OrderKeyText;    // 19 key as text of an order
    std::function<std::string()> ControllingKeyText; // 20 key as text of the controlling order
    std::function<bool(int)> OrderAscending;         // 21 order is not DESCENDING
    std::function<bool(int)> OrderSoundex;           // 22 order is SOUNDEX
    std::function<void(bool)> SemaphoreReadLock;     // 23 on/off
    std::function<void(bool)> SemaphoreWriteLock;    // 24 on/off
};

// The expression compiler's services, in the order it publishes them.
struct TKeyMakerHooks {
    std::function<TExprHandle(const std::string&)> AssignExpr; // compile
    std::function<void(TExprHandle)> FreeExpr;                 // free
    std::function<std::string(TExprHandle)> EvaluateExpr;      // value as text
    std::function<std::string(TExprHandle)> ExprSourceText;    // source text
    // Logical value of a compiled condition for the current record; filters
    // and WHILE conditions use it.
    std::function<bool(TExprHandle)> EvaluateLogical;
};

// The packed copy of a table whose memo file is packed with it, before the
// copy takes the table's place: its records as the work area reads them, one
// field of a record written back, and the step that puts the copy in place
// of the table. The codes are the file system's, 0 when done.
struct TMemoPackTarget {
    int32_t RecordCount = 0;
    std::function<uint16_t(int32_t record, std::string& bytes)> ReadRecord;
    std::function<uint16_t(int32_t record, std::size_t offset, const std::string& text)> WriteField;
    // Makes the copy durable, before anything is replaced.
    std::function<uint16_t()> Flush;
    std::function<bool()> ReplaceTable;
    // The copy's file name, which becomes the table's.
    std::string CopyName;
};

// The memo service, in slot order.
struct TMemoHooks {
    // Reads the memo at a block of the current area through a memo text
    // file: its lines, joined where the memo has no hard return.
    std::function<bool(int32_t, std::vector<std::string>&)> AssignMemo; // 0
    // Packs the memo file into the packed copy of its table and puts both
    // in place.
    std::function<bool(TMemoPackTarget&)> PackMemofile;       // 1
    std::function<uint16_t(const std::string&)> OpenMemofile; // 2 table name -> error code
    std::function<void()> CloseMemofile;                      // 3
    // Copy the memo at a block of the source area's memo file into the
    // current area's memo file: source area, block -> new block.
    std::function<int32_t(uint8_t, int32_t)> CopyMemoByBlock;  // 4
    std::function<int32_t(uint8_t, int32_t)> CopyMemoByOffset; // 5
    std::function<bool()> RecreateMemofile;                    // 6
    std::function<int32_t(const std::string&)> AddMemo;        // 7
};

struct TDbHookTables {
    TDbHooks DbHooks;
    TKeyMakerHooks KeyMakerHooks;
    TMemoHooks MemoHooks;
    // The virtual-file handler: runs the operation stored in the given area.
    std::function<void(uint8_t)> VFileDriver;
};

extern TDbHookTables dbhooks;
void ResetDbHooks();
