// Work areas, USE and closing.
#include "xbase/cmd/dbcmd.h"

#include "foundation/codepage.h"
#include "xbase/core/dberror.h"
#include "xbase/core/dbhooks.h"
#include "xbase/core/dbstrings.h"

#include <algorithm>
#include <cstring>
#include <vector>

TDbCommands dbcmd;

void ResetDbCommands()
{
    for (auto& slot : dbcmd.WorkAreas)
        slot.reset();
    dbcmd = TDbCommands{};
}

bool CheckDbInUse(const std::string& tag)
{
    if (SelectedArea() != nullptr) return true;
    SetError(215, "No database in use [" + tag + "]  WorkArea = " + std::to_string(dbcmd.CurrentArea));
    return false;
}

bool IndexActive()
{
    return dbhooks.DbHooks.IndexOpen && dbhooks.DbHooks.IndexOpen();
}

void Select(int n)
{
    dberror.DbErrorCode = 0;
    if (n == 0) {
        for (int i = 1; i <= 33; ++i) {
            if (!dbcmd.WorkAreas[i]) {
                dbcmd.CurrentArea = static_cast<uint8_t>(i);
                return;
            }
        }
        SetError(220, "No free workarea available [Select(0)]");
        return;
    }
    if (n < 0 || n > 33) {
        SetError(220, "Invalid workarea selected = [Select(" + std::to_string(n) + ")]");
        return;
    }
    dbcmd.CurrentArea = static_cast<uint8_t>(n);
}

uint8_t CurrentAreaNo()
{
    return dbcmd.CurrentArea;
}

namespace
{

// Position of a keyword in the upper-case command, or npos.
std::size_t FindWord(const std::string& upper, const std::string& word)
{
    return upper.find(word);
}

bool AliasTaken(const std::string& alias, uint8_t self)
{
    for (int i = 1; i <= 33; ++i) {
        if (i == self || !dbcmd.WorkAreas[i]) continue;
        if (dbcmd.WorkAreas[i]->AliasName == alias) return true;
    }
    return false;
}

std::string AliasInUse(const std::string& alias)
{
    return "Alias name \"" + FileNameToOem(alias) + "\" already in use. [USE]";
}

bool UseVirtual(const std::string& command, const std::string& upper, uint8_t* buffer, uint16_t size)
{
    const std::string tagged = "[USE(" + command + ",<@Buffer>,<size>)]";
    if (!dbhooks.VFileDriver) {
        SetError(1101, tagged);
        return false;
    }
    if (buffer == nullptr) {
        SetError(220, "NIL buffer pointer [USE(" + command + ",Nil," + std::to_string(size) + ")]");
        return false;
    }
    std::string alias;
    std::size_t ap = upper.find(" ALIAS ");
    if (ap != std::string::npos) {
        std::string rest = AllTrim(upper.substr(ap + 7));
        alias = rest.substr(0, rest.find(' '));
    } else {
        std::string first = AllTrim(upper);
        alias = first.substr(0, first.find(' '));
    }
    alias = alias.substr(0, alias.find('.')).substr(0, 64);
    if (AliasTaken(alias, dbcmd.CurrentArea)) {
        SetError(220, AliasInUse(alias));
        return false;
    }
    auto area = std::make_unique<TWorkArea>();
    area->AliasName = alias;
    area->IsVirtual = true;
    area->AreaNo = dbcmd.CurrentArea;
    area->RecordLength = size;
    area->AtBegin = area->AtEnd = true;
    area->NativeRecord = buffer;
    area->NativeSize = size;
    area->RecordBuffer.assign(size, '\0');
    uint8_t storage = 1;
    struct {
        const char* word;
        uint8_t kind;
    } kinds[] = {{" TO EMS", 2}, {" TO EXT", 3}, {" TO XMS", 3}, {" TO HEAP", 1}, {" TO BIGGEST", 5}};
    for (const auto& k : kinds)
        if (upper.find(k.word) != std::string::npos) storage = k.kind;
    area->StorageKind = storage;
    area->Exclusive = true;
    area->FileState = FileOpen;
    TWorkArea* raw = area.get();
    dbcmd.WorkAreas[dbcmd.CurrentArea] = std::move(area);
    raw->VirtualOp = VirtualOpen;
    dbhooks.VFileDriver(raw->AreaNo);
    struct {
        const char* word;
        uint8_t order;
    } orders[] = {{" FIFO", 0}, {" LIFO", 1}, {" INSERTION", 2}, {" ASCENDING", 3}, {" DESCENDING", 4}};
    std::string name = upper;
    for (const auto& o : orders) {
        if (std::size_t p = name.find(o.word); p != std::string::npos) {
            raw->Ordering = o.order;
            name.erase(p, std::strlen(o.word));
        }
    }
    for (const char* w : {" VIRTUAL FILE", "VIRTUAL FILE", " LINKED LIST", "LINKED LIST", " TO EMS",
                          " TO EXT", " TO XMS", " TO HEAP", " TO BIGGEST"})
        if (std::size_t p = name.find(w); p != std::string::npos) name.erase(p, std::strlen(w));
    raw->Name = RTrimStr(name);
    return true;
}

// Departs from taking an exclusive open's count from the header alone
// (unless the count is asked to come from the file size): the engine writes
// the count only at a close, so an appender killed before his close leaves
// whole records behind the header's count, which every shared user already
// counts and sees. An exclusive user that trusted the header would append
// over such a record and lose it. So the whole records behind the count are
// counted too, up to the first whose delete flag is neither a blank nor "*"
// (padding or zeros behind the end of a file some other program wrote); a
// part record at the end stays outside. The count reaches the header only
// through a close that changed the table: an unchanged open and close leaves
// the file as it was.
void CountRecordsBehindHeader(TWorkArea& a)
{
    if (a.IsVirtual || a.RecordLength == 0) return;
    const int64_t size = a.File.Size();
    if (size < a.HeaderLength) return;
    const int64_t whole = std::min<int64_t>((size - a.HeaderLength) / a.RecordLength, INT32_MAX);
    if (whole <= a.RecordCount) return;
    const int32_t header = a.RecordCount;
    int32_t count = header;
    const std::size_t rl = a.RecordLength;
    const int32_t chunk = static_cast<int32_t>(std::max<std::size_t>(1, (1u << 16) / rl));
    std::vector<char> bytes(static_cast<std::size_t>(chunk) * rl);
    bool ended = false;
    while (!ended && count < whole) {
        const int32_t n = static_cast<int32_t>(std::min<int64_t>(chunk, whole - count));
        const std::size_t want = static_cast<std::size_t>(n) * rl;
        if (a.File.ReadAt(RecordPosition(a, count + 1), bytes.data(), want) != static_cast<long>(want)) break;
        for (int32_t i = 0; i < n; ++i) {
            const char flag = bytes[static_cast<std::size_t>(i) * rl];
            if (flag != ' ' && flag != '*') {
                ended = true;
                break;
            }
            ++count;
        }
    }
    if (count == header) return;
    a.RecordCount = count;
    a.HeaderCountAtOpen = header;
    a.CountAtOpen = count;
    if (a.RecordNumber == 0) {
        a.RecordNumber = 1;
        a.AtBegin = a.AtEnd = false;
    }
}

} // namespace

bool UseWithHooks(const std::string& command, uint8_t* buffer, uint16_t size, TRecordHook readHook,
                  TRecordHook writeHook)
{
    dberror.DbErrorCode = 0;
    CloseArea();
    if (AllTrim(command).empty()) return true;
    // Keywords are found in an upper-case copy; the file name keeps the
    // caller's case (file names are matched ignoring case anyway).
    std::string cmd = command + " ";
    std::string upper = UpperStr(cmd);
    if (upper.find("LINKED LIST") != std::string::npos || upper.find("VIRTUAL FILE") != std::string::npos)
        return UseVirtual(command, upper, buffer, size);
    if ((buffer == nullptr) != (size == 0)) {
        SetError(220, "Buffer is NIL or size is zero, attempting to open " + command + " [USE]");
        return false;
    }
    bool exclusive = false;
    if (std::size_t p = FindWord(upper, " EXCLUSIVE"); p != std::string::npos) {
        exclusive = true;
        upper.erase(p, 10);
        cmd.erase(p, 10);
    }
    std::string alias;
    if (std::size_t p = FindWord(upper, " ALIAS "); p != std::string::npos) {
        std::string rest = TrimLeftStr(upper.substr(p + 7));
        alias = rest.substr(0, rest.find(' ')).substr(0, 64);
        upper.resize(p);
        cmd.resize(p);
    }
    std::string fileName = DefaultExtension(FExpand(AllTrim(cmd)), "DBF");
    if (alias.empty()) {
        std::string dir, name, ext;
        FSplit(fileName, dir, name, ext);
        alias = UpperStr(name).substr(0, 64);
    }

    uint16_t mode = dbcmd.DefaultOpenMode;
    if (mode == 18) exclusive = true;
    if (!dbcmd.SharedAccess) exclusive = true;
    mode = exclusive ? 18 : dbcmd.DefaultOpenMode;
    if (dbcmd.ForcedOpenMode < 65535) mode = dbcmd.ForcedOpenMode;

    auto area = std::make_unique<TWorkArea>();
    area->Name = fileName;
    area->OemText = !dbcmd.AnsiTables;
    area->OpenedByUse = true;
    area->AreaNo = dbcmd.CurrentArea;
    const uint16_t previousMode = dbffile.FileOpenMode;
    dbffile.FileOpenMode = mode;
    bool opened = OpenDbf(*area);
    dbffile.FileOpenMode = previousMode;
    if (!opened) return false;
    area->AliasName = alias;
    area->Exclusive = exclusive;
    if (exclusive) CountRecordsBehindHeader(*area);
    ComputeNativeOffsets(*area);
    const uint16_t nativeSize = NativeRecordSize(*area);
    TWorkArea* a = area.get();
    dbcmd.WorkAreas[dbcmd.CurrentArea] = std::move(area);
    if (buffer == nullptr) {
        a->OwnedNative.assign(nativeSize, 0);
        a->NativeRecord = a->OwnedNative.data();
        a->OwnsNative = true;
    } else {
        a->NativeRecord = buffer;
    }
    a->NativeSize = nativeSize;
    if (buffer != nullptr && size != nativeSize) {
        CloseArea();
        SetError(266, "Database record/buffer size mismatch: " + command + " [USE()]" + "\n\r" +
                          "Record Size=" + std::to_string(nativeSize) +
                          ", Buffer Size=" + std::to_string(size));
        return false;
    }
    if (AliasTaken(alias, dbcmd.CurrentArea)) {
        CloseArea();
        SetError(220, AliasInUse(alias));
        return false;
    }
    a->ReadHook = std::move(readHook);
    a->WriteHook = std::move(writeHook);
    if (a->RecordCount < 1) {
        std::memset(a->NativeRecord, 0, a->NativeSize);
        ClearRecord();
        a->AtBegin = a->AtEnd = true;
    } else {
        GoTop();
    }
    a->SwapBuffer.assign(a->NativeSize, 0);
    if (a->HasMemo && dbhooks.MemoHooks.OpenMemofile) {
        uint16_t code = dbhooks.MemoHooks.OpenMemofile(a->Name);
        if (code != 0) {
            CloseArea();
            SetError(code, "Problem opening memo file [USE(" + command + ",<@Buffer>," +
                               std::to_string(size) + ")]");
            return false;
        }
    }
    return dbcmd.WorkAreas[dbcmd.CurrentArea] != nullptr;
}

bool UseFile(const std::string& command, uint8_t* buffer, uint16_t size)
{
    return UseWithHooks(command, buffer, size, nullptr, nullptr);
}

void CloseArea()
{
    TWorkArea* a = SelectedArea();
    if (a == nullptr) return;
    if (!a->IsVirtual && IndexActive() && dbhooks.DbHooks.CloseAllIndexes) dbhooks.DbHooks.CloseAllIndexes();
    Unlock();
    a->SwapBuffer.clear();
    if (a->HasMemo && dbhooks.MemoHooks.CloseMemofile) dbhooks.MemoHooks.CloseMemofile();
    if (dbcmd.PeekCache.OwnerAlias == a->AliasName) dbcmd.PeekCache = TPeekCache{};
    if (dbhooks.KeyMakerHooks.FreeExpr) {
        if (a->FilterExpr != nullptr) dbhooks.KeyMakerHooks.FreeExpr(a->FilterExpr);
        if (a->WhileExpr != nullptr) dbhooks.KeyMakerHooks.FreeExpr(a->WhileExpr);
    }
    a->FilterExpr = a->WhileExpr = nullptr;
    // The header of a shared table is written under the append lock, taken
    // after the area's own locks are gone, with the count refreshed under it
    // (not before the unlock), rather than unlocked as the close has always
    // been: another user appending between an unlocked count and the write
    // would be left out of the header, and the end-of-file byte would land on
    // his record's delete flag. Without the lock no end-of-file byte is
    // written; the user still appending writes his own at his close. A table
    // not changed writes nothing and takes no lock.
    bool endOfFile = true;
    if (!a->IsVirtual && !a->Exclusive && dbcmd.SharedAccess &&
        (a->FileState == FileChanged || a->FileState == FileAppended)) {
        const uint8_t area = dbcmd.CurrentArea;
        endOfFile = LockAppendRegion();
        RefreshCount();
        PassStep("close: count refreshed");
        dbcmd.CurrentArea = area;
    }
    CloseDbf(*a, endOfFile);
    dbcmd.WorkAreas[dbcmd.CurrentArea].reset();
}

void PassStep(const std::string& step)
{
    // Called through a copy: a seam may clear or replace itself.
    if (const auto seam = dbcmd.StepSeam) seam(step);
}

void CloseAll()
{
    dberror.DbErrorCode = 0;
    for (int i = 1; i <= 33; ++i) {
        dbcmd.CurrentArea = static_cast<uint8_t>(i);
        CloseArea();
    }
    dbcmd.CurrentArea = 1;
}

std::string Alias()
{
    TWorkArea* a = SelectedArea();
    return a == nullptr ? std::string() : a->AliasName;
}

std::function<void()> SetRelation(std::function<void()> proc)
{
    TWorkArea* a = SelectedArea();
    if (a == nullptr) return nullptr;
    std::function<void()> previous = std::move(a->Relation);
    a->Relation = std::move(proc);
    if (a->Relation) RunRelation();
    return previous;
}

void RunRelation()
{
    TWorkArea* a = SelectedArea();
    if (a == nullptr || !a->Relation) return;
    const uint8_t area = dbcmd.CurrentArea;
    const int32_t record = a->RecordNumber;
    bool found = false;
    bool* foundFlag = dbhooks.DbHooks.LastFindFound ? dbhooks.DbHooks.LastFindFound() : nullptr;
    if (foundFlag != nullptr) found = *foundFlag;
    // The relation is taken out while it runs, so it cannot recurse.
    std::function<void()> relation = std::move(a->Relation);
    a->Relation = nullptr;
    relation();
    dbcmd.CurrentArea = area;
    if (foundFlag != nullptr) *foundFlag = found;
    a = SelectedArea();
    if (a == nullptr) return;
    a->Relation = std::move(relation);
    if (dberror.PendingErrorCode == 0 && a->RecordNumber != record)
        SetError(224, FileNameToOem(a->AliasName));
}
