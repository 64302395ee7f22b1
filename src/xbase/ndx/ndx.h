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
#include "xbase/core/filemap.h"
#include "xbase/ndx/ndxformat.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
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

// Pages of one index that no other handle can write, held in memory and
// found by page number: pages are numbered densely from 1, so a table of
// places beats hashing. The rest of the file is read through a read-only
// mapping of it, which the system keeps current with this handle's writes.
class THeldPages
{
  public:
    const TNdxPage* Find(uint32_t node) const
    {
        return node < place_.size() && place_[node] != 0 ? &pages_[place_[node] - 1] : nullptr;
    }
    TNdxPage* Find(uint32_t node)
    {
        return node < place_.size() && place_[node] != 0 ? &pages_[place_[node] - 1] : nullptr;
    }
    // Holds a page not held yet: every inner node (the levels every seek
    // passes, a small part of the file), leaves only while few are held.
    void Hold(uint32_t node, const TNdxPage& page, bool leaf);
    // Maps the whole pages of the open file, once until the next Clear.
    bool MapTried() const { return map_.Tried(); }
    void Map(int fd, int64_t fileBytes)
    {
        map_.Map(fd, fileBytes / static_cast<int64_t>(NdxPageSize) * static_cast<int64_t>(NdxPageSize));
    }
    // Copies a page from the mapping; false when the page lies beyond it
    // (written after the mapping) or the file could not be mapped.
    bool CopyMapped(uint32_t node, TNdxPage& page) const
    {
        const uint8_t* p =
            map_.At(static_cast<int64_t>(node) * static_cast<int64_t>(NdxPageSize), NdxPageSize);
        if (p == nullptr) return false;
        std::memcpy(page.data(), p, NdxPageSize);
        return true;
    }
    // Forgets every page and drops the mapping: before the file is cut
    // short, and when its pages are to be read again.
    void Clear()
    {
        place_.clear();
        pages_.clear();
        map_.Drop();
    }

  private:
    std::vector<uint32_t> place_; // page number -> place in pages_ + 1; 0 = not held
    std::vector<TNdxPage> pages_;
    TFileMap map_;
};

struct TIndexControl {
    uint8_t Order = 0; // the slot it was opened in
    platform::TSharedFile File;
    std::string FileName;
    TNdxHeader Header;
    std::string Expression; // normalized
    bool HeaderChanged = false;
    bool CharacterKey = true;
    bool AtBegin = false;
    bool AtEnd = false;
    bool SoundexKey = false;
    bool Descending = false;
    TCompiledExpr* KeyEvaluator = nullptr;
    TTzKeyMaker KeyMaker;
    void* KeyMakerData = nullptr;
    std::string CurrentKey; // key length bytes
    char ExprType = 'C';
    uint16_t ExprWidth = 0;
    uint8_t ExprDecimals = 0;
    bool HasCache = false;
    // The descent path to the current entry; empty until the first seek.
    std::vector<TNdxLevel> Path;
    // The library's descent count when this path was filled. Every index
    // keeps its own path, but a move tells from it whether another area or
    // order descended since, as it would have overwritten a single path.
    uint64_t PathFill = 0;
    // Pages read from an index that no other handle can write, kept as read
    // or as this handle last wrote them (a random seek then reads its leaf
    // only). Not kept for a shared index, whose pages others change, nor
    // with NOCACHE.
    bool HoldPages = false;
    THeldPages HeldPages;
    // Marked for rebuild: every anchor written carries the stale stamp.
    bool Stale = false;
};

// The node cache of an area's controlling index: pairs of (node, page), a hit
// moves one place toward the front, a miss with a full table reuses the last.
// A pair's page stays where it is stored; moving a pair moves its place.
struct TNodeCache {
    std::vector<uint32_t> Nodes;  // 0 = unused pair
    std::vector<uint32_t> Places; // page of pair p: Pages[Places[p]]
    std::vector<TNdxPage> Pages;
    void Clear() { std::fill(Nodes.begin(), Nodes.end(), 0u); }
    // Empty pairs, or none (no cache).
    void Assign(std::size_t pairs)
    {
        Nodes.assign(pairs, 0);
        Places.resize(pairs);
        for (std::size_t p = 0; p < pairs; ++p)
            Places[p] = static_cast<uint32_t>(p);
        Pages.assign(pairs, TNdxPage{});
    }
    TNdxPage& PageOf(std::size_t pair) { return Pages[Places[pair]]; }
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
    // Read and write locks asked for by the command layer and not yet
    // released; only the first and the last of a nest reach the semaphore.
    int ReadLocks = 0;
    int WriteLocks = 0;
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
    uint64_t PathFills = 0;    // descents started on any index
    bool ExactFind = false;    // pad search texts, compare whole keys
    uint32_t CacheSize = 4096; // node cache bytes of a controlling index
    int16_t SoundexLength = 4;
    uint16_t ExplicitOpenMode = 0; // 0 = none set
    bool WriteThrough = false;     // flush after every anchor write
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
// False when a key could not be moved and the orders were brought back to
// the record's old keys: the caller writes the old record back.
bool CompareKeys();

// ---- node access
bool GetNodePage(TIndexControl& ic, uint32_t node, TNdxPage& page);
bool WriteAnchorNode(TIndexControl& ic);
// The same, stamped with the given count of the table the index covers.
bool WriteAnchorNode(TIndexControl& ic, int32_t recordCount);
// Marks an open index for rebuild: the stale stamp goes into the anchor's
// stamp bytes, space the file already holds, so that the mark is written on
// a full disk too. The next open refuses or rebuilds the index.
bool MarkIndexStale(TIndexControl& ic);
// The same for an index file that is not open.
bool MarkIndexFileStale(const std::string& file);
bool ReadAnchorNodes();

// ---- semaphore file
enum : uint8_t { SemLogin = 0, SemLogout = 1, SemIncRead = 2, SemDecRead = 3, SemLock = 4, SemUnlock = 5 };
bool DatabaseSemaphore(uint8_t action);
void SetReadSemaphore(bool on);
void SetLockSemaphore(bool on);
// Another program changed the indexes since we last looked: headers re-read.
bool SemaphoreChanged();
std::string SemaphoreFileName(const std::string& table);
