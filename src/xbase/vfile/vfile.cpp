// Virtual files: the linked list of records behind a "LINKED LIST" or
// "VIRTUAL FILE" work area, and the handler the command set calls.
#include "xbase/vfile/dbvfile.h"

#include "foundation/codepage.h"
#include "xbase/cmd/dbcmd.h"
#include "xbase/core/dberror.h"
#include "xbase/core/dbhooks.h"
#include "xbase/core/dbstrings.h"
#include "xbase/dbf/dbffile.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <new>

TDbVFiles dbvfiles;

namespace
{

const std::string ListTag = " [VFiles]";

void FreeList(TVFileArea& v)
{
    for (TVNode* n = v.First; n != nullptr;) {
        TVNode* next = n->Next;
        delete n;
        n = next;
    }
    v.First = v.Last = v.Current = nullptr;
}

TVFileArea& ListOf(uint8_t area)
{
    return dbvfiles.Areas[area < dbvfiles.Areas.size() ? area : 0];
}

// The record in the record buffer: its bytes and where its delete flag is.
std::size_t RecordSize(const TWorkArea& a)
{
    if (a.RecordLength != 0) return a.RecordLength;
    uint16_t n = 0;
    std::memcpy(&n, a.NativeRecord, 2);
    return static_cast<std::size_t>(n) + 2;
}

std::size_t DeleteFlagAt(const TWorkArea& a)
{
    return a.RecordLength != 0 ? 0 : 2;
}

void LoadBuffer(TWorkArea& a, const TVNode& n)
{
    if (a.NativeRecord == nullptr) return;
    const std::size_t size =
        a.RecordLength != 0 ? std::min<std::size_t>(a.RecordLength, n.Data.size()) : n.Data.size();
    std::memcpy(a.NativeRecord, n.Data.data(), size);
}

// ---- keys

struct TVKey {
    std::string Text;
    bool Numeric = false;
    double Value = 0;
};

TVKey MakeKey(const std::string& made)
{
    TVKey k;
    k.Text = made.substr(0, 100);
    const std::string t = AllTrim(k.Text);
    if (!t.empty()) {
        const char* first = t.data();
        const char* last = t.data() + t.size();
        if (*first == '+') ++first;
        auto [p, ec] = std::from_chars(first, last, k.Value);
        k.Numeric = ec == std::errc() && p == last;
    }
    return k;
}

// -1, 0, 1
int CompareKeys(const TVKey& x, const TVKey& y)
{
    if (x.Numeric && y.Numeric) return x.Value < y.Value ? -1 : (x.Value > y.Value ? 1 : 0);
    const int c = x.Text.compare(y.Text);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// The key of the record in the buffer.
TVKey BufferKey(const TVFileArea& v)
{
    return MakeKey(v.KeyMaker(v.KeyData));
}

// The key of a stored record: the key maker reads the record buffer, so the
// record is put there for the call and the buffer restored.
TVKey NodeKey(TWorkArea& a, const TVFileArea& v, const TVNode& n)
{
    const std::size_t size = std::max<std::size_t>(RecordSize(a), n.Data.size());
    std::vector<uint8_t> keep(a.NativeRecord, a.NativeRecord + size);
    LoadBuffer(a, n);
    TVKey k = BufferKey(v);
    std::memcpy(a.NativeRecord, keep.data(), keep.size());
    return k;
}

// ---- list operations

TVNode* NodeAt(const TVFileArea& v, int32_t t)
{
    TVNode* n = v.First;
    for (int32_t i = 1; i < t && n != nullptr; ++i)
        n = n->Next;
    return n;
}

// Moves to record t, walking from the nearest of first, current and last.
bool Position(TWorkArea& a, TVFileArea& v, int32_t t)
{
    const int32_t count = a.RecordCount;
    if (t < 1 || t > count) {
        SetError(212, "Attempted to position to record number " + std::to_string(t) +
                          "  Database record count is " + std::to_string(count) + FileNameToOem(a.AliasName) +
                          ListTag);
        return false;
    }
    const int32_t c = a.RecordNumber;
    TVNode* n;
    int32_t from;
    if (v.Current != nullptr && c >= 1 && c <= count && std::abs(t - c) <= std::min(t - 1, count - t)) {
        n = v.Current;
        from = c;
    } else if (t - 1 <= count - t) {
        n = v.First;
        from = 1;
    } else {
        n = v.Last;
        from = count;
    }
    for (; from < t && n != nullptr; ++from)
        n = n->Next;
    for (; from > t && n != nullptr; --from)
        n = n->Prev;
    v.Current = n;
    a.RecordNumber = t;
    return n != nullptr;
}

void LinkAfter(TVFileArea& v, TVNode* after, TVNode* n)
{
    n->Prev = after;
    n->Next = after != nullptr ? after->Next : v.First;
    if (n->Next != nullptr)
        n->Next->Prev = n;
    else
        v.Last = n;
    if (after != nullptr)
        after->Next = n;
    else
        v.First = n;
}

void Unlink(TVFileArea& v, TVNode* n)
{
    if (n->Prev != nullptr)
        n->Prev->Next = n->Next;
    else
        v.First = n->Next;
    if (n->Next != nullptr)
        n->Next->Prev = n->Prev;
    else
        v.Last = n->Prev;
    n->Prev = n->Next = nullptr;
}

void SetEmpty(TWorkArea& a, TVFileArea& v)
{
    FreeList(v);
    a.RecordCount = 0;
    a.RecordNumber = 0;
    a.AtBegin = a.AtEnd = true;
}

// Removes the current record: the following one becomes current with the
// same number, or the new last one when the last was removed.
void Snip(TWorkArea& a, TVFileArea& v)
{
    TVNode* n = v.Current;
    if (n == nullptr) return;
    TVNode* next = n->Next;
    TVNode* prev = n->Prev;
    Unlink(v, n);
    delete n;
    --a.RecordCount;
    if (a.RecordCount <= 0) {
        SetEmpty(a, v);
        return;
    }
    if (next != nullptr) {
        v.Current = next;
    } else {
        v.Current = prev;
        a.RecordNumber = a.RecordCount;
    }
}

// Number of the place (1-based) before which a record with the key goes in
// a sorted order: after every record whose key equals its own.
int32_t SortedPlace(TWorkArea& a, TVFileArea& v, const TVKey& key, bool ascending)
{
    // "goes after" record r: ascending key(r) <= key; descending key(r) >= key.
    auto after = [&](const TVNode& n) {
        const int c = CompareKeys(NodeKey(a, v, n), key);
        return ascending ? c <= 0 : c >= 0;
    };
    const int32_t count = a.RecordCount;
    if (after(*v.Last)) return count + 1;
    if (!after(*v.First)) return 1;
    int32_t lo = 1, hi = count; // after(lo) holds, after(hi) does not
    std::vector<TVNode*> nodes;
    nodes.reserve(static_cast<std::size_t>(count));
    for (TVNode* n = v.First; n != nullptr; n = n->Next)
        nodes.push_back(n);
    while (hi - lo > 1) {
        const int32_t mid = lo + (hi - lo) / 2;
        if (after(*nodes[static_cast<std::size_t>(mid - 1)]))
            lo = mid;
        else
            hi = mid;
    }
    return hi;
}

// Adds the record buffer as a new record in the area's order; the new
// record becomes current.
bool AddLL(TWorkArea& a, TVFileArea& v)
{
    const uint8_t order = a.Ordering;
    if (order > VFileDescending) {
        SetError(1100, std::to_string(order) + " is an invalid VFile mode set for " +
                           FileNameToOem(a.AliasName) + " [(AddLL) VFiles INTERNAL ERROR]");
        return false;
    }
    const bool sorted = order == VFileAscending || order == VFileDescending;
    if (sorted && !v.KeyMaker) {
        SetError(1100, FileNameToOem(a.AliasName) + " is a " + "\"Sorted\"" +
                           " virtual file with no keymaker function. [Append/InsertRec/PushRec]");
        return false;
    }
    TVNode* n = new (std::nothrow) TVNode;
    if (n == nullptr) {
        SetError(217, "Not enough HEAP to setup pointers.  Cannot add new record to " +
                          FileNameToOem(a.AliasName) + ListTag);
        return false;
    }
    try {
        n->Data.assign(a.NativeRecord, a.NativeRecord + RecordSize(a));
    } catch (const std::bad_alloc&) {
        delete n;
        SetError(217, "Not enough HEAP memory to add new record to " + FileNameToOem(a.AliasName) + ListTag);
        return false;
    }
    int32_t number;
    if (v.First == nullptr) {
        LinkAfter(v, nullptr, n);
        number = 1;
    } else if (order == VFileFifo) {
        LinkAfter(v, v.Last, n);
        number = a.RecordCount + 1;
    } else if (order == VFileLifo) {
        LinkAfter(v, nullptr, n);
        number = 1;
    } else if (order == VFileInsertion) {
        const int32_t c = a.RecordNumber;
        if (c > 1) {
            // The new record takes the current record's number.
            TVNode* before = c > a.RecordCount ? v.Last : NodeAt(v, c - 1);
            LinkAfter(v, before, n);
            number = std::min(c, a.RecordCount + 1);
        } else {
            LinkAfter(v, nullptr, n);
            number = 1;
        }
    } else {
        const TVKey key = BufferKey(v);
        const int32_t place = SortedPlace(a, v, key, order == VFileAscending);
        LinkAfter(v, place == 1 ? nullptr : NodeAt(v, place - 1), n);
        number = place;
    }
    ++a.RecordCount;
    v.Current = n;
    a.RecordNumber = number;
    a.AtBegin = false;
    a.AtEnd = false;
    return true;
}

void ReplaceRecord(TWorkArea& a, TVFileArea& v, int32_t t)
{
    if (t > a.RecordCount) {
        AddLL(a, v);
        return;
    }
    if (!Position(a, v, t)) return;
    TVNode* n = v.Current;
    std::vector<uint8_t> data;
    try {
        data.assign(a.NativeRecord, a.NativeRecord + RecordSize(a));
    } catch (const std::bad_alloc&) {
        SetError(217, "Not enough HEAP memory to add new record to " + FileNameToOem(a.AliasName) + ListTag);
        return;
    }
    const bool sorted = a.Ordering == VFileAscending || a.Ordering == VFileDescending;
    if (sorted && v.KeyMaker) {
        // It stays in its place while its new key still lies between its
        // neighbours' keys; otherwise it is placed as a new record.
        const TVKey key = BufferKey(v);
        const bool ascending = a.Ordering == VFileAscending;
        bool fits = true;
        if (n->Prev != nullptr) {
            const int c = CompareKeys(NodeKey(a, v, *n->Prev), key);
            fits = ascending ? c <= 0 : c >= 0;
        }
        if (fits && n->Next != nullptr) {
            const int c = CompareKeys(key, NodeKey(a, v, *n->Next));
            fits = ascending ? c <= 0 : c >= 0;
        }
        if (!fits) {
            Snip(a, v);
            if (a.RecordCount == 0) a.AtBegin = a.AtEnd = false;
            AddLL(a, v);
            return;
        }
    }
    n->Data = std::move(data);
}

bool VirtualArea(const std::string& tag, TWorkArea*& a)
{
    if (!CheckDbInUse(tag)) return false;
    a = SelectedArea();
    if (!a->IsVirtual) {
        SetError(1100, a->AliasName + " is not a virtual file." + " [" + tag + "]");
        return false;
    }
    return true;
}

} // namespace

void ResetDbVFiles()
{
    for (auto& v : dbvfiles.Areas)
        FreeList(v);
    dbvfiles = TDbVFiles{};
}

void InstallVFileDriver()
{
    dbhooks.VFileDriver = [](uint8_t area) { VFileDriver(area); };
}

void VFileDriver(uint8_t areaNo)
{
    if (areaNo < 1 || areaNo > 35 || !dbcmd.WorkAreas[areaNo]) return;
    TWorkArea& a = *dbcmd.WorkAreas[areaNo];
    TVFileArea& v = ListOf(areaNo);
    const int32_t t = a.VirtualArg;
    switch (a.VirtualOp) {
    case VirtualClose:
        FreeList(v);
        v = TVFileArea{};
        break;
    case VirtualDelete:
    case VirtualRecall: {
        const uint8_t flag = a.VirtualOp == VirtualDelete ? 1 : 0;
        if (v.Current == nullptr) break;
        const std::size_t at = DeleteFlagAt(a);
        if (at < v.Current->Data.size()) v.Current->Data[at] = flag;
        if (a.NativeRecord != nullptr) a.NativeRecord[at] = flag;
        break;
    }
    case VirtualRead:
        if (Position(a, v, t)) {
            LoadBuffer(a, *v.Current);
            a.AtBegin = a.AtEnd = false;
        }
        break;
    case VirtualOpen:
        SetEmpty(a, v);
        break;
    case VirtualPack: {
        const std::size_t at = DeleteFlagAt(a);
        a.RecordNumber = 1;
        for (TVNode* n = v.First; n != nullptr;) {
            TVNode* next = n->Next;
            if (at < n->Data.size() && n->Data[at] != 0) {
                v.Current = n;
                Snip(a, v);
            }
            n = next;
        }
        if (a.RecordCount > 0) {
            v.Current = v.First;
            a.RecordNumber = 1;
            LoadBuffer(a, *v.First);
            a.AtBegin = a.AtEnd = false;
        }
        break;
    }
    case VirtualPop:
        if (v.First == nullptr) {
            SetError(1100, "Virtual file empty - no more records to POP from " + FileNameToOem(a.AliasName) +
                               " [(PopRec) VFiles]");
            break;
        }
        if (a.Ordering == VFileInsertion) {
            SetError(1100, "Cannot POP a record in INSERTION mode from " + FileNameToOem(a.AliasName) +
                               " [(PopRec) VFiles]");
            break;
        }
        v.Current = v.First;
        a.RecordNumber = 1;
        LoadBuffer(a, *v.First);
        Snip(a, v);
        break;
    case VirtualAppend:
        AddLL(a, v);
        break;
    case VirtualWrite:
        ReplaceRecord(a, v, t);
        break;
    case VirtualSnip:
        Snip(a, v);
        break;
    case VirtualZap:
        SetEmpty(a, v);
        break;
    default:
        break;
    }
}

void Set_VFileKey_To(TVFileKeyMaker keyMaker, void* data)
{
    TWorkArea* a = nullptr;
    if (!VirtualArea("Set_VFileKey_To", a)) return;
    TVFileArea& v = ListOf(a->AreaNo);
    v.KeyMaker = std::move(keyMaker);
    v.KeyData = data;
}

uint8_t Get_VFileMode()
{
    TWorkArea* a = nullptr;
    if (!VirtualArea("Get_VFileMode", a)) return 0;
    return a->Ordering;
}

void Set_VFileMode_To(uint8_t order)
{
    TWorkArea* a = nullptr;
    if (!VirtualArea("Set_VFileMode_To", a)) return;
    const bool toSorted = order == VFileAscending || order == VFileDescending;
    if (a->RecordCount >= 2 && toSorted && order != a->Ordering) {
        SetError(1100, "Cannot set a sort mode on a virtual file containing records. (" +
                           FileNameToOem(a->AliasName) + ") [(Set_VFileMode_To) VFiles]");
        return;
    }
    a->Ordering = order;
}

void SortVFile(uint8_t order)
{
    TWorkArea* a = nullptr;
    if (!VirtualArea("SortVFile", a)) return;
    TVFileArea& v = ListOf(a->AreaNo);
    if (!v.KeyMaker) {
        SetError(1100, a->AliasName + " has no KeyMaker.  Records cannot be sorted. [SortVFile]");
        return;
    }
    if (order != VFileAscending && order != VFileDescending) {
        SetError(220, "Sort mode not ASCENDING or DESCENDING for " + FileNameToOem(a->AliasName) +
                          " [(SortVFile) VFiles]");
        return;
    }
    // Records with equal keys keep their order, as when each is added anew.
    std::vector<std::pair<TVKey, TVNode*>> items;
    for (TVNode* n = v.First; n != nullptr; n = n->Next)
        items.emplace_back(NodeKey(*a, v, *n), n);
    const bool ascending = order == VFileAscending;
    std::stable_sort(items.begin(), items.end(), [ascending](const auto& x, const auto& y) {
        const int c = CompareKeys(x.first, y.first);
        return ascending ? c < 0 : c > 0;
    });
    v.First = v.Last = nullptr;
    for (auto& item : items)
        LinkAfter(v, v.Last, item.second);
    a->Ordering = order;
    if (v.First != nullptr) {
        v.Current = v.First;
        a->RecordNumber = 1;
        LoadBuffer(*a, *v.First);
        a->AtBegin = a->AtEnd = false;
    }
}

void SnipRec()
{
    TWorkArea* a = nullptr;
    if (!VirtualArea("SnipRec", a)) return;
    a->VirtualOp = VirtualSnip;
    VFileDriver(a->AreaNo);
}

void PopRec()
{
    TWorkArea* a = nullptr;
    if (!VirtualArea("PopRec", a)) return;
    a->VirtualOp = VirtualPop;
    VFileDriver(a->AreaNo);
}

void PushRec()
{
    TWorkArea* a = nullptr;
    if (!VirtualArea("PushRec", a)) return;
    a->VirtualOp = VirtualAppend;
    VFileDriver(a->AreaNo);
}

void AddStru(const std::vector<TDbfField>& fields)
{
    TWorkArea* a = nullptr;
    if (!VirtualArea("AddStru", a)) return;
    std::vector<TDbfField> list;
    for (const TDbfField& in : fields) {
        TDbfField f;
        f.Name = UpperStr(in.Name.substr(0, 10));
        f.Type = CharUpper(in.Type);
        f.Length = in.Length;
        f.Decimals = in.Decimals;
        switch (f.Type) {
        case 'C':
        case 'F':
        case 'N':
            if (f.Length == 0) {
                SetError(211, "Invalid length, field name: \"" + f.Name + "\" in VFile field list. Alias= " +
                                  FileNameToOem(a->AliasName) + " [AddStru]");
                return;
            }
            break;
        case 'D':
            f.Length = 8;
            break;
        case 'L':
            f.Length = 1;
            break;
        case 'M':
            f.Length = 10;
            f.Type = 'N';
            f.Decimals = 0;
            break;
        default:
            SetError(211, "Invalid type \"" + std::string(1, f.Type) +
                              "\" in VFile field list. Alias= " + FileNameToOem(a->AliasName) + " [AddStru]");
            return;
        }
        list.push_back(f);
    }
    ListOf(a->AreaNo).FieldList = std::move(list);
}

const std::vector<TDbfField>& VFileFieldList()
{
    static const std::vector<TDbfField> none;
    TWorkArea* a = SelectedArea();
    if (a == nullptr || !a->IsVirtual) return none;
    return ListOf(a->AreaNo).FieldList;
}
