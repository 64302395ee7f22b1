#include "xbase/dataset/commanddataset.h"

#include "xbase/cmd/dbcmd.h"
#include "xbase/cmd/dblocate.h"
#include "xbase/cmd/dbtransfer.h"
#include "xbase/core/dberror.h"
#include "xbase/core/dbkeys.h"
#include "xbase/core/dbstrings.h"
#include "xbase/memo/dbmemo.h"

#include <cstring>
#include <functional>

namespace
{

// Brings the dataset's buffers in step when a command ends, however it ends.
class TSyncAfter
{
  public:
    explicit TSyncAfter(std::function<void()> f) : f_(std::move(f)) {}
    ~TSyncAfter() { f_(); }
    TSyncAfter(const TSyncAfter&) = delete;
    TSyncAfter& operator=(const TSyncAfter&) = delete;

  private:
    std::function<void()> f_;
};

std::string CutName(const std::string& name)
{
    return AllTrim(AllTrim(name).substr(0, 10));
}

// Field n of the work area's record now holds a value given to it: a new
// record stores it, 0 included.
void ValueGiven(int n)
{
    if (TWorkArea* a = SelectedArea(); a != nullptr) MarkNumberBlank(*a, n, false);
}

} // namespace

TTzCDataSet::~TTzCDataSet()
{
    if (Active()) Close();
}

bool TTzCDataSet::Open()
{
    if (fileName_.empty()) {
        SetError(1404, "The FileName property of the dataset not set [" + Name + ".Open]");
        return false;
    }
    try {
        OpenDataset();
    } catch (const EDatabaseError& e) {
        const uint16_t code = dberror.DbErrorCode;
        if (area_ != 0) Close();
        state_ = TDataSetState::Inactive;
        dberror.DbErrorCode = code != 0 ? code : static_cast<uint16_t>(e.Code);
        return false;
    }
    SyncBuffers();
    return true;
}

void TTzCDataSet::SyncBuffers()
{
    if (!IsCursorOpen() || area_ == 0 || active_.empty()) return;
    if (dbcmd.CurrentArea != area_) Select(area_);
    if (RecCount() == 0) {
        ClearActiveBuffer();
        atBof_ = true;
        atEof_ = true;
        bof_ = true;
        eof_ = true;
        recordCount_ = 0;
        return;
    }
    // Read as the record stands, without moving: a move would forget that
    // the command left the work area at its end.
    atBof_ = false;
    atEof_ = false;
    uint8_t* b = active_.data();
    ReadRecordToBuffer(b);
    const int32_t n = ::RecNo();
    std::memcpy(b + RecNoOffset(), &n, sizeof n);
    SetBookmarkFlag(b, TBookmarkFlag::Current);
    ClearCalcFields(b);
    std::memcpy(b + BookmarkOffset(), &n, sizeof n);
    recordCount_ = 1;
    bof_ = false;
    eof_ = false;
}

// A value set by a command is in the work area's record at once; the
// dataset's fields show it too.
void TTzCDataSet::ValueIntoBuffer()
{
    if (IsCursorOpen() && !active_.empty() && area_ != 0 && RecCount() > 0)
        ReadRecordToBuffer(active_.data());
}

void TTzCDataSet::SetDbfFileName(const std::string& name)
{
    const bool wasActive = Active();
    if (wasActive) Close();
    std::string n = AllTrim(name);
    if (!n.empty() && n.back() != '.') n = DefaultExtension(n, "DBF");
    fileName_ = n;
    if (wasActive) Open();
}

bool TTzCDataSet::SetActive(bool on)
{
    if (on == Active()) return true;
    if (on) return Open();
    Close();
    return true;
}

void TTzCDataSet::Close()
{
    if (IsCursorOpen())
        CloseDataset();
    else if (area_ != 0)
        TziClose();
    state_ = TDataSetState::Inactive;
}

void TTzCDataSet::SetHideDeletedRecs(bool on)
{
    if (on == hideDeleted_) return;
    hideDeleted_ = on;
    if (Active() && CheckCommand("HideDeletedRecs")) {
        SetIgnoreDel(on);
        RepositionIfHidden();
        ResyncFromWorkArea();
    }
}

// After a command that moved or changed records: a pending edit is dropped
// and the current record read again from the file.
void TTzCDataSet::ResyncFromWorkArea()
{
    TSyncAfter sync([this] { SyncBuffers(); });
    if (!Active()) return;
    state_ = TDataSetState::Browse;
    if (dberror.DbErrorCode != 0) return;
    if (dbcmd.CurrentArea != area_) Select(area_);
    TWorkArea* a = SelectedArea();
    if (a == nullptr) return;
    if (a->RecordCount == 0) {
        ClearRecord();
        return;
    }
    if (a->RecordNumber >= 1 && a->RecordNumber <= a->RecordCount) {
        TAutoReportOff quiet;
        GO(a->RecordNumber);
    }
}

void TTzCDataSet::First()
{
    TSyncAfter sync([this] { SyncBuffers(); });
    if (!CheckCommand("First")) return;
    state_ = TDataSetState::Browse;
    if (RecCount() > 0)
        GoTop();
    else
        ClearRecord();
}

void TTzCDataSet::Last()
{
    TSyncAfter sync([this] { SyncBuffers(); });
    if (!CheckCommand("Last")) return;
    state_ = TDataSetState::Browse;
    if (RecCount() > 0) GoBottom();
}

void TTzCDataSet::Next()
{
    TSyncAfter sync([this] { SyncBuffers(); });
    if (!CheckCommand("Next")) return;
    Cancel();
    if (RecCount() == 0 || dEOF()) return;
    SKIP(1);
    // Moving next from the last record stays on it, with the end flag set.
    if (dEOF() && RecCount() > 0) {
        SKIP(-1);
        SelectedArea()->AtEnd = true;
    }
}

void TTzCDataSet::Prior()
{
    TSyncAfter sync([this] { SyncBuffers(); });
    if (!CheckCommand("Prior")) return;
    Cancel();
    if (RecCount() == 0) return;
    SKIP(-1);
}

bool TTzCDataSet::Go(int32_t n)
{
    TSyncAfter sync([this] { SyncBuffers(); });
    if (!CheckCommand("Go")) return false;
    state_ = TDataSetState::Browse;
    if (RecCount() == 0 || n < 1 || n > RecCount()) return false;
    TAutoReportOff quiet;
    GO(n);
    return dberror.DbErrorCode == 0;
}

int32_t TTzCDataSet::RecNo()
{
    if (!CheckCommand("RecNo")) return 0;
    return RecCount() == 0 ? 0 : ::RecNo();
}

int32_t TTzCDataSet::RecordCount()
{
    return CheckCommand("RecordCount") ? RecCount() : 0;
}

bool TTzCDataSet::Eof()
{
    return CheckCommand("Eof") ? dEOF() : true;
}

bool TTzCDataSet::Bof()
{
    return CheckCommand("Bof") ? dBOF() : true;
}

int TTzCDataSet::FieldCount()
{
    return CheckCommand("FieldCount") ? ::FieldCount() : 0;
}

std::string TTzCDataSet::FieldName(int n)
{
    if (!CheckCommand("Field") || n < 1 || n > ::FieldCount()) return "";
    return ::Field(n).substr(0, 10);
}

int TTzCDataSet::FieldLen(int n)
{
    if (!CheckCommand("FieldLen") || n < 1 || n > ::FieldCount()) return 0;
    return ::FieldLen(n);
}

std::string TTzCDataSet::SField(int n)
{
    if (!CheckCommand("SField") || n < 1 || n > ::FieldCount() || RecCount() == 0) return "";
    return ::SField(n);
}

bool TTzCDataSet::StoredField(int n, char& type, int& length, int& decimals, std::string& text)
{
    text.clear();
    if (!CheckCommand("StoredField") || n < 1 || n > ::FieldCount() || RecCount() == 0) return false;
    type = ::FieldType(n);
    length = ::FieldLen(n);
    decimals = ::FieldDec(n);
    ::Peek(n, ::RecNo(), text);
    return text.size() == static_cast<std::size_t>(length);
}

int TTzCDataSet::FieldNoByName(const std::string& name)
{
    if (!CheckCommand("FieldByName")) return 0;
    const std::string want = UpperStr(CutName(name));
    for (int i = 1; i <= ::FieldCount(); ++i)
        if (UpperStr(::Field(i)) == want) return i;
    return 0;
}

bool TTzCDataSet::EnsureEditable()
{
    if (ReadOnly) {
        SetError(1401, "Cannot modify a read-only dataset [" + Name + "]");
        return false;
    }
    if (state_ == TDataSetState::Browse) {
        // The post writes the whole record back: the edit starts from the
        // record as the file holds it now, not as it was read when the table
        // was last moved, so that a field another window or program changed
        // meanwhile is written back as changed, not as it was. Going to the
        // record also leaves the end of the table a Next past the last
        // record stood at.
        // The record so read is kept: the post writes only the fields this
        // edit changes against it.
        const int32_t n = RecCount() > 0 ? ::RecNo() : 0;
        if (n >= 1 && n <= RecCount()) {
            TAutoReportOff quiet;
            GO(n);
            ValueIntoBuffer();
            TakeEditOrigin();
        }
        state_ = TDataSetState::Edit;
    }
    return true;
}

bool TTzCDataSet::SetFieldText(const std::string& name, const std::string& text)
{
    const int n = FieldNoByName(name);
    if (n == 0 || !EnsureEditable()) return false;
    switch (FieldType(n)) {
    case 'N':
    case 'F':
        if (FieldDec(n) > 0)
            SetNativeDouble(n, NumTextToFloat(text));
        else
            SetNativeInt(n, TextToInteger(text));
        // An empty text gives a new record's number no value.
        if (!AllTrim(text).empty()) ValueGiven(n);
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
    ValueIntoBuffer();
    return true;
}

bool TTzCDataSet::SetFieldFloat(const std::string& name, double value)
{
    const int n = FieldNoByName(name);
    if (n == 0 || !EnsureEditable()) return false;
    switch (FieldType(n)) {
    case 'N':
    case 'F':
        if (FieldDec(n) > 0)
            SetNativeDouble(n, value);
        else
            SetNativeInt(n, static_cast<int32_t>(value < 0 ? value - 0.5 : value + 0.5));
        ValueGiven(n);
        break;
    default:
        // A text that reads back as the same number, fitted to the field.
        SetNativeText(n, PlainNumberText(value, FieldLen(n)));
        break;
    }
    ValueIntoBuffer();
    return true;
}

bool TTzCDataSet::SetFieldInt(const std::string& name, int32_t value)
{
    const int n = FieldNoByName(name);
    if (n == 0 || !EnsureEditable()) return false;
    switch (FieldType(n)) {
    case 'N':
    case 'F':
        if (FieldDec(n) > 0)
            SetNativeDouble(n, value);
        else
            SetNativeInt(n, value);
        ValueGiven(n);
        break;
    default:
        SetNativeText(n, std::to_string(value));
        break;
    }
    ValueIntoBuffer();
    return true;
}

bool TTzCDataSet::SetFieldBool(const std::string& name, bool value)
{
    const int n = FieldNoByName(name);
    if (n == 0 || !EnsureEditable()) return false;
    if (FieldType(n) == 'L')
        SetNativeBool(n, value);
    else
        SetNativeText(n, value ? "T" : "F");
    ValueIntoBuffer();
    return true;
}

bool TTzCDataSet::FieldBoolByName(const std::string& name)
{
    const int n = FieldNoByName(name);
    if (n == 0 || RecCount() == 0) return false;
    if (FieldType(n) == 'L') return GetNativeBool(n);
    const std::string t = UpperStr(AllTrim(::SField(n)));
    return !t.empty() && (t[0] == 'T' || t[0] == 'Y' || t[0] == 'J');
}

bool TTzCDataSet::Edit()
{
    if (!CheckCommand("Edit")) return false;
    // An empty table has no record to edit: a new one begins, as the
    // framework's Edit does.
    if (state_ == TDataSetState::Browse && RecCount() == 0 && !ReadOnly) {
        DsInsert();
        return true;
    }
    return EnsureEditable();
}

void TTzCDataSet::Cancel()
{
    if (state_ == TDataSetState::Edit || state_ == TDataSetState::Insert) ResyncFromWorkArea();
}

bool TTzCDataSet::Post()
{
    if (!CheckCommand("Post")) return false;
    if (state_ == TDataSetState::Insert) {
        // Appended as the last record rather than inserted before the
        // current one: a DBF file keeps its records in the order they were
        // added, and the indexes give any other order.
        if (!AppendWithLock()) return false;
        state_ = TDataSetState::Browse;
        SyncBuffers();
        return true;
    }
    if (state_ != TDataSetState::Edit) return true;
    if (RecCount() == 0 || dEOF()) return false;
    if (!ReplaceWithLock()) return false;
    state_ = TDataSetState::Browse;
    return true;
}

bool TTzCDataSet::AppendRec()
{
    TSyncAfter sync([this] { SyncBuffers(); });
    if (!CheckCommand("AppendRec")) return false;
    if (ReadOnly) {
        SetError(1401, "Cannot modify a read-only dataset [" + Name + "]");
        return false;
    }
    const int32_t before = RecCount();
    Append();
    state_ = TDataSetState::Browse;
    MarkModified();
    return dberror.DbErrorCode == 0 && RecCount() == before + 1;
}

bool TTzCDataSet::Delete()
{
    TSyncAfter sync([this] { SyncBuffers(); });
    if (!CheckCommand("s_DeleteWithLock") || RecCount() == 0) return false;
    state_ = TDataSetState::Browse;
    const bool ok = DeleteWithLock();
    ResyncFromWorkArea();
    return ok;
}

bool TTzCDataSet::Restore()
{
    TSyncAfter sync([this] { SyncBuffers(); });
    if (!CheckCommand("s_RestoreWithLock") || RecCount() == 0) return false;
    state_ = TDataSetState::Browse;
    const bool ok = RestoreWithLock();
    ResyncFromWorkArea();
    return ok;
}

bool TTzCDataSet::Pack()
{
    TSyncAfter sync([this] { SyncBuffers(); });
    if (!CheckCommand("Pack")) return false;
    state_ = TDataSetState::Browse;
    const int32_t here = RecCount() > 0 ? ::RecNo() : 0;
    const bool ok = ::Pack();
    MarkModified();
    // A Pack that failed after the packed table took the old one's place
    // (its index could not be rebuilt) stands at the top as after a Pack:
    // the old record number names another record now.
    if (!ok && !dbcmd.PackReplacedTable) {
        // Nothing was packed (another user holds the table open): the record
        // stays current, so that a following Delete marks the record the
        // user sees; the failure stays for the caller to tell.
        TKeepErrorState kept;
        if (here >= 1 && here <= RecCount()) GO(here);
    } else if (RecCount() > 0) {
        const uint16_t code = dberror.DbErrorCode;
        const uint16_t pending = dberror.PendingErrorCode;
        const std::string text = dberror.DbErrorText;
        {
            TAutoReportOff quiet;
            GoTop();
        }
        if (!ok) dberror.DbErrorCode = code, dberror.PendingErrorCode = pending, dberror.DbErrorText = text;
    } else {
        ClearRecord();
    }
    return ok;
}

void TTzCDataSet::Search(const std::string& text, bool& found, bool fromStart)
{
    TSyncAfter sync([this] { SyncBuffers(); });
    found = false;
    if (!CheckCommand("Search") || RecCount() == 0) return;
    Cancel();
    uint8_t field = 0;
    ::Search(text, field, fromStart);
    found = field != 0 && !dEOF() && !dBOF();
    if (!found) ResyncFromWorkArea();
}

int32_t TTzCDataSet::GetBookmark()
{
    return RecNo();
}

bool TTzCDataSet::GotoBookmark(int32_t bookmark)
{
    TSyncAfter sync([this] { SyncBuffers(); });
    if (Go(bookmark)) return true;
    // A bookmark that is no record any more: the end of the table.
    if (CheckCommand("GotoBookmark") && RecCount() > 0) {
        TAutoReportOff quiet;
        GoBottom();
        SelectedArea()->AtEnd = true;
    }
    return false;
}

bool TTzCDataSet::Locate(const std::string& fields, const std::vector<std::string>& values,
                         bool caseInsensitive, bool partialKey)
{
    if (!CheckCommand("Locate") || RecCount() == 0) return false;
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

bool TTzCDataSet::AppendFrom(const std::string& file)
{
    TSyncAfter sync([this] { SyncBuffers(); });
    if (!CheckCommand("AppendFrom") || ReadOnly) return false;
    state_ = TDataSetState::Browse;
    const int32_t here = RecCount() > 0 ? ::RecNo() : 0;
    const uint16_t code = ::AppendFrom(file);
    TAutoReportOff quiet;
    if (here >= 1 && here <= RecCount())
        GO(here);
    else if (RecCount() > 0)
        GoBottom();
    MarkModified();
    return code == 0 && dberror.DbErrorCode == 0;
}

std::string TTzCDataSet::MemoText(int n)
{
    if (!CheckCommand("ReadBlobStream") || n < 1 || n > ::FieldCount() || FieldType(n) != 'M' ||
        RecCount() == 0)
        return "";
    const int32_t block = GetNativeInt(n);
    std::string text;
    if (block > 0) ReadMemoText(block, text);
    return text;
}

bool TTzCDataSet::SetMemoText(int n, const std::string& text)
{
    if (!CheckCommand("WriteBlobStream") || n < 1 || n > ::FieldCount() || FieldType(n) != 'M' ||
        !EnsureEditable())
        return false;
    if (text.empty()) {
        SetNativeInt(n, 0);
        return true;
    }
    const int32_t block = AddMemo(text);
    if (block <= 0 || dberror.DbErrorCode != 0) return false;
    SetNativeInt(n, block);
    return true;
}

namespace
{
bool ValueField(TTzCDataSet& d, int n)
{
    return d.CheckCommand("GetFieldData") && n >= 1 && n <= ::FieldCount() && RecCount() > 0;
}
} // namespace

std::string TTzCDataSet::AsString(int n)
{
    if (!ValueField(*this, n)) return "";
    return RTrimStr(::SField(n));
}

double TTzCDataSet::AsFloat(int n)
{
    if (!ValueField(*this, n)) return 0;
    const char t = FieldType(n);
    if (t == 'N' || t == 'F' || t == 'M') return t == 'M' ? GetNativeInt(n) : GetNativeDouble(n);
    return NumTextToFloat(AllTrim(::SField(n)));
}

int32_t TTzCDataSet::AsInteger(int n)
{
    const double v = AsFloat(n);
    return static_cast<int32_t>(v < 0 ? v - 0.5 : v + 0.5);
}

bool TTzCDataSet::AsBoolean(int n)
{
    if (!ValueField(*this, n)) return false;
    if (FieldType(n) == 'L') return GetNativeBool(n);
    const std::string t = UpperStr(AllTrim(::SField(n)));
    return !t.empty() && (t[0] == 'T' || t[0] == 'Y' || t[0] == 'J');
}

double TTzCDataSet::AsDate(int n)
{
    if (!ValueField(*this, n) || FieldType(n) != 'D') return 0;
    TWorkArea* a = SelectedArea();
    const TDbfField& f = a->Fields[static_cast<std::size_t>(n - 1)];
    return KeyToJulian(a->RecordBuffer.substr(f.Offset, f.Length));
}

bool TTzCDataSet::IsNull(int n)
{
    return ValueField(*this, n) && FieldType(n) == 'D' && AsDate(n) == 0;
}
