#include "xbase/dataset/tzdbf.h"

#include "platform/platform.h"
#include "xbase/cmd/dbcmd.h"
#include "xbase/cmd/dblocate.h"
#include "xbase/core/dberror.h"
#include "xbase/core/dbkeys.h"
#include "xbase/core/dbstrings.h"
#include "xbase/ndx/ndx.h"
#include "xbase/cmd/dbtransfer.h"
#include "xbase/memo/dbmemo.h"

#include <filesystem>
#include <sstream>

namespace {

const char* LockKindName(TLockKind kind)
{
    switch (kind) {
    case TLockKind::Insert: return "Insert";
    case TLockKind::Delete: return "Delete";
    case TLockKind::Restore: return "Restore";
    case TLockKind::Post: return "Post";
    }
    return "";
}

std::string CutName(const std::string& name) { return AllTrim(AllTrim(name).substr(0, 10)); }

std::vector<std::string> SplitComma(const std::string& s)
{
    std::vector<std::string> parts;
    std::stringstream in(s);
    std::string p;
    while (std::getline(in, p, ','))
        parts.push_back(AllTrim(p));
    return parts;
}

}  // namespace

bool CorrectFieldDefinition(char& Type, int& Length, int& Decimals)
{
    const char t0 = Type;
    const int l0 = Length;
    const int d0 = Decimals;
    if (Type == 'B' || Type == 'G' || Type == 'P')
        Type = 'M';
    if (std::string("CDFLMN").find(Type) == std::string::npos)
        Type = 'C';
    if (Type == 'N') {
        if (l0 >= 21)
            Length = 20;
        if (d0 >= 19)
            Decimals = 18;
        if (d0 > 0 && l0 - d0 < 2)
            Decimals = Length - 2;
    }
    if (Type == 'C' && l0 >= 255) {
        Length = 254;
        Decimals = 0;
    }
    return Type != t0 || Length != l0 || Decimals != d0;
}

std::string TzCheckText(int code)
{
    switch (code) {
    case TzOk: return "";
    case TzFailed: case TzBof: case TzEof: return "Dataset error: " + std::to_string(code);
    case TzNoFileName: return "The FileName property of the dataset not set";
    default: return "Dataset error: " + ErrorText(static_cast<uint16_t>(code));
    }
}

int FieldBufferSize(char type, int length, int decimals)
{
    switch (type) {
    case 'C': return length + 1;
    case 'D': return 8;
    case 'F': case 'N': return decimals > 0 ? 8 : 4;
    case 'L': return 2;
    case 'M': return 4;
    default: return length + 1;
    }
}

TTzDbf::~TTzDbf()
{
    if (Active())
        Close();
}

void TTzDbf::SetDbfFileName(const std::string& name)
{
    const bool wasActive = Active();
    if (wasActive)
        Close();
    std::string n = AllTrim(name);
    if (!n.empty() && n.back() != '.')
        n = DefaultExtension(n, "DBF");
    fileName_ = n;
    if (wasActive)
        Open();
}

bool TTzDbf::SetActive(bool on)
{
    if (on == Active())
        return true;
    if (on)
        return Open();
    Close();
    return true;
}

bool TTzDbf::CheckCommand(const std::string& command)
{
    if (area_ == 0) {
        SetError(1103, "Database is not open [" + Name + "." + command + "]");
        return false;
    }
    if (dbcmd.CurrentArea != area_)
        Select(area_);
    dbcmd.AnsiTables = TableLanguage == TTzTableLanguage::tlAnsi;
    return true;
}

bool TTzDbf::Open()
{
    if (fileName_.empty()) {
        SetError(1404, "The FileName property of the dataset not set [" + Name + ".Open]");
        return false;
    }
    std::error_code ec;
    if (CreateIfNotFound && !std::filesystem::exists(fileName_, ec)) {
        std::vector<TDbfField> fields;
        for (const auto& def : DbfFields) {
            auto p = SplitComma(def);
            if (p.size() != 4 || p[1].empty() || UpperStr(p[1])[0] == 'X')
                continue;
            char type = UpperStr(p[1])[0];
            int len = TextToInteger(p[2]);
            int dec = TextToInteger(p[3]);
            const std::string before = p[0] + "," + std::string(1, type) + "," + std::to_string(len) + "," +
                                       std::to_string(dec);
            if (CorrectFieldDefinition(type, len, dec))
                platform::CurrentPlatform().Messages().ShowOk(
                    "", "Invalid field definition for " + fileName_ + ": " + before +
                            ". Will use corrected definition: " + p[0] + "," + std::string(1, type) + "," +
                            std::to_string(len) + "," + std::to_string(dec),
                    platform::MessageIcon::Warning);
            if (type == 'D')
                len = 8;
            else if (type == 'L')
                len = 1;
            else if (type == 'M')
                len = 10;
            fields.push_back({UpperStr(p[0]).substr(0, 10), type, static_cast<uint8_t>(len), static_cast<uint8_t>(dec), 0});
        }
        if (fields.empty()) {
            SetError(1401, "FieldList.Count is <= 0 trying to create a database");
            return false;
        }
        TDbfTable t;
        if (!CreateDBF(t, fileName_, fields)) {
            SetError(1401, "Could not create \"" + fileName_ + "\"");
            return false;
        }
    }
    const uint8_t previous = dbcmd.CurrentArea;
    Select(0);
    if (dberror.DbErrorCode != 0) {
        Select(previous);
        return false;
    }
    const uint8_t area = dbcmd.CurrentArea;
    const uint16_t forced = dbcmd.ForcedOpenMode;
    if (ReadOnly)
        dbcmd.ForcedOpenMode = Exclusive ? 16 : 64;
    dbcmd.AnsiTables = TableLanguage == TTzTableLanguage::tlAnsi;
    const bool ok = UseFile(fileName_ + (Exclusive ? " EXCLUSIVE" : ""));
    dbcmd.ForcedOpenMode = forced;
    if (!ok || SelectedArea() == nullptr) {
        // Selecting clears the error code; the caller needs it.
        const uint16_t code = dberror.DbErrorCode;
        Select(previous);
        dberror.DbErrorCode = code != 0 ? code : 1401;
        return false;
    }
    area_ = area;
    SetIgnoreDel(hideDeleted_);
    RebuildFieldList();
    state_ = TDataSetState::Browse;
    if (!OpenIndexList()) {
        const uint16_t code = dberror.DbErrorCode;
        Close();
        dberror.DbErrorCode = code != 0 ? code : 1401;
        return false;
    }
    if (RecCount() > 0)
        GoTop();
    return true;
}

void TTzDbf::RebuildFieldList()
{
    DbfFields.clear();
    for (int i = 1; i <= ::FieldCount(); ++i)
        DbfFields.push_back(::Field(i) + ", " + std::string(1, FieldType(i)) + ", " + std::to_string(::FieldLen(i)) +
                            ", " + std::to_string(FieldDec(i)));
}

bool TTzDbf::OpenIndexList()
{
    if (IndexList.empty())
        return true;
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
    if (FileExistsStr(sem) && !FileDatedToday(sem))
        EraseFile(sem);
    if (FileExistsStr(sem) && (mode == TCreateIndexType::ciAlways || mode == TCreateIndexType::ciVerifyHeader))
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
            if (OnBeforeMakeIndex)
                OnBeforeMakeIndex(e.File, go);
            if (go) {
                Index_On(e.Key, e.File);
                if (dberror.DbErrorCode != 0)
                    return false;
                if (OnAfterMakeIndex)
                    OnAfterMakeIndex(e.File);
            }
        }
        CloseAllIndexes();
    }
    for (const auto& e : entries)
        if (!::SetIndexTo(e.File, e.Order))
            return false;
    return true;
}

void TTzDbf::Close()
{
    if (area_ == 0) {
        state_ = TDataSetState::Inactive;
        return;
    }
    Select(area_);
    CloseArea();
    area_ = 0;
    state_ = TDataSetState::Inactive;
}

void TTzDbf::SetHideDeletedRecs(bool on)
{
    if (on == hideDeleted_)
        return;
    hideDeleted_ = on;
    if (Active() && CheckCommand("HideDeletedRecs")) {
        SetIgnoreDel(on);
        RepositionIfHidden();
        Resync();
    }
}

// After a command that moved or changed records: a pending edit is dropped
// and the current record read again from the file.
void TTzDbf::Resync()
{
    if (!Active())
        return;
    state_ = TDataSetState::Browse;
    if (dberror.DbErrorCode != 0)
        return;
    if (dbcmd.CurrentArea != area_)
        Select(area_);
    TWorkArea* a = SelectedArea();
    if (a == nullptr)
        return;
    if (a->RecordCount == 0) {
        ClearRecord();
        return;
    }
    if (a->RecordNumber >= 1 && a->RecordNumber <= a->RecordCount) {
        TAutoReportOff quiet;
        GO(a->RecordNumber);
    }
}

void TTzDbf::First()
{
    if (!CheckCommand("First"))
        return;
    state_ = TDataSetState::Browse;
    if (RecCount() > 0)
        GoTop();
    else
        ClearRecord();
}

void TTzDbf::Last()
{
    if (!CheckCommand("Last"))
        return;
    state_ = TDataSetState::Browse;
    if (RecCount() > 0)
        GoBottom();
}

void TTzDbf::Next()
{
    if (!CheckCommand("Next"))
        return;
    Cancel();
    if (RecCount() == 0 || dEOF())
        return;
    SKIP(1);
    // Moving next from the last record stays on it, with the end flag set.
    if (dEOF() && RecCount() > 0) {
        SKIP(-1);
        SelectedArea()->AtEnd = true;
    }
}

void TTzDbf::Prior()
{
    if (!CheckCommand("Prior"))
        return;
    Cancel();
    if (RecCount() == 0)
        return;
    SKIP(-1);
}

bool TTzDbf::Go(int32_t n)
{
    if (!CheckCommand("Go"))
        return false;
    state_ = TDataSetState::Browse;
    if (RecCount() == 0 || n < 1 || n > RecCount())
        return false;
    TAutoReportOff quiet;
    GO(n);
    return dberror.DbErrorCode == 0;
}

int32_t TTzDbf::RecNo()
{
    if (!CheckCommand("RecNo"))
        return 0;
    return RecCount() == 0 ? 0 : ::RecNo();
}

int32_t TTzDbf::RecordCount() { return CheckCommand("RecordCount") ? RecCount() : 0; }

bool TTzDbf::Eof() { return CheckCommand("Eof") ? dEOF() : true; }

bool TTzDbf::Bof() { return CheckCommand("Bof") ? dBOF() : true; }

int TTzDbf::FieldCount() { return CheckCommand("FieldCount") ? ::FieldCount() : 0; }

std::string TTzDbf::FieldName(int n)
{
    if (!CheckCommand("Field") || n < 1 || n > ::FieldCount())
        return "";
    return ::Field(n).substr(0, 10);
}

int TTzDbf::FieldLen(int n)
{
    if (!CheckCommand("FieldLen") || n < 1 || n > ::FieldCount())
        return 0;
    return ::FieldLen(n);
}

std::string TTzDbf::SField(int n)
{
    if (!CheckCommand("SField") || n < 1 || n > ::FieldCount() || RecCount() == 0)
        return "";
    return ::SField(n);
}

int TTzDbf::FieldNoByName(const std::string& name)
{
    if (!CheckCommand("FieldByName"))
        return 0;
    const std::string want = UpperStr(CutName(name));
    for (int i = 1; i <= ::FieldCount(); ++i)
        if (UpperStr(::Field(i)) == want)
            return i;
    return 0;
}

bool TTzDbf::EnsureEditable()
{
    if (ReadOnly) {
        SetError(1401, "Cannot modify a read-only dataset [" + Name + "]");
        return false;
    }
    if (state_ == TDataSetState::Browse)
        state_ = TDataSetState::Edit;
    return true;
}

bool TTzDbf::SetFieldText(const std::string& name, const std::string& text)
{
    const int n = FieldNoByName(name);
    if (n == 0 || !EnsureEditable())
        return false;
    switch (FieldType(n)) {
    case 'N': case 'F':
        if (FieldDec(n) > 0)
            SetNativeDouble(n, NumTextToFloat(text));
        else
            SetNativeInt(n, TextToInteger(text));
        break;
    case 'L': {
        const std::string t = UpperStr(AllTrim(text));
        SetNativeBool(n, !t.empty() && (t[0] == 'T' || t[0] == 'Y' || t[0] == 'J'));
        break;
    }
    default:
        SetNativeText(n, text);
        break;
    }
    return true;
}

bool TTzDbf::SetFieldFloat(const std::string& name, double value)
{
    const int n = FieldNoByName(name);
    if (n == 0 || !EnsureEditable())
        return false;
    switch (FieldType(n)) {
    case 'N': case 'F':
        if (FieldDec(n) > 0)
            SetNativeDouble(n, value);
        else
            SetNativeInt(n, static_cast<int32_t>(value < 0 ? value - 0.5 : value + 0.5));
        break;
    default: {
        std::ostringstream os;
        os.imbue(std::locale::classic());
        os << value;
        SetNativeText(n, os.str());
        break;
    }
    }
    return true;
}

bool TTzDbf::SetFieldInt(const std::string& name, int32_t value)
{
    const int n = FieldNoByName(name);
    if (n == 0 || !EnsureEditable())
        return false;
    switch (FieldType(n)) {
    case 'N': case 'F':
        if (FieldDec(n) > 0)
            SetNativeDouble(n, value);
        else
            SetNativeInt(n, value);
        break;
    default: SetNativeText(n, std::to_string(value)); break;
    }
    return true;
}

bool TTzDbf::SetFieldBool(const std::string& name, bool value)
{
    const int n = FieldNoByName(name);
    if (n == 0 || !EnsureEditable())
        return false;
    if (FieldType(n) == 'L')
        SetNativeBool(n, value);
    else
        SetNativeText(n, value ? "T" : "F");
    return true;
}

bool TTzDbf::FieldBoolByName(const std::string& name)
{
    const int n = FieldNoByName(name);
    if (n == 0 || RecCount() == 0)
        return false;
    if (FieldType(n) == 'L')
        return GetNativeBool(n);
    const std::string t = UpperStr(AllTrim(::SField(n)));
    return !t.empty() && (t[0] == 'T' || t[0] == 'Y' || t[0] == 'J');
}

bool TTzDbf::Edit()
{
    if (!CheckCommand("Edit"))
        return false;
    return EnsureEditable();
}

void TTzDbf::Cancel()
{
    if (state_ == TDataSetState::Edit || state_ == TDataSetState::Insert)
        Resync();
}

bool TTzDbf::LockedWrite(TLockKind kind)
{
    if (ReadOnly) {
        SetError(1401, "Cannot modify a read-only dataset [" + Name + "]");
        return false;
    }
    for (;;) {
        const bool locked = kind == TLockKind::Insert ? ::ALock() : ::RLock();
        if (locked) {
            switch (kind) {
            case TLockKind::Insert: Append(); break;
            case TLockKind::Delete: DeleteRec(); break;
            case TLockKind::Restore: RecallRec(); break;
            case TLockKind::Post: Replace(); break;
            }
            const bool ok = dberror.DbErrorCode == 0;
            Unlock();
            return ok;
        }
        bool retry = false;
        if (OnLockFailed)
            OnLockFailed(kind, retry);
        else
            platform::CurrentPlatform().Messages().ShowOk(
                "", std::string("Lock failed [") + LockKindName(kind) + "]", platform::MessageIcon::Error);
        if (!retry)
            return false;
    }
}

bool TTzDbf::Post()
{
    if (!CheckCommand("Post"))
        return false;
    if (state_ != TDataSetState::Edit && state_ != TDataSetState::Insert)
        return true;
    if (RecCount() == 0 || dEOF())
        return false;
    if (!LockedWrite(TLockKind::Post))
        return false;
    state_ = TDataSetState::Browse;
    return true;
}

bool TTzDbf::AppendWithLock()
{
    if (!CheckCommand("s_AppendWithLock"))
        return false;
    const int32_t before = RecCount();
    if (!LockedWrite(TLockKind::Insert))
        return false;
    state_ = TDataSetState::Browse;
    return RecCount() == before + 1;
}

bool TTzDbf::AppendRec()
{
    if (!CheckCommand("AppendRec"))
        return false;
    if (ReadOnly) {
        SetError(1401, "Cannot modify a read-only dataset [" + Name + "]");
        return false;
    }
    const int32_t before = RecCount();
    Append();
    state_ = TDataSetState::Browse;
    return dberror.DbErrorCode == 0 && RecCount() == before + 1;
}

bool TTzDbf::Delete()
{
    if (!CheckCommand("s_DeleteWithLock") || RecCount() == 0)
        return false;
    state_ = TDataSetState::Browse;
    const bool ok = LockedWrite(TLockKind::Delete);
    Resync();
    return ok;
}

bool TTzDbf::Restore()
{
    if (!CheckCommand("s_RestoreWithLock") || RecCount() == 0)
        return false;
    state_ = TDataSetState::Browse;
    const bool ok = LockedWrite(TLockKind::Restore);
    Resync();
    return ok;
}

bool TTzDbf::Pack()
{
    if (!CheckCommand("Pack"))
        return false;
    state_ = TDataSetState::Browse;
    const bool ok = ::Pack();
    if (RecCount() > 0) {
        TAutoReportOff quiet;
        GoTop();
    } else {
        ClearRecord();
    }
    return ok;
}

bool TTzDbf::ALock() { return CheckCommand("ALock") && ::ALock(); }
bool TTzDbf::FLock() { return CheckCommand("FLock") && ::FLock(); }
void TTzDbf::UnLock()
{
    if (CheckCommand("UnLock"))
        Unlock();
}

void TTzDbf::Search(const std::string& text, bool& found, bool fromStart)
{
    found = false;
    if (!CheckCommand("Search") || RecCount() == 0)
        return;
    Cancel();
    uint8_t field = 0;
    ::Search(text, field, fromStart);
    found = field != 0 && !dEOF() && !dBOF();
    if (!found)
        Resync();
}

void TTzDbf::Peek(int field, int32_t record, std::string& text)
{
    text.clear();
    if (CheckCommand("Peek"))
        ::Peek(field, record, text);
}

bool TTzDbf::IndexOn(const std::string& key, const std::string& file)
{
    if (!CheckCommand("IndexOn"))
        return false;
    state_ = TDataSetState::Browse;
    Index_On(key, file);
    const bool ok = dberror.DbErrorCode == 0;
    if (ok && RecCount() > 0) {
        TAutoReportOff quiet;
        GoTop();
    }
    return ok;
}

bool TTzDbf::SetIndexTo(const std::string& files)
{
    if (!CheckCommand("SetIndexTo"))
        return false;
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

bool TTzDbf::Find(const std::string& key)
{
    if (!CheckCommand("Find"))
        return false;
    state_ = TDataSetState::Browse;
    if (RecCount() == 0)
        return false;
    ::Find(key.substr(0, 100));
    const bool found = ndx.LastFindFound && dberror.DbErrorCode == 0;
    if (dEOF()) {
        TAutoReportOff quiet;
        GoBottom();
    }
    return found;
}

bool TTzDbf::FindExact(const std::string& key)
{
    const bool was = ndx.ExactFind;
    ndx.ExactFind = true;
    const bool found = Find(key);
    ndx.ExactFind = was;
    return found;
}

int TTzDbf::RecordDataSize()
{
    if (!CheckCommand("RecordSize"))
        return 0;
    int size = 1;
    for (int i = 1; i <= ::FieldCount(); ++i)
        size += FieldBufferSize(FieldType(i), ::FieldLen(i), FieldDec(i));
    return size;
}

int32_t TTzDbf::GetBookmark() { return RecNo(); }

bool TTzDbf::GotoBookmark(int32_t bookmark)
{
    if (Go(bookmark))
        return true;
    // A bookmark that is no record any more: the end of the table.
    if (CheckCommand("GotoBookmark") && RecCount() > 0) {
        TAutoReportOff quiet;
        GoBottom();
        SelectedArea()->AtEnd = true;
    }
    return false;
}

bool TTzDbf::Locate(const std::string& fields, const std::vector<std::string>& values, bool caseInsensitive,
                    bool partialKey)
{
    if (!CheckCommand("Locate") || RecCount() == 0)
        return false;
    Cancel();
    std::vector<TLocateValue> v;
    for (const auto& t : values)
        v.push_back(TLocateValue{t});
    const int32_t here = ::RecNo();
    const bool found = LocateMulti(fields, v, caseInsensitive, true, !partialKey);
    if (!found && here >= 1 && here <= RecCount()) {
        TAutoReportOff quiet;
        GO(here);
    }
    return found;
}

bool TTzDbf::AppendFrom(const std::string& file)
{
    if (!CheckCommand("AppendFrom") || ReadOnly)
        return false;
    state_ = TDataSetState::Browse;
    const int32_t here = RecCount() > 0 ? ::RecNo() : 0;
    const uint16_t code = ::AppendFrom(file);
    TAutoReportOff quiet;
    if (here >= 1 && here <= RecCount())
        GO(here);
    else if (RecCount() > 0)
        GoBottom();
    return code == 0 && dberror.DbErrorCode == 0;
}

int32_t TTzDbf::AppendFromDelimited(const std::string& file)
{
    if (!CheckCommand("AppendFromDelimited") || ReadOnly)
        return 0;
    state_ = TDataSetState::Browse;
    const int32_t n = AppendFromText(file, false);
    Resync();
    return n;
}

bool TTzDbf::CopyToDelimited(const std::string& file)
{
    if (!CheckCommand("CopyToDelimited"))
        return false;
    Cancel();
    const int32_t here = RecCount() > 0 ? ::RecNo() : 0;
    const bool ok = CopyToText(file, false);
    if (here >= 1 && here <= RecCount()) {
        TAutoReportOff quiet;
        GO(here);
    }
    return ok;
}

std::string TTzDbf::MemoText(int n)
{
    if (!CheckCommand("ReadBlobStream") || n < 1 || n > ::FieldCount() || FieldType(n) != 'M' || RecCount() == 0)
        return "";
    const int32_t block = GetNativeInt(n);
    std::string text;
    if (block > 0)
        ReadMemoText(block, text);
    return text;
}

bool TTzDbf::SetMemoText(int n, const std::string& text)
{
    if (!CheckCommand("WriteBlobStream") || n < 1 || n > ::FieldCount() || FieldType(n) != 'M' || !EnsureEditable())
        return false;
    if (text.empty()) {
        SetNativeInt(n, 0);
        return true;
    }
    const int32_t block = AddMemo(text);
    if (block <= 0 || dberror.DbErrorCode != 0)
        return false;
    SetNativeInt(n, block);
    return true;
}

namespace {
bool ValueField(TTzDbf& d, int n) { return d.CheckCommand("GetFieldData") && n >= 1 && n <= ::FieldCount() && RecCount() > 0; }
}  // namespace

std::string TTzDbf::AsString(int n)
{
    if (!ValueField(*this, n))
        return "";
    return RTrimStr(::SField(n));
}

double TTzDbf::AsFloat(int n)
{
    if (!ValueField(*this, n))
        return 0;
    const char t = FieldType(n);
    if (t == 'N' || t == 'F' || t == 'M')
        return t == 'M' ? GetNativeInt(n) : GetNativeDouble(n);
    return NumTextToFloat(AllTrim(::SField(n)));
}

int32_t TTzDbf::AsInteger(int n)
{
    const double v = AsFloat(n);
    return static_cast<int32_t>(v < 0 ? v - 0.5 : v + 0.5);
}

bool TTzDbf::AsBoolean(int n)
{
    if (!ValueField(*this, n))
        return false;
    if (FieldType(n) == 'L')
        return GetNativeBool(n);
    const std::string t = UpperStr(AllTrim(::SField(n)));
    return !t.empty() && (t[0] == 'T' || t[0] == 'Y' || t[0] == 'J');
}

double TTzDbf::AsDate(int n)
{
    if (!ValueField(*this, n) || FieldType(n) != 'D')
        return 0;
    TWorkArea* a = SelectedArea();
    const TDbfField& f = a->Fields[static_cast<std::size_t>(n - 1)];
    return KeyToJulian(a->RecordBuffer.substr(f.Offset, f.Length));
}

bool TTzDbf::IsNull(int n) { return ValueField(*this, n) && FieldType(n) == 'D' && AsDate(n) == 0; }
