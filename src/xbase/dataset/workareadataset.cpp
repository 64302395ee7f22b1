#include "xbase/dataset/workareadataset.h"

#include "platform/platform.h"
#include "xbase/cmd/dbcmd.h"
#include "xbase/cmd/dblocate.h"
#include "xbase/core/dbdates.h"
#include "xbase/core/dberror.h"
#include "xbase/core/dbkeys.h"
#include "xbase/core/dbstrings.h"
#include "xbase/dataset/fielddefinitions.h"
#include "xbase/dbf/dbffile.h"

#include <cmath>
#include <cstring>
#include <sstream>
#include <string_view>

namespace
{

// Day number of 30 December 1899, day 0 of the date-time values.
double DateTimeBase()
{
    return JulianOf(1899, 12, 30);
}

int32_t ReadInt32(const uint8_t* p)
{
    int32_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

double ReadDouble(const uint8_t* p)
{
    double v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// The record a post would write from the work area's native record, in the
// form after the table's read step, leaving the work area's record text and
// the error state as they were: the copy at an edit's begin, the edited
// record and the record another user left are compared in this one form, so
// that neither a byte the code-page step cannot keep nor a number's or a
// date's spelling counts as a change.
std::string PostImage(TWorkArea& a)
{
    TKeepErrorState errorKept;
    const std::string kept = a.RecordBuffer;
    WriteNative(a);
    std::string image = a.RecordBuffer;
    a.RecordBuffer = kept;
    return image;
}

} // namespace

TUCommon ucommon;

void ResetUCommon()
{
    ucommon = TUCommon{};
}

void InitDatasetUnit(const std::string& shortDateFormat, const std::string& yes, const std::string& no)
{
    ucommon.YesText = yes.substr(0, 20);
    ucommon.NoText = no.substr(0, 20);
    const std::string f = UpperStr(AllTrim(shortDateFormat));
    dbdates.DateCentury = f.find("YYYY") != std::string::npos;
    uint8_t code = 0;
    if (!f.empty() && f[0] == 'Y') {
        code = 1;
    } else if (!f.empty() && f[0] == 'D') {
        const std::size_t sep = f.find_first_not_of("D");
        const char c = sep == std::string::npos ? '/' : f[sep];
        code = c == '-' ? 3 : c == '.' ? 5 : 2;
    }
    SetDateFormat(code);
}

// ---- dates

double DateTimeOfKey(const std::string& key)
{
    if (AllTrim(key).empty()) return 0;
    const double jd = KeyToJulian(key);
    return jd == 0 ? 0 : jd - DateTimeBase();
}

std::string KeyOfDateTime(double value)
{
    if (value == 0) return std::string(8, ' ');
    return JulianToKey(std::floor(value) + DateTimeBase());
}

double DateTextToDateTime(const std::string& text)
{
    std::string t = AllTrim(text).substr(0, 10);
    if (t.empty() || t == AllTrim(EmptyDateText(dbdates.DbDateFormat))) return 0;
    std::string probe = t;
    if (!ValidDate(probe)) return 0;
    return DateTimeOfKey(DateToKey(t));
}

// ---- field list

void TDbfFieldProps::Assign(const std::vector<TDTField>& fields, std::string* liveImage)
{
    items_ = fields;
    live_ = liveImage;
    copy_.clear();
    if (live_ == nullptr) {
        std::size_t size = 1;
        for (const auto& f : items_)
            size = std::max<std::size_t>(size, f.Offset + f.Length);
        copy_.assign(size, ' ');
    }
}

char* TDbfFieldProps::Address(int n)
{
    std::string& image = live_ != nullptr ? *live_ : copy_;
    if (n == 0) return image.empty() ? nullptr : image.data();
    if (!Valid(n) || Item(n).Offset >= image.size()) return nullptr;
    return image.data() + Item(n).Offset;
}

// ---- field classes

bool TField::IsNull()
{
    std::vector<uint8_t> v;
    return !ds_.GetFieldData(f_, v);
}

std::string TField::AsString()
{
    std::vector<uint8_t> v;
    const bool has = ds_.GetFieldData(f_, v);
    switch (kind_) {
    case TDsFieldKind::String:
        return std::string(reinterpret_cast<const char*>(v.data()));
    case TDsFieldKind::Date:
        return has ? KeyToDate(KeyOfDateTime(ReadDouble(v.data()))) : "";
    case TDsFieldKind::Float:
        // Every digit the number needs, so that the text reads back as the
        // same number (six significant digits and an exponent would not).
        return PlainNumberText(ReadDouble(v.data()));
    case TDsFieldKind::Integer:
    case TDsFieldKind::Memo:
        return std::to_string(ReadInt32(v.data()));
    case TDsFieldKind::Boolean:
        return AsBoolean() ? "T" : "F";
    }
    return "";
}

double TField::AsFloat()
{
    std::vector<uint8_t> v;
    ds_.GetFieldData(f_, v);
    switch (kind_) {
    case TDsFieldKind::Float:
    case TDsFieldKind::Date:
        return ReadDouble(v.data());
    case TDsFieldKind::Integer:
    case TDsFieldKind::Memo:
        return ReadInt32(v.data());
    case TDsFieldKind::String:
        return NumTextToFloat(AllTrim(AsString()));
    case TDsFieldKind::Boolean:
        return AsBoolean() ? 1 : 0;
    }
    return 0;
}

int32_t TField::AsInteger()
{
    const double v = AsFloat();
    return static_cast<int32_t>(std::lround(v));
}

bool TField::AsBoolean()
{
    std::vector<uint8_t> v;
    ds_.GetFieldData(f_, v);
    if (kind_ == TDsFieldKind::Boolean) {
        const char c = static_cast<char>(v[0]);
        return c == 'T' || c == 't' || c == 'Y' || c == 'y';
    }
    const std::string t = UpperStr(AllTrim(AsString()));
    return !t.empty() && (t[0] == 'T' || t[0] == 'Y' || t[0] == 'J');
}

void TField::SetAsString(const std::string& text)
{
    switch (kind_) {
    case TDsFieldKind::String: {
        std::vector<uint8_t> v(text.begin(), text.end());
        v.push_back(0);
        ds_.SetFieldData(f_, v);
        break;
    }
    case TDsFieldKind::Date: {
        const double d = DateTextToDateTime(text);
        std::vector<uint8_t> v(8);
        std::memcpy(v.data(), &d, 8);
        ds_.SetFieldData(f_, v);
        break;
    }
    case TDsFieldKind::Boolean: {
        const std::string t = UpperStr(AllTrim(text));
        SetAsBoolean(!t.empty() && (t[0] == 'T' || t[0] == 'Y' || t[0] == 'J'));
        break;
    }
    default:
        SetAsFloat(NumTextToFloat(AllTrim(text)));
        break;
    }
}

void TField::SetAsFloat(double value)
{
    std::vector<uint8_t> v(8, 0);
    switch (kind_) {
    case TDsFieldKind::Float:
    case TDsFieldKind::Date:
        std::memcpy(v.data(), &value, 8);
        break;
    case TDsFieldKind::Integer:
    case TDsFieldKind::Memo: {
        const int32_t i = static_cast<int32_t>(std::lround(value));
        std::memcpy(v.data(), &i, 4);
        break;
    }
    case TDsFieldKind::Boolean:
        SetAsBoolean(value != 0);
        return;
    case TDsFieldKind::String:
        // Written to fit the text field: fewer decimals when it is short,
        // asterisks rather than a number cut at its whole part.
        SetAsString(
            PlainNumberText(value, f_.DataSize > 1 ? static_cast<std::size_t>(f_.DataSize - 1) : 340));
        return;
    }
    ds_.SetFieldData(f_, v);
}

void TField::SetAsInteger(int32_t value)
{
    SetAsFloat(value);
}

void TField::SetAsBoolean(bool value)
{
    if (kind_ != TDsFieldKind::Boolean) {
        SetAsString(value ? "T" : "F");
        return;
    }
    std::vector<uint8_t> v{static_cast<uint8_t>(value ? 'T' : 'F'), 0};
    ds_.SetFieldData(f_, v);
}

bool TField::SetDisplayWidth(int width)
{
    if (width < 1 || width > 255) return false;
    displayWidth_ = width;
    return true;
}

bool TTzIntegerField::SetDisplayWidth(int width)
{
    if (width >= 0 && width <= 20) {
        displayWidth_ = width;
        return true;
    }
    return TField::SetDisplayWidth(width);
}

bool TTzFloatField::SetDisplayWidth(int width)
{
    if (width >= 0 && width <= 20) {
        displayWidth_ = width;
        return true;
    }
    return TField::SetDisplayWidth(width);
}

std::string TTzDateField::GetText()
{
    const std::string t = TField::AsString();
    if (t.size() > 10) {
        std::string probe = t.substr(0, 10);
        if (ValidDate(probe)) return t.substr(0, 10);
    }
    return t;
}

void TTzDateField::SetText(const std::string& text)
{
    SetAsString(text);
}

// ---- the work-area dataset

TTzDataSet::~TTzDataSet() = default;

bool TTzDataSet::CheckCommand(const std::string& command)
{
    if (area_ == 0) {
        SetError(1103, "Database is not open [" + Name + "." + command + "]");
        return false;
    }
    if (dbcmd.CurrentArea != area_) Select(area_);
    dbcmd.AnsiTables = TableLanguage == TTzTableLanguage::tlAnsi;
    return true;
}

void TTzDataSet::DoBeforeRestore()
{
    if (BeforeRestore) BeforeRestore();
}

void TTzDataSet::DoAfterRestore()
{
    if (AfterRestore) AfterRestore();
}

void TTzDataSet::PostInsertBuffer()
{
    if (state_ == TDataSetState::Insert && !active_.empty())
        WriteBufferToWorkArea(active_.data());
    else if (RecordBufferSize() > 0 && !active_.empty() && recordCount_ > 0)
        InternalSetToRecord(active_.data());
}

int TTzDataSet::TziSetToBegin()
{
    if (UsesWorkArea()) {
        if (area_ != 0 && dbcmd.CurrentArea != area_) Select(area_);
        if (RecCount() > 0) GoTop();
        atBof_ = true;
        atEof_ = false;
    }
    return TzOk;
}

int TTzDataSet::TziSetToEnd()
{
    if (UsesWorkArea()) {
        if (area_ != 0 && dbcmd.CurrentArea != area_) Select(area_);
        if (RecCount() > 0) GoBottom();
        atBof_ = false;
        atEof_ = true;
    }
    return TzOk;
}

int TTzDataSet::TziOpen()
{
    if (fileName_.empty()) return TzNoFileName;
    fieldObjects_.clear();
    ResetLayout();
    const uint8_t previous = dbcmd.CurrentArea;
    Select(area_);
    if (dberror.DbErrorCode != 0) {
        const uint16_t code = dberror.DbErrorCode;
        Select(previous);
        return code;
    }
    dbcmd.AnsiTables = TableLanguage == TTzTableLanguage::tlAnsi;
    if (UsesWorkArea()) {
        const uint8_t area = dbcmd.CurrentArea;
        if (!OpenSource(fileName_) || SelectedArea() == nullptr) {
            const uint16_t code = dberror.DbErrorCode;
            if (SelectedArea() != nullptr && area_ == 0) CloseArea();
            Select(previous);
            dberror.DbErrorCode = code;
            return code != 0 ? static_cast<int>(code) : static_cast<int>(TzFailed);
        }
        SetIgnoreDel(hideDeleted_);
        RebuildDbfFields();
        area_ = area;
        BuildFieldProps();
        return TzOk;
    }
    // Being designed: the structure is read and the file closed again.
    if (!UseFile(fileName_) || SelectedArea() == nullptr) {
        const uint16_t code = dberror.DbErrorCode;
        Select(previous);
        return code != 0 ? static_cast<int>(code) : static_cast<int>(TzFailed);
    }
    RebuildDbfFields();
    BuildFieldProps();
    CloseArea();
    Select(previous);
    return TzOk;
}

int TTzDataSet::TziClose()
{
    if (area_ == 0) return TzOk;
    Select(area_);
    if (UsesWorkArea()) CloseSource();
    CloseArea();
    area_ = 0;
    fieldObjects_.clear();
    return TzOk;
}

int32_t TTzDataSet::TziGetRecordCount()
{
    if (!UsesWorkArea()) return 1;
    return CheckCommand("RecordCount") ? RecCount() : 0;
}

int TTzDataSet::TziForceReread()
{
    if (!CheckCommand("ForceReread")) return dberror.DbErrorCode;
    if (RecCount() > 0) SKIP(0);
    return TzOk;
}

int TTzDataSet::TziAppendRecord(uint8_t* buffer)
{
    if (!CheckCommand("AppendRecord")) return dberror.DbErrorCode;
    buffer[0] = 0;
    WriteBufferToWorkArea(buffer);
    const bool ok = AppendWithLock();
    atBof_ = false;
    atEof_ = false;
    if (ok) return TzOk;
    return dberror.DbErrorCode != 0 ? static_cast<int>(dberror.DbErrorCode) : static_cast<int>(TzFailed);
}

int TTzDataSet::TziInsertRecord(uint8_t* buffer)
{
    return TziAppendRecord(buffer);
}

int TTzDataSet::TziDeleteRecord()
{
    if (!CheckCommand("DeleteRecord")) return dberror.DbErrorCode;
    const bool ok = DeleteWithLock();
    if (RecCount() == 0 || (dBOF() && dEOF())) {
        atBof_ = true;
        atEof_ = true;
    }
    if (ok) return TzOk;
    return dberror.DbErrorCode != 0 ? static_cast<int>(dberror.DbErrorCode) : static_cast<int>(TzFailed);
}

int TTzDataSet::TziInitRecord(uint8_t*)
{
    if (!CheckCommand("InitRecord")) return dberror.DbErrorCode;
    ClearRecord();
    // The new record's number fields are empty until they are given a value:
    // stored as 0 they would show a number nobody typed.
    if (TWorkArea* a = SelectedArea(); a != nullptr) KeepBlankNumbers(*a);
    return TzOk;
}

int TTzDataSet::TziPostRecord(uint8_t* buffer, int)
{
    if (atBof_) return TzBof;
    if (atEof_) return TzEof;
    if (!CheckCommand("PostRecord")) return dberror.DbErrorCode;
    WriteBufferToWorkArea(buffer);
    if (ReplaceWithLock()) return TzOk;
    // An edit dropped because another user changed one of its fields has
    // been told in its own box and ended: the dataset browses the record as
    // the file holds it.
    if (state_ == TDataSetState::Browse) return TzOk;
    return dberror.DbErrorCode != 0 ? static_cast<int>(dberror.DbErrorCode) : static_cast<int>(TzFailed);
}

void TTzDataSet::EditBegins()
{
    if (!UsesWorkArea() || !CheckCommand("Edit") || RecCount() == 0) return;
    const int32_t n = ::RecNo();
    if (n < 1 || n > RecCount()) return;
    {
        TAutoReportOff quiet;
        GO(n);
    }
    // The edit starts from the record as the file holds it now; the post
    // writes the active buffer's fields.
    if (!active_.empty()) ReadRecordToBuffer(active_.data());
    TakeEditOrigin();
}

void TTzDataSet::TakeEditOrigin()
{
    editOrigin_.clear();
    editOriginRecord_ = 0;
    TWorkArea* a = SelectedArea();
    if (a == nullptr || a->IsVirtual || a->NativeRecord == nullptr || a->RecordNumber < 1 ||
        a->RecordNumber > a->RecordCount)
        return;
    EnsureNative(*a);
    // The edit's blank numbers stay blank unless it gives them a value, 0
    // included: without the marks the record as begun and as posted would
    // both show a typed 0 where the file holds a blank, and the post would
    // take the 0 for no change and leave the blank.
    KeepBlankNumbers(*a);
    editOrigin_ = PostImage(*a);
    editOriginRecord_ = a->RecordNumber;
}

// Departs from the post that writes every field of the edited record: a
// record edited in one window while another window or program posts a change
// of another field of it would take that change back without a word. So the
// post writes only what this edit changed, into the record as the file holds
// it under the lock, and refuses (the caller tells the user) an edit of a
// field that another user changed since the edit began.
bool TTzDataSet::MergeEditWithFile(std::string& conflict)
{
    conflict.clear();
    TWorkArea* a = SelectedArea();
    const std::string origin = std::move(editOrigin_);
    const int32_t originRecord = editOriginRecord_;
    editOrigin_.clear();
    editOriginRecord_ = 0;
    if (a == nullptr || a->IsVirtual || a->NativeRecord == nullptr || origin.empty() ||
        a->RecordNumber != originRecord || origin.size() != a->RecordLength)
        return true;
    EnsureNative(*a);
    const std::string mine = PostImage(*a);
    bool read = false;
    {
        TAutoReportOff quiet;
        read = GetDbfRecord(*a, a->RecordNumber);
    }
    if (!read || a->RecordBuffer.size() != mine.size()) {
        // The record cannot be read again: the edit is written as it stands.
        dberror.DbErrorCode = 0;
        dberror.PendingErrorCode = 0;
        a->RecordBuffer = mine;
        ReadNative(*a);
        return true;
    }
    const std::string file = a->RecordBuffer;
    ReadNative(*a);
    // The record as the file holds it, in the form the edit's origin was
    // taken in: a number the file holds blank is blank in both, not a blank
    // on one side and the 0 it reads as on the other, which would take every
    // number typed into an empty field for another user's change.
    KeepBlankNumbers(*a);
    const std::string theirs = PostImage(*a);
    std::string merged = file; // the file's delete mark and fields
    for (const TDbfField& f : a->Fields) {
        if (f.Offset + f.Length > mine.size()) continue;
        const auto part = [&f](const std::string& r) {
            return std::string_view(r).substr(f.Offset, f.Length);
        };
        if (part(mine) == part(origin)) continue; // not changed by this edit
        // Another user's change to the very value typed here takes nothing
        // back: only a different value is refused.
        if (part(theirs) != part(origin) && part(theirs) != part(mine)) {
            conflict = f.Name;
            return false; // the work area holds the file's record
        }
        merged.replace(f.Offset, f.Length, part(mine));
    }
    a->RecordBuffer = merged;
    ReadNative(*a);
    // A number field that the file holds blank and this edit did not give a
    // value stays blank: written from its native 0 it would show a number
    // nobody typed.
    a->BlankNumbers.assign(a->Fields.size(), false);
    for (std::size_t i = 0; i < a->Fields.size(); ++i) {
        const TDbfField& f = a->Fields[i];
        a->BlankNumbers[i] = (f.Type == 'N' || f.Type == 'F') && f.Offset + f.Length <= merged.size() &&
                             std::string_view(mine).substr(f.Offset, f.Length) ==
                                 std::string_view(origin).substr(f.Offset, f.Length);
    }
    return true;
}

int TTzDataSet::TziGetRecord(uint8_t* buffer, int32_t& recNo)
{
    if (atBof_) return TzBof;
    if (atEof_) return TzEof;
    if (!UsesWorkArea()) {
        recNo = 1;
        return TzOk;
    }
    if (!CheckCommand("GetRecord")) return dberror.DbErrorCode;
    if (RecCount() == 0) return TzEof;
    if (buffer != nullptr) {
        SKIP(0);
        ReadRecordToBuffer(buffer);
    }
    recNo = ::RecNo();
    return TzOk;
}

int TTzDataSet::TziGetNextRecord(uint8_t* buffer, int32_t& recNo)
{
    if (atEof_) return TzEof;
    if (!CheckCommand("GetNextRecord")) return dberror.DbErrorCode;
    const bool empty = RecCount() == 0;
    if (empty) {
        atBof_ = false;
        atEof_ = true;
        return TzEof;
    }
    if (atBof_) {
        SKIP(0);
        atBof_ = false;
    } else if (!dEOF()) {
        SKIP(1);
    }
    if (dEOF()) {
        SKIP(-1);
        atEof_ = true;
        return TzEof;
    }
    if (buffer != nullptr) ReadRecordToBuffer(buffer);
    recNo = ::RecNo();
    return TzOk;
}

int TTzDataSet::TziGetPriorRecord(uint8_t* buffer, int32_t& recNo)
{
    if (atBof_) return TzBof;
    if (!CheckCommand("GetPriorRecord")) return dberror.DbErrorCode;
    if (RecCount() == 0) {
        atBof_ = true;
        atEof_ = false;
        return TzBof;
    }
    bool wasEnd = atEof_;
    if (atEof_) {
        SKIP(0);
        atEof_ = false;
    }
    if (!wasEnd && !dBOF()) SKIP(-1);
    if (dBOF() && !wasEnd) {
        atBof_ = true;
        return TzBof;
    }
    if (buffer != nullptr) ReadRecordToBuffer(buffer);
    recNo = ::RecNo();
    return TzOk;
}

int TTzDataSet::TziGetFieldData(const TDsField& field, const uint8_t* buffer, bool& hasValue, uint8_t* value)
{
    const auto& offs = FieldOffsets();
    if (field.FieldNo < 1 || field.FieldNo > static_cast<int>(offs.size())) return TzFailed;
    const uint8_t* p = buffer + offs[static_cast<std::size_t>(field.FieldNo - 1)];
    const TDTField& f = props_.Item(field.FieldNo);
    hasValue = true;
    switch (f.FieldType) {
    case 'C': {
        std::string text(reinterpret_cast<const char*>(p + 1), std::min<std::size_t>(p[0], f.Length));
        text = RTrimStr(text);
        std::memcpy(value, text.data(), text.size());
        value[text.size()] = 0;
        break;
    }
    case 'D': {
        const double d = ReadDouble(p);
        hasValue = d != 0;
        std::memcpy(value, &d, 8);
        break;
    }
    default:
        std::memcpy(
            value, p,
            static_cast<std::size_t>(FieldBufferSize(static_cast<char>(f.FieldType), f.Length, f.Decimals)));
        break;
    }
    return TzOk;
}

int TTzDataSet::TziSetFieldData(const TDsField& field, uint8_t* buffer, const uint8_t* value)
{
    const auto& offs = FieldOffsets();
    if (field.FieldNo < 1 || field.FieldNo > static_cast<int>(offs.size())) return TzFailed;
    uint8_t* p = buffer + offs[static_cast<std::size_t>(field.FieldNo - 1)];
    const TDTField& f = props_.Item(field.FieldNo);
    if (f.FieldType == 'C') {
        const std::size_t n =
            std::min<std::size_t>(std::strlen(reinterpret_cast<const char*>(value)), f.Length);
        p[0] = static_cast<uint8_t>(f.Length);
        std::memset(p + 1, ' ', f.Length);
        std::memcpy(p + 1, value, n);
    } else {
        std::memcpy(
            p, value,
            static_cast<std::size_t>(FieldBufferSize(static_cast<char>(f.FieldType), f.Length, f.Decimals)));
    }
    if (UsesWorkArea() && area_ != 0 && CheckCommand("SetFieldData")) {
        WriteBufferToWorkArea(buffer, field.FieldNo);
        // A number set through its field is a value given, 0 included.
        if (TWorkArea* a = SelectedArea(); a != nullptr) MarkNumberBlank(*a, field.FieldNo, false);
    }
    return TzOk;
}

int TTzDataSet::SafeGo(int32_t n)
{
    if (!CheckCommand("Go")) return dberror.DbErrorCode;
    if (n < 1 || n > RecCount()) {
        TziSetToEnd();
        return TzEof;
    }
    TAutoReportOff quiet;
    GO(n);
    if (dberror.DbErrorCode != 0) {
        dberror.DbErrorCode = 0;
        TziSetToEnd();
        return TzFailed;
    }
    atBof_ = false;
    atEof_ = false;
    return TzOk;
}

int TTzDataSet::TziSetRecNo(int32_t n)
{
    return SafeGo(n);
}

bool TTzDataSet::TziLocate(const std::string& fields, const std::vector<std::string>& values,
                           TLocateOptions options)
{
    if (!CheckCommand("Locate") || RecCount() == 0) return false;
    std::vector<TLocateValue> v;
    for (const auto& t : values)
        v.push_back(TLocateValue{t});
    const bool found = LocateMulti(fields, v, options.CaseInsensitive, true, !options.PartialKey);
    if (found) {
        atBof_ = false;
        atEof_ = false;
    }
    return found;
}

int TTzDataSet::TziLookup(const std::string& fields, const std::vector<std::string>& values,
                          const std::string& resultFields, std::vector<std::string>& result)
{
    result.clear();
    if (!CheckCommand("Lookup")) return dberror.DbErrorCode;
    if (RecCount() == 0) return TzEof;
    const int32_t here = ::RecNo();
    std::vector<TLocateValue> v;
    for (const auto& t : values)
        v.push_back(TLocateValue{t});
    const bool found = LocateMulti(fields, v, false, true, true);
    if (found) {
        if (!calcBuffer_.empty()) ReadRecordToBuffer(calcBuffer_.data());
        std::stringstream in(resultFields);
        std::string name;
        while (std::getline(in, name, ';')) {
            const uint8_t n = FieldNo(AllTrim(name));
            result.push_back(n == 0 ? "" : AllTrim(::SField(n)));
        }
    }
    SafeGo(here);
    return found ? TzOk : TzFailed;
}

int TTzDataSet::TziGotoBookmark(const uint8_t* bookmark)
{
    return SafeGo(ReadInt32(bookmark));
}

int TTzDataSet::TziSetToBookmark(uint8_t* bookmark)
{
    int32_t n = 1;
    if (UsesWorkArea() && CheckCommand("SetToBookmark")) n = ::RecNo();
    std::memcpy(bookmark, &n, 4);
    return TzOk;
}

int TTzDataSet::TziCompareBookmarks(const uint8_t* b1, const uint8_t* b2, int& result)
{
    const int32_t a = ReadInt32(b1);
    const int32_t b = ReadInt32(b2);
    result = a < b ? -1 : a > b ? 1 : 0;
    return TzOk;
}

std::string TTzDataSet::ErrorTextOf(int code)
{
    return ErrorText(static_cast<uint16_t>(code));
}

bool TTzDataSet::IsEmptyDbf()
{
    if (!CheckCommand("s_IsEmptyDbf")) return true;
    return RecCount() == 0 || (dBOF() && dEOF());
}

bool TTzDataSet::DirectOpenClose(bool open)
{
    if (!IsCursorOpen()) {
        SetError(1103, "DataSet must be active. " + Name);
        return false;
    }
    if (UsesWorkArea()) return true;
    if (open) {
        const uint8_t previous = dbcmd.CurrentArea;
        Select(0);
        const uint8_t area = dbcmd.CurrentArea;
        if (!UseFile(fileName_)) {
            Select(previous);
            return false;
        }
        area_ = area;
        BuildFieldProps();
        return true;
    }
    if (area_ != 0) {
        Select(area_);
        CloseArea();
        area_ = 0;
    }
    return true;
}

void TTzDataSet::PostDataset()
{
    if (state_ != TDataSetState::Edit && state_ != TDataSetState::Insert && state_ != TDataSetState::SetKey)
        return;
    DsPost();
    if (IsEmptyDbf()) Resync();
}

// ---- record conversion

uint16_t TTzDataSet::RecordSize()
{
    if (recordSize_ != 0) return recordSize_;
    offsets_.clear();
    int size = 1;
    for (int i = 1; i <= props_.Count(); ++i) {
        offsets_.push_back(size);
        size += FieldBufferSize(props_.Type(i), props_.Length(i), props_.Decimals(i));
    }
    recordSize_ = static_cast<uint16_t>(size);
    return recordSize_;
}

void TTzDataSet::ReadRecordToBuffer(uint8_t* buffer)
{
    const auto& offs = FieldOffsets();
    buffer[0] = Deleted() ? 1 : 0;
    for (int i = 1; i <= props_.Count(); ++i) {
        uint8_t* p = buffer + offs[static_cast<std::size_t>(i - 1)];
        const uint8_t* n = ::FieldAddress(i);
        const TDTField& f = props_.Item(i);
        switch (f.FieldType) {
        case 'C':
            p[0] = static_cast<uint8_t>(f.Length);
            std::memset(p + 1, ' ', f.Length);
            if (n != nullptr) std::memcpy(p + 1, n + 1, std::min<std::size_t>(n[0], f.Length));
            break;
        case 'D': {
            double d = 0;
            if (n != nullptr) {
                const std::string text(reinterpret_cast<const char*>(n + 1), std::min<std::size_t>(n[0], 10));
                // The stored date itself while the record's date text is the
                // one read with it: a two-digit year would put a date outside
                // the century window into the wrong century.
                const char* raw = props_.Address(i);
                const std::string key = raw != nullptr ? std::string(raw, 8) : std::string();
                if (!key.empty() && AllTrim(KeyToDate(key)) == AllTrim(text))
                    d = DateTimeOfKey(key);
                else
                    d = DateTextToDateTime(text);
            }
            std::memcpy(p, &d, 8);
            break;
        }
        case 'N':
        case 'F':
            if (f.Decimals > 0) {
                const double d = GetNativeDouble(i);
                std::memcpy(p, &d, 8);
            } else {
                const int32_t v = GetNativeInt(i);
                std::memcpy(p, &v, 4);
            }
            break;
        case 'L':
            p[0] = GetNativeBool(i) ? 'T' : 'F';
            p[1] = 0;
            break;
        case 'M': {
            const int32_t v = GetNativeInt(i);
            std::memcpy(p, &v, 4);
            break;
        }
        default:
            break;
        }
    }
}

void TTzDataSet::WriteBufferToWorkArea(const uint8_t* buffer, int field)
{
    const auto& offs = FieldOffsets();
    SetNativeDeleted(buffer[0] != 0);
    for (int i = 1; i <= props_.Count(); ++i) {
        if (field != 0 && i != field) continue;
        const uint8_t* p = buffer + offs[static_cast<std::size_t>(i - 1)];
        uint8_t* n = ::FieldAddress(i);
        if (n == nullptr) continue;
        const TDTField& f = props_.Item(i);
        switch (f.FieldType) {
        case 'C':
            SetNativeText(
                i, std::string(reinterpret_cast<const char*>(p + 1), std::min<std::size_t>(p[0], f.Length)));
            break;
        case 'D': {
            const double d = ReadDouble(p);
            std::string text;
            if (d != 0) {
                text = KeyToDate(KeyOfDateTime(d));
                std::string probe = text;
                if (!ValidDate(probe)) {
                    platform::CurrentPlatform().Messages().ShowOk("", "        Invalid date       ",
                                                                  platform::MessageIcon::Error);
                    text.clear();
                }
            }
            if (text.size() > 10) text.resize(10);
            n[0] = static_cast<uint8_t>(text.size());
            std::memset(n + 1, ' ', 10);
            std::memcpy(n + 1, text.data(), text.size());
            break;
        }
        case 'N':
        case 'F':
            if (f.Decimals > 0)
                SetNativeDouble(i, ReadDouble(p));
            else
                SetNativeInt(i, ReadInt32(p));
            break;
        case 'L':
            SetNativeBool(i, p[0] == 'T' || p[0] == 't' || p[0] == 'Y' || p[0] == 'y');
            break;
        case 'M':
            SetNativeInt(i, ReadInt32(p));
            break;
        default:
            break;
        }
    }
}

// ---- fields

void TTzDataSet::BuildFieldProps()
{
    TWorkArea* a = SelectedArea();
    std::vector<TDTField> items;
    if (a != nullptr) {
        items.reserve(a->Fields.size());
        for (const auto& f : a->Fields)
            items.push_back(TDTField{f.Name, static_cast<uint8_t>(f.Type), f.Length, f.Decimals, f.Offset});
    }
    props_.Assign(items, UsesWorkArea() && a != nullptr ? &a->RecordBuffer : nullptr);
    ResetLayout();
}

void TTzDataSet::RebuildDbfFields()
{
    DbfFields.clear();
    DbfFields.reserve(static_cast<std::size_t>(::FieldCount()));
    for (int i = 1; i <= ::FieldCount(); ++i)
        DbfFields.push_back(DbfFieldEntry(::Field(i), FieldType(i), ::FieldLen(i), FieldDec(i)));
}

void TTzDataSet::InternalInitFieldDefs()
{
    if (DbfFields.empty() && props_.Count() == 0)
        throw EDatabaseError(Name + ".DbfFields undefined. Set Active to TRUE", 1103);
    for (int i = 1; i <= props_.Count(); ++i) {
        TDsField f;
        f.Name = props_.Name(i);
        f.FieldNo = i;
        f.Blob = props_.Type(i) == 'M' && !IsVirtual();
        f.DataSize = FieldBufferSize(props_.Type(i), props_.Length(i), props_.Decimals(i));
        Fields.push_back(f);
    }
}

void TTzDataSet::InternalClose()
{
    fieldObjects_.clear();
    TTzPrimDataset::InternalClose();
}

std::unique_ptr<TField> TTzDataSet::CreateFieldObject(const TDsField& field)
{
    if (field.Calculated) return std::make_unique<TField>(*this, field, TDsFieldKind::String);
    switch (props_.Type(field.FieldNo)) {
    case 'D':
        return std::make_unique<TTzDateField>(*this, field, TDsFieldKind::Date);
    case 'N':
    case 'F':
        if (props_.Decimals(field.FieldNo) > 0)
            return std::make_unique<TTzFloatField>(*this, field, TDsFieldKind::Float);
        return std::make_unique<TTzIntegerField>(*this, field, TDsFieldKind::Integer);
    case 'L':
        return std::make_unique<TField>(*this, field, TDsFieldKind::Boolean);
    case 'M':
        return std::make_unique<TField>(*this, field,
                                        IsVirtual() ? TDsFieldKind::Integer : TDsFieldKind::Memo);
    default:
        return std::make_unique<TField>(*this, field, TDsFieldKind::String);
    }
}

TField* TTzDataSet::FieldByNumber(int n)
{
    if (n < 1 || n > static_cast<int>(Fields.size())) return nullptr;
    if (fieldObjects_.size() != Fields.size()) {
        fieldObjects_.clear();
        for (const auto& f : Fields)
            fieldObjects_.push_back(CreateFieldObject(f));
    }
    return fieldObjects_[static_cast<std::size_t>(n - 1)].get();
}

TField* TTzDataSet::FieldByName(const std::string& name)
{
    const std::string want = UpperStr(AllTrim(AllTrim(name).substr(0, 10)));
    for (std::size_t i = 0; i < Fields.size(); ++i)
        if (UpperStr(Fields[i].Name) == want) return FieldByNumber(static_cast<int>(i) + 1);
    return nullptr;
}
