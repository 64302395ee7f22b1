#include "xbase/dataset/filedataset.h"

#include "foundation/codepage.h"
#include "platform/platform.h"
#include "xbase/cmd/dbcmd.h"
#include "xbase/cmd/dbtransfer.h"
#include "xbase/core/dberror.h"
#include "xbase/core/dbstrings.h"
#include "xbase/dataset/fielddefinitions.h"
#include "xbase/dbf/dbffile.h"
#include "xbase/ndx/ndx.h"
#include "xbase/ui/messagewindows.h"

#include <filesystem>
#include <sstream>

namespace
{

const char* LockKindName(TLockKind kind)
{
    switch (kind) {
    case TLockKind::Insert:
        return "Insert";
    case TLockKind::Delete:
        return "Delete";
    case TLockKind::Restore:
        return "Restore";
    case TLockKind::Post:
        return "Post";
    }
    return "";
}

} // namespace

// The buffers follow the work area when a command ends.
struct TTzFileDataSet::SyncAtEnd {
    explicit SyncAtEnd(TTzFileDataSet& d) : ds(d) {}
    ~SyncAtEnd() { ds.SyncBuffers(); }
    TTzFileDataSet& ds;
};

std::string TzCheckText(int code)
{
    switch (code) {
    case TzOk:
        return "";
    case TzFailed:
    case TzBof:
    case TzEof:
        return "Dataset error: " + std::to_string(code);
    case TzNoFileName:
        return "The FileName property of the dataset not set";
    default:
        return "Dataset error: " + ErrorText(static_cast<uint16_t>(code));
    }
}

TTzFileDataSet::~TTzFileDataSet()
{
    if (Active()) Close();
}

bool TTzFileDataSet::OpenSource(const std::string& file)
{
    std::error_code ec;
    if (CreateIfNotFound && !std::filesystem::exists(file, ec)) {
        std::vector<TDbfField> fields;
        for (const auto& entry : DbfFields) {
            TDbfFieldDef def;
            if (!ParseDbfFieldEntry(entry, IsVirtual(), def)) continue;
            if (def.Corrected)
                platform::CurrentPlatform().Messages().ShowOk("", CorrectionMessage(file, def),
                                                              platform::MessageIcon::Warning);
            int len = def.Length;
            if (def.Type == 'D')
                len = 8;
            else if (def.Type == 'L')
                len = 1;
            else if (def.Type == 'M')
                len = 10;
            fields.push_back({UpperStr(def.Name).substr(0, 10), def.Type, static_cast<uint8_t>(len),
                              static_cast<uint8_t>(def.Decimals), 0});
        }
        if (fields.empty()) {
            SetError(1401, "FieldList.Count is <= 0 trying to create a database");
            return false;
        }
        TDbfTable t;
        if (!CreateDBF(t, file, fields)) {
            SetError(1401, "Could not create \"" + FileNameToOem(file) + "\"");
            return false;
        }
    }
    const uint16_t forced = dbcmd.ForcedOpenMode;
    // Without AutoFixRecCount the count is not repaired from the file size,
    // but an exclusive open still counts the whole records behind the
    // header's count (see UseWithHooks): a record another user appended must
    // not be lost to the next exclusive user for want of the setting.
    const bool fixCount = dbffile.CountFromFileSize;
    dbffile.CountFromFileSize = AutoFixRecCount;
    if (ReadOnly) dbcmd.ForcedOpenMode = Exclusive ? 16 : 64;
    // A named component opens its table under its own name, so expressions
    // and messages name the area as the form does.
    const bool ok = UseFile(file + (Exclusive ? " EXCLUSIVE" : "") + (Name.empty() ? "" : " ALIAS " + Name));
    dbcmd.ForcedOpenMode = forced;
    dbffile.CountFromFileSize = fixCount;
    if (!ok || SelectedArea() == nullptr) return false;
    if (dberror.DbErrorCode != 0) return false;
    return OpenIndexList();
}

bool TTzFileDataSet::OpenIndexList()
{
    if (IndexList.empty()) return true;
    struct TEntry {
        int Order;
        std::string File;
        std::string Key;
    };
    std::vector<TEntry> entries;
    int next = 1;
    for (const auto& text : IndexList) {
        TEntry e{next, "", ""};
        std::string rest = text;
        std::size_t c = rest.find(',');
        if (c != std::string::npos && c > 0) {
            const std::string head = AllTrim(rest.substr(0, c));
            if (!head.empty() && head.find_first_not_of("0123456789") == std::string::npos) {
                e.Order = TextToInteger(head);
                rest = rest.substr(c + 1);
            }
        }
        c = rest.find(',');
        e.File = AllTrim(rest.substr(0, c));
        e.Key = c == std::string::npos ? "" : AllTrim(rest.substr(c + 1)).substr(0, 100);
        next = e.Order + 1;
        entries.push_back(e);
    }
    TCreateIndexType mode = CreateIndex;
    // A semaphore file of another day is left over from a program that did
    // not end; one of today means others use the table: never rebuild then.
    const std::string sem = SemaphoreFileName(SelectedArea()->Name);
    if (FileExistsStr(sem) && !FileDatedToday(sem)) EraseFile(sem);
    if (FileExistsStr(sem) &&
        (mode == TCreateIndexType::ciAlways || mode == TCreateIndexType::ciVerifyHeader))
        mode = TCreateIndexType::ciNotFound;
    for (const auto& e : entries) {
        bool build = mode == TCreateIndexType::ciAlways;
        if (mode == TCreateIndexType::ciVerifyHeader) {
            TIndexInfo info;
            TAutoReportOff quiet;
            build = !IndexInfo(e.File, info) || info.RecordCount != RecCount();
            dberror.DbErrorCode = 0;
        }
        bool opened = false;
        if (!build) {
            TAutoReportOff quiet;
            opened = ::SetIndexTo(e.File, 1);
            const uint16_t code = dberror.DbErrorCode;
            if (!opened && (code == 2 || code == 222 || code == 223) && mode != TCreateIndexType::ciNever) {
                dberror.DbErrorCode = 0;
                build = true;
            } else if (!opened) {
                return false;
            }
        }
        if (build) {
            bool go = true;
            if (OnBeforeMakeIndex) OnBeforeMakeIndex(e.File, go);
            if (go) {
                std::unique_ptr<TTzMsg> note;
                if (ShowProgress) {
                    note = std::make_unique<TTzMsg>();
                    note->ShowMsg(DisplayText("Indexing " + FileNameToOem(e.File) + "..."));
                }
                Index_On(e.Key, e.File);
                if (dberror.DbErrorCode != 0) return false;
                if (OnAfterMakeIndex) OnAfterMakeIndex(e.File);
            }
        }
        CloseAllIndexes();
    }
    for (const auto& e : entries)
        if (!::SetIndexTo(e.File, e.Order)) return false;
    return true;
}

bool TTzFileDataSet::LockedWrite(TLockKind kind)
{
    if (ReadOnly) {
        SetError(1401, "Cannot modify a read-only dataset [" + Name + "]");
        return false;
    }
    std::string conflict;
    for (;;) {
        const bool locked = kind == TLockKind::Insert ? ::ALock() : ::RLock();
        if (locked) {
            switch (kind) {
            case TLockKind::Insert:
                Append();
                break;
            case TLockKind::Delete:
                DeleteRec();
                break;
            case TLockKind::Restore:
                RecallRec();
                break;
            case TLockKind::Post:
                if (!MergeEditWithFile(conflict)) {
                    Unlock();
                    RefuseConflictingEdit(conflict);
                    return false;
                }
                Replace();
                break;
            }
            const bool ok = dberror.DbErrorCode == 0;
            Unlock();
            return ok;
        }
        bool retry = false;
        const TTzLockRetryEvent& own = kind == TLockKind::Insert    ? OnALockFailedOnInsert
                                       : kind == TLockKind::Delete  ? OnRLockFailedOnDelete
                                       : kind == TLockKind::Restore ? OnRLockFailedOnRestore
                                                                    : OnRLockFailedOnPost;
        if (own)
            own(retry);
        else if (OnLockFailed)
            OnLockFailed(kind, retry);
        else
            platform::CurrentPlatform().Messages().ShowOk(
                "", std::string("Lock failed [") + LockKindName(kind) + "]", platform::MessageIcon::Error);
        if (!retry) return false;
    }
}

// The edit is dropped, unlike a post refused for a lock, whose values stay
// for another try: posted again, it would still undo the other user's change.
void TTzFileDataSet::RefuseConflictingEdit(const std::string& field)
{
    const int32_t n = ::RecNo();
    state_ = TDataSetState::Browse;
    SyncBuffers();
    platform::CurrentPlatform().Messages().ShowOk(
        "",
        DisplayText("Another user changed field " + field + " of record " + std::to_string(n) + " of " +
                    FileNameToOem(DbfFileName()) + " meanwhile: this change was not stored."),
        platform::MessageIcon::Warning);
}

bool TTzFileDataSet::AppendWithLock()
{
    if (!CheckCommand("s_AppendWithLock")) return false;
    const int32_t before = RecCount();
    if (!LockedWrite(TLockKind::Insert)) return false;
    state_ = TDataSetState::Browse;
    return RecCount() == before + 1;
}

bool TTzFileDataSet::ALock()
{
    return CheckCommand("ALock") && ::ALock();
}
bool TTzFileDataSet::FLock()
{
    return CheckCommand("FLock") && ::FLock();
}
void TTzFileDataSet::UnLock()
{
    if (CheckCommand("UnLock")) Unlock();
}

void TTzFileDataSet::Peek(int field, int32_t record, std::string& text)
{
    text.clear();
    if (CheckCommand("Peek")) ::Peek(field, record, text);
}

bool TTzFileDataSet::IndexOn(const std::string& key, const std::string& file)
{
    SyncAtEnd sync(*this);
    if (!CheckCommand("IndexOn")) return false;
    state_ = TDataSetState::Browse;
    Index_On(key, file);
    const bool ok = dberror.DbErrorCode == 0;
    if (ok && RecCount() > 0) {
        TAutoReportOff quiet;
        GoTop();
    }
    return ok;
}

bool TTzFileDataSet::SetIndexTo(const std::string& files)
{
    SyncAtEnd sync(*this);
    if (!CheckCommand("SetIndexTo")) return false;
    state_ = TDataSetState::Browse;
    const int32_t here = RecCount() > 0 ? ::RecNo() : 0;
    Set_Index_To(files);
    const bool ok = dberror.DbErrorCode == 0;
    if (ok && here >= 1 && here <= RecCount()) {
        TAutoReportOff quiet;
        GO(here);
    }
    return ok;
}

bool TTzFileDataSet::Find(const std::string& key)
{
    SyncAtEnd sync(*this);
    if (!CheckCommand("Find")) return false;
    state_ = TDataSetState::Browse;
    if (RecCount() == 0) return false;
    ::Find(key.substr(0, 100));
    const bool found = ndx.LastFindFound && dberror.DbErrorCode == 0;
    if (dEOF()) {
        TAutoReportOff quiet;
        GoBottom();
    }
    return found;
}

bool TTzFileDataSet::FindExact(const std::string& key)
{
    const bool was = ndx.ExactFind;
    ndx.ExactFind = true;
    const bool found = Find(key);
    ndx.ExactFind = was;
    return found;
}

int32_t TTzFileDataSet::AppendFromDelimited(const std::string& file)
{
    SyncAtEnd sync(*this);
    if (!CheckCommand("AppendFromDelimited") || ReadOnly) return 0;
    state_ = TDataSetState::Browse;
    const int32_t n = AppendFromText(file, false);
    ResyncFromWorkArea();
    return n;
}

bool TTzFileDataSet::CopyToDelimited(const std::string& file)
{
    if (!CheckCommand("CopyToDelimited")) return false;
    Cancel();
    const int32_t here = RecCount() > 0 ? ::RecNo() : 0;
    const bool ok = CopyToText(file, false);
    if (here >= 1 && here <= RecCount()) {
        TAutoReportOff quiet;
        GO(here);
    }
    return ok;
}

bool TTzFileDataSet::DeleteWithLock()
{
    return CheckCommand("s_DeleteWithLock") && LockedWrite(TLockKind::Delete);
}

bool TTzFileDataSet::RestoreWithLock()
{
    if (!CheckCommand("s_RestoreWithLock")) return false;
    DoBeforeRestore();
    const bool ok = LockedWrite(TLockKind::Restore);
    DoAfterRestore();
    return ok;
}

bool TTzFileDataSet::ReplaceWithLock()
{
    return CheckCommand("s_ReplaceWithLock") && LockedWrite(TLockKind::Post);
}

void TTzFileDataSet::SetExclusive(bool on)
{
    if (on == Exclusive) return;
    const bool wasActive = Active();
    if (wasActive) Close();
    Exclusive = on;
    if (wasActive) Open();
}

bool TTzFileDataSet::IsSequenced()
{
    if (Filtered) return false;
    return !(CheckCommand("IsSequenced") && IndexActive());
}

bool TTzFileDataSet::Locate(const std::string& fields, const std::vector<std::string>& values,
                            TLocateOptions options)
{
    if (CheckCommand("Locate") && IndexActive() && values.size() == 1) {
        const bool found = options.PartialKey ? Find(values[0]) : FindExact(values[0]);
        if (found) SyncBuffers();
        return found;
    }
    return TTzCDataSet::Locate(fields, values, options);
}

TTzKeyMaker TTzFileDataSet::WrapKeyMaker(int order)
{
    return [this, order](void*) {
        auto it = keyMakers_.find(order);
        if (it == keyMakers_.end() || !it->second) return std::string();
        const bool keep = !ActiveBuffer().empty();
        if (keep) {
            SaveActiveBuffer();
            ReadRecordToBuffer(ActiveBuffer().data());
        }
        std::string key = it->second(*this);
        if (keep) RestoreActiveBuffer();
        return key;
    };
}

bool TTzFileDataSet::IndexOnCB(const std::string& file, TTzDatasetKeyMaker keyMaker)
{
    SyncAtEnd sync(*this);
    if (!CheckCommand("IndexOnCB")) return false;
    state_ = TDataSetState::Browse;
    keyMakers_[0] = std::move(keyMaker);
    Index_OnCB(file, WrapKeyMaker(0), nullptr);
    const bool ok = dberror.DbErrorCode == 0;
    if (ok && RecCount() > 0) {
        TAutoReportOff quiet;
        GoTop();
    }
    return ok;
}

bool TTzFileDataSet::SetIndexToCB(const std::string& file, int order, TTzDatasetKeyMaker keyMaker)
{
    SyncAtEnd sync(*this);
    if (!CheckCommand("SetIndexToCB")) return false;
    state_ = TDataSetState::Browse;
    keyMakers_[order] = std::move(keyMaker);
    const int32_t here = RecCount() > 0 ? ::RecNo() : 0;
    const bool ok = ::SetIndexTo(file, order, WrapKeyMaker(order), nullptr) && dberror.DbErrorCode == 0;
    if (ok && here >= 1 && here <= RecCount()) {
        TAutoReportOff quiet;
        GO(here);
    }
    return ok;
}

bool TTzFileDataSet::SetIndexToLFN(const std::string& file, int order)
{
    SyncAtEnd sync(*this);
    if (!CheckCommand("SetIndexToLFN")) return false;
    state_ = TDataSetState::Browse;
    const int32_t here = RecCount() > 0 ? ::RecNo() : 0;
    const bool ok = ::SetIndexTo(file, order) && dberror.DbErrorCode == 0;
    if (ok && here >= 1 && here <= RecCount()) {
        TAutoReportOff quiet;
        GO(here);
    }
    return ok;
}
