// Key maintenance: a key inserted with page splits, a key removed with the
// pages it empties, and the keys of an appended or changed record.
#include "foundation/codepage.h"
#include "xbase/ndx/ndx.h"
#include "xbase/ndx/ndxinternal.h"

#include "xbase/cmd/dbcmd.h"
#include "xbase/core/dberror.h"
#include "xbase/ndx/ndxformat.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// ---------------------------------------------------------------- insertion

namespace
{

uint32_t NewPage(TIndexControl& ic)
{
    uint32_t n = ic.Header.NextFree;
    ic.Header.NextFree = n + 1;
    ic.HeaderChanged = true;
    return n;
}

// A write that left the index's pages disagreeing with each other or with
// the table: the index is marked for rebuild, and the failure says so.
int StaleAfterFailedWrite(TIndexControl& ic)
{
    MarkIndexStale(ic);
    const uint16_t code = dberror.DbErrorCode != 0 ? dberror.DbErrorCode : 101;
    SetError(code, "Error writing index file: " + FileNameToOem(ic.FileName) +
                       ". Index must be rebuilt: open the table exclusively to rebuild it. [AppendIndex]");
    return -1;
}

// The controlling order stands on the record's entry again.
void StandOnEntry(TIndexControl& ic, const std::string& key, int32_t record)
{
    bool found = ndx.LastFindFound;
    TAutoReportOff quiet;
    SeekEntry(ic, key, record, "SyncIndex");
    ndx.LastFindFound = found;
}

bool KeyEq(const TNdxEntry& e, const std::string& k)
{
    return e.Key == k;
}

} // namespace

int AppendIndex(const std::string& key, int slot)
{
    TIndexControl* ic = IndexOfSlot(slot);
    TWorkArea* a = SelectedArea();
    if (ic == nullptr || a == nullptr) return -1;
    const int32_t record = a->RecordNumber;
    const TNdxHeader& h = ic->Header;
    if (!Descend(*ic, key, true)) return -1;
    // The entry before the insertion point, if any.
    auto predecessor = [&](std::vector<TNdxLevel>& at) -> bool {
        at = ic->Path;
        std::swap(ic->Path, at);
        bool ok = StepPrior(*ic);
        std::swap(ic->Path, at);
        return ok;
    };
    {
        TNdxLevel& leaf = ic->Path.back();
        if (leaf.Index > 0) {
            --leaf.Index;
            bool equal = KeyAt(*ic, leaf.Page, leaf.Index) == key;
            ++leaf.Index;
            if (equal && h.Unique != 0) return 0;
        } else {
            std::vector<TNdxLevel> at;
            if (predecessor(at) && h.Unique != 0) {
                const TNdxLevel& l = at.back();
                if (KeyAt(*ic, l.Page, l.Index) == key) return 0;
            }
        }
    }
    // Among equal keys the entries stay in record-number order: step back
    // over equal keys of later records.
    for (int guard = 0; guard < (1 << 30); ++guard) {
        TNdxLevel& leaf = ic->Path.back();
        if (leaf.Index > 0) {
            int p = leaf.Index - 1;
            if (KeyAt(*ic, leaf.Page, p) == key && NodeRecord(leaf.Page, h, p) > record) {
                leaf.Index = p;
                continue;
            }
            break;
        }
        std::vector<TNdxLevel> at;
        if (!predecessor(at)) break;
        const TNdxLevel& l = at.back();
        if (KeyAt(*ic, l.Page, l.Index) == key && NodeRecord(l.Page, h, l.Index) > record) {
            ic->Path = std::move(at);
            continue;
        }
        break;
    }

    // The pages the insertion changes are staged and written afterwards, the
    // new pages (which grow the file) before any page the index already
    // has, rather than each as it is made: a full disk then refuses a new
    // page while the tree is still as it was, and the pages of a split are
    // never half written, which lost the keys of the split-off half.
    const TNdxHeader headerBefore = ic->Header;
    const bool headerChangedBefore = ic->HeaderChanged;
    const uint32_t firstNew = ic->Header.NextFree;
    std::vector<std::pair<uint32_t, TNdxPage>> staged;
    auto stage = [&staged](uint32_t node, const TNdxPage& page) {
        for (auto& [n, p] : staged)
            if (n == node) {
                p = page;
                return true;
            }
        staged.emplace_back(node, page);
        return true;
    };
    // Greatest key below a node, seeing the staged pages.
    auto subtreeMax = [&](uint32_t node, std::string& key) {
        for (std::size_t depth = 0; depth < kMaxDepth; ++depth) {
            TNdxPage page;
            auto it =
                std::find_if(staged.begin(), staged.end(), [node](const auto& s) { return s.first == node; });
            if (it != staged.end())
                page = it->second;
            else if (!GetNodePage(*ic, node, page))
                return false;
            int k = NodeKeyCount(page);
            if (NodeIsLeaf(page, ic->Header)) {
                if (k == 0) return false;
                key = KeyAt(*ic, page, k - 1);
                return true;
            }
            node = NodeChild(page, ic->Header, k);
        }
        CorruptError(*ic, "AppendIndex");
        return false;
    };
    const int kpp = h.KeysPerPage;
    const int half = kpp / 2;
    // Pending change for the level being worked on.
    TNdxEntry pending{0, record, key};
    bool leafLevel = true;
    uint32_t splitOld = 0;
    uint32_t splitNew = 0;
    std::string lowMax;
    std::string upMax;
    for (int level = static_cast<int>(ic->Path.size()) - 1; level >= 0; --level) {
        TNdxLevel& lv = ic->Path[static_cast<std::size_t>(level)];
        TNdxNode node = DecodeNode(lv.Page, h);
        const int pos = lv.Index;
        const int k = static_cast<int>(node.Entries.size());
        if (leafLevel) {
            if (k < kpp) {
                node.Entries.insert(node.Entries.begin() + pos, pending);
                if (!stage(lv.Node, EncodeNode(node, h))) return -1;
                splitOld = 0;
                break;
            }
            int m = kpp - half;
            TNdxNode lower;
            TNdxNode upper;
            lower.Entries.assign(node.Entries.begin(), node.Entries.begin() + m);
            upper.Entries.assign(node.Entries.begin() + m, node.Entries.end());
            bool toLower = pos < m || (pos == m && KeyEq(lower.Entries.back(), key));
            if (toLower)
                lower.Entries.insert(lower.Entries.begin() + pos, pending);
            else
                upper.Entries.insert(upper.Entries.begin() + (pos - m), pending);
            lower.SplitMark = 1;
            splitOld = lv.Node;
            splitNew = NewPage(*ic);
            if (!stage(splitOld, EncodeNode(lower, h)) || !stage(splitNew, EncodeNode(upper, h))) return -1;
            lowMax = lower.Entries.back().Key;
            upMax = upper.Entries.back().Key;
            leafLevel = false;
            continue;
        }
        // Inner node: the child at pos split into splitOld (lower) and
        // splitNew (upper).
        auto apply = [&](std::vector<TNdxEntry>& entries, uint32_t& right, int j) {
            if (j < static_cast<int>(entries.size())) {
                entries[static_cast<std::size_t>(j)].Child = splitNew;
                entries[static_cast<std::size_t>(j)].Key = upMax;
                entries.insert(entries.begin() + j, TNdxEntry{splitOld, 0, lowMax});
            } else {
                entries.push_back(TNdxEntry{splitOld, 0, lowMax});
                right = splitNew;
            }
        };
        if (k < kpp) {
            apply(node.Entries, node.RightChild, pos);
            if (!stage(lv.Node, EncodeNode(node, h))) return -1;
            splitOld = 0;
            break;
        }
        int m = kpp - half;
        TNdxNode lower;
        TNdxNode upper;
        lower.Entries.assign(node.Entries.begin(), node.Entries.begin() + (m - 1));
        lower.RightChild = node.Entries[static_cast<std::size_t>(m - 1)].Child;
        std::string leftKey = node.Entries[static_cast<std::size_t>(m - 1)].Key;
        upper.Entries.assign(node.Entries.begin() + m, node.Entries.end());
        upper.RightChild = node.RightChild;
        if (pos <= m - 1)
            apply(lower.Entries, lower.RightChild, pos);
        else
            apply(upper.Entries, upper.RightChild, pos - m);
        lower.SplitMark = 1;
        uint32_t old = lv.Node;
        uint32_t fresh = NewPage(*ic);
        if (!stage(old, EncodeNode(lower, h)) || !stage(fresh, EncodeNode(upper, h))) return -1;
        splitOld = old;
        splitNew = fresh;
        lowMax = leftKey;
        if (!subtreeMax(fresh, upMax)) {
            ic->Header = headerBefore; // nothing was written
            ic->HeaderChanged = headerChangedBefore;
            return -1;
        }
    }
    if (splitOld != 0) {
        // The root split: a new root above both halves.
        TNdxNode root;
        root.Entries.push_back(TNdxEntry{splitOld, 0, lowMax});
        root.RightChild = splitNew;
        uint32_t r = NewPage(*ic);
        if (!stage(r, EncodeNode(root, h))) return -1;
        ic->Header.Root = r;
    }
    // New pages first: a refused one leaves the tree as it was, and the file
    // is cut back to the pages it had.
    std::stable_sort(staged.begin(), staged.end(), [firstNew](const auto& x, const auto& y) {
        return (x.first >= firstNew) > (y.first >= firstNew);
    });
    for (const auto& [node, page] : staged) {
        if (node < firstNew) break;
        if (!WriteNodePage(*ic, node, page)) {
            ic->Header = headerBefore;
            ic->HeaderChanged = headerChangedBefore;
            ic->Path.clear();
            ic->HeldPages.Clear();
            ic->File.Truncate(static_cast<int64_t>(firstNew) * static_cast<int64_t>(NdxPageSize));
            CurrentIndexes().Cache.Clear();
            return -1;
        }
    }
    // The pages the index had are rewritten in place, which needs no new
    // space; should one fail all the same, the index no longer matches its
    // table and is marked for rebuild.
    for (const auto& [node, page] : staged) {
        if (node >= firstNew) continue;
        if (!WriteNodePage(*ic, node, page)) {
            ic->Path.clear();
            return StaleAfterFailedWrite(*ic);
        }
        PassStep("key: old page rewritten");
    }
    ic->HeaderChanged = true;
    if (!WriteAnchorNode(*ic)) {
        ic->Path.clear();
        return StaleAfterFailedWrite(*ic);
    }
    ic->Path.clear();
    if (slot == 1) StandOnEntry(*ic, key, record);
    return 0;
}

// ---------------------------------------------------------------- removal

namespace
{

// The greatest key below path level `level` changed to `key`: carry it up
// to the first ancestor that holds a key for that subtree.
bool CarrySeparator(TIndexControl& ic, int level, const std::string& key)
{
    for (int up = level - 1; up >= 0; --up) {
        TNdxLevel& p = ic.Path[static_cast<std::size_t>(up)];
        int k = NodeKeyCount(p.Page);
        if (p.Index < k) {
            TNdxNode node = DecodeNode(p.Page, ic.Header);
            node.Entries[static_cast<std::size_t>(p.Index)].Key = key;
            return WriteNodePage(ic, p.Node, EncodeNode(node, ic.Header));
        }
    }
    return true;
}

bool EmptyIndex(TIndexControl& ic)
{
    // Page 1 becomes the empty root again; the pages above it are dropped so
    // that the file's size agrees with the next free page number.
    TNdxPage empty{};
    if (!WriteNodePage(ic, 1, empty)) return false;
    ic.Header.Root = 1;
    ic.Header.NextFree = 2;
    ic.HeaderChanged = true;
    // The mapping goes before the pages it covers.
    ic.HeldPages.Clear();
    ic.File.Truncate(static_cast<int64_t>(2 * NdxPageSize));
    CurrentIndexes().Cache.Clear();
    return true;
}

} // namespace

int RemoveKey(const std::string& key, int slot, int32_t record)
{
    TIndexControl* ic = IndexOfSlot(slot);
    if (ic == nullptr) return -1;
    const TNdxHeader& h = ic->Header;
    bool foundFlag = ndx.LastFindFound;
    if (!Seek(*ic, key)) {
        ndx.LastFindFound = foundFlag;
        return -1;
    }
    bool found = ndx.LastFindFound;
    ndx.LastFindFound = foundFlag;
    if (!found) return -1;
    while (EntryRecord(*ic) != record) {
        if (!StepNext(*ic) || EntryKey(*ic) != key) return h.Unique != 0 ? 0 : -1;
    }
    int level = static_cast<int>(ic->Path.size()) - 1;
    TNdxLevel& leaf = ic->Path.back();
    TNdxNode node = DecodeNode(leaf.Page, h);
    const int idx = leaf.Index;
    if (node.Entries.size() > 1) {
        bool wasLast = idx == static_cast<int>(node.Entries.size()) - 1;
        node.Entries.erase(node.Entries.begin() + idx);
        if (!WriteNodePage(*ic, leaf.Node, EncodeNode(node, h))) return -1;
        if (wasLast && level > 0 && !CarrySeparator(*ic, level, node.Entries.back().Key)) return -1;
    } else {
        // The leaf empties: clear it and drop the pointer to it, going up as
        // long as nodes lose their last child.
        TNdxPage cleared{};
        if (!WriteNodePage(*ic, leaf.Node, cleared)) return -1;
        int lv = level;
        while (true) {
            if (lv == 0) {
                if (!EmptyIndex(*ic)) return -1;
                break;
            }
            TNdxLevel& p = ic->Path[static_cast<std::size_t>(lv - 1)];
            TNdxNode parent = DecodeNode(p.Page, h);
            int k = static_cast<int>(parent.Entries.size());
            if (k == 0) {
                // Its only child is gone: the parent goes too.
                if (!WriteNodePage(*ic, p.Node, cleared)) return -1;
                --lv;
                continue;
            }
            bool maxChanged = false;
            std::string newMax;
            if (p.Index < k) {
                parent.Entries.erase(parent.Entries.begin() + p.Index);
            } else {
                parent.RightChild = parent.Entries.back().Child;
                newMax = parent.Entries.back().Key;
                parent.Entries.pop_back();
                maxChanged = true;
            }
            if (!WriteNodePage(*ic, p.Node, EncodeNode(parent, h))) return -1;
            if (maxChanged && lv - 1 > 0 && !CarrySeparator(*ic, lv - 1, newMax)) return -1;
            break;
        }
        // An inner root without keys hands the root over to its only child.
        for (std::size_t guard = 0; guard < kMaxDepth; ++guard) {
            TNdxPage root;
            if (!GetNodePage(*ic, ic->Header.Root, root)) return -1;
            if (NodeIsLeaf(root, h) || NodeKeyCount(root) > 0) break;
            ic->Header.Root = NodeChild(root, h, 0);
            ic->HeaderChanged = true;
        }
    }
    ic->Path.clear();
    if (ic->HeaderChanged && !WriteAnchorNode(*ic)) return -1;
    return 0;
}

// ---------------------------------------------------------------- append and replace

void RefreshCurrentKeys()
{
    for (int s = 1; s <= 16; ++s) {
        TIndexControl* ic = IndexOfSlot(s);
        if (ic != nullptr) ic->CurrentKey = RecordKey(s);
    }
}

namespace
{

// A key an order took for the current record in the command being taken
// back, and the key it held before (none for an appended record).
struct TTakenKey {
    int Slot = 0;
    std::string Key;
    std::optional<std::string> Old;
};

// Takes back the keys the orders in `taken` received, last first: the new
// key comes out, the old one goes back in. An order that cannot be brought
// back keeps a key its table does not give and is marked for rebuild, and the
// error says so. Every open order's anchor is then stamped with the count of
// the table it now indexes (an order that took an appended key counted the
// record that goes with the take-back), and the marked orders are closed: a
// marked index is not used as it is.
void TakeBackKeys(const std::vector<TTakenKey>& taken, int32_t tableCount, const std::string& proc)
{
    TWorkArea* a = SelectedArea();
    const uint16_t code = dberror.DbErrorCode != 0 ? dberror.DbErrorCode : 101;
    const std::string text = dberror.DbErrorText;
    PassStep("index: keys taken back");
    for (auto it = taken.rbegin(); it != taken.rend(); ++it) {
        TIndexControl* ic = IndexOfSlot(it->Slot);
        if (ic == nullptr || ic->Stale) continue;
        if (RemoveKey(it->Key, it->Slot, a->RecordNumber) == 0 &&
            (!it->Old || AppendIndex(*it->Old, it->Slot) == 0))
            continue;
        MarkIndexStale(*ic);
        SetError(254, "Index file corrupted. " + FileNameToOem(ic->FileName) +
                          ". Index must be rebuilt: open the table exclusively to rebuild it. [" + proc +
                          "]");
    }
    if (dberror.DbErrorCode == 0) SetError(code, text);
    for (int s = 1; s <= 16; ++s)
        if (TIndexControl* ic = IndexOfSlot(s)) WriteAnchorNode(*ic, tableCount);
    for (int s = 1; s <= 16; ++s)
        if (IndexOfSlot(s) != nullptr && IndexOfSlot(s)->Stale) CloseIndex(s);
}

} // namespace

void AppendNewKey()
{
    TAreaIndexes& ai = CurrentIndexes();
    const bool natural = ai.Natural;
    TWorkArea* a = SelectedArea();
    // The new record is the current one, even when the table stood at its
    // end before the append.
    a->AtBegin = a->AtEnd = false;
    std::vector<TTakenKey> done;
    for (int s = 1; s <= 16; ++s) {
        if (IndexOfSlot(s) == nullptr) continue;
        std::string key = RecordKey(s);
        if (AppendIndex(key, s) != 0) {
            // The record's keys come out of the indexes that took them, so
            // that the append can be taken back whole (the caller removes
            // the record): the indexes are stamped with the table without it.
            TakeBackKeys(done, a->RecordCount - 1, "AppendNewKey");
            ai.Natural = natural && IndexIsOpen();
            return;
        }
        done.push_back({s, std::move(key), std::nullopt});
    }
    ai.Natural = natural;
    bool found = ndx.LastFindFound;
    if (IndexOfSlot(1) != nullptr && IndexOfSlot(1)->Path.empty()) SyncIndex(false);
    ndx.LastFindFound = found;
    RefreshCurrentKeys();
}

bool CompareKeys()
{
    TAreaIndexes& ai = CurrentIndexes();
    const bool natural = ai.Natural;
    TWorkArea* a = SelectedArea();
    std::vector<TTakenKey> moved;
    for (int s = 1; s <= 16; ++s) {
        TIndexControl* ic = IndexOfSlot(s);
        if (ic == nullptr) continue;
        std::string key = RecordKey(s);
        // The key the record had before the change, refreshed before it.
        const std::string old = ic->CurrentKey;
        if (old != key) {
            // Departs from removing the old key first: the new key goes in
            // while the old one is still there, so that a full disk, which
            // refuses the new key's page, leaves this order as it was, and the
            // orders moved before it are moved back: the command is taken
            // back whole rather than leaving the record in no index.
            if (AppendIndex(key, s) != 0) {
                TakeBackKeys(moved, a->RecordCount, "CompareKeys");
                ai.Natural = natural && IndexIsOpen();
                return false;
            }
            if (RemoveKey(old, s, a->RecordNumber) != 0) {
                if (ic->Header.Unique == 0)
                    SetError(254, "Record number " + std::to_string(a->RecordNumber) +
                                      " not found in index." + " " + FileNameToOem(ic->FileName) +
                                      " [CompareKeys]");
                dberror.DbErrorCode = 1;
            }
            moved.push_back({s, key, old});
            // The removal moved the controlling order away from the record.
            if (s == 1) StandOnEntry(*ic, key, a->RecordNumber);
        }
        ic->CurrentKey = key;
    }
    ai.Natural = natural;
    RefreshCurrentKeys();
    return true;
}
