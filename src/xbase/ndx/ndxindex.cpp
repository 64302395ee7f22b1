// Node access, seeks and moves in index order. The keys are kept up to date
// (insertion with page splits, removal) in ndxupdate.cpp.
#include "foundation/codepage.h"
#include "xbase/ndx/ndx.h"
#include "xbase/ndx/ndxinternal.h"

#include "xbase/cmd/dbcmd.h"
#include "xbase/core/dberror.h"
#include "xbase/core/dbhooks.h"
#include "xbase/core/dbkeys.h"
#include "xbase/core/dbstrings.h"
#include "xbase/expr/dbexpr.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

TNdx ndx;

std::string KeyAt(const TIndexControl& ic, const TNdxPage& page, int i)
{
    return std::string(reinterpret_cast<const char*>(NodeKey(page, ic.Header, i)),
                       static_cast<std::size_t>(ic.Header.KeyLength));
}

void CorruptError(const TIndexControl& ic, const char* routine)
{
    SetError(254, "Index file corrupted. " + FileNameToOem(ic.FileName) + " [" + routine + "]");
}

namespace
{

const uint8_t* U(const std::string& s)
{
    return reinterpret_cast<const uint8_t*>(s.data());
}

// First entry at or after key (lower) or after key (upper): 0..k.
int SearchNode(const TIndexControl& ic, const TNdxPage& page, const std::string& key, bool upper)
{
    int lo = 0;
    int hi = NodeKeyCount(page);
    while (lo < hi) {
        int mid = (lo + hi) / 2;
        int c = CompareNdxKeys(ic.Header, NodeKey(page, ic.Header, mid), U(key));
        if (c < 0 || (upper && c == 0))
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

bool IsCacheOwner(const TIndexControl& ic)
{
    TAreaIndexes& ai = CurrentIndexes();
    return ai.Slots[1].get() == &ic && !ai.Cache.Nodes.empty();
}

void CacheStore(TIndexControl& ic, uint32_t node, const TNdxPage& page, bool onlyIfPresent)
{
    if (!IsCacheOwner(ic)) return;
    TNodeCache& c = CurrentIndexes().Cache;
    std::size_t n = c.Nodes.size();
    for (std::size_t p = 0; p < n; ++p) {
        if (c.Nodes[p] == node) {
            c.PageOf(p) = page;
            return;
        }
        if (c.Nodes[p] == 0) {
            if (onlyIfPresent) return;
            c.Nodes[p] = node;
            c.PageOf(p) = page;
            return;
        }
    }
    if (onlyIfPresent) return;
    c.Nodes[n - 1] = node;
    c.PageOf(n - 1) = page;
}

bool CacheLookup(TIndexControl& ic, uint32_t node, TNdxPage& page)
{
    if (!IsCacheOwner(ic)) return false;
    TNodeCache& c = CurrentIndexes().Cache;
    for (std::size_t p = 0; p < c.Nodes.size() && c.Nodes[p] != 0; ++p) {
        if (c.Nodes[p] == node) {
            page = c.PageOf(p);
            if (p > 0) {
                std::swap(c.Nodes[p], c.Nodes[p - 1]);
                std::swap(c.Places[p], c.Places[p - 1]);
            }
            return true;
        }
    }
    return false;
}

} // namespace

TAreaIndexes& CurrentIndexes()
{
    return ndx.Areas[dbcmd.CurrentArea];
}

TIndexControl* IndexOfSlot(int slot)
{
    if (slot < 1 || slot > 16 || dbcmd.CurrentArea < 1 || dbcmd.CurrentArea > 35) return nullptr;
    return CurrentIndexes().Slots[slot].get();
}

TIndexControl* IndexOfOrder(int order)
{
    for (int s = 1; s <= 16; ++s) {
        TIndexControl* ic = IndexOfSlot(s);
        if (ic != nullptr && ic->Order == order) return ic;
    }
    return nullptr;
}

bool IndexIsOpen()
{
    if (dbcmd.CurrentArea < 1 || dbcmd.CurrentArea > 35) return false;
    for (int s = 1; s <= 16; ++s)
        if (IndexOfSlot(s) != nullptr) return true;
    return false;
}

// ---------------------------------------------------------------- node access

bool GetNodePage(TIndexControl& ic, uint32_t node, TNdxPage& page)
{
    if (node == 0) {
        SetError(254, "Invalid Node Number (0) in DBF Area " + std::to_string(dbcmd.CurrentArea) +
                          ", Order " + std::to_string(ic.Order) + " " + FileNameToOem(ic.FileName) +
                          " [GetNode]");
        return false;
    }
    if (node >= ic.Header.NextFree) {
        CorruptError(ic, "GetNode");
        return false;
    }
    for (const TNdxLevel& l : ic.Path) {
        if (l.Node == node) {
            page = l.Page;
            return true;
        }
    }
    if (CacheLookup(ic, node, page)) return true;
    if (const TNdxPage* held = ic.HeldPages.Find(node)) {
        page = *held;
        return true;
    }
    // Held, the file changes only through this handle: a page is copied from
    // the mapping instead of a system call per read.
    long n = static_cast<long>(NdxPageSize);
    if (ic.HoldPages && !ic.HeldPages.MapTried()) ic.HeldPages.Map(ic.File.Fd(), ic.File.Size());
    if (!ic.HoldPages || !ic.HeldPages.CopyMapped(node, page))
        n = ic.File.ReadAt(static_cast<int64_t>(node) * static_cast<int64_t>(NdxPageSize), page.data(),
                           NdxPageSize);
    ++ndx.NodeFileReads;
    if (n != static_cast<long>(NdxPageSize)) {
        uint16_t code = n < 0 ? ic.File.LastError() : 100;
        SetError(code == 0 ? 100 : code,
                 "Error reading index file: " + FileNameToOem(ic.FileName) + " [SeekAndRead]");
        return false;
    }
    if (!NodeWellFormed(page, ic.Header)) {
        CorruptError(ic, "GetNode");
        return false;
    }
    CacheStore(ic, node, page, false);
    if (ic.HoldPages) ic.HeldPages.Hold(node, page, NodeIsLeaf(page, ic.Header));
    return true;
}

void THeldPages::Hold(uint32_t node, const TNdxPage& page, bool leaf)
{
    // About 1 MiB of leaves; inner nodes up to 8 MiB, enough for the upper
    // levels of an index of some ten million keys.
    constexpr std::size_t kMaxWithLeaves = 2048;
    constexpr std::size_t kMaxHeld = 16384;
    if (pages_.size() >= (leaf ? kMaxWithLeaves : kMaxHeld) || Find(node) != nullptr) return;
    if (node >= place_.size())
        place_.resize(std::max<std::size_t>(std::size_t{node} + 1, place_.size() * 2), 0);
    pages_.push_back(page);
    place_[node] = static_cast<uint32_t>(pages_.size());
}

bool WriteNodePage(TIndexControl& ic, uint32_t node, const TNdxPage& page)
{
    for (TNdxLevel& l : ic.Path)
        if (l.Node == node) l.Page = page;
    CacheStore(ic, node, page, true);
    if (TNdxPage* held = ic.HeldPages.Find(node)) *held = page;
    long n = ic.File.WriteAt(static_cast<int64_t>(node) * static_cast<int64_t>(NdxPageSize), page.data(),
                             NdxPageSize);
    if (n != static_cast<long>(NdxPageSize)) {
        uint16_t code = ic.File.LastError();
        SetError(code == 0 ? 101 : code,
                 "Error writing index file: " + FileNameToOem(ic.FileName) + " [SeekAndWrite]");
        return false;
    }
    return true;
}

bool WriteAnchorNode(TIndexControl& ic)
{
    const TWorkArea* a = SelectedArea();
    return WriteAnchorNode(ic, a != nullptr ? a->RecordCount : 0);
}

bool WriteAnchorNode(TIndexControl& ic, int32_t recordCount)
{
    TWorkArea* a = SelectedArea();
    std::string table = a != nullptr ? a->Name : std::string();
    std::size_t slash = table.find_last_of('/');
    if (slash != std::string::npos) table = table.substr(slash + 1);
    std::string expr = ic.Expression;
    if (a != nullptr && a->OemText) expr = StrAnsiToOem(expr);
    TNdxPage page = BuildAnchorPage(ic.Header, expr, ic.Stale ? NdxStaleStamp : recordCount, table);
    if (ic.File.WriteAt(0, page.data(), NdxPageSize) != static_cast<long>(NdxPageSize)) {
        IndexError(ic.File.LastError() == 0 ? 101 : ic.File.LastError(),
                   "Error writing index file:  " + FileNameToOem(ic.FileName) + " [WriteAnchorNode]");
        return false;
    }
    if (ndx.WriteThrough) ic.File.Flush();
    ic.HeaderChanged = false;
    return true;
}

bool MarkIndexStale(TIndexControl& ic)
{
    ic.Stale = true;
    uint8_t stamp[8];
    EncodeStamp(NdxStaleStamp, stamp);
    if (ic.File.WriteAt(static_cast<int64_t>(NdxStampOffset), stamp, 8) != 8) return false;
    ic.File.Flush();
    return true;
}

bool MarkIndexFileStale(const std::string& file)
{
    platform::TSharedFile f;
    if (f.Open(file, true, platform::TFileShare::DenyNone) != 0) return false;
    if (f.Size() < static_cast<int64_t>(NdxPageSize)) return false;
    uint8_t stamp[8];
    EncodeStamp(NdxStaleStamp, stamp);
    const bool ok = f.WriteAt(static_cast<int64_t>(NdxStampOffset), stamp, 8) == 8;
    f.Flush();
    return ok;
}

bool ReadAnchorNodes()
{
    for (int s = 1; s <= 16; ++s) {
        TIndexControl* ic = IndexOfSlot(s);
        if (ic == nullptr) continue;
        uint8_t b[24];
        if (ic->File.ReadAt(0, b, 24) != 24) {
            SetError(ic->File.LastError() == 0 ? 100 : ic->File.LastError(),
                     "Error reading index file:  " + FileNameToOem(ic->FileName) + " [ReadAnchorNodes]");
            return false;
        }
        TNdxHeader h = DecodeNdxHeader(b);
        if (!NdxHeaderValid(h) || h.KeyLength != ic->Header.KeyLength) {
            CorruptError(*ic, "ReadAnchorNodes");
            return false;
        }
        ic->Header = h;
        ic->Path.clear();
        ic->HeldPages.Clear();
    }
    CurrentIndexes().Cache.Clear();
    return true;
}

void IndexError(uint16_t code, const std::string& text)
{
    SetError(code, text);
    if (!dberror.AutoReportErrors) RaiseLibraryError(ErrorText(code) + " " + text);
}

// ---------------------------------------------------------------- keys

std::string ComputeKey(TIndexControl& ic)
{
    TWorkArea* a = SelectedArea();
    std::string k;
    if (ic.KeyMaker) {
        k = ic.KeyMaker(ic.KeyMakerData);
        if (a != nullptr && a->OemText) k = StrAnsiToOem(k);
        if (ic.SoundexKey) {
            k = Soundex(k);
            k.resize(static_cast<std::size_t>(std::max<int16_t>(ndx.SoundexLength, 1)), '0');
        }
        if (ic.Descending)
            for (char& c : k)
                c = static_cast<char>(~static_cast<uint8_t>(c));
    } else if (ic.KeyEvaluator != nullptr) {
        const TExprValue* v = EvaluateExpr(ic.KeyEvaluator);
        if (v != nullptr) {
            if (v->Type == ExprTypeChar || v->Type == ExprTypeMemo) {
                k = v->Text;
                if (a != nullptr && a->OemText) k = StrAnsiToOem(k);
            } else {
                k.assign(8, '\0');
                std::memcpy(k.data(), &v->Num, 8);
            }
        }
    }
    return k;
}

std::string RecordKey(int slot)
{
    TIndexControl* ic = IndexOfSlot(slot);
    if (ic == nullptr) return std::string();
    std::string k = ComputeKey(*ic);
    k.resize(static_cast<std::size_t>(ic->Header.KeyLength), ic->CharacterKey ? ' ' : '\0');
    return k;
}

// ---------------------------------------------------------------- descent and moves

namespace
{

// A descent starts: the path becomes this index's, and every other index
// learns that its own was (in effect) overwritten.
void StartPath(TIndexControl& ic)
{
    ic.Path.clear();
    ic.PathFill = ++ndx.PathFills;
}

} // namespace

bool Descend(TIndexControl& ic, const std::string& key, bool upper)
{
    StartPath(ic);
    uint32_t node = ic.Header.Root;
    while (true) {
        if (ic.Path.size() >= kMaxDepth) {
            CorruptError(ic, "Seek");
            ic.Path.clear();
            return false;
        }
        // The page is read into its place on the path; the level's node is
        // set after the read, which looks through the path for it.
        TNdxLevel& level = ic.Path.emplace_back();
        if (!GetNodePage(ic, node, level.Page)) {
            ic.Path.clear();
            return false;
        }
        level.Node = node;
        level.Index = SearchNode(ic, level.Page, key, upper);
        bool leaf = NodeIsLeaf(level.Page, ic.Header);
        if (leaf && NodeKeyCount(level.Page) == 0 && ic.Path.size() > 1) {
            CorruptError(ic, "GetNode");
            ic.Path.clear();
            return false;
        }
        if (leaf) return true;
        node = NodeChild(level.Page, ic.Header, level.Index);
    }
}

namespace
{

// From the current inner level, descends along first (or rightmost)
// children to a leaf, pushing every node.
bool DescendEdge(TIndexControl& ic, uint32_t node, bool first)
{
    while (true) {
        if (ic.Path.size() >= kMaxDepth) {
            CorruptError(ic, "Seek");
            return false;
        }
        TNdxLevel level;
        level.Node = node;
        if (!GetNodePage(ic, node, level.Page)) return false;
        int k = NodeKeyCount(level.Page);
        bool leaf = NodeIsLeaf(level.Page, ic.Header);
        if (leaf && k == 0 && !ic.Path.empty()) {
            // Only the root may be an empty leaf.
            CorruptError(ic, "GetNode");
            return false;
        }
        level.Index = first ? 0 : (leaf ? std::max(k - 1, 0) : k);
        ic.Path.push_back(level);
        if (leaf) return true;
        node = NodeChild(level.Page, ic.Header, level.Index);
    }
}

} // namespace

bool StepNext(TIndexControl& ic)
{
    if (ic.Path.empty()) return false;
    TNdxLevel& leaf = ic.Path.back();
    if (leaf.Index + 1 < NodeKeyCount(leaf.Page)) {
        ++leaf.Index;
        return true;
    }
    std::vector<TNdxLevel> saved = ic.Path;
    for (int guard = 0; guard < 1 << 20; ++guard) {
        ic.Path.pop_back();
        while (!ic.Path.empty() && ic.Path.back().Index >= NodeKeyCount(ic.Path.back().Page))
            ic.Path.pop_back();
        if (ic.Path.empty()) break;
        TNdxLevel& up = ic.Path.back();
        ++up.Index;
        if (!DescendEdge(ic, NodeChild(up.Page, ic.Header, up.Index), true)) break;
        if (NodeKeyCount(ic.Path.back().Page) > 0) return true;
    }
    ic.Path = std::move(saved);
    return false;
}

bool StepPrior(TIndexControl& ic)
{
    if (ic.Path.empty()) return false;
    TNdxLevel& leaf = ic.Path.back();
    if (leaf.Index > 0) {
        leaf.Index = std::min(leaf.Index - 1, std::max(NodeKeyCount(leaf.Page) - 1, 0));
        if (NodeKeyCount(leaf.Page) > 0) return true;
    }
    std::vector<TNdxLevel> saved = ic.Path;
    for (int guard = 0; guard < 1 << 20; ++guard) {
        ic.Path.pop_back();
        while (!ic.Path.empty() && ic.Path.back().Index == 0)
            ic.Path.pop_back();
        if (ic.Path.empty()) break;
        TNdxLevel& up = ic.Path.back();
        --up.Index;
        if (!DescendEdge(ic, NodeChild(up.Page, ic.Header, up.Index), false)) break;
        if (NodeKeyCount(ic.Path.back().Page) > 0) return true;
    }
    ic.Path = std::move(saved);
    return false;
}

bool OnEntry(const TIndexControl& ic)
{
    if (ic.Path.empty()) return false;
    const TNdxLevel& leaf = ic.Path.back();
    return leaf.Index >= 0 && leaf.Index < NodeKeyCount(leaf.Page);
}

int32_t EntryRecord(const TIndexControl& ic)
{
    const TNdxLevel& leaf = ic.Path.back();
    return NodeRecord(leaf.Page, ic.Header, leaf.Index);
}

std::string EntryKey(const TIndexControl& ic)
{
    const TNdxLevel& leaf = ic.Path.back();
    return KeyAt(ic, leaf.Page, leaf.Index);
}

bool Seek(TIndexControl& ic, const std::string& key)
{
    ic.AtBegin = ic.AtEnd = false;
    if (!Descend(ic, key, false)) return false;
    TNdxLevel& leaf = ic.Path.back();
    int k = NodeKeyCount(leaf.Page);
    if (leaf.Index >= k) {
        leaf.Index = std::max(k - 1, 0);
        if (!StepNext(ic)) {
            ic.AtEnd = true;
            if (!OnEntry(ic)) ic.AtBegin = true;
        }
    }
    ndx.LastFindFound = !ic.AtEnd && OnEntry(ic) && EntryKey(ic) == key;
    return true;
}

bool GoEdge(TIndexControl& ic, bool first)
{
    ic.AtBegin = ic.AtEnd = false;
    StartPath(ic);
    if (!DescendEdge(ic, ic.Header.Root, first)) {
        ic.Path.clear();
        return false;
    }
    if (!OnEntry(ic)) {
        bool moved = first ? StepNext(ic) : StepPrior(ic);
        if (!moved) {
            ic.AtBegin = ic.AtEnd = true;
            return false;
        }
    }
    return true;
}

bool SeekEntry(TIndexControl& ic, const std::string& key, int32_t record, const char* tag)
{
    if (!Seek(ic, key)) return false;
    if (!ndx.LastFindFound) {
        std::string text = "Key: \"" + key + "\" not in index: " + FileNameToOem(ic.FileName);
        if (std::string(tag) == "SoftSyncIndex")
            text += ". [SoftSyncIndex]";
        else
            text += ". [SyncIndex-1] Record: " + std::to_string(record);
        SetError(212, text);
        return false;
    }
    if (ic.Header.Unique != 0) return true;
    while (EntryRecord(ic) != record) {
        if (!StepNext(ic) || EntryKey(ic) != key) {
            SetError(212, "Record with key: \"" + key + "\" not in index: " + FileNameToOem(ic.FileName) +
                              ". [" +
                              (std::string(tag) == "SoftSyncIndex" ? "SoftSyncIndex" : "SyncIndex-2") + "]");
            return false;
        }
    }
    return true;
}

namespace
{

TIndexControl* Controlling(const char* tag)
{
    TWorkArea* a = SelectedArea();
    TIndexControl* ic = IndexOfSlot(1);
    if (ic == nullptr) {
        SetError(221, "Index not open. (DBF=" + (a ? a->Name : std::string()) + ") [" + tag + "]");
        return nullptr;
    }
    return ic;
}

// Another area or order descended since this index's path was filled: the
// index finds its place again by its current key, walking from the first
// equal key to the current record. Reaching the end first means the index
// no longer holds the record where its key says (another area or program
// changed it): error 254, and the index is left where a plain seek of the
// current key puts it. There it stays for this move: at its first entry at or
// after the key (at end, and the caller sees no move, when the key sorts
// after every entry; at begin only when the index is empty), with
// LastFindFound telling whether that entry's key equals the current key.
// Returns false when the move ends there (or the seek failed).
bool Refind(TIndexControl& ic, int32_t record, bool next)
{
    if (!Seek(ic, ic.CurrentKey)) return false;
    // A UNIQUE index holds one entry per key; a record whose key another
    // record holds already stands on that entry, as after SyncIndex.
    if (ic.Header.Unique != 0 && ndx.LastFindFound) return true;
    const uint16_t before = dberror.DbErrorCode;
    dberror.DbErrorCode = 0;
    bool on = !ic.AtEnd && OnEntry(ic);
    while (on && EntryRecord(ic) != record)
        on = StepNext(ic);
    if (on) {
        dberror.DbErrorCode = before;
        return true;
    }
    // A page that could not be read was reported by its step already.
    if (dberror.DbErrorCode != 0) return false;
    dberror.DbErrorCode = before;
    SetError(254, next ? " [_FindNextRec]" : " [_FindPriorRec]");
    Seek(ic, ic.CurrentKey);
    return false;
}

// The path of an index may be gone (after a change or a change by another
// program): put it back on the current record.
bool EnsurePath(TIndexControl& ic)
{
    if (!ic.Path.empty()) return true;
    TWorkArea* a = SelectedArea();
    if (a->RecordNumber >= 1 && a->RecordNumber <= a->RecordCount && !ic.AtEnd) {
        TAutoReportOff quiet;
        std::string key = RecordKey(SlotOf(ic));
        if (SeekEntry(ic, key, a->RecordNumber, "SyncIndex")) return true;
        dberror.DbErrorCode = 0;
        dberror.PendingErrorCode = 0;
    }
    return GoEdge(ic, !ic.AtEnd);
}

int32_t EdgeRecord(bool first)
{
    TIndexControl* ic = Controlling("_FindFirst/LastRec");
    if (ic == nullptr) return 0;
    TWorkArea* a = SelectedArea();
    if (CurrentIndexes().Natural) return first ? 1 : a->RecordCount;
    SemaphoreChanged();
    if (!GoEdge(*ic, first)) {
        ndx.LastFindFound = false;
        return a->RecordCount + 1;
    }
    ndx.LastFindFound = true;
    ic->CurrentKey = EntryKey(*ic);
    return EntryRecord(*ic);
}

int32_t StepRecord(bool next)
{
    TWorkArea* a = SelectedArea();
    TIndexControl* ic = IndexOfSlot(1);
    if (a == nullptr || ic == nullptr) return 0;
    // Another program's change empties every index's path already: the
    // change check re-reads the headers (ReadAnchorNodes), this index's
    // first. The clear here counts only where that header could not be read.
    if (SemaphoreChanged()) ic->Path.clear();
    if (a->RecordCount == 0) {
        ic->AtBegin = ic->AtEnd = true;
        return 1;
    }
    TAreaIndexes& ai = CurrentIndexes();
    if (ai.Natural) {
        if (next) {
            if (a->RecordNumber < a->RecordCount) return a->RecordNumber + 1;
            a->AtEnd = true;
        } else {
            if (a->RecordNumber > 1) return a->RecordNumber - 1;
            a->AtBegin = true;
        }
        return a->RecordNumber;
    }
    // Stepping back from the end lands on the last entry; forward from the
    // begin on the first.
    if (!next && (ic->AtEnd || a->RecordNumber > a->RecordCount)) {
        if (!GoEdge(*ic, false)) return a->RecordCount + 1;
        ndx.LastFindFound = true;
        ic->CurrentKey = EntryKey(*ic);
        return EntryRecord(*ic);
    }
    if (ic->PathFill != ndx.PathFills && a->RecordNumber >= 1 && a->RecordNumber <= a->RecordCount) {
        if (!Refind(*ic, a->RecordNumber, next)) {
            if (ic->Path.empty()) {
                ic->AtBegin = ic->AtEnd = true;
                return a->RecordCount + 1;
            }
            if (ic->AtEnd || !OnEntry(*ic)) return a->RecordNumber;
            ic->CurrentKey = EntryKey(*ic);
            return EntryRecord(*ic);
        }
    } else if (!EnsurePath(*ic)) {
        ic->AtBegin = ic->AtEnd = true;
        return a->RecordCount + 1;
    }
    bool moved = next ? StepNext(*ic) : StepPrior(*ic);
    if (next) {
        ic->AtEnd = !moved;
        ic->AtBegin = false;
    } else {
        ic->AtBegin = !moved;
        ic->AtEnd = false;
    }
    ndx.LastFindFound = moved;
    if (!OnEntry(*ic)) return a->RecordNumber;
    ic->CurrentKey = EntryKey(*ic);
    return EntryRecord(*ic);
}

} // namespace

int SlotOf(const TIndexControl& ic)
{
    for (int s = 1; s <= 16; ++s)
        if (IndexOfSlot(s) == &ic) return s;
    return 0;
}

int32_t FirstKeyRecord()
{
    return EdgeRecord(true);
}
int32_t LastKeyRecord()
{
    return EdgeRecord(false);
}
int32_t NextKeyRecord()
{
    return StepRecord(true);
}
int32_t PriorKeyRecord()
{
    return StepRecord(false);
}

bool SyncIndex(bool allOrders)
{
    TWorkArea* a = SelectedArea();
    if (a == nullptr) return false;
    SemaphoreChanged();
    bool ok = true;
    for (int s = 1; s <= (allOrders ? 16 : 1); ++s) {
        TIndexControl* ic = IndexOfSlot(s);
        if (ic == nullptr) continue;
        if (a->RecordNumber >= 1 && a->RecordNumber <= a->RecordCount) {
            std::string key = RecordKey(s);
            bool found = ndx.LastFindFound;
            if (!SeekEntry(*ic, key, a->RecordNumber, "SyncIndex")) ok = false;
            ndx.LastFindFound = found;
            ic->CurrentKey = key;
            ic->AtBegin = ic->AtEnd = false;
        } else if (s == 1 && !CurrentIndexes().Natural) {
            GoEdge(*ic, false);
            ic->AtEnd = true;
        } else {
            GoEdge(*ic, false);
        }
    }
    return ok;
}

void Find(const std::string& text)
{
    dberror.DbErrorCode = 0;
    if (!CheckDbInUse("Find")) return;
    TWorkArea* a = SelectedArea();
    TIndexControl* ic = Controlling("Find");
    if (ic == nullptr) return;
    if (CurrentIndexes().Natural) {
        SetError(254, "Cannot use Find() with index order 0 (natural order) [Find]");
        return;
    }
    if (text.empty()) return;
    std::string s = text.substr(0, 100);
    const std::size_t kl = static_cast<std::size_t>(ic->Header.KeyLength);
    std::string key;
    std::size_t compareLength = kl;
    if (ic->KeyMaker) {
        key = s;
        if (ndx.ExactFind && key.size() < kl) key.resize(kl, ' ');
        if (ic->SoundexKey) key = Soundex(key).substr(0, kl);
        if (ic->Descending)
            for (char& c : key)
                c = static_cast<char>(~static_cast<uint8_t>(c));
        if (!ndx.ExactFind) compareLength = std::min(kl, key.size());
    } else if (ic->Header.KeyType == 'D' || ic->Header.KeyType == 'N' || ic->Header.KeyType == 'F') {
        double v = 0;
        if (ic->Header.KeyType == 'D') {
            v = DisplayToJulian(s);
        } else {
            // Read as a number field's text: "12,5" is 12.5, not the 12
            // before its comma.
            v = NumberFieldValue(s);
        }
        key.assign(8, '\0');
        std::memcpy(key.data(), &v, 8);
    } else {
        key = s;
        if (ndx.ExactFind && key.size() < kl) key.resize(kl, ' ');
        if (a->OemText) key = StrAnsiToOem(key);
        if (!ndx.ExactFind) compareLength = std::min(kl, key.size());
    }
    std::string padded = key;
    padded.resize(kl, '\0');
    SetReadSemaphore(true);
    SemaphoreChanged();
    bool ok = Seek(*ic, padded);
    bool found = false;
    if (ok && !ic->AtBegin) {
        if (ic->AtEnd) {
            // Past every key: stand on the last entry.
            ic->AtEnd = false;
        }
        // A key's record beyond the count known here was appended by
        // another user: the count is refreshed before it is read.
        auto read = [a](int32_t r) {
            if (r > a->RecordCount) RefreshCount();
            GetDbfRecord(*a, r);
            ReadNative(*a);
        };
        read(EntryRecord(*ic));
        while (!IsVisible() && !ic->AtEnd) {
            if (!StepNext(*ic)) {
                ic->AtEnd = true;
                break;
            }
            read(EntryRecord(*ic));
        }
        ic->CurrentKey = EntryKey(*ic);
        std::size_t n = ic->CharacterKey ? std::min(compareLength, kl) : kl;
        found = !ic->AtEnd && std::memcmp(padded.data(), ic->CurrentKey.data(), n) == 0;
    }
    ndx.LastFindFound = found;
    if (!found) {
        a->RecordNumber = a->RecordCount + 1;
        a->AtEnd = true;
        a->RecordBuffer.assign(a->RecordLength, ' ');
        ReadNative(*a);
        ic->AtEnd = true;
    } else {
        a->AtBegin = a->AtEnd = false;
        for (int sl = 2; sl <= 16; ++sl) {
            TIndexControl* o = IndexOfSlot(sl);
            if (o != nullptr) {
                o->CurrentKey = RecordKey(sl);
                o->Path.clear();
            }
        }
    }
    SetReadSemaphore(false);
    ndx.LastFindFound = found;
}

std::string OrderKeyText(int slot)
{
    TIndexControl* ic = IndexOfSlot(slot);
    TWorkArea* a = SelectedArea();
    if (ic == nullptr || CurrentIndexes().Natural) {
        std::string n = std::to_string(a != nullptr ? a->RecordNumber : 0);
        return "Rec" + std::string(n.size() < 10 ? 10 - n.size() : 0, ' ') + n;
    }
    const std::string& k = ic->CurrentKey;
    if (ic->KeyMaker) {
        return ic->KeyMaker(ic->KeyMakerData);
    }
    if (ic->CharacterKey || k.size() < 8) return k.substr(0, 100);
    double v = 0;
    std::memcpy(&v, k.data(), 8);
    if (ic->Header.KeyType == 'D') return JulianToDisplay(v);
    // The key expression's width and decimals, with the point whatever the
    // process's locale (the window's toolkit sets the user's); at most 63
    // characters, as the key text has always been cut.
    char buf[700];
    const std::string digits(
        buf, std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, ic->ExprDecimals).ptr);
    const std::string text =
        std::string(ic->ExprWidth > digits.size() ? ic->ExprWidth - digits.size() : 0, ' ') + digits;
    return text.substr(0, 63);
}
