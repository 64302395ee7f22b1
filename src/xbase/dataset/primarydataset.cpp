#include "xbase/dataset/primarydataset.h"

#include "platform/platform.h"

#include <algorithm>
#include <cstring>

void TTzPrimDataset::TzCheck(int code)
{
    switch (code) {
    case TzOk:
        return;
    case TzFailed:
    case TzBof:
    case TzEof:
        throw EDatabaseError("Dataset error: " + std::to_string(code), code);
    case TzNoFileName:
        throw EDatabaseError("The FileName property of the dataset not set", code);
    default:
        throw EDatabaseError("Dataset error: " + ErrorTextOf(code), code);
    }
}

void TTzPrimDataset::InternalHandleException(const std::exception& e)
{
    if (OnHandleException)
        OnHandleException(e.what());
    else
        platform::CurrentPlatform().Messages().ShowOk("", e.what(), platform::MessageIcon::Error);
}

std::string TTzPrimDataset::ErrorTextOf(int code)
{
    return std::to_string(code);
}

void TTzPrimDataset::AddCalcField(const std::string& name, int size)
{
    TDsField f;
    f.Name = name;
    f.Calculated = true;
    f.DataSize = size;
    Fields.push_back(f);
}

// ---- open and close

void TTzPrimDataset::OpenDataset()
{
    if (cursorOpen_) return;
    Fire(BeforeOpen);
    OpenCursor();
    state_ = TDataSetState::Browse;
    InternalFirst();
    Resync();
    Fire(AfterOpen);
}

void TTzPrimDataset::CloseDataset()
{
    if (!cursorOpen_) return;
    Fire(BeforeClose);
    CloseCursor();
    state_ = TDataSetState::Inactive;
    Fire(AfterClose);
}

void TTzPrimDataset::OpenCursor()
{
    TzCheck(TziOpen());
    cursorOpen_ = true;
    InternalOpen();
}

void TTzPrimDataset::CloseCursor()
{
    InternalClose();
    scratch_.clear();
    TziClose();
    cursorOpen_ = false;
}

void TTzPrimDataset::InternalOpen()
{
    InternalInitFieldDefs();
    recordDataSize_ = TziGetRecordSize();
    bookmarkSize_ = TziGetBookmarkSize();
    calcFieldsSize_ = 0;
    blobFieldCount_ = 0;
    for (auto& f : Fields) {
        if (f.Calculated) {
            f.Offset = calcFieldsSize_;
            calcFieldsSize_ = static_cast<uint16_t>(calcFieldsSize_ + 1 + f.DataSize);
        } else if (f.Blob) {
            ++blobFieldCount_;
        }
    }
    calcFieldsOffset_ = recordDataSize_;
    recNoOffset_ = static_cast<uint16_t>(calcFieldsOffset_ + calcFieldsSize_ + 4 * blobFieldCount_);
    bookmarkOffset_ = static_cast<uint16_t>(recNoOffset_ + 4 + 1);
    recordBufferSize_ = static_cast<uint16_t>(bookmarkOffset_ + bookmarkSize_);
    sequenced_ = TziGetAccessMode() == 2;
    active_ = AllocRecordBuffer();
    keyBuffer_ = AllocRecordBuffer();
    calcBuffer_ = AllocRecordBuffer();
}

void TTzPrimDataset::InternalClose()
{
    Fields.erase(
        std::remove_if(Fields.begin(), Fields.end(), [](const TDsField& f) { return !f.Calculated; }),
        Fields.end());
    sequenced_ = false;
}

// ---- buffer parts

void TTzPrimDataset::ClearCalcFields(uint8_t* buffer)
{
    std::memset(buffer + calcFieldsOffset_, 0, calcFieldsSize_);
}

TBookmark TTzPrimDataset::GetBookmarkData(const uint8_t* buffer) const
{
    return TBookmark(buffer + bookmarkOffset_, buffer + bookmarkOffset_ + bookmarkSize_);
}

void TTzPrimDataset::SetBookmarkData(uint8_t* buffer, const TBookmark& bookmark) const
{
    std::memcpy(buffer + bookmarkOffset_, bookmark.data(),
                std::min<std::size_t>(bookmark.size(), bookmarkSize_));
}

TBookmarkFlag TTzPrimDataset::GetBookmarkFlag(const uint8_t* buffer) const
{
    return static_cast<TBookmarkFlag>(buffer[recNoOffset_ + 4]);
}

void TTzPrimDataset::SetBookmarkFlag(uint8_t* buffer, TBookmarkFlag flag) const
{
    buffer[recNoOffset_ + 4] = static_cast<uint8_t>(flag);
}

int32_t TTzPrimDataset::BufferRecNo(const uint8_t* buffer) const
{
    int32_t n;
    std::memcpy(&n, buffer + recNoOffset_, sizeof n);
    return n;
}

// ---- framework operations

TGetResult TTzPrimDataset::GetRecord(uint8_t* buffer, TGetMode mode, bool check)
{
    int32_t recNo = 0;
    int code = TzFailed;
    switch (mode) {
    case TGetMode::Current:
        code = TziGetRecord(buffer, recNo);
        break;
    case TGetMode::Next:
        code = TziGetNextRecord(buffer, recNo);
        break;
    case TGetMode::Prior:
        code = TziGetPriorRecord(buffer, recNo);
        break;
    }
    switch (code) {
    case TzOk:
        std::memcpy(buffer + recNoOffset_, &recNo, sizeof recNo);
        SetBookmarkFlag(buffer, TBookmarkFlag::Current);
        ClearCalcFields(buffer);
        if (AutoCalcFields && OnCalcFields) {
            // The handler sees the record being read and sets its
            // calculated fields in it.
            const TDataSetState was = state_;
            state_ = TDataSetState::CalcFields;
            calcTarget_ = buffer;
            try {
                OnCalcFields();
            } catch (...) {
                state_ = was;
                calcTarget_ = nullptr;
                throw;
            }
            state_ = was;
            calcTarget_ = nullptr;
        }
        TzCheck(TziSetToBookmark(buffer + bookmarkOffset_));
        return TGetResult::OK;
    case TzBof:
        return TGetResult::BOF;
    case TzEof:
        return TGetResult::EOF_;
    default:
        if (check) TzCheck(code);
        return TGetResult::Error;
    }
}

int32_t TTzPrimDataset::GetRecordCount()
{
    if (!cursorOpen_) throw EDatabaseError("Cannot perform this operation on a closed dataset", TzFailed);
    return TziGetRecordCount();
}

int32_t TTzPrimDataset::GetRecNo()
{
    if (state_ == TDataSetState::SetKey) return BufferRecNo(keyBuffer_.data());
    return active_.empty() ? 0 : BufferRecNo(active_.data());
}

void TTzPrimDataset::SetRecNo(int32_t n)
{
    if (n == GetRecNo()) return;
    DsCancel();
    Fire(BeforeScroll);
    if (TziSetRecNo(n) == TzOk) {
        Resync();
        Fire(AfterScroll);
    }
}

void TTzPrimDataset::InternalFirst()
{
    TzCheck(TziSetToBegin());
}
void TTzPrimDataset::InternalLast()
{
    TzCheck(TziSetToEnd());
}
void TTzPrimDataset::InternalRefresh()
{
    TzCheck(TziForceReread());
}

void TTzPrimDataset::RefreshActiveRecord()
{
    int32_t recNo = 0;
    TzCheck(TziGetRecord(active_.data(), recNo));
}

void TTzPrimDataset::InternalInitRecord(uint8_t* buffer)
{
    std::memset(buffer, 0, recordBufferSize_);
    TziInitRecord(buffer);
}

void TTzPrimDataset::InternalAddRecord(uint8_t* buffer, bool append)
{
    TzCheck(append ? TziAppendRecord(buffer) : TziInsertRecord(buffer));
}

void TTzPrimDataset::InternalDelete()
{
    TzCheck(TziDeleteRecord());
}

void TTzPrimDataset::InternalPost()
{
    if (state_ == TDataSetState::Edit)
        TzCheck(TziPostRecord(active_.data(), 1));
    else if (state_ == TDataSetState::Insert)
        TzCheck(TziInsertRecord(active_.data()));
}

void TTzPrimDataset::InternalGotoBookmark(const TBookmark& bookmark)
{
    TzCheck(TziGotoBookmark(bookmark.data()));
}

void TTzPrimDataset::InternalSetToRecord(const uint8_t* buffer)
{
    InternalGotoBookmark(GetBookmarkData(buffer));
}

bool TTzPrimDataset::BookmarkValid(const TBookmark& bookmark)
{
    if (!cursorOpen_ || bookmark.empty()) return false;
    int32_t recNo = 0;
    return TziGotoBookmark(bookmark.data()) == TzOk && TziGetRecord(nullptr, recNo) == TzOk;
}

int TTzPrimDataset::CompareBookmarks(const TBookmark& b1, const TBookmark& b2)
{
    if (b1.empty() || b2.empty()) return b1.empty() && b2.empty() ? 0 : b1.empty() ? 1 : -1;
    int result = 0;
    TzCheck(TziCompareBookmarks(b1.data(), b2.data(), result));
    return result;
}

uint8_t* TTzPrimDataset::StateBuffer()
{
    switch (state_) {
    case TDataSetState::SetKey:
        return keyBuffer_.data();
    case TDataSetState::CalcFields:
        return calcTarget_ != nullptr ? calcTarget_ : calcBuffer_.data();
    default:
        return active_.empty() ? nullptr : active_.data();
    }
}

bool TTzPrimDataset::GetFieldData(const TDsField& field, std::vector<uint8_t>& value)
{
    uint8_t* buffer = StateBuffer();
    if (buffer == nullptr) return false;
    if (field.Calculated) {
        const uint8_t* p = buffer + calcFieldsOffset_ + field.Offset;
        value.assign(p + 1, p + 1 + field.DataSize);
        return p[0] != 0;
    }
    value.assign(static_cast<std::size_t>(std::max(field.DataSize, 8)), 0);
    bool hasValue = false;
    TzCheck(TziGetFieldData(field, buffer, hasValue, value.data()));
    return hasValue;
}

void TTzPrimDataset::SetFieldData(const TDsField& field, const std::vector<uint8_t>& value)
{
    const TDataSetState s = state_;
    if (s != TDataSetState::Edit && s != TDataSetState::Insert && s != TDataSetState::SetKey &&
        s != TDataSetState::CalcFields && s != TDataSetState::Filter && s != TDataSetState::NewValue)
        throw EDatabaseError("Dataset not in edit or insert mode", TzFailed);
    uint8_t* buffer = StateBuffer();
    if (field.Calculated) {
        uint8_t* p = buffer + calcFieldsOffset_ + field.Offset;
        p[0] = value.empty() ? 0 : 1;
        std::memset(p + 1, 0, static_cast<std::size_t>(field.DataSize));
        std::memcpy(p + 1, value.data(),
                    std::min<std::size_t>(value.size(), static_cast<std::size_t>(field.DataSize)));
    } else {
        if (field.ReadOnly && s != TDataSetState::SetKey && s != TDataSetState::Filter)
            throw EDatabaseError("Field '" + field.Name + "' cannot be modified", TzFailed);
        if (!field.InternalCalc) TzCheck(TziSetFieldData(field, buffer, value.data()));
    }
    if (s != TDataSetState::CalcFields && s != TDataSetState::Filter && s != TDataSetState::NewValue &&
        OnFieldChange)
        OnFieldChange(field);
}

bool TTzPrimDataset::FindRecord(bool restart, bool goForward)
{
    DsCancel();
    found_ = false;
    int32_t recNo = 0;
    int code;
    if (goForward) {
        if (restart) TzCheck(TziSetToBegin());
        code = TziGetNextRecord(nullptr, recNo);
    } else {
        if (restart) TzCheck(TziSetToEnd());
        code = TziGetPriorRecord(nullptr, recNo);
    }
    if (code == TzOk) {
        Resync();
        found_ = true;
    }
    return found_;
}

bool TTzPrimDataset::Locate(const std::string& fields, const std::vector<std::string>& values,
                            TLocateOptions options)
{
    DsCancel();
    Fire(BeforeScroll);
    const bool ok = TziLocate(fields, values, options);
    if (ok) {
        Resync();
        Fire(AfterScroll);
    }
    return ok;
}

int TTzPrimDataset::Lookup(const std::string& fields, const std::vector<std::string>& values,
                           const std::string& resultFields, std::vector<std::string>& result)
{
    return TziLookup(fields, values, resultFields, result);
}

bool TTzPrimDataset::GetCurrentRecord(uint8_t* buffer)
{
    if (IsEmpty() || active_.empty() || GetBookmarkFlag(active_.data()) != TBookmarkFlag::Current)
        return false;
    InternalSetToRecord(active_.data());
    int32_t recNo = 0;
    return TziGetRecord(buffer, recNo) == TzOk;
}

bool TTzPrimDataset::IsEmpty()
{
    return cursorOpen_ && bof_ && eof_;
}

void TTzPrimDataset::DoOnNewRecord()
{
    if (recordCount_ < 1) ClearBuffers();
    if (OnNewRecord) OnNewRecord();
}

void TTzPrimDataset::ClearBuffers()
{
    recordCount_ = 0;
    bof_ = true;
    eof_ = true;
}

// The active buffer read again where the record source stands.
void TTzPrimDataset::Resync()
{
    if (!cursorOpen_) return;
    if (GetRecord(active_.data(), TGetMode::Current, false) == TGetResult::OK) {
        recordCount_ = 1;
        bof_ = false;
        eof_ = false;
        return;
    }
    // Nothing current: try the first record.
    TzCheck(TziSetToBegin());
    if (GetRecord(active_.data(), TGetMode::Next, false) == TGetResult::OK) {
        recordCount_ = 1;
        bof_ = true;
        eof_ = false;
    } else {
        std::memset(active_.data(), 0, active_.size());
        ClearBuffers();
    }
}

// ---- public steps

void TTzPrimDataset::Fire(const std::function<void()>& event)
{
    if (event) event();
}

// Runs a change; a failure goes to the error event, which may ask for
// another try, abandon the change quietly, or let the failure stand.
void TTzPrimDataset::Guarded(const TErrorEvent& onError, const std::function<void()>& change)
{
    for (;;) {
        try {
            change();
            return;
        } catch (const EDatabaseError& e) {
            if (!onError) throw;
            TDataAction action = TDataAction::Fail;
            onError(e, action);
            if (action == TDataAction::Abort) return;
            if (action == TDataAction::Fail) throw;
        }
    }
}

void TTzPrimDataset::DsFirst()
{
    DsCancel();
    Fire(BeforeScroll);
    InternalFirst();
    if (GetRecord(active_.data(), TGetMode::Next, true) == TGetResult::OK) {
        recordCount_ = 1;
        bof_ = true;
        eof_ = false;
    } else {
        ClearBuffers();
    }
    Fire(AfterScroll);
}

void TTzPrimDataset::DsLast()
{
    DsCancel();
    Fire(BeforeScroll);
    InternalLast();
    if (GetRecord(active_.data(), TGetMode::Prior, true) == TGetResult::OK) {
        recordCount_ = 1;
        bof_ = false;
        eof_ = true;
    } else {
        ClearBuffers();
    }
    Fire(AfterScroll);
}

bool TTzPrimDataset::DsNext()
{
    DsCancel();
    if (recordCount_ == 0) return false;
    Fire(BeforeScroll);
    InternalSetToRecord(active_.data());
    TRecordBuffer next = AllocRecordBuffer();
    if (GetRecord(next.data(), TGetMode::Next, true) == TGetResult::OK) {
        active_ = std::move(next);
        bof_ = false;
        eof_ = false;
        Fire(AfterScroll);
        return true;
    }
    eof_ = true;
    InternalSetToRecord(active_.data());
    return false;
}

bool TTzPrimDataset::DsPrior()
{
    DsCancel();
    if (recordCount_ == 0) return false;
    Fire(BeforeScroll);
    InternalSetToRecord(active_.data());
    TRecordBuffer prior = AllocRecordBuffer();
    if (GetRecord(prior.data(), TGetMode::Prior, true) == TGetResult::OK) {
        active_ = std::move(prior);
        bof_ = false;
        eof_ = false;
        Fire(AfterScroll);
        return true;
    }
    bof_ = true;
    InternalSetToRecord(active_.data());
    return false;
}

void TTzPrimDataset::DsEdit()
{
    if (state_ == TDataSetState::Edit || state_ == TDataSetState::Insert) return;
    if (ReadOnlyDataset) throw EDatabaseError("Cannot modify a read-only dataset", TzFailed);
    if (recordCount_ == 0) {
        DsInsert();
        return;
    }
    Fire(BeforeEdit);
    Guarded(OnEditError, [this] { InternalSetToRecord(active_.data()); });
    EditBegins();
    state_ = TDataSetState::Edit;
    Fire(AfterEdit);
}

void TTzPrimDataset::DsInsert()
{
    if (ReadOnlyDataset) throw EDatabaseError("Cannot modify a read-only dataset", TzFailed);
    DsCancel();
    Fire(BeforeInsert);
    // The new record's buffer replaces the current one: a cancel goes back
    // to the record the insert began on by this bookmark.
    insertFrom_ = recordCount_ > 0 ? GetBookmarkData(active_.data()) : TBookmark{};
    InternalInitRecord(active_.data());
    SetBookmarkFlag(active_.data(), TBookmarkFlag::Inserted);
    state_ = TDataSetState::Insert;
    DoOnNewRecord();
    Fire(AfterInsert);
}

void TTzPrimDataset::DsAppend()
{
    DsInsert();
}

void TTzPrimDataset::DsPost()
{
    if (state_ != TDataSetState::Edit && state_ != TDataSetState::Insert) return;
    Fire(BeforePost);
    bool posted = false;
    Guarded(OnPostError, [&] {
        InternalPost();
        posted = true;
    });
    if (!posted) return; // abandoned by the error event: the values stay for another try
    state_ = TDataSetState::Browse;
    Resync();
    Fire(AfterPost);
}

void TTzPrimDataset::DsCancel()
{
    if (state_ != TDataSetState::Edit && state_ != TDataSetState::Insert) return;
    Fire(BeforeCancel);
    if (state_ == TDataSetState::Insert && !insertFrom_.empty()) SetBookmarkData(active_.data(), insertFrom_);
    state_ = TDataSetState::Browse;
    if (recordCount_ > 0) InternalSetToRecord(active_.data());
    Resync();
    Fire(AfterCancel);
}

void TTzPrimDataset::DsDelete()
{
    if (ReadOnlyDataset) throw EDatabaseError("Cannot modify a read-only dataset", TzFailed);
    DsCancel();
    if (recordCount_ == 0) return;
    Fire(BeforeDelete);
    bool deleted = false;
    Guarded(OnDeleteError, [&] {
        InternalSetToRecord(active_.data());
        InternalDelete();
        deleted = true;
    });
    if (!deleted) return;
    Resync();
    Fire(AfterDelete);
}

// ---- scratch buffer

void TTzPrimDataset::SaveActiveBuffer()
{
    if (scratch_.size() < recordBufferSize_) scratch_.resize(recordBufferSize_);
    std::memcpy(scratch_.data(), active_.data(), std::min(active_.size(), scratch_.size()));
}

void TTzPrimDataset::RestoreActiveBuffer()
{
    std::memcpy(active_.data(), scratch_.data(), std::min(active_.size(), scratch_.size()));
}

void TTzPrimDataset::ClearActiveBuffer()
{
    std::fill(active_.begin(), active_.end(), 0);
}
