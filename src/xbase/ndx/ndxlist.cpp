// The index list of a work area: opening index files into slots, changing
// the controlling index, rebuilding, reading an index's header, and the hook
// table through which the command set reaches the engine.
#include "foundation/codepage.h"
#include "xbase/ndx/ndx.h"
#include "xbase/ndx/ndxinternal.h"

#include "xbase/cmd/dbcmd.h"
#include "xbase/core/dberror.h"
#include "xbase/core/dbhooks.h"
#include "xbase/core/dbstrings.h"
#include "xbase/expr/dbexpr.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <vector>

bool TakeOption(std::string& name, const std::string& option)
{
    std::string up = UpperStr(name);
    std::string w = " " + option;
    bool taken = false;
    for (std::size_t p = up.find(w); p != std::string::npos; p = up.find(w)) {
        std::size_t end = p + w.size();
        if (end < up.size() && up[end] != ' ') {
            std::size_t q = up.find(w, end);
            if (q == std::string::npos) break;
            continue;
        }
        name.erase(p, w.size());
        up.erase(p, w.size());
        taken = true;
    }
    return taken;
}

// Full name of an index file: the extension added, and the table's directory
// when the name carries no directory of its own.
std::string IndexPath(const std::string& file)
{
    std::string name = AllTrim(file);
    std::string dir, base, ext;
    FSplit(name, dir, base, ext);
    if (ext.empty()) name += ".NDX";
    TWorkArea* a = SelectedArea();
    if (name.find('/') == std::string::npos && name.find('\\') == std::string::npos && a != nullptr) {
        std::string tdir, tname, text;
        FSplit(a->Name, tdir, tname, text);
        name = tdir + name;
    }
    return ResolveFileName(name);
}

namespace
{

bool SharedArea(const TWorkArea& a)
{
    return dbcmd.SharedAccess && !a.Exclusive;
}

std::string Canonical(const std::string& path)
{
    std::error_code ec;
    auto p = std::filesystem::weakly_canonical(path, ec);
    return ec ? path : p.string();
}

void FreeControl(std::unique_ptr<TIndexControl>& slot)
{
    if (!slot) return;
    if (slot->KeyEvaluator != nullptr) FreeExpr(slot->KeyEvaluator);
    slot->File.Close();
    slot.reset();
}

// Calls `each` with the number and the key (as long as the index's keys) of
// every record from..to, until it returns false; the area's current record
// and the last find's result are as they were afterwards. False when a
// record cannot be read or `each` said no.
template <typename F> bool EachRecordKey(TIndexControl& c, int32_t from, int32_t to, F each)
{
    TWorkArea* a = SelectedArea();
    if (from > to) return true;
    const std::string saved = a->RecordBuffer;
    const int32_t savedNo = a->RecordNumber;
    const bool savedBegin = a->AtBegin;
    const bool savedEnd = a->AtEnd;
    const bool found = ndx.LastFindFound;
    bool all = true;
    {
        TAutoReportOff quiet;
        for (int32_t r = from; r <= to && all; ++r) {
            all = GetDbfRecord(*a, r);
            if (!all) break;
            ReadNative(*a);
            std::string key = ComputeKey(c);
            key.resize(static_cast<std::size_t>(c.Header.KeyLength), c.CharacterKey ? ' ' : '\0');
            try {
                all = each(r, key);
            } catch (const EXbaseError&) {
                all = false;
            }
        }
        dberror.DbErrorCode = 0;
        dberror.PendingErrorCode = 0;
        dberror.DbErrorText.clear();
    }
    c.Path.clear();
    ndx.LastFindFound = found;
    a->RecordBuffer = saved;
    a->RecordNumber = savedNo;
    a->AtBegin = savedBegin;
    a->AtEnd = savedEnd;
    ReadNative(*a);
    return all;
}

// Every record from..to has its key (with its record number) in the index.
bool KeysOfAddedRecords(TIndexControl& c, int32_t from, int32_t to)
{
    return EachRecordKey(
        c, from, to, [&c](int32_t r, const std::string& key) { return SeekEntry(c, key, r, "SyncIndex"); });
}

// The keys the tree holds, counted leaf by leaf from the root: a page that a
// split cut short wrote but never linked into the tree is not counted. The
// tree is walked a level at a time, each level's pages in file order, and
// pages that follow each other in the file are read together (a build
// writes the leaves almost one after the other): a system call per page, or
// a mapping of the file, cost as much as the rest of the open. The pages are
// read straight from the file, so that the count leaves the node cache as
// the open found it. -1 when a child pointer leads outside the file or to a
// page reached before, or a page cannot be read.
int64_t KeysInTree(TIndexControl& c)
{
    constexpr uint32_t kRun = 64; // pages read at once
    const uint32_t pages = c.Header.NextFree;
    std::vector<bool> reached(pages);
    std::vector<uint32_t> level{c.Header.Root};
    std::vector<uint32_t> below;
    std::vector<uint8_t> bytes(kRun * NdxPageSize);
    TNdxPage page;
    int64_t keys = 0;
    while (!level.empty()) {
        std::sort(level.begin(), level.end());
        for (std::size_t i = 0; i < level.size();) {
            std::size_t n = 1;
            while (i + n < level.size() && n < kRun && level[i + n] == level[i] + n)
                ++n;
            if (level[i] == 0 || level[i + n - 1] >= pages) return -1;
            const int64_t at = static_cast<int64_t>(level[i]) * static_cast<int64_t>(NdxPageSize);
            const long want = static_cast<long>(n * NdxPageSize);
            if (c.File.ReadAt(at, bytes.data(), static_cast<std::size_t>(want)) != want) return -1;
            for (std::size_t j = 0; j < n; ++j, ++i) {
                if (reached[level[i]]) return -1;
                reached[level[i]] = true;
                std::memcpy(page.data(), bytes.data() + j * NdxPageSize, NdxPageSize);
                const int k = NodeKeyCount(page);
                if (k < 0 || k > c.Header.KeysPerPage) return -1;
                if (NodeIsLeaf(page, c.Header)) {
                    keys += k;
                    continue;
                }
                for (int e = 0; e <= k; ++e)
                    below.push_back(NodeChild(page, c.Header, e));
            }
        }
        level.swap(below);
        below.clear();
    }
    return keys;
}

// The number of different keys the records 1..count give, as a UNIQUE index
// holds them; -1 when a record cannot be read. The keys are laid end to end
// in one buffer and sorted through a table of their positions.
int64_t DifferentKeysOfRecords(TIndexControl& c, int32_t count)
{
    const std::size_t length = static_cast<std::size_t>(c.Header.KeyLength);
    std::string keys;
    keys.reserve(static_cast<std::size_t>(count) * length);
    if (!EachRecordKey(c, 1, count, [&keys](int32_t, const std::string& key) {
            keys += key;
            return true;
        }))
        return -1;
    std::vector<std::size_t> at(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < at.size(); ++i)
        at[i] = i * length;
    const auto* bytes = reinterpret_cast<const uint8_t*>(keys.data());
    const TNdxHeader& h = c.Header;
    std::sort(at.begin(), at.end(),
              [&](std::size_t x, std::size_t y) { return CompareNdxKeys(h, bytes + x, bytes + y) < 0; });
    int64_t different = at.empty() ? 0 : 1;
    for (std::size_t i = 1; i < at.size(); ++i)
        different += CompareNdxKeys(h, bytes + at[i - 1], bytes + at[i]) != 0 ? 1 : 0;
    return different;
}

// An exclusive open's check that the index holds a key for every record the
// table holds whole (those marked for deletion too). Appenders write the
// record before its key, and a close by anyone writes the header's count from
// the file, so a record whose appender was killed before its key may already
// stand inside the header's count; a split killed between its pages loses
// the keys of the page it never linked. Neither shows in the count stamp,
// which catches only a table that shrank. Records behind the header's count
// have their keys looked up; then the keys of the tree are counted against
// the records (for a UNIQUE index, against the different keys the records
// give, which costs a pass over the table and a sort of its keys).
bool IndexHoldsEveryRecord(TIndexControl& c, const TWorkArea& a)
{
    if (a.HeaderCountAtOpen >= 0 &&
        !KeysOfAddedRecords(c, a.HeaderCountAtOpen + 1, std::min(a.CountAtOpen, a.RecordCount)))
        return false;
    // A tree that cannot be walked is left to the moves, which report the
    // corruption where they meet it.
    const int64_t keys = KeysInTree(c);
    if (keys < 0) return true;
    if (c.Header.Unique == 0) return keys == a.RecordCount;
    return keys == DifferentKeysOfRecords(c, a.RecordCount);
}

// The options of the index command that builds an index like this one again.
std::string RebuildOptions(const TNdxHeader& header, bool soundex, bool descending)
{
    std::string options;
    if (header.Unique != 0) options += " UNIQUE";
    if (soundex) options += " SOUNDEX";
    if (descending) options += " DESCENDING";
    return options;
}

// `built`: the file was just built from the table, and is not checked
// against it again (a check that failed once more would build it forever).
bool OpenIndex(const std::string& file, bool noCache, bool soundex, int order, bool descending,
               TTzKeyMaker keyMaker, void* data, bool& refused, bool built = false)
{
    refused = true;
    TWorkArea* a = SelectedArea();
    TAreaIndexes& ai = CurrentIndexes();
    const std::string canon = Canonical(file);
    for (int area = 1; area <= 35; ++area) {
        for (int s = 1; s <= 16; ++s) {
            TIndexControl* other = ndx.Areas[area].Slots[s].get();
            if (other == nullptr || Canonical(other->FileName) != canon) continue;
            const auto& wa = dbcmd.WorkAreas[area];
            bool sameTable = wa && area != dbcmd.CurrentArea && Canonical(wa->Name) == Canonical(a->Name);
            if (!sameTable) {
                SetError(220, "Index file already open: " + FileNameToOem(file) + " for " +
                                  FileNameToOem(a->Name) + "\r\n" +
                                  "Attempting to set index of same name for " + FileNameToOem(a->Name) +
                                  ". [OpenIndex/Set_Index_To]");
                return false;
            }
        }
    }
    if (ai.Slots[order]) {
        SetError(254, "-Internal error: IND pointer already allocated" + FileNameToOem(file));
        return false;
    }
    auto ic = std::make_unique<TIndexControl>();
    ic->Order = static_cast<uint8_t>(order);
    ic->FileName = file;
    platform::TFileShare share =
        SharedArea(*a) ? platform::TFileShare::DenyNone : platform::TFileShare::DenyWrite;
    if (ndx.ExplicitOpenMode != 0) share = ShareOfMode(ndx.ExplicitOpenMode);
    if (uint16_t code = ic->File.Open(file, true, share); code != 0) {
        IndexError(code, "Unable to open index: " + FileNameToOem(file));
        return false;
    }
    ic->HoldPages = share == platform::TFileShare::DenyWrite && !noCache;
    TNdxPage anchor{};
    SetReadSemaphore(true);
    long n = ic->File.Size() < static_cast<int64_t>(2 * NdxPageSize)
                 ? 0
                 : ic->File.ReadAt(0, anchor.data(), NdxPageSize);
    SetReadSemaphore(false);
    ic->Header = DecodeNdxHeader(anchor.data());
    if (n != static_cast<long>(NdxPageSize) || !NdxHeaderValid(ic->Header)) {
        IndexError(222, "Unable to open index: " + FileNameToOem(file));
        return false;
    }
    std::string expr = AnchorExpression(anchor);
    if (a->OemText) expr = StrOemToAnsi(expr);
    ic->Expression = NormalizeExpression(expr);
    const std::string marker = NormalizeExpression(KeyMakerMarker);
    if (!keyMaker) {
        if (ic->Expression == marker) {
            IndexError(223, "Key maker function required, \"" + FileNameToOem(file) +
                                "\" was created using KeyMaker function.");
            return false;
        }
        TCompiledExpr* e = nullptr;
        {
            TAutoReportOff quiet;
            e = ic->Expression.empty() ? nullptr : AssignExpr(ic->Expression);
            dberror.DbErrorCode = 0;
            dberror.PendingErrorCode = 0;
        }
        if (e == nullptr) {
            IndexError(222, "Invalid dBASE key expression or corrupted index file " + FileNameToOem(file));
            return false;
        }
        ic->KeyEvaluator = e;
        char t = e->ResultType;
        bool typeOk = (t == 'C' && ic->Header.KeyType == 'C') ||
                      ((t == 'N' || t == 'F') && (ic->Header.KeyType == 'N' || ic->Header.KeyType == 'F')) ||
                      (t == 'D' && ic->Header.KeyType == 'D');
        if (!typeOk) {
            FreeExpr(ic->KeyEvaluator);
            IndexError(222, "Invalid dBASE key expression or corrupted index file " + FileNameToOem(file));
            return false;
        }
        ic->ExprType = t;
        ic->ExprWidth = e->Width;
        ic->ExprDecimals = e->Decimals;
    } else {
        if (ic->Expression != marker) {
            IndexError(223, "Attempted use of Key Maker function with index file created with a dBASE key "
                            "expression [OpenIndex/Set_Index_ToCB(" +
                                file + ")]");
            return false;
        }
        if (ic->Header.KeyType != 'C') {
            IndexError(222, "Unable to open index: " + FileNameToOem(file));
            return false;
        }
        ic->KeyMaker = std::move(keyMaker);
        ic->KeyMakerData = data;
        ic->SoundexKey = soundex;
        ic->Descending = descending;
    }
    ic->CharacterKey = ic->Header.KeyType == 'C';
    // Before anything rewrites the anchor (and its stamp with this table's
    // count): a table shrinks only by Pack, so an index whose trusted stamp
    // counts more records than the table's file holds was left behind by a
    // Pack and names records that are no longer theirs. Opened exclusively,
    // it is rebuilt; shared, others may be using it, and it is refused.
    if (!a->IsVirtual && a->RecordLength > 0) {
        const int32_t stamp = AnchorRecordCount(anchor);
        const int64_t size = a->File.Size();
        const int64_t records = size < a->HeaderLength ? 0 : (size - a->HeaderLength) / a->RecordLength;
        if (stamp > records) {
            if (ic->KeyEvaluator != nullptr) FreeExpr(ic->KeyEvaluator);
            ic->KeyEvaluator = nullptr;
            ic->File.Close();
            if (SharedArea(*a)) {
                IndexError(222, "Index must be rebuilt: " + FileNameToOem(file) +
                                    (stamp == NdxStaleStamp
                                         ? std::string(" lacks keys of its table")
                                         : " counts " + std::to_string(stamp) + " records, its table " +
                                               std::to_string(records)) +
                                    ". Open the table exclusively to rebuild it. [SetIndexTo/OpenIndex]");
                return false;
            }
            const std::string options = RebuildOptions(ic->Header, soundex, descending);
            const bool rebuilt = ic->KeyMaker ? MakeIndexCB(file + options, ic->KeyMaker, ic->KeyMakerData)
                                              : MakeIndex(file + options, expr);
            if (!rebuilt) return false;
            return OpenIndex(file, noCache, soundex, order, descending, std::move(ic->KeyMaker), data,
                             refused, true);
        }
    }
    if (order == 1) {
        if (!noCache && ndx.CacheSize > 0) {
            uint32_t size = std::max<uint32_t>(ndx.CacheSize / 512 * 512, 2048);
            ai.Cache.Assign(size / 512);
            ic->HasCache = true;
        } else {
            ai.Cache.Assign(0);
        }
    }
    int64_t size = ic->File.Size();
    uint32_t nextFree = static_cast<uint32_t>(std::max<int64_t>((size - 512) / 512 + 1, 1));
    if (nextFree != ic->Header.NextFree) {
        ic->Header.NextFree = nextFree;
        if (ic->Header.Root >= nextFree) {
            if (ic->KeyEvaluator != nullptr) FreeExpr(ic->KeyEvaluator);
            IndexError(222, "Unable to open index: " + FileNameToOem(file));
            return false;
        }
        ai.Slots[order] = std::move(ic);
        SetLockSemaphore(true);
        WriteAnchorNode(*ai.Slots[order]);
        SetLockSemaphore(false);
    } else {
        ai.Slots[order] = std::move(ic);
    }
    TIndexControl& c = *ai.Slots[order];
    // The key of the blank record must have the stored length.
    {
        std::string saved = a->RecordBuffer;
        int32_t savedNo = a->RecordNumber;
        a->RecordBuffer.assign(a->RecordLength, ' ');
        a->RecordNumber = a->RecordCount + 1;
        ReadNative(*a);
        std::string blank = ComputeKey(c);
        a->RecordBuffer = saved;
        a->RecordNumber = savedNo;
        ReadNative(*a);
        if (c.CharacterKey && static_cast<int>(blank.size()) != c.Header.KeyLength) {
            char width[8];
            std::snprintf(width, sizeof width, "%3d", static_cast<int>(c.Header.KeyLength));
            IndexError(266, std::string("Incorrect key length: Must be 1 to 100.") + "\n\r" +
                                "Expected Length= " + width + "\n\r" + "Key= " + "[" + blank + "] " +
                                FileNameToOem(file) + " [SetIndexTo/OpenIndex]");
            FreeControl(ai.Slots[order]);
            if (order == 1) {
                ai.Cache.Assign(0);
            }
            return false;
        }
    }
    // Shared, another appender may stand between its record and its key:
    // only an exclusive open can tell a missing key from one still coming.
    if (!built && !a->IsVirtual && !SharedArea(*a) && !IndexHoldsEveryRecord(c, *a)) {
        TTzKeyMaker keyMakerCopy = c.KeyMaker;
        const std::string options = RebuildOptions(c.Header, soundex, descending);
        FreeControl(ai.Slots[order]);
        if (order == 1) ai.Cache.Assign(0);
        if (!(keyMakerCopy ? MakeIndexCB(file + options, keyMakerCopy, data)
                           : MakeIndex(file + options, expr))) {
            MarkIndexFileStale(file);
            return false;
        }
        return OpenIndex(file, noCache, soundex, order, descending, std::move(keyMakerCopy), data, refused,
                         true);
    }
    if (a->RecordCount == 0) {
        c.AtBegin = c.AtEnd = true;
        c.CurrentKey.assign(static_cast<std::size_t>(c.Header.KeyLength), c.CharacterKey ? ' ' : '\0');
    } else {
        c.CurrentKey = RecordKey(order);
    }
    refused = false;
    return true;
}

} // namespace

void CloseIndex(int slot)
{
    TAreaIndexes& ai = CurrentIndexes();
    std::unique_ptr<TIndexControl>& p = ai.Slots[slot];
    if (!p) return;
    TWorkArea* a = SelectedArea();
    if (p->HeaderChanged) {
        bool shared = a != nullptr && SharedArea(*a);
        if (shared && p->File.LockRange(0, 1) != 0)
            IndexError(33, "Could not lock index for writing anchor node " + FileNameToOem(p->FileName));
        WriteAnchorNode(*p);
        if (shared && p->File.UnlockRange(0, 1) != 0)
            IndexError(33, "Could not unlock index after writing anchor node " + FileNameToOem(p->FileName));
    }
    if (slot == 1) {
        ai.Cache.Assign(0);
    }
    FreeControl(p);
    if (!IndexIsOpen()) {
        ai.Natural = false;
        if (ai.Semaphore) DatabaseSemaphore(SemLogout);
    }
}

void CloseAllIndexes()
{
    if (dbcmd.CurrentArea < 1 || dbcmd.CurrentArea > 35) return;
    for (int s = 1; s <= 16; ++s)
        CloseIndex(s);
    CurrentIndexes().Natural = false;
    if (CurrentIndexes().Semaphore) DatabaseSemaphore(SemLogout);
}

bool SetIndexTo(const std::string& fileWithOptions, int order, TTzKeyMaker keyMaker, void* data)
{
    TWorkArea* a = SelectedArea();
    std::string name = fileWithOptions;
    TakeOption(name, "UNIQUE");
    bool noCache = TakeOption(name, "NOCACHE");
    bool soundex = TakeOption(name, "SOUNDEX");
    bool descending = TakeOption(name, "DESCENDING");
    name = AllTrim(name);
    const std::string bracket = "[SetIndexTo(<>," + FileNameToOem(name) + "," + std::to_string(order) + ")]";
    if (order < 1 || order > 16) {
        SetError(220, "Index Order parameter out of range " + bracket);
        return false;
    }
    if (a == nullptr) {
        SetError(215, "Attempt to open " + FileNameToOem(name) + " index file with no DBF file open." + " " +
                          bracket);
        return false;
    }
    CloseIndex(order);
    std::string file = IndexPath(name);
    if (!FileExistsStr(file)) {
        SetError(2, "Attempt to open " + FileNameToOem(file) + " [SetIndexTo(...," + std::to_string(order) +
                        ")]");
        return false;
    }
    if (SharedArea(*a)) noCache = true;
    bool explicitExclusive =
        ndx.ExplicitOpenMode != 0 && ShareOfMode(ndx.ExplicitOpenMode) != platform::TFileShare::DenyNone;
    if (!explicitExclusive && !DatabaseSemaphore(SemLogin)) return false;
    bool refused = false;
    bool ok = false;
    try {
        ok = OpenIndex(file, noCache, soundex, order, descending, std::move(keyMaker), data, refused);
    } catch (const EXbaseError&) {
        if (!IndexIsOpen() && CurrentIndexes().Semaphore) DatabaseSemaphore(SemLogout);
        throw;
    }
    if (!ok) {
        if (!IndexIsOpen() && CurrentIndexes().Semaphore) DatabaseSemaphore(SemLogout);
        return false;
    }
    if (TIndexControl* ic = IndexOfSlot(1); ic != nullptr && a->RecordCount > 0)
        ic->CurrentKey = RecordKey(1);
    return true;
}

namespace
{

void MakeOrder1Controlling()
{
    TAreaIndexes& ai = CurrentIndexes();
    ai.Natural = false;
    TWorkArea* a = SelectedArea();
    if (IndexOfSlot(1) != nullptr && a != nullptr && a->RecordCount > 0) GoTop();
}

} // namespace

void Set_Index_To(const std::string& list)
{
    if (!CheckDbInUse("Set_Index_To")) return;
    CloseAllIndexes();
    std::string l = NormalizeList(list);
    // Blank-separated names; an option word belongs to the name before it.
    std::vector<std::string> names;
    std::size_t p = 0;
    while (p < l.size()) {
        std::size_t q = l.find(' ', p);
        std::string name = l.substr(p, q == std::string::npos ? std::string::npos : q - p);
        p = q == std::string::npos ? l.size() : q + 1;
        if (name.empty()) continue;
        const std::string up = UpperStr(name);
        if (!names.empty() && (up == "UNIQUE" || up == "NOCACHE" || up == "SOUNDEX" || up == "DESCENDING"))
            names.back() += " " + up;
        else
            names.push_back(name);
    }
    int order = 0;
    for (const std::string& name : names) {
        ++order;
        if (!SetIndexTo(name, order)) {
            SetError(dberror.DbErrorCode, dberror.DbErrorText + " [SetIndexTo]");
            break;
        }
    }
    MakeOrder1Controlling();
}

void Set_Index_ToCB(const std::string& file, TTzKeyMaker keyMaker, void* data)
{
    if (!CheckDbInUse("Set_Index_ToCB")) return;
    if (SetIndexTo(file, 1, std::move(keyMaker), data)) MakeOrder1Controlling();
}

int CurrentOrder()
{
    if (!CheckDbInUse("CurrentOrder")) return 0;
    TIndexControl* ic = IndexOfSlot(1);
    if (ic == nullptr || CurrentIndexes().Natural) return 0;
    return ic->Order;
}

void Set_Order_To(int n)
{
    if (!CheckDbInUse("Set_Order_To")) return;
    TWorkArea* a = SelectedArea();
    TAreaIndexes& ai = CurrentIndexes();
    const std::string tag = "[Set_Order_To(" + std::to_string(n) + ")]";
    if (!IndexIsOpen()) {
        SetError(221, "Index not open. (DBF=" + FileNameToOem(a->Name) + ") " + tag);
        return;
    }
    if (n < 0 || n > 16) {
        SetError(220, "Invalid Index Order Specified: SET_ORDER_TO. " + tag +
                          " (DBF=" + FileNameToOem(a->Name) + ")");
        return;
    }
    if (n == 0) {
        ai.Natural = true;
        return;
    }
    bool found = ndx.LastFindFound;
    SetReadSemaphore(true);
    TIndexControl* target = IndexOfOrder(n);
    if (target == nullptr) {
        SetReadSemaphore(false);
        SetError(221, "Index not open.. (DBF=" + FileNameToOem(a->Name) + ") " + tag);
        return;
    }
    if (ai.Slots[1].get() != target) {
        // Every index back to the slot of its own order, then order n and
        // order 1 change places.
        std::vector<std::unique_ptr<TIndexControl>> all;
        for (int s = 1; s <= 16; ++s)
            if (ai.Slots[s]) all.push_back(std::move(ai.Slots[s]));
        for (auto& c : all) {
            int o = c->Order;
            ai.Slots[o] = std::move(c);
        }
        std::swap(ai.Slots[1], ai.Slots[n]);
    }
    ai.Natural = false;
    ai.Cache.Clear();
    for (int s = 1; s <= 16; ++s)
        if (ai.Slots[s]) ai.Slots[s]->Path.clear();
    if (a->RecordCount == 0) {
        TIndexControl* ic = IndexOfSlot(1);
        ic->AtBegin = ic->AtEnd = true;
    }
    SyncIndex(true);
    RefreshCurrentKeys();
    SetReadSemaphore(false);
    ndx.LastFindFound = found;
}

namespace
{

struct TReopen {
    int Order = 0;
    std::string File;
    std::string Expression;
    TTzKeyMaker KeyMaker;
    void* Data = nullptr;
    std::string Options;
};

} // namespace

void Reindex()
{
    if (!CheckDbInUse("Reindex")) return;
    TWorkArea* a = SelectedArea();
    if (!IndexIsOpen()) {
        SetError(221, "Index not open. (DBF=" + FileNameToOem(a->Name) + ") [Reindex]");
        return;
    }
    TAreaIndexes& ai = CurrentIndexes();
    const int current = ai.Natural ? 0 : IndexOfSlot(1)->Order;
    std::vector<TReopen> list;
    for (int s = 1; s <= 16; ++s) {
        TIndexControl* ic = IndexOfSlot(s);
        if (ic == nullptr) continue;
        TReopen r;
        r.Order = ic->Order;
        r.File = ic->FileName;
        if (ic->SoundexKey) r.Options += " SOUNDEX";
        if (ic->Descending) r.Options += " DESCENDING";
        if (ic->Header.Unique != 0) r.Options += " UNIQUE";
        if (!ic->HasCache) r.Options += " NOCACHE";
        if (ic->KeyMaker) {
            r.KeyMaker = ic->KeyMaker;
            r.Data = ic->KeyMakerData;
        } else {
            TNdxPage anchor{};
            if (ic->File.ReadAt(0, anchor.data(), 125) != 125) {
                SetError(100, "Error reading index file:  [Reindex]");
                return;
            }
            r.Expression = AnchorExpression(anchor);
            if (a->OemText) r.Expression = StrOemToAnsi(r.Expression);
        }
        list.push_back(std::move(r));
    }
    std::sort(list.begin(), list.end(), [](const TReopen& x, const TReopen& y) { return x.Order < y.Order; });
    CloseAllIndexes();
    // After a Pack the indexes not rebuilt hold the old record numbers: each
    // is marked for rebuild, so that no later open uses it as it is.
    auto markRest = [&list](std::size_t from) {
        if (!dbcmd.Packing) return;
        for (std::size_t i = from; i < list.size(); ++i)
            MarkIndexFileStale(list[i].File);
    };
    for (std::size_t i = 0; i < list.size(); ++i) {
        TReopen& r = list[i];
        bool built = r.KeyMaker ? MakeIndexCB(r.File + r.Options, r.KeyMaker, r.Data)
                                : MakeIndex(r.File + r.Options, r.Expression);
        if (!built) return markRest(i);
        if (!SetIndexTo(r.File + r.Options, r.Order, r.KeyMaker, r.Data)) return markRest(i + 1);
    }
    ai.Natural = false;
    if (current != 0 && current != 1)
        Set_Order_To(current);
    else if (current == 0)
        ai.Natural = true;
    else
        SyncIndex(true);
}

bool IndexInfo(const std::string& file, TIndexInfo& info)
{
    const std::string failure = "Error reading index file: \n\r[IndexInfo(<>," + FileNameToOem(file) + ")]";
    if (AllTrim(file).empty()) {
        SetError(220, failure);
        return false;
    }
    std::string path = IndexPath(file);
    platform::TSharedFile f;
    uint16_t code = f.Open(path, true, platform::TFileShare::DenyNone);
    if (code == 5 || code == 32) code = f.Open(path, false, platform::TFileShare::DenyNone);
    TNdxPage anchor{};
    if (code == 0 && f.ReadAt(0, anchor.data(), NdxPageSize) != static_cast<long>(NdxPageSize))
        code = f.LastError() == 0 ? 100 : f.LastError();
    if (code != 0) {
        SetError(code, failure);
        return false;
    }
    TNdxHeader h = DecodeNdxHeader(anchor.data());
    info.Expression = AnchorExpression(anchor);
    info.KeyLength = static_cast<uint8_t>(h.KeyLength);
    info.KeyType = h.KeyType;
    const char* t = reinterpret_cast<const char*>(anchor.data() + 496);
    info.TableName = std::string(t, strnlen(t, 12));
    info.RecordCount = AnchorRecordCount(anchor);
    return true;
}

// ---------------------------------------------------------------- hooks

void ResetNdx()
{
    for (auto& area : ndx.Areas) {
        for (auto& slot : area.Slots)
            if (slot && slot->KeyEvaluator != nullptr) FreeExpr(slot->KeyEvaluator);
    }
    ndx = TNdx{};
}

void IndexInit()
{
    auto& h = dbhooks.DbHooks;
    if (h.IndexOpen) {
        SetError(254, "ERROR: BOTH INDEX4 and TZNDX units linked in. [IndexInit]");
        return;
    }
    h.IndexOpen = [] { return IndexIsOpen(); };
    h.SyncOrder1 = [] { SyncIndex(false); };
    h.NextKey = [] { return NextKeyRecord(); };
    h.PriorKey = [] { return PriorKeyRecord(); };
    h.FirstKey = [] { return FirstKeyRecord(); };
    h.LastKey = [] { return LastKeyRecord(); };
    h.AtIndexEnd = [] {
        TIndexControl* ic = IndexOfSlot(1);
        if (ic == nullptr || CurrentIndexes().Natural) {
            TWorkArea* a = SelectedArea();
            return a == nullptr || a->AtEnd;
        }
        return ic->AtEnd;
    };
    h.AtIndexBegin = [] {
        TIndexControl* ic = IndexOfSlot(1);
        if (ic == nullptr || CurrentIndexes().Natural) {
            TWorkArea* a = SelectedArea();
            return a == nullptr || a->AtBegin;
        }
        return ic->AtBegin;
    };
    h.AppendNewKey = [] { AppendNewKey(); };
    h.RefreshCurrentKey = [] {
        TIndexControl* ic = IndexOfSlot(1);
        TWorkArea* a = SelectedArea();
        if (ic != nullptr && a != nullptr && a->RecordNumber >= 1 && a->RecordNumber <= a->RecordCount)
            ic->CurrentKey = RecordKey(1);
    };
    h.SyncAllOrders = [] {
        bool found = ndx.LastFindFound;
        SyncIndex(false);
        RefreshCurrentKeys();
        ndx.LastFindFound = found;
    };
    h.CompareKeys = [] { return CompareKeys(); };
    h.SetIndexBegin = [] {
        if (TIndexControl* ic = IndexOfSlot(1)) ic->AtBegin = true;
    };
    h.SetIndexEnd = [] {
        if (TIndexControl* ic = IndexOfSlot(1)) ic->AtEnd = true;
    };
    h.LastFindFound = [] { return &ndx.LastFindFound; };
    h.Reindex = [] { Reindex(); };
    h.CloseAllIndexes = [] { CloseAllIndexes(); };
    h.IndexFileName = [](int order) {
        TIndexControl* ic = IndexOfOrder(order);
        return ic != nullptr ? ic->FileName : std::string();
    };
    h.OrderKeyText = [](int order) {
        TIndexControl* ic = IndexOfOrder(order);
        return ic != nullptr ? OrderKeyText(SlotOf(*ic)) : std::string();
    };
    h.ControllingKeyText = [] { return OrderKeyText(1); };
    h.OrderAscending = [](int order) {
        TIndexControl* ic = IndexOfOrder(order);
        return ic == nullptr || !ic->Descending;
    };
    h.OrderSoundex = [](int order) {
        TIndexControl* ic = IndexOfOrder(order);
        return ic != nullptr && ic->SoundexKey;
    };
    h.SemaphoreReadLock = [](bool on) { SetReadSemaphore(on); };
    h.SemaphoreWriteLock = [](bool on) { SetLockSemaphore(on); };
    ndx.Installed = true;
}

void IndexDone()
{
    const uint8_t area = dbcmd.CurrentArea;
    for (int n = 1; n <= 34; ++n) {
        dbcmd.CurrentArea = static_cast<uint8_t>(n);
        if (SelectedArea() != nullptr) CloseAllIndexes();
    }
    dbcmd.CurrentArea = area;
}
