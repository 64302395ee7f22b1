#pragma once
// The index engine: up to sixteen open index files per work area (slot 1
// controls the order of GO TOP, SKIP and Find, the others are kept current),
// node access with a descent path and a small node cache, seeks and moves in
// index order, key maintenance with page splits, the bottom-up build, and the
// semaphore file through which programs sharing a table exclude each other
// while they read or change its indexes. The work-area command set reaches
// the engine through the index hooks that IndexInit installs.

#include "foundation/types.h"
#include "platform/sharedfile.h"
#include "xbase/ndx/ndxformat.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

struct TCompiledExpr;

// Key callback of a key-maker index: returns the key text of the current
// record; its user data is passed back.
using TTzKeyMaker = std::function<std::string(void* data)>;

// One level of the descent path of an index: the node, a copy of it, and the
// entry (leaf) or child (inner node, k = rightmost) taken in it.
struct TNdxLevel {
    uint32_t Node = 0;
    TNdxPage Page{};
    int Index = 0;
};

struct TIndexControl {
    uint8_t Order = 0;                // the slot it was opened in
    platform::TSharedFile File;
    std::string FileName;
    TNdxHeader Header;
    std::string Expression;           // normalized
    bool HeaderChanged = false;
    bool CharacterKey = true;
    bool AtBegin = false;
    bool AtEnd = false;
    bool SoundexKey = false;
    bool Descending = false;
    TCompiledExpr* KeyEvaluator = nullptr;
    TTzKeyMaker KeyMaker;
    void* KeyMakerData = nullptr;
    std::string CurrentKey;           // key length bytes
    char ExprType = 'C';
    uint16_t ExprWidth = 0;
    uint8_t ExprDecimals = 0;
    bool HasCache = false;
    // The descent path to the current entry; empty until the first seek.
    std::vector<TNdxLevel> Path;
    // Pages read from an index that no other handle can write, kept as read
    // or as this handle last wrote them (a random seek then reads about one
    // page instead of one per level). Not kept for a shared index, whose
    // pages others change, nor with NOCACHE.
    bool HoldPages = false;
    std::unordered_map<uint32_t, TNdxPage> HeldPages;
};

// The node cache of an area's controlling index: pairs of (node, page), a hit
// moves one place toward the front, a miss with a full table reuses the last.
struct TNodeCache {
    std::vector<uint32_t> Nodes;      // 0 = unused pair
    std::vector<TNdxPage> Pages;
    void Clear() { std::fill(Nodes.begin(), Nodes.end(), 0u); }
};

// Per work area, while logged on to the semaphore file.
struct TSemaphoreRecord {
    platform::TSharedFile File;
    std::string FileName;
    uint8_t LastRecord[4] = {};
    uint16_t LastSeen = 0;
    bool RegionLocked = false;
    bool CountedAsReader = false;
    int ReadNesting = 0;
    int WriteNesting = 0;
};

struct TAreaIndexes {
    TArray<std::unique_ptr<TIndexControl>, 1, 16> Slots;
    bool Natural = false;
    TNodeCache Cache;
    std::unique_ptr<TSemaphoreRecord> Semaphore;
};

// Index information read from a file's anchor without opening it.
struct TIndexInfo {
    std::string Expression;
    uint8_t KeyLength = 0;
    char KeyType = ' ';
    std::string TableName;
    int32_t RecordCount = -1;
};

struct TNdx {
    TArray<TAreaIndexes, 1, 35> Areas;
    bool LastFindFound = false;
    bool ExactFind = false;               // pad search texts, compare whole keys
    uint32_t CacheSize = 4096;            // node cache bytes of a controlling index
    int16_t SoundexLength = 4;
    uint16_t ExplicitOpenMode = 0;        // 0 = none set
    bool WriteThrough = false;            // flush after every anchor write
    // Progress callback of a build and the number of calls it should get.
    std::function<void()> Progress;
    int32_t ProgressCalls = 0;
    // Seconds a writer waits for the readers to leave.
    int WriterTimeoutSeconds = 100;
    // Counters the tests read: node pages read from index files.
    uint64_t NodeFileReads = 0;
    bool Installed = false;
};

extern TNdx ndx;
// Closes nothing; forgets every index and restores the defaults.
void ResetNdx();

// ---- start-up and hooks
void IndexInit();
void IndexDone();

// ---- building
// Disk space a build needs, in KBytes (rounded up): the sorted pairs and
// every level of the tree.
int64_t MakeIndexSpaceKB(int64_t records, int keyLength);
bool MakeIndex(const std::string& file, const std::string& expression);
bool MakeIndexCB(const std::string& file, TTzKeyMaker keyMaker, void* data);
void Index_On(const std::string& expression, const std::string& file);
void Index_OnCB(const std::string& file, TTzKeyMaker keyMaker, void* data);

// ---- index list of the current area
bool SetIndexTo(const std::string& file, int order, TTzKeyMaker keyMaker = nullptr, void* data = nullptr);
void Set_Index_To(const std::string& list);
void Set_Index_ToCB(const std::string& file, TTzKeyMaker keyMaker, void* data);
void Set_Order_To(int n);
int CurrentOrder();
void Reindex();
bool IndexInfo(const std::string& file, TIndexInfo& info);
void CloseIndex(int order);
void CloseAllIndexes();
bool IndexIsOpen();

// ---- searching and moving
void Find(const std::string& s);
bool SyncIndex(bool allOrders);
int32_t FirstKeyRecord();
int32_t LastKeyRecord();
int32_t NextKeyRecord();
int32_t PriorKeyRecord();
std::string OrderKeyText(int order);
// Key of the current record for an order, as stored.
std::string RecordKey(int order);
// The control record of an order of the current area (slot 1 = controlling).
TIndexControl* IndexOfSlot(int slot);
TIndexControl* IndexOfOrder(int order);

// ---- key maintenance
int AppendIndex(const std::string& key, int slot);
int RemoveKey(const std::string& key, int slot, int32_t record);
void AppendNewKey();
void CompareKeys();

// ---- node access
bool GetNodePage(TIndexControl& ic, uint32_t node, TNdxPage& page);
bool WriteAnchorNode(TIndexControl& ic);
bool ReadAnchorNodes();

// ---- semaphore file
enum : uint8_t { SemLogin = 0, SemLogout = 1, SemIncRead = 2, SemDecRead = 3, SemLock = 4, SemUnlock = 5 };
bool DatabaseSemaphore(uint8_t action);
void SetReadSemaphore(bool on);
void SetLockSemaphore(bool on);
// Another program changed the indexes since we last looked: headers re-read.
bool SemaphoreChanged();
std::string SemaphoreFileName(const std::string& table);
