#pragma once
// The root of the dataset family: record buffers, the browse / edit / insert
// states and bookmarks, turned into calls of an abstract record source (the
// Tzi operations). Every result of the record source is an integer code that
// TzCheck turns into an exception, so all failures surface the same way.
//
// Record buffer layout:
//   data (record data size: deletion flag byte, then the fields)
//   calculated fields (per field: has-value byte, then the value)
//   blob pointers (4 bytes per blob field)
//   record number (32-bit signed)
//   bookmark flag (1 byte)
//   bookmark (bookmark size bytes)

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

enum class TDataSetState { Inactive, Browse, Edit, Insert, SetKey, CalcFields, Filter, NewValue };

// Result codes of the record-source operations.
enum : int { TzOk = 0, TzFailed = 1401, TzBof = 1402, TzEof = 1403, TzNoFileName = 1404 };

// What a failing record-source operation raises.
class EDatabaseError : public std::runtime_error
{
  public:
    EDatabaseError(const std::string& text, int code) : std::runtime_error(text), Code(code) {}
    int Code;
};

enum class TGetMode { Current, Next, Prior };
enum class TGetResult { OK, BOF, EOF_, Error };
enum class TBookmarkFlag : uint8_t { Current = 0, BOF = 1, EOF_ = 2, Inserted = 3 };

using TRecordBuffer = std::vector<uint8_t>;
using TBookmark = std::vector<uint8_t>; // empty = nil

// One field as the dataset knows it: its number in the record source (0 for
// a calculated field), whether it is calculated and its value size.
struct TDsField {
    std::string Name;
    int FieldNo = 0;
    bool Calculated = false;
    bool InternalCalc = false;
    bool ReadOnly = false;
    bool Blob = false;
    int DataSize = 0;
    int Offset = 0; // of a calculated field inside the calculated-fields part
};

struct TLocateOptions {
    bool CaseInsensitive = false;
    bool PartialKey = false;
};

class TTzPrimDataset
{
  public:
    TTzPrimDataset() = default;
    virtual ~TTzPrimDataset() = default;
    TTzPrimDataset(const TTzPrimDataset&) = delete;
    TTzPrimDataset& operator=(const TTzPrimDataset&) = delete;

    // ---- the record source, in slot order
    virtual int TziSetToBegin() = 0;
    virtual int TziSetToEnd() = 0;
    virtual int TziOpen() = 0;
    virtual int TziClose() = 0;
    virtual int32_t TziGetRecordCount() = 0;
    virtual int TziForceReread() = 0;
    virtual int TziAppendRecord(uint8_t* buffer) = 0;
    virtual int TziInsertRecord(uint8_t* buffer) = 0;
    virtual int TziDeleteRecord() = 0;
    virtual int TziInitRecord(uint8_t* buffer) = 0;
    virtual int TziPostRecord(uint8_t* buffer, int flag) = 0;
    virtual uint16_t TziGetRecordSize() = 0;
    virtual uint8_t TziGetAccessMode() = 0;
    virtual int TziGetRecord(uint8_t* buffer, int32_t& recNo) = 0;
    virtual int TziGetNextRecord(uint8_t* buffer, int32_t& recNo) = 0;
    virtual int TziGetPriorRecord(uint8_t* buffer, int32_t& recNo) = 0;
    virtual int TziGetFieldData(const TDsField& field, const uint8_t* buffer, bool& hasValue,
                                uint8_t* value) = 0;
    virtual int TziSetFieldData(const TDsField& field, uint8_t* buffer, const uint8_t* value) = 0;
    virtual int TziSetRecNo(int32_t n) = 0;
    virtual bool TziLocate(const std::string& fields, const std::vector<std::string>& values,
                           TLocateOptions options) = 0;
    virtual int TziLookup(const std::string& fields, const std::vector<std::string>& values,
                          const std::string& resultFields, std::vector<std::string>& result) = 0;
    virtual uint16_t TziGetBookmarkSize() = 0;
    virtual int TziGotoBookmark(const uint8_t* bookmark) = 0;
    virtual int TziSetToBookmark(uint8_t* bookmark) = 0;
    virtual int TziCompareBookmarks(const uint8_t* b1, const uint8_t* b2, int& result) = 0;

    // Raises for any code but 0: "Dataset error: " + the code (1401..1403),
    // the file-name text (1404), else "Dataset error: " + ErrorTextOf(code).
    void TzCheck(int code);
    // The text of an engine code: the code in decimal here.
    virtual std::string ErrorTextOf(int code);

    // ---- state
    TDataSetState State() const { return state_; }
    bool IsCursorOpen() const { return cursorOpen_; }
    bool Sequenced() const { return sequenced_; }
    virtual bool IsSequenced() { return !Filtered; }
    bool Filtered = false;
    bool ReadOnlyDataset = false;

    // Opens: record source, buffer layout, fields; the first record read.
    void OpenDataset();
    void CloseDataset();

    // ---- layout (valid while the cursor is open)
    uint16_t RecordDataSize() const { return recordDataSize_; }
    uint16_t RecordBufferSize() const { return recordBufferSize_; }
    uint16_t BookmarkSize() const { return bookmarkSize_; }
    uint16_t CalcFieldsSize() const { return calcFieldsSize_; }
    uint16_t BookmarkOffset() const { return bookmarkOffset_; }
    uint16_t RecNoOffset() const { return recNoOffset_; }
    uint16_t CalcFieldsOffset() const { return calcFieldsOffset_; }

    // Fields known to the dataset: data fields come from the record source,
    // calculated fields are added by the program before the open.
    std::vector<TDsField> Fields;
    void AddCalcField(const std::string& name, int size);

    // ---- buffers
    TRecordBuffer AllocRecordBuffer() const { return TRecordBuffer(recordBufferSize_, 0); }
    TRecordBuffer& ActiveBuffer() { return active_; }
    void ClearCalcFields(uint8_t* buffer);
    TBookmark GetBookmarkData(const uint8_t* buffer) const;
    void SetBookmarkData(uint8_t* buffer, const TBookmark& bookmark) const;
    TBookmarkFlag GetBookmarkFlag(const uint8_t* buffer) const;
    void SetBookmarkFlag(uint8_t* buffer, TBookmarkFlag flag) const;
    int32_t BufferRecNo(const uint8_t* buffer) const;

    // ---- framework operations
    TGetResult GetRecord(uint8_t* buffer, TGetMode mode, bool check);
    int32_t GetRecordCount();
    int32_t GetRecNo();
    void SetRecNo(int32_t n);
    void InternalFirst();
    void InternalLast();
    void InternalRefresh();
    void RefreshActiveRecord();
    void InternalInitRecord(uint8_t* buffer);
    void InternalAddRecord(uint8_t* buffer, bool append);
    void InternalDelete();
    void InternalPost();
    void InternalGotoBookmark(const TBookmark& bookmark);
    void InternalSetToRecord(const uint8_t* buffer);
    bool BookmarkValid(const TBookmark& bookmark);
    int CompareBookmarks(const TBookmark& b1, const TBookmark& b2);
    // Field values as bytes; true when the field has a value.
    bool GetFieldData(const TDsField& field, std::vector<uint8_t>& value);
    void SetFieldData(const TDsField& field, const std::vector<uint8_t>& value);
    bool FindRecord(bool restart, bool goForward);
    virtual bool Locate(const std::string& fields, const std::vector<std::string>& values,
                        TLocateOptions options);
    int Lookup(const std::string& fields, const std::vector<std::string>& values,
               const std::string& resultFields, std::vector<std::string>& result);
    bool GetCurrentRecord(uint8_t* buffer);
    bool Found() const { return found_; }

    // ---- the framework's public steps over the operations above
    void DsFirst();
    void DsLast();
    // False at the end (resp. start); the active record stays.
    bool DsNext();
    bool DsPrior();
    bool DsBof() const { return bof_; }
    bool DsEof() const { return eof_; }
    void DsEdit();
    void DsInsert();
    void DsAppend();
    void DsPost();
    void DsCancel();
    void DsDelete();
    virtual bool IsEmpty();

    // ---- scratch buffer: a saved copy of the active buffer
    void SaveActiveBuffer();
    void RestoreActiveBuffer();
    void ClearActiveBuffer();

    // A failure met where no caller can take it: the application's handler
    // (OnHandleException), else a message box with its text.
    virtual void InternalHandleException(const std::exception& e);
    std::function<void(const std::string& Text)> OnHandleException;

    // Events before and after each step of the dataset.
    std::function<void()> BeforeOpen, AfterOpen, BeforeClose, AfterClose, BeforeInsert, AfterInsert,
        BeforeEdit, AfterEdit, BeforePost, AfterPost, BeforeCancel, AfterCancel, BeforeDelete, AfterDelete,
        BeforeScroll, AfterScroll;
    // A failed post, delete or edit: Action (Fail by default) lets the failure
    // stand, abandons the change quietly (Abort) or tries again (Retry).
    enum class TDataAction { Fail, Abort, Retry };
    using TErrorEvent = std::function<void(const EDatabaseError& E, TDataAction& Action)>;
    TErrorEvent OnPostError, OnDeleteError, OnEditError;
    // Calculated fields are computed as records are read.
    bool AutoCalcFields = true;
    std::function<void()> OnNewRecord;
    std::function<void(const TDsField&)> OnFieldChange;
    std::function<void()> OnCalcFields;

  protected:
    virtual void InternalOpen();
    virtual void InternalClose();
    virtual void OpenCursor();
    virtual void CloseCursor();
    virtual void DoOnNewRecord();
    // An edit of the current record begins (after the record source went to
    // it).
    virtual void EditBegins() {}
    // Data field definitions of the record source (size of each value).
    virtual void InternalInitFieldDefs() {}
    // Buffers brought back in step with the record source, the active record
    // read again.
    void Resync();
    void ClearBuffers();
    static void Fire(const std::function<void()>& event);
    static void Guarded(const TErrorEvent& onError, const std::function<void()>& change);
    uint8_t* StateBuffer();

    TDataSetState state_ = TDataSetState::Inactive;
    TRecordBuffer active_;
    TRecordBuffer keyBuffer_;
    TRecordBuffer calcBuffer_;
    uint8_t* calcTarget_ = nullptr; // the record being read while its fields are calculated
    bool bof_ = true;
    bool eof_ = true;
    int32_t recordCount_ = 0;

  private:
    uint16_t recordDataSize_ = 0;
    uint16_t recordBufferSize_ = 0;
    uint16_t bookmarkOffset_ = 0;
    uint16_t recNoOffset_ = 0;
    uint16_t calcFieldsOffset_ = 0;
    uint16_t bookmarkSize_ = 0;
    uint16_t calcFieldsSize_ = 0;
    uint16_t blobFieldCount_ = 0;
    bool cursorOpen_ = false;
    bool sequenced_ = false;
    bool found_ = false;
    std::vector<uint8_t> scratch_;
    TBookmark insertFrom_; // the record an insert began on
};
